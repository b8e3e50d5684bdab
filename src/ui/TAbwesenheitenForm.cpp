// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TAbwesenheitenForm.h"

#include "substitute/Vertretungstag.h"
#include "ui/QtReporter.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sw::ui {

namespace {

QDate AlsQDate(const Datum& d) {
    return {d.Jahr, d.Monat, d.Tag};
}

Datum AlsDatum(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}

QString StundeText(int stunde) {
    return stunde < 0 ? QString() : QString::number(stunde);
}

// -1 ("ganzer Tag") to the last hour.
QSpinBox* StundenFeld(QWidget* eltern, const char* name) {
    auto* s = new QSpinBox(eltern);
    s->setObjectName(name);
    s->setRange(-1, kMaxHour);
    s->setSpecialValueText("ganzer Tag");
    s->setValue(-1);
    return s;
}

} // namespace

TAbwesenheitenForm::TAbwesenheitenForm(Reporter& reporter, QWidget* parent)
    : QDialog(parent), reporter_(reporter) {
    setObjectName("AbwesenheitenForm");
    setWindowTitle("Abwesenheiten");
    liste_ = new QTableWidget(0, 7, this);
    liste_->setObjectName("AbwesenheitenG");
    liste_->setHorizontalHeaderLabels(
        {"Art", "Name", "Von", "Bis", "Ab Stunde", "Bis Stunde", "Grund"});
    liste_->verticalHeader()->hide();
    liste_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    liste_->horizontalHeader()->setStretchLastSection(true);
    liste_->setSelectionBehavior(QAbstractItemView::SelectRows);
    liste_->setSelectionMode(QAbstractItemView::SingleSelection);
    liste_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    artCoBox_ = new QComboBox(this);
    artCoBox_->setObjectName("ArtCoBox");
    artCoBox_->addItems({"Lehrer", "Klasse"});
    connect(artCoBox_, &QComboBox::currentIndexChanged, this, &TAbwesenheitenForm::ArtGewechselt);
    nameCoBox_ = new QComboBox(this);
    nameCoBox_->setObjectName("NameCoBox");
    vonE_ = new QDateEdit(this);
    vonE_->setObjectName("VonE");
    bisE_ = new QDateEdit(this);
    bisE_->setObjectName("BisE");
    for (QDateEdit* e : {vonE_, bisE_}) {
        e->setDisplayFormat("dd.MM.yyyy");
        e->setCalendarPopup(true);
    }
    // The end follows a start moved past it.
    connect(vonE_, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        if (bisE_->date() < d) bisE_->setDate(d);
    });
    abStundeSB_ = StundenFeld(this, "AbStundeSB");
    bisStundeSB_ = StundenFeld(this, "BisStundeSB");
    grundCoBox_ = new QComboBox(this);
    grundCoBox_->setObjectName("GrundCoBox");
    // A reason of the school's own is typed in and joins the list.
    grundCoBox_->setEditable(true);

    hinzufuegen_ = new QPushButton(Q("Hinzufügen"), this);
    hinzufuegen_->setObjectName("HinzufuegenBtn");
    connect(hinzufuegen_, &QPushButton::clicked, this, &TAbwesenheitenForm::HinzufuegenBtnClick);
    entfernen_ = new QPushButton("Entfernen", this);
    entfernen_->setObjectName("EntfernenBtn");
    connect(entfernen_, &QPushButton::clicked, this, &TAbwesenheitenForm::EntfernenBtnClick);
    auto* schliessen = new QPushButton(Q("Schließen"), this);
    schliessen->setObjectName("Button1");
    connect(schliessen, &QPushButton::clicked, this, &QDialog::accept);

    auto* form = new QFormLayout;
    form->addRow("Art", artCoBox_);
    form->addRow("Name", nameCoBox_);
    form->addRow("Von", vonE_);
    form->addRow("Ab Stunde (am ersten Tag)", abStundeSB_);
    form->addRow("Bis", bisE_);
    form->addRow("Bis Stunde (am letzten Tag)", bisStundeSB_);
    form->addRow("Grund", grundCoBox_);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(hinzufuegen_);
    knoepfe->addWidget(entfernen_);
    knoepfe->addStretch();
    knoepfe->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(liste_, 1);
    layout->addLayout(form);
    layout->addLayout(knoepfe);
    resize(720, 520);
}

