// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/InitialPlanRun.h"
#include "optimise/Stages.h"
#include "plan/Invariants.h"
#include "plan/PlanRules.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

bool Mendable(RegelArt a) {
    return a == RegelArt::MinStundenProTag || a == RegelArt::MaxLueckenProTag ||
           a == RegelArt::MaxLueckenProWoche || a == RegelArt::MinTage;
}

// An example school with rules for every teacher and class: the initial plan keeps the rules
// the check knows, and no stage gives up a rule of the days that a teacher or class held.
TEST(RulesInStages, NoStageGivesUpARuleThePlanHeld) {
    Stammdaten s = test::LoadExample("gymnasium.sch");
    for (std::size_t t = 0; t < s.Lehrer.size(); ++t) {
        CLehrerRegeln& r = s.Lehrer[t].Regeln;
        r.MaxInFolge = 6;
        r.MaxLueckenProTag = 1;
        r.MinStundenProTag = 2;
        if (t % 3 == 0) r.MaxLueckenProWoche = 3;
    }
    for (CKlasse& k : s.Klassen) {
        k.Regeln.MaxLueckenProTag = 0;
        k.Regeln.MinStundenProTag = 4;
    }
    s.Angaben.Pausen = {SlotOf(4, s.Angaben.Stunden)};
    ASSERT_EQ(RegelProblem(s), std::nullopt);
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    Random rng;
    RunControl run;
    ASSERT_TRUE(RunInitialPlan(&plan, rng, rep, run, 1000, 3).Complete());
    const PlanRules& rules = *plan.Regeln();
    // The run mends the rules of the days the first complete plan broke.
    EXPECT_EQ(rules.TotalBreaches(plan), 0);
    std::vector<int> teachers, classes;
    const auto held = [&] {
        for (int t = 0; t < plan.LehrerAnzahl; ++t)
            EXPECT_LE(rules.TeacherViolations(plan, t), teachers[static_cast<std::size_t>(t)])
                << plan.LehrerAt(t).Name;
        for (int k = 0; k < plan.KlassenAnzahl; ++k)
            EXPECT_LE(rules.ClassViolations(plan, k), classes[static_cast<std::size_t>(k)])
                << plan.KlasseAt(k).Name;
    };
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        teachers.push_back(rules.TeacherViolations(plan, t));
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        classes.push_back(rules.ClassViolations(plan, k));
    Optimiser opt(plan, rng, run, rep);
    int passes = 0;
    run.SetPassHook([&] {
        held();
        if (++passes % 4 == 0) run.Halt();
    });
    for (Stage st : {Stage::KlassenLuecken, Stage::KlassenVerteilung, Stage::Trennungsfehler,
                     Stage::LehrerLuecken, Stage::LehrerVerteilung}) {
        SCOPED_TRACE(static_cast<int>(st));
        opt.RunStage(st);
        {
            SCOPED_TRACE("mix");
            held();
        }
        opt.Mix(st);
        held();
    }
    EXPECT_GT(passes, 0);
    const InvariantReport r = CheckInvariants(plan, false);
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(r.Unplaced, 0);
    for (const RegelVerstoss& v : rules.Verstoesse(plan))
        EXPECT_TRUE(Mendable(v.Art)) << VerstossText(s.Angaben, v);
}

} // namespace
} // namespace sw
