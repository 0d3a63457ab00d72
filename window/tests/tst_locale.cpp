// The window under the locale it is started with. CTest runs this program
// twice, with LC_ALL=C and with LC_ALL=de_DE.UTF-8, whose decimal point is a
// comma; both runs expect the same texts, so a German desktop shows and
// accepts exactly what the C locale does.
#include "fakeplatform.h"
#include "mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTest>
#include <clocale>
#include <memory>

using screencalc::OnTopWindow;

namespace {

const QStringList resultNames{QStringLiteral("w"),  QStringLiteral("h"),  QStringLiteral("inch1"),
                              QStringLiteral("w1"), QStringLiteral("h1"), QStringLiteral("bkw")};

QStringList texts(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* t : list) {
        out << QString::fromUtf8(t);
    }
    return out;
}

} // namespace

class LocaleTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<OnTopWindow> window;

    template <class W = QWidget> W* control(const QString& name) const {
        auto* w = window->findChild<W*>(name);
        if (w == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return w;
    }
    QStringList results() const {
        QStringList out;
        for (const QString& name : resultNames) {
            out << control<QLabel>(name)->text();
        }
        return out;
    }

private Q_SLOTS:
    void initTestCase() {
        // QApplication has run setlocale(LC_ALL, "") by now.
        const QString wanted = qEnvironmentVariable("LC_ALL");
        const QString point = QString::fromLatin1(std::localeconv()->decimal_point);
        qInfo("LC_ALL=%s: C decimal point \"%s\", Qt system locale %s", qPrintable(wanted),
              qPrintable(point), qPrintable(QLocale::system().name()));
        if (wanted.startsWith(QLatin1String("de_DE"))) {
            if (point != QLatin1String(",")) {
                QSKIP("de_DE.UTF-8 is not installed here (locale-gen de_DE.UTF-8)");
            }
            QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
        } else {
            QCOMPARE(point, QStringLiteral("."));
        }
    }

    void init() {
        platform = std::make_unique<FakePlatform>();
        window = std::make_unique<OnTopWindow>(*platform);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() {
        window.reset();
        platform.reset();
    }

    void entries_data() {
        QTest::addColumn<QStringList>("clicks"); // options clicked first
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted"); // after the typing
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("expected");
        const QStringList none;
        QTest::newRow("diagonal with a point")
            << none << "inch"
            << "84.5"
            << ""
            << "84.5" << texts({"1871 ", "1052 ", "85  ", "1895 ", "1076 ", "12"});
        QTest::newRow("typed comma is dropped")
            << none << "inch"
            << "84,5"
            << ""
            << "845" << texts({"18707 ", "10522 ", "845  ", "18731 ", "10546 ", "12"});
        QTest::newRow("width") << none << "mw"
                               << "1000"
                               << ""
                               << "1000"
                               << texts({"1000 ", "563 ", "45.17 ", "1024 ", "587 ", "12"});
        QTest::newRow("width with the 80 mm frame")
            << QStringList{"Option1"} << "mw"
            << "1000"
            << ""
            << "1000" << texts({"1000 ", "563 ", "45.17", "1160 ", "723 ", "80"});
        QTest::newRow("height with a point")
            << none << "mh"
            << "1000.5"
            << ""
            << "1000.5" << texts({"1779 ", "1001 ", "80.34 ", "1803 ", "1025 ", "12"});
        QTest::newRow("height: comma dropped, the point still taken")
            << none << "mh"
            << "1,000.5"
            << ""
            << "1000.5" << texts({"1779 ", "1001 ", "80.34 ", "1803 ", "1025 ", "12"});
        QTest::newRow("4:3 with the 80 mm frame")
            << QStringList{"opt43", "Option1"} << "inch"
            << "84.5"
            << ""
            << "84.5" << texts({"1717 ", "1288 ", "85  ", "1731 ", "1302 ", "7"});
        QTest::newRow("pasted point")
            << none << "inch"
            << ""
            << "84.5"
            << "84.5" << texts({"1871 ", "1052 ", "85  ", "1895 ", "1076 ", "12"});
        QTest::newRow("pasted comma is not a number")
            << none << "mw"
            << ""
            << "1,5"
            << "1,5" << texts({"0", "0", "0", "0", "0", "0"});
    }
    void entries() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        QFETCH(QStringList, expected);
        for (const QString& name : clicks) {
            auto* option = control<QRadioButton>(name);
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
            QVERIFY(option->isChecked());
        }
        auto* target = control<QLineEdit>(field);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
        QCOMPARE(QApplication::focusWidget(), target);
        for (QChar c : typed) {
            QTest::keyClick(target, c.toLatin1());
        }
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            target->paste();
        }
        QCOMPARE(target->text(), shown);
        QCOMPARE(results(), expected);
    }

    void frameAddedToTheShownSizes() {
        auto* mh = control<QLineEdit>(QStringLiteral("mh"));
        QTest::mouseClick(mh, Qt::LeftButton, {}, QPoint(4, mh->height() / 2));
        QTest::keyClicks(mh, QStringLiteral("1000.5"));
        auto* option3 = control<QRadioButton>(QStringLiteral("Option3"));
        QTest::mouseClick(option3, Qt::LeftButton, {}, QPoint(6, option3->height() / 2));
        QCOMPARE(results(), texts({"1779 ", "1001 ", "80.34 ", "1869", "1091", "45"}));
    }

    void versionAndClock() {
        QCOMPARE(control<QLabel>(QStringLiteral("ver"))->text(),
                 QStringLiteral("2023| 版本: 3.1.1"));
        platform->time = QDateTime(QDate(2027, 3, 1), QTime(23, 5, 9));
        QTRY_COMPARE(control<QLabel>(QStringLiteral("temdate"))->text(),
                     QStringLiteral("2027年03月01日23:5:9"));
    }
};

QTEST_MAIN(LocaleTest)
#include "tst_locale.moc"
