// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TRaumWahlForm.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw::ui {

TRaumWahlForm::TRaumWahlForm(QWidget* parent) : QDialog(parent) {
    setObjectName("RaumWahlForm");
    setWindowTitle(QString::fromUtf8("Räume"));
    setModal(true);
    raumL_ = new QListWidget(this);
    raumL_->setObjectName("RaumL");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(raumL_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(raumL_);
    layout->addLayout(knoepfe);
    resize(220, 320);
}

void TRaumWahlForm::Fuellen(const QStringList& raeume) {
    raumL_->clear();
    raumL_->addItems(raeume);
    raumL_->setCurrentRow(-1);
}

QString TRaumWahlForm::GewaehlterRaum() const {
    const QListWidgetItem* item = raumL_->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

} // namespace sw::ui
