// SPDX-License-Identifier: GPL-3.0-or-later
// DruckSatz.h: a written document on its way to the user. DokumentAlsHtml turns an export
// document into rich text for the printer: the export run builds the same document for "Drucker"
// as for "Word", and its paragraphs and tables become HTML that a QTextDocument lays out and
// prints, with a page break wherever the document has one after the first printed text (so n
// plans, each on a new page, print on n pages). DruckDialog prints such a text through the
// system print dialog; DesktopAnzeige shows a written .docx with the desktop's program. The export
// options and the substitution window share them.
#pragma once
#include "export/Document.h"
#include "export/Word.h"

#include <QString>

class QTextDocument;
class QWidget;

namespace sw::ui {

QString DokumentAlsHtml(const Document& doc);

// Shows the system print dialog over `parent` (it also offers a PDF file) and prints `doc`.
// Names where the pages went ("an den Drucker „…“ gegeben", "in die Datei „…“ gedruckt"); empty
// when the user cancelled.
QString DruckDialog(QWidget* parent, QTextDocument& doc, PageOrientation ausrichtung);
// Asks where a Word document is to be written ("Word - Dokumente (*.docx)", the extension added
// when missing); empty when cancelled.
QString WordZieldatei(QWidget* parent, const QString& titel);

// Shows a written document with the desktop's program for it.
class DesktopAnzeige : public DocumentOpener {
public:
    bool Open(const std::string& path) override;
};

// Passes the document on and remembers whether a program could be started for it.
class AnzeigeMerker : public DocumentOpener {
public:
    explicit AnzeigeMerker(DocumentOpener& ziel) : ziel_(ziel) {}
    bool Open(const std::string& path) override {
        angezeigt = ziel_.Open(path);
        return angezeigt;
    }
    bool angezeigt = false;

private:
    DocumentOpener& ziel_;
};

} // namespace sw::ui
