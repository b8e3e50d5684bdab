// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TAllgemeineAngabenForm.h"

#include "ui/QtReporter.h"
#include "ui/SlotGitter.h"
#include "ui/THilfeForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
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
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(mitte, 1);
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
}

void TAllgemeineAngabenForm::PausenAufbauen() {
    AllgemeineAngaben a = Werte();
    if (!IsValidTage(a.Tage) || !IsValidStunden(a.Stunden)) return;
    pausenG_->Aufbauen(a);
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
