// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/FitCheck.h"
#include "plan/PlanRules.h"
#include "plan/PlanWriter.h"

#include "plan/Evaluation.h"
#include "plan/Placement.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>

namespace sw {

namespace {

using Slots = std::bitset<kSlotCount>;

bool RoomFree(const CPlan& plan, const CStunde& h, int room, int slot) {
    return !CheckRule(Rule::RoomLocked, plan, h, slot, room);
}

// A unit as the initial plan places it: its hours position by position; a course's position
// holds the hours of all its teachers.
struct Unit {
    const CStunde* lead = nullptr;
    int length = 1;
    int width = 1;
    std::vector<const CStunde*> hours; // position by position
    const CStunde& At(int p, int q) const {
        return *hours[static_cast<std::size_t>(p) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(q)];
    }
};

std::vector<Unit> Units(const CPlan& plan) {
    std::vector<Unit> units;
    std::vector<char> seen(plan.StundenL.size(), 0);
    for (const auto& hp : plan.StundenL) {
        if (seen[static_cast<std::size_t>(hp->Index)]) continue;
        const CStunde& first = plan.FirstOfUnit(*hp);
        Unit u;
        u.lead = first.ParallelL && !first.ParallelL->empty() ? (*first.ParallelL)[0] : &first;
        u.length = CPlan::UnitLength(*u.lead);
        for (int p = 0; p < u.length; ++p) {
            const CStunde& at = plan.UnitHour(*u.lead, p);
            if (at.ParallelL)
                u.hours.insert(u.hours.end(), at.ParallelL->begin(), at.ParallelL->end());
            else
                u.hours.push_back(&at);
        }
        u.width = std::max(1, static_cast<int>(u.hours.size()) / u.length);
        if (static_cast<int>(u.hours.size()) != u.width * u.length) u.width = 1, u.length = 1;
        for (const CStunde* q : u.hours)
            seen[static_cast<std::size_t>(q->Index)] = 1;
        units.push_back(std::move(u));
    }
    return units;
}

bool HasNoRoom(const Unit& u) {
    return std::any_of(u.hours.begin(), u.hours.end(),
                       [](const CStunde* q) { return q->RoomCount() == 0; });
}

// Whether the unit may start at `start` as far as no moving of other lessons can change.
bool StartAllowed(const CPlan& plan, const Unit& u, int start) {
    if (!IsSlot(start) || HourOf(start) + u.length - 1 > kMaxHour) return false;
    for (int p = 0; p < u.length; ++p) {
        const int slot = start + p;
        if (!plan.InWeek(slot) || DayOf(slot) != DayOf(start)) return false;
        for (int q = 0; q < u.width; ++q)
            if (!SlotRulesAllow(plan, u.At(p, q), slot)) return false;
    }
    if (!u.lead->IsCourse()) {
        // A subject unit stands in one room.
        for (int r : *u.lead->RaumL) {
            bool free = true;
            for (int p = 0; p < u.length && free; ++p)
                free = RoomFree(plan, *u.lead, r, start + p);
            if (free) return true;
        }
        return false;
    }
    // A course needs a free room for each teacher, and the teachers distinct ones.
    std::vector<int> free;
    for (int p = 0; p < u.length; ++p) {
        free.clear();
        for (int q = 0; q < u.width; ++q) {
            const CStunde& h = u.At(p, q);
            bool any = false;
            for (int r : *h.RaumL) {
                if (!RoomFree(plan, h, r, start + p)) continue;
                any = true;
                if (std::find(free.begin(), free.end(), r) == free.end()) free.push_back(r);
            }
            if (!any) return false;
        }
        if (static_cast<int>(free.size()) < u.width) return false;
    }
    return true;
}

// The starts the initial plan tries: the fixed slot, else hours 1.. of every day.
Slots AllowedStarts(const CPlan& plan, const Unit& u) {
    Slots starts;
    if (u.lead->TimeFixed()) {
        if (StartAllowed(plan, u, u.lead->Zeit)) starts.set(static_cast<std::size_t>(u.lead->Zeit));
        return starts;
    }
    for (int d = 0; d < plan.Tage; ++d)
        for (int hour = 1; hour + u.length - 1 <= plan.Stunden; ++hour)
            if (StartAllowed(plan, u, SlotOf(d, hour)))
                starts.set(static_cast<std::size_t>(SlotOf(d, hour)));
    return starts;
}

// The group of demands (one slot each) that cannot all have a slot: those up to an hour of the
// day (the earliest such hour), all of them, those of one day, those sharing the slots of one of
// them; nullopt when every group looked at fits.
struct Group {
    FitProblem::Where wo = FitProblem::Where::Woche;
    int wert = 0;
    int hours = 0;
    int slots = 0;
};

std::optional<Group> Overfull(const CPlan& plan, const std::vector<Slots>& demands) {
    if (demands.empty()) return std::nullopt;
    const auto within = [&](const Slots& area) {
        Group g;
        Slots used;
        for (const Slots& d : demands)
            if ((d & ~area).none()) {
                ++g.hours;
                used |= d;
            }
        g.slots = static_cast<int>(used.count());
        return g;
    };
    const auto overfull = [](const Group& g) { return g.hours > g.slots; };
    Slots week;
    for (int s = 0; s < kSlotCount; ++s)
        if (plan.InWeek(s)) week.set(static_cast<std::size_t>(s));
    for (int last = 1; last < plan.Stunden; ++last) {
        Slots upTo;
        for (int s = 0; s < kSlotCount; ++s)
            if (week[static_cast<std::size_t>(s)] && HourOf(s) <= last)
                upTo.set(static_cast<std::size_t>(s));
        Group g = within(upTo);
        g.wo = FitProblem::Where::BisStunde;
        g.wert = last;
        if (overfull(g)) return g;
    }
    // The whole week after the hours of the day: hours that fill the week only below an hour
    // limit are better told by the limit.
    if (Group g = within(week); overfull(g)) return g;
    for (int d = 0; d < plan.Tage; ++d) {
        Slots day;
        for (int s = 0; s < kSlotCount; ++s)
            if (week[static_cast<std::size_t>(s)] && DayOf(s) == d)
                day.set(static_cast<std::size_t>(s));
        Group g = within(day);
        g.wo = FitProblem::Where::Tag;
        g.wert = d;
        if (overfull(g)) return g;
    }
    for (const Slots& d : demands) {
        Group g = within(d);
        g.wo = FitProblem::Where::Zusammen;
        if (overfull(g)) return g;
    }
    return std::nullopt;
}

// The week's hours of each teacher and class against its rules of the days.
void RuleProblems(const CPlan& plan, std::vector<FitProblem>& problems) {
    if (!plan.Regeln()) return;
    const int dayHours = plan.Stunden + (plan.Nullte ? 1 : 0);
    const auto check = [&](FitProblem::Kind kind, int i, const CTagesRegeln& r, int days,
                           int hours) {
        if (hours == 0) return;
        const auto problem = [&](int slots, RegelArt art) {
            problems.push_back(
                {kind, i, hours, slots, FitProblem::Where::Regeln, static_cast<int>(art)});
        };
        const int perDay =
            r.MaxStundenProTag != kKeineRegel ? std::min(r.MaxStundenProTag, dayHours) : dayHours;
        if (hours > perDay * days)
            problem(perDay * days, r.MaxStundenProTag != kKeineRegel ? RegelArt::MaxStundenProTag
                                                                     : RegelArt::MaxTage);
        else if (r.MinStundenProTag != kKeineRegel && hours < r.MinStundenProTag)
            problem(hours, RegelArt::MinStundenProTag);
    };
    for (int t = 0; t < plan.LehrerAnzahl; ++t) {
        const CLehrerRegeln& r = plan.LehrerAt(t).Regeln;
        const int days = r.MaxTage != kKeineRegel ? std::min(r.MaxTage, plan.Tage) : plan.Tage;
        check(FitProblem::Kind::Lehrer, t, r, days, plan.LehrerSollL[t].WochenStunden);
    }
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        check(FitProblem::Kind::Klasse, k, plan.KlasseAt(k).Regeln, plan.Tage,
              plan.KlassenSollL[k].WochenStunden);
}

} // namespace

std::vector<FitProblem> FindFitProblems(const CPlan& plan) {
    std::vector<FitProblem> problems;
    std::vector<std::vector<Slots>> ofClass(static_cast<std::size_t>(plan.KlassenAnzahl));
    std::vector<std::vector<Slots>> ofTeacher(static_cast<std::size_t>(plan.LehrerAnzahl));
    for (const Unit& u : Units(plan)) {
        if (HasNoRoom(u)) {
            problems.push_back({FitProblem::Kind::KeinRaum, u.lead->Index});
            continue;
        }
        const Slots starts = AllowedStarts(plan, u);
        if (starts.none()) {
            problems.push_back({FitProblem::Kind::Einheit, u.lead->Index});
            continue;
        }
        for (int p = 0; p < u.length; ++p) {
            const Slots at = starts << static_cast<std::size_t>(p);
            if (u.lead->IsCourse()) {
                for (int k : *u.lead->KlassenL)
                    ofClass[static_cast<std::size_t>(k)].push_back(at);
            } else {
                ofClass[static_cast<std::size_t>(u.lead->Klasse)].push_back(at);
            }
            for (int q = 0; q < u.width; ++q)
                ofTeacher[static_cast<std::size_t>(u.At(p, q).Lehrer)].push_back(at);
        }
    }
    const auto add = [&](FitProblem::Kind kind, const std::vector<std::vector<Slots>>& lists) {
        for (std::size_t i = 0; i < lists.size(); ++i)
            if (const auto g = Overfull(plan, lists[i]))
                problems.push_back({kind, static_cast<int>(i), g->hours, g->slots, g->wo, g->wert});
    };
    add(FitProblem::Kind::Klasse, ofClass);
    add(FitProblem::Kind::Lehrer, ofTeacher);
    RuleProblems(plan, problems);
    return problems;
}

// --- the texts ------------------------------------------------------------------------------

namespace {

std::string Count(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string SlotsText(int n) {
    if (n == 0) return "dort gibt es keine mögliche Zeit";
    return "dort gibt es nur " + Count(n, "mögliche Zeit", "mögliche Zeiten");
}

std::string DayName(const CPlan& plan, int d) {
    const auto& names = plan.Stamm().Angaben.TagNamen;
    if (d >= 0 && d < static_cast<int>(names.size()) && !names[static_cast<std::size_t>(d)].empty())
        return names[static_cast<std::size_t>(d)];
    return "Tag " + std::to_string(d + 1);
}

// "DEUTSCH der Klasse 5A (MÜLLER" or "den Kurs RELIGION 5 (MÜLLER", without the closing bracket.
std::string UnitName(const CPlan& plan, const CStunde& h, bool dativ) {
    const Stammdaten& s = plan.Stamm();
    const std::string lehrer = plan.LehrerAt(h.Lehrer).Name;
    if (h.IsCourse()) {
        const std::string kurs =
            h.FachKurs >= 0 && h.FachKurs < static_cast<int>(s.KursBloecke.size())
                ? s.KursBloecke[static_cast<std::size_t>(h.FachKurs)].Name
                : std::string();
        return std::string(dativ ? "den Kurs " : "Der Kurs ") + kurs + " (" + lehrer;
    }
    const std::string fach = h.FachKurs >= 0 && h.FachKurs < static_cast<int>(s.Faecher.size())
                                 ? s.Faecher[static_cast<std::size_t>(h.FachKurs)]
                                 : std::string();
    return fach + " der Klasse " + plan.KlasseAt(h.Klasse).Name + " (" + lehrer;
}

// The subject a room would need for hour h.
std::string SubjectOf(const CPlan& plan, const CStunde& h) {
    const Stammdaten& s = plan.Stamm();
    if (!h.IsCourse())
        return h.FachKurs >= 0 && h.FachKurs < static_cast<int>(s.Faecher.size())
                   ? s.Faecher[static_cast<std::size_t>(h.FachKurs)]
                   : std::string();
    if (h.FachKurs < 0 || h.FachKurs >= static_cast<int>(s.KursBloecke.size())) return {};
    const CKursBlock& k = s.KursBloecke[static_cast<std::size_t>(h.FachKurs)];
    const std::string& lehrer = plan.LehrerAt(h.Lehrer).Name;
    for (std::size_t i = 0; i < k.Lehrer.size() && i < k.Faecher.size(); ++i)
        if (k.Lehrer[i].Name == lehrer) return k.Faecher[i];
    return {};
}

std::string ProblemText(const CPlan& plan, const FitProblem& f) {
    if (f.What == FitProblem::Kind::KeinRaum || f.What == FitProblem::Kind::Einheit) {
        const CStunde& lead = *plan.StundenL[static_cast<std::size_t>(f.Index)];
        if (f.What == FitProblem::Kind::KeinRaum) {
            // Name the teacher whose hour has no room.
            const CStunde* ohne = &lead;
            if (lead.ParallelL)
                for (const CStunde* q : *lead.ParallelL)
                    if (q->RoomCount() == 0) ohne = q;
            return "Für " + UnitName(plan, *ohne, true) +
                   ") gibt es keinen Raum: kein Raum hat das Fach, und die Schule hat keinen "
                   "Universal-Raum.";
        }
        const int length = CPlan::UnitLength(lead);
        std::string text = UnitName(plan, lead, false);
        if (length > 1) text += ", " + std::to_string(length) + " Stunden am Stück";
        return text + ") passt zu keiner Zeit der Woche.";
    }
    const std::string who = f.What == FitProblem::Kind::Klasse
                                ? "Klasse " + plan.KlasseAt(f.Index).Name
                                : "Lehrer " + plan.LehrerAt(f.Index).Name;
    switch (f.Wo) {
    case FitProblem::Where::Woche:
        return who + " hat " + Count(f.Hours, "Stunde", "Stunden") + ", aber nur " +
               Count(f.Slots, "mögliche Zeit", "mögliche Zeiten") + " in der Woche.";
    case FitProblem::Where::BisStunde: {
        std::string text = who + ": " + Count(f.Hours, "Stunde kann", "Stunden können") +
                           " nur bis zur " + std::to_string(f.Wert) + ". Stunde stehen";
        if (f.What == FitProblem::Kind::Klasse &&
            plan.KlassenSollL[static_cast<std::size_t>(f.Index)].StundenLimit == f.Wert)
            text += " (Stunden-Limit der Klasse)";
        return text + ", " + SlotsText(f.Slots) + ".";
    }
    case FitProblem::Where::Tag:
        return who + ": " + Count(f.Hours, "Stunde kann", "Stunden können") + " nur am " +
               DayName(plan, f.Wert) + " stehen, " + SlotsText(f.Slots) + ".";
    case FitProblem::Where::Zusammen:
        break;
    case FitProblem::Where::Regeln: {
        const auto art = static_cast<RegelArt>(f.Wert);
        if (art == RegelArt::MinStundenProTag)
            return who + " hat nur " + Count(f.Hours, "Stunde", "Stunden") +
                   " in der Woche, aber die Regel „" + RegelName(art) + "“ verlangt mehr.";
        return who + " hat " + Count(f.Hours, "Stunde", "Stunden") + ", aber die Regeln („" +
               RegelName(art) + "“) lassen Platz für höchstens " + std::to_string(f.Slots) + ".";
    }
    }
    return who + ": " + Count(f.Hours, "Stunde passt", "Stunden passen") + " zusammen nur in " +
           Count(f.Slots, "mögliche Zeit", "mögliche Zeiten") + ".";
}

std::string ChangeText(const CPlan& plan, const FitProblem& f) {
    switch (f.What) {
    case FitProblem::Kind::KeinRaum: {
        const CStunde& lead = *plan.StundenL[static_cast<std::size_t>(f.Index)];
        return "einen Universal-Raum anlegen oder einem Raum das Fach „" + SubjectOf(plan, lead) +
               "“ geben";
    }
    case FitProblem::Kind::Einheit:
        return "die Vorgaben dieser Stunden (feste Zeit, Limit, Tag) oder die Sperrungen von "
               "Lehrer, Klasse und Räumen lockern";
    default:
        return f.Wo == FitProblem::Where::Woche
                   ? "Stunden verringern oder Sperrungen aufheben"
                   : "Vorgaben und Sperrungen dieser Stunden lockern oder Stunden verringern";
    }
}

bool SameProblem(const FitProblem& a, const FitProblem& b) {
    return a.What == b.What && a.Index == b.Index;
}

bool Has(const std::vector<FitProblem>& list, const FitProblem& f) {
    return std::any_of(list.begin(), list.end(),
                       [&](const FitProblem& g) { return SameProblem(f, g); });
}

} // namespace

std::vector<std::string> DescribeFitProblems(CPlan& plan, bool schalter) {
    ComputeTargets(plan);
    const std::vector<FitProblem> problems = FindFitProblems(plan);
    if (problems.empty()) return {};
    // Each option that is off, checked on its own, and all three together.
    const std::array<Flag*, 3> flags = {&PlanWriter::Flags(plan).KursUeberStundenLimit,
                                        &PlanWriter::Flags(plan).MehrfachKursUeberStundenLimit,
                                        &PlanWriter::Flags(plan).MehrfachUeberStundenLimit};
    const std::array<Flag, 3> before = {*flags[0], *flags[1], *flags[2]};
    std::array<std::optional<std::vector<FitProblem>>, 4> with;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (before[i]) continue;
        *flags[i] = 1;
        with[i] = FindFitProblems(plan);
        *flags[i] = 0;
    }
    if (!before[0] || !before[1] || !before[2]) {
        for (Flag* f : flags)
            *f = 1;
        with[3] = FindFitProblems(plan);
        for (std::size_t i = 0; i < flags.size(); ++i)
            *flags[i] = before[i];
    }

