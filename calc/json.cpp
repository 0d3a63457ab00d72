#include "calc/json.h"

#include "calc/utf8.h"

namespace calc {

using utf8::decode;
using utf8::isHidden;
using utf8::sequenceLength;

void appendJsonString(std::string& out, std::string_view text, bool escapeHidden) {
    static constexpr char hex[] = "0123456789abcdef";
    const auto escape = [&](char32_t unit) {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) {
            out += hex[(unit >> shift) & 0xF];
        }
    };
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t len = sequenceLength(text.substr(i));
        if (len == 0) {
            out += utf8::replacement;
            ++i;
            continue;
        }
        const char32_t c = decode(text.substr(i, len));
        const auto shortForm = std::string_view("\"\\\n\r\t\b\f").find(static_cast<char>(c));
        if (c < 0x80 && shortForm != std::string_view::npos) {
            out += '\\';
            out += "\"\\nrtbf"[shortForm];
        } else if (c < 0x20 || c == 0x2028 || c == 0x2029 || (escapeHidden && isHidden(c))) {
            // U+2028 and U+2029 end a line in JavaScript; escaped, a line of
            // output stays one line for every reader.
            if (c > 0xFFFF) {
                escape(0xD800 + ((c - 0x10000) >> 10));
                escape(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                escape(c);
            }
        } else {
            out.append(text.substr(i, len));
        }
        i += len;
    }
    out += '"';
}

} // namespace calc
