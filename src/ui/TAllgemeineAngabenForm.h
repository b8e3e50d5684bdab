// SPDX-License-Identifier: GPL-3.0-or-later
// TAllgemeineAngabenForm.h: the general-settings dialog: days per week, hours per day, the 0th
// hour, the day names and the school's breaks ("Pausen", a grid of the week: a click marks a
// slot as a break or frees it) on the page "Woche"; on the page "Schuljahr" the times of the
// hours (`StundenZeitenSG`, one row per hour, "Standardzeiten" fills in the standard ones), the
// first and last day of the term and the holidays (`FerienSG`: from, to, name). Leaving a number
// field checks it at once; OK checks the times and dates and hands the values back.
// Each field's pop-up menu "Direkthilfe" explains it in the context-help window.
#pragma once
#include "define/GeneralSettings.h"
#include "model/Report.h"
#include "model/Stammdaten.h"

#include <QDialog>
#include <map>
#include <utility>

class QCheckBox;
class QLineEdit;
class QTabWidget;
class QTableWidget;

namespace sw::ui {

class SlotGitter;
class THilfeForm;

class TAllgemeineAngabenForm : public QDialog {
    Q_OBJECT
public:
    TAllgemeineAngabenForm(Reporter& reporter, THilfeForm& hilfe, QWidget* parent = nullptr);

    void Laden(const AllgemeineAngaben& angaben);
    // The values of the fields; call after OK.
    AllgemeineAngaben Werte() const;
    // The grid of the breaks.
    SlotGitter& Pausen() { return *pausenG_; }
    // Plan mode disables the three fields and the breaks (the day names stay editable).
    void SetEditable(bool editable);

    // The page of the school year and its fields.
    QTableWidget& StundenZeiten() { return *zeitenSG_; }
    QTableWidget& Ferien() { return *ferienSG_; }
    void FerienHinzufuegen();
    void FerienLoeschen();
    void Standardzeiten();

    // Leaving the fields; false (with the message shown) for an invalid value.
    bool TageVerlassen();
    bool StundenVerlassen();

    // The refusals name the allowed range on a line of their own.
    static constexpr const char* kTageFalsch =
        "Ungültige Anzahl an Unterrichts - Tagen pro Woche\nErlaubt sind 1 bis 7 Tage.";
    static constexpr const char* kStundenFalsch =
        "Ungültige Anzahl an Unterrichts - Stunden pro Tag\nErlaubt sind 1 bis 12 Stunden.";
    static_assert(kMaxDays == 7 && kMaxHour == 12, "the refusals name the allowed range");

signals:
    // The pop-up "Hilfe": opens the help page named in the control's hint.
    void HilfeSeite(const QString& seite);

public slots:
    void accept() override;

private:
    void Direkthilfe(QWidget* feld, const char* titel, const char* text);
    void Zeilen(int tage);
    // The breaks' grid for the week the fields hold, its marks kept where they still fit.
    void PausenAufbauen();
    // One row of times per hour of the day the fields hold; rows kept where the hour stays.
    void ZeitenAufbauen();
    void SchuljahrLaden(const AllgemeineAngaben& angaben);
    // The times and dates as typed.
    SchuljahrFelder Felder() const;

    Reporter& reporter_;
    THilfeForm& hilfe_;
    QLineEdit* tageE_;
    QLineEdit* stundenE_;
    QCheckBox* nullteCB_;
    QTableWidget* tageSG_;
    SlotGitter* pausenG_;
    QTabWidget* seiten_;
    QTableWidget* zeitenSG_;
    QLineEdit* beginnE_;
    QLineEdit* endeE_;
    QTableWidget* ferienSG_;
    // The "Direkthilfe" of each field: title and text.
    std::map<const QWidget*, std::pair<const char*, const char*>> direkthilfe_;
};

} // namespace sw::ui
