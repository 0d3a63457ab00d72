#include "cli/room.h"

#include "calc/constants.h"
#include "calc/json.h"
#include "calc/numbers.h"
#include "cli/output.h"
#include "cli/screencalc_cli.h"
#include "cli/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <ostream>
#include <vector>

namespace screencalc {

namespace {

using calc::Content;
using calc::RoomField;

std::string_view nameOf(Content c) {
    return calc::contentNames[static_cast<std::size_t>(c)].name;
}

std::string plainJson(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

std::string fixedText(double v, int decimals) {
    char buf[48];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return ec == std::errc{} ? std::string(buf, end) : plainJson(v);
}

std::string mm(double v) {
    return fixedText(v, 0) + " mm";
}

struct Request {
    calc::RoomRequest room;
    Selection selection;
    std::string usage; // a wrong text, with the name it came with
};

// `dashes` is "--" for the command line's names, "" for a batch row's keys.
Request requestOf(const calc::RoomTexts& texts, std::optional<std::string_view> ratio,
                  std::optional<std::string_view> frame, std::string_view dashes) {
    Request r;
    r.room = calc::readRoom(texts);
    if (!r.room.error.ok()) {
        r.usage = std::string(dashes) + std::string(calc::keyOf(r.room.error.field)) + ": " +
                  r.room.error.reason;
        return r;
    }
    r.selection = selectionNamed(ratio, frame);
    if (!r.selection.error.empty()) {
        r.usage = std::string(dashes) + std::string(r.selection.errorIn) + ": " + r.selection.error;
        return r;
    }
    // The calculator shows 4:3 sizes only under the 80 mm frame.
    if (!frame && r.selection.ratio == calc::Option::ratio4x3) {
        r.selection.frame = calc::Option::frame80;
    }
    return r;
}

std::string ratioText(const Selection& s) {
    return s.ratio == calc::Option::ratio4x3 ? "4:3" : "16:9";
}

std::string failureText(const calc::RoomError& e, std::string_view dashes) {
    return std::string(dashes) + std::string(calc::keyOf(e.field)) + ": " + e.reason;
}

// Right-aligns the columns but the first and, with `textLast`, the last;
// wide characters count twice.
std::string columns(const std::vector<std::vector<std::string>>& rows, bool textLast = false) {
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(row[i]));
        }
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line = row[0];
        line.append(widths[0] - displayWidth(row[0]), ' ');
        for (std::size_t i = 1; i < row.size(); ++i) {
            const bool left = textLast && i + 1 == row.size();
            line.append(left ? 2 : widths[i] - displayWidth(row[i]) + 2, ' ');
            line += row[i];
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        out += line + "\n";
    }
    return out;
}

struct Size {
    std::string_view key;  // in the JSON
    std::string_view name; // in the table
    const calc::ImageSize& image;
    calc::Rule rule;
    const calc::Screen& screen;
};

std::array<Size, 3> sizesOf(const calc::RoomSizing& s) {
    return {{{"smallest", "smallest readable", s.smallest, s.smallestRule, s.smallestScreen},
             {"recommended", "recommended", s.recommended, s.recommendedRule, s.recommendedScreen},
             {"largest", "largest comfortable", s.largest, s.largestRule, s.largestScreen}}};
}

// The six texts of each screen, a column each, in the window's captions.
std::string screensTable(const std::vector<std::pair<std::string, const calc::Screen*>>& shown,
                         const calc::Room& room) {
    std::vector<std::vector<std::string>> rows{{"whole inches"}};
    for (const calc::ResultLabel& label : calc::resultLabels) {
        rows.push_back({std::string(label.caption)});
    }
    if (room.throwRatio) {
        rows.push_back({"lens to screen"});
    }
    for (const auto& [name, screen] : shown) {
        rows[0].push_back(name);
        for (std::size_t i = 0; i < calc::resultLabels.size(); ++i) {
            rows[i + 1].push_back(std::string(withoutDisplayBlanks(screen->texts[i])) + " " +
                                  std::string(unitOf(calc::resultLabels[i].result)));
        }
        if (room.throwRatio) {
            rows.back().push_back(screen->throwLeast == screen->throwMost
                                      ? mm(screen->throwLeast)
                                      : fixedText(screen->throwLeast, 0) + "-" +
                                            mm(screen->throwMost));
        }
    }
    return columns(rows);
}

std::string throwText(const calc::Room& room) {
    const calc::ThrowRatio& t = *room.throwRatio;
    return calc::plainNumberText(t.least) +
           (t.least == t.most ? "" : "-" + calc::plainNumberText(t.most));
}

std::string heading(const Request& r) {
    std::string out = ratioText(r.selection) + ", frame " +
                      std::string(calc::frameOf(r.selection.frame).text) + " mm";
    const calc::Room& room = r.room.room;
    if (room.throwRatio) {
        out += ", throw ratio " + throwText(room);
    }
    return out + "\n" + calc::assumptionText(room) + "\n";
}

std::string roomTable(const Request& r, const calc::RoomSizing& s) {
    const calc::Room& room = r.room.room;
    std::string out = std::string(nameOf(room.content)) + ", farthest seat " + mm(room.farthest) +
                      ", closest seat " + (room.closest ? mm(*room.closest) : "in the same row") +
                      "; " + heading(r) + "\n";
    std::vector<std::vector<std::string>> sizes{{"image", "width", "height", "diagonal", "rule"}};
    std::vector<std::pair<std::string, const calc::Screen*>> screens;
    for (const Size& size : sizesOf(s)) {
        sizes.push_back({std::string(size.name), mm(size.image.width), mm(size.image.height),
                         fixedText(size.image.diagonal, 2) + " in",
                         calc::ruleText(size.rule, room)});
        screens.emplace_back(std::string(size.name), &size.screen);
    }
    return out + columns(sizes, true) + "\n" + screensTable(screens, room);
}

std::string seatsTable(const Request& r, const calc::ScreenSeating& s) {
    const calc::Room& room = r.room.room;
    std::string out = *r.room.diagonal + " in (" + mm(s.screen.image.width) + " x " +
                      mm(s.screen.image.height) + "); " + heading(r) + "\n";
    std::vector<std::vector<std::string>> seats{
        {"content", "closest seat", "farthest seat", "recommended farthest", "rules"}};
    for (const calc::Seating& seat : s.seating) {
        calc::Room ruled = room;
        ruled.content = seat.content;
        seats.push_back({std::string(nameOf(seat.content)),
                         seat.ok ? mm(std::ceil(seat.closest)) : "none",
                         seat.ok ? mm(std::floor(seat.farthest)) : "-",
                         seat.ok ? mm(std::floor(seat.recommended)) : "-",
                         calc::ruleText(seat.closestRule, ruled) + "; " +
                             calc::ruleText(seat.farthestRule, ruled)});
    }
    return out + columns(seats, true) + "\n" + screensTable({{"screen", &s.screen}}, room);
}

void appendKey(std::string& out, std::string_view key) {
    out += ",\"";
    out += key;
    out += "\":";
}

void appendText(std::string& out, std::string_view key, std::string_view text) {
    appendKey(out, key);
    calc::appendJsonString(out, text);
}

void appendNumber(std::string& out, std::string_view key, double v) {
    appendKey(out, key);
    out += plainJson(v);
}

void appendScreen(std::string& out, const calc::Screen& screen, const calc::Room& room) {
    appendKey(out, "screen");
    out += '{';
    Calculation shown;
    shown.ok = true;
    shown.texts = screen.texts;
    appendJsonResults(out, shown);
    out += '}';
    if (room.throwRatio) {
        appendKey(out, "throwDistance");
        out += "[" + plainJson(screen.throwLeast) + "," + plainJson(screen.throwMost) + "]";
    }
}

// Every input as it was taken, defaults included.
std::string inputsJson(const Request& r) {
    const calc::Room& room = r.room.room;
    std::string out = "{\"ratio\":\"" + ratioText(r.selection) + "\"";
    appendText(out, "frame", calc::frameOf(r.selection.frame).text);
    if (r.room.diagonal) {
        appendText(out, "diagonal", *r.room.diagonal);
    } else {
        appendText(out, "content", nameOf(room.content));
        appendNumber(out, "farthest", room.farthest);
        if (room.closest) {
            appendNumber(out, "closest", *room.closest);
        }
    }
    appendNumber(out, "element", room.element);
    appendText(out, "elementUnit",
               room.elementUnit == calc::ElementUnit::percent ? "%"
               : room.elementUnit == calc::ElementUnit::mm    ? "mm"
                                                              : "pt");
    appendNumber(out, "elementPercent", calc::elementPercent(room));
    appendNumber(out, "lines", room.lines);
    appendNumber(out, "eyeHeight", room.eyeHeight);
    appendNumber(out, "lowerEdge", room.lowerEdgeOrAssumed());
    appendKey(out, "lowerEdgeAssumed");
    out += room.lowerEdge ? "false" : "true";
    if (room.ceiling) {
        appendNumber(out, "ceiling", *room.ceiling);
    }
    if (room.throwRatio) {
        appendKey(out, "throwRatio");
        out +=
            "[" + plainJson(room.throwRatio->least) + "," + plainJson(room.throwRatio->most) + "]";
    }
    appendText(out, "assumption", calc::assumptionText(room));
    return out;
}

std::string roomJson(const Request& r, const calc::RoomSizing& s) {
    const calc::Room& room = r.room.room;
    std::string out = inputsJson(r);
    for (const Size& size : sizesOf(s)) {
        appendKey(out, size.key);
        out += "{\"name\":";
        calc::appendJsonString(out, size.name);
        appendNumber(out, "width", size.image.width);
        appendNumber(out, "height", size.image.height);
        appendNumber(out, "diagonal", size.image.diagonal);
        appendText(out, "rule", calc::nameOf(size.rule));
        appendText(out, "ruleText", calc::ruleText(size.rule, room));
        appendNumber(out, "inches", size.screen.inches);
        appendScreen(out, size.screen, room);
        out += '}';
    }
    return out + "}\n";
}

std::string seatsJson(const Request& r, const calc::ScreenSeating& s) {
    const calc::Room& room = r.room.room;
    std::string out = inputsJson(r);
    appendNumber(out, "width", s.screen.image.width);
    appendNumber(out, "height", s.screen.image.height);
    appendScreen(out, s.screen, room);
    appendKey(out, "seating");
    out += '{';
    for (const calc::Seating& seat : s.seating) {
        calc::Room ruled = room;
        ruled.content = seat.content;
        out += seat.content == Content::cinema ? "\"" : ",\"";
        out += nameOf(seat.content);
        out += "\":{\"fits\":";
        out += seat.ok ? "true" : "false";
        appendNumber(out, "closest", seat.closest);
        appendNumber(out, "farthest", seat.farthest);
        appendNumber(out, "recommended", seat.recommended);
        appendText(out, "closestRule", calc::ruleText(seat.closestRule, ruled));
        appendText(out, "farthestRule", calc::ruleText(seat.farthestRule, ruled));
        appendText(out, "recommendedRule", calc::ruleText(seat.recommendedRule, ruled));
        out += '}';
    }
    return out + "}}\n";
}

// The whole range in one line, for a batch row.
std::string rangeNotice(const calc::RoomSizing& s, const calc::Room& room) {
    std::string out;
    for (const Size& size : sizesOf(s)) {
        out += out.empty() ? "" : ", ";
        out += std::string(size.name) + " " + fixedText(size.screen.inches, 0) + " in (" +
               calc::ruleText(size.rule, room) + ")";
    }
    return out + "; " + calc::assumptionText(room);
}

std::string seatsNotice(const calc::ScreenSeating& s) {
    std::string out;
    for (const calc::Seating& seat : s.seating) {
        out += out.empty() ? "" : ", ";
        out += std::string(nameOf(seat.content)) + " " +
               (seat.ok ? fixedText(std::ceil(seat.closest), 0) + "-" +
                              fixedText(std::floor(seat.farthest), 0) + " mm"
                        : "no seat");
    }
    return "seats: " + out;
}

} // namespace

