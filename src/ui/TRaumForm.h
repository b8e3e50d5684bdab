// SPDX-License-Identifier: GPL-3.0-or-later
// TRaumForm.h: the room dialog "Räume". Page "Allgemeine Angaben": the room list, its short
// form, the room type with the subjects of a special room, the class-room type with its class,
// the release for the class's own courses, new, rename and delete; page "Zeitvorgaben": the lock
// grid; below both the navigation bar. The subject and class check lists are usable only for a
// special room or a reserved class room, and never in plan mode.
#pragma once
#include "ui/TStammForm.h"

class QButtonGroup;
class QGroupBox;
class QListWidgetItem;
class QTabWidget;

namespace sw::ui {

class TNeuNameForm;

class TRaumForm : public TStammForm {
    Q_OBJECT
public:
    TRaumForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent = nullptr);
    TNeuNameForm& NeuForm() { return *neuForm_; }

    static constexpr const char* kHilfe = "formular_raeume.htm";

public slots:
    void NeuClick();
    void UmbenennenClick();
    // The page's delete: the units naming the room lose it.
    void LoeschenClick();
    // The navigation bar's delete.
    void LoeschenBitBtnClick();

protected:
    std::vector<std::string> Namen() const override;
    void Zeigen() override;
    void Freigeben() override;
    const LockGrid* Sperre() const override;

private:
    const CRaumFach* Raum() const;
    void FachGeklickt(QListWidgetItem* item);
    void KlasseGeklickt(QListWidgetItem* item);

    TNeuNameForm* neuForm_;
    QTabWidget* seiten_;
    QLabel* kurzL_;
    QGroupBox* raumTypRG_;
    QButtonGroup* raumTyp_;
    QGroupBox* klassenRaumRG_;
    QButtonGroup* klassenRaum_;
    QListWidget* fachCLBox_;
    QListWidget* klassenCLBox_;
    QCheckBox* klassenKursFreigabeCB_;
    QPushButton* neuBtn_;
    QPushButton* umbenennenBtn_;
    QPushButton* loeschenBtn_;
};

} // namespace sw::ui
