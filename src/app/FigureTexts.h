// SPDX-License-Identifier: GPL-3.0-or-later
// FigureTexts.h: the plan's figures as the planning window and the tool write them. The planning
// layers hand over numbers (PlanTotals); the texts are made here, once, for both.
#pragma once

#include "plan/Plan.h"

#include <string>

namespace sw {

// The distribution text: "4321 (96 %)  4500", the percentage truncated to one decimal and written
// with `decimalSeparator`. With an ideal of 0 there is no percentage: "0 (- %)  0".
std::string DistributionText(int prod, int ideal, char decimalSeparator = ',');

// The figure labels of the planning window.
struct FigureTexts {
    std::string KLSSumme, KProd, LLSSumme, LLSMax, LProd, TFSumme, TFMax, STFSumme, STFMax,
        LLSLimit;
};
FigureTexts FigureTextsOf(const PlanTotals& totals, char decimalSeparator = ',');

// Evaluates the whole plan first, then gives its figure texts.
FigureTexts ShowFigures(CPlan& plan, char decimalSeparator = ',');

} // namespace sw
