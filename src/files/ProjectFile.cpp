// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ProjectFile.h"

#include "files/FileTexts.h"
#include "files/Ini.h"
#include "model/Cp1252.h"
#include "model/NameIndex.h"
#include "model/Names.h"
#include "model/Presets.h"
#include "model/Regeln.h"
#include "model/SchulZeiten.h"
#include "model/Text.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>
#include <utility>

namespace sw {
namespace {

constexpr const char* kAllgemein = "AllgemeineAngaben";
constexpr int kLastSlot = kSlotCount - 1;

// A name or value in quotes, with control characters made visible.
std::string Quoted(std::string_view text) {
    return "\"" + ForMessage(text) + "\"";
}

std::string Num(long long value) {
    return std::to_string(value);
}

// ---------------------------------------------------------------------------------------------
// Messages

const char* const kSchwerwiegend =
    "Ein schwerwiegender Fehler ist aufgetreten.\nEs wird empfohlen, "
    "die Daten unter einem neuen Dateinamen abzuspeichern";
const char* const kNichtSpeicherbar = "Die Daten können nicht gespeichert werden:\n";

// The failed save of `path`, with the reason on a line of its own.
std::string NichtErzeugt(const std::string& path, const FileResult& why) {
    return "Fehler beim Speichern der Datei:\n" + path + "\nDatei konnte nicht erzeugt werden.\n" +
           why.Reason;
}
// The backup could not be made: the save stops before the file is touched.
std::string BackupFailed(const std::string& backup, const FileResult& why) {
    return std::string(kSchwerwiegend) + "\nSicherheitskopie " + backup + ": " + why.Reason;
}
std::string NurSicherheitskopie(const std::string& backup) {
    return "Ein schwerwiegender Fehler ist aufgetreten.\n\nEs wurde eine Sicherheitskopie der "
           "Datei "
           "erstellt:\n" +
           backup;
}
std::string KeineGueltigeDatei(const std::string& path) {
    return "Die Datei" + path + "\nist keine gültige Datei.";
}
std::string NichtLesbar(const std::string& path) {
    return "Die Datei " + path + "\nkann nicht gelesen werden.";
}
std::string LeseFehler(const std::string& path) {
    return "Fehler beim Lesen der Datei " + path + ":\n";
}
std::string ZuKurz(long long expected) {
    return "Die Liste hat weniger als " + Num(expected) +
           (expected == 1 ? " Eintrag." : " Einträge.");
}
std::string FehltInListe(const char* what, const std::string& name, const char* list) {
    return std::string(what) + " " + Quoted(name) + " ist nicht in der " + list + ".";
}

// ---------------------------------------------------------------------------------------------
// Save: what the file cannot carry

// The day names are kept only when they differ from the defaults, so that the files of
// schools with the usual names stay as they were.
bool OwnDayNames(const AllgemeineAngaben& a) {
    return TagNamenDerWoche(a) != AllgemeineAngaben::DefaultDayNames(a.Tage);
}

// Walks the master data in the order it is written and keeps the first problem. Every text
// must be a name every file can hold (model/Names.h: no "," that would split a list, no control
// character, only Windows-1252, …). Beyond that it refuses what the reader would refuse, so
// that every file written can be opened again.
class SaveCheck {
public:
    explicit SaveCheck(const Stammdaten& data) : d_(data), index_(data) {}

    std::optional<std::string> Run() {
        const AllgemeineAngaben& a = d_.Angaben;
        if (!IsValidTage(a.Tage))
            Problem("Die Zahl der Unterrichtstage (" + Num(a.Tage) +
                    ") liegt nicht zwischen 1 und " + Num(kMaxDays) + ".");
        if (!IsValidStunden(a.Stunden))
            Problem("Die Zahl der Stunden pro Tag (" + Num(a.Stunden) +
                    ") liegt nicht zwischen 1 und " + Num(kMaxHour) + ".");
        if (OwnDayNames(a))
            for (int d = 0; d < a.Tage; ++d)
                Text(TagName(a, d), "Der Tagesname", "Tag " + Num(d + 1));
        for (const auto& fach : d_.Faecher)
            Text(fach, "Der Name", "Fach");
        for (const auto& r : d_.Raeume) {
            Text(r.Name, "Der Name", "Raum");
            const std::string owner = "Raum " + Quoted(r.Name);
            Text(r.Kurz, "Das Kürzel", owner, true);
            for (const auto& fach : r.Faecher)
                Text(fach, "Das Fach", owner);
            Text(r.Klasse, "Die Klasse", owner, true);
        }
        for (const auto& l : d_.Lehrer) {
            Text(l.Name, "Der Name", "Lehrer");
            const std::string owner = "Lehrer " + Quoted(l.Name);
            Text(l.Kurz, "Das Kürzel", owner, true);
            for (const auto& fach : l.Faecher)
                Text(fach, "Das Fach", owner);
            Text(l.Klasse, "Die Klasse", owner, true);
        }
        for (const auto& k : d_.Klassen)
            Text(k.Name, "Der Name", "Klasse");
        if (auto twice = d_.DuplicateName()) Problem(*twice);
        if (auto text = TextThatMakesTheFileReadAsUtf8(d_, OwnDayNames(a)))
            Problem(Utf8Doppelgaenger(*text));
        if (d_.LessonHours() > kMaxLessonHours)
            Problem("Die Schule hat " + Num(d_.LessonHours()) + " Unterrichtsstunden; mehr als " +
                    Num(kMaxLessonHours) + " kann das Programm nicht planen.");
        for (const auto& u : d_.FachBloecke)
            FachBlock(u);
        for (const auto& k : d_.KursBloecke)
            KursBlock(k);
        // A relation lists its course blocks by name in one value, item after item.
        for (const auto& b : d_.Beziehungen)
            for (const auto& ref : b.Bloecke)
                if (ref.Kurs && ref.Name.find(',') != std::string::npos)
                    Problem("Der Kurs " + Quoted(ref.Name) +
                            " enthält ein Komma und kann deshalb in keiner Beziehung stehen.");
        if (auto rule = RegelProblem(d_)) Problem(*rule);
        if (auto zeiten = StundenZeitenProblem(a.StundenZeiten, a.Stunden, a.Nullte))
            Problem(*zeiten);
        if (auto jahr = SchuljahrProblem(a.Schuljahr)) Problem(*jahr);
        return problem_;
    }

private:
    void Problem(std::string text) {
        if (!problem_) problem_ = std::move(text);
    }

    // `what` names the text with its article, `owner` says whose it is.
    void Text(const std::string& text, const char* what, const std::string& owner,
              bool commaAllowed = false) {
        if (auto fault = CheckName(what, text, owner, commaAllowed)) Problem(*fault);
    }

    // `unitText(j)` names unit j in a sentence about its presets.
    template <typename UnitText>
    void Units(const std::vector<CEinheit>& units, const std::string& owner, UnitText unitText) {
        for (std::size_t j = 0; j < units.size(); ++j) {
            const CEinheit& e = units[j];
            if (e.Laenge < 1)
                Problem("Eine Einheit (" + owner + ") hat die ungültige Länge " + Num(e.Laenge) +
                        ".");
            if (e.Laenge > DayHours(d_.Angaben))
                Problem("Eine Einheit (" + owner + ") ist " + Num(e.Laenge) +
                        " Stunden lang; ein Tag hat nur " + Num(DayHours(d_.Angaben)) + ".");
            if (e.Zeitvorgabe < kNoSlot || e.Zeitvorgabe > kLastSlot)
                Problem("Eine Einheit (" + owner + ") hat die ungültige Zeitvorgabe " +
                        Num(e.Zeitvorgabe) + ".");
            if (e.Tag < -1 || e.Tag >= kMaxDays)
                Problem("Eine Einheit (" + owner + ") hat den ungültigen Tag " + Num(e.Tag) + ".");
            Text(e.Raum, "Der Raum", owner);
            if (e.Laenge >= 1 && e.Laenge <= DayHours(d_.Angaben) && !problem_)
                if (auto fault = UnitPresetFault(d_.Angaben, e))
                    Problem(Capitalised(unitText(j)) + " " + *fault + ".");
        }
    }

