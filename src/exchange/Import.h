// SPDX-License-Identifier: GPL-3.0-or-later
// Import.h: bringing a school in from outside. Two sources: a timetabling file in the open FET
// XML format (".fet"), and a folder of spreadsheet tables (CSV, one file per kind, see
// Tables.h). Both build a whole master data or nothing: on any error the result is empty and
// the outcome names the file (and for tables the line and column) in German. Nothing is
// written; the caller saves the result as a project file or opens it as a new school.
#pragma once

#include "io/FileOps.h"
#include "model/Report.h"
#include "model/Stammdaten.h"

#include <string>
#include <vector>

namespace sw {

// What became of a kind of thing in the source: carried over as it was, approximated (with how),
// or dropped (with why).
enum class ImportFate { Uebernommen, Angenaehert, Weggelassen };

// One line of the import report: a kind of thing ("Lehrer", "ConstraintTeacherNotAvailableTimes"),
// its fate, how it was approximated or why it was dropped, how many there were and up to three
// examples.
struct ImportEntry {
    ImportFate Fate = ImportFate::Uebernommen;
    std::string What;
    std::string How; // empty for a plain carry-over
    int Count = 0;
    std::vector<std::string> Examples; // at most kMaxExamples
    bool operator==(const ImportEntry&) const = default;
};

class ImportReport {
public:
    static constexpr std::size_t kMaxExamples = 3;

    // Counts one more `what` with this fate and reason; the example is kept while there are
    // fewer than three. Entries keep the order of their first mention.
    void Add(ImportFate fate, const std::string& what, const std::string& how = {},
             const std::string& example = {});
    // Adds `count` at once (for the carried-over kinds: "Lehrer", 56).
    void AddCount(ImportFate fate, const std::string& what, int count, const std::string& how = {});

    const std::vector<ImportEntry>& Entries() const { return entries_; }
    // The number of entries (kinds) and of things with this fate.
    int Count(ImportFate fate) const;
    // The entry for `what` with this fate, or null.
    const ImportEntry* Find(ImportFate fate, const std::string& what) const;

    // Figures of the result, filled by the importer.
    std::string Source;        // the file or folder read
    int Activities = 0;        // activities (FET) or lesson rows (tables) read
    long long Hours = 0;       // lesson hours of the result
    long long SourceHours = 0; // lesson hours of the source

    // The report as the user reads it, in German: a head with the figures, then three parts
    // "Übernommen", "Angenähert", "Weggelassen", each line "  N × What: How (z. B. a; b; c)".
    std::string Text() const;

    bool operator==(const ImportReport&) const = default;

private:
    std::vector<ImportEntry> entries_;
};

// The German name of a fate as the report heads its part with it.
const char* FateName(ImportFate fate);

struct ImportResult {
    Outcome outcome;     // Ok, or the refusal (title "Importfehler")
    Stammdaten data;     // the whole school when outcome.Ok, else empty
    ImportReport report; // what was carried, approximated and dropped
};

namespace titel {
inline constexpr const char* Importfehler = "Importfehler";
} // namespace titel

// Reads a FET file.
ImportResult ImportFet(const std::string& path, FileOps& fs);
// Reads a folder of tables (Tables.h).
ImportResult ImportTables(const std::string& folder, FileOps& fs);
// A folder is read as tables, anything else as a FET file.
ImportResult ImportSchool(const std::string& path, FileOps& fs);

} // namespace sw
