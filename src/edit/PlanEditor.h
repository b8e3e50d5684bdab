// SPDX-License-Identifier: GPL-3.0-or-later
// PlanEditor.h: editing the plan by hand, without a window. The planner selects a lesson hour or
// an empty cell of the shown teacher, class or room; moves the hour to another time, searches the
// hours that could fill the empty cell, swaps two lessons through the exchange move, puts the
// hour into another room, pins it to its time or day, gives it an hour limit, or locks the empty
// slot. Every placement is decided by CheckPlacement alone; a refusal changes nothing, sets the
// conflict flag and leaves its reason in the plan's conflict report.
//
//   idle --select--> hour selected --Move--> move mode --select target--> moved / refused --> idle
//                                  --Swap--> swap mode --select partner--> swapped / refused
//        --select--> empty cell selected --Search--> partners framed
//
// Every edit that changes the plan or the master data is written into the EditHistory, so that
// Undo and Redo take it back and do it again exactly; after each edit, undo and redo the plan's
// figures and status records are those of a fresh evaluation.
#pragma once

#include "edit/EditHistory.h"
#include "model/Stammdaten.h"
#include "optimise/Exchange.h"
#include "plan/Plan.h"
#include "plan/Random.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sw {

namespace texte {
// "Stunde verschieben" found no slot to frame: said at once rather than left to an empty grid.
inline constexpr const char* KeinFreierPlatz =
    "Kein freier Platz: Diese Stunde kann zu keiner anderen Zeit stehen.\nWird trotzdem ein Ziel "
    "angeklickt, nennt „Konflikt“ den Grund.";
} // namespace texte

// The view of the grid: the numbers are the index of the "Ansicht" radio group.
enum class Ansicht : std::int8_t { Lehrer = 0, Klasse = 1, Raum = 2 };

// The lesson a cell of the view shows at `slot`: teacher view the first room (in room order)
// with a lesson of the teacher, class view the first with a lesson involving the class (a course
// hour listing it counts), room view the room's own cell. nullptr when the cell is empty or
// nothing is shown (index -1). `room` receives the room it stands in.
CStunde* LessonAt(const CPlan& plan, Ansicht view, int index, int slot, int* room = nullptr);

// The editing state the grid window draws from.
struct EditState {
    // None (nullptr), a lesson hour, or the plan's LeerStunde for a selected empty cell.
    CStunde* Selection = nullptr;
    int Day = 0, Hour = 0;  // the selected cell; its slot is Day * 13 + Hour
    int SelectionRoom = -1; // the room the selected hour stands in; the shown room (room view)
    int ClickedDay = 0, ClickedHour = 0;
    bool MoveMode = false, SwapMode = false, SearchMode = false;
    std::vector<int> Candidates;    // slots framed in green
    std::vector<int> ChosenRooms;   // rooms picked for a course hour's parallel hours
    std::vector<int> PreviousRooms; // where they stood before a move
    bool Conflict = false;          // a refused edit; the conflict group shows the plan's report
    bool PopupAuto = false;         // the popup opens on the right button (a cell was selected)

    int SelectedSlot() const { return Day * kHoursPerDay + Hour; }
    bool IsCandidate(int slot) const;
};

// What a command did, and what the window does next.
enum class Ergebnis : std::uint8_t {
    Nichts,      // nothing happened: no fitting selection, or nothing shown
    Ausgewaehlt, // a cell was selected (repaint)
    ModusAn,     // move, search or swap mode is on, its candidates framed (repaint)
    Geaendert,   // the plan or the master data changed and the edit is on the history
    Abgelehnt,   // refused: the conflict flag is set, the plan is unchanged
    Abgebrochen, // set room: the planner said No to the question
};

struct EditResult {
    Ergebnis What = Ergebnis::Nichts;
    // The window refreshes (captions, statistics, conflict group; the editing state is reset)
    // rather than only repainting.
    bool Refresh = false;
};

// The popup menu's state when it opens: enabled and checked items and the limit captions.
struct PopupState {
    bool Move = false, Search = false, Swap = false;
    bool FixedTime = false, FixedTimeChecked = false;
    bool FixedDay = true, FixedDayChecked = false;
    bool Lock = false, LockChecked = false;
    std::string OberesLimit = "Oberes Limit         o";
    std::string UnteresLimit = "Unteres Limit        u";
};

class PlanEditor {
public:
    // The editor works on `plan` and the master data it was built from (`stamm`, which the lock
    // command changes), writes its edits into `history`, and asks its questions through
    // `reporter`. All must outlive it.
    PlanEditor(CPlan& plan, Stammdaten& stamm, EditHistory& history, Reporter& reporter);

    // What the grid shows; the window sets it before a refresh. Showing another teacher, class
    // or room clears the conflict flag.
    void Show(Ansicht view, int index);
    Ansicht View() const { return view_; }
    int Shown() const { return index_; }
    const EditState& State() const { return state_; }

    // The reset every refresh makes: modes off, selection cleared, candidate and room lists
    // emptied, the popup not offered automatically. The conflict flag stays.
    void Reset();
    // Esc: the reset and the conflict flag cleared.
    void Escape();

