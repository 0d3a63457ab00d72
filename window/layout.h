#pragma once
// Builds the window's widgets from the control table in calc/layout.h.

class QWidget;

namespace screencalc::layout {

// Creates every control of the table inside `window`, with its name, place,
// text, font, colours, stacking and tab order.
void build(QWidget& window);

} // namespace screencalc::layout
