#include "calc/quote.h"

#include "calc/layout.h"

#include <cstdlib>
#include <string_view>

namespace calc {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

// The captions mix half- and full-width colons; a Chinese text takes "：".
std::string_view withoutColon(std::string_view caption) {
    for (std::string_view colon : {":", "："}) {
        if (caption.ends_with(colon)) {
            caption.remove_suffix(colon.size());
        }
    }
    return caption;
}

} // namespace

std::string quoteText(Option ratio, const std::array<std::string, 6>& results) {
    if (!isRatio(ratio)) {
        std::abort(); // no ratio to name
    }
    std::string out = "银幕尺寸（";
    out += layout::optionCaption(ratio);
    out += "，边框 ";
    out += trimmed(results[static_cast<std::size_t>(Result::frameWidth)]);
    out += " 毫米）\n";
    for (const ResultLabel& label : resultLabels) {
        out += withoutColon(label.caption);
        out += "：";
        out += trimmed(results[static_cast<std::size_t>(label.result)]);
        out += ' ';
        out += unitOf(label.result);
        out += '\n';
    }
    return out;
}

std::string_view unitOf(Result r) {
    return r == Result::diagonal ? "英寸" : "毫米";
}

} // namespace calc
