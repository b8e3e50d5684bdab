// SPDX-License-Identifier: GPL-3.0-or-later
// Plan.h: the timetable of one week in memory. The plan is a grid of rooms x slots
// (`Belegung`); each cell holds one lesson hour (`CStunde`) or a free placeholder. Only Place,
// Lift, Swap and the marker calls write the grid; they keep the occupancy counts of teachers,
// classes and course blocks beside it in step, which the placement check and the evaluation read.
// A move writes its changes into a MoveRecord as it makes them, and Undo takes them back.
//
//            slot 0   slot 1   ...  slot 90
//   room 0  [ free ][ h17  ]      [ free ]
//   room 1  [ h3   ][ free ]      [ free ]
//
// Beside the grid the plan keeps its state in named parts, each a type of its own with a const
// accessor that everyone reads and a few named writers: the totals (`Totals`, figures and the
// working values of the acceptance rules), the options the plan file stores (`Flags`), the
// conflict report (`Conflict`), the goals (`HasGoal`), and per teacher and class the status and
// targets (`PlanList`s, read as vectors, written by the plan layer through PlanWriter.h). The
// week's shape and the counts are const: fixed when the plan is made. A new part of plan state is
// one addition here: its type, one private member, its accessor and writers; a part that undo or
// a snapshot must give back goes into PlanTotals or PlanSnapshot beside the others.
//
// The plan refers to teachers, classes, rooms and subjects by their index in the master data as it
// was when the plan was built; the master data must not change structurally while a plan exists.
// The plan only reads the master data: what it counts and computes (lessons per week, targets) it
// keeps itself.
#pragma once

#include "model/NameIndex.h"
#include "model/Report.h"
#include "model/Slot.h"
#include "model/Stammdaten.h"
#include "plan/Goals.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sw {

struct CStunde;

// How a lesson hour's preset binds it. The numbers are those the plan file stores.
enum class Modus : std::int32_t {
    Frei = 0,            // no preset, or only an hour bound
    ZeitFest = 1,        // the time is fixed
    RaumFest = 2,        // the room is fixed
    ZeitUndRaumFest = 3, // time and room are fixed
};

// Why the placement check refused an hour (KonfliktArt). The numbers index KonfliktTexte.
enum class Konflikt : std::int8_t {
    Keiner = -1,
    Raum = 0,        // the cell is occupied
    Klasse = 1,      // a class of the hour has another lesson at the slot
    Lehrer = 2,      // the teacher has another lesson at the slot
    Limit = 3,       // an hour bound or the day restriction of the hour
    Sperrung = 4,    // the room, the teacher or a class is locked at the slot
    Zeit = 5,        // the fixed time, a class's hour limit, or a slot outside the week
    ErsteStunde = 6, // only the initial plan: a class's first hour stays empty
    Regel = 7,       // a rule of the school (PlanRules.h); ConflictReport::KonfliktRegel names it
};

using IntList = std::vector<int>;
using SharedInts = std::shared_ptr<IntList>;
using SharedHours = std::shared_ptr<std::vector<CStunde*>>;

// One hour of one teacher. A unit of n hours becomes n objects; a course hour taught by k teachers
// becomes k objects at the same slot (its `ParallelL`). With `Lehrer` -1 it is a placeholder.
struct CStunde {
    std::int32_t Lehrer = -1;   // teacher index; -1 marks a placeholder
    std::int32_t Klasse = -1;   // class index; -1 for a course hour
    std::int32_t FachKurs = -1; // subject index, or course-block index for a course hour
    SharedInts KlassenL;        // course hours: the block's classes, shared by all its hours
    SharedInts RaumL;           // candidate rooms: the unit's own list or the plan's UniversalRaumL
    std::int32_t ErsteStundeIdx = -1; // later hours of a unit with its own RaumL: its first hour
    SharedHours ParallelL;            // course hours: the hours of all teachers at this position
    std::int32_t Laenge = 0;
    std::int32_t Zeit = kNoSlot; // preset slot (fixed time or hour bound)
    std::int32_t BlockPos = -1;  // -1 single hour, else 0..Laenge-1
    sw::Modus Modus = sw::Modus::Frei;
    Flag Trennung = 0;
    Flag Regeln = 0; // a rule of the school concerns the hour (PlanRules.h)
    std::int32_t SpezialTrennung = -1;
    Flag NurUrPlan = 0;
    Flag OberesLimit = 0;
    Flag UnteresLimit = 0;
    Flag TagesLimit = 0;
    std::int32_t Tag = -1;

