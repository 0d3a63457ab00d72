#include "recalc.h"

#include "constants.h"
#include "numbers.h"

#include <cmath>
#include <optional>

namespace calc {

namespace {

using Pattern = std::string (*)(double);

// The largest double whose 15-digit text still reads back as a double.
constexpr double largestShowable = 0x1.ffffffffffffbp+1023;

// One handler run. Every step reads its source text afresh (an entry field
// or a label written earlier), converts it, computes, and writes one label;
// the first step that cannot do so stops the run and the later steps are
// skipped, so later labels keep their old texts.
class Run {
public:
    explicit Run(CalcView& view) : view_(view) {}

    bool stopped() const { return !outcome_.ok(); }
    Outcome outcome() const { return outcome_; }

    // r <- pattern(f(number in entry e))
    template <typename F> void fromEntry(Result r, Pattern pattern, Entry e, F f) {
        if (stopped()) {
            return;
        }
        const std::string text = view_.entryText(e);
        if (text.empty()) {
            outcome_ = {Stop::entryEmptied, r, {}};
            return;
        }
        compute(r, pattern, text, f);
    }

    // r <- pattern(f(number shown in label source)), trailing blank ignored
    template <typename F> void fromLabel(Result r, Pattern pattern, Result source, F f) {
        if (!stopped()) {
            compute(r, pattern, view_.resultText(source), f);
        }
    }

    void writeText(Result r, std::string_view text) {
        if (!stopped()) {
            view_.setResultText(r, text);
        }
    }

private:
    template <typename F> void compute(Result r, Pattern pattern, const std::string& text, F f) {
        const std::optional<double> value = numericValue(text);
        if (!value) {
            outcome_ = {Stop::notANumber, r, text};
            return;
        }
        // An overflow or invalid operation anywhere in the chain leaves an
        // infinity or NaN in the result, so one test covers every step. The
        // few doubles just below the largest one count as overflow too: their
        // 15-digit text would stand for a number beyond any double, and the
        // label could not be read back.
        const double result = f(*value);
        if (!std::isfinite(result) || std::fabs(result) > largestShowable) {
            outcome_ = {Stop::notFinite, r, {}};
            return;
        }
        view_.setResultText(r, pattern(result));
    }

