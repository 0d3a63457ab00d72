#include "cli/line_reader.h"
#include "cli/tests/run.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using screencalc::LineReader;

// Every line the reader gives, each followed by '|'; a line over the cap
// shows as "<long>", one of broken UTF-16 as "<bad>".
std::string linesOf(const std::string& input) {
    std::istringstream in(input);
    LineReader reader(in, [] { return true; });
    std::string line, seen;
    LineReader::Got got;
    while ((got = reader.next(line)) < LineReader::Got::end) {
        seen += (got == LineReader::Got::tooLong   ? "<long>"
                 : got == LineReader::Got::badText ? "<bad>"
                                                   : line) +
                "|";
    }
    return seen;
}

TEST(LineReader, EndsLinesAsEverySystemWritesThem) {
    const std::string over(screencalc::lineCap + 1, 'x');
    const struct {
        std::string input, lines;
    } cases[] = {
        {"", ""},
        {"a\nb", "a|b|"},
        {"a\r\nb\r\n", "a|b|"},
        {"a\rb\r\r\nc", "a|b||c|"}, // a lone CR, as old spreadsheets end lines
        {"\n\n", "||"},
        {std::string(screencalc::lineCap, 'x') + "\n", std::string(screencalc::lineCap, 'x') + "|"},
        {"a\n" + over + "\r\n" + over + over + "\nb", "a|<long>|<long>|b|"},
        {over, "<long>|"},
        {"\xEF\xBB\xBF"
         "a",
         "a|"},
        // UTF-16 is read in pieces: a character may straddle two of them.
        {utf16(std::u16string(4096, u'x') + u"\U0001F600\r\n\u00E9", true),
         std::string(4096, 'x') + "\U0001F600|\u00E9|"},
        {utf16(u"a\nb", false) + "c", "a|<bad>|"},
        {utf16(u"\xDC00\n\xD800", true), "<bad>|<bad>|"},
        // Without a byte order mark, NUL bytes in every other place of the first line tell.
        {utf16(u"a\r\n\u5BBD", true, false), "a|\u5BBD|"},
        {utf16(u"\u5BBD,1\r\nb", true, false), "\u5BBD,1|b|"},
        {utf16(u"a\r\nb", false, false), "a|b|"},
        {utf16(std::u16string(300, u'x'), true, false), std::string(300, 'x') + "|"},
        {std::string("a\0b\0\0\n", 6), std::string("a\0b\0\0", 5) + "|"}, // no UTF-16
        {"\xEF\xBB", "\xEF\xBB|"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(linesOf(c.input), c.lines) << c.input.substr(0, 20);
    }
}

TEST(LineReader, StopsWhenAskedBeforeARead) {
    std::istringstream in("a\nb\n");
    LineReader reader(in, [] { return false; });
    std::string line;
    EXPECT_EQ(reader.next(line), LineReader::Got::stopped);
    EXPECT_FALSE(reader.readAny());
}

} // namespace
