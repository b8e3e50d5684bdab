// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TStammForm.h"

#include "ui/Desktop.h"
#include "ui/QtReporter.h"
#include "ui/SperrGitter.h"
#include "ui/TNeuForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace sw::ui {

namespace {
constexpr const char* kNavigationHilfe = "navigations-leiste.htm";

// The wait pointer while the lock check runs; a message of the check gets the normal pointer.
class Warten : public Reporter {
public:
    explicit Warten(Reporter& ziel) : ziel_(ziel) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Warten() override { Ende(); }
    void Show(const Message& m) override {
        Ende();
        ziel_.Show(m);
    }
    bool Ask(const Message& m, Question q) override {
        Ende();
        return ziel_.Ask(m, q);
    }

private:
    void Ende() {
        if (!aktiv_) return;
        aktiv_ = false;
        QApplication::restoreOverrideCursor();
    }
    Reporter& ziel_;
    bool aktiv_ = true;
};
// A long list of names is searched by typing: the list takes text, a pop-up offers every name
// that contains it (upper and lower case alike), and picking one selects it as the drop-down
// does. Text that names no entry gives way to the selected name when the field is left.
void NamenSuche(QComboBox* liste) {
    liste->setEditable(true);
    liste->setInsertPolicy(QComboBox::NoInsert);
    liste->lineEdit()->setPlaceholderText("Namen eintippen");
    liste->setMaxVisibleItems(20);
    auto* suche = new QCompleter(liste->model(), liste);
    suche->setCompletionMode(QCompleter::PopupCompletion);
    suche->setFilterMode(Qt::MatchContains);
    suche->setCaseSensitivity(Qt::CaseInsensitive);
    liste->setCompleter(suche);
    QObject::connect(liste->lineEdit(), &QLineEdit::editingFinished, liste, [liste] {
        const int i = liste->findText(liste->currentText(), Qt::MatchFixedString);
        if (i >= 0 && i != liste->currentIndex())
            liste->setCurrentIndex(i);
        else
            liste->setEditText(liste->itemText(liste->currentIndex()));
    });
}
} // namespace

TStammForm::TStammForm(Session& session, Reporter& reporter, Desktop& desktop, QWidget* parent,
                       const char* objektName, const char* hilfe)
    : QDialog(parent), session_(session), reporter_(reporter), desktop_(desktop) {
    setObjectName(objektName);
    setModal(false);
    HilfeMenue(this, hilfe);
}

void TStammForm::HilfeMenue(QWidget* w, const char* seite) {
    w->setToolTip(seite);
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this, [this, w](QPoint p) {
        QMenu menu(w);
        menu.addAction("Hilfe", this, [this, w] { emit HilfeSeite(w->toolTip()); });
        menu.exec(w->mapToGlobal(p));
    });
}

void TStammForm::SeitenAnordnen(QTabWidget* seiten, QWidget* allgemein, SperrZiel ziel,
                                QWidget* leiste, QWidget* schliessen) {
    seiten->addTab(allgemein, "Allgemeine Angaben");
    seiten->addTab(SperrSeite(ziel), "Zeitvorgaben");
    auto* unten = new QHBoxLayout;
    unten->addWidget(leiste);
    unten->addStretch(1);
    unten->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(seiten, 1);
    layout->addLayout(unten);
}

QPushButton* TStammForm::Knopf(const char* name, const QString& text) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QCheckBox* TStammForm::Kasten(const char* name, const QString& text) {
    auto* c = new QCheckBox(text, this);
    c->setObjectName(name);
    return c;
}

QListWidget* TStammForm::CheckListe(const char* name) {
    auto* l = new QListWidget(this);
    l->setObjectName(name);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
}

QComboBox* TStammForm::ListeAnlegen(const char* name) {
    liste_ = new QComboBox(this);
    liste_->setObjectName(name);
    liste_->setMinimumWidth(200);
    NamenSuche(liste_);
    connect(liste_, &QComboBox::currentIndexChanged, this, [this] {
        if (laden_) return;
        Zeigen();
        SperreZeigen();
        Freigeben();
    });
    return liste_;
}

QWidget* TStammForm::Navigation() {
    auto* leiste = new QWidget(this);
    leiste->setObjectName("NavigationsLeiste");
    auto* h = new QHBoxLayout(leiste);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    const auto knopf = [&](const char* name, const QString& text, const QString& hinweis) {
        QPushButton* b = Knopf(name, text);
        b->setParent(leiste);
        b->setFixedWidth(34);
        b->setAccessibleName(hinweis);
        HilfeMenue(b, kNavigationHilfe);
        h->addWidget(b);
        return b;
    };
    connect(knopf("Erster", QString::fromUtf8("|◀"), "Erster"), &QPushButton::clicked, this,
            [this] { Blaettern(-2); });
    connect(knopf("Links", QString::fromUtf8("◀"), "Vorheriger"), &QPushButton::clicked, this,
            [this] { Blaettern(-1); });
    connect(knopf("Rechts", QString::fromUtf8("▶"), QString::fromUtf8("Nächster")),
            &QPushButton::clicked, this, [this] { Blaettern(1); });
    connect(knopf("Letzter", QString::fromUtf8("▶|"), "Letzter"), &QPushButton::clicked, this,
            [this] { Blaettern(2); });
    neuBitBtn_ = knopf("NeuBitBtn", "+", "Neu");
    loeschenBitBtn_ = knopf("LoeschenBitBtn", QString::fromUtf8("−"), QString::fromUtf8("Löschen"));
    h->addStretch(1);
    return leiste;
}

