// SPDX-License-Identifier: GPL-3.0-or-later
// The editing commands of the grid on tiny hand-built plans: what each one changes, what it
// refuses, the state the window draws from afterwards, and that undo takes it back.
#include "edit/EditSupport.h"
#include "plan/Invariants.h"
#include "plan/Placement.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::EditFixture;
using test::PlanState;

TEST(EditSelect, FindsTheShownEntitysLessonOrTheEmptyCell) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});                 // 0
    AddCourse(f.s, "C", {"L1", "L2"}, {"K1", "K2"}, {1}); // 1, 2
    f.Build();
    f.Put(0, 2, 0, 1);
    f.Put(1, 1, 1, 1);
    f.Put(2, 3, 1, 1);
    f.Start(Ansicht::Klasse, 0);
    EXPECT_EQ(f.ed->SelectCell(0, 1).What, Ergebnis::Ausgewaehlt);
    EXPECT_EQ(f.ed->State().Selection, &f.H(0));
    EXPECT_EQ(f.ed->State().SelectionRoom, 2);
    EXPECT_TRUE(f.ed->State().PopupAuto);
    f.ed->SelectCell(1, 1); // K0 has nothing there
    EXPECT_EQ(f.ed->State().Selection, &f.plan->LeerStunde);
    EXPECT_EQ(f.ed->State().SelectedSlot(), SlotOf(1, 1));
    // A course hour lists K2: the first part in room order is the selection.
    f.ed->Show(Ansicht::Klasse, 2);
    f.ed->SelectCell(1, 1);
    EXPECT_EQ(f.ed->State().Selection, &f.H(1));
    // The teacher view finds the teacher's own part, the room view the room's cell.
    f.ed->Show(Ansicht::Lehrer, 2);
    f.ed->SelectCell(1, 1);
    EXPECT_EQ(f.ed->State().Selection, &f.H(2));
    EXPECT_EQ(f.ed->State().SelectionRoom, 3);
    f.ed->Show(Ansicht::Raum, 0);
    f.ed->SelectCell(1, 1);
    EXPECT_EQ(f.ed->State().Selection, &f.plan->LeerStunde);
    EXPECT_EQ(f.ed->State().SelectionRoom, 0);
    // Nothing shown: the selection is cleared and nothing happens.
    f.ed->Show(Ansicht::Lehrer, -1);
    EXPECT_EQ(f.ed->SelectCell(0, 1).What, Ergebnis::Nichts);
    EXPECT_EQ(f.ed->State().Selection, nullptr);
    EXPECT_EQ(f.history.Size(), 0u);
}

TEST(EditMove, GoesIntoTheSecondRoomWhenTheFirstIsOccupied) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1}); // 0
    AddBlock(f.s, "L1", "K1", "F1", {1}); // 1
    f.Build();
    f.Rooms(0, {0, 1});
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 1, 2);
    f.Start(Ansicht::Klasse, 0);
    const PlanState before = f.State();
    f.ed->SelectCell(0, 1);
    const EditResult framed = f.ed->Move();
    EXPECT_EQ(framed.What, Ergebnis::ModusAn);
    EXPECT_FALSE(framed.Refresh);
    EXPECT_TRUE(f.ed->State().MoveMode);
    EXPECT_TRUE(f.ed->State().IsCandidate(SlotOf(1, 2)));
    EXPECT_FALSE(f.ed->State().IsCandidate(SlotOf(0, 1))); // its own slot
    const EditResult moved = f.ed->SelectCell(1, 2);
    EXPECT_EQ(moved.What, Ergebnis::Geaendert);
    EXPECT_TRUE(moved.Refresh);
    EXPECT_EQ(f.Room(0), 1);
    EXPECT_EQ(f.Slot(0), SlotOf(1, 2));
    EXPECT_TRUE(f.plan->IsFree(0, SlotOf(0, 1)));
    // The refresh after the move leaves nothing selected and no mode on.
    EXPECT_EQ(f.ed->State().Selection, nullptr);
    EXPECT_FALSE(f.ed->State().MoveMode);
    EXPECT_FALSE(f.ed->State().Conflict);
    EXPECT_TRUE(f.ed->State().Candidates.empty());
    EXPECT_EQ(KeptTotalsDrift(*f.plan), "");
    ASSERT_TRUE(f.ed->Undo());
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
    EXPECT_TRUE(f.ed->CanRedo());
}

