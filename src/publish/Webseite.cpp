// SPDX-License-Identifier: GPL-3.0-or-later
// The pages of the web site: the week grid of a class, teacher or room, the day of the whole
// school, the index, and the writing of them all into the folder.
#include "publish/Webseite.h"

#include "export/TableWriters.h"
#include "publish/DateiNamen.h"
#include "publish/VeroeffentlichungsOrdner.h"
#include "publish/WebseiteIntern.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>

namespace sw {

namespace {

enum class Art { Lehrer, Klasse, Raum };

std::string Zeit(int minuten) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d:%02d", minuten / 60, minuten % 60);
    return buf;
}

// The hour numbers of the plan's day, the 0th hour first where it is used.
std::vector<int> Stunden(const CPlan& plan) {
    std::vector<int> out;
    for (int h = plan.Nullte ? 0 : 1; h <= plan.Stunden; ++h)
        out.push_back(h);
    return out;
}

// "1" and, where the school's times are known, "8:00–8:45" beneath.
std::string StundenKopf(const CPlan& plan, int stunde) {
    const AllgemeineAngaben& a = plan.Stamm().Angaben;
    const std::vector<CStundenZeit> zeiten = a.StundenZeiten.empty()
                                                 ? StandardStundenZeiten(plan.Stunden, plan.Nullte)
                                                 : a.StundenZeiten;
    const std::size_t i = static_cast<std::size_t>(stunde - (plan.Nullte ? 0 : 1));
    std::string out = std::to_string(stunde) + ".";
    if (i < zeiten.size() && zeiten[i].Ende > zeiten[i].Beginn)
        out += "<small>" + Zeit(zeiten[i].Beginn) + "–" + Zeit(zeiten[i].Ende) + "</small>";
    return out;
}

// The lines of a printed cell ("Mathematik\nMüller\nR 101").
std::vector<std::string> Zeilen(const std::string& text) {
    std::vector<std::string> out;
    std::size_t anfang = 0;
    for (;;) {
        const std::size_t ende = text.find('\n', anfang);
        out.push_back(text.substr(anfang, ende - anfang));
        if (ende == std::string::npos) return out;
        anfang = ende + 1;
    }
}

// Page head and foot: title, stylesheet, the way back to the index.
std::string Kopf(std::string_view titel, bool mitZurueck, std::string_view extra = {},
                 bool ganzeBreite = false) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    out += extra;
    out += "<title>" + Html(titel) + "</title>\n<link rel=\"stylesheet\" href=\"";
    out += kStilDatei;
    out += ganzeBreite ? "\">\n</head>\n<body class=\"ganz\">\n" : "\">\n</head>\n<body>\n";
    if (mitZurueck) out += "<nav><a href=\"index.html\">← Übersicht</a></nav>\n";
    return out;
}

constexpr const char* kFuss = "<footer>Erstellt mit Stundenwerk</footer>\n</body>\n</html>\n";

// The pages of one kind: which entries get one and their file names.
struct Seiten {
    std::vector<bool> Gewaehlt;
    std::vector<std::string> Dateien; // base name + ".html", for every entry
    bool Hat(int i) const { return i >= 0 && i < static_cast<int>(Gewaehlt.size()) && Gewaehlt[i]; }
};

Seiten SeitenVon(const ExportAuswahl& auswahl, const char* prefix,
                 const std::vector<std::string>& namen) {
    Seiten s;
    s.Gewaehlt.assign(namen.size(), false);
    if (auswahl.Aktiv)
        for (const int i : auswahl.Eintraege)
            if (i >= 0 && i < static_cast<int>(namen.size())) s.Gewaehlt[i] = true;
    s.Dateien = DateiNamenFuer(prefix, namen);
    for (std::string& d : s.Dateien)
        d += ".html";
    return s;
}

struct Site {
    const CPlan& plan;
    const WebseitenOptionen& o;
    Seiten lehrer, klassen, raeume, tage;
    std::vector<std::string> lehrerNamen, klassenNamen, raumNamen, tagNamen;
};

