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
        // Screen readers get the time to the minute: with a name of its own
        // the label no longer reports a new name every second.
        const QString toTheMinute = text.section(u':', 0, 1);
        if (label_.accessibleName() != toTheMinute) {
            label_.setAccessibleName(toTheMinute);
        }
        label_.setText(text);
    }
}

} // namespace screencalc
