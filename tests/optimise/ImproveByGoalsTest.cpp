// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/ImproveByGoals.h"
#include "optimise/GoalTests.h"
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

std::vector<int> Picture(const CPlan& plan) {
    std::vector<int> p;
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        for (int s = 0; s < kSlotCount; ++s) {
            const CStunde* h = plan.HourAt(r, s);
            p.push_back(h ? h->Index : -1);
        }
    return p;
}

bool AnyMarker(const CPlan& plan) {
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        for (int s = 0; s < kSlotCount; ++s)
            if (plan.IsMarker(r, s)) return true;
    return false;
}

TEST(GoalTable, SameFiguresDifferentVerdictsPerMove) {
    Stammdaten s = MakeSchool(5, 6, 1, 1, 1, 1);
    CapturingReporter rep;
    CPlan plan(s, rep);
    Random rng;
    PlanWriter::Totals(plan).LLSMax = 3;
    MoveJudgement j;
    j.before.lls = 5;
    j.after.lls = 4; // fewer teacher gaps ...
    j.newMax = 4;    // ... but a higher maximum
    plan.ClearGoals();
    plan.SetGoal(Ziel::LehrerLuecken);
    EXPECT_FALSE(GoalsAccept(plan, rng, MoveKind::SingleSwap, j));
    EXPECT_TRUE(GoalsAccept(plan, rng, MoveKind::CourseSwap, j));
    EXPECT_TRUE(GoalsAccept(plan, rng, MoveKind::UnitShift, j));
    EXPECT_TRUE(GoalsAccept(plan, rng, MoveKind::Exchange, j));
    // Goal 1 judges class gaps only for the exchange and the course swap.
    plan.ClearGoals();
    plan.SetGoal(Ziel::KlassenLuecken);
    j.after.kls = 1;
    EXPECT_FALSE(GoalsAccept(plan, rng, MoveKind::Exchange, j));
    EXPECT_FALSE(GoalsAccept(plan, rng, MoveKind::CourseSwap, j));
    EXPECT_TRUE(GoalsAccept(plan, rng, MoveKind::SingleSwap, j));
    // Goal 14: the single swap wants equal separation errors, the course swap only not more.
    plan.ClearGoals();
    plan.SetGoal(Ziel::LueckenBeiGleicherTrennung);
    j = MoveJudgement{};
    j.newMax = 3;
    j.before.tf = 2;
    j.after.tf = 1;
    EXPECT_FALSE(GoalsAccept(plan, rng, MoveKind::SingleSwap, j));
    EXPECT_TRUE(GoalsAccept(plan, rng, MoveKind::CourseSwap, j));
    EXPECT_FALSE(GoalsAccept(plan, rng, MoveKind::Exchange, j));
}

TEST(GoalTable, RecordWithAcceptanceMargin) {
    Stammdaten s = MakeSchool(5, 6, 1, 40, 1, 1);
    CapturingReporter rep;
    CPlan plan(s, rep);
    Random rng;
    plan.ClearGoals();
    plan.SetGoal(Ziel::RekordMitMarge);
    PlanWriter::Totals(plan).Opt.BestLLS = 10;     // BestLLS
    PlanWriter::Totals(plan).Opt.LLSAkzeptanz = 2; // LLSAkzeptanz
    MoveJudgement j;
    j.candidate = 12;
    EXPECT_TRUE(GoalsAccept(plan, rng, MoveKind::SingleSwap, j));
    j.candidate = 13;
    EXPECT_FALSE(GoalsAccept(plan, rng, MoveKind::SingleSwap, j));
    // An accepted move below the record lowers it; annealing then sets the temperature.
    j.candidate = 8;
    ApplyAccepted(plan, AcceptanceKind::Annealing, j);
    EXPECT_EQ(plan.Totals().Opt.BestLLS, 8);
    EXPECT_FLOAT_EQ(plan.Totals().Opt.Temperatur, static_cast<float>(8 * 0.0072 / 40 + 0.043));
    j.candidate = 9;
    ApplyAccepted(plan, AcceptanceKind::RecordPlusMargin, j);
    EXPECT_EQ(plan.Totals().Opt.BestLLS, 8);
}

