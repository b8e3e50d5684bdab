// SPDX-License-Identifier: GPL-3.0-or-later
// Datum.h: a calendar date without a time of day, and the school year it belongs to: the term,
// its holidays and the times of the hours. Dates are read and written as "JJJJ-MM-TT".
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

struct Datum {
    int Jahr = 0;
    int Monat = 0; // 1..12
    int Tag = 0;   // 1..31

    // A date that was never set (all zero).
    [[nodiscard]] bool Leer() const { return Jahr == 0 && Monat == 0 && Tag == 0; }
    // "2027-03-15" to a date; nullopt for anything else, 2027-02-30 included.
    static std::optional<Datum> Lies(std::string_view text);
    // "2027-03-15".
    [[nodiscard]] std::string Text() const;
    // "15.03.2027", as the windows and sheets show it.
    [[nodiscard]] std::string DeutscherText() const;
    // Days since 1970-01-01; the date of such a number.
    [[nodiscard]] long Tagnummer() const;
    static Datum AusTagnummer(long nummer);
    // 0 = Monday ... 6 = Sunday, so that a weekday is the plan's day index.
    [[nodiscard]] int Wochentag() const;
    [[nodiscard]] Datum PlusTage(long tage) const { return AusTagnummer(Tagnummer() + tage); }

    auto operator<=>(const Datum&) const = default;
    bool operator==(const Datum&) const = default;
};

// A stretch of days off, both ends included ("Herbstferien", 2026-10-26 to 2026-10-31).
struct CFerien {
    Datum Von;
    Datum Bis;
    std::string Name;
    bool operator==(const CFerien&) const = default;
};

// The time of one hour of the day, in minutes after midnight.
struct CStundenZeit {
    int Beginn = 0;
    int Ende = 0;
    bool operator==(const CStundenZeit&) const = default;
};

// The school year: the first and last day of lessons and the holidays between. Empty until the
// school enters it.
struct CSchuljahr {
    Datum Beginn;
    Datum Ende;
    std::vector<CFerien> Ferien;

    [[nodiscard]] bool Gesetzt() const { return !Beginn.Leer() && !Ende.Leer(); }
    // The holiday a date falls in, or nullptr.
    [[nodiscard]] const CFerien* FerienAm(const Datum& d) const;
    bool operator==(const CSchuljahr&) const = default;
};

// The times of the hours when the school has entered none: 45-minute hours from 8:00, a
// 15-minute break after the 2nd and the 4th hour, 5 minutes after the others. `nullte` adds an
// hour 0 from 7:10 before them.
std::vector<CStundenZeit> StandardStundenZeiten(int stunden, bool nullte);

} // namespace sw
