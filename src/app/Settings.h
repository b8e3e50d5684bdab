// SPDX-License-Identifier: GPL-3.0-or-later
// Settings.h: planning options that belong to the machine, not to a school's plan. The plan file
// keeps four option flags and no more (older files must stay readable), so the choice whether the
// initial plan goes on from a failed attempt is kept in config.ini, in its own section:
//
//   [Planung]
//   Weitersuchen=1
//
// Every other line of the file stays as it is.
#pragma once

#include "io/FileOps.h"

#include <string>

namespace sw {

namespace texte {
inline constexpr const char* Weitersuchen = "Konfliktgesteuert weitersuchen statt neu beginnen";
} // namespace texte

struct PlanungsEinstellungen {
    bool Weitersuchen = true; // on unless the file says "0"
};

// The settings in `configFile`; the defaults when it does not exist, cannot be read or lacks them.
PlanungsEinstellungen ReadPlanungsEinstellungen(FileOps& files, const std::string& configFile);

// Writes the settings into `configFile`, keeping its other lines (a file that cannot be read is
// not overwritten). False when the file could not be written.
bool WritePlanungsEinstellungen(FileOps& files, const std::string& configFile,
                                const PlanungsEinstellungen& settings);

} // namespace sw
