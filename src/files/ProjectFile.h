// SPDX-License-Identifier: GPL-3.0-or-later
// ProjectFile.h: the project file (".sch"), an INI text in Windows-1252 holding the whole master
// data: general settings, subjects, rooms, teachers, classes, subject blocks and course blocks,
// with the school's rules (breaks, the rules of teachers, classes and blocks, relations between
// blocks) under keys written only when a rule is set.
// Saving keeps a backup "secu_<name>" beside the file; opening replaces the master data as a
// whole or not at all. Neither function shows anything: they return the messages to show.
#pragma once

#include "io/FileOps.h"
#include "model/Report.h"
#include "model/Stammdaten.h"

#include <string>

namespace sw {

// The backup beside `path`: its folder, "secu_", then the file name cut before its first "."
// ("Schule/plan.alt.sch" -> "Schule/secu_plan"); a name without "." is taken whole.
std::string BackupPath(const std::string& path);

// Writes `data` to `path`. First refuses texts the file cannot carry (a "," in a name or list
// item, control characters, characters outside Windows-1252) and data the reader would refuse;
// then builds the whole content, makes the backup (of the old file, or of a new empty one) and
// writes the content through FileOps::WriteReplacing. On any failure the old file stays intact
// and nothing half-written is left behind. Messages carry the title "Dateifehler"; a failed
// write or backup ends with the reason the disk gave, on a line of its own.
Outcome SaveProject(const Stammdaten& data, const std::string& path, FileOps& fs);

// `data` is complete when `outcome.Ok`; otherwise it is empty and the caller keeps its own
// master data. On success `AngabenBestaetigt` is set and the day names are the default ones.
struct ProjectReadResult {
    Outcome outcome;
    Stammdaten data;
};

// Reads the project file at `path`. Refuses (title "Dateifehler") an unreadable file, a file
// without the section [AllgemeineAngaben], and content that does not hold together: a number
// that must be an integer and is not, a count without its sections or list items, a value out
// of range, a block naming a teacher or class that does not exist, a rule that is no number or
// can never be met (RegelProblem).
ProjectReadResult OpenProject(const std::string& path, FileOps& fs);

} // namespace sw
