// SPDX-License-Identifier: GPL-3.0-or-later
#include "define/LessonEditor.h"

#include "DefineSchool.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using test::DefineSchool;

class LessonEditorTest : public ::testing::Test {
protected:
    Stammdaten data = DefineSchool();
    LessonEditor editor{data};
    CapturingReporter rep;

    bool Add(const std::string& lehrer, const std::string& klasse, const std::string& fach,
             const std::string& stunden) {
        return editor.AddBlock({lehrer, klasse, fach, ""}, stunden, rep);
    }
    AktuellerBlock Kurs(BlockAnsicht ansicht = BlockAnsicht::Lehrer, const char* lehrer = "MEIER") {
        return editor.Select(BlockArt::Kurs, 0, ansicht, lehrer);
    }
};

// --- Adding blocks -----------------------------------------------------------------------------

TEST_F(LessonEditorTest, HoursAreAcceptedUpToDaysTimesHoursAndRefusedAbove) {
    EXPECT_FALSE(Add("MEIER", "5A", "M", "41"));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0],
              (Message{"Die StundenZahl für einen Unterrichts - Block kann nur zwischen 1 und "
                       "40 liegen!",
                       "Fehler"}));
    EXPECT_FALSE(Add("MEIER", "5A", "M", "0"));
    EXPECT_EQ(rep.shown.size(), 2u);
    EXPECT_TRUE(data.FachBloecke.empty());
    EXPECT_TRUE(Add("MEIER", "5A", "M", "40"));
    ASSERT_EQ(data.FachBloecke.size(), 1u);
    EXPECT_EQ(data.FachBloecke[0].Block.BStunden, 40);
}

TEST_F(LessonEditorTest, TheZerothHourDoesNotWidenTheHoursRange) {
    data.Angaben.Nullte = true;
    EXPECT_FALSE(Add("MEIER", "5A", "M", "41"));
    EXPECT_NE(rep.shown.at(0).Text.find("zwischen 1 und 40 liegen!"), std::string::npos);
}

TEST_F(LessonEditorTest, AHoursTextThatIsNoNumberIsNamed) {
    EXPECT_FALSE(Add("MEIER", "5A", "M", "4x"));
    EXPECT_FALSE(Add("MEIER", "5A", "M", ""));
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[0], (Message{"4x ist keine gültige Zahl", "Fehler"}));
    EXPECT_EQ(rep.shown[1].Text, " ist keine gültige Zahl");
    EXPECT_TRUE(data.FachBloecke.empty());
}

TEST_F(LessonEditorTest, ANewBlockHasOneUnitPerHourAndSeparation) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "4"));
    ASSERT_EQ(data.FachBloecke.size(), 1u);
    const Unterricht& u = data.FachBloecke[0];
    EXPECT_EQ(u.Key, "MEIER / 5A / M");
    EXPECT_EQ(u.Block.Trennung, 1);
    EXPECT_EQ(u.Block.SpezialTrennung, -1);
    ASSERT_EQ(u.Block.Einheiten.size(), 4u);
    for (const CEinheit& e : u.Block.Einheiten)
        EXPECT_EQ(e, CEinheit(1, kNoSlot));
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_TRUE(rep.asked.empty());
}

TEST_F(LessonEditorTest, TheSameBlockTwiceIsRefused) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "4"));
    EXPECT_FALSE(Add("MEIER", "5A", "M", "2"));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Block ist bereits vorhanden", "Fehler"}));
    EXPECT_EQ(data.FachBloecke.size(), 1u);
}

