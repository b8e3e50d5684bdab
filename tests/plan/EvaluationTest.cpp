// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Evaluation.h"
#include "plan/PlanWriter.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;

using EvaluationFixture = test::PlanFixture;

TEST(ComputeTargets, LimitsAndIdealProducts) {
    EvaluationFixture f;
    f.s = MakeSchool(5, 8, 1, 3, 2, 1);
    AddBlock(f.s, "L0", "K0", "F0", std::vector<int>(27, 1));
    AddBlock(f.s, "L1", "K1", "F0", std::vector<int>(25, 1));
    AddBlock(f.s, "L2", "K1", "F0", {}); // no hours: no teacher load
    f.s.Lehrer[2].Opti = 0;
    f.s.Lehrer[2].LetztesSoll = {.MaxProTag = 9, .TageMitMax = 8, .ProdOpt = 77};
    f.s.Klassen[0].LetztesSoll.ProdOpt = 12;
    const Stammdaten before = f.s;
    f.Build();
    const CKlassenSollwerte& k0 = f.plan->KlassenSollL[0];
    EXPECT_EQ(k0.WochenStunden, 27);
    EXPECT_EQ(k0.StundenLimit, 6);
    EXPECT_EQ(k0.MaxProTag, 6);
    EXPECT_EQ(k0.MinProTag, 5);
    EXPECT_EQ(k0.TageMitMax, 2);
    EXPECT_EQ(k0.ProdOpt, 4500);
    EXPECT_EQ(f.plan->KlassenSollL[1].TageMitMax, 5);
    EXPECT_EQ(f.plan->KlassenSollL[1].ProdOpt, 3125);
    EXPECT_EQ(f.plan->Totals().KProdOpt, 4500 + 3125);
    EXPECT_EQ(f.plan->LehrerSollL[0].ProdOpt, 4500);
    // Outside the optimisation the ideal spread stays as the master data carried it; the rest
    // is computed.
    const CLehrerSollwerte& l2 = f.plan->LehrerSollL[2];
    EXPECT_EQ(l2.ProdOpt, 77);
    EXPECT_EQ(l2.MaxProTag, 0);
    EXPECT_EQ(l2.TageMitMax, 5);
    EXPECT_EQ(f.plan->Totals().LProdOpt, 4500 + 3125);
    // The master data is only read.
    EXPECT_EQ(f.s, before);
    EXPECT_EQ(IdealProduct(3, 5), 0); // fewer hours than days
}

TEST(EvaluateTeacher, GapRunsLocksAndFreeDays) {
    EvaluationFixture f;
    f.s = MakeSchool(5, 8, 2, 2, 2, 1);
    f.s.Lehrer[0].Sperre[SlotOf(0, 2)] = 1;
    AddBlock(f.s, "L0", "K0", "F0", {1, 1, 1, 1, 1, 1, 1, 1});
    AddBlock(f.s, "L1", "K1", "F0", {1, 1});
    f.Build();
    CPlan& p = *f.plan;
    // Day 0: hours 1 and 4 with a lock at 2: one gap hour (3).
    p.Place(f.H(0), 0, SlotOf(0, 1));
    p.Place(f.H(1), 0, SlotOf(0, 4));
    // Day 1: hours 2 and 3 only: no gaps. Days 2..4: one lesson each, except day 4 free.
    p.Place(f.H(2), 0, SlotOf(1, 2));
    p.Place(f.H(3), 0, SlotOf(1, 3));
    p.Place(f.H(4), 0, SlotOf(2, 1));
    p.Place(f.H(5), 0, SlotOf(3, 1));
    p.Place(f.H(6), 0, SlotOf(3, 5));
    p.Place(f.H(7), 0, SlotOf(3, 8)); // day 3: gaps 2..4 (3) and 6..7 (2)
    EvaluateTeacher(p, 0);
    const CLehrerStatus& st = p.LehrerStatusL[0];
    EXPECT_EQ(st.LLS, 1 + 3 + 2);
    EXPECT_EQ(st.MaxLuecke, 3);
    EXPECT_EQ(st.MaxStunden, 3);
    EXPECT_EQ(st.MinStunden, 0);
    EXPECT_EQ(st.Prod, 2 * 2 * 1 * 3);
    f.s.Lehrer[0].TendenzZuFreienTagen = 1;
    EvaluateTeacher(p, 0);
    EXPECT_EQ(st.Prod, 2 * 2 * 1 * 3 * 10);
    // The class with the same lessons has a free day: its product is 0.
    EvaluateClass(p, 0);
    EXPECT_EQ(p.KlassenStatusL[0].Prod, 0);
    EXPECT_EQ(p.KlassenStatusL[0].KLS, 2 + 3 + 2); // the class has no lock at (0, 2)
    // Outside the optimisation the record keeps its values.
    f.s.Lehrer[0].Opti = 0;
    p.Lift(0, SlotOf(0, 1));
    EvaluateTeacher(p, 0);
    EXPECT_EQ(st.LLS, 6);
}

