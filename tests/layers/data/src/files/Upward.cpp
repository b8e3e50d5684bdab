// SPDX-License-Identifier: GPL-3.0-or-later
// Never compiled: the input of the include check's own test. A file of the files layer that
// reaches up into the optimiser and into Qt; the includes of its own and lower layers pass.
#include "files/PlanFile.h"
#include "io/FileOps.h"
#include "model/Text.h"
#include "optimise/Stages.h"
#include "plan/Plan.h"

#include <QString>
#include <string>
