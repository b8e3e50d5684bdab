// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Plan.h"
#include "plan/Random.h"
#include "support/School.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;

TEST(Random, FirstValuesMatchTheCongruence) {
    // seed 1: state = M + 1 with M = 346 * 2^32 + 20021, upper half 346; then
    // M^2 + M + 1 mod 2^64 has the upper half 2*346*20021 + 346 = 13854878.
    Random rng(1);
    EXPECT_EQ(rng.Next(), 346);
    EXPECT_EQ(rng.Next(), 13854878);
    EXPECT_EQ(rng.Next(), 1621890440);
    EXPECT_EQ(rng.Next(), 816282396);
    Random other(12345);
    EXPECT_EQ(other.Next(), 4271370);
    EXPECT_EQ(other.Below(0), 0);
    Random a(7), b(7);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(a.InRange(3, 9), b.InRange(3, 9));
    for (int i = 0; i < 1000; ++i) {
        const double f = a.Fraction();
        EXPECT_GE(f, 0.0);
        EXPECT_LT(f, 1.0);
        const int v = a.InRange(-2, 2);
        EXPECT_GE(v, -2);
        EXPECT_LE(v, 2);
    }
}

TEST(PlanCreate, InitialValuesAndGrid) {
    Stammdaten s = MakeSchool(5, 8, 3, 2, 2, 1);
    s.Raeume[2].KlassenTyp = {0, 0, 1}; // reserved class room: not universal for others
    s.Raeume[2].Klasse = "K0";
    CapturingReporter rep;
    CPlan plan(s, rep);
    EXPECT_EQ(plan.Totals().LLSSumme, 1000);
    EXPECT_EQ(plan.Totals().KLSSumme, 1000);
    EXPECT_EQ(plan.Totals().TFSumme, 1000);
    EXPECT_EQ(plan.Totals().TFMax, 1000);
    EXPECT_EQ(plan.Flags().AbbruchErsteStunde, 1);
    EXPECT_EQ(plan.Flags().KursUeberStundenLimit, 0);
    EXPECT_EQ(*plan.UniversalRaumL(), (IntList{0, 1}));
    ASSERT_EQ(plan.LehrerStatusL.size(), 2u);
    EXPECT_EQ(plan.LehrerStatusL[1].Index, 1);
    EXPECT_EQ(plan.KlassenStatusL[0].MinStunden, 4000);
    // Days 5 and 6 exist in the grid even with a five-day week.
    for (int s2 = 0; s2 < kSlotCount; ++s2)
        EXPECT_TRUE(plan.IsFree(2, s2));
    EXPECT_NE(&plan.At(0, 0), &plan.LeerStunde);
    EXPECT_EQ(std::string(CPlan::KonfliktTexte[6]), "Erste Stunde");
}

// Each goal is the flag of its number among the plan's 22; the numbers are those every move and
// every stage table names.
TEST(PlanGoals, EachGoalIsTheFlagOfItsNumber) {
    Stammdaten s = MakeSchool(5, 8, 1, 1, 1, 1);
    CapturingReporter rep;
    CPlan plan(s, rep);
    std::vector<int> numbers;
    for (Ziel z : kAlleZiele) {
        numbers.push_back(Nummer(z));
        plan.ClearGoals();
        plan.SetGoal(z);
        for (Ziel y : kAlleZiele)
            EXPECT_EQ(plan.HasGoal(y), y == z) << Nummer(z) << " goal " << Nummer(y);
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 4, 5, 6, 11, 12, 13, 14, 16, 17, 18, 19, 20, 21}));
    plan.SetGoals({Ziel::KlassenLuecken, Ziel::Annealing});
    EXPECT_TRUE(plan.HasGoal(Ziel::KlassenLuecken));
    EXPECT_TRUE(plan.HasGoal(Ziel::Annealing));
    EXPECT_EQ(plan.Goals(), (GoalSet{Ziel::KlassenLuecken, Ziel::Annealing}));
    plan.SetGoals({}); // setting a stage's goals clears the others first
    EXPECT_FALSE(plan.HasGoal(Ziel::KlassenLuecken));
    EXPECT_TRUE(plan.Goals().Empty());
}

