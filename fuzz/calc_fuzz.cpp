// libFuzzer target for the calculation core: arbitrary text, as if pasted
// into an entry field, goes through numericValue, every display pattern and
// every recalculation on a HeadlessView, and the rules the window relies on
// are checked after every step.
//
// Input layout:
//   byte 0  entry field (b % 3: inch, mw, mh), ratio ((b / 3) % 2: opt169,
//           opt43), frame option ((b / 6) % 5: Option1..Option5) and what
//           happened before the text arrives ((b / 30) % 5, see Prior)
//   byte 1  frame option clicked afterwards (b % 5; the selected one is
//           clicked again), whether the ratio click comes first ((b / 5) % 2)
//           and which other entry field the earlier state uses ((b / 10) % 2:
//           the next one or the one after it, in the order inch, mw, mh)
//   rest    the entry text
//
// A violated rule prints what was expected and what happened, then aborts,
// so libFuzzer keeps the input as a finding.

#include "constants.h"
#include "headless_view.h"
#include "numbers.h"
#include "recalc.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using calc::Entry;
using calc::Option;
using calc::Outcome;
using calc::Result;
using calc::Stop;

using Labels = std::array<std::string, 6>;
using Pattern = std::string (*)(double);
using Write = std::pair<Result, std::string>;

constexpr std::array<Result, 6> allResults{Result::w,  Result::h,  Result::inch1,
                                           Result::w1, Result::h1, Result::bkw};
constexpr std::array<Entry, 3> allEntries{Entry::inch, Entry::mw, Entry::mh};

std::size_t idx(Result r) {
    return static_cast<std::size_t>(r);
}

enum class Prior {
    fresh,          // the window as it starts
    otherHolds100,  // "100" typed into another entry field first
    otherHoldsText, // the same text pasted into another entry field first
    sameHeld1,      // "1" typed into this field first
    typedByChar,    // the text arrives one byte at a time
};

// What the current input is, for the failure message.
struct Case {
    Entry entry = Entry::inch;
    Option ratio = Option::opt169;
    Option frame = Option::Option2;
    Prior prior = Prior::fresh;
    Entry other = Entry::mw;
    Option clickFrame = Option::Option2;
    bool ratioFirst = false;
    std::string_view text;
};
Case current;

std::string quoted(std::string_view s) {
    static constexpr char hexDigits[] = "0123456789abcdef";
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else {
            out += "\\x";
            out.push_back(hexDigits[c >> 4]);
            out.push_back(hexDigits[c & 0xf]);
        }
    }
    return out + "\"";
}

std::string_view priorName(Prior p) {
    static constexpr std::string_view names[] = {"fresh", "otherHolds100", "otherHoldsText",
                                                 "sameHeld1", "typedByChar"};
    return names[static_cast<int>(p)];
}

std::string_view stopName(Stop s) {
    static constexpr std::string_view names[] = {"none", "notANumber", "notFinite", "entryEmptied"};
    return names[static_cast<int>(s)];
}

std::string describeOutcome(const Outcome& o) {
    std::string s(stopName(o.stop));
    if (!o.ok()) {
        s += " at " + std::string(calc::nameOf(o.at)) + " text " + quoted(o.text);
    }
    return s;
}

[[noreturn]] void fail(std::string_view what, std::string_view detail = {}) {
    std::string msg = "\ncalc_fuzz: rule broken: " + std::string(what) + "\n";
    if (!detail.empty()) {
        msg += "  " + std::string(detail) + "\n";
    }
    msg += "  entry " + std::string(calc::nameOf(current.entry)) + ", ratio " +
           std::string(calc::nameOf(current.ratio)) + ", frame " +
           std::string(calc::nameOf(current.frame)) +
           ", before: " + std::string(priorName(current.prior)) + " (other entry " +
           std::string(calc::nameOf(current.other)) + "), then click " +
           std::string(calc::nameOf(current.clickFrame)) +
           (current.ratioFirst ? " after the ratio click" : " before the ratio click") +
           "\n  text " + quoted(current.text) + "\n";
    std::fputs(msg.c_str(), stderr);
    std::abort();
}

void require(bool ok, std::string_view what, std::string_view detail = {}) {
    if (!ok) {
        fail(what, detail);
    }
}

