// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Placement.h"
#include "plan/Evaluation.h"
#include "plan/PlanWriter.h"
#include "support/School.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;

using PlacementFixture = test::PlanFixture;

TEST(CheckPlacement, LockedRoomReturnsThePlaceholder) {
    PlacementFixture f;
    f.s = MakeSchool(5, 8, 2, 1, 1, 1);
    f.s.Raeume[1].Sperre[SlotOf(0, 3)] = 1;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    const CStunde* x = CheckPlacement(*f.plan, f.H(0), SlotOf(0, 3), 1);
    EXPECT_EQ(x, &f.plan->Frei());
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Sperrung);
    EXPECT_EQ(f.plan->Conflict().KonfliktRaum, 1);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(0), SlotOf(0, 3), 0), nullptr);
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Keiner);
    EXPECT_EQ(f.plan->Conflict().KonfliktRaum, -1);
}

TEST(CheckPlacement, FixedUnitOnlyAtItsOwnSlots) {
    PlacementFixture f;
    f.s = MakeSchool(5, 8, 1, 1, 1, 1);
    CFachBlock& b = AddBlock(f.s, "L0", "K0", "F0", {3});
    b.Einheiten[0].Zeitvorgabe = 14;
    f.Build();
    PlanWriter::Flags(*f.plan).MehrfachUeberStundenLimit =
        1; // a class of 3 hours has StundenLimit 1
    CStunde& third = f.H(2);
    ASSERT_EQ(third.BlockPos, 2);
    for (int slot = 0; slot < 5 * 13; ++slot) {
        const CStunde* x = CheckPlacement(*f.plan, third, slot, 0);
        if (slot == 16) {
            EXPECT_EQ(x, nullptr);
        } else {
            EXPECT_EQ(x, &third) << slot;
            EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Zeit);
            EXPECT_EQ(f.plan->Conflict().KonfliktStunde, &third);
        }
    }
}

TEST(CheckPlacement, HourBoundsAndDayLimit) {
    PlacementFixture f;
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
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Limit);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(1), SlotOf(1, 4), 0), nullptr);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(1), SlotOf(2, 1), 0), &f.H(1));
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Limit);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(2), SlotOf(2, 7), 0), nullptr);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(2), SlotOf(1, 7), 0), &f.H(2));
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Limit);
}

TEST(CheckPlacement, TeacherAndClassLocks) {
    PlacementFixture f;
    f.s = MakeSchool(5, 8, 1, 1, 2, 1);
    f.s.Lehrer[0].Sperre[SlotOf(0, 1)] = 1;
    f.s.Klassen[1].Sperre[SlotOf(1, 1)] = 1;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    AddCourse(f.s, "Kurs", {"L0"}, {"K0", "K1"}, {1});
    f.Build();
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(0), SlotOf(0, 1), 0), &f.H(0));
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Sperrung);
    EXPECT_EQ(f.plan->Conflict().KonfliktLehrer, 0);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(1), SlotOf(1, 1), 0), &f.H(1));
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Sperrung);
    EXPECT_EQ(f.plan->Conflict().KonfliktKlasse, 1);
}

// A class of 27 hours over 5 days has StundenLimit 6, whatever limit its master data carries from
// an older plan.
PlacementFixture LimitSchool() {
    PlacementFixture f;
    f.s = MakeSchool(5, 8, 3, 3, 1, 1);
    f.s.Klassen[0].LetztesSoll.StundenLimit = 8;
    AddBlock(f.s, "L0", "K0", "F0", {1, 2});
    AddCourse(f.s, "Kurs", {"L1"}, {"K0"}, {1, 2});
    AddBlock(f.s, "L2", "K0", "F0", std::vector<int>(21, 1));
    f.Build();
    return f;
}

