// SPDX-License-Identifier: GPL-3.0-or-later
// InitialPlan.h: one attempt at a complete first plan ("Urplan") on an empty grid. A randomised
// constructive heuristic: the most constrained lesson hours go first, each kind with its own
// number of random tries, and the attempt gives up as soon as one hour finds no place.
//
//   phase 1  time and room fixed      placed where the preset says, without a check
//   phase 2  time fixed               random rooms at the preset slot (fewest rooms first)
//   phase 3  subject units > 2 hours  random room and start slot
//   phase 4  course hours             every position with all its parallel hours at once
//   phase 5  double lessons           random room and start slot (fewest rooms first)
//   phase 6  single hours             random room and slot
//   phase 7  first hours              a class's empty first hour takes one of its single hours
//   phase 8  presets meant only for the first plan are released
//   phase 9  teachers and classes are evaluated
//
// Every placement is asked of CheckPlacement (except phase 1) and goes through CPlan::Place or
// CPlan::Swap. A unit and the parallel hours of a course position are placed whole or not at all,
// so even a failed attempt leaves a grid that keeps the plan's invariants.
#pragma once

#include "plan/Plan.h"
#include "plan/Seating.h"

#include <chrono>
#include <functional>
#include <vector>

namespace sw {

namespace texte {
inline constexpr const char* NurVollstaendigeKursStunden =
    "Nur vollständige Mehrfach - Kurs - Stunden sollten hier ankommen.";
inline constexpr const char* BlockPosNull = "Hier sollte ein BlockPos == 0 ankommen";
} // namespace texte

// The builder keeps the temporary hour lists of an attempt; keep one object for a whole run so
// that attempts after the first allocate nothing. The lists hold hours of the plan's StundenL,
// never own them.
class InitialPlanBuilder {
public:
    // Every random choice of an attempt is drawn from `rng`.
    InitialPlanBuilder(CPlan& plan, Random& rng);

    // One attempt on a plan whose grid is empty. Returns the rest:
    //   0   a complete plan (phases 8 and 9 have run);
    //   -1  a class's first hour could not be filled and AbbruchErsteStunde is clear (kind 6);
    //   >0  an hour could not be placed: the number of lesson hours that stand nowhere.
    // On failure KonfliktStunde and the other report fields describe the refusal.
    int Build();

    // The end of a complete attempt, for a plan whose every hour stands (after Build, or after a
    // search that completed what an attempt left): the first hours are filled (phase 7), the
    // presets of the initial plan released (phase 8) and the figures evaluated. 0, or -1 as Build.
    int Finish();
    // Clears the refusal report of the plan (room, class, teacher, kind).
    void ClearReport();

    // Asked about every 50 ms while an attempt runs (one attempt on a large school can take
    // many seconds): the desktop lets input through there, and false ends the attempt at once
    // as a give-up, so that "Halt" and a stop signal act within a moment.
    void SetTicker(std::function<bool()> tick) { tick_ = std::move(tick); }

private:
    // True once the ticker asked the attempt to end; asks it when 50 ms have passed.
    bool Stopping();

    bool PlaceFixedTimeAndRoom(); // phase 1
    bool PlaceFixedTime();        // phase 2
    bool PlaceLongUnits();        // phase 3
    bool PlaceCourses();          // phase 4
    bool PlaceDoubleLessons();    // phase 5
    bool PlaceSingleHours();      // phase 6
    bool FillFirstHours();        // phase 7; false: give up with -1
    void ReleasePresets();        // phase 8

    // Moves from W to the phase list every hour for which `take` holds, both keeping their order.
    template <typename Pred> void TakeFromW(Pred take);
    // A random start slot for a unit of `length` hours: hour 1..Stunden-length+1, any day.
    int RandomStart(int length);
    void PlaceUnit(CStunde& first, int start, int room);
    // Random room and start slot, up to 100 x |RaumL| tries (phases 3 and 5).
    bool TryUnitAnywhere(CStunde& first);
    // One try of phase 4 for the course unit starting at `first`.
    bool TryCourseUnit(const CStunde& first, int length);
    // Rooms for the parallel hours of one course position at `slot`, each in a room of its own;
    // an hour placed already at its fixed time keeps its room. Appends them to chosen_.
    bool SeatPosition(const CStunde& hp, int slot);
    // Ends an attempt: the report names h as the hour that could not be placed.
    bool GiveUp(const CStunde& h);
    void RemovePlaced(std::vector<CStunde*>& list);
    int Unplaced() const;

    CPlan& plan_;
    Random& rng_;
    std::function<bool()> tick_;
    std::chrono::steady_clock::time_point lastTick_;
    unsigned calls_ = 0;
    bool halted_ = false;
    std::vector<CStunde*> w_;     // the main work list
    std::vector<CStunde*> phase_; // the hours the current phase (or pass) handles
    struct Choice {
        CStunde* Hour;
        int Room;
        int Slot;
    };
    std::vector<Choice> chosen_; // phase 4: the rooms chosen in the current try
    std::vector<int> rooms_;     // phase 4: the rooms taken at the current position
    Seating seating_;            // its LastChecked names the hour a phase gives up on
};

// One attempt with a builder of its own; see InitialPlanBuilder::Build.
int BuildInitialPlan(CPlan& plan, Random& rng);

} // namespace sw