// ---------------------------------------------------------------------------
// numericValue against the grammar it promises.

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Grammar {
    bool ok = false;
    std::string whole;    // digits before the point, leading zeros removed
    std::string fraction; // digits after the point, trailing zeros removed
};

Grammar grammarOf(std::string_view t) {
    Grammar g;
    const auto first = t.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return g;
    }
    const auto last = t.find_last_not_of(' ');
    const std::string_view body = t.substr(first, last - first + 1);
    bool point = false;
    bool digit = false;
    for (char c : body) {
        if (c == '.') {
            if (point) {
                return g;
            }
            point = true;
        } else if (isDigit(c)) {
            digit = true;
            (point ? g.fraction : g.whole).push_back(c);
        } else {
            return g;
        }
    }
    g.ok = digit;
    const auto nonZero = g.whole.find_first_not_of('0');
    g.whole = nonZero == std::string::npos ? "" : g.whole.substr(nonZero);
    const auto lastNonZero = g.fraction.find_last_not_of('0');
    g.fraction.resize(lastNonZero == std::string::npos ? 0 : lastNonZero + 1);
    return g;
}

// Powers of ten that a double holds exactly.
constexpr std::array<double, 23> exactPow10{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The largest whole-digit count of a finite double: 309 digits can go either
// way, fewer always convert, more never do.
constexpr std::size_t maxWholeDigits = 309;

std::optional<double> checkedNumericValue(std::string_view text) {
    const std::optional<double> v = calc::numericValue(text);
    const Grammar g = grammarOf(text);
    if (!g.ok) {
        require(!v, "numericValue accepted a text outside its grammar", quoted(text));
        return v;
    }
    if (g.whole.size() < maxWholeDigits) {
        require(v.has_value(), "numericValue rejected a number", quoted(text));
    } else if (g.whole.size() > maxWholeDigits) {
        require(!v, "numericValue accepted a number beyond the range of a double", quoted(text));
    }
    if (!v) {
        return v;
    }
    require(std::isfinite(*v) && *v >= 0 && !std::signbit(*v),
            "numericValue gave a value that is not finite and non-negative", quoted(text));

    // Few digits: the quotient of two exact doubles is the correctly rounded
    // value of the decimal.
    const std::string digits = g.whole + g.fraction;
    const auto lead = digits.find_first_not_of('0');
    const std::size_t significant = lead == std::string::npos ? 0 : digits.size() - lead;
    if (significant <= 15 && g.fraction.size() < exactPow10.size()) {
        double n = 0;
        for (char c : digits) {
            n = n * 10 + (c - '0');
        }
        const double expected = n / exactPow10[g.fraction.size()];
        require(*v == expected, "numericValue is not correctly rounded", quoted(text));
    }

    // Blanks and zeros that do not change the number do not change the value.
    const std::string body(text.substr(
        text.find_first_not_of(' '), text.find_last_not_of(' ') - text.find_first_not_of(' ') + 1));
    const auto same = [&](const std::string& variant) {
        const std::optional<double> w = calc::numericValue(variant);
        require(w && *w == *v, "numericValue reads an equal number differently",
                quoted(text) + " and " + quoted(variant));
    };
    same("0" + body);
    same(" " + body + "  ");
    if (body.find('.') != std::string::npos) {
        same(body + "0");
    } else {
        same(body + ".");
    }
    return v;
}

// ---------------------------------------------------------------------------
// The display patterns.

// "-"? digits (no leading zero unless the only one) ("." `decimals` digits)?
// followed by exactly `blanks` blanks. Gives the text without sign and blanks.
std::optional<std::string> numberShape(std::string_view s, int decimals, int blanks,
                                       bool& negative) {
    if (s.size() < static_cast<std::size_t>(blanks)) {
        return std::nullopt;
    }
    for (int i = 0; i < blanks; ++i) {
        if (s[s.size() - 1 - static_cast<std::size_t>(i)] != ' ') {
            return std::nullopt;
        }
    }
    s.remove_suffix(static_cast<std::size_t>(blanks));
    negative = !s.empty() && s.front() == '-';
    if (negative) {
        s.remove_prefix(1);
    }
    const auto point = s.find('.');
    const std::string_view whole = s.substr(0, point);
    if (whole.empty() || (whole.size() > 1 && whole.front() == '0')) {
        return std::nullopt;
    }
    for (char c : whole) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
    }
    if (decimals == 0) {
        if (point != std::string_view::npos) {
            return std::nullopt;
        }
    } else {
        if (point == std::string_view::npos ||
            s.size() - point - 1 != static_cast<std::size_t>(decimals)) {
            return std::nullopt;
        }
        for (char c : s.substr(point + 1)) {
            if (!isDigit(c)) {
                return std::nullopt;
            }
        }
    }
    if (negative && s.find_first_not_of("0.") == std::string_view::npos) {
        return std::nullopt; // no "-0"
    }
    return std::string(s);
}

