// SPDX-License-Identifier: GPL-3.0-or-later
// TVertretungsWahlForm.h: the chooser "Vertretung für". It shows the lesson to cover (subject,
// absent teacher, class, time) and one row per present teacher with his subject and his conflict
// at that hour, all as the core's WahlFuer gives them; the window computes nothing itself.
// Teachers who are free at that hour and teach the subject are shown in bold. "Auswählen" (or a
// double click) confirms the selected row, "Abbrechen" does not. A click on a column's heading
// sorts the rows by it.
#pragma once
#include "substitute/Substitutions.h"
#include "substitute/Vertretungstag.h"

#include <QDialog>
#include <functional>

class QLabel;
class QTableWidget;

namespace sw::ui {

class TVertretungsWahlForm : public QDialog {
    Q_OBJECT
public:
    explicit TVertretungsWahlForm(QWidget* parent = nullptr);

    // Shows `wahl`: the four captions and its rows, in the order of the column the planner
    // sorted by last (else as given); the first row shown is selected.
    void Fuellen(const WahlListe& wahl);
    // Shows the candidates of a date in their fair order, with a column for each criterion
    // ("Frei", "Klasse", "Freistunde", "Vertretungen" this term, "Woche" with the maximum);
    // the captions come from `wahl`. GewaehlteZeile then numbers the candidates.
    void Fuellen(const WahlListe& wahl, const std::vector<Kandidat>& kandidaten);
    // The selected row of the list given to Fuellen, wherever sorting shows it; -1 when there
    // is none.
    int GewaehlteZeile() const;
    // Sorts by column `spalte`, as a click on its heading does: ascending, or the other way
    // round when it is sorted by that column already.
    void Sortieren(int spalte);

signals:
    // The plan grid is to open; the substitution window opens it.
    void SchnappschussVerlangt();

public slots:
    // Confirms the selected row; nothing happens when the list has no rows.
    void AuswahlBtnClick();
    void SchnappschussBtnClick();

private:
    // The captions and the rows' first three columns, sorted as the planner sorted last.
    void ZeilenZeigen(const WahlListe& wahl);
    QLabel *fachL_, *lehrerL_, *klasseL_, *zeitL_;
    QTableWidget* liste_;
};

} // namespace sw::ui
