// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs that once broke a promise of the file readers: whatever a reader accepts is written and
// read again unchanged. Each test names what went wrong before.
#include "files/PlanFile.h"
#include "files/ProjectFile.h"
#include "files/StreamFile.h"
#include "files/Tokens.h"
#include "io/FileOps.h"
#include "model/Cp1252.h"
#include "plan/Invariants.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sw {
namespace {

using test::TempDir;

std::string Lines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

std::string Locks() {
    std::string out;
    for (int i = 0; i < 91; ++i)
        out += "0,";
    return out;
}

// Two classes, no teachers, one course block; `kurs` holds the block's keys.
std::string SchoolWithCourse(const std::vector<std::string>& kurs) {
    std::vector<std::string> lines = {
        "[AllgemeineAngaben]", "RaumNo=0",      "LehrerNo=0",    "KlassenNo=2",
        "FaecherNo=0",         "KursBlockNo=1", "FachBlockNo=0", "Tage=5",
        "Stunden=8",           "Nullte=0",      "[Klasse_0]",    "Name=5a",
        "Sperre=" + Locks(),   "[Klasse_1]",    "Name=5b",       "Sperre=" + Locks(),
        "[KursBlock_0]"};
    lines.insert(lines.end(), kurs.begin(), kurs.end());
    return Lines(lines);
}

// Opens `text` as a project file, saves what was read and opens the saved file.
struct ProjectRoundTrip {
    ProjectReadResult first, second;
    Outcome saved;
};

ProjectRoundTrip RoundTrip(const std::string& text) {
    TempDir dir;
    DiskFileOps files;
    test::WriteFileBytes(dir.File("schule.sch"), text);
    ProjectRoundTrip r;
    r.first = OpenProject(dir.File("schule.sch"), files);
    if (!r.first.outcome.Ok) return r;
    r.saved = SaveProject(r.first.data, dir.File("kopie.sch"), files);
    if (r.saved.Ok) r.second = OpenProject(dir.File("kopie.sch"), files);
    return r;
}

// A course block without teachers whose file carries a class list: the classes were read, but
// saving left the list out (it was written only with teachers), so they were lost.
TEST(ReaderRegression, CourseBlockWithoutTeachersKeepsItsClasses) {
    const ProjectRoundTrip r =
        RoundTrip(SchoolWithCourse({"Name=Sport 5", "Kurz=SP5", "LehrerNo=0", "KlassenNo=2",
                                    "Klassen=5a,5b,", "BStunden=2", "Trennung=0"}));
    ASSERT_TRUE(r.first.outcome.Ok);
    ASSERT_EQ(r.first.data.KursBloecke.size(), 1u);
    EXPECT_EQ(r.first.data.KursBloecke[0].Klassen, (std::vector<std::string>{"5a", "5b"}));
    ASSERT_TRUE(r.saved.Ok);
    ASSERT_TRUE(r.second.outcome.Ok);
    EXPECT_EQ(r.second.data, r.first.data);
}

// The same block without a class list still reads without classes and saves without the key.
TEST(ReaderRegression, CourseBlockWithoutTeachersOrClassListStaysEmpty) {
    const ProjectRoundTrip r = RoundTrip(SchoolWithCourse(
        {"Name=Leer", "Kurz=", "LehrerNo=0", "KlassenNo=2", "BStunden=0", "Trennung=0"}));
    ASSERT_TRUE(r.first.outcome.Ok);
    EXPECT_TRUE(r.first.data.KursBloecke[0].Klassen.empty());
    ASSERT_TRUE(r.saved.Ok);
    ASSERT_TRUE(r.second.outcome.Ok);
    EXPECT_EQ(r.second.data, r.first.data);
}

// A subject block whose subject held a control character was read, but the save refused it:
// the planner could open the file and never save it again. Now the open refuses it and names
// the text; a name with a "," given as a single value fares the same.
TEST(ReaderRegression, TextsTheSaveRefusesAreRefusedWhenOpening) {
    const std::string course = "Name=Sport 5";
    std::string text = SchoolWithCourse(
        {course, "Kurz=SP5", "LehrerNo=0", "KlassenNo=0", "BStunden=2", "Trennung=0"});
    ProjectRoundTrip r = RoundTrip(text);
    ASSERT_TRUE(r.first.outcome.Ok);
    ASSERT_TRUE(r.saved.Ok);

    std::string control = text;
    control.replace(control.find(course), course.size(),
                    "Name=Sport\x04"
                    "5");
    r = RoundTrip(control);
    ASSERT_FALSE(r.first.outcome.Ok);
    ASSERT_EQ(r.first.outcome.Messages.size(), 1u);
    EXPECT_NE(r.first.outcome.Messages[0].Text.find("Steuerzeichen"), std::string::npos);
    EXPECT_EQ(r.first.outcome.Messages[0].Title, "Dateifehler");
    EXPECT_EQ(r.first.data, Stammdaten());

    std::string comma = text;
    comma.replace(comma.find("Name=5b"), 7, "Name=5,b");
    r = RoundTrip(comma);
    ASSERT_FALSE(r.first.outcome.Ok);
    EXPECT_NE(r.first.outcome.Messages[0].Text.find("Komma"), std::string::npos);
}

// A token holding a no-break space (byte A0, which does not split tokens) was read as part of a
// name, but the writer refuses that character: a master-data or plan file could be opened but
// never saved again. The reader now refuses such a token and names its position.
TEST(ReaderRegression, TokensThatCannotBeWrittenBackAreRefused) {
    TokenReader plain("Raum%%1 _ Mitt%%woch", "f.sdt");
    EXPECT_EQ(plain.ReadText(), "Raum 1");
    EXPECT_EQ(plain.ReadText(), "");
    EXPECT_EQ(plain.ReadText(), "Mitt woch");
    EXPECT_TRUE(plain.Ok());
    TokenReader odd("Mitt\u00A0woch", "f.sdt");
    odd.ReadText();
    EXPECT_FALSE(odd.Ok());

    TempDir dir;
    DiskFileOps files;
    std::string text = test::ReadFileBytes(test::SourcePath("fuzz/corpus/stream/klein.sdt"));
    const auto at = text.find("Mittwoch");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 8, "Mitt\xA0woch"); // Windows-1252 bytes, as in the file
    test::WriteFileBytes(dir.File("schule.sdt"), text);
    const StreamReadResult r = ReadStreamFile(dir.File("schule.sdt"), files, false);
    ASSERT_FALSE(r.outcome.Ok);
    EXPECT_NE(r.outcome.Messages[0].Text.find("Wort 8: Der Tagesname \"Mitt\u00A0woch\" enthält "
                                              "an der 5. Stelle ein geschütztes Leerzeichen "
                                              "(U+00A0)."),
              std::string::npos)
        << r.outcome.Messages[0].Text;
    EXPECT_EQ(r.data, Stammdaten());
}

