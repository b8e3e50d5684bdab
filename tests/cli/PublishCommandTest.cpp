// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::RunTool;
using test::ToolRun;

const std::string kPlan = test::SourcePath("tests/files/data/klein.pdt");

TEST(PublishCommand, RefusesWhatIsNoPartOfThePlan) {
    test::TempDir dir;
    const std::string web = " -o " + dir.File("web");
    const std::pair<std::string, std::string> faelle[] = {
        {" --vertretung 2027-03-15 --abwesend XY",
         "Unbekannter Lehrer: XY. Geben Sie den Namen oder die Kurzform eines Lehrers des Plans "
         "an.\n"},
        {" --vertretung 2027-03-13",
         "Samstag, 13. März 2027 ist kein Schultag dieses Plans (Montag bis Freitag).\n"},
        {" --vertretung 2027-02-30",
         "Ungültiges Datum: 2027-02-30 (erwartet JJJJ-MM-TT, z. B. 2027-03-15)\n"},
        {" --classes 5a,Q", "Unbekannt (Klasse): Q\n"},
        {" --von 2027-02-01", "--von und --bis gelten nur mit --ics.\n"},
        {" --ics --bis 2027-07-32",
         "Ungültiges Datum: 2027-07-32 (erwartet JJJJ-MM-TT, z. B. 2027-03-15)\n"},
    };
    for (const auto& [args, text] : faelle) {
        const ToolRun r = RunTool("publish " + kPlan + web + args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, text) << args;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("web")));
}

TEST(PublishCommand, WritesTheSiteWithTheSubstitutionPageAndKeepsForeignFiles) {
    test::TempDir dir;
    const std::string web = dir.File("web");
    ToolRun r = RunTool("publish " + kPlan + " -o " + web +
                        " --classes 5a --vertretung 2027-03-15 --abwesend 'Anna Müller'");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "9 Dateien nach " + web + " veröffentlicht (" + web + "/index.html).\n");
    const std::string seite = test::ReadFileBytes(web + "/vertretung-2027-03-15.html");
    EXPECT_NE(seite.find("<h2>Fehlende Lehrer:</h2>\n<ul>\n<li>Anna Müller</li>\n</ul>"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(web + "/klasse-5b.html"));

    // Over a file of the school's own: refused, the file and the site stay as they were.
    test::WriteFileBytes(web + "/klasse-5b.html", "eigene Seite");
    r = RunTool("publish " + kPlan + " -o " + web);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("Fehler: Die Datei „klasse-5b.html“ im Ordner „" + web +
                              "“ stammt nicht von Stundenwerk",
                          0),
              0u)
        << r.out;
    EXPECT_EQ(test::ReadFileBytes(web + "/klasse-5b.html"), "eigene Seite");
    EXPECT_TRUE(std::filesystem::exists(web + "/vertretung-2027-03-15.html"));
}

// Calendars, PDF, workbook and CSV go in with the pages in one run; a later run without them
// removes them, as it removes every page it no longer writes.
TEST(PublishCommand, WritesCalendarsPdfAndTablesBesideThePages) {
    test::TempDir dir;
    const std::string web = dir.File("web");
    ToolRun r = RunTool("publish " + kPlan + " -o " + web +
                        " --classes 5a --ics --von 2027-02-01 --bis 2027-07-15 --pdf --xlsx --csv");
    ASSERT_EQ(r.status, 0) << r.out;
    for (const char* name : {"klasse-5a.html", "klasse-5a.ics", "stundenplan.pdf",
                             "stundenplan.xlsx", "klasse-5a.csv", "uebersicht.csv"})
        EXPECT_TRUE(std::filesystem::exists(web + "/" + name)) << name;
    EXPECT_NE(test::ReadFileBytes(web + "/klasse-5a.ics").find("RRULE:FREQ=WEEKLY"),
              std::string::npos);
    r = RunTool("publish " + kPlan + " -o " + web + " --classes 5a");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_FALSE(std::filesystem::exists(web + "/klasse-5a.ics"));
    // Without a term the calendars are refused and nothing is written.
    r = RunTool("publish " + kPlan + " -o " + dir.File("leer") + " --ics");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir.File("leer") + "/index.html"));
}

} // namespace
} // namespace sw
