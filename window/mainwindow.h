#pragma once
// The program's one window, `onTop`.
//
// The window owns every control and implements calc::CalcView, so the Qt-free
// recalculations in calc/ read and write the controls themselves: the entry
// fields, the option buttons and the result labels are the whole data model,
// and nothing is cached here. Qt's signals stand for the design's events: a
// field's textChanged is its Change (typed or set by code, only on a real
// change), an option's toggled(true) is its Click (mouse, arrow keys or code).
// The entry fields' character filter, their focus rule, the Esc reset and the
// hover colours sit in one event filter. Whatever reaches outside the window
// (keep on top, minimise, exit, web pages, screen size, clock) goes through
// Platform, which the tests replace with a recording fake.

#include "calcview.h"
#include "recalc.h"

#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStyle;
class QTimer;

namespace screencalc {

class Platform;
class PictureBox;
class ShapeBox;

class OnTopWindow : public QWidget, public calc::CalcView {
    Q_OBJECT
public:
    explicit OnTopWindow(Platform& platform, QWidget* parent = nullptr);
    ~OnTopWindow() override;

    std::string entryText(calc::Entry e) const override;
    void setEntryText(calc::Entry e, std::string_view text) override;
    bool isSelected(calc::Option o) const override;
    std::string resultText(calc::Result r) const override;
    void setResultText(calc::Result r, std::string_view text) override;
    void setFrameOutline(calc::Option frame) override;

    // The clear button and the Esc key: empty the entries, select 12 mm,
    // put every result back to "0". The ratio and the focus stay.
    void clearAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildEntryArea();
    void buildFrameChoice();
    void buildResults();
    void buildBottomStrip();
    void setUpTabOrder();
    void connectEvents();
    void formLoad();
    void centreOnScreen();

    void runChange(calc::Entry e);
    void runClick(calc::Option o);
    void showEntryState(calc::Entry e, const calc::Outcome& outcome);
    void applyFocusRule(calc::Entry focused);
    void check1Click(bool ticked);
    void timer1Timer();
    void setButtonColour(QPushButton* button, std::uint32_t value);

    QLineEdit*& entry(calc::Entry e) { return entries_[static_cast<std::size_t>(e)]; }
    QLineEdit* entry(calc::Entry e) const { return entries_[static_cast<std::size_t>(e)]; }
    QRadioButton* option(calc::Option o) const { return options_[static_cast<std::size_t>(o)]; }
    QLabel* result(calc::Result r) const { return results_[static_cast<std::size_t>(r)]; }
    int entryIndexOf(const QObject* object) const;
    bool isFrameOption(const QObject* object) const;

    Platform& platform_;
    std::array<QLineEdit*, 3> entries_{};
    std::array<QString, 3> entryToolTips_;
    std::array<QRadioButton*, 7> options_{};
    std::array<QLabel*, 6> results_{};
    ShapeBox* shape1_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
    QPushButton* command5_ = nullptr;
    // Each hover-out zone with the button whose colour it restores.
    std::array<std::pair<PictureBox*, QPushButton*>, 4> hoverZones_{};
    QLabel* ver_ = nullptr;
    QLabel* temdate_ = nullptr;
    QTimer* timer1_ = nullptr;
    QStyle* buttonStyle_ = nullptr; // draws the push buttons' background colour
    QSize centredForSize_;
    bool shownOnce_ = false;
};

} // namespace screencalc
