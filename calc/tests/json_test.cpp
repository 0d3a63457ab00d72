// JSON string literals as screencalc's --json lines and the web module's
// answers carry them: every one must parse, and stay on one line.

#include "calc/json.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace calc {
namespace {

struct Literal {
    const char* name;
    std::string text;
    bool escapeHidden;
    std::string json;
};

class JsonString : public testing::TestWithParam<Literal> {};

TEST_P(JsonString, IsWrittenAs) {
    std::string out = "x";
    appendJsonString(out, GetParam().text, GetParam().escapeHidden);
    EXPECT_EQ(out, "x" + GetParam().json);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonString,
    testing::Values(Literal{"empty", "", false, R"("")"},
                    Literal{"plain", "16：9 宽", false, "\"16：9 宽\""},
                    Literal{"quoteAndBackslash", R"(a"b\c)", false, R"("a\"b\\c")"},
                    Literal{"shortForms", "\n\r\t\b\f", false, R"("\n\r\t\b\f")"},
                    Literal{"otherControls", "\x01\x1f"s, false, R"("\u0001\u001f")"},
                    Literal{"nul", "a\0b"s, false, R"("a\u0000b")"},
                    Literal{"delKeptRaw", "\x7f", false, "\"\x7f\""},
                    Literal{"lineSeparators", "\u2028\u2029", false, R"("\u2028\u2029")"},
                    Literal{"formatCharKept", "a\u202Eb", false, "\"a\u202Eb\""},
                    Literal{"formatCharEscaped", "a\u202Eb", true, R"("a\u202eb")"},
                    Literal{"delEscaped", "\x7f", true, R"("\u007f")"},
                    Literal{"tagBeyondPlaneEscaped", "\U000E0041", true, R"("\udb40\udc41")"},
                    Literal{"emojiKept", "\U0001F600", true, "\"\U0001F600\""},
                    Literal{"loneByteReplaced", "a\xFFz", false, "\"a\uFFFDz\""},
                    Literal{"cutSequenceReplaced", "\xE5\xAE", false, "\"\uFFFD\uFFFD\""},
                    Literal{"overlongReplaced", "\xC0\xAF", false, "\"\uFFFD\uFFFD\""},
                    Literal{"surrogateReplaced", "\xED\xA0\x80", false, "\"\uFFFD\uFFFD\uFFFD\""}),
    [](const testing::TestParamInfo<Literal>& row) { return std::string(row.param.name); });

} // namespace
} // namespace calc