    // A block holds no more hours than the week, in its units and in its stated hours.
    void Hours(int bStunden, const std::vector<CEinheit>& units, const std::string& owner) {
        const int most = WeekHours(d_.Angaben);
        long long sum = 0;
        for (const auto& e : units)
            sum += e.Laenge;
        if (sum > most)
            Problem("Die Einheiten (" + owner + ") ergeben " + Num(sum) +
                    " Stunden; die Woche hat nur " + Num(most) + ".");
        if (bStunden < 0 || bStunden > most)
            Problem("Die Wochenstunden (" + owner + ") liegen mit " + Num(bStunden) +
                    " nicht im Bereich 0 bis " + Num(most) + ".");
    }

    void Lehrer(const std::string& name, const std::string& owner) {
        if (index_.Lehrer.Find(name) < 0)
            Problem("Der Lehrer " + Quoted(name) + " (" + owner +
                    ") ist nicht in der Lehrerliste.");
    }
    void Klasse(const std::string& name, const std::string& owner) {
        if (index_.Klassen.Find(name) < 0)
            Problem("Die Klasse " + Quoted(name) + " (" + owner +
                    ") ist nicht in der Klassenliste.");
    }

    void FachBlock(const Unterricht& u) {
        const CFachBlock& b = u.Block;
        const std::string owner = "Unterricht " + Quoted(u.Key);
        Text(b.Lehrer, "Der Lehrer", owner, true);
        Text(b.Klasse, "Die Klasse", owner, true);
        Text(b.Fach, "Das Fach", owner, true);
        Units(b.Einheiten, owner, [&u](std::size_t j) { return FachEinheitText(u.Key, j); });
        Hours(b.BStunden, b.Einheiten, owner);
        Lehrer(b.Lehrer, owner);
        Klasse(b.Klasse, owner);
        Separation(b.SpezialTrennung, owner);
    }

    // The special-separation group is a class index, or -1.
    void Separation(int group, const std::string& owner) {
        if (group < -1 || group >= static_cast<int>(d_.Klassen.size()))
            Problem("Die Spezial-Trennung (" + owner + ") nennt die Klasse Nummer " + Num(group) +
                    ", die es nicht gibt.");
    }

    void KursBlock(const CKursBlock& k) {
        Text(k.Name, "Der Name", "Kurs", true);
        const std::string owner = "Kurs " + Quoted(k.Name);
        Text(k.Kurz, "Das Kürzel", owner, true);
        for (const auto& fach : k.Faecher)
            Text(fach, "Das Fach", owner);
        for (std::size_t t = 0; t < k.Lehrer.size(); ++t) {
            Text(k.Lehrer[t].Name, "Der Lehrer", owner);
            Units(k.Lehrer[t].Einheiten, owner,
                  [&k, t](std::size_t j) { return KursEinheitText(k, t, j); });
        }
        for (const auto& klasse : k.Klassen)
            Text(klasse, "Die Klasse", owner);
        // The file holds one subject per teacher and the units of the first teacher only; the
        // others contribute their rooms.
        if (k.Faecher.size() != k.Lehrer.size())
            Problem("Der Kurs " + Quoted(k.Name) + " hat nicht für jeden Lehrer genau ein Fach.");
        for (const auto& l : k.Lehrer) {
            const auto& first = k.Lehrer.front().Einheiten;
            bool same = l.Einheiten.size() == first.size();
            for (std::size_t j = 0; same && j < first.size(); ++j)
                same = l.Einheiten[j].Laenge == first[j].Laenge &&
                       l.Einheiten[j].Zeitvorgabe == first[j].Zeitvorgabe;
            if (!same)
                Problem("Die Lehrer des Kurses " + Quoted(k.Name) +
                        " haben nicht dieselben Einheiten (Anzahl, Längen und Zeitvorgaben).");
        }
        if (auto fault = CourseParallelFault(k)) Problem(*fault);
        Hours(k.BStunden, k.Lehrer.empty() ? std::vector<CEinheit>{} : k.Lehrer.front().Einheiten,
              owner);
        for (const auto& l : k.Lehrer)
            Lehrer(l.Name, owner);
        for (const auto& klasse : k.Klassen)
            if (!klasse.empty()) Klasse(klasse, owner);
        Separation(k.SpezialTrennung, owner);
    }

