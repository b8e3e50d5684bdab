// SPDX-License-Identifier: GPL-3.0-or-later
// UnitPresets.cpp: the time presets of a unit on the units page: showing them, the handlers of
// the preset controls, deleting the time, and choosing a time or a room through the
// definition-time checks. The fixed-time field of a unit holds a slot when the unit is pinned,
// the limit hour (0..12) when an upper or lower limit is set, and -1 otherwise.
#include "define/BlockUnits.h"
#include "define/LessonEditor.h"
#include "define/MasterDataNames.h"
#include "model/Presets.h"

namespace sw {

using blockunits::ForEachParallel;

namespace {

// The grid cells of a pinned unit: its slots from the fixed time on, never past the day's end.
void DrawSpan(Vorgaben& v, int start, int length) {
    v.Kreuze.clear();
    for (int i = 0; i < length && HourOf(start) + i < kHoursPerDay; ++i)
        v.Kreuze.push_back(start + i);
}

// Neither limit nor day restriction any more: the grid is shown empty, LimitCoBox and
// "nur Urplan" are disabled.
void ShowEmptyGrid(Vorgaben& v) {
    v.Kreuze.clear();
    v.GitterSichtbar = true;
    v.LimitAktiv = false;
    v.NurUrPlanAktiv = false;
}

bool IsLimitHour(const AllgemeineAngaben& a, int hour) {
    return hour >= (a.Nullte ? 0 : 1) && hour <= a.Stunden;
}

// The refusal of a preset the unit could never keep: the heading, then why.
void Refuse(Vorgaben& v, const std::string& heading, const std::string& fault) {
    v.Hinweis = heading + "\n\nDie Einheit " + fault + ".";
    v.Warnung = true;
}

const char* const kLimitNicht = "Dieses Stunden-Limit ist für diese Einheit nicht möglich!";
const char* const kTagNicht =
    "Diese Einschränkung auf einen Tag ist für diese Einheit nicht möglich!";
const char* const kZeitNicht =
    "Eine Festlegung dieser Zeit für diese Unterrichts - Einheit ist nicht möglich!";

// The nearest hour to `hour` at which a limit leaves the unit `e` room: an upper limit needs the
// whole unit before it, a lower limit after it.
int FittingLimitHour(const AllgemeineAngaben& a, const CEinheit& e, bool upper, int hour) {
    const int first = a.Nullte ? 0 : 1;
    if (upper) return std::max(hour, std::min(first + e.Laenge - 1, a.Stunden));
    return std::min(hour, std::max(a.Stunden - e.Laenge + 1, first));
}

} // namespace

void LessonEditor::ShowUnit(const AktuellerBlock& block, int position, Vorgaben& v) const {
    const CEinheit* e = Unit(block, position);
    if (e == nullptr) return;
    v.Hinweis.clear();
    v.Warnung = false;
    v.Kreuze.clear();
    v.GitterSichtbar = true;
    v.LimitAktiv = false;
    v.NurUrPlanAktiv = false;
    v.TagAktiv = false;
    v.TagesLimit = e->TagesLimit != 0;
    if (v.TagesLimit) {
        v.TagAktiv = true;
        if (e->Tag >= 0) v.Tag = e->Tag;
    }
    if (e->Zeitvorgabe == kNoSlot) {
        v.NurUrPlan = v.OberesLimit = v.UnteresLimit = false;
        return;
    }
    v.OberesLimit = e->OberesLimit != 0;
    v.UnteresLimit = e->UnteresLimit != 0;
    v.NurUrPlan = e->NurUrPlan != 0;
    v.NurUrPlanAktiv = true;
    if (!v.OberesLimit && !v.UnteresLimit) {
        if (IsSlot(e->Zeitvorgabe)) DrawSpan(v, e->Zeitvorgabe, e->Laenge);
        return;
    }
    v.GitterSichtbar = false;
    v.LimitAktiv = true;
    v.LimitStunde = e->Zeitvorgabe;
}

bool LessonEditor::ClearTime(const AktuellerBlock& block, int position, Vorgaben& v) {
    if (Unit(block, position) == nullptr) return false;
    ForEachParallel(data_, block, position, [](CEinheit& e) {
        e.Zeitvorgabe = kNoSlot;
        e.NurUrPlan = e.OberesLimit = e.UnteresLimit = e.TagesLimit = 0;
        e.Tag = -1;
    });
    v.NurUrPlan = false;
    v.NurUrPlanAktiv = false;
    v.Kreuze.clear();
    return Changed();
}

// One handler for both limit boxes: `mine` is the box that changed, `other` the opposite one.
// Checking one unchecks the other, which runs the other's handler as a click would.
namespace {
struct LimitBox {
    bool Vorgaben::*Box;
    Flag CEinheit::*Field;
};
} // namespace

static void LimitChanged(LessonEditor& editor, Stammdaten& data, const AktuellerBlock& block,
                         int position, Vorgaben& v, LimitBox mine, LimitBox other, bool lower) {
    if (editor.Unit(block, position) == nullptr) return;
    // Step 1: the controls.
    bool clear = false;
    if (v.OberesLimit || v.UnteresLimit || v.TagesLimit) {
        v.GitterSichtbar = false;
        v.LimitAktiv = true;
        v.NurUrPlanAktiv = true;
    } else {
        v.NurUrPlan = false;
        ShowEmptyGrid(v);
        clear = true;
    }
    if (lower) {
        v.TagesLimitAktiv = true;
        v.TagAktiv = true;
    }
    // Step 2: the unit and its parallel units.
    const bool on = v.*mine.Box;
    ForEachParallel(data, block, position, [&](CEinheit& e) { e.*mine.Field = on ? 1 : 0; });
    if (on && v.*other.Box) {
        v.*other.Box = false;
        if (lower)
            editor.UpperLimitChanged(block, position, v);
        else
            editor.LowerLimitChanged(block, position, v);
    }
    // LimitCoBox offers only the hours of the day; anything else stands for its first entry.
    if (!IsLimitHour(data.Angaben, v.LimitStunde)) v.LimitStunde = data.Angaben.Nullte ? 0 : 1;
    // A limit the unit could never keep (a double lesson before the 1st hour) moves to the
    // nearest hour it can keep.
    if (v.OberesLimit || v.UnteresLimit)
        v.LimitStunde = FittingLimitHour(data.Angaben, *editor.Unit(block, position), v.OberesLimit,
                                         v.LimitStunde);
    const bool limited = v.OberesLimit || v.UnteresLimit;
    ForEachParallel(data, block, position, [&](CEinheit& e) {
        // With no limit left the field would pin the unit to the limit hour of the first day
        // (only the day restriction is left): the time goes instead.
        e.Zeitvorgabe = limited ? v.LimitStunde : kNoSlot;
        if (clear) e.OberesLimit = e.UnteresLimit = e.NurUrPlan = 0;
    });
}

void LessonEditor::UpperLimitChanged(const AktuellerBlock& block, int position, Vorgaben& v) {
    if (Unit(block, position) != nullptr) Changed();
    LimitChanged(*this, data_, block, position, v, {&Vorgaben::OberesLimit, &CEinheit::OberesLimit},
                 {&Vorgaben::UnteresLimit, &CEinheit::UnteresLimit}, false);
}

void LessonEditor::LowerLimitChanged(const AktuellerBlock& block, int position, Vorgaben& v) {
    if (Unit(block, position) != nullptr) Changed();
    LimitChanged(*this, data_, block, position, v,
                 {&Vorgaben::UnteresLimit, &CEinheit::UnteresLimit},
                 {&Vorgaben::OberesLimit, &CEinheit::OberesLimit}, true);
}

void LessonEditor::LimitHourChanged(const AktuellerBlock& block, int position, Vorgaben& v) {
    if (!IsLimitHour(data_.Angaben, v.LimitStunde)) return;
    if (const CEinheit* e = Unit(block, position);
        e != nullptr && (e->OberesLimit != 0 || e->UnteresLimit != 0)) {
        CEinheit candidate = *e;
        candidate.Zeitvorgabe = v.LimitStunde;
        if (auto fault = UnitPresetFault(data_.Angaben, candidate)) {
            Refuse(v, kLimitNicht, *fault);
            v.LimitStunde = HourOf(e->Zeitvorgabe);
            return;
        }
    }
    Changed();
    ForEachParallel(data_, block, position, [&](CEinheit& e) {
        // Only a limit holds an hour; without one the hour would pin the unit to the first day.
        if (e.OberesLimit != 0 || e.UnteresLimit != 0) e.Zeitvorgabe = v.LimitStunde;
    });
}

void LessonEditor::DayLimitChanged(const AktuellerBlock& block, int position, Vorgaben& v) {
    if (Unit(block, position) == nullptr) return;
    if (v.TagesLimit && (v.Tag < 0 || v.Tag >= data_.Angaben.Tage)) return;
    Changed();
    v.TagAktiv = v.TagesLimit;
    const bool unpin = !v.OberesLimit && !v.UnteresLimit;
    if (unpin) ShowEmptyGrid(v);
    if (v.TagesLimit) v.GitterSichtbar = false;
    ForEachParallel(data_, block, position, [&](CEinheit& e) {
        if (unpin) e.Zeitvorgabe = kNoSlot;
        e.TagesLimit = v.TagesLimit ? 1 : 0;
        e.Tag = v.TagesLimit ? v.Tag : -1;
    });
}

void LessonEditor::DayChanged(const AktuellerBlock& block, int position, Vorgaben& v) {
    if (v.TagesLimit && (v.Tag < 0 || v.Tag >= data_.Angaben.Tage)) return;
    // A unit fixed on one day cannot be restricted to another.
    if (const CEinheit* e = Unit(block, position); e != nullptr && v.TagesLimit) {
        CEinheit candidate = *e;
        candidate.TagesLimit = 1;
        candidate.Tag = v.Tag;
        if (auto fault = UnitPresetFault(data_.Angaben, candidate)) {
            Refuse(v, kTagNicht, *fault);
            if (e->TagesLimit != 0 && e->Tag >= 0) v.Tag = e->Tag;
            return;
        }
    }
    Changed();
    ForEachParallel(data_, block, position, [&](CEinheit& e) {
        e.TagesLimit = v.TagesLimit ? 1 : 0;
        e.Tag = v.TagesLimit ? v.Tag : -1;
    });
}

void LessonEditor::InitialPlanOnlyChanged(const AktuellerBlock& block, int position, Vorgaben& v) {
    Changed();
    ForEachParallel(data_, block, position,
                    [&](CEinheit& e) { e.NurUrPlan = v.NurUrPlan ? 1 : 0; });
}

DefinitionCheck LessonEditor::SetTime(const AktuellerBlock& block, const std::vector<int>& selected,
                                      int slot, Vorgaben& v) {
    DefinitionCheck check = CheckTime(data_, block, selected, slot);
    if (!check.Allowed()) {
        v.Hinweis = check.Refusal;
        v.Warnung = true;
        return check;
    }
    // The one unit the check accepted: an entry of `selected` that is no unit is ignored.
    const std::vector<CEinheit>& list = *blockunits::Current(data_, block);
    const int position = blockunits::ValidPositions(selected, list.size()).front();
    // A unit restricted to one day cannot be fixed on another.
    CEinheit candidate = list[static_cast<std::size_t>(position)];
    candidate.Zeitvorgabe = slot;
    if (auto fault = UnitPresetFault(data_.Angaben, candidate)) {
        Refuse(v, kZeitNicht, *fault);
        return DefinitionCheck::Refuse(v.Hinweis);
    }
    // A fixed time outside the block's allowed times or in a break could never be kept.
    if (HatRegeln(data_)) {
        Stammdaten probe = data_;
        ForEachParallel(probe, block, position, [&](CEinheit& e) { e.Zeitvorgabe = slot; });
        if (auto problem = masterdata::NewRuleProblem(data_, probe)) {
            v.Hinweis = std::string(kZeitNicht) + "\n\n" + *problem;
            v.Warnung = true;
            return DefinitionCheck::Refuse(v.Hinweis);
        }
    }
    ForEachParallel(data_, block, position, [&](CEinheit& e) { e.Zeitvorgabe = slot; });
    Changed();
    v.Hinweis.clear();
    v.Warnung = false;
    v.NurUrPlanAktiv = true;
    DrawSpan(v, slot, Unit(block, position)->Laenge);
    return check;
}

DefinitionCheck LessonEditor::SetRoom(const AktuellerBlock& block, int position,
                                      std::string_view raum, bool raumCheck, Vorgaben& v) {
    if (raum.empty()) return DefinitionCheck::Ok();
    DefinitionCheck check = CheckRoom(data_, block, position, raum, raumCheck);
    if (!check.Allowed()) {
        v.Hinweis = check.Refusal;
        v.Warnung = true;
        return check;
    }
    // Rooms are the one thing a course's teachers do not share: only the current unit changes.
    blockunits::Current(data_, block)->at(static_cast<std::size_t>(position)).Raum = raum;
    Changed();
    v.Hinweis.clear();
    v.Warnung = false;
    return check;
}

} // namespace sw