    std::int32_t Index = -1; // position in the plan's StundenL; -1 for placeholders

    bool IsLesson() const { return Lehrer != -1; }
    bool IsCourse() const { return Lehrer != -1 && Klasse == -1; }
    bool IsFirstOfUnit() const { return BlockPos <= 0; }
    bool TimeFixed() const {
        return Modus == sw::Modus::ZeitFest || Modus == sw::Modus::ZeitUndRaumFest;
    }
    bool RoomFixed() const {
        return Modus == sw::Modus::RaumFest || Modus == sw::Modus::ZeitUndRaumFest;
    }
    int RoomCount() const { return RaumL ? static_cast<int>(RaumL->size()) : 0; }
    // Whether this lesson involves class k: a subject hour of k, or a course hour with k among
    // its classes. A placeholder involves no class.
    bool Involves(int k) const {
        if (!IsLesson()) return false;
        if (Klasse != -1) return Klasse == k;
        if (!KlassenL) return false;
        for (int c : *KlassenL)
            if (c == k) return true;
        return false;
    }
};

struct CLehrerStatus {
    std::int32_t Index = -1;
    std::int32_t LLS = 0;
    std::int32_t MaxLuecke = 0;
    std::int32_t MaxStunden = 0;
    std::int32_t MinStunden = 4000;
    std::int32_t Prod = 0;
    Flag Gezaehlt = 1;
    bool operator==(const CLehrerStatus&) const = default;
};

struct CKlassenStatus {
    std::int32_t Index = -1;
    std::int32_t KLS = 0;
    std::int32_t MaxLuecke = 0;
    std::int32_t MaxStunden = 0;
    std::int32_t MinStunden = 4000;
    std::int32_t Prod = 0;
    std::int32_t TF = 0;
    std::int32_t STF = 0;
    Flag Gezaehlt = 1;
    bool operator==(const CKlassenStatus&) const = default;
};

// What the plan counts and computes for one teacher or class: its lessons per week
// (BuildLessonHours) and its targets (ComputeTargets). The master data is not touched.
struct CLehrerSollwerte : CLehrerSoll {
    std::int32_t WochenStunden = 0;
    bool operator==(const CLehrerSollwerte&) const = default;
};
struct CKlassenSollwerte : CKlassenSoll {
    std::int32_t WochenStunden = 0;
    bool operator==(const CKlassenSollwerte&) const = default;
};

inline constexpr int kOptWerteAnzahl = 6;

// The working values of the optimisation: the records the acceptance rules keep (Acceptance.h
// owns them) and the values a stage sets when it starts. The plan file stores the first six, in
// this order, as its "OptWerte".
struct Optimierungswerte {
    std::int32_t BestLLS = 0;       // the lowest teacher-gap total reached (deluge, annealing,
                                    // record plus margin)
    std::int32_t TFStart = 0;       // separation errors when "6. Lehrerstunden verteilen" began
    std::int32_t LProdStart = 0;    // the teacher distribution then
    std::int32_t LLSAkzeptanz = 0;  // how far above BestLLS record plus margin accepts
    std::int32_t Zusatz1 = 0;       // two further values the stage "6." sets (2 and 200); no
    std::int32_t Zusatz2 = 0;       // move reads them, the plan file keeps them
    std::int32_t KProdToleranz = 0; // how far below KProdRekord the class record accepts
    std::int32_t KProdRekord = 0;   // the highest class distribution reached
    float Temperatur = 0.0f;        // the deluge level, or the temperature of an annealing

