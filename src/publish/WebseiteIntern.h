// SPDX-License-Identifier: GPL-3.0-or-later
// WebseiteIntern.h: what the pages of the web site share inside this layer.
#pragma once

#include "publish/Webseite.h"

#include <string>

namespace sw {

inline constexpr const char* kStilDatei = "stil.css";

// The stylesheet of the site with one colour class per subject and per course.
std::string Stylesheet(const CPlan& plan);
// The colour class of subject or course `index`: "f3", "k1".
std::string FarbKlasse(bool kurs, int index);

} // namespace sw
