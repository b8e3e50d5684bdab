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
    RunControl control;
    PlanningService service(*target, control);
    PlanningOptions options = o.Planning;
    options.Seed = seed;
    service.SetOptions(options);
    const bool continued = !o.PlanFile.empty();
    const bool opened = continued ? service.OpenPlan(o.PlanFile) : service.OpenSchool(o.School);
    if (!opened) {
        run.Schule = service.ReleaseSession();
        return run;
    }
    run.Opened = true;
    service.ApplyLimits();
    CPlan& plan = *service.Plan();
    if (continued) {
        run.Urplan.PlanVorhanden = true;
        run.Urplan.Rest = CheckInvariants(plan, false).Unplaced;
    } else {
        const auto start = std::chrono::steady_clock::now();
        run.Urplan = service.RunInitialPlan(observer);
        run.UrplanSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (run.Urplan.Complete()) run.Stages = service.RunStages(stageDone);
    run.Unplaced = static_cast<int>(plan.StundenL.size()) - plan.PlacedCount();
    run.Schule = service.ReleaseSession();
    return run;
}

std::vector<std::string> FitProblemsOfJob(const PlanJobOptions& o) {
    CapturingReporter quiet;
    RunControl control;
    PlanningService service(quiet, control);
    service.SetOptions(o.Planning);
    if (!service.OpenSchool(o.School)) return {};
    service.ApplyLimits();
    return DescribeFitProblems(*service.Plan(), true);
}

bool BetterRun(const PlanJobRun& a, const PlanJobRun& b) {
    if (a.Opened != b.Opened) return a.Opened;
    if (!a.Opened) return false;
    const CPlan& p = *a.Schule->Plan();
    const CPlan& q = *b.Schule->Plan();
    // Lower is better in every field: the distributions count negatively.
    return std::tuple(a.Unplaced, p.Totals().KLSSumme, p.Totals().TFSumme, p.Totals().STFSumme,
                      p.Totals().LLSSumme, -p.Totals().KProd, -p.Totals().LProd) <
           std::tuple(b.Unplaced, q.Totals().KLSSumme, q.Totals().TFSumme, q.Totals().STFSumme,
                      q.Totals().LLSSumme, -q.Totals().KProd, -q.Totals().LProd);
}

std::vector<PlanJobRun> RunPlanJobs(const PlanJobOptions& options, std::size_t& best,
                                    InitialPlanObserver* observer,
                                    const std::function<void(const StageRecord&)>& stageDone) {
    const int jobs = std::max(options.Planning.Jobs, 1);
    std::vector<PlanJobRun> runs(static_cast<std::size_t>(jobs));
    {
        std::vector<std::jthread> threads;
        threads.reserve(runs.size());
        for (int i = 0; i < jobs; ++i)
            threads.emplace_back([&, i] {
                const auto seed = options.Planning.Seed + static_cast<std::uint32_t>(i);
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
