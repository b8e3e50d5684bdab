// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/PlanEditor.h"

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

} // namespace sw
