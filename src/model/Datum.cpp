// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Datum.h"

#include <charconv>
#include <cstdio>

namespace sw {

namespace {

std::chrono::year_month_day Ymd(const Datum& d) {
    return {std::chrono::year{d.Jahr}, std::chrono::month{static_cast<unsigned>(d.Monat)},
            std::chrono::day{static_cast<unsigned>(d.Tag)}};
}

bool Zahl(std::string_view text, int& out) {
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc{} && p == end;
}

} // namespace

std::optional<Datum> Datum::Lies(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    Datum d;
    if (!Zahl(text.substr(0, 4), d.Jahr) || !Zahl(text.substr(5, 2), d.Monat) ||
        !Zahl(text.substr(8, 2), d.Tag)) {
        return std::nullopt;
    }
    if (d.Jahr < 1900 || !Ymd(d).ok()) {
        return std::nullopt;
    }
    return d;
}

std::string Datum::Text() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", Jahr, Monat, Tag);
    return buf;
}

std::string Datum::DeutscherText() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", Tag, Monat, Jahr);
    return buf;
}

long Datum::Tagnummer() const {
    return std::chrono::sys_days{Ymd(*this)}.time_since_epoch().count();
}

Datum Datum::AusTagnummer(long nummer) {
    const std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::days{nummer}}};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

int Datum::Wochentag() const {
    // 1970-01-01 was a Thursday (3 with Monday 0).
    const long n = Tagnummer();
    return static_cast<int>(((n % 7) + 7 + 3) % 7);
}

const CFerien* CSchuljahr::FerienAm(const Datum& d) const {
    for (const CFerien& f : Ferien) {
        if (!(d < f.Von) && !(f.Bis < d)) {
            return &f;
        }
    }
    return nullptr;
}

std::vector<CStundenZeit> StandardStundenZeiten(int stunden, bool nullte) {
    std::vector<CStundenZeit> zeiten;
    if (nullte) {
        zeiten.push_back({7 * 60 + 10, 7 * 60 + 55});
    }
    int beginn = 8 * 60;
    for (int h = 1; h <= stunden; ++h) {
        zeiten.push_back({beginn, beginn + 45});
        beginn += 45 + ((h == 2 || h == 4) ? 15 : 5);
    }
    return zeiten;
}

} // namespace sw
