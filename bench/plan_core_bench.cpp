// SPDX-License-Identifier: GPL-3.0-or-later
// plan_core_bench: the hot calls of the planner on the two example schools. Each school is loaded
// once, its lesson hours are built and placed by a simple first-fit pass, and then the placement
// check and the evaluation are timed on that (nearly) complete plan.
//
// The program counts every call of the global operator new (CountingNew.h), so each benchmark
// reports how many allocations one call makes ("allocs_per_call"); the placement check, the
// evaluation of one teacher or class, and taking or restoring a snapshot must make none.
//
// Argument 0 is examples/gymnasium.sch, argument 1 examples/grossschule.sch.

#include "CountingNew.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "model/Report.h"
#include "model/Slot.h"
#include "model/Stammdaten.h"
#include "plan/Evaluation.h"
#include "plan/Invariants.h"
#include "plan/Placement.h"
#include "plan/Plan.h"
#include "plan/Random.h"
#include "plan/Snapshot.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------------------------
// The schools

namespace {

using namespace sw;

constexpr std::array<const char*, 2> kSchoolFiles = {"gymnasium.sch", "grossschule.sch"};
constexpr int kProbeCount = 4096;

// One call of the placement check to time.
struct Probe {
    const CStunde* hour;
    int slot;
    int room;
};

struct LoadedSchool {
    std::string name;
    std::string error; // non-empty when the school could not be set up
    std::unique_ptr<Stammdaten> stamm;
    CapturingReporter reporter;
    std::unique_ptr<CPlan> plan;
    int hours = 0;
    int placedFirstPass = 0;
    bool limitsRelaxed = false; // the second pass needed the class-limit options
    // Units taken out of the grid while the placement check runs, so that its triples include
    // hours that stand nowhere: (hour, room, slot) as they stood.
    std::vector<std::tuple<CStunde*, int, int>> heldOut;
    std::vector<Probe> probes;
    double acceptedShare = 0.0;
    double placedProbeShare = 0.0;

