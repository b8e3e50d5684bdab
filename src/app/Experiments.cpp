// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Experiments.h"

#include "files/PlanFile.h"
#include "optimise/Stages.h"
#include "plan/Acceptance.h"
#include "plan/Random.h"

#include <cstdio>

namespace sw {

namespace {

constexpr GoalSet TeacherGoals(Ziel rule) {
    return {Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
            Ziel::Spezialtrennungsfehler, rule};
}

constexpr DelugeAcceptance kDeluge{};
constexpr AnnealingAcceptance kAnnealing{};
constexpr RecordAcceptance kRecord(1);
constexpr DescentAcceptance kDescent{};
constexpr ClassRecordAcceptance kClassRecord(300);
constexpr ClassAnnealingAcceptance kClassAnnealing{};

constexpr std::array<PassStep, 2> kTeacherSteps = {GoalDirected(20, 20), Exchanges()};

// clang-format off
constexpr std::array<ExperimentInfo, 6> kExperiments = {{
    {Experiment::Sintflut, "S1", "kurve_S1.txt", 15, 4000, TeacherGoals(Ziel::Sintflut),
     &kDeluge, kTeacherSteps, Figure::BestLLS, false},
    {Experiment::Annealing, "SA", "kurve_SA.txt", 15, 4000, TeacherGoals(Ziel::Annealing),
     &kAnnealing, kTeacherSteps, Figure::BestLLS, false},
    {Experiment::RekordMitMarge, "S2", "kurve_S2.txt", 40, 1000, TeacherGoals(Ziel::RekordMitMarge),
     &kRecord, kTeacherSteps, Figure::BestLLS, false},
    {Experiment::Abstieg, "Tabu", "kurve_Tabu.txt", 40, 1000, TeacherGoals(Ziel::LehrerLuecken),
     &kDescent, kTeacherSteps, Figure::LLSSumme, false},
    {Experiment::KlassenRekord, "S2-Klassen", "kurve_S2_Klassen.txt", 40, 400,
     {Ziel::KlassenLuecken, Ziel::KlassenRekord}, &kClassRecord,
     {Exchanges(), ClassGaps(kGapModeRecord, 20)}, Figure::KProd, true},
    {Experiment::KlassenAnnealing, "SA-Klassen", "kurve_SA_Klassen.txt", 40, 400,
     {Ziel::KlassenLuecken, Ziel::KlassenAnnealing}, &kClassAnnealing,
     {Exchanges(), ClassGaps(kGapModeAnnealing, 20)}, Figure::KProd, true},
}};
// clang-format on

} // namespace

bool TakesMargin(const ExperimentInfo& info) {
    return info.Id == Experiment::RekordMitMarge || info.Id == Experiment::KlassenRekord;
}

std::span<const ExperimentInfo> Experiments() {
    return kExperiments;
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

bool TargetReached(const ExperimentInfo& info, const CPlan& p) {
    return info.Classes ? p.Totals().KProd >= p.Totals().KProdOpt : p.Totals().LLSSumme == 0;
}

} // namespace

ExperimentResult RunExperiment(const ExperimentInfo& info, const std::string& planFile,
                               const std::string& folder, FileOps& files, Reporter& reporter,
                               RunControl& run, int runs, int iterations, int margin) {
    ExperimentResult result;
    const RecordAcceptance record(margin);
    const ClassRecordAcceptance classRecord(margin);
    const Acceptance* rule = info.Rule;
    if (margin > 0 && info.Id == Experiment::RekordMitMarge) rule = &record;
    if (margin > 0 && info.Id == Experiment::KlassenRekord) rule = &classRecord;
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
        p.SetGoals(info.Goals);
        rule->Start(p);
        Optimiser opt(p, rng, run, reporter);
        const AcceptanceKind kind = rule->Kind();
        double last = FigureValue(p, info.Curve);
        int i = 0;
        for (; i < iterations && run.KeepRunning(); ++i) {
            if (!TargetReached(info, p)) {
                for (const PassStep& step : info.Steps)
                    opt.RunStep(step, kind);
                rule->Iterated(p, i);
            }
            EvaluateAll(p);
            last = FigureValue(p, info.Curve);
            result.Average[i] += last / runs;
            run.PassDone();
            if (TargetReached(info, p)) {
                ++i;
                break;
            }
        }
        // A run that reached its target early: the teacher experiments carry the final value
        // on; the class experiments add nothing more.
        if (!info.Classes)
            for (; i < iterations; ++i)
                result.Average[i] += last / runs;
        result.Finals.push_back(last);
    }
    run.End();
    result.CurveFile = folder + "/" + info.FileName;
    const FileResult written =
        files.WriteReplacing(result.CurveFile, CurveText(result.Finals, result.Average));
    if (!written)
        result.outcome =
            Outcome::Failure("Fehler beim Speichern der Datei:\n" + result.CurveFile +
                                 "\nDatei konnte nicht erzeugt werden.\n" + written.Reason,
                             titel::Dateifehler);
    return result;
}

} // namespace sw