TEST_F(LessonEditorTest, AnotherTeacherForTheClassAndSubjectIsAskedAboutOnce) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "4"));
    CapturingReporter no(false);
    EXPECT_FALSE(editor.AddBlock({"SCHULZ", "5A", "M", ""}, "3", no));
    ASSERT_EQ(no.asked.size(), 1u);
    EXPECT_EQ(no.asked[0].Text, "Das Fach M wurde bereits vergeben.\nDiesen Block trotzdem "
                                "einfügen?");
    EXPECT_EQ(data.FachBloecke.size(), 1u);
    // Yes adds it; a third teacher is asked once although two blocks match.
    EXPECT_TRUE(Add("SCHULZ", "5A", "M", "3"));
    EXPECT_TRUE(Add("KOCH", "5A", "M", "1"));
    EXPECT_EQ(rep.asked.size(), 2u);
    EXPECT_EQ(data.FachBloecke.size(), 3u);
    // Another class with the same subject asks nothing.
    EXPECT_TRUE(Add("MEIER", "5B", "M", "4"));
    EXPECT_EQ(rep.asked.size(), 2u);
}

TEST_F(LessonEditorTest, AClassJoinsACourseOnceAndAMissingCourseIsReported) {
    const BlockAnfrage anfrage{"MEIER", "5B", "", "SPORTKURS"};
    const std::optional<BlockDialog> dialog = editor.OpenBlockDialog(anfrage, rep);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(*dialog, (BlockDialog{"MEIER", "5B", "SPORTKURS", "2", false}));
    EXPECT_TRUE(editor.AddBlock(anfrage, dialog->Stunden, rep));
    EXPECT_EQ(data.KursBloecke[0].Klassen, (std::vector<std::string>{"5A", "5B"}));
    EXPECT_FALSE(editor.AddBlock(anfrage, "2", rep));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Diese Klasse hat bereits den Kurs SPORTKURS", "Fehler"}));

    EXPECT_FALSE(editor.OpenBlockDialog({"MEIER", "5B", "", "GIBTESNICHT"}, rep));
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[1], (Message{"Scheiß Fehler 0815!", "Velmorak - Fehler"}));
}

TEST_F(LessonEditorTest, AnIncompleteRequestDoesNothingAndSaysNothing) {
    EXPECT_FALSE(editor.OpenBlockDialog({"MEIER", "", "M", ""}, rep));
    EXPECT_FALSE(editor.OpenBlockDialog({"MEIER", "5A", "", ""}, rep));
    EXPECT_FALSE(editor.AddBlock({"NIEMAND", "5A", "M", ""}, "2", rep));
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_TRUE(data.FachBloecke.empty());
    const std::optional<BlockDialog> dialog = editor.OpenBlockDialog({"MEIER", "5A", "M", ""}, rep);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(*dialog, (BlockDialog{"MEIER", "5A", "M", "", true}));
}

// --- The block page ----------------------------------------------------------------------------

TEST_F(LessonEditorTest, TheViewsListTheirBlocksAndSumTheHours) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "3"));
    ASSERT_TRUE(Add("SCHULZ", "5A", "D", "2"));
    ASSERT_TRUE(Add("MEIER", "5B", "PH", "1"));

    const BlockSeite klasse = editor.View(BlockAnsicht::Klasse, -1, 0);
    EXPECT_TRUE(klasse.Gezeigt);
    EXPECT_EQ(klasse.Titel, "Unterricht   5A");
    EXPECT_EQ(klasse.FachBloecke,
              (std::vector<BlockZeile>{{"MEIER / 5A / M", 3, 0}, {"SCHULZ / 5A / D", 2, 1}}));
    EXPECT_EQ(klasse.KursBloecke, (std::vector<BlockZeile>{{"SPORTKURS", 2, 0}}));
    EXPECT_EQ(klasse.Summe, " 5 Normal-Stunden + 2 Kurs-Stunden = 7");

    const BlockSeite lehrer = editor.View(BlockAnsicht::Lehrer, 0, -1);
    EXPECT_EQ(lehrer.Titel, "Unterricht   MEIER");
    EXPECT_EQ(lehrer.FachBloecke,
              (std::vector<BlockZeile>{{"MEIER / 5A / M", 3, 0}, {"MEIER / 5B / PH", 1, 2}}));
    EXPECT_EQ(lehrer.Summe, " 4 Normal-Stunden + 2 Kurs-Stunden = 6");

    EXPECT_FALSE(editor.View(BlockAnsicht::Lehrer, -1, 0).Gezeigt);
    EXPECT_FALSE(editor.View(BlockAnsicht::Klasse, 0, 7).Gezeigt);
}