    double PlacedPercent() const { return hours == 0 ? 0.0 : 100.0 * plan->PlacedCount() / hours; }
};

// The hours that stand at one slot together when `hour` does: its parallel hours for a course,
// else the hour alone.
template <typename F> bool ForEachTogether(CStunde& hour, F f) {
    if (!hour.ParallelL) return f(hour);
    for (CStunde* q : *hour.ParallelL)
        if (!f(*q)) return false;
    return true;
}

// Puts q into the first room of its list that the check accepts at `slot`; a later hour of a
// unit tries the room of the hour before it first, so a double lesson keeps its room.
bool PlaceInSomeRoom(CPlan& plan, CStunde& q, int slot,
                     std::vector<std::pair<CStunde*, int>>& placed) {
    if (q.BlockPos > 0) {
        const int prev = plan.RoomOf(*plan.StundenL[q.Index - 1]);
        if (prev >= 0 && CheckPlacement(plan, q, slot, prev) == nullptr) {
            plan.Place(q, prev, slot);
            placed.emplace_back(&q, prev);
            return true;
        }
    }
    for (int room : *q.RaumL) {
        if (CheckPlacement(plan, q, slot, room) != nullptr) continue;
        plan.Place(q, room, slot);
        placed.emplace_back(&q, room);
        return true;
    }
    return false;
}

// Places the whole unit that begins with `first` (all its hours and their parallel hours) from
// slot `start` on, or nothing of it.
bool PlaceUnit(CPlan& plan, CStunde& first, int start,
               std::vector<std::pair<CStunde*, int>>& placed) {
    placed.clear();
    bool ok = true;
    for (int p = 0; p < first.Laenge && ok; ++p) {
        CStunde& hour = *plan.StundenL[first.Index + p];
        ok = ForEachTogether(
            hour, [&](CStunde& q) { return PlaceInSomeRoom(plan, q, start + p, placed); });
    }
    if (!ok)
        for (auto [q, room] : placed)
            plan.Lift(room, plan.SlotOfHour(*q));
    return ok;
}

// One first-fit pass over the units still unplaced. The day the search starts on moves on with
// every unit so that the week fills evenly; within a day the earliest hour wins.
void FirstFitPass(CPlan& plan, const std::vector<CStunde*>& units) {
    std::vector<std::pair<CStunde*, int>> placed;
    int rotation = 0;
    for (CStunde* first : units) {
        if (plan.PositionOf(*first) >= 0) continue;
        bool done = false;
        for (int d = 0; d < plan.Tage && !done; ++d) {
            const int day = (d + rotation) % plan.Tage;
            for (int hour = 1; hour + first->Laenge - 1 <= plan.Stunden && !done; ++hour)
                done = PlaceUnit(plan, *first, SlotOf(day, hour), placed);
        }
        ++rotation;
    }
}

// The first hour of every unit, once per course position: fixed times first, then course units
// (several rooms at once), then longer units, then those with fewer rooms to choose from.
std::vector<CStunde*> UnitsInPlacingOrder(CPlan& plan) {
    std::vector<CStunde*> units;
    for (const auto& h : plan.StundenL) {
        if (!h->IsFirstOfUnit()) continue;
        if (h->ParallelL && h->ParallelL->front() != h.get()) continue;
        units.push_back(h.get());
    }
    auto rank = [](const CStunde* h) {
        return std::tuple(h->TimeFixed() ? 0 : 1, h->IsCourse() ? 0 : 1, -h->Laenge,
                          h->RoomCount());
    };
    std::stable_sort(units.begin(), units.end(),
                     [&](const CStunde* a, const CStunde* b) { return rank(a) < rank(b); });
    return units;
}

// Takes every 20th unit out of the grid, remembering where its hours stood.
void HoldOutUnits(LoadedSchool& s, const std::vector<CStunde*>& units) {
    CPlan& plan = *s.plan;
    for (std::size_t u = 7; u < units.size(); u += 20) {
        if (plan.PositionOf(*units[u]) < 0) continue;
        for (int p = 0; p < units[u]->Laenge; ++p)
            ForEachTogether(*plan.StundenL[units[u]->Index + p], [&](CStunde& q) {
                s.heldOut.emplace_back(&q, plan.RoomOf(q), plan.SlotOfHour(q));
                return true;
            });
    }
}

void LiftHeldOut(LoadedSchool& s) {
    for (auto [h, room, slot] : s.heldOut)
        s.plan->Lift(room, slot);
}

void PutBackHeldOut(LoadedSchool& s) {
    for (auto [h, room, slot] : s.heldOut)
        s.plan->Place(*h, room, slot);
}

// Draws the triples for the placement check while the held-out units are lifted: half of them
// from placed hours, half from unplaced ones, in a candidate room (now and then any room) at a
// teaching slot of the week, and as many accepted as refused ones.
void DrawProbes(LoadedSchool& s) {
    CPlan& plan = *s.plan;
    std::vector<const CStunde*> placedHours, unplacedHours;
    for (const auto& h : plan.StundenL)
        (plan.PositionOf(*h) >= 0 ? placedHours : unplacedHours).push_back(h.get());
    if (unplacedHours.empty()) unplacedHours = placedHours;

    Random rng(20240611);
    std::vector<Probe> accepted, refused;
    const int half = kProbeCount / 2;
    for (int tries = 0; tries < 1000 * kProbeCount; ++tries) {
        if (static_cast<int>(accepted.size()) >= half && static_cast<int>(refused.size()) >= half)
            break;
        const auto& pool = tries % 2 == 0 ? placedHours : unplacedHours;
        const CStunde* h = pool[rng.Below(static_cast<int>(pool.size()))];
        // Mostly a room the hour may use; now and then any room of the school.
        const int room =
            rng.Below(4) != 0 ? (*h->RaumL)[rng.Below(h->RoomCount())] : rng.Below(plan.RaumAnzahl);
        const int slot = SlotOf(rng.Below(plan.Tage), rng.InRange(1, plan.Stunden));
        const bool ok = CheckPlacement(plan, *h, slot, room) == nullptr;
        auto& into = ok ? accepted : refused;
        if (static_cast<int>(into.size()) < half) into.push_back({h, slot, room});
    }
    s.probes = accepted;
    s.probes.insert(s.probes.end(), refused.begin(), refused.end());
    for (int i = static_cast<int>(s.probes.size()) - 1; i > 0; --i)
        std::swap(s.probes[i], s.probes[rng.Below(i + 1)]);

    int ok = 0, onPlaced = 0;
    for (const Probe& p : s.probes) {
        ok += CheckPlacement(plan, *p.hour, p.slot, p.room) == nullptr ? 1 : 0;
        onPlaced += plan.PositionOf(*p.hour) >= 0 ? 1 : 0;
    }
    const double n = std::max<double>(1.0, static_cast<double>(s.probes.size()));
    s.acceptedShare = ok / n;
    s.placedProbeShare = onPlaced / n;
}

void SetUp(LoadedSchool& s, int which) {
    const std::int64_t allocationsBefore = Allocations();
    s.name = kSchoolFiles[which];
    const std::string path = std::string(STUNDENWERK_SOURCE_DIR) + "/examples/" + s.name;
    ProjectReadResult read = OpenProject(path, DefaultFileOps());
    if (!read.outcome.Ok) {
        s.error = "cannot open " + path +
                  (read.outcome.Messages.empty() ? "" : ": " + read.outcome.Messages[0].Text);
        return;
    }
    s.stamm = std::make_unique<Stammdaten>(std::move(read.data));
    s.plan = std::make_unique<CPlan>(*s.stamm, s.reporter);
    CPlan& plan = *s.plan;
    plan.BuildLessonHours();
    ComputeTargets(plan);
    s.hours = static_cast<int>(plan.StundenL.size());

    const std::vector<CStunde*> units = UnitsInPlacingOrder(plan);
    FirstFitPass(plan, units);
    s.placedFirstPass = plan.PlacedCount();
    if (plan.PlacedCount() < s.hours) {
        plan.SetLimitFlags(true, true, true);
        s.limitsRelaxed = true;
        FirstFitPass(plan, units);
    }

    EvaluateAll(plan);
    const InvariantReport inv = CheckInvariants(plan, true);
    if (!inv.Ok()) {
        s.error = s.name + ": plan breaks its invariants: " + inv.Violations.front();
        return;
    }
    HoldOutUnits(s, units);
    LiftHeldOut(s);
    DrawProbes(s);
    PutBackHeldOut(s);
    std::fprintf(stderr,
                 "%s: %d teachers, %d classes, %d rooms, %d hours; placed %d (%.1f %%), "
                 "%d of them by the first pass%s; %zu hours held out for the placement check; "
                 "%zu messages while building; %lld allocations while setting up\n",
                 s.name.c_str(), plan.LehrerAnzahl, plan.KlassenAnzahl, plan.RaumAnzahl, s.hours,
                 plan.PlacedCount(), s.PlacedPercent(), s.placedFirstPass,
                 s.limitsRelaxed ? ", the rest with the class limits relaxed" : "",
                 s.heldOut.size(), s.reporter.shown.size(),
                 static_cast<long long>(Allocations() - allocationsBefore));
}

LoadedSchool* School(benchmark::State& state) {
    static std::array<std::unique_ptr<LoadedSchool>, kSchoolFiles.size()> schools;
    const auto which = static_cast<std::size_t>(state.range(0));
    if (which >= schools.size()) {
        state.SkipWithError("no such school");
        return nullptr;
    }
    if (!schools[which]) {
        schools[which] = std::make_unique<LoadedSchool>();
        SetUp(*schools[which], static_cast<int>(which));
    }
    LoadedSchool* s = schools[which].get();
    if (!s->error.empty()) {
        state.SkipWithError(s->error.c_str());
        return nullptr;
    }
    state.SetLabel(s->name);
    state.counters["placed_pct"] = s->PlacedPercent();
    return s;
}

// ---------------------------------------------------------------------------------------------
// Benchmarks

void BM_CheckPlacement(benchmark::State& state) {
    LoadedSchool* s = School(state);
    if (!s) return;
    CPlan& plan = *s->plan;
    const std::vector<Probe>& probes = s->probes;
    const std::size_t n = probes.size();
    std::size_t i = 0;
    LiftHeldOut(*s);
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        const Probe& p = probes[i];
        benchmark::DoNotOptimize(CheckPlacement(plan, *p.hour, p.slot, p.room));
        if (++i == n) i = 0;
    }
    ReportAllocations(state, before);
    PutBackHeldOut(*s);
    state.counters["accepted_pct"] = 100.0 * s->acceptedShare;
    state.counters["on_placed_pct"] = 100.0 * s->placedProbeShare;
}

