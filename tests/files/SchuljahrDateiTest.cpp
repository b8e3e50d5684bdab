// SPDX-License-Identifier: GPL-3.0-or-later
// The times of the hours and the school year in the project file.
#include "files/ProjectFile.h"
#include "files/StreamFile.h"
#include "support/Disk.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

Stammdaten YearSchool() {
    Stammdaten s = test::MakeSchool(5, 3, 1, 1, 1, 1);
    s.Angaben.Nullte = true;
    s.Angaben.StundenZeiten = {{7 * 60 + 5, 7 * 60 + 50},
                               {8 * 60, 8 * 60 + 45},
                               {8 * 60 + 50, 9 * 60 + 35},
                               {9 * 60 + 55, 10 * 60 + 40}};
    s.Angaben.Schuljahr = {
        *Datum::Lies("2026-09-01"),
        *Datum::Lies("2027-07-15"),
        {{*Datum::Lies("2026-10-26"), *Datum::Lies("2026-10-31"), "Herbstferien"},
         {*Datum::Lies("2026-12-21"), *Datum::Lies("2027-01-02"), "Weihnachten, Neujahr"}}};
    return s;
}

TEST(SchuljahrDatei, RoundTripsAndLeavesFilesWithoutItAsTheyWere) {
    TempDir dir;
    const std::string path = dir.File("jahr.sch");
    const Stammdaten school = YearSchool();
    ASSERT_TRUE(SaveProject(school, path, DefaultFileOps()).Ok);
    const std::string bytes = ReadFileBytes(path);
    EXPECT_NE(bytes.find("Stundenzeiten=07:05-07:50,08:00-08:45,08:50-09:35,09:55-10:40,\r\n"
                         "SchuljahrBeginn=2026-09-01\r\nSchuljahrEnde=2027-07-15\r\nFerienNo=2\r\n"
                         "Ferien_0=2026-10-26,2026-10-31,Herbstferien\r\n"
                         "Ferien_1=2026-12-21,2027-01-02,Weihnachten, Neujahr\r\n"),
              std::string::npos)
        << bytes;
    const ProjectReadResult r = OpenProject(path, DefaultFileOps());
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.data.Angaben, school.Angaben);

    Stammdaten plain = YearSchool();
    plain.Angaben.StundenZeiten.clear();
    plain.Angaben.Schuljahr = {};
    ASSERT_TRUE(SaveProject(plain, path, DefaultFileOps()).Ok);
    const std::string plainBytes = ReadFileBytes(path);
    for (const char* key : {"Stundenzeiten", "Schuljahr", "Ferien"})
        EXPECT_EQ(plainBytes.find(key), std::string::npos) << key;
}

// The master-data and plan files carry the school year too, so that a plan opened on its own
// publishes at the school's times; a file without it reads and writes as before.
TEST(SchuljahrDatei, StreamFilesCarryItAndRefuseABadDate) {
    TempDir dir;
    const std::string path = dir.File("jahr.sdt");
    ASSERT_TRUE(WriteStreamFile(YearSchool(), path, DefaultFileOps()).Ok);
    const std::string bytes = ReadFileBytes(path);
    EXPECT_NE(bytes.find("\r\nschuljahr\r\n2026-09-01\r\n2027-07-15\r\n2\r\n2026-10-26\r\n"),
              std::string::npos);
    StreamReadResult r = ReadStreamFile(path, DefaultFileOps(), false);
    ASSERT_TRUE(r.outcome.Ok) << r.outcome.Messages.front().Text;
    EXPECT_EQ(r.data.Angaben, YearSchool().Angaben);
    ASSERT_TRUE(WriteStreamFile(r.data, path, DefaultFileOps()).Ok);
    EXPECT_EQ(ReadFileBytes(path), bytes);

    WriteFileBytes(path, std::string(bytes).replace(bytes.find("2027-07-15"), 10, "2027-02-30"));
    r = ReadStreamFile(path, DefaultFileOps(), false);
    ASSERT_FALSE(r.outcome.Ok);
    const std::string& text = r.outcome.Messages.front().Text;
    EXPECT_NE(text.find("Das Datum \"2027-02-30\" ist kein Datum JJJJ-MM-TT."), std::string::npos)
        << text;

    Stammdaten plain = YearSchool();
    plain.Angaben.StundenZeiten.clear();
    plain.Angaben.Schuljahr = {};
    ASSERT_TRUE(WriteStreamFile(plain, path, DefaultFileOps()).Ok);
    EXPECT_EQ(ReadFileBytes(path).find("schuljahr"), std::string::npos);
}

