#include "window/buttonhover.h"

#include "window/appearance.h"

#include <QEvent>
#include <QPushButton>

namespace screencalc {

namespace {

constexpr std::uint32_t highlightColour = 0x00FFFF80;
constexpr std::uint32_t restColour = 0x00E0E0E0;

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
                setButtonColour(*button, highlightColour);
            } else if (watched == zone) {
                setButtonColour(*button, restColour);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace screencalc
