// SPDX-License-Identifier: GPL-3.0-or-later
// DefinitionChecks.h: may a unit be pinned to this time, may it be given this room? Checked at
// once while lessons are defined, against the locks and the presets already made, so that the
// fixed hours the initial plan places without any check can never collide. Reads the master
// data, never writes it; the LessonEditor applies an allowed choice.
//
// Every check runs in a fixed order and the first that fails gives its text; the window shows it
// in its conflict label (not in a message box). The selected unit itself never counts, nor, for
// a unit of a course block, the units at the same position of the course's other teachers (its
// parallel units), which always share its time. A unit counts as fixed only with a time and
// neither an upper nor a lower limit: a limit holds an hour, not a slot. A refusal names who
// stands in the way: the class or the teacher whose fixed lesson clashes, or the room.
#pragma once

#include "define/Lessons.h"
#include "model/Stammdaten.h"

#include <string>
#include <string_view>
#include <vector>

namespace sw {

// The answer of a check: allowed (no text) or the reason of the refusal.
struct DefinitionCheck {
    std::string Refusal;

    bool Allowed() const { return Refusal.empty(); }
    static DefinitionCheck Ok() { return {}; }
    static DefinitionCheck Refuse(std::string text) { return {std::move(text)}; }
};

// The texts without a rule behind them.
namespace definitionstext {
inline constexpr const char* KeineEinheit = "Sie müssen zuerst eine Einheit auswählen.";
inline constexpr const char* MehrereEinheiten =
    "Es kann mit einem mal immer nur einer Einheit eine Unterrichtszeit zugewiesen werden.";
} // namespace definitionstext

// Pinning the units `selected` (positions in the current unit list) to `slot`, their first hour:
// refused without a unit and with more than one, then by the rules of a subject block's or a
// course block's unit in their order. A slot outside the week in use is refused too.
DefinitionCheck CheckTime(const Stammdaten& data, const AktuellerBlock& block,
                          const std::vector<int>& selected, int slot);

// Giving the unit at `position` the room `raum`: refused without a unit, then by the rules in
// their order. `raumCheck` is the state of "Raum-Überprüfung": off, only locks, overlaps and
// the parallel units' rooms refuse. A room that does not exist is refused.
DefinitionCheck CheckRoom(const Stammdaten& data, const AktuellerBlock& block, int position,
                          std::string_view raum, bool raumCheck);

} // namespace sw
