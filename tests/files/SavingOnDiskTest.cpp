// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands on the disk: the readers name why a file was refused, saving keeps links,
// modes and the backup as they should be, and a failure at any step of a save leaves the old
// file and its backup as they were. The disk operations themselves: tests/io/FileOpsTest.cpp.
#include "files/ProjectFile.h"
#include "files/StreamFile.h"
#include "io/FileOps.h"
#include "support/Disk.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <utility>

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
using test::ModeOf;
using test::Names;
using test::ReadFileBytes;
using test::SmallSchool;
using test::TempDir;
using test::WriteFileBytes;

const std::string kVoll = "Auf dem Datenträger ist kein Platz mehr frei.";
const std::string kEA = "Der Datenträger meldet einen Ein-/Ausgabefehler.";

// The failed backup `backup`, and why.
std::string Schwerwiegend(const std::string& backup, const std::string& reason) {
    return "Ein schwerwiegender Fehler ist aufgetreten.\nEs wird empfohlen, die Daten unter einem "
           "neuen Dateinamen abzuspeichern\nSicherheitskopie " +
           backup + ": " + reason;
}

std::string NichtErzeugt(const std::string& path, const std::string& reason) {
    return "Fehler beim Speichern der Datei:\n" + path + "\nDatei konnte nicht erzeugt werden.\n" +
           reason;
}

// ---------------------------------------------------------------------------------------------
// Reading

TEST(FileCommandsRead, TheReadersNameTheReason) {
    TempDir dir;
    DiskFileOps disk;
    fs::create_directory(dir.File("ordner.sch"));
    const ProjectReadResult project = OpenProject(dir.File("ordner.sch"), disk);
    ASSERT_EQ(project.outcome.Messages.size(), 1u);
    EXPECT_EQ(project.outcome.Messages[0],
              (Message{"Die Datei " + dir.File("ordner.sch") +
                           "\nkann nicht gelesen werden.\nDas ist keine gewöhnliche Datei (ein "
                           "Ordner).",
                       "Dateifehler"}));

    MakeFifo(dir.File("pipe.pdt"));
    const StreamReadResult stream = ReadStreamFile(dir.File("pipe.pdt"), disk, true);
    ASSERT_EQ(stream.outcome.Messages.size(), 1u);
    EXPECT_EQ(stream.outcome.Messages[0],
              (Message{"Fehler beim Lesen der Datei " + dir.File("pipe.pdt") +
                           ":\nDie Datei kann nicht geöffnet werden.\nDas ist keine gewöhnliche "
                           "Datei (eine benannte Pipe).",
                       "Dateifehler"}));
}

// ---------------------------------------------------------------------------------------------
// Saving: what stands at the path

TEST(FileCommandsWrite, SavingThroughALinkKeepsTheLink) {
    TempDir dir;
    DiskFileOps disk;
    const Stammdaten school = SmallSchool();
    fs::create_directory(dir.File("daten"));
    ASSERT_TRUE(SaveProject(school, dir.File("daten/echt.sch"), disk).Ok);
    const std::string saved = ReadFileBytes(dir.File("daten/echt.sch"));
    fs::create_symlink("daten/echt.sch", dir.File("plan.sch"));

    WriteFileBytes(dir.File("daten/echt.sch"), "alt");
    ASSERT_TRUE(SaveProject(school, dir.File("plan.sch"), disk).Ok);
    EXPECT_TRUE(IsLink(dir.File("plan.sch")));
    EXPECT_EQ(ReadFileBytes(dir.File("daten/echt.sch")), saved);
    EXPECT_EQ(ReadFileBytes(dir.File("secu_plan")), "alt"); // the backup beside the link
    EXPECT_FALSE(IsLink(dir.File("secu_plan")));
}

TEST(FileCommandsWrite, APrivateProjectKeepsAPrivateBackup) {
    TempDir dir;
    DiskFileOps disk;
    WriteFileBytes(dir.File("geheim.sch"), "alt");
    ASSERT_EQ(::chmod(dir.File("geheim.sch").c_str(), 0600), 0);
    ASSERT_TRUE(SaveProject(SmallSchool(), dir.File("geheim.sch"), disk).Ok);
    EXPECT_EQ(ModeOf(dir.File("geheim.sch")), 0600u);
    EXPECT_EQ(ModeOf(dir.File("secu_geheim")), 0600u);
}

