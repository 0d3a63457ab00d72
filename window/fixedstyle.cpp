#include "window/fixedstyle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QStyleOption>
#include <QWidget>

namespace screencalc {

namespace {

constexpr int layoutDpi = 96;

// A paint device of 96 DPI, for measuring fonts as at 96 DPI.
const QImage& layoutDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMetre = 3780; // 96.01 dots per inch, which Qt rounds to 96
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

} // namespace

FixedMetricsStyle::FixedMetricsStyle(const QString& baseKey) : QProxyStyle(baseKey) {}

int FixedMetricsStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                   const QWidget* widget) const {
    // Qt's styles scale their metrics by the DPI of the option's font
    // metrics, or by the default DPI without an option.
    const QFont font = widget != nullptr ? widget->font() : QApplication::font();
    const qreal dpi =
        option != nullptr ? option->fontMetrics.fontDpi() : QFontMetricsF(font).fontDpi();
    if (qRound(dpi) == layoutDpi) {
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    // Elsewhere the base style measures with a copy at 96 DPI. The copy is
    // only the plain QStyleOption part, and says so, so no style reads it
    // as the subclass it was cut from; the window's metrics need no more.
    QStyleOption at96 = option != nullptr ? *option : QStyleOption();
    at96.type = QStyleOption::SO_Default;
    at96.version = QStyleOption::Version;
    at96.fontMetrics = QFontMetrics(font, &layoutDevice());
    return QProxyStyle::pixelMetric(metric, &at96, widget);
}

} // namespace screencalc
