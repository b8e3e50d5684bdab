// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FigureTexts.h"

#include "plan/Evaluation.h"

namespace sw {

std::string DistributionText(int prod, int ideal, char decimalSeparator) {
    std::string percent = "-";
    if (ideal != 0) {
        const long long permille = static_cast<long long>(prod) * 1000 / ideal;
        percent = std::to_string(permille / 10);
        const long long tenth = permille % 10;
        if (tenth != 0) {
            if (permille < 0 && permille / 10 == 0) percent = "-0";
            percent += decimalSeparator + std::to_string(tenth < 0 ? -tenth : tenth);
        }
    }
    return std::to_string(prod) + " (" + percent + " %)  " + std::to_string(ideal);
}

FigureTexts FigureTextsOf(const PlanTotals& t, char decimalSeparator) {
    FigureTexts f;
    f.KLSSumme = std::to_string(t.KLSSumme);
    f.KProd = DistributionText(t.KProd, t.KProdOpt, decimalSeparator);
    f.LLSSumme = std::to_string(t.LLSSumme);
    f.LLSMax = std::to_string(t.LLSMax);
    f.LProd = DistributionText(t.LProd, t.LProdOpt, decimalSeparator);
    f.TFSumme = std::to_string(t.TFSumme);
    f.TFMax = std::to_string(t.TFMax);
    f.STFSumme = std::to_string(t.STFSumme);
    f.STFMax = std::to_string(t.STFMax);
    f.LLSLimit = std::to_string(t.LLSLimit);
    return f;
}

FigureTexts ShowFigures(CPlan& plan, char decimalSeparator) {
    EvaluateAll(plan);
    return FigureTextsOf(plan.Totals(), decimalSeparator);
}

} // namespace sw
