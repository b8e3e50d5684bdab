// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/Exchange.h"
#include "plan/Evaluation.h"
#include "plan/Invariants.h"
#include "plan/PlanWriter.h"
#include "support/Plans.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;

// Two classes K0 (5a) and K1 (5b), teachers L0..L5, rooms R0..R3.
struct ExchangeFixture {
    Stammdaten s = MakeSchool(5, 6, 4, 6, 2, 3);
    CapturingReporter rep;
    std::unique_ptr<CPlan> plan;
    Random rng;
    std::unique_ptr<ExchangeMove> move;

    void Build() {
        plan = std::make_unique<CPlan>(s, rep);
        plan->BuildLessonHours();
        ComputeTargets(*plan);
        move = std::make_unique<ExchangeMove>(*plan, rng);
    }
    CStunde& H(int i) { return *plan->StundenL[i]; }
    // An exchange of class K0's lessons at slots a and b under the goals alone.
    bool Swap(int a, int b, bool keepIfWorse = false, bool commit = true) {
        return (*move)({.FirstSlot = a,
                        .SecondSlot = b,
                        .ClassAtFirst = 0,
                        .ClassAtSecond = 0,
                        .KeepIfWorse = keepIfWorse,
                        .Commit = commit});
    }
    void Put(int i, int room, int day, int hour) { plan->Place(H(i), room, SlotOf(day, hour)); }
    // Grid as a comparable picture: the hour index per cell.
    std::vector<int> Picture() const {
        std::vector<int> p;
        for (int r = 0; r < plan->RaumAnzahl; ++r)
            for (int sl = 0; sl < kSlotCount; ++sl) {
                const CStunde* h = plan->HourAt(r, sl);
                p.push_back(h ? h->Index : -1);
            }
        return p;
    }
};

TEST(ClassSet, HoldsAnyNumberOfClasses) {
    ClassSet a, b;
    a.Reset(600);
    b.Reset(600);
    EXPECT_TRUE(a.Add(3));
    EXPECT_FALSE(a.Has(259)); // never confused with 3 + 256
    EXPECT_TRUE(a.Add(599));
    EXPECT_FALSE(a.Add(599));
    EXPECT_FALSE(a.Add(600));
    EXPECT_FALSE(a.Has(-1));
    b.Add(599);
    EXPECT_FALSE(a == b);
    b.Add(3);
    EXPECT_TRUE(a == b);
}

TEST(ExchangeHours, QuickRefusals) {
    ExchangeFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1, 1}); // 0, 1: the same lesson twice
    AddBlock(f.s, "L1", "K0", "F1", {2});    // 2, 3: a double lesson
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 0, 2);
    f.Put(2, 0, 1, 1);
    f.Put(3, 0, 1, 2);
    const auto before = f.Picture();
    EXPECT_FALSE(f.Swap(SlotOf(0, 1), SlotOf(0, 1)));
    EXPECT_FALSE(f.Swap(SlotOf(0, 1), SlotOf(1, 2)));
    EXPECT_EQ(f.plan->Conflict().KonfliktStunde, &f.H(3)); // the double lesson at the second slot
    EXPECT_FALSE(f.Swap(SlotOf(1, 1), SlotOf(0, 2)));
    EXPECT_EQ(f.plan->Conflict().KonfliktStunde, &f.H(2)); // at the first slot
    EXPECT_FALSE(f.Swap(SlotOf(0, 1), SlotOf(0, 2)));
    EXPECT_EQ(f.plan->Conflict().KonfliktStunde, &f.H(1)); // same class, same lesson
    // No lesson of the class at a slot: false, report unchanged.
    EXPECT_FALSE(f.Swap(SlotOf(0, 1), SlotOf(3, 3)));
    EXPECT_EQ(f.plan->Conflict().KonfliktStunde, &f.H(1));
    EXPECT_EQ(f.Picture(), before);
}

// A course of K0 and K1 (teachers L0, L1) at X = (0, 1); a single hour of K0 (L2) at Y = (1, 1).
TEST(ExchangeHours, ClassGroupsMustMatchAtBothSlots) {
    ExchangeFixture f;
    AddBlock(f.s, "L2", "K0", "F1", {1});                    // 0
    AddBlock(f.s, "L3", "K1", "F1", {1});                    // 1
    AddCourse(f.s, "Reli", {"L0", "L1"}, {"K0", "K1"}, {1}); // 2, 3
    f.Build();
    const int x = SlotOf(0, 1), y = SlotOf(1, 1);
    f.Put(2, 0, 0, 1);
    f.Put(3, 1, 0, 1);
    f.Put(0, 2, 1, 1);
    EXPECT_FALSE(f.Swap(x, y));
    EXPECT_EQ(f.plan->Conflict().KonfliktStunde, &f.H(0)); // the hour at the second slot
    // With K1 busy at Y too, the whole course moves to Y and both single hours to X.
    f.Put(1, 3, 1, 1);
    EvaluateAll(*f.plan);
    ASSERT_TRUE(f.Swap(x, y));
    EXPECT_TRUE(f.move->LastKept());
    EXPECT_EQ(f.plan->SlotOfHour(f.H(2)), y);
    EXPECT_EQ(f.plan->SlotOfHour(f.H(3)), y);
    EXPECT_EQ(f.plan->SlotOfHour(f.H(0)), x);
    EXPECT_EQ(f.plan->SlotOfHour(f.H(1)), x);
    // First fit: rooms in RaumL order, each room once per slot.
    EXPECT_EQ(f.plan->RoomOf(f.H(0)), 0);
    EXPECT_EQ(f.plan->RoomOf(f.H(1)), 1);
    EXPECT_EQ(f.plan->RoomOf(f.H(2)), 0);
    EXPECT_EQ(f.plan->RoomOf(f.H(3)), 1);
    EXPECT_TRUE(CheckInvariants(*f.plan, false).Ok());
}

