// SPDX-License-Identifier: GPL-3.0-or-later
// Every move of the optimisation writes its own reverse: after a random move and its undo (the
// move's own when the goals reject it, CPlan::Undo of its record when they keep it), grid,
// occupancy counts, status records and every total equal a copy taken before.
#include "optimise/InitialPlanRun.h"
#include "optimise/Stages.h"
#include "plan/Invariants.h"
#include "plan/PlanWriter.h"
#include "support/PlanState.h"
#include "support/Plans.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::PlanState;

// Under AddressSanitizer every round costs twenty times as much; half the rounds still bring
// every kind of move up often enough.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kRoundShare = 2;
#else
constexpr int kRoundShare = 1;
#endif

// A plan to move on: the example school after a complete initial plan, or the mixed test school
// (more course blocks for its few classes) with hours placed at random.
struct MovingPlan {
    Stammdaten s;
    CapturingReporter rep;
    std::unique_ptr<CPlan> owned;
    Random rng; // the moves and the test's own choices draw from it
    RunControl run;
    std::unique_ptr<Optimiser> opt;

    explicit MovingPlan(bool example)
        : s(example ? test::LoadExample("gymnasium.sch") : test::MixedSchool(true)) {
        owned = std::make_unique<CPlan>(s, rep);
        CPlan& plan = *owned;
        if (example) {
            plan.BuildLessonHours();
            EXPECT_TRUE(RunInitialPlan(&plan, rng, rep, run, 1000, 11).Complete());
            EvaluateAll(plan);
        } else {
            test::PlaceAtRandom(plan, 23);
        }
        PlanWriter::Totals(plan).Opt.BestLLS = PlanWriter::Totals(plan).LLSSumme;
        PlanWriter::Totals(plan).Opt.LLSAkzeptanz = 3;
        opt = std::make_unique<Optimiser>(plan, rng, run, rep);
    }
    CPlan& Plan() { return *owned; }

    // A random goal set: each goal on with a chance of one in four; a deluge level a little above
    // the gap total, else a low temperature.
    void RandomGoals() {
        constexpr Ziel kGoals[] = {Ziel::KlassenLuecken,
                                   Ziel::KlassenVerteilung,
                                   Ziel::LehrerLueckenMaximum,
                                   Ziel::LehrerVerteilung,
                                   Ziel::Trennungsfehler,
                                   Ziel::LehrerLuecken,
                                   Ziel::TrennungBeiGleichenLuecken,
                                   Ziel::LueckenBeiGleicherTrennung,
                                   Ziel::Sintflut,
                                   Ziel::Spezialtrennungsfehler,
                                   Ziel::RekordMitMarge,
                                   Ziel::Annealing};
        CPlan& plan = Plan();
        plan.ClearGoals();
        for (Ziel g : kGoals)
            if (rng.Below(4) == 0) plan.SetGoal(g);
        PlanWriter::Totals(plan).Opt.Temperatur =
            plan.HasGoal(Ziel::Sintflut) ? static_cast<float>(plan.Totals().LLSSumme + 3) : 0.3f;
    }
    AcceptanceKind RandomRule() {
        constexpr AcceptanceKind kRules[] = {
            AcceptanceKind::GoalTable, AcceptanceKind::ClassRecord, AcceptanceKind::Deluge,
            AcceptanceKind::RecordPlusMargin, AcceptanceKind::Annealing};
        return kRules[rng.Below(5)];
    }
    int RandomSlot() { return SlotOf(rng.Below(Plan().Tage), rng.InRange(1, Plan().Stunden)); }
};

