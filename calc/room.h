#pragma once
// Which screen a room needs: from how far its viewers sit and what they
// watch, the image sizes the published viewing rules call for, rounded to
// whole-inch diagonals, each with the six texts the calculator shows for it.
// docs/room-sizing.md names the rules and where they come from.

#include "calc/calcview.h"

#include <array>
#include <optional>
#include <string>

namespace calc {

enum class Content {
    cinema,       // films: a horizontal viewing angle
    presentation, // text and pictures read by everyone: the smallest element's height
    detail,       // every pixel must be seen: one pixel per arc-minute
};

struct Room {
    double farthest = 0; // mm from the farthest viewer's eyes to the screen
    // mm from the closest viewer's eyes; none: one row, the farthest viewer
    // is also the closest.
    std::optional<double> closest;
    Content content = Content::cinema;
    double elementPercent = 4; // presentation: the smallest element, % of the image height
    int lines = 1080;          // detail: the source's vertical pixels
};

// An image of the chosen ratio.
struct ImageSize {
    double width = 0;    // mm
    double height = 0;   // mm
    double diagonal = 0; // inches
};

// A whole-inch diagonal, entered into the calculator with the chosen ratio
// and frame, and the six result texts it shows then (in resultLabels order,
// with the blanks of their display patterns).
struct Screen {
    int inches = 0;
    std::array<std::string, 6> texts;
};

// Why a room has no answer, for a front end to word in its own language.
enum class RoomProblem {
    none,
    farthest,       // not a positive distance
    closest,        // not a positive distance
    closestFarther, // the closest viewer sits farther than the farthest
    element,        // not above 0 and at most 100 %
    lines,          // fewer than one
    fourThreeFrame, // 4:3 with a frame other than 80 mm
    noWholeInch,    // no whole inch between the smallest and the largest
    beyondField,    // the smallest whole inch has more than the field's 6 digits
    calculator,     // the calculator failed on a diagonal
};

struct RoomSizing {
    RoomProblem problem = RoomProblem::none;
    std::string error; // in English; empty when the room has an answer

    ImageSize smallest;    // what the farthest viewer needs
    ImageSize recommended; // the rule's recommendation, never above largest
    ImageSize largest;     // what the closest viewer allows

    // The smallest whole inch that meets every rule, the whole inch nearest
    // the recommendation, and the largest whole inch the closest viewer
    // allows. For presentation and detail the recommendation is the smallest.
    Screen smallestScreen;
    Screen recommendedScreen;
    Screen largestScreen;

    bool ok() const { return error.empty(); }
};

// `ratio` is Option::ratio16x9 or Option::ratio4x3, `frame` one of the frame
// options. The calculator shows 4:3 sizes only under the 80 mm option, so
// 4:3 with another frame is refused rather than shown as 16:9.
RoomSizing sizeRoom(const Room& room, Option ratio, Option frame);

} // namespace calc
