// SPDX-License-Identifier: GPL-3.0-or-later
// The subject and room dialogs' operations: names, renames carried everywhere, deletes with
// their counts, questions and cascades, room type and class room.
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

// --- Subjects ---------------------------------------------------------------------------------

TEST(Subjects, NewIsUpperCasedAppendedAndSelected) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_EQ(ed.NewSubject("  bio ", rep), (Aenderung{true, 4}));
    EXPECT_EQ(d.Faecher.back(), "BIO");
    EXPECT_EQ(ed.NewSubject("ökologie", rep), (Aenderung{true, 5}));
    EXPECT_EQ(d.Faecher.back(), "ÖKOLOGIE");
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Subjects, NewRefusesInvalidAndDuplicateNamesChangingNothing) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    for (const char* bad : {"", "  ", "a/b", "10%", "Kunst, Musik", "_", " _ "}) {
        ScriptedReporter rep;
        EXPECT_EQ(ed.NewSubject(bad, rep), (Aenderung{false, -1})) << bad;
        EXPECT_EQ(rep.shown, std::vector<Message>{Fehler("Ungültige Fachbezeichnung!")}) << bad;
    }
    for (const char* twice : {"m", "Sport", " PH "}) {
        ScriptedReporter rep;
        EXPECT_FALSE(ed.NewSubject(twice, rep).Geaendert);
        EXPECT_EQ(rep.shown, std::vector<Message>{Fehler("Fach ist bereits vorhanden")}) << twice;
    }
    EXPECT_EQ(d, before);
}

TEST(Subjects, RenameIsCarriedIntoRoomsTeachersCoursesAndBlocks) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    // SPORT: the reserved room TH, teachers MEIER and KOCH, the course's two entries.
    EXPECT_EQ(ed.RenameSubject(3, "sportlich", rep), (Aenderung{true, 3}));
    EXPECT_EQ(d.Faecher, (std::vector<std::string>{"M", "D", "PH", "SPORTLICH"}));
    EXPECT_EQ(d.Raeume[2].Faecher, std::vector<std::string>{"SPORTLICH"});
    EXPECT_EQ(d.Lehrer[0].Faecher, (std::vector<std::string>{"M", "PH", "SPORTLICH"}));
    EXPECT_EQ(d.Lehrer[2].Faecher, std::vector<std::string>{"SPORTLICH"});
    EXPECT_EQ(d.KursBloecke[0].Faecher, (std::vector<std::string>{"SPORTLICH", "SPORTLICH"}));
    // PH: a subject block and its key in the lesson list.
    EXPECT_TRUE(ed.RenameSubject(2, "physik", rep).Geaendert);
    EXPECT_EQ(d.FachBloecke[2].Block.Fach, "PHYSIK");
    EXPECT_EQ(d.FachBloecke[2].Key, "MEIER / 5B / PHYSIK");
    EXPECT_EQ(d.Raeume[1].Faecher, std::vector<std::string>{"PHYSIK"});
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Subjects, RenameRefusalsAndTheSameNameChangeNothing) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_FALSE(ed.RenameSubject(0, "d", rep).Geaendert);
    EXPECT_FALSE(ed.RenameSubject(0, "x/y", rep).Geaendert);
    EXPECT_EQ(rep.shown, (std::vector<Message>{Fehler("Fach ist bereits vorhanden"),
                                               Fehler("Ungültige Fachbezeichnung!")}));
    rep.shown.clear();
    EXPECT_EQ(ed.RenameSubject(0, " m ", rep), (Aenderung{false, 0})) << "upper-cased: the same";
    EXPECT_EQ(ed.RenameSubject(7, "NEU", rep), (Aenderung{false, 7})) << "no subject selected";
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_EQ(d, before);
}

