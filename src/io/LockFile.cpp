// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/LockFile.h"

#include "io/FileOps.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sw {

namespace {

std::string HostName() {
    char buf[256] = {};
    if (gethostname(buf, sizeof buf - 1) != 0) return "?";
    return buf;
}

std::string UserName() {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name) return pw->pw_name;
    if (const char* user = std::getenv("USER")) return user;
    return std::to_string(getuid());
}

std::string Now() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

// Creates `path` exclusively with `text`; 0 or the errno that stopped it.
int CreateExclusive(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno;
    std::size_t done = 0;
    int error = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    ::close(fd);
    if (error != 0) ::unlink(path.c_str());
    return error;
}

std::optional<LockHolder> ReadHolder(const std::string& path) {
    const FileContent content = DefaultFileOps().ReadAll(path);
    if (!content.bytes) return std::nullopt;
    return ParseLock(*content.bytes);
}

} // namespace

LockHolder CurrentLockHolder() {
    return {HostName(), UserName(), static_cast<long>(getpid()), Now()};
}

std::string LockText(const LockHolder& h) {
    return "host=" + h.Host + "\nuser=" + h.User + "\npid=" + std::to_string(h.Pid) +
           "\ntime=" + h.Time + "\n";
}

std::optional<LockHolder> ParseLock(const std::string& text) {
    LockHolder h;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(from, end - from);
        from = end + 1;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "host") h.Host = value;
        if (key == "user") h.User = value;
        if (key == "time") h.Time = value;
        if (key == "pid") h.Pid = std::strtol(value.c_str(), nullptr, 10);
    }
    if (h.Pid <= 0 || h.Host.empty()) return std::nullopt;
    return h;
}

bool ProcessAlive(long pid) {
    if (pid <= 0) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

LockResult LockFile::Acquire() {
    LockResult result;
    if (held_) {
        result.Held = true;
        return result;
    }
    mine_ = CurrentLockHolder();
    const std::string text = LockText(mine_);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int error = CreateExclusive(path_, text);
        if (error == 0) {
            held_ = true;
            result.Held = true;
            return result;
        }
        if (error != EEXIST) {
            result.Reason = SystemReason(error);
            return result;
        }
        result.Holder = ReadHolder(path_);
        const bool stale =
            result.Holder && result.Holder->Host == mine_.Host && !ProcessAlive(result.Holder->Pid);
        if (!stale || attempt > 0) break;
        // The holder is gone: its lock guards nothing any more.
        ::unlink(path_.c_str());
        result.TookOver = true;
    }
    result.Reason = "Die Datei wird von einem anderen Programm bearbeitet.";
    return result;
}

void LockFile::Release() {
    if (!held_) return;
    held_ = false;
    // Another instance may have taken over a lock it thought stale: remove only our own.
    const std::optional<LockHolder> now = ReadHolder(path_);
    if (now && now->Host == mine_.Host && now->Pid == mine_.Pid) ::unlink(path_.c_str());
}

} // namespace sw
