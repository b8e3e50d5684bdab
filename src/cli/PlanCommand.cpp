// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk plan: reads a school, builds its lesson hours, runs the initial plan and the stages
// and prints the figures; with -o the plan file is written. The work is done by the session and
// the stage runner; this file parses the arguments, turns Ctrl-C, SIGTERM and SIGHUP into "Halt"
// (Signals.h) and prints. Exit status 0 complete plan, 3 no complete plan within the attempts
// (the plan is written only with -o), 1 the plan breaks its own rules (never expected), 2 bad
// arguments, an unreadable school, a school without lessons or a failed write.
#include "cli/Cli.h"

#include "cli/Options.h"
#include "cli/Signals.h"

#include "app/BestAttempt.h"
#include "app/FigureTexts.h"
#include "app/PlanJob.h"
#include "app/Session.h"
#include "app/StageRunner.h"
#include "model/Text.h"
#include "optimise/InitialPlanRun.h"
#include "optimise/Stages.h"
#include "plan/Invariants.h"
#include "plan/PlanRules.h"

#include <cctype>
#include <chrono>
#include <climits>
#include <cstdio>
#include <ctime>
#include <optional>
#include <thread>
#include <unistd.h>

namespace sw::cli {

namespace {

constexpr const char* kUsage =
    "Aufruf: stundenwerk plan SCHULE.sch|SCHULE.sdt [-o PLAN.pdt] [--tries N] [--seed S] [--json]\n"
    "        [--allow-course-over-limit] [--allow-multi-course-over-limit]\n"
    "        [--allow-multi-over-limit] [--strict-first-hour] [--no-repair] [--jobs N]\n"
    "        [--stages LISTE] [--stage-seconds S] [--stage-passes N]\n"
    "   oder: stundenwerk plan --plan PLAN.pdt [-o PLAN.pdt] [--stages ...] ...\n";

// More runs at once than this would only share the same cores.
constexpr int kMaxJobs = 256;

struct PlanOptions {
    std::string School;
    std::string Output;
    std::optional<int> Tries; // kStandardVersuche when not given
    std::optional<std::uint32_t> Seed;
    bool Json = false;
    bool KursUeberStundenLimit = false;
    bool MehrfachKursUeberStundenLimit = false;
    bool MehrfachUeberStundenLimit = false;
    bool StrictFirstHour = false; // clears AbbruchErsteStunde
    std::string PlanFile;         // continue from this plan instead of building a new one
    bool Repair = true;           // complete an attempt by the conflict-directed search
    int Jobs = 0; // runs at once; 0: one per core for a new plan, one for a saved plan
    std::vector<int> Stages{2, 3, 4, 5, 6};
    double StageSeconds = 10.0;
    int StagePasses = 0; // 0: no pass limit of our own
};

// "2,3,4" -> {2, 3, 4}; an empty text is no stage at all. Only the numbered stages of the stage
// table (2..6) exist.
std::optional<std::vector<int>> StageList(const std::string& text) {
    std::vector<int> stages;
    std::string rest = text;
    while (!rest.empty()) {
        const auto comma = rest.find(',');
        const std::string item = rest.substr(0, comma);
        rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
        const auto n = PositiveInt(item);
        if (!n || !FindNumberedStage(*n)) return std::nullopt;
        stages.push_back(*n);
    }
    return stages;
}

std::vector<OptionRow> PlanOptionTable(PlanOptions& o) {
    return {
        Text("-o", o.Output, "ein Dateiname"),
        Number("--tries", 1, INT_MAX, [&o](int n) { o.Tries = n; }),
        {"--seed", true,
         [&o](const std::string& v) {
             o.Seed = cli::Seed(v);
             return o.Seed.has_value();
         },
         "0 bis 4294967295"},
        Flag("--json", o.Json),
        Flag("--allow-course-over-limit", o.KursUeberStundenLimit),
        Flag("--allow-multi-course-over-limit", o.MehrfachKursUeberStundenLimit),
        Flag("--allow-multi-over-limit", o.MehrfachUeberStundenLimit),
        Flag("--strict-first-hour", o.StrictFirstHour),
        Flag("--no-repair", o.Repair, false),
        Number("--jobs", 1, kMaxJobs, [&o](int n) { o.Jobs = n; }),
        Text("--plan", o.PlanFile, "ein Dateiname"),
        {"--stages", true,
         [&o](const std::string& v) {
             const auto list = StageList(v);
             if (list) o.Stages = *list;
             return list.has_value();
         },
         "die Stufen 2 bis 6, durch Kommas getrennt, z. B. 2,4,5, oder nichts"},
        Number("--stage-seconds", 1, INT_MAX, [&o](int n) { o.StageSeconds = n; }),
        Number("--stage-passes", 1, INT_MAX, [&o](int n) { o.StagePasses = n; }),
    };
}

std::optional<PlanOptions> ParsePlanArgs(const Args& args) {
    PlanOptions o;
    std::vector<std::string> positional;
    if (!ParseOptions(args, PlanOptionTable(o), positional)) return std::nullopt;
    // A saved plan brings its own master data; otherwise the school is the one argument.
    if (o.PlanFile.empty() ? positional.size() != 1 : !positional.empty()) return std::nullopt;
    if (!positional.empty()) o.School = positional[0];
    return o;
}

// A saved plan is continued, not built: the options that only shape the initial plan have
// nothing to act on there and are refused rather than ignored.
bool RefuseInitialPlanOptions(const PlanOptions& o) {
    if (o.PlanFile.empty()) return false;
    const char* option = o.Tries ? "--tries" : o.StrictFirstHour ? "--strict-first-hour" : nullptr;
    if (!option) return false;
    std::fprintf(stderr,
                 "%s gilt nur für einen neuen Plan: mit --plan wird kein Urplan erzeugt, es "
                 "laufen nur die Stufen.\n",
                 option);
    return true;
}

// "5 Versuche / Rest = 3"
std::string AttemptLine(const InitialPlanProgress& p) {
    return std::to_string(p.Versuche) + " Versuche / Rest = " + std::to_string(p.Rest);
}

// "Konflikt:  Sperrung (Müller, 5a, Deutsch)"
std::string ConflictLine(const ConflictRecord& k, const ConflictNames& n) {
    std::string names;
    for (const std::string* s : {&n.Lehrer, &n.Klassen, &n.FachKurs, &n.Raum})
        if (!s->empty()) names += (names.empty() ? "" : ", ") + *s;
    const std::string caption = texte::KonfliktZeile(k.Kind);
    return names.empty() ? caption : caption + " (" + names + ")";
}

// One progress line per attempt when stderr is a terminal (rewritten in place), otherwise one
// line every few seconds.
class ProgressPrinter : public InitialPlanObserver {
public:
    ProgressPrinter() : terminal_(::isatty(::fileno(stderr)) != 0) {}

