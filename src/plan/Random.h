// SPDX-License-Identifier: GPL-3.0-or-later
// Random.h: the planner's pseudo-random generator, one object per run (never a global), so that a
// run with a given seed is reproducible. A 64-bit linear congruential generator:
// state = state * (346 * 2^32 + 20021) + 1 mod 2^64, the value being the upper 32 bits with the
// sign bit cleared. Seeding puts the seed into the lower half and clears the upper half.
#pragma once

#include <cstdint>

namespace sw {

class Random {
public:
    explicit Random(std::uint32_t seed = 0) { Seed(seed); }

    void Seed(std::uint32_t seed) { state_ = seed; }
    std::uint64_t State() const { return state_; }

    // The next value, 0..2^31-1.
    std::int32_t Next() {
        state_ = state_ * kMultiplier + 1;
        return static_cast<std::int32_t>((state_ >> 32) & 0x7FFFFFFFu);
    }
    // The next value modulo n; 0 when n <= 0 (no value is drawn then).
    int Below(int n) { return n <= 0 ? 0 : Next() % n; }
    // a + Below(b - a + 1).
    int InRange(int a, int b) { return a + Below(b - a + 1); }
    // A fraction in [0, 1).
    double Fraction() { return Below(2147483647) / 2147483648.0; }

private:
    static constexpr std::uint64_t kMultiplier = (std::uint64_t{346} << 32) + 20021;
    std::uint64_t state_ = 0;
};

} // namespace sw
