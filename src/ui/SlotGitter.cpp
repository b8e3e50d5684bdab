// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SlotGitter.h"

#include "define/Lessons.h"
#include "ui/QtReporter.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <algorithm>

namespace sw::ui {

SlotGitter::SlotGitter(const char* objektName, QWidget* parent) : QTableWidget(parent) {
    setObjectName(objektName);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    horizontalHeader()->setDefaultSectionSize(34);
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(this, &QTableWidget::cellClicked, this, [this](int zeile, int spalte) {
        Umschalten(SlotOfCell(angaben_, {spalte + 1, zeile + 1}));
    });
    Aufbauen(angaben_);
}

void SlotGitter::Aufbauen(const AllgemeineAngaben& a) {
    angaben_ = a;
    QSignalBlocker still(this);
    clear();
    setColumnCount(a.Tage);
    setRowCount(a.Stunden + (a.Nullte ? 1 : 0));
    QStringList tage;
    for (int t = 0; t < a.Tage; ++t)
        tage << Q(TagName(a, t)).left(2);
    setHorizontalHeaderLabels(tage);
    QStringList stunden;
    for (int h : LimitHours(a))
        stunden << QString::number(h);
    setVerticalHeaderLabels(stunden);
    for (int z = 0; z < rowCount(); ++z)
        for (int sp = 0; sp < columnCount(); ++sp) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled);
            setItem(z, sp, item);
        }
    // The grid is as large as its cells, so that a dialog shows it whole.
    setFixedSize(verticalHeader()->sizeHint().width() + 34 * a.Tage + 2 * frameWidth() + 2,
                 horizontalHeader()->sizeHint().height() + 20 * rowCount() + 2 * frameWidth() + 2);
    Setzen(std::vector<int>(slots_));
}

void SlotGitter::Setzen(const std::vector<int>& marken) {
    slots_.clear();
    for (int s : marken)
        if (IsSlot(s) && SlotOfCell(angaben_, CellOfSlot(angaben_, s)) == s) slots_.push_back(s);
    std::sort(slots_.begin(), slots_.end());
    slots_.erase(std::unique(slots_.begin(), slots_.end()), slots_.end());
    for (int z = 0; z < rowCount(); ++z)
        for (int sp = 0; sp < columnCount(); ++sp) {
            const int s = SlotOfCell(angaben_, {sp + 1, z + 1});
            if (QTableWidgetItem* i = item(z, sp))
                i->setText(std::binary_search(slots_.begin(), slots_.end(), s) ? "X" : "");
        }
}

std::vector<int> SlotGitter::Slots() const {
    return slots_;
}

void SlotGitter::SetEditable(bool editable) {
    editable_ = editable;
}

void SlotGitter::Umschalten(int slot) {
    if (!editable_ || !IsSlot(slot)) return;
    std::vector<int> neu = slots_;
    const auto it = std::find(neu.begin(), neu.end(), slot);
    if (it != neu.end())
        neu.erase(it);
    else
        neu.push_back(slot);
    Setzen(neu);
    emit Geaendert();
}

} // namespace sw::ui
