// libFuzzer target for the calculation core. Arbitrary text, typed or pasted
// into an entry field, goes through numericValue, the display patterns and
// the handlers on a HeadlessView. The harness holds no copy of the formulas:
// it checks the rules the window relies on, and compares runs that must
// agree (typed and pasted, 16:9 and 4:3, a ratio click and the diagonal).
//
// Input: byte 0 picks the entry field (b % 3: inch, mw, mh), the ratio
// ((b / 3) % 2: opt169, opt43), the frame ((b / 6) % 5: Option1..Option5)
// and what came first ((b / 30) % 5: nothing; "100" in another field; the
// same text in another field; "1" in this field; the text typed one
// character at a time). Byte 1 picks the frame clicked afterwards (b % 5),
// whether the ratio is clicked before it ((b / 5) % 2) and which field is the
// other one ((b / 10) % 2). The rest is the text.

#include "calc/constants.h"
#include "calc/headless_view.h"
#include "calc/numbers.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace calc;
using Labels = std::array<std::string, 6>;

void require(bool ok, const char* rule) {
    if (!ok) {
        std::fprintf(stderr, "\ncalc_fuzz: rule broken: %s\n", rule);
        std::abort();
    }
}
std::size_t at(Result r) {
    return static_cast<std::size_t>(r);
}
double valueOf(const std::string& label) {
    const auto v = numericValue(label);
    require(v.has_value(), "a label does not read back as a number");
    return *v;
}

// A HeadlessView that checks every handler run it starts.
class Watched : public HeadlessView {
public:
    Outcome last; // of the last outer run
    bool wroteAll = false;

    Labels labels() const {
        Labels l;
        for (const ResultLabel& r : resultLabels) {
            l[at(r.result)] = resultText(r.result);
        }
        return l;
    }
    void setResultText(Result r, std::string_view text) override {
        written_.push_back(r);
        HeadlessView::setResultText(r, text);
    }
    void setEntryText(Entry e, std::string_view text) override {
        require(depth_ == 0 || text.empty(), "a handler wrote a non-empty text into an entry");
        const bool change = entryText(e) != text;
        const std::size_t runs = this->runs().size(), writes = depth_ > 0 ? written_.size() : 0;
        const Labels before = labels();
        written_.resize(writes);
        wroteAll = wroteAll && depth_ > 0;
        ++depth_;
        HeadlessView::setEntryText(e, text);
        --depth_;
        require((this->runs().size() > runs) == change,
                "a change ran no handler, or a same text did");
        if (!change || depth_ > 0) {
            require(!change || (written_.size() == writes && this->runs().back().ok()),
                    "emptying a field from code did more than empty fields");
            return;
        }
        last = this->runs().back();
        checkWrites(before, 0, last);
        wroteAll = last.ok() && written_.size() == 6;
        if (wroteAll) {
            require(entryText(e) == text, "the entry lost its text");
            for (const EntryField& f : entryFields) {
                require(f.entry == e || entryText(f.entry).empty(), "two entries hold text");
            }
        }
        require(wroteAll || !last.ok() || (written_.empty() && entryText(e).empty()),
                "a run that did not stop wrote some labels only");
    }
    // A click; a frame button already selected is clicked again.
    Outcome click(Option o) {
        const Labels before = labels();
        written_.clear();
        const Outcome out = isSelected(o) ? optionChosen(*this, o) : select(o);
        checkWrites(before, frames[0].option <= o ? at(Result::outerWidth) : 0, out);
        return out;
    }
    // Labels written in order from `first`, each once, exactly up to a stop.
    void checkWrites(const Labels& before, std::size_t first, const Outcome& o) {
        for (std::size_t i = 0; i < written_.size(); ++i) {
            require(at(written_[i]) == first + i, "labels written out of order or skipping one");
        }
        const Labels now = labels();
        if (!o.ok()) {
            require(first + written_.size() == at(o.at),
                    "a stopped run wrote a label at or after its stop");
            for (std::size_t i = at(o.at); i < 6; ++i) {
                require(now[i] == before[i], "a label at or after the stop changed");
            }
            require(o.stop != Stop::notANumber || !numericValue(o.text), "blamed a good text");
        }
        for (const std::string& l : now) {
            valueOf(l);
        }
    }

private:
    int depth_ = 0;
    std::vector<Result> written_;
};

void checkNumbers(const std::string& t) {
    const auto v = numericValue(t);
    const auto first = t.find_first_not_of(' ');
    const std::string body =
        first == std::string::npos ? "" : t.substr(first, t.find_last_not_of(' ') - first + 1);
    const auto point = body.find('.');
    const bool grammar = body.find_first_not_of(".0123456789") == std::string::npos &&
                         body.find_first_of("0123456789") != std::string::npos &&
                         body.find('.', point + 1) == std::string::npos;
    require(!v || grammar, "numericValue read a text that is not a number");
    require(v || !grammar || body.substr(0, point).size() >= 309, "numericValue refused a number");
    if (!v) {
        return;
    }
    require(numericValue("0" + body) == v &&
                numericValue(body + (point == std::string::npos ? "." : "0")) == v,
            "numericValue reads an equal number differently");
    // A number of few digits comes back as it was written, less any zeros.
    if (body.size() <= 15 && body.find_first_of("123456789") != std::string::npos) {
        const std::string back = plainNumberText(*v);
        require(numericValue(back) == v && back.size() <= body.size() + 1,
                "plainNumberText does not give back the number read");
    }
}

