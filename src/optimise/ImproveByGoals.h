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
// call returns.
#pragma once

#include "optimise/GoalTests.h"
#include "plan/Plan.h"
#include "plan/Seating.h"

#include <vector>

namespace sw {

class GoalImprover {
public:
    // Keeps its work lists between calls, sized for `plan`, so a call allocates nothing.
    explicit GoalImprover(CPlan& plan);

    // Tries up to `classTries` random classes (each class at most once per call), up to 50 slot
    // pairs each, until `wanted` moves were accepted. Returns the number of accepted moves; a
    // shifted unit counts its length. `strategy` picks the record an accepted move updates.
    int operator()(int strategy, int classTries, int wanted);

    // Accepted moves of each kind since the improver was made (a unit shift counts once).
    struct Counts {
        long long singleSwaps = 0, courseSwaps = 0, unitShifts = 0;
    };
    const Counts& Accepted() const { return counts_; }

private:
    struct Lifted {
        CStunde* hour;
        int room;
        int slot;
    };

    bool FindPair(int klasse, int k, int l, CStunde*& o, CStunde*& p) const;
    bool SingleSwap(int klasse, CStunde& o, int k, CStunde& p, int l, int strategy);
    bool CourseSwap(CStunde& course, int x, CStunde& single, int y, int strategy);
    int UnitShift(int klasse, const CStunde& hour, int strategy);

    // Takes the hour out of its cell and leaves the marker there.
    void LiftToMarker(CStunde& h, std::vector<Lifted>& into);
    // Puts lifted hours back to their cells and clears the markers left.
    void PutBack(const std::vector<Lifted>& lifted);
    void ClearMarkers(const std::vector<Lifted>& cells);
    // Status records of teachers and classes, saved before a move and restored on rejection.
    void SaveTeacher(int t, MoveSums& before);
    void SaveClass(int k, MoveSums& before);
    void EvaluateSaved(MoveJudgement& j);
    void RestoreSaved();
    bool Judge(MoveKind kind, int strategy, MoveJudgement& j);
    // The single-class, single-hour lesson of class k at `slot`, or nullptr.
    CStunde* SingleHourOf(int k, int slot, bool movableOnly) const;

    CPlan& plan_;
    Seating seating_;
    std::vector<int> classes_;
    std::vector<CStunde*> singles_; // course swap: the classes' single hours at the other slot
    std::vector<Lifted> lifted_, moved_;
    std::vector<int> takenX_, takenY_, chosen_, order_;
    std::vector<int> teachers_, classesSaved_;
    std::vector<CLehrerStatus> savedTeachers_;
    std::vector<CKlassenStatus> savedClasses_;
    Counts counts_;
};

} // namespace sw
