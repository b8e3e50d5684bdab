// SPDX-License-Identifier: GPL-3.0-or-later
// The consistency check names every kind of breach, so that an empty answer means something.
#include "define/MasterData.h"

#include "MasterDataSchool.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "support/TestSupport.h"

#include <functional>

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(MasterDataProblems, TheExampleSchoolsHoldTogether) {
    DiskFileOps disk;
    for (const char* file : {"examples/gymnasium.sch", "examples/grossschule.sch"}) {
        const ProjectReadResult read = OpenProject(test::SourcePath(file), disk);
        ASSERT_TRUE(read.outcome.Ok) << file;
        EXPECT_EQ(MasterDataProblems(read.data), std::vector<std::string>{}) << file;
    }
    EXPECT_EQ(MasterDataProblems(test::MasterSchool()), std::vector<std::string>{});
}

TEST(MasterDataProblems, EveryKindOfBreachIsNamed) {
    const struct {
        const char* what;
        std::function<void(Stammdaten&)> breach;
        std::string expected;
    } cases[] = {
        {"subject twice", [](Stammdaten& d) { d.Faecher.push_back("m"); }, "Fach m: steht zweimal"},
        {"empty class", [](Stammdaten& d) { d.Klassen.push_back(CKlasse{}); },
         "Klasse: leerer Name"},
        {"room twice", [](Stammdaten& d) { d.Raeume.push_back(d.Raeume[0]); },
         "Raum R1: steht zweimal"},
        {"room's subject", [](Stammdaten& d) { d.Raeume[1].Faecher.push_back("LATEIN"); },
         "Raum PH1: Fach LATEIN fehlt"},
        {"room's class", [](Stammdaten& d) { d.Raeume[3].Klasse = "9Z"; },
         "Raum K5A: Klasse 9Z fehlt"},
        {"room type",
         [](Stammdaten& d) {
             d.Raeume[0].FachTyp = {1, 1, 0};
         },
         "Raum R1: Raum - Typ"},
        {"teacher's subject", [](Stammdaten& d) { d.Lehrer[2].Faecher.push_back("X"); },
         "Lehrer KOCH: Fach X fehlt"},
        {"teacher's class", [](Stammdaten& d) { d.Lehrer[2].Klasse = "X"; },
         "Lehrer KOCH: Klasse X fehlt"},
        {"block's teacher",
         [](Stammdaten& d) {
             d.FachBloecke[0].Block.Lehrer = "X";
             d.FachBloecke[0].Key = "X / 5A / M";
         },
         "Unterricht X / 5A / M: Lehrer X fehlt"},
        {"block's key", [](Stammdaten& d) { d.FachBloecke[1].Key = "alt"; },
         "Unterricht alt: Schlüssel passt nicht zu SCHULZ / 5A / D"},
        {"unit's room", [](Stammdaten& d) { d.FachBloecke[0].Block.Einheiten[1].Raum = "WEG"; },
         "Unterricht MEIER / 5A / M: Raum WEG fehlt"},
        {"block's hours", [](Stammdaten& d) { d.FachBloecke[0].Block.BStunden = 3; },
         "Unterricht MEIER / 5A / M: Einheiten ergeben 2 statt 3 Stunden"},
        {"separation group", [](Stammdaten& d) { d.FachBloecke[2].Block.SpezialTrennung = 2; },
         "Unterricht MEIER / 5B / PH: Spezialtrennung 2"},
        {"course subjects", [](Stammdaten& d) { d.KursBloecke[0].Faecher.pop_back(); },
         "Kurs SPORTKURS: nicht ein Fach je Lehrer"},
        {"course teacher", [](Stammdaten& d) { d.KursBloecke[0].Lehrer[1].Name = "X"; },
         "Kurs SPORTKURS: Lehrer X fehlt"},
        {"course teacher twice", [](Stammdaten& d) { d.KursBloecke[0].Lehrer[1].Name = "MEIER"; },
         "Kurs SPORTKURS: Lehrer MEIER zweimal"},
        {"course class", [](Stammdaten& d) { d.KursBloecke[0].Klassen.push_back("9Z"); },
         "Kurs SPORTKURS: Klasse 9Z fehlt"},
        {"course unit shape",
         [](Stammdaten& d) { d.KursBloecke[0].Lehrer[1].Einheiten[0].Zeitvorgabe = 5; },
         "Kurs SPORTKURS: Einheiten von KOCH weichen ab"},
        {"course hours", [](Stammdaten& d) { d.KursBloecke[0].BStunden = 3; },
         "Kurs SPORTKURS: Einheiten ergeben 2 statt 3 Stunden"},
        {"more than the week",
         [](Stammdaten& d) {
             d.FachBloecke[0].Block.BStunden = 41;
             d.FachBloecke[0].Block.Einheiten.assign(41, CEinheit(1, kNoSlot));
         },
         "Unterricht MEIER / 5A / M: 41 Wochenstunden"},
    };
    for (const auto& c : cases) {
        Stammdaten d = test::MasterSchool();
        c.breach(d);
        const std::vector<std::string> problems = MasterDataProblems(d);
        ASSERT_FALSE(problems.empty()) << c.what;
        EXPECT_EQ(problems.front(), c.expected) << c.what;
    }
}

} // namespace
} // namespace sw
