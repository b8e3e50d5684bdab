// SPDX-License-Identifier: GPL-3.0-or-later
// The general-settings dialog, the context-help window and the program options with config.ini.
#include "UiTestSupport.h"
#include "support/TestSupport.h"
#include "ui/QtReporter.h"
#include "ui/TAllgemeineAngabenForm.h"
#include "ui/THauptForm.h"
#include "ui/THilfeForm.h"
#include "ui/TPlanForm.h"
#include "ui/TProgrammOptionenForm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QWindow>
#include <filesystem>

namespace sw::test {
namespace {

using ui::TAllgemeineAngabenForm;
using ui::THilfeForm;
using ui::TProgrammOptionenForm;

class GeneralSettings : public ::testing::Test {
protected:
    GeneralSettings() : dlg(rep, hilfe) {}
    QLineEdit* Tage() { return Find<QLineEdit>(dlg, "UnterrichtsTageProWocheME"); }
    QLineEdit* Stunden() { return Find<QLineEdit>(dlg, "MaximaleStundenZahlProTagME"); }
    AnswerReporter rep;
    THilfeForm hilfe;
    TAllgemeineAngabenForm dlg;
};

TEST_F(GeneralSettings, Defaults) {
    EXPECT_EQ(Tage()->text(), "5");
    EXPECT_EQ(Stunden()->text(), "8");
    EXPECT_EQ(Find<QCheckBox>(dlg, "NullteStundeCB")->text(), "Nullte Stunde ermöglichen");
    auto* grid = Find<QTableWidget>(dlg, "TageSG");
    EXPECT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->item(0, 0)->text(), "Montag");
}

TEST_F(GeneralSettings, InvalidDaysAreRefused) {
    for (const char* t : {"0", "8", "abc"}) {
        Tage()->setText(t);
        EXPECT_FALSE(dlg.TageVerlassen()) << t;
    }
    ASSERT_EQ(rep.shown.size(), 3u);
    for (const auto& m : rep.shown)
        EXPECT_EQ(
            m, (Message{
                   "Ungültige Anzahl an Unterrichts - Tagen pro Woche\nErlaubt sind 1 bis 7 Tage.",
                   "Fehler"}));
    Tage()->setText("7");
    EXPECT_TRUE(dlg.TageVerlassen());
    EXPECT_EQ(Find<QTableWidget>(dlg, "TageSG")->rowCount(), 7);
}

TEST_F(GeneralSettings, InvalidHoursAreRefused) {
    for (const char* t : {"13", "0", "x"}) {
        Stunden()->setText(t);
        EXPECT_FALSE(dlg.StundenVerlassen()) << t;
    }
    ASSERT_EQ(rep.shown.size(), 3u);
    EXPECT_EQ(rep.shown[0],
              (Message{"Ungültige Anzahl an Unterrichts - Stunden pro Tag\nErlaubt sind 1 bis 12 "
                       "Stunden.",
                       "Fehler"}));
    Stunden()->setText("12");
    EXPECT_TRUE(dlg.StundenVerlassen());
}

TEST_F(GeneralSettings, OkHandsBackTheValues) {
    Tage()->setText("6");
    Stunden()->setText("10");
    Find<QCheckBox>(dlg, "NullteStundeCB")->setChecked(true);
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const AllgemeineAngaben a = dlg.Werte();
    EXPECT_EQ(a.Tage, 6);
    EXPECT_EQ(a.Stunden, 10);
    EXPECT_TRUE(a.Nullte);
    EXPECT_EQ(a.TagNamen.size(), 6u);
}

TEST_F(GeneralSettings, DirectHelpShowsTheContextHelpWindow) {
    QTimer::singleShot(50, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions()[0]->text(), "Direkthilfe");
        menu->actions()[0]->trigger();
        menu->close();
    });
    dlg.show();
    emit Tage()->customContextMenuRequested(QPoint(2, 2));
    EXPECT_EQ(hilfe.windowTitle(), "U. - Tage pro Woche");
    EXPECT_EQ(hilfe.Text(), "An wieviel Tagen einer Woche soll Unterricht stattfinden können?");
    EXPECT_TRUE(hilfe.isVisible());
}

// In plan mode the week's fields are disabled (they look it); their "Direkthilfe" moves to the
// dialog's own pop-up, since a disabled field has none.
TEST_F(GeneralSettings, PlanModeLocksTheWeek) {
    dlg.SetEditable(false);
    EXPECT_FALSE(Tage()->isEnabled());
    EXPECT_FALSE(Stunden()->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(dlg, "NullteStundeCB")->isEnabled());
    EXPECT_TRUE(Find<QTableWidget>(dlg, "TageSG")->isEnabled());
    dlg.show();
    QStringList eintraege;
    QTimer::singleShot(50, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions())
            eintraege << a->text();
        menu->actions()[0]->trigger();
        menu->close();
    });
    emit dlg.customContextMenuRequested(Stunden()->mapTo(&dlg, Stunden()->rect().center()));
    EXPECT_EQ(eintraege, (QStringList{"Direkthilfe", "Hilfe"}));
    EXPECT_EQ(hilfe.windowTitle(), "max. Stunden pro Woche");
    dlg.SetEditable(true);
    EXPECT_TRUE(Tage()->isEnabled());
    dlg.hide();
}

