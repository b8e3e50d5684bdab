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
#include <vector>

namespace sw {

// Why `neu` cannot replace the general settings of `data`, or nothing. Every day name must be
// a name every file can hold (an empty one shows its default name), the times of the hours fit
// the day (StundenZeitenProblem) and the school year is sound (SchuljahrProblem). With `nurNamen`
// (plan mode: the week's shape is fixed) only these count; otherwise the new week must still hold
// every unit (its length, its fixed time, hour limit and day restriction) and every block's hours.
std::optional<std::string> GeneralSettingsProblem(const Stammdaten& data,
                                                  const AllgemeineAngaben& neu, bool nurNamen);

// The school year as the dialog's fields hold it: texts as typed.
struct SchuljahrFelder {
    struct Zeit {
        std::string Beginn; // "08:00"
        std::string Ende;
    };
    struct Ferien {
        std::string Von; // "26.10.2026" or "2026-10-26"
        std::string Bis;
        std::string Name;
    };
    std::vector<Zeit> Zeiten; // one per hour of the day, the 0th hour first when in use
    std::string Beginn;       // empty: no school year
    std::string Ende;
    std::vector<Ferien> FerienListe; // rows left wholly empty are skipped
};

// The fields of `a` (the standard times when the school entered none).
SchuljahrFelder FelderVon(const AllgemeineAngaben& a);

// Reads the fields into `a` (its StundenZeiten and Schuljahr), or says which field holds no time
// or date: "Die Angabe „8.00“ (Beginn der 1. Stunde) ist keine Uhrzeit wie 08:00." Times equal to
// the standard times are kept as none entered, so a school that never touched them keeps its file
// as it was. Whether the values fit together is ApplyGeneralSettings' check.
std::optional<std::string> FelderLesen(const SchuljahrFelder& felder, AllgemeineAngaben& a);

// The dialog's OK: refuses with the problem (title "Fehler") and changes nothing, or takes the
// new settings over (in plan mode the day names, the times and the school year only). Breaks
// outside the new week go; a rule the new week could never meet (RegelProblem) is refused like a
// problem. True when taken over.
bool ApplyGeneralSettings(Stammdaten& data, const AllgemeineAngaben& neu, bool nurNamen,
                          Reporter& rep);

} // namespace sw
