// SPDX-License-Identifier: GPL-3.0-or-later
// Snapshot.h: the placement state of a plan kept aside, to go back to later: the best attempt of
// an initial-plan run, the best plan of a longer search. It holds everything a run may change:
// where every lesson hour stands, the per-hour values a run may change (the presets the initial
// plan releases, or a plan file sets), the figures and working values, the status records, the
// goals and the conflict report. Not the master data, not the options, and not the random
// generator: a search that goes back to its best plan goes on with new draws.
#pragma once

#include "plan/Plan.h"

#include <array>
#include <vector>

namespace sw {

struct PlanSnapshot {
    // The values of one lesson hour that a run may change.
    struct HourValues {
        std::int32_t Zeit = kNoSlot;
        sw::Modus Modus = sw::Modus::Frei;
        Flag OberesLimit = 0;
        Flag UnteresLimit = 0;
        Flag TagesLimit = 0;
        std::int32_t Tag = -1;
        bool operator==(const HourValues&) const = default;
    };

    std::vector<int> Cells; // per hour of StundenL: room*91+slot, or -1 when it stands nowhere
    std::vector<HourValues> Hours; // per hour of StundenL
    int Placed = 0;                // hours standing in the grid
    PlanTotals Totals;
    std::vector<CLehrerStatus> LehrerStatusL;
    std::vector<CKlassenStatus> KlassenStatusL;
    GoalSet Goals;
    ConflictReport Conflict;

    bool operator==(const PlanSnapshot&) const = default;
};

PlanSnapshot TakeSnapshot(const CPlan& plan);
// The same into an existing snapshot, whose lists keep their capacity: taking a snapshot of the
// same plan again allocates nothing.
void TakeSnapshot(const CPlan& plan, PlanSnapshot& into);

// Gives back the plan exactly as the snapshot saw it: every hour in its cell (markers are
// cleared), its values, the totals, the status records, the goals and the conflict report. Only
// the hours that stand elsewhere move. The snapshot must come from this plan.
void RestoreSnapshot(CPlan& plan, const PlanSnapshot& snapshot);

} // namespace sw
