#include "calc/room.h"

#include "calc/constants.h"
#include "calc/headless_view.h"
#include "calc/numbers.h"
#include "calc/recalc.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace calc {

namespace {

// Each table row carries its enum: the tables must list them in order.
static_assert(indexedBy(contentNames, &ContentName::content));
static_assert(indexedBy(roomFieldKeys, &RoomFieldKey::field));
static_assert(indexedBy(roomProblemNames, &RoomProblemName::problem));
static_assert(indexedBy(ruleNames, &RuleName::rule));
static_assert(roomTextCount == static_cast<std::size_t>(RoomField::diagonal) + 1);

constexpr double mmPerInch = 25.4;
constexpr double pixelsPerInch = 96; // the desktop's 100 % scale
constexpr double pointsPerInch = 72;

// Horizontal viewing angles of a cinema screen, in degrees: at least 30
// from the farthest seat (SMPTE EG 18), 36 from the farthest seat
// recommended (THX) and at most 60 from the closest: front rows commonly see
// 45-60°, below the 61.8° SMPTE's front-row figure is quoted with.
constexpr double cinemaFarthestLeast = 30;
constexpr double cinemaRecommended = 36;
constexpr double cinemaClosestMost = 60;

// DISCAS acuity factors. Basic decision making: farthest viewer = image
// height x 200 x element height (as a fraction). Analytical decision making:
// farthest viewer = image height x 3438 / vertical pixels, 3438 standing
// for 1 / tan(1 arc-minute) = 3437.75 rounded as the standard prints it.
constexpr double acuityBasic = 200;
constexpr double acuityAnalytical = 3438;

// DISCAS, basic decision making: the closest viewer looks up at most 30° to
// the image top. Analytical: only the horizontal limit, the line to the far
// edge at most 60° off the screen's axis.
constexpr double closestLookUpMost = 30;
constexpr double closestOffAxisMost = 60;

// The recommended presentation and detail image: 1.25 x the smallest, the
// margin ISO 9241-3 puts between its preferred (20') and its least (16')
// character height, so that content a size smaller than planned still reads.
constexpr double readingMargin = 20.0 / 16.0;

// The largest diagonal the calculator's field takes: as many nines as it
// admits characters.
constexpr int largestFieldInches = [] {
    int n = 1;
    for (std::size_t i = 0; i < maxLength(Entry::diagonal); ++i) {
        n *= 10;
    }
    return n - 1;
}();

// Rounding a diagonal to whole inches forgives this much, so that a size
// that is a whole inch up to the last bits of a double counts as one.
constexpr double inchSlack = 1e-9;

// A distance below this without a unit is taken for metres given as mm.
constexpr double leastBareMillimetres = 100;
constexpr int mostLines = 100000;
constexpr double mostThrowRatio = 20;

double tanDegrees(double degrees) {
    return std::tan(degrees * std::numbers::pi / 180);
}

struct Aspect {
    double width;
    double height;
};

Aspect aspectOf(Option ratio) {
    return ratio == Option::ratio4x3 ? Aspect{4, 3} : Aspect{16, 9};
}

ImageSize fromWidth(double width, Aspect a) {
    const double height = width * a.height / a.width;
    return {width, height, std::hypot(width, height) / mmPerInch};
}

ImageSize fromHeight(double height, Aspect a) {
    const double width = height * a.width / a.height;
    return {width, height, std::hypot(width, height) / mmPerInch};
}

ImageSize fromDiagonal(double inches, Aspect a) {
    const double unit = inches * mmPerInch / std::hypot(a.width, a.height);
    return {unit * a.width, unit * a.height, inches};
}

std::string mmText(double mm) {
    return roundedText(mm, 0) + " mm";
}

std::string inchText(double inches) {
    return roundedText(inches, 2) + " in";
}

std::string quotedText(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

std::string_view trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

bool lowerEquals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x) == y;
           });
}

// A leading number ("4.2" of "4.2m"): digits with at most one point.
std::size_t numberLength(std::string_view s) {
    std::size_t n = 0;
    bool point = false;
    while (n < s.size() && ((s[n] >= '0' && s[n] <= '9') || (s[n] == '.' && !point))) {
        point = point || s[n] == '.';
        ++n;
    }
    return n;
}

