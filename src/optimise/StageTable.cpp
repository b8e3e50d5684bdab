// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/StageTable.h"

namespace sw {

int FigureValue(const CPlan& plan, Figure k) {
    switch (k) {
    case Figure::KLSSumme:
        return plan.KLSSumme;
    case Figure::KProd:
        return plan.KProd;
    case Figure::TFSumme:
        return plan.TFSumme;
    case Figure::STFSumme:
        return plan.STFSumme;
    case Figure::LLSSumme:
        return plan.LLSSumme;
    case Figure::LLSMax:
        return plan.LLSMax;
    case Figure::LProd:
        return plan.LProd;
    case Figure::BestLLS:
        return plan.Opt.BestLLS;
    }
    return 0;
}

bool Reached(const CPlan& plan, StageEnd end) {
    switch (end) {
    case StageEnd::Never:
        return false;
    case StageEnd::NoClassGaps:
        return plan.KLSSumme == 0;
    case StageEnd::IdealDistribution:
        return plan.KProd == plan.KProdOpt;
    case StageEnd::NoSeparationErrors:
        return plan.TFSumme == 0;
    case StageEnd::NoTeacherGaps:
        return plan.LLSSumme == 0;
    }
    return false;
}

} // namespace sw
