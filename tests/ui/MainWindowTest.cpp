// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on the planner's usual road: open the school, plan it, run a stage, halt it,
// save the plan, close the planning window and open the plan again; with the refusals on the way.
#include "UiTestSupport.h"
#include "define/MasterData.h"
#include "files/PlanFile.h"
#include "files/ProjectFile.h"
#include "optimise/InitialPlanRun.h"
#include "support/School.h"
#include "support/TestSupport.h"
#include "ui/TAllgemeineAngabenForm.h"
#include "ui/TDruckOptionenForm.h"
#include "ui/THauptForm.h"
#include "ui/TLehrerForm.h"
#include "ui/TPlanBSForm.h"
#include "ui/TPlanForm.h"
#include "ui/TVertretungenForm.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

namespace sw::test {
namespace {

using ui::DateiDialog;
using ui::THauptForm;
using ui::TPlanForm;

class MainWindow : public ::testing::Test {
protected:
    MainWindow() : haupt(rep, desktop, QString::fromStdString(dir.Path().string())) {
        desktop.file = [this](const DateiDialog& d) {
            dialoge.push_back(d);
            return datei;
        };
        desktop.open = [this](const QString& p) {
            seiten.push_back(p);
            return anzeigbar;
        };
    }
    void OpenSchool() {
        datei = QString::fromStdString(SourcePath("examples/gymnasium.sch"));
        haupt.OeffnenClick();
    }
    QString Text(const char* name) { return Find<QLabel>(haupt.PlanForm(), name)->text(); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(haupt.PlanForm(), name); }

    TempDir dir;
    AnswerReporter rep;
    AnswerDesktop desktop;
    THauptForm haupt;
    QString datei;
    std::vector<DateiDialog> dialoge;
    std::vector<QString> seiten;
    bool anzeigbar = true;
};

TEST_F(MainWindow, StartsInMasterDataModeWithCaption) {
    EXPECT_EQ(haupt.windowTitle(), "Plan :");
    EXPECT_TRUE(haupt.Editable());
    // The master-data commands wait for the general settings or a file. Their tool-bar buttons
    // are disabled with them.
    for (const char* t : {"&Fächer", "&Klassen", "&Lehrer", "&Räume", "K&urse"})
        EXPECT_FALSE(haupt.Befehl(QString::fromUtf8(t))->isEnabled()) << t;
    // The lesson definitions, the output and the substitutions say themselves what is missing.
    for (const char* t : {"&Unterricht", "&Ausgabe", "Vertretungen"})
        EXPECT_TRUE(haupt.Befehl(QString::fromUtf8(t))->isEnabled()) << t;
    for (const char* t :
         {"&Neu", "Ö&ffnen...", "&Speichern", "Speichern &unter...", "Stamm - Datei öffnen ...",
          "&Plan - Datei öffnen ...", "Programm - Optionen ...", "&Beenden", "&Allgemeine Angaben",
          "&Unterricht", "Stunden&plan", "&Ausgabe", "Vertretungen", "Index", "Tutorial", "Start",
          "Info ..."})
        EXPECT_TRUE(haupt.Befehl(QString::fromUtf8(t)) != nullptr) << t;
}

TEST_F(MainWindow, RefusalsWithoutPlanOrLessons) {
    haupt.AusgabeClick();
    haupt.VertretungenClick();
    haupt.PlanSpeichernClick();
    haupt.StundenplanClick();
    ASSERT_EQ(rep.shown.size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rep.shown[i], (Message{"Kein Plan vorhanden!", "Fehler"}));
    EXPECT_EQ(rep.shown[3], (Message{"Es wurde noch kein Unterricht definiert!", "Fehler"}));
    EXPECT_FALSE(haupt.PlanForm().isVisible());
}

TEST_F(MainWindow, LessonDefinitionsNeedTeachersClassesSubjects) {
    haupt.UnterrichtClick();
    ASSERT_EQ(rep.shown.size(), 3u);
    EXPECT_EQ(rep.shown[0].Text, "Sie haben noch keine Lehrer definiert!\nDies ist Voraussetzung "
                                 "für die Festlegung von Unterricht.");
    EXPECT_EQ(rep.shown[1].Text, "Sie haben noch keine Klassen definiert!\nDies ist "
                                 "Voraussetzung für die Festlegung von Unterricht.");
    EXPECT_EQ(rep.shown[2].Text, "Sie haben noch keine Fächer definiert!\nDies ist "
                                 "Voraussetzung für die Festlegung von Unterricht.");
    EXPECT_EQ(rep.shown[2].Title, "Fehler");
}

TEST_F(MainWindow, HelpPagesComeFromTheHelpPath) {
    const QString hilfe = QString::fromStdString(dir.Path().string());
    WriteFileBytes(dir.File("index1.htm"), "<html></html>");
    WriteFileBytes(dir.File("index.htm"), "<html></html>");
    haupt.SetHilfePfad(hilfe);
    haupt.Befehl("Index")->trigger();
    haupt.Befehl("Start")->trigger();
    haupt.Befehl("Tutorial")->trigger();
    ASSERT_EQ(seiten.size(), 3u);
    EXPECT_EQ(seiten[0], hilfe + "/index1.htm");
    EXPECT_EQ(seiten[1], hilfe + "/index.htm");
    // "Tutorial" opens the contents, from where every page is reached.
    EXPECT_EQ(seiten[2], hilfe + "/index1.htm");
    EXPECT_TRUE(rep.shown.empty());
}

// A missing page, or one no program can show, is not passed over in silence: the message says
// where the page is (or is looked for).
TEST_F(MainWindow, HelpThatCannotBeShownIsReported) {
    const QString hilfe = QString::fromStdString(dir.Path().string());
    haupt.SetHilfePfad(hilfe);
    haupt.Befehl("Index")->trigger();
    EXPECT_TRUE(seiten.empty());
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0],
              (Message{"Die Hilfeseite „" + dir.File("index1.htm") +
                           "“ wurde nicht gefunden.\nDen Ordner der Hilfeseiten stellen Sie "
                           "unter „Datei › Programm - Optionen ...“ ein.",
                       "Fehler"}));
    WriteFileBytes(dir.File("index.htm"), "<html></html>");
    anzeigbar = false;
    haupt.Befehl("Start")->trigger();
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[1],
              (Message{"Die Hilfeseite kann nicht angezeigt werden; sie liegt unter\n" +
                           dir.File("index.htm") +
                           "\nEs konnte kein Programm zum Anzeigen gestartet werden. Öffnen Sie "
                           "die Seite mit einem Web-Browser.",
                       "Hinweis"}));
}

