#pragma once
// What the window asks of the desktop it runs on. The window talks to these
// services only through Platform, so the tests can put a recording fake in
// the desktop's place and check what the buttons ask for.

#include <QDateTime>
#include <QRect>
#include <QUrl>
#include <memory>

class QWidget;

namespace screencalc {

class Platform {
public:
    virtual ~Platform() = default;

    // Whether the desktop lets a program keep its own window in front of all
    // others. Wayland lets no client do so; the window then does not offer it.
    virtual bool allowsKeepOnTop() const = 0;
    // Puts the window into the topmost layer or takes it out again, keeping
    // its position and size. Where the desktop does not allow it, this does
    // nothing.
    virtual void setKeepOnTop(QWidget& window, bool on) = 0;
    // Whether the window may keep one size. Qt's own title bar on Wayland
    // offers maximise whatever the flags say, and the compositor closes a
    // window that then does not take the maximised size.
    virtual bool fixedSizeIsSafe() const { return true; }
    virtual void minimise(QWidget& window) = 0;
    // Ends the program at once; nothing is saved because nothing is kept.
    virtual void exitProgram(QWidget& window) = 0;
    // Asks the user's default browser to open a web page, without waiting
    // for it; false when no browser could be started at all.
    virtual bool openUrl(const QUrl& url) = 0;
    // The primary screen's area without panels and taskbar, in
    // device-independent pixels.
    virtual QRect availableGeometry() const = 0;
    // The local date and time, for the clock.
    virtual QDateTime now() const = 0;
};

// The window's size is fixed, so its title bar offers minimise and close and
// never maximise: on Windows and, through the window manager's hints, on X11.
// The title bar that Qt 6 draws itself on Wayland shows all three whatever
// the flags say.
inline constexpr Qt::WindowFlags titleBarButtons =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// The real desktop: Qt's services, and SetWindowPos on Windows.
std::unique_ptr<Platform> makeDesktopPlatform();

} // namespace screencalc
