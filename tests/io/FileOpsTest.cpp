// SPDX-License-Identifier: GPL-3.0-or-later
// The disk operations: what they refuse to read or overwrite, and that a failure at any step
// leaves the old file and its folder as they were. tests/files/SavingOnDiskTest.cpp checks the
// file commands on top of them.
#include "io/FileOps.h"
#include "support/Disk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace sw {
namespace {

namespace fs = std::filesystem;
using test::FaultyDisk;
using test::IsLink;
using test::LinkStat;
using test::MakeFifo;
using test::MakeSparse;
using test::ModeOf;
using test::Names;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// ---------------------------------------------------------------------------------------------
// Reading

TEST(FileOpsRead, RefusesAnythingButARegularFile) {
    TempDir dir;
    DiskFileOps disk;
    FileContent r = disk.ReadAll(dir.Path().string());
    EXPECT_FALSE(r.bytes);
    EXPECT_EQ(r.reason, "Das ist keine gewöhnliche Datei (ein Ordner).");

    // A pipe without a writer: refused at once, no waiting for data.
    MakeFifo(dir.File("pipe"));
    r = disk.ReadAll(dir.File("pipe"));
    EXPECT_FALSE(r.bytes);
    EXPECT_EQ(r.reason, "Das ist keine gewöhnliche Datei (eine benannte Pipe).");

    // An endless device would fill the memory.
    if (fs::exists("/dev/zero")) {
        r = disk.ReadAll("/dev/zero");
        EXPECT_FALSE(r.bytes);
        EXPECT_EQ(r.reason, "Das ist keine gewöhnliche Datei (ein Gerät).");
    }

    r = disk.ReadAll(dir.File("fehlt.sch"));
    EXPECT_FALSE(r.bytes);
    EXPECT_EQ(r.reason, "Die Datei ist nicht vorhanden.");
}

TEST(FileOpsRead, SizeBoundIsCheckedBeforeReading) {
    TempDir dir;
    FaultyDisk disk;
    MakeSparse(dir.File("riesig.sch"), off_t{1} << 30);
    FileContent r = disk.ReadAll(dir.File("riesig.sch"));
    EXPECT_FALSE(r.bytes);
    EXPECT_EQ(r.reason, "Die Datei ist zu groß (über 64 MiB).");
    EXPECT_EQ(disk.reads, 0); // refused from its size, not a byte read

    MakeSparse(dir.File("knapp.sch"), static_cast<off_t>(kMaxReadBytes) + 1);
    r = disk.ReadAll(dir.File("knapp.sch"));
    EXPECT_EQ(r.reason, "Die Datei ist zu groß (über 64 MiB).");
    EXPECT_EQ(disk.reads, 0);

    MakeSparse(dir.File("grenze.sch"), static_cast<off_t>(kMaxReadBytes));
    r = disk.ReadAll(dir.File("grenze.sch"));
    ASSERT_TRUE(r.bytes);
    EXPECT_EQ(r.bytes->size(), kMaxReadBytes);
    EXPECT_EQ(r.reason, "");
}

TEST(FileOpsRead, AFileThatKeepsGrowingStopsAtTheBound) {
    TempDir dir;
    FaultyDisk disk;
    disk.endlessReads = true;
    WriteFileBytes(dir.File("waechst.sch"), "klein");
    const FileContent r = disk.ReadAll(dir.File("waechst.sch"));
    EXPECT_FALSE(r.bytes);
    EXPECT_EQ(r.reason, "Die Datei ist zu groß (über 64 MiB).");
}

TEST(FileOpsRead, ReadsAWholeFileAndSurvivesInterruptionsAndErrors) {
    TempDir dir;
    std::string content;
    for (int i = 0; i < 100000; ++i)
        content += static_cast<char>(i * 7);
    WriteFileBytes(dir.File("a.sch"), content);
    WriteFileBytes(dir.File("leer.sch"), "");
    FaultyDisk disk;
    disk.interruptFirstRead = true;
    EXPECT_EQ(disk.ReadAll(dir.File("a.sch")).bytes, content);
    EXPECT_EQ(disk.ReadAll(dir.File("leer.sch")).bytes, "");

    // A read error of the disk is a refusal with its reason, never an exception.
    FaultyDisk broken;
    broken.failReadAt = 2;
    const FileContent r = broken.ReadAll(dir.File("a.sch"));
    EXPECT_FALSE(r.bytes);
    EXPECT_EQ(r.reason, "Der Datenträger meldet einen Ein-/Ausgabefehler.");
}

TEST(FileOpsRead, SystemReasonsAreGerman) {
    EXPECT_EQ(SystemReason(EACCES), "Der Zugriff ist nicht erlaubt (fehlende Berechtigung).");
    EXPECT_EQ(SystemReason(ENOSPC), "Auf dem Datenträger ist kein Platz mehr frei.");
    // An unusual code still names itself.
    EXPECT_NE(SystemReason(EXDEV).find("(Fehler " + std::to_string(EXDEV) + ")."),
              std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Writing: what stands at the path

TEST(FileOpsWrite, ALinkStaysALinkAndItsFileGetsTheContent) {
    TempDir dir;
    DiskFileOps disk;
    fs::create_directory(dir.File("daten"));
    WriteFileBytes(dir.File("daten/echt.sch"), "alt");
    fs::create_symlink("daten/echt.sch", dir.File("link.sch")); // relative to the link's folder
    fs::create_symlink(dir.File("link.sch"), dir.File("link2.sch")); // a chain of two

    ASSERT_TRUE(disk.WriteReplacing(dir.File("link2.sch"), "neu"));
    EXPECT_TRUE(IsLink(dir.File("link2.sch")));
    EXPECT_TRUE(IsLink(dir.File("link.sch")));
    EXPECT_EQ(ReadFileBytes(dir.File("daten/echt.sch")), "neu");
    // The temporary file lived beside the real file and is gone.
    EXPECT_EQ(Names(dir), (std::set<std::string>{"daten", "link.sch", "link2.sch"}));
    EXPECT_FALSE(IsLink(dir.File("daten/echt.sch")));

    // A link whose file does not exist yet: the file is created, the link kept.
    fs::create_symlink("daten/neu.sch", dir.File("vor.sch"));
    ASSERT_TRUE(disk.WriteReplacing(dir.File("vor.sch"), "erst"));
    EXPECT_TRUE(IsLink(dir.File("vor.sch")));
    EXPECT_EQ(ReadFileBytes(dir.File("daten/neu.sch")), "erst");

    // Links in a loop are refused.
    fs::create_symlink("kreis2", dir.File("kreis1"));
    fs::create_symlink("kreis1", dir.File("kreis2"));
    EXPECT_FALSE(disk.WriteReplacing(dir.File("kreis1"), "x"));
    EXPECT_TRUE(IsLink(dir.File("kreis1")));
}

TEST(FileOpsWrite, ModeAndOwnerAreKept) {
    TempDir dir;
    DiskFileOps disk;
    for (const unsigned mode : {0600u, 0640u, 0604u}) {
        const std::string path = dir.File("plan" + std::to_string(mode) + ".pdt");
        WriteFileBytes(path, "alt");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(disk.WriteReplacing(path, "neu"));
        EXPECT_EQ(ModeOf(path), mode) << path;
        EXPECT_EQ(ReadFileBytes(path), "neu");
    }
    // A new file gets what the umask leaves of 0666, as every file the user creates.
    const mode_t old = ::umask(027);
    const bool written = disk.WriteReplacing(dir.File("neu.pdt"), "x").Ok();
    ::umask(old);
    ASSERT_TRUE(written);
    EXPECT_EQ(ModeOf(dir.File("neu.pdt")), 0640u);
}

TEST(FileOpsWrite, AnotherUsersFileKeepsItsOwner) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can keep another user's ownership";
    TempDir dir;
    DiskFileOps disk;
    const std::string foreign = dir.File("fremd.pdt");
    WriteFileBytes(foreign, "alt");
    ASSERT_EQ(::chown(foreign.c_str(), 4321, 4322), 0);
    ASSERT_TRUE(disk.WriteReplacing(foreign, "neu"));
    EXPECT_EQ(LinkStat(foreign).st_uid, 4321u);
    EXPECT_EQ(LinkStat(foreign).st_gid, 4322u);
}

TEST(FileOpsWrite, HardLinkedFileIsReplacedUnderTheNameGivenOnly) {
    // Replacing by a move gives the named file a new inode; the other name keeps the old
    // content, as with every editor that saves safely.
    TempDir dir;
    DiskFileOps disk;
    WriteFileBytes(dir.File("plan.pdt"), "alt");
    fs::create_hard_link(dir.File("plan.pdt"), dir.File("zweiter.pdt"));
    ASSERT_TRUE(disk.WriteReplacing(dir.File("plan.pdt"), "neu"));
    EXPECT_EQ(ReadFileBytes(dir.File("plan.pdt")), "neu");
    EXPECT_EQ(ReadFileBytes(dir.File("zweiter.pdt")), "alt");
}

TEST(FileOpsWrite, PipesAndFoldersAreRefusedAndLeftAlone) {
    TempDir dir;
    DiskFileOps disk;
    MakeFifo(dir.File("pipe.pdt"));
    fs::create_directory(dir.File("ordner.pdt"));
    WriteFileBytes(dir.File("ordner.pdt/innen"), "x");
    WriteFileBytes(dir.File("quelle.sch"), "q");
    for (const char* name : {"pipe.pdt", "ordner.pdt"}) {
        const std::string path = dir.File(name);
        EXPECT_FALSE(disk.WriteReplacing(path, "neu")) << name;
        EXPECT_FALSE(disk.CreateEmpty(path)) << name;
        EXPECT_FALSE(disk.Remove(path)) << name;
        EXPECT_FALSE(disk.Copy(dir.File("quelle.sch"), path)) << name;
        EXPECT_FALSE(disk.Copy(path, dir.File("kopie"))) << name;
    }
    EXPECT_TRUE(S_ISFIFO(LinkStat(dir.File("pipe.pdt")).st_mode));
    EXPECT_EQ(ReadFileBytes(dir.File("ordner.pdt/innen")), "x");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"pipe.pdt", "ordner.pdt", "quelle.sch"}));

    // A link to the pipe is refused as well; the link stays.
    fs::create_symlink("pipe.pdt", dir.File("zur-pipe.sch"));
    EXPECT_FALSE(disk.WriteReplacing(dir.File("zur-pipe.sch"), "neu"));
    EXPECT_FALSE(disk.CreateEmpty(dir.File("zur-pipe.sch")));
    EXPECT_TRUE(IsLink(dir.File("zur-pipe.sch")));
}

