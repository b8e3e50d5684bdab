// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's record and its text. The file is INI style in Windows-1252 with CR LF:
//
//   [Vertretungsjournal]
//   Version=1
//   [Gruende]
//   Gruende=krank,Klassenfahrt,Fortbildung,Sonstiges,
//   [Hoechstzahlen]
//   Müller=3
//   [Abwesenheiten]
//   A1=Lehrer,Müller,2027-03-15,2027-03-26,-1,-1,krank,
//   A2=Klasse,5a,2027-03-17,2027-03-17,3,-1,Klassenfahrt,
//   [Entscheidungen]
//   E1=2027-03-15,2,Müller,Vertretung,Schmidt,krank,Deutsch,5a,
//   E2=2027-03-15,2,Müller,Zuruecknahme,,krank,Deutsch,5a,
//
// Lists end each item with ",", as the project file writes them; the classes of a lesson close
// an entry (a course has several). Entries are numbered from 1 without a gap.
#include "substitute/Journal.h"

#include "model/Cp1252.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace sw {

namespace {

constexpr const char* kKopf = "Vertretungsjournal";
constexpr const char* kVersion = "1";

constexpr std::array<const char*, 3> kArten = {"Vertretung", "Ausfall", "Zuruecknahme"};

std::string ArtText(EntscheidungsArt a) {
    return kArten[static_cast<std::size_t>(a)];
}

std::optional<EntscheidungsArt> ArtAus(std::string_view text) {
    for (std::size_t i = 0; i < kArten.size(); ++i)
        if (text == kArten[i]) return static_cast<EntscheidungsArt>(i);
    return std::nullopt;
}

std::optional<int> Zahl(std::string_view text) {
    int n = 0;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, n);
    if (ec != std::errc{} || p != end || text.empty()) return std::nullopt;
    return n;
}

std::string Liste(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& s : items)
        out += s + ",";
    return out;
}

// The items of a list value: each ends with ",".
std::optional<std::vector<std::string>> Felder(std::string_view value) {
    std::vector<std::string> out;
    if (value.empty()) return out;
    if (value.back() != ',') return std::nullopt;
    std::size_t from = 0;
    while (from < value.size()) {
        const std::size_t komma = value.find(',', from);
        out.emplace_back(value.substr(from, komma - from));
        from = komma + 1;
    }
    return out;
}

std::string AbwesenheitsText(const Abwesenheit& a) {
    return Liste({a.Art == AbwesenheitsArt::Lehrer ? "Lehrer" : "Klasse", a.Name, a.Von.Text(),
                  a.Bis.Text(), std::to_string(a.AbStunde), std::to_string(a.BisStunde), a.Grund});
}

std::string EntscheidungsText(const Entscheidung& e) {
    std::vector<std::string> f = {
        e.Tag.Text(), std::to_string(e.Stunde), e.Lehrer, ArtText(e.Art), e.Vertreter, e.Grund,
        e.Fach};
    f.insert(f.end(), e.Klassen.begin(), e.Klassen.end());
    return Liste(f);
}

bool Stundenwert(std::string_view text, int& out) {
    const std::optional<int> n = Zahl(text);
    if (!n || *n < -1 || *n > 12) return false;
    out = *n;
    return true;
}

// Reads an absence's fields; the reason of a refusal, empty when read.
std::string LiesAbwesenheit(const std::vector<std::string>& f, Abwesenheit& a) {
    if (f.size() != 7) return "eine Abwesenheit hat 7 Felder";
    if (f[0] == "Lehrer")
        a.Art = AbwesenheitsArt::Lehrer;
    else if (f[0] == "Klasse")
        a.Art = AbwesenheitsArt::Klasse;
    else
        return "unbekannte Art \"" + f[0] + "\"";
    a.Name = f[1];
    const auto von = Datum::Lies(f[2]), bis = Datum::Lies(f[3]);
    if (!von || !bis || *bis < *von) return "ungültiger Zeitraum";
    a.Von = *von;
    a.Bis = *bis;
    if (!Stundenwert(f[4], a.AbStunde) || !Stundenwert(f[5], a.BisStunde))
        return "ungültige Stunde";
    a.Grund = f[6];
    return a.Name.empty() ? "Name fehlt" : "";
}

