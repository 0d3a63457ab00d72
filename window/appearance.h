#pragma once
// Colours and fonts as the control table names them, made into Qt's.

#include "calc/calcview.h"

#include <QColor>
#include <QFont>
#include <cstdint>

namespace screencalc {

// A stored colour value: 0x00BBGGRR (red in the low byte), or, with the top
// bit set, the index of a system colour (0x80000004 is the menu background).
QColor colourFromValue(std::uint32_t value);

// The two Chinese faces the window is laid out for where the system has
// them, else the window's own stand-ins for them (subsets of Noto Serif and
// Noto Sans CJK SC compiled into the program). The control table gives
// points at 96 DPI; the fonts
// get the pixel size of that (15.75 pt is 21 px), so text and boxes, both in
// pixels, scale together at any logical DPI.
QFont songti(qreal points, bool bold = false); // 宋体, SimSun
QFont heiti(qreal points, bool bold = false);  // 黑体, SimHei

// The desktop's own font, fixed so that it does not follow a parent's font
// (controls in the results frame keep the default, not the frame's font).
QFont platformFont();

// Registers the window's own faces with Qt's font database.
void addOwnFonts();

// `system` sized in pixels as at 96 DPI, its Chinese taken from the window's
// own sans face before any face of the system.
QFont desktopFont(const QFont& system);

} // namespace screencalc
