// SPDX-License-Identifier: GPL-3.0-or-later
// The example schools, read with the project-file reader: apart from School.cpp, so that test
// programs of the layers below the files do not link the readers unless they load an example.
#include "files/ProjectFile.h"
#include "io/FileOps.h"
#include "support/School.h"
#include "support/TestSupport.h"

#include <stdexcept>

namespace sw::test {

Stammdaten LoadExample(const std::string& file) {
    ProjectReadResult read = OpenProject(SourcePath("examples/" + file), DefaultFileOps());
    if (!read.outcome.Ok) throw std::runtime_error("cannot open example " + file);
    return std::move(read.data);
}

} // namespace sw::test