TEST(Subjects, DeleteCountsAndAsksInTheExactWords) {
    Stammdaten d = MasterSchool();
    test::AddBlock(d, "KOCH", "5B", "SPORT", 2);
    MasterDataEditor ed(d);
    // Assignments: room TH, teachers MEIER and KOCH (the course has classes, so it is a
    // definition, one per class). Definitions: the course's class 5A and the block KOCH / 5B.
    EXPECT_EQ(ed.SubjectUsage(3), (Verwendung{3, 2}));
    const Stammdaten before = d;
    ScriptedReporter no({false});
    EXPECT_EQ(ed.DeleteSubject(3, no), (Aenderung{false, 3}));
    EXPECT_EQ(no.asked, (std::vector<Message>{{"Für dieses Fach wurden vorgenommen\n\n\n"
                                               "Zuordnungen: 3\nUnterrichts - Definitionen: 2\n\n"
                                               "Das Fach trotzdem löschen?",
                                               "Warnung"}}));
    EXPECT_EQ(no.kinds, std::vector<Question>{Question::YesNo});
    EXPECT_EQ(d, before);
}

TEST(Subjects, DeleteCascadesThroughRoomsTeachersCoursesAndBlocks) {
    Stammdaten d = MasterSchool();
    test::AddBlock(d, "KOCH", "5B", "SPORT", 2);
    MasterDataEditor ed(d);
    ScriptedReporter yes;
    EXPECT_EQ(ed.DeleteSubject(3, yes), (Aenderung{true, 0}));
    EXPECT_EQ(d.Faecher, (std::vector<std::string>{"M", "D", "PH"}));
    // TH lost its last special subject and becomes Universal.
    EXPECT_TRUE(d.Raeume[2].Faecher.empty());
    EXPECT_EQ(d.Raeume[2].FachTyp, (std::array<Flag, 3>{1, 0, 0}));
    EXPECT_EQ(d.Lehrer[0].Faecher, (std::vector<std::string>{"M", "PH"}));
    EXPECT_TRUE(d.Lehrer[2].Faecher.empty());
    // Both course teachers taught SPORT: the course keeps nothing but its name.
    EXPECT_TRUE(d.KursBloecke[0].Lehrer.empty());
    EXPECT_TRUE(d.KursBloecke[0].Faecher.empty());
    EXPECT_TRUE(d.KursBloecke[0].Klassen.empty());
    EXPECT_EQ(d.FachBloecke.size(), 3u);
    EXPECT_EQ(d.FindFachBlock("KOCH / 5B / SPORT"), -1);
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Subjects, DeleteKeepsTheOtherTeachersOfAMixedCourseAndOtherSpecialSubjects) {
    Stammdaten d = MasterSchool();
    d.Raeume[1].Faecher.push_back("M"); // PH1 is special for PH and M
    CKursBlock k;
    k.Name = "AG";
    k.Kurz = "AG";
    k.BStunden = 1;
    k.Faecher = {"M", "D", "M"};
    k.Lehrer = {{"MEIER", {CEinheit(1, SlotOf(2, 2))}},
                {"SCHULZ", {CEinheit(1, SlotOf(2, 2))}},
                {"KOCH", {CEinheit(1, SlotOf(2, 2))}}};
    k.Klassen = {"5B"};
    d.KursBloecke.push_back(k);
    MasterDataEditor ed(d);
    ScriptedReporter yes;
    ASSERT_TRUE(ed.DeleteSubject(0, yes).Geaendert); // M
    const CKursBlock& ag = d.KursBloecke[1];
    EXPECT_EQ(ag.Faecher, std::vector<std::string>{"D"});
    ASSERT_EQ(ag.Lehrer.size(), 1u);
    EXPECT_EQ(ag.Lehrer[0].Name, "SCHULZ");
    EXPECT_TRUE(ag.Klassen.empty());
    EXPECT_EQ(d.KursBloecke[0].Klassen, std::vector<std::string>{"5A"}) << "no M in the course";
    EXPECT_EQ(d.Raeume[1].Faecher, std::vector<std::string>{"PH"});
    EXPECT_EQ(d.Raeume[1].FachTyp, (std::array<Flag, 3>{0, 1, 0}));
    EXPECT_EQ(d.FindFachBlock("MEIER / 5A / M"), -1);
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Subjects, DeletingAnUnusedSubjectAsksNothingAndTheLastLeavesNoSelection) {
    Stammdaten d;
    d.Faecher = {"KUNST"};
    MasterDataEditor ed(d);
    ScriptedReporter rep({false});
    EXPECT_EQ(ed.DeleteSubject(0, rep), (Aenderung{true, -1}));
    EXPECT_TRUE(rep.asked.empty());
    EXPECT_TRUE(d.Faecher.empty());
    EXPECT_EQ(ed.DeleteSubject(0, rep), (Aenderung{false, 0}));
}

