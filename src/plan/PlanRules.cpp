// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/PlanRules.h"

#include "model/Text.h"
#include "plan/Placement.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace sw {

namespace {

bool Set(int v) {
    return v != kKeineRegel;
}

std::uint16_t Bits(int from, int count) {
    if (count <= 0) return 0;
    return static_cast<std::uint16_t>(((1u << count) - 1u) << std::max(from, 0));
}

int Days(const std::array<std::uint16_t, kMaxDays>& days, std::uint16_t within) {
    int n = 0;
    for (std::uint16_t d : days)
        n += (d & within) != 0 ? 1 : 0;
    return n;
}

} // namespace

int GapsOf(std::uint16_t day, std::uint16_t pauses) {
    if (day == 0) return 0;
    const int first = std::countr_zero(day);
    const int last = 15 - std::countl_zero(day);
    const std::uint16_t span = Bits(first, last - first + 1);
    return HoursIn(static_cast<std::uint16_t>(span & ~day & ~pauses));
}

int LongestRun(std::uint16_t day) {
    int best = 0;
    while (day != 0) {
        day &= static_cast<std::uint16_t>(day << 1);
        ++best;
    }
    return best;
}

std::uint16_t PlanRules::TeacherDay(const CPlan& plan, int t, int day) {
    return plan.TeacherDayBits(t, day);
}

std::uint16_t PlanRules::ClassDay(const CPlan& plan, int k, int day) {
    return plan.ClassDayBits(k, day);
}

std::unique_ptr<PlanRules> PlanRules::Build(const CPlan& plan, const std::vector<int>& ends) {
    const Stammdaten& d = plan.Stamm();
    if (!HatRegeln(d)) return nullptr;
    auto r = std::make_unique<PlanRules>();
    for (int s : d.Angaben.Pausen)
        if (IsSlot(s)) r->pause_[static_cast<std::size_t>(s)] = 1;
    for (int e = 0; e < kMaxDays; ++e)
        r->pauseDays_[static_cast<std::size_t>(e)] = NonZeroHours(r->pause_, e);
    for (const CLehrer& l : d.Lehrer) {
        r->lehrer_.push_back(l.Regeln);
        r->lehrerSet_.push_back(l.Regeln.Leer() ? 0 : 1);
        r->soft_ = r->soft_ || Set(l.Regeln.MinStundenProTag) || Set(l.Regeln.MaxLueckenProTag) ||
                   Set(l.Regeln.MaxLueckenProWoche) || Set(l.Regeln.MinTage);
    }
    for (const CKlasse& k : d.Klassen) {
        r->klassen_.push_back(k.Regeln);
        r->klassenSet_.push_back(k.Regeln.Leer() ? 0 : 1);
        r->soft_ = r->soft_ || Set(k.Regeln.MinStundenProTag) || Set(k.Regeln.MaxLueckenProTag) ||
                   Set(k.Regeln.MaxLueckenProWoche);
    }
    r->endsDay_.resize(d.Klassen.size());

    // The blocks in the order the plan builds their hours: subject blocks, then course blocks.
    const auto addBlock = [&](const CBlockRegeln& regeln, std::string name) {
        Block b;
        b.Regeln = regeln;
        for (int s : regeln.ErlaubteZeiten)
            if (IsSlot(s)) b.Starts[static_cast<std::size_t>(s)] = 1;
        b.Name = std::move(name);
        r->blocks_.push_back(std::move(b));
    };
    for (const Unterricht& u : d.FachBloecke)
        addBlock(u.Block.Regeln, "Unterricht " + u.Key);
    for (const CKursBlock& k : d.KursBloecke)
        addBlock(k.Regeln, "Kurs " + k.Name);
    const int subjects = static_cast<int>(d.FachBloecke.size());
    const auto& hours = plan.StundenL;
    r->blockOf_.assign(hours.size(), -1);
    r->ordinalOf_.assign(hours.size(), -1);

    // Which block each hour comes from: the hours of block b are those before ends[b] and from
    // the end of the block before it. A unit's position in its block counts the units of the
    // block's (first) teacher; the course's other teachers hold theirs at the same positions.
    std::size_t from = 0;
    for (std::size_t b = 0; b < ends.size() && b < r->blocks_.size(); ++b) {
        const auto to = static_cast<std::size_t>(ends[b]);
        int ordinal = -1;
        for (std::size_t i = from; i < to && i < hours.size(); ++i) {
            const CStunde& h = *hours[i];
            r->blockOf_[i] = static_cast<std::int32_t>(b);
            if (h.ParallelL && !h.ParallelL->empty() && h.ParallelL->front() != &h) {
                r->ordinalOf_[i] =
                    r->ordinalOf_[static_cast<std::size_t>(h.ParallelL->front()->Index)];
                continue;
            }
            if (h.IsFirstOfUnit()) {
                ++ordinal;
                r->blocks_[b].Units.push_back(static_cast<std::int32_t>(i));
            }
            r->ordinalOf_[i] = ordinal;
        }
        from = to;
    }

    // The units that end their classes' day.
    for (const Block& b : r->blocks_) {
        if (!b.Regeln.Tagesende) continue;
        for (std::int32_t first : b.Units) {
            const CStunde& h = *hours[static_cast<std::size_t>(first)];
            if (!h.IsCourse()) {
                r->endsDay_[static_cast<std::size_t>(h.Klasse)].push_back(first);
            } else {
                for (int k : *h.KlassenL)
                    r->endsDay_[static_cast<std::size_t>(k)].push_back(first);
            }
        }
    }

    // The relations, both ways.
    const auto blockIndex = [&](const CBlockBezug& ref) {
        if (!ref.Kurs) return d.FindFachBlock(ref.Name);
        const int k = d.FindKursBlock(ref.Name);
        return k < 0 ? -1 : subjects + k;
    };
    for (const CBeziehung& rel : d.Beziehungen) {
        for (std::size_t i = 0; i < rel.Bloecke.size(); ++i)
            for (std::size_t j = 0; j < rel.Bloecke.size(); ++j) {
                if (i == j) continue;
                const int a = blockIndex(rel.Bloecke[i]);
                const int o = blockIndex(rel.Bloecke[j]);
                if (a < 0 || o < 0) continue;
                const std::int8_t order = rel.Art != BeziehungsArt::Direktfolge ? 0
                                          : i < j                               ? 1
                                                                                : -1;
                r->blocks_[static_cast<std::size_t>(a)].Relations.push_back({rel.Art, o, order});
            }
    }
    return r;
}

