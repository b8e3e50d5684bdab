// SPDX-License-Identifier: GPL-3.0-or-later
#include "define/Lessons.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(TimeGrid, RowOneIsTheZerothHourWhenItIsInUse) {
    AllgemeineAngaben a;
    a.Nullte = true;
    EXPECT_EQ(SlotOfCell(a, {1, 1}), SlotOf(0, 0));
    a.Nullte = false;
    EXPECT_EQ(SlotOfCell(a, {1, 1}), SlotOf(0, 1));
}

TEST(TimeGrid, CellsAndSlotsMapBothWays) {
    AllgemeineAngaben a;
    EXPECT_EQ(SlotOfCell(a, {1, 1}), SlotOf(0, 1));
    EXPECT_EQ(SlotOfCell(a, {5, 8}), SlotOf(4, 8));
    EXPECT_EQ(SlotOfCell(a, {6, 1}), kNoSlot); // Saturday is not taught
    EXPECT_EQ(SlotOfCell(a, {1, 9}), kNoSlot);
    EXPECT_EQ(SlotOfCell(a, {0, 3}), kNoSlot);
    EXPECT_EQ(SlotOfCell(a, {2, 0}), kNoSlot);
    a.Nullte = true;
    EXPECT_EQ(SlotOfCell(a, {1, 1}), SlotOf(0, 0));
    EXPECT_EQ(SlotOfCell(a, {3, 9}), SlotOf(2, 8));
    for (int s : {SlotOf(0, 0), SlotOf(4, 8), SlotOf(2, 5)})
        EXPECT_EQ(SlotOfCell(a, CellOfSlot(a, s)), s);
    EXPECT_EQ(LimitHours(a), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    a.Nullte = false;
    a.Stunden = 3;
    EXPECT_EQ(LimitHours(a), (std::vector<int>{1, 2, 3}));
}

} // namespace
} // namespace sw
