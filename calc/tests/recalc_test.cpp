// The recalculations, driven through the headless view as the window drives
// them: a script of clicks and entry texts, then what the labels show or
// what changed, in order.

#include "calc/headless_view.h"

#include <algorithm>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace calc {
namespace {

// Plays a script: "inch=100" puts a text into an entry field, as typing or
// pasting does ("inch=" empties it); "opt43" or "Option3" clicks that button.
// A step it does not know fails the test: a misspelt step must not pass as
// "nothing happened". Gives the outcome of the last step.
Outcome play(HeadlessView& v, std::string_view script) {
    Outcome last;
    while (!script.empty()) {
        const std::string_view step = script.substr(0, script.find(' '));
        script.remove_prefix(std::min(script.size(), step.size() + 1));
        const auto eq = step.find('=');
        const auto field =
            std::find_if(entryFields.begin(), entryFields.end(),
                         [&](const EntryField& f) { return f.name == step.substr(0, eq); });
        if (eq != step.npos && field != entryFields.end()) {
            v.clearRuns();
            v.setEntryText(field->entry, step.substr(eq + 1));
            last = v.runs().empty() ? Outcome{} : v.runs().back();
        } else if (const std::optional<Option> option = optionNamed(step)) {
            last = v.select(*option);
        } else {
            ADD_FAILURE() << "unknown step \"" << step << '"';
        }
    }
    return last;
}

// The labels w|h|inch1|w1|h1|bkw after the script; then Shape1's outline if
// it is not that of the selected frame (none before any frame click); then
// where the last step stopped, if it did.
std::string shown(std::string_view script) {
    HeadlessView v;
    const Outcome o = play(v, script);
    std::string s;
    for (const ResultLabel& l : resultLabels) {
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on
        // "|" + std::string once inlined.
        s += l.result == Result::width ? "" : "|";
        s += v.resultText(l.result);
    }
    const std::optional<Option> outline = v.frameOutline();
    if (outline ? !v.isSelected(*outline) : script.find("Option") != script.npos) {
        s += " outline " + std::string(outline ? nameOf(*outline) : "none");
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

#define EXPECT_SHOWN(script, want) EXPECT_EQ(shown(script), want) << (script)
#define EXPECT_CHANGES(before, script, want) EXPECT_EQ(changes(before, script), want) << (script)

const std::string zeros292(292, '0');

TEST(Diagonal, ShowsSixTexts) {
    EXPECT_SHOWN("inch=100", "2214 |1245 |100  |2238 |1269 |12");
    EXPECT_SHOWN("Option1 inch=100", "2214 |1245 |100  |2374 |1405 |80");
    EXPECT_SHOWN("opt43 Option1 inch=100", "2032 |1524 |100  |2046 |1538 |7");
    EXPECT_SHOWN("opt43 Option3 inch=100", "2214 |1245 |100  |2304 |1335 |45");
    EXPECT_SHOWN("Option4 inch=84.5", "1871 |1052 |85  |2001 |1182 |65");
    EXPECT_SHOWN("inch=5.", "111 |62 |5  |135 |86 |12");
    EXPECT_SHOWN("inch=.5", "11 |6 |1  |35 |30 |12");
}

// Entries at rounding boundaries, where another 16:9 rounding, exact 16/9 or
// 4/3, another grouping, a frame added to rounded sizes or rounding without
// the 15-digit step would show another number. Some are longer than a field
// admits: the core computes whatever text it is given.
TEST(Diagonal, KeepsEachConstantWhereItIsUsed) {
    EXPECT_SHOWN("inch=55211", "1222262 |687523 |55211  |1222286 |687547 |12");
    EXPECT_SHOWN("Option1 inch=55211", "1222262 |687522 |55211  |1222422 |687683 |80");
    EXPECT_SHOWN("Option1 inch=400000", "8855208 |4981054 |400000  |8855368 |4981215 |80");
    EXPECT_SHOWN("inch=1373", "30396 |17097 |1373  |30420 |17121 |12");
    EXPECT_SHOWN("inch=8030.387942919511", "177777 |100000 |8030  |177801 |100024 |12");
    EXPECT_SHOWN("inch=45.19374361392731", "1001 |563 |45  |1024 |587 |12");
    EXPECT_SHOWN("inch=4516.505992857514", "99986 |56242 |4517  |100011 |56266 |12");
    EXPECT_SHOWN("opt43 Option1 inch=514", "10445 |7833 |514  |10459 |7847 |7");
    EXPECT_SHOWN("opt43 Option1 inch=65.64947500009816", "1334 |1001 |66  |1348 |1015 |7");
    EXPECT_SHOWN("opt43 Option1 inch=64.73084166676344", "1315 |986 |65  |1329 |1001 |7");
}

TEST(Width, ShowsSixTextsAlways169) {
    EXPECT_SHOWN("mw=1000", "1000 |563 |45.17 |1024 |587 |12");
    EXPECT_SHOWN("Option1 mw=1000", "1000 |563 |45.17|1160 |723 |80");
    EXPECT_SHOWN("opt43 Option5 mw=1920", "1920 |1080 |86.73 |2100 |1260 |90");
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
    EXPECT_SHOWN("Option1 mh=900", "1600 |900 |72.27 |1760 |1060 |80");
    EXPECT_SHOWN("Option1 mh=2.53125", "5 |3 |0.20 |165 |163 |80");
    EXPECT_SHOWN("Option3 mh=2.53125", "4 |3 |0.20 |94 |93 |45");
    EXPECT_SHOWN("opt43 mh=1000", "1778 |1000 |80.30 |1802 |1024 |12");
    EXPECT_SHOWN("Option5 mh=5.", "9 |5 |0.40 |189 |185 |90");
    EXPECT_SHOWN("Option1 mh=562.7812499999966", "1001 |563 |45.19 |1161 |723 |80");
    EXPECT_SHOWN("mh=562.7812500021212", "1000 |563 |45.19 |1024 |587 |12");
    EXPECT_SHOWN("Option3 mh=562.7812500021212", "1000 |563 |45.19 |1090 |653 |45");
    EXPECT_SHOWN("Option1 mh=189841", "337495 |189841 |15245.04 |337655 |190001 |80");
    EXPECT_SHOWN("mh=189841", "337495 |189841 |15245.05 |337519 |189865 |12");
    EXPECT_SHOWN("Option3 mh=189841", "337495 |189841 |15245.04 |337585 |189931 |45");
    EXPECT_SHOWN("mh=674196", "1198571 |674196 |54140.82 |1198595 |674220 |12");
    EXPECT_SHOWN("Option1 mh=153.72779450692195", "273 |154 |12.34 |433 |314 |80");
}

// A ratio click recomputes from the diagonal with the 7 mm frame, or does
// nothing while it is empty; a frame click adds its frame to the shown w and
// h, written plain, and gives Shape1 its outline.
TEST(Clicks, RecomputeAsTheyShould) {
    EXPECT_SHOWN("opt43 inch=100 opt169", "2214 |1245 |100  |2228 |1259 |7");
    EXPECT_SHOWN("inch=100 opt43", "2032 |1524 |100  |2046 |1538 |7");
    EXPECT_SHOWN("opt43 inch=55211 opt169", "1222262 |687523 |55211  |1222276 |687537 |7");
    EXPECT_SHOWN("inch=65.64947500009816 opt43", "1334 |1001 |66  |1348 |1015 |7");
    EXPECT_SHOWN("mw=1000 opt43", "1000 |563 |45.17 |1024 |587 |12");
    EXPECT_SHOWN("inch=100 Option1", "2214 |1245 |100  |2374|1405|80");
    EXPECT_SHOWN("Option3 opt43 inch=100 opt169 Option2", "2214 |1245 |100  |2238|1269|12");
    EXPECT_SHOWN("inch=100 Option1 Option2 opt43", "2032 |1524 |100  |2046 |1538 |7");
    EXPECT_SHOWN("Option3", "0|0|0|90|90|45");
}

// Pasted text that is not a number, and a number whose result overflows,
// stop the handler at that result; labels before it keep their new texts.
TEST(Failures, StopAtTheFailingStep) {
    EXPECT_SHOWN("inch=100 inch=12a", "2214 |1245 |100  |2238 |1269 |12 stop notANumber@w");
    EXPECT_SHOWN("inch=100 inch=x opt43", "2214 |1245 |100  |2238 |1269 |12 stop notANumber@w");
    EXPECT_SHOWN("mw=17976931348623157" + zeros292, "0|0|0|0|0|0 stop notFinite@w");
    // h times ratio169Short fits, h times ratio169Long does not.
    EXPECT_TRUE(
        shown("mh=10112023883624858" + zeros292).ends_with("|0|0|0|0 stop notFinite@inch1"));
}

// Only a real change of an entry's text runs its handler; a lone point is
// emptied at once; the results are written in the order w, h, inch1, w1,
// h1, bkw; an emptied entry leaves the results alone.
TEST(Changes, HappenInTheirOrder) {
    EXPECT_CHANGES("", "inch=100",
                   "inch='100' edited inch w='2214 ' h='1245 ' inch1='100  ' w1='2238 ' "
                   "h1='1269 ' bkw='12'");
    EXPECT_CHANGES("", "mh=5",
                   "mh='5' edited mh w='9 ' h='5 ' inch1='0.40 ' w1='33 ' h1='29 ' bkw='12'");
    EXPECT_CHANGES("", "inch=.", "inch='.' edited inch inch='' edited inch");
    EXPECT_CHANGES("", "mw=.", "mw='.' edited mw mw='' edited mw");
    EXPECT_CHANGES("", "mh=.", "mh='.' edited mh mh='' edited mh");
    EXPECT_CHANGES("mh=7", "mh=", "mh='' edited mh");
    EXPECT_SHOWN("Option1 mh=7 mh=", "12 |7 |0.56 |172 |167 |80");
    EXPECT_CHANGES("mw=12", "mw=12", "");
    EXPECT_CHANGES("inch=100", "opt43",
                   "chose opt43 w='2032 ' h='1524 ' w1='2046 ' h1='1538 ' bkw='7'");
    EXPECT_CHANGES("inch=100", "Option1",
                   "chose Option1 w1='2374' h1='1405' bkw='80' outline Option1");
    EXPECT_CHANGES("inch=100 Option1", "Option1", "");
}

// The focus rule keeps a second entry from holding text. If one still does,
// emptying it runs its handler, which empties this entry before it is read.
TEST(Changes, NestInsideTheHandlerThatMakesThem) {
    EXPECT_CHANGES("mw=1000", "inch=100",
                   "inch='100' edited inch mw='' edited mw inch='' edited inch");
    EXPECT_SHOWN("mw=1000 inch=100", "1000 |563 |45.17 |1024 |587 |12 stop entryEmptied@w");
    EXPECT_CHANGES("inch=100", "mw=1000",
                   "mw='1000' edited mw inch='' edited inch mw='' edited mw");
    EXPECT_CHANGES("Option1 mh=7", "inch=1",
                   "inch='1' edited inch mh='' edited mh inch='' edited inch");
    EXPECT_SHOWN("Option1 mh=7 inch=1", "12 |7 |0.56 |172 |167 |80 stop entryEmptied@w");
    // Under 80 mm the diagonal empties mw before it looks at its own text.
    EXPECT_SHOWN("Option1 mw=7 inch=1", "7 |4 |0.32|167 |164 |80");
}

// The script player itself: a misspelt step fails instead of doing nothing.
TEST(Script, FailsOnAStepItDoesNotKnow) {
    EXPECT_NONFATAL_FAILURE(shown("inch=100 Optoin3"), "unknown step \"Optoin3\"");
    EXPECT_NONFATAL_FAILURE(changes("inch=100", "Opton1"), "unknown step \"Opton1\"");
    EXPECT_NONFATAL_FAILURE(shown("inches=100"), "unknown step \"inches=100\"");
    EXPECT_NONFATAL_FAILURE(shown("inch"), "unknown step \"inch\"");
}

} // namespace
} // namespace calc
