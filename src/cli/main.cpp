// SPDX-License-Identifier: GPL-3.0-or-later
// The stundenwerk command-line tool: runs the main jobs without a window.
#include "cli/Cli.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kUsage =
    "Aufruf:\n"
    "  stundenwerk info SCHULE.sch|SCHULE.sdt\n"
    "      Übersicht über die Stammdaten einer Schule.\n"
    "  stundenwerk check PLAN.pdt [--json]\n"
    "      Prüft einen Plan und zeigt seine Kennzahlen.\n"
    "  stundenwerk plan SCHULE.sch|SCHULE.sdt [-o PLAN.pdt] [--tries N] [--seed S] [--json]\n"
    "      [--allow-course-over-limit] [--allow-multi-course-over-limit]\n"
    "      [--allow-multi-over-limit] [--strict-first-hour] [--no-repair] [--jobs N]\n"
    "      [--stages 2,3,4,5,6] [--stage-seconds S] [--stage-passes N] [--plan PLAN.pdt]\n"
    "      Erzeugt einen Plan und optimiert ihn Stufe für Stufe. Ein Versuch, der Stunden\n"
    "      nicht setzen kann, wird konfliktgesteuert vervollständigt (--no-repair: neu\n"
    "      beginnen); N Läufe (Vorgabe: ein Lauf je Prozessorkern) mit den Startwerten S,\n"
    "      S+1, ... behalten den besten Plan.\n"
    "  stundenwerk experiment NAME PLAN.pdt -o ORDNER [--runs R] [--iterations I]\n"
    "      Vergleichsläufe der Annahmeregeln; schreibt eine Kurvendatei.\n"
    "  stundenwerk export PLAN.pdt -o PLAENE.docx [--teachers all|NAME,...] [--classes ...]\n"
    "      [--rooms ...] [--short] [--no-pseudo-courses] [--layout N] [--landscape]\n"
    "      [--no-new-page]\n"
    "      Schreibt Stundenpläne als Word-Dokument.\n"
    "  stundenwerk import SCHULE.fet|ORDNER -o SCHULE.sch [--report BERICHT.txt] [--json]\n"
    "      Übernimmt eine Schule aus einer FET-Datei oder aus einem Ordner mit Tabellen\n"
    "      (CSV) und zeigt, was übernommen, angenähert und weggelassen wurde.\n"
    "  stundenwerk export-data SCHULE.sch -o ORDNER\n"
    "      Schreibt die Stammdaten als Tabellen (CSV) in einen Ordner.\n"
    "  stundenwerk substitutions PLAN.pdt --day TAG [--absent NAME,...] [-o VERTRETUNG.docx]\n"
    "      [--date JJJJ-MM-TT]\n"
    "      Zeigt die Stunden abwesender Lehrer an einem Tag und freie Vertretungen;\n"
    "      schreibt auf Wunsch den Vertretungsplan.\n"
    "  stundenwerk publish PLAN.pdt -o ORDNER [--teachers ...] [--classes ...] [--rooms ...]\n"
    "      [--short] [--no-pseudo-courses] [--vertretung JJJJ-MM-TT [--abwesend NAME,...]]\n"
    "      Veröffentlicht den Plan als Webseite (HTML) in einem Ordner.\n";

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::string command = argv[1];
    const sw::cli::Args args(argv + 2, argv + argc);
    if (command == "info") return sw::cli::InfoCommand(args);
    if (command == "check") return sw::cli::CheckCommand(args);
    if (command == "plan") return sw::cli::PlanCommand(args);
    if (command == "export") return sw::cli::ExportCommand(args);
    if (command == "experiment") return sw::cli::ExperimentCommand(args);
    if (command == "substitutions") return sw::cli::SubstitutionsCommand(args);
    if (command == "import") return sw::cli::ImportCommand(args);
    if (command == "export-data") return sw::cli::ExportDataCommand(args);
    if (command == "publish") return sw::cli::PublishCommand(args);
    std::fprintf(stderr, "Unbekannter Befehl: %s\n%s", command.c_str(), kUsage);
    return 2;
}