// The page "Schuljahr": the times follow the hours of the day, a time or date that is none keeps
// the dialog open naming the field, and OK hands the term and the holidays back.
TEST_F(GeneralSettings, TheSchoolYearPageHandsBackTimesTermAndHolidays) {
    auto* zeiten = Find<QTableWidget>(dlg, "StundenZeitenSG");
    EXPECT_EQ(zeiten->rowCount(), 8);
    Stunden()->setText("6");
    dlg.StundenVerlassen();
    Find<QCheckBox>(dlg, "NullteStundeCB")->setChecked(true);
    ASSERT_EQ(zeiten->rowCount(), 7);
    EXPECT_EQ(zeiten->item(0, 0)->text(), "07:10");
    zeiten->item(1, 0)->setText("7:55");
    Find<QLineEdit>(dlg, "SchuljahrBeginnE")->setText("1.9.2026");
    Find<QLineEdit>(dlg, "SchuljahrEndeE")->setText("15.07.2027");
    Find<QPushButton>(dlg, "FerienNeuBtn")->click();
    auto* ferien = Find<QTableWidget>(dlg, "FerienSG");
    ASSERT_EQ(ferien->rowCount(), 1);
    ferien->item(0, 0)->setText("26.10.2026");
    ferien->item(0, 1)->setText("31.10.2026");
    ferien->item(0, 2)->setText("Herbstferien");
    zeiten->item(2, 1)->setText("9 Uhr");
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_FALSE(rep.shown.empty());
    EXPECT_EQ(rep.shown.back().Text,
              "Die Angabe „9 Uhr“ (Ende der 2. Stunde) ist keine Uhrzeit wie 08:00.");
    zeiten->item(2, 1)->setText("09:35");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const AllgemeineAngaben a = dlg.Werte();
    std::vector<CStundenZeit> erwartet = StandardStundenZeiten(6, true);
    erwartet[1].Beginn = 7 * 60 + 55;
    EXPECT_EQ(a.StundenZeiten, erwartet);
    EXPECT_EQ(
        a.Schuljahr,
        (CSchuljahr{*Datum::Lies("2026-09-01"),
                    *Datum::Lies("2027-07-15"),
                    {{*Datum::Lies("2026-10-26"), *Datum::Lies("2026-10-31"), "Herbstferien"}}}));
}

// The general settings are modal; the context help asked from them must not wait behind them:
// it becomes a window of the dialog, which modality does not block, and comes to the front.
TEST(ContextHelp, UsableWhileTheModalSettingsAreOpen) {
    TempDir dir;
    AnswerReporter rep;
    AnswerDesktop desktop;
    ui::THauptForm haupt(rep, desktop, QString::fromStdString(dir.Path().string()));
    THilfeForm& hilfe = haupt.HilfeForm();
    TAllgemeineAngabenForm& dlg = haupt.AngabenForm();
    bool frei = false, sichtbar = false;
    QTimer::singleShot(50, [&] {
        QTimer::singleShot(50, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            menu->actions()[0]->trigger();
            menu->close();
        });
        auto* tage = Find<QLineEdit>(dlg, "UnterrichtsTageProWocheME");
        emit tage->customContextMenuRequested(QPoint(2, 2));
        // Qt lets input reach a window while a modal dialog is open only if the dialog's window
        // is one of its ancestors (parent or transient parent).
        QWidget* modal = QApplication::activeModalWidget();
        frei = modal == &dlg && hilfe.isWindow() && hilfe.windowHandle() &&
               dlg.windowHandle()->isAncestorOf(hilfe.windowHandle(), QWindow::IncludeTransients);
        sichtbar = hilfe.isVisible();
        dlg.reject();
    });
    haupt.AllgemeineAngabenClick();
    EXPECT_TRUE(frei);
    EXPECT_TRUE(sichtbar);
    EXPECT_EQ(hilfe.windowTitle(), "U. - Tage pro Woche");
    // The dialog is closed: the help stays open and belongs to the main window again.
    EXPECT_TRUE(hilfe.isVisible());
    EXPECT_EQ(hilfe.parentWidget(), &haupt);
}

// Message boxes appear over the window the user works in: the modal dialog that is open, else
// the fallback (the main window).
TEST(MessageBoxes, AppearOverTheWindowInUse) {
    QWidget haupt;
    ui::QtReporter reporter(&haupt);
    QWidget* eltern = nullptr;
    auto antworten = [&] {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            eltern = box->parentWidget();
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click()
                                         : box->button(QMessageBox::Yes)->click();
        });
    };
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    antworten();
    reporter.Show({"Text", "Hinweis"});
    EXPECT_EQ(eltern, &dialog);
    antworten();
    EXPECT_TRUE(reporter.Ask({"Frage?", "Anfrage"}, Question::YesNo));
    EXPECT_EQ(eltern, &dialog);
    dialog.hide();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    if (!QApplication::activeWindow()) {
        antworten();
        reporter.Show({"Text", "Hinweis"});
        EXPECT_EQ(eltern, &haupt);
    }
}

