// SPDX-License-Identifier: GPL-3.0-or-later
// PlanFile.h: the plan file (.pdt): the master data, then the plan section — sixteen figures of
// the plan (LProd stands twice), the four plan options, the grid as indices into StundenL and six
// preset values per lesson hour. The number of lesson hours is not stored: it is the length of
// StundenL of the plan that the master data builds.
//
// Reading builds a fresh master data and a fresh plan and hands them over only when the whole
// file was read and the grid makes sense; a broken file never costs the current plan.
#pragma once

#include "files/FileOps.h"
#include "files/Tokens.h"
#include "model/Report.h"
#include "model/Stammdaten.h"
#include "plan/Plan.h"

#include <memory>
#include <string>

namespace sw {

namespace texte {
inline constexpr const char* ErstPlanErstellen = "Sie müssen zuerst einen Plan erstellen.";
inline constexpr const char* FehlerBeimLaden = "Fehler beim Laden der Datei:\n";
inline constexpr const char* KeinPlan = "Kein Plan vorhanden!";
} // namespace texte

// Writes the plan section for `plan`.
void WritePlanSection(TokenWriter& out, const CPlan& plan);

// Reads the plan section into `plan`, built from the master data just read, with an empty grid.
// Refuses (through the reader's fault) an index outside StundenL, an hour in two cells, a room
// count that does not fit, values out of range, and units or parallel course hours split over
// several slots.
void ReadPlanSection(TokenReader& in, CPlan& plan);

// Writes master data and plan. Without a plan: "Sie müssen zuerst einen Plan erstellen.",
// title "Fehler", and nothing is written.
Outcome WritePlanFile(const Stammdaten& data, const CPlan* plan, const std::string& path,
                      FileOps& files);

struct PlanReadResult {
    Outcome outcome;
    // On success: the master data read and the plan built from it and filled from the file,
    // its targets computed and its figures evaluated. The plan refers to *data.
    std::unique_ptr<Stammdaten> data;
    std::unique_ptr<CPlan> plan;
};

// Reads a plan file. On failure the outcome carries the reader's message ("Dies ist keine
// Plan - Datei!" or the fault with its position) followed by "Fehler beim Laden der Datei:\n" +
// path, title "Dateifehler". The plan reports its internal alarms to `reporter`.
PlanReadResult ReadPlanFile(const std::string& path, FileOps& files, Reporter& reporter);

} // namespace sw
