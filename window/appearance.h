#pragma once
// Colours and fonts as the window's design names them, made into Qt's.

#include "calcview.h"

#include <QColor>
#include <QFont>
#include <cstdint>

namespace screencalc {

// A stored colour value: 0x00BBGGRR (red in the low byte), or, with the top
// bit set, the index of a system colour (0x80000004 is the menu background).
QColor colourFromValue(std::uint32_t value);

// The outline of the frame rectangle Shape1: red and 6 wide as designed,
// then the style of the frame option last chosen.
struct Outline {
    int width;            // pixels
    std::uint32_t colour; // 0x00BBGGRR
};
inline constexpr Outline designOutline{6, 0x000000FF};
Outline frameOutline(calc::Option frame);

// The two Chinese faces of the design, each followed by the faces that stand
// in for them where they are not installed (Linux has the Noto CJK fonts).
QFont songti(qreal points, bool bold = false); // 宋体, SimSun
QFont heiti(qreal points, bool bold = false);  // 黑体, SimHei

// The desktop's own font, fixed so that it does not follow a parent's font
// (controls in the results frame keep the default, not the frame's font).
QFont platformFont();

} // namespace screencalc
