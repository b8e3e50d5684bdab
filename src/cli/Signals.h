// SPDX-License-Identifier: GPL-3.0-or-later
// Signals.h: Ctrl-C (SIGINT), SIGTERM (`timeout`, a shutdown) and SIGHUP (a closed terminal) as
// "Halt", and files that are written whole despite them.
//
//   signal            while a run works                  while a file is written
//   the first         "Halt": the run ends its attempt   held back until the file is whole and
//                     or pass, the best plan is written  its temporary file gone, then "Halt"
//   Ctrl-C after it   the program ends at once           held back likewise, then the end
//
// A repeated SIGTERM or SIGHUP is "Halt" again, never the end: `timeout` and a closing terminal
// send their signal to the program and to its process group, so it often arrives twice. The
// handler only stores the signal in a lock-free atomic and restores the default action of
// SIGINT, so it is async-signal-safe and the flag can be read from every run's thread.
#pragma once

#include "io/FileOps.h"

#include <atomic>
#include <csignal>

namespace sw::cli {

// While an object lives, SIGINT, SIGTERM and SIGHUP ask for "Halt" (HaltSignal); a Ctrl-C after
// the first of them ends the program by its default action. A signal ignored when the object is
// made (SIGHUP under nohup, say) stays ignored. The old actions return when the object dies.
class HaltOnSignals {
public:
    HaltOnSignals();
    ~HaltOnSignals();
    HaltOnSignals(const HaltOnSignals&) = delete;
    HaltOnSignals& operator=(const HaltOnSignals&) = delete;

private:
    struct sigaction previous_[3];
};

// The first signal that asked for "Halt" since the last HaltOnSignals was made, or 0. Safe to call
// from any thread.
int HaltSignal();
// Set by the first such signal: the stop flag a run is given (RunControl::SetStopFlag).
const std::atomic<bool>& HaltFlag();
inline bool HaltRequested() {
    return HaltSignal() != 0;
}
// How a user knows the signal: "Strg-C", "SIGTERM", "SIGHUP".
const char* SignalName(int signal);

// While an object lives, SIGINT, SIGTERM and SIGHUP are held back in the calling thread, the only
// one when a file is written: a signal arriving meanwhile is acted on when the object dies, after
// the file is complete or its temporary file removed.
class SignalsHeldBack {
public:
    SignalsHeldBack();
    ~SignalsHeldBack();
    SignalsHeldBack(const SignalsHeldBack&) = delete;
    SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;

private:
    sigset_t previous_;
};

// The disk whose writing calls hold the signals back: a file written through it is whole, or
// its temporary file removed, before a signal ends the program.
class SignalSafeDisk : public DiskFileOps {
public:
    FileResult Copy(const std::string& from, const std::string& to) override;
    FileResult CreateEmpty(const std::string& path) override;
    FileResult WriteReplacing(const std::string& path, std::string_view bytes) override;
    FileResult CheckWritable(const std::string& path) override;
};

} // namespace sw::cli
