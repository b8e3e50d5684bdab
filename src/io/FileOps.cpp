// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/FileOps.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sw {
namespace {

// Symbolic links followed in a row before a path counts as a loop (the kernel's own limit).
constexpr int kMaxLinkHops = 40;
// Attempts at a temporary name nobody else has taken.
constexpr int kTempAttempts = 100;
constexpr std::size_t kChunk = std::size_t{64} << 10;

// Closes a descriptor on every way out; Release hands it over for a checked close.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

FileContent Refused(std::string reason) {
    return FileContent{std::nullopt, std::move(reason)};
}

std::string NotRegular(mode_t mode) {
    const char* what = nullptr;
    if (S_ISDIR(mode))
        what = "ein Ordner";
    else if (S_ISFIFO(mode))
        what = "eine benannte Pipe";
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        what = "ein Gerät";
    else if (S_ISSOCK(mode))
        what = "ein Socket";
    if (!what) return "Das ist keine gewöhnliche Datei.";
    return std::string("Das ist keine gewöhnliche Datei (") + what + ").";
}

std::string TooLarge() {
    return "Die Datei ist zu groß (über 64 MiB).";
}

// Where a write to `path` lands: its symbolic links followed to the final name, which exists
// (with `st` filled in) or not yet.
struct Landing {
    std::string path;
    bool exists = false;
    struct stat st {};
};

// False when a link cannot be read, the links loop, or the name cannot be examined.
bool FollowLinks(std::string path, Landing& out) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT) return false;
            out = Landing{std::move(path), false, {}};
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            out = Landing{std::move(path), true, st};
            return true;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) return false;
        link.resize(static_cast<std::size_t>(n));
        // A relative link is relative to the folder that holds it.
        const fs::path next(link);
        path = next.is_absolute() ? link : (fs::path(path).parent_path() / next).string();
    }
    return false;
}

// The folder a file of `path` lives in, for creating a neighbour and flushing the folder.
fs::path FolderOf(const fs::path& path) {
    const fs::path folder = path.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// A name beside `target` that nobody can guess in advance.
std::string TempName(const fs::path& target, std::mt19937_64& random) {
    static const char* const kDigits = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix = ".tmp";
    std::uint64_t bits = random();
    for (int i = 0; i < 10; ++i, bits /= 36)
        suffix += kDigits[bits % 36];
    fs::path temp = target;
    temp += suffix;
    return temp.string();
}

// The mode and owner of `st`, for the file that takes its place.
template <class Keep> Keep KeepOf(const struct stat& st) {
    return Keep{static_cast<unsigned>(st.st_mode & 07777), static_cast<unsigned>(st.st_uid),
                static_cast<unsigned>(st.st_gid)};
}

} // namespace

std::string SystemReason(int code) {
    switch (code) {
    case ENOENT:
        return "Die Datei ist nicht vorhanden.";
    case ENOTDIR:
        return "Ein Teil des Pfades ist kein Ordner.";
    case EACCES:
    case EPERM:
        return "Der Zugriff ist nicht erlaubt (fehlende Berechtigung).";
    case EIO:
        return "Der Datenträger meldet einen Ein-/Ausgabefehler.";
    case ENOSPC:
    case EDQUOT:
        return "Auf dem Datenträger ist kein Platz mehr frei.";
    case EROFS:
        return "Der Datenträger ist schreibgeschützt.";
    case ELOOP:
        return "Die symbolischen Verknüpfungen bilden eine Schleife.";
    case ENAMETOOLONG:
        return "Der Dateiname ist zu lang.";
    case EMFILE:
    case ENFILE:
        return "Es sind zu viele Dateien geöffnet.";
    case ENOMEM:
        return "Der Arbeitsspeicher reicht nicht aus.";
    case ENXIO:
    case ENODEV:
        return "Das Gerät ist nicht vorhanden.";
    default:
        return "Das System meldet: " + std::generic_category().message(code) + " (Fehler " +
               std::to_string(code) + ").";
    }
}

bool DiskFileOps::Exists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(path), ec);
}

bool DiskFileOps::Copy(const std::string& from, const std::string& to) {
    if (to.empty()) return false;
    try {
        Descriptor in(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        if (in.Get() < 0) return false;
        struct stat source {};
        if (::fstat(in.Get(), &source) != 0 || !S_ISREG(source.st_mode)) return false;
        // The backup name is not followed: a link there is replaced, a folder or device refused.
        struct stat old {};
        if (::lstat(to.c_str(), &old) == 0) {
            if (!S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode)) return false;
        } else if (errno != ENOENT) {
            return false;
        }
        std::string buffer(kChunk, '\0');
        return ReplaceFile(to, KeepOf<Keep>(source), [&](int out) {
            for (;;) {
                const long n = ReadSome(in.Get(), buffer.data(), buffer.size());
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) return false;
                if (n == 0) return true;
                if (!WriteFully(out, buffer.data(), static_cast<std::size_t>(n))) return false;
            }
        });
    } catch (const std::exception&) {
        return false;
    }
}

bool DiskFileOps::Remove(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return ::unlink(path.c_str()) == 0;
}

