// SPDX-License-Identifier: GPL-3.0-or-later
// The preset controls of the units page: showing a unit and the handlers of the limit boxes,
// the limit hour, the day restriction and "nur Urplan".
#include "define/LessonEditor.h"

#include "DefineSchool.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

class UnitPresetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::AddBlock(data, "MEIER", "5A", "M", 3);
        fach = editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, "MEIER");
        kurs = editor.Select(BlockArt::Kurs, 0, BlockAnsicht::Lehrer, "KOCH");
    }
    CEinheit& Unit(int i) { return data.FachBloecke[0].Block.Einheiten[static_cast<size_t>(i)]; }
    CEinheit& KursUnit(int lehrer, int i) {
        return data.KursBloecke[0]
            .Lehrer[static_cast<size_t>(lehrer)]
            .Einheiten[static_cast<size_t>(i)];
    }

    Stammdaten data = test::DefineSchool();
    LessonEditor editor{data};
    AktuellerBlock fach, kurs;
    Vorgaben v;
};

TEST_F(UnitPresetsTest, AFixedTimeIsDrawnOverTheUnitsLength) {
    Unit(1).Laenge = 2;
    Unit(1).Zeitvorgabe = SlotOf(2, 4);
    Unit(1).NurUrPlan = 1;
    v.Hinweis = "alt";
    v.Warnung = true;
    editor.ShowUnit(fach, 1, v);
    EXPECT_EQ(v.Kreuze, (std::vector<int>{SlotOf(2, 4), SlotOf(2, 5)}));
    EXPECT_TRUE(v.GitterSichtbar);
    EXPECT_TRUE(v.NurUrPlan);
    EXPECT_TRUE(v.NurUrPlanAktiv);
    EXPECT_FALSE(v.LimitAktiv);
    EXPECT_FALSE(v.OberesLimit || v.UnteresLimit);
    EXPECT_EQ(v.Hinweis, "");
    EXPECT_FALSE(v.Warnung);
    // The grid cells of the span: row = hour without the 0th hour, hour + 1 with it.
    EXPECT_EQ(CellOfSlot(data.Angaben, v.Kreuze[0]), (GitterZelle{3, 4}));
    data.Angaben.Nullte = true;
    EXPECT_EQ(CellOfSlot(data.Angaben, v.Kreuze[0]), (GitterZelle{3, 5}));
}

TEST_F(UnitPresetsTest, AnUpperLimitAtHourThreeHidesTheGridAndShowsThree) {
    Unit(0).Zeitvorgabe = 3;
    Unit(0).OberesLimit = 1;
    v.Kreuze = {7};
    editor.ShowUnit(fach, 0, v);
    EXPECT_FALSE(v.GitterSichtbar);
    EXPECT_TRUE(v.LimitAktiv);
    EXPECT_EQ(v.LimitStunde, 3);
    EXPECT_TRUE(v.OberesLimit);
    EXPECT_FALSE(v.UnteresLimit);
    EXPECT_TRUE(v.Kreuze.empty());
}

TEST_F(UnitPresetsTest, AUnitWithoutTimeShowsNothingButItsDayRestriction) {
    Unit(2).TagesLimit = 1;
    Unit(2).Tag = 3;
    v.OberesLimit = v.NurUrPlan = v.LimitAktiv = true;
    editor.ShowUnit(fach, 2, v);
    EXPECT_TRUE(v.TagesLimit);
    EXPECT_TRUE(v.TagAktiv);
    EXPECT_EQ(v.Tag, 3);
    EXPECT_FALSE(v.OberesLimit || v.UnteresLimit || v.NurUrPlan || v.LimitAktiv ||
                 v.NurUrPlanAktiv);
    EXPECT_TRUE(v.GitterSichtbar);
}

TEST_F(UnitPresetsTest, ShowingAUnitChangesNoUnit) {
    Unit(0).Zeitvorgabe = 5;
    Unit(0).UnteresLimit = 1;
    const Stammdaten before = data;
    editor.ShowUnit(fach, 0, v);
    editor.ShowUnit(fach, 9, v);
    EXPECT_EQ(data, before);
}

