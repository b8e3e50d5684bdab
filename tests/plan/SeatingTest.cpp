// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Seating.h"
#include "plan/Placement.h"
#include "plan/PlanWriter.h"
#include "support/School.h"

#include <gtest/gtest.h>

#include <set>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;

// Four universal rooms; 0 L0 K0, 1 L1 K1, 2 L2 K1, 3 L0 K0 double lesson, 4/5 course of L1 and
// L2 for K0 (parallel hours).
test::PlanFixture SeatingSchool() {
    test::PlanFixture f;
    f.s = MakeSchool(5, 6, 4, 3, 2, 1);
    AddBlock(f.s, "L0", "K0", "F0", {1});
    AddBlock(f.s, "L1", "K1", "F0", {1});
    AddBlock(f.s, "L2", "K1", "F0", {1});
    AddBlock(f.s, "L0", "K0", "F0", {2});
    AddCourse(f.s, "Kurs", {"L1", "L2"}, {"K0"}, {1});
    f.Build();
    PlanWriter::Flags(*f.plan).MehrfachUeberStundenLimit = 1;
    return f;
}

// The rooms a reference generator seeded like the plan's draws, one per call.
struct Draws {
    Random rng;
    const CStunde& h;
    int Next() { return (*h.RaumL)[rng.InRange(0, h.RoomCount() - 1)]; }
};

TEST(Seating, FirstFitTakesTheFirstFreeRoomInItsOrder) {
    test::PlanFixture f = SeatingSchool();
    Seating seating(*f.plan, f.rng);
    const int s = SlotOf(1, 2);
    f.Put(1, 0, 1, 2); // L1 K1 in room 0
    const std::uint64_t state = f.rng.State();
    EXPECT_EQ(seating.FirstFit(f.H(0), s), 1);
    const std::vector<int> taken = {1, 2};
    EXPECT_EQ(seating.FirstFit(f.H(0), s, &taken), 3);
    EXPECT_EQ(f.rng.State(), state);            // first fit draws nothing
    EXPECT_EQ(seating.FirstFit(f.H(2), s), -1); // K1 is busy in every room
    EXPECT_EQ(seating.LastChecked(), &f.H(2));
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Klasse);
}

// One budget of draws: a taken room is drawn again and the redraw counts; the generator stands
// exactly where the draws the move made leave it.
TEST(Seating, DrawsShareOneBudget) {
    test::PlanFixture f = SeatingSchool();
    Seating seating(*f.plan, f.rng);
    const int s = SlotOf(2, 1);
    const std::vector<int> taken = {0, 1, 2};
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        f.rng.Seed(seed);
        Draws ref{Random(seed), f.H(0)};
        int expected = -1;
        for (int used = 0; used < 3 && expected < 0;) {
            const int r = ref.Next();
            ++used;
            if (r == 3) expected = 3;
        }
        EXPECT_EQ(seating.Draw(f.H(0), s, 3, &taken), expected) << seed;
        EXPECT_EQ(f.rng.State(), ref.rng.State()) << seed;
    }
}

// Tries: each try redraws a taken room up to its own limit, then asks the check once.
TEST(Seating, EachTryRedrawsOnItsOwn) {
    test::PlanFixture f = SeatingSchool();
    Seating seating(*f.plan, f.rng);
    const int s = SlotOf(2, 1);
    f.Put(1, 3, 2, 1); // room 3 is occupied: a room found free of the taken ones still fails
    const std::vector<int> taken = {0, 1};
    int found = 0;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        f.rng.Seed(seed);
        Draws ref{Random(seed), f.H(0)};
        int expected = -1;
        for (int t = 0; t < 2 && expected < 0; ++t) {
            int room = -1;
            for (int d = 0; d < 3 && room < 0; ++d) {
                const int r = ref.Next();
                if (r != 0 && r != 1) room = r;
            }
            if (room == 2) expected = 2;
        }
        const int got = seating.Try(f.H(0), s, 2, 3, &taken);
        EXPECT_EQ(got, expected) << seed;
        EXPECT_EQ(f.rng.State(), ref.rng.State()) << seed;
        found += got == 2;
    }
    EXPECT_GT(found, 5);
    EXPECT_LT(found, 40);
}

