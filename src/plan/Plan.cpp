// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Plan.h"
#include "plan/PlanRules.h"

#include <algorithm>
#include <cassert>
#include <tuple>

namespace sw {

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

bool IsUniversal(const CRaumFach& r) {
    return r.FachTyp[0] != 0;
}
bool IsReservedClassRoom(const CRaumFach& r) {
    return r.KlassenTyp[2] != 0;
}

void Alarm(Reporter& reporter, std::string text) {
    reporter.Show({std::move(text), titel::Boesartig});
}

} // namespace

CPlan::CPlan(const Stammdaten& stamm, Reporter& reporter)
    : Stunden(stamm.Angaben.Stunden), Tage(stamm.Angaben.Tage),
      Nullte(stamm.Angaben.Nullte ? 1 : 0), LehrerAnzahl(static_cast<int>(stamm.Lehrer.size())),
      KlassenAnzahl(static_cast<int>(stamm.Klassen.size())),
      RaumAnzahl(static_cast<int>(stamm.Raeume.size())), stamm_(stamm), reporter_(reporter) {
    for (int t = 0; t < LehrerAnzahl; ++t) {
        LehrerStatusL.items_.push_back(CLehrerStatus{.Index = t});
        LehrerSollL.items_.push_back(CLehrerSollwerte{stamm.Lehrer[t].LetztesSoll});
    }
    for (int k = 0; k < KlassenAnzahl; ++k) {
        KlassenStatusL.items_.push_back(CKlassenStatus{.Index = k});
        KlassenSollL.items_.push_back(CKlassenSollwerte{stamm.Klassen[k].LetztesSoll});
    }

    universalRaumL_ = std::make_shared<IntList>();
    for (int r = 0; r < RaumAnzahl; ++r) {
        const CRaumFach& room = stamm.Raeume[r];
        if (IsUniversal(room) && !IsReservedClassRoom(room)) universalRaumL_->push_back(r);
    }

    cells_.assign(static_cast<std::size_t>(RaumAnzahl) * kSlotCount, &frei_);
    teacherCount_.assign(static_cast<std::size_t>(LehrerAnzahl) * kSlotCount, 0);
    classCount_.assign(static_cast<std::size_t>(KlassenAnzahl) * kSlotCount, 0);
    kursCount_.assign(stamm.KursBloecke.size() * kSlotCount, 0);
    trennCount_.assign(static_cast<std::size_t>(KlassenAnzahl) * kSlotCount, 0);
    teacherXor_.assign(teacherCount_.size(), 0);
    classXor_.assign(classCount_.size(), 0);
    teacherDays_.assign(static_cast<std::size_t>(LehrerAnzahl) * kMaxDays, 0);
    classDays_.assign(static_cast<std::size_t>(KlassenAnzahl) * kMaxDays, 0);
    // A class has at most one entry per room and slot of a day.
    trennungScratch_.reserve(static_cast<std::size_t>(std::max(RaumAnzahl, 1)) * kHoursPerDay);
    for (int s = 0; s < kSlotCount; ++s)
        inWeek_[s] = DayOf(s) < Tage && HourOf(s) <= Stunden && (HourOf(s) >= 1 || Nullte) ? 1 : 0;
    ClearGoals();
}

// ---------------------------------------------------------------------------------------------
// Building the lesson hours

void CPlan::AddHour(std::unique_ptr<CStunde> h) {
    h->Index = static_cast<int>(StundenL.size());
    StundenL.items_.push_back(std::move(h));
}

int CPlan::RoomIndexForUnit(const std::string& name) {
    const int r = namen_->Raeume.Find(name);
    // A unit naming a room that does not exist is reported and then treated as having no room
    // of its own, so the hour can still be placed.
    if (r < 0) Alarm(reporter_, "Raum " + name + " ex. nicht!");
    return r;
}

