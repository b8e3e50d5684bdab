// SPDX-License-Identifier: GPL-3.0-or-later
// The master-data dialogs from the main window: their commands follow the general settings and
// "&Neu", a change in one dialog reaches the others and the lesson window, messages appear over
// the dialog in use, their places are kept in the program options, and a whole school built
// from nothing through the dialogs and the lesson window gets a complete initial plan.
#include "UiTestSupport.h"
#include "define/MasterData.h"
#include "support/TestSupport.h"
#include "ui/QtReporter.h"
#include "ui/SperrGitter.h"
#include "ui/TBlockForm.h"
#include "ui/TFachForm.h"
#include "ui/THauptForm.h"
#include "ui/TKlassenForm.h"
#include "ui/TKursForm.h"
#include "ui/TLehrerForm.h"
#include "ui/TNeuForm.h"
#include "ui/TPlanForm.h"
#include "ui/TProgrammOptionenForm.h"
#include "ui/TRaumForm.h"
#include "ui/TUnterrichtForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace sw::test {
namespace {

const char* const kStammBefehle[] = {"&Fächer", "&Klassen", "&Lehrer", "&Räume", "K&urse"};

class MasterDataFromMain : public ::testing::Test {
protected:
    MasterDataFromMain() : haupt(rep, desktop, QString::fromStdString(dir.Path().string())) {
        desktop.dialogs.Answer<ui::TEingabeForm>([this](ui::TEingabeForm& e) {
            const auto feld = [&e](const char* n) { return e.findChild<QLineEdit*>(n); };
            if (eingaben.empty()) {
                ADD_FAILURE() << "unexpected input window " << e.windowTitle().toStdString();
                return false;
            }
            const QStringList texte = eingaben.front();
            eingaben.erase(eingaben.begin());
            feld("NameE")->setText(texte.value(0));
            if (feld("KurzE")) feld("KurzE")->setText(texte.value(1));
            if (feld("BStundenE")) feld("BStundenE")->setText(texte.value(2));
            return true;
        });
    }
    std::vector<ui::TStammForm*> Alle() {
        return {&haupt.FachForm(), &haupt.RaumForm(), &haupt.LehrerForm(), &haupt.KlassenForm(),
                &haupt.KursForm()};
    }
    // The general settings, confirmed with `stunden` hours per day.
    void Angaben(const char* stunden) {
        QTimer::singleShot(50, &haupt, [stunden] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            d->findChild<QLineEdit*>("MaximaleStundenZahlProTagME")->setText(stunden);
            d->accept();
        });
        haupt.Befehl("&Allgemeine Angaben")->trigger();
    }
    void Neu(ui::TStammForm& f, QStringList texte, const char* knopf = "NeuBtn") {
        eingaben.push_back(texte);
        Find<QPushButton>(f, knopf)->click();
    }
    void Haken(QWidget& f, const char* liste, const char* text) {
        const auto treffer = Find<QListWidget>(f, liste)->findItems(U(text), Qt::MatchExactly);
        ASSERT_FALSE(treffer.isEmpty()) << liste << " " << text;
        treffer.first()->setCheckState(Qt::Checked);
    }
    void Zeile(QWidget& f, const char* liste, const char* text) {
        const auto treffer = Find<QListWidget>(f, liste)->findItems(U(text), Qt::MatchExactly);
        ASSERT_FALSE(treffer.isEmpty()) << liste << " " << text;
        Find<QListWidget>(f, liste)->setCurrentItem(treffer.first());
    }
    void OpenSchool() {
        desktop.file = [](const ui::DateiDialog&) {
            return QString::fromStdString(SourcePath("examples/gymnasium.sch"));
        };
        haupt.OeffnenClick();
    }

    TempDir dir;
    AnswerReporter rep;
    AnswerDesktop desktop;
    ui::THauptForm haupt;
    std::vector<QStringList> eingaben;
};

