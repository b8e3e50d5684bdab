// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListenFilter.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

namespace sw::ui {

ListenFilter::ListenFilter(QListWidget* liste, QWidget* parent) : QLineEdit(parent), liste_(liste) {
    setObjectName(liste->objectName() + "FilterE");
    setPlaceholderText("Namen filtern");
    setClearButtonEnabled(true);
    setToolTip(QString::fromUtf8("Zeigt nur die Namen, die den eingegebenen Text enthalten"));
    connect(this, &QLineEdit::textChanged, this, &ListenFilter::Anwenden);
    // The window fills the list anew: the filter holds for the new rows.
    QAbstractItemModel* modell = liste->model();
    connect(modell, &QAbstractItemModel::rowsInserted, this, &ListenFilter::Anwenden);
    connect(modell, &QAbstractItemModel::modelReset, this, &ListenFilter::Anwenden);
    connect(modell, &QAbstractItemModel::dataChanged, this, &ListenFilter::Anwenden);
}

void ListenFilter::Anwenden() {
    const QString muster = text().trimmed();
    for (int i = 0; i < liste_->count(); ++i) {
        QListWidgetItem* item = liste_->item(i);
        const bool zeigen = muster.isEmpty() || item->text().contains(muster, Qt::CaseInsensitive);
        if (item->isHidden() == zeigen) item->setHidden(!zeigen);
    }
}

int ListenFilter::ErsteSichtbare() const {
    for (int i = 0; i < liste_->count(); ++i)
        if (!liste_->item(i)->isHidden()) return i;
    return -1;
}

void ListenFilter::keyPressEvent(QKeyEvent* event) {
    const int erste = ErsteSichtbare();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // The list's own handlers follow the new row as after a click; the dialog's default
        // button is not pressed.
        if (erste >= 0) liste_->setCurrentRow(erste);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Down && erste >= 0) {
        liste_->setFocus();
        if (liste_->currentRow() < 0 || liste_->currentItem()->isHidden())
            liste_->setCurrentRow(erste);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

QVBoxLayout* MitFilter(QListWidget* liste, QWidget* parent) {
    auto* v = new QVBoxLayout;
    v->setSpacing(2);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(new ListenFilter(liste, parent));
    v->addWidget(liste, 1);
    return v;
}

} // namespace sw::ui
