// SPDX-License-Identifier: GPL-3.0-or-later
// A signal that arrives while a file is written waits until the file is whole and its temporary
// file gone. Each case runs in a child process that the signal may end.
#include "cli/Signals.h"
#include "support/Disk.h"

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <utility>

#include <sys/wait.h>
#include <unistd.h>

namespace sw::cli {
namespace {

// Sends itself the signal while the temporary file is flushed.
struct SignalDuringSave : SignalSafeDisk {
    int signal = 0;
    int SyncFile(int fd) override {
        if (signal) ::raise(std::exchange(signal, 0));
        return SignalSafeDisk::SyncFile(fd);
    }
};

TEST(Signals, ASignalDuringASaveWaitsForTheWholeFile) {
    // {with "Halt", Ctrl-C before the save, the signal, the signal that ends the child after it}
    const struct {
        bool halt, haltedBefore;
        int signal, endedBy;
    } cases[] = {
        {false, false, SIGTERM, SIGTERM}, {true, false, SIGTERM, 0}, {true, true, SIGINT, SIGINT}};
    for (const auto& c : cases) {
        test::TempDir dir;
        const std::string target = dir.File("plan.pdt"), content(4096, 'x');
        test::WriteFileBytes(target, "alt");
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::optional<HaltOnSignals> halt;
            if (c.halt) halt.emplace();
            if (c.haltedBefore) ::raise(SIGINT);
            SignalDuringSave disk;
            disk.signal = c.signal;
            _exit(disk.WriteReplacing(target, content) && HaltRequested() == c.halt ? 0 : 1);
        }
        int raw = 0;
        ASSERT_EQ(waitpid(pid, &raw, 0), pid);
        EXPECT_EQ(c.endedBy ? WIFSIGNALED(raw) && WTERMSIG(raw) == c.endedBy
                            : WIFEXITED(raw) && WEXITSTATUS(raw) == 0,
                  true)
            << c.signal << ": " << raw;
        EXPECT_TRUE(test::ReadFileBytes(target) == content) << c.signal; // neither old nor cut
        EXPECT_EQ(test::Names(dir), std::set<std::string>{"plan.pdt"}) << c.signal;
    }
}

} // namespace
} // namespace sw::cli
