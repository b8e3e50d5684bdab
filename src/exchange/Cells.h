// SPDX-License-Identifier: GPL-3.0-or-later
// Cells.h: how the values of the master data stand in the cells of the tables, as a timetabler
// reads and types them: "ja"/"nein", lists with "," between the items, units as "2+1+1", days
// as "Mo" to "So", hours as "1-3,5", a unit's time as "Mo 3". Each reader returns the value or
// the German sentence that says what is wrong with the cell.
#pragma once

#include "model/Entities.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sw::cells {

// A value, or why the cell does not hold one.
template <typename T> using Result = std::variant<T, std::string>;

std::string Trim(std::string_view text);

// "„text“", with control characters made visible, for a message.
std::string Quoted(std::string_view text);

// "ja" or "nein". Read: "ja", "j", "x", "1" and "nein", "n", "0" in any case; an empty cell
// gives `fallback`.
std::string FlagText(bool on);
Result<bool> ParseFlag(std::string_view cell, bool fallback);

// A whole number in [lowest, highest].
Result<int> ParseNumber(std::string_view cell, int lowest, int highest);

// The items of a list, separated by ","; an empty cell is an empty list. Items keep their
// blanks: a reader that looks them up tries the trimmed item when the item itself is unknown.
std::string JoinList(const std::vector<std::string>& items);
std::vector<std::string> SplitList(std::string_view cell);

// "Mo", "Di", … "So" for day 0 to 6; read are these and "Montag" to "Sonntag", in any case.
std::string DayText(int day);
Result<int> ParseDay(std::string_view cell);

// The hours of one day as ascending numbers and ranges: {0, 1, 2, 3, 5} is "0-3,5".
std::string HoursText(const std::vector<int>& hours);
// Every hour once, ascending; hours 0 to 12.
Result<std::vector<int>> ParseHours(std::string_view cell);

// The lengths of units, "2+1+1"; each at least 1 and at most `longest`.
std::string LengthsText(const std::vector<CEinheit>& units);
Result<std::vector<int>> ParseLengths(std::string_view cell, int longest);

// A unit's time and how it applies, as words in any order:
//   "Mo 3"      the unit is fixed at Monday, hour 3
//   "bis 5"     it ends in hour 5 at the latest (upper limit); "ab 2" starts at 2 or later
//   "nur Di"    it lies on Tuesday (day restriction)
//   "Urplan"    the fixed time binds only the initial plan
//   "Tag Di"    a day kept with the unit without restricting it
// "-" or nothing: none of these. A limit's hour may carry a day ("bis Di 5"); the plan reads
// only the hour.
std::string PresetText(const CEinheit& e);
// Sets the time and its flags of `e` (length and room stay).
std::optional<std::string> ParsePreset(std::string_view item, CEinheit& e);

// True when the unit has a time or any of its flags.
bool HasPreset(const CEinheit& e);

} // namespace sw::cells
