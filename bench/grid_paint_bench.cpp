// SPDX-License-Identifier: GPL-3.0-or-later
// grid_paint_bench: one full repaint of the plan grid window's grid, offscreen: every cell
// described (DescribeCell through the grid's model) and painted by the grid's delegate into an
// image of the grid's size, and the statistics of the shown entity computed, as a refresh does.
//
//   BM_GridRepaint/<school>/<view>   one repaint per iteration; each iteration shows the next
//                                    teacher, class or room of the school in turn
//
// The schools: examples/grossschule.sch, and with `--schools DIR` every *.sch of that folder.
// Each is planned with a fixed seed (up to 200 attempts from an empty grid, the last attempt kept
// whether complete or not) with single and multi-hour courses and multi-hour units allowed over
// the hour limit. The repaint should take well under 20 ms on the largest school.

#include "edit/GridView.h"
#include "edit/PlanEditor.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "plan/Evaluation.h"
#include "plan/InitialPlan.h"
#include "ui/PlanGitter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOptionViewItem>
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
namespace fs = std::filesystem;

constexpr std::uint32_t kSeed = 1;
constexpr int kVersuche = 200;
// The grid's width in the window at its opening size.
constexpr int kGitterBreite = 760;

struct School {
    std::string name;
    Stammdaten data;
    CapturingReporter reporter;
    std::unique_ptr<CPlan> plan;
    Random rng;
    EditHistory history;
    std::unique_ptr<PlanEditor> editor;
};

std::unique_ptr<School> Load(const std::string& path) {
    ProjectReadResult read = OpenProject(path, DefaultFileOps());
    if (!read.outcome.Ok) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return nullptr;
    }
    auto s = std::make_unique<School>();
    s->name = fs::path(path).stem().string();
    s->data = std::move(read.data);
    s->plan = std::make_unique<CPlan>(s->data, s->reporter);
    CPlan& plan = *s->plan;
    plan.BuildLessonHours();
    ComputeTargets(plan);
    plan.SetLimitFlags(true, true, true);
    InitialPlanBuilder builder(plan, s->rng);
    s->rng.Seed(kSeed);
    int rest = 0;
    for (int i = 0; i < kVersuche; ++i) {
        plan.ClearPlacements();
        rest = builder.Build();
        if (rest == 0) break;
    }
    EvaluateAll(plan);
    std::fprintf(stderr, "%s: %d of %zu hours placed\n", s->name.c_str(), plan.PlacedCount(),
                 plan.StundenL.size());
    (void)rest;
    s->editor = std::make_unique<PlanEditor>(plan, s->data, s->history, s->reporter);
    return s;
}

int Anzahl(const School& s, Ansicht view) {
    switch (view) {
    case Ansicht::Lehrer:
        return static_cast<int>(s.data.Lehrer.size());
    case Ansicht::Klasse:
        return static_cast<int>(s.data.Klassen.size());
    case Ansicht::Raum:
        return static_cast<int>(s.data.Raeume.size());
    }
    return 0;
}

void Repaint(benchmark::State& state, School* s, Ansicht view) {
    ui::GitterModell modell;
    modell.Setzen(s->plan.get(), s->editor.get());
    ui::GitterDelegate delegate;
    const CPlan& plan = *s->plan;
    const int spalte = (kGitterBreite - 72) / std::max(1, plan.Tage);
    std::vector<int> x = {0, 60}, y = {0, delegate.KopfZeilenHoehe()};
    for (int c = 1; c < modell.columnCount(); ++c)
        x.push_back(x.back() + spalte);
    for (int r = 1; r < modell.rowCount(); ++r)
        y.push_back(y.back() + delegate.ZeilenHoehe());
    QImage bild(x.back() + 1, y.back() + 1, QImage::Format_ARGB32_Premultiplied);
    const int n = std::max(1, Anzahl(*s, view));
    int index = 0;
    QStyleOptionViewItem option;
    for (auto _ : state) {
        s->editor->Show(view, index);
        index = (index + 1) % n;
        QPainter p(&bild);
        for (int r = 0; r < modell.rowCount(); ++r)
            for (int c = 0; c < modell.columnCount(); ++c) {
                option.rect = QRect(x[c], y[r], x[c + 1] - x[c] - 1, y[r + 1] - y[r] - 1);
                delegate.paint(&p, option, modell.index(r, c));
            }
        p.end();
        benchmark::DoNotOptimize(ViewStatistics(plan, view, s->editor->Shown()));
        benchmark::DoNotOptimize(bild.constBits());
    }
    state.SetLabel(s->name + " " + std::to_string(plan.Tage) + "x" +
                   std::to_string(modell.rowCount() - 1));
}

} // namespace

int main(int argc, char** argv) {
    // --schools DIR is ours; everything else goes to Google Benchmark.
    std::string ordner;
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--schools") == 0 && i + 1 < argc) {
            ordner = argv[++i];
            continue;
        }
        rest.push_back(argv[i]);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    std::vector<std::string> pfade = {std::string(STUNDENWERK_SOURCE_DIR) +
                                      "/examples/grossschule.sch"};
    if (!ordner.empty()) {
        std::vector<std::string> dazu;
        for (const auto& e : fs::directory_iterator(ordner))
            if (e.path().extension() == ".sch") dazu.push_back(e.path().string());
        std::sort(dazu.begin(), dazu.end());
        pfade.insert(pfade.end(), dazu.begin(), dazu.end());
    }
    std::vector<std::unique_ptr<School>> schulen;
    for (const std::string& pfad : pfade)
        if (auto s = Load(pfad)) schulen.push_back(std::move(s));
    const char* namen[] = {"Lehrer", "Klasse", "Raum"};
    for (auto& s : schulen)
        for (int v = 0; v < 3; ++v)
            benchmark::RegisterBenchmark(("BM_GridRepaint/" + s->name + "/" + namen[v]).c_str(),
                                         Repaint, s.get(), static_cast<Ansicht>(v))
                ->Unit(benchmark::kMillisecond);

    int n = static_cast<int>(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
