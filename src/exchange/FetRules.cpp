// SPDX-License-Identifier: GPL-3.0-or-later
// FetRules.cpp: FET's constraints that become rules of the school: the limits of teachers and
// students, breaks, allowed times, separation in days, the end of the day and relations between
// lessons. They are gathered while the constraints are read, tied to the blocks once these are
// merged, and set when the master data is built. A rule that could never be met is left out
// (or replaced by what the import did before), with the reason in the report; the school that
// comes out always passes the check of its rules.
#include "exchange/FetImport.h"

#include "model/Regeln.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <string_view>
#include <utility>

namespace sw::fet {

namespace {

constexpr const char* kWunsch = "ein Wunsch (Gewicht unter 100 %), keine feste Regel";
constexpr const char* kInaktiv = "nennt eine abgeschaltete Aktivität";
constexpr const char* kNichts = "schränkt in dieser Woche nichts ein";
constexpr const char* kNie = "kann nie erfüllt werden";
constexpr const char* kKeineAktivitaet = "betrifft keine aktive Aktivität";
constexpr const char* kKeineZeit = "zu wenige erlaubte Zeiten für die Einheiten";
constexpr const char* kAlleEinheiten = "gilt hier für alle Einheiten des Unterrichts";

enum class Bound : std::uint8_t { DayHours, WeekHours, Days };

// A limit of teachers or students: the end of the constraint's name, the tag of its number,
// the rule it sets (for a teacher; `day` also for a class) and what bounds it.
struct Limit {
    const char* suffix;
    const char* tag;
    int CTagesRegeln::*day;
    int CLehrerRegeln::*teacher;
    bool max;
    Bound bound;
};

const Limit kLimits[] = {
    {"MaxHoursDaily", "Maximum_Hours_Daily", &CTagesRegeln::MaxStundenProTag, nullptr, true,
     Bound::DayHours},
    {"MinHoursDaily", "Minimum_Hours_Daily", &CTagesRegeln::MinStundenProTag, nullptr, false,
     Bound::DayHours},
    {"MaxGapsPerDay", "Max_Gaps", &CTagesRegeln::MaxLueckenProTag, nullptr, true, Bound::DayHours},
    {"MaxGapsPerWeek", "Max_Gaps", &CTagesRegeln::MaxLueckenProWoche, nullptr, true,
     Bound::WeekHours},
    {"MaxHoursContinuously", "Maximum_Hours_Continuously", &CTagesRegeln::MaxInFolge, nullptr, true,
     Bound::DayHours},
    {"MaxDaysPerWeek", "Max_Days_Per_Week", nullptr, &CLehrerRegeln::MaxTage, true, Bound::Days},
    {"MinDaysPerWeek", "Minimum_Days_Per_Week", nullptr, &CLehrerRegeln::MinTage, false,
     Bound::Days},
};

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// Sets `field` to `v`, or to the stricter of both when it is set already; returns the undo.
template <class R> std::function<void()> Tighten(R& rules, int& field, int v, bool max) {
    const R old = rules;
    field = field == kKeineRegel ? v : (max ? std::min(field, v) : std::max(field, v));
    return [&rules, old] { rules = old; };
}

std::vector<int> Intersection(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<int> out;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    return out;
}

void AddDistinct(std::vector<int>& list, int x) {
    if (std::find(list.begin(), list.end(), x) == list.end()) list.push_back(x);
}

} // namespace

int Reader::Source(const std::string& type) {
    sources_.push_back(type);
    return static_cast<int>(sources_.size()) - 1;
}

// ---------------------------------------------------------------------------------------------
// Limits of teachers and students

bool Reader::LimitConstraint(const pugi::xml_node& c, const std::string& type, bool hard) {
    struct Owner {
        const char* prefix;
        bool teacher;
        bool all;
    };
    static constexpr Owner kOwners[] = {{"ConstraintTeachers", true, true},
                                        {"ConstraintTeacher", true, false},
                                        {"ConstraintStudentsSet", false, false},
                                        {"ConstraintStudents", false, true}};
    bool teacher = true, all = false;
    std::string rest;
    for (const Owner& o : kOwners)
        if (StartsWith(type, o.prefix)) {
            teacher = o.teacher;
            all = o.all;
            rest = type.substr(std::string_view(o.prefix).size());
            break;
        }
    const Limit* limit = nullptr;
    for (const Limit& l : kLimits)
        if (rest == l.suffix && (teacher || l.day)) limit = &l;
    const bool interval = teacher && rest == "IntervalMaxDaysPerWeek";
    if (!limit && !interval) return false;

    const std::string who = "Die Regel " + type;
    // The teachers or classes it binds (FET's own teachers and students only).
    std::vector<int> owners;
    std::vector<std::string> names;
    if (teacher && all) {
        for (int t = 0; t < teachers_.Size(); ++t)
            owners.push_back(t);
    } else if (teacher) {
        std::string name = ChildText(c, "Teacher_Name");
        if (name.empty()) name = ChildText(c, "Teacher");
        owners.push_back(TeacherOf(name, who));
    } else if (all) {
        for (std::size_t k = 0; k < classFormation_.atomsOfClass.size(); ++k)
            owners.push_back(static_cast<int>(k));
    } else {
        const std::string name = ChildText(c, "Students");
        const auto it = students_.atomsOf.find(name);
        if (it == students_.atomsOf.end()) Unknown(who, "die Schülergruppe", name, "die");
        for (int atom : it->second)
            if (const int k = classFormation_.classOfAtom[static_cast<std::size_t>(atom)]; k >= 0)
                AddDistinct(owners, k);
        std::sort(owners.begin(), owners.end());
    }
    if (!hard) {
        report_.Add(ImportFate::Weggelassen, type, kWunsch);
        return true;
    }
    if (owners.empty()) {
        report_.Add(ImportFate::Weggelassen, type,
                    teacher ? "nennt keinen Lehrer" : "betrifft keine Klasse");
        return true;
    }
    if (interval) {
        IntervalConstraint(c, type, owners);
        return true;
    }

    const int v = IntOf(ChildText(c, limit->tag), "der " + who.substr(4), limit->tag);
    const int bound = limit->bound == Bound::DayHours    ? stunden_
                      : limit->bound == Bound::WeekHours ? stunden_ * tage_
                                                         : tage_;
    // A maximum the week never reaches and a minimum of one hour (or no day) bind nothing.
    const int least = limit->bound == Bound::Days ? 0 : 1;
    if ((limit->max && v >= bound) || (!limit->max && v <= least)) {
        report_.Add(ImportFate::Weggelassen, type, kNichts);
        return true;
    }
    RuleItem item;
    item.sources = {Source(type)};
    item.how = teacher ? "als Regel des Lehrers" : "als Regel der Klasse";
    const std::string allow = ChildText(c, "Allow_Empty_Days");
    // Teachers may always have a free day in older files, students never.
    if (limit->day == &CTagesRegeln::MinStundenProTag &&
        (allow == "false" || (allow.empty() && !teacher))) {
        item.fate = ImportFate::Angenaehert;
        item.how += "; gilt nur an Tagen mit Unterricht, ein freier Tag bleibt erlaubt";
    }
    const bool max = limit->max;
    for (int o : owners) {
        const auto i = static_cast<std::size_t>(o);
        if (teacher) {
            int CLehrerRegeln::*field = limit->teacher ? limit->teacher : limit->day;
            item.set = [i, field, v, max](Stammdaten& d) {
                CLehrerRegeln& r = d.Lehrer[i].Regeln;
                return Tighten(r, r.*field, v, max);
            };
        } else {
            int CTagesRegeln::*field = limit->day;
            item.set = [i, field, v, max](Stammdaten& d) {
                CTagesRegeln& r = d.Klassen[i].Regeln;
                return Tighten(r, r.*field, v, max);
            };
        }
        rules_.push_back(item);
    }
    return true;
}

// At most n days with lessons in the hours from the start up to (not including) the end hour;
// without an end hour, up to the end of the day. Struck hours narrow the window.
void Reader::IntervalConstraint(const pugi::xml_node& c, const std::string& type,
                                const std::vector<int>& teachers) {
    const std::string who = "Die Regel " + type;
    const std::string start = ChildText(c, "Interval_Start_Hour");
    const std::string end = ChildText(c, "Interval_End_Hour");
    const auto s = hourIndex_.find(start);
    if (s == hourIndex_.end()) Unknown(who, "die Stunde", start, "die");
    std::size_t stop = hourNames_.size();
    if (!end.empty()) {
        const auto e = hourIndex_.find(end);
        if (e == hourIndex_.end()) Unknown(who, "die Stunde", end, "die");
        stop = static_cast<std::size_t>(e->second);
    }
    int from = -1, to = -1;
    for (auto h = static_cast<std::size_t>(s->second); h < stop; ++h)
        if (ourHour_[h] >= 0) {
            if (from < 0) from = ourHour_[h];
            to = ourHour_[h];
        }
    const std::string tag = "Max_Days_Per_Week";
    const int v = IntOf(ChildText(c, tag.c_str()), "der " + who.substr(4), tag.c_str());
    if (from < 0 || v >= tage_) return report_.Add(ImportFate::Weggelassen, type, kNichts);
    window_.resize(static_cast<std::size_t>(teachers_.Size()), {-1, -1});
    RuleItem item;
    item.sources = {Source(type)};
    item.how = "als Zeitfenster des Lehrers";
    for (int t : teachers) {
        auto& w = window_[static_cast<std::size_t>(t)];
        if (w[0] >= 0 && (w[0] != from || w[1] != to)) {
            report_.Add(ImportFate::Weggelassen, type,
                        "Stundenwerk kennt nur ein Zeitfenster je Lehrer", teachers_.Name(t));
            continue;
        }
        w = {from, to};
        const auto i = static_cast<std::size_t>(t);
        item.set = [i, from, to, v](Stammdaten& d) {
            CLehrerRegeln& r = d.Lehrer[i].Regeln;
            r.FensterVon = from;
            r.FensterBis = to;
            return Tighten(r, r.FensterMaxTage, v, true);
        };
        rules_.push_back(item);
    }
}

// ---------------------------------------------------------------------------------------------
// Constraints on activities: allowed times, the end of the day, relations

// The active activities a filter constraint selects: every activity with the teacher, students
// within the set, the subject, the tag and the duration it names (those it names), and with
// `component` > 0 only the parts at that place of their split activity.
std::vector<int> Reader::Filtered(const pugi::xml_node& c, int component) const {
    const std::string teacher = ChildText(c, "Teacher_Name");
    const std::string students = ChildText(c, "Students_Name");
    const std::string subject = ChildText(c, "Subject_Name");
    const std::string tag = ChildText(c, "Activity_Tag_Name");
    const std::string duration = ChildText(c, "Duration");
    const int t = teacher.empty() ? -1 : teachers_.Find(teacher);
    const int s = subject.empty() ? -1 : subjects_.Find(subject);
    if ((!teacher.empty() && t < 0) || (!subject.empty() && s < 0)) return {};
    const int length =
        duration.empty() ? 0 : IntOf(duration, std::string("der Regel ") + c.name(), "Duration");
    const auto has = [](const auto& list, const auto& x) {
        return std::find(list.begin(), list.end(), x) != list.end();
    };
    // Students a set names take part in it: a year's filter takes the activities of its groups.
    const auto filter = students_.atomsOf.find(students);
    if (!students.empty() && filter == students_.atomsOf.end()) return {};
    const auto within = [&](const Activity& a) {
        return std::any_of(a.sets.begin(), a.sets.end(), [&](const std::string& set) {
            const std::vector<int>& atoms = students_.atomsOf.at(set);
            return std::includes(filter->second.begin(), filter->second.end(), atoms.begin(),
                                 atoms.end());
        });
    };
    std::vector<int> out;
    for (std::size_t i = 0; i < activities_.size(); ++i) {
        const Activity& a = activities_[i];
        if (!a.active || (t >= 0 && !has(a.teachers, t)) || (s >= 0 && a.subject != s) ||
            (!students.empty() && !within(a)) || (!tag.empty() && !has(a.tags, tag)) ||
            (length > 0 && a.duration != length) || (component > 0 && a.component != component))
            continue;
        out.push_back(static_cast<int>(i));
    }
    return out;
}

// The slots a constraint lists as `item` elements with a day and an hour, ascending; times in a
// struck hour or day are left out.
std::vector<int> Reader::SlotsOf(const pugi::xml_node& c, const char* item, const char* dayTag,
                                 const char* hourTag, const std::string& who) const {
    std::vector<int> out;
    for (const pugi::xml_node& t : c.children(item)) {
        bool lost = false;
        const int slot = TimeOf(ChildText(t, dayTag), ChildText(t, hourTag), who, lost);
        if (!lost) out.push_back(slot);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// Narrows the starts an activity may have: `slots` are its starts, or with `wholeActivity` the
// slots every hour of it must lie in. A start always leaves room for the activity in its day.
void Reader::AllowTimes(int activity, const std::vector<int>& slots, bool wholeActivity,
                        int source) {
    const int length = activities_[static_cast<std::size_t>(activity)].duration;
    std::vector<int> starts;
    for (int s : slots) {
        if (HourOf(s) + length - 1 > stunden_) continue;
        bool inside = true;
        for (int k = 1; wholeActivity && k < length; ++k)
            inside = inside && std::binary_search(slots.begin(), slots.end(), s + k);
        if (inside) starts.push_back(s);
    }
    const auto [it, fresh] = allowed_.try_emplace(activity, starts);
    if (!fresh) it->second = Intersection(it->second, starts);
    AddDistinct(allowedSources_[activity], source);
}

bool Reader::BlockConstraint(const pugi::xml_node& c, const std::string& type, bool hard) {
    const std::string who = "Die Regel " + type;
    const bool starting = type == "ConstraintActivityPreferredStartingTimes" ||
                          type == "ConstraintActivitiesPreferredStartingTimes" ||
                          type == "ConstraintSubactivitiesPreferredStartingTimes";
    const bool slots = type == "ConstraintActivityPreferredTimeSlots" ||
                       type == "ConstraintActivitiesPreferredTimeSlots" ||
                       type == "ConstraintSubactivitiesPreferredTimeSlots";
    const bool ends =
        type == "ConstraintActivityEndsStudentsDay" || type == "ConstraintActivitiesEndStudentsDay";
    Pending p;
    if (type == "ConstraintActivitiesNotOverlapping")
        p.art = BeziehungsArt::NieGleichzeitig;
    else if (type == "ConstraintActivitiesSameStartingDay")
        p.art = BeziehungsArt::GleicherTag;
    else if (type == "ConstraintTwoActivitiesConsecutive")
        p.art = BeziehungsArt::Direktfolge;
    else if (!starting && !slots && !ends)
        return false;

    // The activities it names.
    if (StartsWith(type, "ConstraintActivity")) {
        const int a = ActivityOf(c.child("Activity_Id"), who);
        if (activities_[static_cast<std::size_t>(a)].active) p.activities = {a};
    } else if (type == "ConstraintTwoActivitiesConsecutive") {
        for (const char* tag : {"First_Activity_Id", "Second_Activity_Id"}) {
            const int a = ActivityOf(c.child(tag), who);
            if (activities_[static_cast<std::size_t>(a)].active) p.activities.push_back(a);
        }
        if (p.activities.size() < 2) p.activities.clear();
    } else if (starting || slots || ends) {
        const std::string number = ChildText(c, "Component_Number");
        const int component = StartsWith(type, "ConstraintSubactivities") && !number.empty()
                                  ? IntOf(number, "der " + who.substr(4), "Component_Number")
                                  : 0;
        p.activities = Filtered(c, component);
    } else {
        p.activities = ActivitiesOf(c, who);
    }
    std::vector<int> times;
    if (starting)
        times = SlotsOf(c, "Preferred_Starting_Time", "Preferred_Starting_Day",
                        "Preferred_Starting_Hour", who);
    if (slots) times = SlotsOf(c, "Preferred_Time_Slot", "Preferred_Day", "Preferred_Hour", who);

    if (!hard) {
        report_.Add(ImportFate::Weggelassen, type, kWunsch);
        return true;
    }
    if (p.activities.empty()) {
        const bool single =
            StartsWith(type, "ConstraintActivity") || type == "ConstraintTwoActivitiesConsecutive";
        report_.Add(ImportFate::Weggelassen, type, single ? kInaktiv : kKeineAktivitaet);
        return true;
    }
    p.source = Source(type);
    if (starting || slots) {
        for (int a : p.activities)
            AllowTimes(a, times, slots, p.source);
    } else {
        (ends ? ends_ : relations_).push_back(std::move(p));
    }
    return true;
}

// A relation between the lessons of the activities `p` names; false when it names only one.
bool Reader::Relation(const Pending& p, const std::string& type) {
    std::vector<int> blocks;
    std::map<int, int> named; // block -> activities named
    for (int a : p.activities) {
        const int b = activities_[static_cast<std::size_t>(a)].block;
        AddDistinct(blocks, b);
        ++named[b];
    }
    if (blocks.size() < 2) return false;
    bool exact = true;
    for (int b : blocks) {
        int all = 0;
        for (const auto& unit : parts_[static_cast<std::size_t>(b)])
            all += static_cast<int>(unit.size());
        exact = exact && named[b] == all &&
                (p.art == BeziehungsArt::NieGleichzeitig ||
                 blocks_[static_cast<std::size_t>(b)].units.size() == 1);
    }
    RuleItem item;
    item.sources = {p.source >= 0 ? p.source : Source(type)};
    item.fate = exact ? ImportFate::Uebernommen : ImportFate::Angenaehert;
    item.how = exact ? "als Beziehung der Unterrichte"
                     : "als Beziehung der Unterrichte; gilt für alle ihre Einheiten";
    const BeziehungsArt art = p.art;
    item.set = [this, blocks, art](Stammdaten& d) {
        CBeziehung relation{art, {}};
        for (int b : blocks)
            relation.Bloecke.push_back(blockRef_[static_cast<std::size_t>(b)]);
        d.Beziehungen.push_back(std::move(relation));
        return [&d] { d.Beziehungen.pop_back(); };
    };
    rules_.push_back(std::move(item));
    return true;
}

// Ties what waits for the blocks to the blocks: allowed times, the end of the day, relations.
void Reader::CollectBlockRules() {
    parts_.assign(blocks_.size(), {});
    for (std::size_t b = 0; b < blocks_.size(); ++b)
        parts_[b].resize(blocks_[b].units.size());
    for (std::size_t i = 0; i < activities_.size(); ++i) {
        const Activity& a = activities_[i];
        if (a.active)
            parts_[static_cast<std::size_t>(a.block)][static_cast<std::size_t>(a.unit)].push_back(
                static_cast<int>(i));
    }

    // Allowed times: a block has one set for all its units. Units that have different sets get
    // every time one of them may take: a set narrower than any unit's own could leave a school
    // that FET plans without a plan (two units allowed on different days, kept a day apart). A
    // unit without a set of its own (and without a fixed time) may start anywhere, so then the
    // block keeps no set at all.
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        if (blocks_[b].dead) continue;
        std::vector<int> joined, previous, sources, fixed;
        bool any = false, differ = false, freeUnit = false;
        for (std::size_t u = 0; u < parts_[b].size(); ++u) {
            bool constrained = false;
            std::vector<int> set;
            for (int a : parts_[b][u]) {
                const auto it = allowed_.find(a);
                if (it == allowed_.end()) continue;
                set = constrained ? Intersection(set, it->second) : it->second;
                constrained = true;
                for (int s : allowedSources_[a])
                    AddDistinct(sources, s);
            }
            if (!constrained) {
                if (blocks_[b].units[u].slot == kNoSlot)
                    freeUnit = true;
                else
                    fixed.push_back(blocks_[b].units[u].slot);
                continue;
            }
            differ = differ || (any && set != previous);
            std::vector<int> both;
            std::set_union(joined.begin(), joined.end(), set.begin(), set.end(),
                           std::back_inserter(both));
            joined = std::move(both);
            previous = std::move(set);
            any = true;
        }
        if (!any) continue;
        if (freeUnit) {
            for (int s : sources)
                report_.Add(ImportFate::Weggelassen, sources_[static_cast<std::size_t>(s)],
                            "nur einige Einheiten des Unterrichts haben erlaubte Zeiten; "
                            "Stundenwerk kennt erlaubte Zeiten nur für alle Einheiten");
            continue;
        }
        for (int f : fixed)
            if (!std::binary_search(joined.begin(), joined.end(), f))
                joined.insert(std::lower_bound(joined.begin(), joined.end(), f), f);
        // The units of a lesson never share a start: each needs one of its own.
        if (joined.size() < parts_[b].size()) {
            for (int s : sources)
                report_.Add(ImportFate::Weggelassen, sources_[static_cast<std::size_t>(s)],
                            kKeineZeit);
            continue;
        }
        RuleItem item;
        item.sources = sources;
        const bool exact = !differ && fixed.empty();
        item.fate = exact ? ImportFate::Uebernommen : ImportFate::Angenaehert;
        item.how = exact
                       ? "als erlaubte Anfangszeiten des Unterrichts"
                       : "als erlaubte Anfangszeiten aller Einheiten des Unterrichts (jede Zeit, "
                         "die einer der Einheiten erlaubt ist)";
        item.set = [this, b, joined](Stammdaten&) {
            CBlockRegeln& r = *blockRules_[b];
            const CBlockRegeln old = r;
            r.ErlaubteZeiten = joined;
            return [&r, old] { r = old; };
        };
        rules_.push_back(std::move(item));
    }

    for (const Pending& p : ends_) {
        std::map<int, int> named;
        for (int a : p.activities)
            ++named[activities_[static_cast<std::size_t>(a)].block];
        for (const auto& [b, count] : named) {
            int all = 0;
            for (const auto& unit : parts_[static_cast<std::size_t>(b)])
                all += static_cast<int>(unit.size());
            RuleItem item;
            item.sources = {p.source};
            item.fate = count == all ? ImportFate::Uebernommen : ImportFate::Angenaehert;
            item.how = count == all ? "als Regel des Unterrichts"
                                    : std::string("als Regel des Unterrichts; ") + kAlleEinheiten;
            item.set = [this, b = static_cast<std::size_t>(b)](Stammdaten&) {
                CBlockRegeln& r = *blockRules_[b];
                const CBlockRegeln old = r;
                r.Tagesende = 1;
                return [&r, old] { r = old; };
            };
            rules_.push_back(std::move(item));
        }
    }

    for (const Pending& p : relations_)
        if (!Relation(p, sources_[static_cast<std::size_t>(p.source)]))
            report_.Add(ImportFate::Weggelassen, sources_[static_cast<std::size_t>(p.source)],
                        "betrifft nur einen Unterricht");

    // The breaks that are neither whole hours nor whole days.
    if (breakSources_.empty()) return;
    for (int slot : breakSlots_) {
        RuleItem item;
        item.sources = breakSources_;
        item.how = "als Pausen der Schule";
        item.set = [slot](Stammdaten& d) {
            auto& p = d.Angaben.Pausen;
            p.insert(std::lower_bound(p.begin(), p.end(), slot), slot);
            return [&p, slot] { p.erase(std::find(p.begin(), p.end(), slot)); };
        };
        item.fallbackHow = "als Sperre aller Lehrer und Klassen";
        item.fallback = [slot](Stammdaten& d) {
            for (CLehrer& l : d.Lehrer)
                l.Sperre[static_cast<std::size_t>(slot)] = 1;
            for (CKlasse& k : d.Klassen)
                k.Sperre[static_cast<std::size_t>(slot)] = 1;
        };
        rules_.push_back(std::move(item));
    }
}

// ---------------------------------------------------------------------------------------------
// Setting the rules

// Sets every rule; where the rules set so far can never be met, they are undone and set again
// in halves, down to the single rules at fault, which stay out.
void Reader::ApplyRules(Stammdaten& d) {
    blockRules_.assign(blockRef_.size(), nullptr);
    for (std::size_t b = 0; b < blockRef_.size(); ++b) {
        if (blocks_[b].dead) continue;
        const CBlockBezug& ref = blockRef_[b];
        if (ref.Kurs)
            blockRules_[b] =
                &d.KursBloecke[static_cast<std::size_t>(d.FindKursBlock(ref.Name))].Regeln;
        else
            blockRules_[b] =
                &d.FachBloecke[static_cast<std::size_t>(d.FindFachBlock(ref.Name))].Block.Regeln;
    }
    std::vector<std::function<void()>> undo(rules_.size());
    std::vector<std::string> why(rules_.size());
    const std::function<void(std::size_t, std::size_t)> add = [&](std::size_t lo, std::size_t hi) {
        for (std::size_t i = lo; i < hi; ++i)
            undo[i] = rules_[i].set(d);
        const std::optional<std::string> problem = RegelProblem(d);
        if (!problem) return;
        for (std::size_t i = hi; i-- > lo;)
            undo[i]();
        if (hi - lo == 1) {
            why[lo] = *problem;
            return;
        }
        const std::size_t mid = lo + (hi - lo) / 2;
        add(lo, mid);
        add(mid, hi);
    };
    if (!rules_.empty()) add(0, rules_.size());

    std::vector<char> reported(sources_.size(), 0);
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        const RuleItem& item = rules_[i];
        if (why[i].empty()) {
            for (int s : item.sources)
                if (!std::exchange(reported[static_cast<std::size_t>(s)], 1))
                    report_.Add(item.fate, sources_[static_cast<std::size_t>(s)], item.how);
            continue;
        }
        if (item.fallback) item.fallback(d);
        for (int s : item.sources)
            report_.Add(item.fallback ? ImportFate::Angenaehert : ImportFate::Weggelassen,
                        sources_[static_cast<std::size_t>(s)],
                        item.fallback ? item.fallbackHow : kNie, why[i]);
    }
}

} // namespace sw::fet
