// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Cells.h"
#include "exchange/Csv.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

// A unit's time and flags are written as words and read back to the same unit.
TEST(Cells, PresetsReadBackAsWritten) {
    struct Case {
        const char* text;
        int slot;
        Flag oben, unten, tagesLimit, urPlan;
        int tag;
    };
    const Case cases[] = {
        {"-", kNoSlot, 0, 0, 0, 0, -1},
        {"Mo 3", SlotOf(0, 3), 0, 0, 0, 0, -1},
        {"So 0 Urplan", SlotOf(6, 0), 0, 0, 0, 1, -1},
        {"bis 5", SlotOf(0, 5), 1, 0, 0, 0, -1},
        {"ab Di 2 nur Fr", SlotOf(1, 2), 0, 1, 1, 0, 4},
        {"Tag Mi", kNoSlot, 0, 0, 0, 0, 2},
        {"bis", kNoSlot, 1, 0, 0, 0, -1},
    };
    for (const Case& c : cases) {
        CEinheit e(2, kNoSlot);
        ASSERT_EQ(cells::ParsePreset(c.text, e), std::nullopt) << c.text;
        EXPECT_EQ(e.Zeitvorgabe, c.slot) << c.text;
        EXPECT_EQ(e.OberesLimit, c.oben) << c.text;
        EXPECT_EQ(e.UnteresLimit, c.unten) << c.text;
        EXPECT_EQ(e.TagesLimit, c.tagesLimit) << c.text;
        EXPECT_EQ(e.NurUrPlan, c.urPlan) << c.text;
        EXPECT_EQ(e.Tag, c.tag) << c.text;
        EXPECT_EQ(cells::PresetText(e), c.text);
    }
    // Typed by hand: any case, full day names, extra blanks.
    CEinheit e;
    ASSERT_EQ(cells::ParsePreset("  URPLAN  montag 4 ", e), std::nullopt);
    EXPECT_EQ(cells::PresetText(e), "Mo 4 Urplan");
    EXPECT_EQ(cells::ParsePreset("Mo 3 Di 4", e), "„Mo 3 Di 4“ nennt mehr als eine Zeit.");
    EXPECT_EQ(cells::ParsePreset("Mo 13", e), "„13“ ist keine Stunde (0 bis 12).");
    EXPECT_EQ(cells::ParsePreset("nur", e), "Nach „nur“ fehlt der Tag („nur“).");
}

TEST(Cells, HoursAreWrittenAsRanges) {
    EXPECT_EQ(cells::HoursText({0, 1, 2, 3, 5, 7, 8}), "0-3,5,7-8");
    const auto read = cells::ParseHours(" 5 , 1-3,2 ");
    ASSERT_TRUE(std::holds_alternative<std::vector<int>>(read));
    EXPECT_EQ(std::get<std::vector<int>>(read), (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(std::get<std::string>(cells::ParseHours("3-1")),
              "„3-1“ ist keine Liste von Stunden wie „1-3,5“ (Stunden 0 bis 12).");
}

TEST(Csv, KeepsTheLineOfEveryRow) {
    const auto table = csv::Parse("\r\nA;B\r\n1;\"x\r\ny\"\r\n\r\n2;\"a;b\"\n;;\n3");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->HeadingLine, 2);
    ASSERT_EQ(table->Rows.size(), 3U);
    EXPECT_EQ(table->Rows[0].Line, 3);
    EXPECT_EQ(table->Rows[0].Cells[1], "x\r\ny");
    EXPECT_EQ(table->Rows[1].Line, 6);
    EXPECT_EQ(table->Rows[1].Cells[1], "a;b");
    EXPECT_EQ(table->Rows[2].Line, 8);
    // The writer quotes exactly what the reader would otherwise split or trim.
    EXPECT_EQ(csv::Write({{"a;b", " c", "d\"e", "f,g"}}),
              "\xEF\xBB\xBF\"a;b\";\" c\";\"d\"\"e\";f,g\r\n");
}

} // namespace
} // namespace sw
