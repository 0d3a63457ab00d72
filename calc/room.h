#pragma once
// Which screen a room needs, and the reverse: which seats suit a screen.
// From how far the viewers sit, what they watch and how the screen hangs,
// the image sizes the published viewing rules call for, rounded to
// whole-inch diagonals, each with the six texts the calculator shows for it;
// for a chosen diagonal, the closest and farthest seat each content allows.
// The rooms' input rules live here too (readRoom), so that screencalc and
// the page refuse the same texts for the same reasons. docs/room-sizing.md
// names every rule, its source and its worked example.

#include "calc/calcview.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

enum class Content {
    cinema,       // films: a horizontal viewing angle
    presentation, // text and pictures read by everyone: the smallest element's height
    detail,       // every pixel must be seen: one pixel per arc-minute
};

struct ContentName {
    Content content;
    std::string_view name;
};
inline constexpr std::array<ContentName, 3> contentNames{{
    {Content::cinema, "cinema"},
    {Content::presentation, "presentation"},
    {Content::detail, "detail"},
}};

// How the smallest element of a presentation is given: as a share of the
// image height, or as its height on the source at 96 px per inch (the
// desktop's 100 % scale) on a source of `lines` pixels.
enum class ElementUnit { percent, mm, points };

// DISCAS guides size ordinary 1080p presentations for 2-2.5 % elements;
// 2.5 % is 27 of 1080 lines, 20-point text at 96 px per inch.
inline constexpr double defaultElementPercent = 2.5;
inline constexpr int defaultLines = 1080;
inline constexpr double defaultEyeHeight = 1200; // mm, seated, above the floor

// A projector's throw ratio (lens-to-screen distance / image width): one
// value, or a zoom lens's range.
struct ThrowRatio {
    double least = 0;
    double most = 0;
};

struct Room {
    double farthest = 0; // mm from the farthest viewer's eyes to the screen
    // mm from the closest viewer's eyes; none: one row, the farthest viewer
    // is also the closest.
    std::optional<double> closest;
    Content content = Content::cinema;
    double element = defaultElementPercent; // presentation: the smallest element
    ElementUnit elementUnit = ElementUnit::percent;
    int lines = defaultLines; // the source's vertical pixels
    double eyeHeight = defaultEyeHeight;
    std::optional<double> lowerEdge; // mm above the floor; none: at eye height
    std::optional<double> ceiling;   // mm above the floor; none: not checked
    std::optional<ThrowRatio> throwRatio;

    double lowerEdgeOrAssumed() const { return lowerEdge.value_or(eyeHeight); }
};

// The element as a percentage of the image height.
double elementPercent(const Room& room);

// The values a room is given by, with the key screencalc (--farthest,
// farthest=) and the page's module know them by.
enum class RoomField {
    farthest,
    closest,
    content,
    element,
    lines,
    eyeHeight,
    lowerEdge,
    ceiling,
    throwRatio,
    diagonal,
    frame, // the ratio and frame together
    room,  // the room as a whole
};
struct RoomFieldKey {
    RoomField field;
    std::string_view key;
};
inline constexpr std::array<RoomFieldKey, 12> roomFieldKeys{{
    {RoomField::farthest, "farthest"},
    {RoomField::closest, "closest"},
    {RoomField::content, "content"},
    {RoomField::element, "element"},
    {RoomField::lines, "lines"},
    {RoomField::eyeHeight, "eye"},
    {RoomField::lowerEdge, "edge"},
    {RoomField::ceiling, "ceiling"},
    {RoomField::throwRatio, "throw"},
    {RoomField::diagonal, "diagonal"},
    {RoomField::frame, "frame"},
    {RoomField::room, "room"},
}};
constexpr std::string_view keyOf(RoomField f) {
    return roomFieldKeys[static_cast<std::size_t>(f)].key;
}
// The fields a room's texts may hold: all but frame and room.
inline constexpr std::size_t roomTextCount = 10;

