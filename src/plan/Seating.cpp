// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Seating.h"

#include "plan/Placement.h"

#include <algorithm>

namespace sw {

namespace {

inline bool IsTaken(const std::vector<int>* taken, int room) {
    return taken && std::find(taken->begin(), taken->end(), room) != taken->end();
}

} // namespace

int Seating::RandomRoom(const CStunde& h) {
    return (*h.RaumL)[rng_.InRange(0, h.RoomCount() - 1)];
}

bool Seating::Fits(const CStunde& h, int slot, int room) {
    last_ = &h;
    return CheckPlacement(plan_, h, slot, room) == nullptr;
}

int Seating::FirstFit(const CStunde& h, int slot, const std::vector<int>* taken) {
    if (!h.RaumL) return -1;
    for (int room : *h.RaumL)
        if (!IsTaken(taken, room) && Fits(h, slot, room)) return room;
    return -1;
}

int Seating::Draw(const CStunde& h, int slot, int draws, const std::vector<int>* taken) {
    const int n = h.RoomCount();
    if (n == 0) return -1;
    const IntList& rooms = *h.RaumL;
    int used = 0;
    while (used < draws) {
        int room = rooms[rng_.InRange(0, n - 1)];
        ++used;
        if (taken) {
            while (IsTaken(taken, room) && used < draws) {
                room = rooms[rng_.InRange(0, n - 1)];
                ++used;
            }
            if (IsTaken(taken, room)) return -1;
        }
        if (Fits(h, slot, room)) return room;
    }
    return -1;
}

int Seating::Try(const CStunde& h, int slot, int tries, int redraws,
                 const std::vector<int>* taken) {
    const int n = h.RoomCount();
    if (n == 0) return -1;
    const IntList& rooms = *h.RaumL;
    // Only the first rules of the check depend on the room: the others are asked once for all
    // the rooms tried. The check proper is made once, for the last room tried, with the hour the
    // checks of the rooms before would have named in the conflict report.
    const bool outside = static_cast<bool>(CheckRule(Rule::OutsideWeek, plan_, h, slot, 0));
    const Refusal beyond = outside ? Refusal{} : RefusalBeyondRoom(plan_, h, slot);
    const CStunde* named = nullptr;
    int last = -1;
    for (int t = 0; t < tries; ++t) {
        int room = -1;
        for (int d = 0; d < redraws && room < 0; ++d) {
            const int drawn = rooms[rng_.InRange(0, n - 1)];
            if (!IsTaken(taken, drawn)) room = drawn;
        }
        if (room < 0 || room >= plan_.RaumAnzahl) continue;
        last = room;
        if (outside) continue;
        if (const Refusal occupied = CheckRule(Rule::CellOccupied, plan_, h, slot, room)) {
            named = occupied.Stunde;
            continue;
        }
        if (CheckRule(Rule::RoomLocked, plan_, h, slot, room)) continue;
        if (!beyond) break;
        if (beyond.Stunde) named = beyond.Stunde;
    }
    if (last < 0) return -1;
    if (named) plan_.SetConflictHour(named);
    return Fits(h, slot, last) ? last : -1;
}

bool Seating::UnitFits(const CStunde& first, int start, int room) {
    const int length = CPlan::UnitLength(first);
    if (!IsSlot(start) || HourOf(start) + length - 1 > kMaxHour || room < 0 ||
        room >= plan_.RaumAnzahl) {
        last_ = &first;
        plan_.SetConflictHour(&first);
        plan_.SetConflictKind(Konflikt::Zeit);
        return false;
    }
    for (int p = 0; p < length; ++p)
        if (!Fits(plan_.UnitHour(first, p), start + p, room)) return false;
    return true;
}

int Seating::TryUnit(const CStunde& first, int start, int tries) {
    const int n = first.RoomCount();
    for (int t = 0; t < tries; ++t) {
        const int room = (*first.RaumL)[rng_.InRange(0, n - 1)];
        if (UnitFits(first, start, room)) return room;
    }
    return -1;
}

bool Seating::SeatGroup(std::span<CStunde* const> hours, int slot, RoomRule rule,
                        std::vector<int>& rooms) {
    rooms.clear();
    for (const CStunde* h : hours) {
        const int n = h->RoomCount();
        int room = -1;
        switch (rule.Wie) {
        case RoomRule::Art::FirstFit:
            room = FirstFit(*h, slot, &rooms);
            break;
        case RoomRule::Art::Draws:
            room = Draw(*h, slot, rule.Per * n, &rooms);
            break;
        case RoomRule::Art::Tries:
            room = Try(*h, slot, rule.Per * n, rule.Redraws * n, &rooms);
            break;
        }
        if (room < 0) return false;
        rooms.push_back(room);
    }
    return true;
}

} // namespace sw
