#pragma once
// The window as the calculation sees it. The recalculations reach the
// controls only through this interface, so they run the same against the Qt
// window, the headless view of the command-line tool and the tests.

#include <cstdint>
#include <string>
#include <string_view>

namespace calc {

// Enumerators carry the controls' own names so that code reads like the
// window it drives.
enum class Entry { inch, mw, mh };
enum class Option { opt169, opt43, Option1, Option2, Option3, Option4, Option5 };
enum class Result { w, h, inch1, w1, h1, bkw };

// A colour as the window stores it: 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;

constexpr int redOf(Colour c) {
    return static_cast<int>(c & 0xFFu);
}
constexpr int greenOf(Colour c) {
    return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int blueOf(Colour c) {
    return static_cast<int>((c >> 16) & 0xFFu);
}

std::string_view nameOf(Entry e);
std::string_view nameOf(Option o);
std::string_view nameOf(Result r);

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
    virtual std::string resultText(Result r) const = 0;
    virtual void setResultText(Result r, std::string_view text) = 0;

    // The frame rectangle Shape1 that the frame handlers restyle.
    virtual void setShapeOutlineWidth(int pixels) = 0;
    virtual void setShapeOutlineColour(Colour colour) = 0;
};

} // namespace calc
