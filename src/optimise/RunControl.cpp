// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/RunControl.h"

namespace sw {

void RunControl::Begin() {
    if (observer_) observer_->DisableCommands();
    idle_ = false;
    passes_ = 0;
}

void RunControl::PassDone() {
    ++passes_;
    if (passHook_) passHook_();
}

void RunControl::End() {
    idle_ = true;
    Enable();
}

void RunControl::Halt() {
    idle_ = true;
    Enable();
}

void RunControl::Enable() {
    if (observer_) observer_->EnableCommands(texte::Bereitschaft);
}

bool RunControl::ConfirmClose(Reporter& reporter) const {
    if (!idle_) {
        reporter.Show({texte::LaufAktivSchliessen, titel::Warnung});
        return false;
    }
    return reporter.Ask({texte::PlanLoeschenFrage, titel::Warnung}, Question::YesNo);
}

bool RunControl::MaySavePlan(Reporter& reporter) const {
    if (idle_) return true;
    reporter.Show({texte::LaufAktivSpeichern, titel::Fehler});
    return false;
}

} // namespace sw