void checkPatterns(double v) {
    const std::string whole = patWhole(v), bare = patTwoDecimalsBare(v), plain = plainNumberText(v);
    require(patInches(v) == whole + " " && patTwoDecimals(v) == bare + " ",
            "patterns differ in more than blanks");
    const double m = std::fabs(v);
    if (v < 0 || m > 1e300) {
        return;
    }
    require(std::fabs(valueOf(whole) - v) <= 0.5 + m * 1e-14 &&
                std::fabs(valueOf(bare) - v) <= 0.005 + m * 1e-14,
            "a pattern wrote a number more than half a step away");
    require(std::fabs(valueOf(plain) - v) <= m * 1e-14 && plain.back() != '.' &&
                (plain.find('.') == std::string::npos || plain.back() != '0'),
            "plainNumberText wrote a far-off or untidy number");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const Entry entry = entryFields[data[0] % 3].entry;
    const Option ratio = data[0] / 3 % 2 == 0 ? Option::ratio16x9 : Option::ratio4x3;
    const Frame& frame = frames[data[0] / 6 % 5];
    const int prior = data[0] / 30 % 5;
    const Frame& clicked = frames[data[1] % 5];
    const Entry other =
        entryFields[(static_cast<std::size_t>(entry) + 1 + data[1] / 10 % 2) % 3].entry;

    checkNumbers(text);
    if (const auto v = numericValue(text)) {
        checkPatterns(*v);
    }
    // Pasted into a fresh window, then with the other ratio: the width and
    // height entries, and the diagonal under every frame but 80 mm, ignore it.
    const auto pasted = [](Option r, Option f, Entry e, const std::string& text) {
        Watched v;
        v.select(r);
        v.select(f);
        v.setEntryText(e, text);
        return std::pair(v.labels(), v.last);
    };
    const auto [fresh, freshOutcome] = pasted(ratio, frame.option, entry, text);
    if (entry != Entry::diagonal || frame.option != Option::frame80) {
        const Option otherRatio = ratio == Option::ratio16x9 ? Option::ratio4x3 : Option::ratio16x9;
        const auto [labels, outcome] = pasted(otherRatio, frame.option, entry, text);
        require(labels == fresh && outcome.stop == freshOutcome.stop,
                "the ratio changed a 16:9-only result");
    }
    // What typing can bring in (digits, one point, within the field's limit) always computes.
    if (text.size() <= maxLength(entry) &&
        text.find_first_not_of(".0123456789") == std::string::npos &&
        text.find('.') == text.rfind('.')) {
        require(freshOutcome.ok(), "a typed text stopped a handler");
    }

    Watched v;
    v.select(ratio);
    v.select(frame.option);
    if (prior == 1 || prior == 2) {
        v.setEntryText(other, prior == 1 ? "100" : text);
    }
    for (std::size_t n = 1; prior >= 3 && n < text.size() && n <= maxLength(entry); ++n) {
        v.setEntryText(entry, prior == 3 ? "1" : text.substr(0, n)); // typed
    }
    v.setEntryText(entry, text);
    if (v.wroteAll) {
        require(v.labels() == fresh, "the last run's results depend on what came before");
        const double w = valueOf(v.resultText(Result::width)),
                     w1 = valueOf(v.resultText(Result::outerWidth));
        const double a = v.resultText(Result::frameWidth) == "7" ? frame7Addition : frame.addition;
        require(w >= 1e14 || (entry == Entry::diagonal ? std::fabs(w1 - w - a) <= 1 : w1 == w + a),
                "the overall width is not the width plus the frame");
    }

    const std::string inch = v.entryText(Entry::diagonal);
    for (int step = 0; step < 2; ++step) {
        if ((step == 0) == (data[1] / 5 % 2 == 1)) {
            // A ratio click computes as the diagonal does under 80 mm for
            // 4:3, and shows the width, height and inches of any 16:9 frame.
            const Option r = v.isSelected(Option::ratio16x9) ? Option::ratio4x3 : Option::ratio16x9;
            const Labels before = v.labels();
            const Outcome o = v.click(r);
            if (inch.empty()) {
                require(o.ok() && v.labels() == before,
                        "a ratio click with no diagonal changed a label");
                continue;
            }
            const auto [same, outcome] =
                pasted(r, r == Option::ratio4x3 ? Option::frame80 : Option::frame12,
                       Entry::diagonal, inch);
            const Labels now = v.labels();
            require(
                o.stop == outcome.stop &&
                    (!o.ok() || (r == Option::ratio4x3 ? now == same
                                                       : now[0] == same[0] && now[1] == same[1] &&
                                                             now[2] == same[2] && now[5] == "7")),
                "a ratio click differs from the diagonal");
        } else {
            const Labels before = v.labels();
            const Outcome o = v.click(clicked.option);
            const Labels now = v.labels();
            require(o.ok() && v.frameOutline() == clicked.option && now[0] == before[0] &&
                        now[1] == before[1] && now[2] == before[2] && now[5] == clicked.text,
                    "a frame click failed, left another outline or wrote what it must not");
            const double w = valueOf(now[0]);
            require(w >= 1e14 || (valueOf(now[3]) == w + clicked.addition && now[3].back() != ' '),
                    "a frame click did not write the plain width plus its frame");
        }
    }
    return 0;
}
