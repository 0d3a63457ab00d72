#pragma once
// One calculation as screencalc runs it: the names the command line and the
// batch rows give entries, ratios and frames, and what a freshly started
// window shows for them.

#include "calc/calcview.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace screencalc {

// How the command line (--diagonal) and a batch row (diagonal) name each
// entry field of the window; the length limit is the field's own.
struct EntryKind {
    calc::Entry entry;
    std::string_view word;
    std::string_view flag;
    std::string_view unit; // as a message names it
    std::size_t limit() const { return calc::maxLength(entry); }
};
inline constexpr std::array<EntryKind, 3> entryKinds{{
    {calc::Entry::diagonal, "diagonal", "--diagonal", "inches"},
    {calc::Entry::width, "width", "--width", "millimetres"},
    {calc::Entry::height, "height", "--height", "millimetres"},
}};
const EntryKind* entryNamed(std::string_view word);

// "12, 45, 65, 80 or 90": the frame captions in increasing order.
std::string frameList(std::string_view separator, std::string_view last);
std::string entryChoices(); // "use diagonal, width, height or room"

// The unit of each result as the table shows it.
std::string_view unitOf(calc::Result result);
// What each result is, in words: "viewing width".
std::string_view meaningOf(calc::Result result);

// A text from the command line or a row, as a message shows it.
std::string quoted(std::string_view text);

std::string numberText(std::size_t n);

struct Selection {
    calc::Option ratio = calc::Option::ratio16x9;
    calc::Option frame = calc::Option::frame12;
    bool ratioGiven = false; // rather than the start selection
    bool frameGiven = false;
    std::string_view errorIn; // "ratio" or "frame", when error is set
    std::string error;
};

// The ratio and frame a calculation selects; one not given keeps the
// window's start selection.
Selection selectionNamed(std::optional<std::string_view> ratioText,
                         std::optional<std::string_view> frameText);

struct Calculation {
    bool ok = false;
    std::array<std::string, 6> texts; // in the order of calc::resultLabels, as shown
    std::string error;                // what went wrong, when !ok
    // Which characters of a cut text counted; empty when the text was whole.
    std::string note;
    // What a script should hear of although the results stand: a cut text,
    // a given ratio or frame that changed nothing, and why.
    std::vector<std::string> notices;
    // A batch room row's whole answer, the object screencalc --room --json
    // writes; empty for other rows.
    std::string roomJson;
};

// One calculation in a freshly started window: select the ratio, then the
// frame, as clicks would; then paste the text into the entry field.
// `optionPrefix` is put before "ratio" and "frame" in notices; when it is
// not empty ("--" on the command line) a notice about the text names its
// option too.
Calculation calculate(const EntryKind& kind, std::string_view text, const Selection& selection,
                      std::string_view optionPrefix);

// A label's text without the blanks its display pattern puts after the number.
std::string_view withoutDisplayBlanks(std::string_view s);

// The six results as an aligned table with captions and units.
std::string tableText(const std::array<std::string, 6>& texts);

// "w":"2214 ",... (null for each when the calculation failed).
void appendJsonResults(std::string& out, const Calculation& c);

} // namespace screencalc
