// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk publish: the plan of a plan file as a static web site in a folder (a page per
// class, teacher and room, a page per day, an index with a search), and with --vertretung the
// substitution sheet of that date beside it. Exit status 0 written, 1 the folder could not be
// written, 2 bad arguments or unreadable plan file.
#include "cli/Cli.h"
#include "cli/Options.h"

#include "app/Session.h"
#include "model/Text.h"
#include "publish/Webseite.h"
#include "publish/Zusaetze.h"
#include "substitute/Substitutions.h"

#include <cstdio>
#include <functional>

namespace sw::cli {

namespace {

constexpr const char* kAufruf =
    "Aufruf: stundenwerk publish PLAN.pdt -o ORDNER [--teachers all|NAME,...]\n"
    "        [--classes all|NAME,...] [--rooms all|NAME,...] [--short] [--no-pseudo-courses]\n"
    "        [--vertretung JJJJ-MM-TT [--abwesend NAME,...]]\n"
    "        [--ics [--von JJJJ-MM-TT --bis JJJJ-MM-TT]] [--pdf] [--xlsx] [--csv]\n"
    "  Schreibt den Plan als Webseite in den Ordner: je Klasse, Lehrer und Raum eine Seite,\n"
    "  je Tag eine Seite für die ganze Schule und index.html mit einer Suche. Ohne\n"
    "  --teachers, --classes und --rooms werden alle veröffentlicht; sonst nur die genannten.\n"
    "  NAME ist der Name oder die Kurzform. Dateien, die Stundenwerk nicht geschrieben hat,\n"
    "  bleiben unangetastet. --vertretung legt den Vertretungsplan des Tages dazu\n"
    "  (vertretung-JJJJ-MM-TT.html); abwesend sind die mit --abwesend genannten Lehrer,\n"
    "  ohne --abwesend die, die die Plan-Datei so markiert.\n"
    "  --ics legt je Klasse, Lehrer und Raum einen Kalender (.ics) dazu: jede Stunde wöchentlich\n"
    "  von --von bis --bis (ohne die Angaben: das Schuljahr der Schule), ohne die Ferien.\n"
    "  --pdf die gedruckten Pläne (stundenplan.pdf), --xlsx die Tabelle (stundenplan.xlsx),\n"
    "  --csv dieselben Tabellen als CSV-Dateien.\n";

struct Aufruf {
    std::string plan;
    std::string ordner;
    std::vector<std::string> lehrer, klassen, raeume;
    std::string vertretung;
    std::optional<std::string> abwesend;
    bool nurKurz = false;
    bool ohnePseudo = false;
    bool hilfe = false;
    ZusatzWahl zusaetze;
    std::string von, bis;
};

bool Lies(const Args& args, Aufruf& a) {
    auto liste = [](std::vector<std::string>& into) {
        return [&into](const std::string& v) {
            for (std::string& t : NamenListe(v))
                into.push_back(std::move(t));
            return true;
        };
    };
    std::vector<std::string> positional;
    const std::vector<OptionRow> rows = {
        Text("-o", a.ordner, "ein Ordner"),
        {"--teachers", true, liste(a.lehrer), {}},
        {"--classes", true, liste(a.klassen), {}},
        {"--rooms", true, liste(a.raeume), {}},
        Flag("--short", a.nurKurz),
        Flag("--no-pseudo-courses", a.ohnePseudo),
        Flag("--help", a.hilfe),
        Text("--vertretung", a.vertretung, "ein Datum JJJJ-MM-TT"),
        Flag("--ics", a.zusaetze.Kalender),
        Flag("--pdf", a.zusaetze.Pdf),
        Flag("--xlsx", a.zusaetze.Xlsx),
        Flag("--csv", a.zusaetze.Csv),
        Text("--von", a.von, "ein Datum JJJJ-MM-TT"),
        Text("--bis", a.bis, "ein Datum JJJJ-MM-TT"),
        {"--abwesend",
         true,
         [&a](const std::string& v) {
             a.abwesend = v;
             return true;
         },
         {}},
    };
    if (!ParseOptions(args, rows, positional)) return false;
    if (a.hilfe) return true;
    if (positional.size() > 1) {
        std::fprintf(stderr, "Unbekannte Angabe: %s\n", positional[1].c_str());
        return false;
    }
    if (positional.empty() || a.ordner.empty()) return false;
    a.plan = positional[0];
    if (a.abwesend && a.vertretung.empty()) {
        std::fputs("--abwesend gilt nur mit --vertretung.\n", stderr);
        return false;
    }
    return true;
}

// The teacher of that name or short form; -1 when there is none.
int LehrerIndex(const CPlan& plan, const std::string& name) {
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        if (plan.LehrerAt(t).Name == name) return t;
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        if (!plan.LehrerAt(t).Kurz.empty() && plan.LehrerAt(t).Kurz == name) return t;
    return -1;
}

// The substitution page of `text` (a date), with the absent teachers of `abwesend` (else the
// plan file's marks); false with a line on stderr when the date or a name is not one of the plan.
bool VertretungsSeiteFuer(Session& session, const Aufruf& a, std::vector<WebDatei>& weitere) {
    const CPlan& plan = *session.Plan();
    const std::optional<Datum> datum = Datum::Lies(a.vertretung);
    if (!datum) {
        std::fprintf(stderr, "Ungültiges Datum: %s (erwartet JJJJ-MM-TT, z. B. 2027-03-15)\n",
                     a.vertretung.c_str());
        return false;
    }
    const int tag = SchultagAm(*datum, plan.Tage);
    if (tag < 0) {
        std::fprintf(stderr, "%s\n", KeinSchultag(*datum, plan.Tage).c_str());
        return false;
    }
    if (a.abwesend) {
        std::vector<int> gewaehlt;
        for (const std::string& name : NamenListe(*a.abwesend)) {
            const int t = LehrerIndex(plan, name);
            if (t < 0) {
                std::fprintf(stderr,
                             "Unbekannter Lehrer: %s. Geben Sie den Namen oder die Kurzform "
                             "eines Lehrers des Plans an.\n",
                             name.c_str());
                return false;
            }
            gewaehlt.push_back(t);
        }
        for (int t = 0; t < plan.LehrerAnzahl; ++t)
            SetzeAbwesend(session.Stamm(), t, false);
        for (const int t : gewaehlt)
            SetzeAbwesend(session.Stamm(), t, true);
    }
    VertretungsListe liste;
    liste.Ermitteln(plan, tag);
    weitere.push_back({VertretungsDateiName(*datum), VertretungsSeite(plan, liste, *datum)});
    return true;
}

// The term of the calendars from --von and --bis; false with a line on stderr.
bool KalenderZeit(Aufruf& a) {
    if ((!a.von.empty() || !a.bis.empty()) && !a.zusaetze.Kalender) {
        std::fputs("--von und --bis gelten nur mit --ics.\n", stderr);
        return false;
    }
    for (const auto& [text, ziel] : {std::pair{&a.von, &a.zusaetze.KalenderZeit.Von},
                                     std::pair{&a.bis, &a.zusaetze.KalenderZeit.Bis}}) {
        if (text->empty()) continue;
        *ziel = Datum::Lies(*text);
        if (!*ziel) {
            std::fprintf(stderr, "Ungültiges Datum: %s (erwartet JJJJ-MM-TT, z. B. 2027-03-15)\n",
                         text->c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int PublishCommand(const Args& args) {
    Aufruf a;
    if (!Lies(args, a)) {
        std::fputs(kAufruf, stderr);
        return 2;
    }
    if (a.hilfe) {
        std::fputs(kAufruf, stdout);
        return 0;
    }
    if (!KalenderZeit(a)) return 2;
    StderrReporter reporter;
    Session session(reporter);
    if (!session.OpenPlanFile(a.plan)) return 2;
    const CPlan& plan = *session.Plan();
    WebseitenOptionen o;
    o.NurKurz = a.nurKurz;
    o.PseudoKurse = !a.ohnePseudo;
    // Without a choice everything is published.
    const bool nichtsGenannt = a.lehrer.empty() && a.klassen.empty() && a.raeume.empty();
    const auto alle = [nichtsGenannt](const std::vector<std::string>& namen) {
        return nichtsGenannt ? std::vector<std::string>{"all"} : namen;
    };
    const bool ok =
        Waehle(
            alle(a.lehrer), plan.LehrerAnzahl, "Lehrer",
            [&](int i) { return std::pair(plan.LehrerAt(i).Name, plan.LehrerAt(i).Kurz); },
            o.Lehrer) &&
        Waehle(
            alle(a.klassen), plan.KlassenAnzahl, "Klasse",
            [&](int i) { return std::pair(plan.KlasseAt(i).Name, std::string()); }, o.Klassen) &&
        Waehle(
            alle(a.raeume), plan.RaumAnzahl, "Raum",
            [&](int i) { return std::pair(plan.RaumAt(i).Name, plan.RaumAt(i).Kurz); }, o.Raeume);
    if (!ok) return 2;
    std::vector<WebDatei> weitere;
    if (!a.vertretung.empty() && !VertretungsSeiteFuer(session, a, weitere)) return 2;
    if (a.zusaetze.Irgendwas()) {
        auto zusaetze = ZusatzDateien(plan, o, a.zusaetze, reporter);
        if (!zusaetze) return 1;
        for (WebDatei& d : *zusaetze)
            weitere.push_back(std::move(d));
    }

    const VeroeffentlichungsErgebnis e = Veroeffentliche(plan, o, a.ordner, weitere, reporter);
    if (!e.Ok) return 1;
    std::printf("%s nach %s veröffentlicht (%s/index.html).\n",
                Anzahl(e.Dateien, "Datei", "Dateien").c_str(), a.ordner.c_str(), a.ordner.c_str());
    return 0;
}

} // namespace sw::cli
