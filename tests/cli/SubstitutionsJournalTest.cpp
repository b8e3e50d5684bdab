// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk substitutions on a date with the journal: absences recorded, decisions kept from
// one run to the next, the statistics, and the refusals.
#include "export/DocxReader.h"
#include "files/PlanFile.h"
#include "io/FileOps.h"
#include "substitute/SubstituteSchool.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace sw {
namespace {

struct SubstitutionsJournal : ::testing::Test {
    test::TempDir dir;
    std::string plan;
    void SetUp() override {
        test::PlanFixture f;
        test::BuildSubstituteSchool(f, false, false);
        plan = dir.File("schule.pdt");
        ASSERT_TRUE(WritePlanFile(f.s, f.plan.get(), plan, DefaultFileOps()).Ok);
    }
    test::ToolRun Run(const std::string& args) const {
        return test::RunTool("substitutions " + plan + " " + args);
    }
    std::string Datei(const std::string& name) const {
        std::ifstream in(dir.File(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(SubstitutionsJournal, RecordsAbsencesAndDecisionsAndShowsThemAgain) {
    const test::ToolRun ein = Run("--datum 2027-03-15 --abwesend L0 --bis 2027-03-16");
    ASSERT_EQ(ein.status, 0) << ein.out;
    EXPECT_EQ(ein.out.substr(0, ein.out.find("    Vorschläge")),
              "Datum: Montag, 15. März 2027\nFehlende Lehrer: L0 (krank)\n"
              "Zu vertretende Stunden: 2\n1.   Kurs  L0\n    Entscheidung: offen\n");
    const test::ToolRun wahl = Run("--datum 2027-03-15 --vertretung 2:l0=L3 --ausfall 1:L0");
    ASSERT_EQ(wahl.status, 0) << wahl.out;
    const test::ToolRun wieder = Run("--datum 2027-03-15");
    EXPECT_NE(wieder.out.find("1.   Kurs  L0\n    Entscheidung: AUSFALL\n"), std::string::npos)
        << wieder.out;
    EXPECT_NE(wieder.out.find("2.   K0  F1  L0\n    Entscheidung: L3\n"), std::string::npos);
    EXPECT_NE(Datei("schule.vtr").find("E1=2027-03-15,2,L0,Vertretung,L3,krank,F1,K0,\r\n"),
              std::string::npos);
    // The sheet names the teacher away on the date (the plan file flags nobody).
    ASSERT_EQ(Run("--datum 2027-03-15 -o " + dir.File("v.docx")).status, 0);
    const auto absaetze = test::ReadDocxFile(dir.File("v.docx")).Paragraphs();
    ASSERT_GE(absaetze.size(), 3u);
    EXPECT_EQ(absaetze.front().Text, "Vertretungsplan Montag, 15. März 2027");
    EXPECT_TRUE(std::any_of(absaetze.begin(), absaetze.end(),
                            [](const auto& a) { return a.Text == "L0"; }));
    // The next day carries the absence on.
    EXPECT_NE(Run("--datum 2027-03-16").out.find("3.   K0  F1  L0\n    Entscheidung: offen\n"),
              std::string::npos);

    const test::ToolRun st = Run("--statistik --csv " + dir.File("s.csv"));
    ASSERT_EQ(st.status, 0) << st.out;
    const std::string csv = Datei("s.csv");
    EXPECT_NE(csv.find("Lehrer;L0;gesamt;3;0;0\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("Lehrer;L3;2027-03;0;1;0\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("Klasse;K1;gesamt;0;0;1\r\n"), std::string::npos) << csv;
}

TEST_F(SubstitutionsJournal, RefusesBadDatesLessonsAndADamagedJournal) {
    const test::ToolRun mittwoch = Run("--datum 2027-03-17");
    EXPECT_EQ(mittwoch.status, 2);
    EXPECT_EQ(mittwoch.out,
              "Mittwoch, 17. März 2027 ist kein Schultag dieses Plans (Montag bis Dienstag).\n");
    const test::ToolRun stunde = Run("--datum 2027-03-15 --abwesend L0 --ausfall 3:L0");
    EXPECT_EQ(stunde.status, 2);
    EXPECT_NE(stunde.out.find("Keine zu vertretende Stunde 3 von L0 an diesem Datum."),
              std::string::npos);
    EXPECT_FALSE(DefaultFileOps().Exists(dir.File("schule.vtr"))); // nothing half recorded

    std::ofstream(dir.File("schule.vtr"), std::ios::binary) << "[Plan]\r\n";
    const test::ToolRun kaputt = Run("--datum 2027-03-15 --abwesend L1");
    EXPECT_EQ(kaputt.status, 2);
    EXPECT_NE(kaputt.out.find("ist beschädigt (Zeile 1: kein Vertretungsjournal)"),
              std::string::npos);
    EXPECT_EQ(Datei("schule.vtr"), "[Plan]\r\n");
}

} // namespace
} // namespace sw