// --- program options ----------------------------------------------------------------------

class ProgramOptions : public ::testing::Test {
protected:
    QString Ordner() const { return QString::fromStdString(dir.Path().string()); }
    TempDir dir;
    AnswerReporter rep;
};

TEST_F(ProgramOptions, NoFileMeansDefaults) {
    AnswerDesktop desktop;
    ui::THauptForm haupt(rep, desktop, Ordner());
    haupt.OptionenBeimStart();
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_EQ(haupt.pos(), QPoint(100, 100));
    EXPECT_FALSE(Find<QCheckBox>(haupt.OptionenForm(), "OptionenLadenCB")->isChecked());
    EXPECT_FALSE(std::filesystem::exists(dir.File("config.ini")));
}

TEST_F(ProgramOptions, SavedPositionsAreAppliedAtTheNextStart) {
    {
        AnswerDesktop desktop;
        ui::THauptForm haupt(rep, desktop, Ordner());
        haupt.move(210, 220);
        haupt.PlanForm().move(330, 340);
        auto& opt = haupt.OptionenForm();
        Find<QLineEdit>(opt, "HelpPathE")->setText("/hilfe/seiten");
        opt.OptionenSpeichernClick();
        Find<QCheckBox>(opt, "OptionenLadenCB")->setChecked(true);
        opt.accept();
    }
    ASSERT_TRUE(rep.shown.empty());
    const std::string ini = ReadFileBytes(dir.File("config.ini"));
    for (const char* key : {"Laden=1", "Path=/hilfe/seiten", "Form1_L=210", "Form1_T=220",
                            "Plan_L=330", "Plan_T=340"})
        EXPECT_NE(ini.find(key), std::string::npos) << key;
    // A window never shown nor placed keeps no position: it opens centred over its parent.
    EXPECT_EQ(ini.find("Fach_L"), std::string::npos) << ini;

    AnswerDesktop desktopNeu;
    ui::THauptForm neu(rep, desktopNeu, Ordner());
    neu.OptionenBeimStart();
    EXPECT_EQ(neu.pos(), QPoint(210, 220));
    EXPECT_EQ(neu.PlanForm().pos(), QPoint(330, 340));
    EXPECT_EQ(neu.HilfePfad(), "/hilfe/seiten");
    EXPECT_TRUE(Find<QCheckBox>(neu.OptionenForm(), "OptionenLadenCB")->isChecked());
    EXPECT_EQ(neu.OptionenForm().Position("Klassen"), std::nullopt);
}

// A file written by hand: a byte-order mark, blanks and "ja" (the load flag read as off before).
TEST_F(ProgramOptions, AHandWrittenFileIsUnderstood) {
    WriteFileBytes(dir.File("config.ini"), "\xEF\xBB\xBF[Options]\r\nLaden = ja\r\n[windows]\r\n"
                                           "Form1_L = 230 \r\nForm1_T=240\r\n");
    AnswerDesktop desktop;
    ui::THauptForm haupt(rep, desktop, Ordner());
    haupt.OptionenBeimStart();
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_EQ(haupt.pos(), QPoint(230, 240));
    EXPECT_TRUE(Find<QCheckBox>(haupt.OptionenForm(), "OptionenLadenCB")->isChecked());
}

TEST_F(ProgramOptions, CancelRestoresTheHelpPath) {
    AnswerDesktop desktop;
    ui::THauptForm haupt(rep, desktop, Ordner());
    haupt.SetHilfePfad("/alt");
    auto& opt = haupt.OptionenForm();
    QTimer::singleShot(50, &opt, [&] {
        Find<QLineEdit>(opt, "HelpPathE")->setText("/neu");
        opt.reject();
    });
    haupt.ProgrammOptionenClick();
    EXPECT_EQ(haupt.HilfePfad(), "/alt");
    EXPECT_EQ(Find<QLineEdit>(opt, "HelpPathE")->text(), "/alt");
}

TEST_F(ProgramOptions, UnreadableFileIsReported) {
    std::filesystem::create_directory(dir.File("config.ini"));
    AnswerDesktop desktop;
    ui::THauptForm haupt(rep, desktop, Ordner());
    haupt.OptionenBeimStart();
    haupt.OptionenForm().OptionenLadenClick();
    haupt.OptionenForm().OptionenSpeichernClick();
    ASSERT_EQ(rep.shown.size(), 3u);
    EXPECT_EQ(rep.shown[0], (Message{"Fehler beim Lesen der Konfigurations - Datei.", "Fehler"}));
    EXPECT_EQ(rep.shown[1].Text, "Fehler beim Erstellen der Konfigurations - Datei.");
    EXPECT_EQ(rep.shown[2].Text, "Fehler beim Erstellen der Konfigurations - Datei.");
    haupt.OptionenForm().accept();
    EXPECT_EQ(rep.shown.back().Text, "Fehler beim Schreiben in die Konfigurations - Datei.");
}

} // namespace
} // namespace sw::test