TEST(FileOpsWrite, ADeviceNodeIsNeverWrittenOrDeleted) {
    TempDir dir;
    DiskFileOps disk;
    const std::string node = dir.File("geraet.sch");
    // The null device's numbers: harmless should the node be opened after all.
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here";
    EXPECT_FALSE(disk.WriteReplacing(node, "x"));
    EXPECT_FALSE(disk.Remove(node));
    EXPECT_TRUE(S_ISCHR(LinkStat(node).st_mode));
    EXPECT_EQ(Names(dir), (std::set<std::string>{"geraet.sch"}));
}

TEST(FileOpsWrite, RemoveAndCreateEmptyTouchOnlyRegularFiles) {
    TempDir dir;
    DiskFileOps disk;
    WriteFileBytes(dir.File("ziel.sch"), "inhalt");
    fs::create_symlink("ziel.sch", dir.File("link.sch"));
    EXPECT_FALSE(disk.Remove(dir.File("link.sch"))); // neither the link nor its file
    EXPECT_EQ(ReadFileBytes(dir.File("ziel.sch")), "inhalt");
    EXPECT_TRUE(IsLink(dir.File("link.sch")));

    // Through a link to a regular file: that file is emptied, the link stays.
    ASSERT_TRUE(disk.CreateEmpty(dir.File("link.sch")));
    EXPECT_TRUE(IsLink(dir.File("link.sch")));
    EXPECT_EQ(ReadFileBytes(dir.File("ziel.sch")), "");

    // An empty name is no file.
    EXPECT_FALSE(disk.CreateEmpty(""));
    EXPECT_FALSE(disk.WriteReplacing("", "x"));
    EXPECT_FALSE(disk.Copy(dir.File("ziel.sch"), ""));

    ASSERT_TRUE(disk.Remove(dir.File("ziel.sch")));
    EXPECT_FALSE(fs::exists(dir.File("ziel.sch")));
    EXPECT_FALSE(disk.Remove(dir.File("ziel.sch")));
}

