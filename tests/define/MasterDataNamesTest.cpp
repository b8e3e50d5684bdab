// SPDX-License-Identifier: GPL-3.0-or-later
// The input rules of the name windows, upper case and the lock-grid mapping.
#include "define/MasterData.h"

#include "MasterDataSchool.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(CleanName, CutsTrimsAndEmptiesReservedCharacters) {
    EXPECT_EQ(CleanName("  Bio  "), "Bio");
    EXPECT_EQ(CleanName("a/b"), "");
    EXPECT_EQ(CleanName("/"), "");
    EXPECT_EQ(CleanName("50%"), "");
    EXPECT_EQ(CleanName("Kunst, Musik"), "") << "a list separator of the project file";
    EXPECT_EQ(CleanName("_"), "");
    EXPECT_EQ(CleanName("  _ "), "") << "trimmed to a single underscore";
    EXPECT_EQ(CleanName("__"), "__");
    EXPECT_EQ(CleanName("a_b"), "a_b");
    EXPECT_EQ(CleanName(""), "");
    EXPECT_EQ(CleanName("   "), "");
    // The cut comes before the trim: blanks inside the first characters stay out.
    EXPECT_EQ(CleanName("ab   cd", 4), "ab");
    // A slash after the cut does not count.
    EXPECT_EQ(CleanName("abcdef/", 5), "abcde");
}

TEST(CleanName, CountsCharactersNotBytes) {
    const std::string umlaute = "äöüÄÖÜß"; // 7 characters, 14 bytes
    EXPECT_EQ(CleanName(umlaute, 5), "äöüÄÖ");
    EXPECT_EQ(CleanName(std::string(120, 'x')), std::string(100, 'x'));
    EXPECT_EQ(CleanName(std::string(99, 'x') + "éé"), std::string(99, 'x') + "é");
}

TEST(UpperName, UpperCasesAsciiAndWindowsLatinLetters) {
    EXPECT_EQ(UpperName("mathe 5b"), "MATHE 5B");
    EXPECT_EQ(UpperName("ärger öde übel"), "ÄRGER ÖDE ÜBEL");
    EXPECT_EQ(UpperName("straße"), "STRAßE");
    EXPECT_EQ(UpperName("éàçñøþ"), "ÉÀÇÑØÞ");
    EXPECT_EQ(UpperName("÷"), "÷");
    EXPECT_EQ(UpperName("ÿšœž"), "ŸŠŒŽ");
    EXPECT_EQ(UpperName("€ x"), "€ X");
    EXPECT_TRUE(SameName("Bio", "BIO"));
    EXPECT_TRUE(SameName("öko", "ÖKO"));
    EXPECT_FALSE(SameName("BIO", "BIO "));
}

// The dialogs of subjects, rooms, classes and courses took a name with a no-break space or a
// character Windows-1252 lacks; the school could then not be saved. Each refuses it, naming
// the character.
TEST(NameDialogs, RefuseANameNoFileCanHold) {
    Stammdaten d = test::MasterSchool();
    const Stammdaten before = d;
    MasterDataEditor ed(d);
    test::ScriptedReporter rep;
    const std::string nbsp = " enthält an der 2. Stelle ein geschütztes Leerzeichen (U+00A0).";
    EXPECT_FALSE(ed.NewSubject("b\u00A0k", rep).Geaendert);
    EXPECT_FALSE(ed.RenameRoom(0, {"r\u00A01", "R1"}, rep).Geaendert);
    EXPECT_FALSE(ed.NewClass("5\u00A0c", rep).Geaendert);
    EXPECT_FALSE(ed.NewCourse({"k\u00A0x", "KX", "2"}, rep).Geaendert);
    EXPECT_EQ(rep.shown,
              (std::vector<Message>{
                  {"Ungültige Fachbezeichnung!\n\nDas Fach \"B\u00A0K\"" + nbsp, "Fehler"},
                  {"Ungültige Raum - Bezeichnung!\n\nDer Raum \"R\u00A01\"" + nbsp, "Fehler"},
                  {"Ungültige Klassenbezeichnung!\n\nDie Klasse \"5\u00A0c\"" + nbsp, "Fehler"},
                  {"Ungültige Kursbezeichnung!\n\nDer Kurs \"K\u00A0X\"" + nbsp, "Fehler"}}));
    EXPECT_EQ(d, before);
}

TEST(LockGridCells, RectangleGivesTheSlotsOfTheWeekInUse) {
    AllgemeineAngaben a;
    a.Tage = 3;
    a.Stunden = 4;
    EXPECT_EQ(SlotsOfRectangle(a, {2, 3}, {1, 2}),
              (std::vector<int>{SlotOf(0, 2), SlotOf(1, 2), SlotOf(0, 3), SlotOf(1, 3)}));
    // Heading cells and cells beyond the week are left out.
    EXPECT_EQ(SlotsOfRectangle(a, {0, 0}, {1, 1}), (std::vector<int>{SlotOf(0, 1)}));
    EXPECT_EQ(SlotsOfRectangle(a, {3, 4}, {5, 6}), (std::vector<int>{SlotOf(2, 4)}));
    a.Nullte = true;
    EXPECT_EQ(SlotsOfRectangle(a, {1, 1}, {1, 2}), (std::vector<int>{SlotOf(0, 0), SlotOf(0, 1)}));
}

TEST(LockGridCells, TextsShowDayHeadsHourNumbersAndCrosses) {
    AllgemeineAngaben a;
    a.Tage = 2;
    a.Stunden = 2;
    a.TagNamen = {"Montag", "Über"};
    LockGrid g = FreeGrid();
    g[SlotOf(1, 2)] = 1;
    g[SlotOf(0, 0)] = 1; // kept, not shown without the 0th hour
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(LockGridTexts(a, g), (Rows{{"", "Mo", "Üb"}, {"1", "", ""}, {"2", "", "X"}}));
    a.Nullte = true;
    EXPECT_EQ(LockGridTexts(a, g),
              (Rows{{"", "Mo", "Üb"}, {"0", "X", ""}, {"1", "", ""}, {"2", "", "X"}}));
}

} // namespace
} // namespace sw
