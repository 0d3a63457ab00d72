#include "cli/text.h"

#include <algorithm>

namespace screencalc {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD"; // U+FFFD

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0. Rejects
// overlong forms, surrogates and code points above U+10FFFF.
std::size_t sequenceLength(std::string_view s) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(0);
    if (c < 0x80) {
        return 1;
    }
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0) {
            lo = 0xA0;
        } else if (c == 0xED) {
            hi = 0x9F;
        }
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0) {
            lo = 0x90;
        } else if (c == 0xF4) {
            hi = 0x8F;
        }
    } else {
        return 0;
    }
    if (s.size() < len || b(1) < lo || b(1) > hi) {
        return 0;
    }
    for (std::size_t i = 2; i < len; ++i) {
        if (!isContinuation(b(i))) {
            return 0;
        }
    }
    return len;
}

char32_t decode(std::string_view seq) {
    const auto b = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(seq[i]));
    };
    switch (seq.size()) {
    case 1:
        return b(0);
    case 2:
        return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3:
        return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    default:
        return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    }
}

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Characters that a message must not show raw: C0 and C1 controls, DEL,
// the line and paragraph separators and the format characters (Cf), which
// are invisible or reorder the text around them.
bool isHidden(char32_t c) {
    struct Range {
        char32_t first, last;
    };
    static constexpr Range ranges[] = {
        {0x00, 0x1F},       {0x7F, 0x9F},       {0xAD, 0xAD},       {0x600, 0x605},
        {0x61C, 0x61C},     {0x6DD, 0x6DD},     {0x70F, 0x70F},     {0x890, 0x891},
        {0x8E2, 0x8E2},     {0x180E, 0x180E},   {0x200B, 0x200F},   {0x2028, 0x202E},
        {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},
        {0x110BD, 0x110BD}, {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3},
        {0x1D173, 0x1D17A}, {0xE0001, 0xE0001}, {0xE0020, 0xE007F},
    };
    for (const Range& r : ranges) {
        if (c >= r.first && c <= r.last) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string validUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t len = sequenceLength(bytes.substr(i));
        if (len == 0) {
            out += replacement;
            ++i;
        } else {
            out.append(bytes.substr(i, len));
            i += len;
        }
    }
    return out;
}

std::string_view firstChars(std::string_view text, std::size_t limit) {
    std::size_t i = 0;
    std::size_t units = 0;
    while (i < text.size()) {
        const std::size_t len = sequenceLength(text.substr(i));
        // The window's text box counts UTF-16 units: a character beyond the
        // basic plane (4 bytes of UTF-8) takes two, and one that would only
        // half fit is dropped whole.
        const std::size_t width = len == 4 ? 2 : 1;
        if (units + width > limit) {
            break;
        }
        units += width;
        i += len == 0 ? 1 : len;
    }
    return text.substr(0, i);
}

std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t len = sequenceLength(text.substr(i));
        if (len == 0) {
            len = 1;
            width += 1;
        } else {
            width += isWide(decode(text.substr(i, len))) ? 2 : 1;
        }
        i += len;
    }
    return width;
}

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
        const std::size_t len = std::max<std::size_t>(sequenceLength(text.substr(i)), 1);
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

namespace {

void appendHiddenEscaped(std::string& out, std::string_view text, bool quoteAndBackslash) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t len = sequenceLength(text.substr(i));
        if (len == 0) {
            out += replacement;
            ++i;
            continue;
        }
        const char32_t c = decode(text.substr(i, len));
        if (quoteAndBackslash && (c == '"' || c == '\\')) {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t' || c == '\n' || c == '\r') {
            out += c == '\t' ? "\\t" : c == '\n' ? "\\n" : "\\r";
        } else if (isHidden(c)) {
            out += c > 0xFFFF ? "\\U" : "\\u";
            for (int shift = c > 0xFFFF ? 28 : 12; shift >= 0; shift -= 4) {
                out += hex[(c >> shift) & 0xF];
            }
        } else {
            out.append(text.substr(i, len));
        }
        i += len;
    }
}

} // namespace

void appendMessageString(std::string& out, std::string_view text) {
    out += '"';
    appendHiddenEscaped(out, text, true);
    out += '"';
}

std::string withHiddenEscaped(std::string_view text) {
    std::string out;
    appendHiddenEscaped(out, text, false);
    return out;
}

void appendCsvField(std::string& out, std::string_view text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                                          text.back() == ' ' || text.back() == '\t'));
    if (!quote) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

CsvSplit splitCsvLine(std::string_view line) {
    CsvSplit split;
    std::size_t i = 0;
    const std::size_t n = line.size();
    const auto keep = [&](std::string& field) {
        if (!field.empty()) {
            split.filled = split.count + 1;
        }
        if (split.count < split.fields.size()) {
            split.fields[split.count] = std::move(field);
        }
        ++split.count;
    };
    while (true) {
        std::string field;
        if (i < n && line[i] == '"') {
            ++i;
            while (true) {
                if (i >= n) {
                    keep(field);
                    split.error = unclosedQuote;
                    return split;
                }
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            if (i < n && line[i] != ',') {
                keep(field);
                split.error = textAfterQuote;
                return split;
            }
        } else {
            std::size_t end = line.find(',', i);
            if (end == std::string_view::npos) {
                end = n;
            }
            field.assign(line.substr(i, end - i));
            i = end;
        }
        keep(field);
        if (i >= n) {
            return split;
        }
        ++i; // the comma
    }
}

} // namespace screencalc
