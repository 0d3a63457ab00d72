// The order of reads and writes, and the change rule that the handlers rely
// on: only a real change of an entry's text runs its handler.

#include "case_name.h"
#include "headless_view.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace calc {
namespace {

struct OrderCase {
    const char* name;
    Option ratio;
    Option frame;
    Entry entry;
    const char* before; // typed before logging starts
    const char* text;
    std::vector<std::string> log;
};

class WriteOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(WriteOrder, IsExact) {
    const auto& c = GetParam();
    HeadlessView v;
    v.select(c.ratio);
    v.select(c.frame);
    v.setEntryText(c.entry, c.before);
    v.setLogging(true);
    v.setEntryText(c.entry, c.text);
    EXPECT_EQ(v.log(), c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, WriteOrder,
    testing::Values(
        OrderCase{"Diagonal12",
                  Option::opt169,
                  Option::Option2,
                  Entry::inch,
                  "10",
                  "100",
                  {"inch='100'", "run inch_Change", "mw=''", "mh=''", "w='2214 '", "h='1245 '",
                   "inch1='100  '", "w1='2238 '", "h1='1269 '", "bkw='12'"}},
        OrderCase{"Diagonal80Under169",
                  Option::opt169,
                  Option::Option1,
                  Entry::inch,
                  "",
                  "1",
                  {"inch='1'", "run inch_Change", "mw=''", "mw=''", "mh=''", "w='22 '", "h='12 '",
                   "inch1='1  '", "w1='182 '", "h1='172 '", "bkw='80'", "mw=''", "mh=''"}},
        OrderCase{"Diagonal80Under43",
                  Option::opt43,
                  Option::Option1,
                  Entry::inch,
                  "",
                  "1",
                  {"inch='1'", "run inch_Change", "mw=''", "mw=''", "mh=''", "mw=''", "mh=''",
                   "w='20 '", "h='15 '", "inch1='1  '", "w1='34 '", "h1='29 '", "bkw='7'"}},
        OrderCase{"Width",
                  Option::opt169,
                  Option::Option5,
                  Entry::mw,
                  "",
                  "1920",
                  {"mw='1920'", "run mw_Change", "inch=''", "mh=''", "w='1920 '", "h='1080 '",
                   "inch1='86.73 '", "w1='2100 '", "h1='1260 '", "bkw='90'"}},
        OrderCase{"Height",
                  Option::opt169,
                  Option::Option2,
                  Entry::mh,
                  "",
                  "5",
                  {"mh='5'", "run mh_Change", "inch=''", "mw=''", "w='9 '", "h='5 '",
                   "inch1='0.40 '", "w1='33 '", "h1='29 '", "bkw='12'"}},
        // A lone point is emptied at once; the nested run on the empty text
        // touches no label.
        OrderCase{"LonePointDiagonal",
                  Option::opt169,
                  Option::Option2,
                  Entry::inch,
                  "",
                  ".",
                  {"inch='.'", "run inch_Change", "inch=''", "run inch_Change", "inch=''", "mw=''",
                   "mh=''"}},
        OrderCase{"LonePointDiagonal80",
                  Option::opt169,
                  Option::Option1,
                  Entry::inch,
                  "",
                  ".",
                  {"inch='.'", "run inch_Change", "inch=''", "run inch_Change", "mw=''"}},
        OrderCase{
            "LonePointWidth",
            Option::opt169,
            Option::Option2,
            Entry::mw,
            "",
            ".",
            {"mw='.'", "run mw_Change", "mw=''", "run mw_Change", "inch=''", "mw=''", "mh=''"}},
        OrderCase{
            "LonePointHeight",
            Option::opt169,
            Option::Option3,
            Entry::mh,
            "",
            ".",
            {"mh='.'", "run mh_Change", "mh=''", "run mh_Change", "inch=''", "mw=''", "mh=''"}},
        OrderCase{"DeletingLastCharacter",
                  Option::opt169,
                  Option::Option4,
                  Entry::mh,
                  "7",
                  "",
                  {"mh=''", "run mh_Change", "inch=''", "mw=''", "mh=''"}},
        OrderCase{"SameTextRunsNothing",
                  Option::opt169,
                  Option::Option2,
                  Entry::mw,
                  "12",
                  "12",
                  {"mw='12'"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EmptyEntry, KeepsTheLastResults) {
    for (Option frame : {Option::Option1, Option::Option2, Option::Option5}) {
        HeadlessView v;
        v.select(frame);
        v.setEntryText(Entry::inch, "100");
        const std::string w = v.resultText(Result::w), h1 = v.resultText(Result::h1);
        v.setEntryText(Entry::inch, "");
        EXPECT_EQ(v.resultText(Result::w), w) << nameOf(frame);
        EXPECT_EQ(v.resultText(Result::h1), h1) << nameOf(frame);
    }
}

TEST(FrameClick, WritesPlainSumsAndRestylesShape) {
    HeadlessView v;
    v.setEntryText(Entry::inch, "100");
    v.setLogging(true);
    v.select(Option::Option1);
    const std::vector<std::string> want{"run Option1_Click", "w1='2374'",
                                        "h1='1405'",         "bkw='80'",
                                        "shape width 6",     "shape colour 0x0000ff"};
    EXPECT_EQ(v.log(), want);

    v.clearLog();
    v.select(Option::Option1); // already selected: no click
    EXPECT_TRUE(v.log().empty());
}

} // namespace
} // namespace calc
