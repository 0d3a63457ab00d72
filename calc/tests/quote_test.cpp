// The quote a seller shares: what each line says for results as the window
// shows them, blanks and all.

#include "calc/quote.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace calc {
namespace {

struct QuoteRow {
    const char* name;
    Option ratio;
    std::array<std::string, 6> results; // w, h, inch1, w1, h1, bkw as shown
    std::string quote;
};

class Quote : public testing::TestWithParam<QuoteRow> {};

TEST_P(Quote, Reads) {
    EXPECT_EQ(quoteText(GetParam().ratio, GetParam().results), GetParam().quote);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Quote,
    testing::Values(
        QuoteRow{"diagonal100",
                 Option::ratio16x9,
                 {"2214 ", "1245 ", "100 ", "2238 ", "1269 ", "12"},
                 "银幕尺寸（16：9，边框 12 毫米）\n幕面宽：2214 毫米\n幕面高：1245 毫米\n"
                 "英寸：100 英寸\n含外框宽：2238 毫米\n含外框高：1269 毫米\n边框宽：12 毫米\n"},
        QuoteRow{"fourByThree",
                 Option::ratio4x3,
                 {"2032 ", "1524 ", "100 ", "2046 ", "1538 ", "7"},
                 "银幕尺寸（4：3，边框 7 毫米）\n幕面宽：2032 毫米\n幕面高：1524 毫米\n"
                 "英寸：100 英寸\n含外框宽：2046 毫米\n含外框高：1538 毫米\n边框宽：7 毫米\n"},
        QuoteRow{"hundredths",
                 Option::ratio16x9,
                 {" 1000 ", "562 ", "45.17 ", "1160 ", "722 ", "80"},
                 "银幕尺寸（16：9，边框 80 毫米）\n幕面宽：1000 毫米\n幕面高：562 毫米\n"
                 "英寸：45.17 英寸\n含外框宽：1160 毫米\n含外框高：722 毫米\n边框宽：80 毫米\n"},
        QuoteRow{"nothingEntered",
                 Option::ratio16x9,
                 {"0", "0", "0", "0", "0", "0"},
                 "银幕尺寸（16：9，边框 0 毫米）\n幕面宽：0 毫米\n幕面高：0 毫米\n"
                 "英寸：0 英寸\n含外框宽：0 毫米\n含外框高：0 毫米\n边框宽：0 毫米\n"}),
    [](const testing::TestParamInfo<QuoteRow>& info) { return std::string(info.param.name); });

} // namespace
} // namespace calc
