// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/ImproveByGoals.h"

#include <algorithm>

namespace sw {

GoalImprover::GoalImprover(CPlan& plan, Random& rng) : plan_(plan), rng_(rng), seating_(plan, rng) {
    const std::size_t rooms = static_cast<std::size_t>(std::max(plan.RaumAnzahl, 1));
    const std::size_t classes = static_cast<std::size_t>(std::max(plan.KlassenAnzahl, 1));
    classes_.reserve(classes);
    singles_.reserve(classes);
    for (auto* v : {&displaced_})
        v->reserve(kHoursPerDay);
    for (auto* v : {&takenX_, &takenY_, &order_})
        v->reserve(2 * rooms);
    chosen_.reserve(kHoursPerDay);
    record_.Reserve(8 * rooms, 4 * rooms, classes);
}

// ---------------------------------------------------------------------------------------------
// Helpers

void GoalImprover::LiftToMarker(CStunde& h) {
    const int room = plan_.RoomOf(h);
    if (room >= 0) plan_.LiftToMarker(room, plan_.SlotOfHour(h), record_);
}

CStunde* GoalImprover::SingleHourOf(int k, int slot, bool movableOnly) const {
    return plan_.LessonOfClass(k, slot, [&](const CStunde& h) {
        return !h.IsCourse() && h.BlockPos == -1 && !(movableOnly && h.TimeFixed());
    });
}

bool GoalImprover::Judge(MoveKind move, AcceptanceKind rule, MoveJudgement& j) {
    record_.SaveTotals(plan_);
    EvaluateMeasured(plan_, record_, j);
    if (!GoalsAccept(plan_, rng_, move, j)) return false;
    ApplyAccepted(plan_, rule, j);
    return true;
}

bool GoalImprover::Settle(bool accepted, long long& counter) {
    if (!accepted) {
        TakeBack();
        return false;
    }
    plan_.DropMarkers(record_);
    ++counter;
    return true;
}

void GoalImprover::TakeBack() {
    plan_.Undo(record_);
    record_.Clear();
}

// ---------------------------------------------------------------------------------------------
// The main loop

// The lessons of class J at K and L that a move may take: the first in room order at each slot
// without a fixed time. A course hour of a multi-hour unit among them fails the pair.
bool GoalImprover::FindPair(int klasse, int k, int l, CStunde*& o, CStunde*& p) const {
    const auto movable = [](const CStunde& h) { return !h.TimeFixed(); };
    o = plan_.LessonOfClass(klasse, k, movable);
    p = o ? plan_.LessonOfClass(klasse, l, movable) : nullptr;
    if (!o || !p) return false;
    return !(o->IsCourse() && o->BlockPos != -1) && !(p->IsCourse() && p->BlockPos != -1);
}

int GoalImprover::TryPair(int klasse, int k, int l, AcceptanceKind rule) {
    record_.Clear();
    CStunde* o = nullptr;
    CStunde* p = nullptr;
    if (!FindPair(klasse, k, l, o, p)) return 0;
    const bool singles = o->BlockPos == -1 && p->BlockPos == -1;
    if (singles && !o->IsCourse() && !p->IsCourse()) {
        if (o->FachKurs == p->FachKurs && o->Lehrer == p->Lehrer) return 0;
        return SingleSwap(klasse, *o, k, *p, l, rule) ? 1 : 0;
    }
    if (singles && o->IsCourse() != p->IsCourse()) {
        const bool kept =
            o->IsCourse() ? CourseSwap(*o, k, *p, l, rule) : CourseSwap(*p, l, *o, k, rule);
        return kept ? 1 : 0;
    }
    if (o->BlockPos != -1 || p->BlockPos != -1)
        return UnitShift(klasse, o->BlockPos != -1 ? *o : *p, rule);
    return 0;
}

int GoalImprover::operator()(AcceptanceKind rule, int classTries, int wanted) {
    int accepted = 0;
    if (wanted <= 0 || plan_.KlassenAnzahl == 0 || plan_.Stunden * plan_.Tage < 2) return 0;
    classes_.clear();
    for (int k = 0; k < plan_.KlassenAnzahl; ++k)
        classes_.push_back(k);
    int tried = 0;
    while (tried < classTries && accepted < wanted && !classes_.empty()) {
        const int pick = rng_.InRange(0, static_cast<int>(classes_.size()) - 1);
        const int j = classes_[pick];
        classes_.erase(classes_.begin() + pick);
        ++tried;
        for (int t = 0; t < 50 && accepted < wanted; ++t) {
            int h1, h2, d1, d2;
            do {
                h1 = rng_.InRange(1, plan_.Stunden);
                h2 = rng_.InRange(1, plan_.Stunden);
                d1 = rng_.InRange(0, plan_.Tage - 1);
                d2 = rng_.InRange(0, plan_.Tage - 1);
            } while (h1 == h2 && d1 == d2);
            accepted += TryPair(j, SlotOf(d1, h1), SlotOf(d2, h2), rule);
        }
    }
    // No cell may hold the marker now.
    for (int r = 0; r < plan_.RaumAnzahl && plan_.MarkerCount() > 0; ++r)
        for (int s = 0; s < kSlotCount; ++s)
            if (plan_.IsMarker(r, s)) {
                plan_.Report().Show({"gaga ... böse LeerStunde ... böse LeerStunde !!!", ""});
                plan_.ClearMarker(r, s);
            }
    return accepted;
}

// ---------------------------------------------------------------------------------------------
// Single swap: two single-class hours of class J exchange their slots.

bool GoalImprover::SingleSwap(int klasse, CStunde& o, int k, CStunde& p, int l,
                              AcceptanceKind rule) {
    LiftToMarker(o);
    LiftToMarker(p);
    int roomO = -1, roomP = -1;
    const int passes = 2 * (o.RoomCount() + p.RoomCount());
    for (int pass = 0; pass < passes && (roomO < 0 || roomP < 0); ++pass) {
        if (roomO < 0) roomO = seating_.Draw(o, l, 1);
        if (roomP < 0) roomP = seating_.Draw(p, k, 1);
    }
    if (roomO < 0 || roomP < 0) {
        TakeBack();
        return false;
    }
    MoveJudgement judge;
    MeasureClass(plan_, klasse, record_, judge.before);
    MeasureTeacher(plan_, o.Lehrer, record_, judge.before);
    MeasureTeacher(plan_, p.Lehrer, record_, judge.before);
    plan_.Place(p, roomP, k, record_);
    plan_.Place(o, roomO, l, record_);
    return Settle(Judge(MoveKind::SingleSwap, rule, judge), counts_.singleSwaps);
}

// ---------------------------------------------------------------------------------------------
// Course swap: a course hour at X with all its parallel parts against the single hours its
// classes have at Y.

bool GoalImprover::LiftAndSeatCourse(CStunde& course, int x, CStunde& single, int y) {
    const std::vector<CStunde*>& parts = *course.ParallelL;
    for (CStunde* q : parts)
        LiftToMarker(*q);
    if (record_.Steps().size() != parts.size()) plan_.Report().Show({"ggaga", ""});
    singles_.clear();
    for (int c : *course.KlassenL) {
        CStunde* s = SingleHourOf(c, y, false);
        if (!s) return false;
        LiftToMarker(*s);
        singles_.push_back(s);
    }
    const int passes = 2 * (single.RoomCount() + course.RoomCount());
    for (int pass = 0; pass < passes; ++pass)
        if (seating_.SeatGroup(singles_, x, RoomRule::Draws(3), takenX_) &&
            seating_.SeatGroup(parts, y, RoomRule::Draws(3), takenY_))
            return true;
    return false;
}

bool GoalImprover::CourseSwap(CStunde& course, int x, CStunde& single, int y, AcceptanceKind rule) {
    if (!LiftAndSeatCourse(course, x, single, y)) {
        TakeBack();
        return false;
    }
    const std::vector<CStunde*>& parts = *course.ParallelL;
    MoveJudgement judge;
    for (const CStunde* q : parts)
        MeasureTeacher(plan_, q->Lehrer, record_, judge.before);
    for (const CStunde* s : singles_)
        MeasureTeacher(plan_, s->Lehrer, record_, judge.before);
    for (int c : *course.KlassenL)
        MeasureClass(plan_, c, record_, judge.before);
    for (std::size_t i = 0; i < singles_.size(); ++i) {
        if (plan_.HourAt(takenX_[i], x))
            plan_.Report().Show(
                {"Hier sollte stets nur eine Leerstunde stehen!", "Bösartiger Fehler"});
        plan_.Place(*singles_[i], takenX_[i], x, record_);
    }
    for (std::size_t i = 0; i < parts.size(); ++i)
        plan_.Place(*parts[i], takenY_[i], y, record_);
    return Settle(Judge(MoveKind::CourseSwap, rule, judge), counts_.courseSwaps);
}

// ---------------------------------------------------------------------------------------------
// Unit shift: a multi-hour unit of class J moves to a new start T; the class's single hours
// standing there move into the unit's old slots.

bool GoalImprover::DrawShiftStart(const CStunde& first, int x, int limit, int& start) {
    const int w = HourOf(x);
    const int n = first.Laenge;
    // A school whose days leave no start apart from the old place gives up after a bounded
    // number of draws.
    for (int redraw = 0; redraw < 1000; ++redraw) {
        const int s = rng_.InRange(1, limit - n);
        const int e = rng_.InRange(0, plan_.Tage - 1);
        if (e == DayOf(x) && ((w <= s && s <= w + n) || (s <= w && w <= s + n))) continue;
        // A unit never crosses the end of the day: such a start is drawn but not tried.
        start = s + n - 1 < kHoursPerDay ? SlotOf(e, s) : kNoSlot;
        return true;
    }
    return false;
}

bool GoalImprover::SeatDisplaced(int x, int n) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        order_.clear();
        for (int i = 0; i < n; ++i)
            order_.push_back(i);
        chosen_.clear();
        bool seated = true;
        for (int k = 0; k < n && seated; ++k) {
            const int pick = rng_.InRange(0, static_cast<int>(order_.size()) - 1);
            CStunde& d = *displaced_[order_[pick]];
            order_.erase(order_.begin() + pick);
            const int room = seating_.Draw(d, x + k, 3 * d.RoomCount());
            seated = room >= 0;
            chosen_.emplace_back(&d, room);
        }
        if (seated) return true;
    }
    return false;
}

