// SPDX-License-Identifier: GPL-3.0-or-later
// ImproveByGoals.h: the goal-directed improvement, the workhorse of every optimisation step after
// the initial plan. It picks random classes and random pairs of slots and tries one of three
// moves on the class's lessons there; a move stays only when every active goal accepts it.
//
//   single swap:  [J: Mathe (L1)] at K  <->  [J: Deutsch (L2)] at L, new rooms drawn at random
//   course swap:  [J+5b: Reli, all parallel parts] at X  <->  the single hours of 5a and 5b at Y
//   unit shift:   a double lesson of J moves to T, T+1; J's single hours there move to X, X+1
//
// While an hour is lifted its cell holds the plan's LeerStunde marker; no cell holds it when a
// call returns. Every move writes what it changed into its MoveRecord; a rejected move is taken
// back by CPlan::Undo.
#pragma once

#include "optimise/GoalTests.h"
#include "plan/MoveRecord.h"
#include "plan/Plan.h"
#include "plan/Seating.h"

#include <vector>

namespace sw {

class GoalImprover {
public:
    // Keeps its work lists between calls, sized for `plan`, so a call allocates nothing. Every
    // random choice is drawn from `rng`.
    GoalImprover(CPlan& plan, Random& rng);

    // Tries up to `classTries` random classes (each class at most once per call), up to 50 slot
    // pairs each, until `wanted` moves were accepted. Returns the number of accepted moves; a
    // shifted unit counts its length. `rule` picks the record an accepted move updates.
    int operator()(AcceptanceKind rule, int classTries, int wanted);

    // One try of the main loop: the lessons of class J at slots K and L and the move they allow.
    // Returns the moves accepted, as above. Record() then says what the kept move changed, so
    // that it can be undone; it is empty when nothing was kept.
    int TryPair(int klasse, int k, int l, AcceptanceKind rule);
    const MoveRecord& Record() const { return record_; }

    // Accepted moves of each kind since the improver was made (a unit shift counts once).
    struct Counts {
        long long singleSwaps = 0, courseSwaps = 0, unitShifts = 0;
    };
    const Counts& Accepted() const { return counts_; }

private:
    bool FindPair(int klasse, int k, int l, CStunde*& o, CStunde*& p) const;
    bool SingleSwap(int klasse, CStunde& o, int k, CStunde& p, int l, AcceptanceKind rule);
    bool CourseSwap(CStunde& course, int x, CStunde& single, int y, AcceptanceKind rule);
    int UnitShift(int klasse, const CStunde& hour, AcceptanceKind rule);

    // Course swap: lifts the parallel parts at X and the classes' single hours at Y, and seats
    // the singles at X and the parts at Y; false (everything lifted still out) when not all of
    // them find rooms.
    bool LiftAndSeatCourse(CStunde& course, int x, CStunde& single, int y);
    // Unit shift: a new start T for the unit that begins with `first` at slot x, not overlapping
    // its old place, below the class's hour `limit`; false when the bounded redraws find none.
    // T is kNoSlot when the start drawn would carry the unit past the end of the day.
    bool DrawShiftStart(const CStunde& first, int x, int limit, int& start);
    // Unit shift: rooms for the displaced hours at X, X+1, ..., taken in a random order; up to
    // five attempts. Fills chosen_ with (hour, room) pairs.
    bool SeatDisplaced(int x, int n);

    // Takes the hour out of its cell and leaves the marker there.
    void LiftToMarker(CStunde& h);
    // Evaluates what the move touched, asks the goals and, when they accept, brings the totals
    // and records up to date. The totals are saved into the record first.
    bool Judge(MoveKind move, AcceptanceKind rule, MoveJudgement& j);
    // By the goals' verdict the move stays (its markers go, `counter` counts it) or is taken
    // back (and its record cleared); returns the verdict.
    bool Settle(bool accepted, long long& counter);
    void TakeBack();
    // The single-class, single-hour lesson of class k at `slot`, or nullptr.
    CStunde* SingleHourOf(int k, int slot, bool movableOnly) const;

    CPlan& plan_;
    Random& rng_;
    Seating seating_;
    MoveRecord record_;
    std::vector<int> classes_;
    std::vector<CStunde*> singles_;   // course swap: the classes' single hours at Y
    std::vector<CStunde*> displaced_; // unit shift: the single hours standing at T, T+1, ...
    std::vector<int> takenX_, takenY_, order_;
    std::vector<std::pair<CStunde*, int>> chosen_; // unit shift: displaced hour k and its room
    Counts counts_;
};

} // namespace sw