    // The six values of the plan file's OptWerte, in their order, and back: the one place that
    // maps their names to their positions.
    std::array<std::int32_t, kOptWerteAnzahl> OptWerte() const {
        return {BestLLS, TFStart, LProdStart, LLSAkzeptanz, Zusatz1, Zusatz2};
    }
    void SetOptWerte(const std::array<std::int32_t, kOptWerteAnzahl>& v) {
        BestLLS = v[0], TFStart = v[1], LProdStart = v[2], LLSAkzeptanz = v[3];
        Zusatz1 = v[4], Zusatz2 = v[5];
    }
    bool operator==(const Optimierungswerte&) const = default;
};

// The plan's figures, their ideals and the working values of the optimisation, as one value: what
// a move may change beside the grid and the status records, and what a snapshot keeps of them.
struct PlanTotals {
    std::int32_t LLSSumme = 0, KLSSumme = 0, TFSumme = 0, TFMax = 0, STFSumme = 0, STFMax = 0;
    std::int32_t LLSMax = 0, LLSLimit = 0, LProd = 0, KProd = 0, LProdOpt = 0, KProdOpt = 0;
    Optimierungswerte Opt;
    // A new plan's figures, before its first evaluation.
    static constexpr PlanTotals NewPlan() {
        PlanTotals t;
        t.LLSSumme = t.KLSSumme = t.TFSumme = t.TFMax = 1000;
        t.LLSLimit = 2;
        return t;
    }
    bool operator==(const PlanTotals&) const = default;
};

// What a move changed in the figures it keeps up to date as it goes: differences of the sums, and
// the largest teacher-gap count it left.
struct FigureChange {
    std::int32_t TF = 0, STF = 0, LProd = 0, LLS = 0;
    std::int32_t LLSMax = 0;
};

// The options the plan file stores with the plan: whether a course hour, or a unit of several
// hours (course or not), may stand beyond a class's hour limit, and whether the initial plan gives
// up on a class whose first hour stays empty.
struct PlanFlags {
    Flag KursUeberStundenLimit = 0;
    Flag MehrfachKursUeberStundenLimit = 0;
    Flag MehrfachUeberStundenLimit = 0;
    Flag AbbruchErsteStunde = 1;
    bool operator==(const PlanFlags&) const = default;
};

// Why the placement check, a move or an edit refused: the kind, the room, class or teacher it
// names, and the hour in the way (or the hour itself for a lock or a limit).
struct ConflictReport {
    const CStunde* KonfliktStunde = nullptr;
    std::int32_t KonfliktRaum = -1;
    std::int32_t KonfliktKlasse = -1;
    std::int32_t KonfliktLehrer = -1;
    Konflikt KonfliktArt = Konflikt::Keiner;
    std::int8_t KonfliktRegel = -1; // with Konflikt::Regel: the RegelArt, else -1
    bool operator==(const ConflictReport&) const = default;
};

struct PlanWriter;

// A list the plan keeps: everyone reads it as a vector; only the plan writes it.
template <typename T> class PlanList {
public:
    using value_type = T;
    const T& operator[](std::size_t i) const { return items_[i]; }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    const std::vector<T>& Items() const { return items_; }
    operator const std::vector<T>&() const { return items_; }
    bool operator==(const PlanList&) const = default;

private:
    friend class CPlan;
    friend struct PlanWriter;
    std::vector<T> items_;
};

class MoveRecord;
class PlanRules;

class CPlan {
public:
    // Create: a plan over the master data's teachers, classes and rooms, with an empty grid.
    // The plan keeps `stamm` and `reporter` by reference; both must outlive it.
    CPlan(const Stammdaten& stamm, Reporter& reporter);
    ~CPlan();
    CPlan(const CPlan&) = delete;
    CPlan& operator=(const CPlan&) = delete;

