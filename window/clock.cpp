#include "window/clock.h"

#include "window/services.h"

#include <QLabel>

namespace screencalc {

Clock::Clock(QLabel& label, std::function<QDateTime()> now, QObject* parent)
    : QObject(parent), label_(label), now_(std::move(now)) {
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

void Clock::tick() {
    const QString text = clockText(now_());
    if (label_.text() != text) {
        label_.setText(text);
    }
}

} // namespace screencalc
