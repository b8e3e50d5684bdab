// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace sw
