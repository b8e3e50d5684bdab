// SPDX-License-Identifier: GPL-3.0-or-later
// The course dialog's operations: new and rename with their checks, delete, adding and removing
// teachers with their units and the questions about the course's classes.
#include "define/MasterData.h"

#include "MasterDataSchool.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::MasterSchool;
using test::ScriptedReporter;

const Message Fehler(const std::string& text) {
    return {text, titel::Fehler};
}

TEST(Courses, NewTakesTheHoursAndStartsEmptyWithSeparation) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_EQ(ed.NewCourse({"religion", "rel", " 2 "}, rep), (Aenderung{true, 1}));
    const CKursBlock& k = d.KursBloecke.back();
    EXPECT_EQ(k.Name, "RELIGION");
    EXPECT_EQ(k.Kurz, "REL");
    EXPECT_EQ(k.BStunden, 2);
    EXPECT_EQ(k.Trennung, 1);
    EXPECT_TRUE(k.Lehrer.empty());
    EXPECT_TRUE(k.Faecher.empty());
    EXPECT_TRUE(k.Klassen.empty());
    EXPECT_EQ(k.Vorlage, (std::vector<CEinheit>{CEinheit(1, kNoSlot), CEinheit(1, kNoSlot)}));
    EXPECT_TRUE(rep.shown.empty());
}

TEST(Courses, HoursUpToTheWeekAreAcceptedOneMoreIsRefused) {
    Stammdaten d = MasterSchool(); // 5 days of 8 hours
    d.Angaben.Nullte = true;       // the 0th hour does not raise the limit
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_TRUE(ed.NewCourse({"VOLL", "VOLL", "40"}, rep).Geaendert);
    const Stammdaten before = d;
    for (const char* bad : {"41", "0", "-3", "", "zwei", "2.5"}) {
        ScriptedReporter r;
        EXPECT_FALSE(ed.NewCourse({"MEHR", "MEHR", bad}, r).Geaendert) << bad;
        EXPECT_EQ(r.shown, std::vector<Message>{Fehler("Ungültige Stundenzahl!")}) << bad;
        EXPECT_FALSE(ed.RenameCourse(1, {"VOLL", "VOLL", bad}, false, r).Geaendert) << bad;
    }
    EXPECT_EQ(d, before);
    EXPECT_TRUE(rep.shown.empty());
}

TEST(Courses, NewRefusesInTheOrderOfItsChecks) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    const struct {
        KursEingabe in;
        std::string text;
    } cases[] = {
        {{"", "", "x"}, "Ungültige Kursbezeichnung!"},
        {{"AG", "a/g", "x"}, "Ungültiges Kürzel!"},
        {{"AG", "AG", "x"}, "Ungültige Stundenzahl!"},
        {{"sportkurs", "spk", "2"}, "Kurs - Bezeichnung ist bereits vergeben!"},
        {{"AG", "spk", "2"}, "Kurs - Kürzel ist bereits vergeben!"},
        // A subject named like the short form, even one no course uses.
        {{"AG", "d", "2"}, "Der Name eines Faches ist identischmit dem gewählten Kurs - Kürzel!"},
        {{"ph", "AG", "2"}, "Der Name eines Faches ist identischmit dem gewählten Kurs - Namen!"},
    };
    for (const auto& c : cases) {
        ScriptedReporter rep;
        EXPECT_EQ(ed.NewCourse(c.in, rep), (Aenderung{false, -1})) << c.text;
        EXPECT_EQ(rep.shown, std::vector<Message>{Fehler(c.text)});
    }
    EXPECT_EQ(d, before);
}

TEST(Courses, RenameRefusalsAndItsOwnNamesAreFine) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    ASSERT_TRUE(ed.NewCourse({"AG", "AG", "1"}, rep).Geaendert);
    const Stammdaten before = d;
    const struct {
        KursEingabe in;
        std::string text;
    } cases[] = {
        {{" ", "X", "1"}, "Ungültige Kurs - Bezeichnung!"},
        {{"AG", "", "1"}, "Ungültiges Kurs - Kürzel!"},
        {{"AG", "AG", "41"}, "Ungültige Stundenzahl!"},
        {{"sportkurs", "AG", "1"}, "Kurs - Bezeichnung ist bereits vergeben!"},
        {{"AG", "spk", "1"}, "Kurs - Kürzel ist bereits vergeben!"},
        {{"AG", "m", "1"}, "Der Name eines Faches ist identischmit dem gewählten Kurs - Kürzel!"},
    };
    for (const auto& c : cases) {
        ScriptedReporter r;
        EXPECT_EQ(ed.RenameCourse(1, c.in, false, r), (Aenderung{false, 1})) << c.text;
        EXPECT_EQ(r.shown, std::vector<Message>{Fehler(c.text)});
    }
    EXPECT_EQ(d, before);
}

