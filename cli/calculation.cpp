#include "cli/calculation.h"

#include "calc/constants.h"
#include "calc/headless_view.h"
#include "calc/json.h"
#include "calc/recalc.h"
#include "calc/utf8.h"
#include "cli/text.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace screencalc {

using calc::Option;

const EntryKind* entryNamed(std::string_view word) {
    for (const EntryKind& k : entryKinds) {
        if (k.word == word) {
            return &k;
        }
    }
    return nullptr;
}

std::string frameList(std::string_view separator, std::string_view last) {
    std::vector<std::string_view> texts;
    for (const calc::Frame& f : calc::frames) {
        texts.push_back(f.text);
    }
    std::sort(texts.begin(), texts.end(), [](std::string_view a, std::string_view b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out += i == 0 ? "" : i + 1 == texts.size() ? last : separator;
        out += texts[i];
    }
    return out;
}

std::string entryChoices() {
    std::string out = "use ";
    for (const EntryKind& k : entryKinds) {
        out += k.word;
        out += ", ";
    }
    // A batch row may also size a room (cli/room.h).
    return out.substr(0, out.size() - 2) + " or room";
}

std::string_view unitOf(calc::Result result) {
    return result == calc::Result::diagonal ? "in" : "mm";
}

std::string_view meaningOf(calc::Result result) {
    struct Meaning {
        calc::Result result;
        std::string_view words;
    };
    static constexpr Meaning meanings[] = {
        {calc::Result::width, "viewing width"},
        {calc::Result::height, "viewing height"},
        {calc::Result::diagonal, "diagonal"},
        {calc::Result::outerWidth, "width with the frame"},
        {calc::Result::outerHeight, "height with the frame"},
        {calc::Result::frameWidth, "frame width"},
    };
    for (const Meaning& m : meanings) {
        if (m.result == result) {
            return m.words;
        }
    }
    return "result";
}

namespace {

struct RatioName {
    Option option;
    std::string_view text;
    std::string_view fullWidth; // as the window's own caption writes it
};
constexpr std::array<RatioName, 2> ratios{{
    {Option::ratio16x9, "16:9", "16：9"},
    {Option::ratio4x3, "4:3", "4：3"},
}};

std::optional<Option> ratioNamed(std::string_view s) {
    for (const RatioName& r : ratios) {
        if (s == r.text || s == r.fullWidth) {
            return r.option;
        }
    }
    return std::nullopt;
}

std::optional<Option> frameNamed(std::string_view s) {
    for (const calc::Frame& f : calc::frames) {
        if (f.text == s) {
            return f.option;
        }
    }
    return std::nullopt;
}

// "6 characters", or "6 UTF-16 units" where a character beyond U+FFFF took
// two of them, as the window's text box counts.
std::string cutLength(std::string_view text, std::string_view cut, std::size_t limit) {
    const std::string_view seen = text.substr(0, cut.size() + 4);
    const bool wide = std::any_of(seen.begin(), seen.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0xF0; });
    return numberText(limit) + (wide ? " UTF-16 units" : " characters");
}

} // namespace

std::string quoted(std::string_view text) {
    std::string s;
    const std::string valid = validUtf8(text);
    appendMessageString(s, valid);
    // Spreadsheets and editors leave byte order marks where no one sees them.
    if (valid.find("\xEF\xBB\xBF") != std::string::npos) {
        s += " (\\uFEFF is a byte order mark)";
    }
    return s;
}

std::string numberText(std::size_t n) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, n).ptr;
    return std::string(buf, end);
}

Selection selectionNamed(std::optional<std::string_view> ratioText,
                         std::optional<std::string_view> frameText) {
    Selection s;
    if (ratioText) {
        if (const auto named = ratioNamed(*ratioText)) {
            s.ratio = *named;
            s.ratioGiven = true;
        } else {
            s.errorIn = "ratio";
            s.error = "unknown ratio " + quoted(*ratioText) + " (use " +
                      std::string(ratios[0].text) + " or " + std::string(ratios[1].text) + ")";
            return s;
        }
    }
    if (frameText) {
        if (const auto named = frameNamed(*frameText)) {
            s.frame = *named;
            s.frameGiven = true;
        } else {
            s.errorIn = "frame";
            s.error =
                "unknown frame " + quoted(*frameText) + " (use " + frameList(", ", " or ") + ")";
        }
    }
    return s;
}

namespace {

// Why a text is no number, in the terms of its field: digits followed by
// letters are taken for a unit.
std::string whyNotANumber(const EntryKind& kind, std::string_view text) {
    // A look-alike blank shows as a blank; say which character it is.
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = calc::utf8::sequenceLength(text.substr(i));
        if (len > 1) {
            if (const std::string_view name =
                    lookAlikeName(calc::utf8::decode(text.substr(i, len)));
                !name.empty()) {
                return "only digits and one point are accepted, not " + std::string(name);
            }
        }
        i += std::max<std::size_t>(len, 1);
    }
    const std::size_t start = text.find_first_not_of(' ');
    text.remove_prefix(std::min(start, text.size()));
    const std::size_t numberEnd = text.find_first_not_of("0123456789.");
    if (numberEnd != 0 && numberEnd != std::string_view::npos &&
        text.find_first_of("0123456789.,+-", numberEnd) == std::string_view::npos) {
        return "units are not written, the " + std::string(kind.word) + " is in " +
               std::string(kind.unit);
    }
    return "only digits and one point are accepted";
}

