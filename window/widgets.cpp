#include "widgets.h"

#include <QPainter>
#include <QPen>
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

} // namespace screencalc
