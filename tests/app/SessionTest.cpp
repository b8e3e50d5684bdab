// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Session.h"

#include "define/GeneralSettings.h"
#include "define/LessonEditor.h"
#include "define/MasterData.h"
#include "files/PlanFile.h"
#include "optimise/InitialPlanRun.h"
#include "optimise/Stages.h"
#include "plan/FitCheck.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace sw {
namespace {

TEST(Session, PlanningWithoutLessonsIsRefused) {
    CapturingReporter rep;
    Session s(rep);
    EXPECT_FALSE(s.StartPlanning());
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Es wurde noch kein Unterricht definiert!", "Fehler"}));
    EXPECT_FALSE(s.HasPlan());
}

// Two lessons fixed at one slot for the same class, or a fixed lesson at a locked time, can
// never be met: planning spent every attempt on them. They are named before planning starts.
TEST(Session, PlanningIsRefusedWithPresetsThatCanNeverBeMet) {
    CapturingReporter rep;
    Session s(rep);
    Stammdaten& d = s.Stamm();
    d = test::MakeSchool(5, 6, 2, 2, 2, 2);
    test::AddBlock(d, "L0", "K0", "F0", {1});
    test::AddBlock(d, "L1", "K0", "F1", {2});
    d.FachBloecke[0].Block.Einheiten[0].Zeitvorgabe = SlotOf(1, 3);
    d.FachBloecke[1].Block.Einheiten[0].Zeitvorgabe = SlotOf(1, 2); // hours 2 and 3
    const std::string head =
        "Diese Vorgaben können nie erfüllt werden; so kann kein Plan entstehen:\n\n";
    EXPECT_FALSE(s.StartPlanning());
    EXPECT_FALSE(s.HasPlan());
    EXPECT_EQ(rep.shown, (std::vector<Message>{
                             {head + "Die 1. Einheit des Unterrichts \"L0 / K0 / F0\" und die 1. "
                                     "Einheit des Unterrichts \"L1 / K0 / F1\" sind beide am "
                                     "Dienstag in der 3. Stunde fest und brauchen beide die "
                                     "Klasse \"K0\".",
                              "Fehler"}}));

    rep.shown.clear();
    d.FachBloecke[1].Block.Einheiten[0].Zeitvorgabe = kNoSlot;
    d.Lehrer[0].Sperre[SlotOf(1, 3)] = 1;
    EXPECT_FALSE(s.StartPlanning());
    EXPECT_EQ(rep.shown, (std::vector<Message>{
                             {head + "Die 1. Einheit des Unterrichts \"L0 / K0 / F0\" ist am "
                                     "Dienstag in der 3. Stunde fest; dort ist der Lehrer \"L0\" "
                                     "gesperrt.",
                              "Fehler"}}));
    d.Lehrer[0].Sperre[SlotOf(1, 3)] = 0;
    EXPECT_TRUE(s.StartPlanning());
}

TEST(Session, SavingAPlanNeedsOne) {
    CapturingReporter rep;
    Session s(rep);
    RunControl run;
    EXPECT_FALSE(s.MaySavePlan(run));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0], (Message{"Kein Plan vorhanden!", "Fehler"}));
}

TEST(Session, MasterDataCannotBeSavedInPlanMode) {
    CapturingReporter rep;
    Session s(rep);
    ASSERT_TRUE(s.OpenProjectFile(test::SourcePath("examples/gymnasium.sch")));
    ASSERT_TRUE(s.StartPlanning());
    test::TempDir dir;
    EXPECT_FALSE(s.SaveStammFile(dir.File("a.sdt")));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0].Text,
              "Zum Speichern der Stammdaten darf das Programm nicht im Plan-Modus arbeiten!");
    s.DiscardPlan();
    EXPECT_TRUE(s.SaveStammFile(dir.File("a.sdt")));
    EXPECT_EQ(s.StammSpeichernDatei(), dir.File("a.sdt"));
}

