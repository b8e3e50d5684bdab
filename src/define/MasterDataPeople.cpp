// SPDX-License-Identifier: GPL-3.0-or-later
// MasterDataPeople.cpp: teachers and classes, and the lock grids of rooms, teachers and classes.
#include "define/MasterData.h"

#include "define/MasterDataNames.h"

namespace sw {

using namespace masterdata;

namespace {

const std::string& LehrerName(const CLehrer& l) {
    return l.Name;
}
const std::string& LehrerKurz(const CLehrer& l) {
    return l.Kurz;
}
const std::string& KlassenName(const CKlasse& k) {
    return k.Name;
}

Aenderung SetFlag(Stammdaten& d, Flag& flag, bool on, int index) {
    if (flag == (on ? 1 : 0)) return Unchanged(index);
    flag = on ? 1 : 0;
    return Changed(d, index);
}

} // namespace

// --- Teachers ---------------------------------------------------------------------------------

Aenderung MasterDataEditor::NewTeacher(const NamenEingabe& eingabe, Reporter& rep) {
    const std::string name = UpperName(CleanName(eingabe.Name));
    const std::string kurz = UpperName(CleanName(eingabe.Kurz, kKurzLaenge));
    if (name.empty()) {
        rep.Show({stammtext::LehrerUngueltig, titel::Fehler});
        return Unchanged(-1);
    }
    if (kurz.empty()) {
        rep.Show({stammtext::KurzUngueltig, titel::Fehler});
        return Unchanged(-1);
    }
    if (RefuseUnstorable(name, stammtext::LehrerUngueltig, "Der Lehrer", rep) ||
        RefuseUnstorable(kurz, stammtext::KurzUngueltig, "Das Kürzel", rep))
        return Unchanged(-1);
    if (FindOther(data_.Lehrer, kurz, -1, LehrerKurz) >= 0) {
        rep.Show({"Kürzel " + kurz + " bereits vergeben!", titel::Fehler});
        return Unchanged(-1);
    }
    if (FindOther(data_.Lehrer, name, -1, LehrerName) >= 0) {
        rep.Show({stammtext::LehrerVorhanden, titel::Fehler});
        return Unchanged(-1);
    }
    CLehrer l;
    l.Name = name;
    l.Kurz = kurz;
    data_.Lehrer.push_back(std::move(l));
    return Changed(data_, static_cast<int>(data_.Lehrer.size()) - 1);
}

Aenderung MasterDataEditor::RenameTeacher(int lehrer, const NamenEingabe& eingabe, Reporter& rep) {
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return Unchanged(lehrer);
    const std::string name = UpperName(CleanName(eingabe.Name));
    const std::string kurz = UpperName(CleanName(eingabe.Kurz, kKurzLaenge));
    if (name.empty()) {
        rep.Show({stammtext::LehrerUmbenennenUngueltig, titel::Fehler});
        return Unchanged(lehrer);
    }
    if (kurz.empty()) {
        rep.Show({stammtext::KurzUngueltig, titel::Fehler});
        return Unchanged(lehrer);
    }
    if (RefuseUnstorable(name, stammtext::LehrerUmbenennenUngueltig, "Der Lehrer", rep) ||
        RefuseUnstorable(kurz, stammtext::KurzUngueltig, "Das Kürzel", rep))
        return Unchanged(lehrer);
    CLehrer& l = data_.Lehrer[At(lehrer)];
    if (name == l.Name && kurz == l.Kurz) return Unchanged(lehrer);
    const int gleicherName = FindOther(data_.Lehrer, name, lehrer, LehrerName);
    const int gleichesKurz = FindOther(data_.Lehrer, kurz, lehrer, LehrerKurz);
    if (gleicherName >= 0 && gleicherName == gleichesKurz) {
        rep.Show({stammtext::LehrerVorhanden, titel::Fehler});
        return Unchanged(lehrer);
    }
    if (gleichesKurz >= 0) {
        rep.Show({"Kürzel " + kurz + " bereits vergeben!", titel::Fehler});
        return Unchanged(lehrer);
    }
    if (gleicherName >= 0) {
        rep.Show({"Name " + name + " bereits vergeben!", titel::Fehler});
        return Unchanged(lehrer);
    }
    const std::string alt = l.Name;
    l.Name = name;
    l.Kurz = kurz;
    if (alt != name) {
        for (Unterricht& u : data_.FachBloecke)
            if (u.Block.Lehrer == alt) {
                u.Block.Lehrer = name;
                FollowKey(data_, u);
            }
        for (CKursBlock& k : data_.KursBloecke)
            for (CKursLehrer& kl : k.Lehrer)
                if (kl.Name == alt) kl.Name = name;
    }
    return Changed(data_, lehrer);
}

Verwendung MasterDataEditor::TeacherUsage(int lehrer) const {
    Verwendung v;
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return v;
    const std::string& name = data_.Lehrer[At(lehrer)].Name;
    for (const CKursBlock& k : data_.KursBloecke)
        if (std::any_of(k.Lehrer.begin(), k.Lehrer.end(),
                        [&](const CKursLehrer& l) { return l.Name == name; })) {
            ++v.Zuordnungen;
            if (!k.Klassen.empty()) ++v.Definitionen;
        }
    for (const Unterricht& u : data_.FachBloecke)
        v.Definitionen += u.Block.Lehrer == name ? 1 : 0;
    return v;
}

Aenderung MasterDataEditor::DeleteTeacher(int lehrer, Reporter& rep) {
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return Unchanged(lehrer);
    const std::string name = data_.Lehrer[At(lehrer)].Name;
    const Verwendung v = TeacherUsage(lehrer);
    if (v.Zuordnungen != 0 || v.Definitionen != 0) {
        const std::string frage = "Für den Lehrer " + name + " wurden " +
                                  std::to_string(v.Zuordnungen) + " Zuordnungen\n und " +
                                  std::to_string(v.Definitionen) +
                                  " Unterrichts - Definitionen vorgenommen!\n\n Den Lehrer "
                                  "trotzdem löschen?";
        if (!rep.Ask({frage, titel::Warnung}, Question::YesNo)) return Unchanged(lehrer);
    }
    for (CKursBlock& k : data_.KursBloecke)
        DropKursLehrer(k, [&](const CKursLehrer& l, const std::string&) { return l.Name == name; });
    DropFachBloecke(data_, [&](const CFachBlock& b) { return b.Lehrer == name; });
    data_.Lehrer.erase(data_.Lehrer.begin() + lehrer);
    return ChangedToFirst(data_, data_.Lehrer);
}

Aenderung MasterDataEditor::SetTeacherSubject(int lehrer, std::string_view fach, bool checked) {
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return Unchanged(lehrer);
    CLehrer& l = data_.Lehrer[At(lehrer)];
    if (!checked) return RemoveFrom(l.Faecher, fach) ? Changed(data_, lehrer) : Unchanged(lehrer);
    if (data_.FindFach(fach) < 0 || Contains(l.Faecher, fach)) return Unchanged(lehrer);
    l.Faecher.emplace_back(fach);
    return Changed(data_, lehrer);
}

Aenderung MasterDataEditor::SetClassTeacherFlag(int lehrer, bool on) {
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return Unchanged(lehrer);
    CLehrer& l = data_.Lehrer[At(lehrer)];
    if (l.KlassenLehrer == (on ? 1 : 0) && (on || l.Klasse.empty())) return Unchanged(lehrer);
    l.KlassenLehrer = on ? 1 : 0;
    if (!on) l.Klasse.clear();
    return Changed(data_, lehrer);
}

Aenderung MasterDataEditor::SetTeacherClass(int lehrer, std::string_view klasse, Reporter& rep) {
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return Unchanged(lehrer);
    if (klasse.empty()) {
        CLehrer& l = data_.Lehrer[At(lehrer)];
        if (l.Klasse.empty()) return Unchanged(lehrer);
        l.Klasse.clear();
        return Changed(data_, lehrer);
    }
    if (data_.FindKlasse(klasse) < 0) return Unchanged(lehrer);
    const CLehrer& self = data_.Lehrer[At(lehrer)];
    if (self.Klasse == klasse && self.KlassenLehrer == 1) return Unchanged(lehrer);
    // Every question first: a Cancel leaves every teacher as he was.
    std::vector<std::size_t> andere;
    for (std::size_t i = 0; i < data_.Lehrer.size(); ++i) {
        const CLehrer& l = data_.Lehrer[i];
        if (static_cast<int>(i) == lehrer || l.Klasse != klasse) continue;
        const std::string frage = "Sie haben bereits Lehrer " + l.Name +
                                  "\nals Klassenlehrer für Klasse " + std::string(klasse) +
                                  " gewählt.\n\n Diese Zuordnung verwerfen?";
        if (!rep.Ask({frage, titel::Anfrage}, Question::OkCancel)) return Unchanged(lehrer);
        andere.push_back(i);
    }
    for (std::size_t i : andere) {
        data_.Lehrer[i].Klasse.clear();
        data_.Lehrer[i].KlassenLehrer = 0;
    }
    CLehrer& l = data_.Lehrer[At(lehrer)];
    l.Klasse = std::string(klasse);
    l.KlassenLehrer = 1;
    return Changed(data_, lehrer);
}

Aenderung MasterDataEditor::SetTeacherOpti(int lehrer, bool on) {
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return Unchanged(lehrer);
    return SetFlag(data_, data_.Lehrer[At(lehrer)].Opti, on, lehrer);
}

Aenderung MasterDataEditor::SetTeacherFreeDays(int lehrer, bool on) {
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return Unchanged(lehrer);
    return SetFlag(data_, data_.Lehrer[At(lehrer)].TendenzZuFreienTagen, on, lehrer);
}

Aenderung MasterDataEditor::SetTeacherRules(int lehrer, const CLehrerRegeln& regeln,
                                            Reporter& rep) {
    if (!ValidIndex(lehrer, data_.Lehrer.size())) return Unchanged(lehrer);
    if (data_.Lehrer[At(lehrer)].Regeln == regeln) return Unchanged(lehrer);
    Stammdaten probe = data_;
    probe.Lehrer[At(lehrer)].Regeln = regeln;
    if (!RulesAllow(data_, probe, rep)) return Unchanged(lehrer);
    data_.Lehrer[At(lehrer)].Regeln = regeln;
    return Changed(data_, lehrer);
}

// --- Classes ----------------------------------------------------------------------------------

Aenderung MasterDataEditor::NewClass(std::string_view eingabe, Reporter& rep) {
    const std::string name = CleanName(eingabe);
    if (name.empty()) {
        rep.Show({stammtext::KlasseUngueltig, titel::Fehler});
        return Unchanged(-1);
    }
    if (RefuseUnstorable(name, stammtext::KlasseUngueltig, "Die Klasse", rep)) return Unchanged(-1);
    if (FindOther(data_.Klassen, name, -1, KlassenName) >= 0) {
        rep.Show({stammtext::KlasseVorhanden, titel::Fehler});
        return Unchanged(-1);
    }
    CKlasse k;
    k.Name = name;
    data_.Klassen.push_back(std::move(k));
    return Changed(data_, static_cast<int>(data_.Klassen.size()) - 1);
}

Aenderung MasterDataEditor::RenameClass(int klasse, std::string_view eingabe, Reporter& rep) {
    if (!ValidIndex(klasse, data_.Klassen.size())) return Unchanged(klasse);
    const std::string name = CleanName(eingabe);
    if (name.empty()) {
        rep.Show({stammtext::KlasseUngueltig, titel::Fehler});
        return Unchanged(klasse);
    }
    if (RefuseUnstorable(name, stammtext::KlasseUngueltig, "Die Klasse", rep))
        return Unchanged(klasse);
    if (FindOther(data_.Klassen, name, klasse, KlassenName) >= 0) {
        rep.Show({stammtext::KlasseVorhanden, titel::Fehler});
        return Unchanged(klasse);
    }
    const std::string alt = data_.Klassen[At(klasse)].Name;
    if (name == alt) return Unchanged(klasse);
    for (Unterricht& u : data_.FachBloecke)
        if (u.Block.Klasse == alt) {
            u.Block.Klasse = name;
            FollowKey(data_, u);
        }
    for (CKursBlock& k : data_.KursBloecke)
        ReplaceIn(k.Klassen, alt, name);
    for (CRaumFach& r : data_.Raeume)
        if (r.Klasse == alt) r.Klasse = name;
    for (CLehrer& l : data_.Lehrer)
        if (l.Klasse == alt) l.Klasse = name;
    data_.Klassen[At(klasse)].Name = name;
    return Changed(data_, klasse);
}

Verwendung MasterDataEditor::ClassUsage(int klasse) const {
    Verwendung v;
    if (!ValidIndex(klasse, data_.Klassen.size())) return v;
    const std::string& name = data_.Klassen[At(klasse)].Name;
    for (const CRaumFach& r : data_.Raeume)
        v.Zuordnungen += r.Klasse == name ? 1 : 0;
    for (const CLehrer& l : data_.Lehrer)
        v.Zuordnungen += l.Klasse == name ? 1 : 0;
    for (const Unterricht& u : data_.FachBloecke)
        v.Definitionen += u.Block.Klasse == name ? 1 : 0;
    for (const CKursBlock& k : data_.KursBloecke)
        v.Definitionen += Contains(k.Klassen, name) ? 1 : 0;
    return v;
}

namespace {
// A special-separation group is numbered by its class: the group of a deleted class dissolves,
// the groups of the classes after it move down with them.
void FollowClassNumbers(int& group, int deleted) {
    if (group == deleted)
        group = -1;
    else if (group > deleted)
        --group;
}
} // namespace

Aenderung MasterDataEditor::DeleteClass(int klasse, Reporter& rep) {
    if (!ValidIndex(klasse, data_.Klassen.size())) return Unchanged(klasse);
    const std::string name = data_.Klassen[At(klasse)].Name;
    const Verwendung v = ClassUsage(klasse);
    if (v.Zuordnungen != 0 || v.Definitionen != 0) {
        const std::string frage = "Für diese Klasse wurden vorgenommen\n\n\nZuordnungen: " +
                                  std::to_string(v.Zuordnungen) + "\nUnterrichts - Definitionen: " +
                                  std::to_string(v.Definitionen) +
                                  "\n\nDie Klasse trotzdem löschen?";
        if (!rep.Ask({frage, titel::Warnung}, Question::YesNo)) return Unchanged(klasse);
    }
    for (CRaumFach& r : data_.Raeume)
        if (r.Klasse == name) r.Klasse.clear();
    for (CLehrer& l : data_.Lehrer)
        if (l.Klasse == name) l.Klasse.clear();
    DropFachBloecke(data_, [&](const CFachBlock& b) { return b.Klasse == name; });
    for (CKursBlock& k : data_.KursBloecke) {
        RemoveFrom(k.Klassen, name);
        FollowClassNumbers(k.SpezialTrennung, klasse);
    }
    for (Unterricht& u : data_.FachBloecke)
        FollowClassNumbers(u.Block.SpezialTrennung, klasse);
    data_.Klassen.erase(data_.Klassen.begin() + klasse);
    return ChangedToFirst(data_, data_.Klassen);
}

Aenderung MasterDataEditor::SetClassOpti(int klasse, bool on) {
    if (!ValidIndex(klasse, data_.Klassen.size())) return Unchanged(klasse);
    return SetFlag(data_, data_.Klassen[At(klasse)].Opti, on, klasse);
}

Aenderung MasterDataEditor::SetClassRules(int klasse, const CTagesRegeln& regeln, Reporter& rep) {
    if (!ValidIndex(klasse, data_.Klassen.size())) return Unchanged(klasse);
    if (data_.Klassen[At(klasse)].Regeln == regeln) return Unchanged(klasse);
    Stammdaten probe = data_;
    probe.Klassen[At(klasse)].Regeln = regeln;
    if (!RulesAllow(data_, probe, rep)) return Unchanged(klasse);
    data_.Klassen[At(klasse)].Regeln = regeln;
    return Changed(data_, klasse);
}

// --- Breaks -----------------------------------------------------------------------------------

Aenderung MasterDataEditor::SetBreaks(std::vector<int> slots, Reporter& rep) {
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    if (data_.Angaben.Pausen == slots) return Unchanged(-1);
    Stammdaten probe = data_;
    probe.Angaben.Pausen = slots;
    if (!RulesAllow(data_, probe, rep)) return Unchanged(-1);
    data_.Angaben.Pausen = std::move(slots);
    return Changed(data_, -1);
}

// --- Lock grids -------------------------------------------------------------------------------

namespace {

const std::string kKursHinweis = "!\n\n Löschen sie zuerst die entsprechende Zeitdefinition";

// The refusal of a lock over a fixed unit, or empty when no fixed unit using the entity covers
// one of `slots`. Courses come first, then subject blocks, each in list order.
std::string LockConflict(const Stammdaten& d, SperrZiel ziel, const std::string& name,
                         const std::vector<int>& slots) {
    const auto kursText = [&](const CKursBlock& k, const std::string& lehrer) {
        const std::string wer = k.Name + " / " + lehrer;
        if (ziel == SperrZiel::Raum)
            return "Der Raum " + name +
                   " wurde in diesem Zeitbereich\neiner Unterrichtseinheit "
                   "zugeordnet (" +
                   wer + ")" + kKursHinweis + " des Kurses.";
        const std::string wem = ziel == SperrZiel::Lehrer ? "Für den Lehrer " : "Für die Klasse ";
        return wem + name + " wurden in diesem Zeitbereich\nUnterrichtsdefinitionen vorgemommen (" +
               wer + ")" + kKursHinweis + " des Kurses.";
    };
    const auto fachText = [&](const CFachBlock& b) {
        const std::string wer = b.Lehrer + " / " + b.Klasse + " / " + b.Fach;
        if (ziel == SperrZiel::Raum)
            return "Der Raum " + name +
                   " wurde in diesem Zeitbereich\neiner Unterrichtseinheit "
                   "zugeordnet (" +
                   wer + ")" + kKursHinweis + " der Unterichtseinheit.";
        const std::string wem = ziel == SperrZiel::Lehrer ? "Für den Lehrer " : "Für die Klasse ";
        return wem + name + " wurden in diesem Zeitbereich\nUnterrichtsdefinitionen vorgemommen (" +
               wer + ")" + kKursHinweis + ".";
    };
    const auto anyCovers = [&](const std::vector<CEinheit>& units, bool byRoom) {
        return std::any_of(units.begin(), units.end(), [&](const CEinheit& e) {
            return (!byRoom || e.Raum == name) && Covers(e, slots);
        });
    };
    for (const CKursBlock& k : d.KursBloecke) {
        if (ziel == SperrZiel::Klasse) {
            if (!k.Lehrer.empty() && Contains(k.Klassen, name) &&
                anyCovers(k.Lehrer.front().Einheiten, false))
                return kursText(k, k.Lehrer.front().Name);
            continue;
        }
        for (const CKursLehrer& l : k.Lehrer) {
            const bool uses = ziel == SperrZiel::Raum || l.Name == name;
            if (uses && anyCovers(l.Einheiten, ziel == SperrZiel::Raum)) return kursText(k, l.Name);
        }
    }
    for (const Unterricht& u : d.FachBloecke) {
        const CFachBlock& b = u.Block;
        const bool uses = ziel == SperrZiel::Raum     ? true
                          : ziel == SperrZiel::Lehrer ? b.Lehrer == name
                                                      : b.Klasse == name;
        if (uses && anyCovers(b.Einheiten, ziel == SperrZiel::Raum)) return fachText(b);
    }
    return {};
}

} // namespace

namespace {
// The lock grid and the name of the entity, or nullptr for an index out of range.
LockGrid* GridOf(Stammdaten& d, SperrZiel ziel, int index, std::string& name) {
    switch (ziel) {
    case SperrZiel::Raum:
        if (!ValidIndex(index, d.Raeume.size())) return nullptr;
        name = d.Raeume[At(index)].Name;
        return &d.Raeume[At(index)].Sperre;
    case SperrZiel::Lehrer:
        if (!ValidIndex(index, d.Lehrer.size())) return nullptr;
        name = d.Lehrer[At(index)].Name;
        return &d.Lehrer[At(index)].Sperre;
    case SperrZiel::Klasse:
        if (!ValidIndex(index, d.Klassen.size())) return nullptr;
        name = d.Klassen[At(index)].Name;
        return &d.Klassen[At(index)].Sperre;
    }
    return nullptr;
}

Aenderung SetCells(Stammdaten& d, LockGrid& grid, const std::vector<int>& slots, std::uint8_t value,
                   int index) {
    bool changed = false;
    for (int s : slots)
        if (IsSlot(s) && grid[At(s)] != value) {
            grid[At(s)] = value;
            changed = true;
        }
    return changed ? Changed(d, index) : Unchanged(index);
}
} // namespace

Aenderung MasterDataEditor::Lock(SperrZiel ziel, int index, const std::vector<int>& slots,
                                 Reporter& rep) {
    std::string name;
    LockGrid* grid = GridOf(data_, ziel, index, name);
    if (grid == nullptr) return Unchanged(index);
    const std::string conflict = LockConflict(data_, ziel, name, slots);
    if (!conflict.empty()) {
        rep.Show({conflict, titel::Fehler});
        return Unchanged(index);
    }
    return SetCells(data_, *grid, slots, 1, index);
}

Aenderung MasterDataEditor::Unlock(SperrZiel ziel, int index, const std::vector<int>& slots) {
    std::string name;
    LockGrid* grid = GridOf(data_, ziel, index, name);
    if (grid == nullptr) return Unchanged(index);
    return SetCells(data_, *grid, slots, 0, index);
}

} // namespace sw
