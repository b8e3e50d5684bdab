// SPDX-License-Identifier: GPL-3.0-or-later
// SperrGitter.h: the page "Zeitvorgaben" of the room, teacher and class dialogs: the lock grid
// ZeitvorgabenG (one column per day, one row per hour, "X" in a locked cell) with the buttons
// and pop-up items "Sperren" and "Freigeben". The page only shows a lock grid and says which
// slots are selected; the dialog asks the core to lock or free them.
#pragma once
#include "model/Slot.h"
#include "model/Stammdaten.h"

#include <QWidget>
#include <vector>

class QAction;
class QMenu;
class QPushButton;
class QTableWidget;

namespace sw::ui {

class SperrGitter : public QWidget {
    Q_OBJECT
public:
    explicit SperrGitter(QWidget* parent = nullptr);

    // Columns and rows for the week of `a`, every cell free.
    void Aufbauen(const AllgemeineAngaben& a);
    // Every cell of the week in use shows its byte of `sperre`: "X" for locked.
    void Zeigen(const LockGrid& sperre);
    // Nothing shown: every cell empty.
    void Leeren();
    // The slots of the selected cells (heading cells ignored), in grid order.
    std::vector<int> Auswahl() const;
    // Selects the rectangle of cells from (spalte1, zeile1) to (spalte2, zeile2).
    void Markieren(int spalte1, int zeile1, int spalte2, int zeile2);
    // Master-data mode (true) or plan mode (false): the buttons and pop-up items follow.
    void SetEditable(bool editable);

    QTableWidget* Gitter() const { return gitter_; }
    QMenu* Menue() const { return menue_; }

    // The help page the grid names in its hint.
    static constexpr const char* kHilfe = "formular_zeitvorgaben.htm";

signals:
    void Sperren();
    void Freigeben();
    // The pop-up's "Hilfe".
    void HilfeSeite(const QString& seite);

private:
    QTableWidget* gitter_;
    QPushButton* sperrenBtn_;
    QPushButton* freigebenBtn_;
    QMenu* menue_;
    QAction* sperrenPMI_;
    QAction* freigebenPMI_;
    AllgemeineAngaben angaben_;
};

} // namespace sw::ui
