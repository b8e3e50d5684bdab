// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StageRunner.h"

#include "optimise/InitialPlanRun.h"
#include "plan/Evaluation.h"
#include "plan/Snapshot.h"
#include "support/School.h"

#include <atomic>
#include <gtest/gtest.h>

#include <memory>

namespace sw {
namespace {

// The Gymnasium after a complete initial plan with a fixed seed.
struct Planned {
    Stammdaten data = test::LoadExample("gymnasium.sch");
    CapturingReporter rep;
    std::unique_ptr<CPlan> plan;
    Random rng; // the initial plan's generator, which the stages go on with
    explicit Planned(std::uint32_t seed) {
        plan = std::make_unique<CPlan>(data, rep);
        plan->BuildLessonHours();
        RunControl run;
        EXPECT_TRUE(RunInitialPlan(plan.get(), rng, rep, run, 1000, seed).Complete());
    }
};

StageRunOptions Budget(std::vector<Stage> stages, int passes) {
    StageRunOptions o;
    o.Stages = std::move(stages);
    o.Seconds = 600;
    o.Passes = passes;
    return o;
}

// The records carry each stage's own figures, taken after a fresh evaluation, and each record is
// handed out before the next stage starts.
TEST(StageRunner, RunsTheStagesInOrderAndRecordsEach) {
    Planned p(7);
    StageRunOptions o =
        Budget({Stage::Trennungsfehler, Stage::KlassenLuecken, Stage::LehrerLuecken}, 3);
    std::vector<StageRecord> told;
    o.StageDone = [&](const StageRecord& r) {
        // The plan stands as the stage left it, and the record holds its fresh evaluation.
        CPlan& plan = *p.plan;
        EvaluateAll(plan);
        EXPECT_EQ(r.KLSSumme, plan.Totals().KLSSumme);
        EXPECT_EQ(r.TFSumme, plan.Totals().TFSumme);
        EXPECT_EQ(r.LLSSumme, plan.Totals().LLSSumme);
        EXPECT_EQ(r.LProd, plan.Totals().LProd);
        EXPECT_EQ(r.KProd, plan.Totals().KProd);
        EXPECT_EQ(r.KProdOpt, plan.Totals().KProdOpt);
        EXPECT_EQ(r.STFSumme, plan.Totals().STFSumme);
        EXPECT_EQ(r.LLSMax, plan.Totals().LLSMax);
        EXPECT_EQ(r.LProdOpt, plan.Totals().LProdOpt);
        told.push_back(r);
    };
    const std::vector<StageRecord> records = RunStages(*p.plan, p.rng, p.rep, o);
    ASSERT_EQ(records.size(), 3u);
    ASSERT_EQ(told.size(), 3u);
    const Stage order[] = {Stage::Trennungsfehler, Stage::KlassenLuecken, Stage::LehrerLuecken};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(records[i].Stage, order[i]);
        EXPECT_EQ(told[i].Stage, order[i]);
        EXPECT_EQ(told[i].Result.Passes, records[i].Result.Passes);
        // Each stage ends at its target or after its own three passes, counted from its start.
        EXPECT_TRUE(records[i].Result.Reached || records[i].Result.Passes == 3) << i;
        EXPECT_LE(records[i].Result.Passes, 3) << i;
        EXPECT_GE(records[i].Seconds, 0.0);
    }
    EXPECT_FALSE(records[1].Result.Reached); // class gaps stay after three passes
    EXPECT_TRUE(records[1].Result.Halted);
}

// The runner is the tool's old loop: one optimiser for all stages, each stage halted by its pass
// budget. The plan it leaves is the one that loop left, hour for hour.
TEST(StageRunner, LeavesThePlanThePassBudgetLoopLeft) {
    const std::vector<Stage> stages = {Stage::KlassenLuecken, Stage::KlassenVerteilung,
                                       Stage::Trennungsfehler, Stage::LehrerLuecken,
                                       Stage::LehrerVerteilung};
    Planned a(3);
    RunStages(*a.plan, a.rng, a.rep, Budget(stages, 4));

    Planned b(3);
    RunControl run;
    Optimiser optimiser(*b.plan, b.rng, run, b.rep);
    run.SetPassHook([&] {
        if (run.Passes() >= 4) run.Halt();
    });
    for (const Stage s : stages) {
        optimiser.RunStage(s);
        EvaluateAll(*b.plan);
    }
    EXPECT_EQ(TakeSnapshot(*a.plan).Cells, TakeSnapshot(*b.plan).Cells);
    EXPECT_EQ(a.plan->Totals().LLSSumme, b.plan->Totals().LLSSumme);
    EXPECT_EQ(a.plan->Totals().KProd, b.plan->Totals().KProd);
    EXPECT_EQ(a.rep.shown, b.rep.shown);
}

TEST(StageRunner, TheTimeBudgetEndsAStage) {
    Planned p(7);
    StageRunOptions o = Budget({Stage::KlassenLuecken, Stage::LehrerLuecken}, 0);
    o.Seconds = 2.5;
    double now = 0;
    o.Clock = [&now] { return now += 1.0; }; // every look at the clock costs a second
    const std::vector<StageRecord> records = RunStages(*p.plan, p.rng, p.rep, o);
    ASSERT_EQ(records.size(), 2u);
    for (const StageRecord& r : records) {
        // The clock is read once at the start and once after each pass.
        EXPECT_EQ(r.Result.Passes, 3);
        EXPECT_TRUE(r.Result.Halted);
        EXPECT_GE(r.Seconds, 2.5);
    }
}

TEST(StageRunner, AStopEndsThePassInProgressAndNoFurtherStageStarts) {
    Planned p(7);
    StageRunOptions o = Budget({Stage::KlassenLuecken, Stage::KlassenVerteilung}, 50);
    std::atomic<bool> stop{false};
    o.Stop = &stop;
    // The clock is read at the start and after each pass: the stop comes with the third pass.
    int read = 0;
    o.Clock = [&] {
        if (++read == 4) stop = true;
        return 0.0;
    };
    const std::vector<StageRecord> records = RunStages(*p.plan, p.rng, p.rep, o);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Stage, Stage::KlassenLuecken);
    EXPECT_EQ(records[0].Result.Passes, 3);
    EXPECT_TRUE(records[0].Result.Halted);

    // A stop before the first stage: nothing runs, the plan stays.
    const std::vector<int> before = TakeSnapshot(*p.plan).Cells;
    o.Clock = {};
    stop = true;
    EXPECT_TRUE(RunStages(*p.plan, p.rng, p.rep, o).empty());
    EXPECT_EQ(TakeSnapshot(*p.plan).Cells, before);
}

} // namespace
} // namespace sw
