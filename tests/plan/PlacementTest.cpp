// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Placement.h"
#include "plan/Evaluation.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;

using Fixture = test::PlanFixture;

TEST(CheckPlacement, LockedRoomReturnsThePlaceholder) {
    Fixture f;
    f.s = MakeSchool(5, 8, 2, 1, 1, 1);
    f.s.Raeume[1].Sperre[SlotOf(0, 3)] = 1;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    const CStunde* x = CheckPlacement(*f.plan, f.H(0), SlotOf(0, 3), 1);
    EXPECT_EQ(x, &f.plan->Frei());
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktSperrung);
    EXPECT_EQ(f.plan->KonfliktRaum, 1);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(0), SlotOf(0, 3), 0), nullptr);
    EXPECT_EQ(f.plan->KonfliktArt, -1);
    EXPECT_EQ(f.plan->KonfliktRaum, -1);
}

TEST(CheckPlacement, FixedUnitOnlyAtItsOwnSlots) {
    Fixture f;
    f.s = MakeSchool(5, 8, 1, 1, 1, 1);
    CFachBlock& b = AddBlock(f.s, "L0", "K0", "F0", {3});
    b.Einheiten[0].Zeitvorgabe = 14;
    f.Build();
    f.plan->MehrfachUeberStundenLimit = 1; // a class of 3 hours has StundenLimit 1
    CStunde& third = f.H(2);
    ASSERT_EQ(third.BlockPos, 2);
    for (int slot = 0; slot < 5 * 13; ++slot) {
        const CStunde* x = CheckPlacement(*f.plan, third, slot, 0);
        if (slot == 16) {
            EXPECT_EQ(x, nullptr);
        } else {
            EXPECT_EQ(x, &third) << slot;
            EXPECT_EQ(f.plan->KonfliktArt, kKonfliktZeit);
            EXPECT_EQ(f.plan->KonfliktStunde, &third);
        }
    }
}

TEST(CheckPlacement, HourBoundsAndDayLimit) {
    Fixture f;
    f.s = MakeSchool(5, 8, 1, 1, 1, 1);
    CFachBlock& b = AddBlock(f.s, "L0", "K0", "F0", {1, 1, 1});
    b.Einheiten[0].Zeitvorgabe = SlotOf(0, 4);
    b.Einheiten[0].OberesLimit = 1;
    b.Einheiten[1].Zeitvorgabe = SlotOf(3, 4);
    b.Einheiten[1].UnteresLimit = 1;
    b.Einheiten[2].TagesLimit = 1;
    b.Einheiten[2].Tag = 2;
    f.Build();
    for (int hour = 1; hour <= 4; ++hour) // hour 0 is not in use: outside the week
        EXPECT_EQ(CheckPlacement(*f.plan, f.H(0), SlotOf(2, hour), 0), nullptr) << hour;
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(0), SlotOf(2, 5), 0), &f.H(0));
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktLimit);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(1), SlotOf(1, 4), 0), nullptr);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(1), SlotOf(2, 1), 0), &f.H(1));
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktLimit);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(2), SlotOf(2, 7), 0), nullptr);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(2), SlotOf(1, 7), 0), &f.H(2));
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktLimit);
}

TEST(CheckPlacement, TeacherAndClassLocks) {
    Fixture f;
    f.s = MakeSchool(5, 8, 1, 1, 2, 1);
    f.s.Lehrer[0].Sperre[SlotOf(0, 1)] = 1;
    f.s.Klassen[1].Sperre[SlotOf(1, 1)] = 1;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    AddCourse(f.s, "Kurs", {"L0"}, {"K0", "K1"}, {1});
    f.Build();
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(0), SlotOf(0, 1), 0), &f.H(0));
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktSperrung);
    EXPECT_EQ(f.plan->KonfliktLehrer, 0);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(1), SlotOf(1, 1), 0), &f.H(1));
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktSperrung);
    EXPECT_EQ(f.plan->KonfliktKlasse, 1);
}

// A class of 27 hours over 5 days has StundenLimit 6.
Fixture LimitSchool() {
    Fixture f;
    f.s = MakeSchool(5, 8, 3, 3, 1, 1);
    AddBlock(f.s, "L0", "K0", "F0", {1, 2});
    AddCourse(f.s, "Kurs", {"L1"}, {"K0"}, {1, 2});
    AddBlock(f.s, "L2", "K0", "F0", std::vector<int>(21, 1));
    f.Build();
    return f;
}

