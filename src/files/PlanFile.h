// SPDX-License-Identifier: GPL-3.0-or-later
// PlanFile.h: the plan file (.pdt): the master data, then the plan section — sixteen figures of
// the plan (LProd stands twice), the four plan options, the grid as indices into StundenL and six
// preset values per lesson hour. The number of lesson hours is not stored: it is the length of
// StundenL of the plan that the master data builds.
//
// Reading builds a fresh master data and a fresh plan and hands them over only when the whole
// file was read and the grid makes sense; a broken file never costs the current plan.
#pragma once

#include "files/Tokens.h"
#include "io/FileOps.h"
#include "model/Report.h"
#include "model/Stammdaten.h"
#include "plan/Plan.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace sw {

namespace texte {
inline constexpr const char* ErstPlanErstellen = "Sie müssen zuerst einen Plan erstellen.";
inline constexpr const char* FehlerBeimLaden = "Fehler beim Laden der Datei:\n";
inline constexpr const char* KeinPlan = "Kein Plan vorhanden!";
} // namespace texte

// Writes the plan section for `plan`.
void WritePlanSection(TokenWriter& out, const CPlan& plan);

// The figures a plan file stores, as they stand in the file (LProd once: both copies are equal
// in every file the program writes, and the second counts).
struct StoredFigures {
    int LLSSumme = 0, KLSSumme = 0, TFSumme = 0, LLSMax = 0, LLSLimit = 0, LProd = 0, KProd = 0,
        LProdOpt = 0, KProdOpt = 0;
    std::array<int, kOptWerteAnzahl> OptWerte{};
    bool operator==(const StoredFigures&) const = default;
};

// Reads the plan section into `plan`, built from the master data just read, with an empty grid,
// and returns the figures as stored. Refuses (through the reader's fault) an index outside
// StundenL, an hour in two cells or outside the week in use, a room count that does not fit,
// values out of range, units or parallel course hours split over several slots, and anything
// after the plan section.
StoredFigures ReadPlanSection(TokenReader& in, CPlan& plan);

// The stored figures that differ from the plan's own (freshly evaluated) ones, one German line
// each: a file whose figures were edited, or written by a program that kept them wrong. The
// settings among them (LLSLimit, OptWerte) are not figures and are not compared.
std::vector<std::string> CompareStoredFigures(const StoredFigures& stored, const CPlan& plan);

// Writes master data and plan; the targets beside the teachers and classes are the plan's.
// Without a plan: "Sie müssen zuerst einen Plan erstellen.", title "Fehler", and nothing is
// written.
Outcome WritePlanFile(const Stammdaten& data, const CPlan* plan, const std::string& path,
                      FileOps& files);

struct PlanReadResult {
    Outcome outcome;
    // On success: the master data read and the plan built from it and filled from the file,
    // its targets computed and its figures evaluated. The plan refers to *data.
    std::unique_ptr<Stammdaten> data;
    std::unique_ptr<CPlan> plan;
    // The figures as the file stored them, before the fresh evaluation.
    StoredFigures stored;
};

// Reads a plan file. On failure the outcome carries the reader's message ("Dies ist keine
// Plan - Datei!" or the fault with its position) followed by "Fehler beim Laden der Datei:\n" +
// path, title "Dateifehler". The plan reports its internal alarms to `reporter`.
PlanReadResult ReadPlanFile(const std::string& path, FileOps& files, Reporter& reporter);

} // namespace sw
