// SPDX-License-Identifier: GPL-3.0-or-later
// MasterData.cpp: the name rules, the lock-grid texts, and the subjects and rooms. Teachers,
// classes and the lock grids live in MasterDataPeople.cpp, course blocks in CourseBlocks.cpp,
// the consistency check in MasterDataProblems.cpp.
#include "define/MasterData.h"

#include "define/MasterDataNames.h"
#include "model/Names.h"

namespace sw {

using namespace masterdata;

namespace {

// The length of the UTF-8 sequence that starts with byte `b` (1 for a stray byte).
std::size_t SequenceLength(unsigned char b) {
    if (b >= 0xF0 && b < 0xF8) return 4;
    if (b >= 0xE0) return b < 0xF0 ? 3 : 1;
    if (b >= 0xC0) return 2;
    return 1;
}

// The first `n` characters of `text`, whole UTF-8 sequences.
std::size_t PrefixBytes(std::string_view text, std::size_t n) {
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size() && chars < n; ++chars)
        end = std::min(text.size(), end + SequenceLength(static_cast<unsigned char>(text[end])));
    return end;
}
std::string FirstChars(std::string_view text, std::size_t n) {
    return std::string(text.substr(0, PrefixBytes(text, n)));
}

bool IsBlank(unsigned char b) {
    return b <= 0x20 || b == 0x7F;
}

} // namespace

std::string CleanName(std::string_view text, std::size_t limit) {
    std::string_view cut = text.substr(0, PrefixBytes(text, limit));
    while (!cut.empty() && IsBlank(static_cast<unsigned char>(cut.front())))
        cut.remove_prefix(1);
    while (!cut.empty() && IsBlank(static_cast<unsigned char>(cut.back())))
        cut.remove_suffix(1);
    if (cut.find_first_of("/%,") != std::string_view::npos || cut == "_") return {};
    return std::string(cut);
}

bool RefuseUnstorable(std::string_view name, const char* ungueltig, const char* what,
                      Reporter& rep) {
    const auto fault = CheckName(what, name);
    if (!fault) return false;
    rep.Show({std::string(ungueltig) + "\n\n" + *fault, titel::Fehler});
    return true;
}

bool SameName(std::string_view a, std::string_view b) {
    return UpperName(a) == UpperName(b);
}

std::vector<int> SlotsOfRectangle(const AllgemeineAngaben& angaben, GitterZelle from,
                                  GitterZelle to) {
    std::vector<int> slots;
    for (int r = std::min(from.Zeile, to.Zeile); r <= std::max(from.Zeile, to.Zeile); ++r)
        for (int c = std::min(from.Spalte, to.Spalte); c <= std::max(from.Spalte, to.Spalte); ++c) {
            const int slot = SlotOfCell(angaben, {c, r});
            if (slot != kNoSlot) slots.push_back(slot);
        }
    return slots;
}

std::vector<std::vector<std::string>> LockGridTexts(const AllgemeineAngaben& a,
                                                    const LockGrid& sperre) {
    const int first = a.Nullte ? 0 : 1;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> head{""};
    for (int d = 0; d < a.Tage; ++d) {
        head.push_back(FirstChars(TagName(a, d), 2));
    }
    rows.push_back(std::move(head));
    for (int h = first; h <= a.Stunden; ++h) {
        std::vector<std::string> row{std::to_string(h)};
        for (int d = 0; d < a.Tage; ++d)
            row.push_back(sperre[At(SlotOf(d, h))] ? "X" : "");
        rows.push_back(std::move(row));
    }
    return rows;
}

// --- Subjects ---------------------------------------------------------------------------------

Aenderung MasterDataEditor::NewSubject(std::string_view eingabe, Reporter& rep) {
    const std::string name = UpperName(CleanName(eingabe));
    if (name.empty()) {
        rep.Show({stammtext::FachUngueltig, titel::Fehler});
        return Unchanged(-1);
    }
    if (RefuseUnstorable(name, stammtext::FachUngueltig, "Das Fach", rep)) return Unchanged(-1);
    if (FindOther(data_.Faecher, name, -1, [](const std::string& f) { return f; }) >= 0) {
        rep.Show({stammtext::FachVorhanden, titel::Fehler});
        return Unchanged(-1);
    }
    data_.Faecher.push_back(name);
    return Changed(data_, static_cast<int>(data_.Faecher.size()) - 1);
}

