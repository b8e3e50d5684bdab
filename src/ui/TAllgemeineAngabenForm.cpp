// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TAllgemeineAngabenForm.h"

#include "ui/QtReporter.h"
#include "ui/SlotGitter.h"
#include "ui/THilfeForm.h"

#include "model/SchulZeiten.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sw::ui {

namespace {
// The integer in a field; a text that is no number counts as -1.
int Zahl(const QLineEdit* e) {
    bool ok = false;
    const int n = e->text().trimmed().toInt(&ok);
    return ok ? n : -1;
}
QString Zelle(const QTableWidget* t, int row, int column) {
    const QTableWidgetItem* item = t->item(row, column);
    return item ? item->text() : QString();
}

QPushButton* Knopf(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(Q(text), parent);
    b->setObjectName(name);
    return b;
}
} // namespace

TAllgemeineAngabenForm::TAllgemeineAngabenForm(Reporter& reporter, THilfeForm& hilfe,
                                               QWidget* parent)
    : QDialog(parent), reporter_(reporter), hilfe_(hilfe) {
    setObjectName("AllgemeineAngabenForm");
    setWindowTitle("Allgemeine Angaben");
    tageE_ = new QLineEdit("5", this);
    tageE_->setObjectName("UnterrichtsTageProWocheME");
    stundenE_ = new QLineEdit("8", this);
    stundenE_->setObjectName("MaximaleStundenZahlProTagME");
    nullteCB_ = new QCheckBox("Nullte Stunde ermöglichen", this);
    nullteCB_->setObjectName("NullteStundeCB");
    tageSG_ = new QTableWidget(5, 1, this);
    tageSG_->setObjectName("TageSG");
    tageSG_->setHorizontalHeaderLabels({"Tag"});
    tageSG_->horizontalHeader()->setStretchLastSection(true);
    pausenG_ = new SlotGitter("PausenG", this);
    pausenG_->setToolTip("Ein Klick setzt eine Pause oder nimmt sie weg. In einer Pause steht "
                         "kein Unterricht.");

    Direkthilfe(stundenE_, "max. Stunden pro Woche",
                "Dies ist die Obergrenze für alle möglichen Unterrichtszeiten. Sie betrifft "
                "Lehrer, Klassen und Räume. Bei der Eingabe 10 kann also auch automatisch jeder "
                "Raum nur in den Stunden 1 - 10 belegt werden.");
    Direkthilfe(tageE_, "U. - Tage pro Woche",
                "An wieviel Tagen einer Woche soll Unterricht stattfinden können?");
    Direkthilfe(nullteCB_, "0. Stunde",
                "Die Aktivierung dieser Option ermöglicht das Setzen einer Stunde vor der ersten "
                "Stunde. Nullte Stunden werden ausschließlich manuell gesetzt.");
    connect(tageE_, &QLineEdit::editingFinished, this, &TAllgemeineAngabenForm::TageVerlassen);
    connect(stundenE_, &QLineEdit::editingFinished, this,
            &TAllgemeineAngabenForm::StundenVerlassen);
    connect(nullteCB_, &QCheckBox::toggled, this, &TAllgemeineAngabenForm::PausenAufbauen);

    // The dialog's own pop-up "Hilfe" opens the page named in its hint.
    setToolTip("optionen.htm");
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](QPoint p) {
        QMenu menu(this);
        // A disabled field (plan mode) gets no menu of its own: its "Direkthilfe" comes here.
        for (QWidget* w = childAt(p); w && w != this; w = w->parentWidget()) {
            const auto it = direkthilfe_.find(w);
            if (it == direkthilfe_.end()) continue;
            const char* titel = it->second.first;
            const char* text = it->second.second;
            menu.addAction("Direkthilfe", this,
                           [this, titel, text] { hilfe_.Zeigen(Q(titel), Q(text), this); });
            break;
        }
        menu.addAction("Hilfe", this, [this] { emit HilfeSeite(toolTip()); });
        menu.exec(mapToGlobal(p));
    });

    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &TAllgemeineAngabenForm::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow("Unterrichtstage pro Woche:", tageE_);
    form->addRow("Maximale Stundenzahl pro Tag:", stundenE_);
    form->addRow(nullteCB_);
    auto* pausen = new QGroupBox("Pausen", this);
    pausen->setObjectName("PausenGB");
    auto* pausenLayout = new QVBoxLayout(pausen);
    pausenLayout->addWidget(pausenG_);
    pausenLayout->addStretch(1);
    auto* mitte = new QHBoxLayout;
    mitte->addWidget(tageSG_, 1);
    mitte->addWidget(pausen);
    auto* woche = new QWidget(this);
    woche->setObjectName("WocheTS");
    auto* wocheLayout = new QVBoxLayout(woche);
    wocheLayout->addLayout(form);
    wocheLayout->addLayout(mitte, 1);

    // The school year: the times of the hours, the term and its holidays.
    zeitenSG_ = new QTableWidget(0, 2, this);
    zeitenSG_->setObjectName("StundenZeitenSG");
    zeitenSG_->setHorizontalHeaderLabels({"Beginn", "Ende"});
    zeitenSG_->setColumnWidth(0, 70);
    zeitenSG_->horizontalHeader()->setStretchLastSection(true);
    zeitenSG_->setMaximumWidth(220);
    zeitenSG_->setToolTip("Beginn und Ende jeder Stunde, etwa 08:00 und 08:45. Die Kalender "
                          "zeigen den Unterricht zu diesen Zeiten.");
    auto* standard = Knopf("Standardzeiten", "StandardZeitenBtn", this);
    standard->setToolTip("45-Minuten-Stunden ab 8:00, 15 Minuten Pause nach der 2. und der 4. "
                         "Stunde, sonst 5 Minuten; die 0. Stunde ab 7:10.");
    connect(standard, &QPushButton::clicked, this, &TAllgemeineAngabenForm::Standardzeiten);
    auto* zeiten = new QGroupBox("Zeiten der Stunden", this);
    zeiten->setObjectName("StundenZeitenGB");
    auto* zeitenLayout = new QVBoxLayout(zeiten);
    zeitenLayout->addWidget(zeitenSG_, 1);
    zeitenLayout->addWidget(standard);

    beginnE_ = new QLineEdit(this);
    beginnE_->setObjectName("SchuljahrBeginnE");
    beginnE_->setPlaceholderText("TT.MM.JJJJ");
    endeE_ = new QLineEdit(this);
    endeE_->setObjectName("SchuljahrEndeE");
    endeE_->setPlaceholderText("TT.MM.JJJJ");
    ferienSG_ = new QTableWidget(0, 3, this);
    ferienSG_->setObjectName("FerienSG");
    ferienSG_->setHorizontalHeaderLabels({"Von", "Bis", "Name"});
    ferienSG_->horizontalHeader()->setStretchLastSection(true);
    ferienSG_->setColumnWidth(0, 85);
    ferienSG_->setColumnWidth(1, 85);
    ferienSG_->setMinimumWidth(320);
    ferienSG_->setToolTip("Die Ferien: erster und letzter freier Tag (TT.MM.JJJJ) und ihr "
                          "Name. In den Ferien zeigen die Kalender keinen Unterricht.");
    auto* neu = Knopf("Ferien hinzufügen", "FerienNeuBtn", this);
    auto* weg = Knopf("Ferien löschen", "FerienLoeschenBtn", this);
    connect(neu, &QPushButton::clicked, this, &TAllgemeineAngabenForm::FerienHinzufuegen);
    connect(weg, &QPushButton::clicked, this, &TAllgemeineAngabenForm::FerienLoeschen);
    auto* termin = new QFormLayout;
    termin->addRow("Erster Schultag:", beginnE_);
    termin->addRow("Letzter Schultag:", endeE_);
    auto* ferienKnoepfe = new QHBoxLayout;
    ferienKnoepfe->addWidget(neu);
    ferienKnoepfe->addWidget(weg);
    ferienKnoepfe->addStretch(1);
    auto* jahr = new QGroupBox("Schuljahr", this);
    jahr->setObjectName("SchuljahrGB");
    auto* jahrLayout = new QVBoxLayout(jahr);
    jahrLayout->addLayout(termin);
    jahrLayout->addWidget(ferienSG_, 1);
    jahrLayout->addLayout(ferienKnoepfe);
    auto* schuljahr = new QWidget(this);
    schuljahr->setObjectName("SchuljahrTS");
    auto* schuljahrLayout = new QHBoxLayout(schuljahr);
    schuljahrLayout->addWidget(zeiten);
    schuljahrLayout->addWidget(jahr, 1);

    seiten_ = new QTabWidget(this);
    seiten_->setObjectName("AngabenPC");
    seiten_->addTab(woche, "Woche");
    seiten_->addTab(schuljahr, "Schuljahr");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(seiten_, 1);
    layout->addWidget(knoepfe);
    Laden(AllgemeineAngaben{});
}

