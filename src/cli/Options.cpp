// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Options.h"

#include "model/Text.h"

#include <charconv>

namespace sw::cli {

namespace {

const OptionRow* Find(const std::vector<OptionRow>& rows, const std::string& name) {
    for (const OptionRow& row : rows)
        if (row.Name == name) return &row;
    return nullptr;
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
        if (!row) return false;
        if (row->TakesValue && !value) {
            if (i + 1 >= args.size()) return false;
            value = args[++i];
        }
        if (!row->TakesValue && value) return false;
        if (!row->Apply(value.value_or(std::string()))) return false;
    }
    return true;
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