// --- Rooms ------------------------------------------------------------------------------------

TEST(Rooms, NewUpperCasesCutsTheShortFormAndStartsUniversalWithoutClass) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_EQ(ed.NewRoom({" aula ", "aulagross"}, rep), (Aenderung{true, 4}));
    const CRaumFach& r = d.Raeume.back();
    EXPECT_EQ(r.Name, "AULA");
    EXPECT_EQ(r.Kurz, "AULAG");
    EXPECT_EQ(r.FachTyp, (std::array<Flag, 3>{1, 0, 0}));
    EXPECT_EQ(r.KlassenTyp, (std::array<Flag, 3>{1, 0, 0}));
    EXPECT_TRUE(r.Faecher.empty());
    EXPECT_EQ(r.Sperre, FreeGrid());
    EXPECT_TRUE(rep.shown.empty());
}

TEST(Rooms, NewRefusesInTheOrderOfItsChecks) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    const struct {
        NamenEingabe in;
        std::string text;
    } cases[] = {
        {{"", ""}, "Ungültige Raumbezeichnung!"},
        {{"A/B", "AB"}, "Ungültige Raumbezeichnung!"},
        {{"AULA", " "}, "Ungültiges Kürzel!"},
        {{"AULA", "_"}, "Ungültiges Kürzel!"},
        {{"AULA", "ph1"}, "Kürzel PH1 bereits vergeben!"},
        // The short form is checked before the name.
        {{"r1", "r1"}, "Kürzel R1 bereits vergeben!"},
        {{"r1", "NEU"}, "Raum ist bereits vorhanden"},
    };
    for (const auto& c : cases) {
        ScriptedReporter rep;
        EXPECT_EQ(ed.NewRoom(c.in, rep), (Aenderung{false, -1})) << c.text;
        EXPECT_EQ(rep.shown, std::vector<Message>{Fehler(c.text)});
    }
    EXPECT_EQ(d, before);
}

TEST(Rooms, RenameCarriesTheNameIntoEveryUnit) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_EQ(ed.RenameRoom(1, {"labor", "lab"}, rep), (Aenderung{true, 1}));
    EXPECT_EQ(d.Raeume[1].Name, "LABOR");
    EXPECT_EQ(d.Raeume[1].Kurz, "LAB");
    EXPECT_EQ(d.FachBloecke[1].Block.Einheiten[2].Raum, "LABOR");
    EXPECT_EQ(d.FachBloecke[2].Block.Einheiten[0].Raum, "LABOR");
    EXPECT_EQ(d.FachBloecke[2].Block.Einheiten[1].Raum, "LABOR");
    EXPECT_EQ(ed.RenameRoom(2, {"halle", "TH"}, rep), (Aenderung{true, 2})) << "own short form";
    for (const CKursLehrer& l : d.KursBloecke[0].Lehrer)
        EXPECT_EQ(l.Einheiten[1].Raum, "HALLE");
    EXPECT_EQ(ed.RoomUnitCount(1), 3);
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Rooms, RenameRefusalsAndNoChangeLeaveEverything) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    const struct {
        NamenEingabe in;
        std::string text;
    } cases[] = {
        {{"", "X"}, "Ungültige Raum - Bezeichnung!"},
        {{"NEU", "%"}, "Ungültiges Raum - Kürzel!"},
        {{"th", "NEU"}, "Raum ist bereits vorhanden"},
        {{"NEU", "th"}, "Kürzel TH bereits vergeben!"},
    };
    for (const auto& c : cases) {
        ScriptedReporter rep;
        EXPECT_EQ(ed.RenameRoom(1, c.in, rep), (Aenderung{false, 1})) << c.text;
        EXPECT_EQ(rep.shown, std::vector<Message>{Fehler(c.text)});
    }
    ScriptedReporter rep;
    EXPECT_FALSE(ed.RenameRoom(1, {"ph1", "ph1"}, rep).Geaendert);
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_EQ(d, before);
}

