// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Regeln.h"

#include "model/Text.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

namespace sw {

namespace {

std::string Num(int n) {
    return std::to_string(n);
}

std::string Quoted(const std::string& s) {
    return "„" + ForMessage(s) + "“";
}

constexpr std::array<const char*, 16> kRegelNamen = {
    "höchstens Stunden am Tag",
    "mindestens Stunden am Tag",
    "höchstens Lücken am Tag",
    "höchstens Lücken in der Woche",
    "höchstens Stunden in Folge",
    "höchstens Tage in der Woche",
    "mindestens Tage in der Woche",
    "höchstens Tage im Zeitfenster",
    "Pause",
    "erlaubte Zeiten",
    "Tage zwischen den Einheiten",
    "beendet den Tag der Klasse",
    "beginnen gleichzeitig",
    "nie gleichzeitig",
    "am selben Tag",
    "direkt nacheinander",
};

// "höchstens 4 sind erlaubt", "höchstens 1 ist erlaubt".
std::string Erlaubt(int most) {
    return "höchstens " + Num(most) + (most == 1 ? " ist erlaubt" : " sind erlaubt");
}

bool Set(int v) {
    return v != kKeineRegel;
}

// The sentences of the rules of the days, appended to `out`.
void DayTexts(const CTagesRegeln& r, std::vector<std::string>& out) {
    if (Set(r.MaxStundenProTag))
        out.push_back("höchstens " + Anzahl(r.MaxStundenProTag, "Stunde", "Stunden") + " am Tag");
    if (Set(r.MinStundenProTag))
        out.push_back("mindestens " + Anzahl(r.MinStundenProTag, "Stunde", "Stunden") + " am Tag");
    if (Set(r.MaxLueckenProTag))
        out.push_back("höchstens " + Anzahl(r.MaxLueckenProTag, "Lücke", "Lücken") + " am Tag");
    if (Set(r.MaxLueckenProWoche))
        out.push_back("höchstens " + Anzahl(r.MaxLueckenProWoche, "Lücke", "Lücken") +
                      " in der Woche");
    if (Set(r.MaxInFolge))
        out.push_back("höchstens " + Anzahl(r.MaxInFolge, "Stunde", "Stunden") + " in Folge");
}

// Every unit of the master data with its block's name, teacher(s) and classes.
struct UnitOwner {
    std::string Block; // "Unterricht „…“" or "Kurs „…“"
    std::vector<std::string> Lehrer;
    std::vector<std::string> Klassen;
    const std::vector<CEinheit>* Einheiten = nullptr;
    const CBlockRegeln* Regeln = nullptr;
};

std::vector<UnitOwner> Owners(const Stammdaten& data) {
    std::vector<UnitOwner> out;
    for (const Unterricht& u : data.FachBloecke)
        out.push_back({"Unterricht " + Quoted(u.Key),
                       {u.Block.Lehrer},
                       {u.Block.Klasse},
                       &u.Block.Einheiten,
                       &u.Block.Regeln});
    for (const CKursBlock& k : data.KursBloecke) {
        UnitOwner o{"Kurs " + Quoted(k.Name), {}, k.Klassen, nullptr, &k.Regeln};
        for (const CKursLehrer& l : k.Lehrer)
            o.Lehrer.push_back(l.Name);
        static const std::vector<CEinheit> kNone;
        o.Einheiten = k.Lehrer.empty() ? &kNone : &k.Lehrer.front().Einheiten;
        out.push_back(std::move(o));
    }
    return out;
}

bool InWeek(const AllgemeineAngaben& a, int slot) {
    if (!IsSlot(slot) || DayOf(slot) >= a.Tage) return false;
    const int h = HourOf(slot);
    return (h >= 1 && h <= a.Stunden) || (h == 0 && a.Nullte);
}

// A unit pinned to one slot: a time without an upper or lower limit.
bool Pinned(const CEinheit& e) {
    return e.Zeitvorgabe != kNoSlot && !e.OberesLimit && !e.UnteresLimit;
}

class Checker {
public:
    explicit Checker(const Stammdaten& data) : d_(data), owners_(Owners(data)) {}

