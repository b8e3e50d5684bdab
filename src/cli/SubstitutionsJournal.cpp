// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk substitutions PLAN --datum JJJJ-MM-TT: the lessons of the teachers away on that
// date (from the journal beside the plan), what was decided for each and the best candidates;
// records absences and decisions in the journal; writes the date's sheet. --statistik: the
// figures of the term, as text or CSV. Exit status 0 done, 1 the journal or a file could not be
// written, 2 bad arguments, an unreadable plan, a refused date or a journal that cannot be
// changed.
#include "cli/SubstitutionsJournal.h"
#include "cli/Options.h"
#include "cli/Signals.h"

#include "app/Session.h"
#include "model/Cp1252.h"
#include "model/Text.h"
#include "substitute/JournalDatei.h"
#include "substitute/Statistik.h"
#include "substitute/Vertretungstag.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace sw::cli {

namespace {

// A name folded for comparing without regard to case: Windows-1252 letters, as the files
// store them, so that "MÜLLER" finds "Müller".
std::string Gefaltet(const std::string& utf8) {
    const std::optional<std::string> cp = Utf8ToCp1252(utf8);
    if (!cp) return utf8;
    std::string out = *cp;
    for (char& c : out) {
        auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
            u = static_cast<unsigned char>(u + 0x20);
        else if (u == 0x8A || u == 0x8C || u == 0x8E)
            u = static_cast<unsigned char>(u + 0x10);
        c = static_cast<char>(u);
    }
    return out;
}

} // namespace

bool GleichOhneFall(const std::string& a, const std::string& b) {
    return Gefaltet(a) == Gefaltet(b);
}

// The teacher of that name or short form; -1 when there is none.
int LehrerIndex(const CPlan& plan, const std::string& name) {
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        if (GleichOhneFall(plan.LehrerAt(t).Name, name)) return t;
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        if (!plan.LehrerAt(t).Kurz.empty() && GleichOhneFall(plan.LehrerAt(t).Kurz, name)) return t;
    return -1;
}