bool PlanRules::Concerns(const CStunde& h) const {
    if (!h.IsLesson() || h.Index < 0) return false;
    if (std::any_of(pause_.begin(), pause_.end(), [](std::uint8_t p) { return p != 0; }))
        return true;
    if (lehrerSet_[static_cast<std::size_t>(h.Lehrer)]) return true;
    const auto classRules = [&](int k) {
        return klassenSet_[static_cast<std::size_t>(k)] ||
               !endsDay_[static_cast<std::size_t>(k)].empty();
    };
    if (!h.IsCourse() ? classRules(h.Klasse)
                      : std::any_of(h.KlassenL->begin(), h.KlassenL->end(), classRules))
        return true;
    const int b = blockOf_[static_cast<std::size_t>(h.Index)];
    if (b < 0) return false;
    const Block& block = blocks_[static_cast<std::size_t>(b)];
    return !block.Regeln.Leer() || !block.Relations.empty();
}

bool PlanRules::StartAllowed(const CStunde& h, int start) const {
    const int b = blockOf_[static_cast<std::size_t>(h.Index)];
    if (b < 0) return true;
    const Block& block = blocks_[static_cast<std::size_t>(b)];
    if (block.Regeln.ErlaubteZeiten.empty()) return true;
    return IsSlot(start) && block.Starts[static_cast<std::size_t>(start)] != 0;
}

Refusal PlanRules::SlotRefusal(const CPlan&, const CStunde& h, int slot) const {
    if (!IsSlot(slot)) return {};
    if (pause_[static_cast<std::size_t>(slot)])
        return Refusal::ByRule(RegelArt::Pause, Refusal::Names::Nothing, -1);
    if (h.Index < 0) return {};
    const int start = slot - std::max(0, static_cast<int>(h.BlockPos));
    if (!StartAllowed(h, start))
        return Refusal::ByRule(RegelArt::ErlaubteZeiten, Refusal::Names::Nothing, -1);
    return {};
}

Refusal PlanRules::TeacherRefusal(const CPlan& plan, int t, int day, std::uint16_t unit,
                                  const std::array<std::uint16_t, kMaxDays>& own) const {
    const CLehrerRegeln& r = lehrer_[static_cast<std::size_t>(t)];
    const auto busy = [&](int e) {
        if (own[static_cast<std::size_t>(e)] == 0) return plan.TeacherDayBits(t, e);
        std::uint16_t bits = 0;
        for (int h = 0; h < kHoursPerDay; ++h) {
            const int n = plan.TeacherLessons(t, SlotOf(e, h)) - ((own[e] >> h) & 1);
            if (n > 0) bits |= static_cast<std::uint16_t>(1u << h);
        }
        return bits;
    };
    const std::uint16_t before = busy(day);
    const std::uint16_t after = before | unit;
    const auto refuse = [&](RegelArt art) {
        return Refusal::ByRule(art, Refusal::Names::Teacher, t);
    };
    if (Set(r.MaxStundenProTag) && HoursIn(after) > r.MaxStundenProTag)
        return refuse(RegelArt::MaxStundenProTag);
    if (Set(r.MaxInFolge) && LongestRun(after) > r.MaxInFolge) return refuse(RegelArt::MaxInFolge);
    const std::uint16_t window = Set(r.FensterMaxTage)
                                     ? Bits(r.FensterVon, r.FensterBis - r.FensterVon + 1)
                                     : std::uint16_t{0};
    const bool newDay = before == 0 && Set(r.MaxTage);
    const bool newWindowDay = window != 0 && (before & window) == 0 && (unit & window) != 0;
    if (!newDay && !newWindowDay) return {};
    std::array<std::uint16_t, kMaxDays> days{};
    for (int e = 0; e < plan.Tage; ++e)
        days[static_cast<std::size_t>(e)] = e == day ? after : busy(e);
    if (newDay && Days(days, 0xFFFF) > r.MaxTage) return refuse(RegelArt::MaxTage);
    if (newWindowDay && Days(days, window) > r.FensterMaxTage) return refuse(RegelArt::Zeitfenster);
    return {};
}

