// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Settings.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(Settings, TheSearchIsOnUnlessTheFileSaysOtherwise) {
    test::TempDir dir;
    FileOps& files = DefaultFileOps();
    const std::string config = dir.File("config.ini");
    EXPECT_TRUE(ReadPlanungsEinstellungen(files, config).Weitersuchen) << "no file";
    test::WriteFileBytes(config, "[Options]\r\nLaden=1\r\n");
    EXPECT_TRUE(ReadPlanungsEinstellungen(files, config).Weitersuchen) << "no key";
    test::WriteFileBytes(config, "[Planung]\r\nWeitersuchen=0\r\n");
    EXPECT_FALSE(ReadPlanungsEinstellungen(files, config).Weitersuchen);
    // A folder in the file's place reads as the defaults.
    EXPECT_TRUE(ReadPlanungsEinstellungen(files, dir.Path().string()).Weitersuchen);
}

TEST(Settings, WritingKeepsTheOtherOptionsOfTheFile) {
    test::TempDir dir;
    FileOps& files = DefaultFileOps();
    const std::string config = dir.File("config.ini");
    test::WriteFileBytes(config, "[Options]\r\nLaden=1\r\n[Form1]\r\nForm1_L=40\r\n");
    ASSERT_TRUE(WritePlanungsEinstellungen(files, config, {.Weitersuchen = false}));
    EXPECT_EQ(test::ReadFileBytes(config),
              "[Options]\r\nLaden=1\r\n[Form1]\r\nForm1_L=40\r\n[Planung]\r\nWeitersuchen=0\r\n");
    ASSERT_TRUE(WritePlanungsEinstellungen(files, config, {.Weitersuchen = true}));
    EXPECT_EQ(test::ReadFileBytes(config),
              "[Options]\r\nLaden=1\r\n[Form1]\r\nForm1_L=40\r\n[Planung]\r\nWeitersuchen=1\r\n");
    EXPECT_TRUE(ReadPlanungsEinstellungen(files, config).Weitersuchen);
}

TEST(Settings, AFileThatCannotBeReadIsNotOverwritten) {
    test::TempDir dir;
    FileOps& files = DefaultFileOps();
    // A folder where the file should be: neither readable nor replaceable.
    EXPECT_FALSE(WritePlanungsEinstellungen(files, dir.Path().string(), {.Weitersuchen = false}));
    const std::string missing = dir.File("gibt/es/nicht/config.ini");
    EXPECT_FALSE(WritePlanungsEinstellungen(files, missing, {.Weitersuchen = false}));
}

} // namespace
} // namespace sw
