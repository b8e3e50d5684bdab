// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ProjectFile.h"
#include "files/Ini.h"
#include "model/Cp1252.h"
#include "model/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <initializer_list>
#include <map>
#include <random>

namespace sw {
namespace {

// An in-memory file system whose operations can be made to fail: a copy with EIO, a creation
// with EACCES, a write with ENOSPC.
struct FakeFs : FileOps {
    std::map<std::string, std::string> files;
    std::string failCopyTo; // Copy to this target fails
    bool failCreate = false;
    bool failWrite = false;
    bool writeDestroys = false; // a failing write loses the old file as well

    bool Exists(const std::string& p) override { return files.count(p) > 0; }
    FileResult Copy(const std::string& from, const std::string& to) override {
        if (!Exists(from)) return FileResult::Failed(ENOENT);
        if (to == failCopyTo) return FileResult::Failed(EIO);
        files[to] = files[from];
        return {};
    }
    bool Remove(const std::string& p) override { return files.erase(p) > 0; }
    FileResult CreateEmpty(const std::string& p) override {
        if (failCreate) return FileResult::Failed(EACCES);
        files[p].clear();
        return {};
    }
    FileResult WriteReplacing(const std::string& p, std::string_view bytes) override {
        if (failWrite) {
            if (writeDestroys) files.erase(p);
            return FileResult::Failed(ENOSPC);
        }
        files[p] = std::string(bytes);
        return {};
    }
    FileResult CheckWritable(const std::string&) override { return {}; }
    FileContent ReadAll(const std::string& p) override {
        if (!Exists(p)) return {std::nullopt, "Die Datei ist nicht vorhanden."};
        return {files[p], {}};
    }
};

// A lock-grid value with the given slots locked.
std::string Locks(std::initializer_list<int> locked) {
    std::string out;
    for (int s = 0; s < kSlotCount; ++s)
        out += std::find(locked.begin(), locked.end(), s) != locked.end() ? "1," : "0,";
    return out;
}

std::string Lines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& line : lines)
        out += line + "\r\n";
    return out;
}

std::string Cp(const std::string& utf8) {
    return Utf8ToCp1252(utf8).value();
}

// A school with every kind of entity; SampleText() is its file, in UTF-8.
Stammdaten SampleModel() {
    Stammdaten d;
    d.AngabenBestaetigt = true;
    d.Angaben.Nullte = true;
    d.Faecher = {"Deutsch", "Mathe", "Sport"};
    d.Raeume.resize(2);
    CRaumFach& r12 = d.Raeume[0];
    r12.Name = "R12";
    r12.Kurz = "Raum 12";
    r12.Faecher = {"Sport"};
    r12.FachTyp = {0, 1, 0};
    r12.Klasse = "5a";
    r12.KlassenTyp = {0, 0, 1};
    d.Raeume[1].Name = "R1";
    d.Raeume[1].KlassenTyp = {1, 0, 0};
    d.Raeume[1].Sperre[SlotOf(6, 12)] = 1;
    d.Lehrer.resize(2);
    CLehrer& mueller = d.Lehrer[0];
    mueller.Name = "Müller";
    mueller.Kurz = "Mü";
    mueller.Faecher = {"Deutsch", "Mathe"};
    mueller.KlassenLehrer = 1;
    mueller.Klasse = "5a";
    for (int s : {SlotOf(0, 0), SlotOf(5, 5), SlotOf(6, 12)})
        mueller.Sperre[s] = 1;
    d.Lehrer[1].Name = "Schmidt";
    d.Lehrer[1].Kurz = "Sch";
    d.Klassen.resize(2);
    d.Klassen[0].Name = "5a";
    d.Klassen[0].Sperre[SlotOf(1, 1)] = 1;
    d.Klassen[1].Name = "6 b";
    CFachBlock deutsch;
    deutsch.Lehrer = "Müller";
    deutsch.Klasse = "5a";
    deutsch.Fach = "Deutsch";
    deutsch.BStunden = 3;
    deutsch.Einheiten = {CEinheit(2, -1), CEinheit(1, 14)};
    deutsch.Einheiten[0].Raum = "R12";
    deutsch.Trennung = 1;
    d.AddFachBlock(deutsch);
    d.KursBloecke.resize(2);
    CKursBlock& rel = d.KursBloecke[0];
    rel.Name = "Religion";
    rel.Kurz = "Rel";
    rel.Faecher = {"Deutsch", "Mathe"};
    rel.Lehrer = {{"Müller", {CEinheit(2, -1), CEinheit(1, 27)}},
                  {"Schmidt", {CEinheit(2, -1), CEinheit(1, 27)}}};
    rel.Lehrer[0].Einheiten[0].Raum = "R1";
    rel.Lehrer[0].Einheiten[1].Raum = "R12";
    rel.Lehrer[1].Einheiten[1].Raum = "R1";
    rel.Klassen = {"5a", "6 b"};
    rel.BStunden = 3;
    d.KursBloecke[1].Name = "Leer";
    d.KursBloecke[1].Trennung = 1;
    return d;
}

