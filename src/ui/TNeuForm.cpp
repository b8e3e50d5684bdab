// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TNeuForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw::ui {

TEingabeForm::TEingabeForm(QWidget* parent, const char* objektName) : QDialog(parent) {
    setObjectName(objektName);
    setModal(true);
    promptL_ = new QLabel(this);
    promptL_->setObjectName("PromptL");
    nameE_ = new QLineEdit(this);
    nameE_->setObjectName("NameE");
    nameE_->setMinimumWidth(260);
    auto* knoepfe = new QDialogButtonBox(this);
    ok_ = knoepfe->addButton("OK", QDialogButtonBox::AcceptRole);
    ok_->setObjectName("OkBtn");
    ok_->setDefault(true);
    abbrechen_ = knoepfe->addButton("Abbrechen", QDialogButtonBox::RejectRole);
    abbrechen_->setObjectName("AbbrechenBtn");
    letztesFeld_ = nameE_;
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form_ = new QFormLayout;
    form_->addRow("Name", nameE_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptL_);
    layout->addLayout(form_);
    layout->addWidget(knoepfe);
}

QLineEdit* TEingabeForm::Feld(const char* name, const QString& beschriftung,
                              const QString& zusatz) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    // Tab goes from field to field in their order, then to OK and "Abbrechen".
    setTabOrder(letztesFeld_, e);
    setTabOrder(e, ok_);
    setTabOrder(ok_, abbrechen_);
    letztesFeld_ = e;
    if (zusatz.isEmpty()) {
        form_->addRow(beschriftung, e);
        return e;
    }
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(e);
    zeile->addWidget(new QLabel(zusatz, this));
    form_->addRow(beschriftung, zeile);
    return e;
}

void TEingabeForm::Vorbereiten(QWidget* rufer, const QString& titel, const QString& prompt,
                               const QString& name) {
    setWindowTitle(titel);
    promptL_->setText(prompt);
    nameE_->setText(name);
    if (rufer) move(rufer->pos() + QPoint(20, 20));
}

QString TEingabeForm::Name() const {
    return nameE_->text();
}

QString TEingabeForm::Prompt() const {
    return promptL_->text();
}

void TEingabeForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    nameE_->setFocus();
    nameE_->selectAll();
}

TNeuForm::TNeuForm(QWidget* parent) : TEingabeForm(parent, "NeuForm") {}

TNeuNameForm::TNeuNameForm(QWidget* parent) : TEingabeForm(parent, "NeuNameForm") {
    kurzE_ = Feld("KurzE", QString::fromUtf8("Kürzel"), "(max. 5 Zeichen)");
}

void TNeuNameForm::SetKurz(const QString& kurz) {
    kurzE_->setText(kurz);
}

QString TNeuNameForm::Kurz() const {
    return kurzE_->text();
}

TNeuKursForm::TNeuKursForm(QWidget* parent) : TEingabeForm(parent, "NeuKursForm") {
    kurzE_ = Feld("KurzE", QString::fromUtf8("Kürzel"), "(max. 5 Zeichen)");
    bStundenE_ = Feld("BStundenE", "Stunden");
    bStundenE_->setMaximumWidth(80);
}

void TNeuKursForm::SetKurz(const QString& kurz) {
    kurzE_->setText(kurz);
}

void TNeuKursForm::SetStunden(const QString& stunden) {
    bStundenE_->setText(stunden);
}

QString TNeuKursForm::Kurz() const {
    return kurzE_->text();
}

QString TNeuKursForm::Stunden() const {
    return bStundenE_->text();
}

void TNeuKursForm::SetEditable(bool editable) {
    bStundenE_->setEnabled(editable);
}

} // namespace sw::ui
