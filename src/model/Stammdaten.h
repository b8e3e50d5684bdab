// SPDX-License-Identifier: GPL-3.0-or-later
// Stammdaten.h: the whole master data of one school in one object. The order of every list is
// the order of entry; the files restore it. Dialogs, plan and files all read this one object.
#pragma once

#include "model/ChangeCount.h"
#include "model/Datum.h"
#include "model/Entities.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// The general settings of the week.
struct AllgemeineAngaben {
    int Tage = 5;    // 1..7 teaching days
    int Stunden = 8; // 1..12 regular hours per day
    bool Nullte = false;
    // The names of the days as the user typed them; an empty name (older master-data files
    // stored days 6 and 7 without one) shows as the day's default name (TagName).
    std::vector<std::string> TagNamen = DefaultDayNames(5);
    // School-wide breaks: slots at which no lesson stands, ascending.
    std::vector<int> Pausen;
    // The times of the hours (hour 0 first when there is one); empty: StandardStundenZeiten.
    std::vector<CStundenZeit> StundenZeiten;
    // The term and its holidays; unset until the school enters them.
    CSchuljahr Schuljahr;

    // "Montag" to "Sonntag" for the first `tage` days.
    static std::vector<std::string> DefaultDayNames(int tage);
    bool operator==(const AllgemeineAngaben&) const = default;
};

// The name day `day` (0-based) is shown with: its own, or when it has none its default name.
std::string TagName(const AllgemeineAngaben& a, int day);
// The names of the days of the week in use, as TagName gives them.
std::vector<std::string> TagNamenDerWoche(const AllgemeineAngaben& a);

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
    // Relations between the units of blocks.
    std::vector<CBeziehung> Beziehungen;
    // Bumped by every edit of the master data (the dialogs, the lesson definitions, locks and
    // absences); see ChangeCount.h.
    ChangeCount Aenderungen;

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

    // The first name that stands twice in its list (subjects, rooms, teachers, classes, course
    // blocks, subject-block keys), as a sentence; nothing when every name is unique. Every
    // reference is by name, so a file holding such a list is refused.
    std::optional<std::string> DuplicateName() const;

    // The lesson hours a plan of this master data holds: the units of every subject block and
    // of every teacher of every course block.
    long long LessonHours() const;

    // Weekly hours of a class as the plan counts them: the units of its subject blocks plus the
    // units of the course blocks it takes part in (those of the course's first teacher).
    int KlassenWochenStunden(std::string_view klasse) const;
    // The same for every class at once, in class order: one pass over the blocks.
    std::vector<int> WochenStundenJeKlasse() const;

    bool operator==(const Stammdaten&) const = default;
};

// The most lesson hours the master data of one school may hold: a hundred times the largest
// real school. Every hour becomes an object of the plan; the bound keeps a damaged file from
// asking for gigabytes.
inline constexpr long long kMaxLessonHours = 100000;

// The hours of one day: the regular hours and the 0th hour where it is in use. No unit is longer.
constexpr int DayHours(const AllgemeineAngaben& a) {
    return a.Stunden + (a.Nullte ? 1 : 0);
}
// The hours of the week: no block holds more.
constexpr int WeekHours(const AllgemeineAngaben& a) {
    return a.Tage * DayHours(a);
}

// Valid ranges of the general settings; the dialog refuses other values.
constexpr bool IsValidTage(int tage) {
    return tage >= 1 && tage <= kMaxDays;
}
constexpr bool IsValidStunden(int stunden) {
    return stunden >= 1 && stunden <= kMaxHour;
}

} // namespace sw