    // Fills StundenL from the subject and course blocks and counts the WochenStunden of
    // LehrerSollL and KlassenSollL.
    void BuildLessonHours();
    // Takes every lesson hour out of the grid; the hours stay in StundenL.
    void ClearPlacements();

    // --- the grid ---------------------------------------------------------------------------
    const CStunde& At(int room, int slot) const { return *cells_[Cell(room, slot)]; }
    CStunde* HourAt(int room, int slot) const {
        CStunde* c = cells_[Cell(room, slot)];
        return c->IsLesson() ? c : nullptr;
    }
    bool IsFree(int room, int slot) const { return !cells_[Cell(room, slot)]->IsLesson(); }
    bool IsMarker(int room, int slot) const { return cells_[Cell(room, slot)] == &LeerStunde; }
    // The number of cells that hold the marker.
    int MarkerCount() const { return markers_; }
    // The free placeholder every empty cell shows (distinct from the LeerStunde marker).
    const CStunde& Frei() const { return frei_; }

    // Puts h into a free cell. h must not stand anywhere.
    void Place(CStunde& h, int room, int slot);
    // Takes the lesson hour out of a cell and returns it (nullptr when the cell was free).
    CStunde* Lift(int room, int slot);
    // Exchanges the contents of two cells (lessons, placeholders or markers).
    void Swap(int roomA, int slotA, int roomB, int slotB);
    // Puts the LeerStunde marker into a free cell / turns a marker cell back into a free one.
    void PutMarker(int room, int slot);
    void ClearMarker(int room, int slot);

    // --- moves that can be taken back (MoveRecord.h) ---------------------------------------------
    // Lift and Place as above, each change written into `record`; LiftToMarker leaves the marker
    // in the cell it empties.
    CStunde* Lift(int room, int slot, MoveRecord& record);
    CStunde* LiftToMarker(int room, int slot, MoveRecord& record);
    void Place(CStunde& h, int room, int slot, MoveRecord& record);
    // Takes a move back exactly: its cell changes in reverse order (markers included), then the
    // status records and the totals it saved. A cell that no longer holds what the record left
    // there is reported ("Hier sollte die _LeerStunde stehen!") and left alone.
    void Undo(const MoveRecord& record);
    // A move stays: the markers it left are cleared, and its record forgets them, so that an undo
    // later leaves those cells free.
    void DropMarkers(MoveRecord& record);

    // Whether `slot` lies in the week in use: a day below Tage and an hour 1..Stunden, or the 0th
    // hour where it is in use. No lesson ever stands outside.
    bool InWeek(int slot) const { return IsSlot(slot) && inWeek_[slot] != 0; }

    // Where h stands: room*91+slot, or -1 when it stands nowhere.
    int PositionOf(const CStunde& h) const { return position_[h.Index]; }
    int RoomOf(const CStunde& h) const {
        const int p = position_[h.Index];
        return p < 0 ? -1 : p / kSlotCount;
    }
    int SlotOfHour(const CStunde& h) const {
        const int p = position_[h.Index];
        return p < 0 ? kNoSlot : p % kSlotCount;
    }

    // Occupancy counts: lessons of teacher t / class k / course block b at slot s.
    int TeacherLessons(int t, int slot) const { return teacherCount_[t * kSlotCount + slot]; }
    int ClassLessons(int k, int slot) const { return classCount_[k * kSlotCount + slot]; }
    // The lesson of teacher t / class k at slot s when it is the only one there, else nullptr.
    // (Beside each count the plan keeps the XOR of the indices of the hours counted, which names
    // the hour whenever the count is 1.)
    CStunde* OnlyLessonOfTeacher(int t, int slot) const {
        return Only(teacherCount_[t * kSlotCount + slot], teacherXor_[t * kSlotCount + slot]);
    }
    CStunde* OnlyLessonOfClass(int k, int slot) const {
        return Only(classCount_[k * kSlotCount + slot], classXor_[k * kSlotCount + slot]);
    }
    int CourseLessons(int b, int slot) const { return kursCount_[b * kSlotCount + slot]; }
    // The hours of a day on which teacher t / class k has a lesson, as bits (hour h: bit h).
    std::uint16_t TeacherDayBits(int t, int day) const { return teacherDays_[t * kMaxDays + day]; }
    std::uint16_t ClassDayBits(int k, int day) const { return classDays_[k * kMaxDays + day]; }

