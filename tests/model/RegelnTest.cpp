// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Regeln.h"

#include <gtest/gtest.h>

#include <functional>

namespace sw {
namespace {

// Five days of eight hours; teacher "A" teaches class "5a" German in units of 1 and 3 hours
// ("A / 5a / De"), Maths in two single hours ("A / 5a / Ma"), and the course "Reli" in two
// single hours.
Stammdaten School() {
    Stammdaten d;
    d.Lehrer.resize(1);
    d.Lehrer[0].Name = "A";
    d.Klassen.resize(1);
    d.Klassen[0].Name = "5a";
    CFachBlock de;
    de.Lehrer = "A";
    de.Klasse = "5a";
    de.Fach = "De";
    de.Einheiten = {CEinheit(1, kNoSlot), CEinheit(3, kNoSlot)};
    d.AddFachBlock(de);
    CFachBlock ma = de;
    ma.Fach = "Ma";
    ma.Einheiten = {CEinheit(1, kNoSlot), CEinheit(1, kNoSlot)};
    d.AddFachBlock(ma);
    CKursBlock reli;
    reli.Name = "Reli";
    reli.Klassen = {"5a"};
    reli.Lehrer = {{"A", {CEinheit(1, kNoSlot), CEinheit(1, kNoSlot)}}};
    d.KursBloecke.push_back(reli);
    return d;
}

CBeziehung Rel(BeziehungsArt art, std::vector<CBlockBezug> bloecke) {
    return {art, std::move(bloecke)};
}

const CBlockBezug kDe{0, "A / 5a / De"};
const CBlockBezug kMa{0, "A / 5a / Ma"};
const CBlockBezug kReli{1, "Reli"};

struct Row {
    std::function<void(Stammdaten&)> change;
    const char* problem; // nullptr: every rule can be met
};

TEST(Regeln, RegelProblemNamesTheRuleThatCanNeverBeMet) {
    using A = BeziehungsArt;
    const Row rows[] = {
        {[](Stammdaten&) {}, nullptr},
        {[](Stammdaten& d) {
             d.Lehrer[0].Regeln.MaxStundenProTag = 6;
             d.Klassen[0].Regeln.MaxLueckenProWoche = 0;
             d.Angaben.Pausen = {SlotOf(0, 5)};
             d.Beziehungen = {Rel(A::Direktfolge, {kMa, kReli})};
         },
         nullptr},
        {[](Stammdaten& d) { d.Lehrer[0].Regeln.MaxStundenProTag = 9; },
         "Die Regel „höchstens Stunden am Tag“ des Lehrers „A“ hat den Wert 9; erlaubt ist 1 bis "
         "8."},
        {[](Stammdaten& d) { d.Klassen[0].Regeln.MaxLueckenProWoche = -2; },
         "Die Regel „höchstens Lücken in der Woche“ der Klasse „5a“ hat den Wert -2; erlaubt ist 0 "
         "bis 40."},
        {[](Stammdaten& d) {
             d.Klassen[0].Regeln = {4, 5, kKeineRegel, kKeineRegel, kKeineRegel};
         },
         "Die Regel „mindestens 5 Stunden am Tag“ der Klasse „5a“ kann nie erfüllt werden: "
         "höchstens 4 sind erlaubt."},
        {[](Stammdaten& d) { d.Lehrer[0].Regeln.MaxInFolge = 2; },
         "Die Regel „höchstens 2 Stunden in Folge“ des Lehrers „A“ kann nie erfüllt werden: eine "
         "Einheit (Unterricht „A / 5a / De“) ist 3 Stunden lang."},
        {[](Stammdaten& d) {
             d.Lehrer[0].Regeln.MaxTage = 2;
             d.Lehrer[0].Regeln.MinTage = 3;
         },
         "Die Regel „mindestens 3 Tage in der Woche“ des Lehrers „A“ kann nie erfüllt werden: "
         "höchstens 2 sind erlaubt."},
        {[](Stammdaten& d) { d.Lehrer[0].Regeln.FensterVon = 7; },
         "Das Zeitfenster des Lehrers „A“ ist ungültig: es braucht die erste und die letzte Stunde "
         "(0 bis 12) und höchstens 0 bis 5 Tage."},
        {[](Stammdaten& d) { d.Angaben.Pausen = {SlotOf(5, 1)}; },
         "Die Pause 66 liegt nicht in der Woche."},
        {[](Stammdaten& d) {
             d.Angaben.Pausen = {SlotOf(1, 5), SlotOf(0, 5)};
         },
         "Die Pausen sind nicht aufsteigend geordnet."},
        {[](Stammdaten& d) {
             d.Angaben.Pausen = {SlotOf(1, 3)};
             d.FachBloecke[0].Block.Einheiten[1].Zeitvorgabe = SlotOf(1, 2);
         },
         "Die Regel „Pause Di 3“ der Schule kann nie erfüllt werden: eine Einheit (Unterricht „A / "
         "5a / De“) ist dann festgelegt."},
        {[](Stammdaten& d) { d.KursBloecke[0].Regeln.ErlaubteZeiten = {SlotOf(0, 9)}; },
         "Die erlaubte Zeit 9 (Kurs „Reli“) liegt nicht in der Woche."},
        {[](Stammdaten& d) {
             d.KursBloecke[0].Regeln.ErlaubteZeiten = {2, 1};
         },
         "Die erlaubten Zeiten (Kurs „Reli“) sind nicht aufsteigend geordnet."},
        {[](Stammdaten& d) {
             d.FachBloecke[1].Block.Regeln.ErlaubteZeiten = {SlotOf(0, 1)};
             d.FachBloecke[1].Block.Einheiten[0].Zeitvorgabe = SlotOf(0, 2);
         },
         "Die Regel „erlaubte Zeiten“ (Unterricht „A / 5a / Ma“) kann nie erfüllt werden: eine "
         "Einheit ist auf Mo 2 festgelegt."},
        {[](Stammdaten& d) { d.FachBloecke[0].Block.Regeln.ErlaubteZeiten = {SlotOf(0, 7)}; },
         "Die Regel „erlaubte Zeiten“ (Unterricht „A / 5a / De“) kann nie erfüllt werden: keine "
         "lässt Platz für eine Einheit von 3 Stunden."},
        {[](Stammdaten& d) { d.FachBloecke[1].Block.Regeln.MinTageAbstand = -1; },
         "Die Regel „Tage zwischen den Einheiten“ (Unterricht „A / 5a / Ma“) hat den Wert -1; "
         "erlaubt ist 1 bis 6."},
        {[](Stammdaten& d) { d.FachBloecke[1].Block.Regeln.MinTageAbstand = 5; },
         "Die Regel „Einheiten mindestens 5 Tage auseinander“ (Unterricht „A / 5a / Ma“) kann nie "
         "erfüllt werden: 2 Einheiten passen so nicht in 5 Tage."},
        {[](Stammdaten& d) { d.Beziehungen = {Rel(A::GleicherTag, {kDe})}; },
         "Die Regel „am selben Tag: A / 5a / De“ braucht mindestens zwei Blöcke."},
        {[](Stammdaten& d) {
             d.Beziehungen = {Rel(A::Direktfolge, {kDe, kMa, kReli})};
         },
         "Die Regel „direkt nacheinander: A / 5a / De, A / 5a / Ma, Kurs Reli“ braucht genau zwei "
         "Blöcke."},
        {[](Stammdaten& d) {
             d.Beziehungen = {Rel(A::NieGleichzeitig, {kDe, {1, "Ethik"}})};
         },
         "Die Regel „nie gleichzeitig: A / 5a / De, Kurs Ethik“ nennt Kurs Ethik, den es nicht "
         "gibt."},
        {[](Stammdaten& d) {
             d.Beziehungen = {Rel(A::NieGleichzeitig, {kDe, kDe})};
         },
         "Die Regel „nie gleichzeitig: A / 5a / De, A / 5a / De“ nennt A / 5a / De zweimal."},
        {[](Stammdaten& d) {
             d.FachBloecke[1].Block.Einheiten.pop_back();
             d.Beziehungen = {Rel(A::GleicherTag, {kMa, kReli})};
         },
         "Die Regel „am selben Tag: A / 5a / Ma, Kurs Reli“ kann nie erfüllt werden: die Blöcke "
         "haben nicht gleich viele Einheiten."},
        {[](Stammdaten& d) {
             d.Beziehungen = {Rel(A::Gleichzeitig, {kDe, kReli})};
         },
         "Die Regel „beginnen gleichzeitig: A / 5a / De, Kurs Reli“ kann nie erfüllt werden: die "
         "Einheiten sind nicht gleich lang."},
        {[](Stammdaten& d) {
             d.Beziehungen = {Rel(A::Gleichzeitig, {kMa, kReli}),
                              Rel(A::NieGleichzeitig, {kReli, kMa})};
         },
         "Die Regeln für A / 5a / Ma und Kurs Reli widersprechen sich: gleichzeitig und nie "
         "gleichzeitig."},
        {[](Stammdaten& d) {
             d.Beziehungen = {Rel(A::Direktfolge, {kMa, kReli}), Rel(A::Direktfolge, {kReli, kMa})};
         },
         "Die Regeln für A / 5a / Ma und Kurs Reli widersprechen sich: jeder soll direkt vor dem "
         "anderen liegen."},
    };
    for (const Row& row : rows) {
        Stammdaten d = School();
        row.change(d);
        const auto problem = RegelProblem(d);
        if (!row.problem) {
            EXPECT_FALSE(problem) << *problem;
            continue;
        }
        ASSERT_TRUE(problem) << row.problem;
        EXPECT_EQ(*problem, row.problem);
    }
}

// A time is shown by the day's first two letters, unless another day of the week begins alike.
TEST(Regeln, SlotKurzKeepsDaysApart) {
    AllgemeineAngaben a;
    a.Tage = 5;
    EXPECT_EQ(SlotKurz(a, SlotOf(2, 4)), "Mi 4");
    a.TagNamen = {"Tag 1", "Tag 2", "Tag 3", "Tag 4", "Tag 5"};
    EXPECT_EQ(SlotKurz(a, SlotOf(2, 4)), "Tag 3 4");
    a.TagNamen = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Mittag"};
    EXPECT_EQ(SlotKurz(a, SlotOf(1, 1)), "Di 1");
    EXPECT_EQ(SlotKurz(a, SlotOf(2, 1)), "Mittwoch 1");
}

} // namespace
} // namespace sw