    std::vector<std::string> lines;
    for (const FitProblem& f : problems) {
        std::string hilfe;
        int helping = 0;
        const auto name = [&](std::size_t i, const char* between) {
            hilfe += helping++ ? between : "";
            hilfe += schalter ? std::string(kLimitSchalter[i])
                              : "„" + std::string(kLimitOptionen[i]) + "“";
        };
        for (std::size_t i = 0; i < flags.size(); ++i)
            if (with[i] && !Has(*with[i], f)) name(i, " oder ");
        if (helping == 0 && with[3] && !Has(*with[3], f))
            for (std::size_t i = 0; i < flags.size(); ++i)
                if (!before[i]) name(i, " und ");
        if (helping == 0)
            hilfe = ChangeText(plan, f);
        else if (!schalter)
            hilfe = std::string(helping > 1 ? "Optionen " : "Option ")
                        .append(hilfe)
                        .append(" ankreuzen");
        lines.push_back(ProblemText(plan, f) + " Abhilfe: " + hilfe + ".");
    }
    return lines;
}

namespace texte {
std::string NieSetzbarFrage(const std::vector<std::string>& findings, std::size_t shown) {
    std::string text = "Kein Versuch kann einen vollständigen Plan ergeben:";
    for (std::size_t i = 0; i < findings.size() && i < shown; ++i)
        text += "\n\n" + findings[i];
    if (findings.size() > shown)
        text += "\n\n… und " + std::to_string(findings.size() - shown) + " weitere.";
    return text + "\n\nTrotzdem Urplan erzeugen?";
}
} // namespace texte

} // namespace sw
