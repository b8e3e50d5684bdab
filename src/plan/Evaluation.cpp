// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Evaluation.h"
#include "plan/PlanWriter.h"

#include <algorithm>

namespace sw {

int IdealProduct(int hours, int days) {
    if (days <= 0) return 0;
    const int base = hours / days;
    const int extra = hours % days;
    long long prod = 1;
    for (int d = 0; d < days; ++d)
        prod *= d < extra ? base + 1 : base;
    return static_cast<int>(std::min<long long>(prod, 2147483647LL));
}

void ComputeTargets(CPlan& plan) {
    const int d = plan.Tage;
    PlanTotals& totals = PlanWriter::Totals(plan);
    totals.KProdOpt = 0;
    totals.LProdOpt = 0;
    if (d <= 0) return;
    for (int k = 0; k < plan.KlassenAnzahl; ++k) {
        CKlassenSollwerte& c = PlanWriter::KlassenSoll(plan)[k];
        const int h = c.WochenStunden;
        c.StundenLimit = (h + d - 1) / d;
        c.MaxProTag = c.StundenLimit;
        c.MinProTag = h / d;
        c.TageMitMax = h % d == 0 ? d : h % d;
        if (plan.KlasseAt(k).Opti) {
            c.ProdOpt = IdealProduct(h, d);
            totals.KProdOpt += c.ProdOpt;
        }
    }
    for (int t = 0; t < plan.LehrerAnzahl; ++t) {
        CLehrerSollwerte& l = PlanWriter::LehrerSoll(plan)[t];
        const int h = l.WochenStunden;
        l.MaxProTag = (h + d - 1) / d;
        l.TageMitMax = h % d == 0 ? d : h % d;
        if (plan.LehrerAt(t).Opti) {
            l.ProdOpt = IdealProduct(h, d);
            totals.LProdOpt += l.ProdOpt;
        }
    }
}

namespace {

struct DayWalk {
    int lessons = 0;
    int gaps = 0;
    int longest = 0;
};

// Walks hours 0..Stunden of one day. A run of free hours after the first lesson counts as gap
// hours once another lesson ends it; a locked hour neither counts nor ends the run; a run still
// open after the last lesson is dropped.
template <typename HasLesson>
DayWalk WalkDay(const CPlan& plan, int day, const LockGrid& sperre, HasLesson hasLesson) {
    DayWalk w;
    int run = 0;
    bool started = false;
    for (int hour = 0; hour <= plan.Stunden; ++hour) {
        const int s = SlotOf(day, hour);
        if (hasLesson(s)) {
            ++w.lessons;
            if (run > 0) {
                w.gaps += run;
                w.longest = std::max(w.longest, run);
            }
            run = 0;
            started = true;
        } else if (started && sperre[s] == 0) {
            ++run;
        }
    }
    return w;
}

// Separation errors of one day's entries (identity, group), in slot and room order.
void CountSeparation(std::vector<std::pair<int, int>>& entries, int& tf, int& stf) {
    // TF: every further unit of an identity already seen on the day is one error.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        bool seen = false;
        for (std::size_t j = 0; j < i && !seen; ++j)
            seen = entries[j].first == entries[i].first;
        if (seen) ++tf;
    }
    // STF: take the first entry off; with a group, every further entry of that group with
    // another identity is removed and counts one error.
    std::size_t n = entries.size();
    std::size_t head = 0;
    while (head < n) {
        const auto [identity, group] = entries[head++];
        if (group == -1) continue;
        std::size_t out = head;
        for (std::size_t i = head; i < n; ++i) {
            if (entries[i].second == group && entries[i].first != identity) {
                ++stf;
            } else {
                entries[out++] = entries[i];
            }
        }
        n = out;
    }
}

// The walks of every day of the week for one teacher or class: gap hours (returned), the longest
// gap, the most and fewest lessons on a day, and the spread, the product of `factor` of each
// day's lessons.
template <typename Status, typename HasLesson, typename Factor>
int WalkWeek(const CPlan& plan, Status& st, const LockGrid& sperre, HasLesson hasLesson,
             Factor factor) {
    // Kept in locals: the status record is written once at the end.
    int prod = 1, fewest = 1000, most = 0, longest = 0, gaps = 0;
    const int days = st.Gezaehlt ? plan.Tage : 0;
    for (int day = 0; day < days; ++day) {
        const DayWalk w = WalkDay(plan, day, sperre, hasLesson);
        gaps += w.gaps;
        longest = std::max(longest, w.longest);
        prod *= factor(w.lessons);
        most = std::max(most, w.lessons);
        fewest = std::min(fewest, w.lessons);
    }
    st.Prod = prod;
    st.MinStunden = fewest;
    st.MaxStunden = most;
    st.MaxLuecke = longest;
    return gaps;
}

inline void TeacherInto(const CPlan& plan, int t, CLehrerStatus& st) {
    const CLehrer& lehrer = plan.LehrerAt(t);
    if (!lehrer.Opti) return;
    // A free day leaves the spread as it is, or multiplies it by 10 for a teacher who likes free
    // days.
    const int freeDay = lehrer.TendenzZuFreienTagen ? 10 : 1;
    st.LLS = WalkWeek(
        plan, st, lehrer.Sperre, [&](int s) { return plan.TeacherLessons(t, s) > 0; },
        [freeDay](int lessons) { return lessons > 0 ? lessons : freeDay; });
}

} // namespace