TEST(CheckPlacement, HourLimitOfTheClass) {
    PlacementFixture f = LimitSchool();
    ASSERT_EQ(f.plan->KlassenSollL[0].WochenStunden, 27);
    ASSERT_EQ(f.plan->KlassenSollL[0].StundenLimit, 6);
    const int late = SlotOf(0, 7);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(0), late, 0), nullptr); // single hour may lie late
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(2), late, 0), &f.H(2)); // 2nd hour of a double
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Zeit);
    EXPECT_EQ(f.plan->Conflict().KonfliktKlasse, 0);
    PlanWriter::Flags(*f.plan).MehrfachUeberStundenLimit = 1;
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(2), late, 0), nullptr);
    // Course hours (after the 24 subject hours): single hour and hour of a unit each have
    // their own option.
    CStunde& single = f.H(24);
    CStunde& second = f.H(26);
    ASSERT_TRUE(single.IsCourse());
    ASSERT_EQ(second.BlockPos, 1);
    EXPECT_EQ(CheckPlacement(*f.plan, single, late, 0), &single);
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Zeit);
    EXPECT_EQ(CheckPlacement(*f.plan, second, late, 0), &second);
    PlanWriter::Flags(*f.plan).KursUeberStundenLimit = 1;
    EXPECT_EQ(CheckPlacement(*f.plan, single, late, 0), nullptr);
    EXPECT_EQ(CheckPlacement(*f.plan, second, late, 0), &second);
    PlanWriter::Flags(*f.plan).MehrfachKursUeberStundenLimit = 1;
    EXPECT_EQ(CheckPlacement(*f.plan, second, late, 0), nullptr);
}

TEST(CheckPlacement, ClashesAndParallelCourseHours) {
    PlacementFixture f;
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
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Raum);
    EXPECT_EQ(f.plan->Conflict().KonfliktRaum, 0);
    EXPECT_EQ(CheckPlacement(*f.plan, sport, s, 2), &reli0); // shares K1
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Klasse);
    EXPECT_EQ(f.plan->Conflict().KonfliktKlasse, 1);
    EXPECT_EQ(CheckPlacement(*f.plan, k0a, s, 2), &reli0); // subject hour of K0
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Klasse);
    EXPECT_EQ(f.plan->Conflict().KonfliktKlasse, 0);
    EXPECT_EQ(CheckPlacement(*f.plan, l0k2, s, 2), &reli0); // L0 teaches Reli at s
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Lehrer);
    EXPECT_EQ(f.plan->Conflict().KonfliktLehrer, 0);
    EXPECT_EQ(f.plan->Conflict().KonfliktStunde, &reli0);
    f.plan->Place(k0a, 3, SlotOf(2, 1));
    EXPECT_EQ(CheckPlacement(*f.plan, k0b, SlotOf(2, 1), 2), &k0a);
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Klasse);
    // The hour itself at its own slot in another room is no clash.
    EXPECT_EQ(CheckPlacement(*f.plan, k0a, SlotOf(2, 1), 2), nullptr);
}

// No lesson stands outside the week in use: a day past Tage, an hour past Stunden, or the 0th
// hour when it is not in use. Such a slot is refused before anything else, as a time conflict.
TEST(CheckPlacement, SlotsOutsideTheWeekAreRefused) {
    PlacementFixture f;
    f.s = MakeSchool(5, 6, 1, 1, 1, 1);
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    CPlan& plan = *f.plan;
    PlanWriter::Flags(plan).MehrfachUeberStundenLimit =
        PlanWriter::Flags(plan).KursUeberStundenLimit = 1;
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
        EXPECT_EQ(plan.Conflict().KonfliktArt, Konflikt::Zeit);
        EXPECT_EQ(plan.Conflict().KonfliktStunde, &f.H(0));
    }
    EXPECT_EQ(accepted, 30);

    // With the 0th hour in use, hour 0 belongs to the week.
    PlacementFixture g;
    g.s = MakeSchool(5, 6, 1, 1, 1, 1);
    g.s.Angaben.Nullte = true;
    AddBlock(g.s, "L0", "K0", "F0", {1});
    g.Build();
    PlanWriter::Flags(*g.plan).MehrfachUeberStundenLimit =
        PlanWriter::Flags(*g.plan).KursUeberStundenLimit = 1;
    EXPECT_TRUE(g.plan->InWeek(SlotOf(4, 0)));
    EXPECT_FALSE(g.plan->InWeek(SlotOf(5, 0)));
    EXPECT_EQ(CheckPlacement(*g.plan, g.H(0), SlotOf(4, 0), 0), nullptr);
}