TEST(BuildLessonHours, UnitsCopiesAndRoomLists) {
    Stammdaten s = MakeSchool(5, 8, 2, 2, 2, 2);
    AddBlock(s, "L0", "K0", "F0", {3, 1});
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ASSERT_EQ(plan.StundenL.size(), 4u);
    // No special room and no class room: the shared universal list, not a copy.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(plan.StundenL[i]->BlockPos, i);
        EXPECT_EQ(plan.StundenL[i]->Laenge, 3);
        EXPECT_EQ(plan.StundenL[i]->RaumL, plan.UniversalRaumL());
        EXPECT_EQ(plan.StundenL[i]->ErsteStundeIdx, -1);
        EXPECT_EQ(plan.StundenL[i]->Index, i);
    }
    EXPECT_EQ(plan.StundenL[3]->BlockPos, -1);
    EXPECT_EQ(plan.LehrerSollL[0].WochenStunden, 4);
    EXPECT_EQ(plan.KlassenSollL[0].WochenStunden, 4);
    EXPECT_EQ(plan.KlassenSollL[1].WochenStunden, 0);
    // Building again counts anew.
    plan.BuildLessonHours();
    EXPECT_EQ(plan.LehrerSollL[0].WochenStunden, 4);
    EXPECT_EQ(plan.KlassenSollL[0].WochenStunden, 4);
    EXPECT_TRUE(rep.shown.empty());
}

TEST(BuildLessonHours, SpecialRoomsAreSharedByTheUnit) {
    Stammdaten s = MakeSchool(5, 8, 3, 1, 1, 2);
    s.Raeume[1].FachTyp = {0, 1, 0};
    s.Raeume[1].Faecher = {"F1"};
    s.Raeume[2].FachTyp = {0, 1, 0};
    s.Raeume[2].Faecher = {"F1"};
    AddBlock(s, "L0", "K0", "F1", {3});
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ASSERT_EQ(plan.StundenL.size(), 3u);
    EXPECT_EQ(*plan.StundenL[0]->RaumL, (IntList{1, 2}));
    EXPECT_EQ(plan.StundenL[1]->RaumL, plan.StundenL[0]->RaumL);
    EXPECT_EQ(plan.StundenL[2]->RaumL, plan.StundenL[0]->RaumL);
    EXPECT_EQ(plan.StundenL[1]->ErsteStundeIdx, 0);
    EXPECT_EQ(plan.StundenL[2]->ErsteStundeIdx, 0);
    // A room appended later is seen by every hour of the unit.
    plan.StundenL[0]->RaumL->push_back(0);
    EXPECT_EQ(plan.StundenL[2]->RoomCount(), 3);
}

TEST(BuildLessonHours, OwnClassRoomFixesTheRoom) {
    Stammdaten s = MakeSchool(5, 8, 2, 1, 2, 1);
    s.Raeume[1].KlassenTyp = {0, 0, 1};
    s.Raeume[1].Klasse = "K0";
    CFachBlock& b = AddBlock(s, "L0", "K0", "F0", {1, 1});
    b.Einheiten[1].Zeitvorgabe = SlotOf(1, 1);
    AddBlock(s, "L0", "K1", "F0", {1});
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ASSERT_EQ(plan.StundenL.size(), 3u);
    EXPECT_EQ(plan.StundenL[0]->Modus, Modus::RaumFest);
    EXPECT_EQ(*plan.StundenL[0]->RaumL, IntList{1});
    EXPECT_EQ(plan.StundenL[1]->Modus, Modus::ZeitUndRaumFest); // fixed time stays fixed
    EXPECT_EQ(plan.StundenL[1]->Zeit, 14);
    // Another class never gets K0's reserved room.
    EXPECT_EQ(plan.StundenL[2]->RaumL, plan.UniversalRaumL());
    EXPECT_EQ(plan.StundenL[2]->Modus, Modus::Frei);
}

TEST(BuildLessonHours, PresetsGiveTheModes) {
    Stammdaten s = MakeSchool(5, 8, 2, 1, 1, 1);
    CFachBlock& b = AddBlock(s, "L0", "K0", "F0", {1, 1, 1, 1, 1});
    b.Einheiten[0].Zeitvorgabe = 3;
    b.Einheiten[0].Raum = "R1";
    b.Einheiten[1].Zeitvorgabe = 3;
    b.Einheiten[1].Raum = "R1";
    b.Einheiten[1].OberesLimit = 1;
    b.Einheiten[2].Zeitvorgabe = 4;
    b.Einheiten[3].Zeitvorgabe = 4;
    b.Einheiten[3].UnteresLimit = 1;
    b.Einheiten[4].Raum = "R0";
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ASSERT_EQ(plan.StundenL.size(), 5u);
    EXPECT_EQ(plan.StundenL[0]->Modus, Modus::ZeitUndRaumFest);
    EXPECT_EQ(plan.StundenL[1]->Modus, Modus::RaumFest);
    EXPECT_EQ(plan.StundenL[1]->Zeit, 3);
    EXPECT_EQ(plan.StundenL[2]->Modus, Modus::ZeitFest);
    EXPECT_EQ(plan.StundenL[3]->Modus, Modus::Frei);
    EXPECT_EQ(plan.StundenL[3]->Zeit, 4);
    EXPECT_EQ(plan.StundenL[4]->Modus, Modus::RaumFest);
    EXPECT_EQ(*plan.StundenL[4]->RaumL, IntList{0});
}

