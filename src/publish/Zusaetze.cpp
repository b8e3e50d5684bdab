// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/Zusaetze.h"

#include "publish/PlanMappe.h"
#include "publish/PlanPdf.h"

namespace sw {

std::optional<std::vector<WebDatei>> ZusatzDateien(const CPlan& plan,
                                                   const WebseitenOptionen& optionen,
                                                   const ZusatzWahl& wahl, Reporter& reporter) {
    ExportOptionen export_;
    export_.Lehrer = optionen.Lehrer;
    export_.Klassen = optionen.Klassen;
    export_.Raeume = optionen.Raeume;
    export_.NurKurz = optionen.NurKurz;
    export_.PseudoKurse = optionen.PseudoKurse;
    std::vector<WebDatei> out;
    const auto add = [&out](AusgabeDatei&& d) {
        out.push_back({std::move(d.Name), std::move(d.Bytes)});
    };
    if (wahl.Kalender) {
        auto kalender = Kalender(plan, export_, wahl.KalenderZeit, reporter);
        if (!kalender) return std::nullopt;
        for (AusgabeDatei& d : *kalender)
            add(std::move(d));
    }
    if (wahl.Pdf) {
        auto pdf = PlanAlsPdf(plan, export_, reporter);
        if (!pdf) return std::nullopt;
        add(std::move(*pdf));
    }
    if (wahl.Xlsx) {
        auto xlsx = PlanAlsXlsx(plan, export_, reporter);
        if (!xlsx) return std::nullopt;
        add(std::move(*xlsx));
    }
    if (wahl.Csv)
        for (AusgabeDatei& d : PlanAlsCsv(plan, export_))
            add(std::move(d));
    return out;
}

} // namespace sw
