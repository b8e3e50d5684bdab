// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/Word.h"

#include "export/DocxWriter.h"
#include "export/TableLooks.h"

#include <cstdlib>
#include <utility>

namespace sw {

namespace {

// `text` in single quotes for the shell.
std::string ShellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

bool DesktopOpener::HasDesktop() {
    return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

bool DesktopOpener::Open(const std::string& path) {
    if (!HasDesktop()) return false;
    // In the background: some desktops keep xdg-open waiting until the viewer closes.
    const std::string command = "xdg-open " + ShellQuoted(path) + " >/dev/null 2>&1 &";
    return std::system(command.c_str()) == 0;
}

CWord::CWord(std::string target, FileOps& files, DocumentOpener& opener)
    : target_(std::move(target)), files_(files), opener_(opener) {}

bool CWord::Start() {
    doc_ = Document{};
    tables_.clear();
    started_ = false;
    visible_ = false;
    startError_.clear();
    // Only checked here: an older document at the target stays whole until the new one is
    // complete and written in one step (SetVisible).
    if (const FileResult writable = files_.CheckWritable(target_); !writable) {
        startError_ =
            "Die Datei " + target_ + " kann nicht geschrieben werden.\n" + writable.Reason;
        return false;
    }
    started_ = true;
    return true;
}

void CWord::Require() const {
    if (!started_) throw WordError("Es ist kein Dokument geöffnet.");
}

Paragraph& CWord::LastParagraph() {
    Require();
    // The body always ends in a paragraph (Document.h).
    return std::get<Paragraph>(doc_.Body.back());
}

void CWord::InsertText(std::string_view text) {
    LastParagraph().Text += text;
}

void CWord::NewParagraph() {
    Paragraph next = LastParagraph();
    next.Text.clear();
    doc_.Body.emplace_back(std::move(next));
}

void CWord::NewParagraphs(int n) {
    for (int i = 0; i < n; ++i)
        NewParagraph();
}

void CWord::SetParagraphFormat(const ParagraphPreset& preset) {
    Paragraph& p = LastParagraph();
    // The normal style carries no paragraph format of its own, so applying it resets nothing
    // beyond what the preset sets next.
    p.Alignment = preset.Alignment;
    p.LineSpacingRule = preset.LineSpacingRule;
    p.PageBreakBefore = preset.PageBreakBefore;
}

WordTable CWord::AddTable(int rows, int columns, const TableFormatSpec& format) {
    Require();
    if (rows <= 0 || columns <= 0) return {};
    if (!IsLayout(format.Format))
        throw WordError("Das Tabellenformat " + std::to_string(format.Format) + " gibt es nicht.");
    Table table(rows, columns);
    table.Format = format;
    // The paragraph after the table keeps the format of the one before, without its break.
    Paragraph after = LastParagraph();
    after.Text.clear();
    after.PageBreakBefore = false;
    doc_.Body.emplace_back(std::move(table));
    tables_.push_back(doc_.Body.size() - 1);
    doc_.Body.emplace_back(std::move(after));
    return WordTable{static_cast<int>(tables_.size()) - 1};
}

Table& CWord::TableOf(WordTable table) {
    Require();
    if (!table.Valid() || table.Index >= static_cast<int>(tables_.size()))
        throw WordError("Die Tabelle gibt es im Dokument nicht.");
    return std::get<Table>(doc_.Body[tables_[static_cast<std::size_t>(table.Index)]]);
}

void CWord::SetCellText(WordTable table, int row, int column, std::string_view text) {
    Table& t = TableOf(table);
    if (!t.HasCell(row, column))
        throw WordError("Die Zelle (" + std::to_string(row) + ", " + std::to_string(column) +
                        ") gibt es in der Tabelle nicht.");
    t.Cell(row, column) = std::string(text);
}

void CWord::SetPreferredWidth(WordTable table, int type, int width) {
    Table& t = TableOf(table);
    t.PreferredWidthType = type;
    t.PreferredWidth = width;
}

void CWord::SetOrientation(PageOrientation orientation) {
    Require();
    doc_.Orientation = orientation;
}

void CWord::SetVisible(bool visible) {
    Require();
    visible_ = visible;
    if (!visible) return;
    Write();
    opener_.Open(target_);
}

void CWord::Write() {
    const DocxBytes packed = PackDocx(doc_);
    if (!packed.Ok) throw WordError("Das Dokument ließ sich nicht packen: " + packed.Error);
    if (const FileResult written = files_.WriteReplacing(target_, packed.Bytes); !written)
        throw WordError("Die Datei " + target_ + " konnte nicht geschrieben werden.\n" +
                        written.Reason);
}

} // namespace sw