TEST_F(MainWindow, GeneralSettingsHelpPopupOpensItsPage) {
    haupt.SetHilfePfad(QString::fromStdString(dir.Path().string()));
    WriteFileBytes(dir.File("optionen.htm"), "<html></html>");
    auto& dlg = haupt.AngabenForm();
    QTimer::singleShot(50, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->actions().value(0)->text(), "Hilfe");
        menu->actions().value(0)->trigger();
        menu->close();
    });
    dlg.show();
    emit dlg.customContextMenuRequested(QPoint(5, 5));
    ASSERT_EQ(seiten.size(), 1u);
    EXPECT_EQ(seiten[0], QString::fromStdString(dir.File("optionen.htm")));
}

// The plan grid's "Ausgabe" is the main window's output command, and the substitution window's
// "Schnappschuß" opens the planning window's grid.
TEST_F(MainWindow, TheChildWindowsReachTheMainWindowsCommands) {
    OpenSchool();
    haupt.Befehl("Stunden&plan")->trigger();
    TPlanForm& plan = haupt.PlanForm();
    plan.SetSeed(11);
    Button("StartBtn")->click();
    bool druckOffen = false;
    QTimer::singleShot(50, [&] {
        druckOffen = haupt.DruckForm().isVisible();
        haupt.DruckForm().reject();
    });
    Find<QPushButton>(plan.GitterForm(), "AusgabeBtn")->click();
    EXPECT_TRUE(druckOffen);
    EXPECT_FALSE(plan.GitterForm().isVisible());
    haupt.VertretungenClick();
    bool gitterOffen = false;
    QTimer::singleShot(50, [&] {
        gitterOffen = plan.GitterForm().isVisible();
        plan.GitterForm().reject();
    });
    Find<QPushButton>(haupt.VertretungenForm(), "SchnappschussBtn")->click();
    EXPECT_TRUE(gitterOffen);
}

