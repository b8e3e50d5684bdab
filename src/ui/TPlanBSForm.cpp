// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TPlanBSForm.h"

#include "edit/GridView.h"
#include "plan/Evaluation.h"
#include "ui/PlanGitter.h"
#include "ui/QtReporter.h"
#include "ui/TLegendeForm.h"
#include "ui/TRaumSetzenForm.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sw::ui {

namespace {

QPushButton* Knopf(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(Q(text), parent);
    b->setObjectName(name);
    // Return in the grid is no button press.
    b->setAutoDefault(false);
    return b;
}

QLabel* Wert(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setMinimumWidth(40);
    return l;
}

QAction* Eintrag(QMenu* menu, const char* name, const char* text, bool ankreuzbar = false) {
    QAction* a = menu->addAction(Q(text));
    a->setObjectName(name);
    a->setCheckable(ankreuzbar);
    return a;
}

} // namespace

TPlanBSForm::TPlanBSForm(Reporter& reporter, QWidget* parent)
    : QDialog(parent), reporter_(reporter) {
    setObjectName("PlanBSForm");
    setWindowTitle(Q("Schnappschuß"));
    setModal(true);
    // The window opens centred over the planning window unless the program options place it.
    Aufbauen();
    raumForm_ = new TRaumSetzenForm(this);
    legende_ = new TLegendeForm(this);
}

TPlanBSForm::~TPlanBSForm() = default;

void TPlanBSForm::Aufbauen() {
    planSGPC_ = new QTabWidget(this);
    planSGPC_->setObjectName("PlanSGPC");
    for (std::size_t i = 0; i < gitter_.size(); ++i) {
        auto* seite = new QWidget;
        seite->setObjectName(QString("TabSheet%1").arg(i + 1));
        gitter_[i] = new PlanGitter(seite);
        gitter_[i]->setObjectName(QString("PlanSG%1").arg(i + 1));
        auto* l = new QVBoxLayout(seite);
        l->setContentsMargins(2, 2, 2, 2);
        l->addWidget(gitter_[i]);
        planSGPC_->addTab(seite, QString::number(i + 1));
        PlanGitter* g = gitter_[i];
        connect(g, &PlanGitter::ZelleGewaehlt, this, [this](int day, int hour) {
            if (editor_) Folgen(editor_->SelectCell(day, hour));
        });
        connect(g, &PlanGitter::MenueGewuenscht, this, &TPlanBSForm::MenueZeigen);
        connect(g, &PlanGitter::Escape, this, &TPlanBSForm::Escape);
        connect(g, &PlanGitter::Taste, this, &TPlanBSForm::Taste);
    }
    connect(planSGPC_, &QTabWidget::currentChanged, this, &TPlanBSForm::SeiteGewechselt);
    MenueAufbauen();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(planSGPC_, 1);
    layout->addWidget(Bedienteil(), 0);
    resize(1040, 640);

    auto* rueck = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    connect(rueck, &QShortcut::activated, this, &TPlanBSForm::RueckgaengigClick);
    auto* wieder = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), this);
    connect(wieder, &QShortcut::activated, this, &TPlanBSForm::WiederholenClick);
}

