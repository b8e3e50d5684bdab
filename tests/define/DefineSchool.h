// SPDX-License-Identifier: GPL-3.0-or-later
// DefineSchool.h: a small school for the lesson-definition tests: 5 days of 8 hours, two classes,
// three teachers, a universal room, a special room for PH, a reserved special room for SPORT,
// the reserved class room of 5A and a sports course of two teachers for 5A.
#pragma once

#include "define/LessonEditor.h"
#include "model/Stammdaten.h"

#include <ostream>

namespace sw {
// Readable units in failure messages.
inline void PrintTo(const CEinheit& e, std::ostream* os) {
    *os << "{Laenge " << e.Laenge << ", Zeit " << e.Zeitvorgabe << ", Raum \"" << e.Raum
        << "\", NurUrPlan " << int(e.NurUrPlan) << ", Oben " << int(e.OberesLimit) << ", Unten "
        << int(e.UnteresLimit) << ", TagesLimit " << int(e.TagesLimit) << ", Tag " << e.Tag << "}";
}
} // namespace sw

namespace sw::test {

inline CLehrer Teacher(const std::string& name, std::vector<std::string> faecher) {
    CLehrer l;
    l.Name = name;
    l.Kurz = name.substr(0, 3);
    l.Faecher = std::move(faecher);
    return l;
}

inline CRaumFach Room(const std::string& name, std::array<Flag, 3> typ,
                      std::vector<std::string> faecher) {
    CRaumFach r;
    r.Name = name;
    r.Kurz = name.substr(0, 3);
    r.FachTyp = typ;
    r.Faecher = std::move(faecher);
    return r;
}

inline Stammdaten DefineSchool() {
    Stammdaten d;
    d.AngabenBestaetigt = true;
    d.Faecher = {"M", "D", "PH", "SPORT"};
    d.Lehrer = {Teacher("MEIER", {"M", "PH", "SPORT"}), Teacher("SCHULZ", {"D", "M"}),
                Teacher("KOCH", {"SPORT"})};
    d.Klassen.resize(2);
    d.Klassen[0].Name = "5A";
    d.Klassen[1].Name = "5B";
    d.Raeume = {Room("R1", {1, 0, 0}, {}), Room("PH1", {0, 1, 0}, {"PH"}),
                Room("TH", {0, 0, 1}, {"SPORT"}), Room("K5A", {1, 0, 0}, {})};
    d.Raeume[3].KlassenTyp = {0, 0, 1};
    d.Raeume[3].Klasse = "5A";
    CKursBlock kurs;
    kurs.Name = "SPORTKURS";
    kurs.Kurz = "SPK";
    kurs.Faecher = {"SPORT", "SPORT"};
    kurs.Lehrer = {CKursLehrer{"MEIER", {CEinheit(1, kNoSlot), CEinheit(1, kNoSlot)}},
                   CKursLehrer{"KOCH", {CEinheit(1, kNoSlot), CEinheit(1, kNoSlot)}}};
    kurs.Klassen = {"5A"};
    kurs.BStunden = 2;
    kurs.Trennung = 1;
    d.KursBloecke = {kurs};
    return d;
}

// A subject block of `stunden` units of length 1, appended without the editor.
inline void AddBlock(Stammdaten& d, const std::string& lehrer, const std::string& klasse,
                     const std::string& fach, int stunden) {
    CFachBlock b;
    b.Lehrer = lehrer;
    b.Klasse = klasse;
    b.Fach = fach;
    b.BStunden = stunden;
    b.Einheiten.assign(static_cast<std::size_t>(stunden), CEinheit(1, kNoSlot));
    d.AddFachBlock(std::move(b));
}

} // namespace sw::test
