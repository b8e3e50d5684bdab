// SPDX-License-Identifier: GPL-3.0-or-later
// TKlassenForm.h: the class dialog "Klassen". Page "Allgemeine Angaben": the class list, whether
// the class takes part in the optimisation, new, rename and delete; page "Zeitvorgaben": the
// lock grid; page "Regeln": the rules of its days; below them the navigation bar.
#pragma once
#include "ui/TStammForm.h"

class QTabWidget;

namespace sw::ui {

class RegelnSeite;
class TNeuForm;

class TKlassenForm : public TStammForm {
    Q_OBJECT
public:
    TKlassenForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent = nullptr);
    TNeuForm& NeuForm() { return *neuForm_; }

    RegelnSeite& Regeln() { return *regeln_; }

    static constexpr const char* kHilfe = "formular_klassen.htm";

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
    const CKlasse* Klasse() const;

    TNeuForm* neuForm_;
    RegelnSeite* regeln_;
    QTabWidget* seiten_;
    QCheckBox* optiCB_;
    QPushButton* neuBtn_;
    QPushButton* umbenennenBtn_;
    QPushButton* loeschenBtn_;
};

} // namespace sw::ui
