// SPDX-License-Identifier: GPL-3.0-or-later
// The time choice and the room choice of a unit, rule by rule in their order, with the exact
// texts (the system's typing slips included).
#include "define/DefinitionChecks.h"

#include "DefineSchool.h"
#include "define/LessonEditor.h"

#include <gtest/gtest.h>

#include <functional>

namespace sw {
namespace {

const std::string kNicht =
    "Eine Festlegung dieser Zeit für diese Unterrichts - Einheit ist nicht möglich!\n\n";
const std::string kRaumNicht = "Eine Festlegung dieser Zeit für diese Unterrichts - Einheit ist "
                               "in diesem Raum nicht möglich!\n\n";
const std::string kKursNicht =
    "Eine Festlegung dieser Zeit für diese Kurs - Einheit ist nicht möglich!\n\n";
const std::string kKursRaumNicht =
    "Eine Festlegung dieser Zeit für diese Kurs - Einheit ist in diesem Raum nicht möglich!\n\n";

class DefinitionChecksTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::AddBlock(data, "MEIER", "5A", "M", 3);   // 0
        test::AddBlock(data, "SCHULZ", "5A", "D", 2);  // 1
        test::AddBlock(data, "MEIER", "5B", "PH", 2);  // 2
        test::AddBlock(data, "SCHULZ", "5B", "PH", 2); // 3
        CKursBlock ag;
        ag.Name = "AG";
        ag.Faecher = {"M"};
        ag.Lehrer = {CKursLehrer{"MEIER", {CEinheit(1, kNoSlot)}}};
        ag.Klassen = {"5B"};
        ag.BStunden = 1;
        data.KursBloecke.push_back(ag); // 1
    }
    CEinheit& Unit(int block, int i) {
        return data.FachBloecke[static_cast<size_t>(block)].Block.Einheiten[static_cast<size_t>(i)];
    }
    CEinheit& KursUnit(int kurs, int lehrer, int i) {
        return data.KursBloecke[static_cast<size_t>(kurs)]
            .Lehrer[static_cast<size_t>(lehrer)]
            .Einheiten[static_cast<size_t>(i)];
    }
    AktuellerBlock Fach(int i) { return AktuellerBlock{BlockArt::Fach, i, -1}; }
    AktuellerBlock Kurs(int i, int lehrer = 0) { return AktuellerBlock{BlockArt::Kurs, i, lehrer}; }
    std::string Time(const AktuellerBlock& b, int pos, int day, int hour) {
        return CheckTime(data, b, {pos}, SlotOf(day, hour)).Refusal;
    }
    std::string Room(const AktuellerBlock& b, int pos, const std::string& raum, bool on = true) {
        return CheckRoom(data, b, pos, raum, on).Refusal;
    }
    void Lock(LockGrid& grid, int day, int hour) {
        grid[static_cast<size_t>(SlotOf(day, hour))] = 1;
    }

    Stammdaten data = test::DefineSchool();
};

// --- Time choice: a unit of a subject block ----------------------------------------------------

TEST_F(DefinitionChecksTest, WithoutAUnitOrWithSeveralNothingIsChecked) {
    EXPECT_EQ(CheckTime(data, Fach(0), {}, SlotOf(0, 1)).Refusal,
              "Sie müssen zuerst eine Einheit auswählen.");
    EXPECT_EQ(CheckTime(data, Fach(0), {7}, SlotOf(0, 1)).Refusal,
              "Sie müssen zuerst eine Einheit auswählen.");
    EXPECT_EQ(CheckTime(data, AktuellerBlock{}, {0}, SlotOf(0, 1)).Refusal,
              "Sie müssen zuerst eine Einheit auswählen.");
    EXPECT_EQ(CheckTime(data, Fach(0), {0, 2}, SlotOf(0, 1)).Refusal,
              "Es kann mit einem mal immer nur einer Einheit eine Unterrichtszeit zugewiesen "
              "werden.");
    EXPECT_TRUE(CheckTime(data, Fach(0), {2, 2}, SlotOf(0, 1)).Allowed());
    EXPECT_EQ(Room(Fach(0), -1, "R1"), "Sie müssen zuerst eine Einheit auswählen.");
}

