// SPDX-License-Identifier: GPL-3.0-or-later
// FileTexts.h: the messages every file reader shares.
#pragma once

#include "model/Stammdaten.h"

#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace sw {

// Said after a file was read that some editor had saved in UTF-8 (title "Hinweis").
std::string Utf8Hinweis(const std::string& path);

// Files are Windows-1252, but a file that is well-formed UTF-8 and holds a byte above 0x7F is
// read as UTF-8 (DecodeFileBytes). A file whose every non-ASCII text is such a byte sequence in
// Windows-1252 ("Ã¼") would therefore come back changed ("ü"). This finds the first non-ASCII
// text of such master data (day names only when the file holds them), or nothing when the file
// would read back as written; the readers refuse such data and the writers refuse to write it.
std::optional<std::string> TextThatMakesTheFileReadAsUtf8(const Stammdaten& data,
                                                          bool withDayNames);
// The sentence for it.
std::string Utf8Doppelgaenger(const std::string& text);

// The refusal when reading failed in a way no check foresaw (no memory left, an error of the
// library); "Fehler beim Lesen der Datei " + path + ":\n" + what happened.
std::string UnerwarteterLesefehler(const std::string& path, const std::exception& error);

// The word a file stores a kind of relation under: "Gleichzeitig", "NieGleichzeitig",
// "GleicherTag", "Direktfolge".
const char* BeziehungsArtWort(BeziehungsArt art);
// The kind of relation a stored word names; nothing for an unknown word.
std::optional<BeziehungsArt> BeziehungsArtAus(std::string_view word);
// The sentence for an unknown word: the word is followed by " ist keine bekannte Art einer
// Beziehung (Gleichzeitig, NieGleichzeitig, GleicherTag oder Direktfolge)."
extern const char* const kUnbekannteArt;

} // namespace sw