std::string SampleText() {
    return Lines({"[AllgemeineAngaben]", "RaumNo=2", "LehrerNo=2", "KlassenNo=2", "FaecherNo=3",
                  "KursBlockNo=2", "FachBlockNo=1", "Tage=5", "Stunden=8", "Nullte=1", "[Faecher]",
                  "Faecher=Deutsch,Mathe,Sport,",
                  // rooms
                  "[Raum_0]", "Name=R12", "Kurz=Raum 12", "FaecherNo=1", "Faecher=Sport,",
                  "FachTyp=0,1,0,", "KlassenTyp=0,0,1,", "Klasse=5a", "Sperre=" + Locks({}),
                  "[Raum_1]", "Name=R1", "Kurz=", "FaecherNo=0", "Faecher=", "FachTyp=1,0,0,",
                  "KlassenTyp=1,0,0,", "Klasse=", "Sperre=" + Locks({90}),
                  // teachers
                  "[Lehrer_0]", "Name=Müller", "Kurz=Mü", "FaecherNo=2", "Faecher=Deutsch,Mathe,",
                  "KlassenLehrer=1", "Klasse=5a", "Sperre=" + Locks({0, 70, 90}), "[Lehrer_1]",
                  "Name=Schmidt", "Kurz=Sch", "FaecherNo=0", "Faecher=", "KlassenLehrer=0",
                  "Klasse=", "Sperre=" + Locks({}),
                  // classes
                  "[Klasse_0]", "Name=5a", "Sperre=" + Locks({14}), "[Klasse_1]", "Name=6 b",
                  "Sperre=" + Locks({}),
                  // lessons
                  "[FachBlock_0]", "Lehrer=Müller", "Klasse=5a", "Fach=Deutsch", "Trennung=1",
                  "EinheitenNo=2", "Einheiten=2,-1,R12,1,14,,", "BStunden=3",
                  // course blocks
                  "[KursBlock_0]", "Name=Religion", "Kurz=Rel", "LehrerNo=2", "KlassenNo=2",
                  "Faecher=Deutsch,Mathe,", "Lehrer=Müller,Schmidt,", "EinheitenNo=2",
                  "Einheiten=2,-1,1,27,", "Raeume=R1,R12,,R1,", "Klassen=5a,6 b,", "BStunden=3",
                  "Trennung=0", "[KursBlock_1]", "Name=Leer", "Kurz=", "LehrerNo=0", "KlassenNo=0",
                  "BStunden=0", "Trennung=1"});
}

const std::string kPath = "/schule/plan.alt.sch";
const std::string kBackup = "/schule/secu_plan";

ProjectReadResult OpenText(const std::string& utf8) {
    FakeFs fs;
    fs.files[kPath] = Cp(utf8);
    return OpenProject(kPath, fs);
}

// The sample text with one key changed.
std::string SampleWith(const std::string& section, const std::string& key,
                       const std::string& value) {
    IniFile ini = IniFile::Parse(SampleText());
    ini.SetString(section, key, value);
    return ini.Serialise();
}

void ExpectReadError(const ProjectReadResult& r, const std::string& detail) {
    EXPECT_FALSE(r.outcome.Ok);
    ASSERT_EQ(r.outcome.Messages.size(), 1u);
    EXPECT_EQ(r.outcome.Messages[0].Text, "Fehler beim Lesen der Datei " + kPath + ":\n" + detail);
    EXPECT_EQ(r.outcome.Messages[0].Title, "Dateifehler");
    EXPECT_EQ(r.data, Stammdaten{}); // nothing half-loaded
}

TEST(ProjectFile, SavesEveryKeyInOrderAndReadsItBack) {
    test::TempDir dir;
    const std::string path = dir.File("plan.sch");
    DiskFileOps disk;
    ASSERT_TRUE(SaveProject(SampleModel(), path, disk).Ok);
    const std::string bytes = test::ReadFileBytes(path);
    EXPECT_EQ(bytes, Cp(SampleText()));
    EXPECT_NE(bytes.find("Name=M\xFCller\r\n"), std::string::npos);

    const ProjectReadResult r = OpenProject(path, disk);
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_TRUE(r.outcome.Messages.empty());
    EXPECT_EQ(r.data, SampleModel());
    ASSERT_TRUE(SaveProject(r.data, dir.File("again.sch"), disk).Ok);
    EXPECT_EQ(test::ReadFileBytes(dir.File("again.sch")), bytes);
}

