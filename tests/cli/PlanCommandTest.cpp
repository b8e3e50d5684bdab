// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/PlanFile.h"
#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "support/Disk.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sw {
namespace {

using test::AddBlock;
using test::AddCourse;
using test::MakeSchool;

struct Split {
    int status = -1;
    std::string out, err;
};

// Runs the tool with stdout and stderr kept apart. Unless the arguments name stages, only the
// initial plan is made.
Split RunPlan(const test::TempDir& dir, const std::string& args) {
    const std::string errFile = dir.File("stderr.txt");
    const bool stages = args.find("--stages") != std::string::npos;
    const std::string cmd = std::string(STUNDENWERK_BINARY_DIR) + "/stundenwerk plan " +
                            (stages ? "" : "--stages= ") + args + " 2>" + errFile;
    Split run;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) return run;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe))
        run.out.append(buf, n);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.err = test::ReadFileBytes(errFile);
    return run;
}

bool HasPart(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Save(const test::TempDir& dir, const Stammdaten& s, const std::string& name) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(SaveProject(s, path, DefaultFileOps()).Ok);
    return path;
}

TEST(PlanCommand, PlansTheExampleSchoolReproducibly) {
    test::TempDir dir;
    const std::string school = test::SourcePath("examples/gymnasium.sch");
    const Split a = RunPlan(dir, school + " -o " + dir.File("a.pdt") + " --seed 1 --jobs 1");
    ASSERT_EQ(a.status, 0) << a.out << a.err;
    // One attempt is counted in the singular.
    EXPECT_TRUE(HasPart(a.out, "Urplan:                               1 Versuch / Rest = 0\n"))
        << a.out;
    EXPECT_TRUE(HasPart(a.out, "Startwert:                            1\n")) << a.out;
    EXPECT_TRUE(HasPart(a.out, "Nicht gesetzte Stunden:               0\n")) << a.out;
    EXPECT_FALSE(HasPart(a.err, "\r")); // no terminal: no line per attempt
    const test::ToolRun check = test::RunTool("check " + dir.File("a.pdt"));
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_TRUE(HasPart(check.out, "Der Plan ist in sich stimmig."));

    const Split b = RunPlan(dir, school + " --seed=1 --jobs=1 --json -o " + dir.File("b.pdt"));
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_EQ(test::ReadFileBytes(dir.File("a.pdt")), test::ReadFileBytes(dir.File("b.pdt")));
    EXPECT_TRUE(HasPart(b.out, "\"valid\": true")) << b.out;
    EXPECT_TRUE(HasPart(b.out, "\"unplaced\": 0"));
    EXPECT_TRUE(HasPart(b.out, "\"complete\": true, \"tries\": "));
    EXPECT_TRUE(
        HasPart(b.out, "\"rest\": 0, \"seed\": 1, \"interrupted\": false, \"stages\": []}"));
}

TEST(PlanCommand, SeveralRunsKeepTheBestAndPrintItsStages) {
    test::TempDir dir;
    const std::string school = test::SourcePath("examples/gymnasium.sch");
    const std::string args =
        school + " --seed 4 --jobs 3 --stages 2 --stage-passes 2 --stage-seconds 600 -o ";
    const Split a = RunPlan(dir, args + dir.File("a.pdt"));
    ASSERT_EQ(a.status, 0) << a.out << a.err;
    EXPECT_TRUE(HasPart(a.out, "Läufe:                               3 (der beste mit Startwert "))
        << a.out;
    const auto first = a.out.find("Stufe 2: ");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(a.out.find("Stufe 2: ", first + 1), std::string::npos) << "the best run's stages";
    EXPECT_EQ(test::RunTool("check " + dir.File("a.pdt")).status, 0);
    // The runs are reproducible: the same seeds keep the same best plan.
    ASSERT_EQ(RunPlan(dir, args + dir.File("b.pdt")).status, 0);
    EXPECT_EQ(test::ReadFileBytes(dir.File("a.pdt")), test::ReadFileBytes(dir.File("b.pdt")));
    for (const char* bad : {" --jobs 0", " --jobs x", " --jobs 1000"})
        EXPECT_EQ(RunPlan(dir, school + bad).status, 2) << bad;
}

