// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Acceptance.h"

namespace sw {

void KeepTeacherRecord(CPlan& plan, AcceptanceKind kind, long long total) {
    if (kind != AcceptanceKind::Deluge && kind != AcceptanceKind::RecordPlusMargin &&
        kind != AcceptanceKind::Annealing)
        return;
    Optimierungswerte& o = plan.Opt;
    if (total >= o.BestLLS) return;
    o.BestLLS = static_cast<std::int32_t>(total);
    if (kind == AcceptanceKind::Annealing && plan.LehrerAnzahl > 0)
        o.Temperatur = AnnealingTemperature(o.BestLLS, plan.LehrerAnzahl);
}

void KeepClassRecord(CPlan& plan, AcceptanceKind kind) {
    if (kind != AcceptanceKind::ClassRecord && kind != AcceptanceKind::ClassAnnealing) return;
    Optimierungswerte& o = plan.Opt;
    if (plan.KProd > o.KProdRekord) o.KProdRekord = plan.KProd;
    if (kind == AcceptanceKind::ClassAnnealing && plan.KProdOpt != 0)
        o.Temperatur = ClassTemperature(o.KProdRekord, plan.KProdOpt);
}

void TeacherStageAcceptance::Start(CPlan& plan) const {
    Optimierungswerte& o = plan.Opt;
    o.BestLLS = plan.LLSSumme;
    o.TFStart = plan.TFSumme;
    o.LProdStart = plan.LProd;
    o.LLSAkzeptanz = 2;
    o.Zusatz1 = 2;
    o.Zusatz2 = 200;
}

namespace {

// Annealing and descent: BestLLS and the temperature from the teacher-gap total.
void StartAnnealing(CPlan& plan) {
    Optimierungswerte& o = plan.Opt;
    o.BestLLS = plan.LLSSumme;
    o.Temperatur =
        plan.LehrerAnzahl > 0 ? AnnealingTemperature(plan.LLSSumme, plan.LehrerAnzahl) : 0.043f;
}

} // namespace

void DescentAcceptance::Start(CPlan& plan) const {
    StartAnnealing(plan);
}

void AnnealingAcceptance::Start(CPlan& plan) const {
    StartAnnealing(plan);
}

void DelugeAcceptance::Start(CPlan& plan) const {
    plan.Opt.BestLLS = plan.LLSSumme;
    plan.Opt.Temperatur = static_cast<float>(plan.LLSSumme);
}

void DelugeAcceptance::Iterated(CPlan& plan, int iteration) const {
    if (iteration % 5 == 0 && plan.LLSSumme < plan.Opt.Temperatur) plan.Opt.Temperatur -= 1.0f;
}

void RecordAcceptance::Start(CPlan& plan) const {
    plan.Opt.BestLLS = plan.LLSSumme;
    plan.Opt.LLSAkzeptanz = margin_;
}

void ClassRecordAcceptance::Start(CPlan& plan) const {
    plan.Opt.KProdToleranz = tolerance_;
    plan.Opt.KProdRekord = plan.KProd;
}

void ClassAnnealingAcceptance::Start(CPlan& plan) const {
    Optimierungswerte& o = plan.Opt;
    o.KProdRekord = plan.KProd;
    o.Temperatur = plan.KProdOpt > 0 ? ClassTemperature(o.KProdRekord, plan.KProdOpt) : 0.34f;
}

} // namespace sw
