// SPDX-License-Identifier: GPL-3.0-or-later
// Ten thousand random master-data operations on the example Gymnasium, answered Yes or No at
// random, interleaved with lesson definitions: after every one the master data holds together,
// an operation that says it changed nothing changed nothing, and at the end the project file
// carries the result back unchanged.
#include "define/LessonEditor.h"
#include "define/MasterData.h"

#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace sw {
namespace {

class RandomReporter : public Reporter {
public:
    explicit RandomReporter(std::mt19937& rng) : rng_(rng) {}
    void Show(const Message&) override { ++shown; }
    bool Ask(const Message&, Question) override {
        ++asked;
        return rng_() % 3 != 0; // mostly Yes, so that deletes happen
    }
    int shown = 0;
    int asked = 0;

private:
    std::mt19937& rng_;
};

class Chaos {
public:
    Chaos(Stammdaten& d, unsigned seed) : d_(d), rng_(seed), rep_(rng_), ed_(d), lessons_(d) {}

    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    bool Coin() { return rng_() % 2 == 0; }
    // An index of a list of `n`, now and then one outside it.
    int Index(std::size_t n) { return Below(20) == 0 ? static_cast<int>(n) : Below(int(n)); }

    // Names from a small pool, so that duplicates and case variants come up often.
    std::string Name() {
        static const char* const stems[] = {"a",  "B",  "ph",   "Ök", "x",
                                            "5a", "5A", "kurs", "M",  "_"};
        std::string s = stems[Below(10)];
        switch (Below(8)) {
        case 0:
            return s + "/" + std::to_string(Below(3));
        case 1:
            return " " + s + " ";
        case 2:
            return s + std::string(static_cast<std::size_t>(Below(120)), 'z');
        default:
            return s + std::to_string(Below(12));
        }
    }
    template <typename List, typename Of> std::string Existing(const List& list, Of of) {
        if (list.empty() || Below(10) == 0) return Name();
        return of(list[static_cast<std::size_t>(Below(int(list.size())))]);
    }
    std::string Subject() {
        return Existing(d_.Faecher, [](const std::string& f) { return f; });
    }
    std::string Class() {
        return Existing(d_.Klassen, [](const CKlasse& k) { return k.Name; });
    }
    std::string Teacher() {
        return Existing(d_.Lehrer, [](const CLehrer& l) { return l.Name; });
    }
    std::string Room() {
        return Existing(d_.Raeume, [](const CRaumFach& r) { return r.Name; });
    }
    std::vector<int> Slots() {
        std::vector<int> s;
        for (int i = Below(6); i >= 0; --i)
            s.push_back(Below(kSlotCount + 2) - 1);
        return s;
    }

