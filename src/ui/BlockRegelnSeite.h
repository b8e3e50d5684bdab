// SPDX-License-Identifier: GPL-3.0-or-later
// BlockRegelnSeite.h: the page "Regeln" of the lesson window for the selected block: the group
// "Regeln" (the times a unit may begin at as a clickable week, the least days between two
// units, whether a unit ends the day of its classes, and "Übernehmen") and the group
// "Beziehungen" (the relations naming the block, "Beziehung hinzufügen..." and "Entfernen").
// TBeziehungForm asks for the kind of a new relation and its other blocks. Every change is a
// call of the LessonEditor; the page then shows what the master data holds.
#pragma once
#include "app/Session.h"
#include "define/LessonEditor.h"

#include <QDialog>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace sw::ui {

class Desktop;
class SlotGitter;

// "Beziehung hinzufügen": the kind and the other blocks (a check list, for a direct sequence
// the one block that follows).
class TBeziehungForm : public QDialog {
    Q_OBJECT
public:
    explicit TBeziehungForm(QWidget* parent = nullptr);

    // Offers `andere` (every block but the selected one) for the block `eigener`.
    void Vorbereiten(const CBlockBezug& eigener, const std::vector<CBlockBezug>& andere);
    // The relation chosen: the selected block first, then the checked ones in list order.
    CBeziehung Beziehung() const;

    QComboBox* Art() const { return artCoBox_; }
    QListWidget* Bloecke() const { return bloeckeCLBox_; }

private:
    QLabel* eigenerL_;
    QComboBox* artCoBox_;
    QListWidget* bloeckeCLBox_;
    CBlockBezug eigener_;
    std::vector<CBlockBezug> andere_;
};

class BlockRegelnSeite : public QWidget {
    Q_OBJECT
public:
    BlockRegelnSeite(Session& session, Reporter& reporter, Desktop& desktop,
                     QWidget* parent = nullptr);

    // Shows the rules and relations of `block` (an empty, disabled page without one).
    void Zeigen(const AktuellerBlock& block);
    // The week's shape changed.
    void ZeitgitterAufbauen();
    void SetEditable(bool editable);

    SlotGitter& Zeiten() { return *zeitenG_; }
    QSpinBox* Abstand() const { return abstandSE_; }
    QCheckBox* Tagesende() const { return tagesendeCB_; }
    QListWidget* Beziehungen() const { return beziehungenL_; }
    TBeziehungForm& BeziehungForm() { return *beziehungForm_; }

public slots:
    void UebernehmenClick();
    void HinzuClick();
    void EntfernenClick();

private:
    LessonEditor Editor() { return LessonEditor(session_.Stamm()); }
    void Freigeben();

    Session& session_;
    Reporter& reporter_;
    Desktop& desktop_;
    AktuellerBlock block_;
    std::vector<int> beziehungen_; // the indexes of the relations the list shows
    bool editable_ = true;
    QLabel* titelL_;
    SlotGitter* zeitenG_;
    QSpinBox* abstandSE_;
    QCheckBox* tagesendeCB_;
    QPushButton* uebernehmenBtn_;
    QListWidget* beziehungenL_;
    QPushButton* hinzuBtn_;
    QPushButton* entfernenBtn_;
    TBeziehungForm* beziehungForm_;
};

} // namespace sw::ui