// Hour limits, day restrictions, "nur für die Urplan - Erstellung" and special separations are
// kept under their own keys. Without them an upper limit at the 3rd hour read back as a lesson
// fixed to Monday's 3rd hour, and the rest was lost silently.
TEST(ProjectFile, KeepsTheUnitPresetsAndTheSpecialSeparations) {
    Stammdaten d = SampleModel();
    CFachBlock& deutsch = d.FachBloecke[0].Block;
    deutsch.Einheiten[0].Zeitvorgabe = 3; // an upper limit: the hour, not a slot
    deutsch.Einheiten[0].OberesLimit = 1;
    deutsch.Einheiten[0].TagesLimit = 1;
    deutsch.Einheiten[0].Tag = 2;
    deutsch.Einheiten[1].NurUrPlan = 1; // fixed at slot 14 for the initial plan only
    deutsch.SpezialTrennung = 1;
    CKursBlock& rel = d.KursBloecke[0];
    for (auto& l : rel.Lehrer) {
        l.Einheiten[0].Zeitvorgabe = 5;
        l.Einheiten[0].UnteresLimit = 1;
    }
    for (auto& l : rel.Lehrer) { // one lesson: every teacher's unit has the same presets
        l.Einheiten[1].TagesLimit = 1;
        l.Einheiten[1].Tag = 2; // the day of its fixed slot 27
    }
    rel.SpezialTrennung = 0;

    test::TempDir dir;
    DiskFileOps disk;
    const std::string path = dir.File("vorgaben.sch");
    ASSERT_TRUE(SaveProject(d, path, disk).Ok);
    const std::string bytes = test::ReadFileBytes(path);
    EXPECT_NE(bytes.find("Vorgaben=0,1,0,1,2,1,0,0,0,-1,\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Vorgaben=0,0,1,0,-1,0,0,0,1,2,0,0,1,0,-1,0,0,0,1,2,\r\n"),
              std::string::npos);
    const ProjectReadResult r = OpenProject(path, disk);
    ASSERT_TRUE(r.outcome.Ok) << r.outcome.Messages.front().Text;
    EXPECT_EQ(r.data, d);

    // A school without any of them is written without the keys, byte for byte as before.
    ASSERT_TRUE(SaveProject(SampleModel(), dir.File("ohne.sch"), disk).Ok);
    EXPECT_EQ(test::ReadFileBytes(dir.File("ohne.sch")), Cp(SampleText()));
}

// The settings of the dialogs that the first format left out: without these keys a teacher or
// class taken out of the optimisation, the tendency to free days and a class room's release for
// the class's own courses were lost on saving.
TEST(ProjectFile, KeepsOptimisationFlagsAndTheClassRoomsRelease) {
    Stammdaten d = SampleModel();
    d.Lehrer[1].Opti = 0;
    d.Lehrer[0].TendenzZuFreienTagen = 1;
    d.Klassen[1].Opti = 0;
    d.Raeume[0].KlassenKursFreigabe = 1;
    test::TempDir dir;
    DiskFileOps disk;
    ASSERT_TRUE(SaveProject(d, dir.File("flags.sch"), disk).Ok);
    const std::string bytes = test::ReadFileBytes(dir.File("flags.sch"));
    EXPECT_NE(bytes.find("KlassenKursFreigabe=1\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("TendenzZuFreienTagen=1\r\n"), std::string::npos);
    const ProjectReadResult r = OpenProject(dir.File("flags.sch"), disk);
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.data, d);
}

// A teacher marked absent for substitution planning stays absent after saving and reading; a
// school without absences is written without the key.
TEST(ProjectFile, KeepsTheAbsenceOfATeacher) {
    Stammdaten d = SampleModel();
    d.Lehrer[1].NichtVerfuegbar = 1;
    test::TempDir dir;
    DiskFileOps disk;
    ASSERT_TRUE(SaveProject(d, dir.File("abwesend.sch"), disk).Ok);
    const std::string bytes = test::ReadFileBytes(dir.File("abwesend.sch"));
    EXPECT_NE(bytes.find("NichtVerfuegbar=1\r\n"), std::string::npos);
    const ProjectReadResult r = OpenProject(dir.File("abwesend.sch"), disk);
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.data, d);
    EXPECT_EQ(r.data.Lehrer[0].NichtVerfuegbar, 0);

    d.Lehrer[1].NichtVerfuegbar = 0;
    ASSERT_TRUE(SaveProject(d, dir.File("da.sch"), disk).Ok);
    EXPECT_EQ(test::ReadFileBytes(dir.File("da.sch")), Cp(SampleText()));
}

TEST(ProjectFile, RefusesADamagedAbsence) {
    ExpectReadError(OpenText(SampleWith("Lehrer_1", "NichtVerfuegbar", "2")),
                    "Abschnitt [Lehrer_1], Schlüssel NichtVerfuegbar: \"2\" liegt nicht im "
                    "Bereich 0 bis 1.");
    ExpectReadError(OpenText(SampleWith("Lehrer_0", "NichtVerfuegbar", "ja")),
                    "Abschnitt [Lehrer_0], Schlüssel NichtVerfuegbar: \"ja\" liegt nicht im "
                    "Bereich 0 bis 1.");
    const ProjectReadResult null = OpenText(SampleWith("Lehrer_0", "NichtVerfuegbar", "0"));
    ASSERT_TRUE(null.outcome.Ok);
    EXPECT_EQ(null.data, SampleModel());
}

TEST(ProjectFile, RefusesDamagedPresets) {
    ExpectReadError(OpenText(SampleWith("FachBlock_0", "Vorgaben", "0,1,0,0,9,0,0,0,0,-1,")),
                    "Abschnitt [FachBlock_0], Schlüssel Vorgaben: \"9\" ist kein gültiger Tag "
                    "(-1 bis 6).");
    const ProjectReadResult kurz = OpenText(SampleWith("KursBlock_0", "Vorgaben", "0,0,0,0,-1,"));
    EXPECT_FALSE(kurz.outcome.Ok);
    EXPECT_EQ(kurz.data, Stammdaten{});
    const ProjectReadResult gruppe = OpenText(SampleWith("FachBlock_0", "SpezialTrennung", "2"));
    EXPECT_FALSE(gruppe.outcome.Ok);
    EXPECT_NE(gruppe.outcome.Messages.front().Text.find("SpezialTrennung"), std::string::npos);
    EXPECT_EQ(gruppe.data, Stammdaten{});
}