TEST(SchuljahrDatei, RefusesBadValuesNamingTheKey) {
    TempDir dir;
    const std::string path = dir.File("jahr.sch");
    ASSERT_TRUE(SaveProject(YearSchool(), path, DefaultFileOps()).Ok);
    const std::string good = ReadFileBytes(path);
    const struct {
        const char* from;
        const char* to;
        const char* message;
    } rows[] = {
        {"07:05-07:50,", "07:05,",
         "Schlüssel Stundenzeiten: \"07:05\" ist keine Stundenzeit wie \"08:00-08:45\"."},
        {"07:05-07:50,", "",
         "Schlüssel Stundenzeiten: Es sind 3 Stundenzeiten angegeben; der Tag hat 4 Stunden."},
        {"08:50-09:35", "08:40-09:35",
         "Schlüssel Stundenzeiten: Die 2. Stunde beginnt um 08:40, bevor die Stunde davor um "
         "08:45 endet."},
        {"09:55-10:40", "09:55-09:55",
         "Schlüssel Stundenzeiten: Die 3. Stunde (09:55-09:55) endet nicht nach ihrem Beginn."},
        {"SchuljahrBeginn=2026-09-01", "SchuljahrBeginn=1.9.2026",
         "Schlüssel SchuljahrBeginn: \"1.9.2026\" ist kein Datum wie \"2026-09-01\"."},
        {"SchuljahrEnde=2027-07-15", "SchuljahrEnde=2026-07-15",
         "Schlüssel SchuljahrEnde: Das Schuljahr endet am 15.07.2026 vor seinem Beginn am "
         "01.09.2026."},
        {"SchuljahrBeginn=2026-09-01\r\n", "",
         "Schlüssel SchuljahrBeginn: Das Schuljahr braucht einen ersten und einen letzten Tag."},
        {"Ferien_0=2026-10-26,2026-10-31", "Ferien_0=2026-10-26,2026-10-21",
         "Schlüssel Ferien_0: Die Ferien „Herbstferien“ enden am 21.10.2026 vor ihrem Beginn am "
         "26.10.2026."},
        {"Ferien_1=2026-12-21,", "Ferien_1=2026-12-32,",
         "Schlüssel Ferien_1: \"2026-12-32,2027-01-02,Weihnachten, Neujahr\" sind keine Ferien "
         "wie \"2026-10-26,2026-10-31,Herbstferien\"."},
        {"FerienNo=2", "FerienNo=3", "Schlüssel Ferien_2: Der Schlüssel fehlt (FerienNo=3)."},
    };
    for (const auto& row : rows) {
        const auto at = good.find(row.from);
        ASSERT_NE(at, std::string::npos) << row.from;
        WriteFileBytes(path, std::string(good).replace(at, std::string(row.from).size(), row.to));
        const ProjectReadResult r = OpenProject(path, DefaultFileOps());
        ASSERT_FALSE(r.outcome.Ok) << row.to;
        EXPECT_EQ(r.outcome.Messages.front().Text, "Fehler beim Lesen der Datei " + path +
                                                       ":\nAbschnitt [AllgemeineAngaben], " +
                                                       row.message);
    }
}

} // namespace
} // namespace sw
