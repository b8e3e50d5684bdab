// SPDX-License-Identifier: GPL-3.0-or-later
// MasterDataProblems.cpp: the consistency check over the whole master data. It names every
// breach, so a test can show what an operation left behind.
#include "define/MasterData.h"

#include "define/MasterDataNames.h"
#include "model/Text.h"

#include <set>

namespace sw {

using namespace masterdata;

namespace {

class Problems {
public:
    explicit Problems(const Stammdaten& d) : d_(d) {}

    std::vector<std::string> Run() {
        Unique(d_.Faecher, "Fach", [](const std::string& f) { return f; });
        Unique(d_.Raeume, "Raum", [](const CRaumFach& r) { return r.Name; });
        Unique(d_.Lehrer, "Lehrer", [](const CLehrer& l) { return l.Name; });
        Unique(d_.Klassen, "Klasse", [](const CKlasse& k) { return k.Name; });
        Unique(d_.KursBloecke, "Kurs", [](const CKursBlock& k) { return k.Name; });
        for (const CRaumFach& r : d_.Raeume)
            Raum(r);
        for (const CLehrer& l : d_.Lehrer)
            Lehrer(l);
        std::set<std::string> keys;
        for (const Unterricht& u : d_.FachBloecke) {
            if (!keys.insert(u.Key).second) Add("Unterricht " + u.Key + ": steht zweimal");
            FachBlock(u);
        }
        for (const CKursBlock& k : d_.KursBloecke)
            Kurs(k);
        return std::move(out_);
    }

private:
    void Add(std::string text) { out_.push_back(std::move(text)); }

    template <typename List, typename Of> void Unique(const List& list, const char* what, Of of) {
        std::set<std::string> seen;
        for (const auto& item : list) {
            const std::string name = of(item);
            if (name.empty()) Add(std::string(what) + ": leerer Name");
            if (!seen.insert(UpperName(name)).second)
                Add(std::string(what) + " " + name + ": steht zweimal");
        }
    }

    void Fach(const std::string& fach, const std::string& owner) {
        if (d_.FindFach(fach) < 0) Add(owner + ": Fach " + fach + " fehlt");
    }
    void Klasse(const std::string& klasse, const std::string& owner) {
        if (!klasse.empty() && d_.FindKlasse(klasse) < 0)
            Add(owner + ": Klasse " + klasse + " fehlt");
    }
    void Units(const std::vector<CEinheit>& units, const std::string& owner) {
        for (const CEinheit& e : units) {
            if (e.Laenge < 1) Add(owner + ": Einheit der Länge " + std::to_string(e.Laenge));
            if (!e.Raum.empty() && d_.FindRaum(e.Raum) < 0)
                Add(owner + ": Raum " + e.Raum + " fehlt");
        }
    }
    void Hours(int bStunden, const std::vector<CEinheit>& units, const std::string& owner) {
        int sum = 0;
        for (const CEinheit& e : units)
            sum += e.Laenge;
        if (sum != bStunden)
            Add(owner + ": Einheiten ergeben " + std::to_string(sum) + " statt " +
                Anzahl(bStunden, "Stunde", "Stunden"));
        if (bStunden < 0 || bStunden > WeekHours(d_.Angaben))
            Add(owner + ": " + std::to_string(bStunden) + " Wochenstunden");
    }
    void Group(int group, const std::string& owner) {
        if (group < -1 || group >= static_cast<int>(d_.Klassen.size()))
            Add(owner + ": Spezialtrennung " + std::to_string(group));
    }

    void Raum(const CRaumFach& r) {
        const std::string owner = "Raum " + r.Name;
        for (const std::string& f : r.Faecher)
            Fach(f, owner);
        Klasse(r.Klasse, owner);
        if (r.FachTyp[0] + r.FachTyp[1] + r.FachTyp[2] != 1) Add(owner + ": Raum - Typ");
    }
    void Lehrer(const CLehrer& l) {
        const std::string owner = "Lehrer " + l.Name;
        for (const std::string& f : l.Faecher)
            Fach(f, owner);
        Klasse(l.Klasse, owner);
    }
    void FachBlock(const Unterricht& u) {
        const CFachBlock& b = u.Block;
        const std::string owner = "Unterricht " + u.Key;
        if (u.Key != b.Key()) Add(owner + ": Schlüssel passt nicht zu " + b.Key());
        if (d_.FindLehrer(b.Lehrer) < 0) Add(owner + ": Lehrer " + b.Lehrer + " fehlt");
        if (d_.FindKlasse(b.Klasse) < 0) Add(owner + ": Klasse " + b.Klasse + " fehlt");
        Fach(b.Fach, owner);
        Units(b.Einheiten, owner);
        Hours(b.BStunden, b.Einheiten, owner);
        Group(b.SpezialTrennung, owner);
    }
    void Kurs(const CKursBlock& k) {
        const std::string owner = "Kurs " + k.Name;
        if (k.Faecher.size() != k.Lehrer.size()) Add(owner + ": nicht ein Fach je Lehrer");
        for (const std::string& f : k.Faecher)
            Fach(f, owner);
        std::set<std::string> lehrer;
        for (const CKursLehrer& l : k.Lehrer) {
            if (d_.FindLehrer(l.Name) < 0) Add(owner + ": Lehrer " + l.Name + " fehlt");
            if (!lehrer.insert(l.Name).second) Add(owner + ": Lehrer " + l.Name + " zweimal");
            Units(l.Einheiten, owner);
            if (!SameShape(l.Einheiten, k.Lehrer.front().Einheiten))
                Add(owner + ": Einheiten von " + l.Name + " weichen ab");
        }
        for (const std::string& c : k.Klassen) {
            if (c.empty()) Add(owner + ": leerer Klassenname");
            Klasse(c, owner);
        }
        if (!k.Lehrer.empty()) Hours(k.BStunden, k.Lehrer.front().Einheiten, owner);
        Group(k.SpezialTrennung, owner);
    }
    static bool SameShape(const std::vector<CEinheit>& a, const std::vector<CEinheit>& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            CEinheit x = a[i];
            x.Raum = b[i].Raum;
            if (!(x == b[i])) return false;
        }
        return true;
    }

    const Stammdaten& d_;
    std::vector<std::string> out_;
};

} // namespace

std::vector<std::string> MasterDataProblems(const Stammdaten& data) {
    return Problems(data).Run();
}

} // namespace sw
