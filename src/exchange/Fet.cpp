// SPDX-License-Identifier: GPL-3.0-or-later
// Fet.cpp: the import of FET files. Reads the week, the lists of names, the students and the
// activities, lets the constraints (FetConstraints.cpp) fix times, rooms, locks and merges, and
// builds the master data. The file is read once; every list is indexed by name, so the work
// grows with the size of the file, not with activities times constraints.
#include "exchange/FetImport.h"

#include "files/FileTexts.h"
#include "model/Text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>

namespace sw {

namespace fet {

namespace {

constexpr const char* kAbgeschaltet = "abgeschaltet";

void AddDistinct(std::vector<std::string>& list, const std::string& item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

// The whole message of a refusal that names the file itself.
struct WholeRefusal {
    std::string text;
};

} // namespace

Reader::Reader(std::string path, const pugi::xml_node& root, ImportReport& report)
    : path_(std::move(path)), root_(root), report_(report) {}

void Reader::Fail(const std::string& sentence) const {
    throw Refusal{sentence};
}

void Reader::Unknown(const std::string& who, const char* article, const std::string& name,
                     const char* relative) const {
    Fail(who + " nennt " + article + " „" + ForMessage(name) + "“, " + relative +
         " die Datei nicht kennt.");
}

Stammdaten Reader::Run() {
    ReadWeek();
    ReadLists();
    ReadActivities();
    FormBlocks();
    ReadConstraints();
    return Build();
}

// ---------------------------------------------------------------------------------------------
// The week

std::vector<std::string> Reader::ReadNames(const char* list, const char* item, const char* number) {
    const pugi::xml_node node = root_.child(list);
    std::vector<std::string> names;
    for (const pugi::xml_node& child : node.children()) {
        if (std::strcmp(child.name(), item) == 0) names.push_back(ChildText(child, "Name"));
        // Older files list the names directly.
        if (std::strcmp(child.name(), "Name") == 0) names.push_back(Trimmed(child.child_value()));
    }
    if (names.empty()) {
        std::string count = ChildText(node, number);
        if (!node.child(number)) count = ChildText(node, "Number");
        const int n = count.empty() ? 0 : IntOf(count, std::string("der Liste ") + list, number);
        for (int i = 1; i <= n && i <= 1000; ++i)
            names.push_back(std::to_string(i));
    }
    return names;
}

void Reader::ReadWeek() {
    dayNames_ = ReadNames("Days_List", "Day", "Number_of_Days");
    hourNames_ = ReadNames("Hours_List", "Hour", "Number_of_Hours");
    for (std::size_t d = 0; d < dayNames_.size(); ++d)
        dayIndex_.emplace(dayNames_[d], static_cast<int>(d));
    for (std::size_t h = 0; h < hourNames_.size(); ++h)
        hourIndex_.emplace(hourNames_[h], static_cast<int>(h));
    const std::size_t days = dayNames_.size();
    const std::size_t hours = hourNames_.size();
    if (days == 0) throw WholeRefusal{"Die Datei " + path_ + " nennt keinen Tag."};
    if (hours == 0) throw WholeRefusal{"Die Datei " + path_ + " nennt keine Stunde."};

    // The breaks every lesson must keep free.
    std::vector<char> pause(days * hours, 0);
    for (const pugi::xml_node& c :
         root_.child("Time_Constraints_List").children("ConstraintBreakTimes")) {
        const std::string who = "Die Regel ConstraintBreakTimes";
        if (!IsActive(c) || WeightOf(c, "der Regel ConstraintBreakTimes") < 100) continue;
        std::vector<std::pair<std::string, std::string>> times;
        for (const pugi::xml_node& t : c.children("Break_Time"))
            times.emplace_back(ChildText(t, "Day"), ChildText(t, "Hour"));
        for (const pugi::xml_node& t : c.children("Day"))
            times.emplace_back(Trimmed(t.child_value()),
                               Trimmed(t.next_sibling("Hour").child_value()));
        for (const auto& [day, hour] : times) {
            const auto d = dayIndex_.find(day);
            if (d == dayIndex_.end()) Unknown(who, "den Tag", day, "den");
            const auto h = hourIndex_.find(hour);
            if (h == hourIndex_.end()) Unknown(who, "die Stunde", hour, "die");
            pause[static_cast<std::size_t>(d->second) * hours + h->second] = 1;
        }
    }
    // An hour that is a break on every day, and a day that is a break at every hour, go.
    ourDay_.assign(days, -1);
    ourHour_.assign(hours, -1);
    for (std::size_t h = 0; h < hours; ++h) {
        bool always = true;
        for (std::size_t d = 0; d < days && always; ++d)
            always = pause[d * hours + h] != 0;
        if (always)
            report_.Add(ImportFate::Angenaehert, "Pausen",
                        "als gestrichene Stunde (an jedem Tag Pause)", hourNames_[h]);
        else
            ourHour_[h] = ++stunden_;
    }
    for (std::size_t d = 0; d < days; ++d) {
        bool always = true;
        for (std::size_t h = 0; h < hours && always; ++h)
            always = pause[d * hours + h] != 0;
        if (always)
            report_.Add(ImportFate::Angenaehert, "Pausentage",
                        "als gestrichener Tag (den ganzen Tag Pause)", dayNames_[d]);
        else
            ourDay_[d] = tage_++;
    }
    if (tage_ == 0 || stunden_ == 0)
        throw WholeRefusal{"Die Datei " + path_ + " hat keine Stunde, die keine Pause ist."};
    if (tage_ > kMaxDays)
        throw WholeRefusal{"Die Datei " + path_ + " hat " + std::to_string(tage_) +
                           " Tage; Stundenwerk plant höchstens " + std::to_string(kMaxDays) +
                           " Tage."};
    if (stunden_ > kMaxHour)
        throw WholeRefusal{"Die Datei " + path_ + " hat " + std::to_string(stunden_) +
                           " Stunden am Tag; Stundenwerk plant höchstens " +
                           std::to_string(kMaxHour) + " Stunden am Tag."};
    for (std::size_t d = 0; d < days; ++d)
        for (std::size_t h = 0; h < hours; ++h)
            if (pause[d * hours + h] && ourDay_[d] >= 0 && ourHour_[h] >= 0)
                breakSlots_.push_back(sw::SlotOf(ourDay_[d], ourHour_[h]));
    for (std::size_t d = 0; d < days; ++d)
        if (ourDay_[d] >= 0) days_.Add(dayNames_[d], report_, true);
    report_.AddCount(ImportFate::Uebernommen, "Tage", tage_);
    report_.AddCount(ImportFate::Weggelassen, "Stundennamen", stunden_,
                     "Stundenwerk zählt die Stunden des Tages 1, 2, 3, …");
}

// ---------------------------------------------------------------------------------------------
// Subjects, teachers, rooms, students

void Reader::ReadLists() {
    for (const pugi::xml_node& s : root_.child("Subjects_List").children("Subject"))
        subjects_.Add(ChildText(s, "Name"), report_);
    for (const pugi::xml_node& t : root_.child("Teachers_List").children("Teacher")) {
        const int index = teachers_.Add(ChildText(t, "Name"), report_);
        qualified_.resize(static_cast<std::size_t>(teachers_.Size()));
        for (const pugi::xml_node& q : t.child("Qualified_Subjects").children("Qualified_Subject"))
            if (const int s = subjects_.Find(Trimmed(q.child_value())); s >= 0)
                qualified_[static_cast<std::size_t>(index)].push_back(s);
    }
    int capacities = 0, buildings = 0;
    for (const pugi::xml_node& r : root_.child("Rooms_List").children("Room")) {
        const std::string name = ChildText(r, "Name");
        rooms_.Add(name, report_);
        const std::string capacity = ChildText(r, "Capacity");
        if (!capacity.empty() && capacity != "30000") ++capacities;
        if (!ChildText(r, "Building").empty()) ++buildings;
        if (ChildText(r, "Virtual") == "true")
            report_.Add(ImportFate::Angenaehert, "Virtuelle Räume", "als gewöhnlicher Raum", name);
    }
    report_.AddCount(ImportFate::Weggelassen, "Raumgrößen", capacities,
                     "Stundenwerk kennt keine Raumgrößen");
    report_.AddCount(ImportFate::Weggelassen, "Gebäude der Räume", buildings,
                     "Stundenwerk kennt keine Gebäude");
    teacherLocks_.assign(static_cast<std::size_t>(teachers_.Size()), FreeGrid());
    roomLocks_.assign(static_cast<std::size_t>(rooms_.Size()), FreeGrid());
    roomSubjects_.resize(static_cast<std::size_t>(rooms_.Size()));
    students_ = ReadStudents(root_.child("Students_List"));
}

// ---------------------------------------------------------------------------------------------
// Activities

void Reader::ReadActivities() {
    int tags = 0;
    for (const pugi::xml_node& x : root_.child("Activities_List").children("Activity")) {
        Activity a;
        const std::string where = "der " + std::to_string(activities_.size() + 1) + ". Aktivität";
        a.id = IntOf(ChildText(x, "Id"), where, "Id");
        const std::string who = "Die Aktivität " + std::to_string(a.id);
        const std::string of = "der Aktivität " + std::to_string(a.id);
        if (!byId_.emplace(a.id, static_cast<int>(activities_.size())).second)
            Fail("Die Aktivitätsnummer " + std::to_string(a.id) + " steht zweimal in der Datei.");
        a.active = IsActive(x);
        const std::string group = ChildText(x, "Activity_Group_Id");
        a.groupId = group.empty() ? 0 : IntOf(group, of, "Activity_Group_Id");
        a.duration = IntOf(ChildText(x, "Duration"), of, "Duration");
        for (const pugi::xml_node& t : x.children("Teacher")) {
            const std::string name = Trimmed(t.child_value());
            const int teacher = teachers_.Find(name);
            if (teacher < 0) Unknown(who, "den Lehrer", name, "den");
            if (std::find(a.teachers.begin(), a.teachers.end(), teacher) == a.teachers.end())
                a.teachers.push_back(teacher);
        }
        const std::string subject = ChildText(x, "Subject");
        a.subject = subjects_.Find(subject);
        if (a.subject < 0 && subject.empty()) Fail(who + " nennt kein Fach.");
        if (a.subject < 0) Unknown(who, "das Fach", subject, "das");
        for (const pugi::xml_node& s : x.children("Students")) {
            const std::string name = Trimmed(s.child_value());
            const auto it = students_.atomsOf.find(name);
            if (it == students_.atomsOf.end()) Unknown(who, "die Schülergruppe", name, "die");
            a.atoms.insert(a.atoms.end(), it->second.begin(), it->second.end());
            a.sets.push_back(name);
        }
        std::sort(a.atoms.begin(), a.atoms.end());
        a.atoms.erase(std::unique(a.atoms.begin(), a.atoms.end()), a.atoms.end());
        if (x.child("Activity_Tag")) ++tags;
        for (const pugi::xml_node& t : x.children("Activity_Tag"))
            a.tags.push_back(Trimmed(t.child_value()));
        if (!a.active) {
            report_.Add(ImportFate::Weggelassen, "Aktivitäten", kAbgeschaltet,
                        "Aktivität " + std::to_string(a.id));
        } else {
            if (a.duration < 1)
                Fail(who + " hat die Dauer " + std::to_string(a.duration) +
                     "; eine Aktivität dauert mindestens 1 Stunde.");
            if (a.duration > stunden_)
                Fail(who + " dauert " + std::to_string(a.duration) +
                     " Stunden; ein Tag hat in Stundenwerk nur " + std::to_string(stunden_) +
                     " Stunden.");
            report_.SourceHours += a.duration;
        }
        activities_.push_back(std::move(a));
    }
    report_.Activities = static_cast<int>(activities_.size());
    // The parts of a split activity are numbered in the order of their Ids.
    std::unordered_map<int, std::vector<int>> parts;
    for (std::size_t i = 0; i < activities_.size(); ++i)
        if (activities_[i].groupId != 0)
            parts[activities_[i].groupId].push_back(static_cast<int>(i));
    for (auto& [group, list] : parts) {
        std::sort(list.begin(), list.end(),
                  [this](int x, int y) { return activities_[x].id < activities_[y].id; });
        for (std::size_t k = 0; k < list.size(); ++k)
            activities_[static_cast<std::size_t>(list[k])].component = static_cast<int>(k) + 1;
    }
    report_.AddCount(ImportFate::Weggelassen, "Aktivitäts-Markierungen", tags,
                     "Stundenwerk kennt keine Markierungen");

    // Classes from the atoms of the active activities.
    std::vector<std::vector<int>> atoms(activities_.size());
    for (std::size_t i = 0; i < activities_.size(); ++i)
        if (activities_[i].active) atoms[i] = activities_[i].atoms;
    classFormation_ = FormClasses(students_, atoms);
    for (const std::string& raw : classFormation_.rawNames)
        classes_.Add(raw, report_, true);
    classLocks_.assign(static_cast<std::size_t>(classes_.Size()), FreeGrid());
    for (std::size_t atom = 0; atom < students_.atomNames.size(); ++atom)
        if (classFormation_.classOfAtom[atom] < 0)
            report_.Add(ImportFate::Weggelassen, "Schülergruppen ohne Aktivität",
                        "bilden keine Klasse", students_.atomNames[atom]);
    for (Activity& a : activities_) {
        for (int atom : a.atoms)
            if (const int c = classFormation_.classOfAtom[static_cast<std::size_t>(atom)]; c >= 0)
                a.classes.push_back(c);
        std::sort(a.classes.begin(), a.classes.end());
        a.classes.erase(std::unique(a.classes.begin(), a.classes.end()), a.classes.end());
    }
}

// ---------------------------------------------------------------------------------------------
// Blocks: the parts of one split activity lie in one block, one unit each.

void Reader::FormBlocks() {
    std::unordered_map<std::string, int> byGroup;
    for (std::size_t i = 0; i < activities_.size(); ++i) {
        const Activity& a = activities_[i];
        if (!a.active) continue;
        int b = -1;
        std::string key;
        if (a.groupId != 0) {
            // Parts that were changed apart (another teacher, other students) make blocks of
            // their own.
            key = std::to_string(a.groupId) + "|" + std::to_string(a.subject) + "|";
            for (int t : a.teachers)
                key += std::to_string(t) + ",";
            key += "|";
            for (int atom : a.atoms)
                key += std::to_string(atom) + ",";
            if (auto it = byGroup.find(key); it != byGroup.end()) b = it->second;
        }
        if (b < 0) {
            b = static_cast<int>(blocks_.size());
            Block block;
            block.teachers = a.teachers;
            block.subject = a.subject;
            block.subjects.assign(a.teachers.size(), a.subject);
            block.classes = a.classes;
            blocks_.push_back(std::move(block));
            if (!key.empty()) byGroup.emplace(key, b);
        }
        blocks_[static_cast<std::size_t>(b)].activities.push_back(static_cast<int>(i));
    }
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        Block& block = blocks_[b];
        std::sort(block.activities.begin(), block.activities.end(),
                  [this](int x, int y) { return activities_[x].id < activities_[y].id; });
        for (std::size_t u = 0; u < block.activities.size(); ++u) {
            Activity& a = activities_[static_cast<std::size_t>(block.activities[u])];
            a.block = static_cast<int>(b);
            a.unit = static_cast<int>(u);
            block.units.push_back({a.duration, kNoSlot, {}});
        }
        CheckBlockHours(block);
    }
}

void Reader::CheckBlockHours(const Block& b) const {
    long long sum = 0;
    for (const Unit& u : b.units)
        sum += u.length;
    if (sum > static_cast<long long>(tage_) * stunden_)
        Fail("Die Aktivität " + std::to_string(activities_[b.activities.front()].id) +
             " und ihre Teile dauern zusammen " + std::to_string(sum) +
             " Stunden; die Woche hat in Stundenwerk nur " + std::to_string(tage_ * stunden_) +
             " Stunden.");
}

// ---------------------------------------------------------------------------------------------
// The master data

Stammdaten Reader::Build() {
    Stammdaten d;
    d.Angaben.Tage = tage_;
    d.Angaben.Stunden = stunden_;
    d.Angaben.Nullte = false;
    d.Angaben.TagNamen = days_.Names();
    d.AngabenBestaetigt = true;
    d.Faecher = subjects_.Names();
    ShortNames courseShort, teacherShort, roomShort;

    // Teachers and classes of our own for blocks without them.
    std::vector<std::vector<std::string>> teacherSubjects(qualified_.size());
    for (std::size_t t = 0; t < qualified_.size(); ++t)
        for (int s : qualified_[t])
            AddDistinct(teacherSubjects[t], subjects_.Name(s));
    NameList kurse("Kurs", "Namen der Kurse", true);
    std::unordered_map<std::string, int> kursNummer;
    std::unordered_map<std::string, bool> keys;
    std::vector<char> freeRoomTeacher; // per teacher: has a unit without a room wish
    // FET seats an activity of several teachers in one room; our plan seats every teacher's
    // hour in a room of its own. The second and later teachers therefore hold such hours in a
    // room of their own that nobody else is bound to, so a course needs no more special rooms
    // than its activity did.
    std::vector<int> ownRoom;                              // per teacher: own room number, or -1
    std::vector<std::array<std::size_t, 3>> boundTeachers; // (course, position, teacher)
    int ownRooms = 0;
    int nn = 0, ohne = 0, roomlessUnits = 0;
    blockRef_.assign(blocks_.size(), {});
    for (Block& b : blocks_) {
        if (b.dead) continue;
        CBlockBezug& ref = blockRef_[static_cast<std::size_t>(&b - blocks_.data())];
        const std::string example =
            "Aktivität " + std::to_string(activities_[b.activities.front()].id);
        if (b.teachers.empty()) {
            b.teachers.push_back(teachers_.AddOwn("N.N. " + std::to_string(++nn)));
            b.subjects.push_back(b.subject);
            teacherLocks_.push_back(FreeGrid());
            teacherSubjects.emplace_back();
            report_.Add(ImportFate::Angenaehert, "Aktivitäten ohne Lehrer",
                        "je Unterricht ein eigener Lehrer „N.N. n“", example);
        }
        if (b.classes.empty()) {
            b.classes.push_back(classes_.AddOwn("Ohne Klasse " + std::to_string(++ohne)));
            classLocks_.push_back(FreeGrid());
            report_.Add(ImportFate::Angenaehert, "Aktivitäten ohne Schüler",
                        "je Unterricht eine eigene Klasse „Ohne Klasse n“", example);
        }
        freeRoomTeacher.resize(static_cast<std::size_t>(teachers_.Size()), 0);
        for (std::size_t i = 0; i < b.teachers.size(); ++i)
            AddDistinct(teacherSubjects[static_cast<std::size_t>(b.teachers[i])],
                        subjects_.Name(b.subjects[i]));
        std::vector<CEinheit> units;
        int bStunden = 0;
        bool roomless = false;
        for (const Unit& u : b.units) {
            CEinheit e(u.length, u.slot);
            e.Raum = u.room;
            roomless = roomless || u.room.empty();
            roomlessUnits += u.room.empty() ? 1 : 0;
            units.push_back(std::move(e));
            bStunden += u.length;
        }
        report_.Hours += bStunden;
        const std::string& fach = subjects_.Name(b.subject);
        if (!b.merged && b.teachers.size() == 1 && b.classes.size() == 1) {
            CFachBlock f;
            f.Lehrer = teachers_.Name(b.teachers.front());
            f.Klasse = classes_.Name(b.classes.front());
            f.Fach = fach;
            if (keys.emplace(f.Key(), true).second) {
                f.BStunden = bStunden;
                f.Einheiten = std::move(units);
                f.Trennung = b.trennung ? 1 : 0;
                if (roomless) freeRoomTeacher[static_cast<std::size_t>(b.teachers.front())] = 1;
                ref = {0, f.Key()};
                d.AddFachBlock(std::move(f));
                continue;
            }
        }
        CKursBlock k;
        const std::string base = fach + " " +
                                 (b.classes.empty() ? teachers_.Name(b.teachers.front())
                                                    : classes_.Name(b.classes.front()));
        k.Name = kurse.Name(kurse.AddOwn(base + " " + std::to_string(++kursNummer[base])));
        k.Kurz = courseShort.Add(fach);
        for (std::size_t i = 0; i < b.teachers.size(); ++i) {
            k.Faecher.push_back(subjects_.Name(b.subjects[i]));
            CKursLehrer l{teachers_.Name(b.teachers[i]), units};
            const auto t = static_cast<std::size_t>(b.teachers[i]);
            if (i > 0) {
                ownRoom.resize(freeRoomTeacher.size(), -1);
                if (ownRoom[t] < 0) ownRoom[t] = ++ownRooms;
                boundTeachers.push_back({d.KursBloecke.size(), i, t});
                report_.Add(ImportFate::Angenaehert, "Weitere Lehrer einer Aktivität",
                            "jeder Lehrer braucht bei Stundenwerk einen Raum: die weiteren Lehrer "
                            "halten die Stunde in einem eigenen Raum „Raum von …“",
                            teachers_.Name(b.teachers[i]) + " in " + example);
            }
            if (i == 0 && roomless) freeRoomTeacher[t] = 1;
            k.Lehrer.push_back(std::move(l));
        }
        for (int c : b.classes)
            k.Klassen.push_back(classes_.Name(c));
        k.BStunden = bStunden;
        k.Trennung = b.trennung ? 1 : 0;
        ref = {1, k.Name};
        d.KursBloecke.push_back(std::move(k));
    }

    for (int t = 0; t < teachers_.Size(); ++t) {
        CLehrer l;
        l.Name = teachers_.Name(t);
        l.Kurz = teacherShort.Add(l.Name);
        l.Faecher = teacherSubjects[static_cast<std::size_t>(t)];
        l.Sperre = teacherLocks_[static_cast<std::size_t>(t)];
        d.Lehrer.push_back(std::move(l));
    }
    for (int c = 0; c < classes_.Size(); ++c) {
        CKlasse k;
        k.Name = classes_.Name(c);
        k.Sperre = classLocks_[static_cast<std::size_t>(c)];
        d.Klassen.push_back(std::move(k));
    }

    // Rooms: special for the subjects that named them, universal otherwise; then enough
    // universal rooms that a lesson without a room wish never waits for a room.
    // A universal room some unit is bound to may be taken when a roomless lesson wants it, so
    // only the rooms no unit names count as always free.
    std::vector<std::string> boundRooms;
    for (const Block& b : blocks_)
        if (!b.dead)
            for (const Unit& u : b.units)
                if (!u.room.empty()) AddDistinct(boundRooms, u.room);
    int universal = 0;
    for (int r = 0; r < rooms_.Size(); ++r) {
        CRaumFach room;
        room.Name = rooms_.Name(r);
        room.Kurz = roomShort.Add(room.Name);
        for (int s : roomSubjects_[static_cast<std::size_t>(r)])
            AddDistinct(room.Faecher, subjects_.Name(s));
        if (!room.Faecher.empty())
            room.FachTyp = {0, 1, 0};
        else if (std::find(boundRooms.begin(), boundRooms.end(), room.Name) == boundRooms.end())
            ++universal;
        room.Sperre = roomLocks_[static_cast<std::size_t>(r)];
        d.Raeume.push_back(std::move(room));
    }
    const int needed =
        static_cast<int>(std::count(freeRoomTeacher.begin(), freeRoomTeacher.end(), 1));
    // A quarter more than the teachers need at once: the planner draws rooms at random, and
    // with every room spoken for at a busy hour it would look for the last free one too long.
    const int extra = std::max(0, needed + (needed + 3) / 4 - universal);
    for (int n = 1; n <= extra; ++n) {
        CRaumFach room;
        room.Name = rooms_.Name(rooms_.AddOwn("Zusatzraum " + std::to_string(n)));
        room.Kurz = roomShort.Add(room.Name);
        d.Raeume.push_back(std::move(room));
    }
    // The own rooms: reserved as a class room of no class, so that no lesson but those bound
    // to them is ever placed there.
    std::vector<std::string> ownNames(static_cast<std::size_t>(ownRooms));
    for (std::size_t t = 0; t < ownRoom.size(); ++t) {
        if (ownRoom[t] < 0) continue;
        CRaumFach room;
        room.Name = rooms_.Name(rooms_.AddOwn("Raum von " + teachers_.Name(static_cast<int>(t))));
        room.Kurz = roomShort.Add(room.Name);
        room.KlassenTyp = {0, 0, 1};
        ownNames[static_cast<std::size_t>(ownRoom[t] - 1)] = room.Name;
        d.Raeume.push_back(std::move(room));
    }
    for (const auto& [kurs, i, t] : boundTeachers)
        for (CEinheit& e : d.KursBloecke[kurs].Lehrer[i].Einheiten)
            e.Raum = ownNames[static_cast<std::size_t>(ownRoom[t] - 1)];
    if (roomlessUnits > 0)
        report_.AddCount(ImportFate::Angenaehert, "Aktivitäten ohne Raumwunsch", roomlessUnits,
                         "Stundenwerk setzt jede Stunde in einen Raum; " + std::to_string(extra) +
                             " Zusatzräume");

    report_.AddCount(ImportFate::Uebernommen, "Fächer", static_cast<int>(d.Faecher.size()));
    report_.AddCount(ImportFate::Uebernommen, "Lehrer", static_cast<int>(d.Lehrer.size()));
    report_.AddCount(ImportFate::Uebernommen, "Räume", static_cast<int>(d.Raeume.size()));
    report_.AddCount(ImportFate::Uebernommen, "Klassen", static_cast<int>(d.Klassen.size()));
    report_.AddCount(ImportFate::Uebernommen, "Unterrichte",
                     static_cast<int>(d.FachBloecke.size()));
    report_.AddCount(ImportFate::Uebernommen, "Kurse", static_cast<int>(d.KursBloecke.size()));
    ApplyRules(d);
    // A school whose every special character is a pair such as "Ã¼" would come back as "ü".
    if (auto text = TextThatMakesTheFileReadAsUtf8(d, true)) Fail(Utf8Doppelgaenger(*text));
    if (d.LessonHours() > kMaxLessonHours)
        throw WholeRefusal{"Die Datei " + path_ + " ergibt " + std::to_string(d.LessonHours()) +
                           " Unterrichtsstunden; mehr als " + std::to_string(kMaxLessonHours) +
                           " kann Stundenwerk nicht planen."};
    return d;
}

} // namespace fet

ImportResult ImportFet(const std::string& path, FileOps& fs) {
    ImportResult r;
    const auto refuse = [](const std::string& text) {
        ImportResult failed;
        failed.outcome = Outcome::Failure(text, titel::Importfehler);
        return failed;
    };
    const FileContent file = fs.ReadAll(path);
    if (!file.bytes)
        return refuse("Die Datei " + path + " kann nicht gelesen werden.\n" + file.reason);
    const std::string& bytes = *file.bytes;
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed) {
        // The line of the fault: the line breaks before its offset, plus one.
        const std::size_t offset = std::min(
            static_cast<std::size_t>(std::max<std::ptrdiff_t>(parsed.offset, 0)), bytes.size());
        const long line = 1 + std::count(bytes.begin(),
                                         bytes.begin() + static_cast<std::ptrdiff_t>(offset), '\n');
        return refuse("Die Datei " + path + " ist keine lesbare XML-Datei: " +
                      parsed.description() + " (Zeile " + std::to_string(line) + ")");
    }
    const pugi::xml_node root = doc.document_element();
    if (std::strcmp(root.name(), "fet") != 0)
        return refuse("Die Datei " + path + " ist keine FET-Datei.");
    r.report.Source = path;
    try {
        fet::Reader reader(path, root, r.report);
        r.data = reader.Run();
    } catch (const fet::Refusal& e) {
        return refuse("Fehler beim Lesen der Datei " + path + ":\n" + e.text);
    } catch (const fet::WholeRefusal& e) {
        return refuse(e.text);
    } catch (const std::exception& e) {
        return refuse(UnerwarteterLesefehler(path, e));
    }
    return r;
}

} // namespace sw