// The value that a pattern's text stands for, for the closeness checks. The
// 15-digit rounding can step just past the largest double; such a text has
// no value.
std::optional<double> valueOfDigits(const std::string& unsignedText, bool negative) {
    const std::optional<double> v = calc::numericValue(unsignedText);
    if (!v) {
        return v;
    }
    return negative ? -*v : *v;
}

void checkRounded(double value, std::string_view shown, int decimals, int blanks,
                  std::string_view name) {
    bool negative = false;
    const auto text = numberShape(shown, decimals, blanks, negative);
    require(text.has_value(), "a display pattern wrote a malformed text",
            std::string(name) + " gave " + quoted(shown));
    const std::optional<double> back = valueOfDigits(*text, negative);
    if (!back) {
        // Only the 15-digit rounding of a value next to the largest double
        // can leave the range.
        require(std::fabs(value) > 1.797693134862e308,
                "a display pattern wrote a text that does not convert back",
                std::string(name) + " gave " + quoted(shown));
        return;
    }
    const double step = decimals == 0 ? 1 : 0.01;
    const double tolerance = step / 2 * (1 + 1e-9) + std::fabs(value) * 1e-14;
    require(std::fabs(*back - value) <= tolerance, "a display pattern wrote a far-off number",
            std::string(name) + " gave " + quoted(shown));
}

void checkPatterns(double value) {
    const std::string whole = calc::patWhole(value);
    const std::string inches = calc::patInches(value);
    const std::string two = calc::patTwoDecimals(value);
    const std::string bare = calc::patTwoDecimalsBare(value);
    const std::string plain = calc::plainNumberText(value);

    checkRounded(value, whole, 0, 1, "patWhole");
    checkRounded(value, inches, 0, 2, "patInches");
    checkRounded(value, two, 2, 1, "patTwoDecimals");
    checkRounded(value, bare, 2, 0, "patTwoDecimalsBare");
    require(inches == whole + " ", "patInches is not patWhole with one more blank",
            quoted(inches) + " and " + quoted(whole));
    require(two == bare + " ", "patTwoDecimals is not patTwoDecimalsBare with a blank",
            quoted(two) + " and " + quoted(bare));

    // Whole numbers below 10^15 are shown exactly; halves round away from zero.
    const double magnitude = std::fabs(value);
    if (magnitude < 1e14) {
        const double lower = std::floor(magnitude);
        double expected = -1;
        if (magnitude == lower) {
            expected = lower;
        } else if (magnitude - lower == 0.5) {
            expected = lower + 1;
        }
        if (expected >= 0) {
            const std::string digits = calc::plainNumberText(expected);
            const std::string want =
                (std::signbit(value) && expected != 0 ? "-" : "") + digits + " ";
            require(whole == want, "patWhole rounds a whole number or a half wrongly",
                    quoted(whole) + " instead of " + quoted(want));
        }
        if (magnitude == lower) {
            require(plain + " " == whole, "plainNumberText and patWhole differ on a whole number",
                    quoted(plain) + " and " + quoted(whole));
        }
    }

    // plainNumberText: "-"? digits ("." digits ending in a non-zero)?, at most
    // 15 significant digits, and close to the value.
    bool negative = !plain.empty() && plain.front() == '-';
    const std::string unsignedPlain = negative ? plain.substr(1) : plain;
    const auto point = unsignedPlain.find('.');
    const std::string wholePart = unsignedPlain.substr(0, point);
    bool ok = !wholePart.empty() && (wholePart.size() == 1 || wholePart.front() != '0') &&
              wholePart.find_first_not_of("0123456789") == std::string::npos;
    if (point != std::string::npos) {
        const std::string fraction = unsignedPlain.substr(point + 1);
        ok = ok && !fraction.empty() &&
             fraction.find_first_not_of("0123456789") == std::string::npos &&
             fraction.back() != '0';
    }
    ok = ok && !(negative && unsignedPlain == "0");
    require(ok, "plainNumberText wrote a malformed text", quoted(plain));
    std::string digits;
    for (char c : unsignedPlain) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    const auto first = digits.find_first_not_of('0');
    const auto last = digits.find_last_not_of('0');
    const std::size_t significant = first == std::string::npos ? 0 : last - first + 1;
    require(significant <= 15, "plainNumberText wrote more than 15 significant digits",
            quoted(plain));
    const std::optional<double> back = valueOfDigits(unsignedPlain, negative);
    if (back) {
        require(std::fabs(*back - value) <= magnitude * 1e-14,
                "plainNumberText wrote a far-off number", quoted(plain));
    } else {
        require(magnitude > 1.797693134862e308,
                "plainNumberText wrote a text that does not convert back", quoted(plain));
    }
}

