#pragma once
// --batch: one calculation per CSV row, answered row by row.

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>

namespace screencalc {

// The columns of an input row, which the output repeats before the results.
inline constexpr std::array<std::string_view, 4> inputColumns{"entry", "text", "ratio", "frame"};

// The CSV output's heading: the input columns, the result labels' names and
// "error", with its line end.
std::string csvHeading();

struct BatchFormat {
    bool json = false;
    // Echoed control characters are written escaped, as messages show them,
    // so that no row can drive the terminal; a file or a pipe gets the bytes.
    bool forTerminal = false;
};

// Reads the rows from `in` (`source` names it in messages) and writes one
// output row per input row to `out`, CSV or JSON lines. Returns the exit
// status.
int runBatch(std::istream& in, std::string_view source, BatchFormat format, std::ostream& out,
             std::ostream& err);

} // namespace screencalc
