// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a school and writing its tables from the main window, and the import report window.
#include "UiTestSupport.h"
#include "app/Session.h"
#include "support/School.h"
#include "support/TestSupport.h"
#include "ui/THauptForm.h"
#include "ui/TImportBerichtForm.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace sw::test {
namespace {

using ui::DateiDialog;
using ui::THauptForm;
using ui::TImportBerichtForm;

ImportReport Bericht(const std::string& quelle) {
    ImportReport r;
    r.Source = quelle;
    r.Activities = 2;
    r.Hours = 5;
    r.SourceHours = 6;
    r.AddCount(ImportFate::Uebernommen, "Lehrer", 3);
    r.Add(ImportFate::Angenaehert, "Aktivität", "in Einheiten zerlegt", "Ma 7a");
    r.Add(ImportFate::Weggelassen, "ConstraintMinDaysBetweenActivities", "gibt es hier nicht");
    return r;
}

class Import : public ::testing::Test {
protected:
    Import() : haupt(rep, desktop, QString::fromStdString(dir.Path().string())) {
        desktop.file = [this](const DateiDialog& d) {
            dialoge.push_back(d);
            return datei;
        };
    }
    QAction* Befehl(const char* text) { return haupt.Befehl(QString::fromUtf8(text)); }

    TempDir dir;
    AnswerReporter rep;
    AnswerDesktop desktop;
    THauptForm haupt;
    QString datei;
    std::vector<DateiDialog> dialoge;
};

// "Importieren..." follows "Ö&ffnen..."; the table export stands by "Speichern &unter..." and
// waits for master data, as the master-data commands do.
TEST_F(Import, TheFileMenuHoldsImportAndTableExport) {
    QStringList menue;
    for (QAction* a : haupt.menuBar()->actions().value(0)->menu()->actions())
        menue << a->text();
    const qsizetype oeffnen = menue.indexOf(QString::fromUtf8("Ö&ffnen..."));
    ASSERT_GE(oeffnen, 0);
    EXPECT_EQ(menue.mid(oeffnen, 5),
              QStringList({QString::fromUtf8("Ö&ffnen..."), "Importieren...", "&Speichern",
                           "Speichern &unter...", "Stammdaten als Tabellen exportieren..."}));
    EXPECT_TRUE(Befehl("Importieren...")->isEnabled());
    EXPECT_FALSE(Befehl("Stammdaten als Tabellen exportieren...")->isEnabled());
    datei = QString::fromStdString(SourcePath("examples/gymnasium.sch"));
    haupt.OeffnenClick();
    EXPECT_TRUE(Befehl("Stammdaten als Tabellen exportieren...")->isEnabled());
}

// One file dialog offers FET files and tables; cancelled it changes nothing, a refused import
// shows its message and keeps the school.
TEST_F(Import, ARefusedImportKeepsTheSchool) {
    datei = QString::fromStdString(SourcePath("examples/gymnasium.sch"));
    haupt.OeffnenClick();
    const QString titel = haupt.windowTitle();
    datei.clear();
    Befehl("Importieren...")->trigger();
    ASSERT_EQ(dialoge.size(), 2u);
    EXPECT_EQ(dialoge[1].Titel, "Importieren");
    EXPECT_FALSE(dialoge[1].Speichern);
    EXPECT_EQ(
        dialoge[1].Filter,
        QString::fromUtf8("FET-Dateien (*.fet);;Tabellen – eine Datei des Ordners wählen (*.csv)"));
    EXPECT_TRUE(rep.shown.empty());

    datei = QString::fromStdString(dir.File("fehlt.fet"));
    Befehl("Importieren...")->trigger();
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0].Title, "Importfehler");
    EXPECT_TRUE(desktop.dialogsRun.empty());
    EXPECT_FALSE(haupt.Sitzung().Stamm().Lehrer.empty());
    haupt.MarkeZeigen();
    EXPECT_EQ(haupt.windowTitle(), titel);
}

