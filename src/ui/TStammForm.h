// SPDX-License-Identifier: GPL-3.0-or-later
// TStammForm.h: what the five master-data dialogs (subjects, rooms, teachers, classes, courses)
// share: the drop-down list of the entities with its selection, the navigation bar, the input
// windows, the pop-up "Hilfe", plan mode, and the signal that tells the other windows to show
// the changed master data. Every change is a call of the MasterDataEditor; a dialog then shows
// what the master data holds, with the selection the editor answers. The input windows run
// through the desktop.
#pragma once
#include "app/Session.h"
#include "define/MasterData.h"

#include <QDialog>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace sw::ui {

class Desktop;
class SperrGitter;
class TEingabeForm;

class TStammForm : public QDialog {
    Q_OBJECT
public:
    // The lists rebuilt from the master data, the selection kept where it still exists (else
    // the first entity), and the window shown.
    void Oeffnen();
    // The lists and the page rebuilt from the master data; the selection stays on the same
    // position where there is one.
    void Auffrischen();
    // Master-data mode (true) or plan mode (false); the editing controls follow, also after
    // every later refresh.
    void SetEditable(bool editable);
    // The master data was emptied: the lists are empty and the caption is `titel`.
    void Leeren(const QString& titel);
    // The master data was replaced (a file was read): the first entity is selected.
    void Neuladen() { Waehlen(0); }
    // The time grid after the general settings changed (dialogs with a lock grid).
    void ZeitgitterAufbauen();
    // The lock grid page, or nullptr for a dialog without one.
    SperrGitter* Sperren() const { return sperren_; }
    bool Editable() const { return editable_; }
    // The index of the selected entity, -1 without one.
    int Auswahl() const;

signals:
    // The master data changed: the other windows that show it refresh.
    void Geaendert();
    // The pop-up "Hilfe": opens the help page named in the hint of the control.
    void HilfeSeite(const QString& seite);

protected:
    TStammForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent,
               const char* objektName, const char* hilfe);

    // The names of the list, in list order.
    virtual std::vector<std::string> Namen() const = 0;
    // Shows the selected entity (or none) in the other controls.
    virtual void Zeigen() = 0;
    // Enables or disables the editing controls for `editable_` and the selected entity.
    virtual void Freigeben() = 0;

    MasterDataEditor Editor() { return MasterDataEditor(session_.Stamm()); }
    const Stammdaten& Daten() const { return session_.Stamm(); }
    // Selects entry `auswahl` (-1: none) after rebuilding the list and shows it.
    void Waehlen(int auswahl);
    // After an operation: the lists rebuilt with the editor's selection; the other windows learn
    // of a change.
    void Ergebnis(const Aenderung& a);
    // Runs `fenster` with caption, prompt and prefilled name, placed beside this dialog.
    bool Eingabe(TEingabeForm& fenster, const char* titel, const char* prompt,
                 const QString& name = {});

    // Controls, each with its component name.
    QPushButton* Knopf(const char* name, const QString& text);
    QCheckBox* Kasten(const char* name, const QString& text);
    QListWidget* CheckListe(const char* name);
    // The drop-down list of the entities; built once by the subclass.
    QComboBox* ListeAnlegen(const char* name);
    // The navigation bar Erster, Links, Rechts, Letzter, NeuBitBtn, LoeschenBitBtn.
    QWidget* Navigation();
    // Fills a check list with `namen`, checking those in `an`, without calling its handler.
    void CheckListeFuellen(QListWidget* liste, const std::vector<std::string>& namen,
                           const std::vector<std::string>& an);
    // The page "Zeitvorgaben" for the lock grids of `ziel`; "Sperren" and "Freigeben" call the
    // editor for the selected entity.
    SperrGitter* SperrSeite(SperrZiel ziel);
    // The selected entity's lock grid, shown on that page (nullptr: none selected).
    virtual const LockGrid* Sperre() const { return nullptr; }
    // Shows the selected entity's lock grid (an empty grid without one).
    void SperreZeigen();
    // Gives `w` the pop-up "Hilfe" for the page `seite`.
    void HilfeMenue(QWidget* w, const char* seite);
    // The window of a dialog with a lock grid: `seiten` holds the page `allgemein` and the page
    // "Zeitvorgaben" of `ziel`; below them the navigation bar and, on the right, "Schließen".
    void SeitenAnordnen(QTabWidget* seiten, QWidget* allgemein, SperrZiel ziel, QWidget* leiste,
                        QWidget* schliessen);

    // The names of the entities of `liste`, in list order.
    template <class Liste> static std::vector<std::string> NamenVon(const Liste& liste) {
        std::vector<std::string> n;
        n.reserve(liste.size());
        for (const auto& e : liste)
            n.push_back(e.Name);
        return n;
    }
    // The selected entity of `liste`, nullptr without one.
    template <class Liste> auto Ausgewaehlt(const Liste& liste) const -> decltype(&liste[0]) {
        const int i = Auswahl();
        return i >= 0 && i < static_cast<int>(liste.size()) ? &liste[static_cast<std::size_t>(i)]
                                                            : nullptr;
    }

    Session& session_;
    Reporter& reporter_;
    Desktop& desktop_;
    QComboBox* liste_ = nullptr;
    QPushButton* neuBitBtn_ = nullptr;
    QPushButton* loeschenBitBtn_ = nullptr;
    bool editable_ = true;
    bool laden_ = false; // the controls are being filled: their handlers do nothing

private:
    void Blaettern(int schritt);
    void SperrenClick();
    void FreigebenClick();

    SperrGitter* sperren_ = nullptr;
    SperrZiel ziel_ = SperrZiel::Raum;
};

} // namespace sw::ui
