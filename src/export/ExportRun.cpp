// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/ExportRun.h"

#include "export/TableWriters.h"

#include <algorithm>
#include <exception>

namespace sw {

std::vector<int> Eintraege(const ExportAuswahl& auswahl, int anzahl) {
    if (!auswahl.Aktiv) return {};
    std::vector<int> out;
    for (int i : auswahl.Eintraege)
        if (i >= 0 && i < anzahl) out.push_back(i);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

namespace {

enum class Art { Lehrer, Klasse, Raum };

struct Auftrag {
    Art art;
    int index;
};

// Teachers, then classes, then rooms.
std::vector<Auftrag> Auftraege(const CPlan& plan, const ExportOptionen& o) {
    std::vector<Auftrag> out;
    for (int i : Eintraege(o.Lehrer, plan.LehrerAnzahl))
        out.push_back({Art::Lehrer, i});
    for (int i : Eintraege(o.Klassen, plan.KlassenAnzahl))
        out.push_back({Art::Klasse, i});
    for (int i : Eintraege(o.Raeume, plan.RaumAnzahl))
        out.push_back({Art::Raum, i});
    return out;
}

std::string Ueberschrift(const CPlan& plan, const Auftrag& a) {
    switch (a.art) {
    case Art::Lehrer:
        return texte::UeberschriftLehrer + plan.LehrerAt(a.index).Name;
    case Art::Klasse:
        return texte::UeberschriftKlasse + plan.KlasseAt(a.index).Name;
    default:
        return texte::UeberschriftRaum + plan.RaumAt(a.index).Name;
    }
}

void SchreibePlan(CWord& word, const CPlan& plan, const ExportOptionen& o, const Auftrag& a) {
    if (o.JederPlanNeueSeite) {
        word.SetParagraphFormat(kParagraphPresets[3]);
        word.NewParagraph();
        word.SetParagraphFormat(kParagraphPresets[0]);
    }
    word.InsertText(Ueberschrift(plan, a));
    switch (a.art) {
    case Art::Lehrer:
        LehrerTabelle(word, plan, a.index, o.NurKurz, o.PseudoKurse, o.Layout);
        break;
    case Art::Klasse:
        KlassenTabelle(word, plan, a.index, o.NurKurz, o.Layout);
        break;
    case Art::Raum:
        RaumTabelle(word, plan, a.index, o.NurKurz, o.PseudoKurse, o.Layout);
        break;
    }
}

std::string Stand(int geschrieben, int anzahl) {
    return std::to_string(geschrieben) + texte::PlaeneVon + std::to_string(anzahl);
}

void MeldeFehler(Reporter& reporter, ExportErgebnis& ergebnis, const std::string& text) {
    reporter.Show({texte::AusgabeFehler + text, titel::Fehler});
    ergebnis.Status = ExportStatus::Fehler;
    if (ergebnis.Detail.empty()) ergebnis.Detail = text;
}

} // namespace

int GewaehltePlaene(const CPlan& plan, const ExportOptionen& optionen) {
    return static_cast<int>(Auftraege(plan, optionen).size());
}

ExportErgebnis RunExport(const CPlan& plan, const ExportOptionen& optionen, CWord& word,
                         Reporter& reporter, ExportObserver& observer) {
    ExportErgebnis ergebnis;
    const std::vector<Auftrag> auftraege = Auftraege(plan, optionen);
    ergebnis.Anzahl = static_cast<int>(auftraege.size());
    if (auftraege.empty()) return ergebnis;
    if (optionen.AusgabeAn != AusgabeZiel::Word) {
        ergebnis.Status = ExportStatus::Drucker;
        return ergebnis;
    }

    observer.Show({texte::ExportStart, "", 0, 0});
    if (!word.Start()) {
        // The document is a file of our own, not a word processor to be started: the message
        // says what really failed (the target cannot be written), not that Word is missing.
        reporter.Show({texte::AusgabeFehler + word.StartError(), titel::Fehler});
        observer.Close();
        ergebnis.Status = ExportStatus::StartFehler;
        ergebnis.Detail = word.StartError();
        return ergebnis;
    }

    const int n = ergebnis.Anzahl;
    observer.Show({texte::ExportTitel, Stand(0, n), 0, n});
    ergebnis.Status = ExportStatus::Fertig;
    try {
        word.SetOrientation(optionen.Ausrichtung);
        for (const Auftrag& a : auftraege) {
            SchreibePlan(word, plan, optionen, a);
            ++ergebnis.Geschrieben;
            observer.Show(
                {texte::ExportTitel, Stand(ergebnis.Geschrieben, n), ergebnis.Geschrieben, n});
        }
    } catch (const std::exception& e) {
        MeldeFehler(reporter, ergebnis, e.what());
    }

    observer.Close();
    try {
        word.SetVisible(true);
    } catch (const std::exception& e) {
        MeldeFehler(reporter, ergebnis, e.what());
    }
    return ergebnis;
}

} // namespace sw
