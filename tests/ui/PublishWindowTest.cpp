// SPDX-License-Identifier: GPL-3.0-or-later
// The planning window's "Veröffentlichen...": the options dialog writes the site of the plan.
#include "UiTestSupport.h"

#include "support/TestSupport.h"
#include "ui/THauptForm.h"
#include "ui/TPlanForm.h"
#include "ui/TVeroeffentlichenForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

namespace sw::test {
namespace {

using ui::TVeroeffentlichenForm;

TEST(PublishWindow, WritesTheChosenPagesAndOffersTheIndex) {
    TempDir dir;
    AnswerReporter rep;
    AnswerDesktop desktop;
    ui::THauptForm haupt(rep, desktop, QString::fromStdString(dir.Path().string()));
    std::vector<QString> gezeigt;
    desktop.file = [](const ui::DateiDialog&) {
        return QString::fromStdString(SourcePath("examples/gymnasium.sch"));
    };
    desktop.open = [&](const QString& p) {
        gezeigt.push_back(p);
        return true;
    };
    haupt.OeffnenClick();
    haupt.Befehl("Stunden&plan")->trigger();
    ui::TPlanForm& plan = haupt.PlanForm();
    plan.SetSeed(11);
    Find<QPushButton>(plan, "StartBtn")->click();

    WriteFileBytes(dir.File("datei"), "x");
    const std::string web = dir.File("web");
    desktop.dialogs.Answer<TVeroeffentlichenForm>([&](TVeroeffentlichenForm& f) {
        // A file where the folder should be: refused, nothing written.
        f.OrdnerFeld().setText(QString::fromStdString(dir.File("datei")));
        Find<QPushButton>(f, "VeroeffentlichenBtn")->click();
        f.OrdnerFeld().setText(QString::fromStdString(web));
        Find<QPushButton>(f, "RaumCLBKeinBtn")->click();
        Find<QPushButton>(f, "VeroeffentlichenBtn")->click();
        return true;
    });
    Find<QPushButton>(plan, "VeroeffentlichenBtn")->click();

    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0].Text, "„" + dir.File("datei") +
                                     "“ ist kein Ordner. Wählen Sie einen Ordner für die "
                                     "veröffentlichten Seiten.");
    const int dateien = haupt.VeroeffentlichenForm().LetztesErgebnis().Dateien;
    ASSERT_EQ(rep.asked.size(), 1u);
    EXPECT_EQ(rep.asked[0].Text, std::to_string(dateien) + " Dateien wurden nach „" + web +
                                     "“ veröffentlicht.\nDie Übersicht (index.html) jetzt im "
                                     "Browser anzeigen?");
    EXPECT_EQ(gezeigt, std::vector<QString>{QString::fromStdString(web + "/index.html")});
    EXPECT_TRUE(std::filesystem::exists(web + "/klasse-5a.html"));
    int raeume = 0;
    for (const auto& e : std::filesystem::directory_iterator(web))
        raeume += e.path().filename().string().starts_with("raum-") ? 1 : 0;
    EXPECT_EQ(raeume, 0);
}

} // namespace
} // namespace sw::test
