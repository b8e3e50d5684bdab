// SPDX-License-Identifier: GPL-3.0-or-later
// The journal: its text, its file with the lock, and what survives a write that fails.
#include "substitute/JournalDatei.h"

#include "model/Cp1252.h"
#include "support/Disk.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace sw {
namespace {

using namespace test;

Journal Beispiel() {
    Journal j;
    j.Gruende.push_back("Prüfungsaufsicht");
    j.Hoechstzahl["Müller"] = 3;
    j.Eintragen({AbwesenheitsArt::Lehrer, "Müller", *Datum::Lies("2027-03-15"),
                 *Datum::Lies("2027-03-26"), 3, -1, "krank"});
    j.Eintragen({AbwesenheitsArt::Klasse, "5a", *Datum::Lies("2027-03-17"),
                 *Datum::Lies("2027-03-17"), -1, 4, "Klassenfahrt"});
    j.Entscheiden({*Datum::Lies("2027-03-15"),
                   3,
                   "Müller",
                   EntscheidungsArt::Vertretung,
                   "Schmidt",
                   "krank",
                   "Deutsch",
                   {"5a"}});
    j.Entscheiden({*Datum::Lies("2027-03-15"),
                   4,
                   "Müller",
                   EntscheidungsArt::Ausfall,
                   "",
                   "krank",
                   "Religion",
                   {"5a", "5b"}});
    j.Entscheiden({*Datum::Lies("2027-03-15"),
                   3,
                   "Müller",
                   EntscheidungsArt::Zuruecknahme,
                   "",
                   "krank",
                   "Deutsch",
                   {"5a"}});
    return j;
}

TEST(JournalText, RoundTripsInWindows1252WithCrLf) {
    const Journal j = Beispiel();
    const std::string text = JournalText(j);
    EXPECT_NE(text.find("Gruende=krank,Klassenfahrt,Fortbildung,Sonstiges,Pr\xFC"
                        "fungsaufsicht,\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("E2=2027-03-15,4,M\xFCller,Ausfall,,krank,Religion,5a,5b,\r\n"),
              std::string::npos);
    const JournalLesen gelesen = LiesJournal(text);
    ASSERT_TRUE(gelesen.Daten) << gelesen.Grund;
    EXPECT_EQ(*gelesen.Daten, j);
    // The taking back rules the lesson; the cancellation stands.
    EXPECT_EQ(gelesen.Daten->Stand(*Datum::Lies("2027-03-15"), 3, "Müller"), nullptr);
    EXPECT_EQ(gelesen.Daten->InKraft().size(), 1U);
}

TEST(JournalText, DamageIsRefusedWithItsLine) {
    const std::string kopf = "[Vertretungsjournal]\r\nVersion=1\r\n";
    const struct {
        std::string text;
        int zeile;
        std::string grund;
    } faelle[] = {
        {"[Plan]\r\n", 1, "kein Vertretungsjournal"},
        {kopf + "[Abwesenheiten]\r\nA1=Lehrer,X,2027-03-15,2027-03-14,-1,-1,krank,\r\n", 4,
         "ungültiger Zeitraum"},
        {kopf + "[Abwesenheiten]\r\nA2=Lehrer,X,2027-03-15,2027-03-15,-1,-1,krank,\r\n", 4,
         "A1 erwartet"},
        {kopf + "[Entscheidungen]\r\nE1=2027-02-30,1,X,Ausfall,,krank,D,\r\n", 4,
         "ungültiges Datum"},
        {kopf + "[Entscheidungen]\r\nE1=2027-03-15,1,X,Vertretung,,krank,D,\r\n", 4,
         "Vertreter passt nicht zur Entscheidung"},
        {kopf + "[Entscheidungen]\r\nE1=2027-03-15,1,X,Ausfall,,krank,D\r\n", 4,
         "Liste ohne abschließendes Komma"},
        {kopf + "[Hoechstzahlen]\r\nX=-2\r\n", 4, "ungültige Höchstzahl"},
        {kopf + "Version=2\r\n", 3, "unbekannte Version 2"},
        {kopf + "[Sonstiges]\r\n", 3, "unbekannter Abschnitt \"Sonstiges\""},
        {kopf + "kaputt\r\n", 3, "keine Zeile der Form Schlüssel=Wert"},
    };
    for (const auto& fall : faelle) {
        const JournalLesen r = LiesJournal(Utf8ToCp1252(fall.text).value());
        EXPECT_FALSE(r.Daten) << fall.text;
        EXPECT_EQ(r.Zeile, fall.zeile) << fall.text;
        EXPECT_EQ(r.Grund, fall.grund) << fall.text;
    }
}

TEST(JournalText, PathAndAcceptedTexts) {
    EXPECT_EQ(JournalPfad("/schule/SCHULE.sch"), "/schule/SCHULE.vtr");
    EXPECT_EQ(JournalPfad("/a.b/SCHULE"), "/a.b/SCHULE.vtr");
    EXPECT_EQ(JournalTextFehler("Kur, Reha"), "Komma und Zeilenumbruch sind nicht erlaubt.");
    EXPECT_EQ(JournalTextFehler("Kur – Reha"), "");
    EXPECT_EQ(JournalTextFehler("Kur ☺"), "Das Zeichen kann nicht gespeichert werden.");
}

struct JournalFile : ::testing::Test {
    TempDir dir;
    std::string pfad = dir.File("SCHULE.vtr");
    CapturingReporter rep;
    std::string Bytes() const {
        std::ifstream in(pfad, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void Schreibe(const std::string& bytes) const {
        std::ofstream(pfad, std::ios::binary) << bytes;
    }
};

TEST_F(JournalFile, SavedDecisionsSurviveReopening) {
    {
        JournalDatei datei(DefaultFileOps(), pfad);
        ASSERT_EQ(datei.Oeffnen(rep), JournalZustand::Bearbeitbar); // no file yet: empty
        datei.Daten() = Beispiel();
        ASSERT_TRUE(datei.Speichern(rep));
    }
    EXPECT_FALSE(DefaultFileOps().Exists(pfad + ".lock")); // released when closed
    JournalDatei wieder(DefaultFileOps(), pfad);
    ASSERT_EQ(wieder.Oeffnen(rep), JournalZustand::Bearbeitbar);
    EXPECT_EQ(wieder.Daten(), Beispiel());
    EXPECT_TRUE(rep.shown.empty());
}

TEST_F(JournalFile, ADamagedJournalIsRefusedAndNeverOverwritten) {
    const std::string kaputt = "[Vertretungsjournal]\r\nVersion=1\r\n[Entscheidungen]\r\nE1=x,\r\n";
    Schreibe(kaputt);
    JournalDatei datei(DefaultFileOps(), pfad);
    EXPECT_EQ(datei.Oeffnen(rep), JournalZustand::Beschaedigt);
    ASSERT_EQ(rep.shown.size(), 1U);
    EXPECT_EQ(rep.shown[0].Text,
              "Das Vertretungsjournal " + pfad +
                  " ist beschädigt (Zeile 4: eine Entscheidung hat mindestens 7 Felder). Es "
                  "wird nicht verändert.");
    EXPECT_FALSE(datei.Speichern(rep));
    EXPECT_EQ(Bytes(), kaputt);
}

TEST_F(JournalFile, ASecondInstanceReadsOnlyAndNamesTheHolder) {
    JournalDatei erste(DefaultFileOps(), pfad), zweite(DefaultFileOps(), pfad);
    ASSERT_EQ(erste.Oeffnen(rep), JournalZustand::Bearbeitbar);
    EXPECT_EQ(zweite.Oeffnen(rep), JournalZustand::NurLesen);
    const LockHolder ich = CurrentLockHolder();
    ASSERT_EQ(rep.shown.size(), 1U);
    EXPECT_EQ(rep.shown[0].Text.rfind("Das Vertretungsjournal " + pfad + " wird von " + ich.User +
                                          " auf " + ich.Host + " (Prozess " +
                                          std::to_string(ich.Pid) + ", seit ",
                                      0),
              0U);
    EXPECT_FALSE(zweite.Speichern(rep));
    EXPECT_TRUE(erste.Speichern(rep));
}

TEST_F(JournalFile, AStaleLockOfAGoneProcessIsTakenOver) {
    const pid_t kind = fork();
    if (kind == 0) _exit(0);
    waitpid(kind, nullptr, 0);
    LockHolder tot = CurrentLockHolder();
    tot.Pid = kind;
    std::ofstream(pfad + ".lock") << LockText(tot);
    JournalDatei datei(DefaultFileOps(), pfad);
    EXPECT_EQ(datei.Oeffnen(rep), JournalZustand::Bearbeitbar);
    // A lock of another host is never taken over: its process may still run.
    JournalDatei fremd(DefaultFileOps(), dir.File("B.vtr"));
    tot.Host += "-anders";
    std::ofstream(dir.File("B.vtr.lock")) << LockText(tot);
    EXPECT_EQ(fremd.Oeffnen(rep), JournalZustand::NurLesen);
}

TEST_F(JournalFile, AWriteInterruptedAtEveryStepLeavesThePreviousJournal) {
    {
        JournalDatei datei(DefaultFileOps(), pfad);
        datei.Oeffnen(rep);
        datei.Daten() = Beispiel();
        ASSERT_TRUE(datei.Speichern(rep));
    }
    const std::string vorher = Bytes();
    Journal neu = Beispiel();
    neu.Entscheiden({*Datum::Lies("2027-03-16"),
                     1,
                     "Müller",
                     EntscheidungsArt::Ausfall,
                     "",
                     "krank",
                     "Deutsch",
                     {"5a"}});
    // Every write takes at most 3 bytes: the n-th of them fails, or the open, or the flush of
    // the file, or its close.
    const int schreiben = static_cast<int>((JournalText(neu).size() + 2) / 3);
    for (int schritt = -3; schritt < schreiben; ++schritt) {
        FaultyDisk disk;
        disk.error = ENOSPC;
        disk.shortWrites = true;
        JournalDatei datei(disk, pfad);
        ASSERT_EQ(datei.Oeffnen(rep), JournalZustand::Bearbeitbar);
        if (schritt == -3) disk.failOpenAt = disk.opens + 1;
        if (schritt == -2) disk.failSyncAt = disk.syncs + 1;
        if (schritt == -1) disk.failCloseAt = disk.closes + 1;
        if (schritt >= 0) disk.failWriteAt = disk.writes + 1 + schritt;
        datei.Daten() = neu;
        rep.shown.clear();
        EXPECT_FALSE(datei.Speichern(rep)) << schritt;
        ASSERT_EQ(rep.shown.size(), 1U);
        EXPECT_EQ(rep.shown[0].Text.rfind("Fehler beim Speichern der Datei: " + pfad, 0), 0U);
        EXPECT_EQ(Bytes(), vorher) << schritt;
        EXPECT_EQ(Names(dir), (std::set<std::string>{"SCHULE.vtr", "SCHULE.vtr.lock"}));
    }
}

} // namespace
} // namespace sw
