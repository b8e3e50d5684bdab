// SPDX-License-Identifier: GPL-3.0-or-later
// What the plan grid shows, without a window: geometry and headers, the cell texts and marks of
// each view, crosses and frames, the statistics and the conflict group.
#include "edit/GridView.h"
#include "plan/Evaluation.h"
#include "plan/PlanWriter.h"
#include "support/School.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

// Two teachers, two classes and two rooms with long names and distinct short forms; K0 has a
// three-hour unit with L0, a single hour with L1, and a course "Chor" of L0 and L1 joins both
// classes.
class GridViewTest : public ::testing::Test {
protected:
    void Build(bool nullte = false) {
        f.s = MakeSchool(5, 8, 3, 2, 2, 2);
        f.s.Angaben.Nullte = nullte;
        const char* lehrer[][2] = {{"Müller", "Mü"}, {"Schulz", "Sz"}};
        for (int t = 0; t < 2; ++t)
            f.s.Lehrer[t].Name = lehrer[t][0], f.s.Lehrer[t].Kurz = lehrer[t][1];
        const char* raeume[][2] = {{"Physiksaal", "PH"}, {"Raum 101", "101"}, {"Aula", "AU"}};
        for (int r = 0; r < 3; ++r)
            f.s.Raeume[r].Name = raeume[r][0], f.s.Raeume[r].Kurz = raeume[r][1];
        f.s.Klassen[0].Name = "5a";
        f.s.Klassen[1].Name = "5b";
        f.s.Faecher = {"Mathe", "Deutsch"};
        for (auto& l : f.s.Lehrer)
            l.Faecher = f.s.Faecher;
        AddBlock(f.s, "Müller", "5a", "Mathe", {3});
        AddBlock(f.s, "Schulz", "5a", "Deutsch", {1});
        CKursBlock& chor = AddCourse(f.s, "Chor", {"Müller", "Schulz"}, {"5a", "5b"}, {1});
        chor.Kurz = "Ch";
        chor.Faecher = {"Mathe", "Mathe"};
        f.Build();
        ASSERT_EQ(f.plan->StundenL.size(), 6u);
    }
    CPlan& P() { return *f.plan; }
    // The hours in build order: 0..2 the three-hour unit, 3 the single hour, 4 and 5 the course.
    CStunde& H(int i) { return f.H(i); }
    CellLook Look(Ansicht view, int index, int slot, bool nurKurz = true) {
        CellLook look;
        DescribeCell(P(), state, view, index, nurKurz, slot, look);
        return look;
    }

    PlanFixture f;
    EditState state;
};

TEST_F(GridViewTest, GeometryWithoutTheZerothHour) {
    Build(false);
    EXPECT_EQ(GridRows(P()), 9);
    EXPECT_EQ(GridColumns(P()), 6);
    EXPECT_EQ(RowHeader(P(), 1), "1. Stunde");
    EXPECT_EQ(RowHeader(P(), 8), "8. Stunde");
    EXPECT_EQ(RowHeader(P(), 0), "");
    EXPECT_EQ(RowHeader(P(), 9), "");
    EXPECT_EQ(ColumnHeader(P(), 1), "Montag");
    EXPECT_EQ(ColumnHeader(P(), 5), "Freitag");
    EXPECT_EQ(ColumnHeader(P(), 0), "");
    EXPECT_EQ(SlotOfCell(P(), 1, 1), SlotOf(0, 1));
    EXPECT_EQ(SlotOfCell(P(), 3, 8), SlotOf(2, 8));
    for (auto [c, r] : {std::pair{0, 1}, {1, 0}, {6, 1}, {1, 9}, {0, 0}})
        EXPECT_EQ(SlotOfCell(P(), c, r), kNoSlot) << c << "," << r;
    EXPECT_EQ(RowOfSlot(P(), SlotOf(2, 8)), 8);
    EXPECT_EQ(RowOfSlot(P(), SlotOf(2, 0)), -1);
    EXPECT_EQ(RowOfSlot(P(), SlotOf(2, 9)), -1);
    EXPECT_EQ(RowOfSlot(P(), SlotOf(5, 1)), -1);
    EXPECT_EQ(RowOfSlot(P(), kNoSlot), -1);
}

