// SPDX-License-Identifier: GPL-3.0-or-later
#include "publish/Kalender.h"

#include "model/SchulZeiten.h"

#include <cstdio>
#include <ctime>

namespace sw {

namespace {

// The standard time zone rules of Germany since 1996.
constexpr const char* kVTimezone = "BEGIN:VTIMEZONE\r\n"
                                   "TZID:Europe/Berlin\r\n"
                                   "BEGIN:DAYLIGHT\r\n"
                                   "TZOFFSETFROM:+0100\r\n"
                                   "TZOFFSETTO:+0200\r\n"
                                   "TZNAME:CEST\r\n"
                                   "DTSTART:19700329T020000\r\n"
                                   "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\n"
                                   "END:DAYLIGHT\r\n"
                                   "BEGIN:STANDARD\r\n"
                                   "TZOFFSETFROM:+0200\r\n"
                                   "TZOFFSETTO:+0100\r\n"
                                   "TZNAME:CET\r\n"
                                   "DTSTART:19701025T030000\r\n"
                                   "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
                                   "END:STANDARD\r\n"
                                   "END:VTIMEZONE\r\n";

std::string Jetzt() {
    const std::time_t t = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%dT%H%M%SZ", &utc);
    return buf;
}

// "20270201T080000": a local date and time.
std::string Zeitpunkt(const Datum& d, int minuten) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02dT%02d%02d00", d.Jahr, d.Monat, d.Tag, minuten / 60,
                  minuten % 60);
    return buf;
}

// A TEXT value: backslash, ";", "," and line breaks escaped.
std::string Text(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

// Appends a content line, folded after at most 75 octets without cutting a UTF-8 character.
void Zeile(std::string& out, const std::string& zeile) {
    std::size_t pos = 0;
    std::size_t platz = 75;
    while (zeile.size() - pos > platz) {
        std::size_t ende = pos + platz;
        while (ende > pos && (static_cast<unsigned char>(zeile[ende]) & 0xC0U) == 0x80U)
            --ende;
        out.append(zeile, pos, ende - pos);
        out += "\r\n ";
        pos = ende;
        platz = 74; // the blank that continues the line counts
    }
    out.append(zeile, pos, std::string::npos);
    out += "\r\n";
}

std::vector<std::string> Zeilen(const std::string& text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (true) {
        const auto nl = text.find('\n', pos);
        out.push_back(text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos));
        if (nl == std::string::npos) return out;
        pos = nl + 1;
    }
}

struct Zeitraum {
    Datum Von;
    Datum Bis;
};

class KalenderSchreiber {
public:
    KalenderSchreiber(const CPlan& plan, const ExportOptionen& o, const Zeitraum& z,
                      std::string stempel)
        : plan_(plan), o_(o), z_(z), stempel_(std::move(stempel)),
          zeiten_(StundenZeitenDerWoche(plan.Stamm().Angaben)),
          jahr_(plan.Stamm().Angaben.Schuljahr) {}

    std::string Datei(const PlanEintrag& e) {
        std::string out;
        Zeile(out, "BEGIN:VCALENDAR");
        Zeile(out, "VERSION:2.0");
        Zeile(out, "PRODID:-//Stundenwerk//Stundenplan//DE");
        Zeile(out, "CALSCALE:GREGORIAN");
        Zeile(out, "X-WR-CALNAME:" + Text(Ueberschrift(e)));
        Zeile(out, std::string("X-WR-TIMEZONE:") + kZeitzone);
        out += kVTimezone;
        const int erste = plan_.Nullte ? 0 : 1;
        for (int tag = 0; tag < plan_.Tage; ++tag) {
            for (int stunde = erste; stunde <= plan_.Stunden;) {
                const std::string zelle = PlanZelle(plan_, e, SlotOf(tag, stunde), o_);
                int bis = stunde;
                while (!zelle.empty() && bis < plan_.Stunden &&
                       PlanZelle(plan_, e, SlotOf(tag, bis + 1), o_) == zelle)
                    ++bis;
                if (!zelle.empty()) Ereignis(out, e, tag, stunde, bis, zelle);
                stunde = bis + 1;
            }
        }
        Zeile(out, "END:VCALENDAR");
        return out;
    }

private:
    // The first day of the term on weekday `tag` that is no holiday; false when there is none.
    bool ErsterTag(int tag, Datum& d) const {
        d = z_.Von.PlusTage((tag - z_.Von.Wochentag() + 7) % 7);
        while (!(z_.Bis < d) && jahr_.FerienAm(d))
            d = d.PlusTage(7);
        return !(z_.Bis < d);
    }

