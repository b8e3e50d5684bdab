// SPDX-License-Identifier: GPL-3.0-or-later
// TDruckOptionenForm.h: the export options ("Druck - Optionen"): which teachers, classes and
// rooms, the table look, orientation, short names, pseudo courses, a new page per plan and the
// target. "Ausgabe" fills ExportOptionen and hands them to the core's export run; the run's
// progress appears in a progress window, its messages as message boxes, and a finished run says
// how many plans went where. "Alle" and "Keiner"/"Keine" also tick or untick their list's kind
// box. The file dialog, the printer and the viewer of the written document are the desktop's.
#pragma once
#include "export/ExportRun.h"
#include "export/Word.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QRadioButton;

namespace sw::ui {

class Desktop;

class TDruckOptionenForm : public QDialog {
    Q_OBJECT
public:
    TDruckOptionenForm(Reporter& reporter, Desktop& desktop, QWidget* parent = nullptr);

    // Fills the lists from `plan` and shows the window modally; without a plan the refusal.
    void Oeffnen(const CPlan* plan);
    // Fills the lists without showing anything (tests and Oeffnen).
    bool Fuellen(const CPlan* plan);
    // The options as the controls hold them.
    ExportOptionen Optionen() const;

    ExportErgebnis LetztesErgebnis() const { return letztes_; }

public slots:
    void AusgabeBtnClick();

private:
    void Drucker(const ExportOptionen& o);
    // The closing note of a finished run: how many plans went where.
    void Fertig(const QString& wohin, bool angezeigt);
    QWidget* Liste(const char* cbName, const char* cbText, const char* listName,
                   const char* keinText, QCheckBox*& cb, QListWidget*& liste);

    Reporter& reporter_;
    Desktop& desktop_;
    const CPlan* plan_ = nullptr;
    ExportErgebnis letztes_;
    QCheckBox *lehrerCB_ = nullptr, *klassenCB_ = nullptr, *raumCB_ = nullptr;
    QListWidget *lehrerCLB_ = nullptr, *klassenCLB_ = nullptr, *raumCLB_ = nullptr;
    QComboBox* layoutCoBox_;
    QRadioButton *hochRB_, *querRB_, *wordRB_, *druckerRB_;
    QCheckBox *nurKurzCB_, *pseudoCB_, *neueSeiteCB_;
};

} // namespace sw::ui
