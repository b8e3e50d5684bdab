// SPDX-License-Identifier: GPL-3.0-or-later
#include "define/DefinitionChecks.h"

namespace sw {

DefinitionCheck CheckTime(const Stammdaten&, const AktuellerBlock&, const std::vector<int>&, int) {
    return DefinitionCheck::Ok();
}

DefinitionCheck CheckRoom(const Stammdaten&, const AktuellerBlock&, int, std::string_view, bool) {
    return DefinitionCheck::Ok();
}

} // namespace sw
