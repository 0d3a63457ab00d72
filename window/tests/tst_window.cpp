// The window driven as a user drives it: real key presses, mouse clicks and
// moves, with the desktop replaced by a recording fake.
#include "application.h"
#include "buildinfo.h"
#include "fakeplatform.h"
#include "mainwindow.h"
#include "widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <clocale>
#include <memory>

using screencalc::OnTopWindow;
using screencalc::ShapeBox;

namespace {

const QStringList resultNames{QStringLiteral("w"),  QStringLiteral("h"),  QStringLiteral("inch1"),
                              QStringLiteral("w1"), QStringLiteral("h1"), QStringLiteral("bkw")};
const QStringList allZero(6, QStringLiteral("0"));
// Typing 100 into the diagonal at start.
const QStringList diagonal100{QStringLiteral("2214 "), QStringLiteral("1245 "),
                              QStringLiteral("100  "), QStringLiteral("2238 "),
                              QStringLiteral("1269 "), QStringLiteral("12")};
// Typing 1000 into the height at start.
const QStringList height1000{QStringLiteral("1778 "),  QStringLiteral("1000 "),
                             QStringLiteral("80.30 "), QStringLiteral("1802 "),
                             QStringLiteral("1024 "),  QStringLiteral("12")};

// One key: a character, or a named key in braces; "^x" is Ctrl with x, sent
// with the control character that a desktop reports for it.
struct Key {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

QList<Key> parseKeys(const QString& keys) {
    static const QHash<QString, Key> named{
        {QStringLiteral("Del"), {Qt::Key_Delete, QStringLiteral("\x7f")}},
        {QStringLiteral("BS"), {Qt::Key_Backspace, QStringLiteral("\b")}},
        {QStringLiteral("Home"), {Qt::Key_Home, {}}},
        {QStringLiteral("End"), {Qt::Key_End, {}}},
        {QStringLiteral("Left"), {Qt::Key_Left, {}}},
        {QStringLiteral("Right"), {Qt::Key_Right, {}}},
        {QStringLiteral("ShiftHome"), {Qt::Key_Home, {}, Qt::ShiftModifier}},
        {QStringLiteral("Enter"), {Qt::Key_Return, QStringLiteral("\r")}},
        {QStringLiteral("Esc"), {Qt::Key_Escape, QStringLiteral("\x1b")}},
        {QStringLiteral("Tab"), {Qt::Key_Tab, QStringLiteral("\t")}},
        {QStringLiteral("BackTab"), {Qt::Key_Backtab, {}, Qt::ShiftModifier}},
        {QStringLiteral("KP5"), {Qt::Key_5, QStringLiteral("5"), Qt::KeypadModifier}},
    };
    QList<Key> result;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QChar c = keys.at(i);
        if (c == QLatin1Char('{')) {
            const qsizetype end = keys.indexOf(QLatin1Char('}'), i);
            result << named.value(keys.mid(i + 1, end - i - 1));
            i = end;
        } else if (c == QLatin1Char('^')) {
            const QChar letter = keys.at(++i).toUpper();
            const auto code = static_cast<Qt::Key>(letter.unicode());
            const QString text =
                letter.isLetter() ? QString(QChar(letter.unicode() - 64)) : QString(letter);
            result << Key{code, text, Qt::ControlModifier};
        } else {
            const auto code = static_cast<Qt::Key>(c.toUpper().unicode());
            result << Key{code, QString(c)};
        }
    }
    return result;
}

// Presses the keys one by one on whatever has the focus, as a keyboard does.
void press(const QString& keys) {
    for (const Key& k : parseKeys(keys)) {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QTest::sendKeyEvent(QTest::Press, target, k.key, k.text, k.modifiers);
        QTest::sendKeyEvent(QTest::Release, QApplication::focusWidget(), k.key, k.text,
                            k.modifiers);
    }
}

QPoint centreOf(const QWidget* w) {
    return w->rect().center();
}

} // namespace

