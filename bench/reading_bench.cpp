// SPDX-License-Identifier: GPL-3.0-or-later
// reading_bench: opening a school is linear in its size. Schools of 1,000, 10,000 and 100,000
// teachers are generated into a temporary folder (not timed): a tenth as many classes and rooms,
// ten subjects, a one-hour subject block for 19 of every 20 teachers and a one-hour course of two
// classes for the 20th, 1.00 lesson hours per teacher. Timed are opening the project file (.sch,
// with the checks that follow the reading) and reading the master-data file (.sdt). Every
// reference in them is a name, looked up once per block; a search through the lists each time
// made 100,000 teachers take 23 s. `--keep DIR` writes the generated files into DIR and keeps
// them (for `stundenwerk info DIR/schule100000.sch`).

#include "files/ProjectFile.h"
#include "files/StreamFile.h"
#include "io/FileOps.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

using namespace sw;

namespace {

Stammdaten Generate(int teachers) {
    Stammdaten d;
    d.AngabenBestaetigt = true;
    const int classes = std::max(1, teachers / 10);
    const int rooms = std::max(1, teachers / 10);
    for (int f = 0; f < 10; ++f)
        d.Faecher.push_back("Fach " + std::to_string(f));
    for (int r = 0; r < rooms; ++r) {
        CRaumFach room;
        room.Name = "Raum " + std::to_string(r);
        room.Kurz = "R" + std::to_string(r);
        d.Raeume.push_back(std::move(room));
    }
    for (int k = 0; k < classes; ++k) {
        CKlasse klasse;
        klasse.Name = "Klasse " + std::to_string(k);
        d.Klassen.push_back(std::move(klasse));
    }
    for (int t = 0; t < teachers; ++t) {
        CLehrer l;
        l.Name = "Lehrer " + std::to_string(t);
        l.Kurz = "L" + std::to_string(t);
        l.Faecher = {d.Faecher[static_cast<std::size_t>(t % 10)]};
        d.Lehrer.push_back(std::move(l));
    }
    for (int t = 0; t < teachers; ++t) {
        const std::string& fach = d.Faecher[static_cast<std::size_t>(t % 10)];
        if (t % 20 != 0) {
            CFachBlock b;
            b.Lehrer = d.Lehrer[static_cast<std::size_t>(t)].Name;
            b.Klasse = d.Klassen[static_cast<std::size_t>(t % classes)].Name;
            b.Fach = fach;
            b.BStunden = 1;
            b.Einheiten = {CEinheit(1, kNoSlot)};
            b.Einheiten[0].Raum = d.Raeume[static_cast<std::size_t>(t % rooms)].Name;
            d.AddFachBlock(std::move(b));
            continue;
        }
        CKursBlock k;
        k.Name = "Kurs " + std::to_string(t);
        k.Kurz = "K" + std::to_string(t);
        k.Faecher = {fach};
        k.Lehrer = {{d.Lehrer[static_cast<std::size_t>(t)].Name, {CEinheit(1, kNoSlot)}}};
        k.Klassen = {d.Klassen[static_cast<std::size_t>(t % classes)].Name,
                     d.Klassen[static_cast<std::size_t>((t + 1) % classes)].Name};
        if (k.Klassen[0] == k.Klassen[1]) k.Klassen.pop_back();
        k.BStunden = 1;
        d.KursBloecke.push_back(std::move(k));
    }
    return d;
}

// The files of each size, written once.
struct Files {
    std::string Sch, Sdt;
};

// The folder given with --keep, or empty for a temporary one removed at the end.
std::string& KeptFolder() {
    static std::string folder;
    return folder;
}

std::filesystem::path Folder() {
    static const std::filesystem::path folder =
        KeptFolder().empty() ? std::filesystem::temp_directory_path() /
                                   ("stundenwerk-reading-bench-" + std::to_string(::getpid()))
                             : std::filesystem::path(KeptFolder());
    return folder;
}

const Files& FilesFor(int teachers) {
    static std::map<int, Files> made;
    auto it = made.find(teachers);
    if (it != made.end()) return it->second;
    std::filesystem::create_directories(Folder());
    const std::string base = (Folder() / ("schule" + std::to_string(teachers))).string();
    Files f{base + ".sch", base + ".sdt"};
    const Stammdaten d = Generate(teachers);
    const Outcome sch = SaveProject(d, f.Sch, DefaultFileOps());
    const Outcome sdt = WriteStreamFile(d, f.Sdt, DefaultFileOps());
    if (!sch.Ok || !sdt.Ok)
        std::fprintf(stderr, "reading_bench: %s\n",
                     (sch.Ok ? sdt : sch).Messages.at(0).Text.c_str());
    return made.emplace(teachers, f).first->second;
}

void BM_OpenProject(benchmark::State& state) {
    const Files& f = FilesFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const ProjectReadResult r = OpenProject(f.Sch, DefaultFileOps());
        if (!r.outcome.Ok) state.SkipWithError(r.outcome.Messages.at(0).Text.c_str());
        benchmark::DoNotOptimize(r.data.Lehrer.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadStreamFile(benchmark::State& state) {
    const Files& f = FilesFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const StreamReadResult r = ReadStreamFile(f.Sdt, DefaultFileOps(), false);
        if (!r.outcome.Ok) state.SkipWithError(r.outcome.Messages.at(0).Text.c_str());
        benchmark::DoNotOptimize(r.data.Lehrer.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_OpenProject)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadStreamFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--keep") {
            KeptFolder() = argv[i + 1];
            for (int j = i; j + 2 <= argc; ++j)
                argv[j] = argv[j + 2];
            argc -= 2;
            break;
        }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (KeptFolder().empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(Folder(), ignored);
    }
    return 0;
}
