// SPDX-License-Identifier: GPL-3.0-or-later
// DateiNamen.h: the file names a published plan gives its pages and calendars. A name becomes a
// plain lower-case ASCII word that every file system and web server holds: umlauts are spelled
// out (ä ae, ö oe, ü ue, ß ss), other accented Latin letters lose their accent, letters and digits
// stay, every other run of characters becomes one "-". Prefixed by the kind ("klasse-5a",
// "lehrer-mueller", "raum-r101"), so a class and a room of the same name never meet. Two names
// that come out alike (Müller and Mueller, "5 a" and "5/a") get "-2", "-3", ... in list order,
// so the first keeps its plain name and nothing is ever overwritten.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sw {

// The plain word of one name; "x" for a name that has no letter or digit at all.
std::string SichererName(std::string_view utf8);

// The base names (no extension) of a list of names of one kind: prefix + "-" + SichererName,
// made unique within the list as described above.
std::vector<std::string> DateiNamenFuer(std::string_view prefix,
                                        const std::vector<std::string>& namen);

} // namespace sw
