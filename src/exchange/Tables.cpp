// SPDX-License-Identifier: GPL-3.0-or-later
// Tables.cpp: the master data as spreadsheet tables.
#include "exchange/Tables.h"

#include "exchange/Import.h"

namespace sw {

ImportResult ImportTables(const std::string& folder, FileOps&) {
    ImportResult r;
    r.outcome = Outcome::Failure("Der Tabellen-Import ist noch nicht fertig: " + folder,
                                 titel::Importfehler);
    return r;
}

Outcome ExportTables(const Stammdaten&, const std::string& folder, FileOps&) {
    return Outcome::Failure("Der Tabellen-Export ist noch nicht fertig: " + folder,
                            titel::Importfehler);
}

} // namespace sw
