// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Tables.h"
#include "exchange/Import.h"
#include "files/ProjectFile.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace sw {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

const std::string kBom = "\xEF\xBB\xBF";

// The bytes SaveProject writes for `data`.
std::string ProjectBytes(const Stammdaten& data, const TempDir& dir, const std::string& name) {
    const Outcome saved = SaveProject(data, dir.File(name), DefaultFileOps());
    EXPECT_TRUE(saved.Ok) << (saved.Messages.empty() ? "" : saved.Messages[0].Text);
    return ReadFileBytes(dir.File(name));
}

// Exports `data`, imports the tables again and returns the result.
ImportResult ThroughTables(const Stammdaten& data, const TempDir& dir) {
    std::filesystem::create_directory(dir.Path() / "tabellen");
    const std::string folder = (dir.Path() / "tabellen").string();
    EXPECT_TRUE(ExportTables(data, folder, DefaultFileOps()).Ok);
    return ImportTables(folder, DefaultFileOps());
}

TEST(Tables, ExampleSchoolsComeBackByteForByte) {
    for (const char* example : {"gymnasium.sch", "grossschule.sch"}) {
        TempDir dir;
        const ProjectReadResult read =
            OpenProject(test::SourcePath(std::string("examples/") + example), DefaultFileOps());
        ASSERT_TRUE(read.outcome.Ok);
        const ImportResult back = ThroughTables(read.data, dir);
        ASSERT_TRUE(back.outcome.Ok) << back.outcome.Messages[0].Text;
        EXPECT_EQ(ProjectBytes(back.data, dir, "back.sch"),
                  ReadFileBytes(test::SourcePath(std::string("examples/") + example)))
            << example;
        EXPECT_EQ(back.report.Hours, read.data.LessonHours());
    }
}

// Everything the project file carries beyond the example schools: day names, the 0th hour,
// locks at hour 0 and on days beyond the week, every flag, unit presets, special separation,
// names with blanks at their ends and with the field separator, a course without teachers.
TEST(Tables, EverySettingComesBack) {
    Stammdaten s = test::MakeSchool(5, 7, 2, 3, 2, 2);
    s.Angaben.Nullte = true;
    s.Angaben.TagNamen = {"Mo.", "Di.", "Mi.", "Do.", "Fr."};
    s.Faecher.push_back(" Kunst; Werken ");
    s.Raeume[0].Faecher = {" Kunst; Werken "};
    s.Raeume[0].FachTyp = {0, 0, 1};
    s.Raeume[0].KlassenTyp = {0, 0, 1};
    s.Raeume[0].Klasse = "K1";
    s.Raeume[0].KlassenKursFreigabe = 1;
    s.Raeume[1].KlassenTyp = {1, 0, 0};
    s.Raeume[1].Sperre[SlotOf(6, 12)] = 1;
    s.Lehrer[0].KlassenLehrer = 1;
    s.Lehrer[0].Klasse = "K0";
    s.Lehrer[0].Kurz = "A,B";
    s.Lehrer[1].Opti = 0;
    s.Lehrer[1].TendenzZuFreienTagen = 1;
    s.Lehrer[2].NichtVerfuegbar = 1;
    s.Lehrer[2].Sperre[SlotOf(0, 0)] = s.Lehrer[2].Sperre[SlotOf(0, 1)] = 1;
    s.Lehrer[2].Sperre[SlotOf(0, 3)] = 1;
    s.Klassen[1].Opti = 0;
    s.Klassen[1].Sperre[SlotOf(5, 2)] = 1;
    CFachBlock& b = test::AddBlock(s, "L0", "K0", "F0", {2, 1, 1, 1, 1}, true);
    b.Einheiten[0].Zeitvorgabe = SlotOf(1, 0);
    b.Einheiten[0].Raum = "R1";
    b.Einheiten[1].Zeitvorgabe = SlotOf(0, 3);
    b.Einheiten[1].OberesLimit = 1;
    b.Einheiten[2].Zeitvorgabe = SlotOf(2, 2);
    b.Einheiten[2].UnteresLimit = 1;
    b.Einheiten[2].TagesLimit = 1;
    b.Einheiten[2].Tag = 4;
    b.Einheiten[3].Zeitvorgabe = SlotOf(3, 5);
    b.Einheiten[3].NurUrPlan = 1;
    b.Einheiten[4].Tag = 2;
    b.SpezialTrennung = 1;
    b.BStunden = 6;
    CKursBlock& k = test::AddCourse(s, "Kurs, A", {"L1", "L2"}, {"K0", "K1"}, {2, 1});
    k.Kurz = "K;A";
    k.Lehrer[1].Einheiten[1].Raum = "R0";
    for (auto& l : k.Lehrer)
        l.Einheiten[1].Zeitvorgabe = SlotOf(4, 6);
    k.SpezialTrennung = 0;
    test::AddCourse(s, "Ohne Lehrer", {}, {"K1"}, {}).BStunden = 2;

    TempDir dir;
    const std::string before = ProjectBytes(s, dir, "before.sch");
    const ImportResult back = ThroughTables(s, dir);
    ASSERT_TRUE(back.outcome.Ok) << back.outcome.Messages[0].Text;
    EXPECT_EQ(ProjectBytes(back.data, dir, "after.sch"), before);
    // Other files in the folder stay.
    const std::string folder = (dir.Path() / "tabellen").string();
    WriteFileBytes(folder + "/Notizen.csv", "mine");
    ASSERT_TRUE(ExportTables(s, folder, DefaultFileOps()).Ok);
    EXPECT_EQ(ReadFileBytes(folder + "/Notizen.csv"), "mine");
}

