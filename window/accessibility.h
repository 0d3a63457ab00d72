#pragma once
// What screen readers see of the window where Qt's defaults mislead: the
// invisible hover zones and the outline rectangles are no objects at all,
// the pictures are images, and a result is labelled by its caption alone
// (Qt would add the frame around it, so every result would read "计算结果").

namespace screencalc {

// Installs the interfaces once; Qt asks for them as a screen reader walks
// the window.
void installAccessibility();

} // namespace screencalc
