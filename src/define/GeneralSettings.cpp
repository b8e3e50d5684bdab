// SPDX-License-Identifier: GPL-3.0-or-later
#include "define/GeneralSettings.h"

#include "define/MasterDataNames.h"
#include "model/Names.h"
#include "model/Presets.h"
#include "model/SchulZeiten.h"
#include "model/Text.h"

#include <utility>
#include <vector>

namespace sw {

namespace {

constexpr std::size_t kMostLines = 10;

std::string Num(long long value) {
    return std::to_string(value);
}

// What a week of the shape `neu` could not hold of the units and blocks that fit the old one:
// what was wrong before stays the business of the start of planning.
class WeekCheck {
public:
    WeekCheck(const AllgemeineAngaben& alt, const AllgemeineAngaben& neu) : alt_(alt), neu_(neu) {}

    template <typename UnitText>
    void Units(const std::vector<CEinheit>& units, int bStunden, const std::string& owner,
               UnitText unitText) {
        long long sum = 0;
        for (std::size_t j = 0; j < units.size(); ++j) {
            const CEinheit& e = units[j];
            sum += e.Laenge;
            if (e.Laenge > DayHours(neu_) && e.Laenge <= DayHours(alt_)) {
                Add(Capitalised(unitText(j)) + " ist " + Num(e.Laenge) +
                    " Stunden lang; ein Tag hätte nur " + Num(DayHours(neu_)) + ".");
                continue;
            }
            if (e.Laenge > DayHours(neu_)) continue;
            const auto fault = UnitPresetFault(neu_, e);
            if (fault && !UnitPresetFault(alt_, e))
                Add(Capitalised(unitText(j)) + " " + *fault + ".");
        }
        const long long most = WeekHours(neu_);
        if ((bStunden > most && bStunden <= WeekHours(alt_)) ||
            (sum > most && sum <= WeekHours(alt_)))
            Add(owner + " hat " + Num(std::max<long long>(bStunden, sum)) +
                " Stunden; die Woche hätte nur " + Num(most) + ".");
    }

    std::vector<std::string> Take() { return std::move(lines_); }

private:
    void Add(std::string line) {
        if (lines_.size() < kMostLines) lines_.push_back(std::move(line));
    }

