// SPDX-License-Identifier: GPL-3.0-or-later
// TUnterrichtForm.h: the lesson window "Unterricht". Its block page says which teacher teaches
// which class what, and which classes join which course; its units page cuts a block's hours into
// units and gives each unit its time presets and room; its third page groups blocks for special
// separation; its fourth states the rules of the selected block and its relations to others. The
// window keeps only what is selected: every change of master data is a call of the LessonEditor,
// and the window then shows what the editor answers. Filling a control never changes a unit: the
// handlers run on the user's input only. Its block and room dialogs run through the desktop.
#pragma once
#include "app/Session.h"
#include "define/LessonEditor.h"
#include "ui/UnterrichtSeiten.h"

#include <QDialog>
#include <functional>
#include <vector>

namespace sw::ui {

class BlockRegelnSeite;
class Desktop;
class TBlockForm;
class TRaumWahlForm;

class TUnterrichtForm : public QDialog {
    Q_OBJECT
public:
    TUnterrichtForm(Session& session, Reporter& reporter, Desktop& desktop,
                    QWidget* parent = nullptr);
    ~TUnterrichtForm() override;

    UnterrichtSeiten& Seiten() { return seiten_; }
    TBlockForm& BlockForm() { return *blockForm_; }
    TRaumWahlForm& RaumWahlForm() { return *raumForm_; }
    BlockRegelnSeite& Regeln() { return *regeln_; }
    const AktuellerBlock& Block() const { return block_; }

    // The lists rebuilt from the master data, the block page active, and the window shown.
    void Oeffnen();
    // Master-data mode (true) or plan mode (false): the editing controls follow.
    void SetEditable(bool editable);
    // The time grid, the limit hours and the day names after the general settings changed.
    void ZeitgitterAufbauen();
    // The master data was emptied or replaced: every list emptied, no block, window closed.
    void Leeren();

    // The help page the window and its dialogs name in their hint.
    static constexpr const char* kHilfe = "unterricht.htm";

signals:
    // The pop-up "Hilfe" of the window or of the room dialog: opens the help page of its hint.
    void HilfeSeite(const QString& seite);

public slots:
    void HinzuBitBtnClick();
    void EntfernenBitBtnClick();
    void ZusammenfassenClick();
    void ZerlegenClick();
    void RaumWaehlenClick();
    void RaumLoeschenClick();
    void ZeitLoeschenClick();
    // A click on a cell of the time grid.
    void ZelleGewaehlt(int zeile, int spalte);
    void TrennungHinzuClick();
    void TrennungEntfernenClick();

private:
    LessonEditor Editor() { return LessonEditor(session_.Stamm()); }
    void Verbinden();
    BlockAnsicht Ansicht() const;
    int Lehrer() const;
    int Klasse() const;
    QString KlassenName() const;

    void LehrerGewaehlt();
    void AnsichtNeu();
    void BlockGewaehlt(BlockArt art);
    void RaumKnoepfe();
    void SeiteGewechselt(int index);
    void EinheitenNeu();
    // The rows selected in EinheitenL, and the row under its cursor.
    std::vector<int> Auswahl() const;
    int Position() const;
    void EinheitZeigen();
    void EinheitenTexte();
    void VorgabenZeigen();
    // After a check: a refusal beeps; the hint and the mark show what the editor left in v_.
    void Pruefung(const DefinitionCheck& ergebnis);
    // A preset control was changed by the user: `schreiben` updates v_ and the unit.
    void Vorgabe(const std::function<void(LessonEditor&, int)>& schreiben);
    void TrennungKlasseGewaehlt();
    void HilfeMenue(QWidget* fenster);

    Session& session_;
    Reporter& reporter_;
    Desktop& desktop_;
    UnterrichtSeiten seiten_;
    TBlockForm* blockForm_;
    TRaumWahlForm* raumForm_;
    BlockRegelnSeite* regeln_;
    bool editable_ = true;
    bool laden_ = false; // the controls are being filled: their handlers do nothing
    BlockSeite ansicht_;
    AktuellerBlock block_;
    Vorgaben v_;
};

} // namespace sw::ui
