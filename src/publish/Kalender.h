// SPDX-License-Identifier: GPL-3.0-or-later
// Kalender.h: the plan as calendars (iCalendar, RFC 5545), one file per chosen class, teacher and
// room ("klasse-5a.ics"). Every lesson is one event repeated weekly over the term, at the times
// of its hours (the school's times, or the standard ones) in the time zone Europe/Berlin, whose
// change to and from summer time the calendar program applies. Two hours in a row with the same
// cell text (a double lesson) are one event. The holidays inside the term are left out as
// excluded dates (EXDATE) of each event; an event begins on the first day of the term on its
// weekday that is no holiday.
//
//   BEGIN:VEVENT
//   UID:klasse-5a-0-1@stundenwerk
//   DTSTART;TZID=Europe/Berlin:20270201T080000
//   DTEND;TZID=Europe/Berlin:20270201T084500
//   RRULE:FREQ=WEEKLY;UNTIL=20270715T215959Z
//   EXDATE;TZID=Europe/Berlin:20270215T080000
//   SUMMARY:Mathematik (Müller)
//   LOCATION:R 101
//   DESCRIPTION:Mathematik\nMüller\nR 101
//   END:VEVENT
#pragma once

#include "export/ExportRun.h"
#include "model/Datum.h"
#include "model/Report.h"
#include "plan/Plan.h"
#include "publish/PlanAusgabe.h"

#include <optional>
#include <string>
#include <vector>

namespace sw {

struct KalenderOptionen {
    // The first and last day of the events; unset: the school year's term.
    std::optional<Datum> Von;
    std::optional<Datum> Bis;
    // DTSTAMP, "20270201T120000Z"; empty: now.
    std::string Zeitstempel;
};

// The time zone every calendar is written in.
inline constexpr const char* kZeitzone = "Europe/Berlin";

// The calendars of the plans `optionen` chooses (names: base name + ".ics"). Refused with a
// message (title "Fehler") when the term is neither given nor entered in the school year, or
// ends before it begins.
std::optional<std::vector<AusgabeDatei>> Kalender(const CPlan& plan, const ExportOptionen& optionen,
                                                  const KalenderOptionen& kalender,
                                                  Reporter& reporter);

} // namespace sw