// Goal-directed tries on one plan; adds the kept moves of each kind to `kept`.
void ImproverRounds(MovingPlan& r, int rounds, long long (&kept)[3]) {
    CPlan& plan = r.Plan();
    GoalImprover& improver = r.opt->Improver();
    for (int round = 0; round < rounds; ++round) {
        r.RandomGoals();
        const AcceptanceKind rule = r.RandomRule();
        // A third of the tries start at a course hour, a third at an hour of a multi-hour unit,
        // so that course swaps and unit shifts come up often enough.
        int klasse = r.rng.Below(plan.KlassenAnzahl);
        int k = r.RandomSlot();
        const CStunde& h = *plan.StundenL[r.rng.Below(static_cast<int>(plan.StundenL.size()))];
        const bool wanted = round % 3 == 1 ? h.IsCourse() : round % 3 == 2 && h.BlockPos >= 0;
        if (wanted && plan.PositionOf(h) >= 0) {
            klasse = h.IsCourse() ? h.KlassenL->front() : h.Klasse;
            k = plan.SlotOfHour(h);
        }
        const int l = r.RandomSlot();
        if (k == l) continue;
        const GoalImprover::Counts counts = improver.Accepted();
        const PlanState before = PlanState::Of(plan);
        const int accepted = improver.TryPair(klasse, k, l, rule);
        ASSERT_EQ(accepted > 0, !improver.Record().Empty()) << "round " << round;
        const GoalImprover::Counts& now = improver.Accepted();
        kept[0] += now.singleSwaps - counts.singleSwaps;
        kept[1] += now.courseSwaps - counts.courseSwaps;
        kept[2] += now.unitShifts - counts.unitShifts;
        if (accepted > 0 && round % 4 == 0) continue; // some moves stay
        plan.Undo(improver.Record());
        ASSERT_EQ(PlanState::Difference(PlanState::Of(plan), before), "") << "round " << round;
    }
    EXPECT_TRUE(CheckInvariants(plan, false).Ok());
    EXPECT_TRUE(r.rep.shown.empty());
}

TEST(MoveUndo, SingleSwapCourseSwapAndUnitShift) {
    long long kept[3] = {0, 0, 0};
    for (bool example : {true, false}) {
        MovingPlan r(example);
        ImproverRounds(r, 15000 / kRoundShare, kept);
    }
    EXPECT_GT(kept[0], 200) << "single swaps";
    EXPECT_GT(kept[1], 20) << "course swaps";
    EXPECT_GT(kept[2], 20) << "unit shifts";
}

TEST(MoveUndo, Exchange) {
    int keptCount = 0, keptWorse = 0, tested = 0;
    for (bool example : {true, false}) {
        MovingPlan r(example);
        CPlan& plan = r.Plan();
        ExchangeMove& move = r.opt->Exchange();
        for (int round = 0; round < 10000 / kRoundShare; ++round) {
            r.RandomGoals();
            const int klasse = r.rng.Below(plan.KlassenAnzahl);
            const ExchangeRequest request{.FirstSlot = r.RandomSlot(),
                                          .SecondSlot = r.RandomSlot(),
                                          .ClassAtFirst = klasse,
                                          .ClassAtSecond = klasse,
                                          .Rule = r.RandomRule(),
                                          .KeepIfWorse = r.rng.Below(5) == 0,
                                          .Commit = r.rng.Below(5) != 0};
            const PlanState before = PlanState::Of(plan);
            const bool feasible = move(request);
            ASSERT_EQ(move.LastKept(), !move.Record().Empty()) << "round " << round;
            if (!request.Commit) {
                ASSERT_FALSE(move.LastKept());
                tested += feasible ? 1 : 0;
            }
            if (move.LastKept()) {
                ++keptCount;
                keptWorse += request.KeepIfWorse ? 1 : 0;
                if (round % 3 == 0) continue; // some exchanges stay
            }
            plan.Undo(move.Record());
            ASSERT_EQ(PlanState::Difference(PlanState::Of(plan), before), "") << "round " << round;
        }
        EXPECT_TRUE(CheckInvariants(plan, false).Ok());
        EXPECT_TRUE(r.rep.shown.empty());
    }
    EXPECT_GT(keptCount, 100);
    EXPECT_GT(keptWorse, 20);
    EXPECT_GT(tested, 20);
}

} // namespace
} // namespace sw
