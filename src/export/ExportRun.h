// SPDX-License-Identifier: GPL-3.0-or-later
// ExportRun.h: "Ausgabe" of the export options as a run that needs no window. It writes the
// chosen timetables one after the other into a new CWord document: teachers first, then classes,
// then rooms, each in list order, each under its heading and, when asked, on a new page. Progress
// goes to an observer; messages go to a Reporter. The options window and the command-line tool
// fill ExportOptionen and call RunExport; neither shows anything of the run itself.
#pragma once

#include "export/Document.h"
#include "export/TableLooks.h"
#include "export/Word.h"
#include "model/Report.h"
#include "plan/Plan.h"

#include <string>
#include <vector>

namespace sw {

namespace texte {
inline constexpr const char* KeinPlanVorhanden = "Es ist kein Plan vorhanden!";
inline constexpr const char* ExportStart = "Export in Word ... (Ein Kaffe?)";
inline constexpr const char* ExportTitel = "Export in Word";
inline constexpr const char* PlaeneVon = " Pläne von ";
inline constexpr const char* AusgabeFehler = "Fehler bei Ausgabe an Word:\n";
inline constexpr const char* UeberschriftLehrer = "Lehrer: ";
inline constexpr const char* UeberschriftKlasse = "Klasse: ";
inline constexpr const char* UeberschriftRaum = "Raum: ";
} // namespace texte

// The items checked in one of the three lists, and whether the list's kind box is checked.
struct ExportAuswahl {
    bool Aktiv = false;         // LehrerCB / KlassenCB / RaumCB
    std::vector<int> Eintraege; // indices in plan order; order and repeats do not matter
};

enum class AusgabeZiel { Word, Drucker }; // AusgabeAnRG

struct ExportOptionen {
    ExportAuswahl Lehrer;
    ExportAuswahl Klassen;
    ExportAuswahl Raeume;
    bool NurKurz = false;                                    // NurKurzCB "Nur kurze Namen"
    bool PseudoKurse = true;                                 // PseudoKurseBehandelnCB
    int Layout = kStandardLayout;                            // TabellenLayoutCoBox
    PageOrientation Ausrichtung = PageOrientation::Portrait; // PageOrientationRG
    bool JederPlanNeueSeite = true;                          // JederPlanNeueSeiteCB
    AusgabeZiel AusgabeAn = AusgabeZiel::Word;
};

// What a progress window shows.
struct ExportFortschritt {
    std::string Titel;
    std::string Text;
    int Position = 0;
    int Maximum = 0;
};

// Receives the progress of a run. Show is called when the run starts, once the document is open
// and after every plan written (the place to let pending user input through); Close once at the
// end of every run that called Show.
class ExportObserver {
public:
    virtual ~ExportObserver() = default;
    virtual void Show(const ExportFortschritt& fortschritt) = 0;
    virtual void Close() = 0;
};

class NoExportObserver : public ExportObserver {
public:
    void Show(const ExportFortschritt&) override {}
    void Close() override {}
};

// The checked items of one list in list order, without repeats or indices outside the list;
// nothing when the list's kind box is not checked.
std::vector<int> Eintraege(const ExportAuswahl& auswahl, int anzahl);

enum class ExportStatus {
    NichtsGewaehlt, // no kind box checked or no item checked: nothing happened
    Drucker,        // "Drucker" chosen: nothing is exported, nothing said
    StartFehler,    // the document could not be started (its target cannot be written)
    Fehler,         // an error stopped the run or the document could not be written
    Fertig,         // every plan written and the document saved
};

struct ExportErgebnis {
    ExportStatus Status = ExportStatus::NichtsGewaehlt;
    int Anzahl = 0;      // plans chosen
    int Geschrieben = 0; // plans written completely
    std::string Detail;  // for StartFehler and Fehler: the reason in plain words
};

// The number of plans the options choose (checked items of the lists whose kind box is checked).
int GewaehltePlaene(const CPlan& plan, const ExportOptionen& optionen);

// Runs the export into a new document of `word` (Start is called here). Messages: "Fehler bei
// Ausgabe an Word:\n" + the reason (title "Fehler") when the document cannot be started, and
// when writing a plan or saving the document fails, which ends the run. The
// document is made visible at the end of every run that started it, also after an error, so
// what was written up to the error is kept.
ExportErgebnis RunExport(const CPlan& plan, const ExportOptionen& optionen, CWord& word,
                         Reporter& reporter, ExportObserver& observer);

} // namespace sw
