// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/THilfeForm.h"

#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace sw::ui {

THilfeForm::THilfeForm(QWidget* parent) : QDialog(parent) {
    setObjectName("HilfeForm");
    hilfeRE_ = new QTextEdit(this);
    hilfeRE_->setObjectName("HilfeRE");
    hilfeRE_->setReadOnly(true);
    auto* schliessen = new QPushButton(QString::fromUtf8("Schließen"), this);
    schliessen->setObjectName("SchliessenBtn");
    connect(schliessen, &QPushButton::clicked, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hilfeRE_);
    layout->addWidget(schliessen, 0, Qt::AlignRight);
    resize(360, 200);
}

void THilfeForm::Zeigen(const QString& titel, const QString& text) {
    setWindowTitle(titel);
    hilfeRE_->clear();
    hilfeRE_->setPlainText(text);
    show();
    raise();
}

QString THilfeForm::Text() const {
    return hilfeRE_->toPlainText();
}

} // namespace sw::ui
