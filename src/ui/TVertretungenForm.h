// SPDX-License-Identifier: GPL-3.0-or-later
// TVertretungenForm.h: the substitution window "Vertretungen". The planner ticks the absent
// teachers, picks the day and lets "Stunden ermitteln" list the lessons to cover; for each one he
// chooses a substitute in the chooser "Vertretung für", marks it "Ausfall" or takes the choice
// back, and "Ausgabe" writes the sheet to a Word document or prints it. Every change of the list
// and of the absence flags is a call of the core's VertretungsListe; the window only shows the
// rows it gives. The list points into the plan: it is emptied whenever the window closes and
// before the plan goes away (PlanWeg). The chooser runs, the sheet's file is chosen, printed and
// shown, and today's date is asked through the desktop.
#pragma once
#include "substitute/JournalDatei.h"
#include "substitute/Substitutions.h"
#include "substitute/Vertretungstag.h"

#include <QDialog>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QDateEdit;
class QListWidget;
class QListWidgetItem;
class QRadioButton;
class QTableWidget;

namespace sw::ui {

class Desktop;
class TAbwesenheitenForm;
class TVertretungsWahlForm;

class TVertretungenForm : public QDialog {
    Q_OBJECT
public:
    TVertretungenForm(Reporter& reporter, Desktop& desktop, QWidget* parent = nullptr);
    ~TVertretungenForm() override;

    // Fills the teachers of `plan` (ticked when absent) and the days (the first selected) and
    // shows the window. `stamm` holds the teachers whose absence flags the ticks set.
    // With `journal` (the journal file beside the school's project file) the window works with
    // the journal: it is opened (and locked) here and closed with the window; the ticked
    // teachers are recorded as absent on the date when the lessons are determined, the journal's
    // absences of the date are listed with them, and every choice is saved at once.
    void Oeffnen(const CPlan& plan, Stammdaten& stamm, const std::string& journal = {});
    // What Oeffnen does before the window shows (tests and the tour).
    void Fuellen(const CPlan& plan, Stammdaten& stamm, const std::string& journal = {});
    // The open journal, or nullptr.
    const JournalDatei* Journal() const { return journal_.get(); }
    // The plan is about to go away: the list is emptied, the window closed and forgets the plan.
    void PlanWeg();

    const VertretungsListe& Liste() const { return tag_ ? tag_->Liste() : liste_; }
    TVertretungsWahlForm& WahlForm() { return *wahl_; }
    TAbwesenheitenForm& AbwesenheitenForm() { return *abwesenheiten_; }
    // The list row (the core's numbering: 1 is the first data row) selected in the grid; 0 when
    // none is.
    int GewaehlteZeile() const;
    // Selects list row `zeile` (the core's numbering) in the grid.
    void ZeileWaehlen(int zeile);

    // The date the sheet carries ("Datum"): at first and whenever "Tag" changes the next date
    // (from the desktop's today) on that day; choosing a date of another school day moves "Tag"
    // there (and empties the list, as a change of day does); a date on a day the plan does not have
    // is refused and the field keeps its date.
    Datum Blattdatum() const { return datum_; }
    // Puts `datum` into the field as the planner would (tests and the tour).
    void DatumWaehlen(const Datum& datum);

signals:
    // The plan grid is to open; the main window opens the planning window's "Schnappschuß", so
    // both share its undo history and figures.
    void SchnappschussVerlangt();

public slots:
    void StundenErmittelnBtnClick();
    // Chooses a substitute for the selected row (also a double click on the list).
    void VertretungsWahlBtnClick();
    void AusfallBtnClick();
    void LoeschenBtnClick();
    // "Ausgabe": to Word or to the printer, as "Ausgabe an" says.
    void AusgabeBtnClick();
    void SchnappschussBtnClick();
    // "Statistik": the journal's figures of the term in a window, to be saved as CSV.
    void StatistikBtnClick();
    // "Abwesenheiten": the journal's absences over periods, of teachers and classes.
    void AbwesenheitenBtnClick();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void LehrerGeklickt(QListWidgetItem* item);
    // "Tag" changed: the list is emptied and, unless the date chose the day, the date follows.
    void TagGewechselt();
    // The date field was left or its calendar clicked: the day follows, or the date is refused.
    void DatumGewaehlt();
    void DatumZeigen(const Datum& datum);
    // Empties the list through the core and shows it.
    void Leeren();
    // The whole list into the grid, or one row of it.
    void Anzeigen();
    void ZeileZeigen(int zeile);
    void Drucker();
    // "Webseite": the sheet as a page of the plan's web site in a folder the user chooses.
    void Webseite();
    // Saves the journal after a change (when it is open for writing).
    void Sichern();
    // Whether a decision may be made: not when the journal is open only for reading (said so).
    bool Schreibbar();
    // The absent teachers the sheet names: those of the date when the journal decides, else
    // nullptr (the ticked ones).
    const std::vector<int>* Fehlend();
    // The ticked teachers without an absence on the date become absent that whole day.
    void AbwesendeEintragen();

    Reporter& reporter_;
    Desktop& desktop_;
    const CPlan* plan_ = nullptr;
    Stammdaten* stamm_ = nullptr;
    VertretungsListe liste_;
    std::unique_ptr<JournalDatei> journal_;
    std::unique_ptr<Vertretungstag> tag_; // the date's list with the journal
    std::vector<int> fehlend_;
    bool laden_ = false;       // the teacher list is being filled: its checks set nothing
    bool tagVomDatum_ = false; // the date is setting the day: the date stays as chosen
    Datum datum_;
    TVertretungsWahlForm* wahl_;
    TAbwesenheitenForm* abwesenheiten_;
    QListWidget* lehrerCBox_;
    QComboBox* tagCoBox_;
    QComboBox* grundCoBox_;
    QLabel* journalL_;
    QDateEdit* datumE_;
    QTableWidget* vertretungG_;
    QRadioButton *wordRB_, *druckerRB_, *webseiteRB_;
};

} // namespace sw::ui
