// SPDX-License-Identifier: GPL-3.0-or-later
// EditHistory.h: the undo history of the manual edits of one plan. An edit is kept as what it
// changed: the cell changes of its moves (MoveRecord), the per-hour values it set, the lock cells
// it toggled, the rooms it added to candidate lists, and the figures and status records before
// and after it. Undo takes an edit back exactly; Redo does it again exactly. A new edit drops
// what was undone. The history is cleared whenever the plan is replaced or a stage runs.
#pragma once

#include "model/Slot.h"
#include "plan/MoveRecord.h"
#include "plan/Plan.h"

#include <vector>

namespace sw {

class EditHistory {
public:
    // The values of one lesson hour a manual edit may change.
    struct HourValues {
        std::int32_t Zeit = kNoSlot;
        sw::Modus Modus = sw::Modus::Frei;
        Flag OberesLimit = 0, UnteresLimit = 0, TagesLimit = 0, NurUrPlan = 0;
        std::int32_t Tag = -1;
        bool operator==(const HourValues&) const = default;
    };
    struct HourChange {
        CStunde* Hour;
        HourValues Before, After;
    };
    struct LockChange {
        LockGrid* Grid;
        int Slot;
        std::uint8_t Before, After;
    };
    struct RoomGrant {
        SharedInts List; // the candidate list the room was appended to
        int Room;
    };
    // The figures and status records of the plan at one moment.
    struct Figures {
        PlanTotals Totals;
        std::vector<CLehrerStatus> Lehrer;
        std::vector<CKlassenStatus> Klassen;
    };
    struct Edit {
        std::vector<MoveRecord> Moves; // taken back in reverse order
        std::vector<HourChange> Hours;
        std::vector<LockChange> Locks;
        std::vector<RoomGrant> Rooms;
        Figures Before, After;
    };

    static HourValues ValuesOf(const CStunde& h);
    static void SetValues(CStunde& h, const HourValues& v);
    static Figures FiguresOf(const CPlan& plan);

    // Appends a finished edit; whatever was undone is dropped.
    void Push(Edit edit);
    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < edits_.size(); }
    // Whether the edit Undo would take back / Redo would do again toggles locks (master data).
    bool UndoLocks() const { return CanUndo() && !edits_[done_ - 1].Locks.empty(); }
    bool RedoLocks() const { return CanRedo() && !edits_[done_].Locks.empty(); }
    // Takes back the last done edit on `plan` / does the next undone one again.
    bool Undo(CPlan& plan);
    bool Redo(CPlan& plan);
    void Clear();
    std::size_t Size() const { return edits_.size(); }
    // How many of the kept edits are done (the rest were undone).
    std::size_t Done() const { return done_; }

private:
    std::vector<Edit> edits_;
    std::size_t done_ = 0;
};

} // namespace sw