TEST(PlanCommand, StagesRunInOrderAndContinueFromASavedPlan) {
    test::TempDir dir;
    const std::string school = test::SourcePath("examples/gymnasium.sch");
    const std::string limits = " --seed 7 --stage-passes 3 --stage-seconds 600";
    const Split a = RunPlan(dir, school + limits + " --stages 2,4,5 -o " + dir.File("a.pdt"));
    ASSERT_EQ(a.status, 0) << a.out << a.err;
    EXPECT_TRUE(HasPart(a.out, "Stufe 2: ")) << a.out;
    EXPECT_TRUE(HasPart(a.out, "Stufe 4: "));
    EXPECT_TRUE(HasPart(a.out, "Stufe 5: "));
    EXPECT_FALSE(HasPart(a.out, "Stufe 3: "));
    // With a pass limit instead of a time budget the run is reproducible.
    const Split b = RunPlan(dir, school + limits + " --stages 2,4,5 -o " + dir.File("b.pdt"));
    ASSERT_EQ(b.status, 0);
    EXPECT_EQ(test::ReadFileBytes(dir.File("a.pdt")), test::ReadFileBytes(dir.File("b.pdt")));
    // Continue from the saved plan with stage 6, JSON out.
    const Split c = RunPlan(dir, "--plan " + dir.File("a.pdt") + limits + " --stages 6 --json -o " +
                                     dir.File("c.pdt"));
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_TRUE(HasPart(c.out, "\"stages\": [{\"stage\": 6, \"seconds\": ")) << c.out;
    EXPECT_TRUE(HasPart(c.out, "\"passes\": ")) << c.out;
    EXPECT_TRUE(HasPart(c.out, "\"valid\": true"));
    EXPECT_EQ(test::RunTool("check " + dir.File("c.pdt")).status, 0);
    // Bad stage lists.
    for (const char* bad : {" --stages 1", " --stages 2,x", " --stages 7"})
        EXPECT_EQ(RunPlan(dir, school + bad).status, 2) << bad;
    EXPECT_EQ(RunPlan(dir, "--plan " + dir.File("a.pdt") + " " + school).status, 2);
}

// A saved plan takes the loosened limit options, in one run and in several, and is saved with
// them; the options of the initial plan are refused, not ignored.
TEST(PlanCommand, ASavedPlanTakesTheLimitOptionsAndRefusesThoseOfTheInitialPlan) {
    test::TempDir dir;
    const std::string school = test::SourcePath("examples/gymnasium.sch");
    const std::string a = dir.File("a.pdt");
    ASSERT_EQ(RunPlan(dir, school + " --seed 1 --jobs 1 -o " + a).status, 0);
    const auto flags = [](const std::string& path) {
        CapturingReporter rep;
        const PlanReadResult r = ReadPlanFile(path, DefaultFileOps(), rep);
        EXPECT_TRUE(r.outcome.Ok) << path;
        if (!r.plan) return std::string();
        const CPlan& p = *r.plan;
        return std::to_string(p.Flags().KursUeberStundenLimit) +
               std::to_string(p.Flags().MehrfachKursUeberStundenLimit) +
               std::to_string(p.Flags().MehrfachUeberStundenLimit) +
               std::to_string(p.Flags().AbbruchErsteStunde);
    };
    ASSERT_EQ(flags(a), "0001");
    const std::string stages = " --stages 2 --stage-passes 1 --seed 2 -o ";
    const Split one =
        RunPlan(dir, "--plan " + a + " --allow-course-over-limit" + stages + dir.File("b.pdt"));
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_TRUE(HasPart(one.out, "Stufe 2: ")) << one.out;
    EXPECT_EQ(flags(dir.File("b.pdt")), "1001");
    // A flag the plan already carries stays on; several runs each take the options.
    const Split two = RunPlan(dir, "--plan " + dir.File("b.pdt") +
                                       " --allow-multi-course-over-limit --allow-multi-over-limit "
                                       "--jobs 2" +
                                       stages + dir.File("c.pdt"));
    ASSERT_EQ(two.status, 0) << two.err;
    EXPECT_TRUE(
        HasPart(two.out, "Läufe:                               2 (der beste mit Startwert "))
        << two.out;
    EXPECT_EQ(flags(dir.File("c.pdt")), "1111");

    for (const char* option : {"--tries 5", "--strict-first-hour"}) {
        const Split r = RunPlan(dir, "--plan " + a + " " + option + " -o " + dir.File("d.pdt"));
        EXPECT_EQ(r.status, 2) << option;
        const std::string name = std::string(option).substr(0, std::string(option).find(' '));
        EXPECT_EQ(r.err, name + " gilt nur für einen neuen Plan: mit --plan wird kein Urplan "
                                "erzeugt, es laufen nur die Stufen.\n");
        EXPECT_FALSE(std::filesystem::exists(dir.File("d.pdt")));
    }
}