// The goals are asked in ascending order and the first refusal ends the test: the annealing
// (goal 21) draws its fraction only when every goal before it has accepted.
TEST(GoalTable, AnnealingDrawsOnlyWhenReached) {
    Stammdaten s = MakeSchool(5, 6, 1, 1, 1, 1);
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.SetGoals({Ziel::Trennungsfehler, Ziel::Annealing});
    PlanWriter::Totals(plan).Opt.Temperatur = 0.5f;
    Random rng(3);
    const std::uint64_t start = rng.State();
    MoveJudgement j;
    j.before.tf = 1;
    j.after.tf = 2; // refused by goal 11
    EXPECT_FALSE(GoalsAccept(plan, rng, MoveKind::Exchange, j));
    EXPECT_EQ(rng.State(), start);
    j.after.tf = 1;
    j.before.lls = 5;
    j.after.lls = 0; // a large gain: the annealing keeps it, after one draw
    EXPECT_TRUE(GoalsAccept(plan, rng, MoveKind::Exchange, j));
    Random once(3);
    once.Next();
    EXPECT_EQ(rng.State(), once.State());
}

struct GoalsFixture : test::PlanFixture {
    GoalsFixture() { s = MakeSchool(5, 6, 6, 8, 4, 4); }
};

TEST(ImproveByGoals, NothingWantedOrNothingMovable) {
    GoalsFixture f;
    CFachBlock& b = AddBlock(f.s, "L0", "K0", "F0", {1, 1});
    b.Einheiten[0].Zeitvorgabe = SlotOf(0, 1);
    b.Einheiten[1].Zeitvorgabe = SlotOf(1, 1);
    f.Build();
    f.plan->Place(f.H(0), 0, SlotOf(0, 1));
    f.plan->Place(f.H(1), 0, SlotOf(1, 1));
    EvaluateAll(*f.plan);
    GoalImprover improve(*f.plan, f.rng);
    EXPECT_EQ(improve(AcceptanceKind::GoalTable, 20, 0), 0);
    const auto before = Picture(*f.plan);
    f.plan->ClearGoals();
    EXPECT_EQ(improve(AcceptanceKind::GoalTable, 20, 20), 0); // fixed hours never count
    EXPECT_EQ(Picture(*f.plan), before);
    EXPECT_FALSE(AnyMarker(*f.plan));
}

TEST(ImproveByGoals, SeparationGoalNeverKeepsANewError) {
    GoalsFixture f;
    f.s = MakeSchool(2, 3, 3, 3, 1, 3);
    AddBlock(f.s, "L0", "K0", "F0", {1, 1}, true); // 0, 1
    AddBlock(f.s, "L1", "K0", "F1", {1, 1}, true); // 2, 3
    AddBlock(f.s, "L2", "K0", "F2", {1, 1}, true); // 4, 5
    f.Build();
    // Each subject once a day: no separation error; every swap across the days makes one.
    for (int d = 0; d < 2; ++d)
        for (int b = 0; b < 3; ++b)
            f.plan->Place(f.H(2 * b + d), 0, SlotOf(d, b + 1));
    EvaluateAll(*f.plan);
    ASSERT_EQ(f.plan->Totals().TFSumme, 0);
    f.plan->ClearGoals();
    f.plan->SetGoal(Ziel::Trennungsfehler);
    GoalImprover improve(*f.plan, f.rng);
    f.rng.Seed(1);
    for (int i = 0; i < 50; ++i) {
        improve(AcceptanceKind::GoalTable, 5, 10);
        ASSERT_FALSE(AnyMarker(*f.plan));
        EvaluateAll(*f.plan);
        ASSERT_EQ(f.plan->Totals().TFSumme, 0);
    }
}

