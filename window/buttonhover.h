#pragma once
// Four push buttons light up while the pointer moves over them and take the
// rest colour again when it moves over the invisible zone around them.
// Leaving a button any other way leaves it lit: nothing watches the pointer
// leave, and users know the buttons so.

#include <QObject>
#include <vector>

class QPushButton;

namespace screencalc {

class ButtonHover : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // `zone` lies beneath `button` and a little around it.
    void add(QPushButton& button, QWidget& zone);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<std::pair<QPushButton*, QWidget*>> pairs_;
};

} // namespace screencalc
