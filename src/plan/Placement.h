// SPDX-License-Identifier: GPL-3.0-or-later
// Placement.h: may lesson hour h stand at slot s in room r? The single rule book of the planner:
// the initial plan, the gap minimisation, every optimisation move and every manual move ask it.
// It never changes the grid. PlacementRefusal and FindObstacles only read the plan;
// CheckPlacement, as the rest of the system knows it, also writes the plan's conflict report.
#pragma once

#include "model/Regeln.h"
#include "plan/Plan.h"

#include <cstdint>
#include <span>
#include <vector>

namespace sw {

// Why an hour may not stand at a slot in a room; kind Keiner when it may. A value of two words,
// returned in registers: asking for it allocates nothing and changes nothing.
struct Refusal {
    // Whose index `Index` is: the room, class or teacher the refusal names.
    enum class Names : std::int8_t { Nothing, Room, Class, Teacher };

    // The hour the refusal names: the occupant of the cell (Raum), the lesson that clashes
    // (Klasse, Lehrer), or the hour itself when its own preset or the week rules the slot out
    // (Zeit, Limit). None for a lock and for a class's hour limit: their owner is named instead.
    const CStunde* Stunde = nullptr;
    std::int32_t Index = -1;
    Konflikt Kind = Konflikt::Keiner;
    Names Of = Names::Nothing;
    std::int8_t Regel = -1; // with Konflikt::Regel: the RegelArt of the rule refused

    // A rule of the school: its kind, and the teacher or class it belongs to (or the hour of the
    // related block in the way).
    static constexpr Refusal ByRule(RegelArt art, Names of, int index,
                                    const CStunde* hour = nullptr) {
        return {hour, index, Konflikt::Regel, of, static_cast<std::int8_t>(art)};
    }

    static constexpr Refusal ByHour(Konflikt kind, const CStunde* hour) {
        return {hour, -1, kind, Names::Nothing};
    }
    static constexpr Refusal ByRoom(Konflikt kind, int room, const CStunde* hour = nullptr) {
        return {hour, room, kind, Names::Room};
    }
    static constexpr Refusal ByClass(Konflikt kind, int klasse, const CStunde* hour = nullptr) {
        return {hour, klasse, kind, Names::Class};
    }
    static constexpr Refusal ByTeacher(Konflikt kind, int lehrer, const CStunde* hour = nullptr) {
        return {hour, lehrer, kind, Names::Teacher};
    }

