// SPDX-License-Identifier: GPL-3.0-or-later
// PlanMappe.h: the whole plan as a spreadsheet: an overview sheet and one sheet per chosen
// teacher, class and room, as one .xlsx workbook ("stundenplan.xlsx", libxlsxwriter) and as CSV
// files, one per sheet ("uebersicht.csv", "klasse-5a.csv", ...).
//
// Overview ("Übersicht"): one row per chosen class, one column per day and hour ("Montag 1"),
// each cell the class's lesson in short names (subject or course, teacher, room on three lines).
// A plan's sheet: its heading ("Klasse: 5a") in the first row, an empty row, then the printed
// table with a column of the times: "Stunde", "Zeit", the day names; one row per hour.
//
// CSV as a German Excel opens it with a double click: UTF-8 with a byte-order mark (Excel then
// reads umlauts right), ";" between the fields, CR LF after each row; a field holding ";", a
// quote or a line break stands in quotes, its quotes doubled; the lines of a cell stay line
// breaks inside the field.
#pragma once

#include "export/ExportRun.h"
#include "model/Report.h"
#include "plan/Plan.h"
#include "publish/PlanAusgabe.h"

#include <optional>
#include <string>
#include <vector>

namespace sw {

// One sheet: its name in the workbook (at most 31 characters, none of []:*?/\, unique), the base
// name of its CSV file and its cells row by row.
struct Blatt {
    std::string Name;
    std::string Datei;
    std::vector<std::vector<std::string>> Zellen;
};

// The overview and the sheets of the plans `optionen` chooses.
std::vector<Blatt> PlanBlaetter(const CPlan& plan, const ExportOptionen& optionen);

// "stundenplan.xlsx"; nullopt with the reason shown (title "Fehler") when libxlsxwriter fails.
std::optional<AusgabeDatei> PlanAlsXlsx(const CPlan& plan, const ExportOptionen& optionen,
                                        Reporter& reporter);
// One CSV file per sheet.
std::vector<AusgabeDatei> PlanAlsCsv(const CPlan& plan, const ExportOptionen& optionen);
// One sheet as CSV text, as described above.
std::string CsvText(const Blatt& blatt);

} // namespace sw
