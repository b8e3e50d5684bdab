// SPDX-License-Identifier: GPL-3.0-or-later
// GeneralSettings.h: taking over what the dialog "Allgemeine Angaben" hands over: the days, the
// hours of a day, the 0th hour, the names of the days, the times of the hours and the school year
// (its term and holidays). The dialog checks the ranges of its
// fields itself; this refuses what its fields cannot see: a day name no file can hold, and a
// week too small for the lessons already defined.
#pragma once

#include "model/Report.h"
#include "model/Stammdaten.h"

#include <optional>
#include <string>

namespace sw {

// Why `neu` cannot replace the general settings of `data`, or nothing. Every day name must be
// a name every file can hold (an empty one shows its default name), the times of the hours fit
// the day (StundenZeitenProblem) and the school year is sound (SchuljahrProblem). With `nurNamen`
// (plan mode: the week's shape is fixed) only these count; otherwise the new week must still hold
// every unit (its length, its fixed time, hour limit and day restriction) and every block's hours.
std::optional<std::string> GeneralSettingsProblem(const Stammdaten& data,
                                                  const AllgemeineAngaben& neu, bool nurNamen);

// The dialog's OK: refuses with the problem (title "Fehler") and changes nothing, or takes the
// new settings over (in plan mode the day names, the times and the school year only). Breaks
// outside the new week go; a rule the new week could never meet (RegelProblem) is refused like a
// problem. True when taken over.
bool ApplyGeneralSettings(Stammdaten& data, const AllgemeineAngaben& neu, bool nurNamen,
                          Reporter& rep);

} // namespace sw
