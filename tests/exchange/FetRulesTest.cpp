// SPDX-License-Identifier: GPL-3.0-or-later
// The FET constraints that become rules of the school, one small file per group of constraints:
// the rules they set, the report lines they leave, and that no rule set can never be met.
#include "exchange/FetSample.h"
#include "model/Regeln.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sw {
namespace {

using test::Act;
using test::Fet;
using test::Rule;

constexpr int N = kKeineRegel;
constexpr ImportFate U = ImportFate::Uebernommen, A = ImportFate::Angenaehert,
                     W = ImportFate::Weggelassen;

struct Line {
    ImportFate fate;
    std::string what;
    std::string how;
    int count;
    std::string example = {}; // the first example, when given
};

ImportResult Imported(const std::string& file) {
    test::TempDir dir;
    ImportResult r = test::Import(file, dir);
    EXPECT_TRUE(r.outcome.Ok) << (r.outcome.Ok ? "" : r.outcome.Messages.front().Text);
    EXPECT_EQ(RegelProblem(r.data), std::nullopt);
    return r;
}

void ExpectLines(const ImportReport& report, const std::vector<Line>& lines) {
    for (const Line& l : lines) {
        SCOPED_TRACE(l.what + ": " + l.how);
        const auto& e = report.Entries();
        const auto it = std::find_if(e.begin(), e.end(), [&](const ImportEntry& x) {
            return x.Fate == l.fate && x.What == l.what && x.How == l.how;
        });
        ASSERT_NE(it, e.end());
        EXPECT_EQ(it->Count, l.count);
        if (!l.example.empty()) {
            EXPECT_EQ(it->Examples.front(), l.example);
        }
    }
}

std::string Tag(const std::string& tag, const std::string& value) {
    return "<" + tag + ">" + value + "</" + tag + ">";
}
std::string Tag(const std::string& tag, int value) {
    return Tag(tag, std::to_string(value));
}

std::string Times(const char* item, const char* day, const char* hour,
                  const std::vector<std::pair<const char*, const char*>>& slots) {
    std::string out;
    for (const auto& [d, h] : slots)
        out += Tag(item, Tag(day, d) + Tag(hour, h));
    return out;
}

std::string Starting(const std::vector<std::pair<const char*, const char*>>& slots) {
    return Times("Preferred_Starting_Time", "Preferred_Starting_Day", "Preferred_Starting_Hour",
                 slots);
}

std::string Starts(int activity, const std::vector<std::pair<const char*, const char*>>& slots) {
    return Rule("ConstraintActivityPreferredStartingTimes",
                Tag("Activity_Id", activity) + Starting(slots));
}

std::string Ids(const std::vector<int>& ids) {
    std::string out;
    for (int id : ids)
        out += Tag("Activity_Id", id);
    return out;
}

TEST(FetRules, TeacherLimits) {
    // A constraint for teacher `t` ("": every teacher) with one number.
    const auto rule = [](const char* type, const std::string& t, const char* tag, int n,
                         const std::string& more = {}, int weight = 100) {
        return Rule(type, (t.empty() ? "" : Tag("Teacher_Name", t)) + Tag(tag, n) + more, weight);
    };
    const auto window = [&](const char* t, const char* from, const char* to, int days) {
        return rule("ConstraintTeacherIntervalMaxDaysPerWeek", t, "Max_Days_Per_Week", days,
                    Tag("Interval_Start_Hour", from) + Tag("Interval_End_Hour", to));
    };
    const char* hours = "Maximum_Hours_Daily";
    const ImportResult r = Imported(Fet(
        Act(1, "A", "M", "5b", 2) + Act(2, "B", "D", "6") + Act(3, "Ελένη", "D", "5a1", 2),
        rule("ConstraintTeachersMaxHoursDaily", "", hours, 5) +
            rule("ConstraintTeacherMaxHoursDaily", "A", hours, 4) +
            rule("ConstraintTeacherMaxHoursDaily", "Ελένη", hours, 1) +
            rule("ConstraintTeacherMaxHoursDaily", "B", hours, 2, {}, 90) +
            rule("ConstraintTeacherMinHoursDaily", "A", "Minimum_Hours_Daily", 2,
                 Tag("Allow_Empty_Days", "true")) +
            rule("ConstraintTeachersMinHoursDaily", "", "Minimum_Hours_Daily", 2,
                 Tag("Allow_Empty_Days", "false")) +
            rule("ConstraintTeacherMaxGapsPerDay", "B", "Max_Gaps", 1) +
            rule("ConstraintTeachersMaxGapsPerWeek", "", "Max_Gaps", 3) +
            rule("ConstraintTeacherMaxHoursContinuously", "A", "Maximum_Hours_Continuously", 3) +
            rule("ConstraintTeacherMaxDaysPerWeek", "A", "Max_Days_Per_Week", 4) +
            rule("ConstraintTeachersMaxDaysPerWeek", "", "Max_Days_Per_Week", 5) +
            rule("ConstraintTeacherMinDaysPerWeek", "B", "Minimum_Days_Per_Week", 2) +
            window("A", "5", "", 2) + window("B", "2", "4", 1) + window("B", "1", "3", 1)));

    // max, min hours; gaps per day, per week; in a row; max, min days; window from, to, days
    const std::vector<std::array<int, 10>> expected = {{4, 2, N, 3, 3, 4, N, 5, 6, 2},
                                                       {5, 2, 1, 3, N, N, 2, 2, 3, 1},
                                                       {5, 2, N, 3, N, N, N, N, N, N}};
    ASSERT_EQ(r.data.Lehrer.size(), expected.size());
    for (std::size_t t = 0; t < expected.size(); ++t) {
        const CLehrerRegeln& g = r.data.Lehrer[t].Regeln;
        EXPECT_EQ((std::array<int, 10>{g.MaxStundenProTag, g.MinStundenProTag, g.MaxLueckenProTag,
                                       g.MaxLueckenProWoche, g.MaxInFolge, g.MaxTage, g.MinTage,
                                       g.FensterVon, g.FensterBis, g.FensterMaxTage}),
                  expected[t])
            << r.data.Lehrer[t].Name;
    }
    ExpectLines(r.report,
                {{W, "ConstraintTeacherMaxHoursDaily", "kann nie erfüllt werden", 1,
                  "Die Regel „höchstens 1 Stunde am Tag“ des Lehrers „Lehrer 3“ kann nie erfüllt "
                  "werden: eine Einheit (Unterricht „Lehrer 3 / 5a1 / D“) ist 2 Stunden lang."},
                 {W, "ConstraintTeacherMaxHoursDaily",
                  "ein Wunsch (Gewicht unter 100 %), keine feste Regel", 1},
                 {A, "ConstraintTeachersMinHoursDaily",
                  "als Regel des Lehrers; gilt nur an Tagen mit Unterricht, ein freier Tag bleibt "
                  "erlaubt",
                  1},
                 {W, "ConstraintTeachersMaxDaysPerWeek", "schränkt in dieser Woche nichts ein", 1},
                 {W, "ConstraintTeacherIntervalMaxDaysPerWeek",
                  "Stundenwerk kennt nur ein Zeitfenster je Lehrer", 1, "B"}});
}

TEST(FetRules, StudentLimits) {
    // A constraint for the students `set` ("": all students) with one number.
    const auto rule = [](const char* type, const std::string& set, const char* tag, int n) {
        return Rule(type, Tag(tag, n) + (set.empty() ? "" : Tag("Students", set)));
    };
    const ImportResult r = Imported(Fet(
        Act(1, "A", "M", "5a1") + Act(2, "B", "D", "5a2") + Act(3, "A", "D", "5b") +
            Act(4, "B", "M", "6", 2),
        rule("ConstraintStudentsSetMaxHoursDaily", "5a", "Maximum_Hours_Daily", 4) +
            rule("ConstraintStudentsMaxHoursDaily", "", "Maximum_Hours_Daily", 5) +
            rule("ConstraintStudentsSetMinHoursDaily", "5b", "Minimum_Hours_Daily", 2) +
            rule("ConstraintStudentsMaxGapsPerDay", "", "Max_Gaps", 1) +
            rule("ConstraintStudentsSetMaxGapsPerWeek", "6", "Max_Gaps", 2) +
            rule("ConstraintStudentsMaxHoursContinuously", "", "Maximum_Hours_Continuously", 3) +
            rule("ConstraintStudentsSetMaxHoursContinuously", "6", "Maximum_Hours_Continuously",
                 1) +
            rule("ConstraintStudentsSetMaxGapsPerDay", "5b", "Max_Gaps", 7)));

    const std::vector<std::pair<const char*, std::array<int, 5>>> expected = {
        {"5a1", {4, N, 1, N, 3}},
        {"5a2", {4, N, 1, N, 3}},
        {"5b", {5, 2, 1, N, 3}},
        {"6", {5, N, 1, 2, 3}}};
    for (const auto& [name, rules] : expected) {
        const int k = r.data.FindKlasse(name);
        ASSERT_GE(k, 0) << name;
        const CTagesRegeln& g = r.data.Klassen[static_cast<std::size_t>(k)].Regeln;
        EXPECT_EQ((std::array<int, 5>{g.MaxStundenProTag, g.MinStundenProTag, g.MaxLueckenProTag,
                                      g.MaxLueckenProWoche, g.MaxInFolge}),
                  rules)
            << name;
    }
    ExpectLines(
        r.report,
        {{A, "ConstraintStudentsSetMinHoursDaily",
          "als Regel der Klasse; gilt nur an Tagen mit Unterricht, ein freier Tag bleibt "
          "erlaubt",
          1},
         {W, "ConstraintStudentsSetMaxHoursContinuously", "kann nie erfüllt werden", 1,
          "Die Regel „höchstens 1 Stunde in Folge“ der Klasse „6“ kann nie erfüllt "
          "werden: eine Einheit (Unterricht „B / 6 / M“) ist 2 Stunden lang."},
         {W, "ConstraintStudentsSetMaxGapsPerDay", "schränkt in dieser Woche nichts ein", 1}});
}

TEST(FetRules, BreaksBecomeBreaksOfTheSchool) {
    std::vector<std::pair<const char*, const char*>> breaks = {{"Fr", "6"}, {"Di", "6"}};
    for (const char* day : {"Mo", "Di", "Mi", "Do", "Fr"})
        breaks.emplace_back(day, "4");
    // Activity 1 is fixed at Tuesday's 6th hour, which the file also calls a break.
    const ImportResult r =
        Imported(Fet(Act(1, "A", "M", "5b") + Act(2, "B", "D", "6"),
                     Rule("ConstraintBreakTimes", Times("Break_Time", "Day", "Hour", breaks)) +
                         Rule("ConstraintActivityPreferredStartingTime",
                              Ids({1}) + Tag("Preferred_Day", "Di") + Tag("Preferred_Hour", 6))));
    EXPECT_EQ(r.data.Angaben.Stunden, 5);
    EXPECT_EQ(r.data.Angaben.Pausen, std::vector<int>{SlotOf(4, 5)});
    for (const CLehrer& l : r.data.Lehrer)
        EXPECT_EQ(l.Sperre[SlotOf(1, 5)] + l.Sperre[SlotOf(4, 5)], 1) << l.Name;
    for (const CKlasse& k : r.data.Klassen)
        EXPECT_EQ(k.Sperre[SlotOf(1, 5)] + k.Sperre[SlotOf(4, 5)], 1) << k.Name;
    ExpectLines(r.report,
                {{U, "ConstraintBreakTimes", "als Pausen der Schule", 1},
                 {A, "ConstraintBreakTimes", "als Sperre aller Lehrer und Klassen", 1,
                  "Die Regel „Pause Di 5“ der Schule kann nie erfüllt werden: eine Einheit "
                  "(Unterricht „A / 5b / M“) ist dann festgelegt."},
                 {A, "Pausen", "als gestrichene Stunde (an jedem Tag Pause)", 1}});
}

TEST(FetRules, StartingTimesEndsAndDaysApart) {
    const ImportResult r = Imported(
        Fet(Act(1, "A", "M", "5b", 1, 1) + Act(2, "A", "M", "5b", 1, 1) + Act(3, "B", "D", "6", 2) +
                Act(4, "A", "D", "5a1") + Act(5, "B", "M", "5a2", 1, 5) +
                Act(6, "B", "M", "5a2", 1, 5) + Act(7, "Ελένη", "D", "6"),
            Starts(1, {{"Mo", "1"}, {"Di", "1"}, {"Mi", "1"}}) +
                Starts(2, {{"Di", "1"}, {"Mi", "1"}, {"Do", "1"}}) +
                Rule("ConstraintActivityPreferredTimeSlots",
                     Ids({3}) + Times("Preferred_Time_Slot", "Preferred_Day", "Preferred_Hour",
                                      {{"Mo", "1"}, {"Mo", "2"}, {"Mo", "3"}, {"Di", "2"}})) +
                Rule("ConstraintActivitiesPreferredStartingTimes",
                     Tag("Students_Name", "5a1") + Starting({{"Fr", "6"}})) +
                Rule("ConstraintSubactivitiesPreferredStartingTimes",
                     Tag("Component_Number", 2) + Tag("Teacher_Name", "B") +
                         Tag("Subject_Name", "M") + Starting({{"Mo", "3"}, {"Di", "3"}})) +
                Starts(7, {{"Mo", "1"}}) + Starts(7, {{"Di", "1"}}) +
                Rule("ConstraintActivityEndsStudentsDay", Ids({4})) +
                Rule("ConstraintActivitiesEndStudentsDay",
                     Tag("Teacher_Name", "B") + Tag("Subject_Name", "M")) +
                Rule("ConstraintMinDaysBetweenActivities", Ids({1, 2}) + "<MinDays>2</MinDays>") +
                Rule("ConstraintMinDaysBetweenActivities", Ids({5, 6}) + "<MinDays>9</MinDays>")));

    struct Row {
        const char* key;
        std::vector<int> times;
        int apart;
        Flag end;
        Flag trennung;
    };
    // Units with different sets share every time one of them may take; a unit without a set
    // leaves the lesson without one.
    const std::vector<Row> rows = {
        {"A / 5b / M", {SlotOf(0, 1), SlotOf(1, 1), SlotOf(2, 1), SlotOf(3, 1)}, 2, 0, 1},
        {"B / 6 / D", {SlotOf(0, 1), SlotOf(0, 2)}, 0, 0, 0},
        {"A / 5a1 / D", {SlotOf(4, 6)}, 0, 1, 0},
        {"B / 5a2 / M", {}, 0, 1, 1},
        {"Lehrer 3 / 6 / D", {}, 0, 0, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        const int i = r.data.FindFachBlock(row.key);
        ASSERT_GE(i, 0);
        const CFachBlock& b = r.data.FachBloecke[static_cast<std::size_t>(i)].Block;
        EXPECT_EQ(b.Regeln.ErlaubteZeiten, row.times);
        EXPECT_EQ(b.Regeln.MinTageAbstand, row.apart);
        EXPECT_EQ(b.Regeln.Tagesende, row.end);
        EXPECT_EQ(b.Trennung, row.trennung);
    }
    const std::string shared = "als erlaubte Anfangszeiten aller Einheiten des Unterrichts (jede "
                               "Zeit, die einer der Einheiten erlaubt ist)";
    ExpectLines(
        r.report,
        {{A, "ConstraintActivityPreferredStartingTimes", shared, 2},
         {W, "ConstraintActivityPreferredStartingTimes",
          "zu wenige erlaubte Zeiten für die Einheiten", 2},
         {U, "ConstraintActivityPreferredTimeSlots", "als erlaubte Anfangszeiten des Unterrichts",
          1},
         {W, "ConstraintSubactivitiesPreferredStartingTimes",
          "nur einige Einheiten des Unterrichts haben erlaubte Zeiten; Stundenwerk kennt erlaubte "
          "Zeiten nur für alle Einheiten",
          1},
         {U, "ConstraintMinDaysBetweenActivities", "als Mindestabstand der Einheiten", 1},
         {A, "ConstraintMinDaysBetweenActivities",
          "als Trennung: Ziel der Optimierung, keine feste Regel; 9 Tage Abstand als verschiedene "
          "Tage",
          1,
          "Die Regel „Tage zwischen den Einheiten“ (Unterricht „B / 5a2 / M“) hat den Wert 9; "
          "erlaubt ist 1 bis 6."}});
}

// Days apart for two of three alike units: kept exactly when the rule over all units implies
// it (three units on different days always hold two of them two days apart), otherwise
// widened to every unit (no rule over all units of B).
TEST(FetRules, DaysApartForSomeUnits) {
    const auto three = [](int first, const char* teacher, const char* subject,
                          const char* students) {
        return Act(first, teacher, subject, students, 1, first) +
               Act(first + 1, teacher, subject, students, 1, first) +
               Act(first + 2, teacher, subject, students, 1, first);
    };
    const auto apart = [](std::vector<int> ids, int days) {
        return Rule("ConstraintMinDaysBetweenActivities",
                    Ids(ids) + "<MinDays>" + std::to_string(days) + "</MinDays>");
    };
    const ImportResult r = Imported(Fet(three(1, "A", "M", "5a1") + three(4, "B", "D", "5a2"),
                                        apart({1, 2, 3}, 1) + apart({1, 2}, 2) + apart({4, 5}, 2)));
    for (const auto& [key, days] : {std::pair{"A / 5a1 / M", 1}, std::pair{"B / 5a2 / D", 2}}) {
        SCOPED_TRACE(key);
        const int i = r.data.FindFachBlock(key);
        ASSERT_GE(i, 0);
        EXPECT_EQ(r.data.FachBloecke[static_cast<std::size_t>(i)].Block.Regeln.MinTageAbstand,
                  days);
    }
    ExpectLines(r.report, {{U, "ConstraintMinDaysBetweenActivities",
                            "als Mindestabstand der Einheiten; folgt hier aus dem Abstand aller "
                            "Einheiten des Unterrichts",
                            1},
                           {A, "ConstraintMinDaysBetweenActivities",
                            "als Mindestabstand der Einheiten; gilt hier für alle Einheiten des "
                            "Unterrichts",
                            1}});
}

TEST(FetRules, RelationsBetweenLessons) {
    const ImportResult r = Imported(
        Fet(Act(1, "A", "M", "5a1") + Act(2, "B", "D", "5a2") + Act(3, "A", "D", "5b") +
                Act(4, "B", "M", "6") + Act(5, "A", "M", "6", 1, 5) + Act(6, "A", "M", "6", 1, 5) +
                Act(7, "B", "D", "6", 1, 7) + Act(8, "B", "D", "6", 1, 7),
            Rule("ConstraintActivitiesNotOverlapping", Ids({1, 2})) +
                Rule("ConstraintActivitiesSameStartingDay", Ids({3, 4})) +
                Rule("ConstraintTwoActivitiesConsecutive",
                     Tag("First_Activity_Id", 1) + Tag("Second_Activity_Id", 3)) +
                Rule("ConstraintTwoActivitiesConsecutive",
                     Tag("First_Activity_Id", 5) + Tag("Second_Activity_Id", 6)) +
                Rule("ConstraintActivitiesSameStartingTime", Ids({5, 7})) +
                Rule("ConstraintActivitiesNotOverlapping", Ids({6, 8}))));

    const auto rel = [](BeziehungsArt art, const char* a, const char* b) {
        return CBeziehung{art, {{0, a}, {0, b}}};
    };
    EXPECT_EQ(
        r.data.Beziehungen,
        (std::vector<CBeziehung>{rel(BeziehungsArt::NieGleichzeitig, "A / 5a1 / M", "B / 5a2 / D"),
                                 rel(BeziehungsArt::GleicherTag, "A / 5b / D", "B / 6 / M"),
                                 rel(BeziehungsArt::Direktfolge, "A / 5a1 / M", "A / 5b / D"),
                                 rel(BeziehungsArt::NieGleichzeitig, "A / 6 / M", "B / 6 / D")}));
    ExpectLines(r.report,
                {{U, "ConstraintActivitiesNotOverlapping", "als Beziehung der Unterrichte", 1},
                 {A, "ConstraintActivitiesNotOverlapping",
                  "als Beziehung der Unterrichte; gilt für alle ihre Einheiten", 1},
                 {W, "ConstraintTwoActivitiesConsecutive", "betrifft nur einen Unterricht", 1},
                 {W, "ConstraintActivitiesSameStartingTime", "kann nie erfüllt werden", 1,
                  "Die Regeln für A / 6 / M und B / 6 / D widersprechen sich: gleichzeitig und "
                  "nie gleichzeitig."}});
}

} // namespace
} // namespace sw
