// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Invariants.h"
#include "plan/Evaluation.h"
#include "plan/Placement.h"
#include "plan/PlanWriter.h"
#include "support/Plans.h"
#include "support/School.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;
using test::PlaceRandomly;

using test::SmallSchool;

TEST(Invariants, HoldAfterManyCheckedPlacementsAndLifts) {
    Stammdaten s = SmallSchool();
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ComputeTargets(plan);
    PlanWriter::Flags(plan).MehrfachUeberStundenLimit =
        PlanWriter::Flags(plan).MehrfachKursUeberStundenLimit = 1;
    Random rng(5);
    PlaceRandomly(plan, rng, 400);
    InvariantReport r = CheckInvariants(plan, false);
    EXPECT_TRUE(r.Ok()) << r.Violations.front();
    EXPECT_GT(r.Placed, 20);
    EXPECT_EQ(r.Placed + r.Unplaced, static_cast<int>(plan.StundenL.size()));
    EXPECT_EQ(r.Placed, plan.PlacedCount());
    // Lifting a whole unit keeps everything consistent.
    for (const auto& h : plan.StundenL)
        if (plan.PositionOf(*h) >= 0 && h->BlockPos < 0 && !h->IsCourse()) {
            plan.Lift(plan.RoomOf(*h), plan.SlotOfHour(*h));
            break;
        }
    EXPECT_TRUE(CheckInvariants(plan, false).Ok());
}

// A lesson outside the week in use was not a violation: "check" called such a plan "stimmig".
TEST(Invariants, FindLessonsOutsideTheWeek) {
    Stammdaten s = MakeSchool(5, 6, 2, 1, 1, 1);
    AddBlock(s, "L0", "K0", "F0", {1, 1, 1});
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    plan.Place(*plan.StundenL[0], 0, SlotOf(0, 1));
    EXPECT_TRUE(CheckInvariants(plan, false).Ok());
    plan.Place(*plan.StundenL[1], 0, SlotOf(5, 1)); // day 6 of a 5-day week
    plan.Place(*plan.StundenL[2], 1, SlotOf(2, 0)); // the 0th hour, not in use
    const InvariantReport r = CheckInvariants(plan, false);
    EXPECT_EQ(r.Violations, (std::vector<std::string>{
                                "Stunde 1 (L0, Klasse K0) steht außerhalb der Woche (Tag 5, "
                                "Stunde 1).",
                                "Stunde 2 (L0, Klasse K0) steht außerhalb der Woche (Tag 2, "
                                "Stunde 0)."}));
}

TEST(Invariants, FindBrokenUnitsClashesAndStaleTotals) {
    Stammdaten s = SmallSchool();
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ComputeTargets(plan);
    // The first subject block of K0 with L2: a double lesson (0, 1) and a single hour (2).
    CStunde& d0 = *plan.StundenL[0];
    CStunde& d1 = *plan.StundenL[1];
    CStunde& single = *plan.StundenL[2];
    plan.Place(d0, 0, SlotOf(0, 1));
    plan.Place(d1, 0, SlotOf(1, 2));     // not consecutive
    plan.Place(single, 1, SlotOf(0, 1)); // same teacher and class at (0, 1), unchecked
    EvaluateAll(plan);
    const InvariantReport r = CheckInvariants(plan, false);
    ASSERT_FALSE(r.Ok());
    auto has = [&](const std::string& part) {
        for (const auto& v : r.Violations)
            if (v.find(part) != std::string::npos) return true;
        return false;
    };
    EXPECT_TRUE(has("nicht aufeinanderfolgend"));
    EXPECT_TRUE(has("Lehrer L2 hat zwei Stunden: Tag 0, Stunde 1."));
    EXPECT_TRUE(has("Klasse K0 hat zwei Stunden: Tag 0, Stunde 1."));
    // A total that a move forgot to update is found.
    PlanWriter::Totals(plan).KLSSumme += 1;
    const InvariantReport t = CheckInvariants(plan, true);
    bool found = false;
    for (const auto& v : t.Violations)
        found = found || v.rfind("KLSSumme ist", 0) == 0;
    EXPECT_TRUE(found);
}

// A plan placed at random on the mixed school (separations, special separations, courses), its
// figures fresh; teacher L5 takes no part in the optimisation.
struct DriftPlan {
    static Stammdaten School() {
        Stammdaten s = test::MixedSchool(true);
        s.Lehrer[5].Opti = 0;
        return s;
    }
    Stammdaten s = School();
    CapturingReporter rep;
    CPlan plan{s, rep};
    DriftPlan() { test::PlaceAtRandom(plan, 31); }
};

