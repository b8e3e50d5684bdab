// SPDX-License-Identifier: GPL-3.0-or-later
// The whole road of a new school through the windows, from the general settings to the
// substitutions of a day: every step is done with the windows' own controls, and after every
// step nothing unexpected has been said to the user.
#include "UiTestSupport.h"
#include "app/Session.h"
#include "export/DocxReader.h"
#include "substitute/Substitutions.h"
#include "support/TestSupport.h"
#include "tour/NeueSchule.h"
#include "ui/THauptForm.h"
#include "ui/TPlanForm.h"
#include "ui/TVertretungenForm.h"

#include <QFile>
#include <QWidget>

namespace sw::test {
namespace {

bool IstDocx(const QString& pfad) {
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) && f.read(2) == "PK";
}

TEST(NewSchoolRoad, FromTheGeneralSettingsToTheSubstitutions) {
    TempDir dir;
    AnswerReporter rep;
    rep.answer = true; // closing the planning window before reopening the plan file
    AnswerDesktop desktop;
    ui::THauptForm haupt(rep, desktop, QString::fromStdString(dir.Path().string()));
    haupt.show();
    // Messages the road expects: the end of each stage and of the export, the question before
    // the planning window closes. Anything else is a refusal on the way.
    const auto erwartet = [](const Message& m) {
        return m.Title == "Hinweis" || m.Title.empty() ||
               m.Text.rfind("Das Schließen des Planungs-Fensters", 0) == 0;
    };
    std::vector<std::string> schritte;
    int stunden = 0; // lessons to cover when the sheet was written
    const auto meldung = [&](const QString& schritt, QWidget& fenster) {
        schritte.push_back(schritt.toStdString());
        EXPECT_TRUE(fenster.isVisible()) << schritt.toStdString();
        for (const Message& m : rep.shown)
            EXPECT_TRUE(erwartet(m)) << schritt.toStdString() << ": " << m.Title << ": " << m.Text;
        rep.shown.clear();
        if (schritt == "vertretungsplan") stunden = haupt.VertretungenForm().Liste().Stunden();
    };
    const ui::NeueSchuleErgebnis e =
        ui::NeueSchule(haupt, desktop, QString::fromStdString(dir.File("strasse")), 300, meldung);
    ASSERT_TRUE(e.Fehler.isEmpty())
        << e.Fehler.toStdString() << " after " << (schritte.empty() ? "" : schritte.back());

    const std::vector<std::string> alle = {"allgemeine_angaben",
                                           "faecher",
                                           "raeume",
                                           "lehrer",
                                           "klassen",
                                           "kurs",
                                           "unterricht",
                                           "urplan",
                                           "stufe_1",
                                           "stufe_2",
                                           "stufe_3",
                                           "stufe_4",
                                           "stufe_5",
                                           "gitter_verschieben",
                                           "gitter_verschoben",
                                           "gitter_rueckgaengig",
                                           "plan_gespeichert",
                                           "plan_geoeffnet",
                                           "ausgabe",
                                           "vertretungen_ermittelt",
                                           "vertretung_fuer",
                                           "vertretungen_gewaehlt",
                                           "vertretungsplan"};
    EXPECT_EQ(schritte, alle);
    EXPECT_EQ(e.Schritte, static_cast<int>(alle.size()));

    // The plan that came back from the file is complete and shown in the planning window.
    const CPlan* plan = haupt.Sitzung().Plan();
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->PlacedCount(), static_cast<int>(plan->StundenL.size()));
    EXPECT_EQ(plan->StundenL.size(), 2u * (4 + 4 + 3 + 2) + 2u * 2);
    EXPECT_TRUE(haupt.PlanForm().isVisible());
    EXPECT_TRUE(IstDocx(e.Plaene));
    // The sheet: the two absent teachers, a table row per lesson, the chosen substitute and the
    // cancelled lesson.
    const ReadDocx blatt = ReadDocxFile(e.Vertretungsplan.toStdString());
    ASSERT_TRUE(blatt.Opened);
    std::string text;
    for (const ReadParagraph& p : blatt.Paragraphs())
        text += p.Text + "|";
    EXPECT_NE(text.find("Fehlende Lehrer:"), std::string::npos) << text;
    EXPECT_NE(text.find("SCHULZ|WEBER|"), std::string::npos) << text;
    ASSERT_EQ(blatt.Tables().size(), 1u);
    const ReadTable tabelle = blatt.Tables()[0];
    EXPECT_EQ(tabelle.Rows(), static_cast<std::size_t>(stunden) + 1);
    int ausfall = 0, offen = 0;
    for (std::size_t r = 2; r <= tabelle.Rows(); ++r) {
        ausfall += tabelle.At(static_cast<int>(r), 2) == "AUSFALL";
        offen += tabelle.At(static_cast<int>(r), 2) == " ";
    }
    EXPECT_EQ(ausfall, 1);
    EXPECT_EQ(offen, stunden - 2);
    // The absence ticks stay with the teachers.
    EXPECT_EQ(AbwesendeLehrer(*plan).size(), 2u);
    EXPECT_TRUE(rep.asked.size() >= 1u);
    // The road's answers for the file choice and the viewer do not outlive it.
    EXPECT_FALSE(desktop.file);
    EXPECT_FALSE(desktop.open);
    haupt.PlanForm().close();
}

} // namespace
} // namespace sw::test
