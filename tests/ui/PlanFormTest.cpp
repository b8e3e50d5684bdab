// SPDX-License-Identifier: GPL-3.0-or-later
// The planning window on its own, and the export options and about windows.
#include "UiTestSupport.h"
#include "app/FigureTexts.h"
#include "app/Session.h"
#include "export/ExportRun.h"
#include "support/School.h"
#include "support/TestSupport.h"
#include "ui/DruckSatz.h"
#include "ui/KurvenAnzeige.h"
#include "ui/QtReporter.h"
#include "ui/TAboutForm.h"
#include "ui/TDruckOptionenForm.h"
#include "ui/TPlanForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <filesystem>

namespace sw::test {
namespace {

using ui::TPlanForm;

class PlanWindow : public ::testing::Test {
protected:
    PlanWindow() : session(rep), form(run, rep) {
        EXPECT_TRUE(session.OpenProjectFile(SourcePath("examples/gymnasium.sch")));
        EXPECT_TRUE(session.StartPlanning());
        form.SetPlan(session.Plan(), &session.Rng());
        form.SetSeed(3);
        form.show();
    }
    QPushButton* Button(const char* name) { return Find<QPushButton>(form, name); }
    QString Text(const char* name) { return Find<QLabel>(form, name)->text(); }
    void Initial() {
        Find<QLineEdit>(form, "AnzahlVersucheE")->setText("300");
        Button("StartBtn")->click();
        ASSERT_TRUE(Text("Label1").endsWith("Rest = 0"));
    }

