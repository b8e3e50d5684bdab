// SPDX-License-Identifier: GPL-3.0-or-later
// MasterDataNames.h: what the master-data editor's files share: walking every unit, rebuilding
// subject-block keys, the selection after a change. Internal to the define layer.
#pragma once

#include "define/BlockUnits.h"
#include "define/MasterData.h"
#include "model/Regeln.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw::masterdata {

using blockunits::Contains;
using blockunits::ValidIndex;

inline std::size_t At(int index) {
    return static_cast<std::size_t>(index);
}

inline Aenderung Unchanged(int auswahl) {
    return {false, auswahl};
}
// The master data changed: counted for the session's "changed since the last save".
inline Aenderung Changed(Stammdaten& d, int auswahl) {
    d.Aenderungen.Bump();
    return {true, auswahl};
}
// After a delete the dialog shows the first entity of the list, or none.
template <typename List> Aenderung ChangedToFirst(Stammdaten& d, const List& list) {
    d.Aenderungen.Bump();
    return {true, list.empty() ? -1 : 0};
}

// Calls f(unit) for every unit of every subject block and of every course teacher.
template <typename F> void ForEachUnit(Stammdaten& d, F f) {
    for (Unterricht& u : d.FachBloecke)
        for (CEinheit& e : u.Block.Einheiten)
            f(e);
    for (CKursBlock& k : d.KursBloecke)
        for (CKursLehrer& l : k.Lehrer)
            for (CEinheit& e : l.Einheiten)
                f(e);
}

// Replaces every entry `from` of `list` by `to`.
inline void ReplaceIn(std::vector<std::string>& list, const std::string& from,
                      const std::string& to) {
    std::replace(list.begin(), list.end(), from, to);
}
// Removes every entry `name` of `list`; true when one was there.
inline bool RemoveFrom(std::vector<std::string>& list, std::string_view name) {
    const auto end = std::remove(list.begin(), list.end(), name);
    const bool found = end != list.end();
    list.erase(end, list.end());
    return found;
}

// A relation names a block by its key or course name: a renamed block is renamed there too.
inline void RenameInRelations(Stammdaten& d, bool kurs, const std::string& alt,
                              const std::string& neu) {
    for (CBeziehung& b : d.Beziehungen)
        for (CBlockBezug& r : b.Bloecke)
            if ((r.Kurs != 0) == kurs && r.Name == alt) r.Name = neu;
}
// Gives subject block `u` the key of its names, and the relations naming it follow.
inline void FollowKey(Stammdaten& d, Unterricht& u) {
    const std::string alt = u.Key;
    u.Key = u.Block.Key();
    if (alt != u.Key) RenameInRelations(d, false, alt, u.Key);
}

// A block that is gone leaves every relation; a relation left with fewer than two blocks goes.
inline void DropMissingFromRelations(Stammdaten& d) {
    for (CBeziehung& b : d.Beziehungen)
        b.Bloecke.erase(
            std::remove_if(b.Bloecke.begin(), b.Bloecke.end(),
                           [&](const CBlockBezug& r) { return EinheitenVon(d, r) == nullptr; }),
            b.Bloecke.end());
    d.Beziehungen.erase(std::remove_if(d.Beziehungen.begin(), d.Beziehungen.end(),
                                       [](const CBeziehung& b) { return b.Bloecke.size() < 2; }),
                        d.Beziehungen.end());
}

// Destroys the subject blocks `drop` says yes to, and takes them out of every relation; true when
// one went.
template <typename Drop> bool DropFachBloecke(Stammdaten& d, Drop drop) {
    const auto end = std::remove_if(d.FachBloecke.begin(), d.FachBloecke.end(),
                                    [&](const Unterricht& u) { return drop(u.Block); });
    const bool found = end != d.FachBloecke.end();
    d.FachBloecke.erase(end, d.FachBloecke.end());
    if (found) DropMissingFromRelations(d);
    return found;
}

// The first rule of `probe` (a changed copy of `d`) that can never be met, when the change made
// it so. A problem that was there before the change (a school read from an older program) does
// not block an unrelated edit: only a new first problem counts.
inline std::optional<std::string> NewRuleProblem(const Stammdaten& d, const Stammdaten& probe) {
    auto nachher = RegelProblem(probe);
    if (!nachher || nachher == RegelProblem(d)) return std::nullopt;
    return nachher;
}

// Whether `probe` may be taken over for `d`: refused with the sentence of the new problem (title
// "Fehler").
inline bool RulesAllow(const Stammdaten& d, const Stammdaten& probe, Reporter& rep) {
    const auto problem = NewRuleProblem(d, probe);
    if (!problem) return true;
    rep.Show({*problem, titel::Fehler});
    return false;
}

// Makes `change` (true when it changed `d`) and takes it back whole, the count of changes
// included, when it leaves a rule that can never be met; that is refused like a rule. Without
// any rule nothing is copied.
template <typename Change> bool KeepingRules(Stammdaten& d, Reporter& rep, Change change) {
    if (!HatRegeln(d)) return change();
    Stammdaten vorher = d;
    if (!change()) return false;
    if (RulesAllow(vorher, d, rep)) return true;
    d = std::move(vorher);
    return false;
}

// Removes the teacher entries of course `k` that `drop` says yes to, each with the subject at
// its position; a course left without teachers loses its classes.
template <typename Drop> void DropKursLehrer(CKursBlock& k, Drop drop) {
    std::vector<CKursLehrer> lehrer;
    std::vector<std::string> faecher;
    for (std::size_t i = 0; i < k.Lehrer.size(); ++i) {
        const std::string fach = i < k.Faecher.size() ? k.Faecher[i] : std::string();
        if (drop(k.Lehrer[i], fach)) continue;
        lehrer.push_back(std::move(k.Lehrer[i]));
        faecher.push_back(fach);
    }
    k.Lehrer = std::move(lehrer);
    k.Faecher = std::move(faecher);
    if (k.Lehrer.empty()) k.Klassen.clear();
}

// A unit pinned to a slot: with a time and neither limit (a limit holds an hour, not a slot).
inline bool IsFixed(const CEinheit& e) {
    return e.Zeitvorgabe != kNoSlot && e.OberesLimit == 0 && e.UnteresLimit == 0;
}
// True when the fixed unit `e` covers one of `slots`.
inline bool Covers(const CEinheit& e, const std::vector<int>& slots) {
    if (!IsFixed(e)) return false;
    return std::any_of(slots.begin(), slots.end(), [&](int s) {
        return s >= e.Zeitvorgabe && s <= e.Zeitvorgabe + e.Laenge - 1;
    });
}

// The first entity of `list` other than `self` whose field `of` has the same name as `name`,
// letter case ignored; -1 when none.
template <typename List, typename Of>
int FindOther(const List& list, std::string_view name, int self, Of of) {
    const std::string wanted = UpperName(name);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (static_cast<int>(i) != self && UpperName(of(list[i])) == wanted)
            return static_cast<int>(i);
    return -1;
}

} // namespace sw::masterdata