TEST(EditMove, AnHourOfADoubleLessonMovesWithItsWholeUnit) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {2}); // 0, 1: one double lesson
    AddBlock(f.s, "L1", "K0", "F1", {1}); // 2
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 0, 2);
    f.Put(2, 1, 2, 1);
    f.Start(Ansicht::Klasse, 0);
    const PlanState before = f.State();
    f.ed->SelectCell(0, 2); // the second hour
    f.ed->Move();
    // The unit is shifted so that the selected hour lands on the target: one hour later on the
    // same day is a target, the first hour of a day is not (the unit would begin at hour 0).
    EXPECT_TRUE(f.ed->State().IsCandidate(SlotOf(0, 3)));
    EXPECT_TRUE(f.ed->State().IsCandidate(SlotOf(1, 6)));
    EXPECT_FALSE(f.ed->State().IsCandidate(SlotOf(1, 1)));
    EXPECT_FALSE(f.ed->State().IsCandidate(SlotOf(2, 2)));   // K0 has F1 at (2, 1)
    EXPECT_EQ(PlanState::Difference(before, f.State()), ""); // framing changes nothing
    EXPECT_EQ(f.ed->SelectCell(0, 3).What, Ergebnis::Geaendert);
    EXPECT_EQ(f.Slot(0), SlotOf(0, 2));
    EXPECT_EQ(f.Slot(1), SlotOf(0, 3));
    const InvariantReport check = CheckInvariants(*f.plan, true);
    EXPECT_TRUE(check.Ok()) << (check.Ok() ? "" : check.Violations.front());
    // A target the unit cannot take is refused whole, with the reason of the hour that failed.
    f.ed->SelectCell(0, 3);
    f.ed->Move();
    EXPECT_EQ(f.ed->SelectCell(2, 2).What, Ergebnis::Abgelehnt);
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Klasse);
    EXPECT_TRUE(f.ed->State().Conflict);
    EXPECT_EQ(f.Slot(0), SlotOf(0, 2));
    EXPECT_EQ(f.Slot(1), SlotOf(0, 3));
    // The refusal stays while the same class is shown and goes with another view.
    f.ed->Show(Ansicht::Klasse, 0);
    EXPECT_TRUE(f.ed->State().Conflict);
    f.ed->Show(Ansicht::Lehrer, 0);
    EXPECT_FALSE(f.ed->State().Conflict);
    ASSERT_TRUE(f.ed->Undo());
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
}

TEST(EditMove, TeacherClashIsRefusedAndChangesNothing) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1}); // 0
    AddBlock(f.s, "L0", "K1", "F1", {1}); // 1
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 1, 2);
    f.Start(Ansicht::Lehrer, 0);
    const PlanState before = f.State();
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    EXPECT_FALSE(f.ed->State().IsCandidate(SlotOf(1, 2)));
    const EditResult r = f.ed->SelectCell(1, 2); // not framed, still tried
    EXPECT_EQ(r.What, Ergebnis::Abgelehnt);
    EXPECT_TRUE(r.Refresh);
    EXPECT_TRUE(f.ed->State().Conflict);
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Lehrer);
    EXPECT_EQ(f.plan->Conflict().KonfliktLehrer, 0);
    EXPECT_STREQ(CPlan::KonfliktText(f.plan->Conflict().KonfliktArt), "Lehrer");
    EXPECT_EQ(f.ed->State().Selection, nullptr);
    EXPECT_FALSE(f.ed->State().MoveMode);
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
    EXPECT_FALSE(f.ed->CanUndo());
    // The conflict flag stays through a refresh; a later successful move clears it.
    f.ed->Reset();
    EXPECT_TRUE(f.ed->State().Conflict);
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    EXPECT_EQ(f.ed->SelectCell(2, 2).What, Ergebnis::Geaendert);
    EXPECT_FALSE(f.ed->State().Conflict);
}

TEST(EditMove, OwnSlotIsNeverFramedButAClickThereTriesTheOtherRooms) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Rooms(0, {0, 3});
    f.Put(0, 0, 2, 2);
    f.Start(Ansicht::Klasse, 0);
    f.ed->SelectCell(2, 2);
    f.ed->Move();
    EXPECT_FALSE(f.ed->State().IsCandidate(SlotOf(2, 2)));
    // Every other slot of the week in use is framed, with its first room.
    EXPECT_EQ(f.ed->State().Candidates.size(), 5u * 6u - 1u);
    EXPECT_EQ(f.ed->SelectCell(2, 2).What, Ergebnis::Geaendert);
    EXPECT_EQ(f.Room(0), 3);
    EXPECT_EQ(f.Slot(0), SlotOf(2, 2));
}

TEST(EditMove, LockedFirstRoomRefusesAlthoughALaterRoomFits) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Rooms(0, {0, 1});
    f.Put(0, 1, 0, 1);
    f.s.Raeume[0].Sperre[SlotOf(2, 3)] = 1;
    f.Start(Ansicht::Klasse, 0);
    const PlanState before = f.State();
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    // The framing tries every candidate room: room 1 fits.
    const auto& st = f.ed->State();
    ASSERT_TRUE(st.IsCandidate(SlotOf(2, 3)));
    const auto at = std::find(st.Candidates.begin(), st.Candidates.end(), SlotOf(2, 3));
    EXPECT_EQ(st.ChosenRooms[static_cast<std::size_t>(at - st.Candidates.begin())], 1);
    // The move itself stops at the lock of the first room.
    EXPECT_EQ(f.ed->SelectCell(2, 3).What, Ergebnis::Abgelehnt);
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Sperrung);
    EXPECT_EQ(f.plan->Conflict().KonfliktRaum, 0);
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
}

