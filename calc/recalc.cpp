#include "calc/recalc.h"

#include "calc/constants.h"
#include "calc/numbers.h"

#include <array>
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
    run.fromEntry(Result::width, patWhole, Entry::diagonal, [&](double d) { return d * k; });
    run.fromEntry(Result::height, patWhole, Entry::diagonal, [&](double d) { return d * k / r; });
    run.fromEntry(Result::diagonal, patInches, Entry::diagonal, itself);
    run.fromEntry(Result::outerWidth, patWhole, Entry::diagonal,
                  [&](double d) { return d * k + a; });
    run.fromEntry(Result::outerHeight, patWhole, Entry::diagonal,
                  [&](double d) { return d * k / rFrame + a; });
    run.writeText(Result::frameWidth, f);
    return run.outcome();
}

// Width and height entries: the overall sizes are built from the rounded
// viewing sizes read back from w and h.
Outcome overallFromLabels(Run& run, const Frame& frame) {
    const auto plusFrame = [&](double v) { return v + frame.addition; };
    run.fromLabel(Result::outerWidth, patWhole, Result::width, plusFrame);
    run.fromLabel(Result::outerHeight, patWhole, Result::height, plusFrame);
    run.writeText(Result::frameWidth, frame.text);
    return run.outcome();
}

// Empty entry: the fields are emptied, the results left as they are.
void emptyAllEntries(CalcView& view) {
    view.setEntryText(Entry::diagonal, "");
    view.setEntryText(Entry::width, "");
    view.setEntryText(Entry::height, "");
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
    if (!keepOnlyEntry(view, Entry::width, Entry::diagonal, Entry::height)) {
        return {};
    }

    Run run(view);
    run.fromEntry(Result::width, patWhole, Entry::width, itself);
    run.fromEntry(Result::height, patWhole, Entry::width,
                  [](double w) { return w / ratio169Short; });
    const Pattern inchPattern =
        frame.option == Option::frame80 ? patTwoDecimalsBare : patTwoDecimals;
    run.fromEntry(Result::diagonal, inchPattern, Entry::width,
                  [](double w) { return w / mmPerInch169; });
    return overallFromLabels(run, frame);
}

Outcome heightBlock(CalcView& view, const Frame& frame) {
    if (!keepOnlyEntry(view, Entry::height, Entry::diagonal, Entry::width)) {
        return {};
    }

    // Which 16:9 rounding depends on the frame, for no reason but history;
    // each choice shows at some heights (see constants.h).
    const double widthFactor = frame.option == Option::frame80 ? ratio169Full : ratio169Short;
    const double diagonalFactor = frame.option == Option::frame12 ? ratio169Long : ratio169Short;

    Run run(view);
    run.fromEntry(Result::width, patWhole, Entry::height,
                  [&](double h) { return h * widthFactor; });
    run.fromEntry(Result::height, patWhole, Entry::height, itself);
    run.fromEntry(Result::diagonal, patTwoDecimals, Entry::height,
                  [&](double h) { return h * diagonalFactor / mmPerInch169; });
    return overallFromLabels(run, frame);
}

// The diagonal entry under one of the 12, 45, 65 and 90 mm options.
Outcome diagonalFrameBlock(CalcView& view, const Frame& frame) {
    if (!keepOnlyEntry(view, Entry::diagonal, Entry::width, Entry::height)) {
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
    view.setEntryText(Entry::width, "");
    if (view.entryText(Entry::diagonal).empty()) {
        return {};
    }
    view.setEntryText(Entry::width, "");
    view.setEntryText(Entry::height, "");
    Outcome result;
    if (view.isSelected(Option::ratio16x9)) {
        result = fromDiagonal(view, mmPerInch169, ratio169Full, ratio169Short, frames[0].addition,
                              frames[0].text);
        if (!result.ok()) {
            return result;
        }
    } else {
        view.setEntryText(Entry::width, "");
        view.setEntryText(Entry::height, "");
    }
    if (view.isSelected(Option::ratio4x3)) {
        result = fromDiagonal(view, mmPerInch43, ratio43, ratio43, frame7Addition, frame7Text);
    } else {
        view.setEntryText(Entry::width, "");
        view.setEntryText(Entry::height, "");
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

Outcome ratioChosen(CalcView& view, double k, double r) {
    if (view.entryText(Entry::diagonal).empty()) {
        return {};
    }
    return fromDiagonal(view, k, r, r, frame7Addition, frame7Text);
}

Outcome frameChosen(CalcView& view, const Frame& frame) {
    Run run(view);
    const auto plusFrame = [&](double v) { return v + frame.addition; };
    run.fromLabel(Result::outerWidth, plainNumberText, Result::width, plusFrame);
    run.fromLabel(Result::outerHeight, plainNumberText, Result::height, plusFrame);
    run.writeText(Result::frameWidth, frame.text);
    if (!run.stopped()) {
        view.setFrameOutline(frame.option);
    }
    return run.outcome();
}

// The handlers, one for each thing the user can do.

Outcome diagonalEdited(CalcView& view) {
    if (emptiedLonePoint(view, Entry::diagonal)) {
        return {};
    }
    return forSelectedFrame(view, [&](const Frame& frame) {
        return frame.option == Option::frame80 ? diagonalEightyBlock(view)
                                               : diagonalFrameBlock(view, frame);
    });
}

Outcome widthEdited(CalcView& view) {
    if (emptiedLonePoint(view, Entry::width)) {
        return {};
    }
    return forSelectedFrame(view, [&](const Frame& frame) { return widthBlock(view, frame); });
}

Outcome heightEdited(CalcView& view) {
    if (emptiedLonePoint(view, Entry::height)) {
        return {};
    }
    return forSelectedFrame(view, [&](const Frame& frame) { return heightBlock(view, frame); });
}

Outcome ratio16x9Chosen(CalcView& view) {
    return ratioChosen(view, mmPerInch169, ratio169Short);
}
Outcome ratio4x3Chosen(CalcView& view) {
    return ratioChosen(view, mmPerInch43, ratio43);
}

// Indexed by Entry.
struct EntryHandler {
    Entry entry;
    Outcome (*edited)(CalcView&);
};
constexpr std::array<EntryHandler, 3> entryHandlers{{
    {Entry::diagonal, diagonalEdited},
    {Entry::width, widthEdited},
    {Entry::height, heightEdited},
}};
static_assert(indexedBy(entryHandlers, &EntryHandler::entry));
static_assert(entryHandlers.size() == entryFields.size());

} // namespace

Outcome entryEdited(CalcView& view, Entry entry) {
    return entryHandlers[static_cast<std::size_t>(entry)].edited(view);
}

Outcome optionChosen(CalcView& view, Option option) {
    switch (option) {
    case Option::ratio16x9:
        return ratio16x9Chosen(view);
    case Option::ratio4x3:
        return ratio4x3Chosen(view);
    case Option::frame80:
    case Option::frame12:
    case Option::frame45:
    case Option::frame65:
    case Option::frame90:
        return frameChosen(view, frameOf(option));
    }
    std::abort(); // not an option
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
