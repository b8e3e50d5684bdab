// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk substitutions: the lessons that absent teachers would teach on one day of a plan
// file, and for each the present teachers who are free then and teach the missed subject; with
// -o the substitution sheet, every lesson still open. Exit status 0 done, 1 the sheet could not be
// written, 2 bad arguments or unreadable plan file.
#include "cli/Cli.h"
#include "cli/Options.h"
#include "cli/Signals.h"
#include "cli/SubstitutionsJournal.h"

#include "app/Session.h"
#include "model/Text.h"
#include "substitute/Substitutions.h"

#include <cstdio>
#include <ctime>

namespace sw::cli {

namespace {

constexpr const char* kAufruf =
    "Aufruf: stundenwerk substitutions PLAN.pdt --day TAG [--absent NAME,NAME,...]\n"
    "        [-o VERTRETUNG.docx] [--date JJJJ-MM-TT]\n"
    "  TAG ist die Nummer des Schultags (1 = erster Tag) oder sein Name (\"Montag\").\n"
    "  NAME ist der Name oder die Kurzform eines Lehrers; Groß- und Kleinschreibung zählt\n"
    "  nicht. Ohne --absent gelten die Lehrer als abwesend, die die Plan-Datei so markiert.\n"
    "  Gezeigt werden die zu vertretenden Stunden und je Stunde die anwesenden Lehrer, die\n"
    "  dann frei sind und das Fach unterrichten. -o schreibt den Vertretungsplan (alle\n"
    "  Stunden offen) mit dem Datum von --date, das auf den Tag fallen muss (Tag 1 ist ein\n"
    "  Montag), sonst mit dem nächsten Datum dieses Tages (heute, wenn heute dieser Tag ist).\n"
    "  Mit --datum statt --day arbeitet der Befehl mit dem Vertretungsjournal:\n";

// The day as a 0-based index: a number 1..Tage or a day name; -1 when neither.
int TagIndex(const CPlan& plan, const std::string& text) {
    const int tage = std::min(plan.Tage, kMaxDays);
    if (const std::optional<int> n = ParseInt(text); n && IsAllDigits(text))
        return *n >= 1 && *n <= tage ? *n - 1 : -1;
    for (int d = 0; d < tage; ++d)
        if (GleichOhneFall(sw::TagName(plan.Stamm().Angaben, d), text)) return d;
    return -1;
}

// "JJJJ-MM-TT", a date that exists.
std::optional<Datum> DatumAus(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const std::string j = text.substr(0, 4), m = text.substr(5, 2), t = text.substr(8, 2);
    if (!IsAllDigits(j) || !IsAllDigits(m) || !IsAllDigits(t)) return std::nullopt;
    const Datum d{*ParseInt(j), *ParseInt(m), *ParseInt(t)};
    if (!IstGueltig(d)) return std::nullopt;
    return d;
}

Datum Heute() {
    const std::time_t jetzt = std::time(nullptr);
    std::tm tm{};
    localtime_r(&jetzt, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

std::string TagName(const CPlan& plan, int d) {
    return sw::TagName(plan.Stamm().Angaben, d);
}

// "Tag 1 (Montag)"; the number alone for a day without a name.
std::string TagText(const CPlan& plan, int d) {
    const std::string name = TagName(plan, d);
    const std::string nummer = "Tag " + std::to_string(d + 1);
    return name.empty() ? nummer : nummer + " (" + name + ")";
}

// "Mittwoch": the weekday as the sheet's date names it.
std::string WochentagName(const Datum& datum) {
    const std::string text = DatumText(datum);
    return text.substr(0, text.find(','));
}

std::string IsoText(const Datum& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.Jahr, d.Monat, d.Tag);
    return buf;
}

std::string Namen(const CPlan& plan, const std::vector<int>& lehrer) {
    std::string out;
    for (int t : lehrer)
        out += (out.empty() ? "" : ", ") + plan.LehrerAt(t).Name;
    return out;
}

} // namespace

int SubstitutionsCommand(const Args& args) {
    if (IsJournalForm(args)) return SubstitutionsJournalCommand(args);
    std::string tag, ziel, datum;
    std::optional<std::string> abwesend;
    bool hilfe = false;
    std::vector<std::string> positional;
    const std::vector<OptionRow> rows = {
        Text("--day", tag, "die Nummer oder der Name eines Schultags"),
        {"--absent",
         true,
         [&](const std::string& v) {
             abwesend = v;
             return true;
         },
         {}},
        Text("-o", ziel, "ein Dateiname"),
        Text("--date", datum, "ein Datum JJJJ-MM-TT"),
        Flag("--help", hilfe),
    };
    const bool gelesen = ParseOptions(args, rows, positional);
    if (gelesen && hilfe) {
        std::fputs(kAufruf, stdout);
        std::fputs(JournalAufruf(), stdout);
        return 0;
    }
    if (!gelesen || positional.size() != 1 || tag.empty()) {
        std::fputs(kAufruf, stderr);
        std::fputs(JournalAufruf(), stderr);
        return 2;
    }
    std::optional<Datum> fuer;
    if (!datum.empty()) {
        fuer = DatumAus(datum);
        if (!fuer) {
            std::fprintf(stderr, "Ungültiges Datum: %s (erwartet JJJJ-MM-TT, z. B. 2026-12-09)\n",
                         datum.c_str());
            return 2;
        }
    }
    if (!ziel.empty() && !OutputIsNotInput(ziel, positional[0])) return 2;

    StderrReporter reporter;
    Session session(reporter);
    if (!session.OpenPlanFile(positional[0])) return 2;
    const CPlan& plan = *session.Plan();

    const int d = TagIndex(plan, tag);
    if (d < 0) {
        std::string namen;
        for (int i = 0; i < std::min(plan.Tage, kMaxDays); ++i)
            namen += (i ? ", " : "") + TagName(plan, i);
        std::fprintf(stderr,
                     "Unbekannter Tag: %s. Geben Sie eine Zahl von 1 bis %d oder einen "
                     "der Tage %s an.\n",
                     tag.c_str(), plan.Tage, namen.c_str());
        return 2;
    }
    // School day 1 is a Monday, day 7 a Sunday; the sheet carries a date of that weekday.
    if (fuer && Wochentag(*fuer) != d) {
        const Datum passend = NaechsterWochentag(*fuer, d);
        const std::string wochentag = WochentagName(passend);
        std::fprintf(stderr,
                     "Das Datum %s ist ein %s, %s fällt aber auf einen %s. Geben Sie ein Datum "
                     "dieses Wochentags an (z. B. %s).\n",
                     datum.c_str(), WochentagName(*fuer).c_str(), TagText(plan, d).c_str(),
                     wochentag.c_str(), IsoText(passend).c_str());
        return 2;
    }
    if (!fuer) fuer = NaechsterWochentag(Heute(), d);
    if (abwesend) {
        std::vector<int> gewaehlt;
        for (const std::string& name : NamenListe(*abwesend)) {
            const int t = LehrerIndex(plan, name);
            if (t < 0) {
                std::fprintf(stderr,
                             "Unbekannter Lehrer: %s. Geben Sie den Namen oder die "
                             "Kurzform eines Lehrers des Plans an.\n",
                             name.c_str());
                return 2;
            }
            gewaehlt.push_back(t);
        }
        for (int t = 0; t < plan.LehrerAnzahl; ++t)
            SetzeAbwesend(session.Stamm(), t, false);
        for (int t : gewaehlt)
            SetzeAbwesend(session.Stamm(), t, true);
    }

    VertretungsListe liste;
    const int anzahl = liste.Ermitteln(plan, d);
    const std::vector<int> fehlend = AbwesendeLehrer(plan);
    std::printf("Tag: %s\n", TagName(plan, d).c_str());
    std::printf("Fehlende Lehrer: %s\n", fehlend.empty() ? "keine" : Namen(plan, fehlend).c_str());
    std::printf("Zu vertretende Stunden: %d\n", anzahl);
    for (const VertretungsZeile& z : liste.Zeilen()) {
        if (!z.HatStunde()) continue;
        std::vector<int> frei;
        for (const WahlZeile& w : WahlFuer(plan, z).Zeilen)
            if (w.Passend()) frei.push_back(w.Lehrer);
        std::printf("%s\n    Frei und mit dem Fach: %s\n", z.Spalten[0].c_str(),
                    frei.empty() ? "niemand" : Namen(plan, frei).c_str());
    }

    if (ziel.empty()) return 0;
    NoOpener keiner;
    SignalSafeDisk disk;
    CWord word(ziel, disk, keiner);
    if (!SchreibeVertretungsplan(plan, liste, *fuer, word, reporter)) return 1;
    std::printf("Vertretungsplan nach %s geschrieben.\n", ziel.c_str());
    return 0;
}

} // namespace sw::cli
