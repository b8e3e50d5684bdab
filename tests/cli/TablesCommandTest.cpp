// SPDX-License-Identifier: GPL-3.0-or-later
// The school as a folder of tables through the tool: export-data writes it, import reads it.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::RunTool;

TEST(TablesCommand, ExportedTablesImportToTheSameSchool) {
    test::TempDir dir;
    const std::string school = test::SourcePath("examples/gymnasium.sch");
    const std::string folder = dir.File("tabellen"), back = dir.File("zurueck.sch");
    ASSERT_EQ(RunTool("export-data " + school + " -o " + folder).status, 0);
    const test::ToolRun r = RunTool("import " + folder + " -o " + back);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("207 × Unterrichte"), std::string::npos) << r.out;
    EXPECT_EQ(test::ReadFileBytes(back), test::ReadFileBytes(school));

    test::WriteFileBytes(folder + "/Klassen.csv", "Name\n5a\n5a\n");
    const test::ToolRun refused = RunTool("import " + folder + " -o " + dir.File("neu.sch"));
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(
        refused.out.find("Klassen.csv, Zeile 3, Spalte 1: Die Klasse „5a“ steht schon in Zeile 2."),
        std::string::npos)
        << refused.out;
}

} // namespace
} // namespace sw
