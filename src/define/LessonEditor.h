// SPDX-License-Identifier: GPL-3.0-or-later
// LessonEditor.h: the one place that changes the lesson part of the master data: subject blocks,
// the classes of course blocks, the units of both, their time presets and rooms, separation and
// special separation, the rules of blocks and the relations between them. The lesson window (and
// later the master-data dialogs) only call it and show
// what it returns; it never edits an entity field itself.
//
// Refusals that the user sees as message boxes go through the Reporter with their exact texts;
// the two definition-time checks return their refusal instead (DefinitionChecks.h). Bad input
// (an index out of range, an unknown name) changes nothing. The units of a block always add up
// to its hours: merging and splitting keep the sum, and `BStunden` is never touched by them.
// The unit lists of a course's teachers keep the same shape: every change of a length or a time
// preset is made at the same position in every teacher's list; only rooms differ.
#pragma once

#include "define/DefinitionChecks.h"
#include "define/Lessons.h"
#include "model/Report.h"
#include "model/Stammdaten.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// A line of a block list of the block page: the subject block's key or the course's name, its
// hours, and its index in Stammdaten::FachBloecke or Stammdaten::KursBloecke.
struct BlockZeile {
    std::string Name;
    int Stunden = 0;
    int Index = -1;
    bool operator==(const BlockZeile&) const = default;
};

// A course block a teacher takes part in (KursL) and the teacher's subject in it (KursFachL).
struct KursZeile {
    std::string Name;
    std::string Fach;
    int Index = -1;
    bool operator==(const KursZeile&) const = default;
};

// What the block page shows for the selected teacher or class.
struct BlockSeite {
    bool Gezeigt = false; // false without a selected teacher (class): the page shows nothing
    std::string Titel;    // "Unterricht   " + the teacher's or the class's name
    std::vector<BlockZeile> FachBloecke; // VFachBlockL / VFachStdL, in list order
    std::vector<BlockZeile> KursBloecke; // VKursBlockL / VKursStdL, in list order
    std::string Summe;                   // SummeLabel
};

// "Block hinzufügen": the teacher and class selected, and either a subject (`Fach`) or a course
// (`Kurs`); the other stays empty.
struct BlockAnfrage {
    std::string Lehrer;
    std::string Klasse;
    std::string Fach;
    std::string Kurs;
};

// What the block dialog shows: its labels and the hours field.
struct BlockDialog {
    std::string Lehrer;
    std::string Klasse;
    std::string FachKurs;
    std::string Stunden;          // empty for a subject, the course's hours for a course
    bool StundenAenderbar = true; // the hours field is enabled for a subject only
    bool operator==(const BlockDialog&) const = default;
};

// One line of the units page: EinheitenL, EinheitenStdL and RaumL.
struct EinheitZeile {
    std::string Text;
    std::string Stunden;
    std::string Raum;
    bool operator==(const EinheitZeile&) const = default;
};

// The special-separation page for one class.
struct TrennungsSeite {
    std::string Titel;                       // "Spezialtrennungen : " + class name
    std::vector<std::string> StundenBloecke; // keys of the class's subject blocks
    std::vector<std::string> KursBloecke;    // course blocks the class takes part in
    std::vector<std::string> BeteiligtFach;  // keys of the subject blocks in the class's group
    std::vector<std::string> BeteiligtKurs;  // course blocks in the class's group
};

// The texts of the lesson definitions' message boxes that are fixed (the others are built from
// names and numbers).
namespace unterrichtstext {
inline constexpr const char* BlockVorhanden = "Block ist bereits vorhanden";
inline constexpr const char* KursFehlt = "Scheiß Fehler 0815!";
inline constexpr const char* KursFehltTitel = "Velmorak - Fehler";
inline constexpr const char* KursZuordnung = "Die Zuordnung eines Lehrers zu einem Kurs kann "
                                             "nicht in diesem Dialogfeld gelöscht werden.";
inline constexpr const char* KeinBlock = "Sie müssen zuerst einen Block markieren,\num für "
                                         "diesen die Einheiten definieren zu können.";
inline constexpr const char* ZerlegenEinzeln =
    "Es kann mit einem mal immer nur eine Einheit in Einzeleinheiten zerlegt werden.";
} // namespace unterrichtstext

