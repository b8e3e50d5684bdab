// SPDX-License-Identifier: GPL-3.0-or-later
// DefinitionChecks.cpp: the rules of the time choice and the room choice, one function per rule,
// called in their order by CheckTime and CheckRoom. The texts are the system's own, typing
// slips included.
#include "define/DefinitionChecks.h"

#include "define/BlockUnits.h"

#include <optional>

namespace sw {

using blockunits::Contains;
using blockunits::ValidIndex;

namespace {

using Refusal = std::optional<std::string>;

const std::string kZeitNicht = "Eine Festlegung dieser Zeit für diese Unterrichts - Einheit ist "
                               "nicht möglich!\n\n";
const std::string kZeitRaumNicht = "Eine Festlegung dieser Zeit für diese Unterrichts - Einheit "
                                   "ist in diesem Raum nicht möglich!\n\n";
const std::string kKursZeitNicht =
    "Eine Festlegung dieser Zeit für diese Kurs - Einheit ist nicht möglich!\n\n";
const std::string kKursZeitRaumNicht =
    "Eine Festlegung dieser Zeit für diese Kurs - Einheit ist in diesem Raum nicht möglich!\n\n";
const std::string kFachRaumNicht = "Dieses Fach kann nicht in diesem Raum unterrichtet werden!\n\n";
const std::string kAusserhalb = "Diese Zeit liegt außerhalb der Unterrichtswoche. Wählen Sie "
                                "ein Feld im Zeitraster.";

// A span of slots: from `First` to `Last`, one day.
struct Span {
    int First = kNoSlot;
    int Last = kNoSlot;
};

Span SpanOf(int start, int length) {
    return {start, start + length - 1};
}

// Two spans overlap when the start of one lies within the other.
bool Overlap(Span a, Span b) {
    return (a.First >= b.First && a.First <= b.Last) || (b.First >= a.First && b.First <= a.Last);
}

// Pinned to a slot: a time and neither limit (a limit holds an hour, not a slot).
bool IsFixed(const CEinheit& e) {
    return e.Zeitvorgabe != kNoSlot && e.OberesLimit == 0 && e.UnteresLimit == 0;
}

std::string At(int slot) {
    return " wurde am " + std::to_string(DayOf(slot) + 1) + ". Tag in der " +
           std::to_string(HourOf(slot)) + ". Stunde eine Sperrung vorgenommen.";
}

// The text that names a subject block in the messages: "T / K /F".
std::string BlockText(const CFachBlock& b) {
    return b.Lehrer + " / " + b.Klasse + " /" + b.Fach;
}

// Which unit is being pinned: subject block `Fach` or course block `Kurs` (with every teacher
// at `Position`); it and its parallel units never count.
struct Self {
    int Fach = -1;
    int Kurs = -1;
    int Position = -1;

