// SPDX-License-Identifier: GPL-3.0-or-later
// An output that is an input of the same command is refused before anything is written, also
// through a symbolic or a hard link; only a continued plan may replace its plan file.
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
    const std::string plan = dir.File("p.pdt"), school = dir.File("s.sch");
    const std::string link = dir.File("link.pdt"), hard = dir.File("hard.pdt");
    ASSERT_TRUE(WritePlanFile(f.s, f.plan.get(), plan, DefaultFileOps()).Ok);
    std::filesystem::copy_file(test::SourcePath("examples/gymnasium.sch"), school);
    std::filesystem::create_symlink(plan, link);
    std::filesystem::create_hard_link(plan, hard);
    const std::string curve = dir.File("kurve_S1.txt");
    std::filesystem::copy_file(plan, curve);
    // {arguments, output, input}
    const std::string cases[][3] = {
        {"plan " + school + " -o " + school, school, school},
        {"plan " + plan + " -o " + hard, hard, plan},
        {"export " + plan + " --classes all --no-open -o " + link, link, plan},
        {"substitutions " + plan + " --day 1 -o " + plan, plan, plan},
        {"experiment S1 " + plan + " -o " + plan, plan, plan},
        {"experiment S1 " + curve + " -o " + dir.Path().string(), curve, curve},
    };
    for (const auto& [args, output, input] : cases) {
        const std::string before = test::ReadFileBytes(input);
        const test::ToolRun r = test::RunTool(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.out.find("Die Ausgabe " + output + " ist die Eingabe-Datei " + input +
                             " und würde sie überschreiben. Geben Sie mit -o einen anderen "
                             "Namen an.\n"),
                  std::string::npos)
            << r.out;
        EXPECT_EQ(test::ReadFileBytes(input), before) << args;
    }
    // Continuing a saved plan may replace it: the same kind of file, written safely.
    EXPECT_EQ(
        test::RunTool("plan --plan " + plan + " --stages 2 --stage-passes 1 -o " + plan).status, 0);
    EXPECT_EQ(test::RunTool("check " + plan).status, 0);
}

} // namespace
} // namespace sw
