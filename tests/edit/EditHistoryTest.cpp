// SPDX-License-Identifier: GPL-3.0-or-later
// The undo history: each kind of edit taken back and done again exactly, and hundreds of random
// edits on an example school, after each of which the plan holds together; undoing all of them
// gives back the start byte for byte, redoing all gives back the end.
#include "edit/EditSupport.h"
#include "optimise/InitialPlanRun.h"
#include "optimise/RunControl.h"
#include "plan/Invariants.h"
#include "plan/Snapshot.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace sw {
namespace {

using test::AddBlock;
using test::EditFixture;
using test::PlanState;

// Everything an edit may change, in the plan and in the master data.
struct Everything {
    PlanState state;
    PlanSnapshot snapshot;
    std::vector<Flag> nurUrPlan;
    std::vector<int> rooms; // per hour: the size of its candidate list, then the list
    std::vector<LockGrid> locks;

    static Everything Of(const CPlan& plan, const Stammdaten& s) {
        Everything e;
        e.state = PlanState::Of(plan);
        e.snapshot = TakeSnapshot(plan);
        // The conflict report is the last check's, not part of what an edit keeps.
        e.snapshot.Conflict = ConflictReport{};
        for (const auto& h : plan.StundenL) {
            e.nurUrPlan.push_back(h->NurUrPlan);
            e.rooms.push_back(h->RoomCount());
            if (h->RaumL) e.rooms.insert(e.rooms.end(), h->RaumL->begin(), h->RaumL->end());
        }
        for (const auto& l : s.Lehrer)
            e.locks.push_back(l.Sperre);
        for (const auto& k : s.Klassen)
            e.locks.push_back(k.Sperre);
        for (const auto& r : s.Raeume)
            e.locks.push_back(r.Sperre);
        return e;
    }
    // The first part that differs; empty when equal.
    static std::string Difference(const Everything& a, const Everything& b) {
        if (std::string d = PlanState::Difference(a.state, b.state); !d.empty()) return d;
        if (!(a.snapshot == b.snapshot)) return "Schnappschuss";
        if (a.nurUrPlan != b.nurUrPlan) return "NurUrPlan";
        if (a.rooms != b.rooms) return "RaumL";
        if (a.locks != b.locks) return "Sperren";
        return {};
    }
};

TEST(EditHistory, NewEditDropsWhatWasUndone) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Start(Ansicht::Klasse, 0);
    EXPECT_FALSE(f.ed->Undo());
    EXPECT_FALSE(f.ed->Redo());
    for (int hour : {2, 3, 4}) {
        f.ed->SelectCell(0, hour);
        f.ed->Lock();
    }
    EXPECT_EQ(f.history.Size(), 3u);
    f.ed->Undo();
    f.ed->Undo();
    EXPECT_EQ(f.history.Done(), 1u);
    EXPECT_TRUE(f.ed->CanRedo());
    f.ed->SelectCell(0, 1);
    f.ed->FixedDay();
    EXPECT_FALSE(f.ed->CanRedo());
    EXPECT_EQ(f.history.Size(), 2u);
    EXPECT_EQ(f.s.Klassen[0].Sperre[SlotOf(0, 3)], 0);
    f.history.Clear();
    EXPECT_FALSE(f.ed->CanUndo());
    EXPECT_EQ(f.H(0).Tag, 0); // clearing keeps the plan as it is
}

TEST(EditHistory, UndoAndRedoResetTheEditingState) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1});
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Start(Ansicht::Klasse, 0);
    f.ed->SelectCell(0, 1);
    f.ed->Move();
    f.ed->SelectCell(1, 1);
    f.ed->SelectCell(1, 1);
    f.ed->Move();
    ASSERT_TRUE(f.ed->State().MoveMode);
    ASSERT_TRUE(f.ed->Undo());
    EXPECT_FALSE(f.ed->State().MoveMode);
    EXPECT_EQ(f.ed->State().Selection, nullptr);
    EXPECT_EQ(f.Slot(0), SlotOf(0, 1));
}

