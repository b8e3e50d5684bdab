// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Settings.h"

#include "files/Ini.h"

namespace sw {

namespace {

constexpr const char* kSection = "Planung";
constexpr const char* kWeitersuchen = "Weitersuchen";

} // namespace

PlanungsEinstellungen ReadPlanungsEinstellungen(FileOps& files, const std::string& configFile) {
    PlanungsEinstellungen settings;
    if (!files.Exists(configFile)) return settings;
    const FileContent text = files.ReadAll(configFile);
    if (!text.bytes) return settings;
    const IniFile ini = IniFile::Parse(*text.bytes);
    settings.Weitersuchen = ini.GetString(kSection, kWeitersuchen, "1") != "0";
    return settings;
}

bool WritePlanungsEinstellungen(FileOps& files, const std::string& configFile,
                                const PlanungsEinstellungen& settings) {
    IniFile ini;
    if (files.Exists(configFile)) {
        const FileContent text = files.ReadAll(configFile);
        // What cannot be read is not replaced by a file that would lose it.
        if (!text.bytes) return false;
        ini = IniFile::Parse(*text.bytes);
    }
    ini.SetString(kSection, kWeitersuchen, settings.Weitersuchen ? "1" : "0");
    return files.WriteReplacing(configFile, ini.Serialise()).Ok();
}

} // namespace sw