// The check written as a plain scan of every room, without occupancy counts. The optimised check
// must give the same answer and the same report for every hour, slot and room.
const CStunde* ReferenceCheck(CPlan& plan, const CStunde& h, int s, int r) {
    PlanWriter::Conflict(plan).KonfliktRaum = PlanWriter::Conflict(plan).KonfliktKlasse =
        PlanWriter::Conflict(plan).KonfliktLehrer = -1;
    PlanWriter::Conflict(plan).KonfliktArt = Konflikt::Keiner;
    auto refuse = [&](const CStunde* x, Konflikt kind) {
        PlanWriter::Conflict(plan).KonfliktArt = kind;
        return x;
    };
    const bool inWeek =
        DayOf(s) < plan.Tage && HourOf(s) <= plan.Stunden && (HourOf(s) >= 1 || plan.Nullte);
    if (!inWeek) {
        PlanWriter::Conflict(plan).KonfliktStunde = &h;
        return refuse(&h, Konflikt::Zeit);
    }
    const CStunde& x = plan.At(r, s);
    if (x.IsLesson()) {
        PlanWriter::Conflict(plan).KonfliktStunde = &x;
        PlanWriter::Conflict(plan).KonfliktRaum = r;
        return refuse(&x, Konflikt::Raum);
    }
    for (Rule rule : {Rule::RoomLocked, Rule::FixedTime, Rule::HourBound, Rule::DayLimit,
                      Rule::TeacherLocked}) {
        const Refusal y = CheckRule(rule, plan, h, s, r);
        if (!y) continue;
        PlanWriter::Conflict(plan).KonfliktRaum = y.Raum();
        PlanWriter::Conflict(plan).KonfliktLehrer = y.Lehrer();
        if (y.Stunde) PlanWriter::Conflict(plan).KonfliktStunde = y.Stunde;
        return refuse(y.Stunde ? y.Stunde : y.Raum() >= 0 ? &plan.At(r, s) : &h, y.Kind);
    }
    auto has = [](const IntList& l, int k) { return std::find(l.begin(), l.end(), k) != l.end(); };
    if (!h.IsCourse()) {
        const int k = h.Klasse;
        if (plan.KlasseAt(k).Sperre[s]) {
            PlanWriter::Conflict(plan).KonfliktKlasse = k;
            return refuse(&h, Konflikt::Sperrung);
        }
        if (HourOf(s) > plan.KlassenSollL[k].StundenLimit && h.BlockPos >= 0 &&
            !plan.Flags().MehrfachUeberStundenLimit) {
            PlanWriter::Conflict(plan).KonfliktKlasse = k;
            return refuse(&h, Konflikt::Zeit);
        }
        for (int i = 0; i < plan.RaumAnzahl; ++i) {
            const CStunde& y = plan.At(i, s);
            if (!y.IsLesson() || &y == &h) continue;
            if (y.IsCourse()) {
                for (int c : *y.KlassenL) {
                    if (c == k) {
                        PlanWriter::Conflict(plan).KonfliktKlasse = k;
                        PlanWriter::Conflict(plan).KonfliktStunde = &y;
                        return refuse(&y, Konflikt::Klasse);
                    }
                    if (y.Lehrer == h.Lehrer) {
                        PlanWriter::Conflict(plan).KonfliktLehrer = h.Lehrer;
                        PlanWriter::Conflict(plan).KonfliktStunde = &y;
                        return refuse(&y, Konflikt::Lehrer);
                    }
                }
            } else if (y.Klasse == k || y.Lehrer == h.Lehrer) {
                (y.Klasse == k ? PlanWriter::Conflict(plan).KonfliktKlasse
                               : PlanWriter::Conflict(plan).KonfliktLehrer) =
                    y.Klasse == k ? k : h.Lehrer;
                PlanWriter::Conflict(plan).KonfliktStunde = &y;
                return refuse(&y, y.Klasse == k ? Konflikt::Klasse : Konflikt::Lehrer);
            }
        }
        return nullptr;
    }
    for (int c : *h.KlassenL) {
        if (plan.KlasseAt(c).Sperre[s]) {
            PlanWriter::Conflict(plan).KonfliktKlasse = c;
            return refuse(&h, Konflikt::Sperrung);
        }
        const bool allowed = h.BlockPos < 0 ? plan.Flags().KursUeberStundenLimit
                                            : plan.Flags().MehrfachKursUeberStundenLimit;
        if (HourOf(s) > plan.KlassenSollL[c].StundenLimit && !allowed) {
            PlanWriter::Conflict(plan).KonfliktKlasse = c;
            return refuse(&h, Konflikt::Zeit);
        }
    }
    for (int i = 0; i < plan.RaumAnzahl; ++i) {
        const CStunde& y = plan.At(i, s);
        if (!y.IsLesson() || &y == &h) continue;
        if (y.Lehrer == h.Lehrer) {
            PlanWriter::Conflict(plan).KonfliktStunde = &y;
            PlanWriter::Conflict(plan).KonfliktLehrer = h.Lehrer;
            return refuse(&y, Konflikt::Lehrer);
        }
        for (int c : *h.KlassenL) {
            if ((!y.IsCourse() && y.Klasse == c) ||
                (y.IsCourse() && y.FachKurs != h.FachKurs && has(*y.KlassenL, c))) {
                PlanWriter::Conflict(plan).KonfliktStunde = &y;
                PlanWriter::Conflict(plan).KonfliktKlasse = c;
                return refuse(&y, Konflikt::Klasse);
            }
        }
    }
    return nullptr;
}

