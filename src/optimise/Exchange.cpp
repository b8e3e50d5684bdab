// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/Exchange.h"

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

ExchangeMove::ExchangeMove(CPlan& plan, Random& rng) : plan_(plan), rng_(rng), seating_(plan, rng) {
    const std::size_t rooms = static_cast<std::size_t>(std::max(plan.RaumAnzahl, 1));
    const std::size_t classes = static_cast<std::size_t>(std::max(plan.KlassenAnzahl, 1));
    for (auto* v : {&h1_, &h2_})
        v->reserve(rooms);
    for (auto* v : {&n1_, &n2_})
        v->reserve(rooms);
    members_.reserve(classes);
    record_.Reserve(4 * rooms, 2 * rooms, classes);
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

const CStunde* ExchangeMove::QuickRefusal(const CStunde& atFirst, const CStunde& atSecond) {
    if (&atSecond == &atFirst) return &atSecond;
    if (atSecond.BlockPos != -1) return &atSecond;
    if (atFirst.BlockPos != -1) return &atFirst;
    if (atSecond.Klasse == atFirst.Klasse && atSecond.FachKurs == atFirst.FachKurs)
        return &atSecond;
    return nullptr;
}

bool ExchangeMove::BuildClosure(const CStunde& atFirst, const CStunde& atSecond) {
    s_.Reset(plan_.KlassenAnzahl);
    c1_.Reset(plan_.KlassenAnzahl);
    c2_.Reset(plan_.KlassenAnzahl);
    members_.clear();
    h1_.clear();
    h2_.clear();
    AddHour(atSecond, c2_, h2_, true);
    AddHour(atFirst, c1_, h1_, true);
    for (std::size_t before = 0; before != members_.size();) {
        before = members_.size();
        for (int k = 0; k < plan_.KlassenAnzahl; ++k) {
            if (!s_.Has(k)) continue;
            Scan(k, firstSlot_, c1_, h1_);
            Scan(k, secondSlot_, c2_, h2_);
        }
    }
    return c1_ == c2_;
}

bool ExchangeMove::Movable() const {
    for (const auto* list : {&h2_, &h1_})
        for (const CStunde* h : *list)
            if (h->BlockPos != -1 || h->TimeFixed()) return false;
    return true;
}

bool ExchangeMove::LiftAndSeat() {
    for (CStunde* h : h2_)
        plan_.Lift(plan_.RoomOf(*h), secondSlot_, record_);
    for (CStunde* h : h1_)
        plan_.Lift(plan_.RoomOf(*h), firstSlot_, record_);
    return seating_.SeatGroup(h2_, firstSlot_, RoomRule::FirstFit(), n1_) &&
           seating_.SeatGroup(h1_, secondSlot_, RoomRule::FirstFit(), n2_);
}

void ExchangeMove::Measure(MoveJudgement& j) {
    for (const auto* list : {&h2_, &h1_})
        for (const CStunde* h : *list)
            MeasureTeacher(plan_, h->Lehrer, record_, j.before);
    for (int k : members_)
        MeasureClass(plan_, k, record_, j.before);
    record_.SaveTotals(plan_);
    EvaluateMeasured(plan_, record_, j);
}

bool ExchangeMove::operator()(const ExchangeRequest& request) {
    lastKept_ = false;
    record_.Clear();
    if (request.FirstSlot == request.SecondSlot) return false;
    firstSlot_ = request.FirstSlot;
    secondSlot_ = request.SecondSlot;
    const CStunde* atSecond = request.HourAtSecond
                                  ? request.HourAtSecond
                                  : plan_.LessonOfClass(request.ClassAtSecond, secondSlot_);
    const CStunde* atFirst = request.HourAtFirst
                                 ? request.HourAtFirst
                                 : plan_.LessonOfClass(request.ClassAtFirst, firstSlot_);
    if (!atSecond || !atFirst) return false;
    if (const CStunde* culprit = QuickRefusal(*atFirst, *atSecond)) {
        plan_.SetConflictHour(culprit);
        return false;
    }
    if (!BuildClosure(*atFirst, *atSecond)) {
        plan_.SetConflictHour(atSecond);
        return false;
    }
    plan_.SetConflictHour(nullptr);
    if (!Movable()) return false;

    const bool feasible = LiftAndSeat();
    if (!feasible || !request.Commit) {
        plan_.Undo(record_);
        record_.Clear();
        return feasible;
    }
    for (std::size_t i = 0; i < h2_.size(); ++i)
        plan_.Place(*h2_[i], n1_[i], firstSlot_, record_);
    for (std::size_t i = 0; i < h1_.size(); ++i)
        plan_.Place(*h1_[i], n2_[i], secondSlot_, record_);

    MoveJudgement j;
    Measure(j);
    if (GoalsAccept(plan_, rng_, MoveKind::Exchange, j)) {
        ApplyAccepted(plan_, request.Rule, j);
        lastKept_ = true;
    } else if (request.KeepIfWorse) {
        // The user's swap stands whatever the goals say; the totals follow it, so that they
        // keep describing the grid (no record is set by a rejected swap).
        ApplyTotals(plan_, j);
        lastKept_ = true;
    } else {
        plan_.Undo(record_);
        record_.Clear();
    }
    return true;
}

} // namespace sw
