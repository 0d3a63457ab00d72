// GB18030 decoding and encoding, and how a batch settles on its encoding.
// The expected bytes are those of Python's gb18030 codec.

#include "cli/encoding.h"

#include <gtest/gtest.h>

namespace {

using namespace screencalc;

TEST(Encoding, DecodesGb18030) {
    const struct {
        const char* name;
        std::string bytes;
        std::string utf8; // what was decoded, then "@N" where it stopped
    } cases[] = {
        {"ascii", "diagonal,100", "diagonal,100"},
        {"full-width colon",
         "16\xA3\xBA"
         "9",
         "16：9"},
        {"gbk words", "\xBF\xED\xB6\xC8,\xC6\xC1\xC4\xBB", "宽度,屏幕"},
        {"ideographic space", "\xA1\xA1", "\u3000"},
        {"euro of the extension", "\xA2\xE3", "€"},
        {"private use", "\xA3\xA0", "\uE5E5"},
        {"four bytes, first code", "\x81\x30\x81\x30", "\u0080"},
        {"four bytes, no-break space", "\x81\x30\x84\x32", "\u00A0"},
        {"four bytes, middle of a run", "\x81\x35\xF4\x37", "\u1E3F"},
        {"four bytes, last of the plane", "\x84\x31\xA4\x39", "\uFFFF"},
        {"beyond the basic plane", "\x94\x39\xFC\x36", "\U0001F600"},
        {"last character", "\xE3\x32\x9A\x35", "\U0010FFFF"},
        {"0x80 alone", "1\x80", "1@1"},
        {"0xFF alone", "\xFF", "@0"},
        {"lead byte at the end", "12\xC4", "12@2"},
        {"bad trail", "\xC4\x22", "@0"},
        {"half a four-byte code", "a\x81\x30\x81", "a@1"},
        {"unassigned four-byte code", "\x84\x31\xA5\x30", "@0"},
        {"user-defined four-byte code", "\xFE\x39\xFE\x39", "@0"},
    };
    for (const auto& c : cases) {
        std::string utf8;
        const std::size_t bad = decodeGb18030(c.bytes, utf8);
        EXPECT_EQ(bad == std::string::npos ? utf8 : utf8 + "@" + std::to_string(bad), c.utf8)
            << c.name;
    }
}

TEST(Encoding, EncodesGb18030) {
    const struct {
        const char* name;
        std::string utf8, bytes;
    } cases[] = {
        {"ascii", "row 1", "row 1"},
        {"two bytes", "幕面宽：", "\xC4\xBB\xC3\xE6\xBF\xED\xA3\xBA"},
        {"trail above 0x7F", "ü", "\xA8\xB9"},
        {"euro", "€", "\xA2\xE3"},
        {"four bytes", "\u00A0\u0080\uFFFF", "\x81\x30\x84\x32\x81\x30\x81\x30\x84\x31\xA4\x39"},
        {"four bytes, middle of a run", "\u1E3F", "\x81\x35\xF4\x37"},
        {"beyond the basic plane", "\U0001F600", "\x94\x39\xFC\x36"},
    };
    for (const auto& c : cases) {
        std::string bytes;
        encodeGb18030(c.utf8, bytes);
        EXPECT_EQ(bytes, c.bytes) << c.name;
    }
}

// Each line as the decoder gives it: "=" for UTF-8 as it stands, the decoded
// text, or "!" and the problem; one line a case.
TEST(Encoding, SettlesOnTheInputsEncodingLineByLine) {
    const std::string later = " (the lines before were UTF-8; --encoding gb18030 reads GB18030)";
    const struct {
        const char* name;
        TextEncoding given;
        std::vector<std::string> lines;
        std::string seen;
    } cases[] = {
        {"ascii stays undecided",
         TextEncoding::guess,
         {"a", "16\xA3\xBA"
               "9"},
         "=|16：9|"},
        {"utf-8 first",
         TextEncoding::guess,
         {"宽", "\xBF\xED"},
         "=|!not UTF-8 text: byte 1 is 0xBF" + later + "|"},
        {"gb18030 first",
         TextEncoding::guess,
         {"\xBF\xED", "宽"},
         "宽|!not GB18030 text: byte 3 is 0xBD|"},
        {"neither",
         TextEncoding::guess,
         {"1\x80", "\xBF\xED"},
         "!neither UTF-8 nor GB18030 text: byte 2 is 0x80|宽|"},
        {"utf-8 given", TextEncoding::utf8, {"\xBF\xED"}, "!not UTF-8 text: byte 1 is 0xBF|"},
        {"gb18030 given", TextEncoding::gb18030, {"a", "\xC4\xBB"}, "a|幕|"},
    };
    for (const auto& c : cases) {
        LineDecoder decoder(c.given);
        std::string seen, decoded;
        for (const std::string& line : c.lines) {
            switch (decoder.decode(line, decoded)) {
            case LineDecoder::Got::utf8:
                seen += "=|";
                break;
            case LineDecoder::Got::decoded:
                seen += decoded + "|";
                break;
            case LineDecoder::Got::bad:
                seen += "!" + decoder.problem() + "|";
                break;
            }
        }
        EXPECT_EQ(seen, c.seen) << c.name;
    }
}

} // namespace
