// SPDX-License-Identifier: GPL-3.0-or-later
// FileOps.h: the few file-system operations the file commands need, behind an interface so that
// tests can make any one of them fail. Paths are UTF-8.
//
// Writing touches regular files only: a folder, device, pipe or socket standing at a path is
// refused and left as it is. A symbolic link the user named is followed to the file it points
// to, and that file is replaced; the link stays a link. In a folder where everybody may write and
// only owners may delete (the sticky bit, as /tmp), a link is followed only when it belongs to
// the user or to the folder's owner: anyone else could have planted it to make us overwrite a
// file of ours. Reading follows links as the system does: a planted link can show us no more
// than a planted file could.
//
// Every write says how it ended: success, or the reason in German, to be appended on a line of
// its own to the caller's message ("Fehler beim Speichern der Datei: …").
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sw {

// A whole file as ReadAll gives it: its bytes, or one German sentence saying why it was refused
// ("Das ist keine gewöhnliche Datei (ein Ordner)."), for the caller to append to its message.
struct FileContent {
    std::optional<std::string> bytes;
    std::string reason; // empty when bytes is set
};

// How a write, copy or check ended. Code is the errno of the system call that failed (EACCES for
// a link not followed), 0 on success and where the refusal is our own (a folder at the path);
// Reason is one German sentence ("Auf dem Datenträger ist kein Platz mehr frei."), empty exactly on
// success.
struct FileResult {
    int Code = 0;
    std::string Reason;

    bool Ok() const { return Reason.empty(); }
    explicit operator bool() const { return Ok(); }
    // The failure of a system call with error code `code`, in the words of SystemReason.
    static FileResult Failed(int code);
};

// Files larger than this are refused unread; a school's project file is well under 1 MiB.
inline constexpr std::size_t kMaxReadBytes = std::size_t{64} << 20;

class FileOps {
public:
    virtual ~FileOps() = default;
    // True when `path` is a regular file or a link to one.
    virtual bool Exists(const std::string& path) = 0;
    // Copies the regular file `from` to `to`, replacing an existing `to`. The copy is complete
    // before it takes the place of `to`, so a failure leaves an older `to` whole. A link at
    // `to` is replaced itself, never the file it points to. The copy gets the mode of `from`.
    virtual FileResult Copy(const std::string& from, const std::string& to) = 0;
    // Deletes `path` when it is a regular file; anything else (a link too) is left alone.
    virtual bool Remove(const std::string& path) = 0;
    // Creates `path` as an empty file (replacing the content of a regular file there).
    virtual FileResult CreateEmpty(const std::string& path) = 0;
    // Writes `bytes` to a fresh temporary file beside the file `path` names, flushes it to disk
    // and moves it over that file, so a failure at any point leaves the old content intact
    // (only when the folder cannot be flushed after the move does the new content stand while
    // the call reports failure). The file keeps its mode and, where permitted, its owner.
    // A file with further hard links gets a new inode: the other names keep the old content.
    virtual FileResult WriteReplacing(const std::string& path, std::string_view bytes) = 0;
    // Many files at once, each as WriteReplacing would write it, made durable together: every
    // file is written beside its target under a temporary name first, then all are flushed to
    // disk in one step and only then moved to their names. When one cannot be written, none
    // is moved and every temporary file goes again; `failed` is the index of the file that
    // failed. This default writes them one by one.
    virtual FileResult
    WriteAllReplacing(const std::vector<std::pair<std::string, std::string_view>>& files,
                      std::size_t& failed) {
        for (failed = 0; failed < files.size(); ++failed)
            if (FileResult r = WriteReplacing(files[failed].first, files[failed].second); !r)
                return r;
        return {};
    }
    // Whether WriteReplacing could put a file at `path`: the links are followed as it would
    // follow them, what stands there must be a regular file or nothing, and a file can be
    // created in its folder (one is created and removed again). Whatever is at `path` stays
    // untouched, so a document can be checked before its content exists.
    virtual FileResult CheckWritable(const std::string& path) = 0;
    // The whole content of a regular file of at most kMaxReadBytes, or the reason it was
    // refused. Never throws.
    virtual FileContent ReadAll(const std::string& path) = 0;
};

// The real file system (POSIX).
class DiskFileOps : public FileOps {
public:
    bool Exists(const std::string& path) override;
    FileResult Copy(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    FileResult CreateEmpty(const std::string& path) override;
    FileResult WriteReplacing(const std::string& path, std::string_view bytes) override;
    FileResult CheckWritable(const std::string& path) override;
    FileContent ReadAll(const std::string& path) override;
    FileResult WriteAllReplacing(const std::vector<std::pair<std::string, std::string_view>>& files,
                                 std::size_t& failed) override;

protected:
    // The system calls that open files and move the bytes, each with the meaning and errno of
    // its namesake; a test overrides one to make it fail at a chosen point. SyncFile also
    // flushes the folder after a move.
    virtual int OpenFile(const char* path, int flags, unsigned mode);
    virtual long ReadSome(int fd, void* buffer, std::size_t size);
    virtual long WriteSome(int fd, const void* data, std::size_t size);
    virtual int SyncFile(int fd);
    virtual int CloseFile(int fd);

private:
    // Mode and owner a replacing file takes over.
    struct Keep {
        unsigned mode = 0;
        unsigned uid = 0;
        unsigned gid = 0;
    };
    // A new temporary file beside `target`, open for writing, or why none could be made.
    FileResult CreateTemp(const std::string& target, bool keep, std::string& temp, int& fd);
    // Creates a temporary file beside `target`, lets `fill` write it (returning 0 or an errno),
    // flushes and closes it and moves it over `target`; removes it again on every failure.
    FileResult ReplaceFile(const std::string& target, const std::optional<Keep>& keep,
                           const std::function<int(int fd)>& fill);
    // 0, or the errno of the write that failed.
    int WriteFully(int fd, const char* data, std::size_t size);
};

// Why an operation on a file failed, for error code `code` (an errno value), in German.
std::string SystemReason(int code);

// A process-wide instance for callers that have no reason to substitute one.
FileOps& DefaultFileOps();

} // namespace sw
