// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TImportBerichtForm.h"

#include "app/Session.h"
#include "ui/Desktop.h"
#include "ui/QtReporter.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw::ui {

TImportBerichtForm::TImportBerichtForm(Reporter& reporter, Desktop& desktop, FileOps& files,
                                       QWidget* parent)
    : QDialog(parent), reporter_(reporter), desktop_(desktop), files_(files) {
    setObjectName("ImportBerichtForm");
    setWindowTitle("Importbericht");
    setModal(true);
    berichtRE_ = new QPlainTextEdit(this);
    berichtRE_->setObjectName("BerichtRE");
    berichtRE_->setReadOnly(true);
    // The counts and names stand in columns as the report lines them up.
    berichtRE_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Long reasons wrap, so every line can be read without scrolling sideways.
    berichtRE_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* speichern = new QPushButton("Bericht speichern...", this);
    speichern->setObjectName("SpeichernBtn");
    connect(speichern, &QPushButton::clicked, this, &TImportBerichtForm::SpeichernBtnClick);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(speichern);
    knoepfe->addStretch();
    knoepfe->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(berichtRE_);
    layout->addLayout(knoepfe);
    resize(900, 600);
}

void TImportBerichtForm::Fuellen(const ImportReport& report) {
    report_ = report;
    berichtRE_->setPlainText(Q(report.Text()));
    berichtRE_->moveCursor(QTextCursor::Start);
}

QString TImportBerichtForm::Text() const {
    return berichtRE_->toPlainText();
}

void TImportBerichtForm::SpeichernBtnClick() {
    const QFileInfo quelle(Q(report_.Source));
    const DateiDialog d{true, "Bericht speichern", "Textdateien (*.txt)", "txt",
                        report_.Source.empty() ? QString() : quelle.absolutePath()};
    const QString pfad = desktop_.ChooseFile(this, d);
    if (!pfad.isEmpty()) SaveImportReport(report_, S(pfad), files_, reporter_);
}

} // namespace sw::ui
