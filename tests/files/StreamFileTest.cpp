// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/StreamFile.h"
#include "files/Tokens.h"
#include "model/Cp1252.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace sw {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

constexpr const char* kKeinePlanDatei = "Dies ist keine Plan - Datei!";

LockGrid Locked(std::initializer_list<int> slots) {
    LockGrid g = FreeGrid();
    for (int s : slots)
        g[s] = 1;
    return g;
}

// The grid line as the writer lays it out: 91 flags, each followed by a blank.
std::string GridLine(std::initializer_list<int> slots) {
    const LockGrid g = Locked(slots);
    std::string line;
    for (Flag f : g)
        line += f ? "1 " : "0 ";
    return line;
}

CEinheit Einheit(int laenge, int zeit, std::string raum, Flag nurUr, Flag oben, Flag unten,
                 Flag tages, int tag) {
    CEinheit e(laenge, zeit);
    e.Raum = std::move(raum);
    e.NurUrPlan = nurUr;
    e.OberesLimit = oben;
    e.UnteresLimit = unten;
    e.TagesLimit = tages;
    e.Tag = tag;
    return e;
}

// One of everything, with every field away from its default.
Stammdaten SmallData() {
    Stammdaten d;
    d.Angaben = {2, 3, true, {"Mo", ""}};
    d.Faecher = {"Deutsch"};
    CRaumFach& r = d.Raeume.emplace_back();
    r.Name = "Raum A";
    r.Faecher = {"Deutsch"};
    r.FachTyp = {0, 1, 0};
    r.KlassenKursFreigabe = 1;
    r.KlassenTyp = {0, 0, 1};
    r.Sperre = Locked({0, SlotOf(5, 1)});
    CLehrer& l = d.Lehrer.emplace_back();
    l.Name = "Müller";
    l.Kurz = "Mü";
    l.Faecher = {"Deutsch"};
    l.KlassenLehrer = 1;
    l.Klasse = "5a";
    l.Sperre = Locked({SlotOf(6, 12)});
    l.LetztesSoll = {.MaxProTag = 4, .TageMitMax = 2, .ProdOpt = -3};
    l.Opti = 0;
    l.NichtVerfuegbar = 1;
    l.TendenzZuFreienTagen = 1;
    CKlasse& k = d.Klassen.emplace_back();
    k.Name = "5a";
    k.Sperre = Locked({SlotOf(1, 0)});
    k.LetztesSoll = {
        .StundenLimit = 6, .ProdOpt = 7, .MaxProTag = 8, .MinProTag = 2, .TageMitMax = 1};
    d.AddFachBlock({"Müller",
                    "5a",
                    "Deutsch",
                    3,
                    {Einheit(2, 14, "Raum A", 1, 0, 1, 1, 1), CEinheit(1, kNoSlot)},
                    1,
                    0});
    CKursBlock& kb = d.KursBloecke.emplace_back();
    kb.Name = "Religion";
    kb.Kurz = "Rel";
    kb.Faecher = {"Deutsch"};
    kb.Lehrer = {{"Müller", {CEinheit(1, kNoSlot)}}};
    kb.Klassen = {"5a"};
    kb.BStunden = 1;
    return d;
}

// SmallData() as the file holds it, in Windows-1252 (362 tokens).
std::string SmallFile() {
    const std::vector<std::string> lines = {
        "stamm", "2", "3", "1", "2", "Mo", "_", "1", "Deutsch",
        // room
        "1", "Raum%%A", "_", "1", "Deutsch", "0", "1", "0", "0", "0", "1", "1", "_",
        GridLine({0, 66}),
        // teacher
        "1", "M\xFCller", "M\xFC", "1", "Deutsch", "1", "5a", GridLine({90}), "4", "2", "-3", "0",
        "1", "1",
        // class
        "1", "5a", GridLine({13}), "6", "7", "8", "2", "1", "1",
        // subject block
        "1", "M\xFCller%%/%%5a%%/%%Deutsch", "M\xFCller", "5a", "Deutsch", "1", "0", "3", "2",
        "2 14 Raum%%A", "1", "0", "1", "1", "1", "1 -1 _", "0", "0", "0", "0", "-1",
        // course block
        "1", "Religion", "Rel", "0", "-1", "1", "1", "Deutsch", "1", "M\xFCller", "1", "1 -1 _",
        "0", "0", "0", "0", "-1", "1", "5a"};
    std::string file;
    for (const auto& line : lines)
        file += line + "\r\n";
    return file;
}

