// SPDX-License-Identifier: GPL-3.0-or-later
// MoveRecord.h: what one move changed in a plan, so that CPlan::Undo takes it back exactly: the
// cells it lifted hours out of and put hours into, in order; the status records of the teachers
// and classes it was about to evaluate again; the plan's totals before it changed them.
//
//   move:  Lift h7 (0, X)   Lift h9 (2, Y)   Place h9 (0, X)   Place h7 (1, Y)
//   undo:  Lift (1, Y)      Lift (0, X)      Place h9 (2, Y)   Place h7 (0, X)   records, totals
//
// A move fills its record through CPlan::Lift, LiftToMarker and Place with the record, and
// through the Save calls; a rejected move is undone at once, a kept one may be undone later
// (the manual editing keeps its records as its undo history). A record allocates nothing once
// its lists have grown to the size of the largest move.
#pragma once

#include "plan/Plan.h"

#include <vector>

namespace sw {

class MoveRecord {
public:
    // One change of one cell.
    struct Step {
        CStunde* Hour;
        int Room;
        int Slot;
        bool Placed; // true: the hour was put into the cell; false: it was lifted out
        bool Marker; // the cell held the marker before the hour was put in, or was left with it
    };

    // Forgets everything; the lists keep their capacity.
    void Clear();
    void Reserve(std::size_t steps, std::size_t teachers, std::size_t classes);

    // Saves the status record of teacher t / class k, once per move; true when it was not saved
    // yet.
    bool SaveTeacher(const CPlan& plan, int t);
    bool SaveClass(const CPlan& plan, int k);
    // Saves the plan's totals; a second call in the same move keeps the first.
    void SaveTotals(const CPlan& plan);

    const std::vector<Step>& Steps() const { return steps_; }
    // The saved records, in the order saved; each carries its own index.
    const std::vector<CLehrerStatus>& Teachers() const { return teachers_; }
    const std::vector<CKlassenStatus>& Classes() const { return classes_; }
    bool HasTotals() const { return hasTotals_; }
    const PlanTotals& Totals() const { return totals_; }
    bool Empty() const { return steps_.empty() && teachers_.empty() && classes_.empty(); }

    // Whether every saved teacher and class breaks no more of the school's rules that adding
    // hours can mend (a day's minimum, the gaps, the fewest days) than before the move (the grid
    // with the record's cell changes taken back): a move never gives up such a rule the plan
    // held. Always true without such rules. Allocates nothing.
    bool RulesHeld(const CPlan& plan) const;

private:
    friend class CPlan;
    std::vector<Step> steps_;
    std::vector<CLehrerStatus> teachers_;
    std::vector<CKlassenStatus> classes_;
    PlanTotals totals_{};
    bool hasTotals_ = false;
};

} // namespace sw
