// SPDX-License-Identifier: GPL-3.0-or-later
// CourseBlocks.cpp: the course dialog: new, rename and delete course blocks, and their teachers
// with their subjects and units.
#include "define/MasterData.h"

#include "define/MasterDataNames.h"
#include "model/Text.h"

namespace sw {

using namespace masterdata;

namespace {

// The hours field: a whole number, anything else counts as -1.
int HoursOf(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return ParseInt(text).value_or(-1);
}

std::vector<CEinheit> SingleHours(int stunden) {
    return std::vector<CEinheit>(static_cast<std::size_t>(std::max(stunden, 0)),
                                 CEinheit(1, kNoSlot));
}

// The checks new and rename share after the empty texts: the hours, the names of the other
// course blocks and the subjects. Shows the refusal and returns false, or fills `kurs`.
struct KursWerte {
    std::string Name;
    std::string Kurz;
    int Stunden = 0;
};

bool CheckCourse(const Stammdaten& d, const KursEingabe& eingabe, int self, const char* leer,
                 const char* kurzLeer, KursWerte& out, Reporter& rep) {
    const std::string name = CleanName(eingabe.Name);
    const std::string kurz = CleanName(eingabe.Kurz, kKurzLaenge);
    if (name.empty()) {
        rep.Show({leer, titel::Fehler});
        return false;
    }
    if (kurz.empty()) {
        rep.Show({kurzLeer, titel::Fehler});
        return false;
    }
    const int stunden = HoursOf(eingabe.Stunden);
    if (stunden <= 0 || stunden > d.Angaben.Stunden * d.Angaben.Tage) {
        rep.Show({stammtext::StundenUngueltig, titel::Fehler});
        return false;
    }
    out.Name = UpperName(name);
    out.Kurz = UpperName(kurz);
    out.Stunden = stunden;
    if (RefuseUnstorable(out.Name, leer, "Der Kurs", rep) ||
        RefuseUnstorable(out.Kurz, kurzLeer, "Das Kürzel", rep))
        return false;
    for (std::size_t i = 0; i < d.KursBloecke.size(); ++i) {
        if (static_cast<int>(i) == self) continue;
        const CKursBlock& k = d.KursBloecke[i];
        if (SameName(k.Name, out.Name)) {
            rep.Show({stammtext::KursNameVergeben, titel::Fehler});
            return false;
        }
        if (SameName(k.Kurz, out.Kurz)) {
            rep.Show({stammtext::KursKurzVergeben, titel::Fehler});
            return false;
        }
    }
    const auto fach = [](const std::string& f) { return f; };
    if (FindOther(d.Faecher, out.Kurz, -1, fach) >= 0) {
        rep.Show({stammtext::FachGleichKurzel, titel::Fehler});
        return false;
    }
    if (FindOther(d.Faecher, out.Name, -1, fach) >= 0) {
        rep.Show({stammtext::FachGleichKursName, titel::Fehler});
        return false;
    }
    return true;
}

} // namespace

Aenderung MasterDataEditor::NewCourse(const KursEingabe& eingabe, Reporter& rep) {
    KursWerte w;
    if (!CheckCourse(data_, eingabe, -1, stammtext::KursUngueltig, stammtext::KurzUngueltig, w,
                     rep))
        return Unchanged(-1);
    CKursBlock k;
    k.Name = w.Name;
    k.Kurz = w.Kurz;
    k.BStunden = w.Stunden;
    k.Trennung = 1;
    k.Vorlage = SingleHours(w.Stunden);
    data_.KursBloecke.push_back(std::move(k));
    return Changed(data_, static_cast<int>(data_.KursBloecke.size()) - 1);
}

Aenderung MasterDataEditor::RenameCourse(int kurs, const KursEingabe& eingabe, bool planModus,
                                         Reporter& rep) {
    if (!ValidIndex(kurs, data_.KursBloecke.size())) return Unchanged(kurs);
    KursWerte w;
    if (!CheckCourse(data_, eingabe, kurs, stammtext::KursUmbenennenUngueltig,
                     stammtext::KursKurzUmbenennenUngueltig, w, rep))
        return Unchanged(kurs);
    // New hours may leave a relation with blocks whose units no longer pair.
    const bool changed = KeepingRules(data_, rep, [&] {
        CKursBlock& k = data_.KursBloecke[At(kurs)];
        if (k.Name != w.Name) RenameInRelations(data_, true, k.Name, w.Name);
        k.Name = w.Name;
        k.Kurz = w.Kurz;
        if (!planModus) {
            // The units start afresh, fixed times and rooms included, even for the same hours.
            for (CKursLehrer& l : k.Lehrer)
                l.Einheiten = SingleHours(w.Stunden);
            k.BStunden = w.Stunden;
            k.Vorlage = SingleHours(w.Stunden);
        }
        return true;
    });
    return changed ? Changed(data_, kurs) : Unchanged(kurs);
}

Aenderung MasterDataEditor::DeleteCourse(int kurs, Reporter& rep) {
    if (!ValidIndex(kurs, data_.KursBloecke.size())) return Unchanged(kurs);
    const CKursBlock& k = data_.KursBloecke[At(kurs)];
    const std::string frage = k.Klassen.empty()
                                  ? "Kurs " + k.Name + " löschen?"
                                  : "Für diesen Kurs wurden bereits Unterrichts - Definitionen "
                                    "vorgenommen.\n\nKurs " +
                                        k.Name + " trotzdem löschen?";
    if (!rep.Ask({frage, titel::Anfrage}, Question::OkCancel)) return Unchanged(kurs);
    data_.KursBloecke.erase(data_.KursBloecke.begin() + kurs);
    DropMissingFromRelations(data_);
    return ChangedToFirst(data_, data_.KursBloecke);
}

Aenderung MasterDataEditor::AddCourseTeacher(int kurs, std::string_view lehrer,
                                             std::string_view fach, Reporter& rep) {
    if (!ValidIndex(kurs, data_.KursBloecke.size())) return Unchanged(kurs);
    const int t = data_.FindLehrer(lehrer);
    if (t < 0 || data_.FindFach(fach) < 0 || !Contains(data_.Lehrer[At(t)].Faecher, fach))
        return Unchanged(kurs);
    CKursBlock& k = data_.KursBloecke[At(kurs)];
    for (const CKursLehrer& l : k.Lehrer)
        if (l.Name == lehrer) {
            rep.Show({"Lehrer " + std::string(lehrer) + " ist bereits in dem\nKurs " + k.Name +
                          " vertreten!",
                      titel::Fehler});
            return Unchanged(kurs);
        }
    if (!k.Klassen.empty() &&
        !rep.Ask({stammtext::KursLehrerHinzu, titel::Anfrage}, Question::YesNo))
        return Unchanged(kurs);
    k.Klassen.clear();
    CKursLehrer neu;
    neu.Name = std::string(lehrer);
    if (k.Lehrer.empty()) {
        neu.Einheiten = SingleHours(k.BStunden);
    } else {
        // The same lengths and presets as the first teacher: the course is held at one time.
        neu.Einheiten = k.Lehrer.front().Einheiten;
        for (CEinheit& e : neu.Einheiten)
            e.Raum.clear();
    }
    k.Lehrer.push_back(std::move(neu));
    k.Faecher.emplace_back(fach);
    return Changed(data_, kurs);
}

Aenderung MasterDataEditor::RemoveCourseTeacher(int kurs, int position, Reporter& rep) {
    if (!ValidIndex(kurs, data_.KursBloecke.size())) return Unchanged(kurs);
    CKursBlock& k = data_.KursBloecke[At(kurs)];
    if (!ValidIndex(position, k.Lehrer.size())) return Unchanged(kurs);
    if (k.Lehrer.size() == 1 && !k.Klassen.empty() &&
        !rep.Ask({stammtext::KursLetzterLehrer, titel::Anfrage}, Question::YesNo))
        return Unchanged(kurs);
    k.Lehrer.erase(k.Lehrer.begin() + position);
    if (ValidIndex(position, k.Faecher.size())) k.Faecher.erase(k.Faecher.begin() + position);
    if (k.Lehrer.empty()) k.Klassen.clear();
    return Changed(data_, kurs);
}

} // namespace sw
