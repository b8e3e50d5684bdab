// SPDX-License-Identifier: GPL-3.0-or-later
// Entities.h: the school's master data as it lives in memory. Entities refer to each other by
// name text, never by pointer or index; renaming means rewriting the names that refer to it.
#pragma once

#include "model/Slot.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sw {

using Flag = std::uint8_t; // a one-byte on/off field, 0 or 1

// One contiguous piece of a lesson: `Laenge` consecutive hours, optionally pinned to a slot.
struct CEinheit {
    int Laenge = 1;
    int Zeitvorgabe = kNoSlot; // slot index d*13+h or -1
    std::string Raum;          // chosen room name, empty = none
    Flag NurUrPlan = 0;        // the fixed time binds only the initial plan
    Flag OberesLimit = 0;      // the fixed time is an upper limit
    Flag UnteresLimit = 0;     // the fixed time is a lower limit
    Flag TagesLimit = 0;       // the unit is restricted to day `Tag`
    int Tag = -1;

    CEinheit() = default;
    CEinheit(int laenge, int zeitvorgabe) : Laenge(laenge), Zeitvorgabe(zeitvorgabe) {}
    // Substitution planning carries a plan index in the room text.
    CEinheit(int laenge, int zeitvorgabe, int nummer)
        : Laenge(laenge), Zeitvorgabe(zeitvorgabe), Raum(std::to_string(nummer)) {}
    bool operator==(const CEinheit&) const = default;
};

// A rule a school may state or leave out: kKeineRegel when it is not set.
inline constexpr int kKeineRegel = -1;

// The rules of the days of a teacher or a class. Hours count slots with a lesson; a gap is a free
// hour between two lessons of one day.
struct CTagesRegeln {
    int MaxStundenProTag = kKeineRegel;   // at most this many hours on a day
    int MinStundenProTag = kKeineRegel;   // at least this many on a day with lessons
    int MaxLueckenProTag = kKeineRegel;   // at most this many gaps on a day
    int MaxLueckenProWoche = kKeineRegel; // at most this many gaps in the week
    int MaxInFolge = kKeineRegel;         // at most this many hours in a row
    bool Leer() const { return *this == CTagesRegeln{}; }
    bool operator==(const CTagesRegeln&) const = default;
};

// The rules of a teacher: those of the days, the days of the week, and at most `FensterMaxTage`
// days on which the teacher teaches within the hours `FensterVon` to `FensterBis` (slot hours,
// 0 being the 0th hour), for example at most 2 days after the 6th hour.
struct CLehrerRegeln : CTagesRegeln {
    int MaxTage = kKeineRegel; // at most this many days with lessons
    int MinTage = kKeineRegel; // at least this many days with lessons
    int FensterVon = kKeineRegel;
    int FensterBis = kKeineRegel;
    int FensterMaxTage = kKeineRegel;
    bool Leer() const { return *this == CLehrerRegeln{}; }
    bool operator==(const CLehrerRegeln&) const = default;
};

// The rules of a subject block or course block, for each of its units.
struct CBlockRegeln {
    std::vector<int> ErlaubteZeiten; // the slots a unit may begin at, ascending; empty: any
    int MinTageAbstand = 0;          // 1..6: two units lie at least this many days apart
    Flag Tagesende = 0;              // a unit is the last lesson of the day of its classes
    bool Leer() const { return *this == CBlockRegeln{}; }
    bool operator==(const CBlockRegeln&) const = default;
};

// The targets of a teacher that a plan computes from the hours it counts (Plan.h): the most lessons
// on one day, the number of days with that many, and the ideal spread.
struct CLehrerSoll {
    std::int32_t MaxProTag = 0;
    std::int32_t TageMitMax = 0;
    std::int32_t ProdOpt = 0;
    bool operator==(const CLehrerSoll&) const = default;
};

// The targets of a class: its hour limit, the ideal spread, the most and fewest lessons on a day
// and the number of days with the most.
struct CKlassenSoll {
    std::int32_t StundenLimit = 0;
    std::int32_t ProdOpt = 0;
    std::int32_t MaxProTag = 0;
    std::int32_t MinProTag = 0;
    std::int32_t TageMitMax = 0;
    bool operator==(const CKlassenSoll&) const = default;
};

