// SPDX-License-Identifier: GPL-3.0-or-later
// The substitution sheet and the date in its title.
#include "export/ExportRun.h"
#include "substitute/Substitutions.h"

#include <algorithm>
#include <array>
#include <exception>

namespace sw {

namespace {

constexpr std::array<const char*, 7> kWochentage = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                                    "Freitag", "Samstag",  "Sonntag"};
constexpr std::array<const char*, 12> kMonate = {"Januar",    "Februar", "März",     "April",
                                                 "Mai",       "Juni",    "Juli",     "August",
                                                 "September", "Oktober", "November", "Dezember"};

bool Schaltjahr(int jahr) {
    return (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0;
}

int TageImMonat(int jahr, int monat) {
    constexpr std::array<int, 12> tage = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (monat == 2 && Schaltjahr(jahr)) return 29;
    return tage[static_cast<std::size_t>(monat - 1)];
}

// Days since 1970-01-01 (a Thursday) of a Gregorian date.
long long TageSeit1970(const Datum& d) {
    const long long y = d.Monat <= 2 ? d.Jahr - 1 : d.Jahr;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long m = d.Monat;
    const long long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d.Tag - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string Zweistellig(int n) {
    return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

bool IstGueltig(const Datum& d) {
    return d.Jahr >= 1 && d.Jahr <= 9999 && d.Monat >= 1 && d.Monat <= 12 && d.Tag >= 1 &&
           d.Tag <= TageImMonat(d.Jahr, d.Monat);
}

int Wochentag(const Datum& d) {
    const long long t = TageSeit1970(d);
    return static_cast<int>(((t % 7) + 7 + 3) % 7);
}

Datum NaechsterWochentag(const Datum& ab, int wochentag) {
    Datum d = ab;
    for (int schritt = 0; schritt < 7 && Wochentag(d) != ((wochentag % 7) + 7) % 7; ++schritt) {
        if (++d.Tag <= TageImMonat(d.Jahr, d.Monat)) continue;
        d.Tag = 1;
        if (++d.Monat <= 12) continue;
        d.Monat = 1;
        ++d.Jahr;
    }
    return d;
}

std::string DatumText(const Datum& d) {
    if (!IstGueltig(d))
        return Zweistellig(d.Tag) + "." + Zweistellig(d.Monat) + "." + std::to_string(d.Jahr);
    return std::string(kWochentage[static_cast<std::size_t>(Wochentag(d))]) + ", " +
           std::to_string(d.Tag) + ". " + kMonate[static_cast<std::size_t>(d.Monat - 1)] + " " +
           std::to_string(d.Jahr);
}

int SchultagAm(const Datum& datum, int tage) {
    if (!IstGueltig(datum)) return -1;
    const int tag = Wochentag(datum);
    return tag < tage ? tag : -1;
}

std::string KeinSchultag(const Datum& datum, int tage) {
    const int letzter = std::clamp(tage, 1, 7) - 1;
    const std::string woche = letzter == 0 ? std::string("nur ") + kWochentage[0]
                                           : std::string(kWochentage[0]) + " bis " +
                                                 kWochentage[static_cast<std::size_t>(letzter)];
    return DatumText(datum) + " ist kein Schultag dieses Plans (" + woche + ").";
}

WordTable BaueVertretungsplan(const CPlan& plan, const VertretungsListe& liste, const Datum& datum,
                              CWord& word, const std::vector<int>* fehlend) {
    word.InsertText(texte::VertretungsplanTitel + DatumText(datum));
    word.NewParagraphs(3);
    word.InsertText(texte::FehlendeLehrer);
    word.NewParagraphs(2);
    for (int j : fehlend ? *fehlend : AbwesendeLehrer(plan)) {
        word.InsertText(plan.LehrerAt(j).Name);
        word.NewParagraph();
    }
    word.NewParagraphs(2);

    // The rows by hour, in list order within an hour. The table gets exactly these rows, so no
    // row stays blank when lessons lie outside the hours shown (the 0th hour where it is not in
    // use).
    std::vector<const VertretungsZeile*> zeilen;
    for (int h = plan.Nullte ? 0 : 1; h <= plan.Stunden; ++h)
        for (const VertretungsZeile& z : liste.Zeilen())
            if (z.HatStunde() && z.Marke.Stunde() == h) zeilen.push_back(&z);

    const int rows = static_cast<int>(zeilen.size()) + 1;
    const WordTable table = word.AddTable(rows, 2, TableFormatSpec{.Format = kVertretungsLayout});
    word.SetCellText(table, 1, 1, texte::SpalteStunde);
    word.SetCellText(table, 1, 2, texte::SpalteVertretung);
    for (int r = 2; r <= rows; ++r) {
        const VertretungsZeile& z = *zeilen[static_cast<std::size_t>(r - 2)];
        word.SetCellText(table, r, 1, z.Spalten[0]);
        word.SetCellText(table, r, 2, z.Spalten[1].empty() ? " " : z.Spalten[1]);
    }
    word.SetPreferredWidth(table, kBreiteProzent, 100);
    return table;
}

bool SchreibeVertretungsplan(const CPlan& plan, const VertretungsListe& liste, const Datum& datum,
                             CWord& word, Reporter& reporter, const std::vector<int>* fehlend) {
    if (!word.Start()) {
        // Our document is a file, not a word processor to start: say what failed, as the
        // export does, instead of blaming a missing Word installation.
        reporter.Show({texte::AusgabeFehler + word.StartError(), titel::Fehler});
        return false;
    }
    bool ok = true;
    try {
        BaueVertretungsplan(plan, liste, datum, word, fehlend);
    } catch (const std::exception& e) {
        reporter.Show({texte::AusgabeFehler + std::string(e.what()), titel::Fehler});
        ok = false;
    }
    try {
        word.SetVisible(true);
    } catch (const std::exception& e) {
        reporter.Show({texte::AusgabeFehler + std::string(e.what()), titel::Fehler});
        ok = false;
    }
    return ok;
}

} // namespace sw
