// SPDX-License-Identifier: GPL-3.0-or-later
// ClassGaps.h: class-gap minimisation. Moves one movable lesson of a class (a single hour without
// fixed time) from a slot S of hours 2.. into a slot T where the class has no lesson, and keeps or
// undoes the move by the plan's goal set.
//
//   class k        before               after
//            hour 1 [ D ]              [ D ]
//            hour 2 [ E ]  <- S        [   ]
//            hour 3 [   ]  <- T        [ E ]       (a course hour moves with all its parallel
//            hour 4 [ M ]              [ M ]        hours, into rooms drawn for each of them)
//
// A kept move brings KLSSumme, TFSumme, STFSumme, LLSSumme and LProd up to date by the
// differences of the records it touched; KProd and LLSMax take their new values (LLSMax only ever
// grows here: it is the larger of itself and the touched teachers' new gap sums). TFMax and STFMax
// are left to the next EvaluateAll. An undone move leaves grid, records and totals as they were.
#pragma once

#include "plan/MoveRecord.h"
#include "plan/Plan.h"
#include "plan/Seating.h"

#include <cstdint>
#include <vector>

namespace sw {

// Selection modes of MinimiseClassGaps.
enum ClassGapMode : int {
    kGapModeAll = 0,        // every class
    kGapModeGaps = 1,       // classes with gaps; others with a chance of 20 in 101
    kGapModeSpread = 4,     // spread below the ideal; others with a chance of 26 in 101; only
                            // lessons at the end of a run of lessons move
    kGapModeRecord = 19,    // spread below the ideal; a kept move may raise KProdRekord
    kGapModeAnnealing = 20, // as 19, and the temperature follows the record
};

namespace texte {
inline constexpr const char* SollteLeerstunde = "Sollte eine Leerstunde sein!";
} // namespace texte

// The figures of a move's classes and teachers (or their sums) and the plan totals that the goal
// test compares before and after the move.
struct ClassGapFigures {
    int KLS = 0;      // class gaps
    int TF = 0;       // separation errors
    int STF = 0;      // special separation errors
    int KProd = 0;    // the plan's class spread
    int LLS = 0;      // teacher gaps
    int LProd = 0;    // teacher spread
    int LLSMax = 0;   // largest teacher gap sum
    int LLSSumme = 0; // sum of the teachers' gaps
};

// The goal test: goals 0..21 in ascending order, each goal that is on may reject; true when none
// does. Goal 20 draws one random number from `rng` when it decides.
bool ClassGapGoalsAccept(const CPlan& plan, Random& rng, const ClassGapFigures& before,
                         const ClassGapFigures& after);

// The class-gap minimisation with scratch lists that live across passes; keep one per run so
// that passes allocate nothing.
class ClassGapMinimiser {
public:
    // Every random choice is drawn from `rng`.
    ClassGapMinimiser(CPlan& plan, Random& rng);

    // One pass over all classes in random order; each class chosen by `mode` gets `count` move
    // attempts. Expects the plan's totals to be those of EvaluateAll.
    void Pass(int mode, int count);

    // One move attempt for class k (whatever its selection by the mode); true when a move was
    // kept. Record() then says what it changed, so that it can be undone; after an attempt that
    // kept nothing the record is empty (a rejected move has been undone already).
    bool Attempt(int k, int mode);
    const MoveRecord& Record() const { return record_; }

    // Move attempts made and moves kept since construction.
    std::int64_t Attempts() const { return attempts_; }
    std::int64_t Kept() const { return kept_; }

private:
    bool Chosen(int k, int mode);
    int FindTarget(int k);
    CStunde* FindSource(int k, int target, int& source);
    void MoveSubject(CStunde& s, int target, int mode);
    void MoveCourse(CStunde& c, int target, int mode);
    bool ChooseCourseRooms(const CStunde& c, int target);
    // A move begins: the record is cleared and the totals saved. A rejected move is taken back.
    void Begin();
    void TakeBack();
    void Keep(const ClassGapFigures& before, const ClassGapFigures& after, int mode);
    ClassGapFigures CourseFigures(const CStunde& c) const;

    CPlan& plan_;
    Random& rng_;
    Seating seating_;
    std::vector<int> classes_; // the classes still to be visited in this pass
    std::vector<int> rooms_;   // course move: the room chosen for each parallel hour
    std::vector<int> former_;  // course move: the room each parallel hour came from
    MoveRecord record_;        // what the current (or last kept) move changed
    std::int64_t attempts_ = 0;
    std::int64_t kept_ = 0;
    bool lastKept_ = false;
};

// One pass with a minimiser of its own; see ClassGapMinimiser::Pass.
void MinimiseClassGaps(CPlan& plan, Random& rng, int mode, int count);

} // namespace sw
