#include "appearance.h"

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
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

Outline frameOutline(calc::Option frame) {
    switch (frame) {
    case calc::Option::Option1:
        return {6, 0x000000FF}; // red; 5.5 in the design, rounded half to even
    case calc::Option::Option3:
        return {3, 0x00800080}; // purple
    case calc::Option::Option4:
        return {4, 0x00C0C000}; // teal
    case calc::Option::Option5:
        return {7, 0x000080FF}; // orange
    default:
        return {1, 0x00008080}; // olive, the 12 mm frame
    }
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