    // One random operation; returns its name, and `changed` as it reported.
    const char* Step(bool& changed) {
        Aenderung a;
        const int op = Below(34);
        const auto done = [&](const char* name, Aenderung r) {
            changed = r.Geaendert;
            return name;
        };
        switch (op) {
        case 0:
        case 1:
            return done("NewSubject", ed_.NewSubject(Name(), rep_));
        case 2:
            return done("RenameSubject", ed_.RenameSubject(Index(d_.Faecher.size()), Name(), rep_));
        case 3:
            return done("DeleteSubject", ed_.DeleteSubject(Index(d_.Faecher.size()), rep_));
        case 4:
            return done("NewRoom", ed_.NewRoom({Name(), Name()}, rep_));
        case 5:
            return done("RenameRoom",
                        ed_.RenameRoom(Index(d_.Raeume.size()), {Name(), Name()}, rep_));
        case 6:
            return done("DeleteRoom", ed_.DeleteRoom(Index(d_.Raeume.size()), rep_));
        case 7:
            return done("DeleteRoomFromBar", ed_.DeleteRoomFromBar(Index(d_.Raeume.size()), rep_));
        case 8:
            return done("SetRoomType",
                        ed_.SetRoomType(Index(d_.Raeume.size()), static_cast<RaumTyp>(Below(3))));
        case 9:
            return done("SetRoomSubject",
                        ed_.SetRoomSubject(Index(d_.Raeume.size()), Subject(), Coin(), rep_));
        case 10:
            return done("SetRoomClassType", ed_.SetRoomClassType(Index(d_.Raeume.size()), Coin()));
        case 11:
            return done("SetRoomClass",
                        ed_.SetRoomClass(Index(d_.Raeume.size()), Class(), Below(4) != 0, rep_));
        case 12:
        case 13:
            return done("NewTeacher", ed_.NewTeacher({Name(), Name()}, rep_));
        case 14:
            return done("RenameTeacher",
                        ed_.RenameTeacher(Index(d_.Lehrer.size()), {Name(), Name()}, rep_));
        case 15:
            return done("DeleteTeacher", ed_.DeleteTeacher(Index(d_.Lehrer.size()), rep_));
        case 16:
            return done("SetTeacherSubject",
                        ed_.SetTeacherSubject(Index(d_.Lehrer.size()), Subject(), Below(4) != 0));
        case 17:
            return done("SetTeacherClass",
                        ed_.SetTeacherClass(Index(d_.Lehrer.size()), Coin() ? Class() : "", rep_));
        case 18:
            return done("SetClassTeacherFlag",
                        ed_.SetClassTeacherFlag(Index(d_.Lehrer.size()), Coin()));
        case 19:
            return done("NewClass", ed_.NewClass(Name(), rep_));
        case 20:
            return done("RenameClass", ed_.RenameClass(Index(d_.Klassen.size()), Name(), rep_));
        case 21:
            return done("DeleteClass", ed_.DeleteClass(Index(d_.Klassen.size()), rep_));
        case 22: {
            const auto ziel = static_cast<SperrZiel>(Below(3));
            const std::size_t n = ziel == SperrZiel::Raum     ? d_.Raeume.size()
                                  : ziel == SperrZiel::Lehrer ? d_.Lehrer.size()
                                                              : d_.Klassen.size();
            return done("Lock", Coin() ? ed_.Lock(ziel, Index(n), Slots(), rep_)
                                       : ed_.Unlock(ziel, Index(n), Slots()));
        }
        case 23:
            return done("NewCourse",
                        ed_.NewCourse({Name(), Name(), std::to_string(Below(44))}, rep_));
        case 24:
            return done("RenameCourse",
                        ed_.RenameCourse(Index(d_.KursBloecke.size()),
                                         {Name(), Name(), std::to_string(Below(44))}, Coin(),
                                         rep_));
        case 25:
            return done("DeleteCourse", ed_.DeleteCourse(Index(d_.KursBloecke.size()), rep_));
        case 26:
        case 27: {
            const std::string lehrer = Teacher();
            const int t = d_.FindLehrer(lehrer);
            std::string fach = Subject();
            if (t >= 0 && !d_.Lehrer[size_t(t)].Faecher.empty() && Coin())
                fach = d_.Lehrer[size_t(t)]
                           .Faecher[size_t(Below(int(d_.Lehrer[size_t(t)].Faecher.size())))];
            return done("AddCourseTeacher",
                        ed_.AddCourseTeacher(Index(d_.KursBloecke.size()), lehrer, fach, rep_));
        }
        case 28:
            return done("RemoveCourseTeacher",
                        ed_.RemoveCourseTeacher(Index(d_.KursBloecke.size()), Below(4), rep_));
        case 29:
            return done("Opti", Coin() ? ed_.SetTeacherOpti(Index(d_.Lehrer.size()), Coin())
                                       : ed_.SetClassOpti(Index(d_.Klassen.size()), Coin()));
        case 30:
            return done("SetRoomCourseRelease",
                        Coin() ? ed_.SetRoomCourseRelease(Index(d_.Raeume.size()), Coin())
                               : ed_.SetTeacherFreeDays(Index(d_.Lehrer.size()), Coin()));
        case 31: {
            // Lessons come back: a subject block, or a class joins a course. The lesson window
            // offers only names that exist.
            if (d_.Lehrer.empty() || d_.Klassen.empty() || d_.Faecher.empty())
                return done("AddBlock", {});
            BlockAnfrage anfrage{d_.Lehrer[size_t(Below(int(d_.Lehrer.size())))].Name,
                                 d_.Klassen[size_t(Below(int(d_.Klassen.size())))].Name, "", ""};
            if (Coin() && !d_.KursBloecke.empty())
                anfrage.Kurs = d_.KursBloecke[size_t(Below(int(d_.KursBloecke.size())))].Name;
            else
                anfrage.Fach = d_.Faecher[size_t(Below(int(d_.Faecher.size())))];
            changed = lessons_.AddBlock(anfrage, std::to_string(1 + Below(4)), rep_);
            return "AddBlock";
        }
        default: {
            // A fixed time or a room for a unit, so that locks and room deletes meet them.
            const bool kurs = Coin() && !d_.KursBloecke.empty();
            const std::size_t n = kurs ? d_.KursBloecke.size() : d_.FachBloecke.size();
            if (n == 0) return done("SetTime", {});
            const int index = Below(int(n));
            std::string lehrer;
            if (kurs && !d_.KursBloecke[size_t(index)].Lehrer.empty())
                lehrer = d_.KursBloecke[size_t(index)].Lehrer.front().Name;
            const AktuellerBlock b = lessons_.Select(kurs ? BlockArt::Kurs : BlockArt::Fach, index,
                                                     BlockAnsicht::Lehrer, lehrer);
            Vorgaben v;
            if (Coin()) {
                changed =
                    lessons_.SetTime(b, {Below(3)}, SlotOf(Below(5), 1 + Below(8)), v).Allowed();
                return "SetTime";
            }
            changed = lessons_.SetRoom(b, Below(3), Room(), Coin(), v).Allowed();
            return "SetRoom";
        }
        }
    }

