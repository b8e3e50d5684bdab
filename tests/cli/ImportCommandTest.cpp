// SPDX-License-Identifier: GPL-3.0-or-later
// A FET file through the tool: the school is saved, the report printed (as text or JSON) and
// written; a file that cannot be read leaves nothing behind.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace sw {
namespace {

using test::RunTool;
using test::ToolRun;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ImportCommand, SavesTheSchoolAndReportsWhatBecameOfTheFile) {
    test::TempDir dir;
    const std::string fet = test::SourcePath("tests/cli/data/klein.fet");
    const std::string sch = dir.File("klein.sch"), bericht = dir.File("bericht.txt");
    ToolRun r = RunTool("import " + fet + " -o " + sch + " --report " + bericht);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(Has(r.out, "Aktivitäten: 5, Stunden: 4 von 4\n")) << r.out;
    EXPECT_EQ(test::ReadFileBytes(bericht), r.out.substr(r.out.find("Import aus")));
    for (const char* part : {"\nÜbernommen (", "\nAngenähert (", "\nWeggelassen (",
                             "ConstraintBreakTimes", "ConstraintMinDaysBetweenActivities"})
        EXPECT_TRUE(Has(r.out, part)) << part;
    EXPECT_EQ(RunTool("info " + sch).status, 0);

    r = RunTool("import " + fet + " -o " + dir.File("zwei.sch") + " --json");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(Has(r.out, "\"aktivitaeten\": 5, \"stunden\": 4, \"quellStunden\": 4")) << r.out;
    EXPECT_TRUE(Has(r.out, "\"weggelassen\": [{\"was\": ")) << r.out;
}

TEST(ImportCommand, WritesNothingForAFileItCannotRead) {
    test::TempDir dir;
    const std::string whole = test::ReadFileBytes(test::SourcePath("tests/cli/data/klein.fet"));
    const std::string cut = dir.File("kaputt.fet");
    test::WriteFileBytes(cut, whole.substr(0, whole.size() / 2));
    const std::string sch = dir.File("kaputt.sch"), bericht = dir.File("bericht.txt");
    ToolRun r = RunTool("import " + cut + " -o " + sch + " --report " + bericht);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.out, "Importfehler: Die Datei " + cut + " ist keine lesbare XML-Datei: "))
        << r.out;
    EXPECT_FALSE(std::filesystem::exists(sch));
    EXPECT_FALSE(std::filesystem::exists(bericht));

    EXPECT_EQ(RunTool("import " + cut).status, 2); // no -o
    r = RunTool("import " + test::SourcePath("tests/cli/data/klein.fet") + " -o " + sch +
                " --report " + sch);
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(std::filesystem::exists(sch));
}

TEST(ImportCommand, ExportDataNamesAFolderItCannotMake) {
    const ToolRun r = RunTool("export-data " + test::SourcePath("examples/gymnasium.sch") +
                              " -o /nonexistent/tabellen");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.out, "Der Ordner /nonexistent/tabellen kann nicht angelegt werden.\n"
                           "Der Ordner „/nonexistent“ existiert nicht.\n"))
        << r.out;
}

} // namespace
} // namespace sw