TEST_F(MainWindow, TypicalRoad) {
    OpenSchool();
    ASSERT_TRUE(rep.shown.empty());
    EXPECT_EQ(haupt.windowTitle(), "Plan : " + datei);
    ASSERT_EQ(dialoge.size(), 1u);
    EXPECT_EQ(dialoge[0].Filter, "Schul - Dateien (*.sch)");

    haupt.Befehl("Stunden&plan")->trigger();
    TPlanForm& plan = haupt.PlanForm();
    ASSERT_TRUE(plan.isVisible());
    EXPECT_FALSE(haupt.Editable());
    EXPECT_EQ(haupt.windowTitle(), "Plan :");
    EXPECT_FALSE(haupt.Befehl("Stunden&plan")->isEnabled());
    EXPECT_TRUE(Button("StartBtn")->isEnabled());
    EXPECT_TRUE(Button("SchnappschussBtn")->isEnabled());

    // Master data cannot be saved in plan mode.
    haupt.StammSpeichernClick();
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0],
              (Message{"Zum Speichern der Stammdaten darf das Programm nicht im Plan-Modus "
                       "arbeiten!",
                       "Fehler"}));
    rep.shown.clear();

    plan.SetSeed(11);
    Find<QLineEdit>(plan, "AnzahlVersucheE")->setText("300");
    Button("StartBtn")->click();
    EXPECT_TRUE(Text("Label1").endsWith("Versuche / Rest = 0")) << Text("Label1").toStdString();
    EXPECT_EQ(plan.windowTitle(), "Planung : Bereitschaft");
    EXPECT_EQ(Button("StartBtn")->text(), "1. Urplan erzeugen");
    EXPECT_NE(Text("LLSSumL"), "");

    // A long stage: saving and closing are refused while it runs; "Halt" ends it.
    bool disabledDuringRun = false;
    QTimer::singleShot(100, &plan, [&] {
        disabledDuringRun = !Button("KLSMinimierungBtn")->isEnabled() &&
                            !Button("StartBtn")->isEnabled() && Button("HaltBtn")->isEnabled();
        haupt.PlanSpeichernClick();
        plan.close();
    });
    QTimer::singleShot(400, &plan, [&] { Button("HaltBtn")->click(); });
    Button("LLSBtn")->click();
    EXPECT_TRUE(disabledDuringRun);
    EXPECT_TRUE(rep.Saw("Ein Optimierungs - Vorgang ist noch aktiv!\nBeenden Sie diesen Vorgang "
                        "vor dem Speichern."));
    EXPECT_TRUE(rep.Saw("Ein Optimierungs - Vorgang ist noch aktiv!\nBeenden Sie zuerst diesen "
                        "Vorgang und schließen sie dann das Planungs-Fenster."));
    EXPECT_TRUE(plan.isVisible());
    EXPECT_TRUE(Button("LLSBtn")->isEnabled());
    EXPECT_EQ(plan.windowTitle(), "Planung : Bereitschaft");
    EXPECT_FALSE(Text("AustauschL").isEmpty());

    // Save the plan file.
    const std::string pdt = dir.File("schule.pdt");
    datei = QString::fromStdString(pdt);
    haupt.PlanSpeichernClick();
    EXPECT_EQ(dialoge.back().Titel, "Plan-Datei speichern unter");
    EXPECT_EQ(dialoge.back().Filter, "Plan - Dateien (*.pdt)");
    EXPECT_TRUE(dialoge.back().Speichern);
    EXPECT_TRUE(std::filesystem::exists(pdt));
    EXPECT_EQ(haupt.windowTitle(), "Plan : " + datei);
    const int placed = haupt.Sitzung().Plan()->PlacedCount();

    // Closing: No keeps everything, Yes discards the plan.
    rep.asked.clear();
    rep.answer = false;
    EXPECT_FALSE(plan.close());
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0], (Message{"Das Schließen des Planungs-Fensters löscht den aktuellen "
                                     "Plan!\nFenster schließen und Plan löschen?",
                                     "Warnung"}));
    EXPECT_TRUE(plan.isVisible());
    EXPECT_TRUE(haupt.Sitzung().HasPlan());
    rep.answer = true;
    EXPECT_TRUE(plan.close());
    EXPECT_FALSE(haupt.Sitzung().HasPlan());
    EXPECT_EQ(haupt.windowTitle(), "Stamm :");
    EXPECT_TRUE(haupt.Editable());
    EXPECT_TRUE(haupt.Befehl("Stunden&plan")->isEnabled());

    // Open the plan file again.
    haupt.PlanOeffnenClick();
    ASSERT_TRUE(haupt.Sitzung().HasPlan());
    EXPECT_EQ(haupt.Sitzung().Plan()->PlacedCount(), placed);
    EXPECT_EQ(haupt.windowTitle(), "Plan: " + datei);
    EXPECT_TRUE(plan.isVisible());
    EXPECT_FALSE(haupt.Editable());
    EXPECT_EQ(Text("LLSSumL").toStdString(),
              std::to_string(haupt.Sitzung().Plan()->Totals().LLSSumme));
}

