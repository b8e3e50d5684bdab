// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/RunControl.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

struct Recorder : RunObserver {
    int disabled = 0;
    int enabled = 0;
    std::string caption;
    void DisableCommands() override { ++disabled; }
    void EnableCommands(const std::string& c) override {
        ++enabled;
        caption = c;
    }
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
    EXPECT_EQ(obs.caption, "Planung : Bereitschaft");
}

TEST(RunControl, HaltWhileIdleKeepsIdleAndSetsTheCaption) {
    Recorder obs;
    RunControl run(&obs);
    run.Halt();
    EXPECT_TRUE(run.Idle());
    EXPECT_EQ(obs.enabled, 1);
    EXPECT_EQ(obs.caption, "Planung : Bereitschaft");
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

} // namespace
} // namespace sw
