// SPDX-License-Identifier: GPL-3.0-or-later
#include "define/Lessons.h"

namespace sw {

int SlotOfCell(const AllgemeineAngaben& a, GitterZelle cell) {
    if (cell.Spalte < 1 || cell.Spalte > a.Tage || cell.Zeile < 1) return kNoSlot;
    const int hour = a.Nullte ? cell.Zeile - 1 : cell.Zeile;
    if (hour > a.Stunden) return kNoSlot;
    return SlotOf(cell.Spalte - 1, hour);
}

GitterZelle CellOfSlot(const AllgemeineAngaben& a, int slot) {
    const int hour = HourOf(slot);
    return {DayOf(slot) + 1, a.Nullte ? hour + 1 : hour};
}

std::vector<int> LimitHours(const AllgemeineAngaben& a) {
    std::vector<int> hours;
    for (int h = a.Nullte ? 0 : 1; h <= a.Stunden; ++h)
        hours.push_back(h);
    return hours;
}

} // namespace sw
