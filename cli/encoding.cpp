#include "cli/encoding.h"

#include "calc/utf8.h"
#include "cli/gb18030_table.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace screencalc {

namespace {

constexpr std::string_view notUtf8 = "not UTF-8 text";
constexpr std::string_view notGb18030 = "not GB18030 text";
constexpr std::string_view neither = "neither UTF-8 nor GB18030 text";

// GB18030's four-byte codes counted from 81 30 81 30.
std::uint32_t linearOf(unsigned b1, unsigned b2, unsigned b3, unsigned b4) {
    return (((b1 - 0x81) * 10 + (b2 - 0x30)) * 126 + (b3 - 0x81)) * 10 + (b4 - 0x30);
}
constexpr std::uint32_t supplementaryStart = 189000; // 90 30 81 30 is U+10000

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string hexByte(unsigned char b) {
    static constexpr char hex[] = "0123456789ABCDEF";
    return std::string("0x") + hex[b >> 4] + hex[b & 0xF];
}

// "byte 12 is 0xC3", counting from 1 as an editor's column does.
std::string where(std::string_view line, std::size_t at) {
    return "byte " + std::to_string(at + 1) + " is " +
           hexByte(static_cast<unsigned char>(line[at]));
}

} // namespace

std::size_t firstNonUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t len = calc::utf8::sequenceLength(bytes.substr(i));
        if (len == 0) {
            return i;
        }
        i += len;
    }
    return std::string_view::npos;
}

std::size_t decodeGb18030(std::string_view bytes, std::string& utf8) {
    const auto byte = [&](std::size_t i) {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
    };
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned b1 = byte(i);
        if (b1 < 0x80) {
            utf8 += static_cast<char>(b1);
            ++i;
            continue;
        }
        if (b1 == 0x80 || b1 == 0xFF) {
            return i;
        }
        const unsigned b2 = byte(i + 1);
        if ((b2 >= 0x40 && b2 <= 0x7E) || (b2 >= 0x80 && b2 <= 0xFE)) {
            const std::size_t index = (b1 - 0x81) * 190 + (b2 - 0x40) - (b2 > 0x7F ? 1 : 0);
            appendUtf8(utf8, gb18030::twoByte[index]);
            i += 2;
            continue;
        }
        const unsigned b3 = byte(i + 2), b4 = byte(i + 3);
        if (b2 < 0x30 || b2 > 0x39 || b3 < 0x81 || b3 > 0xFE || b4 < 0x30 || b4 > 0x39) {
            return i;
        }
        const std::uint32_t linear = linearOf(b1, b2, b3, b4);
        if (linear < gb18030::fourByteBasicCount) {
            const auto run = std::prev(std::upper_bound(
                gb18030::fourByteRuns.begin(), gb18030::fourByteRuns.end(), linear,
                [](std::uint32_t l, const gb18030::FourByteRun& r) { return l < r.index; }));
            appendUtf8(utf8, run->first + (linear - run->index));
        } else if (linear >= supplementaryStart && linear - supplementaryStart <= 0xFFFFF) {
            appendUtf8(utf8, 0x10000 + (linear - supplementaryStart));
        } else {
            return i; // no character has this code
        }
        i += 4;
    }
    return std::string_view::npos;
}

void encodeGb18030(std::string_view utf8, std::string& out) {
    // The two-byte table by character, made once.
    static const std::vector<std::uint16_t> byCharacter = [] {
        std::vector<std::uint16_t> order(gb18030::twoByteCount);
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = static_cast<std::uint16_t>(i);
        }
        std::sort(order.begin(), order.end(), [](std::uint16_t a, std::uint16_t b) {
            return gb18030::twoByte[a] < gb18030::twoByte[b];
        });
        return order;
    }();
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t len =
            std::max<std::size_t>(1, calc::utf8::sequenceLength(utf8.substr(i)));
        const char32_t c = len == 1 ? static_cast<unsigned char>(utf8[i])
                                    : calc::utf8::decode(utf8.substr(i, len));
        i += len;
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const auto two = std::lower_bound(
            byCharacter.begin(), byCharacter.end(), c,
            [](std::uint16_t index, char32_t ch) { return gb18030::twoByte[index] < ch; });
        if (c <= 0xFFFF && two != byCharacter.end() && gb18030::twoByte[*two] == c) {
            out += static_cast<char>(0x81 + *two / 190);
            const unsigned trail = 0x40 + *two % 190;
            out += static_cast<char>(trail >= 0x7F ? trail + 1 : trail);
            continue;
        }
        std::uint32_t linear = supplementaryStart + (c - 0x10000);
        if (c <= 0xFFFF) {
            const auto run = std::prev(std::upper_bound(
                gb18030::fourByteRuns.begin(), gb18030::fourByteRuns.end(), c,
                [](char32_t ch, const gb18030::FourByteRun& r) { return ch < r.first; }));
            linear = run->index + (c - run->first);
        }
        out += static_cast<char>(0x81 + linear / 12600);
        out += static_cast<char>(0x30 + linear / 1260 % 10);
        out += static_cast<char>(0x81 + linear / 10 % 126);
        out += static_cast<char>(0x30 + linear % 10);
    }
}

LineDecoder::Got LineDecoder::decode(std::string_view line, std::string& utf8) {
    if (encoding_ != TextEncoding::gb18030) {
        const std::size_t bad = isAscii(line) ? std::string_view::npos : firstNonUtf8(line);
        if (bad == std::string_view::npos) {
            if (encoding_ == TextEncoding::guess && !isAscii(line)) {
                encoding_ = TextEncoding::utf8;
                guessed_ = true;
            }
            return Got::utf8;
        }
        std::string scratch;
        const bool isGb = decodeGb18030(line, scratch) == std::string_view::npos;
        if (encoding_ == TextEncoding::guess && isGb) {
            encoding_ = TextEncoding::gb18030;
            guessed_ = true;
            utf8 = std::move(scratch);
            return Got::decoded;
        }
        problem_ = std::string(encoding_ == TextEncoding::guess ? neither : notUtf8) + ": " +
                   where(line, bad);
        if (guessed_ && isGb) {
            problem_ += " (the lines before were UTF-8; --encoding gb18030 reads GB18030)";
        }
        return Got::bad;
    }
    utf8.clear();
    if (const std::size_t bad = decodeGb18030(line, utf8); bad != std::string_view::npos) {
        problem_ = std::string(notGb18030) + ": " + where(line, bad);
        return Got::bad;
    }
    return Got::decoded;
}

bool isEncodingProblem(std::string_view error) {
    return error.starts_with(notUtf8) || error.starts_with(notGb18030) ||
           error.starts_with(neither);
}

} // namespace screencalc
