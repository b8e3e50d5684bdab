// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/PlanEditor.h"

#include "plan/Evaluation.h"
#include "plan/Placement.h"

#include <algorithm>
#include <string>
#include <utility>

namespace sw {

CStunde* LessonAt(const CPlan& plan, Ansicht view, int index, int slot, int* room) {
    if (index < 0 || !IsSlot(slot)) return nullptr;
    for (int r = 0; r < plan.RaumAnzahl; ++r) {
        if (view == Ansicht::Raum && r != index) continue;
        CStunde* h = plan.HourAt(r, slot);
        if (!h) continue;
        const bool shown = view == Ansicht::Raum     ? true
                           : view == Ansicht::Lehrer ? h->Lehrer == index
                                                     : h->Involves(index);
        if (!shown) continue;
        if (room) *room = r;
        return h;
    }
    return nullptr;
}

bool EditState::IsCandidate(int slot) const {
    return std::find(Candidates.begin(), Candidates.end(), slot) != Candidates.end();
}

namespace {

// The class an hour stands for in the scans and the exchange: its own, or the first of a course
// hour's classes.
int ClassOf(const CStunde& h) {
    if (h.Klasse != -1) return h.Klasse;
    return h.KlassenL && !h.KlassenL->empty() ? h.KlassenL->front() : -1;
}

// Calls f for every parallel hour of a course hour in ParallelL order; for an hour without
// parallel hours, for the hour itself. f returns false to stop; the answer is whether all ran.
template <typename F> bool ForEachParallel(CStunde& h, F f) {
    if (!h.ParallelL || h.ParallelL->empty()) return f(h);
    for (CStunde* p : *h.ParallelL)
        if (!f(*p)) return false;
    return true;
}

bool Contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

PlanEditor::PlanEditor(CPlan& plan, Stammdaten& stamm, EditHistory& history, Reporter& reporter)
    : plan_(plan), stamm_(stamm), history_(history), reporter_(reporter), exchange_(plan, rng_) {
    // The scans fill these lists; with their room reserved once they allocate nothing.
    state_.Candidates.reserve(kSlotCount);
    state_.ChosenRooms.reserve(std::size_t{kSlotCount} + static_cast<std::size_t>(plan.RaumAnzahl));
    state_.PreviousRooms.reserve(static_cast<std::size_t>(plan.RaumAnzahl));
    unitHours_.reserve(16);
    trial_.Reserve(32, 0, 0);
}

void PlanEditor::Show(Ansicht view, int index) {
    // A refusal is about what was shown: another teacher, class or room drops it.
    if (view != view_ || index != index_) state_.Conflict = false;
    view_ = view;
    index_ = index;
}

void PlanEditor::Reset() {
    state_.MoveMode = state_.SwapMode = state_.SearchMode = false;
    state_.Selection = nullptr;
    state_.Candidates.clear();
    state_.ChosenRooms.clear();
    state_.PreviousRooms.clear();
    state_.PopupAuto = false;
}

void PlanEditor::Escape() {
    Reset();
    state_.Conflict = false;
}

bool PlanEditor::LessonSelected() const {
    return state_.Selection && state_.Selection != &plan_.LeerStunde &&
           state_.Selection->IsLesson();
}

bool PlanEditor::ShownValid() const {
    if (index_ < 0) return false;
    switch (view_) {
    case Ansicht::Lehrer:
        return index_ < plan_.LehrerAnzahl;
    case Ansicht::Klasse:
        return index_ < plan_.KlassenAnzahl;
    case Ansicht::Raum:
        return index_ < plan_.RaumAnzahl;
    }
    return false;
}

LockGrid* PlanEditor::ShownLocks() const {
    if (index_ < 0) return nullptr;
    const auto i = static_cast<std::size_t>(index_);
    switch (view_) {
    case Ansicht::Lehrer:
        return i < stamm_.Lehrer.size() ? &stamm_.Lehrer[i].Sperre : nullptr;
    case Ansicht::Klasse:
        return i < stamm_.Klassen.size() ? &stamm_.Klassen[i].Sperre : nullptr;
    case Ansicht::Raum:
        return i < stamm_.Raeume.size() ? &stamm_.Raeume[i].Sperre : nullptr;
    }
    return nullptr;
}

EditResult PlanEditor::Refreshed(Ergebnis what) {
    Reset();
    return {what, true};
}

EditHistory::Edit PlanEditor::StartEdit() const {
    EditHistory::Edit e;
    e.Before = EditHistory::FiguresOf(plan_);
    return e;
}

void PlanEditor::FinishEdit(EditHistory::Edit&& edit) {
    EvaluateAll(plan_);
    edit.After = EditHistory::FiguresOf(plan_);
    // Counted for the session's "changed since the last save"; a lock is master data.
    plan_.Aenderungen.Bump();
    if (!edit.Locks.empty()) stamm_.Aenderungen.Bump();
    history_.Push(std::move(edit));
}

// --- selection -------------------------------------------------------------------------------

EditResult PlanEditor::SelectCell(int day, int hour) {
    state_.ClickedDay = day;
    state_.ClickedHour = hour;
    EditResult result;
    if (state_.MoveMode && LessonSelected())
        result = PerformMove();
    else if (state_.SwapMode && state_.Selection)
        result = PerformSwap();
    else
        result = Select();
    state_.PopupAuto = true;
    return result;
}

EditResult PlanEditor::Select() {
    const int slot = SlotOf(state_.ClickedDay, state_.ClickedHour);
    if (view_ == Ansicht::Raum) {
        state_.SelectionRoom = index_;
        if (index_ < 0) return {};
    } else {
        state_.Selection = nullptr;
        if (index_ < 0) return {};
    }
    int room = -1;
    CStunde* h = LessonAt(plan_, view_, index_, slot, &room);
    state_.Selection = h ? h : &plan_.LeerStunde;
    if (view_ != Ansicht::Raum) state_.SelectionRoom = h ? room : -1;
    state_.Day = state_.ClickedDay;
    state_.Hour = state_.ClickedHour;
    return {Ergebnis::Ausgewaehlt, false};
}

// --- lessons of two or more hours ------------------------------------------------------------

bool PlanEditor::IsUnitHour(const CPlan& plan, const CStunde& h) {
    return h.BlockPos >= 0 && CPlan::UnitLength(plan.FirstOfUnit(h)) > 1;
}

bool PlanEditor::ShiftUnit(CStunde& h, int slot, UnitRooms rooms, MoveRecord& record) {
    unitHours_.clear();
    const CStunde& first = plan_.FirstOfUnit(h);
    const int length = CPlan::UnitLength(first);
    const int start = slot - h.BlockPos;
    for (int p = 0; p < length; ++p)
        ForEachParallel(plan_.UnitHour(first, p), [&](CStunde& q) {
            unitHours_.emplace_back(&q, start + p);
            return true;
        });
    record.Clear();
    // A unit never crosses the end of the day: such a shift is refused as a slot outside the
    // week is.
    const int last = start + length - 1;
    if (!IsSlot(start) || !IsSlot(last) || DayOf(start) != DayOf(last)) {
        CheckPlacement(plan_, h, kNoSlot, 0);
        return false;
    }
    for (const auto& [q, t] : unitHours_)
        if (plan_.PositionOf(*q) >= 0) plan_.Lift(plan_.RoomOf(*q), plan_.SlotOfHour(*q), record);
    for (const auto& [q, t] : unitHours_) {
        int chosen = -1;
        if (rooms == UnitRooms::ShownRoom && !q->IsCourse()) {
            if (ShownValid() && !CheckPlacement(plan_, *q, t, index_)) chosen = index_;
        } else if (q->RaumL) {
            for (int r : *q->RaumL) {
                if (!CheckPlacement(plan_, *q, t, r)) {
                    chosen = r;
                    break;
                }
                if (rooms == UnitRooms::OccupiedTriesNext &&
                    plan_.Conflict().KonfliktArt != Konflikt::Raum)
                    break;
            }
        }
        if (chosen < 0) {
            // Everything goes back; the report keeps the refusal.
            const ConflictReport kept = plan_.Conflict();
            plan_.Undo(record);
            record.Clear();
            plan_.ReportConflict(kept);
            return false;
        }
        plan_.Place(*q, chosen, t, record);
    }
    return true;
}

bool PlanEditor::UnitFits(CStunde& h, int slot, UnitRooms rooms) {
    if (!ShiftUnit(h, slot, rooms, trial_)) return false;
    plan_.Undo(trial_);
    trial_.Clear();
    return true;
}

// --- move --------------------------------------------------------------------------------------

bool PlanEditor::SeatParallels(CStunde& h, int slot, bool anyRefusalTriesNext, int shownRoom,
                               const CStunde* inShownRoom) {
    std::vector<int>& chosen = state_.ChosenRooms;
    chosen.clear();
    if (shownRoom >= 0) chosen.push_back(shownRoom);
    return ForEachParallel(h, [&](CStunde& p) {
        if (&p == inShownRoom) return CheckPlacement(plan_, p, slot, shownRoom) == nullptr;
        if (!p.RaumL) return false;
        for (int r : *p.RaumL) {
            if (Contains(chosen, r)) continue;
            if (!CheckPlacement(plan_, p, slot, r)) {
                chosen.push_back(r);
                return true;
            }
            if (!anyRefusalTriesNext && plan_.Conflict().KonfliktArt != Konflikt::Raum)
                return false;
        }
        return false;
    });
}

EditResult PlanEditor::Move() {
    if (state_.Selection == &plan_.LeerStunde) return {};
    if (!LessonSelected()) {
        state_.MoveMode = false;
        return {};
    }
    state_.MoveMode = true;
    state_.Candidates.clear();
    state_.ChosenRooms.clear();
    CStunde& sel = *state_.Selection;
    const int a = ClassOf(sel);
    if (a < 0 || a >= plan_.KlassenAnzahl) return {Ergebnis::ModusAn, false};
    const LockGrid& locks = stamm_.Klassen[static_cast<std::size_t>(a)].Sperre;
    if (IsUnitHour(plan_, sel)) {
        // The unit's own hours do not keep it from a slot; another lesson of the class does.
        const CStunde& first = plan_.FirstOfUnit(sel);
        const auto ownUnit = [&](const CStunde& y) {
            return &plan_.FirstOfUnit(y) == &first ||
                   (sel.IsCourse() && y.IsCourse() && y.FachKurs == sel.FachKurs);
        };
        for (int d = 0; d < plan_.Tage; ++d)
            for (int hour = 0; hour <= plan_.Stunden; ++hour) {
                const int s = SlotOf(d, hour);
                if (locks[s] != 0 || s == state_.SelectedSlot()) continue;
                if (plan_.LessonOfClass(a, s, [&](const CStunde& y) { return !ownUnit(y); }))
                    continue;
                if (UnitFits(sel, s, UnitRooms::AnyRefusalTriesNext))
                    state_.Candidates.push_back(s);
            }
        return MoveFramed();
    }
    for (int d = 0; d < plan_.Tage; ++d)
        for (int hour = 0; hour <= plan_.Stunden; ++hour) {
            const int s = SlotOf(d, hour);
            if (locks[s] != 0 || plan_.ClassLessons(a, s) > 0) continue;
            if (!sel.IsCourse()) {
                if (!sel.RaumL) continue;
                for (int r : *sel.RaumL)
                    if (!CheckPlacement(plan_, sel, s, r)) {
                        state_.Candidates.push_back(s);
                        state_.ChosenRooms.push_back(r);
                        break;
                    }
                continue;
            }
            const bool othersBusy =
                std::any_of(sel.KlassenL->begin(), sel.KlassenL->end(),
                            [&](int k) { return k != a && plan_.ClassLessons(k, s) > 0; });
            if (othersBusy) continue;
            if (SeatParallels(sel, s, true, -1, nullptr)) state_.Candidates.push_back(s);
        }
    return MoveFramed();
}

EditResult PlanEditor::MoveFramed() {
    // The grid has a row for hour 0 only with the 0th hour.
    const int firstRow = plan_.Nullte ? 0 : 1;
    const bool shown = std::any_of(state_.Candidates.begin(), state_.Candidates.end(),
                                   [&](int s) { return HourOf(s) >= firstRow; });
    if (!shown) reporter_.Show({texte::KeinFreierPlatz, titel::Hinweis});
    return {Ergebnis::ModusAn, false};
}

EditResult PlanEditor::PerformMove() {
    CStunde& sel = *state_.Selection;
    const int f = SlotOf(state_.ClickedDay, state_.ClickedHour);
    EditHistory::Edit edit = StartEdit();
    MoveRecord record;
    if (IsUnitHour(plan_, sel)) {
        const UnitRooms rooms = view_ == Ansicht::Raum && !sel.IsCourse()
                                    ? UnitRooms::ShownRoom
                                    : UnitRooms::OccupiedTriesNext;
        if (!ShiftUnit(sel, f, rooms, record)) {
            state_.Conflict = true;
            return Refreshed(Ergebnis::Abgelehnt);
        }
    } else if (!sel.IsCourse()) {
        int target = -1;
        if (view_ == Ansicht::Raum) {
            if (ShownValid() && !CheckPlacement(plan_, sel, f, index_)) target = index_;
        } else if (sel.RaumL) {
            for (int r : *sel.RaumL) {
                if (!CheckPlacement(plan_, sel, f, r)) {
                    target = r;
                    break;
                }
                if (plan_.Conflict().KonfliktArt != Konflikt::Raum) break;
            }
        }
        if (target < 0) {
            state_.Conflict = true;
            return Refreshed(Ergebnis::Abgelehnt);
        }
        plan_.Lift(plan_.RoomOf(sel), plan_.SlotOfHour(sel), record);
        plan_.Place(sel, target, f, record);
    } else {
        if (!SeatParallels(sel, f, false, -1, nullptr)) {
            state_.Conflict = true;
            return Refreshed(Ergebnis::Abgelehnt);
        }
        state_.PreviousRooms.clear();
        ForEachParallel(sel, [&](CStunde& p) {
            state_.PreviousRooms.push_back(plan_.RoomOf(p));
            return true;
        });
        ForEachParallel(sel, [&](CStunde& p) {
            if (plan_.PositionOf(p) >= 0) plan_.Lift(plan_.RoomOf(p), plan_.SlotOfHour(p), record);
            return true;
        });
        std::size_t k = 0;
        ForEachParallel(sel, [&](CStunde& p) {
            plan_.Place(p, state_.ChosenRooms[k++], f, record);
            return true;
        });
    }
    edit.Moves.push_back(std::move(record));
    FinishEdit(std::move(edit));
    state_.Conflict = false;
    return Refreshed(Ergebnis::Geaendert);
}

// --- search ------------------------------------------------------------------------------------

bool PlanEditor::FitsAt(CStunde& p, int e) {
    if (IsUnitHour(plan_, p)) {
        const UnitRooms rooms = view_ == Ansicht::Raum && !p.IsCourse() ? UnitRooms::ShownRoom
                                : p.IsCourse() ? UnitRooms::OccupiedTriesNext
                                               : UnitRooms::AnyRefusalTriesNext;
        return UnitFits(p, e, rooms);
    }
    if (p.IsCourse()) {
        if (view_ == Ansicht::Raum) return SeatParallels(p, e, false, index_, &p);
        return SeatParallels(p, e, false, -1, nullptr);
    }
    if (view_ == Ansicht::Raum) return CheckPlacement(plan_, p, e, index_) == nullptr;
    if (!p.RaumL) return false;
    for (int r : *p.RaumL)
        if (!CheckPlacement(plan_, p, e, r)) return true;
    return false;
}

EditResult PlanEditor::Search() {
    state_.Candidates.clear();
    if (state_.Selection != &plan_.LeerStunde) {
        state_.SearchMode = false;
        return {};
    }
    state_.SearchMode = true;
    const int e = state_.SelectedSlot();
    if (!ShownValid()) return {Ergebnis::ModusAn, false};
    for (int d = 0; d < plan_.Tage; ++d)
        for (int hour = 0; hour <= plan_.Stunden; ++hour) {
            const int s = SlotOf(d, hour);
            switch (view_) {
            case Ansicht::Lehrer:
                if (plan_.TeacherLessons(index_, s) == 0) break;
                for (int r = 0; r < plan_.RaumAnzahl; ++r) {
                    CStunde* p = plan_.HourAt(r, s);
                    if (p && p->Lehrer == index_ && FitsAt(*p, e)) {
                        state_.Candidates.push_back(s);
                        break;
                    }
                }
                break;
            case Ansicht::Klasse:
                if (CStunde* p = plan_.LessonOfClass(index_, s); p && FitsAt(*p, e))
                    state_.Candidates.push_back(s);
                break;
            case Ansicht::Raum:
                if (CStunde* p = plan_.HourAt(index_, s); p && FitsAt(*p, e))
                    state_.Candidates.push_back(s);
                break;
            }
        }
    return {Ergebnis::ModusAn, false};
}

// --- swap --------------------------------------------------------------------------------------

EditResult PlanEditor::Swap() {
    if (!LessonSelected()) return {};
    state_.SwapMode = true;
    state_.Candidates.clear();
    state_.ChosenRooms.clear();
    if (!ShownValid()) return {Ergebnis::ModusAn, false};
    const CStunde& sel = *state_.Selection;
    const int selected = state_.SelectedSlot();
    for (int d = 0; d < plan_.Tage; ++d)
        for (int hour = 0; hour <= plan_.Stunden; ++hour) {
            const int s = SlotOf(d, hour);
            ExchangeRequest request{
                .Rule = AcceptanceKind::GoalTable, .KeepIfWorse = false, .Commit = false};
            if (view_ == Ansicht::Klasse) {
                if (plan_.ClassLessons(index_, s) == 0) continue;
                request.ClassAtFirst = request.ClassAtSecond = index_;
                request.FirstSlot = s;
                request.SecondSlot = selected;
            } else {
                const CStunde* q = view_ == Ansicht::Raum ? plan_.HourAt(index_, s)
                                                          : plan_.LessonOfTeacher(index_, s);
                if (!q || q == &sel) continue;
                request.ClassAtSecond = ClassOf(*q);
                request.ClassAtFirst = ClassOf(sel);
                request.FirstSlot = selected;
                request.SecondSlot = s;
            }
            if (exchange_(request)) state_.Candidates.push_back(s);
        }
    return {Ergebnis::ModusAn, false};
}

EditResult PlanEditor::PerformSwap() {
    const int clicked = SlotOf(state_.ClickedDay, state_.ClickedHour);
    if (view_ != Ansicht::Klasse) state_.Conflict = false;
    const CStunde* q = LessonAt(plan_, view_, index_, clicked);
    if (!q || q == state_.Selection || !LessonSelected()) return {};
    EditHistory::Edit edit = StartEdit();
    const bool done = exchange_({.FirstSlot = state_.SelectedSlot(),
                                 .SecondSlot = clicked,
                                 .ClassAtFirst = ClassOf(*state_.Selection),
                                 .ClassAtSecond = ClassOf(*q),
                                 .Rule = AcceptanceKind::GoalTable,
                                 .KeepIfWorse = true,
                                 .Commit = true});
    if (!done || !exchange_.LastKept()) {
        state_.Conflict = true;
        return Refreshed(Ergebnis::Abgelehnt);
    }
    edit.Moves.push_back(exchange_.Record());
    FinishEdit(std::move(edit));
    state_.SwapMode = false;
    state_.Selection = nullptr;
    state_.Conflict = false;
    return {Ergebnis::Geaendert, false};
}

// --- presets of the selected hour ----------------------------------------------------------------

EditResult PlanEditor::ChangeHours(const std::vector<CStunde*>& hours,
                                   void (*change)(CStunde&, const EditState&)) {
    EditHistory::Edit edit = StartEdit();
    for (CStunde* h : hours) {
        const EditHistory::HourValues before = EditHistory::ValuesOf(*h);
        change(*h, state_);
        edit.Hours.push_back({h, before, EditHistory::ValuesOf(*h)});
    }
    FinishEdit(std::move(edit));
    return {Ergebnis::Geaendert, false};
}

namespace {

void ToggleFixedTime(CStunde& h, const EditState& st) {
    switch (h.Modus) {
    case Modus::Frei:
    case Modus::RaumFest:
        h.Modus = h.Modus == Modus::Frei ? Modus::ZeitFest : Modus::ZeitUndRaumFest;
        h.Zeit = st.SelectedSlot();
        break;
    case Modus::ZeitFest:
    case Modus::ZeitUndRaumFest:
        h.Modus = h.Modus == Modus::ZeitFest ? Modus::Frei : Modus::RaumFest;
        h.Zeit = kNoSlot;
        h.OberesLimit = h.UnteresLimit = h.NurUrPlan = 0;
        break;
    }
}

void ToggleFixedDay(CStunde& h, const EditState& st) {
    if (h.Tag == -1) {
        h.Tag = st.Day;
        h.TagesLimit = 1;
    } else {
        h.Tag = -1;
        h.TagesLimit = 0;
    }
}

void ToggleUpper(CStunde& h, const EditState& st) {
    if (h.OberesLimit) {
        h.Zeit = kNoSlot;
        h.OberesLimit = 0;
    } else {
        h.Zeit = st.Hour;
        h.OberesLimit = 1;
    }
    h.UnteresLimit = 0;
}

void ToggleLower(CStunde& h, const EditState& st) {
    if (h.UnteresLimit) {
        h.Zeit = kNoSlot;
        h.UnteresLimit = 0;
    } else {
        h.Zeit = st.Hour;
        h.UnteresLimit = 1;
    }
    h.OberesLimit = 0;
}

} // namespace

EditResult PlanEditor::FixedTime() {
    if (!state_.Selection) return {};
    // The key works on a selected empty cell too: it changes only the marker, which never stands
    // in the grid, so nothing goes onto the history.
    if (!LessonSelected()) {
        ToggleFixedTime(*state_.Selection, state_);
        return {};
    }
    return ChangeHours({state_.Selection}, &ToggleFixedTime);
}

EditResult PlanEditor::FixedDay() {
    if (!state_.Selection) return {};
    if (!LessonSelected()) {
        ToggleFixedDay(*state_.Selection, state_);
        return {};
    }
    return ChangeHours({state_.Selection}, &ToggleFixedDay);
}

EditResult PlanEditor::Limit(void (*toggle)(CStunde&, const EditState&)) {
    if (!LessonSelected()) return {};
    std::vector<CStunde*> hours;
    ForEachParallel(*state_.Selection, [&](CStunde& p) {
        hours.push_back(&p);
        return true;
    });
    return ChangeHours(hours, toggle);
}

EditResult PlanEditor::UpperLimit() {
    return Limit(&ToggleUpper);
}

EditResult PlanEditor::LowerLimit() {
    return Limit(&ToggleLower);
}

EditResult PlanEditor::Lock() {
    if (state_.Selection != &plan_.LeerStunde) return {};
    LockGrid* grid = ShownLocks();
    if (!grid) return {};
    const int slot = state_.SelectedSlot();
    EditHistory::Edit edit = StartEdit();
    const std::uint8_t before = (*grid)[slot];
    (*grid)[slot] = before != 0 ? 0 : 1;
    edit.Locks.push_back({grid, slot, before, (*grid)[slot]});
    FinishEdit(std::move(edit));
    state_.MoveMode = state_.SearchMode = state_.SwapMode = false;
    state_.PopupAuto = false;
    state_.Selection = nullptr;
    return {Ergebnis::Geaendert, false};
}

// --- room --------------------------------------------------------------------------------------

std::vector<int> PlanEditor::RoomChoices(bool alleRaeume) {
    std::vector<int> rooms;
    if (!LessonSelected()) return rooms;
    const CStunde& sel = *state_.Selection;
    const int slot = state_.SelectedSlot();
    const auto fits = [&](int r) { return CheckPlacement(plan_, sel, slot, r) == nullptr; };
    if (alleRaeume) {
        for (int r = 0; r < plan_.RaumAnzahl; ++r)
            if (fits(r)) rooms.push_back(r);
    } else if (sel.RaumL) {
        for (int r : *sel.RaumL)
            if (fits(r)) rooms.push_back(r);
    }
    return rooms;
}

EditResult PlanEditor::SetRoom(int room) {
    if (!LessonSelected()) return {};
    CStunde& sel = *state_.Selection;
    if (room < 0 || room >= plan_.RaumAnzahl ||
        static_cast<std::size_t>(room) >= stamm_.Raeume.size() || !sel.RaumL)
        return Refreshed(Ergebnis::Nichts);
    EditHistory::Edit edit = StartEdit();
    if (!Contains(*sel.RaumL, room)) {
        const Message question{"Der Raum " + stamm_.Raeume[static_cast<std::size_t>(room)].Name +
                                   "ist nicht für diese Stunde vorgesehen.\nSoll der Raum ab "
                                   "jetzt für diese Stunde freigegeben werden?",
                               titel::Anfrage};
        if (!reporter_.Ask(question, Question::YesNo)) return {Ergebnis::Abgebrochen, false};
        sel.RaumL->push_back(room);
        edit.Rooms.push_back({sel.RaumL, room});
    }
    const int slot = state_.SelectedSlot();
    if (CheckPlacement(plan_, sel, slot, room)) {
        state_.Conflict = true;
        if (edit.Rooms.empty()) return Refreshed(Ergebnis::Abgelehnt);
        FinishEdit(std::move(edit));
        return Refreshed(Ergebnis::Geaendert);
    }
    MoveRecord record;
    plan_.Lift(plan_.RoomOf(sel), plan_.SlotOfHour(sel), record);
    plan_.Place(sel, room, slot, record);
    edit.Moves.push_back(std::move(record));
    FinishEdit(std::move(edit));
    return Refreshed(Ergebnis::Geaendert);
}

EditResult PlanEditor::CancelRoom() {
    return Refreshed(Ergebnis::Nichts);
}

// --- popup -------------------------------------------------------------------------------------

PopupState PlanEditor::Popup() const {
    const CStunde* sel = state_.Selection;
    if (!sel) return lastPopup_;
    PopupState p;
    const bool lesson = LessonSelected();
    p.Move = p.Swap = p.FixedTime = lesson;
    p.Search = p.Lock = !lesson;
    p.FixedTimeChecked = sel->TimeFixed();
    p.FixedDay = true;
    p.FixedDayChecked = sel->TagesLimit != 0 && sel->Tag != -1;
    const LockGrid* locks = ShownLocks();
    p.LockChecked = locks && (*locks)[state_.SelectedSlot()] != 0;
    const std::string n = std::to_string(sel->Zeit % kHoursPerDay);
    if (sel->OberesLimit) {
        p.OberesLimit = "Oberes Limit (" + n + ")" + "    o";
        p.UnteresLimit = "Unteres Limit       u";
    } else if (sel->UnteresLimit) {
        p.UnteresLimit = "Unteres Limit (" + n + ")" + "   u";
        p.OberesLimit = "Oberes Limit        o";
    } else {
        p.OberesLimit = "Oberes Limit         o";
        p.UnteresLimit = "Unteres Limit        u";
    }
    lastPopup_ = p;
    return p;
}

// --- history -----------------------------------------------------------------------------------

bool PlanEditor::Undo() {
    const bool locks = history_.UndoLocks();
    if (!history_.Undo(plan_)) return false;
    plan_.Aenderungen.Bump();
    if (locks) stamm_.Aenderungen.Bump();
    Reset();
    return true;
}

bool PlanEditor::Redo() {
    const bool locks = history_.RedoLocks();
    if (!history_.Redo(plan_)) return false;
    plan_.Aenderungen.Bump();
    if (locks) stamm_.Aenderungen.Bump();
    Reset();
    return true;
}

} // namespace sw