TEST_F(UnitPresetsTest, CheckingTheUpperLimitStoresTheHourAndUncheckingClearsIt) {
    Unit(0).Zeitvorgabe = SlotOf(1, 2); // pinned before
    editor.ShowUnit(fach, 0, v);
    v.OberesLimit = true;
    v.LimitStunde = 4;
    editor.UpperLimitChanged(fach, 0, v);
    EXPECT_EQ(Unit(0).OberesLimit, 1);
    EXPECT_EQ(Unit(0).Zeitvorgabe, 4);
    EXPECT_FALSE(v.GitterSichtbar);
    EXPECT_TRUE(v.LimitAktiv);
    EXPECT_TRUE(v.NurUrPlanAktiv);

    v.NurUrPlan = true;
    editor.InitialPlanOnlyChanged(fach, 0, v);
    EXPECT_EQ(Unit(0).NurUrPlan, 1);

    v.OberesLimit = false;
    editor.UpperLimitChanged(fach, 0, v);
    EXPECT_EQ(Unit(0), CEinheit(1, kNoSlot));
    EXPECT_TRUE(v.GitterSichtbar);
    EXPECT_FALSE(v.LimitAktiv || v.NurUrPlan || v.NurUrPlanAktiv);
}

TEST_F(UnitPresetsTest, CheckingOneLimitUnchecksTheOther) {
    v.UnteresLimit = true;
    v.LimitStunde = 2;
    editor.LowerLimitChanged(fach, 1, v);
    EXPECT_EQ(Unit(1).UnteresLimit, 1);
    EXPECT_TRUE(v.TagesLimitAktiv && v.TagAktiv);

    v.OberesLimit = true;
    v.LimitStunde = 6;
    editor.UpperLimitChanged(fach, 1, v);
    EXPECT_FALSE(v.UnteresLimit);
    EXPECT_EQ(Unit(1).UnteresLimit, 0);
    EXPECT_EQ(Unit(1).OberesLimit, 1);
    EXPECT_EQ(Unit(1).Zeitvorgabe, 6);

    v.LimitStunde = 7;
    editor.LimitHourChanged(fach, 1, v);
    EXPECT_EQ(Unit(1).Zeitvorgabe, 7);
    v.LimitStunde = 9; // not an hour of the day
    editor.LimitHourChanged(fach, 1, v);
    EXPECT_EQ(Unit(1).Zeitvorgabe, 7);
}

TEST_F(UnitPresetsTest, TheLimitHourPinsNothingWithoutALimit) {
    Unit(0).Zeitvorgabe = SlotOf(3, 2);
    v.LimitStunde = 5;
    editor.LimitHourChanged(fach, 0, v);
    EXPECT_EQ(Unit(0).Zeitvorgabe, SlotOf(3, 2));
}

TEST_F(UnitPresetsTest, RestrictingToADayWithoutLimitClearsTheFixedTime) {
    Unit(2).Zeitvorgabe = SlotOf(1, 3);
    editor.ShowUnit(fach, 2, v);
    v.TagesLimit = true;
    v.Tag = 4;
    editor.DayLimitChanged(fach, 2, v);
    EXPECT_EQ(Unit(2).Zeitvorgabe, kNoSlot);
    EXPECT_EQ(Unit(2).TagesLimit, 1);
    EXPECT_EQ(Unit(2).Tag, 4);
    EXPECT_TRUE(v.TagAktiv);
    EXPECT_FALSE(v.GitterSichtbar);
    EXPECT_TRUE(v.Kreuze.empty());

    v.Tag = 1;
    editor.DayChanged(fach, 2, v);
    EXPECT_EQ(Unit(2).Tag, 1);
    v.Tag = 5; // Saturday in a week of five days
    editor.DayChanged(fach, 2, v);
    EXPECT_EQ(Unit(2).Tag, 1);

    v.TagesLimit = false;
    editor.DayLimitChanged(fach, 2, v);
    EXPECT_EQ(Unit(2), CEinheit(1, kNoSlot));
    EXPECT_FALSE(v.TagAktiv);
    EXPECT_TRUE(v.GitterSichtbar);
}

TEST_F(UnitPresetsTest, ADayRestrictionKeepsTheLimit) {
    v.UnteresLimit = true;
    v.LimitStunde = 3;
    editor.LowerLimitChanged(fach, 0, v);
    v.TagesLimit = true;
    v.Tag = 2;
    editor.DayLimitChanged(fach, 0, v);
    EXPECT_EQ(Unit(0).Zeitvorgabe, 3);
    EXPECT_EQ(Unit(0).UnteresLimit, 1);
    EXPECT_EQ(Unit(0).Tag, 2);
}

// Unchecking the last limit while the day restriction stays would leave the limit hour in the
// fixed-time field with no limit: the unit would be pinned to that hour of the first day.
TEST_F(UnitPresetsTest, UncheckingTheLastLimitUnderADayRestrictionPinsNothing) {
    v.OberesLimit = true;
    v.LimitStunde = 4;
    editor.UpperLimitChanged(fach, 0, v);
    v.TagesLimit = true;
    v.Tag = 2;
    editor.DayLimitChanged(fach, 0, v);
    v.OberesLimit = false;
    editor.UpperLimitChanged(fach, 0, v);
    EXPECT_EQ(Unit(0).OberesLimit, 0);
    EXPECT_EQ(Unit(0).Zeitvorgabe, kNoSlot);
    EXPECT_EQ(Unit(0).TagesLimit, 1);
    EXPECT_EQ(Unit(0).Tag, 2);
    EXPECT_FALSE(v.GitterSichtbar); // the day restriction still hides the grid
}

