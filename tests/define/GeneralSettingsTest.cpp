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

} // namespace
} // namespace sw
