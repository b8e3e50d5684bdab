// SPDX-License-Identifier: GPL-3.0-or-later
// masterdata_bench: the renames and deletes of the master-data dialogs on a whole school. Each
// carries the change into every block and unit, so it walks the school once; the target is under
// 50 ms on the largest school. Runs on examples/grossschule.sch and, with `--schools DIR`, on
// every *.sch of that folder. Every operation works on the entity most referred to (the teacher,
// class, subject and room with the most lessons); a delete works on a fresh copy made outside
// the timing, and the consistency check over the whole school is timed as well.

#include "define/MasterData.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "model/Report.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace sw;

namespace {

struct School {
    std::string Name;
    Stammdaten Data;
    int Lehrer = 0, Klasse = 0, Fach = 0, Raum = 0; // the most used of each
};

std::vector<std::unique_ptr<School>>& Schools() {
    static std::vector<std::unique_ptr<School>> schools;
    return schools;
}

// The index of the name counted most often, 0 when none is counted.
template <typename List, typename Of>
int MostUsed(const List& list, Of of, const std::map<std::string, int>& counts) {
    int best = 0, most = -1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto it = counts.find(of(list[i]));
        const int n = it == counts.end() ? 0 : it->second;
        if (n > most) {
            most = n;
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::unique_ptr<School> Load(const std::string& path) {
    ProjectReadResult read = OpenProject(path, DefaultFileOps());
    if (!read.outcome.Ok) {
        std::fprintf(stderr, "masterdata_bench: %s: %s\n", path.c_str(),
                     read.outcome.Messages.empty() ? "" : read.outcome.Messages[0].Text.c_str());
        return nullptr;
    }
    auto s = std::make_unique<School>();
    s->Name = std::filesystem::path(path).stem().string();
    s->Data = std::move(read.data);
    std::map<std::string, int> lehrer, klasse, fach, raum;
    for (const Unterricht& u : s->Data.FachBloecke) {
        ++lehrer[u.Block.Lehrer];
        ++klasse[u.Block.Klasse];
        ++fach[u.Block.Fach];
        for (const CEinheit& e : u.Block.Einheiten)
            ++raum[e.Raum];
    }
    const Stammdaten& d = s->Data;
    // A school the editor could not have made is still timed, but named.
    const std::vector<std::string> problems = MasterDataProblems(d);
    if (!problems.empty())
        std::fprintf(stderr, "masterdata_bench: %s: %zu problems, the first: %s\n", path.c_str(),
                     problems.size(), problems.front().c_str());
    s->Lehrer = MostUsed(
        d.Lehrer, [](const CLehrer& l) { return l.Name; }, lehrer);
    s->Klasse = MostUsed(
        d.Klassen, [](const CKlasse& k) { return k.Name; }, klasse);
    s->Fach = MostUsed(
        d.Faecher, [](const std::string& f) { return f; }, fach);
    s->Raum = MostUsed(
        d.Raeume, [](const CRaumFach& r) { return r.Name; }, raum);
    return s;
}

// A rename there and back: two renames per iteration, each timed on its own.
template <typename Rename> void RenameTwice(benchmark::State& state, School* s, Rename rename) {
    Stammdaten data = s->Data;
    MasterDataEditor ed(data);
    CapturingReporter rep;
    int flip = 0;
    for (auto _ : state) {
        const bool changed = rename(ed, rep, (flip++ % 2) == 0);
        if (!changed) state.SkipWithError("the rename was refused");
    }
    state.counters["lessons"] = static_cast<double>(data.FachBloecke.size());
}

// A delete on a fresh copy each time; the copy is not timed.
template <typename Delete> void DeleteOnce(benchmark::State& state, School* s, Delete del) {
    CapturingReporter rep(true);
    for (auto _ : state) {
        state.PauseTiming();
        auto data = std::make_unique<Stammdaten>(s->Data);
        MasterDataEditor ed(*data);
        state.ResumeTiming();
        const bool changed = del(ed, rep);
        state.PauseTiming();
        if (!changed) state.SkipWithError("the delete was refused");
        data.reset();
        state.ResumeTiming();
    }
}

void Register(School* s) {
    const Stammdaten& d = s->Data;
    const std::string p = s->Name + "/";
    const std::string lehrer = d.Lehrer.empty() ? "" : d.Lehrer[size_t(s->Lehrer)].Name;
    const std::string kurz = d.Lehrer.empty() ? "" : d.Lehrer[size_t(s->Lehrer)].Kurz;
    const std::string klasse = d.Klassen.empty() ? "" : d.Klassen[size_t(s->Klasse)].Name;
    const std::string fach = d.Faecher.empty() ? "" : d.Faecher[size_t(s->Fach)];
    const std::string raum = d.Raeume.empty() ? "" : d.Raeume[size_t(s->Raum)].Name;
    const std::string raumKurz = d.Raeume.empty() ? "" : d.Raeume[size_t(s->Raum)].Kurz;
    const auto ms = [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond); };

    if (!d.Lehrer.empty()) {
        ms(benchmark::RegisterBenchmark((p + "RenameTeacher").c_str(), [=](benchmark::State& st) {
            RenameTwice(st, s, [&](MasterDataEditor& ed, Reporter& rep, bool away) {
                return ed.RenameTeacher(s->Lehrer, {away ? "ZZ BENCH" : lehrer, kurz}, rep)
                    .Geaendert;
            });
        }));
        ms(benchmark::RegisterBenchmark((p + "DeleteTeacher").c_str(), [=](benchmark::State& st) {
            DeleteOnce(st, s, [&](MasterDataEditor& ed, Reporter& rep) {
                return ed.DeleteTeacher(s->Lehrer, rep).Geaendert;
            });
        }));
    }
    if (!d.Klassen.empty()) {
        ms(benchmark::RegisterBenchmark((p + "RenameClass").c_str(), [=](benchmark::State& st) {
            RenameTwice(st, s, [&](MasterDataEditor& ed, Reporter& rep, bool away) {
                return ed.RenameClass(s->Klasse, away ? "ZZ BENCH" : klasse, rep).Geaendert;
            });
        }));
        ms(benchmark::RegisterBenchmark((p + "DeleteClass").c_str(), [=](benchmark::State& st) {
            DeleteOnce(st, s, [&](MasterDataEditor& ed, Reporter& rep) {
                return ed.DeleteClass(s->Klasse, rep).Geaendert;
            });
        }));
    }
    if (!d.Faecher.empty()) {
        ms(benchmark::RegisterBenchmark((p + "RenameSubject").c_str(), [=](benchmark::State& st) {
            RenameTwice(st, s, [&](MasterDataEditor& ed, Reporter& rep, bool away) {
                return ed.RenameSubject(s->Fach, away ? "ZZ BENCH" : fach, rep).Geaendert;
            });
        }));
        ms(benchmark::RegisterBenchmark((p + "DeleteSubject").c_str(), [=](benchmark::State& st) {
            DeleteOnce(st, s, [&](MasterDataEditor& ed, Reporter& rep) {
                return ed.DeleteSubject(s->Fach, rep).Geaendert;
            });
        }));
    }
    if (!d.Raeume.empty()) {
        ms(benchmark::RegisterBenchmark((p + "RenameRoom").c_str(), [=](benchmark::State& st) {
            RenameTwice(st, s, [&](MasterDataEditor& ed, Reporter& rep, bool away) {
                return ed.RenameRoom(s->Raum, {away ? "ZZ BENCH" : raum, raumKurz}, rep).Geaendert;
            });
        }));
        ms(benchmark::RegisterBenchmark((p + "DeleteRoom").c_str(), [=](benchmark::State& st) {
            DeleteOnce(st, s, [&](MasterDataEditor& ed, Reporter& rep) {
                return ed.DeleteRoom(s->Raum, rep).Geaendert;
            });
        }));
    }
    ms(benchmark::RegisterBenchmark((p + "MasterDataProblems").c_str(), [=](benchmark::State& st) {
        for (auto _ : st)
            benchmark::DoNotOptimize(MasterDataProblems(s->Data));
    }));
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
    if (auto s = Load(std::string(STUNDENWERK_SOURCE_DIR) + "/examples/grossschule.sch"))
        Schools().push_back(std::move(s));
    if (!folder.empty()) {
        std::vector<std::string> files;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(folder, ec))
            if (e.path().extension() == ".sch") files.push_back(e.path().string());
        if (ec) std::fprintf(stderr, "masterdata_bench: cannot read %s\n", folder.c_str());
        std::sort(files.begin(), files.end());
        for (const auto& f : files)
            if (auto s = Load(f)) Schools().push_back(std::move(s));
    }
    for (const auto& s : Schools())
        Register(s.get());
    benchmark::Initialize(&n, args.data());
    if (benchmark::ReportUnrecognizedArguments(n, args.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