Refusal PlanRules::ClassRefusal(const CPlan& plan, const CStunde& h, int k, int day,
                                std::uint16_t unit,
                                const std::array<std::uint16_t, kMaxDays>& own) const {
    const CTagesRegeln& r = klassen_[static_cast<std::size_t>(k)];
    // Without an hour of its own that day the class's day bits are the lessons the unit meets.
    const bool ownDay = own[static_cast<std::size_t>(day)] != 0;
    std::uint16_t after =
        ownDay ? unit : static_cast<std::uint16_t>(unit | plan.ClassDayBits(k, day));
    for (int hr = 0; hr < kHoursPerDay && ownDay; ++hr) {
        const int s = SlotOf(day, hr);
        int n = plan.ClassLessons(k, s);
        if ((own[static_cast<std::size_t>(day)] >> hr) & 1)
            n -= h.IsCourse() ? plan.CourseLessons(h.FachKurs, s) : 1;
        if (n > 0) after |= static_cast<std::uint16_t>(1u << hr);
    }
    const auto refuse = [&](RegelArt art) {
        return Refusal::ByRule(art, Refusal::Names::Class, k);
    };
    if (Set(r.MaxStundenProTag) && HoursIn(after) > r.MaxStundenProTag)
        return refuse(RegelArt::MaxStundenProTag);
    if (Set(r.MaxInFolge) && LongestRun(after) > r.MaxInFolge) return refuse(RegelArt::MaxInFolge);
    // A unit that ends the class's day: nothing of the class after it, and nothing after any
    // other such unit of the class that day.
    for (std::int32_t first : endsDay_[static_cast<std::size_t>(k)]) {
        const CStunde& u = *plan.StundenL[static_cast<std::size_t>(first)];
        const int at = plan.SlotOfHour(u);
        if (at < 0 || DayOf(at) != day) continue;
        if (ordinalOf_[static_cast<std::size_t>(first)] ==
                ordinalOf_[static_cast<std::size_t>(h.Index)] &&
            blockOf_[static_cast<std::size_t>(first)] ==
                blockOf_[static_cast<std::size_t>(h.Index)])
            continue; // h's own unit
        const int end = HourOf(at) + CPlan::UnitLength(u) - 1;
        if (unit >> (end + 1) != 0) return refuse(RegelArt::Tagesende);
    }
    return {};
}

template <typename Found>
void PlanRules::ScanBlock(const CPlan& plan, const CStunde& h, int b, int day, int start,
                          int length, Found found) const {
    const Block& block = blocks_[static_cast<std::size_t>(b)];
    const int ordinal = ordinalOf_[static_cast<std::size_t>(h.Index)];
    if (block.Regeln.MinTageAbstand > 0) {
        for (std::size_t j = 0; j < block.Units.size(); ++j) {
            if (static_cast<int>(j) == ordinal) continue;
            const CStunde& u = *plan.StundenL[static_cast<std::size_t>(block.Units[j])];
            const int at = plan.SlotOfHour(u);
            if (at >= 0 && std::abs(DayOf(at) - day) < block.Regeln.MinTageAbstand)
                if (found(RegelArt::MinTageAbstand, u)) return;
        }
    }
    const int end = start + length - 1; // the unit's last hour, as an hour of the day
    for (const Relation& rel : block.Relations) {
        const Block& other = blocks_[static_cast<std::size_t>(rel.Other)];
        if (rel.Art == BeziehungsArt::NieGleichzeitig) {
            for (std::int32_t first : other.Units) {
                const CStunde& u = *plan.StundenL[static_cast<std::size_t>(first)];
                const int at = plan.SlotOfHour(u);
                if (at < 0 || DayOf(at) != day) continue;
                const int from = HourOf(at);
                if (from <= end && start <= from + CPlan::UnitLength(u) - 1)
                    if (found(RegelArt::NieGleichzeitig, u)) return;
            }
            continue;
        }
        if (ordinal < 0 || ordinal >= static_cast<int>(other.Units.size())) continue;
        const CStunde& u = *plan.StundenL[static_cast<std::size_t>(other.Units[ordinal])];
        const int at = plan.SlotOfHour(u);
        if (at < 0) continue;
        const int from = HourOf(at);
        bool refused = false;
        RegelArt art = RegelArt::GleicherTag;
        switch (rel.Art) {
        case BeziehungsArt::GleicherTag:
            refused = DayOf(at) != day;
            break;
        case BeziehungsArt::Gleichzeitig:
            art = RegelArt::Gleichzeitig;
            refused = DayOf(at) != day || from != start;
            break;
        case BeziehungsArt::Direktfolge: {
            const bool next =
                rel.Order > 0 ? from == end + 1 : from + CPlan::UnitLength(u) == start;
            art = RegelArt::Direktfolge;
            refused = DayOf(at) != day || !next;
            break;
        }
        case BeziehungsArt::NieGleichzeitig:
            break;
        }
        if (refused && found(art, u)) return;
    }
}

