// SPDX-License-Identifier: GPL-3.0-or-later
// optimise_bench: the moves of the optimisation stages on the two example schools, from one
// seeded initial plan.
//
//   BM_Exchange/N        one exchange attempt at two random slots of a random class
//   BM_GoalDirected/N    one goal-directed call (goal table, 1 class, 1 wanted) under goal 12
//   BM_ClassGapPass/N    one class-gap pass (mode 1, count 1) under goal 1
//
// Each reports calls per second, the share of calls that changed the plan ("kept") and the
// allocations per call, which must be 0.
// Argument 0 is examples/gymnasium.sch, argument 1 examples/grossschule.sch.

#include "CountingNew.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "optimise/InitialPlanRun.h"
#include "optimise/Stages.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

using namespace sw;

struct School {
    std::unique_ptr<Stammdaten> data;
    CapturingReporter reporter;
    std::unique_ptr<CPlan> plan;
    Random rng; // the initial plan's, the moves' and the benchmarks' own draws
    RunControl run;
    std::unique_ptr<Optimiser> opt;
};

School& Get(int which) {
    static std::unique_ptr<School> schools[2];
    if (!schools[which]) {
        auto s = std::make_unique<School>();
        const char* file = which == 0 ? "/examples/gymnasium.sch" : "/examples/grossschule.sch";
        ProjectReadResult r =
            OpenProject(std::string(STUNDENWERK_SOURCE_DIR) + file, DefaultFileOps());
        if (!r.outcome.Ok) std::abort();
        s->data = std::make_unique<Stammdaten>(std::move(r.data));
        s->plan = std::make_unique<CPlan>(*s->data, s->reporter);
        s->plan->BuildLessonHours();
        if (!RunInitialPlan(s->plan.get(), s->rng, s->reporter, s->run, 1000, 1).Complete())
            std::abort();
        EvaluateAll(*s->plan);
        s->opt = std::make_unique<Optimiser>(*s->plan, s->rng, s->run, s->reporter);
        schools[which] = std::move(s);
    }
    return *schools[which];
}

void BM_Exchange(benchmark::State& state) {
    School& s = Get(static_cast<int>(state.range(0)));
    CPlan& p = *s.plan;
    p.ClearGoals();
    p.SetGoal(Ziel::LehrerLuecken);
    long long kept = 0, calls = 0;
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        const int k = s.rng.Below(p.KlassenAnzahl);
        const int a = SlotOf(s.rng.Below(p.Tage), s.rng.InRange(1, p.Stunden));
        const int b = SlotOf(s.rng.Below(p.Tage), s.rng.InRange(1, p.Stunden));
        s.opt->Exchange()({.FirstSlot = a,
                           .SecondSlot = b,
                           .ClassAtFirst = k,
                           .ClassAtSecond = k,
                           .Rule = AcceptanceKind::GoalTable});
        kept += s.opt->Exchange().LastKept() ? 1 : 0;
        ++calls;
    }
    ReportAllocations(state, before);
    state.counters["calls_per_s"] = benchmark::Counter(calls, benchmark::Counter::kIsRate);
    state.counters["kept_pct"] = calls ? 100.0 * kept / calls : 0;
    state.SetLabel(s.data->Klassen.size() > 30 ? "grossschule" : "gymnasium");
}

void BM_GoalDirected(benchmark::State& state) {
    School& s = Get(static_cast<int>(state.range(0)));
    CPlan& p = *s.plan;
    p.ClearGoals();
    p.SetGoal(Ziel::LehrerLuecken);
    long long kept = 0, calls = 0;
    const std::int64_t before = Allocations();
    for (auto _ : state) {
        kept += s.opt->Improver()(AcceptanceKind::GoalTable, 1, 1);
        ++calls;
    }
    ReportAllocations(state, before);
    state.counters["calls_per_s"] = benchmark::Counter(calls, benchmark::Counter::kIsRate);
    state.counters["kept_pct"] = calls ? 100.0 * kept / calls : 0;
    state.SetLabel(s.data->Klassen.size() > 30 ? "grossschule" : "gymnasium");
}

void BM_ClassGapPass(benchmark::State& state) {
    School& s = Get(static_cast<int>(state.range(0)));
    CPlan& p = *s.plan;
    p.ClearGoals();
    p.SetGoal(Ziel::KlassenLuecken);
    const auto before = s.opt->Gaps().Attempts();
    const std::int64_t allocationsBefore = Allocations();
    for (auto _ : state)
        s.opt->Gaps().Pass(1, 1);
    ReportAllocations(state, allocationsBefore);
    state.counters["attempts_per_s"] = benchmark::Counter(
        static_cast<double>(s.opt->Gaps().Attempts() - before), benchmark::Counter::kIsRate);
    state.SetLabel(s.data->Klassen.size() > 30 ? "grossschule" : "gymnasium");
}

BENCHMARK(BM_Exchange)->Arg(0)->Arg(1);
BENCHMARK(BM_GoalDirected)->Arg(0)->Arg(1);
BENCHMARK(BM_ClassGapPass)->Arg(0)->Arg(1);

} // namespace

BENCHMARK_MAIN();
