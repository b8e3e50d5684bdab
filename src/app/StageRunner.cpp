// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StageRunner.h"

#include "optimise/RunControl.h"
#include "plan/Evaluation.h"

#include <chrono>

namespace sw {

namespace {

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

StageRecord Record(Stage stage, double seconds, const StageResult& result, const CPlan& plan) {
    StageRecord r;
    r.Stage = stage;
    r.Seconds = seconds;
    r.Result = result;
    r.KLSSumme = plan.Totals().KLSSumme;
    r.KProd = plan.Totals().KProd;
    r.KProdOpt = plan.Totals().KProdOpt;
    r.TFSumme = plan.Totals().TFSumme;
    r.STFSumme = plan.Totals().STFSumme;
    r.LLSSumme = plan.Totals().LLSSumme;
    r.LLSMax = plan.Totals().LLSMax;
    r.LProd = plan.Totals().LProd;
    r.LProdOpt = plan.Totals().LProdOpt;
    return r;
}

} // namespace

std::vector<StageRecord> RunStages(CPlan& plan, Random& rng, Reporter& reporter,
                                   const StageRunOptions& o) {
    const std::function<double()> clock = o.Clock ? o.Clock : SteadySeconds;
    const auto stopRequested = [&o] { return o.Stop && o.Stop->load(std::memory_order_relaxed); };
    std::vector<StageRecord> records;
    RunControl run;
    run.SetStopFlag(o.Stop);
    Optimiser optimiser(plan, rng, run, reporter);
    optimiser.SetCompoundMoves(o.CompoundMoves);
    for (const Stage stage : o.Stages) {
        if (stopRequested()) break;
        const double start = clock();
        // The run counts the passes of each stage from its start.
        run.SetPassHook([&] {
            if (clock() - start >= o.Seconds || (o.Passes > 0 && run.Passes() >= o.Passes))
                run.Halt();
        });
        const StageResult result = optimiser.RunStage(stage);
        const double seconds = clock() - start;
        EvaluateAll(plan);
        records.push_back(Record(stage, seconds, result, plan));
        if (o.StageDone) o.StageDone(records.back());
    }
    return records;
}

} // namespace sw
