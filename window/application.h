#pragma once
// What the program does before and around making its window.

#include <optional>

class QApplication;

namespace screencalc {

// Answers --help (-h) and --version on standard output, as desktop programs
// do, without a display. Returns the exit status when the command line asked
// for one of them, nothing when the window is to start.
std::optional<int> answerCommandLine(int argc, const char* const* argv);

// Takes Qt's messages while it opens the display, until displayOpened(). When
// no display can be opened, Qt would abort (a core dump, and advice to
// reinstall); the program says instead in one line that no graphical display
// was found and that screencalc works without one, and exits with status 1.
// For the whole run it also drops Qt's notice that XDG_RUNTIME_DIR is not set
// (as under sudo or su): Qt then uses a private folder of its own.
void watchDisplayOpening();
// Shows the messages held back while the display was opened.
void displayOpened();

// Registers the window's own fonts, gives the desktop font a pixel size and
// the window's Chinese fallback, and installs the platform style with its
// metrics fixed at 96 DPI. The program and the window tests call it once,
// after making the QApplication and before making the window.
void setUpApplication(QApplication& app);

} // namespace screencalc
