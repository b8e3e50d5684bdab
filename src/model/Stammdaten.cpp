// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Stammdaten.h"

#include "model/NameIndex.h"
#include "model/Text.h"

#include <algorithm>
#include <set>

namespace sw {

std::vector<std::string> AllgemeineAngaben::DefaultDayNames(int tage) {
    static const char* const kNames[] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                         "Freitag", "Samstag",  "Sonntag"};
    std::vector<std::string> names;
    for (int d = 0; d < std::clamp(tage, 0, kMaxDays); ++d)
        names.emplace_back(kNames[d]);
    return names;
}

std::string TagName(const AllgemeineAngaben& a, int day) {
    if (day < 0 || day >= kMaxDays) return {};
    const auto d = static_cast<std::size_t>(day);
    if (d < a.TagNamen.size() && !a.TagNamen[d].empty()) return a.TagNamen[d];
    return AllgemeineAngaben::DefaultDayNames(kMaxDays)[d];
}

std::vector<std::string> TagNamenDerWoche(const AllgemeineAngaben& a) {
    std::vector<std::string> names;
    for (int d = 0; d < std::clamp(a.Tage, 0, kMaxDays); ++d)
        names.push_back(TagName(a, d));
    return names;
}

void Stammdaten::Clear() {
    *this = Stammdaten{};
}

void Stammdaten::AddFachBlock(CFachBlock block) {
    std::string key = block.Key();
    FachBloecke.push_back({std::move(key), std::move(block)});
}

namespace {
template <typename List, typename NameOf>
int IndexOf(const List& list, std::string_view name, NameOf nameOf) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (nameOf(list[i]) == name) return static_cast<int>(i);
    return -1;
}
} // namespace

int Stammdaten::FindFach(std::string_view name) const {
    return IndexOf(Faecher, name, [](const std::string& f) -> const std::string& { return f; });
}
int Stammdaten::FindRaum(std::string_view name) const {
    return IndexOf(Raeume, name, [](const CRaumFach& r) -> const std::string& { return r.Name; });
}
int Stammdaten::FindLehrer(std::string_view name) const {
    return IndexOf(Lehrer, name, [](const CLehrer& l) -> const std::string& { return l.Name; });
}
int Stammdaten::FindKlasse(std::string_view name) const {
    return IndexOf(Klassen, name, [](const CKlasse& k) -> const std::string& { return k.Name; });
}
int Stammdaten::FindKursBlock(std::string_view name) const {
    return IndexOf(KursBloecke, name,
                   [](const CKursBlock& k) -> const std::string& { return k.Name; });
}
int Stammdaten::FindFachBlock(std::string_view key) const {
    return IndexOf(FachBloecke, key,
                   [](const Unterricht& u) -> const std::string& { return u.Key; });
}

namespace {
// The first name of `list` that stood before, or nullptr.
template <typename List, typename NameOf>
const std::string* FirstRepeated(const List& list, NameOf nameOf) {
    std::set<std::string_view> seen;
    for (const auto& item : list)
        if (!seen.insert(nameOf(item)).second) return &nameOf(item);
    return nullptr;
}
} // namespace

std::optional<std::string> Stammdaten::DuplicateName() const {
    const auto twice = [](const char* what, const std::string& name, const char* list) {
        return std::string(what) + " \"" + ForMessage(name) + "\" steht zweimal in der " + list +
               ".";
    };
    if (auto* n =
            FirstRepeated(Faecher, [](const std::string& f) -> const std::string& { return f; }))
        return twice("Das Fach", *n, "Fächerliste");
    if (auto* n =
            FirstRepeated(Raeume, [](const CRaumFach& r) -> const std::string& { return r.Name; }))
        return twice("Der Raum", *n, "Raumliste");
    if (auto* n =
            FirstRepeated(Lehrer, [](const CLehrer& l) -> const std::string& { return l.Name; }))
        return twice("Der Lehrer", *n, "Lehrerliste");
    if (auto* n =
            FirstRepeated(Klassen, [](const CKlasse& k) -> const std::string& { return k.Name; }))
        return twice("Die Klasse", *n, "Klassenliste");
    if (auto* n = FirstRepeated(KursBloecke,
                                [](const CKursBlock& k) -> const std::string& { return k.Name; }))
        return twice("Der Kurs", *n, "Kursliste");
    if (auto* n = FirstRepeated(FachBloecke,
                                [](const Unterricht& u) -> const std::string& { return u.Key; }))
        return twice("Der Unterricht", *n, "Unterrichtsliste");
    return std::nullopt;
}

long long Stammdaten::LessonHours() const {
    long long sum = 0;
    for (const auto& u : FachBloecke)
        for (const auto& e : u.Block.Einheiten)
            sum += e.Laenge;
    for (const auto& k : KursBloecke)
        for (const auto& l : k.Lehrer)
            for (const auto& e : l.Einheiten)
                sum += e.Laenge;
    return sum;
}

int Stammdaten::KlassenWochenStunden(std::string_view klasse) const {
    int sum = 0;
    for (const auto& u : FachBloecke)
        if (u.Block.Klasse == klasse) sum += u.Block.BStunden;
    for (const auto& k : KursBloecke)
        if (!k.Lehrer.empty() &&
            std::find(k.Klassen.begin(), k.Klassen.end(), klasse) != k.Klassen.end())
            sum += k.BStunden;
    return sum;
}

std::vector<int> Stammdaten::WochenStundenJeKlasse() const {
    const NameIndex klassen =
        NameIndex::Of(Klassen, [](const CKlasse& k) -> const std::string& { return k.Name; });
    std::vector<int> sum(Klassen.size(), 0);
    const auto add = [&](std::string_view klasse, int stunden) {
        if (const int k = klassen.Find(klasse); k >= 0) sum[static_cast<std::size_t>(k)] += stunden;
    };
    for (const auto& u : FachBloecke)
        add(u.Block.Klasse, u.Block.BStunden);
    for (const auto& k : KursBloecke) {
        if (k.Lehrer.empty()) continue;
        // A class named twice in a course counts once, as KlassenWochenStunden counts it.
        for (std::size_t i = 0; i < k.Klassen.size(); ++i)
            if (std::find(k.Klassen.begin(), k.Klassen.begin() + static_cast<std::ptrdiff_t>(i),
                          k.Klassen[i]) == k.Klassen.begin() + static_cast<std::ptrdiff_t>(i))
                add(k.Klassen[i], k.BStunden);
    }
    return sum;
}

} // namespace sw
