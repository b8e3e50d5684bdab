// SPDX-License-Identifier: GPL-3.0-or-later
// PlanPdf.h: the printed timetables as a PDF file, without a print dialog or a word processor.
// The export run builds the same document it builds for the .docx file (headings, tables in the
// chosen layout, a page break before every plan when asked, the page orientation); this draws
// that document with cairo on A4 pages: a heading line, then the table across the page width,
// the hour column narrow, the days sharing the rest, in the layout's lines, fills and bold. A
// table taller than what is left of a page starts a new page; one taller than a whole page is
// drawn smaller. A cell line too wide for its column is drawn smaller, down to 5 pt.
#pragma once

#include "export/Document.h"
#include "export/ExportRun.h"
#include "model/Report.h"
#include "plan/Plan.h"
#include "publish/PlanAusgabe.h"

#include <optional>
#include <string>

namespace sw {

// The bytes of the PDF file of `doc`; nullopt (with the reason in `fehler`) when cairo fails.
std::optional<std::string> DokumentAlsPdf(const Document& doc, std::string& fehler);

// The timetables `optionen` chooses as "stundenplan.pdf". Refused with the export's messages
// ("Fehler bei Ausgabe an Word:\n…") when the document cannot be built, and when nothing is
// chosen with "Es wurde kein Plan ausgewählt." (title "Fehler").
std::optional<AusgabeDatei> PlanAlsPdf(const CPlan& plan, const ExportOptionen& optionen,
                                       Reporter& reporter);

} // namespace sw