TEST(ProjectFile, SparseFileRoundTripsByteForByte) {
    // No subjects (so no [Faecher]), a full week, names with blanks and umlauts, locks at hour 0
    // and on the days beyond Tage.
    const std::string text = Lines({"[AllgemeineAngaben]",
                                    "RaumNo=0",
                                    "LehrerNo=1",
                                    "KlassenNo=1",
                                    "FaecherNo=0",
                                    "KursBlockNo=0",
                                    "FachBlockNo=0",
                                    "Tage=7",
                                    "Stunden=12",
                                    "Nullte=0",
                                    "[Lehrer_0]",
                                    "Name=Anna Maria Öztürk",
                                    "Kurz= AÖ ",
                                    "FaecherNo=0",
                                    "Faecher=",
                                    "KlassenLehrer=0",
                                    "Klasse=",
                                    "Sperre=" + Locks({13, 78, 85}),
                                    "[Klasse_0]",
                                    "Name=Klasse 5 ä",
                                    "Sperre=" + Locks({0, 65, 90})});
    FakeFs fs;
    fs.files[kPath] = Cp(text);
    const ProjectReadResult r = OpenProject(kPath, fs);
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_TRUE(r.data.Faecher.empty());
    EXPECT_EQ(r.data.Lehrer[0].Kurz, " AÖ ");
    EXPECT_EQ(r.data.Angaben.TagNamen.size(), 7u);
    EXPECT_FALSE(r.data.Angaben.Nullte);
    ASSERT_TRUE(SaveProject(r.data, "/neu.sch", fs).Ok);
    EXPECT_EQ(fs.files["/neu.sch"], Cp(text));
}

TEST(ProjectFile, BackupNames) {
    EXPECT_EQ(BackupPath("/schule/plan.alt.sch"), "/schule/secu_plan");
    EXPECT_EQ(BackupPath("a.b/plan"), "a.b/secu_plan");
    EXPECT_EQ(BackupPath("C:\\Schule\\plan.sch"), "C:\\Schule\\secu_plan");
    EXPECT_EQ(BackupPath("plan.sch"), "secu_plan");

    test::TempDir dir;
    DiskFileOps disk;
    test::WriteFileBytes(dir.File("plan.alt.sch"), "alt");
    ASSERT_TRUE(SaveProject(SampleModel(), dir.File("plan.alt.sch"), disk).Ok);
    EXPECT_EQ(test::ReadFileBytes(dir.File("secu_plan")), "alt");
    ASSERT_TRUE(SaveProject(SampleModel(), dir.File("ohnepunkt"), disk).Ok);
    EXPECT_EQ(test::ReadFileBytes(dir.File("secu_ohnepunkt")), ""); // new file: empty backup
    EXPECT_EQ(test::ReadFileBytes(dir.File("ohnepunkt")), Cp(SampleText()));
}

TEST(ProjectFile, LenientReadingRules) {
    // A room without subjects is Universal whatever its stored type says.
    auto r = OpenText(SampleWith("Raum_1", "FachTyp", "0,0,1,"));
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.data.Raeume[1].FachTyp, (std::array<Flag, 3>{1, 0, 0}));
    // A missing room count of subjects reads as -1: no subjects, the type is read.
    r = OpenText(ReplaceAll(SampleText(), "FaecherNo=1\r\n", ""));
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_TRUE(r.data.Raeume[0].Faecher.empty());
    EXPECT_EQ(r.data.Raeume[0].FachTyp, (std::array<Flag, 3>{0, 1, 0}));
    // Class lock cells that are no number count as free; counts cut their fraction.
    r = OpenText(SampleWith("Klasse_1", "Sperre", "x,1," + Locks({}).substr(4)));
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.data.Klassen[1].Sperre[0], 0);
    EXPECT_EQ(r.data.Klassen[1].Sperre[1], 1);
    r = OpenText(SampleWith("AllgemeineAngaben", "KlassenNo", "2.9"));
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.data.Klassen.size(), 2u);
    // Nullte is on unless it is the number 0.
    EXPECT_TRUE(OpenText(ReplaceAll(SampleText(), "Nullte=1\r\n", "")).data.Angaben.Nullte);
    EXPECT_FALSE(OpenText(SampleWith("AllgemeineAngaben", "Nullte", "0.0")).data.Angaben.Nullte);
    // A block without teachers carries no class list; its classes are not read.
    r = OpenText(SampleWith("KursBlock_1", "KlassenNo", "2"));
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_TRUE(r.data.KursBloecke[1].Klassen.empty());
}

TEST(ProjectFile, InvalidOrUnreadableFileKeepsNothing) {
    const auto r = OpenText("Das ist keine Schuldatei.\r\n[Irgendwas]\r\nA=1\r\n");
    EXPECT_FALSE(r.outcome.Ok);
    EXPECT_EQ(r.outcome.Messages.at(0),
              (Message{"Die Datei" + kPath + "\nist keine gültige Datei.", "Dateifehler"}));
    EXPECT_EQ(r.data, Stammdaten{});
    FakeFs empty;
    const auto missing = OpenProject(kPath, empty);
    EXPECT_FALSE(missing.outcome.Ok);
    EXPECT_EQ(missing.outcome.Messages.at(0),
              (Message{"Die Datei " + kPath +
                           "\nkann nicht gelesen werden.\nDie Datei ist nicht vorhanden.",
                       "Dateifehler"}));
}

