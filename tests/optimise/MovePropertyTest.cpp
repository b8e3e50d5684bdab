// SPDX-License-Identifier: GPL-3.0-or-later
// Every move, thousands of times, on the example school: after each call the plan holds
// together and every total the moves keep by differences equals a fresh evaluation.
#include "optimise/InitialPlanRun.h"
#include "optimise/Stages.h"
#include "plan/Invariants.h"
#include "plan/PlanWriter.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(MoveProperties, RandomMovesOnTheExampleSchool) {
    Stammdaten s = test::LoadExample("gymnasium.sch");
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    RunControl run;
    Random rng;
    ASSERT_TRUE(RunInitialPlan(&plan, rng, rep, run, 1000, 11).Complete());
    EvaluateAll(plan);
    Optimiser opt(plan, rng, run, rep);
    PlanWriter::Totals(plan).Opt.BestLLS = PlanWriter::Totals(plan).LLSSumme;
    PlanWriter::Totals(plan).Opt.LLSAkzeptanz = 3;
    PlanWriter::Totals(plan).Opt.KProdToleranz = 200;
    PlanWriter::Totals(plan).Opt.KProdRekord = PlanWriter::Totals(plan).KProd;
    int calls[3] = {0, 0, 0};
    for (int round = 0; round < 2500; ++round) {
        // A random goal set: each goal on with a chance of one in four.
        plan.ClearGoals();
        for (Ziel g : kAlleZiele)
            if (rng.Below(4) == 0) plan.SetGoal(g);
        PlanWriter::Totals(plan).Opt.Temperatur =
            plan.HasGoal(Ziel::Sintflut) ? static_cast<float>(plan.Totals().LLSSumme + 5) : 0.2f;
        const int kind = rng.Below(3);
        ++calls[kind];
        if (kind == 0) {
            const int k = rng.Below(plan.KlassenAnzahl);
            const int a = SlotOf(rng.Below(plan.Tage), rng.InRange(1, plan.Stunden));
            const int b = SlotOf(rng.Below(plan.Tage), rng.InRange(1, plan.Stunden));
            const bool keepIfWorse = rng.Below(4) == 0;
            const bool commit = rng.Below(4) != 0;
            opt.Exchange()({.FirstSlot = a,
                            .SecondSlot = b,
                            .ClassAtFirst = k,
                            .ClassAtSecond = k,
                            .Rule = AcceptanceKind::RecordPlusMargin,
                            .KeepIfWorse = keepIfWorse,
                            .Commit = commit});
        } else if (kind == 1) {
            opt.Improver()(rng.Below(2) ? AcceptanceKind::Annealing : AcceptanceKind::GoalTable, 2,
                           3);
        } else {
            constexpr int kModes[] = {0, 1, 4, 19, 20};
            opt.Gaps().Pass(kModes[rng.Below(5)], 2);
        }
        const InvariantReport r = CheckInvariants(plan, true);
        ASSERT_TRUE(r.Ok()) << "round " << round << " kind " << kind << ": "
                            << r.Violations.front();
        ASSERT_EQ(r.Unplaced, 0);
        EvaluateAll(plan);
    }
    for (int c : calls)
        EXPECT_GT(c, 700);
    for (const Message& m : rep.shown)
        EXPECT_NE(m.Title, "Bösartiger Fehler") << m.Text;
}

} // namespace
} // namespace sw