// Seven days, twelve hours, blanks and umlauts, locks at hour 0 and on days 5 and 6, a course
// block with several teachers and units, lists left empty.
Stammdaten EdgeData() {
    Stammdaten d;
    d.Angaben = {7, 12, false, {"Montag", "Dienstag", "", "Donnerstag", "Freitag", "", "So"}};
    d.Faecher = {"Bildende Kunst", "Französisch"};
    d.Raeume.resize(2);
    d.Raeume[0].Name = "Chemie Übungsraum";
    d.Raeume[0].Kurz = "Ch Ü";
    d.Raeume[0].Faecher = {"Bildende Kunst"};
    d.Raeume[0].Sperre = Locked({SlotOf(0, 0), SlotOf(5, 3), SlotOf(6, 12)});
    d.Raeume[1].Name = "R 12";
    d.Raeume[1].Klasse = "10 b";
    d.Lehrer.resize(2);
    d.Lehrer[0].Name = "Frau Groß";
    d.Lehrer[0].Faecher = {"Bildende Kunst", "Französisch"};
    d.Lehrer[0].Sperre = Locked({SlotOf(5, 0), SlotOf(6, 1)});
    d.Lehrer[1].Name = "Ø€";
    d.Klassen.resize(2);
    d.Klassen[0].Name = "10 b";
    d.Klassen[0].Sperre = Locked({SlotOf(2, 0)});
    d.Klassen[0].LetztesSoll.StundenLimit = 2147483647;
    d.Klassen[0].LetztesSoll.MinProTag = -2147483647 - 1;
    d.Klassen[1].Name = "Q1";
    d.AddFachBlock({"Frau Groß", "10 b", "Französisch", 4, {CEinheit(4, SlotOf(6, 9))}, 0, -1});
    d.AddFachBlock({"Ø€", "Q1", "", 0, {}, 0, 1});
    d.KursBloecke.resize(2);
    CKursBlock& kb = d.KursBloecke[0];
    kb.Name = "WP Kurs";
    kb.Faecher = {"Bildende Kunst", "Französisch"};
    const CEinheit sa = Einheit(2, SlotOf(5, 2), "R 12", 0, 1, 0, 0, 6);
    CEinheit sb = sa;
    sb.Raum.clear();
    kb.Lehrer = {{"Frau Groß", {sa, CEinheit(1, -1)}}, {"Ø€", {sb, CEinheit(1, -1, 7)}}};
    kb.Klassen = {"10 b", "Q1"};
    kb.BStunden = 3;
    kb.Trennung = 1;
    kb.SpezialTrennung = 0;
    d.KursBloecke[1].Name = "Leer";
    return d;
}

Stammdaten AsRead(Stammdaten d) {
    d.AngabenBestaetigt = true;
    return d;
}

std::vector<std::string> SplitTokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::string current;
    for (char c : text + " ") {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!current.empty()) tokens.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return tokens;
}

std::string JoinTokens(const std::vector<std::string>& tokens) {
    std::string text;
    for (const auto& t : tokens)
        text += t + "\n";
    return text;
}

// SmallFile() with token `position` (1-based) replaced; checks the token it replaces.
std::string Corrupted(int position, const std::string& old, const std::string& with) {
    auto tokens = SplitTokens(SmallFile());
    EXPECT_EQ(tokens.at(position - 1), old) << "token " << position;
    tokens[position - 1] = with;
    return JoinTokens(tokens);
}

StreamReadResult ReadBytes(const TempDir& dir, const std::string& bytes, bool planExpected) {
    const std::string path = dir.File("t.sdt");
    WriteFileBytes(path, bytes);
    DiskFileOps files;
    return ReadStreamFile(path, files, planExpected);
}

