// SPDX-License-Identifier: GPL-3.0-or-later
// The substitution sheet: its text, its table read back from the written file, and its failures.
#include "export/DocxReader.h"
#include "substitute/SubstituteSchool.h"
#include "substitute/Substitutions.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace sw {
namespace {

using namespace test;

class MerkOpener : public DocumentOpener {
public:
    bool Open(const std::string& path) override {
        geoeffnet.push_back(path);
        return true;
    }
    std::vector<std::string> geoeffnet;
};

constexpr Datum kMittwoch{2026, 12, 9};

struct Blatt : ::testing::Test {
    PlanFixture f;
    VertretungsListe liste;
    TempDir dir;
    MerkOpener opener;
    CapturingReporter rep;

    // L0 and L2 absent on Monday; L3 covers L0's course hour, L0's lesson at hour 2 is cancelled.
    void Planen(bool nullte) {
        BuildSubstituteSchool(f, nullte);
        SetzeAbwesend(f.s, kL0, true);
        SetzeAbwesend(f.s, kL2, true);
        liste.Ermitteln(*f.plan, 0);
        WahlZeile l3;
        l3.Spalten = {"L3", "F2", ""};
        liste.Waehlen(1, l3, rep);
    }
    bool Schreiben(CWord& word) {
        return SchreibeVertretungsplan(*f.plan, liste, kMittwoch, word, rep);
    }
    std::vector<std::vector<std::string>> Tabelle(const std::string& pfad) {
        const ReadDocx docx = ReadDocxFile(pfad);
        EXPECT_TRUE(docx.XmlErrors.empty());
        const auto tables = docx.Tables();
        EXPECT_EQ(tables.size(), 1u);
        return tables.empty() ? std::vector<std::vector<std::string>>{} : tables[0].Cells;
    }
};

TEST(Datum, GermanTextWithTheWeekday) {
    EXPECT_EQ(DatumText({2026, 12, 9}), "Mittwoch, 9. Dezember 2026");
    EXPECT_EQ(DatumText({2024, 2, 29}), "Donnerstag, 29. Februar 2024");
    EXPECT_EQ(DatumText({2000, 3, 1}), "Mittwoch, 1. März 2000");
    EXPECT_EQ(DatumText({1999, 12, 31}), "Freitag, 31. Dezember 1999");
    EXPECT_EQ(DatumText({2027, 1, 3}), "Sonntag, 3. Januar 2027");
    EXPECT_TRUE(IstGueltig({2000, 2, 29}));
    EXPECT_FALSE(IstGueltig({1900, 2, 29}));
    EXPECT_FALSE(IstGueltig({2025, 4, 31}));
    EXPECT_FALSE(IstGueltig({2025, 13, 1}));
    EXPECT_EQ(DatumText({2025, 4, 31}), "31.04.2025");
    // The next date of a weekday: the same day, later in the week, over a month and a year.
    EXPECT_EQ(NaechsterWochentag({2026, 12, 9}, 2), (Datum{2026, 12, 9}));
    EXPECT_EQ(NaechsterWochentag({2026, 12, 9}, 3), (Datum{2026, 12, 10}));
    EXPECT_EQ(NaechsterWochentag({2026, 12, 9}, 0), (Datum{2026, 12, 14}));
    EXPECT_EQ(NaechsterWochentag({2026, 12, 31}, 4), (Datum{2027, 1, 1}));
    EXPECT_EQ(NaechsterWochentag({2024, 2, 28}, 3), (Datum{2024, 2, 29}));
}

// The window's date picks the school day it falls on; a day the plan does not have is none.
TEST(Datum, TheSchoolDayOfADate) {
    EXPECT_EQ(SchultagAm({2026, 12, 10}, 5), 3); // a Thursday
    EXPECT_EQ(SchultagAm({2026, 12, 12}, 5), -1);
    EXPECT_EQ(SchultagAm({2026, 12, 12}, 6), 5);
    EXPECT_EQ(SchultagAm({2025, 4, 31}, 7), -1);
    EXPECT_EQ(KeinSchultag({2026, 12, 12}, 5),
              "Samstag, 12. Dezember 2026 ist kein Schultag dieses Plans (Montag bis Freitag).");
    EXPECT_EQ(KeinSchultag({2026, 12, 8}, 1),
              "Dienstag, 8. Dezember 2026 ist kein Schultag dieses Plans (nur Montag).");
}

TEST_F(Blatt, TitleAbsentTeachersAndOneRowPerLessonByHour) {
    Planen(false);
    ASSERT_TRUE(liste.Ausfall(2));
    const std::string pfad = dir.File("vertretung.docx");
    CWord word(pfad, DefaultFileOps(), opener);
    ASSERT_TRUE(Schreiben(word));
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_TRUE(word.Visible());
    EXPECT_EQ(opener.geoeffnet, std::vector<std::string>{pfad});

    const ReadDocx docx = ReadDocxFile(pfad);
    ASSERT_TRUE(docx.Opened);
    std::vector<std::string> vorTabelle;
    for (const ReadBlock& b : docx.Body) {
        if (std::holds_alternative<ReadTable>(b)) break;
        vorTabelle.push_back(std::get<ReadParagraph>(b).Text);
    }
    EXPECT_EQ(vorTabelle,
              (std::vector<std::string>{"Vertretungsplan Mittwoch, 9. Dezember 2026", "", "",
                                        "Fehlende Lehrer:", "", "L0", "L2", "", "", ""}));
    // List order: L0 hour 1, L0 hour 2, L2 hour 1, L2 hour 2. The sheet goes by hour.
    EXPECT_EQ(Tabelle(pfad), (std::vector<std::vector<std::string>>{{"Stunde", "Vertretung"},
                                                                    {"1.   Kurs  L0", "L3"},
                                                                    {"1.   Kurs  L2", " "},
                                                                    {"2.   K0  F1  L0", "AUSFALL"},
                                                                    {"2.   K2  F2  L2", " "}}));
    const auto& table = std::get<Table>(word.Doc().Body[10]);
    EXPECT_EQ(table.Format.Format, 16);
    EXPECT_EQ(table.PreferredWidthType, 2);
    EXPECT_EQ(table.PreferredWidth, 100);
}

// A lesson at the 0th hour is in the list; the sheet shows it only where the plan uses the 0th
// hour, and then leaves no blank row behind.
TEST_F(Blatt, TheZerothHourOnlyWithTheZerothHour) {
    Planen(true);
    ASSERT_EQ(liste.Zeilen()[1].Spalten[0], "0.   K0  F1  L0");
    CWord mit(dir.File("mit.docx"), DefaultFileOps(), opener);
    ASSERT_TRUE(Schreiben(mit));
    const auto zeilen = Tabelle(dir.File("mit.docx"));
    ASSERT_EQ(zeilen.size(), 6u);
    EXPECT_EQ(zeilen[1], (std::vector<std::string>{"0.   K0  F1  L0", "L3"}));
    EXPECT_EQ(zeilen[2], (std::vector<std::string>{"1.   Kurs  L0", " "}));

    // The same week without the 0th hour.
    f.s.Angaben.Nullte = false;
    const CPlan ohneNullte(f.s, f.rep);
    CWord ohne(dir.File("ohne.docx"), DefaultFileOps(), opener);
    ASSERT_TRUE(SchreibeVertretungsplan(ohneNullte, liste, kMittwoch, ohne, rep));
    const auto rest = Tabelle(dir.File("ohne.docx"));
    ASSERT_EQ(rest.size(), 5u); // header and the four lessons of hours 1 and 2
    for (const auto& zeile : rest)
        EXPECT_NE(zeile[0], "") << "blank row in the sheet";
    EXPECT_EQ(rest[1][0], "1.   Kurs  L0");
}

TEST_F(Blatt, NothingToCoverGivesTheHeaderOnly) {
    BuildSubstituteSchool(f, false);
    liste.Ermitteln(*f.plan, 0);
    CWord word(dir.File("leer.docx"), DefaultFileOps(), opener);
    ASSERT_TRUE(Schreiben(word));
    EXPECT_EQ(Tabelle(dir.File("leer.docx")),
              (std::vector<std::vector<std::string>>{{"Stunde", "Vertretung"}}));
}

TEST_F(Blatt, AStartFailureSaysWhyAndWritesNothing) {
    Planen(false);
    const std::string pfad = dir.File("fehlt/vertretung.docx");
    CWord word(pfad, DefaultFileOps(), opener);
    EXPECT_FALSE(Schreiben(word));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0].Title, "Fehler");
    // What failed, as the export says it; no word processor is to blame.
    EXPECT_EQ(rep.shown[0].Text, "Fehler bei Ausgabe an Word:\nDie Datei " + pfad +
                                     " kann nicht geschrieben werden.\nDer Ordner „" +
                                     dir.File("fehlt") + "“ existiert nicht.");
    EXPECT_FALSE(word.Visible());
    EXPECT_TRUE(opener.geoeffnet.empty());
    EXPECT_FALSE(std::filesystem::exists(pfad));
}

// The document for the printer: built into a wrapper that is never made visible.
TEST_F(Blatt, TheDocumentCanBeBuiltWithoutShowingIt) {
    Planen(false);
    NoOpener keiner;
    CWord word(dir.File("druck.docx"), DefaultFileOps(), keiner);
    ASSERT_TRUE(word.Start());
    const WordTable t = BaueVertretungsplan(*f.plan, liste, kMittwoch, word);
    ASSERT_TRUE(t.Valid());
    EXPECT_FALSE(word.Visible());
    const auto& body = word.Doc().Body;
    EXPECT_EQ(std::get<Paragraph>(body.front()).Text, "Vertretungsplan Mittwoch, 9. Dezember 2026");
    const auto& table = std::get<Table>(body[10]);
    EXPECT_EQ(table.Rows, 5);
    EXPECT_EQ(table.Cell(2, 2), "L3");
}

} // namespace
} // namespace sw
