// SPDX-License-Identifier: GPL-3.0-or-later
// ReaderFuzz.cpp: libFuzzer entry points for the file readers. One source serves every target;
// the build picks the target with one of the definitions below:
//
//   FUZZ_CP1252   the Windows-1252 codec: decoding never fails and encodes back to the same
//                 bytes; UTF-8 that encodes decodes back to the same text.
//   FUZZ_INI      the INI text: parsing never fails, and the serialised text parses and
//                 serialises to itself, with every section and key still found.
//   FUZZ_PROJECT  the project file (.sch): either a clear refusal, or master data that is saved
//                 and read again unchanged.
//   FUZZ_STREAM   the master-data file (.sdt): the same with the stream format.
//   FUZZ_PLAN     the plan file (.pdt): either a refusal, or a plan that holds together, is
//                 written and read again with the same grid, presets and figures.
//   FUZZ_FET      the FET import: either a clear refusal with nothing built, or a school with
//                 as many lesson hours as the file that is saved and read again unchanged.
//
// A broken promise aborts, which libFuzzer reports as a crash together with the input.
#include "exchange/Import.h"
#include "files/Ini.h"
#include "files/PlanFile.h"
#include "files/ProjectFile.h"
#include "files/StreamFile.h"
#include "io/FileOps.h"
#include "model/Cp1252.h"
#include "plan/Evaluation.h"
#include "plan/Invariants.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Stops the run with `what`; libFuzzer keeps the input that got here.
[[noreturn]] void Broken(const char* what) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

void Expect(bool ok, const char* what) {
    if (!ok) Broken(what);
}

// Files in memory, so a run touches no disk.
class MemoryFileOps : public sw::FileOps {
public:
    bool Exists(const std::string& path) override { return files_.count(path) != 0; }
    sw::FileResult Copy(const std::string& from, const std::string& to) override {
        auto it = files_.find(from);
        if (it == files_.end()) return sw::FileResult::Failed(ENOENT);
        files_[to] = it->second;
        return {};
    }
    bool Remove(const std::string& path) override { return files_.erase(path) != 0; }
    sw::FileResult CreateEmpty(const std::string& path) override {
        files_[path].clear();
        return {};
    }
    sw::FileResult WriteReplacing(const std::string& path, std::string_view bytes) override {
        files_[path] = std::string(bytes);
        return {};
    }
    sw::FileResult CheckWritable(const std::string&) override { return {}; }
    sw::FileContent ReadAll(const std::string& path) override {
        auto it = files_.find(path);
        if (it == files_.end()) return {std::nullopt, "Die Datei ist nicht vorhanden."};
        return {it->second, {}};
    }

private:
    std::map<std::string, std::string> files_;
};

// An outcome that must be a success; otherwise its message goes with the stop.
void ExpectOk(const sw::Outcome& outcome, const char* what) {
    if (outcome.Ok) return;
    for (const auto& m : outcome.Messages)
        std::fprintf(stderr, "%s: %s\n", m.Title.c_str(), m.Text.c_str());
    Broken(what);
}

// Names the first part in which two master data differ, for the report of a broken round trip.
template <typename T>
bool ReportList(const char* name, const std::vector<T>& a, const std::vector<T>& b) {
    if (a == b) return false;
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    std::fprintf(stderr, "differs: %s, entry %zu of %zu/%zu\n", name, i, a.size(), b.size());
    return true;
}

void ExpectSame(const sw::Stammdaten& a, const sw::Stammdaten& b, const char* what) {
    if (a == b) return;
    if (!(a.Angaben == b.Angaben)) std::fprintf(stderr, "differs: general settings\n");
    if (a.AngabenBestaetigt != b.AngabenBestaetigt) std::fprintf(stderr, "differs: confirmed\n");
    ReportList("subjects", a.Faecher, b.Faecher) || ReportList("rooms", a.Raeume, b.Raeume) ||
        ReportList("teachers", a.Lehrer, b.Lehrer) || ReportList("classes", a.Klassen, b.Klassen) ||
        ReportList("course blocks", a.KursBloecke, b.KursBloecke) ||
        ReportList("subject blocks", a.FachBloecke, b.FachBloecke);
    Broken(what);
}

// A refusal must say something.
void ExpectClearRefusal(const sw::Outcome& outcome) {
    Expect(!outcome.Messages.empty(), "refusal without a message");
    for (const auto& m : outcome.Messages)
        Expect(!m.Text.empty() && !m.Title.empty(), "refusal with an empty message");
}