TEST(EditMove, RoomViewMovesIntoTheShownRoomOnly) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1}); // 0
    AddBlock(f.s, "L1", "K1", "F1", {1}); // 1
    f.Build();
    f.Put(0, 2, 0, 1);
    f.Put(1, 2, 3, 3);
    f.Start(Ansicht::Raum, 2);
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    EXPECT_EQ(f.ed->SelectCell(3, 3).What, Ergebnis::Abgelehnt); // its room is taken
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Raum);
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    EXPECT_EQ(f.ed->SelectCell(4, 4).What, Ergebnis::Geaendert);
    EXPECT_EQ(f.Room(0), 2);
    EXPECT_EQ(f.Slot(0), SlotOf(4, 4));
}

TEST(EditMove, ThreePartCourseMovesOnlyWhenAllPartsFindDistinctRooms) {
    EditFixture f;
    AddBlock(f.s, "L3", "K2", "F0", {1, 1});                    // 0, 1
    AddCourse(f.s, "C", {"L0", "L1", "L2"}, {"K0", "K1"}, {1}); // 2, 3, 4
    f.Build();
    f.Put(2, 0, 0, 1);
    f.Put(3, 1, 0, 1);
    f.Put(4, 2, 0, 1);
    f.Put(0, 1, 1, 1); // room 1 taken at (1, 1)
    f.Put(1, 1, 2, 1); // room 1 taken at (2, 1), and room 3 locked there
    f.s.Raeume[3].Sperre[SlotOf(2, 1)] = 1;
    f.Start(Ansicht::Klasse, 1);
    const PlanState before = f.State();
    f.ed->SelectCell(0, 1);
    ASSERT_EQ(f.ed->State().Selection, &f.H(2));
    f.ed->Move();
    EXPECT_TRUE(f.ed->State().IsCandidate(SlotOf(1, 1)));
    EXPECT_FALSE(f.ed->State().IsCandidate(SlotOf(2, 1)));
    // At (2, 1) the third part finds only the locked room: nothing moves.
    EXPECT_EQ(f.ed->SelectCell(2, 1).What, Ergebnis::Abgelehnt);
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Sperrung);
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
    // At (1, 1) the parts take rooms 0, 2 and 3, first fit.
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    EXPECT_EQ(f.ed->SelectCell(1, 1).What, Ergebnis::Geaendert);
    EXPECT_EQ(f.Room(2), 0);
    EXPECT_EQ(f.Room(3), 2);
    EXPECT_EQ(f.Room(4), 3);
    for (int i = 2; i < 5; ++i)
        EXPECT_EQ(f.Slot(i), SlotOf(1, 1));
    for (int r = 0; r < 3; ++r)
        EXPECT_TRUE(f.plan->IsFree(r, SlotOf(0, 1)));
    f.ed->Undo();
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
}

TEST(EditMove, CourseScanSkipsSlotsWhereAnotherClassOfTheCourseIsBusy) {
    EditFixture f;
    AddBlock(f.s, "L2", "K1", "F0", {1});                 // 0
    AddCourse(f.s, "C", {"L0", "L1"}, {"K0", "K1"}, {1}); // 1, 2
    f.Build();
    f.Put(1, 0, 0, 1);
    f.Put(2, 1, 0, 1);
    f.Put(0, 2, 3, 4);
    f.Start(Ansicht::Klasse, 0);
    f.ed->SelectCell(0, 1);
    ASSERT_EQ(f.ed->State().Selection, &f.H(1));
    f.ed->Move();
    EXPECT_FALSE(f.ed->State().IsCandidate(SlotOf(3, 4)));
    EXPECT_TRUE(f.ed->State().IsCandidate(SlotOf(3, 5)));
}

TEST(EditMove, HourZeroIsScannedAndFramedOnlyWhereTheWeekHasIt) {
    for (bool nullte : {false, true}) {
        EditFixture f;
        f.s.Angaben.Nullte = nullte;
        AddBlock(f.s, "L0", "K0", "F0", {1});
        f.Build();
        f.Put(0, 0, 0, 1);
        f.Start(Ansicht::Klasse, 0);
        f.ed->SelectCell(0, 1);
        f.ed->Move();
        // The placement check refuses a slot outside the week in use, so without the 0th hour
        // the scan of hour 0 frames nothing.
        EXPECT_EQ(f.ed->State().IsCandidate(SlotOf(2, 0)), nullte) << nullte;
        EXPECT_EQ(f.ed->State().Candidates.front(), nullte ? SlotOf(0, 0) : SlotOf(0, 2));
        EXPECT_EQ(f.ed->SelectCell(2, 0).What, nullte ? Ergebnis::Geaendert : Ergebnis::Abgelehnt);
    }
}