void TAllgemeineAngabenForm::Direkthilfe(QWidget* feld, const char* titel, const char* text) {
    direkthilfe_[feld] = {titel, text};
    feld->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(feld, &QWidget::customContextMenuRequested, this, [this, feld, titel, text](QPoint p) {
        QMenu menu(feld);
        menu.addAction("Direkthilfe", this,
                       [this, titel, text] { hilfe_.Zeigen(Q(titel), Q(text), this); });
        menu.exec(feld->mapToGlobal(p));
    });
}

void TAllgemeineAngabenForm::Laden(const AllgemeineAngaben& angaben) {
    tageE_->setText(QString::number(angaben.Tage));
    stundenE_->setText(QString::number(angaben.Stunden));
    nullteCB_->setChecked(angaben.Nullte);
    Zeilen(angaben.Tage);
    for (int i = 0; i < tageSG_->rowCount(); ++i)
        tageSG_->setItem(i, 0, new QTableWidgetItem(Q(TagName(angaben, i))));
    pausenG_->Aufbauen(angaben);
    pausenG_->Setzen(angaben.Pausen);
    SchuljahrLaden(angaben);
}

void TAllgemeineAngabenForm::SchuljahrLaden(const AllgemeineAngaben& angaben) {
    const SchuljahrFelder f = FelderVon(angaben);
    zeitenSG_->setRowCount(0);
    ZeitenAufbauen();
    for (int i = 0; i < zeitenSG_->rowCount() && i < static_cast<int>(f.Zeiten.size()); ++i) {
        zeitenSG_->setItem(i, 0, new QTableWidgetItem(Q(f.Zeiten[i].Beginn)));
        zeitenSG_->setItem(i, 1, new QTableWidgetItem(Q(f.Zeiten[i].Ende)));
    }
    beginnE_->setText(Q(f.Beginn));
    endeE_->setText(Q(f.Ende));
    ferienSG_->setRowCount(static_cast<int>(f.FerienListe.size()));
    for (int i = 0; i < ferienSG_->rowCount(); ++i) {
        const auto& ferien = f.FerienListe[static_cast<std::size_t>(i)];
        ferienSG_->setItem(i, 0, new QTableWidgetItem(Q(ferien.Von)));
        ferienSG_->setItem(i, 1, new QTableWidgetItem(Q(ferien.Bis)));
        ferienSG_->setItem(i, 2, new QTableWidgetItem(Q(ferien.Name)));
    }
}

