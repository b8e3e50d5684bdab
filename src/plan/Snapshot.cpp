// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Snapshot.h"

namespace sw {

PlanSnapshot TakeSnapshot(const CPlan& plan) {
    PlanSnapshot s;
    s.Cells.reserve(plan.StundenL.size());
    for (const auto& h : plan.StundenL)
        s.Cells.push_back(plan.PositionOf(*h));
    s.Placed = plan.PlacedCount();
    s.KonfliktStunde = plan.KonfliktStunde;
    s.KonfliktRaum = plan.KonfliktRaum;
    s.KonfliktKlasse = plan.KonfliktKlasse;
    s.KonfliktLehrer = plan.KonfliktLehrer;
    s.KonfliktArt = plan.KonfliktArt;
    return s;
}

void RestoreSnapshot(CPlan& plan, const PlanSnapshot& snapshot) {
    plan.ClearPlacements();
    for (std::size_t i = 0; i < snapshot.Cells.size() && i < plan.StundenL.size(); ++i) {
        const int cell = snapshot.Cells[i];
        if (cell >= 0) plan.Place(*plan.StundenL[i], cell / kSlotCount, cell % kSlotCount);
    }
    plan.KonfliktStunde = snapshot.KonfliktStunde;
    plan.KonfliktRaum = snapshot.KonfliktRaum;
    plan.KonfliktKlasse = snapshot.KonfliktKlasse;
    plan.KonfliktLehrer = snapshot.KonfliktLehrer;
    plan.KonfliktArt = snapshot.KonfliktArt;
}

} // namespace sw
