// SPDX-License-Identifier: GPL-3.0-or-later
// Stages.h: the optimisation chain of the planning window. Every stage (a row of StageTable.h)
// sets its goals and records and then loops over its pass of moves (class-gap minimisation,
// exchange move, goal-directed improvement) until its target is reached, its pass limit runs out
// or "Halt" is pressed. The "Mischen" perturbations and the "Manuell" stage use the same frame.
#pragma once

#include "optimise/ConflictSearch.h"
#include "optimise/Exchange.h"
#include "optimise/ImproveByGoals.h"
#include "optimise/RunControl.h"
#include "optimise/StageTable.h"
#include "plan/ClassGaps.h"
#include "plan/Evaluation.h"
#include "plan/Plan.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace sw {

namespace texte {
// Stages, "Mischen" and "Manuell" need a plan to work on.
inline constexpr const char* KeinUrplan =
    "Es gibt noch keinen Urplan.\nErzeugen Sie zuerst mit „1. Urplan erzeugen“ einen Plan.";
} // namespace texte

// How far a stage is after a pass; the row's PassCount says which count its progress shows.
struct PassReport {
    int Pass = 0;            // passes done in this stage
    long long Exchanges = 0; // feasible exchanges summed over the stage
    int GoalDirected = 0;    // result of the last goal-directed call
    PlanTotals Totals;       // the figures after the pass
};

class StageObserver {
public:
    virtual ~StageObserver() = default;
    // The stage of `row` starts.
    virtual void Started(const StageRow& row) { (void)row; }
    virtual void PassDone(const PassReport& report) { (void)report; }
    // The loop has ended, before the stage's closing message: the last pass's report (or the
    // figures at the start when no pass ran).
    virtual void Ended(const PassReport& report) { (void)report; }
};

struct StageResult {
    int Passes = 0;
    bool Halted = false;  // ended by "Halt" (or a time budget acting as it)
    bool Reached = false; // the stage's target was reached
    bool Refused = false; // no lesson hour stands in the grid: nothing ran, nothing changed
};

class Optimiser {
public:
    // The plan's targets must be computed and its figures evaluated. Every random choice of the
    // moves is drawn from `rng`, the generator of the run's owner. Messages ("Leerstunden
    // beseitigt!", internal alarms) go to `reporter`.
    Optimiser(CPlan& plan, Random& rng, RunControl& run, Reporter& reporter,
              StageObserver* observer = nullptr);

    // Runs one stage. `chosen` are the goals of "Manuell" (ignored by the other stages).
    // While no lesson hour stands in the grid the stage is refused with "Es gibt noch keinen
    // Urplan. ..." (title "Hinweis"): it would only report an empty grid as perfect.
    StageResult RunStage(Stage stufe, GoalSet chosen = {});
    // The "Mischen" button of a stage's tab (2..6); refused like a stage on an empty grid.
    StageResult Mix(Stage stage);

    // One step of a pass, its moves keeping the records of `rule`.
    void RunStep(const PassStep& step, AcceptanceKind rule);

    // With compound moves the stages that have them in their rows also lift a lesson that adds
    // to their figure, put it elsewhere and re-seat what it displaced, judged as one move by the
    // stage's goals. Off (as a new optimiser starts), those steps do nothing.
    void SetCompoundMoves(bool on) { compound_ = on; }
    bool CompoundMoves() const { return compound_; }

    // Two exchange attempts at random slots; the number of feasible ones.
    int RandomExchanges(AcceptanceKind rule);

    ExchangeMove& Exchange() { return exchange_; }
    GoalImprover& Improver() { return improve_; }
    ClassGapMinimiser& Gaps() { return gaps_; }

private:
    // Runs a row of the stage table; nullptr (no such row) runs nothing.
    StageResult Run(const StageRow* row, GoalSet chosen);
    template <typename Pass, typename Done>
    StageResult Loop(const StageRow& row, Pass pass, Done done);
    int FiveExchanges(AcceptanceKind rule);
    // The refusal on an empty grid; true when the caller must stop.
    bool RefuseEmptyGrid();

    CPlan& plan_;
    Random& rng_;
    RunControl& run_;
    Reporter& reporter_;
    StageObserver* observer_;
    ExchangeMove exchange_;
    GoalImprover improve_;
    ClassGapMinimiser gaps_;
    bool compound_ = false;
    std::optional<ConflictSearch> search_; // made on the first compound move
    PassReport report_;
};

} // namespace sw
