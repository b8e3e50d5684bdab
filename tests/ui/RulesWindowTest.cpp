// SPDX-License-Identifier: GPL-3.0-or-later
// The rules in the windows: the pages "Regeln" of the teacher and class dialogs, the breaks of
// the general settings and the rules and relations of a block in the lesson window. Each sets a
// rule through the controls and looks at the master data; a refused value changes nothing.
#include "UiTestSupport.h"
#include "app/Session.h"
#include "define/GeneralSettings.h"
#include "support/School.h"
#include "ui/BlockRegelnSeite.h"
#include "ui/SlotGitter.h"
#include "ui/TAllgemeineAngabenForm.h"
#include "ui/THilfeForm.h"
#include "ui/TKlassenForm.h"
#include "ui/TLehrerForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace sw::test {
namespace {

class RulesWindows : public ::testing::Test {
protected:
    RulesWindows() : session(rep) {
        session.Stamm() = MakeSchool(5, 8, 2, 2, 2, 2);
        AddBlock(session.Stamm(), "L0", "K0", "F0", {1, 1});
        AddBlock(session.Stamm(), "L1", "K1", "F1", {1, 1});
        AddBlock(session.Stamm(), "L1", "K0", "F0", {1, 1, 1});
    }
    void Setzen(QWidget& w, const char* feld, int wert) { Find<QSpinBox>(w, feld)->setValue(wert); }
    AnswerReporter rep;
    AnswerDesktop desktop;
    Session session;
};

TEST_F(RulesWindows, TeacherAndClassPagesSetRulesOrKeepEverything) {
    ui::TLehrerForm lehrer(session, rep, desktop);
    lehrer.Oeffnen();
    Find<QComboBox>(lehrer, "LehrerCoBox")->setCurrentIndex(1);
    // "—" is the lowest value: no rule.
    EXPECT_EQ(Find<QSpinBox>(lehrer, "MaxStundenProTagSE")->text(), "—");
    Setzen(lehrer, "MaxStundenProTagSE", 5);
    Setzen(lehrer, "FensterVonSE", 7);
    Setzen(lehrer, "FensterBisSE", 8);
    Setzen(lehrer, "FensterMaxTageSE", 2);
    Find<QPushButton>(lehrer, "RegelnUebernehmenBtn")->click();
    CLehrerRegeln soll;
    soll.MaxStundenProTag = 5;
    soll.FensterVon = 7;
    soll.FensterBis = 8;
    soll.FensterMaxTage = 2;
    EXPECT_EQ(session.Stamm().Lehrer[1].Regeln, soll);
    EXPECT_TRUE(rep.shown.empty());

    const Stammdaten vorher = session.Stamm();
    const auto aenderungen = session.Stamm().Aenderungen.Value();
    Setzen(lehrer, "MinStundenProTagSE", 6);
    Find<QPushButton>(lehrer, "RegelnUebernehmenBtn")->click();
    ASSERT_EQ(rep.shown.size(), 1U);
    EXPECT_EQ(rep.shown[0].Text, "Die Regel „mindestens 6 Stunden am Tag“ des Lehrers „L1“ kann "
                                 "nie erfüllt werden: höchstens 5 sind erlaubt.");
    EXPECT_EQ(session.Stamm(), vorher);
    EXPECT_EQ(session.Stamm().Aenderungen.Value(), aenderungen);
    // What was typed stays, to be corrected.
    EXPECT_EQ(Find<QSpinBox>(lehrer, "MinStundenProTagSE")->value(), 6);

    ui::TKlassenForm klassen(session, rep, desktop);
    klassen.Oeffnen();
    EXPECT_EQ(klassen.findChild<QSpinBox*>("MaxTageSE"), nullptr); // a teacher's rule only
    Setzen(klassen, "MaxLueckenProTagSE", 0);
    Setzen(klassen, "MaxInFolgeSE", 4);
    Find<QPushButton>(klassen, "RegelnUebernehmenBtn")->click();
    EXPECT_EQ(session.Stamm().Klassen[0].Regeln.MaxLueckenProTag, 0);
    EXPECT_EQ(session.Stamm().Klassen[0].Regeln.MaxInFolge, 4);
    // Back to "—": the rule goes.
    Setzen(klassen, "MaxInFolgeSE", Find<QSpinBox>(klassen, "MaxInFolgeSE")->minimum());
    Find<QPushButton>(klassen, "RegelnUebernehmenBtn")->click();
    EXPECT_EQ(session.Stamm().Klassen[0].Regeln.MaxInFolge, kKeineRegel);
    EXPECT_EQ(rep.shown.size(), 1U);

    // Plan mode: the rules are shown, not changed.
    klassen.SetEditable(false);
    EXPECT_FALSE(Find<QPushButton>(klassen, "RegelnUebernehmenBtn")->isEnabled());
}

TEST_F(RulesWindows, BreaksAreClickedInTheGeneralSettings) {
    ui::THilfeForm hilfe;
    ui::TAllgemeineAngabenForm dlg(rep, hilfe);
    session.Stamm().Angaben.Pausen = {SlotOf(0, 6)};
    dlg.Laden(session.Stamm().Angaben);
    auto* gitter = Find<ui::SlotGitter>(dlg, "PausenG");
    EXPECT_EQ(gitter->item(5, 0)->text(), "X");
    // Column: day, row: hour (from the 1st).
    emit gitter->cellClicked(2, 1); // Tuesday 3rd hour
    emit gitter->cellClicked(5, 0); // Monday 6th hour: taken away
    ASSERT_TRUE(ApplyGeneralSettings(session.Stamm(), dlg.Werte(), false, rep));
    EXPECT_EQ(session.Stamm().Angaben.Pausen, std::vector<int>{SlotOf(1, 3)});

    // Monday 2nd hour holds a fixed unit: the break is refused and nothing changes.
    session.Stamm().FachBloecke[0].Block.Einheiten[0].Zeitvorgabe = SlotOf(0, 2);
    const Stammdaten vorher = session.Stamm();
    emit gitter->cellClicked(1, 0);
    EXPECT_FALSE(ApplyGeneralSettings(session.Stamm(), dlg.Werte(), false, rep));
    ASSERT_EQ(rep.shown.size(), 1U);
    EXPECT_EQ(rep.shown[0].Text, "Die Regel „Pause Mo 2“ der Schule kann nie erfüllt werden: eine "
                                 "Einheit (Unterricht „L0 / K0 / F0“) ist dann festgelegt.");
    EXPECT_EQ(session.Stamm(), vorher);
}

TEST_F(RulesWindows, BlockRulesAndRelationsInTheLessonWindow) {
    ui::BlockRegelnSeite seite(session, rep, desktop);
    seite.Zeigen({BlockArt::Fach, 0});
    seite.Zeiten().Umschalten(SlotOf(0, 1));
    seite.Zeiten().Umschalten(SlotOf(2, 1));
    seite.Abstand()->setValue(2);
    seite.Tagesende()->setChecked(true);
    Find<QPushButton>(seite, "BlockRegelnUebernehmenBtn")->click();
    const CBlockRegeln soll{{SlotOf(0, 1), SlotOf(2, 1)}, 2, 1};
    EXPECT_EQ(session.Stamm().FachBloecke[0].Block.Regeln, soll);

    // Five days apart: two units do not fit in a week of five days.
    const Stammdaten vorher = session.Stamm();
    seite.Abstand()->setValue(5);
    Find<QPushButton>(seite, "BlockRegelnUebernehmenBtn")->click();
    ASSERT_EQ(rep.shown.size(), 1U);
    EXPECT_EQ(rep.shown[0].Text,
              "Die Regel „Einheiten mindestens 5 Tage auseinander“ (Unterricht „L0 / K0 / F0“) "
              "kann nie erfüllt werden: 2 Einheiten passen so nicht in 5 Tage.");
    EXPECT_EQ(session.Stamm(), vorher);

    // A relation with the other block of two units; the one of three is refused.
    bool zweiter = false;
    desktop.dialogs.Answer<ui::TBeziehungForm>([&](ui::TBeziehungForm& d) {
        EXPECT_EQ(d.Bloecke()->count(), 2);
        d.Art()->setCurrentIndex(static_cast<int>(BeziehungsArt::GleicherTag));
        d.Bloecke()->item(zweiter ? 1 : 0)->setCheckState(Qt::Checked);
        return true;
    });
    seite.HinzuClick();
    zweiter = true;
    seite.HinzuClick();
    EXPECT_EQ(rep.shown.size(), 2U);
    ASSERT_EQ(session.Stamm().Beziehungen.size(), 1U);
    EXPECT_EQ(session.Stamm().Beziehungen[0],
              (CBeziehung{BeziehungsArt::GleicherTag, {{0, "L0 / K0 / F0"}, {0, "L1 / K1 / F1"}}}));
    ASSERT_EQ(seite.Beziehungen()->count(), 1);
    EXPECT_EQ(seite.Beziehungen()->item(0)->text(), "am selben Tag: L0 / K0 / F0, L1 / K1 / F1");
    seite.Beziehungen()->setCurrentRow(0);
    Find<QPushButton>(seite, "BeziehungEntfernenBtn")->click();
    EXPECT_TRUE(session.Stamm().Beziehungen.empty());
    EXPECT_EQ(seite.Beziehungen()->count(), 0);
}

} // namespace
} // namespace sw::test
