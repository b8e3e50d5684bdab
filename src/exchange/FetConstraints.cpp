// SPDX-License-Identifier: GPL-3.0-or-later
// FetConstraints.cpp: what becomes of FET's constraints. Locks go to the teacher, class or room
// at once; fixed times, rooms, separations and same starting times wait until every constraint
// is read, since they work on the blocks: first the merges (activities at the same starting
// time become one course), then the rest on the merged blocks. Every kind of constraint the
// file holds is named in the report, carried, approximated or dropped with its reason.
#include "exchange/FetImport.h"

#include "model/Presets.h"
#include "model/Text.h"

#include <algorithm>
#include <numeric>

namespace sw::fet {

namespace {

constexpr const char* kWunsch = "ein Wunsch (Gewicht unter 100 %), keine feste Regel";
constexpr const char* kUnbekannt = "Stundenwerk kennt diese Regel noch nicht";
constexpr const char* kKeinKurs = "nicht als Kursblock darstellbar";
constexpr const char* kAbgeschaltet = "abgeschaltet";
constexpr const char* kInaktiv = "nennt eine abgeschaltete Aktivität";

class UnionFind {
public:
    explicit UnionFind(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
    int Root(int x) {
        while (parent_[static_cast<std::size_t>(x)] != x) {
            int& p = parent_[static_cast<std::size_t>(x)];
            p = parent_[static_cast<std::size_t>(p)];
            x = p;
        }
        return x;
    }
    void Unite(int a, int b) {
        a = Root(a);
        b = Root(b);
        if (a == b) return;
        if (b < a) std::swap(a, b);
        parent_[static_cast<std::size_t>(b)] = a; // the smaller index stays the root
    }

private:
    std::vector<int> parent_;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Looking names up

int Reader::TeacherOf(const std::string& name, const std::string& who) const {
    const int t = teachers_.Find(name);
    if (t < 0) Unknown(who, "den Lehrer", name, "den");
    return t;
}

int Reader::RoomOf(const std::string& name, const std::string& who) const {
    const int r = rooms_.Find(name);
    if (r < 0) Unknown(who, "den Raum", name, "den");
    return r;
}

int Reader::SubjectOf(const std::string& name, const std::string& who) const {
    const int s = subjects_.Find(name);
    if (s < 0) Unknown(who, "das Fach", name, "das");
    return s;
}

int Reader::ActivityOf(const pugi::xml_node& idNode, const std::string& who) const {
    const std::string text = Trimmed(idNode.child_value());
    const int id = IntOf(text, "der " + who.substr(4), "Activity_Id");
    const auto it = byId_.find(id);
    if (it == byId_.end())
        Fail(who + " nennt die Aktivität " + std::to_string(id) + ", die die Datei nicht kennt.");
    return it->second;
}

// The active activities a constraint names, each once.
std::vector<int> Reader::ActivitiesOf(const pugi::xml_node& c, const std::string& who) const {
    std::vector<int> out;
    for (const pugi::xml_node& id : c.children("Activity_Id")) {
        const int a = ActivityOf(id, who);
        if (activities_[static_cast<std::size_t>(a)].active &&
            std::find(out.begin(), out.end(), a) == out.end())
            out.push_back(a);
    }
    return out;
}

int Reader::TimeOf(const std::string& day, const std::string& hour, const std::string& who,
                   bool& lost) const {
    const auto d = dayIndex_.find(day);
    if (d == dayIndex_.end()) Unknown(who, "den Tag", day, "den");
    const auto h = hourIndex_.find(hour);
    if (h == hourIndex_.end()) Unknown(who, "die Stunde", hour, "die");
    const int ourDay = ourDay_[static_cast<std::size_t>(d->second)];
    const int ourHour = ourHour_[static_cast<std::size_t>(h->second)];
    lost = ourDay < 0 || ourHour < 0;
    return lost ? kNoSlot : sw::SlotOf(ourDay, ourHour);
}

// The times a not-available constraint names, locked in every grid of `grids`. A time in a
// dropped break has no slot any more and needs no lock.
void Reader::Locks(const pugi::xml_node& c, const std::string& who,
                   const std::vector<LockGrid*>& grids) const {
    std::vector<std::pair<std::string, std::string>> times;
    for (const pugi::xml_node& t : c.children("Not_Available_Time"))
        times.emplace_back(ChildText(t, "Day"), ChildText(t, "Hour"));
    // Older files list the days and hours directly, in pairs.
    for (const pugi::xml_node& t : c.children("Day"))
        times.emplace_back(Trimmed(t.child_value()), Trimmed(t.next_sibling("Hour").child_value()));
    for (const auto& [day, hour] : times) {
        bool lost = false;
        const int slot = TimeOf(day, hour, who, lost);
        if (lost) continue;
        for (LockGrid* g : grids)
            (*g)[static_cast<std::size_t>(slot)] = 1;
    }
}

// ---------------------------------------------------------------------------------------------
// Reading the constraints

void Reader::ReadConstraints() {
    for (const char* list : {"Time_Constraints_List", "Space_Constraints_List"})
        for (const pugi::xml_node& c : root_.child(list).children())
            if (c.type() == pugi::node_element) Constraint(c);
    MergeSameStart();
    ApplyTimes();
    ApplyRooms();
    ApplyMinDays(); // after the times and rooms: it asks whether the units are alike
    CollectBlockRules();
}

void Reader::Constraint(const pugi::xml_node& c) {
    const std::string type = c.name();
    if (!IsActive(c)) {
        report_.Add(ImportFate::Weggelassen, type, kAbgeschaltet);
        return;
    }
    const std::string who = "Die Regel " + type;
    const bool hard = WeightOf(c, "der Regel " + type) >= 100;
    const auto carried = [&](const char* how = "") {
        report_.Add(ImportFate::Uebernommen, type, how);
    };
    const auto wish = [&] { report_.Add(ImportFate::Weggelassen, type, kWunsch); };
    if (LimitConstraint(c, type, hard) || BlockConstraint(c, type, hard)) return;

    if (type == "ConstraintBasicCompulsoryTime" || type == "ConstraintBasicCompulsorySpace") {
        carried();
    } else if (type == "ConstraintTeacherNotAvailableTimes") {
        const int t = TeacherOf(ChildText(c, "Teacher"), who);
        if (!hard) return wish();
        Locks(c, who, {&teacherLocks_[static_cast<std::size_t>(t)]});
        carried();
    } else if (type == "ConstraintStudentsSetNotAvailableTimes") {
        const std::string name = ChildText(c, "Students");
        const auto it = students_.atomsOf.find(name);
        if (it == students_.atomsOf.end()) Unknown(who, "die Schülergruppe", name, "die");
        if (!hard) return wish();
        // Every class with an atom of the set: each of its lessons holds that atom.
        std::vector<LockGrid*> grids;
        std::vector<int> seen;
        for (int atom : it->second) {
            const int k = classFormation_.classOfAtom[static_cast<std::size_t>(atom)];
            if (k < 0 || std::find(seen.begin(), seen.end(), k) != seen.end()) continue;
            seen.push_back(k);
            grids.push_back(&classLocks_[static_cast<std::size_t>(k)]);
        }
        Locks(c, who, grids);
        carried();
    } else if (type == "ConstraintRoomNotAvailableTimes") {
        const int r = RoomOf(ChildText(c, "Room"), who);
        if (!hard) return wish();
        Locks(c, who, {&roomLocks_[static_cast<std::size_t>(r)]});
        carried();
    } else if (type == "ConstraintBreakTimes") {
        if (!hard) return wish();
        // Whole hours and days went with the week; the rest become the school's breaks.
        if (breakSlots_.empty())
            report_.Add(ImportFate::Angenaehert, type, "als gestrichene Stunden und Tage");
        else
            breakSources_.push_back(Source(type));
    } else if (type == "ConstraintActivityPreferredStartingTime") {
        Pending p;
        const int a = ActivityOf(c.child("Activity_Id"), who);
        const std::string day = ChildText(c, "Preferred_Day");
        const std::string hour = ChildText(c, "Preferred_Hour");
        p.timeHalf = day.empty() || hour.empty();
        if (!p.timeHalf) p.slot = TimeOf(day, hour, who, p.timeLost);
        if (!activities_[static_cast<std::size_t>(a)].active)
            return report_.Add(ImportFate::Weggelassen, type, kInaktiv);
        if (!hard) return wish();
        p.activities = {a};
        times_.push_back(std::move(p));
    } else if (type == "ConstraintMinDaysBetweenActivities") {
        Pending p;
        p.activities = ActivitiesOf(c, who);
        p.number = IntOf(ChildText(c, "MinDays"), "der " + who.substr(4), "MinDays");
        p.hard = hard;
        minDays_.push_back(std::move(p));
    } else if (type == "ConstraintActivitiesSameStartingTime") {
        Pending p;
        p.activities = ActivitiesOf(c, who);
        if (!hard) return wish();
        sameStart_.push_back(std::move(p));
    } else if (type == "ConstraintSubjectPreferredRoom" ||
               type == "ConstraintSubjectPreferredRooms") {
        const int s = SubjectOf(ChildText(c, "Subject"), who);
        std::vector<int> rooms;
        if (type == "ConstraintSubjectPreferredRoom")
            rooms.push_back(RoomOf(ChildText(c, "Room"), who));
        for (const pugi::xml_node& r : c.children("Preferred_Room"))
            rooms.push_back(RoomOf(Trimmed(r.child_value()), who));
        if (!hard) return wish();
        for (int r : rooms)
            roomSubjects_[static_cast<std::size_t>(r)].push_back(s);
        carried("als Fachraum des Fachs");
    } else if (type == "ConstraintActivityPreferredRoom" ||
               type == "ConstraintActivityPreferredRooms") {
        Pending p;
        const int a = ActivityOf(c.child("Activity_Id"), who);
        if (type == "ConstraintActivityPreferredRoom")
            p.rooms.push_back(RoomOf(ChildText(c, "Room"), who));
        for (const pugi::xml_node& r : c.children("Preferred_Room"))
            p.rooms.push_back(RoomOf(Trimmed(r.child_value()), who));
        if (!activities_[static_cast<std::size_t>(a)].active)
            return report_.Add(ImportFate::Weggelassen, type, kInaktiv);
        if (!hard) return wish();
        p.activities = {a};
        (type == "ConstraintActivityPreferredRoom" ? activityRoom_ : activityRooms_)
            .push_back(std::move(p));
    } else {
        report_.Add(ImportFate::Weggelassen, type, kUnbekannt);
    }
}

// ---------------------------------------------------------------------------------------------
// Activities at the same starting time: one course block, when the blocks they belong to can be
// held as one (the same number of units, each unit of one block tied to exactly one unit of
// every other block, with the same length).

void Reader::MergeSameStart() {
    if (sameStart_.empty()) return;
    const std::string type = "ConstraintActivitiesSameStartingTime";
    UnionFind tied(activities_.size());
    for (const Pending& p : sameStart_)
        for (std::size_t i = 1; i < p.activities.size(); ++i)
            tied.Unite(p.activities.front(), p.activities[i]);
    std::vector<std::vector<int>> members(activities_.size());
    for (const Pending& p : sameStart_)
        for (int a : p.activities) {
            std::vector<int>& m = members[static_cast<std::size_t>(tied.Root(a))];
            if (std::find(m.begin(), m.end(), a) == m.end()) m.push_back(a);
        }

    UnionFind together(blocks_.size());
    for (const std::vector<int>& m : members)
        for (std::size_t i = 1; i < m.size(); ++i)
            together.Unite(activities_[static_cast<std::size_t>(m.front())].block,
                           activities_[static_cast<std::size_t>(m[i])].block);
    std::vector<std::vector<int>> groups(blocks_.size());
    for (const std::vector<int>& m : members)
        for (int a : m) {
            const int b = activities_[static_cast<std::size_t>(a)].block;
            auto& g = groups[static_cast<std::size_t>(together.Root(b))];
            if (std::find(g.begin(), g.end(), b) == g.end()) g.push_back(b);
        }

    std::vector<char> merged(blocks_.size(), 0);
    for (std::vector<int>& g : groups) {
        if (g.size() < 2) continue;
        std::sort(g.begin(), g.end());
        const std::size_t unitCount = blocks_[static_cast<std::size_t>(g.front())].units.size();
        bool ok = true;
        for (int b : g) {
            const Block& block = blocks_[static_cast<std::size_t>(b)];
            ok = ok && block.units.size() == unitCount;
            for (std::size_t u = 0; ok && u < block.activities.size(); ++u) {
                const int a = block.activities[u];
                const std::vector<int>& m = members[static_cast<std::size_t>(tied.Root(a))];
                ok = m.size() == g.size();
                if (!ok) break;
                for (int x : m) {
                    const Activity& other = activities_[static_cast<std::size_t>(x)];
                    ok = ok && other.duration == activities_[static_cast<std::size_t>(a)].duration;
                }
                // One member from every block of the group.
                std::vector<int> blocksOfMembers;
                blocksOfMembers.reserve(m.size());
                for (int x : m)
                    blocksOfMembers.push_back(activities_[static_cast<std::size_t>(x)].block);
                std::sort(blocksOfMembers.begin(), blocksOfMembers.end());
                ok = ok && blocksOfMembers == g;
            }
        }
        if (!ok) continue;
        Block& first = blocks_[static_cast<std::size_t>(g.front())];
        for (std::size_t u = 0; u < unitCount; ++u) {
            const int a = first.activities[u];
            for (int x : members[static_cast<std::size_t>(tied.Root(a))]) {
                Activity& other = activities_[static_cast<std::size_t>(x)];
                other.block = g.front();
                other.unit = static_cast<int>(u);
            }
        }
        for (std::size_t i = 1; i < g.size(); ++i) {
            Block& b = blocks_[static_cast<std::size_t>(g[i])];
            for (std::size_t t = 0; t < b.teachers.size(); ++t)
                if (std::find(first.teachers.begin(), first.teachers.end(), b.teachers[t]) ==
                    first.teachers.end()) {
                    first.teachers.push_back(b.teachers[t]);
                    first.subjects.push_back(b.subjects[t]);
                }
            first.classes.insert(first.classes.end(), b.classes.begin(), b.classes.end());
            first.trennung = first.trennung || b.trennung;
            for (const Unit& unit : b.units)
                absorbedHours_ += unit.length;
            b.dead = true;
        }
        std::sort(first.classes.begin(), first.classes.end());
        first.classes.erase(std::unique(first.classes.begin(), first.classes.end()),
                            first.classes.end());
        first.merged = true;
        for (int b : g)
            merged[static_cast<std::size_t>(b)] = 1;
    }
    for (const Pending& p : sameStart_) {
        const bool ok = p.activities.size() < 2 ||
                        merged[static_cast<std::size_t>(
                            activities_[static_cast<std::size_t>(p.activities.front())].block)];
        if (ok) {
            report_.Add(ImportFate::Uebernommen, type, "als Kursblock");
            continue;
        }
        // Lessons that cannot be one course begin at the same time by a relation, when their
        // units pair: as many, and equally long.
        std::vector<int> blocks;
        for (int a : p.activities) {
            const int b = activities_[static_cast<std::size_t>(a)].block;
            if (std::find(blocks.begin(), blocks.end(), b) == blocks.end()) blocks.push_back(b);
        }
        const std::vector<Unit>& first = blocks_[static_cast<std::size_t>(blocks.front())].units;
        bool pair = blocks.size() > 1;
        for (int b : blocks) {
            const std::vector<Unit>& units = blocks_[static_cast<std::size_t>(b)].units;
            pair = pair && units.size() == first.size();
            for (std::size_t u = 0; pair && u < units.size(); ++u)
                pair = units[u].length == first[u].length;
        }
        if (!pair) {
            report_.Add(ImportFate::Weggelassen, type, kKeinKurs);
            continue;
        }
        Pending relation = p;
        relation.art = BeziehungsArt::Gleichzeitig;
        relation.source = Source(type);
        relations_.push_back(std::move(relation));
    }
    // The hours of a course count once per time slot, in the source as in the result.
    report_.SourceHours -= absorbedHours_;
}

// ---------------------------------------------------------------------------------------------
// Separation, fixed times, rooms

// The units a constraint names, as unit numbers of the block of its first activity, ascending
// and distinct; empty when the activities lie in several blocks.
std::vector<int> Reader::UnitsOf(const Pending& p) const {
    const int b = activities_[static_cast<std::size_t>(p.activities.front())].block;
    std::vector<int> units;
    for (int a : p.activities) {
        const Activity& act = activities_[static_cast<std::size_t>(a)];
        if (act.block != b) return {};
        units.push_back(act.unit);
    }
    std::sort(units.begin(), units.end());
    units.erase(std::unique(units.begin(), units.end()), units.end());
    return units;
}

void Reader::ApplyMinDays() {
    const std::string type = "ConstraintMinDaysBetweenActivities";
    // Per block: the days apart that a hard constraint over all its units asks.
    std::vector<int> allApart(blocks_.size(), 0);
    for (const Pending& p : minDays_) {
        if (!p.hard || p.number < 1 || p.activities.size() < 2) continue;
        const std::vector<int> units = UnitsOf(p);
        const auto b = static_cast<std::size_t>(
            activities_[static_cast<std::size_t>(p.activities.front())].block);
        if (!units.empty() && units.size() == blocks_[b].units.size())
            allApart[b] = std::max(allApart[b], p.number);
    }
    for (const Pending& p : minDays_) {
        if (p.number < 1) {
            report_.Add(ImportFate::Weggelassen, type, "verlangt keinen Abstand");
            continue;
        }
        if (p.activities.size() < 2) {
            report_.Add(ImportFate::Weggelassen, type, "nennt weniger als zwei aktive Aktivitäten");
            continue;
        }
        const std::vector<int> units = UnitsOf(p);
        if (units.empty()) {
            report_.Add(ImportFate::Weggelassen, type, "über mehrere Unterrichte");
            continue;
        }
        const int b = activities_[static_cast<std::size_t>(p.activities.front())].block;
        Block& block = blocks_[static_cast<std::size_t>(b)];
        block.trennung = true;
        const std::string separation = "als Trennung: Ziel der Optimierung, keine feste Regel; " +
                                       Anzahl(p.number, "Tag", "Tage") +
                                       " Abstand als verschiedene Tage";
        if (!p.hard) {
            report_.Add(ImportFate::Angenaehert, type, separation);
            continue;
        }
        // A rule: the units lie at least so many days apart. When the constraint names only
        // some of the units, the rule binds them all, unless a rule over all units already
        // implies it: when the units are alike (same length and room, no fixed time) any k of
        // them serve, and n units at least M days apart always hold k at least N apart when
        // (k - 1) * ceil(N / M) <= n - 1 (take every ceil(N / M)-th in day order).
        const bool all = units.size() == block.units.size();
        const int n = static_cast<int>(block.units.size());
        const int k = static_cast<int>(units.size());
        const int m = allApart[static_cast<std::size_t>(b)];
        const bool alike = std::all_of(block.units.begin(), block.units.end(), [&](const Unit& u) {
            return u.length == block.units.front().length && u.slot == kNoSlot &&
                   u.room == block.units.front().room;
        });
        const bool implied = !all && alike && m > 0 && (k - 1) * ((p.number + m - 1) / m) <= n - 1;
        RuleItem item;
        item.sources = {Source(type)};
        item.fate = all || implied ? ImportFate::Uebernommen : ImportFate::Angenaehert;
        item.how = all       ? "als Mindestabstand der Einheiten"
                   : implied ? "als Mindestabstand der Einheiten; folgt hier aus dem Abstand "
                               "aller Einheiten des Unterrichts"
                             : "als Mindestabstand der Einheiten; gilt hier für alle Einheiten "
                               "des Unterrichts";
        const int days = implied ? m : p.number;
        item.set = [this, b, days](Stammdaten&) {
            CBlockRegeln& r = *blockRules_[static_cast<std::size_t>(b)];
            const CBlockRegeln old = r;
            r.MinTageAbstand = std::max(r.MinTageAbstand, days);
            return [&r, old] { r = old; };
        };
        item.fallbackHow = separation;
        item.fallback = [](Stammdaten&) {};
        rules_.push_back(std::move(item));
    }
}

void Reader::ApplyTimes() {
    const std::string type = "ConstraintActivityPreferredStartingTime";
    AllgemeineAngaben week;
    week.Tage = tage_;
    week.Stunden = stunden_;
    week.Nullte = false;
    for (const Pending& p : times_) {
        const Activity& a = activities_[static_cast<std::size_t>(p.activities.front())];
        Unit& unit =
            blocks_[static_cast<std::size_t>(a.block)].units[static_cast<std::size_t>(a.unit)];
        const char* dropped = nullptr;
        if (p.timeHalf)
            dropped = "nur ein Tag oder nur eine Stunde vorgegeben";
        else if (p.timeLost)
            dropped = "die Zeit liegt in einer gestrichenen Pause";
        else if (unit.slot != kNoSlot && unit.slot != p.slot)
            dropped = "widerspricht einer anderen Zeitvorgabe derselben Stunde";
        else if (UnitPresetFault(week, CEinheit(unit.length, p.slot)))
            dropped = "die Stunde passt dort nicht mehr in den Tag";
        if (dropped) {
            report_.Add(ImportFate::Weggelassen, type, dropped,
                        "Aktivität " + std::to_string(a.id));
            continue;
        }
        unit.slot = p.slot;
        report_.Add(ImportFate::Uebernommen, type, "als Zeitvorgabe");
    }
}

void Reader::ApplyRooms() {
    for (const Pending& p : activityRoom_) {
        const std::string type = "ConstraintActivityPreferredRoom";
        const Activity& a = activities_[static_cast<std::size_t>(p.activities.front())];
        Block& b = blocks_[static_cast<std::size_t>(a.block)];
        Unit& unit = b.units[static_cast<std::size_t>(a.unit)];
        const std::string& room = rooms_.Name(p.rooms.front());
        if (!unit.room.empty() && unit.room != room) {
            report_.Add(ImportFate::Weggelassen, type, "widerspricht einem anderen Raumwunsch",
                        "Aktivität " + std::to_string(a.id));
            continue;
        }
        unit.room = room;
        if (b.merged || b.teachers.size() > 1 || b.classes.size() > 1)
            report_.Add(ImportFate::Angenaehert, type,
                        "im Kurs nur beim ersten Lehrer; die anderen wählt der Plan frei");
        else
            report_.Add(ImportFate::Uebernommen, type, "als Raum der Stunde");
    }

    // A set of rooms for single activities counts only when every activity of the subject asks
    // for the same set: then they are the subject's special rooms.
    const std::string type = "ConstraintActivityPreferredRooms";
    std::vector<int> activeOfSubject(static_cast<std::size_t>(subjects_.Size()), 0);
    for (const Activity& a : activities_)
        if (a.active) ++activeOfSubject[static_cast<std::size_t>(a.subject)];
    struct SubjectRooms {
        std::vector<int> rooms;
        std::vector<int> activities;
        bool same = true;
    };
    std::unordered_map<int, SubjectRooms> bySubject;
    for (const Pending& p : activityRooms_) {
        const int a = p.activities.front();
        std::vector<int> rooms = p.rooms;
        std::sort(rooms.begin(), rooms.end());
        rooms.erase(std::unique(rooms.begin(), rooms.end()), rooms.end());
        auto [it, fresh] = bySubject.try_emplace(activities_[static_cast<std::size_t>(a)].subject);
        if (fresh) it->second.rooms = rooms;
        it->second.same = it->second.same && it->second.rooms == rooms;
        if (std::find(it->second.activities.begin(), it->second.activities.end(), a) ==
            it->second.activities.end())
            it->second.activities.push_back(a);
    }
    for (const Pending& p : activityRooms_) {
        const int s = activities_[static_cast<std::size_t>(p.activities.front())].subject;
        const SubjectRooms& sr = bySubject.at(s);
        const bool whole = sr.same && static_cast<int>(sr.activities.size()) ==
                                          activeOfSubject[static_cast<std::size_t>(s)];
        if (!whole) {
            report_.Add(ImportFate::Weggelassen, type,
                        "gilt nur für einzelne Aktivitäten des Fachs");
            continue;
        }
        for (int r : sr.rooms) {
            auto& subjects = roomSubjects_[static_cast<std::size_t>(r)];
            if (std::find(subjects.begin(), subjects.end(), s) == subjects.end())
                subjects.push_back(s);
        }
        report_.Add(ImportFate::Uebernommen, type, "als Fachräume des Fachs");
    }
}

} // namespace sw::fet
