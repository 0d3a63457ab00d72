#pragma once
// Byte-level text helpers for the command-line tool: UTF-8 repair, cutting
// at a character limit, message and CSV quoting, CSV splitting. Nothing here
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

// Appends well-formed UTF-8 in double quotes for a message: besides what JSON
// escapes, every control and format character (U+009B, U+202E, U+FEFF, ...)
// becomes \uXXXX, so an echoed text can neither drive a terminal nor hide
// or reorder what it says.
void appendMessageString(std::string& out, std::string_view text);

// Well-formed UTF-8 with every control and format character written as a
// message writes it (\t, \u001B, \u202E), other text as it is.
std::string withHiddenEscaped(std::string_view text);

// Appends the text as one CSV field, quoted only where it has to be.
void appendCsvField(std::string& out, std::string_view text);

// The text without the blanks around it: ASCII blanks and tabs, and the
// look-alikes that spreadsheets and input methods put in (no-break space,
// U+2000..U+200A, narrow no-break space, ideographic space U+3000).
std::string_view trimBlanks(std::string_view text);

// The name of a blank or invisible look-alike that no number may hold, as a
// message shows it ("U+3000 ideographic space"); empty for other characters.
std::string_view lookAlikeName(char32_t c);

// Splits one CSV line into fields at `separator` (',', ';' or a tab). A
// field that starts with a double quote
// runs to the matching quote, with "" standing for one quote inside it.
// Fails on an unterminated quote or on text after a closing quote, keeping
// the fields read until then.
inline constexpr std::string_view unclosedQuote =
    "a quoted field has no closing quote (a quoted field cannot span lines)";
inline constexpr std::string_view textAfterQuote = "text follows a closing quote";
struct CsvSplit {
    std::array<std::string, 12> fields; // only the first twelve are kept
    std::size_t count = 0;              // how many fields the line has
    std::size_t filled = 0;             // how many up to the last non-empty one
    std::string error;                  // empty when the line was well-formed
};
CsvSplit splitCsvLine(std::string_view line, char separator = ',');

} // namespace screencalc
