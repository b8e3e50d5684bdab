// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Snapshot.h"
#include "plan/PlanWriter.h"

#include <algorithm>
#include <cassert>
#include <tuple>

namespace sw {

namespace {

// The values of an hour of a plan or a snapshot (their fields share their names), as a tuple of
// references: assigning one to another copies them either way.
template <typename H> auto HourValuesOf(H& h) {
    return std::tie(h.Zeit, h.Modus, h.OberesLimit, h.UnteresLimit, h.TagesLimit, h.Tag);
}

} // namespace

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
        HourValuesOf(into.Hours.emplace_back()) = HourValuesOf(*h);
    }
    into.Placed = plan.PlacedCount();
    into.Totals = plan.Totals();
    into.LehrerStatusL.assign(plan.LehrerStatusL.begin(), plan.LehrerStatusL.end());
    into.KlassenStatusL.assign(plan.KlassenStatusL.begin(), plan.KlassenStatusL.end());
    into.Goals = plan.Goals();
    into.Conflict = plan.Conflict();
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
    for (std::size_t i = 0; i < snapshot.Hours.size() && i < plan.StundenL.size(); ++i)
        HourValuesOf(*plan.StundenL[i]) = HourValuesOf(snapshot.Hours[i]);
    plan.SetTotals(snapshot.Totals);
    if (snapshot.LehrerStatusL.size() == plan.LehrerStatusL.size())
        PlanWriter::LehrerStatus(plan) = snapshot.LehrerStatusL;
    if (snapshot.KlassenStatusL.size() == plan.KlassenStatusL.size())
        PlanWriter::KlassenStatus(plan) = snapshot.KlassenStatusL;
    plan.SetGoals(snapshot.Goals);
    plan.ReportConflict(snapshot.Conflict);
}

} // namespace sw
