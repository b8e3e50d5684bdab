// SPDX-License-Identifier: GPL-3.0-or-later
// LessonEditor.cpp: the block page, the units page's lists and commands, the special
// separations. The preset handlers live in UnitPresets.cpp.
#include "define/LessonEditor.h"

#include "define/BlockUnits.h"
#include "define/MasterDataNames.h"
#include "model/Text.h"

#include <algorithm>

namespace sw {

using blockunits::Contains;
using blockunits::ValidIndex;

namespace {

const std::string kCaption = "Unterricht   ";       // the block page: three blanks
const std::string kUnitsCaption = "Unterricht    "; // the units page: four blanks

// A block list of one view: the subject blocks and courses of a teacher or of a class.
template <typename Keep> void FillFachBloecke(const Stammdaten& d, BlockSeite& page, Keep keep) {
    for (std::size_t i = 0; i < d.FachBloecke.size(); ++i)
        if (keep(d.FachBloecke[i].Block))
            page.FachBloecke.push_back(
                {d.FachBloecke[i].Key, d.FachBloecke[i].Block.BStunden, static_cast<int>(i)});
}
template <typename Keep> void FillKursBloecke(const Stammdaten& d, BlockSeite& page, Keep keep) {
    for (std::size_t i = 0; i < d.KursBloecke.size(); ++i)
        if (keep(d.KursBloecke[i]))
            page.KursBloecke.push_back(
                {d.KursBloecke[i].Name, d.KursBloecke[i].BStunden, static_cast<int>(i)});
}

bool TeachesIn(const CKursBlock& k, std::string_view lehrer) {
    return std::any_of(k.Lehrer.begin(), k.Lehrer.end(),
                       [&](const CKursLehrer& l) { return l.Name == lehrer; });
}

} // namespace

// --- The block page ---------------------------------------------------------------------------

std::vector<std::string> LessonEditor::TeacherSubjects(int lehrer) const {
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return {};
    return data_.Lehrer[static_cast<std::size_t>(lehrer)].Faecher;
}

std::vector<KursZeile> LessonEditor::TeacherCourses(int lehrer) const {
    std::vector<KursZeile> out;
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return out;
    const std::string& name = data_.Lehrer[static_cast<std::size_t>(lehrer)].Name;
    for (std::size_t i = 0; i < data_.KursBloecke.size(); ++i) {
        const CKursBlock& k = data_.KursBloecke[i];
        for (std::size_t t = 0; t < k.Lehrer.size(); ++t)
            if (k.Lehrer[t].Name == name) {
                out.push_back({k.Name, t < k.Faecher.size() ? k.Faecher[t] : std::string(),
                               static_cast<int>(i)});
                break;
            }
    }
    return out;
}

BlockSeite LessonEditor::View(BlockAnsicht ansicht, int lehrer, int klasse) const {
    BlockSeite page;
    if (ansicht == BlockAnsicht::Lehrer) {
        if (!ValidIndex(lehrer, data_.Lehrer.size())) return page;
        const std::string& name = data_.Lehrer[static_cast<std::size_t>(lehrer)].Name;
        page.Titel = kCaption + name;
        FillFachBloecke(data_, page, [&](const CFachBlock& b) { return b.Lehrer == name; });
        FillKursBloecke(data_, page, [&](const CKursBlock& k) { return TeachesIn(k, name); });
    } else {
        if (!ValidIndex(klasse, data_.Klassen.size())) return page;
        const std::string& name = data_.Klassen[static_cast<std::size_t>(klasse)].Name;
        page.Titel = kCaption + name;
        FillFachBloecke(data_, page, [&](const CFachBlock& b) { return b.Klasse == name; });
        FillKursBloecke(data_, page,
                        [&](const CKursBlock& k) { return Contains(k.Klassen, name); });
    }
    page.Gezeigt = true;
    long long normal = 0, kurs = 0;
    for (const BlockZeile& z : page.FachBloecke)
        normal += z.Stunden;
    for (const BlockZeile& z : page.KursBloecke)
        kurs += z.Stunden;
    page.Summe = SummaryText(static_cast<int>(normal), static_cast<int>(kurs));
    return page;
}

std::string LessonEditor::SummaryText(int normal, int kurs) {
    return " " + std::to_string(normal) + " Normal-Stunden + " + std::to_string(kurs) +
           " Kurs-Stunden = " + std::to_string(static_cast<long long>(normal) + kurs);
}

namespace {
// A request names an existing teacher and class and exactly one of subject and course.
bool Complete(const Stammdaten& d, const BlockAnfrage& a) {
    if (d.FindLehrer(a.Lehrer) < 0 || d.FindKlasse(a.Klasse) < 0) return false;
    return a.Fach.empty() != a.Kurs.empty();
}
} // namespace

std::optional<BlockDialog> LessonEditor::OpenBlockDialog(const BlockAnfrage& anfrage,
                                                         Reporter& rep) const {
    if (!Complete(data_, anfrage)) return std::nullopt;
    BlockDialog dialog{anfrage.Lehrer, anfrage.Klasse, anfrage.Fach, "", true};
    if (!anfrage.Kurs.empty()) {
        const int k = data_.FindKursBlock(anfrage.Kurs);
        if (k < 0) {
            rep.Show({unterrichtstext::KursFehlt, unterrichtstext::KursFehltTitel});
            return std::nullopt;
        }
        dialog.FachKurs = anfrage.Kurs;
        dialog.Stunden = std::to_string(data_.KursBloecke[static_cast<std::size_t>(k)].BStunden);
        dialog.StundenAenderbar = false;
    }
    return dialog;
}

bool LessonEditor::Changed(bool changed) {
    if (changed) data_.Aenderungen.Bump();
    return changed;
}

bool LessonEditor::AddBlock(const BlockAnfrage& anfrage, std::string_view stundenText,
                            Reporter& rep) {
    if (!Complete(data_, anfrage)) return false;
    const int kurs = anfrage.Kurs.empty() ? -1 : data_.FindKursBlock(anfrage.Kurs);
    if (!anfrage.Kurs.empty() && kurs < 0) {
        rep.Show({unterrichtstext::KursFehlt, unterrichtstext::KursFehltTitel});
        return false;
    }
    const std::optional<int> stunden = ParseInt(stundenText);
    if (!stunden) {
        rep.Show({std::string(stundenText) + " ist keine gültige Zahl", titel::Fehler});
        return false;
    }
    const int most = data_.Angaben.Tage * data_.Angaben.Stunden;
    if (*stunden <= 0 || *stunden > most) {
        rep.Show({"Die StundenZahl für einen Unterrichts - Block kann nur zwischen 1 und " +
                      std::to_string(most) + " liegen!",
                  titel::Fehler});
        return false;
    }
    if (kurs >= 0) {
        CKursBlock& k = data_.KursBloecke[static_cast<std::size_t>(kurs)];
        if (Contains(k.Klassen, anfrage.Klasse)) {
            rep.Show({"Diese Klasse hat bereits den Kurs " + k.Name, titel::Fehler});
            return false;
        }
        k.Klassen.push_back(anfrage.Klasse);
        return Changed();
    }
    CFachBlock block;
    block.Lehrer = anfrage.Lehrer;
    block.Klasse = anfrage.Klasse;
    block.Fach = anfrage.Fach;
    if (data_.FindFachBlock(block.Key()) >= 0) {
        rep.Show({unterrichtstext::BlockVorhanden, titel::Fehler});
        return false;
    }
    // Only the first block of the class and subject asks; No ends the command.
    for (const Unterricht& u : data_.FachBloecke)
        if (u.Block.Klasse == block.Klasse && u.Block.Fach == block.Fach) {
            const Message question{"Das Fach " + block.Fach +
                                       " wurde bereits vergeben.\nDiesen Block trotzdem einfügen?",
                                   titel::Anfrage};
            if (!rep.Ask(question, Question::YesNo)) return false;
            break;
        }
    block.BStunden = *stunden;
    block.Trennung = 1;
    block.SpezialTrennung = -1;
    block.Einheiten.assign(static_cast<std::size_t>(*stunden), CEinheit(1, kNoSlot));
    data_.AddFachBlock(std::move(block));
    return Changed();
}

bool LessonEditor::RemoveBlock(const AktuellerBlock& block, std::string_view klasse,
                               Reporter& rep) {
    if (blockunits::Fach(data_, block) != nullptr) {
        data_.FachBloecke.erase(data_.FachBloecke.begin() + block.Index);
        masterdata::DropMissingFromRelations(data_);
        return Changed();
    }
    CKursBlock* k = blockunits::Kurs(data_, block);
    if (k == nullptr) return false;
    if (block.Ansicht == BlockAnsicht::Lehrer) {
        rep.Show({unterrichtstext::KursZuordnung, titel::Hinweis});
        return false;
    }
    const auto end = std::remove(k->Klassen.begin(), k->Klassen.end(), klasse);
    if (end == k->Klassen.end()) return false;
    k->Klassen.erase(end, k->Klassen.end());
    return Changed();
}

AktuellerBlock LessonEditor::Select(BlockArt art, int index, BlockAnsicht ansicht,
                                    std::string_view lehrer) const {
    AktuellerBlock b{art, index, -1, ansicht};
    if (art == BlockArt::Fach && ValidIndex(index, data_.FachBloecke.size())) return b;
    if (art != BlockArt::Kurs || !ValidIndex(index, data_.KursBloecke.size())) return {};
    const CKursBlock& k = data_.KursBloecke[static_cast<std::size_t>(index)];
    if (ansicht == BlockAnsicht::Klasse) {
        b.LehrerPos = k.Lehrer.empty() ? -1 : 0;
    } else {
        for (std::size_t t = 0; t < k.Lehrer.size(); ++t)
            if (k.Lehrer[t].Name == lehrer) {
                b.LehrerPos = static_cast<int>(t);
                break;
            }
    }
    return b;
}

bool LessonEditor::Separation(const AktuellerBlock& block) const {
    if (const CFachBlock* f = blockunits::Fach(data_, block)) return f->Trennung != 0;
    if (const CKursBlock* k = blockunits::Kurs(data_, block)) return k->Trennung != 0;
    return false;
}

bool LessonEditor::SetSeparation(const AktuellerBlock& block, bool on) {
    Flag* flag = nullptr;
    if (CFachBlock* f = blockunits::Fach(data_, block)) flag = &f->Trennung;
    if (CKursBlock* k = blockunits::Kurs(data_, block)) flag = &k->Trennung;
    if (flag == nullptr || *flag == (on ? 1 : 0)) return false;
    *flag = on ? 1 : 0;
    return Changed();
}

// --- The units page ---------------------------------------------------------------------------

bool LessonEditor::CanOpenUnits(const AktuellerBlock& block, Reporter& rep) const {
    if (blockunits::Fach(data_, block) != nullptr || blockunits::Kurs(data_, block) != nullptr)
        return true;
    rep.Show({unterrichtstext::KeinBlock, titel::Hinweis});
    return false;
}

std::string LessonEditor::UnitsCaption(const AktuellerBlock& block, std::string_view klasse) const {
    if (const CFachBlock* f = blockunits::Fach(data_, block)) {
        if (block.Ansicht == BlockAnsicht::Klasse)
            return kUnitsCaption + f->Klasse + " / " + f->Lehrer + " / " + f->Fach;
        return kUnitsCaption + f->Lehrer + " / " + f->Klasse + " / " + f->Fach;
    }
    const CKursBlock* k = blockunits::Kurs(data_, block);
    if (k == nullptr) return {};
    if (block.Ansicht == BlockAnsicht::Klasse)
        return kUnitsCaption + std::string(klasse) + " : " + k->Name + " (Kurs)";
    std::string lehrer, fach;
    if (ValidIndex(block.LehrerPos, k->Lehrer.size()))
        lehrer = k->Lehrer[static_cast<std::size_t>(block.LehrerPos)].Name;
    if (ValidIndex(block.LehrerPos, k->Faecher.size()))
        fach = k->Faecher[static_cast<std::size_t>(block.LehrerPos)];
    return kUnitsCaption + lehrer + " : " + k->Name + " (Kurs)" + " : " + fach;
}

std::vector<EinheitZeile> LessonEditor::Units(const AktuellerBlock& block) const {
    std::vector<EinheitZeile> out;
    const std::vector<CEinheit>* list = blockunits::Current(data_, block);
    if (list == nullptr) return out;
    if (const CFachBlock* f = blockunits::Fach(data_, block)) {
        const std::string text = f->Lehrer + " / " + f->Klasse + " / " + f->Fach;
        for (const CEinheit& e : *list)
            out.push_back({text, std::to_string(e.Laenge), e.Raum});
        return out;
    }
    const CKursBlock& k = *blockunits::Kurs(data_, block);
    for (std::size_t p = 0; p < list->size(); ++p) {
        EinheitZeile z{k.Name, std::to_string((*list)[p].Laenge), (*list)[p].Raum};
        if (block.Ansicht == BlockAnsicht::Klasse) {
            // Every teacher's room at this position: "R1, " each, "-," for none, and the last
            // character of the whole text cut off.
            z.Raum.clear();
            for (const CKursLehrer& l : k.Lehrer) {
                const std::string raum = p < l.Einheiten.size() ? l.Einheiten[p].Raum : "";
                z.Raum += raum.empty() ? std::string("-,") : raum + ", ";
            }
            if (!z.Raum.empty()) z.Raum.pop_back();
        }
        out.push_back(std::move(z));
    }
    return out;
}

const CEinheit* LessonEditor::Unit(const AktuellerBlock& block, int position) const {
    return blockunits::UnitAt(data_, block, position);
}

int LessonEditor::UnitCount(const AktuellerBlock& block) const {
    const std::vector<CEinheit>* list = blockunits::Current(data_, block);
    return list == nullptr ? 0 : static_cast<int>(list->size());
}

namespace {
// Removes the units at `positions` (ascending) that the list holds.
void RemoveAt(std::vector<CEinheit>& list, const std::vector<int>& positions) {
    for (auto p = positions.rbegin(); p != positions.rend(); ++p)
        if (ValidIndex(*p, list.size())) list.erase(list.begin() + *p);
}
} // namespace

bool LessonEditor::Merge(const AktuellerBlock& block, const std::vector<int>& selected,
                         Reporter& rep) {
    // A rule that pairs this block's units with another's may no longer hold.
    return masterdata::KeepingRules(data_, rep, [&] {
        const std::vector<CEinheit>* current = blockunits::Current(data_, block);
        if (current == nullptr) return false;
        const std::vector<int> positions = blockunits::ValidPositions(selected, current->size());
        if (positions.size() < 2) return false;
        long long sum = 0;
        for (int p : positions)
            sum += (*current)[static_cast<std::size_t>(p)].Laenge;
        if (sum < 1 || sum > kMaxLessonHours) return false; // damaged lengths stay as they are
        // A unit never crosses the end of the day: it could never be placed.
        if (sum > DayHours(data_.Angaben)) {
            rep.Show({"Die Einheiten ergäben zusammen eine Einheit von " + std::to_string(sum) +
                          " Stunden; ein Tag hat nur " + std::to_string(DayHours(data_.Angaben)) +
                          ".",
                      titel::Hinweis});
            return false;
        }
        const int length = static_cast<int>(sum);
        blockunits::ForEachList(data_, block, [&](std::vector<CEinheit>& list) {
            RemoveAt(list, positions);
            list.emplace_back(length, kNoSlot);
        });
        return Changed();
    });
}

bool LessonEditor::Split(const AktuellerBlock& block, const std::vector<int>& selected,
                         Reporter& rep) {
    return masterdata::KeepingRules(data_, rep, [&] {
        const std::vector<CEinheit>* current = blockunits::Current(data_, block);
        if (current == nullptr) return false;
        const std::vector<int> positions = blockunits::ValidPositions(selected, current->size());
        if (positions.empty()) return false;
        if (positions.size() > 1) {
            rep.Show({unterrichtstext::ZerlegenEinzeln, titel::Hinweis});
            return false;
        }
        const int length = (*current)[static_cast<std::size_t>(positions[0])].Laenge;
        // A damaged length would lose hours or flood the list: such a unit is left as it is.
        if (length < 1 || length > kMaxLessonHours) return false;
        blockunits::ForEachList(data_, block, [&](std::vector<CEinheit>& list) {
            RemoveAt(list, positions);
            for (int i = 0; i < length; ++i)
                list.emplace_back(1, kNoSlot);
        });
        return Changed();
    });
}

bool LessonEditor::ClearRooms(const AktuellerBlock& block, const std::vector<int>& selected) {
    std::vector<CEinheit>* current = blockunits::Current(data_, block);
    if (current == nullptr) return false;
    bool changed = false;
    for (int p : blockunits::ValidPositions(selected, current->size())) {
        std::string& raum = (*current)[static_cast<std::size_t>(p)].Raum;
        changed = changed || !raum.empty();
        raum.clear();
    }
    return Changed(changed);
}

std::vector<std::string> LessonEditor::RoomChoices() const {
    std::vector<std::string> names;
    names.reserve(data_.Raeume.size());
    for (const CRaumFach& r : data_.Raeume)
        names.push_back(r.Name);
    return names;
}

// --- Special separations ----------------------------------------------------------------------

TrennungsSeite LessonEditor::Separations(int klasse) const {
    TrennungsSeite page;
    if (!ValidIndex(klasse, data_.Klassen.size())) return page;
    const std::string& name = data_.Klassen[static_cast<std::size_t>(klasse)].Name;
    page.Titel = "Spezialtrennungen : " + name;
    for (const Unterricht& u : data_.FachBloecke) {
        if (u.Block.Klasse == name) page.StundenBloecke.push_back(u.Key);
        if (u.Block.SpezialTrennung == klasse) page.BeteiligtFach.push_back(u.Key);
    }
    for (const CKursBlock& k : data_.KursBloecke) {
        if (Contains(k.Klassen, name)) page.KursBloecke.push_back(k.Name);
        if (k.SpezialTrennung == klasse) page.BeteiligtKurs.push_back(k.Name);
    }
    return page;
}

namespace {
// The group field of the subject block `fachKey`, or else of the course block `kurs`; nullptr
// when the name given is not found (or none is given).
int* GroupOf(Stammdaten& d, std::string_view fachKey, std::string_view kurs) {
    if (!fachKey.empty()) {
        const int i = d.FindFachBlock(fachKey);
        return i < 0 ? nullptr : &d.FachBloecke[static_cast<std::size_t>(i)].Block.SpezialTrennung;
    }
    if (kurs.empty()) return nullptr;
    const int i = d.FindKursBlock(kurs);
    return i < 0 ? nullptr : &d.KursBloecke[static_cast<std::size_t>(i)].SpezialTrennung;
}
} // namespace

bool LessonEditor::AddToSeparation(int klasse, std::string_view fachKey, std::string_view kurs) {
    if (!ValidIndex(klasse, data_.Klassen.size())) return false;
    int* group = GroupOf(data_, fachKey, kurs);
    if (group == nullptr || *group == klasse) return false;
    *group = klasse;
    return Changed();
}

bool LessonEditor::RemoveFromSeparation(std::string_view fachKey, std::string_view kurs) {
    int* group = GroupOf(data_, fachKey, kurs);
    if (group == nullptr || *group == -1) return false;
    *group = -1;
    return Changed();
}

// --- The rules of a block --------------------------------------------------------------------

std::optional<CBlockBezug> LessonEditor::Bezug(const AktuellerBlock& block) const {
    if (blockunits::Fach(data_, block) != nullptr)
        return CBlockBezug{0, data_.FachBloecke[static_cast<std::size_t>(block.Index)].Key};
    if (const CKursBlock* k = blockunits::Kurs(data_, block)) return CBlockBezug{1, k->Name};
    return std::nullopt;
}

CBlockRegeln LessonEditor::BlockRules(const AktuellerBlock& block) const {
    if (const CFachBlock* f = blockunits::Fach(data_, block)) return f->Regeln;
    if (const CKursBlock* k = blockunits::Kurs(data_, block)) return k->Regeln;
    return {};
}

bool LessonEditor::SetBlockRules(const AktuellerBlock& block, const CBlockRegeln& regeln,
                                 Reporter& rep) {
    if (!Bezug(block) || BlockRules(block) == regeln) return false;
    Stammdaten probe = data_;
    if (CFachBlock* f = blockunits::Fach(probe, block)) f->Regeln = regeln;
    if (CKursBlock* k = blockunits::Kurs(probe, block)) k->Regeln = regeln;
    if (!masterdata::RulesAllow(data_, probe, rep)) return false;
    if (CFachBlock* f = blockunits::Fach(data_, block)) f->Regeln = regeln;
    if (CKursBlock* k = blockunits::Kurs(data_, block)) k->Regeln = regeln;
    return Changed();
}

std::vector<CBlockBezug> LessonEditor::RelationBlocks() const {
    std::vector<CBlockBezug> out;
    out.reserve(data_.FachBloecke.size() + data_.KursBloecke.size());
    for (const Unterricht& u : data_.FachBloecke)
        out.push_back({0, u.Key});
    for (const CKursBlock& k : data_.KursBloecke)
        out.push_back({1, k.Name});
    return out;
}

std::vector<int> LessonEditor::RelationsOf(const CBlockBezug& bezug) const {
    std::vector<int> out;
    for (std::size_t i = 0; i < data_.Beziehungen.size(); ++i) {
        const auto& bloecke = data_.Beziehungen[i].Bloecke;
        if (std::find(bloecke.begin(), bloecke.end(), bezug) != bloecke.end())
            out.push_back(static_cast<int>(i));
    }
    return out;
}

bool LessonEditor::AddRelation(const CBeziehung& beziehung, Reporter& rep) {
    const auto& alle = data_.Beziehungen;
    if (std::find(alle.begin(), alle.end(), beziehung) != alle.end()) return false;
    Stammdaten probe = data_;
    probe.Beziehungen.push_back(beziehung);
    if (!masterdata::RulesAllow(data_, probe, rep)) return false;
    data_.Beziehungen.push_back(beziehung);
    return Changed();
}

bool LessonEditor::RemoveRelation(int index) {
    if (!blockunits::ValidIndex(index, data_.Beziehungen.size())) return false;
    data_.Beziehungen.erase(data_.Beziehungen.begin() + index);
    return Changed();
}

} // namespace sw
