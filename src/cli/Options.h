// SPDX-License-Identifier: GPL-3.0-or-later
// Options.h: a command's options as a table. Each row names an option, says whether it takes a
// value ("--tries 5" or "--tries=5"), how the value is stored and what values it allows; a
// command adds an option by adding a row. Arguments that do not start with "-" are the command's
// positional arguments.
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
    // The values the option allows, named when one is refused ("1 bis 256").
    std::string Allowed;
};

// Walks `args` once; positional arguments are appended to `positional`. On an unknown option, an
// option given without its value, a value given to a flag, or a value its row refuses it prints
// one German line on stderr ("Ungültiger Wert für --jobs: 257 (erlaubt: 1 bis 256).") and
// returns false; the command then shows its usage text.
bool ParseOptions(const Args& args, const std::vector<OptionRow>& rows,
                  std::vector<std::string>& positional);

// Rows for the usual kinds of option.
OptionRow Flag(std::string name, bool& target, bool value = true);
// A whole number from `min` to `max` (INT_MAX: no upper bound of its own).
OptionRow Number(std::string name, int min, int max, std::function<void(int)> store);
// Any text but the empty one; `allowed` says what it names ("ein Dateiname").
OptionRow Text(std::string name, std::string& target, std::string allowed);

// Value readers for option rows.
std::optional<int> PositiveInt(const std::string& text);
std::optional<std::uint32_t> Seed(const std::string& text); // 0 .. 2^32-1, decimal

} // namespace sw::cli
