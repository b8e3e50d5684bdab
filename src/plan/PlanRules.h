// SPDX-License-Identifier: GPL-3.0-or-later
// PlanRules.h: the school's rules (model/Regeln.h) as the plan asks them. Built once with the
// lesson hours, when the master data states any rule; a plan of a school without rules has none
// and the placement check passes them by with one test.
//
// Two kinds of rule. Those that adding hours can only break (a day's maximum, the most days, the
// hours in a row, a time window, a break, the allowed times, the days between units, the end of a
// class's day, the relations with a placed partner) the placement check refuses: Refusal() here is
// its last rule. Those that adding hours can also mend (a day's minimum, the gaps, the fewest
// days) no check can refuse while a plan is built; the stages keep every one the plan holds
// (Violations per teacher and class), and `Verstoesse` lists every rule a plan breaks.
#pragma once

#include "model/Regeln.h"
#include "plan/Plan.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sw {

struct Refusal;

// One rule a plan breaks: its kind, whose it is (text), the day (-1 for the week) and a detail.
struct RegelVerstoss {
    RegelArt Art{};
    std::string Wer; // "Lehrer Mü", "Klasse 5a", "Unterricht Mü / 5a / De", "Schule"
    int Tag = -1;
    std::string Text; // the rule and what the plan has: "höchstens 6 Stunden am Tag: 7"
};

class PlanRules {
public:
    // The rules of the plan's master data over the hours of its StundenL; nullptr when the
    // master data states none. `ends`: per block (subject blocks, then course blocks) the end of
    // its hours in StundenL.
    static std::unique_ptr<PlanRules> Build(const CPlan& plan, const std::vector<int>& ends);

    // Whether any rule concerns h: a break, a rule of its teacher, of one of its classes or of
    // its block. The placement check asks the rules only for such an hour (CStunde::Regeln).
    bool Concerns(const CStunde& h) const;

    // A break at `slot`.
    bool Pause(int slot) const { return pause_[static_cast<std::size_t>(slot)] != 0; }
    // The hours of a day that are no gap of a teacher or class with the locks `locks`, as bits
    // (bit h: hour h): the breaks and the hours it is locked, as the figures of the gaps count.
    std::uint16_t NoGap(const LockGrid& locks, int day) const;
    // Whether h's unit may begin at `start` by the allowed times of its block.
    bool StartAllowed(const CStunde& h, int start) const;

    // The rules that no moving of other lessons changes (breaks, allowed times) for h at slot.
    Refusal SlotRefusal(const CPlan& plan, const CStunde& h, int slot) const;
    // The rules that depend on the other lessons, for h's whole unit placed so that h stands at
    // `slot`; the hours of h's own unit never count against it. Allocates nothing.
    Refusal DayRefusal(const CPlan& plan, const CStunde& h, int slot) const;

    // The breaches of the rules that adding hours can mend (a day's minimum, the gaps, the fewest
    // days) by teacher t / class k in the plan as it stands.
    // `change`, when given, is added to the occupancy counts slot by slot: the plan as it was
    // before a move (MoveRecord::RulesHeld).
    using SlotChange = std::array<std::int16_t, kSlotCount>;
    int TeacherViolations(const CPlan& plan, int t, const SlotChange* change = nullptr) const;
    int ClassViolations(const CPlan& plan, int k, const SlotChange* change = nullptr) const;
    bool HasSoftRules() const { return soft_; }
    // Every unit (its first hour) that a rule of h's block or its relations puts in the way of h
    // at `slot`: the units of the block too close, the related units where the relation forbids
    // the slot. At most kMaxBlockObstacles; the count.
    static constexpr int kMaxBlockObstacles = 16;
    int BlockObstacles(const CPlan& plan, const CStunde& h, int slot,
                       std::array<const CStunde*, kMaxBlockObstacles>& out) const;
    // How many more of those breaches the teachers of `hours` (one per parallel hour) and the
    // classes of the first would have with a unit of `length` hours added at `start`.
    int AddedBreaches(const CPlan& plan, const CStunde* const* hours, int width, int start,
                      int length) const;
    // The same for many starts of one unit in a plan that does not change meanwhile: what does
    // not depend on the start is measured once (Prepare), each start then costs one day of each
    // teacher and class.
    struct Added {
        const CTagesRegeln* Regeln = nullptr;
        int MinDays = kKeineRegel; // a teacher's fewest days a week
        std::array<std::uint16_t, kMaxDays> Days{}, NoGaps{};
        std::array<std::int8_t, kMaxDays> Gaps{};
        int WeekGaps = 0;
        int Busy = 0;     // days with lessons
        int Breaches = 0; // as they stand
    };
    void PrepareAdded(const CPlan& plan, const CStunde* const* hours, int width,
                      std::vector<Added>& out) const;
    static int AddedBreaches(const std::vector<Added>& prepared, int start, int length);
    // The sum of those breaches over every teacher and class.
    int TotalBreaches(const CPlan& plan) const;

