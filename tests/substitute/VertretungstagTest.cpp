// SPDX-License-Identifier: GPL-3.0-or-later
// A date with the journal: the refusals of a date, absences over a period, the candidates'
// order, the counters and the statistics.
#include "substitute/Vertretungstag.h"
#include "substitute/Statistik.h"
#include "substitute/SubstituteSchool.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using namespace test;

Datum D(const char* text) {
    return *Datum::Lies(text);
}

std::vector<std::string> Spalte(const Vertretungstag& tag, int spalte) {
    std::vector<std::string> out;
    for (const VertretungsZeile& z : tag.Liste().Zeilen())
        if (z.HatStunde()) out.push_back(z.Spalten[static_cast<std::size_t>(spalte)]);
    return out;
}

struct Tag : ::testing::Test {
    PlanFixture f; // two days: Montag, Dienstag
    Journal journal;
    void SetUp() override { BuildSubstituteSchool(f, false); }
    void Lehrer(const char* name, const char* von, const char* bis, int ab = -1, int bis_ = -1) {
        journal.Eintragen({AbwesenheitsArt::Lehrer, name, D(von), D(bis), ab, bis_, "krank"});
    }
};

TEST_F(Tag, DatesOutsideTheWeekTheTermOrInTheHolidaysAreRefused) {
    f.s.Angaben.Schuljahr = {
        D("2026-09-07"), D("2027-07-16"), {{D("2026-10-26"), D("2026-10-30"), "Herbstferien"}}};
    const struct {
        const char* datum;
        std::string grund;
    } faelle[] = {
        {"2027-03-15", ""}, // a Monday in the term
        {"2027-03-17", "Mittwoch, 17. März 2027 ist kein Schultag dieses Plans (Montag bis "
                       "Dienstag)."},
        {"2026-09-01", "Dienstag, 1. September 2026 liegt außerhalb des Schuljahres (07.09.2026 "
                       "bis 16.07.2027)."},
        {"2027-07-20", "Dienstag, 20. Juli 2027 liegt außerhalb des Schuljahres (07.09.2026 bis "
                       "16.07.2027)."},
        {"2026-10-27", "Dienstag, 27. Oktober 2026 liegt in den Ferien (Herbstferien)."},
    };
    for (const auto& fall : faelle)
        EXPECT_EQ(DatumAblehnung(*f.plan, D(fall.datum)).value_or(""), fall.grund) << fall.datum;
    // Without a school year only the week counts.
    f.s.Angaben.Schuljahr = {};
    EXPECT_FALSE(DatumAblehnung(*f.plan, D("2026-09-01")));
}

TEST_F(Tag, AnAbsenceOverAPeriodListsItsHoursOnEachDate) {
    // L0 from Monday 15th, hour 2, to Tuesday 23rd, hour 2; L2 Monday 22nd only.
    Lehrer("L0", "2027-03-15", "2027-03-23", 2, 2);
    Lehrer("L2", "2027-03-22", "2027-03-22");
    const struct {
        const char* datum;
        std::vector<std::string> stunden;
    } faelle[] = {
        {"2027-03-15", {"2.   K0  F1  L0"}}, // from hour 2: not the course at 1
        {"2027-03-16", {"3.   K0  F1  L0"}}, // a whole day between
        {"2027-03-22", {"1.   Kurs  L0", "2.   K0  F1  L0", "1.   Kurs  L2", "2.   K2  F2  L2"}},
        {"2027-03-23", {}}, // until hour 2: not his hour 3
    };
    for (const auto& fall : faelle) {
        Vertretungstag tag(*f.plan, journal, D(fall.datum));
        EXPECT_EQ(tag.Ermitteln(), static_cast<int>(fall.stunden.size())) << fall.datum;
        EXPECT_EQ(Spalte(tag, 0), fall.stunden) << fall.datum;
    }
}

TEST_F(Tag, AClassAwayCancelsItsLessonsAndFreesItsTeachers) {
    Lehrer("L0", "2027-03-15", "2027-03-15");
    journal.Eintragen(
        {AbwesenheitsArt::Klasse, "K2", D("2027-03-15"), D("2027-03-15"), -1, -1, "Klassenfahrt"});
    Vertretungstag tag(*f.plan, journal, D("2027-03-15"));
    EXPECT_EQ(tag.Ermitteln(), 3);
    EXPECT_EQ(Spalte(tag, 0),
              (std::vector<std::string>{"1.   Kurs  L0", "2.   K0  F1  L0", "2.   K2  F2  L2"}));
    EXPECT_EQ(Spalte(tag, 1), (std::vector<std::string>{"", "", "entfällt"}));
    EXPECT_FALSE(tag.Ausfall(3)); // nothing to decide
    // Monday 2 (K0 F1): L1 is locked and busy; L2's lesson with K2 falls out, so he is free.
    std::vector<std::string> namen;
    for (const Kandidat& k : tag.Kandidaten(2))
        namen.push_back(k.Wahl.Spalten[0] + (k.Frei ? "+" : "-"));
    EXPECT_EQ(namen, (std::vector<std::string>{"L3+", "L2+", "L1-"}));
}

