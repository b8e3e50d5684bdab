// SPDX-License-Identifier: GPL-3.0-or-later
// RunControl.h: the state of a planning run, independent of any window. One idle flag (true = no
// run active); "Halt" sets it, and every run tests it at the start of each pass, so a run ends
// after the pass in progress and never in the middle of a move. At the end of each pass the run
// calls the per-pass hook, where the desktop lets pending user input through.
//
// Because the hook lets input through, a command that destroys or replaces the plan can arrive
// while code that uses the plan is still on the stack (a halted run returning, the window
// refreshing its figures after it). Every run, and every window command around one, therefore
// holds a Scope; such commands ask the control and wait in its queue until the last scope ends.
#pragma once

#include "model/Report.h"

#include <atomic>
#include <deque>
#include <functional>
#include <string>

namespace sw {

// Told when the step controls are to be disabled and enabled again.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void DisableCommands() {}
    // No run is active any more: the step controls are enabled again.
    virtual void EnableCommands() {}
};

namespace texte {
inline constexpr const char* LaufAktivSchliessen =
    "Ein Optimierungs - Vorgang ist noch aktiv!\nBeenden Sie zuerst diesen Vorgang und schließen "
    "sie dann das Planungs-Fenster.";
inline constexpr const char* LaufAktivSpeichern =
    "Ein Optimierungs - Vorgang ist noch aktiv!\nBeenden Sie diesen Vorgang vor dem Speichern.";
inline constexpr const char* PlanLoeschenFrage =
    "Das Schließen des Planungs-Fensters löscht den aktuellen Plan!\nFenster schließen und Plan "
    "löschen?";
} // namespace texte

class RunControl {
public:
    explicit RunControl(RunObserver* observer = nullptr) : observer_(observer) {}
    RunControl(const RunControl&) = delete;
    RunControl& operator=(const RunControl&) = delete;

    // Held for the whole length of a run and of the window command around it. Scopes nest; when
    // the last one ends, the queued commands run in the order they were queued.
    class Scope {
    public:
        explicit Scope(RunControl& run) : run_(run) { ++run_.depth_; }
        ~Scope() { run_.Leave(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        RunControl& run_;
    };

    void SetObserver(RunObserver* observer) { observer_ = observer; }
    // A flag from outside (a signal handler, another thread) that asks every run on this control
    // to stop as "Halt" does; tested with the idle flag. nullptr: none.
    void SetStopFlag(const std::atomic<bool>* stop) { stop_ = stop; }
    // Called once at the end of every pass (the desktop processes pending input there).
    void SetPassHook(std::function<void()> hook) { passHook_ = std::move(hook); }

    bool Idle() const { return idle_; }

    // A run starts: the step controls are disabled and the idle flag cleared.
    void Begin();
    // Tested at the start of each pass: false once "Halt" was pressed (or the run ended) or the
    // stop flag is set.
    bool KeepRunning() const {
        return !idle_ && !(stop_ && stop_->load(std::memory_order_relaxed));
    }
    // The end of a pass: the per-pass hook runs.
    void PassDone();
    // In the middle of a long pass: the per-pass hook runs (pending input comes through) without
    // counting a pass.
    void Breathe() {
        if (passHook_) passHook_();
    }
    // The run's loop has ended, for whatever reason: idle again, controls enabled.
    void End();
    // "Halt": idle at once and the controls enabled; the run stops at its next test.
    void Halt();

    // True while a run, or the window command around one, is on the stack: the plan must not be
    // destroyed or replaced now.
    bool InUse() const { return depth_ > 0; }
    // True while a halted run is still returning: idle, but its code is still on the stack.
    bool Returning() const { return idle_ && depth_ > 0; }
    // Runs `command` at once when no scope is held, otherwise once the last scope has ended.
    void WhenReturned(std::function<void()> command);
    // A command that destroys or replaces the plan: while a halted run is still returning it is
    // queued (true: the caller stops here and is called again later); otherwise false and the
    // caller goes on (while a run is active, closing the planning window refuses).
    bool DeferWhileReturning(std::function<void()> command);
    int Queued() const { return static_cast<int>(queue_.size()); }

    // Closing the planning window: refused while a run is active. While a halted run is still
    // returning, `again` is queued and false returned: the question follows once the run has
    // returned (without `again` the request is dropped). Otherwise the question whether the plan
    // may be discarded. True when the window may close.
    bool ConfirmClose(Reporter& reporter, std::function<void()> again = {});
    // The same without the question: refused while a run is active, queued while a halted run
    // is returning; true when the window may be asked to close.
    bool MayClose(Reporter& reporter, std::function<void()> again = {});
    // Saving the plan: refused while a run is active. True when saving may go on.
    bool MaySavePlan(Reporter& reporter) const;

    int Passes() const { return passes_; }

private:
    void Enable();
    // A scope ends; at depth 0 the queue is worked off.
    void Leave();

    RunObserver* observer_;
    const std::atomic<bool>* stop_ = nullptr;
    std::function<void()> passHook_;
    bool idle_ = true;
    int passes_ = 0;
    int depth_ = 0;
    std::deque<std::function<void()>> queue_;
};

} // namespace sw
