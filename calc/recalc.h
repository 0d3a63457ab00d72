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

// The change handler of an entry field (inch_Change, mw_Change, mh_Change).
// The window runs it whenever the field's text really changes.
Outcome changeHandler(CalcView& view, Entry entry);

// The click handler of an option button (opt169_Click ... Option5_Click). The
// window runs it when the button becomes the selected one of its group.
Outcome clickHandler(CalcView& view, Option option);

std::string_view describe(const Outcome& outcome); // short English, for logs

} // namespace calc