// "Halt" and closing the planning window in the same pass of a run: the question comes once the
// run and the window command around it have returned, then "Ja" discards the plan.
TEST_F(MainWindow, HaltAndCloseInTheSamePassAskOnceTheRunHasReturned) {
    OpenSchool();
    haupt.Befehl("Stunden&plan")->trigger();
    TPlanForm& plan = haupt.PlanForm();
    plan.SetSeed(11);
    Find<QLineEdit>(plan, "AnzahlVersucheE")->setText("300");
    bool schliesstSofort = true;
    bool imLauf = true;
    std::string zahlBeiFrage, zahlDesPlans;
    rep.onAsk = [&](const Message&) {
        imLauf = haupt.Lauf().InUse();
        zahlBeiFrage = Text("LLSSumL").toStdString();
        zahlDesPlans = std::to_string(haupt.Sitzung().Plan()->Totals().LLSSumme);
    };
    // Fires in the first pass, where the run lets input through.
    QTimer::singleShot(0, &plan, [&] {
        Button("HaltBtn")->click();
        schliesstSofort = plan.close();
    });
    Button("StartBtn")->click();
    EXPECT_FALSE(schliesstSofort);
    EXPECT_FALSE(imLauf);
    EXPECT_EQ(zahlBeiFrage, zahlDesPlans); // the run had shown its figures
    // The run changed the plan: it is offered for saving ("Nein" here) instead of the question
    // whether to discard it.
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0].Text, texte::AenderungenSpeichern);
    EXPECT_TRUE(rep.shown.empty()) << rep.shown[0].Text;
    EXPECT_FALSE(plan.isVisible());
    EXPECT_FALSE(haupt.Sitzung().HasPlan());
    EXPECT_EQ(haupt.windowTitle(), "Stamm :");
    EXPECT_EQ(haupt.Lauf().Queued(), 0);
}

// The same during a stage, with "Plan - Datei öffnen" as the command that replaces the plan and
// "Abbrechen" to the question: the plan stays, and so does the window.
TEST_F(MainWindow, CommandsThatReplaceThePlanWaitForAHaltedStage) {
    OpenSchool();
    haupt.Befehl("Stunden&plan")->trigger();
    TPlanForm& plan = haupt.PlanForm();
    plan.SetSeed(11);
    Find<QLineEdit>(plan, "AnzahlVersucheE")->setText("300");
    Button("StartBtn")->click();
    CPlan* vorher = haupt.Sitzung().Plan();
    rep.dreifach = Answer::Cancel;
    int fragenImLauf = 0;
    rep.onAsk = [&](const Message&) { fragenImLauf += haupt.Lauf().InUse() ? 1 : 0; };
    int dateiwahlen = 0;
    QTimer::singleShot(150, &plan, [&] {
        Button("HaltBtn")->click();
        const auto wahlen = dialoge.size();
        haupt.PlanOeffnenClick();
        haupt.NeuClick();
        dateiwahlen = static_cast<int>(dialoge.size() - wahlen);
    });
    Button("LLSBtn")->click();
    EXPECT_EQ(dateiwahlen, 0); // nothing happened inside the run
    EXPECT_EQ(fragenImLauf, 0);
    // Afterwards both commands offered the changed plan for saving before the planning window
    // closes; "Abbrechen" kept everything.
    ASSERT_EQ(rep.asked.size(), 2u);
    EXPECT_EQ(rep.asked[0].Text, texte::AenderungenSpeichern);
    EXPECT_EQ(rep.asked[1].Text, texte::AenderungenSpeichern);
    EXPECT_EQ(haupt.Sitzung().Plan(), vorher);
    EXPECT_TRUE(plan.isVisible());
}

