// SPDX-License-Identifier: GPL-3.0-or-later
#include "substitute/Substitutions.h"

namespace sw {

VertretungsListe::VertretungsListe() {
    Leeren();
}

void VertretungsListe::Leeren() {
    zeilen_.assign(2, VertretungsZeile{});
    for (std::size_t c = 0; c < texte::VertretungsKopf.size(); ++c)
        zeilen_[0].Spalten[c] = texte::VertretungsKopf[c];
}

int VertretungsListe::Ermitteln(const CPlan&, int) {
    Leeren();
    return 0;
}

bool VertretungsListe::HatStunde(int zeile) const {
    return zeile >= 0 && zeile < Anzahl() && zeilen_[static_cast<std::size_t>(zeile)].HatStunde();
}

int VertretungsListe::Stunden() const {
    return 0;
}

WahlErgebnis VertretungsListe::Waehlen(int, const WahlZeile&, Reporter&) {
    return WahlErgebnis::KeineStunde;
}

bool VertretungsListe::Ausfall(int) {
    return false;
}

bool VertretungsListe::Loeschen(int) {
    return false;
}

std::string StundenText(const CPlan&, const CStunde&, int) {
    return {};
}

WahlListe WahlFuer(const CPlan&, const VertretungsZeile&) {
    return {};
}

std::string DoppeltFrage(const std::string&, int) {
    return {};
}

bool SetzeAbwesend(Stammdaten&, int, bool) {
    return false;
}

std::vector<int> AbwesendeLehrer(const CPlan&) {
    return {};
}

bool IstGueltig(const Datum&) {
    return false;
}

std::string DatumText(const Datum&) {
    return {};
}

WordTable BaueVertretungsplan(const CPlan&, const VertretungsListe&, const Datum&, CWord&) {
    return {};
}

bool SchreibeVertretungsplan(const CPlan&, const VertretungsListe&, const Datum&, CWord&,
                             Reporter&) {
    return false;
}

} // namespace sw