// ---------------------------------------------------------------------------
// A HeadlessView that watches every handler run it starts: which labels the
// run itself wrote (nested runs keep their own account), what it did to the
// entries and to Shape1, and whether it kept the stop rule.

struct RunRecord {
    Entry entry;
    std::string text;
    Labels before;
    std::vector<Write> writes;
    int depth;
    bool othersHeldText; // another entry held text when the run began
};

class WatchedView final : public calc::HeadlessView {
public:
    WatchedView() { setLogging(true); }

    Labels labels() const {
        Labels l;
        for (Result r : allResults) {
            l[idx(r)] = resultText(r);
        }
        return l;
    }

    void setEntryText(Entry e, std::string_view text) override {
        require(!inClick_, "a click handler wrote an entry field", std::string(calc::nameOf(e)));
        require(depth_ == 0 || text.empty(), "a handler wrote a non-empty text into an entry",
                std::string(calc::nameOf(e)) + " := " + quoted(text));
        const std::size_t runsBefore = runs().size();
        if (entryText(e) == text) {
            ++depth_;
            HeadlessView::setEntryText(e, text);
            --depth_;
            require(runs().size() == runsBefore, "writing the same text ran a handler",
                    std::string(calc::nameOf(e)) + " := " + quoted(text));
            return;
        }

        bool othersHeldText = false;
        for (Entry other : allEntries) {
            othersHeldText = othersHeldText || (other != e && !entryText(other).empty());
        }
        stack_.push_back({e, std::string(text), labels(), {}, depth_, othersHeldText});
        const int width = shapeOutlineWidth();
        const calc::Colour colour = shapeOutlineColour();
        ++depth_;
        ++handlerRuns_;
        HeadlessView::setEntryText(e, text);
        --depth_;
        RunRecord run = std::move(stack_.back());
        stack_.pop_back();
        require(runs().size() > runsBefore, "a changed text ran no handler",
                std::string(calc::nameOf(e)) + " := " + quoted(text));
        const Outcome outcome = runs().back();
        require(shapeOutlineWidth() == width && shapeOutlineColour() == colour,
                "an entry handler restyled Shape1");
        checkRun(run, outcome);
        if (run.depth > 0) {
            // Only code empties fields; the handler then just empties fields.
            require(outcome.ok() && run.writes.empty(),
                    "a nested run on an emptied field did more than empty fields",
                    std::string(calc::nameOf(e)) + ": " + describeOutcome(outcome));
        } else {
            last_ = std::move(run);
            lastOutcome_ = outcome;
        }
    }

    void setResultText(Result r, std::string_view text) override {
        require(inClick_ || !stack_.empty(), "a label was written outside any handler");
        (inClick_ ? clickWrites_ : stack_.back().writes).emplace_back(r, std::string(text));
        allWrites_.emplace_back(r, std::string(text));
        HeadlessView::setResultText(r, text);
    }

