// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TRaumSetzenForm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw::ui {

TRaumSetzenForm::TRaumSetzenForm(QWidget* parent) : QDialog(parent) {
    setObjectName("RaumSetzenForm");
    setWindowTitle("Raum setzen");
    setModal(true);
    raumL_ = new QListWidget(this);
    raumL_->setObjectName("RaumL");
    alleRaeumeCB_ = new QCheckBox(QString::fromUtf8("Alle Räume"), this);
    alleRaeumeCB_->setObjectName("AlleRaeumeCB");
    // The dialog offers the hour's own rooms only; the box stays hidden.
    alleRaeumeCB_->hide();
    connect(alleRaeumeCB_, &QCheckBox::toggled, this, &TRaumSetzenForm::Liste);
    auto* ok = new QPushButton("Ok", this);
    ok->setObjectName("OkBtn");
    ok->setDefault(true);
    auto* abbrechen = new QPushButton("Cancel", this);
    abbrechen->setObjectName("CancelBtn");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    connect(raumL_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(ok);
    knoepfe->addWidget(abbrechen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(raumL_);
    layout->addWidget(alleRaeumeCB_);
    layout->addLayout(knoepfe);
    resize(240, 300);
}

void TRaumSetzenForm::Fuellen(std::function<std::vector<int>(bool)> waehlbar,
                              std::vector<QString> namen) {
    waehlbar_ = std::move(waehlbar);
    namen_ = std::move(namen);
    alleRaeumeCB_->blockSignals(true);
    alleRaeumeCB_->setChecked(false);
    alleRaeumeCB_->blockSignals(false);
    Liste();
}

void TRaumSetzenForm::Liste() {
    raumL_->clear();
    raeume_ = waehlbar_ ? waehlbar_(alleRaeumeCB_->isChecked()) : std::vector<int>{};
    for (int r : raeume_)
        raumL_->addItem(r >= 0 && static_cast<std::size_t>(r) < namen_.size()
                            ? namen_[static_cast<std::size_t>(r)]
                            : QString());
}

int TRaumSetzenForm::GewaehlterRaum() const {
    const int zeile = raumL_->currentRow();
    if (zeile < 0 || zeile >= static_cast<int>(raeume_.size()) ||
        !raumL_->item(zeile)->isSelected())
        return -1;
    return raeume_[static_cast<std::size_t>(zeile)];
}

} // namespace sw::ui
