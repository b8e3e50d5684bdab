// SPDX-License-Identifier: GPL-3.0-or-later
// Word.h: `CWord`, the system's word-processor wrapper. The export and the substitution sheet
// talk only to it: start a new document, write text and paragraphs, add tables and fill their
// cells, make the result visible. Behind it stands no running word processor but a Document in
// memory that becomes a .docx file at the target path when the document is made visible: written
// once, complete, through FileOps::WriteReplacing, so a failure keeps an older document whole.
//
// The selection of a word processor always stands at the end of the document here: every
// operation collapses it to its end first and appends there, as the export needs.
//
// Every operation after Start throws WordError when it cannot do its work (a table that does not
// exist, a cell outside the table, a file that cannot be written). The export catches it around
// the whole run; nothing else is thrown across the wrapper.
#pragma once

#include "export/Document.h"
#include "io/FileOps.h"

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

class WordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A paragraph format preset. Style -1 is the normal style; it is applied when ApplyStyle is set.
struct ParagraphPreset {
    int Alignment = kLinks;
    int LineSpacingRule = 0;
    bool PageBreakBefore = false;
    int Style = -1;
    bool ApplyStyle = true;
};

// Presets 0..3: left; right; centred; left with a page break before.
inline constexpr std::array<ParagraphPreset, 4> kParagraphPresets = {{
    {.Alignment = kLinks},
    {.Alignment = kRechts},
    {.Alignment = kZentriert},
    {.Alignment = kLinks, .PageBreakBefore = true},
}};

// Opens a written document for the user.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // Shows the file at `path`; false when no viewer could be started.
    virtual bool Open(const std::string& path) = 0;
};

// Opens with the desktop's default application (xdg-open) when a desktop is there, that is when
// DISPLAY or WAYLAND_DISPLAY is set; headless it does nothing and says so by returning false.
class DesktopOpener : public DocumentOpener {
public:
    bool Open(const std::string& path) override;
    static bool HasDesktop();
};

// Never opens anything: batch runs and tests.
class NoOpener : public DocumentOpener {
public:
    bool Open(const std::string&) override { return false; }
};

// A table of the current document; Index -1 is the empty result of AddTable.
struct WordTable {
    int Index = -1;
    bool Valid() const { return Index >= 0; }
};

class CWord {
public:
    // The document will be written to `target` through `files`; `opener` shows it. Both must
    // outlive the wrapper.
    CWord(std::string target, FileOps& files, DocumentOpener& opener);

    // Starts a new, empty document in memory after checking that the target can be written
    // (FileOps::CheckWritable), without touching what stands there. False when it cannot;
    // StartError() says why ("Die Datei … kann nicht geschrieben werden." and the reason on a
    // line of its own) and the wrapper stays unstarted.
    bool Start();
    bool Started() const { return started_; }
    const std::string& StartError() const { return startError_; }

    // Appends text to the last paragraph; "\n" breaks the line inside the paragraph.
    void InsertText(std::string_view text);
    // Appends a paragraph that takes over the format of the last one.
    void NewParagraph();
    // n times NewParagraph; nothing for n <= 0.
    void NewParagraphs(int n);
    // Formats the last paragraph.
    void SetParagraphFormat(const ParagraphPreset& preset);

    // Appends a table of rows x columns empty cells in the given format, followed by an empty
    // paragraph. With 0 rows or columns nothing is added and the result is not Valid(). Throws
    // for a layout number outside the layout list.
    WordTable AddTable(int rows, int columns, const TableFormatSpec& format);
    // Sets the text of cell (row, column), both from 1; "\n" separates the lines.
    void SetCellText(WordTable table, int row, int column, std::string_view text);
    // Sets the table's preferred width: type 2 with width 100 spans the page width.
    void SetPreferredWidth(WordTable table, int type, int width);

    // Page orientation of the whole document.
    void SetOrientation(PageOrientation orientation);

    // true: writes the document to the target and opens it where a desktop can show it; throws
    // WordError with the reason when the file cannot be written (the old one stays whole).
    // false: only remembers that the document is hidden.
    void SetVisible(bool visible);
    bool Visible() const { return visible_; }

    const Document& Doc() const { return doc_; }
    const std::string& Target() const { return target_; }

private:
    void Require() const;
    Paragraph& LastParagraph();
    Table& TableOf(WordTable table);
    void Write();

    std::string target_;
    FileOps& files_;
    DocumentOpener& opener_;
    Document doc_;
    std::vector<std::size_t> tables_; // body index of each table, in order of creation
    bool started_ = false;
    bool visible_ = false;
    std::string startError_;
};

} // namespace sw