[[maybe_unused]] void FuzzCp1252(std::string_view bytes) {
    const std::string utf8 = sw::Cp1252ToUtf8(bytes);
    Expect(sw::IsCp1252Representable(utf8), "decoded text not representable");
    const auto back = sw::Utf8ToCp1252(utf8);
    Expect(back && *back == bytes, "Windows-1252 bytes do not round-trip");
    // The same bytes taken as UTF-8.
    const auto encoded = sw::Utf8ToCp1252(bytes);
    Expect(encoded.has_value() == sw::IsCp1252Representable(bytes),
           "encoder and representability test disagree");
    if (encoded) Expect(sw::Cp1252ToUtf8(*encoded) == bytes, "UTF-8 text does not round-trip");
}

[[maybe_unused]] void FuzzIni(std::string_view bytes) {
    const sw::IniFile first = sw::IniFile::Parse(bytes);
    const std::string text = first.Serialise();
    const sw::IniFile second = sw::IniFile::Parse(text);
    Expect(second.Serialise() == text, "serialised INI text changes when read again");
    Expect(second.SectionCount() == first.SectionCount(), "section count changes");
    // A few lookups and writes must neither crash nor lose the entries read.
    const sw::IniFile probe = sw::IniFile::Parse(bytes);
    (void)probe.HasSection("AllgemeineAngaben");
    (void)probe.GetString("AllgemeineAngaben", "RaumNo", "0");
    sw::IniFile edited = sw::IniFile::Parse(bytes);
    edited.SetString("AllgemeineAngaben", "Tage", "5");
    Expect(edited.GetString("AllgemeineAngaben", "Tage") == "5", "value set is not found");
    edited.EraseSection("AllgemeineAngaben");
    Expect(!edited.HasSection("AllgemeineAngaben"), "erased section still found");
}

[[maybe_unused]] void FuzzProject(std::string_view bytes) {
    MemoryFileOps files;
    files.WriteReplacing("schule.sch", bytes);
    const sw::ProjectReadResult first = sw::OpenProject("schule.sch", files);
    if (!first.outcome.Ok) {
        ExpectClearRefusal(first.outcome);
        Expect(first.data == sw::Stammdaten(), "refused read leaves data behind");
        return;
    }
    const sw::Outcome saved = sw::SaveProject(first.data, "kopie.sch", files);
    ExpectOk(saved, "master data read from a project file cannot be saved");
    const sw::ProjectReadResult second = sw::OpenProject("kopie.sch", files);
    ExpectOk(second.outcome, "saved project file cannot be read again");
    // The one loss the format itself prescribes: a room without subjects is read back as
    // Universal, whatever type it had (the type is read only when FaecherNo is missing).
    sw::Stammdaten expected = first.data;
    for (auto& room : expected.Raeume)
        if (room.Faecher.empty()) room.FachTyp = {1, 0, 0};
    ExpectSame(expected, second.data, "project file read again differs");
}

[[maybe_unused]] void FuzzFet(std::string_view bytes) {
    MemoryFileOps files;
    files.WriteReplacing("schule.fet", bytes);
    const sw::ImportResult imported = sw::ImportFet("schule.fet", files);
    if (!imported.outcome.Ok) {
        ExpectClearRefusal(imported.outcome);
        Expect(imported.data == sw::Stammdaten(), "refused import leaves data behind");
        return;
    }
    Expect(imported.report.Hours == imported.report.SourceHours, "import loses lesson hours");
    const sw::Outcome saved = sw::SaveProject(imported.data, "schule.sch", files);
    ExpectOk(saved, "imported school cannot be saved");
    const sw::ProjectReadResult back = sw::OpenProject("schule.sch", files);
    ExpectOk(back.outcome, "saved imported school cannot be read again");
    ExpectSame(imported.data, back.data, "imported school read again differs");
}

[[maybe_unused]] void FuzzStream(std::string_view bytes) {
    MemoryFileOps files;
    files.WriteReplacing("schule.sdt", bytes);
    const sw::StreamReadResult first = sw::ReadStreamFile("schule.sdt", files, false);
    if (!first.outcome.Ok) {
        ExpectClearRefusal(first.outcome);
        return;
    }
    const sw::Outcome saved = sw::WriteStreamFile(first.data, "kopie.sdt", files);
    ExpectOk(saved, "master data read from a stream file cannot be written");
    const sw::StreamReadResult second = sw::ReadStreamFile("kopie.sdt", files, false);
    ExpectOk(second.outcome, "written stream file cannot be read again");
    ExpectSame(first.data, second.data, "stream file read again differs");
}

