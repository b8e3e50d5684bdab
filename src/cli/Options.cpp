// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Options.h"

#include "model/Text.h"

#include <charconv>
#include <climits>
#include <cstdio>

namespace sw::cli {

namespace {

const OptionRow* Find(const std::vector<OptionRow>& rows, const std::string& name) {
    for (const OptionRow& row : rows)
        if (row.Name == name) return &row;
    return nullptr;
}

bool Refuse(const std::string& line) {
    const std::string text = line + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    return false;
}

} // namespace

bool ParseOptions(const Args& args, const std::vector<OptionRow>& rows,
                  std::vector<std::string>& positional) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.empty() || a[0] != '-' || a == "-") {
            positional.push_back(a);
            continue;
        }
        std::string name = a;
        std::optional<std::string> value;
        if (const auto eq = a.find('='); a.starts_with("--") && eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
        }
        const OptionRow* row = Find(rows, name);
        if (!row) return Refuse("Unbekannte Option: " + name);
        if (row->TakesValue && !value) {
            if (i + 1 >= args.size()) return Refuse("Die Option " + name + " braucht einen Wert.");
            value = args[++i];
        }
        if (!row->TakesValue && value) return Refuse("Die Option " + name + " nimmt keinen Wert.");
        if (!row->Apply(value.value_or(std::string()))) {
            std::string line =
                "Ungültiger Wert für " + name + ": " + (value->empty() ? "\"\"" : *value);
            if (!row->Allowed.empty()) line += " (erlaubt: " + row->Allowed + ")";
            return Refuse(line + ".");
        }
    }
    return true;
}

OptionRow Flag(std::string name, bool& target, bool value) {
    return {std::move(name),
            false,
            [&target, value](const std::string&) {
                target = value;
                return true;
            },
            {}};
}

OptionRow Number(std::string name, int min, int max, std::function<void(int)> store) {
    std::string allowed = max == INT_MAX ? "eine ganze Zahl ab " + std::to_string(min)
                                         : std::to_string(min) + " bis " + std::to_string(max);
    return {std::move(name), true,
            [min, max, store = std::move(store)](const std::string& v) {
                const std::optional<int> n = ParseInt(v);
                if (!n || *n < min || *n > max) return false;
                store(*n);
                return true;
            },
            std::move(allowed)};
}

OptionRow Text(std::string name, std::string& target, std::string allowed) {
    return {std::move(name), true,
            [&target](const std::string& v) { return !(target = v).empty(); }, std::move(allowed)};
}

std::optional<int> PositiveInt(const std::string& text) {
    const std::optional<int> v = ParseInt(text);
    if (!v || *v <= 0) return std::nullopt;
    return v;
}

std::optional<std::uint32_t> Seed(const std::string& text) {
    std::uint32_t value = 0;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), last, value);
    if (text.empty() || ec != std::errc() || ptr != last) return std::nullopt;
    return value;
}

} // namespace sw::cli
