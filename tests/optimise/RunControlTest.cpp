// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/RunControl.h"

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace sw {
namespace {

struct Recorder : RunObserver {
    int disabled = 0;
    int enabled = 0;
    void DisableCommands() override { ++disabled; }
    void EnableCommands() override { ++enabled; }
};

TEST(RunControl, HaltEndsTheRunAfterThePassInProgress) {
    Recorder obs;
    RunControl run(&obs);
    int passes = 0;
    // The hook stands for the desktop processing input; the user presses Halt in pass 3.
    run.SetPassHook([&] {
        if (run.Passes() == 3) run.Halt();
    });
    run.Begin();
    EXPECT_FALSE(run.Idle());
    EXPECT_EQ(obs.disabled, 1);
    while (run.KeepRunning()) {
        ++passes; // a whole pass: moves are never interrupted
        run.PassDone();
    }
    EXPECT_EQ(passes, 3);
    EXPECT_EQ(obs.enabled, 1); // Halt enables at once
    run.End();
    EXPECT_TRUE(run.Idle());
    EXPECT_EQ(obs.enabled, 2);
}

TEST(RunControl, HaltWhileIdleKeepsIdleAndEnablesTheCommands) {
    Recorder obs;
    RunControl run(&obs);
    run.Halt();
    EXPECT_TRUE(run.Idle());
    EXPECT_EQ(obs.enabled, 1);
}

// The stop flag from outside ends the run at its next test, as "Halt" does.
TEST(RunControl, TheStopFlagEndsTheRunAfterThePassInProgress) {
    std::atomic<bool> stop{false};
    RunControl run;
    run.SetStopFlag(&stop);
    run.SetPassHook([&] {
        if (run.Passes() == 2) stop = true;
    });
    int passes = 0;
    run.Begin();
    while (run.KeepRunning()) {
        ++passes;
        run.PassDone();
    }
    EXPECT_EQ(passes, 2);
    run.End();
    run.Begin();
    EXPECT_FALSE(run.KeepRunning()); // still set: a new run does not start either
    run.End();
}

TEST(RunControl, GuardsWhileARunIsActive) {
    RunControl run;
    CapturingReporter rep(true);
    run.Begin();
    EXPECT_FALSE(run.ConfirmClose(rep));
    EXPECT_FALSE(run.MaySavePlan(rep));
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[0],
              (Message{"Ein Optimierungs - Vorgang ist noch aktiv!\nBeenden Sie zuerst diesen "
                       "Vorgang und schließen sie dann das Planungs-Fenster.",
                       "Warnung"}));
    EXPECT_EQ(rep.shown[1], (Message{"Ein Optimierungs - Vorgang ist noch aktiv!\nBeenden Sie "
                                     "diesen Vorgang vor dem Speichern.",
                                     "Fehler"}));
    EXPECT_TRUE(rep.asked.empty());
    EXPECT_FALSE(run.Idle()); // the run goes on
}

TEST(RunControl, CloseWhenIdleAsksAndFollowsTheAnswer) {
    RunControl run;
    CapturingReporter no(false), yes(true);
    EXPECT_FALSE(run.ConfirmClose(no));
    ASSERT_EQ(no.asked.size(), 1u);
    EXPECT_EQ(no.asked[0], (Message{"Das Schließen des Planungs-Fensters löscht den aktuellen "
                                    "Plan!\nFenster schließen und Plan löschen?",
                                    "Warnung"}));
    EXPECT_TRUE(run.ConfirmClose(yes));
    EXPECT_TRUE(run.MaySavePlan(yes));
}

TEST(RunControl, QueuedCommandsRunWhenTheLastScopeEnds) {
    RunControl run;
    std::vector<std::string> log;
    run.WhenReturned([&] { log.push_back("sofort"); });
    EXPECT_EQ(log, std::vector<std::string>{"sofort"}); // nothing on the stack: at once
    {
        RunControl::Scope slot(run);
        {
            RunControl::Scope core(run);
            run.WhenReturned([&] { log.push_back("a"); });
            run.WhenReturned([&] {
                log.push_back("b");
                // A queued command that starts a run of its own: its queue waits for it.
                RunControl::Scope again(run);
                run.WhenReturned([&] { log.push_back("c"); });
                log.push_back("b-ende");
            });
        }
        EXPECT_TRUE(run.InUse());
        EXPECT_EQ(run.Queued(), 2);
        EXPECT_EQ(log.size(), 1u); // the window command around the run is still on the stack
    }
    EXPECT_FALSE(run.InUse());
    EXPECT_EQ(run.Queued(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"sofort", "a", "b", "b-ende", "c"}));
}

// "Halt" and a close request in the same pass: the question comes only after the run has
// returned, and a command that replaces the plan waits likewise. While the run is really active
// the close is refused at once and nothing is queued.
TEST(RunControl, CloseAfterHaltInTheSamePassIsAskedOnceTheRunHasReturned) {
    RunControl run;
    CapturingReporter rep(true);
    bool closed = false;
    std::function<void()> close = [&] {
        if (run.ConfirmClose(rep, close)) closed = true;
    };
    int replaced = 0;
    std::function<void()> replace = [&] {
        if (!run.DeferWhileReturning(replace)) ++replaced;
    };
    {
        RunControl::Scope slot(run);
        run.Begin();
        close(); // active: the refusal
        ASSERT_EQ(rep.shown.size(), 1u);
        EXPECT_EQ(rep.shown[0].Text, texte::LaufAktivSchliessen);
        EXPECT_EQ(run.Queued(), 0);
        replace(); // active: goes on (its close of the planning window refuses)
        EXPECT_EQ(replaced, 1);

        run.Halt();
        EXPECT_TRUE(run.Returning());
        close();
        replace();
        EXPECT_FALSE(closed);
        EXPECT_TRUE(rep.asked.empty());
        EXPECT_EQ(replaced, 1);
        EXPECT_EQ(run.Queued(), 2);
        run.End();
    }
    EXPECT_TRUE(closed);
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0].Text, texte::PlanLoeschenFrage);
    EXPECT_EQ(replaced, 2);
    EXPECT_EQ(rep.shown.size(), 1u);
}

} // namespace
} // namespace sw
