// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/InitialPlanRun.h"

#include "model/Text.h"
#include "optimise/ConflictSearch.h"
#include "plan/InitialPlan.h"

#include <exception>

namespace sw {

bool HatUnterricht(const Stammdaten& stamm) {
    if (!stamm.FachBloecke.empty()) return true;
    for (const CKursBlock& k : stamm.KursBloecke)
        if (!k.Klassen.empty()) return true;
    return false;
}

int AttemptCountFromText(const std::string& text) {
    return ParseInt(text).value_or(kStandardVersuche);
}

ConflictLabels DescribeConflict(const CPlan& plan) {
    ConflictLabels labels;
    if (plan.Conflict().KonfliktArt != Konflikt::Keiner)
        labels.Caption =
            std::string(texte::Konflikt) + "  " + CPlan::KonfliktText(plan.Conflict().KonfliktArt);
    if (plan.Conflict().KonfliktKlasse >= 0 &&
        plan.Conflict().KonfliktKlasse < plan.KlassenAnzahl) {
        labels.Klassen = plan.KlasseAt(plan.Conflict().KonfliktKlasse).Name;
        return labels;
    }
    const CStunde* h = plan.Conflict().KonfliktStunde;
    if (!h || !h->IsLesson()) return labels;
    labels.Lehrer = plan.LehrerAt(h->Lehrer).Name;
    const Stammdaten& stamm = plan.Stamm();
    if (h->IsCourse()) {
        if (h->FachKurs >= 0 && h->FachKurs < static_cast<int>(stamm.KursBloecke.size()))
            labels.FachKurs = stamm.KursBloecke[h->FachKurs].Name;
    } else {
        labels.Klassen = plan.KlasseAt(h->Klasse).Name;
        if (h->FachKurs >= 0 && h->FachKurs < static_cast<int>(stamm.Faecher.size()))
            labels.FachKurs = stamm.Faecher[h->FachKurs];
    }
    return labels;
}

namespace {

std::string Label1(int versuche, int rest) {
    return std::to_string(versuche) + " Versuche / Rest = " + std::to_string(rest);
}

// Completes the partial plan an attempt left; the rest afterwards (0: complete, finished as a
// complete attempt is).
template <typename Report>
int Search(CPlan& plan, Random& rng, RunControl& run, InitialPlanBuilder& builder,
           const InitialPlanOptions& options, const Report& report) {
    ConflictSearch search(plan, rng);
    const bool fillFirstHours = plan.Flags().AbbruchErsteStunde == 0;
    const SearchResult found =
        search.Run(run, options.SuchSchritte, fillFirstHours, 50, [&](int left) { report(left); });
    if (!found.Complete()) return found.Unplaced > 0 ? found.Unplaced : -1;
    builder.ClearReport();
    const int rest = builder.Finish();
    report(rest);
    return rest;
}

} // namespace

InitialPlanResult RunInitialPlan(CPlan* plan, Random& rng, Reporter& reporter, RunControl& run,
                                 const std::string& anzahlVersuche, std::uint32_t seed,
                                 InitialPlanObserver* observer, const InitialPlanOptions& options) {
    // Declared first, so that it ends last: commands queued during the run wait until every
    // local that refers to the plan is gone.
    RunControl::Scope scope(run);
    InitialPlanObserver quiet;
    InitialPlanObserver& obs = observer ? *observer : quiet;
    run.Begin();
    if (plan) rng.Seed(seed);
    const int attempts = AttemptCountFromText(anzahlVersuche);
    InitialPlanProgress progress;
    obs.Started(texte::UrplanErzeugen, std::to_string(attempts), progress.Konflikt);

    InitialPlanResult result;
    if (!plan) {
        reporter.Show({texte::KeinePlanerstellung, titel::Fehler});
        // Nothing ran: the window must not stay locked as if a run were active.
        run.End();
        return result;
    }
    result.PlanVorhanden = true;
    plan->Aenderungen.Bump(); // the run replaces the grid
    ComputeTargets(*plan);
    EvaluateAll(*plan);

    InitialPlanBuilder builder(*plan, rng);
    int tries = 0;
    int rest = 1;
    while (rest != 0 && tries < attempts && run.KeepRunning()) {
        plan->ClearPlacements();
        try {
            rest = builder.Build();
        } catch (const std::exception&) {
            ++tries; // a broken attempt counts twice and leaves the rest as it was
        }
        ++tries;
        const auto report = [&](int left) {
            progress.Versuche = tries;
            progress.Rest = left;
            progress.Label1 = Label1(tries, left);
            // A complete attempt leaves no conflict: the group must not keep an older one.
            progress.Konflikt = left != 0 ? DescribeConflict(*plan) : ConflictLabels{};
            obs.AttemptDone(progress);
        };
        report(rest);
        run.PassDone();
        if (rest != 0 && options.Weitersuchen && run.KeepRunning())
            rest = Search(*plan, rng, run, builder, options, report);
    }

    progress.Versuche = tries;
    progress.Rest = rest;
    progress.Label1 = Label1(tries, rest);
    const Figures figures = ShowFigures(*plan);
    obs.Finished(progress, figures, texte::UrplanStart);
    run.End();
    result.Versuche = tries;
    result.Rest = rest;
    result.Angehalten = rest != 0 && tries < attempts;
    return result;
}

} // namespace sw
