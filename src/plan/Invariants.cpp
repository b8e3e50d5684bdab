// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Invariants.h"

#include "plan/Evaluation.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace sw {

namespace {

std::string Describe(const CPlan& plan, const CStunde& h) {
    std::string text =
        "Stunde " + std::to_string(h.Index) + " (" + plan.LehrerAt(h.Lehrer).Name + ", ";
    text += h.IsCourse() ? "Kurs " + plan.Stamm().KursBloecke[h.FachKurs].Name
                         : "Klasse " + plan.KlasseAt(h.Klasse).Name;
    return text + ")";
}

std::string SlotText(int slot) {
    return "Tag " + std::to_string(DayOf(slot)) + ", Stunde " + std::to_string(HourOf(slot));
}

void CheckCells(const CPlan& plan, InvariantReport& rep) {
    std::vector<int> seen(plan.StundenL.size(), -1);
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        for (int s = 0; s < kSlotCount; ++s) {
            const CStunde* h = plan.HourAt(r, s);
            if (!h) continue;
            const int cell = r * kSlotCount + s;
            if (h->Index < 0 || h->Index >= static_cast<int>(plan.StundenL.size()) ||
                plan.StundenL[h->Index].get() != h) {
                rep.Violations.push_back("Eine Stunde im Raster steht nicht in der Stundenliste (" +
                                         SlotText(s) + ").");
                continue;
            }
            if (!plan.InWeek(s))
                rep.Violations.push_back(Describe(plan, *h) + " steht außerhalb der Woche (" +
                                         SlotText(s) + ").");
            if (seen[h->Index] >= 0)
                rep.Violations.push_back(Describe(plan, *h) + " steht in zwei Zellen.");
            seen[h->Index] = cell;
            if (plan.PositionOf(*h) != cell)
                rep.Violations.push_back(Describe(plan, *h) + ": Position stimmt nicht.");
        }
    for (const auto& h : plan.StundenL) {
        if (seen[h->Index] >= 0)
            ++rep.Placed;
        else
            ++rep.Unplaced;
        if (seen[h->Index] < 0 && plan.PositionOf(*h) >= 0)
            rep.Violations.push_back(Describe(plan, *h) + ": Position ohne Zelle.");
    }
}

void CheckUnitsAndParallels(const CPlan& plan, InvariantReport& rep) {
    const auto& list = plan.StundenL;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const CStunde& h = *list[i];
        if (h.BlockPos == 0) {
            const int first = plan.SlotOfHour(h);
            for (int p = 1; p < h.Laenge; ++p) {
                if (i + p >= list.size() || list[i + p]->BlockPos != p) {
                    rep.Violations.push_back(Describe(plan, h) + ": Einheit unvollständig.");
                    break;
                }
                const int slot = plan.SlotOfHour(*list[i + p]);
                const bool ok =
                    first < 0 ? slot < 0 : slot == first + p && DayOf(slot) == DayOf(first);
                if (!ok) {
                    rep.Violations.push_back(Describe(plan, h) +
                                             ": Stunden der Einheit nicht aufeinanderfolgend.");
                    break;
                }
            }
        }
        if (h.ParallelL && !h.ParallelL->empty() && h.ParallelL->front() == &h) {
            const int slot = plan.SlotOfHour(h);
            for (const CStunde* q : *h.ParallelL)
                if (plan.SlotOfHour(*q) != slot) {
                    rep.Violations.push_back(Describe(plan, h) +
                                             ": parallele Kursstunden nicht zur selben Zeit.");
                    break;
                }
        }
    }
}

// Whether a day's bits mark the hour of `slot` busy.
bool DayBit(std::uint16_t day, int slot) {
    return ((day >> HourOf(slot)) & 1u) != 0;
}