namespace {

constexpr const char* kAufruf =
    "        stundenwerk substitutions PLAN.pdt --datum JJJJ-MM-TT [--journal DATEI.vtr]\n"
    "        [--abwesend NAME,...] [--klasse-abwesend KLASSE,...] [--bis JJJJ-MM-TT]\n"
    "        [--ab-stunde N] [--bis-stunde N] [--grund GRUND]\n"
    "        [--vertretung STUNDE:LEHRER=VERTRETER] [--ausfall STUNDE:LEHRER]\n"
    "        [--zuruecknehmen STUNDE:LEHRER] [-o VERTRETUNG.docx]\n"
    "        stundenwerk substitutions PLAN.pdt --statistik [--journal DATEI.vtr] [--csv DATEI]\n"
    "  Das Vertretungsjournal liegt neben dem Plan (PLAN.vtr), wenn --journal fehlt.\n"
    "  --datum zeigt die zu vertretenden Stunden des Datums, die Entscheidungen des Journals\n"
    "  und je Stunde die besten Vorschläge. --abwesend und --klasse-abwesend tragen eine\n"
    "  Abwesenheit vom Datum bis --bis ein (ganze Tage, oder ab/bis zu einer Stunde), mit dem\n"
    "  Grund von --grund (Standard: krank). --vertretung, --ausfall und --zuruecknehmen\n"
    "  entscheiden über die Stunde STUNDE des abwesenden LEHRERs an diesem Datum.\n"
    "  -o schreibt den Vertretungsplan des Datums. --statistik zeigt je Lehrer die versäumten\n"
    "  und vertretenen Stunden, je Klasse die ausgefallenen; --csv schreibt sie als Tabelle.\n";

// The usage on its own: its first line begins with "Aufruf:" in place of the blanks.
std::string Nutzung() {
    return "Aufruf: " + std::string(kAufruf + 8);
}

// "3:Müller" or "3:Müller=Schmidt".
struct StundenAngabe {
    int Stunde = -1;
    std::string Lehrer;
    std::string Vertreter;
};

std::optional<StundenAngabe> LiesAngabe(const std::string& text, bool mitVertreter) {
    const std::size_t doppelpunkt = text.find(':');
    if (doppelpunkt == std::string::npos) return std::nullopt;
    const std::string stunde = text.substr(0, doppelpunkt);
    if (!IsAllDigits(stunde) || stunde.empty()) return std::nullopt;
    StundenAngabe a;
    a.Stunde = *ParseInt(stunde);
    std::string rest = text.substr(doppelpunkt + 1);
    const std::size_t gleich = rest.find('=');
    if (mitVertreter != (gleich != std::string::npos)) return std::nullopt;
    if (mitVertreter) {
        a.Vertreter = rest.substr(gleich + 1);
        rest.resize(gleich);
    }
    a.Lehrer = rest;
    if (a.Lehrer.empty() || (mitVertreter && a.Vertreter.empty())) return std::nullopt;
    return a;
}

int KlassenIndex(const CPlan& plan, const std::string& name) {
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        if (GleichOhneFall(plan.KlasseAt(k).Name, name)) return k;
    return -1;
}

// The list row of the lesson that `a` names; -1 (with a message) when there is none.
int ZeileVon(const CPlan& plan, const Vertretungstag& tag, const StundenAngabe& a) {
    const int t = LehrerIndex(plan, a.Lehrer);
    const auto& zeilen = tag.Liste().Zeilen();
    for (std::size_t i = 0; i < zeilen.size(); ++i)
        if (zeilen[i].HatStunde() && zeilen[i].Stunde->Lehrer == t &&
            zeilen[i].Marke.Stunde() == a.Stunde && !zeilen[i].Entfaellt)
            return static_cast<int>(i);
    std::fprintf(stderr,
                 "Keine zu vertretende Stunde %d von %s an diesem Datum. Tragen Sie zuerst die "
                 "Abwesenheit ein.\n",
                 a.Stunde, a.Lehrer.c_str());
    return -1;
}

std::string Kriterien(const Kandidat& k) {
    std::string out = k.Frei ? "frei" : "nicht frei";
    if (k.Fach) out += ", Fach";
    if (k.Klasse) out += ", Klasse";
    if (k.Luecke) out += ", Freistunde";
    out += ", " + std::to_string(k.Vertretungen) +
           (k.Vertretungen == 1 ? " Vertretung" : " Vertretungen");
    if (k.AmLimit()) out += ", Höchstzahl erreicht";
    return out;
}

// What the journal keeps must fit its file: no comma, Windows-1252 letters only.
bool Speicherbar(const std::string& was, const std::string& text) {
    const std::string fehler = JournalTextFehler(text);
    if (fehler.empty()) return true;
    std::fprintf(stderr, "Ungültige Angabe für %s: %s. %s\n", was.c_str(), text.c_str(),
                 fehler.c_str());
    return false;
}

struct Auftrag {
    std::string datum, journal, bis, grund = "krank", ziel, csv;
    std::string abwesend, klassen;
    int abStunde = -1, bisStunde = -1;
    std::vector<std::string> vertretungen, ausfaelle, zuruecknahmen;
    bool statistik = false, hilfe = false;
};

int Statistikausgabe(const CPlan& plan, const Journal& journal, const std::string& csv) {
    const Statistik st = BerechneStatistik(plan, journal);
    std::printf("Zeitraum: %s bis %s\n", st.Von.DeutscherText().c_str(),
                st.Bis.DeutscherText().c_str());
    std::printf("Lehrer: versäumt / vertreten\n");
    for (const StatistikZeile& z : st.Lehrer) {
        std::printf("  %s: %d / %d", z.Name.c_str(), z.Gesamt.Versaeumt, z.Gesamt.Vertreten);
        for (const auto& [monat, m] : z.ProMonat)
            std::printf("  [%s: %d / %d]", monat.c_str(), m.Versaeumt, m.Vertreten);
        std::printf("\n");
    }
    std::printf("Klassen: ausgefallen\n");
    for (const StatistikZeile& z : st.Klassen)
        std::printf("  %s: %d\n", z.Name.c_str(), z.Gesamt.Ausgefallen);
    if (csv.empty()) return 0;
    SignalSafeDisk disk;
    const std::string text = StatistikCsv(st);
    const FileResult r = disk.WriteReplacing(csv, Utf8ToCp1252(text).value_or(text));
    if (!r) {
        std::fprintf(stderr, "Fehler beim Speichern der Datei: %s\n%s\n", csv.c_str(),
                     r.Reason.c_str());
        return 1;
    }
    std::printf("Statistik nach %s geschrieben.\n", csv.c_str());
    return 0;
}

void Zeige(const CPlan& plan, Vertretungstag& tag) {
    std::printf("Datum: %s\n", DatumText(tag.Tag()).c_str());
    std::string fehlend;
    for (int t : tag.Abwesende()) {
        const std::string& grund = tag.Lage().Grund[static_cast<std::size_t>(t)];
        fehlend += (fehlend.empty() ? "" : ", ") + plan.LehrerAt(t).Name +
                   (grund.empty() ? "" : " (" + grund + ")");
    }
    std::printf("Fehlende Lehrer: %s\n", fehlend.empty() ? "keine" : fehlend.c_str());
    const auto& zeilen = tag.Liste().Zeilen();
    const auto entfallen = std::count_if(zeilen.begin(), zeilen.end(),
                                         [](const VertretungsZeile& z) { return z.Entfaellt; });
    std::printf("Zu vertretende Stunden: %d\n",
                tag.Liste().Stunden() - static_cast<int>(entfallen));
    if (entfallen > 0) std::printf("Entfallende Stunden: %d\n", static_cast<int>(entfallen));
    for (int i = 0; i < tag.Liste().Anzahl(); ++i) {
        const VertretungsZeile& z = tag.Liste().Zeilen()[static_cast<std::size_t>(i)];
        if (!z.HatStunde()) continue;
        std::printf("%s\n    Entscheidung: %s\n", z.Spalten[0].c_str(),
                    z.Spalten[1].empty() ? "offen" : z.Spalten[1].c_str());
        if (z.Entfaellt) continue;
        const std::vector<Kandidat> kandidaten = tag.Kandidaten(i);
        std::string vorschlaege;
        for (std::size_t k = 0; k < kandidaten.size() && k < 3; ++k)
            if (kandidaten[k].Frei && !kandidaten[k].AmLimit())
                vorschlaege += (vorschlaege.empty() ? "" : "; ") + kandidaten[k].Wahl.Spalten[0] +
                               " (" + Kriterien(kandidaten[k]) + ")";
        std::printf("    Vorschläge: %s\n", vorschlaege.empty() ? "niemand" : vorschlaege.c_str());
    }
}

} // namespace

