// SPDX-License-Identifier: GPL-3.0-or-later
// Tables.cpp: writing the master data as spreadsheet tables (the reading is TablesRead.cpp).
#include "exchange/Tables.h"

#include "exchange/Cells.h"
#include "exchange/Csv.h"
#include "exchange/TableLayout.h"

#include <array>
#include <utility>

namespace sw {

namespace {

using namespace tabellen;
using Rows = std::vector<std::vector<std::string>>;

// The names of the set flags as a list; `none` when no flag is set.
std::string FlagNames(const std::array<Flag, 3>& flags, const char* const (&names)[3],
                      const char* none) {
    std::vector<std::string> set;
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (flags[i]) set.emplace_back(names[i]);
    return set.empty() ? std::string(none) : cells::JoinList(set);
}

std::string SeparationText(const Stammdaten& d, int group) {
    if (group < 0 || group >= static_cast<int>(d.Klassen.size())) return {};
    return d.Klassen[static_cast<std::size_t>(group)].Name;
}

// The times of the units, one item each, or an empty cell when no unit has one.
std::string PresetsText(const std::vector<CEinheit>& units) {
    bool any = false;
    std::vector<std::string> items;
    for (const auto& e : units) {
        any = any || cells::HasPreset(e);
        items.push_back(cells::PresetText(e));
    }
    return any ? cells::JoinList(items) : std::string();
}

// The rooms of the units, one item each, or an empty cell when no unit has one.
std::string RoomsText(const Stammdaten& d, const std::vector<CEinheit>& units) {
    const std::string none = d.FindRaum(kKeinRaum) >= 0 ? "" : kKeinRaum;
    bool any = false;
    std::vector<std::string> items;
    for (const auto& e : units) {
        any = any || !e.Raum.empty();
        items.push_back(e.Raum.empty() ? none : e.Raum);
    }
    return any ? cells::JoinList(items) : std::string();
}

Rows AllgemeinRows(const AllgemeineAngaben& a) {
    std::string namen;
    if (TagNamenDerWoche(a) != AllgemeineAngaben::DefaultDayNames(a.Tage))
        namen = cells::JoinList(TagNamenDerWoche(a));
    return {{spalte::Tage, spalte::Stunden, spalte::Nullte, spalte::Tagesnamen},
            {std::to_string(a.Tage), std::to_string(a.Stunden), cells::FlagText(a.Nullte), namen}};
}

Rows FaecherRows(const Stammdaten& d) {
    Rows rows = {{spalte::Name}};
    for (const auto& fach : d.Faecher)
        rows.push_back({fach});
    return rows;
}

Rows RaeumeRows(const Stammdaten& d) {
    Rows rows = {{spalte::Name, spalte::Kuerzel, spalte::Typ, spalte::Faecher, spalte::Klassenraum,
                  spalte::KlassenraumVon, spalte::KurseFreigeben}};
    for (const auto& r : d.Raeume)
        rows.push_back({r.Name, r.Kurz, FlagNames(r.FachTyp, kFachTypen, "keiner"),
                        cells::JoinList(r.Faecher), FlagNames(r.KlassenTyp, kKlassenTypen, ""),
                        r.Klasse, cells::FlagText(r.KlassenKursFreigabe != 0)});
    return rows;
}

Rows LehrerRows(const Stammdaten& d) {
    Rows rows = {{spalte::Name, spalte::Kuerzel, spalte::Faecher, spalte::Klassenlehrer,
                  spalte::KlassenlehrerVon, spalte::Optimieren, spalte::FreieTage,
                  spalte::NichtVerfuegbar}};
    for (const auto& l : d.Lehrer)
        rows.push_back({l.Name, l.Kurz, cells::JoinList(l.Faecher),
                        cells::FlagText(l.KlassenLehrer != 0), l.Klasse,
                        cells::FlagText(l.Opti != 0), cells::FlagText(l.TendenzZuFreienTagen != 0),
                        cells::FlagText(l.NichtVerfuegbar != 0)});
    return rows;
}

Rows KlassenRows(const Stammdaten& d) {
    Rows rows = {{spalte::Name, spalte::Optimieren}};
    for (const auto& k : d.Klassen)
        rows.push_back({k.Name, cells::FlagText(k.Opti != 0)});
    return rows;
}

Rows UnterrichtRows(const Stammdaten& d) {
    Rows rows = {{spalte::Lehrer, spalte::Klasse, spalte::Fach, spalte::Wochenstunden,
                  spalte::Einheiten, spalte::Trennung, spalte::Zeitvorgaben, spalte::Raeume,
                  spalte::SpezialTrennung}};
    for (const auto& u : d.FachBloecke) {
        const CFachBlock& b = u.Block;
        rows.push_back({b.Lehrer, b.Klasse, b.Fach, std::to_string(b.BStunden),
                        cells::LengthsText(b.Einheiten), cells::FlagText(b.Trennung != 0),
                        PresetsText(b.Einheiten), RoomsText(d, b.Einheiten),
                        SeparationText(d, b.SpezialTrennung)});
    }
    return rows;
}

Rows KurseRows(const Stammdaten& d) {
    Rows rows = {{spalte::Name, spalte::Kuerzel, spalte::Klassen, spalte::Wochenstunden,
                  spalte::Einheiten, spalte::Trennung, spalte::Zeitvorgaben,
                  spalte::SpezialTrennung}};
    for (const auto& k : d.KursBloecke) {
        // Every teacher holds the same units; their rooms stand with the teachers.
        const std::vector<CEinheit> none;
        const auto& units = k.Lehrer.empty() ? none : k.Lehrer.front().Einheiten;
        rows.push_back({k.Name, k.Kurz, cells::JoinList(k.Klassen), std::to_string(k.BStunden),
                        cells::LengthsText(units), cells::FlagText(k.Trennung != 0),
                        PresetsText(units), SeparationText(d, k.SpezialTrennung)});
    }
    return rows;
}

Rows KurslehrerRows(const Stammdaten& d) {
    Rows rows = {{spalte::Kurs, spalte::Lehrer, spalte::Fach, spalte::Raeume}};
    for (const auto& k : d.KursBloecke)
        for (std::size_t t = 0; t < k.Lehrer.size(); ++t)
            rows.push_back({k.Name, k.Lehrer[t].Name, t < k.Faecher.size() ? k.Faecher[t] : "",
                            RoomsText(d, k.Lehrer[t].Einheiten)});
    return rows;
}

// One row per owner and day with locked hours.
void AddLocks(Rows& rows, const char* art, const std::string& name, const LockGrid& grid) {
    for (int day = 0; day < kMaxDays; ++day) {
        std::vector<int> hours;
        for (int hour = 0; hour < kHoursPerDay; ++hour)
            if (grid[static_cast<std::size_t>(SlotOf(day, hour))]) hours.push_back(hour);
        if (!hours.empty())
            rows.push_back({art, name, cells::DayText(day), cells::HoursText(hours)});
    }
}

Rows SperrenRows(const Stammdaten& d) {
    Rows rows = {{spalte::Art, spalte::Name, spalte::Tag, spalte::Stunden}};
    for (const auto& l : d.Lehrer)
        AddLocks(rows, kArtLehrer, l.Name, l.Sperre);
    for (const auto& k : d.Klassen)
        AddLocks(rows, kArtKlasse, k.Name, k.Sperre);
    for (const auto& r : d.Raeume)
        AddLocks(rows, kArtRaum, r.Name, r.Sperre);
    return rows;
}

} // namespace

Outcome ExportTables(const Stammdaten& data, const std::string& folder, FileOps& fs) {
    const std::pair<const char*, Rows> files[] = {{datei::Allgemein, AllgemeinRows(data.Angaben)},
                                                  {datei::Faecher, FaecherRows(data)},
                                                  {datei::Raeume, RaeumeRows(data)},
                                                  {datei::Lehrer, LehrerRows(data)},
                                                  {datei::Klassen, KlassenRows(data)},
                                                  {datei::Unterricht, UnterrichtRows(data)},
                                                  {datei::Kurse, KurseRows(data)},
                                                  {datei::Kurslehrer, KurslehrerRows(data)},
                                                  {datei::Sperren, SperrenRows(data)}};
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    for (const auto& [name, rows] : files) {
        const std::string path = prefix + name;
        const FileResult written = fs.WriteReplacing(path, csv::Write(rows));
        if (!written)
            return Outcome::Failure("Die Tabelle " + path + " konnte nicht geschrieben werden.\n" +
                                        written.Reason,
                                    titel::Dateifehler);
    }
    return Outcome::Success();
}

} // namespace sw