// A unit's millimetres as tenths, so that 9 ft is 2743.2 mm, not 2743.2000000000003.
struct Unit {
    std::string_view name;
    double tenthsOfMm;
};
constexpr std::array<Unit, 5> distanceUnits{
    {{"mm", 10}, {"cm", 100}, {"m", 10000}, {"ft", 3048}, {"in", 254}}};

// The number and the unit of one part of a text ("13ft" of "13ft 6in"),
// with the rest after it.
struct Part {
    std::optional<double> number;
    std::string_view unit;
    std::string_view rest;
};

Part partOf(std::string_view s) {
    Part p;
    const std::size_t n = numberLength(s);
    p.number = numericValue(s.substr(0, n));
    s.remove_prefix(n);
    std::size_t u = 0;
    while (u < s.size() && s[u] == ' ') {
        ++u;
    }
    std::size_t end = u;
    while (end < s.size() && s[end] != ' ' && (s[end] < '0' || s[end] > '9') && s[end] != '.') {
        ++end;
    }
    p.unit = s.substr(u, end - u);
    p.rest = trimmed(s.substr(end));
    return p;
}

// Reads `text` as the field's value or says why it cannot.
struct Reader {
    RoomRequest& request;

    bool fail(RoomField field, RoomProblem problem, std::string reason) {
        request.error = {problem, field, std::move(reason)};
        return false;
    }

    bool distance(RoomField field, const std::string& text, double& out, bool zeroAllowed) {
        const Distance d = readDistance(text, zeroAllowed);
        switch (d.problem) {
        case RoomProblem::none:
            out = d.mm;
            return true;
        case RoomProblem::unknownUnit:
            return fail(field, d.problem,
                        quotedText(text) + " has a unit other than mm, cm, m, ft or in");
        case RoomProblem::notPositive:
            return fail(field, d.problem,
                        quotedText(text) +
                            (zeroAllowed ? " is below the floor" : " is not above 0"));
        case RoomProblem::metresWithoutUnit:
            return fail(field, d.problem,
                        quotedText(text) + " mm? give " +
                            plainNumberText(*numericValue(trimmed(text)) * 1000) + " or " +
                            std::string(trimmed(text)) + "m");
        default:
            return fail(field, d.problem,
                        quotedText(text) + " is not a distance (mm, or give m, cm, ft or in)");
        }
    }
};

bool given(const std::optional<std::string>& text) {
    return text && !trimmed(*text).empty();
}

bool readElement(Reader& r, const std::string& text, Room& room) {
    const bool signed_ = trimmed(text).starts_with('-');
    const Part p = partOf(trimmed(trimmed(text).substr(signed_ ? 1 : 0)));
    if (!p.number && !signed_) {
        return r.fail(RoomField::element, RoomProblem::notANumber,
                      quotedText(text) + " is not a number (% of the image height, or mm or pt)");
    }
    if (!p.rest.empty()) {
        return r.fail(RoomField::element, RoomProblem::notANumber,
                      quotedText(text) + " is not one number with its unit");
    }
    if (p.unit.empty() || p.unit == "%") {
        room.elementUnit = ElementUnit::percent;
    } else if (lowerEquals(p.unit, "mm")) {
        room.elementUnit = ElementUnit::mm;
    } else if (lowerEquals(p.unit, "pt")) {
        room.elementUnit = ElementUnit::points;
    } else if (!signed_) {
        return r.fail(RoomField::element, RoomProblem::unknownUnit,
                      quotedText(text) + " has a unit other than %, mm or pt");
    }
    if (signed_ || *p.number <= 0) {
        return r.fail(RoomField::element, RoomProblem::notPositive,
                      quotedText(text) + " is not above 0");
    }
    room.element = *p.number;
    return true;
}

bool readLines(Reader& r, const std::string& text, Room& room) {
    const std::optional<double> n = numericValue(text);
    if (!n) {
        return r.fail(RoomField::lines,
                      trimmed(text).starts_with('-') ? RoomProblem::notPositive
                                                     : RoomProblem::notANumber,
                      quotedText(text) + " is not a whole number of lines from 1 to " +
                          std::to_string(mostLines));
    }
    if (*n < 1 || *n > mostLines || *n != std::floor(*n)) {
        return r.fail(RoomField::lines,
                      *n <= 0 ? RoomProblem::notPositive : RoomProblem::outOfRange,
                      quotedText(text) + " is not a whole number of lines from 1 to " +
                          std::to_string(mostLines));
    }
    room.lines = static_cast<int>(*n);
    return true;
}

