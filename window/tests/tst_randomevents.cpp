// Thousands of random user events on the real window, with what must always
// hold checked after every one of them. The seed is printed at the start;
// SCREENCALC_EVENT_SEED replays a run, SCREENCALC_EVENT_COUNT sets its length
// and SCREENCALC_EVENT_TRACE=1 prints every event before it is sent, which
// shows the last one when a run dies instead of failing.
#include "application.h"
#include "constants.h"
#include "fakeplatform.h"
#include "headless_view.h"
#include "mainwindow.h"
#include "numbers.h"
#include "widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <deque>
#include <memory>
#include <optional>
#include <random>

using calc::Entry;
using calc::Option;
using calc::Result;
using screencalc::OnTopWindow;
using screencalc::ShapeBox;

namespace {

constexpr std::array<Entry, 3> allEntries{Entry::inch, Entry::mw, Entry::mh};
constexpr std::array<Result, 6> allResults{Result::w,  Result::h,  Result::inch1,
                                           Result::w1, Result::h1, Result::bkw};
constexpr std::array<Option, 7> allOptions{Option::opt169,  Option::opt43,   Option::Option1,
                                           Option::Option2, Option::Option3, Option::Option4,
                                           Option::Option5};

template <class Control> QString controlName(Control c) {
    const std::string_view name = calc::nameOf(c);
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

QColor qColour(calc::Colour c) {
    return QColor(calc::redOf(c), calc::greenOf(c), calc::blueOf(c));
}

int limitOf(Entry e) {
    return e == Entry::inch ? 6 : 9;
}

// One key as a desktop reports it: key code, the text it types, modifiers.
struct Key {
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    // Brings in text that was not typed: the clipboard (paste) or the
    // field's edit history (undo, redo).
    bool bringsOtherText = false;
};

Key ctrl(char letter) {
    return {static_cast<Qt::Key>(letter), QString(QChar(letter - 'A' + 1)), Qt::ControlModifier};
}

// Characters of every kind that a keyboard can type into a field.
const QList<Key>& typedKeys() {
    static const QList<Key> keys = [] {
        QList<Key> k;
        for (char d = '0'; d <= '9'; ++d) {
            k << Key{static_cast<Qt::Key>(d), QString(QLatin1Char(d))};
            k << Key{static_cast<Qt::Key>(d), QString(QLatin1Char(d)), Qt::KeypadModifier};
        }
        // The point is the one character besides digits that may pass.
        for (int i = 0; i < 6; ++i) {
            k << Key{Qt::Key_Period, QStringLiteral(".")};
        }
        k << Key{Qt::Key_Period, QStringLiteral("."), Qt::KeypadModifier};
        for (char c = 'a'; c <= 'z'; c += 5) {
            k << Key{static_cast<Qt::Key>(c - 'a' + 'A'), QString(QLatin1Char(c))};
            k << Key{static_cast<Qt::Key>(c - 'a' + 'A'), QString(QLatin1Char(c - 'a' + 'A')),
                     Qt::ShiftModifier};
        }
        k << Key{Qt::Key_E, QStringLiteral("e")};
        k << Key{Qt::Key_Space, QStringLiteral(" ")};
        k << Key{Qt::Key_Plus, QStringLiteral("+")};
        k << Key{Qt::Key_Minus, QStringLiteral("-")};
        k << Key{Qt::Key_Minus, QStringLiteral("-"), Qt::KeypadModifier};
        k << Key{Qt::Key_Comma, QStringLiteral(",")};
        k << Key{Qt::Key_Comma, QStringLiteral(","), Qt::KeypadModifier}; // German keypad
        k << Key{Qt::Key_Apostrophe, QStringLiteral("'")};
        k << Key{Qt::Key_Slash, QStringLiteral("/")};
        k << Key{Qt::Key_Return, QStringLiteral("\r")};
        k << Key{Qt::Key_Enter, QStringLiteral("\r"), Qt::KeypadModifier};
        for (char c : {'A', 'C', 'V', 'X', 'Y', 'Z'}) {
            k << ctrl(c);
        }
        k << Key{Qt::Key_1, QStringLiteral("1"), Qt::ControlModifier};
        k << Key{Qt::Key_1, QStringLiteral("1"), Qt::AltModifier};
        // AltGr, which some desktops report as Ctrl+Alt.
        k << Key{Qt::Key_Q, QStringLiteral("@"), Qt::ControlModifier | Qt::AltModifier};
        k << Key{Qt::Key_E, QStringLiteral("€"), Qt::ControlModifier | Qt::AltModifier};
        k << Key{Qt::Key_7, QStringLiteral("7"), Qt::ControlModifier | Qt::AltModifier};
        const char16_t* const foreign[] = {
            u"ä",      u"€",      u"三", u"５", // full-width five
            u"．",     u"，",     u"。", u"٣",  // Arabic-Indic three
            u"½",      u"²",      u"·",  u"\u00a0", u"\u2009", u"😀", u"\u0301", // combining accent
            u"\u00b7", u"\u066b", // Arabic decimal separator
        };
        for (const char16_t* text : foreign) {
            k << Key{Qt::Key_unknown, QString::fromUtf16(text)};
        }
        k << Key{Qt::Key_Adiaeresis, QStringLiteral("ä")};
        // A dead key followed by one it does not combine with types both.
        k << Key{Qt::Key_1, QStringLiteral("^1")};
        k << Key{Qt::Key_Escape, QStringLiteral("\x1b"), Qt::ShiftModifier};
        return k;
    }();
    return keys;
}

// Keys that move, select or delete, and the standard editing shortcuts that
// type no character.
const QList<Key>& editingKeys() {
    static const QList<Key> keys{
        {Qt::Key_Backspace, QStringLiteral("\b")},
        {Qt::Key_Backspace, QStringLiteral("\b")},
        {Qt::Key_Delete, QStringLiteral("\x7f")},
        {Qt::Key_Delete, QStringLiteral("\x7f")},
        {Qt::Key_Left, {}},
        {Qt::Key_Right, {}},
        {Qt::Key_Up, {}},
        {Qt::Key_Down, {}},
        {Qt::Key_Left, {}, Qt::KeypadModifier},
        {Qt::Key_Home, {}},
        {Qt::Key_End, {}},
        {Qt::Key_PageUp, {}},
        {Qt::Key_Left, {}, Qt::ShiftModifier},
        {Qt::Key_Right, {}, Qt::ShiftModifier},
        {Qt::Key_Home, {}, Qt::ShiftModifier},
        {Qt::Key_End, {}, Qt::ShiftModifier},
        {Qt::Key_Left, {}, Qt::ControlModifier},
        {Qt::Key_Right, {}, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Backspace, QStringLiteral("\b"), Qt::ControlModifier},
        {Qt::Key_Delete, QStringLiteral("\x7f"), Qt::ControlModifier},
        {Qt::Key_Insert, {}},
        {Qt::Key_Insert, {}, Qt::ControlModifier},      // copy
        {Qt::Key_Delete, {}, Qt::ShiftModifier},        // cut
        {Qt::Key_F20, {}},                              // cut on X11
        {Qt::Key_F16, {}},                              // copy on X11
        {Qt::Key_Insert, {}, Qt::ShiftModifier, true},  // paste
        {Qt::Key_F18, {}, Qt::NoModifier, true},        // paste on X11
        {Qt::Key_Backspace, {}, Qt::AltModifier, true}, // undo on Windows
        {Qt::Key_F14, {}, Qt::NoModifier, true},        // undo on X11
        {Qt::Key_F1, {}},
        {Qt::Key_Shift, {}, Qt::ShiftModifier},
        {Qt::Key_Control, {}, Qt::ControlModifier},
    };
    return keys;
}

// What the clipboard may hold when the user pastes.
const QStringList& clipboardTexts() {
    static const QStringList texts{
        QStringLiteral("100"),
        QStringLiteral("84.5"),
        QStringLiteral(" 100 "),
        QStringLiteral("5."),
        QStringLiteral(".5"),
        QStringLiteral("."),
        QStringLiteral("0"),
        QStringLiteral("1000"),
        QStringLiteral("999999999"),
        QStringLiteral("1000000000"),
        QStringLiteral("1.005"),
        QStringLiteral("0.0000001"),
        QStringLiteral("00000000001"),
        QStringLiteral("1.2.3"),
        QStringLiteral("1,5"),
        QStringLiteral("1.000,5"),
        QStringLiteral("12a"),
        QStringLiteral("abc"),
        QStringLiteral("-5"),
        QStringLiteral("+5"),
        QStringLiteral("1e3"),
        QStringLiteral("1e308"),
        QStringLiteral("0x10"),
        QStringLiteral("inf"),
        QStringLiteral("nan"),
        QString(),
        QStringLiteral("   "),
        QStringLiteral("\t12"),
        QStringLiteral("12\n"),
        QStringLiteral("1\n2"),
        QStringLiteral("1 000"),
        QStringLiteral("1'000"),
        QString::fromUtf16(u"\u00a0100"),
        QString::fromUtf16(u"１２３"),
        QString::fromUtf16(u"٣٤"),
        QString::fromUtf16(u"三十"),
        QString::fromUtf16(u"12345😀"),
        QString::fromUtf16(u"😀😀😀😀😀"),
        QString::fromUtf16(u"1😀"),
        QString(QChar(0xD83D)), // a lone surrogate, as a broken clipboard may hold
        QStringLiteral("\x01\x02"),
    };
    return texts;
}

// The outlines Shape1 may show: the start style and those of the frames.
struct Outline {
    int width;
    QColor colour;
};
QList<Outline> allowedOutlines() {
    QList<Outline> outlines{{calc::startOutlineWidth, qColour(calc::startOutlineColour)}};
    for (const calc::Frame& f : calc::frames) {
        outlines << Outline{f.outlineWidth, qColour(f.outlineColour)};
    }
    return outlines;
}

bool digitsAndOnePoint(const QString& text) {
    int points = 0;
    for (QChar c : text) {
        if (c == QLatin1Char('.')) {
            ++points;
        } else if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return points <= 1;
}

QString shown(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSurrogate() || c.isSpace()) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString describe(const Key& k) {
    QStringList parts;
    if (k.modifiers.testFlag(Qt::ControlModifier)) {
        parts << QStringLiteral("Ctrl");
    }
    if (k.modifiers.testFlag(Qt::AltModifier)) {
        parts << QStringLiteral("Alt");
    }
    if (k.modifiers.testFlag(Qt::ShiftModifier)) {
        parts << QStringLiteral("Shift");
    }
    if (k.modifiers.testFlag(Qt::KeypadModifier)) {
        parts << QStringLiteral("Keypad");
    }
    const QString name = QKeySequence(k.key).toString();
    parts << (name.isEmpty() || k.key == Qt::Key_unknown ? QStringLiteral("key") : name);
    return parts.join(QLatin1Char('+')) + QLatin1Char(' ') + shown(k.text);
}

quint64 seedFromEnvironment() {
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("SCREENCALC_EVENT_SEED").toULongLong(&ok, 0);
    if (ok) {
        return seed;
    }
    std::random_device device;
    return (quint64(device()) << 32) ^ device();
}

int countFromEnvironment() {
    bool ok = false;
    const int count = qEnvironmentVariableIntValue("SCREENCALC_EVENT_COUNT", &ok);
    return ok && count > 0 ? count : 4000;
}

} // namespace

class RandomEventsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<OnTopWindow> window;
    std::mt19937_64 rng;
    quint64 seed = 0;
    int count = 0;
    bool trace = false;
    bool clipboardWorks = false;

    // Per entry field: only typed keys have reached it since it was last empty.
    std::array<bool, 3> typedOnly{true, true, true};
    std::deque<QString> recent; // the last events, for the failure report
    // How often each check had something to look at, to show the run's reach.
    int typedTextsChecked = 0;
    int focusTakesChecked = 0;
    int resultsCompared = 0;
    int hoverColoursChecked = 0;
    QString current; // what the event being sent does

    template <class W = QWidget> W* control(const QString& name) const {
        auto* w = window->findChild<W*>(name);
        if (w == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return w;
    }
    QLineEdit* field(Entry e) const { return control<QLineEdit>(controlName(e)); }
    QRadioButton* option(Option o) const { return control<QRadioButton>(controlName(o)); }
    QLabel* label(Result r) const { return control<QLabel>(controlName(r)); }
    std::optional<Entry> entryOf(const QWidget* w) const {
        for (Entry e : allEntries) {
            if (field(e) == w) {
                return e;
            }
        }
        return std::nullopt;
    }

    std::size_t below(std::size_t n) { return static_cast<std::size_t>(rng() % n); }
    template <class T> const T& pick(const QList<T>& list) {
        return list.at(static_cast<qsizetype>(below(std::size_t(list.size()))));
    }
    QPoint somewhereIn(const QWidget* w) {
        return QPoint(int(below(std::size_t(w->width()))), int(below(std::size_t(w->height()))));
    }

    void note(const QString& what) {
        current = what;
        recent.push_back(what);
        if (recent.size() > 20) {
            recent.pop_front();
        }
        if (trace) {
            qInfo("%s", qPrintable(what));
        }
    }

    void sendKey(const Key& k) {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr) {
            target = window.get();
        }
        const std::optional<Entry> e = entryOf(target);
        note(QStringLiteral("%1 on %2").arg(describe(k), target->objectName()));
        if (e && k.bringsOtherText) {
            typedOnly[std::size_t(*e)] = false;
        }
        const auto* button = qobject_cast<const QRadioButton*>(target);
        const bool frameOption =
            button != nullptr && button->parentWidget()->objectName() == QLatin1String("Frame1");
        expectReset = resetByKey = k.key == Qt::Key_Escape && (e || frameOption);
        QTest::sendKeyEvent(QTest::Press, target, k.key, k.text, k.modifiers);
        QWidget* after = QApplication::focusWidget();
        QTest::sendKeyEvent(QTest::Release, after != nullptr ? after : window.get(), k.key, k.text,
                            k.modifiers);
    }

    void clickAt(QWidget* target, QPoint at, const QString& what) {
        note(QStringLiteral("%1: click %2 at (%3,%4)")
                 .arg(what, target->objectName())
                 .arg(at.x())
                 .arg(at.y()));
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
    }

    QString randomClipboardText() {
        if (below(3) != 0) {
            return pick(clipboardTexts());
        }
        static const QString alphabet =
            QString::fromUtf16(u"0123456789012345678901234567890123456789....,+- e\t三５٣😀");
        QString text;
        const std::size_t length = below(14);
        for (std::size_t i = 0; i < length; ++i) {
            text += alphabet.at(qsizetype(below(std::size_t(alphabet.size()))));
        }
        return text;
    }

    // As the context menu's Paste: the field takes the focus (a right click
    // gives it), then the clipboard's text replaces the selection.
    void paste() {
        const Entry e = allEntries[below(3)];
        QLineEdit* target = field(e);
        if (QApplication::focusWidget() != target) {
            clickAt(target, QPoint(int(below(std::size_t(target->width()))), target->height() / 2),
                    QStringLiteral("focus before paste"));
            check();
            if (QTest::currentTestFailed()) {
                return;
            }
            snapshot();
        }
        const QString text = randomClipboardText();
        note(QStringLiteral("paste %1 into %2").arg(shown(text), controlName(e)));
        typedOnly[std::size_t(e)] = false;
        if (clipboardWorks) {
            QApplication::clipboard()->setText(text);
            target->paste();
        } else {
            target->insert(text);
        }
    }

    void hover() {
        static const QStringList places{
            QStringLiteral("Command1"), QStringLiteral("Command3"), QStringLiteral("Command4"),
            QStringLiteral("Command5"), QStringLiteral("Image2"),   QStringLiteral("Image3"),
            QStringLiteral("Image4"),   QStringLiteral("Image5"),   QStringLiteral("onTop")};
        const QString& name = pick(places);
        QWidget* place = name == QLatin1String("onTop") ? window.get() : control(name);
        const QPoint at = place->mapTo(window.get(), somewhereIn(place));
        note(QStringLiteral("move over %1 to (%2,%3)").arg(name).arg(at.x()).arg(at.y()));
        QTest::mouseMove(window->windowHandle(), at);

        // The button under the pointer lights up; its zone, where the
        // button does not cover it, gives it the rest colour back.
        static const QHash<QString, QString> owners{
            {QStringLiteral("Image2"), QStringLiteral("Command4")},
            {QStringLiteral("Image3"), QStringLiteral("Command3")},
            {QStringLiteral("Image4"), QStringLiteral("Command1")},
            {QStringLiteral("Image5"), QStringLiteral("Command5")}};
        QWidget* under = window->childAt(at);
        const QString owner = owners.value(name);
        QColor expected;
        QWidget* button = nullptr;
        if (under == place && name.startsWith(QLatin1String("Command"))) {
            button = place;
            expected = QColor(128, 255, 255);
        } else if (under == place && !owner.isEmpty()) {
            button = control(owner);
            expected = QColor(224, 224, 224);
        }
        hoverColoursChecked += button != nullptr ? 1 : 0;
        if (button != nullptr && button->palette().color(QPalette::Button) != expected) {
            fail(QStringLiteral("%1 has colour %2 after the move")
                     .arg(button->objectName(), button->palette().color(QPalette::Button).name()));
        }
    }

    void clickPlatformButton() {
        static const QList<std::pair<QString, QString>> buttons{
            {QStringLiteral("Command1"), QStringLiteral("open ")},
            {QStringLiteral("Command3"), QStringLiteral("open ")},
            {QStringLiteral("Command2"), QStringLiteral("minimise")},
            {QStringLiteral("Command5"), QStringLiteral("exit")},
            {QStringLiteral("check1"), QStringLiteral(" on top")},
        };
        const auto& [name, call] = pick(buttons);
        QWidget* button = control(name);
        const qsizetype before = platform->calls.size();
        clickAt(button, QPoint(6, button->height() / 2), QStringLiteral("desktop service"));
        if (platform->calls.size() != before + 1 || !platform->calls.last().contains(call)) {
            fail(QStringLiteral("%1 asked the desktop for %2")
                     .arg(name, platform->calls.join(QStringLiteral("; "))));
        }
    }

    // One random event.
    void step() {
        const std::size_t roll = below(100);
        if (roll < 18) {
            // Mostly what a user types: digits and the point.
            static const QString usual = QStringLiteral("01234567890123456789..");
            const QChar c = usual.at(qsizetype(below(std::size_t(usual.size()))));
            sendKey(Key{static_cast<Qt::Key>(c.unicode()), QString(c)});
        } else if (roll < 38) {
            sendKey(pick(typedKeys()));
        } else if (roll < 52) {
            sendKey(pick(editingKeys()));
        } else if (roll < 57) {
            sendKey(below(2) == 0 ? Key{Qt::Key_Tab, QStringLiteral("\t")}
                                  : Key{Qt::Key_Backtab, {}, Qt::ShiftModifier});
        } else if (roll < 59) {
            sendKey(Key{Qt::Key_Escape, QStringLiteral("\x1b")});
        } else if (roll < 68) {
            paste();
        } else if (roll < 76) {
            QRadioButton* target = option(allOptions[below(allOptions.size())]);
            clickAt(target, QPoint(6, target->height() / 2), QStringLiteral("option"));
        } else if (roll < 78) {
            QWidget* clear = control(QStringLiteral("Command4"));
            clickAt(clear, somewhereIn(clear), QStringLiteral("clear"));
            expectReset = true;
        } else if (roll < 80) {
            clickPlatformButton();
        } else if (roll < 88) {
            hover();
        } else if (roll < 97) {
            QLineEdit* target = field(allEntries[below(3)]);
            const QPoint at(int(below(std::size_t(target->width()))), target->height() / 2);
            if (below(4) == 0) {
                note(QStringLiteral("double click %1 at %2").arg(target->objectName()).arg(at.x()));
                // What a mouse sends; QTest's double click alone would leave
                // the button held for every later event.
                QTest::mouseClick(target, Qt::LeftButton, {}, at);
                QTest::mouseDClick(target, Qt::LeftButton, {}, at);
                QTest::mouseRelease(target, Qt::LeftButton, {}, at);
            } else {
                clickAt(target, at, QStringLiteral("focus"));
            }
        } else {
            clickAt(window.get(), somewhereIn(window.get()), QStringLiteral("anywhere"));
        }
    }

    void fail(const QString& what) {
        QStringList last;
        for (const QString& e : recent) {
            last << QStringLiteral("  ") + e;
        }
        const QString report = QStringLiteral("%1\nseed %2, event %3 (%4); replay with "
                                              "SCREENCALC_EVENT_SEED=%2\nlast events:\n%5")
                                   .arg(what)
                                   .arg(seed)
                                   .arg(index)
                                   .arg(current, last.join(QLatin1Char('\n')));
        QTest::qFail(qPrintable(report), __FILE__, __LINE__);
    }

    int index = 0;
    QWidget* focusBefore = nullptr;
    std::array<QString, 3> textsBefore;
    bool ratio169Before = true;
    std::optional<Option> frameBefore;
    bool frameEverChanged = false; // a frame handler has restyled Shape1
    bool expectReset = false;      // the event was Esc or the clear button
    bool resetByKey = false;       // Esc, which leaves the focus where it is

    std::optional<Option> selectedFrame() const {
        for (const calc::Frame& f : calc::frames) {
            if (option(f.option)->isChecked()) {
                return f.option;
            }
        }
        return std::nullopt;
    }

    // The state an event starts from, for the checks that look at changes.
    void snapshot() {
        focusBefore = QApplication::focusWidget();
        for (Entry e : allEntries) {
            textsBefore[std::size_t(e)] = field(e)->text();
        }
        ratio169Before = option(Option::opt169)->isChecked();
        frameBefore = selectedFrame();
        expectReset = resetByKey = false;
    }

    // Everything that must hold after every event.
    void check() {
        QWidget* focus = QApplication::focusWidget();
        int filled = 0;
        for (Entry e : allEntries) {
            const QString text = field(e)->text();
            auto& typed = typedOnly[std::size_t(e)];
            if (text.isEmpty()) {
                typed = true;
                continue;
            }
            ++filled;
            if (text.size() > limitOf(e)) {
                return fail(QStringLiteral("%1 holds %2, longer than %3")
                                .arg(controlName(e), shown(text))
                                .arg(limitOf(e)));
            }
            for (qsizetype i = 0; i < text.size(); ++i) {
                const QChar c = text.at(i);
                const bool pairs =
                    c.isHighSurrogate()
                        ? i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                        : !c.isLowSurrogate() || (i > 0 && text.at(i - 1).isHighSurrogate());
                if (!pairs) {
                    return fail(QStringLiteral("%1 holds half a character: %2")
                                    .arg(controlName(e), shown(text)));
                }
            }
            typedTextsChecked += typed ? 1 : 0;
            if (typed && !digitsAndOnePoint(text)) {
                return fail(QStringLiteral("%1 was only typed into but holds %2")
                                .arg(controlName(e), shown(text)));
            }
        }
        // Only the field in use holds text: taking the focus empties the others.
        if (filled > 1) {
            return fail(QStringLiteral("more than one entry holds text"));
        }
        if (const auto e = entryOf(focus); e && focus != focusBefore) {
            ++focusTakesChecked;
            for (Entry other : allEntries) {
                if (other != *e && !field(other)->text().isEmpty()) {
                    return fail(
                        QStringLiteral("%1 took the focus but %2 holds %3")
                            .arg(controlName(*e), controlName(other), shown(field(other)->text())));
                }
            }
        }
        for (Result r : allResults) {
            const QString text = label(r)->text();
            if (!calc::numericValue(text.toStdString())) {
                return fail(
                    QStringLiteral("%1 shows %2, not a number").arg(controlName(r), shown(text)));
            }
        }
        const auto* shape1 = control<ShapeBox>(QStringLiteral("Shape1"));
        bool known = false;
        for (const Outline& o : allowedOutlines()) {
            known =
                known || (o.width == shape1->outlineWidth() && o.colour == shape1->outlineColour());
        }
        if (!known) {
            return fail(QStringLiteral("Shape1 has outline width %1, colour %2")
                            .arg(shape1->outlineWidth())
                            .arg(shape1->outlineColour().name()));
        }
        // Exactly one frame is selected, and once one has been chosen Shape1
        // shows its outline.
        const std::optional<Option> frame = selectedFrame();
        if (!frame) {
            return fail(QStringLiteral("no frame option is selected"));
        }
        frameEverChanged = frameEverChanged || frame != frameBefore;
        for (const calc::Frame& f : calc::frames) {
            if (frameEverChanged && f.option == *frame &&
                (shape1->outlineWidth() != f.outlineWidth ||
                 shape1->outlineColour() != qColour(f.outlineColour))) {
                return fail(QStringLiteral("%1 is selected but Shape1 has outline width %2, "
                                           "colour %3")
                                .arg(controlName(*frame))
                                .arg(shape1->outlineWidth())
                                .arg(shape1->outlineColour().name()));
            }
        }
        if (option(Option::opt169)->isChecked() == option(Option::opt43)->isChecked()) {
            return fail(QStringLiteral("both or neither ratio option is selected"));
        }
        if (expectReset) {
            checkReset(focus);
        }
        checkAgainstHeadless();
    }

    // Esc in an entry field or on a frame option, and the clear button:
    // everything back to the start values but the ratio (and, for Esc, the
    // focus).
    void checkReset(QWidget* focus) {
        for (Entry e : allEntries) {
            if (!field(e)->text().isEmpty()) {
                return fail(QStringLiteral("after a clear %1 holds %2")
                                .arg(controlName(e), shown(field(e)->text())));
            }
        }
        for (Result r : allResults) {
            if (label(r)->text() != QLatin1String("0")) {
                return fail(QStringLiteral("after a clear %1 shows %2")
                                .arg(controlName(r), shown(label(r)->text())));
            }
        }
        if (selectedFrame() != Option::Option2) {
            return fail(QStringLiteral("after a clear the 12 mm frame is not selected"));
        }
        if (option(Option::opt169)->isChecked() != ratio169Before) {
            return fail(QStringLiteral("a clear changed the ratio"));
        }
        if (resetByKey && focus != focusBefore) {
            return fail(QStringLiteral("Esc moved the focus to %1")
                            .arg(focus != nullptr ? focus->objectName() : QStringLiteral("none")));
        }
    }

    // An entry that has just changed to a number fills every result label,
    // exactly as the calculation without a window does for the same text and
    // selections.
    void checkAgainstHeadless() {
        for (Entry e : allEntries) {
            const QString text = field(e)->text();
            const std::string utf8 = text.toStdString();
            if (text == textsBefore[std::size_t(e)] || text == QLatin1String(".") ||
                !calc::numericValue(utf8)) {
                continue;
            }
            calc::HeadlessView headless;
            for (Option o : allOptions) {
                if (option(o)->isChecked()) {
                    headless.select(o);
                }
            }
            headless.setEntryText(e, utf8);
            ++resultsCompared;
            for (Result r : allResults) {
                const QString expected = QString::fromStdString(headless.resultText(r));
                if (label(r)->text() != expected) {
                    return fail(QStringLiteral("%1 %2 gives %3 %4, the calculation %5")
                                    .arg(controlName(e), shown(text), controlName(r),
                                         shown(label(r)->text()), shown(expected)));
                }
            }
        }
    }

private Q_SLOTS:
    void initTestCase() {
        screencalc::setUpApplication(*qApp);
        seed = seedFromEnvironment();
        count = countFromEnvironment();
        trace = qEnvironmentVariableIntValue("SCREENCALC_EVENT_TRACE") != 0;
        rng.seed(seed);
        qInfo("random events: seed %llu, %d events (replay: SCREENCALC_EVENT_SEED=%llu)",
              static_cast<unsigned long long>(seed), count, static_cast<unsigned long long>(seed));

        // Paste goes through the clipboard where the platform keeps one.
        const QString probe = QStringLiteral("clipboard probe");
        QApplication::clipboard()->setText(probe);
        clipboardWorks = QApplication::clipboard()->text() == probe;
        if (!clipboardWorks) {
            qInfo("no clipboard here: a paste inserts the text directly");
        }

        platform = std::make_unique<FakePlatform>();
        window = std::make_unique<OnTopWindow>(*platform);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanupTestCase() {
        window.reset();
        platform.reset();
    }

    void randomSequence() {
        for (index = 0; index < count; ++index) {
            snapshot();
            step();
            if (QTest::currentTestFailed()) {
                return;
            }
            check();
            if (QTest::currentTestFailed()) {
                return;
            }
            // Let the clock tick and queued work run now and then, as a
            // desktop would between the user's actions.
            if (index % 64 == 63) {
                QCoreApplication::processEvents();
            }
        }
        qInfo("random events: %d sent; typed texts checked %d times, focus taken %d times, "
              "results compared with the calculation %d times, hover colours %d times",
              count, typedTextsChecked, focusTakesChecked, resultsCompared, hoverColoursChecked);
    }
};

QTEST_MAIN(RandomEventsTest)
#include "tst_randomevents.moc"
