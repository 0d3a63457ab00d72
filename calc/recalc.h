#pragma once
// The recalculations: one per entry field, one per ratio button and one per
// frame button. Each reads and writes the controls through CalcView only, in
// a fixed order of reads and writes that the results depend on (later
// results read back earlier labels; entry texts are read anew per result).

#include "calc/calcview.h"

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
    Result at = Result::width; // the label whose value could not be computed
    // The text that failed to convert, for a plain message to the user.
    std::string text;

    bool ok() const { return stop == Stop::none; }
};

// What follows an edit of an entry field. Front ends run it whenever the
// field's text really changes, typed or set by code.
Outcome entryEdited(CalcView& view, Entry entry);

// What follows choosing a ratio or a frame. Front ends run it when the
// option becomes the selected one of its group.
Outcome optionChosen(CalcView& view, Option option);

std::string_view describe(const Outcome& outcome); // short English, for logs

} // namespace calc
