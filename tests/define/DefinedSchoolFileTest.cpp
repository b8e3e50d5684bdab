// SPDX-License-Identifier: GPL-3.0-or-later
// Lessons defined through the editor's calls survive the project file: written and read back,
// the master data is the same, presets and special separations included.
#include "define/LessonEditor.h"

#include "DefineSchool.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(DefinedSchoolFile, LessonsDefinedByTheEditorRoundTripThroughTheProjectFile) {
    Stammdaten data = test::DefineSchool();
    data.Angaben.Nullte = true;
    LessonEditor editor(data);
    CapturingReporter rep; // answers Yes

    ASSERT_TRUE(editor.AddBlock({"MEIER", "5A", "M", ""}, "4", rep));
    ASSERT_TRUE(editor.AddBlock({"SCHULZ", "5A", "D", ""}, "3", rep));
    ASSERT_TRUE(editor.AddBlock({"MEIER", "5B", "PH", ""}, "2", rep));
    ASSERT_TRUE(editor.AddBlock({"SCHULZ", "5B", "M", ""}, "5", rep));
    ASSERT_TRUE(editor.AddBlock({"KOCH", "5B", "", "SPORTKURS"}, "2", rep));

    const AktuellerBlock m = editor.Select(BlockArt::Fach, 0, BlockAnsicht::Lehrer, "MEIER");
    ASSERT_TRUE(editor.Merge(m, {0, 1}, rep));
    Vorgaben v;
    ASSERT_TRUE(editor.SetTime(m, {2}, SlotOf(1, 0), v).Allowed()); // the 0th hour
    ASSERT_TRUE(editor.SetRoom(m, 2, "R1", true, v).Allowed());
    ASSERT_TRUE(editor.SetSeparation(m, false));

    const AktuellerBlock ph = editor.Select(BlockArt::Fach, 2, BlockAnsicht::Klasse, "");
    ASSERT_TRUE(editor.Merge(ph, {0, 1}, rep));
    ASSERT_TRUE(editor.SetRoom(ph, 0, "PH1", true, v).Allowed());
    ASSERT_TRUE(editor.SetTime(ph, {0}, SlotOf(3, 5), v).Allowed());

    const AktuellerBlock kurs = editor.Select(BlockArt::Kurs, 0, BlockAnsicht::Lehrer, "KOCH");
    ASSERT_TRUE(editor.SetTime(kurs, {1}, SlotOf(4, 8), v).Allowed());
    ASSERT_TRUE(editor.SetRoom(kurs, 1, "TH", true, v).Allowed());
    ASSERT_TRUE(
        editor.Split(editor.Select(BlockArt::Fach, 3, BlockAnsicht::Lehrer, "SCHULZ"), {4}, rep));
    // An upper limit, a day restriction, "nur für die Urplan - Erstellung" and a special
    // separation are kept by the file as well.
    const AktuellerBlock d = editor.Select(BlockArt::Fach, 1, BlockAnsicht::Lehrer, "SCHULZ");
    Vorgaben oben;
    editor.ShowUnit(d, 0, oben);
    oben.OberesLimit = true;
    oben.LimitStunde = 3;
    editor.UpperLimitChanged(d, 0, oben);
    Vorgaben tag;
    editor.ShowUnit(d, 1, tag);
    tag.TagesLimit = true;
    tag.Tag = 2;
    editor.DayLimitChanged(d, 1, tag);
    Vorgaben nur;
    editor.ShowUnit(ph, 0, nur);
    nur.NurUrPlan = true;
    editor.InitialPlanOnlyChanged(ph, 0, nur);
    ASSERT_TRUE(editor.AddToSeparation(1, data.FachBloecke[2].Key, ""));
    ASSERT_EQ(data.FachBloecke[1].Block.Einheiten[0].OberesLimit, 1);
    ASSERT_EQ(data.FachBloecke[1].Block.Einheiten[1].Tag, 2);
    ASSERT_EQ(data.FachBloecke[2].Block.Einheiten[0].NurUrPlan, 1);
    ASSERT_EQ(data.FachBloecke[2].Block.SpezialTrennung, 1);
    EXPECT_TRUE(rep.shown.empty());
    ASSERT_EQ(data.KursBloecke[0].Lehrer[0].Einheiten[1].Zeitvorgabe, SlotOf(4, 8));

    test::TempDir dir;
    DiskFileOps disk;
    const std::string path = dir.File("schule.sch");
    const Outcome saved = SaveProject(data, path, disk);
    ASSERT_TRUE(saved.Ok) << (saved.Messages.empty() ? "" : saved.Messages[0].Text);
    const ProjectReadResult read = OpenProject(path, disk);
    ASSERT_TRUE(read.outcome.Ok) << (read.outcome.Messages.empty() ? ""
                                                                   : read.outcome.Messages[0].Text);
    EXPECT_EQ(read.data.FachBloecke, data.FachBloecke);
    EXPECT_EQ(read.data.KursBloecke[0].Lehrer, data.KursBloecke[0].Lehrer);
    EXPECT_EQ(read.data.KursBloecke[0].Klassen, data.KursBloecke[0].Klassen);
    EXPECT_EQ(read.data, data);
}

} // namespace
} // namespace sw
