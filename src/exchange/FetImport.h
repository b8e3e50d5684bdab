// SPDX-License-Identifier: GPL-3.0-or-later
// FetImport.h: the pieces of the FET import that its files share; not part of the layer's
// interface (Import.h is). The reader works in passes over one parsed document: the week, the
// lists of names, the students, the activities, the constraints, and last the master data.
// Any refusal is thrown as a Refusal and ends the import with nothing built.
#pragma once

#include "exchange/Import.h"

#include <pugixml.hpp>

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace sw::fet {

// Ends the import: `text` is the whole message shown to the user.
struct Refusal {
    std::string text;
};

// The text of the child element `name` of `node`, without the white space around it.
std::string ChildText(const pugi::xml_node& node, const char* name);
std::string Trimmed(std::string_view text);
// A whole number; anything else is refused with `where` ("der Aktivität 17") and the tag.
int IntOf(const std::string& text, const std::string& where, const char* tag);
// The weight of a constraint in per cent (100 when the file gives none).
double WeightOf(const pugi::xml_node& constraint, const std::string& where);
// "false" switches a constraint or an activity off; anything else, or nothing, leaves it on.
bool IsActive(const pugi::xml_node& node);

// How much of a name the cleaning gave up: characters replaced by "?".
struct Cleaned {
    std::string text;
    int lost = 0;
    int total = 0;
};
// `raw` as a name every file of the program can hold: characters outside Windows-1252, control
// characters and broken bytes become "?", a "," becomes ";" (unless `commaAllowed`), a
// protected blank a blank, and a "%" the files would misread a "?".
Cleaned CleanName(std::string_view raw, bool commaAllowed);
// The first `chars` characters of a clean name, without a blank at the end.
std::string CutName(const std::string& name, std::size_t chars);

// One list of names (teachers, rooms, classes, …): FET's names and ours, each unique in the list.
class NameList {
public:
    // `kind` numbers a name that is mostly lost ("Lehrer" -> "Lehrer 7"); `what` heads the
    // report line of replaced names ("Namen der Lehrer").
    NameList(std::string kind, std::string what, bool commaAllowed = false);
    // The FET name `raw` as the next entry (numbered from 1): its index. A name given twice is
    // one entry, unless `fresh` asks for a new one.
    int Add(std::string_view raw, ImportReport& report, bool fresh = false);
    // A name of our own, made unique with " (2)", " (3)", ….
    int AddOwn(const std::string& name);
    // The index of the FET name `raw`, or -1.
    int Find(std::string_view raw) const;
    const std::string& Name(int i) const { return names_[static_cast<std::size_t>(i)]; }
    int Size() const { return static_cast<int>(names_.size()); }
    const std::vector<std::string>& Names() const { return names_; }

private:
    std::string Unique(const std::string& name);

    std::string kind_;
    std::string what_;
    bool commaAllowed_;
    std::vector<std::string> names_;
    std::unordered_map<std::string, int> byRaw_;
    std::unordered_set<std::string> taken_;
};

// The short forms of one list (teachers, rooms, courses), each one unique in the list with
// letter case ignored and at most as long as the master-data dialogs allow, so that every
// printed plan tells them apart and a dialog takes them back unchanged: the name's beginning,
// and where two would come out alike, a number at its end (the name's own closing number when it
// has one: "Lehrer 12" -> "Leh12").
class ShortNames {
public:
    std::string Add(const std::string& name);

private:
    bool Take(const std::string& shortName);

    std::unordered_set<std::string> taken_;
};

// Hash of a list of numbers, for grouping atoms by the activities that contain them.
struct IntsHash {
    std::size_t operator()(const std::vector<int>& v) const noexcept;
};

// The students of a FET file: its atoms (every subgroup, every group without subgroups, every
// year without groups) and every named set as the atoms it holds.
struct Students {
    std::vector<std::string> atomNames;
    std::vector<int> atomYear; // index into yearNames
    std::vector<std::string> yearNames;
    std::unordered_map<std::string, std::vector<int>> atomsOf; // set name -> sorted atoms
    // The named sets in the order a class takes its name from them: years, groups, subgroups.
    std::vector<std::string> namesByRank;
};
Students ReadStudents(const pugi::xml_node& list);

// The classes: sets of atoms that no activity separates.
struct Classes {
    std::vector<std::string> rawNames;          // before cleaning
    std::vector<int> classOfAtom;               // -1 for an atom no activity uses
    std::vector<std::vector<int>> atomsOfClass; // sorted
};
// `atomsOfActivity[a]`: the sorted atoms of activity a (active ones only).
Classes FormClasses(const Students& students, const std::vector<std::vector<int>>& atomsOfActivity);

// One activity of the file.
struct Activity {
    int id = 0;
    int groupId = 0;
    int duration = 1;
    bool active = true;
    std::vector<int> teachers; // indices into the teacher list, in the file's order
    int subject = -1;
    std::vector<int> atoms;        // sorted
    std::vector<int> classes;      // in class order
    std::vector<std::string> sets; // the students as the file names them
    std::vector<std::string> tags; // its activity tags
    int component = 1;             // its place among the parts of its split activity, from 1
    int block = -1;                // the block that holds it (active activities only)
    int unit = -1;                 // its unit in that block
};

// One lesson unit of a block under construction.
struct Unit {
    int length = 1;
    int slot = -1;
    std::string room;
};

// A block under construction: one or several activities that lie together.
struct Block {
    std::vector<int> activities; // the activities of unit 0, 1, … (the first part of each)
    std::vector<int> teachers;   // distinct, in order
    std::vector<int> subjects;   // subject of each teacher (or the block's, without teachers)
    int subject = -1;
    std::vector<int> classes;
    std::vector<Unit> units;
    bool trennung = false;
    bool merged = false; // several blocks held at the same time: always a course block
    bool dead = false;   // merged into another block
};

// One constraint that needs the blocks: the activities it names (active ones, as indices), and
// what else it says.
struct Pending {
    std::vector<int> activities;
    int number = 0; // MinDays
    int slot = -1;  // a starting time
    std::vector<int> rooms;
    bool timeLost = false; // the time lies in a dropped hour or day
    bool timeHalf = false; // only a day or only an hour is given
    bool hard = true;      // weight 100
    int source = -1;       // the constraint as a rule source (Reader::sources_)
    BeziehungsArt art = BeziehungsArt::NieGleichzeitig; // a relation between lessons
};

// A rule of the master data that constraints ask for. It is set once the master data is built:
// `set` sets it and returns what undoes it. A rule that could never be met is undone, and then
// `fallback` (when there is one) stands in for it.
struct RuleItem {
    std::vector<int> sources; // the constraints it comes from (Reader::sources_)
    ImportFate fate = ImportFate::Uebernommen;
    std::string how;
    std::function<std::function<void()>(Stammdaten&)> set;
    std::string fallbackHow;
    std::function<void(Stammdaten&)> fallback;
};

// The reader: one pass after the other over a parsed document.
class Reader {
public:
    Reader(std::string path, const pugi::xml_node& root, ImportReport& report);
    Stammdaten Run();

private:
    // Fet.cpp
    void ReadWeek();
    std::vector<std::string> ReadNames(const char* list, const char* item, const char* number);
    void ReadLists();
    void ReadActivities();
    void FormBlocks();
    void CheckBlockHours(const Block& b) const;
    Stammdaten Build();
    [[noreturn]] void Unknown(const std::string& who, const char* article, const std::string& name,
                              const char* relative) const;
    [[noreturn]] void Fail(const std::string& sentence) const;

    // FetConstraints.cpp
    void ReadConstraints();
    void Constraint(const pugi::xml_node& c);
    int ActivityOf(const pugi::xml_node& idNode, const std::string& who) const;
    std::vector<int> ActivitiesOf(const pugi::xml_node& c, const std::string& who) const;
    int TimeOf(const std::string& day, const std::string& hour, const std::string& who,
               bool& lost) const;
    void Locks(const pugi::xml_node& c, const std::string& who,
               const std::vector<LockGrid*>& grids) const;
    int TeacherOf(const std::string& name, const std::string& who) const;
    int RoomOf(const std::string& name, const std::string& who) const;
    int SubjectOf(const std::string& name, const std::string& who) const;
    void MergeSameStart();
    std::vector<int> UnitsOf(const Pending& p) const;
    void ApplyMinDays();
    void ApplyTimes();
    void ApplyRooms();

    // FetRules.cpp
    int Source(const std::string& type);
    bool LimitConstraint(const pugi::xml_node& c, const std::string& type, bool hard);
    bool BlockConstraint(const pugi::xml_node& c, const std::string& type, bool hard);
    void IntervalConstraint(const pugi::xml_node& c, const std::string& type,
                            const std::vector<int>& teachers);
    std::vector<int> Filtered(const pugi::xml_node& c, int component) const;
    std::vector<int> SlotsOf(const pugi::xml_node& c, const char* item, const char* dayTag,
                             const char* hourTag, const std::string& who) const;
    void AllowTimes(int activity, const std::vector<int>& slots, bool wholeActivity, int source);
    bool Relation(const Pending& p, const std::string& type);
    void CollectBlockRules();
    void ApplyRules(Stammdaten& d);

    std::string path_;
    pugi::xml_node root_;
    ImportReport& report_;

    // The week: FET's days and hours, and where each lies in ours (-1 dropped).
    std::vector<std::string> dayNames_, hourNames_;
    std::unordered_map<std::string, int> dayIndex_, hourIndex_;
    std::vector<int> ourDay_, ourHour_;
    int tage_ = 0, stunden_ = 0;
    std::vector<int> breakSlots_; // our slots that stay breaks

    NameList subjects_{"Fach", "Namen der Fächer"};
    NameList teachers_{"Lehrer", "Namen der Lehrer"};
    NameList rooms_{"Raum", "Namen der Räume"};
    NameList classes_{"Klasse", "Namen der Klassen"};
    NameList days_{"Tag", "Namen der Tage"};
    std::vector<std::vector<int>> qualified_; // per teacher
    std::vector<LockGrid> teacherLocks_, roomLocks_, classLocks_;
    std::vector<std::vector<int>> roomSubjects_; // per room: subjects it is special for

    Students students_;
    Classes classFormation_;
    std::vector<Activity> activities_;
    std::unordered_map<int, int> byId_;
    std::vector<Block> blocks_;
    long long absorbedHours_ = 0;

    std::vector<Pending> sameStart_, minDays_, times_, activityRoom_, activityRooms_;

    // The rules: the constraints they come from (by kind), the rules themselves, the time window
    // each teacher has (hours from, to), the allowed starts of single activities (with their
    // constraints), the activities of each unit of each block, and each block as relations and
    // the master data name it.
    std::vector<std::string> sources_;
    std::vector<RuleItem> rules_;
    std::vector<int> breakSources_;
    std::vector<std::array<int, 2>> window_;
    std::unordered_map<int, std::vector<int>> allowed_, allowedSources_;
    std::vector<Pending> ends_, relations_;
    std::vector<std::vector<std::vector<int>>> parts_;
    std::vector<CBlockBezug> blockRef_;
    std::vector<CBlockRegeln*> blockRules_;
};

} // namespace sw::fet
