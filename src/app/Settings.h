// SPDX-License-Identifier: GPL-3.0-or-later
// Settings.h: planning options that belong to the machine, not to a school's plan. They are kept
// in config.ini, in a section of their own, so that a new plan starts with what the planner chose
// last:
//
//   [Planung]
//   Weitersuchen=1
//   KursUeberStundenLimit=0
//   MehrfachKursUeberStundenLimit=0
//   MehrfachUeberStundenLimit=0
//
// The file is read as people edit it by hand (IniFile::ReadHandEdited: blanks, a byte-order mark,
// 0/1/true/false/ja/nein in any case); every other line of it stays as it is when it is written.
#pragma once

#include "io/FileOps.h"
#include "plan/Plan.h"

#include <string>

namespace sw {

namespace texte {
inline constexpr const char* Weitersuchen = "Konfliktgesteuert weitersuchen statt neu beginnen";
} // namespace texte

struct PlanungsEinstellungen {
    bool Weitersuchen = true; // on unless the file says no
    // The three "... über dem Stunden-Limit zulassen" options of the planning window, which a
    // plan built anew starts with.
    bool KursUeberStundenLimit = false;
    bool MehrfachKursUeberStundenLimit = false;
    bool MehrfachUeberStundenLimit = false;
    bool operator==(const PlanungsEinstellungen&) const = default;
};

// The settings in `configFile`; the defaults when it does not exist, cannot be read or lacks them
// (a value that is no yes or no counts as missing).
PlanungsEinstellungen ReadPlanungsEinstellungen(FileOps& files, const std::string& configFile);

// Writes the settings into `configFile`, keeping its other lines (a file that cannot be read is
// not overwritten). False when the file could not be written.
bool WritePlanungsEinstellungen(FileOps& files, const std::string& configFile,
                                const PlanungsEinstellungen& settings);

// The three limit options of `settings` into the plan's flags (a plan built anew starts so).
void ApplyLimitOptions(CPlan& plan, const PlanungsEinstellungen& settings);

} // namespace sw
