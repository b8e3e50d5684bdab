// SPDX-License-Identifier: GPL-3.0-or-later
// StageTable.h: the optimisation stages as data. One row per stage of the planning window, per
// "Mischen" button of a stage's tab and for "Manuell" says what the stage sets, what one pass
// does and when the stage ends; the optimiser runs the rows, the planning window keeps its
// captions beside them and takes its curve and colours from them, and the tool its stage
// numbers.
#pragma once

#include "model/Report.h"
#include "plan/Acceptance.h"
#include "plan/ClassGaps.h"
#include "plan/Goals.h"
#include "plan/Plan.h"

#include <array>
#include <climits>
#include <span>

namespace sw {

// The stages, numbered as the planning window's tabs; 7 is "Manuell".
enum class Stage : int {
    KlassenLuecken = 2,
    KlassenVerteilung = 3,
    Trennungsfehler = 4,
    LehrerLuecken = 5,
    LehrerVerteilung = 6,
    Manuell = 7,
};

// The figures a stage aims at or a curve follows; the first seven in the order of the goal list
// of "Manuell".
enum class Figure : std::uint8_t {
    KLSSumme,
    KProd,
    TFSumme,
    STFSumme,
    LLSSumme,
    LLSMax,
    LProd,
    BestLLS,
};

// The plan's value of `k`.
int FigureValue(const CPlan& plan, Figure k);

// One step of a pass.
struct PassStep {
    enum class Kind : std::uint8_t {
        ClassGaps,    // one class-gap pass: mode A (ClassGapMode), B attempts per chosen class
        Exchanges,    // five times two exchanges at random slots
        GoalDirected, // one goal-directed call: A class tries, B moves wanted
        Relocations,  // B compound moves of the search aimed at A (CompoundFocus); they run
                      // only when the optimiser is told to use them
    };
    Kind What = Kind::Exchanges;
    int A = 0, B = 0;
};

constexpr PassStep ClassGaps(int mode, int count) {
    return {PassStep::Kind::ClassGaps, mode, count};
}
constexpr PassStep Exchanges() {
    return {PassStep::Kind::Exchanges, 0, 0};
}
constexpr PassStep GoalDirected(int classTries, int wanted) {
    return {PassStep::Kind::GoalDirected, classTries, wanted};
}

// What a compound move aims at: a separation error, a class's gap, a teacher's gap.
enum class CompoundFocus : std::uint8_t { Separation, ClassGaps, TeacherGaps };

constexpr PassStep Relocations(CompoundFocus focus, int count) {
    return {PassStep::Kind::Relocations, static_cast<int>(focus), count};
}

// What a stage counts in its progress after each pass.
enum class PassCount : std::uint8_t {
    None,      // nothing
    Exchanges, // the feasible exchanges of the stage so far
    Passes,    // the passes done before this one
    Iteration, // the iteration, counted as for Passes
};

namespace texte {
// Stages 4 to 6 say when they end at their target, as stages 2 and 3 do; stage 6 ends as soon as
// no teacher has a gap, also before its first pass.
inline constexpr const char* TrennungsfehlerBeseitigt = "Trennungsfehler beseitigt!";
inline constexpr const char* LehrerLeerstundenBeseitigt = "Lehrer - Leerstunden beseitigt!";
inline constexpr const char* KeineLehrerLeerstunden =
    "Die Lehrer haben keine Leerstunden: „6. Lehrerstunden verteilen“ arbeitet nur, solange es "
    "Lehrer - Leerstunden gibt.";
} // namespace texte

// When a stage has reached its target.
enum class StageEnd : std::uint8_t {
    Never,
    NoClassGaps,        // KLSSumme = 0
    IdealDistribution,  // KProd = KProdOpt
    NoSeparationErrors, // TFSumme = 0
    NoTeacherGaps,      // LLSSumme = 0
};

bool Reached(const CPlan& plan, StageEnd end);

// The rules of the stages: all judge by their goals alone. "3. Klassenstunden verteilen" starts
// the class record (KProdRekord = KProd, tolerance 200), which none of its moves consults or
// raises; "6. Lehrerstunden verteilen" starts the teachers' working values.
inline constexpr GoalTableAcceptance kGoalTableRule{};
inline constexpr ClassRecordAcceptance kStageClassRecord{200};
inline constexpr TeacherStageAcceptance kTeacherStageRule{};

struct StageRow {
    sw::Stage Stage;
    bool Mix;           // the "Mischen" button of the stage's tab
    GoalSet Goals;      // the goals it sets (all others off)
    bool GoalsFromList; // "Manuell": the goals the user chose instead
    std::array<PassStep, 4> Steps;
    int StepCount;
    PassCount Counts;
    bool TestFirst;         // the target is tested before the first pass too
    const Acceptance* Rule; // starts its records before the loop; the rule the moves keep
    Figure Target;          // the figure it works on (coloured on its tab)
    StageEnd End;
    int PassLimit;
    const char* EndMessage; // shown when the target is reached ("" for none)
    const char* EndTitle;
    Figure Curve; // the figure its curve follows ("Manuell": the first chosen goal)