Aenderung MasterDataEditor::RenameSubject(int fach, std::string_view eingabe, Reporter& rep) {
    if (!ValidIndex(fach, data_.Faecher.size())) return Unchanged(fach);
    const std::string name = UpperName(CleanName(eingabe));
    if (name.empty()) {
        rep.Show({stammtext::FachUngueltig, titel::Fehler});
        return Unchanged(fach);
    }
    if (RefuseUnstorable(name, stammtext::FachUngueltig, "Das Fach", rep)) return Unchanged(fach);
    if (FindOther(data_.Faecher, name, fach, [](const std::string& f) { return f; }) >= 0) {
        rep.Show({stammtext::FachVorhanden, titel::Fehler});
        return Unchanged(fach);
    }
    const std::string alt = data_.Faecher[At(fach)];
    if (name == alt) return Unchanged(fach);
    for (CRaumFach& r : data_.Raeume)
        ReplaceIn(r.Faecher, alt, name);
    for (CLehrer& l : data_.Lehrer)
        ReplaceIn(l.Faecher, alt, name);
    for (CKursBlock& k : data_.KursBloecke)
        ReplaceIn(k.Faecher, alt, name);
    for (Unterricht& u : data_.FachBloecke)
        if (u.Block.Fach == alt) {
            u.Block.Fach = name;
            FollowKey(data_, u);
        }
    data_.Faecher[At(fach)] = name;
    return Changed(data_, fach);
}

Verwendung MasterDataEditor::SubjectUsage(int fach) const {
    Verwendung v;
    if (!ValidIndex(fach, data_.Faecher.size())) return v;
    const std::string& name = data_.Faecher[At(fach)];
    for (const CRaumFach& r : data_.Raeume)
        v.Zuordnungen += Contains(r.Faecher, name) ? 1 : 0;
    for (const CLehrer& l : data_.Lehrer)
        v.Zuordnungen += Contains(l.Faecher, name) ? 1 : 0;
    for (const CKursBlock& k : data_.KursBloecke)
        if (Contains(k.Faecher, name)) {
            if (k.Klassen.empty()) ++v.Zuordnungen;
            v.Definitionen += static_cast<int>(k.Klassen.size());
        }
    for (const Unterricht& u : data_.FachBloecke)
        v.Definitionen += u.Block.Fach == name ? 1 : 0;
    return v;
}

Aenderung MasterDataEditor::DeleteSubject(int fach, Reporter& rep) {
    if (!ValidIndex(fach, data_.Faecher.size())) return Unchanged(fach);
    const Verwendung v = SubjectUsage(fach);
    if (v.Zuordnungen != 0 || v.Definitionen != 0) {
        const std::string frage = "Für dieses Fach wurden vorgenommen\n\n\nZuordnungen: " +
                                  std::to_string(v.Zuordnungen) + "\nUnterrichts - Definitionen: " +
                                  std::to_string(v.Definitionen) + "\n\nDas Fach trotzdem löschen?";
        if (!rep.Ask({frage, titel::Warnung}, Question::YesNo)) return Unchanged(fach);
    }
    const std::string name = data_.Faecher[At(fach)];
    for (CRaumFach& r : data_.Raeume)
        if (RemoveFrom(r.Faecher, name) && r.Faecher.empty()) r.FachTyp = {1, 0, 0};
    for (CLehrer& l : data_.Lehrer)
        RemoveFrom(l.Faecher, name);
    for (CKursBlock& k : data_.KursBloecke)
        if (Contains(k.Faecher, name)) {
            k.Klassen.clear();
            DropKursLehrer(k, [&](const CKursLehrer&, const std::string& f) { return f == name; });
        }
    DropFachBloecke(data_, [&](const CFachBlock& b) { return b.Fach == name; });
    data_.Faecher.erase(data_.Faecher.begin() + fach);
    return ChangedToFirst(data_, data_.Faecher);
}

// --- Rooms ------------------------------------------------------------------------------------

namespace {
const std::string& RaumName(const CRaumFach& r) {
    return r.Name;
}
const std::string& RaumKurz(const CRaumFach& r) {
    return r.Kurz;
}
} // namespace

