// SPDX-License-Identifier: GPL-3.0-or-later
// TablesRead.cpp: reading a folder of tables. The files are read in the order of their
// references (subjects and classes before the rooms and teachers that name them, those before
// the lessons); every cell is checked, every fault is kept with its file, line and column, and
// only a folder without any fault gives a school.
#include "exchange/Cells.h"
#include "exchange/Csv.h"
#include "exchange/Import.h"
#include "exchange/TableLayout.h"

#include "model/NameIndex.h"
#include "model/Names.h"
#include "model/Presets.h"
#include "model/Text.h"

#include <filesystem>
#include <map>
#include <span>
#include <system_error>
#include <unordered_map>
#include <utility>

namespace sw {

namespace {

using namespace tabellen;
using cells::Quoted;

// More faults than these are counted, not listed: the first ones show what to mend.
constexpr std::size_t kMaxFehler = 10;

// A cell of a table: its text and where it stands. Column 0: the table has no such column.
struct Zelle {
    std::string Text;
    const std::string* File = nullptr;
    int Line = 0;
    int Column = 0;
};

struct Spalte {
    const char* Heading;
    bool Required;
};

constexpr Spalte kAllgemeinSpalten[] = {{spalte::Tage, true},
                                        {spalte::Stunden, true},
                                        {spalte::Nullte, false},
                                        {spalte::Tagesnamen, false}};
constexpr Spalte kFaecherSpalten[] = {{spalte::Name, true}};
constexpr Spalte kKlassenSpalten[] = {{spalte::Name, true}, {spalte::Optimieren, false}};
constexpr Spalte kRaeumeSpalten[] = {
    {spalte::Name, true},           {spalte::Kuerzel, false},     {spalte::Typ, false},
    {spalte::Faecher, false},       {spalte::Klassenraum, false}, {spalte::KlassenraumVon, false},
    {spalte::KurseFreigeben, false}};
constexpr Spalte kLehrerSpalten[] = {
    {spalte::Name, true},           {spalte::Kuerzel, false},          {spalte::Faecher, false},
    {spalte::Klassenlehrer, false}, {spalte::KlassenlehrerVon, false}, {spalte::Optimieren, false},
    {spalte::FreieTage, false},     {spalte::NichtVerfuegbar, false}};
constexpr Spalte kKurseSpalten[] = {
    {spalte::Name, true},          {spalte::Kuerzel, false},        {spalte::Klassen, false},
    {spalte::Wochenstunden, true}, {spalte::Einheiten, false},      {spalte::Trennung, false},
    {spalte::Zeitvorgaben, false}, {spalte::SpezialTrennung, false}};
constexpr Spalte kKurslehrerSpalten[] = {
    {spalte::Kurs, true}, {spalte::Lehrer, true}, {spalte::Fach, true}, {spalte::Raeume, false}};
constexpr Spalte kUnterrichtSpalten[] = {
    {spalte::Lehrer, true},        {spalte::Klasse, true},     {spalte::Fach, true},
    {spalte::Wochenstunden, true}, {spalte::Einheiten, false}, {spalte::Trennung, false},
    {spalte::Zeitvorgaben, false}, {spalte::Raeume, false},    {spalte::SpezialTrennung, false}};
constexpr Spalte kSperrenSpalten[] = {
    {spalte::Art, true}, {spalte::Name, true}, {spalte::Tag, true}, {spalte::Stunden, true}};

// One table file as read, its columns found by their headings.
struct Blatt {
    std::string File; // the name of the file in the folder, as messages give it
    csv::Table Table;
    std::unordered_map<std::string, int> Columns; // normalised heading -> index

    Zelle Cell(const csv::Row& row, const char* heading) const {
        Zelle z{{}, &File, row.Line, 0};
        const auto it = Columns.find(csv::Normalised(heading));
        if (it == Columns.end()) return z;
        z.Column = it->second + 1;
        if (static_cast<std::size_t>(it->second) < row.Cells.size())
            z.Text = row.Cells[static_cast<std::size_t>(it->second)];
        return z;
    }
};

// A name that may stand only once in its list: the list index and line of each.
struct Namen {
    NameIndex Index;
    std::vector<int> Lines;

    // The index of `item`, or of the item without its outer blanks, or -1.
    int Find(const std::string& item) const {
        const int at = Index.Find(item);
        return at >= 0 ? at : Index.Find(cells::Trim(item));
    }
};

class TableReader {
public:
    TableReader(const std::string& folder, FileOps& fs) : folder_(folder), fs_(fs) {}

