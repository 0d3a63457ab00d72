#include "window/widgets.h"

#include <QImageReader>
#include <QPainter>
#include <QPen>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace screencalc {

ShapeBox::ShapeBox(QWidget* parent) : QWidget(parent) {
    // Mouse events go to whatever lies below; the shape is decoration.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeBox::setOutlineWidth(int pixels) {
    if (pixels != outlineWidth_) {
        outlineWidth_ = pixels;
        update();
    }
}

void ShapeBox::setOutlineColour(const QColor& colour) {
    if (colour != outlineColour_) {
        outlineColour_ = colour;
        update();
    }
}

void ShapeBox::setFillColour(const QColor& colour) {
    fillColour_ = colour;
    update();
}

void ShapeBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int width = std::max(1, outlineWidth_);
    if (fillColour_.isValid()) {
        painter.fillRect(rect(), fillColour_);
    }
    // A pen of width w centred on a rectangle inset by w/2 fills exactly the
    // outer w pixels of the box.
    QPen pen(outlineColour_, width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal inset = width / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(const QPixmap& picture, bool smooth) {
    picture_ = picture;
    smooth_ = smooth;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth_);
    painter.drawPixmap(rect(), picture_);
}

FrameBox::FrameBox(QWidget* parent) : QGroupBox(parent) {}

void FrameBox::paintEvent(QPaintEvent*) {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    QPainter painter(this);
    // Fusion's frame: a light outline with rounded corners, one pixel in
    // from the left and top, below a strip as high as the caption.
    const int top =
        std::max(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &option, this),
                 fontMetrics().height()) +
        3;
    // Fusion's picture darkens whatever lies below: black at 9 % on the
    // outline, at 1 % inside.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0, 0, 0, 24));
    painter.setBrush(QColor(0, 0, 0, 3));
    const QRectF outline = QRectF(rect().adjusted(0, top, 0, 0)).adjusted(1.5, 1.5, -0.5, -0.5);
    painter.drawRoundedRect(outline, 2, 2);
    // and a faint shade just inside the outline
    painter.setPen(QColor(0, 0, 0, 5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(outline.adjusted(1, 1, -1, -1), 1.5, 1.5);
    const QRect caption =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    style()->drawItemText(&painter, caption, int(option.textAlignment) | Qt::TextHideMnemonic,
                          palette(), isEnabled(), title(), QPalette::WindowText);
}

QPixmap pngPicture(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace screencalc