TEST(ProjectFile, ShortListIsAnError) {
    // "A,B" with count 2: the split rule gives A and an empty item; the reader refuses.
    IniFile ini = IniFile::Parse(SampleText());
    ini.SetString("AllgemeineAngaben", "FaecherNo", "2");
    ini.SetString("Faecher", "Faecher", "A,B");
    ExpectReadError(
        OpenText(ini.Serialise()),
        "Abschnitt [Faecher], Schlüssel Faecher: Die Liste hat weniger als 2 Einträge.");
    ExpectReadError(
        OpenText(ReplaceAll(SampleText(), "[Faecher]\r\nFaecher=Deutsch,Mathe,Sport,\r\n", "")),
        "Abschnitt [Faecher], Schlüssel Faecher: Die Liste hat weniger als 3 Einträge.");
}

struct BadRead {
    std::string section, key, value; // an empty section: replace the text `key` by `value`
    std::string detail;
};

TEST(ProjectFile, RefusesContentThatDoesNotHoldTogether) {
    const std::string free = Locks({});
    const BadRead rows[] = {
        {"Lehrer_0", "Sperre", "x," + free.substr(2),
         "Abschnitt [Lehrer_0], Schlüssel Sperre: \"x\" ist keine ganze Zahl."},
        {"Raum_1", "Sperre", "0,1.5," + free.substr(4),
         "Abschnitt [Raum_1], Schlüssel Sperre: \"1.5\" ist keine ganze Zahl."},
        {"Lehrer_1", "Sperre", free.substr(2),
         "Abschnitt [Lehrer_1], Schlüssel Sperre: Die Liste hat weniger als 91 Einträge."},
        {"FachBlock_0", "Einheiten", "2,-1,R12,x,14,,",
         "Abschnitt [FachBlock_0], Schlüssel Einheiten: \"x\" ist keine ganze Zahl."},
        {"FachBlock_0", "Einheiten", "0,-1,R12,1,14,,",
         "Abschnitt [FachBlock_0], Schlüssel Einheiten: \"0\" ist keine gültige Länge einer "
         "Einheit."},
        {"FachBlock_0", "Einheiten", "2,91,R12,1,14,,",
         "Abschnitt [FachBlock_0], Schlüssel Einheiten: \"91\" ist keine gültige Zeitvorgabe (-1 "
         "bis 90)."},
        {"FachBlock_0", "Einheiten", "2,-1,R12,1,14,",
         "Abschnitt [FachBlock_0], Schlüssel Einheiten: Die Liste hat weniger als 6 Einträge."},
        {"KursBlock_0", "Einheiten", "2,-2,1,27,",
         "Abschnitt [KursBlock_0], Schlüssel Einheiten: \"-2\" ist keine gültige Zeitvorgabe (-1 "
         "bis 90)."},
        {"KursBlock_0", "Raeume", "R1,R12,,",
         "Abschnitt [KursBlock_0], Schlüssel Raeume: Die Liste hat weniger als 4 Einträge."},
        {"KursBlock_0", "LehrerNo", "1", ""}, // fewer teachers than listed is fine
        {"AllgemeineAngaben", "RaumNo", "2000000000",
         "Abschnitt [Raum_2] fehlt (RaumNo=2000000000)."},
        {"AllgemeineAngaben", "FachBlockNo", "2", "Abschnitt [FachBlock_1] fehlt (FachBlockNo=2)."},
        {"", "[FachBlock_0]", "[FachBlock]", "Abschnitt [FachBlock_0] fehlt (FachBlockNo=1)."},
        {"AllgemeineAngaben", "LehrerNo", "-1",
         "Abschnitt [AllgemeineAngaben], Schlüssel LehrerNo: \"-1\" ist keine gültige Anzahl."},
        {"Raum_0", "FaecherNo", "-2",
         "Abschnitt [Raum_0], Schlüssel FaecherNo: \"-2\" ist keine gültige Anzahl."},
        {"Lehrer_0", "FaecherNo", "3",
         "Abschnitt [Lehrer_0], Schlüssel Faecher: Die Liste hat weniger als 3 Einträge."},
        {"Raum_0", "KlassenTyp", "0,0",
         "Abschnitt [Raum_0], Schlüssel KlassenTyp: Die Liste hat weniger als 3 Einträge."},
        {"AllgemeineAngaben", "Tage", "8",
         "Abschnitt [AllgemeineAngaben], Schlüssel Tage: \"8\" liegt nicht im Bereich 1 bis 7."},
        {"", "Tage=5\r\n", "", "Abschnitt [AllgemeineAngaben], Schlüssel Tage: Der Wert fehlt."},
        {"AllgemeineAngaben", "Stunden", "13",
         "Abschnitt [AllgemeineAngaben], Schlüssel Stunden: \"13\" liegt nicht im Bereich 1 bis "
         "12."},
        {"AllgemeineAngaben", "Stunden", "acht",
         "Abschnitt [AllgemeineAngaben], Schlüssel Stunden: \"acht\" liegt nicht im Bereich 1 bis "
         "12."},
        {"FachBlock_0", "Lehrer", "Meier",
         "Abschnitt [FachBlock_0], Schlüssel Lehrer: Der Lehrer \"Meier\" ist nicht in der "
         "Lehrerliste."},
        {"FachBlock_0", "Klasse", "7c",
         "Abschnitt [FachBlock_0], Schlüssel Klasse: Die Klasse \"7c\" ist nicht in der "
         "Klassenliste."},
        {"KursBlock_0", "Lehrer", "Müller,Meier,",
         "Abschnitt [KursBlock_0], Schlüssel Lehrer: Der Lehrer \"Meier\" ist nicht in der "
         "Lehrerliste."},
        {"KursBlock_0", "Klassen", "5a,7c,",
         "Abschnitt [KursBlock_0], Schlüssel Klassen: Die Klasse \"7c\" ist nicht in der "
         "Klassenliste."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.section + " " + row.key + "=" + row.value);
        const std::string text = row.section.empty() ? ReplaceAll(SampleText(), row.key, row.value)
                                                     : SampleWith(row.section, row.key, row.value);
        const ProjectReadResult r = OpenText(text);
        if (row.detail.empty())
            EXPECT_TRUE(r.outcome.Ok);
        else
            ExpectReadError(r, row.detail);
    }
}