class LessonEditor {
public:
    explicit LessonEditor(Stammdaten& data) : data_(data) {}

    const Stammdaten& Data() const { return data_; }

    // --- The block page ---------------------------------------------------------------------

    // FachL: the subjects of teacher `lehrer` (index in Stammdaten::Lehrer); empty when none.
    std::vector<std::string> TeacherSubjects(int lehrer) const;
    // KursL / KursFachL: the course blocks the teacher takes part in, in course order.
    std::vector<KursZeile> TeacherCourses(int lehrer) const;
    // The block lists, caption and summary of the teacher view (`lehrer`) or the class view
    // (`klasse`); the other index is not read.
    BlockSeite View(BlockAnsicht ansicht, int lehrer, int klasse) const;
    // " " + N + " Normal-Stunden + " + K + " Kurs-Stunden = " + (N + K).
    static std::string SummaryText(int normal, int kurs);

    // Opens the block dialog for `anfrage`: nothing (and no message) without a teacher, a class
    // and a subject or course; a course that cannot be found is reported ("Scheiß Fehler 0815!").
    std::optional<BlockDialog> OpenBlockDialog(const BlockAnfrage& anfrage, Reporter& rep) const;
    // The dialog's "Block hinzufügen" with the text of its hours field: a new subject block
    // (asking first when another teacher has the class's subject) or the class joins the course.
    // True when the master data changed.
    bool AddBlock(const BlockAnfrage& anfrage, std::string_view stundenText, Reporter& rep);
    // "Block entfernen" on `block` (its view decides): a subject block is removed; in the class
    // view a course block loses the class `klasse`; in the teacher view a course is refused.
    // True when the master data changed; the window then has no current block.
    bool RemoveBlock(const AktuellerBlock& block, std::string_view klasse, Reporter& rep);

    // The current block after a selection in VFachBlockL (`art` Fach) or VKursBlockL (`art`
    // Kurs): for a course, the unit list of teacher `lehrer` in the teacher view, of the first
    // teacher in the class view. An index out of range gives no block.
    AktuellerBlock Select(BlockArt art, int index, BlockAnsicht ansicht,
                          std::string_view lehrer) const;
    // TrennungCB: the current block's separation flag, and writing it.
    bool Separation(const AktuellerBlock& block) const;
    bool SetSeparation(const AktuellerBlock& block, bool on);

    // --- The units page ---------------------------------------------------------------------

    // Entering the units page: false (after "Sie müssen zuerst einen Block markieren, …")
    // without a block.
    bool CanOpenUnits(const AktuellerBlock& block, Reporter& rep) const;
    // The window caption on the units page ("Unterricht    " with four blanks + …); `klasse` is
    // the class selected, named in the class view of a course.
    std::string UnitsCaption(const AktuellerBlock& block, std::string_view klasse) const;
    // The three columns, one line per unit of the current unit list.
    std::vector<EinheitZeile> Units(const AktuellerBlock& block) const;
    // The unit at `position` of the current unit list, or nullptr.
    const CEinheit* Unit(const AktuellerBlock& block, int position) const;
    int UnitCount(const AktuellerBlock& block) const;

    // "Zusammenfassen": at least two positions; the units are replaced by one unit of their
    // total length at the end (for a course in every teacher's list). A unit longer than a day
    // is refused with a message. True when changed.
    bool Merge(const AktuellerBlock& block, const std::vector<int>& selected, Reporter& rep);
    // "Zerlegen": exactly one position; its unit is replaced by units of length 1 at the end (for
    // a course in every teacher's list). Two or more are refused with a message.
    bool Split(const AktuellerBlock& block, const std::vector<int>& selected, Reporter& rep);
    // "Raum löschen": the rooms of the selected units become empty (a course: the current
    // teacher's units only).
    bool ClearRooms(const AktuellerBlock& block, const std::vector<int>& selected);
    // "Zeit löschen": the unit at `position` (a course: at that position of every teacher) loses
    // its time, limits, day restriction and "nur Urplan"; the controls follow.
    bool ClearTime(const AktuellerBlock& block, int position, Vorgaben& v);

