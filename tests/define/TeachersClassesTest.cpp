// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher and class dialogs' operations, and the lock grids of rooms, teachers and classes.
#include "define/MasterData.h"

#include "MasterDataSchool.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::MasterSchool;
using test::ScriptedReporter;

const Message FehlerMeldung(const std::string& text) {
    return {text, titel::Fehler};
}

// --- Teachers ---------------------------------------------------------------------------------

TEST(Teachers, NewUpperCasesAndStartsWithoutSubjectsOrClass) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_EQ(ed.NewTeacher({"müller", "müllerin"}, rep), (Aenderung{true, 3}));
    const CLehrer& l = d.Lehrer.back();
    EXPECT_EQ(l.Name, "MÜLLER");
    EXPECT_EQ(l.Kurz, "MÜLLE");
    EXPECT_TRUE(l.Faecher.empty());
    EXPECT_EQ(l.KlassenLehrer, 0);
    EXPECT_EQ(l.Klasse, "");
    EXPECT_EQ(l.Opti, 1);
    EXPECT_EQ(l.TendenzZuFreienTagen, 0);
    EXPECT_TRUE(rep.shown.empty());
}

TEST(Teachers, NewRefusesInTheOrderOfItsChecks) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    const struct {
        NamenEingabe in;
        std::string text;
    } cases[] = {
        {{"", "X"}, "Ungültiger Name!"},
        {{"LEHMANN", "a%"}, "Ungültiges Kürzel!"},
        {{"LEHMANN", "mei"}, "Kürzel MEI bereits vergeben!"},
        {{"meier", "mei"}, "Kürzel MEI bereits vergeben!"},
        {{"meier", "MR"}, "Lehrer ist bereits vorhanden"},
        // A name no file can hold was taken and the plan file refused it at the end of a run.
        {{"anna\u00A0lang", "AL"},
         "Ungültiger Name!\n\nDer Lehrer \"ANNA\u00A0LANG\" enthält an der 5. Stelle ein "
         "geschütztes Leerzeichen (U+00A0)."},
        {{"LEHMANN", "L\u0141"},
         "Ungültiges Kürzel!\n\nDas Kürzel \"L\u0141\" enthält an der 2. Stelle das Zeichen "
         "\"\u0141\" (U+0141), das es in Windows-1252 nicht gibt."},
    };
    for (const auto& c : cases) {
        ScriptedReporter rep;
        EXPECT_EQ(ed.NewTeacher(c.in, rep), (Aenderung{false, -1})) << c.text;
        EXPECT_EQ(rep.shown, std::vector<Message>{FehlerMeldung(c.text)});
    }
    EXPECT_EQ(d, before);
}

TEST(Teachers, RenameIsCarriedIntoSubjectBlocksAndCourses) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_EQ(ed.RenameTeacher(0, {"maier", "mai"}, rep), (Aenderung{true, 0}));
    EXPECT_EQ(d.Lehrer[0].Name, "MAIER");
    EXPECT_EQ(d.Lehrer[0].Kurz, "MAI");
    EXPECT_EQ(d.FachBloecke[0].Key, "MAIER / 5A / M");
    EXPECT_EQ(d.FachBloecke[0].Block.Lehrer, "MAIER");
    EXPECT_EQ(d.FachBloecke[2].Key, "MAIER / 5B / PH");
    EXPECT_EQ(d.KursBloecke[0].Lehrer[0].Name, "MAIER");
    EXPECT_EQ(d.KursBloecke[0].Lehrer[1].Name, "KOCH");
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Teachers, RenameRefusalsName) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    const struct {
        NamenEingabe in;
        std::string text;
    } cases[] = {
        {{"/", "X"}, "Ungültige Lehrer - Bezeichnung!"},
        {{"NEU", ""}, "Ungültiges Kürzel!"},
        {{"schulz", "sch"}, "Lehrer ist bereits vorhanden"},
        {{"NEU", "sch"}, "Kürzel SCH bereits vergeben!"},
        {{"schulz", "NEU"}, "Name SCHULZ bereits vergeben!"},
    };
    for (const auto& c : cases) {
        ScriptedReporter rep;
        EXPECT_EQ(ed.RenameTeacher(0, c.in, rep), (Aenderung{false, 0})) << c.text;
        EXPECT_EQ(rep.shown, std::vector<Message>{FehlerMeldung(c.text)});
    }
    ScriptedReporter rep;
    EXPECT_FALSE(ed.RenameTeacher(0, {"Meier", "mei"}, rep).Geaendert);
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_EQ(d, before);
}

