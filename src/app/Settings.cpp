// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Settings.h"

#include "files/Ini.h"

#include <array>

namespace sw {

namespace {

constexpr const char* kSection = "Planung";

struct Key {
    const char* name;
    bool PlanungsEinstellungen::*field;
};
constexpr std::array<Key, 4> kKeys = {{
    {"Weitersuchen", &PlanungsEinstellungen::Weitersuchen},
    {"KursUeberStundenLimit", &PlanungsEinstellungen::KursUeberStundenLimit},
    {"MehrfachKursUeberStundenLimit", &PlanungsEinstellungen::MehrfachKursUeberStundenLimit},
    {"MehrfachUeberStundenLimit", &PlanungsEinstellungen::MehrfachUeberStundenLimit},
}};

} // namespace

PlanungsEinstellungen ReadPlanungsEinstellungen(FileOps& files, const std::string& configFile) {
    PlanungsEinstellungen settings;
    if (!files.Exists(configFile)) return settings;
    const FileContent text = files.ReadAll(configFile);
    if (!text.bytes) return settings;
    const IniFile ini = IniFile::ReadHandEdited(*text.bytes);
    for (const Key& k : kKeys)
        settings.*k.field = ini.GetFlag(kSection, k.name, settings.*k.field);
    return settings;
}

bool WritePlanungsEinstellungen(FileOps& files, const std::string& configFile,
                                const PlanungsEinstellungen& settings) {
    IniFile ini = IniFile::ReadHandEdited({});
    if (files.Exists(configFile)) {
        const FileContent text = files.ReadAll(configFile);
        // What cannot be read is not replaced by a file that would lose it.
        if (!text.bytes) return false;
        ini = IniFile::ReadHandEdited(*text.bytes);
    }
    const PlanungsEinstellungen standard;
    for (const Key& k : kKeys) {
        const bool on = settings.*k.field;
        // A value the reader takes as it stands is left in the planner's own words; a missing
        // key that would read as the default is not added.
        const bool reads = ini.HasKey(kSection, k.name) ? ini.GetFlag(kSection, k.name, !on) == on
                                                        : on == standard.*k.field;
        if (!reads) ini.SetString(kSection, k.name, on ? "1" : "0");
    }
    return files.WriteReplacing(configFile, ini.HandEditedBytes()).Ok();
}

void ApplyLimitOptions(CPlan& plan, const PlanungsEinstellungen& settings) {
    plan.SetLimitFlags(settings.KursUeberStundenLimit, settings.MehrfachKursUeberStundenLimit,
                       settings.MehrfachUeberStundenLimit);
}

} // namespace sw
