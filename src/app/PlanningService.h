// SPDX-License-Identifier: GPL-3.0-or-later
// PlanningService.h: planning one school, the same way for the planning window and the tool.
// The service works on a plan: the one the window hands it (the main window's session's), or one
// it opens itself from a school or a saved plan. One PlanningOptions value carries everything a
// run takes; the window fills it from its fields, the tool from its arguments. The service puts
// the limit options into the plan, runs the initial plan (keeping its best attempt), runs a
// stage, a "Mischen" or a chain of stages with time and pass budgets, and saves.
#pragma once

#include "app/Experiments.h"
#include "app/Session.h"
#include "app/StageRunner.h"
#include "optimise/InitialPlanRun.h"
#include "optimise/RunControl.h"
#include "optimise/Stages.h"
#include "plan/Goals.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sw {

struct PlanningOptions {
    int Attempts = kStandardVersuche; // attempts of the initial plan
    // The three limit options of the placement check. A new plan takes them as they are; a saved
    // plan is only loosened by them (the stages use them and the plan is saved with them).
    bool CourseOverLimit = false;
    bool MultiCourseOverLimit = false;
    bool MultiOverLimit = false;
    // A new initial plan must fill every class's first hour (AbbruchErsteStunde off).
    bool StrictFirstHour = false;
    // The conflict-directed search completes an attempt, and the stages use its compound moves.
    bool Search = true;
    long long SearchSteps = InitialPlanOptions{}.SuchSchritte;
    GoalSet Goals;              // the goals of "Manuell"
    std::vector<Stage> Stages;  // the chain RunStages runs, in this order
    double StageSeconds = 10.0; // time budget of each stage of the chain
    int StagePasses = 0;        // pass budget of each stage of the chain; 0: none
    std::uint32_t Seed = 1;     // the initial plan's seed; a saved plan's stages draw from it
    int Jobs = 1;               // independent runs (PlanJob), seeds Seed, Seed + 1, ...
    const std::atomic<bool>* Stop = nullptr; // once set, every run ends as by "Halt"
    // An experiment on a saved plan: the acceptance rule it compares (nullptr: none), its runs and
    // iterations (0: its own) and the margin of a record rule (0: the rule's own).
    const ExperimentInfo* ExperimentRule = nullptr;
    int ExperimentRuns = 0;
    int ExperimentIterations = 0;
    int Margin = 0;
};

class PlanningService {
public:
    // Runs go through `run` (the window's run control, with its observer and pass hook).
    PlanningService(Reporter& reporter, RunControl& run);
    PlanningService(const PlanningService&) = delete;
    PlanningService& operator=(const PlanningService&) = delete;

    // The plan to work on and the generator its runs draw from, owned elsewhere (nullptr: none).
    void Attach(CPlan* plan, Random* rng);
    // A school read into a session of the service's own, with a new plan built for it.
    bool OpenSchool(const std::string& path);
    // A saved plan read into a session of the service's own; its stages draw from the options'
    // seed (set the options first).
    bool OpenPlan(const std::string& path);
    CPlan* Plan() const { return plan_; }
    // The service's own session (nullptr when the plan is attached), and handing it over: the
    // service then has no plan any more.
    Session* OwnSession() const { return own_.get(); }
    std::unique_ptr<Session> ReleaseSession();

    const PlanningOptions& Options() const { return options_; }
    void SetOptions(const PlanningOptions& options) { options_ = options; }
    // The limit options into the plan: all four for a plan built anew, only the three loosened
    // for a saved one.
    void ApplyLimits();

    // "1. Urplan erzeugen": the attempts of the options from an empty grid, the best attempt kept.
    // Without a plan only the refusal.
    InitialPlanResult RunInitialPlan(InitialPlanObserver* observer = nullptr);
    // One stage ("Manuell" with the options' goals), or the "Mischen" of a stage's tab.
    StageResult RunStage(Stage stage, StageObserver* observer = nullptr);
    StageResult Mix(Stage tab, StageObserver* observer = nullptr);
    // The options' chain of stages with their budgets, each told to `stageDone` when it ends.
    std::vector<StageRecord>
    RunStages(const std::function<void(const StageRecord&)>& stageDone = {});

    // The options' experiment on the plan file `planFile`, its curve written into `folder`.
    ExperimentResult RunExperiment(const std::string& planFile, const std::string& folder,
                                   FileOps& files);

    // Writes the plan file (own session only).
    bool Save(const std::string& path);

private:
    Reporter& reporter_;
    RunControl& run_;
    PlanningOptions options_;
    std::unique_ptr<Session> own_;
    CPlan* plan_ = nullptr;
    Random* rng_ = nullptr;
    bool saved_ = false; // the plan came from a plan file
};

} // namespace sw