    AnswerReporter rep;
    Session session;
    RunControl run;
    TPlanForm form;
};

TEST_F(PlanWindow, ControlsAndCaptions) {
    auto* tabs = Find<QTabWidget>(form, "PlanungsPC");
    const QStringList namen = {"Urplan",
                               "2. Klassen-Leerstunden",
                               "3. Verteilung (Klassen)",
                               "4. Trennungsfehler",
                               "5. Lehrer-Leerstunden",
                               "6. Verteilung(Lehrer)",
                               "Manuell",
                               "Optionen"};
    ASSERT_EQ(tabs->count(), namen.size());
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_EQ(tabs->tabText(i), namen[i]);
    EXPECT_EQ(Button("StartBtn")->text(), "1. Urplan erzeugen");
    EXPECT_EQ(Button("KLSMinimierungBtn")->text(), "2. Klassen - Leerstunden - Minimierung");
    EXPECT_EQ(Button("KProdBtn")->text(), "3. Klassenstunden verteilen");
    EXPECT_EQ(Button("TFBtn")->text(), "4. Trennungsfehler minimieren");
    EXPECT_EQ(Button("LLSBtn")->text(), "5. Lehrer - Leerstunden - Minimierung");
    EXPECT_EQ(Button("LProdBtn")->text(), "6. Lehrerstunden verteilen");
    for (const char* b : {"Boese1Btn", "Boese2Btn", "Boese3Btn", "Boese4Btn", "Boese5Btn"})
        EXPECT_EQ(Button(b)->text(), "Mischen");
    EXPECT_EQ(Button("ManuellStartBtn")->text(), "Start");
    EXPECT_EQ(Button("HaltBtn")->text(), "Halt");
    EXPECT_EQ(Button("SchnappschussBtn")->text(), "Schnappschuß");
    EXPECT_EQ(Find<QLineEdit>(form, "AnzahlVersucheE")->text(), "1000");
    // The pass labels are empty until a stage fills them; their captions stand beside them.
    EXPECT_EQ(Text("AustauschL"), "");
    EXPECT_EQ(Text("AustauschT"), "Zielgerichtet:");
    EXPECT_EQ(Text("Label15"), "");
    EXPECT_EQ(Text("Label15T"), "");
    EXPECT_EQ(Find<QListWidget>(form, "ZieleCLB")->count(), 7);
    EXPECT_EQ(Find<QListWidget>(form, "ZieleCLB")->item(6)->text(), "Lehrer-Stunden-Verteilung");
    for (const char* l :
         {"KLSSumL", "KProdSumL", "TFSumL", "TFMaxL", "SpezialTFSumL", "SpezialTFMaxL", "LLSSumL",
          "LLSMaxL", "LProdSumL", "Label1", "Label15", "KonfliktLehrerL", "KonfliktFachKursL",
          "KonfliktKlassenL", "KonfliktRaumL"})
        EXPECT_NE(form.findChild<QLabel*>(l), nullptr) << l;
    EXPECT_NE(form.findChild<QLineEdit*>("LLSLimitE"), nullptr);
}

TEST_F(PlanWindow, InitialPlanWithBadCountUsesThousand) {
    Find<QLineEdit>(form, "AnzahlVersucheE")->setText("abc");
    Button("StartBtn")->click();
    EXPECT_EQ(Find<QLineEdit>(form, "AnzahlVersucheE")->text(), "1000");
    EXPECT_TRUE(Text("Label1").contains(" Versuche / Rest = "));
    EXPECT_EQ(form.windowTitle(), "Planung : Bereitschaft");
}

TEST_F(PlanWindow, HaltEndsAStageAfterItsPass) {
    Initial();
    auto* kurve = form.findChild<ui::KurvenAnzeige*>("KurveW");
    QTimer::singleShot(250, &form, [&] { Button("HaltBtn")->click(); });
    Button("LProdBtn")->click();
    EXPECT_TRUE(run.Idle());
    EXPECT_GT(run.Passes(), 0);
    EXPECT_EQ(static_cast<int>(kurve->Werte().size()), run.Passes());
    EXPECT_EQ(Text("LProdSumL").toStdString(), ShowFigures(*session.Plan()).LProd);
    EXPECT_TRUE(Button("LProdBtn")->isEnabled());
}

TEST_F(PlanWindow, HaltWhenIdleKeepsEverythingEnabled) {
    Button("HaltBtn")->click();
    EXPECT_TRUE(run.Idle());
    EXPECT_TRUE(Button("StartBtn")->isEnabled());
    EXPECT_EQ(form.windowTitle(), "Planung : Bereitschaft");
}

TEST_F(PlanWindow, MixingAndManualGoals) {
    Initial();
    Button("Boese1Btn")->click();
    EXPECT_TRUE(run.Idle());
    auto* ziele = Find<QListWidget>(form, "ZieleCLB");
    ziele->item(0)->setCheckState(Qt::Checked);
    ziele->item(4)->setCheckState(Qt::Checked);
    EXPECT_TRUE(session.Plan()->HasGoal(Ziel::KlassenLuecken));
    EXPECT_TRUE(session.Plan()->HasGoal(Ziel::LehrerLuecken));
    EXPECT_FALSE(session.Plan()->HasGoal(Ziel::KlassenVerteilung));
    QTimer::singleShot(150, &form, [&] { Button("HaltBtn")->click(); });
    Button("ManuellStartBtn")->click();
    EXPECT_TRUE(Text("Label15").startsWith("Iteration")) << Text("Label15").toStdString();
}

// Before "1. Urplan erzeugen" the grid is empty: a stage would report "Leerstunden beseitigt!".
TEST_F(PlanWindow, StagesWithoutInitialPlanAreRefused) {
    auto* kurve = form.findChild<ui::KurvenAnzeige*>("KurveW");
    Button("KLSMinimierungBtn")->click();
    Button("Boese3Btn")->click();
    Button("ManuellStartBtn")->click();
    const Message refusal{"Es gibt noch keinen Urplan.\nErzeugen Sie zuerst mit „1. Urplan "
                          "erzeugen“ einen Plan.",
                          "Hinweis"};
    ASSERT_EQ(rep.shown.size(), 3u);
    for (const Message& m : rep.shown)
        EXPECT_EQ(m, refusal);
    EXPECT_FALSE(rep.Saw("Leerstunden beseitigt!"));
    EXPECT_TRUE(kurve->Werte().empty());
    EXPECT_EQ(form.windowTitle(), "Planung : Bereitschaft");
    EXPECT_TRUE(Button("KLSMinimierungBtn")->isEnabled());
}

// After a complete initial plan the conflict group shows no conflict of a failed attempt.
TEST_F(PlanWindow, CompleteInitialPlanLeavesNoConflict) {
    Initial();
    EXPECT_EQ(Find<QGroupBox>(form, "KonfliktGB")->title(), "Konflikt:");
    for (const char* l : {"KonfliktLehrerL", "KonfliktFachKursL", "KonfliktKlassenL"})
        EXPECT_EQ(Text(l), "") << l;
}

// The pass labels have captions, start empty with every stage and every plan, and show the last
// values when a stage ends.
TEST_F(PlanWindow, PassLabelsAreCaptionedAndReset) {
    Initial();
    auto laufen = [&](const char* knopf, int ms) {
        QTimer::singleShot(ms, &form, [&] { Button("HaltBtn")->click(); });
        Button(knopf)->click();
    };
    laufen("KLSMinimierungBtn", 150);
    EXPECT_EQ(Text("Label15T"), "Austausche:");
    EXPECT_FALSE(Text("Label15").isEmpty());
    EXPECT_FALSE(Text("AustauschL").isEmpty());
    EXPECT_EQ(Text("AustauschT"), "Zielgerichtet:");

    // Stage 5 counts its passes (from 0), as Label15 shows at the end; the curve names the same
    // pass below its end, and its caption the figure's last value whole.
    laufen("LLSBtn", 150);
    EXPECT_EQ(Text("Label15T"), "Durchgang:");
    EXPECT_EQ(Text("Label15"), QString::number(run.Passes() - 1));
    auto* kurve = form.findChild<ui::KurvenAnzeige*>("KurveW");
    EXPECT_EQ(kurve->Achse(), "Durchgang " + Text("Label15"));
    EXPECT_EQ(kurve->Titel(), "Lehrer-Leerstunden: " + Text("LLSSumL"));
    EXPECT_LE(kurve->fontMetrics().horizontalAdvance(kurve->Titel()), kurve->width() - 12);

    // "Mischen" leaves Label15 alone: it is empty, not the stage's last count.
    Button("Boese1Btn")->click();
    EXPECT_EQ(Text("Label15T"), "");
    EXPECT_EQ(Text("Label15"), "");
    EXPECT_EQ(Text("AustauschL"), ""); // tab 2's "Mischen" makes no goal-directed call

    laufen("KLSMinimierungBtn", 100);
    ASSERT_FALSE(Text("Label15").isEmpty());
    // Another school's plan: nothing of this one stays.
    Session andere(rep);
    ASSERT_TRUE(andere.OpenProjectFile(SourcePath("examples/gymnasium.sch")));
    ASSERT_TRUE(andere.StartPlanning());
    form.SetPlan(andere.Plan(), &andere.Rng());
    EXPECT_EQ(Text("Label15"), "");
    EXPECT_EQ(Text("Label15T"), "");
    EXPECT_EQ(Text("AustauschL"), "");
    form.SetPlan(session.Plan(), &session.Rng());
}

// The figures, pass labels and curve are repainted about ten times a second, not once per pass;
// the curve still records every pass and the last values are shown when the stage ends.
TEST_F(PlanWindow, RunRepaintsAFewTimesASecond) {
    Initial();
    auto* kurve = form.findChild<ui::KurvenAnzeige*>("KurveW");
    struct Zaehler : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } kurvenBilder, zahlBilder;
    kurve->installEventFilter(&kurvenBilder);
    Find<QLabel>(form, "LLSSumL")->installEventFilter(&zahlBilder);
    QElapsedTimer uhr;
    uhr.start();
    QTimer::singleShot(800, &form, [&] { Button("HaltBtn")->click(); });
    Button("LLSBtn")->click();
    const qint64 ms = uhr.elapsed();
    const int erlaubt = static_cast<int>(ms / 100) + 4;
    ASSERT_GT(run.Passes(), 2 * erlaubt) << "too few passes to tell";
    EXPECT_LE(kurvenBilder.paints, erlaubt) << run.Passes() << " passes in " << ms << " ms";
    EXPECT_LE(zahlBilder.paints, erlaubt);
    EXPECT_GE(kurvenBilder.paints, 2);
    EXPECT_EQ(static_cast<int>(kurve->Werte().size()), run.Passes());
    EXPECT_EQ(kurve->Werte().back(), session.Plan()->Totals().LLSSumme);
    EXPECT_EQ(Text("LLSSumL").toStdString(), std::to_string(session.Plan()->Totals().LLSSumme));
    EXPECT_EQ(Text("Label15"), QString::number(run.Passes() - 1));
}

// A stage's closing message stands in front of its final figures, not of stale ones.
TEST_F(PlanWindow, StageMessageShowsTheFinalFigures) {
    Initial();
    auto* kurve = form.findChild<ui::KurvenAnzeige*>("KurveW");
    QString zahl;
    int kurvenWert = -1;
    rep.onShow = [&](const Message& m) {
        if (m.Text != "Leerstunden beseitigt!") return;
        zahl = Text("KLSSumL");
        kurvenWert = kurve->Werte().empty() ? -1 : kurve->Werte().back();
    };
    QTimer::singleShot(3000, &form, [&] { Button("HaltBtn")->click(); });
    Button("KLSMinimierungBtn")->click();
    ASSERT_TRUE(rep.Saw("Leerstunden beseitigt!")) << "class gaps not removed within 3 s";
    EXPECT_EQ(zahl, "0");
    EXPECT_EQ(kurvenWert, 0);
}

// "Mischen" starts a curve of its own; "Manuell" follows the first ticked goal.
TEST_F(PlanWindow, CurveFollowsMixingAndTheFirstTickedGoal) {
    Initial();
    auto* kurve = form.findChild<ui::KurvenAnzeige*>("KurveW");
    QTimer::singleShot(100, &form, [&] { Button("HaltBtn")->click(); });
    Button("KLSMinimierungBtn")->click();
    ASSERT_GT(kurve->Werte().size(), 1u);
    Button("Boese2Btn")->click();
    EXPECT_EQ(kurve->Name(), "Mischen: Klassen-Stunden-Verteilung");
    EXPECT_EQ(kurve->Werte().size(), 6u);
    EXPECT_EQ(kurve->Werte().back(), session.Plan()->Totals().KProd);

    auto* ziele = Find<QListWidget>(form, "ZieleCLB");
    ziele->item(2)->setCheckState(Qt::Checked); // Trennungsfehler
    ziele->item(4)->setCheckState(Qt::Checked);
    QTimer::singleShot(100, &form, [&] { Button("HaltBtn")->click(); });
    Button("ManuellStartBtn")->click();
    EXPECT_EQ(kurve->Name(), "Trennungsfehler");
    EXPECT_EQ(kurve->Werte().back(), session.Plan()->Totals().TFSumme);

    ziele->item(2)->setCheckState(Qt::Unchecked);
    ziele->item(4)->setCheckState(Qt::Unchecked);
    QTimer::singleShot(100, &form, [&] { Button("HaltBtn")->click(); });
    Button("ManuellStartBtn")->click();
    EXPECT_EQ(kurve->Name(), "Lehrer-Leerstunden (kein Ziel gewählt)");
    EXPECT_EQ(kurve->Werte().back(), session.Plan()->Totals().LLSSumme);
}

// The figure labels keep their width and align right, so the panel does not jump.
TEST_F(PlanWindow, FigureLabelsHaveAFixedWidth) {
    const CPlan& p = *session.Plan();
    // The widest texts the labels can take on this plan: counts of up to five digits, and a
    // distribution just below its ideal.
    const std::pair<const char*, std::string> breit[] = {
        {"KLSSumL", "44508"},
        {"TFSumL", "44508"},
        {"LLSSumL", "44508"},
        {"LLSMaxL", "44508"},
        {"KProdSumL", DistributionText(p.Totals().KProdOpt - p.Totals().KProdOpt / 1000 - 1,
                                       p.Totals().KProdOpt)},
        {"LProdSumL", DistributionText(p.Totals().LProdOpt - p.Totals().LProdOpt / 1000 - 1,
                                       p.Totals().LProdOpt)}};
    for (const auto& [name, text] : breit) {
        auto* l = Find<QLabel>(form, name);
        EXPECT_TRUE(l->alignment() & Qt::AlignRight) << name;
        EXPECT_GE(l->minimumWidth(),
                  l->fontMetrics().horizontalAdvance(QString::fromStdString(text)))
            << name << " " << text;
    }
}

TEST(Curve, AxisLabelsFitTheirNumbers) {
    ui::KurvenAnzeige kurve;
    kurve.resize(400, 200);
    for (int wert : {445080, 1, 12})
        kurve.Merken(wert);
    const QFontMetrics fm = kurve.fontMetrics();
    EXPECT_GE(kurve.Feld().left(), fm.horizontalAdvance("445080") + 8);
    kurve.Neu("Klassen-Leerstunden");
    EXPECT_TRUE(kurve.Werte().empty());
    kurve.Merken(7);
    EXPECT_LT(kurve.Feld().left(), fm.horizontalAdvance("445080"));
}

TEST_F(PlanWindow, OptionsFollowThePlanFlags) {
    auto* abbruch = Find<QCheckBox>(form, "AbbruchErsteStundeCB");
    auto* kurs = Find<QCheckBox>(form, "KursUeberStundenLimitCB");
    EXPECT_EQ(abbruch->isChecked(), session.Plan()->Flags().AbbruchErsteStunde != 0);
    kurs->click();
    EXPECT_EQ(session.Plan()->Flags().KursUeberStundenLimit, 1);
    EXPECT_EQ(Find<QCheckBox>(form, "MehrfachUeberStundenLimitCB")->text(),
              "Setzen von Mehrfach-Fachstunden über dem StundenLimit zulassen");
}

TEST_F(PlanWindow, SearchOptionIsKeptInTheConfigurationFile) {
    auto* weiter = Find<QCheckBox>(form, "WeitersuchenCB");
    EXPECT_EQ(weiter->text(), "Konfliktgesteuert weitersuchen statt neu beginnen");
    EXPECT_TRUE(weiter->isChecked()) << "on for a new user";
    TempDir dir;
    const std::string config = dir.File("config.ini");
    WriteFileBytes(config, "[Options]\r\nLaden=1\r\n[Planung]\r\nWeitersuchen=0\r\n");
    form.SetKonfigDatei(QString::fromStdString(config));
    EXPECT_FALSE(weiter->isChecked());
    weiter->click();
    EXPECT_EQ(ReadFileBytes(config), "[Options]\r\nLaden=1\r\n[Planung]\r\nWeitersuchen=1\r\n");
    // A configuration file that cannot be written: the user hears of it.
    form.SetKonfigDatei(QString::fromStdString(dir.File("fehlt/config.ini")));
    weiter->click();
    ASSERT_FALSE(rep.shown.empty());
    EXPECT_EQ(rep.shown.back(),
              (Message{"Fehler beim Schreiben in die Konfigurations - Datei.", "Fehler"}));
}

TEST_F(PlanWindow, TheSearchCompletesATightSchoolInTheFirstAttempt) {
    Stammdaten tight = TightSchool();
    CPlan plan(tight, rep);
    plan.BuildLessonHours();
    Random rng;
    form.SetPlan(&plan, &rng);
    auto* weiter = Find<QCheckBox>(form, "WeitersuchenCB");
    Find<QLineEdit>(form, "AnzahlVersucheE")->setText("20");
    weiter->setChecked(false);
    Button("StartBtn")->click();
    EXPECT_EQ(Text("Label1").toStdString().substr(0, 11), "20 Versuche") << "restarts fail";
    weiter->setChecked(true);
    Button("StartBtn")->click();
    EXPECT_EQ(Text("Label1"), "1 Versuche / Rest = 0");
    // The curve of the attempts counts them as the label does.
    EXPECT_EQ(form.findChild<ui::KurvenAnzeige*>("KurveW")->Achse(), "Versuch 1");
    EXPECT_EQ(plan.PlacedCount(), static_cast<int>(plan.StundenL.size()));
    form.SetPlan(session.Plan(), &session.Rng());
}

// The same kind of message carries the same caption: a stage's closing message without a title
// is titled "Hinweis" as the others are, not with the program's name; a question "Anfrage".
TEST(MessageBoxes, AMessageWithoutTitleIsTitledAsItsKind) {
    EXPECT_EQ(ui::BoxTitel({"Stunden optimal verteilt!", ""}, false), "Hinweis");
    EXPECT_EQ(ui::BoxTitel({"Trotzdem?", ""}, true), "Anfrage");
    EXPECT_EQ(ui::BoxTitel({"Kein Plan vorhanden!", "Fehler"}, false), "Fehler");
}

// A school that can never be planned (a teacher has three free slots for more hours): the window
// says so before the first attempt and starts only when told to; when the attempts are used up
// the grid keeps the best of them (it kept the last), and a message says so with its rest.
TEST(PlanWindowFailing, WarnsFirstAndKeepsTheBestAttempt) {
    const std::string school = SourcePath("tests/cli/data/unplanbar.sch");
    // The attempts as the run makes them, without keeping the best: the last and the best.
    struct Attempts : InitialPlanObserver {
        const CPlan* plan = nullptr;
        int best = 0, bestRest = 0, last = 0;
        void AttemptDone(const InitialPlanProgress& p) override {
            last = plan->PlacedCount();
            if (p.Rest != 0 && last > best) best = last, bestRest = p.Rest;
        }
    } attempts;
    {
        CapturingReporter quiet;
        Session s(quiet);
        ASSERT_TRUE(s.OpenSchool(school));
        ASSERT_TRUE(s.StartPlanning());
        attempts.plan = s.Plan();
        RunControl run;
        RunInitialPlan(s.Plan(), s.Rng(), quiet, run, 40, 3, &attempts);
        ASSERT_LT(attempts.last, attempts.best) << "the last attempt must be worse for this test";
    }
    AnswerReporter rep;
    Session session(rep);
    ASSERT_TRUE(session.OpenSchool(school));
    ASSERT_TRUE(session.StartPlanning());
    RunControl run;
    TPlanForm form(run, rep);
    form.SetPlan(session.Plan(), &session.Rng());
    form.SetSeed(3);
    Find<QCheckBox>(form, "WeitersuchenCB")->setChecked(false);
    Find<QLineEdit>(form, "AnzahlVersucheE")->setText("40");
    auto* start = Find<QPushButton>(form, "StartBtn");
    rep.answer = false;
    start->click();
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0].Title, "Warnung");
    const std::string& frage = rep.asked[0].Text;
    EXPECT_EQ(frage.rfind("Kein Versuch kann einen vollständigen Plan ergeben:\n\n", 0), 0u);
    EXPECT_NE(frage.find("\n\nLehrer Bernd Weiß: 7 Stunden können nur bis zur 3. Stunde stehen, "
                         "dort gibt es nur 3 mögliche Zeiten."),
              std::string::npos)
        << frage;
    EXPECT_TRUE(frage.ends_with("\n\nTrotzdem Urplan erzeugen?"));
    EXPECT_EQ(session.Plan()->PlacedCount(), 0) << "Nein: no attempt";

    rep.answer = true;
    start->click();
    EXPECT_EQ(session.Plan()->PlacedCount(), attempts.best);
    const std::string rest = std::to_string(attempts.bestRest);
    EXPECT_EQ(Find<QLabel>(form, "Label1")->text().toStdString(), "40 Versuche / Rest = " + rest);
    ASSERT_FALSE(rep.shown.empty());
    EXPECT_EQ(rep.shown.back().Title, "Hinweis");
    EXPECT_EQ(rep.shown.back().Text.rfind("Kein vollständiger Plan nach 40 Versuchen (bester "
                                          "Versuch: Rest = " +
                                              rest + ").\nKonflikt:  ",
                                          0),
              0u)
        << rep.shown.back().Text;
}