std::string LiesEntscheidung(const std::vector<std::string>& f, Entscheidung& e) {
    if (f.size() < 7) return "eine Entscheidung hat mindestens 7 Felder";
    const auto tag = Datum::Lies(f[0]);
    if (!tag) return "ungültiges Datum";
    e.Tag = *tag;
    if (!Stundenwert(f[1], e.Stunde) || e.Stunde < 0) return "ungültige Stunde";
    e.Lehrer = f[2];
    const auto art = ArtAus(f[3]);
    if (!art) return "unbekannte Entscheidung \"" + f[3] + "\"";
    e.Art = *art;
    e.Vertreter = f[4];
    if ((e.Art == EntscheidungsArt::Vertretung) == e.Vertreter.empty())
        return "Vertreter passt nicht zur Entscheidung";
    e.Grund = f[5];
    e.Fach = f[6];
    e.Klassen.assign(f.begin() + 7, f.end());
    return e.Lehrer.empty() ? "Lehrer fehlt" : "";
}

struct Zeile {
    std::string_view Text;
    int Nummer = 0;
};

std::vector<Zeile> Zeilen(std::string_view text) {
    std::vector<Zeile> out;
    std::size_t from = 0;
    int nummer = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out.push_back({line, ++nummer});
        from = end + 1;
    }
    return out;
}

} // namespace

std::vector<std::string> StandardGruende() {
    return {"krank", "Klassenfahrt", "Fortbildung", "Sonstiges"};
}

bool Abwesenheit::Betrifft(const Datum& tag, int stunde) const {
    if (!BetrifftTag(tag)) return false;
    if (tag == Von && AbStunde >= 0 && stunde < AbStunde) return false;
    if (tag == Bis && BisStunde >= 0 && stunde > BisStunde) return false;
    return true;
}

// --- the record ---------------------------------------------------------------------------------

Journal::Journal() : Gruende(StandardGruende()) {}

void Journal::Eintragen(Abwesenheit a) {
    abwesenheiten_.push_back(std::move(a));
}

bool Journal::Entfernen(int index) {
    if (index < 0 || index >= static_cast<int>(abwesenheiten_.size())) return false;
    abwesenheiten_.erase(abwesenheiten_.begin() + index);
    return true;
}

int Journal::TagAustragen(AbwesenheitsArt art, const std::string& name, const Datum& tag) {
    const auto weg =
        std::remove_if(abwesenheiten_.begin(), abwesenheiten_.end(), [&](const auto& a) {
            return a.Art == art && a.Name == name && a.Von == tag && a.Bis == tag &&
                   a.AbStunde < 0 && a.BisStunde < 0;
        });
    const auto anzahl = static_cast<int>(abwesenheiten_.end() - weg);
    abwesenheiten_.erase(weg, abwesenheiten_.end());
    return anzahl;
}

void Journal::Entscheiden(Entscheidung e) {
    letzte_[{e.Tag.Tagnummer(), e.Stunde, e.Lehrer}] = entscheidungen_.size();
    entscheidungen_.push_back(std::move(e));
}

const Entscheidung* Journal::Stand(const Datum& tag, int stunde, const std::string& lehrer) const {
    const auto it = letzte_.find({tag.Tagnummer(), stunde, lehrer});
    if (it == letzte_.end()) return nullptr;
    const Entscheidung& e = entscheidungen_[it->second];
    return e.Art == EntscheidungsArt::Zuruecknahme ? nullptr : &e;
}

std::unordered_map<std::string, int> Journal::Vertretungen(const Datum& von,
                                                           const Datum& bis) const {
    std::unordered_map<std::string, int> out;
    for (const auto& [schluessel, index] : letzte_) {
        const Entscheidung& e = entscheidungen_[index];
        if (e.Art == EntscheidungsArt::Vertretung && von <= e.Tag && e.Tag <= bis)
            ++out[e.Vertreter];
    }
    return out;
}

std::vector<const Entscheidung*> Journal::InKraft() const {
    std::vector<std::size_t> indizes;
    for (const auto& [schluessel, index] : letzte_)
        if (entscheidungen_[index].Art != EntscheidungsArt::Zuruecknahme) indizes.push_back(index);
    std::sort(indizes.begin(), indizes.end());
    std::vector<const Entscheidung*> out;
    out.reserve(indizes.size());
    for (std::size_t i : indizes)
        out.push_back(&entscheidungen_[i]);
    return out;
}

// --- the file -----------------------------------------------------------------------------------

std::string JournalPfad(const std::string& projektDatei) {
    const std::size_t slash = projektDatei.find_last_of('/');
    const std::size_t punkt = projektDatei.find_last_of('.');
    const bool endung = punkt != std::string::npos && (slash == std::string::npos || punkt > slash);
    return (endung ? projektDatei.substr(0, punkt) : projektDatei) + ".vtr";
}

