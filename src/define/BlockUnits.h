// SPDX-License-Identifier: GPL-3.0-or-later
// BlockUnits.h: reaching the units of the current block. A subject block has one unit list; a
// course block has one per teacher, all of the same shape, and a change of a length or a time
// preset at one position is made in every one of them. Internal to the define layer.
#pragma once

#include "define/Lessons.h"
#include "model/Stammdaten.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace sw::blockunits {

inline bool ValidIndex(int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

inline const CFachBlock* Fach(const Stammdaten& d, const AktuellerBlock& b) {
    if (!b.IstFach() || !ValidIndex(b.Index, d.FachBloecke.size())) return nullptr;
    return &d.FachBloecke[static_cast<std::size_t>(b.Index)].Block;
}
inline CFachBlock* Fach(Stammdaten& d, const AktuellerBlock& b) {
    return const_cast<CFachBlock*>(Fach(static_cast<const Stammdaten&>(d), b));
}

inline const CKursBlock* Kurs(const Stammdaten& d, const AktuellerBlock& b) {
    if (!b.IstKurs() || !ValidIndex(b.Index, d.KursBloecke.size())) return nullptr;
    return &d.KursBloecke[static_cast<std::size_t>(b.Index)];
}
inline CKursBlock* Kurs(Stammdaten& d, const AktuellerBlock& b) {
    return const_cast<CKursBlock*>(Kurs(static_cast<const Stammdaten&>(d), b));
}

// The current unit list: the subject block's, or the course teacher's at `LehrerPos`.
inline const std::vector<CEinheit>* Current(const Stammdaten& d, const AktuellerBlock& b) {
    if (const CFachBlock* f = Fach(d, b)) return &f->Einheiten;
    if (const CKursBlock* k = Kurs(d, b))
        if (ValidIndex(b.LehrerPos, k->Lehrer.size()))
            return &k->Lehrer[static_cast<std::size_t>(b.LehrerPos)].Einheiten;
    return nullptr;
}
inline std::vector<CEinheit>* Current(Stammdaten& d, const AktuellerBlock& b) {
    return const_cast<std::vector<CEinheit>*>(Current(static_cast<const Stammdaten&>(d), b));
}

inline const CEinheit* UnitAt(const Stammdaten& d, const AktuellerBlock& b, int position) {
    const std::vector<CEinheit>* list = Current(d, b);
    if (list == nullptr || !ValidIndex(position, list->size())) return nullptr;
    return &(*list)[static_cast<std::size_t>(position)];
}

// Calls f(list) for every unit list the block's lengths and presets live in: the subject
// block's, or every course teacher's. Nothing without a current unit list.
template <typename F> void ForEachList(Stammdaten& d, const AktuellerBlock& b, F f) {
    if (Current(d, b) == nullptr) return;
    if (CFachBlock* fb = Fach(d, b)) {
        f(fb->Einheiten);
        return;
    }
    for (CKursLehrer& l : Kurs(d, b)->Lehrer)
        f(l.Einheiten);
}

// Calls f(unit) for the unit at `position` and its parallel units (a course: the unit at that
// position of every teacher whose list is long enough). Nothing when there is no such unit.
template <typename F>
void ForEachParallel(Stammdaten& d, const AktuellerBlock& b, int position, F f) {
    if (UnitAt(d, b, position) == nullptr) return;
    ForEachList(d, b, [&](std::vector<CEinheit>& list) {
        if (ValidIndex(position, list.size())) f(list[static_cast<std::size_t>(position)]);
    });
}

// The distinct positions of `selected` that exist in a list of `size` units, ascending.
inline std::vector<int> ValidPositions(const std::vector<int>& selected, std::size_t size) {
    std::vector<int> out;
    for (int p : selected)
        if (ValidIndex(p, size)) out.push_back(p);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

inline bool Contains(const std::vector<std::string>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

} // namespace sw::blockunits
