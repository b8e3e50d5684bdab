// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TableWriters.h"

#include <algorithm>
#include <functional>

namespace sw {

namespace {

template <typename List> bool InRange(const List& list, int i) {
    return i >= 0 && i < static_cast<int>(list.size());
}

bool HatParallelLehrer(const CStunde& h, int lehrer) {
    if (!h.IsCourse() || !h.ParallelL) return false;
    return std::any_of(h.ParallelL->begin(), h.ParallelL->end(),
                       [lehrer](const CStunde* p) { return p && p->Lehrer == lehrer; });
}

Fund Gefunden(const CPlan& plan, const CStunde* h) {
    return h ? Fund{h, plan.RoomOf(*h)} : Fund{};
}

// --- names ------------------------------------------------------------------------------------

std::string FachText(const CPlan& plan, const CStunde& h, bool nurKurz) {
    const Stammdaten& s = plan.Stamm();
    if (h.IsCourse()) {
        if (!InRange(s.KursBloecke, h.FachKurs)) return {};
        const CKursBlock& k = s.KursBloecke[static_cast<std::size_t>(h.FachKurs)];
        return nurKurz ? k.Kurz : k.Name;
    }
    return InRange(s.Faecher, h.FachKurs) ? s.Faecher[static_cast<std::size_t>(h.FachKurs)]
                                          : std::string();
}

std::string LehrerText(const CPlan& plan, int t, bool nurKurz) {
    if (!InRange(plan.Stamm().Lehrer, t)) return {};
    return nurKurz ? plan.LehrerAt(t).Kurz : plan.LehrerAt(t).Name;
}

std::string RaumText(const CPlan& plan, int r, bool nurKurz) {
    if (!InRange(plan.Stamm().Raeume, r)) return {};
    return nurKurz ? plan.RaumAt(r).Kurz : plan.RaumAt(r).Name;
}

std::string KlassenText(const CPlan& plan, int k) {
    return InRange(plan.Stamm().Klassen, k) ? plan.KlasseAt(k).Name : std::string();
}

// The class a course hour is shown with: its only class, when pseudo courses are treated.
bool PseudoKlasse(const CStunde& h, bool pseudoKurse, int& klasse) {
    if (!pseudoKurse || !h.KlassenL || h.KlassenL->size() != 1) return false;
    klasse = h.KlassenL->front();
    return true;
}

std::string TagName(const CPlan& plan, int tag) {
    return TagName(plan.Stamm().Angaben, tag);
}

// The common frame of the three tables: heading row, hour column, and `zelle` for the text of
// every slot (empty for a cell without a lesson).
WordTable Tabelle(CWord& word, const CPlan& plan, int layout,
                  const std::function<std::string(int slot)>& zelle) {
    const int ersteStunde = plan.Nullte ? 0 : 1;
    const int rows = plan.Stunden + 1 + (plan.Nullte ? 1 : 0);
    const int columns = plan.Tage + 1;
    const WordTable table = word.AddTable(rows, columns, TableFormatSpec{.Format = layout});
    for (int c = 2; c <= columns; ++c)
        word.SetCellText(table, 1, c, TagName(plan, c - 2));
    for (int r = 2; r <= rows; ++r) {
        const int stunde = r - 2 + ersteStunde;
        word.SetCellText(table, r, 1, std::to_string(stunde));
        for (int c = 2; c <= columns; ++c) {
            const std::string text = zelle(SlotOf(c - 2, stunde));
            if (!text.empty()) word.SetCellText(table, r, c, text);
        }
    }
    word.SetPreferredWidth(table, kBreiteProzent, 100);
    return table;
}

} // namespace

Fund FindeKlassenStunde(const CPlan& plan, int klasse, int slot) {
    return Gefunden(plan, plan.LessonOfClass(klasse, slot));
}

Fund FindeLehrerStunde(const CPlan& plan, int lehrer, int slot) {
    if (Fund eigene = Gefunden(plan, plan.LessonOfTeacher(lehrer, slot))) return eigene;
    for (int r = 0; r < plan.RaumAnzahl; ++r) {
        const CStunde* h = plan.HourAt(r, slot);
        if (h && HatParallelLehrer(*h, lehrer)) return {h, r};
    }
    return {};
}

Fund FindeRaumStunde(const CPlan& plan, int raum, int slot) {
    if (raum < 0 || raum >= plan.RaumAnzahl) return {};
    const CStunde* h = plan.HourAt(raum, slot);
    return h ? Fund{h, raum} : Fund{};
}

std::string KlassenZelle(const CPlan& plan, const Fund& fund, bool nurKurz) {
    if (!fund) return {};
    const CStunde& h = *fund.Stunde;
    const std::string lehrer = h.IsCourse() ? std::string() : LehrerText(plan, h.Lehrer, nurKurz);
    return FachText(plan, h, nurKurz) + "\n" + lehrer + "\n" + RaumText(plan, fund.Raum, nurKurz);
}

std::string LehrerZelle(const CPlan& plan, const Fund& fund, bool nurKurz, bool pseudoKurse) {
    if (!fund) return {};
    const CStunde& h = *fund.Stunde;
    std::string klasse;
    int k = -1;
    if (!h.IsCourse()) {
        klasse = KlassenText(plan, h.Klasse);
    } else if (PseudoKlasse(h, pseudoKurse, k)) {
        klasse = KlassenText(plan, k);
    } else if (h.KlassenL && h.KlassenL->size() > 1) {
        // The teacher sees whom he teaches: every class of the course.
        for (std::size_t i = 0; i < h.KlassenL->size(); ++i)
            klasse += (i > 0 ? ", " : "") + KlassenText(plan, (*h.KlassenL)[i]);
    }
    return FachText(plan, h, nurKurz) + "\n" + klasse + "\n" + RaumText(plan, fund.Raum, nurKurz);
}

std::string RaumZelle(const CPlan& plan, const Fund& fund, bool nurKurz, bool pseudoKurse) {
    if (!fund) return {};
    const CStunde& h = *fund.Stunde;
    std::string text = FachText(plan, h, nurKurz) + "\n" + LehrerText(plan, h.Lehrer, nurKurz);
    int k = -1;
    if (!h.IsCourse())
        text += "\n" + KlassenText(plan, h.Klasse);
    else if (PseudoKlasse(h, pseudoKurse, k))
        text += "\n" + KlassenText(plan, k);
    return text;
}

WordTable LehrerTabelle(CWord& word, const CPlan& plan, int lehrer, bool nurKurz, bool pseudoKurse,
                        int layout) {
    return Tabelle(word, plan, layout, [&](int slot) {
        return LehrerZelle(plan, FindeLehrerStunde(plan, lehrer, slot), nurKurz, pseudoKurse);
    });
}

WordTable KlassenTabelle(CWord& word, const CPlan& plan, int klasse, bool nurKurz, int layout) {
    return Tabelle(word, plan, layout, [&](int slot) {
        return KlassenZelle(plan, FindeKlassenStunde(plan, klasse, slot), nurKurz);
    });
}

WordTable RaumTabelle(CWord& word, const CPlan& plan, int raum, bool nurKurz, bool pseudoKurse,
                      int layout) {
    return Tabelle(word, plan, layout, [&](int slot) {
        return RaumZelle(plan, FindeRaumStunde(plan, raum, slot), nurKurz, pseudoKurse);
    });
}

} // namespace sw