// Why a room has no answer, for a front end to word in its own language.
// Up to notForContent the texts themselves are wrong (a usage error); from
// closestFarther on each value is fine but the room has no answer.
enum class RoomProblem {
    none,
    missing,           // a value the question needs is not given
    notANumber,        // not a number the field takes
    unknownUnit,       // a number with a unit that is not mm, cm, m, ft or in (or %, pt)
    notPositive,       // zero or below
    metresWithoutUnit, // a distance under 100 without a unit: metres meant?
    outOfRange,        // outside the field's range
    unknownContent,    // not cinema, presentation or detail
    notForContent,     // a value the chosen content does not use
    notWithDiagonal,   // a seat distance in the question that starts from a diagonal
    fourThreeFrame,    // 4:3 with a frame other than 80 mm: the calculator shows 16:9
    closestFarther,    // the closest viewer sits farther than the farthest
    ceilingTooLow,     // the ceiling is not above the screen's lower edge, or cuts the image
    noWholeInch,       // no whole inch between the smallest and the largest
    beyondField,       // the smallest whole inch has more digits than the diagonal field
    calculator,        // the calculator failed on a diagonal
};
struct RoomProblemName {
    RoomProblem problem;
    std::string_view name;
};
inline constexpr std::array<RoomProblemName, 16> roomProblemNames{{
    {RoomProblem::none, ""},
    {RoomProblem::missing, "missing"},
    {RoomProblem::notANumber, "notANumber"},
    {RoomProblem::unknownUnit, "unknownUnit"},
    {RoomProblem::notPositive, "notPositive"},
    {RoomProblem::metresWithoutUnit, "metresWithoutUnit"},
    {RoomProblem::outOfRange, "outOfRange"},
    {RoomProblem::unknownContent, "unknownContent"},
    {RoomProblem::notForContent, "notForContent"},
    {RoomProblem::notWithDiagonal, "notWithDiagonal"},
    {RoomProblem::fourThreeFrame, "fourThreeFrame"},
    {RoomProblem::closestFarther, "closestFarther"},
    {RoomProblem::ceilingTooLow, "ceilingTooLow"},
    {RoomProblem::noWholeInch, "noWholeInch"},
    {RoomProblem::beyondField, "beyondField"},
    {RoomProblem::calculator, "calculator"},
}};
constexpr std::string_view nameOf(RoomProblem p) {
    return roomProblemNames[static_cast<std::size_t>(p)].name;
}
// A usage error (screencalc exits 2) rather than a room without an answer (1).
constexpr bool isUsageProblem(RoomProblem p) {
    return p != RoomProblem::none && p <= RoomProblem::fourThreeFrame;
}

// What went wrong, where, and why in English ("\"0\" is not a positive
// distance"); the front ends put the field's name before the reason.
struct RoomError {
    RoomProblem problem = RoomProblem::none;
    RoomField field = RoomField::room;
    std::string reason;
    bool ok() const { return problem == RoomProblem::none; }
};

// The texts as typed, by field (roomFieldKeys order, up to diagonal); an
// absent or empty text is not given.
using RoomTexts = std::array<std::optional<std::string>, roomTextCount>;

// A room read from its texts: with a diagonal, the question is which seats
// suit that screen; without, which screen suits the seats.
struct RoomRequest {
    Room room;
    std::optional<std::string> diagonal; // the diagonal's text, as the field takes it
    RoomError error;
};
RoomRequest readRoom(const RoomTexts& texts);

// Whether a room takes the field: the element only for presentation, the
// lines for detail or an element in mm or pt, the seats and the content
// only without a diagonal. The diagonal's question uses the element and the lines of every
// content.
bool roomFieldUsed(RoomField field, const Room& room, bool fromDiagonal);

// A distance as people write it: mm by default, or with m, cm, mm, ft, in
// ("4.2m", "13ft 6in"). Fails with the problem for `field`.
struct Distance {
    double mm = 0;
    RoomProblem problem = RoomProblem::none;
};
Distance readDistance(std::string_view text, bool zeroAllowed = false);

// The rules behind every limit, each named by its source.
enum class Rule {
    smpte30,         // cinema, smallest: 30° wide from the farthest seat (SMPTE EG 18)
    thx36,           // cinema, recommended: 36° wide from the farthest seat (THX)
    frontRow60,      // cinema, largest: at most 60° wide from the closest seat
    bdmElement,      // presentation, smallest: DISCAS basic decision making, factor 200
    admPixel,        // detail, smallest: DISCAS analytical decision making, factor 3438
    readingMargin,   // presentation and detail, recommended: 1.25 x the smallest
    bdmLookUp30,     // presentation, largest: at most 30° up to the image top (DISCAS BDM)
    admHorizontal60, // detail, largest: far edge at most 60° off axis (DISCAS ADM)
    ceiling,         // the image top at the ceiling
    cappedAtLargest, // the recommendation would be larger than the largest
};
struct RuleName {
    Rule rule;
    std::string_view name;
};
inline constexpr std::array<RuleName, 10> ruleNames{{
    {Rule::smpte30, "smpte30"},
    {Rule::thx36, "thx36"},
    {Rule::frontRow60, "frontRow60"},
    {Rule::bdmElement, "bdmElement"},
    {Rule::admPixel, "admPixel"},
    {Rule::readingMargin, "readingMargin"},
    {Rule::bdmLookUp30, "bdmLookUp30"},
    {Rule::admHorizontal60, "admHorizontal60"},
    {Rule::ceiling, "ceiling"},
    {Rule::cappedAtLargest, "cappedAtLargest"},
}};
constexpr std::string_view nameOf(Rule r) {
    return ruleNames[static_cast<std::size_t>(r)].name;
}
// The rule in English with the room's figures: "30° wide from the farthest
// seat (SMPTE EG 18)".
std::string ruleText(Rule rule, const Room& room);

