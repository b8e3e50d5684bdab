// SPDX-License-Identifier: GPL-3.0-or-later
// PlanWriter.h: the plan layer's own write access to the plan's state, beyond the narrow writers
// CPlan offers everyone: the status records the evaluation keeps, the targets, and the parts as a
// whole where an evaluation, a move or the initial plan keeps them up to date in place. Only code
// in plan/ and tests that set up plan state include it; everything else reads the plan through
// its accessors and writes through its named writers.
#pragma once

#include "plan/Plan.h"

#include <vector>

namespace sw {

struct PlanWriter {
    static std::vector<CLehrerStatus>& LehrerStatus(CPlan& p) { return p.LehrerStatusL.items_; }
    static std::vector<CKlassenStatus>& KlassenStatus(CPlan& p) { return p.KlassenStatusL.items_; }
    static std::vector<CLehrerSollwerte>& LehrerSoll(CPlan& p) { return p.LehrerSollL.items_; }
    static std::vector<CKlassenSollwerte>& KlassenSoll(CPlan& p) { return p.KlassenSollL.items_; }
    static PlanTotals& Totals(CPlan& p) { return p.totals_; }
    static PlanFlags& Flags(CPlan& p) { return p.flags_; }
    static ConflictReport& Conflict(CPlan& p) { return p.conflict_; }
};

} // namespace sw