TEST(CheckPlacement, HourLimitOfTheClass) {
    Fixture f = LimitSchool();
    ASSERT_EQ(f.s.Klassen[0].WochenStunden, 27);
    ASSERT_EQ(f.s.Klassen[0].StundenLimit, 6);
    const int late = SlotOf(0, 7);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(0), late, 0), nullptr); // single hour may lie late
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(2), late, 0), &f.H(2)); // 2nd hour of a double
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktZeit);
    EXPECT_EQ(f.plan->KonfliktKlasse, 0);
    f.plan->MehrfachUeberStundenLimit = 1;
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(2), late, 0), nullptr);
    // Course hours (after the 24 subject hours): single hour and hour of a unit each have
    // their own option.
    CStunde& single = f.H(24);
    CStunde& second = f.H(26);
    ASSERT_TRUE(single.IsCourse());
    ASSERT_EQ(second.BlockPos, 1);
    EXPECT_EQ(CheckPlacement(*f.plan, single, late, 0), &single);
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktZeit);
    EXPECT_EQ(CheckPlacement(*f.plan, second, late, 0), &second);
    f.plan->KursUeberStundenLimit = 1;
    EXPECT_EQ(CheckPlacement(*f.plan, single, late, 0), nullptr);
    EXPECT_EQ(CheckPlacement(*f.plan, second, late, 0), &second);
    f.plan->MehrfachKursUeberStundenLimit = 1;
    EXPECT_EQ(CheckPlacement(*f.plan, second, late, 0), nullptr);
}

TEST(CheckPlacement, ClashesAndParallelCourseHours) {
    Fixture f;
    f.s = MakeSchool(5, 8, 4, 4, 3, 1);
    AddCourse(f.s, "Reli", {"L0", "L1"}, {"K0", "K1"}, {1}); // hours 0, 1
    AddCourse(f.s, "Sport", {"L2"}, {"K1", "K2"}, {1});      // hour 2
    AddBlock(f.s, "L3", "K0", "F0", {1, 1});                 // hours 3, 4
    AddBlock(f.s, "L0", "K2", "F0", {1});                    // hour 5
    f.Build();
    // The subject hours come first in StundenL.
    CStunde& k0a = f.H(0);
    CStunde& k0b = f.H(1);
    CStunde& l0k2 = f.H(2);
    CStunde& reli0 = f.H(3);
    CStunde& reli1 = f.H(4);
    CStunde& sport = f.H(5);
    ASSERT_TRUE(reli0.IsCourse());
    const int s = SlotOf(1, 1);
    f.plan->Place(reli0, 0, s);
    EXPECT_EQ(CheckPlacement(*f.plan, reli1, s, 1), nullptr); // parallel hour, other room
    EXPECT_EQ(CheckPlacement(*f.plan, reli0, s, 0), &reli0);  // its own cell: occupied
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktRaum);
    EXPECT_EQ(f.plan->KonfliktRaum, 0);
    EXPECT_EQ(CheckPlacement(*f.plan, sport, s, 2), &reli0); // shares K1
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktKlasse);
    EXPECT_EQ(f.plan->KonfliktKlasse, 1);
    EXPECT_EQ(CheckPlacement(*f.plan, k0a, s, 2), &reli0); // subject hour of K0
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktKlasse);
    EXPECT_EQ(f.plan->KonfliktKlasse, 0);
    EXPECT_EQ(CheckPlacement(*f.plan, l0k2, s, 2), &reli0); // L0 teaches Reli at s
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktLehrer);
    EXPECT_EQ(f.plan->KonfliktLehrer, 0);
    EXPECT_EQ(f.plan->KonfliktStunde, &reli0);
    f.plan->Place(k0a, 3, SlotOf(2, 1));
    EXPECT_EQ(CheckPlacement(*f.plan, k0b, SlotOf(2, 1), 2), &k0a);
    EXPECT_EQ(f.plan->KonfliktArt, kKonfliktKlasse);
    // The hour itself at its own slot in another room is no clash.
    EXPECT_EQ(CheckPlacement(*f.plan, k0a, SlotOf(2, 1), 2), nullptr);
}