// Six teachers and four classes with locks, two course blocks and double lessons: clashes of
// every kind arise when hours are shuffled around.
PlacementFixture ClashSchool() {
    PlacementFixture f;
    f.s = MakeSchool(5, 6, 5, 6, 4, 2);
    f.s.Lehrer[2].Sperre[SlotOf(1, 1)] = 1;
    f.s.Klassen[3].Sperre[SlotOf(2, 2)] = 1;
    f.s.Raeume[4].Sperre[SlotOf(0, 3)] = 1;
    AddCourse(f.s, "A", {"L0", "L1"}, {"K0", "K1"}, {1, 2});
    AddCourse(f.s, "B", {"L2"}, {"K1", "K2"}, {1});
    for (int k = 0; k < 4; ++k)
        for (int t = 0; t < 6; t += 2)
            AddBlock(f.s, "L" + std::to_string((t + k) % 6), "K" + std::to_string(k), "F0", {1, 2});
    f.Build();
    return f;
}

TEST(CheckPlacement, CountsGiveTheSameAnswersAsAFullScan) {
    PlacementFixture f = ClashSchool();
    Random rng(99);
    CPlan& plan = *f.plan;
    // Late hours pass the class limit, so that most checks reach the clash scan.
    PlanWriter::Flags(plan).MehrfachUeberStundenLimit =
        PlanWriter::Flags(plan).KursUeberStundenLimit = 1;
    PlanWriter::Flags(plan).MehrfachKursUeberStundenLimit = 1;
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
        const Konflikt kind = plan.Conflict().KonfliktArt;
        const int kr = plan.Conflict().KonfliktRaum, kk = plan.Conflict().KonfliktKlasse,
                  kl = plan.Conflict().KonfliktLehrer;
        const CStunde* ks = plan.Conflict().KonfliktStunde;
        const CStunde* slow = ReferenceCheck(plan, h, s, r);
        ASSERT_EQ(fast, slow) << "round " << round;
        ASSERT_EQ(kind, plan.Conflict().KonfliktArt);
        ASSERT_EQ(kr, plan.Conflict().KonfliktRaum);
        ASSERT_EQ(kk, plan.Conflict().KonfliktKlasse);
        ASSERT_EQ(kl, plan.Conflict().KonfliktLehrer);
        if (fast) {
            ASSERT_EQ(ks, plan.Conflict().KonfliktStunde);
        }
        if (kind == Konflikt::Klasse || kind == Konflikt::Lehrer) ++refusedByClash;
    }
    EXPECT_GT(refusedByClash, 200);
}