    void Ereignis(std::string& out, const PlanEintrag& e, int tag, int von, int bis,
                  const std::string& zelle) const {
        Datum erster;
        if (!ErsterTag(tag, erster)) return;
        const CStundenZeit beginn = ZeitDerStunde(zeiten_, plan_.Nullte, von);
        const CStundenZeit ende = ZeitDerStunde(zeiten_, plan_.Nullte, bis);
        const std::vector<std::string> zeilen = Zeilen(zelle);
        std::string titel = zeilen[0];
        if (zeilen.size() > 1 && !zeilen[1].empty()) titel += " (" + zeilen[1] + ")";
        // The room: its own name in a room's calendar, else the cell's third line.
        std::string ort;
        if (e.Art == PlanArt::Raum)
            ort = e.Name;
        else if (zeilen.size() > 2)
            ort = zeilen[2];

        Zeile(out, "BEGIN:VEVENT");
        Zeile(out, "UID:" + e.Basis + "-" + std::to_string(tag) + "-" + std::to_string(von) +
                       "@stundenwerk");
        Zeile(out, "DTSTAMP:" + stempel_);
        Zeile(out,
              std::string("DTSTART;TZID=") + kZeitzone + ":" + Zeitpunkt(erster, beginn.Beginn));
        Zeile(out, std::string("DTEND;TZID=") + kZeitzone + ":" + Zeitpunkt(erster, ende.Ende));
        // UNTIL is UTC: 21:59:59Z is 23:59 in summer and 22:59 in winter, after every lesson.
        char until[32];
        std::snprintf(until, sizeof until, "%04d%02d%02dT215959Z", z_.Bis.Jahr, z_.Bis.Monat,
                      z_.Bis.Tag);
        Zeile(out, std::string("RRULE:FREQ=WEEKLY;UNTIL=") + until);
        std::string ausnahmen;
        for (Datum d = erster.PlusTage(7); !(z_.Bis < d); d = d.PlusTage(7))
            if (jahr_.FerienAm(d))
                ausnahmen += (ausnahmen.empty() ? "" : ",") + Zeitpunkt(d, beginn.Beginn);
        if (!ausnahmen.empty())
            Zeile(out, std::string("EXDATE;TZID=") + kZeitzone + ":" + ausnahmen);
        Zeile(out, "SUMMARY:" + Text(titel));
        if (!ort.empty()) Zeile(out, "LOCATION:" + Text(ort));
        Zeile(out, "DESCRIPTION:" + Text(zelle));
        Zeile(out, "END:VEVENT");
    }

    const CPlan& plan_;
    const ExportOptionen& o_;
    Zeitraum z_;
    std::string stempel_;
    std::vector<CStundenZeit> zeiten_;
    const CSchuljahr& jahr_;
};

} // namespace

std::optional<std::vector<AusgabeDatei>> Kalender(const CPlan& plan, const ExportOptionen& optionen,
                                                  const KalenderOptionen& kalender,
                                                  Reporter& reporter) {
    const CSchuljahr& jahr = plan.Stamm().Angaben.Schuljahr;
    const Datum von = kalender.Von ? *kalender.Von : jahr.Beginn;
    const Datum bis = kalender.Bis ? *kalender.Bis : jahr.Ende;
    if (von.Leer() || bis.Leer()) {
        reporter.Show({"Für die Kalender fehlt der Zeitraum: Beginn und Ende des Schuljahres sind "
                       "in den Allgemeinen Angaben nicht eingetragen.",
                       titel::Fehler});
        return std::nullopt;
    }
    if (bis < von) {
        reporter.Show({"Der Zeitraum der Kalender endet am " + bis.DeutscherText() +
                           " vor seinem Beginn am " + von.DeutscherText() + ".",
                       titel::Fehler});
        return std::nullopt;
    }
    KalenderSchreiber schreiber(plan, optionen, {von, bis},
                                kalender.Zeitstempel.empty() ? Jetzt() : kalender.Zeitstempel);
    std::vector<AusgabeDatei> out;
    for (const PlanEintrag& e : GewaehltePlanEintraege(plan, optionen))
        out.push_back({e.Basis + ".ics", schreiber.Datei(e)});
    return out;
}

} // namespace sw
