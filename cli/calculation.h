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

namespace screencalc {

// How the command line (--diagonal) and a batch row (diagonal) name each
// entry field of the window; the length limit is the field's own.
struct EntryKind {
    calc::Entry entry;
    std::string_view word;
    std::string_view flag;
    std::size_t limit() const { return calc::maxLength(entry); }
};
inline constexpr std::array<EntryKind, 3> entryKinds{{
    {calc::Entry::diagonal, "diagonal", "--diagonal"},
    {calc::Entry::width, "width", "--width"},
    {calc::Entry::height, "height", "--height"},
}};
const EntryKind* entryNamed(std::string_view word);

// "12, 45, 65, 80 or 90": the frame captions in increasing order.
std::string frameList(std::string_view separator, std::string_view last);
std::string entryChoices(); // "use diagonal, width, height or room"

// The unit of each result as the table shows it.
std::string_view unitOf(calc::Result result);

// A text from the command line or a row, as a message shows it.
std::string quoted(std::string_view text);

std::string numberText(std::size_t n);

struct Selection {
    calc::Option ratio = calc::Option::ratio16x9;
    calc::Option frame = calc::Option::frame12;
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
    std::string notice;               // the cut of a computed text, if any
};

// One calculation in a freshly started window: select the ratio, then the
// frame, as clicks would; then paste the text into the entry field.
Calculation calculate(const EntryKind& kind, std::string_view text, calc::Option ratio,
                      calc::Option frame);

// A label's text without the blanks its display pattern puts after the number.
std::string_view withoutDisplayBlanks(std::string_view s);

// The six results as an aligned table with captions and units.
std::string tableText(const std::array<std::string, 6>& texts);

// "w":"2214 ",... (null for each when the calculation failed).
void appendJsonResults(std::string& out, const Calculation& c);

} // namespace screencalc
