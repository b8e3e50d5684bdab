// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Snapshot.h"
#include "plan/Invariants.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

// A snapshot brings back every position exactly, with the occupancy counts beside the grid and
// the conflict report, whatever happened to the grid in between.
TEST(Snapshot, RestoresEveryPositionAndTheConflictReport) {
    Stammdaten s = test::SmallSchool();
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    plan.MehrfachUeberStundenLimit = plan.MehrfachKursUeberStundenLimit = 1;
    plan.KursUeberStundenLimit = 1;
    Random rng(7);
    test::PlaceRandomly(plan, rng, 200);
    ASSERT_GT(plan.PlacedCount(), 10);
    plan.KonfliktStunde = plan.StundenL[3].get();
    plan.KonfliktArt = kKonfliktLehrer;
    plan.KonfliktLehrer = 2;
    const PlanSnapshot snap = TakeSnapshot(plan);
    EXPECT_EQ(snap.Placed, plan.PlacedCount());
    std::vector<int> before;
    for (const auto& h : plan.StundenL)
        before.push_back(plan.PositionOf(*h));

    plan.ClearPlacements();
    test::PlaceRandomly(plan, rng, 200);
    plan.PutMarker(0, SlotOf(4, 5));
    plan.KonfliktArt = kKonfliktRaum;
    plan.KonfliktStunde = nullptr;

    RestoreSnapshot(plan, snap);
    for (const auto& h : plan.StundenL)
        EXPECT_EQ(plan.PositionOf(*h), before[h->Index]) << h->Index;
    EXPECT_EQ(plan.PlacedCount(), snap.Placed);
    EXPECT_FALSE(plan.IsMarker(0, SlotOf(4, 5)));
    EXPECT_EQ(plan.KonfliktStunde, plan.StundenL[3].get());
    EXPECT_EQ(plan.KonfliktArt, kKonfliktLehrer);
    EXPECT_EQ(plan.KonfliktLehrer, 2);
    const InvariantReport r = CheckInvariants(plan, false);
    EXPECT_TRUE(r.Ok()) << r.Violations.front();
}

} // namespace
} // namespace sw