Refusal PlanRules::BlockRefusal(const CPlan& plan, const CStunde& h, int b, int day, int start,
                                int length) const {
    Refusal refusal;
    ScanBlock(plan, h, b, day, start, length, [&](RegelArt art, const CStunde& other) {
        refusal = Refusal::ByRule(art, Refusal::Names::Nothing, -1, &other);
        return true;
    });
    return refusal;
}

int PlanRules::BlockObstacles(const CPlan& plan, const CStunde& h, int slot,
                              std::array<const CStunde*, kMaxBlockObstacles>& out) const {
    if (!IsSlot(slot) || h.Index < 0) return 0;
    const int b = blockOf_[static_cast<std::size_t>(h.Index)];
    if (b < 0) return 0;
    const CStunde& first = plan.FirstOfUnit(h);
    const int start = HourOf(slot) - std::max(0, static_cast<int>(h.BlockPos));
    int n = 0;
    ScanBlock(plan, h, b, DayOf(slot), start, CPlan::UnitLength(first),
              [&](RegelArt, const CStunde& other) {
                  out[static_cast<std::size_t>(n++)] = &other;
                  return n == kMaxBlockObstacles;
              });
    return n;
}

Refusal PlanRules::DayRefusal(const CPlan& plan, const CStunde& h, int slot) const {
    if (!IsSlot(slot) || h.Index < 0) return {};
    const CStunde& first = plan.FirstOfUnit(h);
    const int length = CPlan::UnitLength(first);
    const int day = DayOf(slot);
    const int start = HourOf(slot) - std::max(0, static_cast<int>(h.BlockPos));
    const std::uint16_t unit = Bits(start, length);
    // Where the hours of h's own unit stand now: they move with it and never count against it.
    std::array<std::uint16_t, kMaxDays> own{};
    for (int p = 0; p < length; ++p) {
        const int at = plan.SlotOfHour(plan.UnitHour(first, p));
        if (at >= 0)
            own[static_cast<std::size_t>(DayOf(at))] |=
                static_cast<std::uint16_t>(1u << HourOf(at));
    }
    if (lehrerSet_[static_cast<std::size_t>(h.Lehrer)])
        if (Refusal r = TeacherRefusal(plan, h.Lehrer, day, unit, own)) return r;
    if (!h.IsCourse()) {
        if (klassenSet_[static_cast<std::size_t>(h.Klasse)] ||
            !endsDay_[static_cast<std::size_t>(h.Klasse)].empty())
            if (Refusal r = ClassRefusal(plan, h, h.Klasse, day, unit, own)) return r;
    } else {
        for (int k : *h.KlassenL)
            if (klassenSet_[static_cast<std::size_t>(k)] ||
                !endsDay_[static_cast<std::size_t>(k)].empty())
                if (Refusal r = ClassRefusal(plan, h, k, day, unit, own)) return r;
    }
    const int b = blockOf_[static_cast<std::size_t>(h.Index)];
    if (b < 0) return {};
    const Block& block = blocks_[static_cast<std::size_t>(b)];
    if (block.Regeln.Tagesende) {
        // Nothing of the unit's classes after it that day.
        const auto after = [&](int k) {
            for (int hr = start + length; hr < kHoursPerDay; ++hr) {
                const int s = SlotOf(day, hr);
                int n = plan.ClassLessons(k, s);
                if ((own[static_cast<std::size_t>(day)] >> hr) & 1)
                    n -= h.IsCourse() ? plan.CourseLessons(h.FachKurs, s) : 1;
                if (n > 0) return true;
            }
            return false;
        };
        if (!h.IsCourse()) {
            if (after(h.Klasse))
                return Refusal::ByRule(RegelArt::Tagesende, Refusal::Names::Class, h.Klasse);
        } else {
            for (int k : *h.KlassenL)
                if (after(k)) return Refusal::ByRule(RegelArt::Tagesende, Refusal::Names::Class, k);
        }
    }
    if (block.Regeln.MinTageAbstand == 0 && block.Relations.empty()) return {};
    return BlockRefusal(plan, h, b, day, start, length);
}

