// SPDX-License-Identifier: GPL-3.0-or-later
// FetStudents.cpp: FET's years, groups and subgroups become classes. The smallest sets FET
// knows (the atoms) are grouped by the activities that contain them: atoms that every activity
// takes together or leaves together form one class. Classes so partition the atoms, and every
// activity covers whole classes; two lessons share a class exactly when two FET activities
// share a subgroup.
#include "exchange/FetImport.h"

#include <algorithm>
#include <unordered_map>

namespace sw::fet {

namespace {

void Join(std::vector<int>& into, const std::vector<int>& atoms) {
    into.insert(into.end(), atoms.begin(), atoms.end());
    std::sort(into.begin(), into.end());
    into.erase(std::unique(into.begin(), into.end()), into.end());
}

class StudentsReader {
public:
    Students Read(const pugi::xml_node& list) {
        for (const pugi::xml_node& year : list.children("Year"))
            Year(year);
        for (const auto* rank : {&years_, &groups_, &subgroups_})
            s_.namesByRank.insert(s_.namesByRank.end(), rank->begin(), rank->end());
        return std::move(s_);
    }

private:
    void Year(const pugi::xml_node& year) {
        const std::string name = ChildText(year, "Name");
        const int index = static_cast<int>(s_.yearNames.size());
        s_.yearNames.push_back(name);
        std::vector<int> atoms;
        for (const pugi::xml_node& group : year.children("Group"))
            Join(atoms, Group(group, index));
        if (!year.child("Group")) atoms.push_back(Atom(name, index));
        Named(years_, name, atoms);
    }

    std::vector<int> Group(const pugi::xml_node& group, int year) {
        const std::string name = ChildText(group, "Name");
        std::vector<int> atoms;
        for (const pugi::xml_node& subgroup : group.children("Subgroup")) {
            const std::string sub = ChildText(subgroup, "Name");
            const int atom = Atom(sub, year);
            Join(atoms, {atom});
            Named(subgroups_, sub, {atom});
        }
        if (!group.child("Subgroup")) atoms.push_back(Atom(name, year));
        Named(groups_, name, atoms);
        return atoms;
    }

    // The atom of this name; a subgroup listed under several groups is one atom.
    int Atom(const std::string& name, int year) {
        const auto [it, fresh] = atomIndex_.emplace(name, static_cast<int>(s_.atomNames.size()));
        if (fresh) {
            s_.atomNames.push_back(name);
            s_.atomYear.push_back(year);
        }
        return it->second;
    }

    // A named set; a name listed again adds its atoms to the same set.
    void Named(std::vector<std::string>& rank, const std::string& name,
               const std::vector<int>& atoms) {
        auto [it, fresh] = s_.atomsOf.try_emplace(name);
        if (fresh) rank.push_back(name);
        Join(it->second, atoms);
    }

    Students s_;
    std::unordered_map<std::string, int> atomIndex_;
    std::vector<std::string> years_, groups_, subgroups_;
};

} // namespace

Students ReadStudents(const pugi::xml_node& list) {
    return StudentsReader().Read(list);
}

Classes FormClasses(const Students& students,
                    const std::vector<std::vector<int>>& atomsOfActivity) {
    const std::size_t atomCount = students.atomNames.size();
    // The signature of an atom: the activities that contain it, in ascending order.
    std::vector<std::vector<int>> signature(atomCount);
    for (std::size_t a = 0; a < atomsOfActivity.size(); ++a)
        for (int atom : atomsOfActivity[a])
            signature[static_cast<std::size_t>(atom)].push_back(static_cast<int>(a));

    Classes c;
    c.classOfAtom.assign(atomCount, -1);
    std::unordered_map<std::vector<int>, int, IntsHash> classOf;
    for (std::size_t atom = 0; atom < atomCount; ++atom) {
        if (signature[atom].empty()) continue;
        const auto [it, fresh] =
            classOf.emplace(std::move(signature[atom]), static_cast<int>(c.atomsOfClass.size()));
        if (fresh) c.atomsOfClass.emplace_back();
        c.classOfAtom[atom] = it->second;
        c.atomsOfClass[static_cast<std::size_t>(it->second)].push_back(static_cast<int>(atom));
    }

    // A class takes the name of a year, group or subgroup with exactly its atoms.
    std::unordered_map<std::vector<int>, const std::string*, IntsHash> exact;
    for (const std::string& name : students.namesByRank)
        exact.emplace(students.atomsOf.at(name), &name);
    std::vector<int> parts(students.yearNames.size(), 0);
    for (const std::vector<int>& atoms : c.atomsOfClass) {
        if (auto it = exact.find(atoms); it != exact.end()) {
            c.rawNames.push_back(*it->second);
        } else if (atoms.size() <= 3) {
            std::string joined;
            for (int atom : atoms)
                joined += (joined.empty() ? "" : "+") + students.atomNames[atom];
            c.rawNames.push_back(joined);
        } else {
            const int year = students.atomYear[static_cast<std::size_t>(atoms.front())];
            c.rawNames.push_back(students.yearNames[year] + " Teil " +
                                 std::to_string(++parts[year]));
        }
    }
    return c;
}

} // namespace sw::fet
