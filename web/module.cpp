// The calculator of the web page: the core behind a small C interface,
// exported from a WebAssembly module that imports nothing. The page's
// controls forward what the user did (an edit, a focus, Esc, a click) and
// then paint what this view holds; every rule and every text comes from the
// core, exactly as in the window.
//
// Texts cross in UTF-8 through one buffer in the module's memory
// (web/buffer.h). The control table the page lays out comes with the page,
// from the build's own table module (web/table.cpp).

#include "calc/constants.h"
#include "calc/headless_view.h"
#include "calc/layout.h"
#include "calc/quote.h"
#include "calc/rules.h"
#include "web/buffer.h"
#include "web/room.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <ranges>
#include <string>
#include <string_view>

namespace {

using calc::Entry;
using calc::Option;
using calc::Outcome;
using web::answer;
using web::given;

constexpr int entryCount = static_cast<int>(calc::entryFields.size());
constexpr int optionCount = static_cast<int>(calc::optionControls.size());
constexpr int resultCount = static_cast<int>(calc::resultLabels.size());
static_assert(entryCount == static_cast<int>(Entry::height) + 1);
static_assert(optionCount == static_cast<int>(Option::frame90) + 1);
static_assert(resultCount == static_cast<int>(calc::Result::frameWidth) + 1);

// The page's controls as plain values. A field is marked, as in the window,
// while its last calculation stopped on a text that is not a number (or a
// result too large); a ratio click computes from the diagonal, so its
// outcome marks the diagonal field.
class PageView final : public calc::HeadlessView {
public:
    void setEntryText(Entry e, std::string_view text) override {
        const std::size_t before = runs().size();
        HeadlessView::setEntryText(e, text);
        // The field's own run comes last, after the runs nested in it.
        if (runs().size() > before) {
            mark(e, runs().back());
        }
    }

    void click(Option o) {
        if (isSelected(o)) {
            return; // no change of selection, no handler
        }
        const Outcome outcome = select(o);
        if (calc::isRatio(o)) {
            mark(Entry::diagonal, outcome);
        }
    }

    calc::EntryMark markOf(Entry e) const { return marks_[static_cast<std::size_t>(e)]; }

    bool anyMarked() const {
        for (calc::EntryMark m : marks_) {
            if (m != calc::EntryMark::none) {
                return true;
            }
        }
        return false;
    }

private:
    void mark(Entry e, const Outcome& outcome) {
        marks_[static_cast<std::size_t>(e)] = calc::entryMark(outcome, entryText(e));
    }

    std::array<calc::EntryMark, entryCount> marks_{};
};

PageView* view = nullptr;

PageView& page() {
    if (view == nullptr) {
        view = new PageView;
    }
    view->clearRuns();
    return *view;
}

// Arguments come from script: anything out of range picks the first member.
Entry entryAt(int i) {
    return i >= 0 && i < entryCount ? static_cast<Entry>(i) : Entry::diagonal;
}
Option optionAt(int i) {
    return i >= 0 && i < optionCount ? static_cast<Option>(i) : Option::ratio16x9;
}
calc::Result resultAt(int i) {
    return i >= 0 && i < resultCount ? static_cast<calc::Result>(i) : calc::Result::width;
}
} // namespace

// ---- what the page calls ----

EXPORT(reset) void reset() {
    delete view;
    view = nullptr;
    page();
}

// The field now holds the text in the buffer (typed, pasted or deleted);
// its recalculation runs if that is a change.
EXPORT(edited) void edited(int entry, std::size_t length) {
    page().setEntryText(entryAt(entry), given(length));
}

EXPORT(focused) void focused(int entry) {
    calc::entryFocused(page(), entryAt(entry));
}

// The clear button and Esc.
EXPORT(cleared) void cleared() {
    calc::clearAll(page());
}

EXPORT(clicked) void clicked(int option) {
    page().click(optionAt(option));
}

// Whether the field takes this typed character.
EXPORT(typedPasses) int typedPasses(int entry, std::uint32_t character) {
    return calc::typedCharacterPasses(static_cast<char32_t>(character),
                                      page().entryText(entryAt(entry)))
               ? 1
               : 0;
}

// How many bytes of the pasted text in the buffer a field keeps.
EXPORT(pastedLength) std::size_t pastedLength(std::size_t length) {
    return calc::firstLine(given(length)).size();
}

EXPORT(entryText) std::size_t entryText(int entry) {
    return answer(page().entryText(entryAt(entry)));
}
EXPORT(resultText) std::size_t resultText(int result) {
    return answer(page().resultText(resultAt(result)));
}
EXPORT(isSelected) int isSelected(int option) {
    return page().isSelected(optionAt(option)) ? 1 : 0;
}
// The field's tooltip while it is marked; empty when it is not.
EXPORT(markText) std::size_t markText(int entry) {
    return answer(calc::markText(page().markOf(entryAt(entry))));
}
// The results belong to an earlier entry while any field is marked.
EXPORT(resultsGreyed) int resultsGreyed() {
    return page().anyMarked() ? 1 : 0;
}

// Shape1's outline: the start outline until a frame handler gives it one.
EXPORT(outlineWidth) int outlineWidth() {
    const auto frame = page().frameOutline();
    return frame ? calc::layout::frameOutline(*frame).width : calc::layout::startOutline.width;
}
EXPORT(outlineColour) std::uint32_t outlineColour() {
    const auto frame = page().frameOutline();
    return frame ? calc::layout::frameOutline(*frame).colour : calc::layout::startOutline.colour;
}

// The clock's text for this moment.
EXPORT(clock)
std::size_t clockText(int year, int month, int day, int hour, int minute, int second) {
    return answer(calc::layout::clockText(year, month, day, hour, minute, second));
}

// The quote the share button sends: the results shown, the ratio selected.
EXPORT(quote) std::size_t quote() {
    PageView& v = page();
    std::array<std::string, resultCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = v.resultText(static_cast<calc::Result>(i));
    }
    return answer(calc::quoteText(
        v.isSelected(Option::ratio4x3) ? Option::ratio4x3 : Option::ratio16x9, texts));
}

// The room panel: the buffer holds the room's texts, one a line
// (web/room.h); the sizes are for the ratio and frame selected in the
// calculator.
EXPORT(roomSizes) std::size_t roomSizes(std::size_t length) {
    PageView& v = page();
    const Option ratio = v.isSelected(Option::ratio4x3) ? Option::ratio4x3 : Option::ratio16x9;
    Option frame = Option::frame12;
    for (const calc::Frame& f : calc::frames) {
        if (v.isSelected(f.option)) {
            frame = f.option;
        }
    }
    return answer(web::roomAnswer(given(length), ratio, frame));
}