// ---------------------------------------------------------------------------------------------
// The rules adding hours can mend, and the list of every breach

namespace {

// The breaches of one day with the busy bits `d` (the day's minimum and its gaps).
int OneDayBreaches(const CTagesRegeln& r, std::uint16_t d, int gaps) {
    if (d == 0) return 0;
    int n = 0;
    // A short day is as far from the rule as the fewer of the hours it lacks and the hours it
    // has: filling it and emptying it both make progress with every hour moved.
    if (Set(r.MinStundenProTag) && HoursIn(d) < r.MinStundenProTag)
        n += std::min(r.MinStundenProTag - HoursIn(d), HoursIn(d));
    if (Set(r.MaxLueckenProTag) && gaps > r.MaxLueckenProTag) n += gaps - r.MaxLueckenProTag;
    return n;
}

// The breaches of the rules of the days that adding hours can mend, given the busy bits of
// every day.
int SoftBreaches(const CTagesRegeln& r, const std::array<std::uint16_t, kMaxDays>& days,
                 const std::array<std::uint16_t, kMaxDays>& pauses, int tage) {
    int n = 0;
    int weekGaps = 0;
    for (int e = 0; e < tage; ++e) {
        const std::uint16_t d = days[static_cast<std::size_t>(e)];
        if (d == 0) continue;
        const int gaps = GapsOf(d, pauses[static_cast<std::size_t>(e)]);
        weekGaps += gaps;
        n += OneDayBreaches(r, d, gaps);
    }
    if (Set(r.MaxLueckenProWoche) && weekGaps > r.MaxLueckenProWoche)
        n += weekGaps - r.MaxLueckenProWoche;
    return n;
}

} // namespace

namespace {

// The busy hours of a day as bits: the plan's own (`unchanged`), or with `change` the counts
// plus the change slot by slot.
template <typename Count>
std::uint16_t DayBits(int day, const PlanRules::SlotChange* change, std::uint16_t unchanged,
                      Count count) {
    if (!change) return unchanged;
    std::uint16_t bits = 0;
    for (int h = 0; h < kHoursPerDay; ++h) {
        const int s = SlotOf(day, h);
        const int n = count(s) + (*change)[static_cast<std::size_t>(s)];
        if (n > 0) bits |= static_cast<std::uint16_t>(1u << h);
    }
    return bits;
}

} // namespace

namespace {

using Week = std::array<std::uint16_t, kMaxDays>;

// The breaches of a teacher's or class's rules that adding hours can mend, given the busy bits
// and the hours that are no gap of every day.
int Breaches(const CTagesRegeln& r, int minDays, const Week& days, const Week& pauses, int tage) {
    int n = SoftBreaches(r, days, pauses, tage);
    if (Set(minDays)) n += std::max(0, minDays - Days(days, 0xFFFF));
    return n;
}

} // namespace

// The hours that are no gap matter only on days with lessons: the others are left 0.
template <typename Bits>
int PlanRules::EntityBreaches(const CPlan& plan, const CTagesRegeln& r, int minDays,
                              const LockGrid& locks, Bits bits) const {
    Week days{}, pauses{};
    for (int e = 0; e < plan.Tage; ++e) {
        const std::uint16_t d = bits(e);
        days[static_cast<std::size_t>(e)] = d;
        if (d != 0) pauses[static_cast<std::size_t>(e)] = NoGap(locks, e);
    }
    return Breaches(r, minDays, days, pauses, plan.Tage);
}

int PlanRules::TeacherViolations(const CPlan& plan, int t, const SlotChange* change) const {
    if (!lehrerSet_[static_cast<std::size_t>(t)]) return 0;
    const CLehrerRegeln& r = lehrer_[static_cast<std::size_t>(t)];
    return EntityBreaches(plan, r, r.MinTage, plan.LehrerAt(t).Sperre, [&](int e) {
        return DayBits(e, change, plan.TeacherDayBits(t, e),
                       [&](int s) { return plan.TeacherLessons(t, s); });
    });
}

std::uint16_t PlanRules::NoGap(const LockGrid& locks, int day) const {
    // An hour the teacher or class is locked is no gap, as in the figures of the gaps.
    return static_cast<std::uint16_t>(pauseDays_[static_cast<std::size_t>(day)] |
                                      NonZeroHours(locks, day));
}

