// SPDX-License-Identifier: GPL-3.0-or-later
#include "substitute/Statistik.h"

#include "substitute/Substitutions.h"
#include "substitute/Vertretungstag.h"

#include <algorithm>
#include <unordered_map>

namespace sw {

namespace {

std::string Monat(const Datum& d) {
    return d.Text().substr(0, 7);
}

// The journal's span: the first and last date it names.
std::pair<Datum, Datum> Spanne(const Journal& j) {
    Datum von{9999, 12, 31}, bis{1, 1, 1};
    for (const Abwesenheit& a : j.Abwesenheiten()) {
        von = std::min(von, a.Von);
        bis = std::max(bis, a.Bis);
    }
    for (const Entscheidung& e : j.Entscheidungen()) {
        von = std::min(von, e.Tag);
        bis = std::max(bis, e.Tag);
    }
    return {von, bis};
}

std::string Feld(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

} // namespace

Statistik BerechneStatistik(const CPlan& plan, const Journal& journal) {
    Statistik st;
    const CSchuljahr& jahr = plan.Stamm().Angaben.Schuljahr;
    std::tie(st.Von, st.Bis) =
        jahr.Gesetzt() ? std::make_pair(jahr.Beginn, jahr.Ende) : Spanne(journal);
    std::unordered_map<std::string, std::size_t> lehrer, klassen;
    for (int t = 0; t < plan.LehrerAnzahl; ++t) {
        lehrer.emplace(plan.LehrerAt(t).Name, st.Lehrer.size());
        st.Lehrer.push_back({plan.LehrerAt(t).Name, {}, {}});
    }
    for (int k = 0; k < plan.KlassenAnzahl; ++k) {
        klassen.emplace(plan.KlasseAt(k).Name, st.Klassen.size());
        st.Klassen.push_back({plan.KlasseAt(k).Name, {}, {}});
    }

    // Missed lessons: each school day of each teacher's absence within the term.
    const int tage = std::min(plan.Tage, kMaxDays);
    for (const Abwesenheit& a : journal.Abwesenheiten()) {
        if (a.Art != AbwesenheitsArt::Lehrer) continue;
        const auto it = lehrer.find(a.Name);
        if (it == lehrer.end()) continue;
        const int t = static_cast<int>(it->second);
        StatistikZeile& z = st.Lehrer[it->second];
        const Datum von = std::max(a.Von, st.Von), bis = std::min(a.Bis, st.Bis);
        for (long n = von.Tagnummer(); n <= bis.Tagnummer(); ++n) {
            const Datum d = Datum::AusTagnummer(n);
            if (DatumAblehnung(plan, d)) continue;
            const int tag = SchultagAm(d, tage);
            int versaeumt = 0;
            for (int h = 0; h <= std::min(plan.Stunden, kMaxHour); ++h)
                if (a.Betrifft(d, h) && plan.LessonOfTeacher(t, SlotOf(tag, h))) ++versaeumt;
            z.Gesamt.Versaeumt += versaeumt;
            if (versaeumt) z.ProMonat[Monat(d)].Versaeumt += versaeumt;
        }
    }

    for (const Entscheidung* e : journal.InKraft()) {
        if (e->Tag < st.Von || st.Bis < e->Tag) continue;
        if (e->Art == EntscheidungsArt::Vertretung) {
            if (const auto it = lehrer.find(e->Vertreter); it != lehrer.end()) {
                ++st.Lehrer[it->second].Gesamt.Vertreten;
                ++st.Lehrer[it->second].ProMonat[Monat(e->Tag)].Vertreten;
            }
        } else if (e->Art == EntscheidungsArt::Ausfall) {
            for (const std::string& k : e->Klassen)
                if (const auto it = klassen.find(k); it != klassen.end()) {
                    ++st.Klassen[it->second].Gesamt.Ausgefallen;
                    ++st.Klassen[it->second].ProMonat[Monat(e->Tag)].Ausgefallen;
                }
        }
    }
    return st;
}

std::string StatistikCsv(const Statistik& st) {
    std::string out = "Art;Name;Monat;Versäumt;Vertreten;Ausgefallen\r\n";
    auto zeile = [&out](const char* art, const std::string& name, const std::string& monat,
                        const StatistikZahlen& z) {
        out += std::string(art) + ";" + Feld(name) + ";" + monat + ";" +
               std::to_string(z.Versaeumt) + ";" + std::to_string(z.Vertreten) + ";" +
               std::to_string(z.Ausgefallen) + "\r\n";
    };
    for (const StatistikZeile& z : st.Lehrer) {
        zeile("Lehrer", z.Name, "gesamt", z.Gesamt);
        for (const auto& [monat, m] : z.ProMonat)
            zeile("Lehrer", z.Name, monat, m);
    }
    for (const StatistikZeile& z : st.Klassen) {
        zeile("Klasse", z.Name, "gesamt", z.Gesamt);
        for (const auto& [monat, m] : z.ProMonat)
            zeile("Klasse", z.Name, monat, m);
    }
    return out;
}

} // namespace sw
