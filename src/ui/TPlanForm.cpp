// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TPlanForm.h"

#include "app/BestAttempt.h"
#include "app/FigureTexts.h"
#include "app/Settings.h"
#include "plan/FitCheck.h"

#include "ui/KurvenAnzeige.h"
#include "ui/QtReporter.h"
#include "ui/TPlanBSForm.h"

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
#include <algorithm>
#include <ctime>
#include <string_view>

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

// The figure labels in the order of FigureTexts; the pages that optimise them colour them blue.
struct ZahlInfo {
    const char* name;
    const char* titel;
    Figure ziel; // the figure of the stage that works on it
    bool lehrer; // shown among the teachers' figures
};
constexpr std::array<ZahlInfo, 9> kZahlen = {{
    {"KLSSumL", "Summe der Leerstunden:", Figure::KLSSumme, false},
    {"KProdSumL", "Stunden - Verteilung:", Figure::KProd, false},
    {"TFSumL", "Summe der Trennungsfehler:", Figure::TFSumme, false},
    {"TFMaxL", "Maximum der Trennungsfehler:", Figure::TFSumme, false},
    {"SpezialTFSumL", "Summe der Spezial-Trennungsfehler:", Figure::TFSumme, false},
    {"SpezialTFMaxL", "Maximum der Spezial-Trennungsfehler:", Figure::TFSumme, false},
    {"LLSSumL", "Summe der Leerstunden:", Figure::LLSSumme, true},
    {"LLSMaxL", "Maximum der Leerstunden:", Figure::LLSSumme, true},
    {"LProdSumL", "Stunden-Verteilung:", Figure::LProd, true},
}};

constexpr std::array<const char*, 4> kOptionen = {
    kLimitOptionen[0], kLimitOptionen[1], kLimitOptionen[2],
    "Urplan akzeptieren, auch wenn eine erste Stunde einer Klasse nicht gesetzt werden konnte"};
constexpr std::array<const char*, 4> kOptionenNamen = {
    "KursUeberStundenLimitCB", "MehrfachKursUeberStundenLimitCB", "MehrfachUeberStundenLimitCB",
    "AbbruchErsteStundeCB"};

// The figures, pass labels and curve are repainted at most this often during a run.
constexpr int kAnzeigeMs = 100;

// The widest text a figure label is expected to hold; its width stays fixed at that. A count
// gets five digits; a distribution "prod (pp,p %)  ideal" as many as the ideal has.
QString BreitesterText(bool verteilung, int ideal) {
    if (!verteilung) return "88888";
    const QString ziffern(std::max(3, static_cast<int>(QString::number(ideal).size())), '8');
    return ziffern + " (88,8 %)  " + ziffern;
}

// The object names of the buttons of the stage tabs 2..6: the stage's and its "Mischen".
constexpr std::array<std::pair<const char*, const char*>, 5> kStufenKnoepfe = {{
    {"KLSMinimierungBtn", "Boese1Btn"},
    {"KProdBtn", "Boese2Btn"},
    {"TFBtn", "Boese3Btn"},
    {"LLSBtn", "Boese4Btn"},
    {"LProdBtn", "Boese5Btn"},
}};

} // namespace

TPlanForm::TPlanForm(RunControl& run, Reporter& reporter, QWidget* parent)
    : QWidget(parent, Qt::Window), run_(run), reporter_(reporter), dienst_(reporter, run) {
    setObjectName("PlanForm");
    setWindowTitle(Q(texte::Bereitschaft));
    Aufbauen();
    run_.SetObserver(this);
    // One look at pending input per pass keeps the window usable during a run.
    run_.SetPassHook([] { QCoreApplication::processEvents(); });
    anzeigeUhr_.start();
    SetPlan(nullptr, nullptr);
}

