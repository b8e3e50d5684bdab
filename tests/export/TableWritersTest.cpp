// SPDX-License-Identifier: GPL-3.0-or-later
// The three timetables of the small school of ExportSupport.h, written to a file and read back:
// rows and columns, headings, the lesson of each cell and its lines.
#include "export/TableWriters.h"
#include "export/DocxReader.h"
#include "export/ExportSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using namespace test;

// Writes one table through `write` into a fresh document and reads the file back.
template <typename Write> ReadTable WriteAndRead(Write write) {
    TempDir dir;
    NoOpener opener;
    CWord word(dir.File("t.docx"), DefaultFileOps(), opener);
    EXPECT_TRUE(word.Start());
    write(word);
    word.SetVisible(true);
    const ReadDocx docx = ReadDocxFile(word.Target());
    EXPECT_TRUE(docx.XmlErrors.empty());
    const auto tables = docx.Tables();
    EXPECT_EQ(tables.size(), 1u);
    return tables.empty() ? ReadTable{} : tables.front();
}

ReadTable Klasse(const CPlan& plan, int k, bool kurz) {
    return WriteAndRead([&](CWord& w) { KlassenTabelle(w, plan, k, kurz, kStandardLayout); });
}
ReadTable Lehrer(const CPlan& plan, int t, bool kurz, bool pseudo) {
    return WriteAndRead([&](CWord& w) { LehrerTabelle(w, plan, t, kurz, pseudo, 16); });
}
ReadTable Raum(const CPlan& plan, int r, bool kurz, bool pseudo) {
    return WriteAndRead([&](CWord& w) { RaumTabelle(w, plan, r, kurz, pseudo, 0); });
}

TEST(TimetableFrame, RowsColumnsAndHeadingsWithAndWithoutTheZerothHour) {
    for (bool nullte : {false, true}) {
        SCOPED_TRACE(nullte ? "0th hour" : "no 0th hour");
        auto school = MakeExportSchool(nullte);
        const ReadTable t = Klasse(*school->plan, k5a, false);
        ASSERT_EQ(t.Rows(), nullte ? 5u : 4u);
        ASSERT_EQ(t.Columns(), 3);
        EXPECT_EQ(t.At(1, 1), "");
        EXPECT_EQ(t.At(1, 2), "Montag");
        EXPECT_EQ(t.At(1, 3), "Dienstag");
        EXPECT_EQ(t.At(2, 1), nullte ? "0" : "1");
        EXPECT_EQ(t.At(static_cast<int>(t.Rows()), 1), "3");
        // Erdkunde stands at Montag 0 with the 0th hour, else at Montag 1: always row 2.
        EXPECT_EQ(t.At(2, 2), "Erdkunde\nJürgen Müller\nAula");
        EXPECT_EQ(t.WidthType, "pct");
        EXPECT_EQ(t.Width, 5000);
    }
}

TEST(TimetableFrame, ZerothHourRowStaysEmptyWithoutLessons) {
    auto school = MakeExportSchool(true);
    const ReadTable t = Klasse(*school->plan, k6u, false);
    EXPECT_EQ(t.At(2, 1), "0");
    EXPECT_EQ(t.At(2, 2), "");
    EXPECT_EQ(t.At(2, 3), "");
    EXPECT_EQ(t.At(4, 3), "Französisch\nAnna Weiß\nPhysiksaal Süd"); // Dienstag 2
}

TEST(ClassTable, SubjectTeacherRoomAndCoursesWithoutTeacher) {
    auto school = MakeExportSchool(false);
    const CPlan& plan = *school->plan;
    const ReadTable lang = Klasse(plan, k5a, false);
    EXPECT_EQ(lang.At(2, 2), "Erdkunde\nJürgen Müller\nAula");
    EXPECT_EQ(lang.At(2, 3), "Religion ökumenisch\n\nKunstraum");
    // A course held in two rooms shows the first room in room order.
    EXPECT_EQ(lang.At(4, 2), "Sport\n\nPhysiksaal Süd");
    EXPECT_EQ(lang.At(3, 2), "");
    EXPECT_EQ(lang.At(3, 3), "");

    const ReadTable kurz = Klasse(plan, k5a, true);
    EXPECT_EQ(kurz.At(2, 2), "Erdkunde\nMü\nAu");
    EXPECT_EQ(kurz.At(2, 3), "Rel\n\nKu");
    EXPECT_EQ(kurz.At(4, 2), "Sp\n\nPhS");

    const ReadTable k6 = Klasse(plan, k6u, true);
    EXPECT_EQ(k6.At(2, 3), ""); // the Religion course is not 6ü's
    EXPECT_EQ(k6.At(3, 3), "Französisch\nWß\nPhS");
    EXPECT_EQ(k6.At(4, 3), "Französisch\nWß\nPhS");
}