// "1.5", "1.5:1", "1.36-2.03".
bool readThrow(Reader& r, const std::string& text, Room& room) {
    std::string_view t = trimmed(text);
    const std::size_t dash = t.find_first_of("-~");
    const std::size_t enDash = t.find("\u2013");
    std::array<std::string_view, 2> parts{t, t};
    if (dash != std::string_view::npos && dash > 0) {
        parts = {t.substr(0, dash), t.substr(dash + 1)};
    } else if (enDash != std::string_view::npos) {
        parts = {t.substr(0, enDash), t.substr(enDash + 3)};
    }
    std::array<double, 2> values{};
    for (std::size_t i = 0; i < 2; ++i) {
        std::string_view part = trimmed(parts[i]);
        if (part.ends_with(":1")) {
            part = trimmed(part.substr(0, part.size() - 2));
        }
        const std::optional<double> v = numericValue(part);
        if (!v || *v <= 0 || *v > mostThrowRatio) {
            return r.fail(
                RoomField::throwRatio,
                !v ? (t.starts_with('-') ? RoomProblem::notPositive : RoomProblem::notANumber)
                : *v <= 0 ? RoomProblem::notPositive
                          : RoomProblem::outOfRange,
                quotedText(text) + " is not a throw ratio (distance / width, above 0 and at most " +
                    plainNumberText(mostThrowRatio) + ") or a range such as 1.36-2.03");
        }
        values[i] = *v;
    }
    room.throwRatio = ThrowRatio{std::min(values[0], values[1]), std::max(values[0], values[1])};
    return true;
}

bool readContent(Reader& r, const std::string& text, Room& room) {
    for (const ContentName& c : contentNames) {
        if (lowerEquals(trimmed(text), c.name)) {
            room.content = c.content;
            return true;
        }
    }
    return r.fail(RoomField::content, RoomProblem::unknownContent,
                  "unknown content " + quotedText(text) + " (use cinema, presentation or detail)");
}

bool readDiagonal(Reader& r, const std::string& text, RoomRequest& request) {
    const std::string_view t = trimmed(text);
    const std::optional<double> inches = numericValue(t);
    if (!inches) {
        return r.fail(RoomField::diagonal,
                      t.starts_with('-') ? RoomProblem::notPositive : RoomProblem::notANumber,
                      quotedText(text) + " is not a diagonal in inches");
    }
    if (*inches <= 0) {
        return r.fail(RoomField::diagonal, RoomProblem::notPositive,
                      quotedText(text) + " is not above 0");
    }
    if (t.size() > maxLength(Entry::diagonal)) {
        return r.fail(RoomField::diagonal, RoomProblem::outOfRange,
                      quotedText(text) + " has more than the diagonal field's " +
                          std::to_string(maxLength(Entry::diagonal)) + " characters");
    }
    request.diagonal = std::string(t);
    return true;
}

const std::optional<std::string>& textOf(const RoomTexts& texts, RoomField f) {
    return texts[static_cast<std::size_t>(f)];
}

// The diagonal, or the seats: one question or the other.
bool readSeats(Reader& r, const RoomTexts& texts, RoomRequest& q) {
    const auto text = [&](RoomField f) -> const auto& {
        return textOf(texts, f);
    };
    const bool inverse = given(text(RoomField::diagonal));
    if (inverse) {
        for (RoomField seat : {RoomField::farthest, RoomField::closest}) {
            if (given(text(seat))) {
                return r.fail(seat, RoomProblem::notWithDiagonal,
                              "the seats follow from --diagonal; give one or the other");
            }
        }
        return readDiagonal(r, *text(RoomField::diagonal), q);
    }
    if (!given(text(RoomField::farthest))) {
        return r.fail(RoomField::farthest, RoomProblem::missing,
                      "the farthest viewer's distance is needed");
    }
    if (!r.distance(RoomField::farthest, *text(RoomField::farthest), q.room.farthest, false)) {
        return false;
    }
    if (given(text(RoomField::closest))) {
        double closest = 0;
        if (!r.distance(RoomField::closest, *text(RoomField::closest), closest, false)) {
            return false;
        }
        q.room.closest = closest;
    }
    return true;
}