    ImportResult Read() {
        ImportResult result;
        result.report.Source = folder_;
        if (ListFolder()) {
            Stammdaten d;
            // Every table must be whole before any value is read: a missing column would
            // otherwise make every reference to its kind a fault of its own.
            const auto allgemein = Load(datei::Allgemein, kAllgemeinSpalten, true);
            const auto faecher = Load(datei::Faecher, kFaecherSpalten);
            const auto klassen = Load(datei::Klassen, kKlassenSpalten);
            const auto raeume = Load(datei::Raeume, kRaeumeSpalten);
            const auto lehrer = Load(datei::Lehrer, kLehrerSpalten);
            const auto kurse = Load(datei::Kurse, kKurseSpalten);
            const auto kurslehrer = Load(datei::Kurslehrer, kKurslehrerSpalten);
            const auto unterricht = Load(datei::Unterricht, kUnterrichtSpalten);
            const auto sperren = Load(datei::Sperren, kSperrenSpalten);
            if (fehler_.empty() && ReadAllgemein(allgemein, d.Angaben)) {
                ReadFaecher(faecher, d);
                ReadKlassen(klassen, d);
                ReadRaeume(raeume, d);
                ReadLehrer(lehrer, d);
                ReadKurse(kurse, kurslehrer, d);
                ReadUnterricht(unterricht, d);
                ReadSperren(sperren, d);
                if (fehler_.empty() && d.LessonHours() > kMaxLessonHours)
                    fehler_.push_back("Die Schule hätte " + std::to_string(d.LessonHours()) +
                                      " Unterrichtsstunden; mehr als " +
                                      std::to_string(kMaxLessonHours) +
                                      " kann das Programm nicht planen.");
            }
            if (fehler_.empty()) {
                d.AngabenBestaetigt = true;
                Report(d, result.report);
                result.data = std::move(d);
                return result;
            }
        }
        std::string text;
        for (std::size_t i = 0; i < fehler_.size() && i < kMaxFehler; ++i)
            text += (i ? "\n" : "") + fehler_[i];
        if (fehler_.size() > kMaxFehler)
            text += "\n… und " +
                    Anzahl(static_cast<long long>(fehler_.size() - kMaxFehler), "weiterer Fehler",
                           "weitere Fehler") +
                    ".";
        result.outcome = Outcome::Failure(text, titel::Importfehler);
        return result;
    }

private:
    // --- Faults -------------------------------------------------------------------------------

    void Fail(const Zelle& z, const std::string& text) {
        std::string where = *z.File + ", Zeile " + std::to_string(z.Line);
        if (z.Column > 0) where += ", Spalte " + std::to_string(z.Column);
        fehler_.push_back(where + ": " + text);
    }
    void FailFile(const std::string& file, const std::string& text) {
        fehler_.push_back(file + ": " + text);
    }
    // Keeps the fault of a cell's value and says whether there was one.
    template <typename T> bool Bad(const Zelle& z, const cells::Result<T>& value) {
        if (const auto* why = std::get_if<std::string>(&value)) {
            Fail(z, *why);
            return true;
        }
        return false;
    }

    // --- Files --------------------------------------------------------------------------------

    // Finds our files in the folder, whatever the case and the spelling of umlauts.
    bool ListFolder() {
        std::error_code ec;
        std::filesystem::directory_iterator it(folder_, ec);
        if (ec) {
            fehler_.push_back("Der Ordner " + folder_ +
                              " kann nicht gelesen werden: " + ec.message());
            return false;
        }
        for (const auto& entry : it) {
            std::error_code typeError;
            if (!entry.is_regular_file(typeError)) continue;
            const std::string name = entry.path().filename().string();
            files_[csv::Normalised(name)].push_back(name);
        }
        return true;
    }

