// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UnterrichtSeiten.h"

#include "ui/ListenFilter.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>
#include <vector>

namespace sw::ui {

namespace {
QString U(const char* s) {
    return QString::fromUtf8(s);
}

// A list at least `breite` pixels wide that grows with the window, so that long names show
// whole in a large window; `fest`: a column of hours, which keeps its width.
QListWidget* Liste(QWidget* eltern, const char* name, int breite = 0, bool fest = false) {
    auto* l = new QListWidget(eltern);
    l->setObjectName(name);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (fest)
        l->setFixedWidth(breite);
    else if (breite > 0)
        l->setMinimumWidth(breite);
    return l;
}

// How much of the width a list takes when the window grows: in proportion to its least width.
int Anteil(const QWidget* liste) {
    if (liste->minimumWidth() == liste->maximumWidth()) return 0;
    return liste->minimumWidth() > 0 ? liste->minimumWidth() / 10 : 20;
}

QPushButton* Knopf(QWidget* eltern, const char* name, const char* text) {
    auto* b = new QPushButton(U(text), eltern);
    b->setObjectName(name);
    return b;
}

QCheckBox* Kasten(QWidget* eltern, const char* name, const char* text) {
    auto* c = new QCheckBox(U(text), eltern);
    c->setObjectName(name);
    return c;
}

QAction* Eintrag(QMenu* menu, const char* name, const char* text) {
    QAction* a = menu->addAction(U(text));
    a->setObjectName(name);
    return a;
}

// A caption above a list.
QVBoxLayout* Titel(const char* text, QWidget* liste) {
    auto* v = new QVBoxLayout;
    v->setSpacing(2);
    v->addWidget(new QLabel(U(text)));
    v->addWidget(liste);
    return v;
}

// A caption above a list of names with its filter field.
QVBoxLayout* TitelMitFilter(const char* text, QListWidget* liste, QWidget* eltern) {
    auto* v = new QVBoxLayout;
    v->setSpacing(2);
    v->addWidget(new QLabel(U(text)));
    v->addLayout(MitFilter(liste, eltern), 1);
    return v;
}

// Lists side by side under one caption each, as one box.
QHBoxLayout* Nebeneinander(std::initializer_list<std::pair<const char*, QWidget*>> listen) {
    auto* h = new QHBoxLayout;
    h->setSpacing(2);
    for (const auto& [text, liste] : listen)
        h->addLayout(Titel(text, liste), Anteil(liste));
    return h;
}
} // namespace

void Parallel(std::initializer_list<QListWidget*> listen) {
    const std::vector<QListWidget*> alle(listen);
    auto folgen = std::make_shared<bool>(false);
    for (QListWidget* quelle : alle) {
        QObject::connect(
            quelle, &QListWidget::itemSelectionChanged, quelle, [alle, quelle, folgen] {
                if (*folgen) return;
                *folgen = true;
                for (QListWidget* ziel : alle) {
                    if (ziel == quelle) continue;
                    QSignalBlocker still(ziel);
                    ziel->clearSelection();
                    for (int i = 0; i < quelle->count() && i < ziel->count(); ++i)
                        ziel->item(i)->setSelected(quelle->item(i)->isSelected());
                    const int zeile = quelle->currentRow();
                    if (zeile >= 0 && zeile < ziel->count())
                        ziel->selectionModel()->setCurrentIndex(ziel->model()->index(zeile, 0),
                                                                QItemSelectionModel::NoUpdate);
                    ziel->viewport()->update();
                }
                // The others' own listeners learn of it too; their mirroring stays quiet meanwhile.
                for (QListWidget* ziel : alle)
                    if (ziel != quelle) emit ziel->itemSelectionChanged();
                *folgen = false;
            });
        QObject::connect(quelle->verticalScrollBar(), &QScrollBar::valueChanged, quelle,
                         [alle](int wert) {
                             for (QListWidget* ziel : alle)
                                 ziel->verticalScrollBar()->setValue(wert);
                         });
    }
}

void UnterrichtSeiten::Aufbauen(QWidget* fenster) {
    UnterrichtPC = new QTabWidget(fenster);
    UnterrichtPC->setObjectName("UnterrichtPC");
    UnterrichtsBlockTS = BlockSeite(fenster);
    EinheitenTS = EinheitenSeite(fenster);
    SpezialTrennungenTS = TrennungsSeite(fenster);
    UnterrichtPC->addTab(UnterrichtsBlockTS, U("Unterrichts - Blöcke"));
    UnterrichtPC->addTab(EinheitenTS, U("Einheiten"));
    UnterrichtPC->addTab(SpezialTrennungenTS, U("Spezial-Trennungen"));
    auto* layout = new QVBoxLayout(fenster);
    layout->addWidget(UnterrichtPC);
}

QWidget* UnterrichtSeiten::BlockSeite(QWidget* fenster) {
    auto* seite = new QWidget(fenster);
    seite->setObjectName("UnterrichtsBlockTS");
    LehrerL = Liste(seite, "LehrerL", 170);
    KlassenL = Liste(seite, "KlassenL", 90);
    FachL = Liste(seite, "FachL", 170);
    KursL = Liste(seite, "KursL", 170);
    KursFachL = Liste(seite, "KursFachL", 90);
    VFachBlockL = Liste(seite, "VFachBlockL");
    VFachStdL = Liste(seite, "VFachStdL", 50, true);
    VKursBlockL = Liste(seite, "VKursBlockL");
    VKursStdL = Liste(seite, "VKursStdL", 50, true);
    Parallel({KursL, KursFachL});
    Parallel({VFachBlockL, VFachStdL});
    Parallel({VKursBlockL, VKursStdL});

    AnsichtRG = new QGroupBox("Ansicht", seite);
    AnsichtRG->setObjectName("AnsichtRG");
    Ansicht = new QButtonGroup(AnsichtRG);
    auto* al = new QVBoxLayout(AnsichtRG);
    const char* ansichten[] = {"Lehrer", "Klasse"};
    for (int i = 0; i < 2; ++i) {
        auto* rb = new QRadioButton(ansichten[i], AnsichtRG);
        Ansicht->addButton(rb, i);
        al->addWidget(rb);
    }
    Ansicht->button(0)->setChecked(true);
    HinzuBitBtn = Knopf(seite, "HinzuBitBtn", "Block hinzufügen");
    EntfernenBitBtn = Knopf(seite, "EntfernenBitBtn", "Block entfernen");
    TrennungCB = Kasten(seite, "TrennungCB", "Trennung");
    TrennungCB->setEnabled(false);
    SchliessenBtn = Knopf(seite, "SchliessenBtn", "Schließen");
    SummeLabel = new QLabel(seite);
    SummeLabel->setObjectName("SummeLabel");

    auto* oben = new QHBoxLayout;
    oben->addLayout(TitelMitFilter("Lehrer", LehrerL, seite), Anteil(LehrerL));
    oben->addLayout(TitelMitFilter("Klassen", KlassenL, seite), Anteil(KlassenL));
    auto* faecher = new QVBoxLayout;
    faecher->addLayout(Titel("Fächer des Lehrers", FachL));
    faecher->addLayout(Nebeneinander({{"Kurse des Lehrers", KursL}, {"Fach", KursFachL}}));
    oben->addLayout(faecher, Anteil(KursL) + Anteil(KursFachL));
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(AnsichtRG);
    rechts->addSpacing(8);
    rechts->addWidget(HinzuBitBtn);
    rechts->addWidget(EntfernenBitBtn);
    rechts->addWidget(TrennungCB);
    rechts->addStretch();
    rechts->addWidget(SchliessenBtn);
    oben->addLayout(rechts);

    auto* unten = new QHBoxLayout;
    unten->addLayout(Nebeneinander({{"Fach - Blöcke", VFachBlockL}, {"Std.", VFachStdL}}), 3);
    unten->addLayout(Nebeneinander({{"Kurs - Blöcke", VKursBlockL}, {"Std.", VKursStdL}}), 2);

    auto* layout = new QVBoxLayout(seite);
    layout->addLayout(oben, 1);
    layout->addLayout(unten, 1);
    layout->addWidget(SummeLabel);
    return seite;
}

QWidget* UnterrichtSeiten::EinheitenSeite(QWidget* fenster) {
    auto* seite = new QWidget(fenster);
    seite->setObjectName("EinheitenTS");
    EinheitenL = Liste(seite, "EinheitenL");
    EinheitenL->setSelectionMode(QAbstractItemView::ExtendedSelection);
    EinheitenStdL = Liste(seite, "EinheitenStdL", 44, true);
    EinheitenStdL->setSelectionMode(QAbstractItemView::ExtendedSelection);
    RaumL = Liste(seite, "RaumL", 130);
    RaumL->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Parallel({EinheitenL, EinheitenStdL, RaumL});

    EinheitenPM = new QMenu(seite);
    EinheitenPM->setObjectName("EinheitenPM");
    ZusammenfassenPMI =
        Eintrag(EinheitenPM, "ZusammenfassenPMI", "Zusammenfassen zu einer Einheit");
    ZerlegenInEinzeleinheitenPMI =
        Eintrag(EinheitenPM, "ZerlegenInEinzeleinheitenPMI", "Zerlegen in Einzeleinheiten");
    RaumWaehlenPMI = Eintrag(EinheitenPM, "RaumWaehlenPMI", "Raum wählen");
    RaumLoeschenPMI = Eintrag(EinheitenPM, "RaumLoeschenPMI", "Raum löschen");
    EinheitenL->setContextMenuPolicy(Qt::CustomContextMenu);

    ZusammenfassenBtn = Knopf(seite, "ZusammenfassenBtn", "Zusammenfassen");
    ZerlegenBtn = Knopf(seite, "ZerlegenBtn", "Zerlegen");
    RaumWaehlenBtn = Knopf(seite, "RaumWaehlenBtn", "Raum wählen");
    RaumLoeschenBtn = Knopf(seite, "RaumLoeschenBtn", "Raum löschen");
    ZeitLoeschenBtn = Knopf(seite, "ZeitLoeschenBtn", "Zeit löschen");

    ZeitvorgabenG = new QTableWidget(seite);
    ZeitvorgabenG->setObjectName("ZeitvorgabenG");
    ZeitvorgabenG->horizontalHeader()->hide();
    ZeitvorgabenG->verticalHeader()->hide();
    ZeitvorgabenG->setSelectionMode(QAbstractItemView::SingleSelection);
    ZeitvorgabenG->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ZeitvorgabenG->horizontalHeader()->setDefaultSectionSize(40);
    ZeitvorgabenG->verticalHeader()->setDefaultSectionSize(22);
    ZeitvorgabenG->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ZeitvorgabenG->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ZeitvorgabenG->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

    NurUrPlanCB = Kasten(seite, "NurUrPlanCB", "... nur für die Urplan - Erstellung");
    OberesLimitCB = Kasten(seite, "OberesLimitCB", "... als oberes Limit");
    UnteresLimitCB = Kasten(seite, "UnteresLimitCB", "... als unteres Limit");
    LimitCoBox = new QComboBox(seite);
    LimitCoBox->setObjectName("LimitCoBox");
    TagesLimitCB = Kasten(seite, "TagesLimitCB", "Einschränken auf");
    TagCoBox = new QComboBox(seite);
    TagCoBox->setObjectName("TagCoBox");
    TagCoBox->setMinimumWidth(120);
    RaumCheckCB = Kasten(seite, "RaumCheckCB", "Raum-Überprüfung");
    RaumCheckCB->setChecked(true);

    KonfliktGB = new QGroupBox("Konflikt", seite);
    KonfliktGB->setObjectName("KonfliktGB");
    Label12 = new QLabel("!", KonfliktGB);
    Label12->setObjectName("Label12");
    Label12->setStyleSheet("color: red; font-weight: bold; font-size: 24px;");
    Label12->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    Label12->setFixedWidth(20);
    Label12->hide();
    HinweisLabel = new QLabel(KonfliktGB);
    HinweisLabel->setObjectName("HinweisLabel");
    HinweisLabel->setWordWrap(true);
    HinweisLabel->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    HinweisLabel->setMinimumHeight(90);
    auto* kl = new QHBoxLayout(KonfliktGB);
    kl->addWidget(Label12);
    kl->addWidget(HinweisLabel, 1);

    auto* listen =
        Nebeneinander({{"Einheiten", EinheitenL}, {"Std.", EinheitenStdL}, {"Raum", RaumL}});
    auto* knoepfe = new QGridLayout;
    knoepfe->addWidget(ZusammenfassenBtn, 0, 0);
    knoepfe->addWidget(ZerlegenBtn, 0, 1);
    knoepfe->addWidget(ZeitLoeschenBtn, 0, 2);
    knoepfe->addWidget(RaumWaehlenBtn, 1, 0);
    knoepfe->addWidget(RaumLoeschenBtn, 1, 1);
    auto* links = new QVBoxLayout;
    links->addLayout(listen, 1);
    links->addLayout(knoepfe);

    auto* vorgaben = new QGroupBox("Zeitvorgabe", seite);
    auto* vl = new QVBoxLayout(vorgaben);
    vl->addWidget(ZeitvorgabenG, 0, Qt::AlignLeft);
    vl->addWidget(NurUrPlanCB);
    auto* limit = new QHBoxLayout;
    auto* limits = new QVBoxLayout;
    limits->addWidget(OberesLimitCB);
    limits->addWidget(UnteresLimitCB);
    limit->addLayout(limits);
    limit->addWidget(LimitCoBox);
    limit->addStretch();
    vl->addLayout(limit);
    auto* tag = new QHBoxLayout;
    tag->addWidget(TagesLimitCB);
    tag->addWidget(TagCoBox);
    tag->addStretch();
    vl->addLayout(tag);
    vl->addStretch();
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(vorgaben, 1);
    rechts->addWidget(RaumCheckCB);
    rechts->addWidget(KonfliktGB);

    auto* layout = new QHBoxLayout(seite);
    layout->addLayout(links, 1);
    layout->addLayout(rechts, 1);
    return seite;
}

QWidget* UnterrichtSeiten::TrennungsSeite(QWidget* fenster) {
    auto* seite = new QWidget(fenster);
    seite->setObjectName("SpezialTrennungenTS");
    TrennungKlassenL = Liste(seite, "TrennungKlassenL", 100);
    TrennungStundenBlockL = Liste(seite, "TrennungStundenBlockL");
    TrennungKursBlockL = Liste(seite, "TrennungKursBlockL");
    BeteiligtFachL = Liste(seite, "BeteiligtFachL");
    BeteiligtKursL = Liste(seite, "BeteiligtKursL");
    TrennungHinzuBitBtn = Knopf(seite, "TrennungHinzuBitBtn", "Block hinzufügen");
    TrennungEntfernenBitBtn = Knopf(seite, "TrennungEntfernenBitBtn", "Block entfernen");

    auto* bloecke = new QVBoxLayout;
    bloecke->addLayout(Titel("Stunden - Blöcke", TrennungStundenBlockL));
    bloecke->addLayout(Titel("Kurs - Blöcke", TrennungKursBlockL));
    auto* knoepfe = new QVBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(TrennungHinzuBitBtn);
    knoepfe->addWidget(TrennungEntfernenBitBtn);
    knoepfe->addStretch();
    auto* beteiligt = new QVBoxLayout;
    beteiligt->addLayout(Titel("Beteiligte Fach - Blöcke", BeteiligtFachL));
    beteiligt->addLayout(Titel("Beteiligte Kurs - Blöcke", BeteiligtKursL));
    auto* layout = new QHBoxLayout(seite);
    layout->addLayout(TitelMitFilter("Klassen", TrennungKlassenL, seite), 1);
    layout->addLayout(bloecke, 1);
    layout->addLayout(knoepfe);
    layout->addLayout(beteiligt, 1);
    return seite;
}

} // namespace sw::ui