// The content and what it reads: the element and the source's lines.
bool readContentFields(Reader& r, const RoomTexts& texts, Room& room, bool inverse) {
    const auto text = [&](RoomField f) -> const auto& {
        return textOf(texts, f);
    };
    if (given(text(RoomField::content))) {
        if (!roomFieldUsed(RoomField::content, room, inverse)) {
            return r.fail(RoomField::content, RoomProblem::notWithDiagonal,
                          "the seats of every content follow from --diagonal; leave it out");
        }
        if (!readContent(r, *text(RoomField::content), room)) {
            return false;
        }
    }
    if (given(text(RoomField::element))) {
        if (!roomFieldUsed(RoomField::element, room, inverse)) {
            return r.fail(RoomField::element, RoomProblem::notForContent,
                          "counts only for presentation content");
        }
        if (!readElement(r, *text(RoomField::element), room)) {
            return false;
        }
    }
    if (given(text(RoomField::lines))) {
        if (!roomFieldUsed(RoomField::lines, room, inverse)) {
            return r.fail(RoomField::lines, RoomProblem::notForContent,
                          "counts only for detail content or an element in mm or pt");
        }
        if (!readLines(r, *text(RoomField::lines), room)) {
            return false;
        }
    }
    // An element in mm or pt is a share of the lines read after it.
    if (given(text(RoomField::element)) &&
        !(elementPercent(room) > 0 && elementPercent(room) <= 100)) {
        return r.fail(RoomField::element, RoomProblem::outOfRange,
                      quotedText(*text(RoomField::element)) + " is " +
                          plainNumberText(elementPercent(room)) +
                          " % of the image height; at most 100 % fits");
    }
    return true;
}

// How the screen hangs, and the projector.
bool readMounting(Reader& r, const RoomTexts& texts, Room& room) {
    const std::array<std::pair<RoomField, bool>, 3> heights{
        {{RoomField::eyeHeight, false}, {RoomField::lowerEdge, true}, {RoomField::ceiling, false}}};
    for (const auto& [field, zeroAllowed] : heights) {
        if (!given(textOf(texts, field))) {
            continue;
        }
        double mm = 0;
        if (!r.distance(field, *textOf(texts, field), mm, zeroAllowed)) {
            return false;
        }
        (field == RoomField::eyeHeight   ? room.eyeHeight
         : field == RoomField::lowerEdge ? room.lowerEdge.emplace()
                                         : room.ceiling.emplace()) = mm;
    }
    const auto& throwText = textOf(texts, RoomField::throwRatio);
    return !given(throwText) || readThrow(r, *throwText, room);
}

// ---- the rules ----

// The smallest image the farthest seat needs, and the seat an image allows.
ImageSize farthestNeeds(const Room& room, double farthest, Aspect a) {
    switch (room.content) {
    case Content::cinema:
        return fromWidth(2 * farthest * tanDegrees(cinemaFarthestLeast / 2), a);
    case Content::presentation:
        return fromHeight(farthest / (acuityBasic * elementPercent(room) / 100), a);
    case Content::detail:
        break;
    }
    return fromHeight(farthest * room.lines / acuityAnalytical, a);
}

double farthestAllowed(const Room& room, const ImageSize& image) {
    switch (room.content) {
    case Content::cinema:
        return image.width / (2 * tanDegrees(cinemaFarthestLeast / 2));
    case Content::presentation:
        return image.height * acuityBasic * elementPercent(room) / 100;
    case Content::detail:
        break;
    }
    return image.height * acuityAnalytical / room.lines;
}

// How far the screen's lower edge stands above the seated eyes (DISCAS's
// image offset); below the eyes it is negative.
double imageOffset(const Room& room) {
    return room.lowerEdgeOrAssumed() - room.eyeHeight;
}

