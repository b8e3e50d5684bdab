// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Slot.h"

#include <gtest/gtest.h>

#include <random>

namespace sw {
namespace {

// The bits of a day must be the cells of that day, whatever the byte (a lock is any value but 0,
// also one with only its high bit set) and whichever day: the last day ends the table.
TEST(Slot, NonZeroHoursAreTheDaysCells) {
    LockGrid cells{};
    cells[static_cast<std::size_t>(SlotOf(0, 0))] = 1;
    cells[static_cast<std::size_t>(SlotOf(0, 12))] = 0x80;
    cells[static_cast<std::size_t>(SlotOf(1, 0))] = 0xFF; // the next day's first hour
    cells[static_cast<std::size_t>(SlotOf(6, 12))] = 2;
    EXPECT_EQ(NonZeroHours(cells, 0), 0x1001);
    EXPECT_EQ(NonZeroHours(cells, 1), 0x0001);
    EXPECT_EQ(NonZeroHours(cells, 6), 0x1000);

    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        for (auto& c : cells)
            c = random() % 3 == 0 ? static_cast<std::uint8_t>(random()) : std::uint8_t{0};
        for (int day = 0; day < kMaxDays; ++day) {
            std::uint16_t expected = 0;
            for (int hour = 0; hour < kHoursPerDay; ++hour)
                if (cells[static_cast<std::size_t>(SlotOf(day, hour))] != 0)
                    expected |= static_cast<std::uint16_t>(1u << hour);
            ASSERT_EQ(NonZeroHours(cells, day), expected) << "Tag " << day;
        }
    }
}

} // namespace
} // namespace sw
