#pragma once
// The entry fields' rules that are not drawing: which typed characters a
// field takes, what a paste keeps, which fields the focus empties, what the
// clear button does and when a field is marked as holding no number. Every
// front end follows them through these functions, so the window and the page
// behave alike.

#include "calc/calcview.h"
#include "calc/recalc.h"

#include <string_view>

namespace calc {

// A typed character passes when it is a digit, or a point while the field
// holds none (a selected point that the new one would replace counts too).
// Everything else typed, signs and letters included, is dropped.
bool typedCharacterPasses(char32_t c, std::string_view fieldText);

// What a paste into a field keeps: the text up to its first line break, as
// a single-line field does, so that a spreadsheet cell ("100\r\n") pastes as
// its number. The usual rules then apply to what is kept.
std::string_view firstLine(std::string_view pasted);

// Taking the focus empties the two other fields, so one entry counts at a
// time; the results of the emptied one stay on show.
void entryFocused(CalcView& view, Entry focused);

// The clear button and the Esc key: empty the entries, choose the 12 mm
// frame and show "0" in every result. The ratio stays.
void clearAll(CalcView& view);

// A field is marked while its text is not empty and its calculation
// stopped on it; the results, which belong to an earlier entry, are greyed
// meanwhile.
enum class EntryMark { none, notANumber, tooLarge };
EntryMark entryMark(const Outcome& outcome, std::string_view fieldText);
std::string_view markText(EntryMark mark); // the field's tooltip while marked

} // namespace calc
