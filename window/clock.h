#pragma once
// The date-and-time label: rewritten ten times a second, repainted only
// when its text changes, once a second.

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <functional>

class QLabel;

namespace screencalc {

class Clock : public QObject {
    Q_OBJECT
public:
    Clock(QLabel& label, std::function<QDateTime()> now, QObject* parent = nullptr);
    void start() { timer_.start(); }

private:
    void tick();

    QLabel& label_;
    std::function<QDateTime()> now_;
    QTimer timer_;
};

} // namespace screencalc
