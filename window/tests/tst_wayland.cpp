// The window on a real Wayland compositor, with the real desktop services:
// tools/wayland-smoke.sh starts a headless weston and runs this under
// QT_QPA_PLATFORM=wayland. Any warning fails, from the connection on.
#include "window/mainwindow.h"
#include "window/platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTest>

namespace {
QStringList startMessages; // said while connecting, before QtTest listens
}

class WaylandSmoke : public QObject {
    Q_OBJECT
    std::unique_ptr<screencalc::Platform> platform = screencalc::makeDesktopPlatform();
    std::unique_ptr<screencalc::CalculatorWindow> window;
    template <class W> W* control(const char* name) { return window->findChild<W*>(name); }

private Q_SLOTS:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void initTestCase() {
        init();
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        QVERIFY2(startMessages.isEmpty(), qPrintable(startMessages.join(QLatin1Char('\n'))));
        window = std::make_unique<screencalc::CalculatorWindow>(*platform);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void typingADiagonalFillsTheResults() {
        QTest::keyClick(window->windowHandle(), '1');
        QTest::keyClick(window->windowHandle(), '0');
        QTest::keyClick(window->windowHandle(), '0');
        QStringList results;
        for (const char* name : {"w", "h", "inch1", "w1", "h1", "bkw"}) {
            results << control<QLabel>(name)->text().trimmed();
        }
        QCOMPARE(results, QStringList({"2214", "1245", "100", "2238", "1269", "12"}));
    }

    void keepOnTopIsNotOffered() {
        const auto* check1 = control<QCheckBox>("check1");
        QVERIFY(!check1->isEnabled());
        QCOMPARE(check1->toolTip(), QStringLiteral("当前桌面不支持窗口置顶"));
    }
};

int main(int argc, char* argv[]) {
    qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { startMessages << text; });
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    WaylandSmoke test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_wayland.moc"
