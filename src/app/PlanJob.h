// SPDX-License-Identifier: GPL-3.0-or-later
// PlanJob.h: planning a school without a window, once or as several independent runs at once.
// One run opens the school (or a saved plan) in a planning service of its own, builds the
// initial plan (completing an attempt's partial plan by the conflict-directed search unless that
// is switched off) and runs the stages. Runs share nothing: each has its session, its plan and its
// generator, seeded S, S+1, ...; they run on threads of their own, and the best plan is kept.
#pragma once

#include "app/PlanningService.h"
#include "app/Session.h"
#include "app/StageRunner.h"
#include "optimise/InitialPlanRun.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sw {

struct PlanJobOptions {
    std::string School; // a project, master-data or plan file
    // A saved plan to continue instead: no initial plan is built, the stages start from it.
    std::string PlanFile;
    // What every run takes; run i is seeded Planning.Seed + i.
    PlanningOptions Planning;
};

// What a run on a thread of its own reports: kept until the run is over, then passed on. Once
// passed on, the kept messages are shown through the new reporter and everything the run's
// session says later (a failed save, say) goes there directly instead of being kept unseen.
class RunReporter : public CapturingReporter {
public:
    void Show(const Message& message) override;
    bool Ask(const Message& message, Question kind) override;
    // Shows the kept messages through `target`, in order, and sends every later one there. Call
    // it only when no thread reports into this object any more.
    void PassOn(Reporter& target);

private:
    Reporter* target_ = nullptr;
};

// One run and what came of it.
struct PlanJobRun {
    std::uint32_t Seed = 0;
    std::unique_ptr<RunReporter> Messages; // what the run reported, unless told live
    std::unique_ptr<Session> Schule;       // its school and plan
    bool Opened = false;                   // the school was read and planning started
    InitialPlanResult Urplan;
    double UrplanSeconds = 0; // time to the initial plan
    std::vector<StageRecord> Stages;
    int Unplaced = 0; // lesson hours that stand nowhere at the end
};

// Runs one plan job with `seed`; `observer` sees the attempts, `stageDone` each stage. Messages
// go to `live`, or are kept in the run's Messages when it is null.
PlanJobRun RunPlanJob(const PlanJobOptions& options, std::uint32_t seed, Reporter* live = nullptr,
                      InitialPlanObserver* observer = nullptr,
                      const std::function<void(const StageRecord&)>& stageDone = {});

// What can never fit in the job's school under its limit options (DescribeFitProblems, naming
// the tool's switches), for saying so before the first attempt; empty when nothing was found or
// the school cannot be read (the run itself then says why).
std::vector<std::string> FitProblemsOfJob(const PlanJobOptions& options);

// True when run a ended better than b: fewer unplaced hours, then fewer class gaps, separation
// errors, special separation errors, teacher gaps, then the higher class and teacher
// distribution. A run whose school could not be opened is worse than any other.
bool BetterRun(const PlanJobRun& a, const PlanJobRun& b);

// Planning.Jobs runs with the seeds Seed, Seed+1, ... on as many threads, each keeping its
// messages. The
// first run's progress goes to `observer` and `stageDone`. Returns every run; `best` is set to
// the index of the best one.
std::vector<PlanJobRun> RunPlanJobs(const PlanJobOptions& options, std::size_t& best,
                                    InitialPlanObserver* observer = nullptr,
                                    const std::function<void(const StageRecord&)>& stageDone = {});

} // namespace sw
