// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/ConflictSearch.h"
#include "optimise/InitialPlanRun.h"
#include "plan/Invariants.h"
#include "plan/PlanRules.h"
#include "plan/PlanWriter.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;

struct Tight : test::PlanFixture {
    RunControl run;
    Tight() {
        s = test::TightSchool();
        Build();
    }
    InitialPlanResult Plan(bool search, int attempts, std::uint32_t seed,
                           InitialPlanObserver* observer = nullptr) {
        InitialPlanOptions options;
        options.Weitersuchen = search;
        return RunInitialPlan(plan.get(), rng, rep, run, attempts, seed, observer, options);
    }
    // Where every hour stands, to compare two runs.
    std::vector<int> Cells() const {
        std::vector<int> cells;
        for (const auto& h : plan->StundenL) {
            cells.push_back(plan->SlotOfHour(*h));
            cells.push_back(plan->RoomOf(*h));
        }
        return cells;
    }
    const CStunde* FixedHour() const {
        for (const auto& h : plan->StundenL)
            if (h->TimeFixed()) return h.get();
        return nullptr;
    }
};

// Every hour stands whole where the placement check allows it, the fixed unit at its time.
void ExpectSound(Tight& t) {
    const InvariantReport inv = CheckInvariants(*t.plan, false);
    EXPECT_TRUE(inv.Ok()) << inv.Violations.front();
    EXPECT_EQ(test::FirstDisallowedPlacement(*t.plan), "");
    EXPECT_EQ(t.plan->SlotOfHour(*t.FixedHour()), SlotOf(0, 1));
    for (const auto& h : t.plan->StundenL)
        EXPECT_EQ(t.plan->PositionOf(*h) >= 0, t.plan->PositionOf(t.plan->FirstOfUnit(*h)) >= 0);
}

TEST(ConflictSearch, CompletesATightSchoolThatRestartingAttemptsDoNot) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        Tight restart;
        const InitialPlanResult plain = restart.Plan(false, 30, seed);
        EXPECT_FALSE(plain.Complete()) << "seed " << seed;
        EXPECT_EQ(plain.Versuche, 30);

        Tight t;
        const InitialPlanResult r = t.Plan(true, 30, seed);
        ASSERT_TRUE(r.Complete()) << "seed " << seed << ", rest " << r.Rest;
        EXPECT_EQ(r.Versuche, 1) << "the first attempt's partial plan is completed";
        EXPECT_EQ(t.plan->PlacedCount(), static_cast<int>(t.plan->StundenL.size()));
        // The rule book is the placement check: every hour may stand where it stands.
        ExpectSound(t);
        EXPECT_TRUE(CheckInvariants(*t.plan, true).Ok());
        // The locked slot of K0 stays empty.
        EXPECT_EQ(t.plan->ClassLessons(0, SlotOf(4, 4)), 0);
    }
}

TEST(ConflictSearch, IsReproducibleForASeed) {
    Tight a, b;
    ASSERT_TRUE(a.Plan(true, 30, 7).Complete());
    ASSERT_TRUE(b.Plan(true, 30, 7).Complete());
    EXPECT_EQ(a.Cells(), b.Cells());
}

TEST(ConflictSearch, HaltAndTheStepBudgetLeaveASoundPartialPlan) {
    // From an empty grid the search has every unit to put: one unit per pass, halted after the
    // third pass.
    Tight t;
    t.plan->Place(*const_cast<CStunde*>(t.FixedHour()), 0, SlotOf(0, 1));
    ConflictSearch search(*t.plan, t.rng);
    std::vector<int> rests;
    t.run.SetPassHook([&] {
        if (t.run.Passes() >= 3) t.run.Halt();
    });
    t.run.Begin();
    const SearchResult halted =
        search.Run(t.run, 100000, false, 1, [&](int left) { rests.push_back(left); });
    t.run.End();
    EXPECT_TRUE(halted.Halted);
    EXPECT_EQ(halted.Steps, 3);
    ASSERT_EQ(rests.size(), 3u);
    EXPECT_GT(rests.front(), rests.back()) << "the rest falls while units are put";
    EXPECT_EQ(halted.Unplaced, rests.back());
    ExpectSound(t);

    // Going on from there with a budget of ten units: still sound, not complete.
    RunControl more;
    more.Begin();
    const SearchResult budget = search.Run(more, 10, false);
    more.End();
    EXPECT_FALSE(budget.Halted);
    EXPECT_EQ(budget.Steps, 10);
    EXPECT_GT(budget.Unplaced, 0);
    ExpectSound(t);
}

