// SPDX-License-Identifier: GPL-3.0-or-later
// Statistik.h: what the journal says about the term: per teacher the lessons he missed (his
// lessons in the hours of his absences, on the school days of the term outside the holidays) and
// the substitutions he took; per class the lessons cancelled ("AUSFALL"). Each also per month
// ("2027-03"). Only decisions in force count: one taken back counts no more.
#pragma once

#include "plan/Plan.h"
#include "substitute/Journal.h"

#include <map>
#include <string>
#include <vector>

namespace sw {

struct StatistikZahlen {
    int Versaeumt = 0;   // teachers: lessons missed
    int Vertreten = 0;   // teachers: substitutions taken
    int Ausgefallen = 0; // classes: lessons cancelled
    bool operator==(const StatistikZahlen&) const = default;
};

struct StatistikZeile {
    std::string Name;
    StatistikZahlen Gesamt;
    std::map<std::string, StatistikZahlen> ProMonat; // by "JJJJ-MM"
};

struct Statistik {
    Datum Von, Bis; // the term, or the span of the journal when the school has entered none
    std::vector<StatistikZeile> Lehrer; // plan order
    std::vector<StatistikZeile> Klassen;
};

Statistik BerechneStatistik(const CPlan& plan, const Journal& journal);

// The figures as a ";" table for a spreadsheet: a heading line "Art;Name;Monat;Versäumt;
// Vertreten;Ausgefallen", then for each teacher and class a line "gesamt" and one per month.
// UTF-8; the caller converts at the file.
std::string StatistikCsv(const Statistik& statistik);

} // namespace sw
