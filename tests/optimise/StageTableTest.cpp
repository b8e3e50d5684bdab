// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/StageTable.h"
#include "optimise/Stages.h"
#include "plan/PlanWriter.h"
#include "support/Plans.h"
#include "support/School.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace sw {
namespace {

constexpr Stage kNumbered[] = {Stage::KlassenLuecken, Stage::KlassenVerteilung,
                               Stage::Trennungsfehler, Stage::LehrerLuecken,
                               Stage::LehrerVerteilung};

TEST(StageTable, OneRowPerStageAndMix) {
    for (Stage s : kNumbered) {
        ASSERT_NE(FindStageRow(s, false), nullptr) << static_cast<int>(s);
        ASSERT_NE(FindStageRow(s, true), nullptr) << static_cast<int>(s);
        EXPECT_EQ(FindNumberedStage(static_cast<int>(s)), FindStageRow(s, false));
        int rows = 0;
        for (const StageRow& row : kStageTable)
            rows += row.Stage == s;
        EXPECT_EQ(rows, 2);
    }
    ASSERT_NE(FindStageRow(Stage::Manuell, false), nullptr);
    EXPECT_EQ(FindStageRow(Stage::Manuell, true), nullptr);
    // The tool numbers the stages 2..6; "Manuell" is the window's only.
    for (int n : {0, 1, 7, 8})
        EXPECT_EQ(FindNumberedStage(n), nullptr) << n;
}

TEST(StageTable, StepsAndMessages) {
    EXPECT_STREQ(StageRowOf(Stage::KlassenVerteilung).EndMessage, "Stunden optimal verteilt!");
    for (const StageRow& row : kStageTable) {
        EXPECT_GE(row.StepCount, 1);
        EXPECT_LE(row.StepCount, static_cast<int>(row.Steps.size()));
    }
    EXPECT_EQ(StageRowOf(Stage::KlassenVerteilung).Counts, PassCount::Exchanges);
    EXPECT_EQ(StageRowOf(Stage::LehrerLuecken).Counts, PassCount::Passes);
    EXPECT_EQ(StageRowOf(Stage::Manuell).Counts, PassCount::Iteration);
    // Stage 3 and the first "Mischen" make no goal-directed call; every other row does.
    for (const StageRow& row : kStageTable)
        EXPECT_EQ(row.HasGoalDirectedStep(), !(row.Stage == Stage::KlassenVerteilung && !row.Mix) &&
                                                 !(row.Stage == Stage::KlassenLuecken && row.Mix))
            << static_cast<int>(row.Stage);
}

TEST(StageTable, FiguresAndEnds) {
    Stammdaten s = test::MakeSchool(5, 6, 1, 1, 1, 1);
    CapturingReporter rep;
    CPlan p(s, rep);
    PlanWriter::Totals(p).KLSSumme = 1, PlanWriter::Totals(p).KProd = 2,
    PlanWriter::Totals(p).TFSumme = 3, PlanWriter::Totals(p).STFSumme = 4,
    PlanWriter::Totals(p).LLSSumme = 5, PlanWriter::Totals(p).LLSMax = 6;
    PlanWriter::Totals(p).LProd = 7, PlanWriter::Totals(p).Opt.BestLLS = 8,
    PlanWriter::Totals(p).KProdOpt = 2;
    const Figure all[] = {Figure::KLSSumme, Figure::KProd,  Figure::TFSumme, Figure::STFSumme,
                          Figure::LLSSumme, Figure::LLSMax, Figure::LProd,   Figure::BestLLS};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(FigureValue(p, all[i]), i + 1);
    EXPECT_FALSE(Reached(p, StageEnd::Never));
    EXPECT_FALSE(Reached(p, StageEnd::NoClassGaps));
    EXPECT_TRUE(Reached(p, StageEnd::IdealDistribution));
    EXPECT_FALSE(Reached(p, StageEnd::NoSeparationErrors));
    EXPECT_FALSE(Reached(p, StageEnd::NoTeacherGaps));
    PlanWriter::Totals(p).KLSSumme = PlanWriter::Totals(p).TFSumme =
        PlanWriter::Totals(p).LLSSumme = 0;
    PlanWriter::Totals(p).KProdOpt = 3;
    EXPECT_TRUE(Reached(p, StageEnd::NoClassGaps));
    EXPECT_FALSE(Reached(p, StageEnd::IdealDistribution));
    EXPECT_TRUE(Reached(p, StageEnd::NoSeparationErrors));
    EXPECT_TRUE(Reached(p, StageEnd::NoTeacherGaps));
}

// Runs every row on a placed plan: each tells its start, sets exactly its goals and runs its
// passes up to its limit (the "Mischen" rows are short enough to run out).
TEST(StageTable, TheOptimiserRunsTheRows) {
    struct Seen : StageObserver {
        std::vector<const StageRow*> started;
        std::vector<int> passes;
        void Started(const StageRow& row) override { started.push_back(&row); }
        void PassDone(const PassReport& r) override { passes.push_back(r.Pass); }
    };
    Stammdaten s = test::MixedSchool(true);
    CapturingReporter rep;
    CPlan plan(s, rep);
    test::PlaceAtRandom(plan, 11);
    Random rng(2);
    RunControl run;
    Seen seen;
    Optimiser opt(plan, rng, run, rep, &seen);
    for (const StageRow& row : kStageTable) {
        if (!row.Mix) continue;
        seen = Seen{};
        const StageResult r = opt.Mix(row.Stage);
        ASSERT_EQ(seen.started, std::vector<const StageRow*>{&row});
        EXPECT_EQ(r.Passes, row.PassLimit) << static_cast<int>(row.Stage);
        EXPECT_EQ(static_cast<int>(seen.passes.size()), row.PassLimit);
        EXPECT_FALSE(r.Reached);
        for (Ziel g : kAlleZiele)
            EXPECT_EQ(plan.HasGoal(g), row.Goals.Has(g))
                << static_cast<int>(row.Stage) << " " << Nummer(g);
    }
    // "Manuell" with the goals chosen, held by "Halt" after three passes.
    run.SetPassHook([&] {
        if (run.Passes() >= 3) run.Halt();
    });
    seen = Seen{};
    const StageResult r = opt.RunStage(Stage::Manuell, {Ziel::LehrerLuecken});
    EXPECT_TRUE(r.Halted);
    EXPECT_EQ(seen.passes, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(seen.started, std::vector<const StageRow*>{&StageRowOf(Stage::Manuell)});
    EXPECT_TRUE(plan.HasGoal(Ziel::LehrerLuecken));
    EXPECT_FALSE(plan.HasGoal(Ziel::KlassenLuecken));
}

} // namespace
} // namespace sw
