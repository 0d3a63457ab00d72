#include "web/room.h"

#include "calc/json.h"
#include "calc/numbers.h"
#include "calc/room.h"

#include <array>

namespace web {

namespace {

// 15 significant digits, as every number of the calculator is written: the
// shortest round-trip form would bring 14 KB of tables into the module.
void appendNumber(std::string& out, std::string_view key, double v) {
    out += ",\"";
    out += key;
    out += "\":";
    out += calc::plainNumberText(v);
}

void appendText(std::string& out, std::string_view key, std::string_view text) {
    out += ",\"";
    out += key;
    out += "\":";
    calc::appendJsonString(out, text);
}

std::string opening(calc::RoomProblem problem) {
    std::string out = "{\"problem\":";
    calc::appendJsonString(out, calc::nameOf(problem));
    out += ",\"defaults\":{\"element\":" + calc::plainNumberText(calc::defaultElementPercent) +
           ",\"lines\":" + calc::plainNumberText(calc::defaultLines) +
           ",\"eye\":" + calc::plainNumberText(calc::defaultEyeHeight) + "}";
    return out;
}

std::string refusal(const calc::RoomError& e, const std::vector<calc::Remedy>& remedies,
                    const calc::RoomSizing* sizing) {
    std::string out = opening(e.problem);
    appendText(out, "field", calc::keyOf(e.field));
    appendText(out, "reason", e.reason);
    out += ",\"usage\":";
    out += calc::isUsageProblem(e.problem) ? "true" : "false";
    if (sizing != nullptr && sizing->smallest.diagonal > 0) {
        appendNumber(out, "least", sizing->smallest.diagonal);
        appendNumber(out, "most", sizing->largest.diagonal);
        appendText(out, "largestRule", calc::nameOf(sizing->largestRule));
    }
    out += ",\"remedies\":[";
    for (const calc::Remedy& r : remedies) {
        out += "{\"kind\":";
        calc::appendJsonString(out, calc::remedyNames[static_cast<std::size_t>(r.kind)]);
        appendNumber(out, "value", r.value);
        out += "},";
    }
    if (out.back() == ',') {
        out.pop_back();
    }
    return out + "]}";
}

// What every answer says of the room it was computed for.
void appendRoom(std::string& out, const calc::Room& room) {
    appendText(out, "assumption", calc::assumptionText(room));
    appendNumber(out, "elementPercent", calc::elementPercent(room));
    appendNumber(out, "lines", room.lines);
    appendNumber(out, "eyeHeight", room.eyeHeight);
    appendNumber(out, "lowerEdge", room.lowerEdgeOrAssumed());
    out += ",\"lowerEdgeAssumed\":";
    out += room.lowerEdge ? "false" : "true";
    if (room.ceiling) {
        appendNumber(out, "ceiling", *room.ceiling);
    }
}

void appendScreen(std::string& out, const calc::Screen& screen, const calc::Room& room) {
    appendNumber(out, "width", screen.image.width);
    appendNumber(out, "height", screen.image.height);
    appendNumber(out, "diagonal", screen.image.diagonal);
    appendNumber(out, "inches", screen.inches);
    out += ",\"texts\":[";
    for (const std::string& text : screen.texts) {
        calc::appendJsonString(out, text);
        out += ',';
    }
    out.back() = ']';
    if (room.throwRatio) {
        out += ",\"throw\":[" + calc::plainNumberText(screen.throwLeast) + "," +
               calc::plainNumberText(screen.throwMost) + "]";
    }
}

std::string sizes(const calc::Room& room, const calc::RoomSizing& s) {
    std::string out = opening(calc::RoomProblem::none);
    appendRoom(out, room);
    out += ",\"sizes\":[";
    const std::array<std::pair<const calc::Screen*, calc::Rule>, 3> shown{{
        {&s.smallestScreen, s.smallestRule},
        {&s.recommendedScreen, s.recommendedRule},
        {&s.largestScreen, s.largestRule},
    }};
    for (const auto& [screen, rule] : shown) {
        out += "{\"rule\":";
        calc::appendJsonString(out, calc::nameOf(rule));
        appendScreen(out, *screen, room);
        out += "},";
    }
    out.back() = ']';
    return out + "}";
}

std::string seats(const calc::Room& room, const calc::ScreenSeating& s) {
    std::string out = opening(calc::RoomProblem::none);
    appendRoom(out, room);
    out += ",\"screen\":{\"rule\":\"\"";
    appendScreen(out, s.screen, room);
    out += "},\"seating\":[";
    for (const calc::Seating& seat : s.seating) {
        out += "{\"content\":";
        calc::appendJsonString(out,
                               calc::contentNames[static_cast<std::size_t>(seat.content)].name);
        out += ",\"fits\":";
        out += seat.ok ? "true" : "false";
        appendNumber(out, "closest", seat.closest);
        appendNumber(out, "farthest", seat.farthest);
        appendNumber(out, "recommended", seat.recommended);
        appendText(out, "closestRule", calc::nameOf(seat.closestRule));
        appendText(out, "farthestRule", calc::nameOf(seat.farthestRule));
        appendText(out, "recommendedRule", calc::nameOf(seat.recommendedRule));
        out += "},";
    }
    out.back() = ']';
    return out + "}";
}

// The answer with the fields the panel shows.
std::string withUsed(std::string answer, const std::string& used) {
    answer.back() = ',';
    return answer + used + "}";
}

} // namespace

std::string roomAnswer(std::string_view texts, calc::Option ratio, calc::Option frame) {
    calc::RoomTexts given;
    for (std::optional<std::string>& t : given) {
        const std::size_t end = texts.find('\n');
        t = std::string(texts.substr(0, end));
        texts.remove_prefix(end == std::string_view::npos ? texts.size() : end + 1);
    }
    // The panel shows only the fields the room uses: a hidden field's text
    // stays out. The element's unit decides whether the lines count.
    const auto slot = [&](calc::RoomField f) -> std::optional<std::string>& {
        return given[static_cast<std::size_t>(f)];
    };
    const bool fromDiagonal =
        slot(calc::RoomField::diagonal)->find_first_not_of(' ') != std::string::npos;
    calc::RoomTexts withoutLines = given;
    withoutLines[static_cast<std::size_t>(calc::RoomField::lines)].reset();
    calc::Room probe = calc::readRoom(withoutLines).room;
    for (const calc::ContentName& c : calc::contentNames) {
        probe.content = *slot(calc::RoomField::content) == c.name ? c.content : probe.content;
    }
    std::string used;
    for (calc::RoomField f :
         {calc::RoomField::content, calc::RoomField::element, calc::RoomField::lines}) {
        const bool counts = calc::roomFieldUsed(f, probe, fromDiagonal);
        if (!counts) {
            slot(f).reset();
        }
        used += ",\"" + std::string(calc::keyOf(f)) + "\":" + (counts ? "true" : "false");
    }
    used = "\"used\":{" + used.substr(1) + "}";
    const calc::RoomRequest q = calc::readRoom(given);
    if (!q.error.ok()) {
        return withUsed(refusal(q.error, {}, nullptr), used);
    }
    if (q.diagonal) {
        const calc::ScreenSeating s = calc::seatScreen(q.room, *q.diagonal, ratio, frame);
        return withUsed(s.ok() ? seats(q.room, s) : refusal(s.error, s.remedies, nullptr), used);
    }
    const calc::RoomSizing s = calc::sizeRoom(q.room, ratio, frame);
    return withUsed(s.ok() ? sizes(q.room, s) : refusal(s.error, s.remedies, &s), used);
}

} // namespace web
