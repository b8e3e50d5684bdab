// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Experiments.h"

#include "files/PlanFile.h"
#include "optimise/Stages.h"
#include "plan/Acceptance.h"
#include "plan/Random.h"

#include <cstdio>

namespace sw {

const std::vector<ExperimentInfo>& Experiments() {
    static const std::vector<ExperimentInfo> kList = {
        {Experiment::Sintflut, "S1", "kurve_S1.txt", 15, 4000},
        {Experiment::Annealing, "SA", "kurve_SA.txt", 15, 4000},
        {Experiment::RekordMitMarge, "S2", "kurve_S2.txt", 40, 1000},
        {Experiment::Abstieg, "Tabu", "kurve_Tabu.txt", 40, 1000},
        {Experiment::KlassenRekord, "S2-Klassen", "kurve_S2_Klassen.txt", 40, 400},
        {Experiment::KlassenAnnealing, "SA-Klassen", "kurve_SA_Klassen.txt", 40, 400},
    };
    return kList;
}

const ExperimentInfo* FindExperiment(const std::string& name) {
    for (const ExperimentInfo& e : Experiments())
        if (name == e.Name) return &e;
    return nullptr;
}

std::string CurveText(const std::vector<double>& finals, const std::vector<double>& average) {
    std::string out;
    char buf[64];
    for (std::size_t i = 0; i < finals.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%zu %.10g\n", i + 1, finals[i]);
        out += buf;
    }
    for (std::size_t i = 0; i < average.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%zu %.10g\n", i + 1, average[i]);
        out += buf;
    }
    return out;
}

namespace {

bool ForClasses(Experiment e) {
    return e == Experiment::KlassenRekord || e == Experiment::KlassenAnnealing;
}

// The goals a run sets and the rule it judges and keeps its records by.
struct RunRule {
    GoalSet Goals;
    const Acceptance& Rule;
    int GapMode; // the class experiments' class-gap mode
};

constexpr GoalSet kTeacherGoals(Ziel rule) {
    return {Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
            Ziel::Spezialtrennungsfehler, rule};
}

constexpr DelugeAcceptance kDeluge{};
constexpr AnnealingAcceptance kAnnealing{};
constexpr RecordAcceptance kRecord(1);
constexpr DescentAcceptance kDescent{};
constexpr ClassRecordAcceptance kClassRecord(300);
constexpr ClassAnnealingAcceptance kClassAnnealing{};

RunRule RuleOf(Experiment e) {
    switch (e) {
    case Experiment::Sintflut:
        return {kTeacherGoals(Ziel::Sintflut), kDeluge, 0};
    case Experiment::Annealing:
        return {kTeacherGoals(Ziel::Annealing), kAnnealing, 0};
    case Experiment::RekordMitMarge:
        return {kTeacherGoals(Ziel::RekordMitMarge), kRecord, 0};
    case Experiment::Abstieg:
        return {kTeacherGoals(Ziel::LehrerLuecken), kDescent, 0};
    case Experiment::KlassenRekord:
        return {{Ziel::KlassenLuecken, Ziel::KlassenRekord}, kClassRecord, kModusRekord};
    case Experiment::KlassenAnnealing:
        return {{Ziel::KlassenLuecken, Ziel::KlassenAnnealing}, kClassAnnealing, kModusTemperatur};
    }
    return {{}, kDescent, 0};
}

// One iteration's moves.
void Iterate(Experiment e, const RunRule& rule, Optimiser& opt, CPlan& p, int iteration) {
    const AcceptanceKind kind = rule.Rule.Kind();
    auto exchanges = [&] {
        for (int i = 0; i < 5; ++i)
            opt.RandomExchanges(kind);
    };
    if (ForClasses(e)) {
        exchanges();
        opt.Gaps().Pass(rule.GapMode, 20);
    } else {
        opt.Improver()(kind, 20, 20);
        exchanges();
    }
    rule.Rule.Iterated(p, iteration);
}

double Figure(Experiment e, const CPlan& p) {
    switch (e) {
    case Experiment::Abstieg:
        return p.LLSSumme;
    case Experiment::KlassenRekord:
    case Experiment::KlassenAnnealing:
        return p.KProd;
    default:
        return p.Opt.BestLLS;
    }
}

bool TargetReached(Experiment e, const CPlan& p) {
    return ForClasses(e) ? p.KProd >= p.KProdOpt : p.LLSSumme == 0;
}

} // namespace

ExperimentResult RunExperiment(const ExperimentInfo& info, const std::string& planFile,
                               const std::string& folder, FileOps& files, Reporter& reporter,
                               RunControl& run, int runs, int iterations) {
    ExperimentResult result;
    runs = runs > 0 ? runs : info.Runs;
    iterations = iterations > 0 ? iterations : info.Iterations;
    result.Average.assign(iterations, 0.0);
    run.Begin();
    for (int r = 0; r < runs && run.KeepRunning(); ++r) {
        PlanReadResult read = ReadPlanFile(planFile, files, reporter);
        if (!read.outcome.Ok) {
            run.End();
            result.outcome = read.outcome;
            return result;
        }
        CPlan& p = *read.plan;
        // Each run has a generator of its own, seeded with its number.
        Random rng(static_cast<std::uint32_t>(r + 1));
        const RunRule rule = RuleOf(info.Id);
        p.SetGoals(rule.Goals);
        rule.Rule.Start(p);
        Optimiser opt(p, rng, run, reporter);
        double last = Figure(info.Id, p);
        int i = 0;
        for (; i < iterations && run.KeepRunning(); ++i) {
            if (!TargetReached(info.Id, p)) Iterate(info.Id, rule, opt, p, i);
            EvaluateAll(p);
            last = Figure(info.Id, p);
            result.Average[i] += last / runs;
            run.PassDone();
            if (TargetReached(info.Id, p)) {
                ++i;
                break;
            }
        }
        // A run that reached its target early: the teacher experiments carry the final value
        // on; the class experiments add nothing more.
        if (!ForClasses(info.Id))
            for (; i < iterations; ++i)
                result.Average[i] += last / runs;
        result.Finals.push_back(last);
    }
    run.End();
    result.CurveFile = folder + "/" + info.FileName;
    if (!files.WriteReplacing(result.CurveFile, CurveText(result.Finals, result.Average)))
        result.outcome = Outcome::Failure("Fehler beim Speichern der Datei:\n" + result.CurveFile +
                                              "\nDatei konnte nicht erzeugt werden.",
                                          titel::Dateifehler);
    return result;
}

} // namespace sw
