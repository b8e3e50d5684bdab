// SPDX-License-Identifier: GPL-3.0-or-later
// RunControl.h: the state of a planning run, independent of any window. One idle flag (true = no
// run active); "Halt" sets it, and every run tests it at the start of each pass, so a run ends
// after the pass in progress and never in the middle of a move. At the end of each pass the run
// calls the per-pass hook, where the desktop lets pending user input through.
#pragma once

#include "model/Report.h"

#include <functional>
#include <string>

namespace sw {

// Told when the step controls are to be disabled and enabled again.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void DisableCommands() {}
    // Enable the step controls; the window caption becomes `caption`.
    virtual void EnableCommands(const std::string& caption) { (void)caption; }
};

namespace texte {
inline constexpr const char* Bereitschaft = "Planung : Bereitschaft";
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

    void SetObserver(RunObserver* observer) { observer_ = observer; }
    // Called once at the end of every pass (the desktop processes pending input there).
    void SetPassHook(std::function<void()> hook) { passHook_ = std::move(hook); }

    bool Idle() const { return idle_; }

    // A run starts: the step controls are disabled and the idle flag cleared.
    void Begin();
    // Tested at the start of each pass: false once "Halt" was pressed (or the run ended).
    bool KeepRunning() const { return !idle_; }
    // The end of a pass: the per-pass hook runs.
    void PassDone();
    // The run's loop has ended, for whatever reason: idle again, controls enabled.
    void End();
    // "Halt": idle at once and the controls enabled; the run stops at its next test.
    void Halt();

    // Closing the planning window: refused while a run is active; otherwise the question whether
    // the plan may be discarded. True when the window may close.
    bool ConfirmClose(Reporter& reporter) const;
    // Saving the plan: refused while a run is active. True when saving may go on.
    bool MaySavePlan(Reporter& reporter) const;

    int Passes() const { return passes_; }

private:
    void Enable();

    RunObserver* observer_;
    std::function<void()> passHook_;
    bool idle_ = true;
    int passes_ = 0;
};

} // namespace sw
