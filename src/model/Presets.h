// SPDX-License-Identifier: GPL-3.0-or-later
// Presets.h: time presets that can never be met. A unit fixed outside the week in use, an hour
// limit its length can never keep, a day restriction to a day that is not there, the teachers of
// a course with different presets for the same lesson, two fixed units that need the same class,
// teacher or room at the same time, a fixed unit at a locked time: planning would spend all its
// attempts on them. The readers, the lesson definitions and the start of planning ask here, so
// all of them refuse the same.
#pragma once

#include "model/Entities.h"
#include "model/Stammdaten.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// A unit counts as fixed with a time and neither an upper nor a lower limit (a limit holds an
// hour, not a slot).
bool IsFixedUnit(const CEinheit& e);

// Why the presets of unit `e` can never be met in the week `a`, as the rest of a sentence about
// the unit ("ist am 7. Tag fest; die Woche hat nur 5 Tage"); nothing when they can. The unit's
// length is taken as valid (1 up to the hours of a day).
std::optional<std::string> UnitPresetFault(const AllgemeineAngaben& a, const CEinheit& e);

// The preset in which `other` differs from `first` ("in der Tageseinschränkung"), or nothing.
// The units at one position of a course's teachers are one lesson and always lie together, so
// they must agree in length, time and every preset; only their rooms differ.
std::optional<std::string> ParallelDifference(const CEinheit& first, const CEinheit& other);

// Why the teachers of course `k` do not hold one lesson at a time: a teacher with another number
// of units than the first, or a unit that differs from the first teacher's in length, time or a
// preset. Nothing when they agree.
std::optional<std::string> CourseParallelFault(const CKursBlock& k);

// "die 2. Einheit des Unterrichts "T / K / F"" (by the block's key) and "die 2. Einheit des Lehrers
// "T" im Kurs "K"": how the sentences below name a unit.
std::string FachEinheitText(std::string_view key, std::size_t unit);
std::string KursEinheitText(const CKursBlock& k, std::size_t teacher, std::size_t unit);

// Everything in `data` that can never be met, one sentence each, at most `limit` of them: the
// faults of single units and of a course's parallel units, two fixed units that share a class,
// a teacher or a room at one slot (both named, and the slot), and fixed units at a slot where
// their class, teacher or room is locked.
std::vector<std::string> UnmeetablePresets(const Stammdaten& data, std::size_t limit = 10);

// The refusal of planning that lists them (title "Fehler").
std::string UnmeetablePresetsText(const std::vector<std::string>& problems);

} // namespace sw