TEST_F(UnitPresetsTest, ACoursesPresetsChangeEveryTeachersUnitAtThePosition) {
    editor.ShowUnit(kurs, 1, v);
    v.UnteresLimit = true;
    v.LimitStunde = 2;
    editor.LowerLimitChanged(kurs, 1, v);
    v.TagesLimit = true;
    v.Tag = 3;
    editor.DayLimitChanged(kurs, 1, v);
    v.NurUrPlan = true;
    editor.InitialPlanOnlyChanged(kurs, 1, v);
    for (int l = 0; l < 2; ++l) {
        EXPECT_EQ(KursUnit(l, 1).UnteresLimit, 1);
        EXPECT_EQ(KursUnit(l, 1).Zeitvorgabe, 2);
        EXPECT_EQ(KursUnit(l, 1).Tag, 3);
        EXPECT_EQ(KursUnit(l, 1).NurUrPlan, 1);
        EXPECT_EQ(KursUnit(l, 0), CEinheit(1, kNoSlot));
    }
}

TEST_F(UnitPresetsTest, HandlersWithoutAUnitDoNothing) {
    const Stammdaten before = data;
    v.OberesLimit = v.TagesLimit = v.NurUrPlan = true;
    const Vorgaben shown = v;
    editor.UpperLimitChanged(fach, 3, v);
    editor.LowerLimitChanged(AktuellerBlock{}, 0, v);
    editor.DayLimitChanged(fach, -1, v);
    editor.InitialPlanOnlyChanged(kurs, 2, v);
    editor.LimitHourChanged(AktuellerBlock{BlockArt::Kurs, 4, 0}, 0, v);
    EXPECT_EQ(data, before);
    EXPECT_EQ(v, shown);
}

// The lesson window let a unit take presets it could never keep: a fixed time on another day
// than its day restriction, an hour limit its length cannot keep. They are refused with the
// reason, and a limit box moves the limit to the nearest hour the unit can keep.
TEST_F(UnitPresetsTest, PresetsTheUnitCouldNeverKeepAreRefused) {
    v.TagesLimit = true;
    v.Tag = 0;
    editor.DayLimitChanged(fach, 0, v);
    EXPECT_EQ(editor.SetTime(fach, {0}, SlotOf(1, 2), v).Refusal,
              "Eine Festlegung dieser Zeit für diese Unterrichts - Einheit ist nicht möglich!\n\n"
              "Die Einheit ist am 2. Tag fest, aber auf den 1. Tag eingeschränkt.");
    EXPECT_TRUE(v.Warnung);
    EXPECT_EQ(Unit(0).Zeitvorgabe, kNoSlot);

    Unit(1).Zeitvorgabe = SlotOf(1, 2);
    Unit(1).TagesLimit = 1;
    Unit(1).Tag = 1;
    v = {};
    v.TagesLimit = true;
    v.Tag = 3;
    editor.DayChanged(fach, 1, v);
    EXPECT_EQ(v.Hinweis, "Diese Einschränkung auf einen Tag ist für diese Einheit nicht möglich!"
                         "\n\nDie Einheit ist am 2. Tag fest, aber auf den 4. Tag eingeschränkt.");
    EXPECT_EQ(Unit(1).Tag, 1);
    EXPECT_EQ(v.Tag, 1);

    Unit(2).Laenge = 2;
    v = {};
    v.OberesLimit = true;
    v.LimitStunde = 1;
    editor.UpperLimitChanged(fach, 2, v);
    EXPECT_EQ(Unit(2).Zeitvorgabe, 2);
    EXPECT_EQ(v.LimitStunde, 2);
    v.LimitStunde = 1;
    editor.LimitHourChanged(fach, 2, v);
    EXPECT_EQ(Unit(2).Zeitvorgabe, 2);
    EXPECT_EQ(v.LimitStunde, 2);
    EXPECT_EQ(v.Hinweis, "Dieses Stunden-Limit ist für diese Einheit nicht möglich!\n\nDie "
                         "Einheit ist 2 Stunden lang und kann so nie bis zur 1. Stunde (oberes "
                         "Stunden-Limit) enden.");
}

} // namespace
} // namespace sw
