// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TVeroeffentlichenForm.h"

#include "ui/Desktop.h"
#include "ui/ListenFilter.h"
#include "ui/QtReporter.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace sw::ui {

namespace {

void AlleSetzen(QCheckBox* art, QListWidget* liste, bool an) {
    for (int i = 0; i < liste->count(); ++i)
        if (!liste->item(i)->isHidden())
            liste->item(i)->setCheckState(an ? Qt::Checked : Qt::Unchecked);
    art->setChecked(an);
}

ExportAuswahl Auswahl(const QCheckBox* cb, const QListWidget* liste) {
    ExportAuswahl a;
    a.Aktiv = cb->isChecked();
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->checkState() == Qt::Checked) a.Eintraege.push_back(i);
    return a;
}

template <typename Name> void Eintragen(QCheckBox* art, QListWidget* liste, int n, Name name) {
    liste->clear();
    for (int i = 0; i < n; ++i) {
        auto* item = new QListWidgetItem(Q(name(i)), liste);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    art->setChecked(true);
}

} // namespace

TVeroeffentlichenForm::TVeroeffentlichenForm(Reporter& reporter, Desktop& desktop, QWidget* parent)
    : QDialog(parent), reporter_(reporter), desktop_(desktop) {
    setObjectName("VeroeffentlichenForm");
    setWindowTitle("Veröffentlichen");

    ordnerE_ = new QLineEdit(this);
    ordnerE_->setObjectName("OrdnerE");
    ordnerE_->setPlaceholderText("Ordner für die Webseite");
    auto* ordnerBtn = new QPushButton("...", this);
    ordnerBtn->setObjectName("OrdnerBtn");
    ordnerBtn->setToolTip("Ordner wählen");
    connect(ordnerBtn, &QPushButton::clicked, this, &TVeroeffentlichenForm::OrdnerBtnClick);
    auto* ordner = new QHBoxLayout;
    ordner->addWidget(new QLabel("Ordner:", this));
    ordner->addWidget(ordnerE_, 1);
    ordner->addWidget(ordnerBtn);

    auto* listen = new QHBoxLayout;
    listen->addWidget(Liste("LehrerCB", "Lehrer", "LehrerCLB", "Keiner", lehrerCB_, lehrerCLB_));
    listen->addWidget(
        Liste("KlassenCB", "Klassen", "KlassenCLB", "Keine", klassenCB_, klassenCLB_));
    listen->addWidget(Liste("RaumCB", "Räume", "RaumCLB", "Keiner", raumCB_, raumCLB_));

    nurKurzCB_ = new QCheckBox("Nur kurze Namen", this);
    nurKurzCB_->setObjectName("NurKurzCB");
    pseudoCB_ = new QCheckBox("Pseudo - Kurse behandeln", this);
    pseudoCB_->setObjectName("PseudoKurseBehandelnCB");
    pseudoCB_->setChecked(true);
    const auto zusatz = [this](QCheckBox*& cb, const char* name, const char* text) {
        cb = new QCheckBox(QString::fromUtf8(text), this);
        cb->setObjectName(name);
    };
    zusatz(kalenderCB_, "KalenderCB", "Kalender (.ics, über das Schuljahr)");
    zusatz(pdfCB_, "PdfCB", "PDF");
    zusatz(xlsxCB_, "XlsxCB", "Tabelle (.xlsx)");
    zusatz(csvCB_, "CsvCB", "CSV");
    auto* zusaetze = new QHBoxLayout;
    zusaetze->addWidget(new QLabel("Dazu:", this));
    for (QCheckBox* cb : {kalenderCB_, pdfCB_, xlsxCB_, csvCB_})
        zusaetze->addWidget(cb);
    zusaetze->addStretch();
    auto* hinweis = new QLabel("Je Klasse, Lehrer und Raum eine Seite, je Tag eine Seite und "
                               "index.html mit einer Suche. Dateien, die Stundenwerk nicht "
                               "geschrieben hat, bleiben unangetastet.",
                               this);
    hinweis->setWordWrap(true);

    auto* los = new QPushButton("Veröffentlichen", this);
    los->setObjectName("VeroeffentlichenBtn");
    los->setDefault(true);
    connect(los, &QPushButton::clicked, this, &TVeroeffentlichenForm::VeroeffentlichenBtnClick);
    auto* schliessen = new QPushButton("Schließen", this);
    schliessen->setObjectName("SchliessenBtn");
    connect(schliessen, &QPushButton::clicked, this, &QDialog::accept);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(nurKurzCB_);
    knoepfe->addWidget(pseudoCB_);
    knoepfe->addStretch();
    knoepfe->addWidget(los);
    knoepfe->addWidget(schliessen);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(ordner);
    layout->addLayout(listen, 1);
    layout->addLayout(zusaetze);
    layout->addWidget(hinweis);
    layout->addLayout(knoepfe);
    resize(760, 460);
}