std::string ReadFault(const TempDir& dir, const std::string& bytes) {
    const auto r = ReadBytes(dir, bytes, false);
    EXPECT_FALSE(r.outcome.Ok);
    EXPECT_EQ(r.data, Stammdaten{});
    if (r.outcome.Messages.size() != 1) return "<no message>";
    EXPECT_EQ(r.outcome.Messages[0].Title, "Dateifehler");
    return r.outcome.Messages[0].Text;
}

class WriteFailingFileOps : public DiskFileOps {
public:
    FileResult WriteReplacing(const std::string&, std::string_view) override {
        return FileResult::Failed(ENOSPC);
    }
};

TEST(StreamText, EncodingAndWhatCanBeStored) {
    EXPECT_EQ(EncodeText("Raum 12"), "Raum%%12");
    EXPECT_EQ(EncodeText(""), "_");
    EXPECT_EQ(DecodeText("_"), "");
    EXPECT_EQ(DecodeText("a%%%%b"), "a  b");
    for (const char* ok : {"", " ", " %", "a%", "%a", "Größe €", "R 12"})
        EXPECT_TRUE(IsStorableText(ok)) << ok;
    for (const char* bad :
         {"_", "A%%B", "% x", "a% b", "Tab\tx", "Zeile\n", "CR\r", "x\u00A0y", "Łódź", "\xC3"})
        EXPECT_FALSE(IsStorableText(bad)) << bad;
}

TEST(StreamFile, WritesTheExactLayout) {
    TempDir dir;
    const std::string path = dir.File("a.sdt");
    DiskFileOps files;
    const Stammdaten small = SmallData();
    ASSERT_TRUE(WriteStreamFile(small, path, files).Ok);
    EXPECT_EQ(ReadFileBytes(path), SmallFile());

    const auto r = ReadStreamFile(path, files, false);
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.header, "stamm");
    EXPECT_EQ(r.data, AsRead(small));
    EXPECT_EQ(r.data.FachBloecke[0].Key, "Müller / 5a / Deutsch");
    EXPECT_EQ(r.data.Raeume[0].Name, "Raum A"); // two words, one token
    EXPECT_EQ(r.data.Raeume[0].Klasse, "");     // "_"
    EXPECT_EQ(r.data.Angaben.TagNamen[1], "");  // "_"
}

TEST(StreamFile, ByteIdenticalRoundTrips) {
    TempDir dir;
    DiskFileOps files;
    Stammdaten empty;
    empty.Angaben = {1, 1, false, {}};
    for (const Stammdaten& data : {EdgeData(), Stammdaten{}, empty, SmallData()}) {
        const std::string first = dir.File("first.sdt"), second = dir.File("second.sdt");
        ASSERT_TRUE(WriteStreamFile(data, first, files).Ok);
        const auto r = ReadStreamFile(first, files, false);
        ASSERT_TRUE(r.outcome.Ok);
        EXPECT_EQ(r.data, AsRead(data));
        ASSERT_TRUE(WriteStreamFile(r.data, second, files).Ok);
        EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(second));
    }
    EXPECT_EQ(ReadFileBytes(dir.File("first.sdt")), SmallFile());

    ASSERT_TRUE(WriteStreamFile(EdgeData(), dir.File("edge.sdt"), files).Ok);
    const std::string bytes = ReadFileBytes(dir.File("edge.sdt"));
    EXPECT_NE(bytes.find("\r\nFrau%%Gro\xDF\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nChemie%%\xDC"
                         "bungsraum\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find("\r\n\xD8\x80\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nFrau%%Gro\xDF%%/%%10%%b%%/%%Franz\xF6sisch\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n1 -1 7\r\n"), std::string::npos); // unit room from a number

    Stammdaten empties;
    ASSERT_TRUE(WriteStreamFile(empties, dir.File("e.sdt"), files).Ok);
    EXPECT_EQ(ReadFileBytes(dir.File("e.sdt")),
              "stamm\r\n5\r\n8\r\n0\r\n5\r\nMontag\r\nDienstag\r\n"
              "Mittwoch\r\nDonnerstag\r\nFreitag\r\n"
              "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
}

// Any white space separates tokens. Only a plan file goes on after the master data: text after
// the end of a master-data file is damage, not something to skip.
TEST(StreamFile, ReaderTakesAnyWhiteSpaceButNoTrailingTokens) {
    TempDir dir;
    std::string loose;
    for (const auto& t : SplitTokens(SmallFile()))
        loose += " \t" + t + "\n\n";
    auto r = ReadBytes(dir, loose, false);
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.data, AsRead(SmallData()));
    r = ReadBytes(dir, loose + "noch etwas 17", false);
    ASSERT_FALSE(r.outcome.Ok);
    EXPECT_EQ(r.outcome.Messages.at(0).Text, "Fehler beim Lesen der Datei " + dir.File("t.sdt") +
                                                 ":\nWort 363: Nach dem Ende der Stammdaten "
                                                 "folgt noch Text.");
    EXPECT_EQ(r.data, Stammdaten());
    // A plan file read as a master-data file: the reader stands at its plan section.
    std::string plan = loose;
    plan.replace(plan.find("stamm"), 5, "plan");
    r = ReadBytes(dir, plan + "noch etwas 17", false);
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.rest.ReadWord(), "noch");
}