TEST(Courses, RenameInMasterDataModeStartsTheUnitsAfresh) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    // The same hours: fixed times and rooms are lost all the same.
    EXPECT_EQ(ed.RenameCourse(0, {"sportart", "sp", "2"}, false, rep), (Aenderung{true, 0}));
    const CKursBlock& k = d.KursBloecke[0];
    EXPECT_EQ(k.Name, "SPORTART");
    EXPECT_EQ(k.Kurz, "SP");
    for (const CKursLehrer& l : k.Lehrer)
        EXPECT_EQ(l.Einheiten, (std::vector<CEinheit>{CEinheit(1, kNoSlot), CEinheit(1, kNoSlot)}));
    EXPECT_TRUE(ed.RenameCourse(0, {"BALL", "BA", "3"}, false, rep).Geaendert);
    EXPECT_EQ(k.BStunden, 3);
    EXPECT_EQ(k.Lehrer[1].Einheiten.size(), 3u);
    EXPECT_EQ(k.Klassen, std::vector<std::string>{"5A"});
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Courses, RenameInPlanModeChangesOnlyNameAndShortForm) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    const auto lehrer = d.KursBloecke[0].Lehrer;
    EXPECT_TRUE(ed.RenameCourse(0, {"BALL", "BA", "5"}, true, rep).Geaendert);
    EXPECT_EQ(d.KursBloecke[0].Name, "BALL");
    EXPECT_EQ(d.KursBloecke[0].Kurz, "BA");
    EXPECT_EQ(d.KursBloecke[0].BStunden, 2);
    EXPECT_EQ(d.KursBloecke[0].Lehrer, lehrer);
}

TEST(Courses, DeleteAsksWithOrWithoutClasses) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    ASSERT_TRUE(ed.NewCourse({"AG", "AG", "1"}, rep).Geaendert);
    const Stammdaten before = d;
    ScriptedReporter cancel({false, false});
    EXPECT_EQ(ed.DeleteCourse(0, cancel), (Aenderung{false, 0}));
    EXPECT_EQ(ed.DeleteCourse(1, cancel), (Aenderung{false, 1}));
    EXPECT_EQ(cancel.asked,
              (std::vector<Message>{{"Für diesen Kurs wurden bereits Unterrichts - Definitionen "
                                     "vorgenommen.\n\nKurs SPORTKURS trotzdem löschen?",
                                     "Anfrage"},
                                    {"Kurs AG löschen?", "Anfrage"}}));
    EXPECT_EQ(cancel.kinds, (std::vector<Question>{Question::OkCancel, Question::OkCancel}));
    EXPECT_EQ(d, before);
    ScriptedReporter ok;
    EXPECT_EQ(ed.DeleteCourse(0, ok), (Aenderung{true, 0}));
    EXPECT_EQ(d.KursBloecke.size(), 1u);
    EXPECT_EQ(d.KursBloecke[0].Name, "AG");
    EXPECT_EQ(ed.DeleteCourse(0, ok), (Aenderung{true, -1}));
}

TEST(Courses, TheFirstTeacherGetsSingleHoursALaterOneTheFirstsTimesWithoutRooms) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    ASSERT_TRUE(ed.NewCourse({"AG", "AG", "3"}, rep).Geaendert);
    EXPECT_EQ(ed.AddCourseTeacher(1, "SCHULZ", "D", rep), (Aenderung{true, 1}));
    CKursBlock& k = d.KursBloecke[1];
    EXPECT_EQ(k.Lehrer[0].Einheiten, std::vector<CEinheit>(3, CEinheit(1, kNoSlot)));
    // The first teacher's units are shaped and placed in the lesson window.
    k.Lehrer[0].Einheiten = {CEinheit(2, SlotOf(2, 3)), CEinheit(1, kNoSlot)};
    k.Lehrer[0].Einheiten[0].Raum = "R1";
    k.Lehrer[0].Einheiten[1].Raum = "PH1";
    k.Lehrer[0].Einheiten[1].TagesLimit = 1;
    k.Lehrer[0].Einheiten[1].Tag = 4;
    EXPECT_TRUE(ed.AddCourseTeacher(1, "MEIER", "M", rep).Geaendert);
    ASSERT_EQ(k.Lehrer.size(), 2u);
    EXPECT_EQ(k.Faecher, (std::vector<std::string>{"D", "M"}));
    CEinheit erste(2, SlotOf(2, 3));
    CEinheit zweite(1, kNoSlot);
    zweite.TagesLimit = 1;
    zweite.Tag = 4;
    EXPECT_EQ(k.Lehrer[1].Einheiten, (std::vector<CEinheit>{erste, zweite}));
    EXPECT_EQ(k.Lehrer[0].Einheiten[0].Raum, "R1") << "the first keeps his rooms";
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_TRUE(rep.asked.empty());
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Courses, AddingATeacherTwiceOrWithoutASubjectOfHisChangesNothing) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_FALSE(ed.AddCourseTeacher(0, "MEIER", "M", rep).Geaendert);
    EXPECT_EQ(rep.shown, std::vector<Message>{
                             Fehler("Lehrer MEIER ist bereits in dem\nKurs SPORTKURS vertreten!")});
    EXPECT_TRUE(rep.asked.empty()) << "refused before the question about the classes";
    EXPECT_FALSE(ed.AddCourseTeacher(0, "SCHULZ", "SPORT", rep).Geaendert) << "not his subject";
    EXPECT_FALSE(ed.AddCourseTeacher(0, "NIEMAND", "D", rep).Geaendert);
    EXPECT_FALSE(ed.AddCourseTeacher(0, "SCHULZ", "", rep).Geaendert);
    EXPECT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(d, before);
}

