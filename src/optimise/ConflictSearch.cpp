// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/ConflictSearch.h"
#include "plan/PlanRules.h"

#include "optimise/GoalTests.h"
#include "plan/Evaluation.h"

#include <algorithm>
#include <bit>

namespace sw {

namespace {

std::size_t LockIndex(int entity, int day) {
    return static_cast<std::size_t>(entity) * kMaxDays + static_cast<std::size_t>(day);
}

} // namespace

ConflictSearch::ConflictSearch(CPlan& plan, Random& random, const SearchWeights& weights)
    : weights_(weights), plan_(plan), random_(random) {
    BuildUnits();
}

void ConflictSearch::BuildUnits() {
    const auto& hours = plan_.StundenL;
    unitOfHour_.assign(hours.size(), -1);
    for (const auto& hp : hours) {
        CStunde& h = *hp;
        if (unitOfHour_[h.Index] >= 0) continue;
        CStunde& first = plan_.FirstOfUnit(h);
        Unit unit;
        unit.Length = CPlan::UnitLength(first);
        // A course unit: the hours of every teacher, position by position.
        const CStunde& lead = first.ParallelL ? *(*first.ParallelL)[0] : first;
        for (int p = 0; p < unit.Length; ++p) {
            CStunde& at = *hours[lead.Index + p];
            if (at.ParallelL) {
                for (CStunde* q : *at.ParallelL)
                    unit.Hours.push_back(q);
            } else {
                unit.Hours.push_back(&at);
            }
        }
        unit.Width = static_cast<int>(unit.Hours.size()) / unit.Length;
        unit.TimeFixed = lead.TimeFixed();
        unit.FixedStart = unit.TimeFixed ? lead.Zeit : kNoSlot;
        unit.OtherRooms = std::all_of(unit.Hours.begin(), unit.Hours.end(),
                                      [](const CStunde* h) { return h->RoomCount() > 1; });
        const int id = static_cast<int>(units_.size());
        for (CStunde* q : unit.Hours)
            unitOfHour_[q->Index] = id;
        units_.push_back(std::move(unit));
    }
    // The locked hours of every teacher, then every class, day by day: the lock grids do not
    // change while the search runs.
    lockedHours_.assign(
        static_cast<std::size_t>(plan_.LehrerAnzahl + plan_.KlassenAnzahl) * kMaxDays, 0);
    for (int e = 0; e < plan_.LehrerAnzahl + plan_.KlassenAnzahl; ++e) {
        const LockGrid& locks = e < plan_.LehrerAnzahl
                                    ? plan_.LehrerAt(e).Sperre
                                    : plan_.KlasseAt(e - plan_.LehrerAnzahl).Sperre;
        for (int day = 0; day < plan_.Tage; ++day)
            lockedHours_[LockIndex(e, day)] = NonZeroHours(locks, day);
    }
    position_.assign(units_.size(), -1);
    pushed_.assign(units_.size(), 0.0);
    seen_.assign(units_.size(), 0);
    lastStart_.assign(units_.size(), kNoSlot);
}

bool ConflictSearch::IsPlaced(int u) const {
    for (const CStunde* h : units_[u].Hours)
        if (plan_.PositionOf(*h) < 0) return false;
    return true;
}

void ConflictSearch::MarkUnplaced(int u) {
    if (position_[u] >= 0) return;
    position_[u] = static_cast<int>(unplaced_.size());
    unplaced_.push_back(u);
}

// The units' bookkeeping follows the grid again, after a snapshot was restored.
void ConflictSearch::Resync() {
    for (int u = 0; u < static_cast<int>(units_.size()); ++u)
        if (IsPlaced(u))
            MarkPlaced(u);
        else
            MarkUnplaced(u);
}

void ConflictSearch::MarkPlaced(int u) {
    const int at = position_[u];
    if (at < 0) return;
    const int last = unplaced_.back();
    unplaced_[at] = last;
    position_[last] = at;
    unplaced_.pop_back();
    position_[u] = -1;
}

// Most constrained first, roughly: of a few unplaced units drawn at random, the one with the
// most hours at once and the fewest rooms.
int ConflictSearch::PickUnit() {
    int best = -1;
    double bestScore = -1;
    const int n = static_cast<int>(unplaced_.size());
    for (int i = 0; i < std::min(n, 3); ++i) {
        const int u = unplaced_[random_.Below(n)];
        const Unit& unit = units_[u];
        const double rooms = std::max(1, unit.Hours.front()->RoomCount());
        const double score = unit.TimeFixed ? 1e9 : unit.Length * unit.Width * 10.0 / rooms;
        if (score > bestScore) best = u, bestScore = score;
    }
    return best;
}

void ConflictSearch::AddObstacle(int u, int self, double& cost, bool& fixed, bool room) {
    if (u < 0 || u == self || seen_[u] == stamp_) return;
    seen_[u] = stamp_;
    if (units_[u].TimeFixed && !(room && units_[u].OtherRooms)) fixed = true;
    obstacles_.push_back(u);
    cost += 1.0 + pushed_[u];
}

bool ConflictSearch::RuleObstacles(int u, int start, int length, const Refusal& r, double& cost,
                                   bool& fixed) {
    const int day = DayOf(start);
    const bool teacher = r.Lehrer() >= 0;
    const int who = teacher ? r.Lehrer() : r.Klasse();
    if (who < 0) return false;
    const auto lessonAt = [&](int s) {
        return teacher ? plan_.LessonOfTeacher(who, s) : plan_.LessonOfClass(who, s);
    };
    const auto dayBits = [&](int e) {
        return teacher ? PlanRules::TeacherDay(plan_, who, e) : PlanRules::ClassDay(plan_, who, e);
    };
    const auto art = static_cast<RegelArt>(r.Regel);
    if (art == RegelArt::MaxStundenProTag) {
        // Lessons of that day make way until the unit fits.
        const int most = teacher ? plan_.LehrerAt(who).Regeln.MaxStundenProTag
                                 : plan_.KlasseAt(who).Regeln.MaxStundenProTag;
        int over = HoursIn(dayBits(day)) + length - most;
        for (int hour = 0; hour < kHoursPerDay && over > 0; ++hour) {
            const int o = Owner(lessonAt(SlotOf(day, hour)));
            if (o < 0 || o == u || seen_[o] == stamp_) continue;
            AddObstacle(o, u, cost, fixed);
            over -= units_[o].Length;
        }
        return over <= 0;
    }
    if (art == RegelArt::MaxInFolge) {
        // The lessons right before and right after the unit make way: its run is then its own.
        const int first = HourOf(start);
        const int before = Owner(first > 0 ? lessonAt(start - 1) : nullptr);
        const int after = Owner(first + length <= kMaxHour ? lessonAt(start + length) : nullptr);
        AddObstacle(before, u, cost, fixed);
        AddObstacle(after, u, cost, fixed);
        return before >= 0 || after >= 0;
    }
    if (art == RegelArt::Tagesende) {
        // The class's lessons after the unit make way, or, when there are none, those before it
        // (a unit there ends the day).
        const int end = HourOf(start) + length - 1;
        bool any = false;
        for (int hour = end + 1; hour < kHoursPerDay; ++hour) {
            const int o = Owner(lessonAt(SlotOf(day, hour)));
            if (o >= 0 && o != u) AddObstacle(o, u, cost, fixed), any = true;
        }
        for (int hour = 0; hour < HourOf(start) && !any; ++hour) {
            const int o = Owner(lessonAt(SlotOf(day, hour)));
            if (o >= 0 && o != u) AddObstacle(o, u, cost, fixed);
        }
        return true;
    }
    if (teacher && (art == RegelArt::MaxTage || art == RegelArt::Zeitfenster)) {
        // The teacher's lessons of one other day (within the window) make way: the day with the
        // fewest of them.
        const CLehrerRegeln& rr = plan_.LehrerAt(who).Regeln;
        const std::uint16_t within =
            art == RegelArt::MaxTage
                ? std::uint16_t{0xFFFF}
                : static_cast<std::uint16_t>(((1u << (rr.FensterBis - rr.FensterVon + 1)) - 1u)
                                             << rr.FensterVon);
        int bestDay = -1, fewest = kHoursPerDay + 1;
        for (int e = 0; e < plan_.Tage; ++e) {
            const int n = HoursIn(static_cast<std::uint16_t>(dayBits(e) & within));
            if (e != day && n > 0 && n < fewest) bestDay = e, fewest = n;
        }
        if (bestDay < 0) return false;
        for (int hour = 0; hour < kHoursPerDay; ++hour)
            if ((within >> hour) & 1)
                AddObstacle(Owner(lessonAt(SlotOf(bestDay, hour))), u, cost, fixed);
        return true;
    }
    return false;
}

// Weighs putting unit u at `start`: false when a rule that no moving can change forbids it or a
// lesson with a fixed time stands in the way (in a room: one that cannot take another room), or
// when what stands in the way already costs more than `limit`; otherwise the rooms and the cost.
bool ConflictSearch::Evaluate(int u, int start, Value& value, double limit) {
    const Unit& unit = units_[u];
    if (!IsSlot(start) || HourOf(start) + unit.Length - 1 > kMaxHour) return false;
    ++stamp_;
    obstacles_.clear();
    double cost = 0;
    bool fixed = false;
    for (int p = 0; p < unit.Length; ++p) {
        const int slot = start + p;
        if (!plan_.InWeek(slot) || DayOf(slot) != DayOf(start)) return false;
        for (int q = 0; q < unit.Width; ++q) {
            const CStunde& h = *unit.Hours[p * unit.Width + q];
            if (!SlotRulesAllow(plan_, h, slot)) return false;
            AddObstacle(Owner(plan_.LessonOfTeacher(h.Lehrer, slot)), u, cost, fixed);
            if (h.IsCourse()) {
                for (int k : *h.KlassenL)
                    AddObstacle(Owner(plan_.LessonOfClass(k, slot)), u, cost, fixed);
            } else {
                AddObstacle(Owner(plan_.LessonOfClass(h.Klasse, slot)), u, cost, fixed);
            }
            if (fixed) return false;
        }
        if (cost > limit) return false;
    }
    // The school's rules over the days: a unit of the same block too close, or a related unit
    // where the relation forbids this start, is in the way as a lesson at the slot is; so are the
    // lessons whose leaving would make room on a full day or free a day (RuleObstacles). Lifting
    // lessons never makes such a rule refuse.
    if (const PlanRules* rules = plan_.Regeln()) {
        for (const CStunde* h : unit.Hours) {
            if (!h->Regeln) continue;
            const int slot = start + std::max(0, static_cast<int>(h->BlockPos));
            const Refusal r = rules->DayRefusal(plan_, *h, slot);
            if (!r) continue;
            if (r.Stunde) {
                // Every unit a block rule puts in the way, not only the first one named.
                const int n = rules->BlockObstacles(plan_, *h, slot, blockObstacles_);
                AddObstacle(Owner(r.Stunde), u, cost, fixed);
                for (int i = 0; i < n; ++i)
                    AddObstacle(Owner(blockObstacles_[static_cast<std::size_t>(i)]), u, cost,
                                fixed);
            } else if (!RuleObstacles(u, start, unit.Length, r, cost, fixed)) {
                return false;
            }
            if (fixed) return false;
        }
        if (cost > limit) return false;
    }
    // A room for each parallel hour, the same at every position: the one with the least in its
    // way, the first in the hour's room order among equals.
    value.Rooms.clear();
    for (int q = 0; q < unit.Width; ++q) {
        const CStunde& h = *unit.Hours[q];
        int chosen = -1;
        double chosenCost = 0;
        for (int r : *h.RaumL) {
            if (std::find(value.Rooms.begin(), value.Rooms.end(), r) != value.Rooms.end()) continue;
            double extra = 0;
            bool usable = true;
            for (int p = 0; p < unit.Length && usable; ++p) {
                const int slot = start + p;
                if (plan_.RaumAt(r).Sperre[slot] != 0) {
                    usable = false;
                    break;
                }
                const int occupant = Owner(plan_.HourAt(r, slot));
                if (occupant < 0 || occupant == u || seen_[occupant] == stamp_) continue;
                // A lesson with a fixed time makes way only for a room it can leave for another.
                if (units_[occupant].TimeFixed && !units_[occupant].OtherRooms) usable = false;
                extra += 1.0 + pushed_[occupant];
            }
            if (!usable) continue;
            if (chosen < 0 || extra < chosenCost) {
                chosen = r;
                chosenCost = extra;
                if (extra == 0) break;
            }
        }
        if (chosen < 0) return false;
        value.Rooms.push_back(chosen);
        for (int p = 0; p < unit.Length; ++p)
            AddObstacle(Owner(plan_.HourAt(chosen, start + p)), u, cost, fixed, true);
        if (fixed) return false;
    }
    if (cost > limit) return false;
    value.Start = start;
    value.Cost = cost + Soft(u, start);
    return true;
}

// What putting u at `start` would do to the figures the stages improve: further units of the
// same subject on that day of a class that keeps them apart, and the change in class and
// teacher gaps. Used to choose among starts that displace alike.
double ConflictSearch::Soft(int u, int start) const {
    const Unit& unit = units_[u];
    const CStunde& h = *unit.Hours.front();
    const int day = DayOf(start);
    double soft = 0;
    if (h.Trennung && weights_.Separation > 0)
        soft += weights_.Separation * sameOnDay_[static_cast<std::size_t>(day)];
    // The gap hours a day gains by the unit's hours (a locked hour is no gap).
    const auto unitBits = static_cast<std::uint16_t>(((1u << unit.Length) - 1u) << HourOf(start));
    const auto addedGaps = [&](std::uint16_t busy, int entity) {
        const std::uint16_t locked = lockedHours_[LockIndex(entity, day)];
        return GapsOf(static_cast<std::uint16_t>(busy | unitBits), locked) - GapsOf(busy, locked);
    };
    const auto classGaps = [&](int k) {
        return addedGaps(plan_.ClassDayBits(k, day), plan_.LehrerAnzahl + k);
    };
    if (weights_.ClassGaps != 0) {
        if (h.IsCourse()) {
            for (int k : *h.KlassenL)
                soft += weights_.ClassGaps * classGaps(k);
        } else {
            soft += weights_.ClassGaps * classGaps(h.Klasse);
        }
    }
    // The school's rules that adding hours can mend: each new breach weighs as much as three
    // lessons in the way.
    if (const PlanRules* rules = plan_.Regeln(); rules && rules->HasSoftRules())
        soft += 3.0 * PlanRules::AddedBreaches(added_, start, unit.Length);
    // A teacher with the most days a week set keeps to the days he has: a new day weighs the
    // more, the fewer are left.
    if (plan_.Regeln())
        for (int q = 0; q < unit.Width; ++q) {
            const int t = unit.Hours[q]->Lehrer;
            const int most = plan_.LehrerAt(t).Regeln.MaxTage;
            if (most == kKeineRegel || PlanRules::TeacherDay(plan_, t, day) != 0) continue;
            int days = 0;
            for (int e = 0; e < plan_.Tage; ++e)
                days += PlanRules::TeacherDay(plan_, t, e) != 0 ? 1 : 0;
            soft += 4.0 * (days + 1) / most;
        }
    if (weights_.TeacherGaps != 0)
        for (int q = 0; q < unit.Width; ++q) {
            const int t = unit.Hours[q]->Lehrer;
            soft += weights_.TeacherGaps * addedGaps(plan_.TeacherDayBits(t, day), t);
        }
    return soft;
}

void ConflictSearch::PrepareSoft(int u) {
    if (const PlanRules* rules = plan_.Regeln(); rules && rules->HasSoftRules())
        rules->PrepareAdded(plan_, units_[u].Hours.data(), units_[u].Width, added_);
    // The further units of the same subject each day, for a unit of a class that keeps them
    // apart.
    const CStunde& h = *units_[u].Hours.front();
    if (!h.Trennung || weights_.Separation <= 0) return;
    const int k = h.IsCourse() ? (*h.KlassenL)[0] : h.Klasse;
    for (int day = 0; day < plan_.Tage; ++day) {
        int same = 0;
        for (int hour = 0; hour <= plan_.Stunden; ++hour) {
            const CStunde* y = plan_.LessonOfClass(k, SlotOf(day, hour));
            if (!y || !y->Trennung || !y->IsFirstOfUnit() || Owner(y) == u) continue;
            if (y->IsCourse() == h.IsCourse() && y->FachKurs == h.FachKurs) ++same;
        }
        sameOnDay_[static_cast<std::size_t>(day)] = same;
    }
}

double ConflictSearch::SoftFloor(int u) const {
    const Unit& unit = units_[u];
    const CStunde& h = *unit.Hours.front();
    const int classes = h.IsCourse() ? static_cast<int>(h.KlassenL->size()) : 1;
    // A unit fills at most one gap hour per hour of it, of each class and teacher.
    double floor = -std::abs(weights_.ClassGaps) * unit.Length * classes -
                   std::abs(weights_.TeacherGaps) * unit.Length * unit.Width;
    // And mends at most every breach its teachers and classes have.
    if (const PlanRules* rules = plan_.Regeln(); rules && rules->HasSoftRules())
        for (const PlanRules::Added& a : added_)
            floor -= 3.0 * a.Breaches;
    return floor;
}

int ConflictSearch::Owner(const CStunde* h) const {
    return h && h->IsLesson() ? unitOfHour_[h->Index] : -1;
}

// The cheapest start of unit u; among equals one at random. The start u was last taken out of
// counts only when nothing else is possible, so that two units do not push each other back and
// forth.
bool ConflictSearch::BestValue(int u, Value& best) {
    const Unit& unit = units_[u];
    Pick& open = open_;
    Pick& tabu = tabu_;
    open.ties = tabu.ties = 0;
    PrepareSoft(u);
    // A start whose lessons in the way alone cost more than the best so far less the most Soft
    // can take off is never chosen: it is not weighed to the end.
    const double floor = SoftFloor(u);
    const auto consider = [&](int start) {
        Pick& pick = start == lastStart_[u] ? tabu : open;
        const double limit = pick.ties > 0 ? pick.value.Cost - floor + 1e-6 : kNoLimit;
        if (!Evaluate(u, start, candidate_, limit)) return;
        if (pick.ties == 0 || candidate_.Cost < pick.value.Cost) {
            pick.ties = 1;
        } else if (candidate_.Cost > pick.value.Cost || random_.Below(++pick.ties) != 0) {
            return;
        }
        pick.value = candidate_;
        pick.obstacles = obstacles_;
    };
    if (unit.TimeFixed) {
        consider(unit.FixedStart);
    } else {
        const int last = plan_.Stunden - unit.Length + 1;
        for (int d = 0; d < plan_.Tage; ++d)
            for (int hour = 1; hour <= last; ++hour)
                consider(SlotOf(d, hour));
    }
    const Pick* chosen = open.ties > 0 ? &open : tabu.ties > 0 ? &tabu : nullptr;
    if (!chosen) return false;
    best = chosen->value;
    bestObstacles_ = chosen->obstacles;
    return true;
}

void ConflictSearch::Lift(int u) {
    if (tracking_) Touch(u);
    if (journal_ && moved_[static_cast<std::size_t>(u)] != touchStamp_) {
        moved_[static_cast<std::size_t>(u)] = touchStamp_;
        movedUnits_.push_back(u);
        for (CStunde* h : units_[u].Hours)
            movedCells_.emplace_back(h, plan_.PositionOf(*h));
    }
    for (CStunde* h : units_[u].Hours) {
        const int room = plan_.RoomOf(*h);
        if (room >= 0) plan_.Lift(room, plan_.SlotOfHour(*h));
    }
    MarkUnplaced(u);
}

void ConflictSearch::Touch(int u) {
    const auto mark = [&](int e) {
        if (touched_[static_cast<std::size_t>(e)] == touchStamp_) return;
        touched_[static_cast<std::size_t>(e)] = touchStamp_;
        touchedList_.push_back(e);
    };
    for (const CStunde* h : units_[u].Hours) {
        mark(h->Lehrer);
        if (h->IsCourse()) {
            for (int k : *h->KlassenL)
                mark(plan_.LehrerAnzahl + k);
        } else if (h->Klasse >= 0) {
            mark(plan_.LehrerAnzahl + h->Klasse);
        }
    }
}

// Lifts what stands in the way and puts u; every hour is asked of the placement check before it
// is put. False (u stays unplaced) should the check refuse after all.
bool ConflictSearch::Put(int u, const Value& value) {
    for (int o : bestObstacles_) {
        const int start = plan_.SlotOfHour(*units_[o].Hours.front());
        Lift(o);
        lastStart_[o] = start;
        pushed_[o] += 1.0;
    }
    const Unit& unit = units_[u];
    for (int p = 0; p < unit.Length; ++p)
        for (int q = 0; q < unit.Width; ++q) {
            CStunde& h = *unit.Hours[p * unit.Width + q];
            const int slot = value.Start + p;
            const int room = value.Rooms[q];
            if (PlacementRefusal(plan_, h, slot, room)) {
                Lift(u);
                return false;
            }
            plan_.Place(h, room, slot);
        }
    MarkPlaced(u);
    return true;
}

SearchResult ConflictSearch::Run(RunControl& run, long long maxSteps, bool fillFirstHours,
                                 int stepsPerPass, const std::function<void(int)>& progress) {
    SearchResult result;
    unplaced_.clear();
    std::fill(position_.begin(), position_.end(), -1);
    for (int u = 0; u < static_cast<int>(units_.size()); ++u)
        if (!IsPlaced(u)) Lift(u); // a unit stands whole or not at all
    Value best;
    long long steps = 0;
    long long stuck = 0;
    // The search gives up when the fewest unplaced hours it reached have not fallen for this many
    // steps: on a school that cannot be planned it would otherwise displace hours for ever.
    const long long patience = std::max(20000LL, 20LL * static_cast<long long>(units_.size()));
    int fewest = UnplacedHours();
    long long lastProgress = 0;
    // The partial plan with the fewest hours left: when the search has drifted away from it for
    // a tenth of its patience, it goes on from there (the displacement counts stay).
    TakeSnapshot(plan_, bestPartial_);
    long long lastReturn = 0;
    while (steps < maxSteps) {
        if (steps > 0 && steps % stepsPerPass == 0) {
            if (progress) progress(UnplacedHours());
            run.PassDone();
            if (!run.KeepRunning()) {
                result.Halted = true;
                break;
            }
        }
        ++steps;
        if (unplaced_.empty()) {
            bool progressed = false;
            if (!fillFirstHours || !FillFirstHour(progressed) || !progressed) break;
            continue;
        }
        const int u = PickUnit();
        if (BestValue(u, best) && Put(u, best)) {
            stuck = 0;
        } else if (++stuck > patience) {
            break; // nothing could take the units left for a long while
        }
        if (const int left = UnplacedHours(); left < fewest) {
            fewest = left;
            lastProgress = steps;
            TakeSnapshot(plan_, bestPartial_);
        } else if (steps - lastProgress > patience) {
            break;
        } else if (left > fewest && steps - std::max(lastProgress, lastReturn) > patience / 10) {
            RestoreSnapshot(plan_, bestPartial_);
            Resync();
            lastReturn = steps;
        }
    }
    // The search leaves the partial plan with the fewest hours left.
    if (UnplacedHours() > fewest) {
        RestoreSnapshot(plan_, bestPartial_);
        Resync();
    }
    result.Steps = steps;
    result.Unplaced = UnplacedHours();
    if (fillFirstHours) result.EmptyFirstHours = EmptyFirstHours();
    return result;
}

int ConflictSearch::UnplacedHours() const {
    return static_cast<int>(plan_.StundenL.size()) - plan_.PlacedCount();
}

int ConflictSearch::EmptyFirstHours() const {
    int empty = 0;
    for (int k = 0; k < plan_.KlassenAnzahl; ++k)
        for (int d = 0; d < plan_.Tage; ++d) {
            const int slot = SlotOf(d, 1);
            if (plan_.InWeek(slot) && plan_.KlasseAt(k).Sperre[slot] == 0 &&
                plan_.ClassLessons(k, slot) == 0)
                ++empty;
        }
    return empty;
}

// A class's empty first hour: the unit of that class that fits there with the least in its way
// moves to it. True when there was an empty first hour; `progress` when a unit moved.
bool ConflictSearch::FillFirstHour(bool& progress) {
    for (int k = 0; k < plan_.KlassenAnzahl; ++k)
        for (int d = 0; d < plan_.Tage; ++d) {
            const int slot = SlotOf(d, 1);
            if (!plan_.InWeek(slot) || plan_.KlasseAt(k).Sperre[slot] != 0 ||
                plan_.ClassLessons(k, slot) != 0)
                continue;
            Value best;
            int bestUnit = -1;
            std::vector<int> obstacles;
            for (int u = 0; u < static_cast<int>(units_.size()); ++u) {
                const Unit& unit = units_[u];
                if (unit.TimeFixed || !unit.Hours.front()->Involves(k)) continue;
                PrepareSoft(u);
                if (!Evaluate(u, slot, candidate_)) continue;
                if (bestUnit < 0 || candidate_.Cost < best.Cost) {
                    best = candidate_;
                    bestUnit = u;
                    obstacles = obstacles_;
                }
            }
            if (bestUnit < 0) continue;
            Lift(bestUnit);
            bestObstacles_ = obstacles;
            progress = Put(bestUnit, best);
            return true;
        }
    return false;
}

// A unit that adds to the figure the move aims at: a second unit of a subject on a day of a class
// that keeps them apart, or a lesson of a class or teacher on a day with gaps.
int ConflictSearch::PickFocusUnit(Focus focus) {
    bool teachers = focus == Focus::TeacherGaps;
    int entity = -1, seen = 0;
    if (focus == Focus::Rules) {
        // A random teacher or class that breaks a rule of the days (as measured before the
        // move: teachers, then classes).
        for (int e = 0; e < static_cast<int>(ruleBreaches_.size()); ++e)
            if (ruleBreaches_[static_cast<std::size_t>(e)] > 0 && random_.Below(++seen) == 0)
                entity = e;
        if (entity < 0) return -1;
        teachers = entity < plan_.LehrerAnzahl;
        if (!teachers) entity -= plan_.LehrerAnzahl;
    } else {
        const int entities = teachers ? plan_.LehrerAnzahl : plan_.KlassenAnzahl;
        // A random entity with something to improve.
        for (int e = 0; e < entities; ++e) {
            const bool has = focus == Focus::Separation ? plan_.KlassenStatusL[e].TF > 0
                             : teachers                 ? plan_.LehrerStatusL[e].LLS > 0
                                                        : plan_.KlassenStatusL[e].KLS > 0;
            if (has && random_.Below(++seen) == 0) entity = e;
        }
        if (entity < 0) return -1;
    }
    // A movable unit of it, drawn from the lessons of a random day; when aiming at the rules, one
    // time in four from a day of its own that breaks one (a short day, a day with gaps).
    int day = random_.Below(plan_.Tage);
    if (focus == Focus::Rules && random_.Below(4) == 0) day = TroubleDay(teachers, entity, day);
    int unit = -1;
    seen = 0;
    for (int hour = 0; hour <= plan_.Stunden; ++hour) {
        const int slot = SlotOf(day, hour);
        const CStunde* y =
            teachers ? plan_.LessonOfTeacher(entity, slot) : plan_.LessonOfClass(entity, slot);
        const int u = Owner(y);
        if (u < 0 || units_[u].TimeFixed) continue;
        if (focus == Focus::Separation && !y->Trennung) continue;
        if (random_.Below(++seen) == 0) unit = u;
    }
    return unit;
}

int ConflictSearch::TroubleDay(bool teacher, int entity, int otherwise) {
    const PlanRules& rules = *plan_.Regeln();
    const CTagesRegeln& r = teacher
                                ? static_cast<const CTagesRegeln&>(plan_.LehrerAt(entity).Regeln)
                                : plan_.KlasseAt(entity).Regeln;
    const bool gapRules = r.MaxLueckenProTag != kKeineRegel || r.MaxLueckenProWoche != kKeineRegel;
    int day = otherwise, seen = 0;
    for (int e = 0; e < plan_.Tage; ++e) {
        const std::uint16_t d = teacher ? PlanRules::TeacherDay(plan_, entity, e)
                                        : PlanRules::ClassDay(plan_, entity, e);
        if (d == 0) continue;
        const bool shortDay = r.MinStundenProTag != kKeineRegel && HoursIn(d) < r.MinStundenProTag;
        const LockGrid& locks =
            teacher ? plan_.LehrerAt(entity).Sperre : plan_.KlasseAt(entity).Sperre;
        if ((shortDay || (gapRules && GapsOf(d, rules.NoGap(locks, e)) > 0)) &&
            random_.Below(++seen) == 0)
            day = e;
    }
    return day;
}

int ConflictSearch::MendRules(RunControl& run, long long tries, long long stuckPerUnit) {
    const PlanRules* rules = plan_.Regeln();
    if (!rules || !rules->HasSoftRules()) return 0;
    int left = rules->TotalBreaches(plan_);
    int fewest = left;
    PlanSnapshot best;
    TakeSnapshot(plan_, best);
    // Given up when the fewest breaches have not fallen for a long while.
    const auto units = static_cast<long long>(units_.size());
    const long long patience = stuckPerUnit > 0 ? std::max(2000LL, stuckPerUnit * units)
                                                : std::max(100000LL, 100LL * units);
    long long lastFall = 0;
    // A move that is taken back leaves the plan as it was: the breaches measured before it hold
    // for the next move too.
    measureKept_ = true;
    measured_ = false;
    for (long long i = 0; i < tries && left > 0 && i - lastFall < patience && run.KeepRunning();
         ++i) {
        mendSlack_ = random_.Below(20) == 0 ? 1 : 0;
        if (Relocate(Focus::Rules, AcceptanceKind::GoalTable, 30)) {
            measured_ = false;
            left = breachesAfter_;
            if (left < fewest) {
                fewest = left;
                lastFall = i;
                TakeSnapshot(plan_, best);
            }
        }
        if (i % 50 == 49) run.PassDone();
    }
    mendSlack_ = 0;
    measureKept_ = measured_ = false;
    if (left > fewest) {
        RestoreSnapshot(plan_, best);
        Resync();
        EvaluateAll(plan_);
        left = fewest;
    }
    return left;
}

bool ConflictSearch::Relocate(Focus focus, AcceptanceKind rule, int maxSteps) {
    const PlanRules* rules = plan_.Regeln();
    const bool guardRules = rules && rules->HasSoftRules();
    // The breaches per teacher and class before the move, measured once: whose units a move
    // aimed at the rules may lift, and what no move may make grow.
    if (!guardRules) {
        ruleBreaches_.clear();
    } else if (!measureKept_ || !measured_) {
        rules->Measure(plan_, ruleBreaches_);
        measured_ = true;
    }
    const int x = PickFocusUnit(focus);
    if (x < 0 || !IsPlaced(x)) return false;
    // A move aimed at the rules on a complete plan changes nothing but the places of the units it
    // lifts: taking it back puts them where they stood. Any other move is taken back from a
    // snapshot of the whole plan.
    journal_ = focus == Focus::Rules && unplaced_.empty();
    if (!journal_) TakeSnapshot(plan_, snapshot_);
    int breachesBefore = 0;
    if (focus == Focus::Rules)
        for (int n : ruleBreaches_)
            breachesBefore += n;
    const int before[7] = {plan_.Totals().KLSSumme, plan_.Totals().KProd,    plan_.Totals().TFSumme,
                           plan_.Totals().STFSumme, plan_.Totals().LLSSumme, plan_.Totals().LProd,
                           plan_.Totals().LLSMax};
    const int unplacedBefore = static_cast<int>(unplaced_.size());
    // A move aimed at the rules changes the breaches of the teachers and classes of the units it
    // lifts, and of no one else: only theirs are counted again afterwards.
    tracking_ = focus == Focus::Rules;
    if (tracking_) {
        touched_.resize(static_cast<std::size_t>(plan_.LehrerAnzahl) +
                        static_cast<std::size_t>(plan_.KlassenAnzahl));
        moved_.resize(units_.size());
        if (++touchStamp_ == 0) {
            std::fill(touched_.begin(), touched_.end(), 0U);
            std::fill(moved_.begin(), moved_.end(), 0U);
            touchStamp_ = 1;
        }
        touchedList_.clear();
        movedUnits_.clear();
        movedCells_.clear();
    }
    // x leaves its start, which it may not take again in this move.
    const int from = plan_.SlotOfHour(*units_[x].Hours.front());
    Lift(x);
    lastStart_[x] = from;
    pending_.assign(1, x);
    Value best;
    int steps = 0;
    bool complete = true;
    while (!pending_.empty()) {
        const int u = pending_.back();
        pending_.pop_back();
        if (IsPlaced(u)) continue;
        if (++steps > maxSteps || !BestValue(u, best)) {
            complete = false;
            break;
        }
        for (int o : bestObstacles_)
            pending_.push_back(o);
        if (!Put(u, best)) {
            complete = false;
            break;
        }
    }
    tracking_ = false;
    const bool journal = journal_;
    journal_ = false;
    const auto undo = [&] {
        if (journal) {
            for (int u : movedUnits_)
                for (const CStunde* h : units_[u].Hours)
                    if (const int cell = plan_.PositionOf(*h); cell >= 0)
                        plan_.Lift(cell / kSlotCount, cell % kSlotCount);
            for (const auto& [h, cell] : movedCells_)
                plan_.Place(*h, cell / kSlotCount, cell % kSlotCount);
            for (int u : movedUnits_)
                MarkPlaced(u);
            return false;
        }
        RestoreSnapshot(plan_, snapshot_);
        Resync();
        return false;
    };
    if (!complete || static_cast<int>(unplaced_.size()) > unplacedBefore) return undo();
    if (focus == Focus::Rules) {
        // Fewer breaches, or as many now and then: a plateau is crossed, never climbed. (The
        // breaches are the grid's; the figures follow only for a move that stays.)
        int after = breachesBefore;
        for (int e : touchedList_)
            after += rules->BreachesOf(plan_, e) - ruleBreaches_[static_cast<std::size_t>(e)];
        if (after > breachesBefore + mendSlack_ ||
            (after == breachesBefore && random_.Below(4) != 0))
            return undo();
        EvaluateAll(plan_);
        breachesAfter_ = after;
        return true;
    }
    EvaluateAll(plan_);
    MoveJudgement j;
    j.before = {before[0], before[1], before[2], before[3], before[4], before[5]};
    j.after = {plan_.Totals().KLSSumme, plan_.Totals().KProd,    plan_.Totals().TFSumme,
               plan_.Totals().STFSumme, plan_.Totals().LLSSumme, plan_.Totals().LProd};
    j.newMax = plan_.Totals().LLSMax;
    j.candidate = plan_.Totals().LLSSumme;
    j.rulesBroken = guardRules && !rules->NoneGrew(plan_, ruleBreaches_);
    const int freshKls = plan_.Totals().KLSSumme, freshKProd = plan_.Totals().KProd;
    // The goals judge against the figures before the move, and ApplyAccepted carries the totals
    // the moves keep forward from them; the class figures, which it leaves alone, are the fresh
    // ones.
    PlanTotals t = plan_.Totals();
    t.KLSSumme = before[0], t.KProd = before[1], t.TFSumme = before[2];
    t.STFSumme = before[3], t.LLSSumme = before[4], t.LProd = before[5];
    t.LLSMax = before[6];
    plan_.SetTotals(t);
    if (!GoalsAccept(plan_, random_, MoveKind::Exchange, j)) return undo();
    ApplyAccepted(plan_, rule, j);
    t = plan_.Totals();
    t.KLSSumme = freshKls;
    t.KProd = freshKProd;
    plan_.SetTotals(t);
    return true;
}

} // namespace sw
