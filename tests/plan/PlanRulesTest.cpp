// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/PlanRules.h"

#include "plan/Placement.h"
#include "support/School.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;
using Fixture = test::PlanFixture;

// Places unit `first` (all its hours) at (day, hour) in room 0 without asking the check.
void PutUnit(Fixture& f, int first, int day, int hour, int room = 0) {
    const CStunde& h = f.H(first);
    for (int p = 0; p < CPlan::UnitLength(h); ++p)
        f.Put(first + p, room, day, hour + p);
}

// The rule the check names for hour i at (day, hour), -1 when it allows it.
int RefusedRule(Fixture& f, int i, int day, int hour, int room = 1) {
    const CStunde* x = CheckPlacement(*f.plan, f.H(i), SlotOf(day, hour), room);
    if (!x) return -1;
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Regel) << "Stunde " << i;
    return f.plan->Conflict().KonfliktRegel;
}

constexpr int R(RegelArt a) {
    return static_cast<int>(a);
}

// Each row: a school where one rule decides whether hour `probe` may stand at (day, hour) once
// the units `placed` stand; `refused` is the rule the check must name, or -1 when it allows it.
struct Case {
    const char* name;
    std::function<void(Stammdaten&)> school;
    std::vector<std::array<int, 3>> placed; // unit's first hour, day, hour (each in its own room)
    int probe, day, hour;
    int refused;
    const char* breach; // the breach `Verstoesse` names after placing the probe anyway, or ""
};

Stammdaten Base() {
    Stammdaten s = MakeSchool(5, 8, 6, 3, 3, 2);
    return s;
}

