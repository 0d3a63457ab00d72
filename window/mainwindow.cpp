#include "window/mainwindow.h"

#include "buildinfo.h"
#include "calc/constants.h"
#include "calc/layout.h"
#include "calc/rules.h"
#include "window/accessibility.h"
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

CalculatorWindow::CalculatorWindow(Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform) {
    setObjectName(QStringLiteral("onTop"));
    setWindowTitle(QString::fromUtf8(build::windowTitle));
    setWindowIcon(pngPicture(QStringLiteral(":/korvexa/app-icon.png")));
    setWindowFlags(titleBarButtons);
    installAccessibility();
    ui_ = layout::build(*this);
    // The size is fixed (minimum = maximum), which tells the desktop not to
    // offer maximise or resizing, where it listens.
    allowGrowing(!platform.fixedSizeIsSafe());

    for (std::size_t i = 0; i < ui_.entries.size(); ++i) {
        entryToolTips_[i] = ui_.entries[i]->toolTip();
    }
    for (std::size_t i = 0; i < ui_.results.size(); ++i) {
        // A screen reader says the value (the name, the exact text), then
        // its caption and unit; the caption labels it.
        const std::string description = calc::layout::resultDescription(static_cast<Result>(i));
        ui_.results[i]->setAccessibleDescription(QString::fromStdString(description));
        ui_.resultCaptions[i]->setBuddy(ui_.results[i]);
    }
    keepOnTopToolTip_ = ui_.keepOnTop->toolTip();
    if (!platform.allowsKeepOnTop()) {
        // Greyed, saying why, rather than a box that silently does nothing.
        ui_.keepOnTop->setEnabled(false);
        ui_.keepOnTop->setToolTip(QStringLiteral("当前桌面不支持窗口置顶"));
    }
    clock_ = new Clock(
        *ui_.clock, [this] { return platform_.now(); }, this);

    // The captions name the fields for screen readers; the pictures say
    // what they show.
    for (std::size_t i = 0; i < ui_.entries.size(); ++i) {
        ui_.entryCaptions[i]->setBuddy(ui_.entries[i]);
    }
    ui_.downloadCode->setAccessibleName(QStringLiteral("扫码下载 手机安卓版"));
    ui_.logo->setAccessibleName(QStringLiteral("Korvexa"));

    // Fusion draws a push button's background colour, which the hover
    // colours and the clear button's grey need.
    auto* fusion = new FixedMetricsStyle(QStringLiteral("Fusion"));
    fusion->setParent(this);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setStyle(fusion);
    }
    auto* hover = new ButtonHover(this);
    hover->add(*ui_.clearButton, *ui_.clearZone);
    hover->add(*ui_.websiteButton, *ui_.websiteZone);
    hover->add(*ui_.updateButton, *ui_.updateZone);
    hover->add(*ui_.exitButton, *ui_.exitZone);

    connectHandlers();
    showVersionAndCentre();
    entry(Entry::diagonal)->setFocus(Qt::OtherFocusReason);
}

CalculatorWindow::~CalculatorWindow() = default;

void CalculatorWindow::connectHandlers() {
    for (std::size_t i = 0; i < ui_.entries.size(); ++i) {
        const auto e = static_cast<Entry>(i);
        // textChanged comes once per real change, typed or set by code.
        connect(entry(e), &QLineEdit::textChanged, this, [this, e] { entryEdited(e); });
        connect(entry(e), &EntryField::focusEntered, this,
                [this, e] { calc::entryFocused(*this, e); });
        connect(entry(e), &EntryField::escapePressed, this, [this] { clearAll(); });
    }
    for (std::size_t i = 0; i < ui_.options.size(); ++i) {
        const auto o = static_cast<Option>(i);
        connect(option(o), &QRadioButton::toggled, this, [this, o](bool selected) {
            if (selected) {
                optionChosen(o);
            }
        });
        if (!calc::isRatio(o)) {
            connect(option(o), &OptionButton::escapePressed, this, [this] { clearAll(); });
        }
    }
    connect(ui_.keepOnTop, &QCheckBox::toggled, this, &CalculatorWindow::keepOnTopToggled);
    connect(ui_.minimiseButton, &QPushButton::clicked, this, [this] { platform_.minimise(*this); });
    connect(ui_.exitButton, &QPushButton::clicked, this, [this] { platform_.exitProgram(*this); });
    connect(ui_.clearButton, &QPushButton::clicked, this, &CalculatorWindow::clearAll);
    connect(ui_.updateButton, &QPushButton::clicked, this, [this] { openPage(downloadPageUrl()); });
    connect(ui_.websiteButton, &QPushButton::clicked, this, [this] { openPage(productPageUrl()); });
}

void CalculatorWindow::showVersionAndCentre() {
    ui_.version->setText(versionText());
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

void CalculatorWindow::allowGrowing(bool allowed) {
    // Where the title bar offers maximise whatever the flags say, a window
    // that cannot grow would be closed by the compositor; and a window
    // manager that makes a fixed-size window fullscreen anyway leaves it
    // small in the corner of a black screen.
    setMaximumSize(allowed ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : minimumSize());
}

void CalculatorWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const bool enlarged = (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
        allowGrowing(enlarged || !platform_.fixedSizeIsSafe());
    }
}

void CalculatorWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Made larger than its own size, the window keeps its layout in the
    // middle of its own background.
    const QSize half = (size() - minimumSize()).expandedTo(QSize(0, 0)) / 2;
    const QPoint offset(half.width(), half.height());
    if (offset != layoutOffset_) {
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow()) {
                child->move(child->pos() + offset - layoutOffset_);
            }
        }
        layoutOffset_ = offset;
    }
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
    ui_.frameOutline->setOutlineWidth(outline.width);
    ui_.frameOutline->setOutlineColour(colourFromValue(outline.colour));
}

void CalculatorWindow::choose(Option o) {
    option(o)->setChecked(true); // toggled runs the option's handler on a change
}

void CalculatorWindow::clearAll() {
    calc::clearAll(*this);
}

void CalculatorWindow::entryEdited(Entry e) {
    markField(e, calc::entryEdited(*this, e));
}

void CalculatorWindow::optionChosen(Option o) {
    const calc::Outcome outcome = calc::optionChosen(*this, o);
    if (calc::isRatio(o)) {
        markField(Entry::diagonal, outcome); // the ratio handlers read the diagonal
    }
}

void CalculatorWindow::markField(Entry e, const calc::Outcome& outcome) {
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
    const bool anyMarked =
        std::any_of(ui_.entries.begin(), ui_.entries.end(),
                    [](const QLineEdit* f) { return f->property("notANumber").toBool(); });
    for (QLabel* label : ui_.results) {
        label->setEnabled(!anyMarked);
    }
}

void CalculatorWindow::openPage(const QUrl& url) {
    if (!platform_.openUrl(url)) {
        showNoBrowser(*this, url); // rather than a warning on a terminal no one sees
    }
}

void CalculatorWindow::keepOnTopToggled(bool ticked) {
    platform_.setKeepOnTop(*this, ticked);
    ui_.keepOnTop->setToolTip(ticked ? QStringLiteral("取消选定，窗体可最小") : keepOnTopToolTip_);
}

} // namespace screencalc