// The largest image the closest seat allows, and the seat an image allows.
ImageSize closestAllows(const Room& room, double closest, Aspect a) {
    switch (room.content) {
    case Content::cinema:
        return fromWidth(2 * closest * tanDegrees(cinemaClosestMost / 2), a);
    case Content::presentation:
        return fromHeight(
            std::max(0.0, closest * tanDegrees(closestLookUpMost) - imageOffset(room)), a);
    case Content::detail:
        break;
    }
    return fromWidth(2 * closest * tanDegrees(closestOffAxisMost), a);
}

double closestAllowed(const Room& room, const ImageSize& image) {
    switch (room.content) {
    case Content::cinema:
        return image.width / (2 * tanDegrees(cinemaClosestMost / 2));
    case Content::presentation:
        return std::max(0.0, (image.height + imageOffset(room)) / tanDegrees(closestLookUpMost));
    case Content::detail:
        break;
    }
    return image.width / (2 * tanDegrees(closestOffAxisMost));
}

Rule farthestRule(Content c) {
    return c == Content::cinema         ? Rule::smpte30
           : c == Content::presentation ? Rule::bdmElement
                                        : Rule::admPixel;
}
Rule closestRule(Content c) {
    return c == Content::cinema         ? Rule::frontRow60
           : c == Content::presentation ? Rule::bdmLookUp30
                                        : Rule::admHorizontal60;
}
Rule recommendedRule(Content c) {
    return c == Content::cinema ? Rule::thx36 : Rule::readingMargin;
}

ImageSize recommendedFor(const Room& room, double farthest, Aspect a) {
    if (room.content == Content::cinema) {
        return fromWidth(2 * farthest * tanDegrees(cinemaRecommended / 2), a);
    }
    return fromHeight(farthestNeeds(room, farthest, a).height * readingMargin, a);
}

// Types the diagonal into a freshly started calculator with the ratio and
// frame selected, as a person would, and reads the six labels.
std::string enter(Screen& screen, std::string_view text, Option ratio, Option frame,
                  const Room& room) {
    screen.image = fromDiagonal(screen.inches, aspectOf(ratio));
    if (room.throwRatio) {
        screen.throwLeast = screen.image.width * room.throwRatio->least;
        screen.throwMost = screen.image.width * room.throwRatio->most;
    }
    HeadlessView view;
    view.select(ratio);
    view.select(frame);
    view.clearRuns();
    view.setEntryText(Entry::diagonal, text);
    for (const Outcome& run : view.runs()) {
        if (!run.ok()) {
            return std::string(describe(run));
        }
    }
    for (std::size_t i = 0; i < resultLabels.size(); ++i) {
        screen.texts[i] = view.resultText(resultLabels[i].result);
    }
    return {};
}

std::string wholeText(double n) {
    return roundedText(n, 0);
}

void addRemedies(RoomSizing& s, const Room& room, Aspect a, double least, double most) {
    const double closest = room.closest.value_or(room.farthest);
    const ImageSize needed = fromDiagonal(least, a);
    const bool ceilingCuts =
        room.ceiling && room.lowerEdgeOrAssumed() + needed.height > *room.ceiling;
    if (!ceilingCuts && s.largestRule != Rule::ceiling) {
        if (const double c = closestAllowed(room, needed); c <= room.farthest && c > closest) {
            s.remedies.push_back({RemedyKind::closestAtLeast, std::ceil(c)});
        }
    }
    if (ceilingCuts) {
        s.remedies.push_back(
            {RemedyKind::ceilingAtLeast, std::ceil(room.lowerEdgeOrAssumed() + needed.height)});
        if (const double edge = *room.ceiling - needed.height; edge >= 0) {
            s.remedies.push_back({RemedyKind::lowerEdgeAtMost, std::floor(edge)});
        }
    }
    if (most < 1) {
        return;
    }
    const ImageSize allowed = fromDiagonal(most, a);
    if (const double f = farthestAllowed(room, allowed); f >= (room.closest ? closest : 0)) {
        s.remedies.push_back({RemedyKind::farthestAtMost, std::floor(f)});
    }
    if (room.content == Content::presentation) {
        const double pct = room.farthest / (acuityBasic * allowed.height) * 100;
        if (pct <= 100) {
            s.remedies.push_back({RemedyKind::elementAtLeast, std::ceil(pct * 100) / 100});
        }
    }
    if (room.content == Content::detail) {
        if (const double n = std::floor(acuityAnalytical * allowed.height / room.farthest);
            n >= 1) {
            s.remedies.push_back({RemedyKind::linesAtMost, n});
        }
    }
}

