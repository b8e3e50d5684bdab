// SPDX-License-Identifier: GPL-3.0-or-later
// The calendars, the PDF and the spreadsheets of a plan, read back with other programs: libical
// and Python's icalendar for the calendars, poppler for the PDF, openpyxl and Python's csv for
// the sheets.
#include "publish/PlanAusgabe.h"
#include "../export/ExportSupport.h"
#include "publish/Kalender.h"
#include "publish/PlanMappe.h"
#include "publish/PlanPdf.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace sw {
namespace {

using test::TempDir;

std::string Lauf(const std::string& befehl) {
    std::string out;
    FILE* pipe = popen((befehl + " 2>&1").c_str(), "r");
    if (!pipe) return out;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe))
        out.append(buf, n);
    pclose(pipe);
    return out;
}

std::string LiesZurueck(const std::string& args) {
    return Lauf("/usr/bin/python3 " + test::SourcePath("tests/publish/lies_zurueck.py") + " " +
                args);
}

const AusgabeDatei* Datei(const std::vector<AusgabeDatei>& dateien, const std::string& name) {
    for (const AusgabeDatei& d : dateien)
        if (d.Name == name) return &d;
    return nullptr;
}

// Term 1 March to 13 April 2027, Easter holidays 22 March to 2 April; summer time begins on
// 28 March, inside the holidays: 8:00 is 07:00 UTC before and 06:00 UTC after.
TEST(Kalender, EveryLessonWeeklyAtItsLocalTimeWithoutTheHolidays) {
    auto school = test::MakeExportSchool(false);
    school->stamm.Angaben.Schuljahr = {
        *Datum::Lies("2027-03-01"),
        *Datum::Lies("2027-04-13"),
        {{*Datum::Lies("2027-03-22"), *Datum::Lies("2027-04-02"), "Osterferien"}}};
    const auto dateien =
        Kalender(*school->plan, AllePlaene(*school->plan),
                 {std::nullopt, std::nullopt, "20270201T120000Z"}, school->reporter);
    ASSERT_TRUE(dateien);
    ASSERT_EQ(dateien->size(), 8u);
    TempDir dir;
    ASSERT_TRUE(
        DateienSchreiben(dir.Path().string(), *dateien, DefaultFileOps(), school->reporter));
    for (const AusgabeDatei& d : *dateien) {
        icalcomponent* c = icalparser_parse_string(d.Bytes.c_str());
        ASSERT_NE(c, nullptr) << d.Name;
        EXPECT_EQ(icalrestriction_check(c), 1) << d.Name;
        EXPECT_EQ(icalcomponent_count_errors(c), 0) << d.Name;
        icalcomponent_free(c);
    }
    EXPECT_EQ(LiesZurueck("ics " + dir.File("klasse-5a.ics")),
              "Erdkunde (Jürgen Müller) @ Aula : 0301T0700-0745 0308T0700-0745 0315T0700-0745 "
              "0405T0600-0645 0412T0600-0645\n"
              "Sport @ Physiksaal Süd : 0301T0850-0935 0308T0850-0935 0315T0850-0935 "
              "0405T0750-0835 0412T0750-0835\n"
              "Religion ökumenisch @ Kunstraum : 0302T0700-0745 0309T0700-0745 0316T0700-0745 "
              "0406T0600-0645 0413T0600-0645\n");
    // The double lesson is one event, from the start of the 2nd to the end of the 3rd hour.
    EXPECT_EQ(LiesZurueck("ics " + dir.File("lehrer-anna-weiss.ics")),
              "Sport (5a, 6ü) @ Physiksaal Süd : 0301T0850-0935 0308T0850-0935 0315T0850-0935 "
              "0405T0750-0835 0412T0750-0835\n"
              "Französisch (6ü) @ Physiksaal Süd : 0302T0750-0935 0309T0750-0935 0316T0750-0935 "
              "0406T0650-0835 0413T0650-0835\n");
    EXPECT_TRUE(school->reporter.shown.empty());
}

TEST(Kalender, RefusesATermThatIsMissingOrBackwards) {
    auto school = test::MakeExportSchool(false);
    const ExportOptionen alle = AllePlaene(*school->plan);
    EXPECT_FALSE(Kalender(*school->plan, alle, {}, school->reporter));
    EXPECT_FALSE(Kalender(*school->plan, alle,
                          {*Datum::Lies("2027-07-15"), *Datum::Lies("2027-02-01"), {}},
                          school->reporter));
    EXPECT_EQ(school->reporter.shown,
              (std::vector<Message>{
                  {"Für die Kalender fehlt der Zeitraum: Beginn und Ende des Schuljahres sind in "
                   "den Allgemeinen Angaben nicht eingetragen.",
                   "Fehler"},
                  {"Der Zeitraum der Kalender endet am 01.02.2027 vor seinem Beginn am "
                   "15.07.2027.",
                   "Fehler"}}));
}

