#pragma once
// The window as the calculation sees it. The recalculations reach the
// controls only through this interface, so they run the same against the Qt
// window, the headless view of the command-line tool and the tests.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace calc {

// What each control stands for. The controls' own short names (inch, mw,
// Option1, w1, ...) appear only in the tables below: they are the names the
// window's widgets, the page's elements and the tools that read them go by.
enum class Entry { diagonal, width, height };
enum class Option { ratio16x9, ratio4x3, frame80, frame12, frame45, frame65, frame90 };
enum class Result { width, height, diagonal, outerWidth, outerHeight, frameWidth };

// The entry fields and how many characters each admits.
struct EntryField {
    Entry entry;
    std::string_view name;
    std::size_t maxLength;
};
inline constexpr std::array<EntryField, 3> entryFields{{
    {Entry::diagonal, "inch", 6},
    {Entry::width, "mw", 9},
    {Entry::height, "mh", 9},
}};

// The result labels, in the order every recalculation writes them, with the
// captions the window shows beside them (half- and full-width colons mixed,
// as users have always seen them).
struct ResultLabel {
    Result result;
    std::string_view name;
    std::string_view caption;
};
inline constexpr std::array<ResultLabel, 6> resultLabels{{
    {Result::width, "w", "幕面宽:"},
    {Result::height, "h", "幕面高:"},
    {Result::diagonal, "inch1", "英寸："},
    {Result::outerWidth, "w1", "含外框宽："},
    {Result::outerHeight, "h1", "含外框高："},
    {Result::frameWidth, "bkw", "边框宽："},
}};

// The option buttons: the two ratios, then the frames as the window lays
// them out.
struct OptionControl {
    Option option;
    std::string_view name;
};
inline constexpr std::array<OptionControl, 7> optionControls{{
    {Option::ratio16x9, "opt169"},
    {Option::ratio4x3, "opt43"},
    {Option::frame80, "Option1"},
    {Option::frame12, "Option2"},
    {Option::frame45, "Option3"},
    {Option::frame65, "Option4"},
    {Option::frame90, "Option5"},
}};

// Each table above is looked up by its enum's value: row i must hold the
// enumerator whose value is i.
template <class Row, std::size_t n, class Key>
constexpr bool indexedBy(const std::array<Row, n>& rows, Key Row::*key) {
    for (std::size_t i = 0; i < n; ++i) {
        if (static_cast<std::size_t>(rows[i].*key) != i) {
            return false;
        }
    }
    return true;
}
static_assert(indexedBy(entryFields, &EntryField::entry));
static_assert(indexedBy(resultLabels, &ResultLabel::result));
static_assert(indexedBy(optionControls, &OptionControl::option));
static_assert(static_cast<std::size_t>(Entry::height) + 1 == entryFields.size());
static_assert(static_cast<std::size_t>(Result::frameWidth) + 1 == resultLabels.size());
static_assert(static_cast<std::size_t>(Option::frame90) + 1 == optionControls.size());

constexpr std::string_view nameOf(Entry e) {
    return entryFields[static_cast<std::size_t>(e)].name;
}
constexpr std::size_t maxLength(Entry e) {
    return entryFields[static_cast<std::size_t>(e)].maxLength;
}
constexpr std::string_view nameOf(Result r) {
    return resultLabels[static_cast<std::size_t>(r)].name;
}
constexpr std::string_view captionOf(Result r) {
    return resultLabels[static_cast<std::size_t>(r)].caption;
}
// The option of that control name, if it names one.
constexpr std::optional<Option> optionNamed(std::string_view name) {
    for (const OptionControl& c : optionControls) {
        if (c.name == name) {
            return c.option;
        }
    }
    return std::nullopt;
}
constexpr bool isRatio(Option o) {
    return o == Option::ratio16x9 || o == Option::ratio4x3;
}

constexpr std::string_view nameOf(Option o) {
    return optionControls[static_cast<std::size_t>(o)].name;
}

class CalcView {
public:
    virtual ~CalcView() = default;

    // Texts are UTF-8.
    virtual std::string entryText(Entry e) const = 0;
    // Replaces the field's text. When the new text differs from the old one,
    // the field's change handler runs at once, nested, before this returns;
    // writing the text the field already holds runs nothing.
    virtual void setEntryText(Entry e, std::string_view text) = 0;
    virtual bool isSelected(Option o) const = 0;
    // Selects `o` in its group as a click would; when that changes the
    // selection, the option's handler runs at once, nested.
    virtual void choose(Option o) = 0;
    virtual std::string resultText(Result r) const = 0;
    virtual void setResultText(Result r, std::string_view text) = 0;

    // Gives the frame rectangle Shape1 the outline that stands for this
    // frame option; how that looks is the window's business.
    virtual void setFrameOutline(Option frame) = 0;
};

} // namespace calc
