// SPDX-License-Identifier: GPL-3.0-or-later
// Placement.h: may lesson hour h stand at slot s in room r? The single rule book of the planner:
// the initial plan, the gap minimisation, every optimisation move and every manual move ask it.
// It never changes the grid; it only answers and writes the plan's conflict report.
#pragma once

#include "plan/Plan.h"

namespace sw {

// nullptr: h may stand at (slot, room); the report fields are then -1 except KonfliktStunde,
// which keeps its value. Otherwise the refusal, with KonfliktArt and the report fields set:
// the occupant of the cell (kind 0), the clashing hour (kinds 1, 2), the cell's placeholder
// (kind 4 for a locked room) or h itself (kinds 3, 5, and 4 for a locked teacher or class).
// A slot outside the week in use (Plan::InWeek) is refused first, as kind 5 with h itself.
// h standing in that very cell is refused as occupied. Allocates nothing.
const CStunde* CheckPlacement(CPlan& plan, const CStunde& h, int slot, int room);

// The rules in the order the check applies them; each returns the refusal or nullptr.
namespace rules {
const CStunde* OutsideWeek(CPlan& plan, const CStunde& h, int slot);
const CStunde* CellOccupied(CPlan& plan, int slot, int room);
const CStunde* RoomLocked(CPlan& plan, int slot, int room);
const CStunde* FixedTime(CPlan& plan, const CStunde& h, int slot);
const CStunde* HourBound(CPlan& plan, const CStunde& h, int slot);
const CStunde* DayLimit(CPlan& plan, const CStunde& h, int slot);
const CStunde* TeacherLocked(CPlan& plan, const CStunde& h, int slot);
const CStunde* SubjectHourClash(CPlan& plan, const CStunde& h, int slot);
const CStunde* CourseHourClash(CPlan& plan, const CStunde& h, int slot);
} // namespace rules

} // namespace sw
