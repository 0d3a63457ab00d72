// The build's table module: the window's control table as JSON, for the
// page to lay out. The build writes it into the page (write-table.js), so
// the page has its controls before the calculator module has arrived, and
// the module a visitor downloads carries none of this.

#include "calc/calcview.h"
#include "calc/json.h"
#include "calc/layout.h"
#include "calc/quote.h"
#include "web/buffer.h"

#include <array>
#include <cstddef>
#include <ranges>
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

namespace {

using calc::Entry;

constexpr std::size_t entryCount = calc::entryFields.size();
constexpr std::size_t resultCount = calc::resultLabels.size();

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
    std::array<std::string_view, resultCount> captions{};
    std::array<std::string_view, resultCount> captionLabels{};
    std::array<std::string_view, resultCount> units{};
    for (std::size_t i = 0; i < results.size(); ++i) {
        const auto r = static_cast<calc::Result>(i);
        results[i] = calc::nameOf(r);
        descriptions[i] = L::resultDescription(r);
        captions[i] = calc::captionOf(r);
        captionLabels[i] = L::captionLabel(r);
        units[i] = calc::unitOf(r);
    }
    appendNames(out, "results", results);
    appendNames(out, "descriptions", descriptions);
    appendNames(out, "captions", captions); // for the room panel's columns
    appendNames(out, "captionLabels", captionLabels);
    appendNames(out, "units", units);
    std::array<std::string_view, L::hoverPairs.size() * 2> hover{};
    for (std::size_t i = 0; i < L::hoverPairs.size(); ++i) {
        hover[2 * i] = L::hoverPairs[i].button;
        hover[2 * i + 1] = L::hoverPairs[i].zone;
    }
    appendNames(out, "hoverPairs", hover); // button, zone, button, zone, ...
    appendNames(out, "options",
                calc::optionControls | std::views::transform(&calc::OptionControl::name));
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

// The control table; its length, the JSON in the buffer.
EXPORT(table) std::size_t exportedTable() {
    return web::answer(tableJson());
}