    // --- lookups --------------------------------------------------------------------------------
    // The lesson of class k at `slot`: the first in room order that involves k and that `accept`
    // takes; nullptr when there is none (also for a class or slot outside the plan). With at most
    // one lesson of the class there, the occupancy counts answer without a room scan.
    template <typename Accept> CStunde* LessonOfClass(int k, int slot, Accept accept) const {
        if (k < 0 || k >= KlassenAnzahl || !IsSlot(slot)) return nullptr;
        const int n = ClassLessons(k, slot);
        if (n <= 1) {
            CStunde* only = n == 1 ? OnlyLessonOfClass(k, slot) : nullptr;
            return only && accept(*only) ? only : nullptr;
        }
        for (int r = 0; r < RaumAnzahl; ++r) {
            CStunde* h = cells_[Cell(r, slot)];
            if (h->Involves(k) && accept(*h)) return h;
        }
        return nullptr;
    }
    CStunde* LessonOfClass(int k, int slot) const {
        return LessonOfClass(k, slot, [](const CStunde&) { return true; });
    }
    // The lesson of teacher t at `slot`: the first in room order whose teacher is t.
    CStunde* LessonOfTeacher(int t, int slot) const;
    // The lesson in room r at `slot`.
    CStunde* LessonInRoom(int r, int slot) const { return HourAt(r, slot); }

    // The hours of a unit: the first hour of h's unit (h itself for a single hour), the length of
    // the unit that begins with `first`, and its hour p. A unit's hours follow each other in
    // StundenL, first hour first.
    CStunde& FirstOfUnit(const CStunde& h) const {
        return *StundenL[h.BlockPos <= 0 || h.BlockPos > h.Index ? h.Index : h.Index - h.BlockPos];
    }
    static int UnitLength(const CStunde& first) { return first.BlockPos < 0 ? 1 : first.Laenge; }
    CStunde& UnitHour(const CStunde& first, int p) const { return *StundenL[first.Index + p]; }

    // --- master data as the plan sees it -------------------------------------------------------
    const CLehrer& LehrerAt(int t) const { return stamm_.Lehrer[t]; }
    const CKlasse& KlasseAt(int k) const { return stamm_.Klassen[k]; }
    const CRaumFach& RaumAt(int r) const { return stamm_.Raeume[r]; }
    const Stammdaten& Stamm() const { return stamm_; }
    Reporter& Report() const { return reporter_; }

    // --- the parts of the plan's state -------------------------------------------------------
    // Everyone reads them through these accessors (references: reading costs nothing); each has
    // its writers below.

    // The figures and working values as one value, and back. Undo, a snapshot, an edit step and
    // the plan file give them back whole; a stage sets its working values; a move applies what it
    // changed.
    const PlanTotals& Totals() const { return totals_; }
    void SetTotals(const PlanTotals& t) { totals_ = t; }
    void SetOptimisation(const Optimierungswerte& o) { totals_.Opt = o; }
    void ApplyMoveFigures(const FigureChange& c) {
        totals_.TFSumme += c.TF;
        totals_.STFSumme += c.STF;
        totals_.LProd += c.LProd;
        totals_.LLSSumme += c.LLS;
        totals_.LLSMax = std::max(totals_.LLSMax, c.LLSMax);
    }