TEST_F(GridViewTest, GeometryWithTheZerothHour) {
    Build(true);
    EXPECT_EQ(GridRows(P()), 10);
    EXPECT_EQ(RowHeader(P(), 1), "0. Stunde");
    EXPECT_EQ(RowHeader(P(), 9), "8. Stunde");
    EXPECT_EQ(SlotOfCell(P(), 1, 1), SlotOf(0, 0));
    EXPECT_EQ(SlotOfCell(P(), 2, 9), SlotOf(1, 8));
    EXPECT_EQ(RowOfSlot(P(), SlotOf(1, 0)), 1);
    EXPECT_EQ(RowOfSlot(P(), SlotOf(1, 8)), 9);
    // Every data cell and its row agree.
    for (int r = 1; r < GridRows(P()); ++r)
        EXPECT_EQ(RowOfSlot(P(), SlotOfCell(P(), 4, r)), r);
}

TEST_F(GridViewTest, CourseHourInEachView) {
    Build();
    P().Place(H(4), 2, SlotOf(1, 2));
    P().Place(H(5), 1, SlotOf(1, 2));
    const int s = SlotOf(1, 2);
    // Class view: the course block, no teacher line, the room it was found in (room order).
    CellLook k = Look(Ansicht::Klasse, 1, s);
    EXPECT_TRUE(k.Lesson);
    EXPECT_EQ(k.Ground, Grund::Kurs);
    EXPECT_EQ(k.Zeile1, "Ch");
    EXPECT_EQ(k.Zeile2, "");
    EXPECT_EQ(k.Zeile3, "101");
    EXPECT_EQ(Look(Ansicht::Klasse, 1, s, false).Zeile1, "Chor");
    EXPECT_EQ(Look(Ansicht::Klasse, 1, s, false).Zeile3, "Raum 101");
    // Teacher view: the teacher's own part and room.
    CellLook t = Look(Ansicht::Lehrer, 0, s);
    EXPECT_EQ(t.Zeile1, "Ch");
    EXPECT_EQ(t.Zeile2, "");
    EXPECT_EQ(t.Zeile3, "AU");
    // Room view: the teacher of this part, no third line.
    CellLook r = Look(Ansicht::Raum, 2, s);
    EXPECT_EQ(r.Zeile1, "Ch");
    EXPECT_EQ(r.Zeile2, "Mü");
    EXPECT_EQ(r.Zeile3, "");
    EXPECT_EQ(Look(Ansicht::Raum, 1, s, false).Zeile2, "Schulz");
}

TEST_F(GridViewTest, ToolTipNamesWhatTheCellLeavesOut) {
    Build();
    f.s.KursBloecke[0].Faecher = {"Mathe", "Deutsch"};
    P().Place(H(4), 2, SlotOf(1, 2));
    P().Place(H(3), 0, SlotOf(0, 1));
    // A course in every view: all classes, every teacher with subject and room.
    const std::string kurs =
        "Kurs: Chor\nKlassen: 5a, 5b\nMüller: Mathe, Raum Aula\nSchulz: Deutsch, ohne Raum";
    EXPECT_EQ(CellToolTip(P(), Ansicht::Klasse, 1, SlotOf(1, 2)), kurs);
    EXPECT_EQ(CellToolTip(P(), Ansicht::Raum, 2, SlotOf(1, 2)), kurs);
    EXPECT_EQ(CellToolTip(P(), Ansicht::Klasse, 0, SlotOf(0, 1)),
              "Deutsch\nLehrer: Schulz\nKlasse: 5a\nRaum: Physiksaal");
    EXPECT_EQ(CellToolTip(P(), Ansicht::Klasse, 0, SlotOf(0, 2)), "");
}

