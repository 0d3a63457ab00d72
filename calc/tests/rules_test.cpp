// The entry fields' rules that every front end follows: which typed
// characters pass, what a paste keeps, what the focus and the clear button
// empty and in which order.

#include "calc/headless_view.h"
#include "calc/rules.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

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

// The entries, the results and the selected options after a script of
// edits ("inch=100") and clicks ("Option4"), then the rule.
std::string after(const std::vector<std::string_view>& script, void (*rule)(CalcView&)) {
    HeadlessView view;
    for (const std::string_view step : script) {
        const auto eq = step.find('=');
        if (eq == step.npos) {
            const std::optional<Option> option = optionNamed(step);
            if (!option) {
                ADD_FAILURE() << "unknown step " << step;
                return {};
            }
            view.select(*option);
            continue;
        }
        const auto field =
            std::find_if(entryFields.begin(), entryFields.end(),
                         [&](const EntryField& f) { return f.name == step.substr(0, eq); });
        if (field == entryFields.end()) {
            ADD_FAILURE() << "unknown field " << step;
            return {};
        }
        view.setEntryText(field->entry, step.substr(eq + 1));
    }
    rule(view);
    std::string shown;
    for (const EntryField& f : entryFields) {
        shown += std::string(f.name) + "='" + view.entryText(f.entry) + "' ";
    }
    for (const ResultLabel& r : resultLabels) {
        shown += view.resultText(r.result) + "|";
    }
    for (const OptionControl& o : optionControls) {
        shown += view.isSelected(o.option) ? " " + std::string(o.name) : "";
    }
    return shown;
}

// Focusing a field empties the other two and leaves the results as they
// are, so the last results stay in view while the next entry is typed.
TEST(Rules, FocusEmptiesTheOtherFields) {
    const auto diagonal = [](CalcView& v) { entryFocused(v, Entry::diagonal); };
    const auto width = [](CalcView& v) { entryFocused(v, Entry::width); };
    const auto height = [](CalcView& v) { entryFocused(v, Entry::height); };
    const std::tuple<const char*, std::vector<std::string_view>, void (*)(CalcView&),
                     std::string_view>
        rows[] = {
            {"diagonal keeps its text",
             {"inch=100"},
             diagonal,
             "inch='100' mw='' mh='' 2214 |1245 |100  |2238 |1269 |12| opt169 Option2"},
            {"width empties the diagonal",
             {"inch=100"},
             width,
             "inch='' mw='' mh='' 2214 |1245 |100  |2238 |1269 |12| opt169 Option2"},
            {"height empties the width",
             {"mw=2000"},
             height,
             "inch='' mw='' mh='' 2000 |1125 |90.34 |2024 |1149 |12| opt169 Option2"},
            {"diagonal empties the height",
             {"Option1", "mh=1000"},
             diagonal,
             "inch='' mw='' mh='' 1778 |1000 |80.30 |1938 |1160 |80| opt169 Option1"},
        };
    for (const auto& [name, script, rule, shown] : rows) {
        EXPECT_EQ(after(script, rule), shown) << name;
    }
}

TEST(Rules, ClearEmptiesTheFieldsChoosesTwelveAndZeroesTheResults) {
    const std::tuple<const char*, std::vector<std::string_view>, std::string_view> rows[] = {
        {"at start", {}, "inch='' mw='' mh='' 0|0|0|0|0|0| opt169 Option2"},
        {"after a diagonal", {"inch=100"}, "inch='' mw='' mh='' 0|0|0|0|0|0| opt169 Option2"},
        {"keeps 4:3, back to 12 mm",
         {"opt43", "mw=1000", "Option4"},
         "inch='' mw='' mh='' 0|0|0|0|0|0| opt43 Option2"},
    };
    for (const auto& [name, script, shown] : rows) {
        EXPECT_EQ(after(script, clearAll), shown) << name;
    }
}

} // namespace
} // namespace calc
