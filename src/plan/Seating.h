// SPDX-License-Identifier: GPL-3.0-or-later
// Seating.h: which room a lesson hour, a unit or the hours of a course position take at a slot.
// Every room is asked of CheckPlacement; the grid is never changed here. The callers place the
// hours themselves, so that each of them keeps its own order of random draws:
//
//   first fit     the candidate rooms in RaumL order, the first that passes (exchange move)
//   draws         random rooms within one budget of draws; a room already taken is drawn again
//                 and counts (goal-directed moves)
//   tries         a number of tries, each drawing until a room not yet taken turns up (at most
//                 a number of redraws) and asking the check once (initial plan, class gaps)
//
//   slot s    room 0   room 1   room 2
//            [ taken ][       ][ h?  ]     a group: each hour in a room of its own, none taken
#pragma once

#include "plan/Plan.h"
#include "plan/Random.h"

#include <cstdint>
#include <span>
#include <vector>

namespace sw {

// How SeatGroup seats each hour of a group; the counts are multiples of the hour's number of
// candidate rooms.
struct RoomRule {
    enum class Art : std::uint8_t { FirstFit, Draws, Tries };
    Art Wie = Art::FirstFit;
    int Per = 0;     // Draws: draws; Tries: tries
    int Redraws = 0; // Tries: redraws of a taken room in one try

    static constexpr RoomRule FirstFit() { return {}; }
    static constexpr RoomRule Draws(int per) { return {Art::Draws, per, 0}; }
    static constexpr RoomRule Tries(int per, int redraws) { return {Art::Tries, per, redraws}; }
};

class Seating {
public:
    // Draws from `rng` and writes the plan's conflict report (through CheckPlacement).
    Seating(CPlan& plan, Random& rng) : plan_(plan), rng_(rng) {}

    // A random candidate room of h (h must have one).
    int RandomRoom(const CStunde& h);

    // One hour at `slot`; the rooms in `taken` are skipped. -1 when no room passes.
    int FirstFit(const CStunde& h, int slot, const std::vector<int>* taken = nullptr);
    // Up to `draws` random rooms in all; a taken room is drawn again and the redraw counts, and
    // when the budget ends on a taken room the hour finds none.
    int Draw(const CStunde& h, int slot, int draws, const std::vector<int>* taken = nullptr);
    // Up to `tries` tries; each draws until a room not taken turns up (at most `redraws` draws)
    // and asks the check for it.
    int Try(const CStunde& h, int slot, int tries, int redraws,
            const std::vector<int>* taken = nullptr);

    // Whether every hour of the unit that begins with `first` may stand in `room`, hour p at
    // start + p. A unit never crosses the end of the day; a start or room outside the plan is
    // refused as a time conflict of the first hour.
    bool UnitFits(const CStunde& first, int start, int room);
    // Up to `tries` random rooms for the whole unit from `start` on; -1 when none fits.
    int TryUnit(const CStunde& first, int start, int tries);

    // A room for every hour of `hours` at `slot`, each hour in a room of its own, by `rule`;
    // `rooms` receives them in the order of the hours. False at the first hour that finds none
    // (no further draws are made then).
    bool SeatGroup(std::span<CStunde* const> hours, int slot, RoomRule rule,
                   std::vector<int>& rooms);

    // The hour last asked of the check: the one a failed seating names. Callers may set it to
    // the hour a search begins with.
    const CStunde* LastChecked() const { return last_; }
    void SetLastChecked(const CStunde* h) { last_ = h; }

private:
    bool Fits(const CStunde& h, int slot, int room);

    CPlan& plan_;
    Random& rng_;
    const CStunde* last_ = nullptr;
};

} // namespace sw