    std::optional<std::string> Run() {
        for (const CLehrer& l : d_.Lehrer) {
            const std::string owner = "des Lehrers " + Quoted(l.Name);
            Days(l.Regeln, owner, l.Name, true);
            Teacher(l.Regeln, owner);
        }
        for (const CKlasse& k : d_.Klassen)
            Days(k.Regeln, "der Klasse " + Quoted(k.Name), k.Name, false);
        Breaks();
        for (const UnitOwner& o : owners_)
            Block(o);
        Relations();
        return problem_;
    }

private:
    void Problem(std::string text) {
        if (!problem_) problem_ = std::move(text);
    }
    void Never(const std::string& rule, const std::string& owner, const std::string& why) {
        Problem("Die Regel „" + rule + "“" + (owner.empty() ? "" : " " + owner) +
                " kann nie erfüllt werden: " + why + ".");
    }
    void Range(int v, int lo, int hi, const char* name, const std::string& owner) {
        if (!Set(v) || (v >= lo && v <= hi)) return;
        Problem("Die Regel „" + std::string(name) + "“ " + owner + " hat den Wert " + Num(v) +
                "; erlaubt ist " + Num(lo) + " bis " + Num(hi) + ".");
    }

    void Days(const CTagesRegeln& r, const std::string& owner, const std::string& name,
              bool teacher) {
        const int day = DayHours(d_.Angaben);
        Range(r.MaxStundenProTag, 1, day, kRegelNamen[0], owner);
        Range(r.MinStundenProTag, 1, day, kRegelNamen[1], owner);
        Range(r.MaxLueckenProTag, 0, day, kRegelNamen[2], owner);
        Range(r.MaxLueckenProWoche, 0, WeekHours(d_.Angaben), kRegelNamen[3], owner);
        Range(r.MaxInFolge, 1, day, kRegelNamen[4], owner);
        if (Set(r.MaxStundenProTag) && Set(r.MinStundenProTag) &&
            r.MinStundenProTag > r.MaxStundenProTag)
            Never("mindestens " + Num(r.MinStundenProTag) + " Stunden am Tag", owner,
                  Erlaubt(r.MaxStundenProTag));
        // A unit is held in one piece on one day.
        const int most = std::min(Set(r.MaxStundenProTag) ? r.MaxStundenProTag : day,
                                  Set(r.MaxInFolge) ? r.MaxInFolge : day);
        for (const UnitOwner& o : owners_) {
            const auto& who = teacher ? o.Lehrer : o.Klassen;
            if (std::find(who.begin(), who.end(), name) == who.end()) continue;
            for (const CEinheit& e : *o.Einheiten) {
                if (e.Laenge <= most) continue;
                const bool byDay = Set(r.MaxStundenProTag) && e.Laenge > r.MaxStundenProTag;
                Never(
                    byDay
                        ? "höchstens " + Anzahl(r.MaxStundenProTag, "Stunde", "Stunden") + " am Tag"
                        : "höchstens " + Anzahl(r.MaxInFolge, "Stunde", "Stunden") + " in Folge",
                    owner, "eine Einheit (" + o.Block + ") ist " + Num(e.Laenge) + " Stunden lang");
                return;
            }
        }
    }

    void Teacher(const CLehrerRegeln& r, const std::string& owner) {
        const int tage = d_.Angaben.Tage;
        Range(r.MaxTage, 1, tage, kRegelNamen[5], owner);
        Range(r.MinTage, 1, tage, kRegelNamen[6], owner);
        if (Set(r.MaxTage) && Set(r.MinTage) && r.MinTage > r.MaxTage)
            Never("mindestens " + Num(r.MinTage) + " Tage in der Woche", owner, Erlaubt(r.MaxTage));
        const int set = Set(r.FensterVon) + Set(r.FensterBis) + Set(r.FensterMaxTage);
        if (set == 0) return;
        if (set != 3 || r.FensterVon < 0 || r.FensterVon > r.FensterBis ||
            r.FensterBis > kMaxHour || r.FensterMaxTage < 0 || r.FensterMaxTage > tage)
            Problem("Das Zeitfenster " + owner + " ist ungültig: es braucht die erste und die " +
                    "letzte Stunde (0 bis " + Num(kMaxHour) + ") und höchstens 0 bis " + Num(tage) +
                    " Tage.");
    }

