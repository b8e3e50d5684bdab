// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Stammdaten.h"

#include <algorithm>

namespace sw {

std::vector<std::string> AllgemeineAngaben::DefaultDayNames(int tage) {
    static const char* const kNames[] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                         "Freitag", "",         ""};
    std::vector<std::string> names;
    for (int d = 0; d < std::clamp(tage, 0, kMaxDays); ++d)
        names.emplace_back(kNames[d]);
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

} // namespace sw
