#pragma once
// Byte-level text helpers for the command-line tool: UTF-8 repair, cutting
// at a character limit, JSON and CSV quoting, CSV splitting. Nothing here
// touches the C locale.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace screencalc {

// The text with every byte that does not belong to a well-formed UTF-8
// sequence replaced by U+FFFD, so that all later steps can count and echo
// characters safely.
std::string validUtf8(std::string_view bytes);

// The start of well-formed UTF-8 that a text box with this length limit
// keeps: the limit counts UTF-16 units, as the window's fields do, so a
// character beyond the basic plane counts twice. Never cuts inside a
// sequence.
std::string_view firstChars(std::string_view text, std::size_t limit);

// Columns the text takes in a terminal: 2 for East Asian wide characters.
std::size_t displayWidth(std::string_view text);

// Appends the text as a JSON string literal, quotes included.
void appendJsonString(std::string& out, std::string_view text);

// Appends well-formed UTF-8 in double quotes for a message: besides what JSON
// escapes, every control and format character (U+009B, U+202E, U+FEFF, ...)
// becomes \uXXXX, so an echoed text can neither drive a terminal nor hide
// or reorder what it says.
void appendMessageString(std::string& out, std::string_view text);

// Appends the text as one CSV field, quoted only where it has to be.
void appendCsvField(std::string& out, std::string_view text);

// Splits one CSV line into fields. A field that starts with a double quote
// runs to the matching quote, with "" standing for one quote inside it.
// Fails on an unterminated quote or on text after a closing quote, keeping
// the fields read until then.
struct CsvSplit {
    std::array<std::string, 4> fields; // only the first four are kept
    std::size_t count = 0;             // how many fields the line has
    std::string error;                 // empty when the line was well-formed
};
CsvSplit splitCsvLine(std::string_view line);

} // namespace screencalc