    // The table `name` with the given columns; nothing when it is not there (a fault when it
    // is `required`) or cannot be read.
    std::optional<Blatt> Load(const char* name, std::span<const Spalte> columns,
                              bool required = false) {
        const auto found = files_.find(csv::Normalised(name));
        if (found == files_.end()) {
            if (required) FailFile(name, "Die Datei fehlt im Ordner " + folder_ + ".");
            return std::nullopt;
        }
        if (found->second.size() > 1) {
            FailFile(name, "Im Ordner stehen " + Quoted(found->second[0]) + " und " +
                               Quoted(found->second[1]) + "; welche gilt, ist unklar.");
            return std::nullopt;
        }
        Blatt b;
        b.File = found->second.front();
        const FileContent content = fs_.ReadAll(folder_ + "/" + b.File);
        if (!content.bytes) {
            FailFile(b.File, "Die Datei kann nicht gelesen werden. " + content.reason);
            return std::nullopt;
        }
        auto table = csv::Parse(csv::DecodeBytes(*content.bytes));
        if (!table) {
            FailFile(b.File, "Für die Datei reicht der Speicher nicht.");
            return std::nullopt;
        }
        b.Table = std::move(*table);
        if (b.Table.HeadingLine == 0) {
            if (required) FailFile(b.File, "Die Datei ist leer.");
            return required ? std::nullopt : std::optional<Blatt>(std::move(b));
        }
        const Zelle kopf{{}, &b.File, b.Table.HeadingLine, 0};
        std::map<std::string, const char*> known;
        for (const Spalte& s : columns)
            known[csv::Normalised(s.Heading)] = s.Heading;
        const std::size_t faults = fehler_.size();
        for (std::size_t i = 0; i < b.Table.Headings.size(); ++i) {
            const std::string key = csv::Normalised(b.Table.Headings[i]);
            const auto it = known.find(key);
            if (it == known.end()) continue; // a column of the user's own
            if (!b.Columns.emplace(key, static_cast<int>(i)).second)
                Fail({{}, &b.File, kopf.Line, static_cast<int>(i) + 1},
                     "Die Spalte " + Quoted(it->second) + " steht zweimal in der Kopfzeile.");
        }
        for (const Spalte& s : columns)
            if (s.Required && !b.Columns.count(csv::Normalised(s.Heading)))
                Fail(kopf, "Die Spalte " + Quoted(s.Heading) + " fehlt.");
        for (const csv::Row& row : b.Table.Rows)
            for (std::size_t i = b.Table.Headings.size(); i < row.Cells.size(); ++i)
                if (!cells::Trim(row.Cells[i]).empty()) {
                    Fail({{}, &b.File, row.Line, static_cast<int>(i) + 1},
                         "Hier steht ein Wert ohne Spalte in der Kopfzeile.");
                    break;
                }
        if (fehler_.size() > faults) return std::nullopt;
        return b;
    }

    // --- Values -------------------------------------------------------------------------------

    // A name that every file can hold; `what` with its article ("Der Lehrer").
    std::optional<std::string> Name(const Zelle& z, const char* what, bool commaAllowed = false) {
        if (z.Text.empty()) {
            Fail(z, std::string(what) + " fehlt.");
            return std::nullopt;
        }
        if (auto fault = CheckName(what, z.Text, {}, commaAllowed)) {
            Fail(z, *fault);
            return std::nullopt;
        }
        return z.Text;
    }

    // A new entry of a list: a valid name not yet in it.
    std::optional<std::string> NewName(const Zelle& z, const char* what, Namen& namen, int index,
                                       bool commaAllowed = false) {
        auto name = Name(z, what, commaAllowed);
        if (!name) return std::nullopt;
        const int before = namen.Index.Add(*name, index);
        if (before >= 0) {
            Fail(z, std::string(what) + " " + Quoted(*name) + " steht schon in Zeile " +
                        std::to_string(namen.Lines[static_cast<std::size_t>(before)]) + ".");
            return std::nullopt;
        }
        namen.Lines.push_back(z.Line);
        return name;
    }

    // A reference to an entry of `namen`: its name as the list holds it.
    std::optional<std::string> Ref(const Zelle& z, const std::string& item, const char* what,
                                   const Namen& namen, const std::vector<std::string>& list) {
        const int at = namen.Find(item);
        if (at < 0) {
            Fail(z, std::string(what) + " " + Quoted(item) + " gibt es nicht.");
            return std::nullopt;
        }
        return list[static_cast<std::size_t>(at)];
    }
    std::optional<std::string> Ref(const Zelle& z, const char* what, const Namen& namen,
                                   const std::vector<std::string>& list) {
        if (z.Text.empty()) {
            Fail(z, std::string(what) + " fehlt.");
            return std::nullopt;
        }
        return Ref(z, z.Text, what, namen, list);
    }
    // A list of references, each item once.
    std::optional<std::vector<std::string>> Refs(const Zelle& z, const char* what,
                                                 const Namen& namen,
                                                 const std::vector<std::string>& list) {
        std::vector<std::string> out;
        NameIndex seen;
        for (const std::string& item : cells::SplitList(z.Text)) {
            auto name = Ref(z, item, what, namen, list);
            if (!name) return std::nullopt;
            if (seen.Add(*name, 0) >= 0) {
                Fail(z, std::string(what) + " " + Quoted(*name) + " steht zweimal in der Liste.");
                return std::nullopt;
            }
            out.push_back(std::move(*name));
        }
        return out;
    }

    std::optional<bool> FlagIn(const Zelle& z, bool fallback) {
        const auto value = cells::ParseFlag(z.Text, fallback);
        if (Bad(z, value)) return std::nullopt;
        return std::get<bool>(value);
    }

    // A special-separation group: the class it is named by, -1 for none.
    std::optional<int> Separation(const Zelle& z) {
        if (cells::Trim(z.Text).empty()) return -1;
        const int at = klassen_.Find(z.Text);
        if (at < 0) {
            Fail(z, "Die Klasse " + Quoted(z.Text) + " gibt es nicht.");
            return std::nullopt;
        }
        return at;
    }