std::optional<std::string>* roomValue(calc::RoomTexts& room, std::string_view name) {
    if (name.starts_with("--")) {
        name.remove_prefix(2);
    }
    for (std::size_t i = 0; i < room.size(); ++i) {
        if (calc::roomFieldKeys[i].key == name) {
            return &room[i];
        }
    }
    return nullptr;
}

int runRoom(const calc::RoomTexts& room, std::optional<std::string_view> ratio,
            std::optional<std::string_view> frame, bool json, std::ostream& out,
            std::ostream& err) {
    const Request r = requestOf(room, ratio, frame, "--");
    if (!r.usage.empty()) {
        reportUsage(err, r.usage, false);
        return exitUsage;
    }
    const auto refused = [&](const calc::RoomError& e) {
        writeAll(err, "screencalc: " + failureText(e, "--") + "\n");
        return calc::isUsageProblem(e.problem) ? exitUsage : exitFailed;
    };
    std::string text;
    if (r.room.diagonal) {
        const calc::ScreenSeating s =
            calc::seatScreen(r.room.room, *r.room.diagonal, r.selection.ratio, r.selection.frame);
        if (!s.ok()) {
            return refused(s.error);
        }
        text = json ? seatsJson(r, s) : seatsTable(r, s);
    } else {
        const calc::RoomSizing s =
            calc::sizeRoom(r.room.room, r.selection.ratio, r.selection.frame);
        if (!s.ok()) {
            return refused(s.error);
        }
        text = json ? roomJson(r, s) : roomTable(r, s);
    }
    return emit(out, err, text) ? exitComputed : exitFailed;
}