    const Stammdaten& d_;
    const StammdatenIndex index_;
    std::optional<std::string> problem_;
};

// ---------------------------------------------------------------------------------------------
// Save: the content

// A list value: every item followed by ",", so an empty list is an empty value.
std::string ListOf(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items)
        out.append(item).push_back(',');
    return out;
}

std::string FlagText(Flag flag) {
    return flag ? "1" : "0";
}

std::string FlagsOf(const std::array<Flag, 3>& flags) {
    std::string out;
    for (Flag f : flags)
        out.append(FlagText(f)).push_back(',');
    return out;
}

std::string LocksOf(const LockGrid& grid) {
    std::string out;
    out.reserve(2 * grid.size());
    for (auto cell : grid)
        out.append(cell ? "1," : "0,");
    return out;
}

// A list of slots (day*13+hour), each followed by ",".
std::string SlotsOf(const std::vector<int>& slots) {
    std::string out;
    for (int slot : slots)
        out += Num(slot) + ",";
    return out;
}

// The rules of a teacher's or class's days; each key only when its rule is set.
void WriteTagesRegeln(IniFile& ini, const std::string& s, const CTagesRegeln& r) {
    const auto put = [&](const char* key, int value) {
        if (value != kKeineRegel) ini.SetString(s, key, Num(value));
    };
    put("MaxStundenProTag", r.MaxStundenProTag);
    put("MinStundenProTag", r.MinStundenProTag);
    put("MaxLueckenProTag", r.MaxLueckenProTag);
    put("MaxLueckenProWoche", r.MaxLueckenProWoche);
    put("MaxStundenInFolge", r.MaxInFolge);
}

void WriteLehrerRegeln(IniFile& ini, const std::string& s, const CLehrerRegeln& r) {
    WriteTagesRegeln(ini, s, r);
    if (r.MaxTage != kKeineRegel) ini.SetString(s, "MaxTage", Num(r.MaxTage));
    if (r.MinTage != kKeineRegel) ini.SetString(s, "MinTage", Num(r.MinTage));
    if (r.FensterVon != kKeineRegel || r.FensterBis != kKeineRegel ||
        r.FensterMaxTage != kKeineRegel)
        ini.SetString(s, "Zeitfenster", SlotsOf({r.FensterVon, r.FensterBis, r.FensterMaxTage}));
}

void WriteBlockRegeln(IniFile& ini, const std::string& s, const CBlockRegeln& r) {
    if (!r.ErlaubteZeiten.empty()) ini.SetString(s, "ErlaubteZeiten", SlotsOf(r.ErlaubteZeiten));
    if (r.MinTageAbstand != 0) ini.SetString(s, "MinTageAbstand", Num(r.MinTageAbstand));
    if (r.Tagesende) ini.SetString(s, "Tagesende", "1");
}

// A relation: its kind, and its blocks as "U:" + the subject block's key or "K:" + the course
// block's name, each followed by ",". A subject block is named by the key the reader gives it
// (teacher / class / subject).
void WriteBeziehung(IniFile& ini, const std::string& s, const CBeziehung& b, const Stammdaten& d) {
    ini.SetString(s, "Art", BeziehungsArtWort(b.Art));
    std::string bloecke;
    for (const auto& ref : b.Bloecke) {
        if (ref.Kurs) {
            bloecke += "K:" + ref.Name + ",";
            continue;
        }
        const int i = d.FindFachBlock(ref.Name);
        bloecke +=
            "U:" + (i < 0 ? ref.Name : d.FachBloecke[static_cast<std::size_t>(i)].Block.Key()) +
            ",";
    }
    ini.SetString(s, "Bloecke", bloecke);
}

void WriteRaum(IniFile& ini, const std::string& s, const CRaumFach& r) {
    ini.SetString(s, "Name", r.Name);
    ini.SetString(s, "Kurz", r.Kurz);
    ini.SetString(s, "FaecherNo", Num(static_cast<long long>(r.Faecher.size())));
    ini.SetString(s, "Faecher", ListOf(r.Faecher));
    ini.SetString(s, "FachTyp", FlagsOf(r.FachTyp));
    ini.SetString(s, "KlassenTyp", FlagsOf(r.KlassenTyp));
    ini.SetString(s, "Klasse", r.Klasse);
    ini.SetString(s, "Sperre", LocksOf(r.Sperre));
    // The settings of the dialogs beyond the keys above are written only when they differ from
    // a new entity's, so the files of schools without them stay as they were.
    if (r.KlassenKursFreigabe) ini.SetString(s, "KlassenKursFreigabe", "1");
}

void WriteLehrer(IniFile& ini, const std::string& s, const CLehrer& l) {
    ini.SetString(s, "Name", l.Name);
    ini.SetString(s, "Kurz", l.Kurz);
    ini.SetString(s, "FaecherNo", Num(static_cast<long long>(l.Faecher.size())));
    ini.SetString(s, "Faecher", ListOf(l.Faecher));
    ini.SetString(s, "KlassenLehrer", FlagText(l.KlassenLehrer));
    ini.SetString(s, "Klasse", l.Klasse);
    ini.SetString(s, "Sperre", LocksOf(l.Sperre));
    if (!l.Opti) ini.SetString(s, "Opti", "0");
    if (l.TendenzZuFreienTagen) ini.SetString(s, "TendenzZuFreienTagen", "1");
    // Marked absent in substitution planning; kept until it is taken back there.
    if (l.NichtVerfuegbar) ini.SetString(s, "NichtVerfuegbar", "1");
    WriteLehrerRegeln(ini, s, l.Regeln);
}

// What a unit holds beyond its length, time and room: "nur für die Urplan - Erstellung", the
// upper and lower hour limit (the time then holds the limit hour), the day restriction and its
// day. Without them a limit would read back as a fixed time on the first day. They are written
// under "Vorgaben" only when some unit of the block has one, so the files of schools without
// them stay as they were.
bool HasPresets(const std::vector<CEinheit>& units) {
    return std::any_of(units.begin(), units.end(), [](const CEinheit& e) {
        return e.NurUrPlan || e.OberesLimit || e.UnteresLimit || e.TagesLimit || e.Tag != -1;
    });
}

void AppendPresets(std::string& out, const CEinheit& e) {
    for (int v :
         {int{e.NurUrPlan}, int{e.OberesLimit}, int{e.UnteresLimit}, int{e.TagesLimit}, e.Tag})
        out += Num(v) + ",";
}

void WriteFachBlock(IniFile& ini, const std::string& s, const CFachBlock& b) {
    ini.SetString(s, "Lehrer", b.Lehrer);
    ini.SetString(s, "Klasse", b.Klasse);
    ini.SetString(s, "Fach", b.Fach);
    ini.SetString(s, "Trennung", FlagText(b.Trennung));
    ini.SetString(s, "EinheitenNo", Num(static_cast<long long>(b.Einheiten.size())));
    std::string units;
    for (const auto& e : b.Einheiten)
        units += Num(e.Laenge) + "," + Num(e.Zeitvorgabe) + "," + e.Raum + ",";
    ini.SetString(s, "Einheiten", units);
    ini.SetString(s, "BStunden", Num(b.BStunden));
    if (HasPresets(b.Einheiten)) {
        std::string presets;
        for (const auto& e : b.Einheiten)
            AppendPresets(presets, e);
        ini.SetString(s, "Vorgaben", presets);
    }
    if (b.SpezialTrennung != -1) ini.SetString(s, "SpezialTrennung", Num(b.SpezialTrennung));
    WriteBlockRegeln(ini, s, b.Regeln);
}

void WriteKursBlock(IniFile& ini, const std::string& s, const CKursBlock& k) {
    ini.SetString(s, "Name", k.Name);
    ini.SetString(s, "Kurz", k.Kurz);
    ini.SetString(s, "LehrerNo", Num(static_cast<long long>(k.Lehrer.size())));
    ini.SetString(s, "KlassenNo", Num(static_cast<long long>(k.Klassen.size())));
    if (!k.Lehrer.empty()) {
        ini.SetString(s, "Faecher", ListOf(k.Faecher));
        std::string names;
        std::string rooms;
        for (const auto& l : k.Lehrer) {
            names.append(l.Name).push_back(',');
            for (const auto& e : l.Einheiten)
                rooms.append(e.Raum).push_back(',');
        }
        ini.SetString(s, "Lehrer", names);
        const auto& first = k.Lehrer.front().Einheiten;
        ini.SetString(s, "EinheitenNo", Num(static_cast<long long>(first.size())));
        std::string units;
        for (const auto& e : first)
            units += Num(e.Laenge) + "," + Num(e.Zeitvorgabe) + ",";
        ini.SetString(s, "Einheiten", units);
        ini.SetString(s, "Raeume", rooms);
    }
    // A block without teachers has no other lists; its classes are written all the same, as
    // the reader takes them whenever the key is there, so that saving never drops them.
    if (!k.Lehrer.empty() || !k.Klassen.empty()) ini.SetString(s, "Klassen", ListOf(k.Klassen));
    ini.SetString(s, "BStunden", Num(k.BStunden));
    ini.SetString(s, "Trennung", FlagText(k.Trennung));
    // The presets come teacher by teacher, as the rooms do.
    if (std::any_of(k.Lehrer.begin(), k.Lehrer.end(),
                    [](const CKursLehrer& l) { return HasPresets(l.Einheiten); })) {
        std::string presets;
        for (const auto& l : k.Lehrer)
            for (const auto& e : l.Einheiten)
                AppendPresets(presets, e);
        ini.SetString(s, "Vorgaben", presets);
    }
    if (k.SpezialTrennung != -1) ini.SetString(s, "SpezialTrennung", Num(k.SpezialTrennung));
    WriteBlockRegeln(ini, s, k.Regeln);
}

// The times of the hours and the school year: keys only where the school entered them.
void WriteSchuljahr(IniFile& ini, const AllgemeineAngaben& a) {
    if (!a.StundenZeiten.empty()) {
        std::string zeiten;
        for (const CStundenZeit& z : a.StundenZeiten)
            zeiten += StundenZeitText(z) + ",";
        ini.SetString(kAllgemein, "Stundenzeiten", zeiten);
    }
    const CSchuljahr& jahr = a.Schuljahr;
    if (!jahr.Beginn.Leer()) ini.SetString(kAllgemein, "SchuljahrBeginn", jahr.Beginn.Text());
    if (!jahr.Ende.Leer()) ini.SetString(kAllgemein, "SchuljahrEnde", jahr.Ende.Text());
    if (jahr.Ferien.empty()) return;
    ini.SetString(kAllgemein, "FerienNo", Num(static_cast<long long>(jahr.Ferien.size())));
    for (std::size_t n = 0; n < jahr.Ferien.size(); ++n) {
        const CFerien& f = jahr.Ferien[n];
        ini.SetString(kAllgemein, "Ferien_" + std::to_string(n),
                      f.Von.Text() + "," + f.Bis.Text() + "," + f.Name);
    }
}

IniFile BuildIni(const Stammdaten& d) {
    IniFile ini;
    ini.EraseSection(kAllgemein);
    const auto count = [](const auto& list) { return Num(static_cast<long long>(list.size())); };
    ini.SetString(kAllgemein, "RaumNo", count(d.Raeume));
    ini.SetString(kAllgemein, "LehrerNo", count(d.Lehrer));
    ini.SetString(kAllgemein, "KlassenNo", count(d.Klassen));
    ini.SetString(kAllgemein, "FaecherNo", count(d.Faecher));
    ini.SetString(kAllgemein, "KursBlockNo", count(d.KursBloecke));
    ini.SetString(kAllgemein, "FachBlockNo", count(d.FachBloecke));
    ini.SetString(kAllgemein, "Tage", Num(d.Angaben.Tage));
    ini.SetString(kAllgemein, "Stunden", Num(d.Angaben.Stunden));
    ini.SetString(kAllgemein, "Nullte", d.Angaben.Nullte ? "1" : "0");
    if (OwnDayNames(d.Angaben))
        ini.SetString(kAllgemein, "TagNamen", ListOf(TagNamenDerWoche(d.Angaben)));
    // The rules of the school: keys and sections only where a rule is set.
    if (!d.Angaben.Pausen.empty()) ini.SetString(kAllgemein, "Pausen", SlotsOf(d.Angaben.Pausen));
    if (!d.Beziehungen.empty()) ini.SetString(kAllgemein, "BeziehungenNo", count(d.Beziehungen));
    WriteSchuljahr(ini, d.Angaben);
    if (!d.Faecher.empty()) ini.SetString("Faecher", "Faecher", ListOf(d.Faecher));
    for (std::size_t n = 0; n < d.Raeume.size(); ++n)
        WriteRaum(ini, "Raum_" + std::to_string(n), d.Raeume[n]);
    for (std::size_t n = 0; n < d.Lehrer.size(); ++n)
        WriteLehrer(ini, "Lehrer_" + std::to_string(n), d.Lehrer[n]);
    for (std::size_t n = 0; n < d.Klassen.size(); ++n) {
        const std::string s = "Klasse_" + std::to_string(n);
        ini.SetString(s, "Name", d.Klassen[n].Name);
        ini.SetString(s, "Sperre", LocksOf(d.Klassen[n].Sperre));
        if (!d.Klassen[n].Opti) ini.SetString(s, "Opti", "0");
        WriteTagesRegeln(ini, s, d.Klassen[n].Regeln);
    }
    for (std::size_t n = 0; n < d.FachBloecke.size(); ++n)
        WriteFachBlock(ini, "FachBlock_" + std::to_string(n), d.FachBloecke[n].Block);
    for (std::size_t n = 0; n < d.KursBloecke.size(); ++n)
        WriteKursBlock(ini, "KursBlock_" + std::to_string(n), d.KursBloecke[n]);
    for (std::size_t n = 0; n < d.Beziehungen.size(); ++n)
        WriteBeziehung(ini, "Beziehung_" + std::to_string(n), d.Beziehungen[n], d);
    return ini;
}

// ---------------------------------------------------------------------------------------------
// Open

// Raised inside the reader only; OpenProject turns it into its outcome.
struct ReadError {
    std::string text;
};

[[noreturn]] void FailAt(const std::string& path, std::string_view section, std::string_view key,
                         const std::string& detail) {
    throw ReadError{LeseFehler(path) + "Abschnitt [" + std::string(section) + "], Schlüssel " +
                    std::string(key) + ": " + detail};
}

// One list value taken apart by the split rule. A list that runs out of "," before its count
// is used up is an error here, although the split rule itself would go on giving empty items.
class Items {
public:
    Items(const IniFile& ini, const std::string& path, std::string section, std::string key,
          long long expected)
        : path_(path), section_(std::move(section)), key_(std::move(key)),
          rest_(ini.GetString(section_, key_)), expected_(expected) {}

