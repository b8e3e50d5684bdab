// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Placement.h"

namespace sw::rules {

namespace {

const CStunde* Refuse(CPlan& plan, const CStunde* answer, int kind) {
    plan.KonfliktArt = kind;
    return answer;
}

bool ListHas(const IntList& list, int k) {
    for (int x : list)
        if (x == k) return true;
    return false;
}

// The hour h itself counts in the occupancy at its own slot; elsewhere it is never a clash.
int SelfAt(const CPlan& plan, const CStunde& h, int slot) {
    return h.Index >= 0 && plan.SlotOfHour(h) == slot ? 1 : 0;
}

// Whether lesson y clashes with subject hour h of class k at the same slot, and how: a course
// hour is judged by its classes in order (the class itself: kind 1; another class while y has
// h's teacher: kind 2); a subject hour by its class (kind 1), then its teacher (kind 2).
const CStunde* SubjectClashWith(CPlan& plan, const CStunde& h, int k, const CStunde& y) {
    auto clash = [&](int kind) {
        (kind == kKonfliktKlasse ? plan.KonfliktKlasse : plan.KonfliktLehrer) =
            kind == kKonfliktKlasse ? k : h.Lehrer;
        plan.KonfliktStunde = &y;
        return Refuse(plan, &y, kind);
    };
    if (y.IsCourse()) {
        for (int c : *y.KlassenL) {
            if (c == k) return clash(kKonfliktKlasse);
            if (y.Lehrer == h.Lehrer) return clash(kKonfliktLehrer);
        }
        return nullptr;
    }
    if (y.Klasse == k) return clash(kKonfliktKlasse);
    if (y.Lehrer == h.Lehrer) return clash(kKonfliktLehrer);
    return nullptr;
}

} // namespace

const CStunde* OutsideWeek(CPlan& plan, const CStunde& h, int slot) {
    if (plan.InWeek(slot)) return nullptr;
    plan.KonfliktStunde = &h;
    return Refuse(plan, &h, kKonfliktZeit);
}

const CStunde* CellOccupied(CPlan& plan, int slot, int room) {
    const CStunde& x = plan.At(room, slot);
    if (!x.IsLesson()) return nullptr;
    plan.KonfliktStunde = &x;
    plan.KonfliktRaum = room;
    return Refuse(plan, &x, kKonfliktRaum);
}

const CStunde* RoomLocked(CPlan& plan, int slot, int room) {
    if (plan.RaumAt(room).Sperre[slot] != 1) return nullptr;
    plan.KonfliktRaum = room;
    return Refuse(plan, &plan.At(room, slot), kKonfliktSperrung);
}

const CStunde* FixedTime(CPlan& plan, const CStunde& h, int slot) {
    if (!h.TimeFixed()) return nullptr;
    const int wanted = h.BlockPos < 0 ? h.Zeit : h.Zeit + h.BlockPos;
    if (slot == wanted) return nullptr;
    plan.KonfliktStunde = &h;
    return Refuse(plan, &h, kKonfliktZeit);
}

const CStunde* HourBound(CPlan& plan, const CStunde& h, int slot) {
    if (h.Zeit == kNoSlot || h.TimeFixed()) return nullptr;
    const int b = HourOf(h.Zeit);
    if ((h.OberesLimit && b < HourOf(slot)) || (h.UnteresLimit && b > HourOf(slot))) {
        plan.KonfliktStunde = &h;
        return Refuse(plan, &h, kKonfliktLimit);
    }
    return nullptr;
}

const CStunde* DayLimit(CPlan& plan, const CStunde& h, int slot) {
    if (!h.TagesLimit || DayOf(slot) == h.Tag) return nullptr;
    plan.KonfliktStunde = &h;
    return Refuse(plan, &h, kKonfliktLimit);
}

const CStunde* TeacherLocked(CPlan& plan, const CStunde& h, int slot) {
    if (plan.LehrerAt(h.Lehrer).Sperre[slot] == 0) return nullptr;
    plan.KonfliktLehrer = h.Lehrer;
    return Refuse(plan, &h, kKonfliktSperrung);
}

const CStunde* SubjectHourClash(CPlan& plan, const CStunde& h, int slot) {
    const int k = h.Klasse;
    const CKlasse& klasse = plan.KlasseAt(k);
    if (klasse.Sperre[slot] != 0) {
        plan.KonfliktKlasse = k;
        return Refuse(plan, &h, kKonfliktSperrung);
    }
    if (HourOf(slot) > klasse.StundenLimit && h.BlockPos >= 0 && !plan.MehrfachUeberStundenLimit) {
        plan.KonfliktKlasse = k;
        return Refuse(plan, &h, kKonfliktZeit);
    }
    // The occupancy counts rule out any clash at once in the common case. When exactly one other
    // hour involves the class or the teacher, the counts name it; only otherwise are the rooms
    // scanned, in room order, to find the first clashing hour.
    const int self = SelfAt(plan, h, slot);
    const int classOthers = plan.ClassLessons(k, slot) - self;
    const int teacherOthers = plan.TeacherLessons(h.Lehrer, slot) - self;
    if (classOthers == 0 && teacherOthers == 0) return nullptr;
    if (self == 0 && classOthers <= 1 && teacherOthers <= 1) {
        const CStunde* byClass = classOthers ? plan.OnlyLessonOfClass(k, slot) : nullptr;
        const CStunde* byTeacher =
            teacherOthers ? plan.OnlyLessonOfTeacher(h.Lehrer, slot) : nullptr;
        // At least one of them is named: the other count is 0 or names the same hour.
        if ((byClass || byTeacher) && (!byClass || !byTeacher || byClass == byTeacher)) {
            const CStunde& y = byClass ? *byClass : *byTeacher;
            return SubjectClashWith(plan, h, k, y);
        }
    }
    for (int i = 0; i < plan.RaumAnzahl; ++i) {
        const CStunde& y = plan.At(i, slot);
        if (!y.IsLesson() || &y == &h) continue;
        if (const CStunde* clash = SubjectClashWith(plan, h, k, y)) return clash;
    }
    return nullptr;
}

const CStunde* CourseHourClash(CPlan& plan, const CStunde& h, int slot) {
    const IntList& classes = *h.KlassenL;
    for (int c : classes) {
        const CKlasse& klasse = plan.KlasseAt(c);
        if (klasse.Sperre[slot] != 0) {
            plan.KonfliktKlasse = c;
            return Refuse(plan, &h, kKonfliktSperrung);
        }
        if (HourOf(slot) > klasse.StundenLimit) {
            const bool allowed =
                h.BlockPos < 0 ? plan.KursUeberStundenLimit : plan.MehrfachKursUeberStundenLimit;
            if (!allowed) {
                plan.KonfliktKlasse = c;
                return Refuse(plan, &h, kKonfliktZeit);
            }
        }
    }
    // Hours of the same course block share their classes without clashing; any other lesson of
    // one of the classes, or of the teacher, makes the room scan necessary.
    const int self = SelfAt(plan, h, slot);
    bool maybe = plan.TeacherLessons(h.Lehrer, slot) != self;
    const int ownCourse = plan.CourseLessons(h.FachKurs, slot);
    for (std::size_t i = 0; !maybe && i < classes.size(); ++i)
        maybe = plan.ClassLessons(classes[i], slot) != ownCourse;
    if (!maybe) return nullptr;
    for (int i = 0; i < plan.RaumAnzahl; ++i) {
        const CStunde& y = plan.At(i, slot);
        if (!y.IsLesson() || &y == &h) continue;
        if (y.Lehrer == h.Lehrer) {
            plan.KonfliktStunde = &y;
            plan.KonfliktLehrer = h.Lehrer;
            return Refuse(plan, &y, kKonfliktLehrer);
        }
        for (int c : classes) {
            const bool clash = y.IsCourse() ? (y.FachKurs != h.FachKurs && ListHas(*y.KlassenL, c))
                                            : y.Klasse == c;
            if (clash) {
                plan.KonfliktStunde = &y;
                plan.KonfliktKlasse = c;
                return Refuse(plan, &y, kKonfliktKlasse);
            }
        }
    }
    return nullptr;
}

} // namespace sw::rules

namespace sw {

const CStunde* CheckPlacement(CPlan& plan, const CStunde& h, int slot, int room) {
    plan.KonfliktRaum = -1;
    plan.KonfliktKlasse = -1;
    plan.KonfliktLehrer = -1;
    plan.KonfliktArt = -1;
    if (const CStunde* x = rules::OutsideWeek(plan, h, slot)) return x;
    if (const CStunde* x = rules::CellOccupied(plan, slot, room)) return x;
    if (const CStunde* x = rules::RoomLocked(plan, slot, room)) return x;
    if (const CStunde* x = rules::FixedTime(plan, h, slot)) return x;
    if (const CStunde* x = rules::HourBound(plan, h, slot)) return x;
    if (const CStunde* x = rules::DayLimit(plan, h, slot)) return x;
    if (const CStunde* x = rules::TeacherLocked(plan, h, slot)) return x;
    return h.IsCourse() ? rules::CourseHourClash(plan, h, slot)
                        : rules::SubjectHourClash(plan, h, slot);
}

} // namespace sw
