// SPDX-License-Identifier: GPL-3.0-or-later
// The substitution list, the chooser and the absence flags.
#include "substitute/Substitutions.h"
#include "substitute/SubstituteSchool.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

using namespace test;

struct Vertretung : ::testing::Test {
    PlanFixture f;
    VertretungsListe liste;
    void SetUp() override { BuildSubstituteSchool(f, false); }
    void Abwesend(int t) { ASSERT_TRUE(SetzeAbwesend(f.s, t, true)); }
    std::vector<std::string> Texte() const {
        std::vector<std::string> out;
        for (const VertretungsZeile& z : liste.Zeilen())
            out.push_back(z.Spalten[0]);
        return out;
    }
    std::array<std::string, 3> Wahl(int zeile) const {
        const auto& s = liste.Zeilen()[static_cast<std::size_t>(zeile)].Spalten;
        return {s[1], s[2], s[3]};
    }
    WahlZeile Lehrer(int t) const {
        WahlZeile w;
        w.Lehrer = t;
        w.Spalten = {f.s.Lehrer[static_cast<std::size_t>(t)].Name, "F1", ""};
        return w;
    }
};

TEST_F(Vertretung, WithNobodyAbsentOnlyTheHeaderAndOneEmptyRowRemain) {
    EXPECT_EQ(liste.Ermitteln(*f.plan, 0), 0);
    ASSERT_EQ(liste.Anzahl(), 2);
    EXPECT_EQ(Texte(), (std::vector<std::string>{"Stunde", ""}));
    EXPECT_EQ(liste.Zeilen()[0].Spalten,
              (std::array<std::string, 4>{"Stunde", "Lehrer", "Fach", "Konflikt"}));
    EXPECT_FALSE(liste.HatStunde(1));
    EXPECT_EQ(liste.Stunden(), 0);
}

TEST_F(Vertretung, ListsTheLessonsOfTheAbsentByTeacherThenHour) {
    Abwesend(kL2);
    Abwesend(kL0);
    EXPECT_EQ(liste.Ermitteln(*f.plan, 0), 4);
    // L0 stands twice in the course at Monday 1 (R2 and R3): one row, found in R2. No trailing
    // empty row once there are lessons.
    EXPECT_EQ(Texte(), (std::vector<std::string>{"Stunde", "1.   Kurs  L0", "2.   K0  F1  L0",
                                                 "1.   Kurs  L2", "2.   K2  F2  L2"}));
    EXPECT_EQ(liste.Zeilen()[1].Marke, (SlotMarke{SlotOf(0, 1), 2}));
    EXPECT_EQ(liste.Zeilen()[1].Stunde, &f.H(6));
    EXPECT_EQ(liste.Zeilen()[2].Marke, (SlotMarke{SlotOf(0, 2), 1}));
    EXPECT_EQ(liste.Zeilen()[3].Marke, (SlotMarke{SlotOf(0, 1), 0}));

    // Another day, and one without lessons of theirs.
    EXPECT_EQ(liste.Ermitteln(*f.plan, 1), 1);
    EXPECT_EQ(Texte(), (std::vector<std::string>{"Stunde", "3.   K0  F1  L0"}));
    SetzeAbwesend(f.s, kL0, false);
    EXPECT_EQ(liste.Ermitteln(*f.plan, 1), 0);
    EXPECT_EQ(liste.Anzahl(), 2);
    // A day outside the week finds nothing.
    Abwesend(kL0);
    EXPECT_EQ(liste.Ermitteln(*f.plan, 2), 0);
    EXPECT_EQ(liste.Ermitteln(*f.plan, -1), 0);
    EXPECT_EQ(Texte(), (std::vector<std::string>{"Stunde", ""}));
}

TEST(VertretungNullte, TheZerothHourIsListedFirst) {
    PlanFixture f;
    BuildSubstituteSchool(f, true);
    SetzeAbwesend(f.s, kL0, true);
    VertretungsListe liste;
    EXPECT_EQ(liste.Ermitteln(*f.plan, 0), 3);
    EXPECT_EQ(liste.Zeilen()[1].Spalten[0], "0.   K0  F1  L0");
    EXPECT_EQ(liste.Zeilen()[1].Marke.Stunde(), 0);
}

