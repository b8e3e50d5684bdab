// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Signals.h"

#include <atomic>

#include <pthread.h>

namespace sw::cli {

namespace {

constexpr int kSignals[3] = {SIGINT, SIGTERM, SIGHUP}; // SIGINT first: bit 0 below

// A signal handler can share nothing but lock-free atomics with the rest of the program; these
// two are the only state a handler touches, hence at file scope.
static_assert(std::atomic<int>::is_always_lock_free);
std::atomic<int> gHaltSignal{0};
// Set with gHaltSignal: the stop flag the runs are given.
static_assert(std::atomic<bool>::is_always_lock_free);
std::atomic<bool> gHaltFlag{false};
// Bit i: kSignals[i] has our handler (it was not ignored before).
std::atomic<int> gHandled{0};

extern "C" void OnHaltSignal(int signal) {
    int none = 0;
    gHaltSignal.compare_exchange_strong(none, signal, std::memory_order_relaxed);
    gHaltFlag.store(true, std::memory_order_relaxed);
    // From now on Ctrl-C ends the program: its default action again (sigaction is
    // async-signal-safe). SIGTERM and SIGHUP stay "Halt": `timeout` and a closing terminal
    // send them twice, to the program and to its process group.
    if (gHandled.load(std::memory_order_relaxed) & 1) {
        struct sigaction byDefault {};
        byDefault.sa_handler = SIG_DFL;
        sigemptyset(&byDefault.sa_mask);
        sigaction(SIGINT, &byDefault, nullptr);
    }
}

sigset_t HaltSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : kSignals)
        sigaddset(&set, s);
    return set;
}

} // namespace

HaltOnSignals::HaltOnSignals() {
    gHaltSignal.store(0);
    gHaltFlag.store(false);
    struct sigaction halt {};
    halt.sa_handler = OnHaltSignal;
    // The handler runs with the other two held back, so it never interrupts itself.
    halt.sa_mask = HaltSignals();
    halt.sa_flags = SA_RESTART;
    int handled = 0;
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], nullptr, &previous_[i]);
        if (previous_[i].sa_handler != SIG_IGN) handled |= 1 << i;
    }
    gHandled.store(handled);
    for (int i = 0; i < 3; ++i)
        if (handled & (1 << i)) sigaction(kSignals[i], &halt, nullptr);
}

HaltOnSignals::~HaltOnSignals() {
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &previous_[i], nullptr);
    gHandled.store(0);
}

const std::atomic<bool>& HaltFlag() {
    return gHaltFlag;
}

int HaltSignal() {
    return gHaltSignal.load(std::memory_order_relaxed);
}

const char* SignalName(int signal) {
    switch (signal) {
    case SIGINT:
        return "Strg-C";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "Signal";
    }
}

SignalsHeldBack::SignalsHeldBack() {
    const sigset_t set = HaltSignals();
    pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

SignalsHeldBack::~SignalsHeldBack() {
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

FileResult SignalSafeDisk::Copy(const std::string& from, const std::string& to) {
    const SignalsHeldBack whole;
    return DiskFileOps::Copy(from, to);
}

FileResult SignalSafeDisk::CreateEmpty(const std::string& path) {
    const SignalsHeldBack whole;
    return DiskFileOps::CreateEmpty(path);
}

FileResult SignalSafeDisk::WriteReplacing(const std::string& path, std::string_view bytes) {
    const SignalsHeldBack whole;
    return DiskFileOps::WriteReplacing(path, bytes);
}

FileResult SignalSafeDisk::CheckWritable(const std::string& path) {
    const SignalsHeldBack whole;
    return DiskFileOps::CheckWritable(path);
}

} // namespace sw::cli
