// The window's fixed texts at any logical DPI and on a system without CJK
// fonts: each fits its control and is drawn in a face the window names.
#include "calc/layout.h"
#include "calc/rules.h"
#include "fakeplatform.h"
#include "window/application.h"
#include "window/mainwindow.h"
#include "window/services.h"

#include <QtTest>
#include <QtWidgets>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// One fixed text, the font it is drawn in, and the box it must fit (empty
// where the box grows with the text: tooltips, the window title).
struct Text {
    QString where, text;
    QFont font;
    QRect box;
    QWidget* widget;
};

QRect buttonTextBox(QWidget* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const auto element = qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                         : qobject_cast<QCheckBox*>(button)  ? QStyle::SE_CheckBoxContents
                                                             : QStyle::SE_PushButtonContents;
    return button->style()->subElementRect(element, &option, button);
}

QList<Text> fixedTexts(QWidget& window, const QString& state) {
    QList<Text> texts{
        {state + QStringLiteral("title"), window.windowTitle(), QApplication::font(), {}, &window}};
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const QString name = state + w->objectName();
        if (!w->toolTip().isEmpty()) {
            texts.append(
                {name + QStringLiteral(" tooltip"), w->toolTip(), QToolTip::font(), {}, w});
        }
        if (auto* label = qobject_cast<QLabel*>(w)) {
            texts.append({name, label->text(), w->font(), label->contentsRect(), w});
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            texts.append({name, button->text(), w->font(), buttonTextBox(w), w});
        } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            texts.append({name, frame->title(), w->font(), w->rect(), w});
        }
    }
    return texts;
}

// Every other text the program can show, each where it is defined: the
// control table, the fields' marks, the clock, accessible names, the
// fields' context menu, the box that says no browser could be started, and
// the keep-on-top tooltip where the desktop forbids it.
QList<Text> otherTexts(QWidget& window, FakePlatform& platform) {
    QList<Text> texts;
    const auto add = [&](const QString& where, const QString& text, const QFont& font) {
        texts.append({where, text, font, {}, &window});
    };
    const auto qs = [](std::string_view t) { return QString::fromUtf8(t.data(), t.size()); };
    for (const calc::layout::Control& c : calc::layout::controls()) {
        const QString name = QStringLiteral("table ") + qs(c.name);
        add(name, qs(c.text),
            window.findChild<QWidget*>(qs(c.name))->font()); // or a picture's path
        add(name + QStringLiteral(" tooltip"), qs(c.toolTip), QToolTip::font());
    }
    add(u"mark"_s, qs(calc::markText(calc::EntryMark::notANumber)), QToolTip::font());
    add(u"mark too large"_s, qs(calc::markText(calc::EntryMark::tooLarge)), QToolTip::font());
    add(u"clock, every digit"_s, screencalc::clockText(QDateTime({2017, 8, 29}, {13, 56, 4})),
        window.findChild<QLabel*>(u"temdate"_s)->font());
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        for (auto kind : {QAccessible::Name, QAccessible::Description}) {
            add(u"accessible %1 %2"_s.arg(w->objectName()).arg(kind), face->text(kind),
                QApplication::font());
        }
    }
    const auto at = [&](const QString& name) {
        return window.findChild<QWidget*>(name)->geometry().center();
    };
    QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, at(u"inch"_s));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    for (const QAction* action : menu->actions()) {
        add(u"menu "_s + action->text(), action->text(), menu->font());
    }
    menu->close();
    platform.browser = false;
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at(u"Command1"_s));
    auto* box = window.findChild<QMessageBox*>();
    add(u"no browser title"_s, box->windowTitle(), QApplication::font());
    for (const QWidget* w : box->findChildren<QWidget*>()) {
        add(u"no browser "_s + w->property("text").toString(), w->property("text").toString(),
            w->font());
    }
    box->close();
    FakePlatform wayland;
    wayland.keepOnTopAllowed = false;
    const screencalc::CalculatorWindow forbidden(wayland);
    add(u"keep on top forbidden"_s, forbidden.findChild<QWidget*>(u"check1"_s)->toolTip(),
        QToolTip::font());
    return texts;
}

// Whether a face the font names, not one the system falls back to, has c.
bool covered(const QFont& font, char32_t c) {
    for (const QString& family : font.families()) {
        QFont face = font;
        face.setFamilies({family});
        const QRawFont raw = QRawFont::fromFont(face);
        if (raw.familyName().compare(family, Qt::CaseInsensitive) == 0 &&
            raw.supportsCharacter(c)) {
            return true;
        }
    }
    return false;
}

} // namespace

