// SPDX-License-Identifier: GPL-3.0-or-later
// Zusaetze.h: what a published site can carry beside its pages: the calendars, the printed
// timetables as PDF, the workbook and the CSV sheets, of the same plans the site shows. Made in
// memory, so that the site's folder writes them in the same run as the pages (a run that fails
// leaves the folder as it was, and one run never removes what the other wrote).
#pragma once

#include "model/Report.h"
#include "plan/Plan.h"
#include "publish/Kalender.h"
#include "publish/Webseite.h"

#include <optional>
#include <vector>

namespace sw {

struct ZusatzWahl {
    bool Kalender = false; // one .ics per class, teacher and room
    bool Pdf = false;      // stundenplan.pdf
    bool Xlsx = false;     // stundenplan.xlsx
    bool Csv = false;      // one .csv per sheet
    KalenderOptionen KalenderZeit;

    [[nodiscard]] bool Irgendwas() const { return Kalender || Pdf || Xlsx || Csv; }
};

// The files `wahl` asks for, of the plans `optionen` chooses; nullopt when one of them is
// refused (the reason already shown through `reporter`).
std::optional<std::vector<WebDatei>> ZusatzDateien(const CPlan& plan,
                                                   const WebseitenOptionen& optionen,
                                                   const ZusatzWahl& wahl, Reporter& reporter);

} // namespace sw
