// SPDX-License-Identifier: GPL-3.0-or-later
// The compound move of the search as the stages use it: kept only when the stage's goals accept
// the whole chain, taken back exactly otherwise, and never against the placement check.
#include "optimise/ConflictSearch.h"
#include "optimise/InitialPlanRun.h"
#include "optimise/Stages.h"
#include "plan/Invariants.h"
#include "support/PlanState.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

struct Planned {
    Stammdaten s = test::LoadExample("gymnasium.sch");
    CapturingReporter rep;
    CPlan plan{s, rep};
    RunControl run;
    Random rng;
    Planned() {
        plan.BuildLessonHours();
        EXPECT_TRUE(RunInitialPlan(&plan, rng, rep, run, 1000, 11).Complete());
        EvaluateAll(plan);
    }
};

TEST(CompoundMove, IsKeptOnlyWhenTheGoalsAcceptItAndTakenBackExactlyOtherwise) {
    Planned p;
    CPlan& plan = p.plan;
    ConflictSearch search(plan, p.rng);
    constexpr ConflictSearch::Focus kFocus[] = {ConflictSearch::Focus::Separation,
                                                ConflictSearch::Focus::ClassGaps,
                                                ConflictSearch::Focus::TeacherGaps};
    const GoalSet goals[] = {{Ziel::KlassenLuecken},
                             {Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                              Ziel::Spezialtrennungsfehler},
                             {Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                              Ziel::Spezialtrennungsfehler, Ziel::LehrerLuecken}};
    int kept = 0, undone = 0;
    for (int round = 0; round < 600; ++round) {
        const int which = round % 3;
        plan.SetGoals(goals[which]);
        const test::PlanState before = test::PlanState::Of(plan);
        const int kls = plan.Totals().KLSSumme, tf = plan.Totals().TFSumme,
                  lls = plan.Totals().LLSSumme;
        if (search.Relocate(kFocus[which], AcceptanceKind::GoalTable, 30)) {
            ++kept;
            // The goals judged the whole chain: none of the figures they watch grew.
            EXPECT_LE(plan.Totals().KLSSumme, kls);
            if (which >= 1) {
                EXPECT_LE(plan.Totals().TFSumme, tf);
            }
            if (which == 2) {
                EXPECT_LE(plan.Totals().LLSSumme, lls);
            }
        } else {
            ++undone;
            const test::PlanState after = test::PlanState::Of(plan);
            ASSERT_EQ(before, after) << test::PlanState::Difference(before, after);
        }
        const InvariantReport inv = CheckInvariants(plan, true);
        ASSERT_TRUE(inv.Ok()) << round << ": " << inv.Violations.front();
    }
    EXPECT_GT(kept, 0);
    EXPECT_GT(undone, 0);
    EXPECT_EQ(plan.PlacedCount(), static_cast<int>(plan.StundenL.size()));
    EXPECT_EQ(test::FirstDisallowedPlacement(plan), "");
    EXPECT_TRUE(p.rep.shown.empty());
}

TEST(CompoundMove, StagesUseItOnlyWhenTold) {
    // Off, a stage draws exactly as it always did: the same plan as an optimiser that never heard
    // of compound moves. On, the stage still ends sound and no worse in its own figure.
    Planned a, b, c;
    for (Planned* p : {&a, &b, &c}) {
        p->run.SetPassHook([p] {
            if (p->run.Passes() >= 20) p->run.Halt();
        });
    }
    Optimiser plain(a.plan, a.rng, a.run, a.rep);
    Optimiser off(b.plan, b.rng, b.run, b.rep);
    off.SetCompoundMoves(false);
    Optimiser on(c.plan, c.rng, c.run, c.rep);
    on.SetCompoundMoves(true);
    const int tfBefore = c.plan.Totals().TFSumme;
    for (Stage stage : {Stage::KlassenLuecken, Stage::Trennungsfehler, Stage::LehrerLuecken}) {
        plain.RunStage(stage);
        off.RunStage(stage);
        on.RunStage(stage);
    }
    // Two plans of their own: compare where the hours stand, the records and the totals.
    const test::PlanState sa = test::PlanState::Of(a.plan), sb = test::PlanState::Of(b.plan);
    EXPECT_EQ(sa.positions, sb.positions);
    EXPECT_EQ(sa.counts, sb.counts);
    EXPECT_EQ(sa.teachers, sb.teachers);
    EXPECT_EQ(sa.classes, sb.classes);
    EXPECT_EQ(sa.totals, sb.totals);
    EXPECT_LE(c.plan.Totals().TFSumme, tfBefore);
    EXPECT_TRUE(CheckInvariants(c.plan, true).Ok());
    EXPECT_EQ(test::FirstDisallowedPlacement(c.plan), "");
    for (const Message& m : c.rep.shown)
        EXPECT_NE(m.Title, "Bösartiger Fehler") << m.Text;
}

} // namespace
} // namespace sw
