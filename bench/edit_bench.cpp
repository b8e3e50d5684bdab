// SPDX-License-Identifier: GPL-3.0-or-later
// edit_bench: the scans of the grid's editing commands. "Stunde verschieben" tests every slot of
// the week with every candidate room of the selected hour (for a course hour: a room for every
// parallel hour); "Stunde Suchen" tests every lesson of the shown class against the selected empty
// cell; "Austausch" asks the exchange move in test mode at every slot. Each runs on
// examples/grossschule.sch, planned with a fixed seed, and, with `--schools DIR`, on every *.sch
// of that folder (planned as far as a short run gets; the scans work on whatever stands). The
// move scan also runs in its worst case: the hour with the most rooms in a class with nothing
// else in the week.
//
// The program counts every call of the global operator new (CountingNew.h): a scan must make no
// allocation ("allocs_per_call" 0). The target is under 5 ms per scan on the largest school.

#include "CountingNew.h"
#include "edit/EditHistory.h"
#include "edit/PlanEditor.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "model/Report.h"
#include "optimise/InitialPlanRun.h"
#include "optimise/RunControl.h"
#include "plan/MoveRecord.h"
#include "plan/Plan.h"
#include "plan/Random.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace sw;

// A school planned once, with an editor on it and the cells the scans start from.
struct School {
    std::string name;
    std::unique_ptr<Stammdaten> stamm;
    CapturingReporter reporter;
    std::unique_ptr<CPlan> plan;
    EditHistory history;
    std::unique_ptr<PlanEditor> editor;
    std::vector<const CStunde*> subjectHours, courseHours;
    std::vector<std::pair<int, int>> emptyCells; // (class, slot) without a lesson of the class
};

std::vector<std::unique_ptr<School>>& Schools() {
    static std::vector<std::unique_ptr<School>> schools;
    return schools;
}

int ClassOf(const CStunde& h) {
    if (h.Klasse != -1) return h.Klasse;
    return h.KlassenL && !h.KlassenL->empty() ? h.KlassenL->front() : -1;
}

// Loads and plans a school; nullptr (with a line on stderr) when it cannot be read.
std::unique_ptr<School> Load(const std::string& path, bool realSchool) {
    auto s = std::make_unique<School>();
    s->name = std::filesystem::path(path).stem().string();
    ProjectReadResult read = OpenProject(path, DefaultFileOps());
    if (!read.outcome.Ok) {
        std::fprintf(stderr, "edit_bench: cannot open %s\n", path.c_str());
        return nullptr;
    }
    s->stamm = std::make_unique<Stammdaten>(std::move(read.data));
    s->plan = std::make_unique<CPlan>(*s->stamm, s->reporter);
    CPlan& plan = *s->plan;
    plan.BuildLessonHours();
    if (realSchool) plan.SetLimitFlags(true, true, true);
    RunControl run;
    Random rng;
    InitialPlanOptions options;
    options.Weitersuchen = realSchool;
    options.SuchSchritte = 200000;
    RunInitialPlan(&plan, rng, s->reporter, run, realSchool ? 3 : 1000, 11, nullptr, options);
    for (const auto& h : plan.StundenL) {
        if (plan.PositionOf(*h) < 0) continue;
        if (h->IsCourse())
            s->courseHours.push_back(h.get());
        else
            s->subjectHours.push_back(h.get());
    }
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        for (int slot = 0; slot < kSlotCount; ++slot)
            if (plan.InWeek(slot) && plan.ClassLessons(k, slot) == 0)
                s->emptyCells.emplace_back(k, slot);
    s->editor = std::make_unique<PlanEditor>(plan, *s->stamm, s->history, s->reporter);
    std::fprintf(stderr, "%s: %d of %zu hours placed, %zu rooms, %d classes\n", s->name.c_str(),
                 plan.PlacedCount(), plan.StundenL.size(),
                 static_cast<std::size_t>(plan.RaumAnzahl), plan.KlassenAnzahl);
    return s;
}

// Selects hour h in the class view of its class.
void SelectHour(PlanEditor& ed, const CPlan& plan, const CStunde& h) {
    const int slot = plan.SlotOfHour(h);
    ed.Show(Ansicht::Klasse, ClassOf(h));
    ed.Reset();
    ed.SelectCell(DayOf(slot), HourOf(slot));
}

void Report(benchmark::State& state, std::int64_t allocationsBefore, std::size_t framed) {
    ReportAllocations(state, allocationsBefore);
    const double n = std::max<double>(1.0, static_cast<double>(state.iterations()));
    state.counters["framed_per_call"] = static_cast<double>(framed) / n;
}

