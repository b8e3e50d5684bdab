// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk check: reads a plan file, checks the plan's invariants and the figures the file
// stored against a fresh evaluation, and prints its figures.
// Exit status 0 valid, 1 invariant violations, 2 unreadable file.
#include "cli/Cli.h"

#include "files/PlanFile.h"
#include "io/FileOps.h"
#include "plan/Invariants.h"

#include <cstdio>

namespace sw::cli {

int CheckCommand(const Args& args) {
    std::string path;
    bool json = false;
    bool usage = false;
    for (const std::string& a : args) {
        if (a == "--json")
            json = true;
        else if (path.empty() && !a.starts_with("-"))
            path = a;
        else
            usage = true;
    }
    if (path.empty() || usage) {
        std::fputs("Aufruf: stundenwerk check PLAN.pdt [--json]\n", stderr);
        return 2;
    }
    StderrReporter reporter;
    PlanReadResult read = ReadPlanFile(path, DefaultFileOps(), reporter);
    if (!read.outcome.Ok) {
        read.outcome.ShowTo(reporter);
        return 2;
    }
    read.outcome.ShowTo(reporter); // a note on the file's code page, if any
    InvariantReport report = CheckInvariants(*read.plan, true);
    // The reader evaluated the plan afresh; the figures the file stored must agree with it.
    for (std::string& difference : CompareStoredFigures(read.stored, *read.plan))
        report.Violations.push_back(std::move(difference));
    if (json) {
        std::printf("%s\n", FiguresJson(*read.plan, report).c_str());
    } else {
        PrintFigures(*read.plan, report);
        for (const std::string& v : report.Violations)
            std::printf("Verletzt: %s\n", v.c_str());
        std::printf("%s\n", report.Ok() ? "Der Plan ist in sich stimmig."
                                        : "Der Plan verletzt seine Regeln.");
    }
    return report.Ok() ? 0 : 1;
}

} // namespace sw::cli