TEST_F(DefinitionChecksTest, AThreeHourUnitAtHourSevenOfEightIsTooLong) {
    Unit(0, 0).Laenge = 3;
    EXPECT_EQ(Time(Fach(0), 0, 0, 7),
              "Die Länge der Einheit geht über die maximale Stundenzahl des Tages hinaus.");
    EXPECT_EQ(Time(Fach(0), 0, 0, 6), "");
}

TEST_F(DefinitionChecksTest, TheZerothHourIsAHourOnlyWhenItIsInUse) {
    EXPECT_EQ(Time(Fach(0), 0, 0, 0),
              "Diese Zeit liegt außerhalb der Unterrichtswoche. Wählen Sie ein Feld im "
              "Zeitraster.");
    EXPECT_NE(Time(Fach(0), 0, 5, 1), ""); // Saturday
    data.Angaben.Nullte = true;
    const int slot = SlotOfCell(data.Angaben, {1, 1});
    EXPECT_EQ(slot, SlotOf(0, 0));
    EXPECT_TRUE(CheckTime(data, Fach(0), {0}, slot).Allowed());
}

TEST_F(DefinitionChecksTest, ClassLockNamesTheLockedHour) {
    Unit(0, 0).Laenge = 2;
    Lock(data.Klassen[0].Sperre, 1, 3);
    Lock(data.Lehrer[0].Sperre, 1, 2); // the teacher's lock comes later
    EXPECT_EQ(Time(Fach(0), 0, 1, 2), kNicht + "Für die Klasse 5A wurde am 2. Tag in der 3. "
                                               "Stunde eine Sperrung vorgenommen.");
}

TEST_F(DefinitionChecksTest, ClassAgainstSubjectBlocksAndCourses) {
    Unit(1, 1).Zeitvorgabe = SlotOf(0, 1);
    EXPECT_EQ(Time(Fach(0), 0, 0, 1), kNicht + "Die aktuelle gewählte Einheit der Klasse5A "
                                               "überschneidet sich zeitlich mit dem Block "
                                               "SCHULZ / 5A /D.");
    KursUnit(0, 0, 1).Zeitvorgabe = SlotOf(0, 2);
    Unit(0, 0).Laenge = 2;
    EXPECT_EQ(Time(Fach(0), 0, 0, 2), kNicht + "Die aktuelle gewählte Einheit der Klasse5A "
                                               "überschneidet sich zeitlich mit dem Kurs "
                                               "SPORTKURS.");
    // The span starts inside the other unit's, or the other starts inside it.
    EXPECT_NE(Time(Fach(0), 0, 0, 1), "");
    EXPECT_EQ(Time(Fach(0), 0, 0, 3), "");
}

TEST_F(DefinitionChecksTest, TeacherLockThenTheTeachersBlocksAndCourses) {
    Lock(data.Lehrer[0].Sperre, 2, 5);
    EXPECT_EQ(Time(Fach(0), 0, 2, 5), kNicht + "Für den Lehrer MEIER wurde am 3. Tag in der 5. "
                                               "Stunde eine Sperrung vorgenommen.");
    Unit(2, 0).Zeitvorgabe = SlotOf(0, 4);
    EXPECT_EQ(Time(Fach(0), 0, 0, 4), kNicht + "Die aktuelle gewählte Einheit des Lehrers MEIER "
                                               "überschneidet sich zeitlich mit dem Block "
                                               "MEIER / 5B /PH.");
    KursUnit(1, 0, 0).Zeitvorgabe = SlotOf(3, 6);
    EXPECT_EQ(Time(Fach(0), 0, 3, 6), kNicht + "Die aktuelle gewählte Einheit des Lehrers MEIER "
                                               "überschneidet sich zeitlich mit dem Kurs AG.");
}