TEST_F(LessonEditorTest, ATeachersSubjectsAndCoursesWithHisSubjectInEach) {
    data.KursBloecke[0].Faecher = {"SPORT", "M"};
    EXPECT_EQ(editor.TeacherSubjects(1), (std::vector<std::string>{"D", "M"}));
    EXPECT_EQ(editor.TeacherCourses(2), (std::vector<KursZeile>{{"SPORTKURS", "M", 0}}));
    EXPECT_TRUE(editor.TeacherCourses(1).empty());
    EXPECT_TRUE(editor.TeacherSubjects(3).empty());
}

// --- Removing blocks and separation ------------------------------------------------------------

TEST_F(LessonEditorTest, RemovingACourseIsRefusedInTheTeacherViewAndTakesTheClassInTheClassView) {
    data.KursBloecke[0].Klassen = {"5A", "5B"};
    EXPECT_FALSE(editor.RemoveBlock(Kurs(BlockAnsicht::Lehrer), "5A", rep));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Die Zuordnung eines Lehrers zu einem Kurs kann nicht in "
                                     "diesem Dialogfeld gelöscht werden.",
                                     "Hinweis"}));
    EXPECT_EQ(data.KursBloecke[0].Klassen.size(), 2u);

    EXPECT_TRUE(editor.RemoveBlock(Kurs(BlockAnsicht::Klasse), "5A", rep));
    ASSERT_EQ(data.KursBloecke.size(), 1u);
    EXPECT_EQ(data.KursBloecke[0].Klassen, (std::vector<std::string>{"5B"}));
    EXPECT_FALSE(editor.RemoveBlock(Kurs(BlockAnsicht::Klasse), "5A", rep));
}

TEST_F(LessonEditorTest, RemovingASubjectBlockInEitherView) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "3"));
    ASSERT_TRUE(Add("SCHULZ", "5A", "D", "2"));
    const AktuellerBlock first = editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, "MEIER");
    EXPECT_TRUE(editor.RemoveBlock(first, "", rep));
    ASSERT_EQ(data.FachBloecke.size(), 1u);
    EXPECT_EQ(data.FachBloecke[0].Key, "SCHULZ / 5A / D");
    EXPECT_FALSE(
        editor.RemoveBlock(editor.Select(BlockArt::Fach, 1, BlockAnsicht::Klasse, ""), "5A", rep));
    EXPECT_FALSE(editor.RemoveBlock(AktuellerBlock{BlockArt::Fach, 5}, "", rep));
    EXPECT_EQ(data.FachBloecke.size(), 1u);
    EXPECT_TRUE(rep.shown.empty());
}

TEST_F(LessonEditorTest, SeparationIsWrittenToTheCurrentBlock) {
    const AktuellerBlock kurs = Kurs();
    EXPECT_TRUE(editor.Separation(kurs));
    EXPECT_TRUE(editor.SetSeparation(kurs, false));
    EXPECT_EQ(data.KursBloecke[0].Trennung, 0);
    EXPECT_FALSE(editor.SetSeparation(kurs, false));
    EXPECT_FALSE(editor.SetSeparation(AktuellerBlock{}, true));
}

// --- Selection and the units page --------------------------------------------------------------