// With every other slot of the class locked nothing can be framed: the planner is told so (the
// command said nothing before); a framed slot means no note.
TEST(EditMove, NoFreeSlotIsSaidAtOnce) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Put(0, 0, 0, 1);
    for (int d = 0; d < 5; ++d)
        for (int h = 0; h <= 6; ++h)
            if (d != 0 || h != 1) f.s.Klassen[0].Sperre[SlotOf(d, h)] = 1;
    f.Start(Ansicht::Klasse, 0);
    f.ed->SelectCell(0, 1);
    EXPECT_EQ(f.ed->Move().What, Ergebnis::ModusAn);
    EXPECT_TRUE(f.ed->State().Candidates.empty());
    EXPECT_TRUE(f.ed->State().MoveMode);
    EXPECT_EQ(f.answers.shown, (std::vector<Message>{{texte::KeinFreierPlatz, "Hinweis"}}));
    f.s.Klassen[0].Sperre[SlotOf(3, 4)] = 0;
    f.ed->Escape();
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    EXPECT_EQ(f.ed->State().Candidates, std::vector<int>{SlotOf(3, 4)});
    EXPECT_EQ(f.answers.shown.size(), 1u);
}

TEST(EditMove, NeedsALessonHour) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Start(Ansicht::Klasse, 0);
    EXPECT_EQ(f.ed->Move().What, Ergebnis::Nichts); // nothing selected
    f.ed->SelectCell(1, 1);                         // an empty cell
    EXPECT_EQ(f.ed->Move().What, Ergebnis::Nichts);
    EXPECT_FALSE(f.ed->State().MoveMode);
    // An empty cell selected in move mode is a new selection, never a move.
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    f.ed->Escape();
    EXPECT_FALSE(f.ed->State().MoveMode);
    EXPECT_EQ(f.ed->SelectCell(1, 1).What, Ergebnis::Ausgewaehlt);
    EXPECT_EQ(f.Slot(0), SlotOf(0, 1));
}

TEST(EditSearch, FramesTheShownEntitysHoursThatFitTheEmptyCell) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});                 // 0
    AddBlock(f.s, "L1", "K0", "F1", {1});                 // 1
    AddBlock(f.s, "L2", "K0", "F2", {1});                 // 2
    AddCourse(f.s, "C", {"L3", "L2"}, {"K0", "K1"}, {1}); // 3, 4
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 1, 1);
    f.Put(2, 0, 2, 1);
    f.Put(3, 0, 3, 1);
    f.Put(4, 1, 3, 1);
    f.s.Lehrer[1].Sperre[SlotOf(4, 4)] = 1; // L1 may not stand at the empty cell
    f.H(2).OberesLimit = 1;                 // F2 only up to hour 2
    f.H(2).Zeit = 2;
    f.Start(Ansicht::Klasse, 0);
    f.ed->SelectCell(4, 4);
    const EditResult r = f.ed->Search();
    EXPECT_EQ(r.What, Ergebnis::ModusAn);
    EXPECT_TRUE(f.ed->State().SearchMode);
    EXPECT_EQ(f.ed->State().Candidates, (std::vector<int>{SlotOf(0, 1), SlotOf(3, 1)}));
    // Selecting a framed lesson and moving it there moves it.
    f.ed->SelectCell(3, 1);
    f.ed->Move();
    EXPECT_EQ(f.ed->SelectCell(4, 4).What, Ergebnis::Geaendert);
    EXPECT_EQ(f.Slot(3), SlotOf(4, 4));
    EXPECT_EQ(f.Slot(4), SlotOf(4, 4));
    // A lesson hour selected: the search switches off.
    f.ed->SelectCell(4, 4);
    EXPECT_EQ(f.ed->Search().What, Ergebnis::Nichts);
    EXPECT_FALSE(f.ed->State().SearchMode);
}

TEST(EditSearch, RoomViewKeepsTheShownRoomForTheHourStandingInIt) {
    EditFixture f;
    AddCourse(f.s, "C", {"L0", "L1"}, {"K0"}, {1}); // 0, 1
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 1, 0, 1);
    f.s.Raeume[1].Sperre[SlotOf(1, 1)] = 1;
    f.s.Raeume[1].Sperre[SlotOf(1, 2)] = 1;
    f.Start(Ansicht::Raum, 1);
    f.ed->SelectCell(1, 1); // room 1 is locked here: its part cannot stay in it
    f.ed->Search();
    EXPECT_TRUE(f.ed->State().SearchMode);
    EXPECT_TRUE(f.ed->State().Candidates.empty());
    f.ed->Show(Ansicht::Raum, 0);
    f.ed->SelectCell(1, 3); // part 0 stays in room 0, part 1 takes room 1
    f.ed->Search();
    EXPECT_EQ(f.ed->State().Candidates, (std::vector<int>{SlotOf(0, 1)}));
    // Part 1 meets the lock of room 1 first and gives up, although rooms 2 and 3 are free.
    f.ed->SelectCell(1, 2);
    f.ed->Search();
    EXPECT_TRUE(f.ed->State().Candidates.empty());
}

