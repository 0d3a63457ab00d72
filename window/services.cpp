#include "window/services.h"

#include "buildinfo.h"

#include <cmath>

namespace screencalc {

int twipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

int centredTwips(double screenTwips, double windowTwips) {
    const double difference = screenTwips - windowTwips;
    double whole = std::round(difference); // half away from zero ...
    if (std::fabs(difference - std::trunc(difference)) == 0.5) {
        whole = 2.0 * std::round(difference / 2.0); // ... except ties go to even
    }
    // Integer division in C++ truncates toward zero, as the rule wants.
    return static_cast<int>(static_cast<long long>(whole) / 2);
}

namespace {

int placeAlong(int start, int room, int size) {
    if (size > room) {
        return start;
    }
    return start +
           twipsToPixels(centredTwips(double(room) * twipsPerPixel, double(size) * twipsPerPixel));
}

} // namespace

QPoint framePosition(const QRect& available, const QSize& inner, const QMargins& frame) {
    const QSize outer = inner.grownBy(frame);
    return {placeAlong(available.x(), available.width(), outer.width()),
            placeAlong(available.y(), available.height(), outer.height())};
}

QString clockText(const QDateTime& moment) {
    const QDate date = moment.date();
    const QTime time = moment.time();
    // QString::arg with an int never uses locale digits or separators.
    return QStringLiteral("%1年%2月%3日%4:%5:%6")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(time.hour())
        .arg(time.minute())
        .arg(time.second());
}

QString versionText() {
    return QStringLiteral("2023| 版本: ") + QString::fromLatin1(build::shownVersion);
}

namespace {

QUrl siteUrl(const char* pathAndQuery) {
    // Both parts are fixed at build time; nothing the user types gets in.
    return QUrl(QStringLiteral("https://") + QString::fromLatin1(build::webHost) +
                    QString::fromLatin1(pathAndQuery),
                QUrl::StrictMode);
}

} // namespace

QUrl downloadPageUrl() {
    return siteUrl(build::downloadPath);
}

QUrl productPageUrl() {
    return siteUrl(build::productPath);
}

} // namespace screencalc