    std::string Next() {
        if (rest_.find(',') == std::string::npos) Fail(ZuKurz(expected_));
        return CutAtSeparator(rest_, ',');
    }
    // An item that must be a whole number.
    int NextInt() {
        last_ = Next();
        const auto value = ParseInt(last_);
        if (!value)
            Fail(Quoted(last_) +
                 (IsOverflowingNumber(last_) ? " ist zu groß." : " ist keine ganze Zahl."));
        return *value;
    }
    // An item read leniently: anything that is no number counts as 0; a number too large for
    // 32 bits is refused all the same.
    int NextNumber() {
        last_ = Next();
        if (IsOverflowingNumber(last_)) Fail(Quoted(last_) + " ist zu groß.");
        return ParseCount(last_, 0);
    }
    bool NextFlag() { return NextNumber() != 0; }
    // An item that is a name (`what`: "Das Fach"): refused when no file could hold it.
    std::string NextName(const char* what) {
        std::string name = Next();
        if (auto fault = CheckName(what, name)) Fail(*fault);
        return name;
    }
    // The text of the last item NextInt or NextNumber took.
    const std::string& Last() const { return last_; }

    [[noreturn]] void Fail(const std::string& detail) const {
        FailAt(path_, section_, key_, detail);
    }

private:
    const std::string& path_;
    std::string section_;
    std::string key_;
    std::string rest_;
    long long expected_;
    std::string last_;
};

class ProjectReader {
public:
    ProjectReader(const IniFile& ini, const std::string& path) : ini_(ini), path_(path) {}

