// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Import.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace sw {

const char* FateName(ImportFate fate) {
    switch (fate) {
    case ImportFate::Uebernommen:
        return "Übernommen";
    case ImportFate::Angenaehert:
        return "Angenähert";
    case ImportFate::Weggelassen:
        return "Weggelassen";
    }
    return "";
}

void ImportReport::Add(ImportFate fate, const std::string& what, const std::string& how,
                       const std::string& example) {
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const ImportEntry& e) {
        return e.Fate == fate && e.What == what && e.How == how;
    });
    if (it == entries_.end()) {
        entries_.push_back({fate, what, how, 0, {}});
        it = entries_.end() - 1;
    }
    ++it->Count;
    if (!example.empty() && it->Examples.size() < kMaxExamples) it->Examples.push_back(example);
}

void ImportReport::AddCount(ImportFate fate, const std::string& what, int count,
                            const std::string& how) {
    if (count <= 0) return;
    Add(fate, what, how);
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const ImportEntry& e) {
        return e.Fate == fate && e.What == what && e.How == how;
    });
    it->Count += count - 1;
}

int ImportReport::Count(ImportFate fate) const {
    int n = 0;
    for (const ImportEntry& e : entries_)
        if (e.Fate == fate) n += e.Count;
    return n;
}

const ImportEntry* ImportReport::Find(ImportFate fate, const std::string& what) const {
    for (const ImportEntry& e : entries_)
        if (e.Fate == fate && e.What == what) return &e;
    return nullptr;
}

std::string ImportReport::Text() const {
    std::string out = "Import aus " + Source + "\n";
    out += "Aktivitäten: " + std::to_string(Activities) + ", Stunden: " + std::to_string(Hours) +
           " von " + std::to_string(SourceHours) + "\n";
    for (ImportFate fate :
         {ImportFate::Uebernommen, ImportFate::Angenaehert, ImportFate::Weggelassen}) {
        out += "\n" + std::string(FateName(fate)) + " (" + std::to_string(Count(fate)) + "):\n";
        bool any = false;
        for (const ImportEntry& e : entries_) {
            if (e.Fate != fate) continue;
            any = true;
            out += "  " + std::to_string(e.Count) + " × " + e.What;
            if (!e.How.empty()) out += ": " + e.How;
            if (!e.Examples.empty()) {
                out += " (z. B. ";
                for (std::size_t i = 0; i < e.Examples.size(); ++i)
                    out += (i ? "; " : "") + e.Examples[i];
                out += ")";
            }
            out += "\n";
        }
        if (!any) out += "  nichts\n";
    }
    return out;
}

ImportResult ImportSchool(const std::string& path, FileOps& fs) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return ImportTables(path, fs);
    return ImportFet(path, fs);
}

} // namespace sw