// The calculation with its cut text, without notices.
Calculation calculateCut(const EntryKind& kind, std::string_view text, std::string_view cut,
                         Option ratio, Option frame) {
    Calculation c;
    calc::HeadlessView view;
    for (const Option o : {ratio, frame}) {
        const calc::Outcome selected = view.select(o);
        if (!selected.ok()) {
            c.error = "selecting " + std::string(calc::nameOf(o)) +
                      " failed: " + std::string(calc::describe(selected));
            return c;
        }
    }
    view.clearRuns();
    view.setEntryText(kind.entry, cut);

    for (const calc::Outcome& run : view.runs()) {
        if (run.ok()) {
            continue;
        }
        std::string shown = quoted(cut);
        if (cut.size() < text.size()) {
            shown += " (cut to " + cutLength(text, cut, kind.limit()) + ")";
        }
        switch (run.stop) {
        case calc::Stop::notANumber:
            c.error = shown + " is not a number: " + whyNotANumber(kind, text);
            break;
        case calc::Stop::notFinite:
            c.error = shown + " gives a result too large to compute";
            break;
        default:
            c.error = shown + ": " + std::string(calc::describe(run));
            break;
        }
        return c;
    }
    if (view.runs().empty()) {
        // Cannot happen in a fresh window, whose fields start empty.
        c.error = "the entry field did not take the text";
        return c;
    }
    for (std::size_t i = 0; i < calc::resultLabels.size(); ++i) {
        c.texts[i] = view.resultText(calc::resultLabels[i].result);
    }
    c.ok = true;
    return c;
}

} // namespace

Calculation calculate(const EntryKind& kind, std::string_view text, const Selection& selection,
                      std::string_view optionPrefix) {
    const std::string_view cut = firstChars(text, kind.limit());
    if (cut.empty() || cut == ".") {
        Calculation c;
        // A lone point would only empty the field again and compute nothing.
        c.error = cut.empty() ? "the text is empty" : "\".\" is not a number";
        return c;
    }
    Calculation c = calculateCut(kind, text, cut, selection.ratio, selection.frame);
    if (!c.ok) {
        return c;
    }
    // The window cuts without a word; a script should hear of it.
    if (cut.size() < text.size()) {
        c.note = "only the first " + cutLength(text, cut, kind.limit()) + " count: " + quoted(cut);
        c.notices.push_back((optionPrefix.empty() ? "" : std::string(kind.flag) + ": ") + c.note);
    }
    // The window ignores a choice that does not apply to the entry; a script
    // should hear which and why.
    const std::string prefix(optionPrefix);
    if (selection.ratioGiven && selection.ratio == Option::ratio4x3 &&
        calculateCut(kind, text, cut, Option::ratio16x9, selection.frame).texts == c.texts) {
        const std::string frame80(calc::frameOf(Option::frame80).text);
        c.notices.push_back(prefix + "ratio 4:3 has no effect: " +
                            (kind.entry == calc::Entry::diagonal
                                 ? "a diagonal computes 4:3 only with the " + frame80 + " mm frame"
                                 : "a " + std::string(kind.word) + " always computes 16:9"));
    }
    const std::string_view frameShown =
        withoutDisplayBlanks(c.texts[static_cast<std::size_t>(calc::Result::frameWidth)]);
    if (selection.frameGiven && frameShown != calc::frameOf(selection.frame).text) {
        c.notices.push_back(prefix + "frame " + std::string(calc::frameOf(selection.frame).text) +
                            " has no effect on the frame: 4:3 computes with a " +
                            std::string(frameShown) + " mm frame");
    }
    return c;
}

std::string_view withoutDisplayBlanks(std::string_view s) {
    const std::size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

std::string tableText(const std::array<std::string, 6>& texts) {
    const auto& labels = calc::resultLabels;
    std::size_t captionWidth = 0;
    std::size_t valueWidth = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        captionWidth = std::max(captionWidth, displayWidth(labels[i].caption));
        valueWidth = std::max(valueWidth, withoutDisplayBlanks(texts[i]).size());
    }
    std::string out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string_view value = withoutDisplayBlanks(texts[i]);
        out += labels[i].caption;
        out.append(captionWidth - displayWidth(labels[i].caption) + 2 + valueWidth - value.size(),
                   ' ');
        out += value;
        out += ' ';
        out += unitOf(labels[i].result);
        out += '\n';
    }
    return out;
}

void appendJsonResults(std::string& out, const Calculation& c) {
    for (std::size_t i = 0; i < calc::resultLabels.size(); ++i) {
        out += i > 0 ? ",\"" : "\"";
        out += calc::resultLabels[i].name;
        out += "\":";
        if (c.ok) {
            calc::appendJsonString(out, c.texts[i]);
        } else {
            out += "null";
        }
    }
}

} // namespace screencalc