TEST_F(DefinitionChecksTest, TheUnitsRoomMustBeFreeAtTheNewTime) {
    Unit(0, 0).Raum = "R1";
    Lock(data.Raeume[0].Sperre, 4, 1);
    EXPECT_EQ(Time(Fach(0), 0, 4, 1), kRaumNicht + "Für den Raum R1 wurde am 5. Tag in der 1. "
                                                   "Stunde eine Sperrung vorgenommen.");
    Unit(3, 0).Zeitvorgabe = SlotOf(1, 1);
    Unit(3, 0).Raum = "R1";
    EXPECT_EQ(Time(Fach(0), 0, 1, 1),
              kRaumNicht + "Die aktuelle gewählte Einheit der Klasse 5A im Raum R1 überschneidet "
                           "sich nach Zeit und Raum mit dem Block SCHULZ / 5B /PH.");
    KursUnit(1, 0, 0).Zeitvorgabe = SlotOf(2, 1);
    KursUnit(1, 0, 0).Raum = "R1";
    data.KursBloecke[1].Lehrer[0].Name = "KOCH"; // so that the teacher rule passes
    EXPECT_EQ(Time(Fach(0), 0, 2, 1),
              kRaumNicht + "Die aktuelle gewählte Einheit der Klasse 5A im Raum R1 überschneidet "
                           "sich nach Zeit und Raum mit einer Einheit des Lehrers KOCH im Kurs "
                           "AG.");
    Unit(0, 0).Raum.clear();
    EXPECT_EQ(Time(Fach(0), 0, 2, 1), "");
}

TEST_F(DefinitionChecksTest, TwoFixedUnitsOfASpecialSubjectWithOneSpecialRoom) {
    data.FachBloecke[2].Block.Klasse = "5C"; // neither class nor teacher stands in the way
    Unit(2, 0).Zeitvorgabe = SlotOf(0, 1);
    EXPECT_EQ(Time(Fach(3), 0, 0, 1),
              "Sie haben versucht, für das Spezialfach PH am 1. Tag in der 1. Stunde mehr "
              "Unterricht zu definieren, als Spezialräume für PH zur Verfügung stehen.");
    // A universal room does not add to the special rooms, a second special room does.
    data.Raeume.push_back(test::Room("PH2", {1, 0, 0}, {"PH"}));
    EXPECT_NE(Time(Fach(3), 0, 0, 1), "");
    data.Raeume.back().FachTyp = {0, 0, 1};
    EXPECT_EQ(Time(Fach(3), 0, 0, 1), "");
}

TEST_F(DefinitionChecksTest, CourseTeachersOfTheSpecialSubjectTakeSpecialRoomsToo) {
    data.KursBloecke[1].Faecher = {"PH"};
    data.KursBloecke[1].Lehrer[0].Name = "KOCH";
    data.KursBloecke[1].Klassen = {"5C"};
    KursUnit(1, 0, 0).Zeitvorgabe = SlotOf(0, 2);
    Unit(3, 0).Laenge = 2;
    EXPECT_EQ(Time(Fach(3), 0, 0, 1),
              "Sie haben versucht, für das Spezialfach PH am 1. Tag in der 1. Stunde mehr "
              "Unterricht zu definieren, als Spezialräume für PH zur Verfügung stehen.");
}

TEST_F(DefinitionChecksTest, TheUnitsOwnFormerTimeNeverRefuses) {
    Unit(0, 0).Laenge = 2;
    Unit(0, 0).Zeitvorgabe = SlotOf(0, 1);
    Unit(0, 0).Raum = "R1";
    EXPECT_EQ(Time(Fach(0), 0, 0, 2), "");
    EXPECT_EQ(Time(Fach(0), 0, 0, 1), "");
    // Another unit of the same block at that time does refuse.
    EXPECT_NE(Time(Fach(0), 1, 0, 2), "");
}

TEST_F(DefinitionChecksTest, UnitsWithOnlyAnHourLimitAreNotFixed) {
    Unit(0, 1).Zeitvorgabe = 1; // hour 1 as a limit; as a slot it would be Monday, hour 1
    Unit(0, 1).OberesLimit = 1;
    Unit(0, 2).Zeitvorgabe = 1;
    Unit(0, 2).UnteresLimit = 1;
    EXPECT_EQ(Time(Fach(0), 0, 0, 1), "");
    Unit(0, 2).UnteresLimit = 0;
    EXPECT_NE(Time(Fach(0), 0, 0, 1), "");
}