TEST(Teachers, DeleteCountsAsksAndCascades) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    // KOCH: one course (with a class) and no subject block.
    EXPECT_EQ(ed.TeacherUsage(2), (Verwendung{1, 1}));
    // MEIER: the course, and two subject blocks.
    EXPECT_EQ(ed.TeacherUsage(0), (Verwendung{1, 3}));
    const Stammdaten before = d;
    ScriptedReporter no({false});
    EXPECT_EQ(ed.DeleteTeacher(0, no), (Aenderung{false, 0}));
    EXPECT_EQ(no.asked, (std::vector<Message>{{"Für den Lehrer MEIER wurden 1 Zuordnungen\n und 3 "
                                               "Unterrichts - Definitionen vorgenommen!\n\n Den "
                                               "Lehrer trotzdem löschen?",
                                               "Warnung"}}));
    EXPECT_EQ(no.kinds, std::vector<Question>{Question::YesNo});
    EXPECT_EQ(d, before);

    ScriptedReporter yes;
    EXPECT_EQ(ed.DeleteTeacher(0, yes), (Aenderung{true, 0}));
    EXPECT_EQ(d.FindLehrer("MEIER"), -1);
    ASSERT_EQ(d.FachBloecke.size(), 1u);
    EXPECT_EQ(d.FachBloecke[0].Key, "SCHULZ / 5A / D");
    const CKursBlock& k = d.KursBloecke[0];
    ASSERT_EQ(k.Lehrer.size(), 1u);
    EXPECT_EQ(k.Lehrer[0].Name, "KOCH");
    EXPECT_EQ(k.Faecher, std::vector<std::string>{"SPORT"});
    EXPECT_EQ(k.Klassen, std::vector<std::string>{"5A"}) << "KOCH still holds the course";
    // The last teacher of the course goes: its classes go with him.
    EXPECT_TRUE(ed.DeleteTeacher(1, yes).Geaendert);
    EXPECT_TRUE(d.KursBloecke[0].Lehrer.empty());
    EXPECT_TRUE(d.KursBloecke[0].Klassen.empty());
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Teachers, DeleteWithoutLessonsAsksNothing) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep({false});
    ASSERT_TRUE(ed.NewTeacher({"NEU", "NEU"}, rep).Geaendert);
    EXPECT_EQ(ed.DeleteTeacher(3, rep), (Aenderung{true, 0}));
    EXPECT_TRUE(rep.asked.empty());
}

