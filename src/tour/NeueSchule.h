// SPDX-License-Identifier: GPL-3.0-or-later
// NeueSchule.h: the whole road of a new school through the windows, as a timetabler goes it the
// first time: general settings, subjects, rooms, teachers, classes, a course, the lessons, the
// planning window with the initial plan and every stage, a move and its undo in the plan grid,
// saving and reopening the plan file, the export of the timetables and the substitutions of a
// day. Every step is done with the window's own controls; only the places where a person types
// into a modal dialog or picks a file are answered by the road, through the main window's
// desktop. The picture tour and the product test both go this road.
#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace sw::ui {

class AnswerDesktop;
class THauptForm;

// Called after every step with its name and the window the step ended in.
using Schrittmeldung = std::function<void(const QString& schritt, QWidget& fenster)>;

struct NeueSchuleErgebnis {
    QString Fehler;    // empty when the whole road was gone; else the step that failed and why
    QString PlanDatei; // the saved plan file
    QString Plaene;    // the exported timetables (.docx)
    QString Vertretungsplan; // the substitution sheet (.docx)
    int Schritte = 0;        // steps done
};

// Goes the road on a main window that has just been created on `desktop` (master-data mode,
// nothing loaded), writing its files into `ordner`. Stages run for `stufenMs` milliseconds each (or
// until done).
NeueSchuleErgebnis NeueSchule(THauptForm& haupt, AnswerDesktop& desktop, const QString& ordner,
                              int stufenMs, const Schrittmeldung& meldung);

} // namespace sw::ui