    // The names of a conflict are looked up in the plan of the run.
    void Started(const CPlan* plan, int) override { plan_ = plan; }
    void AttemptDone(const InitialPlanProgress& p) override {
        const std::string line =
            p.Rest == 0 || !plan_
                ? AttemptLine(p)
                : AttemptLine(p) + "   " + ConflictLine(p.Konflikt, NamesOf(*plan_, p.Konflikt));
        if (terminal_) {
            std::fprintf(stderr, "\r%s\x1b[K", line.c_str());
            std::fflush(stderr);
            pending_ = true;
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < std::chrono::seconds(3)) return;
        last_ = now;
        std::fprintf(stderr, "%s\n", line.c_str());
    }
    void Finished(const InitialPlanProgress&, const PlanTotals&) override {
        if (pending_) std::fputc('\n', stderr);
        pending_ = false;
    }

private:
    bool terminal_;
    const CPlan* plan_ = nullptr;
    bool pending_ = false;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

// "Müller / 5a / Deutsch" or "Müller / Reli 5": the teacher, the class or course, the subject.
std::string HourText(const CPlan& plan, const CStunde* h) {
    if (!h || !h->IsLesson()) return {};
    const Stammdaten& stamm = plan.Stamm();
    std::string text = plan.LehrerAt(h->Lehrer).Name + " / ";
    if (h->IsCourse()) return text + stamm.KursBloecke[h->FachKurs].Name;
    text += plan.KlasseAt(h->Klasse).Name;
    if (h->FachKurs >= 0) text += " / " + stamm.Faecher[h->FachKurs];
    return text;
}

// The hour that blocked the last attempt, on stderr.
void PrintBlockingHour(const CPlan& plan, const InitialPlanResult& result) {
    std::fprintf(stderr, "Kein vollständiger Plan nach %s (bester Versuch: Rest = %d).\n",
                 Anzahl(result.Versuche, "Versuch", "Versuchen").c_str(), result.Rest);
    const ConflictRecord conflict = ConflictOf(plan);
    const ConflictNames k = NamesOf(plan, conflict);
    std::fprintf(stderr, "%s\n", texte::KonfliktZeile(conflict.Kind).c_str());
    auto line = [](const char* label, const std::string& value) {
        if (!value.empty()) std::fprintf(stderr, "  %-11s%s\n", label, value.c_str());
    };
    line("Lehrer:", k.Lehrer);
    line("Fach/Kurs:", k.FachKurs);
    line("Klasse:", k.Klassen);
    if (plan.Conflict().KonfliktRaum >= 0 && plan.Conflict().KonfliktRaum < plan.RaumAnzahl)
        line("Raum:", plan.RaumAt(plan.Conflict().KonfliktRaum).Name);
    // When the labels name only the class, the hour itself is still worth knowing.
    if (plan.Conflict().KonfliktKlasse >= 0)
        line("Stunde:", HourText(plan, plan.Conflict().KonfliktStunde));
}

std::string RunJson(const CPlan& plan, const InvariantReport& report,
                    const InitialPlanResult& result, std::uint32_t seed) {
    std::string out = FiguresJson(plan, report);
    out.pop_back(); // the closing brace
    out += ", \"complete\": " + std::string(result.Complete() ? "true" : "false");
    out += ", \"tries\": " + std::to_string(result.Versuche);
    out += ", \"rest\": " + std::to_string(result.Rest);
    out += ", \"seed\": " + std::to_string(seed);
    out += ", \"interrupted\": " + std::string(HaltRequested() ? "true" : "false");
    if (!result.Complete()) {
        const ConflictRecord conflict = ConflictOf(plan);
        const ConflictNames k = NamesOf(plan, conflict);
        const int raumIndex = plan.Conflict().KonfliktRaum;
        const std::string raum = raumIndex >= 0 && raumIndex < plan.RaumAnzahl
                                     ? plan.RaumAt(raumIndex).Name
                                     : std::string();
        out += ", \"conflict\": {\"caption\": " + JsonString(texte::KonfliktZeile(conflict.Kind)) +
               ", \"Lehrer\": " + JsonString(k.Lehrer) +
               ", \"FachKurs\": " + JsonString(k.FachKurs) +
               ", \"Klasse\": " + JsonString(k.Klassen) + ", \"Raum\": " + JsonString(raum) +
               ", \"Stunde\": " + JsonString(HourText(plan, plan.Conflict().KonfliktStunde)) + "}";
    }
    return out + "}";
}

// One line of figures after a stage.
void PrintStage(const StageRecord& r) {
    std::printf("Stufe %d: %5d %s %6.1f s   KLS %d   KProd %s   TF %d   STF %d"
                "   LLS %d (max %d)   LProd %s\n",
                static_cast<int>(r.Stage), r.Result.Passes,
                r.Result.Passes == 1 ? "Durchgang " : "Durchgänge", r.Seconds, r.KLSSumme,
                DistributionText(r.KProd, r.KProdOpt).c_str(), r.TFSumme, r.STFSumme, r.LLSSumme,
                r.LLSMax, DistributionText(r.LProd, r.LProdOpt).c_str());
}

std::string StagesJson(const std::vector<StageRecord>& records) {
    std::string out = "[";
    char buf[64];
    for (const StageRecord& r : records) {
        if (out.size() > 1) out += ", ";
        std::snprintf(buf, sizeof buf, "%.3f", r.Seconds);
        out += "{\"stage\": " + std::to_string(static_cast<int>(r.Stage)) +
               ", \"seconds\": " + buf + ", \"passes\": " + std::to_string(r.Result.Passes) +
               ", \"reached\": " + (r.Result.Reached ? "true" : "false") +
               ", \"KLSSumme\": " + std::to_string(r.KLSSumme) +
               ", \"KProd\": " + std::to_string(r.KProd) +
               ", \"TFSumme\": " + std::to_string(r.TFSumme) +
               ", \"STFSumme\": " + std::to_string(r.STFSumme) +
               ", \"LLSSumme\": " + std::to_string(r.LLSSumme) +
               ", \"LLSMax\": " + std::to_string(r.LLSMax) +
               ", \"LProd\": " + std::to_string(r.LProd) + "}";
    }
    return out + "]";
}

// The job the options describe, for a new plan of o.School.
PlanJobOptions JobOptions(const PlanOptions& o, std::uint32_t seed) {
    PlanJobOptions job;
    job.School = o.School;
    job.PlanFile = o.PlanFile;
    PlanningOptions& p = job.Planning;
    p.Attempts = o.Tries.value_or(kStandardVersuche);
    p.Seed = seed;
    p.Search = o.Repair;
    p.CourseOverLimit = o.KursUeberStundenLimit;
    p.MultiCourseOverLimit = o.MehrfachKursUeberStundenLimit;
    p.MultiOverLimit = o.MehrfachUeberStundenLimit;
    p.StrictFirstHour = o.StrictFirstHour;
    for (int stage : o.Stages)
        p.Stages.push_back(static_cast<Stage>(stage));
    p.StageSeconds = o.StageSeconds;
    p.StagePasses = o.StagePasses;
    p.Stop = &HaltFlag();
    return job;
}

// A school read as a plan file, as the session tells the files apart: by the extension.
bool IsPlanFileName(const std::string& path) {
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    for (char& c : tail)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".pdt";
}

int DefaultJobs() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

} // namespace

int PlanCommand(const Args& args) {
    const std::optional<PlanOptions> parsed = ParsePlanArgs(args);
    if (!parsed) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const PlanOptions& o = *parsed;
    if (RefuseInitialPlanOptions(o)) return 2;
    // The school is never replaced by a plan file; a saved plan that is continued may be, as
    // "Plan - Datei speichern" replaces the plan file it was read from.
    if (!o.Output.empty() && !o.School.empty() && !OutputIsNotInput(o.Output, o.School)) {
        if (IsPlanFileName(o.School))
            std::fprintf(stderr,
                         "Um den gespeicherten Plan weiter zu verbessern: stundenwerk plan --plan "
                         "%s -o %s\n",
                         o.School.c_str(), o.Output.c_str());
        return 2;
    }
    StderrReporter reporter;
    std::uint32_t seed = o.Seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    const HaltOnSignals halt;
    const auto printStage = [&o](const StageRecord& r) {
        if (!o.Json) PrintStage(r);
        std::fflush(stdout);
    };
    // One run per job, on a new plan or on the saved one.
    std::vector<PlanJobRun> runs;
    std::size_t best = 0;
    const bool continued = !o.PlanFile.empty();
    const int jobs = o.Jobs > 0 ? o.Jobs : continued ? 1 : DefaultJobs();
    ProgressPrinter progress;
    PlanJobOptions job = JobOptions(o, seed);
    job.Planning.Jobs = jobs;
    // What no attempt could place, before the first attempt.
    if (!continued)
        for (const std::string& line : FitProblemsOfJob(job))
            std::fprintf(stderr, "Warnung: %s\n", line.c_str());
    if (jobs == 1) {
        runs.push_back(RunPlanJob(job, seed, &reporter, &progress, printStage));
    } else {
        // The runs' stage lines would interleave: the best run's are printed afterwards.
        runs = RunPlanJobs(job, best, &progress);
        // What the best run said, and whatever its session says from now on (a failed
        // save above all), reaches stderr.
        runs[best].Messages->PassOn(reporter);
        for (const StageRecord& r : runs[best].Stages)
            printStage(r);
    }
    PlanJobRun& chosen = runs[best];
    if (!chosen.Opened) return 2;
    Session* session = chosen.Schule.get();
    const InitialPlanResult result = chosen.Urplan;
    const std::vector<StageRecord>& stages = chosen.Stages;
    seed = chosen.Seed;
    if (jobs > 1 && !o.Json)
        std::printf("%-38s%d (der beste mit Startwert %u)\n", "Läufe:", jobs, seed);
    if (!continued && HaltRequested() && !result.Complete())
        std::fprintf(stderr, "Abgebrochen (%s) nach %s.\n", SignalName(HaltSignal()),
                     Anzahl(result.Versuche, "Versuch", "Versuchen").c_str());
    CPlan& plan = *session->Plan();
    const InvariantReport report = CheckInvariants(plan, true);
    // A rule of the school the plan could not meet is named, with whose it is and the day.
    const std::vector<std::string> breaches = RegelVerstoesse(plan);
    for (const std::string& b : breaches)
        std::fprintf(stderr, "Regel nicht erfüllt: %s\n", b.c_str());

    if (o.Json) {
        std::string json = RunJson(plan, report, result, seed);
        json.pop_back();
        // Only a school with rules has the count: the output of others stays as it was.
        const std::string breachCount =
            plan.Regeln() ? ", \"rule_breaches\": " + std::to_string(breaches.size()) : "";
        std::printf("%s%s, \"stages\": %s}\n", json.c_str(), breachCount.c_str(),
                    StagesJson(stages).c_str());
    } else {
        std::printf("%-38s%s / Rest = %d\n",
                    "Urplan:", Anzahl(result.Versuche, "Versuch", "Versuche").c_str(), result.Rest);
        std::printf("%-38s%u\n", "Startwert:", seed);
        PrintFigures(plan, report);
        for (const std::string& v : report.Violations)
            std::printf("Verletzt: %s\n", v.c_str());
    }
    if (!result.Complete() && !o.PlanFile.empty())
        std::fprintf(
            stderr,
            "Der Plan ist unvollständig: %s nicht gesetzt; die Stufen laufen nur auf "
            "einem vollständigen Plan.\n",
            (Anzahl(result.Rest, "Stunde", "Stunden") + (result.Rest == 1 ? " ist" : " sind"))
                .c_str());
    else if (!result.Complete())
        PrintBlockingHour(plan, result);

    if (!o.Output.empty()) {
        const SignalsHeldBack whole;
        if (!session->SavePlanFile(o.Output)) return 2;
    }
    if (!report.Ok()) return 1;
    return result.Complete() ? 0 : 3;
}

} // namespace sw::cli