TEST(ExchangeHours, TestModeChangesNothing) {
    ExchangeFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    AddBlock(f.s, "L1", "K0", "F1", {1});
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 3, 2, 4);
    EvaluateAll(*f.plan);
    const auto grid = f.Picture();
    const auto classes = f.plan->KlassenStatusL;
    const auto teachers = f.plan->LehrerStatusL;
    EXPECT_TRUE(f.Swap(SlotOf(0, 1), SlotOf(2, 4), false, false));
    EXPECT_EQ(f.Picture(), grid);
    EXPECT_EQ(f.plan->KlassenStatusL, classes);
    EXPECT_EQ(f.plan->LehrerStatusL, teachers);
    // Infeasible: the teacher of the second hour is locked at the first slot.
    f.s.Lehrer[1].Sperre[SlotOf(0, 1)] = 1;
    EXPECT_FALSE(f.Swap(SlotOf(0, 1), SlotOf(2, 4), false, false));
    EXPECT_EQ(f.Picture(), grid);
}

// K0: A (L0) at (0,1), B (L0) at (0,2), C (L1) at (0,3) and D (L2) at (1,1).
struct GoalFixture : ExchangeFixture {
    GoalFixture() {
        AddBlock(s, "L0", "K0", "F0", {1, 1});
        AddBlock(s, "L1", "K0", "F1", {1});
        AddBlock(s, "L2", "K0", "F2", {1});
        Build();
        Put(0, 0, 0, 1);
        Put(1, 0, 0, 2);
        Put(2, 0, 0, 3);
        Put(3, 0, 1, 1);
        EvaluateAll(*plan);
    }
};

TEST(ExchangeHours, GoalsDecideWhetherTheSwapStays) {
    GoalFixture f;
    // B (L0) <-> C (L1) on day 0 gives L0 a gap between (0,1) and (0,3). The class keeps its
    // busy slots, so the class goals 1 and 4 let it pass; goal 12 rejects it.
    f.plan->ClearGoals();
    f.plan->SetGoal(Ziel::KlassenLuecken);
    f.plan->SetGoal(Ziel::KlassenVerteilung);
    EXPECT_TRUE(f.Swap(SlotOf(0, 2), SlotOf(0, 3)));
    EXPECT_TRUE(f.move->LastKept());
    EXPECT_EQ(f.plan->Totals().LLSSumme, 1);
    EXPECT_EQ(f.plan->SlotOfHour(f.H(1)), SlotOf(0, 3));
    f.plan->SetGoal(Ziel::LehrerLuecken);
    EXPECT_TRUE(f.Swap(SlotOf(0, 3), SlotOf(0, 2)));
    EXPECT_TRUE(f.move->LastKept()); // the way back closes the gap
    EXPECT_EQ(f.plan->Totals().LLSSumme, 0);
    EXPECT_TRUE(f.Swap(SlotOf(0, 2), SlotOf(0, 3)));
    EXPECT_FALSE(f.move->LastKept());
    EXPECT_EQ(f.plan->SlotOfHour(f.H(1)), SlotOf(0, 2));
    EXPECT_EQ(f.plan->Totals().LLSSumme, 0);
}

TEST(ExchangeHours, AnnealingAtLowTemperature) {
    GoalFixture f;
    f.plan->ClearGoals();
    f.plan->SetGoal(Ziel::Annealing);
    PlanWriter::Totals(*f.plan).Opt.Temperatur = 0.001f;
    f.rng.Seed(9);
    // B <-> C gives L0 a gap between (0,1) and (0,3): a worsening, almost never accepted.
    int kept = 0;
    for (int i = 0; i < 50; ++i) {
        f.Swap(SlotOf(0, 2), SlotOf(0, 3));
        if (f.move->LastKept()) {
            ++kept;
            f.Swap(SlotOf(0, 2), SlotOf(0, 3), true);
        }
    }
    EXPECT_EQ(kept, 0);
    EXPECT_EQ(f.plan->Totals().LLSSumme, 0);
    // Made anyway, the swap back is an improvement and almost always accepted.
    f.Swap(SlotOf(0, 2), SlotOf(0, 3), true);
    EvaluateAll(*f.plan);
    ASSERT_EQ(f.plan->Totals().LLSSumme, 1);
    EXPECT_TRUE(f.Swap(SlotOf(0, 2), SlotOf(0, 3)));
    EXPECT_TRUE(f.move->LastKept());
    EXPECT_EQ(f.plan->Totals().LLSSumme, 0);
}