TEST(EvaluateClass, ProductAboveTheIdealIsReported) {
    EvaluationFixture f;
    f.s = MakeSchool(2, 8, 1, 1, 1, 1);
    AddBlock(f.s, "L0", "K0", "F0", {1, 1});
    f.Build();
    PlanWriter::KlassenSoll(*f.plan)[0].ProdOpt = 0; // inconsistent target
    f.plan->Place(f.H(0), 0, SlotOf(0, 1));
    f.plan->Place(f.H(1), 0, SlotOf(1, 1));
    EvaluateClass(*f.plan, 0);
    ASSERT_EQ(f.rep.shown.size(), 1u);
    EXPECT_EQ(f.rep.shown[0], (Message{"gaga ... Prod - Error", "Prod Error"}));
}

TEST(EvaluateClass, SeparationErrors) {
    EvaluationFixture f;
    f.s = MakeSchool(5, 8, 3, 3, 1, 3);
    AddBlock(f.s, "L0", "K0", "F0", {1, 1, 1}, true);  // hours 0..2
    AddBlock(f.s, "L1", "K0", "F1", {1, 1, 1}, false); // hours 3..5
    AddBlock(f.s, "L2", "K0", "F2", {2, 2}, true);     // hours 6..9
    f.Build();
    CPlan& p = *f.plan;
    for (int i = 0; i < 3; ++i)
        p.Place(f.H(i), 0, SlotOf(0, 1 + i));
    for (int i = 0; i < 3; ++i)
        p.Place(f.H(3 + i), 0, SlotOf(1, 1 + i));
    // One double lesson on day 2 counts once: no error.
    p.Place(f.H(6), 0, SlotOf(2, 1));
    p.Place(f.H(7), 0, SlotOf(2, 2));
    EvaluateClass(p, 0);
    EXPECT_EQ(p.KlassenStatusL[0].TF, 2);
    EXPECT_EQ(p.KlassenStatusL[0].STF, 0);
    // Both doubles on one day: one error.
    p.Place(f.H(8), 0, SlotOf(2, 4));
    p.Place(f.H(9), 0, SlotOf(2, 5));
    EvaluateClass(p, 0);
    EXPECT_EQ(p.KlassenStatusL[0].TF, 3);
}

TEST(EvaluateClass, SpecialSeparationGroups) {
    EvaluationFixture f;
    f.s = MakeSchool(5, 8, 3, 3, 2, 3);
    CFachBlock& a = AddBlock(f.s, "L0", "K0", "F0", {1}, true);
    a.SpezialTrennung = 3;
    CFachBlock& b = AddBlock(f.s, "L1", "K0", "F1", {1, 1}, true);
    b.SpezialTrennung = 3;
    CFachBlock& c = AddBlock(f.s, "L2", "K0", "F2", {1}, true); // group -1: never counts
    (void)c;
    CKursBlock& k = AddCourse(f.s, "Kurs", {"L0", "L1"}, {"K0", "K1"}, {1});
    k.Trennung = 1;
    k.SpezialTrennung = 3;
    f.Build();
    CPlan& p = *f.plan;
    p.Place(f.H(0), 0, SlotOf(0, 1)); // F0, group 3
    p.Place(f.H(1), 0, SlotOf(0, 2)); // F1, group 3: 1 special error
    p.Place(f.H(3), 0, SlotOf(0, 3)); // F2, no group
    EvaluateClass(p, 0);
    EXPECT_EQ(p.KlassenStatusL[0].STF, 1);
    EXPECT_EQ(p.KlassenStatusL[0].TF, 0);
    // The course's two parallel hours count once: one more special error.
    p.Place(f.H(4), 0, SlotOf(0, 4));
    p.Place(f.H(5), 1, SlotOf(0, 4));
    EvaluateClass(p, 0);
    EXPECT_EQ(p.KlassenStatusL[0].STF, 2);
    // F1 twice on the day: a separation error, and F1 vs F1 is no special error.
    p.Place(f.H(2), 0, SlotOf(0, 5));
    EvaluateClass(p, 0);
    EXPECT_EQ(p.KlassenStatusL[0].TF, 1);
    EXPECT_EQ(p.KlassenStatusL[0].STF, 3);
    // Class K1 sees only the course.
    EvaluateClass(p, 1);
    EXPECT_EQ(p.KlassenStatusL[1].STF, 0);
    EXPECT_EQ(p.KlassenStatusL[1].TF, 0);
}

TEST(EvaluateAll, TotalsAndFigures) {
    EvaluationFixture f;
    f.s = MakeSchool(5, 8, 2, 2, 1, 1);
    AddBlock(f.s, "L0", "K0", "F0", std::vector<int>(5, 1));
    AddBlock(f.s, "L1", "K0", "F0", std::vector<int>(5, 1));
    f.Build();
    CPlan& p = *f.plan;
    for (int d = 0; d < 5; ++d) {
        p.Place(f.H(d), 0, SlotOf(d, 1));
        p.Place(f.H(5 + d), 0, SlotOf(d, d == 0 ? 4 : 2));
    }
    EvaluateAll(p);
    EXPECT_EQ(p.Totals().KLSSumme, 2);
    EXPECT_EQ(p.Totals().LLSSumme, 0);
    EXPECT_EQ(p.Totals().KProd, 32);
    EXPECT_EQ(p.Totals().KProdOpt, 32);
    EXPECT_EQ(p.Totals().LProd, 2);
    EXPECT_EQ(p.Totals().LProdOpt, 2);
    EXPECT_EQ(p.Totals().LLSLimit, 2);
}

} // namespace
} // namespace sw