Calculation calculateRoomRow(std::string_view text, std::optional<std::string_view> ratio,
                             std::optional<std::string_view> frame) {
    Calculation c;
    calc::RoomTexts given;
    while (!text.empty()) {
        const std::size_t blank = text.find(' ');
        const std::string_view item = text.substr(0, blank);
        text.remove_prefix(blank == std::string_view::npos ? text.size() : blank + 1);
        if (item.empty()) {
            continue;
        }
        const std::size_t eq = item.find('=');
        std::optional<std::string>* slot =
            eq == std::string_view::npos ? nullptr : roomValue(given, item.substr(0, eq));
        if (slot == nullptr || *slot) {
            c.error = (slot == nullptr ? "unknown room item " : "given twice: ") + quoted(item) +
                      " (use farthest=MM closest=MM content=cinema|presentation|detail "
                      "element=PCT lines=N eye=MM edge=MM ceiling=MM throw=R diagonal=IN)";
            return c;
        }
        *slot = std::string(item.substr(eq + 1));
    }
    const Request r = requestOf(given, ratio, frame, "");
    if (!r.usage.empty()) {
        c.error = r.usage;
        return c;
    }
    if (r.room.diagonal) {
        const calc::ScreenSeating s =
            calc::seatScreen(r.room.room, *r.room.diagonal, r.selection.ratio, r.selection.frame);
        if (!s.ok()) {
            c.error = failureText(s.error, "");
            return c;
        }
        c.ok = true;
        c.texts = s.screen.texts;
        c.notices.push_back(seatsNotice(s));
        c.roomJson = seatsJson(r, s);
        c.roomJson.pop_back(); // its line end
        return c;
    }
    const calc::RoomSizing s = calc::sizeRoom(r.room.room, r.selection.ratio, r.selection.frame);
    if (!s.ok()) {
        c.error = failureText(s.error, "");
        return c;
    }
    c.ok = true;
    c.texts = s.recommendedScreen.texts;
    c.notices.push_back(rangeNotice(s, r.room.room));
    c.roomJson = roomJson(r, s);
    c.roomJson.pop_back(); // its line end
    return c;
}

} // namespace screencalc
