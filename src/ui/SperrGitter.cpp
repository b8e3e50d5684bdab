// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SperrGitter.h"

#include "define/Lessons.h"
#include "ui/QtReporter.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sw::ui {

SperrGitter::SperrGitter(QWidget* parent) : QWidget(parent) {
    setObjectName("ZeitvorgabenTS");
    gitter_ = new QTableWidget(this);
    gitter_->setObjectName("ZeitvorgabenG");
    gitter_->setToolTip(kHilfe);
    // One rectangle of cells at a time, as "Sperren" and "Freigeben" take it.
    gitter_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    gitter_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gitter_->horizontalHeader()->hide();
    gitter_->verticalHeader()->hide();
    gitter_->horizontalHeader()->setDefaultSectionSize(44);
    gitter_->verticalHeader()->setDefaultSectionSize(24);
    sperrenBtn_ = new QPushButton("Sperren", this);
    sperrenBtn_->setObjectName("SperrenBtn");
    freigebenBtn_ = new QPushButton("Freigeben", this);
    freigebenBtn_->setObjectName("FreigebenBtn");
    menue_ = new QMenu(this);
    menue_->setObjectName("ZeitvorgabenPM");
    sperrenPMI_ = menue_->addAction("Sperren");
    sperrenPMI_->setObjectName("SperrenPMI");
    freigebenPMI_ = menue_->addAction("Freigeben");
    freigebenPMI_->setObjectName("FreigebenPMI");
    menue_->addSeparator();
    menue_->addAction("Hilfe", this, [this] { emit HilfeSeite(gitter_->toolTip()); });
    gitter_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(gitter_, &QWidget::customContextMenuRequested, this,
            [this](QPoint p) { menue_->exec(gitter_->viewport()->mapToGlobal(p)); });
    connect(sperrenBtn_, &QPushButton::clicked, this, &SperrGitter::Sperren);
    connect(sperrenPMI_, &QAction::triggered, this, &SperrGitter::Sperren);
    connect(freigebenBtn_, &QPushButton::clicked, this, &SperrGitter::Freigeben);
    connect(freigebenPMI_, &QAction::triggered, this, &SperrGitter::Freigeben);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(sperrenBtn_);
    knoepfe->addWidget(freigebenBtn_);
    knoepfe->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gitter_, 1);
    layout->addLayout(knoepfe);
    Aufbauen(angaben_);
}

void SperrGitter::Aufbauen(const AllgemeineAngaben& a) {
    angaben_ = a;
    QSignalBlocker still(gitter_);
    gitter_->clear();
    gitter_->setColumnCount(a.Tage + 1);
    gitter_->setRowCount(a.Stunden + (a.Nullte ? 2 : 1));
    const auto kopf = [this](int zeile, int spalte, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled);
        item->setTextAlignment(Qt::AlignCenter);
        item->setBackground(gitter_->palette().button());
        gitter_->setItem(zeile, spalte, item);
    };
    kopf(0, 0, {});
    for (int t = 0; t < a.Tage; ++t) {
        kopf(0, t + 1, Q(TagName(a, t)).left(2));
    }
    for (int z = 1; z < gitter_->rowCount(); ++z)
        kopf(z, 0, QString::number(a.Nullte ? z - 1 : z));
    for (int z = 1; z < gitter_->rowCount(); ++z)
        for (int sp = 1; sp < gitter_->columnCount(); ++sp) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            gitter_->setItem(z, sp, item);
        }
    gitter_->setColumnWidth(0, 30);
}

void SperrGitter::Zeigen(const LockGrid& sperre) {
    for (int z = 1; z < gitter_->rowCount(); ++z)
        for (int sp = 1; sp < gitter_->columnCount(); ++sp) {
            const int slot = SlotOfCell(angaben_, {sp, z});
            if (QTableWidgetItem* item = gitter_->item(z, sp))
                item->setText(IsSlot(slot) && sperre[slot] ? "X" : "");
        }
}

void SperrGitter::Leeren() {
    Zeigen(FreeGrid());
    gitter_->clearSelection();
}

std::vector<int> SperrGitter::Auswahl() const {
    std::vector<int> gewaehlt;
    for (int sp = 1; sp < gitter_->columnCount(); ++sp)
        for (int z = 1; z < gitter_->rowCount(); ++z) {
            const QTableWidgetItem* item = gitter_->item(z, sp);
            if (!item || !item->isSelected()) continue;
            const int slot = SlotOfCell(angaben_, {sp, z});
            if (IsSlot(slot)) gewaehlt.push_back(slot);
        }
    return gewaehlt;
}

void SperrGitter::Markieren(int spalte1, int zeile1, int spalte2, int zeile2) {
    gitter_->clearSelection();
    gitter_->setRangeSelected(QTableWidgetSelectionRange(zeile1, spalte1, zeile2, spalte2), true);
}

void SperrGitter::SetEditable(bool editable) {
    sperrenBtn_->setEnabled(editable);
    freigebenBtn_->setEnabled(editable);
    sperrenPMI_->setEnabled(editable);
    freigebenPMI_->setEnabled(editable);
}

} // namespace sw::ui
