#include "window/mainwindow.h"

#include "buildinfo.h"
#include "calc/constants.h"
#include "calc/layout.h"
#include "calc/rules.h"
#include "window/appearance.h"
#include "window/buttonhover.h"
#include "window/clock.h"
#include "window/controls.h"
#include "window/fixedstyle.h"
#include "window/layout.h"
#include "window/messages.h"
#include "window/platform.h"
#include "window/services.h"
#include "window/widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace screencalc {

using calc::Entry;
using calc::Option;
using calc::Result;

namespace {

QString qName(auto control) {
    const std::string_view name = calc::nameOf(control);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

bool isFrameOption(Option o) {
    return o != Option::ratio16x9 && o != Option::ratio4x3;
}

} // namespace

template <class W> W* CalculatorWindow::control(const QString& name) const {
    auto* widget = findChild<W*>(name);
    Q_ASSERT(widget != nullptr);
    return widget;
}

CalculatorWindow::CalculatorWindow(Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform) {
    setObjectName(QStringLiteral("onTop"));
    setWindowTitle(QString::fromUtf8(build::windowTitle));
    setWindowIcon(pngPicture(QStringLiteral(":/korvexa/app-icon.png")));
    setWindowFlags(titleBarButtons);
    layout::build(*this);
    if (!platform.fixedSizeIsSafe()) {
        // Where the title bar offers maximise whatever the flags say, a
        // window that cannot grow would be closed by the compositor.
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i] = control<EntryField>(qName(static_cast<Entry>(i)));
        entryToolTips_[i] = entries_[i]->toolTip();
    }
    for (std::size_t i = 0; i < options_.size(); ++i) {
        options_[i] = control<OptionButton>(qName(static_cast<Option>(i)));
    }
    for (std::size_t i = 0; i < results_.size(); ++i) {
        results_[i] = control<QLabel>(qName(static_cast<Result>(i)));
        // A screen reader reads the value as the name and the tooltip as what it means.
        results_[i]->setAccessibleDescription(results_[i]->toolTip());
    }
    frameShape_ = control<ShapeBox>(QStringLiteral("Shape1"));
    keepOnTopBox_ = control<QCheckBox>(QStringLiteral("check1"));
    minimiseButton_ = control<QPushButton>(QStringLiteral("Command2"));
    exitButton_ = control<QPushButton>(QStringLiteral("Command5"));
    clearButton_ = control<QPushButton>(QStringLiteral("Command4"));
    updateButton_ = control<QPushButton>(QStringLiteral("Command1"));
    websiteButton_ = control<QPushButton>(QStringLiteral("Command3"));
    versionLabel_ = control<QLabel>(QStringLiteral("ver"));
    if (!platform.allowsKeepOnTop()) {
        // Greyed, saying why, rather than a box that silently does nothing.
        keepOnTopBox_->setEnabled(false);
        keepOnTopBox_->setToolTip(QStringLiteral("当前桌面不支持窗口置顶"));
    }
    clock_ = new Clock(
        *control<QLabel>(QStringLiteral("temdate")), [this] { return platform_.now(); }, this);

    // The captions name the fields for screen readers; the pictures say
    // what they show.
    control<QLabel>(QStringLiteral("Label3"))->setBuddy(entry(Entry::diagonal));
    control<QLabel>(QStringLiteral("Label5"))->setBuddy(entry(Entry::width));
    control<QLabel>(QStringLiteral("Label6"))->setBuddy(entry(Entry::height));
    control<QWidget>(QStringLiteral("Image6"))
        ->setAccessibleName(QStringLiteral("扫码下载 手机安卓版"));
    control<QWidget>(QStringLiteral("Image1"))->setAccessibleName(QStringLiteral("Korvexa"));

    // Fusion draws a push button's background colour, which the hover
    // colours and the clear button's grey need.
    auto* fusion = new FixedMetricsStyle(QStringLiteral("Fusion"));
    fusion->setParent(this);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setStyle(fusion);
    }
    auto* hover = new ButtonHover(this);
    hover->add(*clearButton_, *control<QWidget>(QStringLiteral("Image2")));
    hover->add(*websiteButton_, *control<QWidget>(QStringLiteral("Image3")));
    hover->add(*updateButton_, *control<QWidget>(QStringLiteral("Image4")));
    hover->add(*exitButton_, *control<QWidget>(QStringLiteral("Image5")));

    connectEvents();
    formLoad();
    entry(Entry::diagonal)->setFocus(Qt::OtherFocusReason);
}

CalculatorWindow::~CalculatorWindow() = default;

void CalculatorWindow::connectEvents() {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const auto e = static_cast<Entry>(i);
        // textChanged comes once per real change, typed or set by code.
        connect(entry(e), &QLineEdit::textChanged, this, [this, e] { runChange(e); });
        connect(entry(e), &EntryField::focusEntered, this,
                [this, e] { calc::entryFocused(*this, e); });
        connect(entry(e), &EntryField::escapePressed, this, [this] { clearAll(); });
    }
    for (std::size_t i = 0; i < options_.size(); ++i) {
        const auto o = static_cast<Option>(i);
        connect(option(o), &QRadioButton::toggled, this, [this, o](bool selected) {
            if (selected) {
                runClick(o);
            }
        });
        if (isFrameOption(o)) {
            connect(option(o), &OptionButton::escapePressed, this, [this] { clearAll(); });
        }
    }
    connect(keepOnTopBox_, &QCheckBox::toggled, this, &CalculatorWindow::keepOnTopClicked);
    connect(minimiseButton_, &QPushButton::clicked, this, [this] { platform_.minimise(*this); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { platform_.exitProgram(*this); });
    connect(clearButton_, &QPushButton::clicked, this, &CalculatorWindow::clearAll);
    connect(updateButton_, &QPushButton::clicked, this, [this] { openPage(downloadPageUrl()); });
    connect(websiteButton_, &QPushButton::clicked, this, [this] { openPage(productPageUrl()); });
}

