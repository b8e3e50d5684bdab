// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/ClassGaps.h"
#include "plan/PlanWriter.h"

#include "plan/Acceptance.h"
#include "plan/Evaluation.h"

#include <algorithm>
#include <array>

namespace sw {

namespace {

// How a goal judges a move.
enum class Test {
    Grew,        // rejects when the figure grew
    Fell,        // rejects when the figure fell
    AboveLevel,  // great deluge: rejects when the new figure exceeds the level
    KlsOrRecord, // class record: rejects when class gaps grew or KProd fell below the record
    ByChance,    // class annealing: rejects by a draw weighted by the KProd change
};

struct GoalRow {
    Ziel Goal;
    int ClassGapFigures::*Figure;
    Test Kind;
};

// The goals the class-gap move knows, ascending; any other goal has no effect on it.
constexpr std::array<GoalRow, 10> kGoalRows = {{
    {Ziel::KlassenLuecken, &ClassGapFigures::KLS, Test::Grew},          // class gaps
    {Ziel::KlassenVerteilung, &ClassGapFigures::KProd, Test::Fell},     // class spread
    {Ziel::LehrerLueckenMaximum, &ClassGapFigures::LLSMax, Test::Grew}, // largest teacher gap sum
    {Ziel::LehrerVerteilung, &ClassGapFigures::LProd, Test::Fell},      // teacher spread
    {Ziel::Trennungsfehler, &ClassGapFigures::TF, Test::Grew},          // separation errors
    {Ziel::LehrerLuecken, &ClassGapFigures::LLS, Test::Grew},           // teacher gaps
    {Ziel::Sintflut, &ClassGapFigures::LLSSumme, Test::AboveLevel},     // deluge level
    {Ziel::Spezialtrennungsfehler, &ClassGapFigures::STF, Test::Grew},  // special separation errors
    {Ziel::KlassenRekord, &ClassGapFigures::KProd, Test::KlsOrRecord},  // spread near its record
    {Ziel::KlassenAnnealing, &ClassGapFigures::KProd, Test::ByChance},  // spread at a temperature
}};

bool Rejects(const CPlan& plan, Random& rng, const GoalRow& row, const ClassGapFigures& before,
             const ClassGapFigures& after) {
    const int was = before.*row.Figure;
    const int is = after.*row.Figure;
    switch (row.Kind) {
    case Test::Grew:
        return is > was;
    case Test::Fell:
        return is < was;
    case Test::AboveLevel:
        return !DelugeAccepts(plan.Totals().Opt, is);
    case Test::KlsOrRecord:
        return ClassRecordRejects(plan.Totals().Opt, after.KLS > before.KLS, is);
    case Test::ByChance:
        return ClassAnnealingRejects(plan.Totals().Opt, rng, after.KLS > before.KLS, was, is);
    }
    return false;
}

} // namespace

bool ClassGapGoalsAccept(const CPlan& plan, Random& rng, const ClassGapFigures& before,
                         const ClassGapFigures& after) {
    for (const GoalRow& row : kGoalRows)
        if (plan.HasGoal(row.Goal) && Rejects(plan, rng, row, before, after)) return false;
    return true;
}

ClassGapMinimiser::ClassGapMinimiser(CPlan& plan, Random& rng)
    : plan_(plan), rng_(rng), seating_(plan, rng) {
    classes_.reserve(plan.KlassenAnzahl);
    std::size_t widest = 1;
    for (const auto& h : plan.StundenL)
        if (h->ParallelL) widest = std::max(widest, h->ParallelL->size());
    rooms_.reserve(widest);
    former_.reserve(widest);
    record_.Reserve(2 * widest, widest, static_cast<std::size_t>(plan.KlassenAnzahl));
}

void MinimiseClassGaps(CPlan& plan, Random& rng, int mode, int count) {
    ClassGapMinimiser minimiser(plan, rng);
    minimiser.Pass(mode, count);
}

void ClassGapMinimiser::Pass(int mode, int count) {
    classes_.clear();
    for (int k = 0; k < plan_.KlassenAnzahl; ++k)
        classes_.push_back(k);
    while (!classes_.empty()) {
        const int pick = rng_.InRange(0, static_cast<int>(classes_.size()) - 1);
        const int k = classes_[pick];
        if (Chosen(k, mode))
            for (int i = 0; i < count; ++i)
                Attempt(k, mode);
        classes_.erase(classes_.begin() + pick);
    }
}

bool ClassGapMinimiser::Chosen(int k, int mode) {
    const CKlassenStatus& st = plan_.KlassenStatusL[k];
    const int ideal = plan_.KlassenSollL[k].ProdOpt;
    switch (mode) {
    case kGapModeAll:
        return true;
    case kGapModeGaps:
        return st.KLS >= 1 || rng_.InRange(0, 100) > 80;
    case kGapModeSpread:
        return st.Prod < ideal || rng_.InRange(1, 101) > 75;
    case kGapModeRecord:
    case kGapModeAnnealing:
        return st.Prod < ideal;
    default:
        return false;
    }
}

bool ClassGapMinimiser::Attempt(int k, int mode) {
    ++attempts_;
    record_.Clear();
    lastKept_ = false;
    const int target = FindTarget(k);
    if (target == kNoSlot) return false;
    int source = kNoSlot;
    CStunde* candidate = FindSource(k, target, source);
    if (!candidate) return false;
    // Mode 4 moves only a lesson at the end of a run of lessons.
    if (mode == kGapModeSpread && plan_.KlasseAt(k).Sperre[target] == 0 &&
        HourOf(source) < plan_.Stunden && plan_.ClassLessons(k, source + 1) > 0)
        return false;
    if (candidate->IsCourse())
        MoveCourse(*candidate, target, mode);
    else
        MoveSubject(*candidate, target, mode);
    return lastKept_;
}

int ClassGapMinimiser::FindTarget(int k) {
    const CKlasse& klasse = plan_.KlasseAt(k);
    const int draws = 2 * plan_.Stunden * plan_.Tage;
    for (int i = 0; i < draws; ++i) {
        const int day = rng_.InRange(0, plan_.Tage - 1);
        const int hour = rng_.InRange(1, plan_.Stunden);
        const int slot = SlotOf(day, hour);
        if (klasse.Sperre[slot] != 0 || plan_.ClassLessons(k, slot) == 0) return slot;
    }
    return kNoSlot;
}

CStunde* ClassGapMinimiser::FindSource(int k, int target, int& source) {
    const CKlasse& klasse = plan_.KlasseAt(k);
    const int draws = 2 * plan_.Stunden * plan_.Tage;
    for (int i = 0; i < draws; ++i) {
        const int day = rng_.InRange(0, plan_.Tage - 1);
        const int hour = rng_.InRange(2, plan_.Stunden);
        const int slot = SlotOf(day, hour);
        if (!IsSlot(slot) || klasse.Sperre[slot] != 0) continue;
        // Without a lesson of the class here the scan cannot find a candidate.
        if (plan_.ClassLessons(k, slot) == 0) continue;
        for (int r = 0; r < plan_.RaumAnzahl; ++r) {
            CStunde* y = plan_.HourAt(r, slot);
            if (!y || y->BlockPos != -1 || y->TimeFixed()) continue; // only movable lessons
            if (!y->IsCourse()) {
                if (y->Klasse != k) continue;
                source = slot;
                return y;
            }
            // A course hour ends the scan; it is the candidate only when it is the class's and
            // none of its other classes has a lesson at the target.
            bool free = y->Involves(k);
            for (std::size_t c = 0; free && c < y->KlassenL->size(); ++c) {
                const int other = (*y->KlassenL)[c];
                free = other == k || plan_.ClassLessons(other, target) == 0;
            }
            if (!free) break;
            source = slot;
            return y;
        }
    }
    return nullptr;
}

void ClassGapMinimiser::Begin() {
    record_.Clear();
    record_.SaveTotals(plan_);
}

void ClassGapMinimiser::TakeBack() {
    plan_.Undo(record_);
    record_.Clear();
}

void ClassGapMinimiser::Keep(const ClassGapFigures& before, const ClassGapFigures& after,
                             int mode) {
    lastKept_ = true;
    PlanTotals& t = PlanWriter::Totals(plan_);
    t.KLSSumme += after.KLS - before.KLS;
    t.TFSumme += after.TF - before.TF;
    t.STFSumme += after.STF - before.STF;
    t.LLSSumme += after.LLS - before.LLS;
    t.LProd += after.LProd - before.LProd;
    t.KProd = after.KProd;
    t.LLSMax = after.LLSMax;
    ++kept_;
    // The record step.
    if (mode == kGapModeRecord) KeepClassRecord(plan_, AcceptanceKind::ClassRecord);
    if (mode == kGapModeAnnealing) KeepClassRecord(plan_, AcceptanceKind::ClassAnnealing);
}

// ---------------------------------------------------------------------------------------------
// Subject move

void ClassGapMinimiser::MoveSubject(CStunde& s, int target, int mode) {
    const int room = seating_.Try(s, target, s.RoomCount(), 1);
    if (room < 0) return;

    const int k = s.Klasse;
    const int t = s.Lehrer;
    const CKlassenStatus& ks = plan_.KlassenStatusL[k];
    const CLehrerStatus& ls = plan_.LehrerStatusL[t];
    const ClassGapFigures before{ks.KLS,
                                 ks.TF,
                                 ks.STF,
                                 plan_.Totals().KProd,
                                 ls.LLS,
                                 ls.Prod,
                                 plan_.Totals().LLSMax,
                                 plan_.Totals().LLSSumme};
    const int classProd = ks.Prod;
    Begin();
    record_.SaveClass(plan_, k);
    record_.SaveTeacher(plan_, t);
    plan_.Lift(plan_.RoomOf(s), plan_.SlotOfHour(s), record_);
    plan_.Place(s, room, target, record_);
    EvaluateClass(plan_, k);
    EvaluateTeacher(plan_, t);
    const ClassGapFigures after{ks.KLS,
                                ks.TF,
                                ks.STF,
                                before.KProd + ks.Prod - classProd,
                                ls.LLS,
                                ls.Prod,
                                std::max(before.LLSMax, ls.LLS),
                                before.LLSSumme + ls.LLS - before.LLS};
    if (record_.RulesHeld(plan_) && ClassGapGoalsAccept(plan_, rng_, before, after))
        return Keep(before, after, mode);
    TakeBack();
}

// ---------------------------------------------------------------------------------------------
// Course move: every parallel hour goes to the target slot, each into a room of its own

bool ClassGapMinimiser::ChooseCourseRooms(const CStunde& c, int target) {
    const auto& parallel = *c.ParallelL;
    const int source = plan_.SlotOfHour(c);
    former_.clear();
    for (const CStunde* q : parallel) {
        // Where the hour stands is known from the grid itself, whatever its RaumL says.
        const int from = plan_.RoomOf(*q);
        if (from < 0 || plan_.SlotOfHour(*q) != source) return false;
        former_.push_back(from);
    }
    return seating_.SeatGroup(parallel, target, RoomRule::Tries(3, 10), rooms_);
}

ClassGapFigures ClassGapMinimiser::CourseFigures(const CStunde& c) const {
    ClassGapFigures f;
    for (int k : *c.KlassenL) {
        const CKlassenStatus& ks = plan_.KlassenStatusL[k];
        f.KLS += ks.KLS;
        f.TF += ks.TF;
        f.STF += ks.STF;
        f.KProd += ks.Prod; // the classes' own spread; the caller turns it into the plan's
    }
    for (const CStunde* q : *c.ParallelL) {
        const CLehrerStatus& ls = plan_.LehrerStatusL[q->Lehrer];
        f.LLS += ls.LLS;
        f.LProd += ls.Prod;
    }
    return f;
}

void ClassGapMinimiser::MoveCourse(CStunde& c, int target, int mode) {
    if (!c.ParallelL || !c.KlassenL || !ChooseCourseRooms(c, target)) return;
    const auto& parallel = *c.ParallelL;
    const int source = plan_.SlotOfHour(c);

    ClassGapFigures before = CourseFigures(c);
    const int classProd = before.KProd;
    before.KProd = plan_.Totals().KProd;
    before.LLSMax = plan_.Totals().LLSMax;
    before.LLSSumme = plan_.Totals().LLSSumme;

    Begin();
    for (const CStunde* q : parallel)
        record_.SaveTeacher(plan_, q->Lehrer);
    for (int k : *c.KlassenL)
        record_.SaveClass(plan_, k);
    for (std::size_t i = 0; i < parallel.size(); ++i) {
        if (!plan_.IsFree(rooms_[i], target)) {
            plan_.Report().Show({texte::SollteLeerstunde, ""});
            return TakeBack();
        }
        plan_.Lift(former_[i], source, record_);
        plan_.Place(*parallel[i], rooms_[i], target, record_);
    }
    for (const CStunde* q : parallel)
        EvaluateTeacher(plan_, q->Lehrer);
    for (int k : *c.KlassenL)
        EvaluateClass(plan_, k);
    ClassGapFigures after = CourseFigures(c);
    after.KProd = before.KProd + after.KProd - classProd;
    after.LLSMax = before.LLSMax;
    for (const CStunde* q : parallel)
        after.LLSMax = std::max(after.LLSMax, plan_.LehrerStatusL[q->Lehrer].LLS);
    after.LLSSumme = before.LLSSumme + after.LLS - before.LLS;
    if (record_.RulesHeld(plan_) && ClassGapGoalsAccept(plan_, rng_, before, after))
        return Keep(before, after, mode);
    TakeBack();
}

} // namespace sw
