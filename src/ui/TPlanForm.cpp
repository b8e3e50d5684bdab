// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TPlanForm.h"

#include "ui/KurvenAnzeige.h"
#include "ui/QtReporter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <ctime>

namespace sw::ui {

namespace {

QPushButton* Knopf(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(Q(text), parent);
    b->setObjectName(name);
    return b;
}

QLabel* Beschriftung(QWidget* parent, const char* name, const char* text = "") {
    auto* l = new QLabel(Q(text), parent);
    l->setObjectName(name);
    return l;
}

// The figure labels in the order of Figures; the pages that optimise them colour them blue.
struct ZahlInfo {
    const char* name;
    const char* titel;
    int seite; // tab index that optimises the figure, 0 for none
};
constexpr std::array<ZahlInfo, 9> kZahlen = {{
    {"KLSSumL", "Summe der Leerstunden:", 1},
    {"KProdSumL", "Stunden - Verteilung:", 2},
    {"TFSumL", "Summe der Trennungsfehler:", 3},
    {"TFMaxL", "Maximum der Trennungsfehler:", 3},
    {"SpezialTFSumL", "Summe der Spezial-Trennungsfehler:", 3},
    {"SpezialTFMaxL", "Maximum der Spezial-Trennungsfehler:", 3},
    {"LLSSumL", "Summe der Leerstunden:", 4},
    {"LLSMaxL", "Maximum der Leerstunden:", 4},
    {"LProdSumL", "Stunden-Verteilung:", 5},
}};

constexpr std::array<const char*, 4> kOptionen = {
    "Setzen von Kursstunden über dem Stunden - Limit zulassen",
    "Setzen von Mehrfach-Kursstunden über dem StundenLimit zulassen",
    "Setzen von Mehrfach-Fachstunden über dem StundenLimit zulassen",
    "Urplan akzeptieren, auch wenn eine erste Stunde einer Klasse nicht gesetzt werden konnte"};
constexpr std::array<const char*, 4> kOptionenNamen = {
    "KursUeberStundenLimitCB", "MehrfachKursUeberStundenLimitCB", "MehrfachUeberStundenLimitCB",
    "AbbruchErsteStundeCB"};

} // namespace

TPlanForm::TPlanForm(RunControl& run, Reporter& reporter, QWidget* parent)
    : QWidget(parent, Qt::Window), run_(run), reporter_(reporter) {
    setObjectName("PlanForm");
    setWindowTitle(Q(texte::Bereitschaft));
    Aufbauen();
    run_.SetObserver(this);
    // One look at pending input per pass keeps the window usable during a run.
    run_.SetPassHook([] { QCoreApplication::processEvents(); });
    SetPlan(nullptr);
}

void TPlanForm::Aufbauen() {
    seiten_ = new QTabWidget(this);
    seiten_->setObjectName("PlanungsPC");
    seiten_->setUsesScrollButtons(false);
    seiten_->setMaximumHeight(200);
    seiten_->addTab(UrplanSeite(), "Urplan");
    seiten_->addTab(StufenSeite("KLSMinimierungBtn", "2. Klassen - Leerstunden - Minimierung",
                                "Boese1Btn", Stufe::KlassenLuecken),
                    "2. Klassen-Leerstunden");
    seiten_->addTab(StufenSeite("KProdBtn", "3. Klassenstunden verteilen", "Boese2Btn",
                                Stufe::KlassenVerteilung),
                    "3. Verteilung (Klassen)");
    seiten_->addTab(
        StufenSeite("TFBtn", "4. Trennungsfehler minimieren", "Boese3Btn", Stufe::Trennungsfehler),
        "4. Trennungsfehler");
    seiten_->addTab(StufenSeite("LLSBtn", "5. Lehrer - Leerstunden - Minimierung", "Boese4Btn",
                                Stufe::LehrerLuecken),
                    "5. Lehrer-Leerstunden");
    seiten_->addTab(
        StufenSeite("LProdBtn", "6. Lehrerstunden verteilen", "Boese5Btn", Stufe::LehrerVerteilung),
        "6. Verteilung(Lehrer)");
    seiten_->addTab(ManuellSeite(), "Manuell");
    seiten_->addTab(OptionenSeite(), "Optionen");
    connect(seiten_, &QTabWidget::currentChanged, this, &TPlanForm::SeiteGewechselt);

    haltBtn_ = Knopf(this, "HaltBtn", "Halt");
    connect(haltBtn_, &QPushButton::clicked, this, &TPlanForm::HaltBtnClick);
    schnappschussBtn_ = Knopf(this, "SchnappschussBtn", "Schnappschuß");
    // The plan grid window does not exist yet: the button stays disabled.
    schnappschussBtn_->setEnabled(false);
    label15_ = Beschriftung(this, "Label15");
    austauschL_ = Beschriftung(this, "AustauschL", "#Austausch:");
    kurve_ = new KurvenAnzeige(this);
    kurve_->setObjectName("KurveW");
    kurve_->setMinimumWidth(320);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(label15_);
    knoepfe->addWidget(austauschL_);
    knoepfe->addStretch();
    knoepfe->addWidget(schnappschussBtn_);
    knoepfe->addWidget(haltBtn_);

    auto* unten = new QHBoxLayout;
    unten->addWidget(ZahlenTeil());
    unten->addWidget(kurve_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(seiten_, 0);
    layout->addLayout(knoepfe);
    layout->addLayout(unten, 1);
    SeiteGewechselt(0);
    resize(1100, 560);
}

QWidget* TPlanForm::UrplanSeite() {
    auto* seite = new QWidget;
    startBtn_ = Knopf(seite, "StartBtn", texte::UrplanStart);
    connect(startBtn_, &QPushButton::clicked, this, &TPlanForm::StartBtnClick);
    anzahlVersucheE_ = new QLineEdit("1000", seite);
    anzahlVersucheE_->setObjectName("AnzahlVersucheE");
    anzahlVersucheE_->setMaximumWidth(90);
    label1_ = Beschriftung(seite, "Label1");
    schritte_ = {startBtn_, anzahlVersucheE_};

    konfliktGB_ = new QGroupBox(Q(texte::Konflikt), seite);
    konfliktGB_->setObjectName("KonfliktGB");
    konfliktLehrerL_ = Beschriftung(konfliktGB_, "KonfliktLehrerL");
    konfliktFachKursL_ = Beschriftung(konfliktGB_, "KonfliktFachKursL");
    konfliktKlassenL_ = Beschriftung(konfliktGB_, "KonfliktKlassenL");
    konfliktRaumL_ = Beschriftung(konfliktGB_, "KonfliktRaumL");
    auto* k = new QVBoxLayout(konfliktGB_);
    for (QLabel* l : {konfliktLehrerL_, konfliktFachKursL_, konfliktKlassenL_, konfliktRaumL_})
        k->addWidget(l);

    auto* links = new QVBoxLayout;
    links->addWidget(startBtn_);
    auto* anzahl = new QHBoxLayout;
    anzahl->addWidget(new QLabel("Anzahl Versuche:", seite));
    anzahl->addWidget(anzahlVersucheE_);
    anzahl->addStretch();
    links->addLayout(anzahl);
    links->addWidget(label1_);
    links->addStretch();
    auto* layout = new QHBoxLayout(seite);
    layout->addLayout(links);
    layout->addWidget(konfliktGB_, 1);
    return seite;
}

QWidget* TPlanForm::StufenSeite(const char* knopfName, const char* knopfText,
                                const char* mischenName, Stufe stufe) {
    auto* seite = new QWidget;
    auto* knopf = Knopf(seite, knopfName, knopfText);
    auto* mischen = Knopf(seite, mischenName, "Mischen");
    connect(knopf, &QPushButton::clicked, this, [this, stufe] { StageClick(stufe); });
    connect(mischen, &QPushButton::clicked, this, [this, stufe] { MischenClick(stufe); });
    schritte_.push_back(knopf);
    schritte_.push_back(mischen);
    auto* layout = new QVBoxLayout(seite);
    layout->addWidget(knopf);
    layout->addWidget(mischen);
    if (stufe == Stufe::KlassenVerteilung) {
        // The record of the class distribution is kept up to date but not shown.
        sKProdSumL_ = Beschriftung(seite, "SKProdSumL");
        sKProdSumL_->hide();
    }
    layout->addStretch();
    return seite;
}

QWidget* TPlanForm::ManuellSeite() {
    auto* seite = new QWidget;
    zieleCLB_ = new QListWidget(seite);
    zieleCLB_->setObjectName("ZieleCLB");
    for (const char* ziel : kZieleListe) {
        auto* item = new QListWidgetItem(Q(ziel), zieleCLB_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    connect(zieleCLB_, &QListWidget::itemChanged, this, [this] {
        if (plan_) SetGoalsFromList(*plan_, ZieleGewaehlt());
    });
    auto* start = Knopf(seite, "ManuellStartBtn", "Start");
    connect(start, &QPushButton::clicked, this, [this] { StageClick(Stufe::Manuell); });
    schritte_.push_back(start);
    auto* layout = new QHBoxLayout(seite);
    layout->addWidget(zieleCLB_, 1);
    layout->addWidget(start, 0, Qt::AlignTop);
    return seite;
}

QWidget* TPlanForm::OptionenSeite() {
    auto* seite = new QWidget;
    auto* layout = new QVBoxLayout(seite);
    for (std::size_t i = 0; i < kOptionen.size(); ++i) {
        optionen_[i] = new QCheckBox(Q(kOptionen[i]), seite);
        optionen_[i]->setObjectName(kOptionenNamen[i]);
        connect(optionen_[i], &QCheckBox::clicked, this, &TPlanForm::OptionenSchreiben);
        layout->addWidget(optionen_[i]);
    }
    layout->addStretch();
    return seite;
}

QWidget* TPlanForm::ZahlenTeil() {
    auto* teil = new QWidget(this);
    auto* klassen = new QGroupBox("Klassen", teil);
    auto* lehrer = new QGroupBox("Lehrer", teil);
    auto* kf = new QFormLayout(klassen);
    auto* lf = new QFormLayout(lehrer);
    for (const ZahlInfo& z : kZahlen) {
        QGroupBox* box = z.seite >= 4 ? lehrer : klassen;
        auto* titel = new QLabel(Q(z.titel), box);
        auto* wert = Beschriftung(box, z.name, "0");
        (z.seite >= 4 ? lf : kf)->addRow(titel, wert);
        zahlen_.push_back({wert, titel});
    }
    llsLimitE_ = new QLineEdit(lehrer);
    llsLimitE_->setObjectName("LLSLimitE");
    llsLimitE_->setReadOnly(true);
    llsLimitE_->setMaximumWidth(60);
    lf->addRow(new QLabel("Leerstunden-Limit:", lehrer), llsLimitE_);
    auto* layout = new QHBoxLayout(teil);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(klassen, 0, Qt::AlignTop);
    layout->addWidget(lehrer, 0, Qt::AlignTop);
    return teil;
}

void TPlanForm::SetPlan(CPlan* plan) {
    plan_ = plan;
    run_.End();
    kurve_->Neu({});
    label1_->clear();
    KonfliktSetzen({});
    if (plan_) {
        OptionenLesen();
        ZahlenZeigen();
    }
}

void TPlanForm::ZahlenZeigen() {
    if (plan_) ZahlenSetzen(ShowFigures(*plan_));
}

void TPlanForm::ZahlenSetzen(const Figures& f) {
    const std::array<const std::string*, 9> texte = {&f.KLSSumme, &f.KProd,    &f.TFSumme,
                                                     &f.TFMax,    &f.STFSumme, &f.STFMax,
                                                     &f.LLSSumme, &f.LLSMax,   &f.LProd};
    for (std::size_t i = 0; i < texte.size(); ++i)
        zahlen_[i].wert->setText(Q(*texte[i]));
    llsLimitE_->setText(Q(f.LLSLimit));
    if (plan_) sKProdSumL_->setText(QString::number(plan_->KProdRekord));
}

void TPlanForm::KonfliktSetzen(const ConflictLabels& k) {
    konfliktGB_->setTitle(Q(k.Caption));
    konfliktLehrerL_->setText(Q(k.Lehrer));
    konfliktFachKursL_->setText(Q(k.FachKurs));
    konfliktKlassenL_->setText(Q(k.Klassen));
    konfliktRaumL_->setText(Q(k.Raum));
}

// --- buttons ----------------------------------------------------------------------------------

void TPlanForm::StartBtnClick() {
    const std::uint32_t seed = seed_.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    kurve_->Neu("Rest");
    RunInitialPlan(plan_, reporter_, run_, S(anzahlVersucheE_->text()), seed, this);
}

void TPlanForm::StageClick(Stufe stufe) {
    if (!plan_) return;
    laufend_ = stufe;
    const std::array<const char*, 6> namen = {"Klassen-Leerstunden", "Klassen-Verteilung",
                                              "Trennungsfehler",     "Lehrer-Leerstunden",
                                              "Lehrer-Verteilung",   "Lehrer-Leerstunden"};
    kurve_->Neu(Q(namen[static_cast<int>(stufe) - 2]));
    Optimiser optimiser(*plan_, run_, reporter_, this);
    optimiser.RunStage(stufe, ZieleGewaehlt());
    ZahlenZeigen();
}

void TPlanForm::MischenClick(Stufe tab) {
    if (!plan_) return;
    laufend_ = tab;
    Optimiser optimiser(*plan_, run_, reporter_, this);
    optimiser.Mix(tab);
    ZahlenZeigen();
}

void TPlanForm::HaltBtnClick() {
    run_.Halt();
}

bool TPlanForm::Schliessen() {
    if (!isVisible()) return true;
    return close();
}

void TPlanForm::closeEvent(QCloseEvent* event) {
    if (!run_.ConfirmClose(reporter_)) {
        event->ignore();
        return;
    }
    event->accept();
    emit PlanGeschlossen();
}

// --- run observers ----------------------------------------------------------------------------

void TPlanForm::DisableCommands() {
    for (QWidget* w : schritte_)
        w->setEnabled(false);
}

void TPlanForm::EnableCommands(const std::string& caption) {
    for (QWidget* w : schritte_)
        w->setEnabled(true);
    setWindowTitle(Q(caption));
}

void TPlanForm::Started(const std::string& caption, const std::string& anzahlVersuche,
                        const ConflictLabels& konflikt) {
    setWindowTitle(Q(caption));
    anzahlVersucheE_->setText(Q(anzahlVersuche));
    KonfliktSetzen(konflikt);
}

void TPlanForm::AttemptDone(const InitialPlanProgress& progress) {
    label1_->setText(Q(progress.Label1));
    KonfliktSetzen(progress.Konflikt);
    kurve_->Hinzu(progress.Rest);
}

void TPlanForm::Finished(const InitialPlanProgress& progress, const Figures& figures,
                         const std::string& startCaption) {
    label1_->setText(Q(progress.Label1));
    ZahlenSetzen(figures);
    startBtn_->setText(Q(startCaption));
}

void TPlanForm::Status(const std::string& caption) {
    setWindowTitle(Q(caption));
}

void TPlanForm::PassDone(const PassReport& report) {
    ZahlenSetzen(report.Zahlen);
    label15_->setText(Q(report.Label15));
    austauschL_->setText(QString::number(report.GoalDirected));
    kurve_->Hinzu(Zielwert(laufend_));
}

int TPlanForm::Zielwert(Stufe stufe) const {
    switch (stufe) {
    case Stufe::KlassenLuecken:
        return plan_->KLSSumme;
    case Stufe::KlassenVerteilung:
        return plan_->KProd;
    case Stufe::Trennungsfehler:
        return plan_->TFSumme;
    case Stufe::LehrerVerteilung:
        return plan_->LProd;
    default:
        return plan_->LLSSumme;
    }
}

// --- tabs, goals, options ---------------------------------------------------------------------

void TPlanForm::SeiteGewechselt(int index) {
    for (std::size_t i = 0; i < zahlen_.size(); ++i) {
        const QColor farbe = kZahlen[i].seite == index ? Qt::blue : Qt::black;
        for (QLabel* l : {zahlen_[i].wert, zahlen_[i].titel}) {
            QPalette p = l->palette();
            p.setColor(QPalette::WindowText, farbe);
            l->setPalette(p);
        }
    }
    if (index == 7) OptionenLesen();
}

std::array<bool, 7> TPlanForm::ZieleGewaehlt() const {
    std::array<bool, 7> gewaehlt{};
    for (int i = 0; i < zieleCLB_->count() && i < 7; ++i)
        gewaehlt[i] = zieleCLB_->item(i)->checkState() == Qt::Checked;
    return gewaehlt;
}

void TPlanForm::OptionenLesen() {
    if (!plan_) return;
    const std::array<Flag, 4> flags = {plan_->KursUeberStundenLimit,
                                       plan_->MehrfachKursUeberStundenLimit,
                                       plan_->MehrfachUeberStundenLimit, plan_->AbbruchErsteStunde};
    for (std::size_t i = 0; i < flags.size(); ++i)
        optionen_[i]->setChecked(flags[i] != 0);
}

void TPlanForm::OptionenSchreiben() {
    if (!plan_) return;
    plan_->KursUeberStundenLimit = optionen_[0]->isChecked();
    plan_->MehrfachKursUeberStundenLimit = optionen_[1]->isChecked();
    plan_->MehrfachUeberStundenLimit = optionen_[2]->isChecked();
    plan_->AbbruchErsteStunde = optionen_[3]->isChecked();
}

} // namespace sw::ui
