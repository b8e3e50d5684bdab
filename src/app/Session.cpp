// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Session.h"

#include "exchange/Tables.h"
#include "files/ProjectFile.h"
#include "files/StreamFile.h"
#include "model/Presets.h"
#include "optimise/InitialPlanRun.h"
#include "plan/Evaluation.h"

#include <cctype>
#include <ctime>
#include <filesystem>

namespace sw {

Session::Session(Reporter& reporter, FileOps& files)
    : reporter_(reporter), files_(files), stamm_(std::make_unique<Stammdaten>()) {}

// The plan refers to the master data: it goes first.
Session::~Session() {
    plan_.reset();
}

void Session::ClosePlan() {
    if (!plan_) return;
    // The plan's targets become the master data's last ones, so that a master-data file written
    // after the plan carries them.
    for (std::size_t t = 0; t < stamm_->Lehrer.size() && t < plan_->LehrerSollL.size(); ++t)
        stamm_->Lehrer[t].LetztesSoll = plan_->LehrerSollL[t];
    for (std::size_t k = 0; k < stamm_->Klassen.size() && k < plan_->KlassenSollL.size(); ++k)
        stamm_->Klassen[k].LetztesSoll = plan_->KlassenSollL[k];
    plan_.reset();
}

void Session::ReplaceStamm(std::unique_ptr<Stammdaten> data) {
    plan_.reset();
    stamm_ = std::move(data);
    StammGesichert();
}

void Session::New() {
    plan_.reset();
    stamm_->Clear();
    StammGesichert();
    herkunft_ = Herkunft::Keine;
    stammOeffnen_.clear();
    stammSpeichern_.clear();
    planOeffnen_.clear();
    planSpeichern_.clear();
}

// --- unsaved changes -----------------------------------------------------------------------------

bool Session::Geaendert() const {
    return stamm_->Aenderungen.Value() != stammStand_ || PlanGeaendert();
}

bool Session::PlanGeaendert() const {
    return plan_ && plan_->Aenderungen.Value() != planStand_;
}

Ablage Session::SpeicherOrt() const {
    if (plan_) return Ablage::Plan;
    return herkunft_ == Herkunft::Stamm ? Ablage::Stamm : Ablage::Projekt;
}

std::string Session::SpeicherDatei() const {
    switch (SpeicherOrt()) {
    case Ablage::Plan:
        return planSpeichern_;
    case Ablage::Stamm:
        return stammSpeichern_;
    case Ablage::Projekt:
        break;
    }
    return herkunft_ == Herkunft::Projekt ? projekt_ : std::string();
}

bool Session::Sichern(const std::function<std::string(Ablage)>& name) {
    const Ablage ort = SpeicherOrt();
    std::string datei = SpeicherDatei();
    if (datei.empty() && name) datei = name(ort);
    if (datei.empty()) return false;
    switch (ort) {
    case Ablage::Plan:
        return SavePlanFile(datei);
    case Ablage::Stamm:
        return SaveStammFile(datei);
    case Ablage::Projekt:
        break;
    }
    return SaveProjectFile(datei);
}

bool Session::AenderungenSichern(const std::function<std::string(Ablage)>& name,
                                 const char* ohneAenderung) {
    if (!Geaendert())
        return !ohneAenderung || reporter_.Ask({ohneAenderung, titel::Warnung}, Question::YesNo);
    switch (reporter_.AskYesNoCancel({texte::AenderungenSpeichern, titel::Warnung})) {
    case Answer::Yes:
        return Sichern(name);
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool Session::PlanSchliessenFragen(const std::function<std::string(Ablage)>& name) {
    if (!PlanGeaendert())
        return reporter_.Ask({texte::PlanLoeschenFrage, titel::Warnung}, Question::YesNo);
    return AenderungenSichern(name);
}

bool Session::OpenProjectFile(const std::string& path) {
    ProjectReadResult read = OpenProject(path, files_);
    read.outcome.ShowTo(reporter_); // the refusal, or a note on the file's code page
    if (!read.outcome.Ok) return false;
    ReplaceStamm(std::make_unique<Stammdaten>(std::move(read.data)));
    projekt_ = path;
    herkunft_ = Herkunft::Projekt;
    return true;
}

bool Session::SaveProjectFile(const std::string& path) {
    const Outcome o = SaveProject(*stamm_, path, files_);
    o.ShowTo(reporter_);
    if (o.Ok) {
        projekt_ = path;
        herkunft_ = Herkunft::Projekt;
        StammGesichert();
    }
    return o.Ok;
}

namespace {
bool EndsWith(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + i])) !=
            tail[i])
            return false;
    return true;
}
} // namespace

bool Session::OpenSchool(const std::string& path) {
    if (!EndsWith(path, ".sdt") && !EndsWith(path, ".pdt")) return OpenProjectFile(path);
    StreamReadResult read = ReadStreamFile(path, files_, false);
    read.outcome.ShowTo(reporter_); // the refusal, or a note on the file's code page
    if (!read.outcome.Ok) return false;
    ReplaceStamm(std::make_unique<Stammdaten>(std::move(read.data)));
    return true;
}

