#include "cli/text.h"

#include "calc/utf8.h"

#include <algorithm>

namespace screencalc {

using calc::utf8::decode;
using calc::utf8::isHidden;
using calc::utf8::isWide;
using calc::utf8::replacement;
using calc::utf8::sequenceLength;

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

namespace {

// The length of the blank that starts or ends `text`, 0 when there is none.
std::size_t blankAt(std::string_view text, bool atEnd) {
    if (text.empty()) {
        return 0;
    }
    const char edge = atEnd ? text.back() : text.front();
    if (edge == ' ' || edge == '\t') {
        return 1;
    }
    for (const std::string_view blank : {"\u00A0", "\u3000", "\u202F", "\u205F"}) {
        if (atEnd ? text.ends_with(blank) : text.starts_with(blank)) {
            return blank.size();
        }
    }
    // U+2000..U+200A: E2 80 80..8A.
    const std::string_view three =
        atEnd ? text.substr(text.size() - std::min<std::size_t>(3, text.size()))
              : text.substr(0, 3);
    return three.size() == 3 && three[0] == '\xE2' && three[1] == '\x80' &&
                   static_cast<unsigned char>(three[2]) >= 0x80 &&
                   static_cast<unsigned char>(three[2]) <= 0x8A
               ? 3
               : 0;
}

} // namespace

std::string_view trimBlanks(std::string_view text) {
    while (const std::size_t n = blankAt(text, false)) {
        text.remove_prefix(n);
    }
    while (const std::size_t n = blankAt(text, true)) {
        text.remove_suffix(n);
    }
    return text;
}

std::string_view lookAlikeName(char32_t c) {
    struct Named {
        char32_t c;
        std::string_view name;
    };
    static constexpr Named names[] = {
        {0x00A0, "U+00A0 no-break space"},
        {0x2002, "U+2002 en space"},
        {0x2003, "U+2003 em space"},
        {0x2007, "U+2007 figure space"},
        {0x2009, "U+2009 thin space"},
        {0x200A, "U+200A hair space"},
        {0x200B, "U+200B zero width space"},
        {0x202F, "U+202F narrow no-break space"},
        {0x205F, "U+205F medium mathematical space"},
        {0x3000, "U+3000 ideographic space"},
    };
    for (const Named& n : names) {
        if (n.c == c) {
            return n.name;
        }
    }
    return c >= 0x2000 && c <= 0x200A ? "a Unicode space (U+2000..U+200A)" : "";
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

CsvSplit splitCsvLine(std::string_view line, char separator) {
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
            if (i < n && line[i] != separator) {
                keep(field);
                split.error = textAfterQuote;
                return split;
            }
        } else {
            std::size_t end = line.find(separator, i);
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
        ++i; // the separator
    }
}

} // namespace screencalc
