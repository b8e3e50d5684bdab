// SPDX-License-Identifier: GPL-3.0-or-later
#include "optimise/InitialPlanRun.h"

#include "optimise/ConflictSearch.h"
#include "plan/InitialPlan.h"
#include "plan/PlanRules.h"
#include "plan/Snapshot.h"

#include <exception>

namespace sw {

bool HatUnterricht(const Stammdaten& stamm) {
    if (!stamm.FachBloecke.empty()) return true;
    for (const CKursBlock& k : stamm.KursBloecke)
        if (!k.Klassen.empty()) return true;
    return false;
}

ConflictRecord ConflictOf(const CPlan& plan) {
    ConflictRecord c;
    const ConflictReport& r = plan.Conflict();
    c.Kind = r.KonfliktArt;
    c.Class = r.KonfliktKlasse;
    c.Room = r.KonfliktRaum;
    c.Hour = r.KonfliktStunde;
    if (c.Hour && c.Hour->IsLesson()) c.Teacher = c.Hour->Lehrer;
    return c;
}

ConflictNames NamesOf(const CPlan& plan, const ConflictRecord& c) {
    ConflictNames names;
    if (c.Class >= 0 && c.Class < plan.KlassenAnzahl) {
        names.Klassen = plan.KlasseAt(c.Class).Name;
        return names;
    }
    const CStunde* h = c.Hour;
    if (!h || !h->IsLesson()) return names;
    names.Lehrer = plan.LehrerAt(h->Lehrer).Name;
    const Stammdaten& stamm = plan.Stamm();
    if (h->IsCourse()) {
        if (h->FachKurs >= 0 && h->FachKurs < static_cast<int>(stamm.KursBloecke.size()))
            names.FachKurs = stamm.KursBloecke[h->FachKurs].Name;
    } else {
        names.Klassen = plan.KlasseAt(h->Klasse).Name;
        if (h->FachKurs >= 0 && h->FachKurs < static_cast<int>(stamm.Faecher.size()))
            names.FachKurs = stamm.Faecher[h->FachKurs];
    }
    return names;
}

namespace {

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
                                 int attempts, std::uint32_t seed, InitialPlanObserver* observer,
                                 const InitialPlanOptions& options) {
    // Declared first, so that it ends last: commands queued during the run wait until every
    // local that refers to the plan is gone.
    RunControl::Scope scope(run);
    InitialPlanObserver quiet;
    InitialPlanObserver& obs = observer ? *observer : quiet;
    run.Begin();
    if (plan) rng.Seed(seed);
    InitialPlanProgress progress;
    obs.Started(plan, attempts);

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
    builder.SetTicker([&run] {
        run.Breathe();
        return run.KeepRunning();
    });
    int tries = 0;
    // Attempts until one is complete, the attempts are used up or the run is halted; the rest.
    const auto attempt = [&] {
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
                // A complete attempt leaves no conflict: the window must not keep an older one.
                progress.Konflikt = left != 0 ? ConflictOf(*plan) : ConflictRecord{};
                obs.AttemptDone(progress);
            };
            report(rest);
            run.PassDone();
            if (rest != 0 && options.Weitersuchen && run.KeepRunning())
                rest = Search(*plan, rng, run, builder, options, report);
        }
        return rest;
    };
    int rest = attempt();

    // A complete plan that breaks a rule adding hours can mend (a day's minimum, the gaps, the
    // fewest days) is worked on until it holds them, while the run goes on. When the mending
    // stops making progress the plan is stuck: a fresh attempt is mended in its place, with more
    // patience, and the complete plan with the fewest breaches is the one the run leaves.
    if (rest == 0 && plan->Regeln() && plan->Regeln()->HasSoftRules() && run.KeepRunning()) {
        PlanSnapshot best;
        int bestLeft = -1;
        // Each fresh attempt is given twice the patience of the one before.
        long long patience = options.Neubeginn;
        for (;;) {
            EvaluateAll(*plan);
            ConflictSearch search(*plan, rng);
            const int left = search.MendRules(run, options.RegelSchritte, patience);
            // Once the patience per unit is past the moves a mending may make at all, more of it
            // changes nothing; it stops growing there (and never overflows).
            if (patience < options.RegelSchritte) patience *= 2;
            if (bestLeft < 0 || left < bestLeft) {
                bestLeft = left;
                TakeSnapshot(*plan, best);
            }
            if (left == 0 || options.Neubeginn == 0 || !run.KeepRunning() || tries >= attempts)
                break;
            if (attempt() != 0) break;
        }
        if (plan->Regeln()->TotalBreaches(*plan) > bestLeft ||
            plan->PlacedCount() < static_cast<int>(plan->StundenL.size())) {
            RestoreSnapshot(*plan, best);
            rest = 0;
        }
    }
    progress.Versuche = tries;
    progress.Rest = rest;
    EvaluateAll(*plan);
    const PlanTotals totals = plan->Totals();
    obs.Finished(progress, totals);
    run.End();
    result.Versuche = tries;
    result.Rest = rest;
    result.Angehalten = rest != 0 && tries < attempts;
    return result;
}

} // namespace sw
