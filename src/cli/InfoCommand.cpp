// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk info: a summary of a school's master data.
#include "cli/Cli.h"

#include "app/Session.h"
#include "model/Regeln.h"

#include <cstdio>

namespace sw::cli {

int InfoCommand(const Args& args) {
    if (args.size() != 1) {
        std::fputs("Aufruf: stundenwerk info SCHULE.sch|SCHULE.sdt\n", stderr);
        return 2;
    }
    StderrReporter reporter;
    Session session(reporter);
    if (!session.OpenSchool(args[0])) return 2;
    const Stammdaten& data = session.Stamm();
    const AllgemeineAngaben& a = data.Angaben;
    std::printf("Schule: %s\n", args[0].c_str());
    std::printf("Unterrichtstage:   %d\n", a.Tage);
    std::printf("Stunden pro Tag:   %d%s\n", a.Stunden, a.Nullte ? " (mit nullter Stunde)" : "");
    std::printf("Fächer:            %zu\n", data.Faecher.size());
    std::printf("Räume:             %zu\n", data.Raeume.size());
    std::printf("Lehrer:            %zu\n", data.Lehrer.size());
    std::printf("Klassen:           %zu\n", data.Klassen.size());
    std::printf("Unterrichte:       %zu\n", data.FachBloecke.size());
    std::printf("Kurse:             %zu\n", data.KursBloecke.size());
    int total = 0;
    std::printf("Wochenstunden je Klasse:\n");
    const std::vector<int> stunden = data.WochenStundenJeKlasse();
    for (std::size_t k = 0; k < data.Klassen.size(); ++k) {
        total += stunden[k];
        std::printf("  %-12s %3d\n", data.Klassen[k].Name.c_str(), stunden[k]);
    }
    std::printf("Wochenstunden aller Klassen: %d\n", total);
    const std::vector<std::string> regeln = RegelListe(data);
    if (!regeln.empty()) {
        std::printf("Regeln:\n");
        for (const std::string& r : regeln)
            std::printf("  %s\n", r.c_str());
    }
    return 0;
}

} // namespace sw::cli