    CalcView& view_;
    Outcome outcome_;
};

// A pattern applied to the text itself, read as a number.
double itself(double v) {
    return v;
}

// The six diagonal-based results: width per inch k, divisor r for h and rFrame
// for h1, frame addition a, frame text f. The frame is added to the unrounded
// width and height.
Outcome fromDiagonal(CalcView& view, double k, double r, double rFrame, double a,
                     std::string_view f) {
    Run run(view);
    run.fromEntry(Result::w, patWhole, Entry::inch, [&](double d) { return d * k; });
    run.fromEntry(Result::h, patWhole, Entry::inch, [&](double d) { return d * k / r; });
    run.fromEntry(Result::inch1, patInches, Entry::inch, itself);
    run.fromEntry(Result::w1, patWhole, Entry::inch, [&](double d) { return d * k + a; });
    run.fromEntry(Result::h1, patWhole, Entry::inch, [&](double d) { return d * k / rFrame + a; });
    run.writeText(Result::bkw, f);
    return run.outcome();
}

// Width and height entries: the overall sizes are built from the rounded
// viewing sizes read back from w and h.
Outcome overallFromLabels(Run& run, const Frame& frame) {
    const auto plusFrame = [&](double v) { return v + frame.addition; };
    run.fromLabel(Result::w1, patWhole, Result::w, plusFrame);
    run.fromLabel(Result::h1, patWhole, Result::h, plusFrame);
    run.writeText(Result::bkw, frame.text);
    return run.outcome();
}

// Empty entry: the fields are emptied, the results left as they are.
void emptyAllEntries(CalcView& view) {
    view.setEntryText(Entry::inch, "");
    view.setEntryText(Entry::mw, "");
    view.setEntryText(Entry::mh, "");
}

// The start of every entry's recalculation. An empty entry empties all three
// fields and leaves the results as they are (false: nothing to compute);
// otherwise the two other fields are emptied, in the order given.
bool keepOnlyEntry(CalcView& view, Entry own, Entry first, Entry second) {
    if (view.entryText(own).empty()) {
        emptyAllEntries(view);
        return false;
    }
    view.setEntryText(first, "");
    view.setEntryText(second, "");
    return true;
}

// The width and the height entries never look at the ratio buttons: they
// always compute 16:9, with 4:3 selected too. That is how the calculator has
// always quoted widths and heights; only the diagonal knows 4:3.
Outcome widthBlock(CalcView& view, const Frame& frame) {
    if (!keepOnlyEntry(view, Entry::mw, Entry::inch, Entry::mh)) {
        return {};
    }

    Run run(view);
    run.fromEntry(Result::w, patWhole, Entry::mw, itself);
    run.fromEntry(Result::h, patWhole, Entry::mw, [](double w) { return w / ratio169Short; });
    const Pattern inchPattern =
        frame.option == Option::Option1 ? patTwoDecimalsBare : patTwoDecimals;
    run.fromEntry(Result::inch1, inchPattern, Entry::mw, [](double w) { return w / mmPerInch169; });
    return overallFromLabels(run, frame);
}

Outcome heightBlock(CalcView& view, const Frame& frame) {
    if (!keepOnlyEntry(view, Entry::mh, Entry::inch, Entry::mw)) {
        return {};
    }

    // Which 16:9 rounding depends on the frame, for no reason but history;
    // each choice shows at some heights (see constants.h).
    const double widthFactor = frame.option == Option::Option1 ? ratio169Full : ratio169Short;
    const double diagonalFactor = frame.option == Option::Option2 ? ratio169Long : ratio169Short;

    Run run(view);
    run.fromEntry(Result::w, patWhole, Entry::mh, [&](double h) { return h * widthFactor; });
    run.fromEntry(Result::h, patWhole, Entry::mh, itself);
    run.fromEntry(Result::inch1, patTwoDecimals, Entry::mh,
                  [&](double h) { return h * diagonalFactor / mmPerInch169; });
    return overallFromLabels(run, frame);
}

// The diagonal entry under one of the 12, 45, 65 and 90 mm options.
Outcome diagonalFrameBlock(CalcView& view, const Frame& frame) {
    if (!keepOnlyEntry(view, Entry::inch, Entry::mw, Entry::mh)) {
        return {};
    }
    return fromDiagonal(view, mmPerInch169, ratio169Short, ratio169Short, frame.addition,
                        frame.text);
}

// The diagonal entry under the 80 mm option, the only place that tells the
// two ratios apart; 4:3 then always carries the 7 mm frame, not 80 mm. h
// divides by ratio169Full but h1 by ratio169Short: at some diagonals (55211)
// h1 - h is not 160. mw is emptied up to three times and mh twice, and an
// empty entry empties only mw. A repeat finds the field empty and runs
// nothing; the first writes are the calculator's own order of emptying,
// which shows when another entry still holds text. Keep them all.
Outcome diagonalEightyBlock(CalcView& view) {
    view.setEntryText(Entry::mw, "");
    if (view.entryText(Entry::inch).empty()) {
        return {};
    }
    view.setEntryText(Entry::mw, "");
    view.setEntryText(Entry::mh, "");
    Outcome result;
    if (view.isSelected(Option::opt169)) {
        result = fromDiagonal(view, mmPerInch169, ratio169Full, ratio169Short, frames[0].addition,
                              frames[0].text);
        if (!result.ok()) {
            return result;
        }
    } else {
        view.setEntryText(Entry::mw, "");
        view.setEntryText(Entry::mh, "");
    }
    if (view.isSelected(Option::opt43)) {
        result = fromDiagonal(view, mmPerInch43, ratio43, ratio43, frame7Addition, frame7Text);
    } else {
        view.setEntryText(Entry::mw, "");
        view.setEntryText(Entry::mh, "");
    }
    return result;
}

// Runs `block` for each selected frame option, tested one by one in order.
template <typename Block> Outcome forSelectedFrame(CalcView& view, Block block) {
    Outcome result;
    for (const Frame& frame : frames) {
        if (view.isSelected(frame.option)) {
            result = block(frame);
            if (!result.ok()) {
                return result;
            }
        }
    }
    return result;
}

// A lone point is emptied; the nested run on the empty text does the rest.
bool emptiedLonePoint(CalcView& view, Entry e) {
    if (view.entryText(e) == ".") {
        view.setEntryText(e, "");
        return true;
    }
    return false;
}

Outcome ratioClick(CalcView& view, double k, double r) {
    if (view.entryText(Entry::inch).empty()) {
        return {};
    }
    return fromDiagonal(view, k, r, r, frame7Addition, frame7Text);
}

Outcome frameClick(CalcView& view, const Frame& frame) {
    Run run(view);
    const auto plusFrame = [&](double v) { return v + frame.addition; };
    run.fromLabel(Result::w1, plainNumberText, Result::w, plusFrame);
    run.fromLabel(Result::h1, plainNumberText, Result::h, plusFrame);
    run.writeText(Result::bkw, frame.text);
    if (!run.stopped()) {
        view.setFrameOutline(frame.option);
    }
    return run.outcome();
}

// The handlers under the names of the controls and events they serve.

Outcome inch_Change(CalcView& view) {
    if (emptiedLonePoint(view, Entry::inch)) {
        return {};
    }
    return forSelectedFrame(view, [&](const Frame& frame) {
        return frame.option == Option::Option1 ? diagonalEightyBlock(view)
                                               : diagonalFrameBlock(view, frame);
    });
}

Outcome mw_Change(CalcView& view) {
    if (emptiedLonePoint(view, Entry::mw)) {
        return {};
    }
    return forSelectedFrame(view, [&](const Frame& frame) { return widthBlock(view, frame); });
}

Outcome mh_Change(CalcView& view) {
    if (emptiedLonePoint(view, Entry::mh)) {
        return {};
    }
    return forSelectedFrame(view, [&](const Frame& frame) { return heightBlock(view, frame); });
}

Outcome opt169_Click(CalcView& view) {
    return ratioClick(view, mmPerInch169, ratio169Short);
}
Outcome opt43_Click(CalcView& view) {
    return ratioClick(view, mmPerInch43, ratio43);
}

Outcome Option1_Click(CalcView& view) {
    return frameClick(view, frames[0]);
}
Outcome Option2_Click(CalcView& view) {
    return frameClick(view, frames[1]);
}
Outcome Option3_Click(CalcView& view) {
    return frameClick(view, frames[2]);
}
Outcome Option4_Click(CalcView& view) {
    return frameClick(view, frames[3]);
}
Outcome Option5_Click(CalcView& view) {
    return frameClick(view, frames[4]);
}

} // namespace

Outcome changeHandler(CalcView& view, Entry entry) {
    switch (entry) {
    case Entry::inch:
        return inch_Change(view);
    case Entry::mw:
        return mw_Change(view);
    case Entry::mh:
        return mh_Change(view);
    }
    return {};
}

Outcome clickHandler(CalcView& view, Option option) {
    switch (option) {
    case Option::opt169:
        return opt169_Click(view);
    case Option::opt43:
        return opt43_Click(view);
    case Option::Option1:
        return Option1_Click(view);
    case Option::Option2:
        return Option2_Click(view);
    case Option::Option3:
        return Option3_Click(view);
    case Option::Option4:
        return Option4_Click(view);
    case Option::Option5:
        return Option5_Click(view);
    }
    return {};
}

std::string_view describe(const Outcome& outcome) {
    switch (outcome.stop) {
    case Stop::none:
        return "completed";
    case Stop::notANumber:
        return "the text is not a number";
    case Stop::notFinite:
        return "the result is too large";
    case Stop::entryEmptied:
        return "the entry was emptied while it was being read";
    }
    return "";
}

} // namespace calc