void TAbwesenheitenForm::Fuellen(const CPlan& plan, JournalDatei& journal, const Datum& datum) {
    plan_ = &plan;
    journal_ = &journal;
    geaendert_ = false;
    vonE_->setDate(AlsQDate(datum));
    bisE_->setDate(AlsQDate(datum));
    abStundeSB_->setValue(-1);
    bisStundeSB_->setValue(-1);
    grundCoBox_->clear();
    for (const std::string& g : journal.Daten().Gruende)
        grundCoBox_->addItem(Q(g));
    ArtGewechselt();
    hinzufuegen_->setEnabled(journal.Bearbeitbar());
    entfernen_->setEnabled(journal.Bearbeitbar());
    Anzeigen();
}

void TAbwesenheitenForm::ArtGewechselt() {
    nameCoBox_->clear();
    if (!plan_) return;
    const bool lehrer = artCoBox_->currentIndex() == 0;
    for (int i = 0; i < (lehrer ? plan_->LehrerAnzahl : plan_->KlassenAnzahl); ++i)
        nameCoBox_->addItem(Q(lehrer ? plan_->LehrerAt(i).Name : plan_->KlasseAt(i).Name));
}

void TAbwesenheitenForm::Anzeigen() {
    const std::vector<Abwesenheit>& alle = journal_->Daten().Abwesenheiten();
    liste_->setRowCount(static_cast<int>(alle.size()));
    for (int r = 0; r < liste_->rowCount(); ++r) {
        const Abwesenheit& a = alle[static_cast<std::size_t>(r)];
        const QString zellen[] = {a.Art == AbwesenheitsArt::Lehrer ? "Lehrer" : "Klasse",
                                  Q(a.Name),
                                  Q(a.Von.DeutscherText()),
                                  Q(a.Bis.DeutscherText()),
                                  StundeText(a.AbStunde),
                                  StundeText(a.BisStunde),
                                  Q(a.Grund)};
        for (int c = 0; c < 7; ++c)
            liste_->setItem(r, c, new QTableWidgetItem(zellen[c]));
    }
    liste_->resizeColumnsToContents();
}

void TAbwesenheitenForm::Sichern() {
    geaendert_ = true;
    journal_->Speichern(reporter_);
    Anzeigen();
}

void TAbwesenheitenForm::HinzufuegenBtnClick() {
    if (!journal_ || !journal_->Bearbeitbar()) return;
    Abwesenheit a;
    a.Art = artCoBox_->currentIndex() == 0 ? AbwesenheitsArt::Lehrer : AbwesenheitsArt::Klasse;
    a.Name = S(nameCoBox_->currentText());
    a.Von = AlsDatum(vonE_->date());
    a.Bis = AlsDatum(bisE_->date());
    a.AbStunde = abStundeSB_->value();
    a.BisStunde = bisStundeSB_->value();
    a.Grund = S(grundCoBox_->currentText().trimmed());
    const int gruende = static_cast<int>(journal_->Daten().Gruende.size());
    if (!AbwesenheitEintragen(journal_->Daten(), *plan_, a, reporter_)) return;
    if (static_cast<int>(journal_->Daten().Gruende.size()) > gruende)
        grundCoBox_->addItem(Q(a.Grund));
    Sichern();
    liste_->selectRow(liste_->rowCount() - 1);
}

void TAbwesenheitenForm::EntfernenBtnClick() {
    if (!journal_ || !journal_->Bearbeitbar()) return;
    if (journal_->Daten().Entfernen(liste_->currentRow())) Sichern();
}

} // namespace sw::ui
