// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Cells.h"

#include "model/Slot.h"
#include "model/Text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

namespace sw::cells {

namespace {

constexpr std::array<const char*, kMaxDays> kShort = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
constexpr std::array<const char*, kMaxDays> kLong = {
    "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

Result<int> ParseHour(std::string_view text) {
    const auto hour = ParseInt(text);
    if (!hour || *hour < 0 || *hour > kMaxHour)
        return Quoted(text) + " ist keine Stunde (0 bis " + std::to_string(kMaxHour) + ").";
    return *hour;
}

const char* const kPresetForm =
    " ist keine Zeitvorgabe; so sehen sie aus: „Mo 3“, „bis 5“, „ab 2“, „nur Di“, „Urplan“.";

} // namespace

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string Quoted(std::string_view text) {
    return "„" + ForMessage(text) + "“";
}

std::string FlagText(bool on) {
    return on ? "ja" : "nein";
}

Result<bool> ParseFlag(std::string_view cell, bool fallback) {
    const std::string word = Lower(Trim(cell));
    if (word.empty()) return fallback;
    if (word == "ja" || word == "j" || word == "x" || word == "1") return true;
    if (word == "nein" || word == "n" || word == "0") return false;
    return Quoted(cell) + " ist weder „ja“ noch „nein“.";
}

Result<int> ParseNumber(std::string_view cell, int lowest, int highest) {
    const std::string text = Trim(cell);
    const auto value = ParseInt(text);
    if (!value) return Quoted(text) + " ist keine ganze Zahl.";
    if (*value < lowest || *value > highest)
        return Quoted(text) + " liegt nicht im Bereich " + std::to_string(lowest) + " bis " +
               std::to_string(highest) + ".";
    return *value;
}

std::string JoinList(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + items[i];
    return out;
}

std::vector<std::string> SplitList(std::string_view cell) {
    std::vector<std::string> items;
    if (Trim(cell).empty()) return items;
    std::size_t at = 0;
    for (;;) {
        const std::size_t comma = cell.find(',', at);
        items.emplace_back(cell.substr(at, comma - at));
        if (comma == std::string_view::npos) break;
        at = comma + 1;
    }
    return items;
}

std::string DayText(int day) {
    return day >= 0 && day < kMaxDays ? kShort[static_cast<std::size_t>(day)] : "?";
}

Result<int> ParseDay(std::string_view cell) {
    const std::string word = Lower(Trim(cell));
    for (int d = 0; d < kMaxDays; ++d)
        if (word == Lower(kShort[static_cast<std::size_t>(d)]) ||
            word == Lower(kLong[static_cast<std::size_t>(d)]))
            return d;
    return Quoted(cell) + " ist kein Tag (Mo, Di, Mi, Do, Fr, Sa, So).";
}

std::string HoursText(const std::vector<int>& hours) {
    std::string out;
    for (std::size_t i = 0; i < hours.size();) {
        std::size_t j = i;
        while (j + 1 < hours.size() && hours[j + 1] == hours[j] + 1)
            ++j;
        out += (out.empty() ? "" : ",") + std::to_string(hours[i]);
        if (j > i) out += "-" + std::to_string(hours[j]);
        i = j + 1;
    }
    return out;
}

Result<std::vector<int>> ParseHours(std::string_view cell) {
    std::set<int> hours;
    for (const std::string& raw : SplitList(cell)) {
        const std::string item = Trim(raw);
        const std::size_t dash = item.find('-', 1);
        const auto first = ParseHour(Trim(item.substr(0, dash)));
        if (item.empty() || std::holds_alternative<std::string>(first))
            return Quoted(cell) + " ist keine Liste von Stunden wie „1-3,5“ (Stunden 0 bis " +
                   std::to_string(kMaxHour) + ").";
        int last = std::get<int>(first);
        if (dash != std::string::npos) {
            const auto to = ParseHour(Trim(item.substr(dash + 1)));
            if (std::holds_alternative<std::string>(to) || std::get<int>(to) < last)
                return Quoted(cell) + " ist keine Liste von Stunden wie „1-3,5“ (Stunden 0 bis " +
                       std::to_string(kMaxHour) + ").";
            last = std::get<int>(to);
        }
        for (int h = std::get<int>(first); h <= last; ++h)
            hours.insert(h);
    }
    if (hours.empty()) return std::string("Die Stunden fehlen.");
    return std::vector<int>(hours.begin(), hours.end());
}

std::string LengthsText(const std::vector<CEinheit>& units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i)
        out += (i ? "+" : "") + std::to_string(units[i].Laenge);
    return out;
}

Result<std::vector<int>> ParseLengths(std::string_view cell, int longest) {
    std::vector<int> lengths;
    std::string_view rest = cell;
    for (;;) {
        const std::size_t plus = rest.find('+');
        const std::string item = Trim(rest.substr(0, plus));
        const auto value = ParseInt(item);
        if (!value) return Quoted(cell) + " ist keine Folge von Einheiten wie „2+1+1“.";
        if (*value < 1 || *value > longest)
            return "Die Einheit " + Quoted(item) + " ist keine gültige Länge: ein Tag hat " +
                   Anzahl(longest, "Stunde", "Stunden") + ".";
        lengths.push_back(*value);
        if (plus == std::string_view::npos) break;
        rest.remove_prefix(plus + 1);
    }
    return lengths;
}

bool HasPreset(const CEinheit& e) {
    return e.Zeitvorgabe != kNoSlot || e.NurUrPlan || e.OberesLimit || e.UnteresLimit ||
           e.TagesLimit || e.Tag != -1;
}

std::string PresetText(const CEinheit& e) {
    std::vector<std::string> words;
    if (e.OberesLimit) words.emplace_back("bis");
    if (e.UnteresLimit) words.emplace_back("ab");
    if (IsSlot(e.Zeitvorgabe)) {
        const bool limit = e.OberesLimit || e.UnteresLimit;
        if (!limit || DayOf(e.Zeitvorgabe) != 0) words.push_back(DayText(DayOf(e.Zeitvorgabe)));
        words.push_back(std::to_string(HourOf(e.Zeitvorgabe)));
    }
    if (e.TagesLimit)
        words.emplace_back(e.Tag >= 0 ? "nur " + DayText(e.Tag) : "nur");
    else if (e.Tag >= 0)
        words.push_back("Tag " + DayText(e.Tag));
    if (e.NurUrPlan) words.emplace_back("Urplan");
    if (words.empty()) return "-";
    std::string out;
    for (const auto& w : words)
        out += (out.empty() ? "" : " ") + w;
    return out;
}

std::optional<std::string> ParsePreset(std::string_view item, CEinheit& e) {
    e.Zeitvorgabe = kNoSlot;
    e.NurUrPlan = e.OberesLimit = e.UnteresLimit = e.TagesLimit = 0;
    e.Tag = -1;
    const std::vector<std::string> words = Words(item);
    if (words.empty() || (words.size() == 1 && words[0] == "-")) return std::nullopt;
    bool timed = false;
    bool dayless = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string word = Lower(words[i]);
        const bool hasNext = i + 1 < words.size();
        if (word == "bis") {
            e.OberesLimit = 1;
        } else if (word == "ab") {
            e.UnteresLimit = 1;
        } else if (word == "urplan") {
            e.NurUrPlan = 1;
        } else if (word == "nur" || word == "tag") {
            const auto day = hasNext ? ParseDay(words[i + 1]) : Result<int>(std::string());
            if (!std::holds_alternative<int>(day))
                return "Nach " + Quoted(words[i]) + " fehlt der Tag (" + Quoted(item) + ").";
            e.Tag = std::get<int>(day);
            if (word == "nur") e.TagesLimit = 1;
            ++i;
        } else if (auto day = ParseDay(word);
                   std::holds_alternative<int>(day) || IsAllDigits(word)) {
            if (timed) return Quoted(item) + " nennt mehr als eine Zeit.";
            timed = true;
            int d = 0;
            if (std::holds_alternative<int>(day)) {
                d = std::get<int>(day);
                if (!hasNext) return "In " + Quoted(item) + " fehlt die Stunde nach dem Tag.";
                ++i;
            } else {
                dayless = true;
            }
            const auto hour = ParseHour(words[i]);
            if (auto* why = std::get_if<std::string>(&hour)) return *why;
            e.Zeitvorgabe = SlotOf(d, std::get<int>(hour));
        } else {
            return Quoted(item) + kPresetForm;
        }
    }
    if (dayless && !e.OberesLimit && !e.UnteresLimit)
        return "In " + Quoted(item) + " fehlt der Tag zur Stunde (so: „Mo 3“).";
    return std::nullopt;
}

} // namespace sw::cells
