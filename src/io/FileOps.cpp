// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/FileOps.h"

#include <algorithm>
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

// The folder a file of `path` lives in, for creating a neighbour and flushing the folder.
fs::path FolderOf(const fs::path& path) {
    const fs::path folder = path.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// The folder of `path` as the user looks for it in a message: absolute, without "." or "..".
std::string FolderName(const std::string& path) {
    const fs::path folder = FolderOf(fs::path(path));
    std::error_code ec;
    const fs::path whole = fs::absolute(folder, ec);
    std::string name = (ec ? folder : whole).lexically_normal().string();
    if (name.size() > 1 && name.back() == '/') name.pop_back();
    return name;
}

// The errno of the call that just failed; EIO should a failing call have set none.
int LastError() {
    return errno != 0 ? errno : EIO;
}

FileResult Refusal(std::string reason) {
    return FileResult{0, std::move(reason)};
}

FileResult NoName() {
    return FileResult{ENOENT, "Es ist kein Dateiname angegeben."};
}

// A failure to find or create a file in the folder of `path`: the folder is named.
FileResult InFolder(int code, const std::string& path) {
    switch (code) {
    case ENOENT:
        return FileResult{code, "Der Ordner „" + FolderName(path) + "“ existiert nicht."};
    case EACCES:
    case EPERM:
        return FileResult{code,
                          "Keine Schreibberechtigung für den Ordner „" + FolderName(path) + "“."};
    default:
        return FileResult::Failed(code);
    }
}

// The kernel's rule for links in shared folders (fs.protected_symlinks), which it cannot apply
// to links we resolve ourselves: in a folder with the sticky bit that everybody may write to, a
// link is followed only when it belongs to us or to the folder's owner.
FileResult MayFollow(const std::string& path, const struct stat& link) {
    struct stat folder {};
    if (::stat(FolderOf(fs::path(path)).c_str(), &folder) != 0) return InFolder(LastError(), path);
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    if (!shared || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid) return {};
    return FileResult{EACCES, "Der Verknüpfung „" + path +
                                  "“ wird nicht gefolgt: Sie gehört einem anderen Benutzer und "
                                  "liegt in einem Ordner, in den alle schreiben dürfen."};
}

// Where a write to `path` lands: its symbolic links followed to the final name, which exists
// (with `st` filled in) or not yet.
struct Landing {
    std::string path;
    bool exists = false;
    struct stat st {};
};

// Fails when a link cannot be read or may not be followed, the links loop, or the name cannot be
// examined.
FileResult FollowLinks(std::string path, Landing& out) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            const int code = LastError();
            if (code != ENOENT) return InFolder(code, path);
            out = Landing{std::move(path), false, {}};
            return {};
        }
        if (!S_ISLNK(st.st_mode)) {
            out = Landing{std::move(path), true, st};
            return {};
        }
        if (FileResult allowed = MayFollow(path, st); !allowed) return allowed;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0) return FileResult::Failed(LastError());
        if (n == 0 || static_cast<std::size_t>(n) >= link.size())
            return FileResult::Failed(ENAMETOOLONG);
        link.resize(static_cast<std::size_t>(n));
        // A relative link is relative to the folder that holds it.
        const fs::path next(link);
        path = next.is_absolute() ? link : (fs::path(path).parent_path() / next).string();
    }
    return FileResult::Failed(ELOOP);
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

FileResult FileResult::Failed(int code) {
    return FileResult{code, SystemReason(code)};
}

