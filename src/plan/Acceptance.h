// SPDX-License-Identifier: GPL-3.0-or-later
// Acceptance.h: the acceptance rules of the optimisation and the records they keep in the plan's
// Optimierungswerte. The moves ask the plan's goals, in ascending order, whether a move may stay;
// four goals do not compare figures before and after but a record or a temperature:
//
//   goal 16  great deluge       the teacher-gap total after the move not above the level
//   goal 18  record plus margin the total not above BestLLS + LLSAkzeptanz
//   goal 21  annealing          teacher gaps judged by chance at the temperature
//   goal 19  class record       (class-gap moves) KProd not below KProdRekord - KProdToleranz
//   goal 20  class annealing    (class-gap moves) KProd judged by chance at the temperature
//
// The tests are plain functions of the rules below, called from the goal tables of the moves. A
// run chooses one rule as an `Acceptance`: it sets the records the rule starts from, names the
// record an accepted move keeps up to date, and lowers the deluge level as the run goes on.
#pragma once

#include "plan/Plan.h"
#include "plan/Random.h"

#include <cmath>
#include <cstdint>

namespace sw {

// The rule whose record an accepted move keeps up to date.
enum class AcceptanceKind : std::uint8_t {
    GoalTable,        // the goals alone; no record
    Deluge,           // BestLLS follows the total
    Annealing,        // BestLLS follows the total, the temperature follows BestLLS
    RecordPlusMargin, // BestLLS follows the total
    ClassRecord,      // class-gap moves: KProdRekord follows KProd
    ClassAnnealing,   // as ClassRecord, and the temperature follows KProdRekord
};

// The temperature of the teacher-gap annealing for a record of `bestLLS` (teachers > 0).
inline float AnnealingTemperature(std::int32_t bestLLS, int teachers) {
    return static_cast<float>(bestLLS * 0.0072 / teachers + 0.043);
}

// The temperature of the class annealing for a class record of `record` (ideal != 0).
inline float ClassTemperature(std::int32_t record, std::int32_t ideal) {
    return static_cast<float>(0.34 - 0.16 * static_cast<double>(record) / ideal);
}

// --- the rules' tests, for the goal tables ----------------------------------------------------

// Great deluge: the candidate total is compared with the level as floating point.
inline bool DelugeAccepts(const Optimierungswerte& o, long long total) {
    return static_cast<double>(total) <= o.Temperatur;
}

// Record plus margin.
inline bool RecordAccepts(const Optimierungswerte& o, long long total) {
    return total <= o.BestLLS + o.LLSAkzeptanz;
}

// Annealing of the teacher gaps: with the change d = before - after (positive = better) and
// x = 0.2 d in single precision, a move stays with probability 1 / (1 + e^(-x / T)); without a
// temperature only the sign of d counts. Draws one fraction from `rng`, always.
inline bool AnnealingAccepts(const Optimierungswerte& o, Random& rng, long long before,
                             long long after) {
    const float delta = static_cast<float>(before - after);
    const float x = 0.2f * delta;
    const float t = o.Temperatur;
    const float p = t > 0.0f ? 1.0f / (1.0f + std::exp(-x / t))
                             : (delta > 0   ? 1.0f
                                : delta < 0 ? 0.0f
                                            : 0.5f);
    return rng.Fraction() <= p;
}

// Class record: rejects when the class gaps grew or KProd fell below the record minus the
// tolerance.
inline bool ClassRecordRejects(const Optimierungswerte& o, bool gapsGrew, int kprod) {
    return gapsGrew || kprod < o.KProdRekord - o.KProdToleranz;
}

// Class annealing: with grown class gaps it does not decide (and draws nothing); otherwise
// d = KProd after - before and the move is rejected when a fraction drawn from `rng` exceeds
// 1 / (1 + e^(-0.002 d / T)), in single precision.
inline bool ClassAnnealingRejects(const Optimierungswerte& o, Random& rng, bool gapsGrew,
                                  int kprodBefore, int kprodAfter) {
    if (gapsGrew) return false;
    const float delta = static_cast<float>(kprodAfter - kprodBefore);
    const float p = 1.0f / (1.0f + std::exp(-0.002f * delta / o.Temperatur));
    return rng.Fraction() > p;
}

// --- the records after an accepted move -------------------------------------------------------

// A teacher move was accepted with the plan's teacher-gap total `total`: under the deluge,
// record plus margin and annealing a lower total becomes BestLLS; under annealing the
// temperature then follows it.
void KeepTeacherRecord(CPlan& plan, AcceptanceKind kind, long long total);

// A class-gap move was kept (the plan's KProd is up to date): under the class record and the
// class annealing a higher KProd becomes KProdRekord; under the class annealing the temperature
// then follows it.
void KeepClassRecord(CPlan& plan, AcceptanceKind kind);

// --- the rule a run chooses -------------------------------------------------------------------

class Acceptance {
public:
    // The record an accepted move keeps (the moves take it as a value).
    virtual AcceptanceKind Kind() const = 0;
    // Sets the records and the temperature the rule starts from, from the plan's figures.
    virtual void Start(CPlan& plan) const = 0;
    // After iteration `iteration` (counted from 0) of a run.
    virtual void Iterated(CPlan& plan, int iteration) const {
        (void)plan;
        (void)iteration;
    }

protected:
    ~Acceptance() = default;
};

// The goals alone; starts nothing.
class GoalTableAcceptance final : public Acceptance {
public:
    AcceptanceKind Kind() const override { return AcceptanceKind::GoalTable; }
    void Start(CPlan& plan) const override { (void)plan; }
};

// The goals alone, from the working values of "6. Lehrerstunden verteilen": BestLLS, TFStart and
// LProdStart from the plan's figures, LLSAkzeptanz 2 and the two further values 2 and 200.
class TeacherStageAcceptance final : public Acceptance {
public:
    AcceptanceKind Kind() const override { return AcceptanceKind::GoalTable; }
    void Start(CPlan& plan) const override;
};

// Plain descent under the goals; it starts BestLLS and the annealing temperature like the
// annealing, so that both runs begin alike, though the goals never consult them.
class DescentAcceptance final : public Acceptance {
public:
    AcceptanceKind Kind() const override { return AcceptanceKind::GoalTable; }
    void Start(CPlan& plan) const override;
};

// Great deluge: BestLLS and the level start at the teacher-gap total; every fifth iteration the
// level drops by one while the total is below it.
class DelugeAcceptance final : public Acceptance {
public:
    AcceptanceKind Kind() const override { return AcceptanceKind::Deluge; }
    void Start(CPlan& plan) const override;
    void Iterated(CPlan& plan, int iteration) const override;
};

// Annealing: BestLLS starts at the teacher-gap total, the temperature from it.
class AnnealingAcceptance final : public Acceptance {
public:
    AcceptanceKind Kind() const override { return AcceptanceKind::Annealing; }
    void Start(CPlan& plan) const override;
};

// Record plus margin: BestLLS starts at the teacher-gap total, LLSAkzeptanz at `margin`.
class RecordAcceptance final : public Acceptance {
public:
    constexpr explicit RecordAcceptance(int margin) : margin_(margin) {}
    AcceptanceKind Kind() const override { return AcceptanceKind::RecordPlusMargin; }
    void Start(CPlan& plan) const override;

private:
    int margin_;
};

// Class record: KProdRekord starts at KProd, KProdToleranz at `tolerance`.
class ClassRecordAcceptance final : public Acceptance {
public:
    constexpr explicit ClassRecordAcceptance(int tolerance) : tolerance_(tolerance) {}
    AcceptanceKind Kind() const override { return AcceptanceKind::ClassRecord; }
    void Start(CPlan& plan) const override;

private:
    int tolerance_;
};

// Class annealing: KProdRekord starts at KProd, the temperature from it.
class ClassAnnealingAcceptance final : public Acceptance {
public:
    AcceptanceKind Kind() const override { return AcceptanceKind::ClassAnnealing; }
    void Start(CPlan& plan) const override;
};

} // namespace sw