QWidget* TPlanBSForm::Bedienteil() {
    auto* teil = new QWidget(this);
    auto* ansicht = new QGroupBox("Ansicht", teil);
    ansicht->setObjectName("AnsichtRG");
    ansichtRG_ = new QButtonGroup(ansicht);
    auto* al = new QVBoxLayout(ansicht);
    const char* ansichten[] = {"Lehrer", "Klasse", "Raum"};
    for (int i = 0; i < 3; ++i) {
        auto* rb = new QRadioButton(ansichten[i], ansicht);
        ansichtRG_->addButton(rb, i);
        al->addWidget(rb);
    }
    connect(ansichtRG_, &QButtonGroup::idClicked, this, [this] {
        if (!laden_) Aktualisieren();
    });

    auto* listen = new QGridLayout;
    const char* namen[] = {"LehrerCoBox", "KlassenCoBox", "RaumCoBox"};
    for (int i = 0; i < 3; ++i) {
        listen_[i] = new QComboBox(teil);
        listen_[i]->setObjectName(namen[i]);
        listen_[i]->setMinimumWidth(160);
        auto* titel = new QLabel(ansichten[i], teil);
        titel->setBuddy(listen_[i]);
        listen->addWidget(titel, i, 0);
        listen->addWidget(listen_[i], i, 1);
        connect(listen_[i], &QComboBox::currentIndexChanged, this, [this] {
            if (!laden_) Aktualisieren();
        });
    }
    nurKurzCB_ = new QCheckBox(Q("nur Abkürzungen"), teil);
    nurKurzCB_->setObjectName("NurKurzCB");
    nurKurzCB_->setChecked(true);
    connect(nurKurzCB_, &QCheckBox::clicked, this, &TPlanBSForm::Neuzeichnen);

    rueckgaengigBtn_ = Knopf(teil, "RueckgaengigBtn", "Rückgängig");
    rueckgaengigBtn_->setToolTip(Q("Die letzte Änderung zurücknehmen (Strg+Z)"));
    wiederholenBtn_ = Knopf(teil, "WiederholenBtn", "Wiederholen");
    wiederholenBtn_->setToolTip(Q("Die zurückgenommene Änderung wiederholen (Strg+Y)"));
    connect(rueckgaengigBtn_, &QPushButton::clicked, this, &TPlanBSForm::RueckgaengigClick);
    connect(wiederholenBtn_, &QPushButton::clicked, this, &TPlanBSForm::WiederholenClick);
    auto* ausgabe = Knopf(teil, "AusgabeBtn", "Ausgabe");
    connect(ausgabe, &QPushButton::clicked, this, &TPlanBSForm::AusgabeClick);
    auto* legende = Knopf(teil, "LegendeBtn", "Legende");
    connect(legende, &QPushButton::clicked, this, &TPlanBSForm::LegendeClick);
    auto* schliessen = Knopf(teil, "Button1", "Schließen");
    connect(schliessen, &QPushButton::clicked, this, &QDialog::accept);

    auto* undo = new QHBoxLayout;
    undo->addWidget(rueckgaengigBtn_);
    undo->addWidget(wiederholenBtn_);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(ausgabe);
    knoepfe->addWidget(legende);
    knoepfe->addWidget(schliessen);

    auto* layout = new QVBoxLayout(teil);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ansicht);
    layout->addLayout(listen);
    layout->addWidget(nurKurzCB_);
    layout->addWidget(StatistikTeil());
    layout->addWidget(KonfliktTeil());
    layout->addStretch();
    layout->addLayout(undo);
    layout->addLayout(knoepfe);
    return teil;
}

QGroupBox* TPlanBSForm::StatistikTeil() {
    auto* gruppe = new QGroupBox("Statistik", this);
    gruppe->setObjectName("GroupBox1");
    auto* g = new QGridLayout(gruppe);
    g->setVerticalSpacing(2);
    const std::pair<QLabel**, std::pair<const char*, const char*>> zeilen[] = {
        {&statistik_.LeerStunden, {"LeerStundenL", "Leer - Stunden:"}},
        {&statistik_.LeerStundenMaximum, {"LeerStundenMaximumL", "Leer - Stunden - Maximum:"}},
        {&statistik_.StundenMaximum, {"StundenMaximumL", "Stunden - Maximum:"}},
        {&statistik_.StundenMinimum, {"StundenMinimumL", "Stunden - Minimum:"}},
        {&statistik_.TrennungsFehler, {"TrennungsFehlerL", "Trennungs - Fehler:"}},
        {&statistik_.SpezialTrennungsFehler,
         {"SpezialTrennungsFehlerL", "Spezial - Trennungs - Fehler:"}},
        {&statistik_.Stunden, {"StundenL", "Stunden"}},
        {&statistik_.GesetzteStunden, {"GesetzteStundenL", "Gesetzte Stunden:"}},
        {&statistik_.LSSum, {"LSSumL", "Leerstunden - Summe:"}},
    };
    int zeile = 0;
    for (const auto& [label, text] : zeilen) {
        *label = Wert(gruppe, text.first);
        (*label)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(new QLabel(Q(text.second), gruppe), zeile, 0);
        g->addWidget(*label, zeile, 1);
        ++zeile;
    }
    return gruppe;
}