// The school of the refusal table: 5 days of 6 hours, rooms R0..R2, teachers L0..L3, class K0
// with 3 hours (hour limit 1) and K1 with 6 (hour limit 2). Room R1 is locked at (0, 3), teacher
// L2 at (0, 4), class K1 at (0, 5).
//   0 L0 K0   1 L1 K0   2 L0 K1   3 L1 K1 fixed at (1, 2)   4 L2 K1 only on day 2
//   5, 6 L1 K1 double lesson   7, 8 course of L2 and L3 for K0 and K1 (parallel hours)
PlacementFixture RefusalSchool() {
    PlacementFixture f;
    f.s = MakeSchool(5, 6, 3, 4, 2, 1);
    f.s.Raeume[1].Sperre[SlotOf(0, 3)] = 1;
    f.s.Lehrer[2].Sperre[SlotOf(0, 4)] = 1;
    f.s.Klassen[1].Sperre[SlotOf(0, 5)] = 1;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    AddBlock(f.s, "L1", "K0", "F0", {1});
    AddBlock(f.s, "L0", "K1", "F0", {1});
    AddBlock(f.s, "L1", "K1", "F0", {1}).Einheiten[0].Zeitvorgabe = SlotOf(1, 2);
    CEinheit& onDayTwo = AddBlock(f.s, "L2", "K1", "F0", {1}).Einheiten[0];
    onDayTwo.TagesLimit = 1;
    onDayTwo.Tag = 2;
    AddBlock(f.s, "L1", "K1", "F0", {2});
    AddCourse(f.s, "Kurs", {"L2", "L3"}, {"K0", "K1"}, {1});
    f.Build();
    return f;
}

// Every kind of refusal, with the hour, room, class or teacher it names; PlacementRefusal only
// reads the plan, CheckPlacement writes the same into the report and answers with the named hour,
// the cell's placeholder for a locked room, or the hour itself for another lock or a limit.
TEST(PlacementRefusal, EachKindNamesWhatStandsInTheWay) {
    PlacementFixture f = RefusalSchool();
    ASSERT_EQ(f.plan->KlassenSollL[0].StundenLimit, 1);
    ASSERT_EQ(f.plan->KlassenSollL[1].StundenLimit, 2);
    ASSERT_EQ(f.H(3).Modus, Modus::ZeitFest);
    ASSERT_TRUE(f.H(7).IsCourse());
    f.Put(1, 0, 0, 1);
    f.Put(0, 0, 0, 2);
    struct Row {
        const char* what;
        int hour, day, hourOfDay, room;
        Konflikt kind;
        int named; // index of the hour the refusal names, -1 none
        int raum, klasse, lehrer;
    };
    using K = Konflikt;
    const Row rows[] = {
        {"occupied cell", 0, 0, 1, 0, K::Raum, 1, 0, -1, -1},
        {"class busy", 0, 0, 1, 1, K::Klasse, 1, -1, 0, -1},
        {"teacher busy", 2, 0, 2, 1, K::Lehrer, 0, -1, -1, 0},
        {"course meets its class", 7, 0, 1, 1, K::Klasse, 1, -1, 0, -1},
        {"locked room", 0, 0, 3, 1, K::Sperrung, -1, 1, -1, -1},
        {"locked teacher", 7, 0, 4, 0, K::Sperrung, -1, -1, -1, 2},
        {"locked class", 2, 0, 5, 0, K::Sperrung, -1, -1, 1, -1},
        {"fixed time", 3, 1, 3, 0, K::Zeit, 3, -1, -1, -1},
        {"day restriction", 4, 1, 1, 0, K::Limit, 4, -1, -1, -1},
        {"hour limit of the class", 6, 2, 3, 0, K::Zeit, -1, -1, 1, -1},
        {"outside the week", 0, 5, 1, 0, K::Zeit, 0, -1, -1, -1},
        {"free", 0, 2, 1, 0, K::Keiner, -1, -1, -1, -1},
    };
    CPlan& plan = *f.plan;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const int slot = SlotOf(row.day, row.hourOfDay);
        const Refusal r = PlacementRefusal(plan, f.H(row.hour), slot, row.room);
        EXPECT_EQ(r.Kind, row.kind);
        EXPECT_EQ(static_cast<bool>(r), row.kind != K::Keiner);
        EXPECT_EQ(r.Stunde, row.named < 0 ? nullptr : &f.H(row.named));
        EXPECT_EQ(r.Raum(), row.raum);
        EXPECT_EQ(r.Klasse(), row.klasse);
        EXPECT_EQ(r.Lehrer(), row.lehrer);

        PlanWriter::Conflict(plan).KonfliktStunde =
            &f.H(8); // a mark that only a named hour replaces
        const CStunde* answer = CheckPlacement(plan, f.H(row.hour), slot, row.room);
        EXPECT_EQ(plan.Conflict().KonfliktArt, row.kind);
        EXPECT_EQ(plan.Conflict().KonfliktRaum, row.raum);
        EXPECT_EQ(plan.Conflict().KonfliktKlasse, row.klasse);
        EXPECT_EQ(plan.Conflict().KonfliktLehrer, row.lehrer);
        EXPECT_EQ(plan.Conflict().KonfliktStunde, row.named < 0 ? &f.H(8) : &f.H(row.named));
        const CStunde* expected = row.kind == K::Keiner ? nullptr
                                  : row.named >= 0      ? &f.H(row.named)
                                  : row.raum >= 0       ? &plan.At(row.room, slot)
                                                        : &f.H(row.hour);
        EXPECT_EQ(answer, expected);
    }
}

