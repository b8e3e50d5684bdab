// SPDX-License-Identifier: GPL-3.0-or-later
// FitCheck.h: what can never fit, found before the first attempt of the initial plan, so that a
// school that no number of attempts could plan is told why at once.
//
// Every unit gets the starts the initial plan tries for it (its fixed slot, else hours 1.. of
// every day) and keeps those that the rules no moving of other lessons can change allow for each
// of its hours: the rules of the placement check (CheckRule) for the week in use, fixed times,
// hour bounds, day restrictions, the teacher's and the classes' locks and the classes' hour
// limits, and for the rooms their locks (a subject unit needs one room free at all its hours, a
// course needs a free room for each of its teachers at each hour). No rule of its own is made
// here. What is left must then hold:
//   - a unit has at least one start (a unit whose hours have no room at all is told apart);
//   - the hours of one class need a slot each, and so do those of one teacher: every group of
//     them needs as many slots as it has hours. The groups looked at are all of them, those that
//     can only stand up to some hour of the day, those that can only stand on one day, and those
//     that share the same slots.
//   - the hours of a teacher or class fit its rules of the days: no more than its most hours a
//     day on its most days, and not fewer in the week than its fewest on a day.
// A finding is therefore certain: no plan can place every hour. Finding nothing promises nothing.
#pragma once

#include "plan/Plan.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace sw {

struct FitProblem {
    enum class Kind : std::uint8_t {
        KeinRaum, // a unit whose hours have no room at all
        Einheit,  // a unit with no start
        Klasse,   // hours of a class that cannot all have a slot
        Lehrer,   // the same for a teacher
    };
    // Where the hours of a class or teacher are confined.
    enum class Where : std::uint8_t {
        Woche,     // all of them, over the week
        BisStunde, // those that can only stand up to hour `Wert` of the day
        Tag,       // those that can only stand on day `Wert`
        Zusammen,  // those that share the same slots
        Regeln,    // all of them, against the school's rules of the days (`Wert`: the RegelArt)
    };
    Kind What = Kind::Einheit;
    int Index = -1; // KeinRaum, Einheit: StundenL index of the unit's first hour (the first
                    // teacher's for a course); Klasse, Lehrer: the class or teacher
    int Hours = 0;  // Klasse, Lehrer: the hours of the group
    int Slots = 0;  // Klasse, Lehrer: the slots they can have between them
    Where Wo = Where::Woche;
    int Wert = 0;
    bool operator==(const FitProblem&) const = default;
};

// What can never fit under the plan's options as they are set; the plan's targets must be
// computed. Reads the plan only; an empty list when nothing was found.
std::vector<FitProblem> FindFitProblems(const CPlan& plan);

// The three options of the planning window that let hours stand beyond a class's hour limit
// (KursUeberStundenLimit, MehrfachKursUeberStundenLimit, MehrfachUeberStundenLimit), and the
// switches of `stundenwerk plan` that set them.
inline constexpr std::array<const char*, 3> kLimitOptionen = {
    "Setzen von Kursstunden über dem Stunden - Limit zulassen",
    "Setzen von Mehrfach-Kursstunden über dem StundenLimit zulassen",
    "Setzen von Mehrfach-Fachstunden über dem StundenLimit zulassen"};
inline constexpr std::array<const char*, 3> kLimitSchalter = {
    "--allow-course-over-limit", "--allow-multi-course-over-limit", "--allow-multi-over-limit"};

// The findings as sentences for the planner, each with what helps: the limit options that would
// remove it (found by checking again with them set; named by their captions, or with
// `schalter` by the tool's switches), otherwise the change to the school that would. Computes
// the plan's targets; its options are as before.
std::vector<std::string> DescribeFitProblems(CPlan& plan, bool schalter = false);

namespace texte {
// The planning window's question before the first attempt when something can never fit: "Kein
// Versuch kann einen vollständigen Plan ergeben:", the first `shown` findings (and how many more
// there are), "Trotzdem Urplan erzeugen?".
std::string NieSetzbarFrage(const std::vector<std::string>& findings, std::size_t shown = 6);
} // namespace texte

} // namespace sw
