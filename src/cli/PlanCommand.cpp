// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include <cstdio>

namespace sw::cli {

int PlanCommand(const Args&) {
    std::fputs("Dieser Befehl ist noch nicht verfügbar.\n", stderr);
    return 2;
}

} // namespace sw::cli