TEST(StreamFile, HeaderWord) {
    TempDir dir;
    auto r = ReadBytes(dir, SmallFile(), true);
    ASSERT_FALSE(r.outcome.Ok);
    ASSERT_EQ(r.outcome.Messages.size(), 1u);
    EXPECT_EQ(r.outcome.Messages[0].Text, kKeinePlanDatei);
    EXPECT_EQ(r.outcome.Messages[0].Title, "Datei - Fehler");
    EXPECT_EQ(r.data, Stammdaten{});

    for (const char* header : {"plan", "irgendwas"}) {
        r = ReadBytes(dir, Corrupted(1, "stamm", header), false);
        ASSERT_TRUE(r.outcome.Ok) << header;
        EXPECT_EQ(r.header, header);
        EXPECT_TRUE(r.data.AngabenBestaetigt);
    }
}

TEST(StreamFile, PlanSectionFollowsTheMasterData) {
    TempDir dir;
    DiskFileOps files;
    const std::string path = dir.File("p.pdt");
    const auto section = [](TokenWriter& out) {
        out.AppendInt(42);
        out.AppendInt(-1);
        out.EndLine();
    };
    ASSERT_TRUE(WriteStreamFile(SmallData(), path, files, kPlanKopf, section).Ok);
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.substr(0, 6), "plan\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 9), "\r\n42 -1\r\n");

    auto r = ReadStreamFile(path, files, true);
    ASSERT_TRUE(r.outcome.Ok);
    EXPECT_EQ(r.data, AsRead(SmallData()));
    EXPECT_EQ(r.rest.Position(), 362);
    EXPECT_EQ(r.rest.ReadInt(), 42);
    EXPECT_EQ(r.rest.ReadInt(), -1);
    EXPECT_TRUE(r.rest.Ok());
    r.rest.ReadInt();
    EXPECT_EQ(r.rest.Result().Messages.at(0).Text,
              "Fehler beim Lesen der Datei " + path + ":\nWort 365: unerwartetes Dateiende.");
}

