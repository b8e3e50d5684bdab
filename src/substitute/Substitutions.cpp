// SPDX-License-Identifier: GPL-3.0-or-later
#include "substitute/Substitutions.h"

#include <algorithm>

namespace sw {

namespace {

template <typename List> bool InRange(const List& list, int i) {
    return i >= 0 && i < static_cast<int>(list.size());
}

template <typename List> const auto& At(const List& list, int i) {
    return list[static_cast<std::size_t>(i)];
}

std::string LehrerName(const CPlan& plan, int t) {
    return InRange(plan.Stamm().Lehrer, t) ? plan.LehrerAt(t).Name : std::string();
}

std::string KlassenName(const CPlan& plan, int k) {
    return InRange(plan.Stamm().Klassen, k) ? plan.KlasseAt(k).Name : std::string();
}

std::string FachName(const CPlan& plan, int f) {
    return InRange(plan.Stamm().Faecher, f) ? At(plan.Stamm().Faecher, f) : std::string();
}

const CKursBlock* KursVon(const CPlan& plan, const CStunde& h) {
    if (!h.IsCourse() || !InRange(plan.Stamm().KursBloecke, h.FachKurs)) return nullptr;
    return &At(plan.Stamm().KursBloecke, h.FachKurs);
}

// What a lesson is called in the lists: the course name, or the subject and the class.
std::string KursName(const CPlan& plan, const CStunde& h) {
    const CKursBlock* kurs = KursVon(plan, h);
    return kurs ? kurs->Name : std::string();
}

// The subject teacher `lehrer` teaches in a course: the last of the course's teachers with his
// name decides (a teacher may stand in a course twice).
std::string KursFach(const CKursBlock& kurs, const std::string& lehrer) {
    std::string fach;
    const std::size_t n = std::min(kurs.Lehrer.size(), kurs.Faecher.size());
    for (std::size_t i = 0; i < n; ++i)
        if (kurs.Lehrer[i].Name == lehrer) fach = kurs.Faecher[i];
    return fach;
}

bool Unterrichtet(const CLehrer& lehrer, const std::string& fach) {
    return std::find(lehrer.Faecher.begin(), lehrer.Faecher.end(), fach) != lehrer.Faecher.end();
}

void SetzeSpalten(VertretungsZeile& zeile, std::string a, std::string b, std::string c) {
    zeile.Spalten[1] = std::move(a);
    zeile.Spalten[2] = std::move(b);
    zeile.Spalten[3] = std::move(c);
}

} // namespace

// --- the list -----------------------------------------------------------------------------------

VertretungsListe::VertretungsListe() {
    Leeren();
}

void VertretungsListe::Leeren() {
    zeilen_.assign(2, VertretungsZeile{});
    for (std::size_t c = 0; c < texte::VertretungsKopf.size(); ++c)
        zeilen_[0].Spalten[c] = texte::VertretungsKopf[c];
}

int VertretungsListe::Ermitteln(const CPlan& plan, int tag) {
    Leeren();
    if (tag < 0 || tag >= std::min(plan.Tage, kMaxDays)) return 0;
    const int letzte = std::min(plan.Stunden, kMaxHour);
    int gefunden = 0;
    for (int j = 0; j < plan.LehrerAnzahl; ++j) {
        if (plan.LehrerAt(j).NichtVerfuegbar == 0) continue;
        for (int k = 0; k <= letzte; ++k) {
            const int slot = SlotOf(tag, k);
            for (int l = 0; l < plan.RaumAnzahl; ++l) {
                const CStunde& h = plan.At(l, slot);
                if (!h.IsLesson() || h.Lehrer != j) continue;
                // The new row goes before the empty row that always trails.
                VertretungsZeile zeile;
                zeile.Stunde = &h;
                zeile.Marke = {slot, l};
                zeile.Spalten[0] = StundenText(plan, h, k);
                zeilen_.insert(zeilen_.end() - 1, std::move(zeile));
                ++gefunden;
                break;
            }
        }
    }
    if (zeilen_.size() > 2) zeilen_.pop_back();
    return gefunden;
}

bool VertretungsListe::HatStunde(int zeile) const {
    return InRange(zeilen_, zeile) && At(zeilen_, zeile).HatStunde();
}

int VertretungsListe::Stunden() const {
    return static_cast<int>(std::count_if(zeilen_.begin(), zeilen_.end(),
                                          [](const VertretungsZeile& z) { return z.HatStunde(); }));
}

WahlErgebnis VertretungsListe::Waehlen(int zeile, const WahlZeile& wahl, Reporter& reporter) {
    if (!HatStunde(zeile)) return WahlErgebnis::KeineStunde;
    VertretungsZeile& y = zeilen_[static_cast<std::size_t>(zeile)];
    const std::string& name = wahl.Spalten[0];
    const bool vergeben = std::any_of(zeilen_.begin(), zeilen_.end(), [&](const auto& z) {
        return z.HatStunde() && z.Marke.Slot == y.Marke.Slot && z.Spalten[1] == name;
    });
    if (vergeben && !reporter.Ask({DoppeltFrage(name, y.Marke.Stunde()), ""}, Question::YesNo))
        return WahlErgebnis::Abgelehnt;
    SetzeSpalten(y, wahl.Spalten[0], wahl.Spalten[1], wahl.Spalten[2]);
    return WahlErgebnis::Gesetzt;
}

bool VertretungsListe::Ausfall(int zeile) {
    if (!HatStunde(zeile)) return false;
    SetzeSpalten(zeilen_[static_cast<std::size_t>(zeile)], texte::Ausfall, "", "");
    return true;
}

bool VertretungsListe::Loeschen(int zeile) {
    if (!HatStunde(zeile)) return false;
    SetzeSpalten(zeilen_[static_cast<std::size_t>(zeile)], "", "", "");
    return true;
}

// --- texts --------------------------------------------------------------------------------------

std::string StundenText(const CPlan& plan, const CStunde& stunde, int hour) {
    std::string text = std::to_string(hour) + ".   ";
    if (stunde.IsCourse())
        text += KursName(plan, stunde);
    else
        text += KlassenName(plan, stunde.Klasse) + "  " + FachName(plan, stunde.FachKurs);
    return text + "  " + LehrerName(plan, stunde.Lehrer);
}

std::string DoppeltFrage(const std::string& name, int hour) {
    return "Lehrer " + name + " ist in der " + std::to_string(hour) +
           ". Stunde bereits vergeben\nSoll diesem Lehrer trotzdem diese Vertretungs-Stunde "
           "zugewiesen werden?";
}

// --- the chooser --------------------------------------------------------------------------------

WahlListe WahlFuer(const CPlan& plan, const VertretungsZeile& zeile) {
    WahlListe w;
    if (!zeile.HatStunde() || !IsSlot(zeile.Marke.Slot)) return w;
    const CStunde& h = *zeile.Stunde;
    const int slot = zeile.Marke.Slot;
    const int tag = zeile.Marke.Tag();
    w.Zeit = TagName(plan.Stamm().Angaben, tag) + "  " + std::to_string(zeile.Marke.Stunde()) +
             texte::ZeitStunde;
    w.Lehrer = LehrerName(plan, h.Lehrer);
    if (const CKursBlock* kurs = KursVon(plan, h)) {
        w.Verpasst = KursFach(*kurs, w.Lehrer);
        w.Fach = kurs->Name + "(" + w.Verpasst + ")";
        for (const std::string& k : kurs->Klassen)
            w.Klasse += k + " ";
    } else {
        w.Verpasst = FachName(plan, h.FachKurs);
        w.Fach = w.Verpasst;
        w.Klasse = KlassenName(plan, h.Klasse);
    }

    for (int l = 0; l < plan.LehrerAnzahl; ++l) {
        const CLehrer& lehrer = plan.LehrerAt(l);
        if (lehrer.NichtVerfuegbar != 0) continue;
        WahlZeile z;
        z.Lehrer = l;
        z.Spalten[0] = lehrer.Name;
        z.Gesperrt = lehrer.Sperre[static_cast<std::size_t>(slot)] != 0;
        z.Belegt = plan.LessonOfTeacher(l, slot) != nullptr;
        z.Spalten[2] = KonfliktText(plan, l, slot);
        z.Unterrichtet = Unterrichtet(lehrer, w.Verpasst);
        if (z.Unterrichtet) z.Spalten[1] = w.Verpasst;
        w.Zeilen.push_back(std::move(z));
    }
    return w;
}

std::string KonfliktText(const CPlan& plan, int lehrer, int slot) {
    if (plan.LehrerAt(lehrer).Sperre[static_cast<std::size_t>(slot)] != 0) return texte::Sperrung;
    const CStunde* eigene = plan.LessonOfTeacher(lehrer, slot);
    if (!eigene) return "";
    if (eigene->IsCourse()) return KursName(plan, *eigene);
    return FachName(plan, eigene->FachKurs) + " " + KlassenName(plan, eigene->Klasse);
}

// --- absence ------------------------------------------------------------------------------------

bool SetzeAbwesend(Stammdaten& stamm, int lehrer, bool abwesend) {
    if (!InRange(stamm.Lehrer, lehrer)) return false;
    Flag& flag = stamm.Lehrer[static_cast<std::size_t>(lehrer)].NichtVerfuegbar;
    // The absence is kept in the school's files: a change is one to save.
    if (flag != (abwesend ? 1 : 0)) stamm.Aenderungen.Bump();
    flag = abwesend ? 1 : 0;
    return true;
}

std::vector<int> AbwesendeLehrer(const CPlan& plan) {
    std::vector<int> out;
    for (int j = 0; j < plan.LehrerAnzahl; ++j)
        if (plan.LehrerAt(j).NichtVerfuegbar != 0) out.push_back(j);
    return out;
}

} // namespace sw
