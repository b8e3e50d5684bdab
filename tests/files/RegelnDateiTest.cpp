// SPDX-License-Identifier: GPL-3.0-or-later
// The school's rules in the project, master-data and plan files.
#include "files/PlanFile.h"
#include "files/ProjectFile.h"
#include "files/StreamFile.h"
#include "plan/Evaluation.h"
#include "plan/Plan.h"
#include "support/Disk.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// A school that uses every rule: every field of every kind, breaks and two relations.
Stammdaten RuleSchool() {
    Stammdaten s = test::MakeSchool(5, 8, 2, 3, 2, 2);
    test::AddBlock(s, "L0", "K0", "F0", {1, 1});
    test::AddBlock(s, "L1", "K1", "F1", {1, 1});
    test::AddCourse(s, "Reli 5", {"L2"}, {"K0", "K1"}, {1, 1});
    CLehrerRegeln& l = s.Lehrer[0].Regeln;
    l.MaxStundenProTag = 6;
    l.MinStundenProTag = 2;
    l.MaxLueckenProTag = 1;
    l.MaxLueckenProWoche = 3;
    l.MaxInFolge = 4;
    l.MaxTage = 4;
    l.MinTage = 2;
    l.FensterVon = 7;
    l.FensterBis = 8;
    l.FensterMaxTage = 2;
    s.Klassen[1].Regeln = {5, 1, 0, 2, 3};
    s.Angaben.Pausen = {SlotOf(0, 5), SlotOf(1, 5)};
    s.FachBloecke[0].Block.Regeln = {{SlotOf(0, 1), SlotOf(1, 1), SlotOf(2, 1)}, 2, 1};
    s.KursBloecke[0].Regeln = {{SlotOf(0, 2), SlotOf(2, 2)}, 1, 0};
    s.Beziehungen = {{BeziehungsArt::Gleichzeitig, {{0, "L1 / K1 / F1"}, {1, "Reli 5"}}},
                     {BeziehungsArt::NieGleichzeitig, {{0, "L0 / K0 / F0"}, {0, "L1 / K1 / F1"}}}};
    return s;
}

