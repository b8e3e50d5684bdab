// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/StageTable.h"

namespace sw {

int Wert(const CPlan& plan, Kennzahl k) {
    switch (k) {
    case Kennzahl::KLSSumme:
        return plan.KLSSumme;
    case Kennzahl::KProd:
        return plan.KProd;
    case Kennzahl::TFSumme:
        return plan.TFSumme;
    case Kennzahl::STFSumme:
        return plan.STFSumme;
    case Kennzahl::LLSSumme:
        return plan.LLSSumme;
    case Kennzahl::LLSMax:
        return plan.LLSMax;
    case Kennzahl::LProd:
        return plan.LProd;
    case Kennzahl::BestLLS:
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