    // The options the plan file stores with the plan.
    const PlanFlags& Flags() const { return flags_; }
    void SetFlags(const PlanFlags& f) { flags_ = f; }
    void SetFirstHourFlag(bool abbruch) { flags_.AbbruchErsteStunde = abbruch ? 1 : 0; }
    // The three over-limit options alone; AbbruchErsteStunde keeps its value.
    void SetLimitFlags(bool kurs, bool mehrfachKurs, bool mehrfach) {
        flags_.KursUeberStundenLimit = kurs ? 1 : 0;
        flags_.MehrfachKursUeberStundenLimit = mehrfachKurs ? 1 : 0;
        flags_.MehrfachUeberStundenLimit = mehrfach ? 1 : 0;
    }

    // Why the last placement check, move or edit refused, and the hour it names.
    const ConflictReport& Conflict() const { return conflict_; }
    void ReportConflict(const ConflictReport& c) { conflict_ = c; }
    // The report without kind, room, class and teacher; the hour it names stays. (KonfliktRegel
    // counts only with the kind Regel, which sets it.)
    void ClearConflict() {
        conflict_.KonfliktRaum = -1;
        conflict_.KonfliktKlasse = -1;
        conflict_.KonfliktLehrer = -1;
        conflict_.KonfliktArt = Konflikt::Keiner;
    }
    void SetConflictHour(const CStunde* h) { conflict_.KonfliktStunde = h; }
    void SetConflictKind(Konflikt k) { conflict_.KonfliktArt = k; }
    void SetConflictRoom(int r) { conflict_.KonfliktRaum = r; }

    // The goals the moves ask, in ascending order, whether a move may stay.
    void ClearGoals() { ziele_.fill(0); }
    void SetGoal(Ziel z) { ziele_[Nummer(z)] = 1; }
    bool HasGoal(Ziel z) const { return ziele_[Nummer(z)] != 0; }
    GoalSet Goals() const {
        GoalSet g;
        for (Ziel z : kAlleZiele)
            if (HasGoal(z)) g.Add(z);
        return g;
    }
    // Clears the goals and sets those of `goals`.
    void SetGoals(GoalSet goals) {
        ClearGoals();
        for (Ziel z : kAlleZiele)
            if (goals.Has(z)) SetGoal(z);
    }

    // Per teacher and per class: the status the evaluation keeps (written by the evaluation and
    // given back whole by Undo, a snapshot or an edit step), and what the plan counts and computes
    // (lessons per week, targets). A new plan starts from the targets the master data carries, so
    // that a teacher or class outside the optimisation keeps its ideal spread as the file had it.
    PlanList<CLehrerStatus> LehrerStatusL;
    PlanList<CKlassenStatus> KlassenStatusL;
    PlanList<CLehrerSollwerte> LehrerSollL;
    PlanList<CKlassenSollwerte> KlassenSollL;
    void SetStatus(const std::vector<CLehrerStatus>& lehrer,
                   const std::vector<CKlassenStatus>& klassen);

    // --- fixed when the plan is made ------------------------------------------------------------
    // The week's shape and the counts of the master data.
    const std::int32_t Stunden;
    const std::int32_t Tage;
    const Flag Nullte;
    const std::int32_t LehrerAnzahl;
    const std::int32_t KlassenAnzahl;
    const std::int32_t RaumAnzahl;
    // Every lesson hour in build order. Filled once by BuildLessonHours and never resized after,
    // so pointers to its hours stay valid for the plan's life.
    PlanList<std::unique_ptr<CStunde>> StundenL;
    // The rooms an hour without rooms of its own may use.
    const SharedInts& UniversalRaumL() const { return universalRaumL_; }
    // The school's rules over the lesson hours (PlanRules.h), built with them; nullptr when the
    // master data states none.
    const PlanRules* Regeln() const { return regeln_.get(); }

    // Bumped by every run and every manual edit that changes the plan; see ChangeCount.h.
    ChangeCount Aenderungen;

