// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/PlanFile.h"
#include "files/StreamFile.h"
#include "model/Cp1252.h"
#include "plan/Evaluation.h"
#include "plan/Invariants.h"
#include "plan/PlanWriter.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sw {
namespace {

using test::PlaceRandomly;
using test::SmallSchool;
using test::TempDir;

struct Written {
    TempDir dir;
    std::string path;
    std::string bytes;
};

// A small school with a partly placed plan, some presets changed and all figures set.
std::unique_ptr<Written> WriteSample(Stammdaten& s, CapturingReporter& rep) {
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    ComputeTargets(plan);
    PlanWriter::Flags(plan).MehrfachUeberStundenLimit = 1;
    PlanWriter::Flags(plan).AbbruchErsteStunde = 0;
    PlanWriter::Totals(plan).LLSLimit = 3;
    PlanWriter::Totals(plan).Opt.SetOptWerte({10, 11, 12, 2, 14, 15});
    plan.StundenL[5]->TagesLimit = 1;
    plan.StundenL[5]->Tag = 2;
    Random rng(3);
    PlaceRandomly(plan, rng, 300);
    EvaluateAll(plan);
    auto w = std::make_unique<Written>();
    w->path = w->dir.File("plan.pdt");
    EXPECT_TRUE(WritePlanFile(s, &plan, w->path, DefaultFileOps()).Ok);
    w->bytes = test::ReadFileBytes(w->path);
    return w;
}

TEST(PlanFile, RoundTripIsByteIdenticalAndKeepsTheFigures) {
    Stammdaten s = SmallSchool();
    CapturingReporter rep;
    auto w = WriteSample(s, rep);
    ASSERT_EQ(w->bytes.rfind("plan\r\n", 0), 0u);

    PlanReadResult r = ReadPlanFile(w->path, DefaultFileOps(), rep);
    ASSERT_TRUE(r.outcome.Ok) << r.outcome.Messages.front().Text;
    CPlan& plan = *r.plan;
    EXPECT_EQ(&plan.Stamm(), r.data.get());
    EXPECT_EQ(plan.Totals().LLSLimit, 3);
    EXPECT_EQ(plan.Totals().Opt.LLSAkzeptanz, 2);
    EXPECT_EQ(plan.Flags().MehrfachUeberStundenLimit, 1);
    EXPECT_EQ(plan.Flags().AbbruchErsteStunde, 0);
    EXPECT_EQ(plan.StundenL[5]->Tag, 2);
    EXPECT_TRUE(CheckInvariants(plan, false).Ok());
    // The figures the file stored are those of its grid.
    EXPECT_EQ(CompareStoredFigures(r.stored, plan), std::vector<std::string>{});
    EXPECT_EQ(r.stored.LLSLimit, 3);
    EXPECT_EQ(r.stored.OptWerte, plan.Totals().Opt.OptWerte());
    const std::string again = w->dir.File("again.pdt");
    ASSERT_TRUE(WritePlanFile(*r.data, r.plan.get(), again, DefaultFileOps()).Ok);
    EXPECT_EQ(test::ReadFileBytes(again), w->bytes);
}

// The targets beside each teacher and class in a plan file are the plan's; reading gives them to
// the new plan; the master data the plan was built from is only read.
TEST(PlanFile, CarriesThePlansTargets) {
    Stammdaten s = SmallSchool();
    s.Lehrer[2].LetztesSoll = {.MaxProTag = 99, .TageMitMax = 98, .ProdOpt = 97};
    s.Klassen[1].LetztesSoll = {
        .StundenLimit = 1, .ProdOpt = 2, .MaxProTag = 3, .MinProTag = 4, .TageMitMax = 5};
    s.Lehrer[5].Opti = 0;
    s.Lehrer[5].LetztesSoll.ProdOpt = 77;
    const Stammdaten before = s;
    CapturingReporter rep;
    auto w = WriteSample(s, rep);
    EXPECT_EQ(s, before);

    PlanReadResult r = ReadPlanFile(w->path, DefaultFileOps(), rep);
    ASSERT_TRUE(r.outcome.Ok) << r.outcome.Messages.front().Text;
    // L2 teaches 3 x 3 hours on 5 days, K1 has 4 x 3 + 3 (the course) hours.
    const CLehrerSoll l2{.MaxProTag = 2, .TageMitMax = 4, .ProdOpt = 16};
    const CKlassenSoll k1{
        .StundenLimit = 3, .ProdOpt = 243, .MaxProTag = 3, .MinProTag = 3, .TageMitMax = 5};
    EXPECT_EQ(r.data->Lehrer[2].LetztesSoll, l2);
    EXPECT_EQ(r.data->Klassen[1].LetztesSoll, k1);
    EXPECT_EQ(static_cast<const CLehrerSoll&>(r.plan->LehrerSollL[2]), l2);
    EXPECT_EQ(static_cast<const CKlassenSoll&>(r.plan->KlassenSollL[1]), k1);
    EXPECT_EQ(r.plan->KlassenSollL[1].WochenStunden, 15);
    // A teacher outside the optimisation keeps the ideal spread the master data carried.
    EXPECT_EQ(r.data->Lehrer[5].LetztesSoll.ProdOpt, 77);
    EXPECT_EQ(r.plan->LehrerSollL[5].ProdOpt, 77);
}

TEST(PlanFile, SectionLayout) {
    Stammdaten s = SmallSchool();
    CapturingReporter rep;
    CPlan plan(s, rep);
    plan.BuildLessonHours();
    PlanWriter::Totals(plan).LProd = 4242;
    plan.Place(*plan.StundenL[2], 1, 3);
    TokenWriter out;
    WritePlanSection(out, plan);
    std::istringstream lines(out.Text());
    std::vector<std::string> l;
    for (std::string line; std::getline(lines, line);)
        l.push_back(line);
    // 16 integers, 4 flags, the room count, the grid on one line, then six values per hour.
    ASSERT_EQ(l.size(), 16u + 4u + 1u + 1u + plan.StundenL.size());
    EXPECT_EQ(l[5], "4242\r");
    EXPECT_EQ(l[6], "4242\r"); // LProd twice
    EXPECT_EQ(l[19], "1\r");   // AbbruchErsteStunde
    EXPECT_EQ(l[20], "6\r");
    EXPECT_EQ(l[21].size(), 6u * 91u * 3u - 1u + 1u); // "-1 " per cell, one "2 ", CR
    EXPECT_EQ(l[21].substr(91 * 3 + 9, 3), "2 -");
    EXPECT_EQ(l[22], "-1 0 0 0 0 -1\r");
}

TEST(PlanFile, WritingWithoutAPlanIsRefused) {
    Stammdaten s = SmallSchool();
    TempDir dir;
    const Outcome o = WritePlanFile(s, nullptr, dir.File("x.pdt"), DefaultFileOps());
    EXPECT_FALSE(o.Ok);
    EXPECT_EQ(o.Messages.at(0), (Message{"Sie müssen zuerst einen Plan erstellen.", "Fehler"}));
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.pdt")));
}

TEST(PlanFile, MasterDataFileIsNoPlanFile) {
    Stammdaten s = SmallSchool();
    TempDir dir;
    const std::string path = dir.File("schule.sdt");
    ASSERT_TRUE(WriteStreamFile(s, path, DefaultFileOps()).Ok);
    CapturingReporter rep;
    const PlanReadResult r = ReadPlanFile(path, DefaultFileOps(), rep);
    EXPECT_FALSE(r.outcome.Ok);
    EXPECT_EQ(r.plan, nullptr);
    EXPECT_EQ(r.data, nullptr);
    ASSERT_EQ(r.outcome.Messages.size(), 2u);
    EXPECT_EQ(r.outcome.Messages[0], (Message{"Dies ist keine Plan - Datei!", "Datei - Fehler"}));
    EXPECT_EQ(r.outcome.Messages[1],
              (Message{"Fehler beim Laden der Datei:\n" + path, "Dateifehler"}));
    // Opened as a master-data file it is fine.
    EXPECT_TRUE(ReadStreamFile(path, DefaultFileOps(), false).outcome.Ok);
}

// Replaces the n-th token of the plan section's grid (0 = the room count) in a plan file of `s`.
std::string WithGridToken(const Stammdaten& s, const std::string& bytes, std::size_t n,
                          const std::string& token) {
    TokenWriter head;
    head.WriteWord("plan");
    WriteStammdatenPart(head, s);
    std::istringstream count(head.Text());
    std::size_t before = 0;
    for (std::string t; count >> t;)
        ++before;
    const std::size_t index = before + 16 + 4 + n; // after the figures and the options
    std::string text = Cp1252ToUtf8(bytes);
    std::size_t pos = text.find_first_not_of(" \r\n");
    for (std::size_t i = 0; i < index; ++i)
        pos = text.find_first_not_of(" \r\n", text.find_first_of(" \r\n", pos));
    const std::size_t end = text.find_first_of(" \r\n", pos);
    text.replace(pos, end - pos, token);
    return *Utf8ToCp1252(text);
}

TEST(PlanFile, BrokenGridsAreRefusedWithTheirReason) {
    Stammdaten s = SmallSchool();
    CapturingReporter rep;
    auto w = WriteSample(s, rep);
    const std::string bad = w->dir.File("bad.pdt");
    auto expectFault = [&](const std::string& bytes, const std::string& part) {
        test::WriteFileBytes(bad, bytes);
        const PlanReadResult r = ReadPlanFile(bad, DefaultFileOps(), rep);
        ASSERT_FALSE(r.outcome.Ok) << part;
        EXPECT_EQ(r.plan, nullptr);
        ASSERT_EQ(r.outcome.Messages.size(), 2u);
        EXPECT_NE(r.outcome.Messages[0].Text.find(part), std::string::npos)
            << r.outcome.Messages[0].Text;
        EXPECT_EQ(r.outcome.Messages[0].Title, "Dateifehler");
        EXPECT_EQ(r.outcome.Messages[1].Text, "Fehler beim Laden der Datei:\n" + bad);
    };
    const int hours = 2 * 3 + 3 * 4 * 3;
    expectFault(WithGridToken(s, w->bytes, 0, "5"), "ist nicht die Zahl der Räume (6).");
    expectFault(WithGridToken(s, w->bytes, 7, std::to_string(hours)),
                "ist keine Stunde des Plans (-1 bis " + std::to_string(hours - 1) + ").");
    expectFault(WithGridToken(s, w->bytes, 7, "x"), "ist keine ganze Zahl.");
    // The same hour in two cells, and a unit torn apart.
    {
        std::string text = w->bytes;
        std::string twice = WithGridToken(s, text, 2, "0"); // slots 1 and 2 of room 0
        twice = WithGridToken(s, twice, 3, "0");
        expectFault(twice, "steht in zwei Zellen des Plans.");
    }
    // Tear the first placed double lesson apart: its second hour moves to another slot.
    {
        PlanReadResult good = ReadPlanFile(w->path, DefaultFileOps(), rep);
        ASSERT_TRUE(good.outcome.Ok);
        int unit = -1;
        for (const auto& h : good.plan->StundenL)
            if (h->BlockPos == 0 && good.plan->PositionOf(*h) >= 0) {
                unit = h->Index;
                break;
            }
        ASSERT_GE(unit, 0);
        const int cell1 = good.plan->PositionOf(*good.plan->StundenL[unit + 1]);
        std::string torn = WithGridToken(s, w->bytes, 1 + cell1, "-1");
        // Put the second hour into any free cell of the week at another slot.
        int target = -1;
        for (int c = 0; c < 6 * 91 && target < 0; ++c)
            if (!good.plan->HourAt(c / 91, c % 91) && c % 91 != cell1 % 91 &&
                good.plan->InWeek(c % 91))
                target = c;
        torn = WithGridToken(s, torn, 1 + target, std::to_string(unit + 1));
        expectFault(torn, "stehen nicht aufeinanderfolgend.");
    }
    // A lesson outside the week: in the 0th hour, which this school does not use.
    expectFault(WithGridToken(s, w->bytes, 1, "0"),
                "Die Stunde 0 steht außerhalb der Woche: am 1. Tag in der 0. Stunde; die Woche "
                "hat 5 Tage mit den Stunden 1 bis 6.");
    // Truncated inside the per-hour values.
    expectFault(w->bytes.substr(0, w->bytes.size() - 20), "unerwartetes Dateiende.");
    // A bad preset value.
    {
        std::string text = w->bytes;
        const std::size_t last = text.rfind("-1 0 0 0 0 -1");
        ASSERT_NE(last, std::string::npos);
        text.replace(last, 13, "-1 7 0 0 0 -1");
        expectFault(text, "ist kein gültiger Modus (0 bis 3).");
    }
}

TEST(PlanFile, RandomTruncationsNeverCrash) {
    Stammdaten s = SmallSchool();
    CapturingReporter rep;
    auto w = WriteSample(s, rep);
    const std::string cut = w->dir.File("cut.pdt");
    Random rng(11);
    for (int i = 0; i < 150; ++i) {
        const std::size_t n = rng.Below(static_cast<int>(w->bytes.size()));
        test::WriteFileBytes(cut, w->bytes.substr(0, n));
        const PlanReadResult r = ReadPlanFile(cut, DefaultFileOps(), rep);
        if (r.outcome.Ok) {
            EXPECT_TRUE(CheckInvariants(*r.plan, false).Ok());
        } else {
            EXPECT_EQ(r.plan, nullptr);
            EXPECT_EQ(r.outcome.Messages.back().Text, "Fehler beim Laden der Datei:\n" + cut);
        }
    }
}

} // namespace
} // namespace sw