TEST(BuildLessonHours, UnknownNamesAreReportedAndNeverUsedAsIndex) {
    Stammdaten s = MakeSchool(5, 8, 1, 1, 1, 1);
    CFachBlock& b = AddBlock(s, "L0", "K0", "F0", {1});
    b.Einheiten[0].Raum = "Aula";
    AddBlock(s, "Niemand", "K0", "F0", {2});
    AddBlock(s, "L0", "K9", "F0", {2});
    AddCourse(s, "Kurs", {"L0", "Fremd"}, {"K0"}, {1});
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ASSERT_EQ(rep.shown.size(), 4u);
    EXPECT_EQ(rep.shown[0], (Message{"Raum Aula ex. nicht!", "Bösartiger Fehler"}));
    EXPECT_EQ(rep.shown[1].Text, "Lehrer Niemand ex. nicht!");
    EXPECT_EQ(rep.shown[2].Text, "Klasse K9 ex. nicht!");
    EXPECT_EQ(rep.shown[3].Text, "Lehrer Fremd ex. nicht!");
    // The hour with the unknown room is placeable like an hour without room.
    ASSERT_EQ(plan.StundenL.size(), 1u);
    EXPECT_EQ(plan.StundenL[0]->Modus, Modus::Frei);
    EXPECT_EQ(plan.StundenL[0]->RaumL, plan.UniversalRaumL());
}

TEST(BuildLessonHours, CourseHoursShareTheirLists) {
    Stammdaten s = MakeSchool(5, 8, 3, 2, 2, 1);
    AddCourse(s, "Reli", {"L0", "L1"}, {"K0", "K1"}, {2});
    AddCourse(s, "Leer", {"L0"}, {}, {1});
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ASSERT_EQ(plan.StundenL.size(), 4u);
    const auto& h = plan.StundenL;
    EXPECT_EQ(h[0]->ParallelL, h[2]->ParallelL);
    EXPECT_EQ(h[1]->ParallelL, h[3]->ParallelL);
    EXPECT_NE(h[0]->ParallelL, h[1]->ParallelL);
    EXPECT_EQ(*h[0]->ParallelL, (std::vector<CStunde*>{h[0].get(), h[2].get()}));
    for (const auto& x : h) {
        EXPECT_EQ(x->KlassenL, h[0]->KlassenL);
        EXPECT_TRUE(x->IsCourse());
        EXPECT_EQ(x->FachKurs, 0);
    }
    EXPECT_EQ(*h[0]->KlassenL, (IntList{0, 1}));
    EXPECT_EQ(h[1]->BlockPos, 1);
    // The course without classes yields nothing and counts nothing.
    EXPECT_EQ(plan.KlassenSollL[0].WochenStunden, 2);
    EXPECT_EQ(plan.LehrerSollL[0].WochenStunden, 2);
    EXPECT_EQ(plan.LehrerSollL[1].WochenStunden, 2);
}

TEST(BuildLessonHours, CourseOpensReservedRoomsOfItsClasses) {
    Stammdaten s = MakeSchool(5, 8, 3, 1, 2, 1);
    s.Raeume[2].KlassenTyp = {0, 0, 1};
    s.Raeume[2].Klasse = "K1";
    s.Raeume[2].KlassenKursFreigabe = 1;
    AddCourse(s, "Kurs", {"L0"}, {"K1"}, {1});
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ASSERT_EQ(plan.StundenL.size(), 1u);
    EXPECT_EQ(*plan.StundenL[0]->RaumL, (IntList{0, 1, 2}));
    EXPECT_NE(plan.StundenL[0]->RaumL, plan.UniversalRaumL());
    EXPECT_EQ(*plan.UniversalRaumL(), (IntList{0, 1}));
}