TEST(PlanRules, EachRuleDecidesThePlacement) {
    const std::vector<Case> cases = {
        {"max hours a day",
         [](Stammdaten& s) {
             s.Lehrer[0].Regeln.MaxStundenProTag = 2;
             AddBlock(s, "L0", "K0", "F0", {1, 1, 1});
         },
         {{0, 0, 1}, {1, 0, 3}},
         2,
         0,
         5,
         R(RegelArt::MaxStundenProTag),
         "Lehrer L0, Montag: höchstens 2 Stunden am Tag: 3"},
        {"max hours a day, another day",
         [](Stammdaten& s) {
             s.Lehrer[0].Regeln.MaxStundenProTag = 2;
             AddBlock(s, "L0", "K0", "F0", {1, 1, 1});
         },
         {{0, 0, 1}, {1, 0, 3}},
         2,
         1,
         5,
         -1,
         ""},
        {"class max hours a day",
         [](Stammdaten& s) {
             s.Klassen[1].Regeln.MaxStundenProTag = 1;
             AddBlock(s, "L0", "K1", "F0", {1});
             AddBlock(s, "L1", "K1", "F1", {1});
         },
         {{0, 2, 1}},
         1,
         2,
         4,
         R(RegelArt::MaxStundenProTag),
         "Klasse K1, Mittwoch: höchstens 1 Stunde am Tag: 2"},
        {"max in a row",
         [](Stammdaten& s) {
             s.Lehrer[1].Regeln.MaxInFolge = 2;
             AddBlock(s, "L1", "K0", "F0", {2, 1});
         },
         {{0, 0, 2}},
         2,
         0,
         4,
         R(RegelArt::MaxInFolge),
         "Lehrer L1, Montag: höchstens 2 Stunden in Folge: 3"},
        {"max in a row, after a free hour",
         [](Stammdaten& s) {
             s.Lehrer[1].Regeln.MaxInFolge = 2;
             AddBlock(s, "L1", "K0", "F0", {2, 1});
         },
         {{0, 0, 2}},
         2,
         0,
         5,
         -1,
         ""},
        {"max days",
         [](Stammdaten& s) {
             s.Lehrer[0].Regeln.MaxTage = 2;
             AddBlock(s, "L0", "K0", "F0", {1, 1, 1});
         },
         {{0, 0, 1}, {1, 3, 1}},
         2,
         4,
         2,
         R(RegelArt::MaxTage),
         "Lehrer L0: höchstens 2 Tage in der Woche: 3"},
        {"max days, a day already taught",
         [](Stammdaten& s) {
             s.Lehrer[0].Regeln.MaxTage = 2;
             AddBlock(s, "L0", "K0", "F0", {1, 1, 1});
         },
         {{0, 0, 1}, {1, 3, 1}},
         2,
         3,
         5,
         -1,
         ""},
        {"time window",
         [](Stammdaten& s) {
             s.Lehrer[2].Regeln.FensterVon = 6;
             s.Lehrer[2].Regeln.FensterBis = 8;
             s.Lehrer[2].Regeln.FensterMaxTage = 1;
             AddBlock(s, "L2", "K2", "F0", {1, 1, 1});
         },
         {{0, 1, 7}},
         1,
         2,
         6,
         R(RegelArt::Zeitfenster),
         "Lehrer L2: an höchstens 1 Tag Unterricht in den Stunden 6 bis 8: 2"},
        {"time window, before it",
         [](Stammdaten& s) {
             s.Lehrer[2].Regeln.FensterVon = 6;
             s.Lehrer[2].Regeln.FensterBis = 8;
             s.Lehrer[2].Regeln.FensterMaxTage = 1;
             AddBlock(s, "L2", "K2", "F0", {1, 1, 1});
         },
         {{0, 1, 7}},
         1,
         2,
         5,
         -1,
         ""},
        {"break",
         [](Stammdaten& s) {
             s.Angaben.Pausen = {SlotOf(1, 4)};
             AddBlock(s, "L0", "K0", "F0", {2});
         },
         {},
         1,
         1,
         4,
         R(RegelArt::Pause),
         "Schule, Dienstag: Pause Di 4: Unterricht von L0"},
        {"allowed times",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {2}).Regeln.ErlaubteZeiten = {SlotOf(0, 1),
                                                                         SlotOf(2, 3)};
         },
         {},
         1,
         0,
         3,
         R(RegelArt::ErlaubteZeiten),
         "Unterricht L0 / K0 / F0, Montag: Einheit 1 beginnt Mo 2, erlaubt ist das nicht"},
        {"allowed times, second hour of an allowed start",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {2}).Regeln.ErlaubteZeiten = {SlotOf(0, 1),
                                                                         SlotOf(2, 3)};
         },
         {},
         1,
         2,
         4,
         -1,
         ""},
        {"days apart",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {1, 1}).Regeln.MinTageAbstand = 2;
         },
         {{0, 1, 1}},
         1,
         2,
         1,
         R(RegelArt::MinTageAbstand),
         "Unterricht L0 / K0 / F0, Dienstag: Einheiten 1 und 2 liegen 1 Tag auseinander; "
         "verlangt sind 2"},
        {"days apart, far enough",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {1, 1}).Regeln.MinTageAbstand = 2;
         },
         {{0, 1, 1}},
         1,
         3,
         1,
         -1,
         ""},
        {"ends the day: nothing after it",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {1}).Regeln.Tagesende = 1;
             AddBlock(s, "L1", "K0", "F1", {1});
         },
         {{0, 0, 3}},
         1,
         0,
         4,
         R(RegelArt::Tagesende),
         "Unterricht L0 / K0 / F0, Montag: nach Einheit 1 (Mo 3) hat die Klasse noch Unterricht"},
        {"ends the day: placed before a lesson",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {1}).Regeln.Tagesende = 1;
             AddBlock(s, "L1", "K0", "F1", {1});
         },
         {{1, 0, 3}},
         0,
         0,
         2,
         R(RegelArt::Tagesende),
         "Unterricht L0 / K0 / F0, Montag: nach Einheit 1 (Mo 2) hat die Klasse noch Unterricht"},
        {"ends the day: before it is fine",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {1}).Regeln.Tagesende = 1;
             AddBlock(s, "L1", "K0", "F1", {1});
         },
         {{0, 0, 3}},
         1,
         0,
         2,
         -1,
         ""},
        {"never together",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {2});
             AddBlock(s, "L1", "K1", "F0", {1});
             s.Beziehungen.push_back(
                 {BeziehungsArt::NieGleichzeitig, {{0, "L0 / K0 / F0"}, {0, "L1 / K1 / F0"}}});
         },
         {{0, 0, 1}},
         2,
         0,
         2,
         R(RegelArt::NieGleichzeitig),
         "Unterricht L0 / K0 / F0, Montag: gleichzeitig mit Unterricht L1 / K1 / F0 um Mo 2"},
        {"same day",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {1});
             AddBlock(s, "L1", "K1", "F0", {1});
             s.Beziehungen.push_back(
                 {BeziehungsArt::GleicherTag, {{0, "L0 / K0 / F0"}, {0, "L1 / K1 / F0"}}});
         },
         {{0, 0, 1}},
         1,
         1,
         1,
         R(RegelArt::GleicherTag),
         "Unterricht L0 / K0 / F0, Montag: Einheit 1 mit Unterricht L1 / K1 / F0: Mo 1 und Di 1"},
        {"together",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {1});
             AddCourse(s, "C", {"L1", "L2"}, {"K1", "K2"}, {1});
             s.Beziehungen.push_back(
                 {BeziehungsArt::Gleichzeitig, {{0, "L0 / K0 / F0"}, {1, "C"}}});
         },
         {{0, 0, 1}},
         1,
         0,
         2,
         R(RegelArt::Gleichzeitig),
         "Unterricht L0 / K0 / F0, Montag: Einheit 1 mit Kurs C: Mo 1 und Mo 2"},
        {"back to back",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {2});
             AddBlock(s, "L1", "K1", "F0", {1});
             s.Beziehungen.push_back(
                 {BeziehungsArt::Direktfolge, {{0, "L0 / K0 / F0"}, {0, "L1 / K1 / F0"}}});
         },
         {{0, 0, 1}},
         2,
         0,
         4,
         R(RegelArt::Direktfolge),
         "Unterricht L0 / K0 / F0, Montag: Einheit 1 mit Unterricht L1 / K1 / F0: Mo 1 und Mo 4"},
        {"back to back, right after",
         [](Stammdaten& s) {
             AddBlock(s, "L0", "K0", "F0", {2});
             AddBlock(s, "L1", "K1", "F0", {1});
             s.Beziehungen.push_back(
                 {BeziehungsArt::Direktfolge, {{0, "L0 / K0 / F0"}, {0, "L1 / K1 / F0"}}});
         },
         {{0, 0, 1}},
         2,
         0,
         3,
         -1,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.s = Base();
        c.school(f.s);
        ASSERT_EQ(RegelProblem(f.s), std::nullopt);
        f.Build();
        ASSERT_NE(f.plan->Regeln(), nullptr);
        f.plan->SetLimitFlags(true, true, true);
        int room = 2;
        for (const auto& [first, day, hour] : c.placed)
            PutUnit(f, first, day, hour, room++);
        EXPECT_TRUE(RegelVerstoesse(*f.plan).empty());
        EXPECT_EQ(RefusedRule(f, c.probe, c.day, c.hour), c.refused);
        // The probe placed anyway (its whole unit): the list of breaches names the rule.
        const CStunde& first = f.plan->FirstOfUnit(f.H(c.probe));
        const int start = c.hour - std::max(0, static_cast<int>(f.H(c.probe).BlockPos));
        PutUnit(f, first.Index, c.day, start, 1);
        if (first.ParallelL)
            for (std::size_t t = 1; t < first.ParallelL->size(); ++t)
                PutUnit(f, (*first.ParallelL)[t]->Index, c.day, start, room++);
        const std::vector<std::string> breaches = RegelVerstoesse(*f.plan);
        if (*c.breach) {
            ASSERT_FALSE(breaches.empty());
            EXPECT_EQ(breaches.front(), c.breach);
        } else {
            EXPECT_TRUE(breaches.empty()) << breaches.front();
        }
    }
}