// A plan file whose grid put one class (and its teacher) twice at one slot was read as it stood;
// every later move then worked on a plan that breaks its own rules. The reader now refuses it.
TEST(ReaderRegression, PlanWithAClassTwiceAtOneSlotIsRefused) {
    TempDir dir;
    DiskFileOps files;
    CapturingReporter reporter;
    PlanReadResult read =
        ReadPlanFile(test::SourcePath("fuzz/corpus/plan/klein.pdt"), files, reporter);
    ASSERT_TRUE(read.outcome.Ok);
    CPlan& plan = *read.plan;
    // Two single hours of one class; the second goes to the first one's slot, in a free room.
    CStunde* moved = nullptr;
    int targetSlot = -1, targetRoom = -1;
    for (const auto& a : plan.StundenL)
        for (const auto& b : plan.StundenL) {
            if (moved || a == b || a->Klasse < 0 || a->Klasse != b->Klasse || a->Laenge != 1 ||
                b->Laenge != 1 || plan.SlotOfHour(*a) < 0 || plan.SlotOfHour(*b) < 0 ||
                plan.SlotOfHour(*a) == plan.SlotOfHour(*b))
                continue;
            for (int r = 0; r < plan.RaumAnzahl && !moved; ++r)
                if (!plan.HourAt(r, plan.SlotOfHour(*a))) {
                    moved = b.get();
                    targetSlot = plan.SlotOfHour(*a);
                    targetRoom = r;
                }
        }
    ASSERT_NE(moved, nullptr);
    plan.Lift(plan.RoomOf(*moved), plan.SlotOfHour(*moved));
    plan.Place(*moved, targetRoom, targetSlot);
    ASSERT_FALSE(CheckInvariants(plan, false).Ok());
    ASSERT_TRUE(WritePlanFile(*read.data, &plan, dir.File("doppelt.pdt"), files).Ok);

    const PlanReadResult r = ReadPlanFile(dir.File("doppelt.pdt"), files, reporter);
    ASSERT_FALSE(r.outcome.Ok);
    EXPECT_NE(r.outcome.Messages[0].Text.find("Der Plan ist nicht stimmig"), std::string::npos)
        << r.outcome.Messages[0].Text;
    EXPECT_FALSE(r.plan);
    EXPECT_FALSE(r.data);
}

// Every seed of the fuzz corpora reads, writes and reads again unchanged: the project files as
// project files, the stream and plan files as master-data files.
TEST(ReaderRegression, FuzzSeedsRoundTrip) {
    for (const char* name : {"fuzz/corpus/project/klein.sch", "fuzz/corpus/project/leer.sch"}) {
        const ProjectRoundTrip r = RoundTrip(test::ReadFileBytes(test::SourcePath(name)));
        ASSERT_TRUE(r.first.outcome.Ok) << name;
        ASSERT_TRUE(r.saved.Ok) << name;
        ASSERT_TRUE(r.second.outcome.Ok) << name;
        EXPECT_EQ(r.second.data, r.first.data) << name;
    }
    TempDir dir;
    DiskFileOps files;
    for (const char* name : {"fuzz/corpus/stream/klein.sdt", "fuzz/corpus/plan/klein.pdt"}) {
        const StreamReadResult first = ReadStreamFile(test::SourcePath(name), files, false);
        ASSERT_TRUE(first.outcome.Ok) << name;
        ASSERT_TRUE(WriteStreamFile(first.data, dir.File("kopie.sdt"), files).Ok) << name;
        const StreamReadResult second = ReadStreamFile(dir.File("kopie.sdt"), files, false);
        ASSERT_TRUE(second.outcome.Ok) << name;
        EXPECT_EQ(second.data, first.data) << name;
    }
}

} // namespace
} // namespace sw