    const AllgemeineAngaben& alt_;
    const AllgemeineAngaben& neu_;
    std::vector<std::string> lines_;
};

} // namespace

std::optional<std::string> GeneralSettingsProblem(const Stammdaten& data,
                                                  const AllgemeineAngaben& neu, bool nurNamen) {
    for (std::size_t d = 0; d < neu.TagNamen.size(); ++d)
        if (auto fault = CheckName("Der Tagesname", neu.TagNamen[d],
                                   "Tag " + Num(static_cast<long long>(d) + 1)))
            return *fault;
    // The week's shape is fixed in plan mode: the times are checked against the hours in use.
    const AllgemeineAngaben& woche = nurNamen ? data.Angaben : neu;
    if (IsValidStunden(woche.Stunden))
        if (auto fault = StundenZeitenProblem(neu.StundenZeiten, woche.Stunden, woche.Nullte))
            return fault;
    if (auto fault = SchuljahrProblem(neu.Schuljahr)) return fault;
    if (nurNamen) return std::nullopt;
    // The ranges of the days and hours are the dialog's own check.
    if (!IsValidTage(neu.Tage) || !IsValidStunden(neu.Stunden)) return std::nullopt;
    WeekCheck week(data.Angaben, neu);
    for (const Unterricht& u : data.FachBloecke)
        week.Units(u.Block.Einheiten, u.Block.BStunden, "Der Unterricht \"" + u.Key + "\"",
                   [&u](std::size_t j) { return FachEinheitText(u.Key, j); });
    for (const CKursBlock& k : data.KursBloecke)
        if (!k.Lehrer.empty())
            week.Units(k.Lehrer.front().Einheiten, k.BStunden, "Der Kurs \"" + k.Name + "\"",
                       [&k](std::size_t j) { return KursEinheitText(k, 0, j); });
    std::vector<std::string> lines = week.Take();
    if (lines.empty()) return std::nullopt;
    std::string text = "Die Woche wäre für den schon definierten Unterricht zu klein:\n";
    for (const std::string& line : lines)
        text += "\n" + line;
    return text;
}

namespace {

// "26.10.2026" (day and month with one digit too) or "2026-10-26".
std::optional<Datum> DatumAusText(const std::string& text) {
    if (auto iso = Datum::Lies(text)) return iso;
    const auto p1 = text.find('.');
    const auto p2 = p1 == std::string::npos ? p1 : text.find('.', p1 + 1);
    if (p2 == std::string::npos) return std::nullopt;
    const std::string tag = text.substr(0, p1);
    const std::string monat = text.substr(p1 + 1, p2 - p1 - 1);
    const std::string jahr = text.substr(p2 + 1);
    if (tag.empty() || tag.size() > 2 || monat.empty() || monat.size() > 2 || jahr.size() != 4)
        return std::nullopt;
    return Datum::Lies(jahr + "-" + std::string(2 - monat.size(), '0') + monat + "-" +
                       std::string(2 - tag.size(), '0') + tag);
}

std::string Getrimmt(const std::string& text) {
    const auto a = text.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return text.substr(a, text.find_last_not_of(' ') - a + 1);
}

} // namespace

SchuljahrFelder FelderVon(const AllgemeineAngaben& a) {
    SchuljahrFelder f;
    for (const CStundenZeit& z : StundenZeitenDerWoche(a))
        f.Zeiten.push_back({UhrzeitText(z.Beginn), UhrzeitText(z.Ende)});
    const CSchuljahr& jahr = a.Schuljahr;
    if (!jahr.Beginn.Leer()) f.Beginn = jahr.Beginn.DeutscherText();
    if (!jahr.Ende.Leer()) f.Ende = jahr.Ende.DeutscherText();
    for (const CFerien& ferien : jahr.Ferien)
        f.FerienListe.push_back(
            {ferien.Von.DeutscherText(), ferien.Bis.DeutscherText(), ferien.Name});
    return f;
}

std::optional<std::string> FelderLesen(const SchuljahrFelder& felder, AllgemeineAngaben& a) {
    const auto keineZeit = [](const std::string& text, const std::string& wo) {
        return "Die Angabe „" + text + "“ (" + wo + ") ist keine Uhrzeit wie 08:00.";
    };
    const auto keinDatum = [](const std::string& text, const std::string& wo) {
        return "Die Angabe „" + text + "“ (" + wo + ") ist kein Datum wie 01.09.2026.";
    };
    std::vector<CStundenZeit> zeiten;
    const int erste = a.Nullte ? 0 : 1;
    for (std::size_t i = 0; i < felder.Zeiten.size(); ++i) {
        const std::string stunde = Num(erste + static_cast<long long>(i)) + ". Stunde";
        const std::string beginnText = Getrimmt(felder.Zeiten[i].Beginn);
        const std::string endeText = Getrimmt(felder.Zeiten[i].Ende);
        const auto beginn = LiesUhrzeit(beginnText);
        if (!beginn) return keineZeit(beginnText, "Beginn der " + stunde);
        const auto ende = LiesUhrzeit(endeText);
        if (!ende) return keineZeit(endeText, "Ende der " + stunde);
        zeiten.push_back({*beginn, *ende});
    }
    if (zeiten == StandardStundenZeiten(a.Stunden, a.Nullte)) zeiten.clear();
    CSchuljahr jahr;
    const auto datum = [&](const std::string& feld, const std::string& wo, Datum& ziel) {
        const std::string text = Getrimmt(feld);
        if (text.empty()) return std::optional<std::string>();
        const auto d = DatumAusText(text);
        if (!d) return std::optional<std::string>(keinDatum(text, wo));
        ziel = *d;
        return std::optional<std::string>();
    };
    if (auto fault = datum(felder.Beginn, "Beginn des Schuljahres", jahr.Beginn)) return fault;
    if (auto fault = datum(felder.Ende, "Ende des Schuljahres", jahr.Ende)) return fault;
    for (std::size_t i = 0; i < felder.FerienListe.size(); ++i) {
        const SchuljahrFelder::Ferien& f = felder.FerienListe[i];
        if (Getrimmt(f.Von).empty() && Getrimmt(f.Bis).empty() && Getrimmt(f.Name).empty())
            continue;
        const std::string zeile = " der Ferien in Zeile " + Num(static_cast<long long>(i) + 1);
        CFerien ferien{{}, {}, Getrimmt(f.Name)};
        if (auto fault = datum(f.Von, "Beginn" + zeile, ferien.Von)) return fault;
        if (auto fault = datum(f.Bis, "Ende" + zeile, ferien.Bis)) return fault;
        jahr.Ferien.push_back(std::move(ferien));
    }
    a.StundenZeiten = std::move(zeiten);
    a.Schuljahr = std::move(jahr);
    return std::nullopt;
}

bool ApplyGeneralSettings(Stammdaten& data, const AllgemeineAngaben& neu, bool nurNamen,
                          Reporter& rep) {
    if (auto problem = GeneralSettingsProblem(data, neu, nurNamen)) {
        rep.Show({*problem, titel::Fehler});
        return false;
    }
    AllgemeineAngaben angaben = nurNamen ? data.Angaben : neu;
    angaben.TagNamen = neu.TagNamen;
    // The times of the hours and the school year leave the plan as it is.
    angaben.StundenZeiten = neu.StundenZeiten;
    angaben.Schuljahr = neu.Schuljahr;
    // A break on a day or in an hour the week no longer has goes with it.
    auto& pausen = angaben.Pausen;
    pausen.erase(std::remove_if(pausen.begin(), pausen.end(),
                                [&](int s) {
                                    return !IsSlot(s) ||
                                           SlotOfCell(angaben, CellOfSlot(angaben, s)) != s;
                                }),
                 pausen.end());
    std::sort(pausen.begin(), pausen.end());
    pausen.erase(std::unique(pausen.begin(), pausen.end()), pausen.end());
    // Confirming the settings unchanged is no change to save.
    if (angaben == data.Angaben) return true;
    // A smaller week or a new break may leave a rule that can never be met.
    Stammdaten probe = data;
    probe.Angaben = angaben;
    if (!masterdata::RulesAllow(data, probe, rep)) return false;
    data.Angaben = std::move(angaben);
    data.Aenderungen.Bump();
    return true;
}

} // namespace sw