    static constexpr std::array<const char*, 8> KonfliktTexte = {
        "Raum", "Klasse", "Lehrer", "Limit", "Sperrung", "Zeit", "Erste Stunde", "Regel"};
    // The text of a conflict kind; empty for none.
    static const char* KonfliktText(Konflikt k) {
        if (k == Konflikt::Keiner) return "";
        // cppcheck-suppress CastIntegerToAddressAtReturn ; an element of a table of texts
        return KonfliktTexte[static_cast<std::size_t>(k)];
    }

    // The marker a cell shows while the grid window has an empty cell selected, and that the
    // goal-directed moves leave behind for a moment; never a lesson.
    CStunde LeerStunde;

    // Number of lesson hours that stand in the grid.
    int PlacedCount() const { return placed_; }
    // Hours at slot s that count for the separation of class k: lessons of the class with
    // separation set that are the first hour of their unit.
    int SeparationLessons(int k, int slot) const { return trennCount_[k * kSlotCount + slot]; }

    // Scratch space of the evaluation, sized once so that evaluating allocates nothing.
    std::vector<std::pair<int, int>>& TrennungScratch() const { return trennungScratch_; }

private:
    int Cell(int room, int slot) const { return room * kSlotCount + slot; }
    CStunde* Only(int count, std::uint32_t xorOfIndices) const {
        return count == 1 ? StundenL[xorOfIndices].get() : nullptr;
    }
    void Count(const CStunde& h, int slot, int delta);
    // Building the lesson hours: a new hour of a unit with the unit's presets; the hours of the
    // unit it begins appended to StundenL (`parallel`: -1 no parallel list, 0 a new one for each
    // hour, n the list of the hour n places earlier); the candidate rooms of a subject or course
    // hour; the teachers and classes of a course block (false/empty: it yields no hours).
    void AddHour(std::unique_ptr<CStunde> h);
    int RoomIndexForUnit(const std::string& name);
    std::unique_ptr<CStunde> NewHour(int t, int k, int fachKurs, const CEinheit& unit,
                                     Flag trennung, int spezialTrennung);
    void AddUnit(std::unique_ptr<CStunde> first, int parallel);
    void AddUnitHour(std::unique_ptr<CStunde> h, int parallel);
    void SubjectRooms(CStunde& h, const CFachBlock& block);
    void CourseRooms(CStunde& h, const std::string& subject, const IntList& classes);
    bool CourseTeachers(const CKursBlock& block, std::vector<int>& teachers);
    SharedInts CourseClasses(const CKursBlock& block);
    void BuildSubjectBlock(const CFachBlock& block);
    void BuildCourseBlock(int c, const CKursBlock& block);

    friend struct PlanWriter;

    // The parts of the plan's state (see the accessors above).
    PlanTotals totals_ = PlanTotals::NewPlan();
    PlanFlags flags_;
    ConflictReport conflict_;
    std::array<Flag, kZielAnzahl> ziele_{};
    SharedInts universalRaumL_;

    const Stammdaten& stamm_;
    // The names of the master data while BuildLessonHours runs, nullptr otherwise.
    const StammdatenIndex* namen_ = nullptr;
    Reporter& reporter_;
    CStunde frei_;                // the free placeholder of every empty cell
    std::vector<CStunde*> cells_; // RaumAnzahl * 91, room by room
    std::vector<int> position_;   // per hour of StundenL: its cell, or -1
    std::vector<std::uint16_t> teacherCount_;
    std::vector<std::uint16_t> classCount_;
    std::vector<std::uint16_t> kursCount_;
    std::vector<std::uint16_t> trennCount_;
    std::vector<std::uint32_t> teacherXor_;
    std::vector<std::uint32_t> classXor_;
    std::vector<std::uint16_t> teacherDays_; // per teacher and day: the hours counted above 0
    std::vector<std::uint16_t> classDays_;
    mutable std::vector<std::pair<int, int>> trennungScratch_;
    std::array<std::uint8_t, kSlotCount> inWeek_{};
    int placed_ = 0;
    int markers_ = 0;
    // Last, so that the members the placement check reads keep their places.
    std::unique_ptr<PlanRules> regeln_;
};

} // namespace sw
