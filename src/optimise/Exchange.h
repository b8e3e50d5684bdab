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

class ExchangeMove {
public:
    // The move keeps its work lists between calls, sized for `plan`, so a call allocates nothing.
    explicit ExchangeMove(CPlan& plan);

    // Swaps the lessons of classAtSecond at secondSlot (and of classAtFirst at firstSlot) with
    // everything the closed class group is taught at the other slot. `strategy` picks the record
    // an accepted swap updates (16, 18, 21). With `keepIfWorse` a swap the goals reject stays
    // (and the totals follow it);
    // without `commit` the move only tests whether every hour would find a room and puts all
    // back. `hourAtFirst`/`hourAtSecond` may name the hours when the caller knows them.
    // Returns true when every moved hour found a room (whether or not the goals kept the swap).
    bool operator()(int classAtSecond, int classAtFirst, int strategy, bool keepIfWorse,
                    bool commit, const CStunde* hourAtFirst, const CStunde* hourAtSecond,
                    int firstSlot, int secondSlot);

    // Whether the last committed call was kept (accepted by the goals or kept anyway).
    bool LastKept() const { return lastKept_; }

private:
    void AddHour(const CStunde& h, ClassSet& met, std::vector<CStunde*>& hours, bool seed);
    void Scan(int k, int slot, ClassSet& met, std::vector<CStunde*>& hours);
    void Restore(bool placed);

    CPlan& plan_;
    Seating seating_;
    ClassSet s_, c1_, c2_;
    std::vector<int> members_; // classes of S in the order they joined
    std::vector<CStunde*> h1_, h2_;
    std::vector<int> r1_, r2_, n1_, n2_;
    std::vector<int> teachers_;
    std::vector<CLehrerStatus> savedTeachers_;
    std::vector<CKlassenStatus> savedClasses_;
    int firstSlot_ = 0, secondSlot_ = 0;
    bool lastKept_ = false;
};

} // namespace sw
