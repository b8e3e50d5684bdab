// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TBlockForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw::ui {

TBlockForm::TBlockForm(QWidget* parent) : QDialog(parent) {
    setObjectName("BlockForm");
    setWindowTitle("Stunden - Block definieren");
    setModal(true);
    const auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setMinimumWidth(220);
        return l;
    };
    lehrerLabel_ = label("LehrerLabel");
    klassenLabel_ = label("KlassenLabel");
    fachKursLabel_ = label("FachKursLabel");
    bStundenE_ = new QLineEdit("2", this);
    bStundenE_->setObjectName("BStundenE");
    bStundenE_->setMaximumWidth(80);
    auto* hinzu = new QPushButton(QString::fromUtf8("Block hinzufügen"), this);
    hinzu->setObjectName("Button1");
    hinzu->setDefault(true);
    auto* verwerfen = new QPushButton("Block verwerfen", this);
    verwerfen->setObjectName("BlockVerwerfenBtn");
    connect(hinzu, &QPushButton::clicked, this, &QDialog::accept);
    connect(verwerfen, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow("Lehrer:", lehrerLabel_);
    form->addRow("Klasse:", klassenLabel_);
    form->addRow("Fach / Kurs:", fachKursLabel_);
    form->addRow("Stunden pro Woche:", bStundenE_);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(hinzu);
    knoepfe->addWidget(verwerfen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(knoepfe);
}

void TBlockForm::Fuellen(const QString& lehrer, const QString& klasse, const QString& fachKurs,
                         std::optional<int> kursStunden) {
    lehrerLabel_->setText(lehrer);
    klassenLabel_->setText(klasse);
    fachKursLabel_->setText(fachKurs);
    bStundenE_->setEnabled(!kursStunden);
    bStundenE_->setText(kursStunden ? QString::number(*kursStunden) : QString());
}

QString TBlockForm::Stunden() const {
    return bStundenE_->text();
}

void TBlockForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!bStundenE_->isEnabled()) return;
    bStundenE_->setFocus();
    bStundenE_->selectAll();
}

} // namespace sw::ui
