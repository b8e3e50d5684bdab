// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/Acceptance.h"
#include "plan/PlanWriter.h"

namespace sw {

void KeepTeacherRecord(CPlan& plan, AcceptanceKind kind, long long total) {
    if (kind != AcceptanceKind::Deluge && kind != AcceptanceKind::RecordPlusMargin &&
        kind != AcceptanceKind::Annealing)
        return;
    Optimierungswerte& o = PlanWriter::Totals(plan).Opt;
    if (total >= o.BestLLS) return;
    o.BestLLS = static_cast<std::int32_t>(total);
    if (kind == AcceptanceKind::Annealing && plan.LehrerAnzahl > 0)
        o.Temperatur = AnnealingTemperature(o.BestLLS, plan.LehrerAnzahl);
}

void KeepClassRecord(CPlan& plan, AcceptanceKind kind) {
    if (kind != AcceptanceKind::ClassRecord && kind != AcceptanceKind::ClassAnnealing) return;
    Optimierungswerte& o = PlanWriter::Totals(plan).Opt;
    if (plan.Totals().KProd > o.KProdRekord) o.KProdRekord = plan.Totals().KProd;
    if (kind == AcceptanceKind::ClassAnnealing && plan.Totals().KProdOpt != 0)
        o.Temperatur = ClassTemperature(o.KProdRekord, plan.Totals().KProdOpt);
}

void TeacherStageAcceptance::Start(CPlan& plan) const {
    Optimierungswerte& o = PlanWriter::Totals(plan).Opt;
    o.BestLLS = plan.Totals().LLSSumme;
    o.TFStart = plan.Totals().TFSumme;
    o.LProdStart = plan.Totals().LProd;
    o.LLSAkzeptanz = 2;
    o.Zusatz1 = 2;
    o.Zusatz2 = 200;
}

namespace {

// Annealing and descent: BestLLS and the temperature from the teacher-gap total.
void StartAnnealing(CPlan& plan) {
    Optimierungswerte& o = PlanWriter::Totals(plan).Opt;
    o.BestLLS = plan.Totals().LLSSumme;
    o.Temperatur = plan.LehrerAnzahl > 0
                       ? AnnealingTemperature(plan.Totals().LLSSumme, plan.LehrerAnzahl)
                       : 0.043f;
}

} // namespace

void DescentAcceptance::Start(CPlan& plan) const {
    StartAnnealing(plan);
}

void AnnealingAcceptance::Start(CPlan& plan) const {
    StartAnnealing(plan);
}

void DelugeAcceptance::Start(CPlan& plan) const {
    PlanTotals& t = PlanWriter::Totals(plan);
    t.Opt.BestLLS = t.LLSSumme;
    t.Opt.Temperatur = static_cast<float>(t.LLSSumme);
}

void DelugeAcceptance::Iterated(CPlan& plan, int iteration) const {
    PlanTotals& t = PlanWriter::Totals(plan);
    if (iteration % 5 == 0 && t.LLSSumme < t.Opt.Temperatur) t.Opt.Temperatur -= 1.0f;
}

void RecordAcceptance::Start(CPlan& plan) const {
    PlanTotals& t = PlanWriter::Totals(plan);
    t.Opt.BestLLS = t.LLSSumme;
    t.Opt.LLSAkzeptanz = margin_;
}

void ClassRecordAcceptance::Start(CPlan& plan) const {
    PlanTotals& t = PlanWriter::Totals(plan);
    t.Opt.KProdToleranz = tolerance_;
    t.Opt.KProdRekord = t.KProd;
}

void ClassAnnealingAcceptance::Start(CPlan& plan) const {
    Optimierungswerte& o = PlanWriter::Totals(plan).Opt;
    o.KProdRekord = plan.Totals().KProd;
    o.Temperatur = plan.Totals().KProdOpt > 0
                       ? ClassTemperature(o.KProdRekord, plan.Totals().KProdOpt)
                       : 0.34f;
}

} // namespace sw
