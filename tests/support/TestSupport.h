// SPDX-License-Identifier: GPL-3.0-or-later
// TestSupport.h: helpers shared by the test programs.
#pragma once

#include <filesystem>
#include <string>

namespace sw::test {

// A fresh empty directory below the system's temp folder, removed when the object dies.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Path of a file in the source tree, e.g. SourcePath("examples/gymnasium.sch").
std::string SourcePath(const std::string& relative);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Runs the built stundenwerk tool with `args` (shell words), stdout and stderr together.
struct ToolRun {
    int status = -1; // exit status, -1 when the tool did not exit normally
    std::string out;
};
ToolRun RunTool(const std::string& args);

} // namespace sw::test
