// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Text.h"
#include "model/Cp1252.h"
#include "model/Slot.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(Slot, IndexAndInverse) {
    EXPECT_EQ(SlotOf(0, 0), 0);
    EXPECT_EQ(SlotOf(1, 1), 14);
    EXPECT_EQ(SlotOf(6, 12), 90);
    EXPECT_EQ(DayOf(14), 1);
    EXPECT_EQ(HourOf(14), 1);
    EXPECT_EQ(kSlotCount, 91);
}

TEST(CutAtSeparator, TakesItemAndSeparator) {
    std::string s = "Deutsch,Mathe,";
    EXPECT_EQ(CutAtSeparator(s, ','), "Deutsch");
    EXPECT_EQ(s, "Mathe,");
    EXPECT_EQ(CutAtSeparator(s, ','), "Mathe");
    EXPECT_EQ(s, "");
}

TEST(CutAtSeparator, NoSeparatorGivesEmptyAndKeepsSource) {
    // "A,B" read with count 2 gives A and an empty second item; B stays in the value.
    std::string s = "A,B";
    EXPECT_EQ(CutAtSeparator(s, ','), "A");
    EXPECT_EQ(CutAtSeparator(s, ','), "");
    EXPECT_EQ(s, "B");
}

TEST(CutAtSeparator, WithoutRemoveLeavesSource) {
    std::string s = "x,y";
    EXPECT_EQ(CutAtSeparator(s, ',', false), "x");
    EXPECT_EQ(s, "x,y");
}

TEST(ReplaceAll, SearchesAgainFromStart) {
    EXPECT_EQ(ReplaceAll("Raum%%12", "%%", " "), "Raum 12");
    EXPECT_EQ(ReplaceAll("a%%%%b", "%%", " "), "a  b");
    // After "%%%" -> " %" no "%%" is left.
    EXPECT_EQ(ReplaceAll("%%%", "%%", " "), " %");
    // Searching from the start again finds pairs that a replacement creates.
    EXPECT_EQ(ReplaceAll("aab", "ab", "b"), "b");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(ParseInt, WholeIntegersOnly) {
    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt("-1"), -1);
    EXPECT_EQ(ParseInt("+7"), 7);
    EXPECT_FALSE(ParseInt(""));
    EXPECT_FALSE(ParseInt("4x"));
    EXPECT_FALSE(ParseInt("1.5"));
    EXPECT_FALSE(ParseInt("+-3"));
    EXPECT_FALSE(ParseInt("99999999999"));
}

TEST(ParseCount, CutsFractionsAndFallsBack) {
    EXPECT_EQ(ParseCount("12", 0), 12);
    EXPECT_EQ(ParseCount("3.7", 0), 3);
    EXPECT_EQ(ParseCount("-2.9", 0), -2);
    EXPECT_EQ(ParseCount("", 0), 0);
    EXPECT_EQ(ParseCount("abc", -1), -1);
    EXPECT_EQ(ParseCount("12abc", -1), -1);
}

// A number too large for 32 bits is not "no number": the readers refuse it as such.
TEST(ParseCount, TellsAnOverflowFromNoNumber) {
    EXPECT_TRUE(IsOverflowingNumber("99999999999999999999"));
    EXPECT_TRUE(IsOverflowingNumber("2147483648"));
    EXPECT_TRUE(IsOverflowingNumber("-2147483649.5"));
    EXPECT_TRUE(IsOverflowingNumber(" +3000000000 "));
    EXPECT_FALSE(IsOverflowingNumber("2147483647"));
    EXPECT_FALSE(IsOverflowingNumber("-2147483648"));
    EXPECT_FALSE(IsOverflowingNumber("99999999999x")); // no number at all
    EXPECT_FALSE(IsOverflowingNumber(""));
    EXPECT_EQ(ParseCount("2147483647", 0), 2147483647);
    EXPECT_EQ(ParseCount("2147483648", -1), -1);
}