TEST_F(MasterDataFromMain, CommandsFollowTheGeneralSettingsAndNew) {
    for (const char* t : kStammBefehle)
        EXPECT_FALSE(haupt.Befehl(U(t))->isEnabled()) << t;
    Angaben("8");
    for (const char* t : kStammBefehle)
        EXPECT_TRUE(haupt.Befehl(U(t))->isEnabled()) << t;
    // Each command shows its dialog, non-modal.
    const std::pair<const char*, QWidget*> fenster[] = {{"&Fächer", &haupt.FachForm()},
                                                        {"&Klassen", &haupt.KlassenForm()},
                                                        {"&Lehrer", &haupt.LehrerForm()},
                                                        {"&Räume", &haupt.RaumForm()},
                                                        {"K&urse", &haupt.KursForm()}};
    for (const auto& [befehl, f] : fenster) {
        haupt.Befehl(U(befehl))->trigger();
        EXPECT_TRUE(f->isVisible()) << befehl;
        EXPECT_FALSE(f->isModal()) << befehl;
    }
    Neu(haupt.FachForm(), {"Chemie"}, "NeuBitBtn");
    ASSERT_EQ(haupt.Sitzung().Stamm().Faecher.size(), 1u);

    // "&Neu": the commands are disabled until the settings are confirmed again; the dialogs
    // show nothing under their reset captions.
    rep.answer = true;
    QTimer::singleShot(50, &haupt, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    haupt.NeuClick();
    for (const char* t : kStammBefehle)
        EXPECT_FALSE(haupt.Befehl(U(t))->isEnabled()) << t;
    EXPECT_EQ(haupt.FachForm().windowTitle(), "Fach");
    EXPECT_EQ(haupt.RaumForm().windowTitle(), "Raum");
    EXPECT_EQ(haupt.LehrerForm().windowTitle(), "Lehrer");
    EXPECT_EQ(haupt.KlassenForm().windowTitle(), "Klasse");
    EXPECT_EQ(haupt.KursForm().windowTitle(), "Kurs");
    EXPECT_EQ(Find<QComboBox>(haupt.FachForm(), "FachCoBox")->count(), 0);
    EXPECT_EQ(Find<QListWidget>(haupt.LehrerForm(), "FachCLBox")->count(), 0);
}

TEST_F(MasterDataFromMain, OpeningAFileShowsItsFirstEntitiesAndPlanModeReachesTheDialogs) {
    haupt.LehrerClick();
    OpenSchool();
    ASSERT_TRUE(rep.shown.empty());
    for (const char* t : kStammBefehle)
        EXPECT_TRUE(haupt.Befehl(U(t))->isEnabled()) << t;
    const Stammdaten& d = haupt.Sitzung().Stamm();
    auto* lehrer = Find<QComboBox>(haupt.LehrerForm(), "LehrerCoBox");
    EXPECT_EQ(lehrer->count(), static_cast<int>(d.Lehrer.size()));
    EXPECT_EQ(lehrer->currentText().toStdString(), d.Lehrer[0].Name);
    EXPECT_EQ(Find<QListWidget>(haupt.LehrerForm(), "FachCLBox")->count(),
              static_cast<int>(d.Faecher.size()));
    EXPECT_EQ(Find<QComboBox>(haupt.KursForm(), "KursCoBox")->count(),
              static_cast<int>(d.KursBloecke.size()));

    haupt.StundenplanClick();
    ASSERT_TRUE(haupt.Sitzung().HasPlan());
    EXPECT_FALSE(Find<QPushButton>(haupt.LehrerForm(), "NeuBtn")->isEnabled());
    EXPECT_FALSE(Find<QWidget>(haupt.RaumForm(), "RaumTypRG")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(haupt.KursForm(), "HinzuBitBtn")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(haupt.FachForm(), "LoeschenBtn")->isEnabled());
    rep.answer = true;
    haupt.PlanForm().close();
    EXPECT_TRUE(Find<QPushButton>(haupt.LehrerForm(), "NeuBtn")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(haupt.FachForm(), "LoeschenBtn")->isEnabled());
}

TEST_F(MasterDataFromMain, AChangeReachesTheOtherWindows) {
    Angaben("8");
    Neu(haupt.LehrerForm(), {"Meier", "ME"});
    Neu(haupt.KlassenForm(), {"5A"});
    Neu(haupt.FachForm(), {"Chemie"}, "NeuBitBtn");
    EXPECT_EQ(Texte(Find<QListWidget>(haupt.LehrerForm(), "FachCLBox")), QStringList({"CHEMIE"}));
    EXPECT_EQ(Texte(Find<QListWidget>(haupt.RaumForm(), "FachCLBox")), QStringList({"CHEMIE"}));
    EXPECT_EQ(Texte(Find<QListWidget>(haupt.RaumForm(), "KlassenCLBox")), QStringList({"5A"}));
    EXPECT_EQ(Texte(Find<QListWidget>(haupt.KursForm(), "LehrerL")), QStringList({"MEIER"}));

    // The lesson window, when open, shows a new teacher at once.
    haupt.UnterrichtClick();
    ui::TUnterrichtForm& u = haupt.UnterrichtForm();
    ASSERT_TRUE(u.isVisible());
    Neu(haupt.LehrerForm(), {"Schulz", "SZ"}, "NeuBitBtn");
    EXPECT_EQ(Texte(Find<QListWidget>(u, "LehrerL")), QStringList({"MEIER", "SCHULZ"}));
    EXPECT_EQ(Texte(Find<QListWidget>(haupt.KursForm(), "LehrerL")),
              QStringList({"MEIER", "SCHULZ"}));
    // A renamed subject too.
    Find<QListWidget>(haupt.LehrerForm(), "FachCLBox")->item(0)->setCheckState(Qt::Checked);
    eingaben.push_back({"Physik"});
    Find<QPushButton>(haupt.FachForm(), "UmbenennenBtn")->click();
    EXPECT_EQ(Texte(Find<QListWidget>(haupt.LehrerForm(), "FachCLBox")), QStringList({"PHYSIK"}));
    EXPECT_EQ(Texte(Find<QListWidget>(u, "FachL")), QStringList({}));
    Find<QListWidget>(u, "LehrerL")->setCurrentRow(1);
    EXPECT_EQ(Texte(Find<QListWidget>(u, "FachL")), QStringList({"PHYSIK"}));
    EXPECT_TRUE(rep.shown.empty());
}

// A refusal in a non-modal dialog appears over that dialog, not over the main window.
TEST(MasterDataMessages, AppearOverTheDialogInUse) {
    TempDir dir;
    ui::QtReporter reporter;
    AnswerDesktop desktop;
    ui::THauptForm haupt(reporter, desktop, QString::fromStdString(dir.Path().string()));
    reporter.SetParent(&haupt);
    haupt.Sitzung().Stamm().Faecher = {"F0"};
    haupt.show();
    ui::TFachForm& fach = haupt.FachForm();
    desktop.dialogs.Answer<ui::TEingabeForm>([](ui::TEingabeForm& e) {
        e.findChild<QLineEdit*>("NameE")->setText("f0");
        return true;
    });
    fach.Oeffnen();
    Serve(100);
    if (QApplication::activeWindow() != &fach) GTEST_SKIP() << "no window manager activates";
    QWidget* eltern = nullptr;
    QString text;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        eltern = box->parentWidget();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    fach.NeuClick();
    EXPECT_EQ(text, "Fach ist bereits vorhanden");
    EXPECT_EQ(eltern, &fach);
}

// The pop-up "Hilfe" of a dialog opens its page; the lock grid's pop-up the page of the grid.
TEST(MasterDataHelp, PopupsOpenTheirPages) {
    TempDir dir;
    AnswerReporter rep;
    const QString ordner = QString::fromStdString(dir.Path().string());
    AnswerDesktop desktop;
    ui::THauptForm haupt(rep, desktop, ordner);
    haupt.SetHilfePfad(ordner);
    for (const char* seite : {"formular_raeume.htm", "formular_zeitvorgaben.htm"})
        WriteFileBytes(dir.File(seite), "<html></html>");
    desktop.open = [](const QString&) { return true; };
    const std::vector<QString>& seiten = desktop.opened;
    ui::TRaumForm& raum = haupt.RaumForm();
    QTimer::singleShot(50, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->actions().value(0)->text(), "Hilfe");
        menu->actions().value(0)->trigger();
        menu->close();
    });
    raum.show();
    emit raum.customContextMenuRequested(QPoint(5, 5));
    for (QAction* a : raum.Sperren()->Menue()->actions())
        if (a->text() == "Hilfe") a->trigger();
    raum.hide();
    ASSERT_EQ(seiten.size(), 2u);
    EXPECT_EQ(seiten[0], QString::fromStdString(dir.File("formular_raeume.htm")));
    EXPECT_EQ(seiten[1], QString::fromStdString(dir.File("formular_zeitvorgaben.htm")));
    EXPECT_TRUE(rep.shown.empty());
}