std::string JournalTextFehler(const std::string& text) {
    if (text.find_first_of(",\r\n") != std::string::npos)
        return "Komma und Zeilenumbruch sind nicht erlaubt.";
    if (!IsCp1252Representable(text)) return "Das Zeichen kann nicht gespeichert werden.";
    return "";
}

std::string JournalText(const Journal& j) {
    std::string t;
    auto zeile = [&t](const std::string& s) { t += s + "\r\n"; };
    zeile(std::string("[") + kKopf + "]");
    zeile(std::string("Version=") + kVersion);
    zeile("[Gruende]");
    zeile("Gruende=" + Liste(j.Gruende));
    zeile("[Hoechstzahlen]");
    for (const auto& [name, zahl] : j.Hoechstzahl)
        zeile(name + "=" + std::to_string(zahl));
    zeile("[Abwesenheiten]");
    int n = 0;
    for (const Abwesenheit& a : j.Abwesenheiten())
        zeile("A" + std::to_string(++n) + "=" + AbwesenheitsText(a));
    zeile("[Entscheidungen]");
    n = 0;
    for (const Entscheidung& e : j.Entscheidungen())
        zeile("E" + std::to_string(++n) + "=" + EntscheidungsText(e));
    // Everything the journal holds was checked on entry; a letter beyond the code page would
    // have been refused there.
    return Utf8ToCp1252(t).value_or(t);
}

JournalLesen LiesJournal(std::string_view bytes) {
    const std::string text = Cp1252ToUtf8(bytes);
    Journal j;
    j.Gruende.clear();
    std::string abschnitt;
    int abwesenheiten = 0, entscheidungen = 0;
    bool kopf = false, gruende = false;
    auto fehler = [](int zeile, std::string grund) {
        return JournalLesen{std::nullopt, zeile, std::move(grund)};
    };
    for (const Zeile& z : Zeilen(text)) {
        if (z.Text.empty()) continue;
        if (z.Text.front() == '[') {
            if (z.Text.back() != ']') return fehler(z.Nummer, "Abschnitt ohne \"]\"");
            abschnitt = std::string(z.Text.substr(1, z.Text.size() - 2));
            if (!kopf && abschnitt != kKopf) return fehler(z.Nummer, "kein Vertretungsjournal");
            kopf = true;
            if (abschnitt != kKopf && abschnitt != "Gruende" && abschnitt != "Hoechstzahlen" &&
                abschnitt != "Abwesenheiten" && abschnitt != "Entscheidungen")
                return fehler(z.Nummer, "unbekannter Abschnitt \"" + abschnitt + "\"");
            continue;
        }
        const std::size_t eq = z.Text.find('=');
        if (!kopf || eq == std::string_view::npos || eq == 0)
            return fehler(z.Nummer, "keine Zeile der Form Schlüssel=Wert");
        const std::string key(z.Text.substr(0, eq));
        const std::string_view value = z.Text.substr(eq + 1);
        if (abschnitt == kKopf) {
            if (key == "Version" && value != kVersion)
                return fehler(z.Nummer, "unbekannte Version " + std::string(value));
            continue;
        }
        if (abschnitt == "Hoechstzahlen") {
            const std::optional<int> n = Zahl(value);
            if (!n || *n < 0) return fehler(z.Nummer, "ungültige Höchstzahl");
            j.Hoechstzahl[key] = *n;
            continue;
        }
        const std::optional<std::vector<std::string>> f = Felder(value);
        if (!f) return fehler(z.Nummer, "Liste ohne abschließendes Komma");
        if (abschnitt == "Gruende") {
            j.Gruende = *f;
            gruende = true;
        } else if (abschnitt == "Abwesenheiten") {
            if (key != "A" + std::to_string(abwesenheiten + 1))
                return fehler(z.Nummer, "A" + std::to_string(abwesenheiten + 1) + " erwartet");
            Abwesenheit a;
            if (std::string grund = LiesAbwesenheit(*f, a); !grund.empty())
                return fehler(z.Nummer, grund);
            j.Eintragen(std::move(a));
            ++abwesenheiten;
        } else {
            if (key != "E" + std::to_string(entscheidungen + 1))
                return fehler(z.Nummer, "E" + std::to_string(entscheidungen + 1) + " erwartet");
            Entscheidung e;
            if (std::string grund = LiesEntscheidung(*f, e); !grund.empty())
                return fehler(z.Nummer, grund);
            j.Entscheiden(std::move(e));
            ++entscheidungen;
        }
    }
    if (!kopf) return fehler(1, "kein Vertretungsjournal");
    if (!gruende) j.Gruende = StandardGruende();
    return {std::move(j), 0, ""};
}

} // namespace sw