TEST(Rooms, PageDeleteCountsTheUnitsAndClearsThemOnOk) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    ScriptedReporter cancel({false});
    EXPECT_EQ(ed.DeleteRoom(1, cancel), (Aenderung{false, 1}));
    EXPECT_EQ(cancel.asked,
              (std::vector<Message>{{"Für den Raum PH1 wurden 3 Zuweisungen im Unterrichts - "
                                     "Formular vorgenommen.\n\nRaum PH1 trotzdem löschen?",
                                     "Anfrage"}}));
    EXPECT_EQ(cancel.kinds, std::vector<Question>{Question::OkCancel});
    EXPECT_EQ(d, before);

    ScriptedReporter ok;
    EXPECT_EQ(ed.DeleteRoom(1, ok), (Aenderung{true, 0}));
    EXPECT_EQ(d.FindRaum("PH1"), -1);
    EXPECT_EQ(d.FachBloecke[1].Block.Einheiten[2].Raum, "");
    EXPECT_EQ(d.FachBloecke[2].Block.Einheiten[0].Raum, "");
    EXPECT_EQ(d.FachBloecke[2].Block.Einheiten[0].Zeitvorgabe, SlotOf(0, 1)) << "time stays";
    EXPECT_EQ(d.FachBloecke[0].Block.Einheiten[0].Raum, "R1");
    EXPECT_TRUE(MasterDataProblems(d).empty());
}

TEST(Rooms, PageDeleteAsksAlsoWithoutUnits) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter ok;
    EXPECT_TRUE(ed.DeleteRoom(3, ok).Geaendert);
    EXPECT_EQ(ok.asked.at(0).Text, "Für den Raum K5A wurden 0 Zuweisungen im Unterrichts - "
                                   "Formular vorgenommen.\n\nRaum K5A trotzdem löschen?");
}

// Regression: the navigation bar's delete left the room's name in the units, so a unit named
// a room that no longer existed.
TEST(Rooms, NavigationBarDeleteAlsoClearsTheRoomFromUnits) {
    Stammdaten d = MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    ScriptedReporter cancel({false});
    EXPECT_FALSE(ed.DeleteRoomFromBar(2, cancel).Geaendert);
    EXPECT_EQ(cancel.asked, (std::vector<Message>{{"Raum TH löschen?", "Anfrage"}}));
    EXPECT_EQ(cancel.kinds, std::vector<Question>{Question::OkCancel});
    EXPECT_EQ(d, before);
    ScriptedReporter ok;
    EXPECT_EQ(ed.DeleteRoomFromBar(2, ok), (Aenderung{true, 0}));
    for (const CKursLehrer& l : d.KursBloecke[0].Lehrer)
        EXPECT_EQ(l.Einheiten[1].Raum, "");
    EXPECT_EQ(MasterDataProblems(d), std::vector<std::string>{});
}

TEST(Rooms, TypeUniversalEmptiesTheSubjectsAndSpecialTypesKeepThem) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    EXPECT_EQ(ed.SetRoomType(1, RaumTyp::SpezialReserviert), (Aenderung{true, 1}));
    EXPECT_EQ(d.Raeume[1].FachTyp, (std::array<Flag, 3>{0, 0, 1}));
    EXPECT_EQ(d.Raeume[1].Faecher, std::vector<std::string>{"PH"});
    EXPECT_FALSE(ed.SetRoomType(1, RaumTyp::SpezialReserviert).Geaendert);
    EXPECT_TRUE(ed.SetRoomType(1, RaumTyp::Universal).Geaendert);
    EXPECT_EQ(d.Raeume[1].FachTyp, (std::array<Flag, 3>{1, 0, 0}));
    EXPECT_TRUE(d.Raeume[1].Faecher.empty());
}

