#pragma once
// A quote: the six results as one short Chinese text that a seller sends to
// a customer (a chat message, an e-mail), with the ratio and the frame they
// were computed with. The web page shares it and `screencalc --quote`
// prints it, both through this one function, so the two always agree.

#include "calc/calcview.h"

#include <array>
#include <string>
#include <string_view>

namespace calc {

// The results as shown (display blanks are dropped), in the order of
// resultLabels; `ratio` is the selected ratio option (a frame option is a
// fault of the caller and stops the program). The frame is the one
// the results carry (bkw), which is what was computed, also where the
// selection says otherwise. Lines end with "\n".
//
//   银幕尺寸（16：9，边框 12 毫米）
//   幕面宽：2214 毫米
//   ...
std::string quoteText(Option ratio, const std::array<std::string, 6>& results);

// A result's unit in words: "毫米", "英寸".
std::string_view unitOf(Result r);

} // namespace calc