    std::span<const PassStep> Pass() const { return {Steps.data(), std::size_t(StepCount)}; }
    bool HasGoalDirectedStep() const {
        for (const PassStep& s : Pass())
            if (s.What == PassStep::Kind::GoalDirected) return true;
        return false;
    }
};

inline constexpr GoalSet kKlassenZiele{Ziel::KlassenLuecken, Ziel::KlassenVerteilung};
inline constexpr GoalSet kTrennungsZiele{Ziel::KlassenLuecken, Ziel::KlassenVerteilung,
                                         Ziel::Trennungsfehler, Ziel::Spezialtrennungsfehler};
inline constexpr GoalSet kLehrerZiele{Ziel::KlassenLuecken, Ziel::KlassenVerteilung,
                                      Ziel::Trennungsfehler, Ziel::Spezialtrennungsfehler,
                                      Ziel::LehrerLuecken};

// clang-format off
inline constexpr std::array<StageRow, 11> kStageTable = {{
    {Stage::KlassenLuecken, false,
     {Ziel::KlassenLuecken}, false, {ClassGaps(kGapModeGaps, 10), Relocations(CompoundFocus::ClassGaps, 3), Exchanges(), GoalDirected(12, 20)}, 4,
     PassCount::Exchanges, false, &kGoalTableRule, Figure::KLSSumme, StageEnd::NoClassGaps,
     INT_MAX, "Leerstunden beseitigt!", titel::Hinweis, Figure::KLSSumme},
    {Stage::KlassenVerteilung, false,
     kKlassenZiele, false, {Exchanges(), ClassGaps(kGapModeSpread, 20)}, 2,
     PassCount::Exchanges, false, &kStageClassRecord, Figure::KProd, StageEnd::IdealDistribution,
     10000, "Stunden optimal verteilt!", "", Figure::KProd},
    {Stage::Trennungsfehler, false,
     kTrennungsZiele, false, {GoalDirected(5, 10), Relocations(CompoundFocus::Separation, 3), Exchanges()}, 3,
     PassCount::None, true, &kGoalTableRule, Figure::TFSumme, StageEnd::NoSeparationErrors,
     100001, texte::TrennungsfehlerBeseitigt, titel::Hinweis, Figure::TFSumme},
    {Stage::LehrerLuecken, false,
     kLehrerZiele, false, {GoalDirected(20, 20), Relocations(CompoundFocus::TeacherGaps, 3), Exchanges()}, 3,
     PassCount::Passes, true, &kGoalTableRule, Figure::LLSSumme, StageEnd::NoTeacherGaps,
     INT_MAX, texte::LehrerLeerstundenBeseitigt, titel::Hinweis, Figure::LLSSumme},
    {Stage::LehrerVerteilung, false,
     {Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
      Ziel::Spezialtrennungsfehler, Ziel::LehrerLuecken, Ziel::LehrerVerteilung},
     false, {GoalDirected(20, 50), Exchanges()}, 2,
     PassCount::None, true, &kTeacherStageRule, Figure::LProd, StageEnd::NoTeacherGaps,
     100001, texte::KeineLehrerLeerstunden, titel::Hinweis, Figure::LProd},
    {Stage::Manuell, false,
     {}, true, {GoalDirected(20, 20), Exchanges(), ClassGaps(kGapModeAll, 20)}, 3,
     PassCount::Iteration, false, &kGoalTableRule, Figure::LLSSumme, StageEnd::Never,
     INT_MAX, "", "", Figure::LLSSumme},
    {Stage::KlassenLuecken, true,
     {}, false, {ClassGaps(kGapModeAll, 10)}, 1,
     PassCount::None, false, &kGoalTableRule, Figure::KLSSumme, StageEnd::Never,
     1, "", "", Figure::KLSSumme},
    {Stage::KlassenVerteilung, true,
     {Ziel::KlassenLuecken}, false, {ClassGaps(kGapModeAll, 10), GoalDirected(12, 20)}, 2,
     PassCount::None, false, &kGoalTableRule, Figure::KProd, StageEnd::Never,
     6, "", "", Figure::KProd},
    {Stage::Trennungsfehler, true,
     kKlassenZiele, false, {GoalDirected(20, 20), ClassGaps(kGapModeAll, 20)}, 2,
     PassCount::None, false, &kGoalTableRule, Figure::TFSumme, StageEnd::Never,
     5, "", "", Figure::TFSumme},
    {Stage::LehrerLuecken, true,
     kTrennungsZiele, false, {GoalDirected(5, 10)}, 1,
     PassCount::None, false, &kGoalTableRule, Figure::LLSSumme, StageEnd::Never,
     11, "", "", Figure::LLSSumme},
    {Stage::LehrerVerteilung, true,
     {}, false, {GoalDirected(50, 50)}, 1,
     PassCount::None, false, &kGoalTableRule, Figure::LProd, StageEnd::Never,
     1, "", "", Figure::LProd},
}};
// clang-format on

// The row of a stage, or of the "Mischen" button of its tab (nullptr for "Manuell").
constexpr const StageRow* FindStageRow(Stage stage, bool mix) {
    for (const StageRow& row : kStageTable)
        if (row.Stage == stage && row.Mix == mix) return &row;
    return nullptr;
}

constexpr const StageRow& StageRowOf(Stage stage) {
    return *FindStageRow(stage, false);
}

// The stage numbered `number` as the tool takes it: 2..6, not "Manuell".
constexpr const StageRow* FindNumberedStage(int number) {
    for (const StageRow& row : kStageTable)
        if (!row.Mix && !row.GoalsFromList && static_cast<int>(row.Stage) == number) return &row;
    return nullptr;
}

} // namespace sw