// The mounting the answer assumes, in English: "seated eye height 1200 mm
// (default); screen's lower edge at eye height (assumed); no ceiling given".
std::string assumptionText(const Room& room);

// An image of the chosen ratio.
struct ImageSize {
    double width = 0;    // mm
    double height = 0;   // mm
    double diagonal = 0; // inches
};

// A diagonal entered into the calculator with the chosen ratio and frame:
// its exact image, the six result texts the calculator shows (in
// resultLabels order, with the blanks of their display patterns), and the
// lens-to-screen distances of the room's projector, when one is given.
struct Screen {
    double inches = 0;
    ImageSize image;
    std::array<std::string, 6> texts;
    double throwLeast = 0; // mm
    double throwMost = 0;  // mm
};

// What would make a room without a whole-inch answer work.
enum class RemedyKind {
    closestAtLeast,  // the closest seat at least this far (mm)
    farthestAtMost,  // the farthest seat at most this far (mm)
    elementAtLeast,  // elements of at least this % of the image height
    linesAtMost,     // a source of at most this many lines
    ceilingAtLeast,  // a ceiling at least this high (mm)
    lowerEdgeAtMost, // the screen's lower edge at most this high (mm)
};
struct Remedy {
    RemedyKind kind;
    double value;
};
inline constexpr std::array<std::string_view, 6> remedyNames{"closestAtLeast", "farthestAtMost",
                                                             "elementAtLeast", "linesAtMost",
                                                             "ceilingAtLeast", "lowerEdgeAtMost"};
static_assert(remedyNames.size() == static_cast<std::size_t>(RemedyKind::lowerEdgeAtMost) + 1);
std::string remedyText(const Remedy& remedy); // "the closest seat at least 2923 mm away"

struct RoomSizing {
    RoomError error;

    ImageSize smallest;    // what the farthest viewer needs
    ImageSize recommended; // the reasoned choice, never above largest
    ImageSize largest;     // what the closest viewer and the ceiling allow
    Rule smallestRule = Rule::smpte30;
    Rule recommendedRule = Rule::thx36;
    Rule largestRule = Rule::frontRow60;

    // The smallest whole inch that meets every rule, the whole inch nearest
    // the recommendation, and the largest whole inch allowed.
    Screen smallestScreen;
    Screen recommendedScreen;
    Screen largestScreen;

    std::vector<Remedy> remedies; // when no whole inch fits

    bool ok() const { return error.ok(); }
};

// `ratio` is Option::ratio16x9 or Option::ratio4x3, `frame` one of the frame
// options. The calculator shows 4:3 sizes only under the 80 mm option, so
// 4:3 with another frame is refused rather than shown as 16:9.
RoomSizing sizeRoom(const Room& room, Option ratio, Option frame);

// The seats one content allows in front of a screen.
struct Seating {
    Content content = Content::cinema;
    bool ok = false;     // the closest allowed seat is not beyond the farthest
    double closest = 0;  // mm, at least
    double farthest = 0; // mm, at most
    // mm, the farthest seat of the recommended rule, not nearer than the closest
    double recommended = 0;
    Rule closestRule = Rule::frontRow60;
    Rule farthestRule = Rule::smpte30;
    Rule recommendedRule = Rule::thx36;
};

struct ScreenSeating {
    RoomError error;
    Screen screen;
    std::array<Seating, 3> seating; // cinema, presentation, detail
    std::vector<Remedy> remedies;   // when the ceiling cuts the image
    bool ok() const { return error.ok(); }
};

// Which seats suit a diagonal (as typed into the calculator's field): the
// room's element, lines, mounting, ceiling and projector apply; its seats
// and content do not.
ScreenSeating seatScreen(const Room& room, std::string_view diagonal, Option ratio, Option frame);

} // namespace calc
