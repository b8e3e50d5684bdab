// SPDX-License-Identifier: GPL-3.0-or-later
// Stammdaten.h: the whole master data of one school in one object. The order of every list is
// the order of entry; the files restore it. Dialogs, plan and files all read this one object.
#pragma once

#include "model/Entities.h"

#include <string>
#include <string_view>
#include <vector>

namespace sw {

// The general settings of the week.
struct AllgemeineAngaben {
    int Tage = 5;    // 1..7 teaching days
    int Stunden = 8; // 1..12 regular hours per day
    bool Nullte = false;
    std::vector<std::string> TagNamen = DefaultDayNames(5);

    static std::vector<std::string> DefaultDayNames(int tage);
    bool operator==(const AllgemeineAngaben&) const = default;
};

// A subject block in the lesson list, under the key it was stored with.
struct Unterricht {
    std::string Key;
    CFachBlock Block;
    bool operator==(const Unterricht&) const = default;
};

class Stammdaten {
public:
    AllgemeineAngaben Angaben;
    // True once the general settings were confirmed or a file was read: the master-data
    // commands are enabled from then on.
    bool AngabenBestaetigt = false;

    std::vector<std::string> Faecher;
    std::vector<CRaumFach> Raeume;
    std::vector<CLehrer> Lehrer;
    std::vector<CKlasse> Klassen;
    std::vector<CKursBlock> KursBloecke;
    std::vector<Unterricht> FachBloecke;

    // Empties everything, as "Neu" and the file readers do.
    void Clear();

    // Appends a subject block under its own key (teacher / class / subject).
    void AddFachBlock(CFachBlock block);

    // Index in its list, or -1 when there is no entity of that name (names compare exactly).
    int FindFach(std::string_view name) const;
    int FindRaum(std::string_view name) const;
    int FindLehrer(std::string_view name) const;
    int FindKlasse(std::string_view name) const;
    int FindKursBlock(std::string_view name) const;
    int FindFachBlock(std::string_view key) const;

    // Weekly hours of a class as the plan counts them: the units of its subject blocks plus the
    // units of the course blocks it takes part in (those of the course's first teacher).
    int KlassenWochenStunden(std::string_view klasse) const;

    bool operator==(const Stammdaten&) const = default;
};

// Valid ranges of the general settings; the dialog refuses other values.
constexpr bool IsValidTage(int tage) {
    return tage >= 1 && tage <= kMaxDays;
}
constexpr bool IsValidStunden(int stunden) {
    return stunden >= 1 && stunden <= kMaxHour;
}

} // namespace sw
