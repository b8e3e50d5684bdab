// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged and foreign files under tests/files/data/, each once accepted by a reader or turned
// into a crash, a runaway allocation or a wrong "stimmig". Every one is now refused with a
// message that names the place in the file, or read as its writer meant it. The inputs are all
// variants of klein.sch / klein.pdt / klein.sdt (a 5 x 6 school with two classes).
#include "files/PlanFile.h"
#include "files/ProjectFile.h"
#include "files/StreamFile.h"
#include "io/FileOps.h"
#include "plan/Invariants.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace sw {
namespace {

std::string Data(const std::string& name) {
    return test::SourcePath("tests/files/data/" + name);
}

// The first message of a refused read, which names the file, the place and the reason.
std::string Refusal(const Outcome& o) {
    return o.Ok || o.Messages.empty() ? std::string("(gelesen)") : o.Messages.front().Text;
}

ProjectReadResult Project(const std::string& name) {
    DiskFileOps files;
    return OpenProject(Data(name), files);
}

StreamReadResult Stream(const std::string& name, bool planExpected = false) {
    DiskFileOps files;
    return ReadStreamFile(Data(name), files, planExpected);
}

PlanReadResult Plan(const std::string& name) {
    DiskFileOps files;
    CapturingReporter reporter;
    return ReadPlanFile(Data(name), files, reporter);
}

// The originals read, so that every refusal below comes from the one damage of its variant.
TEST(DamagedFile, TheUndamagedOriginalsRead) {
    EXPECT_TRUE(Project("klein.sch").outcome.Ok) << Refusal(Project("klein.sch").outcome);
    EXPECT_TRUE(Stream("klein.sdt").outcome.Ok) << Refusal(Stream("klein.sdt").outcome);
    const PlanReadResult plan = Plan("klein.pdt");
    ASSERT_TRUE(plan.outcome.Ok) << Refusal(plan.outcome);
    EXPECT_TRUE(CompareStoredFigures(plan.stored, *plan.plan).empty());
    EXPECT_TRUE(plan.outcome.Messages.empty());
}

// A unit of 2,000,000,000 hours was accepted, and building the plan then asked for gigabytes
// and died. A unit is never longer than one day; a block never holds more hours than the week.
TEST(DamagedFile, UnitsLongerThanADayAndBlocksLargerThanTheWeekAreRefused) {
    const std::string sch = Data("einheit-zu-lang.sch");
    ProjectReadResult r = Project("einheit-zu-lang.sch");
    EXPECT_EQ(Refusal(r.outcome), "Fehler beim Lesen der Datei " + sch +
                                      ":\nAbschnitt [FachBlock_1], Schlüssel Einheiten: "
                                      "\"2000000000\" ist keine gültige Länge einer Einheit: "
                                      "ein Tag hat nur 6 Stunden.");
    EXPECT_EQ(r.outcome.Messages.front().Title, "Dateifehler");
    EXPECT_EQ(r.data, Stammdaten());

    const std::string pdt = Data("einheit-zu-lang.pdt");
    const PlanReadResult p = Plan("einheit-zu-lang.pdt");
    ASSERT_FALSE(p.outcome.Ok);
    EXPECT_EQ(Refusal(p.outcome), "Fehler beim Lesen der Datei " + pdt +
                                      ":\nWort 636: \"2000000000\" ist keine gültige Länge einer "
                                      "Einheit (1 bis 6, die Stunden eines Tages).");
    EXPECT_EQ(p.outcome.Messages.back().Text, "Fehler beim Laden der Datei:\n" + pdt);
    EXPECT_FALSE(p.plan);

    r = Project("block-zu-gross.sch");
    EXPECT_EQ(Refusal(r.outcome), "Fehler beim Lesen der Datei " + Data("block-zu-gross.sch") +
                                      ":\nAbschnitt [FachBlock_1], Schlüssel Einheiten: Die "
                                      "Einheiten ergeben 42 Stunden; die Woche hat nur 30.");
}

// Within the bounds of a day and a week, many small sections could still ask for millions of
// lesson hours, each an object of the plan. The school as a whole is bounded too, and the
// reader stops counting at the block that passes the bound (the file is made here: 1,100 blocks
// of 91 hours in a week of 7 x 12 hours with the 0th hour).
TEST(DamagedFile, ASchoolWithMoreLessonHoursThanAnyRealOneIsRefused) {
    std::string locks;
    for (int c = 0; c < kSlotCount; ++c)
        locks += "0,";
    std::string sch = "[AllgemeineAngaben]\r\nLehrerNo=1\r\nKlassenNo=1\r\nFachBlockNo=1100\r\n"
                      "Tage=7\r\nStunden=12\r\nNullte=1\r\n[Lehrer_0]\r\nName=L\r\nSperre=" +
                      locks + "\r\n[Klasse_0]\r\nName=K\r\nSperre=" + locks + "\r\n";
    std::string units;
    for (int u = 0; u < 7; ++u)
        units += "13,-1,,";
    for (int n = 0; n < 1100; ++n)
        sch += "[FachBlock_" + std::to_string(n) + "]\r\nLehrer=L\r\nKlasse=K\r\nFach=F" +
               std::to_string(n) + "\r\nEinheitenNo=7\r\nEinheiten=" + units + "\r\n";
    test::TempDir dir;
    test::WriteFileBytes(dir.File("riesig.sch"), sch);
    DiskFileOps files;
    const ProjectReadResult r = OpenProject(dir.File("riesig.sch"), files);
    EXPECT_EQ(Refusal(r.outcome), "Fehler beim Lesen der Datei " + dir.File("riesig.sch") +
                                      ":\nAbschnitt [FachBlock_1098], Schlüssel Einheiten: Die "
                                      "Schule hätte mehr als 100000 Unterrichtsstunden; so viele "
                                      "kann das Programm nicht planen.");
}

// What the readers refuse, the writers refuse too, so that the program never writes a file it
// cannot open again.
TEST(DamagedFile, WritersRefuseWhatTheReadersRefuse) {
    ProjectReadResult r = Project("klein.sch");
    ASSERT_TRUE(r.outcome.Ok);
    test::TempDir dir;
    DiskFileOps files;

    Stammdaten longUnit = r.data;
    longUnit.FachBloecke[1].Block.Einheiten[0].Laenge = 7;
    Outcome saved = SaveProject(longUnit, dir.File("a.sch"), files);
    EXPECT_EQ(Refusal(saved), "Die Daten können nicht gespeichert werden:\nEine Einheit "
                              "(Unterricht \"Bernd Weiß / 5a / Mathe\") ist 7 Stunden lang; ein "
                              "Tag hat nur 6.");
    EXPECT_FALSE(WriteStreamFile(longUnit, dir.File("a.sdt"), files).Ok);
    // With the 0th hour the day has one hour more.
    longUnit.Angaben.Nullte = true;
    EXPECT_TRUE(SaveProject(longUnit, dir.File("a.sch"), files).Ok);
    EXPECT_TRUE(OpenProject(dir.File("a.sch"), files).outcome.Ok);

    Stammdaten hours = r.data;
    hours.KursBloecke[0].BStunden = 31;
    saved = WriteStreamFile(hours, dir.File("b.sdt"), files);
    EXPECT_EQ(Refusal(saved), "Die Daten können nicht gespeichert werden:\nDie Wochenstunden "
                              "(Kurs \"Sport 5\") liegen mit 31 nicht im Bereich 0 bis 30.");
    EXPECT_FALSE(SaveProject(hours, dir.File("b.sch"), files).Ok);

    Stammdaten twice = r.data;
    twice.Klassen[1].Name = "5a";
    saved = SaveProject(twice, dir.File("c.sch"), files);
    EXPECT_EQ(Refusal(saved), "Die Daten können nicht gespeichert werden:\nDie Klasse \"5a\" "
                              "steht zweimal in der Klassenliste.");
    EXPECT_FALSE(WriteStreamFile(twice, dir.File("c.sdt"), files).Ok);
}

// "LehrerNo=99999999999999999999" was read as 0, and the error then blamed another section.
TEST(DamagedFile, AnOverflowingNumberIsItsOwnError) {
    const ProjectReadResult r = Project("zahl-zu-gross.sch");
    EXPECT_EQ(Refusal(r.outcome), "Fehler beim Lesen der Datei " + Data("zahl-zu-gross.sch") +
                                      ":\nAbschnitt [AllgemeineAngaben], Schlüssel LehrerNo: "
                                      "\"99999999999999999999\" ist zu groß.");
    TokenReader in("12 99999999999 -99999999999 x", "f.sdt");
    EXPECT_EQ(in.ReadInt(), 12);
    in.ReadInt();
    EXPECT_EQ(Refusal(in.Result()),
              "Fehler beim Lesen der Datei f.sdt:\nWort 2: \"99999999999\" ist zu groß.");
}

// Every reference is by name: a second teacher of the same name was accepted, and every block
// of either then meant the first.
TEST(DamagedFile, NamesThatStandTwiceAreRefused) {
    EXPECT_EQ(Refusal(Project("lehrer-doppelt.sch").outcome),
              "Fehler beim Lesen der Datei " + Data("lehrer-doppelt.sch") +
                  ":\nAbschnitt [Lehrer_1], Schlüssel Name: Der Lehrer \"Anna Müller\" steht "
                  "schon in Abschnitt [Lehrer_0].");
    EXPECT_EQ(Refusal(Stream("lehrer-doppelt.sdt").outcome),
              "Fehler beim Lesen der Datei " + Data("lehrer-doppelt.sdt") +
                  ":\nWort 326: Der Lehrer \"Anna Müller\" steht zweimal in der Lehrerliste.");
}

// A byte 0 inside a name ended the message there ("Der Name "Hal").
TEST(DamagedFile, AByteZeroInANameIsShownAndDoesNotCutTheMessage) {
    const std::string text = Refusal(Project("name-mit-nul.sch").outcome);
    EXPECT_EQ(text, "Fehler beim Lesen der Datei " + Data("name-mit-nul.sch") +
                        ":\nAbschnitt [Raum_1], Schlüssel Name: Der Raum \"Hal\\x00le\" enthält "
                        "an der 4. Stelle ein Steuerzeichen (U+0000).");
    EXPECT_EQ(text.find('\0'), std::string::npos);
}

// Only a plan file goes on after its master data; trailing text was silently accepted.
TEST(DamagedFile, TextAfterTheEndIsRefused) {
    EXPECT_EQ(Refusal(Plan("nachlauf.pdt").outcome),
              "Fehler beim Lesen der Datei " + Data("nachlauf.pdt") +
                  ":\nWort 1072: Nach dem Ende des Plans folgt noch Text.");
    EXPECT_EQ(Refusal(Stream("nachlauf.sdt").outcome),
              "Fehler beim Lesen der Datei " + Data("nachlauf.sdt") +
                  ":\nWort 773: Nach dem Ende der Stammdaten folgt noch Text.");
    // A plan file opened as a master-data file is still accepted, its plan section ignored.
    EXPECT_TRUE(Stream("klein.pdt").outcome.Ok);
}

// A lesson on day 6 of a 5-day week, at hour 7 of a 6-hour day or in the 0th hour without it:
// "check" called such plans "stimmig" and the export dropped the lessons.
TEST(DamagedFile, LessonsOutsideTheWeekAreRefused) {
    const struct {
        const char* file;
        const char* where;
        int word;
    } cases[] = {
        {"ausserhalb-woche.pdt", "am 6. Tag in der 1. Stunde", 860},
        {"stunde-nach-ende.pdt", "am 1. Tag in der 7. Stunde", 801},
        {"nullte-stunde.pdt", "am 4. Tag in der 0. Stunde", 833},
    };
    for (const auto& c : cases) {
        const PlanReadResult r = Plan(c.file);
        EXPECT_EQ(Refusal(r.outcome), "Fehler beim Lesen der Datei " + Data(c.file) + ":\nWort " +
                                          std::to_string(c.word) +
                                          ": Die Stunde 2 steht außerhalb der Woche: " + c.where +
                                          "; die Woche hat 5 Tage mit den Stunden 1 bis 6.");
        EXPECT_FALSE(r.plan);
    }
}

// The reader evaluated the plan before "check" compared its figures, so a file whose figures
// had been edited was "stimmig". The stored figures are now kept beside the fresh ones.
TEST(DamagedFile, StoredFiguresThatDifferFromTheGridAreFound) {
    const PlanReadResult r = Plan("kennzahlen-falsch.pdt");
    ASSERT_TRUE(r.outcome.Ok) << Refusal(r.outcome);
    EXPECT_EQ(r.stored.LLSSumme, 999);
    EXPECT_EQ(r.stored.TFSumme, 555);
    EXPECT_EQ(r.plan->Totals().LLSSumme, 3); // evaluated afresh, as the desktop shows it
    EXPECT_EQ(
        CompareStoredFigures(r.stored, *r.plan),
        (std::vector<std::string>{"Die gespeicherte Kennzahl LLSSumme ist 999, neu berechnet 3.",
                                  "Die gespeicherte Kennzahl TFSumme ist 555, neu berechnet 0."}));
}

// A file saved as UTF-8 by some editor was read as Windows-1252: "Anna Müller" became
// "Anna MÃ¼ller" and every reference to her broke. Such a file is read as UTF-8 now, with a
// note, and written back in Windows-1252.
TEST(DamagedFile, Utf8FilesAreReadAsUtf8WithANote) {
    const ProjectReadResult original = Project("klein.sch");
    ASSERT_TRUE(original.outcome.Ok);
    for (const char* name : {"utf8.sch", "utf8-bom.sch"}) {
        const ProjectReadResult r = Project(name);
        ASSERT_TRUE(r.outcome.Ok) << Refusal(r.outcome);
        EXPECT_EQ(r.data, original.data) << name;
        ASSERT_EQ(r.outcome.Messages.size(), 1u);
        EXPECT_EQ(r.outcome.Messages[0].Title, "Hinweis");
        EXPECT_EQ(r.outcome.Messages[0].Text,
                  "Die Datei " + Data(name) +
                      "\nist in UTF-8 geschrieben, nicht in Windows-1252. Sie wurde umgewandelt "
                      "gelesen; beim nächsten Speichern wird sie in Windows-1252 geschrieben.");
        test::TempDir dir;
        DiskFileOps files;
        ASSERT_TRUE(SaveProject(r.data, dir.File("k.sch"), files).Ok);
        EXPECT_EQ(test::ReadFileBytes(dir.File("k.sch")), test::ReadFileBytes(Data("klein.sch")));
    }
}

// A text such as "Ã¼" is two Windows-1252 bytes that together are UTF-8 for "ü". A file whose
// only non-ASCII texts are of that kind was written in Windows-1252 and read back as UTF-8,
// changed. Such master data is refused by the writers and, read as Windows-1252, by the readers;
// next to a plain umlaut, which no UTF-8 reader takes, it is harmless.
TEST(DamagedFile, TextsThatWouldReadBackAsUtf8AreRefusedUnlessTheFileCannotBeUtf8) {
    ProjectReadResult r = Project("klein.sch");
    ASSERT_TRUE(r.outcome.Ok);
    Stammdaten d = r.data;
    // Every non-ASCII text of klein.sch changed into one that reads as UTF-8.
    const auto rename = [&](const std::string& from, const std::string& to) {
        for (auto& l : d.Lehrer) {
            if (l.Name == from) l.Name = to;
            if (l.Kurz == "MÜ") l.Kurz = "MU";
        }
        for (auto& u : d.FachBloecke) {
            if (u.Block.Lehrer == from) u.Block.Lehrer = to;
            u.Key = u.Block.Key();
        }
        for (auto& k : d.KursBloecke)
            for (auto& l : k.Lehrer)
                if (l.Name == from) l.Name = to;
    };
    rename("Anna Müller", "Anna MÃ¼ller");
    rename("Bernd Weiß", "Bernd Weiss");
    test::TempDir dir;
    DiskFileOps files;
    const std::string sentence =
        "Der Text \"Anna MÃ¼ller\" bestünde in der Datei aus Zeichen, die zusammen wie UTF-8 "
        "aussehen (etwa \"Ã¼\" für \"ü\"); da die Datei keine anderen Sonderzeichen enthielte, "
        "käme er beim Öffnen verändert zurück. Bitte ändern Sie diesen Text.";
    EXPECT_EQ(Refusal(SaveProject(d, dir.File("a.sch"), files)),
              "Die Daten können nicht gespeichert werden:\n" + sentence);
    EXPECT_FALSE(WriteStreamFile(d, dir.File("a.sdt"), files).Ok);
    // With one plain umlaut beside it the file can only be Windows-1252: it round-trips.
    d.Klassen[1].Name = "5ü";
    for (auto& u : d.FachBloecke)
        if (u.Block.Klasse == "5b") u.Block.Klasse = "5ü", u.Key = u.Block.Key();
    for (auto& k : d.KursBloecke)
        for (auto& name : k.Klassen)
            if (name == "5b") name = "5ü";
    ASSERT_TRUE(SaveProject(d, dir.File("b.sch"), files).Ok);
    EXPECT_EQ(OpenProject(dir.File("b.sch"), files).data, d);
    // The reader refuses what the fuzzer found: a master-data file whose one non-ASCII text,
    // "Donnersï»¿", would come back as "Donners" and a byte-order mark.
    const StreamReadResult found =
        ReadStreamFile(test::SourcePath("fuzz/corpus/stream/nur-utf8-folgen.pdt"), files, false);
    EXPECT_NE(Refusal(found.outcome).find("Der Text \"Donnersï»¿\" bestünde in der Datei"),
              std::string::npos)
        << Refusal(found.outcome);
}

} // namespace
} // namespace sw