TEST_F(LessonEditorTest, ACourseShowsTheTeachersUnitsInTheTeacherViewAndTheFirstInTheClassView) {
    EXPECT_EQ(Kurs(BlockAnsicht::Lehrer, "KOCH").LehrerPos, 1);
    EXPECT_EQ(Kurs(BlockAnsicht::Klasse, "KOCH").LehrerPos, 0);
    EXPECT_EQ(Kurs(BlockAnsicht::Lehrer, "SCHULZ").LehrerPos, -1);
    EXPECT_EQ(editor.Select(BlockArt::Kurs, 1, BlockAnsicht::Lehrer, "MEIER"), AktuellerBlock{});
    EXPECT_EQ(editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, "MEIER"), AktuellerBlock{});
}

TEST_F(LessonEditorTest, TheUnitsPageNeedsABlock) {
    EXPECT_FALSE(editor.CanOpenUnits(AktuellerBlock{}, rep));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Sie müssen zuerst einen Block markieren,\num für diesen "
                                     "die Einheiten definieren zu können.",
                                     "Hinweis"}));
    EXPECT_TRUE(editor.CanOpenUnits(Kurs(), rep));
}

TEST_F(LessonEditorTest, UnitsPageCaptionsHaveFourBlanks) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "2"));
    EXPECT_EQ(editor.UnitsCaption(editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, ""), ""),
              "Unterricht    MEIER / 5A / M");
    EXPECT_EQ(editor.UnitsCaption(editor.Select(BlockArt::Fach, 0, BlockAnsicht::Klasse, ""), ""),
              "Unterricht    5A / MEIER / M");
    EXPECT_EQ(editor.UnitsCaption(Kurs(BlockAnsicht::Lehrer, "KOCH"), "5A"),
              "Unterricht    KOCH : SPORTKURS (Kurs) : SPORT");
    EXPECT_EQ(editor.UnitsCaption(Kurs(BlockAnsicht::Klasse), "5A"),
              "Unterricht    5A : SPORTKURS (Kurs)");
}

TEST_F(LessonEditorTest, UnitLinesOfASubjectBlockAndOfACourseInBothViews) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "2"));
    data.FachBloecke[0].Block.Einheiten[1].Raum = "R1";
    EXPECT_EQ(
        editor.Units(editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, "")),
        (std::vector<EinheitZeile>{{"MEIER / 5A / M", "1", ""}, {"MEIER / 5A / M", "1", "R1"}}));

    CKursBlock& k = data.KursBloecke[0];
    k.Lehrer.push_back(CKursLehrer{"SCHULZ", k.Lehrer[0].Einheiten});
    k.Faecher.push_back("M");
    k.Lehrer[0].Einheiten[0].Raum = "R1";
    k.Lehrer[2].Einheiten[0].Raum = "TH";
    EXPECT_EQ(editor.Units(Kurs(BlockAnsicht::Lehrer, "SCHULZ")),
              (std::vector<EinheitZeile>{{"SPORTKURS", "1", "TH"}, {"SPORTKURS", "1", ""}}));
    // Each room followed by ", ", an empty one as "-,", the last character cut off.
    EXPECT_EQ(
        editor.Units(Kurs(BlockAnsicht::Klasse)),
        (std::vector<EinheitZeile>{{"SPORTKURS", "1", "R1, -,TH,"}, {"SPORTKURS", "1", "-,-,-"}}));
}

// --- Merge, split and deleting rooms and times -------------------------------------------------

TEST_F(LessonEditorTest, MergeOneAndTwoGivesThreeAtTheEndAndSplitGivesThreeSingles) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "4"));
    const AktuellerBlock b = editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, "MEIER");
    ASSERT_TRUE(editor.Merge(b, {1, 2}, rep));
    ASSERT_TRUE(editor.Merge(b, {2, 1}, rep)); // 1 + 2
    std::vector<CEinheit>& units = data.FachBloecke[0].Block.Einheiten;
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[0].Laenge, 1);
    EXPECT_EQ(units[1], CEinheit(3, kNoSlot));

    units[0].Raum = "R1";
    ASSERT_TRUE(editor.Split(b, {1}, rep));
    ASSERT_EQ(units.size(), 4u);
    EXPECT_EQ(units[0].Raum, "R1");
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_EQ(units[i], CEinheit(1, kNoSlot));
    EXPECT_EQ(data.FachBloecke[0].Block.BStunden, 4);
}