class AppearanceTest : public QObject {
    Q_OBJECT

    FakePlatform platform;
    std::unique_ptr<screencalc::CalculatorWindow> window;
    QList<Text> texts;

    void addRows(bool boxedOnly) {
        QTest::addColumn<int>("index");
        for (int i = 0; i < texts.size(); ++i) {
            if (!boxedOnly || !texts[i].box.isEmpty()) {
                QTest::newRow(qPrintable(texts[i].where)) << i;
            }
        }
    }

private Q_SLOTS:
    void initTestCase() {
        // The run is at the DPI CTest asked for, which QTEST_MAIN would undo.
        if (qEnvironmentVariableIsSet("QT_FONT_DPI")) {
            QCOMPARE(qRound(QFontMetricsF(QFont()).fontDpi()),
                     qEnvironmentVariableIntValue("QT_FONT_DPI"));
        }
        screencalc::setUpApplication(*qApp);
        window = std::make_unique<screencalc::CalculatorWindow>(platform);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        texts = fixedTexts(*window, {});
        QTest::mouseClick(
            window->windowHandle(), Qt::LeftButton, {}, // check1 is the window's own
            window->findChild<QCheckBox*>(QStringLiteral("check1"))->geometry().center());
        texts += fixedTexts(*window, QStringLiteral("on top: ")); // check1's other tooltip
        texts += otherTexts(*window, platform);
    }

    void textsFit_data() { addRows(true); }
    // CTest runs this at several logical DPIs: the boxes are pixels, and so
    // are the fonts and the style's sizes (a radio button's circle at 192 DPI
    // would push its caption out of the box).
    void textsFit() {
        QFETCH(int, index);
        const Text& t = texts[index];
        const QRect ink = QFontMetrics(t.font, t.widget).tightBoundingRect(t.text);
        const QByteArray size = QString::asprintf("%d x %d px in %d x %d", ink.right() + 1,
                                                  ink.height(), t.box.width(), t.box.height())
                                    .toUtf8();
        QVERIFY2(ink.right() < t.box.width(), size.constData());
        QVERIFY2(ink.height() <= t.box.height(), size.constData());
    }

    void textsCovered_data() { addRows(false); }
    void textsCovered() {
        QFETCH(int, index);
        const Text& t = texts[index];
        for (const char32_t c : t.text.toUcs4()) {
            QVERIFY2(c < 0x20 || covered(t.font, c), // line breaks have no glyph
                     qPrintable(QString::fromUcs4(&c, 1) + QStringLiteral(" in ") +
                                t.font.families().join(QLatin1Char(','))));
        }
    }

    // With every CJK font of the system hidden the texts look just the same.
    void sameWithoutCjkFonts() {
        // Both pictures show the fake clock's time, never the label's text
        // before the clock's first tick.
        QTRY_COMPARE(window->findChild<QLabel*>(QStringLiteral("temdate"))->text(),
                     screencalc::clockText(platform.time));
        const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString target = qEnvironmentVariable("SCREENCALC_GRAB_TO");
        if (!target.isEmpty()) { // the run started below
            QVERIFY(!QFontDatabase::hasFamily(QStringLiteral("Noto Sans CJK SC")));
            QVERIFY(shown.save(target));
            return;
        }
        QTemporaryDir dir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FONTCONFIG_FILE"), QStringLiteral(NO_CJK_FONTS_CONF));
        env.insert(QStringLiteral("SCREENCALC_GRAB_TO"), dir.filePath(QStringLiteral("bare.png")));
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(QCoreApplication::applicationFilePath(), {QStringLiteral("sameWithoutCjkFonts")});
        QVERIFY2(run.waitForFinished(60000), "the run without CJK fonts did not end");
        QVERIFY2(run.exitCode() == 0, run.readAllStandardOutput().constData());
        const QImage bare =
            QImage(dir.filePath(QStringLiteral("bare.png"))).convertToFormat(QImage::Format_RGB32);
        for (const Text& t : std::as_const(texts)) {
            const QRect area(t.widget->mapTo(window.get(), QPoint()), t.widget->size());
            QVERIFY2(t.box.isEmpty() || bare.copy(area) == shown.copy(area), qPrintable(t.where));
        }
    }
};

// Not QTEST_MAIN: it fixes the fonts' DPI at 96 and so would hide what the
// runs at other logical DPIs are for.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    AppearanceTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_appearance.moc"
