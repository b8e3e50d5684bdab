// SPDX-License-Identifier: GPL-3.0-or-later
// Slot.h: the week grid. A slot (day, hour) is the integer day * 13 + hour; every per-slot table
// has 91 cells in that order whatever the number of days and hours in use. The constants 13 and
// 91 live here and nowhere else.
#pragma once

#include <array>
#include <cstdint>

namespace sw {

inline constexpr int kMaxDays = 7;      // days 0..6
inline constexpr int kHoursPerDay = 13; // hour 0 (the 0th hour) and hours 1..12
inline constexpr int kMaxHour = 12;
inline constexpr int kSlotCount = kMaxDays * kHoursPerDay; // 91
inline constexpr int kNoSlot = -1;

constexpr int SlotOf(int day, int hour) {
    return day * kHoursPerDay + hour;
}
constexpr int DayOf(int slot) {
    return slot / kHoursPerDay;
}
constexpr int HourOf(int slot) {
    return slot % kHoursPerDay;
}
constexpr bool IsSlot(int slot) {
    return slot >= 0 && slot < kSlotCount;
}

// A lock grid: 0 = free, 1 = locked, one byte per slot.
using LockGrid = std::array<std::uint8_t, kSlotCount>;

constexpr LockGrid FreeGrid() {
    return LockGrid{};
}

} // namespace sw