    // The rooms of `count` units: one item each, "-" or nothing for none; an empty cell gives
    // none at all.
    std::optional<std::vector<std::string>> UnitRooms(const Zelle& z, std::size_t count) {
        std::vector<std::string> rooms(count);
        if (cells::Trim(z.Text).empty()) return rooms;
        const auto items = cells::SplitList(z.Text);
        if (items.size() != count) {
            Fail(z, "Hier stehen " + Anzahl(static_cast<long long>(items.size()), "Raum", "Räume") +
                        " für " + Anzahl(static_cast<long long>(count), "Einheit", "Einheiten") +
                        " (ein Raum je Einheit, „-“ für keinen).");
            return std::nullopt;
        }
        for (std::size_t j = 0; j < count; ++j) {
            const std::string item = cells::Trim(items[j]);
            if (item.empty() || (item == kKeinRaum && raeume_.Find(items[j]) < 0)) continue;
            auto room = Ref(z, items[j], "Der Raum", raeume_, raumNamen_);
            if (!room) return std::nullopt;
            rooms[j] = std::move(*room);
        }
        return rooms;
    }

    // The hours of a block (`stunden`), its units (`einheiten`, lengths; empty: one hour each)
    // and their times (`zeiten`). `unitText(j)` names unit j in a sentence.
    template <typename UnitText>
    std::optional<std::pair<int, std::vector<CEinheit>>>
    Units(const AllgemeineAngaben& week, const Zelle& stunden, const Zelle& einheiten,
          const Zelle& zeiten, UnitText unitText) {
        std::vector<int> lengths;
        if (!cells::Trim(einheiten.Text).empty()) {
            const auto parsed = cells::ParseLengths(einheiten.Text, DayHours(week));
            if (Bad(einheiten, parsed)) return std::nullopt;
            lengths = std::get<std::vector<int>>(parsed);
        }
        long long sum = 0;
        for (int l : lengths)
            sum += l;
        int hours = 0;
        if (cells::Trim(stunden.Text).empty() && !lengths.empty()) {
            hours = static_cast<int>(sum);
        } else {
            const auto parsed = cells::ParseNumber(stunden.Text, 0, WeekHours(week));
            if (Bad(stunden, parsed)) return std::nullopt;
            hours = std::get<int>(parsed);
        }
        if (lengths.empty()) {
            lengths.assign(static_cast<std::size_t>(hours), 1);
            sum = hours;
        }
        if (sum != hours) {
            Fail(einheiten, "Die Einheiten " + Quoted(cells::Trim(einheiten.Text)) + " ergeben " +
                                Anzahl(sum, "Stunde", "Stunden") + ", die Wochenstunden sind " +
                                std::to_string(hours) + ".");
            return std::nullopt;
        }
        std::vector<CEinheit> units;
        units.reserve(lengths.size());
        for (int l : lengths)
            units.emplace_back(l, kNoSlot);
        if (cells::Trim(zeiten.Text).empty()) return std::make_pair(hours, std::move(units));
        const auto items = cells::SplitList(zeiten.Text);
        if (items.size() != units.size()) {
            Fail(zeiten,
                 "Hier stehen " +
                     Anzahl(static_cast<long long>(items.size()), "Zeitvorgabe", "Zeitvorgaben") +
                     " für " +
                     Anzahl(static_cast<long long>(units.size()), "Einheit", "Einheiten") +
                     " (eine je Einheit, „-“ für keine).");
            return std::nullopt;
        }
        for (std::size_t j = 0; j < units.size(); ++j) {
            if (auto why = cells::ParsePreset(items[j], units[j])) {
                Fail(zeiten, *why);
                return std::nullopt;
            }
            if (auto fault = UnitPresetFault(week, units[j])) {
                Fail(zeiten, Capitalised(unitText(j)) + " " + *fault + ".");
                return std::nullopt;
            }
        }
        return std::make_pair(hours, std::move(units));
    }

    // --- The tables ---------------------------------------------------------------------------