void PlanRules::PrepareAdded(const CPlan& plan, const CStunde* const* hours, int width,
                             std::vector<Added>& out) const {
    out.clear();
    const auto add = [&](const CTagesRegeln& r, int minDays, const LockGrid& locks, auto bits) {
        Added& a = out.emplace_back();
        a.Regeln = &r;
        a.MinDays = minDays;
        for (int e = 0; e < plan.Tage; ++e) {
            const auto i = static_cast<std::size_t>(e);
            a.Days[i] = bits(e);
            a.NoGaps[i] = NoGap(locks, e);
            a.Gaps[i] = static_cast<std::int8_t>(GapsOf(a.Days[i], a.NoGaps[i]));
            a.WeekGaps += a.Gaps[i];
            a.Busy += a.Days[i] != 0 ? 1 : 0;
        }
        a.Breaches = Breaches(r, minDays, a.Days, a.NoGaps, plan.Tage);
    };
    for (int q = 0; q < width; ++q) {
        const int t = hours[q]->Lehrer;
        if (!lehrerSet_[static_cast<std::size_t>(t)]) continue;
        const CLehrerRegeln& r = lehrer_[static_cast<std::size_t>(t)];
        add(r, r.MinTage, plan.LehrerAt(t).Sperre,
            [&](int e) { return plan.TeacherDayBits(t, e); });
    }
    const CStunde& h = *hours[0];
    const auto forClass = [&](int k) {
        if (klassenSet_[static_cast<std::size_t>(k)])
            add(klassen_[static_cast<std::size_t>(k)], kKeineRegel, plan.KlasseAt(k).Sperre,
                [&](int e) { return plan.ClassDayBits(k, e); });
    };
    if (!h.IsCourse())
        forClass(h.Klasse);
    else
        for (int k : *h.KlassenL)
            forClass(k);
}

int PlanRules::AddedBreaches(const std::vector<Added>& prepared, int start, int length) {
    if (!IsSlot(start)) return 0;
    const int day = DayOf(start);
    const auto i = static_cast<std::size_t>(day);
    const auto unit = Bits(HourOf(start), std::min(length, kHoursPerDay - HourOf(start)));
    const auto over = [](int have, int most) { return Set(most) ? std::max(0, have - most) : 0; };
    const auto under = [](int have, int least) {
        return Set(least) ? std::max(0, least - have) : 0;
    };
    int n = 0;
    for (const Added& a : prepared) {
        const CTagesRegeln& r = *a.Regeln;
        const std::uint16_t before = a.Days[i];
        const auto after = static_cast<std::uint16_t>(before | unit);
        const int gaps = GapsOf(after, a.NoGaps[i]);
        n += OneDayBreaches(r, after, gaps) - OneDayBreaches(r, before, a.Gaps[i]);
        const int weekGaps = a.WeekGaps - a.Gaps[i] + gaps;
        n += over(weekGaps, r.MaxLueckenProWoche) - over(a.WeekGaps, r.MaxLueckenProWoche);
        if (before == 0 && after != 0) n += under(a.Busy + 1, a.MinDays) - under(a.Busy, a.MinDays);
    }
    return n;
}

int PlanRules::TotalBreaches(const CPlan& plan) const {
    int n = 0;
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        n += TeacherViolations(plan, t);
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        n += ClassViolations(plan, k);
    return n;
}

void PlanRules::Measure(const CPlan& plan, std::vector<int>& out) const {
    const auto teachers = static_cast<std::size_t>(plan.LehrerAnzahl);
    out.resize(teachers + static_cast<std::size_t>(plan.KlassenAnzahl));
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        out[static_cast<std::size_t>(t)] = TeacherViolations(plan, t);
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        out[teachers + static_cast<std::size_t>(k)] = ClassViolations(plan, k);
}

bool PlanRules::NoneGrew(const CPlan& plan, const std::vector<int>& before) const {
    const auto teachers = static_cast<std::size_t>(plan.LehrerAnzahl);
    if (before.size() != teachers + static_cast<std::size_t>(plan.KlassenAnzahl)) return true;
    for (int t = 0; t < plan.LehrerAnzahl; ++t)
        if (TeacherViolations(plan, t) > before[static_cast<std::size_t>(t)]) return false;
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        if (ClassViolations(plan, k) > before[teachers + static_cast<std::size_t>(k)]) return false;
    return true;
}

int PlanRules::ClassViolations(const CPlan& plan, int k, const SlotChange* change) const {
    if (!klassenSet_[static_cast<std::size_t>(k)]) return 0;
    return EntityBreaches(plan, klassen_[static_cast<std::size_t>(k)], kKeineRegel,
                          plan.KlasseAt(k).Sperre, [&](int e) {
                              return DayBits(e, change, plan.ClassDayBits(k, e),
                                             [&](int s) { return plan.ClassLessons(k, s); });
                          });
}

} // namespace sw

