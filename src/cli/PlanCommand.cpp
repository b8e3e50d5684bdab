// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk plan: reads a school, builds its lesson hours, runs the initial plan and prints the
// figures; with -o the plan file is written. Exit status 0 complete plan, 3 no complete plan
// within the attempts (the plan is written only with -o), 1 the plan breaks its own rules (never
// expected), 2 bad arguments, an unreadable school, a school without lessons or a failed write.
#include "cli/Cli.h"
#include "cli/Options.h"

#include "files/FileOps.h"
#include "files/PlanFile.h"
#include "optimise/InitialPlanRun.h"
#include "plan/Invariants.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <unistd.h>

namespace sw::cli {

namespace {

constexpr const char* kUsage =
    "Aufruf: stundenwerk plan SCHULE.sch|SCHULE.sdt [-o PLAN.pdt] [--tries N] [--seed S] [--json]\n"
    "        [--allow-course-over-limit] [--allow-multi-course-over-limit]\n"
    "        [--allow-multi-over-limit] [--strict-first-hour]\n";

struct PlanOptions {
    std::string School;
    std::string Output;
    int Tries = kStandardVersuche;
    std::optional<std::uint32_t> Seed;
    bool Json = false;
    bool KursUeberStundenLimit = false;
    bool MehrfachKursUeberStundenLimit = false;
    bool MehrfachUeberStundenLimit = false;
    bool StrictFirstHour = false; // clears AbbruchErsteStunde
};

std::vector<OptionRow> PlanOptionTable(PlanOptions& o) {
    auto flag = [](bool& target) {
        return [&target](const std::string&) {
            target = true;
            return true;
        };
    };
    return {
        {"-o", true, [&o](const std::string& v) { return !(o.Output = v).empty(); }},
        {"--tries", true,
         [&o](const std::string& v) {
             const auto n = PositiveInt(v);
             if (n) o.Tries = *n;
             return n.has_value();
         }},
        {"--seed", true,
         [&o](const std::string& v) {
             o.Seed = cli::Seed(v);
             return o.Seed.has_value();
         }},
        {"--json", false, flag(o.Json)},
        {"--allow-course-over-limit", false, flag(o.KursUeberStundenLimit)},
        {"--allow-multi-course-over-limit", false, flag(o.MehrfachKursUeberStundenLimit)},
        {"--allow-multi-over-limit", false, flag(o.MehrfachUeberStundenLimit)},
        {"--strict-first-hour", false, flag(o.StrictFirstHour)},
    };
}

std::optional<PlanOptions> ParsePlanArgs(const Args& args) {
    PlanOptions o;
    std::vector<std::string> positional;
    if (!ParseOptions(args, PlanOptionTable(o), positional) || positional.size() != 1)
        return std::nullopt;
    o.School = positional[0];
    return o;
}

void ApplyOptions(CPlan& plan, const PlanOptions& o) {
    plan.KursUeberStundenLimit = o.KursUeberStundenLimit;
    plan.MehrfachKursUeberStundenLimit = o.MehrfachKursUeberStundenLimit;
    plan.MehrfachUeberStundenLimit = o.MehrfachUeberStundenLimit;
    plan.AbbruchErsteStunde = o.StrictFirstHour ? 0 : 1;
}

// "Konflikt:  Sperrung (Müller, 5a, Deutsch)"
std::string ConflictLine(const ConflictLabels& k) {
    std::string names;
    for (const std::string* s : {&k.Lehrer, &k.Klassen, &k.FachKurs, &k.Raum})
        if (!s->empty()) names += (names.empty() ? "" : ", ") + *s;
    return names.empty() ? k.Caption : k.Caption + " (" + names + ")";
}

// One progress line per attempt when stderr is a terminal (rewritten in place), otherwise one
// line every few seconds.
class ProgressPrinter : public InitialPlanObserver {
public:
    ProgressPrinter() : terminal_(::isatty(::fileno(stderr)) != 0) {}

