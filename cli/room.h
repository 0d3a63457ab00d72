#pragma once
// screencalc --room and the batch rows "room": which screen a room needs
// (calc/room.h), with the calculator's texts for the diagonals it suggests.

#include "cli/calculation.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace screencalc {

// A room as given, each value as typed: --farthest 4000 on the command line,
// farthest=4000 in a batch row.
struct RoomTexts {
    std::optional<std::string> farthest;
    std::optional<std::string> closest;
    std::optional<std::string> content;
    std::optional<std::string> element;
    std::optional<std::string> lines;
};

// The value slot of an option (--farthest) or a row key (farthest); null for
// any other name.
std::optional<std::string>* roomValue(RoomTexts& room, std::string_view name);

// screencalc --room ...: the table or the JSON object; gives the exit status.
int runRoom(const RoomTexts& room, std::optional<std::string_view> ratio,
            std::optional<std::string_view> frame, bool json, std::ostream& out, std::ostream& err);

// A batch row's room ("farthest=4000 closest=3000 content=cinema"): the
// recommended diagonal's six texts.
Calculation calculateRoomRow(std::string_view text, std::optional<std::string_view> ratio,
                             std::optional<std::string_view> frame);

} // namespace screencalc
