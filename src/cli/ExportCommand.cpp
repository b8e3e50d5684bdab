// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk export: writes the timetables of chosen teachers, classes and rooms of a plan file
// into a .docx document, as the export options window does. Exit status 0 written, 1 export
// error (the target cannot be written), 2 bad arguments or unreadable plan file.
#include "cli/Cli.h"

#include "app/Session.h"
#include "export/ExportRun.h"
#include "export/TableLooks.h"
#include "export/Word.h"
#include "io/FileOps.h"
#include "model/Text.h"

#include <charconv>
#include <cstdio>
#include <functional>

namespace sw::cli {

namespace {

constexpr const char* kAufruf =
    "Aufruf: stundenwerk export PLAN.pdt -o PLAENE.docx [--teachers all|NAME,...]\n"
    "        [--classes all|NAME,...] [--rooms all|NAME,...] [--short] [--no-pseudo-courses]\n"
    "        [--layout N] [--landscape] [--no-new-page] [--no-open]\n"
    "  NAME ist der Name oder die Kurzform; N ist die Nummer des Tabellen-Layouts (0-39,\n"
    "  Standard 36 \"Elegant\"). Mehrere Angaben derselben Art werden zusammengenommen.\n";

struct Aufruf {
    std::string plan;
    std::string ziel;
    std::vector<std::string> lehrer, klassen, raeume; // raw lists as given
    ExportOptionen optionen;
    bool oeffnen = true;
};

std::vector<std::string> Teile(const std::string& liste) {
    std::vector<std::string> out;
    std::string teil;
    for (char c : liste) {
        if (c == ',') {
            out.push_back(teil);
            teil.clear();
        } else {
            teil += c;
        }
    }
    out.push_back(teil);
    return out;
}

bool Zahl(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && p == end;
}

// Parses the arguments; false (with a line on stderr) when they make no sense.
bool Lies(const Args& args, Aufruf& a) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto wert = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "%s braucht einen Wert.\n", arg.c_str());
                return false;
            }
            into = args[++i];
            return true;
        };
        std::string v;
        if (arg == "-o") {
            if (!wert(a.ziel)) return false;
        } else if (arg == "--teachers" || arg == "--classes" || arg == "--rooms") {
            if (!wert(v)) return false;
            auto& liste = arg == "--teachers"  ? a.lehrer
                          : arg == "--classes" ? a.klassen
                                               : a.raeume;
            for (std::string& t : Teile(v))
                liste.push_back(std::move(t));
        } else if (arg == "--layout") {
            if (!wert(v)) return false;
            if (!Zahl(v, a.optionen.Layout) || !IsLayout(a.optionen.Layout)) {
                std::fprintf(stderr, "Unbekanntes Tabellen-Layout: %s (0 bis %d)\n", v.c_str(),
                             kLayoutAnzahl - 1);
                return false;
            }
        } else if (arg == "--short") {
            a.optionen.NurKurz = true;
        } else if (arg == "--no-pseudo-courses") {
            a.optionen.PseudoKurse = false;
        } else if (arg == "--landscape") {
            a.optionen.Ausrichtung = PageOrientation::Landscape;
        } else if (arg == "--no-new-page") {
            a.optionen.JederPlanNeueSeite = false;
        } else if (arg == "--no-open") {
            a.oeffnen = false;
        } else if (a.plan.empty() && !arg.starts_with("-")) {
            a.plan = arg;
        } else {
            std::fprintf(stderr, "Unbekannte Angabe: %s\n", arg.c_str());
            return false;
        }
    }
    if (a.plan.empty() || a.ziel.empty()) return false;
    if (a.lehrer.empty() && a.klassen.empty() && a.raeume.empty()) {
        std::fputs("Es ist nichts zur Ausgabe gewählt (--teachers, --classes, --rooms).\n", stderr);
        return false;
    }
    return true;
}

// Turns the names of one list into indices; "all" takes every entry. `name` gives the name and
// the short form of entry i (the short form may be empty).
bool Waehle(const std::vector<std::string>& namen, int anzahl, const char* art,
            const std::function<std::pair<std::string, std::string>(int)>& name,
            ExportAuswahl& auswahl) {
    if (namen.empty()) return true;
    auswahl.Aktiv = true;
    for (const std::string& gesucht : namen) {
        if (gesucht == "all") {
            for (int i = 0; i < anzahl; ++i)
                auswahl.Eintraege.push_back(i);
            continue;
        }
        int found = -1;
        for (int i = 0; i < anzahl && found < 0; ++i)
            if (name(i).first == gesucht) found = i;
        for (int i = 0; i < anzahl && found < 0; ++i)
            if (!name(i).second.empty() && name(i).second == gesucht) found = i;
        if (found < 0) {
            std::fprintf(stderr, "Unbekannt (%s): %s\n", art, gesucht.c_str());
            return false;
        }
        auswahl.Eintraege.push_back(found);
    }
    return true;
}

// Prints the progress lines of the run.
class FortschrittZeilen : public ExportObserver {
public:
    void Show(const ExportFortschritt& f) override {
        if (f.Maximum > 0 && f.Position == f.Maximum)
            std::fprintf(stderr, "%s: %s\n", f.Titel.c_str(), f.Text.c_str());
    }
    void Close() override {}
};

} // namespace

int ExportCommand(const Args& args) {
    Aufruf a;
    if (!Lies(args, a)) {
        std::fputs(kAufruf, stderr);
        return 2;
    }
    StderrReporter reporter;
    Session session(reporter);
    // The refusal, or a note on the file's code page.
    if (!session.OpenPlanFile(a.plan)) return 2;
    const CPlan& plan = *session.Plan();
    ExportOptionen& o = a.optionen;
    const bool ok =
        Waehle(
            a.lehrer, plan.LehrerAnzahl, "Lehrer",
            [&](int i) { return std::pair(plan.LehrerAt(i).Name, plan.LehrerAt(i).Kurz); },
            o.Lehrer) &&
        Waehle(
            a.klassen, plan.KlassenAnzahl, "Klasse",
            [&](int i) { return std::pair(plan.KlasseAt(i).Name, std::string()); }, o.Klassen) &&
        Waehle(
            a.raeume, plan.RaumAnzahl, "Raum",
            [&](int i) { return std::pair(plan.RaumAt(i).Name, plan.RaumAt(i).Kurz); }, o.Raeume);
    if (!ok) return 2;

    DesktopOpener desktop;
    NoOpener keiner;
    DocumentOpener* opener = &keiner;
    if (a.oeffnen) opener = &desktop;
    CWord word(a.ziel, DefaultFileOps(), *opener);
    FortschrittZeilen fortschritt;
    const ExportErgebnis e = RunExport(plan, o, word, reporter, fortschritt);
    switch (e.Status) {
    case ExportStatus::Fertig:
        std::printf("%s nach %s geschrieben.\n", Anzahl(e.Geschrieben, "Plan", "Pläne").c_str(),
                    a.ziel.c_str());
        return 0;
    case ExportStatus::NichtsGewaehlt:
        std::fputs("Die Auswahl enthält keinen Plan.\n", stderr);
        return 2;
    case ExportStatus::StartFehler: // the reporter has said what went wrong
    case ExportStatus::Fehler:
        return 1;
    case ExportStatus::Drucker:
        break;
    }
    return 1;
}

} // namespace sw::cli