std::unique_ptr<CStunde> CPlan::NewHour(int t, int k, int fachKurs, const CEinheit& unit,
                                        Flag trennung, int spezialTrennung) {
    auto h = std::make_unique<CStunde>();
    h->Lehrer = t;
    h->Klasse = k;
    h->FachKurs = fachKurs;
    h->Trennung = trennung;
    h->SpezialTrennung = spezialTrennung;
    h->Laenge = std::max(1, unit.Laenge);
    h->NurUrPlan = unit.NurUrPlan;
    h->OberesLimit = unit.OberesLimit;
    h->UnteresLimit = unit.UnteresLimit;
    h->TagesLimit = unit.TagesLimit;
    h->Tag = unit.Tag;
    const int presetRoom = unit.Raum.empty() ? -1 : RoomIndexForUnit(unit.Raum);
    const bool bound = h->OberesLimit || h->UnteresLimit;
    const int time = IsSlot(unit.Zeitvorgabe) ? unit.Zeitvorgabe : kNoSlot;
    h->RaumL = std::make_shared<IntList>();
    if (time != kNoSlot && presetRoom >= 0) {
        h->Modus = bound ? Modus::RaumFest : Modus::ZeitUndRaumFest;
        h->Zeit = time;
        h->RaumL->push_back(presetRoom);
    } else if (time != kNoSlot) {
        h->Zeit = time;
        h->Modus = bound ? Modus::Frei : Modus::ZeitFest;
    } else if (presetRoom >= 0) {
        h->Modus = Modus::RaumFest;
        h->RaumL->push_back(presetRoom);
    } else {
        h->Modus = Modus::Frei;
    }
    return h;
}

void CPlan::AddUnit(std::unique_ptr<CStunde> first, int parallel) {
    const int length = first->Laenge;
    if (length >= 2) first->BlockPos = 0;
    const CStunde& head = *first;
    AddUnitHour(std::move(first), parallel);
    for (int p = 1; p < length; ++p) {
        auto copy = std::make_unique<CStunde>(head);
        copy->BlockPos = p;
        copy->ErsteStundeIdx = head.RaumL != universalRaumL_ ? head.Index : -1;
        AddUnitHour(std::move(copy), parallel);
    }
}

void CPlan::AddUnitHour(std::unique_ptr<CStunde> h, int parallel) {
    if (parallel == 0) {
        h->ParallelL = std::make_shared<std::vector<CStunde*>>();
    } else if (parallel > 0) {
        assert(StundenL.size() >= static_cast<std::size_t>(parallel));
        h->ParallelL = StundenL[StundenL.size() - static_cast<std::size_t>(parallel)]->ParallelL;
    }
    if (h->ParallelL) h->ParallelL->push_back(h.get());
    AddHour(std::move(h));
}

void CPlan::SubjectRooms(CStunde& h, const CFachBlock& block) {
    if (h.RoomFixed()) return;
    for (int r = 0; r < RaumAnzahl; ++r) {
        const CRaumFach& room = stamm_.Raeume[r];
        if (IsUniversal(room)) continue;
        if (IsReservedClassRoom(room) && room.Klasse != block.Klasse) continue;
        if (Contains(room.Faecher, block.Fach)) h.RaumL->push_back(r);
    }
    if (h.RaumL->empty()) {
        for (int r = 0; r < RaumAnzahl; ++r) {
            const CRaumFach& room = stamm_.Raeume[r];
            if (IsUniversal(room) && IsReservedClassRoom(room) && room.Klasse == block.Klasse)
                h.RaumL->push_back(r);
        }
        // The class's own room binds the hour to it; a fixed time stays fixed.
        if (!h.RaumL->empty())
            h.Modus = h.Modus == Modus::ZeitFest ? Modus::ZeitUndRaumFest : Modus::RaumFest;
    }
    if (h.RaumL->empty()) h.RaumL = universalRaumL_;
}

void CPlan::CourseRooms(CStunde& h, const std::string& subject, const IntList& classes) {
    if (h.RoomFixed()) return;
    for (int r = 0; r < RaumAnzahl; ++r) {
        const CRaumFach& room = stamm_.Raeume[r];
        if (!IsUniversal(room) && !IsReservedClassRoom(room) && Contains(room.Faecher, subject))
            h.RaumL->push_back(r);
    }
    if (h.RaumL->empty()) h.RaumL = universalRaumL_;
    // The reserved rooms of the course's classes that are open to their courses come last.
    for (int r = 0; r < RaumAnzahl; ++r) {
        const CRaumFach& room = stamm_.Raeume[r];
        if (!IsReservedClassRoom(room) || !room.KlassenKursFreigabe) continue;
        const int owner = namen_->Klassen.Find(room.Klasse);
        if (std::find(classes.begin(), classes.end(), owner) == classes.end()) continue;
        if (h.RaumL == universalRaumL_) h.RaumL = std::make_shared<IntList>(*universalRaumL_);
        h.RaumL->push_back(r);
    }
}

