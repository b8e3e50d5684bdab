// SPDX-License-Identifier: GPL-3.0-or-later
// GoalTests.h: how the goals judge a move. Each move measures the figures of the classes and
// teachers it touched before and after; the active goals, in ascending order, decide whether the
// move stays. What a goal tests depends on the move; the table in GoalTests.cpp says it per move.
#pragma once

#include "plan/Acceptance.h"
#include "plan/MoveRecord.h"
#include "plan/Plan.h"
#include "plan/Random.h"

namespace sw {

enum class MoveKind { Exchange, SingleSwap, CourseSwap, UnitShift };

// The figures of the touched classes and teachers, summed.
struct MoveSums {
    long long kls = 0, kprod = 0, tf = 0, stf = 0, lls = 0, lprod = 0;
};

struct MoveJudgement {
    MoveSums before, after;
    int newMax = 0;           // the teacher-gap maximum after the move (never below LLSMax)
    long long candidate = 0;  // the plan's teacher-gap total after the move
    bool rulesBroken = false; // a touched teacher or class gave up a rule of the school it held
};

// Measuring a move: before it changes anything, each touched teacher and class is saved into
// the move's record (once) and its figures are added to `before`; after it, EvaluateMeasured
// evaluates every saved class and then every saved teacher again, sums their figures into
// j.after, and sets j.newMax (the larger of LLSMax and the teachers' new gap counts) and
// j.candidate (the plan's teacher-gap total after the move).
void MeasureTeacher(const CPlan& plan, int t, MoveRecord& record, MoveSums& before);
void MeasureClass(const CPlan& plan, int k, MoveRecord& record, MoveSums& before);
void EvaluateMeasured(CPlan& plan, const MoveRecord& record, MoveJudgement& j);

// True when the move gives up no rule of the school and every active goal accepts it. Goal 21 draws
// one random fraction from `rng` when the goals before it have accepted.
bool GoalsAccept(const CPlan& plan, Random& rng, MoveKind kind, const MoveJudgement& j);

// The plan's totals follow the move's differences: separation errors, special separation errors,
// teacher distribution, teacher gaps, and the maximum is raised. (Class gaps and class
// distribution cannot change: the moves keep every class busy at the same slots.)
void ApplyTotals(CPlan& plan, const MoveJudgement& j);

// After an accepted move: ApplyTotals, then the record of `kind` follows the candidate total.
void ApplyAccepted(CPlan& plan, AcceptanceKind kind, const MoveJudgement& j);

} // namespace sw
