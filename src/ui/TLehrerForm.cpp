// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TLehrerForm.h"

#include "ui/ListenFilter.h"
#include "ui/QtReporter.h"
#include "ui/RegelnSeite.h"
#include "ui/SperrGitter.h"
#include "ui/TNeuForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace sw::ui {

TLehrerForm::TLehrerForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent)
    : TStammForm(session, reporter, desktop, parent, "LehrerForm", kHilfe) {
    setWindowTitle("Lehrer");
    neuForm_ = new TNeuNameForm(this);
    seiten_ = new QTabWidget(this);
    seiten_->setObjectName("LehrerPC");
    auto* allgemein = new QWidget(this);
    allgemein->setObjectName("AllgemeinTS");
    ListeAnlegen("LehrerCoBox");
    kurzL_ = new QLabel(this);
    kurzL_->setObjectName("KurzL");
    faecherL_ = new QLabel(QString::fromUtf8("Fächer (0)"), this);
    faecherL_->setObjectName("FaecherL");
    fachCLBox_ = CheckListe("FachCLBox");
    klassenCLBox_ = CheckListe("KlassenCLBox");
    klassenLehrerCB_ = Kasten("KlassenLehrerCB", "Klassenlehrer von");
    optiCB_ = Kasten("OptiCB", "In die Optimierung mit einbeziehen");
    tendenzCB_ = Kasten("TendenzZuFreienTagenCB", "Tendenz zu freien Tagen");
    neuBtn_ = Knopf("NeuBtn", "Neu");
    umbenennenBtn_ = Knopf("UmbenennenBtn", "Umbenennen");
    loeschenBtn_ = Knopf("LoeschenBtn", QString::fromUtf8("Löschen"));
    QWidget* leiste = Navigation();
    QPushButton* schliessen = Knopf("SchliessenBtn", QString::fromUtf8("Schließen"));

    connect(neuBtn_, &QPushButton::clicked, this, &TLehrerForm::NeuClick);
    connect(neuBitBtn_, &QPushButton::clicked, this, &TLehrerForm::NeuClick);
    connect(umbenennenBtn_, &QPushButton::clicked, this, &TLehrerForm::UmbenennenClick);
    connect(loeschenBtn_, &QPushButton::clicked, this, &TLehrerForm::LoeschenClick);
    connect(loeschenBitBtn_, &QPushButton::clicked, this, &TLehrerForm::LoeschenClick);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(fachCLBox_, &QListWidget::itemChanged, this, &TLehrerForm::FachGeklickt);
    connect(klassenCLBox_, &QListWidget::itemChanged, this, &TLehrerForm::KlasseGeklickt);
    connect(klassenLehrerCB_, &QCheckBox::clicked, this, [this](bool an) {
        if (!laden_) Ergebnis(Editor().SetClassTeacherFlag(Auswahl(), an));
    });
    connect(optiCB_, &QCheckBox::clicked, this, [this](bool an) {
        if (!laden_) Ergebnis(Editor().SetTeacherOpti(Auswahl(), an));
    });
    connect(tendenzCB_, &QCheckBox::clicked, this, [this](bool an) {
        if (!laden_) Ergebnis(Editor().SetTeacherFreeDays(Auswahl(), an));
    });

    auto* kopf = new QGridLayout;
    kopf->addWidget(new QLabel("Lehrer:", this), 0, 0);
    kopf->addWidget(liste_, 0, 1);
    kopf->addWidget(new QLabel(QString::fromUtf8("Kürzel:"), this), 1, 0);
    kopf->addWidget(kurzL_, 1, 1);
    auto* listen = new QGridLayout;
    listen->addWidget(faecherL_, 0, 0);
    listen->addWidget(klassenLehrerCB_, 0, 1);
    listen->addLayout(MitFilter(fachCLBox_, this), 1, 0);
    listen->addLayout(MitFilter(klassenCLBox_, this), 1, 1);
    auto* knoepfe = new QHBoxLayout;
    for (QPushButton* b : {neuBtn_, umbenennenBtn_, loeschenBtn_})
        knoepfe->addWidget(b);
    knoepfe->addStretch(1);
    auto* v = new QVBoxLayout(allgemein);
    v->addLayout(kopf);
    v->addLayout(listen, 1);
    v->addWidget(optiCB_);
    v->addWidget(tendenzCB_);
    v->addLayout(knoepfe);
    SeitenAnordnen(seiten_, allgemein, SperrZiel::Lehrer, leiste, schliessen);
    regeln_ = new RegelnSeite(true, this);
    seiten_->addTab(regeln_, "Regeln");
    // A refusal keeps what was typed, so that it can be corrected.
    connect(regeln_, &RegelnSeite::Uebernommen, this, [this] {
        const Aenderung a = Editor().SetTeacherRules(Auswahl(), regeln_->Werte(), reporter_);
        if (a.Geaendert) Ergebnis(a);
    });
    resize(520, 460);
}

