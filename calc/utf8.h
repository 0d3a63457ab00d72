#pragma once
// UTF-8 at the byte level, for everything that reads or writes text the
// user gave: the command-line tool's files and messages and the JSON that
// the tool and the web module write. Malformed bytes are never decoded as
// characters; the caller decides whether to replace or refuse them.

#include <cstddef>
#include <string_view>

namespace calc::utf8 {

inline constexpr std::string_view replacement = "\xEF\xBF\xBD"; // U+FFFD

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 (also
// for an empty `s`). Rejects overlong forms, surrogates and code points
// above U+10FFFF.
std::size_t sequenceLength(std::string_view s);

// The code point of one well-formed sequence (as sequenceLength measured).
char32_t decode(std::string_view sequence);

// East Asian wide characters, which take two columns in a terminal.
bool isWide(char32_t c);

// Characters that a message must not show raw: C0 and C1 controls, DEL, the
// line and paragraph separators and the format characters (Cf), which are
// invisible or reorder the text around them.
bool isHidden(char32_t c);

} // namespace calc::utf8
