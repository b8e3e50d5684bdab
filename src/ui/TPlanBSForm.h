// SPDX-License-Identifier: GPL-3.0-or-later
// TPlanBSForm.h: the plan grid window "Schnappschuß". Four pages each show the plan as a week
// grid of one teacher, class or room, with its statistics and, after a refused edit, the reason.
// The window is a thin layer over the editor: a cell selection, a popup item or a command key
// calls the PlanEditor, and the window then repaints or refreshes as the editor's answer says.
// Undo and redo take back and repeat the manual edits of the planning window's history.
#pragma once
#include "edit/PlanEditor.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;

namespace sw::ui {

class PlanGitter;
class TLegendeForm;
class TRaumSetzenForm;

class TPlanBSForm : public QDialog {
    Q_OBJECT
public:
    TPlanBSForm(Reporter& reporter, QWidget* parent = nullptr);
    ~TPlanBSForm() override;

    // Shows the plan modally until the window is closed: the editor works on `plan` and `stamm`
    // and writes its edits into `history`.
    int Ausfuehren(CPlan& plan, Stammdaten& stamm, EditHistory& history);
    // What Ausfuehren does before the window opens: the lists filled, the first class shown on
    // page 1, every page in the class view. Tests show the window themselves afterwards.
    void Vorbereiten(CPlan& plan, Stammdaten& stamm, EditHistory& history);
    PlanEditor* Editor() { return editor_.get(); }
    PlanGitter& Gitter(); // the grid of the active page
    TRaumSetzenForm& RaumForm() { return *raumForm_; }
    TLegendeForm& LegendeForm() { return *legende_; }
    QMenu& Menue() { return *menue_; }

signals:
    // "Ausgabe": the main window's output command is wanted.
    void AusgabeVerlangt();

public slots:
    // The view as the radio group, lists and page say; captions, statistics and conflict group.
    void Aktualisieren();
    void Escape();
    void RueckgaengigClick();
    void WiederholenClick();
    void RaumSetzenClick();
    void LegendeClick();
    void AusgabeClick();
    // The popup at a point of the screen, when a cell was selected since the last refresh.
    void MenueZeigen(const QPoint& global);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Seite {
        int Ansicht = 1; // AnsichtRG's index
        std::array<int, 3> Listen{0, 0, 0};
    };

    void Aufbauen();
    QWidget* Bedienteil();
    QGroupBox* StatistikTeil();
    QGroupBox* KonfliktTeil();
    void MenueAufbauen();
    // The editor's answer: a refresh or a repaint.
    void Folgen(EditResult ergebnis);
    // Every cell again, the statistics, the pointer and the undo buttons.
    void Neuzeichnen();
    void Taste(char buchstabe);
    void SeiteGewechselt(int index);
    void SeiteSichern();
    void SeiteLaden(int index);
    void MenueSetzen();
    Ansicht AktuelleAnsicht() const;
    int AktuellerIndex() const;

    Reporter& reporter_;
    CPlan* plan_ = nullptr;
    std::unique_ptr<PlanEditor> editor_;
    std::array<Seite, 4> seiten_{};
    int seite_ = 0;
    bool laden_ = false; // the controls are being set: their signals do not refresh

    QTabWidget* planSGPC_ = nullptr;
    std::array<PlanGitter*, 4> gitter_{};
    QButtonGroup* ansichtRG_ = nullptr;
    std::array<QComboBox*, 3> listen_{}; // teacher, class, room
    QCheckBox* nurKurzCB_ = nullptr;
    struct StatistikLabel {
        QLabel* LeerStunden;
        QLabel* LeerStundenMaximum;
        QLabel* StundenMaximum;
        QLabel* StundenMinimum;
        QLabel* TrennungsFehler;
        QLabel* SpezialTrennungsFehler;
        QLabel* Stunden;
        QLabel* GesetzteStunden;
        QLabel* LSSum;
    } statistik_{};
    QGroupBox* konfliktGB_ = nullptr;
    QLabel *konfliktLehrerL_ = nullptr, *konfliktFachKursL_ = nullptr, *konfliktKlassenL_ = nullptr,
           *konfliktRaumL_ = nullptr;
    QPushButton* rueckgaengigBtn_ = nullptr;
    QPushButton* wiederholenBtn_ = nullptr;
    QMenu* menue_ = nullptr;
    struct MenueEintraege {
        QAction* Verschieben;
        QAction* Suchen;
        QAction* Austausch;
        QAction* ZeitFest;
        QAction* TagSetzen;
        QAction* OberesLimit;
        QAction* UnteresLimit;
        QAction* Sperren;
        QAction* RaumSetzen;
    } eintraege_{};
    TRaumSetzenForm* raumForm_ = nullptr;
    TLegendeForm* legende_ = nullptr;
};

} // namespace sw::ui
