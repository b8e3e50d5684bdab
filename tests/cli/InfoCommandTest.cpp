// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sw {
namespace {

using test::RunTool;
using test::ToolRun;

TEST(InfoCommand, SummarisesTheExampleSchool) {
    const ToolRun r = RunTool("info " + test::SourcePath("examples/gymnasium.sch"));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Unterrichtstage:   5\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Stunden pro Tag:   8\n"), std::string::npos);
    EXPECT_NE(r.out.find("Klassen:           20\n"), std::string::npos);
    EXPECT_NE(r.out.find("Lehrer:            40\n"), std::string::npos);
    EXPECT_NE(r.out.find("  5a "), std::string::npos);
}

TEST(InfoCommand, BadFilesAndArguments) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("leer.sch"), "[Etwas]\r\nx=1\r\n");
    ToolRun r = RunTool("info " + dir.File("leer.sch"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(
        r.out.find("Dateifehler: Die Datei" + dir.File("leer.sch") + "\nist keine gültige Datei."),
        std::string::npos)
        << r.out;
    r = RunTool("info");
    EXPECT_EQ(r.status, 2);
    r = RunTool("gibtsnicht");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("Unbekannter Befehl: gibtsnicht"), std::string::npos);
}

TEST(CheckCommand, UnreadablePlanFile) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("x.pdt"), "stamm 5 8 0");
    const ToolRun r = RunTool("check " + dir.File("x.pdt") + " --json");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("Datei - Fehler: Dies ist keine Plan - Datei!"), std::string::npos)
        << r.out;
}

// "check" compared the kept figures after the reader had evaluated them afresh, so a plan file
// whose LLSSumme was edited from 3 to 999 and TFSumme from 0 to 555 was still "stimmig".
TEST(CheckCommand, StoredFiguresThatDifferFromTheGridBreakThePlan) {
    ToolRun r = RunTool("check " + test::SourcePath("tests/files/data/kennzahlen-falsch.pdt"));
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("Verletzt: Die gespeicherte Kennzahl LLSSumme ist 999, neu berechnet 3.\n"
                         "Verletzt: Die gespeicherte Kennzahl TFSumme ist 555, neu berechnet 0.\n"
                         "Der Plan verletzt seine Regeln.\n"),
              std::string::npos)
        << r.out;
    r = RunTool("check --json " + test::SourcePath("tests/files/data/kennzahlen-falsch.pdt"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\"valid\": false, \"violations\": 2"), std::string::npos) << r.out;
    r = RunTool("check " + test::SourcePath("tests/files/data/klein.pdt"));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Der Plan ist in sich stimmig.\n"), std::string::npos);
}

// A folder, a device or a plan with lessons outside the week given to the commands: a clear
// message and exit status 2, never an uncaught exception or a hang.
TEST(CheckCommand, WhatIsNoFileIsRefusedWithAMessage) {
    test::TempDir dir;
    const std::string folder = dir.Path().string();
    for (const std::string& command : std::vector<std::string>{
             "info " + folder, "check " + folder, "plan " + folder, "plan --plan " + folder,
             "export " + folder + " --teachers all -o " + dir.File("x.docx"), "check /dev/zero",
             "check " + test::SourcePath("tests/files/data/ausserhalb-woche.pdt")}) {
        const ToolRun r = RunTool(command);
        EXPECT_EQ(r.status, 2) << command << "\n" << r.out;
        EXPECT_EQ(r.out.rfind("Dateifehler: ", 0), 0u) << r.out;
        EXPECT_EQ(r.out.find("terminate"), std::string::npos) << r.out;
    }
}

// An export whose document cannot be written said first that Word was not installed.
TEST(ExportCommand, AFailedStartSaysOnlyWhatHappened) {
    test::TempDir dir;
    const ToolRun r = RunTool("export " + test::SourcePath("tests/files/data/klein.pdt") + " -o " +
                              dir.File("fehlt/plaene.docx") + " --teachers all --no-open");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_EQ(r.out.rfind("Fehler: Fehler bei Ausgabe an Word:\n", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find("OLE"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Word korrekt installiert"), std::string::npos) << r.out;
}

} // namespace
} // namespace sw