TEST(PlanCommand, BadArgumentsShowTheUsage) {
    test::TempDir dir;
    const std::string school = test::SourcePath("examples/gymnasium.sch");
    for (const std::string& args :
         {std::string(""), school + " --tries", school + " --tries abc", school + " --tries 0",
          school + " --seed -1", school + " --seed 99999999999", school + " " + school,
          school + " --unknown", school + " -o", school + " --json=1"}) {
        const Split r = RunPlan(dir, args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(HasPart(r.err, "Aufruf: stundenwerk plan SCHULE.sch|SCHULE.sdt")) << args;
    }
    const Split missing = RunPlan(dir, dir.File("fehlt.sch"));
    EXPECT_EQ(missing.status, 2);
}

TEST(PlanCommand, SchoolWithoutLessonsIsRefused) {
    test::TempDir dir;
    const std::string path = Save(dir, MakeSchool(5, 6, 1, 1, 1, 1), "leer.sch");
    const Split r = RunPlan(dir, path + " -o " + dir.File("p.pdt"));
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(HasPart(r.err, "Fehler: Es wurde noch kein Unterricht definiert!\n")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("p.pdt")));
}

TEST(PlanCommand, BlockedHourIsNamedAndThePlanWrittenOnlyWhenAsked) {
    test::TempDir dir;
    Stammdaten s = MakeSchool(5, 6, 2, 1, 1, 2);
    s.Raeume[1].FachTyp = {0, 1, 0};
    s.Raeume[1].Faecher = {"F1"};
    s.Raeume[1].Sperre[SlotOf(1, 2)] = 1;
    AddBlock(s, "L0", "K0", "F1", {1}).Einheiten[0].Zeitvorgabe = SlotOf(1, 2);
    AddBlock(s, "L0", "K0", "F0", {1, 1});
    const std::string path = Save(dir, s, "gesperrt.sch");
    // The fixed hour blocks in the second phase; the rest counts every hour left unplaced.

    const Split r = RunPlan(dir, path + " --tries 5 --seed 3 --no-repair");
    EXPECT_EQ(r.status, 3) << r.out << r.err;
    EXPECT_TRUE(HasPart(r.out, "5 Versuche / Rest = 3\n")) << r.out;
    EXPECT_TRUE(HasPart(r.err,
                        "Kein vollständiger Plan nach 5 Versuchen (bester Versuch: Rest = 3).\n"
                        "Konflikt:  Sperrung\n"
                        "  Lehrer:    L0\n"
                        "  Fach/Kurs: F1\n"
                        "  Klasse:    K0\n"
                        "  Raum:      R1\n"))
        << r.err;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_NE(entry.path().extension(), ".pdt"); // no plan without -o

    const Split w = RunPlan(dir, path + " --tries 2 --no-repair --json -o " + dir.File("teil.pdt"));
    EXPECT_EQ(w.status, 3);
    EXPECT_TRUE(HasPart(w.out, "\"complete\": false, \"tries\": 2, \"rest\": 3")) << w.out;
    EXPECT_TRUE(HasPart(w.out,
                        "\"conflict\": {\"caption\": \"Konflikt:  Sperrung\", \"Lehrer\": "
                        "\"L0\", \"FachKurs\": \"F1\", \"Klasse\": \"K0\", \"Raum\": \"R1\", "
                        "\"Stunde\": \"L0 / K0 / F1\"}"))
        << w.out;
    const test::ToolRun check = test::RunTool("check --json " + dir.File("teil.pdt"));
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_TRUE(HasPart(check.out, "\"unplaced\": 3")) << check.out;

    // The search places every hour but the fixed one that can stand nowhere, and gives up on it.
    const Split g = RunPlan(dir, path + " --tries 3 --seed 3");
    EXPECT_EQ(g.status, 3) << g.err;
    EXPECT_TRUE(HasPart(g.out, "3 Versuche / Rest = 1\n")) << g.out;
}

struct Signalled {
    int status = -1; // exit status, -1 when a signal ended the tool
    std::string out, err;
};