    Stammdaten Read() {
        const int raumNo = Count(kAllgemein, "RaumNo", 0);
        const int lehrerNo = Count(kAllgemein, "LehrerNo", 0);
        const int klassenNo = Count(kAllgemein, "KlassenNo", 0);
        const int faecherNo = Count(kAllgemein, "FaecherNo", 0);
        const int kursNo = Count(kAllgemein, "KursBlockNo", 0);
        const int fachBlockNo = Count(kAllgemein, "FachBlockNo", 0);
        const int beziehungenNo = Count(kAllgemein, "BeziehungenNo", 0);
        Stammdaten d;
        d.Angaben.Tage = InRange(kAllgemein, "Tage", 1, kMaxDays);
        d.Angaben.Stunden = InRange(kAllgemein, "Stunden", 1, kMaxHour);
        d.Angaben.Nullte = Value(kAllgemein, "Nullte", 1) != 0;
        d.Angaben.TagNamen = AllgemeineAngaben::DefaultDayNames(d.Angaben.Tage);
        // Day names of the school's own, one per day; an empty one shows the default name.
        if (ini_.HasKey(kAllgemein, "TagNamen")) {
            Items namen = List(kAllgemein, "TagNamen", d.Angaben.Tage);
            for (auto& name : d.Angaben.TagNamen)
                name = namen.NextName("Der Tagesname");
        }
        d.Angaben.Pausen = IntList(kAllgemein, "Pausen");
        ReadSchuljahr(d.Angaben);
        d.AngabenBestaetigt = true;

        // Every count must find its sections before anything is built; the search stops at the
        // first gap, so an absurd count costs no more than the sections present.
        RequireSections("Klasse_", "KlassenNo", klassenNo);
        RequireSections("Lehrer_", "LehrerNo", lehrerNo);
        RequireSections("Raum_", "RaumNo", raumNo);
        RequireSections("KursBlock_", "KursBlockNo", kursNo);
        RequireSections("FachBlock_", "FachBlockNo", fachBlockNo);
        RequireSections("Beziehung_", "BeziehungenNo", beziehungenNo);

        if (faecherNo != 0) {
            Items items = List("Faecher", "Faecher", faecherNo);
            for (int i = 0; i < faecherNo; ++i) {
                std::string fach = items.NextName("Das Fach");
                if (faecher_.Add(fach, i) >= 0)
                    items.Fail("Das Fach " + Quoted(fach) + " steht zweimal in der Liste.");
                d.Faecher.push_back(std::move(fach));
            }
        }
        // Every reference is by name, so each name may stand only once in its list; the
        // indexes answer every lookup at once, so reading stays linear in the school's size.
        for (int n = 0; n < klassenNo; ++n) {
            const std::string s = "Klasse_" + std::to_string(n);
            CKlasse k = ReadKlasse(s);
            Unique(s, "Die Klasse", k.Name, klassen_.Add(k.Name, n), "Klasse_");
            d.Klassen.push_back(std::move(k));
        }
        for (int n = 0; n < lehrerNo; ++n) {
            const std::string s = "Lehrer_" + std::to_string(n);
            CLehrer l = ReadLehrer(s);
            Unique(s, "Der Lehrer", l.Name, lehrer_.Add(l.Name, n), "Lehrer_");
            d.Lehrer.push_back(std::move(l));
        }
        for (int n = 0; n < raumNo; ++n) {
            const std::string s = "Raum_" + std::to_string(n);
            CRaumFach r = ReadRaum(s);
            Unique(s, "Der Raum", r.Name, raeume_.Add(r.Name, n), "Raum_");
            d.Raeume.push_back(std::move(r));
        }
        NameIndex kurse;
        for (int n = 0; n < kursNo; ++n) {
            const std::string s = "KursBlock_" + std::to_string(n);
            CKursBlock k = ReadKursBlock(s, d);
            Unique(s, "Der Kurs", k.Name, kurse.Add(k.Name, n), "KursBlock_");
            d.KursBloecke.push_back(std::move(k));
        }
        if (ini_.HasSection("FachBlock_0")) {
            NameIndex bloecke;
            for (int n = 0; n < fachBlockNo; ++n) {
                const std::string s = "FachBlock_" + std::to_string(n);
                CFachBlock b = ReadFachBlock(s, d);
                const std::string key = b.Key();
                const int before = bloecke.Add(key, n);
                if (before >= 0)
                    FailAt(path_, s, "Fach",
                           "Den Unterricht " + Quoted(key) + " gibt es schon in Abschnitt [" +
                               "FachBlock_" + Num(before) + "].");
                d.AddFachBlock(std::move(b));
            }
        }
        // Whether the blocks a relation names exist is for the check of the rules (Regeln.h).
        for (int n = 0; n < beziehungenNo; ++n)
            d.Beziehungen.push_back(ReadBeziehung("Beziehung_" + std::to_string(n)));
        return d;
    }

private:
    // "Stundenzeiten", "SchuljahrBeginn", "SchuljahrEnde", "FerienNo" and "Ferien_n"; a file
    // without them has the standard times and no school year.
    void ReadSchuljahr(AllgemeineAngaben& a) const {
        const char* zeitenKey = "Stundenzeiten";
        std::string rest = Get(kAllgemein, zeitenKey);
        while (!rest.empty()) {
            const std::string item = rest.find(',') == std::string::npos
                                         ? std::exchange(rest, std::string())
                                         : CutAtSeparator(rest, ',');
            const auto zeit = LiesStundenZeit(item);
            if (!zeit)
                FailAt(path_, kAllgemein, zeitenKey,
                       Quoted(item) + " ist keine Stundenzeit wie \"08:00-08:45\".");
            a.StundenZeiten.push_back(*zeit);
        }
        if (auto fault = StundenZeitenProblem(a.StundenZeiten, a.Stunden, a.Nullte))
            FailAt(path_, kAllgemein, zeitenKey, *fault);
        CSchuljahr& jahr = a.Schuljahr;
        jahr.Beginn = DateOf("SchuljahrBeginn");
        jahr.Ende = DateOf("SchuljahrEnde");
        if (auto fault = SchuljahrProblem(CSchuljahr{jahr.Beginn, jahr.Ende, {}}))
            FailAt(path_, kAllgemein, jahr.Beginn.Leer() ? "SchuljahrBeginn" : "SchuljahrEnde",
                   *fault);
        const int ferienNo = Count(kAllgemein, "FerienNo", 0);
        for (int n = 0; n < ferienNo; ++n) {
            const std::string key = "Ferien_" + std::to_string(n);
            if (!ini_.HasKey(kAllgemein, key))
                FailAt(path_, kAllgemein, key,
                       "Der Schlüssel fehlt (FerienNo=" + Num(ferienNo) + ").");
            std::string value = Get(kAllgemein, key.c_str());
            CFerien f;
            const std::string von = CutAtSeparator(value, ',');
            const std::string bis = CutAtSeparator(value, ',');
            const auto vonDatum = Datum::Lies(von);
            const auto bisDatum = Datum::Lies(bis);
            if (!vonDatum || !bisDatum)
                FailAt(path_, kAllgemein, key,
                       Quoted(Get(kAllgemein, key.c_str())) +
                           " sind keine Ferien wie \"2026-10-26,2026-10-31,Herbstferien\".");
            f.Von = *vonDatum;
            f.Bis = *bisDatum;
            f.Name = value;
            if (auto fault = SchuljahrProblem(CSchuljahr{{}, {}, {f}}))
                FailAt(path_, kAllgemein, key, *fault);
            jahr.Ferien.push_back(std::move(f));
        }
    }
    // A date "2026-09-01", or the empty date when the key is missing.
    Datum DateOf(const char* key) const {
        if (!ini_.HasKey(kAllgemein, key)) return {};
        const std::string text = Get(kAllgemein, key);
        const auto datum = Datum::Lies(text);
        if (!datum)
            FailAt(path_, kAllgemein, key, Quoted(text) + " ist kein Datum wie \"2026-09-01\".");
        return *datum;
    }
    std::string Get(const std::string& section, const char* key) const {
        return ini_.GetString(section, key);
    }
    Items List(const std::string& section, const char* key, long long expected) const {
        return Items(ini_, path_, section, key, expected);
    }
    // A number read leniently: missing or no number gives `fallback`, a fraction is cut; a
    // number too large for 32 bits is an error of its own, not "no number".
    int Value(const std::string& section, const char* key, int fallback) const {
        const std::string text = Get(section, key);
        if (IsOverflowingNumber(text)) FailAt(path_, section, key, Quoted(text) + " ist zu groß.");
        return ParseCount(text, fallback);
    }
    bool FlagOf(const std::string& section, const char* key) const {
        return Value(section, key, 0) != 0;
    }

