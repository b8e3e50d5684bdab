// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Presets.h"

#include "model/NameIndex.h"
#include "model/Text.h"

#include <algorithm>
#include <set>
#include <unordered_map>
#include <utility>

namespace sw {

namespace {

std::string Num(int value) {
    return std::to_string(value);
}

std::string Quoted(std::string_view text) {
    return "\"" + ForMessage(text) + "\"";
}

std::string Tage(int tage) {
    return tage == 1 ? std::string("einen Tag") : Num(tage) + " Tage";
}

std::string DayHoursText(const AllgemeineAngaben& a) {
    return "der Tag hat nur die Stunden " + Num(a.Nullte ? 0 : 1) + " bis " + Num(a.Stunden);
}

std::optional<std::string> LimitFault(const AllgemeineAngaben& a, const CEinheit& e) {
    if (e.OberesLimit && e.UnteresLimit)
        return std::string("hat ein oberes und ein unteres Stunden-Limit zugleich");
    // The plan reads the limit as the hour of the field (a slot stands for its hour).
    const int first = a.Nullte ? 0 : 1;
    const int b = HourOf(e.Zeitvorgabe);
    if (b < first || b > a.Stunden)
        return "hat das Stunden-Limit " + Num(b) + "; " + DayHoursText(a);
    // Every hour of the unit keeps the limit: before or at it (upper), at or after it (lower).
    const long long laenge = e.Laenge; // a damaged length must not overflow
    if (e.OberesLimit && b - laenge + 1 < first)
        return "ist " + Num(e.Laenge) + " Stunden lang und kann so nie bis zur " + Num(b) +
               ". Stunde (oberes Stunden-Limit) enden";
    if (e.UnteresLimit && b + laenge - 1 > a.Stunden)
        return "ist " + Num(e.Laenge) + " Stunden lang und kann so nie in der " + Num(b) +
               ". Stunde (unteres Stunden-Limit) oder später beginnen; " + DayHoursText(a);
    return std::nullopt;
}

std::optional<std::string> FixedFault(const AllgemeineAngaben& a, const CEinheit& e) {
    const int slot = e.Zeitvorgabe;
    if (!IsSlot(slot)) return "hat die ungültige Zeitvorgabe " + Num(slot);
    const int day = DayOf(slot);
    const int hour = HourOf(slot);
    if (day >= a.Tage)
        return "ist am " + Num(day + 1) + ". Tag fest; die Woche hat nur " + Tage(a.Tage);
    if (hour == 0 && !a.Nullte)
        return std::string("ist in der 0. Stunde fest; die nullte Stunde ist nicht ermöglicht");
    const long long last = hour + static_cast<long long>(e.Laenge) - 1;
    if (last > a.Stunden)
        return (e.Laenge == 1 ? "ist in der " + Num(hour) + ". Stunde fest; "
                              : "ist von der " + Num(hour) + ". bis zur " + std::to_string(last) +
                                    ". Stunde fest; ") +
               DayHoursText(a);
    if (e.TagesLimit && e.Tag != day)
        return "ist am " + Num(day + 1) + ". Tag fest, aber auf den " + Num(e.Tag + 1) +
               ". Tag eingeschränkt";
    return std::nullopt;
}

// What a fixed lesson needs at its slots: its classes, teachers and rooms.
enum class Art { Klasse, Lehrer, Raum };

struct Bedarf {
    Art Wer;
    std::string Name;
};

struct Festlegung {
    std::string Text; // "die 2. Einheit des Unterrichts …"
    int Slot = kNoSlot;
    int Laenge = 1;
    std::vector<Bedarf> Braucht;
};

std::string BedarfText(const Bedarf& b) {
    switch (b.Wer) {
    case Art::Klasse:
        return "die Klasse " + Quoted(b.Name);
    case Art::Lehrer:
        return "den Lehrer " + Quoted(b.Name);
    case Art::Raum:
        break;
    }
    return "den Raum " + Quoted(b.Name);
}

std::string SlotText(const AllgemeineAngaben& a, int slot) {
    return "am " + TagName(a, DayOf(slot)) + " in der " + Num(HourOf(slot)) + ". Stunde";
}

// Collects the sentences up to the limit.
class Sammlung {
public:
    explicit Sammlung(std::size_t limit) : limit_(limit) {}
    bool Voll() const { return out_.size() >= limit_; }
    void Add(std::string text) {
        if (!Voll()) out_.push_back(std::move(text));
    }
    std::vector<std::string> Take() { return std::move(out_); }

private:
    std::size_t limit_;
    std::vector<std::string> out_;
};

std::string KursEinheit(const CKursBlock& k, std::size_t unit) {
    return "die " + Num(static_cast<int>(unit) + 1) + ". Einheit des Kurses " + Quoted(k.Name);
}

// The faults of single units and of a course's parallel units; the fixed lessons without fault.
void UnitFaults(const Stammdaten& d, Sammlung& out, std::vector<Festlegung>& fest) {
    const AllgemeineAngaben& a = d.Angaben;
    for (const Unterricht& u : d.FachBloecke)
        for (std::size_t j = 0; j < u.Block.Einheiten.size(); ++j) {
            const CEinheit& e = u.Block.Einheiten[j];
            if (auto fault = UnitPresetFault(a, e)) {
                out.Add(Capitalised(FachEinheitText(u.Key, j)) + " " + *fault + ".");
                continue;
            }
            if (!IsFixedUnit(e)) continue;
            Festlegung f{FachEinheitText(u.Key, j), e.Zeitvorgabe, e.Laenge, {}};
            f.Braucht = {{Art::Klasse, u.Block.Klasse}, {Art::Lehrer, u.Block.Lehrer}};
            if (!e.Raum.empty()) f.Braucht.push_back({Art::Raum, e.Raum});
            fest.push_back(std::move(f));
        }
    for (const CKursBlock& k : d.KursBloecke) {
        if (k.Lehrer.empty()) continue;
        const std::vector<CEinheit>& erste = k.Lehrer.front().Einheiten;
        const auto parallel = CourseParallelFault(k);
        if (parallel) out.Add(*parallel);
        const bool gleich = !parallel;
        for (std::size_t j = 0; j < erste.size(); ++j) {
            // Two teachers of the course in one room: their hours always lie at the same time.
            for (std::size_t t = 0; t < k.Lehrer.size(); ++t)
                for (std::size_t s = t + 1; s < k.Lehrer.size(); ++s) {
                    if (j >= k.Lehrer[t].Einheiten.size() || j >= k.Lehrer[s].Einheiten.size())
                        continue;
                    const std::string& raum = k.Lehrer[t].Einheiten[j].Raum;
                    if (!raum.empty() && raum == k.Lehrer[s].Einheiten[j].Raum)
                        out.Add(Capitalised(KursEinheit(k, j)) + " hat bei den Lehrern " +
                                Quoted(k.Lehrer[t].Name) + " und " + Quoted(k.Lehrer[s].Name) +
                                " denselben Raum " + Quoted(raum) +
                                "; ihre Stunden liegen stets zur selben Zeit.");
                }
            const CEinheit& e = erste[j];
            if (auto fault = UnitPresetFault(a, e)) {
                out.Add(Capitalised(KursEinheit(k, j)) + " " + *fault + ".");
                continue;
            }
            if (!gleich || !IsFixedUnit(e)) continue;
            Festlegung f{KursEinheit(k, j), e.Zeitvorgabe, e.Laenge, {}};
            for (const std::string& klasse : k.Klassen)
                f.Braucht.push_back({Art::Klasse, klasse});
            for (const CKursLehrer& l : k.Lehrer) {
                f.Braucht.push_back({Art::Lehrer, l.Name});
                if (j < l.Einheiten.size() && !l.Einheiten[j].Raum.empty())
                    f.Braucht.push_back({Art::Raum, l.Einheiten[j].Raum});
            }
            fest.push_back(std::move(f));
        }
    }
}

// Two fixed lessons that need one class, teacher or room at the same slot; each pair once.
void Clashes(const AllgemeineAngaben& a, const std::vector<Festlegung>& fest, Sammlung& out) {
    std::unordered_map<std::string, std::size_t> belegt;
    std::set<std::pair<std::size_t, std::size_t>> gemeldet;
    for (std::size_t i = 0; i < fest.size() && !out.Voll(); ++i) {
        const Festlegung& f = fest[i];
        for (int s = f.Slot; s < f.Slot + f.Laenge; ++s)
            for (const Bedarf& b : f.Braucht) {
                std::string key = std::to_string(static_cast<int>(b.Wer)) + '\x1f' + b.Name +
                                  '\x1f' + std::to_string(s);
                const auto [it, neu] = belegt.try_emplace(std::move(key), i);
                if (neu || it->second == i || !gemeldet.insert({it->second, i}).second) continue;
                out.Add(Capitalised(fest[it->second].Text) + " und " + f.Text + " sind beide " +
                        SlotText(a, s) + " fest und brauchen beide " + BedarfText(b) + ".");
            }
    }
}

// Fixed lessons at a slot where one of their classes, teachers or rooms is locked.
void Locks(const Stammdaten& d, const std::vector<Festlegung>& fest, Sammlung& out) {
    const StammdatenIndex index(d);
    for (const Festlegung& f : fest) {
        if (out.Voll()) return;
        std::optional<std::string> gesperrt;
        for (int s = f.Slot; s < f.Slot + f.Laenge && !gesperrt; ++s)
            for (const Bedarf& b : f.Braucht) {
                const LockGrid* grid = nullptr;
                if (b.Wer == Art::Klasse) {
                    if (const int k = index.Klassen.Find(b.Name); k >= 0)
                        grid = &d.Klassen[static_cast<std::size_t>(k)].Sperre;
                } else if (b.Wer == Art::Lehrer) {
                    if (const int t = index.Lehrer.Find(b.Name); t >= 0)
                        grid = &d.Lehrer[static_cast<std::size_t>(t)].Sperre;
                } else if (const int r = index.Raeume.Find(b.Name); r >= 0) {
                    grid = &d.Raeume[static_cast<std::size_t>(r)].Sperre;
                }
                if (grid && (*grid)[static_cast<std::size_t>(s)] != 0) {
                    gesperrt = SlotText(d.Angaben, s) + " fest; dort ist " + BedarfText(b);
                    break;
                }
            }
        if (gesperrt) {
            std::string text = Capitalised(f.Text) + " ist " + *gesperrt + " gesperrt.";
            // "den Lehrer" reads "der Lehrer" as the subject of the sentence.
            text = ReplaceAll(std::move(text), "dort ist den ", "dort ist der ");
            out.Add(std::move(text));
        }
    }
}

} // namespace

bool IsFixedUnit(const CEinheit& e) {
    return e.Zeitvorgabe != kNoSlot && e.OberesLimit == 0 && e.UnteresLimit == 0;
}

std::optional<std::string> UnitPresetFault(const AllgemeineAngaben& a, const CEinheit& e) {
    if (e.TagesLimit) {
        if (e.Tag < 0)
            return "ist auf einen Tag eingeschränkt, nennt aber keinen (Tag " + Num(e.Tag) + ")";
        if (e.Tag >= a.Tage)
            return "ist auf den " + Num(e.Tag + 1) + ". Tag eingeschränkt; die Woche hat nur " +
                   Tage(a.Tage);
    }
    if (e.Zeitvorgabe == kNoSlot) return std::nullopt;
    if (e.OberesLimit || e.UnteresLimit) return LimitFault(a, e);
    return FixedFault(a, e);
}

std::optional<std::string> ParallelDifference(const CEinheit& first, const CEinheit& other) {
    if (other.Laenge != first.Laenge) return std::string("in der Länge");
    if (other.Zeitvorgabe != first.Zeitvorgabe) return std::string("in der Zeitvorgabe");
    if (other.OberesLimit != first.OberesLimit) return std::string("im oberen Stunden-Limit");
    if (other.UnteresLimit != first.UnteresLimit) return std::string("im unteren Stunden-Limit");
    if (other.TagesLimit != first.TagesLimit || (first.TagesLimit && other.Tag != first.Tag))
        return std::string("in der Einschränkung auf einen Tag");
    if (other.NurUrPlan != first.NurUrPlan)
        return std::string("in \"nur für die Urplan - Erstellung\"");
    return std::nullopt;
}

std::optional<std::string> CourseParallelFault(const CKursBlock& k) {
    if (k.Lehrer.empty()) return std::nullopt;
    const CKursLehrer& erster = k.Lehrer.front();
    for (std::size_t t = 1; t < k.Lehrer.size(); ++t) {
        const CKursLehrer& l = k.Lehrer[t];
        if (l.Einheiten.size() != erster.Einheiten.size())
            return "Der Lehrer " + Quoted(l.Name) + " hat im Kurs " + Quoted(k.Name) + " " +
                   Num(static_cast<int>(l.Einheiten.size())) + " Einheiten, der Lehrer " +
                   Quoted(erster.Name) + " " + Num(static_cast<int>(erster.Einheiten.size())) + ".";
        for (std::size_t j = 0; j < l.Einheiten.size(); ++j)
            if (auto diff = ParallelDifference(erster.Einheiten[j], l.Einheiten[j]))
                return Capitalised(KursEinheitText(k, t, j)) + " weicht " + *diff +
                       " von der des Lehrers " + Quoted(erster.Name) +
                       " ab; die Einheiten eines Kurses liegen stets zur selben Zeit.";
    }
    return std::nullopt;
}

std::string FachEinheitText(std::string_view key, std::size_t unit) {
    return "die " + Num(static_cast<int>(unit) + 1) + ". Einheit des Unterrichts " + Quoted(key);
}

std::string KursEinheitText(const CKursBlock& k, std::size_t teacher, std::size_t unit) {
    const std::string name = teacher < k.Lehrer.size() ? k.Lehrer[teacher].Name : std::string();
    return "die " + Num(static_cast<int>(unit) + 1) + ". Einheit des Lehrers " + Quoted(name) +
           " im Kurs " + Quoted(k.Name);
}

std::vector<std::string> UnmeetablePresets(const Stammdaten& data, std::size_t limit) {
    Sammlung out(limit);
    std::vector<Festlegung> fest;
    UnitFaults(data, out, fest);
    Clashes(data.Angaben, fest, out);
    Locks(data, fest, out);
    return out.Take();
}

std::string UnmeetablePresetsText(const std::vector<std::string>& problems) {
    std::string text = "Diese Vorgaben können nie erfüllt werden; so kann kein Plan entstehen:\n";
    for (const std::string& p : problems)
        text += "\n" + p;
    return text;
}

} // namespace sw