// Every clash names who stands in the way: each row fixes one unit of someone else at Monday's
// first hour and pins unit 1 of the block there. MEIER teaches 5A maths and the course AG of 5B
// alone, so a clash with AG is his, not 5A's.
void Fix(CEinheit& e, const char* raum) {
    e.Zeitvorgabe = SlotOf(0, 1);
    e.Raum = raum;
}

TEST_F(DefinitionChecksTest, EveryClashNamesWhoStandsInTheWay) {
    struct Row {
        std::function<void(Stammdaten&)> setUp;
        AktuellerBlock block;
        const char* names;
        const char* notNames;
    };
    const Row rows[] = {
        {[](Stammdaten& d) { Fix(d.KursBloecke[1].Lehrer[0].Einheiten[0], ""); }, Fach(0),
         "Einheit des Lehrers MEIER überschneidet sich zeitlich mit dem Kurs AG", "5A"},
        {[](Stammdaten& d) { Fix(d.FachBloecke[2].Block.Einheiten[0], ""); }, Fach(0),
         "Einheit des Lehrers MEIER überschneidet sich zeitlich mit dem Block", "Klasse5A"},
        {[](Stammdaten& d) {
             d.KursBloecke[1].Lehrer[0].Name = "KOCH";
             Fix(d.KursBloecke[1].Lehrer[0].Einheiten[0], "R1");
             d.FachBloecke[1].Block.Einheiten[1].Raum = "R1";
         },
         Fach(1), "Einheit der Klasse 5A im Raum R1 überschneidet", "5B"},
        {[](Stammdaten& d) { Fix(d.KursBloecke[1].Lehrer[0].Einheiten[0], ""); }, Kurs(0),
         "Kurs- Einheit des Lehrers MEIER überschneidet sich zeitlich mit dem Kurs AG", "5B"},
        {[](Stammdaten& d) {
             d.KursBloecke[0].Klassen = {"5A", "5C"};
             d.KursBloecke[0].Lehrer[0].Einheiten[1].Raum = "R1";
             Fix(d.FachBloecke[3].Block.Einheiten[0], "R1");
         },
         Kurs(0), "Einheit des Kurses SPORTKURS im Raum R1 überschneidet", "5C"},
    };
    for (const Row& row : rows) {
        Stammdaten d = data;
        row.setUp(d);
        const std::string text = CheckTime(d, row.block, {1}, SlotOf(0, 1)).Refusal;
        EXPECT_NE(text.find(row.names), std::string::npos) << text;
        EXPECT_EQ(text.find(row.notNames), std::string::npos) << text;
    }
}

// --- Time choice: a unit of a course block -----------------------------------------------------

TEST_F(DefinitionChecksTest, CourseLengthAndClassLocks) {
    KursUnit(0, 0, 0).Laenge = 2;
    EXPECT_EQ(Time(Kurs(0), 0, 1, 8),
              "Die Länge der Einheit geht über die maximale StundenZahl des Tages hinaus.");
    data.KursBloecke[0].Klassen = {"5A", "5B"};
    Lock(data.Klassen[1].Sperre, 1, 2);
    EXPECT_EQ(Time(Kurs(0), 0, 1, 1),
              kNicht + "Für die Klasse 5B, die an diesem Kurs teilnimmt, wurde am 2. Tag in der "
                       "2. Stunde eine Sperrung vorgenommen.");
}

