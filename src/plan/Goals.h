// SPDX-License-Identifier: GPL-3.0-or-later
// Goals.h: the goals of the optimisation. The plan holds 22 on/off flags numbered 0..21; a goal
// is one of the numbers that mean something. Every move asks the goals that are on, in
// ascending order, whether it may stay (the moves' goal tables say how each goal judges them;
// Acceptance.h holds the rules that keep records).
#pragma once

#include <cstdint>
#include <initializer_list>

namespace sw {

// The goals by their numbers in the plan's flags. 0, 2, 3, 7..10 and 15 mean nothing.
enum class Ziel : std::uint8_t {
    KlassenLuecken = 1,              // class gaps (KLS) must not grow
    KlassenVerteilung = 4,           // the class distribution (KProd) must not fall
    LehrerLueckenMaximum = 5,        // the largest teacher-gap sum (LLSMax) must not grow
    LehrerVerteilung = 6,            // the teacher distribution (LProd) must not fall
    Trennungsfehler = 11,            // separation errors (TF) must not grow
    LehrerLuecken = 12,              // teacher gaps (LLS) must not grow
    TrennungBeiGleichenLuecken = 13, // TF, STF, maximum not more, teacher gaps exactly equal
    LueckenBeiGleicherTrennung = 14, // LLS, maximum not more, separation errors equal
    Sintflut = 16,                   // great deluge: the teacher-gap total stays below the level
    Spezialtrennungsfehler = 17,     // special separation errors (STF) must not grow
    RekordMitMarge = 18,             // the teacher-gap total within a margin of its record
    KlassenRekord = 19,              // class-gap moves: KProd within a tolerance of its record
    KlassenAnnealing = 20,           // class-gap moves: KProd judged at a temperature
    Annealing = 21,                  // teacher gaps judged at a temperature
};

// The number of goal flags a plan holds (0..21).
inline constexpr int kZielAnzahl = 22;

constexpr int Nummer(Ziel z) {
    return static_cast<int>(z);
}

// A set of goals as one value, so that tables can name the goals a stage sets.
class GoalSet {
public:
    constexpr GoalSet() = default;
    constexpr GoalSet(std::initializer_list<Ziel> goals) {
        for (Ziel z : goals)
            bits_ |= std::uint32_t{1} << Nummer(z);
    }
    constexpr bool Has(Ziel z) const { return (bits_ >> Nummer(z) & 1u) != 0; }
    constexpr void Add(Ziel z) { bits_ |= std::uint32_t{1} << Nummer(z); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool operator==(const GoalSet&) const = default;

private:
    std::uint32_t bits_ = 0;
};

// Every goal, ascending: the order in which a move asks them.
inline constexpr Ziel kAlleZiele[] = {
    Ziel::KlassenLuecken,
    Ziel::KlassenVerteilung,
    Ziel::LehrerLueckenMaximum,
    Ziel::LehrerVerteilung,
    Ziel::Trennungsfehler,
    Ziel::LehrerLuecken,
    Ziel::TrennungBeiGleichenLuecken,
    Ziel::LueckenBeiGleicherTrennung,
    Ziel::Sintflut,
    Ziel::Spezialtrennungsfehler,
    Ziel::RekordMitMarge,
    Ziel::KlassenRekord,
    Ziel::KlassenAnnealing,
    Ziel::Annealing,
};

} // namespace sw