    // A count: missing or no number gives `fallback`, a fraction is cut; below `lowest` it is
    // refused.
    int Count(const std::string& section, const char* key, int fallback, int lowest = 0) const {
        const int value = Value(section, key, fallback);
        if (value < lowest)
            FailAt(path_, section, key, Quoted(Get(section, key)) + " ist keine gültige Anzahl.");
        return value;
    }

    // A rule's number: a missing key is no rule (`fallback`); whether the number can be met is
    // for the check of the rules (Regeln.h).
    int RuleValue(const std::string& section, const char* key, int fallback) const {
        if (!ini_.HasKey(section, key)) return fallback;
        const std::string text = Get(section, key);
        const auto value = ParseInt(text);
        if (!value)
            FailAt(path_, section, key,
                   Quoted(text) +
                       (IsOverflowingNumber(text) ? " ist zu groß." : " ist keine ganze Zahl."));
        return *value;
    }

    // A list of whole numbers without a count ("5,18,"): every item up to the end of the value.
    std::vector<int> IntList(const std::string& section, const char* key) const {
        std::vector<int> out;
        std::string rest = Get(section, key);
        while (!rest.empty()) {
            const std::string item = rest.find(',') == std::string::npos
                                         ? std::exchange(rest, std::string())
                                         : CutAtSeparator(rest, ',');
            const auto value = ParseInt(item);
            if (!value)
                FailAt(path_, section, key,
                       Quoted(item) + (IsOverflowingNumber(item) ? " ist zu groß."
                                                                 : " ist keine ganze Zahl."));
            out.push_back(*value);
        }
        return out;
    }

    CTagesRegeln ReadTagesRegeln(const std::string& s) const {
        CTagesRegeln r;
        r.MaxStundenProTag = RuleValue(s, "MaxStundenProTag", kKeineRegel);
        r.MinStundenProTag = RuleValue(s, "MinStundenProTag", kKeineRegel);
        r.MaxLueckenProTag = RuleValue(s, "MaxLueckenProTag", kKeineRegel);
        r.MaxLueckenProWoche = RuleValue(s, "MaxLueckenProWoche", kKeineRegel);
        r.MaxInFolge = RuleValue(s, "MaxStundenInFolge", kKeineRegel);
        return r;
    }

    CLehrerRegeln ReadLehrerRegeln(const std::string& s) const {
        CLehrerRegeln r;
        static_cast<CTagesRegeln&>(r) = ReadTagesRegeln(s);
        r.MaxTage = RuleValue(s, "MaxTage", kKeineRegel);
        r.MinTage = RuleValue(s, "MinTage", kKeineRegel);
        if (ini_.HasKey(s, "Zeitfenster")) {
            // The first and last hour of the window and the most days with lessons in it.
            Items fenster = List(s, "Zeitfenster", 3);
            r.FensterVon = fenster.NextInt();
            r.FensterBis = fenster.NextInt();
            r.FensterMaxTage = fenster.NextInt();
        }
        return r;
    }

    CBlockRegeln ReadBlockRegeln(const std::string& s) const {
        CBlockRegeln r;
        r.ErlaubteZeiten = IntList(s, "ErlaubteZeiten");
        r.MinTageAbstand = RuleValue(s, "MinTageAbstand", 0);
        if (ini_.HasKey(s, "Tagesende")) r.Tagesende = StrictInRange(s, "Tagesende", 0, 1) ? 1 : 0;
        return r;
    }

    CBeziehung ReadBeziehung(const std::string& s) const {
        CBeziehung b;
        const std::string art = Get(s, "Art");
        const auto known = BeziehungsArtAus(art);
        if (!known) FailAt(path_, s, "Art", Quoted(art) + kUnbekannteArt);
        b.Art = *known;
        std::string rest = Get(s, "Bloecke");
        while (!rest.empty()) {
            const std::string item = rest.find(',') == std::string::npos
                                         ? std::exchange(rest, std::string())
                                         : CutAtSeparator(rest, ',');
            const std::string_view kind = std::string_view(item).substr(0, 2);
            if (kind != "U:" && kind != "K:")
                FailAt(path_, s, "Bloecke",
                       Quoted(item) + " nennt keinen Block: ein Eintrag beginnt mit \"U:\" " +
                           "(Unterricht) oder \"K:\" (Kurs).");
            b.Bloecke.push_back({kind == "K:" ? Flag{1} : Flag{0}, item.substr(2)});
        }
        return b;
    }

    // The hours of a block: 0 up to the hours of the week.
    int BlockHours(const std::string& section, const Stammdaten& d) const {
        const int value = Value(section, "BStunden", 0);
        const int most = WeekHours(d.Angaben);
        if (value < 0 || value > most)
            FailAt(path_, section, "BStunden",
                   Quoted(Get(section, "BStunden")) + " liegt nicht im Bereich 0 bis " + Num(most) +
                       " (Stunden der Woche).");
        return value;
    }

    // A name that an earlier section of the same kind (found at `before`, or -1) holds already.
    void Unique(const std::string& section, const char* what, const std::string& name, int before,
                const char* prefix) const {
        if (before < 0) return;
        FailAt(path_, section, "Name",
               std::string(what) + " " + Quoted(name) + " steht schon in Abschnitt [" + prefix +
                   Num(before) + "].");
    }

    // The units together may not hold more hours than the week has; the school not more than
    // kMaxLessonHours (counted as the blocks come, so that reading stops before it costs much).
    void UnitsFitTheWeek(const std::string& section, const std::vector<CEinheit>& units,
                         const Stammdaten& d) const {
        long long sum = 0;
        for (const auto& e : units)
            sum += e.Laenge;
        const int most = WeekHours(d.Angaben);
        if (sum > most)
            FailAt(path_, section, "Einheiten",
                   "Die Einheiten ergeben " + Num(sum) + " Stunden; die Woche hat nur " +
                       Num(most) + ".");
        lessonHours_ += sum;
        if (lessonHours_ > kMaxLessonHours)
            FailAt(path_, section, "Einheiten",
                   "Die Schule hätte mehr als " + Num(kMaxLessonHours) +
                       " Unterrichtsstunden; so viele kann das Programm nicht planen.");
    }

    int InRange(const std::string& section, const char* key, int lowest, int highest) const {
        if (!ini_.HasKey(section, key)) FailAt(path_, section, key, "Der Wert fehlt.");
        const std::string text = Get(section, key);
        const int value = Value(section, key, -1);
        if (value < lowest || value > highest)
            FailAt(path_, section, key,
                   Quoted(text) + " liegt nicht im Bereich " + Num(lowest) + " bis " +
                       Num(highest) + ".");
        return value;
    }

    void RequireSections(const char* prefix, const char* countKey, int count) const {
        for (int n = 0; n < count; ++n) {
            const std::string section = prefix + std::to_string(n);
            if (!ini_.HasSection(section))
                throw ReadError{LeseFehler(path_) + "Abschnitt [" + section + "] fehlt (" +
                                countKey + "=" + Num(count) + ")."};
        }
    }

    LockGrid ReadLocks(const std::string& section, bool strict) const {
        Items items = List(section, "Sperre", kSlotCount);
        LockGrid grid = FreeGrid();
        for (auto& cell : grid)
            cell = (strict ? items.NextInt() : items.NextNumber()) != 0 ? 1 : 0;
        return grid;
    }