// After an import the school is open as a new one that was never saved, and the report window
// shows what became of the source.
TEST_F(Import, AnImportedSchoolIsShownWithItsReport) {
    datei = QString::fromStdString(SourcePath("examples/gymnasium.sch"));
    haupt.OeffnenClick();
    ImportResult gelesen;
    gelesen.data = MakeSchool(5, 6, 2, 3, 2, 2);
    gelesen.report = Bericht(dir.File("schule.fet"));
    QString gezeigt;
    desktop.dialogs.Answer<TImportBerichtForm>([&](TImportBerichtForm& f) {
        gezeigt = f.Text();
        return true;
    });
    haupt.Importiert(*haupt.Sitzung().ImportUebernehmen(gelesen));
    EXPECT_EQ(gezeigt, QString::fromStdString(gelesen.report.Text()));
    EXPECT_EQ(haupt.windowTitle(), "Plan : *");
    EXPECT_EQ(haupt.centralWidget()->property("text").toString(),
              QString::fromUtf8("3 Lehrer, 2 Klassen, 2 Räume, 2 Fächer"));
    EXPECT_TRUE(Befehl("&Lehrer")->isEnabled());
    // Saving asks for a file.
    datei = QString::fromStdString(dir.File("neu.sch"));
    haupt.SpeichernClick();
    EXPECT_EQ(dialoge.back().Titel, "Speichern unter");
    haupt.MarkeZeigen();
    EXPECT_EQ(haupt.windowTitle(), "Plan : " + datei);
}

// The report window shows the whole report read-only; "Bericht speichern..." writes its text
// into the file named, beside the source; "OK" closes it.
TEST_F(Import, TheReportWindowShowsAndSavesTheReport) {
    const ImportReport bericht = Bericht(dir.File("schule.fet"));
    TImportBerichtForm f(rep, desktop, DefaultFileOps(), &haupt);
    f.Fuellen(bericht);
    EXPECT_EQ(f.windowTitle(), "Importbericht");
    auto* text = Find<QPlainTextEdit>(f, "BerichtRE");
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText(), QString::fromStdString(bericht.Text()));
    for (const char* teil : {"Übernommen (3)", "Angenähert (1)", "Weggelassen (1)"})
        EXPECT_TRUE(text->toPlainText().contains(QString::fromUtf8(teil))) << teil;
    EXPECT_EQ(Find<QPushButton>(f, "SpeichernBtn")->text(), "Bericht speichern...");

    Find<QPushButton>(f, "SpeichernBtn")->click();
    ASSERT_EQ(dialoge.size(), 1u);
    EXPECT_TRUE(dialoge[0].Speichern);
    EXPECT_EQ(dialoge[0].Titel, "Bericht speichern");
    EXPECT_EQ(dialoge[0].Ordner, QString::fromStdString(dir.Path().string()));
    datei = QString::fromStdString(dir.File("bericht.txt"));
    Find<QPushButton>(f, "SpeichernBtn")->click();
    EXPECT_EQ(ReadFileBytes(dir.File("bericht.txt")), bericht.Text());
    datei = QString::fromStdString(dir.File("fehlt/bericht.txt"));
    Find<QPushButton>(f, "SpeichernBtn")->click();
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0].Title, "Dateifehler");

    f.show();
    Find<QPushButton>(f, "OKBtn")->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(f.isVisible());
}

// The export asks for a folder and names it in its message (the note, or the refusal).
TEST_F(Import, TheTablesGoIntoAChosenFolder) {
    datei = QString::fromStdString(SourcePath("examples/gymnasium.sch"));
    haupt.OeffnenClick();
    datei.clear();
    Befehl("Stammdaten als Tabellen exportieren...")->trigger();
    ASSERT_EQ(dialoge.size(), 2u);
    EXPECT_TRUE(dialoge[1].NurOrdner);
    EXPECT_EQ(dialoge[1].Titel, "Stammdaten als Tabellen exportieren");
    EXPECT_TRUE(rep.shown.empty());
    datei = QString::fromStdString(dir.Path().string());
    Befehl("Stammdaten als Tabellen exportieren...")->trigger();
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_NE(rep.shown[0].Text.find(dir.Path().string()), std::string::npos);
}

} // namespace
} // namespace sw::test