Aenderung MasterDataEditor::NewRoom(const NamenEingabe& eingabe, Reporter& rep) {
    const std::string name = CleanName(eingabe.Name);
    const std::string kurzText = CleanName(eingabe.Kurz, kKurzLaenge);
    if (name.empty()) {
        rep.Show({stammtext::RaumUngueltig, titel::Fehler});
        return Unchanged(-1);
    }
    if (kurzText.empty()) {
        rep.Show({stammtext::KurzUngueltig, titel::Fehler});
        return Unchanged(-1);
    }
    CRaumFach r;
    r.Name = UpperName(name);
    r.Kurz = UpperName(kurzText);
    r.KlassenTyp = {1, 0, 0};
    if (RefuseUnstorable(r.Name, stammtext::RaumUngueltig, "Der Raum", rep) ||
        RefuseUnstorable(r.Kurz, stammtext::KurzUngueltig, "Das Kürzel", rep))
        return Unchanged(-1);
    if (FindOther(data_.Raeume, r.Kurz, -1, RaumKurz) >= 0) {
        rep.Show({"Kürzel " + r.Kurz + " bereits vergeben!", titel::Fehler});
        return Unchanged(-1);
    }
    if (FindOther(data_.Raeume, r.Name, -1, RaumName) >= 0) {
        rep.Show({stammtext::RaumVorhanden, titel::Fehler});
        return Unchanged(-1);
    }
    data_.Raeume.push_back(std::move(r));
    return Changed(data_, static_cast<int>(data_.Raeume.size()) - 1);
}

Aenderung MasterDataEditor::RenameRoom(int raum, const NamenEingabe& eingabe, Reporter& rep) {
    if (!ValidIndex(raum, data_.Raeume.size())) return Unchanged(raum);
    const std::string nameText = CleanName(eingabe.Name);
    const std::string kurzText = CleanName(eingabe.Kurz, kKurzLaenge);
    if (nameText.empty()) {
        rep.Show({stammtext::RaumUmbenennenUngueltig, titel::Fehler});
        return Unchanged(raum);
    }
    if (kurzText.empty()) {
        rep.Show({stammtext::RaumKurzUngueltig, titel::Fehler});
        return Unchanged(raum);
    }
    const std::string name = UpperName(nameText);
    const std::string kurz = UpperName(kurzText);
    if (RefuseUnstorable(name, stammtext::RaumUmbenennenUngueltig, "Der Raum", rep) ||
        RefuseUnstorable(kurz, stammtext::RaumKurzUngueltig, "Das Kürzel", rep))
        return Unchanged(raum);
    CRaumFach& r = data_.Raeume[At(raum)];
    if (FindOther(data_.Raeume, name, raum, RaumName) >= 0) {
        rep.Show({stammtext::RaumVorhanden, titel::Fehler});
        return Unchanged(raum);
    }
    if (name == r.Name && kurz == r.Kurz) return Unchanged(raum);
    if (FindOther(data_.Raeume, kurz, raum, RaumKurz) >= 0) {
        rep.Show({"Kürzel " + kurz + " bereits vergeben!", titel::Fehler});
        return Unchanged(raum);
    }
    const std::string alt = r.Name;
    r.Name = name;
    r.Kurz = kurz;
    if (alt != name)
        ForEachUnit(data_, [&](CEinheit& e) {
            if (e.Raum == alt) e.Raum = name;
        });
    return Changed(data_, raum);
}

int MasterDataEditor::RoomUnitCount(int raum) const {
    if (!ValidIndex(raum, data_.Raeume.size())) return 0;
    const std::string& name = data_.Raeume[At(raum)].Name;
    int count = 0;
    ForEachUnit(data_, [&](const CEinheit& e) { count += e.Raum == name ? 1 : 0; });
    return count;
}

namespace {
// The room goes, and no unit names it any more.
Aenderung RemoveRoom(Stammdaten& d, int raum) {
    const std::string name = d.Raeume[At(raum)].Name;
    ForEachUnit(d, [&](CEinheit& e) {
        if (e.Raum == name) e.Raum.clear();
    });
    d.Raeume.erase(d.Raeume.begin() + raum);
    return ChangedToFirst(d, d.Raeume);
}
} // namespace

Aenderung MasterDataEditor::DeleteRoom(int raum, Reporter& rep) {
    if (!ValidIndex(raum, data_.Raeume.size())) return Unchanged(raum);
    const std::string& name = data_.Raeume[At(raum)].Name;
    const std::string frage = "Für den Raum " + name + " wurden " +
                              std::to_string(RoomUnitCount(raum)) +
                              " Zuweisungen im Unterrichts - Formular vorgenommen.\n\nRaum " +
                              name + " trotzdem löschen?";
    if (!rep.Ask({frage, titel::Anfrage}, Question::OkCancel)) return Unchanged(raum);
    return RemoveRoom(data_, raum);
}