    bool IsFachUnit(std::size_t block, std::size_t unit) const {
        return static_cast<int>(block) == Fach && static_cast<int>(unit) == Position;
    }
    bool IsKursUnit(std::size_t block, std::size_t unit) const {
        return static_cast<int>(block) == Kurs && static_cast<int>(unit) == Position;
    }
};

// The first locked slot of `span` in `grid`.
std::optional<int> FirstLock(const LockGrid& grid, Span span) {
    for (int s = span.First; s <= span.Last; ++s)
        if (IsSlot(s) && grid[static_cast<std::size_t>(s)] != 0) return s;
    return std::nullopt;
}

const LockGrid* KlassenSperre(const Stammdaten& d, std::string_view name) {
    const int i = d.FindKlasse(name);
    return i < 0 ? nullptr : &d.Klassen[static_cast<std::size_t>(i)].Sperre;
}
const LockGrid* LehrerSperre(const Stammdaten& d, std::string_view name) {
    const int i = d.FindLehrer(name);
    return i < 0 ? nullptr : &d.Lehrer[static_cast<std::size_t>(i)].Sperre;
}
const CRaumFach* RaumNamed(const Stammdaten& d, std::string_view name) {
    const int i = d.FindRaum(name);
    return i < 0 ? nullptr : &d.Raeume[static_cast<std::size_t>(i)];
}

// The first fixed unit (not `self`) of a subject block that `keep` accepts and whose span
// overlaps `span`: calls `refuse` with the block and returns its text.
template <typename Keep, typename Text>
Refusal SubjectOverlap(const Stammdaten& d, Span span, const Self& self, Keep keep, Text text) {
    for (std::size_t b = 0; b < d.FachBloecke.size(); ++b) {
        const CFachBlock& block = d.FachBloecke[b].Block;
        for (std::size_t u = 0; u < block.Einheiten.size(); ++u) {
            const CEinheit& e = block.Einheiten[u];
            if (self.IsFachUnit(b, u) || !IsFixed(e) || !keep(block, e)) continue;
            if (Overlap(span, SpanOf(e.Zeitvorgabe, e.Laenge))) return text(block);
        }
    }
    return std::nullopt;
}

// The same over the first teacher's units of the course blocks `keep` accepts.
template <typename Keep, typename Text>
Refusal CourseOverlap(const Stammdaten& d, Span span, const Self& self, Keep keep, Text text) {
    for (std::size_t k = 0; k < d.KursBloecke.size(); ++k) {
        const CKursBlock& kurs = d.KursBloecke[k];
        if (kurs.Lehrer.empty() || !keep(kurs)) continue;
        const std::vector<CEinheit>& units = kurs.Lehrer.front().Einheiten;
        for (std::size_t u = 0; u < units.size(); ++u) {
            if (self.IsKursUnit(k, u) || !IsFixed(units[u])) continue;
            if (Overlap(span, SpanOf(units[u].Zeitvorgabe, units[u].Laenge))) return text(kurs);
        }
    }
    return std::nullopt;
}

// The first fixed unit (not `self` nor parallel to it) of any teacher of any course block in
// room `raum` whose span overlaps: `text(course, teacher)`.
template <typename Text>
Refusal CourseRoomOverlap(const Stammdaten& d, Span span, const Self& self, std::string_view raum,
                          Text text) {
    for (std::size_t k = 0; k < d.KursBloecke.size(); ++k) {
        const CKursBlock& kurs = d.KursBloecke[k];
        for (const CKursLehrer& l : kurs.Lehrer)
            for (std::size_t u = 0; u < l.Einheiten.size(); ++u) {
                const CEinheit& e = l.Einheiten[u];
                if (self.IsKursUnit(k, u) || !IsFixed(e) || e.Raum != raum) continue;
                if (Overlap(span, SpanOf(e.Zeitvorgabe, e.Laenge))) return text(kurs, l.Name);
            }
    }
    return std::nullopt;
}

bool InRoom(const CEinheit& e, std::string_view raum) {
    return e.Raum == raum;
}

// --- The time choice for a unit of a subject block --------------------------------------------

Refusal SubjectLength(const Stammdaten& d, int slot, int length) {
    if (HourOf(slot) + length - 1 > d.Angaben.Stunden)
        return "Die Länge der Einheit geht über die maximale Stundenzahl des Tages hinaus.";
    return std::nullopt;
}

Refusal SubjectClassLock(const Stammdaten& d, const CFachBlock& b, Span span) {
    if (const LockGrid* grid = KlassenSperre(d, b.Klasse))
        if (auto s = FirstLock(*grid, span))
            return kZeitNicht + "Für die Klasse " + b.Klasse + At(*s);
    return std::nullopt;
}

// Who stands in the way names the message: the unit's class when another lesson of the class
// is fixed at that time ("der Klasse" + class, without a blank), its teacher when another lesson
// of the teacher is ("des Lehrers " + teacher).
std::string DerKlasse(const std::string& klasse) {
    return "der Klasse" + klasse;
}
std::string DesLehrers(const std::string& lehrer) {
    return "des Lehrers " + lehrer;
}

std::string SubjectClash(const std::string& wer, const CFachBlock& other) {
    return kZeitNicht + "Die aktuelle gewählte Einheit " + wer +
           " überschneidet sich zeitlich mit dem Block " + BlockText(other) + ".";
}
std::string CourseClash(const std::string& wer, const CKursBlock& other) {
    return kZeitNicht + "Die aktuelle gewählte Einheit " + wer +
           " überschneidet sich zeitlich mit dem Kurs " + other.Name + ".";
}

// A clash of rooms names the room: "der Klasse K im Raum R" for a subject block's unit, "des
// Kurses C im Raum R" for a course unit (a course belongs to none of its classes alone).
std::string ImRaum(const std::string& einheit, const std::string& raum) {
    return einheit + " im Raum " + raum;
}
std::string FachEinheit(const CFachBlock& b) {
    return "der Klasse " + b.Klasse;
}
std::string KursEinheit(const CKursBlock& k) {
    return "des Kurses " + k.Name;
}
std::string RoomClashSubject(const std::string& wer, const CFachBlock& other) {
    return "Die aktuelle gewählte Einheit " + wer +
           " überschneidet sich nach Zeit und Raum mit dem Block " + BlockText(other) + ".";
}
std::string RoomClashCourse(const std::string& wer, const std::string& lehrer,
                            const CKursBlock& other) {
    return "Die aktuelle gewählte Einheit " + wer +
           " überschneidet sich nach Zeit und Raum mit einer Einheit des Lehrers " + lehrer +
           " im Kurs " + other.Name + ".";
}

Refusal SubjectClassBlocks(const Stammdaten& d, const CFachBlock& b, Span span, const Self& self) {
    return SubjectOverlap(
        d, span, self, [&](const CFachBlock& o, const CEinheit&) { return o.Klasse == b.Klasse; },
        [&](const CFachBlock& o) { return SubjectClash(DerKlasse(b.Klasse), o); });
}

Refusal SubjectClassCourses(const Stammdaten& d, const CFachBlock& b, Span span, const Self& self) {
    return CourseOverlap(
        d, span, self, [&](const CKursBlock& k) { return Contains(k.Klassen, b.Klasse); },
        [&](const CKursBlock& k) { return CourseClash(DerKlasse(b.Klasse), k); });
}

Refusal TeacherLock(const Stammdaten& d, const std::string& lehrer, Span span) {
    if (const LockGrid* grid = LehrerSperre(d, lehrer))
        if (auto s = FirstLock(*grid, span))
            return kZeitNicht + "Für den Lehrer " + lehrer + At(*s);
    return std::nullopt;
}

bool TeachesIn(const CKursBlock& k, std::string_view lehrer) {
    for (const CKursLehrer& l : k.Lehrer)
        if (l.Name == lehrer) return true;
    return false;
}

Refusal SubjectTeacherBlocks(const Stammdaten& d, const CFachBlock& b, Span span,
                             const Self& self) {
    return SubjectOverlap(
        d, span, self, [&](const CFachBlock& o, const CEinheit&) { return o.Lehrer == b.Lehrer; },
        [&](const CFachBlock& o) { return SubjectClash(DesLehrers(b.Lehrer), o); });
}

Refusal SubjectTeacherCourses(const Stammdaten& d, const CFachBlock& b, Span span,
                              const Self& self) {
    return CourseOverlap(
        d, span, self, [&](const CKursBlock& k) { return TeachesIn(k, b.Lehrer); },
        [&](const CKursBlock& k) { return CourseClash(DesLehrers(b.Lehrer), k); });
}

Refusal SubjectRoom(const Stammdaten& d, const CFachBlock& b, const CEinheit& u, Span span,
                    const Self& self) {
    const std::string& n = u.Raum;
    if (n.empty()) return std::nullopt;
    if (const CRaumFach* raum = RaumNamed(d, n))
        if (auto s = FirstLock(raum->Sperre, span))
            return kZeitRaumNicht + "Für den Raum " + n + At(*s);
    const std::string wer = ImRaum(FachEinheit(b), n);
    if (auto r = SubjectOverlap(
            d, span, self, [&](const CFachBlock&, const CEinheit& e) { return InRoom(e, n); },
            [&](const CFachBlock& o) { return kZeitRaumNicht + RoomClashSubject(wer, o); }))
        return r;
    return CourseRoomOverlap(d, span, self, n, [&](const CKursBlock& k, const std::string& lehrer) {
        return kZeitRaumNicht + RoomClashCourse(wer, lehrer, k);
    });
}

bool IsSpecialRoomFor(const CRaumFach& r, std::string_view fach) {
    return (r.FachTyp[1] != 0 || r.FachTyp[2] != 0) && Contains(r.Faecher, fach);
}

// No more fixed units of a special subject at one time than it has special rooms. For every
// slot t of the new span the fixed units of the subject that start at or before t and end at or
// after the span's first slot are counted: the subject's other subject-block units and every
// course teacher's units whose subject in the course is it.
Refusal SpecialRooms(const Stammdaten& d, const CFachBlock& b, Span span, const Self& self) {
    int rooms = 0;
    for (const CRaumFach& r : d.Raeume)
        if (IsSpecialRoomFor(r, b.Fach)) ++rooms;
    if (rooms == 0) return std::nullopt;
    const auto counts = [&](const CEinheit& e, int t) {
        return IsFixed(e) && e.Zeitvorgabe <= t && e.Zeitvorgabe + e.Laenge - 1 >= span.First;
    };
    for (int t = span.First; t <= span.Last; ++t) {
        int used = 0;
        for (std::size_t i = 0; i < d.FachBloecke.size(); ++i) {
            const CFachBlock& o = d.FachBloecke[i].Block;
            if (o.Fach != b.Fach) continue;
            for (std::size_t u = 0; u < o.Einheiten.size(); ++u)
                if (!self.IsFachUnit(i, u) && counts(o.Einheiten[u], t)) ++used;
        }
        for (const CKursBlock& k : d.KursBloecke)
            for (std::size_t l = 0; l < k.Lehrer.size() && l < k.Faecher.size(); ++l) {
                if (k.Faecher[l] != b.Fach) continue;
                for (const CEinheit& e : k.Lehrer[l].Einheiten)
                    if (counts(e, t)) ++used;
            }
        if (used >= rooms)
            return "Sie haben versucht, für das Spezialfach " + b.Fach + " am " +
                   std::to_string(DayOf(span.First) + 1) + ". Tag in der " +
                   std::to_string(HourOf(span.First)) +
                   ". Stunde mehr Unterricht zu definieren, als Spezialräume für " + b.Fach +
                   " zur Verfügung stehen.";
    }
    return std::nullopt;
}

Refusal CheckSubjectTime(const Stammdaten& d, int blockIndex, int position, int slot) {
    const CFachBlock& b = d.FachBloecke[static_cast<std::size_t>(blockIndex)].Block;
    const CEinheit& u = b.Einheiten[static_cast<std::size_t>(position)];
    const Span span = SpanOf(slot, u.Laenge);
    const Self self{blockIndex, -1, position};
    if (auto r = SubjectLength(d, slot, u.Laenge)) return r;
    if (auto r = SubjectClassLock(d, b, span)) return r;
    if (auto r = SubjectClassBlocks(d, b, span, self)) return r;
    if (auto r = SubjectClassCourses(d, b, span, self)) return r;
    if (auto r = TeacherLock(d, b.Lehrer, span)) return r;
    if (auto r = SubjectTeacherBlocks(d, b, span, self)) return r;
    if (auto r = SubjectTeacherCourses(d, b, span, self)) return r;
    if (auto r = SubjectRoom(d, b, u, span, self)) return r;
    return SpecialRooms(d, b, span, self);
}

// --- The time choice for a unit of a course block ---------------------------------------------

Refusal CourseLength(const Stammdaten& d, int slot, int length) {
    if (HourOf(slot) + length - 1 > d.Angaben.Stunden)
        return "Die Länge der Einheit geht über die maximale StundenZahl des Tages hinaus.";
    return std::nullopt;
}

Refusal CourseClassLocks(const Stammdaten& d, const CKursBlock& k, Span span) {
    for (const std::string& klasse : k.Klassen) {
        const LockGrid* grid = KlassenSperre(d, klasse);
        const std::optional<int> s = grid == nullptr ? std::nullopt : FirstLock(*grid, span);
        if (!s) continue;
        std::string text = kZeitNicht;
        text += "Für die Klasse ";
        text += klasse;
        text += ", die an diesem Kurs teilnimmt,";
        return text + At(*s);
    }
    return std::nullopt;
}

Refusal CourseClasses(const Stammdaten& d, const CKursBlock& k, Span span, const Self& self) {
    for (const std::string& klasse : k.Klassen) {
        if (auto r = SubjectOverlap(
                d, span, self,
                [&](const CFachBlock& o, const CEinheit&) { return o.Klasse == klasse; },
                [&](const CFachBlock& o) {
                    return kKursZeitNicht + "Die aktuelle gewählte Einheit " + DerKlasse(klasse) +
                           " überschneidet sich zeitlich mit dem Block " + BlockText(o) + ".";
                }))
            return r;
        if (auto r = CourseOverlap(
                d, span, self, [&](const CKursBlock& o) { return Contains(o.Klassen, klasse); },
                [&](const CKursBlock& o) {
                    return kKursZeitNicht + "Die aktuelle gewählte Eineit " + DerKlasse(klasse) +
                           " überschneidet sich\nzeitlich mit dem Kurs " + o.Name + ".";
                }))
            return r;
    }
    return std::nullopt;
}

Refusal CourseTeachers(const Stammdaten& d, const CKursBlock& k, Span span, const Self& self) {
    for (const CKursLehrer& l : k.Lehrer) {
        if (auto r = TeacherLock(d, l.Name, span)) return r;
        if (auto r = SubjectOverlap(
                d, span, self,
                [&](const CFachBlock& o, const CEinheit&) { return o.Lehrer == l.Name; },
                [&](const CFachBlock& o) {
                    return kZeitNicht + "Die aktuelle gewählte Kurs - Einheit " +
                           DesLehrers(l.Name) + " überschneidet sich zeitlich mit dem´Block " +
                           BlockText(o) + ".";
                }))
            return r;
        if (auto r = CourseOverlap(
                d, span, self, [&](const CKursBlock& o) { return TeachesIn(o, l.Name); },
                [&](const CKursBlock& o) {
                    return kZeitNicht + "Die aktuelle gewählte Kurs- Einheit " +
                           DesLehrers(l.Name) + " überschneidet sich zeitlich mit dem Kurs " +
                           o.Name + ".";
                }))
            return r;
    }
    return std::nullopt;
}

std::string LastClass(const CKursBlock& k) {
    return k.Klassen.empty() ? std::string() : k.Klassen.back();
}

Refusal CourseRoom(const Stammdaten& d, const CKursBlock& k, const CEinheit& u, Span span,
                   const Self& self) {
    const std::string& n = u.Raum;
    if (n.empty()) return std::nullopt;
    if (const CRaumFach* raum = RaumNamed(d, n))
        if (auto s = FirstLock(raum->Sperre, span))
            return kKursZeitRaumNicht + "Für den Raum " + n + At(*s);
    const std::string wer = ImRaum(KursEinheit(k), n);
    if (auto r = SubjectOverlap(
            d, span, self, [&](const CFachBlock&, const CEinheit& e) { return InRoom(e, n); },
            [&](const CFachBlock& o) { return kKursZeitRaumNicht + RoomClashSubject(wer, o); }))
        return r;
    return CourseRoomOverlap(d, span, self, n, [&](const CKursBlock& o, const std::string& lehrer) {
        return kKursZeitRaumNicht + RoomClashCourse(wer, lehrer, o);
    });
}

Refusal CheckCourseTime(const Stammdaten& d, const AktuellerBlock& block, int position, int slot) {
    const CKursBlock& k = d.KursBloecke[static_cast<std::size_t>(block.Index)];
    const CEinheit& u = *blockunits::UnitAt(d, block, position);
    const Span span = SpanOf(slot, u.Laenge);
    const Self self{-1, block.Index, position};
    if (auto r = CourseLength(d, slot, u.Laenge)) return r;
    if (auto r = CourseClassLocks(d, k, span)) return r;
    if (auto r = CourseClasses(d, k, span, self)) return r;
    if (auto r = CourseTeachers(d, k, span, self)) return r;
    return CourseRoom(d, k, u, span, self);
}

// A slot of the week in use: a day that is taught, the 0th hour only where it is in use. Hours
// past the last are left to the length rule, which names them.
bool InWeek(const AllgemeineAngaben& a, int slot) {
    if (!IsSlot(slot) || DayOf(slot) >= a.Tage) return false;
    return HourOf(slot) != 0 || a.Nullte;
}

// --- The room choice ----------------------------------------------------------------------------

Refusal RoomLock(const CRaumFach& raum, const CEinheit& u) {
    if (!IsFixed(u)) return std::nullopt;
    if (auto s = FirstLock(raum.Sperre, SpanOf(u.Zeitvorgabe, u.Laenge)))
        return "Eine Wahl dieses Raumes ist für diese Zeit icht möglich!\n\nFür den Raum " +
               raum.Name + At(*s);
    return std::nullopt;
}

// Steps 2 and 3: a special subject belongs in its special rooms, a reserved special room to
// its subjects.
Refusal RoomType(const Stammdaten& d, const CRaumFach& raum, const std::string& fach) {
    bool special = false;
    for (const CRaumFach& r : d.Raeume)
        special = special || IsSpecialRoomFor(r, fach);
    if (special && !Contains(raum.Faecher, fach))
        return kFachRaumNicht + "Das Fach " + fach + " ist ein Spezialfach und der Raum " +
               raum.Name + " ist nicht für dieses Fach vorgesehen.";
    if (raum.FachTyp[2] != 0 && !Contains(raum.Faecher, fach))
        return kFachRaumNicht + " Der Raum " + raum.Name +
               " ist ein Raum vom Typ spezial reserviert und nicht für das Fach " + fach +
               " vorgesehen.";
    return std::nullopt;
}

std::string ReservedClassRoom(const CRaumFach& raum) {
    return "Diese Klasse kann nicht in diesem Raum Unterricht haben!\n\n Der Raum " + raum.Name +
           " ist ein Raum vom Typ Klassen - Raum reserviert und nur für die Klasse " + raum.Klasse +
           " vorgesehen.";
}

bool IsReservedClassRoom(const CRaumFach& raum) {
    return raum.KlassenTyp[2] != 0;
}

// `einheit` names the selected unit: "der Klasse K" or "des Kurses C".
Refusal RoomOverlaps(const Stammdaten& d, const CEinheit& u, const std::string& raum,
                     const std::string& einheit, const Self& self) {
    if (!IsFixed(u)) return std::nullopt;
    const Span span = SpanOf(u.Zeitvorgabe, u.Laenge);
    const std::string wer = ImRaum(einheit, raum);
    if (auto r = SubjectOverlap(
            d, span, self, [&](const CFachBlock&, const CEinheit& e) { return InRoom(e, raum); },
            [&](const CFachBlock& o) {
                return "Eine Wahl dieses Raumes ist für diese Zeit nicht möglich!\n\n" +
                       RoomClashSubject(wer, o);
            }))
        return r;
    return CourseRoomOverlap(
        d, span, self, raum, [&](const CKursBlock& o, const std::string& lehrer) {
            return "Eine Festlegung dieser Zeit für dieseKurs - Einheit ist in diesem Raum nicht "
                   "möglich!\n\n" +
                   RoomClashCourse(wer, lehrer, o);
        });
}

Refusal CheckSubjectRoom(const Stammdaten& d, int blockIndex, int position, const CRaumFach& raum,
                         bool raumCheck) {
    const CFachBlock& b = d.FachBloecke[static_cast<std::size_t>(blockIndex)].Block;
    const CEinheit& u = b.Einheiten[static_cast<std::size_t>(position)];
    if (auto r = RoomLock(raum, u)) return r;
    if (raumCheck) {
        if (auto r = RoomType(d, raum, b.Fach)) return r;
        if (IsReservedClassRoom(raum) && raum.Klasse != b.Klasse) return ReservedClassRoom(raum);
    }
    return RoomOverlaps(d, u, raum.Name, FachEinheit(b), Self{blockIndex, -1, position});
}

// A reserved class room takes a course of several classes only when its class is one of them and
// it is open to the class's courses; a course of one class only when it is that class's room.
Refusal CourseClassRoom(const CKursBlock& k, const CRaumFach& raum) {
    if (!IsReservedClassRoom(raum)) return std::nullopt;
    if (k.Klassen.size() > 1) {
        if (Contains(k.Klassen, raum.Klasse) && raum.KlassenKursFreigabe != 0) return std::nullopt;
        return "Mindestens eine der  Klassen des Kurses kann nicht in diesem Raum Unterricht "
               "haben!\n\n Der Raum " +
               raum.Name +
               " ist ein Raum vom Typ Klassen - Raum reserviert und nur für die Klasse " +
               raum.Klasse + " vorgesehen.";
    }
    if (raum.Klasse == LastClass(k)) return std::nullopt;
    return ReservedClassRoom(raum);
}

Refusal CheckCourseRoom(const Stammdaten& d, const AktuellerBlock& block, int position,
                        const CRaumFach& raum, bool raumCheck) {
    const CKursBlock& k = d.KursBloecke[static_cast<std::size_t>(block.Index)];
    const CEinheit& u = *blockunits::UnitAt(d, block, position);
    const auto lehrer = static_cast<std::size_t>(block.LehrerPos);
    const std::string fach = lehrer < k.Faecher.size() ? k.Faecher[lehrer] : std::string();
    if (auto r = RoomLock(raum, u)) return r;
    if (raumCheck) {
        if (auto r = RoomType(d, raum, fach)) return r;
        if (auto r = CourseClassRoom(k, raum)) return r;
    }
    const Self self{-1, block.Index, position};
    if (auto r = RoomOverlaps(d, u, raum.Name, KursEinheit(k), self)) return r;
    for (std::size_t t = 0; t < k.Lehrer.size(); ++t) {
        if (t == lehrer) continue;
        const std::vector<CEinheit>& units = k.Lehrer[t].Einheiten;
        if (ValidIndex(position, units.size()) &&
            units[static_cast<std::size_t>(position)].Raum == raum.Name)
            return "Eine Wahl dieses Raumes ist für diese Zeit nicht möglich!\n\nFür mindestens "
                   "eine zeitlich parallel liegende Einheit dieses Kurses wurde bereits dieser "
                   "Raum gewählt.";
    }
    return std::nullopt;
}

DefinitionCheck From(Refusal r) {
    return r ? DefinitionCheck::Refuse(std::move(*r)) : DefinitionCheck::Ok();
}

} // namespace

DefinitionCheck CheckTime(const Stammdaten& data, const AktuellerBlock& block,
                          const std::vector<int>& selected, int slot) {
    const std::vector<CEinheit>* list = blockunits::Current(data, block);
    const std::vector<int> positions =
        blockunits::ValidPositions(selected, list == nullptr ? 0 : list->size());
    if (positions.empty()) return DefinitionCheck::Refuse(definitionstext::KeineEinheit);
    if (positions.size() > 1) return DefinitionCheck::Refuse(definitionstext::MehrereEinheiten);
    if (!InWeek(data.Angaben, slot)) return DefinitionCheck::Refuse(kAusserhalb);
    if (block.IstFach()) return From(CheckSubjectTime(data, block.Index, positions[0], slot));
    return From(CheckCourseTime(data, block, positions[0], slot));
}

DefinitionCheck CheckRoom(const Stammdaten& data, const AktuellerBlock& block, int position,
                          std::string_view raum, bool raumCheck) {
    if (blockunits::UnitAt(data, block, position) == nullptr)
        return DefinitionCheck::Refuse(definitionstext::KeineEinheit);
    const CRaumFach* room = RaumNamed(data, raum);
    if (room == nullptr)
        return DefinitionCheck::Refuse("Den Raum " + std::string(raum) +
                                       " gibt es nicht. Wählen Sie einen Raum aus der Liste.");
    if (block.IstFach())
        return From(CheckSubjectRoom(data, block.Index, position, *room, raumCheck));
    return From(CheckCourseRoom(data, block, position, *room, raumCheck));
}

} // namespace sw