QWidget* TVeroeffentlichenForm::Liste(const char* cbName, const char* cbText, const char* listName,
                                      const char* keinText, QCheckBox*& cb, QListWidget*& liste) {
    auto* teil = new QWidget(this);
    cb = new QCheckBox(Q(cbText), teil);
    cb->setObjectName(cbName);
    liste = new QListWidget(teil);
    liste->setObjectName(listName);
    auto* alle = new QPushButton("Alle", teil);
    alle->setObjectName(QString(listName) + "AlleBtn");
    auto* kein = new QPushButton(Q(keinText), teil);
    kein->setObjectName(QString(listName) + "KeinBtn");
    QListWidget* l = liste;
    QCheckBox* art = cb;
    connect(alle, &QPushButton::clicked, this, [art, l] { AlleSetzen(art, l, true); });
    connect(kein, &QPushButton::clicked, this, [art, l] { AlleSetzen(art, l, false); });
    // A kind that is not checked gets no pages: its list is greyed.
    connect(cb, &QCheckBox::toggled, l, &QWidget::setEnabled);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(alle);
    knoepfe->addWidget(kein);
    auto* layout = new QVBoxLayout(teil);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cb);
    layout->addLayout(MitFilter(liste, teil), 1);
    layout->addLayout(knoepfe);
    return teil;
}

bool TVeroeffentlichenForm::Fuellen(const CPlan* plan) {
    plan_ = plan;
    if (!plan) {
        reporter_.Show({texte::KeinPlanVorhanden, titel::Fehler});
        return false;
    }
    Eintragen(lehrerCB_, lehrerCLB_, plan->LehrerAnzahl,
              [plan](int i) { return plan->LehrerAt(i).Name; });
    Eintragen(klassenCB_, klassenCLB_, plan->KlassenAnzahl,
              [plan](int i) { return plan->KlasseAt(i).Name; });
    Eintragen(raumCB_, raumCLB_, plan->RaumAnzahl, [plan](int i) { return plan->RaumAt(i).Name; });
    return true;
}

void TVeroeffentlichenForm::Oeffnen(const CPlan* plan) {
    if (Fuellen(plan)) desktop_.Run(*this);
}

WebseitenOptionen TVeroeffentlichenForm::Optionen() const {
    WebseitenOptionen o;
    o.Lehrer = Auswahl(lehrerCB_, lehrerCLB_);
    o.Klassen = Auswahl(klassenCB_, klassenCLB_);
    o.Raeume = Auswahl(raumCB_, raumCLB_);
    o.NurKurz = nurKurzCB_->isChecked();
    o.PseudoKurse = pseudoCB_->isChecked();
    return o;
}

void TVeroeffentlichenForm::OrdnerBtnClick() {
    DateiDialog d;
    d.Titel = "Ordner für die Webseite";
    d.Ordner = ordnerE_->text();
    d.NurOrdner = true;
    const QString ordner = desktop_.ChooseFile(this, d);
    if (!ordner.isEmpty()) ordnerE_->setText(QDir::toNativeSeparators(ordner));
}

ZusatzWahl TVeroeffentlichenForm::Zusaetze() const {
    ZusatzWahl wahl;
    wahl.Kalender = kalenderCB_->isChecked();
    wahl.Pdf = pdfCB_->isChecked();
    wahl.Xlsx = xlsxCB_->isChecked();
    wahl.Csv = csvCB_->isChecked();
    return wahl;
}

void TVeroeffentlichenForm::VeroeffentlichenBtnClick() {
    if (!plan_) return;
    if (ordnerE_->text().trimmed().isEmpty()) OrdnerBtnClick();
    const QString ordner = ordnerE_->text().trimmed();
    if (ordner.isEmpty()) return;
    std::vector<WebDatei> weitere;
    if (const ZusatzWahl wahl = Zusaetze(); wahl.Irgendwas()) {
        auto dateien = ZusatzDateien(*plan_, Optionen(), wahl, reporter_);
        if (!dateien) return;
        weitere = std::move(*dateien);
    }
    letztes_ = Veroeffentliche(*plan_, Optionen(), S(QDir::fromNativeSeparators(ordner)), weitere,
                               reporter_);
    if (!letztes_.Ok) return;
    const QString index = QDir(QDir::fromNativeSeparators(ordner)).filePath("index.html");
    const QString frage =
        QString::fromUtf8("%1 Dateien wurden nach „%2“ veröffentlicht.\nDie Übersicht "
                          "(index.html) jetzt im Browser anzeigen?")
            .arg(letztes_.Dateien)
            .arg(ordner);
    if (reporter_.Ask({S(frage), titel::Hinweis}, Question::YesNo) && !desktop_.Open(index))
        reporter_.Show({S(QString::fromUtf8("Es konnte kein Programm zum Anzeigen von „%1“ "
                                            "gestartet werden.")
                              .arg(QDir::toNativeSeparators(index))),
                        titel::Hinweis});
}

} // namespace sw::ui