std::string remediesText(const std::vector<Remedy>& remedies) {
    std::string out;
    for (std::size_t i = 0; i < remedies.size(); ++i) {
        out += i == 0 ? "; it fits with " : i + 1 == remedies.size() ? ", or " : ", ";
        out += remedyText(remedies[i]);
    }
    return out;
}

RoomError frameError() {
    return {RoomProblem::fourThreeFrame, RoomField::frame,
            "the calculator gives 4:3 sizes only with the 80 mm frame option (it shows them "
            "with a 7 mm frame)"};
}

} // namespace

double elementPercent(const Room& room) {
    switch (room.elementUnit) {
    case ElementUnit::percent:
        return room.element;
    case ElementUnit::mm:
        return room.element / mmPerInch * pixelsPerInch / room.lines * 100;
    case ElementUnit::points:
        break;
    }
    return room.element / pointsPerInch * pixelsPerInch / room.lines * 100;
}

Distance readDistance(std::string_view text, bool zeroAllowed) {
    std::string_view t = trimmed(text);
    const bool negative = t.starts_with('-');
    if (negative) {
        t = trimmed(t.substr(1));
    }
    double mm = 0;
    bool anyUnit = false;
    int parts = 0;
    while (!t.empty()) {
        const Part p = partOf(t);
        if (!p.number) {
            return {0, RoomProblem::notANumber};
        }
        const auto unit = std::find_if(distanceUnits.begin(), distanceUnits.end(),
                                       [&](const Unit& u) { return lowerEquals(p.unit, u.name); });
        if (!p.unit.empty() && unit == distanceUnits.end()) {
            const bool letters = std::all_of(p.unit.begin(), p.unit.end(), [](char c) {
                return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            });
            return {0, letters ? RoomProblem::unknownUnit : RoomProblem::notANumber};
        }
        if (p.unit.empty() && (parts > 0 || !p.rest.empty())) {
            return {0, RoomProblem::notANumber}; // "13ft 6": every part needs its unit
        }
        anyUnit = anyUnit || !p.unit.empty();
        mm += *p.number * (unit == distanceUnits.end() ? 10 : unit->tenthsOfMm) / 10;
        ++parts;
        t = p.rest;
    }
    if (parts == 0) {
        return {0, RoomProblem::notANumber};
    }
    if (negative && mm > 0) {
        return {0, RoomProblem::notPositive};
    }
    if (mm <= 0 && !(zeroAllowed && mm == 0)) {
        return {0, RoomProblem::notPositive};
    }
    if (!anyUnit && mm > 0 && mm < leastBareMillimetres) {
        return {0, RoomProblem::metresWithoutUnit};
    }
    return {mm, RoomProblem::none};
}

bool roomFieldUsed(RoomField field, const Room& room, bool fromDiagonal) {
    switch (field) {
    case RoomField::farthest:
    case RoomField::closest:
    case RoomField::content:
        return !fromDiagonal;
    case RoomField::element:
        return fromDiagonal || room.content == Content::presentation;
    case RoomField::lines:
        return fromDiagonal || room.content == Content::detail ||
               (room.content == Content::presentation && room.elementUnit != ElementUnit::percent);
    default:
        return true;
    }
}

RoomRequest readRoom(const RoomTexts& texts) {
    RoomRequest q;
    Reader r{q};
    const bool inverse = given(textOf(texts, RoomField::diagonal));
    readSeats(r, texts, q) && readContentFields(r, texts, q.room, inverse) &&
        readMounting(r, texts, q.room);
    return q;
}

