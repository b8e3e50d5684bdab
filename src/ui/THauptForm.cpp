// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/THauptForm.h"

#include "define/GeneralSettings.h"
#include "files/PlanFile.h"
#include "model/Text.h"
#include "optimise/InitialPlanRun.h"
#include "ui/QtReporter.h"
#include "ui/TAboutForm.h"
#include "ui/TAllgemeineAngabenForm.h"
#include "ui/TDruckOptionenForm.h"
#include "ui/TFachForm.h"
#include "ui/THilfeForm.h"
#include "ui/TImportBerichtForm.h"
#include "ui/TKlassenForm.h"
#include "ui/TKursForm.h"
#include "ui/TLehrerForm.h"
#include "ui/TPlanBSForm.h"
#include "ui/TPlanForm.h"
#include "ui/TProgrammOptionenForm.h"
#include "ui/TRaumForm.h"
#include "ui/TUnterrichtForm.h"
#include "ui/TVeroeffentlichenForm.h"
#include "ui/TVertretungenForm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <utility>

namespace sw::ui {

namespace {
const char* const kLehrerFehlen =
    "Sie haben noch keine Lehrer definiert!\nDies ist Voraussetzung für die Festlegung von "
    "Unterricht.";
const char* const kKlassenFehlen =
    "Sie haben noch keine Klassen definiert!\nDies ist Voraussetzung für die Festlegung von "
    "Unterricht.";
const char* const kFaecherFehlen =
    "Sie haben noch keine Fächer definiert!\nDies ist Voraussetzung für die Festlegung von "
    "Unterricht.";

// A help page that is missing, or that no program could show: the user learns where it is.
QString HilfeFehlt(const QString& pfad) {
    return QString::fromUtf8("Die Hilfeseite „%1“ wurde nicht gefunden.\nDen Ordner der "
                             "Hilfeseiten stellen Sie unter „Datei › Programm - Optionen ...“ "
                             "ein.")
        .arg(QDir::toNativeSeparators(pfad));
}
// A file named on the command line that is no school, master-data or plan file.
QString UnbekannteDatei(const QString& pfad) {
    return QString::fromUtf8("Die Datei „%1“ kann nicht geöffnet werden: Stundenwerk öffnet "
                             "Schul - Dateien (.sch), Stammdaten - Dateien (.sdt) und Plan - "
                             "Dateien (.pdt).")
        .arg(QDir::toNativeSeparators(pfad));
}
QString HilfeNichtAnzeigbar(const QString& pfad) {
    return QString::fromUtf8("Die Hilfeseite kann nicht angezeigt werden; sie liegt unter\n%1\n"
                             "Es konnte kein Programm zum Anzeigen gestartet werden. Öffnen Sie "
                             "die Seite mit einem Web-Browser.")
        .arg(QDir::toNativeSeparators(pfad));
}

const DateiDialog kSchuleOeffnen{false, "Öffnen", "Schul - Dateien (*.sch)", "sch", {}};
const DateiDialog kSchuleSpeichern{
    true, "Speichern unter", "Schul - Daten - Dateien (*.sch)", "sch", {}};
const DateiDialog kPlanOeffnen{false, "Plan - Datei öffnen", "Plan - Dateien (*.pdt)", "pdt", {}};
const DateiDialog kPlanSpeichern{
    true, "Plan-Datei speichern unter", "Plan - Dateien (*.pdt)", "pdt", {}};
const DateiDialog kStammOeffnen{
    false, "Stamm - Datei öffnen", "Stammdaten - Dateien (*.sdt)", "sdt", {}};
const DateiDialog kStammSpeichern{
    true, "Stamm-Datei speichern unter", "Stammdaten - Dateien (*.sdt)", "sdt", {}};
// A folder of tables is chosen by one of its tables: the file dialog shows them.
const DateiDialog kImportieren{
    false,
    "Importieren",
    "FET-Dateien (*.fet);;Tabellen – eine Datei des Ordners wählen (*.csv)",
    {},
    {}};
const DateiDialog kTabellenOrdner{false, "Stammdaten als Tabellen exportieren", {}, {}, {}, true};
} // namespace

THauptForm::THauptForm(Reporter& reporter, Desktop& desktop, const QString& startOrdner,
                       QWidget* parent)
    : QMainWindow(parent), reporter_(reporter), desktop_(desktop), session_(reporter),
      startOrdner_(startOrdner), hilfePfad_(QCoreApplication::applicationDirPath() + "/help") {
    setObjectName("Form1");
    hilfe_ = new THilfeForm(this);
    planForm_ = new TPlanForm(run_, reporter_, this);
    angaben_ = new TAllgemeineAngabenForm(reporter_, *hilfe_, this);
    optionen_ = new TProgrammOptionenForm(reporter_, startOrdner_, this);
    planForm_->SetKonfigDatei(optionen_->KonfigDatei());
    druck_ = new TDruckOptionenForm(reporter_, desktop_, this);
    // Publishing is asked for in the planning window and opens over it.
    veroeffentlichen_ = new TVeroeffentlichenForm(reporter_, desktop_, planForm_);
    unterricht_ = new TUnterrichtForm(session_, reporter_, desktop_, this);
    fach_ = new TFachForm(session_, reporter_, desktop_, this);
    raum_ = new TRaumForm(session_, reporter_, desktop_, this);
    lehrer_ = new TLehrerForm(session_, reporter_, desktop_, this);
    klassen_ = new TKlassenForm(session_, reporter_, desktop_, this);
    kurs_ = new TKursForm(session_, reporter_, desktop_, this);
    vertretungen_ = new TVertretungenForm(reporter_, desktop_, this);
    // The plan grid of the substitution windows is the planning window's: one undo history, and
    // the planning window's figures follow the edits made there.
    connect(vertretungen_, &TVertretungenForm::SchnappschussVerlangt, planForm_,
            &TPlanForm::SchnappschussBtnClick);
    // The dialogs open centred over the main window unless the program options place them.
    for (TStammForm* f : StammFenster()) {
        connect(f, &TStammForm::HilfeSeite, this, &THauptForm::HilfeSeite);
        connect(f, &TStammForm::Geaendert, this, [this, f] { StammGeaendert(f); });
    }
    connect(planForm_, &TPlanForm::PlanGeschlossen, this, &THauptForm::PlanGeschlossen);
    // Closing the planning window offers to save a changed plan first.
    planForm_->SchliessenFrage = [this] { return session_.PlanSchliessenFragen(DateiNamen()); };
    // The plan grid's "Ausgabe" is the menu's.
    connect(planForm_, &TPlanForm::AusgabeVerlangt, this, &THauptForm::AusgabeClick);
    connect(planForm_, &TPlanForm::VeroeffentlichenVerlangt, this,
            [this] { veroeffentlichen_->Oeffnen(session_.Plan()); });
    connect(angaben_, &TAllgemeineAngabenForm::HilfeSeite, this, &THauptForm::HilfeSeite);
    connect(unterricht_, &TUnterrichtForm::HilfeSeite, this, &THauptForm::HilfeSeite);
    optionen_->SetFenster({{"Form1", this},
                           {"Fach", fach_},
                           {"Klassen", klassen_},
                           {"Lehrer", lehrer_},
                           {"Raum", raum_},
                           {"Kurs", kurs_},
                           {"Unterricht", unterricht_},
                           {"Plan", planForm_},
                           {"PlanBS", &planForm_->GitterForm()},
                           {"Vertretungen", vertretungen_}});
    optionen_->SetHilfePfad(&hilfePfad_);
    MenuesAufbauen();
    auto* mitte = new QLabel(this);
    mitte->setObjectName("SchuleL");
    mitte->setAlignment(Qt::AlignCenter);
    mitte->setText("Stundenwerk");
    setCentralWidget(mitte);
    setWindowTitle("Plan :");
    resize(720, 160);
    move(100, 100);
    // The edits happen in many windows; comparing two counts a few times a second is cheaper
    // than telling the caption from each of them.
    auto* marke = new QTimer(this);
    connect(marke, &QTimer::timeout, this, &THauptForm::MarkeZeigen);
    marke->start(250);
}

void THauptForm::MarkeZeigen() {
    QString titel = windowTitle();
    const bool markiert = titel.endsWith(" *");
    const bool geaendert = session_.Geaendert();
    if (geaendert == markiert) return;
    if (markiert) titel.chop(2);
    setWindowTitle(geaendert ? titel + " *" : titel);
}

THauptForm::~THauptForm() = default;

QAction* THauptForm::Eintrag(QMenu* menu, const QString& text, void (THauptForm::*slot)()) {
    QAction* a = menu ? menu->addAction(text) : menuBar()->addAction(text);
    if (slot) connect(a, &QAction::triggered, this, slot);
    befehle_[text] = a;
    return a;
}

QAction* THauptForm::Befehl(const QString& text) const {
    const auto it = befehle_.find(text);
    return it == befehle_.end() ? nullptr : it->second;
}

void THauptForm::MenuesAufbauen() {
    QMenu* datei = menuBar()->addMenu("&Datei");
    Eintrag(datei, "&Neu", &THauptForm::NeuClick);
    QMenu* stamm = datei->addMenu("Stamm - Dateien");
    Eintrag(stamm, "Stamm - Datei öffnen ...", &THauptForm::StammOeffnenClick);
    Eintrag(stamm, "Stamm - Datei speichern", &THauptForm::StammSpeichernClick);
    Eintrag(stamm, "Stamm - Datei speichern unter ...", &THauptForm::StammSpeichernUnterClick);
    QMenu* plan = datei->addMenu("Plan - Dateien");
    Eintrag(plan, "&Plan - Datei öffnen ...", &THauptForm::PlanOeffnenClick);
    Eintrag(plan, "Plan - Datei speichern", &THauptForm::PlanSpeichernClick);
    Eintrag(plan, "Plan - Datei speichern unter ...", &THauptForm::PlanSpeichernUnterClick);
    datei->addSeparator();
    Eintrag(datei, "Ö&ffnen...", &THauptForm::OeffnenClick);
    Eintrag(datei, "Importieren...", &THauptForm::ImportierenClick);
    Eintrag(datei, "&Speichern", &THauptForm::SpeichernClick);
    Eintrag(datei, "Speichern &unter...", &THauptForm::SpeichernUnterClick);
    // Enabled with the master-data commands.
    Eintrag(datei, "Stammdaten als Tabellen exportieren...", &THauptForm::TabellenExportierenClick);
    datei->addSeparator();
    Eintrag(datei, "Programm - Optionen ...", &THauptForm::ProgrammOptionenClick);
    datei->addSeparator();
    Eintrag(datei, "&Beenden", nullptr);
    connect(Befehl("&Beenden"), &QAction::triggered, this, &QWidget::close);

    QMenu* daten = menuBar()->addMenu("&Stamm-Daten");
    // Disabled until the general settings are confirmed or a file is read.
    Eintrag(daten, "&Fächer", &THauptForm::FaecherClick);
    Eintrag(daten, "&Klassen", &THauptForm::KlassenClick);
    Eintrag(daten, "&Lehrer", &THauptForm::LehrerClick);
    Eintrag(daten, "&Räume", &THauptForm::RaeumeClick);
    Eintrag(daten, "K&urse", &THauptForm::KurseClick);
    daten->addSeparator();
    Eintrag(daten, "&Allgemeine Angaben", &THauptForm::AllgemeineAngabenClick);

    // "&Unterricht" is always enabled: without teachers, classes or subjects it says what is
    // missing; so are "&Ausgabe" and "Vertretungen", which say when there is no plan.
    Eintrag(nullptr, "&Unterricht", &THauptForm::UnterrichtClick);
    Eintrag(nullptr, "Stunden&plan", &THauptForm::StundenplanClick);
    Eintrag(nullptr, "&Ausgabe", &THauptForm::AusgabeClick);
    Eintrag(nullptr, "Vertretungen", &THauptForm::VertretungenClick);
    QMenu* hilfe = menuBar()->addMenu("Hilfe");
    connect(Eintrag(hilfe, "Index", nullptr), &QAction::triggered, this,
            [this] { HilfeSeite("index1.htm"); });
    // "Tutorial" opens the contents, from where every page is reached.
    connect(Eintrag(hilfe, "Tutorial", nullptr), &QAction::triggered, this,
            [this] { HilfeSeite("index1.htm"); });
    connect(Eintrag(hilfe, "Start", nullptr), &QAction::triggered, this,
            [this] { HilfeSeite("index.htm"); });
    Eintrag(hilfe, "Info ...", &THauptForm::InfoClick);
    StammBefehleFreigeben(false);

    QToolBar* leiste = addToolBar("Werkzeuge");
    leiste->setObjectName("ToolBar1");
    leiste->setMovable(false);
    const std::pair<const char*, const char*> knoepfe[] = {
        {"&Neu", "Neu"},
        {"&Fächer", "Fächer"},
        {"&Klassen", "Klassen"},
        {"&Lehrer", "Lehrer"},
        {"&Räume", "Räume"},
        {"K&urse", "Kurse"},
        {"&Allgemeine Angaben", "Allgemeine Angaben"},
        {"&Unterricht", "Unterricht"}};
    for (const auto& [befehl, hinweis] : knoepfe) {
        QAction* a = Befehl(Q(befehl));
        leiste->addAction(a);
        a->setToolTip(Q(hinweis));
    }
    TastenKuerzel();
}

void THauptForm::TastenKuerzel() {
    Befehl("&Neu")->setShortcut(QKeySequence::New);
    Befehl(Q("Ö&ffnen..."))->setShortcut(QKeySequence::Open);
    Befehl("&Speichern")->setShortcut(QKeySequence::Save);
    Befehl("&Neu")->setToolTip(Q("Neu (Strg+N)"));
}

// --- modes and captions -----------------------------------------------------------------------

void THauptForm::SetEditable(bool editable) {
    editable_ = editable;
    angaben_->SetEditable(editable);
    unterricht_->SetEditable(editable);
    for (TStammForm* f : StammFenster())
        f->SetEditable(editable);
}

void THauptForm::StammBefehleFreigeben(bool an) {
    for (const char* t : {"&Fächer", "&Klassen", "&Lehrer", "&Räume", "K&urse",
                          "Stammdaten als Tabellen exportieren..."})
        Befehl(Q(t))->setEnabled(an);
}

std::vector<TStammForm*> THauptForm::StammFenster() const {
    return {fach_, raum_, lehrer_, klassen_, kurs_};
}

void THauptForm::StammGeaendert(TStammForm* quelle) {
    for (TStammForm* f : StammFenster())
        if (f != quelle) f->Auffrischen();
    ZahlenZeigen();
    if (!unterricht_->isVisible()) return;
    // The lesson window shows the new names on its block page; the dialog stays in front.
    unterricht_->Oeffnen();
    quelle->raise();
    quelle->activateWindow();
}

void THauptForm::StammNeu() {
    for (TStammForm* f : StammFenster()) {
        f->ZeitgitterAufbauen();
        f->Neuladen();
    }
}

void THauptForm::AngabenBestaetigt() {
    session_.Stamm().AngabenBestaetigt = true;
    angaben_->Laden(session_.Stamm().Angaben);
    unterricht_->ZeitgitterAufbauen();
    for (TStammForm* f : StammFenster()) {
        f->ZeitgitterAufbauen();
        f->Auffrischen();
    }
    StammBefehleFreigeben(true);
    ZahlenZeigen();
}

void THauptForm::ZahlenZeigen() {
    const Stammdaten& s = session_.Stamm();
    const auto n = [](std::size_t k) { return static_cast<long long>(k); };
    centralWidget()->setProperty("text", Q(Anzahl(n(s.Lehrer.size()), "Lehrer", "Lehrer") + ", " +
                                           Anzahl(n(s.Klassen.size()), "Klasse", "Klassen") + ", " +
                                           Anzahl(n(s.Raeume.size()), "Raum", "Räume") + ", " +
                                           Anzahl(n(s.Faecher.size()), "Fach", "Fächer")));
}

void THauptForm::PlanZeigen() {
    planForm_->SetPlan(session_.Plan(), &session_.Rng(), &session_.Stamm());
    planForm_->show();
    planForm_->raise();
    SetEditable(false);
    Befehl("Stunden&plan")->setEnabled(false);
}

void THauptForm::PlanGeschlossen() {
    VertretungenSchliessen();
    planForm_->SetPlan(nullptr, nullptr);
    session_.DiscardPlan();
    SetEditable(true);
    setWindowTitle("Stamm :");
    Befehl("Stunden&plan")->setEnabled(true);
}

void THauptForm::VertretungenSchliessen() {
    vertretungen_->PlanWeg();
}

// --- file commands ----------------------------------------------------------------------------

QString THauptForm::Frage(const DateiDialog& d) {
    if (!vorgabe_.isEmpty()) return std::exchange(vorgabe_, {});
    DateiDialog mitOrdner = d;
    mitOrdner.Ordner = startOrdner_;
    return desktop_.ChooseFile(this, mitOrdner);
}

void THauptForm::DateiOeffnen(const QString& pfad) {
    const QString endung = QFileInfo(pfad).suffix().toLower();
    void (THauptForm::*befehl)() = endung == "sch"   ? &THauptForm::OeffnenClick
                                   : endung == "sdt" ? &THauptForm::StammOeffnenClick
                                   : endung == "pdt" ? &THauptForm::PlanOeffnenClick
                                                     : nullptr;
    if (!befehl) {
        reporter_.Show({S(UnbekannteDatei(pfad)), titel::Fehler});
        return;
    }
    vorgabe_ = pfad;
    (this->*befehl)();
    // A command that ended before its question leaves the name for no one.
    vorgabe_.clear();
}

std::function<std::string(Ablage)> THauptForm::DateiNamen() {
    return [this](Ablage ort) {
        const DateiDialog& d = ort == Ablage::Plan    ? kPlanSpeichern
                               : ort == Ablage::Stamm ? kStammSpeichern
                                                      : kSchuleSpeichern;
        return S(Frage(d));
    };
}

bool THauptForm::VerwerfenErlaubt(const char* ohneAenderung) {
    if (!planForm_->Schliessen()) return false;
    const bool weiter = session_.AenderungenSichern(DateiNamen(), ohneAenderung);
    MarkeZeigen();
    return weiter;
}

void THauptForm::NeuClick() {
    if (run_.DeferWhileReturning([this] { NeuClick(); })) return;
    // Unsaved changes are offered for saving; without any the question of "&Neu" is asked.
    if (!VerwerfenErlaubt(texte::StammdatenVerwerfen)) return;
    VertretungenSchliessen();
    session_.New();
    unterricht_->Leeren();
    setWindowTitle("Plan :");
    StammBefehleFreigeben(false);
    const char* titel[] = {"Fach", "Raum", "Lehrer", "Klasse", "Kurs"};
    const std::vector<TStammForm*> fenster = StammFenster();
    for (std::size_t i = 0; i < fenster.size(); ++i)
        fenster[i]->Leeren(titel[i]);
    ZahlenZeigen();
    AllgemeineAngabenClick();
}

void THauptForm::OeffnenClick() {
    if (run_.DeferWhileReturning([this] { OeffnenClick(); })) return;
    const QString pfad = Frage(kSchuleOeffnen);
    if (pfad.isEmpty()) return;
    // The plan goes with the old master data: the planning window closes first.
    if (!VerwerfenErlaubt()) return;
    VertretungenSchliessen();
    if (!session_.OpenProjectFile(S(pfad))) return;
    unterricht_->Leeren();
    setWindowTitle("Plan : " + pfad);
    SetEditable(true);
    StammNeu();
    AngabenBestaetigt();
}

void THauptForm::SpeichernClick() {
    QString pfad = Q(session_.ProjektDatei());
    if (pfad.isEmpty()) pfad = Frage(kSchuleSpeichern);
    if (pfad.isEmpty()) return;
    if (session_.SaveProjectFile(S(pfad))) setWindowTitle("Plan : " + pfad);
}

void THauptForm::SpeichernUnterClick() {
    session_.SetProjektDatei({});
    SpeichernClick();
}

void THauptForm::ImportierenClick() {
    if (run_.DeferWhileReturning([this] { ImportierenClick(); })) return;
    const QString pfad = Frage(kImportieren);
    if (pfad.isEmpty()) return;
    if (!VerwerfenErlaubt()) return;
    VertretungenSchliessen();
    const std::optional<ImportReport> bericht = session_.Importieren(S(pfad));
    if (bericht) Importiert(*bericht);
}

void THauptForm::Importiert(const ImportReport& bericht) {
    unterricht_->Leeren();
    // A new school: saving asks for its file.
    setWindowTitle("Plan :");
    SetEditable(true);
    StammNeu();
    AngabenBestaetigt();
    MarkeZeigen();
    TImportBerichtForm fenster(reporter_, desktop_, session_.Files(), this);
    fenster.Fuellen(bericht);
    desktop_.Run(fenster);
}

void THauptForm::TabellenExportierenClick() {
    const QString ordner = Frage(kTabellenOrdner);
    if (!ordner.isEmpty()) session_.TabellenExportieren(S(ordner));
}

void THauptForm::StammOeffnenClick() {
    if (run_.DeferWhileReturning([this] { StammOeffnenClick(); })) return;
    if (!VerwerfenErlaubt()) return;
    const QString pfad = Frage(kStammOeffnen);
    if (pfad.isEmpty()) return;
    VertretungenSchliessen();
    if (!session_.OpenStammFile(S(pfad))) return;
    unterricht_->Leeren();
    setWindowTitle("Stamm : " + pfad);
    SetEditable(true);
    StammNeu();
    AngabenBestaetigt();
}

void THauptForm::StammSpeichernClick() {
    if (!session_.MaySaveStamm()) return;
    if (session_.StammSpeichernDatei().empty()) {
        StammSpeichernUnterClick();
        return;
    }
    session_.SaveStammFile(session_.StammSpeichernDatei());
}

void THauptForm::StammSpeichernUnterClick() {
    if (!session_.MaySaveStamm()) return;
    const QString pfad = Frage(kStammSpeichern);
    if (!pfad.isEmpty() && session_.SaveStammFile(S(pfad))) setWindowTitle("Stamm : " + pfad);
}

void THauptForm::PlanOeffnenClick() {
    if (run_.DeferWhileReturning([this] { PlanOeffnenClick(); })) return;
    if (!VerwerfenErlaubt()) return;
    const QString pfad = Frage(kPlanOeffnen);
    if (pfad.isEmpty()) return;
    VertretungenSchliessen();
    if (!session_.OpenPlanFile(S(pfad))) return;
    unterricht_->Leeren();
    StammNeu();
    AngabenBestaetigt();
    PlanZeigen();
    setWindowTitle("Plan: " + pfad);
}

void THauptForm::PlanSpeichernClick() {
    if (!session_.MaySavePlan(run_)) return;
    if (session_.PlanSpeichernDatei().empty()) {
        PlanSpeichernUnterClick();
        return;
    }
    const QString pfad = Q(session_.PlanSpeichernDatei());
    if (session_.SavePlanFile(S(pfad))) setWindowTitle("Plan : " + pfad);
}

void THauptForm::PlanSpeichernUnterClick() {
    if (!run_.MaySavePlan(reporter_)) return;
    const QString pfad = Frage(kPlanSpeichern);
    if (!pfad.isEmpty() && session_.SavePlanFile(S(pfad))) setWindowTitle("Plan : " + pfad);
}

// --- other commands ---------------------------------------------------------------------------

void THauptForm::AllgemeineAngabenClick() {
    angaben_->move(pos() + QPoint(20, 20));
    angaben_->Laden(session_.Stamm().Angaben);
    angaben_->SetEditable(editable_);
    // In plan mode the week's shape is fixed; the day names, the times and the school year may
    // change. A refusal shows the dialog again with what was typed.
    do {
        if (angaben_->exec() != QDialog::Accepted) return;
    } while (!ApplyGeneralSettings(session_.Stamm(), angaben_->Werte(), !editable_, reporter_));
    AngabenBestaetigt();
}

void THauptForm::FaecherClick() {
    // The subject dialog opens on the first subject.
    fach_->Neuladen();
    fach_->Oeffnen();
}

void THauptForm::KlassenClick() {
    klassen_->Oeffnen();
}

void THauptForm::LehrerClick() {
    lehrer_->Oeffnen();
}

void THauptForm::RaeumeClick() {
    raum_->Oeffnen();
}

void THauptForm::KurseClick() {
    kurs_->Oeffnen();
}

void THauptForm::UnterrichtClick() {
    const Stammdaten& s = session_.Stamm();
    bool fehlt = false;
    if (s.Lehrer.empty()) fehlt = true, reporter_.Show({kLehrerFehlen, titel::Fehler});
    if (s.Klassen.empty()) fehlt = true, reporter_.Show({kKlassenFehlen, titel::Fehler});
    if (s.Faecher.empty()) fehlt = true, reporter_.Show({kFaecherFehlen, titel::Fehler});
    if (fehlt) {
        unterricht_->hide();
        return;
    }
    unterricht_->Oeffnen();
}

void THauptForm::StundenplanClick() {
    // Builds a new plan in place of the current one.
    if (run_.DeferWhileReturning([this] { StundenplanClick(); })) return;
    setWindowTitle("Plan :");
    VertretungenSchliessen();
    if (!session_.StartPlanning()) return;
    // A new plan starts with the limit options the planner chose last.
    ApplyLimitOptions(*session_.Plan(), planForm_->Einstellungen());
    PlanZeigen();
}

void THauptForm::AusgabeClick() {
    if (!session_.HasPlan()) {
        reporter_.Show({texte::KeinPlan, titel::Fehler});
        return;
    }
    druck_->Oeffnen(session_.Plan());
}

void THauptForm::VertretungenClick() {
    if (!session_.HasPlan()) {
        reporter_.Show({texte::KeinPlan, titel::Fehler});
        return;
    }
    // The journal lies beside the school's project file; a school not yet saved has none.
    const std::string& projekt = session_.ProjektDatei();
    vertretungen_->Oeffnen(*session_.Plan(), session_.Stamm(),
                           projekt.empty() ? std::string() : JournalPfad(projekt));
}

void THauptForm::ProgrammOptionenClick() {
    optionen_->Ausfuehren();
}

void THauptForm::HilfeSeite(const QString& seite) {
    const QString pfad = QDir(hilfePfad_).filePath(seite);
    if (!QFileInfo(pfad).isFile())
        reporter_.Show({S(HilfeFehlt(pfad)), titel::Fehler});
    else if (!desktop_.Open(pfad))
        reporter_.Show({S(HilfeNichtAnzeigbar(pfad)), titel::Hinweis});
}

void THauptForm::InfoClick() {
    auto* about = new TAboutForm(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->Info();
}

void THauptForm::OptionenBeimStart() {
    optionen_->StartPruefung();
}

void THauptForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (optionenGeprueft_) return;
    optionenGeprueft_ = true;
    OptionenBeimStart();
}

void THauptForm::closeEvent(QCloseEvent* event) {
    // Right after "Halt" the run still uses the plan: the program ends once it has returned.
    if (run_.DeferWhileReturning([this] { close(); })) {
        event->ignore();
        return;
    }
    if (!VerwerfenErlaubt()) {
        event->ignore();
        return;
    }
    hilfe_->hide();
    VertretungenSchliessen();
    for (TStammForm* f : StammFenster())
        f->hide();
    event->accept();
}

} // namespace sw::ui