// "&Beenden" right after "Halt": the program ends once the run has returned.
TEST_F(MainWindow, ClosingTheMainWindowWaitsForAHaltedRun) {
    OpenSchool();
    haupt.show();
    haupt.Befehl("Stunden&plan")->trigger();
    TPlanForm& plan = haupt.PlanForm();
    plan.SetSeed(11);
    Find<QLineEdit>(plan, "AnzahlVersucheE")->setText("300");
    QTimer::singleShot(0, &plan, [&] {
        Button("HaltBtn")->click();
        haupt.Befehl("&Beenden")->trigger();
        EXPECT_TRUE(haupt.isVisible());
        EXPECT_TRUE(haupt.Sitzung().HasPlan());
    });
    Button("StartBtn")->click();
    EXPECT_EQ(rep.asked.size(), 1u);
    EXPECT_FALSE(haupt.isVisible());
    EXPECT_FALSE(haupt.Sitzung().HasPlan());
}

TEST_F(MainWindow, MasterDataFileIsRefusedAsPlanFile) {
    OpenSchool();
    datei = QString::fromStdString(dir.File("schule.sdt"));
    haupt.StammSpeichernClick();
    EXPECT_EQ(dialoge.back().Titel, "Stamm-Datei speichern unter");
    EXPECT_EQ(haupt.windowTitle(), "Stamm : " + datei);
    ASSERT_TRUE(rep.shown.empty());
    haupt.PlanOeffnenClick();
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[0], (Message{"Dies ist keine Plan - Datei!", "Datei - Fehler"}));
    EXPECT_EQ(rep.shown[1].Text, "Fehler beim Laden der Datei:\n" + datei.toStdString());
    EXPECT_FALSE(haupt.PlanForm().isVisible());
    // A master-data file opens as such.
    rep.shown.clear();
    haupt.StammOeffnenClick();
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_EQ(haupt.windowTitle(), "Stamm : " + datei);
}

TEST_F(MainWindow, NewAsksAndKeepsDataOnNo) {
    OpenSchool();
    rep.answer = false;
    haupt.NeuClick();
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0], (Message{"Aktuelle Stammdaten verwerfen?", "Warnung"}));
    EXPECT_FALSE(haupt.Sitzung().Stamm().Lehrer.empty());
    EXPECT_EQ(haupt.windowTitle(), "Plan : " + datei);
}

TEST_F(MainWindow, NewClearsAndShowsGeneralSettings) {
    OpenSchool();
    rep.answer = true;
    bool gezeigt = false;
    QTimer::singleShot(50, &haupt, [&] {
        QWidget* w = QApplication::activeModalWidget();
        gezeigt = w && w->objectName() == "AllgemeineAngabenForm";
        if (auto* d = qobject_cast<QDialog*>(w)) d->accept();
    });
    haupt.NeuClick();
    EXPECT_TRUE(gezeigt);
    EXPECT_TRUE(haupt.Sitzung().Stamm().Lehrer.empty());
    EXPECT_EQ(haupt.windowTitle(), "Plan :");
    // The project file name is kept: "&Speichern" writes there without asking.
    EXPECT_EQ(haupt.Sitzung().ProjektDatei(), datei.toStdString());
}

