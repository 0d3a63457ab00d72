// The entry fields' rules that every front end follows: which typed
// characters pass, what a paste keeps, what the focus and the clear button
// empty and in which order.

#include "calc/headless_view.h"
#include "calc/rules.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace calc {
namespace {

TEST(Rules, TypedCharacters) {
    const std::tuple<const char*, char32_t, std::string_view, bool> rows[] = {
        {"digit", U'7', "", true},
        {"zero after a point", U'0', "1.", true},
        {"first point", U'.', "12", true},
        {"point into an empty field", U'.', "", true},
        {"second point", U'.', "1.5", false},
        {"letter", U'a', "1", false},
        {"blank", U' ', "1", false},
        {"minus", U'-', "", false},
        {"plus", U'+', "", false},
        {"comma", U',', "1", false},
        {"full-width digit", U'５', "", false},
        {"enter", U'\r', "1", false},
        {"ctrl+v as typed", U'\x16', "1", false},
    };
    for (const auto& [name, typed, field, passes] : rows) {
        EXPECT_EQ(typedCharacterPasses(typed, field), passes) << name;
    }
}

TEST(Rules, PasteKeepsTheFirstLine) {
    const std::tuple<const char*, std::string_view, std::string_view> rows[] = {
        {"spreadsheet cell", "100\r\n", "100"}, {"two lines", "1000\n2000", "1000"},
        {"old Mac line end", "5\r6", "5"},      {"tab stays", "1\t2\n", "1\t2"},
        {"empty first line", "\n5", ""},        {"one line", "84.5", "84.5"},
    };
    for (const auto& [name, pasted, kept] : rows) {
        EXPECT_EQ(firstLine(pasted), kept) << name;
    }
}

// Records what a rule asks of the window, without running any handler.
class Recorder : public HeadlessView {
public:
    std::string calls;

    void setEntryText(Entry e, std::string_view text) override {
        add(std::string(nameOf(e)) + "='" + std::string(text) + "'");
    }
    void choose(Option o) override { add("choose " + std::string(nameOf(o))); }
    void setResultText(Result r, std::string_view text) override {
        add(std::string(nameOf(r)) + "=" + std::string(text));
    }

private:
    void add(const std::string& call) { calls += (calls.empty() ? "" : " ") + call; }
};

TEST(Rules, FocusEmptiesTheOtherFieldsInTurn) {
    const std::tuple<const char*, Entry, std::string_view> rows[] = {
        {"diagonal", Entry::diagonal, "mw='' mh=''"},
        {"width", Entry::width, "inch='' mh=''"},
        {"height", Entry::height, "mw='' inch=''"},
    };
    for (const auto& [name, focused, calls] : rows) {
        Recorder view;
        entryFocused(view, focused);
        EXPECT_EQ(view.calls, calls) << name;
    }
}

TEST(Rules, ClearEmptiesChoosesTwelveThenZeroes) {
    Recorder view;
    clearAll(view);
    EXPECT_EQ(view.calls, "inch='' mw='' mh='' choose Option2 h=0 w=0 inch1=0 h1=0 w1=0 bkw=0");
}

} // namespace
} // namespace calc
