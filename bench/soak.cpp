// SPDX-License-Identifier: GPL-3.0-or-later
// soak: a long run of the whole optimisation chain on one school with a fixed seed. It builds the
// initial plan, then loops over every stage (2..6, a few passes each), every "Mischen"
// perturbation and rounds of single moves, and checks the plan all the time:
//   - after every pass: the invariant checker (grid, units, parallel hours, occupancy counts);
//   - after every single move call: the totals the moves keep by differences (TFSumme, STFSumme,
//     LLSSumme, LProd, and KLSSumme and KProd, which the moves leave alone or keep as well;
//     LLSMax never below the true maximum) and the status records against a fresh evaluation;
//   - every `--save-every` seconds: the plan file is written, read again and compared cell by
//     cell, preset by preset and figure by figure.
// It prints passes, moves, violations and memory (peak and current resident size) and exits with
// 1 when anything was found, 2 when it cannot start.
//
//   soak [--seconds N] [--seed S] [--save-every N] [--school FILE] [--dir FOLDER]
#include "files/PlanFile.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "optimise/InitialPlanRun.h"
#include "optimise/Stages.h"
#include "plan/Evaluation.h"
#include "plan/Invariants.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#ifndef STUNDENWERK_SOURCE_DIR
#define STUNDENWERK_SOURCE_DIR "."
#endif

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    double Seconds = 60;
    std::uint32_t Seed = 20240601;
    double SaveEvery = 60;
    std::string School = STUNDENWERK_SOURCE_DIR "/examples/grossschule.sch";
    std::string Dir = "/tmp";
};

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) return false;
        const std::string v = argv[++i];
        if (a == "--seconds")
            o.Seconds = std::atof(v.c_str());
        else if (a == "--seed")
            o.Seed = static_cast<std::uint32_t>(std::strtoul(v.c_str(), nullptr, 10));
        else if (a == "--save-every")
            o.SaveEvery = std::atof(v.c_str());
        else if (a == "--school")
            o.School = v;
        else if (a == "--dir")
            o.Dir = v;
        else
            return false;
    }
    return o.Seconds > 0 && o.SaveEvery > 0;
}

