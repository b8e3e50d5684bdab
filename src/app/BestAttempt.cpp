// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BestAttempt.h"

#include "plan/Evaluation.h"

namespace sw {

int TakeOutBrokenCourses(CPlan& plan) {
    int lifted = 0;
    for (const auto& ptr : plan.StundenL) {
        const CStunde& h = *ptr;
        if (!h.ParallelL || h.ParallelL->empty() || h.ParallelL->front() != &h) continue;
        const int slot = plan.SlotOfHour(h);
        bool whole = true;
        for (const CStunde* q : *h.ParallelL)
            whole = whole && plan.SlotOfHour(*q) == slot;
        if (whole) continue;
        // Every teacher's unit of this course position leaves the grid whole.
        for (const CStunde* q : *h.ParallelL) {
            const CStunde& first = plan.FirstOfUnit(*q);
            for (int p = 0; p < CPlan::UnitLength(first); ++p) {
                const CStunde& u = plan.UnitHour(first, p);
                if (plan.PositionOf(u) < 0) continue;
                plan.Lift(plan.RoomOf(u), plan.SlotOfHour(u));
                ++lifted;
            }
        }
    }
    return lifted;
}

void BestAttempt::Started(const CPlan* plan, int attempts) {
    if (next_) next_->Started(plan, attempts);
}

void BestAttempt::AttemptDone(const InitialPlanProgress& progress) {
    if (progress.Rest != 0 && plan_.PlacedCount() > best_.Placed) {
        best_ = TakeSnapshot(plan_);
        bestRest_ = progress.Rest;
    }
    if (next_) next_->AttemptDone(progress);
}

void BestAttempt::Finished(const InitialPlanProgress& progress, const PlanTotals& totals) {
    if (progress.Rest == 0) {
        if (next_) next_->Finished(progress, totals);
        return;
    }
    // Without a complete plan the best attempt is worth more than the last one.
    InitialPlanProgress best = progress;
    if (best_.Placed > plan_.PlacedCount()) {
        RestoreSnapshot(plan_, best_);
        restored_ = true;
        best.Rest = bestRest_;
        best.Konflikt = ConflictOf(plan_);
    }
    // An attempt that gave up may have seated some teachers of a course and not the others;
    // such a plan could be saved but never read again, so those course units leave the grid.
    const int lifted = TakeOutBrokenCourses(plan_);
    if (!restored_ && lifted == 0) {
        if (next_) next_->Finished(progress, totals);
        return;
    }
    bestRest_ = best.Rest + lifted;
    best.Rest = bestRest_;
    restored_ = true;
    EvaluateAll(plan_);
    if (next_) next_->Finished(best, plan_.Totals());
}

InitialPlanResult RunInitialPlanKeepingBest(CPlan* plan, Random& rng, Reporter& reporter,
                                            RunControl& run, int attempts, std::uint32_t seed,
                                            InitialPlanObserver* observer,
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
                                            int attempts, std::uint32_t seed,
                                            InitialPlanObserver* observer,
                                            const std::atomic<bool>* stop,
                                            const InitialPlanOptions& options) {
    RunControl run;
    run.SetStopFlag(stop);
    return RunInitialPlanKeepingBest(&plan, rng, reporter, run, attempts, seed, observer, options);
}

namespace texte {
std::string KonfliktZeile(sw::Konflikt kind) {
    return kind == sw::Konflikt::Keiner ? std::string("Konflikt:")
                                        : std::string("Konflikt:  ") + CPlan::KonfliktText(kind);
}

std::string KeinVollstaendigerPlan(const InitialPlanResult& result, const ConflictRecord& konflikt,
                                   const ConflictNames& n) {
    std::string text = "Kein vollständiger Plan nach " + std::to_string(result.Versuche) +
                       " Versuchen (bester Versuch: Rest = " + std::to_string(result.Rest) + ").";
    std::string names;
    for (const std::string* s : {&n.Lehrer, &n.Klassen, &n.FachKurs})
        if (!s->empty()) names += (names.empty() ? "" : ", ") + *s;
    if (konflikt.Kind != sw::Konflikt::Keiner)
        text += "\n" + KonfliktZeile(konflikt.Kind) + (names.empty() ? "" : " (" + names + ")");
    return text;
}
} // namespace texte

} // namespace sw