TEST(PlanRules, TheHoursOfADayAreCountedForEveryPattern) {
    for (unsigned d = 0; d <= 0xFFFFu; ++d)
        ASSERT_EQ(HoursIn(static_cast<std::uint16_t>(d)), std::popcount(d)) << d;
}

TEST(PlanRules, ASchoolWithoutRulesHasNone) {
    Fixture f;
    f.s = Base();
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    EXPECT_EQ(f.plan->Regeln(), nullptr);
    EXPECT_TRUE(RegelVerstoesse(*f.plan).empty());
}

TEST(PlanRules, GapsAndMinimaAreCountedNotRefused) {
    Fixture f;
    f.s = Base();
    CTagesRegeln& k = f.s.Klassen[0].Regeln;
    k.MinStundenProTag = 3;
    k.MaxLueckenProTag = 0;
    f.s.Lehrer[0].Regeln.MinTage = 2;
    f.s.Angaben.Pausen = {SlotOf(0, 3)};
    AddBlock(f.s, "L0", "K0", "F0", {1, 1, 1});
    f.Build();
    f.plan->SetLimitFlags(true, true, true);
    PutUnit(f, 0, 0, 1);
    EXPECT_EQ(CheckPlacement(*f.plan, f.H(1), SlotOf(0, 5), 1), nullptr); // a gap: allowed
    PutUnit(f, 1, 0, 5, 1);
    // Mo 1, Mo 5: a break at 3 is no gap; 2 and 4 are.
    EXPECT_EQ(f.plan->Regeln()->ClassViolations(*f.plan, 0), 1 + 2);
    EXPECT_EQ(f.plan->Regeln()->TeacherViolations(*f.plan, 0), 1);
    EXPECT_EQ(RegelVerstoesse(*f.plan),
              (std::vector<std::string>{"Lehrer L0: mindestens 2 Tage in der Woche: 1",
                                        "Klasse K0, Montag: mindestens 3 Stunden am Tag: 2",
                                        "Klasse K0, Montag: höchstens 0 Lücken am Tag: 2"}));
}

