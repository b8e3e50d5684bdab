// SPDX-License-Identifier: GPL-3.0-or-later
// Plans.h: plans to test moves on, built from a school's master data. Header only, on top of the
// hand-built schools of School.h.
#pragma once

#include "plan/Evaluation.h"
#include "plan/InitialPlan.h"
#include "plan/Plan.h"
#include "plan/PlanWriter.h"
#include "plan/Random.h"
#include "support/School.h"

#include <cstdint>

namespace sw::test {

// The plan's hours placed at random where the placement check allows it, `rounds` tries with a
// generator seeded `seed`, with the classes' hour limits lifted so that late hours may stand too;
// targets computed and every record and total evaluated.
inline void PlaceAtRandom(CPlan& plan, std::uint32_t seed, int rounds = 2000) {
    plan.BuildLessonHours();
    ComputeTargets(plan);
    PlanWriter::Flags(plan).MehrfachUeberStundenLimit =
        PlanWriter::Flags(plan).MehrfachKursUeberStundenLimit = 1;
    PlanWriter::Flags(plan).KursUeberStundenLimit = 1;
    Random rng(seed);
    PlaceRandomly(plan, rng, rounds);
    EvaluateAll(plan);
}

// A complete initial plan (up to 200 attempts drawing from `rng`, seeded `seed`), its records and
// totals evaluated; false when no attempt was complete. The lesson hours must be built and the
// targets computed.
inline bool PlanCompletely(CPlan& plan, Random& rng, std::uint32_t seed) {
    InitialPlanBuilder builder(plan, rng);
    rng.Seed(seed);
    for (int i = 0; i < 200; ++i) {
        plan.ClearPlacements();
        if (builder.Build() == 0) break;
    }
    EvaluateAll(plan);
    return plan.PlacedCount() == static_cast<int>(plan.StundenL.size());
}

} // namespace sw::test