TEST(Teachers, SubjectsClassTeacherAndFlags) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_TRUE(ed.SetTeacherSubject(2, "D", true).Geaendert);
    EXPECT_FALSE(ed.SetTeacherSubject(2, "D", true).Geaendert) << "once";
    EXPECT_FALSE(ed.SetTeacherSubject(2, "LATEIN", true).Geaendert);
    EXPECT_EQ(d.Lehrer[2].Faecher, (std::vector<std::string>{"SPORT", "D"}));
    EXPECT_TRUE(ed.SetTeacherSubject(2, "SPORT", false).Geaendert);
    EXPECT_EQ(d.Lehrer[2].Faecher, std::vector<std::string>{"D"});

    EXPECT_TRUE(ed.SetTeacherClass(1, "5A", rep).Geaendert);
    EXPECT_EQ(d.Lehrer[1].Klasse, "5A");
    EXPECT_EQ(d.Lehrer[1].KlassenLehrer, 1);
    EXPECT_TRUE(rep.asked.empty());
    const Stammdaten before = d;
    ScriptedReporter cancel({false});
    EXPECT_FALSE(ed.SetTeacherClass(2, "5A", cancel).Geaendert);
    EXPECT_EQ(cancel.asked, (std::vector<Message>{{"Sie haben bereits Lehrer SCHULZ\nals "
                                                   "Klassenlehrer für Klasse 5A gewählt.\n\n "
                                                   "Diese Zuordnung verwerfen?",
                                                   "Anfrage"}}));
    EXPECT_EQ(d, before);
    EXPECT_TRUE(ed.SetTeacherClass(2, "5A", rep).Geaendert);
    EXPECT_EQ(d.Lehrer[2].Klasse, "5A");
    EXPECT_EQ(d.Lehrer[1].Klasse, "");
    EXPECT_EQ(d.Lehrer[1].KlassenLehrer, 0);
    EXPECT_TRUE(ed.SetClassTeacherFlag(2, false).Geaendert);
    EXPECT_EQ(d.Lehrer[2].Klasse, "");

    EXPECT_TRUE(ed.SetTeacherOpti(0, false).Geaendert);
    EXPECT_EQ(d.Lehrer[0].Opti, 0);
    EXPECT_FALSE(ed.SetTeacherOpti(0, false).Geaendert);
    EXPECT_TRUE(ed.SetTeacherFreeDays(0, true).Geaendert);
    EXPECT_EQ(d.Lehrer[0].TendenzZuFreienTagen, 1);
}

// --- Classes ----------------------------------------------------------------------------------

TEST(Classes, NewKeepsTheNameAsTypedAndRefusesDuplicatesIgnoringCase) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_EQ(ed.NewClass(" 6c ", rep), (Aenderung{true, 2}));
    EXPECT_EQ(d.Klassen.back().Name, "6c");
    EXPECT_EQ(d.Klassen.back().Opti, 1);
    const Stammdaten before = d;
    EXPECT_FALSE(ed.NewClass("5a", rep).Geaendert);
    EXPECT_FALSE(ed.NewClass("6/7", rep).Geaendert);
    EXPECT_FALSE(ed.RenameClass(0, "5b", rep).Geaendert);
    EXPECT_FALSE(ed.RenameClass(0, "%", rep).Geaendert);
    EXPECT_EQ(rep.shown, (std::vector<Message>{FehlerMeldung("Klasse ist bereits vorhanden"),
                                               FehlerMeldung("Ungültige Klassenbezeichnung!"),
                                               FehlerMeldung("Klasse ist bereits vorhanden"),
                                               FehlerMeldung("Ungültige Klassenbezeichnung!")}));
    EXPECT_EQ(d, before);
    EXPECT_STREQ(stammtext::NeueKlassePrompt, "Neues Klassene eingeben");
}

