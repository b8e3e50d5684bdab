// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/SchulZeiten.h"

#include "model/Names.h"

#include <cstdio>

namespace sw {

namespace {

std::string Quoted(const std::string& text) {
    return "„" + text + "“";
}

// The name a holiday goes by in a message.
std::string FerienText(const CFerien& f) {
    return f.Name.empty() ? "Die Ferien ab " + f.Von.DeutscherText()
                          : "Die Ferien " + Quoted(f.Name);
}

std::string_view Getrimmt(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string UhrzeitText(int minuten) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", minuten / 60, minuten % 60);
    return buf;
}

std::optional<int> LiesUhrzeit(std::string_view text) {
    const auto doppelpunkt = text.find(':');
    if (doppelpunkt == std::string_view::npos || doppelpunkt < 1 || doppelpunkt > 2 ||
        text.size() != doppelpunkt + 3)
        return std::nullopt;
    int stunde = 0;
    int minute = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == doppelpunkt) continue;
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        int& ziel = i < doppelpunkt ? stunde : minute;
        ziel = ziel * 10 + (text[i] - '0');
    }
    if (stunde > 23 || minute > 59) return std::nullopt;
    return stunde * 60 + minute;
}

std::string StundenZeitText(const CStundenZeit& zeit) {
    return UhrzeitText(zeit.Beginn) + "-" + UhrzeitText(zeit.Ende);
}

std::optional<CStundenZeit> LiesStundenZeit(std::string_view text) {
    const auto strich = text.find('-');
    if (strich == std::string_view::npos) return std::nullopt;
    const auto beginn = LiesUhrzeit(Getrimmt(text.substr(0, strich)));
    const auto ende = LiesUhrzeit(Getrimmt(text.substr(strich + 1)));
    if (!beginn || !ende) return std::nullopt;
    return CStundenZeit{*beginn, *ende};
}

int ZeitenProTag(const AllgemeineAngaben& a) {
    return a.Stunden + (a.Nullte ? 1 : 0);
}

std::vector<CStundenZeit> StundenZeitenDerWoche(const AllgemeineAngaben& a) {
    if (static_cast<int>(a.StundenZeiten.size()) == ZeitenProTag(a)) return a.StundenZeiten;
    return StandardStundenZeiten(a.Stunden, a.Nullte);
}

CStundenZeit ZeitDerStunde(const std::vector<CStundenZeit>& zeiten, bool nullte, int stunde) {
    const int i = nullte ? stunde : stunde - 1;
    if (i < 0 || i >= static_cast<int>(zeiten.size())) return {};
    return zeiten[static_cast<std::size_t>(i)];
}

std::optional<std::string> StundenZeitenProblem(const std::vector<CStundenZeit>& zeiten,
                                                int stunden, bool nullte) {
    if (zeiten.empty()) return std::nullopt;
    const int erwartet = stunden + (nullte ? 1 : 0);
    if (static_cast<int>(zeiten.size()) != erwartet)
        return "Es sind " + std::to_string(zeiten.size()) +
               " Stundenzeiten angegeben; der Tag hat " + std::to_string(erwartet) + " Stunden.";
    const int erste = nullte ? 0 : 1;
    for (std::size_t i = 0; i < zeiten.size(); ++i) {
        const CStundenZeit& z = zeiten[i];
        const std::string stunde = std::to_string(erste + static_cast<int>(i)) + ". Stunde";
        if (z.Beginn < 0 || z.Ende >= 24 * 60 || z.Ende <= z.Beginn)
            return "Die " + stunde + " (" + StundenZeitText(z) + ") endet nicht nach ihrem Beginn.";
        if (i > 0 && z.Beginn < zeiten[i - 1].Ende)
            return "Die " + stunde + " beginnt um " + UhrzeitText(z.Beginn) +
                   ", bevor die Stunde davor um " + UhrzeitText(zeiten[i - 1].Ende) + " endet.";
    }
    return std::nullopt;
}

std::optional<std::string> SchuljahrProblem(const CSchuljahr& jahr) {
    if (jahr.Beginn.Leer() != jahr.Ende.Leer())
        return std::string("Das Schuljahr braucht einen ersten und einen letzten Tag.");
    if (jahr.Gesetzt() && jahr.Ende < jahr.Beginn)
        return "Das Schuljahr endet am " + jahr.Ende.DeutscherText() + " vor seinem Beginn am " +
               jahr.Beginn.DeutscherText() + ".";
    for (const CFerien& f : jahr.Ferien) {
        if (f.Von.Leer() || f.Bis.Leer())
            return FerienText(f) + " brauchen einen ersten und einen letzten Tag.";
        if (f.Bis < f.Von)
            return FerienText(f) + " enden am " + f.Bis.DeutscherText() + " vor ihrem Beginn am " +
                   f.Von.DeutscherText() + ".";
        if (auto fault = CheckName("Der Name der Ferien", f.Name, {}, true)) return fault;
    }
    return std::nullopt;
}

} // namespace sw
