// SPDX-License-Identifier: GPL-3.0-or-later
// Names.h: which names every file of the program can hold. A name stands in the project file
// (an INI text whose lists separate their items by ","), and in the master-data and plan files
// (tokens between white space, a blank written as "%%", the empty text as "_"), all of them in
// Windows-1252. One rule serves them all: a name the readers, the dialogs or an import take can
// be written to each of these files and comes back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sw {

// Why `name` cannot stand in every file, as the rest of a sentence about it ("enthält an der
// 2. Stelle ein geschütztes Leerzeichen (U+00A0)"); nothing when it can. The character at fault
// is named and its position given, so that an invisible one can be found. An empty text is no
// fault here: whether a name may be empty is the caller's rule. A "," is a fault only for a
// text that the project file holds in a list (every name but short forms and course names):
// `commaAllowed` for the others.
std::optional<std::string> NameFault(std::string_view name, bool commaAllowed = false);

// The whole sentence: `what` (the text with its article: "Der Lehrer", "Das Kürzel"), the name
// in quotes, whose it is (`owner`, in brackets, when given) and the fault:
// 'Der Name "A B" (Lehrer) enthält an der 2. Stelle ein geschütztes Leerzeichen (U+00A0).'
std::string NameFaultText(std::string_view what, std::string_view name, std::string_view fault,
                          std::string_view owner = {});

// NameFault as that sentence, or nothing when the name can be stored.
std::optional<std::string> CheckName(std::string_view what, std::string_view name,
                                     std::string_view owner = {}, bool commaAllowed = false);

// Upper case as the dialogs write names: ASCII and the Latin letters of Windows-1252 (ä → Ä);
// "ß" stays.
std::string UpperName(std::string_view text);

} // namespace sw