void BM_EvaluateTeacher(benchmark::State& state) {
    LoadedSchool* s = School(state);
    if (!s) return;
    CPlan& plan = *s->plan;
    int t = 0;
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        EvaluateTeacher(plan, t);
        benchmark::DoNotOptimize(plan.LehrerStatusL[t]);
        if (++t == plan.LehrerAnzahl) t = 0;
    }
    ReportAllocations(state, before);
}

void BM_EvaluateClass(benchmark::State& state) {
    LoadedSchool* s = School(state);
    if (!s) return;
    CPlan& plan = *s->plan;
    int k = 0;
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        EvaluateClass(plan, k);
        benchmark::DoNotOptimize(plan.KlassenStatusL[k]);
        if (++k == plan.KlassenAnzahl) k = 0;
    }
    ReportAllocations(state, before);
}

void BM_EvaluateAll(benchmark::State& state) {
    LoadedSchool* s = School(state);
    if (!s) return;
    CPlan& plan = *s->plan;
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        EvaluateAll(plan);
        benchmark::DoNotOptimize(plan.Totals().KProd);
        benchmark::DoNotOptimize(plan.Totals().LProd);
    }
    ReportAllocations(state, before);
}

// A snapshot of the whole plan, taken into the same snapshot again and again.
void BM_TakeSnapshot(benchmark::State& state) {
    LoadedSchool* s = School(state);
    if (!s) return;
    PlanSnapshot snap;
    TakeSnapshot(*s->plan, snap);
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        TakeSnapshot(*s->plan, snap);
        benchmark::DoNotOptimize(snap.Cells.data());
    }
    ReportAllocations(state, before);
}

// Going back to a best plan: two snapshots that differ by the held-out units, restored in turn.
void BM_RestoreSnapshot(benchmark::State& state) {
    LoadedSchool* s = School(state);
    if (!s) return;
    CPlan& plan = *s->plan;
    const PlanSnapshot whole = TakeSnapshot(plan);
    LiftHeldOut(*s);
    const PlanSnapshot heldOut = TakeSnapshot(plan);
    bool toWhole = true;
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        RestoreSnapshot(plan, toWhole ? whole : heldOut);
        toWhole = !toWhole;
    }
    ReportAllocations(state, before);
    RestoreSnapshot(plan, whole);
}

} // namespace

BENCHMARK(BM_CheckPlacement)->Arg(0)->Arg(1);
BENCHMARK(BM_EvaluateTeacher)->Arg(0)->Arg(1);
BENCHMARK(BM_EvaluateClass)->Arg(0)->Arg(1);
BENCHMARK(BM_EvaluateAll)->Arg(0)->Arg(1);
BENCHMARK(BM_TakeSnapshot)->Arg(0)->Arg(1);
BENCHMARK(BM_RestoreSnapshot)->Arg(0)->Arg(1);

BENCHMARK_MAIN();