// While a plan exists the master data stays as it was read; when the plan ends the master data
// keeps its targets, and a master-data file written then carries them, as does a plan file.
TEST(Session, MasterDataKeepsTheTargetsOfTheLastPlan) {
    CapturingReporter rep;
    Session s(rep);
    ASSERT_TRUE(s.OpenProjectFile(test::SourcePath("examples/gymnasium.sch")));
    const Stammdaten read = s.Stamm();
    ASSERT_EQ(read.Klassen[0].LetztesSoll, CKlassenSoll{}); // a project file carries none
    ASSERT_TRUE(s.StartPlanning());
    EXPECT_EQ(s.Stamm(), read);
    const CKlassenSoll planned = s.Plan()->KlassenSollL[0];
    ASSERT_GT(planned.StundenLimit, 0);
    test::TempDir dir;
    ASSERT_TRUE(s.SavePlanFile(dir.File("p.pdt")));
    s.DiscardPlan();
    EXPECT_EQ(s.Stamm().Klassen[0].LetztesSoll, planned);
    ASSERT_TRUE(s.SaveStammFile(dir.File("a.sdt")));

    // The master-data part of both files is the same, byte for byte.
    const std::string stamm = test::ReadFileBytes(dir.File("a.sdt"));
    const std::string plan = test::ReadFileBytes(dir.File("p.pdt"));
    ASSERT_EQ(stamm.rfind("stamm\r\n", 0), 0u);
    ASSERT_EQ(plan.rfind("plan\r\n", 0), 0u);
    EXPECT_EQ(plan.substr(6, stamm.size() - 7), stamm.substr(7));
    Session t(rep);
    ASSERT_TRUE(t.OpenStammFile(dir.File("a.sdt")));
    EXPECT_EQ(t.Stamm().Klassen[0].LetztesSoll, planned);
}

TEST(Session, RunningPlanCannotBeSaved) {
    CapturingReporter rep;
    Session s(rep);
    ASSERT_TRUE(s.OpenProjectFile(test::SourcePath("examples/gymnasium.sch")));
    ASSERT_TRUE(s.StartPlanning());
    RunControl run;
    run.Begin();
    EXPECT_FALSE(s.MaySavePlan(run));
    EXPECT_EQ(rep.shown.back().Text, texte::LaufAktivSpeichern);
    run.End();
    EXPECT_TRUE(s.MaySavePlan(run));
}

TEST(Session, PlanFileRoundTrip) {
    CapturingReporter rep;
    Session s(rep);
    ASSERT_TRUE(s.OpenProjectFile(test::SourcePath("examples/gymnasium.sch")));
    EXPECT_EQ(s.ProjektDatei(), test::SourcePath("examples/gymnasium.sch"));
    ASSERT_TRUE(s.StartPlanning());
    RunControl run;
    const auto r = RunInitialPlan(s.Plan(), s.Rng(), rep, run, 200, 7);
    ASSERT_TRUE(r.PlanVorhanden);
    test::TempDir dir;
    ASSERT_TRUE(s.SavePlanFile(dir.File("p.pdt")));
    const int placed = s.Plan()->PlacedCount();

    Session t(rep);
    ASSERT_TRUE(t.OpenPlanFile(dir.File("p.pdt")));
    ASSERT_TRUE(t.HasPlan());
    EXPECT_EQ(t.Plan()->PlacedCount(), placed);
    EXPECT_EQ(t.PlanSpeichernDatei(), dir.File("p.pdt"));
}

TEST(Session, MasterDataFileIsNoPlanFile) {
    CapturingReporter rep;
    Session s(rep);
    ASSERT_TRUE(s.OpenProjectFile(test::SourcePath("examples/gymnasium.sch")));
    test::TempDir dir;
    ASSERT_TRUE(s.SaveStammFile(dir.File("s.sdt")));
    rep.shown.clear();
    EXPECT_FALSE(s.OpenPlanFile(dir.File("s.sdt")));
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[0], (Message{"Dies ist keine Plan - Datei!", "Datei - Fehler"}));
    EXPECT_EQ(rep.shown[1].Text, "Fehler beim Laden der Datei:\n" + dir.File("s.sdt"));
    // The master data stays as it was.
    EXPECT_FALSE(s.Stamm().Lehrer.empty());
}

TEST(Session, NewKeepsTheProjectFileName) {
    CapturingReporter rep;
    Session s(rep);
    ASSERT_TRUE(s.OpenProjectFile(test::SourcePath("examples/gymnasium.sch")));
    ASSERT_TRUE(s.StartPlanning());
    s.New();
    EXPECT_FALSE(s.HasPlan());
    EXPECT_TRUE(s.Stamm().Lehrer.empty());
    EXPECT_EQ(s.ProjektDatei(), test::SourcePath("examples/gymnasium.sch"));
}

