#pragma once
// The recalculations: one per entry field, one per ratio button and one per
// frame button. Each reads and writes the controls through CalcView only, in
// a fixed order of reads and writes that the results depend on (later
// results read back earlier labels; entry texts are read anew per result).

#include "calcview.h"

#include <string>
#include <string_view>

namespace calc {

enum class Stop {
    none,       // the handler ran to its end
    notANumber, // a text it had to convert is not a number
    notFinite,  // an arithmetic step overflowed or was invalid
    // A nested handler emptied the entry while this one was still reading it
    // (only when another entry field still held text).
    entryEmptied,
};

// What a handler did. On a stop, the labels written before `at` keep their
// new texts and `at` and the labels after it keep their old ones.
struct Outcome {
    Stop stop = Stop::none;
    Result at = Result::w; // the label whose value could not be computed
    // The text that failed to convert, for a plain message to the user.
    std::string text;

    bool ok() const { return stop == Stop::none; }
};

// Change handlers of the three entry fields.
Outcome inch_Change(CalcView& view);
Outcome mw_Change(CalcView& view);
Outcome mh_Change(CalcView& view);
Outcome changeHandler(CalcView& view, Entry entry); // dispatches to the above

// Ratio buttons: recompute from the diagonal with the 7 mm frame.
Outcome opt169_Click(CalcView& view);
Outcome opt43_Click(CalcView& view);

// Frame buttons: add the frame to the shown width and height, restyle Shape1.
Outcome Option1_Click(CalcView& view);
Outcome Option2_Click(CalcView& view);
Outcome Option3_Click(CalcView& view);
Outcome Option4_Click(CalcView& view);
Outcome Option5_Click(CalcView& view);
Outcome clickHandler(CalcView& view, Option option); // dispatches to the above

std::string_view describe(const Outcome& outcome); // short English, for logs

} // namespace calc
