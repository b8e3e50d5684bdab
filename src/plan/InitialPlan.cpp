// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/InitialPlan.h"

#include "plan/Evaluation.h"
#include "plan/Placement.h"

#include <algorithm>
#include <climits>

namespace sw {

namespace {

void Alarm(CPlan& plan, std::string text) {
    plan.Report().Show({std::move(text), titel::Boesartig});
}

} // namespace

InitialPlanBuilder::InitialPlanBuilder(CPlan& plan, Random& rng)
    : plan_(plan), rng_(rng), seating_(plan, rng) {
    w_.reserve(plan.StundenL.size());
    phase_.reserve(plan.StundenL.size());
    std::size_t widest = 1;
    for (const auto& h : plan.StundenL)
        if (h->ParallelL) widest = std::max(widest, h->ParallelL->size() * std::max(1, h->Laenge));
    chosen_.reserve(widest);
    rooms_.reserve(widest);
}

int BuildInitialPlan(CPlan& plan, Random& rng) {
    InitialPlanBuilder builder(plan, rng);
    return builder.Build();
}

bool InitialPlanBuilder::Stopping() {
    if (!tick_ || halted_ || (++calls_ & 15U) != 0) return halted_;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastTick_ < std::chrono::milliseconds(50)) return false;
    lastTick_ = now;
    halted_ = !tick_();
    return halted_;
}

int InitialPlanBuilder::Build() {
    halted_ = false;
    lastTick_ = std::chrono::steady_clock::now();
    w_.clear();
    phase_.clear();
    chosen_.clear();
    seating_.SetLastChecked(nullptr);
    for (const auto& h : plan_.StundenL)
        if (plan_.PositionOf(*h) < 0) w_.push_back(h.get());

    const bool placed = PlaceFixedTimeAndRoom() && PlaceFixedTime() && PlaceLongUnits() &&
                        PlaceCourses() && PlaceDoubleLessons() && PlaceSingleHours();
    // The rest counts every hour that stands nowhere, whichever list it was left in: an attempt
    // with an unplaced hour is never a complete plan.
    if (const int rest = Unplaced(); !placed || rest > 0) {
        if (placed) {
            for (const auto& h : plan_.StundenL)
                if (plan_.PositionOf(*h) < 0) {
                    ClearReport();
                    GiveUp(*h);
                    break;
                }
        }
        w_.clear();
        phase_.clear();
        return std::max(rest, 1);
    }
    w_.clear();
    phase_.clear();
    return Finish();
}

