#include "window/application.h"

#include "buildinfo.h"
#include "window/appearance.h"
#include "window/fixedstyle.h"

#include <QApplication>
#include <QStyle>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace screencalc {

namespace {

constexpr std::string_view helpText =
    "Usage: korvexa-screencalc [-h | --help | --version] [Qt options]\n"
    "\n"
    "Opens the projection screen size calculator window: type the diagonal in\n"
    "inches, or the viewing width or height in mm, pick the ratio and the frame,\n"
    "and the window shows every size at once.\n"
    "\n"
    "  -h, --help  show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Qt's own options apply too, such as -platform NAME (or QT_QPA_PLATFORM).\n"
    "The window needs a graphical display; screencalc computes the same sizes\n"
    "on the command line without one (screencalc --help).\n";

bool print(std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}

struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler qtHandler = nullptr;
bool openingDisplay = false;
std::vector<HeldMessage> held;

void pass(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (qtHandler != nullptr) {
        qtHandler(type, context, text);
    } else {
        std::fputs(qPrintable(qFormatLogMessage(type, context, text) + u'\n'), stderr);
    }
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

[[noreturn]] void reportNoDisplay() {
    const std::string display = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    const std::string platform = environment("QT_QPA_PLATFORM");
    std::string line = "korvexa-screencalc: ";
    if (!platform.empty()) {
        line += "the display platform \"" + platform + "\" (QT_QPA_PLATFORM) could not be opened";
    } else if (display.empty() && wayland.empty()) {
        line += "no graphical display was found (DISPLAY and WAYLAND_DISPLAY are not set)";
    } else {
        line += "the graphical display " + (display.empty() ? "" : "DISPLAY=" + display) +
                (display.empty() || wayland.empty() ? "" : ", ") +
                (wayland.empty() ? "" : "WAYLAND_DISPLAY=" + wayland) + " could not be opened";
    }
    line += "; the command-line calculator screencalc works without one\n";
    std::fputs(line.c_str(), stderr);
    // Qt is half set up here: leave without running its destructors.
    std::_Exit(1);
}

void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1StringView("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
        return;
    }
    if (openingDisplay) {
        if (type == QtFatalMsg) {
            reportNoDisplay();
        }
        held.push_back(
            {type, context.file, context.line, context.function, context.category, text});
        return;
    }
    pass(type, context, text);
}

} // namespace

std::optional<int> answerCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            return print(helpText) ? 0 : 1;
        }
        if (arg == "--version") {
            return print("korvexa-screencalc " + std::string(build::shownVersion) + "\n") ? 0 : 1;
        }
    }
    return std::nullopt;
}

void watchDisplayOpening() {
    openingDisplay = true;
    qtHandler = qInstallMessageHandler(handleMessage);
}

void displayOpened() {
    openingDisplay = false;
    for (const HeldMessage& m : held) {
        pass(m.type, QMessageLogContext(m.file, m.line, m.function, m.category), m.text);
    }
    held.clear();
}

void setUpApplication(QApplication& app) {
    addOwnFonts();
    // The style the platform or the user (-style, QT_STYLE_OVERRIDE) chose.
    QApplication::setStyle(new FixedMetricsStyle(app.style()->name()));
    // Also clears the desktop's fonts for single classes (tooltips, menus),
    // so that they too are the desktop font in pixels.
    QApplication::setFont(desktopFont(QApplication::font()));
}

} // namespace screencalc