[[maybe_unused]] void FuzzPlan(std::string_view bytes) {
    MemoryFileOps files;
    files.WriteReplacing("plan.pdt", bytes);
    sw::CapturingReporter reporter;
    sw::PlanReadResult first = sw::ReadPlanFile("plan.pdt", files, reporter);
    if (!first.outcome.Ok) {
        ExpectClearRefusal(first.outcome);
        Expect(!first.plan && !first.data, "refused read hands out a plan");
        return;
    }
    sw::CPlan& plan = *first.plan;
    // The reader evaluated the plan afresh, so only the rules of the grid are worth checking.
    const sw::InvariantReport rules = sw::CheckInvariants(plan, false);
    for (const auto& v : rules.Violations)
        std::fprintf(stderr, "violated: %s\n", v.c_str());
    Expect(rules.Ok(), "plan read from a file breaks the planning rules");
    const sw::Outcome saved = sw::WritePlanFile(*first.data, &plan, "kopie.pdt", files);
    ExpectOk(saved, "plan read from a file cannot be written");
    sw::PlanReadResult second = sw::ReadPlanFile("kopie.pdt", files, reporter);
    ExpectOk(second.outcome, "written plan file cannot be read again");
    // The targets beside each teacher and class in a plan file are the plan's, which it computes
    // afresh when it is read; a file whose stored targets differ from them gets the plan's.
    sw::Stammdaten expected = *first.data;
    for (std::size_t t = 0; t < expected.Lehrer.size() && t < plan.LehrerSollL.size(); ++t)
        expected.Lehrer[t].LetztesSoll = plan.LehrerSollL[t];
    for (std::size_t k = 0; k < expected.Klassen.size() && k < plan.KlassenSollL.size(); ++k)
        expected.Klassen[k].LetztesSoll = plan.KlassenSollL[k];
    ExpectSame(expected, *second.data, "master data of the plan file read again differs");
    const sw::CPlan& back = *second.plan;
    Expect(back.RaumAnzahl == plan.RaumAnzahl && back.StundenL.size() == plan.StundenL.size(),
           "plan read again has another shape");
    for (int r = 0; r < plan.RaumAnzahl; ++r)
        for (int s = 0; s < sw::kSlotCount; ++s) {
            const sw::CStunde* a = plan.HourAt(r, s);
            const sw::CStunde* b = back.HourAt(r, s);
            Expect((a ? a->Index : -1) == (b ? b->Index : -1), "grid read again differs");
        }
    for (std::size_t i = 0; i < plan.StundenL.size(); ++i) {
        const sw::CStunde& a = *plan.StundenL[i];
        const sw::CStunde& b = *back.StundenL[i];
        Expect(a.Zeit == b.Zeit && a.Modus == b.Modus && a.OberesLimit == b.OberesLimit &&
                   a.UnteresLimit == b.UnteresLimit && a.TagesLimit == b.TagesLimit &&
                   a.Tag == b.Tag,
               "presets read again differ");
    }
    const sw::PlanTotals& t = plan.Totals();
    const sw::PlanTotals& u = back.Totals();
    Expect(t.KLSSumme == u.KLSSumme && t.KProd == u.KProd && t.TFSumme == u.TFSumme &&
               t.STFSumme == u.STFSumme && t.LLSSumme == u.LLSSumme && t.LLSMax == u.LLSMax &&
               t.LProd == u.LProd && t.LLSLimit == u.LLSLimit &&
               t.Opt.OptWerte() == u.Opt.OptWerte(),
           "figures read again differ");
    const sw::PlanFlags& f = plan.Flags();
    const sw::PlanFlags& g = back.Flags();
    Expect(f.KursUeberStundenLimit == g.KursUeberStundenLimit &&
               f.MehrfachKursUeberStundenLimit == g.MehrfachKursUeberStundenLimit &&
               f.MehrfachUeberStundenLimit == g.MehrfachUeberStundenLimit &&
               f.AbbruchErsteStunde == g.AbbruchErsteStunde,
           "plan options read again differ");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
#if defined(FUZZ_CP1252)
    FuzzCp1252(bytes);
#elif defined(FUZZ_INI)
    FuzzIni(bytes);
#elif defined(FUZZ_PROJECT)
    FuzzProject(bytes);
#elif defined(FUZZ_STREAM)
    FuzzStream(bytes);
#elif defined(FUZZ_PLAN)
    FuzzPlan(bytes);
#elif defined(FUZZ_FET)
    FuzzFet(bytes);
#else
#error "define one of FUZZ_CP1252, FUZZ_INI, FUZZ_PROJECT, FUZZ_STREAM, FUZZ_PLAN, FUZZ_FET"
#endif
    return 0;
}