// An hour the teacher or class is locked is no gap, as in the figures of the gaps.
TEST(PlanRules, ALockedHourIsNoGap) {
    for (const bool locked : {false, true}) {
        Fixture f;
        f.s = Base();
        f.s.Klassen[0].Regeln.MaxLueckenProTag = 0;
        f.s.Lehrer[0].Regeln.MaxLueckenProWoche = 1;
        if (locked) {
            f.s.Klassen[0].Sperre[SlotOf(0, 2)] = 1;
            f.s.Lehrer[0].Sperre[SlotOf(0, 3)] = 1;
        }
        AddBlock(f.s, "L0", "K0", "F0", {1, 1});
        f.Build();
        f.plan->SetLimitFlags(true, true, true);
        PutUnit(f, 0, 0, 1);
        PutUnit(f, 1, 0, 5, 1);
        // Mo 1, Mo 5: hours 2, 3 and 4 free, one of them locked for the class, another for the
        // teacher.
        EXPECT_EQ(f.plan->Regeln()->ClassViolations(*f.plan, 0), locked ? 2 : 3);
        EXPECT_EQ(f.plan->Regeln()->TeacherViolations(*f.plan, 0), locked ? 1 : 2);
        EXPECT_EQ(
            RegelVerstoesse(*f.plan),
            (std::vector<std::string>{locked ? "Lehrer L0: höchstens 1 Lücke in der Woche: 2"
                                             : "Lehrer L0: höchstens 1 Lücke in der Woche: 3",
                                      locked ? "Klasse K0, Montag: höchstens 0 Lücken am Tag: 2"
                                             : "Klasse K0, Montag: höchstens 0 Lücken am Tag: 3"}));
    }
}

