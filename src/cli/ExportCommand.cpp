// SPDX-License-Identifier: GPL-3.0-or-later
// stundenwerk export: writes the timetables of chosen teachers, classes and rooms of a plan file
// into a .docx document, as the export options window does. Exit status 0 written, 1 export
// error (the target cannot be written), 2 bad arguments or unreadable plan file.
#include "cli/Cli.h"
#include "cli/Options.h"
#include "cli/Signals.h"

#include "app/Session.h"
#include "export/ExportRun.h"
#include "export/TableLooks.h"
#include "export/Word.h"
#include "io/FileOps.h"
#include "model/Text.h"

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

// Parses the arguments; false (with a line on stderr) when they make no sense.
bool Lies(const Args& args, Aufruf& a) {
    auto liste = [](std::vector<std::string>& into) {
        return [&into](const std::string& v) {
            for (std::string& t : Teile(v))
                into.push_back(std::move(t));
            return true;
        };
    };
    bool quer = false;
    bool ohnePseudoKurse = false;
    bool fortlaufend = false;
    std::vector<std::string> positional;
    const std::vector<OptionRow> rows = {
        Text("-o", a.ziel, "ein Dateiname"),
        {"--teachers", true, liste(a.lehrer), {}},
        {"--classes", true, liste(a.klassen), {}},
        {"--rooms", true, liste(a.raeume), {}},
        Number("--layout", 0, kLayoutAnzahl - 1, [&a](int n) { a.optionen.Layout = n; }),
        Flag("--short", a.optionen.NurKurz),
        Flag("--no-pseudo-courses", ohnePseudoKurse),
        Flag("--landscape", quer),
        Flag("--no-new-page", fortlaufend),
        Flag("--no-open", a.oeffnen, false),
    };
    if (!ParseOptions(args, rows, positional)) return false;
    if (quer) a.optionen.Ausrichtung = PageOrientation::Landscape;
    if (ohnePseudoKurse) a.optionen.PseudoKurse = false;
    if (fortlaufend) a.optionen.JederPlanNeueSeite = false;
    if (positional.size() > 1) {
        std::fprintf(stderr, "Unbekannte Angabe: %s\n", positional[1].c_str());
        return false;
    }
    if (positional.empty() || a.ziel.empty()) return false;
    a.plan = positional[0];
    if (a.lehrer.empty() && a.klassen.empty() && a.raeume.empty()) {
        std::fputs("Es ist nichts zur Ausgabe gewählt (--teachers, --classes, --rooms).\n", stderr);
        return false;
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
    if (!OutputIsNotInput(a.ziel, a.plan)) return 2;
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
    SignalSafeDisk disk;
    CWord word(a.ziel, disk, *opener);
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
