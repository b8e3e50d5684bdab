// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StufenTexte.h"

#include "model/Text.h"

namespace sw::ui {

namespace {
constexpr Ziel kZielDesEintrags[7] = {Ziel::KlassenLuecken,  Ziel::KlassenVerteilung,
                                      Ziel::Trennungsfehler, Ziel::Spezialtrennungsfehler,
                                      Ziel::LehrerLuecken,   Ziel::LehrerLueckenMaximum,
                                      Ziel::LehrerVerteilung};
} // namespace

GoalSet ZieleAusListe(const std::array<bool, 7>& checked) {
    GoalSet goals;
    for (std::size_t i = 0; i < checked.size(); ++i)
        if (checked[i]) goals.Add(kZielDesEintrags[i]);
    return goals;
}

const char* PassLabelCaption(PassCount label) {
    switch (label) {
    case PassCount::Exchanges:
        return "Austausche:";
    case PassCount::Passes:
        return "Durchgang:";
    default:
        return "";
    }
}

std::string PassLabelText(PassCount label, const PassReport& report) {
    // The passes are counted as they stood when the pass began.
    const int before = report.Pass - 1;
    switch (label) {
    case PassCount::None:
        break;
    case PassCount::Exchanges:
        return std::to_string(report.Exchanges);
    case PassCount::Passes:
        return std::to_string(before);
    case PassCount::Iteration:
        return "Iteration " + std::to_string(before);
    }
    return {};
}

int AttemptCountFromText(const std::string& text) {
    return ParseInt(text).value_or(kStandardVersuche);
}

std::string VersucheText(const InitialPlanProgress& p) {
    return std::to_string(p.Versuche) + " Versuche / Rest = " + std::to_string(p.Rest);
}

std::string KonfliktTitel(const ConflictRecord& conflict) {
    if (conflict.Kind == Konflikt::Keiner) return texte::Konflikt;
    return std::string(texte::Konflikt) + "  " + CPlan::KonfliktText(conflict.Kind);
}

} // namespace sw::ui