void TPlanForm::Aufbauen() {
    seiten_ = new QTabWidget(this);
    seiten_->setObjectName("PlanungsPC");
    seiten_->setUsesScrollButtons(false);
    seiten_->setMaximumHeight(200);
    seiten_->addTab(UrplanSeite(), "Urplan");
    for (std::size_t i = 0; i < kStufenKnoepfe.size(); ++i) {
        const StageRow& stufe = *FindNumberedStage(static_cast<int>(i) + 2);
        seiten_->addTab(StufenSeite(kStufenKnoepfe[i].first, TexteVon(stufe).Button,
                                    kStufenKnoepfe[i].second, stufe.Stage),
                        Q(TexteVon(stufe).Tab));
    }
    seiten_->addTab(ManuellSeite(), Q(TexteVon(Stage::Manuell, false).Tab));
    seiten_->addTab(OptionenSeite(), "Optionen");
    connect(seiten_, &QTabWidget::currentChanged, this, &TPlanForm::SeiteGewechselt);

    haltBtn_ = Knopf(this, "HaltBtn", "Halt");
    connect(haltBtn_, &QPushButton::clicked, this, &TPlanForm::HaltBtnClick);
    schnappschussBtn_ = Knopf(this, "SchnappschussBtn", "Schnappschuß");
    connect(schnappschussBtn_, &QPushButton::clicked, this, &TPlanForm::SchnappschussBtnClick);
    veroeffentlichenBtn_ = Knopf(this, "VeroeffentlichenBtn", "Veröffentlichen...");
    connect(veroeffentlichenBtn_, &QPushButton::clicked, this,
            &TPlanForm::VeroeffentlichenVerlangt);
    gitter_ = new TPlanBSForm(reporter_, this);
    connect(gitter_, &TPlanBSForm::AusgabeVerlangt, this, &TPlanForm::AusgabeVerlangt);
    // The pass labels, each with its caption; fixed widths keep the row from jumping.
    label15T_ = Beschriftung(this, "Label15T");
    label15_ = Beschriftung(this, "Label15");
    austauschT_ = Beschriftung(this, "AustauschT", "Zielgerichtet:");
    austauschT_->setToolTip("Ergebnis des letzten zielgerichteten Austauschs (#Austausch)");
    austauschL_ = Beschriftung(this, "AustauschL");
    const QFontMetrics fm = fontMetrics();
    label15T_->setMinimumWidth(
        std::max(fm.horizontalAdvance("Austausche:"), fm.horizontalAdvance("Durchgang:")));
    label15_->setMinimumWidth(fm.horizontalAdvance("Iteration 8888888"));
    austauschL_->setMinimumWidth(fm.horizontalAdvance("8888888"));
    kurve_ = new KurvenAnzeige(this);
    kurve_->setObjectName("KurveW");
    kurve_->setMinimumWidth(320);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(label15T_);
    knoepfe->addWidget(label15_);
    knoepfe->addSpacing(12);
    knoepfe->addWidget(austauschT_);
    knoepfe->addWidget(austauschL_);
    knoepfe->addStretch();
    knoepfe->addWidget(schnappschussBtn_);
    knoepfe->addWidget(veroeffentlichenBtn_);
    knoepfe->addWidget(haltBtn_);

    auto* unten = new QHBoxLayout;
    unten->addWidget(ZahlenTeil());
    unten->addWidget(kurve_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(seiten_, 0);
    layout->addLayout(knoepfe);
    layout->addLayout(unten, 1);
    // Disabled while a run is active, like the stage buttons.
    schritte_.push_back(schnappschussBtn_);
    schritte_.push_back(veroeffentlichenBtn_);
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
                                const char* mischenName, Stage stufe) {
    auto* seite = new QWidget;
    auto* knopf = Knopf(seite, knopfName, knopfText);
    auto* mischen = Knopf(seite, mischenName, TexteVon(stufe, true).Button);
    connect(knopf, &QPushButton::clicked, this, [this, stufe] { StageClick(stufe); });
    connect(mischen, &QPushButton::clicked, this, [this, stufe] { MischenClick(stufe); });
    schritte_.push_back(knopf);
    schritte_.push_back(mischen);
    auto* layout = new QVBoxLayout(seite);
    layout->addWidget(knopf);
    layout->addWidget(mischen);
    if (stufe == Stage::KlassenVerteilung) {
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
        if (plan_) plan_->SetGoals(ZieleAusListe(ZieleGewaehlt()));
    });
    auto* start = Knopf(seite, "ManuellStartBtn", TexteVon(Stage::Manuell, false).Button);
    connect(start, &QPushButton::clicked, this, [this] { StageClick(Stage::Manuell); });
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
    // Not a flag of the plan: kept in the configuration file for every plan.
    weitersuchenCB_ = new QCheckBox(Q(texte::Weitersuchen), seite);
    weitersuchenCB_->setObjectName("WeitersuchenCB");
    weitersuchenCB_->setChecked(PlanungsEinstellungen{}.Weitersuchen);
    connect(weitersuchenCB_, &QCheckBox::clicked, this, [this] { EinstellungenSchreiben(false); });
    layout->addWidget(weitersuchenCB_);
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
        QGroupBox* box = z.lehrer ? lehrer : klassen;
        auto* titel = new QLabel(Q(z.titel), box);
        auto* wert = Beschriftung(box, z.name, "0");
        // Right-aligned in a fixed width: the panel does not jump as the numbers change.
        wert->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        (z.lehrer ? lf : kf)->addRow(titel, wert);
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

void TPlanForm::SetPlan(CPlan* plan, Random* rng, Stammdaten* stamm) {
    plan_ = plan && rng ? plan : nullptr;
    rng_ = rng;
    stamm_ = stamm;
    dienst_.Attach(plan_, rng_);
    verlauf_.Clear();
    run_.End();
    kurve_->Neu({});
    label1_->clear();
    KonfliktSetzen({});
    // Nothing of a previous school or stage stays on screen.
    label15Text_.clear();
    zielgerichtetWert_ = 0;
    label15T_->clear();
    label15_->clear();
    austauschL_->clear();
    ZahlenBreiten();
    if (plan_) {
        OptionenLesen();
        ZahlenZeigen();
    }
}

void TPlanForm::ZahlenBreiten() {
    for (std::size_t i = 0; i < zahlen_.size(); ++i) {
        const std::string_view name = kZahlen[i].name;
        const bool verteilung = name.ends_with("ProdSumL");
        const int ideal = !plan_                      ? 999999
                          : name.starts_with("KProd") ? plan_->Totals().KProdOpt
                                                      : plan_->Totals().LProdOpt;
        QLabel* wert = zahlen_[i].wert;
        wert->setMinimumWidth(
            wert->fontMetrics().horizontalAdvance(BreitesterText(verteilung, ideal)));
    }
}

void TPlanForm::ZahlenZeigen() {
    if (plan_) ZahlenSetzen(ShowFigures(*plan_));
}

void TPlanForm::ZahlenSetzen(const FigureTexts& f) {
    const std::array<const std::string*, 9> texte = {&f.KLSSumme, &f.KProd,    &f.TFSumme,
                                                     &f.TFMax,    &f.STFSumme, &f.STFMax,
                                                     &f.LLSSumme, &f.LLSMax,   &f.LProd};
    for (std::size_t i = 0; i < texte.size(); ++i)
        zahlen_[i].wert->setText(Q(*texte[i]));
    llsLimitE_->setText(Q(f.LLSLimit));
    if (plan_) sKProdSumL_->setText(QString::number(plan_->Totals().Opt.KProdRekord));
}

void TPlanForm::KonfliktSetzen(const ConflictRecord& konflikt) {
    const ConflictNames k = plan_ ? NamesOf(*plan_, konflikt) : ConflictNames{};
    konfliktGB_->setTitle(Q(KonfliktTitel(konflikt)));
    konfliktLehrerL_->setText(Q(k.Lehrer));
    konfliktFachKursL_->setText(Q(k.FachKurs));
    konfliktKlassenL_->setText(Q(k.Klassen));
    konfliktRaumL_->setText(Q(k.Raum));
}

// --- buttons ----------------------------------------------------------------------------------

// Every command that runs the plan holds a scope for its whole length, the refresh after the
// core run included. A run command that arrives while a halted run is still returning starts
// once it has returned.
void TPlanForm::StartBtnClick() {
    if (run_.InUse()) {
        run_.WhenReturned([this] { StartBtnClick(); });
        return;
    }
    if (!NieSetzbarGefragt()) return;
    RunControl::Scope scope(run_);
    verlauf_.Clear();
    const std::uint32_t seed = seed_.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
    kurve_->Neu("Rest", KurvenAnzeige::Zaehlung::Versuch);
    anzeigeUhr_.restart();
    // Without a complete plan the grid keeps the best attempt, as the tool does.
    dienst_.SetOptions(Planungsoptionen(seed));
    const InitialPlanResult r = dienst_.RunInitialPlan(this);
    if (r.PlanVorhanden && !r.Complete() && !r.Angehalten) {
        const ConflictRecord konflikt = ConflictOf(*plan_);
        reporter_.Show({texte::KeinVollstaendigerPlan(r, konflikt, NamesOf(*plan_, konflikt)),
                        titel::Hinweis});
    }
}

bool TPlanForm::NieSetzbarGefragt() {
    if (!plan_) return true;
    const std::vector<std::string> befunde = DescribeFitProblems(*plan_);
    if (befunde.empty()) return true;
    return reporter_.Ask({texte::NieSetzbarFrage(befunde), titel::Warnung}, Question::YesNo);
}

void TPlanForm::StageClick(Stage stufe) {
    if (!plan_) return;
    if (run_.InUse()) {
        run_.WhenReturned([this, stufe] { StageClick(stufe); });
        return;
    }
    RunControl::Scope scope(run_);
    verlauf_.Clear();
    laufend_ = stufe;
    mischen_ = false;
    dienst_.SetOptions(Planungsoptionen());
    dienst_.RunStage(stufe, this);
}

void TPlanForm::MischenClick(Stage tab) {
    if (!plan_) return;
    if (run_.InUse()) {
        run_.WhenReturned([this, tab] { MischenClick(tab); });
        return;
    }
    RunControl::Scope scope(run_);
    verlauf_.Clear();
    laufend_ = tab;
    mischen_ = true;
    dienst_.SetOptions(Planungsoptionen());
    dienst_.Mix(tab, this);
}

void TPlanForm::LaufBeginnt() {
    const StageRow& zeile = *FindStageRow(laufend_, mischen_);
    const auto [figur, name] = Kurve(zeile);
    kurvenFigur_ = figur;
    zielgerichtet_ = zeile.HasGoalDirectedStep();
    passCount_ = zeile.Counts;
    kurve_->Neu(name);
    label15Text_.clear();
    zielgerichtetWert_ = 0;
    label15T_->setText(Q(PassLabelCaption(zeile.Counts)));
    label15_->clear();
    austauschL_->clear();
    anzeigeUhr_.restart();
}

bool TPlanForm::AnzeigeFaellig() {
    if (anzeigeUhr_.elapsed() < kAnzeigeMs) return false;
    anzeigeUhr_.restart();
    return true;
}

void TPlanForm::LaufZeigen(const PlanTotals& zahlen) {
    ZahlenSetzen(FigureTextsOf(zahlen));
    label15_->setText(Q(label15Text_));
    austauschL_->setText(zielgerichtet_ ? QString::number(zielgerichtetWert_) : QString());
    kurve_->update();
}

void TPlanForm::HaltBtnClick() {
    run_.Halt();
}

void TPlanForm::SchnappschussBtnClick() {
    if (!plan_ || !stamm_ || run_.InUse()) return;
    gitter_->Ausfuehren(*plan_, *stamm_, verlauf_);
    ZahlenZeigen();
}

bool TPlanForm::Schliessen() {
    if (!isVisible() && !run_.InUse()) return true;
    return close();
}

void TPlanForm::closeEvent(QCloseEvent* event) {
    // Refused during a run; right after "Halt" asked again once the run has returned.
    const bool darf = SchliessenFrage
                          ? run_.MayClose(reporter_, [this] { close(); }) && SchliessenFrage()
                          : run_.ConfirmClose(reporter_, [this] { close(); });
    if (!darf) {
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

void TPlanForm::EnableCommands() {
    for (QWidget* w : schritte_)
        w->setEnabled(true);
    setWindowTitle(Q(texte::Bereitschaft));
}

void TPlanForm::Started(const CPlan*, int attempts) {
    setWindowTitle(Q(texte::UrplanErzeugen));
    anzahlVersucheE_->setText(QString::number(attempts));
    KonfliktSetzen({});
}

void TPlanForm::AttemptDone(const InitialPlanProgress& progress) {
    kurve_->Merken(progress.Rest);
    kurve_->SetVersuche(progress.Versuche);
    if (!AnzeigeFaellig()) return;
    label1_->setText(Q(VersucheText(progress)));
    KonfliktSetzen(progress.Konflikt);
    kurve_->update();
}

void TPlanForm::Finished(const InitialPlanProgress& progress, const PlanTotals& totals) {
    label1_->setText(Q(VersucheText(progress)));
    kurve_->SetVersuche(progress.Versuche);
    KonfliktSetzen(progress.Konflikt);
    ZahlenSetzen(FigureTextsOf(totals));
    startBtn_->setText(Q(texte::UrplanStart));
    kurve_->update();
}

void TPlanForm::Started(const StageRow& row) {
    setWindowTitle(Q(TexteVon(row).Status));
    LaufBeginnt();
}

void TPlanForm::PassDone(const PassReport& report) {
    kurve_->Merken(FigureValue(*plan_, kurvenFigur_));
    label15Text_ = PassLabelText(passCount_, report);
    zielgerichtetWert_ = report.GoalDirected;
    if (AnzeigeFaellig()) LaufZeigen(report.Totals);
}

void TPlanForm::Ended(const PassReport& report) {
    LaufZeigen(report.Totals);
}

std::pair<Figure, QString> TPlanForm::Kurve(const StageRow& zeile) const {
    if (zeile.GoalsFromList) {
        // The first ticked goal; without any the row's figure, and its name says so.
        const std::array<bool, 7> ziele = ZieleGewaehlt();
        const auto erstes = std::find(ziele.begin(), ziele.end(), true);
        if (erstes != ziele.end()) {
            const auto i = static_cast<std::size_t>(erstes - ziele.begin());
            return {static_cast<Figure>(i), Q(kZieleListe[i])};
        }
    }
    return {zeile.Curve, Q(TexteVon(zeile).CurveName)};
}

// --- tabs, goals, options ---------------------------------------------------------------------

void TPlanForm::SeiteGewechselt(int index) {
    for (std::size_t i = 0; i < zahlen_.size(); ++i) {
        const StageRow* stufe = FindNumberedStage(index + 1); // tabs 1..5: stages 2..6
        const QColor farbe = stufe && stufe->Target == kZahlen[i].ziel ? Qt::blue : Qt::black;
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

PlanningOptions TPlanForm::Planungsoptionen(std::uint32_t seed) const {
    PlanningOptions o;
    o.Attempts = AttemptCountFromText(S(anzahlVersucheE_->text()));
    o.Seed = seed;
    o.Search = weitersuchenCB_->isChecked();
    o.Goals = ZieleAusListe(ZieleGewaehlt());
    o.CourseOverLimit = optionen_[0]->isChecked();
    o.MultiCourseOverLimit = optionen_[1]->isChecked();
    o.MultiOverLimit = optionen_[2]->isChecked();
    o.StrictFirstHour = !optionen_[3]->isChecked();
    return o;
}

void TPlanForm::OptionenLesen() {
    if (!plan_) return;
    const std::array<Flag, 4> flags = {
        plan_->Flags().KursUeberStundenLimit, plan_->Flags().MehrfachKursUeberStundenLimit,
        plan_->Flags().MehrfachUeberStundenLimit, plan_->Flags().AbbruchErsteStunde};
    for (std::size_t i = 0; i < flags.size(); ++i)
        optionen_[i]->setChecked(flags[i] != 0);
}

void TPlanForm::SetKonfigDatei(const QString& pfad) {
    konfigDatei_ = pfad;
    weitersuchenCB_->setChecked(ReadPlanungsEinstellungen(DefaultFileOps(), S(pfad)).Weitersuchen);
}

void TPlanForm::EinstellungenSchreiben(bool limits) {
    if (konfigDatei_.isEmpty()) return;
    PlanungsEinstellungen einstellungen = Einstellungen();
    einstellungen.Weitersuchen = weitersuchenCB_->isChecked();
    if (limits) {
        einstellungen.KursUeberStundenLimit = optionen_[0]->isChecked();
        einstellungen.MehrfachKursUeberStundenLimit = optionen_[1]->isChecked();
        einstellungen.MehrfachUeberStundenLimit = optionen_[2]->isChecked();
    }
    if (!WritePlanungsEinstellungen(DefaultFileOps(), S(konfigDatei_), einstellungen))
        reporter_.Show({"Fehler beim Schreiben in die Konfigurations - Datei.", titel::Fehler});
}

PlanungsEinstellungen TPlanForm::Einstellungen() const {
    return konfigDatei_.isEmpty() ? PlanungsEinstellungen{}
                                  : ReadPlanungsEinstellungen(DefaultFileOps(), S(konfigDatei_));
}

void TPlanForm::OptionenSchreiben() {
    if (!plan_) return;
    dienst_.SetOptions(Planungsoptionen());
    dienst_.ApplyLimits();
    // The three limit options are the planner's choice for every plan: a new plan starts so.
    EinstellungenSchreiben(true);
}

} // namespace sw::ui
