// SPDX-License-Identifier: GPL-3.0-or-later
// An output that is an input of the same command: refused before anything is written, whether
// the two names are the same, a symbolic link or a hard link. Only a continued plan may replace
// the plan file it was read from.
#include "files/PlanFile.h"
#include "io/FileOps.h"
#include "substitute/SubstituteSchool.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace sw {
namespace {

TEST(Outputs, AnOutputThatIsAnInputIsRefused) {
    test::TempDir dir;
    test::PlanFixture f;
    test::BuildSubstituteSchool(f, false, false);
    const std::string plan = dir.File("p.pdt");
    ASSERT_TRUE(WritePlanFile(f.s, f.plan.get(), plan, DefaultFileOps()).Ok);
    const std::string school = dir.File("s.sch");
    std::filesystem::copy_file(test::SourcePath("examples/gymnasium.sch"), school);
    std::filesystem::create_symlink(plan, dir.File("link.pdt"));
    std::filesystem::create_hard_link(plan, dir.File("hard.pdt"));
    std::filesystem::create_directory(dir.File("kurven"));
    std::filesystem::copy_file(plan, dir.File("kurven/kurve_S1.txt"));
    const std::string planBytes = test::ReadFileBytes(plan);
    const std::string schoolBytes = test::ReadFileBytes(school);

    const struct {
        std::string args, output, input;
    } cases[] = {
        {"plan " + school + " --stages= -o " + school, school, school},
        {"plan " + plan + " --stages= -o " + dir.File("hard.pdt"), dir.File("hard.pdt"), plan},
        {"export " + plan + " --classes all --no-open -o " + dir.File("link.pdt"),
         dir.File("link.pdt"), plan},
        {"substitutions " + plan + " --day 1 -o " + plan, plan, plan},
        {"experiment S1 " + plan + " -o " + plan, plan, plan},
        {"experiment S1 " + dir.File("kurven/kurve_S1.txt") + " -o " + dir.File("kurven"),
         dir.File("kurven") + "/kurve_S1.txt", dir.File("kurven/kurve_S1.txt")},
    };
    for (const auto& c : cases) {
        const test::ToolRun r = test::RunTool(c.args);
        EXPECT_EQ(r.status, 2) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find("Die Ausgabe " + c.output + " ist die Eingabe-Datei " + c.input +
                             " und würde sie überschreiben. Geben Sie mit -o einen anderen "
                             "Namen an.\n"),
                  std::string::npos)
            << c.args << "\n"
            << r.out;
    }
    EXPECT_EQ(test::ReadFileBytes(plan), planBytes);
    EXPECT_EQ(test::ReadFileBytes(dir.File("kurven/kurve_S1.txt")), planBytes);
    EXPECT_EQ(test::ReadFileBytes(school), schoolBytes);
    EXPECT_NE(test::RunTool("plan " + plan + " -o " + plan)
                  .out.find("stundenwerk plan --plan " + plan + " -o " + plan),
              std::string::npos);

    // Continuing a saved plan may replace it: the same kind of file, written safely.
    const test::ToolRun weiter =
        test::RunTool("plan --plan " + plan + " --stages 2 --stage-passes 1 -o " + plan);
    EXPECT_EQ(weiter.status, 0) << weiter.out;
    EXPECT_EQ(test::RunTool("check " + plan).status, 0);
}

} // namespace
} // namespace sw
