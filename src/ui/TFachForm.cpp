// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TFachForm.h"

#include "ui/QtReporter.h"
#include "ui/TNeuForm.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw::ui {

TFachForm::TFachForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent)
    : TStammForm(session, reporter, desktop, parent, "FachForm", kHilfe) {
    setWindowTitle(QString::fromUtf8("Fächer"));
    neuForm_ = new TNeuForm(this);
    ListeAnlegen("FachCoBox");
    neuBitBtn_ = Knopf("NeuBitBtn", "&Neu");
    umbenennenBtn_ = Knopf("UmbenennenBtn", "Umbenennen");
    loeschenBtn_ = Knopf("LoeschenBtn", QString::fromUtf8("Löschen"));
    QPushButton* schliessen = Knopf("Button1", QString::fromUtf8("Schließen"));
    connect(neuBitBtn_, &QPushButton::clicked, this, &TFachForm::NeuClick);
    connect(umbenennenBtn_, &QPushButton::clicked, this, &TFachForm::UmbenennenClick);
    connect(loeschenBtn_, &QPushButton::clicked, this, &TFachForm::LoeschenClick);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);

    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* b : {neuBitBtn_, umbenennenBtn_, loeschenBtn_})
        knoepfe->addWidget(b);
    knoepfe->addStretch(1);
    knoepfe->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Fach:", this));
    layout->addWidget(liste_);
    layout->addStretch(1);
    layout->addLayout(knoepfe);
    resize(380, 140);
}

std::vector<std::string> TFachForm::Namen() const {
    return Daten().Faecher;
}

void TFachForm::Freigeben() {
    neuBitBtn_->setEnabled(editable_);
    loeschenBtn_->setEnabled(editable_);
}

void TFachForm::NeuClick() {
    if (!Eingabe(*neuForm_, stammtext::NeuesFach, stammtext::NeuesFachPrompt)) return;
    Ergebnis(Editor().NewSubject(S(neuForm_->Name()), reporter_));
}

void TFachForm::UmbenennenClick() {
    const int fach = Auswahl();
    if (fach < 0) return;
    if (!Eingabe(*neuForm_, stammtext::FachUmbenennen, stammtext::FachUmbenennenPrompt,
                 liste_->currentText()))
        return;
    Ergebnis(Editor().RenameSubject(fach, S(neuForm_->Name()), reporter_));
}

void TFachForm::LoeschenClick() {
    const int fach = Auswahl();
    if (fach < 0) return;
    Ergebnis(Editor().DeleteSubject(fach, reporter_));
}

} // namespace sw::ui
