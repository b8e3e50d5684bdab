// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/ExportSupport.h"

#include "support/School.h"

#include <functional>
#include <stdexcept>

namespace sw::test {

namespace {

CStunde& FindHour(CPlan& plan, const std::function<bool(const CStunde&)>& pred) {
    for (auto& h : plan.StundenL)
        if (pred(*h)) return *h;
    throw std::logic_error("hour not in the plan");
}

void Rename(Stammdaten& s) {
    s.Faecher = {"Erdkunde", "Französisch"};
    const std::vector<std::pair<std::string, std::string>> lehrer = {
        {"Jürgen Müller", "Mü"}, {"Anna Weiß", "Wß"}, {"Bernd Öztürk", "Öz"}};
    for (std::size_t i = 0; i < lehrer.size(); ++i) {
        s.Lehrer[i].Name = lehrer[i].first;
        s.Lehrer[i].Kurz = lehrer[i].second;
        s.Lehrer[i].Faecher = s.Faecher;
    }
    const std::vector<std::pair<std::string, std::string>> raeume = {
        {"Physiksaal Süd", "PhS"}, {"Kunstraum", "Ku"}, {"Aula", "Au"}};
    for (std::size_t i = 0; i < raeume.size(); ++i) {
        s.Raeume[i].Name = raeume[i].first;
        s.Raeume[i].Kurz = raeume[i].second;
    }
    s.Klassen[0].Name = "5a";
    s.Klassen[1].Name = "6ü";
}

} // namespace

std::unique_ptr<ExportSchool> MakeExportSchool(bool nullte) {
    auto school = std::make_unique<ExportSchool>();
    Stammdaten& s = school->stamm;
    s = MakeSchool(2, 3, 3, 3, 2, 2);
    s.Angaben.Nullte = nullte;
    Rename(s);
    AddBlock(s, "Jürgen Müller", "5a", "Erdkunde", {1});
    AddBlock(s, "Anna Weiß", "6ü", "Französisch", {2});
    AddCourse(s, "Religion ökumenisch", {"Bernd Öztürk"}, {"5a"}, {1}).Kurz = "Rel";
    AddCourse(s, "Sport", {"Anna Weiß", "Jürgen Müller"}, {"5a", "6ü"}, {1}).Kurz = "Sp";

    school->plan = std::make_unique<CPlan>(s, school->reporter);
    CPlan& plan = *school->plan;
    plan.BuildLessonHours();

    CStunde& erdkunde = FindHour(plan, [](const CStunde& h) { return h.Klasse == k5a; });
    plan.Place(erdkunde, kAula, SlotOf(0, nullte ? 0 : 1));
    for (int p = 0; p < 2; ++p) {
        CStunde& frz =
            FindHour(plan, [p](const CStunde& h) { return h.Klasse == k6u && h.BlockPos == p; });
        plan.Place(frz, kPhysik, SlotOf(1, 2 + p));
    }
    CStunde& reli =
        FindHour(plan, [](const CStunde& h) { return h.IsCourse() && h.FachKurs == 0; });
    plan.Place(reli, kKunst, SlotOf(1, 1));
    CStunde& sportWeiss = FindHour(plan, [](const CStunde& h) {
        return h.IsCourse() && h.FachKurs == 1 && h.Lehrer == kWeiss;
    });
    CStunde& sportMueller = FindHour(plan, [](const CStunde& h) {
        return h.IsCourse() && h.FachKurs == 1 && h.Lehrer == kMueller;
    });
    plan.Place(sportWeiss, kPhysik, SlotOf(0, 3));
    plan.Place(sportMueller, kAula, SlotOf(0, 3));
    return school;
}

ExportOptionen Choose(std::vector<int> lehrer, std::vector<int> klassen, std::vector<int> raeume) {
    ExportOptionen o;
    o.Lehrer = {!lehrer.empty(), std::move(lehrer)};
    o.Klassen = {!klassen.empty(), std::move(klassen)};
    o.Raeume = {!raeume.empty(), std::move(raeume)};
    return o;
}

} // namespace sw::test