TEST(FindObstacles, EveryLessonInTheWayOfAUnitOnce) {
    PlacementFixture f = RefusalSchool();
    CPlan& plan = *f.plan;
    f.Put(0, 0, 2, 1); // L0 K0 holds the cell of the double lesson's first hour
    f.Put(2, 1, 2, 2); // L0 K1 clashes with its second hour (class K1)
    f.Put(1, 2, 2, 2); // L1 K0 clashes too (teacher L1)
    Obstacles o;
    FindUnitObstacles(plan, f.H(5), SlotOf(2, 1), 0, o);
    EXPECT_FALSE(o.Fixed);
    ASSERT_EQ(o.Hours.size(), 3u);
    EXPECT_EQ(o.Hours[0].Hour, &f.H(0));
    EXPECT_EQ(o.Hours[0].Kind, Konflikt::Raum);
    EXPECT_EQ(o.Hours[1].Hour, &f.H(2));
    EXPECT_EQ(o.Hours[1].Kind, Konflikt::Klasse);
    EXPECT_EQ(o.Hours[2].Hour, &f.H(1));
    EXPECT_EQ(o.Hours[2].Kind, Konflikt::Lehrer);
    EXPECT_TRUE(o.Removable());
    EXPECT_FALSE(o.Free());
    // The unit's own hours never stand in its way, wherever they stand.
    f.Put(5, 1, 2, 1);
    plan.Lift(0, SlotOf(2, 1));
    FindUnitObstacles(plan, f.H(5), SlotOf(2, 1), 0, o);
    ASSERT_EQ(o.Hours.size(), 2u);
    EXPECT_EQ(o.Hours[0].Hour, &f.H(2));
}

// A lesson with a fixed time can change rooms but never leave its slot.
TEST(FindObstacles, AFixedTimeKeepsALessonAtItsSlot) {
    PlacementFixture f = RefusalSchool();
    CPlan& plan = *f.plan;
    const int fixed = SlotOf(1, 2);
    plan.Place(f.H(3), 0, fixed); // L1 K1, three universal rooms
    Obstacles o;
    FindObstacles(plan, f.H(0), fixed, 0, o); // L0 K0: only the cell is in the way
    ASSERT_EQ(o.Hours.size(), 1u);
    EXPECT_EQ(o.Hours[0].Kind, Konflikt::Raum);
    EXPECT_TRUE(o.Hours[0].Movable);
    EXPECT_TRUE(o.Removable());
    FindObstacles(plan, f.H(2), fixed, 0, o); // L0 K1: the cell and the class
    ASSERT_EQ(o.Hours.size(), 1u);
    EXPECT_EQ(o.Hours[0].Kind, Konflikt::Klasse);
    EXPECT_FALSE(o.Hours[0].Movable);
    EXPECT_FALSE(o.Removable());
    FindObstacles(plan, f.H(1), fixed, 1, o); // L1 K0 in another room: the teacher
    ASSERT_EQ(o.Hours.size(), 1u);
    EXPECT_EQ(o.Hours[0].Kind, Konflikt::Lehrer);
    EXPECT_FALSE(o.Removable());
}

