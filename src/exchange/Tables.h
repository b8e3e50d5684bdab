// SPDX-License-Identifier: GPL-3.0-or-later
// Tables.h: the master data as a folder of spreadsheet tables (CSV), one file per kind, with
// German column headings, as a German spreadsheet writes them: ";" between fields ("," is
// accepted when a file uses it throughout), quotes where a field needs them, UTF-8 with or
// without BOM or Windows-1252. Exporting and importing again gives the same master data.
#pragma once

#include "io/FileOps.h"
#include "model/Report.h"
#include "model/Stammdaten.h"

#include <string>

namespace sw {

// Writes the tables of `data` into `folder` (which must exist). Only our own file names are
// written; other files in the folder stay as they are. The outcome names a file that could not
// be written and why.
Outcome ExportTables(const Stammdaten& data, const std::string& folder, FileOps& fs);

} // namespace sw