    // Those breaches of every teacher, then every class, into `out` (sized once), and whether
    // none of them grew since `before` was measured: for moves that change the whole plan.
    void Measure(const CPlan& plan, std::vector<int>& out) const;
    bool NoneGrew(const CPlan& plan, const std::vector<int>& before) const;
    // The breaches of one of them, numbered as Measure numbers them.
    int BreachesOf(const CPlan& plan, int e) const {
        return e < plan.LehrerAnzahl ? TeacherViolations(plan, e)
                                     : ClassViolations(plan, e - plan.LehrerAnzahl);
    }

    // Every rule the plan breaks, by rule, teacher/class/block and day. Hours not placed are not
    // a breach here (the plan then is not complete anyway).
    std::vector<RegelVerstoss> Verstoesse(const CPlan& plan) const;

    // The busy hours of teacher t / class k on `day` as bits (bit h: hour h).
    static std::uint16_t TeacherDay(const CPlan& plan, int t, int day);
    static std::uint16_t ClassDay(const CPlan& plan, int k, int day);

private:
    struct Relation {
        BeziehungsArt Art{};
        std::int32_t Other = -1; // the other block
        std::int8_t Order = 0;   // Direktfolge: +1 this block comes first, -1 it comes second
    };
    struct Block {
        CBlockRegeln Regeln;
        std::array<std::uint8_t, kSlotCount> Starts{}; // allowed starts, when Regeln has any
        std::vector<std::int32_t> Units;               // first hour of each unit (first teacher)
        std::vector<Relation> Relations;
        std::string Name;
    };

    std::array<std::uint8_t, kSlotCount> pause_{};
    std::array<std::uint16_t, kMaxDays> pauseDays_{}; // pause_ as the bits of each day
    std::vector<CLehrerRegeln> lehrer_;
    std::vector<std::uint8_t> lehrerSet_;
    std::vector<CTagesRegeln> klassen_;
    std::vector<std::uint8_t> klassenSet_;
    std::vector<Block> blocks_;
    std::vector<std::int32_t> blockOf_;   // per hour: its block, -1 none
    std::vector<std::int32_t> ordinalOf_; // per hour: the position of its unit in the block
    std::vector<std::vector<std::int32_t>> endsDay_; // per class: units that end its day
    bool soft_ = false;

    Refusal TeacherRefusal(const CPlan& plan, int t, int day, std::uint16_t unit,
                           const std::array<std::uint16_t, kMaxDays>& own) const;
    Refusal ClassRefusal(const CPlan& plan, const CStunde& h, int k, int day, std::uint16_t unit,
                         const std::array<std::uint16_t, kMaxDays>& own) const;
    template <typename Found>
    void ScanBlock(const CPlan& plan, const CStunde& h, int b, int day, int start, int length,
                   Found found) const;
    Refusal BlockRefusal(const CPlan& plan, const CStunde& h, int b, int day, int start,
                         int length) const;
    // The breaches of a teacher's or class's rules (`minDays`: the teacher's fewest days, or
    // kKeineRegel) with the busy bits `bits(day)`.
    template <typename Bits>
    int EntityBreaches(const CPlan& plan, const CTagesRegeln& r, int minDays, const LockGrid& locks,
                       Bits bits) const;
};

// A breach as a line: "Lehrer Mü, Montag: höchstens 6 Stunden am Tag: 7" (without a day:
// "Lehrer Mü: …").
std::string VerstossText(const AllgemeineAngaben& a, const RegelVerstoss& v);

// Every rule `plan` breaks, as VerstossText lines; empty without rules.
std::vector<std::string> RegelVerstoesse(const CPlan& plan);

// The gaps in a day's busy hours: free hours between the first and the last lesson that are no
// break and not locked (`pauses`: those hours of that day as bits, PlanRules::NoGap).
int GapsOf(std::uint16_t day, std::uint16_t pauses);
// The longest run of busy hours.
int LongestRun(std::uint16_t day);
// How many hours a day's bits hold. The base x86-64 target has no popcount instruction, and
// std::popcount then calls into the runtime library; this stays inline.
constexpr int HoursIn(std::uint16_t day) {
    unsigned x = day;
    x -= (x >> 1) & 0x5555u;
    x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
    x = (x + (x >> 4)) & 0x0F0Fu;
    return static_cast<int>((x + (x >> 8)) & 0x1Fu);
}

} // namespace sw
