// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TVertretungsWahlForm.h"

#include "ui/QtReporter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sw::ui {

namespace {
// A caption label ("Fach:") beside the label of its value, which carries the control's name.
QLabel* Wert(QGridLayout* raster, int zeile, const char* name, const char* titel, QWidget* eltern) {
    auto* t = new QLabel(Q(titel), eltern);
    t->setObjectName(QString(name).chopped(1) + "TitelL");
    auto* w = new QLabel(eltern);
    w->setObjectName(name);
    w->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
    raster->addWidget(t, zeile, 0);
    raster->addWidget(w, zeile, 1);
    return w;
}
} // namespace

TVertretungsWahlForm::TVertretungsWahlForm(QWidget* parent) : QDialog(parent) {
    setObjectName("VertretungsWahlForm");
    setWindowTitle(Q("Vertretung für"));
    setModal(true);
    auto* kopf = new QGridLayout;
    fachL_ = Wert(kopf, 0, "FachL", "Fach:", this);
    lehrerL_ = Wert(kopf, 1, "LehrerL", "Lehrer:", this);
    klasseL_ = Wert(kopf, 2, "KlasseL", "Klasse:", this);
    zeitL_ = Wert(kopf, 3, "ZeitL", "Zeit:", this);
    kopf->setColumnStretch(1, 1);

    liste_ = new QTableWidget(0, static_cast<int>(texte::WahlKopf.size()), this);
    liste_->setObjectName("VertretungG");
    QStringList spalten;
    for (const char* s : texte::WahlKopf)
        spalten << Q(s);
    liste_->setHorizontalHeaderLabels(spalten);
    liste_->verticalHeader()->hide();
    liste_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    liste_->setSelectionBehavior(QAbstractItemView::SelectRows);
    liste_->setSelectionMode(QAbstractItemView::SingleSelection);
    liste_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    liste_->horizontalHeader()->setStretchLastSection(true);
    connect(liste_, &QTableWidget::cellDoubleClicked, this, &TVertretungsWahlForm::AuswahlBtnClick);

    auto* auswahl = new QPushButton(Q("Auswählen"), this);
    auswahl->setObjectName("AuswahlBtn");
    auswahl->setDefault(true);
    connect(auswahl, &QPushButton::clicked, this, &TVertretungsWahlForm::AuswahlBtnClick);
    auto* abbrechen = new QPushButton("Abbrechen", this);
    abbrechen->setObjectName("Button2");
    connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    auto* schnappschuss = new QPushButton(Q("Schnappschuß"), this);
    schnappschuss->setObjectName("SchnappschussBtn");
    connect(schnappschuss, &QPushButton::clicked, this,
            &TVertretungsWahlForm::SchnappschussBtnClick);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(schnappschuss);
    knoepfe->addStretch();
    knoepfe->addWidget(auswahl);
    knoepfe->addWidget(abbrechen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kopf);
    layout->addWidget(liste_, 1);
    layout->addLayout(knoepfe);
    resize(520, 480);
}

void TVertretungsWahlForm::Fuellen(const WahlListe& wahl) {
    fachL_->setText(Q(wahl.Fach));
    lehrerL_->setText(Q(wahl.Lehrer));
    klasseL_->setText(Q(wahl.Klasse));
    zeitL_->setText(Q(wahl.Zeit));
    liste_->clearContents();
    liste_->setRowCount(static_cast<int>(wahl.Zeilen.size()));
    for (int r = 0; r < liste_->rowCount(); ++r) {
        const WahlZeile& z = wahl.Zeilen[r];
        for (int c = 0; c < liste_->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(Q(z.Spalten[c]));
            // A teacher who is free then and teaches the subject stands out.
            if (z.Passend()) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            liste_->setItem(r, c, item);
        }
    }
    liste_->resizeColumnsToContents();
    if (liste_->rowCount() > 0) liste_->selectRow(0);
    liste_->setFocus();
}

int TVertretungsWahlForm::GewaehlteZeile() const {
    const int r = liste_->currentRow();
    return r >= 0 && r < liste_->rowCount() ? r : -1;
}

void TVertretungsWahlForm::AuswahlBtnClick() {
    if (GewaehlteZeile() >= 0) accept();
}

void TVertretungsWahlForm::SchnappschussBtnClick() {
    if (Schnappschuss) Schnappschuss();
}

} // namespace sw::ui
