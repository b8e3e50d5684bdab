// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TKursForm.h"

#include "ui/ListenFilter.h"
#include "ui/QtReporter.h"
#include "ui/TNeuForm.h"
#include "ui/UnterrichtSeiten.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace sw::ui {

namespace {
QListWidget* Liste(QWidget* eltern, const char* name) {
    auto* l = new QListWidget(eltern);
    l->setObjectName(name);
    return l;
}

// Fills `l` with `zeilen` unless it holds them already; the row stays where it can.
void Fuellen(QListWidget* l, const std::vector<std::string>& zeilen) {
    bool gleich = l->count() == static_cast<int>(zeilen.size());
    for (int i = 0; gleich && i < l->count(); ++i)
        gleich = l->item(i)->text() == Q(zeilen[i]);
    if (gleich) return;
    QSignalBlocker still(l);
    const int zeile = l->currentRow();
    l->clear();
    for (const auto& z : zeilen)
        l->addItem(Q(z));
    if (zeile >= 0 && zeile < l->count()) l->setCurrentRow(zeile);
}

// The text of the selected row, empty without one.
std::string Gewaehlt(const QListWidget* l) {
    const QListWidgetItem* item = l->currentItem();
    return item && item->isSelected() ? S(item->text()) : std::string();
}
} // namespace

TKursForm::TKursForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent)
    : TStammForm(session, reporter, desktop, parent, "KursForm", kHilfe) {
    setWindowTitle("Kurse");
    neuForm_ = new TNeuKursForm(this);
    ListeAnlegen("KursCoBox");
    kurzL_ = new QLabel(this);
    kurzL_->setObjectName("KurzL");
    stundenL_ = new QLabel(this);
    stundenL_->setObjectName("StundenL");
    lehrerL_ = Liste(this, "LehrerL");
    fachL_ = Liste(this, "FachL");
    lehrerKursL_ = Liste(this, "LehrerKursL");
    fachKursL_ = Liste(this, "FachKursL");
    // Wide enough for names in capitals ("MATHEMATIK"); they grow with the window.
    const int name = fontMetrics().horizontalAdvance("ANNA-LENA MÜLLER") + 24;
    const int fach = fontMetrics().horizontalAdvance("MATHEMATIK-LK") + 24;
    for (QListWidget* l : {lehrerL_, lehrerKursL_})
        l->setMinimumWidth(name);
    for (QListWidget* l : {fachL_, fachKursL_})
        l->setMinimumWidth(fach);
    Parallel({lehrerKursL_, fachKursL_});
    hinzuBitBtn_ = Knopf("HinzuBitBtn", QString::fromUtf8("Hinzufügen"));
    entfernenBitBtn_ = Knopf("EntfernenBitBtn", "Entfernen");
    neuBtn_ = Knopf("NeuBtn", "Neu");
    umbenennenBtn_ = Knopf("UmbenennenBtn", "Umbenennen");
    loeschenBtn_ = Knopf("LoeschenBtn", QString::fromUtf8("Löschen"));
    QWidget* leiste = Navigation();
    QPushButton* schliessen = Knopf("SchliessenBtn", QString::fromUtf8("Schließen"));

    connect(neuBtn_, &QPushButton::clicked, this, &TKursForm::NeuClick);
    connect(neuBitBtn_, &QPushButton::clicked, this, &TKursForm::NeuClick);
    connect(umbenennenBtn_, &QPushButton::clicked, this, &TKursForm::UmbenennenClick);
    connect(loeschenBtn_, &QPushButton::clicked, this, &TKursForm::LoeschenClick);
    connect(loeschenBitBtn_, &QPushButton::clicked, this, &TKursForm::LoeschenClick);
    connect(hinzuBitBtn_, &QPushButton::clicked, this, &TKursForm::HinzuClick);
    connect(entfernenBitBtn_, &QPushButton::clicked, this, &TKursForm::EntfernenClick);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(lehrerL_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!laden_) LehrerGewaehlt();
    });

    auto* kopf = new QGridLayout;
    kopf->addWidget(new QLabel("Kurs:", this), 0, 0);
    kopf->addWidget(liste_, 0, 1);
    kopf->addWidget(new QLabel(QString::fromUtf8("Kürzel:"), this), 1, 0);
    kopf->addWidget(kurzL_, 1, 1);
    kopf->addWidget(new QLabel("Stunden:", this), 2, 0);
    kopf->addWidget(stundenL_, 2, 1);
    kopf->setColumnStretch(2, 1);
    auto* wahl = new QGridLayout;
    wahl->addWidget(new QLabel("Lehrer", this), 0, 0);
    wahl->addWidget(new QLabel(QString::fromUtf8("Fächer"), this), 0, 1);
    wahl->addLayout(MitFilter(lehrerL_, this), 1, 0);
    wahl->addWidget(fachL_, 1, 1);
    auto* mitte = new QVBoxLayout;
    mitte->addStretch(1);
    mitte->addWidget(hinzuBitBtn_);
    mitte->addWidget(entfernenBitBtn_);
    mitte->addStretch(1);
    auto* definitionen = new QGroupBox("Kurs - Definitionen", this);
    definitionen->setObjectName("KursDefinitionenGB");
    auto* d = new QHBoxLayout(definitionen);
    d->addWidget(lehrerKursL_);
    d->addWidget(fachKursL_);
    auto* listen = new QHBoxLayout;
    listen->addLayout(wahl, 1);
    listen->addLayout(mitte);
    listen->addWidget(definitionen, 1);
    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* b : {neuBtn_, umbenennenBtn_, loeschenBtn_})
        knoepfe->addWidget(b);
    knoepfe->addStretch(1);
    auto* unten = new QHBoxLayout;
    unten->addWidget(leiste);
    unten->addStretch(1);
    unten->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kopf);
    layout->addLayout(listen, 1);
    layout->addLayout(knoepfe);
    layout->addLayout(unten);
    resize(minimumSizeHint().expandedTo(QSize(640, 420)));
}