namespace sw {

namespace {

std::string N(int n) {
    return std::to_string(n);
}

// The breaches of the rules of the days of one teacher or class, appended to `out`.
void DayBreaches(const CTagesRegeln& r, const std::string& wer,
                 const std::array<std::uint16_t, kMaxDays>& days,
                 const std::array<std::uint16_t, kMaxDays>& pauses, int tage,
                 std::vector<RegelVerstoss>& out) {
    const std::vector<std::string> texts = RegelTexte(r);
    std::size_t next = 0;
    const auto text = [&](bool set) { return set ? texts[next++] : std::string(); };
    const std::string maxDay = text(Set(r.MaxStundenProTag));
    const std::string minDay = text(Set(r.MinStundenProTag));
    const std::string maxGaps = text(Set(r.MaxLueckenProTag));
    const std::string maxWeekGaps = text(Set(r.MaxLueckenProWoche));
    const std::string maxRow = text(Set(r.MaxInFolge));
    int weekGaps = 0;
    for (int e = 0; e < tage; ++e) {
        const std::uint16_t d = days[static_cast<std::size_t>(e)];
        if (d == 0) continue;
        const int hours = HoursIn(d);
        const int gaps = GapsOf(d, pauses[static_cast<std::size_t>(e)]);
        weekGaps += gaps;
        if (Set(r.MaxStundenProTag) && hours > r.MaxStundenProTag)
            out.push_back({RegelArt::MaxStundenProTag, wer, e, maxDay + ": " + N(hours)});
        if (Set(r.MinStundenProTag) && hours < r.MinStundenProTag)
            out.push_back({RegelArt::MinStundenProTag, wer, e, minDay + ": " + N(hours)});
        if (Set(r.MaxLueckenProTag) && gaps > r.MaxLueckenProTag)
            out.push_back({RegelArt::MaxLueckenProTag, wer, e, maxGaps + ": " + N(gaps)});
        if (Set(r.MaxInFolge) && LongestRun(d) > r.MaxInFolge)
            out.push_back({RegelArt::MaxInFolge, wer, e, maxRow + ": " + N(LongestRun(d))});
    }
    if (Set(r.MaxLueckenProWoche) && weekGaps > r.MaxLueckenProWoche)
        out.push_back({RegelArt::MaxLueckenProWoche, wer, -1, maxWeekGaps + ": " + N(weekGaps)});
}

} // namespace

std::vector<RegelVerstoss> PlanRules::Verstoesse(const CPlan& plan) const {
    std::vector<RegelVerstoss> out;
    std::array<std::uint16_t, kMaxDays> pauses{}; // the hours that are no gap, per entity
    for (int t = 0; t < plan.LehrerAnzahl; ++t) {
        if (!lehrerSet_[static_cast<std::size_t>(t)]) continue;
        const CLehrerRegeln& r = lehrer_[static_cast<std::size_t>(t)];
        const std::string wer = "Lehrer " + plan.LehrerAt(t).Name;
        std::array<std::uint16_t, kMaxDays> days{};
        for (int e = 0; e < plan.Tage; ++e) {
            days[static_cast<std::size_t>(e)] = TeacherDay(plan, t, e);
            pauses[static_cast<std::size_t>(e)] = NoGap(plan.LehrerAt(t).Sperre, e);
        }
        DayBreaches(r, wer, days, pauses, plan.Tage, out);
        const int busyDays = Days(days, 0xFFFF);
        if (Set(r.MaxTage) && busyDays > r.MaxTage)
            out.push_back({RegelArt::MaxTage, wer, -1,
                           "höchstens " + Anzahl(r.MaxTage, "Tag", "Tage") +
                               " in der Woche: " + N(busyDays)});
        if (Set(r.MinTage) && busyDays < r.MinTage)
            out.push_back({RegelArt::MinTage, wer, -1,
                           "mindestens " + Anzahl(r.MinTage, "Tag", "Tage") +
                               " in der Woche: " + N(busyDays)});
        if (Set(r.FensterMaxTage)) {
            const int n = Days(days, Bits(r.FensterVon, r.FensterBis - r.FensterVon + 1));
            if (n > r.FensterMaxTage)
                out.push_back({RegelArt::Zeitfenster, wer, -1, RegelTexte(r).back() + ": " + N(n)});
        }
    }
    for (int k = 0; k < plan.KlassenAnzahl; ++k) {
        if (!klassenSet_[static_cast<std::size_t>(k)]) continue;
        std::array<std::uint16_t, kMaxDays> days{};
        for (int e = 0; e < plan.Tage; ++e) {
            days[static_cast<std::size_t>(e)] = ClassDay(plan, k, e);
            pauses[static_cast<std::size_t>(e)] = NoGap(plan.KlasseAt(k).Sperre, e);
        }
        DayBreaches(klassen_[static_cast<std::size_t>(k)], "Klasse " + plan.KlasseAt(k).Name, days,
                    pauses, plan.Tage, out);
    }
    for (const auto& hour : plan.StundenL) {
        const int at = plan.SlotOfHour(*hour);
        if (at >= 0 && pause_[static_cast<std::size_t>(at)])
            out.push_back({RegelArt::Pause, "Schule", DayOf(at),
                           "Pause " + SlotKurz(plan.Stamm().Angaben, at) + ": Unterricht von " +
                               plan.LehrerAt(hour->Lehrer).Name});
    }
    const AllgemeineAngaben& a = plan.Stamm().Angaben;
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        const Block& block = blocks_[b];
        std::vector<int> starts; // per unit: its first slot, or -1
        for (std::int32_t first : block.Units)
            starts.push_back(plan.SlotOfHour(*plan.StundenL[static_cast<std::size_t>(first)]));
        const auto breach = [&](RegelArt art, int day, std::string text) {
            out.push_back({art, block.Name, day, std::move(text)});
        };
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const int s = starts[i];
            if (s < 0) continue;
            if (!block.Regeln.ErlaubteZeiten.empty() && !block.Starts[static_cast<std::size_t>(s)])
                breach(RegelArt::ErlaubteZeiten, DayOf(s),
                       "Einheit " + N(static_cast<int>(i) + 1) + " beginnt " + SlotKurz(a, s) +
                           ", erlaubt ist das nicht");
            for (std::size_t j = i + 1; j < starts.size(); ++j)
                if (block.Regeln.MinTageAbstand > 0 && starts[j] >= 0 &&
                    std::abs(DayOf(starts[j]) - DayOf(s)) < block.Regeln.MinTageAbstand)
                    breach(RegelArt::MinTageAbstand, DayOf(s),
                           "Einheiten " + N(static_cast<int>(i) + 1) + " und " +
                               N(static_cast<int>(j) + 1) + " liegen " +
                               Anzahl(std::abs(DayOf(starts[j]) - DayOf(s)), "Tag", "Tage") +
                               " auseinander; verlangt sind " + N(block.Regeln.MinTageAbstand));
            const CStunde& u = *plan.StundenL[static_cast<std::size_t>(block.Units[i])];
            if (block.Regeln.Tagesende) {
                const int end = HourOf(s) + CPlan::UnitLength(u) - 1;
                const auto later = [&](int k) {
                    return (ClassDay(plan, k, DayOf(s)) >> (end + 1)) != 0;
                };
                bool broken = u.IsCourse()
                                  ? std::any_of(u.KlassenL->begin(), u.KlassenL->end(), later)
                                  : later(u.Klasse);
                if (broken)
                    breach(RegelArt::Tagesende, DayOf(s),
                           "nach Einheit " + N(static_cast<int>(i) + 1) + " (" + SlotKurz(a, s) +
                               ") hat die Klasse noch Unterricht");
            }
        }
        for (const Relation& rel : block.Relations) {
            if (rel.Other < static_cast<int>(b) && rel.Art != BeziehungsArt::Direktfolge) continue;
            if (rel.Art == BeziehungsArt::Direktfolge && rel.Order < 0) continue;
            const Block& other = blocks_[static_cast<std::size_t>(rel.Other)];
            const auto slotOf = [&](std::int32_t first) {
                return plan.SlotOfHour(*plan.StundenL[static_cast<std::size_t>(first)]);
            };
            const auto lengthOf = [&](std::int32_t first) {
                return CPlan::UnitLength(*plan.StundenL[static_cast<std::size_t>(first)]);
            };
            const std::string with = " mit " + other.Name;
            for (std::size_t i = 0; i < block.Units.size(); ++i) {
                const int s = starts[i];
                if (s < 0) continue;
                if (rel.Art == BeziehungsArt::NieGleichzeitig) {
                    for (std::int32_t o : other.Units) {
                        const int t = slotOf(o);
                        if (t < 0 || DayOf(t) != DayOf(s)) continue;
                        if (t < s + lengthOf(block.Units[i]) && s < t + lengthOf(o))
                            breach(RegelArt::NieGleichzeitig, DayOf(s),
                                   "gleichzeitig" + with + " um " + SlotKurz(a, std::max(s, t)));
                    }
                    continue;
                }
                if (i >= other.Units.size()) continue;
                const int t = slotOf(other.Units[i]);
                if (t < 0) continue;
                const std::string unit = "Einheit " + N(static_cast<int>(i) + 1) + with + ": " +
                                         SlotKurz(a, s) + " und " + SlotKurz(a, t);
                if (rel.Art == BeziehungsArt::GleicherTag && DayOf(t) != DayOf(s))
                    breach(RegelArt::GleicherTag, DayOf(s), unit);
                if (rel.Art == BeziehungsArt::Gleichzeitig && t != s)
                    breach(RegelArt::Gleichzeitig, DayOf(s), unit);
                if (rel.Art == BeziehungsArt::Direktfolge && t != s + lengthOf(block.Units[i]))
                    breach(RegelArt::Direktfolge, DayOf(s), unit);
            }
        }
    }
    return out;
}

std::string VerstossText(const AllgemeineAngaben& a, const RegelVerstoss& v) {
    std::string line = v.Wer;
    if (v.Tag >= 0) line += ", " + TagName(a, v.Tag);
    return line + ": " + v.Text;
}

std::vector<std::string> RegelVerstoesse(const CPlan& plan) {
    std::vector<std::string> out;
    if (!plan.Regeln()) return out;
    for (const RegelVerstoss& v : plan.Regeln()->Verstoesse(plan))
        out.push_back(VerstossText(plan.Stamm().Angaben, v));
    return out;
}

} // namespace sw