TEST(MasterDataPositions, KeptInTheProgramOptions) {
    TempDir dir;
    AnswerReporter rep;
    const QString ordner = QString::fromStdString(dir.Path().string());
    {
        AnswerDesktop desktop;
        ui::THauptForm haupt(rep, desktop, ordner);
        haupt.FachForm().move(210, 220);
        haupt.KursForm().move(330, 340);
        auto& opt = haupt.OptionenForm();
        opt.OptionenSpeichernClick();
        Find<QCheckBox>(opt, "OptionenLadenCB")->setChecked(true);
        opt.accept();
    }
    const std::string ini = ReadFileBytes(dir.File("config.ini"));
    for (const char* zeile : {"Fach_L=210", "Fach_T=220", "Kurs_L=330", "Kurs_T=340"})
        EXPECT_NE(ini.find(zeile), std::string::npos) << zeile << "\n" << ini;
    AnswerDesktop desktopNeu;
    ui::THauptForm neu(rep, desktopNeu, ordner);
    neu.OptionenBeimStart();
    EXPECT_EQ(neu.FachForm().pos(), QPoint(210, 220));
    EXPECT_EQ(neu.KursForm().pos(), QPoint(330, 340));
    EXPECT_TRUE(rep.shown.empty());
}

// From an empty program to a complete initial plan: the general settings, two subjects, a
// universal and a special room, two teachers, two classes and a course of both teachers, all
// through the dialogs; the lessons through the lesson window; then "Stunden&plan".
TEST_F(MasterDataFromMain, ATinySchoolBuiltThroughTheDialogsGetsAPlan) {
    Angaben("6");
    haupt.FaecherClick();
    ui::TFachForm& fach = haupt.FachForm();
    Neu(fach, {"Deutsch"}, "NeuBitBtn");
    Neu(fach, {"Sport"}, "NeuBitBtn");

    haupt.RaeumeClick();
    ui::TRaumForm& raum = haupt.RaumForm();
    Neu(raum, {"Raum 1", "r1"});
    Neu(raum, {"Turnhalle", "th"}, "NeuBitBtn");
    Find<QGroupBox>(raum, "RaumTypRG")->findChildren<QRadioButton*>()[1]->click();
    Haken(raum, "FachCLBox", "SPORT");

    haupt.LehrerClick();
    ui::TLehrerForm& lehrer = haupt.LehrerForm();
    Neu(lehrer, {"Meier", "me"});
    Haken(lehrer, "FachCLBox", "SPORT");
    Haken(lehrer, "FachCLBox", "DEUTSCH");
    Neu(lehrer, {"Schulz", "sz"});
    Haken(lehrer, "FachCLBox", "DEUTSCH");

    haupt.KlassenClick();
    Neu(haupt.KlassenForm(), {"5A"});
    Neu(haupt.KlassenForm(), {"5B"});

    haupt.KurseClick();
    ui::TKursForm& kurs = haupt.KursForm();
    Neu(kurs, {"Wahlkurs", "wk", "2"});
    Zeile(kurs, "LehrerL", "MEIER");
    Zeile(kurs, "FachL", "SPORT");
    Find<QPushButton>(kurs, "HinzuBitBtn")->click();
    Zeile(kurs, "LehrerL", "SCHULZ");
    Find<QPushButton>(kurs, "HinzuBitBtn")->click();
    ASSERT_TRUE(rep.shown.empty()) << rep.shown[0].Text;

    const Stammdaten& d = haupt.Sitzung().Stamm();
    EXPECT_EQ(d.Faecher, (std::vector<std::string>{"DEUTSCH", "SPORT"}));
    ASSERT_EQ(d.Raeume.size(), 2u);
    EXPECT_EQ(d.Raeume[1].Name, "TURNHALLE");
    EXPECT_EQ(d.Raeume[1].Kurz, "TH");
    EXPECT_EQ(d.Raeume[1].Faecher, (std::vector<std::string>{"SPORT"}));
    EXPECT_EQ(d.Lehrer[0].Faecher, (std::vector<std::string>{"SPORT", "DEUTSCH"}));
    ASSERT_EQ(d.KursBloecke.size(), 1u);
    EXPECT_EQ(d.KursBloecke[0].Faecher, (std::vector<std::string>{"SPORT", "DEUTSCH"}));

    // The lessons: both classes join the course; German for each class.
    ui::TUnterrichtForm& u = haupt.UnterrichtForm();
    desktop.dialogs.Answer<ui::TBlockForm>([](ui::TBlockForm& b) {
        auto* feld = b.findChild<QLineEdit*>("BStundenE");
        if (feld->isEnabled()) feld->setText("3");
        return true;
    });
    haupt.UnterrichtClick();
    ASSERT_TRUE(u.isVisible());
    for (const char* klasse : {"5A", "5B"}) {
        Zeile(u, "LehrerL", "MEIER");
        Zeile(u, "KlassenL", klasse);
        Zeile(u, "KursL", "WAHLKURS");
        Find<QPushButton>(u, "HinzuBitBtn")->click();
        Zeile(u, "LehrerL", "SCHULZ");
        Zeile(u, "KlassenL", klasse);
        Zeile(u, "FachL", "DEUTSCH");
        Find<QPushButton>(u, "HinzuBitBtn")->click();
    }
    ASSERT_TRUE(rep.shown.empty()) << rep.shown[0].Text;
    EXPECT_EQ(d.KursBloecke[0].Klassen, (std::vector<std::string>{"5A", "5B"}));
    EXPECT_EQ(d.FachBloecke.size(), 2u);
    EXPECT_TRUE(MasterDataProblems(d).empty()) << MasterDataProblems(d)[0];

    haupt.StundenplanClick();
    ui::TPlanForm& plan = haupt.PlanForm();
    ASSERT_TRUE(plan.isVisible());
    plan.SetSeed(3);
    Find<QPushButton>(plan, "StartBtn")->click();
    const QString ergebnis = Find<QLabel>(plan, "Label1")->text();
    EXPECT_TRUE(ergebnis.endsWith("Versuche / Rest = 0")) << ergebnis.toStdString();
    EXPECT_TRUE(rep.shown.empty()) << rep.shown[0].Text;
    EXPECT_EQ(haupt.Sitzung().Plan()->PlacedCount(), 3 + 3 + 2 * 2);
    rep.answer = true;
    plan.close();
}

} // namespace
} // namespace sw::test
