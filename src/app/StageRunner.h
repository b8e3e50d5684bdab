// SPDX-License-Identifier: GPL-3.0-or-later
// StageRunner.h: a chain of optimisation stages on one plan without a window, as the tool runs
// it. The stages run in the order given, each until its own end (its target or its pass limit),
// until its time budget is spent, until its pass budget is done, or until a stop is requested
// (Ctrl-C in the tool). A stop ends the pass in progress, and no further stage starts. After
// each stage the plan is evaluated from scratch and the stage's record is handed out at once.
#pragma once

#include "model/Report.h"
#include "optimise/Stages.h"
#include "plan/Plan.h"

#include <atomic>
#include <functional>
#include <vector>

namespace sw {

// What the tool reports of a stage: its number, how long it ran, how it ended and the figures
// after it.
struct StageRecord {
    sw::Stage Stage = sw::Stage::KlassenLuecken;
    double Seconds = 0;
    StageResult Result;
    int KLSSumme = 0, KProd = 0, KProdOpt = 0, TFSumme = 0, STFSumme = 0, LLSSumme = 0, LLSMax = 0,
        LProd = 0, LProdOpt = 0;
};

struct StageRunOptions {
    std::vector<Stage> Stages;
    double Seconds = 10.0;      // time budget of each stage
    int Passes = 0;             // pass budget of each stage; 0: none of our own
    bool CompoundMoves = false; // the stages use the compound moves of the search
    // Once set, the run ends: tested before each stage and each pass.
    const std::atomic<bool>* Stop = nullptr;
    // Told after each stage, before the next one starts.
    std::function<void(const StageRecord&)> StageDone;
    // Seconds on a steady clock; tests give a clock of their own.
    std::function<double()> Clock;
};

// Runs the stages on `plan`, whose targets are computed and figures evaluated, drawing from
// `rng`. Messages of the stages go to `reporter`. Returns one record per stage that ran.
std::vector<StageRecord> RunStages(CPlan& plan, Random& rng, Reporter& reporter,
                                   const StageRunOptions& options);

} // namespace sw
