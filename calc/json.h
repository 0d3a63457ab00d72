#pragma once
// JSON string literals, the one writer behind screencalc's --json output and
// the web module's answers to the page.

#include <string>
#include <string_view>

namespace calc {

// Appends the text as a JSON string literal, quotes included. Controls,
// U+2028 and U+2029 are escaped so that one line of output stays one line
// for every reader; bytes that are not well-formed UTF-8 become U+FFFD, so
// the literal is always valid JSON. With `escapeHidden`, every format
// character (U+202E, U+FEFF, ...) is escaped too, for a terminal to show
// rather than obey.
void appendJsonString(std::string& out, std::string_view text, bool escapeHidden = false);

} // namespace calc
