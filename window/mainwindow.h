#pragma once
// The program's one window, `onTop`, and how it behaves.
//
// layout.h builds the controls from the design's table; this class gives
// them their behaviour. It implements calc::CalcView, so the Qt-free
// recalculations in calc/ read and write the controls themselves: the entry
// fields, the option buttons and the result labels are the whole data model,
// and nothing is cached here. Qt's signals stand for the design's events: a
// field's textChanged is its Change (typed or set by code, only on a real
// change), an option's toggled(true) is its Click (mouse, arrow keys or
// code). The fields' own rules (characters, shortcuts, no selection on focus)
// live in controls.h, the hover colours in buttonhover.h, the clock in
// clock.h. Whatever reaches outside the window (keep on top, minimise, exit,
// web pages, screen, clock) goes through Platform, which the tests replace.

#include "calc/calcview.h"
#include "calc/recalc.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QUrl;

namespace screencalc {

class Clock;
class EntryField;
class OptionButton;
class Platform;
class ShapeBox;

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
    bool focusNextPrevChild(bool next) override;

private:
    template <class W> W* control(const QString& name) const;
    void connectEvents();
    void formLoad();
    void centreOnScreen();
    void centreOnceFramed();

    void runChange(calc::Entry e);
    void runClick(calc::Option o);
    void markEntry(calc::Entry e, const calc::Outcome& outcome);
    void keepOnTopClicked(bool ticked);
    void openPage(const QUrl& url);

    EntryField* entry(calc::Entry e) const { return entries_[static_cast<std::size_t>(e)]; }
    OptionButton* option(calc::Option o) const { return options_[static_cast<std::size_t>(o)]; }
    QLabel* result(calc::Result r) const { return results_[static_cast<std::size_t>(r)]; }

    Platform& platform_;
    std::array<EntryField*, 3> entries_{};
    std::array<QString, 3> entryToolTips_;
    std::array<OptionButton*, 7> options_{};
    std::array<QLabel*, 6> results_{};
    ShapeBox* frameShape_ = nullptr;
    QCheckBox* keepOnTopBox_ = nullptr;
    QPushButton* minimiseButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* updateButton_ = nullptr;
    QPushButton* websiteButton_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    Clock* clock_ = nullptr;
    QSize centredForSize_;
    bool shownOnce_ = false;
    bool framed_ = false;
};

} // namespace screencalc