TEST_F(DefinitionChecksTest, CourseAgainstTheBlocksAndCoursesOfItsClasses) {
    data.KursBloecke[0].Klassen = {"5A", "5B"};
    Unit(3, 1).Zeitvorgabe = SlotOf(2, 2);
    EXPECT_EQ(Time(Kurs(0), 0, 2, 2), kKursNicht + "Die aktuelle gewählte Einheit der Klasse5B "
                                                   "überschneidet sich zeitlich mit dem Block "
                                                   "SCHULZ / 5B /PH.");
    KursUnit(1, 0, 0).Zeitvorgabe = SlotOf(2, 3);
    EXPECT_EQ(Time(Kurs(0), 0, 2, 3), kKursNicht + "Die aktuelle gewählte Eineit der Klasse5B "
                                                   "überschneidet sich\nzeitlich mit dem Kurs AG.");
    // The course's own unit at another position counts, the parallel ones do not.
    KursUnit(0, 0, 1).Zeitvorgabe = SlotOf(3, 3);
    KursUnit(0, 1, 1).Zeitvorgabe = SlotOf(3, 3);
    EXPECT_EQ(Time(Kurs(0), 0, 3, 3), kKursNicht + "Die aktuelle gewählte Eineit der Klasse5A "
                                                   "überschneidet sich\nzeitlich mit dem Kurs "
                                                   "SPORTKURS.");
    EXPECT_EQ(Time(Kurs(0, 1), 1, 3, 3), "");
}

TEST_F(DefinitionChecksTest, CourseAgainstEveryTeacher) {
    Lock(data.Lehrer[2].Sperre, 0, 5);
    EXPECT_EQ(Time(Kurs(0), 0, 0, 5), kNicht + "Für den Lehrer KOCH wurde am 1. Tag in der 5. "
                                               "Stunde eine Sperrung vorgenommen.");
    Unit(2, 0).Zeitvorgabe = SlotOf(0, 6);
    EXPECT_EQ(Time(Kurs(0), 0, 0, 6), kNicht + "Die aktuelle gewählte Kurs - Einheit des Lehrers "
                                               "MEIER überschneidet sich zeitlich mit dem´Block "
                                               "MEIER / 5B /PH.");
    KursUnit(1, 0, 0).Zeitvorgabe = SlotOf(0, 7);
    EXPECT_EQ(Time(Kurs(0), 0, 0, 7), kNicht + "Die aktuelle gewählte Kurs- Einheit des Lehrers "
                                               "MEIER überschneidet sich zeitlich mit dem Kurs "
                                               "AG.");
}

TEST_F(DefinitionChecksTest, CourseRoomNamesTheCourseAndTheRoom) {
    data.KursBloecke[0].Klassen = {"5A", "5C"};
    KursUnit(0, 1, 0).Raum = "TH";
    Lock(data.Raeume[2].Sperre, 4, 4);
    EXPECT_EQ(Time(Kurs(0, 1), 0, 4, 4), kKursRaumNicht + "Für den Raum TH wurde am 5. Tag in "
                                                          "der 4. Stunde eine Sperrung "
                                                          "vorgenommen.");
    Unit(3, 0).Zeitvorgabe = SlotOf(4, 5);
    Unit(3, 0).Raum = "TH";
    EXPECT_EQ(Time(Kurs(0, 1), 0, 4, 5),
              kKursRaumNicht + "Die aktuelle gewählte Einheit des Kurses SPORTKURS im Raum TH "
                               "überschneidet sich nach Zeit und Raum mit dem Block "
                               "SCHULZ / 5B /PH.");
    KursUnit(1, 0, 0).Zeitvorgabe = SlotOf(4, 6);
    KursUnit(1, 0, 0).Raum = "TH";
    data.KursBloecke[1].Lehrer[0].Name = "SCHULZ";
    EXPECT_EQ(Time(Kurs(0, 1), 0, 4, 6),
              kKursRaumNicht + "Die aktuelle gewählte Einheit des Kurses SPORTKURS im Raum TH "
                               "überschneidet sich nach Zeit und Raum mit einer Einheit des "
                               "Lehrers SCHULZ im Kurs AG.");
}

