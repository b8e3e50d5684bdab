// SPDX-License-Identifier: GPL-3.0-or-later
// InitialPlanRun.h: the run behind "1. Urplan erzeugen", without a window. Attempts from an empty
// grid until one gives a complete plan, the attempt count is used up or "Halt" is pressed. After
// every attempt an observer gets the texts the planning window shows; the desktop puts them into
// its labels, the command-line tool prints them. The run follows the run protocol of RunControl:
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
inline constexpr const char* UrplanErzeugen = "Planung : Urplan erzeugen";
inline constexpr const char* UrplanStart = "1. Urplan erzeugen";
inline constexpr const char* KeinePlanerstellung = "Keine Planerstellung möglich!";
inline constexpr const char* Konflikt = "Konflikt:";
inline constexpr const char* KeinUnterricht = "Es wurde noch kein Unterricht definiert!";
} // namespace texte

// A plan needs lessons: at least one subject block or one course block with classes. Without,
// planning is refused with "Es wurde noch kein Unterricht definiert!" (title "Fehler").
bool HatUnterricht(const Stammdaten& stamm);

// Attempts when the count field holds no number.
inline constexpr int kStandardVersuche = 1000;

// The number of attempts the field `text` asks for: its integer, or 1000 when it is none
// ("abc" -> 1000). The field is then rewritten with the number.
int AttemptCountFromText(const std::string& text);

// The conflict group of the planning window: its caption and the four labels.
struct ConflictLabels {
    std::string Caption = texte::Konflikt; // KonfliktGB
    std::string Lehrer;                    // KonfliktLehrerL
    std::string FachKurs;                  // KonfliktFachKursL
    std::string Klassen;                   // KonfliktKlassenL
    std::string Raum;                      // KonfliktRaumL
    bool operator==(const ConflictLabels&) const = default;
};

// The conflict group after a failed attempt: "Konflikt:  " + the conflict text, then the class
// when the report names one, else the teacher of KonfliktStunde with its course, or with its
// class and subject. The room label stays empty, as in the window.
ConflictLabels DescribeConflict(const CPlan& plan);

// What the window shows after an attempt. After a complete attempt the conflict group is the
// cleared one, so no older conflict stays on screen.
struct InitialPlanProgress {
    int Versuche = 0;
    int Rest = 1;
    std::string Label1; // Versuche + " Versuche / Rest = " + Rest
    ConflictLabels Konflikt;
};

class InitialPlanObserver {
public:
    virtual ~InitialPlanObserver() = default;
    // The run starts: the window caption, the count field as rewritten, the cleared conflict group.
    virtual void Started(const std::string& caption, const std::string& anzahlVersuche,
                         const ConflictLabels& konflikt) {
        (void)caption, (void)anzahlVersuche, (void)konflikt;
    }
    // After each attempt, with the grid as the attempt left it.
    virtual void AttemptDone(const InitialPlanProgress& progress) { (void)progress; }
    // The run has ended: the last texts, the figures of the plan and the start button's caption.
    virtual void Finished(const InitialPlanProgress& progress, const Figures& figures,
                          const std::string& startCaption) {
        (void)progress, (void)figures, (void)startCaption;
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
};

struct InitialPlanResult {
    bool PlanVorhanden = false;
    int Versuche = 0;
    int Rest = 1;
    bool Angehalten = false; // "Halt" ended the run before a complete plan and the last attempt
    bool Complete() const { return PlanVorhanden && Rest == 0; }
};

// The run. With `options.Weitersuchen`, an attempt that leaves hours unplaced is completed by
// the conflict-directed search; while it searches, the observer is told the attempts and the
// hours still unplaced after every pass (50 units put), and "Halt" ends it after that pass.
// `seed` seeds `rng`, the generator of the run's owner, from which every attempt draws
// (the desktop passes the time, the tool --seed or the time); the stages that follow go on with
// it. Without a plan: "Keine Planerstellung möglich!" (title "Fehler") to `reporter`, and the
// run ends at once with the controls enabled again. The plan's targets are computed first; at the
// end its figures are evaluated from scratch.
InitialPlanResult RunInitialPlan(CPlan* plan, Random& rng, Reporter& reporter, RunControl& run,
                                 const std::string& anzahlVersuche, std::uint32_t seed,
                                 InitialPlanObserver* observer = nullptr,
                                 const InitialPlanOptions& options = {});

} // namespace sw
