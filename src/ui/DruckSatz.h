// SPDX-License-Identifier: GPL-3.0-or-later
// DruckSatz.h: a written document on its way to the user. DokumentAlsHtml turns an export
// document into rich text for the printer: the export run builds the same document for "Drucker"
// as for "Word", and its paragraphs and tables become HTML that a QTextDocument lays out and
// prints, with a page break wherever the document has one after the first printed text (so n
// plans, each on a new page, print on n pages); the desktop prints it. WordDatei is the file
// dialog of a Word document to write, AnzeigeMerker shows it through the desktop. The export
// options and the substitution window share them.
#pragma once
#include "export/Document.h"
#include "export/Word.h"
#include "ui/Desktop.h"

#include <QString>

namespace sw::ui {

QString DokumentAlsHtml(const Document& doc);

// The file dialog for a Word document to write ("Word - Dokumente (*.docx)", the extension added
// when missing).
DateiDialog WordDatei(const QString& titel);

// Shows the written document through the desktop and remembers whether a program could be
// started for it.
class AnzeigeMerker : public DocumentOpener {
public:
    explicit AnzeigeMerker(Desktop& desktop) : desktop_(desktop) {}
    bool Open(const std::string& path) override;
    bool angezeigt = false;

private:
    Desktop& desktop_;
};

} // namespace sw::ui
