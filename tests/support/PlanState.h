// SPDX-License-Identifier: GPL-3.0-or-later
// PlanState.h: a full copy of what a move or a run may change in a plan (every cell, where every
// hour stands, the occupancy counts, the status records, the totals), for tests that compare a
// plan before and after an undo or a restore. Header only: it reads the plan through its public
// interface.
#pragma once

#include "plan/Plan.h"

#include <string>
#include <vector>

namespace sw::test {

struct PlanState {
    std::vector<const CStunde*> cells; // what each cell shows: lesson, placeholder or marker
    std::vector<int> positions;        // per hour of StundenL
    std::vector<int> counts;           // teacher, class, course, separation counts per slot
    std::vector<const CStunde*> only;  // the hour the counts name, per teacher and class slot
    std::vector<CLehrerStatus> teachers;
    std::vector<CKlassenStatus> classes;
    PlanTotals totals;
    int placed = 0;

    static PlanState Of(const CPlan& p) {
        PlanState s;
        for (int r = 0; r < p.RaumAnzahl; ++r)
            for (int sl = 0; sl < kSlotCount; ++sl)
                s.cells.push_back(&p.At(r, sl));
        for (const auto& h : p.StundenL)
            s.positions.push_back(p.PositionOf(*h));
        for (int sl = 0; sl < kSlotCount; ++sl) {
            for (int t = 0; t < p.LehrerAnzahl; ++t) {
                s.counts.push_back(p.TeacherLessons(t, sl));
                s.only.push_back(p.OnlyLessonOfTeacher(t, sl));
            }
            for (int k = 0; k < p.KlassenAnzahl; ++k) {
                s.counts.push_back(p.ClassLessons(k, sl));
                s.counts.push_back(p.SeparationLessons(k, sl));
                s.only.push_back(p.OnlyLessonOfClass(k, sl));
            }
            for (std::size_t b = 0; b < p.Stamm().KursBloecke.size(); ++b)
                s.counts.push_back(p.CourseLessons(static_cast<int>(b), sl));
        }
        for (int d = 0; d < kMaxDays; ++d) {
            for (int t = 0; t < p.LehrerAnzahl; ++t)
                s.counts.push_back(p.TeacherDayBits(t, d));
            for (int k = 0; k < p.KlassenAnzahl; ++k)
                s.counts.push_back(p.ClassDayBits(k, d));
        }
        s.teachers = p.LehrerStatusL;
        s.classes = p.KlassenStatusL;
        s.totals = p.Totals();
        s.placed = p.PlacedCount();
        return s;
    }

    bool operator==(const PlanState&) const = default;

    // The first part that differs, for a failure message; empty when equal.
    static std::string Difference(const PlanState& a, const PlanState& b) {
        if (a.cells != b.cells) return "Zellen";
        if (a.positions != b.positions) return "Positionen";
        if (a.counts != b.counts || a.only != b.only) return "Belegungszähler";
        if (a.teachers != b.teachers) return "Lehrer-Status";
        if (a.classes != b.classes) return "Klassen-Status";
        if (!(a.totals == b.totals)) return "Kennzahlen";
        if (a.placed != b.placed) return "gesetzte Stunden";
        return {};
    }
};

} // namespace sw::test
