// SPDX-License-Identifier: GPL-3.0-or-later
// Lessons defined without a window reach the plan that "Stunden&plan" builds: the hours, the
// cut into units, the fixed time and room, the hour limit and the day restriction.
#include "app/Session.h"
#include "define/LessonEditor.h"
#include "support/School.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sw {
namespace {

TEST(DefinedLessons, ThePlanBuiltAfterwardsReflectsThem) {
    CapturingReporter rep;
    Session session(rep);
    session.Stamm() = test::MakeSchool(5, 6, 3, 2, 2, 2);
    LessonEditor editor(session.Stamm());
    ASSERT_TRUE(editor.AddBlock({"L0", "K0", "F0", ""}, "4", rep));
    ASSERT_TRUE(editor.AddBlock({"L1", "K1", "F1", ""}, "2", rep));
    const AktuellerBlock f0 = editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, "L0");
    ASSERT_TRUE(editor.Merge(f0, {0, 1}, rep)); // units 1, 1, 2
    Vorgaben v;
    ASSERT_TRUE(editor.SetTime(f0, {2}, SlotOf(1, 3), v).Allowed());
    ASSERT_TRUE(editor.SetRoom(f0, 2, "R2", true, v).Allowed());
    Vorgaben oben;
    editor.ShowUnit(f0, 0, oben);
    oben.OberesLimit = true;
    oben.LimitStunde = 2;
    editor.UpperLimitChanged(f0, 0, oben);
    const AktuellerBlock f1 = editor.Select(BlockArt::Fach, 1, BlockAnsicht::Lehrer, "L1");
    Vorgaben tag;
    editor.ShowUnit(f1, 1, tag);
    tag.TagesLimit = true;
    tag.Tag = 3;
    editor.DayLimitChanged(f1, 1, tag);
    ASSERT_TRUE(rep.shown.empty()) << rep.shown[0].Text;

    ASSERT_TRUE(session.StartPlanning());
    const CPlan& plan = *session.Plan();
    ASSERT_EQ(plan.StundenL.size(), 6u);
    const auto hour = [&](int i) -> const CStunde& { return *plan.StundenL[i]; };
    // L0's block: the limited single hour, the other single hour, the fixed double lesson.
    EXPECT_EQ(hour(0).OberesLimit, 1);
    EXPECT_EQ(hour(0).Zeit, 2);
    EXPECT_EQ(hour(1).BlockPos, -1);
    EXPECT_EQ(hour(2).BlockPos, 0);
    EXPECT_EQ(hour(3).BlockPos, 1);
    EXPECT_TRUE(hour(2).TimeFixed());
    EXPECT_EQ(hour(2).Zeit, SlotOf(1, 3));
    EXPECT_TRUE(hour(2).RoomFixed());
    ASSERT_TRUE(hour(2).RaumL);
    EXPECT_EQ(*hour(2).RaumL, IntList{2});
    // L1's second hour may stand on the fourth day only.
    EXPECT_EQ(hour(5).TagesLimit, 1);
    EXPECT_EQ(hour(5).Tag, 3);
    EXPECT_EQ(hour(4).Tag, -1);
}

} // namespace
} // namespace sw