TEST(EditSwap, FramesPartnersAndSwapsForReal) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1}); // 0
    AddBlock(f.s, "L1", "K0", "F1", {1}); // 1
    AddBlock(f.s, "L2", "K0", "F2", {2}); // 2, 3: a double lesson
    AddBlock(f.s, "L3", "K1", "F0", {1}); // 4
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 1, 2);
    f.Put(2, 0, 2, 3);
    f.Put(3, 0, 2, 4);
    f.Put(4, 1, 1, 2);
    f.Start(Ansicht::Klasse, 0);
    const PlanState before = f.State();
    EXPECT_EQ(f.ed->Swap().What, Ergebnis::Nichts);
    f.ed->SelectCell(0, 1);
    EXPECT_EQ(f.ed->Swap().What, Ergebnis::ModusAn);
    EXPECT_TRUE(f.ed->State().SwapMode);
    EXPECT_EQ(f.ed->State().Candidates, (std::vector<int>{SlotOf(1, 2)}));
    EXPECT_EQ(PlanState::Difference(before, f.State()), ""); // the framing only tests
    // A click on an empty cell keeps swap mode.
    EXPECT_EQ(f.ed->SelectCell(4, 4).What, Ergebnis::Nichts);
    EXPECT_TRUE(f.ed->State().SwapMode);
    // A double lesson is refused: the conflict names it.
    const EditResult refused = f.ed->SelectCell(2, 3);
    EXPECT_EQ(refused.What, Ergebnis::Abgelehnt);
    EXPECT_TRUE(refused.Refresh);
    EXPECT_TRUE(f.ed->State().Conflict);
    EXPECT_EQ(f.plan->Conflict().KonfliktStunde, &f.H(2));
    EXPECT_FALSE(f.ed->State().SwapMode);
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
    // The real swap.
    f.ed->SelectCell(0, 1);
    f.ed->Swap();
    const EditResult done = f.ed->SelectCell(1, 2);
    EXPECT_EQ(done.What, Ergebnis::Geaendert);
    EXPECT_FALSE(done.Refresh);
    EXPECT_FALSE(f.ed->State().SwapMode);
    EXPECT_FALSE(f.ed->State().Conflict);
    EXPECT_EQ(f.ed->State().Selection, nullptr);
    EXPECT_EQ(f.Slot(0), SlotOf(1, 2));
    EXPECT_EQ(f.Slot(1), SlotOf(0, 1));
    EXPECT_EQ(f.Room(0), 0);
    EXPECT_EQ(KeptTotalsDrift(*f.plan), "");
    const PlanState after = f.State();
    ASSERT_TRUE(f.ed->Undo());
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
    ASSERT_TRUE(f.ed->Redo());
    EXPECT_EQ(PlanState::Difference(after, f.State()), "");
}

TEST(EditSwap, TeacherViewSwapsTheTeachersLessonsOfDifferentClasses) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1}); // 0
    AddBlock(f.s, "L0", "K1", "F0", {1}); // 1
    AddBlock(f.s, "L1", "K1", "F1", {1}); // 2: K1 at the first slot too
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 1, 1);
    f.Put(2, 1, 0, 1);
    f.Start(Ansicht::Lehrer, 0);
    f.ed->SelectCell(0, 1);
    f.ed->Swap();
    // K0 is free at (1, 1) while K1 is busy at both slots: the class groups differ.
    EXPECT_TRUE(f.ed->State().Candidates.empty());
    EXPECT_EQ(f.ed->SelectCell(1, 1).What, Ergebnis::Abgelehnt);
}

TEST(EditFixedTime, TwiceOnARoomFixedHourGivesItsTimeBackAndClearsTheLimits) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Put(0, 0, 2, 3);
    CStunde& h = f.H(0);
    h.Modus = Modus::RaumFest;
    h.NurUrPlan = 1;
    h.OberesLimit = 1;
    h.Zeit = 4;
    f.Start(Ansicht::Klasse, 0);
    f.ed->SelectCell(2, 3);
    EXPECT_FALSE(f.ed->Popup().FixedTimeChecked);
    const EditResult r = f.ed->FixedTime();
    EXPECT_EQ(r.What, Ergebnis::Geaendert);
    EXPECT_FALSE(r.Refresh);
    EXPECT_EQ(h.Modus, Modus::ZeitUndRaumFest);
    EXPECT_EQ(h.Zeit, SlotOf(2, 3));
    EXPECT_TRUE(f.ed->Popup().FixedTimeChecked);
    f.ed->FixedTime();
    EXPECT_EQ(h.Modus, Modus::RaumFest);
    EXPECT_EQ(h.Zeit, kNoSlot);
    EXPECT_EQ(h.OberesLimit, 0);
    EXPECT_EQ(h.UnteresLimit, 0);
    EXPECT_EQ(h.NurUrPlan, 0);
    EXPECT_EQ(f.history.Size(), 2u);
    f.ed->Undo();
    f.ed->Undo();
    EXPECT_EQ(h.Modus, Modus::RaumFest);
    EXPECT_EQ(h.Zeit, 4);
    EXPECT_EQ(h.OberesLimit, 1);
    EXPECT_EQ(h.NurUrPlan, 1);
}

TEST(EditFixedTime, FreeHourGetsItsSlotAndTheKeyOnAnEmptyCellStaysOffTheHistory) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Put(0, 0, 2, 3);
    f.Start(Ansicht::Klasse, 0);
    f.ed->SelectCell(2, 3);
    f.ed->FixedTime();
    EXPECT_EQ(f.H(0).Modus, Modus::ZeitFest);
    EXPECT_EQ(f.H(0).Zeit, SlotOf(2, 3));
    f.ed->SelectCell(4, 4);
    EXPECT_EQ(f.ed->FixedTime().What, Ergebnis::Nichts);
    EXPECT_EQ(f.ed->FixedDay().What, Ergebnis::Nichts);
    EXPECT_EQ(f.history.Size(), 1u);
    EXPECT_EQ(f.plan->LeerStunde.Lehrer, -1);
}

