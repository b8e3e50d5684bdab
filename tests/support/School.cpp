// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/School.h"

#include "plan/Evaluation.h"
#include "plan/Invariants.h"
#include "plan/Placement.h"

namespace sw::test {

Stammdaten MakeSchool(int tage, int stunden, int rooms, int teachers, int classes, int subjects) {
    Stammdaten s;
    s.Angaben.Tage = tage;
    s.Angaben.Stunden = stunden;
    s.Angaben.TagNamen = AllgemeineAngaben::DefaultDayNames(tage);
    s.AngabenBestaetigt = true;
    for (int f = 0; f < subjects; ++f)
        s.Faecher.push_back("F" + std::to_string(f));
    for (int r = 0; r < rooms; ++r) {
        CRaumFach room;
        room.Name = "R" + std::to_string(r);
        room.Kurz = room.Name;
        s.Raeume.push_back(room);
    }
    for (int t = 0; t < teachers; ++t) {
        CLehrer l;
        l.Name = "L" + std::to_string(t);
        l.Kurz = l.Name;
        l.Faecher = s.Faecher;
        s.Lehrer.push_back(l);
    }
    for (int k = 0; k < classes; ++k) {
        CKlasse c;
        c.Name = "K" + std::to_string(k);
        s.Klassen.push_back(c);
    }
    return s;
}

CFachBlock& AddBlock(Stammdaten& s, const std::string& lehrer, const std::string& klasse,
                     const std::string& fach, std::vector<int> units, bool trennung) {
    CFachBlock b;
    b.Lehrer = lehrer;
    b.Klasse = klasse;
    b.Fach = fach;
    b.Trennung = trennung ? 1 : 0;
    for (int len : units) {
        b.Einheiten.emplace_back(len, kNoSlot);
        b.BStunden += len;
    }
    s.AddFachBlock(b);
    return s.FachBloecke.back().Block;
}

CKursBlock& AddCourse(Stammdaten& s, const std::string& name, std::vector<std::string> lehrer,
                      std::vector<std::string> klassen, std::vector<int> units) {
    CKursBlock k;
    k.Name = name;
    k.Kurz = name;
    k.Klassen = std::move(klassen);
    for (const auto& l : lehrer) {
        CKursLehrer kl;
        kl.Name = l;
        for (int len : units)
            kl.Einheiten.emplace_back(len, kNoSlot);
        k.Lehrer.push_back(kl);
        k.Faecher.push_back("F0");
    }
    for (int len : units)
        k.BStunden += len;
    s.KursBloecke.push_back(k);
    return s.KursBloecke.back();
}

void PlaceRandomly(CPlan& plan, Random& rng, int rounds) {
    for (int i = 0; i < rounds; ++i) {
        CStunde& h = *plan.StundenL[rng.Below(static_cast<int>(plan.StundenL.size()))];
        if (plan.PositionOf(h) >= 0 || h.BlockPos > 0) continue;
        const int start = SlotOf(rng.Below(plan.Tage), rng.InRange(1, plan.Stunden - h.Laenge + 1));
        std::vector<std::pair<CStunde*, int>> placed;
        bool ok = true;
        for (int p = 0; p < h.Laenge && ok; ++p) {
            CStunde& first = *plan.StundenL[h.Index + p];
            std::vector<CStunde*> group =
                first.ParallelL ? *first.ParallelL : std::vector<CStunde*>{&first};
            for (CStunde* q : group) {
                const int room = (*q->RaumL)[rng.Below(q->RoomCount())];
                if (CheckPlacement(plan, *q, start + p, room)) {
                    ok = false;
                    break;
                }
                plan.Place(*q, room, start + p);
                placed.emplace_back(q, room);
            }
        }
        if (!ok) {
            for (auto [q, room] : placed)
                plan.Lift(room, plan.SlotOfHour(*q));
        }
    }
}

std::string FirstDisallowedPlacement(CPlan& plan) {
    // The check writes the conflict report; the caller's report is kept.
    struct Restore {
        CPlan& p;
        ConflictReport kept;
        ~Restore() { p.ReportConflict(kept); }
    } restore{plan, plan.Conflict()};
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        for (int s = 0; s < kSlotCount; ++s) {
            CStunde* h = plan.Lift(r, s);
            if (!h) continue;
            const CStunde* refusal = CheckPlacement(plan, *h, s, r);
            const Konflikt art = plan.Conflict().KonfliktArt;
            plan.Place(*h, r, s);
            if (refusal)
                return "Stunde " + std::to_string(h->Index) + " in Raum " + std::to_string(r) +
                       ", Slot " + std::to_string(s) + ": Konflikt " + CPlan::KonfliktText(art);
        }
    return {};
}

void PlanFixture::Build() {
    plan = std::make_unique<CPlan>(s, rep);
    plan->BuildLessonHours();
    ComputeTargets(*plan);
}

Stammdaten MixedSchool(bool withDoubles) {
    Stammdaten s = MakeSchool(5, 6, 8, 8, 4, 4);
    for (int k = 0; k < 4; ++k)
        for (int f = 0; f < 4; ++f) {
            const std::vector<int> units =
                withDoubles && f == 3 ? std::vector<int>{2, 1} : std::vector<int>{1, 1, 1};
            CFachBlock& b = AddBlock(s, "L" + std::to_string((k + f) % 6), "K" + std::to_string(k),
                                     "F" + std::to_string(f), units, f % 2 == 0);
            b.SpezialTrennung = f < 2 ? 1 : -1;
        }
    AddCourse(s, "A", {"L6", "L7"}, {"K0", "K1"}, {1, 1}).Trennung = 1;
    AddCourse(s, "B", {"L6", "L7"}, {"K2", "K3"}, {1});
    return s;
}

Stammdaten SmallSchool() {
    Stammdaten s = MakeSchool(5, 6, 6, 6, 3, 2);
    AddCourse(s, "Reli", {"L0", "L1"}, {"K0", "K1"}, {1, 2});
    for (int k = 0; k < 3; ++k)
        for (int t = 2; t < 6; ++t)
            AddBlock(s, "L" + std::to_string(t), "K" + std::to_string(k), "F1", {2, 1}, true);
    return s;
}

// A tight school: five days of four hours, four classes, four teachers and four rooms. K0 and K1
// and the teachers L0 and L1 have no free slot in the week (K0 has a locked one), a course block
// joins K2 and K3 with L2 and L3, and one unit of K1 has a fixed time.
Stammdaten TightSchool() {
    Stammdaten s = MakeSchool(5, 4, 4, 4, 4, 4);
    s.Klassen[0].Sperre[SlotOf(4, 4)] = 1;
    AddBlock(s, "L0", "K0", "F0", {2, 2, 1});
    AddBlock(s, "L1", "K0", "F1", {2, 2, 1});
    AddBlock(s, "L2", "K0", "F2", {2, 2, 1});
    AddBlock(s, "L3", "K0", "F3", {2, 1, 1});
    AddBlock(s, "L0", "K1", "F0", {2, 2, 1});
    AddBlock(s, "L1", "K1", "F1", {2, 2, 1});
    AddBlock(s, "L2", "K1", "F2", {2, 2, 1});
    CFachBlock& fixed = AddBlock(s, "L3", "K1", "F3", {2, 2, 1});
    fixed.Einheiten[2].Zeitvorgabe = SlotOf(0, 1);
    for (const char* k : {"K2", "K3"}) {
        AddBlock(s, "L0", k, "F0", {2, 2, 1});
        AddBlock(s, "L1", k, "F1", {2, 2, 1});
        AddBlock(s, "L2", k, "F2", {2, 1});
        AddBlock(s, "L3", k, "F3", {2, 1});
    }
    AddCourse(s, "C", {"L2", "L3"}, {"K2", "K3"}, {1, 1});
    return s;
}

} // namespace sw::test
