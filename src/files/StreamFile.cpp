// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/StreamFile.h"

#include "files/FileTexts.h"
#include "model/Cp1252.h"
#include "model/NameIndex.h"
#include "model/Names.h"
#include "model/Presets.h"
#include "model/Regeln.h"
#include "model/SchulZeiten.h"
#include "model/Text.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

namespace sw {

namespace {

// Fewest tokens each item of a list takes in the file; a count that the rest of the file
// cannot hold is refused before anything is allocated.
constexpr int kRaumTokens = 2 + 1 + 3 + 3 + 1 + 1 + kSlotCount;
constexpr int kLehrerTokens = 2 + 1 + 1 + 1 + kSlotCount + 6;
constexpr int kKlasseTokens = 1 + kSlotCount + 6;
constexpr int kFachBlockTokens = 8;
constexpr int kEinheitTokens = 8;
constexpr int kKursBlockTokens = 8;
constexpr int kKursLehrerTokens = 2;
constexpr int kLehrerRegelnTokens = 1 + 10;
constexpr int kKlassenRegelnTokens = 1 + 5;
constexpr int kBlockRegelnTokens = 1 + 1 + 2;
constexpr int kBeziehungTokens = 2;
constexpr int kBezugTokens = 2;

// The rules of the school follow the course blocks in a section of their own, written only
// when the school states a rule, so the files of schools without rules stay as they were. Its
// first token is the word below: a master-data file ends after the course blocks, and the plan
// section of a plan file begins with a number, so the word cannot be taken for either.
//
//   regeln
//   the number of breaks and the break slots (day*13+hour), on one line
//   the number of teachers with rules; per teacher: the name, then on one line
//     MaxStundenProTag MinStundenProTag MaxLueckenProTag MaxLueckenProWoche MaxInFolge MaxTage
//     MinTage FensterVon FensterBis FensterMaxTage (-1: no rule)
//   the number of classes with rules; per class: the name, then the first five of those
//   the number of subject blocks with rules; per block: its key in the lesson list, then the
//     number of allowed slots and the slots on one line, MinTageAbstand (0: none) and
//     Tagesende (flag)
//   the number of course blocks with rules; per block: its name, then as for a subject block
//   the number of relations; per relation: its kind ("Gleichzeitig", "NieGleichzeitig",
//     "GleicherTag", "Direktfolge"), the number of its blocks, and per block a flag (1: a
//     course block, named by its name; 0: a subject block, named by its key) and the name
constexpr std::string_view kRegelnMarke = "regeln";
// The school year and the times of the hours, after the rules, when the school entered them.
constexpr std::string_view kSchuljahrMarke = "schuljahr";

std::string Q(std::string_view text) {
    return "\"" + ForMessage(text) + "\"";
}

// ---- Checking before writing ----

// Collects the first reason why the data cannot be written.
class StorableCheck {
public:
    explicit StorableCheck(const Stammdaten& data) : data_(data), index_(data) {}

