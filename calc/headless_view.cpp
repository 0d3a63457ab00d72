#include "calc/headless_view.h"

namespace calc {

namespace {

std::size_t index(Entry e) {
    return static_cast<std::size_t>(e);
}
std::size_t index(Result r) {
    return static_cast<std::size_t>(r);
}

} // namespace

HeadlessView::HeadlessView() {
    results_.fill("0");
}

std::string HeadlessView::entryText(Entry e) const {
    return entries_[index(e)];
}

void HeadlessView::setEntryText(Entry e, std::string_view text) {
    if (entries_[index(e)] == text) {
        return;
    }
    entries_[index(e)] = text;
    record({nameOf(e), "='", text, "'"});
    record({"edited ", nameOf(e)});
    runs_.push_back(entryEdited(*this, e));
}

bool HeadlessView::isSelected(Option o) const {
    switch (o) {
    case Option::ratio16x9:
        return ratio169_;
    case Option::ratio4x3:
        return !ratio169_;
    default:
        return frame_ == o;
    }
}

std::string HeadlessView::resultText(Result r) const {
    return results_[index(r)];
}

void HeadlessView::setResultText(Result r, std::string_view text) {
    if (results_[index(r)] == text) {
        return;
    }
    record({nameOf(r), "='", text, "'"});
    results_[index(r)] = text;
}

void HeadlessView::setFrameOutline(Option frame) {
    if (outline_ == frame) {
        return;
    }
    record({"outline ", nameOf(frame)});
    outline_ = frame;
}

Outcome HeadlessView::select(Option o) {
    if (isSelected(o)) {
        return {};
    }
    if (isRatio(o)) {
        ratio169_ = o == Option::ratio16x9;
    } else {
        frame_ = o;
    }
    record({"chose ", nameOf(o)});
    return optionChosen(*this, o);
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