// Runs `stundenwerk plan ARGS` in a child, sends it `signal` `times` times in a row (as `timeout`
// does: to the tool and to its process group) once it handles the signal and has had time for
// some attempts, and waits for it to end.
Signalled PlanUntilSignal(const test::TempDir& dir, const std::vector<std::string>& args,
                          int signal, int times) {
    const std::string outFile = dir.File("stdout.txt");
    const std::string errFile = dir.File("stderr.txt");
    const std::string tool = std::string(STUNDENWERK_BINARY_DIR) + "/stundenwerk";
    std::vector<const char*> argv{"stundenwerk", "plan"};
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    argv.push_back(nullptr);
    Signalled run;
    const pid_t pid = fork();
    if (pid < 0) return run;
    if (pid == 0) {
        const int o = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(o, 1);
        dup2(e, 2);
        execv(tool.c_str(), const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    // On a busy machine the tool can take a while to take the signal over.
    const auto handles = [pid, signal] {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("SigCgt:", 0) == 0)
                return (std::stoull(line.substr(7), nullptr, 16) & (1ull << (signal - 1))) != 0;
        return false;
    };
    for (int i = 0; i < 6000 && !handles(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    for (int i = 0; i < times; ++i)
        kill(pid, signal);
    int raw = 0;
    if (waitpid(pid, &raw, 0) != pid) return run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = test::ReadFileBytes(outFile);
    run.err = test::ReadFileBytes(errFile);
    return run;
}

// What no attempt could ever place is said before the first attempt, with the switch that helps.
TEST(PlanCommand, WhatCanNeverFitIsSaidBeforeTheFirstAttempt) {
    test::TempDir dir;
    Stammdaten s = MakeSchool(5, 6, 2, 1, 1, 2);
    AddBlock(s, "L0", "K0", "F0", {2}); // two hours a week: the class's hour limit is 1
    const std::string path = Save(dir, s, "doppel.sch");
    const Split r = RunPlan(dir, path + " --tries 2 --seed 1 --jobs 2");
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err.rfind("Warnung: F0 der Klasse K0 (L0, 2 Stunden am Stück) passt zu keiner "
                          "Zeit der Woche. Abhilfe: --allow-multi-over-limit.\n",
                          0),
              0u)
        << r.err;
    const Split ok = RunPlan(dir, path + " --tries 2 --seed 1 --allow-multi-over-limit");
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_FALSE(HasPart(ok.err, "Warnung:")) << ok.err;
}

// Ctrl-C during the initial plan killed the run with nothing written (exit 130). It is "Halt" in
// every phase now: the attempt in progress ends, and the best attempt is written and reported
// as incomplete (exit 3). The school cannot be planned: one teacher has three free slots.
TEST(PlanCommand, CtrlCDuringTheInitialPlanWritesTheBestAttempt) {
    test::TempDir dir;
    const std::string school = test::SourcePath("tests/cli/data/unplanbar.sch");
    const std::string plan = dir.File("teil.pdt");
    const Signalled r = PlanUntilSignal(
        dir, {school, "--tries", "2000000000", "--seed", "3", "--json", "-o", plan}, SIGINT, 1);
    const std::string& out = r.out;
    EXPECT_EQ(r.status, 3) << out;
    const std::string& err = r.err;
    EXPECT_TRUE(HasPart(err, "Abgebrochen (Strg-C) nach ")) << err;
    EXPECT_TRUE(HasPart(err, "Kein vollständiger Plan nach ")) << err;
    EXPECT_TRUE(HasPart(out, "\"complete\": false")) << out;
    EXPECT_TRUE(HasPart(out, "\"interrupted\": true")) << out;
    // The best attempt placed all but the hours of the blocked teacher.
    const test::ToolRun check = test::RunTool("check --json " + plan);
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_TRUE(HasPart(check.out, "\"placed\": 12, \"unplaced\": 4")) << check.out;
    // Continuing from the incomplete plan says why no stage runs.
    const Split more = RunPlan(dir, "--plan " + plan + " --stages 2");
    EXPECT_EQ(more.status, 3) << more.err;
    EXPECT_TRUE(HasPart(more.err, "Der Plan ist unvollständig: 4 Stunden sind nicht gesetzt; die "
                                  "Stufen laufen nur auf einem vollständigen Plan.\n"))
        << more.err;
}

// SIGTERM (`timeout`, which sends it twice) and SIGHUP ended the tool with nothing written. They
// are "Halt" as Ctrl-C is, whatever the number of runs on threads; no temporary file is left.
TEST(PlanCommand, TerminationSignalsAreHaltToo) {
    const std::tuple<int, int, const char*, std::string> cases[] = {
        {SIGTERM, 2, "2", "SIGTERM"}, {SIGHUP, 2, "1", "SIGHUP"}, {SIGINT, 1, "4", "Strg-C"}};
    for (const auto& [signal, times, jobs, name] : cases) {
        test::TempDir dir;
        const Signalled r = PlanUntilSignal(dir,
                                            {test::SourcePath("tests/cli/data/unplanbar.sch"),
                                             "--tries", "2000000000", "--seed", "3", "--json",
                                             "--jobs", jobs, "-o", dir.File("teil.pdt")},
                                            signal, times);
        EXPECT_EQ(r.status, 3) << name << r.err;
        EXPECT_TRUE(HasPart(r.err, "Abgebrochen (" + name + ") nach ")) << r.err;
        EXPECT_TRUE(HasPart(r.out, "\"interrupted\": true")) << r.out;
        EXPECT_TRUE(HasPart(test::RunTool("check --json " + dir.File("teil.pdt")).out,
                            "\"placed\": 12, \"unplaced\": 4"))
            << name;
        EXPECT_EQ(test::Names(dir),
                  (std::set<std::string>{"teil.pdt", "stdout.txt", "stderr.txt"}));
    }
}

// With several runs the chosen run's session reported into the run's own capture: a failed save
// ended the tool with status 2 and not a word. Every failure is reported, whatever the runs.
TEST(PlanCommand, AFailedSaveIsReportedWhateverTheNumberOfRuns) {
    test::TempDir dir;
    const std::string school = test::SourcePath("examples/gymnasium.sch");
    const std::string target = dir.File("fehlt/x.pdt");
    for (const char* jobs : {"1", "2", "3"}) {
        const Split r = RunPlan(dir, school + " --seed 1 --jobs " + jobs + " -o " + target);
        EXPECT_EQ(r.status, 2) << jobs;
        EXPECT_TRUE(
            HasPart(r.err, "Dateifehler: Fehler beim Speichern der Datei:\n" + target + "\n"))
            << jobs << ": " << r.err;
    }
}

TEST(PlanCommand, PlanOptionFlags) {
    test::TempDir dir;
    // The refused runs go without the search, which would only fail more slowly: the limits
    // alone decide whether a plan can be complete.
    // Two double lessons for a class of four hours: its hour limit is 1.
    Stammdaten doubles = MakeSchool(5, 6, 2, 1, 1, 1);
    AddBlock(doubles, "L0", "K0", "F0", {2, 2});
    const std::string d = Save(dir, doubles, "doppel.sch");
    Split r = RunPlan(dir, d + " --tries 3 --no-repair");
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(HasPart(r.err, "Konflikt:  Zeit\n  Klasse:    K0\n  Stunde:    L0 / K0 / F0\n"))
        << r.err;
    EXPECT_EQ(RunPlan(dir, d + " --tries 50 --allow-multi-over-limit").status, 0);
    r = RunPlan(dir, d + " --tries 3 --no-repair --allow-multi-over-limit --strict-first-hour");
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(
        HasPart(r.err, "(bester Versuch: Rest = -1).\nKonflikt:  Erste Stunde\n  Klasse:    K0\n"))
        << r.err;

    // A double course unit over the limit, and single course hours that cannot use hour 1.
    Stammdaten course = MakeSchool(5, 6, 2, 2, 1, 1);
    AddCourse(course, "Kurs", {"L0", "L1"}, {"K0"}, {2});
    const std::string c = Save(dir, course, "kurs.sch");
    EXPECT_EQ(RunPlan(dir, c + " --tries 3 --no-repair").status, 3);
    EXPECT_EQ(RunPlan(dir, c + " --tries 50 --allow-multi-course-over-limit").status, 0);
    Stammdaten late = MakeSchool(5, 6, 2, 2, 1, 1);
    for (int day = 0; day < 5; ++day)
        late.Klassen[0].Sperre[SlotOf(day, 1)] = 1;
    AddCourse(late, "Kurs", {"L0", "L1"}, {"K0"}, {1, 1});
    const std::string l = Save(dir, late, "spaet.sch");
    EXPECT_EQ(RunPlan(dir, l + " --tries 3 --no-repair").status, 3);
    EXPECT_EQ(RunPlan(dir, l + " --tries 50 --allow-course-over-limit").status, 0);
}

} // namespace
} // namespace sw
