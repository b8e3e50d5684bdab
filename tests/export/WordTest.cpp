// SPDX-License-Identifier: GPL-3.0-or-later
// CWord: starting, paragraphs and presets, tables and their cells, making the document visible.
#include "export/Word.h"
#include "export/DocxReader.h"
#include "export/ExportSupport.h"
#include "support/Disk.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <utility>

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

// Starting only checks the target: an older document there stays as it is until the new one is
// complete, and a target that can never be written is refused at once with the reason.
TEST(CWordStart, ChecksTheTargetWithoutTouchingIt) {
    Started s;
    EXPECT_TRUE(s.word.Started());
    EXPECT_FALSE(std::filesystem::exists(s.word.Target()));
    EXPECT_TRUE(s.opener.opened.empty()); // starting shows nothing yet
    test::WriteFileBytes(s.word.Target(), "altes Dokument");
    EXPECT_TRUE(s.word.Start());
    EXPECT_EQ(test::ReadFileBytes(s.word.Target()), "altes Dokument");
    EXPECT_EQ(test::Names(s.dir), (std::set<std::string>{"plaene.docx"}));

    TempDir dir;
    std::filesystem::create_directory(dir.File("ordner.docx"));
    const std::pair<std::string, std::string> refused[] = {
        {dir.File("fehlt/plaene.docx"), "Der Ordner „" + dir.File("fehlt") + "“ existiert nicht."},
        {dir.File("ordner.docx"), "Das ist keine gewöhnliche Datei (ein Ordner)."},
        {"/dev/null", "Das ist keine gewöhnliche Datei (ein Gerät)."},
    };
    for (const auto& [target, reason] : refused) {
        RecordingOpener opener;
        CWord word(target, DefaultFileOps(), opener);
        EXPECT_FALSE(word.Start());
        EXPECT_FALSE(word.Started());
        EXPECT_EQ(word.StartError(),
                  "Die Datei " + target + " kann nicht geschrieben werden.\n" + reason);
        // An unstarted wrapper refuses every operation.
        EXPECT_THROW(word.InsertText("x"), WordError);
        EXPECT_THROW(word.AddTable(2, 2, {}), WordError);
        EXPECT_THROW(word.SetVisible(true), WordError);
        EXPECT_TRUE(opener.opened.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("fehlt")));
    EXPECT_EQ(test::Names(dir), (std::set<std::string>{"ordner.docx"}));
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
    EXPECT_FALSE(std::filesystem::exists(s.word.Target())); // hidden: nothing written yet

    s.word.SetVisible(true);
    EXPECT_TRUE(s.word.Visible());
    ASSERT_EQ(s.opener.opened, std::vector<std::string>{s.word.Target()});
    const test::ReadDocx docx = test::ReadDocxFile(s.word.Target());
    EXPECT_EQ(docx.Paragraphs().at(0).Text, "Raum: Aula");
    EXPECT_EQ(docx.Orient, "landscape");
}

// A full disk: the write fails with its reason, and the previous document stays whole.
TEST(CWordVisible, AFailedWriteKeepsTheOldDocumentAndSaysWhy) {
    TempDir dir;
    test::WriteFileBytes(dir.File("p.docx"), "altes Dokument");
    test::FaultyDisk files;
    files.failWriteAt = 1;
    files.error = ENOSPC;
    RecordingOpener opener;
    CWord word(dir.File("p.docx"), files, opener);
    ASSERT_TRUE(word.Start());
    word.InsertText("Lehrer: X");
    try {
        word.SetVisible(true);
        FAIL() << "no error";
    } catch (const WordError& e) {
        EXPECT_EQ(std::string(e.what()), "Die Datei " + dir.File("p.docx") +
                                             " konnte nicht geschrieben werden.\nAuf dem "
                                             "Datenträger ist kein Platz mehr frei.");
    }
    EXPECT_EQ(test::ReadFileBytes(dir.File("p.docx")), "altes Dokument");
    EXPECT_EQ(test::Names(dir), (std::set<std::string>{"p.docx"}));
    EXPECT_TRUE(opener.opened.empty());
}

} // namespace
} // namespace sw
