// The window's pure services: centring and placement, and the clock text.
// The window's tests cover the version, the web addresses and the colours.
#include "window/services.h"

#include <QApplication>
#include <QTest>

using namespace screencalc;

class ServicesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void centring_data() {
        QTest::addColumn<double>("screen");
        QTest::addColumn<double>("window");
        QTest::addColumn<int>("expected");
        QTest::newRow("1920 pixels, 9945: 18855 halved truncates") << 28800.0 << 9945.0 << 9427;
        QTest::newRow("1080 screen, 8730 window") << 16200.0 << 8730.0 << 3735;
        QTest::newRow("wider than screen by 945 truncates toward zero") << 9000.0 << 9945.0 << -472;
        QTest::newRow("tie 2.5 rounds to even 2") << 102.5 << 100.0 << 1;
        QTest::newRow("tie -2.5 rounds to even -2") << 100.0 << 102.5 << -1;
    }
    void centring() {
        QFETCH(double, screen);
        QFETCH(double, window);
        QTEST(centredTwips(screen, window), "expected");
    }

    // Available screen areas in logical pixels; the 657 x 548 window with a
    // title bar (t) measures 663 x 582 outside, 9945 x 8730 twips.
    void placement_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QPoint>("expected");
        const QMargins t(3, 31, 3, 3);
        const QRect hd(0, 0, 1920, 1080);
        QTest::newRow("1920x1080: 9427, 3735 twips") << hd << t << QPoint(628, 249);
        QTest::newRow("frame not known yet") << hd << QMargins() << QPoint(631, 266);
        QTest::newRow("taskbar below") << QRect(0, 0, 1920, 1040) << t << QPoint(628, 229);
        QTest::newRow("second screen") << QRect(1920, 100, 1024, 768) << t << QPoint(2100, 193);
        QTest::newRow("1280x800 at 1.5: too low") << QRect(0, 0, 853, 533) << t << QPoint(95, 0);
        QTest::newRow("1280x800 at 1.5, panel") << QRect(0, 32, 853, 501) << t << QPoint(95, 32);
        QTest::newRow("1920x1080 at 2, taskbar") << QRect(0, 0, 960, 516) << t << QPoint(148, 0);
        QTest::newRow("too narrow and too low") << QRect(0, 0, 640, 480) << t << QPoint(0, 0);
    }
    void placement() {
        QFETCH(QRect, available);
        QFETCH(QMargins, frame);
        const QRect outer(framePosition(available, QSize(657, 548), frame),
                          QSize(657, 548).grownBy(frame));
        QTEST(outer.topLeft(), "expected");
        // The frame leaves the screen only along an axis where it cannot fit.
        QCOMPARE(available.intersected(outer).size(), outer.size().boundedTo(available.size()));
    }

    void clock_data() {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("expected");
        QTest::newRow("early morning") << QDateTime(QDate(2026, 12, 6), QTime(4, 30, 7))
                                       << QStringLiteral("2026年12月06日4:30:7");
        QTest::newRow("midnight") << QDateTime(QDate(2027, 3, 1), QTime(0, 0, 0))
                                  << QStringLiteral("2027年03月01日0:0:0");
    }
    void clock() {
        QFETCH(QDateTime, moment);
        QTEST(clockText(moment), "expected");
    }
};

QTEST_MAIN(ServicesTest)
#include "tst_services.moc"