QGroupBox* TPlanBSForm::KonfliktTeil() {
    konfliktGB_ = new QGroupBox("Konflikt", this);
    konfliktGB_->setObjectName("KonfliktGB");
    auto* g = new QGridLayout(konfliktGB_);
    g->setVerticalSpacing(2);
    const std::pair<QLabel**, std::pair<const char*, const char*>> zeilen[] = {
        {&konfliktLehrerL_, {"KonfliktLehrerL", "Lehrer:"}},
        {&konfliktFachKursL_, {"KonfliktFachKursL", "Fach/Kurs:"}},
        {&konfliktKlassenL_, {"KonfliktKlassenL", "Klasse:"}},
        {&konfliktRaumL_, {"KonfliktRaumL", "Raum:"}},
    };
    int zeile = 0;
    for (const auto& [label, text] : zeilen) {
        *label = Wert(konfliktGB_, text.first);
        g->addWidget(new QLabel(Q(text.second), konfliktGB_), zeile, 0);
        g->addWidget(*label, zeile, 1);
        ++zeile;
    }
    g->setColumnStretch(1, 1);
    return konfliktGB_;
}

void TPlanBSForm::MenueAufbauen() {
    menue_ = new QMenu(this);
    menue_->setObjectName("ManuSetzPM");
    auto& e = eintraege_;
    e.Verschieben = Eintrag(menue_, "StundeVerschiebenPMI", "Stunde &verschieben");
    e.Suchen = Eintrag(menue_, "StundenSuchenPMI", "Stunde &Suchen");
    e.Austausch = Eintrag(menue_, "AustauschPMI", "Austausch");
    menue_->addSeparator();
    e.ZeitFest = Eintrag(menue_, "StundeZeitFestPMI", "Stunde zeitfest              z", true);
    e.TagSetzen = Eintrag(menue_, "TagSetzenPMI", "Tag setzen                    t", true);
    QMenu* limit = menue_->addMenu("Stunden-Limit");
    limit->setObjectName("LimitLoeschenPMI");
    limit->menuAction()->setObjectName("LimitLoeschenPMI");
    e.OberesLimit = Eintrag(limit, "OberesLimitPMI", "Oberes Limit                 o");
    e.UnteresLimit = Eintrag(limit, "UnteresLimitPMI", "Unteres Limit                u");
    e.Sperren = Eintrag(menue_, "StundeSperrenPMI", "Stunde sperren             s", true);
    e.RaumSetzen = Eintrag(menue_, "RaumSetzenPMI", "Raum setzen ...");

    const auto befehl = [this](QAction* a, EditResult (PlanEditor::*cmd)()) {
        connect(a, &QAction::triggered, this, [this, cmd] {
            if (editor_) Folgen(((*editor_).*cmd)());
        });
    };
    befehl(e.Verschieben, &PlanEditor::Move);
    befehl(e.Suchen, &PlanEditor::Search);
    befehl(e.Austausch, &PlanEditor::Swap);
    befehl(e.ZeitFest, &PlanEditor::FixedTime);
    befehl(e.TagSetzen, &PlanEditor::FixedDay);
    befehl(e.OberesLimit, &PlanEditor::UpperLimit);
    befehl(e.UnteresLimit, &PlanEditor::LowerLimit);
    befehl(e.Sperren, &PlanEditor::Lock);
    connect(e.RaumSetzen, &QAction::triggered, this, &TPlanBSForm::RaumSetzenClick);
}

// --- showing ---------------------------------------------------------------------------------

int TPlanBSForm::Ausfuehren(CPlan& plan, Stammdaten& stamm, EditHistory& history) {
    Vorbereiten(plan, stamm, history);
    const int ergebnis = exec();
    // The plan may go before the next show: nothing keeps pointing at it.
    for (PlanGitter* g : gitter_)
        g->Modell().Setzen(nullptr, nullptr);
    editor_.reset();
    plan_ = nullptr;
    return ergebnis;
}

void TPlanBSForm::Vorbereiten(CPlan& plan, Stammdaten& stamm, EditHistory& history) {
    laden_ = true;
    plan_ = &plan;
    editor_ = std::make_unique<PlanEditor>(plan, stamm, history, reporter_);
    EvaluateAll(plan);
    const auto fuellen = [](QComboBox* box, const auto& liste) {
        box->clear();
        for (const auto& e : liste)
            box->addItem(Q(e.Name));
        box->setCurrentIndex(box->count() > 0 ? 0 : -1);
    };
    fuellen(listen_[0], stamm.Lehrer);
    fuellen(listen_[1], stamm.Klassen);
    fuellen(listen_[2], stamm.Raeume);
    seiten_.fill(Seite{});
    for (std::size_t i = 0; i < gitter_.size(); ++i) {
        gitter_[i]->Modell().Setzen(&plan, editor_.get());
        planSGPC_->setTabText(static_cast<int>(i), Q(PageCaption(plan, Ansicht::Klasse, 0)));
    }
    seite_ = 0;
    planSGPC_->setCurrentIndex(0);
    laden_ = false;
    SeiteLaden(0);
    Aktualisieren();
}

