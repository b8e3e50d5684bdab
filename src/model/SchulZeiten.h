// SPDX-License-Identifier: GPL-3.0-or-later
// SchulZeiten.h: the times of the hours and the school year as text and their checks, shared by
// the project file, the general settings and the calendars. A time is "08:00", the time of an
// hour "08:00-08:45"; the day of the week the plan uses is the weekday of a date (Monday = 0).
#pragma once

#include "model/Datum.h"
#include "model/Stammdaten.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// "08:05" for 485 minutes after midnight.
std::string UhrzeitText(int minuten);
// "8:05" or "08:05" to minutes after midnight; nullopt for anything else, 24:00 included.
std::optional<int> LiesUhrzeit(std::string_view text);
// "08:00-08:45".
std::string StundenZeitText(const CStundenZeit& zeit);
// "08:00-08:45" (blanks around the parts allowed) to a time; nullopt when it is no such text.
std::optional<CStundenZeit> LiesStundenZeit(std::string_view text);

// The number of hours a day has times for: the regular hours and the 0th hour when in use.
int ZeitenProTag(const AllgemeineAngaben& a);
// The times the school entered, or the standard times when it entered none.
std::vector<CStundenZeit> StundenZeitenDerWoche(const AllgemeineAngaben& a);
// The time of hour `stunde` (0 = the 0th hour) from StundenZeitenDerWoche's list.
CStundenZeit ZeitDerStunde(const std::vector<CStundenZeit>& zeiten, bool nullte, int stunde);

// Why `zeiten` cannot be the times of the hours of a day of `stunden` hours (plus the 0th hour
// with `nullte`), or nothing. An empty list stands for the standard times and is always right.
// Every hour ends after it begins and begins no earlier than the one before it ends.
std::optional<std::string> StundenZeitenProblem(const std::vector<CStundenZeit>& zeiten,
                                                int stunden, bool nullte);
// Why `jahr` cannot be a school year, or nothing: both ends or neither, the end not before the
// beginning, every holiday with both ends, not ending before it begins, and a name every file
// can hold.
std::optional<std::string> SchuljahrProblem(const CSchuljahr& jahr);

} // namespace sw
