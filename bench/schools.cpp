// SPDX-License-Identifier: GPL-3.0-or-later
// schools: plans every school of a folder as `stundenwerk plan` does and prints one row per school
// next to the figures of the known plan that comes with it (NAME.known.pdt, when there is one).
//
//   schools DIR [--jobs N] [--seed S] [--stage-seconds S] [--no-repair] [--tries N]
//
// Each school runs with the three hour-limit options allowed; the seeds are fixed (S, S+1, ...),
// so two runs on one machine plan alike up to the time budgets of the stages. The plan of every
// school is written to a temporary file, read back and checked as `stundenwerk check` does.
#include "app/PlanJob.h"
#include "files/PlanFile.h"
#include "plan/Evaluation.h"
#include "plan/Invariants.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace sw;

namespace {

struct Row {
    std::string Name;
    double Seconds = 0; // to the first complete plan (the first run)
    int Attempts = 0;
    int Unplaced = 0, KLS = 0, TF = 0, STF = 0, LLS = 0, LLSMax = 0;
    std::string KProd, LProd;
    std::string Check;
};

std::string Percent(long long value, long long ideal) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f %%", ideal > 0 ? 100.0 * value / ideal : 100.0);
    return buf;
}

Row RowOf(const std::string& name, const CPlan& plan, int unplaced) {
    Row r;
    r.Name = name;
    r.Unplaced = unplaced;
    r.KLS = plan.Totals().KLSSumme;
    r.TF = plan.Totals().TFSumme;
    r.STF = plan.Totals().STFSumme;
    r.LLS = plan.Totals().LLSSumme;
    r.LLSMax = plan.Totals().LLSMax;
    r.KProd = Percent(plan.Totals().KProd, plan.Totals().KProdOpt);
    r.LProd = Percent(plan.Totals().LProd, plan.Totals().LProdOpt);
    return r;
}

// Writes the plan, reads it back and checks it; "ok" or the first complaint.
std::string CheckByFile(Session& session, const std::string& path) {
    if (!session.SavePlanFile(path)) return "nicht gespeichert";
    CapturingReporter quiet;
    Session reread(quiet);
    if (!reread.OpenPlanFile(path)) return "nicht lesbar";
    InvariantReport report = CheckInvariants(*reread.Plan(), true);
    for (std::string& d : CompareStoredFigures(reread.StoredPlanFigures(), *reread.Plan()))
        report.Violations.push_back(std::move(d));
    std::remove(path.c_str());
    return report.Ok() ? "ok" : report.Violations.front();
}

void PrintRow(const Row& r, const char* kind) {
    std::printf("%-18s %-6s %7.2f %5d %6d %5d %5d %4d %5d %4d %7s %7s  %s\n", r.Name.c_str(), kind,
                r.Seconds, r.Attempts, r.Unplaced, r.KLS, r.TF, r.STF, r.LLS, r.LLSMax,
                r.KProd.c_str(), r.LProd.c_str(), r.Check.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("Aufruf: schools ORDNER [--jobs N] [--seed S] [--stage-seconds S] "
                   "[--no-repair] [--tries N]\n",
                   stderr);
        return 2;
    }
    const std::string dir = argv[1];
    PlanJobOptions job;
    PlanningOptions& p = job.Planning;
    p.Seed = 1;
    p.Search = true;
    p.CourseOverLimit = p.MultiCourseOverLimit = p.MultiOverLimit = true;
    p.Stages = {Stage::KlassenLuecken, Stage::KlassenVerteilung, Stage::Trennungsfehler,
                Stage::LehrerLuecken, Stage::LehrerVerteilung};
    int& jobs = p.Jobs;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        const bool more = i + 1 < argc;
        if (a == "--jobs" && more)
            jobs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--seed" && more)
            p.Seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (a == "--stage-seconds" && more)
            p.StageSeconds = std::atof(argv[++i]);
        else if (a == "--tries" && more)
            p.Attempts = std::max(1, std::atoi(argv[++i]));
        else if (a == "--no-repair")
            p.Search = false;
        else {
            std::fprintf(stderr, "Unbekannte Angabe: %s\n", a.c_str());
            return 2;
        }
    }
    std::vector<fs::path> schools;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == ".sch") schools.push_back(e.path());
    std::sort(schools.begin(), schools.end());

    std::printf("%u Kerne, %d Läufe je Schule, Startwert %u, %.0f s je Stufe, Suche %s\n",
                std::thread::hardware_concurrency(), jobs, p.Seed, p.StageSeconds,
                p.Search ? "an" : "aus");
    std::printf("%-18s %-6s %7s %5s %6s %5s %5s %4s %5s %4s %7s %7s  %s\n", "Schule", "", "s",
                "Vers.", "offen", "KLS", "TF", "STF", "LLS", "max", "KProd", "LProd", "Prüfung");
    int failed = 0;
    for (const fs::path& school : schools) {
        const std::string name = school.stem().string();
        job.School = school.string();
        std::size_t best = 0;
        std::vector<PlanJobRun> runs = RunPlanJobs(job, best);
        PlanJobRun& chosen = runs[best];
        if (!chosen.Opened) {
            std::printf("%-18s nicht lesbar\n", name.c_str());
            ++failed;
            continue;
        }
        Row row = RowOf(name, *chosen.Schule->Plan(), chosen.Unplaced);
        row.Seconds = runs[0].UrplanSeconds;
        row.Attempts = runs[0].Urplan.Versuche;
        const fs::path tmp = fs::temp_directory_path() / ("schools-" + name + ".pdt");
        row.Check = CheckByFile(*chosen.Schule, tmp.string());
        if (row.Check != "ok" || row.Unplaced != 0) ++failed;
        PrintRow(row, "Plan");
        const fs::path known = school.parent_path() / (name + ".known.pdt");
        if (fs::exists(known)) {
            CapturingReporter quiet;
            Session k(quiet);
            if (k.OpenPlanFile(known.string())) {
                Row kr = RowOf(name, *k.Plan(), CheckInvariants(*k.Plan(), false).Unplaced);
                kr.Name = "";
                kr.Check = "";
                std::printf("%-18s %-6s %7s %5s %6d %5d %5d %4d %5d %4d %7s %7s\n", "", "bekannt",
                            "", "", kr.Unplaced, kr.KLS, kr.TF, kr.STF, kr.LLS, kr.LLSMax,
                            kr.KProd.c_str(), kr.LProd.c_str());
            }
        }
        std::fflush(stdout);
    }
    return failed == 0 ? 0 : 1;
}
