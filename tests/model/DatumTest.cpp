// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Datum.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(Datum, ReadsOnlyRealIsoDates) {
    EXPECT_EQ(Datum::Lies("2027-03-15"), (Datum{2027, 3, 15}));
    EXPECT_EQ(Datum::Lies("2028-02-29"), (Datum{2028, 2, 29}));
    for (const char* falsch : {"2027-02-29", "2027-13-01", "2027-3-15", "15.03.2027", "2027-03-1x",
                               "", "2027-03-150", "0000-01-01"}) {
        EXPECT_FALSE(Datum::Lies(falsch).has_value()) << falsch;
    }
    EXPECT_EQ((Datum{2027, 3, 5}).Text(), "2027-03-05");
    EXPECT_EQ((Datum{2027, 3, 5}).DeutscherText(), "05.03.2027");
}

TEST(Datum, CountsDaysAndWeekdaysAcrossMonthsAndYears) {
    EXPECT_EQ((Datum{1970, 1, 1}).Tagnummer(), 0);
    EXPECT_EQ((Datum{2027, 3, 15}).Wochentag(), 0); // a Monday
    EXPECT_EQ((Datum{2026, 12, 13}).Wochentag(), 6);
    EXPECT_EQ((Datum{2027, 2, 26}).PlusTage(3), (Datum{2027, 3, 1}));
    EXPECT_EQ((Datum{2028, 2, 28}).PlusTage(1), (Datum{2028, 2, 29}));
    EXPECT_EQ((Datum{2026, 12, 31}).PlusTage(1), (Datum{2027, 1, 1}));
    EXPECT_LT((Datum{2026, 12, 31}), (Datum{2027, 1, 1}));
}

TEST(Datum, FindsTheHolidayADateFallsIn) {
    CSchuljahr jahr{{2026, 9, 1}, {2027, 7, 15}, {{{2026, 10, 26}, {2026, 10, 31}, "Herbst"}}};
    EXPECT_EQ(jahr.FerienAm({2026, 10, 25}), nullptr);
    ASSERT_NE(jahr.FerienAm({2026, 10, 26}), nullptr);
    EXPECT_EQ(jahr.FerienAm({2026, 10, 31})->Name, "Herbst");
    EXPECT_EQ(jahr.FerienAm({2026, 11, 1}), nullptr);
}

TEST(Datum, DefaultHoursAre45MinutesFromEightWithLongerBreaksAfterTheSecondAndFourth) {
    const auto z = StandardStundenZeiten(6, false);
    ASSERT_EQ(z.size(), 6U);
    EXPECT_EQ(z[0], (CStundenZeit{480, 525}));
    EXPECT_EQ(z[1].Beginn, 530);
    EXPECT_EQ(z[2].Beginn, 590); // 9:50 after 15 minutes
    EXPECT_EQ(z[4].Beginn, 700); // 11:40
    EXPECT_EQ(StandardStundenZeiten(2, true).front(), (CStundenZeit{430, 475}));
}

} // namespace
} // namespace sw
