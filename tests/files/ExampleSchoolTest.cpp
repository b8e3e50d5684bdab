// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped example schools: they open, and every file format gives them back unchanged.
#include "files/ProjectFile.h"
#include "files/StreamFile.h"
#include "plan/Random.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::SourcePath;
using test::TempDir;

class ExampleSchool : public ::testing::TestWithParam<const char*> {};

TEST_P(ExampleSchool, ProjectFileRoundTripIsByteIdentical) {
    const std::string path = SourcePath(std::string("examples/") + GetParam());
    const ProjectReadResult r = OpenProject(path, DefaultFileOps());
    ASSERT_TRUE(r.outcome.Ok) << r.outcome.Messages.front().Text;
    EXPECT_GE(r.data.Klassen.size(), 20u);
    TempDir dir;
    const std::string copy = dir.File("kopie.sch");
    ASSERT_TRUE(SaveProject(r.data, copy, DefaultFileOps()).Ok);
    EXPECT_EQ(test::ReadFileBytes(copy), test::ReadFileBytes(path));
    // The backup of a file that did not exist before is an empty file.
    EXPECT_EQ(test::ReadFileBytes(dir.File("secu_kopie")), "");
    // Saving again backs up the first save.
    ASSERT_TRUE(SaveProject(r.data, copy, DefaultFileOps()).Ok);
    EXPECT_EQ(test::ReadFileBytes(dir.File("secu_kopie")), test::ReadFileBytes(path));
}

TEST_P(ExampleSchool, StreamFileRoundTrip) {
    const ProjectReadResult r =
        OpenProject(SourcePath(std::string("examples/") + GetParam()), DefaultFileOps());
    ASSERT_TRUE(r.outcome.Ok);
    TempDir dir;
    const std::string first = dir.File("a.sdt");
    ASSERT_TRUE(WriteStreamFile(r.data, first, DefaultFileOps()).Ok);
    StreamReadResult back = ReadStreamFile(first, DefaultFileOps(), false);
    ASSERT_TRUE(back.outcome.Ok);
    EXPECT_EQ(back.data, r.data);
    const std::string second = dir.File("b.sdt");
    ASSERT_TRUE(WriteStreamFile(back.data, second, DefaultFileOps()).Ok);
    EXPECT_EQ(test::ReadFileBytes(second), test::ReadFileBytes(first));
}

TEST_P(ExampleSchool, TruncatedCopiesFailCleanly) {
    const std::string bytes =
        test::ReadFileBytes(SourcePath(std::string("examples/") + GetParam()));
    TempDir dir;
    const std::string cut = dir.File("cut.sch");
    Random rng(2024);
    int failed = 0;
    for (int i = 0; i < 60; ++i) {
        const std::size_t n = rng.Below(static_cast<int>(bytes.size()));
        test::WriteFileBytes(cut, bytes.substr(0, n));
        const ProjectReadResult r = OpenProject(cut, DefaultFileOps());
        if (!r.outcome.Ok) {
            ++failed;
            ASSERT_EQ(r.outcome.Messages.size(), 1u);
            EXPECT_EQ(r.outcome.Messages[0].Title, "Dateifehler");
            EXPECT_TRUE(r.data.Klassen.empty());
        }
    }
    EXPECT_GT(failed, 50);
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleSchool,
                         ::testing::Values("gymnasium.sch", "grossschule.sch"));

} // namespace
} // namespace sw
