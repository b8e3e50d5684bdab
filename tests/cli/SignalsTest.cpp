// SPDX-License-Identifier: GPL-3.0-or-later
// A signal that arrives while a file is written: it waits until the file is whole and its
// temporary file gone. Each case runs in a child process that the signal may end.
#include "cli/Signals.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include <sys/wait.h>
#include <unistd.h>

namespace sw::cli {
namespace {

// Sends the signal to itself while the new content is being flushed, the temporary file
// standing beside the target.
class SignalDuringSave : public SignalSafeDisk {
public:
    explicit SignalDuringSave(int signal) : signal_(signal) {}

protected:
    int SyncFile(int fd) override {
        if (signal_) ::raise(std::exchange(signal_, 0));
        return SignalSafeDisk::SyncFile(fd);
    }

private:
    int signal_;
};

TEST(Signals, ASignalDuringASaveWaitsForTheWholeFile) {
    const struct {
        const char* name;
        bool halt;         // the plan command's "Halt" is in force
        bool haltedBefore; // a first Ctrl-C came before the save
        int signal;
        int endedBy; // the signal that ends the child after the save, 0: it exits
    } cases[] = {
        {"SIGTERM without Halt (export)", false, false, SIGTERM, SIGTERM},
        {"SIGTERM as Halt", true, false, SIGTERM, 0},
        {"a second Ctrl-C", true, true, SIGINT, SIGINT},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        const std::string target = dir.File("plan.pdt");
        test::WriteFileBytes(target, "alt");
        const std::string content(4096, 'x');
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::optional<HaltOnSignals> halt;
            if (c.halt) halt.emplace();
            if (c.haltedBefore) ::raise(SIGINT);
            SignalDuringSave disk(c.signal);
            const bool written = disk.WriteReplacing(target, content);
            _exit(written && HaltRequested() == c.halt ? 0 : 1);
        }
        int raw = 0;
        ASSERT_EQ(waitpid(pid, &raw, 0), pid);
        if (c.endedBy) {
            EXPECT_TRUE(WIFSIGNALED(raw) && WTERMSIG(raw) == c.endedBy) << c.name << ": " << raw;
        } else {
            EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << c.name << ": " << raw;
        }
        EXPECT_TRUE(test::ReadFileBytes(target) == content) << c.name; // neither old nor cut
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            names.insert(entry.path().filename().string());
        EXPECT_EQ(names, std::set<std::string>{"plan.pdt"}) << c.name;
    }
}

} // namespace
} // namespace sw::cli
