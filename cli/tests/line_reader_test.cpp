#include "cli/line_reader.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using screencalc::LineReader;

// Every line the reader gives, each followed by '|'; a line over the cap
// shows as "<long>".
std::string linesOf(const std::string& input) {
    std::istringstream in(input);
    LineReader reader(in, [] { return true; });
    std::string line, seen;
    LineReader::Got got;
    while ((got = reader.next(line)) == LineReader::Got::line || got == LineReader::Got::tooLong) {
        seen += (got == LineReader::Got::tooLong ? "<long>" : line) + "|";
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