std::vector<std::string> TLehrerForm::Namen() const {
    return NamenVon(Daten().Lehrer);
}

const CLehrer* TLehrerForm::Lehrer() const {
    return Ausgewaehlt(Daten().Lehrer);
}

const LockGrid* TLehrerForm::Sperre() const {
    const CLehrer* l = Lehrer();
    return l ? &l->Sperre : nullptr;
}

void TLehrerForm::Zeigen() {
    const CLehrer* l = Lehrer();
    const std::vector<std::string> keine;
    const std::vector<std::string> klassen = NamenVon(Daten().Klassen);
    CheckListeFuellen(fachCLBox_, FachReihenfolge(l), l ? l->Faecher : keine);
    CheckListeFuellen(klassenCLBox_, klassen,
                      l && !l->Klasse.empty() ? std::vector<std::string>{l->Klasse} : keine);
    laden_ = true;
    kurzL_->setText(l ? Q(l->Kurz) : QString());
    faecherL_->setText(QString::fromUtf8("Fächer (%1)").arg(l ? l->Faecher.size() : 0));
    const auto kasten = [](QCheckBox* c, bool an) {
        QSignalBlocker still(c);
        c->setChecked(an);
    };
    kasten(klassenLehrerCB_, l && l->KlassenLehrer);
    kasten(optiCB_, l && l->Opti);
    kasten(tendenzCB_, l && l->TendenzZuFreienTagen);
    regeln_->Aufbauen(Daten().Angaben);
    regeln_->Zeigen(l ? l->Regeln : CLehrerRegeln{});
    laden_ = false;
}

std::vector<std::string> TLehrerForm::FachReihenfolge(const CLehrer* l) {
    const std::vector<std::string>& alle = Daten().Faecher;
    std::vector<std::string> jetzt;
    jetzt.reserve(static_cast<std::size_t>(fachCLBox_->count()));
    for (int i = 0; i < fachCLBox_->count(); ++i)
        jetzt.push_back(S(fachCLBox_->item(i)->text()));
    // The same teacher and the same subjects: the order stays.
    if (l && l->Name == reihenfolgeVon_ && jetzt.size() == alle.size() &&
        std::is_permutation(jetzt.begin(), jetzt.end(), alle.begin()))
        return jetzt;
    reihenfolgeVon_ = l ? l->Name : std::string();
    std::vector<std::string> reihe = alle;
    if (l)
        std::stable_partition(reihe.begin(), reihe.end(), [l](const std::string& f) {
            return std::find(l->Faecher.begin(), l->Faecher.end(), f) != l->Faecher.end();
        });
    return reihe;
}

void TLehrerForm::Freigeben() {
    const CLehrer* l = Lehrer();
    for (QWidget* w :
         std::initializer_list<QWidget*>{neuBtn_, loeschenBtn_, neuBitBtn_, loeschenBitBtn_})
        w->setEnabled(editable_);
    for (QWidget* w : std::initializer_list<QWidget*>{klassenLehrerCB_, fachCLBox_, optiCB_,
                                                      tendenzCB_, umbenennenBtn_})
        w->setEnabled(l && (editable_ || w == tendenzCB_ || w == umbenennenBtn_));
    // The class list belongs to a class teacher.
    klassenCLBox_->setEnabled(editable_ && l && l->KlassenLehrer);
    regeln_->SetEditable(editable_ && l);
}

void TLehrerForm::FachGeklickt(QListWidgetItem* item) {
    if (laden_) return;
    Ergebnis(
        Editor().SetTeacherSubject(Auswahl(), S(item->text()), item->checkState() == Qt::Checked));
}

void TLehrerForm::KlasseGeklickt(QListWidgetItem* item) {
    if (laden_) return;
    const bool an = item->checkState() == Qt::Checked;
    Ergebnis(Editor().SetTeacherClass(Auswahl(), an ? S(item->text()) : std::string(), reporter_));
}

void TLehrerForm::NeuClick() {
    neuForm_->SetKurz({});
    if (!Eingabe(*neuForm_, stammtext::NeuerLehrer, stammtext::NeuerLehrerPrompt)) return;
    Ergebnis(Editor().NewTeacher({S(neuForm_->Name()), S(neuForm_->Kurz())}, reporter_));
}

void TLehrerForm::UmbenennenClick() {
    const CLehrer* l = Lehrer();
    if (!l) return;
    neuForm_->SetKurz(Q(l->Kurz));
    if (!Eingabe(*neuForm_, stammtext::LehrerUmbenennen, stammtext::LehrerUmbenennenPrompt,
                 Q(l->Name)))
        return;
    Ergebnis(
        Editor().RenameTeacher(Auswahl(), {S(neuForm_->Name()), S(neuForm_->Kurz())}, reporter_));
}

void TLehrerForm::LoeschenClick() {
    if (Auswahl() < 0) return;
    Ergebnis(Editor().DeleteTeacher(Auswahl(), reporter_));
}

} // namespace sw::ui
