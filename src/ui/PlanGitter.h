// SPDX-License-Identifier: GPL-3.0-or-later
// PlanGitter.h: the week grid of the plan window as a model, a delegate and a view. The model
// answers every cell from DescribeCell (the editor's state and the shown teacher, class or room);
// the delegate paints a cell as the planner knows it: ground colours, three text lines in a small
// font, the marks at the right, the cross of a locked slot, the green candidate frame. The view
// turns mouse and keys into cell selections; it owns no plan state.
//
//   +--------+-----------+-----------+
//   |        | Montag    | Dienstag  |   row 0: day names          (header cells)
//   +--------+-----------+-----------+
//   |1. Stun.| Mathe    3|           |   line 1 at top + 2, number/T/O-U at right - 10
//   |        | Mü       T|    \ /    |   line 2 at top + h + 4
//   |        | 101      O|    / \    |   line 3 at top + 2h + 4; a cross on a locked slot
//   +--------+-----------+-----------+
#pragma once
#include "edit/GridView.h"

#include <QAbstractTableModel>
#include <QCursor>
#include <QFont>
#include <QStyledItemDelegate>
#include <QTableView>

namespace sw::ui {

// The colours of the grid (red, green, blue).
namespace farben {
inline const QColor Leer(228, 228, 228);
inline const QColor Kurs(196, 175, 172);
inline const QColor Einzel(255, 255, 255);
inline const QColor Mehrfach(148, 203, 243);
inline const QColor Auswahl(0, 128, 128);
inline const QColor Rahmen(0, 128, 0);
inline const QColor Grau(128, 128, 128);
} // namespace farben

QColor GrundFarbe(Grund g);

// The cells of one grid. Without a plan the grid has no cells.
class GitterModell : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GitterModell(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // The plan and the editor the grid shows; the shape follows the plan.
    void Setzen(const CPlan* plan, const PlanEditor* editor);
    void SetNurKurz(bool nurKurz) { nurKurz_ = nurKurz; }
    bool NurKurz() const { return nurKurz_; }
    // Every cell is to be drawn again.
    void Neuzeichnen();

    const CPlan* Plan() const { return plan_; }
    // The look of a data cell; false for a header cell.
    bool Look(int row, int column, CellLook& out) const;
    // The slot of a cell, kNoSlot for a header cell.
    int Slot(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Display: a header's text, or the cell's lines joined by line breaks. Tooltip: what the
    // cell leaves out (a course's teachers, subjects, classes and rooms).
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const CPlan* plan_ = nullptr;
    const PlanEditor* editor_ = nullptr;
    bool nurKurz_ = true;
};

// Paints the cells of a GitterModell.
class GitterDelegate : public QStyledItemDelegate {
public:
    explicit GitterDelegate(QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // A data cell with its look, into `r` (also the legend's pictures).
    void Zelle(QPainter& p, const QRect& r, const CellLook& look) const;
    // A header cell.
    void Kopf(QPainter& p, const QRect& r, const QString& text) const;
    // The cell font's height as a positive number, and the heights the grid's rows take.
    int Schrifthoehe() const { return hoehe_; }
    int KopfZeilenHoehe() const { return 2 * 8 + 4; }
    int ZeilenHoehe() const { return 3 * hoehe_ + 9; }

private:
    QFont schrift_, fett_, unter_, fettUnter_;
    int hoehe_;
    mutable CellLook look_; // painting reuses it: its strings keep their capacity
};

// The mouse pointers of move and swap mode ("VERSCHIEBEN", "AUSTAUSCH"), drawn once.
QCursor VerschiebenZeiger();
QCursor AustauschZeiger();

// One week grid. A left click or keyboard move onto a data cell selects it; the right button asks
// for the popup; Esc and the command letters are passed on.
class PlanGitter : public QTableView {
    Q_OBJECT
public:
    explicit PlanGitter(QWidget* parent = nullptr);
    GitterModell& Modell() { return modell_; }
    GitterDelegate& Delegate() { return delegate_; }
    // Rows and columns sized as the grid's width asks: column 0 60 pixels, the days share the
    // rest; row 0 for the day names, every hour row three text lines high.
    void Groessen();

signals:
    void ZelleGewaehlt(int day, int hour);
    void MenueGewuenscht(const QPoint& global);
    void Escape();
    void Taste(char letter);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void Waehlen(const QModelIndex& index);

    GitterModell modell_;
    GitterDelegate delegate_;
};

} // namespace sw::ui