TEST_F(GridViewTest, SubjectHourTextsByViewAndShortForms) {
    Build();
    P().Place(H(3), 0, SlotOf(0, 1));
    const int s = SlotOf(0, 1);
    CellLook t = Look(Ansicht::Lehrer, 1, s);
    EXPECT_EQ(t.Ground, Grund::Einzel);
    EXPECT_EQ(t.Zeile1, "Deutsch");
    EXPECT_EQ(t.Zeile2, "5a");
    EXPECT_EQ(t.Zeile3, "PH");
    EXPECT_EQ(Look(Ansicht::Lehrer, 1, s, false).Zeile3, "Physiksaal");
    CellLook k = Look(Ansicht::Klasse, 0, s);
    EXPECT_EQ(k.Zeile1, "Deutsch");
    EXPECT_EQ(k.Zeile2, "Sz");
    EXPECT_EQ(k.Zeile3, "PH");
    EXPECT_EQ(Look(Ansicht::Klasse, 0, s, false).Zeile2, "Schulz");
    // The room view shows the class only with short forms, the teacher's full name without.
    CellLook kurz = Look(Ansicht::Raum, 0, s, true);
    EXPECT_EQ(kurz.Zeile2, "Sz");
    EXPECT_EQ(kurz.Zeile3, "5a");
    CellLook lang = Look(Ansicht::Raum, 0, s, false);
    EXPECT_EQ(lang.Zeile1, "Deutsch");
    EXPECT_EQ(lang.Zeile2, "Schulz");
    EXPECT_EQ(lang.Zeile3, "");
    // Other teachers, classes and rooms see nothing there.
    EXPECT_FALSE(Look(Ansicht::Lehrer, 0, s).Lesson);
    EXPECT_FALSE(Look(Ansicht::Klasse, 1, s).Lesson);
    EXPECT_FALSE(Look(Ansicht::Raum, 1, s).Lesson);
    // Nothing shown: nothing drawn.
    EXPECT_FALSE(Look(Ansicht::Klasse, -1, s).Lesson);
    EXPECT_EQ(Look(Ansicht::Klasse, -1, s).Zeile1, "");
}

TEST_F(GridViewTest, MultiHourUnitMarksAndStyles) {
    Build();
    for (int p = 0; p < 3; ++p)
        P().Place(H(p), 1, SlotOf(2, 3 + p));
    CellLook third = Look(Ansicht::Klasse, 0, SlotOf(2, 5));
    EXPECT_EQ(third.Ground, Grund::Mehrfach);
    EXPECT_EQ(third.Nummer, 3);
    EXPECT_FALSE(third.Fett || third.Unterstrichen || third.T);
    EXPECT_EQ(third.Limit, 0);

    H(2).Modus = Modus::ZeitUndRaumFest;
    H(2).Tag = 2;
    H(2).UnteresLimit = 1;
    CellLook both = Look(Ansicht::Klasse, 0, SlotOf(2, 5));
    EXPECT_TRUE(both.Fett);
    EXPECT_TRUE(both.Unterstrichen);
    EXPECT_TRUE(both.T);
    EXPECT_EQ(both.Limit, 'U');
    // The upper limit wins over the lower one.
    H(2).OberesLimit = 1;
    EXPECT_EQ(Look(Ansicht::Klasse, 0, SlotOf(2, 5)).Limit, 'O');
    H(1).Modus = Modus::ZeitFest;
    CellLook zeit = Look(Ansicht::Lehrer, 0, SlotOf(2, 4));
    EXPECT_TRUE(zeit.Unterstrichen);
    EXPECT_FALSE(zeit.Fett);
    EXPECT_EQ(zeit.Nummer, 2);
    H(0).Modus = Modus::RaumFest;
    CellLook raum = Look(Ansicht::Raum, 1, SlotOf(2, 3));
    EXPECT_TRUE(raum.Fett);
    EXPECT_FALSE(raum.Unterstrichen);
    EXPECT_EQ(raum.Nummer, 1);
}

TEST_F(GridViewTest, CrossesByView) {
    Build();
    const int s = SlotOf(3, 4);
    f.s.Klassen[0].Sperre[s] = 1;
    EXPECT_EQ(Look(Ansicht::Klasse, 0, s).Cross, Kreuz::Grau);
    EXPECT_EQ(Look(Ansicht::Lehrer, 0, s).Cross, Kreuz::Keins);
    f.s.Lehrer[0].Sperre[s] = 1;
    EXPECT_EQ(Look(Ansicht::Lehrer, 0, s).Cross, Kreuz::Schwarz);
    EXPECT_EQ(Look(Ansicht::Lehrer, 1, s).Cross, Kreuz::Keins);
    f.s.Raeume[2].Sperre[s] = 1;
    EXPECT_EQ(Look(Ansicht::Raum, 2, s).Cross, Kreuz::Schwarz);
    // An occupied cell shows its lesson, no cross.
    P().Place(H(3), 0, s);
    EXPECT_EQ(Look(Ansicht::Klasse, 0, s).Cross, Kreuz::Keins);
    EXPECT_EQ(Look(Ansicht::Klasse, 0, s).Ground, Grund::Einzel);
}

