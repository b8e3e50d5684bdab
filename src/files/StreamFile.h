// SPDX-License-Identifier: GPL-3.0-or-later
// StreamFile.h: the master-data file (.sdt) and the master-data part of the plan file (.pdt).
// Both are token streams (files/Tokens.h) in Windows-1252: a header word ("stamm" or "plan"),
// the general settings, day names, subjects, rooms, teachers, classes, subject blocks, course
// blocks and, when the school states any, its rules; a plan file goes on with its plan section
// after them.
//
// Reading never leaves half-loaded data behind: everything goes into a fresh Stammdaten that
// the caller takes over only on success. Writing first checks that the data would read back
// unchanged and writes nothing otherwise; the file is replaced in one step, so a failed write
// keeps the old file.
#pragma once

#include "files/Tokens.h"
#include "io/FileOps.h"
#include "model/Report.h"
#include "model/Stammdaten.h"
#include "plan/Plan.h"

#include <functional>
#include <string>
#include <string_view>

namespace sw {

inline constexpr std::string_view kStammKopf = "stamm"; // header word of a master-data file
inline constexpr std::string_view kPlanKopf = "plan";   // header word of a plan file

// Success when every text of `data` survives the token format and Windows-1252 and when the
// reader would accept the rest (week shape, units, the teachers and classes the blocks name, rules
// that can be met: RegelProblem);
// otherwise "Die Daten können nicht gespeichert werden:\n" + the first problem, "Dateifehler".
Outcome CheckStorable(const Stammdaten& data);

// Writes the master data after the header word: general settings, day names, subjects, rooms,
// teachers, classes, subject blocks, course blocks, and the rules when there are any. Texts are
// not checked here (CheckStorable).
// The targets beside each teacher and class are those of `plan`, a plan over `data`, or without
// one the targets the master data carries from its last file or plan.
void WriteStammdatenPart(TokenWriter& out, const Stammdaten& data, const CPlan* plan = nullptr);

// Reads what WriteStammdatenPart writes, from the reader's current token on. On success `data`
// is replaced (with AngabenBestaetigt set) and the reader stands after the course blocks and
// rules; on
// failure `data` is untouched and the outcome names the file and the faulty token.
Outcome ReadStammdatenPart(TokenReader& in, Stammdaten& data);

// Checks `data`, then writes `header`, the master data (with the targets of `plan` when given)
// and whatever `appendSection` adds (the plan section of a plan file) to `path`, replacing the
// file in one step. A failed write gives
// "Fehler beim Speichern der Datei:\n" + path + "\nDatei konnte nicht erzeugt werden.\n" + the
// reason ("Auf dem Datenträger ist kein Platz mehr frei.").
Outcome WriteStreamFile(const Stammdaten& data, const std::string& path, FileOps& files,
                        std::string_view header = kStammKopf,
                        const std::function<void(TokenWriter&)>& appendSection = {},
                        const CPlan* plan = nullptr);

struct StreamReadResult {
    Outcome outcome;
    Stammdaten data;    // the master data read; empty unless outcome.Ok
    std::string header; // the header word as found in the file
    // On success stands on the first token after the master data: the plan section of a plan
    // file. A master-data file may carry more tokens there; they are ignored.
    TokenReader rest;
};

// Reads a master-data or plan file. With `planExpected` a header other than "plan" is refused
// ("Dies ist keine Plan - Datei!", "Datei - Fehler"); without it any header word is accepted.
StreamReadResult ReadStreamFile(const std::string& path, FileOps& files, bool planExpected);

} // namespace sw