    // The outer run of the last setEntryText from outside, if it ran one.
    bool takeRun(RunRecord& run, Outcome& outcome) {
        if (!last_) {
            return false;
        }
        run = std::move(*last_);
        outcome = lastOutcome_;
        last_.reset();
        return true;
    }

    // A click: select() runs the handler only when the selection changes;
    // `again` runs it on the selected button too, as a second click may.
    Outcome click(Option o, std::vector<Write>& writes, bool again) {
        clickWrites_.clear();
        inClick_ = true;
        const Outcome outcome = again && isSelected(o) ? calc::clickHandler(*this, o) : select(o);
        inClick_ = false;
        writes = clickWrites_;
        return outcome;
    }

    // The write log must tell the same story as the calls seen here.
    void checkLog() {
        std::vector<Write> logged;
        int runs = 0;
        for (const std::string& line : log()) {
            if (line.ends_with("_Change") && line.starts_with("run ")) {
                ++runs;
                continue;
            }
            for (Result r : allResults) {
                const std::string prefix = std::string(calc::nameOf(r)) + "='";
                if (line.starts_with(prefix) && line.ends_with("'")) {
                    logged.emplace_back(
                        r, line.substr(prefix.size(), line.size() - prefix.size() - 1));
                }
            }
        }
        require(logged == allWrites_, "the write log disagrees with the label writes");
        require(runs == handlerRuns_, "the write log disagrees with the handler runs");
        clearLog();
        allWrites_.clear();
        handlerRuns_ = 0;
    }

private:
    void checkRun(const RunRecord& run, const Outcome& o) const {
        const std::string who = std::string(calc::nameOf(run.entry)) + " := " + quoted(run.text) +
                                ": " + describeOutcome(o);
        // Each label at most once, in the order w, h, inch1, w1, h1, bkw.
        for (std::size_t i = 1; i < run.writes.size(); ++i) {
            require(idx(run.writes[i - 1].first) < idx(run.writes[i].first),
                    "a run wrote its labels out of order", who);
        }
        const Labels now = labels();
        const bool blank = run.text.empty() || run.text == ".";
        // Emptying another entry that held text runs its handler, which can
        // empty this entry before it is read; the run then ends as on an
        // empty entry.
        const bool emptiedUnderway = run.othersHeldText && entryText(run.entry).empty();
        if (o.ok()) {
            if (blank) {
                require(run.writes.empty(), "an empty entry or a lone point changed a label", who);
            } else {
                require(run.writes.size() == allResults.size() ||
                            (run.writes.empty() && emptiedUnderway),
                        "a completed run left a label unwritten", who);
            }
        } else {
            // Exactly the labels before the stop were written, the others
            // keep the texts they had when the run began.
            require(run.writes.size() == idx(o.at),
                    "a stopped run wrote a label at or after its stop", who);
            for (std::size_t i = idx(o.at); i < now.size(); ++i) {
                require(now[i] == run.before[i], "a label at or after the stop changed", who);
            }
            switch (o.stop) {
            case Stop::notANumber:
                require(!calc::numericValue(o.text), "a stop blamed a text that converts", who);
                break;
            case Stop::entryEmptied:
                require(o.text.empty() && entryText(run.entry).empty(),
                        "a stop blamed an emptied entry that is not empty", who);
                break;
            case Stop::notFinite:
                require(o.text.empty(), "an overflow stop carries a text", who);
                break;
            case Stop::none:
                break;
            }
        }
        for (const auto& [r, text] : run.writes) {
            require(now[idx(r)] == text, "a label lost what its run wrote", who);
        }

        // The entry keeps what the user made it, and is the only one filled.
        if (o.stop == Stop::entryEmptied || (o.ok() && run.writes.empty())) {
            require(entryText(run.entry).empty(), "the entry should be empty", who);
        } else {
            require(entryText(run.entry) == run.text, "the entry lost its text", who);
            for (Entry other : allEntries) {
                require(other == run.entry || entryText(other).empty(),
                        "another entry still holds text", who);
            }
        }
        checkLabelsConvert(now);
    }

public:
    static void checkLabelsConvert(const Labels& l) {
        for (Result r : allResults) {
            require(calc::numericValue(l[idx(r)]).has_value(), "a label does not convert back",
                    std::string(calc::nameOf(r)) + " shows " + quoted(l[idx(r)]));
        }
    }

private:
    int depth_ = 0;
    bool inClick_ = false;
    std::vector<RunRecord> stack_;
    std::vector<Write> clickWrites_;
    std::vector<Write> allWrites_;
    int handlerRuns_ = 0;
    std::optional<RunRecord> last_;
    Outcome lastOutcome_;
};

