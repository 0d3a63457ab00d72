#include "web/room.h"

#include "calc/json.h"
#include "calc/numbers.h"
#include "calc/room.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace web {

namespace {

constexpr std::array<std::string_view, 10> problemNames{
    "",      "farthest",       "closest",     "closestFarther", "element",
    "lines", "fourThreeFrame", "noWholeInch", "beyondField",    "calculator"};

// 15 significant digits, as every number of the calculator is written: the
// shortest round-trip form would bring 14 KB of tables into the module.
void appendNumber(std::string& out, double v) {
    out += calc::plainNumberText(v);
}

std::string problem(std::string_view name) {
    return "{\"problem\":\"" + std::string(name) + "\"}";
}

} // namespace

std::string roomAnswer(std::string_view texts, int content, calc::Option ratio,
                       calc::Option frame) {
    std::array<std::string_view, 4> given{};
    for (std::string_view& t : given) {
        const std::size_t end = texts.find('\n');
        t = texts.substr(0, end);
        texts.remove_prefix(end == std::string_view::npos ? texts.size() : end + 1);
    }
    const auto [farthestText, closestText, elementText, linesText] = given;
    calc::Room room;
    room.content = content == 1   ? calc::Content::presentation
                   : content == 2 ? calc::Content::detail
                                  : calc::Content::cinema;
    const std::optional<double> farthest = calc::numericValue(farthestText);
    if (!farthest) {
        return problem("farthest");
    }
    room.farthest = *farthest;
    if (!closestText.empty()) {
        room.closest = calc::numericValue(closestText);
        if (!room.closest) {
            return problem("closest");
        }
    }
    if (!elementText.empty()) {
        const std::optional<double> element = calc::numericValue(elementText);
        if (!element) {
            return problem("element");
        }
        room.elementPercent = *element;
    }
    if (!linesText.empty()) {
        const std::optional<double> lines = calc::numericValue(linesText);
        if (!lines || *lines < 1 || *lines > 100000 || *lines != std::floor(*lines)) {
            return problem("lines");
        }
        room.lines = static_cast<int>(*lines);
    }

    const calc::RoomSizing s = calc::sizeRoom(room, ratio, frame);
    std::string out = "{\"problem\":";
    calc::appendJsonString(out, problemNames[static_cast<std::size_t>(s.problem)]);
    if (s.smallest.diagonal > 0) {
        out += ",\"least\":";
        appendNumber(out, s.smallest.diagonal);
        out += ",\"most\":";
        appendNumber(out, s.largest.diagonal);
    }
    if (!s.ok()) {
        return out + "}";
    }
    out += ",\"sizes\":[";
    const std::array<std::pair<const calc::ImageSize*, const calc::Screen*>, 3> sizes{{
        {&s.smallest, &s.smallestScreen},
        {&s.recommended, &s.recommendedScreen},
        {&s.largest, &s.largestScreen},
    }};
    for (const auto& [image, screen] : sizes) {
        out += "{\"width\":";
        appendNumber(out, image->width);
        out += ",\"height\":";
        appendNumber(out, image->height);
        out += ",\"diagonal\":";
        appendNumber(out, image->diagonal);
        out += ",\"inches\":";
        appendNumber(out, screen->inches);
        out += ",\"texts\":[";
        for (const std::string& text : screen->texts) {
            calc::appendJsonString(out, text);
            out += ',';
        }
        out.back() = ']';
        out += "},";
    }
    out.back() = ']';
    return out + "}";
}

} // namespace web
