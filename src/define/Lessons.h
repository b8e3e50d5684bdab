// SPDX-License-Identifier: GPL-3.0-or-later
// Lessons.h: the words the lesson definitions share: which block is current and whose unit list
// it shows, the state of the time-preset controls, and the mapping between the time-preset grid
// and the slots. No window: the lesson window keeps an AktuellerBlock and a Vorgaben and hands
// them to the LessonEditor, which reads and changes only the master data.
#pragma once

#include "model/Stammdaten.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sw {

// The view of the block page: the numbers are the index of the "Ansicht" radio group.
enum class BlockAnsicht : std::int8_t { Lehrer = 0, Klasse = 1 };

enum class BlockArt : std::int8_t { Keiner, Fach, Kurs };

// The block whose units the units page shows. For a course block `LehrerPos` is the teacher
// entry whose unit list is current (the shown teacher in the teacher view, the first teacher in
// the class view); -1 when the course has no such teacher, and always -1 for a subject block.
// An index out of range counts as no block: every call then does nothing.
struct AktuellerBlock {
    BlockArt Art = BlockArt::Keiner;
    int Index = -1; // in Stammdaten::FachBloecke or Stammdaten::KursBloecke
    int LehrerPos = -1;
    BlockAnsicht Ansicht = BlockAnsicht::Lehrer;

    bool IstFach() const { return Art == BlockArt::Fach; }
    bool IstKurs() const { return Art == BlockArt::Kurs; }
    bool operator==(const AktuellerBlock&) const = default;
};

// The state of the preset controls of the units page, as the handlers read and leave it. The
// window writes the user's input into it (a check box's new state, the chosen hour or day)
// before it calls a handler, and shows it afterwards.
struct Vorgaben {
    bool GitterSichtbar = true;  // ZeitvorgabenG visible (hidden while a limit is shown)
    std::vector<int> Kreuze;     // slots whose grid cells show "X"
    bool NurUrPlan = false;      // NurUrPlanCB checked
    bool NurUrPlanAktiv = false; // NurUrPlanCB enabled
    bool OberesLimit = false;    // OberesLimitCB checked
    bool UnteresLimit = false;   // UnteresLimitCB checked
    bool LimitAktiv = false;     // LimitCoBox enabled
    int LimitStunde = 1;         // the hour number LimitCoBox shows
    bool TagesLimit = false;     // TagesLimitCB checked
    bool TagesLimitAktiv = true; // TagesLimitCB enabled
    bool TagAktiv = false;       // TagCoBox enabled
    int Tag = 0;                 // TagCoBox's index (the day)
    std::string Hinweis;         // HinweisLabel: the reason of the last refusal, else empty
    bool Warnung = false;        // the mark "!" beside it
    bool operator==(const Vorgaben&) const = default;
};

// A cell of a time grid: column c >= 1 is day c - 1; row r >= 1 is hour r - 1 with the 0th hour,
// else hour r. Column 0 and row 0 carry the headings.
struct GitterZelle {
    int Spalte = 0;
    int Zeile = 0;
    bool operator==(const GitterZelle&) const = default;
};

// The slot of a data cell, or kNoSlot for a heading cell or a cell outside the week in use.
int SlotOfCell(const AllgemeineAngaben& a, GitterZelle cell);
// The cell that shows `slot` (the inverse of SlotOfCell for slots of the week in use).
GitterZelle CellOfSlot(const AllgemeineAngaben& a, int slot);
// The hour numbers LimitCoBox offers: from 0 with the 0th hour, else from 1, up to `Stunden`.
std::vector<int> LimitHours(const AllgemeineAngaben& a);

} // namespace sw
