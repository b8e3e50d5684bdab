// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/EditHistory.h"

#include <algorithm>
#include <utility>

namespace sw {

EditHistory::HourValues EditHistory::ValuesOf(const CStunde& h) {
    return {h.Zeit, h.Modus, h.OberesLimit, h.UnteresLimit, h.TagesLimit, h.NurUrPlan, h.Tag};
}

void EditHistory::SetValues(CStunde& h, const HourValues& v) {
    h.Zeit = v.Zeit;
    h.Modus = v.Modus;
    h.OberesLimit = v.OberesLimit;
    h.UnteresLimit = v.UnteresLimit;
    h.TagesLimit = v.TagesLimit;
    h.NurUrPlan = v.NurUrPlan;
    h.Tag = v.Tag;
}

EditHistory::Figures EditHistory::FiguresOf(const CPlan& plan) {
    return {plan.Totals(), plan.LehrerStatusL, plan.KlassenStatusL};
}

namespace {

void SetFigures(CPlan& plan, const EditHistory::Figures& f) {
    plan.SetTotals(f.Totals);
    plan.SetStatus(f.Lehrer, f.Klassen);
}

// Does the cell changes of `stored` again, in their order, writing them into a fresh record.
MoveRecord Replay(CPlan& plan, const MoveRecord& stored) {
    MoveRecord fresh;
    fresh.Reserve(stored.Steps().size(), 0, 0);
    for (const MoveRecord::Step& step : stored.Steps()) {
        if (step.Placed)
            plan.Place(*step.Hour, step.Room, step.Slot, fresh);
        else if (step.Marker)
            plan.LiftToMarker(step.Room, step.Slot, fresh);
        else
            plan.Lift(step.Room, step.Slot, fresh);
    }
    return fresh;
}

} // namespace

void EditHistory::Push(Edit edit) {
    edits_.resize(done_);
    edits_.push_back(std::move(edit));
    done_ = edits_.size();
}

bool EditHistory::Undo(CPlan& plan) {
    if (!CanUndo()) return false;
    const Edit& e = edits_[--done_];
    for (auto m = e.Moves.rbegin(); m != e.Moves.rend(); ++m)
        plan.Undo(*m);
    for (auto c = e.Hours.rbegin(); c != e.Hours.rend(); ++c)
        SetValues(*c->Hour, c->Before);
    for (auto l = e.Locks.rbegin(); l != e.Locks.rend(); ++l)
        (*l->Grid)[l->Slot] = l->Before;
    // A granted room was appended last; later grants were taken back before this one.
    for (auto g = e.Rooms.rbegin(); g != e.Rooms.rend(); ++g) {
        IntList& list = *g->List;
        const auto at = std::find(list.rbegin(), list.rend(), g->Room);
        if (at != list.rend()) list.erase(std::next(at).base());
    }
    SetFigures(plan, e.Before);
    return true;
}

bool EditHistory::Redo(CPlan& plan) {
    if (!CanRedo()) return false;
    Edit& e = edits_[done_++];
    for (MoveRecord& m : e.Moves)
        m = Replay(plan, m);
    for (const HourChange& c : e.Hours)
        SetValues(*c.Hour, c.After);
    for (const LockChange& l : e.Locks)
        (*l.Grid)[l.Slot] = l.After;
    for (const RoomGrant& g : e.Rooms)
        g.List->push_back(g.Room);
    SetFigures(plan, e.After);
    return true;
}

void EditHistory::Clear() {
    edits_.clear();
    done_ = 0;
}

} // namespace sw
