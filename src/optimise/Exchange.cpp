// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/Exchange.h"

#include "optimise/GoalTests.h"
#include "plan/Evaluation.h"

#include <algorithm>

namespace sw {

void ClassSet::Reset(int classes) {
    size_ = std::max(classes, 0);
    const std::size_t words = static_cast<std::size_t>(std::max(classes, 1) + 63) / 64;
    if (words_.size() != words) words_.assign(words, 0);
    std::fill(words_.begin(), words_.end(), 0);
}

bool ClassSet::Add(int k) {
    if (k < 0 || k >= size_) return false;
    const std::uint64_t bit = std::uint64_t{1} << (k & 63);
    if (words_[k >> 6] & bit) return false;
    words_[k >> 6] |= bit;
    return true;
}

ExchangeMove::ExchangeMove(CPlan& plan) : plan_(plan), seating_(plan) {
    const std::size_t rooms = static_cast<std::size_t>(std::max(plan.RaumAnzahl, 1));
    for (auto* v : {&h1_, &h2_})
        v->reserve(rooms);
    for (auto* v : {&r1_, &r2_, &n1_, &n2_})
        v->reserve(rooms);
    teachers_.reserve(2 * rooms);
    savedTeachers_.reserve(2 * rooms);
    members_.reserve(plan.KlassenAnzahl);
    savedClasses_.reserve(plan.KlassenAnzahl);
    s_.Reset(plan.KlassenAnzahl);
    c1_.Reset(plan.KlassenAnzahl);
    c2_.Reset(plan.KlassenAnzahl);
}

// A seed or a found hour joins its slot's side: a course hour with all its classes and all its
// parallel hours, a subject hour with its class.
void ExchangeMove::AddHour(const CStunde& h, ClassSet& met, std::vector<CStunde*>& hours,
                           bool seed) {
    if (!h.IsCourse()) {
        const bool isNew = met.Add(h.Klasse);
        if (s_.Add(h.Klasse)) members_.push_back(h.Klasse);
        if (seed || isNew) hours.push_back(plan_.StundenL[h.Index].get());
        return;
    }
    bool anyNew = false;
    for (int c : *h.KlassenL) {
        anyNew = met.Add(c) || anyNew;
        if (s_.Add(c)) members_.push_back(c);
    }
    if (seed || anyNew)
        for (CStunde* q : *h.ParallelL)
            hours.push_back(q);
}

void ExchangeMove::Scan(int k, int slot, ClassSet& met, std::vector<CStunde*>& hours) {
    const CStunde* h = plan_.LessonOfClass(k, slot);
    if (!h) return;
    if (!h->IsCourse()) {
        if (!met.Has(k)) AddHour(*h, met, hours, false);
        return;
    }
    AddHour(*h, met, hours, false);
}

// Puts every hour back where it stood; `placed` says whether they stand at their new cells.
void ExchangeMove::Restore(bool placed) {
    if (placed) {
        for (std::size_t i = 0; i < h2_.size(); ++i)
            plan_.Lift(n1_[i], firstSlot_);
        for (std::size_t i = 0; i < h1_.size(); ++i)
            plan_.Lift(n2_[i], secondSlot_);
    }
    for (std::size_t i = 0; i < h2_.size(); ++i)
        plan_.Place(*h2_[i], r2_[i], secondSlot_);
    for (std::size_t i = 0; i < h1_.size(); ++i)
        plan_.Place(*h1_[i], r1_[i], firstSlot_);
}

bool ExchangeMove::operator()(int classAtSecond, int classAtFirst, int strategy, bool keepIfWorse,
                              bool commit, const CStunde* hourAtFirst, const CStunde* hourAtSecond,
                              int firstSlot, int secondSlot) {
    lastKept_ = false;
    if (firstSlot == secondSlot) return false;
    firstSlot_ = firstSlot;
    secondSlot_ = secondSlot;
    const CStunde* atSecond =
        hourAtSecond ? hourAtSecond : plan_.LessonOfClass(classAtSecond, secondSlot);
    const CStunde* atFirst =
        hourAtFirst ? hourAtFirst : plan_.LessonOfClass(classAtFirst, firstSlot);
    if (!atSecond || !atFirst) return false;

    auto refuse = [this](const CStunde* culprit) {
        plan_.KonfliktStunde = culprit;
        return false;
    };
    // Quick refusals.
    if (atSecond == atFirst) return refuse(atSecond);
    if (atSecond->BlockPos != -1) return refuse(atSecond);
    if (atFirst->BlockPos != -1) return refuse(atFirst);
    if (atSecond->Klasse == atFirst->Klasse && atSecond->FachKurs == atFirst->FachKurs)
        return refuse(atSecond);

    // The closure: every class met at either slot by a class of the group joins the group.
    s_.Reset(plan_.KlassenAnzahl);
    c1_.Reset(plan_.KlassenAnzahl);
    c2_.Reset(plan_.KlassenAnzahl);
    members_.clear();
    h1_.clear();
    h2_.clear();
    AddHour(*atSecond, c2_, h2_, true);
    AddHour(*atFirst, c1_, h1_, true);
    for (std::size_t before = 0; before != members_.size();) {
        before = members_.size();
        for (int k = 0; k < plan_.KlassenAnzahl; ++k) {
            if (!s_.Has(k)) continue;
            Scan(k, firstSlot, c1_, h1_);
            Scan(k, secondSlot, c2_, h2_);
        }
    }
    if (!(c1_ == c2_)) return refuse(atSecond);
    plan_.KonfliktStunde = nullptr;
    for (const auto* list : {&h2_, &h1_})
        for (const CStunde* h : *list)
            if (h->BlockPos != -1 || h->TimeFixed()) return false;

    // Lift everything out, then choose rooms first-fit: the second slot's hours at the first
    // slot, then the first slot's hours at the second.
    r1_.clear();
    r2_.clear();
    for (CStunde* h : h2_) {
        r2_.push_back(plan_.RoomOf(*h));
        plan_.Lift(r2_.back(), secondSlot);
    }
    for (CStunde* h : h1_) {
        r1_.push_back(plan_.RoomOf(*h));
        plan_.Lift(r1_.back(), firstSlot);
    }
    n2_.clear();
    const bool feasible = seating_.SeatGroup(h2_, firstSlot, RoomRule::FirstFit(), n1_) &&
                          seating_.SeatGroup(h1_, secondSlot, RoomRule::FirstFit(), n2_);
    if (!feasible || !commit) {
        Restore(false);
        return feasible;
    }

    for (std::size_t i = 0; i < h2_.size(); ++i)
        plan_.Place(*h2_[i], n1_[i], firstSlot);
    for (std::size_t i = 0; i < h1_.size(); ++i)
        plan_.Place(*h1_[i], n2_[i], secondSlot);

    // Measure: the teachers of the moved hours and the classes of the group, before and after.
    MoveJudgement j;
    teachers_.clear();
    savedTeachers_.clear();
    for (const auto* list : {&h2_, &h1_})
        for (const CStunde* h : *list) {
            if (std::find(teachers_.begin(), teachers_.end(), h->Lehrer) != teachers_.end())
                continue;
            teachers_.push_back(h->Lehrer);
            const CLehrerStatus& st = plan_.LehrerStatusL[h->Lehrer];
            savedTeachers_.push_back(st);
            j.before.lls += st.LLS;
            j.before.lprod += st.Prod;
        }
    savedClasses_.clear();
    for (int k : members_) {
        CKlassenStatus& st = plan_.KlassenStatusL[k];
        savedClasses_.push_back(st);
        j.before.kls += st.KLS;
        j.before.kprod += st.Prod;
        j.before.tf += st.TF;
        j.before.stf += st.STF;
        EvaluateClass(plan_, k);
        j.after.kls += st.KLS;
        j.after.kprod += st.Prod;
        j.after.tf += st.TF;
        j.after.stf += st.STF;
    }
    j.newMax = plan_.LLSMax;
    for (int t : teachers_) {
        EvaluateTeacher(plan_, t);
        const CLehrerStatus& st = plan_.LehrerStatusL[t];
        j.after.lls += st.LLS;
        j.after.lprod += st.Prod;
        j.newMax = std::max(j.newMax, st.LLS);
    }
    j.candidate = plan_.LLSSumme - j.before.lls + j.after.lls;

    if (GoalsAccept(plan_, MoveKind::Exchange, j)) {
        ApplyAccepted(plan_, strategy, j);
        lastKept_ = true;
    } else if (keepIfWorse) {
        // The user's swap stands whatever the goals say; the totals follow it, so that they
        // keep describing the grid (no record is set by a rejected swap).
        ApplyTotals(plan_, j);
        lastKept_ = true;
    } else {
        Restore(true);
        for (std::size_t i = 0; i < teachers_.size(); ++i)
            plan_.LehrerStatusL[teachers_[i]] = savedTeachers_[i];
        for (std::size_t i = 0; i < members_.size(); ++i)
            plan_.KlassenStatusL[members_[i]] = savedClasses_[i];
    }
    return true;
}

} // namespace sw
