// SPDX-License-Identifier: GPL-3.0-or-later
// Webseite.h: the plan as a static web site, for any web server or a USB stick: plain HTML and
// one stylesheet, a few lines of script for the search on the index, nothing fetched from
// elsewhere. Reads the plan, never changes it.
//
//   index.html                 every published name, searched as one types; the days; the
//                              substitution pages of the folder
//   klasse-5a.html, lehrer-…,  the week grid of one class, teacher or room with the cells of
//   raum-….html                the printed plan (subject or course, person, room), one colour
//                              per subject or course and a legend; on a narrow screen the grid
//                              gives way to a list per day; printed, one plan fills a page
//   tag-montag.html            one day of the whole school: a row per class, a column per hour
//   vertretung-2027-03-15.html the substitution sheet of a day, for a screen in the hall
//   stil.css                   the look of every page, with the colours
//
// Every lesson cell of a grid carries its slot (data-slot) and holds one <span> per line of the
// printed cell, so the lessons of a page can be read back.
#pragma once

#include "export/ExportRun.h"
#include "model/Datum.h"
#include "model/Report.h"
#include "plan/Plan.h"
#include "substitute/Substitutions.h"

#include <string>
#include <string_view>
#include <vector>

namespace sw {

namespace texte {
inline constexpr const char* WebseiteTitel = "Stundenplan";
} // namespace texte

// What the site shows, as the export options choose it: which teachers, classes and rooms get a
// page (a kind whose box is not checked gets none), short names, pseudo courses.
struct WebseitenOptionen {
    ExportAuswahl Lehrer;
    ExportAuswahl Klassen;
    ExportAuswahl Raeume;
    bool NurKurz = false;
    bool PseudoKurse = true;

    // Every teacher, class and room of the plan.
    static WebseitenOptionen Alle(const CPlan& plan);
};

// One file of the site: its name in the folder and its bytes.
struct WebDatei {
    std::string Name;
    std::string Inhalt;
};

// `text` for HTML text and attribute values: & < > " ' as character references, every other
// character (UTF-8) as it is.
std::string Html(std::string_view text);

// The background colour (0xRRGGBB) of a subject or course of this name: the same name always
// gets the same colour, on every page and in every run, light enough for black text.
int FarbeVon(std::string_view name);
// The contrast ratio of black text on `rgb` (1 to 21).
double KontrastZuSchwarz(int rgb);

// "vertretung-2027-03-15.html".
std::string VertretungsDateiName(const Datum& datum);
// The substitution sheet of `datum` as a page: the absent teachers, then a table "Stunde" /
// "Vertretung" with the lessons of `liste` by hour, as the printed sheet orders them.
std::string VertretungsSeite(const CPlan& plan, const VertretungsListe& liste, const Datum& datum);

// Every file of the site, index.html last. `vertretungen` are the names of the substitution
// pages the index links.
std::vector<WebDatei> WebseiteDateien(const CPlan& plan, const WebseitenOptionen& optionen,
                                      const std::vector<std::string>& vertretungen);

struct VeroeffentlichungsErgebnis {
    bool Ok = false;
    int Dateien = 0; // files written
};

// Writes the site into folder `ordner` (made where missing) through VeroeffentlichungsOrdner;
// `weitere` (a substitution page) go in beside it, and the index links them together with the
// substitution pages of earlier runs, which are kept. A failure is said through `reporter`
// (title "Fehler") and leaves the folder as it was. With `frueheresBehalten` every file an earlier
// run wrote stays even when this run writes it no more (a substitution page added to a site keeps
// the calendars and tables published with it).
VeroeffentlichungsErgebnis Veroeffentliche(const CPlan& plan, const WebseitenOptionen& optionen,
                                           const std::string& ordner,
                                           const std::vector<WebDatei>& weitere, Reporter& reporter,
                                           bool frueheresBehalten = false);

} // namespace sw
