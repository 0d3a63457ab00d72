#pragma once
// A style whose sizes do not follow the logical DPI.

#include <QProxyStyle>

namespace screencalc {

// The window is laid out in pixels, so the style's metrics (indicator sizes,
// spacings, margins) must keep their 96-DPI values whatever DPI the desktop
// reports; everything else is the base style's own.
class FixedMetricsStyle : public QProxyStyle {
    Q_OBJECT
public:
    // `baseKey` names the base style as QStyleFactory knows it ("Fusion").
    explicit FixedMetricsStyle(const QString& baseKey);

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace screencalc