TEST_F(Vertretung, ChoosingTheSameTeacherTwiceAtOneHourAsksFirst) {
    Abwesend(kL0);
    Abwesend(kL2);
    liste.Ermitteln(*f.plan, 0); // rows 1 and 3 are Monday 1, row 2 Monday 2
    CapturingReporter nein(false);
    EXPECT_EQ(liste.Waehlen(1, Lehrer(kL3), nein), WahlErgebnis::Gesetzt);
    EXPECT_EQ(Wahl(1), (std::array<std::string, 3>{"L3", "F1", ""}));
    // The same teacher at another hour: no question.
    EXPECT_EQ(liste.Waehlen(2, Lehrer(kL3), nein), WahlErgebnis::Gesetzt);
    EXPECT_TRUE(nein.asked.empty());

    // At the same hour: asked, and No leaves the row as it was.
    ASSERT_TRUE(liste.Ausfall(3));
    EXPECT_EQ(liste.Waehlen(3, Lehrer(kL3), nein), WahlErgebnis::Abgelehnt);
    ASSERT_EQ(nein.asked.size(), 1u);
    EXPECT_EQ(nein.asked[0].Text, "Lehrer L3 ist in der 1. Stunde bereits vergeben\nSoll diesem "
                                  "Lehrer trotzdem diese Vertretungs-Stunde zugewiesen werden?");
    EXPECT_EQ(nein.asked[0].Title, "");
    EXPECT_EQ(Wahl(3), (std::array<std::string, 3>{"AUSFALL", "", ""}));

    CapturingReporter ja(true);
    EXPECT_EQ(liste.Waehlen(3, Lehrer(kL3), ja), WahlErgebnis::Gesetzt);
    EXPECT_EQ(ja.asked.size(), 1u);
    EXPECT_EQ(Wahl(3)[0], "L3");
    // Another teacher at that hour is no double booking.
    EXPECT_EQ(liste.Waehlen(3, Lehrer(kL1), nein), WahlErgebnis::Gesetzt);
    EXPECT_EQ(nein.asked.size(), 1u);
}

TEST_F(Vertretung, RowsWithoutALessonAreLeftAlone) {
    CapturingReporter rep;
    // The empty list: header and the empty row.
    for (int zeile : {-1, 0, 1, 2, 99}) {
        EXPECT_EQ(liste.Waehlen(zeile, Lehrer(kL1), rep), WahlErgebnis::KeineStunde) << zeile;
        EXPECT_FALSE(liste.Ausfall(zeile)) << zeile;
        EXPECT_FALSE(liste.Loeschen(zeile)) << zeile;
    }
    EXPECT_EQ(liste.Zeilen()[0].Spalten[1], "Lehrer");
    EXPECT_EQ(liste.Zeilen()[1].Spalten, (std::array<std::string, 4>{}));
    EXPECT_TRUE(rep.asked.empty());
    EXPECT_TRUE(WahlFuer(*f.plan, liste.Zeilen()[0]).Zeilen.empty());
    EXPECT_TRUE(WahlFuer(*f.plan, liste.Zeilen()[1]).Zeit.empty());
}

TEST_F(Vertretung, CancellingAndTakingBack) {
    Abwesend(kL0);
    liste.Ermitteln(*f.plan, 0);
    CapturingReporter rep;
    liste.Waehlen(2, Lehrer(kL3), rep);
    ASSERT_TRUE(liste.Ausfall(2));
    EXPECT_EQ(Wahl(2), (std::array<std::string, 3>{"AUSFALL", "", ""}));
    ASSERT_TRUE(liste.Loeschen(2));
    EXPECT_EQ(Wahl(2), (std::array<std::string, 3>{"", "", ""}));
    EXPECT_EQ(liste.Zeilen()[2].Spalten[0], "2.   K0  F1  L0");
    // A new determination forgets every choice.
    liste.Waehlen(1, Lehrer(kL3), rep);
    liste.Ermitteln(*f.plan, 0);
    EXPECT_EQ(Wahl(1), (std::array<std::string, 3>{"", "", ""}));
}

