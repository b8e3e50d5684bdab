// SPDX-License-Identifier: GPL-3.0-or-later
// Stating the rules of teachers, classes, blocks and the school's breaks, relations between
// blocks, and how relations follow renames and deletions.
#include "define/GeneralSettings.h"
#include "define/LessonEditor.h"
#include "define/MasterData.h"
#include "model/Regeln.h"

#include "MasterDataSchool.h"

#include <functional>
#include <gtest/gtest.h>

namespace sw {
namespace {

using test::MasterSchool;
using test::ScriptedReporter;

// Each refusal names the rule and changes nothing, not even the count of changes; each success
// bumps it once.
TEST(Rules, SetWholeOrRefuseWithTheRulesSentence) {
    CLehrerRegeln lehrer;
    lehrer.MaxStundenProTag = 5;
    lehrer.FensterVon = 7;
    lehrer.FensterBis = 8;
    lehrer.FensterMaxTage = 2;
    CLehrerRegeln lehrerFalsch;
    lehrerFalsch.MaxStundenProTag = 3;
    lehrerFalsch.MinStundenProTag = 4;
    CTagesRegeln klasse;
    klasse.MaxLueckenProWoche = 0;
    CTagesRegeln klasseFalsch;
    klasseFalsch.MaxInFolge = 9;
    const auto teacher = [](const CLehrerRegeln& r) {
        return [r](Stammdaten& d, Reporter& rep) {
            return MasterDataEditor(d).SetTeacherRules(0, r, rep).Geaendert;
        };
    };
    const auto klass = [](const CTagesRegeln& r) {
        return [r](Stammdaten& d, Reporter& rep) {
            return MasterDataEditor(d).SetClassRules(1, r, rep).Geaendert;
        };
    };
    const auto breaks = [](std::vector<int> p) {
        return [p](Stammdaten& d, Reporter& rep) {
            return MasterDataEditor(d).SetBreaks(p, rep).Geaendert;
        };
    };
    const auto block = [](int index, const CBlockRegeln& r) {
        return [index, r](Stammdaten& d, Reporter& rep) {
            return LessonEditor(d).SetBlockRules({BlockArt::Fach, index}, r, rep);
        };
    };
    const struct {
        std::function<bool(Stammdaten&, Reporter&)> run;
        std::string refusal; // empty: taken over
        std::function<bool(const Stammdaten&)> done;
    } cases[] = {
        {teacher(lehrer), "", [&](const Stammdaten& d) { return d.Lehrer[0].Regeln == lehrer; }},
        {teacher(lehrerFalsch),
         "Die Regel „mindestens 4 Stunden am Tag“ des Lehrers „MEIER“ kann nie erfüllt werden: "
         "höchstens 3 sind erlaubt.",
         nullptr},
        {klass(klasse), "", [&](const Stammdaten& d) { return d.Klassen[1].Regeln == klasse; }},
        {klass(klasseFalsch),
         "Die Regel „höchstens Stunden in Folge“ der Klasse „5B“ hat den Wert 9; erlaubt ist 1 "
         "bis 8.",
         nullptr},
        {breaks({SlotOf(1, 5), SlotOf(0, 5), SlotOf(1, 5)}), "",
         [](const Stammdaten& d) {
             return d.Angaben.Pausen == std::vector<int>{SlotOf(0, 5), SlotOf(1, 5)};
         }},
        {breaks({SlotOf(0, 1)}),
         "Die Regel „Pause Mo 1“ der Schule kann nie erfüllt werden: eine Einheit (Unterricht "
         "„MEIER / 5B / PH“) ist dann festgelegt.",
         nullptr},
        {block(0, {{SlotOf(1, 3), SlotOf(2, 1)}, 2, 1}), "",
         [](const Stammdaten& d) {
             return d.FachBloecke[0].Block.Regeln.MinTageAbstand == 2 &&
                    d.FachBloecke[0].Block.Regeln.ErlaubteZeiten.size() == 2;
         }},
        {block(1, {{}, 3, 0}),
         "Die Regel „Einheiten mindestens 3 Tage auseinander“ (Unterricht „SCHULZ / 5A / D“) kann "
         "nie erfüllt werden: 3 Einheiten passen so nicht in 5 Tage.",
         nullptr},
        {block(0, {{SlotOf(2, 1)}, 0, 0}),
         "Die Regel „erlaubte Zeiten“ (Unterricht „MEIER / 5A / M“) kann nie erfüllt werden: "
         "eine Einheit ist auf Di 3 festgelegt.",
         nullptr},
    };
    for (const auto& c : cases) {
        Stammdaten d = MasterSchool();
        const Stammdaten before = d;
        ScriptedReporter rep;
        const bool changed = c.run(d, rep);
        EXPECT_EQ(changed, c.refusal.empty()) << c.refusal;
        EXPECT_EQ(d.Aenderungen.Value(), changed ? 1U : 0U) << c.refusal;
        if (c.refusal.empty()) {
            EXPECT_TRUE(rep.shown.empty());
            EXPECT_TRUE(c.done(d));
            // The same rules again are no change.
            EXPECT_FALSE(c.run(d, rep));
            EXPECT_EQ(d.Aenderungen.Value(), 1U);
        } else {
            ASSERT_EQ(rep.shown.size(), 1U);
            EXPECT_EQ(rep.shown[0].Text, c.refusal);
            EXPECT_EQ(rep.shown[0].Title, titel::Fehler);
            EXPECT_EQ(d, before);
        }
    }
}

CBeziehung Relation(BeziehungsArt art, std::vector<CBlockBezug> bloecke) {
    return {art, std::move(bloecke)};
}

const CBlockBezug kMathe{0, "MEIER / 5A / M"};
const CBlockBezug kDeutsch{0, "SCHULZ / 5A / D"};
const CBlockBezug kPhysik{0, "MEIER / 5B / PH"};
const CBlockBezug kSport{1, "SPORTKURS"};

TEST(Rules, RelationsAreAddedListedAndRemoved) {
    Stammdaten d = MasterSchool();
    LessonEditor ed(d);
    ScriptedReporter rep;
    EXPECT_EQ(ed.RelationBlocks(), (std::vector<CBlockBezug>{kMathe, kDeutsch, kPhysik, kSport}));
    const CBeziehung gleich = Relation(BeziehungsArt::Gleichzeitig, {kMathe, kSport});
    EXPECT_TRUE(ed.AddRelation(gleich, rep));
    EXPECT_FALSE(ed.AddRelation(gleich, rep)); // the same relation twice
    EXPECT_TRUE(ed.AddRelation(Relation(BeziehungsArt::NieGleichzeitig, {kDeutsch, kSport}), rep));
    EXPECT_EQ(ed.RelationsOf(kSport), (std::vector<int>{0, 1}));
    EXPECT_EQ(ed.RelationsOf(*ed.Bezug({BlockArt::Fach, 1})), (std::vector<int>{1}));
    EXPECT_EQ(d.Aenderungen.Value(), 2U);

    const Stammdaten before = d;
    EXPECT_FALSE(ed.AddRelation(Relation(BeziehungsArt::NieGleichzeitig, {kSport, kMathe}), rep));
    ASSERT_EQ(rep.shown.size(), 1U);
    EXPECT_EQ(rep.shown[0].Text, "Die Regeln für Kurs SPORTKURS und MEIER / 5A / M widersprechen "
                                 "sich: gleichzeitig und nie gleichzeitig.");
    EXPECT_EQ(d, before);
    EXPECT_TRUE(ed.RemoveRelation(0));
    EXPECT_FALSE(ed.RemoveRelation(5));
    EXPECT_EQ(d.Beziehungen.size(), 1U);
}

// A school with relations naming every block: the three subject blocks apart, Mathe on the
// course's days, Mathe right before Physik.
Stammdaten Related() {
    Stammdaten d = MasterSchool();
    d.Beziehungen = {Relation(BeziehungsArt::NieGleichzeitig, {kMathe, kDeutsch, kPhysik}),
                     Relation(BeziehungsArt::GleicherTag, {kMathe, kSport}),
                     Relation(BeziehungsArt::Direktfolge, {kMathe, kPhysik})};
    return d;
}

TEST(Rules, RelationsFollowRenames) {
    ScriptedReporter rep;
    Stammdaten d = Related();
    MasterDataEditor ed(d);
    ASSERT_TRUE(ed.RenameTeacher(0, {"MAIER", "MAI"}, rep).Geaendert);
    ASSERT_TRUE(ed.RenameClass(0, "6A", rep).Geaendert);
    ASSERT_TRUE(ed.RenameSubject(2, "PHY", rep).Geaendert);
    ASSERT_TRUE(ed.RenameCourse(0, {"BALL", "BA", "2"}, true, rep).Geaendert);
    const CBlockBezug mathe{0, "MAIER / 6A / M"}, deutsch{0, "SCHULZ / 6A / D"},
        physik{0, "MAIER / 5B / PHY"}, ball{1, "BALL"};
    EXPECT_EQ(d.Beziehungen, (std::vector<CBeziehung>{
                                 Relation(BeziehungsArt::NieGleichzeitig, {mathe, deutsch, physik}),
                                 Relation(BeziehungsArt::GleicherTag, {mathe, ball}),
                                 Relation(BeziehungsArt::Direktfolge, {mathe, physik})}));
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_FALSE(RegelProblem(d));
}

TEST(Rules, DeletedBlocksLeaveEveryRelation) {
    const auto deleteTeacher = [](Stammdaten& d, Reporter& rep) {
        MasterDataEditor(d).DeleteTeacher(1, rep); // SCHULZ and his Deutsch
    };
    const auto deleteCourse = [](Stammdaten& d, Reporter& rep) {
        MasterDataEditor(d).DeleteCourse(0, rep);
    };
    const auto removeBlock = [](Stammdaten& d, Reporter& rep) {
        LessonEditor(d).RemoveBlock({BlockArt::Fach, 0}, "", rep); // Mathe
    };
    const auto deleteSubject = [](Stammdaten& d, Reporter& rep) {
        MasterDataEditor(d).DeleteSubject(2, rep); // PH and its block
    };
    const struct {
        std::function<void(Stammdaten&, Reporter&)> run;
        std::vector<CBeziehung> left;
    } cases[] = {
        {deleteTeacher,
         {Relation(BeziehungsArt::NieGleichzeitig, {kMathe, kPhysik}),
          Relation(BeziehungsArt::GleicherTag, {kMathe, kSport}),
          Relation(BeziehungsArt::Direktfolge, {kMathe, kPhysik})}},
        {deleteCourse,
         {Relation(BeziehungsArt::NieGleichzeitig, {kMathe, kDeutsch, kPhysik}),
          Relation(BeziehungsArt::Direktfolge, {kMathe, kPhysik})}},
        {removeBlock, {Relation(BeziehungsArt::NieGleichzeitig, {kDeutsch, kPhysik})}},
        {deleteSubject,
         {Relation(BeziehungsArt::NieGleichzeitig, {kMathe, kDeutsch}),
          Relation(BeziehungsArt::GleicherTag, {kMathe, kSport})}},
    };
    for (const auto& c : cases) {
        Stammdaten d = Related();
        ScriptedReporter rep;
        c.run(d, rep);
        EXPECT_EQ(d.Beziehungen, c.left);
        EXPECT_FALSE(RegelProblem(d));
    }
}

// Unit edits that would leave a rule that can never be met are refused and taken back whole.
TEST(Rules, UnitEditsKeepTheRules) {
    const std::string gleich = "Die Regel „beginnen gleichzeitig: MEIER / 5A / M, Kurs SPORTKURS“ "
                               "kann nie erfüllt werden: die Blöcke haben nicht gleich viele "
                               "Einheiten.";
    const struct {
        std::function<bool(Stammdaten&, Reporter&, Vorgaben&)> run;
        std::string refusal;
    } cases[] = {
        {[](Stammdaten& d, Reporter& r, Vorgaben&) {
             return LessonEditor(d).Merge({BlockArt::Fach, 0}, {0, 1}, r);
         },
         gleich},
        {[](Stammdaten& d, Reporter& r, Vorgaben&) {
             return MasterDataEditor(d)
                 .RenameCourse(0, {"SPORTKURS", "SPK", "3"}, false, r)
                 .Geaendert;
         },
         gleich},
        {[](Stammdaten& d, Reporter& r, Vorgaben&) {
             return LessonEditor(d).Split({BlockArt::Fach, 1}, {0}, r);
         },
         "Die Regel „Einheiten mindestens 3 Tage auseinander“ (Unterricht „SCHULZ / 5A / D“) kann "
         "nie erfüllt werden: 3 Einheiten passen so nicht in 5 Tage."},
        {[](Stammdaten& d, Reporter&, Vorgaben& v) {
             return LessonEditor(d).SetTime({BlockArt::Fach, 1}, {1}, SlotOf(1, 1), v).Allowed();
         },
         "Eine Festlegung dieser Zeit für diese Unterrichts - Einheit ist nicht möglich!\n\nDie "
         "Regel „erlaubte Zeiten“ (Unterricht „SCHULZ / 5A / D“) kann nie erfüllt werden: eine "
         "Einheit ist auf Di 1 festgelegt."},
    };
    for (const auto& c : cases) {
        Stammdaten d = MasterSchool();
        d.Beziehungen = {Relation(BeziehungsArt::Gleichzeitig, {kMathe, kSport})};
        d.FachBloecke[1].Block.Einheiten = {CEinheit(2, kNoSlot), CEinheit(1, kNoSlot)};
        d.FachBloecke[1].Block.Regeln = {{SlotOf(0, 1), SlotOf(2, 1)}, 3, 0};
        ASSERT_FALSE(RegelProblem(d));
        const Stammdaten before = d;
        ScriptedReporter rep;
        Vorgaben v;
        EXPECT_FALSE(c.run(d, rep, v));
        const std::string shown = rep.shown.empty() ? v.Hinweis : rep.shown[0].Text;
        EXPECT_EQ(shown, c.refusal);
        EXPECT_EQ(d, before);
        EXPECT_EQ(d.Aenderungen.Value(), 0U);
    }
}

TEST(Rules, GeneralSettingsKeepBreaksInTheWeekAndRefuseRulesThatNoLongerFit) {
    Stammdaten d = MasterSchool();
    d.Angaben.Pausen = {SlotOf(0, 5), SlotOf(4, 5), SlotOf(4, 8)};
    AllgemeineAngaben neu = d.Angaben;
    neu.Stunden = 7;
    ScriptedReporter rep;
    ASSERT_TRUE(ApplyGeneralSettings(d, neu, false, rep));
    EXPECT_EQ(d.Angaben.Pausen, (std::vector<int>{SlotOf(0, 5), SlotOf(4, 5)}));

    d.Lehrer[1].Regeln.MaxStundenProTag = 7;
    const Stammdaten before = d;
    neu.Stunden = 6;
    EXPECT_FALSE(ApplyGeneralSettings(d, neu, false, rep));
    ASSERT_EQ(rep.shown.size(), 1U);
    EXPECT_EQ(rep.shown[0].Text, "Die Regel „höchstens Stunden am Tag“ des Lehrers „SCHULZ“ hat "
                                 "den Wert 7; erlaubt ist 1 bis 6.");
    EXPECT_EQ(d, before);
}

} // namespace
} // namespace sw