TEST(StreamFile, ReadFaultsNameFileAndToken) {
    TempDir dir;
    const std::string prefix = "Fehler beim Lesen der Datei " + dir.File("t.sdt") + ":\n";
    struct Case {
        int position;
        std::string old, with, message;
    };
    const std::string longToken(60, 'x');
    const std::vector<Case> cases = {
        {2, "2", "8", "Wort 2: \"8\" ist keine gültige Anzahl an Unterrichtstagen (1 bis 7)."},
        {2, "2", "0", "Wort 2: \"0\" ist keine gültige Anzahl an Unterrichtstagen (1 bis 7)."},
        {3, "3", "13", "Wort 3: \"13\" ist keine gültige Anzahl an Stunden pro Tag (1 bis 12)."},
        {3, "3", "3.5", "Wort 3: \"3.5\" ist keine ganze Zahl."},
        {4, "1", "2", "Wort 4: \"2\" ist weder 0 noch 1."},
        {5, "2", "-1", "Wort 5: \"-1\" ist keine gültige Anzahl."},
        {10, "1", "4", "Wort 10: \"4\" ist keine gültige Anzahl."}, // 4 rooms cannot fit
        {10, "1", "99999999999", "Wort 10: \"99999999999\" ist zu groß."},
        {100, "0", "X", "Wort 100: \"X\" ist weder 0 noch 1."},
        {212, "4", longToken, "Wort 212: \"" + std::string(40, 'x') + "…\" ist keine ganze Zahl."},
        {319, "M\xFCller", "Frau%%Meier",
         "Wort 319: Der Lehrer \"Frau Meier\" steht nicht in der Lehrerliste."},
        {320, "5a", "_", "Wort 320: Die Klasse \"\" steht nicht in der Klassenliste."},
        {326, "2", "0",
         "Wort 326: \"0\" ist keine gültige Länge einer Einheit (1 bis 4, die Stunden eines "
         "Tages)."},
        {326, "2", "5",
         "Wort 326: \"5\" ist keine gültige Länge einer Einheit (1 bis 4, die Stunden eines "
         "Tages)."},
        {327, "14", "91", "Wort 327: \"91\" ist keine gültige Zeitvorgabe (-1 bis 90)."},
        {335, "-1", "-2", "Wort 335: \"-2\" ist keine gültige Zeitvorgabe (-1 bis 90)."},
        {351, "M\xFCller", "Mu", "Wort 351: Der Lehrer \"Mu\" steht nicht in der Lehrerliste."},
        {362, "5a", "5b", "Wort 362: Die Klasse \"5b\" steht nicht in der Klassenliste."},
        // Names every file can hold; presets that can be met.
        {115, "M\xFCller", "M,ller",
         "Wort 115: Der Lehrer \"M,ller\" enthält an der 2. Stelle ein "
         "Komma."},
        {323, "0", "1",
         "Wort 323: \"1\" ist keine gültige Spezial-Trennung (-1 für keine oder eine "
         "Klassennummer bis 0)."},
        {333, "1", "2",
         "Wort 326: Die 1. Einheit des Unterrichts \"Müller / 5a / Deutsch\" ist auf den 3. Tag "
         "eingeschränkt; die Woche hat nur 2 Tage."},
        {335, "-1", "30",
         "Wort 334: Die 2. Einheit des Unterrichts \"Müller / 5a / Deutsch\" ist am 3. Tag fest; "
         "die Woche hat nur 2 Tage."},
        {341, "-1", "9", "Wort 341: \"9\" ist kein gültiger Tag (-1 bis 6)."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadFault(dir, Corrupted(c.position, c.old, c.with)), prefix + c.message);

    // Cut files: a count the rest cannot hold is caught at the count, else at the end.
    const auto firstTokens = [](std::size_t n) {
        auto tokens = SplitTokens(SmallFile());
        tokens.resize(n);
        return JoinTokens(tokens);
    };
    EXPECT_EQ(ReadFault(dir, firstTokens(361)),
              prefix + "Wort 361: \"1\" ist keine gültige Anzahl.");
    EXPECT_EQ(ReadFault(dir, firstTokens(360)), prefix + "Wort 361: unerwartetes Dateiende.");
    EXPECT_EQ(ReadFault(dir, firstTokens(3)), prefix + "Wort 4: unerwartetes Dateiende.");
    EXPECT_EQ(ReadFault(dir, " \r\n"), prefix + "Wort 1: unerwartetes Dateiende.");

    DiskFileOps files;
    const auto missing = ReadStreamFile(dir.File("fehlt.sdt"), files, true);
    ASSERT_FALSE(missing.outcome.Ok);
    EXPECT_EQ(missing.outcome.Messages.at(0).Text, "Fehler beim Lesen der Datei " +
                                                       dir.File("fehlt.sdt") +
                                                       ":\nDie Datei kann nicht geöffnet werden."
                                                       "\nDie Datei ist nicht vorhanden.");
}

TEST(StreamFile, FailedReadLeavesTheModelAlone) {
    Stammdaten model = EdgeData();
    TokenReader in(Cp1252ToUtf8(Corrupted(362, "5a", "5b")), "x.sdt");
    in.ReadWord();
    EXPECT_FALSE(ReadStammdatenPart(in, model).Ok);
    EXPECT_EQ(model, EdgeData());
}

TEST(StreamFile, WriterRefusesWhatItCannotReadBack) {
    TempDir dir;
    DiskFileOps files;
    const std::string path = dir.File("alt.sdt");
    WriteFileBytes(path, "alter Inhalt");
    const std::string prefix = "Die Daten können nicht gespeichert werden:\n";
    struct Case {
        void (*change)(Stammdaten&);
        std::string message;
    };
    const std::vector<Case> cases = {
        {[](Stammdaten& d) { d.Raeume[0].Name = "A%%B"; },
         "Der Name \"A%%B\" (Raum) enthält an der 2. Stelle \"%%\", das in den Dateien für ein "
         "Leerzeichen steht."},
        {[](Stammdaten& d) { d.Raeume[0].Kurz = "a% b"; },
         "Das Kürzel \"a% b\" (Raum \"Raum A\") enthält an der 2. Stelle ein \"%\" vor einem "
         "Leerzeichen, das in den Dateien mit dessen \"%%\" verschmilzt."},
        {[](Stammdaten& d) { d.Faecher[0] = "Sport\tHalle"; },
         "Der Name \"Sport\\x09Halle\" (Fach) enthält an der 6. Stelle ein Steuerzeichen "
         "(U+0009)."},
        {[](Stammdaten& d) { d.Angaben.TagNamen[1] = "Di\r\n"; },
         "Der Tagesname \"Di\\x0D\\x0A\" (Tag 2) enthält an der 3. Stelle ein Steuerzeichen "
         "(U+000D)."},
        {[](Stammdaten& d) { d.Lehrer[0].Kurz = "_"; },
         "Das Kürzel \"_\" (Lehrer \"Müller\") ist \"_\", das Zeichen der Dateien für einen "
         "leeren Text."},
        {[](Stammdaten& d) { d.Lehrer[0].Faecher[0] = "Łacina"; },
         "Der Fachname \"Łacina\" (Lehrer \"Müller\") enthält an der 1. Stelle das Zeichen "
         "\"Ł\" (U+0141), das es in Windows-1252 nicht gibt."},
        {[](Stammdaten& d) { d.Klassen[0].Name = "5\u00A0a"; },
         "Der Name \"5\u00A0a\" (Klasse) enthält an der 2. Stelle ein geschütztes Leerzeichen "
         "(U+00A0)."},
        {[](Stammdaten& d) { d.FachBloecke[0].Key = "a%%b"; },
         "Der Schlüssel \"a%%b\" (Unterricht) enthält an der 2. Stelle \"%%\", das in den "
         "Dateien für ein Leerzeichen steht."},
        {[](Stammdaten& d) { d.FachBloecke[0].Block.Einheiten[0].Raum = "% x"; },
         "Der Raumname \"% x\" (Unterricht \"Müller / 5a / Deutsch\") enthält an der 1. Stelle "
         "ein \"%\" vor einem Leerzeichen, das in den Dateien mit dessen \"%%\" verschmilzt."},
        {[](Stammdaten& d) { d.KursBloecke[0].Kurz = "R\u00A0"; },
         "Das Kürzel \"R\u00A0\" (Kurs \"Religion\") enthält an der 2. Stelle ein geschütztes "
         "Leerzeichen (U+00A0)."},
        {[](Stammdaten& d) { d.Angaben.Tage = 0; },
         "Die Anzahl der Unterrichtstage (0) liegt nicht zwischen 1 und 7."},
        {[](Stammdaten& d) { d.Angaben.Stunden = 13; },
         "Die Anzahl der Stunden pro Tag (13) liegt nicht zwischen 1 und 12."},
        {[](Stammdaten& d) { d.FachBloecke[0].Block.Einheiten[1].Laenge = 0; },
         "Eine Einheit (Unterricht \"Müller / 5a / Deutsch\") hat die ungültige Länge 0."},
        {[](Stammdaten& d) { d.KursBloecke[0].Lehrer[0].Einheiten[0].Zeitvorgabe = 91; },
         "Eine Einheit (Kurs \"Religion\", Lehrer \"Müller\") hat die ungültige Zeitvorgabe 91."},
        {[](Stammdaten& d) { d.FachBloecke[0].Block.Lehrer = "Meier"; },
         "Der Unterricht \"Müller / 5a / Deutsch\" nennt den Lehrer \"Meier\", der nicht in der "
         "Lehrerliste steht."},
        {[](Stammdaten& d) { d.KursBloecke[0].Klassen.push_back("6b"); },
         "Der Kurs \"Religion\" nennt die Klasse \"6b\", die nicht in der Klassenliste steht."},
    };
    for (const auto& c : cases) {
        Stammdaten d = SmallData();
        c.change(d);
        const Outcome o = WriteStreamFile(d, path, files);
        ASSERT_FALSE(o.Ok) << c.message;
        ASSERT_EQ(o.Messages.size(), 1u);
        EXPECT_EQ(o.Messages[0].Text, prefix + c.message);
        EXPECT_EQ(o.Messages[0].Title, "Dateifehler");
        EXPECT_EQ(ReadFileBytes(path), "alter Inhalt");
    }
}

TEST(StreamFile, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("alt.sdt");
    WriteFileBytes(path, "alter Inhalt");
    WriteFailingFileOps files;
    const Outcome o = WriteStreamFile(SmallData(), path, files);
    ASSERT_FALSE(o.Ok);
    ASSERT_EQ(o.Messages.size(), 1u);
    EXPECT_EQ(o.Messages[0].Text,
              "Fehler beim Speichern der Datei:\n" + path +
                  "\nDatei konnte nicht erzeugt werden.\nAuf dem Datenträger ist kein Platz mehr "
                  "frei.");
    EXPECT_EQ(o.Messages[0].Title, "Dateifehler");
    EXPECT_EQ(ReadFileBytes(path), "alter Inhalt");
}

TEST(StreamFile, FlagsOtherThanOneAreWrittenAsOne) {
    Stammdaten d = SmallData();
    d.Lehrer[0].Opti = 2;
    d.Raeume[0].Sperre[5] = 7;
    TokenWriter out;
    WriteStammdatenPart(out, d);
    TokenReader in(out.Take(), "x");
    Stammdaten back;
    ASSERT_TRUE(ReadStammdatenPart(in, back).Ok);
    EXPECT_EQ(back.Lehrer[0].Opti, 1);
    EXPECT_EQ(back.Raeume[0].Sperre[5], 1);
}

// Damaged files never crash the reader and never load half the data.
TEST(StreamFile, TruncatedAndCorruptedFilesFailCleanly) {
    TempDir dir;
    DiskFileOps files;
    ASSERT_TRUE(WriteStreamFile(EdgeData(), dir.File("ok.sdt"), files).Ok);
    const std::string valid = ReadFileBytes(dir.File("ok.sdt"));
    const std::set<std::string> titles = {"Dateifehler", "Datei - Fehler"};
    std::mt19937 random(20240611);
    // True when the file was refused, as it should be: one message, empty data.
    const auto refused = [&](const std::string& bytes, bool planExpected) {
        const auto r = ReadBytes(dir, bytes, planExpected);
        if (r.outcome.Ok) return false;
        EXPECT_EQ(r.outcome.Messages.size(), 1u);
        EXPECT_TRUE(titles.count(r.outcome.Messages.at(0).Title));
        EXPECT_EQ(r.data, Stammdaten{});
        return true;
    };
    for (int i = 0; i < 200; ++i) {
        const std::size_t cut = random() % valid.size();
        refused(valid.substr(0, cut), i % 2 == 0);
    }
    const auto tokens = SplitTokens(valid);
    const std::vector<std::string> junk = {"x",  "-1",         "0",           "1",   "2",  "_",
                                           "99", "2147483647", "-2147483648", "1e3", "%%", "\xFF"};
    int failures = 0;
    for (int i = 0; i < 300; ++i) {
        auto changed = tokens;
        changed[random() % changed.size()] = junk[random() % junk.size()];
        failures += refused(JoinTokens(changed), false) ? 1 : 0;
    }
    EXPECT_GT(failures, 0);
}

} // namespace
} // namespace sw