PlanGitter& TPlanBSForm::Gitter() {
    return *gitter_[static_cast<std::size_t>(seite_)];
}

Ansicht TPlanBSForm::AktuelleAnsicht() const {
    const int id = ansichtRG_->checkedId();
    return static_cast<Ansicht>(id < 0 ? 1 : id);
}

int TPlanBSForm::AktuellerIndex() const {
    return listen_[static_cast<std::size_t>(AktuelleAnsicht())]->currentIndex();
}

void TPlanBSForm::Aktualisieren() {
    if (!editor_ || !plan_) return;
    editor_->Show(AktuelleAnsicht(), AktuellerIndex());
    editor_->Reset();
    Neuzeichnen();
    setWindowTitle(Q(WindowCaption(*plan_, AktuelleAnsicht(), AktuellerIndex())));
    planSGPC_->setTabText(seite_, Q(PageCaption(*plan_, AktuelleAnsicht(), AktuellerIndex())));
    const KonfliktAnzeige k = ConflictDisplay(*plan_, editor_->State().Conflict);
    konfliktGB_->setTitle(Q(k.Caption));
    konfliktLehrerL_->setText(Q(k.Lehrer));
    konfliktFachKursL_->setText(Q(k.FachKurs));
    konfliktKlassenL_->setText(Q(k.Klasse));
    konfliktRaumL_->setText(Q(k.Raum));
}

void TPlanBSForm::Neuzeichnen() {
    if (!editor_ || !plan_) return;
    PlanGitter& g = Gitter();
    g.Modell().SetNurKurz(nurKurzCB_->isChecked());
    g.Modell().Neuzeichnen();
    g.viewport()->update();
    const Statistik s = ViewStatistics(*plan_, editor_->View(), editor_->Shown());
    statistik_.LeerStunden->setText(Q(s.LeerStunden));
    statistik_.LeerStundenMaximum->setText(Q(s.LeerStundenMaximum));
    statistik_.StundenMaximum->setText(Q(s.StundenMaximum));
    statistik_.StundenMinimum->setText(Q(s.StundenMinimum));
    statistik_.TrennungsFehler->setText(Q(s.TrennungsFehler));
    statistik_.SpezialTrennungsFehler->setText(Q(s.SpezialTrennungsFehler));
    statistik_.Stunden->setText(Q(s.Stunden));
    statistik_.GesetzteStunden->setText(Q(s.GesetzteStunden));
    statistik_.LSSum->setText(Q(s.LSSum));
    // The pointer says which mode the next cell selection completes.
    const EditState& st = editor_->State();
    const char* zeiger = st.MoveMode ? "VERSCHIEBEN" : st.SwapMode ? "AUSTAUSCH" : "";
    if (g.property("Zeiger").toString() != zeiger) {
        g.setProperty("Zeiger", zeiger);
        if (st.MoveMode)
            g.viewport()->setCursor(VerschiebenZeiger());
        else if (st.SwapMode)
            g.viewport()->setCursor(AustauschZeiger());
        else
            g.viewport()->unsetCursor();
    }
    rueckgaengigBtn_->setEnabled(editor_->CanUndo());
    wiederholenBtn_->setEnabled(editor_->CanRedo());
}

void TPlanBSForm::Folgen(EditResult ergebnis) {
    if (ergebnis.Refresh || ergebnis.What == Ergebnis::Abgelehnt)
        Aktualisieren();
    else
        Neuzeichnen();
}

// --- pages -----------------------------------------------------------------------------------

void TPlanBSForm::SeiteSichern() {
    Seite& s = seiten_[static_cast<std::size_t>(seite_)];
    s.Ansicht = ansichtRG_->checkedId() < 0 ? 1 : ansichtRG_->checkedId();
    for (std::size_t i = 0; i < listen_.size(); ++i)
        s.Listen[i] = listen_[i]->currentIndex();
}