const char* JournalAufruf() {
    return kAufruf;
}

bool IsJournalForm(const Args& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& a) {
        return a == "--datum" || a.rfind("--datum=", 0) == 0 || a == "--statistik";
    });
}

int SubstitutionsJournalCommand(const Args& args) {
    Auftrag a;
    std::vector<std::string> positional;
    auto liste = [](std::string name, std::vector<std::string>& ziel) {
        return OptionRow{std::move(name),
                         true,
                         [&ziel](const std::string& v) {
                             ziel.push_back(v);
                             return true;
                         },
                         {}};
    };
    auto stunde = [](std::string name, int& ziel) {
        return Number(std::move(name), 0, kMaxHour, [&ziel](int v) { ziel = v; });
    };
    const std::vector<OptionRow> rows = {
        Text("--datum", a.datum, "ein Datum JJJJ-MM-TT"),
        Text("--journal", a.journal, "ein Dateiname"),
        Text("--abwesend", a.abwesend, "Namen von Lehrern"),
        Text("--klasse-abwesend", a.klassen, "Namen von Klassen"),
        Text("--bis", a.bis, "ein Datum JJJJ-MM-TT"),
        stunde("--ab-stunde", a.abStunde),
        stunde("--bis-stunde", a.bisStunde),
        Text("--grund", a.grund, "ein Grund"),
        liste("--vertretung", a.vertretungen),
        liste("--ausfall", a.ausfaelle),
        liste("--zuruecknehmen", a.zuruecknahmen),
        Text("-o", a.ziel, "ein Dateiname"),
        Text("--csv", a.csv, "ein Dateiname"),
        Flag("--statistik", a.statistik),
        Flag("--help", a.hilfe),
    };
    const bool gelesen = ParseOptions(args, rows, positional);
    if (gelesen && a.hilfe) {
        std::fputs(Nutzung().c_str(), stdout);
        return 0;
    }
    if (!gelesen || positional.size() != 1 || (a.statistik == !a.datum.empty())) {
        std::fputs(Nutzung().c_str(), stderr);
        return 2;
    }
    std::optional<Datum> datum, bis;
    for (const auto& [text, ziel] : {std::pair{&a.datum, &datum}, std::pair{&a.bis, &bis}}) {
        if (text->empty()) continue;
        *ziel = Datum::Lies(*text);
        if (!*ziel) {
            std::fprintf(stderr, "Ungültiges Datum: %s (erwartet JJJJ-MM-TT, z. B. 2027-03-15)\n",
                         text->c_str());
            return 2;
        }
    }
    if (bis && datum && *bis < *datum) {
        std::fprintf(stderr, "Das Ende der Abwesenheit (%s) liegt vor ihrem Beginn (%s).\n",
                     a.bis.c_str(), a.datum.c_str());
        return 2;
    }
    if (!Speicherbar("--grund", a.grund)) return 2;
    for (const std::string* ziel : {&a.ziel, &a.csv})
        if (!ziel->empty() && !OutputIsNotInput(*ziel, positional[0])) return 2;

    StderrReporter reporter;
    Session session(reporter);
    if (!session.OpenPlanFile(positional[0])) return 2;
    const CPlan& plan = *session.Plan();
    JournalDatei datei(DefaultFileOps(),
                       a.journal.empty() ? JournalPfad(positional[0]) : a.journal);
    const JournalZustand zustand = datei.Oeffnen(reporter);
    if (zustand == JournalZustand::Beschaedigt) return 2;
    if (a.statistik) return Statistikausgabe(plan, datei.Daten(), a.csv);

    if (const std::optional<std::string> nein = DatumAblehnung(plan, *datum)) {
        std::fprintf(stderr, "%s\n", nein->c_str());
        return 2;
    }
    const bool aendern = !a.abwesend.empty() || !a.klassen.empty() || !a.vertretungen.empty() ||
                         !a.ausfaelle.empty() || !a.zuruecknahmen.empty();
    if (aendern && zustand != JournalZustand::Bearbeitbar) {
        std::fprintf(stderr,
                     "Nichts eingetragen: das Vertretungsjournal ist nur zum Lesen offen.\n");
        return 2;
    }

    Journal& journal = datei.Daten();
    for (const auto& [namen, art] : {std::pair{&a.abwesend, AbwesenheitsArt::Lehrer},
                                     std::pair{&a.klassen, AbwesenheitsArt::Klasse}}) {
        for (const std::string& name : NamenListe(*namen)) {
            const bool lehrer = art == AbwesenheitsArt::Lehrer;
            const int i = lehrer ? LehrerIndex(plan, name) : KlassenIndex(plan, name);
            if (i < 0) {
                std::fprintf(stderr, "Unbekannte%s %s: %s.\n", lehrer ? "r" : "",
                             lehrer ? "Lehrer" : "Klasse", name.c_str());
                return 2;
            }
            journal.Eintragen({art, lehrer ? plan.LehrerAt(i).Name : plan.KlasseAt(i).Name, *datum,
                               bis.value_or(*datum), a.abStunde, a.bisStunde, a.grund});
        }
    }

    Vertretungstag tag(plan, journal, *datum);
    tag.Ermitteln();
    for (const std::string& text : a.vertretungen) {
        const std::optional<StundenAngabe> s = LiesAngabe(text, true);
        if (!s) {
            std::fprintf(stderr, "Ungültige Angabe: %s (erwartet STUNDE:LEHRER=VERTRETER)\n",
                         text.c_str());
            return 2;
        }
        const int zeile = ZeileVon(plan, tag, *s);
        if (zeile < 0) return 2;
        const int v = LehrerIndex(plan, s->Vertreter);
        const std::vector<Kandidat> kandidaten = tag.Kandidaten(zeile);
        const auto k = std::find_if(kandidaten.begin(), kandidaten.end(),
                                    [v](const Kandidat& c) { return c.Wahl.Lehrer == v; });
        if (k == kandidaten.end()) {
            std::fprintf(stderr, "%s kann die Stunde nicht vertreten (unbekannt oder abwesend).\n",
                         s->Vertreter.c_str());
            return 2;
        }
        if (tag.Waehlen(zeile, *k, reporter) != WahlErgebnis::Gesetzt) return 2;
    }
    for (const auto& [texte, ausfall] :
         {std::pair{&a.ausfaelle, true}, std::pair{&a.zuruecknahmen, false}}) {
        for (const std::string& text : *texte) {
            const std::optional<StundenAngabe> s = LiesAngabe(text, false);
            if (!s) {
                std::fprintf(stderr, "Ungültige Angabe: %s (erwartet STUNDE:LEHRER)\n",
                             text.c_str());
                return 2;
            }
            const int zeile = ZeileVon(plan, tag, *s);
            if (zeile < 0) return 2;
            ausfall ? tag.Ausfall(zeile) : tag.Loeschen(zeile);
        }
    }
    if (aendern && !datei.Speichern(reporter)) return 1;
    Zeige(plan, tag);

    if (a.ziel.empty()) return 0;
    NoOpener keiner;
    SignalSafeDisk disk;
    CWord word(a.ziel, disk, keiner);
    const std::vector<int> fehlend = tag.Abwesende();
    if (!SchreibeVertretungsplan(plan, tag.Liste(), *datum, word, reporter, &fehlend)) return 1;
    std::printf("Vertretungsplan nach %s geschrieben.\n", a.ziel.c_str());
    return 0;
}

} // namespace sw::cli
