// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/GoalTests.h"

#include "plan/Evaluation.h"

#include <algorithm>
#include <array>

namespace sw {

namespace {

// What one goal tests for one move.
enum class Test {
    None,           // no effect
    Accept,         // accepts whatever happened
    KlsLe,          // class gaps not more
    KprodGe,        // class distribution not less
    MaxLe,          // teacher-gap maximum not more
    LprodGe,        // teacher distribution not less
    TfLe,           // separation errors not more
    LlsLe,          // teacher gaps not more
    LlsLeMaxLe,     // teacher gaps and maximum not more
    Combo13,        // TF not more, LLS equal, STF not more, maximum not more
    Combo14Equal,   // LLS not more, TF equal, STF equal, maximum not more
    Combo14Loose,   // LLS, TF, STF and maximum not more
    Combo14TfEqual, // LLS not more, TF equal, STF not more, maximum not more
    Level,          // great deluge: candidate total not above the level
    StfLe,          // special separation errors not more
    Record,         // record plus margin: candidate total not above BestLLS + LLSAkzeptanz
    Annealing,      // annealing: accepted by chance at the current temperature
};

struct GoalRow {
    Ziel goal;
    std::array<Test, 4> test; // by MoveKind: exchange, single swap, course swap, unit shift
};

using T = Test;
constexpr std::array<GoalRow, 13> kGoalTable = {{
    {Ziel::KlassenLuecken, {T::KlsLe, T::None, T::KlsLe, T::None}},
    {Ziel::KlassenVerteilung, {T::KprodGe, T::None, T::Accept, T::None}},
    {Ziel::LehrerLueckenMaximum, {T::MaxLe, T::MaxLe, T::MaxLe, T::MaxLe}},
    {Ziel::LehrerVerteilung, {T::LprodGe, T::LprodGe, T::LprodGe, T::LprodGe}},
    {Ziel::Trennungsfehler, {T::TfLe, T::TfLe, T::TfLe, T::TfLe}},
    {Ziel::LehrerLuecken, {T::LlsLe, T::LlsLeMaxLe, T::LlsLe, T::LlsLe}},
    {Ziel::TrennungBeiGleichenLuecken, {T::Combo13, T::Combo13, T::Combo13, T::Combo13}},
    {Ziel::LueckenBeiGleicherTrennung,
     {T::Combo14TfEqual, T::Combo14Equal, T::Combo14Loose, T::Combo14Equal}},
    {Ziel::Sintflut, {T::Level, T::Level, T::Level, T::Level}},
    {Ziel::Spezialtrennungsfehler, {T::StfLe, T::StfLe, T::StfLe, T::StfLe}},
    {Ziel::RekordMitMarge, {T::Record, T::Record, T::Record, T::Record}},
    {Ziel::KlassenRekord, {T::None, T::None, T::None, T::None}},
    {Ziel::Annealing, {T::Annealing, T::Annealing, T::Annealing, T::Annealing}},
}};

bool Passes(const CPlan& plan, Random& rng, Test test, const MoveJudgement& j) {
    const MoveSums& b = j.before;
    const MoveSums& a = j.after;
    const bool maxLe = j.newMax <= plan.Totals().LLSMax;
    switch (test) {
    case T::None:
    case T::Accept:
        return true;
    case T::KlsLe:
        return a.kls <= b.kls;
    case T::KprodGe:
        return a.kprod >= b.kprod;
    case T::MaxLe:
        return maxLe;
    case T::LprodGe:
        return a.lprod >= b.lprod;
    case T::TfLe:
        return a.tf <= b.tf;
    case T::LlsLe:
        return a.lls <= b.lls;
    case T::LlsLeMaxLe:
        return a.lls <= b.lls && maxLe;
    case T::Combo13:
        return a.tf <= b.tf && a.lls == b.lls && a.stf <= b.stf && maxLe;
    case T::Combo14Equal:
        return a.lls <= b.lls && a.tf == b.tf && a.stf == b.stf && maxLe;
    case T::Combo14Loose:
        return a.lls <= b.lls && a.tf <= b.tf && a.stf <= b.stf && maxLe;
    case T::Combo14TfEqual:
        return a.lls <= b.lls && a.tf == b.tf && a.stf <= b.stf && maxLe;
    case T::Level:
        return DelugeAccepts(plan.Totals().Opt, j.candidate);
    case T::StfLe:
        return a.stf <= b.stf;
    case T::Record:
        return RecordAccepts(plan.Totals().Opt, j.candidate);
    case T::Annealing:
        return AnnealingAccepts(plan.Totals().Opt, rng, b.lls, a.lls);
    }
    return true;
}

} // namespace

void MeasureTeacher(const CPlan& plan, int t, MoveRecord& record, MoveSums& before) {
    if (!record.SaveTeacher(plan, t)) return;
    const CLehrerStatus& st = plan.LehrerStatusL[t];
    before.lls += st.LLS;
    before.lprod += st.Prod;
}

void MeasureClass(const CPlan& plan, int k, MoveRecord& record, MoveSums& before) {
    if (!record.SaveClass(plan, k)) return;
    const CKlassenStatus& st = plan.KlassenStatusL[k];
    before.kls += st.KLS;
    before.kprod += st.Prod;
    before.tf += st.TF;
    before.stf += st.STF;
}

void EvaluateMeasured(CPlan& plan, const MoveRecord& record, MoveJudgement& j) {
    for (const CKlassenStatus& saved : record.Classes()) {
        EvaluateClass(plan, saved.Index);
        const CKlassenStatus& st = plan.KlassenStatusL[saved.Index];
        j.after.kls += st.KLS;
        j.after.kprod += st.Prod;
        j.after.tf += st.TF;
        j.after.stf += st.STF;
    }
    j.newMax = plan.Totals().LLSMax;
    for (const CLehrerStatus& saved : record.Teachers()) {
        EvaluateTeacher(plan, saved.Index);
        const CLehrerStatus& st = plan.LehrerStatusL[saved.Index];
        j.after.lls += st.LLS;
        j.after.lprod += st.Prod;
        j.newMax = std::max(j.newMax, st.LLS);
    }
    j.candidate = plan.Totals().LLSSumme - j.before.lls + j.after.lls;
    j.rulesBroken = !record.RulesHeld(plan);
}

bool GoalsAccept(const CPlan& plan, Random& rng, MoveKind kind, const MoveJudgement& j) {
    if (j.rulesBroken) return false;
    const auto column = static_cast<std::size_t>(kind);
    for (const GoalRow& row : kGoalTable) {
        if (!plan.HasGoal(row.goal)) continue;
        if (!Passes(plan, rng, row.test[column], j)) return false;
    }
    return true;
}

void ApplyTotals(CPlan& plan, const MoveJudgement& j) {
    plan.ApplyMoveFigures({.TF = static_cast<int>(j.after.tf - j.before.tf),
                           .STF = static_cast<int>(j.after.stf - j.before.stf),
                           .LProd = static_cast<int>(j.after.lprod - j.before.lprod),
                           .LLS = static_cast<int>(j.after.lls - j.before.lls),
                           .LLSMax = j.newMax});
}

void ApplyAccepted(CPlan& plan, AcceptanceKind kind, const MoveJudgement& j) {
    ApplyTotals(plan, j);
    KeepTeacherRecord(plan, kind, j.candidate);
}

} // namespace sw
