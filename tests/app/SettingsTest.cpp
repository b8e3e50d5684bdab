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

// The file is edited by hand: "Weitersuchen = 0", "0 ", "false" or a byte-order mark all read as
// off (they all read as on before), and the three limit options are remembered beside it.
TEST(Settings, HandEditedValuesAreUnderstood) {
    test::TempDir dir;
    FileOps& files = DefaultFileOps();
    const std::string config = dir.File("config.ini");
    for (const char* text : {"[Planung]\r\nWeitersuchen = 0\r\n", "[Planung]\nWeitersuchen=0 \n",
                             "[planung]\r\nweitersuchen=False\r\n",
                             "\xEF\xBB\xBF[Planung]\r\nWeitersuchen=nein\r\n"}) {
        test::WriteFileBytes(config, text);
        EXPECT_FALSE(ReadPlanungsEinstellungen(files, config).Weitersuchen) << text;
    }
    test::WriteFileBytes(config, "[Planung]\r\nWeitersuchen=vielleicht\r\nKursUeberStundenLimit="
                                 " ja\r\nMehrfachUeberStundenLimit=1\r\n");
    const PlanungsEinstellungen s = ReadPlanungsEinstellungen(files, config);
    EXPECT_TRUE(s.Weitersuchen) << "a word that is no yes or no keeps the default";
    EXPECT_TRUE(s.KursUeberStundenLimit);
    EXPECT_FALSE(s.MehrfachKursUeberStundenLimit);
    EXPECT_TRUE(s.MehrfachUeberStundenLimit);
    // Writing leaves what already reads right in the planner's words.
    ASSERT_TRUE(WritePlanungsEinstellungen(
        files, config, {.Weitersuchen = true, .MehrfachKursUeberStundenLimit = true}));
    EXPECT_EQ(test::ReadFileBytes(config),
              "[Planung]\r\nWeitersuchen=1\r\nKursUeberStundenLimit=0\r\n"
              "MehrfachUeberStundenLimit=0\r\nMehrfachKursUeberStundenLimit=1\r\n");
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
