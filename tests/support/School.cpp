// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/School.h"

namespace sw::test {

Stammdaten MakeSchool(int tage, int stunden, int rooms, int teachers, int classes, int subjects) {
    Stammdaten s;
    s.Angaben.Tage = tage;
    s.Angaben.Stunden = stunden;
    s.Angaben.TagNamen = AllgemeineAngaben::DefaultDayNames(tage);
    s.AngabenBestaetigt = true;
    for (int f = 0; f < subjects; ++f)
        s.Faecher.push_back("F" + std::to_string(f));
    for (int r = 0; r < rooms; ++r) {
        CRaumFach room;
        room.Name = "R" + std::to_string(r);
        room.Kurz = room.Name;
        s.Raeume.push_back(room);
    }
    for (int t = 0; t < teachers; ++t) {
        CLehrer l;
        l.Name = "L" + std::to_string(t);
        l.Kurz = l.Name;
        l.Faecher = s.Faecher;
        s.Lehrer.push_back(l);
    }
    for (int k = 0; k < classes; ++k) {
        CKlasse c;
        c.Name = "K" + std::to_string(k);
        s.Klassen.push_back(c);
    }
    return s;
}

CFachBlock& AddBlock(Stammdaten& s, const std::string& lehrer, const std::string& klasse,
                     const std::string& fach, std::vector<int> units, bool trennung) {
    CFachBlock b;
    b.Lehrer = lehrer;
    b.Klasse = klasse;
    b.Fach = fach;
    b.Trennung = trennung ? 1 : 0;
    for (int len : units) {
        b.Einheiten.emplace_back(len, kNoSlot);
        b.BStunden += len;
    }
    s.AddFachBlock(b);
    return s.FachBloecke.back().Block;
}

CKursBlock& AddCourse(Stammdaten& s, const std::string& name, std::vector<std::string> lehrer,
                      std::vector<std::string> klassen, std::vector<int> units) {
    CKursBlock k;
    k.Name = name;
    k.Kurz = name;
    k.Klassen = std::move(klassen);
    for (const auto& l : lehrer) {
        CKursLehrer kl;
        kl.Name = l;
        for (int len : units)
            kl.Einheiten.emplace_back(len, kNoSlot);
        k.Lehrer.push_back(kl);
        k.Faecher.push_back("F0");
    }
    for (int len : units)
        k.BStunden += len;
    s.KursBloecke.push_back(k);
    return s.KursBloecke.back();
}

} // namespace sw::test
