// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Desktop.h"

#include <QDate>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

namespace sw::ui {

QString QtDesktop::ChooseFile(QWidget* parent, const DateiDialog& d) {
    if (d.NurOrdner) return QFileDialog::getExistingDirectory(parent, d.Titel, d.Ordner);
    QFileDialog dlg(parent, d.Titel, d.Ordner, d.Filter);
    dlg.setAcceptMode(d.Speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(d.Speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(d.Endung);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

bool QtDesktop::Run(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

QString QtDesktop::Print(QWidget* parent, QTextDocument& doc, PageOrientation orientation) {
    QPrinter printer;
    printer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait);
    QPrintDialog dlg(&printer, parent);
    if (dlg.exec() != QDialog::Accepted) return QString();
    doc.print(&printer);
    return printer.outputFileName().isEmpty()
               ? QString::fromUtf8("an den Drucker „%1“ gegeben").arg(printer.printerName())
               : QString::fromUtf8("in die Datei „%1“ gedruckt")
                     .arg(QDir::toNativeSeparators(printer.outputFileName()));
}

bool QtDesktop::Open(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

Datum QtDesktop::Today() {
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}

} // namespace sw::ui
