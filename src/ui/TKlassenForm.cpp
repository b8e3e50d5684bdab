// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TKlassenForm.h"

#include "ui/QtReporter.h"
#include "ui/RegelnSeite.h"
#include "ui/SperrGitter.h"
#include "ui/TNeuForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sw::ui {

TKlassenForm::TKlassenForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent)
    : TStammForm(session, reporter, desktop, parent, "KlassenForm", kHilfe) {
    setWindowTitle("Klassen");
    neuForm_ = new TNeuForm(this);
    seiten_ = new QTabWidget(this);
    seiten_->setObjectName("KlassenPC");
    auto* allgemein = new QWidget(this);
    allgemein->setObjectName("AllgemeinTS");
    ListeAnlegen("KlassenCoBox");
    optiCB_ = Kasten("OptiCB", "In die Optimierung mit einbeziehen");
    neuBtn_ = Knopf("NeuBtn", "Neu");
    umbenennenBtn_ = Knopf("UmbenennenBtn", "Umbenennen");
    loeschenBtn_ = Knopf("LoeschenBtn", QString::fromUtf8("Löschen"));
    QWidget* leiste = Navigation();
    QPushButton* schliessen = Knopf("SchliessenBtn", QString::fromUtf8("Schließen"));

    connect(neuBtn_, &QPushButton::clicked, this, &TKlassenForm::NeuClick);
    connect(neuBitBtn_, &QPushButton::clicked, this, &TKlassenForm::NeuClick);
    connect(umbenennenBtn_, &QPushButton::clicked, this, &TKlassenForm::UmbenennenClick);
    connect(loeschenBtn_, &QPushButton::clicked, this, &TKlassenForm::LoeschenClick);
    connect(loeschenBitBtn_, &QPushButton::clicked, this, &TKlassenForm::LoeschenClick);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(optiCB_, &QCheckBox::clicked, this, [this](bool an) {
        if (!laden_) Ergebnis(Editor().SetClassOpti(Auswahl(), an));
    });

    auto* kopf = new QHBoxLayout;
    kopf->addWidget(new QLabel("Klasse:", this));
    kopf->addWidget(liste_, 1);
    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* b : {neuBtn_, umbenennenBtn_, loeschenBtn_})
        knoepfe->addWidget(b);
    knoepfe->addStretch(1);
    auto* v = new QVBoxLayout(allgemein);
    v->addLayout(kopf);
    v->addWidget(optiCB_);
    v->addStretch(1);
    v->addLayout(knoepfe);
    SeitenAnordnen(seiten_, allgemein, SperrZiel::Klasse, leiste, schliessen);
    regeln_ = new RegelnSeite(false, this);
    seiten_->addTab(regeln_, "Regeln");
    // A refusal keeps what was typed, so that it can be corrected.
    connect(regeln_, &RegelnSeite::Uebernommen, this, [this] {
        const Aenderung a = Editor().SetClassRules(
            Auswahl(), static_cast<const CTagesRegeln&>(regeln_->Werte()), reporter_);
        if (a.Geaendert) Ergebnis(a);
    });
    resize(440, 380);
}

std::vector<std::string> TKlassenForm::Namen() const {
    return NamenVon(Daten().Klassen);
}

const CKlasse* TKlassenForm::Klasse() const {
    return Ausgewaehlt(Daten().Klassen);
}

const LockGrid* TKlassenForm::Sperre() const {
    const CKlasse* k = Klasse();
    return k ? &k->Sperre : nullptr;
}

void TKlassenForm::Zeigen() {
    const CKlasse* k = Klasse();
    QSignalBlocker still(optiCB_);
    optiCB_->setChecked(k && k->Opti);
    CLehrerRegeln r;
    if (k) static_cast<CTagesRegeln&>(r) = k->Regeln;
    regeln_->Aufbauen(Daten().Angaben);
    regeln_->Zeigen(r);
}

void TKlassenForm::Freigeben() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{neuBtn_, loeschenBtn_, neuBitBtn_, loeschenBitBtn_})
        w->setEnabled(editable_);
    optiCB_->setEnabled(editable_ && Klasse());
    regeln_->SetEditable(editable_ && Klasse());
}

void TKlassenForm::NeuClick() {
    if (!Eingabe(*neuForm_, stammtext::NeueKlasse, stammtext::NeueKlassePrompt)) return;
    Ergebnis(Editor().NewClass(S(neuForm_->Name()), reporter_));
}

void TKlassenForm::UmbenennenClick() {
    const CKlasse* k = Klasse();
    if (!k) return;
    if (!Eingabe(*neuForm_, stammtext::KlasseUmbenennen, stammtext::KlasseUmbenennenPrompt,
                 Q(k->Name)))
        return;
    Ergebnis(Editor().RenameClass(Auswahl(), S(neuForm_->Name()), reporter_));
}

void TKlassenForm::LoeschenClick() {
    if (Auswahl() < 0) return;
    Ergebnis(Editor().DeleteClass(Auswahl(), reporter_));
}

} // namespace sw::ui