    void Breaks() {
        const auto& p = d_.Angaben.Pausen;
        for (std::size_t i = 0; i < p.size(); ++i) {
            if (!InWeek(d_.Angaben, p[i]))
                return Problem("Die Pause " + Num(p[i]) + " liegt nicht in der Woche.");
            if (i > 0 && p[i] <= p[i - 1])
                return Problem("Die Pausen sind nicht aufsteigend geordnet.");
        }
        for (const UnitOwner& o : owners_)
            for (const CEinheit& e : *o.Einheiten) {
                if (!Pinned(e)) continue;
                for (int s = e.Zeitvorgabe; s < e.Zeitvorgabe + e.Laenge; ++s)
                    if (std::binary_search(p.begin(), p.end(), s))
                        return Never("Pause " + SlotKurz(d_.Angaben, s), "der Schule",
                                     "eine Einheit (" + o.Block + ") ist dann festgelegt");
            }
    }

    void Block(const UnitOwner& o) {
        const CBlockRegeln& r = *o.Regeln;
        const auto& z = r.ErlaubteZeiten;
        const std::string owner = "(" + o.Block + ")";
        for (std::size_t i = 0; i < z.size(); ++i) {
            if (!InWeek(d_.Angaben, z[i]))
                return Problem("Die erlaubte Zeit " + Num(z[i]) + " " + owner +
                               " liegt nicht in der Woche.");
            if (i > 0 && z[i] <= z[i - 1])
                return Problem("Die erlaubten Zeiten " + owner +
                               " sind nicht aufsteigend geordnet.");
        }
        const int last = d_.Angaben.Stunden;
        for (const CEinheit& e : *o.Einheiten) {
            if (z.empty()) break;
            if (Pinned(e) && !std::binary_search(z.begin(), z.end(), e.Zeitvorgabe))
                return Never(kRegelNamen[9], owner,
                             "eine Einheit ist auf " + SlotKurz(d_.Angaben, e.Zeitvorgabe) +
                                 " festgelegt");
            const bool fits = std::any_of(z.begin(), z.end(),
                                          [&](int s) { return HourOf(s) + e.Laenge - 1 <= last; });
            if (!fits)
                return Never(kRegelNamen[9], owner,
                             "keine lässt Platz für eine Einheit von " + Num(e.Laenge) +
                                 " Stunden");
        }
        if (r.MinTageAbstand == 0) return;
        // 0 is "no rule", so every other value lies in range, -1 included.
        if (r.MinTageAbstand < 1 || r.MinTageAbstand > 6)
            return Problem("Die Regel „" + std::string(kRegelNamen[10]) + "“ " + owner +
                           " hat den Wert " + Num(r.MinTageAbstand) + "; erlaubt ist 1 bis 6.");
        const int n = static_cast<int>(o.Einheiten->size());
        if (n > 1 && (n - 1) * r.MinTageAbstand + 1 > d_.Angaben.Tage)
            Never(
                "Einheiten mindestens " + Anzahl(r.MinTageAbstand, "Tag", "Tage") + " auseinander",
                owner, Num(n) + " Einheiten passen so nicht in " + Num(d_.Angaben.Tage) + " Tage");
    }

