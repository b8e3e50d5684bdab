// SPDX-License-Identifier: GPL-3.0-or-later
// Slot.h: the week grid. A slot (day, hour) is the integer day * 13 + hour; every per-slot table
// has 91 cells in that order whatever the number of days and hours in use. The constants 13 and
// 91 live here and nowhere else.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

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

// The hours of `day` whose cell in a per-slot byte table is not 0, as bits (hour h: bit h).
// Eight cells at a time: a byte's high bit is set in t exactly when the byte is not 0, and the
// multiplication gathers those eight bits into the top byte.
inline std::uint16_t NonZeroHours(const std::array<std::uint8_t, kSlotCount>& cells, int day) {
    const std::uint8_t* p = cells.data() + static_cast<std::ptrdiff_t>(day) * kHoursPerDay;
    if constexpr (std::endian::native == std::endian::little) {
        const auto gather = [](std::uint64_t x) {
            constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
            const std::uint64_t t = (((x & kLow7) + kLow7) | x) & ~kLow7;
            return static_cast<unsigned>(((t >> 7) * 0x0102040810204080ULL) >> 56);
        };
        std::uint64_t a = 0, b = 0;
        std::memcpy(&a, p, 8);
        std::memcpy(&b, p + 8, kHoursPerDay - 8);
        return static_cast<std::uint16_t>(gather(a) | (gather(b) << 8));
    } else {
        std::uint16_t bits = 0;
        for (int h = 0; h < kHoursPerDay; ++h)
            if (p[h] != 0) bits |= static_cast<std::uint16_t>(1u << h);
        return bits;
    }
}

} // namespace sw
