// SPDX-License-Identifier: GPL-3.0-or-later
// DruckSatz.h: an export document as rich text for the printer. The export run builds the same
// document for "Drucker" as for "Word"; this turns its paragraphs and tables into HTML that a
// QTextDocument lays out and prints, with a page break wherever the document has one after the
// first printed text (so n plans, each on a new page, print on n pages).
#pragma once
#include "export/Document.h"

#include <QString>

namespace sw::ui {

QString DokumentAlsHtml(const Document& doc);

} // namespace sw::ui
