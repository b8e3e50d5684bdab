// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/ImproveByGoals.h"

#include "plan/Evaluation.h"

#include <algorithm>

namespace sw {

GoalImprover::GoalImprover(CPlan& plan) : plan_(plan), seating_(plan) {
    const std::size_t rooms = static_cast<std::size_t>(std::max(plan.RaumAnzahl, 1));
    classes_.reserve(plan.KlassenAnzahl);
    singles_.reserve(plan.KlassenAnzahl);
    lifted_.reserve(4 * rooms);
    moved_.reserve(4 * rooms);
    for (auto* v : {&takenX_, &takenY_, &chosen_, &order_, &teachers_})
        v->reserve(2 * rooms);
    classesSaved_.reserve(plan.KlassenAnzahl);
    savedTeachers_.reserve(2 * rooms);
    savedClasses_.reserve(plan.KlassenAnzahl);
}

// ---------------------------------------------------------------------------------------------
// Helpers

void GoalImprover::LiftToMarker(CStunde& h, std::vector<Lifted>& into) {
    const int room = plan_.RoomOf(h);
    const int slot = plan_.SlotOfHour(h);
    plan_.Lift(room, slot);
    plan_.PutMarker(room, slot);
    into.push_back({&h, room, slot});
}

void GoalImprover::PutBack(const std::vector<Lifted>& lifted) {
    for (const Lifted& l : lifted) {
        if (!plan_.IsMarker(l.room, l.slot))
            plan_.Report().Show({"Hier sollte die _LeerStunde stehen!", "Böser Fehler"});
        plan_.ClearMarker(l.room, l.slot);
        if (plan_.IsFree(l.room, l.slot)) plan_.Place(*l.hour, l.room, l.slot);
    }
}

void GoalImprover::ClearMarkers(const std::vector<Lifted>& cells) {
    for (const Lifted& l : cells)
        plan_.ClearMarker(l.room, l.slot);
}

CStunde* GoalImprover::SingleHourOf(int k, int slot, bool movableOnly) const {
    return plan_.LessonOfClass(k, slot, [&](const CStunde& h) {
        return !h.IsCourse() && h.BlockPos == -1 && !(movableOnly && h.TimeFixed());
    });
}

void GoalImprover::SaveTeacher(int t, MoveSums& before) {
    if (std::find(teachers_.begin(), teachers_.end(), t) != teachers_.end()) return;
    teachers_.push_back(t);
    const CLehrerStatus& st = plan_.LehrerStatusL[t];
    savedTeachers_.push_back(st);
    before.lls += st.LLS;
    before.lprod += st.Prod;
}

void GoalImprover::SaveClass(int k, MoveSums& before) {
    const CKlassenStatus& st = plan_.KlassenStatusL[k];
    classesSaved_.push_back(k);
    savedClasses_.push_back(st);
    before.kls += st.KLS;
    before.kprod += st.Prod;
    before.tf += st.TF;
    before.stf += st.STF;
}

void GoalImprover::EvaluateSaved(MoveJudgement& j) {
    for (int k : classesSaved_) {
        EvaluateClass(plan_, k);
        const CKlassenStatus& st = plan_.KlassenStatusL[k];
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
}

void GoalImprover::RestoreSaved() {
    for (std::size_t i = 0; i < teachers_.size(); ++i)
        plan_.LehrerStatusL[teachers_[i]] = savedTeachers_[i];
    for (std::size_t i = 0; i < classesSaved_.size(); ++i)
        plan_.KlassenStatusL[classesSaved_[i]] = savedClasses_[i];
}

bool GoalImprover::Judge(MoveKind kind, int strategy, MoveJudgement& j) {
    EvaluateSaved(j);
    if (!GoalsAccept(plan_, kind, j)) return false;
    ApplyAccepted(plan_, strategy, j);
    return true;
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

int GoalImprover::operator()(int strategy, int classTries, int wanted) {
    int accepted = 0;
    if (wanted <= 0 || plan_.KlassenAnzahl == 0 || plan_.Stunden * plan_.Tage < 2) return 0;
    classes_.clear();
    for (int k = 0; k < plan_.KlassenAnzahl; ++k)
        classes_.push_back(k);
    int tried = 0;
    while (tried < classTries && accepted < wanted && !classes_.empty()) {
        const int pick = plan_.RandomInRange(0, static_cast<int>(classes_.size()) - 1);
        const int j = classes_[pick];
        classes_.erase(classes_.begin() + pick);
        ++tried;
        for (int t = 0; t < 50 && accepted < wanted; ++t) {
            int h1, h2, d1, d2;
            do {
                h1 = plan_.RandomInRange(1, plan_.Stunden);
                h2 = plan_.RandomInRange(1, plan_.Stunden);
                d1 = plan_.RandomInRange(0, plan_.Tage - 1);
                d2 = plan_.RandomInRange(0, plan_.Tage - 1);
            } while (h1 == h2 && d1 == d2);
            const int k = SlotOf(d1, h1);
            const int l = SlotOf(d2, h2);
            CStunde* o = nullptr;
            CStunde* p = nullptr;
            if (!FindPair(j, k, l, o, p)) continue;
            const bool singles = o->BlockPos == -1 && p->BlockPos == -1;
            if (singles && !o->IsCourse() && !p->IsCourse()) {
                if (o->FachKurs != p->FachKurs || o->Lehrer != p->Lehrer)
                    accepted += SingleSwap(j, *o, k, *p, l, strategy) ? 1 : 0;
            } else if (singles && o->IsCourse() != p->IsCourse()) {
                const bool courseFirst = o->IsCourse();
                accepted += (courseFirst ? CourseSwap(*o, k, *p, l, strategy)
                                         : CourseSwap(*p, l, *o, k, strategy))
                                ? 1
                                : 0;
            } else if (o->BlockPos != -1 || p->BlockPos != -1) {
                accepted += UnitShift(j, o->BlockPos != -1 ? *o : *p, strategy);
            }
        }
    }
    for (int r = 0; r < plan_.RaumAnzahl; ++r)
        for (int s = 0; s < kSlotCount; ++s)
            if (plan_.IsMarker(r, s)) {
                plan_.Report().Show({"gaga ... böse LeerStunde ... böse LeerStunde !!!", ""});
                plan_.ClearMarker(r, s);
            }
    return accepted;
}

// ---------------------------------------------------------------------------------------------
// Single swap: two single-class hours of class J exchange their slots.

bool GoalImprover::SingleSwap(int klasse, CStunde& o, int k, CStunde& p, int l, int strategy) {
    lifted_.clear();
    LiftToMarker(o, lifted_);
    LiftToMarker(p, lifted_);
    int roomO = -1, roomP = -1;
    const int passes = 2 * (o.RoomCount() + p.RoomCount());
    for (int pass = 0; pass < passes && (roomO < 0 || roomP < 0); ++pass) {
        if (roomO < 0) roomO = seating_.Draw(o, l, 1);
        if (roomP < 0) roomP = seating_.Draw(p, k, 1);
    }
    if (roomO < 0 || roomP < 0) {
        PutBack(lifted_);
        return false;
    }
    MoveJudgement judge;
    teachers_.clear();
    savedTeachers_.clear();
    classesSaved_.clear();
    savedClasses_.clear();
    SaveClass(klasse, judge.before);
    SaveTeacher(o.Lehrer, judge.before);
    SaveTeacher(p.Lehrer, judge.before);
    plan_.ClearMarker(roomP, k);
    plan_.Place(p, roomP, k);
    plan_.ClearMarker(roomO, l);
    plan_.Place(o, roomO, l);
    if (Judge(MoveKind::SingleSwap, strategy, judge)) {
        ClearMarkers(lifted_);
        ++counts_.singleSwaps;
        return true;
    }
    plan_.Lift(roomP, k);
    plan_.Lift(roomO, l);
    for (const Lifted& x : lifted_)
        plan_.PutMarker(x.room, x.slot);
    PutBack(lifted_);
    RestoreSaved();
    return false;
}

// ---------------------------------------------------------------------------------------------
// Course swap: a course hour at X with all its parallel parts against the single hours its
// classes have at Y.

bool GoalImprover::CourseSwap(CStunde& course, int x, CStunde& single, int y, int strategy) {
    lifted_.clear();
    const std::vector<CStunde*>& parts = *course.ParallelL;
    for (CStunde* q : parts)
        LiftToMarker(*q, lifted_);
    const std::size_t partCount = lifted_.size();
    if (partCount != parts.size()) plan_.Report().Show({"ggaga", ""});
    bool allFound = true;
    singles_.clear();
    for (int c : *course.KlassenL) {
        CStunde* s = SingleHourOf(c, y, false);
        if (!s) {
            allFound = false;
            break;
        }
        LiftToMarker(*s, lifted_);
        singles_.push_back(s);
    }
    const std::size_t singleCount = singles_.size();
    bool found = false;
    if (allFound) {
        const int passes = 2 * (single.RoomCount() + course.RoomCount());
        for (int pass = 0; pass < passes && !found; ++pass)
            found = seating_.SeatGroup(singles_, x, RoomRule::Draws(3), takenX_) &&
                    seating_.SeatGroup(parts, y, RoomRule::Draws(3), takenY_);
    }
    if (!found) {
        PutBack(lifted_);
        return false;
    }
    MoveJudgement judge;
    teachers_.clear();
    savedTeachers_.clear();
    classesSaved_.clear();
    savedClasses_.clear();
    for (const Lifted& l : lifted_)
        SaveTeacher(l.hour->Lehrer, judge.before);
    for (int c : *course.KlassenL)
        SaveClass(c, judge.before);
    moved_.clear();
    for (std::size_t i = 0; i < singleCount; ++i) {
        CStunde& s = *lifted_[partCount + i].hour;
        if (plan_.HourAt(takenX_[i], x))
            plan_.Report().Show(
                {"Hier sollte stets nur eine Leerstunde stehen!", "Bösartiger Fehler"});
        plan_.ClearMarker(takenX_[i], x);
        plan_.Place(s, takenX_[i], x);
        moved_.push_back({&s, takenX_[i], x});
    }
    for (std::size_t i = 0; i < partCount; ++i) {
        CStunde& q = *lifted_[i].hour;
        plan_.ClearMarker(takenY_[i], y);
        plan_.Place(q, takenY_[i], y);
        moved_.push_back({&q, takenY_[i], y});
    }
    const bool accepted = Judge(MoveKind::CourseSwap, strategy, judge);
    if (accepted) ++counts_.courseSwaps;
    if (!accepted) {
        for (const Lifted& m : moved_)
            plan_.Lift(m.room, m.slot);
        for (const Lifted& l : lifted_)
            plan_.PutMarker(l.room, l.slot);
        PutBack(lifted_);
        RestoreSaved();
    }
    ClearMarkers(lifted_);
    return accepted;
}

// ---------------------------------------------------------------------------------------------
// Unit shift: a multi-hour unit of class J moves to a new start T; the class's single hours
// standing there move into the unit's old slots.

int GoalImprover::UnitShift(int klasse, const CStunde& hour, int strategy) {
    CStunde& first = *plan_.StundenL[hour.Index - hour.BlockPos];
    const int n = first.Laenge;
    const int x = plan_.SlotOfHour(first);
    if (x < 0) return 0;
    const int limit = plan_.KlasseAt(klasse).StundenLimit;
    const int w = HourOf(x);
    for (int attempt = 0; attempt < 50; ++attempt) {
        // A new start that does not overlap the old one on its day; a school whose days leave no
        // such start gives up after a bounded number of draws.
        int s = 0, e = 0;
        bool drawn = false;
        for (int redraw = 0; redraw < 1000 && !drawn; ++redraw) {
            s = plan_.RandomInRange(1, limit - n);
            e = plan_.RandomInRange(0, plan_.Tage - 1);
            drawn = !(e == DayOf(x) && ((w <= s && s <= w + n) || (s <= w && w <= s + n)));
        }
        if (!drawn) return 0;
        const int t = SlotOf(e, s);
        if (t + n - 1 >= SlotOf(e + 1, 0)) continue; // a unit never crosses the end of the day
        lifted_.clear();
        bool ok = true;
        for (int i = 0; i < n && ok; ++i)
            ok = SingleHourOf(klasse, t + i, true) != nullptr;
        if (!ok) continue;
        for (int i = 0; i < n; ++i)
            LiftToMarker(*plan_.StundenL[first.Index + i], lifted_);
        for (int i = 0; i < n; ++i)
            LiftToMarker(*SingleHourOf(klasse, t + i, true), lifted_);

        // A room where every hour of the unit passes.
        const int unitRoom = seating_.TryUnit(first, t, 3 * first.RoomCount());
        // Rooms for the displaced hours, taken in a random order into X, X+1, ...
        bool seated = false;
        for (int a = 0; a < 5 && unitRoom >= 0 && !seated; ++a) {
            order_.clear();
            for (int i = 0; i < n; ++i)
                order_.push_back(n + i);
            chosen_.clear();
            seated = true;
            for (int k = 0; k < n && seated; ++k) {
                const int pick = plan_.RandomInRange(0, static_cast<int>(order_.size()) - 1);
                const int idx = order_[pick];
                order_.erase(order_.begin() + pick);
                const CStunde& d = *lifted_[idx].hour;
                const int r = seating_.Draw(d, x + k, 3 * d.RoomCount());
                seated = r >= 0;
                chosen_.push_back(idx);
                chosen_.push_back(r);
            }
        }
        if (!seated) {
            PutBack(lifted_);
            continue;
        }
        MoveJudgement judge;
        teachers_.clear();
        savedTeachers_.clear();
        classesSaved_.clear();
        savedClasses_.clear();
        SaveTeacher(first.Lehrer, judge.before);
        for (int i = 0; i < n; ++i)
            SaveTeacher(lifted_[n + i].hour->Lehrer, judge.before);
        SaveClass(klasse, judge.before);
        moved_.clear();
        for (int i = 0; i < n; ++i) {
            CStunde& u = *plan_.StundenL[first.Index + i];
            plan_.ClearMarker(unitRoom, t + i);
            plan_.Place(u, unitRoom, t + i);
            moved_.push_back({&u, unitRoom, t + i});
        }
        for (int k = 0; k < n; ++k) {
            const std::size_t at = 2 * static_cast<std::size_t>(k); // (hour, room) pairs
            CStunde& d = *lifted_[chosen_[at]].hour;
            const int r = chosen_[at + 1];
            plan_.ClearMarker(r, x + k);
            plan_.Place(d, r, x + k);
            moved_.push_back({&d, r, x + k});
        }
        if (Judge(MoveKind::UnitShift, strategy, judge)) {
            ClearMarkers(lifted_);
            ++counts_.unitShifts;
            return n;
        }
        for (const Lifted& m : moved_)
            plan_.Lift(m.room, m.slot);
        for (const Lifted& l : lifted_)
            plan_.PutMarker(l.room, l.slot);
        PutBack(lifted_);
        RestoreSaved();
    }
    return 0;
}

} // namespace sw
