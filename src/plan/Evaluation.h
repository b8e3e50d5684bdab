// SPDX-License-Identifier: GPL-3.0-or-later
// Evaluation.h: the figures a plan is judged by. Gap hours of teachers and classes, the spread of
// lessons over the days (a product of lessons per day, against an ideal), separation errors and
// special separation errors; and the targets and each class's hour limit, from the lessons the
// plan counted.
#pragma once

#include "plan/Plan.h"

namespace sw {

// Targets of every class and teacher (StundenLimit, MaxProTag, MinProTag, TageMitMax, ProdOpt)
// from the lessons per week the plan counted, into KlassenSollL and LehrerSollL, and the plan's
// ideal sums KProdOpt and LProdOpt. A teacher or class outside the optimisation keeps its ProdOpt.
void ComputeTargets(CPlan& plan);

// Recompute one status record from the grid. Nothing happens for a teacher or class outside the
// optimisation (Opti clear). Neither depends on other records; neither allocates.
void EvaluateTeacher(CPlan& plan, int t);
void EvaluateClass(CPlan& plan, int k);
// The same into `st` instead of the plan's record; `st` stays as it is for a teacher or class
// outside the optimisation. The plan is not changed and nothing is reported.
void EvaluateTeacherInto(const CPlan& plan, int t, CLehrerStatus& st);
void EvaluateClassInto(const CPlan& plan, int k, CKlassenStatus& st);

// Every status record and every total of the plan.
void EvaluateAll(CPlan& plan);

// The largest product h hours can reach spread over d days.
int IdealProduct(int hours, int days);

} // namespace sw
