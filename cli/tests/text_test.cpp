// The byte-level text helpers of the command-line tool, one line a case.

#include "cli/text.h"

#include <gtest/gtest.h>

namespace {

using namespace screencalc;

// The fields as "a|b|c", then "/count/filled" and the error, if any.
std::string splitOf(std::string_view line, char separator) {
    const CsvSplit split = splitCsvLine(line, separator);
    std::string out;
    for (std::size_t i = 0; i < std::min(split.count, split.fields.size()); ++i) {
        out += (i == 0 ? "" : "|") + split.fields[i];
    }
    out += "/" + std::to_string(split.count) + "/" + std::to_string(split.filled);
    return split.error.empty() ? out : out + " " + split.error;
}

TEST(Text, SplitsCsvLinesAsSpreadsheetsWriteThem) {
    const struct {
        const char* name;
        std::string line;
        char separator;
        std::string split;
    } cases[] = {
        {"plain", "diagonal,100,16:9,12", ',', "diagonal|100|16:9|12/4/4"},
        {"empty line", "", ',', "/1/0"},
        {"trailing empty cells", "width,1,,", ',', "width|1||/4/2"},
        {"only separators", ",,,", ',', "|||/4/0"},
        {"quoted with comma", "height,\"1,5\"", ',', "height|1,5/2/2"},
        {"doubled quote", "\"a\"\"b\",c", ',', "a\"b|c/2/2"},
        {"quoted empty", "\"\",x", ',', "|x/2/2"},
        {"semicolon", "diagonal;84,5;4:3", ';', "diagonal|84,5|4:3/3/3"},
        {"tab", "width\t1000\t\t80", '\t', "width|1000||80/4/4"},
        {"comma kept under tab", "width\t1,5", '\t', "width|1,5/2/2"},
        {"quoted semicolon", "\"a;b\";c", ';', "a;b|c/2/2"},
        {"unclosed quote", "width,\"1", ',',
         "width|1/2/2 a quoted field has no closing quote (a quoted field cannot span lines)"},
        {"text after quote", "\"a\"b,c", ',', "a/1/1 text follows a closing quote"},
        {"thirteen fields", "a,b,c,d,e,f,g,h,i,j,k,l,m", ',', "a|b|c|d|e|f|g|h|i|j|k|l/13/13"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitOf(c.line, c.separator), c.split) << c.name;
    }
}

TEST(Text, TrimsBlanksAndTheirLookAlikes) {
    const struct {
        const char* name;
        std::string text, trimmed;
    } cases[] = {
        {"ascii", " \tdiagonal \t", "diagonal"},
        {"no-break space", "diagonal\u00A0", "diagonal"},
        {"ideographic space", "\u3000\u3000width\u3000", "width"},
        {"en to hair space", "\u2002\u200Aheight\u2009", "height"},
        {"narrow no-break", "\u202F12\u205F", "12"},
        {"inner blanks stay", "16\u3000:9", "16\u3000:9"},
        {"only blanks", " \u00A0\u3000 ", ""},
        {"zero width space is no blank", "\u200B1", "\u200B1"},
        {"a lone lead byte stays", "\xE2", "\xE2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trimBlanks(c.text), c.trimmed) << c.name;
    }
}

TEST(Text, NamesTheLookAlikes) {
    const struct {
        char32_t c;
        std::string_view name;
    } cases[] = {
        {0x3000, "U+3000 ideographic space"},
        {0x00A0, "U+00A0 no-break space"},
        {0x200B, "U+200B zero width space"},
        {0x2005, "a Unicode space (U+2000..U+200A)"},
        {U' ', ""},
        {U'１', ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lookAlikeName(c.c), c.name) << static_cast<unsigned>(c.c);
    }
}

TEST(Text, RepairsCutsAndMeasuresUtf8) {
    const struct {
        const char* name;
        std::string text;
        std::size_t limit;
        std::string valid, first;
        std::size_t width;
    } cases[] = {
        {"ascii", "123456789", 6, "123456789", "123456", 9},
        {"chinese is wide", "屏幕12", 3, "屏幕12", "屏幕1", 6},
        {"full-width digits", "１２３", 2, "１２３", "１２", 6},
        {"stray byte",
         "1\xFF"
         "2",
         2, "1\uFFFD2", "1\xFF", 3},
        {"overlong form", "\xC0\xAF", 5, "\uFFFD\uFFFD", "\xC0\xAF", 2},
        {"cut lead byte", "12\xE5", 5, "12\uFFFD", "12\xE5", 3},
        {"beyond the basic plane counts twice", "1\U00020000", 2, "1\U00020000", "1", 3},
        {"and fits when two are left", "1\U00020000", 3, "1\U00020000", "1\U00020000", 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(validUtf8(c.text), c.valid) << c.name;
        EXPECT_EQ(firstChars(c.text, c.limit), c.first) << c.name;
        EXPECT_EQ(displayWidth(c.text), c.width) << c.name;
    }
}

TEST(Text, QuotesCsvFieldsAndMessages) {
    const struct {
        const char* name;
        std::string text, csv, message, escaped;
    } cases[] = {
        {"plain", "100", "100", "\"100\"", "100"},
        {"comma", "1,5", "\"1,5\"", "\"1,5\"", "1,5"},
        {"quote", "a\"b", "\"a\"\"b\"", "\"a\\\"b\"", "a\"b"},
        {"edge blank", " 1", "\" 1\"", "\" 1\"", " 1"},
        {"line end", "a\nb", "\"a\nb\"", "\"a\\nb\"", "a\\nb"},
        {"escape sequence", "\x1B]2", "\x1B]2", "\"\\u001B]2\"", "\\u001B]2"},
        {"bidi override", "\u202E1", "\u202E1", "\"\\u202E1\"", "\\u202E1"},
        {"backslash", "a\\b", "a\\b", "\"a\\\\b\"", "a\\b"},
        {"chinese", "屏幕", "屏幕", "\"屏幕\"", "屏幕"},
    };
    for (const auto& c : cases) {
        std::string csv, message;
        appendCsvField(csv, c.text);
        appendMessageString(message, c.text);
        EXPECT_EQ(csv, c.csv) << c.name;
        EXPECT_EQ(message, c.message) << c.name;
        EXPECT_EQ(withHiddenEscaped(c.text), c.escaped) << c.name;
    }
}

} // namespace
