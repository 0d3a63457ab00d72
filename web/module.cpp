// The calculator of the web page: the core behind a small C interface,
// exported from a WebAssembly module that imports nothing. The page's
// controls forward what the user did (an edit, a focus, Esc, a click) and
// then paint what this view holds; every rule and every text comes from the
// core, exactly as in the window.
//
// Texts cross in UTF-8 through one buffer in the module's memory: the page
// writes a text there and passes its length; a function that answers with a
// text writes it there and returns its length, or tooLong when the text does
// not fit (the page then fails loudly rather than read half an answer).

#include "calc/constants.h"
#include "calc/headless_view.h"
#include "calc/json.h"
#include "calc/layout.h"
#include "calc/quote.h"
#include "calc/rules.h"
#include "web/room.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#ifndef SCREENCALC_SHOWN_VERSION
#define SCREENCALC_SHOWN_VERSION "0.0.0"
#endif
#ifndef SCREENCALC_DOWNLOAD_URL
#define SCREENCALC_DOWNLOAD_URL ""
#endif
#ifndef SCREENCALC_PRODUCT_URL
#define SCREENCALC_PRODUCT_URL ""
#endif

#define EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

using calc::Entry;
using calc::Option;
using calc::Outcome;

constexpr std::size_t bufferSize = 64 * 1024;
char buffer[bufferSize];
// An answer longer than the buffer; the script sees it as -1.
constexpr std::size_t tooLong = std::numeric_limits<std::size_t>::max();

std::size_t answer(std::string_view text) {
    if (text.size() > bufferSize) {
        return tooLong;
    }
    return text.copy(buffer, text.size());
}

constexpr int entryCount = static_cast<int>(calc::entryFields.size());
constexpr int optionCount = static_cast<int>(calc::optionNames.size());
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
std::string_view given(std::size_t length) {
    return {buffer, length < bufferSize ? length : bufferSize};
}

// ---- the control table as JSON, for the page to lay out ----