// Resident size now, in KiB.
long CurrentRssKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long PeakRssKb() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Sums the feasible exchanges of the stages (each report carries the stage's running sum).
class ExchangeCounter : public sw::StageObserver {
public:
    void Started(const sw::StageRow&) override { total += last, last = 0; }
    void PassDone(const sw::PassReport& report) override { last = report.Exchanges; }
    long long Total() const { return total + last; }

private:
    long long total = 0, last = 0;
};

class Soak {
public:
    Soak(sw::CPlan& plan, sw::Random& rng, sw::Stammdaten& data, const Options& o)
        : plan_(plan), data_(data), o_(o), optimiser_(plan, rng, run_, reporter_, &counter_) {}

    int Run();

private:
    void Violation(const std::string& where, const std::string& what);
    void CheckPass(const char* where);
    void CheckKeptTotals(const char* where);
    void MoveRound();
    void SaveAndReload();
    bool TimeUp() const { return Clock::now() >= end_; }
    void RunStage(sw::Stage stufe, int passes, sw::GoalSet chosen = {});
    void RunMix(sw::Stage tab);

    sw::CPlan& plan_;
    sw::Stammdaten& data_;
    const Options& o_;
    sw::CapturingReporter reporter_;
    sw::RunControl run_;
    ExchangeCounter counter_;
    sw::Optimiser optimiser_;
    Clock::time_point start_, end_, nextSave_;
    long long passes_ = 0, checks_ = 0, totalChecks_ = 0, saves_ = 0, exchanges_ = 0;
    long long violations_ = 0, moveRounds_ = 0;
    std::vector<long> rssPerSave_;
};

void Soak::Violation(const std::string& where, const std::string& what) {
    ++violations_;
    if (violations_ <= 20) std::printf("VERLETZT (%s): %s\n", where.c_str(), what.c_str());
}

void Soak::CheckPass(const char* where) {
    ++checks_;
    const sw::InvariantReport rep = sw::CheckInvariants(plan_, false);
    for (const auto& v : rep.Violations)
        Violation(where, v);
}

// The totals a move keeps by differences must equal a fresh evaluation (KeptTotalsDrift); then
// the figures are refreshed, as a stage does after every pass.
void Soak::CheckKeptTotals(const char* where) {
    ++totalChecks_;
    if (const std::string drift = sw::KeptTotalsDrift(plan_); !drift.empty())
        Violation(where, drift);
    sw::EvaluateAll(plan_);
}

// Single move calls with the goals the last stage set, each followed by the totals check. The
// exchange rules and the gap-minimisation modes rotate, so that every record rule runs.
void Soak::MoveRound() {
    using sw::AcceptanceKind;
    static constexpr AcceptanceKind kExchange[] = {
        AcceptanceKind::GoalTable, AcceptanceKind::Deluge, AcceptanceKind::RecordPlusMargin,
        AcceptanceKind::Annealing};
    static constexpr int kGapModes[] = {0, 1, 4, 19, 20};
    for (int i = 0; i < 4 && !TimeUp(); ++i) {
        ++moveRounds_;
        exchanges_ += optimiser_.RandomExchanges(kExchange[moveRounds_ % 4]);
        CheckKeptTotals("Tausch");
        optimiser_.Improver()(AcceptanceKind::GoalTable, 10, 10);
        CheckKeptTotals("Zielgerichtet");
        optimiser_.Gaps().Pass(kGapModes[moveRounds_ % 5], 10);
        CheckKeptTotals("Klassenlücken");
    }
    CheckPass("Einzelzüge");
}

void Soak::RunStage(sw::Stage stufe, int passes, sw::GoalSet chosen) {
    int done = 0;
    run_.SetPassHook([&] {
        ++passes_;
        CheckPass("Durchgang");
        if (++done >= passes || TimeUp()) run_.Halt();
    });
    optimiser_.RunStage(stufe, chosen);
    run_.SetPassHook({});
}

void Soak::RunMix(sw::Stage tab) {
    run_.SetPassHook([&] {
        ++passes_;
        CheckPass("Mischen");
        if (TimeUp()) run_.Halt();
    });
    optimiser_.Mix(tab);
    run_.SetPassHook({});
}

// Writes the plan file, reads it back and compares everything the file carries.
void Soak::SaveAndReload() {
    ++saves_;
    const std::string path = o_.Dir + "/soak-" + std::to_string(::getpid()) + ".pdt";
    sw::DiskFileOps files;
    const sw::Outcome written = sw::WritePlanFile(data_, &plan_, path, files);
    if (!written.Ok) {
        Violation("Speichern", written.Messages.empty() ? "?" : written.Messages[0].Text);
        return;
    }
    sw::CapturingReporter quiet;
    sw::PlanReadResult read = sw::ReadPlanFile(path, files, quiet);
    files.Remove(path);
    if (!read.outcome.Ok) {
        Violation("Laden", read.outcome.Messages.empty() ? "?" : read.outcome.Messages[0].Text);
        return;
    }
    const sw::CPlan& back = *read.plan;
    if (back.RaumAnzahl != plan_.RaumAnzahl || back.StundenL.size() != plan_.StundenL.size()) {
        Violation("Laden", "andere Form des Plans");
        return;
    }
    for (int r = 0; r < plan_.RaumAnzahl; ++r)
        for (int s = 0; s < sw::kSlotCount; ++s) {
            const sw::CStunde* a = plan_.HourAt(r, s);
            const sw::CStunde* b = back.HourAt(r, s);
            if ((a ? a->Index : -1) != (b ? b->Index : -1))
                Violation("Laden", "Zelle " + std::to_string(r) + "/" + std::to_string(s));
        }
    for (std::size_t i = 0; i < plan_.StundenL.size(); ++i) {
        const sw::CStunde& a = *plan_.StundenL[i];
        const sw::CStunde& b = *back.StundenL[i];
        if (a.Zeit != b.Zeit || a.Modus != b.Modus || a.OberesLimit != b.OberesLimit ||
            a.UnteresLimit != b.UnteresLimit || a.TagesLimit != b.TagesLimit || a.Tag != b.Tag ||
            a.Lehrer != b.Lehrer || a.Klasse != b.Klasse || a.FachKurs != b.FachKurs)
            Violation("Laden", "Stunde " + std::to_string(i));
    }
    // The file stored the figures the plan kept when it was written.
    const sw::StoredFigures& st = read.stored;
    if (st.LLSSumme != plan_.Totals().LLSSumme || st.KLSSumme != plan_.Totals().KLSSumme ||
        st.TFSumme != plan_.Totals().TFSumme || st.LLSMax != plan_.Totals().LLSMax ||
        st.LProd != plan_.Totals().LProd || st.KProd != plan_.Totals().KProd ||
        st.LLSLimit != plan_.Totals().LLSLimit || st.OptWerte != plan_.Totals().Opt.OptWerte())
        Violation("Laden", "gespeicherte Kennzahlen");
    sw::EvaluateAll(plan_);
    const int mine[] = {plan_.Totals().KLSSumme, plan_.Totals().KProd,    plan_.Totals().TFSumme,
                        plan_.Totals().STFSumme, plan_.Totals().LLSSumme, plan_.Totals().LLSMax,
                        plan_.Totals().LProd,    plan_.Totals().LLSLimit, plan_.Totals().KProdOpt,
                        plan_.Totals().LProdOpt};
    const int theirs[] = {back.Totals().KLSSumme, back.Totals().KProd,    back.Totals().TFSumme,
                          back.Totals().STFSumme, back.Totals().LLSSumme, back.Totals().LLSMax,
                          back.Totals().LProd,    back.Totals().LLSLimit, back.Totals().KProdOpt,
                          back.Totals().LProdOpt};
    for (int i = 0; i < 10; ++i)
        if (mine[i] != theirs[i]) Violation("Laden", "Kennzahl " + std::to_string(i));
    if (plan_.Totals().Opt.OptWerte() != back.Totals().Opt.OptWerte())
        Violation("Laden", "OptWerte");
    sw::CPlan& reread = *read.plan;
    const sw::InvariantReport rep = sw::CheckInvariants(reread, false);
    for (const auto& v : rep.Violations)
        Violation("Laden", v);
}

int Soak::Run() {
    using sw::Stage;
    start_ = Clock::now();
    end_ = start_ +
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(o_.Seconds));
    const auto saveEvery =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(o_.SaveEvery));
    nextSave_ = start_ + saveEvery;
    const long rssStart = CurrentRssKb();
    long long rounds = 0;
    while (!TimeUp()) {
        ++rounds;
        for (Stage s : {Stage::KlassenLuecken, Stage::KlassenVerteilung, Stage::Trennungsfehler,
                        Stage::LehrerLuecken, Stage::LehrerVerteilung}) {
            if (TimeUp()) break;
            RunStage(s, 3);
            MoveRound();
            RunMix(s);
            if (Clock::now() >= nextSave_) {
                SaveAndReload();
                rssPerSave_.push_back(CurrentRssKb());
                nextSave_ += saveEvery;
                std::printf("Sicherung %zu: %6.0f s, %lld Durchgänge, %lld Verletzungen, %ld KiB\n",
                            rssPerSave_.size(),
                            std::chrono::duration<double>(Clock::now() - start_).count(), passes_,
                            violations_, rssPerSave_.back());
                std::fflush(stdout);
            }
        }
        // "Manuell" with goals that change every round.
        constexpr sw::Ziel kChoices[7] = {
            sw::Ziel::KlassenLuecken,  sw::Ziel::KlassenVerteilung,
            sw::Ziel::Trennungsfehler, sw::Ziel::Spezialtrennungsfehler,
            sw::Ziel::LehrerLuecken,   sw::Ziel::LehrerLueckenMaximum,
            sw::Ziel::LehrerVerteilung};
        sw::GoalSet chosen;
        for (int g = 0; g < 7; ++g)
            if (((rounds >> g) & 1) != 0) chosen.Add(kChoices[g]);
        if (!TimeUp()) RunStage(Stage::Manuell, 2, chosen);
        if (!TimeUp()) MoveRound();
    }
    SaveAndReload();
    rssPerSave_.push_back(CurrentRssKb());
    const sw::InvariantReport last = sw::CheckInvariants(plan_, true);
    for (const auto& v : last.Violations)
        Violation("Ende", v);

    const auto& acc = optimiser_.Improver().Accepted();
    const long long moves = acc.singleSwaps + acc.courseSwaps + acc.unitShifts +
                            optimiser_.Gaps().Kept() + exchanges_ + counter_.Total();
    const double secs = std::chrono::duration<double>(Clock::now() - start_).count();
    std::printf("Sekunden:            %.0f\n", secs);
    std::printf("Runden:              %lld\n", rounds);
    std::printf("Durchgänge:          %lld\n", passes_);
    std::printf(
        "Züge angenommen:     %lld (Tausch ausführbar %lld, Einzeltausch %lld, Kurstausch %lld, "
        "Verschiebung %lld, Klassenlücken %lld)\n",
        moves, exchanges_ + counter_.Total(), acc.singleSwaps, acc.courseSwaps, acc.unitShifts,
        static_cast<long long>(optimiser_.Gaps().Kept()));
    std::printf("Prüfungen:           %lld Invarianten, %lld Summen, %lld Speichern/Laden\n",
                checks_, totalChecks_, saves_);
    std::printf("Kennzahlen:          KLS %d  KProd %d/%d  TF %d  STF %d  LLS %d (max %d)  "
                "LProd %d/%d\n",
                plan_.Totals().KLSSumme, plan_.Totals().KProd, plan_.Totals().KProdOpt,
                plan_.Totals().TFSumme, plan_.Totals().STFSumme, plan_.Totals().LLSSumme,
                plan_.Totals().LLSMax, plan_.Totals().LProd, plan_.Totals().LProdOpt);
    long rssMax = 0;
    for (long kb : rssPerSave_)
        rssMax = std::max(rssMax, kb);
    std::printf("Speicher:            Start %ld KiB, Spitze %ld KiB; bei den %zu Sicherungen "
                "erste %ld KiB, größte %ld KiB, letzte %ld KiB\n",
                rssStart, PeakRssKb(), rssPerSave_.size(), rssPerSave_.front(), rssMax,
                rssPerSave_.back());
    std::printf("Verletzungen:        %lld\n", violations_);
    return violations_ == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) {
        std::fputs("Aufruf: soak [--seconds N] [--seed S] [--save-every N] [--school DATEI] "
                   "[--dir ORDNER]\n",
                   stderr);
        return 2;
    }
    sw::DiskFileOps files;
    sw::ProjectReadResult read = sw::OpenProject(o.School, files);
    if (!read.outcome.Ok) {
        std::fprintf(stderr, "%s kann nicht gelesen werden.\n", o.School.c_str());
        return 2;
    }
    sw::Stammdaten data = std::move(read.data);
    sw::CapturingReporter reporter;
    sw::CPlan plan(data, reporter);
    plan.BuildLessonHours();
    sw::RunControl run;
    sw::Random rng; // the initial plan's, then the optimiser's
    const auto t0 = Clock::now();
    const sw::InitialPlanResult initial =
        sw::RunInitialPlan(&plan, rng, reporter, run, 1000, o.Seed);
    std::printf("Schule:              %s (Startwert %u)\n", o.School.c_str(), o.Seed);
    std::printf("Urplan:              %d Versuche / Rest = %d (%.1f s)\n", initial.Versuche,
                initial.Rest, std::chrono::duration<double>(Clock::now() - t0).count());
    if (!initial.Complete()) {
        std::fputs("Kein vollständiger Urplan.\n", stderr);
        return 2;
    }
    const sw::InvariantReport first = sw::CheckInvariants(plan, true);
    for (const auto& v : first.Violations)
        std::printf("VERLETZT (Urplan): %s\n", v.c_str());
    if (!first.Ok()) return 1;
    std::fflush(stdout);
    Soak soak(plan, rng, data, o);
    return soak.Run();
}
