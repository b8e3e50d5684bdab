// SPDX-License-Identifier: GPL-3.0-or-later
// RegelnSeite.h: the page "Regeln" of the teacher and class dialogs: one spin box per rule of
// the days ("—" for no rule), for a teacher also the days of the week and the time window, and
// "Übernehmen", which hands the rules whole to the dialog. The ranges follow the week.
#pragma once
#include "model/Stammdaten.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QSpinBox;

namespace sw::ui {

class RegelnSeite : public QWidget {
    Q_OBJECT
public:
    // `lehrer`: with the teacher's rules of the week and the time window.
    RegelnSeite(bool lehrer, QWidget* parent = nullptr);

    // The ranges of the spin boxes for the week of `a`.
    void Aufbauen(const AllgemeineAngaben& a);
    // Shows `r` (a class's rules: the teacher's fields stay at "—"), and below the fields the
    // rules as sentences.
    void Zeigen(const CLehrerRegeln& r);
    // The rules the fields hold.
    CLehrerRegeln Werte() const;
    // The fields and the button are enabled for a selected entity in master-data mode only.
    void SetEditable(bool editable);

    QPushButton* Uebernehmen() const { return uebernehmenBtn_; }

signals:
    // "Übernehmen" was clicked.
    void Uebernommen();

private:
    QSpinBox* Feld(const char* name);
    static void Bereich(QSpinBox* feld, int von, int bis);
    static void Setzen(QSpinBox* feld, int wert);
    static int Wert(const QSpinBox* feld);

    bool lehrer_;
    QSpinBox* maxStunden_;
    QSpinBox* minStunden_;
    QSpinBox* maxLuecken_;
    QSpinBox* maxLueckenWoche_;
    QSpinBox* maxInFolge_;
    QSpinBox* maxTage_ = nullptr;
    QSpinBox* minTage_ = nullptr;
    QSpinBox* fensterVon_ = nullptr;
    QSpinBox* fensterBis_ = nullptr;
    QSpinBox* fensterTage_ = nullptr;
    QLabel* texte_;
    QPushButton* uebernehmenBtn_;
};

} // namespace sw::ui
