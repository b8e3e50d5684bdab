// SPDX-License-Identifier: GPL-3.0-or-later
// The FET import on small hand-written files: how each part of a FET school becomes master
// data, the files it refuses with their messages, and that what it builds is saved and read back
// unchanged.
#include "exchange/FetSample.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace sw {
namespace {

using test::Act;
using test::Fet;
using test::Import;
using test::Rule;
using test::Time;

std::vector<std::string> Names(const std::vector<CKlasse>& list) {
    std::vector<std::string> out;
    for (const auto& k : list)
        out.push_back(k.Name);
    return out;
}

const CEinheit& FirstUnit(const Stammdaten& d) {
    return d.FachBloecke.empty() ? d.KursBloecke.front().Lehrer.front().Einheiten.front()
                                 : d.FachBloecke.front().Block.Einheiten.front();
}

struct MappingRow {
    const char* name;
    std::string file;
    std::function<void(const ImportResult&)> check;
};

TEST(FetImport, MapsEachPartOfTheSchool) {
    const std::vector<MappingRow> rows = {
        {"a year without groups is one class", Fet(Act(1, "A", "M", "6")),
         [](const ImportResult& r) {
             EXPECT_EQ(Names(r.data.Klassen), std::vector<std::string>{"6"});
             ASSERT_EQ(r.data.FachBloecke.size(), 1u);
             EXPECT_EQ(r.data.FachBloecke[0].Key, "A / 6 / M");
         }},
        {"split groups are two classes whose lessons may lie in parallel",
         Fet(Act(1, "A", "M", "5a1") + Act(2, "B", "D", "5a2")),
         [](const ImportResult& r) {
             EXPECT_EQ(Names(r.data.Klassen), (std::vector<std::string>{"5a1", "5a2"}));
             ASSERT_EQ(r.data.FachBloecke.size(), 2u);
             EXPECT_NE(r.data.FachBloecke[0].Block.Klasse, r.data.FachBloecke[1].Block.Klasse);
             EXPECT_NE(r.data.Raeume.size(), 0u);
         }},
        {"a year's activity covers the classes of all its groups",
         Fet(Act(1, "A", "M", "5") + Act(2, "B", "D", "5a1") + Act(3, "B", "M", "5a")),
         [](const ImportResult& r) {
             EXPECT_EQ(Names(r.data.Klassen), (std::vector<std::string>{"5a1", "5a2", "5b"}));
             ASSERT_EQ(r.data.KursBloecke.size(), 2u);
             EXPECT_EQ(r.data.KursBloecke[0].Name, "M 5a1 1");
             EXPECT_EQ(r.data.KursBloecke[0].Klassen,
                       (std::vector<std::string>{"5a1", "5a2", "5b"}));
             EXPECT_EQ(r.data.KursBloecke[1].Klassen, (std::vector<std::string>{"5a1", "5a2"}));
         }},
        {"an activity without teacher or students gets one of its own",
         Fet(Act(1, "", "M", "5b") + Act(2, "A", "M", "")),
         [](const ImportResult& r) {
             ASSERT_EQ(r.data.FachBloecke.size(), 2u);
             EXPECT_EQ(r.data.FachBloecke[0].Key, "N.N. 1 / 5b / M");
             EXPECT_EQ(r.data.FachBloecke[1].Key, "A / Ohne Klasse 1 / M");
             EXPECT_NE(r.report.Find(ImportFate::Angenaehert, "Aktivitäten ohne Lehrer"), nullptr);
             EXPECT_NE(r.report.Find(ImportFate::Angenaehert, "Aktivitäten ohne Schüler"), nullptr);
         }},
        {"a split activity is one block, its parts in Id order",
         Fet(Act(2, "A", "M", "5b", 1, 1) + Act(1, "A", "M", "5b", 2, 1) +
             Act(3, "A", "M", "5b", 1, 0, false)),
         [](const ImportResult& r) {
             ASSERT_EQ(r.data.FachBloecke.size(), 1u);
             const CFachBlock& b = r.data.FachBloecke[0].Block;
             ASSERT_EQ(b.Einheiten.size(), 2u);
             EXPECT_EQ(b.Einheiten[0].Laenge, 2);
             EXPECT_EQ(b.Einheiten[1].Laenge, 1);
             EXPECT_EQ(b.BStunden, 3);
             EXPECT_EQ(r.report.Find(ImportFate::Weggelassen, "Aktivitäten")->How, "abgeschaltet");
         }},
        {"two teachers make a course; a second lesson of the same key too",
         Fet(Act(1, "A,B", "M", "5b") + Act(2, "A", "D", "6") + Act(3, "A", "D", "6")),
         [](const ImportResult& r) {
             ASSERT_EQ(r.data.KursBloecke.size(), 2u);
             const CKursBlock& k = r.data.KursBloecke[0];
             EXPECT_EQ(k.Name, "M 5b 1");
             EXPECT_EQ(k.Faecher, (std::vector<std::string>{"M", "M"}));
             ASSERT_EQ(k.Lehrer.size(), 2u);
             EXPECT_EQ(k.Lehrer[1].Name, "B");
             // FET seats the activity in one room; B holds it in a room nobody else is bound to.
             EXPECT_EQ(k.Lehrer[0].Einheiten[0].Raum, "");
             EXPECT_EQ(k.Lehrer[1].Einheiten[0].Raum, "Raum von B");
             EXPECT_EQ(r.data.KursBloecke[1].Name, "D 6 1");
             EXPECT_EQ(r.data.FachBloecke.size(), 1u);
         }},
        {"activities at the same starting time become one course",
         Fet(Act(1, "A", "M", "5a1", 1, 1) + Act(2, "A", "M", "5a1", 2, 1) +
                 Act(3, "B", "D", "5a2", 1, 3) + Act(4, "B", "D", "5a2", 2, 3) +
                 Act(5, "A", "D", "6"),
             Rule("ConstraintActivitiesSameStartingTime",
                  "<Activity_Id>1</Activity_Id><Activity_Id>3</Activity_Id>") +
                 Rule("ConstraintActivitiesSameStartingTime",
                      "<Activity_Id>4</Activity_Id><Activity_Id>2</Activity_Id>") +
                 Rule("ConstraintActivitiesSameStartingTime",
                      "<Activity_Id>5</Activity_Id><Activity_Id>1</Activity_Id>", 90)),
         [](const ImportResult& r) {
             ASSERT_EQ(r.data.KursBloecke.size(), 1u);
             const CKursBlock& k = r.data.KursBloecke[0];
             EXPECT_EQ(k.Faecher, (std::vector<std::string>{"M", "D"}));
             EXPECT_EQ(k.Klassen, (std::vector<std::string>{"5a1", "5a2"}));
             EXPECT_EQ(k.Lehrer[1].Einheiten.size(), 2u);
             EXPECT_EQ(k.BStunden, 3);
             EXPECT_EQ(r.report.SourceHours, 4);
             EXPECT_EQ(
                 r.report.Find(ImportFate::Uebernommen, "ConstraintActivitiesSameStartingTime")
                     ->Count,
                 2);
         }},
        {"same starting time that no course can hold is dropped",
         Fet(Act(1, "A", "M", "5a1", 1, 1) + Act(2, "A", "M", "5a1", 1, 1) +
                 Act(3, "B", "D", "5a2"),
             Rule("ConstraintActivitiesSameStartingTime",
                  "<Activity_Id>1</Activity_Id><Activity_Id>3</Activity_Id>")),
         [](const ImportResult& r) {
             EXPECT_TRUE(r.data.KursBloecke.empty());
             EXPECT_EQ(
                 r.report.Find(ImportFate::Weggelassen, "ConstraintActivitiesSameStartingTime")
                     ->How,
                 "nicht als Kursblock darstellbar");
         }},
        {"locks of teachers, students and rooms",
         Fet(Act(1, "A", "M", "5a1") + Act(2, "B", "D", "5a2") + Act(3, "B", "D", "6"),
             Rule("ConstraintTeacherNotAvailableTimes", "<Teacher>A</Teacher>" + Time("Di", "2")) +
                 Rule("ConstraintStudentsSetNotAvailableTimes",
                      "<Students>5a</Students>" + Time("Mo", "6")) +
                 Rule("ConstraintTeacherNotAvailableTimes",
                      "<Teacher>B</Teacher>" + Time("Mo", "1"), 80),
             Rule("ConstraintRoomNotAvailableTimes", "<Room>R2</Room>" + Time("Fr", "1"))),
         [](const ImportResult& r) {
             EXPECT_EQ(r.data.Lehrer[0].Sperre[SlotOf(1, 2)], 1);
             EXPECT_EQ(r.data.Lehrer[1].Sperre, FreeGrid());
             EXPECT_EQ(r.data.Klassen[0].Sperre[SlotOf(0, 6)], 1);
             EXPECT_EQ(r.data.Klassen[1].Sperre[SlotOf(0, 6)], 1);
             EXPECT_EQ(r.data.Klassen[2].Sperre, FreeGrid());
             EXPECT_EQ(r.data.Raeume[1].Sperre[SlotOf(4, 1)], 1);
             EXPECT_EQ(
                 r.report.Find(ImportFate::Weggelassen, "ConstraintTeacherNotAvailableTimes")->How,
                 "ein Wunsch (Gewicht unter 100 %), keine feste Regel");
         }},
        {"a fixed starting time, separation, a room for the lesson and for the subject",
         Fet(Act(1, "A", "M", "5b", 2, 1) + Act(2, "A", "M", "5b", 1, 1) + Act(3, "B", "D", "6"),
             Rule("ConstraintActivityPreferredStartingTime",
                  "<Activity_Id>1</Activity_Id><Preferred_Day>Mi</Preferred_Day>"
                  "<Preferred_Hour>3</Preferred_Hour>") +
                 Rule(
                     "ConstraintMinDaysBetweenActivities",
                     "<Activity_Id>1</Activity_Id><Activity_Id>2</Activity_Id><MinDays>1</MinDays>",
                     95) +
                 Rule("ConstraintTeachersMaxGapsPerWeek", "<Max_Gaps>2</Max_Gaps>"),
             Rule("ConstraintActivityPreferredRoom",
                  "<Activity_Id>2</Activity_Id><Room>R1</Room>") +
                 Rule("ConstraintSubjectPreferredRoom", "<Subject>D</Subject><Room>R2</Room>")),
         [](const ImportResult& r) {
             const CFachBlock& b = r.data.FachBloecke[0].Block;
             EXPECT_EQ(b.Einheiten[0].Zeitvorgabe, SlotOf(2, 3));
             EXPECT_EQ(b.Einheiten[1].Raum, "R1");
             EXPECT_EQ(b.Trennung, 1);
             EXPECT_EQ(r.data.Raeume[1].Faecher, std::vector<std::string>{"D"});
             EXPECT_EQ(r.data.Raeume[1].FachTyp, (std::array<Flag, 3>{0, 1, 0}));
             // A and B each have a lesson without a room wish; R1, the one universal room, is
             // bound to a unit and may be taken when they want it: two extra rooms and one to
             // spare.
             ASSERT_EQ(r.data.Raeume.size(), 5u);
             EXPECT_EQ(r.data.Raeume[0].FachTyp, (std::array<Flag, 3>{1, 0, 0}));
             EXPECT_EQ(r.data.Raeume[4].Name, "Zusatzraum 3");
             EXPECT_EQ(
                 r.report.Find(ImportFate::Uebernommen, "ConstraintTeachersMaxGapsPerWeek")->How,
                 "als Regel des Lehrers");
         }},
        {"breaks: a whole hour goes, a single one is a break of the school",
         Fet(Act(1, "A", "M", "5b") + Act(2, "", "D", "6"),
             Rule("ConstraintBreakTimes", "<Break_Time><Day>Mo</Day><Hour>4</Hour></Break_Time>"
                                          "<Break_Time><Day>Di</Day><Hour>4</Hour></Break_Time>"
                                          "<Break_Time><Day>Mi</Day><Hour>4</Hour></Break_Time>"
                                          "<Break_Time><Day>Do</Day><Hour>4</Hour></Break_Time>"
                                          "<Break_Time><Day>Fr</Day><Hour>4</Hour></Break_Time>"
                                          "<Break_Time><Day>Fr</Day><Hour>6</Hour></Break_Time>") +
                 Rule("ConstraintActivityPreferredStartingTime",
                      "<Activity_Id>1</Activity_Id><Preferred_Day>Di</Preferred_Day>"
                      "<Preferred_Hour>5</Preferred_Hour>")),
         [](const ImportResult& r) {
             EXPECT_EQ(r.data.Angaben.Stunden, 5);
             EXPECT_EQ(FirstUnit(r.data).Zeitvorgabe, SlotOf(1, 4));
             EXPECT_EQ(r.data.Angaben.Pausen, std::vector<int>{SlotOf(4, 5)});
             EXPECT_EQ(r.data.Lehrer[0].Sperre, FreeGrid());
             EXPECT_EQ(r.report.Find(ImportFate::Angenaehert, "Pausen")->Examples,
                       std::vector<std::string>{"4"});
         }},
        {"names: refused characters replaced, a lost name numbered",
         Fet(Act(1, "Ελένη", "M", "5b")),
         [](const ImportResult& r) {
             EXPECT_EQ(r.data.Lehrer[2].Name, "Lehrer 3");
             EXPECT_EQ(r.report.Find(ImportFate::Angenaehert, "Namen der Lehrer")->Examples,
                       std::vector<std::string>{"Ελένη → Lehrer 3"});
         }},
    };
    for (const MappingRow& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempDir dir;
        const ImportResult r = Import(row.file, dir);
        ASSERT_TRUE(r.outcome.Ok) << r.outcome.Messages.front().Text;
        EXPECT_EQ(r.report.Hours, r.report.SourceHours);
        row.check(r);
    }
}

TEST(FetImport, RefusesBadFilesWithTheirReason) {
    struct Row {
        std::string content;
        std::string message; // after "<path>": the file's own path is put in front
    };
    const std::string head = "Fehler beim Lesen der Datei ";
    const std::vector<Row> rows = {
        {"<fet><Days_List>", " ist keine lesbare XML-Datei: Start-end tags mismatch (Zeile 1)"},
        {"a\n\n<fet></x>", " ist keine lesbare XML-Datei: Start-end tags mismatch (Zeile 3)"},
        {"<school/>", " ist keine FET-Datei."},
        {Fet(Act(1, "A", "M", "5b"), {}, {}, 8),
         " hat 8 Tage; Stundenwerk plant höchstens 7 Tage."},
        {Fet(Act(1, "A", "M", "5b"), {}, {}, 5, 13),
         " hat 13 Stunden am Tag; Stundenwerk plant höchstens 12 Stunden am Tag."},
        {Fet(Act(17, "X", "M", "5b")),
         ":\nDie Aktivität 17 nennt den Lehrer „X“, den die Datei nicht kennt."},
        {Fet(Act(17, "A", "Q", "5b")),
         ":\nDie Aktivität 17 nennt das Fach „Q“, das die Datei nicht kennt."},
        {Fet(Act(17, "A", "M", "7c")),
         ":\nDie Aktivität 17 nennt die Schülergruppe „7c“, die die Datei nicht kennt."},
        {Fet(Act(17, "A", "M", "5b", 7)),
         ":\nDie Aktivität 17 dauert 7 Stunden; ein Tag hat in Stundenwerk nur 6 Stunden."},
        {Fet(Act(1, "A", "M", "5b"), {},
             Rule("ConstraintActivityPreferredRoom",
                  "<Activity_Id>1</Activity_Id><Room>R9</Room>")),
         ":\nDie Regel ConstraintActivityPreferredRoom nennt den Raum „R9“, den die Datei nicht "
         "kennt."},
        {Fet(Act(1, "A", "M", "5b"),
             Rule("ConstraintTeacherNotAvailableTimes", "<Teacher>A</Teacher>" + Time("Sa", "1"))),
         ":\nDie Regel ConstraintTeacherNotAvailableTimes nennt den Tag „Sa“, den die Datei nicht "
         "kennt."},
        {Fet(Act(1, "A", "M", "5b", 1, 2) + Act(2, "A", "M", "5b", 1, 2) + Act(2, "A", "D", "6")),
         ":\nDie Aktivitätsnummer 2 steht zweimal in der Datei."},
        {Fet("<Activity><Teacher>A</Teacher><Subject>M</Subject><Duration>zwei</Duration>"
             "<Id>4</Id></Activity>"),
         ":\nBei der Aktivität 4 steht in Duration „zwei“; das ist keine ganze Zahl."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        test::TempDir dir;
        const ImportResult r = Import(row.content, dir);
        ASSERT_FALSE(r.outcome.Ok);
        ASSERT_EQ(r.outcome.Messages.size(), 1u);
        EXPECT_EQ(r.outcome.Messages[0].Title, "Importfehler");
        const std::string path = dir.File("schule.fet");
        const std::string expected =
            (row.message.front() == ':' ? head + path : "Die Datei " + path) + row.message;
        EXPECT_EQ(r.outcome.Messages[0].Text, expected);
        EXPECT_EQ(r.data, Stammdaten());
        EXPECT_EQ(r.report, ImportReport());
    }
    test::TempDir dir;
    DiskFileOps fs;
    const ImportResult missing = ImportFet(dir.File("fehlt.fet"), fs);
    EXPECT_EQ(missing.outcome.Messages.at(0).Text.rfind(
                  "Die Datei " + dir.File("fehlt.fet") + " kann nicht gelesen werden.\n", 0),
              0u);
}

TEST(FetImport, TheImportedSchoolIsSavedAndReadBackUnchanged) {
    test::TempDir dir;
    const std::string file = Fet(
        Act(1, "A", "M", "5a1", 2, 1) + Act(2, "A", "M", "5a1", 1, 1) + Act(3, "A,B", "D", "5") +
            Act(4, "Ελένη", "M", "6") + Act(5, "", "D", "5b") + Act(6, "B", "M", "5a2") +
            Act(7, "A", "D", "6"),
        Rule("ConstraintActivitiesSameStartingTime",
             "<Activity_Id>6</Activity_Id><Activity_Id>7</Activity_Id>") +
            Rule("ConstraintActivityPreferredStartingTime",
                 "<Activity_Id>6</Activity_Id><Preferred_Day>Fr</Preferred_Day>"
                 "<Preferred_Hour>2</Preferred_Hour>") +
            Rule("ConstraintMinDaysBetweenActivities",
                 "<Activity_Id>1</Activity_Id><Activity_Id>2</Activity_Id><MinDays>2</MinDays>",
                 100) +
            Rule("ConstraintTeacherNotAvailableTimes", "<Teacher>B</Teacher>" + Time("Mo", "1")),
        Rule("ConstraintActivityPreferredRoom", "<Activity_Id>3</Activity_Id><Room>R1</Room>") +
            Rule("ConstraintSubjectPreferredRoom", "<Subject>M</Subject><Room>R2</Room>"));
    const ImportResult r = Import(file, dir);
    ASSERT_TRUE(r.outcome.Ok) << r.outcome.Messages.front().Text;
    EXPECT_EQ(r.report.Hours, r.report.SourceHours);
    EXPECT_EQ(r.report.Hours, 7);
    EXPECT_TRUE(r.data.AngabenBestaetigt);
    DiskFileOps fs;
    const std::string sch = dir.File("schule.sch");
    const Outcome saved = SaveProject(r.data, sch, fs);
    ASSERT_TRUE(saved.Ok) << saved.Messages.front().Text;
    const ProjectReadResult back = OpenProject(sch, fs);
    ASSERT_TRUE(back.outcome.Ok) << back.outcome.Messages.front().Text;
    EXPECT_EQ(back.data, r.data);
}

} // namespace
} // namespace sw
