// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanJob.h"

#include "plan/PlanWriter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

PlanJobOptions Gymnasium() {
    PlanJobOptions o;
    o.School = test::SourcePath("examples/gymnasium.sch");
    o.Planning.Seed = 5;
    o.Planning.Search = true;
    o.Planning.Stages = {Stage::KlassenLuecken, Stage::Trennungsfehler};
    o.Planning.StageSeconds = 1e9; // the pass budget decides, so the runs are reproducible
    o.Planning.StagePasses = 3;
    return o;
}

// The plan file a run would write.
std::string PlanBytes(PlanJobRun& run, const test::TempDir& dir, const std::string& name) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(run.Schule->SavePlanFile(path));
    return test::ReadFileBytes(path);
}

TEST(PlanJob, RunsOnThreadsShareNothing) {
    // Three runs at once give exactly the plans each seed gives alone.
    PlanJobOptions o = Gymnasium();
    o.Planning.Jobs = 3;
    std::size_t best = 99;
    std::vector<PlanJobRun> runs = RunPlanJobs(o, best);
    ASSERT_EQ(runs.size(), 3u);
    ASSERT_LT(best, 3u);
    test::TempDir dir;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        ASSERT_TRUE(runs[i].Opened);
        EXPECT_EQ(runs[i].Seed, 5u + i);
        EXPECT_TRUE(runs[i].Urplan.Complete());
        EXPECT_EQ(runs[i].Stages.size(), 2u);
        PlanJobRun alone = RunPlanJob(o, runs[i].Seed);
        EXPECT_EQ(PlanBytes(runs[i], dir, "a.pdt"), PlanBytes(alone, dir, "b.pdt")) << i;
    }
    for (std::size_t i = 0; i < runs.size(); ++i)
        EXPECT_FALSE(BetterRun(runs[i], runs[best])) << i;
}

TEST(PlanJob, TheBestRunIsTheOneWithFewerUnplacedHoursThenFewerErrors) {
    PlanJobOptions o = Gymnasium();
    o.Planning.Stages.clear();
    PlanJobRun a = RunPlanJob(o, 1);
    PlanJobRun b = RunPlanJob(o, 2);
    ASSERT_TRUE(a.Opened && b.Opened);
    b.Unplaced = 1;
    EXPECT_TRUE(BetterRun(a, b));
    EXPECT_FALSE(BetterRun(b, a));
    b.Unplaced = 0;
    // Equal unplaced hours: the class gaps decide first.
    PlanWriter::Totals(*a.Schule->Plan()).KLSSumme = 0;
    PlanWriter::Totals(*b.Schule->Plan()).KLSSumme = 1;
    PlanWriter::Totals(*a.Schule->Plan()).TFSumme = 9;
    PlanWriter::Totals(*b.Schule->Plan()).TFSumme = 0;
    EXPECT_TRUE(BetterRun(a, b));
    // A school that could not be read is worse than any plan.
    o.School = test::SourcePath("examples/gibt-es-nicht.sch");
    const PlanJobRun broken = RunPlanJob(o, 1);
    EXPECT_FALSE(broken.Opened);
    ASSERT_NE(broken.Messages, nullptr);
    EXPECT_FALSE(broken.Messages->shown.empty());
    EXPECT_TRUE(BetterRun(b, broken));
    EXPECT_FALSE(BetterRun(broken, b));
}

} // namespace
} // namespace sw