void CheckSlots(const CPlan& plan, InvariantReport& rep) {
    std::vector<int> teacher(plan.LehrerAnzahl), klasse(plan.KlassenAnzahl),
        kurs(plan.Stamm().KursBloecke.size());
    std::vector<int> klasseCourse(plan.KlassenAnzahl), trenn(plan.KlassenAnzahl);
    // The last hour seen per teacher and class: with one lesson it is the one the counts name.
    std::vector<const CStunde*> teacherHour(plan.LehrerAnzahl), klasseHour(plan.KlassenAnzahl);
    for (int s = 0; s < kSlotCount; ++s) {
        std::fill(teacher.begin(), teacher.end(), 0);
        std::fill(klasse.begin(), klasse.end(), 0);
        std::fill(kurs.begin(), kurs.end(), 0);
        std::fill(klasseCourse.begin(), klasseCourse.end(), -1);
        std::fill(trenn.begin(), trenn.end(), 0);
        for (int r = 0; r < plan.RaumAnzahl; ++r) {
            const CStunde* h = plan.HourAt(r, s);
            if (!h) continue;
            teacherHour[h->Lehrer] = h;
            if (++teacher[h->Lehrer] == 2)
                rep.Violations.push_back("Lehrer " + plan.LehrerAt(h->Lehrer).Name +
                                         " hat zwei Stunden: " + SlotText(s) + ".");
            const int separates = h->Trennung && h->IsFirstOfUnit() ? 1 : 0;
            if (!h->IsCourse()) {
                klasseHour[h->Klasse] = h;
                ++klasse[h->Klasse];
                trenn[h->Klasse] += separates;
                klasseCourse[h->Klasse] = -2; // a subject hour
                continue;
            }
            ++kurs[h->FachKurs];
            for (int k : *h->KlassenL) {
                klasseHour[k] = h;
                ++klasse[k];
                trenn[k] += separates;
                // Parallel hours of one course block share their classes.
                if (klasseCourse[k] == -1)
                    klasseCourse[k] = h->FachKurs;
                else if (klasseCourse[k] != h->FachKurs)
                    klasseCourse[k] = -2;
            }
        }
        for (int k = 0; k < plan.KlassenAnzahl; ++k) {
            const bool clash = klasse[k] > 1 && klasseCourse[k] < 0;
            if (clash)
                rep.Violations.push_back("Klasse " + plan.KlasseAt(k).Name +
                                         " hat zwei Stunden: " + SlotText(s) + ".");
            if (plan.ClassLessons(k, s) != klasse[k] || plan.SeparationLessons(k, s) != trenn[k] ||
                (klasse[k] == 1 && plan.OnlyLessonOfClass(k, s) != klasseHour[k]) ||
                DayBit(plan.ClassDayBits(k, DayOf(s)), s) != (klasse[k] > 0))
                rep.Violations.push_back("Belegungszähler der Klasse " + plan.KlasseAt(k).Name +
                                         " falsch: " + SlotText(s) + ".");
        }
        for (int t = 0; t < plan.LehrerAnzahl; ++t)
            if (plan.TeacherLessons(t, s) != teacher[t] ||
                (teacher[t] == 1 && plan.OnlyLessonOfTeacher(t, s) != teacherHour[t]) ||
                DayBit(plan.TeacherDayBits(t, DayOf(s)), s) != (teacher[t] > 0))
                rep.Violations.push_back("Belegungszähler des Lehrers " + plan.LehrerAt(t).Name +
                                         " falsch: " + SlotText(s) + ".");
        for (std::size_t b = 0; b < kurs.size(); ++b)
            if (plan.CourseLessons(static_cast<int>(b), s) != kurs[b])
                rep.Violations.push_back("Belegungszähler eines Kurses falsch: " + SlotText(s) +
                                         ".");
    }
}

std::string Differs(const char* name, std::int32_t kept, std::int32_t fresh) {
    return std::string(name) + " ist " + std::to_string(kept) + ", neu berechnet " +
           std::to_string(fresh) + ".";
}