TEST(EditHistory, FiguresFollowTheEditAndComeBackWithUndo) {
    EditFixture f;
    AddBlock(f.s, "L0", "K0", "F0", {1, 1}); // 0, 1
    f.Build();
    f.Put(0, 0, 0, 1);
    f.Put(1, 0, 0, 2);
    f.Start(Ansicht::Klasse, 0);
    EXPECT_EQ(f.plan->Totals().KLSSumme, 0);
    const auto before = EditHistory::FiguresOf(*f.plan);
    f.ed->SelectCell(0, 2);
    f.ed->Move();
    f.ed->SelectCell(0, 4); // a gap at hours 2 and 3
    EXPECT_EQ(f.plan->Totals().KLSSumme, 2);
    EXPECT_EQ(f.plan->KlassenStatusL[0].KLS, 2);
    EXPECT_EQ(KeptTotalsDrift(*f.plan), "");
    f.ed->Undo();
    EXPECT_EQ(f.plan->Totals().KLSSumme, 0);
    EXPECT_TRUE(f.plan->Totals() == before.Totals);
    EXPECT_EQ(f.plan->KlassenStatusL.Items(), before.Klassen);
    f.ed->Redo();
    EXPECT_EQ(f.plan->Totals().KLSSumme, 2);
}

// Answers the editor's questions at random.
class RandomAnswers : public Reporter {
public:
    explicit RandomAnswers(Random& rng) : rng_(rng) {}
    void Show(const Message& m) override { shown.push_back(m); }
    bool Ask(const Message& m, Question) override {
        asked.push_back(m);
        return rng_.Below(2) == 0;
    }
    std::vector<Message> shown, asked;

private:
    Random& rng_;
};

// An example school, planned, with an editor on it that makes random edits.
struct RandomEditing {
    RandomEditing(const std::string& file, std::uint32_t seed) : s(test::LoadExample(file)) {
        rng.Seed(seed);
    }
    Stammdaten s;
    CapturingReporter rep;
    CPlan plan{s, rep};
    Random rng{7};
    RandomAnswers answers{rng};
    EditHistory history;
    std::unique_ptr<PlanEditor> ed;
    int counts[12] = {};

    void Start() {
        plan.BuildLessonHours();
        RunControl run;
        Random planRng;
        ASSERT_TRUE(RunInitialPlan(&plan, planRng, rep, run, 1000, 11).Complete());
        EvaluateAll(plan);
        ed = std::make_unique<PlanEditor>(plan, s, history, answers);
    }
    int Day() { return rng.Below(plan.Tage); }
    int Hour() { return rng.Below(plan.Stunden + 1); } // hour 0 too, in use or not
    // Selects a random cell; with a chance of one in three the cell of one of the candidates.
    void SelectSomewhere() {
        const auto& c = ed->State().Candidates;
        if (!c.empty() && rng.Below(3) != 0) {
            const int s = c[static_cast<std::size_t>(rng.Below(static_cast<int>(c.size())))];
            ed->SelectCell(DayOf(s), HourOf(s));
        } else {
            ed->SelectCell(Day(), Hour());
        }
    }
    // One random command after a random selection in a random view; the editor's result.
    EditResult Step() {
        const auto view = static_cast<Ansicht>(rng.Below(3));
        const int n = view == Ansicht::Lehrer   ? plan.LehrerAnzahl
                      : view == Ansicht::Klasse ? plan.KlassenAnzahl
                                                : plan.RaumAnzahl;
        ed->Show(view, rng.Below(n));
        ed->Reset();
        ed->SelectCell(Day(), Hour());
        const int kind = rng.Below(12);
        ++counts[kind];
        switch (kind) {
        case 0:
        case 1:
            ed->Move();
            return ed->State().MoveMode ? ed->SelectCell(Day(), Hour()) : EditResult{};
        case 2:
            ed->Move();
            if (!ed->State().MoveMode) return {};
            SelectSomewhere();
            return {}; // counted below by the history
        case 3: {
            const int e = ed->State().SelectedSlot();
            ed->Search();
            if (ed->State().Candidates.empty()) return {};
            SelectSomewhere();
            ed->Move();
            return ed->State().MoveMode ? ed->SelectCell(DayOf(e), HourOf(e)) : EditResult{};
        }
        case 4:
            ed->Swap();
            if (!ed->State().SwapMode) return {};
            SelectSomewhere();
            return {};
        case 5: {
            const std::vector<int> rooms = ed->RoomChoices(rng.Below(2) == 0);
            if (!rooms.empty() && rng.Below(2) == 0)
                return ed->SetRoom(
                    rooms[static_cast<std::size_t>(rng.Below(static_cast<int>(rooms.size())))]);
            return ed->SetRoom(rng.Below(plan.RaumAnzahl));
        }
        case 6:
            return ed->FixedTime();
        case 7:
            return ed->FixedDay();
        case 8:
            return ed->UpperLimit();
        case 9:
            return ed->LowerLimit();
        case 10:
            return ed->Lock();
        default:
            return {};
        }
    }
};

