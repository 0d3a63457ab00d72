#include "appearance.h"

#include "calcview.h"

#include <QApplication>
#include <QPalette>

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
    return QColor(calc::redOf(value), calc::greenOf(value), calc::blueOf(value));
}

namespace {

QFont cjkFont(const QStringList& families, qreal points, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

QFont songti(qreal points, bool bold) {
    return cjkFont({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                    QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")},
                   points, bold);
}

QFont heiti(qreal points, bool bold) {
    return cjkFont({QStringLiteral("SimHei"), QStringLiteral("黑体"),
                    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC")},
                   points, bold);
}

QFont platformFont() {
    QFont font = QApplication::font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

} // namespace screencalc
