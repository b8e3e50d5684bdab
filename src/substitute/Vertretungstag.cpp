// SPDX-License-Identifier: GPL-3.0-or-later
#include "substitute/Vertretungstag.h"

#include <algorithm>
#include <unordered_map>

namespace sw {

namespace {

std::string LehrerName(const CPlan& plan, int t) {
    return t >= 0 && t < plan.LehrerAnzahl ? plan.LehrerAt(t).Name : std::string();
}

// The bits of the hours an absence covers on a date.
std::uint16_t Stunden(const Abwesenheit& a, const Datum& tag) {
    std::uint16_t bits = 0;
    for (int h = 0; h <= kMaxHour; ++h)
        if (a.Betrifft(tag, h)) bits = static_cast<std::uint16_t>(bits | (1U << h));
    return bits;
}

// The classes of a lesson by name, for the journal.
std::vector<std::string> KlassenVon(const CPlan& plan, const CStunde& h) {
    std::vector<std::string> out;
    if (h.Klasse >= 0 && h.Klasse < plan.KlassenAnzahl) out.push_back(plan.KlasseAt(h.Klasse).Name);
    if (h.IsCourse() && h.KlassenL)
        for (int k : *h.KlassenL)
            if (k >= 0 && k < plan.KlassenAnzahl) out.push_back(plan.KlasseAt(k).Name);
    return out;
}

// Monday of the date's week and the Sunday after it.
std::pair<Datum, Datum> Woche(const Datum& d) {
    const Datum montag = d.PlusTage(-d.Wochentag());
    return {montag, montag.PlusTage(6)};
}

} // namespace

std::optional<std::string> DatumAblehnung(const CPlan& plan, const Datum& datum) {
    if (!IstGueltig(datum)) return "Das Datum " + datum.DeutscherText() + " gibt es nicht.";
    if (SchultagAm(datum, std::min(plan.Tage, kMaxDays)) < 0)
        return KeinSchultag(datum, std::min(plan.Tage, kMaxDays));
    const CSchuljahr& jahr = plan.Stamm().Angaben.Schuljahr;
    if (!jahr.Gesetzt()) return std::nullopt;
    if (datum < jahr.Beginn || jahr.Ende < datum)
        return DatumText(datum) + " liegt außerhalb des Schuljahres (" +
               jahr.Beginn.DeutscherText() + " bis " + jahr.Ende.DeutscherText() + ").";
    if (const CFerien* ferien = jahr.FerienAm(datum))
        return DatumText(datum) + " liegt in den Ferien" +
               (ferien->Name.empty() ? std::string() : " (" + ferien->Name + ")") + ".";
    return std::nullopt;
}

bool TagesLage::FaelltAus(const CStunde& h, int stunde) const {
    if (h.Klasse >= 0) return KlasseFehlt(h.Klasse, stunde);
    if (!h.IsCourse() || !h.KlassenL || h.KlassenL->empty()) return false;
    return std::all_of(h.KlassenL->begin(), h.KlassenL->end(),
                       [&](int k) { return KlasseFehlt(k, stunde); });
}

TagesLage LageAm(const CPlan& plan, const Journal& journal, const Datum& datum) {
    TagesLage lage;
    lage.Tag = datum;
    lage.Lehrer.assign(static_cast<std::size_t>(plan.LehrerAnzahl), 0);
    lage.Grund.assign(static_cast<std::size_t>(plan.LehrerAnzahl), "");
    lage.Klassen.assign(static_cast<std::size_t>(plan.KlassenAnzahl), 0);
    std::unordered_map<std::string, int> lehrer, klassen;
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        lehrer.emplace(plan.LehrerAt(t).Name, t);
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        klassen.emplace(plan.KlasseAt(k).Name, k);
    for (const Abwesenheit& a : journal.Abwesenheiten()) {
        if (!a.BetrifftTag(datum)) continue;
        const bool istLehrer = a.Art == AbwesenheitsArt::Lehrer;
        const auto& namen = istLehrer ? lehrer : klassen;
        const auto it = namen.find(a.Name);
        if (it == namen.end()) continue; // a name the plan no longer has
        const auto i = static_cast<std::size_t>(it->second);
        auto& bits = istLehrer ? lage.Lehrer[i] : lage.Klassen[i];
        bits = static_cast<std::uint16_t>(bits | Stunden(a, datum));
        if (istLehrer && lage.Grund[i].empty()) lage.Grund[i] = a.Grund;
    }
    return lage;
}

// --- the day ------------------------------------------------------------------------------------

Vertretungstag::Vertretungstag(const CPlan& plan, Journal& journal, const Datum& datum)
    : plan_(plan), journal_(journal), lage_(LageAm(plan, journal, datum)) {
    klassenVon_.assign(static_cast<std::size_t>(plan.LehrerAnzahl),
                       std::vector<bool>(static_cast<std::size_t>(plan.KlassenAnzahl), false));
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        for (int s = 0; s < kSlotCount; ++s) {
            const CStunde& h = plan.At(r, s);
            if (!h.IsLesson() || h.Lehrer >= plan.LehrerAnzahl) continue;
            auto& klassen = klassenVon_[static_cast<std::size_t>(h.Lehrer)];
            for (int k = 0; k < plan.KlassenAnzahl; ++k)
                if (h.Involves(k)) klassen[static_cast<std::size_t>(k)] = true;
        }
}

std::vector<int> Vertretungstag::Abwesende() const {
    std::vector<int> out;
    for (int t = 0; t < plan_.LehrerAnzahl; ++t)
        if (lage_.Lehrer[static_cast<std::size_t>(t)] != 0) out.push_back(t);
    return out;
}

int Vertretungstag::Ermitteln() {
    liste_.Leeren();
    const int tag = SchultagAm(lage_.Tag, std::min(plan_.Tage, kMaxDays));
    if (tag < 0) return 0;
    const int letzte = std::min(plan_.Stunden, kMaxHour);
    int gefunden = 0;
    auto anfuegen = [&](int lehrer, int stunde) {
        const int slot = SlotOf(tag, stunde);
        for (int l = 0; l < plan_.RaumAnzahl; ++l) {
            const CStunde& h = plan_.At(l, slot);
            if (!h.IsLesson() || h.Lehrer != lehrer) continue;
            VertretungsZeile zeile;
            zeile.Stunde = &h;
            zeile.Marke = {slot, l};
            zeile.Spalten[0] = StundenText(plan_, h, stunde);
            zeile.Entfaellt = lage_.FaelltAus(h, stunde);
            if (zeile.Entfaellt)
                zeile.Spalten[1] = texte::Entfaellt;
            else if (const Entscheidung* e =
                         journal_.Stand(lage_.Tag, stunde, LehrerName(plan_, lehrer)))
                Zeige(zeile, *e);
            liste_.zeilen_.insert(liste_.zeilen_.end() - 1, std::move(zeile));
            ++gefunden;
            return;
        }
    };
    for (int j = 0; j < plan_.LehrerAnzahl; ++j)
        for (int k = 0; k <= letzte; ++k)
            if (lage_.LehrerFehlt(j, k)) anfuegen(j, k);
    // Present teachers whose class is away: their lesson falls out and they are free.
    for (int j = 0; j < plan_.LehrerAnzahl; ++j)
        for (int k = 0; k <= letzte; ++k) {
            if (lage_.LehrerFehlt(j, k)) continue;
            const CStunde* h = plan_.LessonOfTeacher(j, SlotOf(tag, k));
            if (h && lage_.FaelltAus(*h, k)) anfuegen(j, k);
        }
    if (liste_.zeilen_.size() > 2) liste_.zeilen_.pop_back();
    return gefunden;
}

void Vertretungstag::Zeige(VertretungsZeile& z, const Entscheidung& e) const {
    if (e.Art == EntscheidungsArt::Ausfall) {
        z.Spalten[1] = texte::Ausfall;
        z.Spalten[2].clear();
        z.Spalten[3].clear();
        return;
    }
    z.Spalten = {z.Spalten[0], e.Vertreter, "", ""};
    for (int l = 0; l < plan_.LehrerAnzahl; ++l) {
        const CLehrer& lehrer = plan_.LehrerAt(l);
        if (lehrer.Name != e.Vertreter) continue;
        if (std::find(lehrer.Faecher.begin(), lehrer.Faecher.end(), e.Fach) != lehrer.Faecher.end())
            z.Spalten[2] = e.Fach;
        z.Spalten[3] = KonfliktText(plan_, l, z.Marke.Slot);
        break;
    }
}

bool Vertretungstag::Entscheidbar(int zeile) const {
    return liste_.HatStunde(zeile) && !liste_.Zeilen()[static_cast<std::size_t>(zeile)].Entfaellt;
}

std::vector<Kandidat> Vertretungstag::Kandidaten(int zeile) const {
    std::vector<Kandidat> out;
    if (!Entscheidbar(zeile)) return out;
    const VertretungsZeile& z = liste_.Zeilen()[static_cast<std::size_t>(zeile)];
    const int slot = z.Marke.Slot, tag = z.Marke.Tag(), stunde = z.Marke.Stunde();
    const CSchuljahr& jahr = plan_.Stamm().Angaben.Schuljahr;
    const auto imJahr = jahr.Gesetzt() ? journal_.Vertretungen(jahr.Beginn, jahr.Ende)
                                       : journal_.Vertretungen(Datum{1, 1, 1}, Datum{9999, 12, 31});
    const auto [montag, sonntag] = Woche(lage_.Tag);
    const auto inWoche = journal_.Vertretungen(montag, sonntag);
    auto zahl = [](const std::unordered_map<std::string, int>& m, const std::string& name) {
        const auto it = m.find(name);
        return it == m.end() ? 0 : it->second;
    };
    const WahlListe wahl = WahlFuer(plan_, z);
    // Every teacher present at that hour; the chooser's rows give names, subject and conflict,
    // but the chooser knows only the standing absence flag, so the rows are made here.
    for (int l = 0; l < plan_.LehrerAnzahl; ++l) {
        if (lage_.LehrerFehlt(l, stunde)) continue;
        const CLehrer& lehrer = plan_.LehrerAt(l);
        Kandidat k;
        k.Wahl.Lehrer = l;
        k.Wahl.Spalten[0] = lehrer.Name;
        k.Wahl.Gesperrt = lehrer.Sperre[static_cast<std::size_t>(slot)] != 0;
        const CStunde* eigene = plan_.LessonOfTeacher(l, slot);
        const bool eigeneFaelltAus = eigene && lage_.FaelltAus(*eigene, stunde);
        k.Wahl.Belegt = eigene != nullptr && !eigeneFaelltAus;
        k.Wahl.Unterrichtet = std::find(lehrer.Faecher.begin(), lehrer.Faecher.end(),
                                        wahl.Verpasst) != lehrer.Faecher.end();
        if (k.Wahl.Unterrichtet) k.Wahl.Spalten[1] = wahl.Verpasst;
        k.Wahl.Spalten[2] = KonfliktText(plan_, l, slot);
        if (eigeneFaelltAus && !k.Wahl.Gesperrt)
            k.Wahl.Spalten[2] += std::string(" (") + texte::Entfaellt + ")";
        const bool schonVertreter = std::any_of(
            liste_.Zeilen().begin(), liste_.Zeilen().end(), [&](const VertretungsZeile& y) {
                return y.HatStunde() && y.Marke.Slot == slot && y.Spalten[1] == lehrer.Name;
            });
        k.Frei = !k.Wahl.Gesperrt && !k.Wahl.Belegt && !schonVertreter;
        k.Fach = k.Wahl.Unterrichtet;
        const auto& klassen = klassenVon_[static_cast<std::size_t>(l)];
        for (int c = 0; c < plan_.KlassenAnzahl; ++c)
            if (klassen[static_cast<std::size_t>(c)] && z.Stunde->Involves(c)) k.Klasse = true;
        bool vorher = false, nachher = false;
        for (int h = 0; h <= std::min(plan_.Stunden, kMaxHour); ++h) {
            if (h == stunde || lage_.LehrerFehlt(l, h)) continue;
            const CStunde* s = plan_.LessonOfTeacher(l, SlotOf(tag, h));
            if (!s || lage_.FaelltAus(*s, h)) continue;
            (h < stunde ? vorher : nachher) = true;
        }
        k.Luecke = vorher && nachher;
        k.Vertretungen = zahl(imJahr, lehrer.Name);
        k.Woche = zahl(inWoche, lehrer.Name);
        if (const auto it = journal_.Hoechstzahl.find(lehrer.Name);
            it != journal_.Hoechstzahl.end())
            k.Hoechstzahl = it->second;
        out.push_back(std::move(k));
    }
    std::stable_sort(out.begin(), out.end(), [](const Kandidat& a, const Kandidat& b) {
        return std::make_tuple(a.AmLimit(), !a.Frei, !a.Fach, !a.Klasse, !a.Luecke,
                               a.Vertretungen) <
               std::make_tuple(b.AmLimit(), !b.Frei, !b.Fach, !b.Klasse, !b.Luecke, b.Vertretungen);
    });
    return out;
}

Entscheidung Vertretungstag::Eintrag(const VertretungsZeile& z, EntscheidungsArt art,
                                     std::string vertreter) const {
    Entscheidung e;
    e.Tag = lage_.Tag;
    e.Stunde = z.Marke.Stunde();
    e.Lehrer = LehrerName(plan_, z.Stunde->Lehrer);
    e.Art = art;
    e.Vertreter = std::move(vertreter);
    e.Grund = lage_.Grund[static_cast<std::size_t>(z.Stunde->Lehrer)];
    e.Fach = WahlFuer(plan_, z).Verpasst;
    e.Klassen = KlassenVon(plan_, *z.Stunde);
    return e;
}

bool AbwesenheitEintragen(Journal& journal, const CPlan& plan, Abwesenheit a, Reporter& reporter) {
    const bool lehrer = a.Art == AbwesenheitsArt::Lehrer;
    bool bekannt = false;
    for (int i = 0; i < (lehrer ? plan.LehrerAnzahl : plan.KlassenAnzahl); ++i)
        bekannt = bekannt || (lehrer ? plan.LehrerAt(i).Name : plan.KlasseAt(i).Name) == a.Name;
    std::string nein;
    if (!bekannt)
        nein = std::string(lehrer ? "Einen Lehrer" : "Eine Klasse") + " \"" + a.Name +
               "\" gibt es in diesem Plan nicht.";
    else if (a.Bis < a.Von)
        nein = "Das Ende der Abwesenheit (" + a.Bis.DeutscherText() + ") liegt vor ihrem Beginn (" +
               a.Von.DeutscherText() + ").";
    else if (a.Von == a.Bis && a.AbStunde >= 0 && a.BisStunde >= 0 && a.BisStunde < a.AbStunde)
        nein = "An einem einzigen Tag kann die letzte Stunde nicht vor der ersten liegen.";
    else if (a.Grund.empty())
        nein = "Geben Sie einen Grund an.";
    else if (const std::string fehler = JournalTextFehler(a.Grund); !fehler.empty())
        nein = "Ungültiger Grund \"" + a.Grund + "\": " + fehler;
    if (!nein.empty()) {
        reporter.Show({nein, titel::Fehler});
        return false;
    }
    if (std::find(journal.Gruende.begin(), journal.Gruende.end(), a.Grund) == journal.Gruende.end())
        journal.Gruende.push_back(a.Grund);
    journal.Eintragen(std::move(a));
    return true;
}

std::string HoechstzahlErreicht(const std::string& name, int woche, int hoechstzahl) {
    return "Lehrer " + name + " hat diese Woche bereits " + std::to_string(woche) +
           " Vertretungen (Höchstzahl " + std::to_string(hoechstzahl) + ").";
}

WahlErgebnis Vertretungstag::Waehlen(int zeile, const Kandidat& kandidat, Reporter& reporter) {
    if (!Entscheidbar(zeile)) return WahlErgebnis::KeineStunde;
    if (kandidat.AmLimit()) {
        reporter.Show(
            {HoechstzahlErreicht(kandidat.Wahl.Spalten[0], kandidat.Woche, kandidat.Hoechstzahl),
             titel::Fehler});
        return WahlErgebnis::Abgelehnt;
    }
    const WahlErgebnis r = liste_.Waehlen(zeile, kandidat.Wahl, reporter);
    if (r == WahlErgebnis::Gesetzt)
        journal_.Entscheiden(Eintrag(liste_.Zeilen()[static_cast<std::size_t>(zeile)],
                                     EntscheidungsArt::Vertretung, kandidat.Wahl.Spalten[0]));
    return r;
}

bool Vertretungstag::Ausfall(int zeile) {
    if (!Entscheidbar(zeile)) return false;
    liste_.Ausfall(zeile);
    journal_.Entscheiden(
        Eintrag(liste_.Zeilen()[static_cast<std::size_t>(zeile)], EntscheidungsArt::Ausfall, ""));
    return true;
}

bool Vertretungstag::Loeschen(int zeile) {
    if (!Entscheidbar(zeile)) return false;
    liste_.Loeschen(zeile);
    journal_.Entscheiden(Eintrag(liste_.Zeilen()[static_cast<std::size_t>(zeile)],
                                 EntscheidungsArt::Zuruecknahme, ""));
    return true;
}

} // namespace sw