// Names the plan file cannot hold were read, and presets that can never be met were taken:
// a whole run then failed at the very end or spent all its attempts. Both are refused where
// they enter, with section, key and the character or preset at fault.
TEST(ProjectFile, RefusesNamesNoFileCanHoldAndPresetsThatCanNeverBeMet) {
    const std::string lehrer = "Abschnitt [Lehrer_1], Schlüssel Name: Der Lehrer ";
    const std::string deutsch = "Die 2. Einheit des Unterrichts \"Müller / 5a / Deutsch\" ";
    const BadRead rows[] = {
        {"Lehrer_1", "Name", "Anna\u00A0Schmidt",
         lehrer + "\"Anna\u00A0Schmidt\" enthält an der 5. Stelle ein geschütztes Leerzeichen "
                  "(U+00A0)."},
        {"Lehrer_1", "Name", "Sch%%midt",
         lehrer + "\"Sch%%midt\" enthält an der 4. Stelle \"%%\", das in den Dateien für ein "
                  "Leerzeichen steht."},
        {"Lehrer_1", "Name", "_",
         lehrer + "\"_\" ist \"_\", das Zeichen der Dateien für einen leeren Text."},
        {"Faecher", "Faecher", "Deutsch,Ma\u00A0the,Sport,",
         "Abschnitt [Faecher], Schlüssel Faecher: Das Fach \"Ma\u00A0the\" enthält an der 3. "
         "Stelle ein geschütztes Leerzeichen (U+00A0)."},
        {"FachBlock_0", "Einheiten", "2,-1,R12,1,79,,",
         "Abschnitt [FachBlock_0], Schlüssel Einheiten: " + deutsch +
             "ist am 7. Tag fest; die Woche hat nur 5 Tage."},
        {"FachBlock_0", "Einheiten", "2,-1,R12,1,10,,",
         "Abschnitt [FachBlock_0], Schlüssel Einheiten: " + deutsch +
             "ist in der 10. Stunde fest; der Tag hat nur die Stunden 0 bis 8."},
        {"FachBlock_0", "Vorgaben", "0,0,0,0,-1,0,0,0,1,-1,",
         "Abschnitt [FachBlock_0], Schlüssel Vorgaben: " + deutsch +
             "ist auf einen Tag eingeschränkt, nennt aber keinen (Tag -1)."},
        {"FachBlock_0", "Vorgaben", "0,0,0,1,5,0,0,0,0,-1,",
         "Abschnitt [FachBlock_0], Schlüssel Vorgaben: Die 1. Einheit des Unterrichts \"Müller / "
         "5a / Deutsch\" ist auf den 6. Tag eingeschränkt; die Woche hat nur 5 Tage."},
        {"KursBlock_0", "Vorgaben", "0,0,0,1,0,0,0,0,0,-1,0,0,0,1,1,0,0,0,0,-1,",
         "Abschnitt [KursBlock_0], Schlüssel Vorgaben: Die 1. Einheit des Lehrers \"Schmidt\" im "
         "Kurs \"Religion\" weicht in der Einschränkung auf einen Tag von der des Lehrers "
         "\"Müller\" ab; die Einheiten eines Kurses liegen stets zur selben Zeit."},
        {"FachBlock_0", "SpezialTrennung", "abc",
         "Abschnitt [FachBlock_0], Schlüssel SpezialTrennung: \"abc\" ist keine ganze Zahl."},
        {"KursBlock_0", "SpezialTrennung", "",
         "Abschnitt [KursBlock_0], Schlüssel SpezialTrennung: \"\" ist keine ganze Zahl."},
        {"FachBlock_0", "SpezialTrennung", "1", ""},
        {"FachBlock_0", "Vorgaben", "0,0,0,1,4,1,0,0,1,1,", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.section + " " + row.key + "=" + row.value);
        const ProjectReadResult r = OpenText(SampleWith(row.section, row.key, row.value));
        if (row.detail.empty())
            EXPECT_TRUE(r.outcome.Ok) << r.outcome.Messages.front().Text;
        else
            ExpectReadError(r, row.detail);
    }
}

