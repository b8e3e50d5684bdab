// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/MoveRecord.h"
#include "plan/ClassGaps.h"
#include "plan/Evaluation.h"
#include "plan/InitialPlan.h"
#include "plan/Invariants.h"
#include "plan/PlanWriter.h"
#include "support/PlanState.h"
#include "support/Plans.h"
#include "support/School.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;
using test::PlanState;

// Three rooms; 0, 1 L0 K0; 2 L1 K1; 3/4 course of L2 and L1 for K0 and K1.
test::PlanFixture RecordSchool() {
    test::PlanFixture f;
    f.s = MakeSchool(5, 6, 3, 3, 2, 1);
    AddBlock(f.s, "L0", "K0", "F0", {1, 1});
    AddBlock(f.s, "L1", "K1", "F0", {1});
    AddCourse(f.s, "Kurs", {"L2", "L1"}, {"K0", "K1"}, {1});
    f.Build();
    return f;
}

// A move with markers, status records and totals, taken back: everything as before, markers
// included; the record keeps the records and totals it saved first, whatever came later.
TEST(MoveRecord, UndoRestoresCellsMarkersRecordsAndTotals) {
    test::PlanFixture f = RecordSchool();
    CPlan& plan = *f.plan;
    f.Put(0, 0, 0, 1);
    f.Put(2, 1, 0, 2);
    EvaluateAll(plan);
    const PlanState before = PlanState::Of(plan);

    MoveRecord record;
    record.SaveTotals(plan);
    EXPECT_TRUE(record.SaveClass(plan, 0));
    EXPECT_FALSE(record.SaveClass(plan, 0)); // once per move
    EXPECT_TRUE(record.SaveTeacher(plan, 0));
    EXPECT_EQ(plan.LiftToMarker(0, SlotOf(0, 1), record), &f.H(0));
    EXPECT_TRUE(plan.IsMarker(0, SlotOf(0, 1)));
    EXPECT_EQ(plan.Lift(1, SlotOf(0, 2), record), &f.H(2));
    EXPECT_EQ(plan.Lift(2, SlotOf(0, 2), record), nullptr); // a free cell records nothing
    plan.Place(f.H(2), 0, SlotOf(0, 1), record);            // onto the marker
    plan.Place(f.H(0), 2, SlotOf(3, 3), record);
    ASSERT_EQ(record.Steps().size(), 4u);
    EXPECT_TRUE(record.Steps()[2].Marker);
    EvaluateAll(plan);
    record.SaveTotals(plan); // a second save keeps the first
    PlanWriter::Totals(plan).Opt.KProdRekord = 77;
    PlanWriter::Totals(plan).Opt.Temperatur = 3.5f;
    ASSERT_NE(PlanState::Of(plan), before);

    plan.Undo(record);
    EXPECT_EQ(PlanState::Difference(PlanState::Of(plan), before), "");
    EXPECT_FALSE(plan.IsMarker(0, SlotOf(0, 1)));
    EXPECT_TRUE(f.rep.shown.empty());
}

// A kept move drops its markers; undoing it later leaves free cells, not markers.
TEST(MoveRecord, AKeptMoveDropsItsMarkersAndCanStillBeUndone) {
    test::PlanFixture f = RecordSchool();
    CPlan& plan = *f.plan;
    f.Put(0, 0, 0, 1);
    f.Put(1, 1, 0, 3);
    const PlanState before = PlanState::Of(plan);
    MoveRecord record;
    plan.LiftToMarker(0, SlotOf(0, 1), record);
    plan.LiftToMarker(1, SlotOf(0, 3), record);
    plan.Place(f.H(1), 0, SlotOf(0, 1), record);
    plan.Place(f.H(0), 2, SlotOf(1, 1), record);
    plan.DropMarkers(record);
    EXPECT_FALSE(plan.IsMarker(1, SlotOf(0, 3)));
    EXPECT_TRUE(plan.IsFree(1, SlotOf(0, 3)));
    plan.Undo(record);
    EXPECT_EQ(PlanState::Difference(PlanState::Of(plan), before), "");
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        for (int s = 0; s < kSlotCount; ++s)
            EXPECT_FALSE(plan.IsMarker(r, s));
}