    RandomReporter& Rep() { return rep_; }

private:
    Stammdaten& d_;
    std::mt19937 rng_;
    RandomReporter rep_;
    MasterDataEditor ed_;
    LessonEditor lessons_;
};

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\n";
    return out;
}

TEST(MasterDataRandom, TenThousandOperationsKeepTheMasterDataWholeAndSaveable) {
    DiskFileOps disk;
    ProjectReadResult school = OpenProject(test::SourcePath("examples/gymnasium.sch"), disk);
    ASSERT_TRUE(school.outcome.Ok);
    Stammdaten& d = school.data;
    ASSERT_EQ(MasterDataProblems(d), std::vector<std::string>{});

    Chaos chaos(d, 20261209);
    int changes = 0;
    for (int i = 0; i < 10000; ++i) {
        const Stammdaten before = d;
        bool changed = false;
        const char* op = chaos.Step(changed);
        const std::vector<std::string> problems = MasterDataProblems(d);
        ASSERT_TRUE(problems.empty()) << "after operation " << i << " (" << op << "):\n"
                                      << Joined(problems);
        if (!changed) {
            ASSERT_TRUE(d == before)
                << "operation " << i << " (" << op << ") said it changed nothing";
        }
        changes += changed ? 1 : 0;
    }
    // The run did something of everything, and the school did not empty out.
    EXPECT_GT(changes, 3000);
    EXPECT_GT(chaos.Rep().asked, 500);
    EXPECT_GT(chaos.Rep().shown, 500);
    EXPECT_FALSE(d.Lehrer.empty());
    EXPECT_FALSE(d.Klassen.empty());

    test::TempDir dir;
    const std::string path = dir.File("chaos.sch");
    const Outcome saved = SaveProject(d, path, disk);
    ASSERT_TRUE(saved.Ok) << (saved.Messages.empty() ? "" : saved.Messages[0].Text);
    ProjectReadResult read = OpenProject(path, disk);
    ASSERT_TRUE(read.outcome.Ok) << (read.outcome.Messages.empty() ? ""
                                                                   : read.outcome.Messages[0].Text);
    // What the project file does not carry: the course template, the substitution mark and the
    // last plan's targets (the stream files keep them). The flags of optimisation, the tendency to
    // free days and the room's release for the class's own courses come back.
    for (CKursBlock& k : d.KursBloecke)
        k.Vorlage.clear();
    for (CLehrer& l : d.Lehrer) {
        l.NichtVerfuegbar = 0;
        l.LetztesSoll = {};
    }
    for (CKlasse& k : d.Klassen)
        k.LetztesSoll = {};
    d.Angaben.TagNamen = read.data.Angaben.TagNamen;
    EXPECT_TRUE(read.data.Faecher == d.Faecher);
    EXPECT_TRUE(read.data.Raeume == d.Raeume);
    EXPECT_TRUE(read.data.Lehrer == d.Lehrer);
    EXPECT_TRUE(read.data.Klassen == d.Klassen);
    EXPECT_TRUE(read.data.FachBloecke == d.FachBloecke);
    EXPECT_TRUE(read.data.KursBloecke == d.KursBloecke);
    EXPECT_TRUE(read.data == d);
}

} // namespace
} // namespace sw
