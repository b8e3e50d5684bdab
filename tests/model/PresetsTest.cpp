// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Presets.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

CEinheit Unit(int laenge, int zeit, Flag oben = 0, Flag unten = 0, Flag tagesLimit = 0,
              int tag = -1) {
    CEinheit e(laenge, zeit);
    e.OberesLimit = oben;
    e.UnteresLimit = unten;
    e.TagesLimit = tagesLimit;
    e.Tag = tag;
    return e;
}

// Presets that can never be met were taken, and planning then spent all its attempts on them.
TEST(Presets, UnitPresetsThatCanNeverBeMet) {
    const AllgemeineAngaben week{5, 6, false, AllgemeineAngaben::DefaultDayNames(5)};
    struct Row {
        CEinheit unit;
        const char* fault; // nullptr: can be met
    };
    const Row rows[] = {
        {Unit(2, SlotOf(4, 5)), nullptr},
        {Unit(2, 2, 1), nullptr},                     // upper limit: hours 1 and 2
        {Unit(2, 5, 0, 1, 1, 4), nullptr},            // lower limit 5 on Friday
        {Unit(1, SlotOf(1, 3), 0, 0, 1, 1), nullptr}, // fixed on the day it is restricted to
        {Unit(1, kNoSlot, 0, 0, 0, 6), nullptr},      // a day without the restriction counts not
        {Unit(1, SlotOf(6, 1)), "ist am 7. Tag fest; die Woche hat nur 5 Tage"},
        {Unit(1, SlotOf(0, 10)), "ist in der 10. Stunde fest; der Tag hat nur die Stunden 1 bis 6"},
        {Unit(2, SlotOf(0, 6)),
         "ist von der 6. bis zur 7. Stunde fest; der Tag hat nur die Stunden 1 bis 6"},
        {Unit(1, SlotOf(2, 0)),
         "ist in der 0. Stunde fest; die nullte Stunde ist nicht ermöglicht"},
        {Unit(1, kNoSlot, 0, 0, 1, 5),
         "ist auf den 6. Tag eingeschränkt; die Woche hat nur 5 Tage"},
        {Unit(1, kNoSlot, 0, 0, 1, -1),
         "ist auf einen Tag eingeschränkt, nennt aber keinen (Tag -1)"},
        {Unit(1, SlotOf(0, 2), 0, 0, 1, 1),
         "ist am 1. Tag fest, aber auf den 2. Tag eingeschränkt"},
        {Unit(2, 1, 1), "ist 2 Stunden lang und kann so nie bis zur 1. Stunde (oberes "
                        "Stunden-Limit) enden"},
        {Unit(2, 6, 0, 1), "ist 2 Stunden lang und kann so nie in der 6. Stunde (unteres "
                           "Stunden-Limit) oder später beginnen; der Tag hat nur die Stunden 1 "
                           "bis 6"},
        {Unit(1, 9, 1), "hat das Stunden-Limit 9; der Tag hat nur die Stunden 1 bis 6"},
        {Unit(1, 3, 1, 1), "hat ein oberes und ein unteres Stunden-Limit zugleich"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault ? row.fault : "erfüllbar");
        const auto fault = UnitPresetFault(week, row.unit);
        if (row.fault == nullptr)
            EXPECT_FALSE(fault) << *fault;
        else
            EXPECT_EQ(fault.value_or("<none>"), row.fault);
    }
    // With the 0th hour a lesson may be fixed there.
    EXPECT_FALSE(UnitPresetFault({5, 6, true, {}}, Unit(1, SlotOf(2, 0))));
}

} // namespace
} // namespace sw