TEST(Classes, RenameIsCarriedIntoBlocksCoursesRoomsAndTeachers) {
    Stammdaten d = MasterSchool();
    d.Lehrer[1].KlassenLehrer = 1;
    d.Lehrer[1].Klasse = "5A";
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_EQ(ed.RenameClass(0, "6a", rep), (Aenderung{true, 0}));
    EXPECT_EQ(d.Klassen[0].Name, "6a");
    EXPECT_EQ(d.FachBloecke[0].Key, "MEIER / 6a / M");
    EXPECT_EQ(d.FachBloecke[1].Block.Klasse, "6a");
    EXPECT_EQ(d.KursBloecke[0].Klassen, std::vector<std::string>{"6a"});
    EXPECT_EQ(d.Raeume[3].Klasse, "6a");
    EXPECT_EQ(d.Lehrer[1].Klasse, "6a");
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Classes, DeleteCountsAsksAndCascades) {
    Stammdaten d = MasterSchool();
    d.Lehrer[1].KlassenLehrer = 1;
    d.Lehrer[1].Klasse = "5A";
    // Special separations are numbered by class: 5B's group must follow 5B to number 0.
    d.FachBloecke[2].Block.SpezialTrennung = 1;
    d.FachBloecke[0].Block.SpezialTrennung = 0;
    d.KursBloecke[0].SpezialTrennung = 0;
    MasterDataEditor ed(d);
    EXPECT_EQ(ed.ClassUsage(0), (Verwendung{2, 3}));
    const Stammdaten before = d;
    ScriptedReporter no({false});
    EXPECT_EQ(ed.DeleteClass(0, no), (Aenderung{false, 0}));
    EXPECT_EQ(no.asked, (std::vector<Message>{{"Für diese Klasse wurden vorgenommen\n\n\n"
                                               "Zuordnungen: 2\nUnterrichts - Definitionen: 3\n\n"
                                               "Die Klasse trotzdem löschen?",
                                               "Warnung"}}));
    EXPECT_EQ(d, before);
    ScriptedReporter yes;
    EXPECT_EQ(ed.DeleteClass(0, yes), (Aenderung{true, 0}));
    EXPECT_EQ(d.Klassen.size(), 1u);
    EXPECT_EQ(d.Raeume[3].Klasse, "");
    EXPECT_EQ(d.Raeume[3].KlassenTyp, (std::array<Flag, 3>{0, 0, 1})) << "flags stay";
    EXPECT_EQ(d.Lehrer[1].Klasse, "");
    EXPECT_EQ(d.Lehrer[1].KlassenLehrer, 1) << "flags stay";
    ASSERT_EQ(d.FachBloecke.size(), 1u);
    EXPECT_EQ(d.FachBloecke[0].Key, "MEIER / 5B / PH");
    EXPECT_EQ(d.FachBloecke[0].Block.SpezialTrennung, 0);
    EXPECT_TRUE(d.KursBloecke[0].Klassen.empty());
    EXPECT_EQ(d.KursBloecke[0].Lehrer.size(), 2u) << "the teachers stay";
    EXPECT_EQ(d.KursBloecke[0].SpezialTrennung, -1);
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Classes, DeleteWithoutUseAsksNothingAndOptiFlag) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep({false});
    ASSERT_TRUE(ed.NewClass("7", rep).Geaendert);
    EXPECT_TRUE(ed.SetClassOpti(2, false).Geaendert);
    EXPECT_EQ(d.Klassen[2].Opti, 0);
    EXPECT_EQ(ed.DeleteClass(2, rep), (Aenderung{true, 0}));
    EXPECT_TRUE(rep.asked.empty());
}

// --- Lock grids -------------------------------------------------------------------------------

TEST(LockGrid, RoomLockInsideAFixedCourseUnitIsRefusedAndLocksNothing) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    // Friday 1st to 3rd hour: the 2nd is the course's unit in TH.
    EXPECT_EQ(ed.Lock(SperrZiel::Raum, 2, {SlotOf(4, 1), SlotOf(4, 2), SlotOf(4, 3)}, rep),
              (Aenderung{false, 2}));
    EXPECT_EQ(rep.shown, std::vector<Message>{FehlerMeldung(
                             "Der Raum TH wurde in diesem Zeitbereich\neiner Unterrichtseinheit "
                             "zugeordnet (SPORTKURS / MEIER)!\n\n Löschen sie zuerst die "
                             "entsprechende Zeitdefinition des Kurses.")});
    EXPECT_EQ(d, before);
    EXPECT_EQ(ed.Lock(SperrZiel::Raum, 2, {SlotOf(4, 1), SlotOf(4, 3)}, rep), (Aenderung{true, 2}));
    EXPECT_EQ(d.Raeume[2].Sperre[SlotOf(4, 1)], 1);
    EXPECT_EQ(d.Raeume[2].Sperre[SlotOf(4, 3)], 1);
    EXPECT_EQ(d.Raeume[2].Sperre[SlotOf(4, 2)], 0);
}