TEST(FileCommandsWrite, PipesAndFoldersAreRefusedWithTheCommandsOwnMessages) {
    TempDir dir;
    DiskFileOps disk;
    MakeFifo(dir.File("pipe.pdt"));
    fs::create_directory(dir.File("ordner.pdt"));
    WriteFileBytes(dir.File("ordner.pdt/innen"), "x");
    const Stammdaten school = SmallSchool();
    for (const auto& [name, what] :
         {std::pair{"pipe.pdt", "eine benannte Pipe"}, std::pair{"ordner.pdt", "ein Ordner"}}) {
        const std::string path = dir.File(name);
        const std::string expected =
            NichtErzeugt(path, std::string("Das ist keine gewöhnliche Datei (") + what + ").");
        const Outcome stream = WriteStreamFile(school, path, disk);
        ASSERT_EQ(stream.Messages.size(), 1u);
        EXPECT_EQ(stream.Messages[0], (Message{expected, "Dateifehler"}));
        const Outcome project = SaveProject(school, path, disk);
        ASSERT_EQ(project.Messages.size(), 1u);
        EXPECT_EQ(project.Messages[0], (Message{expected, "Dateifehler"}));
    }
    EXPECT_TRUE(S_ISFIFO(LinkStat(dir.File("pipe.pdt")).st_mode));
    EXPECT_TRUE(fs::is_directory(dir.File("ordner.pdt")));
    EXPECT_EQ(ReadFileBytes(dir.File("ordner.pdt/innen")), "x");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"pipe.pdt", "ordner.pdt"}));
}

TEST(FileCommandsWrite, ADeviceNodeIsNeverSavedOver) {
    TempDir dir;
    DiskFileOps disk;
    const std::string node = dir.File("geraet.sch");
    // The null device's numbers: harmless should the node be opened after all.
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here";
    const Outcome saved = SaveProject(SmallSchool(), node, disk);
    ASSERT_EQ(saved.Messages.size(), 1u);
    EXPECT_EQ(saved.Messages[0],
              (Message{NichtErzeugt(node, "Das ist keine gewöhnliche Datei (ein Gerät)."),
                       "Dateifehler"}));
    EXPECT_TRUE(S_ISCHR(LinkStat(node).st_mode));
    EXPECT_EQ(Names(dir), (std::set<std::string>{"geraet.sch"}));
}

// ---------------------------------------------------------------------------------------------
// Saving: names others could plant

TEST(FileCommandsWrite, ALinkAtTheBackupNameIsReplacedNotFollowed) {
    TempDir dir;
    DiskFileOps disk;
    fs::create_directory(dir.File("aussen"));
    WriteFileBytes(dir.File("aussen/opfer"), "unberührt");
    WriteFileBytes(dir.File("plan.sch"), "alt");
    fs::create_symlink(dir.File("aussen/opfer"), dir.File("secu_plan"));

    ASSERT_TRUE(SaveProject(SmallSchool(), dir.File("plan.sch"), disk).Ok);
    EXPECT_EQ(ReadFileBytes(dir.File("aussen/opfer")), "unberührt");
    EXPECT_FALSE(IsLink(dir.File("secu_plan"))); // now a regular file: the backup
    EXPECT_EQ(ReadFileBytes(dir.File("secu_plan")), "alt");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"aussen", "plan.sch", "secu_plan"}));
}

// ---------------------------------------------------------------------------------------------
// Saving: failures at every step

TEST(FileCommandsWrite, AFailedBackupKeepsThePreviousBackupWhole) {
    TempDir dir;
    const std::string path = dir.File("plan.sch");
    WriteFileBytes(path, "stand von heute");
    WriteFileBytes(dir.File("secu_plan"), "stand von gestern");
    for (const bool diskFull : {true, false}) {
        FaultyDisk disk;
        if (diskFull) {
            disk.failWriteAt = 1;
            disk.error = ENOSPC;
        } else {
            disk.failCloseAt = 1;
        }
        const Outcome saved = SaveProject(SmallSchool(), path, disk);
        ASSERT_EQ(saved.Messages.size(), 1u);
        EXPECT_EQ(
            saved.Messages[0],
            (Message{Schwerwiegend(dir.File("secu_plan"), diskFull ? kVoll : kEA), "Dateifehler"}));
        EXPECT_EQ(ReadFileBytes(dir.File("secu_plan")), "stand von gestern");
        EXPECT_EQ(ReadFileBytes(path), "stand von heute");
        EXPECT_EQ(Names(dir), (std::set<std::string>{"plan.sch", "secu_plan"}));
    }

    // The backup made, the file itself fails: the file keeps its old content and the backup
    // holds it too.
    FaultyDisk disk;
    disk.failWriteAt = 2;
    disk.error = ENOSPC;
    const Outcome saved = SaveProject(SmallSchool(), path, disk);
    ASSERT_EQ(saved.Messages.size(), 1u);
    EXPECT_EQ(saved.Messages[0], (Message{NichtErzeugt(path, kVoll), "Dateifehler"}));
    EXPECT_EQ(ReadFileBytes(path), "stand von heute");
    EXPECT_EQ(ReadFileBytes(dir.File("secu_plan")), "stand von heute");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"plan.sch", "secu_plan"}));
}

TEST(FileCommandsWrite, ANewProjectWhoseBackupFailsLeavesNothing) {
    TempDir dir;
    FaultyDisk disk;
    disk.failSyncAt = 1;
    const Outcome saved = SaveProject(SmallSchool(), dir.File("plan.sch"), disk);
    ASSERT_EQ(saved.Messages.size(), 1u);
    EXPECT_EQ(saved.Messages[0],
              (Message{Schwerwiegend(dir.File("secu_plan"), kEA), "Dateifehler"}));
    EXPECT_TRUE(Names(dir).empty());
}

} // namespace
} // namespace sw
