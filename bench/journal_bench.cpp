// SPDX-License-Identifier: GPL-3.0-or-later
// journal_bench PLAN.pdt: a school year's substitution journal for the plan's school, and how
// fast it comes back. 200 school days from 2026-09-07 with 10 teachers away each day (in turn
// through the staff, each absence one day, a third of them two days), a decision on each of
// their lessons (two in three a substitute, the rest cancelled, every tenth taken back and
// decided again) are written to a temporary journal (not timed). Timed: reading the journal file
// (best of 5), and for one date the list of its lessons and the candidates of every lesson.
#include "files/PlanFile.h"
#include "io/FileOps.h"
#include "substitute/JournalDatei.h"
#include "substitute/Vertretungstag.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

using namespace sw;

namespace {

double Ms(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from)
        .count();
}

// The school days of the year: Monday to the plan's last day, 200 of them.
std::vector<Datum> Schultage(const CPlan& plan) {
    std::vector<Datum> out;
    for (Datum d{2026, 9, 7}; out.size() < 200; d = d.PlusTage(1))
        if (!DatumAblehnung(plan, d)) out.push_back(d);
    return out;
}

Journal Jahr(const CPlan& plan, const std::vector<Datum>& tage) {
    Journal j;
    int naechster = 0, nummer = 0;
    for (const Datum& d : tage) {
        for (int i = 0; i < 10; ++i) {
            const int t = naechster++ % plan.LehrerAnzahl;
            const Datum bis = i % 3 == 0 ? d.PlusTage(1) : d;
            j.Eintragen({AbwesenheitsArt::Lehrer, plan.LehrerAt(t).Name, d, bis, -1, -1, "krank"});
        }
        Vertretungstag tag(plan, j, d);
        tag.Ermitteln();
        CapturingReporter still;
        for (int z = 1; z < tag.Liste().Anzahl(); ++z) {
            const std::vector<Kandidat> k = tag.Kandidaten(z);
            if (++nummer % 3 == 0 || k.empty() || !k[0].Frei)
                tag.Ausfall(z);
            else
                tag.Waehlen(z, k[0], still);
            if (nummer % 10 == 0) tag.Loeschen(z), tag.Ausfall(z);
        }
    }
    return j;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: journal_bench PLAN.pdt\n");
        return 2;
    }
    CapturingReporter rep;
    PlanReadResult gelesen = ReadPlanFile(argv[1], DefaultFileOps(), rep);
    if (!gelesen.plan) {
        std::fprintf(stderr, "Der Plan %s kann nicht gelesen werden.\n", argv[1]);
        return 2;
    }
    const CPlan& plan = *gelesen.plan;
    const std::vector<Datum> tage = Schultage(plan);
    const Journal jahr = Jahr(plan, tage);

    const std::string ordner =
        std::filesystem::temp_directory_path() / ("journal_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(ordner);
    const std::string pfad = ordner + "/SCHULE.vtr";
    if (!DefaultFileOps().WriteReplacing(pfad, JournalText(jahr))) return 1;

    double laden = 1e9;
    JournalDatei datei(DefaultFileOps(), pfad);
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        datei.Oeffnen(rep);
        laden = std::min(laden, Ms(start));
    }
    const Datum tag = tage[tage.size() / 2];
    const auto start = std::chrono::steady_clock::now();
    Vertretungstag t(plan, datei.Daten(), tag);
    const int stunden = t.Ermitteln();
    const double liste = Ms(start);
    double kandidaten = 0;
    for (int z = 1; z < t.Liste().Anzahl(); ++z) {
        const auto s = std::chrono::steady_clock::now();
        (void)t.Kandidaten(z);
        kandidaten = std::max(kandidaten, Ms(s));
    }
    std::printf(
        "Lehrer %d, Klassen %d; Journal: %zu Abwesenheiten, %zu Entscheidungen, %ju Bytes\n",
        plan.LehrerAnzahl, plan.KlassenAnzahl, datei.Daten().Abwesenheiten().size(),
        datei.Daten().Entscheidungen().size(),
        static_cast<std::uintmax_t>(std::filesystem::file_size(pfad)));
    std::printf("Journal lesen (bestes von 5): %.1f ms\n", laden);
    std::printf("Stunden ermitteln am %s (%d Stunden): %.2f ms\n", tag.Text().c_str(), stunden,
                liste);
    std::printf("Vorschlagsliste (längste): %.2f ms\n", kandidaten);
    datei.Schliessen();
    std::filesystem::remove_all(ordner);
    return 0;
}
