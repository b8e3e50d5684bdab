// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk experiment: the batch runs that compare acceptance rules on a saved plan; writes
// the curve file into the chosen folder. Ctrl-C, SIGTERM and SIGHUP end the run after the
// iteration in progress; the curve of the iterations done is written all the same.
#include "cli/Cli.h"
#include "cli/Options.h"
#include "cli/Signals.h"

#include "app/PlanningService.h"

#include <climits>
#include <cstdio>

namespace sw::cli {

namespace {

void Usage() {
    std::fputs("Aufruf: stundenwerk experiment NAME PLAN.pdt -o ORDNER [--runs R] "
               "[--iterations I] [--margin M]\nExperimente:",
               stderr);
    for (const ExperimentInfo& e : Experiments())
        std::fprintf(stderr, " %s (%d x %d)", e.Name, e.Runs, e.Iterations);
    std::fputc('\n', stderr);
}

} // namespace

int ExperimentCommand(const Args& args) {
    std::string folder;
    PlanningOptions options;
    std::vector<std::string> positional;
    const std::vector<OptionRow> rows = {
        Text("-o", folder, "ein Ordner"),
        Number("--runs", 1, INT_MAX, [&](int n) { options.ExperimentRuns = n; }),
        Number("--iterations", 1, INT_MAX, [&](int n) { options.ExperimentIterations = n; }),
        Number("--margin", 1, INT_MAX, [&](int n) { options.Margin = n; }),
    };
    if (!ParseOptions(args, rows, positional) || positional.size() != 2 || folder.empty()) {
        Usage();
        return 2;
    }
    const ExperimentInfo* info = FindExperiment(positional[0]);
    if (!info) {
        std::fprintf(stderr, "Unbekanntes Experiment: %s\n", positional[0].c_str());
        Usage();
        return 2;
    }
    if (options.Margin > 0 && !TakesMargin(*info)) {
        std::fprintf(stderr,
                     "--margin gilt nur für die Experimente mit Rekord und Marge (S2, "
                     "S2-Klassen); %s hat keine Marge.\n",
                     info->Name);
        return 2;
    }
    options.ExperimentRule = info;
    // Neither the folder nor the curve file in it may be the plan file.
    if (!OutputIsNotInput(folder, positional[1]) ||
        !OutputIsNotInput(folder + "/" + info->FileName, positional[1]))
        return 2;
    StderrReporter reporter;
    RunControl run;
    const HaltOnSignals halt;
    run.SetPassHook([&run] {
        if (HaltRequested()) run.Halt();
    });
    SignalSafeDisk disk;
    PlanningService service(reporter, run);
    service.SetOptions(options);
    const ExperimentResult r = service.RunExperiment(positional[1], folder, disk);
    if (!r.outcome.Ok) {
        r.outcome.ShowTo(reporter);
        return 2;
    }
    for (std::size_t i = 0; i < r.Finals.size(); ++i)
        std::printf("Lauf %zu: %g\n", i + 1, r.Finals[i]);
    std::printf("Kurve: %s\n", r.CurveFile.c_str());
    return 0;
}

} // namespace sw::cli
