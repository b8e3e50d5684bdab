// SPDX-License-Identifier: GPL-3.0-or-later
// THauptForm.h: the main window. Its menus open the general settings, the master-data dialogs
// (subjects, classes, teachers, rooms, courses), the lesson window, the planning window, the
// export options, the substitution window and the program options and run the file commands on
// the session; its caption
// names the mode and the file. It switches between master-data mode and plan mode. Commands that
// destroy or replace the plan wait while a halted run is still returning. It hands its reporter
// and its desktop (file dialogs, modal dialogs, printing, viewing, today) to every window it
// makes.
#pragma once
#include "app/Session.h"
#include "optimise/RunControl.h"
#include "ui/Desktop.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class QAction;

namespace sw::ui {

class TAllgemeineAngabenForm;
class TDruckOptionenForm;
class TVeroeffentlichenForm;
class TFachForm;
class TKlassenForm;
class TKursForm;
class TLehrerForm;
class TRaumForm;
class TStammForm;
class THilfeForm;
class TPlanForm;
class TProgrammOptionenForm;
class TUnterrichtForm;
class TVertretungenForm;

class THauptForm : public QMainWindow {
    Q_OBJECT
public:
    THauptForm(Reporter& reporter, Desktop& desktop, const QString& startOrdner,
               QWidget* parent = nullptr);
    ~THauptForm() override;

    Session& Sitzung() { return session_; }
    RunControl& Lauf() { return run_; }
    TPlanForm& PlanForm() { return *planForm_; }
    TAllgemeineAngabenForm& AngabenForm() { return *angaben_; }
    TProgrammOptionenForm& OptionenForm() { return *optionen_; }
    TDruckOptionenForm& DruckForm() { return *druck_; }
    TVeroeffentlichenForm& VeroeffentlichenForm() { return *veroeffentlichen_; }
    THilfeForm& HilfeForm() { return *hilfe_; }
    TUnterrichtForm& UnterrichtForm() { return *unterricht_; }
    TFachForm& FachForm() { return *fach_; }
    TRaumForm& RaumForm() { return *raum_; }
    TLehrerForm& LehrerForm() { return *lehrer_; }
    TKlassenForm& KlassenForm() { return *klassen_; }
    TKursForm& KursForm() { return *kurs_; }
    TVertretungenForm& VertretungenForm() { return *vertretungen_; }
    bool Editable() const { return editable_; }
    const QString& HilfePfad() const { return hilfePfad_; }
    void SetHilfePfad(const QString& pfad) { hilfePfad_ = pfad; }
    // The menu command with this text (as in the menu, with "&").
    QAction* Befehl(const QString& text) const;

    // The school an import just took over is shown: the dialogs show it, the caption marks it
    // unsaved, and the report window shows what was carried over, approximated and dropped.
    void Importiert(const ImportReport& bericht);

    // Opens a file named on the command line as its menu command does: a school (.sch), a
    // master-data file (.sdt) or a plan (.pdt); a file that cannot be read shows the reader's
    // message, another kind of file a message of its own.
    void DateiOeffnen(const QString& pfad);

    // Master-data mode (true) or plan mode (false).
    void SetEditable(bool editable);
    // The startup check of the program options (runs once, when the window is first shown).
    void OptionenBeimStart();
    // The caption ends with " *" while master data or plan hold unsaved changes (refreshed a few
    // times a second, and after every file command).
    void MarkeZeigen();

public slots:
    void NeuClick();
    void OeffnenClick();
    void SpeichernClick();
    void SpeichernUnterClick();
    // A FET file, or a folder of tables (chosen by one of its tables), as a new school.
    void ImportierenClick();
    // The master data as tables in a folder the planner chooses.
    void TabellenExportierenClick();
    void StammOeffnenClick();
    void StammSpeichernClick();
    void StammSpeichernUnterClick();
    void PlanOeffnenClick();
    void PlanSpeichernClick();
    void PlanSpeichernUnterClick();
    void AllgemeineAngabenClick();
    // The master-data dialogs, shown non-modally.
    void FaecherClick();
    void KlassenClick();
    void LehrerClick();
    void RaeumeClick();
    void KurseClick();
    void UnterrichtClick();
    void StundenplanClick();
    void AusgabeClick();
    void VertretungenClick();
    void ProgrammOptionenClick();
    void HilfeSeite(const QString& seite);
    void InfoClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void MenuesAufbauen();
    // Ctrl+N, Ctrl+O and Ctrl+S for New, Open and Save.
    void TastenKuerzel();
    QAction* Eintrag(QMenu* menu, const QString& text, void (THauptForm::*slot)());
    void StammBefehleFreigeben(bool an);
    // The five master-data dialogs, in the order subjects, rooms, teachers, classes, courses.
    std::vector<TStammForm*> StammFenster() const;
    // A dialog changed the master data: the other windows that show it follow.
    void StammGeaendert(TStammForm* quelle);
    // The master data was replaced by a file: the dialogs show its first entities.
    void StammNeu();
    void ZahlenZeigen();
    void AngabenBestaetigt();
    void PlanZeigen();
    void PlanGeschlossen();
    // The substitution list points into the plan: the window closes before the plan goes.
    void VertretungenSchliessen();
    QString Frage(const DateiDialog& d);
    // The file names the session asks for when "Änderungen speichern?" is answered "Ja" and the
    // data has no file yet: the "Speichern unter" dialog of the project, master-data or plan file.
    std::function<std::string(Ablage)> DateiNamen();
    // Before a command that discards master data and plan: the planning window closes (asking
    // about a changed plan), then changed master data are offered for saving; `ohneAenderung`
    // is asked when nothing changed. True when the command may go on.
    bool VerwerfenErlaubt(const char* ohneAenderung = nullptr);

    Reporter& reporter_;
    Desktop& desktop_;
    Session session_;
    RunControl run_;
    QString startOrdner_;
    QString hilfePfad_;
    bool editable_ = true;
    bool optionenGeprueft_ = false;
    // A file named on the command line: the next file question answers with it.
    QString vorgabe_;
    std::map<QString, QAction*> befehle_;
    TPlanForm* planForm_;
    THilfeForm* hilfe_;
    TAllgemeineAngabenForm* angaben_;
    TProgrammOptionenForm* optionen_;
    TDruckOptionenForm* druck_;
    TVeroeffentlichenForm* veroeffentlichen_;
    TUnterrichtForm* unterricht_;
    TFachForm* fach_;
    TRaumForm* raum_;
    TLehrerForm* lehrer_;
    TKlassenForm* klassen_;
    TKursForm* kurs_;
    TVertretungenForm* vertretungen_;
};

} // namespace sw::ui