void TAllgemeineAngabenForm::ZeitenAufbauen() {
    const int stunden = Zahl(stundenE_);
    if (!IsValidStunden(stunden)) return;
    const bool nullte = nullteCB_->isChecked();
    // Rows are keyed by their hour: with the 0th hour switched on, hour 1 moves one row down.
    const QStringList alt = [this] {
        QStringList k;
        for (int i = 0; i < zeitenSG_->verticalHeader()->count(); ++i) {
            const QTableWidgetItem* h = zeitenSG_->verticalHeaderItem(i);
            k << (h ? h->text() : QString());
        }
        return k;
    }();
    std::vector<std::pair<QString, QString>> werte;
    for (int i = 0; i < zeitenSG_->rowCount(); ++i)
        werte.emplace_back(Zelle(zeitenSG_, i, 0), Zelle(zeitenSG_, i, 1));
    const auto standard = StandardStundenZeiten(stunden, nullte);
    zeitenSG_->setRowCount(static_cast<int>(standard.size()));
    for (int i = 0; i < zeitenSG_->rowCount(); ++i) {
        const QString name = QString::number(i + (nullte ? 0 : 1)) + ".";
        zeitenSG_->setVerticalHeaderItem(i, new QTableWidgetItem(name));
        const auto vorher = alt.indexOf(name);
        const bool behalten = vorher >= 0 && vorher < static_cast<int>(werte.size());
        const auto& z = standard[static_cast<std::size_t>(i)];
        zeitenSG_->setItem(
            i, 0, new QTableWidgetItem(behalten ? werte[vorher].first : Q(UhrzeitText(z.Beginn))));
        zeitenSG_->setItem(
            i, 1, new QTableWidgetItem(behalten ? werte[vorher].second : Q(UhrzeitText(z.Ende))));
    }
}

