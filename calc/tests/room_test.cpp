// Room sizing: the standards' own worked examples, the whole-inch
// boundaries, the refusals, and the calculator's texts for the diagonals.

#include "calc/room.h"

#include <cmath>
#include <gtest/gtest.h>

namespace calc {
namespace {

// "smallest WxH, recommended W, largest W (mm) | whole inches s r l", the
// sizes only once computed; the error in place of the inches.
std::string summary(const RoomSizing& s) {
    const auto mm = [](double v) { return std::to_string(std::lround(v)); };
    std::string t;
    if (s.smallest.diagonal > 0) {
        t = mm(s.smallest.width) + "x" + mm(s.smallest.height) + " " + mm(s.recommended.width) +
            " " + mm(s.largest.width) + " | ";
    }
    if (!s.ok()) {
        return t + s.error;
    }
    return t + std::to_string(s.smallestScreen.inches) + " " +
           std::to_string(s.recommendedScreen.inches) + " " +
           std::to_string(s.largestScreen.inches);
}

constexpr Option r169 = Option::ratio16x9, r43 = Option::ratio4x3, f12 = Option::frame12,
                 f80 = Option::frame80;
constexpr Content talk = Content::presentation, detail = Content::detail;

struct Row {
    const char* name;
    Room room;
    Option ratio;
    Option frame;
    const char* expected;
};

const Row rows[] = {
    // DISCAS basic decision making: 10500 mm and 1500 mm give 3.5 %.
    {"discasBasicExample", {10500, {}, talk, 3.5}, r169, f12, "2667x1500 2667 10777 | 121 121 486"},
    // DISCAS analytical decision making: 1500 mm of 1080 lines, 4775 mm.
    {"discasAnalyticalExample", {4775, {}, detail}, r169, f12, "2667x1500 2667 4901 | 121 121 221"},
    {"analyticalFourK",
     {4775, {}, detail, 4, 2160},
     r169,
     f12,
     "5333x3000 4901 4901 | no whole-inch diagonal fits: the farthest viewer needs at least 240.91 "
     "in, the closest viewer allows at most 221.39 in"},
    // 30 degrees from 108 inches: 57.88 inches wide.
    {"smpteFrom108Inches", {2743.2, {}}, r169, f12, "1470x827 1783 1997 | 67 81 90"},
    {"closestCapsRecommended", {4000, 3000}, r169, f12, "2144x1206 2184 2184 | 97 98 98"},
    {"exactlyOneWholeInch", {4000, 2965}, r169, f12, "2144x1206 2158 2158 | 97 97 97"},
    {"noWholeInchBetween",
     {4000, 2947},
     r169,
     f12,
     "2144x1206 2145 2145 | no whole-inch diagonal fits: the farthest viewer needs at least 96.83 "
     "in, the closest viewer allows at most 96.90 in"},
    // 12192 mm / 8 = 1524 mm high, 4:3: exactly 100 inches, not 101.
    {"wholeInchIsEnough", {12192, {}, talk}, r43, f80, "2032x1524 2032 9385 | 100 100 461"},
    {"largestIsTheFieldsLimit",
     {4e7, {}},
     r169,
     f12,
     "21435935x12057714 25993576 29117619 | 968287 999999 999999"},
    {"beyondTheField",
     {5e7, {}},
     r169,
     f12,
     "26794919x15072142 32491970 36397023 | the farthest viewer needs at least 1210357.61 in, more "
     "than the diagonal field's 999999"},
    {"closestFarther",
     {3000, 3001},
     r169,
     f12,
     "the closest viewer (3001 mm) sits farther than the farthest viewer (3000 mm)"},
    {"noFarthest",
     {0, {}},
     r169,
     f12,
     "the farthest viewer's distance must be a positive number of mm"},
    {"noElement",
     {3000, {}, talk, 0},
     r169,
     f12,
     "the element height must be above 0 and at most 100 %"},
    {"fourThreeOnlyWith80",
     {3000, {}},
     r43,
     f12,
     "the calculator gives 4:3 sizes only with the 80 mm frame option (it shows them with a 7 mm "
     "frame)"},
};

class RoomRows : public testing::TestWithParam<Row> {};

TEST_P(RoomRows, Sizes) {
    const Row& r = GetParam();
    EXPECT_EQ(summary(sizeRoom(r.room, r.ratio, r.frame)), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Room, RoomRows, testing::ValuesIn(rows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace calc