// A room; `FachTyp` has exactly one flag set: [0] Universal, [1] Spezial, [2] Spezial reserviert.
struct CRaumFach {
    std::string Name;
    std::string Kurz;
    std::vector<std::string> Faecher; // subjects for which this is a special room
    std::array<Flag, 3> FachTyp{1, 0, 0};
    Flag KlassenKursFreigabe = 0; // with KlassenTyp[2]: the class's own courses may use it
    std::string Klasse;           // the class whose class room this is, empty = none
    std::array<Flag, 3> KlassenTyp{0, 0, 0}; // [0] kein Klassenraum, [1] unused, [2] reserviert
    LockGrid Sperre = FreeGrid();
    bool operator==(const CRaumFach&) const = default;
};

struct CLehrer {
    std::string Name;
    std::string Kurz;
    std::vector<std::string> Faecher;
    Flag KlassenLehrer = 0;
    std::string Klasse; // class of which the teacher is class teacher, empty = none
    LockGrid Sperre = FreeGrid();
    Flag NichtVerfuegbar = 0; // marked absent in substitution planning
    // The targets of the last plan, as the stream files carry them. A new plan starts from them
    // and computes its own (CPlan::LehrerSollL); they are set again only when a plan ends.
    CLehrerSoll LetztesSoll;
    Flag Opti = 1;                 // takes part in optimisation
    Flag TendenzZuFreienTagen = 0; // prefer whole free days
    CLehrerRegeln Regeln;
    bool operator==(const CLehrer&) const = default;
};

struct CKlasse {
    std::string Name;
    LockGrid Sperre = FreeGrid();
    CKlassenSoll LetztesSoll; // the targets of the last plan, as for a teacher
    Flag Opti = 1;
    CTagesRegeln Regeln;
    bool operator==(const CKlasse&) const = default;
};

// The lessons of one class in one subject with one teacher ("Unterricht").
struct CFachBlock {
    std::string Lehrer;
    std::string Klasse;
    std::string Fach;
    int BStunden = 0;
    std::vector<CEinheit> Einheiten;
    Flag Trennung = 0;
    int SpezialTrennung = -1; // special-separation group, -1 none
    CBlockRegeln Regeln;

    // The key of the block in the lesson list: teacher / class / subject.
    std::string Key() const { return Lehrer + " / " + Klasse + " / " + Fach; }
    bool operator==(const CFachBlock&) const = default;
};

// One teacher of a course block with the units he holds.
struct CKursLehrer {
    std::string Name;
    std::vector<CEinheit> Einheiten;
    bool operator==(const CKursLehrer&) const = default;
};

// Lessons that several classes and teachers hold at the same time ("Kurs"). Invariant:
// `Faecher` and `Lehrer` have the same length; the teachers' unit lists have the same shape and
// differ only in the rooms.
struct CKursBlock {
    std::string Name;
    std::string Kurz;
    std::vector<std::string> Faecher; // entry i is the subject of teacher i
    std::vector<CKursLehrer> Lehrer;
    std::vector<std::string> Klassen;
    int BStunden = 0;
    Flag Trennung = 0;
    std::vector<CEinheit> Vorlage; // units given to the first teacher added; never saved
    int SpezialTrennung = -1;
    CBlockRegeln Regeln;
    bool operator==(const CKursBlock&) const = default;
};

// How the units of several blocks relate. The blocks of a relation other than NieGleichzeitig
// have the same number of units and relate unit by unit: unit i of one with unit i of the other.
enum class BeziehungsArt : std::uint8_t {
    Gleichzeitig = 0,    // the units begin at the same slot (and are equally long)
    NieGleichzeitig = 1, // no unit of one block shares a slot with a unit of another
    GleicherTag = 2,     // the units lie on the same day
    Direktfolge = 3,     // two blocks: a unit of the first ends right before that of the second
};

// A block a relation names: a subject block by its key, or a course block by its name.
struct CBlockBezug {
    Flag Kurs = 0;
    std::string Name;
    bool operator==(const CBlockBezug&) const = default;
};

struct CBeziehung {
    BeziehungsArt Art = BeziehungsArt::NieGleichzeitig;
    std::vector<CBlockBezug> Bloecke; // at least two; Direktfolge exactly two, in their order
    bool operator==(const CBeziehung&) const = default;
};

} // namespace sw