// The tool reads a school from any of the three files; from a plan file it takes the master data
// only. A refusal is the reader's message alone, where the window adds its own line.
TEST(Session, OpenSchoolReadsEveryKindOfFile) {
    CapturingReporter rep;
    Session s(rep);
    for (const char* file : {"klein.sch", "klein.sdt", "klein.pdt"}) {
        ASSERT_TRUE(s.OpenSchool(test::SourcePath(std::string("tests/files/data/") + file)))
            << file;
        EXPECT_EQ(s.Stamm().Lehrer.size(), 2u) << file;
        EXPECT_EQ(s.Stamm().FachBloecke.size(), 4u) << file;
        EXPECT_FALSE(s.HasPlan()) << file;
    }
    EXPECT_TRUE(rep.shown.empty());
    EXPECT_EQ(s.ProjektDatei(), test::SourcePath("tests/files/data/klein.sch"));
    EXPECT_EQ(s.StammSpeichernDatei(), "");

    // The extension in capitals is still a plan file, not a project file.
    test::TempDir dir;
    test::WriteFileBytes(dir.File("KLEIN.PDT"),
                         test::ReadFileBytes(test::SourcePath("tests/files/data/klein.pdt")));
    ASSERT_TRUE(s.OpenSchool(dir.File("KLEIN.PDT")));
    EXPECT_TRUE(rep.shown.empty());

    // A plan in the way is destroyed.
    ASSERT_TRUE(s.OpenPlanFile(test::SourcePath("tests/files/data/klein.pdt")));
    ASSERT_TRUE(s.OpenSchool(test::SourcePath("tests/files/data/klein.sdt")));
    EXPECT_FALSE(s.HasPlan());

    const std::string broken = test::SourcePath("tests/files/data/nachlauf.sdt");
    EXPECT_FALSE(s.OpenSchool(broken));
    ASSERT_EQ(rep.shown.size(), 1u);
    EXPECT_EQ(rep.shown[0],
              (Message{"Fehler beim Lesen der Datei " + broken +
                           ":\nWort 773: Nach dem Ende der Stammdaten folgt noch Text.",
                       "Dateifehler"}));
    EXPECT_EQ(s.Stamm().Lehrer.size(), 2u); // the master data stays as it was
    rep.shown.clear();
    EXPECT_FALSE(s.OpenStammFile(broken));
    ASSERT_EQ(rep.shown.size(), 2u);
    EXPECT_EQ(rep.shown[1], (Message{"Fehler beim Laden der Datei:\n" + broken, "Dateifehler"}));
}

TEST(Session, KeepsTheFiguresThePlanFileStored) {
    CapturingReporter rep;
    Session s(rep);
    ASSERT_TRUE(s.OpenPlanFile(test::SourcePath("tests/files/data/kennzahlen-falsch.pdt")));
    EXPECT_EQ(s.StoredPlanFigures().LLSSumme, 999);
    EXPECT_EQ(s.StoredPlanFigures().TFSumme, 555);
    EXPECT_EQ(s.Plan()->Totals().LLSSumme, 3); // evaluated afresh
    EXPECT_EQ(CompareStoredFigures(s.StoredPlanFigures(), *s.Plan()).size(), 2u);

    // A refused file keeps the figures of the plan that stays.
    EXPECT_FALSE(s.OpenPlanFile(test::SourcePath("tests/files/data/klein.sdt")));
    EXPECT_EQ(s.StoredPlanFigures().LLSSumme, 999);
    ASSERT_TRUE(s.OpenPlanFile(test::SourcePath("tests/files/data/klein.pdt")));
    EXPECT_TRUE(CompareStoredFigures(s.StoredPlanFigures(), *s.Plan()).empty());
}

// --- unsaved changes ---------------------------------------------------------------------------

// The example school in a folder of the test's own, so that saving it changes no source file.
struct Unsaved {
    test::TempDir dir;
    CapturingReporter rep;
    Session s{rep};
    std::vector<Ablage> asked; // the file names asked for
    std::string name;          // the answer to them
    Unsaved() {
        std::filesystem::copy_file(test::SourcePath("examples/gymnasium.sch"), dir.File("s.sch"));
        EXPECT_TRUE(s.OpenProjectFile(dir.File("s.sch")));
    }
    std::function<std::string(Ablage)> Name() {
        return [this](Ablage a) {
            asked.push_back(a);
            return name;
        };
    }
    void Urplan() {
        RunControl run;
        RunInitialPlan(s.Plan(), s.Rng(), rep, run, 300, 1);
    }
};

