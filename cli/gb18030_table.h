#pragma once
// The GB18030 tables behind cli/encoding.h, generated into gb18030_table.inc
// by make_gb18030_table.py. Built into screencalc only: the web module and
// the window never read GB18030.

#include <array>
#include <cstddef>
#include <cstdint>

namespace screencalc::gb18030 {

// Two-byte codes: lead 0x81..0xFE, trail 0x40..0x7E or 0x80..0xFE, indexed
// (lead - 0x81) * 190 + the trail's place among its 190 values.
inline constexpr std::size_t twoByteCount = 126 * 190;
extern const std::array<char16_t, twoByteCount> twoByte;

// Four-byte codes of the basic plane, indexed from 81 30 81 30: from `index`
// on, until the next run, code `index + i` is character `first + i`.
struct FourByteRun {
    std::uint16_t index;
    char16_t first;
};
inline constexpr std::size_t fourByteRunCount = 206;
inline constexpr std::uint16_t fourByteBasicCount = 39420; // through 84 31 A4 39
extern const std::array<FourByteRun, fourByteRunCount> fourByteRuns;

} // namespace screencalc::gb18030
