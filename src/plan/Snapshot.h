// SPDX-License-Identifier: GPL-3.0-or-later
// Snapshot.h: where every lesson hour of a plan stands, and the plan's conflict report, kept
// aside to go back to later (the best attempt of a run, for instance). Taking and restoring
// change nothing else: the hours' presets, the goals and the figures stay as they are, so the
// caller evaluates the plan again after a restore.
#pragma once

#include "plan/Plan.h"

#include <vector>

namespace sw {

struct PlanSnapshot {
    std::vector<int> Cells; // per hour of StundenL: room*91+slot, or -1 when it stands nowhere
    int Placed = 0;         // hours standing in the grid
    const CStunde* KonfliktStunde = nullptr;
    int KonfliktRaum = -1;
    int KonfliktKlasse = -1;
    int KonfliktLehrer = -1;
    int KonfliktArt = -1;
};

PlanSnapshot TakeSnapshot(const CPlan& plan);

// Empties the grid (markers too) and puts every hour back where the snapshot saw it; the
// conflict report becomes the snapshot's. The snapshot must come from this plan.
void RestoreSnapshot(CPlan& plan, const PlanSnapshot& snapshot);

} // namespace sw