// Every operation that changes master data or plan counts; what only looks does not.
TEST(Session, ChangesAreCountedByTheOperationsThatMakeThem) {
    using Op = std::function<void(Session&)>;
    const std::vector<std::tuple<const char*, Op, bool>> ops = {
        {"a new subject",
         [](Session& s) { MasterDataEditor(s.Stamm()).NewSubject("Neu", s.Report()); }, true},
        {"a refused subject",
         [](Session& s) { MasterDataEditor(s.Stamm()).NewSubject("", s.Report()); }, false},
        {"a lock",
         [](Session& s) {
             MasterDataEditor(s.Stamm()).Lock(SperrZiel::Klasse, 0, {59}, s.Report());
         },
         true},
        {"a usage count", [](Session& s) { MasterDataEditor(s.Stamm()).SubjectUsage(0); }, false},
        {"a separation",
         [](Session& s) {
             LessonEditor e(s.Stamm());
             const AktuellerBlock b = e.Select(BlockArt::Fach, 0, BlockAnsicht::Klasse, "");
             e.SetSeparation(b, !e.Separation(b));
         },
         true},
        {"the lesson view",
         [](Session& s) { LessonEditor(s.Stamm()).View(BlockAnsicht::Klasse, 0, 0); }, false},
        {"new day names",
         [](Session& s) {
             AllgemeineAngaben a = s.Stamm().Angaben;
             a.TagNamen[0] = "Mo";
             ApplyGeneralSettings(s.Stamm(), a, s.HasPlan(), s.Report());
         },
         true},
        {"the same settings",
         [](Session& s) {
             ApplyGeneralSettings(s.Stamm(), s.Stamm().Angaben, s.HasPlan(), s.Report());
         },
         false},
        {"building a plan", [](Session& s) { s.StartPlanning(); }, false},
        {"looking for what cannot fit",
         [](Session& s) {
             s.StartPlanning();
             DescribeFitProblems(*s.Plan());
         },
         false},
        {"the initial plan",
         [](Session& s) {
             s.StartPlanning();
             RunControl run;
             RunInitialPlan(s.Plan(), s.Rng(), s.Report(), run, 300, 1);
         },
         true},
    };
    for (const auto& [what, op, changes] : ops) {
        Unsaved u;
        EXPECT_FALSE(u.s.Geaendert()) << what;
        op(u.s);
        EXPECT_EQ(u.s.Geaendert(), changes) << what;
    }
    // A stage changes the plan; saving the plan file saves master data and plan.
    Unsaved u;
    ASSERT_TRUE(u.s.StartPlanning());
    u.Urplan();
    ASSERT_TRUE(u.s.SavePlanFile(u.dir.File("p.pdt")));
    EXPECT_FALSE(u.s.Geaendert());
    RunControl run;
    Optimiser(*u.s.Plan(), u.s.Rng(), run, u.rep).Mix(Stage::KlassenLuecken);
    EXPECT_TRUE(u.s.PlanGeaendert());
}

// "Änderungen speichern?": Abbrechen keeps everything, Nein goes on without saving, Ja saves to
// the file the data came from; without changes nothing is asked but the given question.
TEST(Session, TheQuestionSavesWhereTheDataCameFrom) {
    Unsaved u;
    EXPECT_TRUE(u.s.AenderungenSichern(u.Name()));
    EXPECT_TRUE(u.s.AenderungenSichern(u.Name(), texte::StammdatenVerwerfen));
    EXPECT_EQ(u.rep.asked, (std::vector<Message>{{"Aktuelle Stammdaten verwerfen?", "Warnung"}}));
    u.rep.asked.clear();
    MasterDataEditor(u.s.Stamm()).NewSubject("Neu", u.rep);
    const std::string before = test::ReadFileBytes(u.dir.File("s.sch"));
    u.rep.threeWay = Answer::Cancel;
    EXPECT_FALSE(u.s.AenderungenSichern(u.Name(), texte::StammdatenVerwerfen));
    EXPECT_EQ(u.rep.asked, (std::vector<Message>{{"Änderungen speichern?", "Warnung"}}));
    u.rep.threeWay = Answer::No;
    EXPECT_TRUE(u.s.AenderungenSichern(u.Name()));
    EXPECT_EQ(test::ReadFileBytes(u.dir.File("s.sch")), before);
    u.rep.threeWay = Answer::Yes;
    EXPECT_TRUE(u.s.AenderungenSichern(u.Name()));
    EXPECT_TRUE(u.asked.empty()) << "the project file has a name";
    EXPECT_NE(test::ReadFileBytes(u.dir.File("s.sch")), before);
    EXPECT_FALSE(u.s.Geaendert());
    // A new school has no file yet: its name is asked for; no name cancels.
    u.s.New();
    MasterDataEditor(u.s.Stamm()).NewSubject("Neu", u.rep);
    EXPECT_FALSE(u.s.AenderungenSichern(u.Name()));
    EXPECT_EQ(u.asked, std::vector<Ablage>{Ablage::Projekt});
    u.name = u.dir.File("fehlt/neu.sch");
    EXPECT_FALSE(u.s.AenderungenSichern(u.Name())) << "a failed save cancels";
    u.name = u.dir.File("neu.sch");
    EXPECT_TRUE(u.s.AenderungenSichern(u.Name()));
    EXPECT_TRUE(std::filesystem::exists(u.name));
    EXPECT_EQ(u.s.SpeicherDatei(), u.name);
}

