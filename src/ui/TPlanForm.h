// SPDX-License-Identifier: GPL-3.0-or-later
// TPlanForm.h: the planning window. Page "Urplan" builds the first plan, the stage tabs improve
// it, "Manuell" runs with goals of the user's choice and "Optionen" sets the plan's placement
// options. Every run is a core run on this thread; once per pass the window lets pending input
// through, so "Halt" and the tabs keep working, but repaints its figures, pass labels and curve
// only a few times a second (the curve still records every pass). Each command that runs the
// plan holds a RunControl::Scope for its whole length; closing the window while a halted run is
// still returning waits for it. The window is created once and shows whatever plan the main
// window hands it.
#pragma once
#include "app/FigureTexts.h"
#include "app/PlanningService.h"
#include "app/Settings.h"
#include "edit/EditHistory.h"
#include "optimise/InitialPlanRun.h"
#include "optimise/RunControl.h"
#include "optimise/Stages.h"
#include "ui/StufenTexte.h"

#include <QElapsedTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace sw::ui {

class KurvenAnzeige;
class TPlanBSForm;

class TPlanForm : public QWidget,
                  private RunObserver,
                  private InitialPlanObserver,
                  private StageObserver {
    Q_OBJECT
public:
    TPlanForm(RunControl& run, Reporter& reporter, QWidget* parent = nullptr);

    // The plan the window works on and the generator its runs draw from (the session's); nullptr
    // when there is none. Refreshes the figures and marks the window idle with its start controls
    // enabled. `stamm` is the master data the plan was built from: the plan grid edits its locks;
    // without it "Schnappschuß" does nothing. The undo history of the manual edits is cleared.
    void SetPlan(CPlan* plan, Random* rng, Stammdaten* stamm = nullptr);
    CPlan* Plan() const { return plan_; }
    // The seed of the next initial-plan run; without one the time is taken.
    void SetSeed(std::uint32_t seed) { seed_ = seed; }
    // The configuration file that keeps "Konfliktgesteuert weitersuchen statt neu beginnen"; the
    // check box shows what it says.
    void SetKonfigDatei(const QString& pfad);
    // What config.ini holds now (the defaults without a file): a plan built anew takes the
    // three limit options from it.
    PlanungsEinstellungen Einstellungen() const;
    // Asks the window to close as the user would; true when it is closed afterwards. False also
    // while a halted run is still returning: the close then follows once it has returned.
    bool Schliessen();
    // The figures of the plan into the labels.
    void ZahlenZeigen();
    // The plan grid window "Schnappschuß" and the undo history of its manual edits.
    TPlanBSForm& GitterForm() { return *gitter_; }
    const EditHistory& Verlauf() const { return verlauf_; }
    // The question before the window closes and the plan goes; true when it may. The main
    // window offers to save a changed plan here; without it "Das Schließen des
    // Planungs-Fensters löscht den aktuellen Plan! ..." is asked.
    std::function<bool()> SchliessenFrage;

signals:
    // The plan grid's "Ausgabe": the main window's output command is wanted.
    void AusgabeVerlangt();
    // "Veröffentlichen...": the plan is to go out as a web site.
    void VeroeffentlichenVerlangt();
    // The user agreed to close the window: the plan is to be discarded.
    void PlanGeschlossen();

public slots:
    void StartBtnClick();
    void StageClick(sw::Stage stufe);
    void MischenClick(sw::Stage tab);
    void HaltBtnClick();
    // Opens the plan grid modally; the figures follow the manual edits when it closes.
    void SchnappschussBtnClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // RunObserver
    void DisableCommands() override;
    void EnableCommands() override;
    // InitialPlanObserver
    void Started(const CPlan* plan, int attempts) override;
    void AttemptDone(const InitialPlanProgress& progress) override;
    void Finished(const InitialPlanProgress& progress, const PlanTotals& totals) override;
    // StageObserver
    void Started(const StageRow& row) override;
    void PassDone(const PassReport& report) override;
    void Ended(const PassReport& report) override;

    // A stage or "Mischen" starts: pass labels cleared and captioned for it, a new curve.
    void LaufBeginnt();
    // True at most about ten times a second: time to repaint what the passes changed.
    bool AnzeigeFaellig();
    // What the last pass left, on screen: when due and at the end of every stage, before its
    // message.
    void LaufZeigen(const PlanTotals& zahlen);

    void Aufbauen();
    QWidget* UrplanSeite();
    QWidget* StufenSeite(const char* knopfName, const char* knopfText, const char* mischenName,
                         Stage stufe);
    QWidget* ManuellSeite();
    QWidget* OptionenSeite();
    QWidget* ZahlenTeil();
    void ZahlenSetzen(const FigureTexts& f);
    // The figure labels' fixed widths, from the widest text the plan's figures can take.
    void ZahlenBreiten();
    void KonfliktSetzen(const ConflictRecord& k);
    void SeiteGewechselt(int index);
    void OptionenLesen();
    void OptionenSchreiben();
    // The page's choices that outlive a plan into config.ini: the search, and with `limits` the
    // three limit options too.
    void EinstellungenSchreiben(bool limits);
    // Before the first attempt: what can never fit, with the question whether to start anyway.
    // True when the run may start.
    bool NieSetzbarGefragt();
    std::array<bool, 7> ZieleGewaehlt() const;
    // What a run takes, from the window's fields; `seed` for the initial plan.
    PlanningOptions Planungsoptionen(std::uint32_t seed = 1) const;
    // The figure the curve follows (index into the goal list: 0 class gaps ... 6 teacher
    // distribution) and the curve's name for a stage or a "Mischen" of its tab.
    std::pair<Figure, QString> Kurve(const StageRow& zeile) const;

    RunControl& run_;
    Reporter& reporter_;
    CPlan* plan_ = nullptr;
    Random* rng_ = nullptr;
    Stammdaten* stamm_ = nullptr;
    // Runs the plan the window shows, through run_.
    PlanningService dienst_;
    // The manual edits of the plan grid; a new plan and every run start it afresh.
    EditHistory verlauf_;
    TPlanBSForm* gitter_ = nullptr;
    std::optional<std::uint32_t> seed_;
    // The stage the window runs or last ran, and whether as its "Mischen".
    Stage laufend_ = Stage::KlassenLuecken;
    bool mischen_ = false;
    // The row of the running stage: what its pass label counts.
    PassCount passCount_ = PassCount::None;
    // The figure the curve of the running stage follows; -1 for the initial plan's rest.
    Figure kurvenFigur_ = Figure::LLSSumme;
    // Whether the running stage makes goal-directed calls (AustauschL shows their result).
    bool zielgerichtet_ = false;
    // The pass labels as the last pass left them; shown when due and when the run ends.
    std::string label15Text_;
    int zielgerichtetWert_ = 0;
    QElapsedTimer anzeigeUhr_;

    QTabWidget* seiten_ = nullptr;
    QPushButton* startBtn_ = nullptr;
    QLineEdit* anzahlVersucheE_ = nullptr;
    QLabel* label1_ = nullptr;
    QGroupBox* konfliktGB_ = nullptr;
    QLabel *konfliktLehrerL_ = nullptr, *konfliktFachKursL_ = nullptr, *konfliktKlassenL_ = nullptr,
           *konfliktRaumL_ = nullptr;
    QLabel *label15_ = nullptr, *austauschL_ = nullptr, *sKProdSumL_ = nullptr;
    // Captions of the pass labels: what the running stage counts in Label15, and "Zielgerichtet:".
    QLabel *label15T_ = nullptr, *austauschT_ = nullptr;
    QLineEdit* llsLimitE_ = nullptr;
    QListWidget* zieleCLB_ = nullptr;
    std::array<QCheckBox*, 4> optionen_{};
    QCheckBox* weitersuchenCB_ = nullptr;
    QString konfigDatei_;
    QPushButton* haltBtn_ = nullptr;
    QPushButton* schnappschussBtn_ = nullptr;
    QPushButton* veroeffentlichenBtn_ = nullptr;
    KurvenAnzeige* kurve_ = nullptr;
    // The step controls, disabled while a run is active.
    std::vector<QWidget*> schritte_;
    // Figure labels by name, each with its caption label.
    struct Zahl {
        QLabel* wert;
        QLabel* titel;
    };
    std::vector<Zahl> zahlen_;
};

} // namespace sw::ui
