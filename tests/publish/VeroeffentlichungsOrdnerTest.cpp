// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/VeroeffentlichungsOrdner.h"

#include "publish/Webseite.h"
#include "support/Disk.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::Names;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

TEST(VeroeffentlichungsOrdner, ReplacesAndRemovesOnlyWhatItWrote) {
    TempDir dir;
    WriteFileBytes(dir.File("notizen.txt"), "meins");
    {
        VeroeffentlichungsOrdner o(dir.Path().string());
        ASSERT_TRUE(o.Oeffnen());
        ASSERT_TRUE(o.Schreibe("a.html", "A1"));
        ASSERT_TRUE(o.Schreibe("alt.html", "weg"));
        ASSERT_TRUE(o.Schreibe("index.html", "I1"));
        ASSERT_TRUE(o.Abschluss());
    }
    VeroeffentlichungsOrdner o(dir.Path().string());
    ASSERT_TRUE(o.Oeffnen());
    EXPECT_EQ(o.Frueher(), (std::vector<std::string>{"a.html", "alt.html", "index.html"}));
    ASSERT_TRUE(o.Schreibe("a.html", "A2"));
    ASSERT_TRUE(o.Schreibe("index.html", "I2"));
    // A file of the school's own is never taken over.
    EXPECT_FALSE(o.Schreibe("notizen.txt", "x"));
    EXPECT_EQ(o.Fehler(), "Die Datei „notizen.txt“ im Ordner „" + dir.Path().string() +
                              "“ stammt nicht von Stundenwerk und wird nicht überschrieben. "
                              "Wählen Sie einen leeren Ordner oder einen, in den Stundenwerk "
                              "schon veröffentlicht hat.");
    for (const char* name : {"../a.html", ".versteckt", "", kVeroeffentlichtListe})
        EXPECT_FALSE(o.Schreibe(name, "x")) << name;
    ASSERT_TRUE(o.Abschluss());
    EXPECT_EQ(Names(dir), (std::set<std::string>{kVeroeffentlichtListe, "a.html", "index.html",
                                                 "notizen.txt"}));
    EXPECT_EQ(ReadFileBytes(dir.File("a.html")), "A2");
    EXPECT_EQ(ReadFileBytes(dir.File("notizen.txt")), "meins");
    EXPECT_EQ(ReadFileBytes(dir.File(kVeroeffentlichtListe)),
              "# Von Stundenwerk veröffentlichte Dateien: nur diese werden ersetzt oder "
              "entfernt.\na.html\nindex.html\n");
}

TEST(VeroeffentlichungsOrdner, AnUnfinishedRunLeavesTheFolderAsItWas) {
    TempDir dir;
    {
        VeroeffentlichungsOrdner o(dir.File("neu"));
        ASSERT_TRUE(o.Oeffnen());
        ASSERT_TRUE(o.Schreibe("a.html", "A"));
        ASSERT_TRUE(o.Schreibe("index.html", "I"));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("neu")));
}

TEST(VeroeffentlichungsOrdner, SaysWhyAFolderCannotBeUsed) {
    TempDir dir;
    WriteFileBytes(dir.File("datei"), "x");
    const std::pair<std::string, std::string> faelle[] = {
        {dir.File("datei"), "„" + dir.File("datei") +
                                "“ ist kein Ordner. Wählen Sie einen Ordner für die "
                                "veröffentlichten Seiten."},
        {dir.File("datei/web"), "Der Ordner „" + dir.File("datei/web") +
                                    "“ kann nicht angelegt werden:\n" + SystemReason(ENOTDIR)},
        {"", "Es ist kein Ordner zum Veröffentlichen angegeben."},
    };
    for (const auto& [pfad, text] : faelle) {
        VeroeffentlichungsOrdner o(pfad);
        EXPECT_FALSE(o.Oeffnen());
        EXPECT_EQ(o.Fehler(), text);
    }
}

TEST(VeroeffentlichungsOrdner, ASiteOverForeignFilesIsRefusedWhole) {
    test::PlanFixture f;
    f.s = test::MakeSchool(2, 3, 2, 2, 2, 2);
    test::AddBlock(f.s, "L0", "K0", "F0", {1, 1});
    f.Build();
    TempDir dir;
    WriteFileBytes(dir.File("index.html"), "die Startseite der Schule");
    CapturingReporter rep;
    EXPECT_FALSE(
        Veroeffentliche(*f.plan, WebseitenOptionen::Alle(*f.plan), dir.Path().string(), {}, rep)
            .Ok);
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0].Title, "Fehler");
    EXPECT_NE(rep.shown[0].Text.find("„index.html“"), std::string::npos);
    EXPECT_EQ(Names(dir), std::set<std::string>{"index.html"});
    EXPECT_EQ(ReadFileBytes(dir.File("index.html")), "die Startseite der Schule");

    // In a folder of its own, a substitution page of an earlier run stays and is linked.
    TempDir web;
    ASSERT_TRUE(Veroeffentliche(*f.plan, WebseitenOptionen::Alle(*f.plan), web.Path().string(),
                                {{"vertretung-2027-03-15.html", "V"}}, rep)
                    .Ok);
    ASSERT_TRUE(Veroeffentliche(*f.plan, WebseitenOptionen{}, web.Path().string(), {}, rep).Ok);
    EXPECT_EQ(ReadFileBytes(web.File("vertretung-2027-03-15.html")), "V");
    EXPECT_FALSE(std::filesystem::exists(web.File("klasse-k0.html")));
    EXPECT_NE(ReadFileBytes(web.File("index.html")).find("href=\"vertretung-2027-03-15.html\""),
              std::string::npos);
}

} // namespace
} // namespace sw