// Ctrl+O and Ctrl+S run Open and Save (Ctrl+N too: QKeySequence::New).
TEST_F(MainWindow, ControlKeysRunOpenAndSave) {
    haupt.show();
    haupt.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&haupt));
    QTest::keyClick(&haupt, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&haupt, Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialoge.size(), 2u);
    EXPECT_EQ(dialoge[0].Titel, "Öffnen");
    EXPECT_EQ(dialoge[1].Titel, "Speichern unter");
    EXPECT_EQ(haupt.Befehl("&Neu")->shortcut(), QKeySequence(QKeySequence::New));
}

// A file named on the command line opens without a file question; a file that cannot be read
// shows the reader's message, another kind of file a message; one of a kind is counted so.
TEST_F(MainWindow, AFileNamedOnTheCommandLineOpens) {
    const auto daten = [](const char* name) {
        return QString::fromStdString(SourcePath(std::string("tests/files/data/") + name));
    };
    haupt.DateiOeffnen(daten("klein.sdt"));
    EXPECT_EQ(haupt.windowTitle(), "Stamm : " + daten("klein.sdt"));
    haupt.DateiOeffnen(daten("klein.pdt"));
    EXPECT_TRUE(haupt.Sitzung().HasPlan());
    EXPECT_TRUE(dialoge.empty());
    EXPECT_TRUE(rep.shown.empty());
    haupt.DateiOeffnen(daten("einheit-zu-lang.pdt"));
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_NE(rep.shown[0].Text.find("keine gültige Länge einer Einheit"), std::string::npos);
    haupt.DateiOeffnen(daten("../../../README.md"));
    ASSERT_EQ(rep.shown.size(), 3u);
    EXPECT_NE(rep.shown[2].Text.find("öffnet Schul - Dateien (.sch)"), std::string::npos);

    const std::string eine = dir.File("eine.sch");
    ASSERT_TRUE(SaveProject(MakeSchool(5, 8, 1, 1, 1, 1), eine, DefaultFileOps()).Ok);
    haupt.DateiOeffnen(QString::fromStdString(eine));
    EXPECT_EQ(haupt.windowTitle(), "Plan : " + QString::fromStdString(eine));
    EXPECT_EQ(haupt.centralWidget()->property("text").toString(),
              QString::fromUtf8("1 Lehrer, 1 Klasse, 1 Raum, 1 Fach"));
}

// A dialog without a saved position opens centred over the main window, not at 100, 100.
TEST_F(MainWindow, DialogsOpenCentredOverTheMainWindow) {
    OpenSchool();
    haupt.show();
    haupt.move(40, 150);
    haupt.LehrerClick();
    Serve(20);
    const QPoint d = haupt.LehrerForm().frameGeometry().center() - haupt.frameGeometry().center();
    EXPECT_LE(d.manhattanLength(), 3);
}

// --- unsaved changes ----------------------------------------------------------------------------

