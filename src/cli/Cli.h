// SPDX-License-Identifier: GPL-3.0-or-later
// Cli.h: the commands of the stundenwerk tool and what they share. Each command is one function
// taking its arguments (without the command word) and returning the process exit status.
#pragma once

#include "export/ExportRun.h"
#include "model/Report.h"
#include "plan/Invariants.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace sw::cli {

using Args = std::vector<std::string>;

int InfoCommand(const Args& args);
int CheckCommand(const Args& args);
int PlanCommand(const Args& args);
int ExportCommand(const Args& args);
int ExperimentCommand(const Args& args);
int SubstitutionsCommand(const Args& args);
int ImportCommand(const Args& args);
int ExportDataCommand(const Args& args);
int PublishCommand(const Args& args);

// True when `a` and `b` name one existing file: the same device and inode, so also through a
// symbolic or a hard link.
bool SameFile(const std::string& a, const std::string& b);
// Refuses to write `output` over the input file `input`, which it would destroy: prints the
// refusal, naming both, and returns false.
bool OutputIsNotInput(const std::string& output, const std::string& input);

// Messages go to stderr as "Title: text" lines; questions are answered with `answer`.
class StderrReporter : public Reporter {
public:
    explicit StderrReporter(bool answer = false) : answer_(answer) {}
    void Show(const Message& message) override;
    bool Ask(const Message& message, Question kind) override;

private:
    bool answer_;
};

// The figures of a plan after its invariant check: as text lines (stdout) or one JSON object
// with the plan's own names as keys.
void PrintFigures(const CPlan& plan, const InvariantReport& report);
std::string FiguresJson(const CPlan& plan, const InvariantReport& report);

// The names of a comma-separated list, without the blanks around them; empty entries dropped.
std::vector<std::string> NamenListe(const std::string& liste);

// Turns the names of one list into indices; "all" takes every entry. `name` gives the name and
// the short form of entry i (the short form may be empty). No names: the list stays inactive.
// An unknown name is printed ("Unbekannt (Klasse): Q") and gives false.
bool Waehle(const std::vector<std::string>& namen, int anzahl, const char* art,
            const std::function<std::pair<std::string, std::string>(int)>& name,
            ExportAuswahl& auswahl);

// Writes `text` as a JSON string literal (quotes and escapes included).
std::string JsonString(const std::string& text);

} // namespace sw::cli
