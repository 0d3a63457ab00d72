#include "window/platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#ifdef Q_OS_WIN
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace screencalc {

namespace {

bool onWayland() {
    // "wayland", "wayland-egl" and the like.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

class DesktopPlatform final : public Platform {
public:
    bool allowsKeepOnTop() const override { return !onWayland(); }
    bool fixedSizeIsSafe() const override { return !onWayland(); }

    void setKeepOnTop(QWidget& window, bool on) override {
        // Keep Qt's idea of the flags in step without letting it recreate the
        // native window, which would move it and make it flicker.
        Qt::WindowFlags flags = window.windowFlags();
        flags.setFlag(Qt::WindowStaysOnTopHint, on);
        window.overrideWindowFlags(flags);
#ifdef Q_OS_WIN
        SetWindowPos(reinterpret_cast<HWND>(window.winId()), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0,
                     0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
#else
        if (QWindow* handle = window.windowHandle()) {
            handle->setFlags(flags);
        }
#endif
    }

    void minimise(QWidget& window) override {
        window.showMinimized();
    }

    void exitProgram(QWidget& window) override {
        window.close();
        QCoreApplication::quit();
    }

    bool openUrl(const QUrl& url) override {
        // Qt starts the URL handler (xdg-open, the shell) detached.
        return QDesktopServices::openUrl(url);
    }

    QRect availableGeometry() const override {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->availableGeometry() : QRect();
    }

    QDateTime now() const override {
        return QDateTime::currentDateTime();
    }
};

} // namespace

std::unique_ptr<Platform> makeDesktopPlatform() {
    return std::make_unique<DesktopPlatform>();
}

} // namespace screencalc
