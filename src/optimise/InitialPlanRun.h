// SPDX-License-Identifier: GPL-3.0-or-later
// InitialPlanRun.h: the run behind "1. Urplan erzeugen", without a window. Attempts from an empty
// grid until one gives a complete plan, the attempt count is used up or "Halt" is pressed. After
// every attempt an observer gets a progress record (attempts, rest, the conflict); the desktop
// shows it, the command-line tool prints it. The run follows the run protocol of RunControl:
// the controls are disabled for its length and each attempt is one pass.
#pragma once

#include "optimise/RunControl.h"
#include "plan/Evaluation.h"
#include "plan/Plan.h"
#include "plan/Random.h"

#include <cstdint>
#include <string>

namespace sw {

namespace texte {
inline constexpr const char* KeinePlanerstellung = "Keine Planerstellung möglich!";
inline constexpr const char* KeinUnterricht = "Es wurde noch kein Unterricht definiert!";
} // namespace texte

// A plan needs lessons: at least one subject block or one course block with classes. Without,
// planning is refused with "Es wurde noch kein Unterricht definiert!" (title "Fehler").
bool HatUnterricht(const Stammdaten& stamm);

// The attempts a run makes unless told otherwise.
inline constexpr int kStandardVersuche = 1000;

// The conflict that stopped an attempt, as the placement check left it: its kind, the class it
// names, the room, and the hour that could not be placed with its teacher (-1 and nullptr where
// it names none).
struct ConflictRecord {
    Konflikt Kind = Konflikt::Keiner;
    int Teacher = -1;
    int Class = -1;
    int Room = -1;
    const CStunde* Hour = nullptr;
    bool operator==(const ConflictRecord&) const = default;
};

// The plan's last conflict.
ConflictRecord ConflictOf(const CPlan& plan);

// The names a conflict is shown with: the class when it names one, else the teacher of the hour
// with its course, or with its class and subject. The room is not named.
struct ConflictNames {
    std::string Lehrer;
    std::string FachKurs;
    std::string Klassen;
    std::string Raum;
    bool operator==(const ConflictNames&) const = default;
};

ConflictNames NamesOf(const CPlan& plan, const ConflictRecord& conflict);

// How far a run is after an attempt. After a complete attempt the conflict is the empty one, so
// no older conflict stays on screen.
struct InitialPlanProgress {
    int Versuche = 0;
    int Rest = 1;
    ConflictRecord Konflikt;
};

class InitialPlanObserver {
public:
    virtual ~InitialPlanObserver() = default;
    // The run on `plan` (nullptr: none, the run only refuses) starts with `attempts` attempts at
    // most.
    virtual void Started(const CPlan* plan, int attempts) { (void)plan, (void)attempts; }
    // After each attempt, with the grid as the attempt left it.
    virtual void AttemptDone(const InitialPlanProgress& progress) { (void)progress; }
    // The run has ended: the last progress and the figures of the evaluated plan.
    virtual void Finished(const InitialPlanProgress& progress, const PlanTotals& totals) {
        (void)progress, (void)totals;
    }
};

// How the run goes on when an attempt leaves hours unplaced.
struct InitialPlanOptions {
    // "Konfliktgesteuert weitersuchen statt neu beginnen": the attempt's partial plan is not
    // thrown away; a conflict-directed search completes it, moving what stands in the way (never
    // a lesson with a fixed time, never against a rule of the placement check). When the search
    // gives up, the next attempt starts from an empty grid as before. Off: every attempt starts
    // from an empty grid.
    bool Weitersuchen = false;
    // Units the search may put after one attempt before it gives up.
    long long SuchSchritte = 2000000;
    // Moves a complete plan may try to mend the school's rules of the days (a day's minimum, the
    // gaps, the fewest days) before the run ends; it ends sooner when they stop falling.
    long long RegelSchritte = 5000000;
    // Moves without fewer breaches after which the mending counts as stuck and a fresh attempt
    // is mended instead, per unit of the school (at least 2,000); 0: never.
    long long Neubeginn = 10;
};

struct InitialPlanResult {
    bool PlanVorhanden = false;
    int Versuche = 0;
    int Rest = 1;
    bool Angehalten = false; // "Halt" ended the run before a complete plan and the last attempt
    bool Complete() const { return PlanVorhanden && Rest == 0; }
};

// The run, of at most `attempts` attempts. With `options.Weitersuchen`, an attempt that leaves
// hours unplaced is completed by the conflict-directed search; while it searches, the observer is
// told the attempts and the hours still unplaced after every pass (50 units put), and "Halt" ends
// it after that pass. `seed` seeds `rng`, the generator of the run's owner, from which every
// attempt draws (the desktop passes the time, the tool --seed or the time); the stages that follow
// go on with it. Without a plan: "Keine Planerstellung möglich!" (title "Fehler") to `reporter`,
// and the run ends at once with the controls enabled again. The plan's targets are computed first;
// at the end its figures are evaluated from scratch.
InitialPlanResult RunInitialPlan(CPlan* plan, Random& rng, Reporter& reporter, RunControl& run,
                                 int attempts, std::uint32_t seed,
                                 InitialPlanObserver* observer = nullptr,
                                 const InitialPlanOptions& options = {});

} // namespace sw
