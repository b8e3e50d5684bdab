// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FileOps.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sw {

bool DiskFileOps::Exists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(path), ec);
}

bool DiskFileOps::Copy(const std::string& from, const std::string& to) {
    if (to.empty()) return false;
    std::error_code ec;
    fs::copy_file(fs::path(from), fs::path(to), fs::copy_options::overwrite_existing, ec);
    return !ec;
}

bool DiskFileOps::Remove(const std::string& path) {
    std::error_code ec;
    return fs::remove(fs::path(path), ec) && !ec;
}

bool DiskFileOps::CreateEmpty(const std::string& path) {
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out);
}

bool DiskFileOps::WriteReplacing(const std::string& path, std::string_view bytes) {
    const fs::path target = fs::path(path);
    fs::path temp = target;
    temp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

std::optional<std::string> DiskFileOps::ReadAll(const std::string& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return content;
}

FileOps& DefaultFileOps() {
    static DiskFileOps ops;
    return ops;
}

} // namespace sw
