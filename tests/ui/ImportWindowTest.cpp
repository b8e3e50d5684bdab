// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a school and writing its tables from the main window, and the import report window.
#include "UiTestSupport.h"
#include "support/School.h"
#include "support/TestSupport.h"
#include "ui/THauptForm.h"
#include "ui/TImportBerichtForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace sw::test {
namespace {

using ui::DateiDialog;
using ui::TImportBerichtForm;

class Import : public ::testing::Test {
protected:
    Import() : haupt(rep, desktop, QString::fromStdString(dir.Path().string())) {
        desktop.file = [this](const DateiDialog& d) {
            dialoge.push_back(d);
            return datei;
        };
        bericht.Source = dir.File("schule.fet");
        bericht.AddCount(ImportFate::Uebernommen, "Lehrer", 3);
        bericht.Add(ImportFate::Weggelassen, "ConstraintMinDaysBetweenActivities", "fehlt");
    }
    void Befehl(const char* text, const std::string& antwort) {
        datei = QString::fromStdString(antwort);
        haupt.Befehl(QString::fromUtf8(text))->trigger();
    }

    TempDir dir;
    AnswerReporter rep;
    AnswerDesktop desktop;
    ui::THauptForm haupt;
    ImportReport bericht;
    QString datei;
    std::vector<DateiDialog> dialoge;
};

// "Importieren..." follows "Ö&ffnen..." and offers FET files and tables in one dialog. The table
// export waits for master data and asks for a folder.
TEST_F(Import, TheFileMenuImportsAndWritesTables) {
    QStringList menue;
    for (QAction* a : haupt.menuBar()->actions().value(0)->menu()->actions())
        menue << a->text();
    EXPECT_EQ(menue.mid(menue.indexOf(QString::fromUtf8("Ö&ffnen...")), 5),
              QStringList({QString::fromUtf8("Ö&ffnen..."), "Importieren...", "&Speichern",
                           "Speichern &unter...", "Stammdaten als Tabellen exportieren..."}));
    QAction* tabellen = haupt.Befehl("Stammdaten als Tabellen exportieren...");
    EXPECT_FALSE(tabellen->isEnabled());
    Befehl("Ö&ffnen...", SourcePath("examples/gymnasium.sch"));
    EXPECT_TRUE(tabellen->isEnabled());

    Befehl("Importieren...", "");
    EXPECT_EQ(dialoge.back().Titel, "Importieren");
    EXPECT_EQ(dialoge.back().Filter,
              QString::fromUtf8("FET-Dateien (*.fet);;Tabellen – eine Datei des Ordners wählen "
                                "(*.csv)"));
    EXPECT_TRUE(rep.shown.empty());

    Befehl("Stammdaten als Tabellen exportieren...", dir.Path().string());
    EXPECT_TRUE(dialoge.back().NurOrdner);
    EXPECT_EQ(dialoge.back().Titel, "Stammdaten als Tabellen exportieren");
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_NE(rep.shown[0].Text.find(dir.Path().string()), std::string::npos);
}

// After an import the new school is open, marked unsaved, and its report is shown.
TEST_F(Import, AnImportedSchoolIsShownWithItsReport) {
    ImportResult gelesen{{}, MakeSchool(5, 6, 2, 3, 2, 2), bericht};
    QString gezeigt;
    desktop.dialogs.Answer<TImportBerichtForm>([&](TImportBerichtForm& f) {
        gezeigt = f.Text();
        return true;
    });
    haupt.Importiert(*haupt.Sitzung().ImportUebernehmen(gelesen));
    EXPECT_EQ(gezeigt, QString::fromStdString(bericht.Text()));
    EXPECT_EQ(haupt.windowTitle(), "Plan : *");
    EXPECT_TRUE(haupt.Befehl("&Lehrer")->isEnabled());
}

// The report window shows the report read-only; "Bericht speichern..." writes it into the file
// named (beside the source by default), a failure is shown; "OK" closes the window.
TEST_F(Import, TheReportWindowShowsAndSavesTheReport) {
    TImportBerichtForm f(rep, desktop, DefaultFileOps(), &haupt);
    f.Fuellen(bericht);
    auto* text = Find<QPlainTextEdit>(f, "BerichtRE");
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText(), QString::fromStdString(bericht.Text()));
    auto* speichern = Find<QPushButton>(f, "SpeichernBtn");
    EXPECT_EQ(speichern->text(), "Bericht speichern...");
    datei = QString::fromStdString(dir.File("bericht.txt"));
    speichern->click();
    EXPECT_EQ(dialoge.back().Ordner, QString::fromStdString(dir.Path().string()));
    EXPECT_EQ(ReadFileBytes(dir.File("bericht.txt")), bericht.Text());
    datei = QString::fromStdString(dir.File("fehlt/bericht.txt"));
    speichern->click();
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(
        rep.shown[0].Text.rfind("Fehler beim Speichern der Datei:\n" + datei.toStdString(), 0), 0u);
    f.show();
    Find<QPushButton>(f, "OKBtn")->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

} // namespace
} // namespace sw::test