    // `what` names the kind of text ("Der Name"), `owner` the entity it belongs to.
    void Text(std::string_view text, std::string_view what, std::string_view owner,
              bool commaAllowed = false) {
        if (IsStorableText(text, commaAllowed)) return;
        if (auto fault = CheckName(what, text, owner, commaAllowed))
            Problem(*fault);
        else
            Problem(std::string(what) + " " + Q(text) + " (" + std::string(owner) +
                    ") kann in dieser Datei nicht gespeichert werden.");
    }
    void Texts(const std::vector<std::string>& texts, std::string_view what,
               std::string_view owner) {
        for (const auto& t : texts)
            Text(t, what, owner);
    }
    // `unitOwner(j)` names unit j in a sentence ("die 2. Einheit des Unterrichts …").
    template <typename UnitOwner>
    void Einheiten(const std::vector<CEinheit>& einheiten, const std::string& owner,
                   UnitOwner unitOwner) {
        const int day = DayHours(data_.Angaben);
        long long sum = 0;
        for (std::size_t j = 0; j < einheiten.size(); ++j) {
            const CEinheit& e = einheiten[j];
            Text(e.Raum, "Der Raumname", owner);
            sum += e.Laenge;
            if (e.Laenge < 1)
                Problem("Eine Einheit (" + owner + ") hat die ungültige Länge " +
                        std::to_string(e.Laenge) + ".");
            if (e.Laenge > day)
                Problem("Eine Einheit (" + owner + ") ist " + std::to_string(e.Laenge) +
                        " Stunden lang; ein Tag hat nur " + std::to_string(day) + ".");
            if (e.Zeitvorgabe < kNoSlot || e.Zeitvorgabe >= kSlotCount)
                Problem("Eine Einheit (" + owner + ") hat die ungültige Zeitvorgabe " +
                        std::to_string(e.Zeitvorgabe) + ".");
            if (e.Tag < -1 || e.Tag >= kMaxDays)
                Problem("Eine Einheit (" + owner + ") hat den ungültigen Tag " +
                        std::to_string(e.Tag) + ".");
            if (e.Laenge >= 1 && e.Laenge <= day && !problem_)
                if (auto fault = UnitPresetFault(data_.Angaben, e))
                    Problem(Capitalised(unitOwner(j)) + " " + *fault + ".");
        }
        if (sum > WeekHours(data_.Angaben))
            Problem("Die Einheiten (" + owner + ") ergeben " + std::to_string(sum) +
                    " Stunden; die Woche hat nur " + std::to_string(WeekHours(data_.Angaben)) +
                    ".");
    }
    // The teachers of a course hold the same units with the same presets.
    void Parallel(const CKursBlock& k) {
        if (auto fault = CourseParallelFault(k)) Problem(*fault);
    }
    void Separation(int group, const std::string& owner) {
        if (group < -1 || group >= static_cast<int>(data_.Klassen.size()))
            Problem("Die Spezial-Trennung (" + owner + ") nennt die Klasse Nummer " +
                    std::to_string(group) + ", die es nicht gibt.");
    }
    void BlockHours(int bStunden, const std::string& owner) {
        if (bStunden < 0 || bStunden > WeekHours(data_.Angaben))
            Problem("Die Wochenstunden (" + owner + ") liegen mit " + std::to_string(bStunden) +
                    " nicht im Bereich 0 bis " + std::to_string(WeekHours(data_.Angaben)) + ".");
    }
    void KnownLehrer(const std::string& name, const std::string& owner) {
        if (index_.Lehrer.Find(name) < 0)
            Problem(owner + " nennt den Lehrer " + Q(name) +
                    ", der nicht in der Lehrerliste steht.");
    }
    void KnownKlasse(const std::string& name, const std::string& owner) {
        if (index_.Klassen.Find(name) < 0)
            Problem(owner + " nennt die Klasse " + Q(name) +
                    ", die nicht in der Klassenliste steht.");
    }
    void Problem(std::string text) {
        if (!problem_) problem_ = std::move(text);
    }
    Outcome Result() const {
        if (!problem_) return Outcome::Success();
        return Outcome::Failure("Die Daten können nicht gespeichert werden:\n" + *problem_,
                                titel::Dateifehler);
    }

private:
    const Stammdaten& data_;
    const StammdatenIndex index_;
    std::optional<std::string> problem_;
};

// ---- Reading the lists ----

void ReadAngaben(TokenReader& in, AllgemeineAngaben& a) {
    a.Tage = in.ReadIntIn(1, kMaxDays,
                          "ist keine gültige Anzahl an Unterrichtstagen (1 bis " +
                              std::to_string(kMaxDays) + ").");
    a.Stunden = in.ReadIntIn(1, kMaxHour,
                             "ist keine gültige Anzahl an Stunden pro Tag (1 bis " +
                                 std::to_string(kMaxHour) + ").");
    a.Nullte = in.ReadFlag() != 0;
    a.TagNamen.clear();
    const int n = in.ReadCount();
    if (n > kMaxDays)
        in.Fail(in.Position(), "Es gibt höchstens " + std::to_string(kMaxDays) +
                                   " Tagesnamen, nicht " + std::to_string(n) + ".");
    // An empty name ("_", as older files kept days 6 and 7) stays empty, so that the file is
    // written back as it was; it shows as the day's default name.
    for (int i = 0; i < n && in.Ok(); ++i)
        a.TagNamen.push_back(in.ReadText("Der Tagesname"));
}

std::vector<std::string> ReadTexts(TokenReader& in, std::string_view what) {
    std::vector<std::string> texts;
    const int n = in.ReadCount();
    for (int i = 0; i < n && in.Ok(); ++i)
        texts.push_back(in.ReadText(what));
    return texts;
}

// The indexes of the lists read so far: every name is looked up once per reference, so reading
// stays linear in the size of the school.
struct ReadIndex {
    NameIndex Faecher, Raeume, Lehrer, Klassen, KursBloecke, FachBloecke;
};

// The units of a block: each no longer than a day, all together no more hours than the week,
// and none with presets that can never be met (`unitText(j)` names unit j in the message).
// `schoolHours` counts the lesson hours read so far; the school holds no more than
// kMaxLessonHours, so that reading stops before a damaged file costs much.
template <typename UnitText>
std::vector<CEinheit> ReadUnits(TokenReader& in, const AllgemeineAngaben& week,
                                long long& schoolHours, UnitText unitText) {
    std::vector<CEinheit> einheiten;
    const int n = in.ReadCount(kEinheitTokens);
    const int countAt = in.Position();
    long long sum = 0;
    for (int i = 0; i < n && in.Ok(); ++i) {
        const int unitAt = in.Position() + 1;
        einheiten.push_back(in.ReadEinheit(DayHours(week)));
        sum += einheiten.back().Laenge;
        if (in.Ok())
            if (auto fault = UnitPresetFault(week, einheiten.back()))
                in.Fail(unitAt,
                        Capitalised(unitText(static_cast<std::size_t>(i))) + " " + *fault + ".");
    }
    if (in.Ok() && sum > WeekHours(week))
        in.Fail(countAt, "Die Einheiten ergeben " + std::to_string(sum) +
                             " Stunden; die Woche hat nur " + std::to_string(WeekHours(week)) +
                             ".");
    schoolHours += sum;
    if (in.Ok() && schoolHours > kMaxLessonHours)
        in.Fail(countAt, "Die Schule hätte mehr als " + std::to_string(kMaxLessonHours) +
                             " Unterrichtsstunden; so viele kann das Programm nicht planen.");
    return einheiten;
}

// The stated hours of a block: 0 up to the hours of the week.
int ReadBlockHours(TokenReader& in, const AllgemeineAngaben& week) {
    return in.ReadIntIn(0, WeekHours(week),
                        "liegt nicht im Bereich 0 bis " + std::to_string(WeekHours(week)) +
                            " (Stunden der Woche).");
}

// The special-separation group of a block: a class number, or -1 for none.
int ReadSeparation(TokenReader& in, const Stammdaten& data) {
    const int klassen = static_cast<int>(data.Klassen.size());
    return in.ReadIntIn(-1, klassen - 1,
                        "ist keine gültige Spezial-Trennung (-1 für keine oder eine Klassennummer "
                        "bis " +
                            std::to_string(klassen - 1) + ").");
}

// A name that stands in its list already (`before` >= 0): every reference is by name.
void Unique(TokenReader& in, int before, const char* what, const std::string& name,
            const char* list) {
    if (in.Ok() && before >= 0)
        in.Fail(in.Position(),
                std::string(what) + " " + Q(name) + " steht zweimal in der " + list + ".");
}

// What follows a room's name.
void ReadRaumRest(TokenReader& in, CRaumFach& r) {
    r.Kurz = in.ReadText("Das Kürzel", true);
    r.Faecher = ReadTexts(in, "Das Fach");
    for (auto& f : r.FachTyp)
        f = in.ReadFlag();
    for (auto& f : r.KlassenTyp)
        f = in.ReadFlag();
    r.KlassenKursFreigabe = in.ReadFlag();
    r.Klasse = in.ReadText("Die Klasse");
    r.Sperre = in.ReadGrid();
}

// What follows a teacher's name.
void ReadLehrerRest(TokenReader& in, CLehrer& l) {
    l.Kurz = in.ReadText("Das Kürzel", true);
    l.Faecher = ReadTexts(in, "Das Fach");
    l.KlassenLehrer = in.ReadFlag();
    l.Klasse = in.ReadText("Die Klasse");
    l.Sperre = in.ReadGrid();
    l.LetztesSoll.MaxProTag = in.ReadInt();
    l.LetztesSoll.TageMitMax = in.ReadInt();
    l.LetztesSoll.ProdOpt = in.ReadInt();
    l.Opti = in.ReadFlag();
    l.NichtVerfuegbar = in.ReadFlag();
    l.TendenzZuFreienTagen = in.ReadFlag();
}

// What follows a class's name.
void ReadClassRest(TokenReader& in, CKlasse& k) {
    k.Sperre = in.ReadGrid();
    k.LetztesSoll.StundenLimit = in.ReadInt();
    k.LetztesSoll.ProdOpt = in.ReadInt();
    k.LetztesSoll.MaxProTag = in.ReadInt();
    k.LetztesSoll.MinProTag = in.ReadInt();
    k.LetztesSoll.TageMitMax = in.ReadInt();
    k.Opti = in.ReadFlag();
}

// A teacher or class name that must stand in its list (as far as read).
std::string ReadLehrerName(TokenReader& in, const ReadIndex& index) {
    std::string name = in.ReadText("Der Lehrer");
    if (in.Ok() && index.Lehrer.Find(name) < 0)
        in.Fail(in.Position(), "Der Lehrer " + Q(name) + " steht nicht in der Lehrerliste.");
    return name;
}

std::string ReadKlassenName(TokenReader& in, const ReadIndex& index) {
    std::string name = in.ReadText("Die Klasse");
    if (in.Ok() && index.Klassen.Find(name) < 0)
        in.Fail(in.Position(), "Die Klasse " + Q(name) + " steht nicht in der Klassenliste.");
    return name;
}

Unterricht ReadFachBlock(TokenReader& in, const Stammdaten& data, const ReadIndex& index,
                         long long& schoolHours) {
    Unterricht u;
    u.Key = in.ReadText("Der Unterricht");
    u.Block.Lehrer = ReadLehrerName(in, index);
    u.Block.Klasse = ReadKlassenName(in, index);
    u.Block.Fach = in.ReadText("Das Fach");
    u.Block.Trennung = in.ReadFlag();
    u.Block.SpezialTrennung = ReadSeparation(in, data);
    u.Block.BStunden = ReadBlockHours(in, data.Angaben);
    u.Block.Einheiten = ReadUnits(in, data.Angaben, schoolHours,
                                  [&u](std::size_t j) { return FachEinheitText(u.Key, j); });
    return u;
}

CKursBlock ReadKursBlock(TokenReader& in, const Stammdaten& data, const ReadIndex& index,
                         long long& schoolHours) {
    CKursBlock k;
    k.Name = in.ReadText("Der Kurs", true);
    k.Kurz = in.ReadText("Das Kürzel", true);
    k.Trennung = in.ReadFlag();
    k.SpezialTrennung = ReadSeparation(in, data);
    k.BStunden = ReadBlockHours(in, data.Angaben);
    k.Faecher = ReadTexts(in, "Das Fach");
    const int lehrer = in.ReadCount(kKursLehrerTokens);
    for (int i = 0; i < lehrer && in.Ok(); ++i) {
        const int nameAt = in.Position() + 1;
        CKursLehrer kl;
        kl.Name = ReadLehrerName(in, index);
        k.Lehrer.push_back(std::move(kl));
        const std::size_t t = k.Lehrer.size() - 1;
        k.Lehrer.back().Einheiten =
            ReadUnits(in, data.Angaben, schoolHours,
                      [&k, t](std::size_t j) { return KursEinheitText(k, t, j); });
        // The teachers of a course hold one lesson at a time: the same units, the same presets.
        if (in.Ok())
            if (auto fault = CourseParallelFault(k)) in.Fail(nameAt, *fault);
    }
    const int klassen = in.ReadCount();
    for (int i = 0; i < klassen && in.Ok(); ++i)
        k.Klassen.push_back(ReadKlassenName(in, index));
    return k;
}

// ---- The rules section ----

void WriteTagesRegeln(TokenWriter& out, const CTagesRegeln& r) {
    for (int v : {r.MaxStundenProTag, r.MinStundenProTag, r.MaxLueckenProTag, r.MaxLueckenProWoche,
                  r.MaxInFolge})
        out.AppendInt(v);
}

void WriteBlockRegeln(TokenWriter& out, const CBlockRegeln& r) {
    out.AppendInt(static_cast<int>(r.ErlaubteZeiten.size()));
    for (int slot : r.ErlaubteZeiten)
        out.AppendInt(slot);
    out.EndLine();
    out.WriteInt(r.MinTageAbstand);
    out.WriteFlag(r.Tagesende);
}

bool HatSchuljahr(const AllgemeineAngaben& a) {
    return !a.StundenZeiten.empty() || a.Schuljahr != CSchuljahr{};
}

// "schuljahr", the first and last day ("-" when not entered), the holidays (from, to, name) and
// the times of the hours in minutes after midnight.
void WriteSchuljahr(TokenWriter& out, const AllgemeineAngaben& a) {
    out.WriteWord(kSchuljahrMarke);
    const auto datum = [](const Datum& d) { return d.Leer() ? std::string("-") : d.Text(); };
    out.WriteWord(datum(a.Schuljahr.Beginn));
    out.WriteWord(datum(a.Schuljahr.Ende));
    out.WriteInt(static_cast<int>(a.Schuljahr.Ferien.size()));
    for (const CFerien& f : a.Schuljahr.Ferien) {
        out.WriteWord(f.Von.Text());
        out.WriteWord(f.Bis.Text());
        out.WriteText(f.Name);
    }
    out.WriteInt(static_cast<int>(a.StundenZeiten.size()));
    for (const CStundenZeit& z : a.StundenZeiten) {
        out.WriteInt(z.Beginn);
        out.WriteInt(z.Ende);
    }
}

void ReadSchuljahr(TokenReader& in, AllgemeineAngaben& a) {
    const auto datum = [&in](bool leerErlaubt) {
        const int at = in.Position();
        const std::string word = in.ReadWord();
        if (leerErlaubt && word == "-") return Datum{};
        const std::optional<Datum> d = Datum::Lies(word);
        if (!d && in.Ok()) in.Fail(at, "Das Datum " + Q(word) + " ist kein Datum JJJJ-MM-TT.");
        return d.value_or(Datum{});
    };
    const int at = in.Position();
    a.Schuljahr.Beginn = datum(true);
    a.Schuljahr.Ende = datum(true);
    int n = in.ReadCount(3);
    for (int i = 0; i < n && in.Ok(); ++i) {
        CFerien f;
        f.Von = datum(false);
        f.Bis = datum(false);
        f.Name = in.ReadText("Der Name der Ferien", true);
        a.Schuljahr.Ferien.push_back(std::move(f));
    }
    n = in.ReadCount(2);
    for (int i = 0; i < n && in.Ok(); ++i) {
        CStundenZeit z;
        z.Beginn = in.ReadIntIn(0, 24 * 60 - 1, "eine Uhrzeit in Minuten");
        z.Ende = in.ReadIntIn(0, 24 * 60, "eine Uhrzeit in Minuten");
        a.StundenZeiten.push_back(z);
    }
    if (!in.Ok()) return;
    if (auto fault = StundenZeitenProblem(a.StundenZeiten, a.Stunden, a.Nullte))
        in.Fail(at, *fault);
    else if (auto jahr = SchuljahrProblem(a.Schuljahr))
        in.Fail(at, *jahr);
}

void WriteRegeln(TokenWriter& out, const Stammdaten& data) {
    out.WriteWord(kRegelnMarke);
    out.AppendInt(static_cast<int>(data.Angaben.Pausen.size()));
    for (int slot : data.Angaben.Pausen)
        out.AppendInt(slot);
    out.EndLine();

    const auto countOf = [](const auto& list, auto hasRules) {
        return static_cast<int>(std::count_if(list.begin(), list.end(), hasRules));
    };
    out.WriteInt(countOf(data.Lehrer, [](const CLehrer& l) { return !l.Regeln.Leer(); }));
    for (const auto& l : data.Lehrer) {
        if (l.Regeln.Leer()) continue;
        out.WriteText(l.Name);
        const CLehrerRegeln& r = l.Regeln;
        WriteTagesRegeln(out, r);
        for (int v : {r.MaxTage, r.MinTage, r.FensterVon, r.FensterBis, r.FensterMaxTage})
            out.AppendInt(v);
        out.EndLine();
    }
    out.WriteInt(countOf(data.Klassen, [](const CKlasse& k) { return !k.Regeln.Leer(); }));
    for (const auto& k : data.Klassen) {
        if (k.Regeln.Leer()) continue;
        out.WriteText(k.Name);
        WriteTagesRegeln(out, k.Regeln);
        out.EndLine();
    }
    out.WriteInt(
        countOf(data.FachBloecke, [](const Unterricht& u) { return !u.Block.Regeln.Leer(); }));
    for (const auto& u : data.FachBloecke) {
        if (u.Block.Regeln.Leer()) continue;
        out.WriteText(u.Key);
        WriteBlockRegeln(out, u.Block.Regeln);
    }
    out.WriteInt(countOf(data.KursBloecke, [](const CKursBlock& k) { return !k.Regeln.Leer(); }));
    for (const auto& k : data.KursBloecke) {
        if (k.Regeln.Leer()) continue;
        out.WriteText(k.Name);
        WriteBlockRegeln(out, k.Regeln);
    }
    out.WriteInt(static_cast<int>(data.Beziehungen.size()));
    for (const auto& b : data.Beziehungen) {
        out.WriteWord(BeziehungsArtWort(b.Art));
        out.WriteInt(static_cast<int>(b.Bloecke.size()));
        for (const auto& ref : b.Bloecke) {
            out.AppendInt(ref.Kurs ? 1 : 0);
            out.Append(EncodeText(ref.Name));
            out.EndLine();
        }
    }
}

void ReadTagesRegeln(TokenReader& in, CTagesRegeln& r) {
    r.MaxStundenProTag = in.ReadInt();
    r.MinStundenProTag = in.ReadInt();
    r.MaxLueckenProTag = in.ReadInt();
    r.MaxLueckenProWoche = in.ReadInt();
    r.MaxInFolge = in.ReadInt();
}

void ReadBlockRegeln(TokenReader& in, CBlockRegeln& r) {
    const int n = in.ReadCount();
    for (int i = 0; i < n && in.Ok(); ++i)
        r.ErlaubteZeiten.push_back(in.ReadInt());
    r.MinTageAbstand = in.ReadInt();
    r.Tagesende = in.ReadFlag();
}

// The entity named by the text just read, found in `names`; a name that is not there or that
// had its rules already is refused. `what` is "Der Lehrer", `list` "Lehrerliste".
int RulesOwner(TokenReader& in, const NameIndex& names, std::set<int>& seen,
               const std::string& name, const char* what, const char* list) {
    if (!in.Ok()) return -1;
    const int i = names.Find(name);
    if (i < 0)
        in.Fail(in.Position(),
                std::string(what) + " " + Q(name) + " steht nicht in der " + list + ".");
    else if (!seen.insert(i).second)
        in.Fail(in.Position(), "Die Regeln für " + Q(name) + " stehen zweimal in der Datei.");
    return in.Ok() ? i : -1;
}

// Whether the rules can be met and the blocks a relation names exist is for the check of the
// rules once everything is read (Regeln.h).
void ReadRegeln(TokenReader& in, Stammdaten& data, const ReadIndex& index) {
    int n = in.ReadCount();
    for (int i = 0; i < n && in.Ok(); ++i)
        data.Angaben.Pausen.push_back(in.ReadInt());

    std::set<int> seen;
    n = in.ReadCount(kLehrerRegelnTokens);
    for (int i = 0; i < n && in.Ok(); ++i) {
        const std::string name = in.ReadText("Der Lehrer");
        const int t = RulesOwner(in, index.Lehrer, seen, name, "Der Lehrer", "Lehrerliste");
        CLehrerRegeln r;
        ReadTagesRegeln(in, r);
        r.MaxTage = in.ReadInt();
        r.MinTage = in.ReadInt();
        r.FensterVon = in.ReadInt();
        r.FensterBis = in.ReadInt();
        r.FensterMaxTage = in.ReadInt();
        if (t >= 0) data.Lehrer[static_cast<std::size_t>(t)].Regeln = r;
    }
    seen.clear();
    n = in.ReadCount(kKlassenRegelnTokens);
    for (int i = 0; i < n && in.Ok(); ++i) {
        const std::string name = in.ReadText("Die Klasse");
        const int c = RulesOwner(in, index.Klassen, seen, name, "Die Klasse", "Klassenliste");
        CTagesRegeln r;
        ReadTagesRegeln(in, r);
        if (c >= 0) data.Klassen[static_cast<std::size_t>(c)].Regeln = r;
    }
    seen.clear();
    n = in.ReadCount(kBlockRegelnTokens);
    for (int i = 0; i < n && in.Ok(); ++i) {
        const std::string key = in.ReadText("Der Unterricht");
        const int b =
            RulesOwner(in, index.FachBloecke, seen, key, "Der Unterricht", "Unterrichtsliste");
        CBlockRegeln r;
        ReadBlockRegeln(in, r);
        if (b >= 0) data.FachBloecke[static_cast<std::size_t>(b)].Block.Regeln = std::move(r);
    }
    seen.clear();
    n = in.ReadCount(kBlockRegelnTokens);
    for (int i = 0; i < n && in.Ok(); ++i) {
        const std::string name = in.ReadText("Der Kurs", true);
        const int k = RulesOwner(in, index.KursBloecke, seen, name, "Der Kurs", "Kursliste");
        CBlockRegeln r;
        ReadBlockRegeln(in, r);
        if (k >= 0) data.KursBloecke[static_cast<std::size_t>(k)].Regeln = std::move(r);
    }
    n = in.ReadCount(kBeziehungTokens);
    for (int i = 0; i < n && in.Ok(); ++i) {
        CBeziehung b;
        const std::string art = in.ReadWord();
        if (const auto known = BeziehungsArtAus(art))
            b.Art = *known;
        else if (in.Ok())
            in.Fail(in.Position(), Q(art) + kUnbekannteArt);
        const int bloecke = in.ReadCount(kBezugTokens);
        for (int j = 0; j < bloecke && in.Ok(); ++j) {
            CBlockBezug ref;
            ref.Kurs = in.ReadFlag();
            ref.Name = in.ReadText("Der Block", true);
            b.Bloecke.push_back(std::move(ref));
        }
        data.Beziehungen.push_back(std::move(b));
    }
}

} // namespace

Outcome CheckStorable(const Stammdaten& data) {
    StorableCheck check(data);
    const auto& a = data.Angaben;
    if (!IsValidTage(a.Tage))
        check.Problem("Die Anzahl der Unterrichtstage (" + std::to_string(a.Tage) +
                      ") liegt nicht zwischen 1 und " + std::to_string(kMaxDays) + ".");
    if (!IsValidStunden(a.Stunden))
        check.Problem("Die Anzahl der Stunden pro Tag (" + std::to_string(a.Stunden) +
                      ") liegt nicht zwischen 1 und " + std::to_string(kMaxHour) + ".");
    for (std::size_t d = 0; d < a.TagNamen.size(); ++d)
        check.Text(a.TagNamen[d], "Der Tagesname", "Tag " + std::to_string(d + 1));
    check.Texts(data.Faecher, "Der Name", "Fach");
    for (const auto& r : data.Raeume) {
        check.Text(r.Name, "Der Name", "Raum");
        const std::string owner = "Raum " + Q(r.Name);
        check.Text(r.Kurz, "Das Kürzel", owner, true);
        check.Texts(r.Faecher, "Der Fachname", owner);
        check.Text(r.Klasse, "Der Klassenname", owner);
    }
    for (const auto& l : data.Lehrer) {
        check.Text(l.Name, "Der Name", "Lehrer");
        const std::string owner = "Lehrer " + Q(l.Name);
        check.Text(l.Kurz, "Das Kürzel", owner, true);
        check.Texts(l.Faecher, "Der Fachname", owner);
        check.Text(l.Klasse, "Der Klassenname", owner);
    }
    for (const auto& k : data.Klassen)
        check.Text(k.Name, "Der Name", "Klasse");
    if (auto twice = data.DuplicateName()) check.Problem(*twice);
    if (auto text = TextThatMakesTheFileReadAsUtf8(data, true))
        check.Problem(Utf8Doppelgaenger(*text));
    if (data.LessonHours() > kMaxLessonHours)
        check.Problem("Die Schule hat " + std::to_string(data.LessonHours()) +
                      " Unterrichtsstunden; mehr als " + std::to_string(kMaxLessonHours) +
                      " kann das Programm nicht planen.");
    for (const auto& u : data.FachBloecke) {
        check.Text(u.Key, "Der Schlüssel", "Unterricht");
        const std::string owner = "Unterricht " + Q(u.Key);
        check.Text(u.Block.Lehrer, "Der Lehrername", owner);
        check.Text(u.Block.Klasse, "Der Klassenname", owner);
        check.Text(u.Block.Fach, "Der Fachname", owner);
        check.KnownLehrer(u.Block.Lehrer, "Der " + owner);
        check.KnownKlasse(u.Block.Klasse, "Der " + owner);
        check.Einheiten(u.Block.Einheiten, owner,
                        [&u](std::size_t j) { return FachEinheitText(u.Key, j); });
        check.Separation(u.Block.SpezialTrennung, owner);
        check.BlockHours(u.Block.BStunden, owner);
    }
    for (const auto& k : data.KursBloecke) {
        check.Text(k.Name, "Der Name", "Kurs", true);
        const std::string owner = "Kurs " + Q(k.Name);
        check.Text(k.Kurz, "Das Kürzel", owner, true);
        check.Texts(k.Faecher, "Der Fachname", owner);
        check.BlockHours(k.BStunden, owner);
        for (std::size_t t = 0; t < k.Lehrer.size(); ++t) {
            const CKursLehrer& kl = k.Lehrer[t];
            check.Text(kl.Name, "Der Lehrername", owner);
            check.KnownLehrer(kl.Name, "Der " + owner);
            check.Einheiten(kl.Einheiten, owner + ", Lehrer " + Q(kl.Name),
                            [&k, t](std::size_t j) { return KursEinheitText(k, t, j); });
        }
        check.Parallel(k);
        check.Separation(k.SpezialTrennung, owner);
        for (const auto& klasse : k.Klassen) {
            check.Text(klasse, "Der Klassenname", owner);
            check.KnownKlasse(klasse, "Der " + owner);
        }
    }
    if (auto rule = RegelProblem(data)) check.Problem(*rule);
    return check.Result();
}

void WriteStammdatenPart(TokenWriter& out, const Stammdaten& data, const CPlan* plan) {
    const auto writeTexts = [&out](const std::vector<std::string>& texts) {
        out.WriteInt(static_cast<int>(texts.size()));
        for (const auto& t : texts)
            out.WriteText(t);
    };
    const auto writeEinheiten = [&out](const std::vector<CEinheit>& einheiten) {
        out.WriteInt(static_cast<int>(einheiten.size()));
        for (const auto& e : einheiten)
            out.WriteEinheit(e);
    };

    out.WriteInt(data.Angaben.Tage);
    out.WriteInt(data.Angaben.Stunden);
    out.WriteFlag(data.Angaben.Nullte ? 1 : 0);
    writeTexts(data.Angaben.TagNamen);
    writeTexts(data.Faecher);

    out.WriteInt(static_cast<int>(data.Raeume.size()));
    for (const auto& r : data.Raeume) {
        out.WriteText(r.Name);
        out.WriteText(r.Kurz);
        writeTexts(r.Faecher);
        for (Flag f : r.FachTyp)
            out.WriteFlag(f);
        for (Flag f : r.KlassenTyp)
            out.WriteFlag(f);
        out.WriteFlag(r.KlassenKursFreigabe);
        out.WriteText(r.Klasse);
        out.WriteGrid(r.Sperre);
    }

    out.WriteInt(static_cast<int>(data.Lehrer.size()));
    for (std::size_t t = 0; t < data.Lehrer.size(); ++t) {
        const CLehrer& l = data.Lehrer[t];
        const CLehrerSoll& soll =
            plan && t < plan->LehrerSollL.size() ? plan->LehrerSollL[t] : l.LetztesSoll;
        out.WriteText(l.Name);
        out.WriteText(l.Kurz);
        writeTexts(l.Faecher);
        out.WriteFlag(l.KlassenLehrer);
        out.WriteText(l.Klasse);
        out.WriteGrid(l.Sperre);
        out.WriteInt(soll.MaxProTag);
        out.WriteInt(soll.TageMitMax);
        out.WriteInt(soll.ProdOpt);
        out.WriteFlag(l.Opti);
        out.WriteFlag(l.NichtVerfuegbar);
        out.WriteFlag(l.TendenzZuFreienTagen);
    }

    out.WriteInt(static_cast<int>(data.Klassen.size()));
    for (std::size_t c = 0; c < data.Klassen.size(); ++c) {
        const CKlasse& k = data.Klassen[c];
        const CKlassenSoll& soll =
            plan && c < plan->KlassenSollL.size() ? plan->KlassenSollL[c] : k.LetztesSoll;
        out.WriteText(k.Name);
        out.WriteGrid(k.Sperre);
        out.WriteInt(soll.StundenLimit);
        out.WriteInt(soll.ProdOpt);
        out.WriteInt(soll.MaxProTag);
        out.WriteInt(soll.MinProTag);
        out.WriteInt(soll.TageMitMax);
        out.WriteFlag(k.Opti);
    }

    out.WriteInt(static_cast<int>(data.FachBloecke.size()));
    for (const auto& u : data.FachBloecke) {
        out.WriteText(u.Key);
        out.WriteText(u.Block.Lehrer);
        out.WriteText(u.Block.Klasse);
        out.WriteText(u.Block.Fach);
        out.WriteFlag(u.Block.Trennung);
        out.WriteInt(u.Block.SpezialTrennung);
        out.WriteInt(u.Block.BStunden);
        writeEinheiten(u.Block.Einheiten);
    }

    out.WriteInt(static_cast<int>(data.KursBloecke.size()));
    for (const auto& k : data.KursBloecke) {
        out.WriteText(k.Name);
        out.WriteText(k.Kurz);
        out.WriteFlag(k.Trennung);
        out.WriteInt(k.SpezialTrennung);
        out.WriteInt(k.BStunden);
        writeTexts(k.Faecher);
        out.WriteInt(static_cast<int>(k.Lehrer.size()));
        for (const auto& kl : k.Lehrer) {
            out.WriteText(kl.Name);
            writeEinheiten(kl.Einheiten);
        }
        writeTexts(k.Klassen);
    }
    if (HatRegeln(data)) WriteRegeln(out, data);
    if (HatSchuljahr(data.Angaben)) WriteSchuljahr(out, data.Angaben);
}

Outcome ReadStammdatenPart(TokenReader& in, Stammdaten& data) {
    Stammdaten fresh;
    ReadIndex index;
    ReadAngaben(in, fresh.Angaben);
    // Every reference is by name, so each name may stand only once in its list; the check
    // names the word that repeats a name.
    int n = in.ReadCount();
    for (int i = 0; i < n && in.Ok(); ++i) {
        std::string fach = in.ReadText("Das Fach");
        Unique(in, index.Faecher.Add(fach, i), "Das Fach", fach, "Fächerliste");
        fresh.Faecher.push_back(std::move(fach));
    }
    n = in.ReadCount(kRaumTokens);
    for (int i = 0; i < n && in.Ok(); ++i) {
        CRaumFach r;
        r.Name = in.ReadText("Der Raum");
        Unique(in, index.Raeume.Add(r.Name, i), "Der Raum", r.Name, "Raumliste");
        ReadRaumRest(in, r);
        fresh.Raeume.push_back(std::move(r));
    }
    n = in.ReadCount(kLehrerTokens);
    for (int i = 0; i < n && in.Ok(); ++i) {
        CLehrer l;
        l.Name = in.ReadText("Der Lehrer");
        Unique(in, index.Lehrer.Add(l.Name, i), "Der Lehrer", l.Name, "Lehrerliste");
        ReadLehrerRest(in, l);
        fresh.Lehrer.push_back(std::move(l));
    }
    n = in.ReadCount(kKlasseTokens);
    for (int i = 0; i < n && in.Ok(); ++i) {
        CKlasse k;
        k.Name = in.ReadText("Die Klasse");
        Unique(in, index.Klassen.Add(k.Name, i), "Die Klasse", k.Name, "Klassenliste");
        ReadClassRest(in, k);
        fresh.Klassen.push_back(std::move(k));
    }
    long long schoolHours = 0;
    n = in.ReadCount(kFachBlockTokens);
    for (int i = 0; i < n && in.Ok(); ++i) {
        const int keyAt = in.Position() + 1;
        Unterricht u = ReadFachBlock(in, fresh, index, schoolHours);
        if (in.Ok() && index.FachBloecke.Add(u.Key, i) >= 0)
            in.Fail(keyAt,
                    "Der Unterricht " + Q(u.Key) + " steht zweimal in der " + "Unterrichtsliste.");
        fresh.FachBloecke.push_back(std::move(u));
    }
    n = in.ReadCount(kKursBlockTokens);
    for (int i = 0; i < n && in.Ok(); ++i) {
        const int nameAt = in.Position() + 1;
        CKursBlock k = ReadKursBlock(in, fresh, index, schoolHours);
        if (in.Ok() && index.KursBloecke.Add(k.Name, i) >= 0)
            in.Fail(nameAt, "Der Kurs " + Q(k.Name) + " steht zweimal in der Kursliste.");
        fresh.KursBloecke.push_back(std::move(k));
    }
    if (in.NextIs(kRegelnMarke)) {
        in.ReadWord();
        ReadRegeln(in, fresh, index);
    }
    if (in.Ok() && in.NextIs(kSchuljahrMarke)) {
        in.ReadWord();
        ReadSchuljahr(in, fresh.Angaben);
    }

    // A file whose texts would read back otherwise once written is refused now, not after the
    // next save.
    if (in.Ok())
        if (auto text = TextThatMakesTheFileReadAsUtf8(fresh, true))
            in.Fail(in.Position(), Utf8Doppelgaenger(*text));
    // A rule that can never be met is refused now, not when the plan cannot keep it.
    if (in.Ok())
        if (auto rule = RegelProblem(fresh)) in.Fail(in.Position(), *rule);
    if (!in.Ok()) return in.Result();
    fresh.AngabenBestaetigt = true;
    data = std::move(fresh);
    return Outcome::Success();
}

Outcome WriteStreamFile(const Stammdaten& data, const std::string& path, FileOps& files,
                        std::string_view header,
                        const std::function<void(TokenWriter&)>& appendSection, const CPlan* plan) {
    Outcome checked = CheckStorable(data);
    if (!checked.Ok) return checked;

    TokenWriter out;
    out.WriteWord(header);
    WriteStammdatenPart(out, data, plan);
    if (appendSection) appendSection(out);

    const auto bytes = Utf8ToCp1252(out.Text());
    const FileResult written =
        bytes ? files.WriteReplacing(path, *bytes)
              : FileResult{0, "Ein Text enthält ein Zeichen, das in der Datei nicht darstellbar "
                              "ist."}; // every text was checked above; kept for safety
    if (!written)
        return Outcome::Failure("Fehler beim Speichern der Datei:\n" + path +
                                    "\nDatei konnte nicht erzeugt werden.\n" + written.Reason,
                                titel::Dateifehler);
    return Outcome::Success();
}

StreamReadResult ReadStreamFile(const std::string& path, FileOps& files, bool planExpected) {
    StreamReadResult result;
    // No exception leaves the reader: whatever goes wrong becomes a refusal.
    try {
        const FileContent file = files.ReadAll(path);
        if (!file.bytes) {
            result.outcome =
                Outcome::Failure("Fehler beim Lesen der Datei " + path +
                                     ":\nDie Datei kann nicht geöffnet werden.\n" + file.reason,
                                 titel::Dateifehler);
            return result;
        }
        const FileText text = DecodeFileBytes(*file.bytes);
        TokenReader in(text.Text, path);
        result.header = in.ReadWord();
        if (!in.Ok()) {
            result.outcome = in.Result();
            return result;
        }
        if (planExpected && result.header != kPlanKopf) {
            result.outcome = Outcome::Failure("Dies ist keine Plan - Datei!", titel::DateiFehler);
            return result;
        }
        result.outcome = ReadStammdatenPart(in, result.data);
        // Only a plan file goes on after the master data; anything else there is damage.
        if (result.outcome.Ok && result.header != kPlanKopf && in.Remaining() > 0) {
            in.Fail(in.Position() + 1, "Nach dem Ende der Stammdaten folgt noch Text.");
            result.outcome = in.Result();
        }
        if (!result.outcome.Ok) {
            result.data = Stammdaten{};
            return result;
        }
        if (text.WasUtf8) result.outcome.Messages.push_back({Utf8Hinweis(path), titel::Hinweis});
        result.rest = std::move(in);
    } catch (const std::exception& error) {
        result = {};
        result.outcome = Outcome::Failure(UnerwarteterLesefehler(path, error), titel::Dateifehler);
    }
    return result;
}

} // namespace sw
