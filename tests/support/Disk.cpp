// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Disk.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace sw::test {

std::set<std::string> Names(const TempDir& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.insert(entry.path().filename().string());
    return names;
}

struct stat LinkStat(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

unsigned ModeOf(const std::string& path) {
    return LinkStat(path).st_mode & 07777;
}

bool IsLink(const std::string& path) {
    return S_ISLNK(LinkStat(path).st_mode);
}

void MakeFifo(const std::string& path) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}

void MakeSparse(const std::string& path, off_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

} // namespace sw::test