// Day names typed in the general settings were lost when the school was saved and opened again.
// They are kept under "TagNamen", written only when they differ from the defaults.
TEST(ProjectFile, KeepsTheSchoolsOwnDayNames) {
    test::TempDir dir;
    DiskFileOps disk;
    Stammdaten d = SampleModel();
    d.Angaben.Tage = 7;
    d.Angaben.TagNamen = AllgemeineAngaben::DefaultDayNames(7);
    ASSERT_TRUE(SaveProject(d, dir.File("a.sch"), disk).Ok);
    EXPECT_EQ(test::ReadFileBytes(dir.File("a.sch")).find("TagNamen"), std::string::npos);
    ProjectReadResult r = OpenProject(dir.File("a.sch"), disk);
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.data.Angaben.TagNamen[6], "Sonntag");

    d.Angaben.TagNamen = {"Mo", "Di", "Mi", "Do", "Fr", "", "Tag der offenen Tür"};
    ASSERT_TRUE(SaveProject(d, dir.File("b.sch"), disk).Ok);
    EXPECT_NE(test::ReadFileBytes(dir.File("b.sch"))
                  .find("Nullte=1\r\nTagNamen=Mo,Di,Mi,Do,Fr,Samstag,Tag der offenen T\xFCr,\r\n"),
              std::string::npos);
    r = OpenProject(dir.File("b.sch"), disk);
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(
        TagNamenDerWoche(r.data.Angaben),
        (std::vector<std::string>{"Mo", "Di", "Mi", "Do", "Fr", "Samstag", "Tag der offenen Tür"}));
    ExpectReadError(OpenText(SampleWith("AllgemeineAngaben", "TagNamen", "Mo,Di,Mi,Do,")),
                    "Abschnitt [AllgemeineAngaben], Schlüssel TagNamen: Die Liste hat weniger als "
                    "5 Einträge.");
}

struct BadData {
    void (*change)(Stammdaten&);
    std::string problem;
};

TEST(ProjectFile, RefusesDataTheFileCannotCarry) {
    const BadData rows[] = {
        {[](Stammdaten& d) { d.Lehrer[0].Name = "A,B"; },
         "Der Name \"A,B\" (Lehrer) enthält an der 2. Stelle ein Komma."},
        {[](Stammdaten& d) { d.Lehrer[1].Faecher = {"Deutsch,Mathe"}; },
         "Das Fach \"Deutsch,Mathe\" (Lehrer \"Schmidt\") enthält an der 8. Stelle ein Komma."},
        {[](Stammdaten& d) { d.Raeume[0].Kurz = "Raum\n12"; },
         "Das Kürzel \"Raum\\x0A12\" (Raum \"R12\") enthält an der 5. Stelle ein Steuerzeichen "
         "(U+000A)."},
        {[](Stammdaten& d) { d.Lehrer[1].Kurz = "S\u0085"; },
         "Das Kürzel \"S\\x85\" (Lehrer \"Schmidt\") enthält an der 2. Stelle ein Steuerzeichen "
         "(U+0085)."},
        {[](Stammdaten& d) { d.Faecher[2] = "Sport Ω"; },
         "Der Name \"Sport Ω\" (Fach) enthält an der 7. Stelle das Zeichen \"Ω\" (U+03A9), das es "
         "in Windows-1252 nicht gibt."},
        {[](Stammdaten& d) { d.FachBloecke[0].Block.Einheiten[0].Raum = "R1,2"; },
         "Der Raum \"R1,2\" (Unterricht \"Müller / 5a / Deutsch\") enthält an der 3. Stelle ein "
         "Komma."},
        {[](Stammdaten& d) { d.KursBloecke[0].Klassen[1] = "Łódź"; },
         "Die Klasse \"Łódź\" (Kurs \"Religion\") enthält an der 1. Stelle das Zeichen \"Ł\" "
         "(U+0141), das es in Windows-1252 nicht gibt."},
        {[](Stammdaten& d) { d.Angaben.Tage = 0; },
         "Die Zahl der Unterrichtstage (0) liegt nicht zwischen 1 und 7."},
        {[](Stammdaten& d) { d.Angaben.Stunden = 13; },
         "Die Zahl der Stunden pro Tag (13) liegt nicht zwischen 1 und 12."},
        {[](Stammdaten& d) { d.FachBloecke[0].Block.Einheiten[1].Laenge = 0; },
         "Eine Einheit (Unterricht \"Müller / 5a / Deutsch\") hat die ungültige Länge 0."},
        {[](Stammdaten& d) { d.KursBloecke[0].Lehrer[1].Einheiten[0].Zeitvorgabe = 91; },
         "Eine Einheit (Kurs \"Religion\") hat die ungültige Zeitvorgabe 91."},
        {[](Stammdaten& d) { d.KursBloecke[0].Lehrer[1].Einheiten.pop_back(); },
         "Die Lehrer des Kurses \"Religion\" haben nicht dieselben Einheiten (Anzahl, Längen und "
         "Zeitvorgaben)."},
        {[](Stammdaten& d) { d.KursBloecke[0].Faecher.pop_back(); },
         "Der Kurs \"Religion\" hat nicht für jeden Lehrer genau ein Fach."},
        {[](Stammdaten& d) { d.KursBloecke[0].Lehrer[1].Name = "Meier"; },
         "Der Lehrer \"Meier\" (Kurs \"Religion\") ist nicht in der Lehrerliste."},
        {[](Stammdaten& d) { d.FachBloecke[0].Block.Klasse = "7c"; },
         "Die Klasse \"7c\" (Unterricht \"Müller / 5a / Deutsch\") ist nicht in der "
         "Klassenliste."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.problem);
        Stammdaten d = SampleModel();
        row.change(d);
        FakeFs fs;
        fs.files[kPath] = "alt";
        const Outcome out = SaveProject(d, kPath, fs);
        EXPECT_FALSE(out.Ok);
        EXPECT_EQ(out.Messages, (std::vector<Message>{
                                    {"Die Daten können nicht gespeichert werden:\n" + row.problem,
                                     "Dateifehler"}}));
        EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{kPath, "alt"}})); // no backup
    }
    // A comma is harmless where no list holds the text.
    Stammdaten d = SampleModel();
    d.Lehrer[0].Kurz = "M,ü";
    d.KursBloecke[0].Name = "Reli, kath.";
    FakeFs fs;
    EXPECT_TRUE(SaveProject(d, kPath, fs).Ok);
}

