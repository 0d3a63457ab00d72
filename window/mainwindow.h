#pragma once
// The calculator's one window (objectName `onTop`) and how it behaves.
//
// layout.h builds the controls from the control table in calc/layout.h; this
// class gives them their behaviour. It implements calc::CalcView, so the
// Qt-free recalculations in calc/ read and write the controls themselves:
// the entry fields, the option buttons and the result labels are the whole
// data model, and nothing is cached here. A field's textChanged, which comes
// once per real change, typed or set by code, runs its recalculation; an
// option's toggled(true) runs its handler, whether the mouse, an arrow key or
// code chose it. The fields' own rules (characters, shortcuts, no selection
// on focus) live in controls.h, the hover colours in buttonhover.h, the
// clock in clock.h. Whatever reaches outside the window (keep on top,
// minimise, exit, web pages, screen, clock) goes through Platform, which the
// tests replace.

#include "calc/calcview.h"
#include "calc/recalc.h"
#include "window/layout.h"

#include <QPoint>
#include <QWidget>
#include <array>

class QUrl;

namespace screencalc {

class Clock;
class Platform;

class CalculatorWindow : public QWidget, public calc::CalcView {
    Q_OBJECT
public:
    explicit CalculatorWindow(Platform& platform, QWidget* parent = nullptr);
    ~CalculatorWindow() override;

    std::string entryText(calc::Entry e) const override;
    void setEntryText(calc::Entry e, std::string_view text) override;
    bool isSelected(calc::Option o) const override;
    void choose(calc::Option o) override;
    std::string resultText(calc::Result r) const override;
    void setResultText(calc::Result r, std::string_view text) override;
    void setFrameOutline(calc::Option frame) override;

    // The clear button and the Esc key (calc::clearAll); the focus stays.
    void clearAll();

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void connectHandlers();
    void showVersionAndCentre();
    void centreOnScreen();
    void allowGrowing(bool allowed);
    void centreOnceFramed();

    void entryEdited(calc::Entry e);
    void optionChosen(calc::Option o);
    void markField(calc::Entry e, const calc::Outcome& outcome);
    void keepOnTopToggled(bool ticked);
    void openPage(const QUrl& url);

    EntryField* entry(calc::Entry e) const { return ui_.entries[static_cast<std::size_t>(e)]; }
    OptionButton* option(calc::Option o) const { return ui_.options[static_cast<std::size_t>(o)]; }
    QLabel* result(calc::Result r) const { return ui_.results[static_cast<std::size_t>(r)]; }

    Platform& platform_;
    layout::Controls ui_;
    std::array<QString, calc::entryFields.size()> entryToolTips_;
    QString keepOnTopToolTip_;
    Clock* clock_ = nullptr;
    QSize centredForSize_;
    QPoint layoutOffset_; // where the controls sit in a larger window
    bool shownOnce_ = false;
    bool framed_ = false;
};

} // namespace screencalc