// Closing the planning window: a plan that no run changed is discarded after the usual question;
// a changed one is offered for saving in a plan file.
TEST(Session, AChangedPlanIsOfferedForSavingBeforeTheWindowCloses) {
    Unsaved u;
    ASSERT_TRUE(u.s.StartPlanning());
    u.rep.threeWay = Answer::Cancel;
    EXPECT_TRUE(u.s.PlanSchliessenFragen(u.Name()));
    EXPECT_EQ(u.rep.asked.back().Text, texte::PlanLoeschenFrage);
    u.Urplan();
    EXPECT_FALSE(u.s.PlanSchliessenFragen(u.Name()));
    EXPECT_EQ(u.rep.asked.back(), (Message{"Änderungen speichern?", "Warnung"}));
    u.rep.threeWay = Answer::Yes;
    u.name = u.dir.File("p.pdt");
    EXPECT_TRUE(u.s.PlanSchliessenFragen(u.Name()));
    EXPECT_EQ(u.asked, std::vector<Ablage>{Ablage::Plan});
    PlanReadResult read = ReadPlanFile(u.name, DefaultFileOps(), u.rep);
    ASSERT_TRUE(read.outcome.Ok);
    EXPECT_EQ(read.plan->PlacedCount(), u.s.Plan()->PlacedCount());
    EXPECT_FALSE(u.s.Geaendert());
}

// --- import and tables -------------------------------------------------------------------------

// A refused import changes nothing. A school imported is a new one: no plan, no file yet (saving
// asks for a name), and offered for saving before anything could discard it.
TEST(Session, AnImportedSchoolIsNewAndUnsaved) {
    Unsaved u;
    ASSERT_TRUE(u.s.StartPlanning());
    const Stammdaten before = u.s.Stamm();
    EXPECT_FALSE(u.s.Importieren(u.dir.File("fehlt.fet")));
    ImportResult read;
    read.outcome = Outcome::Failure("Zeile 3: kaputt", titel::Importfehler);
    EXPECT_FALSE(u.s.ImportUebernehmen(read));
    ASSERT_EQ(u.rep.shown.size(), 2u);
    EXPECT_EQ(u.rep.shown[0].Title, "Importfehler");
    EXPECT_TRUE(u.s.HasPlan());
    EXPECT_EQ(u.s.Stamm(), before);
    EXPECT_FALSE(u.s.Geaendert());

    read.outcome = Outcome::Success();
    read.data = test::MakeSchool(5, 6, 2, 3, 2, 2);
    read.report.AddCount(ImportFate::Uebernommen, "Lehrer", 3);
    EXPECT_EQ(u.s.ImportUebernehmen(read), read.report);
    EXPECT_FALSE(u.s.HasPlan());
    EXPECT_EQ(u.s.Stamm(), read.data);
    EXPECT_EQ(u.s.ProjektDatei(), "");
    EXPECT_EQ(u.s.SpeicherDatei(), "");
    EXPECT_TRUE(u.s.Geaendert());
}

// A table stands for the folder it is in; anything else is read as it is.
TEST(Session, ATableChosenForImportStandsForItsFolder) {
    for (const auto& [chosen, read] :
         std::vector<std::pair<std::string, std::string>>{{"/s/tabellen/LEHRER.CSV", "/s/tabellen"},
                                                          {"lehrer.csv", "."},
                                                          {"/s/plan.fet", "/s/plan.fet"},
                                                          {"/s/csv", "/s/csv"}})
        EXPECT_EQ(ImportQuelle(chosen), read) << chosen;
}

} // namespace
} // namespace sw
