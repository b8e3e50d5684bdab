// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TRaumForm.h"

#include "ui/ListenFilter.h"
#include "ui/QtReporter.h"
#include "ui/SperrGitter.h"
#include "ui/TNeuForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sw::ui {

namespace {
// A radio group: a titled box with one button per text, numbered from 0.
QGroupBox* Gruppe(QWidget* eltern, const char* name, const QString& titel, const QStringList& texte,
                  QButtonGroup*& knoepfe) {
    auto* box = new QGroupBox(titel, eltern);
    box->setObjectName(name);
    knoepfe = new QButtonGroup(box);
    auto* v = new QVBoxLayout(box);
    for (int i = 0; i < texte.size(); ++i) {
        auto* r = new QRadioButton(texte[i], box);
        knoepfe->addButton(r, i);
        v->addWidget(r);
    }
    return box;
}

// Checks button `id` of the group, or none for -1, without calling its handler.
void Setzen(QButtonGroup* g, int id) {
    QSignalBlocker still(g);
    g->setExclusive(false);
    for (QAbstractButton* b : g->buttons()) {
        QSignalBlocker stillB(b);
        b->setChecked(g->id(b) == id);
    }
    g->setExclusive(true);
}
} // namespace

TRaumForm::TRaumForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent)
    : TStammForm(session, reporter, desktop, parent, "RaumForm", kHilfe) {
    setWindowTitle(QString::fromUtf8("Räume"));
    neuForm_ = new TNeuNameForm(this);
    seiten_ = new QTabWidget(this);
    seiten_->setObjectName("RaumPC");
    auto* allgemein = new QWidget(this);
    allgemein->setObjectName("AllgemeinTS");
    ListeAnlegen("RaumCoBox");
    kurzL_ = new QLabel(this);
    kurzL_->setObjectName("KurzL");
    raumTypRG_ = Gruppe(this, "RaumTypRG", "Raum - Typ",
                        {"Universal", "Spezial", "Spezial reserviert"}, raumTyp_);
    klassenRaumRG_ = Gruppe(this, "KlassenRaumRG", "Klassenraum",
                            {"Kein Klassenraum", "Klassenraum reserviert"}, klassenRaum_);
    fachCLBox_ = CheckListe("FachCLBox");
    klassenCLBox_ = CheckListe("KlassenCLBox");
    klassenKursFreigabeCB_ =
        Kasten("KlassenKursFreigabeCB", "Für Klassen - eigene Kurse freigeben");
    neuBtn_ = Knopf("NeuBtn", "Neu");
    umbenennenBtn_ = Knopf("UmbenennenBtn", "Umbenennen");
    loeschenBtn_ = Knopf("LoeschenBtn", QString::fromUtf8("Löschen"));
    QWidget* leiste = Navigation();
    QPushButton* schliessen = Knopf("SchliessenBtn", QString::fromUtf8("Schließen"));

    connect(neuBtn_, &QPushButton::clicked, this, &TRaumForm::NeuClick);
    connect(neuBitBtn_, &QPushButton::clicked, this, &TRaumForm::NeuClick);
    connect(umbenennenBtn_, &QPushButton::clicked, this, &TRaumForm::UmbenennenClick);
    connect(loeschenBtn_, &QPushButton::clicked, this, &TRaumForm::LoeschenClick);
    connect(loeschenBitBtn_, &QPushButton::clicked, this, &TRaumForm::LoeschenBitBtnClick);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(raumTyp_, &QButtonGroup::idClicked, this, [this](int id) {
        if (!laden_) Ergebnis(Editor().SetRoomType(Auswahl(), static_cast<RaumTyp>(id)));
    });
    connect(klassenRaum_, &QButtonGroup::idClicked, this, [this](int id) {
        if (!laden_) Ergebnis(Editor().SetRoomClassType(Auswahl(), id == 1));
    });
    connect(fachCLBox_, &QListWidget::itemChanged, this, &TRaumForm::FachGeklickt);
    connect(klassenCLBox_, &QListWidget::itemChanged, this, &TRaumForm::KlasseGeklickt);
    connect(klassenKursFreigabeCB_, &QCheckBox::clicked, this, [this](bool an) {
        if (!laden_) Ergebnis(Editor().SetRoomCourseRelease(Auswahl(), an));
    });

    auto* kopf = new QGridLayout;
    kopf->addWidget(new QLabel("Raum:", this), 0, 0);
    kopf->addWidget(liste_, 0, 1);
    kopf->addWidget(new QLabel(QString::fromUtf8("Kürzel:"), this), 1, 0);
    kopf->addWidget(kurzL_, 1, 1);
    auto* typen = new QVBoxLayout;
    typen->addWidget(raumTypRG_);
    typen->addWidget(klassenRaumRG_);
    typen->addWidget(klassenKursFreigabeCB_);
    typen->addStretch(1);
    auto* listen = new QGridLayout;
    listen->addWidget(new QLabel(QString::fromUtf8("Fächer"), this), 0, 0);
    listen->addWidget(new QLabel("Klassen", this), 0, 1);
    listen->addLayout(MitFilter(fachCLBox_, this), 1, 0);
    listen->addLayout(MitFilter(klassenCLBox_, this), 1, 1);
    auto* mitte = new QHBoxLayout;
    mitte->addLayout(typen);
    mitte->addLayout(listen, 1);
    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* b : {neuBtn_, umbenennenBtn_, loeschenBtn_})
        knoepfe->addWidget(b);
    knoepfe->addStretch(1);
    auto* v = new QVBoxLayout(allgemein);
    v->addLayout(kopf);
    v->addLayout(mitte, 1);
    v->addLayout(knoepfe);
    SeitenAnordnen(seiten_, allgemein, SperrZiel::Raum, leiste, schliessen);
    resize(560, 440);
}

