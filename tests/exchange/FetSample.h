// SPDX-License-Identifier: GPL-3.0-or-later
// FetSample.h: small FET files written in the tests, and their import.
#pragma once

#include "exchange/Import.h"
#include "io/FileOps.h"
#include "support/TestSupport.h"

#include <string>

namespace sw::test {

// Five days Mo..Fr and six hours "1".."6"; subjects M and D; teachers A, B and Ελένη; rooms R1
// and R2; year 5 with group 5a (subgroups 5a1, 5a2) and group 5b, and year 6 without groups.
inline std::string Fet(const std::string& activities, const std::string& time = {},
                       const std::string& space = {}, int days = 5, int hours = 6) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<fet version=\"6.0.0\">\n";
    const char* dayNames[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So", "X1", "X2"};
    out += "<Days_List><Number_of_Days>" + std::to_string(days) + "</Number_of_Days>";
    for (int d = 0; d < days; ++d)
        out += std::string("<Day><Name>") + dayNames[d] + "</Name></Day>";
    out += "</Days_List>\n<Hours_List><Number_of_Hours>" + std::to_string(hours) +
           "</Number_of_Hours>";
    for (int h = 1; h <= hours; ++h)
        out += "<Hour><Name>" + std::to_string(h) + "</Name></Hour>";
    out += "</Hours_List>\n"
           "<Subjects_List><Subject><Name>M</Name></Subject><Subject><Name>D</Name></Subject>"
           "</Subjects_List>\n"
           "<Teachers_List><Teacher><Name>A</Name></Teacher><Teacher><Name>B</Name></Teacher>"
           "<Teacher><Name>Ελένη</Name></Teacher></Teachers_List>\n"
           "<Rooms_List><Room><Name>R1</Name></Room><Room><Name>R2</Name></Room></Rooms_List>\n"
           "<Students_List><Year><Name>5</Name><Group><Name>5a</Name>"
           "<Subgroup><Name>5a1</Name></Subgroup><Subgroup><Name>5a2</Name></Subgroup></Group>"
           "<Group><Name>5b</Name></Group></Year><Year><Name>6</Name></Year></Students_List>\n";
    return out + "<Activities_List>" + activities + "</Activities_List>\n<Time_Constraints_List>" +
           time + "</Time_Constraints_List>\n<Space_Constraints_List>" + space +
           "</Space_Constraints_List>\n</fet>\n";
}

// One activity; `teachers` and `students` separated by ",".
inline std::string Act(int id, const std::string& teachers, const std::string& subject,
                       const std::string& students, int duration = 1, int group = 0,
                       bool active = true) {
    std::string out = "<Activity>";
    const auto each = [&out](const std::string& list, const char* tag) {
        for (std::size_t at = 0; at < list.size();) {
            std::size_t end = list.find(',', at);
            if (end == std::string::npos) end = list.size();
            out += std::string("<") + tag + ">" + list.substr(at, end - at) + "</" + tag + ">";
            at = end + 1;
        }
    };
    each(teachers, "Teacher");
    out += "<Subject>" + subject + "</Subject>";
    each(students, "Students");
    return out + "<Duration>" + std::to_string(duration) + "</Duration><Id>" + std::to_string(id) +
           "</Id><Activity_Group_Id>" + std::to_string(group) + "</Activity_Group_Id><Active>" +
           (active ? "true" : "false") + "</Active></Activity>";
}

// A constraint of kind `type` with weight 100 and the given inner XML.
inline std::string Rule(const std::string& type, const std::string& inner, int weight = 100) {
    return "<" + type + "><Weight_Percentage>" + std::to_string(weight) + "</Weight_Percentage>" +
           inner + "<Active>true</Active></" + type + ">";
}

inline std::string Time(const char* day, const char* hour) {
    return std::string("<Not_Available_Time><Day>") + day + "</Day><Hour>" + hour +
           "</Hour></Not_Available_Time>";
}

inline ImportResult Import(const std::string& content, TempDir& dir) {
    const std::string path = dir.File("schule.fet");
    WriteFileBytes(path, content);
    DiskFileOps fs;
    return ImportFet(path, fs);
}

} // namespace sw::test