    // True when the hour may not stand there.
    explicit operator bool() const { return Kind != Konflikt::Keiner; }
    // The occupied or locked room; the class that clashes, is locked or whose hour limit is
    // passed; the teacher who clashes or is locked. -1 when the refusal names none.
    int Raum() const { return Of == Names::Room ? Index : -1; }
    int Klasse() const { return Of == Names::Class ? Index : -1; }
    int Lehrer() const { return Of == Names::Teacher ? Index : -1; }
};

// Why h may not stand at (slot, room), or Keiner (the kinds are those of KonfliktArt, Plan.h). A
// slot outside the week in use (CPlan::InWeek) is refused first, as Zeit with h itself. h standing
// in that very cell is refused as occupied; elsewhere at the slot h itself never clashes.
Refusal PlacementRefusal(const CPlan& plan, const CStunde& h, int slot, int room);

// PlacementRefusal, written into the plan's conflict report. nullptr: h may stand at (slot,
// room); the report fields are then -1 except KonfliktStunde, which keeps its value. Otherwise
// KonfliktArt and the fields of the refusal are set, KonfliktStunde when the refusal names an
// hour, and the answer is that hour, the cell's placeholder for a locked room, or h itself for
// another lock or a class's hour limit. Allocates nothing.
const CStunde* CheckPlacement(CPlan& plan, const CStunde& h, int slot, int room);

// The rules after the room's own (a preset, the hour bounds, the day restriction, the locks of
// teacher and classes, the school's rules, the clashes), as PlacementRefusal applies them: their
// answer for h at `slot` is the same in every room. Only reads the plan.
Refusal RefusalBeyondRoom(const CPlan& plan, const CStunde& h, int slot);

// The rules in the order the check applies them; the first refusal ends the check.
enum class Rule : std::uint8_t {
    OutsideWeek,   // the slot lies outside the week in use
    CellOccupied,  // the cell holds a lesson
    RoomLocked,    // the room is locked at the slot
    FixedTime,     // the hour's fixed time is another slot
    HourBound,     // an upper or lower hour bound of the hour
    DayLimit,      // the day restriction of the hour
    TeacherLocked, // the teacher is locked at the slot
    ClassRules,    // a class of the hour is locked, or the slot lies beyond its hour limit
    SchoolRules,   // a rule of the school (PlanRules.h): a break, the allowed times, the rules
                   // over the days of the hour's teacher, classes and block
    LessonClash,   // the first lesson at the slot, in room order, that clashes with the hour
};

// One rule alone: its refusal, or Keiner.
Refusal CheckRule(Rule rule, const CPlan& plan, const CStunde& h, int slot, int room);

// Whether the rules of a slot that no moving of other lessons can change (the week, the hour's
// presets, the teacher's and the classes' locks and limits, the school's breaks and allowed
// times) let h stand at `slot`; the rooms' locks, the lessons standing there and the rules over
// the days are not asked. Allocates nothing.
bool SlotRulesAllow(const CPlan& plan, const CStunde& h, int slot);

// Whether lesson y, standing at h's slot, clashes with h there, and how (Klasse or Lehrer).
Refusal ClashWith(const CStunde& h, const CStunde& y);

// --- what stands in the way ----------------------------------------------------------------------

// One hour to put into one cell.
struct Seat {
    const CStunde* Hour = nullptr;
    int Slot = kNoSlot;
    int Room = -1;
};

// A lesson that stands in the way of a placement.
struct Obstacle {
    const CStunde* Hour = nullptr;
    Konflikt Kind = Konflikt::Raum; // Raum: it holds the cell; Klasse, Lehrer: it clashes
    // Whether it can make way: a clashing lesson must leave the slot, so a fixed time keeps it
    // there; an occupant may also change rooms, so only a fixed time with no other candidate
    // room keeps it in the cell. Moving a unit's hour or a course hour moves its whole unit and
    // its parallel hours.
    bool Movable = true;
};

// Everything that stands in the way of putting some hours at their seats at once.
struct Obstacles {
    // The first reason that no moving of other hours can remove: a lock, a fixed time, an hour
    // bound, the day restriction, a class's hour limit, a slot outside the week, or two of the
    // seats in one cell. Kind Keiner when there is none.
    Refusal Fixed;
    // Every lesson in the way, each once, in the order of the seats and then of the rooms.
    std::vector<Obstacle> Hours;
    // The seats the convenience calls ask about (their scratch list).
    std::vector<Seat> Seats;

    // Nothing in the way: the hours may be put as asked.
    bool Free() const { return !Fixed && Hours.empty(); }
    // Moving the lessons in the way elsewhere would clear it: no fixed reason, and each of them
    // can make way.
    bool Removable() const;
};

// Lists what stands in the way of putting every hour of `seats` into its cell at once. The hours
// being put count as lifted: they never stand in their own way. `out.Fixed` and `out.Hours` are
// replaced (the list keeps its capacity). Reads the plan only.
void FindObstacles(const CPlan& plan, std::span<const Seat> seats, Obstacles& out);
// The same for one hour at (slot, room).
void FindObstacles(const CPlan& plan, const CStunde& h, int slot, int room, Obstacles& out);
// The same for the unit that begins with `first`, each hour p at start + p in `room`.
void FindUnitObstacles(const CPlan& plan, const CStunde& first, int start, int room,
                       Obstacles& out);
// The same for the parallel hours of course hour h at `slot`, hour i of its ParallelL in
// rooms[i]. `rooms` must name one room per parallel hour.
void FindGroupObstacles(const CPlan& plan, const CStunde& h, int slot, std::span<const int> rooms,
                        Obstacles& out);

} // namespace sw