int GoalImprover::UnitShift(int klasse, const CStunde& hour, AcceptanceKind rule) {
    CStunde& first = plan_.FirstOfUnit(hour);
    const int n = first.Laenge;
    const int x = plan_.SlotOfHour(first);
    if (x < 0) return 0;
    const int limit = plan_.KlassenSollL[klasse].StundenLimit;
    for (int attempt = 0; attempt < 50; ++attempt) {
        int t = kNoSlot;
        if (!DrawShiftStart(first, x, limit, t)) return 0;
        if (t == kNoSlot) continue;
        bool free = true;
        for (int i = 0; i < n && free; ++i)
            free = SingleHourOf(klasse, t + i, true) != nullptr;
        if (!free) continue;
        record_.Clear();
        displaced_.clear();
        for (int i = 0; i < n; ++i)
            LiftToMarker(plan_.UnitHour(first, i));
        for (int i = 0; i < n; ++i) {
            CStunde* d = SingleHourOf(klasse, t + i, true);
            LiftToMarker(*d);
            displaced_.push_back(d);
        }
        const int unitRoom = seating_.TryUnit(first, t, 3 * first.RoomCount());
        if (unitRoom < 0 || !SeatDisplaced(x, n)) {
            TakeBack();
            continue;
        }
        MoveJudgement judge;
        MeasureTeacher(plan_, first.Lehrer, record_, judge.before);
        for (const CStunde* d : displaced_)
            MeasureTeacher(plan_, d->Lehrer, record_, judge.before);
        MeasureClass(plan_, klasse, record_, judge.before);
        for (int i = 0; i < n; ++i)
            plan_.Place(plan_.UnitHour(first, i), unitRoom, t + i, record_);
        for (int k = 0; k < n; ++k)
            plan_.Place(*chosen_[k].first, chosen_[k].second, x + k, record_);
        if (Settle(Judge(MoveKind::UnitShift, rule, judge), counts_.unitShifts)) return n;
    }
    return 0;
}

} // namespace sw
