// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Snapshot.h"
#include "plan/ClassGaps.h"
#include "plan/Evaluation.h"
#include "plan/Invariants.h"
#include "plan/PlanWriter.h"
#include "support/PlanState.h"
#include "support/Plans.h"
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
    PlanWriter::Flags(plan).MehrfachUeberStundenLimit =
        PlanWriter::Flags(plan).MehrfachKursUeberStundenLimit = 1;
    PlanWriter::Flags(plan).KursUeberStundenLimit = 1;
    Random rng(7);
    test::PlaceRandomly(plan, rng, 200);
    ASSERT_GT(plan.PlacedCount(), 10);
    PlanWriter::Conflict(plan).KonfliktStunde = plan.StundenL[3].get();
    PlanWriter::Conflict(plan).KonfliktArt = Konflikt::Lehrer;
    PlanWriter::Conflict(plan).KonfliktLehrer = 2;
    const PlanSnapshot snap = TakeSnapshot(plan);
    EXPECT_EQ(snap.Placed, plan.PlacedCount());
    std::vector<int> before;
    for (const auto& h : plan.StundenL)
        before.push_back(plan.PositionOf(*h));

    plan.ClearPlacements();
    test::PlaceRandomly(plan, rng, 200);
    plan.PutMarker(0, SlotOf(4, 5));
    PlanWriter::Conflict(plan).KonfliktArt = Konflikt::Raum;
    PlanWriter::Conflict(plan).KonfliktStunde = nullptr;

    RestoreSnapshot(plan, snap);
    for (const auto& h : plan.StundenL)
        EXPECT_EQ(plan.PositionOf(*h), before[h->Index]) << h->Index;
    EXPECT_EQ(plan.PlacedCount(), snap.Placed);
    EXPECT_FALSE(plan.IsMarker(0, SlotOf(4, 5)));
    EXPECT_EQ(plan.Conflict().KonfliktStunde, plan.StundenL[3].get());
    EXPECT_EQ(plan.Conflict().KonfliktArt, Konflikt::Lehrer);
    EXPECT_EQ(plan.Conflict().KonfliktLehrer, 2);
    const InvariantReport r = CheckInvariants(plan, false);
    EXPECT_TRUE(r.Ok()) << r.Violations.front();
}

// Everything a run may change comes back exactly: cells and counts, the values the initial plan
// releases or a plan file sets, figures and working values, status records, goals.
TEST(Snapshot, RestoreGivesBackThePlanExactlyAsTaken) {
    Stammdaten s = test::MixedSchool(true);
    CapturingReporter rep;
    CPlan plan(s, rep);
    test::PlaceAtRandom(plan, 3);
    plan.SetGoal(Ziel::KlassenLuecken);
    plan.SetGoal(Ziel::KlassenAnnealing);
    PlanWriter::Totals(plan).Opt.SetOptWerte({5, 6, 7, 8, 9, 10});
    PlanWriter::Totals(plan).Opt.KProdRekord = PlanWriter::Totals(plan).KProd;
    PlanWriter::Totals(plan).Opt.KProdToleranz = 200;
    PlanWriter::Totals(plan).Opt.Temperatur = 0.25f;
    plan.StundenL[4]->Zeit = SlotOf(1, 2);
    plan.StundenL[4]->Modus = Modus::ZeitFest;
    plan.StundenL[4]->TagesLimit = 1;
    plan.StundenL[4]->Tag = 1;
    const test::PlanState state = test::PlanState::Of(plan);
    const PlanSnapshot snap = TakeSnapshot(plan);
    const GoalSet goals = plan.Goals();

    // A run changes the grid, the figures, the records, the goals and the presets.
    Random rng;
    ClassGapMinimiser m(plan, rng);
    plan.ClearGoals();
    for (int pass = 0; pass < 20; ++pass)
        m.Pass(kGapModeAll, 5);
    plan.SetGoal(Ziel::LehrerLuecken);
    PlanWriter::Totals(plan).Opt.BestLLS = 1;
    PlanWriter::Totals(plan).Opt.Temperatur = 3.0f;
    plan.StundenL[4]->Zeit = kNoSlot;
    plan.StundenL[4]->Modus = Modus::Frei;
    plan.StundenL[4]->TagesLimit = 0;
    plan.StundenL[4]->Tag = -1;
    plan.PutMarker(0, SlotOf(6, 3));
    ASSERT_GT(m.Kept(), 10);
    ASSERT_NE(test::PlanState::Of(plan), state);

    RestoreSnapshot(plan, snap);
    EXPECT_EQ(test::PlanState::Difference(test::PlanState::Of(plan), state), "");
    EXPECT_EQ(plan.Goals(), goals);
    EXPECT_EQ(plan.StundenL[4]->Zeit, SlotOf(1, 2));
    EXPECT_EQ(plan.StundenL[4]->Modus, Modus::ZeitFest);
    EXPECT_EQ(plan.StundenL[4]->TagesLimit, 1);
    EXPECT_EQ(plan.StundenL[4]->Tag, 1);
    EXPECT_EQ(TakeSnapshot(plan), snap);
    EXPECT_EQ(plan.MarkerCount(), 0);
    EXPECT_TRUE(CheckInvariants(plan, true).Ok());
}

// A best-so-far plan is taken again and again: into the same snapshot it allocates nothing.
TEST(Snapshot, TakingAgainReusesTheLists) {
    Stammdaten s = test::SmallSchool();
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    Random rng(5);
    test::PlaceRandomly(plan, rng, 100);
    PlanSnapshot snap;
    TakeSnapshot(plan, snap);
    const int* cells = snap.Cells.data();
    const auto* hours = snap.Hours.data();
    const auto* classes = snap.KlassenStatusL.data();
    plan.ClearPlacements();
    test::PlaceRandomly(plan, rng, 100);
    TakeSnapshot(plan, snap);
    EXPECT_EQ(snap.Cells.data(), cells);
    EXPECT_EQ(snap.Hours.data(), hours);
    EXPECT_EQ(snap.KlassenStatusL.data(), classes);
    EXPECT_EQ(snap, TakeSnapshot(plan));
}

} // namespace
} // namespace sw
