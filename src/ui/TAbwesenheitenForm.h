// SPDX-License-Identifier: GPL-3.0-or-later
// TAbwesenheitenForm.h: the window "Abwesenheiten" of the substitution journal. It lists the
// absences the journal holds (a teacher or a class, from a date to a date, whole days or from/to
// an hour, with its reason) and enters or removes one; the core checks and records each, and the
// journal is saved at once. A journal open only for reading shows its absences and changes
// nothing.
#pragma once
#include "plan/Plan.h"
#include "substitute/JournalDatei.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace sw::ui {

class TAbwesenheitenForm : public QDialog {
    Q_OBJECT
public:
    TAbwesenheitenForm(Reporter& reporter, QWidget* parent = nullptr);

    // Shows the journal's absences; a new one starts on `datum`.
    void Fuellen(const CPlan& plan, JournalDatei& journal, const Datum& datum);
    // Whether an absence was entered or removed since Fuellen.
    bool Geaendert() const { return geaendert_; }

public slots:
    void HinzufuegenBtnClick();
    // Removes the selected absence.
    void EntfernenBtnClick();

private:
    void ArtGewechselt();
    void Anzeigen();
    void Sichern();

    Reporter& reporter_;
    const CPlan* plan_ = nullptr;
    JournalDatei* journal_ = nullptr;
    bool geaendert_ = false;
    QTableWidget* liste_;
    QComboBox *artCoBox_, *nameCoBox_, *grundCoBox_;
    QDateEdit *vonE_, *bisE_;
    QSpinBox *abStundeSB_, *bisStundeSB_;
    QPushButton *hinzufuegen_, *entfernen_;
};

} // namespace sw::ui
