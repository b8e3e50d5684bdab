// SPDX-License-Identifier: GPL-3.0-or-later
// DocxReader.h: reads a written .docx back for the tests, with tools of its own: libzip unpacks
// the parts, libxml2 parses them. Gives the body as paragraphs and tables of plain cell texts.
#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace sw::test {

struct ReadParagraph {
    std::string Text; // "\n" for a line break
    bool PageBreakBefore = false;
    std::string Jc;
};

struct ReadTable {
    std::vector<std::vector<std::string>> Cells; // rows of cell texts; lines joined by "\n"
    std::string WidthType;                       // w:tblW w:type
    int Width = 0;                               // w:tblW w:w
    int GridColumns = 0;                         // w:gridCol count
    std::size_t Rows() const { return Cells.size(); }
    // Cells per row when every row has the same number, else -1.
    int Columns() const;
    const std::string& At(int row, int column) const { return Cells[row - 1][column - 1]; }
};

using ReadBlock = std::variant<ReadParagraph, ReadTable>;

struct ReadDocx {
    bool Opened = false;                      // the file is a zip archive
    std::map<std::string, std::string> Parts; // name -> content
    std::vector<std::string> XmlErrors;       // one line per part that does not parse
    std::vector<ReadBlock> Body;
    int PageWidth = 0;
    int PageHeight = 0;
    std::string Orient;

    std::vector<ReadTable> Tables() const;
    std::vector<ReadParagraph> Paragraphs() const;
    bool Has(const std::string& part) const { return Parts.count(part) != 0; }
};

// Unpacks `path`, checks that every .xml and .rels part is well-formed and reads the body of
// word/document.xml.
ReadDocx ReadDocxFile(const std::string& path);
ReadDocx ReadDocxBytes(const std::string& bytes);

// True when `xml` is well-formed; `error` says why not.
bool WellFormed(const std::string& xml, std::string& error);

} // namespace sw::test
