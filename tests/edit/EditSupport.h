// SPDX-License-Identifier: GPL-3.0-or-later
// EditSupport.h: a hand-built school with its plan and an editor on it, for the editing tests.
#pragma once

#include "edit/EditHistory.h"
#include "edit/PlanEditor.h"
#include "plan/Evaluation.h"
#include "plan/PlanWriter.h"
#include "support/PlanState.h"
#include "support/School.h"

#include <memory>

namespace sw::test {

struct EditFixture {
    // Five days of six hours, four rooms R0..R3, teachers L0..L3, classes K0..K2, subjects F0..F2.
    Stammdaten s = MakeSchool(5, 6, 4, 4, 3, 3);
    CapturingReporter rep;     // the plan's
    CapturingReporter answers; // the editor's questions, answered Yes
    CapturingReporter sayNo{false};
    std::unique_ptr<CPlan> plan;
    EditHistory history;
    std::unique_ptr<PlanEditor> ed;

    void Build() {
        plan = std::make_unique<CPlan>(s, rep);
        plan->BuildLessonHours();
        ComputeTargets(*plan);
        // The tiny classes' hour limits would rule out most hours of the day.
        PlanWriter::Flags(*plan).KursUeberStundenLimit =
            PlanWriter::Flags(*plan).MehrfachKursUeberStundenLimit = 1;
        PlanWriter::Flags(*plan).MehrfachUeberStundenLimit = 1;
    }
    // The editor on the plan as it stands, showing `index` in `view`; the plan evaluated first.
    void Start(Ansicht view, int index, bool answerYes = true) {
        EvaluateAll(*plan);
        ed = std::make_unique<PlanEditor>(*plan, s, history, answerYes ? answers : sayNo);
        ed->Show(view, index);
    }
    CStunde& H(int i) { return *plan->StundenL[static_cast<std::size_t>(i)]; }
    void Put(int i, int room, int day, int hour) { plan->Place(H(i), room, SlotOf(day, hour)); }
    int Room(int i) { return plan->RoomOf(H(i)); }
    int Slot(int i) { return plan->SlotOfHour(H(i)); }
    PlanState State() const { return PlanState::Of(*plan); }
    void Rooms(int i, IntList rooms) { H(i).RaumL = std::make_shared<IntList>(std::move(rooms)); }
};

} // namespace sw::test