// No lesson stands outside the week in use: a day past Tage, an hour past Stunden, or the 0th
// hour when it is not in use. Such a slot is refused before anything else, as a time conflict.
TEST(CheckPlacement, SlotsOutsideTheWeekAreRefused) {
    Fixture f;
    f.s = MakeSchool(5, 6, 1, 1, 1, 1);
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    CPlan& plan = *f.plan;
    plan.MehrfachUeberStundenLimit = plan.KursUeberStundenLimit = 1;
    int accepted = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const CStunde* x = CheckPlacement(plan, f.H(0), slot, 0);
        const bool inWeek = DayOf(slot) < 5 && HourOf(slot) >= 1 && HourOf(slot) <= 6;
        EXPECT_EQ(plan.InWeek(slot), inWeek) << slot;
        if (inWeek) {
            accepted += x == nullptr;
            continue;
        }
        EXPECT_EQ(x, &f.H(0)) << slot;
        EXPECT_EQ(plan.KonfliktArt, kKonfliktZeit);
        EXPECT_EQ(plan.KonfliktStunde, &f.H(0));
    }
    EXPECT_EQ(accepted, 30);

    // With the 0th hour in use, hour 0 belongs to the week.
    Fixture g;
    g.s = MakeSchool(5, 6, 1, 1, 1, 1);
    g.s.Angaben.Nullte = true;
    AddBlock(g.s, "L0", "K0", "F0", {1});
    g.Build();
    g.plan->MehrfachUeberStundenLimit = g.plan->KursUeberStundenLimit = 1;
    EXPECT_TRUE(g.plan->InWeek(SlotOf(4, 0)));
    EXPECT_FALSE(g.plan->InWeek(SlotOf(5, 0)));
    EXPECT_EQ(CheckPlacement(*g.plan, g.H(0), SlotOf(4, 0), 0), nullptr);
}

// The check written as a plain scan of every room, without occupancy counts. The optimised check
// must give the same answer and the same report for every hour, slot and room.
const CStunde* ReferenceCheck(CPlan& plan, const CStunde& h, int s, int r) {
    plan.KonfliktRaum = plan.KonfliktKlasse = plan.KonfliktLehrer = plan.KonfliktArt = -1;
    auto refuse = [&](const CStunde* x, int kind) {
        plan.KonfliktArt = kind;
        return x;
    };
    const bool inWeek =
        DayOf(s) < plan.Tage && HourOf(s) <= plan.Stunden && (HourOf(s) >= 1 || plan.Nullte);
    if (!inWeek) {
        plan.KonfliktStunde = &h;
        return refuse(&h, 5);
    }
    const CStunde& x = plan.At(r, s);
    if (x.IsLesson()) {
        plan.KonfliktStunde = &x;
        plan.KonfliktRaum = r;
        return refuse(&x, 0);
    }
    if (const CStunde* y = rules::RoomLocked(plan, s, r)) return y;
    if (const CStunde* y = rules::FixedTime(plan, h, s)) return y;
    if (const CStunde* y = rules::HourBound(plan, h, s)) return y;
    if (const CStunde* y = rules::DayLimit(plan, h, s)) return y;
    if (const CStunde* y = rules::TeacherLocked(plan, h, s)) return y;
    auto has = [](const IntList& l, int k) { return std::find(l.begin(), l.end(), k) != l.end(); };
    if (!h.IsCourse()) {
        const int k = h.Klasse;
        if (plan.KlasseAt(k).Sperre[s]) {
            plan.KonfliktKlasse = k;
            return refuse(&h, 4);
        }
        if (HourOf(s) > plan.KlasseAt(k).StundenLimit && h.BlockPos >= 0 &&
            !plan.MehrfachUeberStundenLimit) {
            plan.KonfliktKlasse = k;
            return refuse(&h, 5);
        }
        for (int i = 0; i < plan.RaumAnzahl; ++i) {
            const CStunde& y = plan.At(i, s);
            if (!y.IsLesson() || &y == &h) continue;
            if (y.IsCourse()) {
                for (int c : *y.KlassenL) {
                    if (c == k) {
                        plan.KonfliktKlasse = k;
                        plan.KonfliktStunde = &y;
                        return refuse(&y, 1);
                    }
                    if (y.Lehrer == h.Lehrer) {
                        plan.KonfliktLehrer = h.Lehrer;
                        plan.KonfliktStunde = &y;
                        return refuse(&y, 2);
                    }
                }
            } else if (y.Klasse == k || y.Lehrer == h.Lehrer) {
                (y.Klasse == k ? plan.KonfliktKlasse : plan.KonfliktLehrer) =
                    y.Klasse == k ? k : h.Lehrer;
                plan.KonfliktStunde = &y;
                return refuse(&y, y.Klasse == k ? 1 : 2);
            }
        }
        return nullptr;
    }
    for (int c : *h.KlassenL) {
        if (plan.KlasseAt(c).Sperre[s]) {
            plan.KonfliktKlasse = c;
            return refuse(&h, 4);
        }
        const bool allowed =
            h.BlockPos < 0 ? plan.KursUeberStundenLimit : plan.MehrfachKursUeberStundenLimit;
        if (HourOf(s) > plan.KlasseAt(c).StundenLimit && !allowed) {
            plan.KonfliktKlasse = c;
            return refuse(&h, 5);
        }
    }
    for (int i = 0; i < plan.RaumAnzahl; ++i) {
        const CStunde& y = plan.At(i, s);
        if (!y.IsLesson() || &y == &h) continue;
        if (y.Lehrer == h.Lehrer) {
            plan.KonfliktStunde = &y;
            plan.KonfliktLehrer = h.Lehrer;
            return refuse(&y, 2);
        }
        for (int c : *h.KlassenL) {
            if ((!y.IsCourse() && y.Klasse == c) ||
                (y.IsCourse() && y.FachKurs != h.FachKurs && has(*y.KlassenL, c))) {
                plan.KonfliktStunde = &y;
                plan.KonfliktKlasse = c;
                return refuse(&y, 1);
            }
        }
    }
    return nullptr;
}

