// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanJob.h"

#include "app/BestAttempt.h"
#include "plan/FitCheck.h"
#include "plan/Invariants.h"

#include <chrono>
#include <thread>
#include <tuple>

namespace sw {

void RunReporter::Show(const Message& message) {
    if (target_)
        target_->Show(message);
    else
        CapturingReporter::Show(message);
}

bool RunReporter::Ask(const Message& message, Question kind) {
    return target_ ? target_->Ask(message, kind) : CapturingReporter::Ask(message, kind);
}

void RunReporter::PassOn(Reporter& target) {
    for (const Message& m : shown)
        target.Show(m);
    shown.clear();
    target_ = &target;
}

namespace {

StageRunOptions StageOptions(const PlanJobOptions& o,
                             const std::function<void(const StageRecord&)>& stageDone) {
    StageRunOptions stages;
    stages.Stages = o.Stages;
    stages.Seconds = o.StageSeconds;
    stages.Passes = o.StagePasses;
    // The search's compound moves belong to the same choice as the search itself.
    stages.CompoundMoves = o.Urplan.Weitersuchen;
    stages.StopRequested = o.StopRequested;
    stages.StageDone = stageDone;
    return stages;
}

// A saved plan, continued: its limit options loosened as asked, then the stages when it is
// complete.
void ContinuePlan(const PlanJobOptions& o, std::uint32_t seed, PlanJobRun& run,
                  const std::function<void(const StageRecord&)>& stageDone) {
    Session& session = *run.Schule;
    if (!session.OpenPlanFile(o.PlanFile)) return;
    run.Opened = true;
    CPlan& plan = *session.Plan();
    plan.KursUeberStundenLimit = plan.KursUeberStundenLimit || o.KursUeberStundenLimit;
    plan.MehrfachKursUeberStundenLimit =
        plan.MehrfachKursUeberStundenLimit || o.MehrfachKursUeberStundenLimit;
    plan.MehrfachUeberStundenLimit = plan.MehrfachUeberStundenLimit || o.MehrfachUeberStundenLimit;
    session.Rng().Seed(seed);
    run.Urplan.PlanVorhanden = true;
    run.Urplan.Rest = CheckInvariants(plan, false).Unplaced;
    if (run.Urplan.Complete() && !o.Stages.empty())
        run.Stages = RunStages(plan, session.Rng(), session.Report(), StageOptions(o, stageDone));
    run.Unplaced = static_cast<int>(plan.StundenL.size()) - plan.PlacedCount();
}

} // namespace

PlanJobRun RunPlanJob(const PlanJobOptions& o, std::uint32_t seed, Reporter* live,
                      InitialPlanObserver* observer,
                      const std::function<void(const StageRecord&)>& stageDone) {
    PlanJobRun run;
    run.Seed = seed;
    Reporter* target = live;
    if (!target) {
        run.Messages = std::make_unique<RunReporter>();
        target = run.Messages.get();
    }
    Reporter& reporter = *target;
    run.Schule = std::make_unique<Session>(reporter);
    Session& session = *run.Schule;
    if (!o.PlanFile.empty()) {
        ContinuePlan(o, seed, run, stageDone);
        return run;
    }
    if (!session.OpenSchool(o.School) || !session.StartPlanning()) return run;
    run.Opened = true;
    CPlan& plan = *session.Plan();
    plan.KursUeberStundenLimit = o.KursUeberStundenLimit;
    plan.MehrfachKursUeberStundenLimit = o.MehrfachKursUeberStundenLimit;
    plan.MehrfachUeberStundenLimit = o.MehrfachUeberStundenLimit;
    plan.AbbruchErsteStunde = o.AbbruchErsteStunde ? 1 : 0;

    const auto start = std::chrono::steady_clock::now();
    run.Urplan = RunInitialPlanKeepingBest(plan, session.Rng(), reporter, o.Versuche, seed,
                                           observer, o.StopRequested, o.Urplan);
    run.UrplanSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (run.Urplan.Complete() && !o.Stages.empty())
        run.Stages = RunStages(plan, session.Rng(), reporter, StageOptions(o, stageDone));
    run.Unplaced = static_cast<int>(plan.StundenL.size()) - plan.PlacedCount();
    return run;
}

std::vector<std::string> FitProblemsOfJob(const PlanJobOptions& o) {
    CapturingReporter quiet;
    Session session(quiet);
    if (!session.OpenSchool(o.School) || !session.StartPlanning()) return {};
    CPlan& plan = *session.Plan();
    plan.KursUeberStundenLimit = o.KursUeberStundenLimit;
    plan.MehrfachKursUeberStundenLimit = o.MehrfachKursUeberStundenLimit;
    plan.MehrfachUeberStundenLimit = o.MehrfachUeberStundenLimit;
    return DescribeFitProblems(plan, true);
}

bool BetterRun(const PlanJobRun& a, const PlanJobRun& b) {
    if (a.Opened != b.Opened) return a.Opened;
    if (!a.Opened) return false;
    const CPlan& p = *a.Schule->Plan();
    const CPlan& q = *b.Schule->Plan();
    // Lower is better in every field: the distributions count negatively.
    return std::tuple(a.Unplaced, p.KLSSumme, p.TFSumme, p.STFSumme, p.LLSSumme, -p.KProd,
                      -p.LProd) < std::tuple(b.Unplaced, q.KLSSumme, q.TFSumme, q.STFSumme,
                                             q.LLSSumme, -q.KProd, -q.LProd);
}

std::vector<PlanJobRun> RunPlanJobs(const PlanJobOptions& options, int jobs, std::size_t& best,
                                    InitialPlanObserver* observer,
                                    const std::function<void(const StageRecord&)>& stageDone) {
    jobs = std::max(jobs, 1);
    std::vector<PlanJobRun> runs(static_cast<std::size_t>(jobs));
    {
        std::vector<std::jthread> threads;
        threads.reserve(runs.size());
        for (int i = 0; i < jobs; ++i)
            threads.emplace_back([&, i] {
                const auto seed = options.Seed + static_cast<std::uint32_t>(i);
                runs[static_cast<std::size_t>(i)] =
                    i == 0 ? RunPlanJob(options, seed, nullptr, observer, stageDone)
                           : RunPlanJob(options, seed);
            });
    } // every thread has ended here
    best = 0;
    for (std::size_t i = 1; i < runs.size(); ++i)
        if (BetterRun(runs[i], runs[best])) best = i;
    return runs;
}

} // namespace sw
