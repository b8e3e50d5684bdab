// SPDX-License-Identifier: GPL-3.0-or-later
// Options.h: a command's options as a table. Each row names an option, says whether it takes a
// value ("--tries 5" or "--tries=5") and how the value is stored; a command adds an option by
// adding a row. Arguments that do not start with "-" are the command's positional arguments.
#pragma once

#include "cli/Cli.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sw::cli {

struct OptionRow {
    std::string Name; // "-o", "--tries", ...
    bool TakesValue = false;
    // Stores the value (empty for a flag); false when the value is not acceptable.
    std::function<bool(const std::string& value)> Apply;
};

// Walks `args` once. False on an unknown option, an option given without its value, a value given
// to a flag, or a value its row refuses; positional arguments are appended to `positional`.
bool ParseOptions(const Args& args, const std::vector<OptionRow>& rows,
                  std::vector<std::string>& positional);

// Value readers for option rows.
std::optional<int> PositiveInt(const std::string& text);
std::optional<std::uint32_t> Seed(const std::string& text); // 0 .. 2^32-1, decimal

} // namespace sw::cli
