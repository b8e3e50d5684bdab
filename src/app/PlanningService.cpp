// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlanningService.h"

#include "app/BestAttempt.h"

namespace sw {

PlanningService::PlanningService(Reporter& reporter, RunControl& run)
    : reporter_(reporter), run_(run) {}

void PlanningService::Attach(CPlan* plan, Random* rng) {
    own_.reset();
    plan_ = plan && rng ? plan : nullptr;
    rng_ = rng;
    saved_ = false;
}

bool PlanningService::OpenSchool(const std::string& path) {
    Attach(nullptr, nullptr);
    own_ = std::make_unique<Session>(reporter_);
    if (!own_->OpenSchool(path) || !own_->StartPlanning()) return false;
    plan_ = own_->Plan();
    rng_ = &own_->Rng();
    return true;
}

bool PlanningService::OpenPlan(const std::string& path) {
    Attach(nullptr, nullptr);
    own_ = std::make_unique<Session>(reporter_);
    if (!own_->OpenPlanFile(path)) return false;
    plan_ = own_->Plan();
    rng_ = &own_->Rng();
    rng_->Seed(options_.Seed);
    saved_ = true;
    return true;
}

std::unique_ptr<Session> PlanningService::ReleaseSession() {
    plan_ = nullptr;
    rng_ = nullptr;
    return std::move(own_);
}

void PlanningService::ApplyLimits() {
    if (!plan_) return;
    const PlanningOptions& o = options_;
    CPlan& plan = *plan_;
    if (saved_) {
        const PlanFlags& f = plan.Flags();
        plan.SetLimitFlags(f.KursUeberStundenLimit || o.CourseOverLimit,
                           f.MehrfachKursUeberStundenLimit || o.MultiCourseOverLimit,
                           f.MehrfachUeberStundenLimit || o.MultiOverLimit);
        return;
    }
    plan.SetLimitFlags(o.CourseOverLimit, o.MultiCourseOverLimit, o.MultiOverLimit);
    plan.SetFirstHourFlag(!o.StrictFirstHour);
}

InitialPlanResult PlanningService::RunInitialPlan(InitialPlanObserver* observer) {
    InitialPlanOptions search;
    search.Weitersuchen = options_.Search;
    search.SuchSchritte = options_.SearchSteps;
    run_.SetStopFlag(options_.Stop);
    Random unused; // without a plan the run only refuses
    return RunInitialPlanKeepingBest(plan_, rng_ ? *rng_ : unused, reporter_, run_,
                                     options_.Attempts, options_.Seed, observer, search);
}

StageResult PlanningService::RunStage(Stage stage, StageObserver* observer) {
    if (!plan_) return {};
    run_.SetStopFlag(options_.Stop);
    Optimiser optimiser(*plan_, *rng_, run_, reporter_, observer);
    optimiser.SetCompoundMoves(options_.Search);
    return optimiser.RunStage(stage, options_.Goals);
}

StageResult PlanningService::Mix(Stage tab, StageObserver* observer) {
    if (!plan_) return {};
    run_.SetStopFlag(options_.Stop);
    Optimiser optimiser(*plan_, *rng_, run_, reporter_, observer);
    optimiser.SetCompoundMoves(options_.Search);
    return optimiser.Mix(tab);
}

std::vector<StageRecord>
PlanningService::RunStages(const std::function<void(const StageRecord&)>& stageDone) {
    if (!plan_ || options_.Stages.empty()) return {};
    StageRunOptions stages;
    stages.Stages = options_.Stages;
    stages.Seconds = options_.StageSeconds;
    stages.Passes = options_.StagePasses;
    // The search's compound moves belong to the same choice as the search itself.
    stages.CompoundMoves = options_.Search;
    stages.Stop = options_.Stop;
    stages.StageDone = stageDone;
    return sw::RunStages(*plan_, *rng_, reporter_, stages);
}

ExperimentResult PlanningService::RunExperiment(const std::string& planFile,
                                                const std::string& folder, FileOps& files) {
    if (!options_.ExperimentRule) return {};
    run_.SetStopFlag(options_.Stop);
    return sw::RunExperiment(*options_.ExperimentRule, planFile, folder, files, reporter_, run_,
                             options_.ExperimentRuns, options_.ExperimentIterations,
                             options_.Margin);
}

bool PlanningService::Save(const std::string& path) {
    return own_ && own_->SavePlanFile(path);
}

} // namespace sw
