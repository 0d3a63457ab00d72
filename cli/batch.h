#pragma once
// --batch: one calculation per CSV row, answered row by row.

#include "cli/encoding.h"

#include <array>
#include <iosfwd>
#include <string>
#include <string_view>

namespace screencalc {

// The columns of an input row, which the output repeats before the results.
inline constexpr std::array<std::string_view, 4> inputColumns{"entry", "text", "ratio", "frame"};

// The CSV output's heading: the input columns, the result labels' names,
// "error" and "note", with its line end.
std::string csvHeading();

struct BatchFormat {
    bool json = false;
    // Echoed control characters are written escaped, as messages show them,
    // so that no row can drive the terminal; a file or a pipe gets the bytes.
    bool forTerminal = false;
    TextEncoding encoding = TextEncoding::guess;
};

// Reads the rows from `in` (`source` names it in messages) and writes one
// output row per input row to `out`, CSV or JSON lines. Returns the exit
// status.
//
// The rows are CSV as spreadsheets write it: separated by commas,
// semicolons or tabs (a first line "sep=;" says which, as Excel writes it;
// otherwise the first row's first separator decides for the whole input),
// in UTF-8, UTF-16 or GB18030 (see LineReader and LineDecoder). Blank
// lines, comments, rows of empty cells and this program's own headings are
// no rows; a line holding only Ctrl-Z (a DOS end-of-file mark) ends the input.
// CSV output echoes a GB18030 input's cells as they were read, and writes
// its messages in GB18030 too, so the results are one GB18030 file.
int runBatch(std::istream& in, std::string_view source, BatchFormat format, std::ostream& out,
             std::ostream& err);

} // namespace screencalc