TEST(LockGrid, SubjectBlockUnitsRefuseRoomTeacherAndClassLocks) {
    Stammdaten d = MasterSchool();
    d.FachBloecke[2].Block.Einheiten[0].Laenge = 2; // PH: Monday 1st and 2nd hour in PH1
    d.FachBloecke[2].Block.Einheiten.pop_back();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_FALSE(ed.Lock(SperrZiel::Raum, 1, {SlotOf(0, 2)}, rep).Geaendert);
    EXPECT_FALSE(ed.Lock(SperrZiel::Lehrer, 0, {SlotOf(0, 2)}, rep).Geaendert);
    EXPECT_FALSE(ed.Lock(SperrZiel::Klasse, 1, {SlotOf(0, 1)}, rep).Geaendert);
    EXPECT_EQ(
        rep.shown,
        (std::vector<Message>{
            FehlerMeldung("Der Raum PH1 wurde in diesem Zeitbereich\neiner Unterrichtseinheit "
                          "zugeordnet (MEIER / 5B / PH)!\n\n Löschen sie zuerst die entsprechende "
                          "Zeitdefinition der Unterichtseinheit."),
            FehlerMeldung("Für den Lehrer MEIER wurden in diesem Zeitbereich\n"
                          "Unterrichtsdefinitionen vorgemommen (MEIER / 5B / PH)!\n\n Löschen sie "
                          "zuerst die entsprechende Zeitdefinition."),
            FehlerMeldung("Für die Klasse 5B wurden in diesem Zeitbereich\n"
                          "Unterrichtsdefinitionen vorgemommen (MEIER / 5B / PH)!\n\n Löschen sie "
                          "zuerst die entsprechende Zeitdefinition.")}));
    EXPECT_EQ(d, before);
    // Another room, teacher or class is free at that time.
    EXPECT_TRUE(ed.Lock(SperrZiel::Raum, 0, {SlotOf(0, 2)}, rep).Geaendert);
    EXPECT_TRUE(ed.Lock(SperrZiel::Lehrer, 1, {SlotOf(0, 2)}, rep).Geaendert);
    EXPECT_TRUE(ed.Lock(SperrZiel::Klasse, 0, {SlotOf(0, 1)}, rep).Geaendert);
    EXPECT_EQ(rep.shown.size(), 3u);
}

TEST(LockGrid, CourseUnitsRefuseTheirTeachersAndClasses) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_FALSE(ed.Lock(SperrZiel::Lehrer, 2, {SlotOf(4, 2)}, rep).Geaendert);
    EXPECT_FALSE(ed.Lock(SperrZiel::Klasse, 0, {SlotOf(4, 2)}, rep).Geaendert);
    EXPECT_TRUE(ed.Lock(SperrZiel::Klasse, 1, {SlotOf(4, 2)}, rep).Geaendert) << "5B is not in it";
    EXPECT_EQ(
        rep.shown,
        (std::vector<Message>{
            FehlerMeldung("Für den Lehrer KOCH wurden in diesem Zeitbereich\n"
                          "Unterrichtsdefinitionen vorgemommen (SPORTKURS / KOCH)!\n\n Löschen sie "
                          "zuerst die entsprechende Zeitdefinition des Kurses."),
            FehlerMeldung("Für die Klasse 5A wurden in diesem Zeitbereich\n"
                          "Unterrichtsdefinitionen vorgemommen (SPORTKURS / MEIER)!\n\n Löschen "
                          "sie zuerst die entsprechende Zeitdefinition des Kurses.")}));
}

TEST(LockGrid, LimitsDoNotHoldASlotAndUnlockNeverAsks) {
    Stammdaten d = MasterSchool();
    d.FachBloecke[0].Block.Einheiten[0].OberesLimit = 1; // MEIER / 5A / M: "by the 3rd hour"
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_TRUE(ed.Lock(SperrZiel::Lehrer, 0, {SlotOf(1, 3), 400, -1}, rep).Geaendert);
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_FALSE(ed.Lock(SperrZiel::Lehrer, 0, {SlotOf(1, 3)}, rep).Geaendert) << "locked";
    EXPECT_TRUE(ed.Unlock(SperrZiel::Lehrer, 0, {SlotOf(1, 3), SlotOf(1, 4)}).Geaendert);
    EXPECT_EQ(d.Lehrer[0].Sperre, FreeGrid());
    EXPECT_FALSE(ed.Unlock(SperrZiel::Lehrer, 0, {SlotOf(1, 3)}).Geaendert);
    EXPECT_FALSE(ed.Lock(SperrZiel::Klasse, 5, {SlotOf(1, 3)}, rep).Geaendert);
    EXPECT_TRUE(rep.asked.empty());
}

} // namespace
} // namespace sw
