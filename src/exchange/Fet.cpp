// SPDX-License-Identifier: GPL-3.0-or-later
// Fet.cpp: the import of FET files.
#include "exchange/Import.h"

namespace sw {

ImportResult ImportFet(const std::string& path, FileOps&) {
    ImportResult r;
    r.outcome =
        Outcome::Failure("Der FET-Import ist noch nicht fertig: " + path, titel::Importfehler);
    return r;
}

} // namespace sw
