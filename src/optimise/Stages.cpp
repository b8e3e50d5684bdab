// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/Stages.h"

#include "optimise/KeptTotals.h"

namespace sw {

namespace {

// Units a compound move may put in all before it is given up and taken back.
constexpr int kCompoundSteps = 30;

static_assert(static_cast<int>(CompoundFocus::Separation) ==
                  static_cast<int>(ConflictSearch::Focus::Separation) &&
              static_cast<int>(CompoundFocus::ClassGaps) ==
                  static_cast<int>(ConflictSearch::Focus::ClassGaps) &&
              static_cast<int>(CompoundFocus::TeacherGaps) ==
                  static_cast<int>(ConflictSearch::Focus::TeacherGaps));

} // namespace

Optimiser::Optimiser(CPlan& plan, Random& rng, RunControl& run, Reporter& reporter,
                     StageObserver* observer)
    : plan_(plan), rng_(rng), run_(run), reporter_(reporter), observer_(observer),
      exchange_(plan, rng), improve_(plan, rng), gaps_(plan, rng) {}

int Optimiser::RandomExchanges(AcceptanceKind rule) {
    const int last = plan_.KlassenAnzahl - 1;
    const auto attempt = [&](int first, int second) {
        const int slotA = rng_.InRange(0, kSlotCount - 1);
        const int slotB = rng_.InRange(0, kSlotCount - 1);
        const ExchangeRequest request{.FirstSlot = slotA,
                                      .SecondSlot = slotB,
                                      .ClassAtFirst = first,
                                      .ClassAtSecond = second,
                                      .Rule = rule};
        return exchange_(request) ? 1 : 0;
    };
    // Two classes at random, then one class with itself.
    const int second = rng_.InRange(0, last);
    const int first = rng_.InRange(0, last);
    const int feasible = attempt(first, second);
    const int klasse = rng_.InRange(0, last);
    return feasible + attempt(klasse, klasse);
}

int Optimiser::FiveExchanges(AcceptanceKind rule) {
    int feasible = 0;
    for (int i = 0; i < 5; ++i)
        feasible += RandomExchanges(rule);
    report_.Exchanges += feasible;
    return feasible;
}

// The frame of every stage: status, fresh figures, controls disabled; then passes until `done`
// says so, the pass limit is used up or "Halt" is pressed; fresh figures and pending input after
// every pass; at the end the controls are enabled again. With `testFirst` the target is tested
// before the first pass too.
template <typename Pass, typename Done>
StageResult Optimiser::Loop(const StageRow& row, Pass pass, Done done) {
    const int maxPasses = row.PassLimit;
    StageResult result;
    report_ = PassReport{};
    if (observer_) observer_->Started(row);
    CheckKeptTotals(plan_, reporter_);
    EvaluateAll(plan_);
    report_.Totals = plan_.Totals();
    run_.Begin();
    bool finished = row.TestFirst && done();
    while (!finished && run_.KeepRunning() && result.Passes < maxPasses) {
        pass();
        ++result.Passes;
        report_.Pass = result.Passes;
        CheckKeptTotals(plan_, reporter_);
        EvaluateAll(plan_);
        report_.Totals = plan_.Totals();
        finished = done();
        if (observer_) observer_->PassDone(report_);
        run_.PassDone();
    }
    result.Reached = finished;
    result.Halted = !finished && result.Passes < maxPasses;
    if (observer_) observer_->Ended(report_);
    run_.End();
    return result;
}

bool Optimiser::RefuseEmptyGrid() {
    if (plan_.PlacedCount() > 0) return false;
    reporter_.Show({texte::KeinUrplan, titel::Hinweis});
    return true;
}

void Optimiser::RunStep(const PassStep& step, AcceptanceKind rule) {
    switch (step.What) {
    case PassStep::Kind::ClassGaps:
        gaps_.Pass(step.A, step.B);
        break;
    case PassStep::Kind::Exchanges:
        FiveExchanges(rule);
        break;
    case PassStep::Kind::GoalDirected:
        report_.GoalDirected = improve_(rule, step.A, step.B);
        break;
    case PassStep::Kind::Relocations:
        if (!compound_) break;
        if (!search_) search_.emplace(plan_, rng_);
        for (int i = 0; i < step.B; ++i)
            search_->Relocate(static_cast<ConflictSearch::Focus>(step.A), rule, kCompoundSteps);
        break;
    }
}

StageResult Optimiser::Run(const StageRow* row, GoalSet chosen) {
    // Held until the stage's message is shown: nothing may destroy the plan before.
    RunControl::Scope scope(run_);
    if (RefuseEmptyGrid()) return {.Refused = true};
    if (!row) return {};
    plan_.Aenderungen.Bump(); // every stage may move lessons
    plan_.SetGoals(row->GoalsFromList ? chosen : row->Goals);
    row->Rule->Start(plan_);
    const AcceptanceKind rule = row->Rule->Kind();
    const StageResult r = Loop(
        *row,
        [&] {
            for (const PassStep& step : row->Pass())
                RunStep(step, rule);
        },
        [&] { return Reached(plan_, row->End); });
    if (r.Reached && *row->EndMessage) reporter_.Show({row->EndMessage, row->EndTitle});
    return r;
}

StageResult Optimiser::RunStage(Stage stufe, GoalSet chosen) {
    return Run(FindStageRow(stufe, false), chosen);
}

StageResult Optimiser::Mix(Stage stage) {
    return Run(FindStageRow(stage, true), {});
}

} // namespace sw
