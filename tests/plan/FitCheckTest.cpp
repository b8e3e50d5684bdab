// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/FitCheck.h"

#include "plan/Evaluation.h"
#include "plan/PlanWriter.h"
#include "support/School.h"

#include <gtest/gtest.h>

#include <functional>

namespace sw::test {
namespace {

// Five days of six hours, rooms R0..R2, teachers L0..L2, classes K0..K2, subjects F0..F2.
struct Case {
    const char* name;
    std::function<void(Stammdaten&)> school;
    std::vector<std::string> found; // with the limit options off
};

std::vector<std::string> Describe(const Stammdaten& s, bool optionsOn) {
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    PlanWriter::Flags(plan).KursUeberStundenLimit =
        PlanWriter::Flags(plan).MehrfachKursUeberStundenLimit =
            PlanWriter::Flags(plan).MehrfachUeberStundenLimit = optionsOn ? 1 : 0;
    std::vector<std::string> lines = DescribeFitProblems(plan);
    // The options are as before.
    EXPECT_EQ(plan.Flags().KursUeberStundenLimit, optionsOn ? 1 : 0);
    EXPECT_EQ(plan.Flags().MehrfachUeberStundenLimit, optionsOn ? 1 : 0);
    return lines;
}

// Each way a school can never be planned, found before any attempt and named with what helps;
// with the three limit options set the first two cases fit.
TEST(FitCheck, WhatCanNeverFitIsNamedWithWhatHelps) {
    const std::vector<Case> cases = {
        {"course hours below the class's hour limit",
         [](Stammdaten& s) {
             // Ten hours a week: limit 2, and day 1's first hour is locked.
             AddCourse(s, "C", {"L0"}, {"K0"}, std::vector<int>(10, 1));
             s.Klassen[0].Sperre[SlotOf(0, 1)] = 1;
         },
         {"Klasse K0: 10 Stunden können nur bis zur 2. Stunde stehen (Stunden-Limit der "
          "Klasse), dort gibt es nur 9 mögliche Zeiten. Abhilfe: Option „Setzen von Kursstunden "
          "über dem Stunden - Limit zulassen“ ankreuzen.",
          "Lehrer L0: 10 Stunden können nur bis zur 2. Stunde stehen, dort gibt es nur 9 mögliche "
          "Zeiten. Abhilfe: Option „Setzen von Kursstunden über dem Stunden - Limit zulassen“ "
          "ankreuzen."}},
        {"a double lesson of a class with a limit of one hour",
         [](Stammdaten& s) { AddBlock(s, "L1", "K1", "F1", {2}); },
         {"F1 der Klasse K1 (L1, 2 Stunden am Stück) passt zu keiner Zeit der Woche. Abhilfe: "
          "Option „Setzen von Mehrfach-Fachstunden über dem StundenLimit zulassen“ ankreuzen."}},
        {"a teacher with more hours than free slots",
         [](Stammdaten& s) {
             AddBlock(s, "L2", "K2", "F0", {1, 1, 1, 1, 1, 1});
             // Free: one hour a day, the 1st on Monday ... the 4th on Thursday, the 6th on Friday.
             for (int d = 0; d < 5; ++d)
                 for (int h = 1; h <= 6; ++h)
                     s.Lehrer[2].Sperre[SlotOf(d, h)] = h != (d < 4 ? d + 1 : 6);
         },
         {"Klasse K2 hat 6 Stunden, aber nur 5 mögliche Zeiten in der Woche. Abhilfe: Stunden "
          "verringern oder Sperrungen aufheben.",
          "Lehrer L2 hat 6 Stunden, aber nur 5 mögliche Zeiten in der Woche. Abhilfe: Stunden "
          "verringern oder Sperrungen aufheben."}},
        {"no room for the subject and no universal room",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K2", "F2", {1});
             for (CRaumFach& r : s.Raeume)
                 r.FachTyp = {0, 1, 0};
         },
         {"Für F2 der Klasse K2 (L0) gibt es keinen Raum: kein Raum hat das Fach, und die Schule "
          "hat keinen Universal-Raum. Abhilfe: einen Universal-Raum anlegen oder einem Raum das "
          "Fach „F2“ geben."}},
        {"a school that fits",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {1, 1, 1, 1, 1, 2});
         },
         {}},
    };
    for (const Case& c : cases) {
        Stammdaten s = MakeSchool(5, 6, 3, 3, 3, 3);
        c.school(s);
        EXPECT_EQ(Describe(s, false), c.found) << c.name;
        const bool limitOnly = c.found.empty() || c.found[0].find("Option") != std::string::npos;
        EXPECT_EQ(Describe(s, true).empty(), limitOnly) << c.name;
    }
}

// The example school plans with the options off: no false alarm.
TEST(FitCheck, APlannableSchoolHasNoFinding) {
    const Stammdaten s = LoadExample("gymnasium.sch");
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ComputeTargets(plan);
    EXPECT_TRUE(FindFitProblems(plan).empty());
}

} // namespace
} // namespace sw::test
