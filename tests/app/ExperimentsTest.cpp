// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Experiments.h"
#include "app/PlanningService.h"
#include "files/PlanFile.h"
#include "optimise/InitialPlanRun.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sw {
namespace {

// A complete plan of the example Gymnasium, written to `file`.
void WriteStartPlan(const std::string& file) {
    Stammdaten s = test::LoadExample("gymnasium.sch");
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    RunControl run;
    Random rng;
    ASSERT_TRUE(RunInitialPlan(&plan, rng, rep, run, 1000, 5).Complete());
    ASSERT_TRUE(WritePlanFile(s, &plan, file, DefaultFileOps()).Ok);
}

TEST(Experiments, CurveFileLayout) {
    EXPECT_EQ(CurveText({12, 10.5}, {20, 15.25, 11.25}), "1 12\n2 10.5\n1 20\n2 15.25\n3 11.25\n");
    ASSERT_NE(FindExperiment("S1"), nullptr);
    EXPECT_EQ(FindExperiment("S1")->Runs, 15);
    EXPECT_EQ(FindExperiment("S2")->Iterations, 1000);
    EXPECT_EQ(FindExperiment("Gibt es nicht"), nullptr);
}

TEST(Experiments, RunsOnAPlanFileAndWriteTheirCurve) {
    CapturingReporter rep;
    RunControl run;
    test::TempDir dir;
    const std::string file = dir.File("start.pdt");
    ASSERT_NO_FATAL_FAILURE(WriteStartPlan(file));
    for (const char* name : {"S1", "SA", "S2", "Tabu", "S2-Klassen", "SA-Klassen"}) {
        const ExperimentResult r = RunExperiment(*FindExperiment(name), file, dir.Path().string(),
                                                 DefaultFileOps(), rep, run, 2, 4);
        ASSERT_TRUE(r.outcome.Ok) << name;
        ASSERT_EQ(r.Finals.size(), 2u);
        ASSERT_EQ(r.Average.size(), 4u);
        std::istringstream lines(test::ReadFileBytes(r.CurveFile));
        int count = 0;
        for (std::string line; std::getline(lines, line);)
            ++count;
        EXPECT_EQ(count, 2 + 4) << name;
        // Records only fall: the best teacher-gap sum never rises along the curve.
        if (std::string(name) == "S2") {
            for (std::size_t i = 1; i < r.Average.size(); ++i)
                EXPECT_LE(r.Average[i], r.Average[i - 1]);
        }
    }
    EXPECT_TRUE(run.Idle());

    // A folder that is not there is named in the message.
    const ExperimentResult lost = RunExperiment(*FindExperiment("S1"), file, dir.File("fehlt"),
                                                DefaultFileOps(), rep, run, 1, 1);
    ASSERT_EQ(lost.outcome.Messages.size(), 1u);
    EXPECT_EQ(lost.outcome.Messages[0].Text,
              "Fehler beim Speichern der Datei:\n" + lost.CurveFile +
                  "\nDatei konnte nicht erzeugt werden.\nDer Ordner „" + dir.File("fehlt") +
                  "“ existiert nicht.");
}

// The service passes the options' margin to the record rules: a class record that tolerates any
// loss walks differently from the default tolerance, and an explicit default margin changes
// nothing.
TEST(Experiments, TheMarginOfTheOptionsReachesTheRecordRule) {
    CapturingReporter rep;
    RunControl run;
    test::TempDir dir;
    const std::string file = dir.File("start.pdt");
    ASSERT_NO_FATAL_FAILURE(WriteStartPlan(file));
    PlanningService service(rep, run);
    auto finals = [&](const char* name, int margin) {
        PlanningOptions o;
        o.ExperimentRule = FindExperiment(name);
        o.ExperimentRuns = 1;
        o.ExperimentIterations = 6;
        o.Margin = margin;
        service.SetOptions(o);
        const ExperimentResult r =
            service.RunExperiment(file, dir.Path().string(), DefaultFileOps());
        EXPECT_TRUE(r.outcome.Ok);
        return r.Average;
    };
    EXPECT_EQ(finals("S2-Klassen", 0), finals("S2-Klassen", 300));
    EXPECT_NE(finals("S2-Klassen", 0), finals("S2-Klassen", 1000000));
    EXPECT_EQ(finals("S2", 0), finals("S2", 1));
}

} // namespace
} // namespace sw
