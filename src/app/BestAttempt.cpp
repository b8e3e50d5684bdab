// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BestAttempt.h"

#include "optimise/RunControl.h"
#include "plan/Evaluation.h"

namespace sw {

void BestAttempt::Started(const std::string& caption, const std::string& anzahlVersuche,
                          const ConflictLabels& konflikt) {
    if (next_) next_->Started(caption, anzahlVersuche, konflikt);
}

void BestAttempt::AttemptDone(const InitialPlanProgress& progress) {
    if (progress.Rest != 0 && plan_.PlacedCount() > best_.Placed) {
        best_ = TakeSnapshot(plan_);
        bestRest_ = progress.Rest;
    }
    if (next_) next_->AttemptDone(progress);
}

void BestAttempt::Finished(const InitialPlanProgress& progress, const Figures& figures,
                           const std::string& startCaption) {
    if (next_) next_->Finished(progress, figures, startCaption);
}

InitialPlanResult RunInitialPlanKeepingBest(CPlan& plan, Random& rng, Reporter& reporter,
                                            const std::string& attempts, std::uint32_t seed,
                                            InitialPlanObserver* observer,
                                            const std::function<bool()>& stopRequested,
                                            const InitialPlanOptions& options) {
    RunControl run;
    run.SetPassHook([&] {
        if (stopRequested && stopRequested()) run.Halt();
    });
    BestAttempt best(plan, observer);
    InitialPlanResult result =
        RunInitialPlan(&plan, rng, reporter, run, attempts, seed, &best, options);
    // Without a complete plan the best attempt is worth more than the last one.
    if (!result.Complete() && best.Best().Placed > plan.PlacedCount()) {
        RestoreSnapshot(plan, best.Best());
        EvaluateAll(plan);
        result.Rest = best.BestRest();
    }
    return result;
}

} // namespace sw