    bool ReadAllgemein(const std::optional<Blatt>& b, AllgemeineAngaben& a) {

        if (!b) return false;
        const auto& rows = b->Table.Rows;
        if (rows.size() != 1) {
            const int line = rows.empty() ? b->Table.HeadingLine + 1 : rows[1].Line;
            Fail({{}, &b->File, line, 0},
                 rows.empty() ? "Die Zeile mit den Werten fehlt."
                              : "Die Tabelle hat eine einzige Zeile mit Werten; hier steht eine "
                                "zweite.");
            return false;
        }
        const std::size_t faults = fehler_.size();
        const csv::Row& row = rows.front();
        const Zelle tage = b->Cell(row, spalte::Tage);
        const auto t = cells::ParseNumber(tage.Text, 1, kMaxDays);
        if (!Bad(tage, t)) a.Tage = std::get<int>(t);
        const Zelle stunden = b->Cell(row, spalte::Stunden);
        const auto s = cells::ParseNumber(stunden.Text, 1, kMaxHour);
        if (!Bad(stunden, s)) a.Stunden = std::get<int>(s);
        if (auto nullte = FlagIn(b->Cell(row, spalte::Nullte), false)) a.Nullte = *nullte;
        a.TagNamen = AllgemeineAngaben::DefaultDayNames(a.Tage);
        const Zelle namen = b->Cell(row, spalte::Tagesnamen);
        if (!cells::Trim(namen.Text).empty() && fehler_.size() == faults) {
            const auto items = cells::SplitList(namen.Text);
            if (items.size() != static_cast<std::size_t>(a.Tage)) {
                Fail(namen,
                     "Hier stehen " +
                         Anzahl(static_cast<long long>(items.size()), "Tagesname", "Tagesnamen") +
                         " für " + Anzahl(a.Tage, "Tag", "Tage") + ".");
            } else {
                for (std::size_t d = 0; d < items.size(); ++d) {
                    if (auto fault = CheckName("Der Tagesname", items[d])) Fail(namen, *fault);
                    a.TagNamen[d] = items[d];
                }
            }
        }
        return fehler_.size() == faults;
    }

    void ReadFaecher(const std::optional<Blatt>& b, Stammdaten& d) {

        if (!b) return;
        for (const csv::Row& row : b->Table.Rows)
            if (auto name = NewName(b->Cell(row, spalte::Name), "Das Fach", faecher_,
                                    static_cast<int>(d.Faecher.size())))
                d.Faecher.push_back(std::move(*name));
    }

    void ReadKlassen(const std::optional<Blatt>& b, Stammdaten& d) {

        if (!b) return;
        for (const csv::Row& row : b->Table.Rows) {
            CKlasse k;
            auto name = NewName(b->Cell(row, spalte::Name), "Die Klasse", klassen_,
                                static_cast<int>(d.Klassen.size()));
            const auto opti = FlagIn(b->Cell(row, spalte::Optimieren), true);
            // Every row with a name takes its place, so that the indexes stay in step.
            if (!name) continue;
            k.Name = std::move(*name);
            k.Opti = opti.value_or(true) ? 1 : 0;
            klassenNamen_.push_back(k.Name);
            d.Klassen.push_back(std::move(k));
        }
    }

    // Three flags from a list of their names; an empty cell gives `fallback`, "keiner" none.
    std::optional<std::array<Flag, 3>> Flags(const Zelle& z, const char* const (&names)[3],
                                             std::array<Flag, 3> fallback, const char* what) {
        if (cells::Trim(z.Text).empty()) return fallback;
        std::array<Flag, 3> flags{0, 0, 0};
        if (csv::Normalised(z.Text) == "keiner") return flags;
        for (const std::string& item : cells::SplitList(z.Text)) {
            bool found = false;
            for (std::size_t i = 0; i < 3; ++i)
                if (csv::Normalised(item) == csv::Normalised(names[i])) {
                    flags[i] = 1;
                    found = true;
                }
            if (!found) {
                Fail(z, Quoted(cells::Trim(item)) + " ist " + what + " (" + names[0] + ", " +
                            names[1] + ", " + names[2] + ").");
                return std::nullopt;
            }
        }
        return flags;
    }

