// SPDX-License-Identifier: GPL-3.0-or-later
// TVeroeffentlichenForm.h: "Veröffentlichen" of the planning window: the plan as a web site in a
// folder. Which teachers, classes and rooms get a page, short names and pseudo courses are chosen
// as in the export options (all checked at first); the folder is typed or chosen. The core writes
// the site (Veroeffentliche); the window says how it went and offers to show the index.
#pragma once
#include "publish/Webseite.h"
#include "publish/Zusaetze.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace sw::ui {

class Desktop;

class TVeroeffentlichenForm : public QDialog {
    Q_OBJECT
public:
    TVeroeffentlichenForm(Reporter& reporter, Desktop& desktop, QWidget* parent = nullptr);

    // Fills the lists from `plan` (every entry checked) and shows the window modally; without a
    // plan the refusal.
    void Oeffnen(const CPlan* plan);
    // Fills the lists without showing anything (tests and Oeffnen). False without a plan.
    bool Fuellen(const CPlan* plan);
    // The options as the controls hold them.
    WebseitenOptionen Optionen() const;
    // The calendars, PDF and tables checked to go beside the pages (the term: the school year).
    ZusatzWahl Zusaetze() const;
    QLineEdit& OrdnerFeld() { return *ordnerE_; }
    const VeroeffentlichungsErgebnis& LetztesErgebnis() const { return letztes_; }

public slots:
    void VeroeffentlichenBtnClick();
    void OrdnerBtnClick();

private:
    QWidget* Liste(const char* cbName, const char* cbText, const char* listName,
                   const char* keinText, QCheckBox*& cb, QListWidget*& liste);

    Reporter& reporter_;
    Desktop& desktop_;
    const CPlan* plan_ = nullptr;
    VeroeffentlichungsErgebnis letztes_;
    QLineEdit* ordnerE_ = nullptr;
    QCheckBox *lehrerCB_ = nullptr, *klassenCB_ = nullptr, *raumCB_ = nullptr;
    QListWidget *lehrerCLB_ = nullptr, *klassenCLB_ = nullptr, *raumCLB_ = nullptr;
    QCheckBox *nurKurzCB_ = nullptr, *pseudoCB_ = nullptr;
    QCheckBox *kalenderCB_ = nullptr, *pdfCB_ = nullptr, *xlsxCB_ = nullptr, *csvCB_ = nullptr;
};

} // namespace sw::ui
