// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Acceptance.h"
#include "plan/PlanWriter.h"
#include "support/School.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sw {
namespace {

struct AcceptanceFixture {
    explicit AcceptanceFixture(int teachers = 1) : s(test::MakeSchool(5, 6, 1, teachers, 1, 1)) {}
    Stammdaten s;
    CapturingReporter rep;
    CPlan plan{s, rep};
};

// How many values `rng` has drawn since it was `start`.
int Draws(Random start, const Random& rng) {
    for (int n = 0; n < 8; ++n) {
        if (start.State() == rng.State()) return n;
        start.Next();
    }
    return -1;
}

TEST(Acceptance, TemperatureFormulas) {
    EXPECT_EQ(AnnealingTemperature(8, 40), static_cast<float>(8 * 0.0072 / 40 + 0.043));
    EXPECT_EQ(AnnealingTemperature(0, 3), 0.043f);
    EXPECT_EQ(ClassTemperature(900, 1000), static_cast<float>(0.34 - 0.16 * 900 / 1000.0));
    EXPECT_EQ(ClassTemperature(1000, 1000), static_cast<float>(0.34 - 0.16));
}

TEST(Acceptance, DelugeAndRecordBounds) {
    Optimierungswerte o;
    o.Temperatur = 40.5f;
    EXPECT_TRUE(DelugeAccepts(o, 40));
    EXPECT_FALSE(DelugeAccepts(o, 41));
    o.Temperatur = 40.0f;
    EXPECT_TRUE(DelugeAccepts(o, 40)); // the level itself is still dry
    o.BestLLS = 10;
    o.LLSAkzeptanz = 2;
    EXPECT_TRUE(RecordAccepts(o, 12));
    EXPECT_FALSE(RecordAccepts(o, 13));
    o.LLSAkzeptanz = 0;
    EXPECT_TRUE(RecordAccepts(o, 10));
    EXPECT_FALSE(RecordAccepts(o, 11));
}

TEST(Acceptance, AnnealingDrawsOnceAndFollowsTheSign) {
    Optimierungswerte o;
    // Without a temperature: better always, worse never, equal by the draw against one half.
    o.Temperatur = 0.0f;
    Random rng(5);
    const Random start = rng;
    EXPECT_TRUE(AnnealingAccepts(o, rng, 10, 9));
    EXPECT_EQ(Draws(start, rng), 1);
    EXPECT_FALSE(AnnealingAccepts(o, rng, 9, 10));
    EXPECT_EQ(Draws(start, rng), 2);
    Random copy = rng;
    EXPECT_EQ(AnnealingAccepts(o, rng, 9, 9), copy.Fraction() <= 0.5);
    // At a temperature the same draw decides against 1 / (1 + e^(-0.2 d / T)).
    o.Temperatur = 0.5f;
    for (int i = 0; i < 50; ++i) {
        Random probe = rng;
        const double r = probe.Fraction();
        const float p = 1.0f / (1.0f + std::exp(-(0.2f * -1.0f) / 0.5f));
        EXPECT_EQ(AnnealingAccepts(o, rng, 9, 10), r <= p) << i;
        EXPECT_EQ(rng.State(), probe.State());
    }
}

TEST(Acceptance, ClassRulesReject) {
    Optimierungswerte o;
    o.KProdRekord = 1100;
    o.KProdToleranz = 150;
    EXPECT_FALSE(ClassRecordRejects(o, false, 950));
    EXPECT_TRUE(ClassRecordRejects(o, false, 949));
    EXPECT_TRUE(ClassRecordRejects(o, true, 2000)); // grown gaps always reject
    // The class annealing: grown gaps leave the decision to others and draw nothing.
    o.Temperatur = 0.1f;
    Random rng(9);
    const Random start = rng;
    EXPECT_FALSE(ClassAnnealingRejects(o, rng, true, 1000, 10));
    EXPECT_EQ(Draws(start, rng), 0);
    // A large gain is kept whatever the draw; a large loss is rejected.
    EXPECT_FALSE(ClassAnnealingRejects(o, rng, false, 1000, 2000));
    EXPECT_EQ(Draws(start, rng), 1);
    EXPECT_TRUE(ClassAnnealingRejects(o, rng, false, 2000, 1000));
    EXPECT_EQ(Draws(start, rng), 2);
}

TEST(Acceptance, TeacherRecordFollowsTheTotalByRule) {
    AcceptanceFixture f(40);
    CPlan& p = f.plan;
    const struct {
        AcceptanceKind kind;
        bool keepsRecord, setsTemperature;
    } cases[] = {
        {AcceptanceKind::GoalTable, false, false},
        {AcceptanceKind::Deluge, true, false},
        {AcceptanceKind::Annealing, true, true},
        {AcceptanceKind::RecordPlusMargin, true, false},
        {AcceptanceKind::ClassRecord, false, false},
        {AcceptanceKind::ClassAnnealing, false, false},
    };
    for (const auto& c : cases) {
        PlanWriter::Totals(p).Opt.BestLLS = 10;
        PlanWriter::Totals(p).Opt.Temperatur = 7.0f;
        KeepTeacherRecord(p, c.kind, 10); // not lower: nothing changes
        EXPECT_EQ(p.Totals().Opt.BestLLS, 10);
        EXPECT_EQ(p.Totals().Opt.Temperatur, 7.0f);
        KeepTeacherRecord(p, c.kind, 8);
        EXPECT_EQ(p.Totals().Opt.BestLLS, c.keepsRecord ? 8 : 10) << static_cast<int>(c.kind);
        EXPECT_EQ(p.Totals().Opt.Temperatur, c.setsTemperature ? AnnealingTemperature(8, 40) : 7.0f)
            << static_cast<int>(c.kind);
    }
    // Without teachers the annealing keeps its record but not its temperature.
    AcceptanceFixture none(0);
    CPlan& q = none.plan;
    PlanWriter::Totals(q).Opt.BestLLS = 10;
    PlanWriter::Totals(q).Opt.Temperatur = 7.0f;
    KeepTeacherRecord(q, AcceptanceKind::Annealing, 3);
    EXPECT_EQ(q.Totals().Opt.BestLLS, 3);
    EXPECT_EQ(q.Totals().Opt.Temperatur, 7.0f);
}

TEST(Acceptance, ClassRecordOnlyRises) {
    AcceptanceFixture f;
    CPlan& p = f.plan;
    PlanWriter::Totals(p).KProdOpt = 1000;
    PlanWriter::Totals(p).Opt.KProdRekord = 900;
    PlanWriter::Totals(p).Opt.Temperatur = 5.0f;
    PlanWriter::Totals(p).KProd = 850;
    KeepClassRecord(p, AcceptanceKind::ClassRecord);
    EXPECT_EQ(p.Totals().Opt.KProdRekord, 900);
    PlanWriter::Totals(p).KProd = 950;
    KeepClassRecord(p, AcceptanceKind::GoalTable);
    KeepClassRecord(p, AcceptanceKind::Annealing);
    EXPECT_EQ(p.Totals().Opt.KProdRekord, 900);
    KeepClassRecord(p, AcceptanceKind::ClassRecord);
    EXPECT_EQ(p.Totals().Opt.KProdRekord, 950);
    EXPECT_EQ(p.Totals().Opt.Temperatur, 5.0f);
    // The class annealing recomputes its temperature after every kept move, record or not.
    PlanWriter::Totals(p).KProd = 940;
    KeepClassRecord(p, AcceptanceKind::ClassAnnealing);
    EXPECT_EQ(p.Totals().Opt.KProdRekord, 950);
    EXPECT_EQ(p.Totals().Opt.Temperatur, ClassTemperature(950, 1000));
    PlanWriter::Totals(p).KProdOpt = 0; // no ideal: the temperature stays
    PlanWriter::Totals(p).Opt.Temperatur = 5.0f;
    PlanWriter::Totals(p).KProd = 990;
    KeepClassRecord(p, AcceptanceKind::ClassAnnealing);
    EXPECT_EQ(p.Totals().Opt.KProdRekord, 990);
    EXPECT_EQ(p.Totals().Opt.Temperatur, 5.0f);
}

TEST(Acceptance, RulesStartTheirRecords) {
    AcceptanceFixture f(12);
    CPlan& p = f.plan;
    PlanWriter::Totals(p).LLSSumme = 30;
    PlanWriter::Totals(p).TFSumme = 4;
    PlanWriter::Totals(p).LProd = 777;
    PlanWriter::Totals(p).KProd = 880;
    PlanWriter::Totals(p).KProdOpt = 1000;
    const Optimierungswerte fresh = [] {
        Optimierungswerte o;
        o.SetOptWerte({1, 2, 3, 4, 5, 6});
        o.KProdToleranz = 7;
        o.KProdRekord = 8;
        o.Temperatur = 9.0f;
        return o;
    }();
    const auto startedOn = [&](CPlan& q, const Acceptance& rule) {
        PlanWriter::Totals(q).Opt = fresh;
        rule.Start(q);
        return q.Totals().Opt;
    };
    const auto started = [&](const Acceptance& rule) { return startedOn(p, rule); };

    EXPECT_EQ(started(GoalTableAcceptance{}), fresh);

    Optimierungswerte want = fresh;
    want.SetOptWerte({30, 4, 777, 2, 2, 200});
    EXPECT_EQ(started(TeacherStageAcceptance{}), want);

    want = fresh;
    want.BestLLS = 30;
    want.Temperatur = AnnealingTemperature(30, 12);
    EXPECT_EQ(started(AnnealingAcceptance{}), want);
    EXPECT_EQ(started(DescentAcceptance{}), want);

    want = fresh;
    want.BestLLS = 30;
    want.Temperatur = 30.0f;
    EXPECT_EQ(started(DelugeAcceptance{}), want);

    want = fresh;
    want.BestLLS = 30;
    want.LLSAkzeptanz = 1;
    EXPECT_EQ(started(RecordAcceptance(1)), want);

    want = fresh;
    want.KProdToleranz = 300;
    want.KProdRekord = 880;
    EXPECT_EQ(started(ClassRecordAcceptance(300)), want);

    want = fresh;
    want.KProdRekord = 880;
    want.Temperatur = ClassTemperature(880, 1000);
    EXPECT_EQ(started(ClassAnnealingAcceptance{}), want);

    // Without teachers or ideal the temperatures fall back to their constants.
    AcceptanceFixture none(0);
    none.plan.SetTotals(p.Totals());
    PlanWriter::Totals(none.plan).KProdOpt = 0;
    EXPECT_EQ(startedOn(none.plan, AnnealingAcceptance{}).Temperatur, 0.043f);
    EXPECT_EQ(startedOn(none.plan, ClassAnnealingAcceptance{}).Temperatur, 0.34f);
}

TEST(Acceptance, DelugeLevelDropsEveryFifthIteration) {
    AcceptanceFixture f;
    CPlan& p = f.plan;
    const DelugeAcceptance deluge;
    PlanWriter::Totals(p).LLSSumme = 20;
    PlanWriter::Totals(p).Opt.Temperatur = 25.0f;
    for (int i = 0; i <= 10; ++i)
        deluge.Iterated(p, i);
    EXPECT_EQ(p.Totals().Opt.Temperatur, 22.0f);  // iterations 0, 5 and 10
    PlanWriter::Totals(p).Opt.Temperatur = 20.0f; // the total is not below the level: it stays
    deluge.Iterated(p, 15);
    EXPECT_EQ(p.Totals().Opt.Temperatur, 20.0f);
    // The other rules leave the plan alone after an iteration.
    const Optimierungswerte before = p.Totals().Opt;
    AnnealingAcceptance().Iterated(p, 5);
    RecordAcceptance(1).Iterated(p, 5);
    EXPECT_EQ(p.Totals().Opt, before);
    // The kind each rule hands to the moves.
    EXPECT_EQ(deluge.Kind(), AcceptanceKind::Deluge);
    EXPECT_EQ(TeacherStageAcceptance().Kind(), AcceptanceKind::GoalTable);
    EXPECT_EQ(DescentAcceptance().Kind(), AcceptanceKind::GoalTable);
    EXPECT_EQ(ClassRecordAcceptance(200).Kind(), AcceptanceKind::ClassRecord);
}

} // namespace
} // namespace sw