class WindowTest : public QObject {
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
    QLineEdit* field(const QString& name) const { return control<QLineEdit>(name); }
    QRadioButton* option(const QString& name) const { return control<QRadioButton>(name); }
    ShapeBox* shape1() const { return control<ShapeBox>(QStringLiteral("Shape1")); }
    QStringList results() const {
        QStringList texts;
        for (const QString& name : resultNames) {
            texts << control<QLabel>(name)->text();
        }
        return texts;
    }
    QStringList entries() const {
        return {field(QStringLiteral("inch"))->text(), field(QStringLiteral("mw"))->text(),
                field(QStringLiteral("mh"))->text()};
    }
    // Focus a control with the mouse, then type.
    void typeInto(const QString& name, const QString& keys) {
        QWidget* target = control(name);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
        QCOMPARE(QApplication::focusWidget(), target);
        press(keys);
    }
    void click(const QString& name) {
        QWidget* target = control(name);
        // Near the left edge: a radio button's indicator, or inside a button.
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(6, target->height() / 2));
    }
    void makeWindow() {
        window = std::make_unique<OnTopWindow>(*platform);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

private Q_SLOTS:
    void initTestCase() {
        screencalc::setUpApplication(*qApp);
        // CTest runs this program under C and under de_DE.UTF-8, whose
        // decimal point is a comma; QApplication has called setlocale by now.
        // Both runs expect the very same texts.
        if (qEnvironmentVariable("LC_ALL").startsWith(QLatin1String("de_DE"))) {
            if (QString::fromLatin1(std::localeconv()->decimal_point) != QLatin1String(",")) {
                QSKIP("de_DE.UTF-8 is not installed here (locale-gen de_DE.UTF-8)");
            }
            QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
        }
    }
    void init() {
        QApplication::clipboard()->clear();
        platform = std::make_unique<FakePlatform>();
        makeWindow();
    }
    void cleanup() {
        window.reset();
        platform.reset();
    }

    void startState() {
        QCOMPARE(window->objectName(), QStringLiteral("onTop"));
        QCOMPARE(QApplication::focusWidget(), field(QStringLiteral("inch")));
        QCOMPARE(results(), allZero);
        QVERIFY(option(QStringLiteral("opt169"))->isChecked());
        QVERIFY(option(QStringLiteral("Option2"))->isChecked());
        QCOMPARE(shape1()->outlineWidth(), 6);
        QCOMPARE(shape1()->outlineColour(), QColor(255, 0, 0));
        QCOMPARE(control<QLabel>(QStringLiteral("ver"))->text(),
                 QStringLiteral("2023| 版本: 3.1.1"));
        QVERIFY(!control<screencalc::PictureBox>(QStringLiteral("Image6"))->picture().isNull());
        QVERIFY(!control<screencalc::PictureBox>(QStringLiteral("Image1"))->picture().isNull());
    }

    void typing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::newRow("digits") << "inch"
                                << "100"
                                << "100";
        QTest::newRow("second point dropped") << "mw"
                                              << "1.2.3"
                                              << "1.23";
        QTest::newRow("lone point empties the field") << "inch"
                                                      << "."
                                                      << "";
        QTest::newRow("point first, then a digit") << "mh"
                                                   << ".5"
                                                   << "5";
        QTest::newRow("leading zero keeps the point") << "mh"
                                                      << "0.5"
                                                      << "0.5";
        QTest::newRow("letters, blank, signs, comma dropped") << "mw"
                                                              << "1a b-+,2"
                                                              << "12";
        QTest::newRow("inch stops at 6") << "inch"
                                         << "12345678"
                                         << "123456";
        QTest::newRow("mw stops at 9") << "mw"
                                       << "1234567890"
                                       << "123456789";
        QTest::newRow("mh stops at 9") << "mh"
                                       << "9999999999"
                                       << "999999999";
        QTest::newRow("enter dropped") << "inch"
                                       << "12{Enter}3"
                                       << "123";
        QTest::newRow("ctrl+v pastes nothing") << "inch"
                                               << "1^v"
                                               << "1";
        QTest::newRow("ctrl+a selects nothing") << "mw"
                                                << "12^a3"
                                                << "123";
        QTest::newRow("ctrl+x cuts nothing") << "mw"
                                             << "12{ShiftHome}^x"
                                             << "12";
        QTest::newRow("ctrl+z undoes nothing") << "mh"
                                               << "12^z"
                                               << "12";
        QTest::newRow("ctrl+digit types nothing") << "inch"
                                                  << "1^2"
                                                  << "1";
        QTest::newRow("delete works") << "inch"
                                      << "123{Home}{Del}"
                                      << "23";
        QTest::newRow("arrow and backspace work") << "mw"
                                                  << "123{Left}{BS}"
                                                  << "13";
        QTest::newRow("home and end work") << "mh"
                                           << "23{Home}1{End}4"
                                           << "1234";
        QTest::newRow("keypad digit") << "inch"
                                      << "1{KP5}"
                                      << "15";
        QTest::newRow("esc character types nothing") << "inch"
                                                     << "{Esc}7"
                                                     << "7";
        QTest::newRow("point over selected point dropped") << "mh"
                                                           << "1.5{ShiftHome}."
                                                           << "1.5";
        QTest::newRow("digit replaces selection") << "mh"
                                                  << "1.5{ShiftHome}7"
                                                  << "7";
    }
    void typing() {
        QFETCH(QString, name);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QApplication::clipboard()->setText(QStringLiteral("99"));
        typeInto(name, keys);
        QCOMPARE(field(name)->text(), expected);
        QCOMPARE(QApplication::focusWidget(), field(name));
    }

    void inputMethodCannotInsert_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("inch") << "inch";
        QTest::newRow("mw") << "mw";
        QTest::newRow("mh") << "mh";
    }
    void inputMethodCannotInsert() {
        QFETCH(QString, name);
        typeInto(name, QStringLiteral("12"));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("三abc"));
        QApplication::sendEvent(field(name), &commit);
        QCOMPARE(field(name)->text(), QStringLiteral("12"));
    }

    void typedEntryFillsResults_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("diagonal 100") << "inch"
                                      << "100" << diagonal100;
        QTest::newRow("height 1000") << "mh"
                                     << "1000" << height1000;
        QTest::newRow("diagonal with a point")
            << "inch"
            << "84.5" << QStringList({"1871 ", "1052 ", "85  ", "1895 ", "1076 ", "12"});
        QTest::newRow("height with a point, comma dropped")
            << "mh"
            << "1,000.5" << QStringList({"1779 ", "1001 ", "80.34 ", "1803 ", "1025 ", "12"});
        QTest::newRow("deleting the last digit keeps the results")
            << "inch"
            << "1{BS}" << QStringList({"22 ", "12 ", "1  ", "46 ", "36 ", "12"});
    }
    void typedEntryFillsResults() {
        QFETCH(QString, name);
        QFETCH(QString, keys);
        QFETCH(QStringList, expected);
        typeInto(name, keys);
        QCOMPARE(results(), expected);
    }

    void writingTheSameTextRunsNothing() {
        window->setEntryText(calc::Entry::inch, "100");
        QCOMPARE(results(), diagonal100);
        window->setResultText(calc::Result::w, "marker");
        window->setEntryText(calc::Entry::inch, "100");
        QCOMPARE(control<QLabel>(QStringLiteral("w"))->text(), QStringLiteral("marker"));
        window->setEntryText(calc::Entry::inch, "84.5");
        QCOMPARE(control<QLabel>(QStringLiteral("w"))->text(), QStringLiteral("1871 "));
    }

    void focusRule_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("move");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("expectedResults");
        QTest::newRow("tab from inch to mw") << "inch"
                                             << "100"
                                             << "{Tab}"
                                             << "mw" << diagonal100;
        QTest::newRow("shift+tab from mh to mw") << "mh"
                                                 << "1000"
                                                 << "{BackTab}"
                                                 << "mw" << height1000;
        QTest::newRow("click from mh into mw") << "mh"
                                               << "1000"
                                               << "click"
                                               << "mw" << height1000;
        QTest::newRow("click from inch into mh") << "inch"
                                                 << "100"
                                                 << "click"
                                                 << "mh" << diagonal100;
    }
    void focusRule() {
        QFETCH(QString, from);
        QFETCH(QString, keys);
        QFETCH(QString, move);
        QFETCH(QString, to);
        QFETCH(QStringList, expectedResults);
        typeInto(from, keys);
        if (move == QLatin1String("click")) {
            click(to);
        } else {
            press(move);
        }
        QCOMPARE(QApplication::focusWidget(), field(to));
        QCOMPARE(entries(), QStringList({QString(), QString(), QString()}));
        QCOMPARE(results(), expectedResults);
    }

    void escape_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("resets");
        QTest::newRow("in mh") << "mh" << true;
        QTest::newRow("in inch") << "inch" << true;
        QTest::newRow("in mw") << "mw" << true;
        QTest::newRow("on the selected frame option") << "Option3" << true;
        QTest::newRow("on a ratio option") << "opt169" << false;
        QTest::newRow("on the check box") << "check1" << false;
        QTest::newRow("on a push button") << "Command2" << false;
    }
    void escape() {
        QFETCH(QString, focus);
        QFETCH(bool, resets);
        typeInto(QStringLiteral("mh"), QStringLiteral("1000"));
        option(QStringLiteral("Option3"))->setChecked(true);
        const QStringList before = results();
        QCOMPARE(before.at(3), QStringLiteral("1868"));
        QCOMPARE(shape1()->outlineWidth(), 3);

        control(focus)->setFocus(Qt::TabFocusReason);
        press(QStringLiteral("{Esc}"));

        QCOMPARE(QApplication::focusWidget(), control(focus));
        if (resets) {
            QCOMPARE(entries(), QStringList({QString(), QString(), QString()}));
            QVERIFY(option(QStringLiteral("Option2"))->isChecked());
            QCOMPARE(results(), allZero);
            QCOMPARE(shape1()->outlineWidth(), 1);
            QCOMPARE(shape1()->outlineColour(), QColor(128, 128, 0));
        } else {
            QVERIFY(option(QStringLiteral("Option3"))->isChecked());
            QCOMPARE(results(), before);
            QCOMPARE(field(QStringLiteral("mh"))->text(), QStringLiteral("1000"));
        }
    }

    void clearButton_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<int>("outlineAfter");
        QTest::newRow("at start: nothing runs, the outline stays") << ""
                                                                   << ""
                                                                   << "" << 6;
        QTest::newRow("after a width with 65 mm") << "mw"
                                                  << "1000"
                                                  << "Option4" << 1;
        QTest::newRow("after a diagonal with 12 mm") << "inch"
                                                     << "100"
                                                     << "" << 6;
    }
    void clearButton() {
        QFETCH(QString, entry);
        QFETCH(QString, keys);
        QFETCH(QString, frame);
        QFETCH(int, outlineAfter);
        click(QStringLiteral("opt43")); // the ratio must survive the clear
        if (!entry.isEmpty()) {
            typeInto(entry, keys);
        }
        if (!frame.isEmpty()) {
            click(frame);
        }
        click(QStringLiteral("Command4"));
        QCOMPARE(entries(), QStringList({QString(), QString(), QString()}));
        QCOMPARE(results(), allZero);
        QVERIFY(option(QStringLiteral("Option2"))->isChecked());
        QVERIFY(option(QStringLiteral("opt43"))->isChecked());
        QCOMPARE(shape1()->outlineWidth(), outlineAfter);
    }

    void ratioThenFrame() {
        typeInto(QStringLiteral("inch"), QStringLiteral("100"));
        click(QStringLiteral("opt43"));
        QCOMPARE(results(), QStringList({"2032 ", "1524 ", "100  ", "2046 ", "1538 ", "7"}));
        click(QStringLiteral("Option1"));
        QCOMPARE(results(), QStringList({"2032 ", "1524 ", "100  ", "2192", "1684", "80"}));
        QCOMPARE(shape1()->outlineWidth(), 6);
        QCOMPARE(shape1()->outlineColour(), QColor(255, 0, 0));
        click(QStringLiteral("opt169"));
        QCOMPARE(results(), QStringList({"2214 ", "1245 ", "100  ", "2228 ", "1259 ", "7"}));
        QVERIFY(option(QStringLiteral("Option1"))->isChecked());
    }

    void shapeDrawsItsOutline_data() {
        QTest::addColumn<QString>("frame");
        QTest::addColumn<int>("width");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("80 mm") << "Option1" << 6 << QColor(255, 0, 0);
        QTest::newRow("45 mm") << "Option3" << 3 << QColor(128, 0, 128);
        QTest::newRow("65 mm") << "Option4" << 4 << QColor(0, 192, 192);
        QTest::newRow("90 mm") << "Option5" << 7 << QColor(255, 128, 0);
    }
    void shapeDrawsItsOutline() {
        QFETCH(QString, frame);
        QFETCH(int, width);
        QFETCH(QColor, colour);
        click(frame);
        const QImage drawn = shape1()->grab().toImage();
        const int middle = drawn.height() / 2;
        QCOMPARE(drawn.pixelColor(0, middle), colour);
        QCOMPARE(drawn.pixelColor(width - 1, middle), colour);
        QVERIFY(drawn.pixelColor(width + 1, middle) != colour);
    }

    void arrowKeysSelectAFrame() {
        typeInto(QStringLiteral("inch"), QStringLiteral("100"));
        option(QStringLiteral("Option2"))->setFocus(Qt::TabFocusReason);
        QTest::keyClick(option(QStringLiteral("Option2")), Qt::Key_Right);
        QVERIFY(option(QStringLiteral("Option3"))->isChecked());
        QCOMPARE(results(), QStringList({"2214 ", "1245 ", "100  ", "2304", "1335", "45"}));
        QCOMPARE(shape1()->outlineColour(), QColor(128, 0, 128));
    }

    void hover_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("zone");
        QTest::newRow("clear") << "Command4"
                               << "Image2";
        QTest::newRow("website") << "Command3"
                                 << "Image3";
        QTest::newRow("updates") << "Command1"
                                 << "Image4";
        QTest::newRow("exit") << "Command5"
                              << "Image5";
    }
    void hover() {
        QFETCH(QString, button);
        QFETCH(QString, zone);
        auto* target = control<QPushButton>(button);
        QWidget* around = control(zone);
        QTest::mouseMove(window.get(), target->mapTo(window.get(), centreOf(target)));
        QTRY_COMPARE(target->palette().color(QPalette::Button), QColor(128, 255, 255));
        // Just inside the zone, outside the button.
        QTest::mouseMove(window.get(), around->mapTo(window.get(), QPoint(2, 2)));
        QTRY_COMPARE(target->palette().color(QPalette::Button), QColor(224, 224, 224));
        // The zone lies below the button, which still takes its clicks.
        QTest::mouseMove(window.get(), target->mapTo(window.get(), centreOf(target)));
        QTRY_COMPARE(target->palette().color(QPalette::Button), QColor(128, 255, 255));
    }

    void keepOnTop() {
        auto* check1 = control<QCheckBox>(QStringLiteral("check1"));
        QTest::mouseClick(check1, Qt::LeftButton, {}, QPoint(6, check1->height() / 2));
        QCOMPARE(platform->calls, QStringList{QStringLiteral("keep on top")});
        QCOMPARE(check1->toolTip(), QStringLiteral("取消选定，窗体可最小"));
        QTest::mouseClick(check1, Qt::LeftButton, {}, QPoint(6, check1->height() / 2));
        QCOMPARE(platform->calls, QStringList({"keep on top", "not on top"}));
        QCOMPARE(check1->toolTip(), QStringLiteral("设置窗体最前显示"));
    }

    void buttons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("call");
        QTest::newRow("updates") << "Command1"
                                 << QStringLiteral(
                                        "open https://%1/download/showdownload.php?lang=cn&id=22")
                                        .arg(QLatin1String(screencalc::build::webHost));
        QTest::newRow("website") << "Command3"
                                 << QStringLiteral("open https://%1/product/product.php?class2=141")
                                        .arg(QLatin1String(screencalc::build::webHost));
        QTest::newRow("minimise") << "Command2"
                                  << "minimise";
        QTest::newRow("exit") << "Command5"
                              << "exit";
    }
    void buttons() {
        QFETCH(QString, button);
        QFETCH(QString, call);
        typeInto(QStringLiteral("inch"), QStringLiteral("12"));
        click(button);
        QCOMPARE(platform->calls, QStringList{call});
        QCOMPARE(field(QStringLiteral("inch"))->text(), QStringLiteral("12"));
    }

    void clock() {
        platform->time = QDateTime(QDate(2027, 3, 1), QTime(23, 5, 9));
        QTRY_COMPARE(control<QLabel>(QStringLiteral("temdate"))->text(),
                     QStringLiteral("2027年03月01日23:5:9"));
    }

    void centred_data() {
        QTest::addColumn<QRect>("screen");
        QTest::newRow("full HD") << QRect(0, 0, 1920, 1080);
        QTest::newRow("small screen to the right") << QRect(1920, 100, 1024, 768);
    }
    void centred() {
        QFETCH(QRect, screen);
        window.reset();
        platform->screen = screen;
        makeWindow();
        const QRect outer = window->frameGeometry();
        QVERIFY(std::abs(outer.center().x() - screen.center().x()) <= 1);
        QVERIFY(std::abs(outer.center().y() - screen.center().y()) <= 1);
        QCOMPARE(window->size(), QSize(657, 548)); // centring moves, never resizes
    }

    void tabOrder() {
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 20; ++i) {
            press(QStringLiteral("{Tab}"));
            const QString name = QApplication::focusWidget()->objectName();
            if (name == visited.front()) {
                break;
            }
            visited << name;
        }
        QCOMPARE(visited, QStringList({"inch", "mw", "mh", "Option2", "Command4", "Command3",
                                       "Command1", "opt169", "Command2", "Command5", "check1"}));
        // Backwards the same way, and a group is entered at its selected button.
        click(QStringLiteral("Option4"));
        click(QStringLiteral("opt43"));
        QStringList back{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 20; ++i) {
            press(QStringLiteral("{BackTab}"));
            const QString name = QApplication::focusWidget()->objectName();
            if (name == back.front()) {
                break;
            }
            back << name;
        }
        QCOMPARE(back, QStringList({"opt43", "Command1", "Command3", "Command4", "Option4", "mh",
                                    "mw", "inch", "check1", "Command5", "Command2"}));
    }

    void pastedText_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QStringList>("expectedResults");
        QTest::newRow("letters into inch") << "inch"
                                           << "12a"
                                           << "12a" << true << allZero;
        QTest::newRow("comma into mw") << "mw"
                                       << "1,5"
                                       << "1,5" << true << allZero;
        QTest::newRow("two points into mh") << "mh"
                                            << "1.2.3"
                                            << "1.2.3" << true << allZero;
        QTest::newRow("minus into inch") << "inch"
                                         << "-5"
                                         << "-5" << true << allZero;
        QTest::newRow("too long is cut to the limit")
            << "inch"
            << "1000000000"
            << "100000" << false
            << QStringList({"2213802 ", "1245264 ", "100000  ", "2213826 ", "1245288 ", "12"});
        QTest::newRow("number with blanks converts") << "inch"
                                                     << " 100 "
                                                     << " 100 " << false << diagonal100;
        QTest::newRow("the limit keeps whole characters")
            << "mh" << QString::fromUtf16(u"😀😀😀😀😀") << QString::fromUtf16(u"😀😀😀😀") << true
            << allZero;
        QTest::newRow("half a character from the clipboard is dropped")
            << "inch" << QStringLiteral("1") + QChar(0xD83D) + QStringLiteral("00") << "100"
            << false << diagonal100;
    }
    void pastedText() {
        QFETCH(QString, name);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        QFETCH(bool, marked);
        QFETCH(QStringList, expectedResults);
        QLineEdit* target = field(name);
        const QString designTip = target->toolTip();
        const QColor normal = target->palette().color(QPalette::Base);
        click(name);
        QApplication::clipboard()->setText(pasted);
        target->paste(); // what the context menu's Paste does
        QCOMPARE(target->text(), shown);
        QCOMPARE(results(), expectedResults);
        QCOMPARE(target->palette().color(QPalette::Base) != normal, marked);
        QCOMPARE(target->toolTip() != designTip, marked);

        // The mark goes once the text converts again.
        target->selectAll();
        press(QStringLiteral("{Del}7"));
        QCOMPARE(target->text(), QStringLiteral("7"));
        QCOMPARE(target->palette().color(QPalette::Base), normal);
        QCOMPARE(target->toolTip(), designTip);
    }

    void ratioClickWithPastedLetters() {
        QLineEdit* inch = field(QStringLiteral("inch"));
        QApplication::clipboard()->setText(QStringLiteral("abc"));
        inch->paste();
        click(QStringLiteral("opt43"));
        QVERIFY(option(QStringLiteral("opt43"))->isChecked());
        QCOMPARE(results(), allZero);
        QVERIFY(inch->toolTip() != QStringLiteral("请输入要计算的英寸值（对角线）"));
        click(QStringLiteral("Command4"));
        QCOMPARE(inch->text(), QString());
        QCOMPARE(inch->toolTip(), QStringLiteral("请输入要计算的英寸值（对角线）"));
    }

    void accessibleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("description");
        QTest::newRow("diagonal field") << "inch"
                                        << "输入幕布英寸:"
                                        << "";
        QTest::newRow("width field") << "mw"
                                     << "输入幕布宽(mm):"
                                     << "";
        QTest::newRow("height field") << "mh"
                                      << "输入幕布高(mm):"
                                      << "";
        QTest::newRow("width result") << "w"
                                      << "2214 "
                                      << "银幕投影显示区域宽度";
        QTest::newRow("frame result") << "bkw"
                                      << "12"
                                      << "边框宽（7-90mm）可选";
    }
    void accessibleNames() {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        QFETCH(QString, description);
        typeInto(QStringLiteral("inch"), QStringLiteral("100"));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control(name));
        QVERIFY(face != nullptr);
        QCOMPARE(face->text(QAccessible::Name), spoken);
        if (!description.isEmpty()) {
            QCOMPARE(face->text(QAccessible::Description), description);
        }
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
