// SPDX-License-Identifier: GPL-3.0-or-later
// TRaumWahlForm.h: the dialog "Räume" of the lesson window: every room of the school, in room
// order; "OK" or a double click picks the selected one. The lesson window then lets the core
// check the room for the selected unit.
#pragma once
#include <QDialog>
#include <QStringList>

class QListWidget;

namespace sw::ui {

class TRaumWahlForm : public QDialog {
    Q_OBJECT
public:
    explicit TRaumWahlForm(QWidget* parent = nullptr);

    // The rooms to offer; none is selected.
    void Fuellen(const QStringList& raeume);
    // The room selected when the dialog was left with "OK"; empty when none was.
    QString GewaehlterRaum() const;
    QListWidget& Liste() { return *raumL_; }

private:
    QListWidget* raumL_;
};

} // namespace sw::ui