// A small valid school; each case below replaces one of its files.
const std::map<std::string, std::string> kSchule = {
    {"Allgemein.csv", "Tage;Stunden\n5;8\n"},
    {"Faecher.csv", "Name\nDeutsch\nMathe\n"},
    {"Klassen.csv", "Name\n5a\n5b\n"},
    {"Lehrer.csv", "Name;Kürzel;Fächer\nAnna Meier;MEI;Deutsch,Mathe\n"},
    {"Raeume.csv", "Name\nR1\n"},
    {"Unterricht.csv", "Lehrer;Klasse;Fach;Wochenstunden;Einheiten;Räume\n"
                       "Anna Meier;5a;Deutsch;4;2+1+1;\n"
                       "Anna Meier;5b;Mathe;;1+1;R1,-\n"},
};

ImportResult ImportWith(const TempDir& dir, const std::string& file, const std::string& bytes) {
    for (const auto& [name, content] : kSchule)
        if (name != file) WriteFileBytes(dir.File(name), content);
    if (!file.empty()) WriteFileBytes(dir.File(file), bytes);
    return ImportTables(dir.Path().string(), DefaultFileOps());
}

TEST(Tables, ReadsWhatASpreadsheetWrites) {
    struct Case {
        const char* file;
        std::string bytes;
    };
    const Case cases[] = {
        {"", ""},
        // Windows-1252, with a "Kuerzel" heading in capitals.
        {"Lehrer.csv", "NAME;KUERZEL;Faecher\nAnna Meier;M\xDCL;Deutsch, Mathe\n"},
        // "," between the fields, the list quoted.
        {"Lehrer.csv", "Name,Kürzel,Fächer\r\nAnna Meier,MÜL,\"Deutsch,Mathe\"\r\n"},
        // The byte-order mark, blank lines and an empty row of separators.
        {"Lehrer.csv", kBom + "Name;Kürzel;Fächer\n\n;;\nAnna Meier;MÜL;Deutsch,Mathe\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const ImportResult r = ImportWith(dir, c.file, c.bytes);
        ASSERT_TRUE(r.outcome.Ok) << r.outcome.Messages[0].Text;
        ASSERT_EQ(r.data.Lehrer.size(), 1U);
        EXPECT_EQ(r.data.Lehrer[0].Faecher, (std::vector<std::string>{"Deutsch", "Mathe"}));
        if (*c.file) {
            EXPECT_EQ(r.data.Lehrer[0].Kurz, "MÜL");
        }
        ASSERT_EQ(r.data.FachBloecke.size(), 2U);
        EXPECT_EQ(r.data.FachBloecke[1].Block.BStunden, 2);
        EXPECT_EQ(r.data.FachBloecke[1].Block.Einheiten[0].Raum, "R1");
        EXPECT_EQ(r.report.Find(ImportFate::Uebernommen, "Unterrichte")->Count, 2);
        EXPECT_EQ(r.report.Hours, 6);
    }
}

TEST(Tables, NamesTheCellOfEveryFault) {
    struct Case {
        const char* file;
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {"Unterricht.csv",
         "Lehrer;Klasse;Fach;Wochenstunden\n\nAnna Meier;5a;Deutsch;1\n"
         "Anna Meier;7z;Deutsch;1\n",
         "Unterricht.csv, Zeile 4, Spalte 2: Die Klasse „7z“ gibt es nicht."},
        // The quoted separator does not start a new column.
        {"Lehrer.csv",
         "Name;Kürzel;Fächer\nAnna Meier;;Deutsch,Mathe\n\"Meier; Anna\";MEI;Latein\n",
         "Lehrer.csv, Zeile 3, Spalte 3: Das Fach „Latein“ gibt es nicht."},
        {"Lehrer.csv",
         "Name;K\xFCrzel;F\xE4"
         "cher\nAnna "
         "Meier;MEI;Deutsch,Mathe\nJ\xFCrgens;J\xDCR;Franz\xF6sisch\n",
         "Lehrer.csv, Zeile 3, Spalte 3: Das Fach „Französisch“ gibt es nicht."},
        {"Klassen.csv", "Name,Optimieren\n5a,vielleicht\n5b,ja\n",
         "Klassen.csv, Zeile 2, Spalte 2: „vielleicht“ ist weder „ja“ noch „nein“."},
        {"Klassen.csv", kBom + "Nme\n5a\n", "Klassen.csv, Zeile 1: Die Spalte „Name“ fehlt."},
        {"Klassen.csv", "Name\n5a\n5b\n5a\n",
         "Klassen.csv, Zeile 4, Spalte 1: Die Klasse „5a“ "
         "steht schon in Zeile 2."},
        {"Allgemein.csv", "Tage;Stunden\n9;8\n",
         "Allgemein.csv, Zeile 2, Spalte 1: „9“ liegt nicht im Bereich 1 bis 7."},
        {"Unterricht.csv",
         "Lehrer;Klasse;Fach;Wochenstunden;Einheiten\nAnna Meier;5a;Deutsch;4;2+1\n",
         "Unterricht.csv, Zeile 2, Spalte 5: Die Einheiten „2+1“ ergeben 3 Stunden, die "
         "Wochenstunden sind 4."},
        {"Unterricht.csv",
         "Lehrer;Klasse;Fach;Wochenstunden;Einheiten\nAnna Meier;5a;Deutsch;9;9\n",
         "Unterricht.csv, Zeile 2, Spalte 5: Die Einheit „9“ ist keine gültige Länge: ein Tag hat "
         "8 Stunden."},
        {"Unterricht.csv",
         "Lehrer;Klasse;Fach;Wochenstunden;Zeitvorgaben\n"
         "Anna Meier;5a;Deutsch;2;\"Sa 1,-\"\n",
         "Unterricht.csv, Zeile 2, Spalte 5: Die 1. Einheit des Unterrichts \"Anna Meier / 5a / "
         "Deutsch\" ist am 6. Tag fest; die Woche hat nur 5 Tage."},
        {"Unterricht.csv",
         "Lehrer;Klasse;Fach;Wochenstunden;Zeitvorgaben\nAnna Meier;5a;Deutsch;1;3\n",
         "Unterricht.csv, Zeile 2, Spalte 5: In „3“ fehlt der Tag zur Stunde (so: „Mo 3“)."},
        {"Unterricht.csv", "Lehrer;Klasse;Fach;Wochenstunden;Räume\nAnna Meier;5a;Deutsch;2;R1\n",
         "Unterricht.csv, Zeile 2, Spalte 5: Hier stehen 1 Raum für 2 Einheiten (ein Raum je "
         "Einheit, „-“ für keinen)."},
        {"Unterricht.csv",
         "Lehrer;Klasse;Fach;Wochenstunden\nAnna Meier;5a;Deutsch;1\n"
         "Anna Meier;5a;Deutsch;2\n",
         "Unterricht.csv, Zeile 3, Spalte 3: Den Unterricht „Anna Meier / 5a / Deutsch“ gibt es "
         "schon in Zeile 2."},
        {"Sperren.csv", "Art;Name;Tag;Stunden\nLehrer;Anna Meier;Mo;1-x\n",
         "Sperren.csv, Zeile 2, Spalte 4: „1-x“ ist keine Liste von Stunden wie „1-3,5“ "
         "(Stunden 0 bis 12)."},
        {"Sperren.csv", "Art;Name;Tag;Stunden\nSchüler;Anna Meier;Mo;1\n",
         "Sperren.csv, Zeile 2, Spalte 1: „Schüler“ ist keine Art von Sperre (Lehrer, Klasse, "
         "Raum)."},
        {"Raeume.csv", "Name;Typ\nR1;Spezial\n",
         "Raeume.csv, Zeile 2, Spalte 2: Ein Raum vom Typ „Spezial“ braucht mindestens ein Fach."},
        {"Kurslehrer.csv", "Kurs;Lehrer;Fach\nReli;Anna Meier;Deutsch\n",
         "Kurslehrer.csv, Zeile 2, Spalte 1: Der Kurs „Reli“ gibt es nicht."},
        {"Faecher.csv", "Name\nDeutsch\nMa\xC2\xA0the\n",
         "Faecher.csv, Zeile 3, Spalte 1: Das Fach \"Ma\xC2\xA0the\" enthält an der 3. Stelle ein "
         "geschütztes Leerzeichen (U+00A0).\nLehrer.csv, Zeile 2, Spalte 3: Das Fach „Mathe“ gibt "
         "es nicht.\nUnterricht.csv, Zeile 3, Spalte 3: Das Fach „Mathe“ gibt es nicht."},
        {"Allgemein.csv", "", "Allgemein.csv: Die Datei ist leer."},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const ImportResult r = ImportWith(dir, c.file, c.bytes);
        EXPECT_FALSE(r.outcome.Ok);
        ASSERT_EQ(r.outcome.Messages.size(), 1U) << c.message;
        EXPECT_EQ(r.outcome.Messages[0].Text, c.message);
        EXPECT_EQ(r.outcome.Messages[0].Title, titel::Importfehler);
        EXPECT_EQ(r.data, Stammdaten{});
    }
}

TEST(Tables, ListsTenFaultsAndCountsTheRest) {
    std::string klassen = "Name\n";
    for (int i = 0; i < 12; ++i)
        klassen += "5a,\n";
    TempDir dir;
    const ImportResult r = ImportWith(dir, "Klassen.csv", klassen);
    ASSERT_FALSE(r.outcome.Ok);
    const std::string& text = r.outcome.Messages[0].Text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), "… und 4 weitere Fehler.");
}

