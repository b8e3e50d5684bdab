// SPDX-License-Identifier: GPL-3.0-or-later
// BestAttempt.h: the initial plan as the tool makes it. The planning window keeps whatever the
// last attempt left; the tool, when no attempt gives a complete plan, hands out the attempt that
// placed the most hours instead, with the conflict that stopped that attempt.
#pragma once

#include "model/Report.h"
#include "optimise/InitialPlanRun.h"
#include "plan/Plan.h"
#include "plan/Snapshot.h"

#include <cstdint>
#include <functional>
#include <string>

namespace sw {

// Watches the attempts of a run on `plan` and keeps the incomplete one that placed the most
// hours (the first of equals); every call is passed on to `next` afterwards.
class BestAttempt : public InitialPlanObserver {
public:
    explicit BestAttempt(const CPlan& plan, InitialPlanObserver* next = nullptr)
        : plan_(plan), next_(next) {}

    // Where the hours of the best attempt stood (Placed is 0 before any incomplete attempt).
    const PlanSnapshot& Best() const { return best_; }
    // The hours the best attempt left unplaced.
    int BestRest() const { return bestRest_; }

    void Started(const std::string& caption, const std::string& anzahlVersuche,
                 const ConflictLabels& konflikt) override;
    void AttemptDone(const InitialPlanProgress& progress) override;
    void Finished(const InitialPlanProgress& progress, const Figures& figures,
                  const std::string& startCaption) override;

private:
    const CPlan& plan_;
    InitialPlanObserver* next_;
    PlanSnapshot best_;
    int bestRest_ = 1;
};

// Runs the initial plan with `attempts` attempts (the text of the count field), `rng` seeded with
// `seed`;
// `stopRequested` is asked after each attempt and ends the run when true ("Halt"). When the run
// ends without a complete plan and an earlier attempt placed more hours than the last, the plan
// goes back to that attempt and is evaluated again; the result then carries its rest.
InitialPlanResult RunInitialPlanKeepingBest(CPlan& plan, Random& rng, Reporter& reporter,
                                            const std::string& attempts, std::uint32_t seed,
                                            InitialPlanObserver* observer = nullptr,
                                            const std::function<bool()>& stopRequested = {},
                                            const InitialPlanOptions& options = {});

} // namespace sw
