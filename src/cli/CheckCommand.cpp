// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk check: reads a plan file, checks the plan's invariants, the figures the file stored
// against a fresh evaluation and every rule of the school, and prints its figures.
// Exit status 0 valid, 1 invariant violations, 2 unreadable file.
#include "cli/Cli.h"

#include "app/Session.h"
#include "plan/Invariants.h"
#include "plan/PlanRules.h"

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
    Session session(reporter);
    // The refusal, or a note on the file's code page.
    if (!session.OpenPlanFile(path)) return 2;
    CPlan& plan = *session.Plan();
    InvariantReport report = CheckInvariants(plan, true);
    // The reader evaluated the plan afresh; the figures the file stored must agree with it.
    for (std::string& difference : CompareStoredFigures(session.StoredPlanFigures(), plan))
        report.Violations.push_back(std::move(difference));
    // Every rule of the school the plan breaks, by rule, owner and day.
    for (std::string& breach : RegelVerstoesse(plan))
        report.Violations.push_back("Regel: " + std::move(breach));
    if (json) {
        std::printf("%s\n", FiguresJson(plan, report).c_str());
    } else {
        PrintFigures(plan, report);
        for (const std::string& v : report.Violations)
            std::printf("Verletzt: %s\n", v.c_str());
        std::printf("%s\n", report.Ok() ? "Der Plan ist in sich stimmig."
                                        : "Der Plan verletzt seine Regeln.");
    }
    return report.Ok() ? 0 : 1;
}

} // namespace sw::cli