TEST(ImproveByGoals, UnitWhoseDisplacedHoursCannotBeSeatedStays) {
    GoalsFixture f;
    f.s = MakeSchool(2, 4, 1, 2, 1, 2);
    AddBlock(f.s, "L0", "K0", "F0", {2});          // 0, 1: a double lesson on day 0
    AddBlock(f.s, "L1", "K0", "F1", {1, 1, 1, 1}); // 2..5
    f.Build();
    PlanWriter::Flags(*f.plan).MehrfachUeberStundenLimit = 1;
    f.plan->Place(f.H(0), 0, SlotOf(0, 1));
    f.plan->Place(f.H(1), 0, SlotOf(0, 2));
    for (int i = 0; i < 4; ++i)
        f.plan->Place(f.H(2 + i), 0, SlotOf(1, 1 + i));
    // L1 is locked on day 0: the singles that would make room can never go there.
    for (int h = 0; h < kHoursPerDay; ++h)
        f.s.Lehrer[1].Sperre[SlotOf(0, h)] = 1;
    EvaluateAll(*f.plan);
    const auto before = Picture(*f.plan);
    f.plan->ClearGoals();
    GoalImprover improve(*f.plan, f.rng);
    f.rng.Seed(3);
    EXPECT_EQ(improve(AcceptanceKind::GoalTable, 50, 50), 0);
    EXPECT_EQ(Picture(*f.plan), before);
    EXPECT_FALSE(AnyMarker(*f.plan));
}

// Many calls under changing goals: the plan stays consistent, no marker is left, and the totals
// the moves keep by differences equal a fresh evaluation.
TEST(ImproveByGoals, RandomCallsKeepThePlanConsistent) {
    Stammdaten s = test::MixedSchool(true);
    CapturingReporter rep;
    CPlan plan(s, rep);
    test::PlaceAtRandom(plan, 23, 3000);
    PlanWriter::Totals(plan).Opt.BestLLS = PlanWriter::Totals(plan).LLSSumme;
    PlanWriter::Totals(plan).Opt.LLSAkzeptanz = 2;
    PlanWriter::Totals(plan).Opt.Temperatur = 0.3f;
    Random rng;
    GoalImprover improve(plan, rng);
    const GoalSet goalSets[5] = {
        {Ziel::LehrerLuecken, Ziel::Trennungsfehler},
        {Ziel::TrennungBeiGleichenLuecken, Ziel::Spezialtrennungsfehler},
        {Ziel::LueckenBeiGleicherTrennung, Ziel::LehrerLueckenMaximum, Ziel::LehrerVerteilung},
        {Ziel::RekordMitMarge},
        {Ziel::Annealing}};
    const AcceptanceKind rules[5] = {AcceptanceKind::GoalTable, AcceptanceKind::GoalTable,
                                     AcceptanceKind::GoalTable, AcceptanceKind::RecordPlusMargin,
                                     AcceptanceKind::Annealing};
    int accepted = 0;
    for (int round = 0; round < 300; ++round) {
        plan.SetGoals(goalSets[round % 5]);
        accepted += improve(rules[round % 5], 5, 10);
        ASSERT_FALSE(AnyMarker(plan));
        if (round % 20 == 0) {
            const InvariantReport r = CheckInvariants(plan, true);
            ASSERT_TRUE(r.Ok()) << "round " << round << ": " << r.Violations.front();
            EvaluateAll(plan); // as a stage refreshes its figures
        }
    }
    EXPECT_GT(accepted, 50);
    EXPECT_GT(improve.Accepted().singleSwaps, 0);
    EXPECT_GT(improve.Accepted().courseSwaps, 0);
    EXPECT_GT(improve.Accepted().unitShifts, 0);
    EXPECT_TRUE(rep.shown.empty()) << rep.shown.front().Text;
}

} // namespace
} // namespace sw
