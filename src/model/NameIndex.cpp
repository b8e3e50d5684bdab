// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NameIndex.h"

#include "model/Stammdaten.h"

namespace sw {

int NameIndex::Find(std::string_view name) const {
    const auto it = map_.find(name);
    return it == map_.end() ? -1 : it->second;
}

int NameIndex::Add(std::string_view name, int index) {
    const auto [it, added] = map_.try_emplace(std::string(name), index);
    return added ? -1 : it->second;
}

StammdatenIndex::StammdatenIndex(const Stammdaten& d)
    : Faecher(
          NameIndex::Of(d.Faecher, [](const std::string& f) -> const std::string& { return f; })),
      Raeume(
          NameIndex::Of(d.Raeume, [](const CRaumFach& r) -> const std::string& { return r.Name; })),
      Lehrer(
          NameIndex::Of(d.Lehrer, [](const CLehrer& l) -> const std::string& { return l.Name; })),
      Klassen(
          NameIndex::Of(d.Klassen, [](const CKlasse& k) -> const std::string& { return k.Name; })),
      KursBloecke(NameIndex::Of(d.KursBloecke,
                                [](const CKursBlock& k) -> const std::string& { return k.Name; })),
      FachBloecke(NameIndex::Of(d.FachBloecke,
                                [](const Unterricht& u) -> const std::string& { return u.Key; })) {}

} // namespace sw