// What a cell shows: the lines of the printed cell, its colour class, and for each line the page
// it leads to (the teacher, class or room it names, where that has a page).
struct ZellInhalt {
    std::string Text;
    std::string Farbe;
    std::array<std::string, 3> Ziele;
    bool Leer() const { return Text.empty(); }
};

// The page of entity `i` of one kind, empty where it has none.
std::string Ziel(const Seiten& seiten, int i) {
    return seiten.Hat(i) ? seiten.Dateien[static_cast<std::size_t>(i)] : std::string();
}

// The one class a lesson is shown with: its own, or the only class of a course when pseudo
// courses are treated; -1 for a course of several classes.
int EineKlasse(const CStunde& h, bool pseudoKurse) {
    if (!h.IsCourse()) return h.Klasse;
    return pseudoKurse && h.KlassenL && h.KlassenL->size() == 1 ? h.KlassenL->front() : -1;
}

// The cell of entity `i` of kind `art` at `slot`.
ZellInhalt ZellText(const Site& site, Art art, int i, int slot) {
    const CPlan& plan = site.plan;
    const bool pseudo = site.o.PseudoKurse;
    Fund fund;
    switch (art) {
    case Art::Lehrer:
        fund = FindeLehrerStunde(plan, i, slot);
        break;
    case Art::Klasse:
        fund = FindeKlassenStunde(plan, i, slot);
        break;
    case Art::Raum:
        fund = FindeRaumStunde(plan, i, slot);
        break;
    }
    ZellInhalt z;
    if (!fund) return z;
    const CStunde& h = *fund.Stunde;
    z.Farbe = FarbKlasse(h.IsCourse(), h.FachKurs);
    switch (art) {
    case Art::Lehrer:
        z.Text = LehrerZelle(plan, fund, site.o.NurKurz, pseudo);
        z.Ziele = {std::string(), Ziel(site.klassen, EineKlasse(h, pseudo)),
                   Ziel(site.raeume, fund.Raum)};
        break;
    case Art::Klasse:
        z.Text = KlassenZelle(plan, fund, site.o.NurKurz);
        z.Ziele = {std::string(), h.IsCourse() ? std::string() : Ziel(site.lehrer, h.Lehrer),
                   Ziel(site.raeume, fund.Raum)};
        break;
    case Art::Raum:
        z.Text = RaumZelle(plan, fund, site.o.NurKurz, pseudo);
        z.Ziele = {std::string(), Ziel(site.lehrer, h.Lehrer),
                   Ziel(site.klassen, EineKlasse(h, pseudo))};
        break;
    }
    return z;
}

// The lines of a cell, each a <span>, linked where it names a page; `leere` keeps empty lines.
void Zeilen(std::string& out, const ZellInhalt& z, bool leere) {
    const std::vector<std::string> zeilen = Zeilen(z.Text);
    for (std::size_t n = 0; n < zeilen.size(); ++n) {
        if (zeilen[n].empty() && !leere) continue;
        const std::string& ziel = n < z.Ziele.size() ? z.Ziele[n] : std::string();
        if (ziel.empty() || zeilen[n].empty())
            out += "<span>" + Html(zeilen[n]) + "</span>";
        else
            out += "<span><a href=\"" + ziel + "\">" + Html(zeilen[n]) + "</a></span>";
    }
}

void Zelle(std::string& out, const ZellInhalt& z, int slot) {
    if (z.Leer()) {
        out += "<td></td>";
        return;
    }
    out += "<td class=\"" + z.Farbe + "\" data-slot=\"" + std::to_string(slot) + "\">";
    Zeilen(out, z, true);
    out += "</td>";
}

