// SPDX-License-Identifier: GPL-3.0-or-later
// publish_bench PLAN.pdt [--runs N]: how long the web site of a plan takes, the pages built in
// memory and the whole site written into a fresh temporary folder, each the best of N runs
// (default 5). Reading the plan file is not timed.

#include "app/Session.h"
#include "publish/Webseite.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace sw;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("Aufruf: publish_bench PLAN.pdt [--runs N]\n", stderr);
        return 2;
    }
    int runs = 5;
    if (argc >= 4 && std::strcmp(argv[2], "--runs") == 0) runs = std::max(1, std::atoi(argv[3]));
    CapturingReporter reporter;
    Session session(reporter);
    if (!session.OpenPlanFile(argv[1])) {
        std::fprintf(stderr, "%s kann nicht gelesen werden.\n", argv[1]);
        return 2;
    }
    const CPlan& plan = *session.Plan();
    const WebseitenOptionen optionen = WebseitenOptionen::Alle(plan);
    using Uhr = std::chrono::steady_clock;
    auto ms = [](Uhr::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    double bauen = 1e300, schreiben = 1e300;
    std::size_t dateien = 0, bytes = 0;
    for (int i = 0; i < runs; ++i) {
        const auto a = Uhr::now();
        const std::vector<WebDatei> seiten = WebseiteDateien(plan, optionen, {});
        bauen = std::min(bauen, ms(Uhr::now() - a));
        dateien = seiten.size();
        bytes = 0;
        for (const WebDatei& d : seiten)
            bytes += d.Inhalt.size();

        const std::filesystem::path ordner =
            std::filesystem::temp_directory_path() /
            ("publish-bench-" + std::to_string(::getpid()) + "-" + std::to_string(i));
        const auto b = Uhr::now();
        const bool ok = Veroeffentliche(plan, optionen, ordner.string(), {}, reporter).Ok;
        schreiben = std::min(schreiben, ms(Uhr::now() - b));
        std::filesystem::remove_all(ordner);
        if (!ok) {
            std::fputs("Die Webseite konnte nicht geschrieben werden.\n", stderr);
            return 1;
        }
    }
    std::printf("%zu Dateien, %.1f MB: gebaut in %.1f ms, geschrieben (mit Bauen) in %.1f ms\n",
                dateien, static_cast<double>(bytes) / 1e6, bauen, schreiben);
    return 0;
}