TEST_F(DefinitionChecksTest, SetTimeMovesTheParallelUnitsTogetherOrChangesNothing) {
    LessonEditor editor(data);
    Vorgaben v;
    const DefinitionCheck ok = editor.SetTime(Kurs(0, 1), {1}, SlotOf(2, 3), v);
    EXPECT_TRUE(ok.Allowed());
    EXPECT_EQ(KursUnit(0, 0, 1).Zeitvorgabe, SlotOf(2, 3));
    EXPECT_EQ(KursUnit(0, 1, 1).Zeitvorgabe, SlotOf(2, 3));
    EXPECT_EQ(v.Kreuze, (std::vector<int>{SlotOf(2, 3)}));
    EXPECT_TRUE(v.NurUrPlanAktiv);

    const Stammdaten before = data;
    const DefinitionCheck no = editor.SetTime(Kurs(0, 1), {0}, SlotOf(2, 3), v);
    EXPECT_FALSE(no.Allowed());
    EXPECT_EQ(v.Hinweis, no.Refusal);
    EXPECT_TRUE(v.Warnung);
    EXPECT_EQ(v.Kreuze, (std::vector<int>{SlotOf(2, 3)}));
    EXPECT_EQ(data, before);

    EXPECT_TRUE(editor.SetTime(Kurs(0, 1), {0}, SlotOf(2, 4), v).Allowed());
    EXPECT_EQ(v.Hinweis, "");
    EXPECT_FALSE(v.Warnung);
}

TEST_F(DefinitionChecksTest, SetTimeIgnoresASelectedPositionThatIsNoUnit) {
    LessonEditor editor(data);
    Vorgaben v;
    ASSERT_TRUE(editor.SetTime(Fach(0), {9, 1, 1}, SlotOf(1, 2), v).Allowed());
    EXPECT_EQ(Unit(0, 1).Zeitvorgabe, SlotOf(1, 2));
    EXPECT_EQ(v.Kreuze, (std::vector<int>{SlotOf(1, 2)}));
}

// --- Room choice -------------------------------------------------------------------------------

TEST_F(DefinitionChecksTest, RoomLockAtTheUnitsTime) {
    Unit(0, 0).Zeitvorgabe = SlotOf(1, 1);
    Lock(data.Raeume[0].Sperre, 1, 1);
    EXPECT_EQ(Room(Fach(0), 0, "R1", false),
              "Eine Wahl dieses Raumes ist für diese Zeit icht möglich!\n\nFür den Raum R1 wurde "
              "am 2. Tag in der 1. Stunde eine Sperrung vorgenommen.");
    EXPECT_EQ(Room(Fach(0), 1, "R1"), ""); // no time, no lock
    Unit(0, 0).OberesLimit = 1;            // a limit is no time
    EXPECT_EQ(Room(Fach(0), 0, "R1"), "");
}

TEST_F(DefinitionChecksTest, RoomTypesAndClassRooms) {
    EXPECT_EQ(Room(Fach(2), 0, "R1"),
              "Dieses Fach kann nicht in diesem Raum unterrichtet werden!\n\nDas Fach PH ist ein "
              "Spezialfach und der Raum R1 ist nicht für dieses Fach vorgesehen.");
    EXPECT_EQ(Room(Fach(0), 0, "TH"),
              "Dieses Fach kann nicht in diesem Raum unterrichtet werden!\n\n Der Raum TH ist ein "
              "Raum vom Typ spezial reserviert und nicht für das Fach M vorgesehen.");
    EXPECT_EQ(Room(Fach(0), 0, "PH1"), ""); // a plain special room takes other subjects
    test::AddBlock(data, "SCHULZ", "5B", "D", 1);
    EXPECT_EQ(Room(Fach(4), 0, "K5A"),
              "Diese Klasse kann nicht in diesem Raum Unterricht haben!\n\n Der Raum K5A ist ein "
              "Raum vom Typ Klassen - Raum reserviert und nur für die Klasse 5A vorgesehen.");
    EXPECT_EQ(Room(Fach(0), 0, "K5A"), "");
    EXPECT_EQ(Room(Fach(0), 0, "KELLER"),
              "Den Raum KELLER gibt es nicht. Wählen Sie einen Raum aus der Liste.");
}