void TAllgemeineAngabenForm::Standardzeiten() {
    zeitenSG_->setRowCount(0);
    ZeitenAufbauen();
}

void TAllgemeineAngabenForm::FerienHinzufuegen() {
    const int row = ferienSG_->rowCount();
    ferienSG_->insertRow(row);
    for (int c = 0; c < 3; ++c)
        ferienSG_->setItem(row, c, new QTableWidgetItem);
    ferienSG_->setCurrentCell(row, 0);
    ferienSG_->editItem(ferienSG_->item(row, 0));
}

void TAllgemeineAngabenForm::FerienLoeschen() {
    const int row = ferienSG_->currentRow();
    if (row >= 0) ferienSG_->removeRow(row);
}

SchuljahrFelder TAllgemeineAngabenForm::Felder() const {
    SchuljahrFelder f;
    for (int i = 0; i < zeitenSG_->rowCount(); ++i)
        f.Zeiten.push_back({S(Zelle(zeitenSG_, i, 0)), S(Zelle(zeitenSG_, i, 1))});
    f.Beginn = S(beginnE_->text());
    f.Ende = S(endeE_->text());
    for (int i = 0; i < ferienSG_->rowCount(); ++i)
        f.FerienListe.push_back(
            {S(Zelle(ferienSG_, i, 0)), S(Zelle(ferienSG_, i, 1)), S(Zelle(ferienSG_, i, 2))});
    return f;
}

void TAllgemeineAngabenForm::PausenAufbauen() {
    AllgemeineAngaben a = Werte();
    if (!IsValidTage(a.Tage) || !IsValidStunden(a.Stunden)) return;
    pausenG_->Aufbauen(a);
    ZeitenAufbauen();
}

void TAllgemeineAngabenForm::Zeilen(int tage) {
    const auto standard = AllgemeineAngaben::DefaultDayNames(tage);
    const int alt = tageSG_->rowCount();
    tageSG_->setRowCount(tage);
    for (int i = alt; i < tage; ++i)
        tageSG_->setItem(i, 0, new QTableWidgetItem(Q(standard[i])));
}

bool TAllgemeineAngabenForm::TageVerlassen() {
    const int tage = Zahl(tageE_);
    if (IsValidTage(tage)) {
        Zeilen(tage);
        PausenAufbauen();
        return true;
    }
    reporter_.Show({kTageFalsch, titel::Fehler});
    tageE_->setFocus();
    tageE_->selectAll();
    return false;
}

bool TAllgemeineAngabenForm::StundenVerlassen() {
    if (IsValidStunden(Zahl(stundenE_))) {
        PausenAufbauen();
        return true;
    }
    reporter_.Show({kStundenFalsch, titel::Fehler});
    stundenE_->setFocus();
    return false;
}

void TAllgemeineAngabenForm::accept() {
    // OK with a value the fields would refuse keeps the dialog open.
    if (!TageVerlassen() || !StundenVerlassen()) return;
    // A time or date that is none keeps the dialog open on its page.
    AllgemeineAngaben probe = Werte();
    if (auto fault = FelderLesen(Felder(), probe)) {
        seiten_->setCurrentIndex(1);
        reporter_.Show({*fault, titel::Fehler});
        return;
    }
    QDialog::accept();
}

AllgemeineAngaben TAllgemeineAngabenForm::Werte() const {
    AllgemeineAngaben a;
    a.Tage = Zahl(tageE_);
    a.Stunden = Zahl(stundenE_);
    a.Nullte = nullteCB_->isChecked();
    a.TagNamen.clear();
    for (int i = 0; i < tageSG_->rowCount(); ++i) {
        const QTableWidgetItem* item = tageSG_->item(i, 0);
        a.TagNamen.push_back(item ? S(item->text()) : std::string());
    }
    a.Pausen = pausenG_->Slots();
    // Checked by accept(); a field that holds no time or date leaves the times and the year
    // as they were loaded.
    AllgemeineAngaben mitJahr = a;
    if (!FelderLesen(Felder(), mitJahr)) return mitJahr;
    return a;
}

// In plan mode the week's shape is fixed: the fields are disabled, so they also look it.
void TAllgemeineAngabenForm::SetEditable(bool editable) {
    tageE_->setEnabled(editable);
    stundenE_->setEnabled(editable);
    nullteCB_->setEnabled(editable);
    pausenG_->SetEditable(editable);
    pausenG_->setEnabled(editable);
}

} // namespace sw::ui