    void ReadRaeume(const std::optional<Blatt>& b, Stammdaten& d) {

        if (!b) return;
        for (const csv::Row& row : b->Table.Rows) {
            const std::size_t faults = fehler_.size();
            CRaumFach r;
            auto name = NewName(b->Cell(row, spalte::Name), "Der Raum", raeume_,
                                static_cast<int>(d.Raeume.size()));
            const Zelle kurz = b->Cell(row, spalte::Kuerzel);
            if (auto fault = CheckName("Das Kürzel", kurz.Text, {}, true)) Fail(kurz, *fault);
            const Zelle typ = b->Cell(row, spalte::Typ);
            const auto fachTyp = Flags(typ, kFachTypen, {1, 0, 0}, "kein Raumtyp");
            const auto faecher =
                Refs(b->Cell(row, spalte::Faecher), "Das Fach", faecher_, d.Faecher);
            const auto klassenTyp = Flags(b->Cell(row, spalte::Klassenraum), kKlassenTypen,
                                          {0, 0, 0}, "keine Angabe zum Klassenraum");
            const Zelle klasse = b->Cell(row, spalte::KlassenraumVon);
            std::optional<std::string> von = std::string();
            if (!cells::Trim(klasse.Text).empty())
                von = Ref(klasse, "Die Klasse", klassen_, klassenNamen_);
            const auto freigabe = FlagIn(b->Cell(row, spalte::KurseFreigeben), false);
            if (!name) continue;
            r.Name = std::move(*name);
            const bool whole =
                fehler_.size() == faults && fachTyp && faecher && klassenTyp && von && freigabe;
            // A room without subjects serves every subject, whatever its type says.
            if (whole && faecher->empty() && *fachTyp != std::array<Flag, 3>{1, 0, 0})
                Fail(typ, "Ein Raum vom Typ " + Quoted(cells::Trim(typ.Text)) +
                              " braucht mindestens ein Fach.");
            else if (whole && (*klassenTyp)[0] && !von->empty())
                Fail(klasse, "Der Raum ist als " + Quoted(kKlassenTypen[0]) +
                                 " angegeben und kann nicht Klassenraum der Klasse " +
                                 Quoted(*von) + " sein.");
            else if (whole) {
                r.Kurz = kurz.Text;
                r.Faecher = *faecher;
                r.FachTyp = *fachTyp;
                r.KlassenTyp = *klassenTyp;
                r.Klasse = *von;
                r.KlassenKursFreigabe = *freigabe ? 1 : 0;
            }
            raumNamen_.push_back(r.Name);
            d.Raeume.push_back(std::move(r));
        }
    }

    void ReadLehrer(const std::optional<Blatt>& b, Stammdaten& d) {

        if (!b) return;
        for (const csv::Row& row : b->Table.Rows) {
            const std::size_t faults = fehler_.size();
            CLehrer l;
            auto name = NewName(b->Cell(row, spalte::Name), "Der Lehrer", lehrer_,
                                static_cast<int>(d.Lehrer.size()));
            const Zelle kurz = b->Cell(row, spalte::Kuerzel);
            if (auto fault = CheckName("Das Kürzel", kurz.Text, {}, true)) Fail(kurz, *fault);
            const auto faecher =
                Refs(b->Cell(row, spalte::Faecher), "Das Fach", faecher_, d.Faecher);
            const Zelle klasse = b->Cell(row, spalte::KlassenlehrerVon);
            std::optional<std::string> von = std::string();
            if (!cells::Trim(klasse.Text).empty())
                von = Ref(klasse, "Die Klasse", klassen_, klassenNamen_);
            const auto klassenlehrer =
                FlagIn(b->Cell(row, spalte::Klassenlehrer), von && !von->empty());
            const auto opti = FlagIn(b->Cell(row, spalte::Optimieren), true);
            const auto freieTage = FlagIn(b->Cell(row, spalte::FreieTage), false);
            const auto weg = FlagIn(b->Cell(row, spalte::NichtVerfuegbar), false);
            if (!name) continue;
            l.Name = std::move(*name);
            if (fehler_.size() == faults && faecher && von && klassenlehrer && opti && freieTage &&
                weg) {
                l.Kurz = kurz.Text;
                l.Faecher = *faecher;
                l.KlassenLehrer = *klassenlehrer ? 1 : 0;
                l.Klasse = *von;
                l.Opti = *opti ? 1 : 0;
                l.TendenzZuFreienTagen = *freieTage ? 1 : 0;
                l.NichtVerfuegbar = *weg ? 1 : 0;
            }
            lehrerNamen_.push_back(l.Name);
            d.Lehrer.push_back(std::move(l));
        }
    }