TEST_F(DefinitionChecksTest, WithoutRoomCheckOnlyLocksAndOverlapsRefuse) {
    EXPECT_EQ(Room(Fach(2), 0, "R1", false), "");
    EXPECT_EQ(Room(Fach(0), 0, "TH", false), "");
    EXPECT_EQ(Room(Fach(3), 0, "K5A", false), "");
    Unit(3, 0).Zeitvorgabe = SlotOf(0, 3);
    Unit(0, 0).Zeitvorgabe = SlotOf(0, 3);
    Unit(0, 0).Raum = "K5A";
    EXPECT_EQ(Room(Fach(3), 0, "K5A", false),
              "Eine Wahl dieses Raumes ist für diese Zeit nicht möglich!\n\nDie aktuelle gewählte "
              "Einheit der Klasse 5B im Raum K5A überschneidet sich nach Zeit und Raum mit dem "
              "Block MEIER / 5A /M.");
    Unit(0, 0).Raum.clear();
    KursUnit(0, 1, 0).Zeitvorgabe = SlotOf(0, 3);
    KursUnit(0, 1, 0).Raum = "K5A";
    EXPECT_EQ(Room(Fach(3), 0, "K5A", false),
              "Eine Festlegung dieser Zeit für dieseKurs - Einheit ist in diesem Raum nicht "
              "möglich!\n\nDie aktuelle gewählte Einheit der Klasse 5B im Raum K5A überschneidet "
              "sich nach Zeit und Raum mit einer Einheit des Lehrers KOCH im Kurs SPORTKURS.");
}

TEST_F(DefinitionChecksTest, CourseRoomsAndReservedClassRooms) {
    EXPECT_EQ(Room(Kurs(0), 0, "TH"), "");
    EXPECT_NE(Room(Kurs(0), 0, "R1"), ""); // SPORT is a special subject
    data.Raeume[3].FachTyp = {0, 1, 0};
    data.Raeume[3].Faecher = {"SPORT"};
    EXPECT_EQ(Room(Kurs(0), 0, "K5A"), ""); // the course of 5A alone
    data.Raeume[3].Klasse = "5B";
    EXPECT_EQ(Room(Kurs(0), 0, "K5A"),
              "Diese Klasse kann nicht in diesem Raum Unterricht haben!\n\n Der Raum K5A ist ein "
              "Raum vom Typ Klassen - Raum reserviert und nur für die Klasse 5B vorgesehen.");
    data.KursBloecke[0].Klassen = {"5A", "5B"};
    EXPECT_EQ(Room(Kurs(0), 0, "K5A"),
              "Mindestens eine der  Klassen des Kurses kann nicht in diesem Raum Unterricht "
              "haben!\n\n Der Raum K5A ist ein Raum vom Typ Klassen - Raum reserviert und nur für "
              "die Klasse 5B vorgesehen.");
    data.Raeume[3].KlassenKursFreigabe = 1;
    EXPECT_EQ(Room(Kurs(0), 0, "K5A"), "");
    EXPECT_EQ(Room(Kurs(0), 0, "K5A", false), "");
}

TEST_F(DefinitionChecksTest, AParallelUnitWithTheRoomRefusesItAndSetRoomTouchesOneTeacher) {
    LessonEditor editor(data);
    Vorgaben v;
    EXPECT_TRUE(editor.SetRoom(Kurs(0, 0), 0, "TH", true, v).Allowed());
    EXPECT_EQ(KursUnit(0, 0, 0).Raum, "TH");
    EXPECT_EQ(KursUnit(0, 1, 0).Raum, "");
    const DefinitionCheck no = editor.SetRoom(Kurs(0, 1), 0, "TH", false, v);
    EXPECT_EQ(no.Refusal, "Eine Wahl dieses Raumes ist für diese Zeit nicht möglich!\n\nFür "
                          "mindestens eine zeitlich parallel liegende Einheit dieses Kurses wurde "
                          "bereits dieser Raum gewählt.");
    EXPECT_EQ(v.Hinweis, no.Refusal);
    EXPECT_EQ(KursUnit(0, 1, 0).Raum, "");
    EXPECT_TRUE(editor.SetRoom(Kurs(0, 1), 1, "TH", true, v).Allowed());
    EXPECT_EQ(v.Hinweis, "");
    // Nothing picked: nothing happens.
    const Stammdaten before = data;
    EXPECT_TRUE(editor.SetRoom(Kurs(0, 1), 1, "", true, v).Allowed());
    EXPECT_EQ(data, before);
}

} // namespace
} // namespace sw
