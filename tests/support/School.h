// SPDX-License-Identifier: GPL-3.0-or-later
// School.h: tiny hand-built schools for tests.
#pragma once

#include "model/Report.h"
#include "model/Stammdaten.h"
#include "plan/Plan.h"
#include "plan/Random.h"

#include <memory>

#include <string>
#include <vector>

namespace sw::test {

// A school with `tage` days of `stunden` hours, universal rooms R0.., teachers L0.., classes K0..
// and subjects F0.. (every teacher teaches every subject).
Stammdaten MakeSchool(int tage, int stunden, int rooms, int teachers, int classes, int subjects);

// Adds a subject block; `units` are the unit lengths (all without fixed time or room).
CFachBlock& AddBlock(Stammdaten& s, const std::string& lehrer, const std::string& klasse,
                     const std::string& fach, std::vector<int> units, bool trennung = false);

// Adds a course block with the given teachers (subject F0 each), classes and unit lengths.
CKursBlock& AddCourse(Stammdaten& s, const std::string& name, std::vector<std::string> lehrer,
                      std::vector<std::string> klassen, std::vector<int> units);

// Places whole units (with all their parallel hours) at random where CheckPlacement allows it.
void PlaceRandomly(CPlan& plan, Random& rng, int rounds);

// Every lesson hour in the grid is allowed where it stands: each is lifted, asked of
// CheckPlacement at its own cell and put back. Returns the first refusal as text, empty when none.
std::string FirstDisallowedPlacement(CPlan& plan);

// The master data of an example school ("gymnasium.sch", "grossschule.sch"). It reads the
// project file, so it lives in the library test_examples (support/Examples.cpp); a test program
// that calls it links that library.
Stammdaten LoadExample(const std::string& file);

// A school under test and its plan: fill `s`, then Build() makes the plan, its lesson hours and
// its targets. H(i) is lesson hour i, Put places it; `rng` is the generator the plan's runs draw
// from.
struct PlanFixture {
    Stammdaten s;
    CapturingReporter rep;
    std::unique_ptr<CPlan> plan;
    Random rng;
    void Build();
    CStunde& H(int i) { return *plan->StundenL[i]; }
    void Put(int i, int room, int day, int hour) { plan->Place(H(i), room, SlotOf(day, hour)); }
};

// Four classes with three-hour and double-lesson subjects (some with separation and a special
// separation group) and two course blocks, for random move tests.
Stammdaten MixedSchool(bool withDoubles);

// A small school of 3 classes, 6 teachers and 6 rooms with a course block of two teachers and
// subject blocks with double lessons and separation.
Stammdaten SmallSchool();

// A tight school: five days of four hours, four classes, four teachers and four rooms. K0 and K1
// and the teachers L0 and L1 have no free slot in the week (K0 has a locked one: day 5, hour 4),
// a course block "C" joins K2 and K3 with L2 and L3, and the last unit of L3 in K1 has the fixed
// time day 1, hour 1. Attempts from an empty grid (almost) never complete it.
Stammdaten TightSchool();

} // namespace sw::test