std::string ruleText(Rule rule, const Room& room) {
    switch (rule) {
    case Rule::smpte30:
        return "30° wide from the farthest seat (SMPTE EG 18)";
    case Rule::thx36:
        return "36° wide from the farthest seat (THX)";
    case Rule::frontRow60:
        return "at most 60° wide from the closest seat (cinema front rows; SMPTE quotes 61.8°)";
    case Rule::bdmElement:
        return plainNumberText(std::round(elementPercent(room) * 1000) / 1000) +
               " % elements legible from the farthest seat (DISCAS basic decision making)";
    case Rule::admPixel:
        return std::to_string(room.lines) +
               " lines, one arc-minute a pixel at the farthest seat (DISCAS analytical decision "
               "making)";
    case Rule::readingMargin:
        return "1.25 x the smallest: ISO 9241-3's preferred 20' over its least 16' for text";
    case Rule::bdmLookUp30:
        return "at most 30° up to the image top from the closest seat (DISCAS basic decision "
               "making)";
    case Rule::admHorizontal60:
        return "far edge at most 60° off axis from the closest seat (DISCAS analytical decision "
               "making: horizontal limits only)";
    case Rule::ceiling:
        return "the image top at the " + mmText(room.ceiling.value_or(0)) + " ceiling";
    case Rule::cappedAtLargest:
        break;
    }
    return "the largest: the recommended rule would be larger";
}

std::string assumptionText(const Room& room) {
    std::string out = "seated eye height " + mmText(room.eyeHeight) +
                      (room.eyeHeight == defaultEyeHeight ? " (default)" : "") +
                      "; screen's lower edge ";
    out +=
        room.lowerEdge ? "at " + mmText(*room.lowerEdge) : "at eye height (assumed; give --edge)";
    out += room.ceiling ? "; ceiling at " + mmText(*room.ceiling) : "; no ceiling given";
    return out;
}

std::string remedyText(const Remedy& r) {
    switch (r.kind) {
    case RemedyKind::closestAtLeast:
        return "the closest seat at least " + mmText(r.value) + " away";
    case RemedyKind::farthestAtMost:
        return "the farthest seat at most " + mmText(r.value) + " away";
    case RemedyKind::elementAtLeast:
        return "elements of at least " + plainNumberText(r.value) + " % of the image height";
    case RemedyKind::linesAtMost:
        return "a source of at most " + wholeText(r.value) + " lines";
    case RemedyKind::ceilingAtLeast:
        return "a ceiling at least " + mmText(r.value) + " high";
    case RemedyKind::lowerEdgeAtMost:
        break;
    }
    return "the screen's lower edge at most " + mmText(r.value) + " high";
}

namespace {

// A room whose values cannot stand together.
RoomError roomConflict(const Room& room, Option ratio, Option frame) {
    if (ratio == Option::ratio4x3 && frame != Option::frame80) {
        return frameError();
    }
    if (room.closest && *room.closest > room.farthest) {
        return {RoomProblem::closestFarther, RoomField::closest,
                "the closest viewer (" + mmText(*room.closest) +
                    ") sits farther than the farthest viewer (" + mmText(room.farthest) + ")"};
    }
    if (room.ceiling && *room.ceiling <= room.lowerEdgeOrAssumed()) {
        return {RoomProblem::ceilingTooLow, RoomField::ceiling,
                "the ceiling (" + mmText(*room.ceiling) +
                    ") is not above the screen's lower edge (" + mmText(room.lowerEdgeOrAssumed()) +
                    (room.lowerEdge ? ")" : ", assumed at eye height; give --edge)")};
    }
    return {};
}

} // namespace

