// SPDX-License-Identifier: GPL-3.0-or-later
// GridView.h: what the plan grid shows, without a window. The grid shows one teacher, one class
// or one room at a time as a week of days (columns) and hours (rows); every data cell is one slot.
// Each function here answers one question the window asks while it draws: which lesson a cell
// shows, with which texts, ground, marks, cross and frame; the statistics of the shown entity; the
// refusal the conflict group names. The window only paints the answers.
//
//              | Montag    | Dienstag  | ...
//   1. Stunde  | Mathe     | Deutsch 2 |        line 1: subject or course block (style by Modus)
//              | Mül       | Sch     T |        line 2: teacher, class ...   marks at the right
//              | R101      | R102    O |        line 3: room
#pragma once

#include "edit/PlanEditor.h"
#include "plan/Plan.h"

#include <cstdint>
#include <string>

namespace sw {

// --- geometry --------------------------------------------------------------------------------

// Rows of the grid: a header row, then one row per hour 1..Stunden, and one more for hour 0 when
// the plan uses the 0th hour. Columns: a header column, then one per day.
int GridRows(const CPlan& plan);
int GridColumns(const CPlan& plan);
// The slot of data cell (column >= 1, row >= 1); kNoSlot for a header cell or outside the grid.
int SlotOfCell(const CPlan& plan, int column, int row);
// The row that shows `slot`'s hour; -1 when the grid has no row for it (hour 0 without the 0th
// hour, or an hour beyond Stunden).
int RowOfSlot(const CPlan& plan, int slot);
// The header texts: day names from the master data for row 0, "n. Stunde" for column 0.
std::string ColumnHeader(const CPlan& plan, int column);
std::string RowHeader(const CPlan& plan, int row);

// --- what a cell shows -----------------------------------------------------------------------

enum class Grund : std::uint8_t {
    Leer,     // empty slot: light grey (228, 228, 228)
    Kurs,     // course hour: greyish red (196, 175, 172)
    Einzel,   // single subject hour: white
    Mehrfach, // hour of a multi-hour unit: light blue (148, 203, 243)
    Auswahl,  // the selected lesson hour or the selected empty cell: teal (0, 128, 128)
};
enum class Kreuz : std::uint8_t { Keins, Schwarz, Grau };

// Everything one data cell shows. Texts are UTF-8.
struct CellLook {
    bool Lesson = false; // the cell holds a lesson of the shown entity (counted as set)
    Grund Ground = Grund::Leer;
    std::string Zeile1, Zeile2, Zeile3;
    bool Fett = false;          // line 1 bold (room-fixed)
    bool Unterstrichen = false; // line 1 underlined (time-fixed)
    int Nummer = 0;             // BlockPos + 1 of an hour of a multi-hour unit, else 0
    bool T = false;             // "T": the hour may stand only on its day
    char Limit = 0;             // 'O' upper limit, 'U' lower limit, 0 none
    Kreuz Cross = Kreuz::Keins; // an empty cell the shown entity has locked
    bool Rahmen = false;        // green candidate frame (0, 128, 0)
};

// Describes the cell at `slot` for the shown entity, `state` giving the selection and the
// candidates, `nurKurz` the "nur Abkürzungen" box. `out`'s strings keep their capacity.
void DescribeCell(const CPlan& plan, const EditState& state, Ansicht view, int index, bool nurKurz,
                  int slot, CellLook& out);

// What the short cell leaves out, as a tooltip. A course hour: the course block's name, its
// classes, and each of its teachers with his subject in the course and the room his part stands
// in. A subject hour: subject, teacher, class and room by their full names. Empty for an empty
// cell and when nothing is shown.
//
//   Kurs: SPORT KLASSE 5
//   Klassen: 5A, 5B
//   MEIER: SPORT, Raum TURNHALLE
//   KOCH: SPORT, Raum SPORTPLATZ
std::string CellToolTip(const CPlan& plan, Ansicht view, int index, int slot);

// How many cells of the grid (rows shown only) hold a lesson of the shown teacher or class: the
// "Gesetzte Stunden" of the statistics.
int SetHours(const CPlan& plan, Ansicht view, int index);

// --- statistics and captions -------------------------------------------------------------------

// The statistics group's label texts. Teacher view: the teacher's gaps, largest gap, most and
// fewest lessons a day, the plan's teacher-gap sum, "-" for both separation figures, lessons per
// week and set hours. Class view: the same for the class with its separation figures. Room view
// and nothing shown: all empty. Computed from the grid, the plan unchanged.
struct Statistik {
    std::string LeerStunden, LeerStundenMaximum, StundenMaximum, StundenMinimum, TrennungsFehler,
        SpezialTrennungsFehler, Stunden, GesetzteStunden, LSSum;
    bool operator==(const Statistik&) const = default;
};
Statistik ViewStatistics(const CPlan& plan, Ansicht view, int index);

// "Schnappschuß Lehrer: " / "Schnappschuß Klasse: " / "Schnappschuß Raum: " + name, and the
// page caption (the name alone). Empty name when nothing is shown.
std::string WindowCaption(const CPlan& plan, Ansicht view, int index);
std::string PageCaption(const CPlan& plan, Ansicht view, int index);

// The conflict group after a refused edit: "Konflikt:  " + the kind's text, and the four labels,
// the first matching of room, class, teacher, or the refusing hour's teacher with its class and
// subject (course block for a course hour). With the conflict flag clear: the labels empty and
// the plain caption "Konflikt", so that no refusal outlives the edit, view or plan it was about.
struct KonfliktAnzeige {
    std::string Caption = "Konflikt";
    std::string Lehrer, FachKurs, Klasse, Raum;
    bool operator==(const KonfliktAnzeige&) const = default;
};
KonfliktAnzeige ConflictDisplay(const CPlan& plan, bool conflictFlag);

} // namespace sw