void CPlan::BuildSubjectBlock(const CFachBlock& block) {
    const int t = namen_->Lehrer.Find(block.Lehrer);
    const int k = namen_->Klassen.Find(block.Klasse);
    // A block whose teacher or class is unknown yields no hours; an index of -1 must never be
    // used to reach into a list.
    if (t < 0) return Alarm(reporter_, "Lehrer " + block.Lehrer + " ex. nicht!");
    if (k < 0) return Alarm(reporter_, "Klasse " + block.Klasse + " ex. nicht!");
    const int f = namen_->Faecher.Find(block.Fach);
    for (const CEinheit& unit : block.Einheiten) {
        auto h = NewHour(t, k, f, unit, block.Trennung, block.SpezialTrennung);
        SubjectRooms(*h, block);
        LehrerSollL.items_[t].WochenStunden += h->Laenge;
        KlassenSollL.items_[k].WochenStunden += h->Laenge;
        AddUnit(std::move(h), -1);
    }
}

bool CPlan::CourseTeachers(const CKursBlock& block, std::vector<int>& teachers) {
    // Every teacher must exist and hold units of the same shape: the parallel hours are paired
    // by position.
    const std::vector<CEinheit>& shape = block.Lehrer[0].Einheiten;
    const auto unequal = [&] {
        Alarm(reporter_, "Kurs " + block.Name + ": ungleiche Einheiten der Lehrer!");
        return false;
    };
    for (const CKursLehrer& kl : block.Lehrer) {
        const int t = namen_->Lehrer.Find(kl.Name);
        if (t < 0) {
            Alarm(reporter_, "Lehrer " + kl.Name + " ex. nicht!");
            return false;
        }
        if (kl.Einheiten.size() != shape.size()) return unequal();
        for (std::size_t u = 0; u < shape.size(); ++u)
            if (std::max(1, kl.Einheiten[u].Laenge) != std::max(1, shape[u].Laenge))
                return unequal();
        teachers.push_back(t);
    }
    return true;
}

SharedInts CPlan::CourseClasses(const CKursBlock& block) {
    auto classes = std::make_shared<IntList>();
    for (const std::string& name : block.Klassen) {
        const int k = namen_->Klassen.Find(name);
        if (k < 0) {
            Alarm(reporter_, "Klasse " + name + " ex. nicht!");
            continue;
        }
        classes->push_back(k);
    }
    return classes;
}

void CPlan::BuildCourseBlock(int c, const CKursBlock& block) {
    if (block.Klassen.empty() || block.Lehrer.empty()) return;
    // A block with an unknown teacher or with units of different shapes yields no hours.
    std::vector<int> teachers;
    if (!CourseTeachers(block, teachers)) return;
    const SharedInts classes = CourseClasses(block);
    if (classes->empty()) return;

    int n = 0; // hours of the block, counted on the first teacher
    for (const CEinheit& unit : block.Lehrer[0].Einheiten)
        n += std::max(1, unit.Laenge);
    for (int k : *classes)
        KlassenSollL.items_[k].WochenStunden += n;

    for (std::size_t i = 0; i < block.Lehrer.size(); ++i) {
        const std::string subject = i < block.Faecher.size() ? block.Faecher[i] : std::string();
        for (const CEinheit& unit : block.Lehrer[i].Einheiten) {
            auto h = NewHour(teachers[i], -1, c, unit, block.Trennung, block.SpezialTrennung);
            h->KlassenL = classes;
            CourseRooms(*h, subject, *classes);
            LehrerSollL.items_[teachers[i]].WochenStunden += h->Laenge;
            // The first teacher's hours each start a parallel list; every later hour joins the
            // list of the same position of the previous teacher, n places earlier in StundenL.
            AddUnit(std::move(h), i == 0 ? 0 : n);
        }
    }
}

void CPlan::BuildLessonHours() {
    ClearPlacements();
    StundenL.items_.clear();
    for (auto& l : LehrerSollL.items_)
        l.WochenStunden = 0;
    for (auto& k : KlassenSollL.items_)
        k.WochenStunden = 0;
    // Every block names its teacher, class, subject and rooms: the index answers each at once.
    const StammdatenIndex namen(stamm_);
    namen_ = &namen;
    std::vector<int> ends; // per block, the end of its hours in StundenL
    for (const Unterricht& u : stamm_.FachBloecke) {
        BuildSubjectBlock(u.Block);
        ends.push_back(static_cast<int>(StundenL.size()));
    }
    for (std::size_t c = 0; c < stamm_.KursBloecke.size(); ++c) {
        BuildCourseBlock(static_cast<int>(c), stamm_.KursBloecke[c]);
        ends.push_back(static_cast<int>(StundenL.size()));
    }
    namen_ = nullptr;
    position_.assign(StundenL.size(), -1);
    regeln_ = PlanRules::Build(*this, ends);
    if (regeln_)
        for (auto& h : StundenL.items_)
            h->Regeln = regeln_->Concerns(*h) ? 1 : 0;
}

CPlan::~CPlan() = default;

