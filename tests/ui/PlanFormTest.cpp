// SPDX-License-Identifier: GPL-3.0-or-later
// The planning window on its own, and the export options and about windows.
#include "UiTestSupport.h"
#include "export/ExportRun.h"
#include "files/Session.h"
#include "support/TestSupport.h"
#include "ui/DruckSatz.h"
#include "ui/KurvenAnzeige.h"
#include "ui/TAboutForm.h"
#include "ui/TDruckOptionenForm.h"
#include "ui/TPlanForm.h"

#include <QCheckBox>
#include <QComboBox>
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
        form.SetPlan(session.Plan());
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
    EXPECT_EQ(Text("AustauschL"), "#Austausch:");
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
    EXPECT_TRUE(session.Plan()->HasGoal(1));
    EXPECT_TRUE(session.Plan()->HasGoal(12));
    EXPECT_FALSE(session.Plan()->HasGoal(4));
    QTimer::singleShot(150, &form, [&] { Button("HaltBtn")->click(); });
    Button("ManuellStartBtn")->click();
    EXPECT_TRUE(Text("Label15").startsWith("Iteration")) << Text("Label15").toStdString();
}

TEST_F(PlanWindow, OptionsFollowThePlanFlags) {
    auto* abbruch = Find<QCheckBox>(form, "AbbruchErsteStundeCB");
    auto* kurs = Find<QCheckBox>(form, "KursUeberStundenLimitCB");
    EXPECT_EQ(abbruch->isChecked(), session.Plan()->AbbruchErsteStunde != 0);
    kurs->click();
    EXPECT_EQ(session.Plan()->KursUeberStundenLimit, 1);
    EXPECT_EQ(Find<QCheckBox>(form, "MehrfachUeberStundenLimitCB")->text(),
              "Setzen von Mehrfach-Fachstunden über dem StundenLimit zulassen");
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
    ui::TDruckOptionenForm druck(rep);
    EXPECT_FALSE(druck.Fuellen(nullptr));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Es ist kein Plan vorhanden!", "Fehler"}));
}

TEST_F(PlanWindow, ExportWritesTheChosenPlans) {
    Initial();
    ui::TDruckOptionenForm druck(rep);
    NoOpener keiner;
    druck.Anzeige = &keiner;
    TempDir dir;
    const std::string ziel = dir.File("plaene.docx");
    druck.Zieldatei = [&] { return QString::fromStdString(ziel); };
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

    Find<QCheckBox>(druck, "LehrerCB")->setChecked(true);
    Find<QPushButton>(druck, "LehrerCLBAlleBtn")->click();
    Find<QCheckBox>(druck, "KlassenCB")->setChecked(true);
    Find<QListWidget>(druck, "KlassenCLB")->item(0)->setCheckState(Qt::Checked);
    druck.AusgabeBtnClick();
    EXPECT_EQ(druck.LetztesErgebnis().Status, ExportStatus::Fertig);
    EXPECT_EQ(druck.LetztesErgebnis().Geschrieben, lehrer->count() + 1);
    EXPECT_TRUE(std::filesystem::exists(ziel));
    EXPECT_TRUE(rep.shown.empty());

    Find<QPushButton>(druck, "LehrerCLBKeinBtn")->click();
    EXPECT_EQ(druck.Optionen().Lehrer.Eintraege.size(), 0u);
    EXPECT_EQ(Find<QPushButton>(druck, "KlassenCLBKeinBtn")->text(), "Keine");
}

TEST_F(PlanWindow, PrinterPrintsTheSameDocument) {
    Initial();
    ui::TDruckOptionenForm druck(rep);
    QString gedruckt;
    PageOrientation seite = PageOrientation::Portrait;
    druck.Drucken = [&](QTextDocument& doc, PageOrientation o) {
        gedruckt = doc.toPlainText();
        seite = o;
        return true;
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
    EXPECT_TRUE(rep.shown.empty());
}

TEST(PrintLayout, ParagraphsTablesAndPageBreaks) {
    Document doc;
    Paragraph neu;
    neu.PageBreakBefore = true;
    doc.Body.push_back(neu);
    Paragraph kopf;
    kopf.Text = "Klasse: 5a <b>";
    doc.Body.push_back(kopf);
    Table t(2, 2);
    t.Cell(1, 2) = "Montag";
    t.Cell(2, 2) = "Ma\nKöhler";
    doc.Body.push_back(t);
    const QString html = ui::DokumentAlsHtml(doc);
    EXPECT_TRUE(html.contains("page-break-before:always"));
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