    void ReadKurse(const std::optional<Blatt>& b, const std::optional<Blatt>& lehrer,
                   Stammdaten& d) {

        // The units of each course, handed to its teachers below.
        std::vector<std::vector<CEinheit>> units;
        std::vector<bool> given; // the course names its units itself
        Namen kurse;
        if (b) {
            for (const csv::Row& row : b->Table.Rows) {
                const std::size_t faults = fehler_.size();
                CKursBlock k;
                auto name = NewName(b->Cell(row, spalte::Name), "Der Kurs", kurse,
                                    static_cast<int>(d.KursBloecke.size()), true);
                const Zelle kurz = b->Cell(row, spalte::Kuerzel);
                if (auto fault = CheckName("Das Kürzel", kurz.Text, {}, true)) Fail(kurz, *fault);
                const auto klassen =
                    Refs(b->Cell(row, spalte::Klassen), "Die Klasse", klassen_, klassenNamen_);
                const auto trennung = FlagIn(b->Cell(row, spalte::Trennung), true);
                const auto group = Separation(b->Cell(row, spalte::SpezialTrennung));
                const std::string kursName = name ? *name : std::string();
                auto block = Units(d.Angaben, b->Cell(row, spalte::Wochenstunden),
                                   b->Cell(row, spalte::Einheiten),
                                   b->Cell(row, spalte::Zeitvorgaben), [&kursName](std::size_t j) {
                                       return "die " + std::to_string(j + 1) +
                                              ". Einheit des Kurses " + Quoted(kursName);
                                   });
                if (!name) continue;
                k.Name = std::move(*name);
                units.emplace_back();
                given.push_back(!cells::Trim(b->Cell(row, spalte::Einheiten).Text).empty());
                if (fehler_.size() == faults && klassen && trennung && group && block) {
                    k.Kurz = kurz.Text;
                    k.Klassen = *klassen;
                    k.Trennung = *trennung ? 1 : 0;
                    k.SpezialTrennung = *group;
                    k.BStunden = block->first;
                    units.back() = std::move(block->second);
                }
                kursNamen_.push_back(k.Name);
                d.KursBloecke.push_back(std::move(k));
            }
        }
        ReadKurslehrer(lehrer, d, kurse, units);
        // A course holds its units with its teachers: without one they have nowhere to go.
        for (std::size_t i = 0; i < d.KursBloecke.size(); ++i)
            if (d.KursBloecke[i].Lehrer.empty() && !units[i].empty() && given[i])
                weggelassen_.push_back(d.KursBloecke[i].Name);
    }

    void ReadKurslehrer(const std::optional<Blatt>& b, Stammdaten& d, const Namen& kurse,
                        const std::vector<std::vector<CEinheit>>& units) {

        if (!b) return;
        // The line of each teacher in each course, so that none stands twice.
        std::map<std::pair<int, std::string>, int> seen;
        for (const csv::Row& row : b->Table.Rows) {
            const Zelle kursZelle = b->Cell(row, spalte::Kurs);
            const auto kurs = Ref(kursZelle, "Der Kurs", kurse, kursNamen_);
            const Zelle lehrerZelle = b->Cell(row, spalte::Lehrer);
            const auto lehrer = Ref(lehrerZelle, "Der Lehrer", lehrer_, lehrerNamen_);
            const auto fach = Ref(b->Cell(row, spalte::Fach), "Das Fach", faecher_, d.Faecher);
            if (!kurs || !lehrer || !fach) continue;
            const int k = kurse.Find(*kurs);
            const auto [it, neu] = seen.try_emplace({k, *lehrer}, row.Line);
            if (!neu) {
                Fail(lehrerZelle, "Der Lehrer " + Quoted(*lehrer) + " steht schon in Zeile " +
                                      std::to_string(it->second) + " beim Kurs " + Quoted(*kurs) +
                                      ".");
                continue;
            }
            const auto& own = units[static_cast<std::size_t>(k)];
            const auto rooms = UnitRooms(b->Cell(row, spalte::Raeume), own.size());
            if (!rooms) continue;
            CKursLehrer kl;
            kl.Name = *lehrer;
            kl.Einheiten = own;
            for (std::size_t j = 0; j < own.size(); ++j)
                kl.Einheiten[j].Raum = (*rooms)[j];
            CKursBlock& block = d.KursBloecke[static_cast<std::size_t>(k)];
            block.Faecher.push_back(*fach);
            block.Lehrer.push_back(std::move(kl));
        }
    }

    void ReadUnterricht(const std::optional<Blatt>& b, Stammdaten& d) {

        if (!b) return;
        std::unordered_map<std::string, int> lines; // key -> line
        for (const csv::Row& row : b->Table.Rows) {
            const std::size_t faults = fehler_.size();
            CFachBlock block;
            const auto lehrer =
                Ref(b->Cell(row, spalte::Lehrer), "Der Lehrer", lehrer_, lehrerNamen_);
            const auto klasse =
                Ref(b->Cell(row, spalte::Klasse), "Die Klasse", klassen_, klassenNamen_);
            const Zelle fachZelle = b->Cell(row, spalte::Fach);
            const auto fach = Ref(fachZelle, "Das Fach", faecher_, d.Faecher);
            const auto trennung = FlagIn(b->Cell(row, spalte::Trennung), true);
            const auto group = Separation(b->Cell(row, spalte::SpezialTrennung));
            if (lehrer && klasse && fach) {
                block.Lehrer = *lehrer;
                block.Klasse = *klasse;
                block.Fach = *fach;
            }
            const std::string key = block.Key();
            auto units = Units(d.Angaben, b->Cell(row, spalte::Wochenstunden),
                               b->Cell(row, spalte::Einheiten), b->Cell(row, spalte::Zeitvorgaben),
                               [&key](std::size_t j) { return FachEinheitText(key, j); });
            const auto rooms = units ? UnitRooms(b->Cell(row, spalte::Raeume), units->second.size())
                                     : std::nullopt;
            if (fehler_.size() > faults || !lehrer || !klasse || !fach || !trennung || !group ||
                !units || !rooms)
                continue;
            const auto [it, neu] = lines.try_emplace(key, row.Line);
            if (!neu) {
                Fail(fachZelle, "Den Unterricht " + Quoted(key) + " gibt es schon in Zeile " +
                                    std::to_string(it->second) + ".");
                continue;
            }
            block.BStunden = units->first;
            block.Einheiten = std::move(units->second);
            for (std::size_t j = 0; j < block.Einheiten.size(); ++j)
                block.Einheiten[j].Raum = (*rooms)[j];
            block.Trennung = *trennung ? 1 : 0;
            block.SpezialTrennung = *group;
            d.AddFachBlock(std::move(block));
        }
        unterrichtZeilen_ = static_cast<int>(b->Table.Rows.size());
    }

