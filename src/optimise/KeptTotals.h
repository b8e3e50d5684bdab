// SPDX-License-Identifier: GPL-3.0-or-later
// KeptTotals.h: the optimiser's guard against totals that drift. The moves keep the plan's totals
// and status records by differences; before a stage refreshes its figures (which overwrites them
// with a fresh evaluation) the test builds compare them with that evaluation, so that a move that
// forgets a difference is reported instead of being hidden by the refresh. The program as shipped
// does without the comparison (build option STUNDENWERK_CHECK_TOTALS).
#pragma once

#include "model/Report.h"
#include "plan/Plan.h"

namespace sw {

namespace texte {
inline constexpr const char* KennzahlenAbweichung =
    "Die mitgeführten Kennzahlen des Plans weichen von der Neuberechnung ab: ";
inline constexpr const char* KennzahlenNeuBerechnet =
    "\nDie Kennzahlen werden jetzt neu berechnet. Bitte speichern Sie den Plan und melden Sie "
    "den Fehler.";
} // namespace texte

// Whether this build compares the kept totals before each figure refresh.
bool KeptTotalsChecked();

// Reports a difference of KeptTotalsDrift as "Bösartiger Fehler" with the difference named, and
// says whether there was one. Only reads the plan.
bool ReportKeptTotalsDrift(const CPlan& plan, Reporter& reporter);

// Before a figure refresh: ReportKeptTotalsDrift where this build compares, nothing otherwise.
inline void CheckKeptTotals(const CPlan& plan, Reporter& reporter) {
    if (KeptTotalsChecked()) ReportKeptTotalsDrift(plan, reporter);
}

} // namespace sw