TEST_F(LessonEditorTest, MergeAndSplitNeedTheRightNumberOfUnits) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "3"));
    const AktuellerBlock b = editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, "MEIER");
    const std::vector<CEinheit> before = data.FachBloecke[0].Block.Einheiten;
    EXPECT_FALSE(editor.Merge(b, {1}, rep));
    EXPECT_FALSE(editor.Merge(b, {1, 1, 7, -1}, rep)); // one valid unit only
    EXPECT_FALSE(editor.Split(b, {}, rep));
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_FALSE(editor.Split(b, {0, 2}, rep));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Es kann mit einem mal immer nur eine Einheit in "
                                     "Einzeleinheiten zerlegt werden.",
                                     "Hinweis"}));
    EXPECT_EQ(data.FachBloecke[0].Block.Einheiten, before);
}

// Merging could make a unit longer than a day, which no plan can place and no file takes.
TEST_F(LessonEditorTest, MergingIntoAUnitLongerThanADayIsRefused) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "9"));
    const AktuellerBlock b = editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, "MEIER");
    EXPECT_FALSE(editor.Merge(b, {0, 1, 2, 3, 4, 5, 6, 7, 8}, rep));
    EXPECT_EQ(rep.shown.back(), (Message{"Die Einheiten ergäben zusammen eine Einheit von 9 "
                                         "Stunden; ein Tag hat nur 8.",
                                         "Hinweis"}));
    EXPECT_EQ(data.FachBloecke[0].Block.Einheiten.size(), 9u);
    EXPECT_TRUE(editor.Merge(b, {0, 1, 2, 3, 4, 5, 6, 7}, rep));
}

TEST_F(LessonEditorTest, AUnitWithADamagedLengthIsNotSplit) {
    test::AddBlock(data, "MEIER", "5A", "M", 2);
    data.FachBloecke[0].Block.Einheiten[0].Laenge = 0;
    data.FachBloecke[0].Block.Einheiten[1].Laenge = 2000000000;
    const AktuellerBlock b = editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, "MEIER");
    EXPECT_FALSE(editor.Split(b, {0}, rep));
    EXPECT_FALSE(editor.Split(b, {1}, rep));
    EXPECT_EQ(data.FachBloecke[0].Block.Einheiten.size(), 2u);
    data.FachBloecke[0].Block.Einheiten[0].Laenge = 2000000000;
    EXPECT_FALSE(editor.Merge(b, {0, 1}, rep)); // their sum does not fit
    EXPECT_EQ(data.FachBloecke[0].Block.Einheiten.size(), 2u);
}

TEST_F(LessonEditorTest, MergeAndSplitInACourseChangeEveryTeachersList) {
    CKursBlock& k = data.KursBloecke[0];
    k.Lehrer[0].Einheiten.emplace_back(1, kNoSlot);
    k.Lehrer[1].Einheiten.emplace_back(1, kNoSlot);
    k.Lehrer[1].Einheiten[2].Raum = "TH";
    ASSERT_TRUE(editor.Merge(Kurs(BlockAnsicht::Lehrer, "MEIER"), {0, 1}, rep));
    for (const CKursLehrer& l : k.Lehrer) {
        ASSERT_EQ(l.Einheiten.size(), 2u);
        EXPECT_EQ(l.Einheiten[1], CEinheit(2, kNoSlot));
    }
    EXPECT_EQ(k.Lehrer[1].Einheiten[0].Raum, "TH"); // the rest keeps its room
    ASSERT_TRUE(editor.Split(Kurs(BlockAnsicht::Klasse), {1}, rep));
    for (const CKursLehrer& l : k.Lehrer)
        EXPECT_EQ(l.Einheiten.size(), 3u);
}