// Tries that all fail leave the conflict report exactly as asking the check room by room
// would: the last room's refusal, with the hour the rooms before named where it names none (an
// occupied room names its occupant, a locked room nobody, a free one the lesson in the way).
TEST(Seating, FailedTriesReportAsTheCheckRoomByRoom) {
    test::PlanFixture f = SeatingSchool();
    Seating seating(*f.plan, f.rng);
    const int s = SlotOf(3, 2);
    f.Put(1, 0, 3, 2);                                     // room 0 holds L1 K1
    f.s.Raeume[1].Sperre[static_cast<std::size_t>(s)] = 1; // room 1 is locked
    f.Put(4, 3, 3, 2);                                     // K0's course stands in room 3
    const ConflictReport before{&f.H(2), 2, 1, 1, Konflikt::Lehrer, -1};
    std::set<Konflikt> kinds;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        f.rng.Seed(seed);
        f.plan->ReportConflict(before);
        Draws ref{Random(seed), f.H(0)};
        for (int t = 0; t < 3; ++t)
            EXPECT_NE(CheckPlacement(*f.plan, f.H(0), s, ref.Next()), nullptr);
        const ConflictReport expected = f.plan->Conflict();
        kinds.insert(expected.KonfliktArt);
        f.plan->ReportConflict(before);
        EXPECT_EQ(seating.Try(f.H(0), s, 3, 1), -1) << seed;
        EXPECT_TRUE(f.plan->Conflict() == expected) << seed;
        EXPECT_EQ(f.rng.State(), ref.rng.State()) << seed;
    }
    EXPECT_EQ(kinds.size(), 3u); // the last room was occupied, locked and free among the seeds
}

TEST(Seating, AUnitFitsInOneRoomWithinTheDay) {
    test::PlanFixture f = SeatingSchool();
    Seating seating(*f.plan, f.rng);
    CStunde& first = f.H(3);
    ASSERT_EQ(first.BlockPos, 0);
    EXPECT_TRUE(seating.UnitFits(first, SlotOf(0, 5), 0));  // hours 5 and 6 of 6
    EXPECT_FALSE(seating.UnitFits(first, SlotOf(0, 6), 0)); // hour 7 lies outside the week
    EXPECT_EQ(seating.LastChecked(), &f.H(4));
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Zeit);
    EXPECT_FALSE(seating.UnitFits(first, SlotOf(0, 12), 0)); // would cross the end of the day
    EXPECT_EQ(seating.LastChecked(), &first);
    EXPECT_EQ(f.plan->Conflict().KonfliktStunde, &first);
    EXPECT_FALSE(seating.UnitFits(first, SlotOf(0, 1), 4)); // no such room
    f.Put(1, 0, 0, 2);
    EXPECT_TRUE(seating.UnitFits(first, SlotOf(0, 1), 1));
    EXPECT_FALSE(seating.UnitFits(first, SlotOf(0, 1), 0)); // its second hour's cell is held
    f.rng.Seed(9);
    const int room = seating.TryUnit(first, SlotOf(0, 1), 12);
    EXPECT_GE(room, 1);
    EXPECT_EQ(seating.TryUnit(first, SlotOf(0, 6), 12), -1);
}

// A group takes a room of its own for each hour; the first hour that finds none ends the group
// without further draws.
TEST(Seating, AGroupSitsInRoomsOfItsOwn) {
    test::PlanFixture f = SeatingSchool();
    Seating seating(*f.plan, f.rng);
    CStunde& kurs = f.H(5);
    ASSERT_TRUE(kurs.IsCourse());
    ASSERT_EQ(kurs.ParallelL->size(), 2u);
    const int s = SlotOf(3, 1);
    std::vector<int> rooms = {7, 7, 7};
    ASSERT_TRUE(seating.SeatGroup(*kurs.ParallelL, s, RoomRule::FirstFit(), rooms));
    EXPECT_EQ(rooms, (std::vector<int>{0, 1}));
    for (RoomRule rule : {RoomRule::Draws(3), RoomRule::Tries(3, 10)}) {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            f.rng.Seed(seed);
            ASSERT_TRUE(seating.SeatGroup(*kurs.ParallelL, s, rule, rooms));
            ASSERT_EQ(rooms.size(), 2u);
            EXPECT_NE(rooms[0], rooms[1]);
        }
    }
    // The class K0 is busy at the slot: the first parallel hour finds no room.
    f.Put(0, 3, 3, 1);
    f.rng.Seed(3);
    EXPECT_FALSE(seating.SeatGroup(*kurs.ParallelL, s, RoomRule::Draws(3), rooms));
    EXPECT_EQ(seating.LastChecked(), (*kurs.ParallelL)[0]);
    Random ref(3);
    for (int i = 0; i < 3 * 4; ++i) // the first hour's budget, nothing for the second
        ref.Next();
    EXPECT_EQ(f.rng.State(), ref.State());
}

} // namespace
} // namespace sw
