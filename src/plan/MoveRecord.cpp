// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/MoveRecord.h"

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

bool MoveRecord::SaveTeacher(const CPlan& plan, int t) {
    const auto same = [t](const CLehrerStatus& st) { return st.Index == t; };
    if (std::any_of(teachers_.begin(), teachers_.end(), same)) return false;
    teachers_.push_back(plan.LehrerStatusL[t]);
    teachers_.back().Index = t;
    return true;
}

bool MoveRecord::SaveClass(const CPlan& plan, int k) {
    const auto same = [k](const CKlassenStatus& st) { return st.Index == k; };
    if (std::any_of(classes_.begin(), classes_.end(), same)) return false;
    classes_.push_back(plan.KlassenStatusL[k]);
    classes_.back().Index = k;
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
        LehrerStatusL[st.Index] = st;
    for (const CKlassenStatus& st : record.classes_)
        KlassenStatusL[st.Index] = st;
    if (record.hasTotals_) SetTotals(record.totals_);
}

void CPlan::DropMarkers(MoveRecord& record) {
    for (MoveRecord::Step& step : record.steps_) {
        if (step.Marker && !step.Placed) ClearMarker(step.Room, step.Slot);
        step.Marker = false;
    }
}

} // namespace sw
