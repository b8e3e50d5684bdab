// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/Stages.h"

#include "model/Text.h"

#include <climits>

namespace sw {

namespace {

constexpr Ziel kGoalOfItem[7] = {Ziel::KlassenLuecken,  Ziel::KlassenVerteilung,
                                 Ziel::Trennungsfehler, Ziel::Spezialtrennungsfehler,
                                 Ziel::LehrerLuecken,   Ziel::LehrerLueckenMaximum,
                                 Ziel::LehrerVerteilung};

} // namespace

void SetGoalsFromList(CPlan& plan, const std::array<bool, 7>& checked) {
    plan.ClearGoals();
    for (std::size_t i = 0; i < checked.size(); ++i)
        if (checked[i]) plan.SetGoal(kGoalOfItem[i]);
}

void SetAcceptanceFromText(CPlan& plan, const std::string& text) {
    const auto value = ParseInt(text);
    plan.Opt.LLSAkzeptanz = value ? *value : 2;
}

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
StageResult Optimiser::Loop(const char* status, Pass pass, Done done, int maxPasses,
                            bool testFirst) {
    StageResult result;
    report_ = PassReport{};
    if (observer_) observer_->Status(status);
    report_.Zahlen = ShowFigures(plan_);
    run_.Begin();
    bool finished = testFirst && done();
    while (!finished && run_.KeepRunning() && result.Passes < maxPasses) {
        pass();
        ++result.Passes;
        report_.Pass = result.Passes;
        report_.Zahlen = ShowFigures(plan_);
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

StageResult Optimiser::RunStage(Stufe stufe, const std::array<bool, 7>& checked) {
    // Held until the stage's message is shown: nothing may destroy the plan before.
    RunControl::Scope scope(run_);
    if (RefuseEmptyGrid()) return {.Refused = true};
    CPlan& p = plan_;
    switch (stufe) {
    case Stufe::KlassenLuecken: {
        p.SetGoals({Ziel::KlassenLuecken});
        StageResult r = Loop(
            "Planung : Klassenstunden minimieren",
            [&] {
                gaps_.Pass(1, 10);
                FiveExchanges(AcceptanceKind::GoalTable);
                report_.Label15 = std::to_string(report_.Exchanges);
                report_.GoalDirected = improve_(AcceptanceKind::GoalTable, 12, 20);
            },
            [&] { return p.KLSSumme == 0; }, INT_MAX, false);
        if (r.Reached) reporter_.Show({"Leerstunden beseitigt!", titel::Hinweis});
        return r;
    }
    case Stufe::KlassenVerteilung: {
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenVerteilung});
        ClassRecordAcceptance(200).Start(p);
        StageResult r = Loop(
            "Planung : Klassenstunden verteilen",
            [&] {
                FiveExchanges(AcceptanceKind::GoalTable);
                report_.Label15 = std::to_string(report_.Exchanges);
                gaps_.Pass(4, 20);
            },
            [&] { return p.KProd == p.KProdOpt; }, 10000, false);
        if (r.Reached) reporter_.Show({"Stunden optimal verteilt!", ""});
        return r;
    }
    case Stufe::Trennungsfehler:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                    Ziel::Spezialtrennungsfehler});
        return Loop(
            "Planung : Trennungsfehler minimieren",
            [&] {
                report_.GoalDirected = improve_(AcceptanceKind::GoalTable, 5, 10);
                FiveExchanges(AcceptanceKind::GoalTable);
            },
            [&] { return p.TFSumme == 0; }, 100001, true);
    case Stufe::LehrerLuecken:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                    Ziel::Spezialtrennungsfehler, Ziel::LehrerLuecken});
        return Loop(
            "Planung : Lehrer - Leerstunden minimieren",
            [&] {
                report_.Label15 = std::to_string(report_.Pass);
                report_.GoalDirected = improve_(AcceptanceKind::GoalTable, 20, 20);
                FiveExchanges(AcceptanceKind::GoalTable);
            },
            [&] { return p.LLSSumme == 0; }, INT_MAX, true);
    case Stufe::LehrerVerteilung:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                    Ziel::Spezialtrennungsfehler, Ziel::LehrerLuecken, Ziel::LehrerVerteilung});
        TeacherStageAcceptance().Start(p);
        return Loop(
            "Planung : Lehrerstunden verteilen",
            [&] {
                report_.GoalDirected = improve_(AcceptanceKind::GoalTable, 20, 50);
                FiveExchanges(AcceptanceKind::GoalTable);
            },
            [&] { return p.LLSSumme == 0; }, 100001, true);
    case Stufe::Manuell:
        SetGoalsFromList(p, checked);
        return Loop(
            "Planung : manuelle Auswahl der Ziele",
            [&] {
                report_.GoalDirected = improve_(AcceptanceKind::GoalTable, 20, 20);
                FiveExchanges(AcceptanceKind::GoalTable);
                gaps_.Pass(0, 20);
                report_.Label15 = "Iteration " + std::to_string(report_.Pass);
            },
            [] { return false; }, INT_MAX, false);
    }
    return {};
}

StageResult Optimiser::Mix(Stufe tab) {
    RunControl::Scope scope(run_);
    if (RefuseEmptyGrid()) return {.Refused = true};
    CPlan& p = plan_;
    auto never = [] { return false; };
    switch (tab) {
    case Stufe::KlassenLuecken:
        p.ClearGoals();
        return Loop(
            "Planung : Böse mixen", [&] { gaps_.Pass(0, 10); }, never, 1, false);
    case Stufe::KlassenVerteilung:
        p.SetGoals({Ziel::KlassenLuecken});
        return Loop(
            "Planung : Böse Mixen 2",
            [&] {
                gaps_.Pass(0, 10);
                report_.GoalDirected = improve_(AcceptanceKind::GoalTable, 12, 20);
            },
            never, 6, false);
    case Stufe::Trennungsfehler:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenVerteilung});
        return Loop(
            "Planung : Böse mixen 3",
            [&] {
                report_.GoalDirected = improve_(AcceptanceKind::GoalTable, 20, 20);
                gaps_.Pass(0, 20);
            },
            never, 5, false);
    case Stufe::LehrerLuecken:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                    Ziel::Spezialtrennungsfehler});
        return Loop(
            "Planung : Böse mixen 4",
            [&] { report_.GoalDirected = improve_(AcceptanceKind::GoalTable, 5, 10); }, never, 11,
            false);
    case Stufe::LehrerVerteilung:
        p.ClearGoals();
        return Loop(
            "Planung : Klassenstunden - Austausch",
            [&] { report_.GoalDirected = improve_(AcceptanceKind::GoalTable, 50, 50); }, never, 1,
            false);
    case Stufe::Manuell:
        break;
    }
    return {};
}

} // namespace sw
