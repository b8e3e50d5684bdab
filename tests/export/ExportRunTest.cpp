// SPDX-License-Identifier: GPL-3.0-or-later
// The export run: order, headings, new pages, progress, orientation and every way it can end.
#include "export/ExportRun.h"
#include "export/DocxReader.h"
#include "export/ExportSupport.h"
#include "files/PlanFile.h"
#include "files/ProjectFile.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace sw {
namespace {

using namespace test;

struct ExportLauf {
    TempDir dir;
    RecordingOpener opener;
    RecordingObserver observer;
    CapturingReporter reporter;
    ExportErgebnis ergebnis;
    std::string target;

    ExportLauf(const CPlan& plan, const ExportOptionen& o, FileOps& files = DefaultFileOps(),
               const std::string& name = "plaene.docx")
        : target(dir.File(name)) {
        CWord word(target, files, opener);
        ergebnis = RunExport(plan, o, word, reporter, observer);
    }
    ReadDocx Read() const { return ReadDocxFile(target); }
};

std::vector<std::string> NonEmptyTexts(const ReadDocx& docx) {
    std::vector<std::string> out;
    for (const ReadParagraph& p : docx.Paragraphs())
        if (!p.Text.empty()) out.push_back(p.Text);
    return out;
}

TEST(ExportRun, TeachersThenClassesThenRoomsEachOnItsOwnPage) {
    auto school = MakeExportSchool(false);
    ExportOptionen o = Choose({kOeztuerk, kMueller, kOeztuerk}, {k6u, k5a}, {kKunst});
    const ExportLauf run(*school->plan, o);
    EXPECT_EQ(run.ergebnis.Status, ExportStatus::Fertig);
    EXPECT_EQ(run.ergebnis.Anzahl, 5);
    EXPECT_EQ(run.ergebnis.Geschrieben, 5);
    EXPECT_TRUE(run.reporter.shown.empty());
    EXPECT_EQ(run.opener.opened, std::vector<std::string>{run.target});

    const ReadDocx docx = run.Read();
    ASSERT_TRUE(docx.XmlErrors.empty()) << docx.XmlErrors.front();
    EXPECT_EQ(NonEmptyTexts(docx),
              (std::vector<std::string>{"Lehrer: Jürgen Müller", "Lehrer: Bernd Öztürk",
                                        "Klasse: 5a", "Klasse: 6ü", "Raum: Kunstraum"}));
    const auto tables = docx.Tables();
    ASSERT_EQ(tables.size(), 5u);
    EXPECT_EQ(tables[1].At(2, 3), "Religion ökumenisch\n5a\nKunstraum");
    EXPECT_EQ(tables[3].At(3, 3), "Französisch\nAnna Weiß\nPhysiksaal Süd");

    // Each plan: an empty paragraph that breaks the page, the heading, the table. The first
    // page needs no break.
    ASSERT_EQ(docx.Body.size(), 16u);
    for (int plan = 0; plan < 5; ++plan) {
        const auto& brk = std::get<ReadParagraph>(docx.Body[3 * plan]);
        EXPECT_EQ(brk.Text, "");
        EXPECT_EQ(brk.PageBreakBefore, plan > 0) << plan;
        EXPECT_FALSE(std::get<ReadParagraph>(docx.Body[3 * plan + 1]).PageBreakBefore);
        EXPECT_TRUE(std::holds_alternative<ReadTable>(docx.Body[3 * plan + 2]));
    }
}

TEST(ExportRun, ProgressCountsThePlans) {
    auto school = MakeExportSchool(false);
    const ExportLauf run(*school->plan, Choose({}, {k5a, k6u}, {}));
    EXPECT_EQ(run.observer.shown, (std::vector<std::string>{"Export in Word ... (Ein Kaffe?)||0/0",
                                                            "Export in Word|0 Pläne von 2|0/2",
                                                            "Export in Word|1 Pläne von 2|1/2",
                                                            "Export in Word|2 Pläne von 2|2/2"}));
    EXPECT_EQ(run.observer.closed, 1);
}

TEST(ExportRun, WithoutNewPagesAndInLandscape) {
    auto school = MakeExportSchool(false);
    ExportOptionen o = Choose({kWeiss}, {}, {kAula, kPhysik});
    o.JederPlanNeueSeite = false;
    o.Ausrichtung = PageOrientation::Landscape;
    o.NurKurz = true;
    const ExportLauf run(*school->plan, o);
    const ReadDocx docx = run.Read();
    EXPECT_EQ(docx.Orient, "landscape");
    EXPECT_GT(docx.PageWidth, docx.PageHeight);
    for (const ReadParagraph& p : docx.Paragraphs())
        EXPECT_FALSE(p.PageBreakBefore);
    // Heading, table, heading, table, heading, table, the last paragraph.
    ASSERT_EQ(docx.Body.size(), 7u);
    EXPECT_EQ(std::get<ReadParagraph>(docx.Body[0]).Text, "Lehrer: Anna Weiß");
    EXPECT_EQ(std::get<ReadParagraph>(docx.Body[2]).Text, "Raum: Physiksaal Süd");
    EXPECT_EQ(std::get<ReadTable>(docx.Body[3]).At(4, 2), "Sp\nWß");
    EXPECT_EQ(std::get<ReadParagraph>(docx.Body[4]).Text, "Raum: Aula");
}

TEST(ExportRun, NothingChosenOrPrinterDoNothingAndSayNothing) {
    auto school = MakeExportSchool(false);
    ExportOptionen unchecked = Choose({kMueller}, {k5a}, {});
    unchecked.Lehrer.Aktiv = false;
    unchecked.Klassen.Aktiv = false;
    ExportOptionen empty = Choose({}, {}, {});
    empty.Klassen.Aktiv = true;
    ExportOptionen outOfList = Choose({}, {7, -1}, {});
    ExportOptionen drucker = Choose({kMueller}, {}, {});
    drucker.AusgabeAn = AusgabeZiel::Drucker;

    for (const ExportOptionen* o : {&unchecked, &empty, &outOfList, &drucker}) {
        const ExportLauf run(*school->plan, *o);
        EXPECT_EQ(run.ergebnis.Status,
                  o == &drucker ? ExportStatus::Drucker : ExportStatus::NichtsGewaehlt);
        EXPECT_TRUE(run.reporter.shown.empty());
        EXPECT_TRUE(run.observer.shown.empty());
        EXPECT_FALSE(std::filesystem::exists(run.target));
        EXPECT_TRUE(run.opener.opened.empty());
    }
    EXPECT_EQ(GewaehltePlaene(*school->plan, drucker), 1);
    EXPECT_EQ(GewaehltePlaene(*school->plan, unchecked), 0);
}

// There is no word processor to start: a target that cannot be written is said as it is, not as
// a missing Word installation.
TEST(ExportRun, StartFailureSaysWhatFailedAndStops) {
    auto school = MakeExportSchool(false);
    const ExportLauf run(*school->plan, Choose({kMueller}, {}, {}), DefaultFileOps(),
                         "kein/ordner/plaene.docx");
    EXPECT_EQ(run.ergebnis.Status, ExportStatus::StartFehler);
    EXPECT_EQ(run.ergebnis.Geschrieben, 0);
    ASSERT_EQ(run.reporter.shown.size(), 1u);
    EXPECT_EQ(run.reporter.shown[0].Title, "Fehler");
    EXPECT_EQ(run.reporter.shown[0].Text, "Fehler bei Ausgabe an Word:\n" + run.ergebnis.Detail);
    EXPECT_EQ(run.reporter.shown[0].Text.find("OLE"), std::string::npos);
    EXPECT_NE(run.ergebnis.Detail.find("kein/ordner"), std::string::npos);
    EXPECT_EQ(run.observer.closed, 1);
    EXPECT_TRUE(run.opener.opened.empty());
    EXPECT_FALSE(std::filesystem::exists(run.target));
}

TEST(ExportRun, AnErrorEndsTheRunAndKeepsWhatWasWritten) {
    auto school = MakeExportSchool(false);
    ExportOptionen o = Choose({kMueller, kWeiss}, {k5a}, {});
    o.Layout = kLayoutAnzahl; // not in the list: the first table fails
    const ExportLauf run(*school->plan, o);
    EXPECT_EQ(run.ergebnis.Status, ExportStatus::Fehler);
    EXPECT_EQ(run.ergebnis.Geschrieben, 0);
    ASSERT_EQ(run.reporter.shown.size(), 1u);
    EXPECT_EQ(run.reporter.shown[0].Text,
              "Fehler bei Ausgabe an Word:\nDas Tabellenformat 40 gibt es nicht.");
    EXPECT_EQ(run.observer.shown.back(), "Export in Word|0 Pläne von 3|0/3");
    EXPECT_EQ(run.observer.closed, 1);
    // The document is still shown, with the first heading and nothing after it.
    EXPECT_EQ(run.opener.opened.size(), 1u);
    const ReadDocx docx = run.Read();
    EXPECT_TRUE(docx.Tables().empty());
    EXPECT_EQ(NonEmptyTexts(docx), std::vector<std::string>{"Lehrer: Jürgen Müller"});
}

TEST(ExportRun, AFailedSaveIsNotReportedAsSuccess) {
    auto school = MakeExportSchool(false);
    FailingWrites files(1); // the one write, of the finished document
    const ExportLauf run(*school->plan, Choose({}, {k5a}, {}), files);
    EXPECT_EQ(run.ergebnis.Status, ExportStatus::Fehler);
    EXPECT_EQ(run.ergebnis.Geschrieben, 1);
    ASSERT_EQ(run.reporter.shown.size(), 1u);
    EXPECT_EQ(run.reporter.shown[0].Text, "Fehler bei Ausgabe an Word:\nDie Datei " + run.target +
                                              " konnte nicht geschrieben werden.\nAuf dem "
                                              "Datenträger ist kein Platz mehr frei.");
    EXPECT_EQ(run.reporter.shown[0].Title, "Fehler");
    EXPECT_TRUE(run.opener.opened.empty());
}

// The example Gymnasium with hours placed at random, through a plan file: one table per class,
// each on its own page. With STUNDENWERK_EXPORT_KEEP naming a folder, the plan file is kept there
// for a look at the real thing (scripts/export_preview.sh).
TEST(ExportRun, ExampleSchoolGivesOneTablePerClass) {
    TempDir dir;
    ProjectReadResult school = OpenProject(SourcePath("examples/gymnasium.sch"), DefaultFileOps());
    ASSERT_TRUE(school.outcome.Ok);
    CapturingReporter reporter;
    const std::string planPath = dir.File("gymnasium.pdt");
    {
        CPlan plan(school.data, reporter);
        plan.BuildLessonHours();
        Random rng(1);
        PlaceRandomly(plan, rng, 20000);
        ASSERT_GT(plan.PlacedCount(), 0);
        ASSERT_TRUE(WritePlanFile(school.data, &plan, planPath, DefaultFileOps()).Ok);
    }
    if (const char* keep = std::getenv("STUNDENWERK_EXPORT_KEEP"))
        std::filesystem::copy_file(planPath, std::filesystem::path(keep) / "gymnasium.pdt",
                                   std::filesystem::copy_options::overwrite_existing);

    PlanReadResult read = ReadPlanFile(planPath, DefaultFileOps(), reporter);
    ASSERT_TRUE(read.outcome.Ok);
    const CPlan& plan = *read.plan;
    ExportOptionen o;
    o.Klassen.Aktiv = true;
    for (int k = 0; k < plan.KlassenAnzahl; ++k)
        o.Klassen.Eintraege.push_back(k);
    const ExportLauf run(plan, o);
    ASSERT_EQ(run.ergebnis.Status, ExportStatus::Fertig);

    const ReadDocx docx = run.Read();
    ASSERT_TRUE(docx.XmlErrors.empty());
    const auto tables = docx.Tables();
    ASSERT_EQ(static_cast<int>(tables.size()), plan.KlassenAnzahl);
    int filled = 0;
    for (const ReadTable& t : tables) {
        EXPECT_EQ(t.Rows(), static_cast<std::size_t>(plan.Stunden + 1));
        EXPECT_EQ(t.Columns(), plan.Tage + 1);
        for (const auto& row : t.Cells)
            for (const std::string& c : row)
                filled += c.find('\n') != std::string::npos;
    }
    EXPECT_GT(filled, plan.KlassenAnzahl * 5);
    int breaks = 0;
    for (const ReadParagraph& p : docx.Paragraphs())
        breaks += p.PageBreakBefore;
    EXPECT_EQ(breaks, plan.KlassenAnzahl - 1);
}

} // namespace
} // namespace sw