TEST(FindObstacles, LocksPresetsAndLimitsCannotBeMovedAway) {
    PlacementFixture f = RefusalSchool();
    CPlan& plan = *f.plan;
    f.Put(0, 0, 0, 5);
    Obstacles o;
    FindObstacles(plan, f.H(2), SlotOf(0, 5), 0, o); // class K1 locked, and the cell held
    EXPECT_EQ(o.Fixed.Kind, Konflikt::Sperrung);
    EXPECT_EQ(o.Fixed.Klasse(), 1);
    ASSERT_EQ(o.Hours.size(), 1u);
    EXPECT_FALSE(o.Removable());
    FindObstacles(plan, f.H(3), SlotOf(1, 3), 0, o);
    EXPECT_EQ(o.Fixed.Kind, Konflikt::Zeit);
    EXPECT_EQ(o.Fixed.Stunde, &f.H(3));
    FindObstacles(plan, f.H(4), SlotOf(1, 1), 0, o);
    EXPECT_EQ(o.Fixed.Kind, Konflikt::Limit);
    FindObstacles(plan, f.H(0), SlotOf(6, 1), 0, o);
    EXPECT_EQ(o.Fixed.Kind, Konflikt::Zeit);
    EXPECT_TRUE(o.Hours.empty());
    FindUnitObstacles(plan, f.H(5), SlotOf(3, 2), 0, o); // second hour past K1's limit
    EXPECT_EQ(o.Fixed.Kind, Konflikt::Zeit);
    EXPECT_EQ(o.Fixed.Klasse(), 1);
    FindObstacles(plan, f.H(0), SlotOf(3, 1), 2, o);
    EXPECT_TRUE(o.Free());
}

TEST(FindObstacles, TheParallelHoursOfACourseGoTogether) {
    PlacementFixture f = RefusalSchool();
    CPlan& plan = *f.plan;
    const int slot = SlotOf(3, 1);
    f.Put(8, 1, 3, 1); // one parallel hour stands where it is asked to stand
    f.Put(1, 2, 3, 1); // L1 K0 clashes with both parallel hours by class K0
    Obstacles o;
    const int rooms[] = {0, 1};
    FindGroupObstacles(plan, f.H(7), slot, rooms, o);
    EXPECT_FALSE(o.Fixed);
    ASSERT_EQ(o.Hours.size(), 1u);
    EXPECT_EQ(o.Hours[0].Hour, &f.H(1));
    EXPECT_EQ(o.Hours[0].Kind, Konflikt::Klasse);
    const int oneRoom[] = {0, 0};
    FindGroupObstacles(plan, f.H(7), slot, oneRoom, o);
    EXPECT_EQ(o.Fixed.Kind, Konflikt::Raum);
    EXPECT_EQ(o.Fixed.Stunde, &f.H(7));
}

// On random plans: an hour may stand in a cell exactly when nothing stands in its way there; a
// clash the check names is among the obstacles, and a lock or limit it names is the fixed one.
TEST(FindObstacles, AgreesWithThePlacementCheck) {
    PlacementFixture f = ClashSchool();
    CPlan& plan = *f.plan;
    Random rng(5);
    test::PlaceRandomly(plan, rng, 400);
    Obstacles o;
    int refused = 0;
    const int n = static_cast<int>(plan.StundenL.size());
    for (int round = 0; round < 3000; ++round) {
        const CStunde& h = *plan.StundenL[rng.Below(n)];
        const int r = rng.Below(plan.RaumAnzahl);
        const int s = SlotOf(rng.Below(6), rng.Below(7));
        if (plan.PositionOf(h) == r * kSlotCount + s) continue; // h counts as lifted there
        const Refusal why = PlacementRefusal(plan, h, s, r);
        FindObstacles(plan, h, s, r, o);
        ASSERT_EQ(!why, o.Free()) << "round " << round;
        if (!why) continue;
        ++refused;
        if (why.Kind == Konflikt::Raum || why.Kind == Konflikt::Klasse ||
            why.Kind == Konflikt::Lehrer) {
            const bool listed = std::any_of(o.Hours.begin(), o.Hours.end(), [&](const Obstacle& x) {
                return x.Hour == why.Stunde;
            });
            ASSERT_TRUE(listed) << "round " << round;
        } else {
            ASSERT_EQ(o.Fixed.Kind, why.Kind) << "round " << round;
            ASSERT_EQ(o.Fixed.Stunde, why.Stunde);
            ASSERT_EQ(o.Fixed.Raum(), why.Raum());
            ASSERT_EQ(o.Fixed.Klasse(), why.Klasse());
            ASSERT_EQ(o.Fixed.Lehrer(), why.Lehrer());
        }
    }
    EXPECT_GT(refused, 1000);
}

} // namespace
} // namespace sw