    void AttemptDone(const InitialPlanProgress& p) override {
        const std::string line =
            p.Rest == 0 ? p.Label1 : p.Label1 + "   " + ConflictLine(p.Konflikt);
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
    void Finished(const InitialPlanProgress&, const Figures&, const std::string&) override {
        if (pending_) std::fputc('\n', stderr);
        pending_ = false;
    }

private:
    bool terminal_;
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
    std::fprintf(stderr, "Kein vollständiger Plan nach %d Versuchen (Rest = %d).\n",
                 result.Versuche, result.Rest);
    const ConflictLabels k = DescribeConflict(plan);
    std::fprintf(stderr, "%s\n", k.Caption.c_str());
    auto line = [](const char* label, const std::string& value) {
        if (!value.empty()) std::fprintf(stderr, "  %-11s%s\n", label, value.c_str());
    };
    line("Lehrer:", k.Lehrer);
    line("Fach/Kurs:", k.FachKurs);
    line("Klasse:", k.Klassen);
    if (plan.KonfliktRaum >= 0 && plan.KonfliktRaum < plan.RaumAnzahl)
        line("Raum:", plan.RaumAt(plan.KonfliktRaum).Name);
    // When the labels name only the class, the hour itself is still worth knowing.
    if (plan.KonfliktKlasse >= 0) line("Stunde:", HourText(plan, plan.KonfliktStunde));
}

std::string RunJson(const CPlan& plan, const InvariantReport& report,
                    const InitialPlanResult& result, std::uint32_t seed) {
    std::string out = FiguresJson(plan, report);
    out.pop_back(); // the closing brace
    out += ", \"complete\": " + std::string(result.Complete() ? "true" : "false");
    out += ", \"tries\": " + std::to_string(result.Versuche);
    out += ", \"rest\": " + std::to_string(result.Rest);
    out += ", \"seed\": " + std::to_string(seed);
    if (!result.Complete()) {
        const ConflictLabels k = DescribeConflict(plan);
        const std::string raum = plan.KonfliktRaum >= 0 && plan.KonfliktRaum < plan.RaumAnzahl
                                     ? plan.RaumAt(plan.KonfliktRaum).Name
                                     : std::string();
        out += ", \"conflict\": {\"caption\": " + JsonString(k.Caption) +
               ", \"Lehrer\": " + JsonString(k.Lehrer) +
               ", \"FachKurs\": " + JsonString(k.FachKurs) +
               ", \"Klasse\": " + JsonString(k.Klassen) + ", \"Raum\": " + JsonString(raum) +
               ", \"Stunde\": " + JsonString(HourText(plan, plan.KonfliktStunde)) + "}";
    }
    return out + "}";
}

} // namespace

int PlanCommand(const Args& args) {
    const std::optional<PlanOptions> parsed = ParsePlanArgs(args);
    if (!parsed) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const PlanOptions& o = *parsed;
    Stammdaten data;
    if (!LoadSchool(o.School, data)) return 2;
    StderrReporter reporter;
    if (!HatUnterricht(data)) {
        reporter.Show({texte::KeinUnterricht, titel::Fehler});
        return 2;
    }
    CPlan plan(data, reporter);
    plan.BuildLessonHours();
    ApplyOptions(plan, o);

    const std::uint32_t seed = o.Seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    RunControl run;
    ProgressPrinter progress;
    const InitialPlanResult result =
        RunInitialPlan(&plan, reporter, run, std::to_string(o.Tries), seed, &progress);
    const InvariantReport report = CheckInvariants(plan, true);

    if (o.Json) {
        std::printf("%s\n", RunJson(plan, report, result, seed).c_str());
    } else {
        std::printf("%-38s%d Versuche / Rest = %d\n", "Urplan:", result.Versuche, result.Rest);
        std::printf("%-38s%u\n", "Startwert:", seed);
        PrintFigures(plan, report);
        for (const std::string& v : report.Violations)
            std::printf("Verletzt: %s\n", v.c_str());
    }
    if (!result.Complete()) PrintBlockingHour(plan, result);

    if (!o.Output.empty()) {
        const Outcome written = WritePlanFile(data, &plan, o.Output, DefaultFileOps());
        written.ShowTo(reporter);
        if (!written.Ok) return 2;
    }
    if (!report.Ok()) return 1;
    return result.Complete() ? 0 : 3;
}

} // namespace sw::cli
