#pragma once
// The page's room panel (calc/room.h): what the module answers for a room.
// The texts are read and checked by the core; this only writes its answer
// as JSON for the panel to word in the page's language.

#include "calc/calcview.h"

#include <string>
#include <string_view>

namespace web {

// `texts` holds the room's texts as typed, one a line, in the order of
// calc::roomFieldKeys (farthest, closest, content, element, lines, eye,
// edge, ceiling, throw, diagonal); an empty line is not given. The answer
// is JSON, always with "defaults" (element %, lines, eye height), "used"
// ({"content", "element", "lines"}: whether the room takes them; the panel shows only
// those, and the text of one it does not take is left out) and
// "problem" (calc::nameOf(RoomProblem), "" when answered):
// - refused: "field", "reason" (English), "usage" (a text is wrong rather
//   than the room), and once known "least" and "most" diagonals and
//   "remedies" [{"kind", "value"}];
// - sizes for seats: "assumption", "elementPercent", "lines", "ceiling"
//   and "sizes" [smallest readable, recommended, largest comfortable], each
//   {"width", "height", "diagonal", "inches", "rule", "texts" (the six
//   labels), "throw" [least, most] with a throw ratio};
// - seats for a diagonal: "assumption", ..., "screen" {as a size without
//   "rule"} and "seating" [cinema, presentation, detail], each {"content",
//   "fits", "closest", "farthest", "recommended", "closestRule",
//   "farthestRule", "recommendedRule"}.
std::string roomAnswer(std::string_view texts, calc::Option ratio, calc::Option frame);

} // namespace web