TEST_F(GridViewTest, FramesAndSelection) {
    Build();
    const int besetzt = SlotOf(0, 2), leer = SlotOf(0, 3);
    P().Place(H(3), 0, besetzt);
    state.Candidates = {besetzt, leer};

    // A lesson hour selected: move targets on empty cells only; the hour itself teal.
    state.Selection = &H(3);
    state.Day = 0, state.Hour = 2;
    EXPECT_TRUE(Look(Ansicht::Klasse, 0, leer).Rahmen);
    EXPECT_FALSE(Look(Ansicht::Klasse, 0, besetzt).Rahmen);
    EXPECT_EQ(Look(Ansicht::Klasse, 0, besetzt).Ground, Grund::Auswahl);
    EXPECT_FALSE(Look(Ansicht::Klasse, 0, SlotOf(0, 4)).Rahmen);

    // Swap mode: partners on occupied cells.
    state.SwapMode = true;
    EXPECT_TRUE(Look(Ansicht::Klasse, 0, besetzt).Rahmen);
    state.SwapMode = false;

    // An empty cell selected: search results on occupied cells, the cell itself teal, its cross
    // and frame covered.
    state.Selection = &P().LeerStunde;
    state.Day = 0, state.Hour = 3;
    f.s.Klassen[0].Sperre[leer] = 1;
    CellLook sel = Look(Ansicht::Klasse, 0, leer);
    EXPECT_EQ(sel.Ground, Grund::Auswahl);
    EXPECT_EQ(sel.Cross, Kreuz::Keins);
    EXPECT_FALSE(sel.Rahmen);
    CellLook partner = Look(Ansicht::Klasse, 0, besetzt);
    EXPECT_TRUE(partner.Rahmen);
    EXPECT_EQ(partner.Ground, Grund::Einzel);

    // No selection: no frames at all.
    state.Selection = nullptr;
    EXPECT_FALSE(Look(Ansicht::Klasse, 0, leer).Rahmen);
    EXPECT_FALSE(Look(Ansicht::Klasse, 0, besetzt).Rahmen);
}

TEST_F(GridViewTest, DescribeCellResetsEverythingBetweenCells) {
    Build();
    P().Place(H(2), 0, SlotOf(0, 1));
    H(2).Modus = Modus::ZeitUndRaumFest;
    H(2).Tag = 0;
    H(2).OberesLimit = 1;
    f.s.Klassen[0].Sperre[SlotOf(0, 2)] = 1;
    CellLook look;
    DescribeCell(P(), state, Ansicht::Klasse, 0, true, SlotOf(0, 1), look);
    ASSERT_TRUE(look.Fett && look.T && look.Nummer == 3);
    DescribeCell(P(), state, Ansicht::Klasse, 0, true, SlotOf(0, 2), look);
    EXPECT_FALSE(look.Lesson);
    EXPECT_EQ(look.Ground, Grund::Leer);
    EXPECT_EQ(look.Zeile1 + look.Zeile2 + look.Zeile3, "");
    EXPECT_FALSE(look.Fett || look.Unterstrichen || look.T || look.Rahmen);
    EXPECT_EQ(look.Nummer, 0);
    EXPECT_EQ(look.Limit, 0);
    EXPECT_EQ(look.Cross, Kreuz::Grau);
    DescribeCell(P(), state, Ansicht::Klasse, 0, true, SlotOf(0, 1), look);
    DescribeCell(P(), state, Ansicht::Klasse, 0, true, SlotOf(0, 3), look);
    EXPECT_EQ(look.Cross, Kreuz::Keins);
}