// A school where each criterion of the order decides once. L0 (absent) teaches K0 F0 in hour 3.
//   L1 busy in hour 3                    L4 F0, K2 in hours 1 and 5 (a free hour between)
//   L2 F0, K0 in hours 2 and 4, 1 subst  L5 not F0, K0 in hour 5
//   L3 F0, K0 in hour 1, 2 substitutions L6 F0, K0 in hour 6, no substitution
TEST(Kandidaten, EachCriterionDecidesOnceAndTheMaximumPutsLast) {
    PlanFixture f;
    f.s = MakeSchool(1, 6, 7, 7, 3, 3);
    f.s.Lehrer[5].Faecher = {"F1"};
    AddBlock(f.s, "L0", "K0", "F0", {1});    // 0
    AddBlock(f.s, "L1", "K1", "F0", {1});    // 1
    AddBlock(f.s, "L2", "K0", "F1", {1, 1}); // 2, 3
    AddBlock(f.s, "L3", "K0", "F2", {1});    // 4
    AddBlock(f.s, "L4", "K2", "F0", {1, 1}); // 5, 6
    AddBlock(f.s, "L5", "K0", "F1", {1});    // 7
    AddBlock(f.s, "L6", "K0", "F2", {1});    // 8
    f.Build();
    const int stunden[] = {3, 3, 2, 4, 1, 1, 5, 5, 6};
    for (int i = 0; i < 9; ++i)
        f.Put(i, i < 7 ? i : i - 2, 0, stunden[i]);

    Journal j;
    j.Eintragen({AbwesenheitsArt::Lehrer, "L0", D("2027-03-15"), D("2027-03-15"), -1, -1, "krank"});
    auto vertretung = [&j](const char* tag, int h, const char* wer) {
        j.Entscheiden({D(tag), h, "L1", EntscheidungsArt::Vertretung, wer, "krank", "F0", {"K1"}});
    };
    vertretung("2027-03-16", 1, "L2");
    vertretung("2027-03-01", 1, "L3");
    vertretung("2027-03-01", 2, "L3");
    vertretung("2027-03-08", 1, "L3");
    j.Entscheiden({D("2027-03-08"), 1, "L1", EntscheidungsArt::Zuruecknahme, "", "", "F0", {}});

    auto reihe = [&] {
        Vertretungstag tag(*f.plan, j, D("2027-03-15"));
        EXPECT_EQ(tag.Ermitteln(), 1);
        std::vector<std::string> out;
        for (const Kandidat& k : tag.Kandidaten(1))
            out.push_back(k.Wahl.Spalten[0] + ":" + std::to_string(k.Frei) +
                          std::to_string(k.Fach) + std::to_string(k.Klasse) +
                          std::to_string(k.Luecke) + std::to_string(k.Vertretungen));
        return out;
    };
    EXPECT_EQ(reihe(), (std::vector<std::string>{"L2:11111", "L6:11100", "L3:11102", "L4:11010",
                                                 "L5:10100", "L1:01000"}));
    j.Hoechstzahl["L2"] = 1; // reached with the substitution on the 16th
    EXPECT_EQ(reihe().back(), "L2:11111");

    Vertretungstag tag(*f.plan, j, D("2027-03-15"));
    tag.Ermitteln();
    CapturingReporter rep;
    EXPECT_EQ(tag.Waehlen(1, tag.Kandidaten(1).back(), rep), WahlErgebnis::Abgelehnt);
    ASSERT_EQ(rep.shown.size(), 1U);
    EXPECT_EQ(rep.shown[0].Text,
              "Lehrer L2 hat diese Woche bereits 1 Vertretungen (Höchstzahl 1).");
}