TEST(Tables, AFolderWithoutTheWeekIsRefused) {
    TempDir dir;
    const ImportResult r = ImportTables(dir.Path().string(), DefaultFileOps());
    ASSERT_FALSE(r.outcome.Ok);
    EXPECT_EQ(r.outcome.Messages[0].Text,
              "Allgemein.csv: Die Datei fehlt im Ordner " + dir.Path().string() + ".");
}

// The shipped example is what the exporter writes: reading and writing it again changes no byte.
TEST(Tables, ShippedExampleIsTheExportersOwn) {
    const std::string folder = test::SourcePath("examples/tabellen");
    const ImportResult r = ImportTables(folder, DefaultFileOps());
    ASSERT_TRUE(r.outcome.Ok) << r.outcome.Messages[0].Text;
    EXPECT_EQ(r.data.Klassen.size(), 2U);
    EXPECT_EQ(r.data.KursBloecke.size(), 1U);
    EXPECT_EQ(r.report.Find(ImportFate::Uebernommen, "Sperren")->Count, 2);
    TempDir dir;
    ASSERT_TRUE(ExportTables(r.data, dir.Path().string(), DefaultFileOps()).Ok);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string bytes = ReadFileBytes(entry.path().string());
        EXPECT_EQ(ReadFileBytes(dir.File(entry.path().filename().string())), bytes) << entry.path();
        EXPECT_EQ(bytes.substr(0, 3), kBom);
        EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    }
}

} // namespace
} // namespace sw
