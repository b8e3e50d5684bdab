// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Snapshot.h"

#include <algorithm>
#include <cassert>

namespace sw {

PlanSnapshot TakeSnapshot(const CPlan& plan) {
    PlanSnapshot s;
    TakeSnapshot(plan, s);
    return s;
}

void TakeSnapshot(const CPlan& plan, PlanSnapshot& into) {
    into.Cells.clear();
    into.Hours.clear();
    for (const auto& h : plan.StundenL) {
        into.Cells.push_back(plan.PositionOf(*h));
        into.Hours.push_back(
            {h->Zeit, h->Modus, h->OberesLimit, h->UnteresLimit, h->TagesLimit, h->Tag});
    }
    into.Placed = plan.PlacedCount();
    into.Totals = plan.Totals();
    into.LehrerStatusL.assign(plan.LehrerStatusL.begin(), plan.LehrerStatusL.end());
    into.KlassenStatusL.assign(plan.KlassenStatusL.begin(), plan.KlassenStatusL.end());
    into.Ziele = plan.Ziele;
    into.KonfliktStunde = plan.KonfliktStunde;
    into.KonfliktRaum = plan.KonfliktRaum;
    into.KonfliktKlasse = plan.KonfliktKlasse;
    into.KonfliktLehrer = plan.KonfliktLehrer;
    into.KonfliktArt = plan.KonfliktArt;
}

namespace {

// Every hour in the cell the snapshot saw it in: first the hours that stand elsewhere leave their
// cells, then every hour missing from its cell takes it (each cell is then free: in the snapshot
// no two hours share one).
void RestoreCells(CPlan& plan, const std::vector<int>& cells) {
    for (int r = 0; r < plan.RaumAnzahl && plan.MarkerCount() > 0; ++r)
        for (int s = 0; s < kSlotCount; ++s)
            plan.ClearMarker(r, s);
    const std::size_t n = std::min(cells.size(), plan.StundenL.size());
    for (std::size_t i = 0; i < plan.StundenL.size(); ++i) {
        const int now = plan.PositionOf(*plan.StundenL[i]);
        const int then = i < n ? cells[i] : -1;
        if (now >= 0 && now != then) plan.Lift(now / kSlotCount, now % kSlotCount);
    }
    for (std::size_t i = 0; i < n; ++i) {
        CStunde& h = *plan.StundenL[i];
        const int then = cells[i];
        if (then < 0 || plan.PositionOf(h) == then) continue;
        assert(plan.IsFree(then / kSlotCount, then % kSlotCount));
        plan.Place(h, then / kSlotCount, then % kSlotCount);
    }
}

} // namespace

void RestoreSnapshot(CPlan& plan, const PlanSnapshot& snapshot) {
    RestoreCells(plan, snapshot.Cells);
    for (std::size_t i = 0; i < snapshot.Hours.size() && i < plan.StundenL.size(); ++i) {
        CStunde& h = *plan.StundenL[i];
        const PlanSnapshot::HourValues& v = snapshot.Hours[i];
        h.Zeit = v.Zeit;
        h.Modus = v.Modus;
        h.OberesLimit = v.OberesLimit;
        h.UnteresLimit = v.UnteresLimit;
        h.TagesLimit = v.TagesLimit;
        h.Tag = v.Tag;
    }
    plan.SetTotals(snapshot.Totals);
    if (snapshot.LehrerStatusL.size() == plan.LehrerStatusL.size())
        plan.LehrerStatusL.assign(snapshot.LehrerStatusL.begin(), snapshot.LehrerStatusL.end());
    if (snapshot.KlassenStatusL.size() == plan.KlassenStatusL.size())
        plan.KlassenStatusL.assign(snapshot.KlassenStatusL.begin(), snapshot.KlassenStatusL.end());
    plan.Ziele = snapshot.Ziele;
    plan.KonfliktStunde = snapshot.KonfliktStunde;
    plan.KonfliktRaum = snapshot.KonfliktRaum;
    plan.KonfliktKlasse = snapshot.KonfliktKlasse;
    plan.KonfliktLehrer = snapshot.KonfliktLehrer;
    plan.KonfliktArt = snapshot.KonfliktArt;
}

} // namespace sw
