// SPDX-License-Identifier: GPL-3.0-or-later
// TLehrerForm.h: the teacher dialog "Lehrer". Page "Allgemeine Angaben": the teacher list, the
// short form, the subjects he teaches (his own first), the class he leads, whether he takes part in
// the optimisation and prefers free days, new, rename and delete; page "Zeitvorgaben": the lock
// grid; page "Regeln": the rules of his days and his week; below them the navigation bar.
#pragma once
#include "ui/TStammForm.h"

class QTabWidget;
class QListWidgetItem;

namespace sw::ui {

class RegelnSeite;
class TNeuNameForm;

class TLehrerForm : public TStammForm {
    Q_OBJECT
public:
    TLehrerForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent = nullptr);
    TNeuNameForm& NeuForm() { return *neuForm_; }

    RegelnSeite& Regeln() { return *regeln_; }

    static constexpr const char* kHilfe = "formular_lehrer.htm";

public slots:
    void NeuClick();
    void UmbenennenClick();
    void LoeschenClick();

protected:
    std::vector<std::string> Namen() const override;
    void Zeigen() override;
    void Freigeben() override;
    const LockGrid* Sperre() const override;

private:
    const CLehrer* Lehrer() const;
    // The subjects in the order of the check list: the teacher's own first (in subject order),
    // so that they are in sight among many; while the same teacher is shown the order stays,
    // so that a ticked subject does not jump away under the pointer.
    std::vector<std::string> FachReihenfolge(const CLehrer* l);
    void FachGeklickt(QListWidgetItem* item);
    void KlasseGeklickt(QListWidgetItem* item);

    TNeuNameForm* neuForm_;
    RegelnSeite* regeln_;
    QTabWidget* seiten_;
    QLabel* kurzL_;
    QLabel* faecherL_;
    QListWidget* fachCLBox_;
    QListWidget* klassenCLBox_;
    QCheckBox* klassenLehrerCB_;
    QCheckBox* optiCB_;
    QCheckBox* tendenzCB_;
    QPushButton* neuBtn_;
    QPushButton* umbenennenBtn_;
    QPushButton* loeschenBtn_;
    std::string reihenfolgeVon_; // the teacher the subject list's order was made for
};

} // namespace sw::ui
