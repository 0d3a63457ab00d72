// The recalculations, driven through the headless view as the window drives
// them: a script of clicks and entry texts, then what the labels show or
// what changed, in order.

#include "headless_view.h"

#include <gtest/gtest.h>
#include <string>

namespace calc {
namespace {

// Plays a script: "inch=100" puts a text into an entry field, as typing or
// pasting does ("inch=" empties it); "opt43" or "Option3" clicks that button.
// Gives the outcome of the last step.
Outcome play(HeadlessView& v, std::string_view script) {
    Outcome last;
    while (!script.empty()) {
        const std::string_view step = script.substr(0, script.find(' '));
        script.remove_prefix(std::min(script.size(), step.size() + 1));
        const auto eq = step.find('=');
        for (const EntryField& f : entryFields) {
            if (f.name == step.substr(0, eq)) {
                v.clearRuns();
                v.setEntryText(f.entry, step.substr(eq + 1));
                last = v.runs().empty() ? Outcome{} : v.runs().back();
            }
        }
        for (std::size_t o = 0; o < optionNames.size(); ++o) {
            if (optionNames[o] == step) {
                last = v.select(static_cast<Option>(o));
            }
        }
    }
    return last;
}

// The labels w|h|inch1|w1|h1|bkw after the script, then Shape1's outline once
// a frame handler has set it, then where the last step stopped, if it did.
std::string shown(std::string_view script) {
    HeadlessView v;
    const Outcome o = play(v, script);
    std::string s;
    for (const ResultLabel& l : resultLabels) {
        s += (l.result == Result::w ? "" : "|") + v.resultText(l.result);
    }
    if (v.frameOutline()) {
        s += " outline " + std::string(nameOf(*v.frameOutline()));
    }
    static constexpr const char* stops[] = {"", "notANumber", "notFinite", "entryEmptied"};
    if (!o.ok()) {
        s += std::string(" stop ") + stops[static_cast<int>(o.stop)] + "@" + nameOf(o.at).data();
    }
    return s;
}

// What the script changes after `before`, in order, each change once.
std::string changes(std::string_view before, std::string_view script) {
    HeadlessView v;
    play(v, before);
    v.setLogging(true);
    play(v, script);
    std::string s;
    for (const std::string& line : v.log()) {
        s += (s.empty() ? "" : " ") + line;
    }
    return s;
}

// Which buttons a handler asks about, in order.
struct AskingView : HeadlessView {
    mutable std::string asked;
    bool isSelected(Option o) const override {
        asked += (asked.empty() ? "" : " ") + std::string(nameOf(o));
        return HeadlessView::isSelected(o);
    }
};
std::string asked(std::string_view before, std::string_view script) {
    AskingView v;
    play(v, before);
    v.asked.clear();
    play(v, script);
    return v.asked;
}

#define EXPECT_SHOWN(script, want) EXPECT_EQ(shown(script), want) << (script)
#define EXPECT_CHANGES(before, script, want) EXPECT_EQ(changes(before, script), want) << (script)

const std::string zeros292(292, '0');

TEST(Diagonal, ShowsSixTexts) {
    EXPECT_SHOWN("inch=100", "2214 |1245 |100  |2238 |1269 |12");
    EXPECT_SHOWN("Option1 inch=100", "2214 |1245 |100  |2374 |1405 |80 outline Option1");
    EXPECT_SHOWN("opt43 Option1 inch=100", "2032 |1524 |100  |2046 |1538 |7 outline Option1");
    EXPECT_SHOWN("opt43 Option3 inch=100", "2214 |1245 |100  |2304 |1335 |45 outline Option3");
    EXPECT_SHOWN("inch=0", "0 |0 |0  |24 |24 |12");
    EXPECT_SHOWN("Option4 inch=84.5", "1871 |1052 |85  |2001 |1182 |65 outline Option4");
    EXPECT_SHOWN("Option5 inch=120", "2657 |1494 |120  |2837 |1674 |90 outline Option5");
    EXPECT_SHOWN("inch=5.", "111 |62 |5  |135 |86 |12");
    EXPECT_SHOWN("inch=.5", "11 |6 |1  |35 |30 |12");
    EXPECT_SHOWN("inch=999999", "22137998 |12452624 |999999  |22138022 |12452648 |12");
}

// Entries at rounding boundaries, where another 16:9 rounding, exact 16/9 or
// 4/3, another grouping, a frame added to rounded sizes or rounding without
// the 15-digit step would show another number. Some are longer than a field
// admits: the core computes whatever text it is given.
TEST(Diagonal, KeepsEachConstantWhereItIsUsed) {
    EXPECT_SHOWN("inch=55211", "1222262 |687523 |55211  |1222286 |687547 |12");
    EXPECT_SHOWN("Option1 inch=55211",
                 "1222262 |687522 |55211  |1222422 |687683 |80 outline Option1");
    EXPECT_SHOWN("Option1 inch=400000",
                 "8855208 |4981054 |400000  |8855368 |4981215 |80 outline Option1");
    EXPECT_SHOWN("inch=1373", "30396 |17097 |1373  |30420 |17121 |12");
    EXPECT_SHOWN("inch=8030.387942919511", "177777 |100000 |8030  |177801 |100024 |12");
    EXPECT_SHOWN("inch=80.34443309107482", "1779 |1001 |80  |1803 |1024 |12");
    EXPECT_SHOWN("inch=45.19374361392731", "1001 |563 |45  |1024 |587 |12");
    EXPECT_SHOWN("inch=4516.505992857514", "99986 |56242 |4517  |100011 |56266 |12");
    EXPECT_SHOWN("inch=8029.343987267119", "177754 |99986 |8029  |177778 |100011 |12");
    EXPECT_SHOWN("Option1 inch=4514.428119587908",
                 "99940 |56217 |4514  |100101 |56377 |80 outline Option1");
    EXPECT_SHOWN("Option1 inch=8025.6499903433905",
                 "177672 |99940 |8026  |177832 |100101 |80 outline Option1");
    EXPECT_SHOWN("opt43 Option1 inch=514", "10445 |7833 |514  |10459 |7847 |7 outline Option1");
    EXPECT_SHOWN("opt43 Option1 inch=677", "13757 |10318 |677  |13771 |10332 |7 outline Option1");
    EXPECT_SHOWN("opt43 Option1 inch=65.64947500009816",
                 "1334 |1001 |66  |1348 |1015 |7 outline Option1");
    EXPECT_SHOWN("opt43 Option1 inch=64.73084166676344",
                 "1315 |986 |65  |1329 |1001 |7 outline Option1");
    EXPECT_SHOWN("opt43 Option1 inch=6561.108925009809",
                 "133322 |99991 |6561  |133336 |100006 |7 outline Option1");
}

TEST(Width, ShowsSixTextsAlways169) {
    EXPECT_SHOWN("mw=1000", "1000 |563 |45.17 |1024 |587 |12");
    EXPECT_SHOWN("Option1 mw=1000", "1000 |563 |45.17|1160 |723 |80 outline Option1");
    EXPECT_SHOWN("opt43 Option5 mw=1920", "1920 |1080 |86.73 |2100 |1260 |90 outline Option5");
    EXPECT_SHOWN("Option4 mw=3000", "3000 |1688 |135.51 |3130 |1818 |65 outline Option4");
    EXPECT_SHOWN("Option3 mw=3000", "3000 |1688 |135.51 |3090 |1778 |45 outline Option3");
    EXPECT_SHOWN("mw=0", "0 |0 |0.00 |24 |24 |12");
    EXPECT_SHOWN("mw=999999999", "999999999 |562499999 |45171157.99 |1000000023 |562500023 |12");
    EXPECT_SHOWN("opt43 mw=1000", "1000 |563 |45.17 |1024 |587 |12");
    EXPECT_SHOWN("mw=.5", "1 |0 |0.02 |25 |24 |12");
    EXPECT_SHOWN("mw=5.", "5 |3 |0.23 |29 |27 |12");
    EXPECT_SHOWN("mw=2.5", "3 |1 |0.11 |27 |25 |12");
    EXPECT_SHOWN("mw=8", "8 |5 |0.36 |32 |29 |12");
    EXPECT_SHOWN("mw=1778.6666666588762", "1779 |1001 |80.34 |1803 |1025 |12");
    EXPECT_SHOWN("mw=2337", "2337 |1315 |105.56 |2361 |1339 |12");
    EXPECT_SHOWN("mw=221.49089009999892", "221 |125 |10.01 |245 |149 |12");
    EXPECT_SHOWN("mw=99999.49999999994", "99999 |56250 |4517.09 |100023 |56274 |12");
}

TEST(Height, ShowsSixTextsAlways169) {
    EXPECT_SHOWN("mh=1000", "1778 |1000 |80.30 |1802 |1024 |12");
    EXPECT_SHOWN("Option1 mh=900", "1600 |900 |72.27 |1760 |1060 |80 outline Option1");
    EXPECT_SHOWN("mh=5", "9 |5 |0.40 |33 |29 |12");
    EXPECT_SHOWN("Option1 mh=2.53125", "5 |3 |0.20 |165 |163 |80 outline Option1");
    EXPECT_SHOWN("Option3 mh=2.53125", "4 |3 |0.20 |94 |93 |45 outline Option3");
    EXPECT_SHOWN("mh=999999999", "1777777776 |999999999 |80304280.87 |1777777800 |1000000023 |12");
    EXPECT_SHOWN("opt43 mh=1000", "1778 |1000 |80.30 |1802 |1024 |12");
    EXPECT_SHOWN("Option5 mh=5.", "9 |5 |0.40 |189 |185 |90 outline Option5");
    EXPECT_SHOWN("Option1 mh=562.7812499999966", "1001 |563 |45.19 |1161 |723 |80 outline Option1");
    EXPECT_SHOWN("mh=562.7812500021212", "1000 |563 |45.19 |1024 |587 |12");
    EXPECT_SHOWN("Option3 mh=562.7812500021212", "1000 |563 |45.19 |1090 |653 |45 outline Option3");
    EXPECT_SHOWN("mh=562.7812500024595", "1001 |563 |45.19 |1025 |587 |12");
    EXPECT_SHOWN("Option1 mh=189841",
                 "337495 |189841 |15245.04 |337655 |190001 |80 outline Option1");
    EXPECT_SHOWN("mh=189841", "337495 |189841 |15245.05 |337519 |189865 |12");
    EXPECT_SHOWN("Option3 mh=189841",
                 "337495 |189841 |15245.04 |337585 |189931 |45 outline Option3");
    EXPECT_SHOWN("mh=674196", "1198571 |674196 |54140.82 |1198595 |674220 |12");
    EXPECT_SHOWN("mh=124.5886256813039", "221 |125 |10.01 |245 |149 |12");
    EXPECT_SHOWN("Option1 mh=153.72779450692195", "273 |154 |12.34 |433 |314 |80 outline Option1");
}

// A ratio click recomputes from the diagonal with the 7 mm frame, or does
// nothing while it is empty; a frame click adds its frame to the shown w and
// h, written plain, and restyles Shape1.
TEST(Clicks, RecomputeAsTheyShould) {
    EXPECT_SHOWN("opt43 inch=100 opt169", "2214 |1245 |100  |2228 |1259 |7");
    EXPECT_SHOWN("inch=100 opt43", "2032 |1524 |100  |2046 |1538 |7");
    EXPECT_SHOWN("opt43 inch=84.5 opt169", "1871 |1052 |85  |1885 |1066 |7");
    EXPECT_SHOWN("opt43 inch=55211 opt169", "1222262 |687523 |55211  |1222276 |687537 |7");
    EXPECT_SHOWN("opt43 inch=4516.731848647689 opt169", "99991 |56245 |4517  |100006 |56259 |7");
    EXPECT_SHOWN("inch=65.64947500009816 opt43", "1334 |1001 |66  |1348 |1015 |7");
    EXPECT_SHOWN("mw=1000 opt43", "1000 |563 |45.17 |1024 |587 |12");
    EXPECT_SHOWN("opt43", "0|0|0|0|0|0");
    EXPECT_SHOWN("inch=100 Option1", "2214 |1245 |100  |2374|1405|80 outline Option1");
    EXPECT_SHOWN("Option3 opt43 inch=100 opt169 Option2",
                 "2214 |1245 |100  |2238|1269|12 outline Option2");
    EXPECT_SHOWN("inch=100 Option1 Option2 opt43",
                 "2032 |1524 |100  |2046 |1538 |7 outline Option2");
    EXPECT_SHOWN("Option3", "0|0|0|90|90|45 outline Option3");
    EXPECT_SHOWN("inch=100 Option4", "2214 |1245 |100  |2344|1375|65 outline Option4");
    EXPECT_SHOWN("inch=100 Option5", "2214 |1245 |100  |2394|1425|90 outline Option5");
}

// Pasted text that is not a number, and a number whose result overflows,
// stop the handler at that result; labels before it keep their new texts.
TEST(Failures, StopAtTheFailingStep) {
    EXPECT_SHOWN("inch=100 inch=12a", "2214 |1245 |100  |2238 |1269 |12 stop notANumber@w");
    EXPECT_SHOWN("mw=1.2.3", "0|0|0|0|0|0 stop notANumber@w");
    EXPECT_SHOWN("mh=1000 mh=-5", "1778 |1000 |80.30 |1802 |1024 |12 stop notANumber@w");
    EXPECT_SHOWN("inch=100 inch=x opt43", "2214 |1245 |100  |2238 |1269 |12 stop notANumber@w");
    EXPECT_SHOWN("mh=1000 mh=17" + std::string(307, '0'),
                 "1778 |1000 |80.30 |1802 |1024 |12 stop notFinite@w");
    EXPECT_SHOWN("mw=17976931348623157" + zeros292, "0|0|0|0|0|0 stop notFinite@w");
    EXPECT_SHOWN("inch=1" + std::string(308, '0'), "0|0|0|0|0|0 stop notFinite@w");
    // h times ratio169Short fits, h times ratio169Long does not.
    EXPECT_TRUE(
        shown("mh=10112023883624858" + zeros292).ends_with("|0|0|0|0 stop notFinite@inch1"));
    EXPECT_SHOWN("inch=.", "0|0|0|0|0|0");
}

// Only a real change of an entry's text runs its handler; a lone point is
// emptied at once; the results are written in the order w, h, inch1, w1,
// h1, bkw; an emptied entry leaves the results alone.
TEST(Changes, HappenInTheirOrder) {
    EXPECT_CHANGES("", "inch=100",
                   "inch='100' run inch_Change w='2214 ' h='1245 ' inch1='100  ' w1='2238 ' "
                   "h1='1269 ' bkw='12'");
    EXPECT_CHANGES("", "mh=5",
                   "mh='5' run mh_Change w='9 ' h='5 ' inch1='0.40 ' w1='33 ' h1='29 ' bkw='12'");
    EXPECT_CHANGES("", "inch=.", "inch='.' run inch_Change inch='' run inch_Change");
    EXPECT_CHANGES("", "mw=.", "mw='.' run mw_Change mw='' run mw_Change");
    EXPECT_CHANGES("", "mh=.", "mh='.' run mh_Change mh='' run mh_Change");
    EXPECT_CHANGES("mh=7", "mh=", "mh='' run mh_Change");
    EXPECT_SHOWN("Option1 mh=7 mh=", "12 |7 |0.56 |172 |167 |80 outline Option1");
    EXPECT_CHANGES("mw=12", "mw=12", "");
    EXPECT_CHANGES("inch=100", "opt43",
                   "run opt43_Click w='2032 ' h='1524 ' w1='2046 ' h1='1538 ' bkw='7'");
    EXPECT_CHANGES("inch=100", "Option1",
                   "run Option1_Click w1='2374' h1='1405' bkw='80' outline Option1");
    EXPECT_CHANGES("inch=100 Option1", "Option1", "");
}

// The focus rule keeps a second entry from holding text. If one still does,
// emptying it runs its handler, which empties this entry before it is read.
TEST(Changes, NestInsideTheHandlerThatMakesThem) {
    EXPECT_CHANGES("mw=1000", "inch=100",
                   "inch='100' run inch_Change mw='' run mw_Change inch='' run inch_Change");
    EXPECT_SHOWN("mw=1000 inch=100", "1000 |563 |45.17 |1024 |587 |12 stop entryEmptied@w");
    EXPECT_CHANGES("inch=100", "mw=1000",
                   "mw='1000' run mw_Change inch='' run inch_Change mw='' run mw_Change");
    EXPECT_CHANGES("Option1 mh=7", "inch=1",
                   "inch='1' run inch_Change mh='' run mh_Change inch='' run inch_Change");
    EXPECT_SHOWN("Option1 mh=7 inch=1",
                 "12 |7 |0.56 |172 |167 |80 outline Option1 stop entryEmptied@w");
    // Under 80 mm the diagonal empties mw before it looks at its own text.
    EXPECT_SHOWN("Option1 mw=7 inch=1", "7 |4 |0.32|167 |164 |80 outline Option1");
}

// Each frame option, and under 80 mm each ratio, is asked about with its own
// test: exactly one is selected, and nothing may depend on which comes first.
TEST(Changes, AskEveryOptionInTurn) {
    const std::string frames = "Option1 Option2 Option3 Option4 Option5";
    EXPECT_EQ(asked("", "inch=1"), frames);
    EXPECT_EQ(asked("Option4", "mh=1"), frames);
    EXPECT_EQ(asked("Option5", "mw=1"), frames);
    EXPECT_EQ(asked("Option1", "inch=1"), "Option1 opt169 opt43 Option2 Option3 Option4 Option5");
    EXPECT_EQ(asked("Option1 opt43", "inch=1"),
              "Option1 opt169 opt43 Option2 Option3 Option4 Option5");
}

} // namespace
} // namespace calc