TEST_F(GridViewTest, SetHoursCountsShownRowsOnly) {
    Build(false);
    P().Place(H(3), 0, SlotOf(0, 1));
    P().Place(H(4), 1, SlotOf(1, 1));
    P().Place(H(5), 2, SlotOf(1, 1));
    // Hour 0 has no row without the 0th hour.
    for (int p = 0; p < 3; ++p)
        P().Place(H(p), 0, SlotOf(4, p));
    EXPECT_EQ(SetHours(P(), Ansicht::Klasse, 0), 4); // the single hour, the course, hours 1, 2
    EXPECT_EQ(SetHours(P(), Ansicht::Klasse, 1), 1);
    EXPECT_EQ(SetHours(P(), Ansicht::Lehrer, 0), 3);
    EXPECT_EQ(SetHours(P(), Ansicht::Lehrer, 1), 2);
    EXPECT_EQ(SetHours(P(), Ansicht::Klasse, -1), 0);
}

TEST_F(GridViewTest, StatisticsFollowTheGridAndLeaveThePlanAlone) {
    Build();
    // 5a: hours 1 and 3 on Monday (one gap), Deutsch by Schulz at 1, Mathe unit 3..5 on Tuesday.
    P().Place(H(3), 0, SlotOf(0, 1));
    P().Place(H(4), 1, SlotOf(0, 3));
    P().Place(H(5), 2, SlotOf(0, 3));
    for (int p = 0; p < 3; ++p)
        P().Place(H(p), 0, SlotOf(1, 3 + p));
    // The sums are the plan's own, as its last evaluation left them.
    PlanWriter::Totals(P()).KLSSumme = 7;
    PlanWriter::Totals(P()).LLSSumme = 9;
    const auto lehrerVorher = P().LehrerStatusL;
    const auto klassenVorher = P().KlassenStatusL;
    const Statistik k = ViewStatistics(P(), Ansicht::Klasse, 0);
    const Statistik t = ViewStatistics(P(), Ansicht::Lehrer, 1);
    EXPECT_EQ(P().LehrerStatusL, lehrerVorher);
    EXPECT_EQ(P().KlassenStatusL, klassenVorher);

    EvaluateAll(P());
    const CKlassenStatus& ks = P().KlassenStatusL[0];
    EXPECT_EQ(ks.KLS, 1);
    EXPECT_EQ(k.LeerStunden, std::to_string(ks.KLS));
    EXPECT_EQ(k.LeerStundenMaximum, std::to_string(ks.MaxLuecke));
    EXPECT_EQ(k.StundenMaximum, "3");
    EXPECT_EQ(k.StundenMinimum, std::to_string(ks.MinStunden));
    EXPECT_EQ(k.TrennungsFehler, std::to_string(ks.TF));
    EXPECT_EQ(k.SpezialTrennungsFehler, std::to_string(ks.STF));
    EXPECT_EQ(k.Stunden, "5");
    EXPECT_EQ(k.GesetzteStunden, "5");
    EXPECT_EQ(k.LSSum, "7");

    const CLehrerStatus& ls = P().LehrerStatusL[1];
    EXPECT_EQ(ls.LLS, 1);
    EXPECT_EQ(t.LeerStunden, "1");
    EXPECT_EQ(t.LeerStundenMaximum, std::to_string(ls.MaxLuecke));
    EXPECT_EQ(t.StundenMaximum, std::to_string(ls.MaxStunden));
    EXPECT_EQ(t.StundenMinimum, std::to_string(ls.MinStunden));
    EXPECT_EQ(t.TrennungsFehler, "-");
    EXPECT_EQ(t.SpezialTrennungsFehler, "-");
    EXPECT_EQ(t.Stunden, "2");
    EXPECT_EQ(t.GesetzteStunden, "2");
    EXPECT_EQ(t.LSSum, "9");

    // The room view and nothing shown: all empty.
    EXPECT_EQ(ViewStatistics(P(), Ansicht::Raum, 0), Statistik{});
    EXPECT_EQ(ViewStatistics(P(), Ansicht::Klasse, -1), Statistik{});
    EXPECT_EQ(ViewStatistics(P(), Ansicht::Lehrer, -1), Statistik{});
}

