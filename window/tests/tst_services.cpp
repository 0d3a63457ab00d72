// The window's pure services: centring, clock text, version text, the web
// addresses and the colour values.
#include "appearance.h"
#include "buildinfo.h"
#include "services.h"

#include <QApplication>
#include <QPalette>
#include <QTest>

using namespace screencalc;

class ServicesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void centring_data() {
        QTest::addColumn<double>("screen");
        QTest::addColumn<double>("window");
        QTest::addColumn<int>("expected");
        QTest::newRow("1920 screen, 9945 window: 18855 halved truncates")
            << 28800.0 << 9945.0 << 9427;
        QTest::newRow("1080 screen, 8730 window") << 16200.0 << 8730.0 << 3735;
        QTest::newRow("wider than screen by 945 truncates toward zero") << 9000.0 << 9945.0 << -472;
        QTest::newRow("tie 2.5 rounds to even 2") << 102.5 << 100.0 << 1;
        QTest::newRow("tie 3.5 rounds to even 4") << 103.5 << 100.0 << 2;
        QTest::newRow("tie -2.5 rounds to even -2") << 100.0 << 102.5 << -1;
        QTest::newRow("not a tie 2.6 rounds up") << 102.6 << 100.0 << 1;
    }
    void centring() {
        QFETCH(double, screen);
        QFETCH(double, window);
        QFETCH(int, expected);
        QCOMPARE(centredTwips(screen, window), expected);
    }

    void clock_data() {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("expected");
        QTest::newRow("early morning") << QDateTime(QDate(2026, 12, 6), QTime(4, 30, 7))
                                       << QStringLiteral("2026年12月06日4:30:7");
        QTest::newRow("late evening") << QDateTime(QDate(2027, 3, 1), QTime(23, 5, 9))
                                      << QStringLiteral("2027年03月01日23:5:9");
        QTest::newRow("midnight") << QDateTime(QDate(2027, 3, 1), QTime(0, 0, 0))
                                  << QStringLiteral("2027年03月01日0:0:0");
    }
    void clock() {
        QFETCH(QDateTime, moment);
        QFETCH(QString, expected);
        QCOMPARE(clockText(moment), expected);
    }

    void version() { QCOMPARE(versionText(), QStringLiteral("2023| 版本: 3.1.1")); }

    void webPages_data() {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("pathAndQuery");
        QTest::newRow("download page")
            << downloadPageUrl() << QStringLiteral("/download/showdownload.php?lang=cn&id=22");
        QTest::newRow("product page")
            << productPageUrl() << QStringLiteral("/product/product.php?class2=141");
    }
    void webPages() {
        QFETCH(QUrl, url);
        QFETCH(QString, pathAndQuery);
        QVERIFY(url.isValid());
        // Update downloads must not travel in clear text.
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(url.host(), QString::fromLatin1(build::webHost));
        QCOMPARE(url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::FullyEncoded),
                 pathAndQuery);
    }

    void colours_data() {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("red is the low byte") << 0x000000FFu << QColor(255, 0, 0);
        QTest::newRow("blue is the high byte") << 0x00FF0000u << QColor(0, 0, 255);
        QTest::newRow("hover colour") << 0x00FFFF80u << QColor(128, 255, 255);
        QTest::newRow("90 mm outline") << 0x000080FFu << QColor(255, 128, 0);
        QTest::newRow("menu background")
            << 0x80000004u << QApplication::palette("QMenu").color(QPalette::Window);
    }
    void colours() {
        QFETCH(quint32, value);
        QFETCH(QColor, expected);
        QCOMPARE(colourFromValue(value), expected);
    }
};

QTEST_MAIN(ServicesTest)
#include "tst_services.moc"
