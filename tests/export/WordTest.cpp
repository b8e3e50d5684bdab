// SPDX-License-Identifier: GPL-3.0-or-later
// CWord: starting, paragraphs and presets, tables and their cells, making the document visible.
#include "export/Word.h"
#include "export/DocxReader.h"
#include "export/ExportSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace sw {
namespace {

using test::RecordingOpener;
using test::TempDir;

const Paragraph& ParagraphAt(const CWord& w, std::size_t i) {
    return std::get<Paragraph>(w.Doc().Body.at(i));
}

struct Started {
    TempDir dir;
    RecordingOpener opener;
    CWord word{dir.File("plaene.docx"), DefaultFileOps(), opener};
    Started() { EXPECT_TRUE(word.Start()); }
};

TEST(CWordStart, WritesAnEmptyDocumentOrFailsCleanly) {
    Started s;
    EXPECT_TRUE(s.word.Started());
    const test::ReadDocx docx = test::ReadDocxFile(s.word.Target());
    EXPECT_TRUE(docx.Opened);
    EXPECT_TRUE(docx.XmlErrors.empty());
    EXPECT_TRUE(s.opener.opened.empty()); // starting shows nothing yet

    RecordingOpener opener;
    TempDir dir;
    const std::string target = dir.File("fehlt/plaene.docx");
    CWord word(target, DefaultFileOps(), opener);
    EXPECT_FALSE(word.Start());
    EXPECT_FALSE(word.Started());
    EXPECT_NE(word.StartError().find(target), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(target));
    // An unstarted wrapper refuses every operation.
    EXPECT_THROW(word.InsertText("x"), WordError);
    EXPECT_THROW(word.AddTable(2, 2, {}), WordError);
    EXPECT_THROW(word.SetVisible(true), WordError);
    EXPECT_TRUE(opener.opened.empty());
}

TEST(CWordParagraphs, TextPresetsAndNewParagraphs) {
    Started s;
    CWord& w = s.word;
    w.InsertText("Vertretungsplan ");
    w.InsertText("1.2.");
    EXPECT_EQ(ParagraphAt(w, 0).Text, "Vertretungsplan 1.2.");

    w.SetParagraphFormat(kParagraphPresets[3]);
    EXPECT_TRUE(ParagraphAt(w, 0).PageBreakBefore);
    // A new paragraph takes over the format of the one before, as in a word processor.
    w.NewParagraph();
    EXPECT_TRUE(ParagraphAt(w, 1).PageBreakBefore);
    EXPECT_EQ(ParagraphAt(w, 1).Text, "");
    w.SetParagraphFormat(kParagraphPresets[0]);
    EXPECT_FALSE(ParagraphAt(w, 1).PageBreakBefore);

    w.NewParagraphs(0);
    w.NewParagraphs(-2);
    EXPECT_EQ(w.Doc().Body.size(), 2u);
    w.NewParagraphs(3);
    EXPECT_EQ(w.Doc().Body.size(), 5u);

    w.SetParagraphFormat(kParagraphPresets[1]);
    EXPECT_EQ(ParagraphAt(w, 4).Alignment, kRechts);
    w.SetParagraphFormat(kParagraphPresets[2]);
    EXPECT_EQ(ParagraphAt(w, 4).Alignment, kZentriert);
    for (const ParagraphPreset& p : kParagraphPresets) {
        EXPECT_EQ(p.LineSpacingRule, 0);
        EXPECT_EQ(p.Style, -1);
        EXPECT_TRUE(p.ApplyStyle);
    }
}

TEST(CWordTables, AddFillAndRefuse) {
    Started s;
    CWord& w = s.word;
    w.InsertText("Klasse: 5a");
    const WordTable t = w.AddTable(3, 2, TableFormatSpec{16});
    ASSERT_TRUE(t.Valid());
    // Heading, table, then an empty paragraph where the text goes on.
    ASSERT_EQ(w.Doc().Body.size(), 3u);
    const Table& table = std::get<Table>(w.Doc().Body[1]);
    EXPECT_EQ(table.Rows, 3);
    EXPECT_EQ(table.Columns, 2);
    EXPECT_EQ(table.Format.Format, 16);
    EXPECT_EQ(table.Format.Switches, 511u ^ 12u);
    for (const std::string& c : table.Cells)
        EXPECT_EQ(c, "");
    EXPECT_EQ(ParagraphAt(w, 2).Text, "");

    w.SetCellText(t, 3, 2, "Erdkunde\nMü\nAu");
    EXPECT_EQ(table.Cell(3, 2), "Erdkunde\nMü\nAu");
    w.SetPreferredWidth(t, kBreiteProzent, 100);
    EXPECT_EQ(table.PreferredWidthType, 2);
    EXPECT_EQ(table.PreferredWidth, 100);

    EXPECT_THROW(w.SetCellText(t, 4, 1, "x"), WordError);
    EXPECT_THROW(w.SetCellText(t, 1, 0, "x"), WordError);
    EXPECT_THROW(w.AddTable(2, 2, TableFormatSpec{40}), WordError);
    EXPECT_THROW(w.AddTable(2, 2, TableFormatSpec{-1}), WordError);

    // No rows or no columns: an empty result, and the cell calls on it fail.
    const WordTable none = w.AddTable(0, 3, {});
    EXPECT_FALSE(none.Valid());
    EXPECT_FALSE(w.AddTable(3, 0, {}).Valid());
    EXPECT_EQ(w.Doc().Body.size(), 3u);
    EXPECT_THROW(w.SetCellText(none, 1, 1, "x"), WordError);
    EXPECT_THROW(w.SetPreferredWidth(none, 2, 100), WordError);
}

TEST(CWordVisible, WritesTheDocumentAndOpensIt) {
    Started s;
    s.word.InsertText("Raum: Aula");
    s.word.SetOrientation(PageOrientation::Landscape);
    s.word.SetVisible(false);
    EXPECT_TRUE(s.opener.opened.empty());
    EXPECT_TRUE(test::ReadDocxFile(s.word.Target()).Paragraphs().at(0).Text.empty());

    s.word.SetVisible(true);
    EXPECT_TRUE(s.word.Visible());
    ASSERT_EQ(s.opener.opened, std::vector<std::string>{s.word.Target()});
    const test::ReadDocx docx = test::ReadDocxFile(s.word.Target());
    EXPECT_EQ(docx.Paragraphs().at(0).Text, "Raum: Aula");
    EXPECT_EQ(docx.Orient, "landscape");
}

TEST(CWordVisible, AFailedWriteIsAnError) {
    TempDir dir;
    test::FailingWrites files(2); // Start writes, the second write fails
    RecordingOpener opener;
    CWord word(dir.File("p.docx"), files, opener);
    ASSERT_TRUE(word.Start());
    word.InsertText("Lehrer: X");
    try {
        word.SetVisible(true);
        FAIL() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Die Datei " + dir.File("p.docx") + " konnte nicht geschrieben werden.");
    }
    EXPECT_TRUE(opener.opened.empty());
}

} // namespace
} // namespace sw