    void ReadSperren(const std::optional<Blatt>& b, Stammdaten& d) {

        if (!b) return;
        for (const csv::Row& row : b->Table.Rows) {
            const Zelle art = b->Cell(row, spalte::Art);
            const Zelle name = b->Cell(row, spalte::Name);
            LockGrid* grid = nullptr;
            const std::string kind = csv::Normalised(art.Text);
            if (kind == csv::Normalised(kArtLehrer)) {
                if (auto l = Ref(name, "Der Lehrer", lehrer_, lehrerNamen_))
                    grid = &d.Lehrer[static_cast<std::size_t>(lehrer_.Find(*l))].Sperre;
            } else if (kind == csv::Normalised(kArtKlasse)) {
                if (auto k = Ref(name, "Die Klasse", klassen_, klassenNamen_))
                    grid = &d.Klassen[static_cast<std::size_t>(klassen_.Find(*k))].Sperre;
            } else if (kind == csv::Normalised(kArtRaum)) {
                if (auto r = Ref(name, "Der Raum", raeume_, raumNamen_))
                    grid = &d.Raeume[static_cast<std::size_t>(raeume_.Find(*r))].Sperre;
            } else {
                Fail(art, Quoted(art.Text) + " ist keine Art von Sperre (" + kArtLehrer + ", " +
                              kArtKlasse + ", " + kArtRaum + ").");
            }
            const Zelle tag = b->Cell(row, spalte::Tag);
            const auto day = cells::ParseDay(tag.Text);
            const Zelle stunden = b->Cell(row, spalte::Stunden);
            const auto hours = cells::ParseHours(stunden.Text);
            const bool badDay = Bad(tag, day);
            if (Bad(stunden, hours) || badDay || grid == nullptr) continue;
            for (int hour : std::get<std::vector<int>>(hours))
                (*grid)[static_cast<std::size_t>(SlotOf(std::get<int>(day), hour))] = 1;
            ++sperren_;
        }
    }

    void Report(const Stammdaten& d, ImportReport& report) const {
        const auto count = [](const auto& list) { return static_cast<int>(list.size()); };
        report.AddCount(ImportFate::Uebernommen, "Fächer", count(d.Faecher));
        report.AddCount(ImportFate::Uebernommen, "Räume", count(d.Raeume));
        report.AddCount(ImportFate::Uebernommen, "Lehrer", count(d.Lehrer));
        report.AddCount(ImportFate::Uebernommen, "Klassen", count(d.Klassen));
        report.AddCount(ImportFate::Uebernommen, "Unterrichte", count(d.FachBloecke));
        report.AddCount(ImportFate::Uebernommen, "Kurse", count(d.KursBloecke));
        report.AddCount(ImportFate::Uebernommen, "Sperren", sperren_);
        for (const std::string& kurs : weggelassen_)
            report.Add(ImportFate::Weggelassen, "Einheiten eines Kurses ohne Lehrer",
                       "ein Kurs hält seine Einheiten bei seinen Lehrern (Kurslehrer.csv)", kurs);
        report.Activities = unterrichtZeilen_ + count(d.KursBloecke);
        report.Hours = d.LessonHours();
        report.SourceHours = report.Hours;
    }

    const std::string& folder_;
    FileOps& fs_;
    std::map<std::string, std::vector<std::string>> files_; // normalised name -> names
    std::vector<std::string> fehler_;
    Namen faecher_, klassen_, raeume_, lehrer_;
    std::vector<std::string> klassenNamen_, raumNamen_, lehrerNamen_, kursNamen_;
    std::vector<std::string> weggelassen_;
    int unterrichtZeilen_ = 0;
    int sperren_ = 0;
};

} // namespace

ImportResult ImportTables(const std::string& folder, FileOps& fs) {
    return TableReader(folder, fs).Read();
}

} // namespace sw