TEST(Courses, AddingATeacherToACourseWithClassesAsksAndDropsTheClasses) {
    Stammdaten d = MasterSchool();
    d.Lehrer[1].Faecher.push_back("SPORT");
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    ScriptedReporter no({false});
    EXPECT_FALSE(ed.AddCourseTeacher(0, "SCHULZ", "SPORT", no).Geaendert);
    EXPECT_EQ(no.asked,
              (std::vector<Message>{
                  {"Für dieses Kurs wurden bereits Unterrichts - Definitionen vorgenommen.\nEin "
                   "Hinzufügen weiterer Lehrer zu diesem Kurs löscht diese Definitionen.\n "
                   "Definitionen von Unterrichts - Einheiten bleiben erhalten.\n\nDen Lehrer "
                   "trotzdem hinzufügen?",
                   "Anfrage"}}));
    EXPECT_EQ(no.kinds, std::vector<Question>{Question::YesNo});
    EXPECT_EQ(d, before);
    ScriptedReporter yes;
    EXPECT_TRUE(ed.AddCourseTeacher(0, "SCHULZ", "SPORT", yes).Geaendert);
    const CKursBlock& k = d.KursBloecke[0];
    EXPECT_TRUE(k.Klassen.empty());
    EXPECT_EQ(k.Lehrer[2].Einheiten[1].Zeitvorgabe, SlotOf(4, 2));
    EXPECT_EQ(k.Lehrer[2].Einheiten[1].Raum, "");
    EXPECT_EQ(k.Lehrer[1].Einheiten[1].Raum, "TH") << "units stay";
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Courses, RemovingTheLastTeacherAsksOnlyWhenTheCourseHasClasses) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep({false});
    EXPECT_EQ(ed.RemoveCourseTeacher(0, 0, rep), (Aenderung{true, 0}));
    EXPECT_TRUE(rep.asked.empty()) << "not the last one";
    EXPECT_EQ(d.KursBloecke[0].Lehrer[0].Name, "KOCH");
    EXPECT_EQ(d.KursBloecke[0].Faecher, std::vector<std::string>{"SPORT"});
    const Stammdaten before = d;
    EXPECT_FALSE(ed.RemoveCourseTeacher(0, 0, rep).Geaendert);
    EXPECT_EQ(rep.asked, (std::vector<Message>{{"Ein Löschen des letzten Lehrers führt zu einer "
                                                "Löschung der Unterrichtsdefinitionen für diesen "
                                                "Kurs.\n\nDen Lehrer trotzdem löschen?",
                                                "Anfrage"}}));
    EXPECT_EQ(d, before);
    ScriptedReporter yes;
    EXPECT_TRUE(ed.RemoveCourseTeacher(0, 0, yes).Geaendert);
    EXPECT_TRUE(d.KursBloecke[0].Lehrer.empty());
    EXPECT_TRUE(d.KursBloecke[0].Faecher.empty());
    EXPECT_TRUE(d.KursBloecke[0].Klassen.empty());
    EXPECT_FALSE(ed.RemoveCourseTeacher(0, 0, yes).Geaendert);
    // Without classes the last teacher goes without a question.
    ScriptedReporter never({false});
    ASSERT_TRUE(ed.AddCourseTeacher(0, "KOCH", "SPORT", never).Geaendert);
    EXPECT_TRUE(ed.RemoveCourseTeacher(0, 0, never).Geaendert);
    EXPECT_TRUE(never.asked.empty());
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

} // namespace
} // namespace sw