// Every invariant holds after every edit (a unit moved by one of its hours stands whole), and the
// kept totals are those of a fresh evaluation.
std::string Broken(const CPlan& plan) {
    const InvariantReport report = CheckInvariants(plan, true);
    if (!report.Ok()) return report.Violations.front();
    return KeptTotalsDrift(plan);
}

// 300 random edits with random undos and redos between them; see the file's comment.
void RandomEditsUndoAndRedoExactly(const std::string& file, std::uint32_t seed) {
    RandomEditing t(file, seed);
    t.Start();
    if (::testing::Test::HasFatalFailure()) return;
    std::vector<Everything> states{Everything::Of(t.plan, t.s)};
    int edits = 0;
    for (int round = 0; edits < 300 && round < 3000; ++round) {
        const std::size_t done = t.history.Done();
        EditResult r;
        bool redo = false;
        if (t.rng.Below(20) == 0) {
            redo = t.rng.Below(2) == 0;
            if (redo)
                t.ed->Redo();
            else
                t.ed->Undo();
        } else {
            r = t.Step();
        }
        const std::size_t now = t.history.Done();
        if (r.What == Ergebnis::Geaendert) {
            ASSERT_EQ(now, done + 1) << "round " << round;
        }
        if (r.What == Ergebnis::Abgelehnt || r.What == Ergebnis::Abgebrochen) {
            ASSERT_EQ(now, done) << "round " << round;
        }
        if (!redo && now == done + 1) {
            // A new edit: what was undone is gone, its state is the next in line.
            ASSERT_EQ(t.history.Size(), now);
            states.resize(now);
            states.push_back(Everything::Of(t.plan, t.s));
            ++edits;
        }
        ASSERT_EQ(states.size(), t.history.Size() + 1);
        ASSERT_EQ(Broken(t.plan), "") << "round " << round;
        ASSERT_EQ(Everything::Difference(states[now], Everything::Of(t.plan, t.s)), "")
            << "round " << round;
    }
    ASSERT_GE(edits, 300);
    EXPECT_TRUE(t.rep.shown.empty()) << t.rep.shown.front().Text;
    for (int kind = 0; kind <= 10; ++kind)
        EXPECT_GT(t.counts[kind], 0) << kind;

    while (t.ed->Undo())
        ASSERT_EQ(Broken(t.plan), "");
    EXPECT_EQ(Everything::Difference(states[0], Everything::Of(t.plan, t.s)), "");
    while (t.ed->Redo())
        ASSERT_EQ(Broken(t.plan), "");
    EXPECT_EQ(t.history.Done(), t.history.Size());
    // Redo replays every edit kept, also those undone by the random undos at the end.
    EXPECT_EQ(Everything::Difference(states[t.history.Size()], Everything::Of(t.plan, t.s)), "");

    // Half undone, then a new edit: nothing is left to redo, and undo still finds the start.
    const std::size_t half = t.history.Size() / 2;
    while (t.history.Done() > half)
        t.ed->Undo();
    EXPECT_EQ(Everything::Difference(states[half], Everything::Of(t.plan, t.s)), "");
    t.ed->Show(Ansicht::Klasse, 0);
    int lockSlot = -1;
    for (int s = 0; s < kSlotCount && lockSlot < 0; ++s)
        if (t.plan.InWeek(s) && t.plan.ClassLessons(0, s) == 0) lockSlot = s;
    ASSERT_GE(lockSlot, 0);
    t.ed->SelectCell(DayOf(lockSlot), HourOf(lockSlot));
    ASSERT_EQ(t.ed->Lock().What, Ergebnis::Geaendert);
    EXPECT_FALSE(t.ed->CanRedo());
    EXPECT_FALSE(t.ed->Redo());
    EXPECT_EQ(t.history.Size(), half + 1);
    while (t.ed->Undo()) {
    }
    EXPECT_EQ(Everything::Difference(states[0], Everything::Of(t.plan, t.s)), "");
    EXPECT_TRUE(t.rep.shown.empty());
}

TEST(EditProperties, RandomEditsOnTheGymnasium) {
    RandomEditsUndoAndRedoExactly("gymnasium.sch", 7);
}

TEST(EditProperties, RandomEditsOnTheLargeSchool) {
    RandomEditsUndoAndRedoExactly("grossschule.sch", 23);
}

} // namespace
} // namespace sw
