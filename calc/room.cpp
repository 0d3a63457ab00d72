#include "calc/room.h"

#include "calc/headless_view.h"
#include "calc/numbers.h"
#include "calc/recalc.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace calc {

namespace {

constexpr double mmPerInch = 25.4;

// Horizontal viewing angles of a cinema screen, in degrees: at least 30
// from the farthest seat (SMPTE), 36 from the farthest seat recommended and
// at most 40 from the closest (THX).
constexpr double cinemaFarthestLeast = 30;
constexpr double cinemaRecommended = 36;
constexpr double cinemaClosestMost = 40;

// DISCAS acuity factors. Basic decision making: farthest viewer = image
// height x 200 x element height (as a fraction). Analytical decision making:
// farthest viewer = image height x 3438 / vertical pixels, 3438 standing
// for 1 / tan(1 arc-minute) = 3437.75 rounded as the standard prints it.
constexpr double acuityBasic = 200;
constexpr double acuityAnalytical = 3438;

// DISCAS: the closest viewer looks up at most 30 degrees to the image top.
constexpr double closestUpwardMost = 30;

// The diagonal field takes 6 characters.
constexpr int largestFieldInches = 999999;

// Rounding a diagonal to whole inches forgives this much, so that a size
// that is a whole inch up to the last bits of a double counts as one.
constexpr double inchSlack = 1e-9;

// Width of an image seen under `degrees` from `distance`.
double widthAtAngle(double distance, double degrees) {
    return 2 * distance * std::tan(degrees / 2 * std::numbers::pi / 180);
}

struct Aspect {
    double width;
    double height;
};

ImageSize fromWidth(double width, Aspect a) {
    const double height = width * a.height / a.width;
    return {width, height, std::hypot(width, height) / mmPerInch};
}

ImageSize fromHeight(double height, Aspect a) {
    const double width = height * a.width / a.height;
    return {width, height, std::hypot(width, height) / mmPerInch};
}

std::string inchText(double inches) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, inches, std::chars_format::fixed, 2).ptr;
    return std::string(buf, end) + " in";
}

std::string wholeText(int n) {
    char buf[16];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, n).ptr);
}

std::string mmText(double mm) {
    return plainNumberText(mm) + " mm";
}

bool positive(double v) {
    return std::isfinite(v) && v > 0;
}

bool refused(RoomSizing& s, RoomProblem problem, std::string error) {
    s.problem = problem;
    s.error = std::move(error);
    return true;
}

bool refusedRoom(RoomSizing& s, const Room& room) {
    if (!positive(room.farthest)) {
        return refused(s, RoomProblem::farthest,
                       "the farthest viewer's distance must be a positive number of mm");
    }
    if (room.closest && !positive(*room.closest)) {
        return refused(s, RoomProblem::closest,
                       "the closest viewer's distance must be a positive number of mm");
    }
    if (room.closest && *room.closest > room.farthest) {
        return refused(s, RoomProblem::closestFarther,
                       "the closest viewer (" + mmText(*room.closest) +
                           ") sits farther than the farthest viewer (" + mmText(room.farthest) +
                           ")");
    }
    if (room.content == Content::presentation &&
        !(room.elementPercent > 0 && room.elementPercent <= 100)) {
        return refused(s, RoomProblem::element,
                       "the element height must be above 0 and at most 100 %");
    }
    if (room.content == Content::detail && room.lines < 1) {
        return refused(s, RoomProblem::lines, "the source needs at least one line");
    }
    return false;
}

// Types the diagonal into a freshly started calculator with the ratio and
// frame selected, as a person would, and reads the six labels.
std::string enter(Screen& screen, Option ratio, Option frame) {
    HeadlessView view;
    view.select(ratio);
    view.select(frame);
    view.clearRuns();
    view.setEntryText(Entry::diagonal, wholeText(screen.inches));
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

} // namespace

RoomSizing sizeRoom(const Room& room, Option ratio, Option frame) {
    RoomSizing s;
    if (ratio == Option::ratio4x3 && frame != Option::frame80) {
        refused(s, RoomProblem::fourThreeFrame,
                "the calculator gives 4:3 sizes only with the 80 mm frame option "
                "(it shows them with a 7 mm frame)");
        return s;
    }
    if (refusedRoom(s, room)) {
        return s;
    }
    const Aspect aspect = ratio == Option::ratio4x3 ? Aspect{4, 3} : Aspect{16, 9};
    const double closest = room.closest.value_or(room.farthest);

    switch (room.content) {
    case Content::cinema:
        s.smallest = fromWidth(widthAtAngle(room.farthest, cinemaFarthestLeast), aspect);
        s.recommended = fromWidth(widthAtAngle(room.farthest, cinemaRecommended), aspect);
        s.largest = fromWidth(widthAtAngle(closest, cinemaClosestMost), aspect);
        break;
    case Content::presentation:
        // Element height as a percentage: 200 x pct / 100 = 2 x pct.
        s.smallest = fromHeight(room.farthest / (acuityBasic / 100 * room.elementPercent), aspect);
        break;
    case Content::detail:
        s.smallest = fromHeight(room.farthest * room.lines / acuityAnalytical, aspect);
        break;
    }
    if (room.content != Content::cinema) {
        // With the image's lower edge at eye height, the most lenient
        // mounting: a higher image allows less.
        s.largest =
            fromHeight(closest * std::tan(closestUpwardMost * std::numbers::pi / 180), aspect);
        s.recommended = s.smallest;
    }
    if (s.recommended.diagonal > s.largest.diagonal) {
        s.recommended = s.largest;
    }

    const double least = std::ceil(s.smallest.diagonal - inchSlack);
    const double most =
        std::min(std::floor(s.largest.diagonal + inchSlack), double{largestFieldInches});
    if (least > largestFieldInches) {
        refused(s, RoomProblem::beyondField,
                "the farthest viewer needs at least " + inchText(s.smallest.diagonal) +
                    ", more than the diagonal field's " + wholeText(largestFieldInches));
        return s;
    }
    if (least > most) {
        refused(s, RoomProblem::noWholeInch,
                "no whole-inch diagonal fits: the farthest viewer needs at least " +
                    inchText(s.smallest.diagonal) + ", the closest viewer allows at most " +
                    inchText(s.largest.diagonal));
        return s;
    }
    s.smallestScreen.inches = static_cast<int>(least);
    s.largestScreen.inches = static_cast<int>(most);
    s.recommendedScreen.inches =
        static_cast<int>(std::clamp(std::round(s.recommended.diagonal), least, most));

    for (Screen* screen : {&s.smallestScreen, &s.recommendedScreen, &s.largestScreen}) {
        if (const std::string failed = enter(*screen, ratio, frame); !failed.empty()) {
            refused(s, RoomProblem::calculator,
                    "the calculator failed on " + wholeText(screen->inches) + " in: " + failed);
            return s;
        }
    }
    return s;
}

} // namespace calc
