// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk substitutions on a small planned school: the lessons to cover, the free teachers,
// the sheet, and the refusals.
#include "export/DocxReader.h"
#include "files/PlanFile.h"
#include "io/FileOps.h"
#include "substitute/SubstituteSchool.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace sw {
namespace {

struct SubstitutionsCommand : ::testing::Test {
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
};

// Days 6 and 7 of a seven-day week had no name: "Tag: " was printed and "--day sonntag" was
// unknown. Older files keep them empty; they show their default names.
TEST(SubstitutionsCommandDays, NamesDaysSixAndSeven) {
    test::TempDir dir;
    test::PlanFixture f;
    f.s = test::MakeSchool(7, 4, 1, 1, 1, 1);
    f.s.Angaben.TagNamen = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "", ""};
    test::AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Put(0, 0, 6, 2);
    const std::string plan = dir.File("woche.pdt");
    ASSERT_TRUE(WritePlanFile(f.s, f.plan.get(), plan, DefaultFileOps()).Ok);
    const test::ToolRun sonntag =
        test::RunTool("substitutions " + plan + " --day sonntag --absent L0");
    ASSERT_EQ(sonntag.status, 0) << sonntag.out;
    EXPECT_EQ(sonntag.out, "Tag: Sonntag\nFehlende Lehrer: L0\nZu vertretende Stunden: 1\n"
                           "2.   K0  F0  L0\n    Frei und mit dem Fach: niemand\n");
    const test::ToolRun samstag = test::RunTool("substitutions " + plan + " --day 6 --absent L0");
    EXPECT_EQ(samstag.out.substr(0, samstag.out.find('\n')), "Tag: Samstag");
}

TEST_F(SubstitutionsCommand, ListsTheLessonsAndTheFreeTeachersWhoTeachTheSubject) {
    const test::ToolRun r = Run("--day montag --absent 'l0, L2'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "Tag: Montag\n"
                     "Fehlende Lehrer: L0, L2\n"
                     "Zu vertretende Stunden: 4\n"
                     "1.   Kurs  L0\n"
                     "    Frei und mit dem Fach: L3\n"
                     "2.   K0  F1  L0\n"
                     "    Frei und mit dem Fach: L3\n"
                     "1.   Kurs  L2\n"
                     "    Frei und mit dem Fach: L1, L3\n"
                     "2.   K2  F2  L2\n"
                     "    Frei und mit dem Fach: L3\n");
    // The day by number; L3 absent too leaves nobody for L0's lesson at hour 2.
    const test::ToolRun zwei = Run("--day 1 --absent L0,L3");
    ASSERT_EQ(zwei.status, 0) << zwei.out;
    EXPECT_NE(zwei.out.find("2.   K0  F1  L0\n    Frei und mit dem Fach: niemand\n"),
              std::string::npos)
        << zwei.out;
}

TEST_F(SubstitutionsCommand, WritesTheSheetWithEveryLessonOpen) {
    const std::string blatt = dir.File("vertretung.docx");
    const test::ToolRun r = Run("--day Montag --absent L0 --date 2026-12-07 -o " + blatt);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Vertretungsplan nach " + blatt + " geschrieben.\n"), std::string::npos);
    const test::ReadDocx docx = test::ReadDocxFile(blatt);
    ASSERT_TRUE(docx.Opened);
    const auto paragraphs = docx.Paragraphs();
    ASSERT_FALSE(paragraphs.empty());
    EXPECT_EQ(paragraphs.front().Text, "Vertretungsplan Montag, 7. Dezember 2026");
    const auto tables = docx.Tables();
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].Cells,
              (std::vector<std::vector<std::string>>{
                  {"Stunde", "Vertretung"}, {"1.   Kurs  L0", " "}, {"2.   K0  F1  L0", " "}}));
    // A target that cannot be written ends with status 1 and the message.
    const test::ToolRun fehler = Run("--day 1 --absent L0 -o " + dir.File("fehlt/v.docx"));
    EXPECT_EQ(fehler.status, 1);
    EXPECT_NE(fehler.out.find("Fehler bei Ausgabe an Word:\nDie Datei " + dir.File("fehlt/v.docx") +
                              " kann nicht geschrieben werden.\nDer Ordner „" + dir.File("fehlt") +
                              "“ existiert nicht."),
              std::string::npos)
        << fehler.out;
    EXPECT_EQ(fehler.out.find("OLE"), std::string::npos) << fehler.out;
    EXPECT_FALSE(std::filesystem::exists(dir.File("fehlt/v.docx")));
}

// Monday's lessons went onto a sheet dated Wednesday, and without --date the sheet was dated
// today whatever the day. School day 1 is a Monday: a date of another weekday is refused, and
// the sheet is dated with the next date of the day by default.
TEST_F(SubstitutionsCommand, TheSheetIsDatedOnTheChosenDay) {
    const test::ToolRun falsch = Run("--day 1 --absent L0 --date 2026-12-09 -o x.docx");
    EXPECT_EQ(falsch.status, 2);
    EXPECT_EQ(falsch.out, "Das Datum 2026-12-09 ist ein Mittwoch, Tag 1 (Montag) fällt aber auf "
                          "einen Montag. Geben Sie ein Datum dieses Wochentags an (z. B. "
                          "2026-12-14).\n");
    for (const char* tag : {"Montag", "Dienstag"}) {
        const std::string blatt = dir.File(std::string(tag) + ".docx");
        ASSERT_EQ(Run(std::string("--day ") + tag + " --absent L0 -o " + blatt).status, 0);
        const auto paragraphs = test::ReadDocxFile(blatt).Paragraphs();
        ASSERT_FALSE(paragraphs.empty());
        EXPECT_EQ(paragraphs.front().Text.rfind(std::string("Vertretungsplan ") + tag + ", ", 0),
                  0u)
            << paragraphs.front().Text;
    }
}

TEST_F(SubstitutionsCommand, RefusesUnknownDaysTeachersAndDates) {
    const test::ToolRun tag = Run("--day 3 --absent L0");
    EXPECT_EQ(tag.status, 2);
    EXPECT_EQ(tag.out, "Unbekannter Tag: 3. Geben Sie eine Zahl von 1 bis 2 oder einen der Tage "
                       "Montag, Dienstag an.\n");
    const test::ToolRun name = Run("--day Mittwoch");
    EXPECT_EQ(name.status, 2);
    EXPECT_NE(name.out.find("Unbekannter Tag: Mittwoch."), std::string::npos);
    const test::ToolRun lehrer = Run("--day 1 --absent L0,Lx");
    EXPECT_EQ(lehrer.status, 2);
    EXPECT_EQ(lehrer.out, "Unbekannter Lehrer: Lx. Geben Sie den Namen oder die Kurzform eines "
                          "Lehrers des Plans an.\n");
    const test::ToolRun datum = Run("--day 1 --absent L0 --date 2026-02-30 -o x.docx");
    EXPECT_EQ(datum.status, 2);
    EXPECT_NE(datum.out.find("Ungültiges Datum: 2026-02-30"), std::string::npos);
    const test::ToolRun ohneTag = Run("--absent L0");
    EXPECT_EQ(ohneTag.status, 2);
    EXPECT_NE(ohneTag.out.find("Aufruf: stundenwerk substitutions"), std::string::npos);
    const test::ToolRun hilfe = test::RunTool("substitutions --help");
    EXPECT_EQ(hilfe.status, 0);
    EXPECT_EQ(hilfe.out.rfind("Aufruf: stundenwerk substitutions", 0), 0u);
}

} // namespace
} // namespace sw
