#include "headless_view.h"

#include "constants.h"

#include <charconv>

namespace calc {

namespace {

std::size_t index(Entry e) {
    return static_cast<std::size_t>(e);
}
std::size_t index(Result r) {
    return static_cast<std::size_t>(r);
}

bool isRatio(Option o) {
    return o == Option::opt169 || o == Option::opt43;
}

std::string hex(Colour c) {
    char buf[8]; // a 32-bit value has at most 8 hex digits
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, c, 16);
    (void)ec;
    const std::string digits(buf, end);
    return "0x" + std::string(digits.size() < 6 ? 6 - digits.size() : 0, '0') + digits;
}

} // namespace

HeadlessView::HeadlessView()
    : outlineWidth_(startOutlineWidth), outlineColour_(startOutlineColour) {
    results_.fill("0");
}

std::string HeadlessView::entryText(Entry e) const {
    return entries_[index(e)];
}

void HeadlessView::setEntryText(Entry e, std::string_view text) {
    record({nameOf(e), "='", text, "'"});
    if (entries_[index(e)] == text) {
        return;
    }
    entries_[index(e)] = text;
    record({"run ", nameOf(e), "_Change"});
    runs_.push_back(changeHandler(*this, e));
}

bool HeadlessView::isSelected(Option o) const {
    switch (o) {
    case Option::opt169:
        return ratio169_;
    case Option::opt43:
        return !ratio169_;
    default:
        return frame_ == o;
    }
}

std::string HeadlessView::resultText(Result r) const {
    return results_[index(r)];
}

void HeadlessView::setResultText(Result r, std::string_view text) {
    record({nameOf(r), "='", text, "'"});
    results_[index(r)] = text;
}

void HeadlessView::setShapeOutlineWidth(int pixels) {
    record({"shape width ", logging_ ? std::to_string(pixels) : ""});
    outlineWidth_ = pixels;
}

void HeadlessView::setShapeOutlineColour(Colour colour) {
    record({"shape colour ", logging_ ? hex(colour) : ""});
    outlineColour_ = colour;
}

Outcome HeadlessView::select(Option o) {
    if (isSelected(o)) {
        return {};
    }
    if (isRatio(o)) {
        ratio169_ = o == Option::opt169;
    } else {
        frame_ = o;
    }
    record({"run ", nameOf(o), "_Click"});
    return clickHandler(*this, o);
}

// Builds the line only when logging: the command-line tool runs these
// writes hundreds of thousands of times.
void HeadlessView::record(std::initializer_list<std::string_view> parts) {
    if (!logging_) {
        return;
    }
    std::string line;
    for (std::string_view part : parts) {
        line += part;
    }
    log_.push_back(std::move(line));
}

} // namespace calc
