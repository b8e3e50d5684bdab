// SPDX-License-Identifier: GPL-3.0-or-later
// SubstitutionsJournal.h: stundenwerk substitutions on a calendar date with the journal
// (--datum), and the journal's statistics (--statistik); and the name lookups both forms of the
// command share.
#pragma once

#include "cli/Cli.h"
#include "plan/Plan.h"

#include <string>
#include <vector>

namespace sw::cli {

// Whether the arguments ask for the date or statistics form.
bool IsJournalForm(const Args& args);
int SubstitutionsJournalCommand(const Args& args);
// The usage text of the date and statistics forms.
const char* JournalAufruf();

// A name compared without regard to case (Windows-1252 letters, so "MÜLLER" finds "Müller").
bool GleichOhneFall(const std::string& a, const std::string& b);
// The teacher of that name or short form; -1 when there is none.
int LehrerIndex(const CPlan& plan, const std::string& name);

} // namespace sw::cli
