#pragma once
// What the application needs before the window is made.

class QApplication;

namespace screencalc {

// Registers the window's own fonts, gives the desktop font a pixel size and
// the window's Chinese fallback, and installs the platform style with its
// metrics fixed at 96 DPI. The program and the window tests call it once,
// after making the QApplication and before making the window.
void setUpApplication(QApplication& app);

} // namespace screencalc