TEST_F(PlanWindow, TabsColourTheirFigures) {
    auto* tabs = Find<QTabWidget>(form, "PlanungsPC");
    tabs->setCurrentIndex(4);
    auto farbe = [&](const char* n) {
        return Find<QLabel>(form, n)->palette().color(QPalette::WindowText);
    };
    EXPECT_EQ(farbe("LLSSumL"), QColor(Qt::blue));
    EXPECT_EQ(farbe("LLSMaxL"), QColor(Qt::blue));
    EXPECT_EQ(farbe("KLSSumL"), QColor(Qt::black));
    tabs->setCurrentIndex(3);
    EXPECT_EQ(farbe("SpezialTFMaxL"), QColor(Qt::blue));
    EXPECT_EQ(farbe("LLSSumL"), QColor(Qt::black));
}

// --- export options ---------------------------------------------------------------------------

TEST_F(PlanWindow, ExportWithoutPlanIsRefused) {
    AnswerDesktop desktop;
    ui::TDruckOptionenForm druck(rep, desktop);
    EXPECT_FALSE(druck.Fuellen(nullptr));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Es ist kein Plan vorhanden!", "Fehler"}));
}

TEST_F(PlanWindow, ExportWritesTheChosenPlans) {
    Initial();
    AnswerDesktop desktop;
    ui::TDruckOptionenForm druck(rep, desktop);
    TempDir dir;
    const std::string ziel = dir.File("plaene.docx");
    desktop.file = [&](const ui::DateiDialog&) { return QString::fromStdString(ziel); };
    ASSERT_TRUE(druck.Fuellen(session.Plan()));
    EXPECT_EQ(druck.windowTitle(), "Druck - Optionen");
    EXPECT_EQ(Find<QComboBox>(druck, "TabellenLayoutCoBox")->currentIndex(), 36);
    EXPECT_EQ(Find<QComboBox>(druck, "TabellenLayoutCoBox")->currentText(), "Elegant");
    EXPECT_TRUE(Find<QCheckBox>(druck, "PseudoKurseBehandelnCB")->isChecked());
    auto* lehrer = Find<QListWidget>(druck, "LehrerCLB");
    EXPECT_EQ(lehrer->count(), session.Plan()->LehrerAnzahl);

    // Nothing chosen: nothing happens.
    druck.AusgabeBtnClick();
    EXPECT_EQ(druck.LetztesErgebnis().Status, ExportStatus::NichtsGewaehlt);

    // "Alle" ticks the list's kind box too, so its text turns black at once.
    auto* lehrerCB = Find<QCheckBox>(druck, "LehrerCB");
    EXPECT_EQ(lehrerCB->text(), "Lehrer");
    EXPECT_EQ(Find<QCheckBox>(druck, "KlassenCB")->text(), "Klassen");
    EXPECT_EQ(Find<QCheckBox>(druck, "RaumCB")->text(), "Räume");
    EXPECT_FALSE(lehrerCB->isChecked());
    EXPECT_NE(lehrer->palette().color(QPalette::Text), QColor(Qt::black));
    Find<QPushButton>(druck, "LehrerCLBAlleBtn")->click();
    EXPECT_TRUE(lehrerCB->isChecked());
    EXPECT_EQ(lehrer->palette().color(QPalette::Text), QColor(Qt::black));
    Find<QCheckBox>(druck, "KlassenCB")->setChecked(true);
    Find<QListWidget>(druck, "KlassenCLB")->item(0)->setCheckState(Qt::Checked);
    druck.AusgabeBtnClick();
    EXPECT_EQ(druck.LetztesErgebnis().Status, ExportStatus::Fertig);
    const int n = lehrer->count() + 1;
    EXPECT_EQ(druck.LetztesErgebnis().Geschrieben, n);
    EXPECT_TRUE(std::filesystem::exists(ziel));
    // The end is told: how many plans, where, and that no program could show the document.
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0],
              (Message{std::to_string(n) +
                           " Pläne wurden geschrieben.\nDas Dokument wurde "
                           "gespeichert unter „" +
                           ziel + "“; es konnte kein Programm zum Anzeigen gestartet werden.",
                       "Hinweis"}));

    // A program that shows the document: the note names the count and the file.
    desktop.open = [](const QString&) { return true; };
    desktop.opened.clear();
    Find<QPushButton>(druck, "LehrerCLBKeinBtn")->click();
    EXPECT_FALSE(lehrerCB->isChecked());
    EXPECT_EQ(druck.Optionen().Lehrer.Eintraege.size(), 0u);
    rep.shown.clear();
    druck.AusgabeBtnClick();
    EXPECT_EQ(desktop.opened, std::vector<QString>{QString::fromStdString(ziel)});
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0],
              (Message{"1 Plan wurde in das Dokument „" + ziel + "“ geschrieben.", "Hinweis"}));
    EXPECT_EQ(Find<QPushButton>(druck, "KlassenCLBKeinBtn")->text(), "Keine");
    Find<QPushButton>(druck, "KlassenCLBKeinBtn")->click();
    EXPECT_FALSE(Find<QCheckBox>(druck, "KlassenCB")->isChecked());
}

