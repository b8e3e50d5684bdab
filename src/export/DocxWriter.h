// SPDX-License-Identifier: GPL-3.0-or-later
// DocxWriter.h: turns a Document into the bytes of an Office Open XML word-processing file
// (.docx) that Word and LibreOffice Writer both open. The XML is written here by hand; libzip
// packs the parts. Pages are A4 with 2 cm margins, in the document's orientation; tables take
// their look from the layout number and switches of their format (TableLooks.h).
//
// Text is UTF-8. Bytes that are not valid UTF-8 become U+FFFD and characters XML cannot carry
// (control characters other than tab and line break) are dropped, so every document written is
// well-formed whatever the master data holds.
#pragma once

#include "export/Document.h"

#include <string>
#include <string_view>
#include <vector>

namespace sw {

// One file inside the package.
struct DocxPart {
    std::string Name;
    std::string Content;
};

// The package parts of `doc` in the order they are stored: content types, package relations,
// the main document, its relations and the styles. Precondition: every table's layout number is
// valid (IsLayout).
std::vector<DocxPart> DocxParts(const Document& doc);

struct DocxBytes {
    bool Ok = false;
    std::string Bytes; // the zipped package when Ok
    std::string Error; // libzip's account of the failure otherwise
};

// The zipped package of `doc`.
DocxBytes PackDocx(const Document& doc);

// `text` as XML character data: escaped, with invalid UTF-8 replaced and forbidden characters
// dropped. Line breaks pass through unchanged.
std::string XmlText(std::string_view text);

// Page size and text width in twentieths of a point (twips), by orientation.
struct PageGeometry {
    int Width;
    int Height;
    int Margin;
    int TextWidth() const { return Width - 2 * Margin; }
};
PageGeometry GeometryOf(PageOrientation orientation);

} // namespace sw
