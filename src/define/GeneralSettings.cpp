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
