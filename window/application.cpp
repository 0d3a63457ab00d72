#include "window/application.h"

#include "window/appearance.h"
#include "window/fixedstyle.h"

#include <QApplication>
#include <QStyle>

namespace screencalc {

void setUpApplication(QApplication& app) {
    addOwnFonts();
    // The style the platform or the user (-style, QT_STYLE_OVERRIDE) chose.
    QApplication::setStyle(new FixedMetricsStyle(app.style()->name()));
    // Also clears the desktop's fonts for single classes (tooltips, menus),
    // so that they too are the desktop font in pixels.
    QApplication::setFont(desktopFont(QApplication::font()));
}

} // namespace screencalc