TEST(ExchangeHours, RejectedSwapIsUndoneExactly) {
    ExchangeFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1, 1}, true);
    AddBlock(f.s, "L1", "K0", "F1", {1});
    AddBlock(f.s, "L2", "K1", "F1", {1});
    f.Build();
    // K0: F0 at (0,1), F1 at (0,2); F0 again at (1,1). K1: L2 at (1,2).
    f.Put(0, 0, 0, 1);
    f.Put(2, 0, 0, 2);
    f.Put(1, 0, 1, 1);
    f.Put(3, 1, 1, 2);
    EvaluateAll(*f.plan);
    const auto grid = f.Picture();
    const auto classes = f.plan->KlassenStatusL;
    const auto teachers = f.plan->LehrerStatusL;
    const int lls = f.plan->Totals().LLSSumme, lprod = f.plan->Totals().LProd;
    // Swapping K0's F1 at (0,2) with F0 at (1,1): day 0 gets F0 twice, a separation error.
    f.plan->ClearGoals();
    f.plan->SetGoal(Ziel::Trennungsfehler);
    EXPECT_TRUE(f.Swap(SlotOf(0, 2), SlotOf(1, 1)));
    EXPECT_FALSE(f.move->LastKept());
    EXPECT_EQ(f.Picture(), grid);
    EXPECT_EQ(f.plan->KlassenStatusL, classes);
    EXPECT_EQ(f.plan->LehrerStatusL, teachers);
    EXPECT_EQ(f.plan->Totals().LLSSumme, lls);
    EXPECT_EQ(f.plan->Totals().LProd, lprod);
    // keepIfWorse: the same swap stands, and the totals follow it.
    EXPECT_TRUE(f.Swap(SlotOf(0, 2), SlotOf(1, 1), true));
    EXPECT_TRUE(f.move->LastKept());
    EXPECT_NE(f.Picture(), grid);
    EXPECT_EQ(f.plan->SlotOfHour(f.H(2)), SlotOf(1, 1));
    EXPECT_EQ(f.plan->Totals().TFSumme, 1);
    EXPECT_EQ(KeptTotalsDrift(*f.plan), "");
}

// Many random exchanges under a mix of goals: the plan stays consistent, and the totals the move
// keeps by differences equal a fresh evaluation.
TEST(ExchangeHours, RandomExchangesKeepThePlanConsistent) {
    Stammdaten s = test::MixedSchool(false);
    CapturingReporter rep;
    CPlan plan(s, rep);
    test::PlaceAtRandom(plan, 17);
    Random rng(4);
    ExchangeMove move(plan, rng);
    const GoalSet goalSets[4] = {{Ziel::LehrerLuecken, Ziel::Trennungsfehler},
                                 {Ziel::KlassenLuecken, Ziel::KlassenVerteilung},
                                 {Ziel::TrennungBeiGleichenLuecken, Ziel::Spezialtrennungsfehler},
                                 {Ziel::Annealing}};
    PlanWriter::Totals(plan).Opt.Temperatur = 0.5f;
    int kept = 0;
    for (int round = 0; round < 3000; ++round) {
        plan.SetGoals(goalSets[round % 4]);
        // Two lessons of one class: the slots of two of its placed hours.
        const CStunde& x = *plan.StundenL[rng.Below(static_cast<int>(plan.StundenL.size()))];
        const CStunde& y = *plan.StundenL[rng.Below(static_cast<int>(plan.StundenL.size()))];
        if (plan.PositionOf(x) < 0 || plan.PositionOf(y) < 0) continue;
        const int k = x.IsCourse() ? x.KlassenL->front() : x.Klasse;
        move({.FirstSlot = plan.SlotOfHour(x),
              .SecondSlot = plan.SlotOfHour(y),
              .ClassAtFirst = k,
              .ClassAtSecond = k,
              .Rule = AcceptanceKind::Annealing});
        kept += move.LastKept() ? 1 : 0;
        if (round % 100 == 0) {
            const InvariantReport r = CheckInvariants(plan, true);
            ASSERT_TRUE(r.Ok()) << "round " << round << ": " << r.Violations.front();
            EvaluateAll(plan); // as a stage refreshes its figures
        }
    }
    EXPECT_GT(kept, 100) << plan.PlacedCount() << " placed";
}

} // namespace
} // namespace sw
