// SPDX-License-Identifier: GPL-3.0-or-later
// Session.h: what the main window owns, without a window: the master data, the one current plan
// and the file names of the project file and of the four stream-file commands. Every command
// checks its preconditions, shows its refusals and failures through the Reporter and says
// whether it succeeded; the window only asks for file names and sets its captions.
#pragma once
#include "files/PlanFile.h"
#include "io/FileOps.h"
#include "model/Report.h"
#include "model/Stammdaten.h"
#include "optimise/RunControl.h"
#include "plan/Plan.h"
#include "plan/Random.h"
#include <memory>
#include <string>

namespace sw {

namespace texte {
inline constexpr const char* PlanModusSpeichern =
    "Zum Speichern der Stammdaten darf das Programm nicht im Plan-Modus arbeiten!";
inline constexpr const char* StammdatenVerwerfen = "Aktuelle Stammdaten verwerfen?";
} // namespace texte

class Session {
public:
    explicit Session(Reporter& reporter, FileOps& files = DefaultFileOps());
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session();

    Stammdaten& Stamm() { return *stamm_; }
    const Stammdaten& Stamm() const { return *stamm_; }
    CPlan* Plan() { return plan_.get(); }
    bool HasPlan() const { return plan_ != nullptr; }
    // The generator the runs on the plan draw from: seeded from the clock whenever a plan is
    // built or read, and again by every initial-plan run.
    Random& Rng() { return rng_; }
    Reporter& Report() { return reporter_; }

    // --- "&Neu" ------------------------------------------------------------------------------
    // Empties the master data and destroys the plan; the four stream-file names are forgotten,
    // the project file name is kept.
    void New();

    // --- project file -------------------------------------------------------------------------
    const std::string& ProjektDatei() const { return projekt_; }
    void SetProjektDatei(std::string path) { projekt_ = std::move(path); }
    // Replaces master data and plan by the file's content; the file becomes the project file.
    bool OpenProjectFile(const std::string& path);
    // Writes the master data; on success the file becomes the project file.
    bool SaveProjectFile(const std::string& path);

    // The tool's way to read a school: a project file (.sch) as OpenProjectFile, otherwise the
    // master data of a master-data or plan file (.sdt, .pdt; the extension in any case), which
    // replace master data and plan. A refusal is the reader's message alone; the stream-file
    // names stay as they were.
    bool OpenSchool(const std::string& path);

    // --- master-data file (.sdt) -----------------------------------------------------------
    const std::string& StammSpeichernDatei() const { return stammSpeichern_; }
    // Reads without a plan expected; the plan is destroyed on success.
    bool OpenStammFile(const std::string& path);
    // Refused in plan mode ("Zum Speichern der Stammdaten ...").
    bool MaySaveStamm() const;
    bool SaveStammFile(const std::string& path);

    // --- plan file (.pdt) ------------------------------------------------------------------
    const std::string& PlanSpeichernDatei() const { return planSpeichern_; }
    // Reads master data and plan; both replace the current ones only on success.
    bool OpenPlanFile(const std::string& path);
    // The figures the plan file last read stored, as they stood in the file.
    const StoredFigures& StoredPlanFigures() const { return storedFigures_; }
    // "Kein Plan vorhanden!" without a plan, the run refusal while `run` is active.
    bool MaySavePlan(const RunControl& run) const;
    bool SavePlanFile(const std::string& path);

    // --- planning -----------------------------------------------------------------------------
    // "Stunden&plan": forgets the names for saving, refuses without lessons ("Es wurde noch
    // kein Unterricht definiert!") and with presets that can never be met (two units fixed at
    // one slot with the same class, teacher or room, …: each named, title "Fehler"), otherwise
    // destroys any plan and builds a new one with its lesson hours and targets.
    bool StartPlanning();
    // Closing the planning window: the plan is destroyed, the names for saving forgotten. The
    // master data keeps the plan's targets as its last ones (what a master-data file carries).
    void DiscardPlan();

private:
    // Destroys the plan, leaving its targets in the master data.
    void ClosePlan();
    void ReplaceStamm(std::unique_ptr<Stammdaten> data);

    Reporter& reporter_;
    FileOps& files_;
    std::unique_ptr<Stammdaten> stamm_;
    std::unique_ptr<CPlan> plan_;
    Random rng_;
    std::string projekt_;
    std::string stammOeffnen_, stammSpeichern_, planOeffnen_, planSpeichern_;
    StoredFigures storedFigures_;
};

} // namespace sw