TEST(TeacherTable, ACourseNamesItsClassesAndAPseudoCourseItsOnlyClassWhenAsked) {
    auto school = MakeExportSchool(false);
    const CPlan& plan = *school->plan;
    EXPECT_EQ(Lehrer(plan, kOeztuerk, false, true).At(2, 3), "Religion ökumenisch\n5a\nKunstraum");
    EXPECT_EQ(Lehrer(plan, kOeztuerk, false, false).At(2, 3), "Religion ökumenisch\n\nKunstraum");
    EXPECT_EQ(Lehrer(plan, kOeztuerk, true, true).At(2, 3), "Rel\n5a\nKu");
    // A course of two classes names both, whatever the switch.
    EXPECT_EQ(Lehrer(plan, kWeiss, false, true).At(4, 2), "Sport\n5a, 6ü\nPhysiksaal Süd");
    EXPECT_EQ(Lehrer(plan, kWeiss, true, false).At(4, 2), "Sp\n5a, 6ü\nPhS");
    EXPECT_EQ(Lehrer(plan, kWeiss, true, true).At(3, 3), "Französisch\n6ü\nPhS");
}

TEST(TeacherTable, ACourseTeacherSeesTheRoomHeTeachesIn) {
    auto school = MakeExportSchool(false);
    const CPlan& plan = *school->plan;
    // Müller's Sport hour stands in the Aula; Weiß's parallel hour in Physiksaal Süd comes
    // first in room order but is not where Müller teaches.
    EXPECT_EQ(Lehrer(plan, kMueller, false, true).At(4, 2), "Sport\n5a, 6ü\nAula");
    const Fund f = FindeLehrerStunde(plan, kMueller, SlotOf(0, 3));
    ASSERT_TRUE(f);
    EXPECT_EQ(f.Raum, kAula);
    EXPECT_EQ(f.Stunde->Lehrer, kMueller);
    EXPECT_FALSE(FindeLehrerStunde(plan, kMueller, SlotOf(1, 1)));
}

TEST(TeacherTable, ParallelHourCountsWhenTheTeachersOwnHourStandsNowhere) {
    auto school = MakeExportSchool(false);
    CPlan& plan = *school->plan;
    plan.Lift(kAula, SlotOf(0, 3)); // Müller's Sport hour leaves the grid, Weiß's stays
    const Fund f = FindeLehrerStunde(plan, kMueller, SlotOf(0, 3));
    ASSERT_TRUE(f);
    EXPECT_EQ(f.Raum, kPhysik);
    EXPECT_EQ(f.Stunde->Lehrer, kWeiss);
}

TEST(RoomTable, TeacherAndClassLinesAndThePseudoRule) {
    auto school = MakeExportSchool(false);
    const CPlan& plan = *school->plan;
    EXPECT_EQ(Raum(plan, kAula, false, true).At(2, 2), "Erdkunde\nJürgen Müller\n5a");
    EXPECT_EQ(Raum(plan, kAula, true, true).At(2, 2), "Erdkunde\nMü\n5a");
    EXPECT_EQ(Raum(plan, kKunst, false, true).At(2, 3), "Religion ökumenisch\nBernd Öztürk\n5a");
    EXPECT_EQ(Raum(plan, kKunst, true, false).At(2, 3), "Rel\nÖz");
    // Each room shows its own teacher of the course, and no class for a course of two.
    EXPECT_EQ(Raum(plan, kPhysik, false, true).At(4, 2), "Sport\nAnna Weiß");
    EXPECT_EQ(Raum(plan, kAula, false, true).At(4, 2), "Sport\nJürgen Müller");
    const ReadTable kunst = Raum(plan, kKunst, false, true);
    EXPECT_EQ(kunst.At(2, 2), "");
    EXPECT_EQ(kunst.At(4, 3), "");
}

TEST(CellText, NoLessonGivesAnEmptyCell) {
    auto school = MakeExportSchool(false);
    const CPlan& plan = *school->plan;
    EXPECT_FALSE(FindeKlassenStunde(plan, k6u, SlotOf(0, 1)));
    EXPECT_FALSE(FindeRaumStunde(plan, kKunst, SlotOf(0, 1)));
    EXPECT_FALSE(FindeRaumStunde(plan, 99, SlotOf(0, 1)));
    EXPECT_EQ(KlassenZelle(plan, {}, false), "");
    EXPECT_EQ(LehrerZelle(plan, {}, false, true), "");
    EXPECT_EQ(RaumZelle(plan, {}, false, true), "");
}

} // namespace
} // namespace sw