TEST(ProjectFile, FailedSaveLeavesTheOldFileOrNothing) {
    const std::string sample = Cp(SampleText());
    // Each message ends with the reason on a line of its own.
    const std::string failed =
        "Fehler beim Speichern der Datei:\n" + kPath + "\nDatei konnte nicht erzeugt werden.\n";
    const std::string created = failed + "Der Zugriff ist nicht erlaubt (fehlende Berechtigung).";
    const std::string full = failed + "Auf dem Datenträger ist kein Platz mehr frei.";
    const std::string io = "Der Datenträger meldet einen Ein-/Ausgabefehler.";
    const std::string serious = "Ein schwerwiegender Fehler ist aufgetreten.\nEs wird empfohlen, "
                                "die Daten unter einem neuen Dateinamen abzuspeichern\n"
                                "Sicherheitskopie " +
                                kBackup + ": " + io;
    using Files = std::map<std::string, std::string>;
    struct Row {
        bool exists;
        void (*setup)(FakeFs&);
        std::vector<std::string> messages;
        Files after;
    };
    const Row rows[] = {
        {true, [](FakeFs& f) { f.failCopyTo = kBackup; }, {serious}, {{kPath, "alt"}}},
        {true, [](FakeFs& f) { f.failWrite = true; }, {full}, {{kPath, "alt"}, {kBackup, "alt"}}},
        {true,
         [](FakeFs& f) { f.failWrite = f.writeDestroys = true; },
         {full},
         {{kPath, "alt"}, {kBackup, "alt"}}},
        {true,
         [](FakeFs& f) {
             f.failWrite = f.writeDestroys = true;
             f.failCopyTo = kPath;
         },
         {full, "Ein schwerwiegender Fehler ist aufgetreten.\n\nEs wurde eine "
                "Sicherheitskopie der Datei erstellt:\n" +
                    kBackup + "\n" + io},
         {{kBackup, "alt"}}},
        {true, [](FakeFs&) {}, {}, {{kPath, sample}, {kBackup, "alt"}}},
        {false, [](FakeFs& f) { f.failCreate = true; }, {created}, {}},
        {false, [](FakeFs& f) { f.failCopyTo = kBackup; }, {serious}, {}},
        {false, [](FakeFs& f) { f.failWrite = true; }, {full}, {{kBackup, ""}}},
        {false, [](FakeFs&) {}, {}, {{kPath, sample}, {kBackup, ""}}},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        FakeFs fs;
        if (rows[i].exists) fs.files[kPath] = "alt";
        rows[i].setup(fs);
        const Outcome out = SaveProject(SampleModel(), kPath, fs);
        EXPECT_EQ(out.Ok, rows[i].messages.empty());
        std::vector<Message> expected;
        for (const auto& text : rows[i].messages)
            expected.push_back({text, "Dateifehler"});
        EXPECT_EQ(out.Messages, expected);
        EXPECT_EQ(fs.files, rows[i].after);
    }
}

TEST(ProjectFile, TruncatedFilesNeverCrash) {
    const std::string full = Cp(SampleText());
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> cut(0, full.size() - 1);
    int refused = 0;
    for (int i = 0; i < 200; ++i) {
        FakeFs fs;
        fs.files[kPath] = full.substr(0, cut(random));
        const ProjectReadResult r = OpenProject(kPath, fs);
        if (r.outcome.Ok) continue;
        ++refused;
        ASSERT_EQ(r.outcome.Messages.size(), 1u);
        EXPECT_EQ(r.outcome.Messages[0].Title, "Dateifehler");
        EXPECT_EQ(r.data, Stammdaten{});
    }
    EXPECT_GT(refused, 150);
}

} // namespace
} // namespace sw
