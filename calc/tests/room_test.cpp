// Room sizing: the standards' own worked examples, rooms of the trade, the
// whole-inch boundaries, the remedies, the seats a diagonal allows, and the
// input rules every front end shares.

#include "calc/room.h"

#include <cmath>
#include <gtest/gtest.h>

namespace calc {
namespace {

std::string mm(double v) {
    return std::to_string(std::lround(v));
}

std::string failure(const RoomError& e) {
    return std::string(nameOf(e.problem)) + " " + std::string(keyOf(e.field)) + ": " + e.reason;
}

// "smallest WxH, recommended W, largest W (mm) | whole inches s r l | the
// three rules", the sizes only once computed; the failure after them.
std::string summary(const RoomSizing& s) {
    std::string t;
    if (s.smallest.diagonal > 0) {
        t = mm(s.smallest.width) + "x" + mm(s.smallest.height) + " " + mm(s.recommended.width) +
            " " + mm(s.largest.width) + " | ";
    }
    if (!s.ok()) {
        return t + failure(s.error);
    }
    return t + mm(s.smallestScreen.inches) + " " + mm(s.recommendedScreen.inches) + " " +
           mm(s.largestScreen.inches) + " | " + std::string(nameOf(s.smallestRule)) + " " +
           std::string(nameOf(s.recommendedRule)) + " " + std::string(nameOf(s.largestRule));
}

constexpr Option r169 = Option::ratio16x9, r43 = Option::ratio4x3, f12 = Option::frame12,
                 f80 = Option::frame80;
constexpr Content film = Content::cinema, talk = Content::presentation, detail = Content::detail;

Room room(double farthest, std::optional<double> closest = {}, Content c = film) {
    Room r;
    r.farthest = farthest;
    r.closest = closest;
    r.content = c;
    return r;
}
Room withElement(Room r, double e, ElementUnit u = ElementUnit::percent) {
    r.element = e;
    r.elementUnit = u;
    return r;
}
Room withLines(Room r, int lines) {
    r.lines = lines;
    return r;
}
Room mounted(Room r, std::optional<double> edge, std::optional<double> ceiling = {},
             std::optional<double> eye = {}) {
    r.lowerEdge = edge;
    r.ceiling = ceiling;
    r.eyeHeight = eye.value_or(r.eyeHeight);
    return r;
}

struct Row {
    const char* name;
    Room room;
    Option ratio;
    Option frame;
    const char* expected;
};

const Row rows[] = {
    // DISCAS basic decision making: 10500 mm and 1500 mm high give 3.5 %.
    {"discasBasicExample", withElement(room(10500, {}, talk), 3.5), r169, f12,
     "2667x1500 3333 10777 | 121 151 486 | bdmElement readingMargin bdmLookUp30"},
    // DISCAS analytical decision making: 1500 mm of 1080 lines, 4775 mm.
    {"discasAnalyticalExample", room(4775, {}, detail), r169, f12,
     "2667x1500 3333 16541 | 121 151 747 | admPixel readingMargin admHorizontal60"},
    // Refused while the closest detail viewer was held to 30° up: 2598 mm
    // allowed 1499.96 mm of the 1500 the farthest needs.
    {"discasAnalyticalCloseFrontRow", room(4775, 2598, detail), r169, f12,
     "2667x1500 3333 9000 | 121 151 406 | admPixel readingMargin admHorizontal60"},
    // DISCAS closest viewer: 1500 mm high, lower edge 1400, eyes 1200: the
    // closest viewer 1.732 x 1700 = 2944 mm away. 121 in is 1506 mm high.
    {"discasClosestViewerExample", mounted(withElement(room(10500, 2944, talk), 3.5), 1400), r169,
     f12,
     "2667x1500 2666 2666 | noWholeInch room: no whole-inch diagonal fits: the farthest viewer "
     "needs at least 120.46 in, the closest viewer allows at most 120.43 in; it fits with the "
     "closest seat at least 2957 mm away, the farthest seat at most 10460 mm away, or elements "
     "of at least 3.52 % of the image height"},
    // 30 degrees from 108 inches: 57.88 inches wide.
    {"smpteFrom108Inches", room(2743.2), r169, f12,
     "1470x827 1783 3168 | 67 81 143 | smpte30 thx36 frontRow60"},
    // Two-row cinemas with risers, refused while the front row was held to 40°.
    {"cinemaTwoRows", room(4000, 2500), r169, f12,
     "2144x1206 2599 2887 | 97 117 130 | smpte30 thx36 frontRow60"},
    {"cinemaRisers", room(5075, 3394), r169, f12,
     "2720x1530 3298 3919 | 123 149 177 | smpte30 thx36 frontRow60"},
    {"cinemaFrontRowCapsRecommended", room(4000, 2200), r169, f12,
     "2144x1206 2540 2540 | 97 114 114 | smpte30 cappedAtLargest frontRow60"},
    {"cinemaTooClose", room(3000, 1000), r169, f12,
     "1608x904 1155 1155 | noWholeInch room: no whole-inch diagonal fits: the farthest viewer "
     "needs at least 72.62 in, the closest viewer allows at most 52.16 in; it fits with the "
     "closest seat at least 1400 mm away, or the farthest seat at most 2148 mm away"},
    // A meeting room at the default element height, 2.5 %: 6000 / 5 = 1200 mm.
    {"meetingRoomDefaultElement", room(6000, 2500, talk), r169, f12,
     "2133x1200 2566 2566 | 97 115 115 | bdmElement cappedAtLargest bdmLookUp30"},
    // 20 pt at 96 px per inch is 26.67 of 1080 lines: 2.47 %.
    {"elementInPoints", withElement(room(6000, {}, talk), 20, ElementUnit::points), r169, f12,
     "2160x1215 2700 6158 | 98 122 278 | bdmElement readingMargin bdmLookUp30"},
    // 7.2 mm at 96 px per inch is 27.2 of 1080 lines: 2.52 %.
    {"elementInMillimetres", withElement(room(6000, {}, talk), 7.2, ElementUnit::mm), r169, f12,
     "2117x1191 2646 6158 | 96 120 278 | bdmElement readingMargin bdmLookUp30"},
    {"elementOnAFourKSource",
     withLines(withElement(room(6000, {}, talk), 20, ElementUnit::points), 2160), r169, f12,
     "4320x2430 5400 6158 | 196 244 278 | bdmElement readingMargin bdmLookUp30"},
    // The lower edge 300 mm above the default eyes: 3000 tan 30° - 300.
    {"lowerEdgeAboveDefaultEyes", mounted(room(6000, 3000, talk), 1500), r169, f12,
     "2133x1200 2546 2546 | 97 114 114 | bdmElement cappedAtLargest bdmLookUp30"},
    {"lowerEdgeBelowEyes", mounted(room(6000, 3000, talk), 900), r169, f12,
     "2133x1200 2667 3613 | 97 120 163 | bdmElement readingMargin bdmLookUp30"},
    {"eyesGiven", mounted(room(6000, 3000, talk), 1500, {}, 1500), r169, f12,
     "2133x1200 2667 3079 | 97 120 139 | bdmElement readingMargin bdmLookUp30"},
    {"ceilingCapsLargest", mounted(room(5000, 3000), 700, 2400), r169, f12,
     "2679x1507 3022 3022 | 122 136 136 | smpte30 cappedAtLargest ceiling"},
    {"ceilingTooLowForTheFarthest", mounted(room(6000, 3000), {}, 2500), r169, f12,
     "3215x1809 2311 2311 | noWholeInch room: no whole-inch diagonal fits: the farthest viewer "
     "needs at least 145.24 in, the ceiling allows at most 104.40 in; it fits with a ceiling at "
     "least 3019 mm high, the screen's lower edge at most 681 mm high, or the farthest seat at "
     "most 4296 mm away"},
    {"ceilingNotAboveTheEdge", mounted(room(6000), 2400, 2400), r169, f12,
     "ceilingTooLow ceiling: the ceiling (2400 mm) is not above the screen's lower edge "
     "(2400 mm)"},
    {"detailNeedsFewerLines", withLines(room(4775, 1000, detail), 2160), r169, f12,
     "5333x3000 3464 3464 | noWholeInch room: no whole-inch diagonal fits: the farthest viewer "
     "needs at least 240.91 in, the closest viewer allows at most 156.48 in; it fits with the "
     "closest seat at least 1541 mm away, the farthest seat at most 3091 mm away, or a source "
     "of at most 1398 lines"},
    // 12192 mm / 8 = 1524 mm high, 4:3: exactly 100 inches, not 101.
    {"wholeInchIsEnough", withElement(room(12192, {}, talk), 4), r43, f80,
     "2032x1524 2540 9385 | 100 125 461 | bdmElement readingMargin bdmLookUp30"},
    {"largestIsTheFieldsLimit", room(4e7), r169, f12,
     "21435935x12057714 25993576 46188022 | 968287 999999 999999 | smpte30 thx36 frontRow60"},
    {"beyondTheField", room(5e7), r169, f12,
     "26794919x15072142 32491970 57735027 | beyondField farthest: the farthest viewer needs at "
     "least 1210357.61 in, more than the diagonal field's 999999; it fits with the farthest "
     "seat at most 41310063 mm away"},
    {"closestFarther", room(3000, 3001), r169, f12,
     "closestFarther closest: the closest viewer (3001 mm) sits farther than the farthest viewer "
     "(3000 mm)"},
    {"ceilingUnderTheAssumedEdge", mounted(room(6000), {}, 1000), r169, f12,
     "ceilingTooLow ceiling: the ceiling (1000 mm) is not above the screen's lower edge "
     "(1200 mm, assumed at eye height; give --edge)"},
    {"fourThreeOnlyWith80", room(3000), r43, f12,
     "fourThreeFrame frame: the calculator gives 4:3 sizes only with the 80 mm frame option (it "
     "shows them with a 7 mm frame)"},
};

class RoomRows : public testing::TestWithParam<Row> {};

TEST_P(RoomRows, Sizes) {
    const Row& r = GetParam();
    EXPECT_EQ(summary(sizeRoom(r.room, r.ratio, r.frame)), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Room, RoomRows, testing::ValuesIn(rows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the calculator's texts and the projector ----

TEST(RoomScreens, CalculatorTextsOfTheWholeInches) {
    const RoomSizing s = sizeRoom(room(4000, 2500), r169, f12);
    EXPECT_EQ(s.recommendedScreen.texts[2], "117  ");
    EXPECT_EQ(s.recommendedScreen.texts[0], "2590 ");
}

struct ThrowRow {
    const char* name;
    double least;
    double most;
    const char* expected; // the recommended screen's lens distances, mm
};

// Throw ratio = lens-to-screen distance / image width: 117 in of 16:9 are
// 2590.6 mm wide.
const ThrowRow throwRows[] = {
    {"fixedLens", 1.5, 1.5, "3885 3885"},
    {"zoomLens", 1.36, 2.03, "3523 5258"},
    {"shortThrow", 0.25, 0.25, "648 648"},
};

class RoomThrow : public testing::TestWithParam<ThrowRow> {};

TEST_P(RoomThrow, Distances) {
    const ThrowRow& t = GetParam();
    Room r = room(4000, 2500);
    r.throwRatio = ThrowRatio{t.least, t.most};
    const RoomSizing s = sizeRoom(r, r169, f12);
    EXPECT_EQ(mm(s.recommendedScreen.throwLeast) + " " + mm(s.recommendedScreen.throwMost),
              t.expected);
}

INSTANTIATE_TEST_SUITE_P(Room, RoomThrow, testing::ValuesIn(throwRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- which seats suit a diagonal ----

std::string seats(const ScreenSeating& s) {
    if (!s.ok()) {
        return failure(s.error);
    }
    std::string t = mm(s.screen.image.width) + "x" + mm(s.screen.image.height);
    for (const Seating& seat : s.seating) {
        t += " | " + std::string(contentNames[static_cast<std::size_t>(seat.content)].name) + " " +
             mm(seat.closest) + "-" + mm(seat.farthest) + " (" + mm(seat.recommended) + ")" +
             (seat.ok ? "" : " none");
    }
    return t;
}

struct SeatRow {
    const char* name;
    Room room;
    const char* diagonal;
    Option ratio;
    Option frame;
    const char* expected;
};

const SeatRow seatRows[] = {
    {"hundredInches", Room{}, "100", r169, f12,
     "2214x1245 | cinema 1917-4131 (3407) | presentation 2157-6226 (4981) | detail 639-3964 "
     "(3171)"},
    // The DISCAS examples backwards: 1500 mm high is 120.46 in.
    {"discasExamplesBackwards", withElement(Room{}, 3.5), "120.46", r169, f12,
     "2667x1500 | cinema 2309-4976 (4104) | presentation 2598-10500 (8400) | detail 770-4775 "
     "(3820)"},
    {"fourThree", Room{}, "100", r43, f80,
     "2032x1524 | cinema 1760-3792 (3127) | presentation 2640-7620 (6096) | detail 587-4851 "
     "(3881)"},
    {"highEdgeLeavesNoPresentationSeat", mounted(withElement(Room{}, 1), 3000), "100", r169, f12,
     "2214x1245 | cinema 1917-4131 (3407) | presentation 5275-2491 (1992) none | detail "
     "639-3964 (3171)"},
    {"ceilingCutsTheImage", mounted(Room{}, 1200, 2400), "100", r169, f12,
     "ceilingTooLow ceiling: the image (1245 mm high) from a lower edge at 1200 mm passes the "
     "2400 mm ceiling; it fits with a ceiling at least 2446 mm high, or the screen's lower edge "
     "at most 1154 mm high"},
    {"fourThreeOnlyWith80", Room{}, "100", r43, f12,
     "fourThreeFrame frame: the calculator gives 4:3 sizes only with the 80 mm frame option (it "
     "shows them with a 7 mm frame)"},
};

class RoomSeats : public testing::TestWithParam<SeatRow> {};

TEST_P(RoomSeats, Seats) {
    const SeatRow& r = GetParam();
    EXPECT_EQ(seats(seatScreen(r.room, r.diagonal, r.ratio, r.frame)), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Room, RoomSeats, testing::ValuesIn(seatRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the input rules ----

struct ReadRow {
    const char* name;
    std::vector<std::pair<RoomField, const char*>> texts;
    const char* expected; // the room read, or the failure
};

std::string read(const RoomRequest& q) {
    if (!q.error.ok()) {
        return failure(q.error);
    }
    const Room& r = q.room;
    std::string t = q.diagonal ? "diagonal " + *q.diagonal : "farthest " + mm(r.farthest);
    t += r.closest ? " closest " + mm(*r.closest) : "";
    t += " " + std::string(contentNames[static_cast<std::size_t>(r.content)].name) + " " +
         std::to_string(std::lround(elementPercent(r) * 1000)) + "e-3% " + std::to_string(r.lines) +
         " eye " + mm(r.eyeHeight);
    t += r.lowerEdge ? " edge " + mm(*r.lowerEdge) : "";
    t += r.ceiling ? " ceiling " + mm(*r.ceiling) : "";
    if (r.throwRatio) {
        t += " throw " + std::to_string(std::lround(r.throwRatio->least * 100)) + "-" +
             std::to_string(std::lround(r.throwRatio->most * 100));
    }
    return t;
}

using F = RoomField;
const ReadRow readRows[] = {
    {"defaults", {{F::farthest, "4000"}}, "farthest 4000 cinema 2500e-3% 1080 eye 1200"},
    {"metres", {{F::farthest, "4.2m"}}, "farthest 4200 cinema 2500e-3% 1080 eye 1200"},
    {"centimetres", {{F::farthest, "420 cm"}}, "farthest 4200 cinema 2500e-3% 1080 eye 1200"},
    {"feetAndInches", {{F::farthest, "13ft 6in"}}, "farthest 4115 cinema 2500e-3% 1080 eye 1200"},
    {"upperCaseUnit", {{F::farthest, "4.2M"}}, "farthest 4200 cinema 2500e-3% 1080 eye 1200"},
    {"millimetresSaid", {{F::farthest, "40mm"}}, "farthest 40 cinema 2500e-3% 1080 eye 1200"},
    {"metresWithoutUnit",
     {{F::farthest, "4"}},
     "metresWithoutUnit farthest: \"4\" mm? give 4000 or 4m"},
    {"closestInMetresToo",
     {{F::farthest, "4000"}, {F::closest, "2.5"}},
     "metresWithoutUnit closest: \"2.5\" mm? give 2500 or 2.5m"},
    {"zero", {{F::farthest, "0"}}, "notPositive farthest: \"0\" is not above 0"},
    {"negative", {{F::farthest, "-3000"}}, "notPositive farthest: \"-3000\" is not above 0"},
    {"letters",
     {{F::farthest, "abc"}},
     "notANumber farthest: \"abc\" is not a distance (mm, or give m, cm, ft or in)"},
    {"exponent",
     {{F::farthest, "1e4"}},
     "unknownUnit farthest: \"1e4\" has a unit other than mm, cm, m, ft or in"},
    {"unknownUnit",
     {{F::farthest, "4yd"}},
     "unknownUnit farthest: \"4yd\" has a unit other than mm, cm, m, ft or in"},
    {"partWithoutUnit",
     {{F::farthest, "13ft 6"}},
     "notANumber farthest: \"13ft 6\" is not a distance (mm, or give m, cm, ft or in)"},
    {"noFarthest",
     {{F::closest, "3000"}},
     "missing farthest: the farthest viewer's distance is needed"},
    {"emptyFarthest",
     {{F::farthest, " "}},
     "missing farthest: the farthest viewer's distance is needed"},
    {"content",
     {{F::farthest, "4000"}, {F::content, "Detail"}},
     "farthest 4000 detail 2500e-3% 1080 eye 1200"},
    {"unknownContent",
     {{F::farthest, "4000"}, {F::content, "film"}},
     "unknownContent content: unknown content \"film\" (use cinema, presentation or detail)"},
    {"elementPercent",
     {{F::farthest, "4000"}, {F::content, "presentation"}, {F::element, "3%"}},
     "farthest 4000 presentation 3000e-3% 1080 eye 1200"},
    {"elementPoints",
     {{F::farthest, "4000"}, {F::content, "presentation"}, {F::element, "20pt"}, {F::lines, "720"}},
     "farthest 4000 presentation 3704e-3% 720 eye 1200"},
    {"elementZero",
     {{F::farthest, "4000"}, {F::content, "presentation"}, {F::element, "0"}},
     "notPositive element: \"0\" is not above 0"},
    {"elementNegative",
     {{F::farthest, "4000"}, {F::content, "presentation"}, {F::element, "-2"}},
     "notPositive element: \"-2\" is not above 0"},
    {"elementAboveAll",
     {{F::farthest, "4000"}, {F::content, "presentation"}, {F::element, "150"}},
     "outOfRange element: \"150\" is 150 % of the image height; at most 100 % fits"},
    {"elementUnit",
     {{F::farthest, "4000"}, {F::content, "presentation"}, {F::element, "2px"}},
     "unknownUnit element: \"2px\" has a unit other than %, mm or pt"},
    {"elementForCinema",
     {{F::farthest, "4000"}, {F::element, "3"}},
     "notForContent element: counts only for presentation content"},
    {"linesForPercent",
     {{F::farthest, "4000"}, {F::content, "presentation"}, {F::lines, "720"}},
     "notForContent lines: counts only for detail content or an element in mm or pt"},
    {"linesZero",
     {{F::farthest, "4000"}, {F::content, "detail"}, {F::lines, "0"}},
     "notPositive lines: \"0\" is not a whole number of lines from 1 to 100000"},
    {"linesFraction",
     {{F::farthest, "4000"}, {F::content, "detail"}, {F::lines, "1.5"}},
     "outOfRange lines: \"1.5\" is not a whole number of lines from 1 to 100000"},
    {"mounting",
     {{F::farthest, "4000"}, {F::eyeHeight, "1.1m"}, {F::lowerEdge, "0"}, {F::ceiling, "2700"}},
     "farthest 4000 cinema 2500e-3% 1080 eye 1100 edge 0 ceiling 2700"},
    {"eyeInMetres",
     {{F::farthest, "4000"}, {F::eyeHeight, "1.2"}},
     "metresWithoutUnit eye: \"1.2\" mm? give 1200 or 1.2m"},
    {"edgeBelowFloor",
     {{F::farthest, "4000"}, {F::lowerEdge, "-5"}},
     "notPositive edge: \"-5\" is below the floor"},
    {"throwRange",
     {{F::farthest, "4000"}, {F::throwRatio, "1.36-2.03"}},
     "farthest 4000 cinema 2500e-3% 1080 eye 1200 throw 136-203"},
    {"throwWithOne",
     {{F::farthest, "4000"}, {F::throwRatio, "1.5:1"}},
     "farthest 4000 cinema 2500e-3% 1080 eye 1200 throw 150-150"},
    {"throwZero",
     {{F::farthest, "4000"}, {F::throwRatio, "0"}},
     "notPositive throw: \"0\" is not a throw ratio (distance / width, above 0 and at most 20) or "
     "a range such as 1.36-2.03"},
    {"diagonal",
     {{F::diagonal, "100"}, {F::element, "3"}, {F::lines, "2160"}},
     "diagonal 100 cinema 3000e-3% 2160 eye 1200"},
    {"diagonalWithSeats",
     {{F::diagonal, "100"}, {F::farthest, "4000"}},
     "notWithDiagonal farthest: the seats follow from --diagonal; give one or the other"},
    {"diagonalWithContent",
     {{F::diagonal, "100"}, {F::content, "cinema"}},
     "notWithDiagonal content: the seats of every content follow from --diagonal; leave it out"},
    {"diagonalTooLong",
     {{F::diagonal, "1234567"}},
     "outOfRange diagonal: \"1234567\" has more than the diagonal field's 6 characters"},
    {"diagonalZero", {{F::diagonal, "0"}}, "notPositive diagonal: \"0\" is not above 0"},
};

class RoomRead : public testing::TestWithParam<ReadRow> {};

TEST_P(RoomRead, Texts) {
    const ReadRow& r = GetParam();
    RoomTexts texts;
    for (const auto& [field, text] : r.texts) {
        texts[static_cast<std::size_t>(field)] = text;
    }
    EXPECT_EQ(read(readRoom(texts)), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Room, RoomRead, testing::ValuesIn(readRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace calc
