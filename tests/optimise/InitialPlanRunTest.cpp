// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/InitialPlanRun.h"
#include "plan/Invariants.h"
#include "plan/PlanWriter.h"
#include "support/School.h"

#include <functional>
#include <gtest/gtest.h>

namespace sw {
namespace {

using test::AddBlock;
using test::MakeSchool;

// Records what the planning window would show and checks the grid after every attempt.
struct Window : InitialPlanObserver, RunObserver {
    CPlan* plan = nullptr;
    int attemptsAsked = 0;
    std::vector<InitialPlanProgress> attempts;
    std::vector<std::string> violations;
    InitialPlanProgress last;
    PlanTotals figures;
    int disabled = 0, enabled = 0;

    void Started(const CPlan*, int n) override { attemptsAsked = n; }
    void AttemptDone(const InitialPlanProgress& p) override {
        attempts.push_back(p);
        const InvariantReport inv = CheckInvariants(*plan, false);
        violations.insert(violations.end(), inv.Violations.begin(), inv.Violations.end());
    }
    void Finished(const InitialPlanProgress& p, const PlanTotals& f) override {
        last = p;
        figures = f;
    }
    void DisableCommands() override { ++disabled; }
    void EnableCommands() override { ++enabled; }
};

struct RunFixture {
    Stammdaten s;
    CapturingReporter rep;
    std::unique_ptr<CPlan> plan;
    Random rng;
    Window window;
    RunControl run{&window};
    void Build() {
        plan = std::make_unique<CPlan>(s, rep);
        plan->BuildLessonHours();
        window.plan = plan.get();
    }
    InitialPlanResult Run(int versuche, std::uint32_t seed = 1) {
        return RunInitialPlan(plan.get(), rng, rep, run, versuche, seed, &window);
    }
};

TEST(InitialPlanRun, CompletePlanWithLabelsAndRunProtocol) {
    RunFixture f;
    f.s = test::SmallSchool();
    f.Build();
    const InitialPlanResult r = f.Run(50, 4);
    ASSERT_TRUE(r.Complete());
    EXPECT_EQ(f.window.disabled, 1);
    EXPECT_EQ(f.window.enabled, 1);
    EXPECT_TRUE(f.run.Idle());
    EXPECT_EQ(f.window.attemptsAsked, 50);
    ASSERT_EQ(static_cast<int>(f.window.attempts.size()), r.Versuche);
    for (std::size_t i = 0; i < f.window.attempts.size(); ++i) {
        const InitialPlanProgress& p = f.window.attempts[i];
        EXPECT_EQ(p.Versuche, static_cast<int>(i) + 1);
        if (p.Rest != 0) {
            EXPECT_NE(p.Konflikt.Kind, Konflikt::Keiner);
        }
    }
    EXPECT_TRUE(f.window.violations.empty()) << f.window.violations.front();
    EXPECT_EQ(f.window.last.Versuche, r.Versuche);
    EXPECT_EQ(f.window.last.Rest, 0);
    EXPECT_EQ(f.window.figures, f.plan->Totals());
    EXPECT_TRUE(CheckInvariants(*f.plan, true).Ok()); // figures evaluated at the end
}

TEST(InitialPlanRun, SameSeedSamePlan) {
    RunFixture a, b;
    a.s = b.s = test::SmallSchool();
    a.Build();
    b.Build();
    const InitialPlanResult ra = a.Run(100, 77);
    const InitialPlanResult rb = b.Run(100, 77);
    EXPECT_EQ(ra.Versuche, rb.Versuche);
    for (std::size_t i = 0; i < a.plan->StundenL.size(); ++i)
        EXPECT_EQ(a.plan->PositionOf(*a.plan->StundenL[i]),
                  b.plan->PositionOf(*b.plan->StundenL[i]));
}

TEST(InitialPlanRun, LockedFixedRoomShowsSperrungWithTheHoursNames) {
    RunFixture f;
    f.s = MakeSchool(5, 6, 2, 1, 1, 2);
    f.s.Raeume[1].FachTyp = {0, 1, 0};
    f.s.Raeume[1].Faecher = {"F1"};
    f.s.Raeume[1].Sperre[SlotOf(1, 2)] = 1;
    AddBlock(f.s, "L0", "K0", "F1", {1}).Einheiten[0].Zeitvorgabe = SlotOf(1, 2);
    f.Build();
    ASSERT_EQ(f.plan->StundenL[0]->Modus, Modus::ZeitFest);
    const InitialPlanResult r = f.Run(3);
    EXPECT_EQ(r.Versuche, 3);
    EXPECT_EQ(r.Rest, 1);
    EXPECT_FALSE(r.Complete());
    EXPECT_EQ(f.window.last.Versuche, 3);
    EXPECT_EQ(f.window.last.Rest, 1);
    const ConflictRecord conflict = f.window.attempts.back().Konflikt;
    EXPECT_EQ(conflict.Kind, Konflikt::Sperrung);
    EXPECT_EQ(conflict.Hour, f.plan->StundenL[0].get());
    EXPECT_EQ(conflict.Teacher, 0);
    EXPECT_EQ(conflict, ConflictOf(*f.plan));
    EXPECT_EQ(NamesOf(*f.plan, conflict), (ConflictNames{"L0", "F1", "K0", ""}));
    EXPECT_EQ(f.plan->Conflict().KonfliktRaum, 1);
}

TEST(InitialPlanRun, FirstHourConflictNamesTheClass) {
    RunFixture f;
    f.s = MakeSchool(5, 6, 2, 1, 1, 1);
    AddBlock(f.s, "L0", "K0", "F0", {2, 2});
    f.Build();
    f.plan->SetLimitFlags(false, false, true);
    f.plan->SetFirstHourFlag(false);
    const InitialPlanResult r = f.Run(4);
    EXPECT_EQ(r.Rest, -1);
    EXPECT_EQ(r.Versuche, 4);
    EXPECT_EQ(f.window.last.Rest, -1);
    const ConflictRecord conflict = f.window.attempts.back().Konflikt;
    EXPECT_EQ(conflict.Kind, Konflikt::ErsteStunde);
    EXPECT_EQ(NamesOf(*f.plan, conflict), (ConflictNames{"", "", "K0", ""}));
    EXPECT_TRUE(f.window.violations.empty());
}

TEST(InitialPlanRun, HaltEndsAfterTheAttemptInProgress) {
    RunFixture f;
    f.s = MakeSchool(5, 6, 2, 1, 1, 1);
    AddBlock(f.s, "L0", "K0", "F0", {2, 2});
    f.Build();
    PlanWriter::Flags(*f.plan).MehrfachUeberStundenLimit = 1;
    PlanWriter::Flags(*f.plan).AbbruchErsteStunde = 0; // every attempt fails
    f.run.SetPassHook([&] {
        if (f.run.Passes() == 2) f.run.Halt();
    });
    const InitialPlanResult r = f.Run(1000);
    EXPECT_EQ(r.Versuche, 2);
    EXPECT_TRUE(f.run.Idle());
}

TEST(InitialPlanRun, ACompleteAttemptClearsTheConflictOfAFailedOne) {
    RunFixture f;
    f.s = MakeSchool(5, 6, 2, 1, 1, 1);
    AddBlock(f.s, "L0", "K0", "F0", {2, 2});
    f.Build();
    PlanWriter::Flags(*f.plan).MehrfachUeberStundenLimit = 1;
    PlanWriter::Flags(*f.plan).AbbruchErsteStunde = 0; // the first attempt fails on the first hour
    // After it the planner accepts an empty first hour: the next attempt is complete.
    f.run.SetPassHook([&] { f.plan->SetFirstHourFlag(true); });
    const InitialPlanResult r = f.Run(10);
    ASSERT_TRUE(r.Complete());
    ASSERT_EQ(f.window.attempts.size(), 2u);
    EXPECT_EQ(f.window.attempts[0].Konflikt.Kind, Konflikt::ErsteStunde);
    EXPECT_EQ(f.window.attempts[0].Konflikt.Class, 0);
    EXPECT_EQ(f.window.attempts[1].Konflikt, ConflictRecord{});
    EXPECT_EQ(f.window.last.Konflikt, ConflictRecord{});
}

// "Halt" and "close the planning window, discard the plan" in the same pass: the plan must
// outlive the run and the window command around it (under AddressSanitizer a use after free
// would end the test).
TEST(InitialPlanRun, CloseAfterHaltInTheSamePassDestroysThePlanOnlyAfterTheRun) {
    RunFixture f;
    f.s = MakeSchool(5, 6, 2, 1, 1, 1);
    AddBlock(f.s, "L0", "K0", "F0", {2, 2});
    f.Build();
    PlanWriter::Flags(*f.plan).MehrfachUeberStundenLimit = 1;
    PlanWriter::Flags(*f.plan).AbbruchErsteStunde =
        0; // every attempt fails: only Halt ends the run
    bool destroyed = false;
    std::function<void()> close = [&] {
        if (!f.run.ConfirmClose(f.rep, close)) return;
        f.plan.reset();
        destroyed = true;
    };
    f.run.SetPassHook([&] {
        if (f.run.Passes() != 2) return;
        f.run.Halt();
        close();
        EXPECT_FALSE(destroyed);
    });
    {
        RunControl::Scope slot(f.run); // the window's start button
        const InitialPlanResult r = f.Run(1000);
        EXPECT_EQ(r.Versuche, 2);
        EXPECT_FALSE(destroyed);
        EXPECT_TRUE(f.rep.asked.empty());
        // What the window does after the run: the plan is still there.
        EvaluateAll(*f.plan);
        EXPECT_EQ(f.plan->Totals().KLSSumme, f.window.figures.KLSSumme);
    }
    EXPECT_TRUE(destroyed);
    ASSERT_EQ(f.rep.asked.size(), 1u);
    EXPECT_EQ(f.rep.asked[0].Text, texte::PlanLoeschenFrage);
    EXPECT_TRUE(f.rep.shown.empty());
}

TEST(InitialPlanRun, WithoutAPlanNothingRuns) {
    Window window;
    RunControl run(&window);
    CapturingReporter rep;
    Random rng(5);
    const InitialPlanResult r = RunInitialPlan(nullptr, rng, rep, run, 10, 1, &window);
    EXPECT_FALSE(r.PlanVorhanden);
    EXPECT_FALSE(r.Complete());
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Keine Planerstellung möglich!", "Fehler"}));
    // The window is usable again.
    EXPECT_TRUE(run.Idle());
    EXPECT_EQ(window.enabled, 1);
    EXPECT_TRUE(window.attempts.empty());
    EXPECT_EQ(rng.State(), Random(5).State()); // nothing drawn, nothing seeded
}

TEST(InitialPlanRun, LessonsAreNeededForAPlan) {
    Stammdaten s = MakeSchool(5, 6, 1, 1, 1, 1);
    EXPECT_FALSE(HatUnterricht(s));
    test::AddCourse(s, "Kurs", {"L0"}, {}, {1});
    EXPECT_FALSE(HatUnterricht(s)); // a course without classes is no lesson
    s.KursBloecke[0].Klassen = {"K0"};
    EXPECT_TRUE(HatUnterricht(s));
    Stammdaten t = MakeSchool(5, 6, 1, 1, 1, 1);
    AddBlock(t, "L0", "K0", "F0", {1});
    EXPECT_TRUE(HatUnterricht(t));
}

} // namespace
} // namespace sw
