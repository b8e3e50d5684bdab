// SPDX-License-Identifier: GPL-3.0-or-later
// PlanAusgabe.h: what the calendars, the PDF and the spreadsheets of a plan share: the plans the
// export options choose (teachers, then classes, then rooms, each in list order, as the printed
// timetables come), the text of one cell of such a plan, the files made in memory, and writing
// them into a folder.
//
// Every file is made whole in memory first and then written through
// FileOps::WriteAllReplacing: all files under temporary names beside their targets, flushed to
// disk together, and only then renamed. A failure leaves no file half-written and none of the
// set under its final name.
#pragma once

#include "export/ExportRun.h"
#include "io/FileOps.h"
#include "model/Report.h"
#include "plan/Plan.h"

#include <optional>
#include <string>
#include <vector>

namespace sw {

enum class PlanArt { Lehrer, Klasse, Raum };

// One plan chosen: its kind, index in the plan's list, shown name ("Müller") and file base name
// ("lehrer-mueller", DateiNamenFuer over all names of the kind, so a name never depends on
// what else was chosen).
struct PlanEintrag {
    PlanArt Art = PlanArt::Klasse;
    int Index = 0;
    std::string Name;
    std::string Basis;
};

// The plans the options choose, in the order of the printed timetables.
std::vector<PlanEintrag> GewaehltePlanEintraege(const CPlan& plan, const ExportOptionen& optionen);
// Every class, teacher and room: the options to publish the whole plan.
ExportOptionen AllePlaene(const CPlan& plan);

// "Lehrer: ", "Klasse: ", "Raum: " + name, as the printed heading.
std::string Ueberschrift(const PlanEintrag& eintrag);
// The cell of `eintrag`'s plan at `slot` as the printed table shows it, lines split at "\n";
// empty for a slot without a lesson.
std::string PlanZelle(const CPlan& plan, const PlanEintrag& eintrag, int slot,
                      const ExportOptionen& optionen);

// A file made in memory: its name inside the target folder and its bytes.
struct AusgabeDatei {
    std::string Name;
    std::string Bytes;
};

// Writes `dateien` into the folder `ordner`. False, with "Die Datei … kann nicht geschrieben
// werden." and the reason on a line of its own shown (title "Fehler"), when a target cannot be
// written; then no file of the set has been replaced.
bool DateienSchreiben(const std::string& ordner, const std::vector<AusgabeDatei>& dateien,
                      FileOps& files, Reporter& reporter);

} // namespace sw
