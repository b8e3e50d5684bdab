// SPDX-License-Identifier: GPL-3.0-or-later
// Substitutions.h: substitution planning for one school day, without a window. Teachers are
// marked absent (their NichtVerfuegbar flag); the list of lessons to cover is built from the plan;
// for each lesson a chooser list shows every present teacher with what he does at that hour; a
// substitute is chosen, the lesson is cancelled or the choice is taken back; finally the sheet is
// written through CWord. The plan itself is never changed.
//
//   row 0  | Stunde                          | Lehrer  | Fach | Konflikt |   header
//   row 1  | 2.   5a  Deutsch  Müller        | Schmidt | Deutsch |       |   a lesson, covered
//   row 2  | 3.   Religion  Müller           | AUSFALL |      |          |   a lesson, cancelled
//   row 3  |                                 |         |      |          |   empty row
//
// The rows keep pointers to the plan's lesson hours: clear the list before the plan goes away.
#pragma once

#include "export/Word.h"
#include "model/Datum.h"
#include "model/Report.h"
#include "model/Slot.h"
#include "model/Stammdaten.h"
#include "plan/Plan.h"

#include <array>
#include <string>
#include <vector>

namespace sw {

namespace texte {
inline constexpr std::array<const char*, 4> VertretungsKopf = {"Stunde", "Lehrer", "Fach",
                                                               "Konflikt"};
inline constexpr std::array<const char*, 3> WahlKopf = {"Lehrer", "Fach", "Konflikt"};
inline constexpr const char* Ausfall = "AUSFALL";
inline constexpr const char* Sperrung = "SPERRUNG";
inline constexpr const char* ZeitStunde = ". Stunde";
inline constexpr const char* VertretungsplanTitel = "Vertretungsplan ";
inline constexpr const char* FehlendeLehrer = "Fehlende Lehrer:";
inline constexpr const char* SpalteStunde = "Stunde";
inline constexpr const char* SpalteVertretung = "Vertretung";
} // namespace texte

// The table layout of the sheet (a number of the export's layout list).
inline constexpr int kVertretungsLayout = 16;

// Where a lesson to cover stands: its slot (day * 13 + hour) and the row of the plan's grid
// (the room) in which it was found.
struct SlotMarke {
    int Slot = kNoSlot;
    int RaumZeile = -1;
    int Tag() const { return DayOf(Slot); }
    int Stunde() const { return HourOf(Slot); }
    bool operator==(const SlotMarke&) const = default;
};

// One row of the substitution list. Columns: 0 the lesson ("2.   5a  Deutsch  Müller"),
// 1 the substitute (or "AUSFALL"), 2 his subject, 3 his conflict. Stunde is null for the header
// and for an empty row.
struct VertretungsZeile {
    const CStunde* Stunde = nullptr;
    SlotMarke Marke;
    std::array<std::string, 4> Spalten;
    bool Entfaellt = false; // the lesson's class is away: nothing to cover
    bool HatStunde() const { return Stunde != nullptr; }
};

// One row of the chooser: a present teacher. Columns: 0 the name, 1 the missed subject when the
// teacher teaches it (else empty), 2 the conflict: "SPERRUNG" when the teacher is locked at the
// slot, else his own lesson there, else empty.
struct WahlZeile {
    int Lehrer = -1; // plan index of the teacher
    std::array<std::string, 3> Spalten;
    bool Gesperrt = false;     // the teacher's lock is set at the slot
    bool Belegt = false;       // the teacher has a lesson at the slot
    bool Unterrichtet = false; // the teacher has the missed subject in his list
    // Free at that hour (no lock, no lesson) and teaching the missed subject.
    bool Passend() const { return !Gesperrt && !Belegt && Unterrichtet; }
};

// What the chooser window shows for one lesson: the captions FachL, LehrerL, KlasseL, ZeitL and
// one row per present teacher in plan order (no header row; empty when nobody is present).
struct WahlListe {
    std::string Fach;     // subject, or "course(subject)" for a course hour
    std::string Lehrer;   // the absent teacher
    std::string Klasse;   // the class, or every class of the course each followed by one blank
    std::string Zeit;     // "Montag  3. Stunde"
    std::string Verpasst; // the missed subject itself
    std::vector<WahlZeile> Zeilen;
};

// How choosing a substitute ended.
enum class WahlErgebnis {
    KeineStunde, // the row has no lesson (header, empty row, outside the list): nothing done
    Abgelehnt,   // the teacher is already substitute at that slot and the user said No
    Gesetzt,     // columns 1-3 now hold the choice
};

// The grid of the substitution window. Row 0 is the header; there is always at least one data
// row (an empty one when there is nothing to cover).
class VertretungsListe {
public:
    VertretungsListe();