    void Relations() {
        // Pairs of blocks (by their text) that two relations would tie in contradicting ways.
        std::set<std::pair<std::string, std::string>> together, apart, before;
        for (const CBeziehung& b : d_.Beziehungen) {
            const std::string rule = RegelText(b);
            if (b.Bloecke.size() < 2 ||
                (b.Art == BeziehungsArt::Direktfolge && b.Bloecke.size() != 2))
                return Problem("Die Regel „" + rule + "“ braucht " +
                               (b.Art == BeziehungsArt::Direktfolge ? "genau" : "mindestens") +
                               " zwei Blöcke.");
            const std::vector<CEinheit>* first = nullptr;
            std::set<std::string> seen;
            for (const CBlockBezug& ref : b.Bloecke) {
                const std::vector<CEinheit>* units = EinheitenVon(d_, ref);
                if (!units)
                    return Problem("Die Regel „" + rule + "“ nennt " + BezugText(ref) +
                                   ", den es nicht gibt.");
                if (!seen.insert(BezugText(ref)).second)
                    return Problem("Die Regel „" + rule + "“ nennt " + BezugText(ref) +
                                   " zweimal.");
                if (!first) first = units;
                if (b.Art == BeziehungsArt::NieGleichzeitig) continue;
                if (units->size() != first->size())
                    return Never(rule, "", "die Blöcke haben nicht gleich viele Einheiten");
                if (b.Art != BeziehungsArt::Gleichzeitig) continue;
                for (std::size_t i = 0; i < units->size(); ++i)
                    if ((*units)[i].Laenge != (*first)[i].Laenge)
                        return Never(rule, "", "die Einheiten sind nicht gleich lang");
            }
            for (std::size_t i = 0; i < b.Bloecke.size(); ++i)
                for (std::size_t j = 0; j < b.Bloecke.size(); ++j) {
                    if (i == j) continue;
                    const auto pair =
                        std::make_pair(BezugText(b.Bloecke[i]), BezugText(b.Bloecke[j]));
                    if (b.Art == BeziehungsArt::Gleichzeitig) together.insert(pair);
                    if (b.Art == BeziehungsArt::NieGleichzeitig) apart.insert(pair);
                    if (b.Art == BeziehungsArt::Direktfolge && i == 0) before.insert(pair);
                }
        }
        for (const auto& p : together)
            if (apart.count(p) || before.count(p))
                return Problem("Die Regeln für " + p.first + " und " + p.second +
                               " widersprechen sich: gleichzeitig und " +
                               (apart.count(p) ? "nie gleichzeitig." : "nacheinander."));
        for (const auto& p : before)
            if (before.count({p.second, p.first}))
                return Problem("Die Regeln für " + p.first + " und " + p.second +
                               " widersprechen sich: jeder soll direkt vor dem anderen liegen.");
    }

