// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/PlanAusgabe.h"

#include "export/TableWriters.h"
#include "publish/DateiNamen.h"

#include <algorithm>

namespace sw {

namespace {

ExportAuswahl Alle(int anzahl) {
    ExportAuswahl a{true, {}};
    for (int i = 0; i < anzahl; ++i)
        a.Eintraege.push_back(i);
    return a;
}

std::string Pfad(const std::string& ordner, const std::string& name) {
    if (ordner.empty()) return name;
    return ordner.back() == '/' ? ordner + name : ordner + "/" + name;
}

} // namespace

std::vector<PlanEintrag> GewaehltePlanEintraege(const CPlan& plan, const ExportOptionen& o) {
    std::vector<std::string> lehrer;
    std::vector<std::string> klassen;
    std::vector<std::string> raeume;
    for (int i = 0; i < plan.LehrerAnzahl; ++i)
        lehrer.push_back(plan.LehrerAt(i).Name);
    for (int i = 0; i < plan.KlassenAnzahl; ++i)
        klassen.push_back(plan.KlasseAt(i).Name);
    for (int i = 0; i < plan.RaumAnzahl; ++i)
        raeume.push_back(plan.RaumAt(i).Name);
    const auto lehrerDateien = DateiNamenFuer("lehrer", lehrer);
    const auto klassenDateien = DateiNamenFuer("klasse", klassen);
    const auto raumDateien = DateiNamenFuer("raum", raeume);

    std::vector<PlanEintrag> out;
    const auto u = [](int i) { return static_cast<std::size_t>(i); };
    for (int i : Eintraege(o.Lehrer, plan.LehrerAnzahl))
        out.push_back({PlanArt::Lehrer, i, lehrer[u(i)], lehrerDateien[u(i)]});
    for (int i : Eintraege(o.Klassen, plan.KlassenAnzahl))
        out.push_back({PlanArt::Klasse, i, klassen[u(i)], klassenDateien[u(i)]});
    for (int i : Eintraege(o.Raeume, plan.RaumAnzahl))
        out.push_back({PlanArt::Raum, i, raeume[u(i)], raumDateien[u(i)]});
    return out;
}

ExportOptionen AllePlaene(const CPlan& plan) {
    ExportOptionen o;
    o.Lehrer = Alle(plan.LehrerAnzahl);
    o.Klassen = Alle(plan.KlassenAnzahl);
    o.Raeume = Alle(plan.RaumAnzahl);
    return o;
}

std::string Ueberschrift(const PlanEintrag& e) {
    switch (e.Art) {
    case PlanArt::Lehrer:
        return texte::UeberschriftLehrer + e.Name;
    case PlanArt::Klasse:
        return texte::UeberschriftKlasse + e.Name;
    default:
        return texte::UeberschriftRaum + e.Name;
    }
}

std::string PlanZelle(const CPlan& plan, const PlanEintrag& e, int slot, const ExportOptionen& o) {
    switch (e.Art) {
    case PlanArt::Lehrer:
        return LehrerZelle(plan, FindeLehrerStunde(plan, e.Index, slot), o.NurKurz, o.PseudoKurse);
    case PlanArt::Klasse:
        return KlassenZelle(plan, FindeKlassenStunde(plan, e.Index, slot), o.NurKurz);
    default:
        return RaumZelle(plan, FindeRaumStunde(plan, e.Index, slot), o.NurKurz, o.PseudoKurse);
    }
}

bool DateienSchreiben(const std::string& ordner, const std::vector<AusgabeDatei>& dateien,
                      FileOps& files, Reporter& reporter) {
    std::vector<std::pair<std::string, std::string_view>> ziele;
    ziele.reserve(dateien.size());
    for (const AusgabeDatei& d : dateien)
        ziele.emplace_back(Pfad(ordner, d.Name), d.Bytes);
    std::size_t fehler = 0;
    if (const FileResult r = files.WriteAllReplacing(ziele, fehler); !r) {
        const std::string pfad = fehler < ziele.size() ? ziele[fehler].first : ordner;
        reporter.Show(
            {"Die Datei " + pfad + " kann nicht geschrieben werden.\n" + r.Reason, titel::Fehler});
        return false;
    }
    return true;
}

} // namespace sw
