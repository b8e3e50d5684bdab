// SPDX-License-Identifier: GPL-3.0-or-later
// TFachForm.h: the subject dialog "Fächer": the subject list with new, rename and delete. A
// subject is only a name; renaming and deleting reach every room, teacher, course and lesson
// that names it, which the core does.
#pragma once
#include "ui/TStammForm.h"

namespace sw::ui {

class TNeuForm;

class TFachForm : public TStammForm {
    Q_OBJECT
public:
    TFachForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent = nullptr);
    TNeuForm& NeuForm() { return *neuForm_; }

    static constexpr const char* kHilfe = "formular_faecher.htm";

public slots:
    void NeuClick();
    void UmbenennenClick();
    void LoeschenClick();

protected:
    std::vector<std::string> Namen() const override;
    void Zeigen() override {}
    void Freigeben() override;

private:
    TNeuForm* neuForm_;
    QPushButton* umbenennenBtn_;
    QPushButton* loeschenBtn_;
};

} // namespace sw::ui
