// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BestAttempt.h"

#include "app/Session.h"
#include "plan/Evaluation.h"
#include "plan/Invariants.h"
#include "plan/Snapshot.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <atomic>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace sw {
namespace {

// What an observer behind the keeper is told, with the grid as each attempt left it.
struct Watcher : InitialPlanObserver {
    const CPlan* plan = nullptr;
    int started = 0, finished = 0;
    std::vector<int> placed, rest;
    std::vector<ConflictRecord> conflicts;
    void Started(const CPlan*, int) override { ++started; }
    void AttemptDone(const InitialPlanProgress& p) override {
        placed.push_back(plan->PlacedCount());
        rest.push_back(p.Rest);
        conflicts.push_back(p.Konflikt);
    }
    void Finished(const InitialPlanProgress&, const PlanTotals&) override { ++finished; }
};

// A school that cannot be planned: one teacher has three free slots for more hours.
struct Unplannable {
    CapturingReporter rep;
    Session session{rep};
    Unplannable() {
        EXPECT_TRUE(session.OpenSchool(test::SourcePath("tests/cli/data/unplanbar.sch")));
        EXPECT_TRUE(session.StartPlanning());
    }
    CPlan& Plan() { return *session.Plan(); }
};

// Without a complete plan the plan goes back to the attempt that placed the most hours, with
// that attempt's conflict and rest, and its figures are evaluated again.
TEST(BestAttempt, AnIncompleteRunEndsWithItsBestAttempt) {
    Unplannable u;
    Watcher w;
    w.plan = &u.Plan();
    const InitialPlanResult r =
        RunInitialPlanKeepingBest(u.Plan(), u.session.Rng(), u.rep, 40, 3, &w);
    EXPECT_FALSE(r.Complete());
    EXPECT_EQ(r.Versuche, 40);
    ASSERT_EQ(w.placed.size(), 40u);
    EXPECT_EQ(w.started, 1);
    EXPECT_EQ(w.finished, 1);
    const auto best = std::max_element(w.placed.begin(), w.placed.end()) - w.placed.begin();
    // The run must end on a worse attempt, or this test would not see the keeper at work.
    ASSERT_LT(w.placed.back(), w.placed[best]);
    EXPECT_EQ(u.Plan().PlacedCount(), w.placed[best]);
    EXPECT_EQ(r.Rest, w.rest[best]);
    EXPECT_EQ(ConflictOf(u.Plan()), w.conflicts[best]);
    EXPECT_TRUE(CheckInvariants(u.Plan(), true).Ok());
}

TEST(BestAttempt, ACompletePlanIsLeftAsItIs) {
    CapturingReporter rep;
    Session session(rep);
    ASSERT_TRUE(session.OpenSchool(test::SourcePath("examples/gymnasium.sch")));
    ASSERT_TRUE(session.StartPlanning());
    Watcher w;
    w.plan = session.Plan();
    const InitialPlanResult r =
        RunInitialPlanKeepingBest(*session.Plan(), session.Rng(), rep, 1000, 1, &w);
    ASSERT_TRUE(r.Complete());
    EXPECT_EQ(r.Rest, 0);
    EXPECT_EQ(session.Plan()->PlacedCount(), w.placed.back());
    EXPECT_EQ(CheckInvariants(*session.Plan(), true).Unplaced, 0);
}

// The stop flag is tested before each attempt: the run ends after the attempt in progress.
TEST(BestAttempt, AStopEndsTheRunAfterTheAttemptInProgress) {
    Unplannable u;
    std::atomic<bool> stop{false};
    struct StopAtTheSecond : InitialPlanObserver {
        std::atomic<bool>* stop;
        void AttemptDone(const InitialPlanProgress& p) override {
            if (p.Versuche == 2) *stop = true;
        }
    } observer;
    observer.stop = &stop;
    const InitialPlanResult r =
        RunInitialPlanKeepingBest(u.Plan(), u.session.Rng(), u.rep, 1000, 3, &observer, &stop);
    EXPECT_EQ(r.Versuche, 2);
    EXPECT_FALSE(r.Complete());
}

// A course at a fixed time, its first teacher in a fixed room, its second teacher locked then:
// an attempt seats the first teacher with the fixed lessons, gives up on the second and would
// leave the course half in the grid, a plan the plan file could write but never read again.
// The course leaves the grid whole and counts as rest.
TEST(BestAttempt, AHalfSeatedCourseLeavesTheGrid) {
    Stammdaten s = test::MakeSchool(5, 6, 2, 2, 1, 1);
    CKursBlock& kurs = test::AddCourse(s, "Kurs", {"L0", "L1"}, {"K0"}, {1});
    for (CKursLehrer& l : kurs.Lehrer)
        l.Einheiten[0].Zeitvorgabe = SlotOf(0, 2);
    kurs.Lehrer[0].Einheiten[0].Raum = "R0";
    s.Lehrer[1].Sperre[SlotOf(0, 2)] = 1;
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    Random rng;
    const InitialPlanResult r = RunInitialPlanKeepingBest(plan, rng, rep, 3, 1);
    EXPECT_FALSE(r.Complete());
    EXPECT_EQ(r.Rest, 2);
    EXPECT_EQ(plan.PlacedCount(), 0);
    EXPECT_TRUE(CheckInvariants(plan, false).Ok());
}

} // namespace
} // namespace sw
