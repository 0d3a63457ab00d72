// --quote: the text the web page shares, from the command line.

#include "cli/tests/run.h"

#include <gtest/gtest.h>

namespace {

const std::string help = " (see screencalc --help)\n";

// One line a case.
TEST(Screencalc, QuoteIsTheSharedText) {
    expectAll({
        {{"--diagonal", "100", "--quote"},
         0,
         "银幕尺寸（16：9，边框 12 毫米）\n幕面宽：2214 毫米\n幕面高：1245 毫米\n英寸：100 英寸\n"
         "含外框宽：2238 毫米\n含外框高：1269 毫米\n边框宽：12 毫米\n"},
        {{"--quote", "--diagonal", "x"},
         1,
         "",
         "--diagonal: \"x\" is not a number: only digits and one point are accepted\n"},
        {{"--quote", "--json", "--diagonal", "100"},
         2,
         "",
         "--json cannot be combined with --quote" + help},
        {{"--quote", "--room", "--farthest", "4000"},
         2,
         "",
         "--room cannot be combined with --quote" + help},
        {{"--quote", "--batch"}, 2, "", "--batch cannot be combined with --quote" + help},
    });
}

} // namespace
