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

} // namespace
} // namespace sw
