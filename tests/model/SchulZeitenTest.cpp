// SPDX-License-Identifier: GPL-3.0-or-later
// Times of day and of the hours as text, and the times a week uses.
#include "model/SchulZeiten.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(SchulZeiten, ReadsTimesOfTheHoursAndRefusesWhatIsNone) {
    const struct {
        const char* text;
        std::optional<CStundenZeit> zeit;
    } rows[] = {
        {"08:00-08:45", CStundenZeit{480, 525}},
        {"7:55 - 8:40", CStundenZeit{475, 520}},
        {"23:59-00:00", CStundenZeit{1439, 0}},
        {"08:00", std::nullopt},
        {"24:00-24:45", std::nullopt},
        {"08:60-09:00", std::nullopt},
        {"8.00-8.45", std::nullopt},
        {"008:00-08:45", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LiesStundenZeit(row.text), row.zeit) << row.text;
    EXPECT_EQ(StundenZeitText({7 * 60 + 5, 13 * 60}), "07:05-13:00");
}

TEST(SchulZeiten, AWeekUsesTheEnteredTimesOnlyWhenTheyFitItsHours) {
    AllgemeineAngaben a;
    a.Stunden = 2;
    a.Nullte = true;
    EXPECT_EQ(StundenZeitenDerWoche(a), StandardStundenZeiten(2, true));
    a.StundenZeiten = {{400, 445}, {450, 495}, {500, 545}};
    EXPECT_EQ(StundenZeitenDerWoche(a), a.StundenZeiten);
    EXPECT_EQ(ZeitDerStunde(a.StundenZeiten, true, 0), (CStundenZeit{400, 445}));
    EXPECT_EQ(ZeitDerStunde(a.StundenZeiten, true, 2), (CStundenZeit{500, 545}));
    a.Nullte = false; // three times for two hours: the standard ones
    EXPECT_EQ(StundenZeitenDerWoche(a), StandardStundenZeiten(2, false));
    EXPECT_EQ(ZeitDerStunde(StundenZeitenDerWoche(a), false, 1), (CStundenZeit{480, 525}));
}

} // namespace
} // namespace sw
