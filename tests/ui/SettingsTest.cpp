// SPDX-License-Identifier: GPL-3.0-or-later
// The general-settings dialog, the context-help window and the program options with config.ini.
#include "UiTestSupport.h"
#include "support/TestSupport.h"
#include "ui/TAllgemeineAngabenForm.h"
#include "ui/THauptForm.h"
#include "ui/THilfeForm.h"
#include "ui/TPlanForm.h"
#include "ui/TProgrammOptionenForm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTimer>
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
        EXPECT_EQ(m, (Message{"Ungültige Anzahl an Unterrichts - Tagen pro Woche", "Fehler"}));
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
              (Message{"Ungültige Anzahl an Unterrichts - Stunden pro Tag", "Fehler"}));
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

TEST_F(GeneralSettings, PlanModeLocksTheWeek) {
    dlg.SetEditable(false);
    EXPECT_TRUE(Tage()->isReadOnly());
    EXPECT_TRUE(Stunden()->isReadOnly());
    EXPECT_FALSE(Find<QCheckBox>(dlg, "NullteStundeCB")->isEnabled());
}

// --- program options ----------------------------------------------------------------------

class ProgramOptions : public ::testing::Test {
protected:
    QString Ordner() const { return QString::fromStdString(dir.Path().string()); }
    TempDir dir;
    AnswerReporter rep;
};

TEST_F(ProgramOptions, NoFileMeansDefaults) {
    ui::THauptForm haupt(rep, Ordner());
    haupt.OptionenBeimStart();
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_EQ(haupt.pos(), QPoint(100, 100));
    EXPECT_FALSE(Find<QCheckBox>(haupt.OptionenForm(), "OptionenLadenCB")->isChecked());
    EXPECT_FALSE(std::filesystem::exists(dir.File("config.ini")));
}

TEST_F(ProgramOptions, SavedPositionsAreAppliedAtTheNextStart) {
    {
        ui::THauptForm haupt(rep, Ordner());
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
                            "Plan_L=330", "Plan_T=340", "Fach_L=100", "PlanBS_T=100"})
        EXPECT_NE(ini.find(key), std::string::npos) << key;

    ui::THauptForm neu(rep, Ordner());
    neu.OptionenBeimStart();
    EXPECT_EQ(neu.pos(), QPoint(210, 220));
    EXPECT_EQ(neu.PlanForm().pos(), QPoint(330, 340));
    EXPECT_EQ(neu.HilfePfad(), "/hilfe/seiten");
    EXPECT_TRUE(Find<QCheckBox>(neu.OptionenForm(), "OptionenLadenCB")->isChecked());
    EXPECT_EQ(neu.OptionenForm().Position("Klassen"), QPoint(100, 100));
}

TEST_F(ProgramOptions, CancelRestoresTheHelpPath) {
    ui::THauptForm haupt(rep, Ordner());
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
    ui::THauptForm haupt(rep, Ordner());
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
