// SPDX-License-Identifier: GPL-3.0-or-later
// Experiments.h: batch runs that compare acceptance rules. Each run reloads the same plan file,
// sets its records, and runs a fixed number of iterations; the chosen figure is averaged per
// iteration over the runs and written as a curve file: one line per run ("run final"), then one
// line per iteration ("iteration average"), each ending with a line feed.
#pragma once

#include "io/FileOps.h"
#include "model/Report.h"
#include "optimise/RunControl.h"
#include "optimise/StageTable.h"

#include <span>
#include <string>
#include <vector>

namespace sw {

enum class Experiment {
    Sintflut,         // "S1": great deluge
    Annealing,        // "SA (disk)"
    RekordMitMarge,   // "S2 (disk)": record plus margin
    Abstieg,          // "Tabu (disk)": plain descent
    KlassenRekord,    // "S2" on the class-distribution tab
    KlassenAnnealing, // "SA" on the class-distribution tab
};

struct ExperimentInfo {
    Experiment Id;
    const char* Name;     // as the tool accepts it
    const char* FileName; // the curve file in the chosen folder
    int Runs;
    int Iterations;
    GoalSet Goals;                 // the goals of every run
    const Acceptance* Rule;        // starts the records of every run; the rule the moves keep
    std::array<PassStep, 2> Steps; // one iteration
    Figure Curve;                  // what the curve averages
    // A class experiment: it ends at KProd >= KProdOpt and adds nothing to the average after
    // that; a teacher experiment ends at LLSSumme = 0 and carries its final value on.
    bool Classes;
};

// The record rules take a margin: "S2" how far BestLLS may be exceeded (default 1), "S2-Klassen"
// how far KProd may fall below its record (default 300).
bool TakesMargin(const ExperimentInfo& info);

// Every experiment with its defaults.
std::span<const ExperimentInfo> Experiments();
const ExperimentInfo* FindExperiment(const std::string& name);

struct ExperimentResult {
    Outcome outcome;
    std::vector<double> Finals;  // per run
    std::vector<double> Average; // per iteration
    std::string CurveFile;
};

// Runs `info` (with `runs`, `iterations` and, for a record rule, `margin` when positive, else the
// defaults) on the plan in
// `planFile` and writes the curve file into `folder`. "Halt" ends it after the iteration in
// progress; the curve is then written for the iterations done. A curve file that cannot be
// written fails the outcome with the reason (a missing folder is named).
ExperimentResult RunExperiment(const ExperimentInfo& info, const std::string& planFile,
                               const std::string& folder, FileOps& files, Reporter& reporter,
                               RunControl& run, int runs = 0, int iterations = 0, int margin = 0);

// The text of a curve file.
std::string CurveText(const std::vector<double>& finals, const std::vector<double>& average);

} // namespace sw