TEST(PlanGrid, PlaceLiftSwapKeepCountsAndPositions) {
    Stammdaten s = MakeSchool(5, 8, 2, 2, 2, 1);
    AddBlock(s, "L0", "K0", "F0", {1});
    AddCourse(s, "Kurs", {"L1"}, {"K0", "K1"}, {1});
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    CStunde& a = *plan.StundenL[0];
    CStunde& c = *plan.StundenL[1];
    plan.Place(a, 0, 5);
    plan.Place(c, 1, 6);
    EXPECT_EQ(plan.PlacedCount(), 2);
    EXPECT_EQ(plan.RoomOf(a), 0);
    EXPECT_EQ(plan.SlotOfHour(c), 6);
    EXPECT_EQ(plan.ClassLessons(0, 5), 1);
    EXPECT_EQ(plan.ClassLessons(1, 6), 1);
    EXPECT_EQ(plan.CourseLessons(0, 6), 1);
    plan.Swap(0, 5, 1, 6);
    EXPECT_EQ(plan.HourAt(0, 5), &c);
    EXPECT_EQ(plan.SlotOfHour(a), 6);
    EXPECT_EQ(plan.TeacherLessons(0, 6), 1);
    EXPECT_EQ(plan.TeacherLessons(0, 5), 0);
    EXPECT_EQ(plan.ClassLessons(1, 5), 1);
    plan.Swap(0, 5, 0, 7); // a lesson with a free cell
    EXPECT_TRUE(plan.IsFree(0, 5));
    EXPECT_EQ(plan.ClassLessons(0, 7), 1);
    EXPECT_EQ(plan.Lift(0, 7), &c);
    EXPECT_EQ(plan.Lift(0, 7), nullptr);
    EXPECT_EQ(plan.PositionOf(c), -1);
    plan.PutMarker(0, 7);
    plan.PutMarker(0, 7);
    plan.PutMarker(1, 7);
    EXPECT_TRUE(plan.IsMarker(0, 7));
    EXPECT_TRUE(plan.IsFree(0, 7));
    EXPECT_EQ(plan.MarkerCount(), 2);
    plan.Place(c, 1, 7); // a lesson put into a marker's cell covers the marker
    EXPECT_EQ(plan.MarkerCount(), 1);
    plan.ClearPlacements();
    EXPECT_EQ(plan.PlacedCount(), 0);
    EXPECT_FALSE(plan.IsMarker(0, 7));
    EXPECT_EQ(plan.MarkerCount(), 0);
    for (int k = 0; k < 2; ++k)
        for (int sl = 0; sl < kSlotCount; ++sl)
            EXPECT_EQ(plan.ClassLessons(k, sl), 0);
}

// The lesson of a class, a teacher or a room at a slot: the first in room order, whether the
// class has one lesson there (the counts answer) or several (the rooms are scanned).
TEST(PlanLookups, TheLessonOfAClassTeacherOrRoom) {
    Stammdaten s = MakeSchool(5, 8, 3, 3, 3, 1);
    AddBlock(s, "L2", "K0", "F0", {1});                    // 0
    AddCourse(s, "Kurs", {"L0", "L1"}, {"K0", "K1"}, {1}); // 1 (L0), 2 (L1)
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    CStunde& fach = *plan.StundenL[0];
    CStunde& kursL0 = *plan.StundenL[1];
    CStunde& kursL1 = *plan.StundenL[2];
    EXPECT_TRUE(kursL0.Involves(0));
    EXPECT_TRUE(kursL0.Involves(1));
    EXPECT_FALSE(kursL0.Involves(2));
    EXPECT_TRUE(fach.Involves(0));
    EXPECT_FALSE(fach.Involves(1));
    EXPECT_FALSE(plan.Frei().Involves(-1)); // a placeholder's class -1 is no class

    const int s1 = SlotOf(1, 1);
    plan.Place(kursL0, 2, s1);
    plan.Place(kursL1, 1, s1);
    EXPECT_EQ(plan.LessonOfClass(1, s1), &kursL1); // room 1 before room 2
    EXPECT_EQ(plan.LessonOfClass(0, s1, [](const CStunde& h) { return h.Lehrer == 0; }), &kursL0);
    EXPECT_EQ(plan.LessonOfClass(0, s1, [](const CStunde& h) { return !h.IsCourse(); }), nullptr);
    EXPECT_EQ(plan.LessonOfClass(2, s1), nullptr);
    EXPECT_EQ(plan.LessonOfTeacher(0, s1), &kursL0);
    EXPECT_EQ(plan.LessonOfTeacher(2, s1), nullptr);
    EXPECT_EQ(plan.LessonInRoom(2, s1), &kursL0);
    EXPECT_EQ(plan.LessonInRoom(0, s1), nullptr);

    const int s2 = SlotOf(2, 3);
    plan.Place(fach, 0, s2);
    EXPECT_EQ(plan.LessonOfClass(0, s2), &fach);
    EXPECT_EQ(plan.LessonOfClass(0, s2, [](const CStunde& h) { return h.IsCourse(); }), nullptr);
    EXPECT_EQ(plan.LessonOfTeacher(2, s2), &fach);
    EXPECT_EQ(plan.LessonOfClass(3, s2), nullptr); // no such class
    EXPECT_EQ(plan.LessonOfClass(0, -1), nullptr); // no such slot
    EXPECT_EQ(plan.LessonOfTeacher(-1, s2), nullptr);
}

} // namespace
} // namespace sw