    // Length and fixed time of a unit, both whole numbers in range. A unit never holds more
    // hours than one day: the regular hours and the 0th hour where it is in use.
    static CEinheit ReadUnit(Items& items, const AllgemeineAngaben& week) {
        const int laenge = items.NextInt();
        if (laenge < 1)
            items.Fail(Quoted(items.Last()) + " ist keine gültige Länge einer Einheit.");
        if (laenge > DayHours(week))
            items.Fail(Quoted(items.Last()) +
                       " ist keine gültige Länge einer Einheit: ein Tag hat nur " +
                       Anzahl(DayHours(week), "Stunde", "Stunden") + ".");
        const int zeit = items.NextInt();
        if (zeit < kNoSlot || zeit > kLastSlot)
            items.Fail(Quoted(items.Last()) + " ist keine gültige Zeitvorgabe (" + Num(kNoSlot) +
                       " bis " + Num(kLastSlot) + ").");
        return CEinheit(laenge, zeit);
    }

    // The presets of `units` under "Vorgaben", when the block has them: four flags and a day
    // per unit.
    void ReadPresets(const std::string& s, const std::vector<CEinheit*>& units) const {
        if (!ini_.HasKey(s, "Vorgaben")) return;
        Items vorgaben = List(s, "Vorgaben", 5LL * static_cast<long long>(units.size()));
        for (CEinheit* e : units) {
            e->NurUrPlan = vorgaben.NextFlag();
            e->OberesLimit = vorgaben.NextFlag();
            e->UnteresLimit = vorgaben.NextFlag();
            e->TagesLimit = vorgaben.NextFlag();
            e->Tag = vorgaben.NextInt();
            if (e->Tag < -1 || e->Tag >= kMaxDays)
                vorgaben.Fail(Quoted(vorgaben.Last()) + " ist kein gültiger Tag (-1 bis " +
                              Num(kMaxDays - 1) + ").");
        }
    }

    // A whole number in [lowest, highest]: anything else, an empty value or a word included,
    // is a damaged file, not a value to guess at.
    int StrictInRange(const std::string& section, const char* key, int lowest, int highest) const {
        const std::string text = Get(section, key);
        const auto value = ParseInt(text);
        if (!value)
            FailAt(path_, section, key,
                   Quoted(text) +
                       (IsOverflowingNumber(text) ? " ist zu groß." : " ist keine ganze Zahl."));
        if (*value < lowest || *value > highest)
            FailAt(path_, section, key,
                   Quoted(text) + " liegt nicht im Bereich " + Num(lowest) + " bis " +
                       Num(highest) + ".");
        return *value;
    }

    // The special-separation group: a class index, or -1 (none, also when the key is missing).
    int SeparationGroup(const std::string& s, const Stammdaten& d) const {
        if (!ini_.HasKey(s, "SpezialTrennung")) return -1;
        return StrictInRange(s, "SpezialTrennung", -1, static_cast<int>(d.Klassen.size()) - 1);
    }

    // A name under `key` that every file can hold.
    std::string NameAt(const std::string& s, const char* key, const char* what,
                       bool commaAllowed = false) const {
        std::string name = Get(s, key);
        if (auto fault = CheckName(what, name, {}, commaAllowed)) FailAt(path_, s, key, *fault);
        return name;
    }

    // Presets that can never be met are refused with the key that holds them: "Einheiten" for
    // a fixed time outside the week, "Vorgaben" for a limit or a day restriction.
    template <typename UnitText>
    void CheckPresets(const std::string& s, const std::vector<CEinheit>& units,
                      const AllgemeineAngaben& week, UnitText unitText) const {
        for (std::size_t j = 0; j < units.size(); ++j) {
            const auto fault = UnitPresetFault(week, units[j]);
            if (!fault) continue;
            const bool timeAlone =
                UnitPresetFault(week, CEinheit(units[j].Laenge, units[j].Zeitvorgabe)).has_value();
            FailAt(path_, s, timeAlone ? "Einheiten" : "Vorgaben",
                   Capitalised(unitText(j)) + " " + *fault + ".");
        }
    }

    CKlasse ReadKlasse(const std::string& s) const {
        CKlasse k;
        k.Name = NameAt(s, "Name", "Die Klasse");
        k.Sperre = ReadLocks(s, false);
        k.Opti = Value(s, "Opti", 1) != 0 ? 1 : 0;
        k.Regeln = ReadTagesRegeln(s);
        return k;
    }

    CLehrer ReadLehrer(const std::string& s) const {
        CLehrer l;
        l.Name = NameAt(s, "Name", "Der Lehrer");
        l.Kurz = NameAt(s, "Kurz", "Das Kürzel", true);
        l.KlassenLehrer = FlagOf(s, "KlassenLehrer");
        l.Klasse = Get(s, "Klasse");
        const int faecherNo = Count(s, "FaecherNo", 0);
        Items faecher = List(s, "Faecher", faecherNo);
        for (int i = 0; i < faecherNo; ++i)
            l.Faecher.push_back(faecher.NextName("Das Fach"));
        l.Sperre = ReadLocks(s, true);
        l.Opti = Value(s, "Opti", 1) != 0 ? 1 : 0;
        l.TendenzZuFreienTagen = FlagOf(s, "TendenzZuFreienTagen") ? 1 : 0;
        // Only 0 or 1: anything else is a damaged file, not an absence to guess at.
        if (ini_.HasKey(s, "NichtVerfuegbar"))
            l.NichtVerfuegbar = InRange(s, "NichtVerfuegbar", 0, 1) != 0 ? 1 : 0;
        l.Regeln = ReadLehrerRegeln(s);
        return l;
    }

    CRaumFach ReadRaum(const std::string& s) const {
        CRaumFach r;
        r.Kurz = NameAt(s, "Kurz", "Das Kürzel", true);
        r.Name = NameAt(s, "Name", "Der Raum");
        r.FachTyp = {1, 0, 0};
        r.KlassenTyp = {0, 0, 0};
        // A missing count reads as -1: no subjects, but the room type is read.
        const int faecherNo = Count(s, "FaecherNo", -1, -1);
        if (faecherNo != 0) {
            Items faecher = List(s, "Faecher", faecherNo);
            for (int i = 0; i < faecherNo; ++i)
                r.Faecher.push_back(faecher.NextName("Das Fach"));
            Items typ = List(s, "FachTyp", 3);
            for (auto& flag : r.FachTyp)
                flag = typ.NextFlag();
        }
        Items klassenTyp = List(s, "KlassenTyp", 3);
        for (auto& flag : r.KlassenTyp)
            flag = klassenTyp.NextFlag();
        if (!r.KlassenTyp[0]) r.Klasse = Get(s, "Klasse");
        r.Sperre = ReadLocks(s, true);
        r.KlassenKursFreigabe = FlagOf(s, "KlassenKursFreigabe") ? 1 : 0;
        return r;
    }

