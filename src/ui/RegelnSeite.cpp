// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RegelnSeite.h"

#include "model/Regeln.h"
#include "ui/QtReporter.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace sw::ui {

RegelnSeite::RegelnSeite(bool lehrer, QWidget* parent) : QWidget(parent), lehrer_(lehrer) {
    setObjectName("RegelnTS");
    maxStunden_ = Feld("MaxStundenProTagSE");
    minStunden_ = Feld("MinStundenProTagSE");
    maxLuecken_ = Feld("MaxLueckenProTagSE");
    maxLueckenWoche_ = Feld("MaxLueckenProWocheSE");
    maxInFolge_ = Feld("MaxInFolgeSE");
    auto* tag = new QGroupBox("Der Tag", this);
    auto* tagForm = new QFormLayout(tag);
    tagForm->addRow("Höchstens Stunden am Tag:", maxStunden_);
    tagForm->addRow("Mindestens Stunden an einem Tag mit Unterricht:", minStunden_);
    tagForm->addRow("Höchstens Lücken am Tag:", maxLuecken_);
    tagForm->addRow("Höchstens Lücken in der Woche:", maxLueckenWoche_);
    tagForm->addRow("Höchstens Stunden in Folge:", maxInFolge_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tag);
    if (lehrer_) {
        maxTage_ = Feld("MaxTageSE");
        minTage_ = Feld("MinTageSE");
        fensterVon_ = Feld("FensterVonSE");
        fensterBis_ = Feld("FensterBisSE");
        fensterTage_ = Feld("FensterMaxTageSE");
        auto* woche = new QGroupBox("Die Woche", this);
        auto* wocheForm = new QFormLayout(woche);
        wocheForm->addRow("Höchstens Tage mit Unterricht:", maxTage_);
        wocheForm->addRow("Mindestens Tage mit Unterricht:", minTage_);
        auto* fenster = new QHBoxLayout;
        fenster->addWidget(new QLabel("Stunden", this));
        fenster->addWidget(fensterVon_);
        fenster->addWidget(new QLabel("bis", this));
        fenster->addWidget(fensterBis_);
        fenster->addWidget(new QLabel("an höchstens", this));
        fenster->addWidget(fensterTage_);
        fenster->addWidget(new QLabel("Tagen", this));
        fenster->addStretch(1);
        wocheForm->addRow("Zeitfenster:", fenster);
        layout->addWidget(woche);
    }
    texte_ = new QLabel(this);
    texte_->setObjectName("RegelnL");
    texte_->setWordWrap(true);
    uebernehmenBtn_ = new QPushButton("Übernehmen", this);
    uebernehmenBtn_->setObjectName("RegelnUebernehmenBtn");
    uebernehmenBtn_->setAutoDefault(false);
    connect(uebernehmenBtn_, &QPushButton::clicked, this, &RegelnSeite::Uebernommen);
    auto* unten = new QHBoxLayout;
    unten->addWidget(texte_, 1);
    unten->addWidget(uebernehmenBtn_, 0, Qt::AlignBottom);
    layout->addStretch(1);
    layout->addLayout(unten);
    Aufbauen(AllgemeineAngaben{});
}

QSpinBox* RegelnSeite::Feld(const char* name) {
    auto* f = new QSpinBox(this);
    f->setObjectName(name);
    // The lowest value is "no rule".
    f->setSpecialValueText("—");
    f->setMinimumWidth(60);
    return f;
}

void RegelnSeite::Bereich(QSpinBox* feld, int von, int bis) {
    if (!feld) return;
    const int wert = Wert(feld);
    QSignalBlocker still(feld);
    feld->setRange(von - 1, bis);
    Setzen(feld, wert);
}

void RegelnSeite::Setzen(QSpinBox* feld, int wert) {
    if (!feld) return;
    QSignalBlocker still(feld);
    feld->setValue(wert == kKeineRegel ? feld->minimum() : wert);
}

int RegelnSeite::Wert(const QSpinBox* feld) {
    if (!feld || feld->value() == feld->minimum()) return kKeineRegel;
    return feld->value();
}

void RegelnSeite::Aufbauen(const AllgemeineAngaben& a) {
    const int tag = DayHours(a);
    Bereich(maxStunden_, 1, tag);
    Bereich(minStunden_, 1, tag);
    Bereich(maxLuecken_, 0, tag);
    Bereich(maxLueckenWoche_, 0, WeekHours(a));
    Bereich(maxInFolge_, 1, tag);
    Bereich(maxTage_, 1, a.Tage);
    Bereich(minTage_, 1, a.Tage);
    Bereich(fensterVon_, 0, kMaxHour);
    Bereich(fensterBis_, 0, kMaxHour);
    Bereich(fensterTage_, 0, a.Tage);
}

void RegelnSeite::Zeigen(const CLehrerRegeln& r) {
    Setzen(maxStunden_, r.MaxStundenProTag);
    Setzen(minStunden_, r.MinStundenProTag);
    Setzen(maxLuecken_, r.MaxLueckenProTag);
    Setzen(maxLueckenWoche_, r.MaxLueckenProWoche);
    Setzen(maxInFolge_, r.MaxInFolge);
    Setzen(maxTage_, r.MaxTage);
    Setzen(minTage_, r.MinTage);
    Setzen(fensterVon_, r.FensterVon);
    Setzen(fensterBis_, r.FensterBis);
    Setzen(fensterTage_, r.FensterMaxTage);
    const auto texte = lehrer_ ? RegelTexte(r) : RegelTexte(static_cast<const CTagesRegeln&>(r));
    QString text = texte.empty() ? QString("Keine Regeln.") : QString("Es gilt:");
    for (const std::string& t : texte)
        text += "\n• " + Q(t);
    texte_->setText(text);
}

CLehrerRegeln RegelnSeite::Werte() const {
    CLehrerRegeln r;
    r.MaxStundenProTag = Wert(maxStunden_);
    r.MinStundenProTag = Wert(minStunden_);
    r.MaxLueckenProTag = Wert(maxLuecken_);
    r.MaxLueckenProWoche = Wert(maxLueckenWoche_);
    r.MaxInFolge = Wert(maxInFolge_);
    r.MaxTage = Wert(maxTage_);
    r.MinTage = Wert(minTage_);
    r.FensterVon = Wert(fensterVon_);
    r.FensterBis = Wert(fensterBis_);
    r.FensterMaxTage = Wert(fensterTage_);
    return r;
}

void RegelnSeite::SetEditable(bool editable) {
    for (QSpinBox* f : findChildren<QSpinBox*>())
        f->setEnabled(editable);
    uebernehmenBtn_->setEnabled(editable);
}

} // namespace sw::ui
