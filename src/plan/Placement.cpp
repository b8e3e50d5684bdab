// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Placement.h"
#include "plan/PlanRules.h"
#include "plan/PlanWriter.h"

#include <algorithm>
#include <array>
#include <utility>

namespace sw {

namespace {

// How a rule gives its answer. The rules are written once, over the answer: as a Refusal value
// for the queries, or straight into the plan's conflict report for CheckPlacement, which so
// writes its report where the refusal arises and stays as fast as the check in the hot loops.
struct AsRefusal {
    using Answer = Refusal;
    static Answer Allow() { return {}; }
    Answer Refuse(const Refusal& r, const CStunde* = nullptr) const { return r; }
    Answer RefuseRule(const Refusal& r, const CStunde* = nullptr) const { return r; }
};

// Writes the fields a refusal names into the report, which CheckPlacement has reset to -1, and
// answers as CheckPlacement does: with the hour the refusal names or, for a lock or a limit, with
// `shown` (the cell's placeholder for a locked room, else the hour itself).
struct IntoReport {
    using Answer = const CStunde*;
    CPlan* plan;
    static Answer Allow() { return nullptr; }
    Answer Refuse(const Refusal& r, const CStunde* shown = nullptr) const {
        ConflictReport& report = PlanWriter::Conflict(*plan);
        report.KonfliktArt = r.Kind;
        if (r.Of == Refusal::Names::Room) report.KonfliktRaum = r.Index;
        if (r.Of == Refusal::Names::Class) report.KonfliktKlasse = r.Index;
        if (r.Of == Refusal::Names::Teacher) report.KonfliktLehrer = r.Index;
        if (!r.Stunde) return shown;
        report.KonfliktStunde = r.Stunde;
        return r.Stunde;
    }
    // A rule of the school: the report names it too.
    Answer RefuseRule(const Refusal& r, const CStunde* shown = nullptr) const {
        PlanWriter::Conflict(*plan).KonfliktRegel = r.Regel;
        return Refuse(r, shown);
    }
};

template <typename Out> struct Rules {
    using Answer = typename Out::Answer;

    static Answer OutsideWeek(const CPlan& plan, const CStunde& h, int slot, int, Out out) {
        if (plan.InWeek(slot)) return Out::Allow();
        return out.Refuse(Refusal::ByHour(Konflikt::Zeit, &h));
    }

    static Answer CellOccupied(const CPlan& plan, const CStunde&, int slot, int room, Out out) {
        const CStunde& x = plan.At(room, slot);
        if (!x.IsLesson()) return Out::Allow();
        return out.Refuse(Refusal::ByRoom(Konflikt::Raum, room, &x));
    }

    static Answer RoomLocked(const CPlan& plan, const CStunde&, int slot, int room, Out out) {
        if (plan.RaumAt(room).Sperre[slot] != 1) return Out::Allow();
        return out.Refuse(Refusal::ByRoom(Konflikt::Sperrung, room), &plan.At(room, slot));
    }

    static Answer FixedTime(const CPlan&, const CStunde& h, int slot, int, Out out) {
        if (!h.TimeFixed()) return Out::Allow();
        const int wanted = h.BlockPos < 0 ? h.Zeit : h.Zeit + h.BlockPos;
        if (slot == wanted) return Out::Allow();
        return out.Refuse(Refusal::ByHour(Konflikt::Zeit, &h));
    }

    static Answer HourBound(const CPlan&, const CStunde& h, int slot, int, Out out) {
        if (h.Zeit == kNoSlot || h.TimeFixed()) return Out::Allow();
        const int b = HourOf(h.Zeit);
        if ((h.OberesLimit && b < HourOf(slot)) || (h.UnteresLimit && b > HourOf(slot)))
            return out.Refuse(Refusal::ByHour(Konflikt::Limit, &h));
        return Out::Allow();
    }

    static Answer DayLimit(const CPlan&, const CStunde& h, int slot, int, Out out) {
        if (!h.TagesLimit || DayOf(slot) == h.Tag) return Out::Allow();
        return out.Refuse(Refusal::ByHour(Konflikt::Limit, &h));
    }

    static Answer TeacherLocked(const CPlan& plan, const CStunde& h, int slot, int, Out out) {
        if (plan.LehrerAt(h.Lehrer).Sperre[slot] == 0) return Out::Allow();
        return out.Refuse(Refusal::ByTeacher(Konflikt::Sperrung, h.Lehrer), &h);
    }

    // The locks and hour limits of h's classes. A single subject hour may lie beyond its class's
    // limit; a course hour only by the option of its kind.
    static Answer ClassRules(const CPlan& plan, const CStunde& h, int slot, int, Out out) {
        if (!h.IsCourse()) {
            const int k = h.Klasse;
            const CKlasse& klasse = plan.KlasseAt(k);
            if (klasse.Sperre[slot] != 0)
                return out.Refuse(Refusal::ByClass(Konflikt::Sperrung, k), &h);
            if (HourOf(slot) > plan.KlassenSollL[k].StundenLimit && h.BlockPos >= 0 &&
                !plan.Flags().MehrfachUeberStundenLimit)
                return out.Refuse(Refusal::ByClass(Konflikt::Zeit, k), &h);
            return Out::Allow();
        }
        for (int c : *h.KlassenL) {
            if (plan.KlasseAt(c).Sperre[slot] != 0)
                return out.Refuse(Refusal::ByClass(Konflikt::Sperrung, c), &h);
            if (HourOf(slot) > plan.KlassenSollL[c].StundenLimit) {
                const bool allowed = h.BlockPos < 0 ? plan.Flags().KursUeberStundenLimit
                                                    : plan.Flags().MehrfachKursUeberStundenLimit;
                if (!allowed) return out.Refuse(Refusal::ByClass(Konflikt::Zeit, c), &h);
            }
        }
        return Out::Allow();
    }

    // A subject hour of class k clashes with a course hour by the course's classes in order (k
    // itself: Klasse; another class while the course has h's teacher: Lehrer), with a subject
    // hour by its class (Klasse), then its teacher (Lehrer).
    static Answer SubjectClash(const CStunde& h, const CStunde& y, Out out) {
        const int k = h.Klasse;
        if (y.IsCourse()) {
            for (int c : *y.KlassenL) {
                if (c == k) return out.Refuse(Refusal::ByClass(Konflikt::Klasse, k, &y));
                if (y.Lehrer == h.Lehrer)
                    return out.Refuse(Refusal::ByTeacher(Konflikt::Lehrer, h.Lehrer, &y));
            }
            return Out::Allow();
        }
        if (y.Klasse == k) return out.Refuse(Refusal::ByClass(Konflikt::Klasse, k, &y));
        if (y.Lehrer == h.Lehrer)
            return out.Refuse(Refusal::ByTeacher(Konflikt::Lehrer, h.Lehrer, &y));
        return Out::Allow();
    }

    // A course hour clashes with any lesson of its teacher, then with a lesson of one of its
    // classes that is not a parallel hour of its own block.
    static Answer CourseClash(const CStunde& h, const CStunde& y, Out out) {
        if (y.Lehrer == h.Lehrer)
            return out.Refuse(Refusal::ByTeacher(Konflikt::Lehrer, h.Lehrer, &y));
        for (int c : *h.KlassenL) {
            const bool clash =
                y.IsCourse() ? y.FachKurs != h.FachKurs && y.Involves(c) : y.Klasse == c;
            if (clash) return out.Refuse(Refusal::ByClass(Konflikt::Klasse, c, &y));
        }
        return Out::Allow();
    }

    // The first lesson at the slot, in room order, that clashes with subject hour h. The
    // occupancy counts rule out any clash at once in the common case; when exactly one other hour
    // involves the class or the teacher, the counts name it; only otherwise are the rooms scanned.
    static Answer SubjectHourClash(const CPlan& plan, const CStunde& h, int slot, Out out) {
        const int self = SelfAt(plan, h, slot);
        const int classOthers = plan.ClassLessons(h.Klasse, slot) - self;
        const int teacherOthers = plan.TeacherLessons(h.Lehrer, slot) - self;
        if (classOthers == 0 && teacherOthers == 0) return Out::Allow();
        return SubjectHourScan(plan, h, slot, self == 0 && classOthers <= 1 && teacherOthers <= 1,
                               out);
    }

    // The first lesson at the slot, in room order, that clashes with course hour h. Hours of the
    // same course block share their classes without clashing; any other lesson of one of the
    // classes, or of the teacher, makes the room scan necessary.
    static Answer CourseHourClash(const CPlan& plan, const CStunde& h, int slot, Out out) {
        const IntList& classes = *h.KlassenL;
        const int self = SelfAt(plan, h, slot);
        bool maybe = plan.TeacherLessons(h.Lehrer, slot) != self;
        const int ownCourse = plan.CourseLessons(h.FachKurs, slot);
        for (std::size_t i = 0; !maybe && i < classes.size(); ++i)
            maybe = plan.ClassLessons(classes[i], slot) != ownCourse;
        if (!maybe) return Out::Allow();
        return CourseHourScan(plan, h, slot, out);
    }

    // The scans stay out of line: the check then needs no stack frame in the common case.
    // `fewOthers`: at most one other hour involves the class and at most one the teacher, and h
    // does not stand at the slot; the counts may then name the clashing hour.
    [[gnu::noinline]] static Answer SubjectHourScan(const CPlan& plan, const CStunde& h, int slot,
                                                    bool fewOthers, Out out) {
        const int k = h.Klasse;
        if (fewOthers) {
            const CStunde* byClass = plan.OnlyLessonOfClass(k, slot);
            const CStunde* byTeacher = plan.OnlyLessonOfTeacher(h.Lehrer, slot);
            // At least one of them is named: the other count is 0 or names the same hour.
            if ((byClass || byTeacher) && (!byClass || !byTeacher || byClass == byTeacher))
                return SubjectClash(h, byClass ? *byClass : *byTeacher, out);
        }
        for (int i = 0; i < plan.RaumAnzahl; ++i) {
            const CStunde& y = plan.At(i, slot);
            if (!y.IsLesson() || &y == &h) continue;
            if (Answer clash = SubjectClash(h, y, out)) return clash;
        }
        return Out::Allow();
    }

    [[gnu::noinline]] static Answer CourseHourScan(const CPlan& plan, const CStunde& h, int slot,
                                                   Out out) {
        for (int i = 0; i < plan.RaumAnzahl; ++i) {
            const CStunde& y = plan.At(i, slot);
            if (!y.IsLesson() || &y == &h) continue;
            if (Answer clash = CourseClash(h, y, out)) return clash;
        }
        return Out::Allow();
    }

    // The rules of the school: breaks and allowed times, then those over the days of the hour's
    // teacher, classes and block. An hour no rule concerns passes with one test of its own flag.
    static Answer SchoolRules(const CPlan& plan, const CStunde& h, int slot, int, Out out) {
        if (!h.Regeln) return Out::Allow();
        const PlanRules& rules = *plan.Regeln();
        if (const Refusal r = rules.SlotRefusal(plan, h, slot)) return out.RefuseRule(r, &h);
        if (const Refusal r = rules.DayRefusal(plan, h, slot)) return out.RefuseRule(r, &h);
        return Out::Allow();
    }

    static Answer LessonClash(const CPlan& plan, const CStunde& h, int slot, int, Out out) {
        return h.IsCourse() ? CourseHourClash(plan, h, slot, out)
                            : SubjectHourClash(plan, h, slot, out);
    }

    // The rules in the order of enum Rule, which is the check's order: each named once, here.
    using RuleFn = Answer (*)(const CPlan&, const CStunde&, int slot, int room, Out);
    static constexpr std::array<RuleFn, 10> kRules = {
        &OutsideWeek, &CellOccupied,  &RoomLocked, &FixedTime,   &HourBound,
        &DayLimit,    &TeacherLocked, &ClassRules, &SchoolRules, &LessonClash};

    // The rules `which` in their order; the first refusal ends the check. Each call is bound at
    // compile time, so the chain inlines as if written out.
    template <Rule... which>
    static Answer Apply(const CPlan& plan, const CStunde& h, int slot, int room, Out out) {
        Answer a = Out::Allow();
        (static_cast<bool>(a = Call<which>(plan, h, slot, room, out)) || ...);
        return a;
    }
    template <Rule rule>
    static Answer Call(const CPlan& plan, const CStunde& h, int slot, int room, Out out) {
        constexpr RuleFn fn = kRules[static_cast<std::size_t>(rule)];
        return fn(plan, h, slot, room, out);
    }

    // Every rule.
    // Every rule. An hour no rule of the school concerns (the common case) ends the chain with
    // the clashes, out of which the scans are tail calls: the check then needs no stack frame.
    static Answer Check(const CPlan& plan, const CStunde& h, int slot, int room, Out out) {
        if (Answer a =
                Apply<Rule::OutsideWeek, Rule::CellOccupied, Rule::RoomLocked, Rule::FixedTime,
                      Rule::HourBound, Rule::DayLimit, Rule::TeacherLocked, Rule::ClassRules>(
                    plan, h, slot, room, out))
            return a;
        if (h.Regeln) [[unlikely]]
            return RulesAndClashes(plan, h, slot, room, out);
        return LessonClash(plan, h, slot, room, out);
    }
    [[gnu::noinline]] static Answer RulesAndClashes(const CPlan& plan, const CStunde& h, int slot,
                                                    int room, Out out) {
        return Apply<Rule::SchoolRules, Rule::LessonClash>(plan, h, slot, room, out);
    }
    // Every rule after the room's own.
    static Answer BeyondRoom(const CPlan& plan, const CStunde& h, int slot, Out out) {
        return Apply<Rule::FixedTime, Rule::HourBound, Rule::DayLimit, Rule::TeacherLocked,
                     Rule::ClassRules, Rule::SchoolRules, Rule::LessonClash>(plan, h, slot, 0, out);
    }
    // The rules that no moving of other hours at the slot can change: all but the cell and the
    // clashes. A rule over the days counts here too: the lessons that break it stand elsewhere.
    static Answer Fixed(const CPlan& plan, const CStunde& h, int slot, int room, Out out) {
        return Apply<Rule::OutsideWeek, Rule::RoomLocked, Rule::FixedTime, Rule::HourBound,
                     Rule::DayLimit, Rule::TeacherLocked, Rule::ClassRules, Rule::SchoolRules>(
            plan, h, slot, room, out);
    }

private:
    // The hour h itself counts in the occupancy at its own slot; elsewhere it is never a clash.
    static int SelfAt(const CPlan& plan, const CStunde& h, int slot) {
        return h.Index >= 0 && plan.SlotOfHour(h) == slot ? 1 : 0;
    }
};

using Query = Rules<AsRefusal>;

} // namespace

Refusal CheckRule(Rule rule, const CPlan& plan, const CStunde& h, int slot, int room) {
    return Query::kRules[static_cast<std::size_t>(rule)](plan, h, slot, room, {});
}

Refusal ClashWith(const CStunde& h, const CStunde& y) {
    return h.IsCourse() ? Query::CourseClash(h, y, {}) : Query::SubjectClash(h, y, {});
}

Refusal PlacementRefusal(const CPlan& plan, const CStunde& h, int slot, int room) {
    return Query::Check(plan, h, slot, room, {});
}

Refusal RefusalBeyondRoom(const CPlan& plan, const CStunde& h, int slot) {
    return Query::BeyondRoom(plan, h, slot, {});
}

const CStunde* CheckPlacement(CPlan& plan, const CStunde& h, int slot, int room) {
    plan.ClearConflict();
    return Rules<IntoReport>::Check(plan, h, slot, room, IntoReport{&plan});
}

// ---------------------------------------------------------------------------------------------
// What stands in the way

namespace {

bool IsSeated(std::span<const Seat> seats, const CStunde& y) {
    return std::any_of(seats.begin(), seats.end(), [&](const Seat& s) { return s.Hour == &y; });
}

// Whether lesson y can make way for a refusal of `kind`.
bool CanMakeWay(const CStunde& y, Konflikt kind) {
    if (!y.TimeFixed()) return true;
    return kind == Konflikt::Raum && y.RoomCount() > 1;
}

// Each lesson is listed once; one that holds the cell and clashes too must leave the slot.
void AddObstacle(Obstacles& out, const CStunde& y, Konflikt kind) {
    for (Obstacle& o : out.Hours) {
        if (o.Hour != &y) continue;
        if (o.Kind == Konflikt::Raum && kind != Konflikt::Raum) o = {&y, kind, CanMakeWay(y, kind)};
        return;
    }
    out.Hours.push_back({&y, kind, CanMakeWay(y, kind)});
}

void SeatObstacles(const CPlan& plan, std::span<const Seat> seats, std::size_t i, Obstacles& out) {
    const Seat& seat = seats[i];
    const CStunde& h = *seat.Hour;
    const Refusal fixed = Query::Fixed(plan, h, seat.Slot, seat.Room, {});
    if (fixed && !out.Fixed) out.Fixed = fixed;
    if (!IsSlot(seat.Slot)) return;
    for (std::size_t j = 0; j < i; ++j)
        if (seats[j].Slot == seat.Slot && seats[j].Room == seat.Room && !out.Fixed)
            out.Fixed = Refusal::ByRoom(Konflikt::Raum, seat.Room, seats[j].Hour);
    const CStunde& x = plan.At(seat.Room, seat.Slot);
    if (x.IsLesson() && !IsSeated(seats, x)) AddObstacle(out, x, Konflikt::Raum);
    for (int r = 0; r < plan.RaumAnzahl; ++r) {
        const CStunde& y = plan.At(r, seat.Slot);
        if (!y.IsLesson() || &y == &h || IsSeated(seats, y)) continue;
        if (const Refusal clash = ClashWith(h, y)) AddObstacle(out, y, clash.Kind);
    }
}

} // namespace

bool Obstacles::Removable() const {
    if (Fixed) return false;
    return std::all_of(Hours.begin(), Hours.end(), [](const Obstacle& o) { return o.Movable; });
}

void FindObstacles(const CPlan& plan, std::span<const Seat> seats, Obstacles& out) {
    out.Fixed = {};
    out.Hours.clear();
    for (std::size_t i = 0; i < seats.size(); ++i)
        SeatObstacles(plan, seats, i, out);
}

void FindObstacles(const CPlan& plan, const CStunde& h, int slot, int room, Obstacles& out) {
    out.Seats.assign(1, Seat{&h, slot, room});
    FindObstacles(plan, out.Seats, out);
}

void FindUnitObstacles(const CPlan& plan, const CStunde& first, int start, int room,
                       Obstacles& out) {
    out.Seats.clear();
    for (int p = 0; p < CPlan::UnitLength(first); ++p)
        out.Seats.push_back({&plan.UnitHour(first, p), start + p, room});
    FindObstacles(plan, out.Seats, out);
}

void FindGroupObstacles(const CPlan& plan, const CStunde& h, int slot, std::span<const int> rooms,
                        Obstacles& out) {
    out.Seats.clear();
    if (!h.ParallelL) {
        out.Seats.push_back({&h, slot, rooms.empty() ? -1 : rooms[0]});
    } else {
        for (std::size_t i = 0; i < h.ParallelL->size() && i < rooms.size(); ++i)
            out.Seats.push_back({(*h.ParallelL)[i], slot, rooms[i]});
    }
    FindObstacles(plan, out.Seats, out);
}

bool SlotRulesAllow(const CPlan& plan, const CStunde& h, int slot) {
    constexpr Rule kSlotRules[] = {Rule::OutsideWeek, Rule::FixedTime,     Rule::HourBound,
                                   Rule::DayLimit,    Rule::TeacherLocked, Rule::ClassRules};
    for (Rule r : kSlotRules)
        if (CheckRule(r, plan, h, slot, 0)) return false;
    // Of the school's rules only the breaks and the allowed times: the rules over the days depend
    // on the lessons standing elsewhere, which moving can change.
    return !h.Regeln || !plan.Regeln()->SlotRefusal(plan, h, slot);
}

} // namespace sw