int InitialPlanBuilder::Finish() {
    if (!FillFirstHours()) return -1;
    ReleasePresets();
    for (int t = 0; t < plan_.LehrerAnzahl; ++t)
        EvaluateTeacher(plan_, t);
    for (int k = 0; k < plan_.KlassenAnzahl; ++k)
        EvaluateClass(plan_, k);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Helpers

template <typename Pred> void InitialPlanBuilder::TakeFromW(Pred take) {
    phase_.clear();
    std::size_t kept = 0;
    for (CStunde* h : w_) {
        if (take(*h))
            phase_.push_back(h);
        else
            w_[kept++] = h;
    }
    w_.resize(kept);
}

int InitialPlanBuilder::RandomStart(int length) {
    const int hour = rng_.InRange(1, plan_.Stunden - length + 1);
    const int day = rng_.InRange(0, plan_.Tage - 1);
    return SlotOf(day, hour);
}

void InitialPlanBuilder::PlaceUnit(CStunde& first, int start, int room) {
    for (int p = 0; p < CPlan::UnitLength(first); ++p)
        plan_.Place(plan_.UnitHour(first, p), room, start + p);
}

bool InitialPlanBuilder::TryUnitAnywhere(CStunde& first) {
    ClearReport();
    seating_.SetLastChecked(&first);
    const int tries = 100 * first.RoomCount();
    for (int t = 0; t < tries && !Stopping(); ++t) {
        const int room = seating_.RandomRoom(first);
        const int start = RandomStart(CPlan::UnitLength(first));
        if (seating_.UnitFits(first, start, room)) {
            PlaceUnit(first, start, room);
            return true;
        }
    }
    return GiveUp(*seating_.LastChecked());
}

bool InitialPlanBuilder::GiveUp(const CStunde& h) {
    plan_.SetConflictHour(&h);
    // No refusal was recorded when no candidate room could be drawn at all: a want of rooms.
    if (plan_.Conflict().KonfliktArt == Konflikt::Keiner) plan_.SetConflictKind(Konflikt::Raum);
    return false;
}

void InitialPlanBuilder::ClearReport() {
    plan_.ClearConflict();
}

void InitialPlanBuilder::RemovePlaced(std::vector<CStunde*>& list) {
    std::erase_if(list, [&](const CStunde* h) { return plan_.PositionOf(*h) >= 0; });
}

int InitialPlanBuilder::Unplaced() const {
    return static_cast<int>(plan_.StundenL.size()) - plan_.PlacedCount();
}

// ---------------------------------------------------------------------------------------------
// Phases 1 and 2: fixed times

bool InitialPlanBuilder::PlaceFixedTimeAndRoom() {
    for (CStunde* entry : w_) {
        if (entry->Modus != Modus::ZeitUndRaumFest || plan_.PositionOf(*entry) >= 0) continue;
        CStunde& first = plan_.FirstOfUnit(*entry);
        const int rooms = first.RoomCount();
        if (rooms != 1 || first.Zeit == kNoSlot)
            Alarm(plan_, "Raumzeit - Fehler beim Setzen: (RaumL->Count,Zeit) = (" +
                             std::to_string(rooms) + ", " + std::to_string(first.Zeit) + ")");
        ClearReport();
        seating_.SetLastChecked(&first);
        const int length = CPlan::UnitLength(first);
        if (rooms == 0) return GiveUp(first);
        const int room = (*first.RaumL)[0];
        // A preset outside the week in use (a day or hour the general settings no longer
        // offer, or a unit running past the end of the day) can never be met.
        bool inWeek = IsSlot(first.Zeit) && HourOf(first.Zeit) + length - 1 <= kMaxHour;
        for (int p = 0; inWeek && p < length; ++p)
            inWeek = plan_.InWeek(first.Zeit + p);
        if (room < 0 || room >= plan_.RaumAnzahl || !inWeek) {
            plan_.SetConflictKind(Konflikt::Zeit);
            return GiveUp(first);
        }
        // No placement check here; but a cell that already holds a lesson is never overwritten:
        // its hour keeps its place and the attempt ends.
        for (int p = 0; p < length; ++p) {
            if (plan_.IsFree(room, first.Zeit + p)) continue;
            Alarm(plan_, "Raum " + plan_.RaumAt(room).Name + " sollte frei sein.");
            plan_.SetConflictRoom(room);
            plan_.SetConflictKind(Konflikt::Raum);
            return GiveUp(plan_.UnitHour(first, p));
        }
        PlaceUnit(first, first.Zeit, room);
    }
    RemovePlaced(w_);
    return true;
}

bool InitialPlanBuilder::PlaceFixedTime() {
    for (int limit : {2, 4, INT_MAX}) {
        TakeFromW(
            [&](const CStunde& h) { return h.Modus == Modus::ZeitFest && h.RoomCount() <= limit; });
        while (!phase_.empty()) {
            const int pick = rng_.InRange(0, static_cast<int>(phase_.size()) - 1);
            CStunde& first = plan_.FirstOfUnit(*phase_[pick]);
            ClearReport();
            seating_.SetLastChecked(&first);
            const int room = seating_.TryUnit(first, first.Zeit, 10 * first.RoomCount());
            if (room < 0 || Stopping()) return GiveUp(*seating_.LastChecked());
            PlaceUnit(first, first.Zeit, room);
            RemovePlaced(phase_);
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Phases 3 to 6: units, courses, double lessons, single hours

bool InitialPlanBuilder::PlaceLongUnits() {
    TakeFromW([](const CStunde& h) { return h.Klasse != -1 && h.BlockPos >= 0 && h.Laenge > 2; });
    std::size_t i = 0;
    while (i < phase_.size()) {
        CStunde& h = *phase_[i];
        if (h.BlockPos != 0) {
            ++i;
            continue;
        }
        if (!TryUnitAnywhere(h)) return false;
        RemovePlaced(phase_);
        i = 0;
    }
    return true;
}

bool InitialPlanBuilder::TryCourseUnit(const CStunde& first, int length) {
    chosen_.clear();
    const int start = RandomStart(length);
    if (!IsSlot(start) || HourOf(start) + length - 1 > kMaxHour) {
        plan_.SetConflictHour(&first);
        plan_.SetConflictKind(Konflikt::Zeit);
        return false;
    }
    for (int p = 0; p < length; ++p)
        if (!SeatPosition(length == 1 ? first : plan_.UnitHour(first, p), start + p)) return false;
    return true;
}

bool InitialPlanBuilder::SeatPosition(const CStunde& hp, int slot) {
    rooms_.clear();
    const std::size_t group = hp.ParallelL ? hp.ParallelL->size() : 1;
    for (std::size_t g = 0; g < group; ++g) {
        CStunde& q = hp.ParallelL ? *(*hp.ParallelL)[g] : *plan_.StundenL[hp.Index];
        seating_.SetLastChecked(&q);
        int room = plan_.RoomOf(q);
        if (room >= 0) {
            // Placed already at its fixed time: the whole position must go there.
            if (plan_.SlotOfHour(q) != slot) {
                plan_.SetConflictHour(&q);
                plan_.SetConflictKind(Konflikt::Zeit);
                return false;
            }
        } else {
            const int limit = 10 * q.RoomCount();
            room = seating_.Try(q, slot, limit, limit, &rooms_);
            if (room < 0) return false;
        }
        rooms_.push_back(room);
        chosen_.push_back({&q, room, slot});
    }
    return true;
}

bool InitialPlanBuilder::PlaceCourses() {
    TakeFromW([](const CStunde& h) { return h.Klasse == -1; });
    const int most = 10 * static_cast<int>(phase_.size());
    int failures = 0;
    while (!phase_.empty() && failures < most && !Stopping()) {
        CStunde& picked = *phase_[rng_.InRange(0, static_cast<int>(phase_.size()) - 1)];
        const CStunde* first = &picked;
        int length = 1;
        if (picked.BlockPos < 0 && picked.Laenge > 1)
            Alarm(plan_, texte::NurVollstaendigeKursStunden);
        else {
            first = &plan_.FirstOfUnit(picked);
            length = CPlan::UnitLength(*first);
        }
        ClearReport();
        seating_.SetLastChecked(first);
        if (!TryCourseUnit(*first, length)) {
            ++failures;
            continue;
        }
        for (const Choice& c : chosen_)
            if (plan_.PositionOf(*c.Hour) < 0) plan_.Place(*c.Hour, c.Room, c.Slot);
        RemovePlaced(phase_);
    }
    if (!phase_.empty()) return GiveUp(*seating_.LastChecked());
    return true;
}

bool InitialPlanBuilder::PlaceDoubleLessons() {
    for (int limit : {2, 5, 50000}) {
        TakeFromW([&](const CStunde& h) {
            return h.BlockPos >= 0 && h.Klasse != -1 && h.RoomCount() <= limit;
        });
        while (!phase_.empty()) {
            const int pick = rng_.InRange(0, static_cast<int>(phase_.size()) - 1);
            CStunde& first = plan_.FirstOfUnit(*phase_[pick]);
            if (first.BlockPos != 0) {
                // Not the head of a unit: the hour stays unplaced and fails the attempt later.
                Alarm(plan_, texte::BlockPosNull);
                phase_.erase(phase_.begin() + pick);
                continue;
            }
            if (!TryUnitAnywhere(first)) return false;
            RemovePlaced(phase_);
        }
    }
    return true;
}

bool InitialPlanBuilder::PlaceSingleHours() {
    while (!w_.empty()) {
        const int pick = rng_.InRange(0, static_cast<int>(w_.size()) - 1);
        CStunde& h = *w_[pick];
        if (h.Laenge != 1)
            Alarm(plan_,
                  "Hier sollten keine MehrfachStunden sein (" + std::to_string(h.Laenge) + ").");
        ClearReport();
        seating_.SetLastChecked(&h);
        bool placed = false;
        const int tries = 100 * h.RoomCount();
        for (int t = 0; t < tries && !placed && !Stopping(); ++t) {
            const int room = seating_.RandomRoom(h);
            const int day = rng_.InRange(0, plan_.Tage - 1);
            const int hour = rng_.InRange(1, plan_.Stunden);
            if (room < 0 || room >= plan_.RaumAnzahl) continue;
            if (!CheckPlacement(plan_, h, SlotOf(day, hour), room)) {
                plan_.Place(h, room, SlotOf(day, hour));
                placed = true;
            }
        }
        if (!placed) return GiveUp(h);
        w_.erase(w_.begin() + pick);
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Phases 7 and 8: first hours, release of presets

namespace {

// A single subject hour of class k without fixed time, from the first room at a random slot of
// hours 2..Stunden that holds a subject hour of k; nullptr after Tage x Stunden draws.
CStunde* FindMovableHour(CPlan& plan, Random& rng, int k) {
    const CKlasse& klasse = plan.KlasseAt(k);
    const int draws = plan.Tage * plan.Stunden;
    for (int i = 0; i < draws; ++i) {
        const int day = rng.InRange(0, plan.Tage - 1);
        const int hour = rng.InRange(2, plan.Stunden);
        const int slot = SlotOf(day, hour);
        if (!IsSlot(slot) || klasse.Sperre[slot] != 0) continue;
        CStunde* y = plan.LessonOfClass(k, slot, [](const CStunde& h) { return !h.IsCourse(); });
        if (y && y->BlockPos == -1 && !y->TimeFixed()) return y;
    }
    return nullptr;
}

void ReportFirstHour(CPlan& plan, int k) {
    plan.ReportConflict({.KonfliktStunde = nullptr,
                         .KonfliktRaum = -1,
                         .KonfliktKlasse = k,
                         .KonfliktLehrer = -1,
                         .KonfliktArt = Konflikt::ErsteStunde});
}

} // namespace

bool InitialPlanBuilder::FillFirstHours() {
    const int most = plan_.Tage * plan_.Stunden;
    for (int k = 0; k < plan_.KlassenAnzahl; ++k) {
        const CKlasse& klasse = plan_.KlasseAt(k);
        for (int d = 0; d < plan_.Tage; ++d) {
            const int first = SlotOf(d, 1);
            if (klasse.Sperre[first] != 0 || plan_.ClassLessons(k, first) > 0) continue;
            int failures = 0;
            bool filled = false;
            while (!filled && failures < most) {
                CStunde* x = FindMovableHour(plan_, rng_, k);
                if (!x) break; // no movable hour: reported once, below
                if (x->RoomCount() == 0) {
                    ++failures;
                    continue;
                }
                const int room = seating_.RandomRoom(*x);
                if (room < 0 || room >= plan_.RaumAnzahl ||
                    CheckPlacement(plan_, *x, first, room)) {
                    ++failures;
                    continue;
                }
                plan_.Swap(plan_.RoomOf(*x), plan_.SlotOfHour(*x), room, first);
                filled = true;
            }
            if (filled) continue;
            ReportFirstHour(plan_, k);
            if (!plan_.Flags().AbbruchErsteStunde) return false;
        }
    }
    return true;
}

void InitialPlanBuilder::ReleasePresets() {
    for (const auto& h : plan_.StundenL) {
        if (!h->NurUrPlan || h->Zeit == kNoSlot) continue;
        if (h->Modus == Modus::ZeitUndRaumFest)
            h->Modus = Modus::RaumFest;
        else if (h->Modus == Modus::ZeitFest)
            h->Modus = Modus::Frei;
        h->Zeit = kNoSlot;
        if (h->TagesLimit && h->Tag != -1) {
            h->Tag = -1;
            h->TagesLimit = 0;
        }
    }
}

} // namespace sw
