// SPDX-License-Identifier: GPL-3.0-or-later
// SlotGitter.h: a week as a clickable grid, one column per day and one row per hour, for a set
// of slots such as the school's breaks or the times a block may begin at. A click on a cell
// marks it with "X" or takes the mark away; the grid only shows and collects the slots, the
// window hands them to the core.
#pragma once
#include "model/Stammdaten.h"

#include <QTableWidget>
#include <vector>

namespace sw::ui {

class SlotGitter : public QTableWidget {
    Q_OBJECT
public:
    SlotGitter(const char* objektName, QWidget* parent = nullptr);

    // Columns and rows for the week of `a`; the marks of slots still in the week stay.
    void Aufbauen(const AllgemeineAngaben& a);
    // Marks exactly `marken` (those outside the week are not shown).
    void Setzen(const std::vector<int>& marken);
    // The marked slots, ascending.
    std::vector<int> Slots() const;
    // Clicks change nothing while the grid is read-only.
    void SetEditable(bool editable);
    // The click on the cell of `slot`, as the user makes it.
    void Umschalten(int slot);

signals:
    // The marks were changed by a click.
    void Geaendert();

private:
    AllgemeineAngaben angaben_;
    std::vector<int> slots_;
    bool editable_ = true;
};

} // namespace sw::ui