// A change marks the caption and is offered for saving before "Öffnen...", "Neu" and quitting
// (it was thrown away unasked): Abbrechen keeps it, Ja saves it into the file it came from, Nein
// lets it go.
TEST_F(MainWindow, UnsavedChangesAreOfferedForSaving) {
    const std::string eins = dir.File("eins.sch"), zwei = dir.File("zwei.sch");
    for (const std::string& f : {eins, zwei})
        std::filesystem::copy_file(SourcePath("examples/gymnasium.sch"), f);
    datei = QString::fromStdString(eins);
    haupt.OeffnenClick();
    // Looking at the school in every dialog changes nothing.
    haupt.FaecherClick();
    haupt.KlassenClick();
    haupt.LehrerClick();
    haupt.RaeumeClick();
    haupt.KurseClick();
    haupt.UnterrichtClick();
    Serve(100);
    haupt.MarkeZeigen();
    EXPECT_EQ(haupt.windowTitle(), "Plan : " + datei);
    MasterDataEditor(haupt.Sitzung().Stamm()).NewSubject("Geologie", rep);
    haupt.MarkeZeigen();
    EXPECT_EQ(haupt.windowTitle(), "Plan : " + datei + " *");

    datei = QString::fromStdString(zwei);
    rep.dreifach = Answer::Cancel;
    haupt.OeffnenClick();
    EXPECT_EQ(rep.asked, (std::vector<Message>{{"Änderungen speichern?", "Warnung"}}));
    EXPECT_EQ(haupt.Sitzung().ProjektDatei(), eins);
    EXPECT_EQ(haupt.Sitzung().Stamm().Faecher.back(), "GEOLOGIE");

    rep.dreifach = Answer::Yes;
    const auto wahlen = dialoge.size();
    haupt.OeffnenClick();
    EXPECT_EQ(dialoge.size(), wahlen + 1) << "only the file to open is asked for";
    EXPECT_NE(ReadFileBytes(eins).find("GEOLOGIE"), std::string::npos);
    EXPECT_EQ(haupt.Sitzung().ProjektDatei(), zwei);
    haupt.MarkeZeigen();
    EXPECT_EQ(haupt.windowTitle(), "Plan : " + datei);

    // "Neu" without a change asks its own question only; after one the save question instead.
    rep.asked.clear();
    rep.answer = false;
    haupt.NeuClick();
    EXPECT_EQ(rep.asked, (std::vector<Message>{{"Aktuelle Stammdaten verwerfen?", "Warnung"}}));
    MasterDataEditor(haupt.Sitzung().Stamm()).NewSubject("Geologie", rep);
    rep.asked.clear();
    rep.dreifach = Answer::Cancel;
    haupt.NeuClick();
    EXPECT_EQ(rep.asked, (std::vector<Message>{{"Änderungen speichern?", "Warnung"}}));
    EXPECT_FALSE(haupt.Sitzung().Stamm().Lehrer.empty());

    // Quitting: Abbrechen keeps the program open, Nein ends it without saving.
    EXPECT_FALSE(haupt.close());
    rep.dreifach = Answer::No;
    EXPECT_TRUE(haupt.close());
    EXPECT_EQ(ReadFileBytes(zwei).find("GEOLOGIE"), std::string::npos);
}

// Closing the planning window after a run: "Ja" saves the plan into a plan file first (asking
// for its name), and the usual question is not asked on top.
TEST_F(MainWindow, AChangedPlanIsSavedBeforeThePlanningWindowCloses) {
    OpenSchool();
    haupt.StundenplanClick();
    TPlanForm& plan = haupt.PlanForm();
    plan.SetSeed(11);
    Find<QLineEdit>(plan, "AnzahlVersucheE")->setText("300");
    Button("StartBtn")->click();
    haupt.MarkeZeigen();
    EXPECT_TRUE(haupt.windowTitle().endsWith(" *"));
    rep.dreifach = Answer::Yes;
    datei = QString::fromStdString(dir.File("plan.pdt"));
    EXPECT_TRUE(plan.close());
    EXPECT_EQ(rep.asked, (std::vector<Message>{{"Änderungen speichern?", "Warnung"}}));
    EXPECT_EQ(dialoge.back().Titel, "Plan-Datei speichern unter");
    EXPECT_TRUE(std::filesystem::exists(dir.File("plan.pdt")));
    EXPECT_FALSE(haupt.Sitzung().HasPlan());
    haupt.MarkeZeigen();
    EXPECT_EQ(haupt.windowTitle(), "Stamm :");
}

// The three limit options are kept in config.ini: the next plan starts with them (they were
// unticked every time the planning window opened).
TEST_F(MainWindow, TheLimitOptionsAreKeptForTheNextPlan) {
    OpenSchool();
    haupt.StundenplanClick();
    auto* kurs = Find<QCheckBox>(haupt.PlanForm(), "KursUeberStundenLimitCB");
    EXPECT_FALSE(kurs->isChecked());
    kurs->click();
    EXPECT_EQ(haupt.Sitzung().Plan()->Flags().KursUeberStundenLimit, 1);
    rep.answer = true;
    ASSERT_TRUE(haupt.PlanForm().close());
    haupt.StundenplanClick();
    EXPECT_TRUE(kurs->isChecked());
    EXPECT_EQ(haupt.Sitzung().Plan()->Flags().KursUeberStundenLimit, 1);
    EXPECT_EQ(haupt.Sitzung().Plan()->Flags().MehrfachUeberStundenLimit, 0);
    EXPECT_NE(ReadFileBytes(dir.File("config.ini")).find("KursUeberStundenLimit=1"),
              std::string::npos);
}

} // namespace
} // namespace sw::test