// ---------------------------------------------------------------------------------------------
// Writing: names others could plant

TEST(FileOpsWrite, APlantedFileAtTheOldTemporaryNameIsIrrelevant) {
    TempDir dir;
    DiskFileOps disk;
    fs::create_directory(dir.File("aussen"));
    WriteFileBytes(dir.File("aussen/opfer"), "unberührt");
    WriteFileBytes(dir.File("plan.pdt"), "alt");
    const std::string guessed = dir.File("plan.pdt.tmp" + std::to_string(::getpid()));
    fs::create_symlink(dir.File("aussen/opfer"), guessed);

    ASSERT_TRUE(disk.WriteReplacing(dir.File("plan.pdt"), "neu"));
    EXPECT_EQ(ReadFileBytes(dir.File("plan.pdt")), "neu");
    EXPECT_EQ(ReadFileBytes(dir.File("aussen/opfer")), "unberührt");
    EXPECT_TRUE(IsLink(guessed));
    const std::string planted = "plan.pdt.tmp" + std::to_string(::getpid());
    EXPECT_EQ(Names(dir), (std::set<std::string>{"aussen", "plan.pdt", planted}));
}

// A link another user planted in a shared folder (sticky and writable for all, as /tmp) is not
// followed by any write; the file it points to stays untouched and the refusal names the link.
TEST(FileOpsWrite, ALinkOfAnotherUserInASharedFolderIsNotFollowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a link to another user";
    TempDir dir;
    DiskFileOps disk;
    const std::string shared = dir.File("tmp");
    fs::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    WriteFileBytes(dir.File("opfer"), "unberührt");
    const std::string link = shared + "/plaene.docx";
    fs::create_symlink(dir.File("opfer"), link);
    ASSERT_EQ(::lchown(link.c_str(), 4321, 4321), 0);

    const std::string refusal = "Der Verknüpfung „" + link +
                                "“ wird nicht gefolgt: Sie gehört einem anderen Benutzer und "
                                "liegt in einem Ordner, in den alle schreiben dürfen.";
    for (const FileResult& r :
         {disk.WriteReplacing(link, "neu"), disk.CreateEmpty(link), disk.CheckWritable(link)}) {
        EXPECT_EQ(r.Reason, refusal);
        EXPECT_EQ(r.Code, EACCES);
    }
    EXPECT_EQ(ReadFileBytes(dir.File("opfer")), "unberührt");
    EXPECT_TRUE(IsLink(link));
    EXPECT_EQ(Names(dir), (std::set<std::string>{"opfer", "tmp"}));

    // Followed as the system follows it: the link of the folder's owner, or any link in a
    // folder that is not shared.
    ASSERT_EQ(::chown(shared.c_str(), 4321, 4321), 0);
    EXPECT_TRUE(disk.WriteReplacing(link, "vom Besitzer"));
    EXPECT_EQ(ReadFileBytes(dir.File("opfer")), "vom Besitzer");
    ASSERT_EQ(::lchown(link.c_str(), 4322, 4322), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
    EXPECT_TRUE(disk.WriteReplacing(link, "ohne Sticky-Bit"));
    EXPECT_EQ(ReadFileBytes(dir.File("opfer")), "ohne Sticky-Bit");
}

// ---------------------------------------------------------------------------------------------
// Writing: failures at every step

// Each failure names its cause, for the caller to append to its message.
TEST(FileOpsWrite, EveryFailureSaysWhy) {
    TempDir dir;
    fs::create_directory(dir.File("ordner.pdt"));
    WriteFileBytes(dir.File("datei"), "x");
    WriteFileBytes(dir.File("quelle.sch"), "q");
    struct Case {
        std::string path;
        int FaultyDisk::*at; // the failing system call, or none
        int error;
        std::string reason;
        bool checkable; // CheckWritable finds it out before any content is written
    };
    const Case cases[] = {
        {dir.File("fehlt/plan.pdt"), nullptr, ENOENT,
         "Der Ordner „" + dir.File("fehlt") + "“ existiert nicht.", true},
        {dir.File("plan.pdt"), &FaultyDisk::failOpenAt, EACCES,
         "Keine Schreibberechtigung für den Ordner „" + dir.Path().string() + "“.", true},
        {dir.File("plan.pdt"), &FaultyDisk::failOpenAt, EROFS,
         "Der Datenträger ist schreibgeschützt.", true},
        {dir.File("plan.pdt"), &FaultyDisk::failWriteAt, ENOSPC,
         "Auf dem Datenträger ist kein Platz mehr frei.", false},
        {dir.File("ordner.pdt"), nullptr, 0, "Das ist keine gewöhnliche Datei (ein Ordner).", true},
        {dir.File("datei/plan.pdt"), nullptr, ENOTDIR, "Ein Teil des Pfades ist kein Ordner.",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        // The fault hits the new file, not the source of a copy.
        const auto faulty = [&](int copying) {
            auto disk = std::make_unique<FaultyDisk>();
            if (c.at) (*disk).*c.at = c.at == &FaultyDisk::failOpenAt ? 1 + copying : 1;
            disk->error = c.error;
            return disk;
        };
        std::vector<FileResult> results = {faulty(0)->WriteReplacing(c.path, "neu"),
                                           faulty(1)->Copy(dir.File("quelle.sch"), c.path)};
        if (!c.at) results.push_back(faulty(0)->CreateEmpty(c.path)); // it writes no bytes
        for (const FileResult& r : results) {
            EXPECT_EQ(r.Reason, c.reason);
            EXPECT_EQ(r.Code, c.error);
        }
        EXPECT_EQ(faulty(0)->CheckWritable(c.path).Reason, c.checkable ? c.reason : "");
    }
    EXPECT_EQ(Names(dir), (std::set<std::string>{"datei", "ordner.pdt", "quelle.sch"}));
}

TEST(FileOpsWrite, EveryFailedStepKeepsTheOldFileAndLeavesNoTemporaryFile) {
    struct Case {
        const char* what;
        int FaultyDisk::*at;
        int error;
    };
    for (const Case c : {Case{"write", &FaultyDisk::failWriteAt, ENOSPC},
                         Case{"flush", &FaultyDisk::failSyncAt, EIO},
                         Case{"close", &FaultyDisk::failCloseAt, EIO}}) {
        TempDir dir;
        WriteFileBytes(dir.File("plan.pdt"), "alt");
        FaultyDisk disk;
        disk.*c.at = 1;
        disk.error = c.error;
        EXPECT_EQ(disk.WriteReplacing(dir.File("plan.pdt"), "neuer Inhalt").Code, c.error)
            << c.what;
        EXPECT_EQ(ReadFileBytes(dir.File("plan.pdt")), "alt") << c.what;
        EXPECT_EQ(Names(dir), (std::set<std::string>{"plan.pdt"})) << c.what;
        // A new file that fails leaves nothing at all.
        FaultyDisk again;
        again.*c.at = 1;
        EXPECT_FALSE(again.WriteReplacing(dir.File("neu.pdt"), "x")) << c.what;
        EXPECT_EQ(Names(dir), (std::set<std::string>{"plan.pdt"})) << c.what;
    }
}

TEST(FileOpsWrite, ShortWritesAreContinued) {
    TempDir dir;
    FaultyDisk disk;
    disk.shortWrites = true;
    ASSERT_TRUE(disk.WriteReplacing(dir.File("plan.pdt"), "zwölf Zeichen und mehr"));
    EXPECT_EQ(ReadFileBytes(dir.File("plan.pdt")), "zwölf Zeichen und mehr");
}

TEST(FileOpsWrite, TheFileIsFlushedBeforeTheMoveAndTheFolderAfterIt) {
    TempDir dir;
    WriteFileBytes(dir.File("plan.pdt"), "alt");
    FaultyDisk disk;
    std::vector<std::string> seen; // the target's content at each flush
    disk.onSync = [&] { seen.push_back(ReadFileBytes(dir.File("plan.pdt"))); };
    ASSERT_TRUE(disk.WriteReplacing(dir.File("plan.pdt"), "neu"));
    EXPECT_EQ(seen, (std::vector<std::string>{"alt", "neu"}));

    // A folder that cannot be flushed makes the write a failure: the content may not last.
    FaultyDisk folderFails;
    folderFails.failSyncAt = 2;
    EXPECT_FALSE(folderFails.WriteReplacing(dir.File("plan.pdt"), "neuer"));
    EXPECT_EQ(Names(dir), (std::set<std::string>{"plan.pdt"}));
}

} // namespace
} // namespace sw
