// SPDX-License-Identifier: GPL-3.0-or-later
// Document.h: the word-processor document as CWord builds it in memory: a body of paragraphs and
// tables in reading order, plus the page setup. DocxWriter turns it into a .docx file. Nothing
// here knows about plans; CWord and the table writers fill it.
//
//   body: [ paragraph "" (page break before) ][ paragraph "Klasse: 5a" ][ table 9 x 6 ][ "" ]
//
// Invariant kept by CWord: the body never is empty and always ends in a paragraph, the way a
// word processor keeps a last paragraph mark behind every table.
#pragma once

#include <string>
#include <variant>
#include <vector>

namespace sw {

// Paragraph alignment in the word processor's numbering.
enum Ausrichtung : int {
    kLinks = 0,
    kZentriert = 1,
    kRechts = 2,
    kBlocksatz = 3,
};

enum class PageOrientation { Portrait, Landscape };

struct Paragraph {
    std::string Text;        // UTF-8; "\n" is a line break inside the paragraph
    int Alignment = kLinks;  // Ausrichtung; anything else counts as left
    int LineSpacingRule = 0; // 0 single; the only rule the system uses
    bool PageBreakBefore = false;
};

// The nine switches of a table format, in the order the word processor's auto-format takes them.
enum TableSwitch : unsigned {
    kRahmen = 1u << 0,         // borders
    kSchattierung = 1u << 1,   // shading
    kSchrift = 1u << 2,        // font
    kFarbe = 1u << 3,          // colour
    kUeberschriften = 1u << 4, // heading rows
    kLetzteZeile = 1u << 5,    // last row
    kErsteSpalte = 1u << 6,    // first column
    kLetzteSpalte = 1u << 7,   // last column
    kAutoAnpassen = 1u << 8,   // autofit
};

// A table format: the layout number (index in the layout list) and the switches. The system
// always uses every switch except font and colour: 511 XOR 12.
struct TableFormatSpec {
    int Format = 0;
    unsigned Switches = 511u ^ 12u;
    bool Has(TableSwitch s) const { return (Switches & s) != 0; }
};

// Preferred width types of a table, in the word processor's numbering.
enum BreitenTyp : int {
    kBreiteAuto = 1,
    kBreiteProzent = 2,
    kBreitePunkt = 3,
};

struct Table {
    int Rows = 0;
    int Columns = 0;
    std::vector<std::string> Cells; // row by row; "\n" separates the lines of a cell
    TableFormatSpec Format;
    int PreferredWidthType = kBreiteAuto;
    int PreferredWidth = 0; // percent or points, by PreferredWidthType

    Table() = default;
    Table(int rows, int columns)
        : Rows(rows), Columns(columns), Cells(static_cast<std::size_t>(rows) * columns) {}
    // Cell (row, column), both counted from 1 as the word processor counts them.
    bool HasCell(int row, int column) const {
        return row >= 1 && row <= Rows && column >= 1 && column <= Columns;
    }
    std::string& Cell(int row, int column) {
        return Cells[static_cast<std::size_t>(row - 1) * Columns + (column - 1)];
    }
    const std::string& Cell(int row, int column) const {
        return Cells[static_cast<std::size_t>(row - 1) * Columns + (column - 1)];
    }
};

using Block = std::variant<Paragraph, Table>;

struct Document {
    std::vector<Block> Body{Paragraph{}};
    PageOrientation Orientation = PageOrientation::Portrait;
};

} // namespace sw