TEST(ForMessage, MakesControlCharactersVisibleAndCutsLongTexts) {
    EXPECT_EQ(ForMessage(std::string("Hal\0le", 6)), "Hal\\x00le");
    EXPECT_EQ(ForMessage("a\tb\x7F"), "a\\x09b\\x7F");
    EXPECT_EQ(ForMessage("x\u0085y"), "x\\x85y"); // a C1 control in UTF-8
    EXPECT_EQ(ForMessage("Größe"), "Größe");
    EXPECT_EQ(ForMessage("äöüäöü", 4), "äöüä…"); // counted in characters, not bytes
    EXPECT_EQ(ForMessage(std::string(100, 'x')).size(), 60u + std::string("…").size());
}

// Windows-1252 stays Windows-1252; a file an editor saved as UTF-8 is recognised.
TEST(DecodeFileBytes, RecognisesUtf8AndKeepsWindows1252) {
    EXPECT_EQ(DecodeFileBytes("M\xFCller").Text, "Müller");
    EXPECT_FALSE(DecodeFileBytes("M\xFCller").WasUtf8);
    EXPECT_FALSE(DecodeFileBytes("plain ascii").WasUtf8);
    const FileText utf8 = DecodeFileBytes("M\xC3\xBCller");
    EXPECT_TRUE(utf8.WasUtf8);
    EXPECT_EQ(utf8.Text, "Müller");
    const FileText bom = DecodeFileBytes("\xEF\xBB\xBF[A]");
    EXPECT_TRUE(bom.WasUtf8);
    EXPECT_EQ(bom.Text, "[A]");
    // Malformed UTF-8 is Windows-1252 after all.
    EXPECT_EQ(DecodeFileBytes("\xC3\xBC\xFC").Text, "Ã¼ü");
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
    EXPECT_TRUE(IsValidUtf8("Grüße"));
    // Texts whose Windows-1252 bytes are themselves UTF-8.
    EXPECT_TRUE(ReadsAsUtf8("MÃ¼ller"));
    EXPECT_TRUE(ReadsAsUtf8("Ø€"));
    EXPECT_FALSE(ReadsAsUtf8("Müller"));
    EXPECT_FALSE(ReadsAsUtf8("Mueller"));
    EXPECT_FALSE(ReadsAsUtf8("Łódź")); // not in the code page at all
}

TEST(Cp1252, UmlautsAndEuro) {
    EXPECT_EQ(Cp1252ToUtf8("\xC4\xD6\xDC\xE4\xF6\xFC\xDF"), "ÄÖÜäöüß");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "€");
    EXPECT_EQ(Utf8ToCp1252("Bösartiger Fehler €"), std::string("B\xF6sartiger Fehler \x80"));
}

TEST(Cp1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const auto back = Utf8ToCp1252(Cp1252ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one);
    }
}

TEST(Cp1252, RefusesWhatTheCodePageCannotCarry) {
    EXPECT_FALSE(Utf8ToCp1252("Łódź"));         // Polish letters outside the code page
    EXPECT_FALSE(Utf8ToCp1252("\xC3"));         // truncated sequence
    EXPECT_FALSE(Utf8ToCp1252("\xC0\xAF"));     // overlong form
    EXPECT_FALSE(Utf8ToCp1252("\xED\xA0\x80")); // surrogate
    EXPECT_FALSE(IsCp1252Representable("😀"));
    EXPECT_TRUE(IsCp1252Representable("Größe"));
}

TEST(Anzahl, SingularForExactlyOne) {
    EXPECT_EQ(Anzahl(1, "Raum", "Räume"), "1 Raum");
    EXPECT_EQ(Anzahl(0, "Raum", "Räume"), "0 Räume");
    EXPECT_EQ(Anzahl(2, "Versuch", "Versuche"), "2 Versuche");
    EXPECT_EQ(Anzahl(-1, "Tag", "Tage"), "-1 Tage");
}

} // namespace
} // namespace sw