// ---------------------------------------------------------------------------
// What the handlers must do, written from the formulas: the labels in order,
// each from a value computed in double precision or read back from a label.

struct Expected {
    Outcome outcome;
    std::vector<Write> writes;
    Labels labels;

    // r <- pattern(value), unless the run has stopped.
    void number(Result r, double value, Pattern pattern) {
        if (!outcome.ok()) {
            return;
        }
        // A result too large for a double, or so close to the largest one
        // that its 15-digit text would not read back, counts as overflow.
        const std::string shown = std::isfinite(value) ? pattern(value) : std::string();
        if (!std::isfinite(value) || !calc::numericValue(shown)) {
            outcome = {Stop::notFinite, r, {}};
            return;
        }
        text(r, shown);
    }
    // r <- pattern(the number `from` shows + addition).
    void fromLabel(Result r, Result from, double addition, Pattern pattern) {
        if (!outcome.ok()) {
            return;
        }
        const std::optional<double> v = calc::numericValue(labels[idx(from)]);
        if (!v) {
            outcome = {Stop::notANumber, r, labels[idx(from)]};
            return;
        }
        number(r, *v + addition, pattern);
    }
    void text(Result r, std::string_view t) {
        if (outcome.ok()) {
            writes.emplace_back(r, std::string(t));
            labels[idx(r)] = t;
        }
    }
};

const calc::Frame& frameOf(Option o) {
    for (const calc::Frame& f : calc::frames) {
        if (f.option == o) {
            return f;
        }
    }
    fail("no frame for an option");
}

// The six diagonal-based results with width per inch k, divisors r (h) and
// rFrame (h1), frame addition a and frame text f.
void fromDiagonal(Expected& x, double d, double k, double r, double rFrame, double a,
                  std::string_view f) {
    x.number(Result::w, d * k, calc::patWhole);
    x.number(Result::h, d * k / r, calc::patWhole);
    x.number(Result::inch1, d, calc::patInches);
    x.number(Result::w1, d * k + a, calc::patWhole);
    x.number(Result::h1, d * k / rFrame + a, calc::patWhole);
    x.text(Result::bkw, f);
}

// A text typed into `entry` while the other entries are empty.
Expected expectEntry(Entry entry, Option ratio, Option frameOption, const std::string& text,
                     const Labels& before) {
    Expected x{{}, {}, before};
    if (text.empty() || text == ".") {
        return x;
    }
    const std::optional<double> parsed = calc::numericValue(text);
    if (!parsed) {
        x.outcome = {Stop::notANumber, Result::w, text};
        return x;
    }
    const double v = *parsed;
    const calc::Frame& frame = frameOf(frameOption);
    const bool eighty = frameOption == Option::Option1;
    switch (entry) {
    case Entry::inch:
        if (eighty && ratio == Option::opt169) {
            fromDiagonal(x, v, calc::mmPerInch169, calc::ratio169Full, calc::ratio169Short,
                         frame.addition, frame.text);
        } else if (eighty) {
            fromDiagonal(x, v, calc::mmPerInch43, calc::ratio43, calc::ratio43,
                         calc::frame7Addition, calc::frame7Text);
        } else {
            fromDiagonal(x, v, calc::mmPerInch169, calc::ratio169Short, calc::ratio169Short,
                         frame.addition, frame.text);
        }
        return x;
    case Entry::mw:
        x.number(Result::w, v, calc::patWhole);
        x.number(Result::h, v / calc::ratio169Short, calc::patWhole);
        x.number(Result::inch1, v / calc::mmPerInch169,
                 eighty ? calc::patTwoDecimalsBare : calc::patTwoDecimals);
        break;
    case Entry::mh: {
        const double widthFactor = eighty ? calc::ratio169Full : calc::ratio169Short;
        const double diagonalFactor =
            frameOption == Option::Option2 ? calc::ratio169Long : calc::ratio169Short;
        x.number(Result::w, v * widthFactor, calc::patWhole);
        x.number(Result::h, v, calc::patWhole);
        x.number(Result::inch1, v * diagonalFactor / calc::mmPerInch169, calc::patTwoDecimals);
        break;
    }
    }
    x.fromLabel(Result::w1, Result::w, frame.addition, calc::patWhole);
    x.fromLabel(Result::h1, Result::h, frame.addition, calc::patWhole);
    x.text(Result::bkw, frame.text);
    return x;
}