TEST_F(Tag, CountersAndStatisticsFollowDecisionsAndTakingsBack) {
    Lehrer("L0", "2027-03-15", "2027-03-16");
    CapturingReporter rep;
    {
        Vertretungstag tag(*f.plan, journal, D("2027-03-15"));
        ASSERT_EQ(tag.Ermitteln(), 2); // 1. Kurs, 2. K0 F1
        ASSERT_EQ(tag.Waehlen(1, tag.Kandidaten(1)[0], rep), WahlErgebnis::Gesetzt);
        const Kandidat l3 = tag.Kandidaten(2)[0];
        EXPECT_EQ(l3.Wahl.Spalten[0], "L3");
        ASSERT_EQ(tag.Waehlen(2, l3, rep), WahlErgebnis::Gesetzt);
        EXPECT_TRUE(tag.Loeschen(1));
        EXPECT_TRUE(tag.Ausfall(1));
    }
    {
        Vertretungstag tag(*f.plan, journal, D("2027-03-16"));
        ASSERT_EQ(tag.Ermitteln(), 1);
        ASSERT_EQ(tag.Waehlen(1, tag.Kandidaten(1)[0], rep), WahlErgebnis::Gesetzt);
    }
    EXPECT_EQ(journal.Entscheidungen().size(), 5U);
    const auto zahlen = journal.Vertretungen(D("2027-03-01"), D("2027-03-31"));
    EXPECT_EQ(zahlen.at("L3"), 1);
    EXPECT_EQ(zahlen.size(), 2U); // L3 on Monday, one teacher on Tuesday

    // Reopening the date shows what was decided.
    Vertretungstag wieder(*f.plan, journal, D("2027-03-15"));
    wieder.Ermitteln();
    EXPECT_EQ(Spalte(wieder, 1), (std::vector<std::string>{"AUSFALL", "L3"}));
    EXPECT_EQ(Spalte(wieder, 2), (std::vector<std::string>{"", "F1"}));

    const Statistik st = BerechneStatistik(*f.plan, journal);
    EXPECT_EQ(st.Lehrer[kL0].Gesamt.Versaeumt, 3); // Monday 1 and 2, Tuesday 3
    EXPECT_EQ(st.Lehrer[kL3].Gesamt.Vertreten + st.Lehrer[kL1].Gesamt.Vertreten +
                  st.Lehrer[kL2].Gesamt.Vertreten,
              2);
    EXPECT_EQ(st.Klassen[0].Gesamt.Ausgefallen, 1); // the course of K0 and K1
    EXPECT_EQ(st.Klassen[1].Gesamt.Ausgefallen, 1);
    EXPECT_EQ(st.Klassen[2].Gesamt.Ausgefallen, 0);
    const std::string csv = StatistikCsv(st);
    EXPECT_EQ(
        csv.rfind("Art;Name;Monat;Versäumt;Vertreten;Ausgefallen\r\nLehrer;L0;gesamt;3;0;0\r\n"
                  "Lehrer;L0;2027-03;3;0;0\r\n",
                  0),
        0U);
    EXPECT_NE(csv.find("Klasse;K0;2027-03;0;0;1\r\n"), std::string::npos);
}

TEST_F(Tag, AnEnteredAbsenceIsCheckedAndANewReasonJoinsTheList) {
    const struct {
        Abwesenheit a;
        std::string nein;
    } faelle[] = {
        {{AbwesenheitsArt::Lehrer, "Lx", D("2027-03-15"), D("2027-03-15"), -1, -1, "krank"},
         "Einen Lehrer \"Lx\" gibt es in diesem Plan nicht."},
        {{AbwesenheitsArt::Klasse, "K0", D("2027-03-15"), D("2027-03-12"), -1, -1, "krank"},
         "Das Ende der Abwesenheit (12.03.2027) liegt vor ihrem Beginn (15.03.2027)."},
        {{AbwesenheitsArt::Lehrer, "L1", D("2027-03-15"), D("2027-03-15"), 4, 2, "krank"},
         "An einem einzigen Tag kann die letzte Stunde nicht vor der ersten liegen."},
        {{AbwesenheitsArt::Lehrer, "L1", D("2027-03-15"), D("2027-03-15"), -1, -1, "Kur, Reha"},
         "Ungültiger Grund \"Kur, Reha\": Komma und Zeilenumbruch sind nicht erlaubt."},
        {{AbwesenheitsArt::Klasse, "K0", D("2027-03-15"), D("2027-03-17"), 3, 2, "Praktikum"}, ""},
    };
    for (const auto& fall : faelle) {
        CapturingReporter rep;
        EXPECT_EQ(AbwesenheitEintragen(journal, *f.plan, fall.a, rep), fall.nein.empty());
        EXPECT_EQ(rep.shown.empty() ? "" : rep.shown[0].Text, fall.nein);
    }
    ASSERT_EQ(journal.Abwesenheiten().size(), 1U);
    EXPECT_EQ(journal.Gruende.back(), "Praktikum");
    // A tick's day goes with the tick; a longer absence stays.
    Lehrer("L1", "2027-03-15", "2027-03-15");
    Lehrer("L1", "2027-03-15", "2027-03-16");
    EXPECT_EQ(journal.TagAustragen(AbwesenheitsArt::Lehrer, "L1", D("2027-03-16")), 0);
    EXPECT_EQ(journal.TagAustragen(AbwesenheitsArt::Lehrer, "L1", D("2027-03-15")), 1);
    ASSERT_EQ(journal.Abwesenheiten().size(), 2U);
    EXPECT_TRUE(journal.Entfernen(0));
    EXPECT_TRUE(journal.Entfernen(0));
    EXPECT_FALSE(journal.Entfernen(0));
}

} // namespace
} // namespace sw
