#include "window/appearance.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QResource>

namespace screencalc {

QColor colourFromValue(std::uint32_t value) {
    if ((value & 0x80000000u) != 0) {
        switch (value & 0xFFu) {
        case 4: // menu background
            return QApplication::palette("QMenu").color(QPalette::Window);
        case 5: // window background
            return QApplication::palette().color(QPalette::Base);
        case 8: // window text
            return QApplication::palette().color(QPalette::Text);
        case 15: // button face
            return QApplication::palette().color(QPalette::Button);
        case 18: // button text
            return QApplication::palette().color(QPalette::ButtonText);
        default:
            return QApplication::palette().color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

namespace {

const QString ownSerif = QStringLiteral("Screencalc Serif");
const QString ownSans = QStringLiteral("Screencalc Sans");

int pixelsFromPoints(qreal points) {
    return qRound(points * 96.0 / 72.0);
}

// The first of `systemNames` that is installed, then our own stand-in; a
// name that is not installed would only cost a fontconfig fallback search.
QStringList facesFor(std::initializer_list<QString> systemNames, const QString& own) {
    for (const QString& name : systemNames) {
        if (QFontDatabase::hasFamily(name)) {
            return {name, own};
        }
    }
    return {own};
}

QFont cjkFont(const QStringList& families, qreal points, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelsFromPoints(points));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

QFont songti(qreal points, bool bold) {
    static const QStringList families =
        facesFor({QStringLiteral("SimSun"), QStringLiteral("宋体")}, ownSerif);
    return cjkFont(families, points, bold);
}

QFont heiti(qreal points, bool bold) {
    static const QStringList families =
        facesFor({QStringLiteral("SimHei"), QStringLiteral("黑体")}, ownSans);
    return cjkFont(families, points, bold);
}

QFont platformFont() {
    QFont font = QApplication::font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

void addOwnFonts() {
    for (const char* face : {"serif-regular", "serif-bold", "sans-regular", "sans-bold"}) {
        const QResource font(
            QStringLiteral(":/korvexa/fonts/screencalc-%1.otf").arg(QLatin1String(face)));
        // Stored uncompressed, the font is used where the program holds it,
        // without reading a copy.
        if (font.compressionAlgorithm() == QResource::NoCompression) {
            QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
                reinterpret_cast<const char*>(font.data()), static_cast<qsizetype>(font.size())));
        } else {
            QFontDatabase::addApplicationFont(font.fileName());
        }
    }
}

QFont desktopFont(const QFont& system) {
    QFont font = system;
    if (system.pixelSize() <= 0) {
        font.setPixelSize(pixelsFromPoints(system.pointSizeF()));
    }
    font.setFamilies({system.family(), ownSans});
    return font;
}

} // namespace screencalc
