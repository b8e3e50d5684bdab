// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TVertretungsWahlForm.h"

#include "ui/QtReporter.h"

#include <QCollator>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace sw::ui {

namespace {
// A cell that sorts as a German reader expects ("Ärmel" beside "Arbeit", not after "Zander"),
// empty texts first.
class Zelle : public QTableWidgetItem {
public:
    explicit Zelle(const QString& text) : QTableWidgetItem(text) {}
    bool operator<(const QTableWidgetItem& other) const override {
        static const QCollator deutsch(QLocale(QLocale::German, QLocale::Germany));
        return deutsch.compare(text(), other.text()) < 0;
    }
};

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
    // A click on a column's heading sorts by it; a second click turns the order round.
    liste_->horizontalHeader()->setSectionsClickable(true);
    liste_->horizontalHeader()->setSortIndicatorShown(true);
    liste_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    connect(liste_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int spalte, Qt::SortOrder folge) {
                if (spalte < 0) return;
                liste_->sortItems(spalte, folge);
                // The selected teacher stays selected and in sight.
                if (liste_->currentItem()) liste_->scrollToItem(liste_->currentItem());
            });
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

void TVertretungsWahlForm::Fuellen(const WahlListe& wahl, const std::vector<Kandidat>& kandidaten) {
    WahlListe w = wahl;
    w.Zeilen.clear();
    for (const Kandidat& k : kandidaten)
        w.Zeilen.push_back(k.Wahl);
    // The fair order is the order given: no earlier sorting by a heading overrides it.
    liste_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    liste_->setColumnCount(static_cast<int>(texte::WahlKopf.size() + 5));
    QStringList kopf;
    for (const char* s : texte::WahlKopf)
        kopf << Q(s);
    for (std::size_t i = 1; i < texte::KandidatKopf.size(); ++i)
        if (i != 2) kopf << Q(texte::KandidatKopf[i]); // "Fach" has its column already
    liste_->setHorizontalHeaderLabels(kopf);
    ZeilenZeigen(w);
    const int basis = static_cast<int>(texte::WahlKopf.size());
    for (int r = 0; r < liste_->rowCount(); ++r) {
        const Kandidat& k =
            kandidaten[static_cast<std::size_t>(liste_->item(r, 0)->data(Qt::UserRole).toInt())];
        const QString woche =
            QString::number(k.Woche) +
            (k.Hoechstzahl >= 0 ? "/" + QString::number(k.Hoechstzahl) : QString());
        const QString zellen[] = {k.Frei ? "ja" : "", k.Klasse ? "ja" : "", k.Luecke ? "ja" : "",
                                  QString::number(k.Vertretungen), woche};
        for (int c = 0; c < 5; ++c) {
            auto* item = new Zelle(zellen[c]);
            item->setData(Qt::UserRole, liste_->item(r, 0)->data(Qt::UserRole));
            item->setFont(liste_->item(r, 0)->font());
            liste_->setItem(r, basis + c, item);
        }
    }
    liste_->resizeColumnsToContents();
    // Room for the criteria beside the teacher's columns.
    resize(std::max(width(), 800), height());
}

void TVertretungsWahlForm::Fuellen(const WahlListe& wahl) {
    if (liste_->columnCount() != static_cast<int>(texte::WahlKopf.size())) {
        liste_->setColumnCount(static_cast<int>(texte::WahlKopf.size()));
        QStringList kopf;
        for (const char* s : texte::WahlKopf)
            kopf << Q(s);
        liste_->setHorizontalHeaderLabels(kopf);
    }
    ZeilenZeigen(wahl);
}

void TVertretungsWahlForm::ZeilenZeigen(const WahlListe& wahl) {
    fachL_->setText(Q(wahl.Fach));
    lehrerL_->setText(Q(wahl.Lehrer));
    klasseL_->setText(Q(wahl.Klasse));
    zeitL_->setText(Q(wahl.Zeit));
    liste_->clearContents();
    liste_->setRowCount(static_cast<int>(wahl.Zeilen.size()));
    for (int r = 0; r < liste_->rowCount(); ++r) {
        const WahlZeile& z = wahl.Zeilen[r];
        for (int c = 0; c < static_cast<int>(z.Spalten.size()); ++c) {
            auto* item = new Zelle(Q(z.Spalten[c]));
            // The row of the list given, wherever sorting puts it.
            item->setData(Qt::UserRole, r);
            // A teacher who is free then and teaches the subject stands out.
            if (z.Passend()) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            liste_->setItem(r, c, item);
        }
    }
    // The order the planner chose last holds for the next lesson too.
    const int spalte = liste_->horizontalHeader()->sortIndicatorSection();
    if (spalte >= 0 && spalte < liste_->columnCount())
        liste_->sortItems(spalte, liste_->horizontalHeader()->sortIndicatorOrder());
    liste_->resizeColumnsToContents();
    if (liste_->rowCount() > 0) liste_->selectRow(0);
    liste_->setFocus();
}

int TVertretungsWahlForm::GewaehlteZeile() const {
    const int r = liste_->currentRow();
    if (r < 0 || r >= liste_->rowCount() || !liste_->item(r, 0)) return -1;
    return liste_->item(r, 0)->data(Qt::UserRole).toInt();
}

void TVertretungsWahlForm::Sortieren(int spalte) {
    QHeaderView* kopf = liste_->horizontalHeader();
    const bool umkehren =
        kopf->sortIndicatorSection() == spalte && kopf->sortIndicatorOrder() == Qt::AscendingOrder;
    kopf->setSortIndicator(spalte, umkehren ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TVertretungsWahlForm::AuswahlBtnClick() {
    if (GewaehlteZeile() >= 0) accept();
}

void TVertretungsWahlForm::SchnappschussBtnClick() {
    emit SchnappschussVerlangt();
}

} // namespace sw::ui
