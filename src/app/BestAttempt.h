// SPDX-License-Identifier: GPL-3.0-or-later
// BestAttempt.h: the initial plan that keeps its best attempt. When no attempt gives a complete
// plan (the attempts are used up, or "Halt" ends the run), the plan goes back to the attempt that
// placed the most hours, with the conflict that stopped that attempt; the planning window and the
// tool both run the initial plan so.
#pragma once

#include "model/Report.h"
#include "optimise/InitialPlanRun.h"
#include "optimise/RunControl.h"
#include "plan/Plan.h"
#include "plan/Snapshot.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace sw {

// Takes out of the grid the units of every course position whose teachers do not all stand at
// one slot (an attempt that gave up can leave them so); returns the hours taken out.
int TakeOutBrokenCourses(CPlan& plan);

// Watches the attempts of a run on `plan` and keeps the incomplete one that placed the most
// hours (the first of equals); every call is passed on to `next` afterwards. When the run
// finishes without a complete plan and that attempt placed more hours than the last one, the
// plan goes back to it and is evaluated again before `next` hears of the end: `next` is told
// the best attempt's rest, conflict and figures.
class BestAttempt : public InitialPlanObserver {
public:
    explicit BestAttempt(CPlan& plan, InitialPlanObserver* next = nullptr)
        : plan_(plan), next_(next) {}

    // Where the hours of the best attempt stood (Placed is 0 before any incomplete attempt).
    const PlanSnapshot& Best() const { return best_; }
    // The hours the best attempt left unplaced.
    int BestRest() const { return bestRest_; }
    // Whether the plan changed at the end of an incomplete run (back to the best attempt, or
    // broken courses taken out): the run's rest is then BestRest.
    bool Restored() const { return restored_; }

    void Started(const CPlan* plan, int attempts) override;
    void AttemptDone(const InitialPlanProgress& progress) override;
    void Finished(const InitialPlanProgress& progress, const PlanTotals& totals) override;

private:
    CPlan& plan_;
    InitialPlanObserver* next_;
    PlanSnapshot best_;
    int bestRest_ = 1;
    bool restored_ = false;
};

// The run of "1. Urplan erzeugen" (RunInitialPlan) on the run control `run`, keeping the best
// attempt as BestAttempt does; the result then carries the best attempt's rest.
InitialPlanResult RunInitialPlanKeepingBest(CPlan* plan, Random& rng, Reporter& reporter,
                                            RunControl& run, int attempts, std::uint32_t seed,
                                            InitialPlanObserver* observer = nullptr,
                                            const InitialPlanOptions& options = {});

// The same on a run control of its own: the run ends as by "Halt" once `stop` is set.
InitialPlanResult RunInitialPlanKeepingBest(CPlan& plan, Random& rng, Reporter& reporter,
                                            int attempts, std::uint32_t seed,
                                            InitialPlanObserver* observer = nullptr,
                                            const std::atomic<bool>* stop = nullptr,
                                            const InitialPlanOptions& options = {});

namespace texte {
// "Konflikt:  Sperrung": the conflict's kind as a message names it ("Konflikt:" without one).
std::string KonfliktZeile(sw::Konflikt kind);
// After a run that used up its attempts without a complete plan: "Kein vollständiger Plan nach
// 1000 Versuchen (bester Versuch: Rest = 94)." and the conflict that stopped the best attempt
// with its names.
std::string KeinVollstaendigerPlan(const InitialPlanResult& result, const ConflictRecord& konflikt,
                                   const ConflictNames& names);
} // namespace texte

} // namespace sw
