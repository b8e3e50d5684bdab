// SPDX-License-Identifier: GPL-3.0-or-later
// TableLooks.h: the 40 table layouts of the export options (`TabellenLayoutCoBox`) and what each
// looks like in our documents. The word processor's own auto-formats are not available to us, so
// every layout number maps to a look of ours built from a few parts: lines, a heading row that is
// shaded or bold, banded rows, an emphasised first column. Neighbouring numbers of one family
// differ visibly; "(ohne)" has no lines at all.
#pragma once

#include "export/Document.h"

#include <array>
#include <string_view>

namespace sw {

inline constexpr int kLayoutAnzahl = 40;
inline constexpr int kStandardLayout = 36; // "Elegant"

// The entries of the layout list; the index is the layout number.
const std::array<std::string_view, kLayoutAnzahl>& TabellenLayoutNamen();

inline constexpr bool IsLayout(int format) {
    return format >= 0 && format < kLayoutAnzahl;
}

// Which lines a table draws.
enum class Lines {
    None,    // no lines
    Frame,   // the outer frame only
    Rows,    // top, bottom and between rows
    Columns, // outer frame and between columns
    Grid,    // every line
};

// How the outer frame is drawn; lines inside the table are always thin and single.
enum class LineStyle { Single, Double, Thick };

inline constexpr int kNoColour = -1; // colours are 0xRRGGBB, or kNoColour for none

struct TableLook {
    Lines lines = Lines::None;
    LineStyle style = LineStyle::Single;
    int lineColour = 0x000000;
    int headFill = kNoColour; // fill of the heading row
    int headText = kNoColour; // text colour of the heading row
    bool headBold = false;
    bool headRule = false;     // a heavier line under the heading row
    int bandFill = kNoColour;  // fill of every second body row
    int firstFill = kNoColour; // fill of the first column's body cells
    int firstText = kNoColour;
    bool firstBold = false;
    bool operator==(const TableLook&) const = default;
};

// The look of a layout number as designed, before the switches are applied. Precondition:
// IsLayout(format).
const TableLook& LookOf(int format);

// The look that a table format produces: the layout's look with the switches applied. Without
// borders there are no lines, without shading no fills, without heading rows or first column no
// emphasis of them, and without colour every colour becomes the grey of its brightness.
TableLook ResolveLook(const TableFormatSpec& chosen);

// The grey of the same brightness as `rgb` (kNoColour stays kNoColour).
int GreyOf(int rgb);

} // namespace sw
