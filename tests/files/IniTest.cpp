// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Ini.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(IniFile, ReadsSectionsAndKeysWithoutTrimming) {
    const IniFile ini = IniFile::Parse("[A]\r\nName= Raum 1 \r\nEmpty=\r\nEq=a=b\r\n[B]\nX=1");
    EXPECT_EQ(ini.GetString("A", "Name"), " Raum 1 ");
    EXPECT_EQ(ini.GetString("A", "Eq"), "a=b");
    EXPECT_TRUE(ini.HasKey("A", "Empty"));
    EXPECT_EQ(ini.GetString("A", "Empty", "dflt"), "");
    EXPECT_EQ(ini.GetString("B", "X"), "1"); // LF line end and a last line without any end
    EXPECT_EQ(ini.GetString("A", "Missing", "dflt"), "dflt");
    EXPECT_EQ(ini.GetString("C", "X", "dflt"), "dflt");
    EXPECT_FALSE(ini.HasKey("B", "Name"));
    EXPECT_EQ(ini.SectionCount(), 2u);
}

TEST(IniFile, NamesCompareWithoutCaseAndTheFirstMatchWins) {
    IniFile ini = IniFile::Parse("[Raum_0]\r\nname=eins\r\nNAME=zwei\r\n[RAUM_0]\r\nKurz=R\r\n");
    EXPECT_TRUE(ini.HasSection("raum_0"));
    EXPECT_EQ(ini.GetString("raum_0", "Name"), "eins");
    EXPECT_FALSE(ini.HasKey("Raum_0", "Kurz")); // only in the second section of that name
    ini.SetString("RAUM_0", "Name", "drei");
    EXPECT_EQ(ini.Serialise(), "[Raum_0]\r\nname=drei\r\nNAME=zwei\r\n[RAUM_0]\r\nKurz=R\r\n");
}

TEST(IniFile, OtherLinesAreKeptButNeverRead) {
    const std::string text = "; Kopf\r\nLose=1\r\n[A]\r\n; Kommentar=1\r\nohne Gleich\r\n"
                             "=leer\r\n[B] Rest\r\n\r\n[kaputt\r\n";
    const IniFile ini = IniFile::Parse(text);
    EXPECT_EQ(ini.Serialise(), text);
    EXPECT_FALSE(ini.HasKey("A", "; Kommentar"));
    EXPECT_FALSE(ini.HasKey("", "Lose"));
    EXPECT_TRUE(ini.HasSection("B"));
    EXPECT_FALSE(ini.HasSection("kaputt"));
    EXPECT_EQ(ini.SectionCount(), 2u);
}

TEST(IniFile, WritesCrLfAndConvertsLf) {
    EXPECT_EQ(IniFile::Parse("[A]\nX=1\n\n").Serialise(), "[A]\r\nX=1\r\n\r\n");
    EXPECT_EQ(IniFile::Parse("").Serialise(), "");
    IniFile ini;
    ini.SetString("A", "X", "1");
    EXPECT_EQ(ini.Serialise(), "[A]\r\nX=1\r\n");
}

TEST(IniFile, SetReplacesInPlaceAppendsKeysToTheirSectionAndSectionsAtTheEnd) {
    IniFile ini = IniFile::Parse("[A]\r\nX=1\r\nY=2\r\n\r\n[B]\r\nZ=3\r\n");
    ini.SetString("A", "x", "10");
    ini.SetString("A", "New", "n");
    ini.SetString("C", "K", "");
    ini.SetString("B", "Z2", "4");
    EXPECT_EQ(ini.Serialise(), "[A]\r\nX=10\r\nY=2\r\nNew=n\r\n\r\n[B]\r\nZ=3\r\nZ2=4\r\n"
                               "[C]\r\nK=\r\n");
}

TEST(IniFile, EraseSectionRemovesEveryOccurrence) {
    IniFile ini = IniFile::Parse("[A]\r\nX=1\r\n[B]\r\nY=2\r\n[a]\r\nZ=3\r\n");
    ini.EraseSection("A");
    EXPECT_FALSE(ini.HasSection("A"));
    EXPECT_EQ(ini.GetString("B", "Y"), "2");
    EXPECT_EQ(ini.Serialise(), "[B]\r\nY=2\r\n");
    ini.EraseSection("none");
    ini.SetString("A", "X", "5"); // a new section again, at the end
    EXPECT_EQ(ini.Serialise(), "[B]\r\nY=2\r\n[A]\r\nX=5\r\n");
}

// A file people edit by hand: blanks, a byte-order mark, "#" comments and yes/no words.
TEST(IniFile, AHandEditedFileIsReadLeniently) {
    const std::string text = "\xEF\xBB\xBF[Planung]\r\nWeitersuchen = 0\r\n  A=0 \r\n"
                             "#B=1\r\n[ Options ]\r\nLaden=\tJa\r\nX= 12 \r\n";
    IniFile ini = IniFile::ReadHandEdited(text);
    EXPECT_FALSE(ini.GetFlag("Planung", "Weitersuchen", true));
    EXPECT_FALSE(ini.GetFlag("Planung", "A", true));
    EXPECT_FALSE(ini.HasKey("Planung", "#B"));
    EXPECT_TRUE(ini.GetFlag("Options", "Laden", false));
    EXPECT_EQ(ini.GetInt("Options", "X", 100), 12);
    EXPECT_EQ(ini.GetString("Options", "X"), "12");
    // Written back as read: the mark and the planner's blanks stay, only the value set changes.
    ini.SetString("Planung", "Weitersuchen", "1");
    EXPECT_EQ(ini.HandEditedBytes(),
              "\xEF\xBB\xBF[Planung]\r\nWeitersuchen =1\r\n  A=0 \r\n#B=1\r\n[ Options ]\r\n"
              "Laden=\tJa\r\nX= 12 \r\n");
    // A Windows-1252 file stays one.
    IniFile alt = IniFile::ReadHandEdited("[Help]\r\nPath=C:\\Schul\xFC\r\n");
    EXPECT_EQ(alt.GetString("Help", "Path"), "C:\\Schul\u00fc");
    EXPECT_EQ(alt.HandEditedBytes(), "[Help]\r\nPath=C:\\Schul\xFC\r\n");
}

TEST(IniFile, FlagsAreTheWordsPeopleWrite) {
    for (const char* yes : {"1", "true", "TRUE", " ja ", "Yes", "on", "wahr"})
        EXPECT_EQ(ParseFlag(yes), true) << yes;
    for (const char* no : {"0", "0 ", "false", "Nein", "NO", "off", "falsch"})
        EXPECT_EQ(ParseFlag(no), false) << no;
    for (const char* neither : {"", "2", "jein", "00"})
        EXPECT_EQ(ParseFlag(neither), std::nullopt) << neither;
    // The strict reading of the project file is unchanged: no blank is taken away.
    const IniFile strict = IniFile::Parse("[A]\r\nX = 1\r\n");
    EXPECT_FALSE(strict.HasKey("A", "X"));
    EXPECT_TRUE(strict.HasKey("A", "X "));
}

} // namespace
} // namespace sw