std::vector<std::string> TRaumForm::Namen() const {
    return NamenVon(Daten().Raeume);
}

const CRaumFach* TRaumForm::Raum() const {
    return Ausgewaehlt(Daten().Raeume);
}

const LockGrid* TRaumForm::Sperre() const {
    const CRaumFach* r = Raum();
    return r ? &r->Sperre : nullptr;
}

void TRaumForm::Zeigen() {
    const CRaumFach* r = Raum();
    const std::vector<std::string> keine;
    const std::vector<std::string> klassen = NamenVon(Daten().Klassen);
    CheckListeFuellen(fachCLBox_, Daten().Faecher, r ? r->Faecher : keine);
    CheckListeFuellen(klassenCLBox_, klassen,
                      r && !r->Klasse.empty() ? std::vector<std::string>{r->Klasse} : keine);
    laden_ = true;
    kurzL_->setText(r ? Q(r->Kurz) : QString());
    int typ = -1;
    if (r)
        for (int i = 0; i < 3; ++i)
            if (r->FachTyp[i]) typ = i;
    Setzen(raumTyp_, typ);
    Setzen(klassenRaum_, !r ? -1 : r->KlassenTyp[2] ? 1 : r->KlassenTyp[0] ? 0 : -1);
    {
        QSignalBlocker still(klassenKursFreigabeCB_);
        klassenKursFreigabeCB_->setChecked(r && r->KlassenKursFreigabe);
    }
    laden_ = false;
}

void TRaumForm::Freigeben() {
    const CRaumFach* r = Raum();
    for (QWidget* w : std::initializer_list<QWidget*>{neuBtn_, loeschenBtn_, raumTypRG_,
                                                      klassenRaumRG_, neuBitBtn_, loeschenBitBtn_})
        w->setEnabled(editable_);
    // A universal room has no subjects of its own; a room without a reserved class room no
    // class. In plan mode both lists stay disabled whatever the type.
    fachCLBox_->setEnabled(editable_ && r && !r->FachTyp[0]);
    klassenCLBox_->setEnabled(editable_ && r && r->KlassenTyp[2]);
}

void TRaumForm::FachGeklickt(QListWidgetItem* item) {
    if (laden_) return;
    Ergebnis(Editor().SetRoomSubject(Auswahl(), S(item->text()), item->checkState() == Qt::Checked,
                                     reporter_));
}

void TRaumForm::KlasseGeklickt(QListWidgetItem* item) {
    if (laden_) return;
    Ergebnis(Editor().SetRoomClass(Auswahl(), S(item->text()), item->checkState() == Qt::Checked,
                                   reporter_));
}

void TRaumForm::NeuClick() {
    neuForm_->SetKurz({});
    if (!Eingabe(*neuForm_, stammtext::NeuerRaum, stammtext::NeuerRaumPrompt)) return;
    Ergebnis(Editor().NewRoom({S(neuForm_->Name()), S(neuForm_->Kurz())}, reporter_));
}

void TRaumForm::UmbenennenClick() {
    const CRaumFach* r = Raum();
    if (!r) return;
    neuForm_->SetKurz(Q(r->Kurz));
    if (!Eingabe(*neuForm_, stammtext::RaumUmbenennen, stammtext::RaumUmbenennenPrompt, Q(r->Name)))
        return;
    Ergebnis(Editor().RenameRoom(Auswahl(), {S(neuForm_->Name()), S(neuForm_->Kurz())}, reporter_));
}

void TRaumForm::LoeschenClick() {
    if (Auswahl() < 0) return;
    Ergebnis(Editor().DeleteRoom(Auswahl(), reporter_));
}

void TRaumForm::LoeschenBitBtnClick() {
    if (Auswahl() < 0) return;
    Ergebnis(Editor().DeleteRoomFromBar(Auswahl(), reporter_));
}

} // namespace sw::ui