    const Stammdaten& d_;
    std::vector<UnitOwner> owners_;
    std::optional<std::string> problem_;
};

} // namespace

const char* RegelName(RegelArt art) {
    const char* const name = kRegelNamen[static_cast<std::size_t>(art)];
    return name;
}

namespace {

// The first two letters of a day's name, an umlaut whole ("Mo", "Di").
std::string TagKurz(const std::string& day) {
    std::size_t n = 0;
    for (int letters = 0; n < day.size() && letters < 2; ++letters) {
        ++n;
        while (n < day.size() && (static_cast<unsigned char>(day[n]) & 0xC0) == 0x80)
            ++n;
    }
    return day.substr(0, n);
}

} // namespace

std::string SlotKurz(const AllgemeineAngaben& a, int slot) {
    const int d = DayOf(slot);
    const std::string day = TagName(a, d);
    std::string shown = TagKurz(day);
    // Days whose names begin alike ("Tag 1", "Tag 2") keep their whole names.
    for (int other = 0; other < a.Tage; ++other)
        if (other != d && TagKurz(TagName(a, other)) == shown) {
            shown = day;
            break;
        }
    return shown + " " + Num(HourOf(slot));
}

std::vector<std::string> RegelTexte(const CTagesRegeln& r) {
    std::vector<std::string> out;
    DayTexts(r, out);
    return out;
}

std::vector<std::string> RegelTexte(const CLehrerRegeln& r) {
    std::vector<std::string> out;
    DayTexts(r, out);
    if (Set(r.MaxTage))
        out.push_back("höchstens " + Anzahl(r.MaxTage, "Tag", "Tage") + " in der Woche");
    if (Set(r.MinTage))
        out.push_back("mindestens " + Anzahl(r.MinTage, "Tag", "Tage") + " in der Woche");
    if (Set(r.FensterMaxTage))
        out.push_back("an höchstens " + Anzahl(r.FensterMaxTage, "Tag", "Tagen") +
                      " Unterricht in den Stunden " + Num(r.FensterVon) + " bis " +
                      Num(r.FensterBis));
    return out;
}

std::vector<std::string> RegelTexte(const AllgemeineAngaben& a, const CBlockRegeln& r) {
    std::vector<std::string> out;
    if (!r.ErlaubteZeiten.empty()) {
        std::string text = "beginnt nur ";
        for (std::size_t i = 0; i < r.ErlaubteZeiten.size(); ++i)
            text += (i ? ", " : "") + SlotKurz(a, r.ErlaubteZeiten[i]);
        out.push_back(text);
    }
    if (r.MinTageAbstand > 0)
        out.push_back("Einheiten mindestens " + Anzahl(r.MinTageAbstand, "Tag", "Tage") +
                      " auseinander");
    if (r.Tagesende) out.push_back("beendet den Tag der Klasse");
    return out;
}

std::string BezugText(const CBlockBezug& b) {
    return b.Kurs ? "Kurs " + b.Name : b.Name;
}

std::string RegelText(const CBeziehung& b) {
    std::string text = kRegelNamen[static_cast<std::size_t>(RegelArt::Gleichzeitig) +
                                   static_cast<std::size_t>(b.Art)];
    text += ": ";
    for (std::size_t i = 0; i < b.Bloecke.size(); ++i)
        text += (i ? ", " : "") + BezugText(b.Bloecke[i]);
    return text;
}

std::string PausenText(const AllgemeineAngaben& a) {
    if (a.Pausen.empty()) return {};
    std::string text = "Pausen: ";
    for (std::size_t i = 0; i < a.Pausen.size(); ++i)
        text += (i ? ", " : "") + SlotKurz(a, a.Pausen[i]);
    return text;
}

std::vector<std::string> RegelListe(const Stammdaten& data) {
    std::vector<std::string> out;
    const auto add = [&](const std::string& owner, const std::vector<std::string>& texts) {
        for (const std::string& t : texts) {
            std::string line = owner;
            line += ": ";
            line += t;
            out.push_back(std::move(line));
        }
    };
    if (!data.Angaben.Pausen.empty()) out.push_back(PausenText(data.Angaben));
    for (const CLehrer& l : data.Lehrer)
        add("Lehrer " + l.Name, RegelTexte(l.Regeln));
    for (const CKlasse& k : data.Klassen)
        add("Klasse " + k.Name, RegelTexte(k.Regeln));
    for (const Unterricht& u : data.FachBloecke)
        add("Unterricht " + u.Key, RegelTexte(data.Angaben, u.Block.Regeln));
    for (const CKursBlock& k : data.KursBloecke)
        add("Kurs " + k.Name, RegelTexte(data.Angaben, k.Regeln));
    for (const CBeziehung& b : data.Beziehungen)
        out.push_back("Beziehung: " + RegelText(b));
    return out;
}

bool HatRegeln(const Stammdaten& data) {
    if (!data.Angaben.Pausen.empty() || !data.Beziehungen.empty()) return true;
    for (const CLehrer& l : data.Lehrer)
        if (!l.Regeln.Leer()) return true;
    for (const CKlasse& k : data.Klassen)
        if (!k.Regeln.Leer()) return true;
    for (const Unterricht& u : data.FachBloecke)
        if (!u.Block.Regeln.Leer()) return true;
    for (const CKursBlock& k : data.KursBloecke)
        if (!k.Regeln.Leer()) return true;
    return false;
}

const std::vector<CEinheit>* EinheitenVon(const Stammdaten& data, const CBlockBezug& b) {
    if (!b.Kurs) {
        const int i = data.FindFachBlock(b.Name);
        return i < 0 ? nullptr : &data.FachBloecke[static_cast<std::size_t>(i)].Block.Einheiten;
    }
    const int i = data.FindKursBlock(b.Name);
    if (i < 0) return nullptr;
    const CKursBlock& k = data.KursBloecke[static_cast<std::size_t>(i)];
    static const std::vector<CEinheit> kNone;
    return k.Lehrer.empty() ? &kNone : &k.Lehrer.front().Einheiten;
}

std::optional<std::string> RegelProblem(const Stammdaten& data) {
    if (!HatRegeln(data)) return std::nullopt;
    return Checker(data).Run();
}

} // namespace sw