    // Header plus one empty data row.
    void Leeren();
    // Rebuilds the list for day `tag` (0-based): for each absent teacher in plan order, for each
    // hour 0..Stunden, the first room row whose lesson at that slot is the teacher's. Returns the
    // number of lessons found. A day outside the plan's week leaves the list empty.
    int Ermitteln(const CPlan& plan, int tag);

    // Every row, header included.
    const std::vector<VertretungsZeile>& Zeilen() const { return zeilen_; }
    int Anzahl() const { return static_cast<int>(zeilen_.size()); }
    // Whether row `zeile` exists and carries a lesson.
    bool HatStunde(int zeile) const;
    // The number of rows that carry a lesson.
    int Stunden() const;

    // Puts the chooser row into columns 1-3 of row `zeile`. When the same name already stands in
    // column 1 of a row of the same slot, asks first ("Lehrer <name> ist in der <hour>. Stunde
    // bereits vergeben\nSoll ...", empty title, Yes/No); No changes nothing.
    WahlErgebnis Waehlen(int zeile, const WahlZeile& wahl, Reporter& reporter);
    // Columns 1-3 become "AUSFALL", "", "". False (nothing done) for a row without a lesson.
    bool Ausfall(int zeile);
    // Columns 1-3 become empty. False (nothing done) for a row without a lesson.
    bool Loeschen(int zeile);

private:
    friend class Vertretungstag; // builds the list of a date from the journal
    std::vector<VertretungsZeile> zeilen_;
};

// Column 0 of a list row: hour + ".   " + course name or class name + "  " + subject, then
// "  " + the teacher's name.
std::string StundenText(const CPlan& plan, const CStunde& stunde, int hour);

// The chooser for a row of the list; empty (no rows, no captions) for a row without a lesson.
WahlListe WahlFuer(const CPlan& plan, const VertretungsZeile& zeile);

// The chooser's conflict column for teacher `lehrer` at `slot`: "SPERRUNG" when he is locked,
// else his own lesson there (the course name, or subject + " " + class), else empty.
std::string KonfliktText(const CPlan& plan, int lehrer, int slot);

// The question asked before a teacher is made substitute twice at one hour.
std::string DoppeltFrage(const std::string& name, int hour);

// Sets teacher `lehrer`'s absence flag. False when there is no such teacher.
bool SetzeAbwesend(Stammdaten& stamm, int lehrer, bool abwesend);
// The plan indices of the absent teachers, in plan order.
std::vector<int> AbwesendeLehrer(const CPlan& plan);

// --- the sheet ----------------------------------------------------------------------------------

// The caller says which day it is (the core never reads the clock).
// Whether the date exists in the Gregorian calendar.
bool IstGueltig(const Datum& datum);
// The day of the week of a valid date: 0 Monday .. 6 Sunday.
int Wochentag(const Datum& datum);
// The first date on or after the valid date `ab` that falls on `wochentag` (0 Monday .. 6
// Sunday): the default date of a substitution sheet for a school day.
Datum NaechsterWochentag(const Datum& ab, int wochentag);
// The date as a German reader writes it: "Mittwoch, 9. Dezember 2026"; "TT.MM.JJJJ" digits for a
// date that does not exist.
std::string DatumText(const Datum& datum);
// The school day a valid date falls on, the days of a plan with `tage` days being Monday,
// Tuesday, ...: its weekday, or -1 when the plan has no such day (the weekend of a five-day
// week). The substitution window's date picks its day so.
int SchultagAm(const Datum& datum, int tage);
// Why a date is no school day: "Samstag, 12. Dezember 2026 ist kein Schultag dieses Plans
// (Montag bis Freitag)."
std::string KeinSchultag(const Datum& datum, int tage);

// Writes the sheet into the started document of `word`: "Vertretungsplan " + date, three
// paragraph breaks, "Fehlende Lehrer:", two breaks, each absent teacher followed by a break, two
// breaks, then a table (layout 16, page width) headed "Stunde" / "Vertretung" with one row per
// lesson of the list, by hour (the 0th hour only where the plan uses it), in list order within an
// hour: the lesson text and the substitute, or a single blank when there is none. The table has
// exactly one row per lesson written plus the header. CWord's errors pass through.
// `fehlend` names the absent teachers (plan indices) when they are not the ones flagged absent
// (a date of the journal).
WordTable BaueVertretungsplan(const CPlan& plan, const VertretungsListe& liste, const Datum& datum,
                              CWord& word, const std::vector<int>* fehlend = nullptr);

// "Ausgabe": starts `word`, builds the sheet and makes the document visible (written and, where
// the opener can, shown). Messages: a target that cannot be written, and any error while
// writing, "Fehler bei Ausgabe an Word:\n" + what failed with its reason (title "Fehler"), as
// the export says it. True when the sheet was written completely.
bool SchreibeVertretungsplan(const CPlan& plan, const VertretungsListe& liste, const Datum& datum,
                             CWord& word, Reporter& reporter,
                             const std::vector<int>* fehlend = nullptr);

} // namespace sw
