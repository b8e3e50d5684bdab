// SPDX-License-Identifier: GPL-3.0-or-later
// UnterrichtSeiten.h: the controls of the lesson window's three pages, built and laid out in one
// place, each with its component name as object name and its caption. The window connects them
// and fills them; nothing here reads or writes master data.
#pragma once
#include <QString>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace sw::ui {

struct UnterrichtSeiten {
    QTabWidget* UnterrichtPC = nullptr;
    QWidget* UnterrichtsBlockTS = nullptr;
    QWidget* EinheitenTS = nullptr;
    QWidget* SpezialTrennungenTS = nullptr;

    // Block page.
    QListWidget* LehrerL = nullptr;
    QListWidget* KlassenL = nullptr;
    QListWidget* FachL = nullptr;
    QListWidget* KursL = nullptr;
    QListWidget* KursFachL = nullptr;
    QGroupBox* AnsichtRG = nullptr;
    QButtonGroup* Ansicht = nullptr; // 0 "Lehrer", 1 "Klasse"
    QListWidget* VFachBlockL = nullptr;
    QListWidget* VFachStdL = nullptr;
    QListWidget* VKursBlockL = nullptr;
    QListWidget* VKursStdL = nullptr;
    QLabel* SummeLabel = nullptr;
    QPushButton* HinzuBitBtn = nullptr;
    QPushButton* EntfernenBitBtn = nullptr;
    QCheckBox* TrennungCB = nullptr;
    QPushButton* SchliessenBtn = nullptr;

    // Units page.
    QListWidget* EinheitenL = nullptr;
    QListWidget* EinheitenStdL = nullptr;
    QListWidget* RaumL = nullptr;
    QPushButton* ZusammenfassenBtn = nullptr;
    QPushButton* ZerlegenBtn = nullptr;
    QPushButton* RaumWaehlenBtn = nullptr;
    QPushButton* RaumLoeschenBtn = nullptr;
    QPushButton* ZeitLoeschenBtn = nullptr;
    QMenu* EinheitenPM = nullptr;
    QAction* ZusammenfassenPMI = nullptr;
    QAction* ZerlegenInEinzeleinheitenPMI = nullptr;
    QAction* RaumWaehlenPMI = nullptr;
    QAction* RaumLoeschenPMI = nullptr;
    QTableWidget* ZeitvorgabenG = nullptr;
    QCheckBox* NurUrPlanCB = nullptr;
    QCheckBox* OberesLimitCB = nullptr;
    QCheckBox* UnteresLimitCB = nullptr;
    QComboBox* LimitCoBox = nullptr;
    QCheckBox* TagesLimitCB = nullptr;
    QComboBox* TagCoBox = nullptr;
    QCheckBox* RaumCheckCB = nullptr;
    QGroupBox* KonfliktGB = nullptr;
    QLabel* HinweisLabel = nullptr;
    QLabel* Label12 = nullptr;

    // Special-separation page.
    QListWidget* TrennungKlassenL = nullptr;
    QListWidget* TrennungStundenBlockL = nullptr;
    QListWidget* TrennungKursBlockL = nullptr;
    QListWidget* BeteiligtFachL = nullptr;
    QListWidget* BeteiligtKursL = nullptr;
    QPushButton* TrennungHinzuBitBtn = nullptr;
    QPushButton* TrennungEntfernenBitBtn = nullptr;

    // Builds every control as a child of `fenster` and lays the pages out.
    void Aufbauen(QWidget* fenster);

private:
    QWidget* BlockSeite(QWidget* fenster);
    QWidget* EinheitenSeite(QWidget* fenster);
    QWidget* TrennungsSeite(QWidget* fenster);
};

// Lists whose rows belong together: selecting in one selects the same rows in the others.
void Parallel(std::initializer_list<QListWidget*> listen);

} // namespace sw::ui
