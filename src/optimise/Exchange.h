// SPDX-License-Identifier: GPL-3.0-or-later
// Exchange.h: the exchange move. Everything a closed group of classes is taught at one slot is
// swapped with everything the same group is taught at another slot; every moved hour gets a new
// room (first fit), the classes and teachers concerned are re-evaluated, and the active goals
// decide whether the swap stays.
//
//            first slot        second slot              first slot        second slot
//   room 0  [ 5a Deutsch ]    [ 5a/5b Reli A ]   ->   [ 5a/5b Reli A ]  [ 5a Deutsch ]
//   room 1  [ 5b Mathe   ]    [ 5a/5b Reli B ]        [ 5a/5b Reli B ]  [ 5b Mathe   ]
//
// The move never changes a planning rule: it places hours only where CheckPlacement allows.
#pragma once

#include "optimise/GoalTests.h"
#include "plan/MoveRecord.h"
#include "plan/Plan.h"
#include "plan/Seating.h"

#include <cstdint>
#include <vector>

namespace sw {

// A set of class indices of any size; membership test and insertion in constant time.
class ClassSet {
public:
    void Reset(int classes);
    bool Has(int k) const { return k >= 0 && k < size_ && (words_[k >> 6] >> (k & 63) & 1u) != 0; }
    // Adds k; true when it was new.
    bool Add(int k);
    bool operator==(const ClassSet& other) const { return words_ == other.words_; }

private:
    std::vector<std::uint64_t> words_;
    int size_ = 0;
};

// What an exchange is asked to do.
struct ExchangeRequest {
    int FirstSlot = kNoSlot;
    int SecondSlot = kNoSlot;
    int ClassAtFirst = -1;  // the class whose lesson at FirstSlot is exchanged
    int ClassAtSecond = -1; // the class whose lesson at SecondSlot is exchanged (usually the same)
    // The record an accepted swap keeps up to date.
    AcceptanceKind Rule = AcceptanceKind::GoalTable;
    // A swap the goals reject stays, and the totals follow it (the user's swap in the grid).
    bool KeepIfWorse = false;
    // Without: the move only tests whether every hour would find a room, and puts all back.
    bool Commit = true;
    // The two hours, when the caller knows them; otherwise the move finds them.
    const CStunde* HourAtFirst = nullptr;
    const CStunde* HourAtSecond = nullptr;
};

class ExchangeMove {
public:
    // The move keeps its work lists between calls, sized for `plan`, so a call allocates nothing.
    // The rooms are chosen first-fit; only the annealing goal draws from `rng`.
    ExchangeMove(CPlan& plan, Random& rng);

    // Swaps the lesson of ClassAtSecond at SecondSlot (and of ClassAtFirst at FirstSlot) with
    // everything the closed class group is taught at the other slot. Returns true when every
    // moved hour found a room, whether or not the goals kept the swap.
    bool operator()(const ExchangeRequest& request);

    // Whether the last committed call was kept (accepted by the goals or kept anyway), and what
    // it changed, so that it can be undone. The record is empty when nothing was kept.
    bool LastKept() const { return lastKept_; }
    const MoveRecord& Record() const { return record_; }

private:
    // Quick refusals before the closure is built: the culprit, or nullptr.
    static const CStunde* QuickRefusal(const CStunde& atFirst, const CStunde& atSecond);
    // The closure: every class met at either slot by a class of the group joins the group, with
    // its hours there. True when the group is busy at both slots alike.
    bool BuildClosure(const CStunde& atFirst, const CStunde& atSecond);
    void AddHour(const CStunde& h, ClassSet& met, std::vector<CStunde*>& hours, bool seed);
    void Scan(int k, int slot, ClassSet& met, std::vector<CStunde*>& hours);
    // Whether every hour of the closure may move: no unit hour, no fixed time.
    bool Movable() const;
    // Lifts every hour of the closure and chooses rooms first-fit: the second slot's hours at
    // the first slot, then the first slot's hours at the second. True when all found rooms.
    bool LiftAndSeat();
    // Measures the group's classes and the moved hours' teachers before and after.
    void Measure(MoveJudgement& j);

    CPlan& plan_;
    Random& rng_;
    Seating seating_;
    MoveRecord record_;
    ClassSet s_, c1_, c2_;
    std::vector<int> members_; // classes of S in the order they joined
    std::vector<CStunde*> h1_, h2_;
    std::vector<int> n1_, n2_;
    int firstSlot_ = 0, secondSlot_ = 0;
    bool lastKept_ = false;
};

} // namespace sw
