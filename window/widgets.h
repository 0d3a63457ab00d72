#pragma once
// The two kinds of control Qt has no widget for, a rectangle drawn with an
// outline and a picture stretched to its box, and a frame drawn without
// pictures.

#include <QColor>
#include <QGroupBox>
#include <QPixmap>
#include <QWidget>

namespace screencalc {

// An outlined rectangle; the outline lies inside the box.
class ShapeBox : public QWidget {
    Q_OBJECT
public:
    explicit ShapeBox(QWidget* parent = nullptr);

    int outlineWidth() const { return outlineWidth_; }
    QColor outlineColour() const { return outlineColour_; }
    void setOutlineWidth(int pixels);
    void setOutlineColour(const QColor& colour);
    // An invalid colour leaves the inside unpainted.
    void setFillColour(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int outlineWidth_ = 1;
    QColor outlineColour_ = Qt::black;
    QColor fillColour_;
};

// A picture stretched to the box; without a picture it draws nothing and
// serves as an invisible area that still receives the mouse.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    const QPixmap& picture() const { return picture_; }
    // `smooth` off keeps hard edges, which a printed code needs to scan.
    void setPicture(const QPixmap& picture, bool smooth = true);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    bool smooth_ = true;
};

// A frame with a caption, as Fusion draws one, but painted here: Fusion draws
// a group box's border from a picture, and reading that picture makes Qt
// load every image plugin at the first paint.
class FrameBox : public QGroupBox {
    Q_OBJECT
public:
    explicit FrameBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Reads one of the program's own PNG pictures with Qt's built-in reader.
// Left to detect the format, Qt would load every image plugin to ask each
// whether it reads PNG, which costs start-up time and memory.
QPixmap pngPicture(const QString& path);

} // namespace screencalc
