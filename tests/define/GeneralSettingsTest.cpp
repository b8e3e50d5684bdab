// SPDX-License-Identifier: GPL-3.0-or-later
// Taking over the general settings: the day names and the shape of the week.
#include "define/GeneralSettings.h"

#include "MasterDataSchool.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

// The names typed for the days went into the school unchecked, and a smaller week left fixed
// lessons and day restrictions outside it, which no plan could then meet.
TEST(GeneralSettings, RefusesDayNamesNoFileCanHoldAndAWeekTooSmallForTheLessons) {
    Stammdaten d = test::MasterSchool(); // MEIER / 5A / M: its 1st unit fixed Tuesday, 3rd hour
    d.FachBloecke[0].Block.Einheiten[1].TagesLimit = 1;
    d.FachBloecke[0].Block.Einheiten[1].Tag = 4;
    const Stammdaten before = d;
    test::ScriptedReporter rep;
    AllgemeineAngaben neu = d.Angaben;
    neu.TagNamen[1] = "Di,Mi";
    EXPECT_FALSE(ApplyGeneralSettings(d, neu, false, rep));
    neu = d.Angaben;
    neu.Tage = 4;
    neu.Stunden = 2;
    neu.TagNamen.resize(4);
    EXPECT_FALSE(ApplyGeneralSettings(d, neu, false, rep));
    EXPECT_EQ(rep.shown,
              (std::vector<Message>{
                  {"Der Tagesname \"Di,Mi\" (Tag 2) enthält an der 3. Stelle ein Komma.", "Fehler"},
                  {"Die Woche wäre für den schon definierten Unterricht zu klein:\n\nDie 1. "
                   "Einheit des Unterrichts \"MEIER / 5A / M\" ist in der 3. Stunde fest; der Tag "
                   "hat nur die Stunden 1 bis 2.\nDie 2. Einheit des Unterrichts \"MEIER / 5A / "
                   "M\" ist auf den 5. Tag eingeschränkt; die Woche hat nur 4 Tage.\nDie 2. "
                   "Einheit des Lehrers \"MEIER\" im Kurs \"SPORTKURS\" ist am 5. Tag fest; die "
                   "Woche hat nur 4 Tage.",
                   "Fehler"}}));
    EXPECT_EQ(d, before);

    // In plan mode only the names change; a name left empty shows the day's default.
    neu = d.Angaben;
    neu.Tage = 3;
    neu.TagNamen = {"Mo", "", "Mi", "Do", "Fr"};
    ASSERT_TRUE(ApplyGeneralSettings(d, neu, true, rep));
    EXPECT_EQ(d.Angaben.Tage, 5);
    EXPECT_EQ(TagName(d.Angaben, 1), "Dienstag");
    EXPECT_EQ(d.Angaben.TagNamen[0], "Mo");
}

// The times of the hours and the school year: refused with the reason and nothing taken over,
// and in plan mode taken over with the week's shape left alone.
TEST(GeneralSettings, TakesTheTimesAndTheSchoolYearAlsoInPlanMode) {
    Stammdaten d = test::MasterSchool();
    const Stammdaten before = d;
    test::ScriptedReporter rep;
    AllgemeineAngaben neu = d.Angaben;
    neu.StundenZeiten = StandardStundenZeiten(d.Angaben.Stunden - 1, d.Angaben.Nullte);
    EXPECT_FALSE(ApplyGeneralSettings(d, neu, false, rep));
    neu.StundenZeiten.clear();
    neu.Schuljahr.Beginn = *Datum::Lies("2026-09-01");
    EXPECT_FALSE(ApplyGeneralSettings(d, neu, true, rep));
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[0].Text, "Es sind " + std::to_string(d.Angaben.Stunden - 1) +
                                     " Stundenzeiten angegeben; der Tag hat " +
                                     std::to_string(d.Angaben.Stunden) + " Stunden.");
    EXPECT_EQ(rep.shown[1].Text, "Das Schuljahr braucht einen ersten und einen letzten Tag.");
    EXPECT_EQ(d, before);

    neu.Tage = d.Angaben.Tage + 1; // plan mode keeps the week's shape
    neu.StundenZeiten = StandardStundenZeiten(d.Angaben.Stunden, d.Angaben.Nullte);
    neu.StundenZeiten[0].Beginn = 7 * 60 + 45;
    neu.Schuljahr.Ende = *Datum::Lies("2027-07-15");
    neu.Schuljahr.Ferien = {{*Datum::Lies("2026-10-26"), *Datum::Lies("2026-10-31"), "Herbst"}};
    EXPECT_TRUE(ApplyGeneralSettings(d, neu, true, rep));
    EXPECT_EQ(d.Angaben.Tage, before.Angaben.Tage);
    EXPECT_EQ(d.Angaben.StundenZeiten, neu.StundenZeiten);
    EXPECT_EQ(d.Angaben.Schuljahr, neu.Schuljahr);
    EXPECT_EQ(rep.shown.size(), 2u);
}

// The dialog's texts: German and ISO dates, the standard times kept as none entered, and the
// field that holds no time or date named.
TEST(GeneralSettings, ReadsTheFieldsOfTheSchoolYear) {
    AllgemeineAngaben a;
    a.Stunden = 2;
    SchuljahrFelder f = FelderVon(a);
    ASSERT_EQ(f.Zeiten.size(), 2u);
    EXPECT_EQ(f.Zeiten[1].Beginn, "08:50");
    f.Beginn = "1.9.2026";
    f.Ende = " 2027-07-15 ";
    f.FerienListe = {{"", "", ""}, {"26.10.2026", "31.10.2026", " Herbst "}};
    ASSERT_EQ(FelderLesen(f, a), std::nullopt);
    EXPECT_TRUE(a.StundenZeiten.empty());
    EXPECT_EQ(a.Schuljahr,
              (CSchuljahr{*Datum::Lies("2026-09-01"),
                          *Datum::Lies("2027-07-15"),
                          {{*Datum::Lies("2026-10-26"), *Datum::Lies("2026-10-31"), "Herbst"}}}));
    EXPECT_EQ(FelderVon(a).FerienListe.size(), 1u);

    const struct {
        void (*aendern)(SchuljahrFelder&);
        const char* meldung;
    } rows[] = {
        {[](SchuljahrFelder& x) { x.Zeiten[0].Beginn = "8"; },
         "Die Angabe „8“ (Beginn der 1. Stunde) ist keine Uhrzeit wie 08:00."},
        {[](SchuljahrFelder& x) { x.Ende = "31.2.2027"; },
         "Die Angabe „31.2.2027“ (Ende des Schuljahres) ist kein Datum wie 01.09.2026."},
        {[](SchuljahrFelder& x) { x.FerienListe[1].Bis = "31.10."; },
         "Die Angabe „31.10.“ (Ende der Ferien in Zeile 2) ist kein Datum wie 01.09.2026."},
    };
    for (const auto& row : rows) {
        SchuljahrFelder falsch = f;
        row.aendern(falsch);
        AllgemeineAngaben b = a;
        b.StundenZeiten = StandardStundenZeiten(2, false);
        b.StundenZeiten[0].Ende = 8 * 60 + 40;
        EXPECT_EQ(FelderLesen(falsch, b), row.meldung);
        EXPECT_EQ(b.StundenZeiten[0].Ende, 8 * 60 + 40) << "nothing taken over";
    }
    f.Zeiten[0].Ende = "08:40";
    ASSERT_EQ(FelderLesen(f, a), std::nullopt);
    EXPECT_EQ(a.StundenZeiten.size(), 2u);
}

} // namespace
} // namespace sw
