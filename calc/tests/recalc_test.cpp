// The recalculations, driven through the headless view as the window would
// drive them: pick a ratio and a frame, then type or paste an entry.

#include "case_name.h"
#include "headless_view.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace calc {
namespace {

constexpr std::array<Result, 6> allResults{Result::w,  Result::h,  Result::inch1,
                                           Result::w1, Result::h1, Result::bkw};

// `want` lists the six label texts w|h|inch1|w1|h1|bkw, blanks included.
void expectShown(const HeadlessView& v, std::string_view want) {
    for (Result r : allResults) {
        const auto bar = want.find('|');
        EXPECT_EQ(v.resultText(r), want.substr(0, bar)) << nameOf(r);
        want.remove_prefix(bar == std::string_view::npos ? want.size() : bar + 1);
    }
}

struct EntryCase {
    const char* name;
    Entry entry;
    const char* text;
    Option ratio;
    Option frame;
    const char* want;
};

class Entries : public testing::TestWithParam<EntryCase> {};

TEST_P(Entries, ShowSixExactTexts) {
    const auto& c = GetParam();
    HeadlessView v;
    v.select(c.ratio);
    v.select(c.frame);
    v.setEntryText(c.entry, c.text);
    expectShown(v, c.want);
    for (const Outcome& o : v.runs()) {
        EXPECT_TRUE(o.ok()) << describe(o);
    }
}

constexpr Option r169 = Option::opt169, r43 = Option::opt43;
constexpr Option f80 = Option::Option1, f12 = Option::Option2, f45 = Option::Option3,
                 f65 = Option::Option4, f90 = Option::Option5;

INSTANTIATE_TEST_SUITE_P(
    Diagonal, Entries,
    testing::Values(
        EntryCase{"D100_169_12", Entry::inch, "100", r169, f12, "2214 |1245 |100  |2238 |1269 |12"},
        EntryCase{"D100_169_80", Entry::inch, "100", r169, f80, "2214 |1245 |100  |2374 |1405 |80"},
        EntryCase{"D100_43_80_UsesFrame7", Entry::inch, "100", r43, f80,
                  "2032 |1524 |100  |2046 |1538 |7"},
        EntryCase{"D100_43_45_Gives169", Entry::inch, "100", r43, f45,
                  "2214 |1245 |100  |2304 |1335 |45"},
        EntryCase{"D0_169_12", Entry::inch, "0", r169, f12, "0 |0 |0  |24 |24 |12"},
        EntryCase{"D84_5_169_65", Entry::inch, "84.5", r169, f65,
                  "1871 |1052 |85  |2001 |1182 |65"},
        EntryCase{"D120_169_90", Entry::inch, "120", r169, f90, "2657 |1494 |120  |2837 |1674 |90"},
        EntryCase{"D5Point_169_12", Entry::inch, "5.", r169, f12, "111 |62 |5  |135 |86 |12"},
        EntryCase{"D999999_169_12", Entry::inch, "999999", r169, f12,
                  "22137998 |12452624 |999999  |22138022 |12452648 |12"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Width, Entries,
    testing::Values(
        EntryCase{"W1000_12", Entry::mw, "1000", r169, f12, "1000 |563 |45.17 |1024 |587 |12"},
        EntryCase{"W1000_80_BareInches", Entry::mw, "1000", r169, f80,
                  "1000 |563 |45.17|1160 |723 |80"},
        EntryCase{"W1920_90", Entry::mw, "1920", r169, f90, "1920 |1080 |86.73 |2100 |1260 |90"},
        EntryCase{"W3000_65", Entry::mw, "3000", r169, f65, "3000 |1688 |135.51 |3130 |1818 |65"},
        EntryCase{"W3000_45", Entry::mw, "3000", r169, f45, "3000 |1688 |135.51 |3090 |1778 |45"},
        EntryCase{"W0_12", Entry::mw, "0", r169, f12, "0 |0 |0.00 |24 |24 |12"},
        EntryCase{"W999999999_12", Entry::mw, "999999999", r169, f12,
                  "999999999 |562499999 |45171157.99 |1000000023 |562500023 |12"},
        EntryCase{"W1000_43_Same", Entry::mw, "1000", r43, f12, "1000 |563 |45.17 |1024 |587 |12"},
        EntryCase{"WPoint5_OverallFromRounded", Entry::mw, ".5", r169, f12,
                  "1 |0 |0.02 |25 |24 |12"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Height, Entries,
    testing::Values(
        EntryCase{"H0_12", Entry::mh, "0", r169, f12, "0 |0 |0.00 |24 |24 |12"},
        EntryCase{"H1000_12", Entry::mh, "1000", r169, f12, "1778 |1000 |80.30 |1802 |1024 |12"},
        EntryCase{"H900_80", Entry::mh, "900", r169, f80, "1600 |900 |72.27 |1760 |1060 |80"},
        EntryCase{"H5_12", Entry::mh, "5", r169, f12, "9 |5 |0.40 |33 |29 |12"},
        EntryCase{"H2_53125_80_FullRatio", Entry::mh, "2.53125", r169, f80,
                  "5 |3 |0.20 |165 |163 |80"},
        EntryCase{"H2_53125_45_ShortRatio", Entry::mh, "2.53125", r169, f45,
                  "4 |3 |0.20 |94 |93 |45"},
        // Only the 12 mm option takes the twelve-sevens ratio for the
        // diagonal; at this height the two ratios round apart.
        EntryCase{"H100000427_12_LongRatioDiagonal", Entry::mh, "100000427", r169, f12,
                  "177778537 |100000427 |8030462.39 |177778561 |100000451 |12"},
        EntryCase{"H999999999_12", Entry::mh, "999999999", r169, f12,
                  "1777777776 |999999999 |80304280.87 |1777777800 |1000000023 |12"},
        EntryCase{"H100000427_45_ShortRatioDiagonal", Entry::mh, "100000427", r169, f45,
                  "177778537 |100000427 |8030462.38 |177778627 |100000517 |45"},
        EntryCase{"H1000_43_Same", Entry::mh, "1000", r43, f12,
                  "1778 |1000 |80.30 |1802 |1024 |12"},
        EntryCase{"H5Point", Entry::mh, "5.", r169, f90, "9 |5 |0.40 |189 |185 |90"}),
    [](const auto& info) { return std::string(info.param.name); });

// Runs a script of user actions: "inch=100" types a text into an entry,
// "opt43" or "Option3" clicks a button. Returns the last handler's outcome.
Outcome play(HeadlessView& v, std::string_view script) {
    Outcome last;
    while (!script.empty()) {
        const auto space = script.find(' ');
        const std::string_view step = script.substr(0, space);
        script.remove_prefix(space == std::string_view::npos ? script.size() : space + 1);
        const auto eq = step.find('=');
        if (eq != std::string_view::npos) {
            for (Entry e : {Entry::inch, Entry::mw, Entry::mh}) {
                if (nameOf(e) == step.substr(0, eq)) {
                    v.clearRuns();
                    v.setEntryText(e, step.substr(eq + 1));
                    last = v.runs().empty() ? Outcome{} : v.runs().back();
                }
            }
            continue;
        }
        for (int o = 0; o <= static_cast<int>(Option::Option5); ++o) {
            if (nameOf(static_cast<Option>(o)) == step) {
                last = v.select(static_cast<Option>(o));
            }
        }
    }
    return last;
}

// A ratio click recomputes from the diagonal with the 7 mm frame; a frame
// click adds its frame to the shown width and height and restyles Shape1.
struct SequenceCase {
    const char* name;
    const char* script;
    const char* want;
    int outlineWidth;
    Colour outlineColour;
};

class Selections : public testing::TestWithParam<SequenceCase> {};

TEST_P(Selections, RecomputeAsClicked) {
    const auto& c = GetParam();
    HeadlessView v;
    const Outcome o = play(v, c.script);
    EXPECT_TRUE(o.ok()) << describe(o);
    expectShown(v, c.want);
    EXPECT_EQ(v.shapeOutlineWidth(), c.outlineWidth);
    EXPECT_EQ(v.shapeOutlineColour(), c.outlineColour);
}

INSTANTIATE_TEST_SUITE_P(
    RatioAndFrame, Selections,
    testing::Values(
        SequenceCase{"To169", "opt43 inch=100 opt169", "2214 |1245 |100  |2228 |1259 |7", 6,
                     0x0000FF},
        SequenceCase{"To43", "inch=100 opt43", "2032 |1524 |100  |2046 |1538 |7", 6, 0x0000FF},
        SequenceCase{"To169HalfInch", "opt43 inch=84.5 opt169", "1871 |1052 |85  |1885 |1066 |7", 6,
                     0x0000FF},
        SequenceCase{"RatioWithEmptyDiagonal", "mw=1000 opt43", "1000 |563 |45.17 |1024 |587 |12",
                     6, 0x0000FF},
        SequenceCase{"Frame80", "inch=100 Option1", "2214 |1245 |100  |2374|1405|80", 6, 0x0000FF},
        SequenceCase{"Frame12AfterRatio", "Option3 opt43 inch=100 opt169 Option2",
                     "2214 |1245 |100  |2238|1269|12", 1, 0x008080},
        SequenceCase{"RatioAfterFrameKeepsOption", "inch=100 Option1 Option2 opt43",
                     "2032 |1524 |100  |2046 |1538 |7", 1, 0x008080},
        SequenceCase{"Frame45AtStart", "Option3", "0|0|0|90|90|45", 3, 0x800080},
        SequenceCase{"Frame65", "inch=100 Option4", "2214 |1245 |100  |2344|1375|65", 4, 0xC0C000},
        SequenceCase{"Frame90", "inch=100 Option5", "2214 |1245 |100  |2394|1425|90", 7, 0x0080FF}),
    [](const auto& info) { return std::string(info.param.name); });

// Pasted text that is not a number stops at the first step that reads it;
// so does a pasted number so large that a product overflows.
struct FailureCase {
    const char* name;
    const char* before;
    std::string failing; // one step
    Stop stop;
    const char* want; // what the labels show afterwards
};

class Failures : public testing::TestWithParam<FailureCase> {};

TEST_P(Failures, StopAtTheFailingStep) {
    const auto& c = GetParam();
    HeadlessView v;
    play(v, c.before);
    const Outcome o = play(v, c.failing);
    EXPECT_EQ(o.stop, c.stop);
    EXPECT_EQ(o.at, Result::w);
    expectShown(v, c.want);
}

INSTANTIATE_TEST_SUITE_P(
    Pasted, Failures,
    testing::Values(
        FailureCase{"DiagonalLetters", "inch=100", "inch=12a", Stop::notANumber,
                    "2214 |1245 |100  |2238 |1269 |12"},
        FailureCase{"WidthSecondPoint", "", "mw=1.2.3", Stop::notANumber, "0|0|0|0|0|0"},
        FailureCase{"HeightSign", "mh=1000", "mh=-5", Stop::notANumber,
                    "1778 |1000 |80.30 |1802 |1024 |12"},
        FailureCase{"RatioClickOnPastedDiagonal", "inch=100 inch=x", "opt43", Stop::notANumber,
                    "2214 |1245 |100  |2238 |1269 |12"},
        FailureCase{"HeightOverflow", "mh=1000", "mh=17" + std::string(307, '0'), Stop::notFinite,
                    "1778 |1000 |80.30 |1802 |1024 |12"},
        // Its 15-digit text would stand for more than the largest double.
        FailureCase{"WidthAtTopOfRange", "", "mw=17976931348623157" + std::string(292, '0'),
                    Stop::notFinite, "0|0|0|0|0|0"},
        FailureCase{"DiagonalOverflow", "inch=100", "inch=1" + std::string(308, '0'),
                    Stop::notFinite, "2214 |1245 |100  |2238 |1269 |12"}),
    [](const auto& info) { return std::string(info.param.name); });

// The focus rule keeps a second entry from holding text; if one still does,
// emptying it runs its handler, which empties this entry too.
TEST(NestedChange, SecondEntryWithTextEmptiesThisOneAndStops) {
    HeadlessView v;
    v.setEntryText(Entry::mw, "1000");
    v.clearRuns();
    v.setLogging(true);
    v.setEntryText(Entry::inch, "100");

    const std::vector<std::string> want{
        "inch='100'", "run inch_Change", "mw=''",   "run mw_Change", // inch still holds text here
        "inch=''",    "run inch_Change", "inch=''", "mw=''",
        "mh=''",      "mw=''",           "mh=''", // the rest of the width's empty case
        "mh=''",                                  // back in the diagonal's frame block
    };
    EXPECT_EQ(v.log(), want);
    ASSERT_EQ(v.runs().size(), 3u);
    EXPECT_EQ(v.runs().back().stop, Stop::entryEmptied);
    EXPECT_EQ(v.runs().back().at, Result::w);
    for (Entry e : {Entry::inch, Entry::mw, Entry::mh}) {
        EXPECT_EQ(v.entryText(e), "");
    }
    // The results of the width stay on show.
    expectShown(v, "1000 |563 |45.17 |1024 |587 |12");
}

} // namespace
} // namespace calc