// A lesson with a fixed time holds the only room another unit may use at the only time it may
// take: it makes way by taking another room at its time, when it may use another; with a room
// of its own it stays, and the other unit is left unplaced.
TEST(ConflictSearch, AFixedLessonMakesWayToAnotherRoomAtItsTime) {
    for (const bool ownRoom : {false, true}) {
        test::PlanFixture f;
        f.s = MakeSchool(1, 2, 2, 2, 2, 1);
        AddBlock(f.s, "L0", "K0", "F0", {1}).Einheiten[0].Zeitvorgabe = SlotOf(0, 1);
        if (ownRoom) f.s.FachBloecke[0].Block.Einheiten[0].Raum = "R0";
        AddBlock(f.s, "L1", "K1", "F0", {1}).Einheiten[0].Raum = "R0";
        f.s.Klassen[1].Sperre[static_cast<std::size_t>(SlotOf(0, 2))] = 1;
        f.Build();
        f.Put(0, 0, 0, 1);
        ConflictSearch search(*f.plan, f.rng);
        RunControl run;
        run.Begin();
        const SearchResult r = search.Run(run, 200, false);
        run.End();
        EXPECT_EQ(r.Unplaced, ownRoom ? 1 : 0) << ownRoom;
        EXPECT_EQ(f.plan->SlotOfHour(f.H(0)), SlotOf(0, 1));
        EXPECT_EQ(f.plan->RoomOf(f.H(0)), ownRoom ? 0 : 1);
        if (!ownRoom) {
            EXPECT_EQ(f.plan->RoomOf(f.H(1)), 0);
        }
        EXPECT_EQ(test::FirstDisallowedPlacement(*f.plan), "");
    }
}

TEST(ConflictSearch, AStrictFirstHourIsWorkForTheSearchNotAReasonToRestart) {
    Tight t;
    t.plan->SetFirstHourFlag(false);
    const InitialPlanResult r = t.Plan(true, 30, 4);
    ASSERT_TRUE(r.Complete()) << r.Rest;
    for (int k = 0; k < t.plan->KlassenAnzahl; ++k)
        for (int d = 0; d < t.plan->Tage; ++d)
            EXPECT_GT(t.plan->ClassLessons(k, SlotOf(d, 1)), 0) << "K" << k << " day " << d;
}

// A rule no move can mend (two fixed lessons with a gap between them, for a class that may have
// none): the mending is stuck, fresh attempts are mended in turn until the attempts are used up,
// and the run leaves a complete plan with the one breach. Without fresh attempts the first
// complete plan is the one left.
TEST(ConflictSearch, AStuckMendingTriesFreshAttemptsAndLeavesACompletePlan) {
    // Many fresh attempts: the patience, doubled for each, stops growing before it overflows.
    struct Case {
        long long neubeginn;
        int attempts, complete;
    };
    for (const auto& [neubeginn, attempts, complete] :
         {Case{1, 4, 4}, Case{0, 4, 1}, Case{1, 70, 70}}) {
        SCOPED_TRACE(attempts);
        Stammdaten s = MakeSchool(2, 4, 2, 2, 1, 2);
        AddBlock(s, "L0", "K0", "F0", {1}).Einheiten[0].Zeitvorgabe = SlotOf(0, 1);
        AddBlock(s, "L1", "K0", "F1", {1}).Einheiten[0].Zeitvorgabe = SlotOf(0, 3);
        s.Klassen[0].Regeln.MaxLueckenProWoche = 0;
        test::PlanFixture f;
        f.s = s;
        f.Build();
        struct Count : InitialPlanObserver {
            int complete = 0;
            void AttemptDone(const InitialPlanProgress& p) override { complete += p.Rest == 0; }
        } count;
        RunControl run;
        InitialPlanOptions options;
        options.Weitersuchen = true;
        options.Neubeginn = neubeginn;
        options.RegelSchritte = 3000;
        const InitialPlanResult r =
            RunInitialPlan(f.plan.get(), f.rng, f.rep, run, attempts, 1, &count, options);
        EXPECT_TRUE(r.Complete());
        EXPECT_EQ(r.Versuche, complete);
        EXPECT_EQ(count.complete, complete);
        EXPECT_EQ(f.plan->PlacedCount(), 2);
        EXPECT_EQ(f.plan->Regeln()->TotalBreaches(*f.plan), 1);
        EXPECT_TRUE(CheckInvariants(*f.plan, false).Ok());
    }
}