TEST(Rooms, SubjectCheckListAddsOnceAndOnlyForSpecialRooms) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ScriptedReporter rep;
    EXPECT_TRUE(ed.SetRoomSubject(1, "M", true, rep).Geaendert);
    EXPECT_EQ(d.Raeume[1].Faecher, (std::vector<std::string>{"PH", "M"}));
    EXPECT_FALSE(ed.SetRoomSubject(1, "M", true, rep).Geaendert);
    EXPECT_EQ(rep.shown, (std::vector<Message>{{"Fach schon registriert", "Velmorak - Fehler"}}));
    EXPECT_EQ(d.Raeume[1].Faecher, (std::vector<std::string>{"PH", "M"})) << "not twice";
    EXPECT_FALSE(ed.SetRoomSubject(0, "M", true, rep).Geaendert) << "R1 is Universal";
    EXPECT_FALSE(ed.SetRoomSubject(1, "LATEIN", true, rep).Geaendert) << "no such subject";
    EXPECT_TRUE(ed.SetRoomSubject(1, "PH", false, rep).Geaendert);
    EXPECT_EQ(d.Raeume[1].Faecher, std::vector<std::string>{"M"});
    EXPECT_FALSE(ed.SetRoomSubject(1, "PH", false, rep).Geaendert);
}

TEST(Rooms, ClassRoomTakenFromAnotherRoomOnlyAfterOk) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    ASSERT_TRUE(ed.SetRoomClassType(0, true).Geaendert);
    EXPECT_EQ(d.Raeume[0].KlassenTyp, (std::array<Flag, 3>{0, 0, 1}));
    const Stammdaten before = d;
    ScriptedReporter cancel({false});
    EXPECT_FALSE(ed.SetRoomClass(0, "5A", true, cancel).Geaendert);
    EXPECT_EQ(cancel.asked,
              (std::vector<Message>{{"Sie haben bereits die Klasse 5A\nfür den Raum K5A "
                                     "gewählt.\n\n Diese Zuordnung verwerfen?",
                                     "Anfrage"}}));
    EXPECT_EQ(d, before);
    ScriptedReporter ok;
    EXPECT_TRUE(ed.SetRoomClass(0, "5A", true, ok).Geaendert);
    EXPECT_EQ(d.Raeume[0].Klasse, "5A");
    EXPECT_EQ(d.Raeume[3].Klasse, "");
    EXPECT_EQ(d.Raeume[3].KlassenTyp, (std::array<Flag, 3>{1, 0, 0}));
    // Unchecking, and "Kein Klassenraum", clear the class.
    EXPECT_TRUE(ed.SetRoomClass(0, "5A", false, ok).Geaendert);
    EXPECT_EQ(d.Raeume[0].Klasse, "");
    EXPECT_EQ(d.Raeume[0].KlassenTyp, (std::array<Flag, 3>{1, 0, 0}));
    ASSERT_TRUE(ed.SetRoomClassType(1, true).Geaendert);
    ASSERT_TRUE(ed.SetRoomClass(1, "5B", true, ok).Geaendert);
    EXPECT_TRUE(ed.SetRoomClassType(1, false).Geaendert);
    EXPECT_EQ(d.Raeume[1].Klasse, "");
    EXPECT_FALSE(ed.SetRoomClass(1, "9Z", true, ok).Geaendert) << "no such class";
    EXPECT_EQ(ok.asked.size(), 1u);
}

TEST(Rooms, CourseReleaseFlag) {
    Stammdaten d = MasterSchool();
    MasterDataEditor ed(d);
    EXPECT_TRUE(ed.SetRoomCourseRelease(3, true).Geaendert);
    EXPECT_EQ(d.Raeume[3].KlassenKursFreigabe, 1);
    EXPECT_FALSE(ed.SetRoomCourseRelease(3, true).Geaendert);
    EXPECT_FALSE(ed.SetRoomCourseRelease(9, true).Geaendert);
}

} // namespace
} // namespace sw
