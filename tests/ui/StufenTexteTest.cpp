// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StufenTexte.h"

#include <gtest/gtest.h>

namespace sw::ui {
namespace {

TEST(StufenTexte, CaptionsAndCurves) {
    EXPECT_STREQ(TexteVon(Stage::KlassenLuecken, false).Button,
                 "2. Klassen - Leerstunden - Minimierung");
    EXPECT_STREQ(TexteVon(Stage::LehrerLuecken, false).Status,
                 "Planung : Lehrer - Leerstunden minimieren");
    EXPECT_STREQ(TexteVon(Stage::LehrerVerteilung, false).Tab, "6. Verteilung(Lehrer)");
    EXPECT_STREQ(TexteVon(Stage::KlassenVerteilung, true).Status, "Planung : Böse Mixen 2");
    EXPECT_STREQ(TexteVon(Stage::LehrerVerteilung, true).Status,
                 "Planung : Klassenstunden - Austausch");
    // Every row of the stage table has its texts; a curve is named by the goal-list item it
    // follows, and a "Mischen" curve says so.
    for (const StageRow& row : kStageTable) {
        const StufenText& t = TexteVon(row);
        ASSERT_EQ(t.Stage, row.Stage);
        ASSERT_EQ(t.Mix, row.Mix);
        EXPECT_EQ(std::string(t.Button) == "Mischen", row.Mix) << t.Status;
        if (row.GoalsFromList) continue;
        ASSERT_LT(static_cast<std::size_t>(row.Curve), kZieleListe.size());
        const std::string name = kZieleListe[static_cast<std::size_t>(row.Curve)];
        EXPECT_EQ(t.CurveName, row.Mix ? "Mischen: " + name : name) << t.Status;
    }
}

TEST(StufenTexte, PassLabelsGoalListAndCountField) {
    PassReport report;
    report.Pass = 3;
    report.Exchanges = 41;
    const std::pair<PassCount, const char*> labels[] = {{PassCount::None, ""},
                                                        {PassCount::Exchanges, "41"},
                                                        {PassCount::Passes, "2"},
                                                        {PassCount::Iteration, "Iteration 2"}};
    for (const auto& [label, text] : labels)
        EXPECT_EQ(PassLabelText(label, report), text);
    EXPECT_STREQ(PassLabelCaption(PassCount::Exchanges), "Austausche:");
    EXPECT_STREQ(PassLabelCaption(PassCount::Passes), "Durchgang:");
    EXPECT_STREQ(PassLabelCaption(PassCount::Iteration), "");

    EXPECT_EQ(ZieleAusListe({true, true, true, true, true, true, true}),
              (GoalSet{Ziel::KlassenLuecken, Ziel::KlassenVerteilung, Ziel::Trennungsfehler,
                       Ziel::Spezialtrennungsfehler, Ziel::LehrerLuecken,
                       Ziel::LehrerLueckenMaximum, Ziel::LehrerVerteilung}));
    EXPECT_EQ(ZieleAusListe({false, false, false, false, false, true, false}),
              GoalSet{Ziel::LehrerLueckenMaximum});
    EXPECT_EQ(std::string(kZieleListe[3]), "Spezialtrennungsfehler");

    for (const auto& [text, count] :
         {std::pair<const char*, int>{"abc", 1000}, {"", 1000}, {"25", 25}, {"12x", 1000}})
        EXPECT_EQ(AttemptCountFromText(text), count) << text;
    EXPECT_EQ(VersucheText({.Versuche = 3, .Rest = 1, .Konflikt = {}}), "3 Versuche / Rest = 1");
    EXPECT_EQ(KonfliktTitel({}), "Konflikt:");
    EXPECT_EQ(KonfliktTitel({.Kind = Konflikt::ErsteStunde}), "Konflikt:  Erste Stunde");
}

} // namespace
} // namespace sw::ui
