#pragma once
// What the window tests share: the window on a fake desktop, driven through
// its QWindow as a mouse and keyboard drive it, so that Qt routes a click to
// whatever lies on top at that point and a key to whatever has the focus.
//
// Scripts are blank-separated steps:
//   @name        click the middle of control `name`
//   @name:x,y    click x,y pixels into it (negative: from the right/bottom)
//   >name        move the mouse to its middle; >name:x,y as above
//   anything else is typed: characters type themselves, ^x is Ctrl+x, and
//   {Key} names a key with optional modifiers ^ Ctrl, + Shift, ! Alt:
//   {Tab} {BackTab} {Esc} {Del} {BS} {Left} {Right} {Up} {Down} {Home}
//   {End} {Enter} {Space} {Ins} {KP5} {^BS} {+Home} {^+Z}.
// A key name it does not know, or a { without its }, fails the test before
// anything of that step is typed: a misspelt key must not pass as a key the
// field ignores.
#include "fakeplatform.h"
#include "window/application.h"
#include "window/mainwindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <memory>
#include <optional>

namespace windowtest {

struct Key {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// The key of a {Name}, or nothing for a name that is neither in the list
// above nor a single character.
inline std::optional<Key> namedKey(QString name) {
    Qt::KeyboardModifiers mods;
    for (; name.size() > 1 && QStringLiteral("^+!").contains(name.front()); name.remove(0, 1)) {
        mods |= name.front() == u'^'   ? Qt::ControlModifier
                : name.front() == u'+' ? Qt::ShiftModifier
                                       : Qt::AltModifier;
    }
    static const QHash<QString, Key> keys{
        {"Tab", {Qt::Key_Tab, "\t"}},
        {"BackTab", {Qt::Key_Backtab, {}}},
        {"Esc", {Qt::Key_Escape, "\x1b"}},
        {"Del", {Qt::Key_Delete, "\x7f"}},
        {"BS", {Qt::Key_Backspace, "\b"}},
        {"Left", {Qt::Key_Left, {}}},
        {"Right", {Qt::Key_Right, {}}},
        {"Up", {Qt::Key_Up, {}}},
        {"Down", {Qt::Key_Down, {}}},
        {"Home", {Qt::Key_Home, {}}},
        {"End", {Qt::Key_End, {}}},
        {"Enter", {Qt::Key_Return, "\r"}},
        {"Space", {Qt::Key_Space, " "}},
        {"Ins", {Qt::Key_Insert, {}}},
        {"KP5", {Qt::Key_5, "5", Qt::KeypadModifier}},
    };
    if (!keys.contains(name) && name.size() != 1) {
        return std::nullopt;
    }
    Key k = keys.value(name, {static_cast<Qt::Key>(name.front().toUpper().unicode()), name});
    k.modifiers |= mods;
    if (mods.testFlag(Qt::ControlModifier) && name.size() == 1 && name.front().isLetter()) {
        k.text = QChar(name.front().toUpper().unicode() - 64); // what a desktop reports
    }
    return k;
}

// The keys a step types, or nothing if any of them is unknown.
inline std::optional<QList<Key>> parseKeys(const QString& keys) {
    QList<Key> result;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        std::optional<Key> named;
        if (keys.at(i) == u'{') {
            const qsizetype end = keys.indexOf(u'}', i);
            if (end < 0 || !(named = namedKey(keys.mid(i + 1, end - i - 1)))) {
                return std::nullopt;
            }
            result << *named;
            i = end;
        } else if (keys.at(i) == u'^') {
            if (i + 1 == keys.size() || !(named = namedKey(QStringLiteral("^") + keys.at(++i)))) {
                return std::nullopt;
            }
            result << *named;
        } else {
            result << Key{static_cast<Qt::Key>(keys.at(i).toUpper().unicode()), keys.at(i)};
        }
    }
    return result;
}

class Window {
public:
    FakePlatform platform;
    std::unique_ptr<screencalc::CalculatorWindow> window;

    explicit Window(bool keepOnTopAllowed = true) {
        static const bool setUp = (screencalc::setUpApplication(*qApp), true);
        Q_UNUSED(setUp);
        platform.keepOnTopAllowed = keepOnTopAllowed;
        window = std::make_unique<screencalc::CalculatorWindow>(platform);
        window->show();
        if (!QTest::qWaitForWindowActive(window.get())) {
            qFatal("the window did not become active");
        }
    }

    template <class W = QWidget> W* control(const QString& name) const {
        auto* w = window->findChild<W*>(name);
        if (w == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return w;
    }
    QWindow* handle() const { return window->windowHandle(); }

    // "name" or "name:x,y" to a point in window coordinates.
    QPoint at(const QString& where) const {
        const QWidget* w = control(where.section(u':', 0, 0));
        QPoint p = w->rect().center();
        if (where.contains(u':')) {
            const QStringList xy = where.section(u':', 1).split(u',');
            const int x = xy.at(0).toInt();
            p.setX(x < 0 ? w->width() + x : x);
            if (xy.size() > 1) {
                const int y = xy.at(1).toInt();
                p.setY(y < 0 ? w->height() + y : y);
            }
        }
        return w->mapTo(window.get(), p);
    }
    void click(const QString& where, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseClick(handle(), button, {}, at(where));
    }
    void press(const Key& k) const {
        QTest::sendKeyEvent(QTest::Press, handle(), k.key, k.text, k.modifiers);
        QTest::sendKeyEvent(QTest::Release, handle(), k.key, k.text, k.modifiers);
    }
    void run(const QString& script) const {
        for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
            if (step.startsWith(u'@')) {
                click(step.mid(1));
            } else if (step.startsWith(u'>')) {
                QTest::mouseMove(handle(), at(step.mid(1)));
            } else {
                const std::optional<QList<Key>> keys = parseKeys(step);
                QVERIFY2(keys, qPrintable(QStringLiteral("unknown key in \"%1\"").arg(step)));
                if (!keys) {
                    return; // an expected failure carries on past QVERIFY
                }
                for (const Key& k : *keys) {
                    press(k);
                }
            }
        }
    }

    QString texts(const QStringList& names) const {
        QStringList texts;
        for (const QString& name : names) {
            texts << control<QObject>(name)->property("text").toString(); // a label or a field
        }
        return texts.join(u'|');
    }
    QString results() const { return texts({"w", "h", "inch1", "w1", "h1", "bkw"}); }
    // The entries, then the selected ratio and frame: "100|| opt169 Option2".
    QString state() const {
        QString s = texts({"inch", "mw", "mh"});
        for (const auto* b : window->findChildren<QRadioButton*>()) {
            s += b->isChecked() ? u' ' + b->objectName() : QString();
        }
        return s;
    }
    QString focus() const {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
};

} // namespace windowtest