RoomSizing sizeRoom(const Room& room, Option ratio, Option frame) {
    RoomSizing s;
    s.error = roomConflict(room, ratio, frame);
    if (!s.ok()) {
        return s;
    }
    const Aspect aspect = aspectOf(ratio);
    const double closest = room.closest.value_or(room.farthest);

    s.smallest = farthestNeeds(room, room.farthest, aspect);
    s.smallestRule = farthestRule(room.content);
    s.largest = closestAllows(room, closest, aspect);
    s.largestRule = closestRule(room.content);
    if (room.ceiling) {
        const double room_ = *room.ceiling - room.lowerEdgeOrAssumed();
        if (room_ < s.largest.height) {
            s.largest = fromHeight(room_, aspect);
            s.largestRule = Rule::ceiling;
        }
    }
    s.recommended = recommendedFor(room, room.farthest, aspect);
    s.recommendedRule = recommendedRule(room.content);
    if (s.recommended.diagonal > s.largest.diagonal) {
        s.recommended = s.largest;
        s.recommendedRule = Rule::cappedAtLargest;
    }

    const double least = std::ceil(s.smallest.diagonal - inchSlack);
    const double most =
        std::min(std::floor(s.largest.diagonal + inchSlack), double{largestFieldInches});
    if (least > largestFieldInches) {
        s.remedies.push_back(
            {RemedyKind::farthestAtMost,
             std::floor(farthestAllowed(room, fromDiagonal(largestFieldInches, aspect)))});
        s.error = {RoomProblem::beyondField, RoomField::farthest,
                   "the farthest viewer needs at least " + inchText(s.smallest.diagonal) +
                       ", more than the diagonal field's " + wholeText(largestFieldInches) +
                       remediesText(s.remedies)};
        return s;
    }
    if (least > most) {
        addRemedies(s, room, aspect, least, most);
        s.error = {RoomProblem::noWholeInch, RoomField::room,
                   "no whole-inch diagonal fits: the farthest viewer needs at least " +
                       inchText(s.smallest.diagonal) + ", " +
                       (s.largestRule == Rule::ceiling ? "the ceiling" : "the closest viewer") +
                       " allows at most " + inchText(s.largest.diagonal) +
                       remediesText(s.remedies)};
        return s;
    }
    s.smallestScreen.inches = least;
    s.largestScreen.inches = most;
    s.recommendedScreen.inches = std::clamp(std::round(s.recommended.diagonal), least, most);

    for (Screen* screen : {&s.smallestScreen, &s.recommendedScreen, &s.largestScreen}) {
        if (const std::string failed =
                enter(*screen, wholeText(screen->inches), ratio, frame, room);
            !failed.empty()) {
            s.error = {RoomProblem::calculator, RoomField::room,
                       "the calculator failed on " + wholeText(screen->inches) + " in: " + failed};
            return s;
        }
    }
    return s;
}

ScreenSeating seatScreen(const Room& room, std::string_view diagonal, Option ratio, Option frame) {
    ScreenSeating s;
    if (ratio == Option::ratio4x3 && frame != Option::frame80) {
        s.error = frameError();
        return s;
    }
    s.screen.inches = numericValue(diagonal).value_or(0);
    if (const std::string failed = enter(s.screen, diagonal, ratio, frame, room); !failed.empty()) {
        s.error = {RoomProblem::calculator, RoomField::diagonal,
                   "the calculator failed on " + std::string(diagonal) + " in: " + failed};
        return s;
    }
    const ImageSize& image = s.screen.image;
    if (room.ceiling && room.lowerEdgeOrAssumed() + image.height > *room.ceiling) {
        s.remedies.push_back(
            {RemedyKind::ceilingAtLeast, std::ceil(room.lowerEdgeOrAssumed() + image.height)});
        if (const double edge = *room.ceiling - image.height; edge >= 0) {
            s.remedies.push_back({RemedyKind::lowerEdgeAtMost, std::floor(edge)});
        }
        s.error = {RoomProblem::ceilingTooLow, RoomField::ceiling,
                   "the image (" + mmText(image.height) + " high) from a lower edge at " +
                       mmText(room.lowerEdgeOrAssumed()) + " passes the " + mmText(*room.ceiling) +
                       " ceiling" + remediesText(s.remedies)};
        return s;
    }
    for (const ContentName& c : contentNames) {
        Room r = room;
        r.content = c.content;
        Seating& seat = s.seating[static_cast<std::size_t>(c.content)];
        seat.content = c.content;
        seat.closest = closestAllowed(r, image);
        seat.farthest = farthestAllowed(r, image);
        seat.recommended = c.content == Content::cinema
                               ? image.width / (2 * tanDegrees(cinemaRecommended / 2))
                               : seat.farthest / readingMargin;
        seat.closestRule = closestRule(c.content);
        seat.farthestRule = farthestRule(c.content);
        seat.recommendedRule = recommendedRule(c.content);
        seat.ok = seat.closest <= seat.farthest;
        // A recommended farthest seat nearer than the closest allowed one
        // is the closest.
        seat.recommended = seat.ok ? std::max(seat.recommended, seat.closest) : seat.recommended;
    }
    return s;
}

} // namespace calc
