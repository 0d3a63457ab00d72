#pragma once
// screencalc --room and the batch rows "room": which screen a room needs,
// or with --diagonal which seats suit a screen (calc/room.h), with the
// calculator's texts for the diagonals. The texts are read and checked by
// the core; this file only words and lays out what the core answers.

#include "calc/room.h"
#include "cli/calculation.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace screencalc {

// The value slot of an option (--farthest) or a row key (farthest); null for
// any other name.
std::optional<std::string>* roomValue(calc::RoomTexts& room, std::string_view name);

// screencalc --room ...: the tables or the JSON object; gives the exit
// status: 2 when a text is wrong, 1 when the room has no answer.
int runRoom(const calc::RoomTexts& room, std::optional<std::string_view> ratio,
            std::optional<std::string_view> frame, bool json, std::ostream& out, std::ostream& err);

// A batch row's room ("farthest=4000 closest=3000 content=cinema"): the
// recommended diagonal's six texts, the whole range as a notice and, for
// JSON rows, the whole answer of --room --json; with diagonal=IN, that
// diagonal's texts and the seats of each content.
Calculation calculateRoomRow(std::string_view text, std::optional<std::string_view> ratio,
                             std::optional<std::string_view> frame);

} // namespace screencalc