Aenderung MasterDataEditor::DeleteRoomFromBar(int raum, Reporter& rep) {
    if (!ValidIndex(raum, data_.Raeume.size())) return Unchanged(raum);
    const std::string frage = "Raum " + data_.Raeume[At(raum)].Name + " löschen?";
    if (!rep.Ask({frage, titel::Anfrage}, Question::OkCancel)) return Unchanged(raum);
    return RemoveRoom(data_, raum);
}

Aenderung MasterDataEditor::SetRoomType(int raum, RaumTyp typ) {
    if (!ValidIndex(raum, data_.Raeume.size())) return Unchanged(raum);
    CRaumFach& r = data_.Raeume[At(raum)];
    std::array<Flag, 3> flags{0, 0, 0};
    flags[static_cast<std::size_t>(typ)] = 1;
    const bool leeren = typ == RaumTyp::Universal && !r.Faecher.empty();
    if (flags == r.FachTyp && !leeren) return Unchanged(raum);
    r.FachTyp = flags;
    if (typ == RaumTyp::Universal) r.Faecher.clear();
    return Changed(data_, raum);
}

Aenderung MasterDataEditor::SetRoomSubject(int raum, std::string_view fach, bool checked,
                                           Reporter& rep) {
    if (!ValidIndex(raum, data_.Raeume.size())) return Unchanged(raum);
    CRaumFach& r = data_.Raeume[At(raum)];
    if (!checked) return RemoveFrom(r.Faecher, fach) ? Changed(data_, raum) : Unchanged(raum);
    if (r.FachTyp[0] != 0 || data_.FindFach(fach) < 0) return Unchanged(raum);
    if (Contains(r.Faecher, fach)) {
        // The list holds each subject once: a second entry would outlive the first's removal.
        rep.Show({stammtext::FachRegistriert, stammtext::FachRegistriertTitel});
        return Unchanged(raum);
    }
    r.Faecher.emplace_back(fach);
    return Changed(data_, raum);
}

Aenderung MasterDataEditor::SetRoomClassType(int raum, bool reserviert) {
    if (!ValidIndex(raum, data_.Raeume.size())) return Unchanged(raum);
    CRaumFach& r = data_.Raeume[At(raum)];
    const std::array<Flag, 3> typ =
        reserviert ? std::array<Flag, 3>{0, 0, 1} : std::array<Flag, 3>{1, 0, 0};
    if (r.KlassenTyp == typ && (reserviert || r.Klasse.empty())) return Unchanged(raum);
    r.KlassenTyp = typ;
    if (!reserviert) r.Klasse.clear();
    return Changed(data_, raum);
}

Aenderung MasterDataEditor::SetRoomClass(int raum, std::string_view klasse, bool checked,
                                         Reporter& rep) {
    if (!ValidIndex(raum, data_.Raeume.size())) return Unchanged(raum);
    if (!checked || klasse.empty()) {
        CRaumFach& r = data_.Raeume[At(raum)];
        if (r.Klasse.empty() && r.KlassenTyp == std::array<Flag, 3>{1, 0, 0})
            return Unchanged(raum);
        r.Klasse.clear();
        r.KlassenTyp = {1, 0, 0};
        return Changed(data_, raum);
    }
    if (data_.FindKlasse(klasse) < 0 || data_.Raeume[At(raum)].Klasse == klasse)
        return Unchanged(raum);
    // Every question first: a Cancel leaves every room as it was.
    std::vector<std::size_t> andere;
    for (std::size_t i = 0; i < data_.Raeume.size(); ++i) {
        const CRaumFach& r = data_.Raeume[i];
        if (static_cast<int>(i) == raum || r.Klasse != klasse) continue;
        const std::string frage = "Sie haben bereits die Klasse " + std::string(klasse) +
                                  "\nfür den Raum " + r.Name +
                                  " gewählt.\n\n Diese Zuordnung verwerfen?";
        if (!rep.Ask({frage, titel::Anfrage}, Question::OkCancel)) return Unchanged(raum);
        andere.push_back(i);
    }
    for (std::size_t i : andere) {
        data_.Raeume[i].Klasse.clear();
        data_.Raeume[i].KlassenTyp = {1, 0, 0};
    }
    data_.Raeume[At(raum)].Klasse = std::string(klasse);
    return Changed(data_, raum);
}

Aenderung MasterDataEditor::SetRoomCourseRelease(int raum, bool on) {
    if (!ValidIndex(raum, data_.Raeume.size())) return Unchanged(raum);
    Flag& f = data_.Raeume[At(raum)].KlassenKursFreigabe;
    if (f == (on ? 1 : 0)) return Unchanged(raum);
    f = on ? 1 : 0;
    return Changed(data_, raum);
}

} // namespace sw
