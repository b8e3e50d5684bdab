// SPDX-License-Identifier: GPL-3.0-or-later
// Invariants.h: what must hold of every plan between moves. Used by tests, by the command-line
// check and by long soak runs. Reads the plan; with `compareTotals` it re-evaluates a copy of
// the figures and compares them with the totals the moves kept by differences.
#pragma once

#include "plan/Plan.h"

#include <string>
#include <vector>

namespace sw {

struct InvariantReport {
    std::vector<std::string> Violations; // German, one line each
    int Placed = 0;
    int Unplaced = 0;
    bool Ok() const { return Violations.empty(); }
};

// Checks: every lesson hour stands in at most one cell, inside the week in use, and its recorded
// position matches the grid; the hours of a unit stand at consecutive slots of one day (all or none
// of them placed); the parallel hours of a course hour stand at one slot; no teacher or class has
// two lessons at a slot except parallel hours of one course block; the occupancy counts match the
// grid. With `compareTotals`, the plan's totals and status records equal a fresh evaluation (the
// plan's records are then left as the fresh evaluation computed them).
InvariantReport CheckInvariants(CPlan& plan, bool compareTotals);

} // namespace sw
