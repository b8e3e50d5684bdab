// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DruckSatz.h"

#include "export/TableLooks.h"

#include <QStringList>

namespace sw::ui {

namespace {

QString Zeilen(const std::string& text) {
    QString html = QString::fromStdString(text).toHtmlEscaped();
    // HTML folds a run of blanks into one; the document keeps them ("2.   5a  Deutsch").
    html.replace("  ", " &nbsp;");
    return html.replace('\n', "<br>");
}

// `umbruch`: the paragraph's page break is kept.
QString Absatz(const Paragraph& p, bool umbruch) {
    const char* ausrichtung = p.Alignment == kZentriert ? "center"
                              : p.Alignment == kRechts  ? "right"
                                                        : "left";
    QString stil = QString("text-align:%1;").arg(ausrichtung);
    if (p.PageBreakBefore && umbruch) stil += "page-break-before:always;";
    // An empty paragraph is an empty line, as in the word processor.
    const QString text = p.Text.empty() ? QString("&nbsp;") : Zeilen(p.Text);
    return QString("<p style=\"%1\">%2</p>\n").arg(stil, text);
}

// Whether the table's look sets its first column apart (the hours of a timetable in most
// layouts), as it does its heading row.
bool ErsteSpalteHervorgehoben(const Table& t) {
    if (!IsLayout(t.Format.Format)) return true;
    const TableLook look = ResolveLook(t.Format);
    return look.firstBold || look.firstFill != kNoColour;
}

QString Tabelle(const Table& t) {
    const bool ersteSpalte = ErsteSpalteHervorgehoben(t);
    QString html = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\" "
                   "style=\"border-collapse:collapse;\">\n";
    for (int r = 1; r <= t.Rows; ++r) {
        html += "<tr>";
        for (int c = 1; c <= t.Columns; ++c) {
            // The first row carries the headings, the first column where the look says so.
            const bool kopf = r == 1 || (c == 1 && ersteSpalte);
            html += kopf ? "<th>" : "<td>";
            html += Zeilen(t.Cell(r, c));
            html += kopf ? "</th>" : "</td>";
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

} // namespace

QString DokumentAlsHtml(const Document& doc) {
    QString html = "<html><body style=\"font-size:9pt;\">\n";
    // A break before anything is printed (the first plan) would give a blank first page.
    bool inhalt = false;
    for (const Block& b : doc.Body) {
        if (const auto* p = std::get_if<Paragraph>(&b)) {
            html += Absatz(*p, inhalt);
            inhalt = inhalt || !p->Text.empty();
        } else {
            html += Tabelle(std::get<Table>(b));
            inhalt = true;
        }
    }
    return html + "</body></html>\n";
}

DateiDialog WordDatei(const QString& titel) {
    return {true, titel, "Word - Dokumente (*.docx)", "docx", {}};
}

bool AnzeigeMerker::Open(const std::string& path) {
    angezeigt = desktop_.Open(QString::fromStdString(path));
    return angezeigt;
}

} // namespace sw::ui