TEST(RegelnDatei, EveryFileCarriesEveryRule) {
    TempDir dir;
    const Stammdaten school = RuleSchool();

    // Project file: the keys as written, equal master data, the same bytes again.
    const std::string sch = dir.File("regeln.sch");
    ASSERT_TRUE(SaveProject(school, sch, DefaultFileOps()).Ok);
    const std::string text = ReadFileBytes(sch);
    for (const char* line :
         {"Pausen=5,18,\r\nBeziehungenNo=2\r\n",
          "MaxStundenInFolge=4\r\nMaxTage=4\r\nMinTage=2\r\n"
          "Zeitfenster=7,8,2,\r\n",
          "ErlaubteZeiten=1,14,27,\r\nMinTageAbstand=2\r\nTagesende=1\r\n",
          "[Beziehung_1]\r\nArt=NieGleichzeitig\r\nBloecke=U:L0 / K0 / F0,U:L1 / K1 / F1,\r\n",
          "Bloecke=U:L1 / K1 / F1,K:Reli 5,\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    ProjectReadResult project = OpenProject(sch, DefaultFileOps());
    ASSERT_TRUE(project.outcome.Ok) << project.outcome.Messages.front().Text;
    EXPECT_EQ(project.data, school);
    ASSERT_TRUE(SaveProject(project.data, sch, DefaultFileOps()).Ok);
    EXPECT_EQ(ReadFileBytes(sch), text);

    // Master-data file.
    const std::string sdt = dir.File("regeln.sdt");
    ASSERT_TRUE(WriteStreamFile(school, sdt, DefaultFileOps()).Ok);
    const std::string stream = ReadFileBytes(sdt);
    EXPECT_NE(stream.find("\r\nregeln\r\n2 5 18\r\n1\r\nL0\r\n6 2 1 3 4 4 2 7 8 2\r\n"),
              std::string::npos);
    StreamReadResult master = ReadStreamFile(sdt, DefaultFileOps(), false);
    ASSERT_TRUE(master.outcome.Ok) << master.outcome.Messages.front().Text;
    EXPECT_EQ(master.data, school);
    ASSERT_TRUE(WriteStreamFile(master.data, sdt, DefaultFileOps()).Ok);
    EXPECT_EQ(ReadFileBytes(sdt), stream);

    // Plan file: the rules stand before the plan section and come back with the plan.
    CapturingReporter rep;
    CPlan plan(school, rep);
    plan.BuildLessonHours();
    ComputeTargets(plan);
    EvaluateAll(plan);
    const std::string pdt = dir.File("regeln.pdt");
    ASSERT_TRUE(WritePlanFile(school, &plan, pdt, DefaultFileOps()).Ok);
    const std::string planBytes = ReadFileBytes(pdt);
    PlanReadResult read = ReadPlanFile(pdt, DefaultFileOps(), rep);
    ASSERT_TRUE(read.outcome.Ok) << read.outcome.Messages.front().Text;
    Stammdaten back = *read.data;
    for (std::size_t t = 0; t < back.Lehrer.size(); ++t) // the plan's targets, not ours
        back.Lehrer[t].LetztesSoll = school.Lehrer[t].LetztesSoll;
    for (std::size_t c = 0; c < back.Klassen.size(); ++c)
        back.Klassen[c].LetztesSoll = school.Klassen[c].LetztesSoll;
    EXPECT_EQ(back, school);
    ASSERT_TRUE(WritePlanFile(*read.data, read.plan.get(), pdt, DefaultFileOps()).Ok);
    EXPECT_EQ(ReadFileBytes(pdt), planBytes);
}

// The project file of RuleSchool with `from` replaced by `to` must be refused with `message`
// (after "Fehler beim Lesen der Datei <path>:\n").
struct BadValue {
    const char* from;
    const char* to;
    const char* message;
};

TEST(RegelnDatei, ProjectFileRefusesBadRules) {
    TempDir dir;
    const std::string path = dir.File("regeln.sch");
    ASSERT_TRUE(SaveProject(RuleSchool(), path, DefaultFileOps()).Ok);
    const std::string good = ReadFileBytes(path);
    const BadValue rows[] = {
        {"MaxStundenProTag=6", "MaxStundenProTag=sechs",
         "Abschnitt [Lehrer_0], Schlüssel MaxStundenProTag: \"sechs\" ist keine ganze Zahl."},
        {"Pausen=5,18,", "Pausen=5,Mo 5,",
         "Abschnitt [AllgemeineAngaben], Schlüssel Pausen: \"Mo 5\" ist keine ganze Zahl."},
        {"ErlaubteZeiten=1,14,27,", "ErlaubteZeiten=1,,27,",
         "Abschnitt [FachBlock_0], Schlüssel ErlaubteZeiten: \"\" ist keine ganze Zahl."},
        {"Zeitfenster=7,8,2,", "Zeitfenster=7,8,",
         "Abschnitt [Lehrer_0], Schlüssel Zeitfenster: Die Liste hat weniger als 3 Einträge."},
        {"Tagesende=1", "Tagesende=2",
         "Abschnitt [FachBlock_0], Schlüssel Tagesende: \"2\" liegt nicht im Bereich 0 bis 1."},
        {"Art=NieGleichzeitig", "Art=Nie",
         "Abschnitt [Beziehung_1], Schlüssel Art: \"Nie\" ist keine bekannte Art einer Beziehung "
         "(Gleichzeitig, NieGleichzeitig, GleicherTag oder Direktfolge)."},
        {"K:Reli 5,", "Reli 5,",
         "Abschnitt [Beziehung_0], Schlüssel Bloecke: \"Reli 5\" nennt keinen Block: ein Eintrag "
         "beginnt mit \"U:\" (Unterricht) oder \"K:\" (Kurs)."},
        {"BeziehungenNo=2", "BeziehungenNo=3", "Abschnitt [Beziehung_2] fehlt (BeziehungenNo=3)."},
        // Rules that can never be met.
        {"MinStundenProTag=2", "MinStundenProTag=7",
         "Die Regel „mindestens 7 Stunden am Tag“ des Lehrers „L0“ kann nie erfüllt werden: "
         "höchstens 6 sind erlaubt."},
        {"K:Reli 5,", "K:Reli 6,",
         "Die Regel „beginnen gleichzeitig: L1 / K1 / F1, Kurs Reli 6“ nennt Kurs Reli 6, den es "
         "nicht gibt."},
    };
    for (const BadValue& row : rows) {
        const auto at = good.find(row.from);
        ASSERT_NE(at, std::string::npos) << row.from;
        WriteFileBytes(path, std::string(good).replace(at, std::string(row.from).size(), row.to));
        const ProjectReadResult r = OpenProject(path, DefaultFileOps());
        ASSERT_FALSE(r.outcome.Ok) << row.to;
        EXPECT_EQ(r.outcome.Messages.front().Text,
                  "Fehler beim Lesen der Datei " + path + ":\n" + row.message);
        EXPECT_EQ(r.data, Stammdaten{}) << row.to;
    }
}

TEST(RegelnDatei, StreamFileRefusesBadRules) {
    TempDir dir;
    const std::string path = dir.File("regeln.sdt");
    ASSERT_TRUE(WriteStreamFile(RuleSchool(), path, DefaultFileOps()).Ok);
    const std::string good = ReadFileBytes(path);
    const BadValue rows[] = {
        {"NieGleichzeitig", "Nie",
         "\"Nie\" ist keine bekannte Art einer Beziehung (Gleichzeitig, NieGleichzeitig, "
         "GleicherTag oder Direktfolge)."},
        {"\r\nL0\r\n6 2", "\r\nL9\r\n6 2", "Der Lehrer \"L9\" steht nicht in der Lehrerliste."},
        {"6 2 1 3 4 4 2", "6 7 1 3 4 4 2",
         "Die Regel „mindestens 7 Stunden am Tag“ des Lehrers „L0“ kann nie erfüllt werden: "
         "höchstens 6 sind erlaubt."},
    };
    for (const BadValue& row : rows) {
        const auto at = good.find(row.from);
        ASSERT_NE(at, std::string::npos) << row.from;
        WriteFileBytes(path, std::string(good).replace(at, std::string(row.from).size(), row.to));
        const StreamReadResult r = ReadStreamFile(path, DefaultFileOps(), false);
        ASSERT_FALSE(r.outcome.Ok) << row.to;
        const std::string& text = r.outcome.Messages.front().Text;
        EXPECT_EQ(text.substr(text.find(": ") + 2), row.message) << text;
    }
}

TEST(RegelnDatei, RulesThatCanNeverBeMetAreNotSaved) {
    TempDir dir;
    Stammdaten s = RuleSchool();
    s.Lehrer[0].Regeln.MinTage = 5;
    const std::string refusal = "Die Daten können nicht gespeichert werden:\nDie Regel „mindestens "
                                "5 Tage in der Woche“ des Lehrers „L0“ kann nie erfüllt werden: "
                                "höchstens 4 sind erlaubt.";
    const Outcome project = SaveProject(s, dir.File("a.sch"), DefaultFileOps());
    ASSERT_FALSE(project.Ok);
    EXPECT_EQ(project.Messages.front().Text, refusal);
    const Outcome stream = WriteStreamFile(s, dir.File("a.sdt"), DefaultFileOps());
    ASSERT_FALSE(stream.Ok);
    EXPECT_EQ(stream.Messages.front().Text, refusal);
    EXPECT_TRUE(test::Names(dir).empty());

    // A course named with a comma can stand in a relation of the master-data file only.
    s = RuleSchool();
    s.KursBloecke[0].Name = "Reli 5, 6";
    s.Beziehungen[0].Bloecke[1].Name = "Reli 5, 6";
    const Outcome comma = SaveProject(s, dir.File("b.sch"), DefaultFileOps());
    ASSERT_FALSE(comma.Ok);
    EXPECT_EQ(comma.Messages.front().Text,
              "Die Daten können nicht gespeichert werden:\nDer Kurs \"Reli 5, 6\" enthält ein "
              "Komma und kann deshalb in keiner Beziehung stehen.");
    EXPECT_TRUE(WriteStreamFile(s, dir.File("b.sdt"), DefaultFileOps()).Ok);
}

} // namespace
} // namespace sw
