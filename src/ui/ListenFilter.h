// SPDX-License-Identifier: GPL-3.0-or-later
// ListenFilter.h: a filter field above a long list of names (teachers, classes, rooms,
// subjects). Typing narrows the list to the names that contain the text, upper and lower case
// alike; the rows are only hidden, never removed, so that the window's row numbers, its
// selection, its check marks and its navigation keep working. The filter holds when the window
// fills the list again. Return in the field picks the first name shown, Down goes into the list.
//
//   [ mü                  ]
//   +---------------------+
//   | MÜLLER              |     MEIER, SCHULZ hidden
//   | MÜNZER              |
//   +---------------------+
#pragma once
#include <QLineEdit>

class QListWidget;
class QVBoxLayout;

namespace sw::ui {

class ListenFilter : public QLineEdit {
    Q_OBJECT
public:
    // The field filters `liste`; its object name is the list's name + "FilterE".
    ListenFilter(QListWidget* liste, QWidget* parent);
    // Hides the rows that do not contain the text; shows them all for an empty text.
    void Anwenden();
    // The first row not hidden, -1 when every row is hidden.
    int ErsteSichtbare() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QListWidget* liste_;
};

// The list with its filter field above it.
QVBoxLayout* MitFilter(QListWidget* liste, QWidget* parent);

} // namespace sw::ui
