// SPDX-License-Identifier: GPL-3.0-or-later
// TableWriters.h: the timetable of one teacher, class or room as a table through CWord. Reads the
// plan, never changes it.
//
//   +-----+-----------+-----------+--            row 1: the day names
//   |     | Montag    | Dienstag  |              column 1: the hour numbers (from 0 with the
//   | 1   | Mathematik| Deutsch   |              0th hour, else from 1)
//   |     | Müller    | Schmidt   |              other cells: the lesson at that day and hour,
//   |     | R 101     | R 101     |              one line each for subject, person, room
//   +-----+-----------+-----------+--
//
// "Name" in the cells is the long name, or the short form with the short-names switch; subjects
// and classes have only one name.
#pragma once

#include "export/Word.h"
#include "plan/Plan.h"

#include <string>

namespace sw {

// The lesson shown in one cell: the hour found and the room it stands in.
struct Fund {
    const CStunde* Stunde = nullptr;
    int Raum = -1;
    explicit operator bool() const { return Stunde != nullptr; }
};

// The lesson of class k at `slot`: the first hour in room order that is the class's own or a
// course hour whose classes include k.
Fund FindeKlassenStunde(const CPlan& plan, int klasse, int slot);

// The lesson of teacher t at `slot`: the teacher's own hour, so that the room is the one the
// teacher teaches in. Only when the teacher's own hour stands nowhere at that slot (a plan that
// breaks the parallel rule) does a course hour of a colleague whose parallel hours include the
// teacher's count.
Fund FindeLehrerStunde(const CPlan& plan, int lehrer, int slot);

// The lesson in room r at `slot`.
Fund FindeRaumStunde(const CPlan& plan, int raum, int slot);

// Cell texts, lines separated by "\n".
// Class: subject or course; teacher (empty line for a course hour); room.
std::string KlassenZelle(const CPlan& plan, const Fund& fund, bool nurKurz);
// Teacher: subject or course; class (a course hour of several classes shows them all, joined by
// ", "; a course of one class shows it when pseudo courses are treated, else an empty line); room.
std::string LehrerZelle(const CPlan& plan, const Fund& fund, bool nurKurz, bool pseudoKurse);
// Room: subject or course; teacher; class (a course hour shows its only class when pseudo courses
// are treated, else no third line).
std::string RaumZelle(const CPlan& plan, const Fund& fund, bool nurKurz, bool pseudoKurse);

// The three table writers. Each adds one table in layout `layout` after the current text, fills
// it and makes it span the page width. CWord's errors pass through.
WordTable LehrerTabelle(CWord& word, const CPlan& plan, int lehrer, bool nurKurz, bool pseudoKurse,
                        int layout);
WordTable KlassenTabelle(CWord& word, const CPlan& plan, int klasse, bool nurKurz, int layout);
WordTable RaumTabelle(CWord& word, const CPlan& plan, int raum, bool nurKurz, bool pseudoKurse,
                      int layout);

} // namespace sw
