// SPDX-License-Identifier: GPL-3.0-or-later
// TLegendeForm.h: the legend of the plan grid: one sample cell, painted as the grid paints it,
// beside each text that explains a colour or a mark.
#pragma once
#include <QDialog>
#include <array>

namespace sw::ui {

class TLegendeForm : public QDialog {
    Q_OBJECT
public:
    explicit TLegendeForm(QWidget* parent = nullptr);

    // The texts in the order they stand.
    static const std::array<const char*, 10> kTexte;
};

} // namespace sw::ui