TEST_F(LessonEditorTest, DeletingRoomsInACourseTouchesTheCurrentTeacherOnly) {
    CKursBlock& k = data.KursBloecke[0];
    k.Lehrer[0].Einheiten[0].Raum = "R1";
    k.Lehrer[1].Einheiten[0].Raum = "TH";
    EXPECT_TRUE(editor.ClearRooms(Kurs(BlockAnsicht::Lehrer, "KOCH"), {0, 9}));
    EXPECT_EQ(k.Lehrer[0].Einheiten[0].Raum, "R1");
    EXPECT_EQ(k.Lehrer[1].Einheiten[0].Raum, "");
    EXPECT_FALSE(editor.ClearRooms(Kurs(BlockAnsicht::Lehrer, "KOCH"), {0}));
}

TEST_F(LessonEditorTest, DeletingATimeClearsEveryPresetAtThePositionOfEveryTeacher) {
    CKursBlock& k = data.KursBloecke[0];
    for (CKursLehrer& l : k.Lehrer) {
        CEinheit& e = l.Einheiten[1];
        e.Zeitvorgabe = 4;
        e.OberesLimit = e.NurUrPlan = e.TagesLimit = 1;
        e.Tag = 2;
        e.Raum = "R1";
    }
    Vorgaben v;
    v.NurUrPlan = v.NurUrPlanAktiv = true;
    v.Kreuze = {3};
    ASSERT_TRUE(editor.ClearTime(Kurs(), 1, v));
    CEinheit expected(1, kNoSlot);
    expected.Raum = "R1";
    for (const CKursLehrer& l : k.Lehrer)
        EXPECT_EQ(l.Einheiten[1], expected);
    EXPECT_FALSE(v.NurUrPlan);
    EXPECT_FALSE(v.NurUrPlanAktiv);
    EXPECT_TRUE(v.Kreuze.empty());
    EXPECT_FALSE(editor.ClearTime(Kurs(), 2, v));
}

// --- Special separations -----------------------------------------------------------------------

TEST_F(LessonEditorTest, SpecialSeparationsOfAClass) {
    ASSERT_TRUE(Add("MEIER", "5A", "M", "3"));
    ASSERT_TRUE(Add("SCHULZ", "5B", "D", "2"));
    EXPECT_TRUE(editor.AddToSeparation(1, "MEIER / 5A / M", ""));
    EXPECT_TRUE(editor.AddToSeparation(1, "", "SPORTKURS"));
    EXPECT_FALSE(editor.AddToSeparation(1, "NIEMAND / 5A / M", "SPORTKURS"));
    EXPECT_FALSE(editor.AddToSeparation(2, "SCHULZ / 5B / D", ""));

    const TrennungsSeite page = editor.Separations(1);
    EXPECT_EQ(page.Titel, "Spezialtrennungen : 5B");
    EXPECT_EQ(page.StundenBloecke, (std::vector<std::string>{"SCHULZ / 5B / D"}));
    EXPECT_TRUE(page.KursBloecke.empty());
    EXPECT_EQ(page.BeteiligtFach, (std::vector<std::string>{"MEIER / 5A / M"}));
    EXPECT_EQ(page.BeteiligtKurs, (std::vector<std::string>{"SPORTKURS"}));
    EXPECT_EQ(editor.Separations(0).KursBloecke, (std::vector<std::string>{"SPORTKURS"}));

    EXPECT_TRUE(editor.RemoveFromSeparation("", "SPORTKURS"));
    EXPECT_FALSE(editor.RemoveFromSeparation("", "GIBTESNICHT"));
    EXPECT_EQ(data.KursBloecke[0].SpezialTrennung, -1);
    EXPECT_EQ(data.FachBloecke[0].Block.SpezialTrennung, 1);
    EXPECT_TRUE(editor.Separations(5).Titel.empty());
}

} // namespace
} // namespace sw