// The first field in which a kept status record differs from a fresh one; empty when none does.
template <typename Status, std::size_t N>
std::string RecordDifference(const Status& kept, const Status& fresh,
                             const std::pair<const char*, std::int32_t Status::*> (&fields)[N]) {
    for (const auto& [name, field] : fields)
        if (kept.*field != fresh.*field) return Differs(name, kept.*field, fresh.*field);
    return {};
}

constexpr std::pair<const char*, std::int32_t CLehrerStatus::*> kLehrerFelder[] = {
    {"LLS", &CLehrerStatus::LLS},
    {"MaxLuecke", &CLehrerStatus::MaxLuecke},
    {"MaxStunden", &CLehrerStatus::MaxStunden},
    {"MinStunden", &CLehrerStatus::MinStunden},
    {"Prod", &CLehrerStatus::Prod}};
constexpr std::pair<const char*, std::int32_t CKlassenStatus::*> kKlassenFelder[] = {
    {"KLS", &CKlassenStatus::KLS},
    {"MaxLuecke", &CKlassenStatus::MaxLuecke},
    {"MaxStunden", &CKlassenStatus::MaxStunden},
    {"MinStunden", &CKlassenStatus::MinStunden},
    {"Prod", &CKlassenStatus::Prod},
    {"TF", &CKlassenStatus::TF},
    {"STF", &CKlassenStatus::STF}};

} // namespace

InvariantReport CheckInvariants(const CPlan& plan, bool compareTotals) {
    InvariantReport rep;
    CheckCells(plan, rep);
    CheckUnitsAndParallels(plan, rep);
    CheckSlots(plan, rep);
    if (compareTotals)
        if (std::string drift = KeptTotalsDrift(plan); !drift.empty())
            rep.Violations.push_back(std::move(drift));
    return rep;
}

std::string KeptTotalsDrift(const CPlan& plan) {
    // The sums as EvaluateAll forms them, and the first record that differs.
    std::int32_t lls = 0, llsMax = 0, lprod = 0, kls = 0, tf = 0, stf = 0, kprod = 0;
    std::string record;
    for (int t = 0; t < plan.LehrerAnzahl; ++t) {
        const CLehrerStatus& kept = plan.LehrerStatusL[t];
        CLehrerStatus fresh = kept;
        EvaluateTeacherInto(plan, t, fresh);
        lls += fresh.LLS;
        llsMax = std::max(llsMax, fresh.LLS);
        lprod += fresh.Prod;
        if (record.empty())
            if (std::string d = RecordDifference(kept, fresh, kLehrerFelder); !d.empty())
                record = "Status des Lehrers " + plan.LehrerAt(t).Name + ": " + d;
    }
    std::string classRecord;
    for (int k = 0; k < plan.KlassenAnzahl; ++k) {
        const CKlassenStatus& kept = plan.KlassenStatusL[k];
        CKlassenStatus fresh = kept;
        EvaluateClassInto(plan, k, fresh);
        kls += fresh.KLS;
        tf += fresh.TF;
        stf += fresh.STF;
        kprod += fresh.Prod;
        if (classRecord.empty())
            if (std::string d = RecordDifference(kept, fresh, kKlassenFelder); !d.empty())
                classRecord = "Status der Klasse " + plan.KlasseAt(k).Name + ": " + d;
    }
    struct Total {
        const char* name;
        std::int32_t kept, fresh;
    };
    const Total totals[] = {
        {"LLSSumme", plan.Totals().LLSSumme, lls}, {"KLSSumme", plan.Totals().KLSSumme, kls},
        {"TFSumme", plan.Totals().TFSumme, tf},    {"STFSumme", plan.Totals().STFSumme, stf},
        {"LProd", plan.Totals().LProd, lprod},     {"KProd", plan.Totals().KProd, kprod}};
    for (const Total& x : totals)
        if (x.kept != x.fresh) return Differs(x.name, x.kept, x.fresh);
    if (plan.Totals().LLSMax < llsMax) return Differs("LLSMax", plan.Totals().LLSMax, llsMax);
    return record.empty() ? classRecord : record;
}

} // namespace sw