// Every total the moves keep and every record field is compared with a fresh evaluation, named
// with both values; the plan is left as it was, drift included.
TEST(KeptTotalsDrift, NamesTheFirstDifferenceAndChangesNothing) {
    DriftPlan d;
    CPlan& plan = d.plan;
    ASSERT_EQ(KeptTotalsDrift(plan), "");
    const PlanTotals fresh = plan.Totals();
    const auto expect = [&](std::int32_t& field, int delta, const std::string& name) {
        const std::int32_t was = field;
        field += delta;
        const PlanTotals before = plan.Totals();
        EXPECT_EQ(KeptTotalsDrift(plan), name + " ist " + std::to_string(was + delta) +
                                             ", neu berechnet " + std::to_string(was) + ".");
        EXPECT_EQ(plan.Totals(), before); // nothing refreshed
        field = was;
    };
    expect(PlanWriter::Totals(plan).LLSSumme, 3, "LLSSumme");
    expect(PlanWriter::Totals(plan).KLSSumme, -1, "KLSSumme");
    expect(PlanWriter::Totals(plan).TFSumme, 2, "TFSumme");
    expect(PlanWriter::Totals(plan).STFSumme, -1, "STFSumme");
    expect(PlanWriter::Totals(plan).LProd, 5, "LProd");
    expect(PlanWriter::Totals(plan).KProd, -7, "KProd");
    expect(PlanWriter::Totals(plan).LLSMax, -1, "LLSMax");
    // LLSMax may stand above the grid's value; TFMax and STFMax are not kept by the moves.
    PlanWriter::Totals(plan).LLSMax += 4;
    PlanWriter::Totals(plan).TFMax = PlanWriter::Totals(plan).STFMax = 99;
    EXPECT_EQ(KeptTotalsDrift(plan), "");
    plan.SetTotals(fresh);

    const std::vector<CLehrerStatus> teachers = plan.LehrerStatusL;
    PlanWriter::LehrerStatus(plan)[2].MaxLuecke += 1;
    PlanWriter::KlassenStatus(plan)[1].STF += 1;
    EXPECT_EQ(KeptTotalsDrift(plan),
              "Status des Lehrers L2: MaxLuecke ist " + std::to_string(teachers[2].MaxLuecke + 1) +
                  ", neu berechnet " + std::to_string(teachers[2].MaxLuecke) + ".");
    PlanWriter::LehrerStatus(plan) = teachers;
    EXPECT_EQ(KeptTotalsDrift(plan),
              "Status der Klasse K1: STF ist " + std::to_string(plan.KlassenStatusL[1].STF) +
                  ", neu berechnet " + std::to_string(plan.KlassenStatusL[1].STF - 1) + ".");
    // A total comes before a record; CheckInvariants reports the same sentence.
    PlanWriter::Totals(plan).KProd += 1;
    EXPECT_EQ(KeptTotalsDrift(plan).rfind("KProd ist ", 0), 0u);
    EXPECT_EQ(CheckInvariants(plan, true).Violations,
              std::vector<std::string>{KeptTotalsDrift(plan)});
    EXPECT_TRUE(CheckInvariants(plan, false).Ok());
    EXPECT_TRUE(d.rep.shown.empty());
}

// A grid changed behind the totals' back is drift; a teacher outside the optimisation keeps
// whatever record he has, so his record is no drift.
TEST(KeptTotalsDrift, GridChangedBehindTheTotals) {
    DriftPlan d;
    CPlan& plan = d.plan;
    PlanWriter::LehrerStatus(plan)[5].LLS = 1234;
    EXPECT_EQ(KeptTotalsDrift(plan), "LLSSumme ist " + std::to_string(plan.Totals().LLSSumme) +
                                         ", neu berechnet " +
                                         std::to_string(plan.Totals().LLSSumme + 1234) + ".");
    PlanWriter::Totals(plan).LLSSumme += 1234;
    PlanWriter::Totals(plan).LLSMax = std::max(PlanWriter::Totals(plan).LLSMax, 1234);
    EXPECT_EQ(KeptTotalsDrift(plan), "");
    // Lift a lesson without telling the totals: its teacher has another one that day, so his
    // spread changes.
    const auto sameDay = [&](const CStunde& h) {
        int n = 0;
        for (int hour = 0; hour < kHoursPerDay; ++hour)
            n += plan.TeacherLessons(h.Lehrer, SlotOf(DayOf(plan.SlotOfHour(h)), hour));
        return n;
    };
    const CStunde* lifted = nullptr;
    for (const auto& h : plan.StundenL)
        if (!lifted && plan.PositionOf(*h) >= 0 && !h->IsCourse() && h->BlockPos < 0 &&
            h->Lehrer != 5 && sameDay(*h) >= 2)
            lifted = plan.Lift(plan.RoomOf(*h), plan.SlotOfHour(*h));
    ASSERT_NE(lifted, nullptr);
    EXPECT_NE(KeptTotalsDrift(plan), "");
    EvaluateAll(plan);
    EXPECT_EQ(KeptTotalsDrift(plan), "");
}

TEST(Invariants, ParallelCourseHoursMustShareTheSlot) {
    Stammdaten s = SmallSchool();
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    CStunde* reli = nullptr;
    for (const auto& h : plan.StundenL)
        if (h->IsCourse() && h->BlockPos < 0 && !reli) reli = h.get();
    ASSERT_NE(reli, nullptr);
    ASSERT_EQ(reli->ParallelL->size(), 2u);
    plan.Place(*(*reli->ParallelL)[0], 0, SlotOf(2, 1));
    plan.Place(*(*reli->ParallelL)[1], 1, SlotOf(2, 1));
    EXPECT_TRUE(CheckInvariants(plan, false).Ok()); // classes shared, no clash
    plan.Swap(1, SlotOf(2, 1), 1, SlotOf(2, 2));
    EXPECT_FALSE(CheckInvariants(plan, false).Ok());
}

} // namespace
} // namespace sw
