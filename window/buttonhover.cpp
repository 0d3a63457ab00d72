#include "window/buttonhover.h"

#include "calc/layout.h"
#include "window/appearance.h"

#include <QEvent>
#include <QPushButton>

namespace screencalc {

namespace {

void setButtonColour(QPushButton& button, std::uint32_t value) {
    QPalette palette = button.palette();
    palette.setColor(QPalette::Button, colourFromValue(value));
    button.setPalette(palette);
}

} // namespace

void ButtonHover::add(QPushButton& button, QWidget& zone) {
    pairs_.emplace_back(&button, &zone);
    for (QWidget* w : {static_cast<QWidget*>(&button), &zone}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

bool ButtonHover::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        // Every move sets the colour again; nothing remembers the last one.
        for (auto [button, zone] : pairs_) {
            if (watched == button) {
                setButtonColour(*button, calc::layout::buttonLit);
            } else if (watched == zone) {
                setButtonColour(*button, calc::layout::buttonRest);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace screencalc