bool DiskFileOps::CreateEmpty(const std::string& path) {
    if (path.empty()) return false;
    try {
        Landing target;
        if (!FollowLinks(path, target)) return false;
        if (target.exists && !S_ISREG(target.st.st_mode)) return false;
        // O_NOFOLLOW: the name was resolved above; a link planted since is not followed.
        Descriptor fd(::open(
            target.path.c_str(),
            O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
        if (fd.Get() < 0) return false;
        struct stat st {};
        if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
        return CloseFile(fd.Release()) == 0;
    } catch (const std::exception&) {
        return false;
    }
}

bool DiskFileOps::WriteReplacing(const std::string& path, std::string_view bytes) {
    if (path.empty()) return false;
    try {
        Landing target;
        if (!FollowLinks(path, target)) return false;
        if (target.exists && !S_ISREG(target.st.st_mode)) return false;
        std::optional<Keep> keep;
        if (target.exists) keep = KeepOf<Keep>(target.st);
        return ReplaceFile(target.path, keep,
                           [&](int fd) { return WriteFully(fd, bytes.data(), bytes.size()); });
    } catch (const std::exception&) {
        return false;
    }
}

bool DiskFileOps::ReplaceFile(const std::string& target, const std::optional<Keep>& keep,
                              const std::function<bool(int fd)>& fill) {
    const fs::path targetPath(target);
    std::random_device seed;
    std::mt19937_64 random((std::uint64_t{seed()} << 32) ^ seed());
    // O_EXCL: the name is new, never a file or link somebody planted. A new file gets 0666 less
    // the umask, as any file the user creates; a replacing one takes the old mode below.
    std::string temp;
    int raw = -1;
    for (int attempt = 0; attempt < kTempAttempts && raw < 0; ++attempt) {
        temp = TempName(targetPath, random);
        raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     keep ? 0600 : 0666);
        if (raw < 0 && errno != EEXIST) return false;
    }
    if (raw < 0) return false;
    Descriptor fd(raw);

    bool written = true;
    if (keep) {
        // Owner first: changing it clears set-id bits. Only root may give a file away; a user
        // keeps the file as their own then.
        if (::fchown(fd.Get(), keep->uid, keep->gid) != 0 && errno != EPERM) written = false;
        if (written && ::fchmod(fd.Get(), keep->mode) != 0) written = false;
    }
    written = written && fill(fd.Get());
    while (written && SyncFile(fd.Get()) != 0)
        if (errno != EINTR) written = false;
    // A failing close can be the first report of a lost write: it fails the whole write.
    if (written && CloseFile(fd.Release()) != 0) written = false;
    if (!written || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }

    // The move itself must reach the disk too.
    Descriptor folder(
        ::open(FolderOf(targetPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY));
    if (folder.Get() < 0) return true; // an unreadable folder cannot be flushed; nothing lost
    while (SyncFile(folder.Get()) != 0) {
        if (errno == EINTR) continue;
        // Some file systems cannot flush a folder at all.
        return errno == EINVAL || errno == ENOTSUP || errno == EROFS;
    }
    return true;
}

bool DiskFileOps::WriteFully(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const long n = WriteSome(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

FileContent DiskFileOps::ReadAll(const std::string& path) {
    try {
        // Looked at before opening, so that no device is opened at all; the open descriptor
        // is what counts, the name may change meanwhile.
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            return Refused(NotRegular(st.st_mode));
        // O_NONBLOCK: a pipe without a writer must not keep the open waiting.
        Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
        if (fd.Get() < 0) return Refused(SystemReason(errno));
        if (::fstat(fd.Get(), &st) != 0) return Refused(SystemReason(errno));
        if (!S_ISREG(st.st_mode)) return Refused(NotRegular(st.st_mode));
        if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > kMaxReadBytes)
            return Refused(TooLarge());

        std::string content;
        content.reserve(static_cast<std::size_t>(st.st_size));
        std::string buffer(kChunk, '\0');
        for (;;) {
            const long n = ReadSome(fd.Get(), buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return Refused(SystemReason(errno));
            if (n == 0) break;
            // The file may grow while it is read; the bound holds all the same.
            if (content.size() + static_cast<std::size_t>(n) > kMaxReadBytes)
                return Refused(TooLarge());
            content.append(buffer.data(), static_cast<std::size_t>(n));
        }
        return FileContent{std::move(content), {}};
    } catch (const std::bad_alloc&) {
        return Refused(SystemReason(ENOMEM));
    } catch (const std::exception&) {
        return Refused(SystemReason(EIO));
    }
}

long DiskFileOps::ReadSome(int fd, void* buffer, std::size_t size) {
    return static_cast<long>(::read(fd, buffer, size));
}

long DiskFileOps::WriteSome(int fd, const void* data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}

int DiskFileOps::SyncFile(int fd) {
    return ::fsync(fd);
}

int DiskFileOps::CloseFile(int fd) {
    return ::close(fd);
}

FileOps& DefaultFileOps() {
    static DiskFileOps ops;
    return ops;
}

} // namespace sw
