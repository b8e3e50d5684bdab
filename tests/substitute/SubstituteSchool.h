// SPDX-License-Identifier: GPL-3.0-or-later
// SubstituteSchool.h: a small placed plan for the substitution tests.
//
//   teachers  L0 (teaches F0 F1 F2)  L1 (F0 F1)  L2 (F2)  L3 (F0 F1 F2); L1 locked Monday 2
//   Montag 1   course "Kurs" of K0 and K1: L2 (F1) in R0, L0 (F0) in R2, L0 again (F2) in R3
//              (a plan file refuses a teacher twice at one hour: without `doppelt` the course
//              has L2 (F1) in R0 and L0 (F2) in R2 only)
//   Montag 2   K0 F1 L0 in R1;  K1 F0 L1 in R0;  K2 F2 L2 in R2
//   Montag 3   K1 F2 L3 in R0
//   Dienstag 3 K0 F1 L0 in R0   (Montag 0 instead, when the school has the 0th hour)
#pragma once

#include "model/Slot.h"
#include "support/School.h"

namespace sw::test {

inline constexpr int kL0 = 0, kL1 = 1, kL2 = 2, kL3 = 3;

inline void BuildSubstituteSchool(PlanFixture& f, bool nullte, bool doppelt = true) {
    f.s = MakeSchool(2, 4, 4, 4, 3, 3);
    f.s.Angaben.Nullte = nullte;
    f.s.Lehrer[kL1].Faecher = {"F0", "F1"};
    f.s.Lehrer[kL2].Faecher = {"F2"};
    f.s.Lehrer[kL1].Sperre[SlotOf(0, 2)] = 1;
    AddBlock(f.s, "L0", "K0", "F1", {1, 1}); // hours 0, 1
    AddBlock(f.s, "L1", "K1", "F0", {1});    // 2
    AddBlock(f.s, "L3", "K1", "F2", {1});    // 3
    AddBlock(f.s, "L2", "K2", "F2", {1});    // 4
    if (doppelt) {
        CKursBlock& kurs = AddCourse(f.s, "Kurs", {"L2", "L0", "L0"}, {"K0", "K1"}, {1}); // 5-7
        kurs.Faecher = {"F1", "F0", "F2"};
    } else {
        CKursBlock& kurs = AddCourse(f.s, "Kurs", {"L2", "L0"}, {"K0", "K1"}, {1}); // 5, 6
        kurs.Faecher = {"F1", "F2"};
    }
    f.Build();
    f.Put(5, 0, 0, 1);
    f.Put(6, 2, 0, 1);
    if (doppelt) f.Put(7, 3, 0, 1);
    f.Put(0, 1, 0, 2);
    f.Put(2, 0, 0, 2);
    f.Put(4, 2, 0, 2);
    f.Put(3, 0, 0, 3);
    if (nullte)
        f.Put(1, 0, 0, 0);
    else
        f.Put(1, 0, 1, 3);
}

} // namespace sw::test
