// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop the window tests and the tours answer through: answers by dialog class, questions
// passed on to the desktop behind it, and answers put back after a step.
#include "tour/AnswerDesktop.h"

#include <QDate>
#include <QDialog>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

using ui::AnswerDesktop;

struct Basis : QDialog {};
struct Abgeleitet : Basis {};

TEST(AnswerDesktop, AnswersADialogByItsClassOrTheClassItDerivesFrom) {
    AnswerDesktop desktop;
    Basis basis;
    Abgeleitet abgeleitet;
    QDialog anderer;
    abgeleitet.setObjectName("Abgeleitet");
    desktop.dialogs.Answer<Basis>([](Basis&) { return true; });
    EXPECT_TRUE(desktop.Run(abgeleitet));
    // The answer for the own class comes before the one for the class it derives from.
    desktop.dialogs.Answer<Abgeleitet>([](Abgeleitet&) { return false; });
    EXPECT_FALSE(desktop.Run(abgeleitet));
    EXPECT_TRUE(desktop.Run(basis));
    // A later answer for a class replaces the earlier one; forgetting it leaves the others.
    desktop.dialogs.Answer<Basis>([](Basis&) { return false; });
    EXPECT_FALSE(desktop.Run(basis));
    desktop.dialogs.Forget<Abgeleitet>();
    EXPECT_FALSE(desktop.Run(abgeleitet));
    desktop.dialogs.Answer<Basis>([](Basis&) { return true; });
    EXPECT_TRUE(desktop.Run(abgeleitet));
    // No answer and nothing behind: refused, never run modally.
    EXPECT_FALSE(desktop.Run(anderer));
    EXPECT_EQ(desktop.dialogsRun.size(), 7u);
    EXPECT_EQ(desktop.dialogsRun[0], "Abgeleitet");
}

TEST(AnswerDesktop, PassesUnansweredQuestionsOnAndRecordsThem) {
    AnswerDesktop dahinter;
    dahinter.file = [](const ui::DateiDialog& d) { return "hinten/" + d.Titel; };
    dahinter.print = [](QTextDocument&, PageOrientation) { return QString("hinten gedruckt"); };
    dahinter.open = [](const QString&) { return true; };
    dahinter.today = [] { return Datum{2027, 1, 4}; };
    dahinter.dialogs.Answer<QDialog>([](QDialog&) { return true; });
    AnswerDesktop vorne(&dahinter);
    QTextDocument doc;
    QDialog dialog;
    ui::DateiDialog frage;
    frage.Titel = "Öffnen";

    EXPECT_EQ(vorne.ChooseFile(nullptr, frage), "hinten/Öffnen");
    EXPECT_EQ(vorne.Print(nullptr, doc, PageOrientation::Portrait), "hinten gedruckt");
    EXPECT_TRUE(vorne.Open("a.docx"));
    EXPECT_EQ(vorne.Today(), (Datum{2027, 1, 4}));
    EXPECT_TRUE(vorne.Run(dialog));
    // Its own answers come first.
    vorne.file = [](const ui::DateiDialog&) { return QString("vorne"); };
    vorne.open = [](const QString&) { return false; };
    vorne.dialogs.Answer<QDialog>([](QDialog&) { return false; });
    EXPECT_EQ(vorne.ChooseFile(nullptr, frage), "vorne");
    EXPECT_FALSE(vorne.Open("b.docx"));
    EXPECT_FALSE(vorne.Run(dialog));
    EXPECT_EQ(vorne.fileDialogs.size(), 2u);
    EXPECT_EQ(vorne.opened, (std::vector<QString>{"a.docx", "b.docx"}));

    // Without anything behind it: cancel, refuse, and the clock's date.
    AnswerDesktop allein;
    EXPECT_EQ(allein.ChooseFile(nullptr, frage), "");
    EXPECT_EQ(allein.Print(nullptr, doc, PageOrientation::Portrait), "");
    EXPECT_FALSE(allein.Open("c.docx"));
    const QDate heute = QDate::currentDate();
    EXPECT_EQ(allein.Today(), (Datum{heute.year(), heute.month(), heute.day()}));
}

TEST(AnswerDesktop, KeptPutsTheAnswersBack) {
    AnswerDesktop desktop;
    desktop.file = [](const ui::DateiDialog&) { return QString("vorher"); };
    QDialog dialog;
    {
        const AnswerDesktop::Kept vorher(desktop);
        desktop.file = [](const ui::DateiDialog&) { return QString("im Schritt"); };
        desktop.open = [](const QString&) { return true; };
        desktop.dialogs.Answer<QDialog>([](QDialog&) { return true; });
        EXPECT_TRUE(desktop.Run(dialog));
    }
    EXPECT_EQ(desktop.ChooseFile(nullptr, {}), "vorher");
    EXPECT_FALSE(desktop.open);
    EXPECT_FALSE(desktop.Run(dialog));
}

} // namespace
} // namespace sw::test