TEST(EditFixedDay, TogglesTheDayOfTheSelectedHourOnly) {
    EditFixture f;
    AddCourse(f.s, "C", {"L0", "L1"}, {"K0"}, {1});
    f.Build();
    f.Put(0, 0, 3, 2);
    f.Put(1, 1, 3, 2);
    f.Start(Ansicht::Lehrer, 1);
    f.ed->SelectCell(3, 2);
    EXPECT_FALSE(f.ed->Popup().FixedDayChecked);
    f.ed->FixedDay();
    EXPECT_EQ(f.H(1).Tag, 3);
    EXPECT_EQ(f.H(1).TagesLimit, 1);
    EXPECT_EQ(f.H(0).Tag, -1);
    EXPECT_TRUE(f.ed->Popup().FixedDayChecked);
    f.ed->FixedDay();
    EXPECT_EQ(f.H(1).Tag, -1);
    EXPECT_EQ(f.H(1).TagesLimit, 0);
}

TEST(EditLimits, CourseHourTogglesEveryPartByItsOwnFlag) {
    EditFixture f;
    AddCourse(f.s, "C", {"L0", "L1", "L2"}, {"K0"}, {1});
    f.Build();
    for (int i = 0; i < 3; ++i)
        f.Put(i, i, 1, 3);
    f.H(0).OberesLimit = 1;
    f.H(0).Zeit = 5;
    f.H(2).UnteresLimit = 1;
    f.H(2).Zeit = 2;
    f.Start(Ansicht::Klasse, 0);
    f.ed->SelectCell(1, 3);
    ASSERT_EQ(f.ed->State().Selection, &f.H(0));
    EXPECT_EQ(f.ed->UpperLimit().What, Ergebnis::Geaendert);
    EXPECT_EQ(f.H(0).OberesLimit, 0);
    EXPECT_EQ(f.H(0).Zeit, kNoSlot);
    for (int i : {1, 2}) {
        EXPECT_EQ(f.H(i).OberesLimit, 1) << i;
        EXPECT_EQ(f.H(i).UnteresLimit, 0) << i;
        EXPECT_EQ(f.H(i).Zeit, 3) << i; // the hour only, no day
    }
    f.ed->LowerLimit();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(f.H(i).UnteresLimit, 1) << i;
        EXPECT_EQ(f.H(i).OberesLimit, 0) << i;
    }
    f.ed->Undo();
    f.ed->Undo();
    EXPECT_EQ(f.H(0).OberesLimit, 1);
    EXPECT_EQ(f.H(0).Zeit, 5);
    EXPECT_EQ(f.H(1).Zeit, kNoSlot);
    EXPECT_EQ(f.H(2).UnteresLimit, 1);
    EXPECT_EQ(f.H(2).Zeit, 2);
    // No lesson selected: the limit keys do nothing.
    f.ed->SelectCell(0, 1);
    EXPECT_EQ(f.ed->UpperLimit().What, Ergebnis::Nichts);
}

TEST(EditLimits, OverwriteTheFixedSlotOfATimeFixedHour) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Put(0, 0, 2, 4);
    f.H(0).Modus = Modus::ZeitFest;
    f.H(0).Zeit = SlotOf(2, 4);
    f.Start(Ansicht::Klasse, 0);
    f.ed->SelectCell(2, 4);
    f.ed->LowerLimit();
    EXPECT_EQ(f.H(0).Modus, Modus::ZeitFest);
    EXPECT_EQ(f.H(0).Zeit, 4);
}

TEST(EditLock, TogglesTheShownClasssLockOnAnEmptyCellOnly) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Start(Ansicht::Klasse, 0);
    const int slot = SlotOf(3, 4);
    f.ed->SelectCell(3, 4);
    EXPECT_FALSE(f.ed->Popup().LockChecked);
    const EditResult r = f.ed->Lock();
    EXPECT_EQ(r.What, Ergebnis::Geaendert);
    EXPECT_FALSE(r.Refresh);
    EXPECT_EQ(f.s.Klassen[0].Sperre[slot], 1);
    EXPECT_EQ(f.s.Lehrer[0].Sperre[slot], 0);
    EXPECT_EQ(f.ed->State().Selection, nullptr);
    EXPECT_FALSE(f.ed->State().PopupAuto);
    // The placement check sees the new lock at once.
    EXPECT_NE(CheckPlacement(*f.plan, f.H(0), slot, 1), nullptr);
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Sperrung);
    f.ed->SelectCell(3, 4);
    EXPECT_TRUE(f.ed->Popup().LockChecked);
    f.ed->Lock();
    EXPECT_EQ(f.s.Klassen[0].Sperre[slot], 0);
    // On an occupied cell nothing happens.
    f.ed->SelectCell(0, 1);
    EXPECT_EQ(f.ed->Lock().What, Ergebnis::Nichts);
    EXPECT_EQ(f.s.Klassen[0].Sperre[SlotOf(0, 1)], 0);
    EXPECT_EQ(f.ed->State().Selection, &f.H(0));
    // Undo gives the lock back, redo takes it again.
    f.ed->Undo();
    EXPECT_EQ(f.s.Klassen[0].Sperre[slot], 1);
    f.ed->Redo();
    EXPECT_EQ(f.s.Klassen[0].Sperre[slot], 0);
    // Each of the four changed plan and master data (a lock is master data): they count for
    // "changed since the last save". The refused lock on the occupied cell did not.
    EXPECT_EQ(f.plan->Aenderungen.Value(), 4u);
    EXPECT_EQ(f.s.Aenderungen.Value(), 4u);
}

