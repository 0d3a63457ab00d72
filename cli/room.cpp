#include "cli/room.h"

#include "calc/constants.h"
#include "calc/numbers.h"
#include "calc/room.h"
#include "cli/output.h"
#include "cli/screencalc_cli.h"
#include "cli/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <ostream>

namespace screencalc {

namespace {

using calc::Content;

struct ContentName {
    Content content;
    std::string_view word;
};
constexpr std::array<ContentName, 3> contents{{
    {Content::cinema, "cinema"},
    {Content::presentation, "presentation"},
    {Content::detail, "detail"},
}};

const ContentName& nameOf(Content c) {
    return contents[static_cast<std::size_t>(c)];
}

// What the smallest, recommended and largest sizes stand for.
std::array<std::string, 3> rulesOf(const calc::Room& room) {
    const std::string closest = "at most 30° up to the image top from the closest viewer (DISCAS)";
    switch (room.content) {
    case Content::cinema:
        return {"30° wide from the farthest viewer (SMPTE)",
                "36° wide from the farthest viewer (THX)",
                "40° wide from the closest viewer (THX)"};
    case Content::presentation:
        return {calc::plainNumberText(room.elementPercent) +
                    " % elements legible from the farthest viewer (DISCAS BDM)",
                "the smallest", closest};
    case Content::detail:
        return {calc::plainNumberText(room.lines) +
                    " lines, one arc-minute each, at the farthest viewer (DISCAS ADM)",
                "the smallest", closest};
    }
    return {};
}

struct Request {
    calc::Room room;
    Selection selection;
    std::string error; // a value that cannot be read, with the name it came with
};

// `dashes` is "--" for the command line's names, "" for a batch row's keys.
Request requestOf(const RoomTexts& given, std::optional<std::string_view> ratio,
                  std::optional<std::string_view> frame, std::string_view dashes) {
    Request r;
    const auto fail = [&](std::string_view name, const std::string& message) {
        r.error = std::string(dashes) + std::string(name) + ": " + message;
        return r;
    };
    const auto number = [](const std::optional<std::string>& text) {
        return text ? calc::numericValue(*text) : std::nullopt;
    };
    if (!given.farthest) {
        return fail("farthest", "the farthest viewer's distance in mm is needed");
    }
    const std::array<std::pair<std::string_view, const std::optional<std::string>*>, 4> numbers{
        {{"farthest", &given.farthest},
         {"closest", &given.closest},
         {"element", &given.element},
         {"lines", &given.lines}}};
    for (const auto& [name, text] : numbers) {
        if (*text && !number(*text)) {
            return fail(name, quoted(**text) + " is not a number");
        }
    }
    r.room.farthest = *number(given.farthest);
    r.room.closest = number(given.closest);
    if (given.content) {
        const auto named =
            std::find_if(contents.begin(), contents.end(),
                         [&](const ContentName& c) { return c.word == *given.content; });
        if (named == contents.end()) {
            return fail("content", "unknown content " + quoted(*given.content) +
                                       " (use cinema, presentation or detail)");
        }
        r.room.content = named->content;
    }
    if (given.element) {
        if (r.room.content != Content::presentation) {
            return fail("element", "counts only for presentation content");
        }
        r.room.elementPercent = *number(given.element);
    }
    if (given.lines) {
        const double lines = *number(given.lines);
        if (r.room.content != Content::detail) {
            return fail("lines", "counts only for detail content");
        }
        if (lines < 1 || lines > 100000 || lines != std::floor(lines)) {
            return fail("lines", "use a whole number from 1 to 100000");
        }
        r.room.lines = static_cast<int>(lines);
    }
    r.selection = selectionNamed(ratio, frame);
    if (!r.selection.error.empty()) {
        return fail(r.selection.errorIn, r.selection.error);
    }
    // The calculator shows 4:3 sizes only under the 80 mm frame.
    if (!frame && r.selection.ratio == calc::Option::ratio4x3) {
        r.selection.frame = calc::Option::frame80;
    }
    return r;
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

struct Size {
    std::string_view name;
    const calc::ImageSize& image;
    const calc::Screen& screen;
};

std::array<Size, 3> sizesOf(const calc::RoomSizing& s) {
    return {{{"smallest", s.smallest, s.smallestScreen},
             {"recommended", s.recommended, s.recommendedScreen},
             {"largest", s.largest, s.largestScreen}}};
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
        out += line + "\n";
    }
    return out;
}

std::string roomTable(const Request& r, const calc::RoomSizing& s) {
    const std::string out =
        std::string(nameOf(r.room.content).word) + ", farthest viewer " +
        calc::plainNumberText(r.room.farthest) + " mm, closest viewer " +
        (r.room.closest ? calc::plainNumberText(*r.room.closest) + " mm" : "in the same row") +
        "\n\n";
    std::vector<std::vector<std::string>> sizes{{"image", "width", "height", "diagonal", "rule"}};
    std::array<std::string, 3> rules = rulesOf(r.room);
    if (r.room.content == Content::cinema && s.recommended.diagonal == s.largest.diagonal) {
        rules[1] = "the largest: 36° from the farthest viewer would be wider";
    }
    std::vector<std::vector<std::string>> screens{{"whole inches"}};
    for (const calc::ResultLabel& label : calc::resultLabels) {
        screens.push_back({std::string(label.caption)});
    }
    for (std::size_t n = 0; const Size& size : sizesOf(s)) {
        sizes.push_back({std::string(size.name), fixedText(size.image.width, 0) + " mm",
                         fixedText(size.image.height, 0) + " mm",
                         fixedText(size.image.diagonal, 2) + " in", rules[n++]});
        screens[0].push_back(std::string(size.name));
        for (std::size_t i = 0; i < calc::resultLabels.size(); ++i) {
            screens[i + 1].push_back(std::string(withoutDisplayBlanks(size.screen.texts[i])) + " " +
                                     std::string(unitOf(calc::resultLabels[i].result)));
        }
    }
    return out + columns(sizes, true) + "\n" + columns(screens);
}

std::string roomJson(const Request& r, const calc::RoomSizing& s) {
    std::string out = "{\"content\":\"" + std::string(nameOf(r.room.content).word) +
                      "\",\"farthest\":" + plainJson(r.room.farthest) +
                      ",\"closest\":" + plainJson(r.room.closest.value_or(r.room.farthest)) +
                      ",\"ratio\":\"" +
                      (r.selection.ratio == calc::Option::ratio4x3 ? "4:3" : "16:9") +
                      "\",\"frame\":\"" + std::string(calc::frameOf(r.selection.frame).text) + "\"";
    for (const Size& size : sizesOf(s)) {
        out += ",\"" + std::string(size.name) + "\":{\"width\":" + plainJson(size.image.width) +
               ",\"height\":" + plainJson(size.image.height) +
               ",\"diagonal\":" + plainJson(size.image.diagonal) + ",\"screen\":{";
        Calculation shown;
        shown.ok = true;
        shown.texts = size.screen.texts;
        appendJsonResults(out, shown);
        out += "}}";
    }
    return out + "}\n";
}

} // namespace

std::optional<std::string>* roomValue(RoomTexts& room, std::string_view name) {
    if (name.starts_with("--")) {
        name.remove_prefix(2);
    }
    for (auto [key, slot] : std::array<std::pair<std::string_view, std::optional<std::string>*>, 5>{
             {{"farthest", &room.farthest},
              {"closest", &room.closest},
              {"content", &room.content},
              {"element", &room.element},
              {"lines", &room.lines}}}) {
        if (key == name) {
            return slot;
        }
    }
    return nullptr;
}

int runRoom(const RoomTexts& room, std::optional<std::string_view> ratio,
            std::optional<std::string_view> frame, bool json, std::ostream& out,
            std::ostream& err) {
    const Request r = requestOf(room, ratio, frame, "--");
    if (!r.error.empty()) {
        reportUsage(err, r.error, false);
        return exitUsage;
    }
    const calc::RoomSizing s = calc::sizeRoom(r.room, r.selection.ratio, r.selection.frame);
    if (!s.ok()) {
        writeAll(err, "screencalc: --room: " + s.error + "\n");
        return exitFailed;
    }
    return emit(out, err, json ? roomJson(r, s) : roomTable(r, s)) ? exitComputed : exitFailed;
}

Calculation calculateRoomRow(std::string_view text, std::optional<std::string_view> ratio,
                             std::optional<std::string_view> frame) {
    Calculation c;
    RoomTexts given;
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
                      "element=PCT lines=N)";
            return c;
        }
        *slot = std::string(item.substr(eq + 1));
    }
    const Request r = requestOf(given, ratio, frame, "");
    if (!r.error.empty()) {
        c.error = r.error;
        return c;
    }
    const calc::RoomSizing s = calc::sizeRoom(r.room, r.selection.ratio, r.selection.frame);
    if (!s.ok()) {
        c.error = s.error;
        return c;
    }
    c.ok = true;
    c.texts = s.recommendedScreen.texts;
    return c;
}

} // namespace screencalc
