#pragma once
// The fixed numbers of the screen model. They are deliberately not the exact
// values they approximate: the shop has priced screens with these very
// doubles for years, and the shown millimetres must not move by one. Do not
// "tidy" them into 16.0 / 9.0, 4.0 / 3.0 or 25.4 * 16 / sqrt(337): each is
// told apart from those by some entry the tests hold.

#include "calc/calcview.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace calc {

// mm of viewing width per inch of diagonal.
inline constexpr double mmPerInch169 = 22.13802;
inline constexpr double mmPerInch43 = 20.32004064;

// Width-to-height ratios. 16:9 comes in three different roundings, and each
// formula uses the one it has always used: ratio169Full only for h of the
// 80 mm diagonal and w of the 80 mm height, ratio169Long only for the
// diagonal of the 12 mm height, ratio169Short everywhere else. Unifying them
// moves results by one millimetre or one hundredth of an inch at rounding
// boundaries.
inline constexpr double ratio169Full = 1.77777777777778;
inline constexpr double ratio169Short = 1.77777777777; // eleven sevens
inline constexpr double ratio169Long = 1.777777777777; // twelve sevens
inline constexpr double ratio43 = 1.33333333333;

struct Frame {
    Option option;         // the button that selects it
    std::string_view text; // its caption, also what bkw shows
    double addition;       // added to width and to height (both sides)
};

// In the order the recalculations test the options.
inline constexpr std::array<Frame, 5> frames{{
    {Option::frame80, "80", 160},
    {Option::frame12, "12", 24},
    {Option::frame45, "45", 90},
    {Option::frame65, "65", 130},
    {Option::frame90, "90", 180},
}};

// The frame a frame option selects. A ratio option has none: asking for its
// frame is a fault of the caller, and stops the program rather than
// computing with a frame nobody chose (in a constant expression it does not
// compile).
constexpr const Frame& frameOf(Option option) {
    for (const Frame& frame : frames) {
        if (frame.option == option) {
            return frame;
        }
    }
    std::abort();
}

// The frame of every 4:3 result and of the recomputations after a ratio
// change. It has no button.
inline constexpr double frame7Addition = 14;
inline constexpr std::string_view frame7Text = "7";

} // namespace calc