std::string SystemReason(int code) {
    switch (code) {
    case ENOENT:
        return "Die Datei ist nicht vorhanden.";
    case ENOTDIR:
        return "Ein Teil des Pfades ist kein Ordner.";
    case EISDIR:
        return "Das ist keine gewöhnliche Datei (ein Ordner).";
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

FileResult DiskFileOps::Copy(const std::string& from, const std::string& to) {
    if (to.empty()) return NoName();
    try {
        Descriptor in(OpenFile(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0));
        if (in.Get() < 0) return FileResult::Failed(LastError());
        struct stat source {};
        if (::fstat(in.Get(), &source) != 0) return FileResult::Failed(LastError());
        if (!S_ISREG(source.st_mode)) return Refusal(NotRegular(source.st_mode));
        // The backup name is not followed: a link there is replaced, a folder or device refused.
        struct stat old {};
        if (::lstat(to.c_str(), &old) == 0) {
            if (!S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
                return Refusal(NotRegular(old.st_mode));
        } else if (errno != ENOENT) {
            return InFolder(LastError(), to);
        }
        std::string buffer(kChunk, '\0');
        return ReplaceFile(to, KeepOf<Keep>(source), [&](int out) {
            for (;;) {
                const long n = ReadSome(in.Get(), buffer.data(), buffer.size());
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) return LastError();
                if (n == 0) return 0;
                if (const int error = WriteFully(out, buffer.data(), static_cast<std::size_t>(n)))
                    return error;
            }
        });
    } catch (const std::bad_alloc&) {
        return FileResult::Failed(ENOMEM);
    } catch (const std::exception&) {
        return FileResult::Failed(EIO);
    }
}

bool DiskFileOps::Remove(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return ::unlink(path.c_str()) == 0;
}

FileResult DiskFileOps::CreateEmpty(const std::string& path) {
    if (path.empty()) return NoName();
    try {
        Landing target;
        if (FileResult found = FollowLinks(path, target); !found) return found;
        if (target.exists && !S_ISREG(target.st.st_mode))
            return Refusal(NotRegular(target.st.st_mode));
        // O_NOFOLLOW: the name was resolved above; a link planted since is not followed.
        Descriptor fd(OpenFile(
            target.path.c_str(),
            O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
        if (fd.Get() < 0)
            return target.exists ? FileResult::Failed(LastError())
                                 : InFolder(LastError(), target.path);
        struct stat st {};
        if (::fstat(fd.Get(), &st) != 0) return FileResult::Failed(LastError());
        if (!S_ISREG(st.st_mode)) return Refusal(NotRegular(st.st_mode));
        if (CloseFile(fd.Release()) != 0) return FileResult::Failed(LastError());
        return {};
    } catch (const std::bad_alloc&) {
        return FileResult::Failed(ENOMEM);
    } catch (const std::exception&) {
        return FileResult::Failed(EIO);
    }
}

FileResult DiskFileOps::WriteReplacing(const std::string& path, std::string_view bytes) {
    if (path.empty()) return NoName();
    try {
        Landing target;
        if (FileResult found = FollowLinks(path, target); !found) return found;
        if (target.exists && !S_ISREG(target.st.st_mode))
            return Refusal(NotRegular(target.st.st_mode));
        std::optional<Keep> keep;
        if (target.exists) keep = KeepOf<Keep>(target.st);
        return ReplaceFile(target.path, keep,
                           [&](int fd) { return WriteFully(fd, bytes.data(), bytes.size()); });
    } catch (const std::bad_alloc&) {
        return FileResult::Failed(ENOMEM);
    } catch (const std::exception&) {
        return FileResult::Failed(EIO);
    }
}

FileResult DiskFileOps::CheckWritable(const std::string& path) {
    if (path.empty()) return NoName();
    try {
        Landing target;
        if (FileResult found = FollowLinks(path, target); !found) return found;
        if (target.exists && !S_ISREG(target.st.st_mode))
            return Refusal(NotRegular(target.st.st_mode));
        std::string temp;
        int raw = -1;
        if (FileResult made = CreateTemp(target.path, false, temp, raw); !made) return made;
        Descriptor probe(raw);
        ::unlink(temp.c_str());
        return {};
    } catch (const std::bad_alloc&) {
        return FileResult::Failed(ENOMEM);
    } catch (const std::exception&) {
        return FileResult::Failed(EIO);
    }
}

FileResult DiskFileOps::CreateTemp(const std::string& target, bool keep, std::string& temp,
                                   int& fd) {
    const fs::path targetPath(target);
    std::random_device seed;
    std::mt19937_64 random((std::uint64_t{seed()} << 32) ^ seed());
    // O_EXCL: the name is new, never a file or link somebody planted. A new file gets 0666 less
    // the umask, as any file the user creates; a replacing one takes the old mode later.
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        temp = TempName(targetPath, random);
        fd = OpenFile(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      keep ? 0600 : 0666);
        if (fd >= 0) return {};
        if (errno != EEXIST) return InFolder(LastError(), target);
    }
    return FileResult::Failed(EEXIST);
}

FileResult DiskFileOps::ReplaceFile(const std::string& target, const std::optional<Keep>& keep,
                                    const std::function<int(int fd)>& fill) {
    std::string temp;
    int raw = -1;
    if (FileResult made = CreateTemp(target, keep.has_value(), temp, raw); !made) return made;
    Descriptor fd(raw);

    int error = 0;
    if (keep) {
        // Owner first: changing it clears set-id bits. Only root may give a file away; a user
        // keeps the file as their own then.
        if (::fchown(fd.Get(), keep->uid, keep->gid) != 0 && errno != EPERM) error = LastError();
        if (error == 0 && ::fchmod(fd.Get(), keep->mode) != 0) error = LastError();
    }
    if (error == 0) error = fill(fd.Get());
    while (error == 0 && SyncFile(fd.Get()) != 0)
        if (errno != EINTR) error = LastError();
    // A failing close can be the first report of a lost write: it fails the whole write.
    if (error == 0 && CloseFile(fd.Release()) != 0) error = LastError();
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = LastError();
    if (error != 0) {
        ::unlink(temp.c_str());
        return FileResult::Failed(error);
    }

    // The move itself must reach the disk too.
    Descriptor folder(OpenFile(FolderOf(fs::path(target)).c_str(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY, 0));
    if (folder.Get() < 0) return {}; // an unreadable folder cannot be flushed; nothing lost
    while (SyncFile(folder.Get()) != 0) {
        if (errno == EINTR) continue;
        // Some file systems cannot flush a folder at all.
        if (errno == EINVAL || errno == ENOTSUP || errno == EROFS) return {};
        return FileResult::Failed(LastError());
    }
    return {};
}

FileResult
DiskFileOps::WriteAllReplacing(const std::vector<std::pair<std::string, std::string_view>>& files,
                               std::size_t& failed) {
    std::vector<std::pair<std::string, std::string>> moves; // temporary name, final name
    failed = 0;
    if (files.empty()) return {};
    // The folders written to, each once: flushing their file systems makes the new contents
    // durable; flushing the folders themselves makes the moves durable.
    const auto flush = [&](bool contents) {
        std::vector<std::string> folders;
        for (const auto& f : files) {
            std::string folder = FolderOf(fs::path(f.first)).string();
            if (std::find(folders.begin(), folders.end(), folder) != folders.end()) continue;
            Descriptor fd(
                OpenFile(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY, 0));
            if (contents && (fd.Get() < 0 || ::syncfs(fd.Get()) != 0)) ::sync();
            if (!contents && fd.Get() >= 0) SyncFile(fd.Get());
            folders.push_back(std::move(folder));
        }
    };
    const auto undo = [&](FileResult r) {
        for (const auto& m : moves)
            ::unlink(m.first.c_str());
        return r;
    };
    try {
        moves.reserve(files.size());
        for (failed = 0; failed < files.size(); ++failed) {
            const auto& [path, bytes] = files[failed];
            if (path.empty()) return undo(NoName());
            Landing target;
            if (FileResult found = FollowLinks(path, target); !found) return undo(found);
            if (target.exists && !S_ISREG(target.st.st_mode))
                return undo(Refusal(NotRegular(target.st.st_mode)));
            std::string temp;
            int raw = -1;
            if (FileResult made = CreateTemp(target.path, target.exists, temp, raw); !made)
                return undo(made);
            moves.emplace_back(temp, target.path);
            Descriptor fd(raw);
            int error = 0;
            if (target.exists) {
                const Keep keep = KeepOf<Keep>(target.st);
                if (::fchown(fd.Get(), keep.uid, keep.gid) != 0 && errno != EPERM)
                    error = LastError();
                if (error == 0 && ::fchmod(fd.Get(), keep.mode) != 0) error = LastError();
            }
            if (error == 0) error = WriteFully(fd.Get(), bytes.data(), bytes.size());
            if (error == 0 && CloseFile(fd.Release()) != 0) error = LastError();
            if (error != 0) return undo(FileResult::Failed(error));
        }
        // One flush for all: the new contents are on the disk before any name changes.
        flush(true);
        for (failed = 0; failed < moves.size(); ++failed)
            if (::rename(moves[failed].first.c_str(), moves[failed].second.c_str()) != 0) {
                const int error = LastError();
                moves.erase(moves.begin(), moves.begin() + static_cast<std::ptrdiff_t>(failed));
                return undo(FileResult::Failed(error));
            }
        moves.clear();
        // The moves reach the disk with the folders.
        flush(false);
        return {};
    } catch (const std::bad_alloc&) {
        return undo(FileResult::Failed(ENOMEM));
    } catch (const std::exception&) {
        return undo(FileResult::Failed(EIO));
    }
}

int DiskFileOps::WriteFully(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const long n = WriteSome(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return LastError();
        if (n == 0) return EIO; // a write that takes nothing would never end
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

FileContent DiskFileOps::ReadAll(const std::string& path) {
    try {
        // Looked at before opening, so that no device is opened at all; the open descriptor
        // is what counts, the name may change meanwhile.
        struct stat st {};
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            return Refused(NotRegular(st.st_mode));
        // O_NONBLOCK: a pipe without a writer must not keep the open waiting.
        Descriptor fd(OpenFile(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0));
        if (fd.Get() < 0) return Refused(SystemReason(LastError()));
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

int DiskFileOps::OpenFile(const char* path, int flags, unsigned mode) {
    return ::open(path, flags, static_cast<mode_t>(mode));
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
