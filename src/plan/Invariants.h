// SPDX-License-Identifier: GPL-3.0-or-later
// Invariants.h: what must hold of every plan between moves. Used by tests, by the command-line
// check, by long soak runs and, in the test builds, by the optimiser before each figure refresh.
// Only reads the plan; the totals the moves keep by differences are compared with an evaluation
// into scratch records.
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
// grid. With `compareTotals`, also no difference of KeptTotalsDrift.
InvariantReport CheckInvariants(const CPlan& plan, bool compareTotals);

// The first difference between what the moves keep and a fresh evaluation of the grid, as a
// sentence ("KLSSumme ist 18, neu berechnet 17."), or empty when there is none. Compared are the
// totals LLSSumme, KLSSumme, TFSumme, STFSumme, LProd and KProd, LLSMax (which may stand above the
// fresh value: moves only ever raise it) and every teacher's and class's status record. TFMax
// and STFMax are not kept by the moves and not compared.
std::string KeptTotalsDrift(const CPlan& plan);

} // namespace sw
