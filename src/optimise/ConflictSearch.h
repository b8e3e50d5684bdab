// SPDX-License-Identifier: GPL-3.0-or-later
// ConflictSearch.h: completes a partial plan. An attempt of the initial plan gives up at the first
// hour it cannot place; the search takes the plan as that attempt left it and goes on: it picks
// an unplaced unit, weighs every start slot with its rooms by the lessons that would have to make
// way (each weighed by how often it was pushed out before), puts the unit where the least is in
// the way, takes what was in the way out again, and repeats until every hour stands, the budget
// is spent or "Halt" is pressed (iterative forward search with conflict statistics).
//
//   unplaced: [D 5a] [M 6b] ...          before        after putting D 5a at Mo 2
//                                        Mo 2: M 5a    Mo 2: D 5a     M 5a -> unplaced
//
// The rule book stays the placement check: a unit is put only where every hour of it passes the
// check once the lessons in its way are lifted. Locks, fixed times, hour bounds, the day
// restriction, the class hour limits and room types are never broken; an hour with a fixed time
// never leaves its slot. A course unit moves with all its parallel hours.
#pragma once

#include "optimise/RunControl.h"
#include "plan/Acceptance.h"
#include "plan/Placement.h"
#include "plan/Plan.h"
#include "plan/PlanRules.h"
#include "plan/Random.h"
#include "plan/Snapshot.h"

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace sw {

struct SearchResult {
    long long Steps = 0;     // units put
    int Unplaced = 0;        // lesson hours still unplaced at the end
    int EmptyFirstHours = 0; // first hours of a class left empty (when they must be filled)
    bool Halted = false;
    bool Complete() const { return Unplaced == 0 && EmptyFirstHours == 0; }
};

// Among starts that displace alike, the search prefers the one that adds least to the figures
// the stages improve afterwards: a second unit of a kept-apart subject on one day of a class,
// and new gap hours of classes and teachers, each weighed as this many displaced lessons.
struct SearchWeights {
    double Separation = 5.0;
    double ClassGaps = 2.0;
    double TeacherGaps = 0.5;
};

class ConflictSearch {
public:
    // The plan's lesson hours must be built; the grid may hold any consistent partial plan.
    ConflictSearch(CPlan& plan, Random& random, const SearchWeights& weights = {});

    // Searches until the plan is complete, `maxSteps` units have been put, or the run control
    // says stop (its pass is done after every `stepsPerPass` steps, and `progress`, when given,
    // is told the hours still unplaced then). With `fillFirstHours`, a class's empty first hour
    // counts as unfinished work.
    SearchResult Run(RunControl& run, long long maxSteps, bool fillFirstHours,
                     int stepsPerPass = 50, const std::function<void(int)>& progress = {});

    // What a compound move of a stage aims at.
    enum class Focus { Separation, ClassGaps, TeacherGaps, Rules };
    // One compound move: lifts a unit that adds to `focus`, puts it elsewhere and re-seats what
    // it displaces (at most `maxSteps` units put in all). The whole is judged once by the plan's
    // goals, as an exchange is; kept with the record of `rule`, or taken back exactly.
    // The plan's figures must be current. True when the move was kept.
    // With the focus Rules the move aims at the school's rules that adding hours can mend (a
    // day's minimum, the gaps, the fewest days): it is kept when it leaves fewer breaches of them
    // over the whole plan, or as many now and then, and nothing unplaced.
    bool Relocate(Focus focus, AcceptanceKind rule, int maxSteps);

    // Compound moves with the focus Rules on a complete plan until no such rule is broken, `tries`
    // moves were made, they stopped falling for a long while or the run control says stop (a
    // pass every 50 moves). One move in twenty may add a breach, so that a short day can be
    // emptied hour by hour; the plan with the fewest breaches seen is the one left. The breaches
    // left.
    // `stuckPerUnit` > 0: given up sooner, after that many moves per unit (at least 2,000)
    // without fewer breaches.
    int MendRules(RunControl& run, long long tries, long long stuckPerUnit = 0);

private:
    // A unit of a subject block, or a course unit with the parallel hours of all its teachers.
    struct Unit {
        std::vector<CStunde*> Hours; // position by position; within a position teacher by teacher
        int Length = 1;              // positions
        int Width = 1;               // parallel hours per position
        bool TimeFixed = false;
        bool OtherRooms = false; // every hour may stand in more than one room
        int FixedStart = kNoSlot;
    };
    // A way to put a unit: its start and the room of each parallel hour (same for every position).
    struct Value {
        int Start = kNoSlot;
        std::vector<int> Rooms;
        double Cost = 0;
    };

    // The best start found so far among the open ones or the tabu one, with what is in its way.
    struct Pick {
        Value value;
        std::vector<int> obstacles;
        int ties = 0; // starts of equal cost seen, for the draw among them
    };

    void BuildUnits();
    int UnplacedHours() const;
    int EmptyFirstHours() const;
    bool IsPlaced(int u) const;
    void MarkUnplaced(int u);
    void MarkPlaced(int u);
    // Most constrained first, roughly: of a few unplaced units drawn at random, the one with the
    // most hours at once per allowed room.
    int PickUnit();
    // The cheapest start of unit u; among equals one at random.
    bool BestValue(int u, Value& best);
    // Weighs putting unit u at `start`; false when that can never be, or when the cost of what
    // stands in the way alone exceeds `limit` (the start then cannot be the cheapest).
    bool Evaluate(int u, int start, Value& value, double limit = kNoLimit);
    // What Soft and SoftFloor need of the plan for unit u (the school's rules, the same subject
    // on each day), measured once for the plan as it stands: called before u's starts are weighed.
    void PrepareSoft(int u);
    // The least Soft can add for unit u in the plan as it stands (it subtracts where a start
    // fills gaps or mends a rule).
    double SoftFloor(int u) const;
    static constexpr double kNoLimit = 1e300;
    // The lessons whose leaving would let unit u (of `length` hours) start at `start` despite a
    // rule of the school over the days that names no lesson (`r`: a teacher's or class's full
    // day or longest run, a teacher's days or time window, a unit that ends the class's day),
    // added as obstacles; false when none would.
    bool RuleObstacles(int u, int start, int length, const Refusal& r, double& cost, bool& fixed);
    void Lift(int u);
    // Notes the teachers and classes of unit u as touched by the move under way.
    void Touch(int u);
    bool Put(int u, const Value& value);
    // `room`: u is only in the way of the room; a unit with a fixed time can make way for that
    // when it may take another room at its time.
    void AddObstacle(int u, int self, double& cost, bool& fixed, bool room = false);
    // The unit a lesson belongs to, or -1 for no lesson.
    int Owner(const CStunde* h) const;
    bool FillFirstHour(bool& progress);
    // What a start adds to the figures the stages improve, weighed by weights_.
    double Soft(int u, int start) const;
    // A movable unit that adds to the figure a compound move aims at, or -1.
    int PickFocusUnit(Focus focus);
    // A random day on which the teacher's or class's own lessons break a rule of the days (too
    // few hours, gaps where gaps are limited); `otherwise` when there is none.
    int TroubleDay(bool teacher, int entity, int otherwise);
    void Resync();

    SearchWeights weights_;
    CPlan& plan_;
    Random& random_;
    std::vector<Unit> units_;
    std::vector<int> unitOfHour_;
    std::vector<std::uint16_t> lockedHours_; // [entity * kMaxDays + day], teachers then classes
    std::vector<int> unplaced_;              // units with an hour not in the grid
    std::vector<int> position_;              // index of a unit in unplaced_, or -1
    std::vector<double> pushed_;             // how often each unit was taken out to make way
    std::vector<std::uint32_t> seen_; // stamp_ when a unit was last counted for the value weighed
    std::uint32_t stamp_ = 0;
    std::vector<int> obstacles_; // units in the way of the value being weighed
    std::vector<int> lastStart_; // the start each unit was last taken out of
    Value candidate_;
    std::vector<int> bestObstacles_; // units in the way of the value chosen
    Pick open_, tabu_;
    PlanSnapshot snapshot_;         // the plan before a compound move
    PlanSnapshot bestPartial_;      // the search's plan with the fewest hours left
    std::vector<int> ruleBreaches_; // per teacher and class before it (PlanRules::Measure)
    int breachesAfter_ = 0;         // all of them after a kept move aimed at the rules
    std::vector<int> pending_;      // units a compound move still has to re-seat
    std::array<const CStunde*, PlanRules::kMaxBlockObstacles> blockObstacles_{};
    int mendSlack_ = 0; // breaches a rule-mending move may add (now and then one)
    // While the rules are mended, ruleBreaches_ stays valid from move to move until one is kept.
    std::vector<PlanRules::Added> added_;   // PrepareSoft
    std::array<int, kMaxDays> sameOnDay_{}; // PrepareSoft: units of the same subject per day
    bool measureKept_ = false;
    bool measured_ = false;
    // The teachers, then the classes (as in PlanRules::Measure), whose units a move aimed at the
    // rules lifted: touched_[e] == touchStamp_, each listed once in touchedList_.
    bool tracking_ = false;
    std::vector<std::uint32_t> touched_;
    std::uint32_t touchStamp_ = 0;
    std::vector<int> touchedList_;
    // Such a move on a complete plan keeps, instead of a snapshot, the cells of every unit it
    // lifts (each unit once, as it stood before the move).
    bool journal_ = false;
    std::vector<std::uint32_t> moved_;
    std::vector<int> movedUnits_;
    std::vector<std::pair<CStunde*, int>> movedCells_;
};

} // namespace sw