// An undo never overwrites a cell that holds something else than the move left there: it says
// so and leaves that cell alone (putting back used to skip such a cell without a word).
TEST(MoveRecord, UndoReportsACellThatNoLongerHoldsWhatTheMoveLeft) {
    test::PlanFixture f = RecordSchool();
    CPlan& plan = *f.plan;
    f.Put(0, 0, 0, 1);
    MoveRecord record;
    plan.Lift(0, SlotOf(0, 1), record);
    plan.Place(f.H(2), 0, SlotOf(0, 1)); // not through the record
    plan.Undo(record);
    ASSERT_EQ(f.rep.shown.size(), 1u);
    EXPECT_EQ(f.rep.shown[0], (Message{"Hier sollte die _LeerStunde stehen!", "Böser Fehler"}));
    EXPECT_EQ(plan.HourAt(0, SlotOf(0, 1)), &f.H(2));
    EXPECT_EQ(plan.PositionOf(f.H(0)), -1);
    EXPECT_TRUE(CheckInvariants(plan, false).Ok());
}

// Class-gap moves on one plan, each judged by a random goal set; adds the kept subject and
// course moves to the counts.
void ClassGapRounds(CPlan& plan, Random& rng, int rounds, int& keptSubject, int& keptCourse) {
    PlanWriter::Totals(plan).Opt.KProdToleranz = 200;
    PlanWriter::Totals(plan).Opt.KProdRekord = PlanWriter::Totals(plan).KProd;
    ClassGapMinimiser m(plan, rng);
    constexpr Ziel kGoals[] = {
        Ziel::KlassenLuecken,   Ziel::KlassenVerteilung,      Ziel::LehrerLueckenMaximum,
        Ziel::LehrerVerteilung, Ziel::Trennungsfehler,        Ziel::LehrerLuecken,
        Ziel::Sintflut,         Ziel::Spezialtrennungsfehler, Ziel::KlassenRekord,
        Ziel::KlassenAnnealing};
    constexpr int kModes[] = {kGapModeAll, kGapModeGaps, kGapModeSpread, kGapModeRecord,
                              kGapModeAnnealing};
    // Half the attempts go to classes of course blocks, so that course moves come up often.
    std::vector<int> inCourses;
    for (const auto& h : plan.StundenL)
        if (h->IsCourse())
            for (int k : *h->KlassenL)
                if (std::find(inCourses.begin(), inCourses.end(), k) == inCourses.end())
                    inCourses.push_back(k);
    ASSERT_FALSE(inCourses.empty());
    for (int round = 0; round < rounds; ++round) {
        plan.ClearGoals();
        for (Ziel g : kGoals)
            if (rng.Below(4) == 0) plan.SetGoal(g);
        PlanWriter::Totals(plan).Opt.Temperatur =
            plan.HasGoal(Ziel::Sintflut) ? static_cast<float>(plan.Totals().LLSSumme + 3) : 0.2f;
        const int klasse = round % 2 == 0 ? inCourses[rng.Below(static_cast<int>(inCourses.size()))]
                                          : rng.Below(plan.KlassenAnzahl);
        const PlanState before = PlanState::Of(plan);
        const bool kept = m.Attempt(klasse, kModes[round % 5]);
        ASSERT_EQ(kept, !m.Record().Empty()) << "round " << round;
        if (kept) (m.Record().Steps().size() > 2 ? keptCourse : keptSubject) += 1;
        // Every other kept move stays, so that the moves meet ever new plans.
        if (kept && round % 2 == 0) continue;
        plan.Undo(m.Record());
        ASSERT_EQ(PlanState::Difference(PlanState::Of(plan), before), "") << "round " << round;
    }
    EXPECT_TRUE(CheckInvariants(plan, false).Ok());
}

// Class-gap moves on the example school after a complete initial plan and on the mixed test
// school with hours placed at random: after a move and its undo (the move's own when the goals
// reject it, CPlan::Undo of its record when they keep it), grid, counts, status records and every
// total equal a copy taken before. Subject and course moves are both kept many times.
TEST(MoveRecord, EveryClassGapMoveIsUndoneExactly) {
    int keptSubject = 0, keptCourse = 0;
    {
        CapturingReporter rep;
        Stammdaten s = test::LoadExample("gymnasium.sch");
        CPlan plan(s, rep);
        plan.BuildLessonHours();
        ComputeTargets(plan);
        Random rng;
        ASSERT_TRUE(test::PlanCompletely(plan, rng, 1));
        ClassGapRounds(plan, rng, 4000, keptSubject, keptCourse);
        EXPECT_TRUE(rep.shown.empty());
    }
    {
        CapturingReporter rep;
        Stammdaten s = test::MixedSchool(true);
        CPlan plan(s, rep);
        test::PlaceAtRandom(plan, 31);
        Random rng;
        ClassGapRounds(plan, rng, 4000, keptSubject, keptCourse);
    }
    EXPECT_GT(keptSubject, 100);
    EXPECT_GT(keptCourse, 20);
}

} // namespace
} // namespace sw