// A move counts as a change of the plan (not of the master data); framing the candidates, which
// tries hours out and puts them back, does not.
TEST(EditMove, OnlyTheMoveItselfCountsAsAChange) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {2});
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 0, 2);
    f.Start(Ansicht::Klasse, 0);
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    f.ed->Swap();
    f.ed->Escape();
    EXPECT_EQ(f.plan->Aenderungen.Value(), 0u);
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    EXPECT_EQ(f.ed->SelectCell(2, 3).What, Ergebnis::Geaendert);
    EXPECT_EQ(f.plan->Aenderungen.Value(), 1u);
    EXPECT_EQ(f.s.Aenderungen.Value(), 0u);
    f.ed->Undo();
    EXPECT_EQ(f.plan->Aenderungen.Value(), 2u);
    EXPECT_EQ(f.s.Aenderungen.Value(), 0u);
}

TEST(EditLock, TeacherAndRoomViewsLockTheirOwnGrid) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Start(Ansicht::Lehrer, 2);
    f.ed->SelectCell(1, 1);
    f.ed->Lock();
    EXPECT_EQ(f.s.Lehrer[2].Sperre[SlotOf(1, 1)], 1);
    f.ed->Show(Ansicht::Raum, 3);
    f.ed->SelectCell(1, 2);
    f.ed->Lock();
    EXPECT_EQ(f.s.Raeume[3].Sperre[SlotOf(1, 2)], 1);
}

TEST(EditRoom, ChoicesAreTheCandidateRoomsThatPassTheCheck) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1}); // 0
    AddBlock(f.s, "L1", "K1", "F0", {1}); // 1
    f.Build();
    f.Rooms(0, {2, 0, 1});
    f.Put(0, 0, 1, 1);
    f.Put(1, 1, 1, 1);
    f.s.Raeume[3].Sperre[SlotOf(1, 1)] = 1;
    f.Start(Ansicht::Klasse, 0);
    EXPECT_TRUE(f.ed->RoomChoices(false).empty()); // nothing selected
    f.ed->SelectCell(1, 1);
    EXPECT_EQ(f.ed->RoomChoices(false), (std::vector<int>{2}));
    EXPECT_EQ(f.ed->RoomChoices(true), (std::vector<int>{2}));
    f.s.Raeume[3].Sperre[SlotOf(1, 1)] = 0;
    EXPECT_EQ(f.ed->RoomChoices(true), (std::vector<int>{2, 3}));
}

TEST(EditRoom, ARoomOutsideTheCandidatesIsAskedAboutAndNoKeepsThePlan) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Rooms(0, {0});
    f.Put(0, 0, 1, 1);
    f.s.Raeume[2].Name = "Physik";
    f.Start(Ansicht::Klasse, 0, false);
    const PlanState before = f.State();
    f.ed->SelectCell(1, 1);
    const EditResult r = f.ed->SetRoom(2);
    EXPECT_EQ(r.What, Ergebnis::Abgebrochen);
    EXPECT_FALSE(r.Refresh);
    ASSERT_EQ(f.sayNo.asked.size(), 1u);
    EXPECT_EQ(f.sayNo.asked[0].Text,
              "Der Raum Physikist nicht für diese Stunde vorgesehen.\nSoll der Raum ab jetzt für "
              "diese Stunde freigegeben werden?");
    EXPECT_EQ(f.sayNo.asked[0].Title, "Anfrage");
    EXPECT_EQ(*f.H(0).RaumL, (IntList{0}));
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
    EXPECT_FALSE(f.ed->CanUndo());
    EXPECT_EQ(f.ed->State().Selection, &f.H(0)); // no refresh
}

