// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TDruckOptionenForm.h"

#include "io/FileOps.h"
#include "ui/DruckSatz.h"
#include "ui/ListenFilter.h"
#include "ui/QtReporter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QVBoxLayout>

namespace sw::ui {

namespace {

// The progress window of an export run.
class Fortschritt : public ExportObserver {
public:
    explicit Fortschritt(QWidget* parent) : parent_(parent) {}
    void Show(const ExportFortschritt& f) override {
        if (!dlg_) {
            dlg_ = new QProgressDialog(parent_);
            dlg_->setObjectName("ProgressBarForm");
            dlg_->setCancelButton(nullptr);
            dlg_->setMinimumDuration(0);
        }
        dlg_->setWindowTitle(Q(f.Titel));
        dlg_->setLabelText(Q(f.Text));
        dlg_->setMaximum(std::max(f.Maximum, 1));
        dlg_->setValue(f.Position);
        dlg_->show();
        QCoreApplication::processEvents();
    }
    void Close() override {
        delete dlg_;
        dlg_ = nullptr;
    }
    ~Fortschritt() override { delete dlg_; }

private:
    QWidget* parent_;
    QProgressDialog* dlg_ = nullptr;
};

// "Alle" / "Keiner": every item the list shows (all of them unless its filter hides some), and
// the list's kind box with them.
void AlleSetzen(QCheckBox* art, QListWidget* liste, bool an) {
    for (int i = 0; i < liste->count(); ++i)
        if (!liste->item(i)->isHidden())
            liste->item(i)->setCheckState(an ? Qt::Checked : Qt::Unchecked);
    art->setChecked(an);
}

QString Plaene(int n) {
    return n == 1 ? QString::fromUtf8("1 Plan wurde") : QString::fromUtf8("%1 Pläne wurden").arg(n);
}

ExportAuswahl Auswahl(const QCheckBox* cb, const QListWidget* liste) {
    ExportAuswahl a;
    a.Aktiv = cb->isChecked();
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->checkState() == Qt::Checked) a.Eintraege.push_back(i);
    return a;
}

template <typename Name> void Eintragen(QListWidget* liste, int n, Name name) {
    liste->clear();
    for (int i = 0; i < n; ++i) {
        auto* item = new QListWidgetItem(Q(name(i)), liste);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

} // namespace

TDruckOptionenForm::TDruckOptionenForm(Reporter& reporter, Desktop& desktop, QWidget* parent)
    : QDialog(parent), reporter_(reporter), desktop_(desktop) {
    setObjectName("DruckOptionenForm");
    setWindowTitle("Druck - Optionen");

    auto* listen = new QHBoxLayout;
    listen->addWidget(Liste("LehrerCB", "Lehrer", "LehrerCLB", "Keiner", lehrerCB_, lehrerCLB_));
    listen->addWidget(
        Liste("KlassenCB", "Klassen", "KlassenCLB", "Keine", klassenCB_, klassenCLB_));
    listen->addWidget(Liste("RaumCB", "Räume", "RaumCLB", "Keiner", raumCB_, raumCLB_));

    layoutCoBox_ = new QComboBox(this);
    layoutCoBox_->setObjectName("TabellenLayoutCoBox");
    for (std::string_view name : TabellenLayoutNamen())
        layoutCoBox_->addItem(Q(std::string(name)));
    layoutCoBox_->setCurrentIndex(kStandardLayout);

    auto* ausrichtung = new QGroupBox("Ausrichtung", this);
    ausrichtung->setObjectName("PageOrientationRG");
    hochRB_ = new QRadioButton("Portrait", ausrichtung);
    querRB_ = new QRadioButton("Landscape", ausrichtung);
    hochRB_->setObjectName("PortraitRB");
    querRB_->setObjectName("LandscapeRB");
    hochRB_->setChecked(true);
    auto* al = new QVBoxLayout(ausrichtung);
    al->addWidget(hochRB_);
    al->addWidget(querRB_);

    auto* ziel = new QGroupBox("Ausgabe an", this);
    ziel->setObjectName("AusgabeAnRG");
    wordRB_ = new QRadioButton("Word", ziel);
    druckerRB_ = new QRadioButton("Drucker", ziel);
    wordRB_->setObjectName("WordRB");
    druckerRB_->setObjectName("DruckerRB");
    wordRB_->setChecked(true);
    auto* zl = new QVBoxLayout(ziel);
    zl->addWidget(wordRB_);
    zl->addWidget(druckerRB_);

    nurKurzCB_ = new QCheckBox("Nur kurze Namen", this);
    nurKurzCB_->setObjectName("NurKurzCB");
    pseudoCB_ = new QCheckBox("Pseudo - Kurse behandeln", this);
    pseudoCB_->setObjectName("PseudoKurseBehandelnCB");
    neueSeiteCB_ = new QCheckBox("Jeder Plan auf eine neue Seite", this);
    neueSeiteCB_->setObjectName("JederPlanNeueSeiteCB");
    neueSeiteCB_->setChecked(true);

    auto* ausgabe = new QPushButton("Ausgabe", this);
    ausgabe->setObjectName("AusgabeBtn");
    connect(ausgabe, &QPushButton::clicked, this, &TDruckOptionenForm::AusgabeBtnClick);
    auto* schliessen = new QPushButton("Schließen", this);
    schliessen->setObjectName("SchliessenBtn");
    connect(schliessen, &QPushButton::clicked, this, &QDialog::accept);

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(layoutCoBox_);
    rechts->addWidget(ausrichtung);
    rechts->addWidget(nurKurzCB_);
    rechts->addWidget(pseudoCB_);
    rechts->addWidget(neueSeiteCB_);
    rechts->addWidget(ziel);
    rechts->addStretch();
    rechts->addWidget(ausgabe);
    rechts->addWidget(schliessen);
    listen->addLayout(rechts);
    setLayout(listen);
    resize(760, 420);
}

QWidget* TDruckOptionenForm::Liste(const char* cbName, const char* cbText, const char* listName,
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
    // An unchecked kind shows its list in the colour of inactive captions.
    connect(cb, &QCheckBox::toggled, this, [l](bool an) {
        QPalette p = l->palette();
        p.setColor(QPalette::Text,
                   an ? QColor(Qt::black)
                      : QApplication::palette().color(QPalette::Disabled, QPalette::Text));
        l->setPalette(p);
    });
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(alle);
    knoepfe->addWidget(kein);
    auto* layout = new QVBoxLayout(teil);
    layout->addWidget(cb);
    layout->addLayout(MitFilter(liste, teil), 1);
    layout->addLayout(knoepfe);
    emit cb->toggled(false);
    return teil;
}

bool TDruckOptionenForm::Fuellen(const CPlan* plan) {
    plan_ = plan;
    if (!plan) {
        reporter_.Show({texte::KeinPlanVorhanden, titel::Fehler});
        return false;
    }
    Eintragen(lehrerCLB_, plan->LehrerAnzahl, [plan](int i) { return plan->LehrerAt(i).Name; });
    Eintragen(klassenCLB_, plan->KlassenAnzahl, [plan](int i) { return plan->KlasseAt(i).Name; });
    Eintragen(raumCLB_, plan->RaumAnzahl, [plan](int i) { return plan->RaumAt(i).Name; });
    layoutCoBox_->setCurrentIndex(kStandardLayout);
    pseudoCB_->setChecked(true);
    return true;
}

void TDruckOptionenForm::Oeffnen(const CPlan* plan) {
    if (Fuellen(plan)) exec();
}

ExportOptionen TDruckOptionenForm::Optionen() const {
    ExportOptionen o;
    o.Lehrer = Auswahl(lehrerCB_, lehrerCLB_);
    o.Klassen = Auswahl(klassenCB_, klassenCLB_);
    o.Raeume = Auswahl(raumCB_, raumCLB_);
    o.NurKurz = nurKurzCB_->isChecked();
    o.PseudoKurse = pseudoCB_->isChecked();
    o.Layout = layoutCoBox_->currentIndex();
    o.Ausrichtung = querRB_->isChecked() ? PageOrientation::Landscape : PageOrientation::Portrait;
    o.JederPlanNeueSeite = neueSeiteCB_->isChecked();
    o.AusgabeAn = druckerRB_->isChecked() ? AusgabeZiel::Drucker : AusgabeZiel::Word;
    return o;
}

void TDruckOptionenForm::AusgabeBtnClick() {
    if (!plan_) return;
    const ExportOptionen o = Optionen();
    if (o.AusgabeAn == AusgabeZiel::Drucker && GewaehltePlaene(*plan_, o) > 0) {
        Drucker(o);
        return;
    }
    // Ask for a file only when there is something to write.
    if (o.AusgabeAn != AusgabeZiel::Word || GewaehltePlaene(*plan_, o) == 0) {
        NoOpener keiner;
        CWord leer({}, DefaultFileOps(), keiner);
        NoExportObserver still;
        letztes_ = RunExport(*plan_, o, leer, reporter_, still);
        return;
    }
    const QString ziel = desktop_.ChooseFile(this, WordDatei("Export in Word"));
    if (ziel.isEmpty()) return;
    AnzeigeMerker anzeige(desktop_);
    CWord word(S(ziel), DefaultFileOps(), anzeige);
    Fortschritt fortschritt(this);
    letztes_ = RunExport(*plan_, o, word, reporter_, fortschritt);
    if (letztes_.Status == ExportStatus::Fertig)
        Fertig(QDir::toNativeSeparators(ziel), anzeige.angezeigt);
}

void TDruckOptionenForm::Fertig(const QString& wohin, bool angezeigt) {
    const QString anzahl = Plaene(letztes_.Geschrieben);
    QString text;
    if (druckerRB_->isChecked())
        text = QString("%1 %2.").arg(anzahl, wohin);
    else if (angezeigt)
        text = QString::fromUtf8("%1 in das Dokument „%2“ geschrieben.").arg(anzahl, wohin);
    else
        text = QString::fromUtf8("%1 geschrieben.\nDas Dokument wurde gespeichert unter „%2“; es "
                                 "konnte kein Programm zum Anzeigen gestartet werden.")
                   .arg(anzahl, wohin);
    reporter_.Show({S(text), titel::Hinweis});
}

// "Drucker": the same document as for Word, built in a scratch folder, laid out and printed.
void TDruckOptionenForm::Drucker(const ExportOptionen& o) {
    QTemporaryDir ordner;
    ExportOptionen alsDokument = o;
    alsDokument.AusgabeAn = AusgabeZiel::Word;
    NoOpener keiner;
    CWord word(S(ordner.filePath("druck.docx")), DefaultFileOps(), keiner);
    Fortschritt fortschritt(this);
    letztes_ = RunExport(*plan_, alsDokument, word, reporter_, fortschritt);
    if (letztes_.Status != ExportStatus::Fertig) return;
    QTextDocument doc;
    doc.setHtml(DokumentAlsHtml(word.Doc()));
    const QString wohin = desktop_.Print(this, doc, o.Ausrichtung);
    if (!wohin.isEmpty()) Fertig(wohin, true);
}

} // namespace sw::ui