// The colour legend of the subjects and courses a page shows.
void Legende(std::string& out, const CPlan& plan, const std::map<std::string, bool>& farben,
             bool nurKurz) {
    if (farben.empty()) return;
    const Stammdaten& s = plan.Stamm();
    out += "<section class=\"legende\"><h2>Legende</h2><ul>";
    for (const auto& [farbe, kurs] : farben) {
        const auto i = static_cast<std::size_t>(std::stoi(farbe.substr(1)));
        std::string name;
        if (kurs && i < s.KursBloecke.size()) {
            const CKursBlock& k = s.KursBloecke[i];
            name = nurKurz && !k.Kurz.empty() ? k.Kurz + " = " + k.Name : k.Name;
            name += " (Kurs)";
        } else if (!kurs && i < s.Faecher.size()) {
            name = s.Faecher[i];
        }
        out += "<li><span class=\"chip " + farbe + "\"></span>" + Html(name) + "</li>";
    }
    out += "</ul></section>\n";
}

std::string WochenSeite(const Site& site, Art art, int i, const std::string& ueberschrift,
                        const std::string& name) {
    const CPlan& plan = site.plan;
    const std::vector<int> stunden = Stunden(plan);
    std::string out = Kopf(name + " – " + texte::WebseiteTitel, true);
    out.reserve(16384);
    out += "<h1>" + Html(ueberschrift + name) + "</h1>\n";
    // The texts of all cells once, for the grid and the list per day.
    std::vector<ZellInhalt> zellen(static_cast<std::size_t>(plan.Tage) * stunden.size());
    std::map<std::string, bool> legende;
    for (int d = 0; d < plan.Tage; ++d)
        for (std::size_t h = 0; h < stunden.size(); ++h) {
            const std::size_t k = d * stunden.size() + h;
            zellen[k] = ZellText(site, art, i, SlotOf(d, stunden[h]));
            if (!zellen[k].Leer()) legende.emplace(zellen[k].Farbe, zellen[k].Farbe.front() == 'k');
        }

    out += "<table class=\"plan woche\">\n<thead><tr><th class=\"std\">Stunde</th>";
    for (int d = 0; d < plan.Tage; ++d)
        out += "<th>" + Html(site.tagNamen[d]) + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    for (std::size_t h = 0; h < stunden.size(); ++h) {
        out += "<tr><th class=\"std\">" + StundenKopf(plan, stunden[h]) + "</th>";
        for (int d = 0; d < plan.Tage; ++d) {
            const std::size_t k = d * stunden.size() + h;
            Zelle(out, zellen[k], SlotOf(d, stunden[h]));
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n<div class=\"tagesliste\">\n";
    for (int d = 0; d < plan.Tage; ++d) {
        out += "<section><h2>" + Html(site.tagNamen[d]) + "</h2><ol>";
        bool leer = true;
        for (std::size_t h = 0; h < stunden.size(); ++h) {
            const std::size_t k = d * stunden.size() + h;
            if (zellen[k].Leer()) continue;
            leer = false;
            out += "<li class=\"" + zellen[k].Farbe + "\"><b>" + std::to_string(stunden[h]) +
                   ".</b><div>";
            Zeilen(out, zellen[k], false);
            out += "</div></li>";
        }
        if (leer) out += "<li class=\"frei\">kein Unterricht</li>";
        out += "</ol></section>\n";
    }
    out += "</div>\n";
    Legende(out, plan, legende, site.o.NurKurz);
    out += kFuss;
    return out;
}

// One day of the whole school: a row per class, a column per hour.
std::string TagesSeite(const Site& site, int tag) {
    const CPlan& plan = site.plan;
    const std::vector<int> stunden = Stunden(plan);
    std::string out = Kopf(site.tagNamen[tag] + " – " + texte::WebseiteTitel, true, {}, true);
    out.reserve(static_cast<std::size_t>(plan.KlassenAnzahl) * 1024 + 4096);
    out += "<h1>" + Html(site.tagNamen[tag]) + ": alle Klassen</h1>\n";
    out += "<div class=\"breit\"><table class=\"plan tag\">\n<thead><tr><th class=\"std kl\">"
           "Klasse</th>";
    for (const int h : stunden)
        out += "<th>" + StundenKopf(plan, h) + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    std::map<std::string, bool> legende;
    for (int k = 0; k < plan.KlassenAnzahl; ++k) {
        const std::string& name = site.klassenNamen[k];
        out += "<tr><th class=\"std kl\">";
        if (site.klassen.Hat(k))
            out += "<a href=\"" + site.klassen.Dateien[k] + "\">" + Html(name) + "</a>";
        else
            out += Html(name);
        out += "</th>";
        for (const int h : stunden) {
            const ZellInhalt z = ZellText(site, Art::Klasse, k, SlotOf(tag, h));
            if (!z.Leer()) legende.emplace(z.Farbe, z.Farbe.front() == 'k');
            Zelle(out, z, SlotOf(tag, h));
        }
        out += "</tr>\n";
    }
    out += "</tbody>\n</table></div>\n";
    Legende(out, site.plan, legende, site.o.NurKurz);
    out += kFuss;
    return out;
}

// A searchable list of one kind on the index.
void NamensListe(std::string& out, const char* titel, const Seiten& seiten,
                 const std::vector<std::string>& namen, const std::vector<std::string>& kurz) {
    if (std::none_of(seiten.Gewaehlt.begin(), seiten.Gewaehlt.end(), [](bool b) { return b; }))
        return;
    out += "<section class=\"suchbar\"><h2>";
    out += titel;
    out += "</h2><ul class=\"namen\">\n";
    for (std::size_t i = 0; i < namen.size(); ++i) {
        if (!seiten.Gewaehlt[i]) continue;
        const std::string k = i < kurz.size() ? kurz[i] : std::string();
        const std::string gezeigt =
            k.empty() || k == namen[i] ? namen[i] : namen[i] + " (" + k + ")";
        out += "<li data-name=\"" + Html(namen[i] + " " + k) + "\"><a href=\"" + seiten.Dateien[i] +
               "\">" + Html(gezeigt) + "</a></li>\n";
    }
    out += "</ul></section>\n";
}

// Filters the lists of the index as one types; Enter opens the first page still shown.
constexpr const char* kSuchSkript = R"(<script>
(function(){var e=document.getElementById('suche'),f=e.form,leer=document.getElementById('keiner');
function zeige(){var q=e.value.trim().toLowerCase(),n=0;
document.querySelectorAll('section.suchbar').forEach(function(s){var m=0;
s.querySelectorAll('li').forEach(function(li){var t=!q||li.getAttribute('data-name').toLowerCase().indexOf(q)>=0;
li.hidden=!t;if(t)m++;});s.hidden=m==0;n+=m;});leer.hidden=n>0;}
e.addEventListener('input',zeige);
f.addEventListener('submit',function(ev){ev.preventDefault();var a=document.querySelector('section.suchbar li:not([hidden]) a');if(a)location.href=a.href;});
zeige();})();
</script>
)";

std::string IndexSeite(const Site& site, const std::vector<std::string>& vertretungen) {
    const CPlan& plan = site.plan;
    std::string out = Kopf(texte::WebseiteTitel, false);
    out += "<h1>";
    out += texte::WebseiteTitel;
    out += "</h1>\n<form class=\"suche\" role=\"search\"><input id=\"suche\" type=\"search\" "
           "placeholder=\"Klasse, Lehrer oder Raum suchen …\" aria-label=\"Suchen\" "
           "autocomplete=\"off\"></form>\n<p id=\"keiner\" hidden>Kein Name passt.</p>\n";
    std::vector<std::string> lehrerKurz, raumKurz;
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        lehrerKurz.push_back(plan.LehrerAt(t).Kurz);
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        raumKurz.push_back(plan.RaumAt(r).Kurz);
    NamensListe(out, "Klassen", site.klassen, site.klassenNamen, {});
    NamensListe(out, "Lehrer", site.lehrer, site.lehrerNamen, lehrerKurz);
    NamensListe(out, "Räume", site.raeume, site.raumNamen, raumKurz);
    out += "<section><h2>Tage</h2><ul class=\"namen\">\n";
    for (int d = 0; d < plan.Tage; ++d)
        out += "<li><a href=\"" + site.tage.Dateien[d] + "\">" + Html(site.tagNamen[d]) +
               "</a></li>\n";
    out += "</ul></section>\n";
    if (!vertretungen.empty()) {
        out += "<section><h2>Vertretungspläne</h2><ul class=\"namen\">\n";
        for (const std::string& datei : vertretungen) {
            // "vertretung-2027-03-15.html": the date in the middle.
            const std::optional<Datum> datum =
                datei.size() == 26 ? Datum::Lies(datei.substr(11, 10)) : std::nullopt;
            out += "<li><a href=\"" + Html(datei) + "\">" +
                   Html(datum ? DatumText(*datum) : datei) + "</a></li>\n";
        }
        out += "</ul></section>\n";
    }
    out += kSuchSkript;
    out += kFuss;
    return out;
}

bool IstVertretungsSeite(const std::string& name) {
    return name.starts_with("vertretung-") && name.ends_with(".html");
}

} // namespace

