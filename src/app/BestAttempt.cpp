// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BestAttempt.h"

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
    // Without a complete plan the best attempt is worth more than the last one.
    if (progress.Rest == 0 || best_.Placed <= plan_.PlacedCount()) {
        if (next_) next_->Finished(progress, figures, startCaption);
        return;
    }
    RestoreSnapshot(plan_, best_);
    EvaluateAll(plan_);
    restored_ = true;
    InitialPlanProgress best = progress;
    best.Rest = bestRest_;
    best.Label1 = std::to_string(best.Versuche) + " Versuche / Rest = " + std::to_string(bestRest_);
    best.Konflikt = DescribeConflict(plan_);
    if (next_) next_->Finished(best, ShowFigures(plan_), startCaption);
}

InitialPlanResult RunInitialPlanKeepingBest(CPlan* plan, Random& rng, Reporter& reporter,
                                            RunControl& run, const std::string& attempts,
                                            std::uint32_t seed, InitialPlanObserver* observer,
                                            const InitialPlanOptions& options) {
    if (!plan)
        return RunInitialPlan(nullptr, rng, reporter, run, attempts, seed, observer, options);
    BestAttempt best(*plan, observer);
    InitialPlanResult result =
        RunInitialPlan(plan, rng, reporter, run, attempts, seed, &best, options);
    if (best.Restored()) result.Rest = best.BestRest();
    return result;
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
    return RunInitialPlanKeepingBest(&plan, rng, reporter, run, attempts, seed, observer, options);
}

namespace texte {
std::string KeinVollstaendigerPlan(const InitialPlanResult& result,
                                   const ConflictLabels& konflikt) {
    std::string text = "Kein vollständiger Plan nach " + std::to_string(result.Versuche) +
                       " Versuchen (bester Versuch: Rest = " + std::to_string(result.Rest) + ").";
    std::string names;
    for (const std::string* s : {&konflikt.Lehrer, &konflikt.Klassen, &konflikt.FachKurs})
        if (!s->empty()) names += (names.empty() ? "" : ", ") + *s;
    if (konflikt.Caption != texte::Konflikt)
        text += "\n" + konflikt.Caption + (names.empty() ? "" : " (" + names + ")");
    return text;
}
} // namespace texte

} // namespace sw