TEST(CheckPlacement, CountsGiveTheSameAnswersAsAFullScan) {
    Fixture f;
    f.s = MakeSchool(5, 6, 5, 6, 4, 2);
    f.s.Lehrer[2].Sperre[SlotOf(1, 1)] = 1;
    f.s.Klassen[3].Sperre[SlotOf(2, 2)] = 1;
    f.s.Raeume[4].Sperre[SlotOf(0, 3)] = 1;
    AddCourse(f.s, "A", {"L0", "L1"}, {"K0", "K1"}, {1, 2});
    AddCourse(f.s, "B", {"L2"}, {"K1", "K2"}, {1});
    for (int k = 0; k < 4; ++k)
        for (int t = 0; t < 6; t += 2) {
            AddBlock(f.s, "L" + std::to_string((t + k) % 6), "K" + std::to_string(k), "F0", {1, 2});
        }
    f.Build();
    Random rng(99);
    CPlan& plan = *f.plan;
    // Late hours pass the class limit, so that most checks reach the clash scan.
    plan.MehrfachUeberStundenLimit = plan.KursUeberStundenLimit = 1;
    plan.MehrfachKursUeberStundenLimit = 1;
    int refusedByClash = 0;
    const int n = static_cast<int>(plan.StundenL.size());
    for (int round = 0; round < 4000; ++round) {
        // Shuffle some hours around without any check, so that clashes of every kind arise.
        CStunde& mover = *plan.StundenL[rng.Below(n)];
        const int room = rng.Below(plan.RaumAnzahl);
        const int slot = SlotOf(rng.Below(5), rng.Below(7));
        if (plan.PositionOf(mover) >= 0) {
            plan.Lift(plan.RoomOf(mover), plan.SlotOfHour(mover));
        } else if (plan.IsFree(room, slot)) {
            plan.Place(mover, room, slot);
        }
        const CStunde& h = *plan.StundenL[rng.Below(n)];
        const int r = rng.Below(plan.RaumAnzahl);
        const int s = SlotOf(rng.Below(5), rng.Below(7));
        const CStunde* fast = CheckPlacement(plan, h, s, r);
        const int kind = plan.KonfliktArt, kr = plan.KonfliktRaum, kk = plan.KonfliktKlasse,
                  kl = plan.KonfliktLehrer;
        const CStunde* ks = plan.KonfliktStunde;
        const CStunde* slow = ReferenceCheck(plan, h, s, r);
        ASSERT_EQ(fast, slow) << "round " << round;
        ASSERT_EQ(kind, plan.KonfliktArt);
        ASSERT_EQ(kr, plan.KonfliktRaum);
        ASSERT_EQ(kk, plan.KonfliktKlasse);
        ASSERT_EQ(kl, plan.KonfliktLehrer);
        if (fast) {
            ASSERT_EQ(ks, plan.KonfliktStunde);
        }
        if (kind == kKonfliktKlasse || kind == kKonfliktLehrer) ++refusedByClash;
    }
    EXPECT_GT(refusedByClash, 200);
}

} // namespace
} // namespace sw