// "Stunde verschieben" on one placed hour after the other (subject or course hours).
void MoveScan(benchmark::State& state, School* s, bool course) {
    const auto& hours = course ? s->courseHours : s->subjectHours;
    if (hours.empty()) {
        state.SkipWithError("no such hour placed");
        return;
    }
    PlanEditor& ed = *s->editor;
    std::size_t i = 0, framed = 0;
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        SelectHour(ed, *s->plan, *hours[i]);
        ed.Move();
        framed += ed.State().Candidates.size();
        i = (i + 1) % hours.size();
    }
    Report(state, before, framed);
}

// "Stunde Suchen" on one empty cell of a class after the other.
void SearchScan(benchmark::State& state, School* s) {
    if (s->emptyCells.empty()) {
        state.SkipWithError("no empty cell");
        return;
    }
    PlanEditor& ed = *s->editor;
    std::size_t i = 0, framed = 0;
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        const auto [k, slot] = s->emptyCells[i];
        ed.Show(Ansicht::Klasse, k);
        ed.Reset();
        ed.SelectCell(DayOf(slot), HourOf(slot));
        ed.Search();
        framed += ed.State().Candidates.size();
        i = (i + 1) % s->emptyCells.size();
    }
    Report(state, before, framed);
}

// "Austausch" on one placed subject hour after the other: the exchange move in test mode at every
// slot of the week.
void SwapScan(benchmark::State& state, School* s) {
    if (s->subjectHours.empty()) {
        state.SkipWithError("no hour placed");
        return;
    }
    PlanEditor& ed = *s->editor;
    std::size_t i = 0, framed = 0;
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        SelectHour(ed, *s->plan, *s->subjectHours[i]);
        ed.Swap();
        framed += ed.State().Candidates.size();
        i = (i + 1) % s->subjectHours.size();
    }
    Report(state, before, framed);
}

// The worst case of "Stunde verschieben": the subject hour with the most candidate rooms, its
// class emptied of every other lesson, so that every slot of the week is tried with every room.
void MoveScanEmptyClass(benchmark::State& state, School* s) {
    CPlan& plan = *s->plan;
    const CStunde* widest = nullptr;
    for (const CStunde* h : s->subjectHours)
        if (!widest || h->RoomCount() > widest->RoomCount()) widest = h;
    if (!widest) {
        state.SkipWithError("no hour placed");
        return;
    }
    MoveRecord lifted;
    const int k = widest->Klasse;
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (int r = 0; r < plan.RaumAnzahl; ++r)
            if (const CStunde* h = plan.HourAt(r, slot); h && h != widest && h->Involves(k))
                plan.Lift(r, slot, lifted);
    PlanEditor& ed = *s->editor;
    std::size_t framed = 0;
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        SelectHour(ed, plan, *widest);
        ed.Move();
        framed += ed.State().Candidates.size();
    }
    Report(state, before, framed);
    state.counters["rooms"] = widest->RoomCount();
    plan.Undo(lifted);
}

void Register(School* s) {
    benchmark::RegisterBenchmark(("MoveScan/" + s->name).c_str(), MoveScan, s, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("MoveScanEmptyClass/" + s->name).c_str(), MoveScanEmptyClass, s)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("MoveScanCourse/" + s->name).c_str(), MoveScan, s, true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("SearchScan/" + s->name).c_str(), SearchScan, s)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("SwapScan/" + s->name).c_str(), SwapScan, s)
        ->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char** argv) {
    // --schools DIR: also every *.sch of DIR. Taken out before Google Benchmark sees the
    // arguments.
    std::string folder;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--schools") == 0 && i + 1 < argc) {
            folder = argv[++i];
            continue;
        }
        args.push_back(argv[i]);
    }
    int n = static_cast<int>(args.size());
    if (auto s = Load(std::string(STUNDENWERK_SOURCE_DIR) + "/examples/grossschule.sch", false))
        Schools().push_back(std::move(s));
    if (!folder.empty()) {
        std::vector<std::string> files;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(folder, ec))
            if (e.path().extension() == ".sch") files.push_back(e.path().string());
        if (ec) std::fprintf(stderr, "edit_bench: cannot read %s\n", folder.c_str());
        std::sort(files.begin(), files.end());
        for (const auto& f : files)
            if (auto s = Load(f, true)) Schools().push_back(std::move(s));
    }
    for (const auto& s : Schools())
        Register(s.get());
    benchmark::Initialize(&n, args.data());
    if (benchmark::ReportUnrecognizedArguments(n, args.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
