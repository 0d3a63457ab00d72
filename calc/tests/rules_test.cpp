// The entry fields' rules that every front end follows: which typed
// characters pass, what a paste keeps, what the focus and the clear button
// empty and in which order.

#include "calc/rules.h"

#include <gtest/gtest.h>
#include <string>

namespace calc {
namespace {

TEST(Rules, TypedCharacters) {
    struct Row {
        const char* name;
        char32_t typed;
        std::string_view field;
        bool passes;
    } rows[] = {
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
    for (const Row& r : rows) {
        EXPECT_EQ(typedCharacterPasses(r.typed, r.field), r.passes) << r.name;
    }
}

TEST(Rules, PasteKeepsTheFirstLine) {
    struct Row {
        const char* name;
        std::string_view pasted, kept;
    } rows[] = {
        {"spreadsheet cell", "100\r\n", "100"}, {"two lines", "1000\n2000", "1000"},
        {"old Mac line end", "5\r6", "5"},      {"tab stays", "1\t2\n", "1\t2"},
        {"empty first line", "\n5", ""},        {"one line", "84.5", "84.5"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(firstLine(r.pasted), r.kept) << r.name;
    }
}

// Records what a rule asks of the window, without running any handler.
class Recorder : public CalcView {
public:
    std::string calls;

    std::string entryText(Entry) const override { return {}; }
    void setEntryText(Entry e, std::string_view text) override {
        add(std::string(nameOf(e)) + "='" + std::string(text) + "'");
    }
    bool isSelected(Option) const override { return false; }
    void choose(Option o) override { add("choose " + std::string(nameOf(o))); }
    std::string resultText(Result) const override { return {}; }
    void setResultText(Result r, std::string_view text) override {
        add(std::string(nameOf(r)) + "=" + std::string(text));
    }
    void setFrameOutline(Option) override { add("outline"); }

private:
    void add(const std::string& call) { calls += (calls.empty() ? "" : " ") + call; }
};

TEST(Rules, FocusEmptiesTheOtherFieldsInTurn) {
    struct Row {
        const char* name;
        Entry focused;
        std::string_view calls;
    } rows[] = {
        {"diagonal", Entry::diagonal, "mw='' mh=''"},
        {"width", Entry::width, "inch='' mh=''"},
        {"height", Entry::height, "mw='' inch=''"},
    };
    for (const Row& r : rows) {
        Recorder view;
        entryFocused(view, r.focused);
        EXPECT_EQ(view.calls, r.calls) << r.name;
    }
}

TEST(Rules, ClearEmptiesChoosesTwelveThenZeroes) {
    Recorder view;
    clearAll(view);
    EXPECT_EQ(view.calls, "inch='' mw='' mh='' choose Option2 h=0 w=0 inch1=0 h1=0 w1=0 bkw=0");
}

} // namespace
} // namespace calc
