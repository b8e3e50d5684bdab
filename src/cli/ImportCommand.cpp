// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk import: a school from a FET file or a folder of tables, saved as a project file;
// stundenwerk export-data: the master data of a school as a folder of tables.
#include "cli/Cli.h"
#include "cli/Options.h"

#include "app/Session.h"
#include "exchange/Import.h"
#include "exchange/Tables.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace sw::cli {

namespace {

constexpr const char* kImportUsage =
    "Aufruf: stundenwerk import SCHULE.fet|ORDNER -o SCHULE.sch [--report BERICHT.txt] "
    "[--json]\n";
constexpr const char* kExportUsage = "Aufruf: stundenwerk export-data SCHULE.sch -o ORDNER\n";

const char* FateKey(ImportFate fate) {
    switch (fate) {
    case ImportFate::Uebernommen:
        return "uebernommen";
    case ImportFate::Angenaehert:
        return "angenaehert";
    case ImportFate::Weggelassen:
        return "weggelassen";
    }
    return "";
}

std::string ReportJson(const ImportReport& report, const std::string& output) {
    std::string out = "{\"quelle\": " + JsonString(report.Source) +
                      ", \"ziel\": " + JsonString(output) +
                      ", \"aktivitaeten\": " + std::to_string(report.Activities) +
                      ", \"stunden\": " + std::to_string(report.Hours) +
                      ", \"quellStunden\": " + std::to_string(report.SourceHours);
    for (ImportFate fate :
         {ImportFate::Uebernommen, ImportFate::Angenaehert, ImportFate::Weggelassen}) {
        out += ", \"" + std::string(FateKey(fate)) + "\": [";
        bool first = true;
        for (const ImportEntry& e : report.Entries()) {
            if (e.Fate != fate) continue;
            out += first ? "" : ", ";
            first = false;
            out += "{\"was\": " + JsonString(e.What) + ", \"wie\": " + JsonString(e.How) +
                   ", \"anzahl\": " + std::to_string(e.Count) + ", \"beispiele\": [";
            for (std::size_t i = 0; i < e.Examples.size(); ++i)
                out += (i ? ", " : "") + JsonString(e.Examples[i]);
            out += "]}";
        }
        out += "]";
    }
    return out + "}\n";
}

} // namespace

int ImportCommand(const Args& args) {
    std::string ziel;
    std::string bericht;
    bool json = false;
    std::vector<std::string> positional;
    const std::vector<OptionRow> rows = {Text("-o", ziel, "ein Dateiname"),
                                         Text("--report", bericht, "ein Dateiname"),
                                         Flag("--json", json)};
    if (!ParseOptions(args, rows, positional) || positional.size() != 1 || ziel.empty()) {
        std::fputs(kImportUsage, stderr);
        return 2;
    }
    const std::string& quelle = positional[0];
    if (!OutputIsNotInput(ziel, quelle)) return 2;
    if (!bericht.empty()) {
        if (!OutputIsNotInput(bericht, quelle)) return 2;
        std::error_code ec1;
        std::error_code ec2;
        if (SameFile(bericht, ziel) || std::filesystem::weakly_canonical(bericht, ec1) ==
                                           std::filesystem::weakly_canonical(ziel, ec2)) {
            std::fputs("Der Bericht und die Schule können nicht in dieselbe Datei.\n", stderr);
            return 2;
        }
    }
    DiskFileOps fs;
    StderrReporter reporter;
    ImportResult result = ImportSchool(quelle, fs);
    if (!result.outcome.Ok) {
        result.outcome.ShowTo(reporter);
        return 2;
    }
    const Outcome saved = SaveProject(result.data, ziel, fs);
    saved.ShowTo(reporter);
    if (!saved.Ok) return 2;
    const std::string text = result.report.Text();
    if (!bericht.empty()) {
        const FileResult written = fs.WriteReplacing(bericht, text);
        if (!written) {
            std::fprintf(stderr, "Der Bericht %s konnte nicht geschrieben werden.\n%s\n",
                         bericht.c_str(), written.Reason.c_str());
            return 2;
        }
    }
    const std::string out = json ? ReportJson(result.report, ziel) : text;
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

int ExportDataCommand(const Args& args) {
    std::string ziel;
    std::vector<std::string> positional;
    const std::vector<OptionRow> rows = {Text("-o", ziel, "ein Ordner")};
    if (!ParseOptions(args, rows, positional) || positional.size() != 1 || ziel.empty()) {
        std::fputs(kExportUsage, stderr);
        return 2;
    }
    StderrReporter reporter;
    Session session(reporter);
    if (!session.OpenSchool(positional[0])) return 2;
    std::error_code ec;
    if (!std::filesystem::is_directory(ziel, ec) && !std::filesystem::create_directory(ziel, ec)) {
        const std::string parent = std::filesystem::path(ziel).parent_path().string();
        const std::string reason = ec.value() == ENOENT
                                       ? "Der Ordner „" + parent + "“ existiert nicht."
                                       : FileResult::Failed(ec.value()).Reason;
        std::fprintf(stderr, "Der Ordner %s kann nicht angelegt werden.\n%s\n", ziel.c_str(),
                     reason.c_str());
        return 2;
    }
    DiskFileOps fs;
    const Outcome outcome = ExportTables(session.Stamm(), ziel, fs);
    outcome.ShowTo(reporter);
    return outcome.Ok ? 0 : 2;
}

} // namespace sw::cli
