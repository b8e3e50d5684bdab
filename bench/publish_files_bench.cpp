// SPDX-License-Identifier: GPL-3.0-or-later
// publish_bench: writes the calendars, the PDF, the workbook and the CSV files of a saved plan
// into a folder and prints how long each took, to measure them and to try them by hand.
//
//   publish_files_bench PLAN.pdt FOLDER [VON BIS]
//
// VON and BIS ("2027-02-01") give the term of the calendars when the school has entered none.
#include "files/PlanFile.h"
#include "publish/Kalender.h"
#include "publish/PlanAusgabe.h"
#include "publish/PlanMappe.h"
#include "publish/PlanPdf.h"

#include <chrono>
#include <cstdio>
#include <iostream>

namespace {

class ConsoleReporter : public sw::Reporter {
public:
    void Show(const sw::Message& m) override { std::cerr << m.Title << ": " << m.Text << "\n"; }
    bool Ask(const sw::Message& m, sw::Question) override {
        std::cerr << m.Title << ": " << m.Text << " (ja)\n";
        return true;
    }
};

double Ms(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::cerr << "publish_files_bench PLAN.pdt FOLDER [VON BIS]\n";
        return 2;
    }
    ConsoleReporter reporter;
    sw::DiskFileOps files;
    const sw::PlanReadResult r = sw::ReadPlanFile(argv[1], files, reporter);
    if (!r.outcome.Ok || !r.plan) return 1;
    const sw::CPlan& plan = *r.plan;
    const std::string folder = argv[2];
    const sw::ExportOptionen alle = sw::AllePlaene(plan);
    sw::KalenderOptionen kalender;
    if (argc == 5) {
        kalender.Von = sw::Datum::Lies(argv[3]);
        kalender.Bis = sw::Datum::Lies(argv[4]);
    }

    // Each kind: made in memory, then written; both times apart, for the writing waits for the
    // disk.
    const auto mal = [&](const char* was, const auto& machen) {
        auto start = std::chrono::steady_clock::now();
        const auto dateien = machen();
        const double gemacht = Ms(start);
        start = std::chrono::steady_clock::now();
        const bool ok = dateien && sw::DateienSchreiben(folder, *dateien, files, reporter);
        std::printf("%s: %zu Dateien, erzeugt in %.1f ms, geschrieben in %.1f ms\n", was,
                    dateien ? dateien->size() : 0U, gemacht, Ms(start));
        return ok;
    };
    using Dateien = std::optional<std::vector<sw::AusgabeDatei>>;
    const auto eine = [](std::optional<sw::AusgabeDatei> d) {
        return d ? Dateien(std::vector<sw::AusgabeDatei>{std::move(*d)}) : Dateien();
    };
    const bool icsOk =
        mal("Kalender", [&] { return sw::Kalender(plan, alle, kalender, reporter); });
    const bool xlsxOk =
        mal("Arbeitsmappe", [&] { return eine(sw::PlanAlsXlsx(plan, alle, reporter)); });
    const bool csvOk = mal("CSV", [&] { return Dateien(sw::PlanAlsCsv(plan, alle)); });
    const bool pdfOk = mal("PDF", [&] { return eine(sw::PlanAlsPdf(plan, alle, reporter)); });
    return icsOk && xlsxOk && csvOk && pdfOk ? 0 : 1;
}
