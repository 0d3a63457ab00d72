// Starts the calculator window; everything else happens in the window.
#include "buildinfo.h"
#include "window/application.h"
#include "window/mainwindow.h"
#include "window/platform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (const auto status = screencalc::answerCommandLine(argc, argv)) {
        return *status;
    }
    screencalc::watchDisplayOpening();
    QApplication app(argc, argv);
    screencalc::displayOpened();
    screencalc::setUpApplication(app);
    // Ties the window to its desktop entry: the Wayland app id, and what
    // docks and taskbars match to find the entry's name and icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(screencalc::build::appId));
    const auto platform = screencalc::makeDesktopPlatform();
    screencalc::CalculatorWindow window(*platform);
    window.show();
    return QApplication::exec();
}
