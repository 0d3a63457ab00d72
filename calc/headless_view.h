#pragma once
// A CalcView without a window: the controls are plain values and the change
// rule of real text boxes is kept exactly (a different text runs the field's
// handler at once, nested; the same text runs nothing). Used by the
// command-line tool, and by the tests, which read its log of changes.

#include "calc/calcview.h"
#include "calc/recalc.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace calc {

class HeadlessView : public CalcView {
public:
    // The window's start state: entries empty, results "0", 16:9 and 12 mm
    // selected, Shape1 with its start outline.
    HeadlessView();

    std::string entryText(Entry e) const override;
    void setEntryText(Entry e, std::string_view text) override;
    bool isSelected(Option o) const override;
    void choose(Option o) override { select(o); }
    std::string resultText(Result r) const override;
    void setResultText(Result r, std::string_view text) override;
    void setFrameOutline(Option frame) override;

    // As a click would: makes `o` the selected button of its group and, if
    // that changed the selection, runs its click handler.
    Outcome select(Option o);

    // The frame option whose outline Shape1 shows; none at start.
    std::optional<Option> frameOutline() const { return outline_; }

    // Outcomes of the change handlers that setEntryText ran, innermost
    // first, since the last clearRuns().
    const std::vector<Outcome>& runs() const { return runs_; }
    void clearRuns() { runs_.clear(); }

    // Every real change and handler run, in order, when logging is on:
    // "mw=''" (entry), "w='2214 '" (result), "edited inch",
    // "outline Option1". Writing what a control already holds changes
    // nothing and is not logged.
    void setLogging(bool on) { logging_ = on; }
    const std::vector<std::string>& log() const { return log_; }
    void clearLog() { log_.clear(); }

private:
    void record(std::initializer_list<std::string_view> parts);

    std::array<std::string, 3> entries_;
    std::array<std::string, 6> results_;
    bool ratio169_ = true;
    Option frame_ = Option::frame12;
    std::optional<Option> outline_;
    std::vector<Outcome> runs_;
    bool logging_ = false;
    std::vector<std::string> log_;
};

} // namespace calc