// A rule over the days that a placed lesson makes refuse is no wall: that lesson is in the way
// and moves. L0 teaches K0 and K1 one hour each; K1's hour can only stand at Tu 2, and K0's
// hour stands where it makes the rule refuse K1's hour there.
TEST(ConflictSearch, ALessonThatMakesARuleOfTheDaysRefuseMakesWay) {
    struct Case {
        const char* rule;
        int maxTage, maxProTag, maxInFolge, k0Slot;
    };
    constexpr int no = kKeineRegel;
    for (const Case c : {Case{"most days", 1, no, no, SlotOf(0, 1)},
                         Case{"most hours a day", no, 1, no, SlotOf(1, 1)},
                         Case{"most hours in a row", no, no, 1, SlotOf(1, 1)}}) {
        SCOPED_TRACE(c.rule);
        Stammdaten s = MakeSchool(2, 2, 2, 1, 2, 2);
        AddBlock(s, "L0", "K0", "F0", {1});
        AddBlock(s, "L0", "K1", "F1", {1});
        s.Lehrer[0].Regeln.MaxTage = c.maxTage;
        s.Lehrer[0].Regeln.MaxStundenProTag = c.maxProTag;
        s.Lehrer[0].Regeln.MaxInFolge = c.maxInFolge;
        for (int h = 1; h <= 2; ++h)
            s.Klassen[1].Sperre[SlotOf(0, h)] = 1;
        s.Klassen[1].Sperre[SlotOf(1, 1)] = 1;
        test::PlanFixture f;
        f.s = s;
        f.Build();
        CStunde& k0 = f.H(0);
        ASSERT_EQ(k0.Klasse, 0);
        f.plan->Place(k0, 0, c.k0Slot);
        ConflictSearch search(*f.plan, f.rng);
        RunControl run;
        run.Begin();
        const SearchResult r = search.Run(run, 1000, false);
        run.End();
        EXPECT_TRUE(r.Complete()) << r.Unplaced << " unplaced";
        EXPECT_EQ(test::FirstDisallowedPlacement(*f.plan), "");
        EXPECT_EQ(f.plan->SlotOfHour(f.H(1)), SlotOf(1, 2));
    }
}

// Moves aimed at the rules on a complete plan that breaks many of them: a move taken back leaves
// every hour in the cell it had, and a move kept never leaves more breaches than it found.
TEST(ConflictSearch, ARuleMoveKeepsNoMoreBreachesAndTakesBackExactly) {
    Stammdaten s = test::LoadExample("gymnasium.sch");
    for (std::size_t t = 0; t < s.Lehrer.size(); ++t) {
        s.Lehrer[t].Regeln.MinStundenProTag = 3;
        s.Lehrer[t].Regeln.MaxLueckenProWoche = t % 2 == 0 ? 0 : 2;
    }
    for (CKlasse& k : s.Klassen)
        k.Regeln.MaxLueckenProTag = 0;
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    Random rng;
    RunControl run;
    InitialPlanOptions options;
    options.RegelSchritte = 0; // the first complete plan, not mended
    options.Neubeginn = 0;
    ASSERT_TRUE(RunInitialPlan(&plan, rng, rep, run, 1000, 5, nullptr, options).Complete());
    const PlanRules& rules = *plan.Regeln();
    ConflictSearch search(plan, rng);
    std::vector<int> cells;
    int kept = 0, back = 0;
    for (int i = 0; i < 400; ++i) {
        const int before = rules.TotalBreaches(plan);
        cells.clear();
        for (const auto& h : plan.StundenL)
            cells.push_back(plan.PositionOf(*h));
        if (search.Relocate(ConflictSearch::Focus::Rules, AcceptanceKind::GoalTable, 30)) {
            ++kept;
            EXPECT_LE(rules.TotalBreaches(plan), before) << i;
        } else {
            ++back;
            for (std::size_t n = 0; n < cells.size(); ++n)
                ASSERT_EQ(plan.PositionOf(*plan.StundenL[n]), cells[n]) << i;
        }
        ASSERT_TRUE(CheckInvariants(plan, false).Ok()) << i;
    }
    EXPECT_GT(kept, 0);
    EXPECT_GT(back, 0);
    EXPECT_GT(rules.TotalBreaches(plan), 0);
}

TEST(ConflictSearch, AnImpossibleSchoolEndsWithTheRestAfterItsAttempts) {
    // Two units of three hours for one class on a day of four hours with one day: they cannot
    // both stand, whatever moves.
    Stammdaten s = MakeSchool(1, 4, 2, 2, 1, 2);
    AddBlock(s, "L0", "K0", "F0", {3});
    AddBlock(s, "L1", "K0", "F1", {3});
    test::PlanFixture f;
    f.s = s;
    f.Build();
    RunControl run;
    InitialPlanOptions options;
    options.Weitersuchen = true;
    options.SuchSchritte = 2000;
    const InitialPlanResult r =
        RunInitialPlan(f.plan.get(), f.rng, f.rep, run, 3, 1, nullptr, options);
    EXPECT_FALSE(r.Complete());
    EXPECT_EQ(r.Versuche, 3);
    EXPECT_EQ(r.Rest, 3);
    EXPECT_TRUE(CheckInvariants(*f.plan, false).Ok());
}

} // namespace
} // namespace sw