void CalculatorWindow::formLoad() {
    versionLabel_->setText(versionText());
    centreOnScreen();
    clock_->start();
}

void CalculatorWindow::centreOnScreen() {
    const QRect available = platform_.availableGeometry();
    if (available.isEmpty()) {
        return;
    }
    // The frame is known once the desktop has framed the window; before
    // that it counts as none. move() places the frame's top-left corner.
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    move(framePosition(available, size(), frame));
    centredForSize_ = frameGeometry().size();
}

void CalculatorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        QTimer::singleShot(0, this, [this] { centreOnceFramed(); });
    }
}

void CalculatorWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible()) {
        centreOnceFramed(); // an X11 window manager frames the window late
    }
}

void CalculatorWindow::centreOnceFramed() {
    // The frame is known only once the window is on screen; the first time
    // it changes the outer size, centre again with the real one.
    if (!framed_ && frameGeometry().size() != centredForSize_) {
        framed_ = true;
        centreOnScreen();
    }
}

bool CalculatorWindow::focusNextPrevChild(bool next) {
    // Tab stops once per option group, at its selected button, as desktop
    // users know it; the arrow keys move within the group. Qt itself stops
    // at whichever button of the group comes first and skips the rest.
    if (!QWidget::focusNextPrevChild(next)) {
        return false;
    }
    const auto* landed = qobject_cast<const QRadioButton*>(focusWidget());
    if (landed == nullptr || landed->isChecked() || !landed->autoExclusive()) {
        return true;
    }
    const auto siblings =
        landed->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (QRadioButton* sibling : siblings) {
        if (sibling->isChecked() && sibling->autoExclusive() && sibling->isEnabled()) {
            sibling->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            break;
        }
    }
    return true;
}

std::string CalculatorWindow::entryText(Entry e) const {
    return entry(e)->text().toStdString();
}

void CalculatorWindow::setEntryText(Entry e, std::string_view text) {
    QLineEdit* field = entry(e);
    const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // The same text is no change and must run nothing: the recalculations
    // write the empty text into empty fields all the time.
    if (field->text() != value) {
        field->setText(value); // textChanged runs the field's handler, once
    }
}

bool CalculatorWindow::isSelected(Option o) const {
    return option(o)->isChecked();
}

std::string CalculatorWindow::resultText(Result r) const {
    return result(r)->text().toStdString();
}

void CalculatorWindow::setResultText(Result r, std::string_view text) {
    result(r)->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void CalculatorWindow::setFrameOutline(Option frame) {
    const calc::layout::Outline outline = calc::layout::frameOutline(frame);
    frameShape_->setOutlineWidth(outline.width);
    frameShape_->setOutlineColour(colourFromValue(outline.colour));
}

void CalculatorWindow::choose(Option o) {
    option(o)->setChecked(true); // toggled runs the option's handler on a change
}

void CalculatorWindow::clearAll() {
    calc::clearAll(*this);
}

void CalculatorWindow::runChange(Entry e) {
    markEntry(e, calc::entryEdited(*this, e));
}

void CalculatorWindow::runClick(Option o) {
    const calc::Outcome outcome = calc::optionChosen(*this, o);
    if (!isFrameOption(o)) {
        markEntry(Entry::diagonal, outcome); // the ratio handlers read the diagonal
    }
}

void CalculatorWindow::markEntry(Entry e, const calc::Outcome& outcome) {
    // Only pasted text can fail to convert. The calculation has stopped; the
    // field says so until its text converts again, without a dialog, and
    // the results, which belong to an earlier entry, are greyed meanwhile.
    QLineEdit* field = entry(e);
    const std::string_view text = calc::markText(calc::entryMark(outcome, entryText(e)));
    const QString problem = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const bool marked = !problem.isEmpty();
    if (marked == field->property("notANumber").toBool()) {
        return; // nothing changed: no repaint on every keystroke
    }
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, marked ? colourFromValue(calc::layout::notANumberBackground)
                                            : QPalette().color(QPalette::Base));
    field->setPalette(palette);
    field->setToolTip(marked ? problem : entryToolTips_[static_cast<std::size_t>(e)]);
    field->setAccessibleDescription(problem);
    field->setProperty("notANumber", marked);
    const bool anyMarked = std::any_of(entries_.begin(), entries_.end(), [](const QLineEdit* f) {
        return f->property("notANumber").toBool();
    });
    for (QLabel* label : results_) {
        label->setEnabled(!anyMarked);
    }
}

void CalculatorWindow::openPage(const QUrl& url) {
    if (!platform_.openUrl(url)) {
        showNoBrowser(*this, url); // rather than a warning on a terminal no one sees
    }
}

void CalculatorWindow::keepOnTopClicked(bool ticked) {
    platform_.setKeepOnTop(*this, ticked);
    keepOnTopBox_->setToolTip(ticked ? QStringLiteral("取消选定，窗体可最小")
                                     : QStringLiteral("设置窗体最前显示"));
}

} // namespace screencalc
