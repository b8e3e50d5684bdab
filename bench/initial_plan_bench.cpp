// SPDX-License-Identifier: GPL-3.0-or-later
// initial_plan_bench: the initial plan and the class-gap minimisation on the two example schools.
//
//   BM_InitialPlanAttempt/N   one attempt from an empty grid per iteration: attempts per second,
//                             the share of complete plans ("complete") and the heap allocations
//                             of one attempt after the first ("allocs_per_attempt", must be 0)
//   BM_ClassGapPass/N         one pass of MinimiseClassGaps(mode 1, 10 attempts per class) with
//                             goal 1 per iteration: move attempts per second
//
// After the benchmarks, for each school: KLSSumme after 1 and 5 seconds of passes (mode 1, count
// 10, goal 1) from the same seeded initial plan, with the move attempts per second; with --long
// also after 20 seconds. --no-series skips this part.
//
// Argument 0 is examples/gymnasium.sch, argument 1 examples/grossschule.sch.

#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "plan/ClassGaps.h"
#include "plan/Evaluation.h"
#include "plan/InitialPlan.h"
#include "plan/Plan.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

std::atomic<std::int64_t> gAllocations{0};

[[gnu::noinline]] void Release(void* p) noexcept {
    std::free(p);
}

} // namespace

void* operator new(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}

namespace {

using namespace sw;

const char* const kSchools[] = {"gymnasium.sch", "grossschule.sch"};
constexpr std::uint32_t kSeed = 1;

// A school with its plan and lesson hours, loaded once per program run.
struct School {
    std::string name;
    Stammdaten data;
    CapturingReporter reporter;
    std::unique_ptr<CPlan> plan;
    Random rng;
};

School& Load(int index) {
    static std::unique_ptr<School> schools[2];
    std::unique_ptr<School>& s = schools[index];
    if (!s) {
        s = std::make_unique<School>();
        s->name = kSchools[index];
        const std::string path = std::string(STUNDENWERK_SOURCE_DIR) + "/examples/" + s->name;
        ProjectReadResult read = OpenProject(path, DefaultFileOps());
        if (!read.outcome.Ok) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            std::exit(1);
        }
        s->data = std::move(read.data);
        s->plan = std::make_unique<CPlan>(s->data, s->reporter);
        s->plan->BuildLessonHours();
        ComputeTargets(*s->plan);
    }
    return *s;
}

// The same complete initial plan for every measurement of a school, figures evaluated.
int PlanFromSeed(CPlan& plan, Random& rng) {
    InitialPlanBuilder builder(plan, rng);
    rng.Seed(kSeed);
    int tries = 0;
    do {
        plan.ClearPlacements();
        ++tries;
    } while (builder.Build() != 0 && tries < 1000);
    EvaluateAll(plan);
    return tries;
}

void BM_InitialPlanAttempt(benchmark::State& state) {
    School& school = Load(static_cast<int>(state.range(0)));
    CPlan& plan = *school.plan;
    InitialPlanBuilder builder(plan, school.rng);
    school.rng.Seed(kSeed);
    plan.ClearPlacements();
    builder.Build(); // the first attempt may size the builder's lists
    std::int64_t complete = 0;
    std::int64_t attempts = 0;
    const std::int64_t allocsBefore = gAllocations.load();
    for (auto _ : state) {
        plan.ClearPlacements();
        complete += builder.Build() == 0;
        ++attempts;
    }
    state.SetItemsProcessed(attempts);
    state.counters["complete"] = static_cast<double>(complete) / static_cast<double>(attempts);
    state.counters["allocs_per_attempt"] =
        static_cast<double>(gAllocations.load() - allocsBefore) / static_cast<double>(attempts);
    state.SetLabel(kSchools[state.range(0)]);
}
BENCHMARK(BM_InitialPlanAttempt)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ClassGapPass(benchmark::State& state) {
    School& school = Load(static_cast<int>(state.range(0)));
    CPlan& plan = *school.plan;
    PlanFromSeed(plan, school.rng);
    plan.ClearGoals();
    plan.SetGoal(Ziel::KlassenLuecken);
    ClassGapMinimiser minimiser(plan, school.rng);
    const std::int64_t allocsBefore = gAllocations.load();
    for (auto _ : state)
        minimiser.Pass(1, 10);
    state.SetItemsProcessed(minimiser.Attempts());
    state.counters["allocs_per_pass"] = static_cast<double>(gAllocations.load() - allocsBefore) /
                                        static_cast<double>(state.iterations());
    state.counters["KLSSumme"] = plan.Totals().KLSSumme;
    state.SetLabel(kSchools[state.range(0)]);
}
BENCHMARK(BM_ClassGapPass)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// KLSSumme after 1, 5 (and 20) seconds of passes from the seeded initial plan.
void GapSeries(int index, bool longRun) {
    School& school = Load(index);
    CPlan& plan = *school.plan;
    const int tries = PlanFromSeed(plan, school.rng);
    plan.ClearGoals();
    plan.SetGoal(Ziel::KlassenLuecken);
    std::printf("%s: initial plan after %d attempts (seed %u), KLSSumme %d\n", school.name.c_str(),
                tries, kSeed, plan.Totals().KLSSumme);
    ClassGapMinimiser minimiser(plan, school.rng);
    std::vector<double> marks = {1.0, 5.0};
    if (longRun) marks.push_back(20.0);
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::int64_t passes = 0;
    for (double mark : marks) {
        while (std::chrono::duration<double>(Clock::now() - start).count() < mark) {
            minimiser.Pass(1, 10);
            ++passes;
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("  after %4.1f s: KLSSumme %5d   passes %8lld   moves tried %10lld "
                    "(%.0f/s)   kept %lld\n",
                    mark, plan.Totals().KLSSumme, static_cast<long long>(passes),
                    static_cast<long long>(minimiser.Attempts()),
                    static_cast<double>(minimiser.Attempts()) / seconds,
                    static_cast<long long>(minimiser.Kept()));
    }
}

} // namespace

int main(int argc, char** argv) {
    bool longRun = false;
    bool series = true;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--long") == 0)
            longRun = true;
        else if (std::strcmp(argv[i], "--no-series") == 0)
            series = false;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (series)
        for (int i = 0; i < 2; ++i)
            GapSeries(i, longRun);
    return 0;
}