// A short day is as far from its minimum as the fewer of the hours it lacks and the hours it has,
// so that the search makes progress with every hour it moves in or out.
TEST(PlanRules, AShortDayCountsTheFewerOfTheHoursMissingAndTheHoursHeld) {
    Fixture f;
    f.s = Base();
    f.s.Klassen[0].Regeln.MinStundenProTag = 5;
    AddBlock(f.s, "L0", "K0", "F0", {1, 1, 1, 1});
    f.Build();
    f.plan->SetLimitFlags(true, true, true);
    const int expected[] = {1, 2, 2, 1};
    for (int u = 0; u < 4; ++u) {
        PutUnit(f, u, 0, u + 1);
        EXPECT_EQ(f.plan->Regeln()->ClassViolations(*f.plan, 0), expected[u]) << u + 1;
    }
}

// What a unit adds to the breaches of the rules adding hours can mend, counted once for the
// plan and then per start, is what the teachers and classes break with its hours added.
TEST(PlanRules, PreparedAddedBreachesAreTheBreachesWithTheHoursAdded) {
    int compared = 0;
    for (int seed = 1; seed <= 12; ++seed) {
        Fixture f;
        f.s = MakeSchool(5, 8, 8, 4, 4, 2);
        f.s.Angaben.Pausen = {SlotOf(1, 4)};
        f.s.Lehrer[0].Regeln.MinStundenProTag = 3;
        f.s.Lehrer[0].Regeln.MinTage = 4;
        f.s.Lehrer[1].Regeln.MaxLueckenProWoche = 1;
        f.s.Lehrer[1].Sperre[static_cast<std::size_t>(SlotOf(2, 3))] = 1;
        f.s.Lehrer[2].Regeln.MaxLueckenProTag = 0;
        f.s.Klassen[0].Regeln.MaxLueckenProWoche = 2;
        f.s.Klassen[0].Regeln.MinStundenProTag = 4;
        f.s.Klassen[1].Regeln.MaxLueckenProTag = 1;
        AddBlock(f.s, "L0", "K0", "F0", {2, 1, 1, 1});
        AddBlock(f.s, "L1", "K1", "F0", {1, 1, 1, 1});
        AddBlock(f.s, "L2", "K2", "F1", {2, 1, 1});
        AddBlock(f.s, "L3", "K0", "F1", {1, 1, 1});
        AddBlock(f.s, "L1", "K3", "F0", {2, 1});
        AddCourse(f.s, "C", {"L2", "L3"}, {"K0", "K1"}, {1, 2});
        f.Build();
        f.plan->SetLimitFlags(true, true, true);
        f.rng = Random(static_cast<std::uint32_t>(seed));
        test::PlaceRandomly(*f.plan, f.rng, 30);
        const PlanRules& rules = *f.plan->Regeln();
        std::vector<PlanRules::Added> prepared;
        for (const auto& hp : f.plan->StundenL) {
            const CStunde& h = *hp;
            if (!h.IsFirstOfUnit() || f.plan->PositionOf(h) >= 0) continue;
            // The unit's first hour of each teacher (a course's parallel hours).
            std::vector<const CStunde*> hours{&h};
            if (h.ParallelL) hours.assign(h.ParallelL->begin(), h.ParallelL->end());
            rules.PrepareAdded(*f.plan, hours.data(), static_cast<int>(hours.size()), prepared);
            const int length = CPlan::UnitLength(h);
            for (int d = 0; d < 5; ++d)
                for (int hour = 1; hour + length - 1 <= 8; ++hour) {
                    const int start = SlotOf(d, hour);
                    PlanRules::SlotChange added{};
                    for (int p = 0; p < length; ++p)
                        added[static_cast<std::size_t>(start + p)] = 1;
                    int expected = 0;
                    for (const CStunde* x : hours)
                        expected += rules.TeacherViolations(*f.plan, x->Lehrer, &added) -
                                    rules.TeacherViolations(*f.plan, x->Lehrer);
                    const auto classes = h.IsCourse() ? *h.KlassenL : IntList{h.Klasse};
                    for (int k : classes)
                        expected += rules.ClassViolations(*f.plan, k, &added) -
                                    rules.ClassViolations(*f.plan, k);
                    ASSERT_EQ(PlanRules::AddedBreaches(prepared, start, length), expected)
                        << "seed " << seed << ", hour " << h.Index << ", start " << start;
                    ++compared;
                }
        }
    }
    EXPECT_GT(compared, 1000);
}