Expected expectRatioClick(Option ratio, const std::string& inch, const Labels& before) {
    Expected x{{}, {}, before};
    if (inch.empty()) {
        return x;
    }
    const std::optional<double> d = calc::numericValue(inch);
    if (!d) {
        x.outcome = {Stop::notANumber, Result::w, inch};
        return x;
    }
    const bool sixteenNine = ratio == Option::opt169;
    const double k = sixteenNine ? calc::mmPerInch169 : calc::mmPerInch43;
    const double r = sixteenNine ? calc::ratio169Short : calc::ratio43;
    fromDiagonal(x, *d, k, r, r, calc::frame7Addition, calc::frame7Text);
    return x;
}

Expected expectFrameClick(Option option, const Labels& before) {
    Expected x{{}, {}, before};
    const calc::Frame& frame = frameOf(option);
    x.fromLabel(Result::w1, Result::w, frame.addition, calc::plainNumberText);
    x.fromLabel(Result::h1, Result::h, frame.addition, calc::plainNumberText);
    x.text(Result::bkw, frame.text);
    return x;
}

void compare(const Expected& x, const Outcome& o, const std::vector<Write>& writes,
             const Labels& now, std::string_view what) {
    const std::string who = std::string(what) + ": expected " + describeOutcome(x.outcome) +
                            ", got " + describeOutcome(o);
    require(o.stop == x.outcome.stop &&
                (o.ok() || (o.at == x.outcome.at && o.text == x.outcome.text)),
            "a handler's outcome differs from the formulas", who);
    require(writes.size() == x.writes.size(), "a handler wrote other labels than the formulas",
            who);
    for (std::size_t i = 0; i < writes.size(); ++i) {
        require(writes[i] == x.writes[i], "a label differs from the formulas",
                who + "; " + std::string(calc::nameOf(writes[i].first)) + " " +
                    quoted(writes[i].second) + " instead of " + quoted(x.writes[i].second));
    }
    require(now == x.labels, "the labels differ from the formulas", who);
}

// ---------------------------------------------------------------------------

constexpr std::size_t maxTypedLength = 9;

Entry nextEntry(Entry e, std::size_t step) {
    return allEntries[(static_cast<std::size_t>(e) + step) % allEntries.size()];
}

bool othersEmpty(const WatchedView& v, Entry e) {
    for (Entry other : allEntries) {
        if (other != e && !v.entryText(other).empty()) {
            return false;
        }
    }
    return true;
}

// Types `text` into `entry` from outside and checks the run it starts.
void typeText(WatchedView& v, Entry entry, const std::string& text) {
    const bool predictable = othersEmpty(v, entry) && v.entryText(entry) != text;
    const Labels before = v.labels();
    v.setEntryText(entry, text);
    RunRecord run;
    Outcome outcome;
    const bool ran = v.takeRun(run, outcome);
    if (predictable) {
        require(ran, "a changed text ran no handler");
        const Expected x =
            expectEntry(entry, v.isSelected(Option::opt169) ? Option::opt169 : Option::opt43,
                        current.frame, text, before);
        compare(x, outcome, run.writes, v.labels(),
                "typing into " + std::string(calc::nameOf(entry)));
        // Numbers a double holds comfortably always give results.
        const std::optional<double> value = calc::numericValue(text);
        if (value && *value < 1e300) {
            require(outcome.ok(), "a number stopped the handler on a fresh view",
                    describeOutcome(outcome));
        }
    } else if (!ran) {
        require(v.labels() == before, "writing the same text changed a label");
    }
    WatchedView::checkLabelsConvert(v.labels());
    v.checkLog();
}