WebseitenOptionen WebseitenOptionen::Alle(const CPlan& plan) {
    WebseitenOptionen o;
    auto alle = [](ExportAuswahl& a, int n) {
        a.Aktiv = true;
        for (int i = 0; i < n; ++i)
            a.Eintraege.push_back(i);
    };
    alle(o.Lehrer, plan.LehrerAnzahl);
    alle(o.Klassen, plan.KlassenAnzahl);
    alle(o.Raeume, plan.RaumAnzahl);
    return o;
}

std::string Html(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string VertretungsDateiName(const Datum& datum) {
    return "vertretung-" + datum.Text() + ".html";
}

std::string VertretungsSeite(const CPlan& plan, const VertretungsListe& liste, const Datum& datum) {
    const std::string titel = texte::VertretungsplanTitel + DatumText(datum);
    // A screen in the hall shows the newest sheet: the page reloads every five minutes.
    std::string out = Kopf(titel, true, "<meta http-equiv=\"refresh\" content=\"300\">\n");
    out += "<h1>" + Html(titel) + "</h1>\n<h2>";
    out += texte::FehlendeLehrer;
    out += "</h2>\n<ul>\n";
    const std::vector<int> fehlend = AbwesendeLehrer(plan);
    for (const int t : fehlend)
        out += "<li>" + Html(plan.LehrerAt(t).Name) + "</li>\n";
    if (fehlend.empty()) out += "<li>keine</li>\n";
    out += "</ul>\n<table class=\"vertretung\">\n<thead><tr><th>";
    out += texte::SpalteStunde;
    out += "</th><th>";
    out += texte::SpalteVertretung;
    out += "</th></tr></thead>\n<tbody>\n";
    int zeilen = 0;
    for (int h = plan.Nullte ? 0 : 1; h <= plan.Stunden; ++h) {
        for (const VertretungsZeile& z : liste.Zeilen()) {
            if (!z.HatStunde() || z.Marke.Stunde() != h) continue;
            const bool ausfall = z.Spalten[1] == texte::Ausfall;
            out += ausfall ? "<tr class=\"ausfall\">" : "<tr>";
            out += "<td class=\"stunde\">" + Html(z.Spalten[0]) + "</td><td>" + Html(z.Spalten[1]) +
                   "</td></tr>\n";
            ++zeilen;
        }
    }
    if (zeilen == 0) out += "<tr><td colspan=\"2\">Keine Stunden zu vertreten.</td></tr>\n";
    out += "</tbody>\n</table>\n";
    out += kFuss;
    return out;
}

std::vector<WebDatei> WebseiteDateien(const CPlan& plan, const WebseitenOptionen& optionen,
                                      const std::vector<std::string>& vertretungen) {
    Site site{plan, optionen, {}, {}, {}, {}, {}, {}, {}, {}};
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        site.lehrerNamen.push_back(optionen.NurKurz && !plan.LehrerAt(t).Kurz.empty()
                                       ? plan.LehrerAt(t).Kurz
                                       : plan.LehrerAt(t).Name);
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        site.klassenNamen.push_back(plan.KlasseAt(k).Name);
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        site.raumNamen.push_back(optionen.NurKurz && !plan.RaumAt(r).Kurz.empty()
                                     ? plan.RaumAt(r).Kurz
                                     : plan.RaumAt(r).Name);
    for (int d = 0; d < plan.Tage; ++d)
        site.tagNamen.push_back(TagName(plan.Stamm().Angaben, d));
    // File names come from the long names, so that they stay when the short-names switch
    // changes.
    std::vector<std::string> lehrerLang, raumLang;
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        lehrerLang.push_back(plan.LehrerAt(t).Name);
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        raumLang.push_back(plan.RaumAt(r).Name);
    site.lehrer = SeitenVon(optionen.Lehrer, "lehrer", lehrerLang);
    site.klassen = SeitenVon(optionen.Klassen, "klasse", site.klassenNamen);
    site.raeume = SeitenVon(optionen.Raeume, "raum", raumLang);
    ExportAuswahl alleTage{true, {}};
    for (int d = 0; d < plan.Tage; ++d)
        alleTage.Eintraege.push_back(d);
    site.tage = SeitenVon(alleTage, "tag", site.tagNamen);

    std::vector<WebDatei> out;
    out.push_back({kStilDatei, Stylesheet(plan)});
    auto seiten = [&](Art art, const Seiten& s, const std::vector<std::string>& namen,
                      const char* ueberschrift) {
        for (std::size_t i = 0; i < namen.size(); ++i)
            if (s.Gewaehlt[i])
                out.push_back({s.Dateien[i], WochenSeite(site, art, static_cast<int>(i),
                                                         ueberschrift, namen[i])});
    };
    seiten(Art::Klasse, site.klassen, site.klassenNamen, texte::UeberschriftKlasse);
    seiten(Art::Lehrer, site.lehrer, site.lehrerNamen, texte::UeberschriftLehrer);
    seiten(Art::Raum, site.raeume, site.raumNamen, texte::UeberschriftRaum);
    for (int d = 0; d < plan.Tage; ++d)
        out.push_back({site.tage.Dateien[d], TagesSeite(site, d)});
    out.push_back({"index.html", IndexSeite(site, vertretungen)});
    return out;
}

VeroeffentlichungsErgebnis Veroeffentliche(const CPlan& plan, const WebseitenOptionen& optionen,
                                           const std::string& ordner,
                                           const std::vector<WebDatei>& weitere, Reporter& reporter,
                                           bool frueheresBehalten) {
    VeroeffentlichungsOrdner ziel(ordner);
    auto fehler = [&] {
        reporter.Show({ziel.Fehler(), titel::Fehler});
        return VeroeffentlichungsErgebnis{};
    };
    if (!ziel.Oeffnen()) return fehler();
    // The substitution pages of earlier runs stay and are linked, newest first.
    std::vector<std::string> vertretungen;
    for (const std::string& name : ziel.Frueher())
        if (frueheresBehalten) ziel.Behalte(name);
    for (const std::string& name : ziel.Frueher())
        if (IstVertretungsSeite(name)) {
            vertretungen.push_back(name);
            ziel.Behalte(name);
        }
    for (const WebDatei& d : weitere)
        if (IstVertretungsSeite(d.Name)) vertretungen.push_back(d.Name);
    std::sort(vertretungen.rbegin(), vertretungen.rend());
    vertretungen.erase(std::unique(vertretungen.begin(), vertretungen.end()), vertretungen.end());

    for (const WebDatei& d : weitere)
        if (!ziel.Schreibe(d.Name, d.Inhalt)) return fehler();
    for (const WebDatei& d : WebseiteDateien(plan, optionen, vertretungen))
        if (!ziel.Schreibe(d.Name, d.Inhalt)) return fehler();
    const int anzahl = ziel.Anzahl();
    if (!ziel.Abschluss()) return fehler();
    return {true, anzahl};
}

} // namespace sw
