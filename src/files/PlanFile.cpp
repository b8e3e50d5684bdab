// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/PlanFile.h"

#include "files/FileTexts.h"
#include "files/StreamFile.h"
#include "model/Text.h"
#include "plan/Evaluation.h"
#include "plan/Invariants.h"

#include <exception>

namespace sw {

void WritePlanSection(TokenWriter& out, const CPlan& plan) {
    for (int v :
         {plan.Totals().LLSSumme, plan.Totals().KLSSumme, plan.Totals().TFSumme,
          plan.Totals().LLSMax, plan.Totals().LLSLimit, plan.Totals().LProd, plan.Totals().LProd,
          plan.Totals().KProd, plan.Totals().LProdOpt, plan.Totals().KProdOpt})
        out.WriteInt(v);
    for (int v : plan.Totals().Opt.OptWerte())
        out.WriteInt(v);
    for (Flag f : {plan.Flags().KursUeberStundenLimit, plan.Flags().MehrfachKursUeberStundenLimit,
                   plan.Flags().MehrfachUeberStundenLimit, plan.Flags().AbbruchErsteStunde})
        out.WriteFlag(f);
    out.WriteInt(plan.RaumAnzahl);
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        for (int s = 0; s < kSlotCount; ++s) {
            const CStunde* h = plan.HourAt(r, s);
            out.AppendWithBlank(std::to_string(h ? h->Index : -1));
        }
    out.EndLine();
    for (const auto& h : plan.StundenL) {
        out.AppendInt(h->Zeit);
        out.AppendInt(static_cast<int>(h->Modus));
        out.AppendInt(h->OberesLimit);
        out.AppendInt(h->UnteresLimit);
        out.AppendInt(h->TagesLimit);
        out.AppendInt(h->Tag);
        out.EndLine();
    }
}

namespace {

// "am 6. Tag in der 1. Stunde; die Woche hat 5 Tage mit den Stunden 1 bis 6."
std::string OutsideText(const CPlan& plan, int slot) {
    return "am " + std::to_string(DayOf(slot) + 1) + ". Tag in der " +
           std::to_string(HourOf(slot)) + ". Stunde; die Woche hat " +
           Anzahl(plan.Tage, "Tag", "Tage") + " mit den Stunden " + (plan.Nullte ? "0" : "1") +
           " bis " + std::to_string(plan.Stunden) + ".";
}

// Units and parallel course hours must stand whole at consecutive slots of one day.
void CheckUnitsPlacedWhole(TokenReader& in, const CPlan& plan, int position) {
    for (const auto& h : plan.StundenL) {
        if (h->BlockPos == 0) {
            const int first = plan.SlotOfHour(*h);
            for (int p = 1; p < h->Laenge; ++p) {
                const int slot = plan.SlotOfHour(*plan.StundenL[h->Index + p]);
                const bool ok =
                    first < 0 ? slot < 0 : slot == first + p && DayOf(slot) == DayOf(first);
                if (!ok)
                    return in.Fail(position, "Die Stunden der Einheit " + std::to_string(h->Index) +
                                                 " stehen nicht aufeinanderfolgend.");
            }
        }
        if (h->ParallelL)
            for (const CStunde* q : *h->ParallelL)
                if (plan.SlotOfHour(*q) != plan.SlotOfHour(*h))
                    return in.Fail(position, "Die parallelen Kursstunden der Stunde " +
                                                 std::to_string(h->Index) +
                                                 " stehen nicht zur selben Zeit.");
    }
}

} // namespace

StoredFigures ReadPlanSection(TokenReader& in, CPlan& plan) {
    StoredFigures stored;
    int first[10];
    for (int& v : first)
        v = in.ReadInt();
    // The figures the file names; the others keep their values.
    PlanTotals t = plan.Totals();
    t.LLSSumme = first[0];
    t.KLSSumme = first[1];
    t.TFSumme = first[2];
    t.LLSMax = first[3];
    t.LLSLimit = first[4];
    t.LProd = first[5];
    t.LProd = first[6]; // stored twice; the second value counts
    t.KProd = first[7];
    t.LProdOpt = first[8];
    t.KProdOpt = first[9];
    std::array<std::int32_t, kOptWerteAnzahl> optWerte{};
    for (int& v : optWerte)
        v = in.ReadInt();
    t.Opt.SetOptWerte(optWerte);
    plan.SetTotals(t);
    stored = {t.LLSSumme, t.KLSSumme, t.TFSumme,  t.LLSMax,   t.LLSLimit,
              t.LProd,    t.KProd,    t.LProdOpt, t.KProdOpt, optWerte};
    PlanFlags flags;
    flags.KursUeberStundenLimit = in.ReadFlag();
    flags.MehrfachKursUeberStundenLimit = in.ReadFlag();
    flags.MehrfachUeberStundenLimit = in.ReadFlag();
    flags.AbbruchErsteStunde = in.ReadFlag();
    plan.SetFlags(flags);
    if (!in.Ok()) return stored;

    const int hours = static_cast<int>(plan.StundenL.size());
    const std::string roomFault =
        "ist nicht die Zahl der Räume (" + std::to_string(plan.RaumAnzahl) + ").";
    in.ReadIntIn(plan.RaumAnzahl, plan.RaumAnzahl, roomFault);
    const std::string indexFault =
        "ist keine Stunde des Plans (-1 bis " + std::to_string(hours - 1) + ").";
    for (int r = 0; r < plan.RaumAnzahl && in.Ok(); ++r)
        for (int s = 0; s < kSlotCount && in.Ok(); ++s) {
            const int index = in.ReadIntIn(-1, hours - 1, indexFault);
            if (!in.Ok() || index < 0) continue;
            CStunde& h = *plan.StundenL[index];
            if (plan.PositionOf(h) >= 0) {
                in.Fail(in.Position(),
                        "Die Stunde " + std::to_string(index) + " steht in zwei Zellen des Plans.");
                continue;
            }
            if (!plan.InWeek(s)) {
                in.Fail(in.Position(), "Die Stunde " + std::to_string(index) +
                                           " steht außerhalb der Woche: " + OutsideText(plan, s));
                continue;
            }
            plan.Place(h, r, s);
        }
    if (!in.Ok()) return stored;
    const int gridEnd = in.Position();

    for (const auto& h : plan.StundenL) {
        h->Zeit = in.ReadIntIn(-1, kSlotCount - 1, "ist keine gültige Zeitvorgabe (-1 bis 90).");
        h->Modus = static_cast<Modus>(in.ReadIntIn(0, 3, "ist kein gültiger Modus (0 bis 3)."));
        h->OberesLimit = in.ReadFlag();
        h->UnteresLimit = in.ReadFlag();
        h->TagesLimit = in.ReadFlag();
        h->Tag = in.ReadIntIn(-1, kMaxDays - 1, "ist kein gültiger Tag (-1 bis 6).");
        if (!in.Ok()) return stored;
        // A day restriction to a day outside the week could never be met.
        if (h->TagesLimit && (h->Tag < 0 || h->Tag >= plan.Tage))
            in.Fail(in.Position(), "Die Stunde " + std::to_string(h->Index) + " ist auf den Tag " +
                                       std::to_string(h->Tag + 1) +
                                       " beschränkt; die Woche hat die Tage 1 bis " +
                                       std::to_string(plan.Tage) + ".");
        if (!in.Ok()) return stored;
    }
    if (in.Remaining() > 0) {
        in.Fail(in.Position() + 1, "Nach dem Ende des Plans folgt noch Text.");
        return stored;
    }
    CheckUnitsPlacedWhole(in, plan, gridEnd);
    if (!in.Ok()) return stored;
    // No teacher or class twice at one slot (except the parallel hours of a course), and the
    // rest of what every plan keeps: a grid that breaks it would mislead every later move.
    const InvariantReport rules = CheckInvariants(plan, false);
    if (!rules.Ok()) in.Fail(gridEnd, "Der Plan ist nicht stimmig: " + rules.Violations.front());
    return stored;
}

std::vector<std::string> CompareStoredFigures(const StoredFigures& stored, const CPlan& plan) {
    std::vector<std::string> differences;
    const auto compare = [&](const char* name, int kept, int fresh) {
        if (kept != fresh)
            differences.push_back("Die gespeicherte Kennzahl " + std::string(name) + " ist " +
                                  std::to_string(kept) + ", neu berechnet " +
                                  std::to_string(fresh) + ".");
    };
    compare("LLSSumme", stored.LLSSumme, plan.Totals().LLSSumme);
    compare("KLSSumme", stored.KLSSumme, plan.Totals().KLSSumme);
    compare("TFSumme", stored.TFSumme, plan.Totals().TFSumme);
    compare("LLSMax", stored.LLSMax, plan.Totals().LLSMax);
    compare("LProd", stored.LProd, plan.Totals().LProd);
    compare("KProd", stored.KProd, plan.Totals().KProd);
    compare("LProdOpt", stored.LProdOpt, plan.Totals().LProdOpt);
    compare("KProdOpt", stored.KProdOpt, plan.Totals().KProdOpt);
    return differences;
}

Outcome WritePlanFile(const Stammdaten& data, const CPlan* plan, const std::string& path,
                      FileOps& files) {
    if (!plan) return Outcome::Failure(texte::ErstPlanErstellen, titel::Fehler);
    return WriteStreamFile(
        data, path, files, kPlanKopf, [plan](TokenWriter& out) { WritePlanSection(out, *plan); },
        plan);
}

PlanReadResult ReadPlanFile(const std::string& path, FileOps& files, Reporter& reporter) {
    PlanReadResult result;
    StreamReadResult stream = ReadStreamFile(path, files, true);
    auto fail = [&](Outcome outcome) {
        outcome.Ok = false;
        outcome.Messages.push_back({texte::FehlerBeimLaden + path, titel::Dateifehler});
        result.outcome = std::move(outcome);
        result.plan.reset(); // the plan refers to the master data: it goes first
        result.data.reset();
        return std::move(result);
    };
    if (!stream.outcome.Ok) return fail(std::move(stream.outcome));

    // No exception leaves the reader: whatever goes wrong becomes a refusal.
    try {
        result.data = std::make_unique<Stammdaten>(std::move(stream.data));
        result.plan = std::make_unique<CPlan>(*result.data, reporter);
        result.plan->BuildLessonHours();
        result.stored = ReadPlanSection(stream.rest, *result.plan);
        if (!stream.rest.Ok()) return fail(stream.rest.Result());
        ComputeTargets(*result.plan);
        EvaluateAll(*result.plan);
    } catch (const std::exception& error) {
        return fail(Outcome::Failure(UnerwarteterLesefehler(path, error), titel::Dateifehler));
    }
    result.outcome = std::move(stream.outcome); // success, perhaps with a note on the code page
    return result;
}

} // namespace sw