std::vector<std::string> TKursForm::Namen() const {
    return NamenVon(Daten().KursBloecke);
}

const CKursBlock* TKursForm::Kurs() const {
    return Ausgewaehlt(Daten().KursBloecke);
}

void TKursForm::Zeigen() {
    const CKursBlock* k = Kurs();
    kurzL_->setText(k ? Q(k->Kurz) : QString());
    stundenL_->setText(k ? QString::number(k->BStunden) : QString());
    const std::vector<std::string> lehrer = NamenVon(Daten().Lehrer);
    const std::vector<std::string> kursLehrer =
        k ? NamenVon(k->Lehrer) : std::vector<std::string>{};
    laden_ = true;
    const bool neu = lehrerL_->count() != static_cast<int>(lehrer.size());
    Fuellen(lehrerL_, lehrer);
    if (neu && lehrerL_->count() > 0 && lehrerL_->currentRow() < 0) lehrerL_->setCurrentRow(0);
    {
        QSignalBlocker a(lehrerKursL_), b(fachKursL_);
        lehrerKursL_->clear();
        fachKursL_->clear();
    }
    Fuellen(lehrerKursL_, kursLehrer);
    Fuellen(fachKursL_, k ? k->Faecher : std::vector<std::string>{});
    laden_ = false;
    LehrerGewaehlt();
}

void TKursForm::LehrerGewaehlt() {
    const int l = lehrerL_->selectedItems().isEmpty() ? -1 : lehrerL_->currentRow();
    const auto& alle = Daten().Lehrer;
    const std::vector<std::string> faecher =
        l >= 0 && l < static_cast<int>(alle.size()) ? alle[l].Faecher : std::vector<std::string>{};
    QSignalBlocker still(fachL_);
    fachL_->clear();
    for (const auto& f : faecher)
        fachL_->addItem(Q(f));
    if (fachL_->count() > 0) fachL_->setCurrentRow(0);
}

void TKursForm::Freigeben() {
    for (QWidget* w : std::initializer_list<QWidget*>{
             neuBtn_, loeschenBtn_, neuBitBtn_, loeschenBitBtn_, hinzuBitBtn_, entfernenBitBtn_})
        w->setEnabled(editable_);
    neuForm_->SetEditable(editable_);
}

void TKursForm::NeuClick() {
    neuForm_->SetKurz({});
    neuForm_->SetStunden({});
    if (!Eingabe(*neuForm_, stammtext::NeuerKurs, stammtext::NeuerKursPrompt)) return;
    Ergebnis(Editor().NewCourse({S(neuForm_->Name()), S(neuForm_->Kurz()), S(neuForm_->Stunden())},
                                reporter_));
}

void TKursForm::UmbenennenClick() {
    const CKursBlock* k = Kurs();
    if (!k) return;
    neuForm_->SetKurz(Q(k->Kurz));
    neuForm_->SetStunden(QString::number(k->BStunden));
    if (!Eingabe(*neuForm_, stammtext::KursUmbenennen, stammtext::KursUmbenennenPrompt, Q(k->Name)))
        return;
    Ergebnis(Editor().RenameCourse(
        Auswahl(), {S(neuForm_->Name()), S(neuForm_->Kurz()), S(neuForm_->Stunden())}, !editable_,
        reporter_));
}

void TKursForm::LoeschenClick() {
    if (Auswahl() < 0) return;
    Ergebnis(Editor().DeleteCourse(Auswahl(), reporter_));
}

void TKursForm::HinzuClick() {
    if (Auswahl() < 0) return;
    Ergebnis(Editor().AddCourseTeacher(Auswahl(), Gewaehlt(lehrerL_), Gewaehlt(fachL_), reporter_));
}

void TKursForm::EntfernenClick() {
    if (Auswahl() < 0 || lehrerKursL_->selectedItems().isEmpty()) return;
    Ergebnis(Editor().RemoveCourseTeacher(Auswahl(), lehrerKursL_->currentRow(), reporter_));
}

} // namespace sw::ui