// -2 first, -1 previous, 1 next, 2 last; without a selection the page is only refreshed.
void TStammForm::Blaettern(int schritt) {
    const int n = liste_->count();
    int i = liste_->currentIndex();
    if (i >= 0 && n > 0) {
        if (schritt == -2) i = 0;
        if (schritt == -1 && i > 0) --i;
        if (schritt == 1 && i + 1 < n) ++i;
        if (schritt == 2) i = n - 1;
    }
    Waehlen(i);
}

int TStammForm::Auswahl() const {
    return liste_ ? liste_->currentIndex() : -1;
}

void TStammForm::Waehlen(int auswahl) {
    const std::vector<std::string> namen = Namen();
    laden_ = true;
    {
        QSignalBlocker still(liste_);
        liste_->clear();
        for (const auto& n : namen)
            liste_->addItem(Q(n));
        const int n = static_cast<int>(namen.size());
        liste_->setCurrentIndex(auswahl >= 0 && auswahl < n ? auswahl : (n > 0 ? 0 : -1));
    }
    laden_ = false;
    Zeigen();
    SperreZeigen();
    Freigeben();
}

void TStammForm::Auffrischen() {
    Waehlen(Auswahl());
}

void TStammForm::Oeffnen() {
    Auffrischen();
    show();
    raise();
    activateWindow();
}

void TStammForm::SetEditable(bool editable) {
    editable_ = editable;
    if (sperren_) sperren_->SetEditable(editable);
    Freigeben();
}

SperrGitter* TStammForm::SperrSeite(SperrZiel ziel) {
    ziel_ = ziel;
    sperren_ = new SperrGitter(this);
    connect(sperren_, &SperrGitter::Sperren, this, &TStammForm::SperrenClick);
    connect(sperren_, &SperrGitter::Freigeben, this, &TStammForm::FreigebenClick);
    connect(sperren_, &SperrGitter::HilfeSeite, this, &TStammForm::HilfeSeite);
    sperren_->Aufbauen(Daten().Angaben);
    return sperren_;
}

void TStammForm::ZeitgitterAufbauen() {
    if (!sperren_) return;
    sperren_->Aufbauen(Daten().Angaben);
    SperreZeigen();
}

void TStammForm::SperreZeigen() {
    if (!sperren_) return;
    if (const LockGrid* s = Sperre())
        sperren_->Zeigen(*s);
    else
        sperren_->Leeren();
}

void TStammForm::SperrenClick() {
    if (!editable_ || Auswahl() < 0) return;
    Aenderung a;
    {
        Warten warten(reporter_);
        a = Editor().Lock(ziel_, Auswahl(), sperren_->Auswahl(), warten);
    }
    SperreZeigen();
    if (a.Geaendert) emit Geaendert();
}

void TStammForm::FreigebenClick() {
    if (!editable_ || Auswahl() < 0) return;
    const Aenderung a = Editor().Unlock(ziel_, Auswahl(), sperren_->Auswahl());
    SperreZeigen();
    if (a.Geaendert) emit Geaendert();
}

void TStammForm::Leeren(const QString& titel) {
    setWindowTitle(titel);
    Waehlen(-1);
}

void TStammForm::Ergebnis(const Aenderung& a) {
    Waehlen(a.Geaendert ? a.Auswahl : Auswahl());
    if (a.Geaendert) emit Geaendert();
}

bool TStammForm::Eingabe(TEingabeForm& fenster, const char* titel, const char* prompt,
                         const QString& name) {
    fenster.Vorbereiten(this, Q(titel), Q(prompt), name);
    return desktop_.Run(fenster);
}

void TStammForm::CheckListeFuellen(QListWidget* liste, const std::vector<std::string>& namen,
                                   const std::vector<std::string>& an) {
    laden_ = true;
    QSignalBlocker still(liste);
    // The same names: only the marks change. The list may be inside its own handler, so its
    // items stay where they are.
    bool gleich = liste->count() == static_cast<int>(namen.size());
    for (int i = 0; gleich && i < liste->count(); ++i)
        gleich = liste->item(i)->text() == Q(namen[i]);
    if (!gleich) {
        const int zeile = liste->currentRow();
        liste->clear();
        for (const auto& n : namen) {
            auto* item = new QListWidgetItem(Q(n), liste);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
        if (zeile >= 0 && zeile < liste->count()) liste->setCurrentRow(zeile);
    }
    for (int i = 0; i < liste->count(); ++i) {
        const bool gesetzt = std::find(an.begin(), an.end(), namen[i]) != an.end();
        liste->item(i)->setCheckState(gesetzt ? Qt::Checked : Qt::Unchecked);
    }
    liste->viewport()->update();
    laden_ = false;
}

} // namespace sw::ui
