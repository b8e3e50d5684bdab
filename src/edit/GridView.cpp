// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/GridView.h"

#include "model/Regeln.h"
#include "plan/Evaluation.h"

namespace sw {

namespace {

// The hour a data row shows: rows count from hour 0 when the 0th hour is in use, else from 1.
int HourOfRow(const CPlan& plan, int row) {
    return plan.Nullte ? row - 1 : row;
}

bool InRange(int i, std::size_t size) {
    return i >= 0 && static_cast<std::size_t>(i) < size;
}

// A name or its short form, as the "nur Abkürzungen" box asks.
template <typename Entity> const std::string& NameOf(const Entity& e, bool kurz) {
    return kurz ? e.Kurz : e.Name;
}

const std::string& Empty() {
    static const std::string empty;
    return empty;
}

const std::string& SubjectName(const Stammdaten& s, int fach) {
    return InRange(fach, s.Faecher.size()) ? s.Faecher[static_cast<std::size_t>(fach)] : Empty();
}

const std::string& CourseName(const Stammdaten& s, int kurs, bool kurz) {
    return InRange(kurs, s.KursBloecke.size())
               ? NameOf(s.KursBloecke[static_cast<std::size_t>(kurs)], kurz)
               : Empty();
}

const std::string& TeacherName(const Stammdaten& s, int t, bool kurz) {
    return InRange(t, s.Lehrer.size()) ? NameOf(s.Lehrer[static_cast<std::size_t>(t)], kurz)
                                       : Empty();
}

const std::string& ClassName(const Stammdaten& s, int k) {
    return InRange(k, s.Klassen.size()) ? s.Klassen[static_cast<std::size_t>(k)].Name : Empty();
}

const std::string& RoomName(const Stammdaten& s, int r, bool kurz) {
    return InRange(r, s.Raeume.size()) ? NameOf(s.Raeume[static_cast<std::size_t>(r)], kurz)
                                       : Empty();
}

// The three text lines of an occupied cell, by view and kind of hour.
void LessonTexts(const Stammdaten& s, const CStunde& h, Ansicht view, bool nurKurz, int room,
                 CellLook& out) {
    if (h.IsCourse()) {
        out.Zeile1 = CourseName(s, h.FachKurs, nurKurz);
        if (view == Ansicht::Raum)
            out.Zeile2 = TeacherName(s, h.Lehrer, nurKurz);
        else
            out.Zeile3 = RoomName(s, room, nurKurz);
        return;
    }
    out.Zeile1 = SubjectName(s, h.FachKurs);
    switch (view) {
    case Ansicht::Lehrer:
        out.Zeile2 = ClassName(s, h.Klasse);
        out.Zeile3 = RoomName(s, room, nurKurz);
        break;
    case Ansicht::Klasse:
        out.Zeile2 = TeacherName(s, h.Lehrer, nurKurz);
        out.Zeile3 = RoomName(s, room, nurKurz);
        break;
    case Ansicht::Raum:
        out.Zeile2 = TeacherName(s, h.Lehrer, nurKurz);
        if (nurKurz) out.Zeile3 = ClassName(s, h.Klasse);
        break;
    }
}

// A course teacher's subject in the course: the entry beside his name in the course's lists.
const std::string& CourseSubject(const Stammdaten& s, int kurs, int lehrer) {
    if (!InRange(kurs, s.KursBloecke.size())) return Empty();
    const CKursBlock& k = s.KursBloecke[static_cast<std::size_t>(kurs)];
    const std::string& name = TeacherName(s, lehrer, false);
    for (std::size_t i = 0; i < k.Lehrer.size() && i < k.Faecher.size(); ++i)
        if (k.Lehrer[i].Name == name) return k.Faecher[i];
    return Empty();
}

std::string RoomLine(const Stammdaten& s, int room) {
    return room < 0 ? std::string("ohne Raum") : "Raum " + RoomName(s, room, false);
}

std::string CourseToolTip(const CPlan& plan, const CStunde& h) {
    const Stammdaten& s = plan.Stamm();
    std::string text = "Kurs: " + CourseName(s, h.FachKurs, false) + "\nKlassen: ";
    if (h.KlassenL)
        for (std::size_t i = 0; i < h.KlassenL->size(); ++i)
            text += (i > 0 ? ", " : "") + ClassName(s, (*h.KlassenL)[i]);
    const auto part = [&](const CStunde& p) {
        text += "\n" + TeacherName(s, p.Lehrer, false) + ": " +
                CourseSubject(s, h.FachKurs, p.Lehrer) + ", " + RoomLine(s, plan.RoomOf(p));
    };
    if (h.ParallelL && !h.ParallelL->empty()) {
        for (const CStunde* p : *h.ParallelL)
            if (p) part(*p);
    } else {
        part(h);
    }
    return text;
}

// Whether the shown entity has locked `slot`.
bool Locked(const Stammdaten& s, Ansicht view, int index, int slot) {
    const auto i = static_cast<std::size_t>(index);
    switch (view) {
    case Ansicht::Lehrer:
        return InRange(index, s.Lehrer.size()) && s.Lehrer[i].Sperre[slot] != 0;
    case Ansicht::Klasse:
        return InRange(index, s.Klassen.size()) && s.Klassen[i].Sperre[slot] != 0;
    case Ansicht::Raum:
        return InRange(index, s.Raeume.size()) && s.Raeume[i].Sperre[slot] != 0;
    }
    return false;
}

} // namespace

// --- geometry --------------------------------------------------------------------------------

int GridRows(const CPlan& plan) {
    return plan.Stunden + 1 + (plan.Nullte ? 1 : 0);
}

int GridColumns(const CPlan& plan) {
    return plan.Tage + 1;
}

int SlotOfCell(const CPlan& plan, int column, int row) {
    if (column < 1 || column >= GridColumns(plan) || row < 1 || row >= GridRows(plan))
        return kNoSlot;
    return SlotOf(column - 1, HourOfRow(plan, row));
}

int RowOfSlot(const CPlan& plan, int slot) {
    if (!IsSlot(slot) || DayOf(slot) >= plan.Tage) return -1;
    const int hour = HourOf(slot);
    if (hour > plan.Stunden || (hour == 0 && !plan.Nullte)) return -1;
    return plan.Nullte ? hour + 1 : hour;
}

std::string ColumnHeader(const CPlan& plan, int column) {
    if (column < 1 || column >= GridColumns(plan)) return {};
    return TagName(plan.Stamm().Angaben, column - 1);
}

std::string RowHeader(const CPlan& plan, int row) {
    if (row < 1 || row >= GridRows(plan)) return {};
    return std::to_string(HourOfRow(plan, row)) + ". Stunde";
}

// --- what a cell shows -----------------------------------------------------------------------

void DescribeCell(const CPlan& plan, const EditState& state, Ansicht view, int index, bool nurKurz,
                  int slot, CellLook& out) {
    // Texts, marks, cross and frame off; the strings keep their capacity.
    const auto blank = [&out] {
        out.Zeile1.clear();
        out.Zeile2.clear();
        out.Zeile3.clear();
        out.Fett = out.Unterstrichen = out.T = out.Rahmen = false;
        out.Nummer = 0;
        out.Limit = 0;
        out.Cross = Kreuz::Keins;
    };
    out.Lesson = false;
    out.Ground = Grund::Leer;
    blank();
    // Nothing is drawn while the view's list has no selection.
    if (index < 0 || !IsSlot(slot)) return;

    const Stammdaten& s = plan.Stamm();
    const bool emptySelected = state.Selection == &plan.LeerStunde;
    int room = -1;
    if (const CStunde* h = LessonAt(plan, view, index, slot, &room)) {
        out.Lesson = true;
        out.Ground = h == state.Selection ? Grund::Auswahl
                     : h->IsCourse()      ? Grund::Kurs
                     : h->BlockPos == -1  ? Grund::Einzel
                                          : Grund::Mehrfach;
        LessonTexts(s, *h, view, nurKurz, room, out);
        out.Unterstrichen = h->TimeFixed();
        out.Fett = h->RoomFixed();
        if (h->BlockPos != -1) out.Nummer = h->BlockPos + 1;
        out.T = h->Tag != -1;
        out.Limit = h->OberesLimit ? 'O' : h->UnteresLimit ? 'U' : 0;
        // Search results and swap partners are framed on occupied cells.
        out.Rahmen = (emptySelected || state.SwapMode) && state.IsCandidate(slot);
    } else {
        if (Locked(s, view, index, slot))
            out.Cross = view == Ansicht::Klasse ? Kreuz::Grau : Kreuz::Schwarz;
        // Move targets are framed on empty cells.
        const bool hourSelected = state.Selection && !emptySelected && state.Selection->IsLesson();
        out.Rahmen = hourSelected && state.IsCandidate(slot);
    }
    // A selected empty cell is teal over everything else.
    if (emptySelected && slot == state.SelectedSlot()) {
        out.Ground = Grund::Auswahl;
        blank();
    }
}

std::string CellToolTip(const CPlan& plan, Ansicht view, int index, int slot) {
    if (index < 0 || !IsSlot(slot)) return {};
    int room = -1;
    const CStunde* h = LessonAt(plan, view, index, slot, &room);
    if (!h) return {};
    if (h->IsCourse()) return CourseToolTip(plan, *h);
    const Stammdaten& s = plan.Stamm();
    return SubjectName(s, h->FachKurs) + "\nLehrer: " + TeacherName(s, h->Lehrer, false) +
           "\nKlasse: " + ClassName(s, h->Klasse) + "\nRaum: " + RoomName(s, room, false);
}

int SetHours(const CPlan& plan, Ansicht view, int index) {
    if (index < 0) return 0;
    int n = 0;
    for (int column = 1; column < GridColumns(plan); ++column)
        for (int row = 1; row < GridRows(plan); ++row)
            if (LessonAt(plan, view, index, SlotOfCell(plan, column, row))) ++n;
    return n;
}

// --- statistics and captions -------------------------------------------------------------------

Statistik ViewStatistics(const CPlan& plan, Ansicht view, int index) {
    Statistik st;
    const auto i = static_cast<std::size_t>(index);
    if (view == Ansicht::Lehrer && InRange(index, plan.LehrerStatusL.size()) &&
        InRange(index, plan.LehrerSollL.size())) {
        // A copy: the statistics never change the plan's own record.
        CLehrerStatus ls = plan.LehrerStatusL[i];
        EvaluateTeacherInto(plan, index, ls);
        st.LeerStunden = std::to_string(ls.LLS);
        st.LeerStundenMaximum = std::to_string(ls.MaxLuecke);
        st.StundenMaximum = std::to_string(ls.MaxStunden);
        st.StundenMinimum = std::to_string(ls.MinStunden);
        st.TrennungsFehler = "-";
        st.SpezialTrennungsFehler = "-";
        st.Stunden = std::to_string(plan.LehrerSollL[i].WochenStunden);
        st.GesetzteStunden = std::to_string(SetHours(plan, view, index));
        st.LSSum = std::to_string(plan.Totals().LLSSumme);
    } else if (view == Ansicht::Klasse && InRange(index, plan.KlassenStatusL.size()) &&
               InRange(index, plan.KlassenSollL.size())) {
        CKlassenStatus ks = plan.KlassenStatusL[i];
        EvaluateClassInto(plan, index, ks);
        st.LeerStunden = std::to_string(ks.KLS);
        st.LeerStundenMaximum = std::to_string(ks.MaxLuecke);
        st.StundenMaximum = std::to_string(ks.MaxStunden);
        st.StundenMinimum = std::to_string(ks.MinStunden);
        st.TrennungsFehler = std::to_string(ks.TF);
        st.SpezialTrennungsFehler = std::to_string(ks.STF);
        st.Stunden = std::to_string(plan.KlassenSollL[i].WochenStunden);
        st.GesetzteStunden = std::to_string(SetHours(plan, view, index));
        st.LSSum = std::to_string(plan.Totals().KLSSumme);
    }
    return st;
}

std::string WindowCaption(const CPlan& plan, Ansicht view, int index) {
    static constexpr const char* kTitel[] = {
        "Schnappschuß Lehrer: ", "Schnappschuß Klasse: ", "Schnappschuß Raum: "};
    return kTitel[static_cast<int>(view)] + PageCaption(plan, view, index);
}

std::string PageCaption(const CPlan& plan, Ansicht view, int index) {
    const Stammdaten& s = plan.Stamm();
    switch (view) {
    case Ansicht::Lehrer:
        return TeacherName(s, index, false);
    case Ansicht::Klasse:
        return ClassName(s, index);
    case Ansicht::Raum:
        return RoomName(s, index, false);
    }
    return {};
}

KonfliktAnzeige ConflictDisplay(const CPlan& plan, bool conflictFlag) {
    KonfliktAnzeige k;
    if (!conflictFlag) return k;
    const Stammdaten& s = plan.Stamm();
    k.Caption = std::string("Konflikt:  ") + CPlan::KonfliktText(plan.Conflict().KonfliktArt);
    // A rule of the school is named: "Konflikt:  Regel „höchstens Stunden am Tag“".
    if (plan.Conflict().KonfliktArt == Konflikt::Regel && plan.Conflict().KonfliktRegel >= 0)
        k.Caption += std::string(" „") +
                     RegelName(static_cast<RegelArt>(plan.Conflict().KonfliktRegel)) + "“";
    if (plan.Conflict().KonfliktRaum != -1) {
        k.Raum = RoomName(s, plan.Conflict().KonfliktRaum, false);
    } else if (plan.Conflict().KonfliktKlasse != -1) {
        k.Klasse = ClassName(s, plan.Conflict().KonfliktKlasse);
    } else if (plan.Conflict().KonfliktLehrer != -1) {
        k.Lehrer = TeacherName(s, plan.Conflict().KonfliktLehrer, false);
    } else if (const CStunde* h = plan.Conflict().KonfliktStunde) {
        k.Lehrer = TeacherName(s, h->Lehrer, false);
        if (h->IsCourse()) {
            k.FachKurs = CourseName(s, h->FachKurs, false);
        } else {
            k.Klasse = ClassName(s, h->Klasse);
            k.FachKurs = SubjectName(s, h->FachKurs);
        }
    }
    return k;
}

} // namespace sw