bool Session::OpenStammFile(const std::string& path) {
    StreamReadResult read = ReadStreamFile(path, files_, false);
    read.outcome.ShowTo(reporter_);
    if (!read.outcome.Ok) {
        reporter_.Show({texte::FehlerBeimLaden + path, titel::Dateifehler});
        return false;
    }
    ReplaceStamm(std::make_unique<Stammdaten>(std::move(read.data)));
    stammOeffnen_ = path;
    stammSpeichern_ = path;
    herkunft_ = Herkunft::Stamm;
    return true;
}

bool Session::MaySaveStamm() const {
    if (!plan_) return true;
    reporter_.Show({texte::PlanModusSpeichern, titel::Fehler});
    return false;
}

bool Session::SaveStammFile(const std::string& path) {
    if (!MaySaveStamm()) return false;
    const Outcome o = WriteStreamFile(*stamm_, path, files_);
    o.ShowTo(reporter_);
    if (o.Ok) {
        stammSpeichern_ = path;
        herkunft_ = Herkunft::Stamm;
        StammGesichert();
    }
    return o.Ok;
}

bool Session::OpenPlanFile(const std::string& path) {
    PlanReadResult read = ReadPlanFile(path, files_, reporter_);
    // On failure the reader's own message and "Fehler beim Laden der Datei:" + path; on success
    // perhaps a note on the file's code page.
    read.outcome.ShowTo(reporter_);
    if (!read.outcome.Ok) return false;
    plan_.reset();
    stamm_ = std::move(read.data);
    plan_ = std::move(read.plan);
    rng_.Seed(static_cast<std::uint32_t>(std::time(nullptr)));
    StammGesichert();
    PlanGesichert();
    herkunft_ = Herkunft::Keine;
    storedFigures_ = read.stored;
    planOeffnen_ = path;
    planSpeichern_ = path;
    return true;
}

bool Session::MaySavePlan(const RunControl& run) const {
    if (!plan_) {
        reporter_.Show({texte::KeinPlan, titel::Fehler});
        return false;
    }
    return run.MaySavePlan(reporter_);
}

bool Session::SavePlanFile(const std::string& path) {
    const Outcome o = WritePlanFile(*stamm_, plan_.get(), path, files_);
    o.ShowTo(reporter_);
    if (o.Ok) {
        planSpeichern_ = path;
        // The plan file holds the master data too.
        StammGesichert();
        PlanGesichert();
    }
    return o.Ok;
}

std::optional<ImportReport> Session::Importieren(const std::string& path) {
    return ImportUebernehmen(ImportSchool(ImportQuelle(path), files_));
}

std::optional<ImportReport> Session::ImportUebernehmen(ImportResult result) {
    result.outcome.ShowTo(reporter_);
    if (!result.outcome.Ok) return std::nullopt;
    ReplaceStamm(std::make_unique<Stammdaten>(std::move(result.data)));
    // Nothing of the school stands in a file of ours yet.
    stamm_->Aenderungen.Bump();
    projekt_.clear();
    herkunft_ = Herkunft::Keine;
    stammOeffnen_.clear();
    stammSpeichern_.clear();
    planOeffnen_.clear();
    planSpeichern_.clear();
    storedFigures_ = {};
    return std::move(result.report);
}

bool Session::TabellenExportieren(const std::string& folder) {
    const Outcome o = ExportTables(*stamm_, folder, files_);
    o.ShowTo(reporter_);
    if (o.Ok)
        reporter_.Show({"Die Stammdaten stehen jetzt als Tabellen im Ordner „" + folder + "“.",
                        titel::Hinweis});
    return o.Ok;
}

std::string ImportQuelle(const std::string& chosen) {
    if (!EndsWith(chosen, ".csv")) return chosen;
    const std::string folder = std::filesystem::path(chosen).parent_path().string();
    return folder.empty() ? "." : folder;
}

bool SaveImportReport(const ImportReport& report, const std::string& path, FileOps& files,
                      Reporter& reporter) {
    const FileResult written = files.WriteReplacing(path, report.Text());
    if (!written)
        reporter.Show({"Fehler beim Speichern der Datei:\n" + path +
                           "\nDatei konnte nicht erzeugt werden.\n" + written.Reason,
                       titel::Dateifehler});
    return written.Ok();
}

bool Session::StartPlanning() {
    stammSpeichern_.clear();
    planSpeichern_.clear();
    if (!HatUnterricht(*stamm_)) {
        reporter_.Show({texte::KeinUnterricht, titel::Fehler});
        return false;
    }
    // Presets that can never be met would only cost every attempt: they are named first.
    if (const auto problems = UnmeetablePresets(*stamm_); !problems.empty()) {
        reporter_.Show({UnmeetablePresetsText(problems), titel::Fehler});
        return false;
    }
    ClosePlan();
    plan_ = std::make_unique<CPlan>(*stamm_, reporter_);
    plan_->BuildLessonHours();
    // A plan without a run holds nothing to lose.
    PlanGesichert();
    rng_.Seed(static_cast<std::uint32_t>(std::time(nullptr)));
    ComputeTargets(*plan_);
    EvaluateAll(*plan_);
    return true;
}

void Session::DiscardPlan() {
    ClosePlan();
    stammSpeichern_.clear();
    planSpeichern_.clear();
}

} // namespace sw
