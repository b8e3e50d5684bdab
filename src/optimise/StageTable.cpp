// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/StageTable.h"

namespace sw {

int FigureValue(const CPlan& plan, Figure k) {
    switch (k) {
    case Figure::KLSSumme:
        return plan.Totals().KLSSumme;
    case Figure::KProd:
        return plan.Totals().KProd;
    case Figure::TFSumme:
        return plan.Totals().TFSumme;
    case Figure::STFSumme:
        return plan.Totals().STFSumme;
    case Figure::LLSSumme:
        return plan.Totals().LLSSumme;
    case Figure::LLSMax:
        return plan.Totals().LLSMax;
    case Figure::LProd:
        return plan.Totals().LProd;
    case Figure::BestLLS:
        return plan.Totals().Opt.BestLLS;
    }
    return 0;
}

bool Reached(const CPlan& plan, StageEnd end) {
    switch (end) {
    case StageEnd::Never:
        return false;
    case StageEnd::NoClassGaps:
        return plan.Totals().KLSSumme == 0;
    case StageEnd::IdealDistribution:
        return plan.Totals().KProd == plan.Totals().KProdOpt;
    case StageEnd::NoSeparationErrors:
        return plan.Totals().TFSumme == 0;
    case StageEnd::NoTeacherGaps:
        return plan.Totals().LLSSumme == 0;
    }
    return false;
}

} // namespace sw
