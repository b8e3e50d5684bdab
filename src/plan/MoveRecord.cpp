// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/MoveRecord.h"
#include "plan/PlanRules.h"

#include <algorithm>

namespace sw {

void MoveRecord::Clear() {
    steps_.clear();
    teachers_.clear();
    classes_.clear();
    hasTotals_ = false;
}

void MoveRecord::Reserve(std::size_t steps, std::size_t teachers, std::size_t classes) {
    steps_.reserve(steps);
    teachers_.reserve(teachers);
    classes_.reserve(classes);
}

namespace {

// Appends the status record at `index` of `all` to `saved`, unless it is there already.
template <typename Status>
bool SaveOnce(std::vector<Status>& saved, const std::vector<Status>& all, int index) {
    const auto same = [index](const Status& st) { return st.Index == index; };
    if (std::any_of(saved.begin(), saved.end(), same)) return false;
    saved.push_back(all[index]);
    saved.back().Index = index;
    return true;
}

} // namespace

bool MoveRecord::SaveTeacher(const CPlan& plan, int t) {
    return SaveOnce(teachers_, plan.LehrerStatusL.Items(), t);
}

bool MoveRecord::SaveClass(const CPlan& plan, int k) {
    return SaveOnce(classes_, plan.KlassenStatusL.Items(), k);
}

bool MoveRecord::RulesHeld(const CPlan& plan) const {
    const PlanRules* rules = plan.Regeln();
    if (!rules || !rules->HasSoftRules()) return true;
    // The counts before the move: a lesson put in is taken out again, a lifted one put back.
    PlanRules::SlotChange before{};
    const auto undo = [&](auto involved) {
        before.fill(0);
        for (const Step& s : steps_)
            if (s.Hour && involved(*s.Hour))
                before[static_cast<std::size_t>(s.Slot)] += s.Placed ? -1 : 1;
    };
    for (const CLehrerStatus& t : teachers_) {
        undo([&](const CStunde& h) { return h.Lehrer == t.Index; });
        if (rules->TeacherViolations(plan, t.Index) >
            rules->TeacherViolations(plan, t.Index, &before))
            return false;
    }
    for (const CKlassenStatus& k : classes_) {
        undo([&](const CStunde& h) { return h.Involves(k.Index); });
        if (rules->ClassViolations(plan, k.Index) > rules->ClassViolations(plan, k.Index, &before))
            return false;
    }
    return true;
}

void MoveRecord::SaveTotals(const CPlan& plan) {
    if (hasTotals_) return;
    totals_ = plan.Totals();
    hasTotals_ = true;
}

// ---------------------------------------------------------------------------------------------
// The plan's side

CStunde* CPlan::Lift(int room, int slot, MoveRecord& record) {
    CStunde* h = Lift(room, slot);
    if (h) record.steps_.push_back({h, room, slot, false, false});
    return h;
}

CStunde* CPlan::LiftToMarker(int room, int slot, MoveRecord& record) {
    CStunde* h = Lift(room, slot);
    if (!h) return nullptr;
    PutMarker(room, slot);
    record.steps_.push_back({h, room, slot, false, true});
    return h;
}

void CPlan::Place(CStunde& h, int room, int slot, MoveRecord& record) {
    const bool marker = IsMarker(room, slot);
    Place(h, room, slot);
    record.steps_.push_back({&h, room, slot, true, marker});
}

void CPlan::Undo(const MoveRecord& record) {
    const auto alarm = [this] {
        reporter_.Show({"Hier sollte die _LeerStunde stehen!", "Böser Fehler"});
    };
    for (auto step = record.steps_.rbegin(); step != record.steps_.rend(); ++step) {
        if (step->Placed) {
            if (HourAt(step->Room, step->Slot) != step->Hour) {
                alarm();
                continue;
            }
            Lift(step->Room, step->Slot);
            if (step->Marker) PutMarker(step->Room, step->Slot);
            continue;
        }
        if (step->Marker) {
            if (!IsMarker(step->Room, step->Slot)) alarm();
            ClearMarker(step->Room, step->Slot);
        }
        if (!IsFree(step->Room, step->Slot) || PositionOf(*step->Hour) >= 0) {
            alarm();
            continue;
        }
        Place(*step->Hour, step->Room, step->Slot);
    }
    for (const CLehrerStatus& st : record.teachers_)
        LehrerStatusL.items_[st.Index] = st;
    for (const CKlassenStatus& st : record.classes_)
        KlassenStatusL.items_[st.Index] = st;
    if (record.hasTotals_) SetTotals(record.totals_);
}

void CPlan::DropMarkers(MoveRecord& record) {
    for (MoveRecord::Step& step : record.steps_) {
        if (step.Marker && !step.Placed) ClearMarker(step.Room, step.Slot);
        step.Marker = false;
    }
}

} // namespace sw