    // A cell is selected (mouse or keyboard): performs the move in move mode, the swap in swap
    // mode, otherwise selects the shown entity's lesson hour at the slot, or the empty cell.
    EditResult SelectCell(int day, int hour);

    // The popup's commands, each on the current selection.
    // "Stunde &verschieben": frames the slots the hour could move to; when the grid would show
    // none, says so ("Kein freier Platz: ...", title "Hinweis"). Move mode is on either way.
    EditResult Move();
    EditResult Search();     // "Stunde &Suchen": frames the hours that could fill the empty cell
    EditResult Swap();       // "Austausch": frames the partners of an exchange
    EditResult FixedTime();  // "Stunde zeitfest", key z
    EditResult FixedDay();   // "Tag setzen", key t
    EditResult UpperLimit(); // "Oberes Limit", key o
    EditResult LowerLimit(); // "Unteres Limit", key u
    EditResult Lock();       // "Stunde sperren", key s: the shown entity's lock at the empty cell

    // "Raum setzen ...": the rooms the dialog lists for the selected hour, as master-data room
    // indices: its candidate rooms (all rooms with `alleRaeume`) that pass the placement check at
    // the selected slot. Empty without a selected lesson hour.
    std::vector<int> RoomChoices(bool alleRaeume);
    // Puts the selected hour into `room` at its slot. A room outside the hour's candidates is
    // asked about first ("Der Raum ...", title "Anfrage"); Yes adds it to the candidates.
    // A room index outside the master data moves nothing.
    EditResult SetRoom(int room);
    // The dialog was cancelled: only a refresh.
    EditResult CancelRoom();

    PopupState Popup() const;

    // Takes back the last edit / does the last undone edit again; false when there is none.
    // The editing state is reset.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }

private:
    bool LessonSelected() const;
    // Whether index_ names a teacher, class or room of the shown view.
    bool ShownValid() const;
    // The lock grid of the shown teacher, class or room; nullptr when nothing is shown.
    LockGrid* ShownLocks() const;
    // The refresh that follows a command: the editing state reset.
    EditResult Refreshed(Ergebnis what);
    EditHistory::Edit StartEdit() const;
    // Evaluates the plan, notes the figures after the edit and puts it onto the history.
    void FinishEdit(EditHistory::Edit&& edit);
    EditResult Select();
    EditResult PerformMove();
    // Move mode with its candidates framed; the note when no candidate lies in a row of the grid.
    EditResult MoveFramed();
    EditResult PerformSwap();
    // Chooses a room at `slot` for every parallel hour of h (h alone for a subject hour) into
    // ChosenRooms, each the first of its candidate rooms not yet chosen that passes the check.
    // `anyRefusalTriesNext` clear: a refusal other than an occupied room gives the hour up.
    // `shownRoom` >= 0: that room is taken, and `inShownRoom` is checked for it alone.
    bool SeatParallels(CStunde& h, int slot, bool anyRefusalTriesNext, int shownRoom,
                       const CStunde* inShownRoom);
    // Whether lesson p could be moved to the selected empty cell e (the search).
    bool FitsAt(CStunde& p, int e);

    // An hour of a lesson of two or more hours moves with its whole unit (and each with its
    // parallel hours), so that a unit never stands split over the week: the unit is shifted so
    // that h lands at `slot`. How each hour finds its room:
    enum class UnitRooms : std::uint8_t {
        AnyRefusalTriesNext, // the framing: the first candidate room that passes
        OccupiedTriesNext,   // the move itself: another refusal than an occupied room gives up
        ShownRoom,           // the room view: subject hours into the shown room only
    };
    static bool IsUnitHour(const CPlan& plan, const CStunde& h);
    // Lifts the unit, seats every hour at its slot of the shifted unit into `record`; on a
    // refusal everything is put back and the answer is false (the plan's conflict report names
    // the refusal). A day that would not hold the unit is refused as the placement check refuses
    // a slot outside the week.
    bool ShiftUnit(CStunde& h, int slot, UnitRooms rooms, MoveRecord& record);
    // The same as a trial: the plan is put back either way.
    bool UnitFits(CStunde& h, int slot, UnitRooms rooms);
    EditResult ChangeHours(const std::vector<CStunde*>& hours,
                           void (*change)(CStunde&, const EditState&));
    EditResult Limit(void (*toggle)(CStunde&, const EditState&));

    CPlan& plan_;
    Stammdaten& stamm_;
    EditHistory& history_;
    Reporter& reporter_;
    Random rng_;            // the exchange move asks for one; the grid's swap never draws
    ExchangeMove exchange_; // sized for the plan once
    Ansicht view_ = Ansicht::Klasse;
    int index_ = -1;
    EditState state_;
    // The popup keeps its items when it opens with nothing selected.
    mutable PopupState lastPopup_;
    // The hours of a shifted unit with their slots, and the record of a trial shift.
    std::vector<std::pair<CStunde*, int>> unitHours_;
    MoveRecord trial_;
};

} // namespace sw
