// SPDX-License-Identifier: GPL-3.0-or-later
// FileOps.h: the few file-system operations the file commands need, behind an interface so that
// tests can make any one of them fail. Paths are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sw {

class FileOps {
public:
    virtual ~FileOps() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Copies `from` to `to`, replacing an existing `to`.
    virtual bool Copy(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // Creates `path` as an empty file (replacing its content).
    virtual bool CreateEmpty(const std::string& path) = 0;
    // Writes `bytes` to a temporary file beside `path` and moves it over `path`, so a failure
    // at any point leaves the old content of `path` intact.
    virtual bool WriteReplacing(const std::string& path, std::string_view bytes) = 0;
    // The whole content, or nullopt when the file cannot be read.
    virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
};

// The real file system.
class DiskFileOps : public FileOps {
public:
    bool Exists(const std::string& path) override;
    bool Copy(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool CreateEmpty(const std::string& path) override;
    bool WriteReplacing(const std::string& path, std::string_view bytes) override;
    std::optional<std::string> ReadAll(const std::string& path) override;
};

// A process-wide instance for callers that have no reason to substitute one.
FileOps& DefaultFileOps();

} // namespace sw
