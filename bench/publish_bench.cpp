// SPDX-License-Identifier: GPL-3.0-or-later
// publish_bench: writes the calendars, the PDF, the workbook and the CSV files of a saved plan
// into a folder and prints how long each took, to measure them and to try them by hand.
//
//   publish_bench PLAN.pdt FOLDER [VON BIS]
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
        std::cerr << "publish_bench PLAN.pdt FOLDER [VON BIS]\n";
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

    auto start = std::chrono::steady_clock::now();
    const auto ics = sw::Kalender(plan, alle, kalender, reporter);
    const bool icsOk = ics && sw::DateienSchreiben(folder, *ics, files, reporter);
    std::printf("Kalender: %zu Dateien, %.1f ms\n", ics ? ics->size() : 0U, Ms(start));

    start = std::chrono::steady_clock::now();
    const auto xlsx = sw::PlanAlsXlsx(plan, alle, reporter);
    const bool xlsxOk = xlsx && sw::DateienSchreiben(folder, {*xlsx}, files, reporter);
    std::printf("Arbeitsmappe: %zu Bytes, %.1f ms\n", xlsx ? xlsx->Bytes.size() : 0U, Ms(start));

    start = std::chrono::steady_clock::now();
    const auto csv = sw::PlanAlsCsv(plan, alle);
    const bool csvOk = sw::DateienSchreiben(folder, csv, files, reporter);
    std::printf("CSV: %zu Dateien, %.1f ms\n", csv.size(), Ms(start));

    start = std::chrono::steady_clock::now();
    const auto pdf = sw::PlanAlsPdf(plan, alle, reporter);
    const bool pdfOk = pdf && sw::DateienSchreiben(folder, {*pdf}, files, reporter);
    std::printf("PDF: %zu Bytes, %.1f ms\n", pdf ? pdf->Bytes.size() : 0U, Ms(start));
    return icsOk && xlsxOk && csvOk && pdfOk ? 0 : 1;
}