TEST(EditRoom, YesGrantsTheRoomAndUndoTakesItBack) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Rooms(0, {0});
    f.Put(0, 0, 1, 1);
    f.Start(Ansicht::Klasse, 0);
    const PlanState before = f.State();
    f.ed->SelectCell(1, 1);
    const EditResult r = f.ed->SetRoom(3);
    EXPECT_EQ(r.What, Ergebnis::Geaendert);
    EXPECT_TRUE(r.Refresh);
    EXPECT_EQ(f.answers.asked.size(), 1u);
    EXPECT_EQ(*f.H(0).RaumL, (IntList{0, 3}));
    EXPECT_EQ(f.Room(0), 3);
    EXPECT_EQ(f.Slot(0), SlotOf(1, 1));
    EXPECT_EQ(f.ed->State().Selection, nullptr);
    f.ed->Undo();
    EXPECT_EQ(*f.H(0).RaumL, (IntList{0}));
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
    f.ed->Redo();
    EXPECT_EQ(*f.H(0).RaumL, (IntList{0, 3}));
    EXPECT_EQ(f.Room(0), 3);
    // A candidate room needs no question; the cancel and a bad index only refresh.
    f.ed->SelectCell(1, 1);
    EXPECT_EQ(f.ed->SetRoom(0).What, Ergebnis::Geaendert);
    EXPECT_EQ(f.answers.asked.size(), 1u);
    f.ed->SelectCell(1, 1);
    EXPECT_EQ(f.ed->SetRoom(-1).What, Ergebnis::Nichts);
    f.ed->SelectCell(1, 1);
    const EditResult cancel = f.ed->CancelRoom();
    EXPECT_EQ(cancel.What, Ergebnis::Nichts);
    EXPECT_TRUE(cancel.Refresh);
    EXPECT_EQ(f.ed->State().Selection, nullptr);
}

TEST(EditRoom, AnOccupiedRoomIsRefused) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1}); // 0
    AddBlock(f.s, "L1", "K1", "F0", {1}); // 1
    f.Build();
    f.Put(0, 0, 1, 1);
    f.Put(1, 1, 1, 1);
    f.Start(Ansicht::Klasse, 0);
    const PlanState before = f.State();
    f.ed->SelectCell(1, 1);
    const EditResult r = f.ed->SetRoom(1);
    EXPECT_EQ(r.What, Ergebnis::Abgelehnt);
    EXPECT_TRUE(f.ed->State().Conflict);
    EXPECT_EQ(f.plan->Conflict().KonfliktArt, Konflikt::Raum);
    EXPECT_EQ(PlanState::Difference(before, f.State()), "");
}

TEST(EditPopup, EnablingAndLimitCaptions) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1}); // 0
    AddBlock(f.s, "L1", "K0", "F1", {1}); // 1
    AddBlock(f.s, "L2", "K0", "F2", {1}); // 2
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 0, 2);
    f.Put(2, 0, 0, 3);
    f.H(0).OberesLimit = 1;
    f.H(0).Zeit = 3;
    f.H(1).UnteresLimit = 1;
    f.H(1).Zeit = SlotOf(2, 5);
    f.Start(Ansicht::Klasse, 0);
    const PopupState idle = f.ed->Popup();
    EXPECT_EQ(idle.OberesLimit, "Oberes Limit         o");
    EXPECT_EQ(idle.UnteresLimit, "Unteres Limit        u");

    f.ed->SelectCell(0, 1);
    PopupState p = f.ed->Popup();
    EXPECT_TRUE(p.Move && p.Swap && p.FixedTime && p.FixedDay);
    EXPECT_FALSE(p.Search || p.Lock);
    EXPECT_EQ(p.OberesLimit, "Oberes Limit (3)    o");
    EXPECT_EQ(p.UnteresLimit, "Unteres Limit       u");

    f.ed->SelectCell(0, 2);
    p = f.ed->Popup();
    EXPECT_EQ(p.UnteresLimit, "Unteres Limit (5)   u");
    EXPECT_EQ(p.OberesLimit, "Oberes Limit        o");

    f.ed->SelectCell(0, 3);
    p = f.ed->Popup();
    EXPECT_EQ(p.OberesLimit, "Oberes Limit         o");
    EXPECT_EQ(p.UnteresLimit, "Unteres Limit        u");

    f.ed->SelectCell(0, 4); // an empty cell
    p = f.ed->Popup();
    EXPECT_TRUE(p.Search && p.Lock && p.FixedDay);
    EXPECT_FALSE(p.Move || p.Swap || p.FixedTime || p.LockChecked);

    // With nothing selected the items keep their last state.
    f.ed->SelectCell(0, 1);
    const PopupState last = f.ed->Popup();
    f.ed->Reset();
    const PopupState kept = f.ed->Popup();
    EXPECT_EQ(kept.OberesLimit, last.OberesLimit);
    EXPECT_EQ(kept.Move, last.Move);
}

TEST(EditEscape, ClearsModesSelectionAndConflict) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1}); // 0
    AddBlock(f.s, "L0", "K1", "F1", {1}); // 1
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 1, 2);
    f.Start(Ansicht::Lehrer, 0);
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    f.ed->SelectCell(1, 2);
    ASSERT_TRUE(f.ed->State().Conflict);
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    f.ed->Escape();
    EXPECT_FALSE(f.ed->State().Conflict);
    EXPECT_FALSE(f.ed->State().MoveMode);
    EXPECT_EQ(f.ed->State().Selection, nullptr);
    EXPECT_TRUE(f.ed->State().Candidates.empty());
    EXPECT_FALSE(f.ed->State().PopupAuto);
}

} // namespace
} // namespace sw
