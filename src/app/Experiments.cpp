// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Experiments.h"

#include "files/PlanFile.h"
#include "optimise/Stages.h"
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

// Goals and records at the start of a run.
void StartRun(Experiment e, CPlan& p) {
    p.ClearGoals();
    const float annealingT = p.LehrerAnzahl > 0
                                 ? static_cast<float>(p.LLSSumme * 0.0072 / p.LehrerAnzahl + 0.043)
                                 : 0.043f;
    switch (e) {
    case Experiment::Sintflut:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                    Ziel::Spezialtrennungsfehler, Ziel::Sintflut});
        p.OptWerte[0] = p.LLSSumme;
        p.Temperatur = static_cast<float>(p.LLSSumme);
        break;
    case Experiment::Annealing:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                    Ziel::Spezialtrennungsfehler, Ziel::Annealing});
        p.OptWerte[0] = p.LLSSumme;
        p.Temperatur = annealingT;
        break;
    case Experiment::RekordMitMarge:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                    Ziel::Spezialtrennungsfehler, Ziel::RekordMitMarge});
        p.OptWerte[0] = p.LLSSumme;
        p.OptWerte[3] = 1;
        break;
    case Experiment::Abstieg:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                    Ziel::Spezialtrennungsfehler, Ziel::LehrerLuecken});
        p.OptWerte[0] = p.LLSSumme;
        p.Temperatur = annealingT;
        break;
    case Experiment::KlassenRekord:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenRekord});
        p.KProdToleranz = 300;
        p.KProdRekord = p.KProd;
        break;
    case Experiment::KlassenAnnealing:
        p.SetGoals({Ziel::KlassenLuecken, Ziel::KlassenAnnealing});
        p.KProdRekord = p.KProd;
        p.Temperatur =
            p.KProdOpt > 0
                ? static_cast<float>(0.34 - 0.16 * p.KProdRekord / static_cast<double>(p.KProdOpt))
                : 0.34f;
        break;
    }
}

// One iteration's moves.
void Iterate(Experiment e, Optimiser& opt, CPlan& p, int iteration) {
    auto exchanges = [&](int strategy) {
        for (int i = 0; i < 5; ++i)
            opt.RandomExchanges(strategy);
    };
    switch (e) {
    case Experiment::Sintflut:
        opt.Improver()(16, 20, 20);
        exchanges(16);
        if (iteration % 5 == 0 && p.LLSSumme < p.Temperatur) p.Temperatur -= 1.0f;
        break;
    case Experiment::Annealing:
        opt.Improver()(21, 20, 20);
        exchanges(21);
        break;
    case Experiment::RekordMitMarge:
        opt.Improver()(18, 20, 20);
        exchanges(18);
        break;
    case Experiment::Abstieg:
        opt.Improver()(12, 20, 20);
        exchanges(12);
        break;
    case Experiment::KlassenRekord:
        exchanges(255);
        opt.Gaps().Pass(19, 20);
        break;
    case Experiment::KlassenAnnealing:
        exchanges(255);
        opt.Gaps().Pass(20, 20);
        break;
    }
}

double Figure(Experiment e, const CPlan& p) {
    switch (e) {
    case Experiment::Abstieg:
        return p.LLSSumme;
    case Experiment::KlassenRekord:
    case Experiment::KlassenAnnealing:
        return p.KProd;
    default:
        return p.OptWerte[0];
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
        StartRun(info.Id, p);
        Optimiser opt(p, rng, run, reporter);
        double last = Figure(info.Id, p);
        int i = 0;
        for (; i < iterations && run.KeepRunning(); ++i) {
            if (!TargetReached(info.Id, p)) Iterate(info.Id, opt, p, i);
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
