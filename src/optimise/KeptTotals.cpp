// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/KeptTotals.h"

#include "plan/Invariants.h"

#include <string>

namespace sw {

bool KeptTotalsChecked() {
#ifdef STUNDENWERK_CHECK_TOTALS
    return true;
#else
    return false;
#endif
}

bool ReportKeptTotalsDrift(const CPlan& plan, Reporter& reporter) {
    const std::string drift = KeptTotalsDrift(plan);
    if (drift.empty()) return false;
    reporter.Show(
        {texte::KennzahlenAbweichung + drift + texte::KennzahlenNeuBerechnet, titel::Boesartig});
    return true;
}

} // namespace sw