void clickRatio(WatchedView& v) {
    const Option target = v.isSelected(Option::opt169) ? Option::opt43 : Option::opt169;
    const Labels before = v.labels();
    const std::string inch = v.entryText(Entry::inch);
    const int width = v.shapeOutlineWidth();
    const calc::Colour colour = v.shapeOutlineColour();
    std::vector<Write> writes;
    const Outcome o = v.click(target, writes, false);
    require(v.isSelected(target), "the clicked ratio is not selected");
    const Expected x = expectRatioClick(target, inch, before);
    compare(x, o, writes, v.labels(), "clicking " + std::string(calc::nameOf(target)));
    require(v.shapeOutlineWidth() == width && v.shapeOutlineColour() == colour,
            "a ratio click restyled Shape1");
    WatchedView::checkLabelsConvert(v.labels());
    v.checkLog();
}

void clickFrame(WatchedView& v, Option target) {
    const Labels before = v.labels();
    const int width = v.shapeOutlineWidth();
    const calc::Colour colour = v.shapeOutlineColour();
    std::vector<Write> writes;
    const Outcome o = v.click(target, writes, true);
    require(v.isSelected(target), "the clicked frame option is not selected");
    const Expected x = expectFrameClick(target, before);
    compare(x, o, writes, v.labels(), "clicking " + std::string(calc::nameOf(target)));
    const calc::Frame& frame = frameOf(target);
    if (o.ok()) {
        require(v.shapeOutlineWidth() == frame.outlineWidth &&
                    v.shapeOutlineColour() == frame.outlineColour,
                "a frame click left Shape1 in another style");
    } else {
        require(v.shapeOutlineWidth() == width && v.shapeOutlineColour() == colour,
                "a stopped frame click restyled Shape1");
    }
    WatchedView::checkLabelsConvert(v.labels());
    v.checkLog();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    static constexpr Option frameOptions[] = {Option::Option1, Option::Option2, Option::Option3,
                                              Option::Option4, Option::Option5};
    const unsigned selector = data[0];
    current.entry = allEntries[selector % 3];
    current.ratio = (selector / 3) % 2 == 0 ? Option::opt169 : Option::opt43;
    current.frame = frameOptions[(selector / 6) % 5];
    current.prior = static_cast<Prior>((selector / 30) % 5);
    current.clickFrame = frameOptions[data[1] % 5];
    current.ratioFirst = (data[1] / 5) % 2 == 1;
    current.other = nextEntry(current.entry, 1 + (data[1] / 10) % 2);
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    current.text = text;

    // The text as a number, and the number through every pattern.
    if (const std::optional<double> value = checkedNumericValue(text)) {
        checkPatterns(*value);
    }
    // Any finite double through the patterns too: the handlers feed them
    // products and quotients of every size.
    if (text.size() >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, text.data(), sizeof raw);
        if (std::isfinite(raw)) {
            checkPatterns(raw);
        }
    }

    WatchedView v;
    // The selection is made on the start state; a changed frame option runs
    // its click handler on the "0" labels, which the checks below then see.
    std::vector<Write> writes;
    require(v.click(current.ratio, writes, false).ok() &&
                v.click(current.frame, writes, false).ok(),
            "a click on the start state stopped");
    require(v.isSelected(current.ratio) && v.isSelected(current.frame), "select() did not select");
    WatchedView::checkLabelsConvert(v.labels());
    v.checkLog();

    switch (current.prior) {
    case Prior::fresh:
        break;
    case Prior::otherHolds100:
        typeText(v, current.other, "100");
        break;
    case Prior::otherHoldsText:
        typeText(v, current.other, text);
        break;
    case Prior::sameHeld1:
        typeText(v, current.entry, "1");
        break;
    case Prior::typedByChar:
        // Typing stops at the fields' length limits (6 and 9); the rest of
        // a longer text arrives with the final, pasted-in-one-go step.
        for (std::size_t n = 1; n < text.size() && n <= maxTypedLength; ++n) {
            typeText(v, current.entry, text.substr(0, n));
        }
        break;
    }
    typeText(v, current.entry, text);

    if (current.ratioFirst) {
        clickRatio(v);
        clickFrame(v, current.clickFrame);
    } else {
        clickFrame(v, current.clickFrame);
        clickRatio(v);
    }
    return 0;
}
