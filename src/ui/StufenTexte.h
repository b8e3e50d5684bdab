// SPDX-License-Identifier: GPL-3.0-or-later
// StufenTexte.h: the planning window's texts beside the stage table: per row its caption while it
// runs, its button, its tab and its curve's name; the captions of the window and of the initial
// plan's page; the goal list of "Manuell"; and how the window turns the runs' progress records
// into the texts of its labels and reads its count field.
#pragma once

#include "optimise/InitialPlanRun.h"
#include "optimise/StageTable.h"
#include "optimise/Stages.h"

#include <array>
#include <string>

// The window's captions, among the program's other texts.
namespace sw::texte {
inline constexpr const char* Bereitschaft = "Planung : Bereitschaft";
inline constexpr const char* UrplanErzeugen = "Planung : Urplan erzeugen";
inline constexpr const char* UrplanStart = "1. Urplan erzeugen";
inline constexpr const char* Konflikt = "Konflikt:";
} // namespace sw::texte

namespace sw::ui {

// The texts of one row of the stage table.
struct StufenText {
    sw::Stage Stage;
    bool Mix;
    const char* Status;    // the window caption while it runs
    const char* Button;    // the caption of its button
    const char* Tab;       // the caption of its tab ("" for "Mischen")
    const char* CurveName; // the curve's name ("Manuell": when no goal is ticked)
};

// clang-format off
inline constexpr std::array<StufenText, 11> kStufenTexte = {{
    {Stage::KlassenLuecken, false, "Planung : Klassenstunden minimieren",
     "2. Klassen - Leerstunden - Minimierung", "2. Klassen-Leerstunden", "Klassen-Leerstunden"},
    {Stage::KlassenVerteilung, false, "Planung : Klassenstunden verteilen",
     "3. Klassenstunden verteilen", "3. Verteilung (Klassen)", "Klassen-Stunden-Verteilung"},
    {Stage::Trennungsfehler, false, "Planung : Trennungsfehler minimieren",
     "4. Trennungsfehler minimieren", "4. Trennungsfehler", "Trennungsfehler"},
    {Stage::LehrerLuecken, false, "Planung : Lehrer - Leerstunden minimieren",
     "5. Lehrer - Leerstunden - Minimierung", "5. Lehrer-Leerstunden", "Lehrer-Leerstunden"},
    {Stage::LehrerVerteilung, false, "Planung : Lehrerstunden verteilen",
     "6. Lehrerstunden verteilen", "6. Verteilung(Lehrer)", "Lehrer-Stunden-Verteilung"},
    {Stage::Manuell, false, "Planung : manuelle Auswahl der Ziele", "Start", "Manuell",
     "Lehrer-Leerstunden (kein Ziel gewählt)"},
    {Stage::KlassenLuecken, true, "Planung : Böse mixen", "Mischen", "",
     "Mischen: Klassen-Leerstunden"},
    {Stage::KlassenVerteilung, true, "Planung : Böse Mixen 2", "Mischen", "",
     "Mischen: Klassen-Stunden-Verteilung"},
    {Stage::Trennungsfehler, true, "Planung : Böse mixen 3", "Mischen", "",
     "Mischen: Trennungsfehler"},
    {Stage::LehrerLuecken, true, "Planung : Böse mixen 4", "Mischen", "",
     "Mischen: Lehrer-Leerstunden"},
    {Stage::LehrerVerteilung, true, "Planung : Klassenstunden - Austausch", "Mischen", "",
     "Mischen: Lehrer-Stunden-Verteilung"},
}};
// clang-format on

// The texts of a stage, or of the "Mischen" button of its tab.
constexpr const StufenText& TexteVon(Stage stage, bool mix) {
    for (const StufenText& t : kStufenTexte)
        if (t.Stage == stage && t.Mix == mix) return t;
    return kStufenTexte[0];
}
constexpr const StufenText& TexteVon(const StageRow& row) {
    return TexteVon(row.Stage, row.Mix);
}

// The seven items of the goal check list on the page "Manuell", in their order; item i follows
// Figure i on the curve.
inline constexpr std::array<const char*, 7> kZieleListe = {
    "Klassen-Leerstunden",      "Klassen-Stunden-Verteilung", "Trennungsfehler",
    "Spezialtrennungsfehler",   "Lehrer-Leerstunden",         "Lehrer-Leerstunden-Maximum",
    "Lehrer-Stunden-Verteilung"};

// The goals of the ticked items (1, 4, 11, 17, 12, 5, 6).
GoalSet ZieleAusListe(const std::array<bool, 7>& checked);

// The caption beside the pass count, and the count as the label shows it after a pass.
const char* PassLabelCaption(PassCount label);
std::string PassLabelText(PassCount label, const PassReport& report);

// The number of attempts the count field `text` asks for: its integer, or 1000 when it is none
// ("abc" -> 1000). The field is then rewritten with the number.
int AttemptCountFromText(const std::string& text);

// "25 Versuche / Rest = 3"
std::string VersucheText(const InitialPlanProgress& progress);

// The conflict group's caption: "Konflikt:", with the kind after two blanks when there is one.
std::string KonfliktTitel(const ConflictRecord& conflict);

} // namespace sw::ui