void TPlanBSForm::SeiteLaden(int index) {
    const bool war = laden_;
    laden_ = true;
    const Seite& s = seiten_[static_cast<std::size_t>(index)];
    for (std::size_t i = 0; i < listen_.size(); ++i)
        listen_[i]->setCurrentIndex(listen_[i]->count() > 0 ? s.Listen[i] : -1);
    ansichtRG_->button(s.Ansicht)->setChecked(true);
    laden_ = war;
}

void TPlanBSForm::SeiteGewechselt(int index) {
    if (laden_ || index < 0) return;
    // The leaving page's grid loses its pointer: only the current grid has a mode.
    Gitter().viewport()->unsetCursor();
    Gitter().setProperty("Zeiger", "");
    SeiteSichern();
    seite_ = index;
    SeiteLaden(index);
    Aktualisieren();
}

// --- commands --------------------------------------------------------------------------------

void TPlanBSForm::Escape() {
    if (!editor_) return;
    editor_->Escape();
    Aktualisieren();
}

void TPlanBSForm::Taste(char buchstabe) {
    if (!editor_) return;
    switch (buchstabe) {
    case 'o':
        Folgen(editor_->UpperLimit());
        break;
    case 's':
        Folgen(editor_->Lock());
        break;
    case 't':
        Folgen(editor_->FixedDay());
        break;
    case 'u':
        Folgen(editor_->LowerLimit());
        break;
    case 'z':
        Folgen(editor_->FixedTime());
        break;
    default:
        break;
    }
}

void TPlanBSForm::keyPressEvent(QKeyEvent* event) {
    // Esc cancels the modes and the selection; it does not close the window.
    if (event->key() == Qt::Key_Escape) {
        Escape();
        event->accept();
        return;
    }
    // The shortcuts, when the window was not yet active again as the key came (right after a
    // dialog over it closed).
    if (event->modifiers() == Qt::ControlModifier &&
        (event->key() == Qt::Key_Z || event->key() == Qt::Key_Y)) {
        event->key() == Qt::Key_Z ? RueckgaengigClick() : WiederholenClick();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPlanBSForm::MenueSetzen() {
    const PopupState p = editor_->Popup();
    auto& e = eintraege_;
    e.Verschieben->setEnabled(p.Move);
    e.Suchen->setEnabled(p.Search);
    e.Austausch->setEnabled(p.Swap);
    e.ZeitFest->setEnabled(p.FixedTime);
    e.ZeitFest->setChecked(p.FixedTimeChecked);
    e.TagSetzen->setEnabled(p.FixedDay);
    e.TagSetzen->setChecked(p.FixedDayChecked);
    e.Sperren->setEnabled(p.Lock);
    e.Sperren->setChecked(p.LockChecked);
    e.OberesLimit->setText(Q(p.OberesLimit));
    e.UnteresLimit->setText(Q(p.UnteresLimit));
}

void TPlanBSForm::MenueZeigen(const QPoint& global) {
    if (!editor_ || !editor_->State().PopupAuto) return;
    // With nothing selected the items keep what they showed last.
    if (editor_->State().Selection) MenueSetzen();
    menue_->popup(global);
}

void TPlanBSForm::RaumSetzenClick() {
    if (!editor_ || !plan_) return;
    const CStunde* sel = editor_->State().Selection;
    if (!sel || sel == &plan_->LeerStunde || !sel->IsLesson()) return;
    if (raumForm_->isVisible()) return;
    std::vector<QString> namen;
    for (const CRaumFach& r : plan_->Stamm().Raeume)
        namen.push_back(Q(r.Name));
    raumForm_->Fuellen([this](bool alle) { return editor_->RoomChoices(alle); }, std::move(namen));
    const bool ok = raumForm_->exec() == QDialog::Accepted;
    const int raum = raumForm_->GewaehlterRaum();
    // "Ok" with nothing selected counts as "Cancel".
    Folgen(ok && raum >= 0 ? editor_->SetRoom(raum) : editor_->CancelRoom());
}

void TPlanBSForm::LegendeClick() {
    legende_->exec();
}

void TPlanBSForm::AusgabeClick() {
    emit AusgabeVerlangt();
}

void TPlanBSForm::RueckgaengigClick() {
    if (editor_ && editor_->Undo()) Aktualisieren();
}

void TPlanBSForm::WiederholenClick() {
    if (editor_ && editor_->Redo()) Aktualisieren();
}

} // namespace sw::ui
