#pragma once
// The window's services that need no window: the start position, the clock
// and version texts and the two web addresses. Kept pure so the tests can pin
// them down without a desktop.

#include <QDateTime>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QUrl>

namespace screencalc {

inline constexpr int twipsPerPixel = 15;

// Twips to device-independent pixels, to the nearest pixel.
int twipsToPixels(int twips);

// One coordinate of the centred window, in twips: the difference of the two
// sizes rounded half to even, then halved, truncating toward zero
// (-945 gives -472, not -473).
int centredTwips(double screenTwips, double windowTwips);

// Where the window's outer frame (title bar included) goes on the screen's
// available area (without panels and taskbar), in pixels. Along each axis
// where the whole frame fits it is centred by the twips rule above; where it
// does not, it starts at the area's edge, so the title bar and the top-left
// corner stay on screen and the window can still be moved.
QPoint framePosition(const QRect& available, const QSize& inner, const QMargins& frame);

// "2026年12月06日4:30:7": date with leading zeros, time without.
QString clockText(const QDateTime& moment);

// "2023| 版本: 3.1.1": major, minor and revision of the build's version.
QString versionText();

QUrl downloadPageUrl(); // the newest version, for the update button
QUrl productPageUrl();  // the screen products

} // namespace screencalc
