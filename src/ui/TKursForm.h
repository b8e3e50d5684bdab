// SPDX-License-Identifier: GPL-3.0-or-later
// TKursForm.h: the course dialog "Kurse": the course blocks with new, rename and delete, and the
// course's teachers with their subjects ("Kurs - Definitionen"), assembled from the list of all
// teachers and the subjects of the teacher chosen there. The classes of a course are attached
// in the lesson window.
#pragma once
#include "ui/TStammForm.h"

namespace sw::ui {

class TNeuKursForm;

class TKursForm : public TStammForm {
    Q_OBJECT
public:
    TKursForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent = nullptr);
    TNeuKursForm& NeuForm() { return *neuForm_; }

    static constexpr const char* kHilfe = "formular_kurse.htm";

public slots:
    void NeuClick();
    void UmbenennenClick();
    void LoeschenClick();
    void HinzuClick();
    void EntfernenClick();

protected:
    std::vector<std::string> Namen() const override;
    void Zeigen() override;
    void Freigeben() override;

private:
    const CKursBlock* Kurs() const;
    void LehrerGewaehlt();

    TNeuKursForm* neuForm_;
    QLabel* kurzL_;
    QLabel* stundenL_;
    QListWidget* lehrerL_;
    QListWidget* fachL_;
    QListWidget* lehrerKursL_;
    QListWidget* fachKursL_;
    QPushButton* hinzuBitBtn_;
    QPushButton* entfernenBitBtn_;
    QPushButton* neuBtn_;
    QPushButton* umbenennenBtn_;
    QPushButton* loeschenBtn_;
};

} // namespace sw::ui