    CKursBlock ReadKursBlock(const std::string& s, const Stammdaten& d) const {
        const int einheitenNo = Count(s, "EinheitenNo", 0);
        CKursBlock k;
        k.Kurz = NameAt(s, "Kurz", "Das Kürzel", true);
        k.Name = NameAt(s, "Name", "Der Kurs", true);
        k.Trennung = FlagOf(s, "Trennung");
        const int lehrerNo = Count(s, "LehrerNo", 0);
        const int klassenNo = Count(s, "KlassenNo", 0);
        k.BStunden = BlockHours(s, d);
        // A block without teachers is written without its lists, so its classes are not there.
        if (lehrerNo > 0 || ini_.HasKey(s, "Klassen")) {
            Items klassen = List(s, "Klassen", klassenNo);
            for (int i = 0; i < klassenNo; ++i) {
                std::string name = klassen.Next();
                if (name.empty()) continue;
                if (klassen_.Find(name) < 0)
                    klassen.Fail(FehltInListe("Die Klasse", name, "Klassenliste"));
                k.Klassen.push_back(std::move(name));
            }
        }
        Items faecher = List(s, "Faecher", lehrerNo);
        Items lehrer = List(s, "Lehrer", lehrerNo);
        Items raeume = List(s, "Raeume", static_cast<long long>(lehrerNo) * einheitenNo);
        for (int i = 0; i < lehrerNo; ++i) {
            k.Faecher.push_back(faecher.NextName("Das Fach"));
            // Every teacher takes the same units; the rooms come teacher by teacher.
            Items einheiten = List(s, "Einheiten", 2LL * einheitenNo);
            CKursLehrer kl;
            for (int j = 0; j < einheitenNo; ++j) {
                CEinheit e = ReadUnit(einheiten, d.Angaben);
                e.Raum = raeume.NextName("Der Raum");
                kl.Einheiten.push_back(std::move(e));
            }
            UnitsFitTheWeek(s, kl.Einheiten, d); // every teacher holds hours of his own
            kl.Name = lehrer.Next();
            if (lehrer_.Find(kl.Name) < 0)
                lehrer.Fail(FehltInListe("Der Lehrer", kl.Name, "Lehrerliste"));
            k.Lehrer.push_back(std::move(kl));
        }
        std::vector<CEinheit*> units;
        for (auto& l : k.Lehrer)
            for (auto& e : l.Einheiten)
                units.push_back(&e);
        ReadPresets(s, units);
        for (std::size_t t = 0; t < k.Lehrer.size(); ++t)
            CheckPresets(s, k.Lehrer[t].Einheiten, d.Angaben,
                         [&k, t](std::size_t j) { return KursEinheitText(k, t, j); });
        if (auto fault = CourseParallelFault(k)) FailAt(path_, s, "Vorgaben", *fault);
        k.SpezialTrennung = SeparationGroup(s, d);
        k.Regeln = ReadBlockRegeln(s);
        return k;
    }

    CFachBlock ReadFachBlock(const std::string& s, const Stammdaten& d) const {
        const int einheitenNo = Count(s, "EinheitenNo", 0);
        Items einheiten = List(s, "Einheiten", 3LL * einheitenNo);
        CFachBlock b;
        b.Trennung = FlagOf(s, "Trennung");
        b.BStunden = BlockHours(s, d);
        b.Fach = Get(s, "Fach");
        b.Klasse = Get(s, "Klasse");
        b.Lehrer = Get(s, "Lehrer");
        for (int j = 0; j < einheitenNo; ++j) {
            CEinheit e = ReadUnit(einheiten, d.Angaben);
            e.Raum = einheiten.NextName("Der Raum");
            b.Einheiten.push_back(std::move(e));
        }
        UnitsFitTheWeek(s, b.Einheiten, d);
        std::vector<CEinheit*> units;
        for (auto& e : b.Einheiten)
            units.push_back(&e);
        ReadPresets(s, units);
        CheckPresets(s, b.Einheiten, d.Angaben,
                     [&b](std::size_t j) { return FachEinheitText(b.Key(), j); });
        b.SpezialTrennung = SeparationGroup(s, d);
        b.Regeln = ReadBlockRegeln(s);
        if (lehrer_.Find(b.Lehrer) < 0)
            FailAt(path_, s, "Lehrer", FehltInListe("Der Lehrer", b.Lehrer, "Lehrerliste"));
        if (klassen_.Find(b.Klasse) < 0)
            FailAt(path_, s, "Klasse", FehltInListe("Die Klasse", b.Klasse, "Klassenliste"));
        return b;
    }

    const IniFile& ini_;
    const std::string& path_;
    mutable long long lessonHours_ = 0;
    // The names read so far, for the lookups of every reference.
    NameIndex faecher_, klassen_, lehrer_, raeume_;
};

} // namespace

std::string BackupPath(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string name = path.substr(nameStart);
    return path.substr(0, nameStart) + "secu_" + name.substr(0, name.find('.'));
}

Outcome SaveProject(const Stammdaten& data, const std::string& path, FileOps& fs) {
    if (auto problem = SaveCheck(data).Run())
        return Outcome::Failure(kNichtSpeicherbar + *problem, titel::Dateifehler);
    const auto bytes = Utf8ToCp1252(BuildIni(data).Serialise());
    if (!bytes) // every text was checked above; kept for safety
        return Outcome::Failure(std::string(kNichtSpeicherbar) +
                                    "Ein Text enthält ein Zeichen, das in der Datei nicht "
                                    "darstellbar ist.",
                                titel::Dateifehler);

    const std::string backup = BackupPath(path);
    if (fs.Exists(path)) {
        if (const FileResult copied = fs.Copy(path, backup); !copied)
            return Outcome::Failure(BackupFailed(backup, copied), titel::Dateifehler);
        const FileResult written = fs.WriteReplacing(path, *bytes);
        if (written) return Outcome::Success();
        Outcome out = Outcome::Failure(NichtErzeugt(path, written), titel::Dateifehler);
        // WriteReplacing keeps the old file; should it be gone all the same, the backup returns.
        if (!fs.Exists(path))
            if (const FileResult restored = fs.Copy(backup, path); !restored)
                out.Messages.push_back(
                    {NurSicherheitskopie(backup) + "\n" + restored.Reason, titel::Dateifehler});
        return out;
    }
    // A new file: the backup is a copy of it while still empty.
    if (const FileResult created = fs.CreateEmpty(path); !created)
        return Outcome::Failure(NichtErzeugt(path, created), titel::Dateifehler);
    if (const FileResult copied = fs.Copy(path, backup); !copied) {
        fs.Remove(path);
        return Outcome::Failure(BackupFailed(backup, copied), titel::Dateifehler);
    }
    if (const FileResult written = fs.WriteReplacing(path, *bytes); !written) {
        fs.Remove(path);
        return Outcome::Failure(NichtErzeugt(path, written), titel::Dateifehler);
    }
    return Outcome::Success();
}

ProjectReadResult OpenProject(const std::string& path, FileOps& fs) {
    ProjectReadResult result;
    // No exception leaves the reader: whatever goes wrong becomes a refusal and the caller's
    // master data stays as it was.
    try {
        const FileContent file = fs.ReadAll(path);
        if (!file.bytes) {
            result.outcome =
                Outcome::Failure(NichtLesbar(path) + "\n" + file.reason, titel::Dateifehler);
            return result;
        }
        const FileText text = DecodeFileBytes(*file.bytes);
        const IniFile ini = IniFile::Parse(text.Text);
        if (!ini.HasSection(kAllgemein)) {
            result.outcome = Outcome::Failure(KeineGueltigeDatei(path), titel::Dateifehler);
            return result;
        }
        Stammdaten data = ProjectReader(ini, path).Read();
        // What the file holds must be savable again: a text with a control character, or a
        // name with a "," that came as a single value, is refused here and not at the next save.
        if (auto problem = SaveCheck(data).Run()) throw ReadError{LeseFehler(path) + *problem};
        result.data = std::move(data);
        if (text.WasUtf8) result.outcome.Messages.push_back({Utf8Hinweis(path), titel::Hinweis});
    } catch (const ReadError& error) {
        result = {};
        result.outcome = Outcome::Failure(error.text, titel::Dateifehler);
    } catch (const std::exception& error) {
        result = {};
        result.outcome = Outcome::Failure(UnerwarteterLesefehler(path, error), titel::Dateifehler);
    }
    return result;
}

} // namespace sw
