#pragma once
// The fixed numbers of the screen model. They are deliberately not the exact
// values they approximate: the shop has priced screens with these very
// doubles for years, and the shown millimetres must not move by one. Each
// literal is pinned to its bit pattern by the tests.

#include "calcview.h"

#include <array>
#include <string_view>

namespace calc {

// mm of viewing width per inch of diagonal.
inline constexpr double mmPerInch169 = 22.13802;
inline constexpr double mmPerInch43 = 20.32004064;

// Width-to-height ratios: three different approximations of 16:9, each used
// only where the recalculations name it.
inline constexpr double ratio169Full = 1.77777777777778;
inline constexpr double ratio169Short = 1.77777777777;
inline constexpr double ratio169Long = 1.777777777777;
inline constexpr double ratio43 = 1.33333333333;

struct Frame {
    Option option;         // the button that selects it
    std::string_view text; // its caption, also what bkw shows
    double addition;       // added to width and to height (both sides)
    int outlineWidth;      // Shape1's outline width, pixels
    Colour outlineColour;  // Shape1's outline colour, 0x00BBGGRR
};

// In the order the recalculations test the options.
inline constexpr std::array<Frame, 5> frames{{
    {Option::Option1, "80", 160, 6, 0x000000FF},
    {Option::Option2, "12", 24, 1, 0x00008080},
    {Option::Option3, "45", 90, 3, 0x00800080},
    {Option::Option4, "65", 130, 4, 0x00C0C000},
    {Option::Option5, "90", 180, 7, 0x000080FF},
}};

// The frame of every 4:3 result and of the recomputations after a ratio
// change. It has no button.
inline constexpr double frame7Addition = 14;
inline constexpr std::string_view frame7Text = "7";

// Shape1 as designed, before any frame handler has run.
inline constexpr int startOutlineWidth = 6;
inline constexpr Colour startOutlineColour = 0x000000FF;

} // namespace calc
