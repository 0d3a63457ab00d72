#pragma once
// Writing results and messages. A failed write of the results is said once
// on the error stream, and whoever sees it stops: the results have nowhere
// to go.

#include <iosfwd>
#include <string>
#include <string_view>

namespace screencalc {

void writeAll(std::ostream& os, std::string_view s);

// Writes the text through to the stream; false (after one line on `err`)
// when that failed.
bool emit(std::ostream& out, std::ostream& err, std::string_view text);

// The usage error's line; a wrong value already names the right ones, other
// mistakes point to --help.
void reportUsage(std::ostream& err, std::string_view message, bool pointToHelp = true);

// The system's words for an errno value.
std::string reason(int error);

} // namespace screencalc