TEST(PlanPdf, OnePagePerPlanHoldingItsLessons) {
    auto school = test::MakeExportSchool(true);
    ExportOptionen o = AllePlaene(*school->plan);
    o.Ausrichtung = PageOrientation::Landscape;
    const auto pdf = PlanAlsPdf(*school->plan, o, school->reporter);
    ASSERT_TRUE(pdf);
    TempDir dir;
    ASSERT_TRUE(DateienSchreiben(dir.Path().string(), {*pdf}, DefaultFileOps(), school->reporter));
    const std::string pfad = dir.File("stundenplan.pdf");
    const std::string info = Lauf("pdfinfo " + pfad);
    EXPECT_NE(info.find("Pages:           8\n"), std::string::npos) << info;
    EXPECT_NE(info.find("841.89 x 595.276 pts (A4)"), std::string::npos) << info;
    // The class 6ü on page 5: teachers come first, then the classes.
    const std::string seite = Lauf("pdftotext -layout -f 5 -l 5 " + pfad + " -");
    for (const char* text : {"Klasse: 6ü", "Montag", "Dienstag", "Sport", "Französisch",
                             "Anna Weiß", "Physiksaal Süd"})
        EXPECT_NE(seite.find(text), std::string::npos) << text << "\n" << seite;
    EXPECT_EQ(seite.find("Erdkunde"), std::string::npos) << seite;

    EXPECT_FALSE(PlanAlsPdf(*school->plan, ExportOptionen{}, school->reporter));
    EXPECT_EQ(school->reporter.shown,
              (std::vector<Message>{{"Es wurde kein Plan ausgewählt.", "Fehler"}}));
}

TEST(PlanMappe, WorkbookAndCsvFilesHoldTheSameSheets) {
    auto school = test::MakeExportSchool(false);
    const ExportOptionen o = test::Choose({test::kWeiss}, {test::k5a, test::k6u}, {test::kAula});
    auto dateien = PlanAlsCsv(*school->plan, o);
    const auto xlsx = PlanAlsXlsx(*school->plan, o, school->reporter);
    ASSERT_TRUE(xlsx);
    dateien.push_back(*xlsx);
    const AusgabeDatei* csv = Datei(dateien, "klasse-6ue.csv");
    ASSERT_NE(csv, nullptr);
    const std::string anfang = "\xEF\xBB\xBFKlasse: 6ü\r\n\r\nStunde;Zeit;Montag;Dienstag\r\n";
    EXPECT_EQ(csv->Bytes.substr(0, anfang.size()), anfang);
    TempDir dir;
    ASSERT_TRUE(DateienSchreiben(dir.Path().string(), dateien, DefaultFileOps(), school->reporter));
    EXPECT_EQ(LiesZurueck("tabellen " + dir.Path().string() +
                          " uebersicht,lehrer-anna-weiss,klasse-5a,klasse-6ue,raum-aula "
                          "Übersicht 'Klasse 6ü'"),
              "Übersicht|Lehrer Anna Weiß|Klasse 5a|Klasse 6ü|Raum Aula\n"
              "Klasse;Montag 1;Montag 2;Montag 3;Dienstag 1;Dienstag 2;Dienstag 3\n"
              "5a;Erdkunde/Mü/Au;;Sp//PhS;Rel//Ku;;\n"
              "6ü;;;Sp//PhS;;Französisch/Wß/PhS;Französisch/Wß/PhS\n"
              "Klasse: 6ü;;;\n"
              ";;;\n"
              "Stunde;Zeit;Montag;Dienstag\n"
              "1;08:00-08:45;;\n"
              "2;08:50-09:35;;Französisch/Anna Weiß/Physiksaal Süd\n"
              "3;09:50-10:35;Sport//Physiksaal Süd;Französisch/Anna Weiß/Physiksaal Süd\n");
}

TEST(PlanMappe, SheetNamesAreShortUniqueAndWithoutForbiddenSigns) {
    auto school = test::MakeExportSchool(false);
    school->stamm.Klassen[0].Name = "Klasse mit einem sehr langen Namen [A]";
    school->stamm.Klassen[1].Name = "klasse mit einem sehr langen Namen [B]";
    const auto blaetter = PlanBlaetter(*school->plan, test::Choose({}, {0, 1}, {}));
    ASSERT_EQ(blaetter.size(), 3u);
    EXPECT_EQ(blaetter[1].Name, "Klasse Klasse mit einem sehr la");
    EXPECT_EQ(blaetter[2].Name, "Klasse klasse mit einem seh (2)");
}

// A target that cannot be written: the reason named, and no file of the set under its name nor
// a temporary one left behind.
TEST(PlanAusgabe, AnUnwritableTargetLeavesNothingBehind) {
    auto school = test::MakeExportSchool(false);
    const auto dateien = PlanAlsCsv(*school->plan, AllePlaene(*school->plan));
    TempDir dir;
    test::WriteFileBytes(dir.File("uebersicht.csv"), "alt");
    std::filesystem::create_directory(dir.File("klasse-6ue.csv"));
    EXPECT_FALSE(
        DateienSchreiben(dir.Path().string(), dateien, DefaultFileOps(), school->reporter));
    const std::string fehlt = dir.File("fehlt");
    EXPECT_FALSE(DateienSchreiben(fehlt, dateien, DefaultFileOps(), school->reporter));
    ASSERT_EQ(school->reporter.shown.size(), 2u);
    EXPECT_EQ(school->reporter.shown[0].Text,
              "Die Datei " + dir.File("klasse-6ue.csv") +
                  " kann nicht geschrieben werden.\nDas ist keine gewöhnliche Datei (ein Ordner).");
    EXPECT_EQ(school->reporter.shown[1].Text,
              "Die Datei " + fehlt +
                  "/uebersicht.csv kann nicht geschrieben werden.\nDer Ordner „" + fehlt +
                  "“ existiert nicht.");
    std::vector<std::string> inhalt;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path().string()))
        inhalt.push_back(e.path().filename().string());
    std::sort(inhalt.begin(), inhalt.end());
    EXPECT_EQ(inhalt, (std::vector<std::string>{"klasse-6ue.csv", "uebersicht.csv"}));
    EXPECT_EQ(test::ReadFileBytes(dir.File("uebersicht.csv")), "alt");
}

} // namespace
} // namespace sw
