#pragma once
// The page's room panel (calc/room.h): what the module answers for a room.

#include "calc/calcview.h"

#include <string>
#include <string_view>

namespace web {

// `texts` holds the farthest and closest distance (mm), the element height
// (%) and the lines, one a line, as typed; an empty closest means one row,
// an empty element or lines their defaults. `content`: 0 cinema,
// 1 presentation, 2 detail. The answer is JSON: {"problem":NAME} when the
// room has no answer (with "least" and "most" diagonals once they are
// known), else {"problem":"","sizes":[smallest, recommended, largest]}, each
// {"width","height","diagonal","inches","texts":[the six labels]}.
std::string roomAnswer(std::string_view texts, int content, calc::Option ratio, calc::Option frame);

} // namespace web