// Random placements through the check on a school with every kind of rule never break a rule
// the check knows.
TEST(PlanRules, RandomPlacementsKeepEveryRuleTheCheckKnows) {
    for (int seed = 1; seed <= 20; ++seed) {
        Fixture f;
        f.s = MakeSchool(5, 8, 8, 4, 4, 2);
        f.s.Angaben.Pausen = {SlotOf(0, 4), SlotOf(3, 6)};
        f.s.Lehrer[0].Regeln.MaxStundenProTag = 3;
        f.s.Lehrer[1].Regeln.MaxTage = 3;
        f.s.Lehrer[1].Regeln.MaxInFolge = 2;
        f.s.Lehrer[2].Regeln.FensterVon = 5;
        f.s.Lehrer[2].Regeln.FensterBis = 8;
        f.s.Lehrer[2].Regeln.FensterMaxTage = 1;
        f.s.Klassen[0].Regeln.MaxStundenProTag = 4;
        f.s.Klassen[1].Regeln.MaxInFolge = 3;
        AddBlock(f.s, "L0", "K0", "F0", {2, 1, 1}).Regeln.MinTageAbstand = 1;
        AddBlock(f.s, "L1", "K1", "F0", {1, 1, 1, 1}).Regeln.ErlaubteZeiten = {
            1, 2, 3, 14, 15, 27, 28, 40, 41, 53, 54};
        AddBlock(f.s, "L2", "K2", "F1", {2, 2}).Regeln.Tagesende = 1;
        AddBlock(f.s, "L3", "K2", "F0", {1, 1, 1});
        AddBlock(f.s, "L3", "K3", "F1", {1, 1});
        AddBlock(f.s, "L0", "K3", "F0", {1, 1});
        AddCourse(f.s, "C", {"L1", "L2"}, {"K0", "K1"}, {1, 1});
        f.s.Beziehungen = {
            {BeziehungsArt::NieGleichzeitig, {{0, "L3 / K2 / F0"}, {0, "L0 / K3 / F0"}}},
            {BeziehungsArt::GleicherTag, {{0, "L3 / K3 / F1"}, {1, "C"}}},
            {BeziehungsArt::Direktfolge, {{0, "L0 / K3 / F0"}, {0, "L3 / K3 / F1"}}},
        };
        ASSERT_EQ(RegelProblem(f.s), std::nullopt);
        f.Build();
        f.plan->SetLimitFlags(true, true, true);
        f.rng = Random(seed);
        test::PlaceRandomly(*f.plan, f.rng, 400);
        EXPECT_GT(f.plan->PlacedCount(), 10);
        for (const RegelVerstoss& v : f.plan->Regeln()->Verstoesse(*f.plan)) {
            const bool mendable =
                v.Art == RegelArt::MinStundenProTag || v.Art == RegelArt::MaxLueckenProTag ||
                v.Art == RegelArt::MaxLueckenProWoche || v.Art == RegelArt::MinTage;
            EXPECT_TRUE(mendable) << "seed " << seed << ": " << VerstossText(f.s.Angaben, v);
        }
        EXPECT_EQ(test::FirstDisallowedPlacement(*f.plan), "");
    }
}

} // namespace
} // namespace sw
