// SPDX-License-Identifier: GPL-3.0-or-later
// Session.h: what the main window owns, without a window: the master data, the one current plan
// and the file names of the project file and of the four stream-file commands. Every command
// checks its preconditions, shows its refusals and failures through the Reporter and says
// whether it succeeded; the window only asks for file names and sets its captions.
#pragma once
#include "exchange/Import.h"
#include "files/PlanFile.h"
#include "io/FileOps.h"
#include "model/Report.h"
#include "model/Stammdaten.h"
#include "optimise/RunControl.h"
#include "plan/Plan.h"
#include "plan/Random.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace sw {

namespace texte {
inline constexpr const char* PlanModusSpeichern =
    "Zum Speichern der Stammdaten darf das Programm nicht im Plan-Modus arbeiten!";
inline constexpr const char* StammdatenVerwerfen = "Aktuelle Stammdaten verwerfen?";
inline constexpr const char* AenderungenSpeichern = "Änderungen speichern?";
} // namespace texte

// Where the session saves what changed: the project file (.sch), the master-data file (.sdt) or
// the plan file (.pdt).
enum class Ablage { Projekt, Stamm, Plan };

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
    FileOps& Files() { return files_; }

    // --- "&Neu" ------------------------------------------------------------------------------
    // Empties the master data and destroys the plan; the four stream-file names are forgotten,
    // the project file name is kept (for "&Speichern"; the question below asks for a name).
    void New();

    // --- unsaved changes -------------------------------------------------------------------------
    // Master data or plan changed since they were last read, saved or built: every operation
    // that changes them counts (ChangeCount), viewing does not. Saving a plan file saves the
    // master data in it too.
    bool Geaendert() const;
    bool PlanGeaendert() const;
    // Where "Ja" saves: the plan file while there is a plan; otherwise the master-data file the
    // master data came from or went to last, else the project file.
    Ablage SpeicherOrt() const;
    // The file "Ja" writes; empty when there is none yet (a new school, or master data that came
    // from a plan file): the name is asked for.
    std::string SpeicherDatei() const;
    // Saves as the question's "Ja" does; `name` is asked for the file when there is none yet
    // (empty: cancelled). False when cancelled or failed (the failure is reported).
    bool Sichern(const std::function<std::string(Ablage)>& name);
    // Before master data or plan are discarded (new school, another file, the end of the
    // program): when something changed, "Änderungen speichern?" (title "Warnung", Ja / Nein /
    // Abbrechen); Ja saves (Sichern), Nein discards, Abbrechen keeps everything. Without changes
    // `ohneAenderung` is asked instead (Yes/No), when given. True when the command may go on.
    bool AenderungenSichern(const std::function<std::string(Ablage)>& name,
                            const char* ohneAenderung = nullptr);
    // Closing the planning window destroys the plan: with a changed plan the question above
    // (Ja saves the plan file), otherwise "Das Schließen des Planungs-Fensters löscht den
    // aktuellen Plan! ..." (Yes/No). True when the window may close.
    bool PlanSchliessenFragen(const std::function<std::string(Ablage)>& name);

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

    // --- import and tables --------------------------------------------------------------------
    // Reads a school from a FET file or a folder of tables (ImportQuelle: a folder, or a table in
    // it, is read as tables) and takes it over (ImportUebernehmen). A refusal is shown and
    // changes nothing.
    std::optional<ImportReport> Importieren(const std::string& path);
    // Takes a school read by the import as a new school that was never saved: it replaces
    // master data and plan, has no file name (saving asks for one) and counts as changed, so that
    // it is offered for saving before anything could discard it. The outcome is shown first; a
    // refusal changes nothing (empty result). Returns the report for the window to show.
    std::optional<ImportReport> ImportUebernehmen(ImportResult result);
    // Writes the master data as tables into `folder`, which exists. The refusal, or a note
    // naming the folder, is shown. True on success.
    bool TabellenExportieren(const std::string& folder);

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
    // Everything as read or saved just now.
    void StammGesichert() { stammStand_ = stamm_->Aenderungen.Value(); }
    void PlanGesichert() { planStand_ = plan_ ? plan_->Aenderungen.Value() : 0; }
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
    // The change counts of master data and plan when they were last read, saved or built.
    std::uint64_t stammStand_ = 0;
    std::uint64_t planStand_ = 0;
    // Where the master data came from or went to last: a project file, a master-data file, or
    // neither (a new school, or the master data of a plan file).
    enum class Herkunft { Keine, Projekt, Stamm } herkunft_ = Herkunft::Keine;
};

// What an import reads for the file the planner chose: a table (".csv", in any case) stands for
// the folder it is in; anything else is read as it is.
std::string ImportQuelle(const std::string& chosen);

// Writes the text of an import report into `path` (as the tool's "--report" writes it); a
// failure is shown as a failed save of a master-data file is. True on success.
bool SaveImportReport(const ImportReport& report, const std::string& path, FileOps& files,
                      Reporter& reporter);

} // namespace sw