// The document cannot be written: the message says why.
TEST_F(PlanWindow, ExportToAnUnwritableTargetSaysWhy) {
    Initial();
    AnswerDesktop desktop;
    ui::TDruckOptionenForm druck(rep, desktop);
    TempDir dir;
    const std::string ziel = dir.File("fehlt/plaene.docx");
    desktop.file = [&](const ui::DateiDialog&) { return QString::fromStdString(ziel); };
    ASSERT_TRUE(druck.Fuellen(session.Plan()));
    Find<QPushButton>(druck, "LehrerCLBAlleBtn")->click();
    druck.AusgabeBtnClick();
    EXPECT_EQ(druck.LetztesErgebnis().Status, ExportStatus::StartFehler);
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Fehler bei Ausgabe an Word:\nDie Datei " + ziel +
                                         " kann nicht geschrieben werden.\nDer Ordner „" +
                                         dir.File("fehlt") + "“ existiert nicht.",
                                     "Fehler"}));
}

TEST_F(PlanWindow, PrinterPrintsTheSameDocument) {
    Initial();
    AnswerDesktop desktop;
    ui::TDruckOptionenForm druck(rep, desktop);
    QString gedruckt;
    PageOrientation seite = PageOrientation::Portrait;
    desktop.print = [&](QTextDocument& doc, PageOrientation o) {
        gedruckt = doc.toPlainText();
        seite = o;
        return QString::fromUtf8("an den Drucker „Büro“ gegeben");
    };
    ASSERT_TRUE(druck.Fuellen(session.Plan()));
    Find<QCheckBox>(druck, "KlassenCB")->setChecked(true);
    Find<QListWidget>(druck, "KlassenCLB")->item(1)->setCheckState(Qt::Checked);
    Find<QRadioButton>(druck, "DruckerRB")->setChecked(true);
    Find<QRadioButton>(druck, "LandscapeRB")->setChecked(true);
    druck.AusgabeBtnClick();
    EXPECT_EQ(druck.LetztesErgebnis().Status, ExportStatus::Fertig);
    EXPECT_TRUE(
        gedruckt.contains("Klasse: " + QString::fromStdString(session.Plan()->KlasseAt(1).Name)));
    EXPECT_EQ(seite, PageOrientation::Landscape);
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"1 Plan wurde an den Drucker „Büro“ gegeben.", "Hinweis"}));
}