TEST_F(Vertretung, TheChooserOfACourseHourNamesTheMissedSubject) {
    Abwesend(kL0);
    liste.Ermitteln(*f.plan, 0);
    const WahlListe w = WahlFuer(*f.plan, liste.Zeilen()[1]);
    // L0 teaches F0 and F2 in the course; the last entry counts.
    EXPECT_EQ(w.Fach, "Kurs(F2)");
    EXPECT_EQ(w.Verpasst, "F2");
    EXPECT_EQ(w.Klasse, "K0 K1 ");
    EXPECT_EQ(w.Lehrer, "L0");
    EXPECT_EQ(w.Zeit, "Montag  1. Stunde");
    // Present teachers in plan order; L2 teaches in the course himself.
    ASSERT_EQ(w.Zeilen.size(), 3u);
    EXPECT_EQ(w.Zeilen[0].Spalten, (std::array<std::string, 3>{"L1", "", ""}));
    EXPECT_EQ(w.Zeilen[1].Spalten, (std::array<std::string, 3>{"L2", "F2", "Kurs"}));
    EXPECT_EQ(w.Zeilen[2].Spalten, (std::array<std::string, 3>{"L3", "F2", ""}));
    EXPECT_EQ(w.Zeilen[2].Lehrer, kL3);
    EXPECT_FALSE(w.Zeilen[0].Passend()); // does not teach F2
    EXPECT_FALSE(w.Zeilen[1].Passend()); // busy
    EXPECT_TRUE(w.Zeilen[2].Passend());
}

TEST_F(Vertretung, TheChooserShowsLocksBeforeLessons) {
    Abwesend(kL0);
    liste.Ermitteln(*f.plan, 0);
    const WahlListe w = WahlFuer(*f.plan, liste.Zeilen()[2]);
    EXPECT_EQ(w.Fach, "F1");
    EXPECT_EQ(w.Verpasst, "F1");
    EXPECT_EQ(w.Klasse, "K0");
    EXPECT_EQ(w.Zeit, "Montag  2. Stunde");
    ASSERT_EQ(w.Zeilen.size(), 3u);
    // L1 is locked and teaches K1 then: the lock is what the chooser shows.
    EXPECT_EQ(w.Zeilen[0].Spalten, (std::array<std::string, 3>{"L1", "F1", "SPERRUNG"}));
    EXPECT_TRUE(w.Zeilen[0].Gesperrt);
    EXPECT_TRUE(w.Zeilen[0].Belegt);
    EXPECT_EQ(w.Zeilen[1].Spalten, (std::array<std::string, 3>{"L2", "", "F2 K2"}));
    EXPECT_EQ(w.Zeilen[2].Spalten, (std::array<std::string, 3>{"L3", "F1", ""}));

    // Nobody present: no rows.
    for (int t : {kL1, kL2, kL3})
        Abwesend(t);
    EXPECT_TRUE(WahlFuer(*f.plan, liste.Zeilen()[2]).Zeilen.empty());
}

TEST(Abwesenheit, SetsTheFlagOfAnExistingTeacherOnly) {
    Stammdaten s = MakeSchool(1, 1, 1, 2, 1, 1);
    EXPECT_TRUE(SetzeAbwesend(s, 1, true));
    EXPECT_EQ(s.Lehrer[1].NichtVerfuegbar, 1);
    // The absence is kept in the files: a change counts for "changed since the last save", the
    // same tick again does not.
    EXPECT_EQ(s.Aenderungen.Value(), 1u);
    EXPECT_TRUE(SetzeAbwesend(s, 1, true));
    EXPECT_EQ(s.Aenderungen.Value(), 1u);
    EXPECT_EQ(s.Lehrer[0].NichtVerfuegbar, 0);
    const Stammdaten vorher = s;
    EXPECT_FALSE(SetzeAbwesend(s, 2, true));
    EXPECT_FALSE(SetzeAbwesend(s, -1, true));
    EXPECT_EQ(s, vorher);
    EXPECT_TRUE(SetzeAbwesend(s, 1, false));
    EXPECT_EQ(s.Lehrer[1].NichtVerfuegbar, 0);
}

} // namespace
} // namespace sw