void appendNumber(std::string& out, long long n) {
    if (n < 0) {
        out += '-';
        n = -n;
    }
    char digits[24];
    int i = 0;
    do {
        digits[i++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (i > 0) {
        out += digits[--i];
    }
}

void appendField(std::string& out, std::string_view key, long long n) {
    calc::appendJsonString(out, key);
    out += ':';
    appendNumber(out, n);
    out += ',';
}
void appendField(std::string& out, std::string_view key, std::string_view s) {
    calc::appendJsonString(out, key);
    out += ':';
    calc::appendJsonString(out, s);
    out += ',';
}

void closeObject(std::string& out) {
    out.back() = '}'; // the comma after the last field
}

template <class Names> void appendNames(std::string& out, std::string_view key, Names names) {
    calc::appendJsonString(out, key);
    out += ":[";
    for (const auto& name : names) {
        calc::appendJsonString(out, name);
        out += ',';
    }
    out.back() = ']';
    out += ',';
}

std::string_view kindName(calc::layout::Kind k) {
    using K = calc::layout::Kind;
    switch (k) {
    case K::label:
        return "label";
    case K::textBox:
        return "textBox";
    case K::optionButton:
        return "optionButton";
    case K::checkBox:
        return "checkBox";
    case K::pushButton:
        return "pushButton";
    case K::frame:
        return "frame";
    case K::shape:
        return "shape";
    case K::image:
        return "image";
    }
    return "label";
}

std::string_view faceName(calc::layout::Face f) {
    switch (f) {
    case calc::layout::Face::song:
        return "song";
    case calc::layout::Face::hei:
        return "hei";
    case calc::layout::Face::platform:
        break;
    }
    return "platform";
}

// Fonts are set in pixels at 96 DPI, as the window sets them.
long long fontPixels(double points) {
    return static_cast<long long>(points * 96.0 / 72.0 + 0.5);
}

std::string tableJson() {
    namespace L = calc::layout;
    std::string out = "{";
    appendField(out, "clientWidth", L::clientWidth);
    appendField(out, "clientHeight", L::clientHeight);
    appendField(out, "twipsPerPixel", L::twipsPerPixel);
    appendField(out, "menuBackground", L::menuBackground);
    appendField(out, "notANumberBackground", L::notANumberBackground);
    appendField(out, "buttonLit", L::buttonLit);
    appendField(out, "buttonRest", L::buttonRest);
    appendField(out, "logoName", L::logoName);
    appendField(out, "version", "2023| 版本: " SCREENCALC_SHOWN_VERSION);
    appendField(out, "downloadUrl", SCREENCALC_DOWNLOAD_URL);
    appendField(out, "productUrl", SCREENCALC_PRODUCT_URL);
    std::array<std::string_view, entryCount> entries{};
    std::array<std::string_view, entryCount> entryCaptionLabels{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i] = calc::nameOf(static_cast<Entry>(i));
        entryCaptionLabels[i] = L::captionLabel(static_cast<Entry>(i));
    }
    appendNames(out, "entries", entries);
    appendNames(out, "entryCaptionLabels", entryCaptionLabels);
    std::array<std::string_view, resultCount> results{};
    std::array<std::string, resultCount> descriptions{};
    std::array<std::string_view, resultCount> captionLabels{};
    std::array<std::string_view, resultCount> units{};
    for (std::size_t i = 0; i < results.size(); ++i) {
        const auto r = static_cast<calc::Result>(i);
        results[i] = calc::nameOf(r);
        descriptions[i] = L::resultDescription(r);
        captionLabels[i] = L::captionLabel(r);
        units[i] = calc::unitOf(r);
    }
    appendNames(out, "results", results);
    appendNames(out, "descriptions", descriptions);
    appendNames(out, "captionLabels", captionLabels);
    appendNames(out, "units", units);
    std::array<std::string_view, L::hoverPairs.size() * 2> hover{};
    for (std::size_t i = 0; i < L::hoverPairs.size(); ++i) {
        hover[2 * i] = L::hoverPairs[i].button;
        hover[2 * i + 1] = L::hoverPairs[i].zone;
    }
    appendNames(out, "hoverPairs", hover); // button, zone, button, zone, ...
    appendNames(out, "options", calc::optionNames);
    calc::appendJsonString(out, "controls");
    out += ":[";
    for (const L::Control& c : L::controls()) {
        out += '{';
        appendField(out, "name", c.name);
        appendField(out, "kind", kindName(c.kind));
        appendField(out, "container", c.container);
        appendField(out, "left", c.left);
        appendField(out, "top", c.top);
        appendField(out, "width", c.width);
        appendField(out, "height", c.height);
        appendField(out, "text", c.text);
        appendField(out, "toolTip", c.toolTip);
        appendField(out, "face", faceName(c.font.face));
        appendField(out, "fontPixels",
                    c.font.face == L::Face::platform ? 0 : fontPixels(c.font.points));
        appendField(out, "bold", c.font.bold ? 1 : 0);
        appendField(out, "colour", c.colour);
        appendField(out, "background", c.background);
        appendField(out, "tabIndex", c.tabIndex);
        appendField(out, "maxLength", c.maxLength);
        appendField(out, "selected", c.selected ? 1 : 0);
        closeObject(out);
        out += ',';
    }
    out.back() = ']';
    out += '}';
    return out;
}

} // namespace

// ---- what the page calls ----

EXPORT(buffer) char* exportedBuffer() {
    return buffer;
}
EXPORT(bufferSize) std::size_t exportedBufferSize() {
    return bufferSize;
}

// The control table; its length, the JSON in the buffer.
EXPORT(table) std::size_t exportedTable() {
    return answer(tableJson());
}

// A fresh start: entries empty, results "0", 16:9 and 12 mm.
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

// The room panel: the buffer holds the farthest and closest distance, the
// element height and the lines, one a line (web/room.h); the sizes are for
// the ratio and frame selected in the calculator.
EXPORT(roomSizes) std::size_t roomSizes(int content, std::size_t length) {
    PageView& v = page();
    const Option ratio = v.isSelected(Option::ratio4x3) ? Option::ratio4x3 : Option::ratio16x9;
    Option frame = Option::frame12;
    for (const calc::Frame& f : calc::frames) {
        if (v.isSelected(f.option)) {
            frame = f.option;
        }
    }
    return answer(web::roomAnswer(given(length), content, ratio, frame));
}
