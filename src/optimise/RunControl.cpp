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
    if (observer_) observer_->EnableCommands();
}

void RunControl::Leave() {
    if (--depth_ > 0) return;
    // A queued command may start a run of its own; what that run queues is worked off when it
    // ends, so this loop stops as soon as a scope is held again.
    while (depth_ == 0 && !queue_.empty()) {
        std::function<void()> command = std::move(queue_.front());
        queue_.pop_front();
        command();
    }
}

void RunControl::WhenReturned(std::function<void()> command) {
    if (!command) return;
    if (depth_ == 0) {
        command();
        return;
    }
    queue_.push_back(std::move(command));
}

bool RunControl::DeferWhileReturning(std::function<void()> command) {
    if (!Returning()) return false;
    WhenReturned(std::move(command));
    return true;
}

bool RunControl::MayClose(Reporter& reporter, std::function<void()> again) {
    if (!idle_) {
        reporter.Show({texte::LaufAktivSchliessen, titel::Warnung});
        return false;
    }
    if (depth_ > 0) {
        // Halted in this very pass: the run still uses the plan. Ask once it has returned.
        WhenReturned(std::move(again));
        return false;
    }
    return true;
}

bool RunControl::ConfirmClose(Reporter& reporter, std::function<void()> again) {
    return MayClose(reporter, std::move(again)) &&
           reporter.Ask({texte::PlanLoeschenFrage, titel::Warnung}, Question::YesNo);
}

bool RunControl::MaySavePlan(Reporter& reporter) const {
    if (idle_) return true;
    reporter.Show({texte::LaufAktivSpeichern, titel::Fehler});
    return false;
}

} // namespace sw
