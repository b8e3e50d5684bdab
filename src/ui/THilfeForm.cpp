// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/THilfeForm.h"

#include <QEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace sw::ui {

THilfeForm::THilfeForm(QWidget* parent) : QDialog(parent), besitzer_(parent) {
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

void THilfeForm::Zeigen(const QString& titel, const QString& text, QWidget* dialog) {
    // A window of the open dialog is not blocked by its modality.
    const bool dabei = dialog && dialog->isVisible();
    Umziehen(dabei ? dialog : besitzer_);
    if (dabei && !isVisible()) {
        // Beside the dialog, not over the field it explains; on the screen if there is room.
        QPoint ort = dialog->frameGeometry().topRight() + QPoint(8, 0);
        if (const QScreen* schirm = dialog->screen()) {
            const QRect frei = schirm->availableGeometry();
            if (ort.x() + width() > frei.right())
                ort.setX(std::max(frei.left(), frei.right() - width()));
        }
        move(ort);
    }
    setWindowTitle(titel);
    hilfeRE_->clear();
    hilfeRE_->setPlainText(text);
    show();
    raise();
    activateWindow();
}

void THilfeForm::Umziehen(QWidget* eltern) {
    QWidget* bisher = parentWidget();
    if (bisher == eltern) return;
    if (bisher && bisher != besitzer_) bisher->removeEventFilter(this);
    // setParent hides the window; place, size and visibility stay as they were.
    const QRect ort = geometry();
    const bool sichtbar = isVisible();
    setParent(eltern, windowFlags());
    setGeometry(ort);
    if (eltern && eltern != besitzer_) eltern->installEventFilter(this);
    if (sichtbar) show();
}

bool THilfeForm::eventFilter(QObject* watched, QEvent* event) {
    // A hidden or destroyed dialog must neither hide nor delete the help with it.
    if (watched == parentWidget() && parentWidget() != besitzer_ &&
        (event->type() == QEvent::Hide || event->type() == QEvent::Close))
        Umziehen(besitzer_);
    return QDialog::eventFilter(watched, event);
}

QString THilfeForm::Text() const {
    return hilfeRE_->toPlainText();
}

} // namespace sw::ui
