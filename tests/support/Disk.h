// SPDX-License-Identifier: GPL-3.0-or-later
// Disk.h: the real disk with faults on demand, and what the tests of the disk operations and of
// the file commands on top of them look at: the names in a folder, links, modes, pipes.
#pragma once

#include "io/FileOps.h"
#include "support/TestSupport.h"

#include <cerrno>
#include <functional>
#include <set>
#include <string>

#include <sys/stat.h>
#include <sys/types.h>

namespace sw::test {

// The names in a folder, so a stray temporary file shows.
std::set<std::string> Names(const TempDir& dir);

struct stat LinkStat(const std::string& path);
unsigned ModeOf(const std::string& path);
bool IsLink(const std::string& path);
void MakeFifo(const std::string& path);
// A file of `size` bytes that takes no room on the disk.
void MakeSparse(const std::string& path, off_t size);

// The real disk with a switch in each system call: the n-th call (1 = first) fails with the
// given errno, or returns after only part of its work.
class FaultyDisk : public DiskFileOps {
public:
    int failOpenAt = 0, failWriteAt = 0, failSyncAt = 0, failCloseAt = 0, failReadAt = 0;
    int error = EIO;
    int opens = 0, writes = 0, syncs = 0, closes = 0, reads = 0;
    bool shortWrites = false;        // every write takes at most 3 bytes
    bool interruptFirstRead = false; // the first read is interrupted by a signal
    bool endlessReads = false;       // every read returns a full buffer, never the end
    std::function<void()> onSync;    // runs before each flush

protected:
    int OpenFile(const char* path, int flags, unsigned mode) override {
        if (++opens == failOpenAt) return static_cast<int>(Fail(error));
        return DiskFileOps::OpenFile(path, flags, mode);
    }
    long ReadSome(int fd, void* buffer, std::size_t size) override {
        ++reads;
        if (interruptFirstRead && reads == 1) return Fail(EINTR);
        if (reads == failReadAt) return Fail(error);
        if (endlessReads) return static_cast<long>(size);
        return DiskFileOps::ReadSome(fd, buffer, size);
    }
    long WriteSome(int fd, const void* data, std::size_t size) override {
        if (++writes == failWriteAt) return Fail(error);
        return DiskFileOps::WriteSome(fd, data, shortWrites && size > 3 ? 3 : size);
    }
    int SyncFile(int fd) override {
        if (onSync) onSync();
        if (++syncs == failSyncAt) return static_cast<int>(Fail(error));
        return DiskFileOps::SyncFile(fd);
    }
    int CloseFile(int fd) override {
        const int result = DiskFileOps::CloseFile(fd); // the descriptor is gone either way
        if (++closes == failCloseAt) return static_cast<int>(Fail(error));
        return result;
    }

private:
    static long Fail(int code) {
        errno = code;
        return -1;
    }
};

} // namespace sw::test