// n plans, each on a new page, print on n pages: no page break before the first plan.
TEST_F(PlanWindow, PrintedPlansStartOnTheFirstPage) {
    Initial();
    AnswerDesktop desktop;
    ui::TDruckOptionenForm druck(rep, desktop);
    QString html;
    int seiten = 0;
    desktop.print = [&](QTextDocument& doc, PageOrientation) {
        html = doc.toHtml();
        doc.setPageSize(QSizeF(595, 842)); // A4 in points
        seiten = doc.pageCount();
        return QString("an den Drucker gegeben");
    };
    ASSERT_TRUE(druck.Fuellen(session.Plan()));
    Find<QPushButton>(druck, "KlassenCLBAlleBtn")->click();
    Find<QRadioButton>(druck, "DruckerRB")->setChecked(true);
    druck.AusgabeBtnClick();
    const int n = session.Plan()->KlassenAnzahl;
    ASSERT_GT(n, 2);
    EXPECT_EQ(druck.LetztesErgebnis().Geschrieben, n);
    EXPECT_EQ(html.count("page-break-before:always"), n - 1);
    EXPECT_EQ(seiten, n);
}

TEST(PrintLayout, ParagraphsTablesAndPageBreaks) {
    Document doc;
    Paragraph neu;
    neu.PageBreakBefore = true;
    Paragraph kopf;
    kopf.Text = "Klasse: 5a <b>";
    Table t(2, 2);
    t.Cell(1, 2) = "Montag";
    t.Cell(2, 2) = "Ma\nKöhler";
    // Two plans, each on a new page: the break before the first would leave page 1 blank.
    for (int i = 0; i < 2; ++i) {
        doc.Body.push_back(neu);
        doc.Body.push_back(kopf);
        doc.Body.push_back(t);
    }
    const QString html = ui::DokumentAlsHtml(doc);
    EXPECT_EQ(html.count("page-break-before:always"), 1);
    EXPECT_LT(html.indexOf("Klasse: 5a"), html.indexOf("page-break-before:always"));
    EXPECT_TRUE(html.contains("Klasse: 5a &lt;b&gt;"));
    EXPECT_TRUE(html.contains("<th>Montag</th>"));
    EXPECT_TRUE(html.contains("<td>Ma<br>Köhler</td>"));
}

TEST(AboutWindow, ShrinksAndCloses) {
    ui::TAboutForm about;
    about.show();
    const QRect vorher = about.geometry();
    about.Schrumpfen();
    Serve(200);
    EXPECT_LT(about.width(), vorher.width());
    EXPECT_FALSE(about.findChild<QLabel*>("Zeile1L")->isVisible());
    for (int i = 0; i < 100 && about.isVisible(); ++i)
        Serve(50);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace sw::test