// ---------------------------------------------------------------------------------------------
// The grid

namespace {

// The day bits follow the count of their slot: set while it is above 0.
void CountBit(std::uint16_t& day, int hour, int count) {
    const auto bit = static_cast<std::uint16_t>(1u << hour);
    day = static_cast<std::uint16_t>(count > 0 ? day | bit : day & ~bit);
}

} // namespace

void CPlan::Count(const CStunde& h, int slot, int delta) {
    const auto index = static_cast<std::uint32_t>(h.Index);
    const int day = DayOf(slot), hour = HourOf(slot);
    const auto countClass = [&](int k) {
        const int n = classCount_[k * kSlotCount + slot] += delta;
        CountBit(classDays_[k * kMaxDays + day], hour, n);
    };
    const int n = teacherCount_[h.Lehrer * kSlotCount + slot] += delta;
    CountBit(teacherDays_[h.Lehrer * kMaxDays + day], hour, n);
    teacherXor_[h.Lehrer * kSlotCount + slot] ^= index;
    const bool separates = h.Trennung && h.IsFirstOfUnit();
    if (h.Klasse >= 0) {
        countClass(h.Klasse);
        classXor_[h.Klasse * kSlotCount + slot] ^= index;
        if (separates) trennCount_[h.Klasse * kSlotCount + slot] += delta;
    } else {
        for (int k : *h.KlassenL) {
            countClass(k);
            classXor_[k * kSlotCount + slot] ^= index;
            if (separates) trennCount_[k * kSlotCount + slot] += delta;
        }
        kursCount_[h.FachKurs * kSlotCount + slot] += delta;
    }
}

void CPlan::Place(CStunde& h, int room, int slot) {
    const int cell = Cell(room, slot);
    assert(h.IsLesson() && h.Index >= 0 && position_[h.Index] < 0);
    assert(!cells_[cell]->IsLesson());
    if (cells_[cell] == &LeerStunde) --markers_;
    cells_[cell] = &h;
    position_[h.Index] = cell;
    Count(h, slot, +1);
    ++placed_;
}

CStunde* CPlan::Lift(int room, int slot) {
    const int cell = Cell(room, slot);
    CStunde* h = cells_[cell];
    if (!h->IsLesson()) return nullptr;
    cells_[cell] = &frei_;
    position_[h->Index] = -1;
    Count(*h, slot, -1);
    --placed_;
    return h;
}

void CPlan::Swap(int roomA, int slotA, int roomB, int slotB) {
    const int a = Cell(roomA, slotA);
    const int b = Cell(roomB, slotB);
    if (a == b) return;
    CStunde* ha = cells_[a];
    CStunde* hb = cells_[b];
    if (ha->IsLesson()) Count(*ha, slotA, -1);
    if (hb->IsLesson()) Count(*hb, slotB, -1);
    cells_[a] = hb;
    cells_[b] = ha;
    if (hb->IsLesson()) {
        Count(*hb, slotA, +1);
        position_[hb->Index] = a;
    }
    if (ha->IsLesson()) {
        Count(*ha, slotB, +1);
        position_[ha->Index] = b;
    }
}

void CPlan::PutMarker(int room, int slot) {
    const int cell = Cell(room, slot);
    assert(!cells_[cell]->IsLesson());
    if (cells_[cell] != &LeerStunde) ++markers_;
    cells_[cell] = &LeerStunde;
}

void CPlan::ClearMarker(int room, int slot) {
    const int cell = Cell(room, slot);
    if (cells_[cell] != &LeerStunde) return;
    cells_[cell] = &frei_;
    --markers_;
}

CStunde* CPlan::LessonOfTeacher(int t, int slot) const {
    if (t < 0 || t >= LehrerAnzahl || !IsSlot(slot)) return nullptr;
    const int n = TeacherLessons(t, slot);
    if (n <= 1) return n == 1 ? OnlyLessonOfTeacher(t, slot) : nullptr;
    for (int r = 0; r < RaumAnzahl; ++r) {
        CStunde* h = cells_[Cell(r, slot)];
        if (h->IsLesson() && h->Lehrer == t) return h;
    }
    return nullptr;
}

void CPlan::SetStatus(const std::vector<CLehrerStatus>& lehrer,
                      const std::vector<CKlassenStatus>& klassen) {
    LehrerStatusL.items_ = lehrer;
    KlassenStatusL.items_ = klassen;
}

void CPlan::ClearPlacements() {
    for (int r = 0; r < RaumAnzahl; ++r)
        for (int s = 0; s < kSlotCount; ++s) {
            Lift(r, s);
            ClearMarker(r, s);
        }
}

} // namespace sw