TEST_F(GridViewTest, Captions) {
    Build();
    EXPECT_EQ(WindowCaption(P(), Ansicht::Lehrer, 0), "Schnappschuß Lehrer: Müller");
    EXPECT_EQ(WindowCaption(P(), Ansicht::Klasse, 1), "Schnappschuß Klasse: 5b");
    EXPECT_EQ(WindowCaption(P(), Ansicht::Raum, 1), "Schnappschuß Raum: Raum 101");
    EXPECT_EQ(WindowCaption(P(), Ansicht::Raum, -1), "Schnappschuß Raum: ");
    EXPECT_EQ(PageCaption(P(), Ansicht::Lehrer, 1), "Schulz");
    EXPECT_EQ(PageCaption(P(), Ansicht::Raum, 2), "Aula");
    EXPECT_EQ(PageCaption(P(), Ansicht::Klasse, -1), "");
}

TEST_F(GridViewTest, ConflictDisplay) {
    Build();
    PlanWriter::Conflict(P()).KonfliktArt = Konflikt::Lehrer;
    PlanWriter::Conflict(P()).KonfliktLehrer = 1;
    // Without a refusal the group has its plain caption again and names nothing.
    KonfliktAnzeige frei;
    frei.Caption = "Konflikt";
    EXPECT_EQ(ConflictDisplay(P(), false), frei);
    KonfliktAnzeige k = ConflictDisplay(P(), true);
    EXPECT_EQ(k.Caption, "Konflikt:  Lehrer");
    EXPECT_EQ(k.Lehrer, "Schulz");
    EXPECT_EQ(k.FachKurs + k.Klasse + k.Raum, "");

    // The room comes first, then the class, then the teacher.
    PlanWriter::Conflict(P()).KonfliktArt = Konflikt::Raum;
    PlanWriter::Conflict(P()).KonfliktRaum = 2;
    PlanWriter::Conflict(P()).KonfliktKlasse = 1;
    k = ConflictDisplay(P(), true);
    EXPECT_EQ(k.Caption, "Konflikt:  Raum");
    EXPECT_EQ(k.Raum, "Aula");
    EXPECT_EQ(k.Lehrer + k.FachKurs + k.Klasse, "");
    PlanWriter::Conflict(P()).KonfliktRaum = -1;
    PlanWriter::Conflict(P()).KonfliktArt = Konflikt::Sperrung;
    k = ConflictDisplay(P(), true);
    EXPECT_EQ(k.Caption, "Konflikt:  Sperrung");
    EXPECT_EQ(k.Klasse, "5b");
    EXPECT_EQ(k.Lehrer + k.FachKurs + k.Raum, "");

    // Only the hour: its teacher with its class and subject, or the course block.
    PlanWriter::Conflict(P()).KonfliktKlasse = -1;
    PlanWriter::Conflict(P()).KonfliktLehrer = -1;
    PlanWriter::Conflict(P()).KonfliktArt = Konflikt::ErsteStunde;
    PlanWriter::Conflict(P()).KonfliktStunde = &H(3);
    k = ConflictDisplay(P(), true);
    EXPECT_EQ(k.Caption, "Konflikt:  Erste Stunde");
    EXPECT_EQ(k.Lehrer, "Schulz");
    EXPECT_EQ(k.Klasse, "5a");
    EXPECT_EQ(k.FachKurs, "Deutsch");
    EXPECT_EQ(k.Raum, "");
    PlanWriter::Conflict(P()).KonfliktStunde = &H(4);
    PlanWriter::Conflict(P()).KonfliktArt = Konflikt::Zeit;
    k = ConflictDisplay(P(), true);
    EXPECT_EQ(k.Caption, "Konflikt:  Zeit");
    EXPECT_EQ(k.Lehrer, "Müller");
    EXPECT_EQ(k.FachKurs, "Chor");
    EXPECT_EQ(k.Klasse, "");

    // Nothing to name: the caption alone.
    PlanWriter::Conflict(P()).KonfliktStunde = nullptr;
    k = ConflictDisplay(P(), true);
    EXPECT_EQ(k.Caption, "Konflikt:  Zeit");
    EXPECT_EQ(k.Lehrer + k.FachKurs + k.Klasse + k.Raum, "");
}

} // namespace
} // namespace sw::test