void EvaluateTeacher(CPlan& plan, int t) {
    TeacherInto(plan, t, PlanWriter::LehrerStatus(plan)[t]);
}

void EvaluateTeacherInto(const CPlan& plan, int t, CLehrerStatus& st) {
    TeacherInto(plan, t, st);
}

void EvaluateClass(CPlan& plan, int k) {
    if (!plan.KlasseAt(k).Opti) return;
    CKlassenStatus& st = PlanWriter::KlassenStatus(plan)[k];
    EvaluateClassInto(plan, k, st);
    if (plan.KlassenSollL[k].ProdOpt < st.Prod)
        plan.Report().Show({"gaga ... Prod - Error", "Prod Error"});
}

void EvaluateClassInto(const CPlan& plan, int k, CKlassenStatus& st) {
    const CKlasse& klasse = plan.KlasseAt(k);
    if (!klasse.Opti) return;
    // A free day makes a class's spread 0.
    st.KLS = WalkWeek(
        plan, st, klasse.Sperre, [&](int s) { return plan.ClassLessons(k, s) > 0; },
        [](int lessons) { return lessons; });

    st.TF = 0;
    st.STF = 0;
    auto& entries = plan.TrennungScratch();
    for (int day = 0; day < plan.Tage; ++day) {
        entries.clear();
        for (int hour = 0; hour < kHoursPerDay; ++hour) {
            const int s = SlotOf(day, hour);
            if (plan.SeparationLessons(k, s) == 0) continue;
            // The class's only lesson at the slot is the separated one.
            if (const CStunde* y = plan.OnlyLessonOfClass(k, s)) {
                entries.emplace_back(y->IsCourse() ? ~y->FachKurs : y->FachKurs,
                                     y->SpezialTrennung);
                continue;
            }
            int courseSeen = -1; // a course counts once per slot, whatever its parallel hours
            for (int r = 0; r < plan.RaumAnzahl; ++r) {
                const CStunde& y = plan.At(r, s);
                if (!y.IsLesson() || !y.Trennung || !y.IsFirstOfUnit()) continue;
                if (y.IsCourse()) {
                    if (y.FachKurs == courseSeen) continue;
                    if (!y.Involves(k)) continue;
                    courseSeen = y.FachKurs;
                    entries.emplace_back(~y.FachKurs, y.SpezialTrennung);
                } else if (y.Klasse == k) {
                    entries.emplace_back(y.FachKurs, y.SpezialTrennung);
                }
            }
        }
        CountSeparation(entries, st.TF, st.STF);
    }
}

void EvaluateAll(CPlan& plan) {
    PlanTotals& totals = PlanWriter::Totals(plan);
    totals.LLSSumme = totals.LLSMax = totals.KLSSumme = 0;
    totals.TFSumme = totals.TFMax = totals.STFSumme = totals.STFMax = 0;
    totals.LProd = totals.KProd = 0;
    for (int t = 0; t < plan.LehrerAnzahl; ++t) {
        EvaluateTeacher(plan, t);
        const CLehrerStatus& st = plan.LehrerStatusL[t];
        totals.LLSSumme += st.LLS;
        totals.LLSMax = std::max(totals.LLSMax, st.LLS);
        totals.LProd += st.Prod;
    }
    for (int k = 0; k < plan.KlassenAnzahl; ++k) {
        EvaluateClass(plan, k);
        const CKlassenStatus& st = plan.KlassenStatusL[k];
        totals.KLSSumme += st.KLS;
        totals.TFSumme += st.TF;
        totals.STFSumme += st.STF;
        totals.TFMax = std::max(totals.TFMax, st.TF);
        totals.STFMax = std::max(totals.STFMax, st.STF);
        totals.KProd += st.Prod;
    }
}

} // namespace sw
