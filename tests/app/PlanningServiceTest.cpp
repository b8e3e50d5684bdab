// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanningService.h"

#include "files/PlanFile.h"
#include "plan/Invariants.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

// A school planned through the service and saved; the saved plan opened again is loosened by the
// limit options, never tightened, and "Manuell" runs with the options' goals.
TEST(PlanningService, PlansSavesAndContinuesWithTheOptions) {
    test::TempDir dir;
    CapturingReporter rep;
    RunControl run;
    PlanningService service(rep, run);
    PlanningOptions o;
    o.Seed = 3;
    o.StrictFirstHour = true;
    o.MultiOverLimit = true;
    o.Stages = {Stage::KlassenLuecken};
    o.StagePasses = 2;
    o.StageSeconds = 1e9;
    service.SetOptions(o);
    ASSERT_TRUE(service.OpenSchool(test::SourcePath("examples/gymnasium.sch")));
    service.ApplyLimits();
    EXPECT_EQ(service.Plan()->Flags().AbbruchErsteStunde, 0);
    EXPECT_EQ(service.Plan()->Flags().MehrfachUeberStundenLimit, 1);
    ASSERT_TRUE(service.RunInitialPlan().Complete());
    const std::vector<StageRecord> stages = service.RunStages();
    ASSERT_EQ(stages.size(), 1u);
    EXPECT_EQ(stages[0].Result.Passes, 2);
    const std::string path = dir.File("p.pdt");
    ASSERT_TRUE(service.Save(path));

    o = PlanningOptions{};
    o.CourseOverLimit = true;
    o.Goals = {Ziel::LehrerLuecken, Ziel::Trennungsfehler};
    service.SetOptions(o);
    ASSERT_TRUE(service.OpenPlan(path));
    service.ApplyLimits();
    const CPlan& plan = *service.Plan();
    EXPECT_EQ(plan.Flags().KursUeberStundenLimit, 1);
    EXPECT_EQ(plan.Flags().MehrfachUeberStundenLimit,
              1); // kept: the options only loosen a saved plan
    EXPECT_EQ(plan.Flags().AbbruchErsteStunde, 0);
    run.SetPassHook([&] {
        if (run.Passes() == 2) run.Halt();
    });
    EXPECT_EQ(service.RunStage(Stage::Manuell).Passes, 2);
    for (Ziel g : kAlleZiele)
        EXPECT_EQ(plan.HasGoal(g), o.Goals.Has(g)) << Nummer(g);
    EXPECT_TRUE(CheckInvariants(plan, true).Ok());
}

// The stop flag of the options ends the initial plan after the attempt in progress.
TEST(PlanningService, TheStopFlagHaltsTheRun) {
    CapturingReporter rep;
    RunControl run;
    PlanningService service(rep, run);
    std::atomic<bool> stop{true};
    PlanningOptions o;
    o.Stop = &stop;
    service.SetOptions(o);
    ASSERT_TRUE(service.OpenSchool(test::SourcePath("tests/cli/data/unplanbar.sch")));
    const InitialPlanResult r = service.RunInitialPlan();
    EXPECT_EQ(r.Versuche, 0);
    EXPECT_FALSE(r.Complete());
    EXPECT_TRUE(run.Idle());
}

} // namespace
} // namespace sw
