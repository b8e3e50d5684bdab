// SPDX-License-Identifier: GPL-3.0-or-later
// LockFile.h: a lock file beside a file that one program instance alone may write. The lock file
// is created exclusively and names its holder (host, user, process id, time), so a second
// instance can say who holds the file. A lock left by a process that is gone on this host is
// stale and may be taken over; a lock from another host is never taken over, since we cannot
// see whether its process still runs.
#pragma once

#include <optional>
#include <string>

namespace sw {

// Who holds a lock.
struct LockHolder {
    std::string Host;
    std::string User;
    long Pid = 0;
    std::string Time; // "2027-03-15 07:42:10", local time of the holder
    bool operator==(const LockHolder&) const = default;
};

// This process as a lock holder, now.
LockHolder CurrentLockHolder();
// The lock file's text ("host=...\nuser=...\npid=...\ntime=...\n") and back; nullopt for a text
// that names no process.
std::string LockText(const LockHolder& holder);
std::optional<LockHolder> ParseLock(const std::string& text);

// How taking a lock ended.
struct LockResult {
    bool Held = false;                // we hold the lock now
    bool TookOver = false;            // a stale lock of a gone process was replaced
    std::optional<LockHolder> Holder; // who holds it when we do not (unknown: unreadable file)
    std::string Reason;               // why not, one German sentence, when Held is false
};

// One lock file at a path, released when the object goes.
class LockFile {
public:
    explicit LockFile(std::string path) : path_(std::move(path)) {}
    ~LockFile() { Release(); }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // Takes the lock: creates the file exclusively; takes over a stale lock of this host once.
    LockResult Acquire();
    // Removes the lock file when we hold it (and it still names us).
    void Release();
    [[nodiscard]] bool Held() const { return held_; }
    [[nodiscard]] const std::string& Path() const { return path_; }

private:
    std::string path_;
    bool held_ = false;
    LockHolder mine_;
};

// Whether a process with that id runs on this host.
bool ProcessAlive(long pid);

} // namespace sw