    // Showing the unit at `position` in the preset controls. Changes no unit.
    void ShowUnit(const AktuellerBlock& block, int position, Vorgaben& v) const;
    // The handlers of the preset controls: `v` holds the control's new state (set by the window
    // from the user's input); the handler updates the other controls in `v` and writes the unit
    // at `position` (a course: at that position of every teacher). Without a unit nothing.
    void UpperLimitChanged(const AktuellerBlock& block, int position, Vorgaben& v);
    void LowerLimitChanged(const AktuellerBlock& block, int position, Vorgaben& v);
    void LimitHourChanged(const AktuellerBlock& block, int position, Vorgaben& v);
    void DayLimitChanged(const AktuellerBlock& block, int position, Vorgaben& v);
    void DayChanged(const AktuellerBlock& block, int position, Vorgaben& v);
    void InitialPlanOnlyChanged(const AktuellerBlock& block, int position, Vorgaben& v);

    // A click on the time grid: CheckTime, and when allowed the time is set (a course: at the
    // position of every teacher), the grid shows the new span and "nur Urplan" is enabled. A
    // refusal changes no unit and leaves its text and the mark in `v`; success clears them.
    DefinitionCheck SetTime(const AktuellerBlock& block, const std::vector<int>& selected, int slot,
                            Vorgaben& v);
    // "Raum wählen" with the room picked: CheckRoom, and when allowed the unit takes the room.
    // An empty `raum` (nothing picked) changes nothing and is allowed.
    DefinitionCheck SetRoom(const AktuellerBlock& block, int position, std::string_view raum,
                            bool raumCheck, Vorgaben& v);
    // The rooms the room-choice dialog lists, in room order.
    std::vector<std::string> RoomChoices() const;

    // --- Special separations ----------------------------------------------------------------

    // The page for class `klasse` (index in Stammdaten::Klassen); empty for an unknown index.
    TrennungsSeite Separations(int klasse) const;
    // "Block hinzufügen": the subject block with key `fachKey`, or else (when `fachKey` is empty)
    // the course block `kurs`, joins the group of class `klasse`. A name not found changes
    // nothing. True when changed.
    bool AddToSeparation(int klasse, std::string_view fachKey, std::string_view kurs);
    // "Block entfernen": the subject block `fachKey`, or else the course block `kurs`, leaves its
    // group.
    bool RemoveFromSeparation(std::string_view fachKey, std::string_view kurs);

    // --- The rules of a block ---------------------------------------------------------------

    // The block a relation names for `block` (a subject block by its key, a course by its name);
    // nothing without a block.
    std::optional<CBlockBezug> Bezug(const AktuellerBlock& block) const;
    // The rules of `block`; empty ones without a block.
    CBlockRegeln BlockRules(const AktuellerBlock& block) const;
    // The group "Regeln": the block's rules replaced whole. A rule that could never be met
    // (RegelProblem) is refused with its sentence, titled "Fehler", and nothing changes. True
    // when changed.
    bool SetBlockRules(const AktuellerBlock& block, const CBlockRegeln& regeln, Reporter& rep);
    // Every block a relation can name, subject blocks first (list order), then the courses.
    std::vector<CBlockBezug> RelationBlocks() const;
    // The indexes in Stammdaten::Beziehungen of the relations naming `bezug`, in list order.
    std::vector<int> RelationsOf(const CBlockBezug& bezug) const;
    // "Beziehung hinzufügen...": the relation is appended; refused like a rule when it could
    // never be met (fewer than two blocks, a block twice, units that do not pair, a
    // contradiction). The same relation twice changes nothing. True when changed.
    bool AddRelation(const CBeziehung& beziehung, Reporter& rep);
    // "Entfernen": the relation at `index` goes. True when changed.
    bool RemoveRelation(int index);

private:
    // Counts a change of the master data for the session's "changed since the last save";
    // returns `changed`.
    bool Changed(bool changed = true);

    Stammdaten& data_;
};

} // namespace sw
