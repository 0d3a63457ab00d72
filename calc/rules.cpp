#include "calc/rules.h"

namespace calc {

bool typedCharacterPasses(char32_t c, std::string_view fieldText) {
    if (c == U'.') {
        return fieldText.find('.') == std::string_view::npos;
    }
    return c >= U'0' && c <= U'9';
}

std::string_view firstLine(std::string_view pasted) {
    return pasted.substr(0, pasted.find_first_of("\r\n"));
}

void entryFocused(CalcView& view, Entry focused) {
    // The order of emptying is the one the calculator has always used; it
    // shows in which handlers run when both other fields hold text.
    switch (focused) {
    case Entry::diagonal:
        view.setEntryText(Entry::width, "");
        view.setEntryText(Entry::height, "");
        break;
    case Entry::width:
        view.setEntryText(Entry::diagonal, "");
        view.setEntryText(Entry::height, "");
        break;
    case Entry::height:
        view.setEntryText(Entry::width, "");
        view.setEntryText(Entry::diagonal, "");
        break;
    }
}

void clearAll(CalcView& view) {
    view.setEntryText(Entry::diagonal, "");
    view.setEntryText(Entry::width, "");
    view.setEntryText(Entry::height, "");
    view.choose(Option::frame12); // runs the 12 mm handler if it changes
    for (Result r : {Result::height, Result::width, Result::diagonal, Result::outerHeight,
                     Result::outerWidth, Result::frameWidth}) {
        view.setResultText(r, "0");
    }
}

EntryMark entryMark(const Outcome& outcome, std::string_view fieldText) {
    if (fieldText.empty()) {
        return EntryMark::none;
    }
    switch (outcome.stop) {
    case Stop::notANumber:
        return EntryMark::notANumber;
    case Stop::notFinite:
        return EntryMark::tooLarge;
    default:
        return EntryMark::none;
    }
}

std::string_view markText(EntryMark mark) {
    switch (mark) {
    case EntryMark::notANumber:
        return "不是有效的数字，无法计算";
    case EntryMark::tooLarge:
        return "数值过大，无法计算";
    case EntryMark::none:
        break;
    }
    return {};
}

} // namespace calc
